// Path building over QPainterPath; a line or arc continues the open figure with a joining line.
#include "platform/gui/Path.h"

#include <cmath>

#include "platform/gui/qt/QtPath.h"

namespace vt {

Path::Path() : native_(std::make_unique<Native>()) {}
Path::Path(const Path& other)
    : native_(std::make_unique<Native>(*other.native_)), startNew_(other.startNew_) {}
Path& Path::operator=(const Path& other) {
  *native_ = *other.native_;
  startNew_ = other.startNew_;
  return *this;
}
Path::~Path() = default;

bool Path::IsEmpty() const { return native_->path.isEmpty(); }

void Path::JoinTo(double x, double y) {
  const QPointF p(x, y);
  QPainterPath& path = native_->path;
  if (startNew_ || path.elementCount() == 0) {
    path.moveTo(p);
    startNew_ = false;
  } else if (path.currentPosition() != p) {
    path.lineTo(p);
  }
}

void Path::CloseFigure() {
  QPainterPath& path = native_->path;
  if (path.elementCount() > 0) path.closeSubpath();
  startNew_ = true;
}

void Path::AddLine(float x1, float y1, float x2, float y2) {
  JoinTo(x1, y1);
  QPainterPath& path = native_->path;
  path.lineTo(QPointF(x2, y2));
}

void Path::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  // Qt counts angles counter-clockwise; ours go clockwise on the screen.
  const double rad = startAngle * M_PI / 180.0;
  const QPointF start(x + width / 2.0 + width / 2.0 * std::cos(rad),
                      y + height / 2.0 + height / 2.0 * std::sin(rad));
  JoinTo(start.x(), start.y());
  QPainterPath& path = native_->path;
  path.arcTo(QRectF(x, y, width, height), -startAngle, -sweepAngle);
}

void Path::AddRectangle(const Rect& r) {
  StartFigure();
  native_->path.addRect(QRectF(r.left, r.top, r.Width(), r.Height()));
  startNew_ = true;
}

}  // namespace vt

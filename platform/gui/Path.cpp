// Path building over QPainterPath; a line or arc continues the open figure with a joining line.
#include "platform/gui/Path.h"

#include <cmath>

namespace vt {

void Path::JoinTo(QPointF p) {
  if (startNew_ || path_.elementCount() == 0) {
    path_.moveTo(p);
    startNew_ = false;
  } else if (path_.currentPosition() != p) {
    path_.lineTo(p);
  }
}

void Path::CloseFigure() {
  if (path_.elementCount() > 0) path_.closeSubpath();
  startNew_ = true;
}

void Path::AddLine(float x1, float y1, float x2, float y2) {
  JoinTo(QPointF(x1, y1));
  path_.lineTo(QPointF(x2, y2));
}

void Path::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
  // Qt counts angles counter-clockwise; ours go clockwise on the screen.
  const double rad = startAngle * M_PI / 180.0;
  const QPointF start(x + width / 2.0 + width / 2.0 * std::cos(rad),
                      y + height / 2.0 + height / 2.0 * std::sin(rad));
  JoinTo(start);
  path_.arcTo(QRectF(x, y, width, height), -startAngle, -sweepAngle);
}

void Path::AddRectangle(const Rect& r) {
  StartFigure();
  path_.addRect(QRectF(r.left, r.top, r.Width(), r.Height()));
  startNew_ = true;
}

}  // namespace vt

// Device-context text placement and translucent drawing, through QPainter.
//
// Text is placed by our own arithmetic from the measurer's width and the font's fixed cell
// height, so placement is the same whatever font stands behind it: the alignment picks the
// reference point on the text cell (left/centre/right, top/baseline/bottom), and an escapement
// rotates the cell around (x, y).
#include <QLinearGradient>
#include <QPainter>
#include <QTransform>
#include <cmath>

#include "platform/gui/DeviceContext.h"
#include "platform/gui/Path.h"
#include "platform/gui/TextMeasurer.h"
#include "platform/gui/qt/DcPainter.h"
#include "platform/gui/qt/PixelOps.h"
#include "platform/gui/qt/QtFont.h"
#include "platform/gui/qt/QtPath.h"
#include "platform/gui/qt/Raster.h"

namespace vt {

namespace {

QColor ToQColor(Argb c) { return QColor::fromRgba(c); }

Rect ToRect(const QRect& q) { return Rect{q.left(), q.top(), q.right() + 1, q.bottom() + 1}; }

}  // namespace

Size DeviceContext::GetTextExtent(std::string_view utf8) const {
  const Font& font = CurrentFont();
  return Size{CurrentTextMeasurer().TextWidth(font, utf8), font.Metrics().height};
}

void DeviceContext::TextOut(int32_t x, int32_t y, std::string_view utf8) {
  if (utf8.empty()) return;
  const Font& font = CurrentFont();
  const TextMetrics& m = font.Metrics();
  const int32_t width = CurrentTextMeasurer().TextWidth(font, utf8);

  int32_t left = 0;
  switch (textAlign_ & kTaCenter) {
    case kTaCenter:
      left = -width / 2;
      break;
    case kTaRight:
      left = -width;
      break;
    default:
      break;
  }
  int32_t top = 0;
  switch (textAlign_ & kTaBaseline) {
    case kTaBaseline:
      top = -m.ascent;
      break;
    case kTaBottom:
      top = -m.height;
      break;
    default:
      break;
  }

  DcPainter p(*this);
  if (!p) return;
  QTransform frame;
  frame.translate(x, y);
  if (font.Escapement() % 3600 != 0) frame.rotate(-font.Escapement() / 10.0);
  p->setTransform(frame);
  const QRect cell(left, top, width, m.height);
  if (bkMode_ == BkMode::Opaque) p->fillRect(cell, QColor::fromRgb(ToPixel(bkColor_)));
  p->setFont(QtFontOf(font));
  p->setPen(QColor::fromRgb(ToPixel(textColor_)));
  p->drawText(QPoint(left, top + m.ascent), QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
  // Glyphs may overhang their advance a little; count a margin as touched.
  Touched(IntersectRects(ToRect(frame.mapRect(cell.adjusted(-2, 0, 2, 0))), DrawableArea()));
}

void DeviceContext::FillTranslucentRect(const Rect& r, Argb color) {
  const Rect area = IntersectRects(r, DrawableArea());
  if (area.IsEmpty()) return;
  DcPainter p(*this);
  if (!p) return;
  p->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), ToQColor(color));
  Touched(area);
}

void DeviceContext::FillGradientRect(const Rect& r, Argb from, Argb to, bool vertical) {
  const Rect area = IntersectRects(r, DrawableArea());
  if (area.IsEmpty()) return;
  DcPainter p(*this);
  if (!p) return;
  QLinearGradient g(r.left, r.top, vertical ? r.left : r.right, vertical ? r.bottom : r.top);
  g.setColorAt(0, ToQColor(from));
  g.setColorAt(1, ToQColor(to));
  p->fillRect(QRect(r.left, r.top, r.Width(), r.Height()), QBrush(g));
  Touched(area);
}

void DeviceContext::FillPath(const Path& path, Argb color) {
  if (path.IsEmpty()) return;
  DcPainter p(*this);
  if (!p) return;
  p->fillPath(QtPathOf(path), ToQColor(color));
  Touched(IntersectRects(ToRect(QtPathOf(path).boundingRect().toAlignedRect()), DrawableArea()));
}

void DeviceContext::FillPathGradient(const Path& path, Point p0, Argb c0, Point p1, Argb c1) {
  if (path.IsEmpty()) return;
  DcPainter p(*this);
  if (!p) return;
  QLinearGradient g(p0.x, p0.y, p1.x, p1.y);
  g.setColorAt(0, ToQColor(c0));
  g.setColorAt(1, ToQColor(c1));
  g.setSpread(QGradient::PadSpread);
  p->fillPath(QtPathOf(path), QBrush(g));
  Touched(IntersectRects(ToRect(QtPathOf(path).boundingRect().toAlignedRect()), DrawableArea()));
}

void DeviceContext::DrawPath(const Path& path, Argb color, float width) {
  if (path.IsEmpty()) return;
  DcPainter p(*this);
  if (!p) return;
  QPen pen(ToQColor(color));
  pen.setWidthF(width);
  pen.setJoinStyle(Qt::MiterJoin);
  p->strokePath(QtPathOf(path), pen);
  const int32_t margin = int32_t(std::ceil(width)) + 1;
  Touched(IntersectRects(InflateRect(ToRect(QtPathOf(path).boundingRect().toAlignedRect()), margin, margin),
                         DrawableArea()));
}

}  // namespace vt

// Device-context state, fills, lines, shapes and pixels.
#include "platform/gui/DeviceContext.h"
#include "platform/gui/qt/Raster.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <vector>

#include "platform/gui/qt/DcPainter.h"
#include "platform/gui/qt/PixelOps.h"

namespace vt {

namespace {

const Font& DefaultFont() {
  static const std::unique_ptr<Font> font = Font::Create(MakeLogFont("Arial", 16));
  assert(font);
  return *font;
}

QVector<qreal> DashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::Dash:
      return {18, 6};
    case PenStyle::Dot:
      return {3, 3};
    case PenStyle::DashDot:
      return {9, 6, 3, 6};
    case PenStyle::DashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

}  // namespace

QPen ToQPen(const Pen& pen) {
  if (pen.style == PenStyle::Null) return QPen(Qt::NoPen);
  QPen q(QColor::fromRgb(ToPixel(pen.color)));
  if (pen.width <= 1) {
    q.setWidth(0);  // cosmetic: one device pixel whatever the transformation
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    if (pen.style != PenStyle::Solid) q.setDashPattern(DashPattern(pen.style));
  } else {
    // Wide pens are solid with round ends and joins, whatever style was asked.
    q.setWidth(pen.width);
    q.setCapStyle(Qt::RoundCap);
    q.setJoinStyle(Qt::RoundJoin);
  }
  return q;
}

QBrush ToQBrush(const Brush& brush, ColorRef textColor, ColorRef bkColor) {
  switch (brush.kind) {
    case BrushKind::Null:
      return QBrush(Qt::NoBrush);
    case BrushKind::Halftone: {
      QImage tile(8, 8, QImage::Format_RGB32);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) tile.setPixel(x, y, ToPixel(HalftoneBitSet(x, y) ? textColor : bkColor));
      return QBrush(tile);  // texture brushes are anchored at the device origin
    }
    case BrushKind::Solid:
      break;
  }
  if (IsNoColor(brush.color)) return QBrush(Qt::NoBrush);
  return QBrush(QColor::fromRgb(ToPixel(brush.color)));
}

DeviceContext::DeviceContext() = default;
DeviceContext::~DeviceContext() = default;

Pen DeviceContext::SelectPen(const Pen& pen) { return std::exchange(pen_, pen); }
Brush DeviceContext::SelectBrush(const Brush& brush) { return std::exchange(brush_, brush); }
const Font* DeviceContext::SelectFont(const Font* font) { return std::exchange(font_, font); }
const Font& DeviceContext::CurrentFont() const { return font_ ? *font_ : DefaultFont(); }
ColorRef DeviceContext::SetTextColor(ColorRef color) { return std::exchange(textColor_, color); }
ColorRef DeviceContext::SetBkColor(ColorRef color) { return std::exchange(bkColor_, color); }
BkMode DeviceContext::SetBkMode(BkMode mode) { return std::exchange(bkMode_, mode); }
uint32_t DeviceContext::SetTextAlign(uint32_t align) { return std::exchange(textAlign_, align); }
StretchMode DeviceContext::SetStretchBltMode(StretchMode mode) { return std::exchange(stretchMode_, mode); }
Point DeviceContext::MoveTo(int32_t x, int32_t y) { return std::exchange(position_, Point{x, y}); }

void DeviceContext::SelectClipRect(const Rect* clip) {
  if (clip) {
    clip_ = *clip;
  } else {
    clip_.reset();
  }
}

Rect DeviceContext::DrawableArea() const {
  Rect area;
  if (const QImage* s = Surface(); s && !s->isNull()) {
    area = Rect{0, 0, s->width(), s->height()};
  } else {
    area = Rect{0, 0, GetDeviceCaps(DeviceCap::HorzRes), GetDeviceCaps(DeviceCap::VertRes)};
  }
  return clip_ ? IntersectRects(area, *clip_) : area;
}

void DeviceContext::FillPixels(const Rect& r, const Brush& brush) {
  if (brush.kind == BrushKind::Null || (brush.kind == BrushKind::Solid && IsNoColor(brush.color))) return;
  const Rect area = IntersectRects(r, DrawableArea());
  if (area.IsEmpty()) return;
  if (QImage* s = Surface(); s && !s->isNull()) {
    if (brush.kind == BrushKind::Solid) {
      FillImageRect(*s, area, ToPixel(brush.color));
    } else {
      const uint32_t set = ToPixel(textColor_), clear = ToPixel(bkColor_);
      for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x)
          PutImagePixel(*s, x, y, HalftoneBitSet(x, y) ? set : clear);
    }
  } else if (DcPainter p(*this); p) {
    p->fillRect(QRect(area.left, area.top, area.Width(), area.Height()),
                ToQBrush(brush, textColor_, bkColor_));
  } else {
    return;
  }
  Touched(area);
}

void DeviceContext::FillRect(const Rect& r, const Brush& brush) { FillPixels(r, brush); }

void DeviceContext::DrawThinLine(Point from, Point to) {
  QImage* s = Surface();
  assert(s && !s->isNull());
  const int32_t dx = to.x - from.x, dy = to.y - from.y;
  const int32_t steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const QVector<qreal> dashes = DashPattern(pen_.style);
  int32_t period = 0;
  for (qreal d : dashes) period += int32_t(d);
  auto on = [&](int32_t i) {
    if (period == 0) return true;
    int32_t at = i % period;
    for (int k = 0; k < dashes.size(); ++k) {
      if (at < int32_t(dashes[k])) return k % 2 == 0;
      at -= int32_t(dashes[k]);
    }
    return false;
  };
  // Walks from the first point along the longer axis and stops before the last one, whatever
  // the direction, so that joined segments meet without a gap or a doubled pixel. Pixel i lies
  // i steps along the major axis and m(i) = ceil((i * span - major / 2) / major) (at least 0)
  // along the minor one. Only the steps that can reach the drawable area are walked: callers
  // pass far off-screen points for off-scale values.
  const Rect area = DrawableArea();
  if (area.IsEmpty()) return;
  const uint32_t pixel = ToPixel(pen_.color);
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t major = steps, span = std::abs(xMajor ? dy : dx), half = major / 2;
  const int32_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1, minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const int64_t majorFrom = xMajor ? from.x : from.y, minorFrom = xMajor ? from.y : from.x;
  const int64_t majorLo = xMajor ? area.left : area.top, majorHi = xMajor ? area.right : area.bottom;
  const int64_t minorLo = xMajor ? area.top : area.left, minorHi = xMajor ? area.bottom : area.right;
  int64_t first = 0, last = major;  // steps [first, last)
  if (majorSign > 0) {
    first = std::max(first, majorLo - majorFrom);
    last = std::min(last, majorHi - majorFrom);
  } else {
    first = std::max(first, majorFrom - majorHi + 1);
    last = std::min(last, majorFrom - majorLo + 1);
  }
  // The minor offsets that land inside, and the steps that can give them (one step of slack).
  const int64_t offLo = minorSign > 0 ? minorLo - minorFrom : minorFrom - minorHi + 1;
  const int64_t offHi = minorSign > 0 ? minorHi - 1 - minorFrom : minorFrom - minorLo;
  if (offHi < 0 || offLo > offHi) return;
  if (span > 0) {
    first = std::max(first, (std::max<int64_t>(offLo, 1) - 1) * major / span);
    last = std::min(last, (offHi + 2) * major / span + 1);
  } else if (offLo > 0) {
    return;
  }
  Rect box{};
  for (int64_t i = first; i < last; ++i) {
    const int64_t m = i * span <= half ? 0 : (i * span - half + major - 1) / major;
    const int32_t a = int32_t(majorFrom + majorSign * i), b = int32_t(minorFrom + minorSign * m);
    const Point p = xMajor ? Point{a, b} : Point{b, a};
    if (on(int32_t(i)) && area.Contains(p)) {
      PutImagePixel(*s, p.x, p.y, pixel);
      box = UnionRects(box, Rect{p.x, p.y, p.x + 1, p.y + 1});
    }
  }
  if (!box.IsEmpty()) Touched(box);
}

void DeviceContext::DrawStraightLine(Point from, Point to) {
  if (pen_.style == PenStyle::Null) return;
  if (pen_.style == PenStyle::Solid && pen_.width <= 1 && (from.x == to.x || from.y == to.y)) {
    // Exact strips; the end pixel is left out.
    Rect strip;
    if (from.y == to.y) {
      if (from.x == to.x) return;
      strip = from.x < to.x ? Rect{from.x, from.y, to.x, from.y + 1}
                            : Rect{to.x + 1, from.y, from.x + 1, from.y + 1};
    } else {
      strip = from.y < to.y ? Rect{from.x, from.y, from.x + 1, to.y}
                            : Rect{from.x, to.y + 1, from.x + 1, from.y + 1};
    }
    FillPixels(strip, SolidBrush(pen_.color));
    return;
  }
  if (pen_.width <= 1 && Surface() && !Surface()->isNull()) {
    // Our own walk: Qt's cosmetic lines leave out the end pixel only when drawn rightwards
    // or downwards, and start their dashes at either end.
    DrawThinLine(from, to);
    return;
  }
  DcPainter p(*this);
  if (!p) return;
  p->setPen(ToQPen(pen_));
  p->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
  const int32_t w = std::max(pen_.width, 1);
  Rect box{std::min(from.x, to.x) - w, std::min(from.y, to.y) - w, std::max(from.x, to.x) + w + 1,
           std::max(from.y, to.y) + w + 1};
  Touched(IntersectRects(box, DrawableArea()));
}

void DeviceContext::LineTo(int32_t x, int32_t y) {
  DrawStraightLine(position_, Point{x, y});
  position_ = Point{x, y};
}

void DeviceContext::Polyline(const Point* points, int count) {
  if (!points) return;
  for (int i = 1; i < count; ++i) DrawStraightLine(points[i - 1], points[i]);
}

namespace {

Rect BoundsOf(const Point* points, int count, int32_t margin) {
  Rect box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (int i = 1; i < count; ++i) {
    box.left = std::min(box.left, points[i].x);
    box.top = std::min(box.top, points[i].y);
    box.right = std::max(box.right, points[i].x);
    box.bottom = std::max(box.bottom, points[i].y);
  }
  return Rect{box.left - margin, box.top - margin, box.right + margin + 1, box.bottom + margin + 1};
}

}  // namespace

void DeviceContext::Polygon(const Point* points, int count) {
  if (!points || count < 2) return;
  DcPainter p(*this);
  if (!p) return;
  std::vector<QPoint> q;
  q.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i) q.emplace_back(points[i].x, points[i].y);
  p->setPen(ToQPen(pen_));
  p->setBrush(ToQBrush(brush_, textColor_, bkColor_));
  p->drawPolygon(q.data(), count, Qt::OddEvenFill);
  Touched(IntersectRects(BoundsOf(points, count, std::max(pen_.width, 1)), DrawableArea()));
}

void DeviceContext::Rectangle(const Rect& r) {
  if (r.IsEmpty()) return;
  if (pen_.style == PenStyle::Null) {
    FillPixels(Rect{r.left, r.top, r.right - 1, r.bottom - 1}, brush_);
    return;
  }
  if (pen_.style == PenStyle::Solid && pen_.width <= 1) {
    FillPixels(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, brush_);
    const Brush edge = SolidBrush(pen_.color);
    FillPixels(Rect{r.left, r.top, r.right, r.top + 1}, edge);
    FillPixels(Rect{r.left, r.bottom - 1, r.right, r.bottom}, edge);
    FillPixels(Rect{r.left, r.top, r.left + 1, r.bottom}, edge);
    FillPixels(Rect{r.right - 1, r.top, r.right, r.bottom}, edge);
    return;
  }
  DcPainter p(*this);
  if (!p) return;
  p->setPen(ToQPen(pen_));
  p->setBrush(ToQBrush(brush_, textColor_, bkColor_));
  p->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
  Touched(IntersectRects(InflateRect(r, pen_.width, pen_.width), DrawableArea()));
}

void DeviceContext::Ellipse(const Rect& r) {
  if (r.IsEmpty()) return;
  DcPainter p(*this);
  if (!p) return;
  p->setPen(ToQPen(pen_));
  p->setBrush(ToQBrush(brush_, textColor_, bkColor_));
  p->drawEllipse(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
  Touched(IntersectRects(InflateRect(r, pen_.width, pen_.width), DrawableArea()));
}

void DeviceContext::SetPixel(int32_t x, int32_t y, ColorRef color) {
  FillPixels(Rect{x, y, x + 1, y + 1}, SolidBrush(color & 0x00FFFFFFu));
}

ColorRef DeviceContext::GetPixel(int32_t x, int32_t y) const {
  const QImage* s = Surface();
  if (!s || s->isNull() || x < 0 || y < 0 || x >= s->width() || y >= s->height()) return kNoColor;
  return FromPixel(GetImagePixel(*s, x, y));
}

}  // namespace vt

// Recording device context: note the call with the state in force, then draw it.
#include "platform/gui/RecordingDc.h"
#include "platform/gui/qt/Raster.h"

#include <cassert>

namespace vt {

RecordingDc::RecordingDc(int32_t width, int32_t height, int32_t dpi)
    : MemoryDc(dpi), bitmap_(Bitmap::Create(width, height, 24)) {
  assert(bitmap_);
  bitmap_->Image().fill(0xFFFFFFFFu);
  SelectBitmap(bitmap_.get());
}

std::vector<DcRecord> RecordingDc::RecordsOf(DcOp op) const {
  std::vector<DcRecord> out;
  for (const auto& r : records_)
    if (r.op == op) out.push_back(r);
  return out;
}

DcRecord RecordingDc::Base(DcOp op) const {
  DcRecord r;
  r.op = op;
  r.color = CurrentPen().color;
  r.penWidth = CurrentPen().width;
  r.bkColor = BkColor();
  r.bkMode = GetBkMode();
  r.textAlign = TextAlign();
  r.fontHeight = CurrentFont().Metrics().height;
  r.escapement = CurrentFont().Escapement();
  r.clip = ClipRect();
  return r;
}

void RecordingDc::FillRect(const Rect& rect, const Brush& brush) {
  DcRecord r = Base(DcOp::FillRect);
  r.rect = rect;
  r.color = brush.color;
  records_.push_back(std::move(r));
  MemoryDc::FillRect(rect, brush);
}

void RecordingDc::LineTo(int32_t x, int32_t y) {
  DcRecord r = Base(DcOp::LineTo);
  r.points = {CurrentPosition(), Point{x, y}};
  records_.push_back(std::move(r));
  MemoryDc::LineTo(x, y);
}

void RecordingDc::Polyline(const Point* points, int count) {
  DcRecord r = Base(DcOp::Polyline);
  if (points && count > 0) r.points.assign(points, points + count);
  records_.push_back(std::move(r));
  MemoryDc::Polyline(points, count);
}

void RecordingDc::Polygon(const Point* points, int count) {
  DcRecord r = Base(DcOp::Polygon);
  if (points && count > 0) r.points.assign(points, points + count);
  records_.push_back(std::move(r));
  MemoryDc::Polygon(points, count);
}

void RecordingDc::Rectangle(const Rect& rect) {
  DcRecord r = Base(DcOp::Rectangle);
  r.rect = rect;
  records_.push_back(std::move(r));
  MemoryDc::Rectangle(rect);
}

void RecordingDc::Ellipse(const Rect& rect) {
  DcRecord r = Base(DcOp::Ellipse);
  r.rect = rect;
  records_.push_back(std::move(r));
  MemoryDc::Ellipse(rect);
}

void RecordingDc::SetPixel(int32_t x, int32_t y, ColorRef color) {
  DcRecord r = Base(DcOp::SetPixel);
  r.points = {Point{x, y}};
  r.color = color;
  records_.push_back(std::move(r));
  MemoryDc::SetPixel(x, y, color);
}

void RecordingDc::TextOut(int32_t x, int32_t y, std::string_view utf8) {
  DcRecord r = Base(DcOp::TextOut);
  r.points = {Point{x, y}};
  r.text = std::string(utf8);
  r.color = TextColor();
  records_.push_back(std::move(r));
  MemoryDc::TextOut(x, y, utf8);
}

bool RecordingDc::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx,
                         int32_t sy, RasterOp rop) {
  DcRecord r = Base(DcOp::BitBlt);
  r.rect = Rect{x, y, x + w, y + h};
  r.points = {Point{sx, sy}};
  r.rop = rop;
  records_.push_back(std::move(r));
  return MemoryDc::BitBlt(x, y, w, h, src, sx, sy, rop);
}

bool RecordingDc::StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx,
                             int32_t sy, int32_t sw, int32_t sh, RasterOp rop) {
  DcRecord r = Base(DcOp::StretchBlt);
  r.rect = Rect{x, y, x + w, y + h};
  r.points = {Point{sx, sy}, Point{sx + sw, sy + sh}};
  r.rop = rop;
  records_.push_back(std::move(r));
  return MemoryDc::StretchBlt(x, y, w, h, src, sx, sy, sw, sh, rop);
}

bool RecordingDc::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx,
                         int32_t sy, RasterOp rop) {
  DcRecord r = Base(DcOp::BitBlt);
  r.rect = Rect{x, y, x + w, y + h};
  r.points = {Point{sx, sy}};
  r.rop = rop;
  r.sourceBitsPerPixel = src.BitsPerPixel();
  records_.push_back(std::move(r));
  return MemoryDc::BitBlt(x, y, w, h, src, sx, sy, rop);
}

bool RecordingDc::StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx,
                             int32_t sy, int32_t sw, int32_t sh, RasterOp rop) {
  DcRecord r = Base(DcOp::StretchBlt);
  r.rect = Rect{x, y, x + w, y + h};
  r.points = {Point{sx, sy}, Point{sx + sw, sy + sh}};
  r.rop = rop;
  r.sourceBitsPerPixel = src.BitsPerPixel();
  records_.push_back(std::move(r));
  return MemoryDc::StretchBlt(x, y, w, h, src, sx, sy, sw, sh, rop);
}

void RecordingDc::DrawFocusRect(const Rect& rect) {
  DcRecord r = Base(DcOp::FocusRect);
  r.rect = rect;
  records_.push_back(std::move(r));
  MemoryDc::DrawFocusRect(rect);
}

}  // namespace vt

// A memory device context that also records what was drawn, for tests of drawing code.
//
// Each operation is kept with the state that decides its result (colours, alignment, font
// height and escapement, clip), then drawn as usual into the context's own bitmap, so a test
// can check both the calls (where text went, with which alignment) and the pixels.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/MemoryDc.h"

namespace vt {

enum class DcOp {
  FillRect,
  LineTo,
  Polyline,
  Polygon,
  Rectangle,
  Ellipse,
  SetPixel,
  TextOut,
  BitBlt,
  StretchBlt,
  FocusRect
};

struct DcRecord {
  DcOp op = DcOp::FillRect;
  Rect rect;                  // fills, shapes, blit destinations, focus rectangles
  std::vector<Point> points;  // lines (from, to), polylines, polygons; TextOut: the reference point
  std::string text;
  ColorRef color = 0;    // brush or pen colour; TextOut: the text colour
  int32_t penWidth = 1;  // the pen's width in pixels (lines and shapes)
  ColorRef bkColor = 0;
  BkMode bkMode = BkMode::Opaque;
  uint32_t textAlign = 0;
  int32_t fontHeight = 0;
  int32_t escapement = 0;
  RasterOp rop = RasterOp::SrcCopy;
  int sourceBitsPerPixel = 0;  // blits: the source bitmap's depth (0 for a context)
  std::optional<Rect> clip;
};

class RecordingDc : public MemoryDc {
 public:
  // A context with its own 24-bit bitmap of the given size, filled white.
  RecordingDc(int32_t width, int32_t height, int32_t dpi = 96);

  const std::vector<DcRecord>& Records() const { return records_; }
  std::vector<DcRecord> RecordsOf(DcOp op) const;
  void Clear() { records_.clear(); }
  Bitmap& Pixels() { return *bitmap_; }

  void FillRect(const Rect& r, const Brush& brush) override;
  void LineTo(int32_t x, int32_t y) override;
  void Polyline(const Point* points, int count) override;
  void Polygon(const Point* points, int count) override;
  void Rectangle(const Rect& r) override;
  void Ellipse(const Rect& r) override;
  void SetPixel(int32_t x, int32_t y, ColorRef color) override;
  void TextOut(int32_t x, int32_t y, std::string_view utf8) override;
  bool BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx, int32_t sy,
              RasterOp rop) override;
  bool StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx,
                  int32_t sy, int32_t sw, int32_t sh, RasterOp rop) override;
  // Blits from a bitmap are recorded the same way (sourceBitsPerPixel tells them apart).
  bool BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx, int32_t sy,
              RasterOp rop) override;
  bool StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx, int32_t sy,
                  int32_t sw, int32_t sh, RasterOp rop) override;
  void DrawFocusRect(const Rect& r) override;
  using DeviceContext::BitBlt;
  using DeviceContext::StretchBlt;

 private:
  DcRecord Base(DcOp op) const;
  std::unique_ptr<Bitmap> bitmap_;
  std::vector<DcRecord> records_;
};

}  // namespace vt

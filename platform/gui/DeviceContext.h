// A device context: drawing state that persists between calls, and the drawing operations.
//
// The context keeps pen, brush, font, text and background colours, background mode, text
// alignment, stretch mode, current position and one clip rectangle, each until it is changed;
// callers select an object, draw, and put the previous one back. The drawing follows the old
// raster rules that layouts and tests rely on:
// - rectangles exclude their right and bottom edges; an empty or inverted rectangle draws nothing;
// - LineTo leaves out the end pixel; 1-pixel solid lines along an axis are exact pixel strips;
// - a clip rectangle replaces the previous one (it never intersects) and is in device pixels;
// - blits map monochrome sources through the destination's text colour (0 bits) and background
//   colour (1 bits), and colour sources into a monochrome destination by the source's background
//   colour (matching pixels become 1);
// - DrawFocusRect inverts every other pixel of the one-pixel ring, so drawing it twice erases it.
// Fills, one-pixel lines, pixels, blits and the focus ring use our own pixel loops; text,
// polygons, wide lines and translucent fills go through QPainter without smoothing (printers
// have no pixels to loop over, so everything goes through QPainter there).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/gui/Bitmap.h"
#include "platform/gui/Brush.h"
#include "platform/gui/Color.h"
#include "platform/gui/Font.h"
#include "platform/gui/Geometry.h"
#include "platform/gui/Pen.h"

namespace vt {

class Path;
class Raster;   // a QImage (platform/gui/qt/Raster.h)
class Painter;  // a QPainter (same header)

enum class RasterOp : uint32_t {
  SrcCopy = 0x00CC0020,
  SrcPaint = 0x00EE0086,
  SrcAnd = 0x008800C6,
  SrcInvert = 0x00660046,
};

enum class BkMode : int { Transparent = 1, Opaque = 2 };
enum class StretchMode : int { BlackOnWhite = 1, WhiteOnBlack = 2, ColorOnColor = 3, Halftone = 4 };

// Text alignment flags: horizontal (left, right, centre) and vertical (top, bottom, baseline).
enum : uint32_t {
  kTaLeft = 0,
  kTaRight = 2,
  kTaCenter = 6,
  kTaTop = 0,
  kTaBottom = 8,
  kTaBaseline = 24,
};

enum class DeviceCap { LogPixelsX, LogPixelsY, HorzRes, VertRes, HorzSize, VertSize, BitsPixel };

class DeviceContext {
 public:
  DeviceContext();
  virtual ~DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // ---- persistent state; each setter returns the previous value ----
  Pen SelectPen(const Pen& pen);
  const Pen& CurrentPen() const { return pen_; }
  Brush SelectBrush(const Brush& brush);
  const Brush& CurrentBrush() const { return brush_; }
  // Null selects the default font (Arial, 16 pixels). The caller keeps the font alive while selected.
  const Font* SelectFont(const Font* font);
  const Font& CurrentFont() const;
  ColorRef SetTextColor(ColorRef color);
  ColorRef TextColor() const { return textColor_; }
  ColorRef SetBkColor(ColorRef color);
  ColorRef BkColor() const { return bkColor_; }
  BkMode SetBkMode(BkMode mode);
  BkMode GetBkMode() const { return bkMode_; }
  uint32_t SetTextAlign(uint32_t align);
  uint32_t TextAlign() const { return textAlign_; }
  StretchMode SetStretchBltMode(StretchMode mode);
  StretchMode GetStretchBltMode() const { return stretchMode_; }
  // Replaces the clip rectangle; null removes it.
  void SelectClipRect(const Rect* clip);
  std::optional<Rect> ClipRect() const { return clip_; }
  Point MoveTo(int32_t x, int32_t y);  // returns the previous position
  Point CurrentPosition() const { return position_; }

  // ---- drawing ----
  virtual void FillRect(const Rect& r, const Brush& brush);
  void FillSolidRect(const Rect& r, ColorRef color) { FillRect(r, SolidBrush(color)); }
  // A line with the current pen from the current position to (x, y), which becomes current.
  virtual void LineTo(int32_t x, int32_t y);
  // Joined lines through the points (the last point left out); the current position is unchanged.
  virtual void Polyline(const Point* points, int count);
  // Filled with the current brush (alternate rule) and outlined with the current pen.
  virtual void Polygon(const Point* points, int count);
  // Outline with the current pen on the rectangle's outer pixels, inside filled with the brush.
  // Without a pen the brush fills the rectangle less its last column and row.
  virtual void Rectangle(const Rect& r);
  virtual void Ellipse(const Rect& r);
  virtual void SetPixel(int32_t x, int32_t y, ColorRef color);
  ColorRef GetPixel(int32_t x, int32_t y) const;  // kNoColor outside or without pixels

  // One line of UTF-8 text at (x, y) by the text alignment, in the text colour, rotated by the
  // font's escapement around (x, y); with an opaque background the text cell is filled first.
  virtual void TextOut(int32_t x, int32_t y, std::string_view utf8);
  // Width by the current measurer, height the font's cell height.
  Size GetTextExtent(std::string_view utf8) const;
  TextMetrics GetTextMetrics() const { return CurrentFont().Metrics(); }

  // Copies w x h pixels from (sx, sy) of src to (x, y). False when either side has no pixels.
  virtual bool BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx,
                      int32_t sy, RasterOp rop);
  // The same from a bitmap (its background colour counts as white).
  virtual bool BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx, int32_t sy,
                      RasterOp rop);
  // Scales (sx, sy, sw, sh) to (x, y, w, h); equal sizes are an exact BitBlt. Halftone mode
  // smooths, the others pick the nearest pixel. False also when the scaled copy cannot be made.
  virtual bool StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx,
                          int32_t sy, int32_t sw, int32_t sh, RasterOp rop);
  virtual bool StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx,
                          int32_t sy, int32_t sw, int32_t sh, RasterOp rop);
  virtual void DrawFocusRect(const Rect& r);

  // ---- translucent drawing (alpha over the existing pixels) ----
  virtual void FillTranslucentRect(const Rect& r, Argb color);
  // A linear gradient from colour `from` at the top (or left) edge to `to` at the bottom (right).
  virtual void FillGradientRect(const Rect& r, Argb from, Argb to, bool vertical = true);
  virtual void FillPath(const Path& path, Argb color);
  // A gradient along the line p0 -> p1, padded beyond its ends.
  virtual void FillPathGradient(const Path& path, Point p0, Argb c0, Point p1, Argb c1);
  virtual void DrawPath(const Path& path, Argb color, float width);

  virtual int32_t GetDeviceCaps(DeviceCap cap) const = 0;

  // The pixels behind the context: null for a printer, or a memory context without a bitmap.
  // Format_RGB32, or Format_Mono when a 1-bit bitmap is selected.
  virtual Raster* Surface() = 0;
  const Raster* Surface() const { return const_cast<DeviceContext*>(this)->Surface(); }

 protected:
  // Called with every device rectangle that an operation may have changed (already clipped).
  virtual void Touched(const Rect&) {}
  // A painter that stays open for the context's life (printers); null for pixel surfaces.
  virtual Painter* PersistentPainter() { return nullptr; }

  // The area an operation may touch: the clip and the surface bounds.
  Rect DrawableArea() const;
  friend class DcPainter;

 private:
  void FillPixels(const Rect& r, const Brush& brush);
  void DrawStraightLine(Point from, Point to);
  // A one-pixel line (solid or dashed) on the pixel surface, end pixel left out.
  void DrawThinLine(Point from, Point to);
  bool BlitImpl(int32_t x, int32_t y, int32_t w, int32_t h, const Raster& src, ColorRef srcBk, int32_t sx,
                int32_t sy, RasterOp rop);
  bool StretchImpl(int32_t x, int32_t y, int32_t w, int32_t h, const Raster& src, ColorRef srcBk, int32_t sx,
                   int32_t sy, int32_t sw, int32_t sh, RasterOp rop);

  Pen pen_;
  Brush brush_;
  const Font* font_ = nullptr;
  ColorRef textColor_ = Rgb(0, 0, 0);
  ColorRef bkColor_ = Rgb(255, 255, 255);
  BkMode bkMode_ = BkMode::Opaque;
  uint32_t textAlign_ = kTaLeft | kTaTop;
  StretchMode stretchMode_ = StretchMode::BlackOnWhite;
  std::optional<Rect> clip_;
  Point position_;
};

}  // namespace vt

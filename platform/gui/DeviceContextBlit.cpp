// Device-context blits (raster operations, monochrome colour mapping, stretching) and the
// focus ring, all by our own pixel loops on pixel surfaces.
#include <QImage>
#include <QPainter>
#include <cstring>

#include "platform/gui/DeviceContext.h"
#include "platform/gui/qt/DcPainter.h"
#include "platform/gui/qt/PixelOps.h"
#include "platform/gui/qt/Raster.h"

namespace vt {

namespace {

uint32_t ApplyRop(RasterOp rop, uint32_t dest, uint32_t src) {
  switch (rop) {
    case RasterOp::SrcCopy:
      return src;
    case RasterOp::SrcPaint:
      return dest | src;
    case RasterOp::SrcAnd:
      return dest & src;
    case RasterOp::SrcInvert:
      return dest ^ src;
  }
  return src;
}

// Printers cannot be read back, so a raster operation other than a copy draws the source's
// pixels that change something: black ones for AND, the non-black ones for XOR and OR. That
// is exact for masks and images that are black outside their mask.
QImage PrinterStandIn(const QImage& mapped, RasterOp rop) {
  if (rop == RasterOp::SrcCopy) return mapped;
  QImage out = mapped.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const uint32_t rgb = row[x] & 0xFFFFFFu;
      const bool keep = rop == RasterOp::SrcAnd ? rgb != 0xFFFFFFu : rgb != 0;
      if (!keep) row[x] = 0;
    }
  }
  return out;
}

}  // namespace

bool DeviceContext::BlitImpl(int32_t x, int32_t y, int32_t w, int32_t h, const Raster& srcImage,
                             ColorRef srcBk, int32_t sx, int32_t sy, RasterOp rop) {
  if (srcImage.isNull()) return false;
  QImage* dest = Surface();
  if ((!dest || dest->isNull()) && !PersistentPainter()) return false;
  if (w <= 0 || h <= 0) return true;

  // Destination pixels that have a source pixel and may be drawn.
  Rect area = IntersectRects(Rect{x, y, x + w, y + h}, DrawableArea());
  area = IntersectRects(area, OffsetRect(Rect{0, 0, srcImage.width(), srcImage.height()}, x - sx, y - sy));
  if (area.IsEmpty()) return true;
  const int32_t dx = sx - x, dy = sy - y;  // source = destination + (dx, dy)

  const bool srcMono = IsMonoImage(srcImage);
  const uint32_t text = ToPixel(textColor_), back = ToPixel(bkColor_), srcBack = ToPixel(srcBk) & 0xFFFFFFu;

  if (!dest || dest->isNull()) {
    QImage mapped(area.Width(), area.Height(), QImage::Format_RGB32);
    for (int32_t row = 0; row < area.Height(); ++row)
      for (int32_t col = 0; col < area.Width(); ++col) {
        const uint32_t s = GetImagePixel(srcImage, area.left + col + dx, area.top + row + dy);
        mapped.setPixel(col, row, srcMono ? ((s & 0xFFFFFFu) ? back : text) : s);
      }
    DcPainter p(*this);
    p->drawImage(QPoint(area.left, area.top), PrinterStandIn(mapped, rop));
    Touched(area);
    return true;
  }

  // A blit within one surface reads from a copy, so overlapping moves come out right.
  QImage copy;
  const QImage* src = &srcImage;
  if (src->constBits() == dest->constBits()) {
    copy = srcImage.copy();
    src = &copy;
  }

  const bool destMono = IsMonoImage(*dest);
  if (!srcMono && !destMono && rop == RasterOp::SrcCopy) {
    for (int32_t row = area.top; row < area.bottom; ++row) {
      const uint32_t* in = reinterpret_cast<const uint32_t*>(src->constScanLine(row + dy)) + area.left + dx;
      uint32_t* out = reinterpret_cast<uint32_t*>(dest->scanLine(row)) + area.left;
      std::memcpy(out, in, std::size_t(area.Width()) * 4);
    }
    Touched(area);
    return true;
  }

  for (int32_t row = area.top; row < area.bottom; ++row) {
    for (int32_t col = area.left; col < area.right; ++col) {
      const uint32_t s = GetImagePixel(*src, col + dx, row + dy) & 0xFFFFFFu;
      if (destMono) {
        // Colour to one bit: the source's background colour becomes white, all else black.
        const uint32_t bit = srcMono ? (s ? 1u : 0u) : (s == srcBack ? 1u : 0u);
        const uint32_t d = dest->pixelIndex(col, row) ? 1u : 0u;
        dest->setPixel(col, row, ApplyRop(rop, d, bit) & 1u);
      } else {
        // One bit to colour: 0 bits take the text colour, 1 bits the background colour.
        const uint32_t mapped = srcMono ? ((s ? back : text) & 0xFFFFFFu) : s;
        uint32_t* out = reinterpret_cast<uint32_t*>(dest->scanLine(row)) + col;
        *out = ApplyRop(rop, *out & 0xFFFFFFu, mapped) | 0xFF000000u;
      }
    }
  }
  Touched(area);
  return true;
}

bool DeviceContext::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src, int32_t sx,
                           int32_t sy, RasterOp rop) {
  const QImage* s = src.Surface();
  if (!s) return false;
  return BlitImpl(x, y, w, h, *s, src.BkColor(), sx, sy, rop);
}

bool DeviceContext::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx,
                           int32_t sy, RasterOp rop) {
  return BlitImpl(x, y, w, h, src.Image(), Rgb(255, 255, 255), sx, sy, rop);
}

bool DeviceContext::StretchImpl(int32_t x, int32_t y, int32_t w, int32_t h, const Raster& src, ColorRef srcBk,
                                int32_t sx, int32_t sy, int32_t sw, int32_t sh, RasterOp rop) {
  if (w == sw && h == sh) return BlitImpl(x, y, w, h, src, srcBk, sx, sy, rop);
  if (src.isNull()) return false;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return true;
  const QImage* dest = Surface();
  const bool destMono = dest && IsMonoImage(*dest);

  // Map the source part into the destination's colours first, then scale it.
  QImage part = src.copy(sx, sy, sw, sh);
  QImage mapped(sw, sh, QImage::Format_RGB32);
  if (part.isNull() || mapped.isNull()) return false;  // no memory for a source part that large
  const bool srcMono = IsMonoImage(part);
  const uint32_t text = ToPixel(textColor_), back = ToPixel(bkColor_);
  for (int32_t row = 0; row < sh; ++row)
    for (int32_t col = 0; col < sw; ++col) {
      const uint32_t s = GetImagePixel(part, col, row);
      uint32_t m = s;
      if (srcMono && !destMono) m = (s & 0xFFFFFFu) ? back : text;
      mapped.setPixel(col, row, m);
    }
  const ColorRef mappedBk = srcMono ? Rgb(255, 255, 255) : srcBk;
  const Qt::TransformationMode mode =
      stretchMode_ == StretchMode::Halftone ? Qt::SmoothTransformation : Qt::FastTransformation;
  const QImage scaled = mapped.scaled(w, h, Qt::IgnoreAspectRatio, mode);
  if (scaled.isNull()) return false;
  return BlitImpl(x, y, w, h, scaled, mappedBk, 0, 0, rop);
}

bool DeviceContext::StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const DeviceContext& src,
                               int32_t sx, int32_t sy, int32_t sw, int32_t sh, RasterOp rop) {
  const QImage* s = src.Surface();
  if (!s) return false;
  return StretchImpl(x, y, w, h, *s, src.BkColor(), sx, sy, sw, sh, rop);
}

bool DeviceContext::StretchBlt(int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap& src, int32_t sx,
                               int32_t sy, int32_t sw, int32_t sh, RasterOp rop) {
  return StretchImpl(x, y, w, h, src.Image(), Rgb(255, 255, 255), sx, sy, sw, sh, rop);
}

void DeviceContext::DrawFocusRect(const Rect& r) {
  if (r.IsEmpty()) return;
  const Rect area = DrawableArea();
  QImage* s = Surface();
  if (!s || s->isNull()) {
    DcPainter p(*this);
    if (!p) return;
    QPen pen(Qt::black);
    pen.setWidth(0);
    pen.setDashPattern({1, 1});
    p->setPen(pen);
    p->drawRect(QRect(r.left, r.top, r.Width() - 1, r.Height() - 1));
    Touched(IntersectRects(r, area));
    return;
  }
  auto invert = [&](int32_t x, int32_t y) {
    if (((x + y) & 1) != 0 || !area.Contains(Point{x, y})) return;
    PutImagePixel(*s, x, y, GetImagePixel(*s, x, y) ^ 0x00FFFFFFu);
  };
  for (int32_t x = r.left; x < r.right; ++x) {
    invert(x, r.top);
    if (r.bottom - 1 > r.top) invert(x, r.bottom - 1);
  }
  for (int32_t y = r.top + 1; y < r.bottom - 1; ++y) {
    invert(r.left, y);
    if (r.right - 1 > r.left) invert(r.right - 1, y);
  }
  Touched(IntersectRects(r, area));
}

}  // namespace vt

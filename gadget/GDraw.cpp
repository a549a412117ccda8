// The drawing functions (see GDraw.h).
#include "gadget/GDraw.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/gui/Bitmap.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/MemoryDc.h"

namespace {

// Selects a pen (and optionally a brush) for the life of the object.
class PenScope {
 public:
  PenScope(vt::DeviceContext* dc, const vt::Pen& pen) : dc_(dc), old_(dc->SelectPen(pen)) {}
  ~PenScope() { dc_->SelectPen(old_); }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

 private:
  vt::DeviceContext* dc_;
  vt::Pen old_;
};

void Line(vt::DeviceContext* dc, int x1, int y1, int x2, int y2) {
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

uint8_t Clamp(int v) { return uint8_t(std::clamp(v, 0, 255)); }

template <class F>
vt::ColorRef PerChannel(vt::ColorRef c, F f) {
  return vt::Rgb(Clamp(f(vt::RedOf(c))), Clamp(f(vt::GreenOf(c))), Clamp(f(vt::BlueOf(c))));
}

bool IsColourBitmap(const vt::Bitmap* b) { return b && (b->BitsPerPixel() == 24 || b->BitsPerPixel() == 32); }

}  // namespace

void DrawBevelLines(vt::DeviceContext* dc, int n, vt::ColorRef c1, vt::ColorRef c2, int l, int t, int r,
                    int b) {
  for (int i = 0; i < n; ++i) {
    {
      PenScope pen(dc, vt::SolidPen(c1));
      Line(dc, l + i, b - i - 1, l + i, t + i);
      dc->LineTo(r - i - 1, t + i);
    }
    PenScope pen(dc, vt::SolidPen(c2));
    dc->LineTo(r - i - 1, b - i - 1);
    dc->LineTo(l + i, b - i - 1);
  }
}

void FillBevelRect(vt::DeviceContext* dc, const vt::Rect& rect, int n, vt::ColorRef fill, vt::ColorRef c1,
                   vt::ColorRef c2) {
  dc->FillSolidRect(rect, fill);
  DrawBevelLines(dc, n, c1, c2, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawFrameSides(vt::DeviceContext* dc, int w, vt::ColorRef cl, vt::ColorRef ct, vt::ColorRef cr,
                    vt::ColorRef cb, int l, int t, int r, int b) {
  if (w <= 0) return;
  dc->FillSolidRect(vt::Rect{l, t, l + w, b - w}, cl);
  dc->FillSolidRect(vt::Rect{l + w, t, r - w, t + w}, ct);
  dc->FillSolidRect(vt::Rect{r - w, t, r, b - w}, cr);
  dc->FillSolidRect(vt::Rect{l, b - w, r, b}, cb);
}

void FillFramedRect(vt::DeviceContext* dc, const vt::Rect& rect, int w, vt::ColorRef fill, vt::ColorRef cl,
                    vt::ColorRef ct, vt::ColorRef cr, vt::ColorRef cb) {
  dc->FillSolidRect(rect, fill);
  DrawFrameSides(dc, w, cl, ct, cr, cb, rect.left, rect.top, rect.right, rect.bottom);
}

void DrawSolidFrame(vt::DeviceContext* dc, const vt::Rect& rect, int w, int fillInner,
                    vt::ColorRef frameColour, vt::ColorRef innerColour) {
  const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  if (2 * w < rect.Width() && 2 * w < rect.Height()) {
    if (fillInner) dc->FillSolidRect(vt::InflateRect(rect, -w, -w), innerColour);
    dc->FillSolidRect(vt::Rect{l, t, l + w, b}, frameColour);
    dc->FillSolidRect(vt::Rect{r - w, t, r, b}, frameColour);
    dc->FillSolidRect(vt::Rect{l + w, t, r - w, t + w}, frameColour);
    dc->FillSolidRect(vt::Rect{l + w, b - w, r - w, b}, frameColour);
  } else {
    dc->FillSolidRect(rect, frameColour);
  }
}

void DrawRectSides(vt::DeviceContext* dc, int sides, vt::ColorRef colour, int l, int t, int r, int b) {
  PenScope pen(dc, vt::SolidPen(colour));
  if (sides & 1) Line(dc, l, t, r, t);
  if (sides & 2) Line(dc, l, b, r, b);
  if (sides & 4) Line(dc, l, t, l, b);
  if (sides & 8) Line(dc, r, t, r, b);
}

void DrawRectEdges(vt::ColorRef colour, int sides, vt::DeviceContext* dc, int l, int t, int r, int b) {
  DrawRectSides(dc, sides, colour, l, t, r, b);
}

void DrawLine(vt::DeviceContext* dc, int width, vt::ColorRef colour, int x1, int y1, int x2, int y2) {
  PenScope pen(dc, vt::SolidPen(colour, width));
  Line(dc, x1, y1, x2, y2);
}

void DrawFilledPolygon(vt::DeviceContext* dc, const vt::Point* points, int count, vt::ColorRef fillColour,
                       vt::ColorRef penColour) {
  PenScope pen(dc, vt::SolidPen(penColour));
  const vt::Brush old = dc->SelectBrush(vt::SolidBrush(fillColour));
  dc->Polygon(points, count);
  dc->SelectBrush(old);
}

void DrawCellFrame(vt::DeviceContext* dc, const vt::Rect& rect, int kind, vt::ColorRef fill,
                   const vt::ColorRef lightPair[2], const vt::ColorRef darkPair[2]) {
  if (kind == 1) {
    FillBevelRect(dc, rect, 1, fill, lightPair[1], darkPair[1]);
  } else if (kind == 2) {
    FillBevelRect(dc, rect, 1, fill, lightPair[0], darkPair[0]);
    const vt::Rect in = vt::InflateRect(rect, -1, -1);
    DrawBevelLines(dc, 1, lightPair[1], darkPair[1], in.left, in.top, in.right, in.bottom);
  }
}

void DrawCheckLamp(vt::DeviceContext* dc, const vt::Rect& rect, vt::ColorRef baseColour, int on) {
  const BevelColors bevel = GetBevelColors(baseColour);
  FillBevelRect(dc, rect, 1, baseColour, bevel.shadow, bevel.highlight);
  if (!on) return;
  const int l = rect.left + 1, t = rect.top + 1, r = rect.right - 1, b = rect.bottom - 1;
  const int cx = (l + r) / 2, cx2 = (l + r - 1) / 2, cy = (t + b) / 2, cy2 = (t + b - 1) / 2;
  const vt::Point left[] = {{cx2, cy}, {cx2, cy2}, {l, t}, {l, b - 1}};
  const vt::Point bottom[] = {{cx, cy}, {cx2, cy}, {l, b - 1}, {r - 1, b - 1}};
  const vt::Point right[] = {{cx, cy2}, {cx, cy}, {r - 1, b - 1}, {r - 1, t}};
  const vt::Point top[] = {{cx2, cy2}, {cx, cy2}, {r - 1, t}, {l, t}};
  DrawFilledPolygon(dc, left, 4, 0xC8C880, 0xC8C880);
  DrawFilledPolygon(dc, bottom, 4, 0x787840, 0x787840);
  DrawFilledPolygon(dc, right, 4, 0x909040, 0x909040);
  DrawFilledPolygon(dc, top, 4, 0xFFFF80, 0xFFFF80);
}

void DrawSmallDots(vt::DeviceContext* dc, vt::ColorRef colour, int x, int y) {
  for (int i = 0; i < 3; ++i) dc->SetPixel(x + 2 * i, y, colour);
}

void DrawEllipsisDots(vt::DeviceContext* dc, int s, vt::ColorRef colour, int x, int y) {
  for (int i = 0; i < 3; ++i) dc->FillSolidRect(vt::Rect{x + 2 * s * i, y, x + 2 * s * i + s, y + s}, colour);
}

void DrawComboArrowButton(vt::DeviceContext* dc, int state, int l, int t, int r, int b) {
  FillBevelRect(dc, vt::Rect{l, t, r, b}, 1, 0x02C0C0C0, 0x02CACACA, 0x025E5E5E);
  const int x = (l + r) / 2, y = (t + b) / 2 + 1;
  const vt::Point triangle[] = {{x, y}, {x - 2, y - 2}, {x + 2, y - 2}};
  if (state & 2)
    DrawFilledPolygon(dc, triangle, 3, 0x02CA9696, 0x02000000);
  else
    DrawFilledPolygon(dc, triangle, 3, 0x025E5E5E, 0x025E5E5E);
}

void SetClipRect(vt::DeviceContext* dc, const vt::Rect& rect) { dc->SelectClipRect(&rect); }

// ---- grid lines ----

// Calls line(position) for each grid value from the multiple of step at or below min, one step
// past max; position is where the value falls between from (at value `at`) and to (at `other`).
template <class F>
static void ForEachGridLine(double min, double max, double step, double at, double other, int from, int to,
                            F line) {
  if (!(step > 0) || min == max) return;
  const double count = std::ceil((max - min) / step) + 1;
  if (!(count >= 0 && count < 1e6)) return;
  const double base = step * std::floor(min / step);
  for (int i = 0; i <= int(count); ++i) {
    const double v = base + i * step;
    line(from + int(std::floor((v - at) / (other - at) * (to - from) + 0.5)));
  }
}

void DrawHorizontalGridLines(int l, int t, int r, int b, vt::ColorRef colour, double min, double max,
                             double step, vt::PenStyle penStyle, vt::DeviceContext* dc) {
  PenScope pen(dc, vt::Pen{penStyle, 1, colour});
  ForEachGridLine(min, max, step, max, min, t, b, [&](int y) {
    if (y >= t && y <= b) Line(dc, l, y, r, y);
  });
}

void DrawVerticalGridLines(int l, int t, int r, int b, vt::ColorRef colour, double min, double max,
                           double step, vt::PenStyle penStyle, vt::DeviceContext* dc) {
  PenScope pen(dc, vt::Pen{penStyle, 1, colour});
  ForEachGridLine(min, max, step, min, max, l, r, [&](int x) {
    if (x >= l && x <= r) Line(dc, x, t, x, b);
  });
}

void DrawLogGridLines(int l, int t, int r, int b, vt::ColorRef colour, double expMin, double expMax,
                      vt::PenStyle penStyle, vt::DeviceContext* dc) {
  if (expMin == expMax || !std::isfinite(expMin) || !std::isfinite(expMax)) return;
  const int first = int(std::floor(expMin)), last = int(std::ceil(expMax));
  if (last - first > 1000) return;
  PenScope pen(dc, vt::Pen{penStyle, 1, colour});
  for (int e = first; e <= last; ++e) {
    for (int k = 1; k <= 10; ++k) {
      const double u = std::log10(k * std::pow(10.0, e));
      const int y = t + int(std::floor((u - expMax) / (expMin - expMax) * (b - t) + 0.5));
      if (y < t) break;
      if (y <= b) Line(dc, l, y, r, y);
    }
  }
}

// ---- bitmaps ----

void BlitBitmap(vt::DeviceContext* dc, const vt::Bitmap* bitmap, int srcX, int srcY, int l, int t, int r,
                int b) {
  if (!bitmap) return;
  dc->BitBlt(l, t, r - l, b - t, *bitmap, srcX, srcY, vt::RasterOp::SrcCopy);
}

void BlitBitmapMasked(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask, int srcX,
                      int srcY, const vt::Rect& dest) {
  if (!image) return;
  if (!mask) {
    BlitBitmap(dc, image, srcX, srcY, dest.left, dest.top, dest.right, dest.bottom);
    return;
  }
  dc->SetTextColor(0x02FFFFFF);
  dc->SetBkColor(0x02000000);
  dc->BitBlt(dest.left, dest.top, dest.Width(), dest.Height(), *mask, srcX, srcY, vt::RasterOp::SrcAnd);
  dc->BitBlt(dest.left, dest.top, dest.Width(), dest.Height(), *image, srcX, srcY, vt::RasterOp::SrcInvert);
}

static vt::Rect CentredCell(const vt::Rect& rect, int cellWidth, int cellHeight) {
  const int x = rect.left + (rect.Width() - cellWidth) / 2;
  const int y = rect.top + (rect.Height() - cellHeight) / 2;
  return vt::Rect{x, y, x + cellWidth, y + cellHeight};
}

void DrawBitmapCell(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* bitmap, int index,
                    int cellWidth, int cellHeight) {
  const vt::Rect d = CentredCell(rect, cellWidth, cellHeight);
  BlitBitmap(dc, bitmap, index * cellWidth, 0, d.left, d.top, d.right, d.bottom);
}

void DrawBitmapCellTransparent(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* image,
                               const vt::Bitmap* mask, int index, int cellWidth, int cellHeight) {
  BlitBitmapMasked(dc, image, mask, index * cellWidth, 0, CentredCell(rect, cellWidth, cellHeight));
}

void DrawBitmapCentered(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* bitmap) {
  if (!bitmap) return;
  const vt::Rect d = CentredCell(rect, bitmap->Width(), bitmap->Height());
  BlitBitmap(dc, bitmap, 0, 0, d.left, d.top, d.right, d.bottom);
}

void StretchBitmap(vt::DeviceContext* dc, const vt::Bitmap* bitmap, int sl, int st, int sr, int sb, int dl,
                   int dt, int dr, int db) {
  if (!bitmap) return;
  if (sr - sl == dr - dl && sb - st == db - dt) {
    dc->BitBlt(dl, dt, dr - dl, db - dt, *bitmap, sl, st, vt::RasterOp::SrcCopy);
    return;
  }
  dc->SetStretchBltMode(vt::StretchMode::Halftone);
  dc->StretchBlt(dl, dt, dr - dl, db - dt, *bitmap, sl, st, sr - sl, sb - st, vt::RasterOp::SrcCopy);
}

vt::ColorRef BlendPixel(vt::ColorRef background, vt::ColorRef image, int m) {
  if (m > 248) return background & 0xFFFFFF;
  if (m <= 8) return image & 0xFFFFFF;
  auto mix = [m](int bg, int im) { return uint8_t((bg * m + im * (255 - m)) >> 8); };
  return vt::Rgb(mix(vt::RedOf(background), vt::RedOf(image)),
                 mix(vt::GreenOf(background), vt::GreenOf(image)),
                 mix(vt::BlueOf(background), vt::BlueOf(image)));
}

void BlendBitmap(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask, int srcX, int srcY,
                 const vt::Rect& dest) {
  if (!image) return;
  if (!mask) {
    BlitBitmap(dc, image, srcX, srcY, dest.left, dest.top, dest.right, dest.bottom);
    return;
  }
  if (!IsColourBitmap(image) || !IsColourBitmap(mask)) {
    if (mask->IsMonochrome()) BlitBitmapMasked(dc, image, mask, srcX, srcY, dest);
    return;
  }
  if (dest.IsEmpty()) return;
  // The destination area is read, blended and written back; no size limit applies.
  std::unique_ptr<vt::Bitmap> area = vt::Bitmap::Create(dest.Width(), dest.Height(), 24);
  if (!area) return;
  vt::MemoryDc areaDc;
  areaDc.SelectBitmap(area.get());
  if (!areaDc.BitBlt(0, 0, dest.Width(), dest.Height(), *dc, dest.left, dest.top, vt::RasterOp::SrcCopy))
    return;
  const int w = std::min({dest.Width(), image->Width() - srcX, mask->Width() - srcX});
  const int h = std::min({dest.Height(), image->Height() - srcY, mask->Height() - srcY});
  for (int y = std::max(0, -srcY); y < h; ++y) {
    for (int x = std::max(0, -srcX); x < w; ++x) {
      const vt::ColorRef mp = mask->GetPixel(srcX + x, srcY + y);
      const int m = (vt::RedOf(mp) + vt::GreenOf(mp) + vt::BlueOf(mp)) / 3;
      if (m > 248) continue;
      area->SetPixel(x, y, BlendPixel(area->GetPixel(x, y), image->GetPixel(srcX + x, srcY + y), m));
    }
  }
  areaDc.SelectBitmap(nullptr);
  dc->BitBlt(dest.left, dest.top, dest.Width(), dest.Height(), *area, 0, 0, vt::RasterOp::SrcCopy);
}

void DrawBitmapCellBlended(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* image,
                           const vt::Bitmap* mask, int index, int cellWidth, int cellHeight) {
  const vt::Rect d = CentredCell(rect, cellWidth, cellHeight);
  if (!mask)
    BlitBitmap(dc, image, index * cellWidth, 0, d.left, d.top, d.right, d.bottom);
  else
    BlendBitmap(dc, image, mask, index * cellWidth, 0, d);
}

static std::unique_ptr<vt::Bitmap> StretchedPart(const vt::Bitmap& src, const vt::Rect& source, int w,
                                                 int h) {
  std::unique_ptr<vt::Bitmap> out = vt::Bitmap::Create(w, h, 24);
  if (!out) return nullptr;
  vt::MemoryDc tmp;
  tmp.SelectBitmap(out.get());
  tmp.SetStretchBltMode(vt::StretchMode::Halftone);
  const bool ok = tmp.StretchBlt(0, 0, w, h, src, source.left, source.top, source.Width(), source.Height(),
                                 vt::RasterOp::SrcCopy);
  tmp.SelectBitmap(nullptr);
  return ok ? std::move(out) : nullptr;
}

void StretchBlendBitmap(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask,
                        const vt::Rect& source, const vt::Rect& dest) {
  if (!image) return;
  if (!mask) {
    StretchBitmap(dc, image, source.left, source.top, source.right, source.bottom, dest.left, dest.top,
                  dest.right, dest.bottom);
    return;
  }
  if (source.Width() == dest.Width() && source.Height() == dest.Height()) {
    BlendBitmap(dc, image, mask, source.left, source.top, dest);
    return;
  }
  if (dest.IsEmpty() || source.IsEmpty()) return;
  auto img = StretchedPart(*image, source, dest.Width(), dest.Height());
  auto msk = StretchedPart(*mask, source, dest.Width(), dest.Height());
  if (img && msk) BlendBitmap(dc, img.get(), msk.get(), 0, 0, dest);
}

void DrawNineSliceCell(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask, int index,
                       int cellWidth, int cellHeight, int L, int T, int R, int B, const vt::Rect& d) {
  const int x0 = index * cellWidth, w = cellWidth, h = cellHeight;
  const int l = d.left, t = d.top, r = d.right, b = d.bottom;
  StretchBlendBitmap(dc, image, mask, vt::Rect{x0, T, x0 + L, h - B}, vt::Rect{l, t + T, l + L, b - B});
  StretchBlendBitmap(dc, image, mask, vt::Rect{x0 + L, 0, x0 + w - R, T}, vt::Rect{l + L, t, r - R, t + T});
  StretchBlendBitmap(dc, image, mask, vt::Rect{x0 + w - R, T, x0 + w, h - B},
                     vt::Rect{r - R, t + T, r, b - B});
  StretchBlendBitmap(dc, image, mask, vt::Rect{x0 + L, h - B, x0 + w - R, h},
                     vt::Rect{l + L, b - B, r - R, b});
  BlendBitmap(dc, image, mask, x0, 0, vt::Rect{l, t, l + L, t + T});
  BlendBitmap(dc, image, mask, x0 + w - R, 0, vt::Rect{r - R, t, r, t + T});
  BlendBitmap(dc, image, mask, x0 + w - R, h - B, vt::Rect{r - R, b - B, r, b});
  BlendBitmap(dc, image, mask, x0, h - B, vt::Rect{l, b - B, l + L, b});
  StretchBitmap(dc, image, x0 + L, T, x0 + w - R, h - B, l + L, t + T, r - R, b - B);
}

// ---- colours ----

BevelColors GetBevelColors(vt::ColorRef c) {
  const vt::ColorRef h = PerChannel(c, [](int v) { return v <= 192 ? v + 63 : 255; });
  const vt::ColorRef s = PerChannel(h, [](int v) { return v - 127; });
  return BevelColors{h, s};
}

vt::ColorRef LightenColor(vt::ColorRef c) {
  return PerChannel(c, [](int v) { return v < 158 ? v + 98 : 255; });
}

vt::ColorRef AddToColor(vt::ColorRef c, int d) {
  return PerChannel(c, [d](int v) { return v + d; });
}

vt::ColorRef BrightenColor(vt::ColorRef c) {
  return PerChannel(c, [](int v) { return v < 205 ? v * 5 / 4 : 255; });
}

vt::ColorRef DarkenColor(vt::ColorRef c) {
  return PerChannel(c, [](int v) { return v * 4 / 5; });
}

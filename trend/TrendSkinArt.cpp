// The trend panel's bitmaps, drawn pixel by pixel (see TrendSkinArt.h).
#include "trend/TrendSkinArt.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"

namespace {

using vt::ColorRef;
using vt::Rgb;

void Register(int id, int w, int h, const std::function<ColorRef(int x, int y)>& pixel) {
  std::unique_ptr<vt::Bitmap> b = vt::Bitmap::Create(w, h, 24);
  if (!b) return;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b->SetPixel(x, y, pixel(x, y));
  vt::RegisterBitmap(id, std::move(b));
}

ColorRef Mix(ColorRef a, ColorRef b, double t) {
  auto ch = [&](int shift) { return uint8_t(((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t); };
  return ColorRef(ch(0)) | ColorRef(ch(8)) << 8 | ColorRef(ch(16)) << 16;
}

// An arrow head pointing up (up) or down in a w x h box, ink on a light face.
ColorRef ArrowPixel(int x, int y, int w, int h, bool up) {
  const int row = up ? y : h - 1 - y;
  const int half = row * (w / 2) / std::max(h - 1, 1);
  const bool ink = std::abs(x - w / 2) <= half && row >= 1 && row <= h - 2;
  return ink ? Rgb(0x30, 0x38, 0x48) : Rgb(0xE8, 0xEB, 0xF0);
}

}  // namespace

void RegisterTrendSkinArt() {
  const ColorRef ink = Rgb(0x2F, 0x6F, 0xC6), light = Rgb(0x9C, 0xC3, 0xF0);
  Register(kNgProgressTile, 19, 7, [&](int x, int y) {
    (void)x;
    return Mix(light, ink, y / 6.0);
  });
  Register(kNgProgressFrame, 5, 13, [](int x, int y) {
    const bool edge = x == 0 || x == 4 || y == 0 || y == 12;
    return edge ? Rgb(0x78, 0x80, 0x8C) : Rgb(0xFA, 0xFB, 0xFC);
  });
  Register(kNgProgressTitle, 1, 18,
           [](int, int y) { return Mix(Rgb(0xF4, 0xF6, 0xFA), Rgb(0xC8, 0xCE, 0xD8), y / 17.0); });
  Register(kNgMarker, 9, 5, [](int, int) { return Rgb(0xFF, 0xD2, 0x3C); });
  Register(kNgMarkerMask, 9, 5, [](int x, int y) {
    // A triangle pointing up: its rows widen downwards.
    return std::abs(x - 4) <= y ? Rgb(0, 0, 0) : Rgb(0xFF, 0xFF, 0xFF);
  });
  Register(kNgHoverFrame, 22, 33, [](int x, int y) {
    const int cx = x % 11;
    const bool edge = cx == 0 || cx == 10 || y == 0 || y == 32;
    const bool disabled = x >= 11;
    if (edge) return disabled ? Rgb(0x90, 0x90, 0x90) : Rgb(0xD8, 0xDE, 0xE8);
    return disabled ? Rgb(0x70, 0x70, 0x70) : Rgb(0x7A, 0x82, 0x90);
  });
  Register(kNgHoverMask, 22, 33, [](int x, int y) {
    const int cx = x % 11;
    const bool edge = cx == 0 || cx == 10 || y == 0 || y == 32;
    return edge ? Rgb(0, 0, 0) : Rgb(0x80, 0x80, 0x80);
  });
  Register(kNgResetButton, 16, 16, [](int x, int y) {
    const bool face = x >= 1 && x <= 14 && y >= 1 && y <= 14;
    const bool bar = (y == 4 || y == 11) && x >= 4 && x <= 11;
    const bool stem = (x == 7 || x == 8) && y >= 4 && y <= 11;
    return !face ? Rgb(0x60, 0x68, 0x74) : (bar || stem) ? Rgb(0x20, 0x28, 0x38) : Rgb(0xE8, 0xEB, 0xF0);
  });
  Register(kNgLabelButton, 32, 16, [](int x, int y) {
    const int cx = x % 16;
    const bool on = x >= 16;
    const bool face = cx >= 1 && cx <= 14 && y >= 1 && y <= 14;
    const bool tick = (y == 4 || y == 8 || y == 12) && cx >= 4 && cx <= (on ? 11 : 6);
    if (!face) return Rgb(0x60, 0x68, 0x74);
    if (tick) return Rgb(0x20, 0x28, 0x38);
    return on ? Rgb(0xC9, 0xD3, 0xE1) : Rgb(0xE8, 0xEB, 0xF0);
  });
  Register(kNgZoomIn, 16, 8, [](int x, int y) { return ArrowPixel(x, y, 16, 8, true); });
  Register(kNgZoomOut, 16, 8, [](int x, int y) { return ArrowPixel(x, y, 16, 8, false); });
}

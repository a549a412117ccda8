// The trend panel's bitmaps, drawn pixel by pixel (see TrendSkinArt.h).
#include "trend/TrendSkinArt.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>

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

// A cell strip of n cells w x h: a one-pixel outline round a face, one face colour per cell.
void RegisterStrip(int id, int n, int w, int h, const ColorRef* faces, ColorRef outline) {
  Register(id, n * w, h, [&](int x, int y) {
    const int cx = x % w;
    const bool edge = cx == 0 || cx == w - 1 || y == 0 || y == h - 1;
    return edge ? outline : faces[x / w];
  });
}

// A triangle glyph pointing left or right in n cells of 8 x 8 on the arrow face colours.
void RegisterGlyph(int id, bool left, const ColorRef* faces, const ColorRef* inks) {
  Register(id, 24, 8, [&](int x, int y) {
    const int cell = x / 8, cx = x % 8;
    const int reach = left ? cx - 1 : 6 - cx;  // distance from the tip
    const bool ink = reach >= 0 && reach <= 4 && std::abs(y - 4) <= reach;
    return ink ? inks[cell] : faces[cell];
  });
}

// The legend's bitmaps: the title bar, the mode toggle's two icons, the trees' check and expand
// cells. The masks are black over each box, so the row behind shows round it.
void RegisterLegendArt() {
  const ColorRef outline = Rgb(0x60, 0x68, 0x74), face = Rgb(0xFA, 0xFB, 0xFC), ink = Rgb(0x20, 0x28, 0x38);
  const ColorRef barEdge = Rgb(0x30, 0x34, 0x3A);
  auto barRow = [&](int y) {
    return y <= 0 || y >= 19 ? barEdge : Mix(Rgb(0x70, 0x78, 0x84), Rgb(0x50, 0x56, 0x60), (y - 1) / 17.0);
  };
  Register(kNgLegendBar, 1, 20, [&](int, int y) { return barRow(y); });
  // The toggle sits two rows below the bar's top, so its face continues the bar's gradient.
  Register(kNgLegendIcons, 32, 16, [&](int x, int y) {
    const int cx = x % 16;
    const bool axis = cx == 5 && y >= 2 && y <= 12;
    const bool base = y == 12 && cx >= 5 && cx <= 13;
    const bool ticks = (cx == 3 || cx == 4) && (y == 3 || y == 6 || y == 9);
    const int reach = 12 - std::abs(2 * y - 15) / 2;  // the tag's pointed right end
    const bool tag = y >= 4 && y <= 11 && cx >= 3 && cx <= reach && !(cx == 5 && (y == 7 || y == 8));
    const bool mark = x < 16 ? axis || base || ticks : tag;
    return mark ? Rgb(0xF0, 0xF2, 0xF5) : barRow(y + 2);
  });
  const ColorRef checkOutline[4] = {outline, outline, Rgb(0xA0, 0xA4, 0xAA), Rgb(0xA0, 0xA4, 0xAA)};
  const ColorRef checkFace[4] = {face, face, Rgb(0xEC, 0xED, 0xEF), Rgb(0xEC, 0xED, 0xEF)};
  const ColorRef tickInk[4] = {Rgb(0xC4, 0xDC, 0xC8), Rgb(0x2E, 0x9A, 0x48), Rgb(0xD8, 0xDA, 0xDE),
                               Rgb(0x90, 0x94, 0x9A)};
  auto inBox = [](int cx, int y) { return cx >= 2 && cx <= 13 && y >= 2 && y <= 13; };
  Register(kNgCheckCells, 64, 16, [&](int x, int y) {
    const int c = x / 16, cx = x % 16;
    if (!inBox(cx, y)) return face;
    if (cx == 2 || cx == 13 || y == 2 || y == 13) return checkOutline[c];
    // A two-pixel tick: down from (4, 7) to (6, 10), then up to (11, 5).
    const bool down = cx >= 4 && cx <= 6 && (y - cx == 3 || y - cx == 4);
    const bool up = cx >= 7 && cx <= 11 && (y + cx == 16 || y + cx == 17);
    return down || up ? tickInk[c] : checkFace[c];
  });
  Register(kNgCheckMask, 64, 16,
           [&](int x, int y) { return inBox(x % 16, y) ? Rgb(0, 0, 0) : Rgb(0xFF, 0xFF, 0xFF); });
  auto inBracket = [](int cx, int y) { return cx >= 3 && cx <= 12 && y >= 3 && y <= 12; };
  Register(kNgExpandCells, 32, 16, [&](int x, int y) {
    const bool minus = x >= 16;
    const int cx = x % 16;
    if (!inBracket(cx, y)) return face;
    const bool bracket = cx == 3 || cx == 12 || ((y == 3 || y == 12) && (cx <= 4 || cx >= 11));
    const bool bar = (y == 7 || y == 8) && cx >= 5 && cx <= 10;
    const bool stem = !minus && (cx == 7 || cx == 8) && y >= 5 && y <= 10;
    return bracket ? outline : bar || stem ? ink : face;
  });
  Register(kNgExpandMask, 32, 16,
           [&](int x, int y) { return inBracket(x % 16, y) ? Rgb(0, 0, 0) : Rgb(0xFF, 0xFF, 0xFF); });
}

void PutWord(unsigned char* b, int at, uint32_t v) {
  for (int k = 0; k < 4; ++k) b[at + k] = static_cast<unsigned char>(v >> (8 * k));
}

void PutCell(unsigned char* b, int at, int image, int w, int h, int margin) {
  PutWord(b, at, uint32_t(image));
  PutWord(b, at + 4, 0);
  PutWord(b, at + 8, uint32_t(w));
  PutWord(b, at + 12, uint32_t(h));
  for (int i = 0; i < 4; ++i) PutWord(b, at + 16 + 4 * i, uint32_t(margin));
}

}  // namespace

void TimeBarSkinBlocks(unsigned char thumb[64], unsigned char left[48], unsigned char right[48]) {
  std::fill(thumb, thumb + 64, 0);
  PutCell(thumb, 0, kNgBarThumb, 12, 12, 3);
  PutCell(thumb, 32, kNgBarTrack, 12, 12, 3);
  for (auto [block, glyph] : {std::pair{left, kNgBarArrowLeft}, std::pair{right, kNgBarArrowRight}}) {
    std::fill(block, block + 48, 0);
    PutCell(block, 0, kNgBarArrowFace, 12, 12, 3);
    PutWord(block, 32, uint32_t(glyph));
    PutWord(block, 40, 8);
    PutWord(block, 44, 8);
  }
}

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
  const ColorRef thumbFaces[3] = {Rgb(0xB8, 0xC0, 0xCC), Rgb(0x80, 0x84, 0x8A), Rgb(0x9C, 0xC3, 0xF0)};
  const ColorRef trackFaces[3] = {Rgb(0x48, 0x4C, 0x52), Rgb(0x56, 0x58, 0x5C), Rgb(0x44, 0x48, 0x50)};
  const ColorRef arrowFaces[3] = {Rgb(0xA8, 0xB0, 0xBC), Rgb(0x78, 0x7C, 0x82), Rgb(0x8C, 0xB4, 0xE6)};
  const ColorRef arrowInks[3] = {Rgb(0x20, 0x28, 0x38), Rgb(0x50, 0x54, 0x5A), Rgb(0x10, 0x20, 0x40)};
  RegisterStrip(kNgBarThumb, 3, 12, 12, thumbFaces, Rgb(0x30, 0x34, 0x3A));
  RegisterStrip(kNgBarTrack, 3, 12, 12, trackFaces, Rgb(0x38, 0x3A, 0x3E));
  RegisterStrip(kNgBarArrowFace, 3, 12, 12, arrowFaces, Rgb(0x30, 0x34, 0x3A));
  RegisterGlyph(kNgBarArrowLeft, true, arrowFaces, arrowInks);
  RegisterGlyph(kNgBarArrowRight, false, arrowFaces, arrowInks);
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
  RegisterLegendArt();
}

// The built-in sheet look, drawn pixel by pixel: light zebra cells, grey header faces with a
// one-pixel edge, a warm hot look, and flat icons (see SheetSkinArt.h).
#include "gadget/sheet/SheetSkinArt.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"

namespace {

using vt::ColorRef;
using vt::Rgb;

ColorRef Grey(int v) { return Rgb(uint8_t(v), uint8_t(v), uint8_t(v)); }
ColorRef Mix(ColorRef a, ColorRef b, double f) {
  auto ch = [f](int x, int y) { return uint8_t(std::lround(x + (y - x) * f)); };
  return Rgb(ch(vt::RedOf(a), vt::RedOf(b)), ch(vt::GreenOf(a), vt::GreenOf(b)),
             ch(vt::BlueOf(a), vt::BlueOf(b)));
}

// A strip of cells; paint(cell, x, y) gives a pixel's colour and its mask grey (0 shows it).
void MakeStrip(int id, int maskId, int cells, int w, int h,
               const std::function<std::pair<ColorRef, int>(int, int, int)>& paint) {
  auto image = vt::Bitmap::Create(cells * w, h, 24);
  auto mask = vt::Bitmap::Create(cells * w, h, 24);
  for (int c = 0; c < cells; ++c)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const auto [colour, grey] = paint(c, x, y);
        image->SetPixel(c * w + x, y, colour);
        mask->SetPixel(c * w + x, y, Grey(grey));
      }
  vt::RegisterBitmap(id, std::move(image));
  if (maskId) vt::RegisterBitmap(maskId, std::move(mask));
}

// A face with a light top-left and a dark bottom-right edge and a vertical gradient.
std::pair<ColorRef, int> Face(int x, int y, int w, int h, ColorRef top, ColorRef bottom, ColorRef light,
                              ColorRef dark) {
  if (x == w - 1 || y == h - 1) return {dark, 0};
  if (x == 0 || y == 0) return {light, 0};
  return {Mix(top, bottom, h > 2 ? double(y - 1) / (h - 3) : 0), 0};
}

// The coverage (0..1) of a pixel by a disc.
double DiscCoverage(int x, int y, double cx, double cy, double r) {
  return std::clamp(r + 0.5 - std::hypot(x + 0.5 - cx, y + 0.5 - cy), 0.0, 1.0);
}

void ColumnStrip() {
  struct Look {
    ColorRef top, bottom;
  } looks[] = {{Rgb(0xF7, 0xF7, 0xF7), Rgb(0xD9, 0xD9, 0xD9)},
               {Rgb(0xEC, 0xEC, 0xEC), Rgb(0xE4, 0xE4, 0xE4)},
               {Rgb(0xC4, 0xC4, 0xC4), Rgb(0xD6, 0xD6, 0xD6)},
               {Rgb(0xFF, 0xF4, 0xDC), Rgb(0xF2, 0xD3, 0x9A)}};
  MakeStrip(kSheetColumnStrip, 0, 4, 3, 42, [&](int c, int x, int y) {
    return Face(x, y, 3, 42, looks[c].top, looks[c].bottom, Grey(0xFF), Grey(0x9C));
  });
}

void LineStrip() {
  MakeStrip(kSheetLineStrip, 0, 8, 3, 20, [](int c, int x, int y) {
    const bool odd = c & 4, selected = c & 2, inactive = c & 1;
    ColorRef face = selected ? (odd ? Grey(0x8F) : Grey(0x7F)) : (odd ? Grey(0xE0) : Grey(0xEE));
    if (inactive) face = Mix(face, Grey(0xF8), 0.5);
    return Face(x, y, 3, 20, Mix(face, Grey(0xFF), 0.3), face, Mix(face, Grey(0xFF), 0.6), Grey(0xA8));
  });
}

// A 13 x 13 box with a check mark: off, on, off inactive, on inactive.
void CheckIcons(int id, int maskId, ColorRef mark) {
  MakeStrip(id, maskId, 4, 13, 13, [mark](int c, int x, int y) -> std::pair<ColorRef, int> {
    const bool on = c & 1, inactive = c & 2;
    const ColorRef outline = inactive ? Grey(0xB8) : Grey(0x6A);
    if (x < 1 || y < 1 || x > 11 || y > 11) return {Grey(0xFF), 255};
    if (x == 1 || y == 1 || x == 11 || y == 11) return {outline, 0};
    // The mark: down from (3, 6) to (5, 8), then up to (9, 3).
    const bool onMark = (x >= 3 && x <= 5 && (y == x + 3 || y == x + 4)) ||
                        (x >= 5 && x <= 9 && (y == 13 - x || y == 14 - x));
    if (on && onMark) return {inactive ? Grey(0xAA) : mark, 0};
    return {inactive ? Grey(0xF2) : Grey(0xFF), 0};
  });
}

// A round lamp: off grey, on green, paler when inactive.
void Lamps(int id, int maskId, ColorRef lit) {
  MakeStrip(id, maskId, 4, 13, 13, [lit](int c, int x, int y) -> std::pair<ColorRef, int> {
    const bool on = c & 1, inactive = c & 2;
    const double outer = DiscCoverage(x, y, 6.5, 6.5, 5.5), inner = DiscCoverage(x, y, 6.5, 6.5, 4.5);
    ColorRef body = on ? lit : Grey(0xC8);
    if (inactive) body = Mix(body, Grey(0xF0), 0.6);
    const ColorRef ring = inactive ? Grey(0xB0) : Grey(0x60);
    // A small highlight to the upper left.
    const double shine = DiscCoverage(x, y, 5.0, 5.0, 1.5);
    return {Mix(Mix(ring, body, inner), Grey(0xFF), on ? 0.6 * shine : 0.3 * shine),
            int(std::lround(255 * (1 - outer)))};
  });
}

void ComboParts() {
  MakeStrip(kSheetComboButton, kSheetComboButtonMask, 2, 16, 16, [](int c, int x, int y) {
    return Face(x, y, 16, 16, c ? Grey(0xEC) : Grey(0xFA), c ? Grey(0xE2) : Grey(0xD2), Grey(0xFF),
                c ? Grey(0xB8) : Grey(0x80));
  });
  MakeStrip(kSheetComboArrow, kSheetComboArrowMask, 2, 8, 5,
            [](int c, int x, int y) -> std::pair<ColorRef, int> {
              const bool in = x >= y && x <= 7 - y && y < 4;
              return {c ? Grey(0xA8) : Grey(0x33), in ? 0 : 255};
            });
}

void CyclicIcon() {
  MakeStrip(
      kSheetCyclicIcon, kSheetCyclicIconMask, 3, 16, 16, [](int c, int x, int y) -> std::pair<ColorRef, int> {
        const ColorRef ink = c == 1 ? Grey(0xB0) : c == 2 ? Rgb(0x1C, 0x4E, 0x9A) : Rgb(0x2F, 0x6F, 0xC6);
        const double ring = DiscCoverage(x, y, 8, 8, 6) * (1 - DiscCoverage(x, y, 8, 8, 4));
        // A gap at the upper right with an arrow head pointing down into it.
        const bool gap = x >= 9 && y <= 6;
        const bool head = y >= 3 && y <= 7 && x >= 9 + (y - 3) && x <= 15 - (y - 3);
        double cover = gap ? 0 : ring;
        if (head) cover = 1;
        return {ink, int(std::lround(255 * (1 - cover)))};
      });
}

void PushButtons() {
  MakeStrip(kSheetPushButton, 0, 16, 11, 20, [](int c, int x, int y) {
    const bool selected = c & 4, odd = c & 8;
    const int look = c & 3;  // normal, inactive, pressed, hot
    ColorRef top = Grey(0xFB), bottom = Grey(0xDD);
    if (look == 1) top = bottom = Grey(0xEE);
    if (look == 2) top = Grey(0xC6), bottom = Grey(0xDA);
    if (look == 3) top = Rgb(0xE8, 0xF3, 0xFF), bottom = Rgb(0xB8, 0xD8, 0xF8);
    if (selected) top = Mix(top, Grey(0x80), 0.3), bottom = Mix(bottom, Grey(0x80), 0.3);
    if (odd) top = Mix(top, Grey(0xE6), 0.2);
    return Face(x, y, 11, 20, top, bottom, Grey(0xFF), Grey(0x8A));
  });
}

}  // namespace

void RegisterSheetSkinArt() {
  ColumnStrip();
  LineStrip();
  CheckIcons(kSheetCheckIcons, kSheetCheckIconsMask, Rgb(0x22, 0x22, 0x22));
  CheckIcons(kSheetCheckIcons2, kSheetCheckIcons2Mask, Rgb(0x22, 0x22, 0x22));
  CheckIcons(kSheetGroupCheckIcons, kSheetGroupCheckIconsMask, Rgb(0x1C, 0x8A, 0x3A));
  Lamps(kSheetLamp, kSheetLampMask, Rgb(0x3C, 0xC8, 0x3C));
  Lamps(kSheetToggleIcon, kSheetToggleIconMask, Rgb(0xF0, 0xA0, 0x20));
  ComboParts();
  CyclicIcon();
  PushButtons();
  MakeStrip(kSheetSpareButton, 0, 1, 11, 20, [](int, int x, int y) {
    return Face(x, y, 11, 20, Grey(0xFB), Grey(0xDD), Grey(0xFF), Grey(0x8A));
  });
}

SGSheetSkin BuiltinSheetSkin() {
  SGSheetSkin s{};
  const int32_t fills[4] = {0x02FFFFFF, 0x02E6E6E6, 0x027F7F7F, 0x028F8F8F};
  const int32_t texts[4] = {0x02333333, 0x02FFFFFF, 0x02999999, 0x02BEBEBE};
  const int32_t frames[4][4] = {{0x02FDF3E7, 0x02FDF3E7, 0x02EEE5DA, 0x02FDF3E7},
                                {0x02FFFFFF, 0x02FFFFFF, 0x02EEE5DA, 0x02FFFFFF},
                                {0x027F7F7F, 0x027F7F7F, 0x027F7F7F, 0x027F7F7F},
                                {0x028F8F8F, 0x028F8F8F, 0x028F8F8F, 0x028F8F8F}};
  std::copy(fills, fills + 4, s.cellFill);
  std::copy(texts, texts + 4, s.cellText);
  for (int i = 0; i < 4; ++i) std::copy(frames[i], frames[i] + 4, s.cellFrame[i]);
  s.background = 0x02999999;
  s.frame = 0x02808080;
  s.column = SGSColumnSkin{
      kSheetColumnStrip, 0,          3,          42,         1,          1, 1, 1, 14, 1, 0, 0, 0, 1,
      0x02333333,        0x02333333, 0x02333333, 0x02333333, 0x02D9D9D9, 0};
  s.line = SGSLineSkin{kSheetLineStrip, 0,          3,          20,         1,         1, 1, 1, 0, 0, 0, 0, 0,
                       0x02333333,      0x02333333, 0x02999999, 0x02999999, 0x02FFFFFF};
  const int32_t checkIcon[4] = {kSheetCheckIcons, kSheetCheckIconsMask, 13, 13};
  std::copy(checkIcon, checkIcon + 4, s.checkIcon);
  s.channelMarkFrame = 0x02808080;
  const int32_t combo[12] = {kSheetComboButton, kSheetComboButtonMask, 16, 16, 4, 4, 4, 5,
                             kSheetComboArrow,  kSheetComboArrowMask,  8,  5};
  std::copy(combo, combo + 12, s.comboBlock);
  const int32_t push[22] = {kSheetPushButton,
                            0,
                            11,
                            20,
                            5,
                            5,
                            5,
                            5,
                            0,
                            1,
                            1,
                            1,
                            1,
                            0x02404040,
                            0x029F9F9F,
                            0x02D7FE00,
                            0x02E68000,
                            0x02404040,
                            0x029F9F9F,
                            0x02D7FE00,
                            0x02E68000,
                            0x02FFFFFF};
  std::copy(push, push + 22, s.pushBlock);
  const int32_t check2[4] = {kSheetCheckIcons2, kSheetCheckIcons2Mask, 13, 13};
  std::copy(check2, check2 + 4, s.checkIcon2);
  const int32_t togLabel[16] = {
      kSheetLamp, kSheetLampMask, 13,         13,         kSheetSpareButton, 0, 11, 20, 5, 5, 5,
      5,          0x02333333,     0x02333333, 0x029F9F9F, 0x02BEBEBE};
  std::copy(togLabel, togLabel + 16, s.togLabelBlock);
  const int32_t cyclic[4] = {kSheetCyclicIcon, kSheetCyclicIconMask, 16, 16};
  std::copy(cyclic, cyclic + 4, s.cyclicBlock);
  const int32_t togIcon[4] = {kSheetToggleIcon, kSheetToggleIconMask, 13, 13};
  std::copy(togIcon, togIcon + 4, s.togIconBlock);
  const int32_t alarms[8] = {0x020000FF, 0x0200FF00, 0x02999999, 0x02000000,
                             0x02A8A8D5, 0x02A8D5A9, 0x02CCCCCC, 0x027F7F7F};
  std::copy(alarms, alarms + 8, s.alarmColors);
  return s;
}

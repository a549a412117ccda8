// The built-in skin, drawn pixel by pixel: flat faces with a one-pixel rounded outline, a
// cool grey palette with one blue accent for hover, checked and selected states.
#include "gadget/skin/SkinArt.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"

namespace {

using vt::ColorRef;
using vt::Rgb;

// Palette.
constexpr ColorRef kRootBack = Rgb(0xEC, 0xEE, 0xF1);
constexpr ColorRef kFace = Rgb(0xE2, 0xE6, 0xEC);
constexpr ColorRef kFaceHover = Rgb(0xEE, 0xF3, 0xFB);
constexpr ColorRef kFacePressed = Rgb(0xC9, 0xD3, 0xE1);
constexpr ColorRef kFaceDisabled = Rgb(0xEB, 0xEC, 0xEE);
constexpr ColorRef kOutline = Rgb(0x8C, 0x96, 0xA5);
constexpr ColorRef kOutlineDisabled = Rgb(0xC3, 0xC6, 0xCC);
constexpr ColorRef kAccent = Rgb(0x2F, 0x6F, 0xC6);
constexpr ColorRef kAccentDisabled = Rgb(0xA9, 0xB4, 0xC4);
constexpr ColorRef kInk = Rgb(0x1E, 0x23, 0x2D);
constexpr ColorRef kInkDisabled = Rgb(0x9A, 0x9E, 0xA6);
constexpr ColorRef kField = Rgb(0xFF, 0xFF, 0xFF);
constexpr ColorRef kFieldDisabled = Rgb(0xF1, 0xF2, 0xF4);
constexpr ColorRef kWhite = Rgb(0xFF, 0xFF, 0xFF);
constexpr ColorRef kBlack = Rgb(0, 0, 0);

ColorRef Grey(int v) { return Rgb(uint8_t(v), uint8_t(v), uint8_t(v)); }

// Coverage (0..1) of pixel (x, y) by a rounded rectangle [0, w) x [0, h) of corner radius r,
// shrunk by inset.
double RoundedCoverage(int x, int y, int w, int h, double r, double inset) {
  r = std::max(r, 0.5);
  const double px = x + 0.5, py = y + 0.5;
  const double cx = std::clamp(px, inset + r, w - inset - r), cy = std::clamp(py, inset + r, h - inset - r);
  return std::clamp(r + 0.5 - std::hypot(px - cx, py - cy), 0.0, 1.0);
}

ColorRef Mix(ColorRef a, ColorRef b, double f) {
  auto ch = [f](int x, int y) { return uint8_t(std::lround(x + (y - x) * f)); };
  return Rgb(ch(vt::RedOf(a), vt::RedOf(b)), ch(vt::GreenOf(a), vt::GreenOf(b)),
             ch(vt::BlueOf(a), vt::BlueOf(b)));
}

struct Strip {
  std::unique_ptr<vt::Bitmap> image, mask;
  Strip(int cells, int w, int h)
      : image(vt::Bitmap::Create(cells * w, h, 24)), mask(vt::Bitmap::Create(cells * w, h, 24)) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < cells * w; ++x) {
        image->SetPixel(x, y, kWhite);
        mask->SetPixel(x, y, kWhite);
      }
  }
};

// A rounded face with a one-pixel outline into cell `cell` of the strip; the mask gets the
// outer shape's coverage.
void RoundedCell(Strip& s, int cell, int w, int h, double radius, ColorRef fill, ColorRef outline) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double outer = RoundedCoverage(x, y, w, h, radius, 0);
      const double inner = RoundedCoverage(x, y, w, h, std::max(0.0, radius - 1), 1);
      s.image->SetPixel(cell * w + x, y, Mix(outline, fill, inner));
      s.mask->SetPixel(cell * w + x, y, Grey(int(std::lround(255 * (1 - outer)))));
    }
}

// A disc of radius r centred at (cx, cy) of the cell, drawn over what the cell holds.
void DiscAt(Strip& s, int cell, int w, int h, double cx, double cy, double r, ColorRef colour) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double f = std::clamp(r + 0.5 - d, 0.0, 1.0);
      if (f <= 0) continue;
      const ColorRef old = s.image->GetPixel(cell * w + x, y);
      s.image->SetPixel(cell * w + x, y, Mix(old, colour, f));
    }
}

void Disc(Strip& s, int cell, int w, int h, double r, ColorRef colour) {
  DiscAt(s, cell, w, h, w / 2.0, h / 2.0, r, colour);
}

void Register(int id, std::unique_ptr<vt::Bitmap> b) { vt::RegisterBitmap(id, std::move(b)); }

void PushFace() {
  const int w = 24, h = 24;
  Strip s(4, w, h);
  RoundedCell(s, 0, w, h, 3, kFace, kOutline);
  RoundedCell(s, 1, w, h, 3, kFaceDisabled, kOutlineDisabled);
  RoundedCell(s, 2, w, h, 3, kFacePressed, kAccent);
  RoundedCell(s, 3, w, h, 3, kFaceHover, kAccent);
  Register(kSkinPushFace, std::move(s.image));
  Register(kSkinPushMask, std::move(s.mask));
}

// A check mark: two strokes through the cell.
void CheckMark(Strip& s, int cell, int w, int h, ColorRef colour) {
  auto stroke = [&](double x0, double y0, double x1, double y1) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double px = x + 0.5, py = y + 0.5, dx = x1 - x0, dy = y1 - y0;
        const double t = std::clamp(((px - x0) * dx + (py - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        const double d = std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
        const double f = std::clamp(1.5 - d, 0.0, 1.0);
        if (f > 0) s.image->SetPixel(cell * w + x, y, Mix(s.image->GetPixel(cell * w + x, y), colour, f));
      }
  };
  stroke(w * 0.25, h * 0.52, w * 0.43, h * 0.70);
  stroke(w * 0.43, h * 0.70, w * 0.76, h * 0.32);
}

void CheckStrip() {
  const int w = 16, h = 16;
  Strip s(4, w, h);
  RoundedCell(s, 0, w, h, 2.5, kField, kOutline);
  RoundedCell(s, 1, w, h, 2.5, kAccent, kAccent);
  CheckMark(s, 1, w, h, kWhite);
  RoundedCell(s, 2, w, h, 2.5, kFieldDisabled, kOutlineDisabled);
  RoundedCell(s, 3, w, h, 2.5, kAccentDisabled, kAccentDisabled);
  CheckMark(s, 3, w, h, kFieldDisabled);
  Register(kSkinCheckStrip, std::move(s.image));
  Register(kSkinCheckMask, std::move(s.mask));
}

void RadioStrip() {
  const int w = 14, h = 14;
  Strip s(4, w, h);
  const ColorRef rings[4] = {kOutline, kAccent, kOutlineDisabled, kAccentDisabled};
  const ColorRef fills[4] = {kField, kField, kFieldDisabled, kFieldDisabled};
  for (int c = 0; c < 4; ++c) {
    RoundedCell(s, c, w, h, 7, fills[c], rings[c]);
    if (c & 1) Disc(s, c, w, h, 3.2, rings[c]);
  }
  Register(kSkinRadioStrip, std::move(s.image));
  Register(kSkinRadioMask, std::move(s.mask));
}

void LabelFace() {
  const int w = 16, h = 16;
  auto b = vt::Bitmap::Create(2 * w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // A faint top-down shade keeps the face flat but distinct from the window.
      b->SetPixel(x, y, Mix(Rgb(0xF4, 0xF6, 0xF9), kFace, y / double(h - 1)));
      b->SetPixel(w + x, y, kFaceDisabled);
    }
  Register(kSkinLabelFace, std::move(b));
}

void FrameStrip() {
  const int w = 16, h = 16;
  Strip s(2, w, h);
  const ColorRef outline[2] = {Rgb(0xB4, 0xBB, 0xC6), kOutlineDisabled};
  for (int c = 0; c < 2; ++c)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double outer = RoundedCoverage(x, y, w, h, 4, 0);
        const double inner = RoundedCoverage(x, y, w, h, 3, 1);
        const double ring = std::max(0.0, outer - inner);
        s.image->SetPixel(c * w + x, y, outline[c]);
        s.mask->SetPixel(c * w + x, y, Grey(int(std::lround(255 * (1 - ring)))));
      }
  Register(kSkinFrameStrip, std::move(s.image));
  Register(kSkinFrameMask, std::move(s.mask));
}

void Progress() {
  const int w = 16, h = 20;
  auto trough = vt::Bitmap::Create(w, h, 24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      trough->SetPixel(x, y, edge ? kOutline : kField);
    }
  Register(kSkinTrough, std::move(trough));
  const int sw = 8, sh = 14;
  auto segment = vt::Bitmap::Create(sw, sh, 24);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x)
      segment->SetPixel(x, y, x == sw - 1 ? kField : Mix(Rgb(0x4A, 0x86, 0xD8), kAccent, y / double(sh - 1)));
  Register(kSkinSegment, std::move(segment));
}

// The face colour of the arrow button's cells: normal, disabled, pressed.
constexpr ColorRef kArrowFaces[3] = {kFace, kFaceDisabled, kFacePressed};

// One arrow glyph strip of three cells (normal, disabled, pressed) on the button's face
// colours; dir: 0 up, 1 down, 2 left, 3 right.
std::unique_ptr<vt::Bitmap> ArrowGlyphs(int dir, int length, const ColorRef (&faces)[3]) {
  const bool across = dir >= 2;
  const int gw = across ? length / 2 + 1 : length, gh = across ? length : length / 2 + 1;
  const ColorRef ink[3] = {kInk, kInkDisabled, kAccent};
  auto g = vt::Bitmap::Create(3 * gw, gh, 24);
  for (int c = 0; c < 3; ++c)
    for (int y = 0; y < gh; ++y)
      for (int x = 0; x < gw; ++x) {
        // The distance from the tip along the arrow, and the offset across it.
        const int along = dir == 0 ? y : dir == 1 ? gh - 1 - y : dir == 2 ? x : gw - 1 - x;
        const int side = across ? std::abs(y - gh / 2) : std::abs(x - gw / 2);
        g->SetPixel(c * gw + x, y, side <= along ? ink[c] : faces[c]);
      }
  return g;
}

void ArrowButtons() {
  const int w = 14, h = 14;
  Strip s(3, w, h);
  RoundedCell(s, 0, w, h, 2, kArrowFaces[0], kOutline);
  RoundedCell(s, 1, w, h, 2, kArrowFaces[1], kOutlineDisabled);
  RoundedCell(s, 2, w, h, 2, kArrowFaces[2], kAccent);
  Register(kSkinArrowButton, std::move(s.image));
  Register(kSkinArrowUp, ArrowGlyphs(0, 7, kArrowFaces));
  Register(kSkinArrowDown, ArrowGlyphs(1, 7, kArrowFaces));
  Register(kSkinArrowLeft, ArrowGlyphs(2, 7, kArrowFaces));
  Register(kSkinArrowRight, ArrowGlyphs(3, 7, kArrowFaces));
}

// The scroll track's colours: normal, disabled, pressed. The thin bars' buttons are track
// cells with small arrows on them.
constexpr ColorRef kTroughs[3] = {Rgb(0xF3, 0xF4, 0xF6), kFieldDisabled, Rgb(0xE6, 0xE9, 0xEE)};

// Scroll bars: a light trough with a faint outline, and a rounded thumb a step darker.
void ScrollParts() {
  const int w = 12, h = 12;
  auto track = vt::Bitmap::Create(3 * w, h, 24);
  const ColorRef edges[3] = {Rgb(0xD5, 0xD9, 0xDF), Rgb(0xE0, 0xE2, 0xE6), Rgb(0xC9, 0xCF, 0xD8)};
  for (int c = 0; c < 3; ++c)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
        track->SetPixel(c * w + x, y, edge ? edges[c] : kTroughs[c]);
      }
  Register(kSkinScrollTrack, std::move(track));
  Strip thumb(3, w, h);
  RoundedCell(thumb, 0, w, h, 3, Rgb(0xC4, 0xCB, 0xD6), Rgb(0xA5, 0xAE, 0xBC));
  RoundedCell(thumb, 1, w, h, 3, kFaceDisabled, kOutlineDisabled);
  RoundedCell(thumb, 2, w, h, 3, Rgb(0x9D, 0xB4, 0xD6), kAccent);
  Register(kSkinScrollThumb, std::move(thumb.image));
  Register(kSkinScrollThumbMask, std::move(thumb.mask));
  Register(kSkinThinArrowUp, ArrowGlyphs(0, 5, kTroughs));
  Register(kSkinThinArrowDown, ArrowGlyphs(1, 5, kTroughs));
  Register(kSkinThinArrowLeft, ArrowGlyphs(2, 5, kTroughs));
  Register(kSkinThinArrowRight, ArrowGlyphs(3, 5, kTroughs));
}

// The outline of the page frame, shared by the tabs so that they join the page.
constexpr ColorRef kPageOutline = Rgb(0xB4, 0xBB, 0xC6);
constexpr ColorRef kPageOutlineDisabled = kOutlineDisabled;

// Tabs: rounded at the top, square at the bottom; the active ones are the page's colour with
// an accent line on top and no bottom edge, so that they run into the page below.
void TabStrip() {
  const int w = 16, h = 16;
  Strip s(4, w, h);
  const ColorRef fills[4] = {kFace, kField, kFaceDisabled, kFieldDisabled};
  const ColorRef lines[4] = {kPageOutline, kPageOutline, kPageOutlineDisabled, kPageOutlineDisabled};
  for (int c = 0; c < 4; ++c) {
    const bool active = c & 1;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        // A rounded shape twice as tall: its lower corners fall below the cell.
        const double outer = RoundedCoverage(x, y, w, 2 * h, 3, 0);
        const double inner = RoundedCoverage(x, y, w, 2 * h, 2, 1);
        ColorRef colour = Mix(lines[c], fills[c], inner);
        if (!active && y == h - 1) colour = lines[c];
        if (active && c == 1 && y >= 1 && y <= 2 && x >= 1 && x <= w - 2) colour = kAccent;
        s.image->SetPixel(c * w + x, y, colour);
        s.mask->SetPixel(c * w + x, y, Grey(int(std::lround(255 * (1 - outer)))));
      }
  }
  Register(kSkinTabStrip, std::move(s.image));
  Register(kSkinTabMask, std::move(s.mask));
}

// Splitter: a slim rail (its ends are stretched along the splitter) with three grip dots in
// its middle.
void SplitGrip() {
  const int w = 6, h = 24;
  Strip s(3, w, h);
  const ColorRef rails[3] = {kFace, kFaceDisabled, kFacePressed};
  const ColorRef dots[3] = {kOutline, kOutlineDisabled, kAccent};
  for (int c = 0; c < 3; ++c) {
    RoundedCell(s, c, w, h, 0, rails[c], rails[c]);
    for (int d = -1; d <= 1; ++d) DiscAt(s, c, w, h, w / 2.0, h / 2.0 + 5 * d, 1.2, dots[c]);
  }
  Register(kSkinSplitGrip, std::move(s.image));
  Register(kSkinSplitMask, std::move(s.mask));
}

}  // namespace

void RegisterSkinArt() {
  PushFace();
  CheckStrip();
  RadioStrip();
  LabelFace();
  FrameStrip();
  Progress();
  ArrowButtons();
  ScrollParts();
  TabStrip();
  SplitGrip();
}

SGSkinDescriptor BuiltinSkinDescriptor() {
  SGSkinDescriptor d;
  // In-place editors: frame colours left, top, right, bottom.
  for (int i = 0; i < 4; ++i) d.Set(0x000 + 4 * i, kOutline);
  // Progress bar: trough, then the segment picture.
  const uint32_t progress[12] = {kSkinTrough, 0, 16, 20, 2, 2, 2, 2, kSkinSegment, 0, 8, 14};
  for (int i = 0; i < 12; ++i) d.Set(0x050 + 4 * i, progress[i]);
  // Text fields: field, frame and text colours, active then not active.
  const uint32_t fields[6] = {kField, kFieldDisabled, kOutline, kOutlineDisabled, kInk, kInkDisabled};
  for (int i = 0; i < 6; ++i) d.Set(0x080 + 4 * i, fields[i]);
  // Drop-down field: the arrow button's face and its down glyph, then field, frame and text
  // colours, enabled then disabled.
  const uint32_t combo[18] = {kSkinArrowButton,
                              0,
                              14,
                              14,
                              3,
                              3,
                              3,
                              3,
                              kSkinArrowDown,
                              0,
                              7,
                              4,
                              kField,
                              kFieldDisabled,
                              kOutline,
                              kOutlineDisabled,
                              kInk,
                              kInkDisabled};
  for (int i = 0; i < 18; ++i) d.Set(0x098 + 4 * i, combo[i]);
  // Push button.
  const uint32_t push[18] = {
      kSkinPushFace, kSkinPushMask,         24,     24, 4, 4, 4, 4, 1, 1, 0, 1, kInk, kInkDisabled,
      kInk,          Rgb(0x15, 0x4A, 0x96), kWhite, 0};
  for (int i = 0; i < 18; ++i) d.Set(0x0E0 + 4 * i, push[i]);
  // Radio and toggle icon buttons.
  const uint32_t radio[6] = {kSkinRadioStrip, kSkinRadioMask, 14, 14, kInk, kInkDisabled};
  const uint32_t check[6] = {kSkinCheckStrip, kSkinCheckMask, 16, 16, kInk, kInkDisabled};
  for (int i = 0; i < 6; ++i) {
    d.Set(0x148 + 4 * i, radio[i]);
    d.Set(0x160 + 4 * i, check[i]);
  }
  // Tab pages: the tab strip, the page frame, text colours (inactive, active, disabled
  // inactive, disabled active), page colours (enabled, disabled), shadow colour and offset.
  const uint32_t tabs[26] = {kSkinTabStrip,
                             kSkinTabMask,
                             16,
                             16,
                             4,
                             4,
                             4,
                             2,
                             kSkinFrameStrip,
                             kSkinFrameMask,
                             16,
                             16,
                             5,
                             5,
                             5,
                             5,
                             kInk,
                             kInk,
                             kInkDisabled,
                             kInkDisabled,
                             kField,
                             kFieldDisabled,
                             kWhite,
                             0,
                             0,
                             0};
  for (int i = 0; i < 26; ++i) d.Set(0x178 + 4 * i, tabs[i]);
  // Splitter: the grip strip, its mask, the cell size and the height of the stretched ends.
  const uint32_t split[6] = {kSkinSplitGrip, kSkinSplitMask, 6, 24, 0, 4};
  for (int i = 0; i < 6; ++i) d.Set(0x200 + 4 * i, split[i]);
  // Scroll bars, thin and normal, horizontal then vertical: the thumb and track, then the two
  // arrow buttons (the arrow button's face with the glyph of their direction).
  const uint32_t bar[16] = {
      kSkinScrollThumb, kSkinScrollThumbMask, 12, 12, 3, 3, 3, 3, kSkinScrollTrack, 0, 12, 12, 2, 2, 2, 2};
  const int barBlocks[4] = {0x240, 0x2E0, 0x380, 0x420};
  const uint32_t glyphs[4][2] = {{kSkinThinArrowLeft, kSkinThinArrowRight},
                                 {kSkinThinArrowUp, kSkinThinArrowDown},
                                 {kSkinArrowLeft, kSkinArrowRight},
                                 {kSkinArrowUp, kSkinArrowDown}};
  for (int k = 0; k < 4; ++k) {
    for (int i = 0; i < 16; ++i) d.Set(barBlocks[k] + 4 * i, bar[i]);
    const bool across = (k % 2) == 0, thin = k < 2;
    // Normal buttons: the arrow button's face and glyph; thin ones: a track cell, small glyph.
    const uint32_t length = thin ? 5 : 7, depth = length / 2 + 1;
    for (int b = 0; b < 2; ++b) {
      const uint32_t arrow[12] = {thin ? uint32_t(kSkinScrollTrack) : uint32_t(kSkinArrowButton),
                                  0,
                                  thin ? 12u : 14u,
                                  thin ? 12u : 14u,
                                  thin ? 2u : 3u,
                                  thin ? 2u : 3u,
                                  thin ? 2u : 3u,
                                  thin ? 2u : 3u,
                                  glyphs[k][b],
                                  0,
                                  across ? depth : length,
                                  across ? length : depth};
      for (int i = 0; i < 12; ++i) d.Set(barBlocks[k] + 0x40 + 0x30 * b + 4 * i, arrow[i]);
    }
  }
  // The tab strip's scroll buttons: left and right arrows.
  for (int b = 0; b < 2; ++b) {
    const uint32_t arrow[12] = {
        kSkinArrowButton, 0, 14, 14, 3, 3, 3, 3, uint32_t(b ? kSkinArrowRight : kSkinArrowLeft), 0, 4, 7};
    for (int i = 0; i < 12; ++i) d.Set(0x610 + 0x30 * b + 4 * i, arrow[i]);
  }
  d.Set(0x4C0, kRootBack);
  // Button label: face, its size, bevels (enabled, disabled) and text colours.
  const uint32_t label[14] = {kSkinLabelFace,
                              0,
                              16,
                              16,
                              kOutline,
                              kOutline,
                              kOutline,
                              kOutline,
                              kOutlineDisabled,
                              kOutlineDisabled,
                              kOutlineDisabled,
                              kOutlineDisabled,
                              kInk,
                              kInkDisabled};
  for (int i = 0; i < 14; ++i) d.Set(0x4C8 + 4 * i, label[i]);
  // Digital volume: colours, then the up and down arrow buttons.
  for (int i = 0; i < 6; ++i) d.Set(0x500 + 4 * i, fields[i]);
  for (int b = 0; b < 2; ++b) {
    const uint32_t arrow[12] = {
        kSkinArrowButton, 0, 14, 14, 3, 3, 3, 3, uint32_t(b == 0 ? kSkinArrowUp : kSkinArrowDown), 0, 7, 4};
    for (int i = 0; i < 12; ++i) d.Set(0x518 + 0x30 * b + 4 * i, arrow[i]);
  }
  // Radio group box: frame cell, radio mark, title colours.
  const uint32_t group[14] = {kSkinFrameStrip, kSkinFrameMask, 16, 16, 5,    5,           5, 5,
                              kSkinRadioStrip, kSkinRadioMask, 14, 14, kInk, kInkDisabled};
  for (int i = 0; i < 14; ++i) d.Set(0x5A0 + 4 * i, group[i]);
  return d;
}

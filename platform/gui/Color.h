// Colour values: COLORREF (0x02bbggrr, red in the low byte) as the gadgets, skins and settings
// store it, and ARGB (0xAARRGGBB) for translucent fills.
//
// The top byte of a COLORREF is a flag (0x02 asks for the nearest palette colour) and never
// changes the drawn colour. The one exception is 0xFFFFFFFF, which callers use for "inherit";
// when such a value reaches a fill it names no colour and the fill draws nothing.
#pragma once
#include <cstdint>

namespace vt {

using ColorRef = uint32_t;
using Argb = uint32_t;

constexpr ColorRef kNoColor = 0xFFFFFFFFu;

constexpr ColorRef Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return ColorRef(r) | (ColorRef(g) << 8) | (ColorRef(b) << 16);
}
constexpr ColorRef PaletteRgb(uint8_t r, uint8_t g, uint8_t b) { return 0x02000000u | Rgb(r, g, b); }
constexpr uint8_t RedOf(ColorRef c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GreenOf(ColorRef c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t BlueOf(ColorRef c) { return uint8_t((c >> 16) & 0xFF); }
constexpr bool IsNoColor(ColorRef c) { return c == kNoColor; }

// 0xFFrrggbb, the pixel layout of our 32-bit images.
constexpr uint32_t ToPixel(ColorRef c) {
  return 0xFF000000u | (uint32_t(RedOf(c)) << 16) | (uint32_t(GreenOf(c)) << 8) | BlueOf(c);
}
constexpr ColorRef FromPixel(uint32_t pixel) {
  return Rgb(uint8_t((pixel >> 16) & 0xFF), uint8_t((pixel >> 8) & 0xFF), uint8_t(pixel & 0xFF));
}

constexpr Argb MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return (Argb(a) << 24) | (Argb(r) << 16) | (Argb(g) << 8) | b;
}
// A COLORREF with the given opacity.
constexpr Argb ArgbFrom(uint8_t alpha, ColorRef c) {
  return MakeArgb(alpha, RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace vt

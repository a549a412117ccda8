// A pen as a device context holds it: style, width in device pixels, colour.
//
// Pens are plain values; selecting one into a device context copies it, and the context hands
// the previous one back so that callers can restore it.
#pragma once
#include <cstdint>

#include "platform/gui/Color.h"

namespace vt {

enum class PenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, Null };

struct Pen {
  PenStyle style = PenStyle::Solid;
  int32_t width = 1;  // 0 counts as 1
  ColorRef color = 0;
  friend bool operator==(const Pen&, const Pen&) = default;
};

inline Pen SolidPen(ColorRef color, int32_t width = 1) { return Pen{PenStyle::Solid, width, color}; }
inline Pen NullPen() { return Pen{PenStyle::Null, 1, 0}; }

}  // namespace vt

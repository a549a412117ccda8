// A brush: solid colour, null (no fill), or the 8x8 halftone checkerboard.
//
// The halftone brush takes its colours from the device context it fills on: the text colour for
// the set bits, the background colour for the clear ones. Its pattern is anchored at the
// device's origin, so that dotted lines drawn at different times and places stay in phase.
#pragma once
#include <cstdint>

#include "platform/gui/Color.h"

namespace vt {

enum class BrushKind : uint8_t { Solid, Null, Halftone };

struct Brush {
  BrushKind kind = BrushKind::Solid;
  ColorRef color = 0x00FFFFFF;  // solid brushes only
  friend bool operator==(const Brush&, const Brush&) = default;
};

inline Brush SolidBrush(ColorRef color) { return Brush{BrushKind::Solid, color}; }
inline Brush NullBrush() { return Brush{BrushKind::Null, 0}; }
inline Brush HalftoneBrush() { return Brush{BrushKind::Halftone, 0}; }

// Whether the halftone pattern sets the pixel at device position (x, y).
constexpr bool HalftoneBitSet(int32_t x, int32_t y) { return ((x + y) & 1) == 0; }

}  // namespace vt

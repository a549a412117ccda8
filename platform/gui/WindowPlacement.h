// The placement of a window inside its frame as the saved-graph records keep it: 44 bytes of
// length, flags, show state, minimised and maximised positions and the normal rectangle. The
// normal rectangle is the window's own, kept while it is minimised or maximised, so a placement
// read back after it was applied gives the same numbers.
#pragma once
#include <cstdint>

#include "platform/gui/Geometry.h"

namespace vt {

inline constexpr uint32_t kPlacementLength = 44;
inline constexpr uint32_t kShowNormal = 1;
inline constexpr uint32_t kShowMinimized = 2;
inline constexpr uint32_t kShowMaximized = 3;

struct WindowPlacement {
  uint32_t length = kPlacementLength;
  uint32_t flags = 0;
  uint32_t showCmd = kShowNormal;
  Point minPosition{-1, -1};
  Point maxPosition{-1, -1};
  Rect normal;

  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

}  // namespace vt

// Rectangle, point and size records with 32-bit fields, in integer device pixels.
//
// Stored records (window placements, print layouts) serialise these field by field, so the
// fields are fixed at 32 bits whatever the platform's long. A rectangle excludes its right and
// bottom edges: (0, 0, 10, 10) covers the pixels 0..9 in both directions.
#pragma once
#include <algorithm>
#include <cstdint>

namespace vt {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  // Empty when it covers no pixel (an inverted rectangle is empty too).
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect MakeRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return Rect{left, top, right, bottom};
}

// The common part of a and b; an empty rectangle (all zero) when they do not meet.
inline Rect IntersectRects(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.IsEmpty() ? Rect{} : r;
}

// The smallest rectangle holding both; an empty operand does not count.
inline Rect UnionRects(const Rect& a, const Rect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? Rect{} : b;
  if (b.IsEmpty()) return a;
  return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

inline Rect OffsetRect(const Rect& r, int32_t dx, int32_t dy) {
  return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Shrinks by dx on the left and right and dy on the top and bottom (negative values grow it).
inline Rect InflateRect(const Rect& r, int32_t dx, int32_t dy) {
  return Rect{r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}

}  // namespace vt

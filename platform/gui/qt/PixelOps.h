// Pixel access shared by the device contexts' own loops, for 32-bit and 1-bit surfaces.
//
// A 1-bit surface stores white as 1 and black as 0; a colour written to it becomes white when
// it is light (grey level 128 or above) and black otherwise.
#pragma once
#include <QBrush>
#include <QImage>
#include <QPen>
#include <algorithm>
#include <cstdint>

#include "platform/gui/Brush.h"
#include "platform/gui/Geometry.h"
#include "platform/gui/Pen.h"

namespace vt {

inline bool IsMonoImage(const QImage& image) { return image.format() == QImage::Format_Mono; }

inline uint32_t GetImagePixel(const QImage& image, int32_t x, int32_t y) {
  if (IsMonoImage(image)) return image.pixelIndex(x, y) ? 0xFFFFFFFFu : 0xFF000000u;
  return reinterpret_cast<const uint32_t*>(image.constScanLine(y))[x] | 0xFF000000u;
}

inline void PutImagePixel(QImage& image, int32_t x, int32_t y, uint32_t pixel) {
  if (IsMonoImage(image)) {
    image.setPixel(x, y, qGray(pixel) >= 128 ? 1 : 0);
  } else {
    reinterpret_cast<uint32_t*>(image.scanLine(y))[x] = pixel | 0xFF000000u;
  }
}

// r must lie inside the image.
inline void FillImageRect(QImage& image, const Rect& r, uint32_t pixel) {
  if (IsMonoImage(image)) {
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x) PutImagePixel(image, x, y, pixel);
    return;
  }
  for (int32_t y = r.top; y < r.bottom; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    std::fill(row + r.left, row + r.right, pixel | 0xFF000000u);
  }
}

QPen ToQPen(const Pen& pen);
QBrush ToQBrush(const Brush& brush, ColorRef textColor, ColorRef bkColor);

}  // namespace vt

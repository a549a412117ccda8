// Device capabilities of a pixel surface: size in pixels and millimetres, resolution, depth.
#pragma once
#include <cmath>

#include "platform/gui/DeviceContext.h"

namespace vt {

inline int32_t PixelDeviceCaps(DeviceCap cap, int32_t width, int32_t height, int32_t dpiX, int32_t dpiY,
                               int32_t bitsPerPixel) {
  switch (cap) {
    case DeviceCap::LogPixelsX:
      return dpiX;
    case DeviceCap::LogPixelsY:
      return dpiY;
    case DeviceCap::HorzRes:
      return width;
    case DeviceCap::VertRes:
      return height;
    case DeviceCap::HorzSize:
      return dpiX > 0 ? int32_t(std::lround(width * 25.4 / dpiX)) : 0;
    case DeviceCap::VertSize:
      return dpiY > 0 ? int32_t(std::lround(height * 25.4 / dpiY)) : 0;
    case DeviceCap::BitsPixel:
      return bitsPerPixel;
  }
  return 0;
}

}  // namespace vt

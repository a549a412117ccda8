// Memory device contexts over a selected bitmap.
#include "platform/gui/MemoryDc.h"
#include "platform/gui/qt/Raster.h"

#include <utility>

#include "platform/gui/DeviceCaps.h"

namespace vt {

Bitmap* MemoryDc::SelectBitmap(Bitmap* bitmap) { return std::exchange(bitmap_, bitmap); }

int32_t MemoryDc::GetDeviceCaps(DeviceCap cap) const {
  const int32_t w = bitmap_ ? bitmap_->Width() : 1, h = bitmap_ ? bitmap_->Height() : 1;
  return PixelDeviceCaps(cap, w, h, dpi_, dpi_, bitmap_ ? bitmap_->BitsPerPixel() : 1);
}

}  // namespace vt

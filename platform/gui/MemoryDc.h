// A memory device context: draws into the bitmap selected into it (none at first).
#pragma once
#include "platform/gui/DeviceContext.h"

namespace vt {

class MemoryDc : public DeviceContext {
 public:
  explicit MemoryDc(int32_t dpi = 96) : dpi_(dpi) {}
  // Selects a bitmap (null for none) and returns the previous one. The caller owns both and
  // keeps the selected one alive while it is selected.
  Bitmap* SelectBitmap(Bitmap* bitmap);
  Bitmap* SelectedBitmap() const { return bitmap_; }

  int32_t GetDeviceCaps(DeviceCap cap) const override;
  Raster* Surface() override { return bitmap_ ? &bitmap_->Image() : nullptr; }

 private:
  Bitmap* bitmap_ = nullptr;
  int32_t dpi_;
};

}  // namespace vt

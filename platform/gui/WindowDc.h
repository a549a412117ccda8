// A window device context: draws into a host window's front image and remembers the dirty
// rectangle, which the host presents when the context is released.
//
// A fresh context starts with default attributes and no clip; a paint context is the same with
// the clip set to the area being painted.
#pragma once
#include <utility>

#include "platform/gui/DeviceContext.h"

namespace vt {

class WindowDc : public DeviceContext {
 public:
  explicit WindowDc(Raster& front) : front_(&front) {}
  int32_t GetDeviceCaps(DeviceCap cap) const override;
  Raster* Surface() override { return front_; }
  Rect Dirty() const { return dirty_; }
  Rect TakeDirty() { return std::exchange(dirty_, Rect{}); }
  void MarkDirty(const Rect& r) { dirty_ = UnionRects(dirty_, r); }

 protected:
  void Touched(const Rect& r) override { MarkDirty(r); }

 private:
  Raster* front_;
  Rect dirty_;
};

}  // namespace vt

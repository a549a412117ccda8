// Window device contexts: screen resolution is taken as 96 dots per inch.
#include "platform/gui/WindowDc.h"
#include "platform/gui/qt/Raster.h"

#include <QImage>

#include "platform/gui/DeviceCaps.h"

namespace vt {

int32_t WindowDc::GetDeviceCaps(DeviceCap cap) const {
  return PixelDeviceCaps(cap, front_->width(), front_->height(), 96, 96, 24);
}

}  // namespace vt

// Printer device contexts over QPagedPaintDevice.
#include "platform/gui/PrinterDc.h"

#include <QPagedPaintDevice>

#include "platform/gui/DeviceCaps.h"

namespace vt {

PrinterDc::PrinterDc(QPagedPaintDevice& device) : device_(device) { painter_.begin(&device_); }

PrinterDc::~PrinterDc() { End(); }

bool PrinterDc::NewPage() { return painter_.isActive() && device_.newPage(); }

bool PrinterDc::End() {
  if (!painter_.isActive()) return true;
  return painter_.end();
}

int32_t PrinterDc::GetDeviceCaps(DeviceCap cap) const {
  switch (cap) {
    case DeviceCap::HorzSize:
      return device_.widthMM();
    case DeviceCap::VertSize:
      return device_.heightMM();
    default:
      return PixelDeviceCaps(cap, device_.width(), device_.height(), device_.logicalDpiX(),
                             device_.logicalDpiY(), 24);
  }
}

}  // namespace vt

// Printer device contexts over QPagedPaintDevice.
#include "platform/gui/PrinterDc.h"
#include "platform/gui/qt/PrintDevice.h"
#include "platform/gui/qt/Raster.h"

#include <QPagedPaintDevice>

#include "platform/gui/DeviceCaps.h"

namespace vt {

PrinterDc::PrinterDc(PrintDevice& device) : device_(device), painter_(std::make_unique<Painter>()) {
  painter_->begin(&device_.Device());
}

PrinterDc::~PrinterDc() { End(); }

bool PrinterDc::IsValid() const { return painter_->isActive(); }

Painter* PrinterDc::PersistentPainter() { return painter_->isActive() ? painter_.get() : nullptr; }

bool PrinterDc::NewPage() { return painter_->isActive() && device_.Device().newPage(); }

bool PrinterDc::End() {
  if (!painter_->isActive()) return true;
  return painter_->end();
}

int32_t PrinterDc::GetDeviceCaps(DeviceCap cap) const {
  const QPagedPaintDevice& page = device_.Device();
  switch (cap) {
    case DeviceCap::HorzSize:
      return page.widthMM();
    case DeviceCap::VertSize:
      return page.heightMM();
    default:
      return PixelDeviceCaps(cap, page.width(), page.height(), page.logicalDpiX(), page.logicalDpiY(), 24);
  }
}

}  // namespace vt

// The paged Qt device a printer context draws on (a QPrinter, or a PDF writer in tests), under
// our own name so that PrinterDc.h needs no Qt. The device must outlive the context.
#pragma once
#include <QPagedPaintDevice>

namespace vt {

class PrintDevice {
 public:
  explicit PrintDevice(QPagedPaintDevice& device) : device_(device) {}
  QPagedPaintDevice& Device() const { return device_; }

 private:
  QPagedPaintDevice& device_;
};

}  // namespace vt

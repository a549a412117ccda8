// A printer device context: draws through one QPainter on a paged device (a QPrinter, or a PDF
// writer in tests; handed over as a PrintDevice from platform/gui/qt/PrintDevice.h) for the
// whole job. It has no readable pixels: blits draw their source, and
// raster operations other than a copy draw only the source pixels that would change the page.
#pragma once
#include <memory>

#include "platform/gui/DeviceContext.h"

namespace vt {

class PrintDevice;  // a paged Qt device (platform/gui/qt/PrintDevice.h)

class PrinterDc : public DeviceContext {
 public:
  // Starts the job on the device; IsValid() is false when it cannot be started.
  explicit PrinterDc(PrintDevice& device);
  ~PrinterDc() override;
  bool IsValid() const;
  bool NewPage();
  // Ends the job (also done by the destructor); false when the device reports a failure.
  bool End();

  int32_t GetDeviceCaps(DeviceCap cap) const override;
  Raster* Surface() override { return nullptr; }

 protected:
  Painter* PersistentPainter() override;

 private:
  PrintDevice& device_;
  std::unique_ptr<Painter> painter_;
};

}  // namespace vt

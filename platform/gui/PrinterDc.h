// A printer device context: draws through one QPainter on a paged device (a QPrinter, or a PDF
// writer in tests) for the whole job. It has no readable pixels: blits draw their source, and
// raster operations other than a copy draw only the source pixels that would change the page.
#pragma once
#include <QPainter>
#include <memory>

#include "platform/gui/DeviceContext.h"

class QPagedPaintDevice;

namespace vt {

class PrinterDc : public DeviceContext {
 public:
  // Starts the job on the device; IsValid() is false when it cannot be started.
  explicit PrinterDc(QPagedPaintDevice& device);
  ~PrinterDc() override;
  bool IsValid() const { return painter_.isActive(); }
  bool NewPage();
  // Ends the job (also done by the destructor); false when the device reports a failure.
  bool End();

  int32_t GetDeviceCaps(DeviceCap cap) const override;
  QImage* Surface() override { return nullptr; }

 protected:
  QPainter* PersistentPainter() override { return painter_.isActive() ? &painter_ : nullptr; }

 private:
  QPagedPaintDevice& device_;
  QPainter painter_;
};

}  // namespace vt

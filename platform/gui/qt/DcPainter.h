// A QPainter opened on a device context for one drawing operation.
//
// Pixel surfaces get a fresh painter each time, so two contexts on one image (a paint context
// and a borrowed window context) never hold painters at once; a 1-bit surface is painted through
// an RGB copy and thresholded back. Printers reuse their open painter, saved and restored around
// the operation. Smoothing is off and the context's clip rectangle is applied.
#pragma once
#include <QImage>
#include <QPainter>
#include <optional>

namespace vt {

class DeviceContext;

class DcPainter {
 public:
  explicit DcPainter(DeviceContext& dc);
  ~DcPainter();
  DcPainter(const DcPainter&) = delete;
  DcPainter& operator=(const DcPainter&) = delete;

  // Null when the context has nothing to draw on.
  QPainter* operator->() { return painter_; }
  QPainter* get() { return painter_; }
  explicit operator bool() const { return painter_ != nullptr; }

 private:
  DeviceContext& dc_;
  QPainter* painter_ = nullptr;
  bool persistent_ = false;
  std::optional<QPainter> own_;
  QImage monoCopy_;  // RGB stand-in for a 1-bit surface
};

}  // namespace vt

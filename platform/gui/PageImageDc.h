// A device context that draws a printer's page into a small picture: it answers the device
// capabilities of the printer (its resolution, page size in pixels and millimetres), so that
// the page is laid out exactly as it prints, and scales everything drawn down to the picture.
// The print preview shows pages through it.
#pragma once
#include <memory>

#include "platform/gui/DeviceContext.h"
#include "platform/gui/PrintJob.h"

namespace vt {

class PageImageDc : public DeviceContext {
 public:
  // A white picture pictureWidth pixels wide, as high as the page's proportions make it.
  PageImageDc(const PageMetrics& page, int pictureWidth);
  ~PageImageDc() override;

  // Starts a new page: the picture is white again.
  void Clear();
  int PictureWidth() const;
  int PictureHeight() const;
  // The picture (a QImage, platform/gui/qt/Raster.h); drawing has ended when it is read.
  const Raster& Picture();

  int32_t GetDeviceCaps(DeviceCap cap) const override;
  Raster* Surface() override { return nullptr; }

 protected:
  Painter* PersistentPainter() override;

 private:
  PageMetrics page_;
  std::unique_ptr<Raster> picture_;
  std::unique_ptr<Painter> painter_;
};

}  // namespace vt

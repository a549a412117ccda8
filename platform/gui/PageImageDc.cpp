// Printer pages drawn into a scaled picture.
#include "platform/gui/PageImageDc.h"
#include "platform/gui/qt/Raster.h"

#include <algorithm>

namespace vt {

PageImageDc::PageImageDc(const PageMetrics& page, int pictureWidth) : page_(page) {
  const int w = std::max(1, pictureWidth);
  const int h = std::max(1, page.width > 0 ? int(int64_t(w) * page.height / page.width) : w);
  picture_ = std::make_unique<Raster>(w, h, QImage::Format_RGB32);
  painter_ = std::make_unique<Painter>();
  Clear();
}

PageImageDc::~PageImageDc() {
  if (painter_->isActive()) painter_->end();
}

void PageImageDc::Clear() {
  if (painter_->isActive()) painter_->end();
  picture_->fill(Qt::white);
  painter_->begin(picture_.get());
  if (page_.width > 0) {
    const double s = double(picture_->width()) / page_.width;
    painter_->scale(s, s);
  }
}

int PageImageDc::PictureWidth() const { return picture_->width(); }
int PageImageDc::PictureHeight() const { return picture_->height(); }

const Raster& PageImageDc::Picture() {
  if (painter_->isActive()) painter_->end();
  return *picture_;
}

Painter* PageImageDc::PersistentPainter() { return painter_->isActive() ? painter_.get() : nullptr; }

int32_t PageImageDc::GetDeviceCaps(DeviceCap cap) const {
  switch (cap) {
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY:
      return page_.dpi;
    case DeviceCap::HorzRes:
      return page_.width;
    case DeviceCap::VertRes:
      return page_.height;
    case DeviceCap::HorzSize:
      return page_.widthMm;
    case DeviceCap::VertSize:
      return page_.heightMm;
    case DeviceCap::BitsPixel:
      return 24;
  }
  return 0;
}

}  // namespace vt

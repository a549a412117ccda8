// Bitmaps over QImage: Format_Mono for masks (colour table black, white), Format_RGB32 otherwise.
#include "platform/gui/Bitmap.h"

#include <cassert>

#include "platform/gui/qt/Raster.h"

namespace vt {

namespace {

QImage NewMonoImage(int32_t width, int32_t height) {
  QImage image(width, height, QImage::Format_Mono);
  if (image.isNull()) return image;
  image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  image.fill(0);
  return image;
}

}  // namespace

Bitmap::Bitmap(std::unique_ptr<Raster> image, int bitsPerPixel)
    : image_(std::move(image)), bitsPerPixel_(bitsPerPixel) {
  assert(image_);
}

Bitmap::Bitmap(const Bitmap& other)
    : image_(std::make_unique<Raster>(*other.image_)), bitsPerPixel_(other.bitsPerPixel_) {}

Bitmap& Bitmap::operator=(const Bitmap& other) {
  *image_ = *other.image_;
  bitsPerPixel_ = other.bitsPerPixel_;
  return *this;
}

Bitmap::~Bitmap() = default;

int32_t Bitmap::Width() const { return image_->width(); }
int32_t Bitmap::Height() const { return image_->height(); }

std::unique_ptr<Bitmap> Bitmap::Create(int32_t width, int32_t height, int bitsPerPixel) {
  if (width <= 0 || height <= 0) return nullptr;
  QImage image;
  if (bitsPerPixel == 1) {
    image = NewMonoImage(width, height);
  } else if (bitsPerPixel == 24 || bitsPerPixel == 32) {
    image = QImage(width, height, QImage::Format_RGB32);
    if (!image.isNull()) image.fill(0xFF000000u);
  } else {
    return nullptr;
  }
  if (image.isNull()) return nullptr;
  return std::unique_ptr<Bitmap>(new Bitmap(std::make_unique<Raster>(std::move(image)), bitsPerPixel));
}

std::unique_ptr<Bitmap> Bitmap::FromImage(const Raster& source, int bitsPerPixel) {
  if (source.isNull()) return nullptr;
  if (bitsPerPixel == 1) {
    QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QImage mono = NewMonoImage(rgb.width(), rgb.height());
    if (mono.isNull()) return nullptr;
    for (int y = 0; y < rgb.height(); ++y) {
      const uint32_t* in = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
      for (int x = 0; x < rgb.width(); ++x)
        if ((in[x] & 0xFFFFFFu) == 0xFFFFFFu) mono.setPixel(x, y, 1);
    }
    return std::unique_ptr<Bitmap>(new Bitmap(std::make_unique<Raster>(std::move(mono)), 1));
  }
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
  QImage rgb = source.convertToFormat(QImage::Format_RGB32);
  if (rgb.isNull()) return nullptr;
  return std::unique_ptr<Bitmap>(new Bitmap(std::make_unique<Raster>(std::move(rgb)), bitsPerPixel));
}

ColorRef Bitmap::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return kNoColor;
  if (IsMonochrome()) return image_->pixelIndex(x, y) ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
  return FromPixel(reinterpret_cast<const uint32_t*>(image_->constScanLine(y))[x]);
}

void Bitmap::SetPixel(int32_t x, int32_t y, ColorRef color) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  if (IsMonochrome()) {
    image_->setPixel(x, y, (color & 0xFFFFFFu) == 0xFFFFFFu ? 1 : 0);
    return;
  }
  reinterpret_cast<uint32_t*>(image_->scanLine(y))[x] = ToPixel(color);
}

std::unique_ptr<Bitmap> Bitmap::Clone() const {
  QImage copy = image_->copy();
  if (copy.isNull()) return nullptr;
  assert(copy.format() == image_->format());
  return std::unique_ptr<Bitmap>(new Bitmap(std::make_unique<Raster>(std::move(copy)), bitsPerPixel_));
}

}  // namespace vt

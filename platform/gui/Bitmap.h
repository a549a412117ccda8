// A bitmap of 1, 24 or 32 bits per pixel.
//
// Drawing code branches on the bit depth of images (a 1-bit mask is blitted, 24-bit images are
// blended), so a bitmap keeps the depth it was made with. 24- and 32-bit bitmaps hold their pixels
// as 0xFFrrggbb words; 1-bit bitmaps hold one bit per pixel, 0 black and 1 white.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {

class Raster;  // the pixels (a QImage, platform/gui/qt/Raster.h)

class Bitmap {
 public:
  // Null for a depth other than 1, 24 or 32, a non-positive size, or no memory. New pixels are
  // black (0 bits for a mask).
  static std::unique_ptr<Bitmap> Create(int32_t width, int32_t height, int bitsPerPixel);
  // Takes an image; depth 1 converts it to one bit per pixel (white stays white, anything else
  // black), 24 and 32 to 0xFFrrggbb pixels. Null on a null image or another depth.
  static std::unique_ptr<Bitmap> FromImage(const Raster& image, int bitsPerPixel);

  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  ~Bitmap();

  int32_t Width() const;
  int32_t Height() const;
  Size Dimensions() const { return Size{Width(), Height()}; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  bool IsMonochrome() const { return bitsPerPixel_ == 1; }

  // The pixel as a COLORREF (a mask gives black or white). Out of range gives kNoColor.
  ColorRef GetPixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, ColorRef color);  // a mask stores white for white, else black
  std::unique_ptr<Bitmap> Clone() const;

  // The pixels, for vtgui's own drawing code and tests (Format_Mono or Format_RGB32).
  vt::Raster& Image() { return *image_; }
  const vt::Raster& Image() const { return *image_; }

 private:
  Bitmap(std::unique_ptr<vt::Raster> image, int bitsPerPixel);
  std::unique_ptr<vt::Raster> image_;
  int bitsPerPixel_;
};

}  // namespace vt

// The Qt side of the pixel and painter types that public headers name without Qt: a `Raster`
// is a QImage (the pixels of a bitmap, a window's front image or a context's surface) and a
// `Painter` is a QPainter (the one a printer context keeps open for its whole job).
//
// Public headers only forward-declare them, so drawing code compiles without Qt; vtgui's own
// sources, Qt window code and tests include this header to reach the pixels.
#pragma once
#include <QImage>
#include <QPainter>
#include <utility>

namespace vt {

class Raster : public QImage {
 public:
  using QImage::QImage;
  Raster() = default;
  Raster(const QImage& image) : QImage(image) {}                 // NOLINT: a QImage is a raster
  Raster(QImage&& image) noexcept : QImage(std::move(image)) {}  // NOLINT
  using QImage::operator=;
};

class Painter : public QPainter {
 public:
  using QPainter::QPainter;
};

}  // namespace vt

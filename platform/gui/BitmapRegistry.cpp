// Bitmap registry (user-interface thread only) and loading from files.
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/qt/Raster.h"

#include <QImage>
#include <map>

namespace vt {

namespace {

std::map<int, std::unique_ptr<Bitmap>>& Registered() {
  static std::map<int, std::unique_ptr<Bitmap>> bitmaps;
  return bitmaps;
}

}  // namespace

void RegisterBitmap(int id, std::unique_ptr<Bitmap> bitmap) {
  if (bitmap) {
    Registered()[id] = std::move(bitmap);
  } else {
    Registered().erase(id);
  }
}

bool IsBitmapRegistered(int id) { return Registered().count(id) != 0; }

std::unique_ptr<Bitmap> LoadBitmap(int id) {
  auto it = Registered().find(id);
  return it == Registered().end() ? nullptr : it->second->Clone();
}

std::unique_ptr<Bitmap> LoadBitmapFile(const std::string& path) {
  QImage image;
  if (!image.load(QString::fromUtf8(path.data(), qsizetype(path.size())))) return nullptr;
  const bool mono = image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB;
  return Bitmap::FromImage(image, mono ? 1 : 24);
}

}  // namespace vt

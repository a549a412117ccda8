// Test helper: an image as rows of characters, so pixel-exact expectations read as pictures.
// '.' white, '#' black, 'r' red, 'g' green, 'b' blue, 'y' yellow, 'c' cyan, 'm' magenta, '?' other.
#pragma once
#include <QImage>
#include <string>
#include <vector>

#include "platform/gui/Bitmap.h"
#include "platform/gui/Color.h"
#include "platform/gui/qt/Raster.h"

namespace vt::test {

inline char PixelChar(ColorRef c) {
  switch (c & 0xFFFFFFu) {
    case Rgb(255, 255, 255):
      return '.';
    case Rgb(0, 0, 0):
      return '#';
    case Rgb(255, 0, 0):
      return 'r';
    case Rgb(0, 255, 0):
      return 'g';
    case Rgb(0, 0, 255):
      return 'b';
    case Rgb(255, 255, 0):
      return 'y';
    case Rgb(0, 255, 255):
      return 'c';
    case Rgb(255, 0, 255):
      return 'm';
    default:
      return '?';
  }
}

inline std::vector<std::string> PixelMap(const QImage& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.format() == QImage::Format_Mono
                         ? (image.pixelIndex(x, y) ? 0xFFFFFFFFu : 0xFF000000u)
                         : image.pixel(x, y);
      row += PixelChar(Rgb(uint8_t(qRed(p)), uint8_t(qGreen(p)), uint8_t(qBlue(p))));
    }
    rows.push_back(row);
  }
  return rows;
}

inline std::vector<std::string> PixelMap(const Bitmap& bitmap) { return PixelMap(bitmap.Image()); }

// A bitmap drawn from rows of the same characters (any other character is black).
inline std::unique_ptr<Bitmap> BitmapFromMap(const std::vector<std::string>& rows, int bitsPerPixel) {
  auto bitmap = Bitmap::Create(int(rows[0].size()), int(rows.size()), bitsPerPixel);
  for (int y = 0; y < int(rows.size()); ++y)
    for (int x = 0; x < int(rows[y].size()); ++x) {
      ColorRef c = Rgb(0, 0, 0);
      switch (rows[y][x]) {
        case '.':
          c = Rgb(255, 255, 255);
          break;
        case 'r':
          c = Rgb(255, 0, 0);
          break;
        case 'g':
          c = Rgb(0, 255, 0);
          break;
        case 'b':
          c = Rgb(0, 0, 255);
          break;
        case 'y':
          c = Rgb(255, 255, 0);
          break;
        case 'c':
          c = Rgb(0, 255, 255);
          break;
        case 'm':
          c = Rgb(255, 0, 255);
          break;
        default:
          break;
      }
      bitmap->SetPixel(x, y, c);
    }
  return bitmap;
}

}  // namespace vt::test

// The trend sheet's own bitmaps, drawn in code: the mark pennants with their mask, the corner
// marks with their mask, and the alarm icons (8 active, 4 selected, 2 padded and 1 inside look
// per kind). Masks are 24-bit greys (black shows the image).
#include "trend/NgSheetArt.h"

#include <memory>

#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/Color.h"

namespace vt {

void RegisterNgSheetArt() {
  auto strip = [](int cells, int w, int h, auto pixel) {
    auto b = Bitmap::Create(cells * w, h, 24);
    for (int c = 0; c < cells; ++c)
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b->SetPixel(c * w + x, y, pixel(c, x, y));
    return b;
  };
  const ColorRef white = Rgb(255, 255, 255), black = Rgb(0, 0, 0);
  // Mark pennants: other colour, green, other x2, green x2 (odd cells greyed).
  auto pennant = [](int x, int y) {
    return x >= 2 && x <= 11 && y >= 1 && y <= 12 && x - 2 <= (12 - y) * 10 / 11;
  };
  RegisterBitmap(13102, strip(8, 13, 14, [&](int c, int x, int y) {
                   if (x == 2 && y <= 12) return black;
                   const bool green = (c / 2) % 2 == 1;
                   ColorRef f = green ? Rgb(0, 200, 0) : Rgb(220, 40, 40);
                   if (c % 2) f = Rgb(170, 170, 170);
                   if (c >= 4 && y == 9 && x >= 5) return black;
                   return f;
                 }));
  RegisterBitmap(13103, strip(8, 13, 14, [&](int, int x, int y) {
                   return pennant(x, y) || (x == 2 && y <= 12) ? black : white;
                 }));
  // Corner marks: four corner brackets (odd cells greyed).
  auto corner = [](int c, int x, int y) {
    const int k = c / 2;  // 0 top left, 1 bottom left, 2 top right, 3 bottom right
    const int cx = k >= 2 ? 13 - x : x, cy = k % 2 ? 13 - y : y;
    return (cx <= 2 && cy <= 9) || (cy <= 2 && cx <= 9);
  };
  RegisterBitmap(13100, strip(8, 14, 14, [&](int c, int, int) {
                   return c % 2 ? Rgb(160, 160, 160) : Rgb(230, 120, 0);
                 }));
  RegisterBitmap(13101,
                 strip(8, 14, 14, [&](int c, int x, int y) { return corner(c, x, y) ? black : white; }));
  // Alarm icons: 8 + 4 selected + 2 padded + 1 inside; cells below 8 are active (red).
  RegisterBitmap(13104, strip(24, 6, 15, [&](int c, int x, int y) {
                   const int look = c % 8;
                   const ColorRef back =
                       look & 4 ? (look & 1 ? Rgb(113, 130, 170) : Rgb(68, 99, 149)) : Rgb(250, 250, 250);
                   if (x < 1 || x > 4 || y < 3 || y > 11) return back;
                   ColorRef f = c < 8 ? Rgb(230, 30, 30) : Rgb(40, 180, 40);
                   if (look & 2) f = c < 8 ? Rgb(240, 150, 150) : Rgb(160, 220, 160);
                   return f;
                 }));
}

}  // namespace vt

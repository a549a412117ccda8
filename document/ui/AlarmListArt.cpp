// The alarm type icons (see AlarmListArt.h).
#include "document/ui/AlarmListArt.h"

#include <cstdlib>
#include <memory>

#include "document/ui/AlarmList.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"

namespace {

constexpr int kCell = kAlarmTypeIconSize;
constexpr vt::ColorRef kHigh = vt::Rgb(0xD0, 0x24, 0x1C);
constexpr vt::ColorRef kLow = vt::Rgb(0x1C, 0x5C, 0xD0);
constexpr vt::ColorRef kRateHigh = vt::Rgb(0xE0, 0x7A, 0x10);
constexpr vt::ColorRef kRateLow = vt::Rgb(0x10, 0x96, 0x96);

struct Canvas {
  vt::Bitmap* image;
  vt::Bitmap* mask;
  int cell;
  void Dot(int x, int y, vt::ColorRef c) const {
    if (x < 0 || y < 0 || x >= kCell || y >= kCell) return;
    image->SetPixel(cell * kCell + x, y, c);
    mask->SetPixel(cell * kCell + x, y, vt::Rgb(0xFF, 0xFF, 0xFF));
  }
};

// A triangle of the given height with its apex at (8, apexY), pointing up (down = false) or
// down; hollow draws the outline only.
void Triangle(const Canvas& c, int apexY, int height, bool down, bool hollow, vt::ColorRef colour) {
  for (int i = 0; i < height; ++i) {
    const int y = down ? apexY - i : apexY + i;
    const int half = i * 7 / (height - 1);
    for (int x = 8 - half; x <= 7 + half; ++x) {
      const bool edge = i == height - 1 || x == 8 - half || x == 7 + half;
      if (!hollow || edge) c.Dot(x, y, colour);
    }
  }
}

// A chevron two pixels thick with its tip at (8, tipY).
void Chevron(const Canvas& c, int tipY, bool down, vt::ColorRef colour) {
  for (int i = 0; i < 6; ++i)
    for (int t = 0; t < 2; ++t) {
      const int y = down ? tipY - i - t : tipY + i + t;
      c.Dot(7 - i, y, colour);
      c.Dot(8 + i, y, colour);
    }
}

void DrawIcon(const Canvas& c, int type) {
  const bool down = type % 2 == 0;
  switch (type) {
    case 1:
    case 2:
      Triangle(c, down ? 13 : 2, 12, down, false, down ? kLow : kHigh);
      break;
    case 3:
    case 4:
      Triangle(c, down ? 13 : 2, 12, down, true, down ? kLow : kHigh);
      break;
    case 5:
    case 6:
      Chevron(c, down ? 7 : 2, down, down ? kRateLow : kRateHigh);
      Chevron(c, down ? 13 : 8, down, down ? kRateLow : kRateHigh);
      break;
    case 7:
    case 8: {
      const vt::ColorRef colour = down ? kLow : kHigh;
      Triangle(c, down ? 11 : 1, 9, down, false, colour);
      const int barY = down ? 1 : 12;
      for (int y = barY; y < barY + 3; ++y)
        for (int x = 2; x < 14; ++x) c.Dot(x, y, colour);
      break;
    }
    default:
      break;
  }
}

}  // namespace

void RegisterAlarmTypeIcons() {
  // The image is black and the mask black outside the icons: a masked blit leaves the
  // background there.
  std::unique_ptr<vt::Bitmap> image = vt::Bitmap::Create(9 * kCell, kCell, 24);
  std::unique_ptr<vt::Bitmap> mask = vt::Bitmap::Create(9 * kCell, kCell, 1);
  if (!image || !mask) return;
  for (int type = 1; type <= 8; ++type) DrawIcon(Canvas{image.get(), mask.get(), type}, type);
  vt::RegisterBitmap(kAlarmTypeIconsId, std::move(image));
  vt::RegisterBitmap(kAlarmTypeIconsMaskId, std::move(mask));
}

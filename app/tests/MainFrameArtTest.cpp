// The main window's pictures drawn ahead on another thread (as the start does while it opens the
// data storage) must be the very pixels the registration draws itself, text included.
#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "app/qt/MainFrameArt.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/MenuResources.h"

namespace {

using Pixels = std::map<int, std::vector<vt::ColorRef>>;

Pixels Registered() {
  Pixels pixels;
  for (int id : {vt::kToolbarMain, vt::kToolbarSearch, vt::kBitmapNavigation, vt::kIconNavigationPane,
                 vt::kIconSearchPane, vt::kIconPropertiesPane}) {
    const std::unique_ptr<vt::Bitmap> bitmap = vt::LoadBitmap(id);
    EXPECT_NE(bitmap, nullptr) << id;
    if (!bitmap) continue;
    std::vector<vt::ColorRef>& out = pixels[id];
    for (int32_t y = 0; y < bitmap->Height(); ++y)
      for (int32_t x = 0; x < bitmap->Width(); ++x) out.push_back(bitmap->GetPixel(x, y));
  }
  return pixels;
}

TEST(MainFrameArt, PicturesDrawnAheadOnAnotherThreadEqualThoseDrawnAtRegistration) {
  vt::RegisterMainFrameArt();
  const Pixels direct = Registered();
  ASSERT_EQ(direct.size(), 6u);
  // The toolbar strips hold ten and eight pictures side by side.
  EXPECT_EQ(direct.at(vt::kToolbarMain).size(), std::size_t(10 * 16 * 16));
  EXPECT_EQ(direct.at(vt::kToolbarSearch).size(), std::size_t(8 * 16 * 16));

  std::thread ahead(&vt::PrepareMainFrameArt);
  ahead.join();
  vt::RegisterMainFrameArt();
  EXPECT_EQ(Registered(), direct);
  // Taken once: the next registration draws again, alike.
  vt::RegisterMainFrameArt();
  EXPECT_EQ(Registered(), direct);
}

}  // namespace

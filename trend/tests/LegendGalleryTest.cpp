// Draws the channel legend and the axis legend of 100 fake channels side by side for a visual
// check: skin cells drawn here, a few unchecked channels, one collapsed axis node and a
// selected channel. The image is left in the build tree (artefacts/trendgallery-legends.png);
// besides a few layout facts nothing compares pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "gadget/GRootMaster.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/qt/Raster.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/tests/LegendTestSupport.h"

namespace {

void Put(vt::Bitmap* b, int x, int y, vt::ColorRef c) { b->SetPixel(x, y, c); }

// Four 16 x 16 check cells: pale tick, green tick, and grey versions of both.
void MakeCheckCells() {
  auto bmp = vt::Bitmap::Create(64, 16, 24);
  const vt::ColorRef ticks[] = {0xC8E8C8, 0x20A020, 0xD0D0D0, 0x909090};
  for (int c = 0; c < 4; ++c) {
    for (int x = 0; x < 16; ++x)
      for (int y = 0; y < 16; ++y) {
        const bool edge = x == 2 || y == 2 || x == 13 || y == 13;
        const bool inside = x > 2 && y > 2 && x < 13 && y < 13;
        Put(bmp.get(), c * 16 + x, y, edge ? 0x606060 : inside ? 0xFFFFFF : 0xF0F0F0);
      }
    for (int i = 0; i < 3; ++i)
      Put(bmp.get(), c * 16 + 4 + i, 8 + i, ticks[c]), Put(bmp.get(), c * 16 + 4 + i, 7 + i, ticks[c]);
    for (int i = 0; i < 5; ++i)
      Put(bmp.get(), c * 16 + 7 + i, 10 - i, ticks[c]), Put(bmp.get(), c * 16 + 7 + i, 9 - i, ticks[c]);
  }
  vt::RegisterBitmap(12204, std::move(bmp));
}

// Two 16 x 16 expand cells: a plus and a minus in a bracketed box.
void MakeExpandCells() {
  auto bmp = vt::Bitmap::Create(32, 16, 24);
  for (int c = 0; c < 2; ++c)
    for (int x = 0; x < 16; ++x)
      for (int y = 0; y < 16; ++y) {
        const bool box = (x == 3 || x == 12) && y >= 3 && y <= 12;
        const bool bar = y == 7 && x >= 5 && x <= 10;
        const bool stem = c == 0 && x == 7 && y >= 5 && y <= 10;
        Put(bmp.get(), c * 16 + x, y, box ? 0x707070 : bar || stem ? 0x202020 : 0xFFFFFF);
      }
  vt::RegisterBitmap(12206, std::move(bmp));
}

// The title bar: a grey gradient with dark first and last rows; the toggle icons.
void MakeBarAndIcons() {
  auto bar = vt::Bitmap::Create(1, 20, 24);
  for (int y = 0; y < 20; ++y) {
    const int g = 0x90 - y * 3;
    Put(bar.get(), 0, y, y == 0 || y == 19 ? 0x303030 : vt::ColorRef(g | g << 8 | g << 16));
  }
  vt::RegisterBitmap(12197, std::move(bar));
  auto icons = vt::Bitmap::Create(32, 16, 24);
  for (int x = 0; x < 32; ++x)
    for (int y = 0; y < 16; ++y) {
      const bool axis = x < 16 && (x == 4 || (y == 12 && x >= 4 && x <= 12) || (x == 3 && y % 3 == 0));
      const bool tag = x >= 16 && y >= 4 && y <= 11 && x >= 19 && x <= 28 - (y > 7 ? y - 7 : 7 - y);
      Put(icons.get(), x, y, axis || tag ? 0xF0F0F0 : 0x606060);
    }
  vt::RegisterBitmap(12203, std::move(icons));
}

class LegendGallery : public trend_test::LegendEnv {};

TEST_F(LegendGallery, DrawsBothLegendsOfOneHundredChannels) {
  MakeCheckCells();
  MakeExpandCells();
  MakeBarAndIcons();
  SetNgLegendSkin(kNgLegendSkinShipped);

  auto host = std::make_unique<vt::FakeHostWindow>(540, 760, vt::Point{0, 0});
  auto* galleryRoot = new CGRoot(master, 0, 0);
  galleryRoot->SetBackColor(0x02404040);
  galleryRoot->SetOpaque(1);
  galleryRoot->Attach(host.get());

  // 100 channels on 10 axes; channels 5, 17 and 33 hidden; axis 3 collapsed, axis 6 empty.
  std::vector<int> onAxis(100);
  for (int i = 0; i < 100; ++i) onAxis[i] = i / 10 == 6 ? 7 : i / 10;
  Bind(onAxis, 10, LEGEND_CHANNEL);
  for (int i = 0; i < 100; ++i) {
    char name[40];
    std::snprintf(name, sizeof name, "TAG%03d Line %d flow", i + 1, i / 10 + 1);
    channels[i]->name = name;
    const vt::ColorRef palette[] = {0x000000FF, 0x0000A000, 0x00FF0000, 0x0000C0C0,
                                    0x00C000C0, 0x00C0C000, 0x00404080, 0x00008080};
    records[i].colour = 0x02000000 | palette[i % 8];
    records[i].shown = i == 5 || i == 17 || i == 33 ? 0 : 1;
  }
  const char* units[] = {"degC", "bar", "m3/h", "%", "kPa", "V", "A", "rpm", "Hz", ""};
  for (int j = 0; j < 10; ++j) {
    std::snprintf(axisRecords[j].unit, sizeof axisRecords[j].unit, "%s", units[j]);
    axisRecords[j].colour = records[j * 10].colour;
    axisRecords[j].legendFlag = j == 3 ? 0 : 1;
    axisRecords[j].shown = j == 6 ? 0 : 1;
  }

  CGNgLegendList* lists[2];
  for (int k = 0; k < 2; ++k) {
    lists[k] = new CGNgLegendList(galleryRoot, 250);
    lists[k]->BuildLegends();
    lists[k]->m_boundCount = 100;
    lists[k]->m_boundChannels = bound.data();
    lists[k]->m_nameKind = 1;
    lists[k]->SetBounds(10 + 265 * k, 0, 250, 760);
    lists[k]->SetData(records.data(), axisRecords.data(), 100, 10);
    lists[k]->SetMode(k == 0 ? LEGEND_CHANNEL : LEGEND_AXIS);
    lists[k]->SetBackColor(0x02FFFFFF);
    lists[k]->SelectInLegend(1, 12);
    lists[k]->LayoutTree();
  }
  CGNgLegendScreen* axisScreen = lists[1]->m_axisLegend->LegendScreen();
  CGTreeNode* collapsed = axisScreen->m_root->TreeChildAt(3);
  EXPECT_FALSE(collapsed->IsExpanded());
  EXPECT_EQ(collapsed->TreeChildAt(0)->GetStyle(), 0);
  EXPECT_EQ(axisScreen->m_root->TreeChildAt(4)->Rect().top, collapsed->Rect().bottom);
  EXPECT_EQ(lists[0]->m_channelLegend->LegendScreen()->m_selected,
            lists[0]->m_channelLegend->LegendScreen()->m_root->TreeChildAt(12));
  EXPECT_GT(lists[0]->m_channelLegend->LegendScreen()->m_contentHeight, 1500);  // 100 rows of 16

  host->Invalidate(nullptr);
  host->RunPendingPaint();
  const std::filesystem::path out =
      std::filesystem::path(VT_BINARY_ROOT) / "artefacts" / "trendgallery-legends.png";
  std::filesystem::create_directories(out.parent_path());
  vt::Raster* image = galleryRoot->GetBackDCPtr()->Surface();
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->save(QString::fromStdString(out.string()), "PNG"));

  delete galleryRoot;
  for (int id : {12197, 12203, 12204, 12206}) vt::RegisterBitmap(id, nullptr);
}

}  // namespace

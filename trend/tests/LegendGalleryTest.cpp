// Draws the channel legend and the axis legend of 100 fake channels side by side for a visual
// check, in the panel's own skin (the fixture sets it): a few unchecked channels, one collapsed
// axis node and a selected channel. The image is left in the build tree (artefacts/trendgallery-legends.png);
// besides a few layout facts nothing compares pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "gadget/GRootMaster.h"
#include "platform/gui/qt/Raster.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/tests/LegendTestSupport.h"

namespace {

class LegendGallery : public trend_test::LegendEnv {};

TEST_F(LegendGallery, DrawsBothLegendsOfOneHundredChannels) {
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
  vt::CGNgLegendScreen* axisScreen = lists[1]->m_axisLegend->LegendScreen();
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
}

}  // namespace

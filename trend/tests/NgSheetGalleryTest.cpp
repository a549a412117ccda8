// Gallery of the trend sheet: many channels (single and min/max, fixed and exponent, one
// hidden), the time column with mark icons, a selection from row 3 to row 8, a selected
// channel, alarm icons and padded values, painted with the real text measurer into
// <build>/artefacts/trendgallery-sheet.png; only a few layout facts are compared.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gui/TextMeasurer.h"
#include "platform/gui/qt/Raster.h"
#include "trend/tests/NgSheetTestEnv.h"

namespace {

class NgSheetGalleryTest : public trend_test::NgSheetEnv {};

TEST_F(NgSheetGalleryTest, WritesTheSheetPicture) {
  vt::ScopedTextMeasurer realText(nullptr);
  host->Resize(1260, 520);
  sheet->SetBounds(10, 10, 1240, 500);
  rows.step = 0.5;
  rows.count = 2000;
  rows.marks[1] = {1, 0x0200FF00};
  rows.marks[4] = {1, 0x020000FF};
  rows.marks[6] = {3, 0x020000FF};
  rows.marks[11] = {2, 0x0200FF00};
  std::vector<int> kinds;
  std::vector<double> intervals;
  for (int i = 0; i < 14; ++i) {
    kinds.push_back(i % 4 == 1 ? DATA_PAIRS : DATA_SINGLE);
    intervals.push_back(i % 3 == 0 ? 0.5 : i % 3 == 1 ? 1.0 : 0.1);
  }
  Bind(kinds, intervals);
  const char* names[] = {"BOILER_TEMP", "FLOW",   "PRESSURE_NORTH_HEADER", "LEVEL", "VALVE_07",
                         "PH",          "CURRENT"};
  const char* units[] = {"degC", "m3/h", "kPa", "%", "", "pH", "A"};
  for (size_t i = 0; i < channels.size(); ++i) {
    auto& c = *channels[i];
    c.name = names[i % 7];
    c.unit = units[i % 7];
    c.colour = vt::Rgb(uint8_t(40 + 50 * (i % 5)), uint8_t(200 - 30 * (i % 6)), uint8_t(60 + 40 * (i % 4)));
    c.decimals = int(i % 3) + 1;
    c.exponent = i == 5 ? 1 : 0;
    c.shown = i == 12 ? 0 : 1;
    c.start = PreciseTime::AddSeconds(kStart, i == 3 ? 2.0 : 0.0);
    const double k = double(i + 1);
    c.value = [k](int64_t n) { return 20.0 * k + 5.0 * std::sin(double(n) / (3.0 + k)); };
    c.status = [i](int64_t n) {
      uint16_t s = uint16_t((n / 3 + int64_t(i)) % 5 == 0 ? 0x0003 : (n % 7 == 0 ? 0x0004 : 0));
      if (i == 1 && n == 5) s |= 0x6000;
      return s;
    };
  }
  sheet->SetNameKind(NAME_TAG);
  sheet->ShowAlarms(1);
  sheet->SetPadding(1);
  sheet->SelectColumn(2);
  sheet->SetSelectionTimes(PreciseTime::AddSeconds(kStart, 1.5), PreciseTime::AddSeconds(kStart, 4.0));
  sheet->LayoutTree();
  Repaint();

  EXPECT_EQ(sheet->m_selectionFirst, 3);
  EXPECT_EQ(sheet->m_selectionLast, 8);
  EXPECT_EQ(sheet->TimeLine()->Rect().Width(), 132);
  EXPECT_EQ(Column(12)->GetStyle(), 0);

  const std::filesystem::path out =
      std::filesystem::path(VT_BINARY_ROOT) / "artefacts" / "trendgallery-sheet.png";
  std::filesystem::create_directories(out.parent_path());
  vt::Raster* image = root->GetBackDCPtr()->Surface();
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(image->save(QString::fromStdString(out.string()), "PNG"));
}

}  // namespace

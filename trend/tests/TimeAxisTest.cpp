// The time axis: time-to-x mappings and back, unit hints, division texts, and where ticks and
// labels go for each kind of division in UTC and in a zone nine hours ahead, and texts taken
// from the string table by their ids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/StringTable.h"
#include "testing/ScopedEnvironment.h"
#include "trend/TimeAxis.h"
#include "trend/tests/TrendTestSupport.h"

namespace {

constexpr double kMonday = 1672617600;  // 2023-01-02 00:00:00 UTC, a Monday

std::vector<int> Xs(const std::vector<TimeMark>& marks) {
  std::vector<int> xs;
  for (const TimeMark& m : marks) xs.push_back(m.x);
  return xs;
}

std::vector<std::string> Labels(const std::vector<TimeMark>& marks, double d) {
  std::vector<std::string> out;
  for (const TimeMark& m : marks) out.push_back(CGNgTAxis::FormatLabel(d, m.time));
  return out;
}

class TimeAxisTest : public gadget_test::GadgetEnv {};

}  // namespace

TEST_F(TimeAxisTest, MapsTimesToXAndBack) {
  CGNgTAxis axis(nullptr);
  axis.SetBounds(10, 0, 100, 8);
  axis.m_shownRangeStart = PreciseTime{1000, 0};
  axis.m_shownRangeEnd = PreciseTime{1300, 0};
  struct Case {
    PreciseTime t;
    int x;
  } cases[] = {
      {{1000, 0}, 10},  {{1150, 0}, 60}, {{1300, 0}, 110}, {{1001, 0.5}, 10},  // 0.5 px truncates
      {{998, 0.5}, 10}, {{997, 0}, 9},   {{850, 0}, -40},  {{1600, 0}, 210},
  };
  for (const Case& c : cases) EXPECT_EQ(axis.TimeToX(c.t), c.x) << c.t.seconds;
  EXPECT_EQ(axis.XToTime(60), (PreciseTime{1150, 0}));
  EXPECT_EQ(axis.XToTimeClamped(500), (PreciseTime{1300, 0}));
  EXPECT_EQ(axis.XToTimeClamped(-500), (PreciseTime{1000, 0}));
  axis.m_shownRangeStart = PreciseTime{10, 0};
  EXPECT_EQ(axis.XToTime(-1000), PreciseTime{});  // never before 1970

  // an empty range maps as start - d .. end + d, on screen and in print
  axis.m_division = 50;
  axis.m_shownRangeStart = axis.m_shownRangeEnd = PreciseTime{1000, 0};
  EXPECT_EQ(axis.TimeToX(PreciseTime{1000, 0}), 60);
  EXPECT_EQ(axis.TimeToX(PreciseTime{950, 0}), 10);
  axis.SetPrintBounds(0, 0, 200, 8);
  EXPECT_EQ(axis.TimeToPrintX(PreciseTime{1050, 0}), 200);
  axis.m_shownRangeStart = axis.m_shownRangeEnd = PreciseTime{};
  EXPECT_EQ(axis.TimeToX(PreciseTime{0, 0}), 10);  // zero range at zero: no division by zero
}

TEST_F(TimeAxisTest, UnitHintsAndDivisionTexts) {
  struct Case {
    double d;
    const char* unit;
    const char* text;
  } cases[] = {
      {0.05, "[h:m:s]", "0.05sec/div"}, {0.1, "[h:m:s]", "0.1sec/div"},   {1, "[h:m:s]", "1sec/div"},
      {59, "[h:m:s]", "59sec/div"},     {60, "[h:m:s]", "1min/div"},      {1800, "[h:m:s]", "30min/div"},
      {3599.9, "[h:m:s]", "59min/div"}, {3600, "[M/D h:m]", "1hour/div"}, {43200, "[M/D h:m]", "12hour/div"},
      {86400, "[Y/M/D]", "1day/div"},   {604800, "[Y/M/D]", "7day/div"},  {2592000, "[Y/M]", "1month/div"},
      {7776000, "[Y/M]", "3month/div"},
  };
  CGNgTAxis axis(nullptr);
  for (const Case& c : cases) {
    axis.m_division = c.d;
    axis.RecalcRange();
    EXPECT_EQ(axis.m_unit, c.unit) << c.d;
    EXPECT_EQ(CGNgTAxis::FormatDivisionText(c.d), c.text) << c.d;
  }
  EXPECT_EQ(axis.m_title, "Time");
}

TEST_F(TimeAxisTest, TitleAndUnitTextsComeFromTheStringTableByTheirIds) {
  uint32_t saved[7];
  std::copy(std::begin(g_timeAxisTextIds), std::end(g_timeAxisTextIds), saved);
  g_timeAxisTextIds[0] = 5002;  // another text of the table
  g_timeAxisTextIds[2] = 1;     // an id the table has no text for
  g_timeAxisTextIds[3] = 5001;
  CGNgTAxis axis(nullptr);
  axis.UpdateTitle();
  EXPECT_EQ(axis.m_title, vt::LoadString(5002));
  EXPECT_EQ(CGNgTAxis::FormatDivisionText(5), "5");  // no text of its own in the code
  EXPECT_EQ(CGNgTAxis::FormatDivisionText(120), "2" + vt::LoadString(5001));
  std::copy(std::begin(saved), std::end(saved), g_timeAxisTextIds);
  EXPECT_EQ(LoadTimeAxisText(0), vt::LoadString(5001));
}

TEST_F(TimeAxisTest, RegularLabelsInEitherZone) {
  trend_test::ScopedDisplayZone utc("UTC");
  // start 10 s after the hour, 4 divisions of 5 s over 101 px: the first multiple lies left
  const double s = kMonday + 10 * 3600 + 2;
  auto marks = CGNgTAxis::Marks(TimePlacement::kRegular, s, s + 20, 5, 0, 101, true);
  EXPECT_EQ(Xs(marks), (std::vector<int>{15, 40, 65, 90}));
  EXPECT_EQ(Labels(marks, 5), (std::vector<std::string>{"10:00:05", "10:00:10", "10:00:15", "10:00:20"}));
  marks = CGNgTAxis::Marks(TimePlacement::kRegular, s + 0.25, s + 0.45, 0.05, 0, 101, true);
  EXPECT_EQ(Labels(marks, 0.05).front(), "10:00:02.25");
  EXPECT_EQ(Labels(marks, 0.1).front(), "10:00:02.2");

  // division 3600: marks at every hour, with month and day
  marks = CGNgTAxis::Marks(TimePlacement::kRegular, kMonday, kMonday + 4 * 3600, 3600, 0, 101, true);
  EXPECT_EQ(Labels(marks, 3600),
            (std::vector<std::string>{"1/02 00:00", "1/02 01:00", "1/02 02:00", "1/02 03:00", "1/02 04:00"}));
  trend_test::ScopedDisplayZone tokyo("JST-9");
  EXPECT_EQ(Labels(marks, 3600).front(), "1/02 09:00");
  // labels before 1970 are not drawn
  EXPECT_TRUE(CGNgTAxis::Marks(TimePlacement::kRegular, -100, -10, 10, 0, 100, true).empty());
}

TEST_F(TimeAxisTest, HourScanMarksEvenZoneHours) {
  for (const char* zone : {"UTC", "JST-9", "IST-5:30"}) {
    trend_test::ScopedDisplayZone tz(zone);
    const double s = kMonday + 1800;  // half past midnight UTC
    const auto marks = CGNgTAxis::Marks(TimePlacement::kHourScan, s, s + 8 * 3600, 7200, 0, 480, true);
    ASSERT_FALSE(marks.empty()) << zone;
    for (const std::string& label : Labels(marks, 7200)) {
      const int hour = std::stoi(label.substr(5, 2));
      EXPECT_EQ(hour % 2, 0) << zone << " " << label;
      EXPECT_EQ(label.substr(7), ":00") << zone;
    }
    EXPECT_EQ(marks.size(), 4u) << zone;
  }
}

TEST_F(TimeAxisTest, MidnightMarksFollowTheDisplayZone) {
  {
    trend_test::ScopedDisplayZone tz("UTC");
    const auto marks =
        CGNgTAxis::Marks(TimePlacement::kMidnight, kMonday - 43200, kMonday + 3 * 86400, 86400, 0, 701, true);
    EXPECT_EQ(Labels(marks, 86400),
              (std::vector<std::string>{"2023/01/02", "2023/01/03", "2023/01/04", "2023/01/05"}));
    EXPECT_EQ(marks[0].x, 100);
  }
  trend_test::ScopedDisplayZone tz("JST-9");
  const double s = kMonday - 43200;
  const auto marks = CGNgTAxis::Marks(TimePlacement::kMidnight, s, kMonday + 3 * 86400, 86400, 0, 701, true);
  // local midnight is 15:00 UTC the day before
  ASSERT_GE(marks.size(), 3u);
  EXPECT_EQ(marks[0].time, kMonday - 9 * 3600);
  EXPECT_EQ(marks[0].x, int(std::floor((kMonday - 9 * 3600 - s) / (3.5 * 86400) * 700 + 0.5)));
  EXPECT_EQ(Labels(marks, 86400)[0], "2023/01/02");
}

TEST_F(TimeAxisTest, CalendarScans) {
  trend_test::ScopedDisplayZone tz("UTC");
  // 5 weeks from a Sunday: a mark on each Monday only
  const double sunday = kMonday - 86400;
  auto marks = CGNgTAxis::Marks(TimePlacement::kMondays, sunday, sunday + 35 * 86400, 604800, 0, 350, true);
  EXPECT_EQ(Labels(marks, 604800),
            (std::vector<std::string>{"2023/01/02", "2023/01/09", "2023/01/16", "2023/01/23", "2023/01/30"}));
  EXPECT_EQ(marks[0].x, 10);
  // a year in months: the first column of each month; quarters only at 1, 4, 7, 10
  const double year = kMonday - 86400;  // 2023-01-01
  marks = CGNgTAxis::Marks(TimePlacement::kMonths, year - 86400, year + 364 * 86400, 2592000, 0, 366, true);
  EXPECT_EQ(marks.size(), 12u);
  EXPECT_EQ(Labels(marks, 2592000)[1], "2023/02");
  marks = CGNgTAxis::Marks(TimePlacement::kQuarters, year - 86400, year + 364 * 86400, 7776000, 0, 366, true);
  EXPECT_EQ(Labels(marks, 7776000), (std::vector<std::string>{"2023/01", "2023/04", "2023/07", "2023/10"}));
}

TEST_F(TimeAxisTest, DrawsLabelsDateBoxTitleAndGrid) {
  trend_test::ScopedDisplayZone tz("UTC");
  CGNgTAxis axis(nullptr);
  axis.SetBounds(10, 100, 601, 8);
  axis.m_division = 60;
  axis.m_shownRangeStart = PreciseTime{int64_t(kMonday), 0};
  axis.m_shownRangeEnd = PreciseTime{int64_t(kMonday) + 600, 0};
  vt::RecordingDc dc(800, 200);
  axis.Draw(&dc);
  std::vector<std::string> texts;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::TextOut)) texts.push_back(r.text);
  ASSERT_EQ(texts.size(), 11u + 3);
  EXPECT_EQ(texts[0], "00:00:00");
  EXPECT_EQ(texts[10], "00:10:00");
  EXPECT_EQ(texts[11], "2023/01/02");
  EXPECT_EQ(texts[12], "1min/div");
  EXPECT_EQ(texts[13], "Time [h:m:s]");
  dc.Clear();
  EXPECT_EQ(axis.DrawGrid(&dc, 0, 90, 0x808080), 1);
  const auto lines = dc.RecordsOf(vt::DcOp::LineTo);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[1].points[0], (vt::Point{70, 0}));
  axis.SetBounds(10, 100, 601, 0);
  EXPECT_EQ(axis.DrawGrid(&dc, 0, 90, 0), 0);
}

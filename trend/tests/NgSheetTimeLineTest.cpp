// Trend sheet time column: decimals of the sample intervals, row time texts in the display
// zone, mark icon cells, and row selection by press, Shift+press and double click with the
// hooks they call.
#include <gtest/gtest.h>

#include "trend/tests/NgSheetTestEnv.h"

namespace {

using trend_test::g_hookLog;

TEST(NgSheetTimeText, IntervalDecimals) {
  const struct {
    double interval;
    int decimals;
  } cases[] = {
      {1.0, 0}, {0.5, 1}, {0.05, 2}, {0.125, 3}, {0.0001, 4}, {0.00001, 0}, {3.4028234663852886e38, 0}};
  for (const auto& c : cases) EXPECT_EQ(GetIntervalDecimals(c.interval), c.decimals) << c.interval;
}

TEST(NgSheetTimeText, RowTimeInTheDisplayZone) {
  trend_test::ScopedDisplayZone zone("JST-9");
  const PreciseTime t{1273462445, 0.25};  // 2010/05/10 12:34:05.25 at UTC+9
  EXPECT_EQ(FormatRowTime(t, 2), "2010/05/10 12:34:05.25");
  EXPECT_EQ(FormatRowTime(t, 0), "2010/05/10 12:34:05");
  EXPECT_EQ(FormatRowTime(PreciseTime{1273462445, 0.1}, 1), "2010/05/10 12:34:05.1");
  EXPECT_EQ(FormatRowTime(PreciseTime{1273462440, 0.0}, 4), "2010/05/10 12:34:00.0000");
}

class NgTimeLineTest : public trend_test::NgSheetEnv {
 protected:
  CGNgSTimeLine* Time() const { return sheet->TimeLine(); }
  // A point of the time column in its parent's coordinates, at a row's middle.
  int RowY(int row) const { return Time()->Rect().top + 18 * row + 9; }
  int X() const { return Time()->Rect().left + 20; }
};

TEST_F(NgTimeLineTest, TextsFollowTheFastestChannel) {
  Bind({DATA_SINGLE, DATA_SINGLE}, {1.0, 0.1});
  std::string text;
  Time()->GetRowTimeText(0, &text);
  EXPECT_EQ(text, "2010/05/10 08:00:00.0");
  EXPECT_EQ(Time()->Title(), "Time");
  Bind({});
  Time()->GetRowTimeText(3, &text);
  EXPECT_EQ(text, "2010/05/10 08:00:03");
  sheet->SetTimeSource(nullptr);
  Time()->GetRowTimeText(3, &text);
  EXPECT_EQ(text, "");
  EXPECT_EQ(Time()->MarkIconCell(3, 3), -1);
}

TEST_F(NgTimeLineTest, MarkIconCells) {
  Bind({DATA_SINGLE});
  rows.marks[1] = {1, 0x0200FF00};
  rows.marks[2] = {1, 0x020000FF};
  rows.marks[3] = {3, 0x020000FF};
  rows.marks[4] = {2, 0x0200FF00};
  const struct {
    int row, state, cell;
  } cases[] = {{0, 3, -1}, {1, 3, 2}, {2, 3, 0}, {3, 3, 4}, {4, 3, 6}, {4, 0, 7}, {1, 1, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(Time()->MarkIconCell(c.row, c.state), c.cell) << c.row << " " << c.state;
}

TEST_F(NgTimeLineTest, CellsShowTheTimeWithShadowWhenSelectedAndTheMarkIcon) {
  Bind({DATA_SINGLE});
  rows.marks[1] = {1, 0x0200FF00};
  rows.marks[2] = {3, 0x020000FF};
  sheet->SetSelection(1, 3);
  struct Case {
    int row;
    std::vector<vt::ColorRef> textColours;  // shadow first on a selected row
    vt::ColorRef icon;                      // 0: no icon
  } cases[] = {
      {0, {0x02333333}, 0},
      {1, {0x02312B28, 0x02FFFFFF}, vt::Rgb(0, 200, 0)},    // one green mark
      {2, {0x02312B28, 0x02FFFFFF}, vt::Rgb(220, 40, 40)},  // three marks of another colour
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    vt::RecordingDc dc(900, 400);
    Time()->DrawLine(&dc, c.row);
    std::vector<vt::ColorRef> colours;
    for (const vt::DcRecord& t : dc.RecordsOf(vt::DcOp::TextOut)) {
      EXPECT_EQ(t.text, "2010/05/10 08:00:0" + std::to_string(c.row));
      colours.push_back(t.color);
    }
    EXPECT_EQ(colours, c.textColours);
    vt::Rect cell;
    Time()->GetLineRect(c.row, &cell);
    const vt::Rect icon{cell.left + 1, cell.top + 1 + 2, cell.left + 14, cell.top + 1 + 2 + 14};  // centred
    const vt::ColorRef at = dc.Pixels().GetPixel(icon.left + 4, icon.top + 4) & 0xFFFFFF;
    if (c.icon)
      EXPECT_EQ(at, c.icon & 0xFFFFFF);
    else
      EXPECT_NE(at, vt::Rgb(0, 200, 0) & 0xFFFFFF);
  }
}

TEST_F(NgTimeLineTest, PressSelectsTheNearestRowAndCallsTheRowHook) {
  rows.count = 6;
  Bind({DATA_SINGLE});
  Time()->OnLButtonDown(vt::kMkLButton, X(), RowY(4));
  EXPECT_EQ(sheet->m_selectionFirst, 4);
  EXPECT_EQ(sheet->m_selectionLast, 4);
  ASSERT_EQ(g_hookLog.calls.size(), 1u);
  EXPECT_EQ(g_hookLog.calls[0], std::make_pair(static_cast<CGPrimitive*>(sheet), 2));
  Time()->OnLButtonUp(0, X(), RowY(4));

  Time()->OnLButtonDown(vt::kMkLButton, X(), RowY(9));  // below the last row
  EXPECT_EQ(sheet->m_selectionFirst, 5);
  Time()->OnLButtonUp(0, X(), RowY(9));
  Time()->OnLButtonDown(vt::kMkLButton, X(), Time()->Rect().top - 30);  // above the first row
  EXPECT_EQ(sheet->m_selectionFirst, 0);
  Time()->OnLButtonUp(0, X(), Time()->Rect().top - 30);
}

TEST_F(NgTimeLineTest, ShiftPressExtendsWithoutTheHookAndTheReleaseCallsIt) {
  Bind({DATA_SINGLE});
  Time()->OnLButtonDown(vt::kMkLButton, X(), RowY(2));
  Time()->OnLButtonUp(0, X(), RowY(2));
  g_hookLog.calls.clear();
  Time()->OnLButtonDown(vt::kMkLButton | vt::kMkShift, X(), RowY(6));
  EXPECT_EQ(sheet->m_selectionFirst, 2);
  EXPECT_EQ(sheet->m_selectionLast, 6);
  EXPECT_TRUE(g_hookLog.calls.empty());
  Time()->OnLButtonUp(0, X(), RowY(6));
  ASSERT_EQ(g_hookLog.calls.size(), 1u);
  EXPECT_EQ(g_hookLog.calls[0].second, 2);
}

TEST_F(NgTimeLineTest, DoubleClickArmsAndTheNextReleaseCallsMarkThenRowHooks) {
  Bind({DATA_SINGLE});
  Time()->OnLButtonDown(vt::kMkLButton, X(), RowY(5));
  Time()->OnLButtonUp(0, X(), RowY(5));
  g_hookLog.calls.clear();
  Time()->OnLButtonDblClk(vt::kMkLButton, X(), RowY(5));
  EXPECT_TRUE(g_hookLog.calls.empty());
  Time()->OnLButtonUp(0, X(), RowY(5));
  ASSERT_EQ(g_hookLog.calls.size(), 2u);
  EXPECT_EQ(g_hookLog.calls[0], std::make_pair(static_cast<CGPrimitive*>(Time()), 0));
  EXPECT_EQ(g_hookLog.calls[1].second, 2);
  EXPECT_EQ(Time()->m_markClickArmed, 0);

  // Without the mark hook the flag stays armed until a release finds it set.
  NgSheetMarkClickHook = nullptr;
  Time()->OnLButtonDblClk(vt::kMkLButton, X(), RowY(5));
  Time()->OnLButtonUp(0, X(), RowY(5));
  EXPECT_EQ(Time()->m_markClickArmed, 1);
}

TEST_F(NgTimeLineTest, PrintedMarkSymbol) {
  vt::RecordingDc dc(100, 100);
  DrawMarkSymbol(&dc, vt::Rect{10, 10, 21, 30}, 0x020000FF, 0x02000000, 2, 1);
  const auto polys = dc.RecordsOf(vt::DcOp::Polygon);
  ASSERT_EQ(polys.size(), 1u);
  const std::vector<vt::Point> expected = {{10, 10}, {11, 10}, {21, 16}, {12, 23}, {12, 30}, {10, 30}};
  EXPECT_EQ(polys[0].points, expected);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::LineTo).size(), 2u);
}

}  // namespace

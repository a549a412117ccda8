// Trend sheet: cursor times to a row selection and back, column kinds and widths, the column
// selection, the time column's width, the header click with its hook, and the row looks.
#include <gtest/gtest.h>

#include "trend/tests/NgSheetTestEnv.h"

namespace trend_test {
HookLog g_hookLog;
}

namespace {

using trend_test::g_hookLog;

class NgSheetTest : public trend_test::NgSheetEnv {
 protected:
  // A press and release in client coordinates over the header title of a data column.
  void ClickTitles(int pressColumn, int releaseColumn) {
    vt::Rect header, a, b;
    sheet->m_columnHeader->GetAbsoluteRect(&header);
    Column(pressColumn)->GetAbsoluteRect(&a);
    Column(releaseColumn)->GetAbsoluteRect(&b);
    const int y = (header.top + header.bottom) / 2;
    Down((a.left + a.right) / 2, y);
    Up((b.left + b.right) / 2, y);
  }
};

TEST_F(NgSheetTest, SelectionTimesMapToRowsAndBack) {
  Bind({DATA_SINGLE});
  sheet->SetSelectionTimes(RowTime(7), RowTime(3));
  EXPECT_EQ(sheet->m_selectionFirst, 7);
  EXPECT_EQ(sheet->m_selectionLast, 3);  // kept in that order; rows 3-7 still draw selected
  EXPECT_TRUE(Column(0)->IsLineSelected(5));
  PreciseTime a, b;
  sheet->GetSelectionTimes(&a, &b);
  EXPECT_EQ(a, RowTime(7));
  EXPECT_EQ(b, RowTime(3));

  // Unset cursors: no row, and the times read back are those of row -1.
  sheet->SetSelectionTimes(PreciseTime{-1, 0.0}, PreciseTime{-1, 0.0});
  EXPECT_EQ(sheet->m_selectionFirst, -1);
  EXPECT_EQ(sheet->m_selectionLast, -1);
  sheet->GetSelectionTimes(&a, &b);
  EXPECT_EQ(a.seconds, -1);
  EXPECT_EQ(b.seconds, -1);

  sheet->SetSelection(2, 4);
  sheet->ResetSelection(1);
  EXPECT_EQ(sheet->m_selectionFirst, 2);
  sheet->ResetSelection(0);
  EXPECT_EQ(sheet->m_selectionFirst, -1);
  EXPECT_EQ(sheet->m_selectionLast, -1);

  // Without a row source nothing is read or written.
  sheet->SetTimeSource(nullptr);
  sheet->SetSelection(1, 2);
  sheet->SetSelectionTimes(RowTime(5), RowTime(6));
  EXPECT_EQ(sheet->m_selectionFirst, 1);
  PreciseTime untouched{42, 0.0};
  sheet->GetSelectionTimes(&untouched, &untouched);
  EXPECT_EQ(untouched.seconds, 42);
}

TEST_F(NgSheetTest, ColumnsFollowTheChannelKinds) {
  Bind({DATA_SINGLE, DATA_PAIRS, 7});
  ASSERT_EQ(ColumnCount(), 3);
  EXPECT_EQ(Column(0)->Rect().Width(), 100);
  EXPECT_EQ(Column(1)->Rect().Width(), 175);
  EXPECT_TRUE(IsKindOfClass(Column(1), GCLASS(CGNgSMinMaxData)));
  EXPECT_EQ(Column(2)->Rect().Width(), 100);
  EXPECT_EQ(Column(0)->GetTitleStyle(), 1);
  EXPECT_EQ(Column(0)->m_name, "CH1");

  sheet->SelectColumn(1);
  EXPECT_EQ(sheet->GetSelectedColumn(), 1);
  EXPECT_EQ(Column(1)->m_selected, 1);
  EXPECT_EQ(Column(0)->m_selected, 0);
  sheet->SelectColumn(5);  // past the end: stored, nothing selected
  EXPECT_EQ(sheet->GetSelectedColumn(), 5);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Column(i)->m_selected, 0);

  // Rebinding returns the columns to the pool and takes them back.
  Bind({DATA_PAIRS});
  ASSERT_EQ(ColumnCount(), 1);
  EXPECT_EQ(Column(0)->Rect().Width(), 175);
  EXPECT_EQ(Column(0)->m_name, "CH1");

  Bind({});
  EXPECT_EQ(ColumnCount(), 0);
  sheet->SelectColumn(0);
  EXPECT_EQ(sheet->GetSelectedColumn(), 0);
}

TEST_F(NgSheetTest, HiddenChannelGetsNoStyle) {
  auto c = std::make_unique<vt_test::FakeRowChannel>();
  c->shown = 0;
  CGNgChannel* one[1] = {c.get()};
  sheet->SetChannels(1, one);
  EXPECT_EQ(Column(0)->GetStyle(), 0);
  sheet->SetChannels(0, nullptr);
}

TEST_F(NgSheetTest, TimeColumnWidensWithTheDecimals) {
  Bind({DATA_SINGLE});
  EXPECT_EQ(sheet->TimeLine()->Rect().Width(), 125);
  Bind({DATA_SINGLE, DATA_SINGLE}, {1.0, 0.1});
  EXPECT_EQ(sheet->TimeLine()->Rect().Width(), 132);
  Bind({DATA_SINGLE}, {0.0001});
  EXPECT_EQ(sheet->TimeLine()->Rect().Width(), 153);
  Bind({});
  EXPECT_EQ(sheet->TimeLine()->Rect().Width(), 125);
}

TEST_F(NgSheetTest, HeaderClickSelectsOnlyThePressedTitleAndAlwaysCallsTheHook) {
  Bind({DATA_SINGLE, DATA_SINGLE, DATA_SINGLE});
  Repaint();
  ClickTitles(2, 2);
  EXPECT_EQ(sheet->GetSelectedColumn(), 2);
  EXPECT_EQ(Column(2)->m_selected, 1);
  ASSERT_EQ(g_hookLog.calls.size(), 1u);
  EXPECT_EQ(g_hookLog.calls[0].first, sheet);
  EXPECT_EQ(g_hookLog.calls[0].second, 1);

  ClickTitles(0, 1);  // released over another title
  EXPECT_EQ(sheet->GetSelectedColumn(), 2);
  EXPECT_EQ(g_hookLog.calls.size(), 2u);
  EXPECT_EQ(sheet->m_columnHeader->m_pressedColumn, nullptr);

  // The time column's title cannot be hit.
  vt::Rect t, header;
  sheet->TimeLine()->GetAbsoluteRect(&t);
  sheet->m_columnHeader->GetAbsoluteRect(&header);
  Down((t.left + t.right) / 2, header.top + 5);
  Up((t.left + t.right) / 2, header.top + 5);
  EXPECT_EQ(g_hookLog.calls.size(), 2u);
}

TEST(NgSheetRowLook, FillFrameTextAndLineCells) {
  SetNgSheetSkin(DefaultNgSheetSkin());
  struct Case {
    bool selected, inside, even;
    int state;
    vt::ColorRef fill, frameRight, frameBottom, text;
    int cell;
  } cases[] = {
      {false, false, true, 3, 0x02FFFFFF, 0x02999999, 0x02999999, 0x02333333, 0},
      {false, false, false, 3, 0x02E6E6E6, 0x02999999, 0x02999999, 0x02333333, 4},
      {false, false, false, 1, 0x02E6E6E6, 0x02999999, 0x02999999, 0x02999999, 5},
      {true, false, true, 3, 0x02956344, 0x02956344, 0x02333333, 0x02FFFFFF, 2},
      {true, false, false, 0, 0x02956344, 0x02956344, 0x02333333, 0x02B78462, 3},
      {true, true, true, 3, 0x02AA8271, 0x02AA8271, 0x02333333, 0x02FFFFFF, 6},
      {true, true, false, 2, 0x02AA8271, 0x02AA8271, 0x02333333, 0x02ACACAC, 7},
  };
  for (const Case& c : cases) {
    const NgRowLook look = GetNgRowLook(c.selected, c.inside, c.state, c.even);
    EXPECT_EQ(look.fill, c.fill);
    EXPECT_EQ(vt::ColorRef(look.frame[2]), c.frameRight);
    EXPECT_EQ(vt::ColorRef(look.frame[3]), c.frameBottom);
    EXPECT_EQ(look.text, c.text);
    EXPECT_EQ(vt::NgLineCellIndex(c.selected, c.inside, c.state, c.even), c.cell);
  }
}

}  // namespace

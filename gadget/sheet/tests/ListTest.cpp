// Tests of the list frame and body: block selection by rows, by mouse drags with Shift and with
// the auto-scroll timer, the painted rows and marker bands, the header following horizontal
// scrolling, text fitting with an ellipsis, and print paging.
#include <gtest/gtest.h>

#include "gadget/sheet/testing/ListTestEnv.h"
#include "platform/base/Text.h"
#include "platform/gui/RecordingDc.h"

namespace list_test {
namespace {

// A body of n rows 18 high whose selection is the block between the boundary lines.
class RowsScreen : public CGListScreen {
 public:
  RowsScreen(CGCore* parent, int rows, int width) : CGListScreen(parent, 7), rows(rows), width(width) {}
  void SelectByTime(TickTime, TickTime) override {}
  TickTime GetSelectedBeginTime() override { return TickTime(); }
  TickTime GetSelectedEndTime() override { return TickTime(); }
  bool IsRowSelected(int row) override {
    return m_firstLine >= 0 && m_secondLine >= 0 && row >= std::min(m_firstLine, m_secondLine) &&
           row < std::max(m_firstLine, m_secondLine);
  }
  int32_t GetContentWidth() override { return width; }
  int32_t GetRowHeight() override { return 18; }
  int32_t GetRowCount() override { return rows; }
  void BuildPrintRows() override { printRows = rows; }
  void GetPageRows(int page, int* first, int* last) override { SplitPrintPage(page, first, last); }
  void PrintRow(vt::DeviceContext*, const vt::Rect& rect, int row, int flags) override {
    printed.push_back({row, rect.top});
    EXPECT_EQ(flags, 0);
  }
  int32_t GetPrintRowCount() override { return printRows; }
  int32_t GetItemCount() override { return rows; }
  int rows, width, printRows = 0;
  std::vector<std::pair<int, int>> printed;  // print row, top of its rectangle
};

class ListTest : public ListEnv {
 protected:
  // A list of 400 x 200 at the root's origin around a body of the given rows and width.
  RowsScreen* Build(int rows, int width) {
    parts = MakeListFrame(root, 400, 200);
    auto* screen = new RowsScreen(parts.list, rows, width);
    parts.list->LayoutTree();
    PaintWindow();
    events.clear();
    gadget_test::AddLogEvent(screen, GEVENT_CHANGED, &events);
    return screen;
  }
  // The centre of a row in root coordinates (the list lies at the origin).
  static int RowY(RowsScreen* s, int row) { return s->Rect().top + row * 18 - s->m_scrollY + 9; }
  static std::pair<int, int> Lines(CGListScreen* s) { return {s->m_firstLine, s->m_secondLine}; }
  ListParts parts;
  gadget_test::Log events;
};

TEST_F(ListTest, SelectRangeEnclosesTheRowsWithTheFirstLineOnTheAnchorSide) {
  CGListScreen* s = Build(10, 300);
  struct Case {
    int a, b, first, second;
  } cases[] = {
      {5, 2, 6, 2},     {2, 5, 2, 6},
      {4, 4, 4, 5},     {3, 1000, 3, 10},  // past the last: up to the last row
      {1000, 3, 10, 3}, {-1, 3, -1, -1},
      {3, -1, -1, -1},  {9, 9, 9, 10},
  };
  for (const Case& c : cases) {
    s->SelectRange(c.a, c.b);
    EXPECT_EQ(Lines(s), (std::pair<int, int>{c.first, c.second})) << c.a << " " << c.b;
  }
  auto* empty = new RowsScreen(root, 0, 300);
  empty->SelectRange(0, 0);
  EXPECT_EQ(Lines(empty), (std::pair<int, int>{-1, -1}));
  EXPECT_EQ(empty->RowFromPoint(0, 5), -1);
}

TEST_F(ListTest, PressDragAndShiftPressGrowTheBlockFromTheAnchor) {
  RowsScreen* s = Build(30, 300);
  const int x = s->Rect().left + 20;
  root->OnLButtonDown(vt::kMkLButton, x, RowY(s, 3));
  EXPECT_EQ(Lines(s), (std::pair<int, int>{3, 4}));
  root->OnMouseMove(vt::kMkLButton, x, RowY(s, 6));
  EXPECT_EQ(Lines(s), (std::pair<int, int>{3, 7}));
  root->OnMouseMove(vt::kMkLButton, x, RowY(s, 6) + 3);  // the same row: nothing new
  root->OnLButtonUp(0, x, RowY(s, 6));
  EXPECT_EQ(events.size(), 2u);
  // Shift extends from the anchor of the earlier press, upwards this time.
  root->OnLButtonDown(vt::kMkLButton | vt::kMkShift, x, RowY(s, 1));
  root->OnLButtonUp(vt::kMkShift, x, RowY(s, 1));
  EXPECT_EQ(Lines(s), (std::pair<int, int>{4, 1}));
  EXPECT_EQ(s->m_anchorRow, 3);
  EXPECT_EQ(events.size(), 3u);
  // A plain press starts anew.
  root->OnLButtonDown(vt::kMkLButton, x, RowY(s, 8));
  root->OnLButtonUp(0, x, RowY(s, 8));
  EXPECT_EQ(Lines(s), (std::pair<int, int>{8, 9}));
  // A layout forgets the anchor: Shift then starts a new block at the pressed row.
  parts.list->LayoutTree();
  root->OnLButtonDown(vt::kMkLButton | vt::kMkShift, x, RowY(s, 5));
  root->OnLButtonUp(vt::kMkShift, x, RowY(s, 5));
  EXPECT_EQ(Lines(s), (std::pair<int, int>{5, 6}));
  EXPECT_EQ(s->m_anchorRow, 5);
}

TEST_F(ListTest, TheRepeatTimerScrollsByTheDistanceBeyondTheEdgeUntilTheEnd) {
  RowsScreen* s = Build(100, 300);
  parts.list->SetScroll(0, 100);
  ASSERT_EQ(s->m_scrollY, 100);
  const int x = s->Rect().left + 20, top = s->Rect().top;
  root->OnLButtonDown(vt::kMkLButton, x, top + 10);
  EXPECT_EQ(s->m_anchorRow, 110 / 18);
  root->OnMouseMove(vt::kMkLButton, x, top - 30);
  ASSERT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 1u);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 50u);
  events.clear();
  for (int expected : {70, 40, 10, 0}) {
    EXPECT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
    EXPECT_EQ(s->m_scrollY, expected);
    int value = -1;
    parts.vbar->GetValue(&value);
    EXPECT_EQ(value, expected);
    EXPECT_EQ(s->m_currentRow, std::max(0, (expected - 30) / 18));
  }
  EXPECT_EQ(events.size(), 4u);  // one per scrolling tick
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 1u);
  host->FireTimer(vt::GTIMER_REPEAT);  // at the top: the timer stops, nothing changes
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  EXPECT_EQ(g_repeatTimer, 0u);
  EXPECT_EQ(events.size(), 4u);
  EXPECT_EQ(Lines(s), (std::pair<int, int>{7, 0}));
  // Below the bottom edge it runs again; back inside it stops at once.
  root->OnMouseMove(vt::kMkLButton, x, s->Rect().bottom + 12);
  ASSERT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 1u);
  host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(s->m_scrollY, 12);
  root->OnMouseMove(vt::kMkLButton, x, top + 40);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  root->OnLButtonUp(0, x, top + 40);
}

TEST_F(ListTest, RowsArePaintedByParityAndSelectionAndTheMarkerBandsSpanTheScreen) {
  RowsScreen* s = Build(5, 150);  // narrower than the screen
  s->SelectRange(1, 2);
  root->Redraw();
  vt::Rect r;
  s->GetAbsoluteRect(&r);
  auto px = [&](int x, int y) { return BackPixel(x, y) & 0xFFFFFF; };
  const int mid = 9;
  EXPECT_EQ(px(r.left + 50, r.top + mid), 0xFFFFFFu);          // even
  EXPECT_EQ(px(r.left + 50, r.top + 18 + mid), 0x8F8F8Fu);     // selected odd
  EXPECT_EQ(px(r.left + 50, r.top + 36 + mid), 0x7F7F7Fu);     // selected even
  EXPECT_EQ(px(r.left + 50, r.top + 54 + mid), 0xE6E6E6u);     // odd
  EXPECT_EQ(px(r.left + 50, r.top + 5 * 18 + 20), 0xC0C0C0u);  // below the rows
  EXPECT_EQ(px(r.left + 200, r.top + mid), 0xC0C0C0u);         // right of the content
  EXPECT_EQ(px(r.left, r.top + mid), 0xFDF3E7u);               // even row frame, left
  EXPECT_EQ(px(r.left + 149, r.top + mid), 0xEEE5DAu);         // and right
  // Lines 1 and 3: a band 3 pixels high from one pixel above the line, across the whole width.
  for (int line : {1, 3})
    for (int x : {r.left + 10, r.left + 300, r.right - 1}) {
      const int y = r.top + line * 18 - 1;
      EXPECT_EQ(px(x, y), 0xFFFF00u) << line << " " << x;
      EXPECT_EQ(px(x, y + 1), 0xFF0000u) << line << " " << x;
      EXPECT_EQ(px(x, y + 2), 0xFFFF00u) << line << " " << x;
    }
  // Scrolled, the bands move with the rows.
  parts.list->SetScroll(0, 0);
  s->SelectRange(0, 0);
  root->Redraw();
  EXPECT_EQ(px(r.left + 300, r.top + 18), 0xFF0000u);
}

TEST_F(ListTest, LayoutPlacesTheBodyUnderTheHeaderWhichFollowsHorizontalScrolling) {
  RowsScreen* s = Build(30, 700);
  ASSERT_EQ(parts.vbar->GetStyle(), GSTYLE_ACTIVE);
  ASSERT_EQ(parts.hbar->GetStyle(), GSTYLE_ACTIVE);
  // Inner 380 x 180 beside and above the bars; the body keeps a one-pixel margin.
  EXPECT_EQ(s->Rect(), (vt::Rect{1, 21, 379, 179}));
  EXPECT_EQ(parts.strip->Rect(), (vt::Rect{1, 1, 379, 21}));
  EXPECT_EQ(parts.header->Rect(), (vt::Rect{0, 0, 700, 20}));
  EXPECT_EQ(parts.vbar->Rect(), (vt::Rect{380, 0, 400, 180}));
  EXPECT_EQ(parts.hbar->Rect(), (vt::Rect{0, 180, 380, 200}));
  parts.hbar->SetValue(50);
  parts.hbar->OnClick();  // what a step of the bar does
  EXPECT_EQ(parts.header->Rect().left, -50);
  EXPECT_EQ(parts.header->Rect().top, 0);
  EXPECT_EQ(s->m_scrollX, 50);
  // A later layout keeps the header where the bar is.
  parts.list->LayoutTree();
  EXPECT_EQ(parts.header->Rect(), (vt::Rect{-50, 0, 650, 20}));
  // Missing parts are skipped.
  CGList bare(nullptr);
  bare.SetBounds(0, 0, 100, 50);
  bare.LayoutTree();
  bare.SetScrollX(5);
  vt::RecordingDc dc(10, 10);
  bare.PrintSelf(&dc, 1);
  EXPECT_TRUE(dc.Records().empty());
}

TEST_F(ListTest, FitTextWithEllipsisKeepsWholeCharactersAndPutsTheFontBack) {
  const vt::Font* font = master->GetFont(14, 0, 0)->GetFont();
  vt::RecordingDc dc(10, 10);
  const vt::Font* before = &dc.CurrentFont();
  struct Case {
    const char* text;
    int width;
    const char* expected;
  } cases[] = {
      // Every character is 7 pixels wide here.
      {"abcdef", 42, "abcdef"},
      {"abcdef", 41, "ab..."},
      {"abcdef", 28, "a..."},
      {"abcdef", 27, ""},
      {"", 0, ""},
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x83\x86\xE3\x82\xAD", 34, "\xE6\x97\xA5..."},
      {"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", 27, ""},
      {"\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", 28, "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    FitTextWithEllipsis(&text, &dc, c.width, font);
    EXPECT_EQ(text, c.expected) << c.text << " " << c.width;
    EXPECT_TRUE(vt::IsValidUtf8(text));
    EXPECT_EQ(&dc.CurrentFont(), before);
  }
}

TEST_F(ListTest, PrintPagesSplitThePrintRowsAndNoRowPerPageGivesNoPage) {
  RowsScreen* s = Build(25, 300);
  s->BuildPrintRows();
  struct Case {
    int scale, height, rows, rowsPerPage, pages;
  } cases[] = {
      {1, 198, 25, 10, 3}, {2, 108, 25, 2, 13}, {1, 36, 25, 1, 25},
      {1, 35, 25, 0, 0},   {1, 18, 25, 0, 0},   {1, 17, 25, -1, 0},  // shorter than two rows
      {1, 198, 0, 10, 0},
  };
  for (const Case& c : cases) {
    s->printRows = c.rows;
    s->SetPrintBounds(0, 0, 300, c.height);
    s->ScalePrintRects(c.scale);
    EXPECT_EQ(s->m_rowsPerPrintPage, c.rowsPerPage) << c.scale << " " << c.height;
    EXPECT_EQ(s->GetPrintPageCount(nullptr), c.pages) << c.scale << " " << c.height;
  }
  // Page 3 of 25 rows at 10 a page: rows 20-24 under a rule, one more rule under them.
  s->printRows = 25;
  s->SetPrintBounds(0, 0, 300, 198);
  s->ScalePrintRects(1);
  vt::RecordingDc dc(300, 200);
  s->printed.clear();
  s->PrintSelf(&dc, 3);
  ASSERT_EQ(s->printed.size(), 5u);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(s->printed[std::size_t(i)], (std::pair<int, int>{20 + i, 2 + 18 * i}));
  const auto fills = dc.RecordsOf(vt::DcOp::FillRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, (vt::Rect{0, 1, 300, 2}));
  EXPECT_EQ(fills[1].rect, (vt::Rect{0, 92, 300, 93}));
}

TEST_F(ListTest, ThePrintedListGivesTheHeaderItsScaledHeightAndRulesIt) {
  RowsScreen* s = Build(25, 300);
  parts.list->SetPrintBounds(0, 0, 800, 600);
  parts.list->ApplyPrintScale(2);
  EXPECT_EQ(parts.header->PrintRect(), (vt::Rect{0, 0, 800, 40}));
  EXPECT_EQ(parts.strip->PrintRect(), (vt::Rect{0, 0, 800, 40}));
  EXPECT_EQ(s->PrintRect(), (vt::Rect{0, 40, 800, 600}));
  vt::RecordingDc dc(800, 600);
  parts.list->PrintSelf(&dc, 1);
  const auto fills = dc.RecordsOf(vt::DcOp::FillRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].rect, (vt::Rect{0, 0, 800, 1}));
  EXPECT_EQ(fills[1].rect, (vt::Rect{0, 39, 800, 40}));
  EXPECT_EQ(fills[0].color & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace list_test

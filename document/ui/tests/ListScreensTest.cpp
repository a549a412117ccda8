// Tests of the alarm and mark list screens over a real graph document: what each update hint
// does and in which order, the time selection from rows and from the cursors, the cells of a
// row with the alarm type icons, the printed rows and pages, and the rows after the managers
// released their items.
#include <gtest/gtest.h>

#include "document/DocumentTexts.h"
#include "document/testing/DocumentItems.h"
#include "document/ui/AlarmList.h"
#include "document/ui/AlarmListArt.h"
#include "document/ui/MarkList.h"
#include "gadget/sheet/testing/ListTestEnv.h"
#include "platform/gui/RecordingDc.h"

namespace list_test {
namespace {

using document_test::Tick;

// A graph document whose alarms show their tag names.
class ListDoc : public CGVantrelDoc {
 public:
  ListDoc() : CGVantrelDoc(nullptr, nullptr) { m_tagMode = NAME_TAG; }
  // Alarms of the given type at the given seconds, labelled "TAG<i>" and numbered "<100 + i>".
  void AddAlarms(const std::vector<int64_t>& seconds, int32_t type = kAlarmTypeHigh) {
    for (int64_t s : seconds) {
      const int i = GetAlarmDataManager()->CountChildren();
      document_test::AddAlarm(this,
                              {s, type, 1, 1, i, std::to_string(100 + i), "TAG" + std::to_string(i), ""});
    }
  }
  void AddMarks(const std::vector<int64_t>& seconds) {
    for (int64_t s : seconds) {
      const int i = GetMarkDataManager()->CountChildren();
      document_test::AddMark(
          this, {s, "title" + std::to_string(i), "comment" + std::to_string(i), "operator", 1, 5});
    }
  }
  // Whole seconds; 0 unsets a cursor.
  void SetCursorSeconds(int64_t a, int64_t b) {
    SetCursors(a > 0 ? Tick(a) : TickTime(), b > 0 ? Tick(b) : TickTime());
  }
};

// The time texts of the items, as the lists show them (UTC).
std::string TimeText(int64_t seconds) { return vt::EventTimeText(Tick(seconds)); }

// A list frame that logs its layouts.
class LoggingList : public CGList {
 public:
  LoggingList(CGCore* parent, gadget_test::Log* log) : CGList(parent), log_(log) {}
  void Layout() override {
    if (log_->empty() || log_->back() != "layout") log_->push_back("layout");
    CGList::Layout();
  }

 private:
  gadget_test::Log* log_;
};

// Alarm and mark times (seconds) of rows 0-9: three at 1007.
const std::vector<int64_t> kTimes = {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1007, 1007, 1008};

class ListScreensTest : public ListEnv {
 protected:
  void SetUp() override {
    ListEnv::SetUp();
    RegisterAlarmTypeIcons();
    doc = std::make_unique<ListDoc>();
    doc->AddAlarms(kTimes);
    doc->AddMarks(kTimes);
  }
  void TearDown() override {
    doc.reset();
    ListEnv::TearDown();
  }
  template <typename Screen>
  Screen* Build(gadget_test::Log* logTo = nullptr) {
    if (!logTo) logTo = &log;
    parts = MakeListFrame(root, 700, 300, new LoggingList(root, logTo));
    auto* screen = new Screen(parts.list);
    new gadget_test::Probe(screen, "body", logTo, vt::Rect{});  // logs the updates that reach it
    parts.list->LayoutTree();
    PaintWindow();
    logTo->clear();
    return screen;
  }
  int RowY(CGListScreen* s, int row) { return s->Rect().top + row * 18 - s->m_scrollY + 9; }
  static std::pair<int, int> Lines(CGListScreen* s) { return {s->m_firstLine, s->m_secondLine}; }
  std::unique_ptr<ListDoc> doc;
  ListParts parts;
  gadget_test::Log log;
};

TEST_F(ListScreensTest, HintsTakeTheSourceAndRelayoutInTheOrderOfEachList) {
  gadget_test::Log alarmLog;
  CGVTListScreenAlarm* alarm = Build<CGVTListScreenAlarm>(&alarmLog);
  CGVTListScreenMark* mark = Build<CGVTListScreenMark>();
  EXPECT_EQ(alarm->GetRowCount(), 0);
  EXPECT_EQ(mark->GetItemCount(), 0);
  const std::string U = "body update ";
  struct Case {
    int hint;
    std::vector<std::string> alarm, mark;  // "U" stands for the update reaching the body
  } cases[] = {
      {4, {"U", "layout"}, {"layout", "U"}},
      {5, {"U", "layout"}, {"U"}},
      {6, {"U", "layout"}, {"U"}},
      {7, {"U", "layout"}, {"U"}},
      {18, {"U", "layout"}, {"U"}},
      {8, {"U", "layout"}, {"layout", "U"}},
      {9, {"U", "layout"}, {"layout", "U"}},
      {22, {"U", "layout"}, {"layout", "U"}},
      {29, {"U", "layout"}, {"layout", "U"}},
      {10, {"U"}, {"layout", "U"}},
      {15, {"U"}, {"layout", "U"}},
      {16, {"U"}, {"layout", "U"}},
      {1, {"U"}, {"U"}},
      {3, {"U"}, {"U"}},
  };
  for (const Case& c : cases) {
    for (auto [screen, logOf, expected] :
         {std::tuple<CGListScreen*, gadget_test::Log*, const std::vector<std::string>*>{alarm, &alarmLog,
                                                                                        &c.alarm},
          {mark, &log, &c.mark}}) {
      logOf->clear();
      screen->OnUpdate(c.hint, doc.get());
      std::vector<std::string> want;
      for (const std::string& e : *expected) want.push_back(e == "U" ? U + std::to_string(c.hint) : e);
      EXPECT_EQ(*logOf, want) << "hint " << c.hint << (screen == alarm ? " alarm" : " mark");
    }
    if (c.hint == 4) {
      EXPECT_EQ(alarm->GetRowCount(), 10);
      EXPECT_EQ(mark->GetRowCount(), 10);
      EXPECT_EQ(alarm->m_contentHeight, 180);  // laid out with the rows
    }
  }
  // Hint 1 forgets the scroll position and the content size.
  alarm->m_scrollY = 40;
  alarm->OnUpdate(1, doc.get());
  EXPECT_EQ(alarm->m_scrollY, 0);
  EXPECT_EQ(alarm->m_contentHeight, 0);
  // The mark list also takes its source on hints 10, 15 and 16.
  Build<CGVTListScreenMark>();
  auto* late = static_cast<CGVTListScreenMark*>(parts.list->m_body);
  late->OnUpdate(15, doc.get());
  EXPECT_EQ(late->m_source, doc->GetMarkDataManager());
  EXPECT_EQ(late->GetRowCount(), 10);
}

// Drags from row 7 up to row 3 with the mouse in either list.
template <typename Screen>
void DragSevenToThree(ListScreensTest* t, Screen* s, CGRoot* root, int rowY7, int rowY3) {
  (void)t;
  const int x = s->Rect().left + 30;
  root->OnLButtonDown(vt::kMkLButton, x, rowY7);
  root->OnMouseMove(vt::kMkLButton, x, rowY3);
  root->OnLButtonUp(0, x, rowY3);
}

TEST_F(ListScreensTest, AMouseSelectionSelectsByTheTimesOfItsRows) {
  for (int kind = 0; kind < 2; ++kind) {
    CGListScreen* s = kind == 0 ? static_cast<CGListScreen*>(Build<CGVTListScreenAlarm>())
                                : static_cast<CGListScreen*>(Build<CGVTListScreenMark>());
    s->OnUpdate(4, doc.get());
    DragSevenToThree(this, s, root, RowY(s, 7), RowY(s, 3));
    EXPECT_EQ(s->GetSelectedBeginTime(), Tick(1004)) << kind;
    EXPECT_EQ(s->GetSelectedEndTime(), Tick(1007)) << kind;
    EXPECT_EQ(Lines(s), (std::pair<int, int>{3, 8})) << kind;
    // Every row at the time of row 7 counts, row 8 too.
    for (int row = 0; row < 10; ++row)
      EXPECT_EQ(s->IsRowSelected(row), row >= 3 && row <= 8) << kind << " " << row;
    // The owner moves the cursors there; the alarm list drops its marker lines, the mark list
    // recomputes them from the times.
    doc->SetCursorSeconds(1004, 1007);
    s->OnUpdate(8, doc.get());
    EXPECT_EQ(Lines(s), kind == 0 ? (std::pair<int, int>{-1, -1}) : (std::pair<int, int>{3, 9})) << kind;
    // A row past the last counts as the last; a negative row clears the times as well.
    s->SelectRange(8, 50);
    EXPECT_EQ(s->GetSelectedBeginTime(), Tick(1007)) << kind;
    EXPECT_EQ(s->GetSelectedEndTime(), Tick(1008)) << kind;
    EXPECT_EQ(Lines(s), (std::pair<int, int>{8, 10})) << kind;
    s->SelectRange(-1, 3);
    EXPECT_EQ(s->GetSelectedBeginTime(), TickTime()) << kind;
    EXPECT_EQ(s->GetSelectedEndTime(), TickTime()) << kind;
    EXPECT_EQ(Lines(s), (std::pair<int, int>{-1, -1})) << kind;
    delete parts.list;  // the next list takes the mouse
    doc->SetCursorSeconds(-1, -1);
  }
}

TEST_F(ListScreensTest, CursorsSelectTheRowsBetweenThemBothEndsIncluded) {
  CGVTListScreenAlarm* alarm = Build<CGVTListScreenAlarm>();
  alarm->OnUpdate(4, doc.get());
  doc->SetCursorSeconds(1007, 1003);  // B before A
  alarm->OnUpdate(9, doc.get());
  EXPECT_EQ(alarm->GetSelectedBeginTime(), Tick(1003));
  EXPECT_EQ(alarm->GetSelectedEndTime(), Tick(1007));
  for (int row = 0; row < 10; ++row) EXPECT_EQ(alarm->IsRowSelected(row), row >= 2 && row <= 8) << row;
  EXPECT_EQ(Lines(alarm), (std::pair<int, int>{-1, -1}));
  // Fractions count in whole milliseconds, truncated.
  doc->SetCursors(TickTime::FromPreciseTime(PreciseTime{1002, 0.9999}), Tick(1005));
  alarm->OnUpdate(22, doc.get());
  EXPECT_EQ(alarm->GetSelectedBeginTime().ticks, Tick(1002).ticks + 999 * 10000);
  EXPECT_FALSE(alarm->IsRowSelected(1));
  EXPECT_TRUE(alarm->IsRowSelected(2));
  // No cursor set: nothing selected.
  doc->SetCursorSeconds(-1, -1);
  alarm->OnUpdate(29, doc.get());
  for (int row = 0; row < 10; ++row) EXPECT_FALSE(alarm->IsRowSelected(row)) << row;

  CGVTListScreenMark* mark = Build<CGVTListScreenMark>();
  mark->OnUpdate(4, doc.get());
  struct Case {
    int64_t a, b;
    int first, second;
  } cases[] = {
      {1003, 1007, 2, 9},   {1007, 1003, 9, 2},  // the first line stays on cursor A's side
      {1007, 1007, 9, 6},                        // one time: after the marks at it, then the first mark at it
      {1500, 1600, 10, 10}, {0, 0, 0, 0},        // no cursor set: both lines on the top edge
  };
  for (const Case& c : cases) {
    doc->SetCursorSeconds(c.a, c.b);
    mark->OnUpdate(8, doc.get());
    EXPECT_EQ(Lines(mark), (std::pair<int, int>{c.first, c.second})) << c.a << " " << c.b;
    EXPECT_EQ(mark->GetSelectedBeginTime(), doc->GetCursorATime());
    EXPECT_EQ(mark->GetSelectedEndTime(), doc->GetCursorBTime());
  }
  doc->SetCursorSeconds(1007, 1003);
  mark->OnUpdate(8, doc.get());
  for (int row = 0; row < 10; ++row) EXPECT_EQ(mark->IsRowSelected(row), row >= 2 && row <= 8) << row;
  mark->SelectByTime(TickTime(-5), Tick(1003));
  EXPECT_EQ(Lines(mark), (std::pair<int, int>{-1, -1}));
}

TEST_F(ListScreensTest, AlarmRowsShowTheirCellsAndTypeIcons) {
  CGVTListScreenAlarm* alarm = Build<CGVTListScreenAlarm>();
  struct IconCase {
    int32_t type;
    int cell;
  } icons[] = {{-1, 0}, {0, 0}, {1, 1}, {4, 4}, {8, 8}, {9, 0}};
  for (const IconCase& c : icons) EXPECT_EQ(alarm->GetIconIndex(c.type), c.cell) << c.type;

  doc->GetAlarmDataManager()->ReleaseItems();
  doc->AddAlarms({1001}, kAlarmTypeHigh);
  doc->AddAlarms({1002}, kAlarmTypeOff);
  document_test::AddAlarm(doc.get(), {1003, kAlarmTypeLow, 1, 1, 2, "102", "A-very-long-tag-name", ""});
  alarm->m_channelWidth = 100;
  alarm->OnUpdate(4, doc.get());
  root->Redraw();
  vt::Rect r;
  alarm->GetAbsoluteRect(&r);
  const int iconLeft = r.left + 84 + 100 + 70 + 112;
  // Cell 1 (High) is a red triangle; the OFF row shows the row's own fill there.
  EXPECT_EQ(BackPixel(iconLeft + 8, r.top + 1 + 10) & 0xFFFFFF, vt::Rgb(0xD0, 0x24, 0x1C) & 0xFFFFFF);
  EXPECT_EQ(BackPixel(iconLeft + 8, r.top + 18 + 1 + 10) & 0xFFFFFF, 0xE6E6E6u);
  // The Low icon is blue.
  EXPECT_EQ(BackPixel(iconLeft + 8, r.top + 36 + 1 + 4) & 0xFFFFFF, vt::Rgb(0x1C, 0x5C, 0xD0) & 0xFFFFFF);
  // Around the icon the fill stays.
  EXPECT_EQ(BackPixel(iconLeft + 1, r.top + 1 + 1) & 0xFFFFFF, 0xFFFFFFu);

  vt::RecordingDc dc(1000, 40);
  alarm->DrawRow(&dc, vt::Rect{0, 0, 700, 18}, 2, true);
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 5u);
  const std::vector<std::pair<std::string, int>> expected = {
      {"ON", 4}, {"A-very-lon...", 88}, {"L1", 188}, {"Low", 258}, {TimeText(1003), 382}};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].text, expected[i].first) << i;
    EXPECT_EQ(texts[i].points.at(0).x, expected[i].second) << i;
    EXPECT_EQ(texts[i].color & 0xFFFFFF, 0xFFFFFFu) << i;  // a selected row
  }
}

TEST_F(ListScreensTest, MarkRowsFitTheirTextsAndTakeTheirColourFromTheListColours) {
  CGVTListScreenMark* mark = Build<CGVTListScreenMark>();
  mark->m_commentWidth = 50;
  mark->OnUpdate(4, doc.get());
  vt::RecordingDc dc(1200, 40);
  mark->DrawRow(&dc, vt::Rect{0, 0, 973, 18}, 0, true);
  auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 6u);
  const std::vector<std::pair<std::string, int>> expected = {{TimeText(1001), 4}, {"title0", 182},
                                                             {"com...", 336},     {"operator", 390},
                                                             {"01", 488},         {TimeText(5), 586}};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].text, expected[i].first) << i;
    EXPECT_EQ(texts[i].points.at(0).x, expected[i].second) << i;
    EXPECT_EQ(texts[i].color & 0xFFFFFF, g_listColors[5] & 0xFFFFFF) << i;
  }
  // A list that is not active draws in entries 6 and 7.
  mark->SetStyle(GSTYLE_VISIBLE);
  dc.Clear();
  mark->DrawRow(&dc, vt::Rect{0, 0, 973, 18}, 0, false);
  texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].color & 0xFFFFFF, g_listColors[6] & 0xFFFFFF);
  EXPECT_EQ(mark->GetContentWidth(), 973);
}

TEST_F(ListScreensTest, PrintedAlarmRowsShowChannelNumbersAndFollowThePrintSelection) {
  CGVTListScreenAlarm* alarm = Build<CGVTListScreenAlarm>();
  alarm->OnUpdate(4, doc.get());
  alarm->m_printChannelWidth = 120;
  alarm->BuildPrintRows();
  ASSERT_EQ(alarm->GetPrintRowCount(), 10);
  EXPECT_EQ(alarm->m_printRows[0][1], "100");  // the screen shows "TAG0"
  alarm->SetPrintBounds(0, 0, 800, 18 * 6);    // 5 rows a page
  alarm->ScalePrintRects(1);
  EXPECT_EQ(alarm->GetPrintPageCount(nullptr), 2);
  vt::RecordingDc dc(800, 120);
  alarm->PrintSelf(&dc, 2);
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 25u);
  EXPECT_EQ(texts[1].text, "105");
  EXPECT_EQ(texts[1].points.at(0).x, 84 + 4);
  EXPECT_EQ(texts[4].points.at(0).x, 84 + 120 + 70 + 128);  // the type column takes the icon's place
  EXPECT_EQ(texts[4].color & 0xFFFFFF, 0u);
  // Only the rows between the cursors: none selected gives no row and no page.
  alarm->m_printSelection = true;
  doc->SetCursorSeconds(1500, 1600);
  alarm->OnUpdate(8, doc.get());
  alarm->BuildPrintRows();
  EXPECT_EQ(alarm->GetPrintRowCount(), 0);
  EXPECT_EQ(alarm->GetPrintPageCount(nullptr), 0);
  doc->SetCursorSeconds(1002, 1004);
  alarm->OnUpdate(8, doc.get());
  alarm->BuildPrintRows();
  ASSERT_EQ(alarm->GetPrintRowCount(), 3);
  EXPECT_EQ(alarm->m_printRows[0][1], "101");

  CGVTListScreenMark* mark = Build<CGVTListScreenMark>();
  mark->OnUpdate(4, doc.get());
  mark->BuildPrintRows();
  ASSERT_EQ(mark->GetPrintRowCount(), 10);
  EXPECT_EQ(mark->m_printRows[3], (std::array<std::string, 6>{TimeText(1004), "title3", "comment3",
                                                              "operator", "01", TimeText(5)}));
}

TEST_F(ListScreensTest, RowsFollowTheManagersAfterTheyReleasedTheirItems) {
  CGVTListScreenAlarm* alarm = Build<CGVTListScreenAlarm>();
  alarm->OnUpdate(4, doc.get());
  CGVTListScreenMark* mark = Build<CGVTListScreenMark>();
  mark->OnUpdate(4, doc.get());
  alarm->m_channelWidth = mark->m_commentWidth = 100;
  ASSERT_EQ(alarm->GetRowCount(), 10);
  // The alarm loader and the mark deletion give items back and make new ones; the hint that
  // announces it is all the lists get.
  doc->GetAlarmDataManager()->ReleaseItems();
  doc->AddAlarms({2001, 2002});
  CGCore moved(0, nullptr);
  doc->GetMarkDataManager()->DetachUserMarksInRange(0, Tick(1000), Tick(1006), &moved);
  moved.ReleaseChildren();
  alarm->OnUpdate(10, doc.get());
  mark->OnUpdate(23, doc.get());
  EXPECT_EQ(alarm->GetRowCount(), 2);
  EXPECT_EQ(mark->GetRowCount(), 4);
  vt::RecordingDc dc(1200, 40);
  alarm->DrawRow(&dc, vt::Rect{0, 0, 700, 18}, 1, false);
  mark->DrawRow(&dc, vt::Rect{0, 0, 973, 18}, 0, false);
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[4].text, TimeText(2002));
  EXPECT_EQ(texts[5].text, TimeText(1007));
  EXPECT_EQ(texts[6].text, "title6");
  // The tag mode reaches the alarm rows through the document.
  doc->SetTagMode(NAME_CHANNEL_NO);
  alarm->OnUpdate(18, doc.get());
  dc.Clear();
  alarm->DrawRow(&dc, vt::Rect{0, 0, 700, 18}, 0, false);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::TextOut).at(1).text, "100");
}

}  // namespace
}  // namespace list_test

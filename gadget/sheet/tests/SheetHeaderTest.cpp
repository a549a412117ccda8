// Tests of the column header and the line headers: title presses with drags off and back on,
// the corner toggle, line selection by click, Shift+click and drag with the auto-scroll timer,
// the check lamps and check icons, number formats and the per-line arrays of the label and
// channel headers.
#include <gtest/gtest.h>

#include "gadget/GRootMaster.h"
#include "gadget/sheet/GSheetLine.h"
#include "gadget/sheet/testing/SheetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"

namespace sheet_test {
namespace {

// Sheet at (10, 10): column header y 11..31, line header x 11..51, body from x 51; line n of
// the body (unscrolled) spans y 31 + 18n .. 31 + 18n + 18.
class SheetHeaderTest : public SheetEnv {
 protected:
  void Build(int lines, CGSLine* lineHeader = nullptr) {
    BuildSheet(lines);
    header = new CGSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
    this->lineHeader =
        lineHeader ? lineHeader : new CGSLine(sheet, 0, GSTYLE_ACTIVE, 0, 40, 1, 12, "No.", 2, 1, "%d");
    a = new IntColumn(body, 100, "Alpha");
    b = new IntColumn(body, 100, "Beta");
  }
  static int LineY(int line) { return 31 + 18 * line + 9; }
  CGSColumn* header = nullptr;
  CGSLine* lineHeader = nullptr;
  IntColumn* a = nullptr;
  IntColumn* b = nullptr;
};

TEST_F(SheetHeaderTest, ACornerClickSelectsAllLinesAndTheNextClearsThem) {
  Build(10);
  lineHeader->SetTitleStyle(1);
  gadget_test::AddLogEvent(lineHeader, GEVENT_HEADER_CLICKED, &log);
  LayoutAndPaint();
  Down(20, 20);
  Up(20, 20);
  EXPECT_EQ(sheet->m_selectionFirst, 0);
  EXPECT_EQ(sheet->m_selectionLast, 9);
  Down(20, 20);
  Up(20, 20);
  EXPECT_EQ(sheet->m_selectionFirst, -1);
  sheet->SetSelection(9, 0);  // all lines, in either order, count as all
  Down(20, 20);
  Up(20, 20);
  EXPECT_EQ(sheet->m_selectionFirst, -1);
  EXPECT_EQ(log, (Log{"event 8", "event 8", "event 8"}));
}

TEST_F(SheetHeaderTest, ATitleClickFiresOnlyWhenReleasedOnThePressedTitle) {
  Build(10);
  a->SetTitleStyle(1);
  b->SetTitleStyle(0);
  gadget_test::AddLogEvent(a, GEVENT_HEADER_CLICKED, &log);
  gadget_test::AddLogEvent(b, GEVENT_HEADER_CLICKED, &log);
  LayoutAndPaint();
  Down(80, 20);
  EXPECT_EQ(header->m_pressedColumn, a);
  EXPECT_EQ(g_pressedInside, 1);
  Move(180, 20);  // onto b's title: outside the pressed one
  EXPECT_EQ(g_pressedInside, 0);
  Up(180, 20);
  EXPECT_TRUE(log.empty());
  Down(80, 20);
  Move(180, 20);
  Move(90, 22);
  EXPECT_EQ(g_pressedInside, 1);
  Up(90, 22);
  EXPECT_EQ(log, (Log{"event 8"}));
  EXPECT_EQ(header->m_pressedColumn, nullptr);
  Down(180, 20);  // title style 0: not clickable
  Up(180, 20);
  EXPECT_EQ(log.size(), 1u);
  // A double click acts as a second press.
  root->OnLButtonDblClk(vt::kMkLButton, 80, 20);
  Up(80, 20);
  EXPECT_EQ(log.size(), 2u);
  // A disabled column's title is not clickable.
  a->SetStyle(1);
  Down(80, 20);
  Up(80, 20);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(SheetHeaderTest, AScrolledTitleIsClickableOnlyRightOfTheBodyEdge) {
  Build(10);
  new IntColumn(body, 200, "Gamma");
  new IntColumn(body, 200, "Delta");
  a->SetTitleStyle(1);
  gadget_test::AddLogEvent(a, GEVENT_HEADER_CLICKED, &log);
  LayoutAndPaint();
  sheet->SetScrollX(60);  // a shows x 60..100 of its 100 pixels, at root x 51..91
  Down(45, 20);           // over the line header's corner: not a's title
  Up(45, 20);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(header->HitTest(60 - 10, 20 - 10), a);
  EXPECT_EQ(header->HitTest(30 - 10, 20 - 10), nullptr);
  Down(60, 20);
  Up(60, 20);
  EXPECT_EQ(log, (Log{"event 8"}));
}

TEST_F(SheetHeaderTest, ClickAndShiftClickSelectARangeWithOneEventEach) {
  Build(10);
  gadget_test::AddLogEvent(lineHeader, GEVENT_CHANGED, &log);
  LayoutAndPaint();
  Down(30, LineY(3));
  Up(30, LineY(3));
  ShiftClick(30, LineY(7));
  EXPECT_EQ(sheet->m_selectionFirst, 3);
  EXPECT_EQ(sheet->m_selectionLast, 7);
  EXPECT_EQ(log, (Log{"event 1", "event 1"}));
  // The selected lines are drawn sunken with the number in red.
  EXPECT_EQ(FrontPixel(11, LineY(5) - 9), vt::ColorRef(0x025E5E5E) & 0xFFFFFF);
}

TEST_F(SheetHeaderTest, DraggingBelowTheHeaderScrollsWithTheTimerUntilTheEndOrBackInside) {
  Build(30);
  gadget_test::AddLogEvent(lineHeader, GEVENT_CHANGED, &log);
  LayoutAndPaint();
  const int bottom = lineHeader->Rect().bottom + 10;  // root y of the header's bottom edge
  Down(30, LineY(2));
  Move(30, bottom + 30);
  ASSERT_TRUE(host->Timers().count(vt::GTIMER_REPEAT));
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 50u);
  const int lastBefore = sheet->m_selectionLast;
  EXPECT_EQ(lastBefore, 29 < (bottom + 30 - 31) / 18 ? 29 : (bottom + 30 - 31) / 18);
  host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(body->m_scrollY, 30);
  EXPECT_EQ(sheet->m_selectionLast, (bottom + 30 - 31 + 30) / 18);
  for (int i = 0; i < 40 && host->Timers().count(vt::GTIMER_REPEAT); ++i) host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(body->m_scrollY, body->m_contentHeight - body->ViewHeight());
  EXPECT_EQ(sheet->m_selectionLast, 29);
  EXPECT_FALSE(host->Timers().count(vt::GTIMER_REPEAT));  // a zero step stops it
  Move(30, LineY(4));
  Move(30, bottom + 30);
  EXPECT_TRUE(host->Timers().count(vt::GTIMER_REPEAT));
  Move(30, LineY(5));  // back inside
  EXPECT_FALSE(host->Timers().count(vt::GTIMER_REPEAT));
  Up(30, LineY(5));
  EXPECT_EQ(sheet->m_selectionFirst, 2);
}

TEST_F(SheetHeaderTest, ResourceFormatsNumberTheLines) {
  BuildSheet(3);
  auto* numbered = new CGSLine(sheet, 0, 40, 3001);
  EXPECT_EQ(numbered->NumberText(0), "01");
  EXPECT_EQ(numbered->Title(), "No.");
  EXPECT_EQ(numbered->Alignment(), 2);
  delete numbered;
  EXPECT_EQ(sheet->m_lineHeader, nullptr);
  auto* checks = new CGSCheckLine(sheet, 60);
  EXPECT_EQ(checks->NumberText(0), "W001");
  EXPECT_EQ(checks->GetId(), 1079);
}

TEST_F(SheetHeaderTest, ALampPressTogglesWhileOverItsLineAndReportsOnlyAReleaseThere) {
  auto* checks = new CGSCheckLine(nullptr, 60);
  delete checks;
  BuildSheet(10);
  header = new CGSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  checks = new CGSCheckLine(sheet, 60);
  new IntColumn(body, 100);
  gadget_test::AddLogEvent(checks, GEVENT_CHANGED, &log);
  LayoutAndPaint();
  Down(15, LineY(4));
  EXPECT_EQ(checks->Check(4), 1);
  Move(15, LineY(6));
  EXPECT_EQ(checks->Check(4), 0);
  Move(15, LineY(4));
  EXPECT_EQ(checks->Check(4), 1);
  Up(15, LineY(4));
  EXPECT_EQ(log, (Log{"event 1"}));
  EXPECT_EQ(sheet->m_focusLine, 4);
  Down(15, LineY(4));
  Move(15, LineY(6));
  Up(15, LineY(6));
  EXPECT_EQ(checks->Check(4), 1);
  EXPECT_EQ(log.size(), 1u);
  int v = -1;
  checks->GetLineIntValue(4, &v);
  EXPECT_EQ(v, 1);
  // Right of the lamp the press selects.
  Down(50, LineY(2));
  Up(50, LineY(2));
  EXPECT_EQ(sheet->m_selectionFirst, 2);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(SheetHeaderTest, ACheckIconHeaderShowsTheIconCellOfEachCheckAndTogglesLikeTheLamps) {
  // A strip of two 13 x 13 cells: unchecked blue, checked green.
  constexpr int kStrip = 64201;
  auto strip = vt::Bitmap::Create(26, 13, 24);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 26; ++x) strip->SetPixel(x, y, x < 13 ? 0xFF0000 : 0x00FF00);
  vt::RegisterBitmap(kStrip, std::move(strip));
  BuildSheet(4);
  header = new CGSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  auto* icons = new CGSCheckIconLine(sheet, 40);
  new IntColumn(body, 100);
  gadget_test::AddLogEvent(icons, GEVENT_CHANGED, &log);
  EXPECT_EQ(sheet->m_lineHeader, icons);
  EXPECT_EQ(icons->NumberText(2), "W003");
  icons->SetLineIntValue(1, 1);
  LayoutAndPaint();
  // Without an image the square left of the number shows the header's face only.
  const vt::ColorRef face = FrontPixel(20, LineY(0));
  EXPECT_EQ(FrontPixel(20, LineY(1)), face);
  icons->m_iconImage = GetSharedBitmap(kStrip);
  icons->m_iconCellWidth = icons->m_iconCellHeight = 13;
  LayoutAndPaint();
  // The icon is centred in the square (the cell's left 18 x 18): x 11..29.
  EXPECT_EQ(FrontPixel(20, LineY(0)) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(FrontPixel(20, LineY(1)) & 0xFFFFFF, 0x00FF00u);
  EXPECT_EQ(FrontPixel(12, LineY(1)), face);  // left of the icon's 13 pixels (x 13..25)
  // A press on the icon column toggles the check and shows the other cell at once.
  Down(15, LineY(0));
  EXPECT_EQ(FrontPixel(20, LineY(0)) & 0xFFFFFF, 0x00FF00u);
  Up(15, LineY(0));
  EXPECT_EQ(icons->Check(0), 1);
  EXPECT_EQ(log, (Log{"event 1"}));
  vt::RegisterBitmap(kStrip, nullptr);
}

TEST_F(SheetHeaderTest, LabelAndChannelArraysFollowInsertionsAndGrowth) {
  BuildSheet(3);
  auto* channels = new CGSChannelLine(sheet, 12);
  channels->SetLineText(0, "CH1");
  channels->SetLineColor(0, 0x020000FF);
  sheet->InsertLines(0, 2);
  EXPECT_EQ(channels->LineColor(0), 0u);
  EXPECT_EQ(channels->LineColor(2), 0x020000FFu);
  std::string text;
  channels->GetLineText(2, &text);
  EXPECT_EQ(text, "CH1");
  sheet->SetLineCount(8);
  EXPECT_EQ(channels->LineColor(7), 0x02C0C0C0u);
  text = "x";
  channels->GetLineText(9, &text);
  EXPECT_EQ(text, "x");
  sheet->DeleteLines(0, 2);
  channels->GetLineText(0, &text);
  EXPECT_EQ(text, "CH1");
}

TEST_F(SheetHeaderTest, AChannelHeaderTakesNoClicksAndShrinksItsLabelFont) {
  BuildSheet(3);
  auto* channels = new CGSChannelLine(sheet, 12);
  new IntColumn(body, 100);
  gadget_test::AddLogEvent(channels, GEVENT_CHANGED, &log);
  LayoutAndPaint();
  Down(30, 11 + 9);
  Up(30, 11 + 9);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(sheet->m_selectionFirst, -1);
  // 136 - 2 = 134 pixels: 20 characters of 7 pixels do not fit at any size of the fixed measurer.
  vt::DeviceContext* dc = root->GetBackDCPtr();
  EXPECT_EQ(channels->GetLabelFont(dc, "short")->GetLogFont().height, 12);
  EXPECT_EQ(channels->GetLabelFont(dc, std::string(20, 'x'))->GetLogFont().height, 4);
}

}  // namespace
}  // namespace sheet_test

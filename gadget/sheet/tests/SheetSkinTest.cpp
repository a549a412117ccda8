// Tests of the skinned sheet: zebra, selection and inactive colours at sample pixels, the
// nine-slice cell index of line-header cells, the column header's hot look with its presses
// and the corner toggle, the fitted title font, the channel mark's square, the skinned alarm
// boxes, a later column-header skin replacing the first for every header, and the check-icon
// header's icon cells from its own strip or the skin's.
#include <gtest/gtest.h>

#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetDigitals.h"
#include "gadget/sheet/GSkSheetLine.h"
#include "gadget/sheet/SheetSkinArt.h"
#include "gadget/sheet/testing/SheetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"

namespace sheet_test {
namespace {

vt::ColorRef Rgb24(vt::ColorRef c) { return c & 0xFFFFFF; }

class SheetSkinTest : public SheetEnv {
 protected:
  void SetUp() override {
    SheetEnv::SetUp();
    RegisterSheetSkinArt();
    SetSheetSkin(BuiltinSheetSkin());
  }
  void TearDown() override {
    ResetSheetSkin();  // the statics point into this test's bitmap pool
    SheetEnv::TearDown();
  }
  // A skinned sheet of 300 x 200 at (10, 10) with a 20-pixel header and a 40-pixel line header.
  void BuildSkinned(int lines, int lineHeight = 18) {
    sheet = new CGSkSheet(root, 10, 10, 300, 200, 0, GSTYLE_ACTIVE, 1, 16, lines, lineHeight);
    vbar = new CGVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, lineHeight);
    vbar->Build(1);
    body = new CGSkSheetScreen(sheet, 0, GSTYLE_ACTIVE);
    header = new CGSkSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
    lineHeader = new CGSkSLine(sheet, 0, GSTYLE_ACTIVE, 1, 40, 1, 12, "No.", 2, 1, "%d");
  }
  CGSkSColumn* header = nullptr;
  CGSkSLine* lineHeader = nullptr;
};

TEST_F(SheetSkinTest, CellsAreZebraStripedAndSelectedLinesUseTheSelectedFills) {
  BuildSkinned(8);
  auto* d = new CGSkSDigitals(body, 0, 100, 0);
  d->SetLineState(3, 0);
  sheet->SetSelection(5, 2);
  LayoutAndPaint();
  const SGSheetSkin& skin = SheetSkin();
  struct Case {
    int line;
    int fill;
  } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 2}, {5, 3}, {6, 0}, {7, 1}};
  for (const Case& c : cases) {
    vt::Rect r;
    d->GetLineRect(c.line, &r);
    EXPECT_EQ(FrontPixel(r.left + 3, r.top + 9), Rgb24(skin.cellFill[c.fill])) << c.line;
    // The frame's left side in the frame colour of the line's kind.
    EXPECT_EQ(FrontPixel(r.left, r.top + 9), Rgb24(skin.cellFrame[c.fill][0])) << c.line;
  }
  EXPECT_EQ(SheetCellTextColor(3, false), 0x02333333u);
  EXPECT_EQ(SheetCellTextColor(3, true), 0x02FFFFFFu);
  EXPECT_EQ(SheetCellTextColor(1, false), 0x02999999u);
  EXPECT_EQ(SheetCellTextColor(0, true), 0x02BEBEBEu);
  // The sheet's own frame and background.
  EXPECT_EQ(FrontPixel(10, 100), Rgb24(skin.frame));
  EXPECT_EQ(FrontPixel(200, 190), Rgb24(skin.background));  // the body below the last line
}

TEST_F(SheetSkinTest, LineHeaderCellsTakeTheNineSliceCellOfParitySelectionAndState) {
  struct Case {
    bool even, selected;
    int state, index;
  } cases[] = {{true, false, 3, 0},
               {true, false, 1, 1},
               {true, true, 3, 2},
               {false, false, 3, 4},
               {false, true, 0, 7}};
  for (const Case& c : cases) EXPECT_EQ(SkinnedLineCellIndex(c.even, c.selected, c.state), c.index);
  BuildSkinned(4);
  new CGSkSDigitals(body, 0, 100, 0);
  lineHeader->SetLineState(1, 1);
  LayoutAndPaint();
  // Line 1 (odd, inactive: cell 5) is paler than it is active (cell 4).
  vt::Rect r1;
  lineHeader->GetLineRect(1, &r1);
  const vt::ColorRef inactive = FrontPixel(r1.left + 2, r1.top + 10);
  lineHeader->SetLineState(1, 3);
  LayoutAndPaint();
  const vt::ColorRef active = FrontPixel(r1.left + 2, r1.top + 10);
  EXPECT_GT(vt::RedOf(inactive), vt::RedOf(active));
}

TEST_F(SheetSkinTest, TheHeaderFollowsThePointerWithAHotTitleAndKeepsTheCornerToggle) {
  BuildSkinned(6);
  auto* a = new CGSkSDigitals(body, 0, 100, 0);
  auto* b = new CGSkSDigitals(body, 0, 100, 0);
  a->SetTitleStyle(1);
  b->SetTitleStyle(1);
  lineHeader->SetTitleStyle(1);
  gadget_test::AddLogEvent(a, GEVENT_HEADER_CLICKED, &log);
  gadget_test::AddLogEvent(b, GEVENT_HEADER_CLICKED, &log);
  LayoutAndPaint();
  Move(80, 20);
  EXPECT_EQ(header->m_hotColumn, a);
  const vt::ColorRef hot = FrontPixel(80, 14);
  Move(180, 20);
  EXPECT_EQ(header->m_hotColumn, b);
  EXPECT_NE(FrontPixel(80, 14), hot);  // a is back to normal
  EXPECT_EQ(FrontPixel(180, 14), hot);
  // Released over another title: that one turns hot, no event.
  Down(80, 20);
  EXPECT_EQ(header->m_hotColumn, nullptr);
  Move(180, 20);
  Up(180, 20);
  EXPECT_EQ(header->m_hotColumn, b);
  EXPECT_TRUE(log.empty());
  Down(180, 20);
  Up(180, 20);
  EXPECT_EQ(log, (Log{"event 8"}));
  // Off the header the hot title returns to normal.
  Move(180, 120);
  EXPECT_EQ(header->m_hotColumn, nullptr);
  // The corner: all lines, then none.
  Down(20, 20);
  Up(20, 20);
  EXPECT_EQ(sheet->GetSelectedCount(), 6);
  Down(20, 20);
  Up(20, 20);
  EXPECT_EQ(sheet->GetSelectedCount(), 0);
}

TEST_F(SheetSkinTest, TitlesShrinkToTheirCellDownToFourPoints) {
  BuildSkinned(2);
  LayoutAndPaint();
  vt::DeviceContext* dc = root->GetBackDCPtr();
  EXPECT_EQ(header->FitTitleFont(dc, 100, "Short")->GetLogFont().height, 14);
  EXPECT_EQ(header->FitTitleFont(dc, 10, "A long title")->GetLogFont().height, 4);
  EXPECT_EQ(header->FitTitleFont(dc, 10, "A long title")->GetLogFont().weight, 700);
}

TEST_F(SheetSkinTest, AChannelMarkOfStyleOneIsASquareOfTheInnerHeight) {
  BuildSkinned(3, 20);
  delete lineHeader;
  auto* channels = new CGSkSChannelLine(sheet, 12);
  channels->m_labelStyle = 1;
  channels->SetLineColor(0, 0x020000FF);
  new CGSkSDigitals(body, 0, 100, 0);
  LayoutAndPaint();
  vt::Rect cell, mark, label;
  channels->GetLineRect(0, &cell);
  channels->MarkAndLabelRects(cell, &mark, &label);
  EXPECT_EQ(mark.Width(), 16);
  EXPECT_EQ(mark.Height(), 16);
  EXPECT_EQ(FrontPixel(mark.left + 8, mark.top + 8), 0x0000FFu);
  EXPECT_EQ(FrontPixel(mark.left, mark.top + 8), 0x808080u);
  channels->m_labelStyle = 0;
  channels->MarkAndLabelRects(cell, &mark, &label);
  EXPECT_EQ(mark.Height(), 3);
  EXPECT_EQ(label.bottom, mark.top);
}

TEST_F(SheetSkinTest, SkinnedAlarmBoxesUseTheSkinColoursAndPaleOnesForInactiveLines) {
  BuildSkinned(2);
  auto* d = new CGSkSAlarmDigitals(body, 0, 0);
  d->SetLineAlarmMask(0, 0x03);
  d->SetLineAlarms(0, 0x01);
  LayoutAndPaint();
  EXPECT_EQ(d->SkinBoxColor(0, 0), 0x020000FFu);
  EXPECT_EQ(d->SkinBoxColor(0, 1), 0x0200FF00u);
  EXPECT_EQ(d->SkinBoxColor(0, 2), 0x02999999u);
  vt::Rect r;
  d->GetLineRect(0, &r);
  EXPECT_EQ(FrontPixel(r.left + 3, r.top + 9), 0x0000FFu);
  EXPECT_EQ(FrontPixel(r.left + 2, r.top + 9), 0x000000u);  // the box frame
  d->SetStyle(GSTYLE_VISIBLE);                              // a disabled column: every line inactive
  LayoutAndPaint();
  EXPECT_EQ(d->SkinBoxColor(0, 0), 0x02A8A8D5u);
  EXPECT_EQ(d->SkinBoxColor(0, 1), 0x02A8D5A9u);
  EXPECT_EQ(FrontPixel(r.left + 3, r.top + 9), 0xA8A8D5u);
  EXPECT_EQ(FrontPixel(r.left + 2, r.top + 9), 0x7F7F7Fu);
}

TEST_F(SheetSkinTest, ALaterColumnSkinReplacesTheFirstForEveryHeader) {
  SGSColumnSkin other = BuiltinSheetSkin().column;
  other.fontSize = 9;
  other.colorNormal = 0x020000FF;
  SetSkSColumnSkin(other);
  EXPECT_EQ(SheetColumnSkin().fontSize, 9);
  EXPECT_EQ(SheetColumnSkin().colorNormal, 0x020000FF);
  EXPECT_NE(SheetColumnImage(), nullptr);
  EXPECT_EQ(SheetSkin().column.fontSize, 14);  // the record copy keeps what start-up gave
}

TEST_F(SheetSkinTest, TheCheckIconHeaderDrawsTheCellOfCheckAndStateFromItsOwnStripOrTheSkins) {
  // Two strips of four 13 x 13 cells (off, on, off inactive, on inactive), each cell one colour.
  constexpr int kSkinStrip = 64211, kOwnStrip = 64212;
  const vt::ColorRef skinCells[4] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
  const vt::ColorRef ownCells[4] = {0xFF00FF, 0x808000, 0x008080, 0x800080};
  for (auto [id, cells] : {std::pair{kSkinStrip, skinCells}, std::pair{kOwnStrip, ownCells}}) {
    auto strip = vt::Bitmap::Create(52, 13, 24);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 52; ++x) strip->SetPixel(x, y, cells[x / 13]);
    vt::RegisterBitmap(id, std::move(strip));
  }
  SetSkSCheckIconLineBitmaps(kSkinStrip, 0, 13, 13);
  sheet = new CGSkSheet(root, 10, 10, 300, 200, 0, GSTYLE_ACTIVE, 1, 16, 4, 18);
  vbar = new CGVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 18);
  vbar->Build(1);
  body = new CGSkSheetScreen(sheet, 0, GSTYLE_ACTIVE);
  header = new CGSkSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  auto* icons = new CGSkSCheckIconLine(sheet, 60);
  new CGSkSDigitals(body, 0, 100, 0);
  icons->SetLineIntValue(1, 1);
  auto iconPixel = [&](int line) {
    vt::Rect cell;
    icons->GetLineRect(line, &cell);
    const SGSLineSkin& m = SheetSkin().line;
    const vt::Rect inner = ShrinkByMargins(cell, m.marginLeft, m.marginTop, m.marginRight, m.marginBottom);
    return FrontPixel(inner.left + inner.Height() / 2, (inner.top + inner.bottom) / 2) & 0xFFFFFF;
  };
  struct Case {
    int headerStyle;
    bool own;
    int line;
    int cell;
  } cases[] = {
      {GSTYLE_ACTIVE, false, 0, 0},  {GSTYLE_ACTIVE, false, 1, 1},   // active: off, on
      {GSTYLE_VISIBLE, false, 0, 2}, {GSTYLE_VISIBLE, false, 1, 3},  // not enabled: the pale pair
      {GSTYLE_ACTIVE, true, 0, 0},   {GSTYLE_VISIBLE, true, 1, 3},   // the header's own strip first
  };
  for (const Case& c : cases) {
    icons->SetStyle(c.headerStyle);
    icons->m_iconImage = c.own ? GetSharedBitmap(kOwnStrip) : nullptr;
    icons->m_iconCellWidth = icons->m_iconCellHeight = c.own ? 13 : 0;
    EXPECT_EQ(icons->IconCell(c.line), c.cell);
    LayoutAndPaint();
    EXPECT_EQ(iconPixel(c.line), (c.own ? ownCells : skinCells)[c.cell]) << c.line << " " << c.headerStyle;
  }
  vt::RegisterBitmap(kSkinStrip, nullptr);
  vt::RegisterBitmap(kOwnStrip, nullptr);
}

}  // namespace
}  // namespace sheet_test

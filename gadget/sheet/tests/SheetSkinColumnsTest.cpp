// Tests of the skinned cell columns: zebra and selected fills, lamp, icon and push-button state
// cells, the check-icon/value group's sub-columns, a drop-down line without an item, and a
// setter called again changing the columns at their next redraw.
#include <gtest/gtest.h>

#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetColumns.h"
#include "gadget/sheet/SheetSkinArt.h"
#include "gadget/sheet/testing/SheetTestEnv.h"

namespace sheet_test {
namespace {

class SheetSkinColumnsTest : public SheetEnv {
 protected:
  void SetUp() override {
    SheetEnv::SetUp();
    RegisterSheetSkinArt();
    SetSheetSkin(BuiltinSheetSkin());
  }
  void TearDown() override {
    ResetSheetSkin();
    SheetEnv::TearDown();
  }
  static int LineY(int line) { return 11 + 18 * line + 9; }
};

TEST_F(SheetSkinColumnsTest, CellsOfEveryKindAreZebraStripedAndSelectedLinesUseTheSelectedFill) {
  BuildSheet(6);
  auto* labels = new CGSkSLabels(body, 0, 0, 60, 1);
  auto* ints = new CGSkSIntValues(body, 0, 0);
  auto* combo = new CGSkSComboBoxs(body, 0, 0, 80, 0, nullptr, nullptr);
  sheet->SetSelection(4, 5);
  LayoutAndPaint();
  const SGSheetSkin& skin = SheetSkin();
  for (CGSheetArray* c : {static_cast<CGSheetArray*>(labels), static_cast<CGSheetArray*>(ints),
                          static_cast<CGSheetArray*>(combo)}) {
    for (int line = 0; line < 6; ++line) {
      vt::Rect r;
      c->GetLineRect(line, &r);
      const int fill = (line >= 4 ? 2 : 0) + line % 2;
      EXPECT_EQ(FrontPixel(r.left + 3, r.top + 4), skin.cellFill[fill] & 0xFFFFFFu) << line;
    }
  }
}

TEST_F(SheetSkinColumnsTest, LampIconAndButtonStateCells) {
  BuildSheet(4);
  auto* lamps = new CGSkSTogLabelButtons(body, 0, 0, 80, 1, nullptr);
  lamps->SetLineIntValue(1, 1);
  lamps->SetLineState(1, 1);
  EXPECT_EQ(lamps->LampCell(1), 3);
  EXPECT_EQ(lamps->LampCell(0), 0);
  auto* push = new CGSkSPushButtons(body, 0, 0, 60, 3);
  sheet->SetSelection(1, 1);
  EXPECT_EQ(push->ButtonCell(1, 1), 14);
  EXPECT_EQ(push->ButtonCell(0, 0), 0);
  push->SetStyle(GSTYLE_VISIBLE);
  EXPECT_EQ(push->ButtonCell(2, 0), 1);
  EXPECT_EQ(push->ButtonCell(3, 2), 11);
  LayoutAndPaint();
}

TEST_F(SheetSkinColumnsTest, TheCheckIconValueGroupBuildsItsSkinnedSubColumns) {
  BuildSheet(3);
  auto* g = new CGSkSCheckIconValues(body, 5, 0);
  g->BuildColumns();
  sheet->LayoutTree();
  EXPECT_TRUE(IsKindOfClass(g->CheckColumn(), GCLASS(CGSkSTogIconButtons)));
  EXPECT_TRUE(IsKindOfClass(g->ValueColumn(), GCLASS(CGSkSValues)));
  EXPECT_EQ(g->CheckColumn()->Rect().Width(), 18);
  EXPECT_EQ(g->ValueColumn()->Rect().Width(), 72);
  g->ValueColumn()->SetLineValueText(0, "-5e12");
  double v = 0;
  g->GetLineValue(0, &v);
  EXPECT_EQ(v, -999999999);
  LayoutAndPaint();
}

TEST_F(SheetSkinColumnsTest, ADropDownLineWithoutAnItemShowsTheButtonAndNoText) {
  BuildSheet(2);
  auto* c = new CGSkSComboBoxs(body, 0, 0, 80, 2, nullptr, nullptr);
  c->m_items = {"WWWWWW", "WWWWWW"};
  c->SetLineSelection(0, -1);
  LayoutAndPaint();
  vt::Rect r0, r1;
  c->GetLineRect(0, &r0);
  c->GetLineRect(1, &r1);
  // The text area of line 0 keeps the fill; line 1 shows its text there.
  auto countNonFill = [&](const vt::Rect& r, vt::ColorRef fill) {
    int n = 0;
    for (int x = r.left + 4; x < r.right - 20; ++x)
      for (int y = r.top + 3; y < r.bottom - 3; ++y) n += FrontPixel(x, y) != fill;
    return n;
  };
  EXPECT_EQ(countNonFill(r0, SheetSkin().cellFill[0] & 0xFFFFFF), 0);
  EXPECT_GT(countNonFill(r1, SheetSkin().cellFill[1] & 0xFFFFFF), 0);
  // The button is drawn in both lines, also by a single-line redraw.
  const vt::ColorRef button = FrontPixel(r0.right - 10, r0.top + 9);
  EXPECT_NE(button, SheetSkin().cellFill[0] & 0xFFFFFFu);
  c->DrawLine(root->GetBackDCPtr(), 0);
  c->FlushLine(0);
  EXPECT_EQ(countNonFill(r0, SheetSkin().cellFill[0] & 0xFFFFFF), 0);
}

TEST_F(SheetSkinColumnsTest, ASetterCalledAgainChangesTheColumnsAtTheirNextRedraw) {
  BuildSheet(1);
  auto* icons = new CGSkSTogIconButtons(body, 20, 12, 0, 4, 13, 13, 0, 0);
  icons->SetLineIntValue(0, 1);
  LayoutAndPaint();
  const vt::ColorRef before = FrontPixel(11 + 10, LineY(0));
  const int32_t lampBlock[4] = {kSheetLamp, kSheetLampMask, 13, 13};
  SetSkSTogIconButtonsSkin(lampBlock);
  LayoutAndPaint();
  EXPECT_NE(FrontPixel(11 + 10, LineY(0)), before);
}

}  // namespace
}  // namespace sheet_test

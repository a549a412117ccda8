// Tests of the label, colour and button columns: the cyclic column's click, drag off and back
// and index rules; the colour column with the platform's colour dialog answered by the fake
// desktop; toggle presses and strip cells; push-button clicks and the hot line; and the
// check-icon/value group whose value edit checks the line.
#include <gtest/gtest.h>

#include "gadget/sheet/GSheetButtons.h"
#include "gadget/sheet/GSheetEdit.h"
#include "gadget/sheet/testing/SheetTestEnv.h"

namespace sheet_test {
namespace {

// Body at root (11, 11); line n spans y 11 + 18n .. 29 + 18n.
class SheetButtonsTest : public SheetEnv {
 protected:
  static int LineY(int line) { return 11 + 18 * line + 9; }
};

TEST_F(SheetButtonsTest, ACyclicClickSwitchesTheLabelOnlyWhenReleasedOnTheLine) {
  BuildSheet(3);
  const uint32_t ids[2] = {3000, 3129};
  auto* c = new CGSCyclicLabels(body, 0, 0, 100, ids);
  gadget_test::AddLogEvent(c, GEVENT_CHANGED, &log);
  LayoutAndPaint();
  c->SetLineIntValue(0, 1);
  std::string text;
  c->GetLineValueText(0, &text);
  EXPECT_EQ(text, "Color");
  Down(40, LineY(0));
  Up(40, LineY(0));
  EXPECT_EQ(c->Index(0), 0);
  EXPECT_EQ(log, (Log{"event 1"}));
  Down(40, LineY(0));
  Move(40, LineY(1));
  EXPECT_EQ(g_pressedInside, 0);
  Up(40, LineY(1));
  EXPECT_EQ(c->Index(0), 0);
  Down(40, LineY(0));
  Move(40, LineY(1));
  Move(40, LineY(0));
  Up(40, LineY(0));
  EXPECT_EQ(c->Index(0), 1);
  EXPECT_EQ(log.size(), 2u);
  c->SetLineIntValue(1, 3);
  c->GetLineValueText(1, &text);
  EXPECT_EQ(text, "Color");
  int v = 0;
  c->GetLineIntValue(1, &v);
  EXPECT_EQ(v, 3);
  c->SetLineValueText(1, "neither");
  c->GetLineIntValue(1, &v);
  EXPECT_EQ(v, 3);
  c->SetLineValueText(1, "No.");
  c->GetLineIntValue(1, &v);
  EXPECT_EQ(v, 0);
  c->SetLineIntValue(2, -1);  // no label
  text = "kept";
  c->GetLineValueText(2, &text);
  EXPECT_EQ(text, "kept");
  LayoutAndPaint();
}

TEST_F(SheetButtonsTest, AColourLineOpensTheDialogAndStoresOnlyAnAcceptedColour) {
  BuildSheet(3);
  auto* c = new CGSColors(body, 60);
  gadget_test::AddLogEvent(c, GEVENT_CHANGED, &log);
  c->SetLineIntValue(0, 0x000000FF);
  sheet->SetSelection(0, 0);
  LayoutAndPaint();
  EXPECT_EQ(FrontPixel(30, LineY(0)), 0x0000FFu);  // red whatever the selection
  Down(30, LineY(0));
  EXPECT_EQ(FrontPixel(30, LineY(0)), 0x5E5E5Eu);  // pressed
  desktop->colorAnswer.reset();                    // cancelled
  Up(30, LineY(0));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(FrontPixel(30, LineY(0)), 0x0000FFu);
  desktop->colorAnswer = vt::ColorRef{0x000000FF};  // the same colour with OK
  Down(30, LineY(0));
  Up(30, LineY(0));
  EXPECT_EQ(log, (Log{"event 1"}));
  desktop->colorAnswer = vt::ColorRef{0x00FF0000};
  Down(30, LineY(0));
  Move(30, LineY(2));  // released off the line: no dialog
  Up(30, LineY(2));
  EXPECT_EQ(c->m_colors[0], 0x000000FFu);
  Down(30, LineY(0));
  Up(30, LineY(0));
  EXPECT_EQ(c->m_colors[0], 0x00FF0000u);
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(SheetButtonsTest, AToggleFlipsAtThePressAndReportsOnlyAReleaseOnItsLine) {
  BuildSheet(3);
  const int initial[] = {0, 5, 1};
  auto* t = new CGSToggleButtons(body, 0, 0, 40, 12, 0, initial, 3);
  gadget_test::AddLogEvent(t, GEVENT_CHANGED, &log);
  LayoutAndPaint();
  EXPECT_EQ(t->Value(1), 5);
  Down(20, LineY(0));
  EXPECT_EQ(t->Value(0), 1);
  Move(20, LineY(2));
  EXPECT_EQ(t->Value(0), 0);
  Up(20, LineY(2));
  EXPECT_EQ(t->Value(0), 0);
  EXPECT_TRUE(log.empty());
  Down(20, LineY(0));
  Up(20, LineY(0));
  EXPECT_EQ(t->Value(0), 1);
  EXPECT_EQ(log, (Log{"event 1"}));
  Down(20, LineY(1));  // 5 counts as on: a click stores 0
  Up(20, LineY(1));
  EXPECT_EQ(t->Value(1), 0);
  const int many[] = {1, 1, 1};
  auto* labelled = new CGSTogLabelButtons(body, 0, 0, 80, 0, many);
  EXPECT_EQ(labelled->m_values, (std::vector<int>{1, 1, 0}));  // at most two initial values
  std::string text = "x";
  labelled->GetLineText(9, &text);
  EXPECT_EQ(text, "");
}

TEST_F(SheetButtonsTest, ToggleIconCellsFollowValueStateAndTheStripLength) {
  BuildSheet(2);
  auto* icons = new CGSTogIconButtons(body, 20, 12, 0, 4, 13, 13, 0, 0);
  icons->SetLineIntValue(0, 1);
  EXPECT_EQ(icons->StripCell(0), 1);
  icons->SetStyle(GSTYLE_VISIBLE);
  EXPECT_EQ(icons->StripCell(0), 3);
  EXPECT_EQ(icons->StripCell(1), 2);
  icons->m_cellCount = 2;
  EXPECT_EQ(icons->StripCell(0), 1);
  icons->SetLineIntValue(0, 5);  // on whatever the value
  icons->SetStyle(GSTYLE_ACTIVE);
  EXPECT_EQ(icons->StripCell(0), 1);
  icons->m_cellCount = 0;  // no cells: floored at 0
  EXPECT_EQ(icons->StripCell(0), 0);
  LayoutAndPaint();
}

TEST_F(SheetButtonsTest, PushButtonsClickOnTheirLineAndFollowThePointerWithTheHotLine) {
  BuildSheet(4);
  auto* p = new CGSPushButtons(body, 0, 0, 80, 1);
  for (int i = 0; i < 4; ++i) p->SetLineText(i, "Go");
  gadget_test::AddLogEvent(p, GEVENT_CLICKED, &log);
  LayoutAndPaint();
  Down(30, LineY(1));
  EXPECT_EQ(p->LookOf(1), 1);
  Up(30, LineY(1));
  EXPECT_EQ(log, (Log{"event 2"}));
  EXPECT_EQ(sheet->m_hotLine, 1);
  // Released on another line: the press was dropped when the pointer left; nothing happens.
  Down(30, LineY(1));
  Move(30, LineY(2));
  Up(30, LineY(2));
  EXPECT_EQ(log.size(), 1u);
  // Hover draws each line hot in turn.
  root->OnMouseHover(30, LineY(2));
  EXPECT_EQ(sheet->m_hotLine, 2);
  root->OnMouseHover(30, LineY(3));
  EXPECT_EQ(sheet->m_hotLine, 3);
  EXPECT_EQ(p->LookOf(3), 2);
  EXPECT_EQ(p->LookOf(2), 0);
}

TEST_F(SheetButtonsTest, EditingTheValueOfAnUncheckedLineChecksItAndOpensTheEditor) {
  BuildSheet(3);
  auto* g = new CGSCheckIconValues(body, 0, 0, 90, 12, 0);
  g->BuildColumns();
  gadget_test::AddLogEvent(g->ValueColumn(), GEVENT_EDIT_BEGIN, &log);
  LayoutAndPaint();
  EXPECT_EQ(g->CheckColumn()->Rect().Width(), 18);
  EXPECT_EQ(g->ValueColumn()->Rect().Width(), 72);
  int checked = -1;
  g->GetLineIntValue(1, &checked);
  EXPECT_EQ(checked, 0);
  Down(11 + 50, LineY(1));
  Up(11 + 50, LineY(1));
  g->GetLineIntValue(1, &checked);
  EXPECT_EQ(checked, 1);
  EXPECT_EQ(log, (Log{"event 12"}));
  ASSERT_NE(TextEditor(), nullptr);
  TextEditor()->Type("5e12");
  TextEditor()->PressKey(vt::kVkReturn);
  double v = 0;
  g->GetLineValue(1, &v);
  EXPECT_EQ(v, 999999999);
  // The check part toggles on its own.
  Down(11 + 5, LineY(2));
  Up(11 + 5, LineY(2));
  g->GetLineIntValue(2, &checked);
  EXPECT_EQ(checked, 1);
}

}  // namespace
}  // namespace sheet_test

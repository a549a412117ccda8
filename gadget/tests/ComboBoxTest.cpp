// The drop-down field: its item table (values, growing and shrinking, texts), opening the
// root's drop-down list by a click, storing the choice, Tab carrying the editor on, and the
// plain and skinned looks.
#include <gtest/gtest.h>

#include "gadget/GComboBox.h"
#include "gadget/GRoot.h"
#include "gadget/GTextField.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/testing/FakeInPlaceControls.h"

namespace gadget_test {
namespace {

class ComboBoxTest : public WidgetEnv {
 protected:
  vt::FakeInPlaceCombo* Combo() { return host->Combos().empty() ? nullptr : host->Combos()[0]; }
  static std::string EditText(CGComboBox* c, std::string start = "kept") {
    c->GetEditText(&start);
    return start;
  }
};

TEST_F(ComboBoxTest, ValuesSelectItemsAndTheTableGrowsAnewButShrinksKeepingItems) {
  const uint32_t ids[] = {57345, 1, 61475};  // id 1 names no string
  const int values[] = {10, 20, 30};
  auto* c = new CGComboBox(root, 10, 10, 120, 20, 0, GSTYLE_ACTIVE, 3, ids, values);
  EXPECT_EQ(EditText(c), "Ready");  // item 0 is selected after construction
  int v = 0;
  c->SetValue(20);
  EXPECT_EQ(c->GetSelection(), 1);
  EXPECT_EQ(EditText(c), "");
  EXPECT_EQ(c->GetValue(&v), 0);
  EXPECT_EQ(v, 20);
  c->SetValue(25);
  EXPECT_EQ(c->GetSelection(), -1);
  EXPECT_EQ(c->GetValue(&v), 3);
  EXPECT_EQ(EditText(c), "kept");  // no selection leaves the output as it was
  c->SetEditText("Out of memory.");
  EXPECT_EQ(c->GetSelection(), 2);
  c->SetEditText("none of them");
  EXPECT_EQ(c->GetSelection(), 2);

  // Shrinking keeps the first items; growing past the capacity starts anew.
  c->SetItemCount(2);
  EXPECT_EQ(c->GetItemCount(), 2);
  c->SetValue(20);
  EXPECT_EQ(c->GetSelection(), 1);
  c->SetSelectedIndex(2);
  EXPECT_EQ(c->GetValue(&v), 3);
  const std::string texts[] = {"a", "b", "c", "d"};
  c->SetItems(4, texts);
  c->SetSelectedIndex(2);
  EXPECT_EQ(c->GetValue(&v), 0);
  EXPECT_EQ(v, 2);
  EXPECT_EQ(EditText(c), "c");
  c->SetItemCount(5);
  EXPECT_EQ(EditText(c), "");
  c->SetItems(2, texts, values);  // values of the first min(count, items) only
  c->SetValue(20);
  EXPECT_EQ(c->GetSelection(), 1);

  // Without a table the selection is the value.
  c->FreeItems();
  c->SetValue(7);
  EXPECT_EQ(c->GetValue(&v), 0);
  EXPECT_EQ(v, 7);
}

TEST_F(ComboBoxTest, AClickOpensTheListTheChoiceIsStoredAndTabCarriesTheEditorOn) {
  const uint32_t ids[] = {57345, 61475};
  auto* c = new CGSkComboBox(root, 10, 10, 120, 20, 0, GSTYLE_ACTIVE, 2, ids, nullptr);
  new CGSkText(root, 10, 40, 120, 20, 0, 0, 0, 0);  // the next field
  for (int code : {GEVENT_EDIT_BEGIN, GEVENT_EDIT_STORE, GEVENT_CHANGED, GEVENT_EDIT_END})
    AddLogEvent(c, code, &log);
  Repaint();
  Down(150, 80);
  Up(20, 15);  // a release that did not start here opens nothing
  ASSERT_NE(Combo(), nullptr);
  EXPECT_FALSE(Combo()->IsVisible());
  EXPECT_TRUE(log.empty());

  Down(20, 15);
  Up(20, 15);
  EXPECT_EQ(log, (Log{"event 12"}));
  EXPECT_TRUE(Combo()->IsDroppedDown());
  EXPECT_EQ(Combo()->Bounds(), (vt::Rect{9, 9, 130, 131}));
  ASSERT_EQ(Combo()->Count(), 2);
  EXPECT_EQ(Combo()->ItemText(1), "Out of memory.");
  EXPECT_EQ(Combo()->CurSel(), 0);
  Combo()->Choose(1);
  Combo()->PressKey(vt::kVkTab);
  host->Pump();
  int v = -1;
  c->GetValue(&v);
  EXPECT_EQ(v, 1);
  // No end event of its own; Tab opens the text editor on the next field.
  EXPECT_EQ(log, (Log{"event 12", "event 7", "event 1"}));
  vt::FakeInPlaceEdit* edit = nullptr;
  for (vt::FakeInPlaceEdit* e : host->Edits())
    if (e->Id() == kTextEditorId) edit = e;
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->IsVisible());
  EXPECT_EQ(edit->Bounds(), (vt::Rect{10, 40, 130, 60}));
  // Shift+Tab from the text field comes back with the list shown closed.
  desktop->keysDown.insert(vt::kVkShift);
  edit->PressKey(vt::kVkTab);
  desktop->keysDown.clear();
  host->Pump();
  EXPECT_TRUE(Combo()->IsVisible());
  EXPECT_FALSE(Combo()->IsDroppedDown());
  EXPECT_EQ(Combo()->CurSel(), 1);
}

TEST_F(ComboBoxTest, PlainAndSkinnedLooksFollowTheEnabledBit) {
  const uint32_t ids[] = {57345};
  auto* plain = new CGComboBox(root, 10, 10, 120, 20, 0, GSTYLE_ACTIVE, 1, ids, nullptr);
  auto* skinned = new CGSkComboBox(root, 10, 50, 120, 20, 0, GSTYLE_ACTIVE, 1, ids, nullptr);
  skinned->SetSelectedIndex(-1);
  Repaint();
  // Plain: sunken one-pixel frame, fill, the grey arrow button at the right end.
  EXPECT_EQ(FrontPixel(10, 10), 0x000000u);
  EXPECT_EQ(FrontPixel(129, 29), 0xE2E2E2u);
  EXPECT_EQ(FrontPixel(11, 11), 0x5E5E5Eu);
  EXPECT_EQ(FrontPixel(113, 12), 0xCACACAu);
  EXPECT_EQ(FrontPixel(115, 14), 0xC0C0C0u);
  auto face = [](int cell) { return CellColour(kSkinArrowButton, cell, 14, 14); };
  const vt::SGSkinBlock& sk = SkinBlock(SkinReceiver::ComboBox);
  // Skinned: field and frame colours, the drop button's face; without a selection the
  // text area is the field colour only.
  EXPECT_EQ(FrontPixel(10, 50), sk.Colour(56));
  EXPECT_EQ(FrontPixel(116, 55), face(0));
  for (int x = 14; x < 108; ++x) ASSERT_EQ(FrontPixel(x, 60), sk.Colour(48)) << x;
  plain->SetStyle(GSTYLE_VISIBLE);
  skinned->SetStyle(GSTYLE_VISIBLE);
  Repaint();
  EXPECT_EQ(FrontPixel(10, 50), sk.Colour(60));
  EXPECT_EQ(FrontPixel(20, 60), sk.Colour(52));
  EXPECT_EQ(FrontPixel(116, 55), face(1));
}

}  // namespace
}  // namespace gadget_test

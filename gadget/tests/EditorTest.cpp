// Tests of the in-place editors: the edit road from BeginEdit to EndEdit with its events and
// close codes, keys that end or do not end an edit, paste, the drop-down list with and without
// a key table, and gadgets that go while their edit is open or its end is queued.
#include <gtest/gtest.h>

#include "gadget/InPlaceEditors.h"
#include "gadget/SkinnedEditors.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/testing/FakeInPlaceControls.h"

namespace gadget_test {
namespace {

class EditorTest : public RootEnv {
 protected:
  void SetUp() override {
    RootEnv::SetUp();
    field = new Probe(root, "f", &log, {20, 10, 120, 30});
    for (int code : {GEVENT_EDIT_BEGIN, GEVENT_EDIT_STORE, GEVENT_CHANGED, GEVENT_EDIT_END})
      AddLogEvent(field, code, &log);
    other = new Probe(root, "o", &log, {0, 50, 50, 90});
    PaintWindow();
    log.clear();
  }
  vt::FakeInPlaceEdit* Edit(int id) {
    for (vt::FakeInPlaceEdit* e : host->Edits())
      if (e->Id() == id) return e;
    return nullptr;
  }
  vt::FakeInPlaceCombo* Combo() { return host->Combos().empty() ? nullptr : host->Combos()[0]; }
  Log log;
  Probe* field = nullptr;
  Probe* other = nullptr;
};

TEST_F(EditorTest, EnterStoresTheTextAtOnceAndEndsTheEditWhenThePostArrives) {
  field->text = "old";
  field->BeginEdit();
  vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->IsVisible());
  EXPECT_TRUE(edit->HasFocus());
  EXPECT_EQ(edit->Bounds(), (vt::Rect{20, 10, 120, 30}));
  EXPECT_EQ(edit->Text(), "old");
  EXPECT_EQ(edit->Selection(), (std::pair<int, int>{0, 3}));
  edit->Type("new\t\x1b");  // Tab and Escape characters insert nothing
  EXPECT_EQ(edit->Text(), "new");
  EXPECT_TRUE(edit->PressKey(vt::kVkReturn));
  EXPECT_FALSE(edit->IsVisible());
  EXPECT_EQ(log, (Log{"event 12", "event 7", "f settext new", "event 1"}));
  log.clear();
  host->Pump();
  EXPECT_EQ(log, (Log{"f endedit 1", "f draw", "event 11"}));
  EXPECT_EQ(root->GetTextEditor()->GetGadget(), nullptr);
  ASSERT_FALSE(host->Delivered().empty());
  EXPECT_EQ(host->Delivered().back().message, WM_GADGET_EDITEND);
}

TEST_F(EditorTest, CloseCodesFollowTheKeyAndShiftWhileEscapeChangesNothing) {
  struct Case {
    uint32_t vk;
    bool shift;
    int code;
  };
  for (const Case c : {Case{vt::kVkReturn, false, 1}, Case{vt::kVkReturn, true, 2},
                       Case{vt::kVkTab, false, 3}, Case{vt::kVkTab, true, 4}}) {
    field->BeginEdit();
    vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
    EXPECT_TRUE(edit->PressKey(vt::kVkEscape));
    EXPECT_TRUE(edit->IsVisible());
    if (c.shift) desktop->keysDown.insert(vt::kVkShift);
    edit->PressKey(c.vk);
    desktop->keysDown.clear();
    log.clear();
    host->Pump();
    EXPECT_EQ(log.front(), "f endedit " + std::to_string(c.code));
    EXPECT_EQ(host->Delivered().back().lParam, c.code);
  }
}

TEST_F(EditorTest, APressInTheRootCommitsTheOpenEditWithCodeFiveBeforeItIsRouted) {
  field->BeginEdit();
  Edit(kTextEditorId)->Type("typed");
  log.clear();
  root->OnLButtonDown(vt::kMkLButton, 10, 60);
  EXPECT_EQ(log, (Log{"event 7", "f settext typed", "event 1", "o down 10,60"}));
  root->OnLButtonUp(0, 10, 60);
  log.clear();
  host->Pump();
  EXPECT_EQ(log.front(), "f endedit 5");
  // Keys go to the gadgets only while no editor is open.
  field->BeginEdit();
  log.clear();
  root->OnKeyDown('A', 1, 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(EditorTest, AMaskedGadgetIsEditedInThePasswordEditor) {
  field->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  field->text = "secret";
  field->BeginEdit();
  vt::FakeInPlaceEdit* edit = Edit(kPasswordEditorId);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->IsPassword());
  EXPECT_TRUE(edit->IsVisible());
  EXPECT_FALSE(Edit(kTextEditorId)->IsVisible());
  edit->PressKey(vt::kVkTab);
  host->Pump();
  EXPECT_EQ(log.back(), "event 11");
}

TEST_F(EditorTest, PasteTakesTheFirstClipboardLineAtTheSelectionAndKeepsTheRest) {
  struct Case {
    const char* clip;
    const char* result;
    int caret;
  };
  for (const Case c : {Case{"XY", "abXYef", 4}, Case{"XY\r\nZZ", "abXYef", 4}, Case{"\rZZ", "abef", 2}}) {
    field->text = "abcdef";
    field->BeginEdit();
    vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
    edit->SetSelection(2, 4);
    desktop->clipboardText = c.clip;
    edit->Paste();
    EXPECT_EQ(edit->Text(), c.result) << c.clip;
    EXPECT_EQ(edit->Selection(), (std::pair<int, int>{c.caret, c.caret}));
  }
  desktop->clipboardText.reset();
  Edit(kTextEditorId)->Paste();
  EXPECT_EQ(Edit(kTextEditorId)->Text(), "abef");
}

TEST_F(EditorTest, TheDropDownSelectsByKeyTableAndShowsTheEditTextWithoutAMatch) {
  const std::string items[] = {"zero", "one", "two"};
  const int keys[] = {2, 0, 1};
  field->EditWithCombo(20, 10, 120, 30, 10, nullptr, 3, items, keys, 0, 1);
  vt::FakeInPlaceCombo* combo = Combo();
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->Count(), 3);
  EXPECT_EQ(combo->ItemText(0), "two");
  EXPECT_EQ(combo->CurSel(), 1);
  EXPECT_TRUE(combo->IsDroppedDown());
  // The list is at least as high as the field.
  EXPECT_EQ(combo->Bounds(), (vt::Rect{19, 9, 120, 51}));
  EXPECT_EQ(combo->fieldHeight(), 16);

  const int far[] = {5, 7, 9};  // keys outside the items show empty texts
  field->text = "typed";
  field->EditWithCombo(20, 10, 120, 30, 100, nullptr, 3, items, far, 7, 0);
  EXPECT_EQ(combo->CurSel(), 1);
  EXPECT_EQ(combo->ItemText(1), "");
  field->EditWithCombo(20, 10, 120, 30, 100, nullptr, 3, items, far, 8, 0);
  EXPECT_EQ(combo->CurSel(), -1);
  EXPECT_EQ(combo->Text(), "typed");
  field->EditWithCombo(20, 10, 120, 30, 100, nullptr, 3, items, nullptr, 2, 0);
  EXPECT_EQ(combo->CurSel(), 2);
  EXPECT_EQ(combo->ItemText(2), "two");
}

TEST_F(EditorTest, ChoosingWithTheMouseReportsAtOnceAndEnterThenOnlyEndsTheEdit) {
  const std::string items[] = {"zero", "one", "two"};
  const int keys[] = {5, 7, 9};
  field->EditWithCombo(20, 10, 120, 30, 100, nullptr, 3, items, keys, 5, 1);
  Combo()->Choose(2);
  EXPECT_EQ(log, (Log{"event 7", "f select 9", "event 1"}));
  log.clear();
  EXPECT_TRUE(Combo()->PressKey(vt::kVkReturn));
  EXPECT_FALSE(Combo()->IsVisible());
  EXPECT_TRUE(log.empty());
  host->Pump();
  EXPECT_EQ(log.front(), "f endedit 1");
  // Closing with another selection than the one reported stores it.
  field->EditWithCombo(20, 10, 120, 30, 100, nullptr, 3, items, keys, 5, 1);
  log.clear();
  Combo()->SetCurSel(1);
  Combo()->PressKey(vt::kVkTab);
  EXPECT_EQ(log, (Log{"f select 7", "event 1"}));
}

TEST_F(EditorTest, AGadgetThatGoesDuringItsEditGetsNoCallAfterwards) {
  field->BeginEdit();
  delete field;
  vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
  EXPECT_FALSE(edit->IsVisible());
  EXPECT_EQ(root->GetTextEditor()->GetGadget(), nullptr);
  log.clear();
  edit->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_TRUE(log.empty());

  // The end is queued, then the gadget is released before the post arrives.
  other->BeginEdit();
  AddLogEvent(other, GEVENT_EDIT_END, &log);
  edit->PressKey(vt::kVkReturn);
  log.clear();
  other->Release();
  host->Pump();
  EXPECT_TRUE(log.empty());

  const std::string items[] = {"a"};
  auto* chooser = new Probe(root, "c", &log, {0, 0, 10, 10});
  chooser->EditWithCombo(0, 0, 10, 10, 50, nullptr, 1, items, nullptr, 0, 1);
  delete chooser;
  Combo()->PressKey(vt::kVkReturn);
  host->Pump();
  EXPECT_TRUE(log.empty());
}

TEST_F(EditorTest, AttachMakesThreeHiddenEditorsOnlyWhenAskedAndTheRootServesTheClipboard) {
  ASSERT_EQ(host->Edits().size(), 2u);
  ASSERT_EQ(host->Combos().size(), 1u);
  EXPECT_EQ(Combo()->Id(), kComboEditorId);
  for (vt::FakeInPlaceEdit* e : host->Edits()) {
    EXPECT_FALSE(e->IsVisible());
    EXPECT_EQ(e->Bounds(), (vt::Rect{10, 30, 140, 80}));
  }
  root->Attach(host.get());  // bound again: nothing new
  EXPECT_EQ(host->Edits().size(), 2u);
  vt::FakeHostWindow bare(50, 50);
  CGRoot plain(nullptr, 0, 0);
  plain.Attach(&bare);
  EXPECT_TRUE(bare.Edits().empty());
  EXPECT_EQ(plain.GetTextEditor(), nullptr);
  plain.Detach();

  vt::FakeInPlaceEdit* edit = Edit(kTextEditorId);
  root->Copy();  // no edit open: nothing
  EXPECT_EQ(edit->clipboard, "");
  field->text = "hello";
  field->BeginEdit();
  edit->SetSelection(1, 3);
  root->Copy();
  EXPECT_EQ(edit->clipboard, "el");
  root->Cut();
  EXPECT_EQ(edit->Text(), "hlo");
  desktop->clipboardText = "XY";
  root->Paste();
  EXPECT_EQ(edit->Text(), "hXYlo");
}

TEST_F(EditorTest, SkinnedEditorsFrameThemselvesInTheSkinInForceWhenTheyPaint) {
  SetSkTextEditSkin(vt::SGSkEditSkin{{1, 2, 3, 4}});
  SetSkPasswdEditSkin(vt::SGSkEditSkin{{5, 6, 7, 8}});
  CSkTextEdit text(host->CreateEdit(false, 20000, {0, 0, 10, 10}));
  CSkPasswdEdit password(host->CreateEdit(true, 20001, {0, 0, 10, 10}));
  // A skin set after the editors were made (a later skin change of an open window) reaches them.
  SetSkTextEditSkin(vt::SGSkEditSkin{{11, 12, 13, 14}});
  SetSkPasswdEditSkin(vt::SGSkEditSkin{{15, 16, 17, 18}});
  auto frameOf = [](CTextEdit& e) { return static_cast<vt::FakeInPlaceEdit*>(e.Control())->skinFrame(); };
  EXPECT_EQ(frameOf(text), (std::array<vt::ColorRef, 4>{11, 12, 13, 14}));
  EXPECT_EQ(frameOf(password), (std::array<vt::ColorRef, 4>{15, 16, 17, 18}));
  SetSkTextEditSkin(vt::SGSkEditSkin{});
  SetSkPasswdEditSkin(vt::SGSkEditSkin{});
}

// A root that reports itself as the skinned root, as the skinned windows' roots do.
class SkinnedRoot : public CGRoot {
 public:
  using CGRoot::CGRoot;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSkRoot); }
};

TEST_F(EditorTest, SkinnedEditorsFrameThemselvesPaintTheFieldAndPassMovesToASkinnedRoot) {
  SetSkTextEditSkin(vt::SGSkEditSkin{{1, 2, 3, 4}});
  CSkTextEdit edit(host->CreateEdit(false, 20000, {0, 0, 10, 10}));
  auto* control = static_cast<vt::FakeInPlaceEdit*>(edit.Control());
  ASSERT_TRUE(control->skinFrame().has_value());
  EXPECT_EQ(*control->skinFrame(), (std::array<vt::ColorRef, 4>{1, 2, 3, 4}));

  auto button = vt::Bitmap::Create(16, 16, 24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) button->SetPixel(x, y, 0x0000FF);
  vt::RegisterBitmap(64101, std::move(button));
  vt::RegisterBitmap(64102, vt::Bitmap::Create(16, 16, 24));  // a black mask shows the image
  SetSkComboSkin(vt::SGSkComboSkin{64101, 64102, 16, 16, 2, 2, 2, 2, 0, 0, 0, 0, 0x00FFFF, 0x000080, 0x00FF00,
                                   0xFF0000});
  CSkCombo combo(host->CreateCombo(20001, {0, 0, 100, 20}));
  combo.Control()->SetText("abc");
  vt::RecordingDc dc(100, 20);
  combo.PaintField(dc, {0, 0, 100, 20});
  EXPECT_EQ(dc.GetPixel(0, 10), 0x00FFFFu);   // the background
  EXPECT_EQ(dc.GetPixel(1, 10), 0x00FF00u);   // the outer frame
  EXPECT_EQ(dc.GetPixel(2, 10), 0xFF0000u);   // the inner frame
  EXPECT_EQ(dc.GetPixel(90, 10), 0x0000FFu);  // the drop button
  EXPECT_EQ(dc.GetPixel(81, 10), 0x00FFFFu);
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "abc");
  EXPECT_EQ(texts[0].points[0].x, 5);
  EXPECT_EQ(texts[0].color, 0x000080u);
  EXPECT_EQ(texts[0].clip, (vt::Rect{3, 3, 80, 17}));
  vt::RegisterBitmap(64101, nullptr);
  vt::RegisterBitmap(64102, nullptr);

  vt::FakeHostWindow skinnedHost(100, 100);
  desktop->hostUnderCursor = skinnedHost.Handle();
  auto* skinned = new SkinnedRoot(master, 0, 0);
  skinned->Attach(&skinnedHost);
  auto* gadget = new Probe(skinned, "g", &log, {0, 0, 50, 50});
  skinnedHost.Invalidate(nullptr);
  skinnedHost.RunPendingPaint();
  CSkTextEdit over(skinnedHost.CreateEdit(false, 20002, {0, 0, 50, 20}));
  over.Open(gadget, nullptr, {0, 0, 50, 20}, "x", 0);
  log.clear();
  over.Control()->onMouseMove(0, vt::Point{5, 5});
  EXPECT_EQ(log, (Log{"g enter"}));
  over.ClearGadget();
  delete skinned;
}

}  // namespace
}  // namespace gadget_test

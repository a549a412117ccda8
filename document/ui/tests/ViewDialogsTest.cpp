// The graph window's small dialogs driven through their real gadgets: the mark dialog's cases
// (new and existing marks, the label side, the group mask of new marks only, titles cut for the
// short title, Cancel, Delete, Enter as OK, the restricted mode) and its roots never pooled; the
// colour and print-settings commands of the document (values in, OK changes the document,
// Cancel leaves it, Enter stores as OK does, the comment cut whole characters under 256 bytes);
// the graph-name dialog's trimming; the message-group bits, text and cells over a stored
// recording.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "document/testing/DocumentFixture.h"
#undef slots
#include <QApplication>
#include <QKeyEvent>

#include "document/ui/CDlgEditMark.h"
#include "document/ui/CDlgGraphColor.h"
#include "document/ui/CDlgGraphNameInput.h"
#include "document/ui/CDlgPrintConfig.h"
#include "document/ui/CDlgSelectGroup.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "gadget/GStocker.h"
#include "platform/gui/qt/HostWidget.h"

namespace document_test {
namespace {

using dialog_test::Click;

// Dialogs over stored data: a root master with the built-in skins.
class ViewDialogsTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    skins_.SetUp();
  }
  void TearDown() override {
    skins_.TearDown();
    DocumentTest::TearDown();
  }

 private:
  struct Skins : dialog_test::DialogsTest {
    void TestBody() override {}
    using dialog_test::DialogsTest::SetUp;
    using dialog_test::DialogsTest::TearDown;
  } skins_;
};

void PressEnter(vt::DialogWindow& d) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dynamic_cast<vt::HostWidget*>(d.Host()), &press);
}

CGPrimitive* GadgetOf(CGRoot* root, int id) { return static_cast<CGPrimitive*>(root->FindById(id)); }

int CountPooled() {
  std::function<int(CGCore*)> count = [&](CGCore* c) {
    int n = 0;
    for (CGCore* k = c->GetFirstChild(); k; k = c->NextChild(k)) n += 1 + count(k);
    return n;
  };
  return g_rootMaster && g_rootMaster->GetStocker() ? count(g_rootMaster->GetStocker()) : 0;
}

SNgMarkData Existing(int32_t position, uint64_t mask) {
  SNgMarkData r;
  CDlgEditMark::SetDefaultMark(&r);
  r.id = 1200;
  r.note.position = position;
  r.groupMask = mask;
  std::strcpy(r.note.comment, "old comment");
  return r;
}

TEST_F(ViewDialogsTest, MarkDialogCases) {
  const std::string longTitle(40, 'T');
  struct Case {
    const char* what;
    int mode;
    SNgMarkData start;
    int display, side, group;  // radio values to choose, -1 leaves them
    std::string title;
    int end;  // 1 OK button, 0 Enter, 2 Cancel, 100 Delete
    int result;
    int16_t kind;
    int32_t position;
    uint64_t mask;
  };
  const SNgMarkData fresh = [] {
    SNgMarkData r;
    CDlgEditMark::SetDefaultMark(&r);
    return r;
  }();
  const Case cases[] = {
      {"new, display group, left", 2, fresh, -1, 0, 1, "Pump", 1, 1, 1, -50, uint64_t(1) << 3},
      {"new, all groups, by Enter", 2, fresh, 1, -1, 0, "", 0, 1, 0, 50, ~uint64_t(0)},
      {"existing keeps its mask; right", 0, Existing(-50, 0x5), -1, 1, 0, longTitle, 1, 1, 1, 50, 0x5},
      {"existing, left", 0, Existing(50, 0x5), -1, 0, -1, "x", 1, 1, 1, -50, 0x5},
      {"cancel changes nothing", 0, Existing(50, 0x5), 1, 0, 0, "x", 2, 2, 1, 50, 0x5},
      {"delete", 0, Existing(50, 0x5), 1, 0, 0, "x", 100, 100, 1, 50, 0x5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDlgEditMark dialog(&c.start, 0);
    dialog.m_mode = c.mode;
    dialog.m_groupIndex = 3;
    vt::OnNextDialog(CDlgEditMark::kTemplateId, [&](vt::DialogWindow& d) {
      EXPECT_EQ(d.GetWindowText(), "Append Mark");
      CGVTEditMarkRoot* root = dialog.m_root;
      for (auto [id, v] :
           {std::pair{CGVTEditMarkRoot::kDisplayId, c.display},
            std::pair{CGVTEditMarkRoot::kPositionId, c.side}, std::pair{CGVTEditMarkRoot::kGroupId, c.group}})
        if (v >= 0) root->Gadget(id)->SetValue(v);
      if (!c.title.empty()) root->Gadget(CGVTEditMarkRoot::kTitleId)->SetText(c.title);
      if (c.end == 0)
        PressEnter(d);
      else
        Click(d, root->Gadget(c.end == 1   ? CGVTEditMarkRoot::kOkId
                              : c.end == 2 ? CGVTEditMarkRoot::kCancelId
                                           : CGVTEditMarkRoot::kDeleteId));
    });
    ASSERT_EQ(dialog.DoModal(), c.result);
    const SNgMarkData& m = dialog.m_mark;
    EXPECT_EQ(m.note.kind, c.kind);
    EXPECT_EQ(m.note.position, c.position);
    EXPECT_EQ(m.groupMask, c.mask);
    if (c.result == 1 && !c.title.empty()) {
      EXPECT_EQ(std::string(m.note.title), c.title);  // a 40-character title is kept whole
      EXPECT_EQ(std::string(m.label), c.title.substr(0, 15));
    }
    if (c.result != 1) {
      EXPECT_STREQ(m.note.comment, c.start.note.comment);
    }
  }
}

TEST_F(ViewDialogsTest, MarkDialogDefaultsAndRestrictedMode) {
  SNgMarkData r;
  CDlgEditMark::SetDefaultMark(&r);
  EXPECT_STREQ(r.note.title, "Mark");
  EXPECT_STREQ(r.label, "Mark");
  EXPECT_EQ(r.colour, 0x0200FF00u);
  EXPECT_EQ(r.note.kind, 1);
  EXPECT_EQ(r.note.position, 50);
  EXPECT_EQ(r.note.value, 0.5);
  EXPECT_EQ(r.markKind, 3);
  EXPECT_EQ(r.noteCount, 1);
  EXPECT_EQ(r.groupMask, 0u);
  EXPECT_EQ(r.time.seconds, -1);

  CDlgEditMark dialog(nullptr, 0);
  dialog.m_mode = CDlgEditMark::kModeRestricted;
  vt::OnNextDialog(CDlgEditMark::kTemplateId, [&](vt::DialogWindow& d) {
    CGVTEditMarkRoot* root = dialog.m_root;
    for (int id : {int(CGVTEditMarkRoot::kGroupId), int(CGVTEditMarkRoot::kTitleId),
                   int(CGVTEditMarkRoot::kCommentId), int(CGVTEditMarkRoot::kDeleteId)})
      EXPECT_FALSE(root->Gadget(id)->HasEffectiveStyle(GSTYLE_ACTIVE)) << id;
    for (int id : {int(CGVTEditMarkRoot::kDisplayId), int(CGVTEditMarkRoot::kPositionId)})
      EXPECT_TRUE(root->Gadget(id)->HasEffectiveStyle(GSTYLE_ACTIVE)) << id;
    d.EndDialog(2);
  });
  EXPECT_EQ(dialog.DoModal(), 2);
}

TEST_F(ViewDialogsTest, OpeningTheMarkDialogAHundredTimesDoesNotGrowThePool) {
  auto open = [] {
    CDlgEditMark dialog(nullptr, 0);
    vt::OnNextDialog(CDlgEditMark::kTemplateId, [&](vt::DialogWindow& d) {
      Click(d, dialog.m_root->Gadget(CGVTEditMarkRoot::kCancelId));
    });
    return dialog.DoModal();
  };
  ASSERT_EQ(open(), 2);
  const int pooled = CountPooled();
  for (int i = 0; i < 100; ++i) ASSERT_EQ(open(), 2);
  EXPECT_EQ(CountPooled(), pooled);
  EXPECT_EQ(g_rootMaster->FindByClass(GCLASS(CGVTEditMarkRoot)), nullptr);
}

TEST_F(ViewDialogsTest, AppendMarkCommandAddsTheDialogsMark) {
  CVantrelDoc doc;
  CGVantrelDoc* d = doc.GetGadgetDocument();
  const TickTime t = MsTime(kBaseMs + 5000);
  d->SetCursors(t, t);
  for (bool ok : {false, true}) {
    vt::OnNextDialog(CDlgEditMark::kTemplateId, [&](vt::DialogWindow& dlg) {
      auto* dialog = dynamic_cast<CDlgEditMark*>(&dlg);
      ASSERT_NE(dialog, nullptr);
      EXPECT_FALSE(dialog->m_root->Gadget(CGVTEditMarkRoot::kDeleteId)->HasEffectiveStyle(GSTYLE_VISIBLE));
      dialog->m_root->Gadget(CGVTEditMarkRoot::kTitleId)->SetText("Valve");
      ok ? PressEnter(dlg) : Click(dlg, dialog->m_root->Gadget(CGVTEditMarkRoot::kCancelId));
    });
    ASSERT_TRUE(doc.OnCommand(vt_ui::ID_APPEND_MARK));
    EXPECT_EQ(d->GetMarkDataManager()->CountChildren(), ok ? 1 : 0);
  }
  auto* mark = static_cast<CGVantrelMarkData*>(d->GetMarkDataManager()->GetFirstChild());
  EXPECT_EQ(mark->GetTitle(), "Valve");
  EXPECT_EQ(mark->GetTime(), t);
  EXPECT_EQ(mark->m_groupMask, uint64_t(1) << d->GetCurrentGroupIndex());
  EXPECT_EQ(mark->m_source, MARK_SOURCE_USER);
}

TEST_F(ViewDialogsTest, GraphColourCommand) {
  struct Case {
    const char* what;
    int end;  // 1 OK, 0 Enter, 2 Cancel
    bool changed;
  };
  for (const Case c : {Case{"OK", 1, true}, Case{"Enter", 0, true}, Case{"Cancel", 2, false}}) {
    SCOPED_TRACE(c.what);
    CVantrelDoc doc;
    CGVantrelDoc* d = doc.GetGadgetDocument();
    d->m_gridColour = 0x02112233, d->m_backColour = 0x02445566;
    vt::OnNextDialog(CDlgGraphColor::kTemplateId, [&](vt::DialogWindow& dlg) {
      auto* dialog = dynamic_cast<CDlgGraphColor*>(&dlg);
      EXPECT_EQ(dlg.GetWindowText(), "Graph color setting");
      EXPECT_GE(dlg.GetClientRect().Width(), 190);
      CGVTGraphColorRoot* root = dialog->m_root;
      uint32_t grid = 0, back = 0;
      root->GetGraphColours(&grid, &back);
      EXPECT_EQ(grid, 0x02112233u);
      EXPECT_EQ(back, 0x02445566u);
      root->SetGraphColours(0x00AABBCC, 0x00DDEEFF);
      if (c.end == 0)
        PressEnter(dlg);
      else
        Click(dlg, GadgetOf(root, c.end == 1 ? CGVTGraphColorRoot::kOkId : CGVTGraphColorRoot::kCancelId));
    });
    ASSERT_TRUE(doc.OnCommand(vt_ui::ID_GRAPH_COLOURS));
    EXPECT_EQ(d->m_gridColour, c.changed ? 0x00AABBCCu : 0x02112233u);
    EXPECT_EQ(d->m_backColour, c.changed ? 0x00DDEEFFu : 0x02445566u);
    EXPECT_EQ(doc.IsModified(), c.changed);
  }
}

TEST_F(ViewDialogsTest, PrintSettingsCommand) {
  // 200 two-byte characters: the box keeps 250 bytes of them, whole characters, and the block
  // takes them with room for its terminator.
  std::string comment;
  for (int i = 0; i < 200; ++i) comment += "\xC3\xA9";
  struct Case {
    const char* what;
    int end;  // 1 OK, 0 Enter, 2 Cancel
    bool stored;
  };
  for (const Case c : {Case{"OK", 1, true}, Case{"Enter", 0, true}, Case{"Cancel", 2, false}}) {
    SCOPED_TRACE(c.what);
    CVantrelDoc doc;
    CGVantrelDoc* d = doc.GetGadgetDocument();
    vt::SPrintSettings before = d->GetPrintSettings();
    before.comment = "before";
    d->SetPrintSettings(before);
    vt::OnNextDialog(CDlgPrintConfig::kTemplateId, [&](vt::DialogWindow& dlg) {
      CGVTPrintConfigRoot* root = dynamic_cast<CDlgPrintConfig*>(&dlg)->m_root;
      EXPECT_EQ(dlg.GetWindowText(), "Print Settings");
      CGPrimitive* span = root->Gadget(CGVTPrintConfigRoot::kSpanId);
      CGPrimitive* hours = root->Gadget(CGVTPrintConfigRoot::kHoursId);
      std::string text;
      root->Gadget(CGVTPrintConfigRoot::kCommentId)->GetText(&text);
      EXPECT_EQ(text, "before");
      EXPECT_FALSE(hours->HasEffectiveStyle(GSTYLE_ACTIVE));
      // "Set freely" enables the hours; another span disables them and keeps their value.
      span->SetValue(5);
      span->FireEvent(GEVENT_CHANGED);
      EXPECT_TRUE(hours->HasEffectiveStyle(GSTYLE_ACTIVE));
      hours->SetValue(7);
      span->SetValue(2);
      span->FireEvent(GEVENT_CHANGED);
      EXPECT_FALSE(hours->HasEffectiveStyle(GSTYLE_ACTIVE));
      span->SetValue(5);
      span->FireEvent(GEVENT_CHANGED);
      root->Gadget(CGVTPrintConfigRoot::kRangeId)->SetValue(1);
      root->Gadget(CGVTPrintConfigRoot::kThicknessId)->SetValue(4);
      root->Gadget(CGVTPrintConfigRoot::kCommentId)->SetText(comment);
      if (c.end == 0)
        PressEnter(dlg);
      else
        Click(dlg, root->Gadget(c.end == 1 ? CGVTPrintConfigRoot::kOkId : CGVTPrintConfigRoot::kCancelId));
    });
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.OnCommand(vt_ui::ID_PRINT_SETTINGS));
    const vt::SPrintSettings& after = d->GetPrintSettings();
    EXPECT_EQ(after.pageSpan, c.stored ? 5 : before.pageSpan);
    EXPECT_EQ(after.hoursPerPage, c.stored ? 7 : before.hoursPerPage);
    EXPECT_EQ(after.range, c.stored ? 1 : 0);
    EXPECT_EQ(after.thickness, c.stored ? 4 : before.thickness);
    EXPECT_EQ(after.comment, c.stored ? comment.substr(0, 250) : "before");
    EXPECT_EQ(d->m_printComment, after.comment);
    EXPECT_FALSE(doc.IsModified());
  }
}

TEST_F(ViewDialogsTest, GraphNameIsTrimmedAndNeverBlank) {
  CDlgGraphNameInput dialog(0);
  dialog.m_name = "Graph 1";
  vt::OnNextDialog(CDlgGraphNameInput::kTemplateId, [&](vt::DialogWindow& d) {
    EXPECT_EQ(d.GetWindowText(), "Save graph as");
    CGPrimitive* box = GadgetOf(dialog.m_root, CGVTGraphNameInputRoot::kNameId);
    std::string text;
    box->GetText(&text);
    EXPECT_EQ(text, "Graph 1");
    box->SetText(std::string(40, 'n'));
    box->GetText(&text);
    EXPECT_EQ(text.size(), 32u);
    box->SetText("   ");
    PressEnter(d);
    Click(d, GadgetOf(dialog.m_root, CGVTGraphNameInputRoot::kOkId));
    EXPECT_TRUE(d.IsWindowVisible());
    box->SetText("  Line 2 morning ");
    Click(d, GadgetOf(dialog.m_root, CGVTGraphNameInputRoot::kOkId));
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(dialog.m_name, "Line 2 morning");
  EXPECT_EQ(dialog.m_root->m_name, "Line 2 morning");
}

TEST_F(ViewDialogsTest, MessageGroupBits) {
  // The text walks bits 0-59; bit 60 is every group.
  const struct {
    uint64_t mask;
    const char* text;
  } texts[] = {
      {0, "No"},
      {1, "1"},
      {0x5, "1,3"},
      {uint64_t(1) << 60, "ALL"},
      {(uint64_t(1) << 60) | 0x2, "ALL,2"},
      {(uint64_t(1) << 59) | (uint64_t(1) << 38), "39,60"},
      {uint64_t(1) << 61, "No"},
  };
  for (const auto& t : texts) EXPECT_EQ(MessageGroupText(t.mask), t.text) << t.mask;
  // Write groups 1-60 are bits 0-59; others set nothing. Cell 0 is bit 60, cell e bit e - 1.
  const struct {
    int group;
    uint64_t bit;
  } groups[] = {{0, 0}, {1, 1}, {39, uint64_t(1) << 38}, {60, uint64_t(1) << 59}, {61, 0}, {64, 0}, {-1, 0}};
  for (const auto& g : groups) EXPECT_EQ(MessageGroupBit(g.group), g.bit) << g.group;
  EXPECT_EQ(MessageGroupCellBit(0), uint64_t(1) << 60);
  EXPECT_EQ(MessageGroupCellBit(39), uint64_t(1) << 38);
  EXPECT_EQ(MessageGroupCellBit(40), 0u);

  // A recording of five display groups, the fourth unused, and a message written to groups 1
  // and 62: the batch's mask of group 1 has bit 0 only.
  recgen::NewerFile file = RecordingFile(1, 1, 10, kBaseMs, 1000);
  file.groups.clear();
  for (int16_t n = 1; n <= 5; ++n) {
    recgen::NewerGroup g;
    g.number = n;
    g.inUse = n == 4 ? 0 : 1;
    g.name = "Line " + std::to_string(n);
    g.places[0] = 1;
    file.groups.push_back(g);
  }
  recgen::NewerMessage m;
  m.dataNo = 3, m.groupMask = 0x1 | (uint64_t(1) << 61), m.text = "high", m.user = "op";
  file.messages = {m};
  Store(file, "A.DAE");
  EXPECT_EQ(CGVantrelMarkDataManager::GetBatchMessageGroupMask(RecordingGuid(1).ToText(), 1), 0x1u);

  const uint64_t mask = (uint64_t(1) << 60) | 0x1 | (uint64_t(1) << 4) | (uint64_t(1) << 50);
  CDlgSelectGroup dialog(0);
  dialog.m_maskLow = uint32_t(mask);
  dialog.m_maskHigh = uint32_t(mask >> 32);
  dialog.m_batchId = RecordingGuid(1);
  vt::OnNextDialog(CDlgSelectGroup::kTemplateId, [&](vt::DialogWindow& d) {
    CGVTSelectGroupRoot* root = dialog.m_root;
    EXPECT_EQ(d.GetClientRect(), (vt::Rect{0, 0, 481, 196}));
    for (int e = 0; e < kMessageGroupCells; ++e) {
      SCOPED_TRACE(e);
      const bool used = e <= 5 && e != 4;
      EXPECT_EQ(root->IsCellActive(e), used);
      EXPECT_EQ(root->CellText(e), e == 0 ? "All Groups" : used ? "Line " + std::to_string(e) : "");
      EXPECT_EQ(root->IsToggled(e), e == 0 || e == 1 || e == 5);
    }
    root->SetToggled(5, false);
    root->SetToggled(3, true);
    PressEnter(d);
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  // The new mask replaces the old one: bit 50 (no cell) is gone.
  EXPECT_EQ(dialog.m_root->GetSelectedGroups(), (uint64_t(1) << 60) | 0x1 | 0x4);

  // Without a batch only "All Groups" shows.
  CDlgSelectGroup none(0);
  none.m_maskLow = 0x3;
  vt::OnNextDialog(CDlgSelectGroup::kTemplateId, [&](vt::DialogWindow& d) {
    EXPECT_TRUE(none.m_root->IsCellActive(0));
    for (int e = 1; e < kMessageGroupCells; ++e) EXPECT_FALSE(none.m_root->IsCellActive(e)) << e;
    Click(d, GadgetOf(none.m_root, CGVTSelectGroupRoot::kCancelId));
  });
  EXPECT_EQ(none.DoModal(), 2);
}

}  // namespace
}  // namespace document_test

// The saved-graph dialogs: the graph name's checks, and the general display settings over a
// record (pages per group, the tag column's texts, deleting lines, zones kept apart, the zoom
// reset by a changed scale, message group texts, removed groups, names left as they were).
#include <gtest/gtest.h>

#include "document/ui/CDlgGraphConfiguration.h"
#include "document/ui/CDlgGraphNameInput.h"
#include "document/ui/CDlgSelectGroup.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "gadget/GPageController.h"
#include "gadget/sheet/GSheet.h"
#include "gadget/sheet/GSheetArray.h"
#include "platform/gui/CommonDialogs.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "trend/RecordBytes.h"

namespace dialog_test {
namespace {

SGraphTag Tag(int channel, const std::string& name, int segment = -1, int segments = 1) {
  SGraphTag t;
  uint8_t* b = t.bytes.data();
  b[0] = 1;
  vt::PutI32(b, 52, channel);
  vt::PutI32(b, 68, 2);
  vt::PutF64(b, 96, 100.0);
  vt::PutF64(b, 128, 1000.0);
  vt::PutI16(b, 64, 3);
  vt::PutI16(b, 66, 2);
  vt::PutText(b, 160, 40, name);
  vt::PutText(b, 200, 40, "N-" + std::to_string(channel));
  vt::PutI32(b, 240, segment);
  vt::PutI32(b, 244, segments);
  return t;
}

SGraphConfiguration Record(std::vector<int> tagsPerGroup) {
  SGraphConfiguration r;
  int channel = 1;
  for (int n : tagsPerGroup) {
    SGraphGroup g;
    g.SetName("Group " + std::to_string(r.groups.size() + 1));
    for (int j = 0; j < n; ++j, ++channel) g.tags.push_back(Tag(channel, "TAG" + std::to_string(channel)));
    r.groups.push_back(std::move(g));
  }
  return r;
}

std::vector<int> Channels(const SGraphGroup& g) {
  std::vector<int> out;
  for (const SGraphTag& t : g.tags) out.push_back(t.ChannelNumber());
  return out;
}

TEST(SavedGraphTexts, MessageGroupsTagTextsAndZones) {
  EXPECT_EQ(vt_ui::MessageGroupText(0), "No");
  EXPECT_EQ(vt_ui::MessageGroupText((uint64_t(1) << 60) | 1 | 4), "ALL,1,3");
  EXPECT_EQ(vt_ui::MessageGroupText(uint64_t(1) << 59), "60");
  EXPECT_EQ(vt_ui::MessageGroupText(uint64_t(1) << 60), "ALL");

  const SGraphTag t = Tag(5, "TEMP(2)", 1, 3);
  EXPECT_EQ(vt_ui::TagColumnText(t, 0), "CH005(2)");
  EXPECT_EQ(vt_ui::TagColumnText(t, 1), "TEMP(2)");
  EXPECT_EQ(vt_ui::TagColumnText(t, 2), "N-5");
  EXPECT_EQ(vt_ui::TagColumnText(Tag(7, "", 0, 1), 0), "CH007");
  EXPECT_EQ(vt_ui::TagColumnText(Tag(7, "", -1, 3), 0), "CH007");

  struct {
    int low, high, wantLow, wantHigh;
  } zones[] = {{50, 50, 49, 51}, {0, 0, 0, 1}, {100, 100, 99, 100}, {80, 20, 20, 80}, {10, 90, 10, 90}};
  for (const auto& z : zones) {
    int low = z.low, high = z.high;
    vt_ui::OrderZone(&low, &high);
    EXPECT_EQ(std::make_pair(low, high), std::make_pair(z.wantLow, z.wantHigh)) << z.low << "/" << z.high;
  }
}

class SavedGraphDialogsTest : public DialogsTest {};

TEST_F(SavedGraphDialogsTest, GraphNameIsTrimmedAndNeverBlank) {
  std::string name = "Graph 2";
  std::vector<std::string> shown;
  vt::OnNextDialog(CDlgGraphNameInput::kTemplateId, [&](vt::DialogWindow& d) {
    auto& dialog = static_cast<CDlgGraphNameInput&>(d);
    CGVTGraphNameInputRoot* root = dialog.m_root;
    auto* box = static_cast<CGPrimitive*>(root->FindById(CGVTGraphNameInputRoot::kNameId));
    std::string text;
    box->GetText(&text);
    shown.push_back(d.GetWindowText() + ": " + text);
    box->SetText("   ");
    Click(d, static_cast<CGPrimitive*>(root->FindById(CGVTGraphNameInputRoot::kOkId)));
    EXPECT_TRUE(d.IsModalLoopRunning() || d.IsWindowVisible()) << "a blank name is not taken";
    box->SetText("  Line 3  west ");
    Click(d, static_cast<CGPrimitive*>(root->FindById(CGVTGraphNameInputRoot::kOkId)));
  });
  ASSERT_TRUE(vt_ui::AskGraphName(0, &name));
  EXPECT_EQ(name, "Line 3  west");
  EXPECT_EQ(shown, (std::vector<std::string>{"Save graph as: Graph 2"}));

  vt::OnNextDialog(CDlgGraphNameInput::kTemplateId, [&](vt::DialogWindow& d) {
    auto& dialog = static_cast<CDlgGraphNameInput&>(d);
    Click(d, static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTGraphNameInputRoot::kCancelId)));
  });
  EXPECT_FALSE(vt_ui::AskGraphName(0, &name));
  EXPECT_EQ(name, "Line 3  west");
}

TEST_F(SavedGraphDialogsTest, DisplaySettingsEditTheRecordPageByPage) {
  SGraphConfiguration record = Record({10, 2, 0});
  record.nameMode = 1;
  CGVTGraphConfigurationRoot* root = CreateGraphConfigurationRoot();
  root->LoadValues(record);
  root->FillAllPages();
  // One page per group with tags; the others hidden.
  EXPECT_TRUE(root->Page(0)->GetStyle() & GSTYLE_VISIBLE);
  EXPECT_TRUE(root->Page(1)->GetStyle() & GSTYLE_VISIBLE);
  EXPECT_FALSE(root->Page(2)->GetStyle() & GSTYLE_VISIBLE);
  EXPECT_FALSE(root->Page(49)->GetStyle() & GSTYLE_VISIBLE);
  EXPECT_EQ(root->PageColumn(0, CGVTGraphConfigurationRoot::kTagId)->Title(), "Tag name");
  std::string text;
  root->PageColumn(0, CGVTGraphConfigurationRoot::kTagId)->GetLineText(3, &text);
  EXPECT_EQ(text, "TAG4");
  EXPECT_EQ(root->PageSheet(0)->m_lineCount, 10);

  // Lines 2-4 deleted: seven lines in their former order.
  root->UpdateDeleteButton();
  EXPECT_FALSE(root->Gadget(CGVTGraphConfigurationRoot::kDeleteId)->GetStyle() & GSTYLE_ENABLED);
  root->PageSheet(0)->SetSelection(4, 2);
  root->UpdateDeleteButton();
  EXPECT_TRUE(root->Gadget(CGVTGraphConfigurationRoot::kDeleteId)->GetStyle() & GSTYLE_ENABLED);
  root->DeleteSelectedTags();
  root->FillCurrentPage();
  EXPECT_EQ(Channels(root->Work()->groups[0]), (std::vector<int>{1, 2, 6, 7, 8, 9, 10}));
  EXPECT_EQ(root->PageSheet(0)->m_lineCount, 7);

  // Edits of the cells: a scale bound, a zone put in order, a trip, the shown check.
  CGSheetArray* scaleMax = root->PageColumn(0, CGVTGraphConfigurationRoot::kScaleMaxId);
  scaleMax->SetLineValue(0, 500.0);
  root->PageColumn(0, CGVTGraphConfigurationRoot::kZoneMinId)->SetLineIntValue(1, 80);
  root->PageColumn(0, CGVTGraphConfigurationRoot::kZoneMaxId)->SetLineIntValue(1, 20);
  root->ApplyFormAndZones();
  root->PageColumn(0, CGVTGraphConfigurationRoot::kTrip1Id + 2)->SetLineIntValue(2, 1);
  root->PageColumn(0, CGVTGraphConfigurationRoot::kTrip1Id + 2)->SetLineValue(2, 42.5);
  root->PageColumn(0, CGVTGraphConfigurationRoot::kShownId)->SetLineIntValue(0, 0);

  // Group 2 loses all its lines, and its tags' names stay what they were whatever the column shows.
  auto* pages = static_cast<CGPrimitive*>(root->FindById(CGVTGraphConfigurationRoot::kPagesId));
  pages->SetValue(1);
  root->PageSheet(1)->SetSelection(0, 1);
  root->DeleteSelectedTags();

  SGraphConfiguration out;
  root->StoreValues(&out);
  // Group 2 emptied here, group 3 came without tags: both are reported removed.
  EXPECT_EQ(root->m_removedGroups, (uint64_t(1) << 1) | (uint64_t(1) << 2));
  EXPECT_FALSE(root->m_messageGroupsChanged);
  ASSERT_EQ(out.groups.size(), 1u);
  const uint8_t* b0 = out.groups[0].tags[0].bytes.data();
  const uint8_t* b1 = out.groups[0].tags[1].bytes.data();
  const uint8_t* b2 = out.groups[0].tags[2].bytes.data();
  EXPECT_EQ(vt::GetF64(b0, 128), 500.0);
  EXPECT_EQ(vt::GetI16(b0, 64), 1) << "a changed scale resets the zoom";
  EXPECT_EQ(vt::GetI16(b1, 64), 3) << "an unchanged scale keeps it";
  EXPECT_EQ(vt::GetF64(b1, 88), 20.0);
  EXPECT_EQ(vt::GetF64(b1, 96), 80.0);
  EXPECT_EQ(vt::GetI16(b2, 12), 1);
  EXPECT_EQ(vt::GetF64(b2, 32), 42.5);
  EXPECT_EQ(b0[0], 0);
  EXPECT_EQ(out.groups[0].groupValue, 1) << "the selected channel moves to the first shown one";
  EXPECT_EQ(out.groups[0].tags[1].TagName(), "TAG2");
  EXPECT_EQ(vt::GetI16(b1, 66), 2);
  root->Release();
}

TEST_F(SavedGraphDialogsTest, CancelLeavesTheCallersRecordAndOkStoresIt) {
  SGraphConfiguration record = Record({3});
  for (int answer : {CGVTGraphConfigurationRoot::kCancelId, CGVTGraphConfigurationRoot::kOkId}) {
    CDlgGraphConfiguration dialog(&record);
    vt::OnNextDialog(CDlgGraphConfiguration::kTemplateId, [&](vt::DialogWindow& d) {
      EXPECT_EQ(d.GetWindowText(), "General Display Settings");
      dialog.m_root->PageColumn(0, CGVTGraphConfigurationRoot::kShownId)->SetLineIntValue(2, 0);
      Click(d, dialog.m_root->Gadget(answer));
    });
    const int result = dialog.DoModal();
    EXPECT_EQ(result, answer);
    if (result == 1) dialog.StoreValues();
    EXPECT_EQ(record.groups[0].tags[2].bytes[0], answer == 1 ? 0 : 1);
  }
}

// Clicks the cell of a line in one of the sheet's columns.
void ClickCell(vt::DialogWindow& dialog, CGSheetArray* column, int line) {
  ASSERT_NE(column, nullptr);
  vt::Rect cell;
  column->GetLineRect(line, &cell);
  vt::SendLeftClick(*dialog.Host(), vt::Point{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
}

TEST_F(SavedGraphDialogsTest, MessageAndColourCellsOpenTheirChoosersOnTheirLine) {
  auto desktop = std::make_shared<vt::FakeDesktop>();
  std::shared_ptr<vt::Desktop> previous = vt::InstallDesktop(desktop);
  desktop->colorAnswer = 0x020000FF;
  constexpr uint64_t kAll = uint64_t(1) << 60;
  SGraphConfiguration record = Record({3});
  // Group 1 and group 60 (bit 59, beyond the chooser's cells) on the second channel.
  vt::PutI64(record.groups[0].tags[1].bytes.data(), 136, int64_t(1 | (uint64_t(1) << 59)));
  vt::PutU32(record.groups[0].tags[2].bytes.data(), 48, 0x02112233);
  CDlgGraphConfiguration dialog(&record);
  std::vector<uint64_t> offered;  // the masks the message-group dialog opened with
  vt::OnNextDialog(CDlgGraphConfiguration::kTemplateId, [&](vt::DialogWindow& d) {
    CGVTGraphConfigurationRoot* root = dialog.m_root;
    CGSheetArray* messages = root->PageColumn(0, CGVTGraphConfigurationRoot::kMessageId);
    auto text = [&](int line) {
      std::string t;
      messages->GetLineText(line, &t);
      return t;
    };
    EXPECT_EQ(text(1), "1,60");
    // OK in the chooser: its mask replaces the channel's whole mask. (The tags name no stored
    // batch, so only "All Groups" is offered; the cells are toggled as the user would.)
    vt::OnNextDialog(CDlgSelectGroup::kTemplateId, [&](vt::DialogWindow& g) {
      auto& chooser = static_cast<CDlgSelectGroup&>(g);
      offered.push_back((uint64_t(chooser.m_maskHigh) << 32) | chooser.m_maskLow);
      EXPECT_EQ(g.GetWindowText(), "Display message group ");
      EXPECT_FALSE(chooser.m_root->IsToggled(0));
      chooser.m_root->SetToggled(0, true);
      chooser.m_root->SetToggled(1, false);
      chooser.m_root->SetToggled(3, true);
      Click(g, static_cast<CGPrimitive*>(chooser.m_root->FindById(CGVTSelectGroupRoot::kOkId)));
    });
    ClickCell(d, messages, 1);
    EXPECT_EQ(text(1), "ALL,3");
    EXPECT_TRUE(root->m_messageGroupsChanged);
    EXPECT_EQ(root->PageSheet(0)->m_selectionFirst, 1);
    EXPECT_EQ(root->PageSheet(0)->m_selectionLast, 1);

    // Cancel in the chooser leaves the third channel's mask alone.
    root->m_messageGroupsChanged = false;
    vt::OnNextDialog(CDlgSelectGroup::kTemplateId, [&](vt::DialogWindow& g) {
      auto& chooser = static_cast<CDlgSelectGroup&>(g);
      offered.push_back((uint64_t(chooser.m_maskHigh) << 32) | chooser.m_maskLow);
      chooser.m_root->SetToggled(2, true);
      Click(g, static_cast<CGPrimitive*>(chooser.m_root->FindById(CGVTSelectGroupRoot::kCancelId)));
    });
    ClickCell(d, messages, 2);
    EXPECT_EQ(text(2), "No");
    EXPECT_FALSE(root->m_messageGroupsChanged);

    // A colour cell selects its line before the chooser opens on the line's colour.
    root->PageSheet(0)->SetSelection(0, 0);
    ClickCell(d, root->PageColumn(0, CGVTGraphConfigurationRoot::kColourId), 2);
    EXPECT_EQ(root->PageSheet(0)->m_selectionFirst, 2);
    EXPECT_EQ(root->PageSheet(0)->m_selectionLast, 2);
    Click(d, root->Gadget(CGVTGraphConfigurationRoot::kOkId));
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  dialog.StoreValues();
  vt::InstallDesktop(previous);
  EXPECT_EQ(offered, (std::vector<uint64_t>{1 | (uint64_t(1) << 59), 0}));
  EXPECT_EQ(desktop->colorRequests, (std::vector<vt::ColorRef>{0x02112233}));
  EXPECT_EQ(uint64_t(vt::GetI64(record.groups[0].tags[1].bytes.data(), 136)), kAll | 0x4);
  EXPECT_EQ(vt::GetI64(record.groups[0].tags[2].bytes.data(), 136), 0);
  EXPECT_EQ(vt::GetU32(record.groups[0].tags[2].bytes.data(), 48), 0x020000FFu);
}

}  // namespace
}  // namespace dialog_test

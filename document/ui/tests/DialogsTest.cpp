// The gadget-hosted dialogs: the folder pickers' checks, the automatic-import folder dialog
// driven through its real gadgets (a reopened pooled root shows the caller's values, lines
// added, refused, deleted and stored packed), and the progress window's Cancel and hiding.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>

#include "document/ui/CBrowseForFolder.h"
#include "document/ui/CDlgImportFolder.h"
#include "document/ui/CDlgProgressbar.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkButton.h"
#include "gadget/GSkin.h"
#include "gadget/sheet/GSheetSkin.h"
#include "gadget/sheet/SheetSkinArt.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/testing/GuiTestSupport.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"

namespace {

using dialog_test::Click;
using dialog_test::DialogsTest;

SImportFolderEntry Entry(const std::string& path, bool use = true, bool sub = false, int convert = 0) {
  return SImportFolderEntry{use, sub, path, convert};
}

std::string Folder(CGVTImportFolderRoot* root, int line) {
  std::string text;
  root->Column(CGVTImportFolderRoot::kFolderId)->GetLineText(line, &text);
  return text;
}

TEST_F(DialogsTest, PickerChecks) {
  SImportFolderEntry table[8];
  table[0] = Entry("/data/in");
  table[2] = Entry("/data/second/");
  struct Case {
    const char* folder;
    int excluded;
    int importCheck;  // 0 usable, 1 refused, 2 already selected
    bool exportable;
  };
  const Case cases[] = {
      {"/data/in", -1, 2, false},
      {"/data/in/", -1, 2, false},     // a trailing separator is the same folder
      {"/data/second", -1, 2, false},  // the table's own trailing separator too
      {"/data/in", 0, 0, false},       // the excluded row is not compared
      {"/Data/in", -1, 0, true},       // names are case-sensitive
      {"/data/in/sub", -1, 0, false},  // inside a table folder: imported, not exported to
      {"/data", -1, 0, true},          // holding a table folder
      {"/data/inbox", -1, 0, true},    // a name that merely starts alike
      {"/", -1, 1, true},
      {"/usr", -1, 1, true},
      {"/usr/share/x", -1, 1, true},
      {"/etc/", -1, 1, true},
      {"/lib64/x", -1, 1, true},
      {"/proc/1", -1, 1, true},
      {"/opt/vantrel/bin", -1, 1, true},    // the program's folder
      {"/opt/vantrel/bin/x", -1, 0, true},  // below it
      {"/home/u/root/Morvane", -1, 1, true},
      {"/home/u/root/Morvane/Vantrel/DATA", -1, 1, false},
      {"/home/u/root/Morvane/Other", -1, 1, true},
      {"/home/u/root", -1, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    CBrowseForImportFolder import(0, "");
    import.m_folderTable = table;
    import.m_excludedIndex = c.excluded;
    import.m_programFolder = "/opt/vantrel/bin";
    import.m_programRoot = "/home/u/root";
    import.m_result = c.folder;
    EXPECT_EQ(import.CheckFolder(), c.importCheck);
    CBrowseForExportFolder exporter(0, "");
    exporter.m_folderTable = table;
    exporter.m_programRoot = "/home/u/root";
    exporter.m_result = c.folder;
    EXPECT_EQ(exporter.IsSelectable(), c.exportable);
  }
}

TEST_F(DialogsTest, ARefusedChoiceShowsItsMessageAndCancels) {
  SImportFolderEntry table[8];
  table[0] = Entry("/data/in");
  vt::ScriptedCommonDialogs script;
  vt::MessageBoxCapture boxes;
  script.QueueFolder("/data/in/", true);
  script.QueueFolder("/usr/lib", false);
  script.QueueFolder("/data/new", false);
  CBrowseForImportFolder picker(0, "Select the import folder.");
  picker.m_folderTable = table;
  picker.m_showCheckBox = 1;
  picker.m_initialCheck = 1;
  EXPECT_EQ(picker.DoModal(), 2);
  EXPECT_EQ(picker.DoModal(), 2);
  EXPECT_EQ(picker.DoModal(), 1);
  EXPECT_EQ(picker.m_result, "/data/new");
  EXPECT_EQ(picker.m_checkResult, 0);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_NE(boxes.Boxes()[0].request.text.find("This folder already has been selected."), std::string::npos);
  EXPECT_NE(boxes.Boxes()[1].request.text.find("This folder cannot be selected."), std::string::npos);
  ASSERT_EQ(script.FolderRequests().size(), 3u);
  EXPECT_TRUE(script.FolderRequests()[0].showCheckBox);
  EXPECT_TRUE(script.FolderRequests()[0].initialCheck);
}

TEST_F(DialogsTest, APooledRootReopenedShowsTheCallersValues) {
  SImportFolderEntry first[8], second[8];
  first[0] = Entry("/a/one");
  first[1] = Entry("/a/two", false, true, 2);
  second[0] = Entry("/b/only", true, true, 1);
  CGVTImportFolderRoot* firstRoot = nullptr;
  {
    CDlgImportFolder dialog(0, first, 3);
    vt::OnNextDialog(CDlgImportFolder::kTemplateId, [&](vt::DialogWindow& d) {
      EXPECT_EQ(d.GetWindowText(), "Automatic import folder setting");
      EXPECT_EQ(d.GetClientRect(), (vt::Rect{0, 0, 552, 250}));
      Click(d, dialog.m_root->Gadget(CGVTImportFolderRoot::kOkId));
    });
    ASSERT_EQ(dialog.DoModal(), 1);
    firstRoot = dialog.m_root;
    EXPECT_EQ(firstRoot->LineCount(), 2);
  }
  CDlgImportFolder dialog(0, second, 1);
  vt::OnNextDialog(CDlgImportFolder::kTemplateId, [&](vt::DialogWindow& d) {
    Click(d, dialog.m_root->Gadget(CGVTImportFolderRoot::kCancelId));
  });
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_EQ(dialog.m_root, firstRoot);  // taken from the pool
  SImportFolderEntry stored[8];
  int32_t interval = -1;
  dialog.m_root->StoreValues(stored, &interval);
  EXPECT_EQ(interval, 1);
  EXPECT_EQ(dialog.m_root->LineCount(), 1);
  EXPECT_EQ(stored[0].folderPath, "/b/only");
  EXPECT_TRUE(stored[0].withSubfolders);
  EXPECT_EQ(stored[0].convertMode, 1);
  EXPECT_TRUE(stored[1].folderPath.empty());
}

TEST_F(DialogsTest, FolderLinesAreAddedRefusedDeletedAndStoredPacked) {
  SImportFolderEntry table[8];
  for (int i = 0; i < 7; ++i) table[i] = Entry("/f/" + std::to_string(i), i % 2 == 0, i % 3 == 0, i % 3);
  vt::ScriptedCommonDialogs script;
  vt::MessageBoxCapture boxes;
  script.QueueFolder("/f/3/", true);  // already a line: refused
  script.QueueFolder("/f/new", false);
  script.QueueFolder("/f/2", true);  // Reference on line 2: its own folder is accepted
  CDlgImportFolder dialog(0, table, 2);
  vt::OnNextDialog(CDlgImportFolder::kTemplateId, [&](vt::DialogWindow& d) {
    CGVTImportFolderRoot* root = dialog.m_root;
    CGPrimitive* create = root->Gadget(CGVTImportFolderRoot::kCreateId);
    CGPrimitive* remove = root->Gadget(CGVTImportFolderRoot::kDeleteId);
    EXPECT_TRUE(create->HasEffectiveStyle(GSTYLE_ACTIVE));
    EXPECT_FALSE(remove->HasEffectiveStyle(GSTYLE_ACTIVE));  // nothing selected
    Click(d, create);
    EXPECT_EQ(root->LineCount(), 7);
    Click(d, create);
    EXPECT_EQ(root->LineCount(), 8);
    EXPECT_EQ(Folder(root, 7), "/f/new");
    EXPECT_FALSE(create->HasEffectiveStyle(GSTYLE_ACTIVE));  // full
    root->ReferenceLine(2);
    // Select line 1 through the line header, then Delete.
    vt::Rect cell;
    root->Sheet()->m_lineHeader->GetLineRect(1, &cell);
    vt::SendLeftClick(*d.Host(), vt::Point{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
    EXPECT_EQ(root->SelectedLine(), 1);
    EXPECT_TRUE(remove->HasEffectiveStyle(GSTYLE_ACTIVE));
    Click(d, remove);
    EXPECT_EQ(root->LineCount(), 7);
    EXPECT_TRUE(create->HasEffectiveStyle(GSTYLE_ACTIVE));
    EXPECT_FALSE(remove->HasEffectiveStyle(GSTYLE_ACTIVE));
    // Enter does what OK does.
    vt::SendLeftClick(*d.Host(), vt::Point{2, 2});
    Click(d, root->Gadget(CGVTImportFolderRoot::kOkId));
  });
  ASSERT_EQ(dialog.DoModal(), 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].request.text.find("This folder already has been selected."), std::string::npos);
  SImportFolderEntry stored[8];
  int32_t interval = 0;
  dialog.m_root->StoreValues(stored, &interval);
  const char* expected[8] = {"/f/0", "/f/2", "/f/3", "/f/4", "/f/5", "/f/6", "/f/new", ""};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(stored[i].folderPath, expected[i]) << i;
  EXPECT_TRUE(stored[1].withSubfolders);  // the Reference choice
  EXPECT_EQ(stored[2].convertMode, 0);    // moved up with its line
  EXPECT_TRUE(stored[2].withSubfolders);
  EXPECT_FALSE(stored[2].inUse);
  EXPECT_TRUE(stored[6].inUse);
  EXPECT_FALSE(stored[6].withSubfolders);
  EXPECT_FALSE(stored[7].inUse);
  EXPECT_EQ(interval, 2);
}

TEST_F(DialogsTest, TheProgressWindowCancelsOnceAndHidesOnlyWhatItShowed) {
  auto parent = vt::CreateShownHostWindow(400, 300);
  int calls = 0;
  CDlgProgressbar progress(parent->Handle(), 1);
  progress.m_cancelData = &calls;
  progress.m_cancelFunction = [](void* data) { ++*static_cast<int*>(data); };
  EXPECT_FALSE(progress.IsWindowVisible());
  EXPECT_EQ(progress.GetClientRect().Width(), 302);

  progress.HideProgress();  // nothing shown: nothing changes
  EXPECT_TRUE(progress.IsParentEnabled());

  progress.ShowProgress(3115);
  vt::ProcessGuiEvents();  // the first paint
  EXPECT_EQ(progress.GetWindowText(), "Importing");
  EXPECT_TRUE(progress.IsWindowVisible());
  EXPECT_FALSE(progress.IsParentEnabled());
  CGPrimitive* cancel = static_cast<CGPrimitive*>(progress.m_root->FindByClass(GCLASS(CGSkPushButton)));
  Click(progress, cancel);
  Click(progress, cancel);
  EXPECT_EQ(calls, 1);
  progress.HideProgress();
  EXPECT_FALSE(progress.IsWindowVisible());
  EXPECT_TRUE(progress.IsParentEnabled());
  progress.ShowProgress(99999);  // a missing title is empty
  EXPECT_EQ(progress.GetWindowText(), "");
  Click(progress, cancel);
  EXPECT_EQ(calls, 2);

  // From another thread the hide is posted and happens on the loop.
  std::thread([&] { progress.HideProgress(); }).join();
  EXPECT_TRUE(progress.IsWindowVisible());
  vt::ProcessGuiEvents();
  EXPECT_FALSE(progress.IsWindowVisible());
  EXPECT_TRUE(progress.IsParentEnabled());
}

TEST_F(DialogsTest, TheBusyBarKeepsAValueAboveItsTop) {
  CGVTProgressbarRoot root(1);
  CGPrimitive* bar = root.Bar();
  ASSERT_NE(bar, nullptr);
  double v = 0;
  for (int tick = 0; tick < 26; ++tick) root.OnTimer(CDlgProgressbar::kBusyTimerId);
  bar->GetValue(&v);
  EXPECT_EQ(v, 104);  // 0, 4, ..., 104 in 26 ticks; the 27th starts again
  root.OnTimer(CDlgProgressbar::kBusyTimerId);
  bar->GetValue(&v);
  EXPECT_EQ(v, 0);
  bar->SetValue(-5.0);
  bar->GetValue(&v);
  EXPECT_EQ(v, 0);
}

}  // namespace

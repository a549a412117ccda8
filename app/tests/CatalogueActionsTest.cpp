// The catalogue's actions in the started program: the batch operations (moving stored files to
// the deleted data, restoring and deleting them for good) with the operation log lines and the
// import list's statuses they write, and only for the files that succeeded; the question before
// more than 500 files; and the main frame's commands on rows selected in the report list:
// Delete, Restore, Export (an existing file replaced only when the user agrees) and To
// Excel[File] / To Text[File] with their enablers.
#include <gtest/gtest.h>

// Before Qt, whose keyword macros would rename the generator's members.
#include "tools/recgen/SizedFiles.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/CListDoc.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/FileConversion.h"
#include "app/qt/CListReportWnd.h"
#include "app/qt/CListWnd.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgFileConvert.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/Application.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/qt/ReportView.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "store/CVTImportList.h"
#include "store/VTDataStorage.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace {

constexpr const char* kFailed = "Processing has failed.";

// The operation lines of a log, each as "<text><argument>" without time and level.
std::vector<std::string> OperationLines(const std::string& log) {
  std::vector<std::string> lines;
  for (const char* text : {"TRASH: FILE=", "REVERSE: FILE=", "DELETE FILE="}) {
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
      lines.push_back(log.substr(at, log.find("\r\n", at) - at));
  }
  return lines;
}

int CountBoxes(const vt::MessageBoxCapture& boxes, const std::string& text) {
  int n = 0;
  for (const auto& b : boxes.Boxes()) n += b.request.text.find(text) != std::string::npos;
  return n;
}

class CatalogueActionsTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
    ASSERT_TRUE(vt::CreateFolders(root_ + "/in"));
    runtime_ = std::make_unique<vt_test::ScopedEnv>("XDG_RUNTIME_DIR", root_ + "/run");
    app_ = std::make_unique<CVantrelApp>(vt::AppFactory::Standard());
    ASSERT_TRUE(app_->InitInstance());
    ASSERT_NE(app_->m_currentStorage, nullptr);
    // Three stored files, each booked in the import list as the import would.
    CVTImportList list;
    const std::string listPath = app_->m_currentStorage->GetFolder() + "/importlist.db";
    ASSERT_EQ(list.Create(listPath), 0);
    ASSERT_EQ(list.Open(listPath), 0);
    for (uint32_t n = 1; n <= 3; ++n) {
      recgen::SizedOptions o;
      o.records = 10;
      o.guid.data1 = n;
      const std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes;
      const std::string source = root_ + "/in/F" + std::to_string(n) + ".DAE";
      ASSERT_TRUE(vt_test::WriteFileBytes(source, std::string(bytes.begin(), bytes.end())));
      std::string copy;
      ASSERT_EQ(app_->m_currentStorage->ImportFile(source, &copy), 0);
      ASSERT_EQ(copy.rfind("FILES/", 0), 0u) << copy;
      ASSERT_TRUE(list.InsertFile(source, copy, IMPORT_STATUS_IMPORTED));
      sources_.push_back(source);
      stored_.push_back(copy);
    }
  }
  void TearDown() override {
    if (app_) app_->ExitInstance();
    app_.reset();
    runtime_.reset();
    TempRootTest::TearDown();
  }
  std::string Trash(const std::string& stored) { return "TRASH" + stored.substr(5); }
  std::string Stored(const std::string& relative) {
    return app_->m_currentStorage->GetFolder() + "/" + relative;
  }
  std::vector<int> Statuses() {
    CVTImportList list;
    list.Open(app_->m_currentStorage->GetFolder() + "/importlist.db");
    std::vector<int> statuses;
    for (const std::string& s : sources_) statuses.push_back(list.GetStatus(s));
    return statuses;
  }
  std::vector<std::string> Lines() {
    return OperationLines(vt_test::ReadLogs(root_ + "/Morvane/Vantrel/LOG"));
  }

  // The frame's report list showing list kind with rows selected, and its focus flag.
  CListDoc& Show(int kind, const std::vector<int>& rows) {
    CMainFrame* frame = app_->GetMainFrame();
    CListDoc& doc = frame->ListDoc();
    auto* pane = static_cast<CListWnd*>(frame->Widget()->findChild<QWidget*>(QStringLiteral("searchPane")));
    CListReportWnd* report = pane->Report();
    doc.m_listKind = kind;
    report->FillList(true);
    QItemSelectionModel* selection = report->View()->selectionModel();
    selection->clearSelection();
    for (int row : rows)
      selection->select(report->View()->model()->index(row, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // A refill does not always tell the document that the selection went with the old rows.
    doc.m_selectedCount = report->View()->SelectedCount();
    frame->SetReportListFocused(true, false);
    return doc;
  }
  bool Enabled(int id) { return app_->GetMainFrame()->Router().Update(id).Enabled(); }
  bool Run(int id) {
    const bool ran = app_->GetMainFrame()->Router().Execute(id);
    vt::PumpBriefly(10);
    return ran;
  }

  std::unique_ptr<vt_test::ScopedEnv> runtime_;
  std::unique_ptr<CVantrelApp> app_;
  std::vector<std::string> sources_, stored_;
};

TEST_F(CatalogueActionsTest, BatchOperationsBookOnlyWhatSucceeded) {
  vt::MessageBoxCapture boxes;
  // A path that names no stored file fails: no line, no status, and one message at the end.
  EXPECT_FALSE(app_->MoveFilesToTrash({stored_[0], "FILES/NONE/2023/11/X.DAE", stored_[1]}));
  EXPECT_EQ(CountBoxes(boxes, kFailed), 1);
  EXPECT_FALSE(vt::FileExists(Stored(stored_[0])));
  EXPECT_TRUE(vt::FileExists(Stored(Trash(stored_[0]))));
  EXPECT_EQ(Statuses(),
            (std::vector<int>{IMPORT_STATUS_IN_TRASH, IMPORT_STATUS_IN_TRASH, IMPORT_STATUS_IMPORTED}));

  // Restored and deleted for good: both book the stored file's path, not the deleted one's.
  boxes.Clear();
  EXPECT_TRUE(app_->RestoreFiles({Trash(stored_[0])}));
  EXPECT_TRUE(app_->PurgeFiles({Trash(stored_[1])}));
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_TRUE(vt::FileExists(Stored(stored_[0])));
  EXPECT_FALSE(vt::PathExists(Stored(Trash(stored_[1]))));
  EXPECT_EQ(Statuses(),
            (std::vector<int>{IMPORT_STATUS_IMPORTED, IMPORT_STATUS_DELETED, IMPORT_STATUS_IMPORTED}));
  // Restoring what is not in the deleted data fails and books nothing.
  EXPECT_FALSE(app_->RestoreFiles({Trash(stored_[2])}));
  EXPECT_EQ(CountBoxes(boxes, kFailed), 1);

  EXPECT_EQ(Lines(), (std::vector<std::string>{"TRASH: FILE=" + stored_[0], "TRASH: FILE=" + stored_[1],
                                               "REVERSE: FILE=" + stored_[0], "DELETE FILE=" + stored_[1]}));
  // The main window is usable again and nothing holds the program busy.
  EXPECT_TRUE(app_->GetMainFrame()->Widget()->isEnabled());
  EXPECT_FALSE(app_->m_busy.load());
}

TEST_F(CatalogueActionsTest, MoreThanFiveHundredFilesAskFirst) {
  vt::MessageBoxCapture boxes(vt::kIdCancel);
  std::vector<std::string> many(501, stored_[0]);
  EXPECT_TRUE(app_->MoveFilesToTrash(many));  // declined: nothing done, nothing failed
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_NE(boxes.Boxes()[0].request.text.find("This processing may require some time."), std::string::npos);
  EXPECT_TRUE(vt::FileExists(Stored(stored_[0])));
  // 500 are not asked about (all but the first fail here, and say so once).
  boxes.Clear();
  EXPECT_FALSE(app_->MoveFilesToTrash(std::vector<std::string>(500, stored_[0])));
  EXPECT_EQ(CountBoxes(boxes, "This processing may require some time."), 0);
  EXPECT_EQ(CountBoxes(boxes, kFailed), 1);
  EXPECT_EQ(Lines(), std::vector<std::string>{"TRASH: FILE=" + stored_[0]});
}

TEST_F(CatalogueActionsTest, DeleteAndRestoreSelectedRowsThroughTheCommands) {
  vt::MessageBoxCapture boxes;  // answers OK to the confirmation
  CListDoc& doc = Show(LIST_KIND_FILE, {0, 2});
  ASSERT_EQ(doc.GetItemCount(), 3);
  ASSERT_EQ(doc.m_selectedCount, 2);
  // The stored paths of the chosen rows, by their file names.
  std::vector<std::string> chosen;
  for (int row : {0, 2})
    for (const std::string& path : stored_)
      if (path.substr(path.rfind('/') + 1) == doc.GetItemFileName(row)) chosen.push_back(path);
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_TRUE(Enabled(32789));
  EXPECT_FALSE(Enabled(32811));  // restoring needs the deleted data
  ASSERT_TRUE(Run(32789));
  for (const std::string& path : chosen) EXPECT_TRUE(vt::FileExists(Stored(Trash(path)))) << path;

  Show(LIST_KIND_TRASH, {});
  EXPECT_TRUE(Enabled(32809));
  EXPECT_FALSE(Enabled(32811));
  Show(LIST_KIND_TRASH, {0});
  ASSERT_EQ(doc.GetItemCount(), 2);
  const std::string restored = "FILES" + doc.GetItemFilePath(0).substr(5);
  ASSERT_TRUE(Enabled(32811));
  ASSERT_TRUE(Run(32811));
  EXPECT_TRUE(vt::FileExists(Stored(restored)));
  std::sort(chosen.begin(), chosen.end());
  EXPECT_EQ(Lines(), (std::vector<std::string>{"TRASH: FILE=" + chosen[0], "TRASH: FILE=" + chosen[1],
                                               "REVERSE: FILE=" + restored}));
}

TEST_F(CatalogueActionsTest, ExportAndConvertTheSelectedFiles) {
  const std::string out = root_ + "/out";
  ASSERT_TRUE(vt::CreateFolders(out));
  CListDoc& doc = Show(LIST_KIND_FILE, {0, 1, 2});
  std::vector<std::string> names;
  for (int row = 0; row < 3; ++row) names.push_back(doc.GetItemFileName(row));
  // The first name is taken in the folder; the user keeps that file.
  ASSERT_TRUE(vt_test::WriteFileBytes(out + "/" + names[0], "mine"));
  {
    vt::ScriptedCommonDialogs dialogs;
    dialogs.QueueFolder(out, false);
    vt::MessageBoxCapture boxes(vt::kIdCancel);
    ASSERT_TRUE(Enabled(32804));
    ASSERT_TRUE(Run(32804));
    EXPECT_EQ(CountBoxes(boxes, "A file with the same name exists. Overwrite?"), 1);
    EXPECT_EQ(app_->m_settings->m_fileExpFolder, out);
  }
  std::string kept;
  vt::ReadWholeFile(out + "/" + names[0], kept);
  EXPECT_EQ(kept, "mine");
  for (int i : {1, 2}) EXPECT_GT(std::filesystem::file_size(out + "/" + names[size_t(i)]), 1000u);

  // The conversions need the report list focused as well.
  app_->GetMainFrame()->SetReportListFocused(false, false);
  EXPECT_FALSE(Enabled(32965));
  Show(LIST_KIND_FILE, {1, 2});
  app_->m_settings->m_fileCnvFolder = root_ + "/conv";
  for (int id : {32965, 32966}) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(Enabled(id));
    vt::OnNextDialog(CDlgFileConvert::kTemplateId, [](vt::DialogWindow& d) { d.EndDialog(1); });
    ASSERT_TRUE(Run(id));
    ASSERT_TRUE(vt::PumpUntil([] { return !vt::GetFileConversion()->IsRunning(); }, 20000));
    EXPECT_EQ(vt::GetFileConversion()->LastResult(), 0);
    const std::string extension = id == 32965 ? ".xls" : ".txt";
    std::vector<std::string> expected;
    for (int i : {1, 2})
      expected.push_back(root_ + "/conv/" + names[size_t(i)].substr(0, names[size_t(i)].size() - 4) +
                         extension);
    // Text conversions write the alarm and mark lists beside each file.
    const std::vector<std::string>& written = vt::GetFileConversion()->ConvertedFiles();
    for (const std::string& file : expected)
      EXPECT_NE(std::find(written.begin(), written.end(), file), written.end()) << file;
  }
}

}  // namespace

// The application's storage, DST, display-default and About commands through their dialogs, on
// a temporary program root: the storage operations from the list dialog, the result messages of
// the worker's runs, the start on a storage in trouble, the DST rule reaching the display time
// zone and the settings file, the display defaults reaching the settings record.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstring>
#include <memory>

#include "app/CAboutDlg.h"
#include "app/CVantrelApp.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgDataAreaManager.h"
#include "document/ui/CDlgDefaultCnf.h"
#include "document/ui/CDlgDstConfig.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "recorder/SharedTimeZone.h"
#include "recorder/StoreResult.h"
#include "store/CDataAreaManager.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorageManager.h"
#include "testing/TempFolder.h"

namespace {

// The message numbers of the boxes shown, found by their texts in the message catalogue.
std::vector<int> Keys(const vt::MessageBoxCapture& boxes) {
  std::vector<int> keys;
  for (const auto& b : boxes.Boxes()) {
    int key = 0;
    std::size_t longest = 0;
    for (int k = 10000; k < 10300; ++k) {
      char text[4096] = {};
      int severity = 0;
      if (GetMessageInfo(k, &severity, text) == 1 && std::strlen(text) > longest &&
          b.request.text.find(text) != std::string::npos) {
        key = k;
        longest = std::strlen(text);
      }
    }
    keys.push_back(key);
  }
  return keys;
}

class StorageDialogsTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
    runtime_ = std::make_unique<vt_test::ScopedEnv>("XDG_RUNTIME_DIR", root_ + "/run");
  }
  void TearDown() override {
    if (app_) {
      app_->ExitInstance();
      app_.reset();
    }
    runtime_.reset();
    TempRootTest::TearDown();
  }
  void Start() {
    app_ = std::make_unique<CVantrelApp>();
    ASSERT_TRUE(app_->InitInstance());
  }
  std::string DataRoot() const { return root_ + "/Morvane/Vantrel/DATA"; }

  std::unique_ptr<CVantrelApp> app_;
  std::unique_ptr<vt_test::ScopedEnv> runtime_;
};

TEST(AreaTextTest, SizeRuleAndNameCleaning) {
  const struct {
    int64_t bytes;
    const char* text;
  } sizes[] = {{0, "0byte"},           {1024, "1024byte"},  {1025, "1Kbyte"},
               {1048576, "1024Kbyte"}, {1048577, "1Mbyte"}, {-5, "-5byte"}};
  for (const auto& c : sizes) EXPECT_EQ(FormatAreaSize(c.bytes), c.text) << c.bytes;
  const struct {
    const char* in;
    const char* out;
  } names[] = {{"a/b\\c:d*e?f\"g<h>i|j.k", "abcdefghijk"}, {"  Line 1  ", "Line 1"}, {"   ", ""}, {"..", ""}};
  for (const auto& c : names) EXPECT_EQ(CleanAreaName(c.in), c.out) << c.in;
}

TEST_F(StorageDialogsTest, OperationsFromTheListDialogOnATemporaryRoot) {
  Start();
  vt::MessageBoxCapture boxes(vt::kIdOk);
  const std::string logRoot = root_ + "/Morvane/Vantrel/LOG";
  ASSERT_TRUE(vt::CreateFolders(logRoot + "/Default"));
  bool shown = false;
  vt::OnNextDialog(CDlgDataAreaManager::kTemplateId, [&](vt::DialogWindow& window) {
    shown = true;
    auto& dialog = dynamic_cast<CDlgDataAreaManager&>(window);
    CGVTDataAreaMgrRoot* root = dialog.m_root;
    ASSERT_EQ(root->count, 1);
    EXPECT_TRUE(root->IsEnabled(CGVTDataAreaMgrRoot::kCreateId));
    EXPECT_FALSE(root->IsEnabled(CGVTDataAreaMgrRoot::kDeleteId));

    dialog.ExecuteOperation(vt::AREA_MODE_CREATE, "Line 2", "");
    ASSERT_EQ(root->count, 2);
    EXPECT_EQ(root->areas[1].name, "Line 2");
    // The current area: neither deleted nor switched to; a sound one is not rebuilt.
    root->SelectLine(0);
    EXPECT_FALSE(root->IsEnabled(CGVTDataAreaMgrRoot::kDeleteId));
    EXPECT_FALSE(root->IsEnabled(CGVTDataAreaMgrRoot::kSwitchId));
    EXPECT_FALSE(root->IsEnabled(CGVTDataAreaMgrRoot::kRebuildId));
    EXPECT_TRUE(root->IsEnabled(CGVTDataAreaMgrRoot::kRenameId));
    // Renaming moves the area's log folder along.
    dialog.ExecuteOperation(vt::AREA_MODE_RENAME, "Main", "");
    EXPECT_EQ(root->areas[0].name, "Main");
    EXPECT_TRUE(vt::FolderExists(logRoot + "/Main"));
    EXPECT_FALSE(vt::FolderExists(logRoot + "/Default"));

    root->SelectLine(1);
    EXPECT_TRUE(root->IsEnabled(CGVTDataAreaMgrRoot::kSwitchId));
    EXPECT_TRUE(root->IsEnabled(CGVTDataAreaMgrRoot::kDeleteId));
    dialog.ExecuteOperation(vt::AREA_MODE_SWITCH, "", "");
    EXPECT_EQ(root->current, 1);

    // A check through the worker: its end is reported on the list dialog.
    root->SelectLine(1);
    dialog.ExecuteOperation(vt::AREA_MODE_CHECK, "", "");
    ASSERT_TRUE(vt::PumpUntil([&] { return Keys(boxes).size() == 1; }, 10000));
    EXPECT_EQ(Keys(boxes), std::vector<int>{10005});

    // A backup of the other area into a folder of the root, then a restore of it under a new name.
    root->SelectLine(0);
    ASSERT_TRUE(vt::CreateFolders(root_ + "/backups"));
    dialog.ExecuteOperation(vt::AREA_MODE_BACKUP, "saved", root_ + "/backups");
    ASSERT_TRUE(vt::PumpUntil([&] { return Keys(boxes).size() == 2; }, 10000));
    EXPECT_EQ(Keys(boxes).back(), 10005);
    dialog.ExecuteOperation(vt::AREA_MODE_RESTORE, "Restored", root_ + "/backups/saved");
    ASSERT_TRUE(vt::PumpUntil([&] { return Keys(boxes).size() == 3; }, 10000));
    EXPECT_EQ(Keys(boxes).back(), 10005);
    vt::PumpBriefly(20);
    ASSERT_EQ(root->count, 3);
    EXPECT_EQ(root->areas[2].name, "Restored");

    // Delete the first area (no longer current) with its log folder.
    root->SelectLine(0);
    dialog.ExecuteOperation(vt::AREA_MODE_DELETE, "", "");
    EXPECT_EQ(root->count, 2);
    EXPECT_FALSE(vt::FolderExists(logRoot + "/Main"));
    EXPECT_EQ(root->SelectedLine(), -1);
    dialog.EndDialog(1);
  });
  app_->OnManagementArea();
  EXPECT_TRUE(shown);
  // The storages were opened again on the area now current.
  ASSERT_NE(app_->m_currentStorage, nullptr);
  EXPECT_TRUE(app_->m_currentStorage->IsOpen());
  EXPECT_FALSE(app_->m_busy);
}

TEST_F(StorageDialogsTest, WorkerResultsGiveTheirMessages) {
  Start();
  vt::MessageBoxCapture boxes(vt::kIdOk);
  const struct {
    int operation, result, message;
  } cases[] = {{DATA_AREA_BACKUP, STORE_INTERRUPTED, 10109},
               {DATA_AREA_CHECK, STORE_INTERRUPTED, 10017},
               {DATA_AREA_CHECK, STORE_OK, 10005},
               {DATA_AREA_RESTORE, STORE_CORRUPTED, 10211},
               {DATA_AREA_REBUILD, STORE_SCHEMA_MISMATCH, 10211},
               {DATA_AREA_CHECK, STORE_FAILED, 10209},
               {DATA_AREA_BACKUP, STORE_FAILED, 10208},
               {DATA_AREA_RESTORE, STORE_FAILED, 10201},
               {DATA_AREA_REBUILD, STORE_FAILED, 10210}};
  vt::OnNextDialog(CDlgDataAreaManager::kTemplateId, [&](vt::DialogWindow& dialog) {
    for (const auto& c : cases)
      vt::PostMessage(dialog.GetSafeHwnd(), WM_VT_AREAOPDONE, vt::WParam(c.operation), vt::LParam(c.result));
    vt::PumpUntil([&] { return Keys(boxes).size() == std::size(cases); }, 5000);
    dialog.EndDialog(1);
  });
  app_->OnManagementArea();
  std::vector<int> expected;
  for (const auto& c : cases) expected.push_back(c.message);
  EXPECT_EQ(Keys(boxes), expected);
}

TEST_F(StorageDialogsTest, AStartOnACorruptedCurrentStorageOpensTheDialog) {
  {
    CVTDataStorageManager storages;
    ASSERT_TRUE(vt::CreateFolders(DataRoot()));
    ASSERT_EQ(storages.Open(DataRoot()), STORE_OK);
    ASSERT_EQ(storages.CreateStorage("Default"), STORE_OK);
    ASSERT_EQ(storages.Attach("Default"), STORE_OK);
    std::string folder;
    ASSERT_EQ(storages.GetStorageFolder("Default", folder), STORE_OK);
    ASSERT_TRUE(DeleteFolderTree(folder));
  }
  bool shown = false, closeEnabled = true;
  vt::OnNextDialog(CDlgDataAreaManager::kTemplateId, [&](vt::DialogWindow& dialog) {
    shown = true;
    closeEnabled =
        dynamic_cast<CDlgDataAreaManager&>(dialog).m_root->IsEnabled(CGVTDataAreaMgrRoot::kCloseId);
    dialog.EndDialog(1);
  });
  Start();
  const auto& areas = app_->m_dataAreaManager->GetAreas();
  ASSERT_EQ(areas.size(), 1u);
  EXPECT_EQ(areas[0].status, AREA_STATUS_CORRUPTED);
  ASSERT_TRUE(vt::PumpUntil([&] { return shown; }, 5000));
  EXPECT_FALSE(closeEnabled);
}

TEST_F(StorageDialogsTest, DstRuleReachesTheDisplayZoneAndTheSettingsFile) {
  Start();
  vt::MessageBoxCapture boxes(vt::kIdOk);
  vt::OnNextDialog(CDlgDstConfig::kTemplateId, [&](vt::DialogWindow& window) {
    auto& dialog = dynamic_cast<CDlgDstConfig&>(window);
    CGVTDstConfigRoot* root = dialog.m_root;
    auto set = [&](int id, int v) { static_cast<CGPrimitive*>(root->FindById(id))->SetValue(v); };
    set(CGVTDstConfigRoot::kTypeId, 2);
    for (int id : {CGVTDstConfigRoot::kStartMonthId, CGVTDstConfigRoot::kEndMonthId}) set(id, 3);
    for (int id : {CGVTDstConfigRoot::kStartWeeksId, CGVTDstConfigRoot::kEndWeeksId}) set(id, 4);
    for (int id : {CGVTDstConfigRoot::kStartWeekId, CGVTDstConfigRoot::kEndWeekId}) set(id, 0);
    for (int id : {CGVTDstConfigRoot::kStartHourId, CGVTDstConfigRoot::kEndHourId}) set(id, 2);
    // Identical start and end: refused by Enter as by OK, and the dialog stays open.
    dialog.ValidateAndEnd();
    EXPECT_TRUE(dialog.IsModalLoopRunning());
    EXPECT_EQ(Keys(boxes), std::vector<int>{10117});
    set(CGVTDstConfigRoot::kEndMonthId, 9);
    set(CGVTDstConfigRoot::kEndHourId, 3);
    dialog.ValidateAndEnd();
  });
  app_->OnDstSetting();
  const SDstRule& rule = app_->m_settings->m_dstRule;
  EXPECT_EQ(rule.type, 2);
  EXPECT_EQ(rule.summerMonth, 3);
  EXPECT_EQ(rule.winterMonth, 9);
  EXPECT_EQ(rule.winterHour, 3);
  const vt::TimeZoneInformation zone = SharedTimeZone::Instance().Record();
  EXPECT_EQ(zone.DaylightBias, -60);
  EXPECT_EQ(zone.DaylightDate.wMonth, 4);
  EXPECT_EQ(zone.DaylightDate.wDay, 5);  // occurrence "Last"
  EXPECT_EQ(zone.StandardDate.wMonth, 10);
  EXPECT_EQ(zone.StandardDate.wHour, 3);

  app_->ExitInstance();
  app_.reset();
  CConfigurationFile reread;
  reread.SetDefaults(root_);
  ASSERT_TRUE(reread.LoadConfiguration());
  EXPECT_EQ(reread.m_dstRule.type, 2);
  EXPECT_EQ(reread.m_dstRule.winterMonth, 9);
  EXPECT_EQ(reread.m_dstRule.summerWeeks, 4);
}

TEST_F(StorageDialogsTest, DisplayDefaultsReachTheSettingsRecordOnlyAfterOk) {
  Start();
  auto edit = [&](int answer) {
    vt::OnNextDialog(CDlgDefaultCnf::kTemplateId, [&, answer](vt::DialogWindow& window) {
      CGVTDefaultConfigRoot* root = dynamic_cast<CDlgDefaultCnf&>(window).m_root;
      static_cast<CGPrimitive*>(root->FindById(CGVTDefaultConfigRoot::kWaveThickId))->SetValue(5);
      static_cast<CGPrimitive*>(root->FindById(CGVTDefaultConfigRoot::kTagDisplayId))->SetValue(2);
      static_cast<CGPrimitive*>(root->FindById(CGVTDefaultConfigRoot::kBackColorId))
          ->SetForeColor(0x00123456);
      window.EndDialog(answer);
    });
    app_->OnDefaultConfiguration();
  };
  edit(2);
  EXPECT_EQ(app_->m_settings->m_displayDefaults.waveThick, 1);
  edit(1);
  const SDisplayDefaults& d = app_->m_settings->m_displayDefaults;
  EXPECT_EQ(d.waveThick, 5);
  EXPECT_EQ(d.tagDisplay, 2);
  EXPECT_EQ(d.backColor, 0x00123456u);
  EXPECT_EQ(d.gridColor, 0x025E5E5Eu);  // untouched
}

TEST_F(StorageDialogsTest, AboutShowsTheVersionText) {
  Start();
  QString shown;
  QTimer::singleShot(50, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box) return;
    if (auto* label = box->findChild<QLabel*>("version")) shown = label->text();
    box->close();
  });
  app_->OnAppAbout();
  EXPECT_EQ(shown.toStdString(), CAboutDlg::VersionText());
  EXPECT_NE(CAboutDlg::VersionText().find("Version 0."), std::string::npos);
}

}  // namespace

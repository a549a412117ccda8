// Pictures of the automatic-import folder dialog and of the import progress window during a
// manual import, taken from the whole screen. Runs only when VT_SCREENSHOT_DIR names the folder
// for the pictures (xvfb_dialogs.sh runs it under a virtual X server); skipped otherwise.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/CVantrelApp.h"
#include "app/tests/ScreenshotTest.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgDataConvert.h"
#include "document/ui/CDlgFileConvert.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "store/CVTImportManager.h"
#include "testing/TempFolder.h"

namespace {

// A manual run that lasts until the picture is taken.
class SlowWorker : public CVTImportManager {
 public:
  ~SlowWorker() override { Stop(); }
  std::atomic<bool> release{false};

 protected:
  bool Begin() override { return true; }
  bool Step() override {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return !release;
  }
};

class DialogScreenshotTest : public vt_test::ScreenshotTest {};

TEST_F(DialogScreenshotTest, FolderDialogAndProgressWindow) {
  CConfigurationFile prepared;
  prepared.SetDefaults(root_);
  prepared.m_folderTable[0] = {true, true, "/srv/recorders/line-1", 0};
  prepared.m_folderTable[1] = {false, false, "/srv/recorders/line-2/display", 1};
  prepared.m_folderTable[2] = {true, true, "/mnt/share/plant B", 2};
  prepared.m_interval = 2;
  ASSERT_TRUE(prepared.SaveConfiguration());

  SlowWorker* worker = nullptr;
  vt::AppFactory factory = vt::AppFactory::Standard();
  factory.importManager = [&worker] {
    auto w = std::make_unique<SlowWorker>();
    worker = w.get();
    return w;
  };
  auto app = std::make_unique<CVantrelApp>(factory);
  ASSERT_TRUE(app->InitInstance());
  worker->release = true;  // the start-up run ends at once
  ASSERT_TRUE(vt::PumpUntil([&] { return app->m_importManager->IsIdle(); }, 5000));
  worker->release = false;

  bool shot = false;
  vt::OnNextDialog(329, [&](vt::DialogWindow& d) {
    vt::PumpBriefly(300);
    vt::PumpBriefly(300);
    shot = SaveScreen("import_folder_dialog.png");
    d.EndDialog(2);
  });
  app->OnAutoImportSettings();
  EXPECT_TRUE(shot);

  vt::ScriptedCommonDialogs script;
  script.QueueFolder(root_, true);
  app->OnManualImportFolder();
  vt::PumpBriefly(300);
  vt::PumpBriefly(300);
  EXPECT_TRUE(SaveScreen("import_progress.png"));
  worker->release = true;
  ASSERT_TRUE(vt::PumpUntil([&] { return app->m_importManager->IsIdle(); }, 5000));
  app->ExitInstance();
}

TEST_F(DialogScreenshotTest, ConversionDialogs) {
  auto app = std::make_unique<CVantrelApp>();
  ASSERT_TRUE(app->InitInstance());
  ASSERT_TRUE(vt::PumpUntil([&] { return app->m_importManager->IsIdle(); }, 5000));

  auto picture = [&](int templateId, const std::string& name) {
    vt::OnNextDialog(templateId, [&, name](vt::DialogWindow& d) {
      vt::PumpBriefly(300);
      vt::PumpBriefly(300);
      EXPECT_TRUE(SaveScreen(name));
      d.EndDialog(2);
    });
  };
  // The dialogs end before the frame that parents their windows.
  {
    CDlgFileConvert file(app->GetMainWindow());
    file.m_format = 0;
    file.m_folder = "/srv/vantrel/CONVERT";
    picture(CDlgFileConvert::kTemplateId, "file_convert_dialog.png");
    EXPECT_EQ(file.DoModal(), 2);

    SDataConvertOption option;
    option.startTime = TickTime((int64_t(1273483815) + 11644473600LL) * 10000000 + 2500000);
    option.stopTime = TickTime(option.startTime.ticks + int64_t(86400) * 10000000);
    option.groupFrom = 0;
    option.groupTo = 2;
    option.cellWithoutValue = 1;
    option.outputPath = "/srv/vantrel/CONVERT/Line 1.txt";
    CDlgDataConvert trend(app->GetMainWindow());
    trend.m_format = 1;
    trend.SetOption(option);
    picture(CDlgDataConvert::kTemplateId, "trend_convert_dialog.png");
    EXPECT_EQ(trend.DoModal(), 2);
  }
  app->ExitInstance();
}

}  // namespace

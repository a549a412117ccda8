// Pictures of the storage-management dialog and of the DST dialog, taken from the whole screen.
// Runs only when VT_SCREENSHOT_DIR names the folder for the pictures (xvfb_dialogs.sh runs it
// under a virtual X server); skipped otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/CVantrelApp.h"
#include "app/tests/ScreenshotTest.h"
#include "document/ui/CDlgDataAreaManager.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/PumpUntil.h"
#include "testing/TempFolder.h"

namespace {

class StorageDialogScreenshotTest : public vt_test::ScreenshotTest {};

TEST_F(StorageDialogScreenshotTest, StorageAndDstDialogs) {
  auto app = std::make_unique<CVantrelApp>();
  ASSERT_TRUE(app->InitInstance());

  bool shot = false;
  vt::OnNextDialog(CDlgDataAreaManager::kTemplateId, [&](vt::DialogWindow& window) {
    auto& dialog = dynamic_cast<CDlgDataAreaManager&>(window);
    dialog.ExecuteOperation(vt::AREA_MODE_CREATE, "Line 2", "");
    dialog.m_root->SelectLine(1);
    vt::PumpBriefly(300);
    vt::PumpBriefly(300);
    shot = SaveScreen("storage_dialog.png");
    window.EndDialog(1);
  });
  app->OnManagementArea();
  EXPECT_TRUE(shot);

  shot = false;
  vt::OnNextDialog(330, [&](vt::DialogWindow& window) {
    vt::PumpBriefly(300);
    vt::PumpBriefly(300);
    shot = SaveScreen("dst_dialog.png");
    window.EndDialog(2);
  });
  app->OnDstSetting();
  EXPECT_TRUE(shot);
  app->ExitInstance();
}

}  // namespace

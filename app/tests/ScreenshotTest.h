// The fixture of the screenshot tests: they run only when VT_SCREENSHOT_DIR names the folder for
// the pictures (the xvfb scripts set it), on a temporary data root with a runtime folder of their
// own, and save the whole screen, dialogs and tool windows included.
#pragma once
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/base/FileSystem.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace vt_test {

class ScreenshotTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    const char* out = std::getenv("VT_SCREENSHOT_DIR");
    if (!out || !*out) GTEST_SKIP() << "VT_SCREENSHOT_DIR is not set";
    out_ = out;
    ASSERT_TRUE(vt::CreateFolders(out_));
    ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
    runtime_ = std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", root_ + "/run");
  }
  void TearDown() override {
    runtime_.reset();
    TempRootTest::TearDown();
  }
  // Saves the whole screen as name (a PNG) in the pictures' folder.
  bool SaveScreen(const std::string& name) const {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->grabWindow(0).save(QString::fromStdString(out_ + "/" + name), "PNG");
  }

 private:
  std::string out_;
  std::unique_ptr<ScopedEnv> runtime_;
};

}  // namespace vt_test

// Import control of the application object: the scheduling matrix with a worker whose runs last
// until the test ends them (ticks while idle, busy, during an automatic and during a manual run;
// the pending run started once the main window's restart message is handled; a cancel from the
// progress window; Execute immediately without an interval), and an automatic import through the
// real worker into a temporary root.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LogReading.h"
#include "app/AppMessages.h"
#include "app/CVantrelApp.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgProgressbar.h"
#include "gadget/GSkButton.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/Application.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/testing/GuiTestSupport.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "store/CVTImportManager.h"
#include "testing/TempFolder.h"
#include "tools/recgen/SizedFiles.h"

namespace {

// A worker whose run lasts until Finish (or a stop); it notes the mode of every run.
class HeldWorker : public CVTImportManager {
 public:
  ~HeldWorker() override { Stop(); }
  void Finish() { release_ = true; }
  std::vector<int> Runs() const {
    std::lock_guard<std::mutex> guard(lock_);
    return runs_;
  }
  bool Running() const { return !IsIdle(); }

 protected:
  bool Begin() override {
    std::lock_guard<std::mutex> guard(lock_);
    runs_.push_back(GetMode());
    return true;
  }
  void End() override {
    release_ = false;  // a Finish given before the run began still ends that run
    CVTImportManager::End();
  }
  bool Step() override {
    if (release_) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
  }

 private:
  mutable std::mutex lock_;
  std::vector<int> runs_;
  std::atomic<bool> release_{false};
};

// The main window as the import control sees it: a handle that records the private messages and
// answers WM_VT_RESTARTIMPORT as the main frame does.
class RecordingFrame {
 public:
  explicit RecordingFrame(CVantrelApp*& app) {
    handle_ = vt::RegisterWindow([this, &app](uint32_t message, vt::WParam, vt::LParam) -> vt::LResult {
      {
        std::lock_guard<std::mutex> guard(lock_);
        messages_.push_back(message);
      }
      if (message == WM_VT_RESTARTIMPORT && app) app->RestartAutoImportWhenIdle();
      return 0;
    });
  }
  ~RecordingFrame() { vt::UnregisterWindow(handle_); }
  vt::WindowHandle Handle() const { return handle_; }
  // Whether the last message that arrived is this one.
  bool LastIs(uint32_t message) {
    std::lock_guard<std::mutex> guard(lock_);
    return !messages_.empty() && messages_.back() == message;
  }
  std::vector<uint32_t> Take() {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<uint32_t> out;
    out.swap(messages_);
    return out;
  }

 private:
  vt::WindowHandle handle_;
  std::mutex lock_;
  std::vector<uint32_t> messages_;
};

class ImportControlTest : public vt_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
    ASSERT_TRUE(vt::CreateFolders(root_ + "/in"));
    runtime_ = std::make_unique<vt_test::ScopedEnv>("XDG_RUNTIME_DIR", root_ + "/run");
  }
  void TearDown() override {
    if (app_) {
      app_->ExitInstance();
      delete app_;
      app_ = nullptr;
    }
    runtime_.reset();
    TempRootTest::TearDown();
  }
  // Settings with the folder "in" used every ten minutes (interval 0: configured off).
  void WriteSettings(int interval) {
    CConfigurationFile prepared;
    prepared.SetDefaults(root_);
    prepared.m_folderTable[0] = {true, false, root_ + "/in", 0};
    prepared.m_interval = interval;
    ASSERT_TRUE(prepared.SaveConfiguration());
  }
  void Start(vt::AppFactory factory) {
    app_ = new CVantrelApp(std::move(factory));
    ASSERT_TRUE(app_->InitInstance());
    vt::Application::Current()->SetMainWindow(frame_.Handle());
  }
  // Waits until the worker is idle and every posted message has been handled.
  // After a run ends: its completion posts the import result last, maybe a while after the
  // worker went idle on a loaded machine.
  void Settle() {
    ASSERT_TRUE(vt::PumpUntil([&] { return app_->m_importManager->IsIdle(); }, 10000));
    ASSERT_TRUE(vt::PumpUntil([&] { return frame_.LastIs(WM_VT_IMPORTRESULT); }, 10000));
    vt::PumpBriefly(20);
  }

  CVantrelApp* app_ = nullptr;
  RecordingFrame frame_{app_};
  std::unique_ptr<vt_test::ScopedEnv> runtime_;
};

TEST_F(ImportControlTest, SchedulingMatrix) {
  WriteSettings(1);
  HeldWorker* worker = nullptr;
  vt::AppFactory factory = vt::AppFactory::Standard();
  factory.importManager = [&worker] {
    auto w = std::make_unique<HeldWorker>();
    worker = w.get();
    return w;
  };
  Start(factory);
  // Start-up began an automatic run (its indicator message went to the start-up window).
  ASSERT_TRUE(vt::PumpUntil([&] { return worker->Running(); }, 5000));
  frame_.Take();

  // A tick inside an automatic run is dropped.
  app_->OnImportTimer();
  EXPECT_FALSE(app_->m_restartPending);
  worker->Finish();
  Settle();
  EXPECT_EQ(frame_.Take(), (std::vector<uint32_t>{WM_VT_HIDEIMPORTBAR, WM_VT_IMPORTRESULT}));

  // A tick while idle starts an automatic run with its indicator.
  app_->OnImportTimer();
  EXPECT_TRUE(worker->Running());
  worker->Finish();
  Settle();
  EXPECT_EQ(frame_.Take(),
            (std::vector<uint32_t>{WM_VT_SHOWIMPORTBAR, WM_VT_HIDEIMPORTBAR, WM_VT_IMPORTRESULT}));

  // A tick while the application is busy only leaves a run pending.
  app_->m_busy = true;
  app_->OnImportTimer();
  EXPECT_FALSE(worker->Running());
  EXPECT_TRUE(app_->m_restartPending);
  app_->m_busy = false;
  app_->m_restartPending = false;

  // A file-open run; a tick during it makes an automatic run follow once the restart message is
  // handled.
  app_->OpenDocumentFile(root_ + "/in/A.DAE");
  EXPECT_TRUE(worker->Running());
  app_->OnImportTimer();
  EXPECT_TRUE(app_->m_restartPending);
  worker->Finish();
  ASSERT_TRUE(vt::PumpUntil([&] { return worker->Runs().size() == 4; }, 5000));
  EXPECT_EQ(worker->Runs().back(), IMPORT_MODE_AUTOMATIC);
  worker->Finish();
  Settle();
  EXPECT_EQ(frame_.Take(),
            (std::vector<uint32_t>{WM_VT_RESTARTIMPORT, WM_VT_IMPORTRESULT, WM_VT_SHOWIMPORTBAR,
                                   WM_VT_HIDEIMPORTBAR, WM_VT_IMPORTRESULT}));

  // A manual folder import during an automatic run stops that run, shows the progress window,
  // and an automatic run follows the manual one.
  vt::ScriptedCommonDialogs script;
  script.QueueFolder(root_ + "/in", false);
  app_->OnImportNow();
  ASSERT_TRUE(worker->Running());
  app_->OnManualImportFolder();
  EXPECT_TRUE(worker->Running());
  // The worker's thread books the run when it begins, a moment after the start.
  ASSERT_TRUE(vt::PumpUntil([&] { return worker->Runs().size() == 6; }, 5000));
  EXPECT_EQ(worker->Runs().back(), IMPORT_MODE_MANUAL);
  EXPECT_TRUE(app_->GetImportProgress()->IsWindowVisible());
  EXPECT_EQ(app_->m_lastImportFolder, root_ + "/in");
  worker->Finish();
  ASSERT_TRUE(vt::PumpUntil([&] { return worker->Runs().size() == 7; }, 5000));
  EXPECT_FALSE(app_->GetImportProgress()->IsWindowVisible());
  EXPECT_EQ(worker->Runs().back(), IMPORT_MODE_AUTOMATIC);
  worker->Finish();
  Settle();
  frame_.Take();

  // A manual run cancelled from the progress window: an automatic run follows.
  script.QueueFiles({root_ + "/in/B.DAE", root_ + "/in/C.DAE"});
  app_->OnManualImportFiles();
  ASSERT_TRUE(worker->Running());
  vt::ProcessGuiEvents();
  CDlgProgressbar* progress = app_->GetImportProgress();
  auto* cancel = static_cast<CGPrimitive*>(progress->m_root->FindByClass(GCLASS(CGSkPushButton)));
  vt::Rect r;
  cancel->GetAbsoluteRect(&r);
  vt::SendLeftClick(*progress->Host(), vt::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  ASSERT_TRUE(vt::PumpUntil([&] { return worker->Runs().size() == 9; }, 5000));
  EXPECT_EQ(worker->Runs()[7], IMPORT_MODE_MANUAL);
  EXPECT_EQ(worker->Runs()[8], IMPORT_MODE_AUTOMATIC);
  EXPECT_FALSE(progress->IsWindowVisible());
  worker->Finish();
  Settle();
  frame_.Take();

  // Execute immediately with the interval switched off stops a run and starts nothing.
  app_->OpenDocumentFile(root_ + "/in/A.DAE");
  ASSERT_TRUE(worker->Running());
  app_->m_settings->m_interval = 0;
  app_->OnImportNow();
  Settle();
  EXPECT_EQ(worker->Runs().size(), 10u);
  EXPECT_EQ(frame_.Take(), (std::vector<uint32_t>{WM_VT_IMPORTRESULT}));
}

TEST_F(ImportControlTest, AutomaticImportThroughTheRealWorker) {
  for (uint32_t n = 1; n <= 3; ++n) {
    recgen::SizedOptions o;
    o.records = 10;
    o.guid.data1 = n;
    const std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes;
    const std::string path = root_ + "/in/F" + std::to_string(n) + ".DAE";
    ASSERT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    // An automatic run holds back a file written in the last two seconds (it may still be
    // being copied): these were written a minute ago.
    std::filesystem::last_write_time(path,
                                     std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
  }
  WriteSettings(0);  // configured off: the dialog switches it on
  Start(vt::AppFactory::Standard());
  EXPECT_TRUE(app_->m_importManager->IsIdle());

  // The folder dialog: the interval "10 minutes" chosen, then the real OK gadget.
  vt::OnNextDialog(329, [](vt::DialogWindow& d) {
    auto* root = static_cast<CGRoot*>(d.Host()->Client());
    static_cast<CGPrimitive*>(root->FindById(1064))->SetValue(1);
    auto* ok = static_cast<CGPrimitive*>(root->FindById(1031));
    vt::Rect r;
    ok->GetAbsoluteRect(&r);
    vt::SendLeftClick(*d.Host(), vt::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  });
  app_->OnAutoImportSettings();
  EXPECT_TRUE(app_->IsImportTimerArmed());
  std::string settings;
  vt::ReadWholeFile(root_ + "/Morvane/Vantrel/DATA/VTConfiguration", settings);
  EXPECT_NE(settings.find("\tInterval=1\r\n"), std::string::npos);
  Settle();

  const std::vector<uint32_t> messages = frame_.Take();
  EXPECT_EQ(messages, (std::vector<uint32_t>{WM_VT_SHOWIMPORTBAR, WM_VT_IMPORTED, WM_VT_HIDEIMPORTBAR,
                                             WM_VT_IMPORTRESULT}));
  const std::string log = app_test::ReadLogs(root_ + "/Morvane/Vantrel/LOG");
  EXPECT_NE(log.find("START AUTOMATIC IMPORT"), std::string::npos);
  EXPECT_NE(log.find("FINISH IMPORT"), std::string::npos);
  size_t files = 0;
  for (size_t at = log.find("IMPORT: FILE="); at != std::string::npos; at = log.find("IMPORT: FILE=", at + 1))
    ++files;
  EXPECT_EQ(files, 3u);

  // The storage's copies are read-only.
  int copies = 0;
  std::error_code ec;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(root_ + "/Morvane/Vantrel/DATA", ec)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".DAE") continue;
    ++copies;
    struct stat st {};
    ASSERT_EQ(stat(entry.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0222, 0u) << entry.path();
  }
  EXPECT_EQ(copies, 3);
}

}  // namespace

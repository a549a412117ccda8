// The file conversion around the job queue: stored files converted on the worker with the
// queue made beforehand on the user-interface thread; a failed run reported once with message
// 10218 on the user-interface thread and never as done; a cancel (also one before the first job
// runs) leaving no files and no message; exit joining a running conversion; and the command
// taking the dialog's folder and step for a plain list of stored files.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "app/FileConversion.h"
#include "document/ui/CDlgFileConvert.h"
#include "document/ui/CDlgProgressbar.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "export/VTSingleFileConverter.h"
#include "export/testing/ExportFixtures.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Thread.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "testing/TempFolder.h"

namespace {

int CountBoxes(const vt::MessageBoxCapture& boxes, const std::string& text) {
  int n = 0;
  for (const auto& b : boxes.Boxes()) n += b.request.text.find(text) != std::string::npos;
  return n;
}

class FileConversionTest : public dialog_test::DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    progress_ = std::make_unique<CDlgProgressbar>(0, 1);
    conversion_ = std::make_unique<vt::FileConversion>(progress_.get(), 0);
    conversion_->SetFinished([this](int r) { finished_.push_back(r); });
    sources_ = {export_test::SampleFile(folder_, false, "a"),
                export_test::SizedFile(folder_, 2, 50, true, "b")};
  }
  void TearDown() override {
    conversion_.reset();
    progress_.reset();
    DialogsTest::TearDown();
  }
  // Waits until the run has been finished on this thread.
  void Settle() {
    ASSERT_TRUE(vt::PumpUntil([&] { return !conversion_->IsRunning(); }, 20000));
  }

  vt_test::TempFolder folder_;
  std::unique_ptr<CDlgProgressbar> progress_;
  std::unique_ptr<vt::FileConversion> conversion_;
  std::vector<std::string> sources_;
  std::vector<int> finished_;
  vt::MessageBoxCapture boxes_;
};

TEST_F(FileConversionTest, StoredFilesAreConvertedAndTheQueueGoesAfterTheJoin) {
  ASSERT_TRUE(vt::CreateFolder(folder_ / "out"));
  ASSERT_TRUE(conversion_->Start(sources_, folder_ / "out", 0, 1));
  EXPECT_TRUE(progress_->m_shown.load());
  EXPECT_FALSE(conversion_->Start(sources_, folder_ / "out", 0, 1));  // one at a time
  Settle();
  EXPECT_EQ(finished_, std::vector<int>{0});
  EXPECT_EQ(conversion_->ConvertedFiles(),
            (std::vector<std::string>{folder_ / "out/a.xls", folder_ / "out/b.xls"}));
  for (const auto& f : conversion_->ConvertedFiles()) EXPECT_TRUE(vt::FileExists(f)) << f;
  EXPECT_TRUE(boxes_.Boxes().empty());
  vt::PumpUntil([&] { return !progress_->m_shown.load(); }, 2000);
  EXPECT_FALSE(progress_->m_shown.load());
}

TEST_F(FileConversionTest, AFailedRunIsReportedOnceOnTheUserInterfaceThread) {
  // The destination lies under a regular file: nothing can be written there.
  const std::string blocked = folder_.Write("blocked", "x");
  ASSERT_TRUE(conversion_->Start(sources_, blocked + "/out", 1, 1));
  Settle();
  EXPECT_EQ(finished_, std::vector<int>{1});
  EXPECT_TRUE(conversion_->ConvertedFiles().empty());
  ASSERT_EQ(CountBoxes(boxes_, "An error has occurred during conversion processing."), 1);
  EXPECT_EQ(boxes_.Boxes()[0].threadId, vt::CurrentThreadId());
}

TEST_F(FileConversionTest, ACancelLeavesNoFilesAndNoMessage) {
  ASSERT_TRUE(vt::CreateFolder(folder_ / "out"));
  // The first job is held until the cancel has come; the cancel reaches it before it writes.
  std::atomic<bool> cancelled{false};
  conversion_->SetConverterSetup([&](VTSingleFileConverter&) {
    while (!cancelled) std::this_thread::yield();
  });
  ASSERT_TRUE(conversion_->Start(sources_, folder_ / "out", 0, 1));
  progress_->PressCancel();
  cancelled = true;
  Settle();
  EXPECT_EQ(finished_, std::vector<int>{42});
  EXPECT_TRUE(conversion_->ConvertedFiles().empty());
  std::vector<vt::FolderEntry> left;
  ASSERT_TRUE(vt::ListFolder(folder_ / "out", left));
  EXPECT_TRUE(left.empty());
  EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(FileConversionTest, ExitJoinsARunningConversion) {
  ASSERT_TRUE(vt::CreateFolder(folder_ / "out"));
  std::atomic<bool> started{false};
  conversion_->SetConverterSetup([&](VTSingleFileConverter&) { started = true; });
  ASSERT_TRUE(conversion_->Start(sources_, folder_ / "out", 0, 1));
  while (!started) std::this_thread::yield();
  conversion_->Stop();
  EXPECT_FALSE(conversion_->IsRunning());
  EXPECT_EQ(finished_.size(), 1u);
  // The end the worker posted finds nothing more to do, also once the object is gone.
  conversion_.reset();
  vt::PumpBriefly(50);
  EXPECT_EQ(finished_.size(), 1u);
}

TEST_F(FileConversionTest, TheCommandTakesTheDialogsFolderAndStep) {
  vt::SetFileConversion(std::move(conversion_));
  const std::string storage = folder_.path();
  std::string settingsFolder = folder_ / "conv";  // missing: made before the dialog opens
  vt::OnNextDialog(CDlgFileConvert::kTemplateId, [&](vt::DialogWindow& d) {
    EXPECT_EQ(d.GetWindowText(), "To Text[File]");
    EXPECT_TRUE(vt::FolderExists(settingsFolder));
    d.EndDialog(1);
  });
  ASSERT_TRUE(vt::ConvertStoredFiles(1, {"a.DAE"}, storage, &settingsFolder));
  EXPECT_EQ(settingsFolder, folder_ / "conv");
  ASSERT_TRUE(vt::PumpUntil([&] { return !vt::GetFileConversion()->IsRunning(); }, 20000));
  EXPECT_EQ(vt::GetFileConversion()->LastResult(), 0);
  EXPECT_TRUE(vt::FileExists(folder_ / "conv/a.txt"));
  // Cancel in the dialog starts nothing.
  vt::OnNextDialog(CDlgFileConvert::kTemplateId, [&](vt::DialogWindow& d) { d.EndDialog(2); });
  EXPECT_FALSE(vt::ConvertStoredFiles(1, {"a.DAE"}, storage, &settingsFolder));
  vt::ReleaseFileConversion();
}

}  // namespace

// The trend-conversion command of a graph window: the dialog opened over the prepared options
// (conversion folder made, graph name as file name), Cancel starting nothing, OK writing the
// file with the progress window shown meanwhile, and a failed conversion reported with message
// 10218 on the user-interface thread.
#include <gtest/gtest.h>

#include <atomic>

#include "document/CGVantrelDoc.h"
#include "document/testing/RecordingGraphWindowHost.h"
#include "document/ui/CDlgDataConvert.h"
#include "document/ui/CDlgProgressbar.h"
#include "document/ui/TrendConversionCommand.h"
#include "document/ui/testing/DialogTestFixture.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Thread.h"
#include "platform/gui/Application.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "testing/TempFolder.h"

namespace {

class Owner : public vt::GraphDocumentOwner {
 public:
  void SetPathName(const std::string&, bool) override {}
  std::string GetPathName() const override { return {}; }
  void SetModifiedFlag(bool) override {}
};

class TrendConversionCommandTest : public dialog_test::DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    host_.folder = folder_ / "trend";
    previous_ = vt::SetGraphWindowHost(&host_);
    doc_ = std::make_unique<CGVantrelDoc>(nullptr, &owner_);
    doc_->m_graphName = "line/7";
    // A mark makes the mark list sheet: a file to write without any stored data.
    SNgMarkData mark;
    mark.groupMask = 1;
    mark.time = PreciseTime{1700000000, 0.0};
    ASSERT_NE(doc_->AppendMark(mark), nullptr);
    // The cursors give the range, which holds the mark.
    doc_->SetCursors(TickTime::FromPreciseTime(PreciseTime{1699999990, 0.0}),
                     TickTime::FromPreciseTime(PreciseTime{1700000010, 0.0}));
    progress_ = std::make_unique<CDlgProgressbar>(0, 1);
  }
  void TearDown() override {
    doc_.reset();
    progress_.reset();
    vt::SetGraphWindowHost(previous_);
    DialogsTest::TearDown();
  }
  // Runs the command; the dialog's path is replaced by path when given.
  bool Run(int button, const std::string& path = {}) {
    vt::OnNextDialog(CDlgDataConvert::kTemplateId, [&](vt::DialogWindow& d) {
      auto& dialog = static_cast<CDlgDataConvert&>(d);
      shownPath_.clear();
      static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTDataConvertRoot::kPathId))->GetText(&shownPath_);
      if (!path.empty())
        static_cast<CGPrimitive*>(dialog.m_root->FindById(CGVTDataConvertRoot::kPathId))->SetText(path);
      if (button == 1)
        dialog.Accept();
      else
        d.EndDialog(button);
    });
    ended_ = false;
    const bool started = vt::ConvertTrend(*doc_, false, progress_.get(), 0, [this] { ended_ = true; });
    if (started) {
      EXPECT_TRUE(progress_->m_shown.load() || ended_.load());
      EXPECT_TRUE(vt::PumpUntil([&] { return ended_.load(); }, 20000));
      vt::PumpBriefly(20);
      doc_->WaitForConvertThread();
    }
    return started;
  }

  vt_test::TempFolder folder_;
  document_test::RecordingGraphWindowHost host_;
  vt::GraphWindowHost* previous_ = nullptr;
  Owner owner_;
  std::unique_ptr<CGVantrelDoc> doc_;
  std::unique_ptr<CDlgProgressbar> progress_;
  std::atomic<bool> ended_{false};
  std::string shownPath_;
  vt::MessageBoxCapture boxes_;
};

TEST_F(TrendConversionCommandTest, CancelStartsNothingAndOkWritesTheFile) {
  EXPECT_FALSE(Run(2));
  EXPECT_TRUE(vt::FolderExists(folder_ / "trend"));  // made before the dialog opened
  EXPECT_EQ(shownPath_, folder_ / "trend/line_7.xls");
  EXPECT_FALSE(vt::FileExists(folder_ / "trend/line_7.xls"));

  ASSERT_TRUE(Run(1));
  EXPECT_TRUE(vt::FileExists(folder_ / "trend/line_7.xls"));
  EXPECT_FALSE(progress_->m_shown.load());
  EXPECT_TRUE(boxes_.Boxes().empty());
  EXPECT_EQ(doc_->GetConvertOption().format, 0);
}

TEST_F(TrendConversionCommandTest, AFailedConversionIsReportedOnTheUserInterfaceThread) {
  ASSERT_TRUE(Run(1, folder_ / "missing/out.xls"));
  ASSERT_EQ(boxes_.Boxes().size(), 1u);
  EXPECT_NE(boxes_.Boxes()[0].request.text.find("An error has occurred during conversion processing."),
            std::string::npos);
  EXPECT_EQ(boxes_.Boxes()[0].threadId, vt::CurrentThreadId());
  EXPECT_FALSE(vt::PathExists(folder_ / "missing"));
  // The application remembers the folder of the chosen path.
  EXPECT_EQ(host_.folder, folder_ / "missing");
}

// The command through the application's site: the document registered before its worker can
// end, the end handed over with the document, the join run on this thread, and the document
// forgotten when its window closes.
TEST_F(TrendConversionCommandTest, TheCommandReportsToTheSiteAndTheWindowClosingForgetsIt) {
  std::vector<std::string> calls;
  std::function<void()> join, cancel;
  vt::TrendConversionSite site;
  site.progress = progress_.get();
  site.registerConversion = [&](const void* d, std::function<void()> j, std::function<void()> c) {
    calls.push_back(d == doc_.get() ? "register" : "register other");
    join = std::move(j);
    cancel = std::move(c);
  };
  site.unregisterConversion = [&](const void* d) {
    calls.push_back(d == doc_.get() ? "forget" : "forget other");
  };
  std::atomic<bool> ended{false};
  site.ended = [&](const void* d) {
    ended = d == doc_.get();
    // As the main window does with its message: the join on the user-interface thread.
    vt::Application::PostCall([&] {
      calls.push_back("join");
      join();
    });
  };
  const vt::TrendConversionSite previous = vt::SetTrendConversionSite(site);

  EXPECT_FALSE(vt::RunTrendConversionCommand(*doc_, 32898 + 1));
  vt::OnNextDialog(CDlgDataConvert::kTemplateId,
                   [](vt::DialogWindow& d) { static_cast<CDlgDataConvert&>(d).Accept(); });
  ASSERT_TRUE(vt::RunTrendConversionCommand(*doc_, vt::kCommandConvertTrendText));
  ASSERT_TRUE(vt::PumpUntil([&] { return calls.size() == 2; }, 20000));
  EXPECT_TRUE(ended.load());
  EXPECT_EQ(doc_->GetConversion(), nullptr);  // joined and gone
  // Text files take each sheet apart: the mark list beside the (empty) main name.
  std::vector<vt::FolderEntry> written;
  ASSERT_TRUE(vt::ListFolder(folder_ / "trend", written));
  ASSERT_FALSE(written.empty());
  for (const vt::FolderEntry& e : written) EXPECT_EQ(e.name.rfind("line_7", 0), 0u) << e.name;

  // Cancel in the dialog: nothing runs, and the document is not kept.
  vt::OnNextDialog(CDlgDataConvert::kTemplateId, [](vt::DialogWindow& d) { d.EndDialog(2); });
  ASSERT_TRUE(vt::RunTrendConversionCommand(*doc_, vt::kCommandConvertTrendExcel));
  vt::CloseTrendConversion(*doc_);
  EXPECT_EQ(calls, (std::vector<std::string>{"register", "join", "register", "forget", "forget"}));
  vt::SetTrendConversionSite(previous);
}

}  // namespace

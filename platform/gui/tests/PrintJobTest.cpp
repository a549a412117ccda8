// The print road: the page loop as views were written for it (the range kept within the pages
// the view counted, the current page read again after each page), the print dialog's range,
// direct printing without a printer, PDF pages, and the preview drawing only the page it shows.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/gui/DeviceContext.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/PrintJob.h"
#include "platform/gui/PrintPreview.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "platform/gui/testing/PdfPrintTarget.h"
#include "platform/gui/testing/ScriptedCommonDialogs.h"
#include "testing/TempFolder.h"

namespace {

// A view that counts `pages` when it begins and records each page it is asked to print; steer
// may write the current page after a page, as a view counting its own pages does.
class RecordingClient : public vt::PrintClient {
 public:
  int pages = 3;
  bool direct = false;
  std::function<void(vt::PrintInfo&)> steer;
  std::vector<int> printed;
  int begun = 0, ended = 0;
  int width = 0;

  bool OnPreparePrinting(vt::PrintInfo& info) override {
    info.direct = direct;
    return vt::DoPreparePrinting(info, 0);
  }
  void OnBeginPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) override {
    ++begun;
    info.maxPage = pages;
    width = dc->GetDeviceCaps(vt::DeviceCap::HorzRes);
  }
  void OnPrint(vt::DeviceContext* dc, vt::PrintInfo& info) override {
    printed.push_back(info.currentPage);
    dc->FillSolidRect(vt::Rect{0, 0, 100, 100}, 0x000000);
    if (steer) steer(info);
  }
  void OnEndPrinting(vt::DeviceContext*, vt::PrintInfo&) override { ++ended; }
};

std::vector<int> Range(int a, int b) {
  std::vector<int> v;
  for (int i = a; a <= b ? i <= b : i >= b; i += a <= b ? 1 : -1) v.push_back(i);
  return v;
}

TEST(PrintJobTest, PrintsTheChosenRangeWithinTheCountedPages) {
  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  struct Case {
    vt::PrintRange range;
    int from, to;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {vt::PrintRange::All, 0, 0, Range(1, 5)},   {vt::PrintRange::Pages, 2, 4, Range(2, 4)},
      {vt::PrintRange::Pages, 4, 9, Range(4, 5)},  // beyond the count: up to the last page
      {vt::PrintRange::Pages, 4, 2, Range(4, 2)},  // backwards, as the loop allows
      {vt::PrintRange::Pages, 3, 3, Range(3, 3)},
  };
  for (const Case& c : cases) {
    vt::ScriptedCommonDialogs dialogs;
    dialogs.QueuePrint(c.range, c.from, c.to);
    RecordingClient client;
    client.pages = 5;
    vt::PrintInfo info;
    EXPECT_EQ(vt::RunPrintJob(client, info), vt::PrintOutcome::Printed);
    EXPECT_EQ(client.printed, c.expected) << c.from << "-" << c.to;
    EXPECT_EQ(client.begun, 1);
    EXPECT_EQ(client.ended, 1);
    ASSERT_EQ(dialogs.PrintRequests().size(), 1u);
  }
  // Every job was one PDF of as many pages as were printed.
  ASSERT_EQ(target.Files().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(vt::PdfPageCount(target.Files()[i]), int(cases[i].expected.size())) << target.Files()[i];
}

TEST(PrintJobTest, TheViewSteersTheLoopThroughTheCurrentPage) {
  // A view printing 70,000 to 70,010 while the job counts 1 to 65,500: it prints its own next
  // page each time and sets the current page to the first page (go on) or to the last (stop).
  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  vt::ScriptedCommonDialogs dialogs;
  dialogs.QueuePrint(vt::PrintRange::All);
  RecordingClient client;
  client.pages = 65500;
  int next = 70000;
  std::vector<int> own;
  client.steer = [&](vt::PrintInfo& info) {
    own.push_back(next++);
    info.currentPage = next > 70010 ? info.maxPage : info.minPage;
  };
  vt::PrintInfo info;
  ASSERT_EQ(vt::RunPrintJob(client, info), vt::PrintOutcome::Printed);
  EXPECT_EQ(own, Range(70000, 70010));
  EXPECT_EQ(vt::PdfPageCount(target.Files().at(0)), 11);
}

TEST(PrintJobTest, NothingStartsWhenTheDialogIsCancelledOrNoPrinterIsThere) {
  vt_test::TempFolder dir;
  {
    vt::PdfPrintTarget target(dir.path());
    vt::ScriptedCommonDialogs dialogs;
    dialogs.QueuePrintCancel();
    RecordingClient client;
    vt::PrintInfo info;
    EXPECT_EQ(vt::RunPrintJob(client, info), vt::PrintOutcome::NotStarted);
    EXPECT_EQ(client.begun, 0);
    EXPECT_TRUE(target.Files().empty());
  }
  {
    // Direct printing asks nothing; without a printer it says so and begins nothing.
    vt::PdfPrintTarget target(dir.path(), false);
    vt::ScriptedCommonDialogs dialogs;
    vt::MessageBoxCapture boxes;
    RecordingClient client;
    client.direct = true;
    vt::PrintInfo info;
    EXPECT_EQ(vt::RunPrintJob(client, info), vt::PrintOutcome::NotStarted);
    EXPECT_EQ(client.begun, 0);
    EXPECT_TRUE(dialogs.PrintRequests().empty());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(boxes.Boxes()[0].request.text.find("No printer"), std::string::npos);
  }
  {
    // With a printer, direct printing prints every page without a dialog.
    vt::PdfPrintTarget target(dir.path());
    vt::ScriptedCommonDialogs dialogs;
    RecordingClient client;
    client.direct = true;
    vt::PrintInfo info;
    EXPECT_EQ(vt::RunPrintJob(client, info), vt::PrintOutcome::Printed);
    EXPECT_EQ(client.printed, Range(1, 3));
    EXPECT_TRUE(dialogs.PrintRequests().empty());
    // The page is 600 dots per inch: A4 less 5 mm each side is 200 mm, 4,724 pixels.
    EXPECT_NEAR(client.width, 4724, 2);
  }
}

TEST(PrintJobTest, PrintSetupKeepsThePaperForLaterJobs) {
  const vt::PrinterSetup before = vt::CurrentPrinterSetup();
  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  vt::ScriptedCommonDialogs dialogs;
  vt::PrinterSetup landscape = before;
  landscape.landscape = true;
  dialogs.QueuePageSetupCancel();
  dialogs.QueuePageSetup(landscape);
  EXPECT_FALSE(vt::RunPrintSetup(0));
  EXPECT_FALSE(vt::CurrentPrinterSetup().landscape);
  EXPECT_TRUE(vt::RunPrintSetup(0));
  RecordingClient client;
  client.direct = true;
  vt::PrintInfo info;
  EXPECT_EQ(vt::RunPrintJob(client, info), vt::PrintOutcome::Printed);
  EXPECT_NEAR(client.width, 6780, 5);  // 297 mm less the margins, across
  vt::CurrentPrinterSetup() = before;
}

TEST(PrintJobTest, ThePreviewDrawsOnlyThePageItShows) {
  vt_test::TempFolder dir;
  vt::PdfPrintTarget target(dir.path());
  vt::ScriptedCommonDialogs dialogs;
  RecordingClient client;
  client.pages = 5000000;
  {
    vt::PrintPreview preview(client, 300);
    ASSERT_TRUE(preview.Begin());
    EXPECT_TRUE(dialogs.PrintRequests().empty());
    EXPECT_EQ(preview.FirstPage(), 1);
    EXPECT_EQ(preview.LastPage(), 5000000);
    EXPECT_TRUE(client.printed.empty());
    preview.ShowPage(70000);
    preview.ShowPage(9000000);  // kept within the pages
    EXPECT_EQ(client.printed, (std::vector<int>{70000, 5000000}));
    EXPECT_EQ(preview.Page().PictureWidth(), 300);
    EXPECT_EQ(client.ended, 0);
  }
  EXPECT_EQ(client.ended, 1);
  EXPECT_TRUE(target.Files().empty());
}

}  // namespace

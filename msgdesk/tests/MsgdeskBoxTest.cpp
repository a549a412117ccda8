// How Msgdesk builds its boxes (extra line, number line, flags, severities) and how they are
// answered: a real box on the offscreen platform closed with Esc or Enter, and a call from a
// worker thread answered on the user-interface thread.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <string>
#include <thread>

#include "msgdesk/Msgdesk.h"
#include "platform/base/Thread.h"
#include "platform/gui/qt/MessageBoxDialog.h"
#include "platform/gui/qt/MessageBoxWatch.h"
#include "platform/gui/testing/MessageBoxCapture.h"

namespace {

std::string OnlyBoxText(const vt::MessageBoxCapture& capture) {
  auto boxes = capture.Boxes();
  EXPECT_EQ(boxes.size(), 1u);
  return boxes.empty() ? std::string() : boxes[0].request.text;
}

TEST(MsgdeskBox, DisplayMessage2AddsTheExtraTextOnItsOwnLine) {
  const struct {
    const char* extra;
    std::string boxText;
  } cases[] = {
      {nullptr, "E10219\nFile export failed."},
      {"", "E10219\nFile export failed.\n"},
      // A path is plain text: '<' and '&' and non-ASCII letters pass untouched.
      {"/home/anna/Daten <neu>/Ölpumpe & Co.xls",
       "E10219\nFile export failed.\n/home/anna/Daten <neu>/Ölpumpe & Co.xls"},
  };
  for (const auto& c : cases) {
    vt::MessageBoxCapture capture;
    EXPECT_EQ(DisplayMessage2(7, 10219, vt::kMbOk, c.extra), vt::kIdOk);
    EXPECT_EQ(OnlyBoxText(capture), c.boxText);
  }
  // With no extra text the box is exactly the one DisplayMessage shows.
  vt::MessageBoxCapture plain;
  DisplayMessage(7, 10219, vt::kMbOk);
  DisplayMessage2(7, 10219, vt::kMbOk, nullptr);
  auto boxes = plain.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].request.text, boxes[1].request.text);
  EXPECT_EQ(boxes[0].request.type, boxes[1].request.type);
  EXPECT_EQ(boxes[0].request.caption, boxes[1].request.caption);
}

TEST(MsgdeskBox, LongExtraTextIsShownWhole) {
  // Far beyond the 275 characters a box text once had room for.
  std::string path = "/data/" + std::string(2000, 'd') + "/file.xls";
  vt::MessageBoxCapture capture;
  DisplayMessage2(0, 10011, vt::kMbOkCancel, path.c_str());
  EXPECT_EQ(OnlyBoxText(capture), "M10011\nA file with the same name exists. Overwrite?\n" + path);
}

TEST(MsgdeskBox, ShowMessageBoxNumberLineAndSeverities) {
  const struct {
    int number;
    int severity;
    const char* text;
    std::string boxText;  // empty: no box
    const char* caption;
    uint32_t icon;
  } cases[] = {
      {7, 0, "Disk gone.", "E0007\nDisk gone.", "Error", vt::kMbIconError},
      {123, 1, "x", "W0123\nx", "Warning", vt::kMbIconWarning},
      {10001, 2, "y", "M10001\ny", "Information", vt::kMbIconInformation},
      {0, 2, nullptr, "M0000\n", "Information", vt::kMbIconInformation},
      {5, 3, "no such severity", "", "", 0},
      {5, -1, "no such severity", "", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number * 10 + c.severity);
    vt::MessageBoxCapture capture(vt::kIdOk);
    int result = ShowMessageBox(3, c.number, c.severity, c.text, vt::kMbOk);
    auto boxes = capture.Boxes();
    if (c.boxText.empty()) {
      EXPECT_EQ(result, 0);
      EXPECT_TRUE(boxes.empty());
      continue;
    }
    EXPECT_EQ(result, vt::kIdOk);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].request.text, c.boxText);
    EXPECT_EQ(boxes[0].request.caption, c.caption);
    EXPECT_EQ(boxes[0].request.type, c.icon);
    EXPECT_EQ(boxes[0].request.owner, 3u);
  }
}

TEST(MsgdeskBox, CallersFlagsAreCombinedWithTheIcon) {
  vt::MessageBoxCapture capture(vt::kIdNo);
  EXPECT_EQ(DisplayMessage(0, 10101, vt::kMbYesNo | vt::kMbDefButton2), vt::kIdNo);
  ASSERT_EQ(capture.Boxes().size(), 1u);
  EXPECT_EQ(capture.Boxes()[0].request.type, vt::kMbYesNo | vt::kMbDefButton2 | vt::kMbIconWarning);
}

TEST(MsgdeskBox, RealBoxAnswersEscWithCancelAndEnterWithTheDefault) {
  // 10003 with OK and Cancel: Esc is Cancel.
  vt::OnNextMessageBox([](vt::MessageBoxDialog& box) {
    EXPECT_EQ(box.windowTitle(), "Information");
    ASSERT_EQ(box.Buttons().size(), 2);
    EXPECT_EQ(box.Buttons()[0]->text(), "OK");
    EXPECT_EQ(box.Buttons()[1]->text(), "Cancel");
    QTest::keyClick(&box, Qt::Key_Escape);
  });
  EXPECT_EQ(DisplayMessage(0, 10003, vt::kMbOkCancel), vt::kIdCancel);

  // A lone OK: Esc is OK.
  vt::OnNextMessageBox([](vt::MessageBoxDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); });
  EXPECT_EQ(DisplayMessage(0, 10017, vt::kMbOk), vt::kIdOk);

  // Yes/No with No as default: Esc does nothing, Enter answers No.
  vt::OnNextMessageBox([](vt::MessageBoxDialog& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_EQ(DisplayMessage(0, 10101, vt::kMbYesNo | vt::kMbDefButton2), vt::kIdNo);
}

TEST(MsgdeskBox, WorkerCallGetsTheAnswerGivenOnTheUserInterfaceThread) {
  const uint64_t uiThread = vt::CurrentThreadId();
  vt::MessageBoxCapture capture(vt::kIdCancel);
  std::atomic<int> result{-1};
  std::atomic<uint64_t> workerThread{0};
  std::thread worker([&] {
    workerThread = vt::CurrentThreadId();
    result = DisplayMessage(0, 10218, vt::kMbOkCancel);
  });
  // The user-interface thread waits for the worker while processing events, as the program
  // does; the box is answered from inside this wait.
  while (result.load() == -1) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  worker.join();
  EXPECT_EQ(result.load(), vt::kIdCancel);
  auto boxes = capture.Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "E10218\nAn error has occurred during conversion processing.");
  EXPECT_EQ(boxes[0].threadId, uiThread);
  EXPECT_NE(workerThread.load(), uiThread);
}

TEST(MsgdeskBox, WorkerCallShowsARealBoxOnTheUserInterfaceThread) {
  std::atomic<int> result{-1};
  std::thread worker([&] { result = DisplayMessage(0, 10003, vt::kMbOkCancel); });
  vt::OnNextMessageBox([](vt::MessageBoxDialog& box) {
    EXPECT_EQ(box.thread(), QCoreApplication::instance()->thread());
    QTest::keyClick(&box, Qt::Key_Return);
  });
  while (result.load() == -1) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  worker.join();
  EXPECT_EQ(result.load(), vt::kIdOk);
}

}  // namespace

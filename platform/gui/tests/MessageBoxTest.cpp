// The message-box entry points: providers, the owner window found by its handle, unknown
// button sets, and requests from worker threads answered on the user-interface thread.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <thread>

#include "platform/base/Text.h"
#include "platform/base/Thread.h"
#include "platform/base/WindowHandles.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/qt/MessageBoxDialog.h"
#include "platform/gui/qt/MessageBoxWatch.h"
#include "platform/gui/testing/MessageBoxCapture.h"

namespace {

TEST(MessageBox, CaptureSeesTheRequestAndNestedCapturesRestore) {
  vt::MessageBoxCapture outer(vt::kIdOk);
  {
    vt::MessageBoxCapture inner(vt::kIdYes);
    inner.QueueAnswers({vt::kIdNo, vt::kIdCancel});
    EXPECT_EQ(
        vt::MessageBoxEx(9, "text", "caption", vt::kMbYesNoCancel | vt::kMbIconQuestion, vt::kLangGerman),
        vt::kIdNo);
    EXPECT_EQ(vt::MessageBox(9, "t", "c", vt::kMbYesNoCancel), vt::kIdCancel);
    EXPECT_EQ(vt::MessageBox(9, "t", "c", vt::kMbYesNoCancel), vt::kIdYes);
    auto boxes = inner.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].request.owner, 9u);
    EXPECT_EQ(boxes[0].request.text, "text");
    EXPECT_EQ(boxes[0].request.caption, "caption");
    EXPECT_EQ(boxes[0].request.type, vt::kMbYesNoCancel | vt::kMbIconQuestion);
    EXPECT_EQ(boxes[0].request.language, vt::kLangGerman);
    EXPECT_EQ(boxes[1].request.language, 0);  // the user's language, resolved when shown
  }
  EXPECT_EQ(vt::MessageBox(0, "t", "c", vt::kMbOk), vt::kIdOk);
  EXPECT_EQ(outer.Boxes().size(), 1u);
}

TEST(MessageBox, UnknownButtonSetShowsNothing) {
  // Nothing to answer it: a box that came up would hang here.
  EXPECT_EQ(vt::MessageBox(0, "t", "c", 0x7), vt::kIdNone);
  EXPECT_EQ(vt::MessageBox(0, "t", "c", 0xF | vt::kMbIconError), vt::kIdNone);
}

TEST(MessageBox, BoxIsOwnedByTheWindowOfTheHandle) {
  QWidget frame;
  auto* child = new QWidget(&frame);
  frame.show();
  vt::WindowHandle handle = vt::RegisterWindow(nullptr, child);
  ASSERT_NE(handle, 0u);

  QWidget* parentSeen = nullptr;
  vt::OnNextMessageBox([&](vt::MessageBoxDialog& box) {
    parentSeen = box.parentWidget();
    QTest::keyClick(&box, Qt::Key_Escape);
  });
  EXPECT_EQ(vt::MessageBox(handle, "owned", "c", vt::kMbOkCancel), vt::kIdCancel);
  EXPECT_EQ(parentSeen, &frame);

  // A handle that is gone gives an ownerless box.
  vt::UnregisterWindow(handle);
  parentSeen = &frame;
  vt::OnNextMessageBox([&](vt::MessageBoxDialog& box) {
    parentSeen = box.parentWidget();
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_EQ(vt::MessageBox(handle, "ownerless", "c", vt::kMbOkCancel), vt::kIdOk);
  EXPECT_EQ(parentSeen, nullptr);
}

TEST(MessageBox, ClosingTheOwnerTakesTheBoxAlong) {
  auto* frame = new QWidget;
  frame->show();
  vt::WindowHandle handle = vt::RegisterWindow(nullptr, frame);
  vt::OnNextMessageBox([frame](vt::MessageBoxDialog&) { delete frame; });
  EXPECT_EQ(vt::MessageBox(handle, "gone", "c", vt::kMbYesNo), vt::kIdNone);
  vt::UnregisterWindow(handle);
}

TEST(MessageBox, WorkersAreAnsweredOnTheUserInterfaceThread) {
  const uint64_t uiThread = vt::CurrentThreadId();
  vt::MessageBoxCapture capture;
  capture.QueueAnswers({vt::kIdRetry, vt::kIdCancel});
  std::atomic<int> done{0};
  int results[2] = {-1, -1};
  // Two workers at once: each waits for its own answer.
  std::thread first([&] {
    results[0] = vt::MessageBox(0, "first", "c", vt::kMbRetryCancel);
    ++done;
  });
  std::thread second([&] {
    results[1] = vt::MessageBox(0, "second", "c", vt::kMbRetryCancel);
    ++done;
  });
  // The user-interface thread waits for the workers while processing events.
  while (done.load() < 2) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  first.join();
  second.join();
  auto boxes = capture.Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& box : boxes) EXPECT_EQ(box.threadId, uiThread);
  // Whichever came first got the first answer.
  int firstAnswered = boxes[0].request.text == "first" ? 0 : 1;
  EXPECT_EQ(results[firstAnswered], vt::kIdRetry);
  EXPECT_EQ(results[1 - firstAnswered], vt::kIdCancel);
}

TEST(MessageBox, WorkerWaitsForTheRealBoxOnTheUserInterfaceThread) {
  std::atomic<int> result{-1};
  std::thread worker([&] {
    result = vt::MessageBoxEx(0, "W0001\nfrom a worker", "Warning", vt::kMbYesNo, vt::kLangGerman);
  });
  std::string firstLabel;
  vt::OnNextMessageBox([&](vt::MessageBoxDialog& box) {
    firstLabel = box.Buttons()[0]->text().toStdString();
    EXPECT_EQ(box.thread(), QCoreApplication::instance()->thread());
    QTest::keyClick(&box, Qt::Key_Escape);  // ignored: Yes/No has no escape
    EXPECT_TRUE(box.isVisible());
    QTest::mouseClick(box.Buttons()[1], Qt::LeftButton);
  });
  while (result.load() == -1) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  worker.join();
  EXPECT_EQ(result.load(), vt::kIdNo);
  EXPECT_EQ(firstLabel, "&Ja");
}

}  // namespace

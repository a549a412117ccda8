// Dialog windows: Enter, Escape and the close box reach OnOK and OnCancel (and stay with an open
// in-place editor), the results of DoModal, the client size, the dialog font of the window
// context, the wheel handed on by an editor when the host asks, and a progress-style window
// that stays usable while its parent is disabled.
#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <functional>

#include "platform/gui/DeviceContext.h"
#include "platform/gui/DialogWindow.h"
#include "platform/gui/Font.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/InPlaceEdit.h"
#include "platform/gui/qt/HostWidget.h"
#include "platform/gui/qt/QtInPlaceEdit.h"

namespace vt {
namespace {

// A dialog whose OnOK and OnCancel end it with configurable codes (0: the call does nothing).
class TestDialog : public DialogWindow {
 public:
  TestDialog(int okCode, int cancelCode, WindowHandle parent = 0, Kind kind = Kind::Modal)
      : DialogWindow(4711, parent, kind), okCode_(okCode), cancelCode_(cancelCode) {}
  int oks = 0, cancels = 0;
  std::function<void()> onInit;

 protected:
  bool OnInitDialog() override {
    SizeClientTo(200, 100);
    if (onInit) onInit();
    return true;
  }
  void OnOK() override {
    ++oks;
    if (okCode_) EndDialog(okCode_);
  }
  void OnCancel() override {
    ++cancels;
    if (cancelCode_) EndDialog(cancelCode_);
  }

 private:
  int okCode_, cancelCode_;
};

QWidget* HostOf(DialogWindow& d) { return dynamic_cast<HostWidget*>(d.Host()); }

void PressKey(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

TEST(DialogWindowTest, EnterEscapeAndTheCloseBoxReachOkAndCancel) {
  struct Case {
    const char* what;
    int okCode, cancelCode;
    std::function<void(DialogWindow&)> act;
    int expected;
  };
  const Case cases[] = {
      {"Enter", 1, 2, [](DialogWindow& d) { PressKey(HostOf(d), Qt::Key_Return); }, 1},
      {"keypad Enter", 1, 2, [](DialogWindow& d) { PressKey(HostOf(d), Qt::Key_Enter); }, 1},
      {"Escape", 1, 2, [](DialogWindow& d) { PressKey(HostOf(d), Qt::Key_Escape); }, 2},
      {"close box", 1, 2, [](DialogWindow& d) { HostOf(d)->window()->close(); }, 2},
      {"a callback's Delete", 1, 2, [](DialogWindow& d) { d.EndDialog(kIdDialogDelete); }, kIdDialogDelete},
      // A dialog whose OnOK and OnCancel do nothing stays open until a callback ends it.
      {"Enter and Escape ignored", 0, 0,
       [](DialogWindow& d) {
         PressKey(HostOf(d), Qt::Key_Return);
         PressKey(HostOf(d), Qt::Key_Escape);
         HostOf(d)->window()->close();
         EXPECT_TRUE(d.IsWindowVisible());
         d.EndDialog(1);
       },
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestDialog dialog(c.okCode, c.cancelCode);
    OnNextDialog(4711, c.act);
    EXPECT_EQ(dialog.DoModal(), c.expected);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_EQ(dialog.GetClientRect(), (Rect{0, 0, 200, 100}));
  }
}

TEST(DialogWindowTest, AnOpenInPlaceEditorKeepsEnterAndEscape) {
  TestDialog dialog(1, 2);
  std::unique_ptr<InPlaceEdit> editor;
  OnNextDialog(4711, [&](DialogWindow& d) {
    editor = d.Host()->CreateEdit(false, 10000, Rect{10, 10, 100, 30});
    editor->Show(true);
    editor->Focus();
    QWidget* field = static_cast<QtInPlaceEdit*>(editor.get())->Widget();
    PressKey(field, Qt::Key_Return);
    PressKey(field, Qt::Key_Escape);
    EXPECT_EQ(dialog.oks + dialog.cancels, 0);
    EXPECT_TRUE(d.IsWindowVisible());
    editor->Show(false);
    PressKey(HostOf(d), Qt::Key_Escape);
  });
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_EQ(dialog.cancels, 1);
  editor.reset();
}

TEST(DialogWindowTest, TheWindowContextStartsWithTheDialogFont) {
  TestDialog dialog(1, 2);
  ASSERT_TRUE(dialog.Create());
  DeviceContext* dc = dialog.Host()->GetDC();
  EXPECT_EQ(dc->CurrentFont().Log().height, -12);
  EXPECT_EQ(dc->CurrentFont().Log().FaceName(), "Arial");
  dialog.Host()->ReleaseDC(dc);
}

class WheelClient : public HostClient {
 public:
  int wheels = 0;
  bool OnMouseWheel(uint32_t, int32_t, int32_t, int32_t) override { return ++wheels, true; }
};

TEST(DialogWindowTest, AnEditorHandsTheWheelToItsHostOnlyWhenAsked) {
  for (bool asked : {false, true}) {
    SCOPED_TRACE(asked);
    TestDialog dialog(1, 2);
    ASSERT_TRUE(dialog.Create());
    WheelClient client;
    dialog.Host()->SetClient(&client);
    dialog.SetWheelToHost(asked);
    auto editor = dialog.Host()->CreateEdit(false, 10000, Rect{10, 10, 100, 30});
    editor->Show(true);
    QWidget* field = static_cast<QtInPlaceEdit*>(editor.get())->Widget();
    QWheelEvent wheel(QPointF(5, 5), QPointF(15, 15), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(field, &wheel);
    EXPECT_EQ(client.wheels, asked ? 1 : 0);
    editor.reset();
    dialog.Host()->SetClient(nullptr);
  }
}

TEST(DialogWindowTest, AProgressWindowStaysUsableWhileItsParentIsDisabled) {
  QWidget frame;
  HostWidget anchor(&frame);
  frame.show();
  TestDialog progress(0, 0, anchor.Handle(), DialogWindow::Kind::Progress);
  ASSERT_TRUE(progress.Create());
  EXPECT_FALSE(progress.IsWindowVisible());
  progress.ShowWindow(true);
  progress.EnableParent(false);
  EXPECT_FALSE(frame.isEnabled());
  EXPECT_TRUE(progress.IsWindowEnabled());
  EXPECT_TRUE(HostOf(progress)->isEnabled());
  // No close box: the window ends only when its owner hides it.
  EXPECT_FALSE(HostOf(progress)->window()->windowFlags() & Qt::WindowCloseButtonHint);
  progress.EnableParent(true);
  EXPECT_TRUE(frame.isEnabled());
}

}  // namespace
}  // namespace vt

// The host window over Qt: translation of synthetic mouse, wheel and key events, timers by the
// caller's ids, presents while the user-interface thread stays busy, posted paints, and posted
// messages from a worker thread (delivered, or dropped once the window is gone).
#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <atomic>
#include <thread>

#include "platform/base/WindowHandles.h"
#include "platform/gui/Cursors.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/InPlaceCombo.h"
#include "platform/gui/InPlaceEdit.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/HostWidget.h"

namespace vt {
namespace {

struct Call {
  std::string what;
  uint32_t flags = 0;
  int32_t a = 0, b = 0, c = 0;
  friend bool operator==(const Call&, const Call&) = default;
};

std::ostream& operator<<(std::ostream& os, const Call& c) {
  return os << c.what << "(" << c.flags << ", " << c.a << ", " << c.b << ", " << c.c << ")";
}

class RecordingClient : public HostClient {
 public:
  std::vector<Call> calls;
  std::vector<Rect> paints;
  std::vector<std::thread::id> messageThreads;
  void OnPaint(DeviceContext& dc, const Rect& area) override {
    paints.push_back(area);
    dc.FillSolidRect(area, Rgb(0, 255, 0));
  }
  void OnMouseMove(uint32_t f, int32_t x, int32_t y) override { calls.push_back({"move", f, x, y}); }
  void OnLButtonDown(uint32_t f, int32_t x, int32_t y) override { calls.push_back({"ldown", f, x, y}); }
  void OnLButtonUp(uint32_t f, int32_t x, int32_t y) override { calls.push_back({"lup", f, x, y}); }
  void OnLButtonDblClk(uint32_t f, int32_t x, int32_t y) override { calls.push_back({"ldbl", f, x, y}); }
  void OnRButtonDown(uint32_t f, int32_t x, int32_t y) override { calls.push_back({"rdown", f, x, y}); }
  void OnRButtonUp(uint32_t f, int32_t x, int32_t y) override { calls.push_back({"rup", f, x, y}); }
  bool OnMouseWheel(uint32_t f, int32_t d, int32_t x, int32_t y) override {
    calls.push_back({"wheel", f, d, x, y});
    return true;
  }
  void OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t f) override {
    calls.push_back({"keydown", f, int32_t(vk), int32_t(repeat)});
  }
  void OnKeyUp(uint32_t vk, uint32_t, uint32_t f) override { calls.push_back({"keyup", f, int32_t(vk)}); }
  void OnTimer(uint32_t id) override { calls.push_back({"timer", 0, int32_t(id)}); }
  LResult OnMessage(uint32_t m, WParam w, LParam l) override {
    calls.push_back({"message", 0, int32_t(m), int32_t(w), int32_t(l)});
    messageThreads.push_back(std::this_thread::get_id());
    return 0;
  }
};

struct Host {
  Host() {
    widget.SetClient(&client);
    widget.setGeometry(100, 80, 40, 30);
  }
  void Send(QEvent* e) {
    QApplication::sendEvent(&widget, e);
    delete e;
  }
  HostWidget widget;
  RecordingClient client;
};

TEST(HostWidgetInput, MouseEventsBecomeClientCallsWithFlags) {
  using B = Qt::MouseButton;
  struct Case {
    QEvent::Type type;
    B button;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    Call expected;
  };
  const Case cases[] = {
      {QEvent::MouseButtonPress,
       Qt::LeftButton,
       Qt::LeftButton,
       Qt::ShiftModifier,
       {"ldown", kMkLButton | kMkShift, 5, 7}},
      {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier, {"lup", kMkShift, 5, 7}},
      {QEvent::MouseButtonDblClick,
       Qt::LeftButton,
       Qt::LeftButton,
       Qt::NoModifier,
       {"ldbl", kMkLButton, 5, 7}},
      {QEvent::MouseButtonPress,
       Qt::RightButton,
       Qt::RightButton | Qt::LeftButton,
       Qt::ControlModifier,
       {"rdown", kMkRButton | kMkLButton | kMkControl, 5, 7}},
      {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, Qt::NoModifier, {"rup", 0, 5, 7}},
      {QEvent::MouseMove,
       Qt::NoButton,
       Qt::LeftButton,
       Qt::ControlModifier | Qt::ShiftModifier,
       {"move", kMkLButton | kMkControl | kMkShift, 5, 7}},
  };
  for (const auto& c : cases) {
    Host host;
    host.Send(new QMouseEvent(c.type, QPointF(5, 7), QPointF(105, 87), c.button, c.buttons, c.modifiers));
    ASSERT_EQ(host.client.calls.size(), 1u) << c.expected;
    EXPECT_EQ(host.client.calls[0], c.expected);
  }
}

TEST(HostWidgetInput, LeavingTheWindowRepeatsTheLastMoveSoHoverCanEnd) {
  // The synthetic move carries the keys held now: clear what earlier tests' key presses left.
  QWidget neutral;
  QTest::keyRelease(&neutral, Qt::Key_Control);
  ASSERT_EQ(QApplication::keyboardModifiers(), Qt::NoModifier);
  Host host;
  host.Send(new QMouseEvent(QEvent::MouseMove, QPointF(9, 4), QPointF(109, 84), Qt::NoButton, Qt::NoButton,
                            Qt::NoModifier));
  host.Send(new QEvent(QEvent::Leave));
  EXPECT_EQ(host.client.calls, (std::vector<Call>{{"move", 0, 9, 4}, {"move", 0, 9, 4}}));
}

TEST(HostWidgetInput, WheelGivesDeltaPerNotchAndScreenCoordinates) {
  Host host;
  host.Send(new QWheelEvent(QPointF(5, 7), QPointF(105, 87), QPoint(), QPoint(0, 120), Qt::NoButton,
                            Qt::ControlModifier, Qt::NoScrollPhase, false));
  host.Send(new QWheelEvent(QPointF(5, 7), QPointF(105, 87), QPoint(), QPoint(0, -240), Qt::LeftButton,
                            Qt::NoModifier, Qt::NoScrollPhase, false));
  EXPECT_EQ(host.client.calls,
            (std::vector<Call>{{"wheel", kMkControl, 120, 105, 87}, {"wheel", kMkLButton, -240, 105, 87}}));
}

TEST(HostWidgetInput, KeysBecomeVirtualKeyCodes) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    uint32_t vk;
  };
  const Case cases[] = {
      {Qt::Key_A, Qt::NoModifier, 'A'},
      {Qt::Key_7, Qt::NoModifier, '7'},
      {Qt::Key_Tab, Qt::NoModifier, kVkTab},
      {Qt::Key_Backtab, Qt::ShiftModifier, kVkTab},
      {Qt::Key_Return, Qt::NoModifier, kVkReturn},
      {Qt::Key_Enter, Qt::KeypadModifier, kVkReturn},
      {Qt::Key_Escape, Qt::NoModifier, kVkEscape},
      {Qt::Key_Left, Qt::NoModifier, kVkLeft},
      {Qt::Key_PageDown, Qt::NoModifier, kVkNext},
      {Qt::Key_F5, Qt::NoModifier, kVkF1 + 4},
      {Qt::Key_Delete, Qt::NoModifier, kVkDelete},
      {Qt::Key_Shift, Qt::ShiftModifier, kVkShift},
  };
  for (const auto& c : cases) {
    Host host;
    host.Send(new QKeyEvent(QEvent::KeyPress, c.key, c.modifiers));
    host.Send(new QKeyEvent(QEvent::KeyPress, c.key, c.modifiers, QString(), true));  // auto-repeat
    host.Send(new QKeyEvent(QEvent::KeyRelease, c.key, c.modifiers));
    const std::vector<Call> expected{{"keydown", 0, int32_t(c.vk), 1},
                                     {"keydown", kKeyRepeatFlag, int32_t(c.vk), 1},
                                     {"keyup", 0, int32_t(c.vk)}};
    EXPECT_EQ(host.client.calls, expected) << "Qt key " << c.key;
  }
}

TEST(HostWidgetTimers, TimersRunByTheCallersIds) {
  Host host;
  ASSERT_TRUE(host.widget.SetTimer(3, 5));
  ASSERT_TRUE(host.widget.SetTimer(4, 5));
  ASSERT_TRUE(host.widget.SetTimer(4, 5));  // restarting keeps one timer under the id
  auto fired = [&](int id) {
    return std::count(host.client.calls.begin(), host.client.calls.end(), Call{"timer", 0, id});
  };
  for (int i = 0; i < 200 && (fired(3) < 2 || fired(4) < 2); ++i) QTest::qWait(5);
  EXPECT_GE(fired(3), 2);
  EXPECT_GE(fired(4), 2);
  EXPECT_TRUE(host.widget.KillTimer(3));
  EXPECT_FALSE(host.widget.KillTimer(3));
  EXPECT_FALSE(host.widget.IsTimerRunning(3));
  host.client.calls.clear();
  QTest::qWait(30);
  EXPECT_EQ(fired(3), 0);
  EXPECT_GE(fired(4), 1);
}

QRgb ScreenPixel(QWidget& w, int x, int y) {
  const QPixmap shot = w.screen()->grabWindow(w.winId());
  return shot.toImage().pixel(x, y) & 0xFFFFFFu;
}

TEST(HostWidgetDrawing, ReleasingTheWindowDcPresentsAtOnceWhileTheThreadIsBusy) {
  Host host;
  host.widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host.widget));
  QApplication::processEvents();
  // From here on no event is processed: what reaches the screen comes from the presents alone.
  const ColorRef colours[] = {Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(255, 255, 0)};
  for (ColorRef colour : colours) {
    const int before = host.widget.PresentCount();
    DeviceContext* outer = host.widget.GetDC();
    DeviceContext* inner = host.widget.GetDC();
    EXPECT_EQ(inner, outer);  // nested borrowers share one context
    inner->FillSolidRect({2, 2, 12, 12}, colour);
    host.widget.ReleaseDC(inner);
    EXPECT_EQ(host.widget.PresentCount(), before);  // still borrowed
    host.widget.ReleaseDC(outer);
    EXPECT_EQ(host.widget.PresentCount(), before + 1);
    EXPECT_EQ(ScreenPixel(host.widget, 5, 5), ToPixel(colour) & 0xFFFFFFu);
  }
}

// A long paint shows progress: what it draws through a borrowed window context reaches the
// screen before the paint returns.
class ProgressClient : public HostClient {
 public:
  explicit ProgressClient(HostWidget& host) : host_(host) {}
  std::vector<QRgb> seenDuringPaint;
  int paints = 0;
  void OnPaint(DeviceContext& dc, const Rect& area) override {
    ++paints;
    dc.FillSolidRect(area, Rgb(255, 255, 255));
    for (ColorRef step : {Rgb(255, 0, 0), Rgb(0, 0, 255)}) {
      DeviceContext* window = host_.GetDC();
      window->FillSolidRect({0, 0, 10, 10}, step);
      host_.ReleaseDC(window);
      seenDuringPaint.push_back(ScreenPixel(host_, 4, 4));
    }
  }

 private:
  HostWidget& host_;
};

TEST(HostWidgetDrawing, PostedPaintShowsItsProgressAtOnce) {
  HostWidget host;
  ProgressClient client(host);
  host.SetClient(&client);
  host.resize(40, 30);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  for (int i = 0; i < 50 && client.paints == 0; ++i) QTest::qWait(2);
  ASSERT_GE(client.paints, 1);  // the expose was turned into a posted paint
  client.paints = 0;
  client.seenDuringPaint.clear();
  host.Invalidate(nullptr);
  QApplication::processEvents();
  ASSERT_EQ(client.paints, 1);
  EXPECT_EQ(client.seenDuringPaint[0], 0xFF0000u);
  EXPECT_EQ(client.seenDuringPaint[1], 0x0000FFu);
}

TEST(HostWidgetDrawing, InvalidationBecomesOnePostedPaintOfTheUnitedArea) {
  Host host;
  host.widget.resize(40, 30);
  QApplication::processEvents();
  host.client.paints.clear();
  const Rect a{1, 1, 5, 5}, b{10, 2, 20, 8};
  host.widget.Invalidate(&a);
  host.widget.Invalidate(&b);
  EXPECT_TRUE(host.client.paints.empty());  // posted, not run at once
  QApplication::processEvents();
  ASSERT_EQ(host.client.paints.size(), 1u);
  EXPECT_EQ(host.client.paints[0], (Rect{1, 1, 20, 8}));
  EXPECT_EQ(host.widget.FrontImage().pixel(15, 5) & 0xFFFFFFu, 0x00FF00u);
  EXPECT_EQ(host.widget.FrontImage().pixel(30, 20) & 0xFFFFFFu, 0xFFFFFFu);
}

// A host that holds its paints while hidden paints nothing through the resizes it goes through
// unseen, then once, for everything invalidated, when it is shown or grabbed; the front image is
// complete before the first expose copies it.
TEST(HostWidgetDrawing, HeldPaintsRunOnceWhenShownOrGrabbed) {
  for (const bool byShow : {true, false}) {
    SCOPED_TRACE(byShow ? "shown" : "grabbed");
    Host host;
    host.widget.SetHoldPaintsWhileHidden(true);
    host.widget.resize(40, 30);
    QApplication::processEvents();
    host.widget.resize(50, 30);
    const Rect a{1, 1, 5, 5};
    host.widget.Invalidate(&a);
    QApplication::processEvents();
    EXPECT_TRUE(host.client.paints.empty());
    if (byShow) {
      host.widget.show();
    } else {
      (void)host.widget.grab();
    }
    ASSERT_EQ(host.client.paints.size(), 1u);
    EXPECT_EQ(host.client.paints[0], (Rect{0, 0, 50, 30}));
    EXPECT_EQ(host.widget.FrontImage().pixel(45, 25) & 0xFFFFFFu, 0x00FF00u);
    QApplication::processEvents();
    EXPECT_EQ(host.client.paints.size(), 1u);  // the expose copies the front image, no second paint
  }
}

TEST(HostWidgetMessages, WorkerPostIsDeliveredOnTheUserInterfaceThread) {
  Host host;
  const WindowHandle handle = host.widget.Handle();
  std::thread worker([handle] { EXPECT_TRUE(PostMessage(handle, kWmUser + 1, 0, 3)); });
  worker.join();
  EXPECT_TRUE(host.client.calls.empty());
  for (int i = 0; i < 50 && host.client.calls.empty(); ++i) QTest::qWait(2);
  ASSERT_EQ(host.client.calls.size(), 1u);
  EXPECT_EQ(host.client.calls[0], (Call{"message", 0, int32_t(kWmUser + 1), 0, 3}));
  EXPECT_EQ(host.client.messageThreads[0], std::this_thread::get_id());
}

TEST(HostWidgetMessages, PostToAWindowDestroyedBeforeDeliveryIsDropped) {
  RecordingClient client;
  auto widget = std::make_unique<HostWidget>();
  widget->SetClient(&client);
  const WindowHandle handle = widget->Handle();
  std::thread worker([handle] { EXPECT_TRUE(PostMessage(handle, kWmUser + 7, 1, 2)); });
  worker.join();
  widget.reset();  // gone before the queued message is delivered
  QApplication::processEvents();
  QTest::qWait(5);
  EXPECT_TRUE(client.calls.empty());
  EXPECT_FALSE(PostMessage(handle, kWmUser + 7, 1, 2));
}

TEST(HostWidgetWindow, FrameCaptionCursorAndCapture) {
  QWidget frame;
  frame.setWindowTitle("old");
  HostWidget* host = new HostWidget(&frame);  // owned by the frame
  frame.show();
  host->ShowParentFrame(false);
  EXPECT_FALSE(frame.isVisible());
  host->ShowParentFrame(true);
  EXPECT_TRUE(frame.isVisible());
  host->SetOwnerCaption("Trend – 1");
  EXPECT_EQ(frame.windowTitle(), QString::fromUtf8("Trend – 1"));
  EXPECT_EQ(host->OwnerCaption(), "Trend – 1");

  EXPECT_EQ(host->Cursor(), kCursorArrow);
  host->SetCursor(kCursorSizeWe);
  EXPECT_EQ(host->Cursor(), kCursorSizeWe);
  EXPECT_EQ(host->cursor().shape(), Qt::SizeHorCursor);
  host->SetCursor(345);  // an unregistered resource falls back to the arrow
  EXPECT_EQ(host->cursor().shape(), Qt::ArrowCursor);

  host->SetCapture();
  EXPECT_TRUE(host->HasCapture());
  host->ReleaseCapture();
  EXPECT_FALSE(host->HasCapture());
  EXPECT_EQ(host->ClientToScreen(host->ScreenToClient({300, 200})), (Point{300, 200}));
}

TEST(HostWidgetWindow, AFrameClosedBeforeTheHostIsForgotten) {
  QWidget parent;
  HostWidget* host = new HostWidget(&parent);  // owned by the parent
  auto frame = std::make_unique<QWidget>();
  host->SetFrame(frame.get());
  host->SetOwnerCaption("first");
  EXPECT_EQ(frame->windowTitle(), "first");
  frame.reset();
  parent.show();
  host->ShowParentFrame(false);  // the parent again
  EXPECT_FALSE(parent.isVisible());
  host->SetOwnerCaption("second");
  EXPECT_EQ(parent.windowTitle(), "second");
}

TEST(HostWidgetWindow, CaptureEndsWhenAnotherWindowTakesTheMouse) {
  Host first, second;
  first.widget.show();
  second.widget.show();
  first.widget.SetCapture();
  EXPECT_TRUE(first.widget.HasCapture());
  second.widget.SetCapture();
  EXPECT_TRUE(second.widget.HasCapture());
  EXPECT_FALSE(first.widget.HasCapture());
  first.widget.ReleaseCapture();  // harmless without the capture: the second keeps it
  EXPECT_FALSE(first.widget.HasCapture());
  EXPECT_TRUE(second.widget.HasCapture());
  second.widget.ReleaseCapture();
  EXPECT_FALSE(second.widget.HasCapture());
}

TEST(HostWidgetControls, EditorHooksSeeEnterTabAndPasteBeforeTheControl) {
  Host host;
  auto edit = host.widget.CreateEdit(false, 10000, {10, 30, 140, 80});
  ASSERT_TRUE(edit);
  EXPECT_FALSE(edit->IsVisible());
  std::vector<uint32_t> keys;
  int pastes = 0;
  edit->onKeyDown = [&](uint32_t vk) {
    keys.push_back(vk);
    return vk == kVkTab || vk == kVkReturn;
  };
  edit->onPaste = [&] { ++pastes; };
  host.widget.show();
  edit->SetText("old");
  edit->SetSelection(0, -1);
  edit->Show(true);
  QWidget* control = host.widget.findChild<QWidget*>();
  ASSERT_NE(control, nullptr);
  QTest::keyClicks(control, "ab");
  QTest::keyClick(control, Qt::Key_Return);
  QTest::keyClick(control, Qt::Key_Tab);
  QTest::keyClick(control, Qt::Key_Escape);
  QTest::keyClick(control, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "ab");  // typing replaced the selection; Enter, Tab, Escape inserted nothing
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), kVkReturn), 1);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), kVkTab), 1);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), kVkEscape), 1);

  auto password = host.widget.CreateEdit(true, 10002, {10, 30, 140, 80});
  EXPECT_TRUE(password->IsPassword());
}

TEST(HostWidgetControls, ComboReportsUserChoicesButNotSetCurSel) {
  Host host;
  auto combo = host.widget.CreateCombo(10001, {10, 30, 140, 80});
  ASSERT_TRUE(combo);
  int changes = 0;
  combo->onSelChange = [&] { ++changes; };
  combo->AddString("one");
  combo->AddString("two");
  combo->AddString("three");
  EXPECT_EQ(combo->CurSel(), -1);
  combo->SetText("none yet");
  EXPECT_EQ(combo->Text(), "none yet");
  combo->SetCurSel(0);
  EXPECT_EQ(changes, 0);
  // Placed as the gadgets place it over a cell (20, 40, 120, 60) with a 100-pixel list: the
  // field covers the cell with one pixel to spare on each side.
  combo->Move({19, 39, 121, 162}, false);
  combo->SetFieldHeight(20 - 4);
  QWidget* field = host.widget.findChild<QWidget*>();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->geometry(), QRect(19, 39, 102, 22));
  host.widget.show();
  combo->Show(true);
  QTest::keyClick(field, Qt::Key_Down);
  EXPECT_EQ(combo->CurSel(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(combo->Text(), "two");
  combo->ResetContent();
  EXPECT_EQ(combo->Count(), 0);
  EXPECT_EQ(changes, 1);
}

TEST(HostWidgetControls, EnterAndTabInTheOpenListChooseTheHighlightedItemAndReachTheHook) {
  Host host;
  host.widget.resize(200, 200);
  auto combo = host.widget.CreateCombo(10001, {10, 10, 110, 110});
  std::vector<std::pair<uint32_t, int>> keys;  // key and the selection the hook saw
  std::vector<int> changes;
  combo->onKeyDown = [&](uint32_t vk) {
    keys.emplace_back(vk, combo->CurSel());
    return vk == kVkReturn || vk == kVkTab;
  };
  combo->onSelChange = [&] { changes.push_back(combo->CurSel()); };
  for (const char* item : {"one", "two", "three"}) combo->AddString(item);
  combo->SetCurSel(0);
  host.widget.show();
  combo->Show(true);
  combo->Focus();
  const struct {
    int key;
    uint32_t vk;
    int selected;
  } steps[] = {{Qt::Key_Return, kVkReturn, 1}, {Qt::Key_Tab, kVkTab, 2}};
  for (const auto& step : steps) {
    combo->ShowDropDown(true);
    ASSERT_TRUE(combo->IsDroppedDown());
    auto* list = host.widget.findChild<QAbstractItemView*>();
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key(step.key));
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(combo->CurSel(), step.selected);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.back(), std::make_pair(step.vk, step.selected));  // the choice comes first
  }
  EXPECT_EQ(keys.size(), 2u);
  EXPECT_EQ(changes, (std::vector<int>{1, 2}));
}

TEST(HostWidgetControls, SkinnedLooksAndMovesInHostCoordinates) {
  Host host;
  host.widget.resize(200, 120);
  auto edit = host.widget.CreateEdit(false, 10000, {10, 30, 110, 50});
  auto combo = host.widget.CreateCombo(10001, {20, 60, 120, 80});
  QWidget* editControl = nullptr;
  QWidget* comboControl = nullptr;
  for (QWidget* child : host.widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->geometry().topLeft() == QPoint(10, 30)) editControl = child;
    if (child->geometry().topLeft() == QPoint(20, 60)) comboControl = child;
  }
  ASSERT_TRUE(editControl && comboControl);

  // The edit's frame: left, top, right, bottom edges in their own colours, over the control,
  // asked for at every paint.
  std::array<ColorRef, 4> frame{Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 0)};
  edit->onSkinFrame = [&] { return std::optional(frame); };
  const QImage editLook = editControl->grab().toImage();
  EXPECT_EQ(editLook.pixel(0, 10) & 0xFFFFFFu, 0xFF0000u);
  EXPECT_EQ(editLook.pixel(50, 0) & 0xFFFFFFu, 0x00FF00u);
  EXPECT_EQ(editLook.pixel(99, 10) & 0xFFFFFFu, 0x0000FFu);
  EXPECT_EQ(editLook.pixel(50, 19) & 0xFFFFFFu, 0xFFFF00u);
  frame[0] = Rgb(255, 0, 255);
  EXPECT_EQ(editControl->grab().toImage().pixel(0, 10) & 0xFFFFFFu, 0xFF00FFu);

  // The combo's field painted by the hook instead of the control.
  std::vector<Rect> fieldPaints;
  combo->onPaintField = [&](DeviceContext& dc, const Rect& bounds) {
    fieldPaints.push_back(bounds);
    dc.FillSolidRect(bounds, Rgb(0, 255, 255));
  };
  const QImage comboLook = comboControl->grab().toImage();
  ASSERT_FALSE(fieldPaints.empty());
  EXPECT_EQ(fieldPaints.back(), (Rect{0, 0, 100, 20}));
  EXPECT_EQ(comboLook.pixel(50, 10) & 0xFFFFFFu, 0x00FFFFu);

  std::vector<Point> moves;
  edit->onMouseMove = [&](uint32_t, Point p) { moves.push_back(p); };
  combo->onMouseMove = [&](uint32_t, Point p) { moves.push_back(p); };
  QMouseEvent overEdit(QEvent::MouseMove, QPointF(3, 4), QPointF(3, 4), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
  QApplication::sendEvent(editControl, &overEdit);
  QMouseEvent overCombo(QEvent::MouseMove, QPointF(5, 6), QPointF(5, 6), Qt::NoButton, Qt::NoButton,
                        Qt::NoModifier);
  QApplication::sendEvent(comboControl, &overCombo);
  EXPECT_EQ(moves, (std::vector<Point>{{13, 34}, {25, 66}}));
}

}  // namespace
}  // namespace vt

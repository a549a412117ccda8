// The host window over Qt: a QWidget that keeps a front image and turns Qt's events into the
// client's handlers (see HostWindow.h for the contract).
//
// Qt lets a widget paint only inside its paint event, while gadgets draw whenever they like.
// So every drawing goes into the front image, and the paint event only copies the front image
// to the screen. Releasing the last borrowed device context presents its dirty rectangle at
// once with a synchronous repaint (or a queued update when already inside a paint event); a
// paint event that we did not cause (expose, resize) posts a paint request for its area.
#pragma once
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <map>
#include <memory>

#include "platform/gui/Font.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/qt/FrontBuffer.h"

namespace vt {

class HostWidget : public QWidget, public HostWindow {
  Q_OBJECT

 public:
  explicit HostWidget(QWidget* parent = nullptr);
  ~HostWidget() override;

  // The frame shown and hidden by ShowParentFrame and titled by SetOwnerCaption; by default
  // the parent widget (shown and hidden) and the top-level window (caption).
  void SetFrame(QWidget* frame) { frame_ = frame; }
  // The font a freshly borrowed window context starts with (the dialog font of a dialog host).
  void SetDefaultFont(std::unique_ptr<Font> font);
  // Whether the in-place editors hand the wheel on to this host (a dialog that scrolls its
  // tables with the wheel asks for it); by default they swallow it.
  void SetEditorWheelToHost(bool on) { editorWheelToHost_ = on; }
  bool EditorWheelToHost() const { return editorWheelToHost_; }
  // Whether posted paints wait while the widget is hidden (off by default). A window made hidden
  // and shown much later (a tool or progress window) then paints once when it is shown, or when
  // it is grabbed, instead of painting every layout it goes through unseen.
  void SetHoldPaintsWhileHidden(bool on) { holdPaintsWhileHidden_ = on; }

  void SetClient(HostClient* client) override { client_ = client; }
  HostClient* Client() const override { return client_; }
  WindowHandle Handle() const override { return handle_; }
  Rect ClientRect() const override { return Rect{0, 0, width(), height()}; }
  DeviceContext* GetDC() override;
  void ReleaseDC(DeviceContext* dc) override;
  void Invalidate(const Rect* r) override;
  void UpdateWindow() override;
  bool SetTimer(uint32_t id, uint32_t milliseconds) override;
  bool KillTimer(uint32_t id) override;
  void SetCapture() override;
  void ReleaseCapture() override;
  // Another window taking the mouse ends the capture.
  bool HasCapture() const override {
    return captured_ && QWidget::mouseGrabber() == static_cast<const QWidget*>(this);
  }
  Point ScreenToClient(Point p) const override;
  Point ClientToScreen(Point p) const override;
  void SetCursor(CursorId cursor) override;
  CursorId Cursor() const override { return cursor_; }
  bool IsVisible() const override { return isVisible(); }
  bool IsActive() const override;
  void BringOwnerToFront() override;
  void ShowParentFrame(bool show) override;
  void SetOwnerCaption(std::string_view utf8) override;
  std::string OwnerCaption() const override;
  std::unique_ptr<InPlaceEdit> CreateEdit(bool password, int id, const Rect& r) override;
  std::unique_ptr<InPlaceCombo> CreateCombo(int id, const Rect& r) override;

  const QImage& FrontImage() const { return front_.Image(); }
  // How many times drawn pixels were handed to the screen (for tests).
  int PresentCount() const { return presentCount_; }
  bool IsTimerRunning(uint32_t id) const { return timers_.count(id) != 0; }

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  // Tab belongs to the client (gadget focus), not to Qt's focus chain.
  bool focusNextPrevChild(bool next) override;

 private:
  using ButtonHandler = void (HostClient::*)(uint32_t flags, int32_t x, int32_t y);
  void RouteButton(QMouseEvent* e, ButtonHandler left, ButtonHandler right);
  void Present(const Rect& r);
  void PostPaint();
  void RunPaint();
  void RunHeldPaint();
  QWidget* Frame() const;

  HostClient* client_ = nullptr;
  WindowHandle handle_ = 0;
  QPointer<QWidget> frame_;  // a frame closed before the host falls back to the defaults
  FrontBuffer front_;
  QRegion invalid_;
  QRegion ownPresents_;  // areas of paint events we caused
  bool paintPosted_ = false;
  bool inPaintEvent_ = false;
  int presentCount_ = 0;
  std::map<uint32_t, int> timers_;  // caller's id -> Qt timer id
  bool captured_ = false;
  CursorId cursor_;
  Point lastMouse_;
  std::unique_ptr<Font> defaultFont_;
  bool editorWheelToHost_ = false;
  bool holdPaintsWhileHidden_ = false;
  bool paintHeld_ = false;  // a posted paint found the widget hidden; invalid_ still holds its area
};

}  // namespace vt

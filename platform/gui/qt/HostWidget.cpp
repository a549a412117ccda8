// Host window over QWidget: front image, presents, posted paints, input translation, timers.
#include "platform/gui/qt/HostWidget.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cassert>

#include "platform/gui/HostClient.h"
#include "platform/gui/MessageDelivery.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/QtCursors.h"
#include "platform/gui/qt/QtInPlaceCombo.h"
#include "platform/gui/qt/QtInPlaceEdit.h"

namespace vt {

namespace {

const QEvent::Type kPaintRequest = QEvent::Type(QEvent::registerEventType());

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
Rect FromQRect(const QRect& q) { return Rect{q.left(), q.top(), q.right() + 1, q.bottom() + 1}; }

}  // namespace

HostWidget::HostWidget(QWidget* parent) : QWidget(parent), front_(width(), height()), cursor_(kCursorArrow) {
  InstallMessageDelivery();
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  handle_ = RegisterWindow(
      [this](uint32_t message, WParam wParam, LParam lParam) -> LResult {
        return client_ ? client_->OnMessage(message, wParam, lParam) : 0;
      },
      static_cast<QWidget*>(this));
}

HostWidget::~HostWidget() {
  UnregisterWindow(handle_);
  for (const auto& [id, qtId] : timers_) killTimer(qtId);
}

// ---- drawing and presenting ----

DeviceContext* HostWidget::GetDC() { return front_.Borrow(); }

void HostWidget::SetDefaultFont(std::unique_ptr<Font> font) {
  assert(front_.BorrowCount() == 0);
  defaultFont_ = std::move(font);
  front_.SetDefaultFont(defaultFont_.get());
}

void HostWidget::ReleaseDC(DeviceContext* dc) {
  if (auto dirty = front_.Return(dc)) Present(*dirty);
}

void HostWidget::Present(const Rect& r) {
  const Rect area = IntersectRects(r, ClientRect());
  if (area.IsEmpty()) return;
  ++presentCount_;
  if (!isVisible()) return;  // the expose that shows the window paints it
  ownPresents_ += ToQRect(area);
  if (inPaintEvent_) {
    update(ToQRect(area));
  } else {
    repaint(ToQRect(area));  // synchronous: the screen follows while the caller keeps the thread busy
  }
}

void HostWidget::Invalidate(const Rect* r) {
  invalid_ += r ? ToQRect(IntersectRects(*r, ClientRect())) : rect();
  PostPaint();
}

void HostWidget::PostPaint() {
  if (paintPosted_ || invalid_.isEmpty()) return;
  paintPosted_ = true;
  QCoreApplication::postEvent(this, new QEvent(kPaintRequest));
}

void HostWidget::UpdateWindow() { RunPaint(); }

void HostWidget::RunPaint() {
  paintPosted_ = false;
  paintHeld_ = false;
  const Rect area = IntersectRects(FromQRect(invalid_.boundingRect()), ClientRect());
  invalid_ = QRegion();
  if (area.IsEmpty()) return;
  Present(front_.Paint(client_, area));
}

// A held paint runs as if inside a paint event: what it presents is queued, since the
// expose (or the grab) that follows copies the whole front image anyway.
void HostWidget::RunHeldPaint() {
  if (!paintHeld_) return;
  const bool nested = inPaintEvent_;
  inPaintEvent_ = true;
  RunPaint();
  inPaintEvent_ = nested;
}

bool HostWidget::event(QEvent* e) {
  if (e->type() == kPaintRequest) {
    if (holdPaintsWhileHidden_ && !isVisible()) {
      paintPosted_ = false;
      paintHeld_ = !invalid_.isEmpty();
    } else {
      RunPaint();
    }
    return true;
  }
  return QWidget::event(e);
}

void HostWidget::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  RunHeldPaint();
}

void HostWidget::paintEvent(QPaintEvent* e) {
  RunHeldPaint();  // a hidden widget grabbed or rendered
  inPaintEvent_ = true;
  {
    QPainter painter(this);
    for (const QRect& r : e->region()) painter.drawImage(r.topLeft(), front_.Image(), r);
  }
  inPaintEvent_ = false;
  const QRegion system = e->region() - ownPresents_;
  ownPresents_ -= e->region();
  if (!system.isEmpty()) {
    invalid_ += system;
    PostPaint();
  }
}

void HostWidget::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  front_.Resize(width(), height());
  if (client_) client_->OnSize(width(), height());
  Invalidate(nullptr);
}

// ---- input ----

namespace {

FocusReason ReasonFromQt(Qt::FocusReason r) {
  switch (r) {
    case Qt::MouseFocusReason:
      return FocusReason::Mouse;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
      return FocusReason::Tab;
    case Qt::ActiveWindowFocusReason:
      return FocusReason::ActiveWindow;
    case Qt::PopupFocusReason:
      return FocusReason::Popup;
    case Qt::ShortcutFocusReason:
      return FocusReason::Shortcut;
    default:
      return FocusReason::Other;
  }
}

}  // namespace

void HostWidget::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (client_) client_->OnSetFocus(ReasonFromQt(e->reason()));
}

void HostWidget::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (client_) client_->OnKillFocus(ReasonFromQt(e->reason()));
}

void HostWidget::RouteButton(QMouseEvent* e, ButtonHandler left, ButtonHandler right) {
  const QPoint p = e->position().toPoint();
  lastMouse_ = Point{p.x(), p.y()};
  if (!client_) return;
  // Flags hold the buttons after the event: a press includes its button, a release not.
  const uint32_t flags = MouseFlagsFromQt(int(e->buttons()), int(e->modifiers()));
  if (e->button() == Qt::LeftButton) (client_->*left)(flags, p.x(), p.y());
  if (e->button() == Qt::RightButton) (client_->*right)(flags, p.x(), p.y());
}

void HostWidget::mousePressEvent(QMouseEvent* e) {
  RouteButton(e, &HostClient::OnLButtonDown, &HostClient::OnRButtonDown);
}

void HostWidget::mouseReleaseEvent(QMouseEvent* e) {
  RouteButton(e, &HostClient::OnLButtonUp, &HostClient::OnRButtonUp);
}

void HostWidget::mouseDoubleClickEvent(QMouseEvent* e) {
  RouteButton(e, &HostClient::OnLButtonDblClk, &HostClient::OnRButtonDblClk);
}

void HostWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  lastMouse_ = Point{p.x(), p.y()};
  if (client_) client_->OnMouseMove(MouseFlagsFromQt(int(e->buttons()), int(e->modifiers())), p.x(), p.y());
}

void HostWidget::wheelEvent(QWheelEvent* e) {
  if (!client_) return;
  const int delta = std::clamp(e->angleDelta().y(), -32768, 32767);
  if (delta == 0) return;
  const QPoint g = e->globalPosition().toPoint();
  client_->OnMouseWheel(MouseFlagsFromQt(int(e->buttons()), int(e->modifiers())), delta, g.x(), g.y());
  e->accept();
}

void HostWidget::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  // The cursor left: a move at the last position lets the client see that it is no longer
  // over the host (hover and tooltip end), as capturing the mouse would have shown it.
  const uint32_t flags =
      MouseFlagsFromQt(int(QApplication::mouseButtons()), int(QApplication::keyboardModifiers()));
  if (client_ && (flags & (kMkLButton | kMkRButton)) == 0)
    client_->OnMouseMove(flags, lastMouse_.x, lastMouse_.y);
}

void HostWidget::keyPressEvent(QKeyEvent* e) {
  const uint32_t vk = VirtualKeyFromQt(e->key());
  if (!client_ || vk == 0) {
    QWidget::keyPressEvent(e);
    return;
  }
  client_->OnKeyDown(vk, uint32_t(std::max(1, e->count())), e->isAutoRepeat() ? kKeyRepeatFlag : 0);
}

void HostWidget::keyReleaseEvent(QKeyEvent* e) {
  const uint32_t vk = VirtualKeyFromQt(e->key());
  if (!client_ || vk == 0 || e->isAutoRepeat()) {
    QWidget::keyReleaseEvent(e);
    return;
  }
  client_->OnKeyUp(vk, 1, 0);
}

bool HostWidget::focusNextPrevChild(bool) { return false; }

// ---- timers, capture, cursor, frame ----

bool HostWidget::SetTimer(uint32_t id, uint32_t milliseconds) {
  KillTimer(id);
  // A zero period would fire on every pass of the event loop; the old timers never ran faster
  // than every 10 ms.
  const uint32_t period = std::max<uint32_t>(milliseconds, 10);
  const int qtId = startTimer(std::chrono::milliseconds(period), Qt::PreciseTimer);
  if (qtId == 0) return false;
  timers_[id] = qtId;
  return true;
}

bool HostWidget::KillTimer(uint32_t id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return false;
  killTimer(it->second);
  timers_.erase(it);
  return true;
}

void HostWidget::timerEvent(QTimerEvent* e) {
  for (const auto& [id, qtId] : timers_) {
    if (qtId == e->timerId()) {
      if (client_) client_->OnTimer(id);
      return;
    }
  }
  QWidget::timerEvent(e);
}

void HostWidget::SetCapture() {
  captured_ = true;
  grabMouse();
}

void HostWidget::ReleaseCapture() {
  // Qt's releaseMouse ends whichever grab is on, so only our own is released.
  const bool ours = HasCapture();
  captured_ = false;
  if (ours) releaseMouse();
}

Point HostWidget::ScreenToClient(Point p) const {
  const QPoint q = mapFromGlobal(QPoint(p.x, p.y));
  return Point{q.x(), q.y()};
}

Point HostWidget::ClientToScreen(Point p) const {
  const QPoint q = mapToGlobal(QPoint(p.x, p.y));
  return Point{q.x(), q.y()};
}

void HostWidget::SetCursor(CursorId cursor) {
  cursor_ = cursor;
  setCursor(QtCursorFor(cursor));
}

bool HostWidget::IsActive() const { return isActiveWindow(); }

void HostWidget::BringOwnerToFront() {
  QWidget* top = window();
  top->raise();
  top->activateWindow();
}

QWidget* HostWidget::Frame() const { return frame_ ? frame_.data() : parentWidget(); }

void HostWidget::ShowParentFrame(bool show) {
  if (QWidget* frame = Frame()) frame->setVisible(show);
}

void HostWidget::SetOwnerCaption(std::string_view utf8) {
  QWidget* owner = frame_ ? frame_.data() : window();
  owner->setWindowTitle(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::string HostWidget::OwnerCaption() const {
  const QWidget* owner = frame_ ? frame_.data() : window();
  return owner->windowTitle().toUtf8().toStdString();
}

std::unique_ptr<InPlaceEdit> HostWidget::CreateEdit(bool password, int id, const Rect& r) {
  return std::make_unique<QtInPlaceEdit>(this, password, id, r);
}

std::unique_ptr<InPlaceCombo> HostWidget::CreateCombo(int id, const Rect& r) {
  return std::make_unique<QtInPlaceCombo>(this, id, r);
}

}  // namespace vt

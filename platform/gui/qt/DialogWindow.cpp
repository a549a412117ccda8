// The dialog window over QDialog (see DialogWindow.h): a frame around one HostWidget, with
// QDialog's own Enter, Escape and close handling replaced by the owner's OnOK and OnCancel.
#include "platform/gui/DialogWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cassert>

#include "platform/gui/Font.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/MessageDelivery.h"
#include "platform/gui/qt/HostWidget.h"

namespace vt {

namespace {

// The top-level window of the widget a handle was registered with; null for none.
QWidget* WindowOf(WindowHandle handle) {
  if (handle == 0) return nullptr;
  auto* widget = static_cast<QWidget*>(WindowNative(handle));
  return widget ? widget->window() : nullptr;
}

// The dialog font of every dialog: Arial, 12 pixels.
std::unique_ptr<Font> DialogFont() {
  LogFont log;
  log.height = -12;
  log.SetFaceName("Arial");
  return Font::Create(log);
}

}  // namespace

// The frame: routes Escape and the close box (QDialog's reject) and Enter to the owner.
class DialogFrame final : public QDialog {
 public:
  DialogFrame(DialogWindow& owner, QWidget* parent, Qt::WindowFlags flags)
      : QDialog(parent, flags), owner_(owner) {}
  void Forget() { alive_ = false; }
  DialogWindow* Owner() const { return &owner_; }

  void reject() override {
    if (alive_) owner_.OnCancel();
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    // The close box asks; only the owner's OnCancel decides whether the window goes.
    e->ignore();
    if (alive_) owner_.OnCancel();
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && alive_) {
      auto* key = static_cast<QKeyEvent*>(e);
      // Only keys that reach the host itself: an in-place editor with the focus keeps them.
      if (watched == host_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        owner_.OnOK();
        return true;
      }
      if (watched == host_ && key->key() == Qt::Key_Escape) {
        owner_.OnCancel();
        return true;
      }
    }
    return QDialog::eventFilter(watched, e);
  }

 public:
  HostWidget* host_ = nullptr;

 private:
  DialogWindow& owner_;
  bool alive_ = true;
};

struct DialogWindow::Impl {
  QPointer<DialogFrame> frame;
  HostWidget* host = nullptr;
  WindowHandle handle = 0;
  QPointer<QWidget> parentWindow;
};

DialogWindow::DialogWindow(int templateId, WindowHandle parent, Kind kind)
    : templateId_(templateId), parent_(parent), kind_(kind), impl_(std::make_unique<Impl>()) {}

DialogWindow::~DialogWindow() {
  if (impl_->handle) UnregisterWindow(impl_->handle);
  if (impl_->frame) {
    impl_->frame->Forget();
    delete impl_->frame.data();
  }
}

void DialogWindow::Make() {
  assert(!impl_->frame);
  InstallMessageDelivery();
  impl_->parentWindow = WindowOf(parent_);
  QWidget* qtParent = nullptr;
  Qt::WindowFlags flags = Qt::Dialog;
  switch (kind_) {
    case Kind::Modal:
    case Kind::Child:
      qtParent = impl_->parentWindow;
      flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    case Kind::Tool:
      flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
    case Kind::Progress:
      flags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      break;
  }
  auto* frame = new DialogFrame(*this, qtParent, flags);
  impl_->frame = frame;
  frame->setObjectName(QStringLiteral("dialog.%1").arg(templateId_));
  frame->setProperty("vtTemplateId", templateId_);
  frame->setWindowTitle(QStringLiteral("Dialog"));
  frame->setSizeGripEnabled(false);
  if (kind_ == Kind::Modal) frame->setWindowModality(Qt::ApplicationModal);
  if ((kind_ == Kind::Tool || kind_ == Kind::Progress) && impl_->parentWindow) {
    // Stacking and centring follow the parent, but the window is no Qt child of it, so
    // disabling the parent leaves this window usable.
    frame->winId();
    if (QWindow* w = frame->windowHandle()) {
      impl_->parentWindow->winId();
      w->setTransientParent(impl_->parentWindow->windowHandle());
    }
  }
  impl_->host = new HostWidget(frame);
  impl_->host->setObjectName(QStringLiteral("dialog.host"));
  impl_->host->SetDefaultFont(DialogFont());
  impl_->host->move(0, 0);
  frame->host_ = impl_->host;
  impl_->host->installEventFilter(frame);
  impl_->host->setFocus(Qt::OtherFocusReason);
  frame->setFocusProxy(impl_->host);
  impl_->handle = RegisterWindow(
      [this](uint32_t message, WParam wParam, LParam lParam) { return WindowProc(message, wParam, lParam); },
      static_cast<QWidget*>(frame));
}

int DialogWindow::DoModal() {
  assert(kind_ == Kind::Modal);
  if (!impl_->frame) Make();
  OnInitDialog();
  if (!impl_->frame) return 2;
  QPointer<DialogFrame> frame = impl_->frame;
  inModalLoop_ = true;
  const int code = frame->exec();
  inModalLoop_ = false;
  // exec gives 0 for a window taken down without EndDialog: that is a Cancel.
  return code == 0 ? 2 : code;
}

bool DialogWindow::Create() {
  if (impl_->frame) return false;
  Make();
  // A modeless window is made hidden and often shown much later, or never: its host paints
  // when it is first shown.
  impl_->host->SetHoldPaintsWhileHidden(true);
  impl_->frame->hide();
  OnInitDialog();
  return true;
}

void DialogWindow::EndDialog(int code) {
  if (!impl_->frame) return;
  if (kind_ == Kind::Modal && impl_->frame->isVisible()) {
    impl_->frame->done(code);
  } else {
    impl_->frame->setResult(code);
    impl_->frame->hide();
  }
}

WindowHandle DialogWindow::GetSafeHwnd() const { return impl_->handle; }

HostWindow* DialogWindow::Host() const { return impl_->host; }

DialogWindow* DialogWindow::FromHost(const HostWindow* host) {
  const auto* widget = dynamic_cast<const HostWidget*>(host);
  auto* frame = widget ? dynamic_cast<DialogFrame*>(widget->parentWidget()) : nullptr;
  return frame && frame->host_ == widget ? frame->Owner() : nullptr;
}

LResult DialogWindow::WindowProc(uint32_t message, WParam wParam, LParam lParam) {
  HostClient* client = impl_->host ? impl_->host->Client() : nullptr;
  return client ? client->OnMessage(message, wParam, lParam) : 0;
}

void DialogWindow::SetWindowText(std::string_view utf8) {
  if (impl_->frame) impl_->frame->setWindowTitle(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::string DialogWindow::GetWindowText() const {
  return impl_->frame ? impl_->frame->windowTitle().toUtf8().toStdString() : std::string();
}

void DialogWindow::SizeClientTo(int32_t width, int32_t height) {
  if (!impl_->frame) return;
  width = std::max(1, width);
  height = std::max(1, height);
  impl_->host->setGeometry(0, 0, width, height);
  impl_->frame->setFixedSize(width, height);
}

Rect DialogWindow::GetClientRect() const {
  if (!impl_->frame) return {};
  return Rect{0, 0, impl_->frame->width(), impl_->frame->height()};
}

Rect DialogWindow::GetWindowRect() const {
  if (!impl_->frame) return {};
  const QRect g = impl_->frame->frameGeometry();
  return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void DialogWindow::CenterWindow() {
  if (!impl_->frame) return;
  QRect area;
  if (impl_->parentWindow) {
    area = impl_->parentWindow->frameGeometry();
  } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  } else {
    return;
  }
  const QSize size = impl_->frame->frameGeometry().size();
  impl_->frame->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void DialogWindow::RedrawWindow() {
  if (impl_->host) impl_->host->Invalidate(nullptr);
}

void DialogWindow::ShowWindow(bool show) {
  if (impl_->frame) impl_->frame->setVisible(show);
}

bool DialogWindow::IsWindowVisible() const { return impl_->frame && impl_->frame->isVisible(); }

void DialogWindow::EnableWindow(bool enable) {
  if (impl_->frame) impl_->frame->setEnabled(enable);
}

bool DialogWindow::IsWindowEnabled() const { return impl_->frame && impl_->frame->isEnabled(); }

void DialogWindow::EnableParent(bool enable) {
  if (impl_->parentWindow) impl_->parentWindow->setEnabled(enable);
}

bool DialogWindow::IsParentEnabled() const { return impl_->parentWindow && impl_->parentWindow->isEnabled(); }

void DialogWindow::BringToFront() {
  if (!impl_->frame) return;
  impl_->frame->raise();
  impl_->frame->activateWindow();
}

void DialogWindow::BringParentToFront() {
  if (!impl_->parentWindow) return;
  impl_->parentWindow->raise();
  impl_->parentWindow->activateWindow();
}

void DialogWindow::SetWheelToHost(bool on) {
  if (impl_->host) impl_->host->SetEditorWheelToHost(on);
}

void OnNextDialog(int templateId, std::function<void(DialogWindow& dialog)> act) {
  assert(QCoreApplication::instance());
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, templateId, act = std::move(act)] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* frame = dynamic_cast<DialogFrame*>(w);
      if (!frame || !frame->isVisible() || frame->property("vtTemplateId").toInt() != templateId) continue;
      DialogWindow* owner = frame->Owner();
      timer->stop();
      timer->deleteLater();
      act(*owner);
      return;
    }
  });
  timer->start();
}

}  // namespace vt

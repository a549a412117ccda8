// The event loop over QApplication (see Application.h).
#include "platform/gui/Application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMetaObject>
#include <QStyleFactory>
#include <QWidget>
#include <cassert>
#include <utility>

#include "platform/gui/MessageDelivery.h"

namespace vt {

namespace {
Application* g_current = nullptr;
}

struct Application::Impl {
  std::unique_ptr<QApplication> owned;
  std::function<void()> idleHook;
  QMetaObject::Connection idleConnection;
  bool inIdleHook = false;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>()) {
  assert(g_current == nullptr);
  if (!QCoreApplication::instance()) {
    impl_->owned = std::make_unique<QApplication>(argc, argv);
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  }
  QApplication::setQuitOnLastWindowClosed(false);  // the program ends through its own exit road
  InstallMessageDelivery();
  g_current = this;
}

Application::~Application() {
  SetIdleHook({});
  if (g_current == this) g_current = nullptr;
  impl_->owned.reset();
}

Application* Application::Current() { return g_current; }

int Application::Run() { return QCoreApplication::exec(); }

void Application::Quit(int code) { QCoreApplication::exit(code); }

void Application::PostCall(std::function<void()> fn) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || !fn) return;
  QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

void Application::SetIdleHook(std::function<void()> fn) {
  Application* self = g_current;
  if (!self) return;
  Impl& impl = *self->impl_;
  QObject::disconnect(impl.idleConnection);
  impl.idleHook = std::move(fn);
  if (!impl.idleHook) return;
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!dispatcher) return;
  impl.idleConnection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&impl] {
    if (impl.inIdleHook || !impl.idleHook) return;  // an idle hook that pumps does not nest
    impl.inIdleHook = true;
    std::function<void()> hook = impl.idleHook;
    hook();
    impl.inIdleHook = false;
  });
}

void Application::BringMainWindowToFront() {
  auto* widget = static_cast<QWidget*>(WindowNative(mainWindow_));
  if (!widget) return;
  QWidget* window = widget->window();
  if (window->isMinimized()) window->showNormal();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace vt

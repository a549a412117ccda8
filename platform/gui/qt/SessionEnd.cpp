// The end of the session (see SessionEnd.h): a socket notifier on the signal pipe, and the
// desktop session manager's save request.
#include "platform/gui/SessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <memory>
#include <utility>

#include "platform/base/SignalPipe.h"
#include "platform/gui/Application.h"

namespace vt {

namespace {

struct Watch {
  std::function<void()> handler;
  std::unique_ptr<QSocketNotifier> notifier;
  QMetaObject::Connection commitConnection;
  bool ended = false;
};
std::unique_ptr<Watch> g_watch;

// The handler runs once, from the loop (never inside a signal handler or a nested wait's
// notifier call stack of its own).
void EndSession() {
  if (!g_watch || g_watch->ended) return;
  g_watch->ended = true;
  std::function<void()> handler = g_watch->handler;
  if (handler) handler();
}

}  // namespace

bool InstallSessionEnd(std::function<void()> handler) {
  RemoveSessionEnd();
  const int fd = InstallSessionSignalPipe();
  if (fd < 0 || !QCoreApplication::instance()) return false;
  g_watch = std::make_unique<Watch>();
  g_watch->handler = std::move(handler);
  g_watch->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(g_watch->notifier.get(), &QSocketNotifier::activated, [] {
    if (DrainSessionSignalPipe() != 0) Application::PostCall(EndSession);
  });
  if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    g_watch->commitConnection = QObject::connect(gui, &QGuiApplication::commitDataRequest,
                                                 [](QSessionManager&) { Application::PostCall(EndSession); });
  }
  return true;
}

void RemoveSessionEnd() {
  if (!g_watch) return;
  QObject::disconnect(g_watch->commitConnection);
  g_watch.reset();
  RestoreSessionSignals();
}

}  // namespace vt

// The delivery hook: a queued call on the application object runs DeliverPostedMessage.
#include "platform/gui/MessageDelivery.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <atomic>
#include <cassert>

#include "platform/base/WindowHandles.h"

namespace vt {

void InstallMessageDelivery() {
  static std::atomic<bool> installed{false};
  if (installed.exchange(true)) return;
  assert(QCoreApplication::instance() != nullptr);
  SetDeliveryHook([](const PostedMessage& message) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;  // shutting down: nobody left to deliver to
    QMetaObject::invokeMethod(
        app, [message] { DeliverPostedMessage(message); }, Qt::QueuedConnection);
  });
}

}  // namespace vt

// Watching for the next message box (see MessageBoxWatch.h): a short timer looks for a
// visible box among the modal widgets and hands it to the action once.
#include "platform/gui/qt/MessageBoxWatch.h"

#include <QApplication>
#include <QTimer>
#include <cassert>

#include "platform/gui/qt/MessageBoxDialog.h"

namespace vt {

void OnNextMessageBox(std::function<void(MessageBoxDialog& box)> act) {
  assert(QCoreApplication::instance());
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
    auto* box = qobject_cast<MessageBoxDialog*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(*box);
  });
  timer->start();
}

}  // namespace vt

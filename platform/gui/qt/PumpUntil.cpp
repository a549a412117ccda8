// Waits that process events (see PumpUntil.h): a nested event loop that a single-shot timer
// ends, so the thread sleeps in the loop until an event or the timer wakes it.
#include "platform/gui/PumpUntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace vt {

void PumpBriefly(int sliceMs) {
  if (!QCoreApplication::instance()) return;
  QEventLoop loop;
  QTimer::singleShot(sliceMs < 1 ? 1 : sliceMs, &loop, &QEventLoop::quit);
  loop.exec();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (timeoutMs >= 0 && clock.elapsed() >= timeoutMs) return false;
    int slice = 10;
    if (timeoutMs >= 0) slice = int(std::min<qint64>(slice, timeoutMs - clock.elapsed()));
    PumpBriefly(slice);
  }
  return true;
}

}  // namespace vt

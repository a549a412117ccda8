// AreaRunThread (see AreaRunThread.h).
#include "store/AreaRunThread.h"

namespace vt {

AreaRunThread::~AreaRunThread() { Stop(); }

bool AreaRunThread::StartRun() {
  bool idle = true;
  if (!idle_.compare_exchange_strong(idle, false, std::memory_order_acq_rel)) return false;
  // The previous run's thread has set idle as its last action; collect it before the next.
  thread_.Join(kInfiniteTimeout);
  if (!thread_.Start([this] { Run(); })) {
    idle_.store(true, std::memory_order_release);
    return false;
  }
  return true;
}

void AreaRunThread::Run() {
  if (Begin()) {
    while (!stopRequest_.load(std::memory_order_acquire) && Step()) {
    }
    End();
  }
  stopRequest_.store(false, std::memory_order_release);
  idle_.store(true, std::memory_order_release);
}

void AreaRunThread::Stop() {
  if (IsIdle()) return;
  stopRequest_.store(true, std::memory_order_release);
  thread_.Join(kInfiniteTimeout);
  stopRequest_.store(false, std::memory_order_release);
}

}  // namespace vt

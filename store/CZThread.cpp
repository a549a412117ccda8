// The worker thread base (see CZThread.h).
#include "store/CZThread.h"

#include <cassert>
#include <chrono>
#include <thread>

#include "platform/base/NamedMutex.h"

CZThread::CZThread() = default;

CZThread::~CZThread() { Stop(); }

bool CZThread::Start() {
  bool expected = true;
  if (!idle_.compare_exchange_strong(expected, false, std::memory_order_acq_rel)) return false;
  // The previous run set idle as its last action; its thread is at its very end, reap it.
  thread_.Join(vt::kInfiniteTimeout);
  threadStarted_.store(true, std::memory_order_release);
  if (!thread_.Start([this] { ThreadProc(this); })) {
    threadStarted_.store(false, std::memory_order_release);
    idle_.store(true, std::memory_order_release);
    return false;
  }
  return true;
}

unsigned CZThread::ThreadProc(CZThread* worker) {
  assert(worker != nullptr);
  // Start cleared the idle flag already; clearing it here keeps a direct call honest too.
  worker->idle_.store(false, std::memory_order_release);
  if (worker->Begin()) {
    while (!worker->IsStopRequested()) {
      if (!worker->Step()) break;
    }
    worker->End();
  }
  worker->stopRequest_.store(false, std::memory_order_release);
  worker->threadStarted_.store(false, std::memory_order_release);
  worker->idle_.store(true, std::memory_order_release);
  return 0;
}

void CZThread::Stop() {
  if (IsIdle()) return;
  // From the run's own thread (End, the completion callback) the wait could never end.
  assert(thread_.Id() != vt::CurrentThreadId());
  stopRequest_.store(true, std::memory_order_release);
  if (!threadStarted_.load(std::memory_order_acquire) || IsIdle()) return;
  while (!IsIdle()) {
    if (waitHook_)
      waitHook_();
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

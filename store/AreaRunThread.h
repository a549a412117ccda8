// AreaRunThread: the run shape of the management-area worker until the data store's worker
// thread base is shared with it.
//
// A run is Begin, then Step while it asks for more and no stop was requested, then End (only
// when Begin succeeded), on a thread of its own. The starter claims the idle flag before the
// thread exists, so two starts never overlap and a Stop issued right after a start always
// stops the run; the thread procedure sets the flag again as its very last action, so whoever
// sees the worker idle sees everything End did. Stop waits for the run to end. A subclass whose
// run may still be going must call Stop in its own destructor, before its members go.
#pragma once
#include <atomic>

#include "platform/base/Thread.h"

namespace vt {

class AreaRunThread {
 public:
  AreaRunThread() = default;
  virtual ~AreaRunThread();
  AreaRunThread(const AreaRunThread&) = delete;
  AreaRunThread& operator=(const AreaRunThread&) = delete;

  // Starts a run when the worker is idle; false (and nothing changes) otherwise.
  bool StartRun();
  // Asks a running run to stop after its current step and waits for its end.
  void Stop();
  bool IsIdle() const { return idle_.load(std::memory_order_acquire); }
  bool IsStopRequested() const { return stopRequest_.load(std::memory_order_acquire); }

 protected:
  virtual bool Begin() { return true; }
  virtual void End() {}
  virtual bool Step() { return true; }

 private:
  void Run();

  std::atomic<bool> idle_{true};
  std::atomic<bool> stopRequest_{false};
  Thread thread_;
};

}  // namespace vt

// CZThread: the base of the data store's long-running workers (the import worker, storage
// maintenance). One object runs one thread at a time: Begin, then Step while it asks for more
// and no stop was requested, then End. The owner starts a run with Start and asks it to stop
// with Stop; the worker reports back only through its own End.
//
// Start claims the idle flag before the thread exists, so a second Start (a timer tick, a
// handler re-entered while Stop waits) can never run a second thread on the same object, and a
// Stop issued right after Start always finds the run. Stop waits for the run's end through the
// owner's wait hook (the user interface processes its events there, and its handlers may run
// again meanwhile); without a hook it sleeps briefly between looks. The idle flag is set last,
// after End, so an owner never sees the worker idle while End still runs.
#pragma once
#include <atomic>
#include <functional>

#include "platform/base/Thread.h"

class CZThread {
 public:
  // One short wait of the thread that waits for a run's end; called repeatedly until it ends.
  using WaitHook = std::function<void()>;

  CZThread();
  // Waits for a running run to end. A subclass stops the run in its own destructor already,
  // before its members go away.
  virtual ~CZThread();
  CZThread(const CZThread&) = delete;
  CZThread& operator=(const CZThread&) = delete;

  // Starts a run when, and only when, the worker is idle; false when it is not or the thread
  // cannot be started (the worker is idle again then).
  bool Start();
  // Asks a running worker to stop and waits until its run has ended. Returns at once, leaving no
  // stop request behind, when the worker is idle. Not to be called from the worker's own thread.
  void Stop();
  bool IsIdle() const { return idle_.load(std::memory_order_acquire); }
  bool IsStopRequested() const { return stopRequest_.load(std::memory_order_acquire); }
  // The wait of Stop; an empty hook restores the brief sleep.
  void SetWaitHook(WaitHook hook) { waitHook_ = std::move(hook); }

  // The thread procedure of a run; always 0.
  static unsigned ThreadProc(CZThread* worker);

 protected:
  virtual bool Begin() { return true; }
  virtual void End() {}
  // One unit of work; true asks for another call.
  virtual bool Step() { return true; }

 private:
  std::atomic<bool> idle_{true};
  std::atomic<bool> stopRequest_{false};
  std::atomic<bool> threadStarted_{false};  // the thread handle: set while a run's thread exists
  WaitHook waitHook_;
  vt::Thread thread_;
};

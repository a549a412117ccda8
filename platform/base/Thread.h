// Worker threads: start, wait for the end with a time-out, and thread identities.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/base/NamedMutex.h"  // kInfiniteTimeout

namespace vt {

// A small integer naming the calling thread, unique for the life of the process (never 0).
uint64_t CurrentThreadId();

class Thread {
 public:
  Thread();
  ~Thread();  // waits for the thread to end
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts body on a new thread; false when a thread of this object still runs or on failure.
  bool Start(std::function<void()> body);
  // Waits up to timeoutMs (kInfiniteTimeout from NamedMutex.h: no limit) for the end.
  bool Join(uint32_t timeoutMs);
  bool IsRunning() const;
  uint64_t Id() const;  // CurrentThreadId() of the running thread, 0 before Start

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vt

// A timer without a window: a function called on the user-interface thread at an interval.
//
// The automatic import ticks at intervals of up to a day; a Timer is re-armed by starting it
// again, and a stopped or deleted timer never calls its function again.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace vt {

class Timer {
 public:
  explicit Timer(std::function<void()> tick);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // (Re)arms the timer to call tick every intervalMs milliseconds.
  void Start(uint32_t intervalMs);
  // (Re)arms the timer to call tick once, after delayMs milliseconds.
  void StartOnce(uint32_t delayMs);
  void Stop();
  bool IsActive() const;
  // The interval of the last start, 0 before the first.
  uint32_t Interval() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vt

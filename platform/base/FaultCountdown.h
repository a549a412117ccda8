// FaultCountdown: how the platform layer's test hooks make the nth operation from now fail.
//
// A hook arms the countdown with n; each guarded operation asks Fires(), which is true for the
// nth one only. Operations of several threads count once each.
#pragma once
#include <atomic>
#include <cstdint>

namespace vt {

class FaultCountdown {
 public:
  // The nth operation from now fails (1 the next one); 0 or less turns the failure off.
  void Arm(int64_t n) { left_.store(n < 0 ? 0 : n, std::memory_order_relaxed); }
  bool Fires() {
    int64_t n = left_.load(std::memory_order_relaxed);
    while (n > 0) {
      if (left_.compare_exchange_weak(n, n - 1, std::memory_order_relaxed)) return n == 1;
    }
    return false;
  }

 private:
  std::atomic<int64_t> left_{0};
};

}  // namespace vt

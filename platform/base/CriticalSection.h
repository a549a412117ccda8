// Critical section: an in-process lock, re-entrant for its owning thread.
#pragma once
#include <mutex>

namespace vt {

class CriticalSection {
 public:
  void Enter() { mutex_.lock(); }
  bool TryEnter() { return mutex_.try_lock(); }
  void Leave() { mutex_.unlock(); }

 private:
  std::recursive_mutex mutex_;
};

}  // namespace vt

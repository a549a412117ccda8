// Named mutex with the semantics the program's storage and single-instance logic rely on.
//
// A named mutex is owned by a thread and is re-entrant for it (lock twice, unlock twice). A
// thread that ends while owning it leaves it abandoned: the next Lock gets it and is told so.
// It excludes other threads of this process and other processes. Create tells whether the
// name was already open anywhere (the single-instance test); the name lives while a handle is
// open. Across processes it is a pair of locked files per name in the per-user runtime folder;
// the last handle to close, in any process, removes them (an abandoned mutex's lock file stays).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vt {

constexpr uint32_t kInfiniteTimeout = 0xFFFFFFFF;

class NamedMutex {
 public:
  enum class WaitResult { Acquired, Abandoned, Timeout, Failed };

  NamedMutex();
  ~NamedMutex();  // closes the handle; does not release a lock this thread still holds
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // Opens (creating when needed) the mutex of this name, without taking it.
  // *alreadyExisted: another handle, in this or another process, had the name open.
  bool Create(std::string_view name, bool* alreadyExisted = nullptr);
  // Waits up to timeoutMs (kInfiniteTimeout: no limit; 0: just tries).
  WaitResult Lock(uint32_t timeoutMs);
  // Releases one level of ownership; false when the calling thread does not own it.
  bool Unlock();
  void Close();
  bool IsOpen() const;
  const std::string& Name() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vt

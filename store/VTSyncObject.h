// Sync objects: one small lock interface with two kinds behind it, and the scope guard.
//
// CVTMutex is a named mutex shared by every object that opens the same data storage, in this and
// in other processes; it is re-entrant for its owning thread. Created with a lock file it also
// holds a lock on that file (the storage's own, in its folder), taken after the name and given
// up before it, so processes that do not share a runtime folder or a user still exclude each
// other. CVTCriticalSection is a
// process-local lock. Both are plain members of their owners. The guard releases what it took
// on every way out of its block; the holders do their work whatever Lock reported (a mutex
// abandoned by a thread that ended is still taken by the next Lock, which reports false).
#pragma once
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/base/CriticalSection.h"
#include "platform/base/NamedMutex.h"

class CVTSyncObject {
 public:
  static constexpr uint32_t kInfinite = 0xFFFFFFFF;

  virtual ~CVTSyncObject() = default;
  // True only when the lock was taken normally within timeoutMs (kInfinite: no limit).
  virtual bool Lock(uint32_t timeoutMs) = 0;
  virtual bool Unlock() = 0;
  virtual bool Close() = 0;
};

class CVTMutex : public CVTSyncObject {
 public:
  CVTMutex() = default;
  ~CVTMutex() override;

  // Opens (creating when needed) the named mutex without taking it. False when this object
  // holds a mutex already (nothing changes); true otherwise.
  bool Create(const std::string& name);
  // The same, with the lock file too, opened (created when missing) at the first Lock, so that
  // objects that only read a folder leave no file there. A file that cannot be opened (a
  // folder on read-only media) leaves the name alone in force.
  bool Create(const std::string& name, const std::string& lockFile);
  bool Lock(uint32_t timeoutMs) override;
  bool Unlock() override;
  bool Close() override;
  bool HasHandle() const { return mutex_.IsOpen(); }
  // Whether the lock file is held along with the name.
  bool HasLockFile() const { return !lockFile_.empty(); }
  // The name of the mutex held (meaningful only with a handle).
  const std::string& Name() const { return mutex_.Name(); }

 private:
  vt::NamedMutex mutex_;
  vt::NamedMutex fileLock_;
  std::string lockFile_;
  std::mutex opening_;  // orders the first opening of the lock file between threads
};

class CVTCriticalSection : public CVTSyncObject {
 public:
  CVTCriticalSection() = default;
  ~CVTCriticalSection() override;

  // Done by the owner right after construction.
  void Initialize();
  // Waits without limit whatever the time-out.
  bool Lock(uint32_t timeoutMs) override;
  bool Unlock() override;
  bool Close() override;

 private:
  bool initialised_ = false;
  vt::CriticalSection section_;
};

namespace vt {

// Takes a sync object for the lifetime of a block and releases it on every way out.
class CVTSyncGuard {
 public:
  explicit CVTSyncGuard(CVTSyncObject* object, uint32_t timeoutMs = CVTSyncObject::kInfinite);
  ~CVTSyncGuard();
  CVTSyncGuard(const CVTSyncGuard&) = delete;
  CVTSyncGuard& operator=(const CVTSyncGuard&) = delete;

  // What Lock reported.
  bool Locked() const { return locked_; }

 private:
  CVTSyncObject* object_;  // null when nothing was locked
  bool locked_ = false;
};

}  // namespace vt

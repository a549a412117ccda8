// Sync objects (see VTSyncObject.h).
#include "store/VTSyncObject.h"

#include <chrono>

CVTMutex::~CVTMutex() { Close(); }

bool CVTMutex::Create(const std::string& name) {
  if (mutex_.IsOpen()) return false;
  // The platform mutex hashes any name into its lock file, so creation does not fail on the
  // characters of a storage name; the holders rely on that, as they never test this result.
  mutex_.Create(name);
  return true;
}

bool CVTMutex::Create(const std::string& name, const std::string& lockFile) {
  if (!Create(name)) return false;
  std::lock_guard<std::mutex> hold(opening_);
  lockFile_ = lockFile;
  return true;
}

bool CVTMutex::Lock(uint32_t timeoutMs) {
  using Wait = vt::NamedMutex::WaitResult;
  if (!mutex_.IsOpen()) return false;
  const auto start = std::chrono::steady_clock::now();
  const Wait byName = mutex_.Lock(timeoutMs);
  if (byName != Wait::Acquired && byName != Wait::Abandoned) return false;
  bool withFile = false;
  {
    std::lock_guard<std::mutex> hold(opening_);
    if (!lockFile_.empty() && !fileLock_.IsOpen()) fileLock_.CreateOnFile(mutex_.Name(), lockFile_);
    withFile = fileLock_.IsOpen();
  }
  if (!withFile) return byName == Wait::Acquired;
  uint32_t left = timeoutMs;
  if (timeoutMs != kInfinite) {
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    left = spent >= int64_t(timeoutMs) ? 0 : uint32_t(int64_t(timeoutMs) - spent);
  }
  const Wait byFile = fileLock_.Lock(left);
  if (byFile != Wait::Acquired && byFile != Wait::Abandoned) {
    // Not taken as a whole: the name goes back, so that Unlock stays paired with a true Lock.
    mutex_.Unlock();
    return false;
  }
  return byName == Wait::Acquired && byFile == Wait::Acquired;
}

bool CVTMutex::Unlock() {
  if (!mutex_.IsOpen()) return false;
  bool withFile = false;
  {
    std::lock_guard<std::mutex> hold(opening_);
    withFile = fileLock_.IsOpen();
  }
  if (withFile) fileLock_.Unlock();
  return mutex_.Unlock();
}

bool CVTMutex::Close() {
  std::lock_guard<std::mutex> hold(opening_);
  lockFile_.clear();
  fileLock_.Close();
  mutex_.Close();
  return true;
}

CVTCriticalSection::~CVTCriticalSection() { Close(); }

void CVTCriticalSection::Initialize() { initialised_ = true; }

bool CVTCriticalSection::Lock(uint32_t) {
  section_.Enter();
  return true;
}

bool CVTCriticalSection::Unlock() {
  section_.Leave();
  return true;
}

bool CVTCriticalSection::Close() {
  initialised_ = false;
  return true;
}

vt::CVTSyncGuard::CVTSyncGuard(CVTSyncObject* object, uint32_t timeoutMs) : object_(object) {
  if (object_) locked_ = object_->Lock(timeoutMs);
}

vt::CVTSyncGuard::~CVTSyncGuard() {
  if (object_) object_->Unlock();
}

// Sync objects (see VTSyncObject.h).
#include "store/VTSyncObject.h"

CVTMutex::~CVTMutex() { mutex_.Close(); }

bool CVTMutex::Create(const std::string& name) {
  if (mutex_.IsOpen()) return false;
  // The platform mutex hashes any name into its lock file, so creation does not fail on the
  // characters of a storage name; the holders rely on that, as they never test this result.
  mutex_.Create(name);
  return true;
}

bool CVTMutex::Lock(uint32_t timeoutMs) {
  if (!mutex_.IsOpen()) return false;
  return mutex_.Lock(timeoutMs) == vt::NamedMutex::WaitResult::Acquired;
}

bool CVTMutex::Unlock() { return mutex_.IsOpen() && mutex_.Unlock(); }

bool CVTMutex::Close() {
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

CVTSyncGuard::CVTSyncGuard(CVTSyncObject* object, uint32_t timeoutMs) : object_(object) {
  if (object_) locked_ = object_->Lock(timeoutMs);
}

CVTSyncGuard::~CVTSyncGuard() {
  if (object_) object_->Unlock();
}

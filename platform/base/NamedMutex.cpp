// Named mutexes: thread ownership, re-entrancy and abandonment over POSIX file locks.
//
// Inside the process a registry maps each name to one entry (owning thread, level count, a
// condition variable for waiters); a thread first becomes the entry's owner, then takes the
// flock() on the name's lock file, which excludes other processes. Each entry opens its files
// once, so the kernel sees one lock holder per process.
//
// Abandonment is read from a marker byte in the lock file: the owner writes '1' when it takes
// the lock and '0' when it gives it up. A process that dies holding it, or a thread that ends
// holding it (a thread_local watcher releases the flock but leaves the marker), leaves '1'
// behind, and the next owner, in any process, is told the mutex was abandoned.
//
// "Already existed" comes from a second file per name: every process with the name open holds
// a shared lock on it; a process opening the name first tries for an exclusive one. These are
// open-file-description locks, whose exclusive-to-shared change is atomic, so two processes
// opening at once never both believe they created the name.
//
// The files go with the last holder: a process closing its last handle to a name tries to turn
// its shared presence lock into an exclusive one; when that succeeds no other process has the
// name open, and it unlinks both files before it lets the lock go. A process that opened the
// presence file just before the unlink waits for that lock, then finds that the path no longer
// names the file it locked, and opens the name afresh; so every holder of a name always locks
// the same files. A lock file whose marker says abandoned is kept, so that the next owner is
// still told.
//
// Waiting for another process's flock polls with a few milliseconds' sleep; waiting for a thread
// of this process sleeps on the condition variable.
#include "platform/base/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cassert>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/base/Paths.h"
#include "platform/base/Thread.h"

namespace vt {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kOwnedMarker = '1';
constexpr char kFreeMarker = '0';

struct Entry {
  std::string name;
  std::string lockPath, presencePath;
  int lockFd = -1;      // flock()ed while a thread of this process owns the mutex
  int presenceFd = -1;  // shared lock held while the entry is registered
  int handles = 0;      // open NamedMutex objects of this process
  uint64_t owner = 0;   // thread that owns (or is taking the file lock for) the mutex
  uint32_t count = 0;   // ownership levels; 0 while the owner still waits for the file lock
  std::condition_variable released;

  void CloseFiles() {
    if (lockFd >= 0) ::close(lockFd);
    if (presenceFd >= 0) ::close(presenceFd);
    lockFd = presenceFd = -1;
  }
};

void RemoveFilesIfLastHolder(const Entry& entry);

struct Registry {
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<Entry>, std::less<>> entries;
};

// Never destroyed: threads that end during process exit still reach it.
Registry& TheRegistry() {
  static Registry* registry = new Registry;
  return *registry;
}

// Drops the entry from the registry once nothing refers to it (no handle, no owner).
// Called with the registry mutex held.
void ForgetIfUnused(Registry& registry, const std::shared_ptr<Entry>& entry) {
  if (entry->handles > 0 || entry->owner != 0) return;
  auto it = registry.entries.find(entry->name);
  if (it != registry.entries.end() && it->second == entry) registry.entries.erase(it);
  RemoveFilesIfLastHolder(*entry);
  entry->CloseFiles();
}

void WriteMarker(int fd, char marker) {
  ssize_t n;
  do {
    n = ::pwrite(fd, &marker, 1, 0);
  } while (n < 0 && errno == EINTR);
}

// Releases the file lock of an owned entry. Called with the registry mutex held.
void ReleaseFileLock(Entry& entry, bool abandoned) {
  if (!abandoned) WriteMarker(entry.lockFd, kFreeMarker);
  ::flock(entry.lockFd, LOCK_UN);
  entry.owner = 0;
  entry.count = 0;
  entry.released.notify_all();
}

// The mutexes the calling thread owns; when the thread ends they become abandoned.
struct OwnedByThisThread {
  std::vector<std::shared_ptr<Entry>> entries;

  ~OwnedByThisThread() {
    if (entries.empty()) return;
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    const uint64_t me = CurrentThreadId();
    for (const std::shared_ptr<Entry>& entry : entries) {
      if (entry->owner != me || entry->count == 0) continue;
      ReleaseFileLock(*entry, /*abandoned=*/true);
      ForgetIfUnused(registry, entry);
    }
    entries.clear();
  }

  void Remove(const std::shared_ptr<Entry>& entry) {
    auto it = std::find(entries.begin(), entries.end(), entry);
    if (it != entries.end()) entries.erase(it);
  }
};

thread_local OwnedByThisThread tOwned;

uint64_t HashName(std::string_view name) {
  uint64_t hash = 0xcbf29ce484222325ULL;  // FNV-1a
  for (unsigned char c : name) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

int OpenFile(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool SetPresenceLock(int fd, short type, bool wait) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 1;
  int rc;
  do {
    rc = ::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl);
  } while (rc != 0 && errno == EINTR);
  return rc == 0;
}

// Whether fd is the file that path names now (not unlinked, not replaced).
bool StillNamedBy(int fd, const std::string& path) {
  struct stat open {
  }, named{};
  return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
         open.st_ino == named.st_ino;
}

enum class Joined { Yes, Removed, Failed };

// One attempt at joining the holders of the name through its presence file.
Joined JoinPresence(Entry& entry, bool* existedElsewhere) {
  entry.presenceFd = OpenFile(entry.presencePath);
  if (entry.presenceFd < 0) return Joined::Failed;
  if (SetPresenceLock(entry.presenceFd, F_WRLCK, /*wait=*/false)) {
    *existedElsewhere = false;
  } else if (errno == EAGAIN || errno == EACCES) {
    *existedElsewhere = true;
  } else {
    return Joined::Failed;
  }
  // Waits while a last holder elsewhere removes the files; its exclusive lock keeps this one out.
  if (!SetPresenceLock(entry.presenceFd, F_RDLCK, /*wait=*/true)) return Joined::Failed;
  return StillNamedBy(entry.presenceFd, entry.presencePath) ? Joined::Yes : Joined::Removed;
}

// Opens the name's files and joins the holders of the name. Called with the registry mutex
// held, so threads of this process open a name one at a time. The lock file is opened only
// once the presence lock is held, so no last holder can remove it in between.
bool OpenEntryFiles(Entry& entry, bool* existedElsewhere) {
  std::string dir;
  if (!UserRuntimeFolder(&dir)) return false;
  char base[40];
  std::snprintf(base, sizeof base, "/mutex-%016llx", static_cast<unsigned long long>(HashName(entry.name)));
  entry.lockPath = dir + base + ".lock";
  entry.presencePath = dir + base + ".open";
  // Each retry follows a removal that another process completed, so the loop ends; the bound
  // only guards against a file system that never reports the same file twice.
  for (int attempt = 0; attempt < 10000; ++attempt) {
    const Joined joined = JoinPresence(entry, existedElsewhere);
    if (joined == Joined::Yes) {
      entry.lockFd = OpenFile(entry.lockPath);
      if (entry.lockFd >= 0) return true;
    }
    entry.CloseFiles();
    if (joined != Joined::Removed) return false;
  }
  return false;
}

// Called by the last handle of this process, with the registry mutex held and no thread of
// this process owning the mutex. When no other process holds the name, both files go.
void RemoveFilesIfLastHolder(const Entry& entry) {
  if (entry.presenceFd < 0 || entry.lockFd < 0) return;
  if (!SetPresenceLock(entry.presenceFd, F_WRLCK, /*wait=*/false)) return;
  // Nobody else holds the name: the marker is stable, and a joiner now waits for this lock.
  char marker = 0;
  ssize_t n;
  do {
    n = ::pread(entry.lockFd, &marker, 1, 0);
  } while (n < 0 && errno == EINTR);
  const bool abandoned = n == 1 && marker == kOwnedMarker;
  if (!abandoned && StillNamedBy(entry.lockFd, entry.lockPath)) ::unlink(entry.lockPath.c_str());
  if (StillNamedBy(entry.presenceFd, entry.presencePath)) ::unlink(entry.presencePath.c_str());
}

// Tries for the lock file until the deadline. True when taken; *failed tells an error apart
// from a time-out.
bool TakeFileLock(int fd, uint32_t timeoutMs, Clock::time_point deadline, bool* failed) {
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) {
      *failed = true;
      return false;
    }
    Clock::duration sleep = pause;
    if (timeoutMs != kInfiniteTimeout) {
      auto now = Clock::now();
      if (now >= deadline) return false;
      sleep = std::min<Clock::duration>(pause, deadline - now);
    }
    std::this_thread::sleep_for(sleep);
    pause = std::min(pause * 2, std::chrono::milliseconds(4));
  }
}

}  // namespace

struct NamedMutex::Impl {
  std::string name;
  std::shared_ptr<Entry> entry;
};

NamedMutex::NamedMutex() : impl_(std::make_unique<Impl>()) {}

NamedMutex::~NamedMutex() { Close(); }

bool NamedMutex::Create(std::string_view name, bool* alreadyExisted) {
  Close();
  if (alreadyExisted) *alreadyExisted = false;
  if (name.empty()) return false;
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  std::shared_ptr<Entry> entry;
  bool existed = true;
  if (auto it = registry.entries.find(name); it != registry.entries.end()) {
    entry = it->second;
  } else {
    entry = std::make_shared<Entry>();
    entry->name = std::string(name);
    if (!OpenEntryFiles(*entry, &existed)) return false;
    registry.entries.emplace(entry->name, entry);
  }
  ++entry->handles;
  impl_->name = entry->name;
  impl_->entry = std::move(entry);
  if (alreadyExisted) *alreadyExisted = existed;
  return true;
}

NamedMutex::WaitResult NamedMutex::Lock(uint32_t timeoutMs) {
  std::shared_ptr<Entry> entry = impl_->entry;
  if (!entry) return WaitResult::Failed;
  const uint64_t me = CurrentThreadId();
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  Registry& registry = TheRegistry();

  std::unique_lock lock(registry.mutex);
  if (entry->owner == me) {
    assert(entry->count > 0);
    if (entry->count == UINT32_MAX) return WaitResult::Failed;
    ++entry->count;
    return WaitResult::Acquired;
  }
  while (entry->owner != 0) {
    if (timeoutMs == kInfiniteTimeout) {
      entry->released.wait(lock);
    } else if (entry->released.wait_until(lock, deadline) == std::cv_status::timeout && entry->owner != 0) {
      return WaitResult::Timeout;
    }
  }
  // This thread now stands first in the process; other threads wait on the entry while it
  // takes the file lock from whichever process holds it.
  entry->owner = me;
  entry->count = 0;
  lock.unlock();

  bool failed = false;
  bool taken = TakeFileLock(entry->lockFd, timeoutMs, deadline, &failed);
  bool abandoned = false;
  if (taken) {
    char marker = 0;
    ssize_t n;
    do {
      n = ::pread(entry->lockFd, &marker, 1, 0);
    } while (n < 0 && errno == EINTR);
    abandoned = n == 1 && marker == kOwnedMarker;
    WriteMarker(entry->lockFd, kOwnedMarker);
  }

  lock.lock();
  if (!taken) {
    entry->owner = 0;
    entry->released.notify_all();
    ForgetIfUnused(registry, entry);
    return failed ? WaitResult::Failed : WaitResult::Timeout;
  }
  entry->count = 1;
  tOwned.entries.push_back(entry);
  return abandoned ? WaitResult::Abandoned : WaitResult::Acquired;
}

bool NamedMutex::Unlock() {
  std::shared_ptr<Entry> entry = impl_->entry;
  if (!entry) return false;
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  if (entry->owner != CurrentThreadId() || entry->count == 0) return false;
  if (--entry->count > 0) return true;
  ReleaseFileLock(*entry, /*abandoned=*/false);
  tOwned.Remove(entry);
  ForgetIfUnused(registry, entry);
  return true;
}

void NamedMutex::Close() {
  std::shared_ptr<Entry> entry = std::move(impl_->entry);
  impl_->entry.reset();
  impl_->name.clear();
  if (!entry) return;
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  assert(entry->handles > 0);
  --entry->handles;
  ForgetIfUnused(registry, entry);
}

bool NamedMutex::IsOpen() const { return impl_->entry != nullptr; }

const std::string& NamedMutex::Name() const { return impl_->name; }

}  // namespace vt

// Cancellable, flushed copies and flushing (see FileDurability.h).
#include "platform/base/FileDurability.h"
#include "platform/base/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "platform/base/Paths.h"

namespace vt {

namespace {

struct Descriptor {
  int fd = -1;
  explicit Descriptor(int f) : fd(f) {}
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
};

bool SyncPath(const std::string& path, int flags) {
  Descriptor d(::open(path.c_str(), flags | O_CLOEXEC));
  return d.fd >= 0 && ::fsync(d.fd) == 0;
}

}  // namespace

CancellableCopyOutcome CopyFileCancellable(const std::string& from, const std::string& to,
                                           const std::atomic<int32_t>& cancel) {
  if (cancel.load() != 0) return CancellableCopyOutcome::Cancelled;
  Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.fd < 0) return CancellableCopyOutcome::Failed;
  struct stat st;
  if (::fstat(in.fd, &st) != 0 || S_ISDIR(st.st_mode)) return CancellableCopyOutcome::Failed;
  Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (out.fd < 0)
    return errno == EEXIST ? CancellableCopyOutcome::TargetExists : CancellableCopyOutcome::Failed;

  CancellableCopyOutcome outcome = CancellableCopyOutcome::Ok;
  char buffer[1 << 16];
  for (;;) {
    if (cancel.load() != 0) {
      outcome = CancellableCopyOutcome::Cancelled;
      break;
    }
    ssize_t n = ::read(in.fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || (n > 0 && !vt::WriteAllBytes(out.fd, buffer, std::size_t(n)))) {
      outcome = CancellableCopyOutcome::Failed;
      break;
    }
    if (n == 0) break;
  }
  if (outcome == CancellableCopyOutcome::Ok &&
      (::fchmod(out.fd, st.st_mode & 07777) != 0 || ::fsync(out.fd) != 0))
    outcome = CancellableCopyOutcome::Failed;
  const int fd = out.fd;
  out.fd = -1;
  if (::close(fd) != 0 && outcome == CancellableCopyOutcome::Ok) outcome = CancellableCopyOutcome::Failed;
  if (outcome != CancellableCopyOutcome::Ok) {
    int saved = errno;
    ::unlink(to.c_str());
    errno = saved;
    return outcome;
  }
  std::string parent(ParentPath(to));
  FlushFolderToDisk(parent.empty() ? "." : parent);
  return CancellableCopyOutcome::Ok;
}

bool FlushFileToDisk(const std::string& path) { return SyncPath(path, O_RDONLY); }

bool FlushFolderToDisk(const std::string& path) { return SyncPath(path, O_RDONLY | O_DIRECTORY); }

bool IsSameFileObject(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool GetFileIdentity(const std::string& path, FileIdentity& identity) {
  identity = {};
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  identity.device = uint64_t(st.st_dev);
  identity.inode = uint64_t(st.st_ino);
  return true;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace vt

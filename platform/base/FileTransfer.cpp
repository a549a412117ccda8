// File operations of the import over Linux (see FileTransfer.h).
#include "platform/base/FileTransfer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace vt {

namespace {

struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  ~Fd() {
    if (fd >= 0) {
      int saved = errno;
      ::close(fd);
      errno = saved;
    }
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

bool IsDiskFullError(int error) { return error == ENOSPC || error == EDQUOT; }

// Copies size bytes: in the kernel where the file systems allow it, else through a buffer.
bool CopyBytes(int in, int out, off_t size) {
  off_t done = 0;
  while (done < size) {
    ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t(size - done), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) break;
    if (n < 0) return false;
    if (n == 0) return true;  // the source shrank meanwhile
    done += n;
  }
  static thread_local char buffer[1 << 17];
  for (;;) {
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    for (ssize_t at = 0; at < n;) {
      ssize_t w = ::write(out, buffer + at, std::size_t(n - at));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return false;
      at += w;
    }
  }
}

}  // namespace

CopyOutcome CopyIntoPlace(const std::string& from, const std::string& temp, const std::string& to,
                          bool readOnly, const std::function<void()>& beforeRename) {
  struct stat target;
  if (::lstat(to.c_str(), &target) == 0) return CopyOutcome::TargetExists;
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.fd < 0) return CopyOutcome::Failed;
  struct stat st;
  if (::fstat(in.fd, &st) != 0) return CopyOutcome::Failed;
  if (!S_ISREG(st.st_mode)) {
    errno = EINVAL;
    return CopyOutcome::Failed;
  }
  ::unlink(temp.c_str());  // left behind by a process that was killed while copying
  bool ok = false;
  int error = 0;
  {
    Fd out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.fd < 0) return IsDiskFullError(errno) ? CopyOutcome::DiskFull : CopyOutcome::Failed;
    mode_t mode = st.st_mode & 07777;
    if (readOnly) mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
    ok = CopyBytes(in.fd, out.fd, st.st_size) && ::fchmod(out.fd, mode) == 0;
    if (!ok) error = errno;
    // Delayed allocation reports a full disk at the latest on close.
    if (::close(std::exchange(out.fd, -1)) != 0 && ok) {
      ok = false;
      error = errno;
    }
  }
  if (ok && beforeRename) beforeRename();
  if (ok && RenameNoReplace(temp, to)) return CopyOutcome::Ok;
  if (ok) error = errno;
  ::unlink(temp.c_str());
  errno = error;
  if (error == EEXIST) return CopyOutcome::TargetExists;
  return IsDiskFullError(error) ? CopyOutcome::DiskFull : CopyOutcome::Failed;
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a hard link fails on an existing name as well.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

LockTest TestFileLocks(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.fd < 0) return LockTest::Failed;
  // Record locks: would a write lock over the whole file conflict with anyone's lock?
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  if (::fcntl(fd.fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK) return LockTest::Locked;
  // Whole-file locks: try to take one exclusively and give it back at once.
  if (::flock(fd.fd, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK ? LockTest::Locked : LockTest::Free;
  ::flock(fd.fd, LOCK_UN);
  return LockTest::Free;
}

}  // namespace vt

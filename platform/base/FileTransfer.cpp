// File operations of the import over Linux (see FileTransfer.h).
#include "platform/base/FileTransfer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vt {

namespace {

// Closes the descriptor, keeping errno of a failure being reported.
void CloseKeepingErrno(int fd) {
  int saved = errno;
  ::close(fd);
  errno = saved;
}

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
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return CopyOutcome::Failed;
  struct stat st;
  const bool statted = ::fstat(in, &st) == 0;
  if (!statted || !S_ISREG(st.st_mode)) {
    if (statted) errno = EINVAL;
    CloseKeepingErrno(in);
    return CopyOutcome::Failed;
  }
  ::unlink(temp.c_str());  // left behind by a process that was killed while copying
  const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) {
    CloseKeepingErrno(in);
    return IsDiskFullError(errno) ? CopyOutcome::DiskFull : CopyOutcome::Failed;
  }
  mode_t mode = st.st_mode & 07777;
  if (readOnly) mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
  bool ok = CopyBytes(in, out, st.st_size) && ::fchmod(out, mode) == 0;
  int error = ok ? 0 : errno;
  CloseKeepingErrno(in);
  // Delayed allocation reports a full disk at the latest on close.
  if (::close(out) != 0 && ok) {
    ok = false;
    error = errno;
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return LockTest::Failed;
  LockTest result = LockTest::Free;
  // Record locks: would a write lock over the whole file conflict with anyone's lock?
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  if (::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK) {
    result = LockTest::Locked;
  } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    // Whole-file locks: one taken exclusively here (and given back at once) means no one has one.
    if (errno == EWOULDBLOCK) result = LockTest::Locked;
  } else {
    ::flock(fd, LOCK_UN);
  }
  ::close(fd);
  return result;
}

}  // namespace vt

// File operations of the import over Linux (see FileTransfer.h).
#include "platform/base/FileTransfer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// Copies size bytes, in the kernel where the file systems allow it, else through a buffer;
// copied receives how many arrived (fewer when the source shrank meanwhile).
bool CopyBytes(int in, int out, off_t size, off_t& copied) {
  off_t done = 0;
  copied = 0;
  bool kernel = true;
  while (done < size && kernel) {
    ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t(size - done), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
      kernel = false;
      break;
    }
    if (n < 0) return false;
    if (n == 0) break;  // the source shrank meanwhile
    done += n;
  }
  if (kernel) {
    copied = done;
    return true;
  }
  static thread_local char buffer[1 << 17];
  while (done < size) {
    const std::size_t want = std::size_t(std::min<off_t>(size - done, off_t(sizeof buffer)));
    ssize_t n = ::pread(in, buffer, want, done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    for (ssize_t at = 0; at < n;) {
      ssize_t w = ::write(out, buffer + at, std::size_t(n - at));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return false;
      at += w;
    }
    done += n;
  }
  copied = done;
  return true;
}

CopyOutcome FailureOf(int error) {
  errno = error;
  if (error == EEXIST) return CopyOutcome::TargetExists;
  return IsDiskFullError(error) ? CopyOutcome::DiskFull : CopyOutcome::Failed;
}

}  // namespace

CopyOutcome CopyToTemporary(const std::string& from, const std::string& temp, FileStamp& opened) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return CopyOutcome::Failed;
  struct stat st;
  const bool statted = ::fstat(in, &st) == 0;
  if (!statted || !S_ISREG(st.st_mode)) {
    if (statted) errno = EINVAL;
    CloseKeepingErrno(in);
    return CopyOutcome::Failed;
  }
  opened.device = uint64_t(st.st_dev);
  opened.inode = uint64_t(st.st_ino);
  opened.size = uint64_t(st.st_size);
  opened.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec);
  ::unlink(temp.c_str());  // left behind by a process that was killed while copying
  const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) {
    CloseKeepingErrno(in);
    return IsDiskFullError(errno) ? CopyOutcome::DiskFull : CopyOutcome::Failed;
  }
  off_t copied = 0;
  bool ok = CopyBytes(in, out, st.st_size, copied) && ::fchmod(out, st.st_mode & 07777) == 0;
  int error = ok ? 0 : errno;
  CloseKeepingErrno(in);
  // Delayed allocation reports a full disk at the latest on close.
  if (::close(out) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && copied == st.st_size) return CopyOutcome::Ok;
  ::unlink(temp.c_str());
  if (ok) return CopyOutcome::SourceChanged;
  return FailureOf(error);
}

CopyOutcome PlaceCopy(const std::string& temp, const std::string& to, bool readOnly) {
  struct stat st;
  bool ok = ::stat(temp.c_str(), &st) == 0;
  if (ok && readOnly)
    ok = ::chmod(temp.c_str(), st.st_mode & 07777 & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  if (ok && RenameNoReplace(temp, to)) return CopyOutcome::Ok;
  const int error = errno;
  ::unlink(temp.c_str());
  return FailureOf(error);
}

CopyOutcome CopyIntoPlace(const std::string& from, const std::string& temp, const std::string& to,
                          bool readOnly, const std::function<void()>& beforeRename) {
  struct stat target;
  if (::lstat(to.c_str(), &target) == 0) return CopyOutcome::TargetExists;
  FileStamp opened;
  CopyOutcome copied = CopyToTemporary(from, temp, opened);
  if (copied != CopyOutcome::Ok) return copied;
  if (beforeRename) beforeRename();
  return PlaceCopy(temp, to, readOnly);
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

// Files and folders over POSIX (see FileSystem.h).
#include "platform/base/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "platform/base/Paths.h"

namespace vt {

namespace {

// Closes a descriptor on every path out, keeping errno of the failure being reported.
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

bool CopyContents(int in, int out) {
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    if (!vt::WriteAllBytes(out, buffer, std::size_t(n))) return false;
  }
}

// Makes the rename of a new entry durable by syncing its folder.
void SyncFolderOf(const std::string& path) {
  std::string parent(ParentPath(path));
  int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

std::string TemporaryNameFor(const std::string& path) {
  std::string parent(ParentPath(path));
  std::string name(FileNamePart(path));
  std::string temp = ".";
  temp.append(name).append(".tmpXXXXXX");
  return JoinPath(parent.empty() ? "." : parent, temp);
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool GetFileInfo(const std::string& path, FileInfo& info) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  info.isFolder = S_ISDIR(st.st_mode);
  info.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  info.size = uint64_t(st.st_size);
  info.modifiedUnix = int64_t(st.st_mtime);
  return true;
}

bool GetFileStamp(const std::string& path, FileStamp& stamp) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  stamp.device = uint64_t(st.st_dev);
  stamp.inode = uint64_t(st.st_ino);
  stamp.size = uint64_t(st.st_size);
  stamp.modifiedNs = int64_t(st.st_mtim.tv_sec) * 1000000000 + int64_t(st.st_mtim.tv_nsec);
  return true;
}

bool SetModifiedTime(const std::string& path, int64_t modifiedNs) {
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = time_t(modifiedNs / 1000000000);
  times[1].tv_nsec = long(modifiedNs % 1000000000);
  if (times[1].tv_nsec < 0) {
    times[1].tv_sec -= 1;
    times[1].tv_nsec += 1000000000;
  }
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

bool GetFileSize(const std::string& path, uint64_t& size) {
  FileInfo info;
  if (!GetFileInfo(path, info)) return false;
  size = info.size;
  return true;
}

bool IsReadOnly(const std::string& path) {
  FileInfo info;
  return GetFileInfo(path, info) && info.readOnly;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  mode_t mode = st.st_mode & 07777;
  if (readOnly) {
    mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  return ::chmod(path.c_str(), mode) == 0;
}

bool CopyFile(const std::string& from, const std::string& to, bool failIfExists) {
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.fd < 0) return false;
  struct stat st;
  if (::fstat(in.fd, &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  struct stat target;
  if (::stat(to.c_str(), &target) == 0) {
    // Opening the target with truncation would empty a source that is the same file.
    if (target.st_dev == st.st_dev && target.st_ino == st.st_ino) {
      errno = failIfExists ? EEXIST : EINVAL;
      return false;
    }
    // Like the old platform: an existing read-only target is not overwritten.
    if (!failIfExists && (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      errno = EACCES;
      return false;
    }
  }
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
  Fd out(::open(to.c_str(), flags, 0666));
  if (out.fd < 0) return false;
  if (!CopyContents(in.fd, out.fd)) return false;
  if (::fchmod(out.fd, st.st_mode & 07777) != 0) return false;
  return ::close(std::exchange(out.fd, -1)) == 0;
}

bool MoveFile(const std::string& from, const std::string& to) {
  if (PathExists(to)) {
    errno = EEXIST;
    return false;
  }
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  if (errno != EXDEV) return false;
  // Another file system: copy durably, then delete the source. A failed copy leaves the source.
  if (FolderExists(from)) {
    errno = EXDEV;
    return false;
  }
  if (!CopyFileAtomic(from, to)) return false;
  if (::unlink(from.c_str()) != 0) {
    int saved = errno;
    ::unlink(to.c_str());
    errno = saved;
    return false;
  }
  return true;
}

bool DeleteFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  if (errno == EEXIST && FolderExists(path)) return true;
  return false;
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) {
    errno = ENOENT;
    return false;
  }
  if (FolderExists(path)) return true;
  std::string parent(ParentPath(path));
  if (!parent.empty() && parent != path && !CreateFolders(parent)) return false;
  return CreateFolder(path);
}

bool RemoveFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool RemoveTree(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISDIR(st.st_mode)) return ::unlink(path.c_str()) == 0;
  std::vector<FolderEntry> entries;
  if (!ListFolder(path, entries)) return false;
  bool ok = true;
  for (const auto& entry : entries) ok = RemoveTree(JoinPath(path, entry.name)) && ok;
  return ok && ::rmdir(path.c_str()) == 0;
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  entries.clear();
  DIR* dir = ::opendir(path.c_str());
  if (!dir) return false;
  while (struct dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    FolderEntry entry;
    entry.name = name;
    if (e->d_type == DT_DIR) {
      entry.isFolder = true;
    } else if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
      entry.isFolder = FolderExists(JoinPath(path, name));
    }
    entries.push_back(std::move(entry));
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return true;
}

bool DiskFreeSpace(const std::string& path, uint64_t& bytes) {
  struct statvfs sv;
  if (::statvfs(path.c_str(), &sv) != 0) return false;
  bytes = uint64_t(sv.f_bavail) * uint64_t(sv.f_frsize);
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& data) {
  Fd in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.fd < 0) return false;
  data.clear();
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(in.fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return true;
    data.append(buffer, std::size_t(n));
  }
}

// Reads up to size bytes, fewer only at the end of the file; -1 on an error.
static ssize_t ReadFully(int fd, char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += std::size_t(n);
  }
  return ssize_t(done);
}

bool SameFileContents(const std::string& a, const std::string& b) {
  Fd first(::open(a.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  Fd second(::open(b.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (first.fd < 0 || second.fd < 0) return false;
  struct stat sa, sb;
  if (::fstat(first.fd, &sa) != 0 || ::fstat(second.fd, &sb) != 0) return false;
  if (!S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode) || sa.st_size != sb.st_size) return false;
  constexpr std::size_t kPiece = 1 << 16;
  std::unique_ptr<char[]> pieces(new (std::nothrow) char[2 * kPiece]);
  if (!pieces) return false;
  char* pa = pieces.get();
  char* pb = pa + kPiece;
  for (;;) {
    const ssize_t na = ReadFully(first.fd, pa, kPiece);
    const ssize_t nb = ReadFully(second.fd, pb, kPiece);
    if (na < 0 || nb < 0 || na != nb) return false;
    if (na == 0) return true;
    if (std::memcmp(pa, pb, std::size_t(na)) != 0) return false;
  }
}

// Writes through `fill` into a temporary file beside `path`, syncs it and renames it over path.
template <typename Fill>
static bool WriteThroughTemporary(const std::string& path, mode_t mode, Fill fill) {
  std::string temp = TemporaryNameFor(path);
  Fd out(::mkstemp(temp.data()));
  if (out.fd < 0) return false;
  bool ok = fill(out.fd) && ::fchmod(out.fd, mode) == 0 && ::fsync(out.fd) == 0;
  ok = (::close(std::exchange(out.fd, -1)) == 0) && ok;
  if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
    SyncFolderOf(path);
    return true;
  }
  int saved = errno;
  ::unlink(temp.c_str());
  errno = saved;
  return false;
}

bool WriteFileAtomic(const std::string& path, std::string_view data) {
  mode_t mode = 0644;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
  return WriteThroughTemporary(path, mode,
                               [&](int fd) { return vt::WriteAllBytes(fd, data.data(), data.size()); });
}

bool CopyFileAtomic(const std::string& from, const std::string& to) {
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.fd < 0) return false;
  struct stat st;
  if (::fstat(in.fd, &st) != 0) return false;
  return WriteThroughTemporary(to, st.st_mode & 07777, [&](int fd) { return CopyContents(in.fd, fd); });
}

bool CreateUniqueFolder(const std::string& parent, std::string_view prefix, std::string& created) {
  std::string pattern = JoinPath(parent, std::string(prefix) + "XXXXXX");
  if (!::mkdtemp(pattern.data())) return false;
  created = pattern;
  return true;
}

bool WriteAllBytes(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

bool NameTaken(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool CreateNewFile(const std::string& path) {
  // O_EXCL with O_CREAT refuses any existing name, a symbolic link too, and never follows one.
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace vt

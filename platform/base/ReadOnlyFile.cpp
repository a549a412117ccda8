// ReadOnlyFile: see ReadOnlyFile.h.
#include "platform/base/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "platform/base/FaultCountdown.h"

namespace vt {

namespace {

FaultCountdown g_failingRead;
std::atomic<uint64_t> g_bytesRead{0};

}  // namespace

ReadOnlyFile::~ReadOnlyFile() { Close(); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept : fd_(other.fd_), size_(other.size_) {
  other.fd_ = -1;
  other.size_ = 0;
}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    size_ = other.size_;
    other.fd_ = -1;
    other.size_ = 0;
  }
  return *this;
}

bool ReadOnlyFile::Open(const std::string& path) {
  Close();
  // Not blocking: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int saved = S_ISREG(st.st_mode) ? errno : EINVAL;
    ::close(fd);
    errno = saved;
    return false;
  }
  fd_ = fd;
  size_ = uint64_t(st.st_size);
  return true;
}

void ReadOnlyFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
}

bool ReadOnlyFile::ReadAt(uint64_t offset, void* buffer, std::size_t n) const {
  if (fd_ < 0) return false;
  if (g_failingRead.Fires()) {
    errno = EIO;
    return false;
  }
  auto* p = static_cast<uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < n) {
    const ssize_t got = ::pread(fd_, p + done, n - done, off_t(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = ENODATA;
      g_bytesRead.fetch_add(done, std::memory_order_relaxed);
      return false;
    }
    done += std::size_t(got);
  }
  g_bytesRead.fetch_add(done, std::memory_order_relaxed);
  return true;
}

void ReadOnlyFileTestHook::FailNthRead(int64_t n) { g_failingRead.Arm(n); }
uint64_t ReadOnlyFileTestHook::BytesRead() { return g_bytesRead.load(); }
void ReadOnlyFileTestHook::ResetBytesRead() { g_bytesRead.store(0); }

}  // namespace vt

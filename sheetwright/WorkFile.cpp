// WorkFile: a buffered read/write work file over a POSIX descriptor (see WorkFile.h).
#include "sheetwright/WorkFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/base/FileSystem.h"

namespace sheetwright {

namespace {

bool WriteFully(int fd, const uint8_t* data, std::size_t size, uint64_t offset) {
  while (size > 0) {
    ssize_t n = ::pwrite(fd, data, size, off_t(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    data += n;
    size -= std::size_t(n);
    offset += uint64_t(n);
  }
  return true;
}

std::atomic<bool> g_mappingAllowed{true};

}  // namespace

void WorkFile::SetMappingAllowedForTesting(bool allowed) { g_mappingAllowed = allowed; }

WorkFile::~WorkFile() {
  Unmap();
  if (fd_ >= 0) ::close(fd_);
}

const uint8_t* WorkFile::MapForReading() {
  Unmap();
  if (!g_mappingAllowed.load(std::memory_order_relaxed)) return nullptr;
  if (!Flush() || flushed_ == 0 || flushed_ > SIZE_MAX) return nullptr;
  void* p = ::mmap(nullptr, std::size_t(flushed_), PROT_READ, MAP_SHARED, fd_, 0);
  if (p == MAP_FAILED) return nullptr;
  ::madvise(p, std::size_t(flushed_), MADV_SEQUENTIAL);
  map_ = p;
  mapLength_ = std::size_t(flushed_);
  return static_cast<const uint8_t*>(p);
}

void WorkFile::Unmap() {
  if (map_) ::munmap(map_, mapLength_);
  map_ = nullptr;
  mapLength_ = 0;
}

bool WorkFile::Create(const std::string& path, std::size_t bufferSize) {
  assert(fd_ < 0);
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  fd_ = fd;
  path_ = path;
  buffer_.assign(bufferSize, 0);
  used_ = 0;
  flushed_ = 0;
  failed_ = false;
  return true;
}

bool WorkFile::Write(const void* data, std::size_t size) {
  if (fd_ < 0 || failed_) return false;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  if (used_ + size > buffer_.size()) {
    if (!Flush()) return false;
    if (size >= buffer_.size()) {
      if (!WriteFully(fd_, bytes, size, flushed_)) {
        failed_ = true;
        return false;
      }
      flushed_ += size;
      return true;
    }
  }
  std::memcpy(buffer_.data() + used_, bytes, size);
  used_ += size;
  return true;
}

bool WorkFile::Flush() {
  if (fd_ < 0 || failed_) return false;
  if (used_ == 0) return true;
  if (!WriteFully(fd_, buffer_.data(), used_, flushed_)) {
    failed_ = true;
    return false;
  }
  flushed_ += used_;
  used_ = 0;
  return true;
}

bool WorkFile::ReadAt(uint64_t offset, void* data, std::size_t size) {
  if (!Flush()) return false;
  if (offset + size > flushed_) return false;
  uint8_t* bytes = static_cast<uint8_t*>(data);
  while (size > 0) {
    ssize_t n = ::pread(fd_, bytes, size, off_t(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    bytes += n;
    size -= std::size_t(n);
    offset += uint64_t(n);
  }
  return true;
}

bool WorkFile::WriteAt(uint64_t offset, const void* data, std::size_t size) {
  if (!Flush()) return false;
  if (offset + size > flushed_) return false;
  if (!WriteFully(fd_, static_cast<const uint8_t*>(data), size, offset)) {
    failed_ = true;
    return false;
  }
  return true;
}

bool WorkFile::Truncate(uint64_t size) {
  if (fd_ < 0 || size > Size()) return false;
  Unmap();
  if (size > flushed_ && !Flush()) return false;
  used_ = 0;
  if (::ftruncate(fd_, off_t(size)) != 0) return false;
  flushed_ = size;
  failed_ = false;
  return true;
}

bool WorkFile::Close() {
  Unmap();
  if (fd_ < 0) return true;
  bool ok = Flush();
  if (::close(fd_) != 0) ok = false;
  fd_ = -1;
  used_ = 0;
  buffer_.clear();
  buffer_.shrink_to_fit();
  return ok;
}

void WorkFile::Discard() {
  Unmap();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  used_ = 0;
  buffer_.clear();
  buffer_.shrink_to_fit();
  if (!path_.empty()) vt::DeleteFile(path_);
  path_.clear();
}

}  // namespace sheetwright

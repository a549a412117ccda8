// WorkFile: one of the library's work files, a binary file created (or truncated) for reading
// and writing, with an append buffer.
//
// Cells arrive one small record at a time, so writes go through a buffer; reads and patches
// at a position flush it first. A failed write sticks: every later write and flush fails too,
// until Truncate cuts the file back to a known good length.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sheetwright {

class WorkFile {
 public:
  WorkFile() = default;
  ~WorkFile();
  WorkFile(const WorkFile&) = delete;
  WorkFile& operator=(const WorkFile&) = delete;

  // Creates or truncates the file at path.
  bool Create(const std::string& path, std::size_t bufferSize = 32 * 1024);
  bool IsOpen() const { return fd_ >= 0; }
  const std::string& Path() const { return path_; }

  // Appends at the end of the file.
  bool Write(const void* data, std::size_t size);
  bool Flush();
  // Reads exactly size bytes at offset (pending writes are flushed first).
  bool ReadAt(uint64_t offset, void* data, std::size_t size);
  // Overwrites bytes that were written before.
  bool WriteAt(uint64_t offset, const void* data, std::size_t size);
  // Cuts the file back to size (at most its current size) and clears a failed write.
  bool Truncate(uint64_t size);
  // Bytes written so far, buffered ones included.
  uint64_t Size() const { return flushed_ + used_; }

  // Maps the bytes written so far for reading (pending writes are flushed first): null when
  // there are none or the file cannot be mapped. The mapping lasts until Unmap, Close or Discard.
  const uint8_t* MapForReading();
  void Unmap();
  // Tests: refuse mappings, so that readers take their other road.
  static void SetMappingAllowedForTesting(bool allowed);

  // Flushes and closes; false when either failed. Closing a closed file succeeds.
  bool Close();
  // Closes (without caring about pending bytes) and deletes the file.
  void Discard();

 private:
  int fd_ = -1;
  std::string path_;
  std::vector<uint8_t> buffer_;
  std::size_t used_ = 0;
  uint64_t flushed_ = 0;
  bool failed_ = false;
  void* map_ = nullptr;
  std::size_t mapLength_ = 0;
};

}  // namespace sheetwright

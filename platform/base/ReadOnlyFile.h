// ReadOnlyFile: one file opened for reading only, the way the recorder readers need it. Open
// does not block (a FIFO or device under a data file's name is refused at once instead of
// waiting for a writer) and accepts regular files only; reads are positioned (no shared file
// position) and either deliver every requested byte or fail.
//
// ReadOnlyFileTestHook lets tests make the Nth read fail (as an I/O error would) and count the
// bytes the program read through every ReadOnlyFile of the process.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vt {

class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  ReadOnlyFile(ReadOnlyFile&& other) noexcept;
  ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;

  // Opens a regular file (closing any file open before); false when it cannot be opened or is
  // not a regular file, and nothing stays open.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  // The size at open.
  uint64_t Size() const { return size_; }
  // Exactly n bytes at offset; false on an error or when the range runs past the end.
  bool ReadAt(uint64_t offset, void* buffer, std::size_t n) const;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
};

// Process-wide test controls of every ReadOnlyFile.
struct ReadOnlyFileTestHook {
  // The nth ReadAt from now fails (1 the next one); 0 turns the failure off.
  static void FailNthRead(int64_t n);
  // Bytes delivered by ReadAt since the last reset, and the reset.
  static uint64_t BytesRead();
  static void ResetBytesRead();
};

}  // namespace vt

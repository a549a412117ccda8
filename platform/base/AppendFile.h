// A file written only at its end: opened (or created) without truncating, each write appended
// in one call, so lines of a log never interleave or overwrite what is there. Closing (or
// destroying) the object releases the file; nothing is flushed to disk explicitly.
#pragma once
#include <string>
#include <string_view>

namespace vt {

class AppendFile {
 public:
  AppendFile() = default;
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Opens or creates the file for appending; false (errno set) on failure. Closes a file
  // opened before.
  bool Open(const std::string& path);
  // Appends the bytes; false when the file is not open or the write failed or was short.
  bool Write(std::string_view bytes);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace vt

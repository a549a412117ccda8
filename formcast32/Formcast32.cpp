// Formcast32: the handle table and the streaming tab-separated writer (layout in Formcast32.h).
//
// Only the current row is held in memory; rows before it are on their way to the file, so a
// table of any size streams through. One library-wide mutex guards the handle table and every
// file, so handles may be used from several threads.
#include "formcast32/Formcast32.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/Numbers.h"

namespace formcast32 {
namespace {

constexpr short kFailed = -1;
constexpr std::size_t kMaxHandles = 32767;

class TableFile {
 public:
  TableFile(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  }
  ~TableFile() {
    if (file_) std::fclose(file_);
  }
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  void Announce(int rows, int columns) {
    rows_ = rows;
    columns_ = columns;
  }

  bool Put(int row, int column, std::string text) {
    if (failed_ || row < 0 || column < 0 || row < currentRow_) return false;
    if (row > currentRow_) {
      FinishRow();
      while (linesDone_ < int64_t(row)) {
        Emit("\r\n");
        ++linesDone_;
      }
      currentRow_ = row;
    }
    for (char& c : text)
      if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    cells_[column] = std::move(text);
    return !failed_;
  }

  // Finishes the file; on failure the incomplete file is removed.
  bool Close() {
    FinishRow();
    bool ok = !failed_ && std::fflush(file_) == 0 && !std::ferror(file_);
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    if (!ok) {
      // Only a file this library made: never a device or anything else at that path.
      struct stat info;
      if (::stat(path_.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path_.c_str());
    }
    return ok;
  }

 private:
  void Emit(std::string_view bytes) {
    if (!failed_ && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
  }

  void FinishRow() {
    if (currentRow_ < 0 || cells_.empty()) return;
    std::string line;
    int column = 0;
    for (const auto& [at, text] : cells_) {
      line.append(std::size_t(at - column), '\t');
      column = at;
      line += text;
    }
    line += "\r\n";
    Emit(line);
    cells_.clear();
    linesDone_ = int64_t(currentRow_) + 1;
  }

  std::FILE* file_;
  std::string path_;
  int rows_ = 0;
  int columns_ = 0;
  int currentRow_ = -1;    // the row whose cells are held in cells_
  int64_t linesDone_ = 0;  // lines already handed to the file
  std::map<int, std::string> cells_;
  bool failed_ = false;
};

std::mutex g_lock;
std::vector<std::unique_ptr<TableFile>> g_files;

TableFile* Find(short handle) {
  if (handle < 0 || std::size_t(handle) >= g_files.size()) return nullptr;
  return g_files[std::size_t(handle)].get();
}

std::string ShortestText(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

short PutCell(short handle, int row, int column, std::string text) {
  std::lock_guard<std::mutex> lock(g_lock);
  TableFile* file = Find(handle);
  return file && file->Put(row, column, std::move(text)) ? 0 : kFailed;
}

}  // namespace
}  // namespace formcast32

using namespace formcast32;

extern "C" {

short FCvtOpen(const char* path, short kind) {
  if (!path || !*path || (kind != 4 && kind != 33 && kind != 3)) return kFailed;
  std::lock_guard<std::mutex> lock(g_lock);
  std::size_t slot = 0;
  while (slot < g_files.size() && g_files[slot]) ++slot;
  if (slot >= kMaxHandles) return kFailed;
  // Never through a symbolic link: the table would land wherever the link points.
  int fd;
  do {
    fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return kFailed;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    ::close(fd);
    return kFailed;
  }
  if (slot == g_files.size()) g_files.emplace_back();
  g_files[slot] = std::make_unique<TableFile>(file, path);
  return short(slot);
}

short FCvtInit(short handle, int, int, int rows, int columns) {
  std::lock_guard<std::mutex> lock(g_lock);
  TableFile* file = Find(handle);
  if (!file) return kFailed;
  file->Announce(rows, columns);
  return 0;
}

short FCvtWriteString(short handle, int row, int column, const char* text) {
  if (!text) return kFailed;
  return PutCell(handle, row, column, text);
}

short FCvtWriteDouble(short handle, int row, int column, double value, short decimals) {
  if (!std::isfinite(value)) return kFailed;
  std::string text = decimals < 0 ? ShortestText(value) : vt::FormatC("%.*f", int(decimals), value);
  return PutCell(handle, row, column, std::move(text));
}

short FCvtWriteExp(short handle, int row, int column, double value, short decimals) {
  if (!std::isfinite(value) || decimals < 0) return kFailed;
  return PutCell(handle, row, column, vt::FormatC("%.*E", int(decimals), value));
}

short FCvtClose(short handle) {
  if (handle == -1) return 0;
  std::lock_guard<std::mutex> lock(g_lock);
  TableFile* file = Find(handle);
  if (!file) return kFailed;
  bool ok = file->Close();
  g_files[std::size_t(handle)].reset();
  return ok ? 0 : kFailed;
}

}  // extern "C"

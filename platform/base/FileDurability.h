// Copies that can be cancelled and end on disk, and flushing of files and folders.
//
// The maintenance of data storages copies whole storage folders (backup and restore) while the
// user may press Cancel: the copy polls a flag between chunks, and a copy that is cancelled or
// fails deletes its partial target, so a file name in the target is either a complete copy or
// absent. A completed copy is flushed to disk (file and folder entry) before it is reported, so
// a backup that says it succeeded survives a power cut.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

namespace vt {

enum class CancellableCopyOutcome {
  Ok,
  TargetExists,  // the target name is taken (nothing written)
  Cancelled,     // the flag was set (the partial target is deleted)
  Failed,        // any other failure (the partial target is deleted); errno tells which
};

// Copies from to a new file to (never replacing), with the source's permission bits, polling
// cancel (non-zero: stop) before each chunk; fsyncs the copy and its folder before Ok.
CancellableCopyOutcome CopyFileCancellable(const std::string& from, const std::string& to,
                                           const std::atomic<int32_t>& cancel);

// Flushes a file's contents to disk (fsync); false when it cannot be opened or synced.
bool FlushFileToDisk(const std::string& path);
// Flushes a folder's entries (created, renamed or deleted names) to disk.
bool FlushFolderToDisk(const std::string& path);

// Whether two paths name the same file object (device and inode); false when either is missing.
bool IsSameFileObject(const std::string& a, const std::string& b);

// The device and inode of a path's file object, which a rename keeps and a replacement changes.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};
// False (and a zero identity) when the path does not exist.
bool GetFileIdentity(const std::string& path, FileIdentity& identity);

// Renames from to to in one step, replacing a file that to names: at every moment to names the
// old file or the new one. Only within one file system.
bool RenameReplacing(const std::string& from, const std::string& to);

}  // namespace vt

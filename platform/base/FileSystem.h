// Files and folders with the behaviour the program relies on.
//
// Every call returns whether it succeeded and leaves errno set on failure. "Read-only" means
// that no write permission bit is set. MoveFile falls back to copy-and-delete across file
// systems. WriteFileAtomic and CopyFileAtomic write to a temporary name in the target folder,
// fsync and rename, so a crash leaves either the old file or the complete new one.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

struct FileInfo {
  bool isFolder = false;
  bool readOnly = false;
  uint64_t size = 0;
  int64_t modifiedUnix = 0;  // seconds since 1970, UTC
};

// Which file a path leads to (device and inode, links followed) and the state of its contents as
// the file system tells it cheaply: size and modification time (nanoseconds since 1970, UTC).
// Two stamps of one path that differ mean the file was replaced or written meanwhile.
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
  bool SameFile(const FileStamp& other) const { return device == other.device && inode == other.inode; }
};

bool PathExists(const std::string& path);
bool FileExists(const std::string& path);  // exists and is not a folder
bool FolderExists(const std::string& path);
bool GetFileInfo(const std::string& path, FileInfo& info);
bool GetFileSize(const std::string& path, uint64_t& size);
bool GetFileStamp(const std::string& path, FileStamp& stamp);
// Sets a file's modification time (nanoseconds since 1970, UTC).
bool SetModifiedTime(const std::string& path, int64_t modifiedNs);

bool IsReadOnly(const std::string& path);
bool SetReadOnly(const std::string& path, bool readOnly);

// Copies contents and permission bits. failIfExists refuses an existing target (errno EEXIST).
bool CopyFile(const std::string& from, const std::string& to, bool failIfExists);
// Renames; across file systems copies, fsyncs and deletes the source. Refuses an existing target.
bool MoveFile(const std::string& from, const std::string& to);
bool DeleteFile(const std::string& path);  // also deletes a read-only file

bool CreateFolder(const std::string& path);   // one level; true if it already is a folder
bool CreateFolders(const std::string& path);  // every missing level
bool RemoveFolder(const std::string& path);   // empty folder only
bool RemoveTree(const std::string& path);     // folder and everything below it

struct FolderEntry {
  std::string name;  // component only
  bool isFolder = false;
};
// The entries of a folder, without "." and "..", sorted by name (byte order).
bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries);

// Bytes available to an unprivileged user on the file system holding path (f_bavail).
bool DiskFreeSpace(const std::string& path, uint64_t& bytes);

bool ReadWholeFile(const std::string& path, std::string& data);
// Whether two files hold the same bytes, read side by side in small pieces: memory stays bounded
// whatever their size. False also when either cannot be read.
bool SameFileContents(const std::string& a, const std::string& b);
// Writes every byte to an open descriptor, retrying interrupted writes; false on any failure.
bool WriteAllBytes(int fd, const char* data, std::size_t size);
bool WriteFileAtomic(const std::string& path, std::string_view data);
bool CopyFileAtomic(const std::string& from, const std::string& to);

// Whether anything at all stands at path, a symbolic link included (also one leading nowhere).
bool NameTaken(const std::string& path);
// Creates a new empty file at path, exclusively and never through a symbolic link; false (errno
// EEXIST) when anything stands at that name already.
bool CreateNewFile(const std::string& path);

// A new empty folder with a unique name below parent ("<parent>/<prefix>XXXXXX").
bool CreateUniqueFolder(const std::string& parent, std::string_view prefix, std::string& created);

}  // namespace vt

// File operations of the import: a copy that never leaves a partial file under its final name,
// a rename that never replaces, and the test whether another program has a file locked.
//
// The copy writes to a temporary name in the target's folder and renames it into place without
// replacing, so a process killed half-way leaves at most the temporary file, never a partial
// file under the final name. Nothing is flushed to disk here: the callers' durability follows
// their index, which is written without flushing too.
#pragma once
#include <functional>
#include <string>

#include "platform/base/FileSystem.h"

namespace vt {

enum class CopyOutcome {
  Ok,
  TargetExists,   // the final name is taken (nothing written)
  DiskFull,       // the file system or the user's quota ran out (nothing left behind)
  Failed,         // any other failure (nothing left behind); errno tells which
  SourceChanged,  // the source ended before the size it had when it was opened (nothing left behind)
};

// The two halves of CopyIntoPlace, for a caller that looks at the copy before it takes its name.
// CopyToTemporary copies from into temp (replacing a stale temporary file) from one open
// descriptor: exactly the bytes the source had when it was opened, whose stamp it stores in
// opened. PlaceCopy gives temp the permission bits mode (less every write bit when readOnly is
// set) and renames it to to without replacing. Both delete temp on every failure.
CopyOutcome CopyToTemporary(const std::string& from, const std::string& temp, FileStamp& opened);
CopyOutcome PlaceCopy(const std::string& temp, const std::string& to, bool readOnly);

// Copies from into the temporary name temp (replacing a stale temporary file), gives it the
// source's permission bits without write permission when readOnly is set, and renames it to to
// without replacing. On every failure the temporary file is deleted again. beforeRename, when
// given, runs once the temporary file is complete (tests stop the process there).
CopyOutcome CopyIntoPlace(const std::string& from, const std::string& temp, const std::string& to,
                          bool readOnly, const std::function<void()>& beforeRename = {});

// Renames from to to; fails (errno EEXIST) when to exists, also when it appears meanwhile.
bool RenameNoReplace(const std::string& from, const std::string& to);

enum class LockTest { Free, Locked, Failed };

// Whether another process holds an advisory lock (flock or fcntl record lock) on the file.
// POSIX has no mandatory sharing: a program that merely holds the file open, for reading or for
// writing, without locking it, is not seen. Failed when the file cannot be opened for reading.
LockTest TestFileLocks(const std::string& path);

}  // namespace vt

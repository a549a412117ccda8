// Writes out everything the system still holds in memory for one file system, so that work
// that was written without flushing (indexes, copies, lists) survives a power loss from here on.
#pragma once
#include <string>

namespace vt {

// Flushes the file system that holds path (a file or folder); false (errno set) when path
// cannot be opened or the flush failed.
bool FlushFileSystem(const std::string& path);

}  // namespace vt

// Flush of one file system (see FlushFileSystem.h): syncfs on a descriptor of the path.
#include "platform/base/FlushFileSystem.h"

#include <fcntl.h>
#include <unistd.h>

namespace vt {

bool FlushFileSystem(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::syncfs(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace vt

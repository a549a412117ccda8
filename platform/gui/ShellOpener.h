// What opens a file with the desktop's program for it (the help manuals): the desktop by
// default; tests install a stub that records the request and opens nothing.
#pragma once
#include <string>

#include "platform/base/WindowHandles.h"

namespace vt {

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // Opens path as the desktop's "open" does; false when nothing could be started.
  virtual bool Open(const std::string& path, WindowHandle owner) = 0;
};

// Installs an opener (null: the desktop again) and returns the previous one (null when it was
// the desktop). The caller keeps ownership and keeps it alive while installed.
ShellOpener* SetShellOpener(ShellOpener* opener);
ShellOpener& CurrentShellOpener();

}  // namespace vt

// The wait cursor for work that blocks the user interface thread (a list fill, a batch of file
// operations): shown for the lifetime of a ScopedWaitCursor, nested scopes stack. Without a
// window system (a command-line tool) it does nothing.
#pragma once

namespace vt {

class ScopedWaitCursor {
 public:
  ScopedWaitCursor();
  ~ScopedWaitCursor();
  ScopedWaitCursor(const ScopedWaitCursor&) = delete;
  ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;

  // How many wait cursors are shown now (for tests).
  static int Depth();

 private:
  bool shown_;
};

}  // namespace vt

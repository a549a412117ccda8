// Loading what the first window needs from the system on a second thread, while the user
// interface thread does work that shows nothing yet (opening the data storage, reading the
// settings): the font list, the faces of the application's font, and the image format plugins
// (the first icon read probes them all). Each is a good part of a cold start; loaded beside other
// work they no longer add to it. Qt's font database and plugin loader are safe to use from any
// thread and keep what they loaded for every thread: a user interface thread that needs them
// before they are complete waits for them inside Qt, and gets the same fonts and images either way.
#pragma once

#include <functional>
#include <memory>

namespace vt {

class GuiWarmUp {
 public:
  // Starts loading; does nothing without a window system (a command-line tool). `alsoAhead`, when
  // given, runs on the same thread once the fonts are loaded: work of the caller's own that needs
  // them and may run off the user interface thread, such as drawing pictures on images.
  explicit GuiWarmUp(std::function<void()> alsoAhead = {});
  // Waits for the loading thread.
  ~GuiWarmUp();
  GuiWarmUp(const GuiWarmUp&) = delete;
  GuiWarmUp& operator=(const GuiWarmUp&) = delete;

  // Waits for the loading thread. Called again, does nothing.
  void Wait();
  // Whether a loading thread was started (for tests).
  bool Started() const { return thread_ != nullptr; }

 private:
  struct Thread;
  std::unique_ptr<Thread> thread_;
};

}  // namespace vt

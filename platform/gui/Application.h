// The program's event loop behind a Qt-free face.
//
// main() makes one Application first (it makes the Qt application object, or adopts the one a
// test already made), then the program's own application object, then starts it. Everything of
// the user interface runs on this loop: posted window messages, calls posted from any thread,
// timers, and an idle hook that runs whenever the loop has nothing left to do. The loop also
// knows the program's main window, so that a second start can bring it to the front.
#pragma once
#include <atomic>
#include <functional>
#include <memory>

#include "platform/base/WindowHandles.h"

namespace vt {

class Application {
 public:
  // Makes the Qt application object (Fusion style) unless one exists, and installs the delivery
  // of posted window messages. argc and argv must outlive the object.
  Application(int& argc, char** argv);
  // Removes the idle hook; deletes the Qt application object when this object made it.
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The one object, or null.
  static Application* Current();

  // Runs the loop until Quit; the code given to Quit.
  int Run();
  // Ends Run with code (from the user-interface thread; a worker posts it).
  static void Quit(int code);
  // Queues fn to run on the user-interface thread after the events already waiting. Any thread;
  // dropped when no loop exists.
  static void PostCall(std::function<void()> fn);
  // fn runs each time the loop has handled what was waiting and is about to sleep; empty
  // removes it. User-interface thread.
  static void SetIdleHook(std::function<void()> fn);

  // The main window's handle; read from any thread (workers post to it).
  void SetMainWindow(WindowHandle window) { mainWindow_.store(window); }
  WindowHandle MainWindow() const { return mainWindow_.load(); }
  // Restores the main window when it is minimised, raises it and asks for activation (a window
  // manager may refuse to move the focus). Nothing without a main window.
  void BringMainWindowToFront();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::atomic<WindowHandle> mainWindow_{0};
};

}  // namespace vt

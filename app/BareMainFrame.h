// The program's main window until the full frame (menus, bars, panes) arrives: a plain
// top-level window with the application title, so that the program visibly starts and ends.
// It has a window handle that takes the private messages (and drops them: their handlers come
// with the full frame), and closing it ends the event loop.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/base/WindowHandles.h"

class CBareMainFrame {
 public:
  // onClose runs when the user closes the window.
  CBareMainFrame(const std::string& title, std::function<void()> onClose);
  ~CBareMainFrame();
  CBareMainFrame(const CBareMainFrame&) = delete;
  CBareMainFrame& operator=(const CBareMainFrame&) = delete;

  vt::WindowHandle GetSafeHwnd() const;
  void ShowWindow();
  bool IsWindowVisible() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

// The "Version information" box: the program's name and version and an OK button.
#pragma once
#include <string>

#include "platform/base/WindowHandles.h"

class CAboutDlg {
 public:
  static constexpr int kTemplateId = 100;
  explicit CAboutDlg(vt::WindowHandle parent) : m_parent(parent) {}
  // Shows the box modally; 1 when it was closed.
  int DoModal();
  // The version line the box shows.
  static std::string VersionText();

 private:
  vt::WindowHandle m_parent;
};

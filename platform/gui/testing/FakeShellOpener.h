// A shell opener for tests: installed for its lifetime, it records every path it is asked to
// open and opens nothing.
#pragma once
#include <string>
#include <vector>

#include "platform/gui/ShellOpener.h"

namespace vt {

class FakeShellOpener : public ShellOpener {
 public:
  FakeShellOpener() : previous_(SetShellOpener(this)) {}
  ~FakeShellOpener() override { SetShellOpener(previous_); }
  FakeShellOpener(const FakeShellOpener&) = delete;
  FakeShellOpener& operator=(const FakeShellOpener&) = delete;
  bool Open(const std::string& path, WindowHandle owner) override {
    (void)owner;
    opened.push_back(path);
    return true;
  }
  std::vector<std::string> opened;

 private:
  ShellOpener* previous_;
};

}  // namespace vt

// A fresh temporary folder per test, removed with everything in it afterwards.
#pragma once
#include <string>

#include "platform/base/FileSystem.h"

namespace vt_test {

class TempFolder {
 public:
  explicit TempFolder(const std::string& parent = "/tmp") {
    if (!vt::CreateUniqueFolder(parent, "vt-test-", path_)) path_.clear();
  }
  ~TempFolder() {
    if (!path_.empty()) vt::RemoveTree(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace vt_test

// A fresh temporary folder per test, removed with everything in it afterwards, with the byte-file
// helpers that tests use to plant and read fixtures; and a fixture whose data root (VANTREL_ROOT)
// is such a folder.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/FileSystem.h"
#include "testing/ScopedEnvironment.h"

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
  // Writes a file of these bytes under the folder; returns its path.
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// The whole file (empty when it cannot be read).
std::string ReadFileBytes(const std::string& path);
// The file's first n bytes (fewer when it is shorter).
std::string ReadHead(const std::string& path, std::size_t n);
// Writes (replaces) a whole file; false when it cannot.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Overwrites bytes at an offset of an existing file.
void PatchBytes(const std::string& path, uint64_t offset, const std::string& bytes);

// A fresh temporary folder, also set as VANTREL_ROOT; removed at the end of the test.
class TempRootTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
  std::string root_;
};

}  // namespace vt_test

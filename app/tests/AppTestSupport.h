// What several application tests share: a temporary data root with a runtime folder of its own
// (the single-instance lock and the storage locks live there), and the operation log read back.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/base/FileSystem.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace vt_test {

class RuntimeRootTest : public TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    ASSERT_TRUE(vt::CreateFolders(root_ + "/run"));
    runtime_ = std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", root_ + "/run");
  }
  void TearDown() override {
    runtime_.reset();
    TempRootTest::TearDown();
  }

 private:
  std::unique_ptr<ScopedEnv> runtime_;
};

// Every line of every file below folder (the operation logs), as one text.
inline std::string ReadLogs(const std::string& folder) {
  std::string all;
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec)) {
    if (!entry.is_regular_file()) continue;
    std::string text;
    vt::ReadWholeFile(entry.path().string(), text);
    all += text;
  }
  return all;
}

}  // namespace vt_test

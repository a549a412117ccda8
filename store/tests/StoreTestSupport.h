// Shared helpers of the store tests: a fresh data root per test, the system sqlite3 shell on
// copies of our databases, and raw file bytes. Child processes and main() come from the
// platform tests' ChildProcess (VT_TEST_CHILD, SpawnChild, WaitChild).
#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/tests/ChildProcess.h"

namespace store_test {

// A fresh temporary folder, also set as VANTREL_ROOT; removed at the end of the test.
class TempRootTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
  std::string root_;
};

// The file's first n bytes (fewer when it is shorter).
std::string ReadHead(const std::string& path, std::size_t n);
// Writes bytes at offset 0 of an existing file.
void PatchHead(const std::string& path, const std::string& bytes);
// A copy of one of our databases with the engine's standard header written back, so that the
// system's sqlite3 shell can read it.
std::string StandardCopy(const std::string& path);
// Runs /usr/bin/sqlite3 on a database with one SQL text; its standard output (stderr dropped).
std::string Shell(const std::string& database, const std::string& sql);

}  // namespace store_test

// Shared helpers of the store tests: the system sqlite3 shell on copies of our databases. The data
// root per test, raw file bytes and child processes come from the test kit.
#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"

namespace store_test {

using vt_test::ReadHead;
using vt_test::TempRootTest;

// Writes bytes at offset 0 of an existing file.
inline void PatchHead(const std::string& path, const std::string& bytes) {
  vt_test::PatchBytes(path, 0, bytes);
}
// A copy of one of our databases with the engine's standard header written back, so that the
// system's sqlite3 shell can read it.
std::string StandardCopy(const std::string& path);
// Runs /usr/bin/sqlite3 on a database with one SQL text; its standard output (stderr dropped).
std::string Shell(const std::string& database, const std::string& sql);

}  // namespace store_test

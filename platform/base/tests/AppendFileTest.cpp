// Append-only files keep what is there and add at the end, also when two objects write to the
// same file; the file-system flush works on files and folders and fails on a missing path.
#include <gtest/gtest.h>

#include "platform/base/AppendFile.h"
#include "platform/base/FlushFileSystem.h"
#include "testing/TempFolder.h"

namespace {

TEST(AppendFile, AddsAtTheEndWithoutTruncating) {
  vt_test::TempFolder folder;
  const std::string path = folder.Write("log.txt", std::string("old\r\n"));
  vt::AppendFile a, b;
  EXPECT_FALSE(a.Write("closed"));
  ASSERT_TRUE(a.Open(path));
  ASSERT_TRUE(b.Open(path));
  EXPECT_TRUE(a.Write("one\r\n"));
  EXPECT_TRUE(b.Write("two\r\n"));
  EXPECT_TRUE(a.Write(""));
  a.Close();
  EXPECT_FALSE(a.IsOpen());
  EXPECT_FALSE(a.Write("after close"));
  EXPECT_EQ(vt_test::ReadFileBytes(path), "old\r\none\r\ntwo\r\n");
  // Created when missing; a missing folder fails.
  ASSERT_TRUE(a.Open(folder / "new.txt"));
  EXPECT_TRUE(a.Write("x"));
  EXPECT_EQ(vt_test::ReadFileBytes(folder / "new.txt"), "x");
  EXPECT_FALSE(a.Open(folder / "missing/new.txt"));
  EXPECT_FALSE(a.IsOpen());
}

TEST(FlushFileSystem, FlushesTheFileSystemOfAnExistingPath) {
  vt_test::TempFolder folder;
  EXPECT_TRUE(vt::FlushFileSystem(folder.path()));
  EXPECT_TRUE(vt::FlushFileSystem(folder.Write("a", std::string("a"))));
  EXPECT_FALSE(vt::FlushFileSystem(folder / "missing"));
}

}  // namespace

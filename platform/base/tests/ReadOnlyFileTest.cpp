// ReadOnlyFile: regular files only, a FIFO refused without waiting, positioned reads that fail
// past the end, and the test hook (failing read, byte count).
#include "platform/base/ReadOnlyFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "testing/TempFolder.h"

namespace {

using vt::ReadOnlyFile;
using vt::ReadOnlyFileTestHook;
using vt_test::TempFolder;

TEST(ReadOnlyFile, ReadsRangesAndRefusesWhatLiesPastTheEnd) {
  TempFolder dir;
  const std::string path = dir.Write("a.DAE", std::string("0123456789"));
  ReadOnlyFile f;
  ASSERT_TRUE(f.Open(path));
  EXPECT_EQ(f.Size(), 10u);
  char b[10] = {};
  ASSERT_TRUE(f.ReadAt(3, b, 4));
  EXPECT_EQ(std::string(b, 4), "3456");
  EXPECT_TRUE(f.ReadAt(10, b, 0));
  EXPECT_FALSE(f.ReadAt(8, b, 3));  // one byte past the end
  EXPECT_FALSE(f.ReadAt(uint64_t(1) << 62, b, 1));
  // A move leaves the source closed; the target reads on.
  ReadOnlyFile g(std::move(f));
  EXPECT_FALSE(f.IsOpen());
  ASSERT_TRUE(g.ReadAt(0, b, 2));
  EXPECT_EQ(std::string(b, 2), "01");
  g.Close();
  EXPECT_FALSE(g.ReadAt(0, b, 1));
}

TEST(ReadOnlyFile, RefusesWhatIsNotARegularFile) {
  TempFolder dir;
  ReadOnlyFile f;
  EXPECT_FALSE(f.Open(dir / "missing.DAE"));
  EXPECT_FALSE(f.Open(dir.path()));
  // A FIFO without a writer: refused at once, not waited on.
  const std::string fifo = dir / "pipe.DAE";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(f.Open(fifo));
  EXPECT_FALSE(f.IsOpen());
  // A failed open closes the file that was open before.
  ASSERT_TRUE(f.Open(dir.Write("a.DEV", std::string("x"))));
  EXPECT_FALSE(f.Open(fifo));
  EXPECT_FALSE(f.IsOpen());
}

TEST(ReadOnlyFile, TestHookFailsTheNthReadAndCountsBytes) {
  TempFolder dir;
  ReadOnlyFile f;
  ASSERT_TRUE(f.Open(dir.Write("a.DAE", std::string(100, 'x'))));
  char b[100];
  ReadOnlyFileTestHook::ResetBytesRead();
  ReadOnlyFileTestHook::FailNthRead(3);
  EXPECT_TRUE(f.ReadAt(0, b, 10));
  EXPECT_TRUE(f.ReadAt(0, b, 20));
  EXPECT_FALSE(f.ReadAt(0, b, 30));
  EXPECT_TRUE(f.ReadAt(0, b, 40));  // the failure happens once
  EXPECT_EQ(ReadOnlyFileTestHook::BytesRead(), 70u);
  ReadOnlyFileTestHook::FailNthRead(1);
  ReadOnlyFileTestHook::FailNthRead(0);
  EXPECT_TRUE(f.ReadAt(0, b, 1));
  ReadOnlyFileTestHook::ResetBytesRead();
  EXPECT_EQ(ReadOnlyFileTestHook::BytesRead(), 0u);
}

}  // namespace

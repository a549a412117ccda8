// Files and folders: the behaviour that differs from plain POSIX calls.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/base/FileSystem.h"
#include "testing/TempFolder.h"

namespace {

using vt_test::TempFolder;

std::string Read(const std::string& path) {
  std::string data;
  EXPECT_TRUE(vt::ReadWholeFile(path, data)) << path;
  return data;
}

TEST(FileSystem, ReadOnlyIsTheWriteBitsAndDeleteStillWorks) {
  TempFolder dir;
  const std::string f = dir / "a.DAE";
  ASSERT_TRUE(vt::WriteFileAtomic(f, "abc"));
  EXPECT_FALSE(vt::IsReadOnly(f));
  ASSERT_TRUE(vt::SetReadOnly(f, true));
  EXPECT_TRUE(vt::IsReadOnly(f));
  struct stat st;
  ASSERT_EQ(stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  // A copy keeps the read-only state; an existing read-only target is not overwritten.
  ASSERT_TRUE(vt::CopyFile(f, dir / "b.DAE", true));
  EXPECT_TRUE(vt::IsReadOnly(dir / "b.DAE"));
  EXPECT_FALSE(vt::CopyFile(f, dir / "b.DAE", false));
  EXPECT_FALSE(vt::CopyFile(f, dir / "b.DAE", true));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_TRUE(vt::DeleteFile(f));
  EXPECT_FALSE(vt::FileExists(f));
  uint64_t size = 0;
  ASSERT_TRUE(vt::GetFileSize(dir / "b.DAE", size));
  EXPECT_EQ(size, 3u);
}

TEST(FileSystem, CopyOntoItselfLeavesTheFileWhole) {
  TempFolder dir;
  ASSERT_TRUE(vt::WriteFileAtomic(dir / "a", "contents"));
  ASSERT_EQ(symlink((dir / "a").c_str(), (dir / "link").c_str()), 0);
  for (const std::string& to : {dir / "a", dir / "link", dir.path() + "/./a"}) {
    EXPECT_FALSE(vt::CopyFile(dir / "a", to, false)) << to;
    EXPECT_EQ(Read(dir / "a"), "contents");
  }
}

TEST(FileSystem, MoveRefusesAnExistingTargetAndKeepsTheSource) {
  TempFolder dir;
  ASSERT_TRUE(vt::WriteFileAtomic(dir / "a", "1"));
  ASSERT_TRUE(vt::WriteFileAtomic(dir / "b", "2"));
  EXPECT_FALSE(vt::MoveFile(dir / "a", dir / "b"));
  EXPECT_EQ(Read(dir / "a"), "1");
  EXPECT_EQ(Read(dir / "b"), "2");
  ASSERT_TRUE(vt::MoveFile(dir / "a", dir / "c"));
  EXPECT_FALSE(vt::PathExists(dir / "a"));
  EXPECT_EQ(Read(dir / "c"), "1");
}

TEST(FileSystem, MoveAcrossFileSystemsCopiesAndDeletes) {
  TempFolder here(VT_BINARY_ROOT);
  TempFolder there("/dev/shm");
  struct stat a, b;
  if (here.path().empty() || there.path().empty() || stat(here.path().c_str(), &a) != 0 ||
      stat(there.path().c_str(), &b) != 0 || a.st_dev == b.st_dev) {
    GTEST_SKIP() << "no second file system at hand";
  }
  const std::string src = here / "data.DAD";
  std::string payload(200000, 'x');
  payload[12345] = 'y';
  ASSERT_TRUE(vt::WriteFileAtomic(src, payload));
  ASSERT_TRUE(vt::SetReadOnly(src, true));
  ASSERT_TRUE(vt::MoveFile(src, there / "data.DAD"));
  EXPECT_FALSE(vt::PathExists(src));
  EXPECT_EQ(Read(there / "data.DAD"), payload);
  EXPECT_TRUE(vt::IsReadOnly(there / "data.DAD"));
}

TEST(FileSystem, AtomicWriteReplacesWholeAndLeavesNoTemporary) {
  TempFolder dir;
  const std::string f = dir / "VTConfiguration";
  ASSERT_TRUE(vt::WriteFileAtomic(f, "first version"));
  ASSERT_TRUE(vt::WriteFileAtomic(f, "second"));
  EXPECT_EQ(Read(f), "second");
  std::vector<vt::FolderEntry> entries;
  ASSERT_TRUE(vt::ListFolder(dir.path(), entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "VTConfiguration");
  // A target folder that does not exist fails without leaving anything behind.
  EXPECT_FALSE(vt::WriteFileAtomic(dir / "missing/x", "y"));
}

TEST(FileSystem, FoldersAreCreatedListedSortedAndRemoved) {
  TempFolder dir;
  ASSERT_TRUE(vt::CreateFolders(dir / "x/y/z"));
  EXPECT_TRUE(vt::CreateFolder(dir / "x"));  // an existing folder counts as made
  for (const char* name : {"b.DAE", "a.DAD", "C.DEV"}) ASSERT_TRUE(vt::WriteFileAtomic(dir / name, name));
  std::vector<vt::FolderEntry> entries;
  ASSERT_TRUE(vt::ListFolder(dir.path(), entries));
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.name + (e.isFolder ? "/" : ""));
  EXPECT_EQ(names, (std::vector<std::string>{"C.DEV", "a.DAD", "b.DAE", "x/"}));
  EXPECT_FALSE(vt::RemoveFolder(dir / "x"));  // not empty
  EXPECT_TRUE(vt::RemoveTree(dir / "x"));
  EXPECT_FALSE(vt::PathExists(dir / "x"));
  uint64_t free = 0;
  EXPECT_TRUE(vt::DiskFreeSpace(dir.path(), free));
  EXPECT_GT(free, 0u);
  EXPECT_FALSE(vt::ListFolder(dir / "nothing", entries));
}

}  // namespace

TEST(FileSystem, SameFileContentsComparesPieceByPiece) {
  vt_test::TempFolder dir;
  const std::string big(200000, 'x');  // several pieces of the comparison
  std::string lastDiffers = big;
  lastDiffers.back() = 'y';
  ASSERT_TRUE(vt_test::WriteFileBytes(dir / "a", big));
  const struct {
    const char* name;
    std::string bytes;
    bool same;
  } cases[] = {{"same", big, true}, {"last", lastDiffers, false}, {"short", big.substr(1), false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(vt_test::WriteFileBytes(dir / c.name, c.bytes));
    EXPECT_EQ(vt::SameFileContents(dir / "a", dir / c.name), c.same) << c.name;
  }
  EXPECT_FALSE(vt::SameFileContents(dir / "a", dir / "missing"));
  EXPECT_FALSE(vt::SameFileContents(dir / "a", dir.path()));
}

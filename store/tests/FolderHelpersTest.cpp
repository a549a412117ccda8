// Folder and GUID helpers: the 260-character limit, deleting trees with read-only files,
// listing sub-folders beyond the capacity, counting and sizing trees, path components, GUIDs.
#include <gtest/gtest.h>

#include <set>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/FolderHelpers.h"

namespace {

class FolderHelpersTest : public store_test::TempRootTest {
 protected:
  void MakeFile(const std::string& relative, const std::string& content) {
    ASSERT_TRUE(vt::WriteFileAtomic(Path(relative), content));
  }
};

TEST_F(FolderHelpersTest, CreateFolderTreeMakesEveryLevelWithinThePathLimit) {
  EXPECT_FALSE(CreateFolderTree("relative/path"));
  EXPECT_FALSE(CreateFolderTree(""));
  EXPECT_TRUE(CreateFolderTree(Path("a/b/c")));
  EXPECT_TRUE(vt::FolderExists(Path("a/b/c")));
  EXPECT_TRUE(CreateFolderTree(Path("a/b/c/")));  // existing: true, nothing changes

  // 259 characters plus the separator it adds reach 260: refused. One less fits.
  std::string base = Path("long/");
  std::string at259 = base + std::string(259 - base.size(), 'x');
  ASSERT_EQ(at259.size(), 259u);
  EXPECT_FALSE(CreateFolderTree(at259));
  EXPECT_FALSE(vt::PathExists(at259));
  std::string at258 = at259.substr(0, 258);
  EXPECT_TRUE(CreateFolderTree(at258));
  EXPECT_TRUE(vt::FolderExists(at258));
}

TEST_F(FolderHelpersTest, DeleteFolderTreeRemovesReadOnlyFilesAndRefusesWhatItCannotSee) {
  ASSERT_TRUE(CreateFolderTree(Path("tree/FILES/S1/2024/5")));
  MakeFile("tree/FILES/S1/2024/5/A.DAE", "data");
  MakeFile("tree/top.db", "x");
  ASSERT_TRUE(vt::SetReadOnly(Path("tree/FILES/S1/2024/5/A.DAE"), true));
  EXPECT_TRUE(DeleteFolderTree(Path("tree")));
  EXPECT_FALSE(vt::PathExists(Path("tree")));

  EXPECT_FALSE(DeleteFolderTree(Path("tree")));  // missing
  EXPECT_FALSE(DeleteFolderTree(""));
  EXPECT_FALSE(DeleteFolderTree("tree"));  // relative
}

TEST_F(FolderHelpersTest, ListSubfoldersCountsAllAndFillsUpToCapacity) {
  for (const char* name : {"C", "A", "B"}) ASSERT_TRUE(CreateFolderTree(Path(name)));
  MakeFile("file.txt", "not a folder");
  int count = -1;
  EXPECT_TRUE(ListSubfolders(root_, nullptr, 0, count));
  EXPECT_EQ(count, 3);

  std::string two[2];
  EXPECT_TRUE(ListSubfolders(root_ + "//", two, 2, count));
  EXPECT_EQ(count, 3);  // all of them, also beyond the capacity
  EXPECT_EQ(two[0], Path("A"));
  EXPECT_EQ(two[1], Path("B"));
}

TEST_F(FolderHelpersTest, CountsAndSizesWholeTrees) {
  ASSERT_TRUE(CreateFolderTree(Path("s/FILES/X/2024/1")));
  ASSERT_TRUE(CreateFolderTree(Path("s/TRASH/empty")));
  MakeFile("s/FILES/X/2024/1/a", "12345");
  MakeFile("s/FILES/X/2024/1/b", "123");
  MakeFile("s/FILES/top", "1");
  EXPECT_EQ(CountFilesInTree(Path("s")), 3);
  EXPECT_EQ(GetFolderSize(Path("s")), 9u);
  EXPECT_EQ(CountFilesInTree(Path("missing")), 0);
  EXPECT_EQ(GetFolderSize(Path("missing")), 0u);
}

TEST(FolderHelpersPathTest, LastComponentAndTrailingSeparators) {
  const struct {
    const char* path;
    const char* last;
    const char* trimmed;
  } cases[] = {
      {"/data/ABC", "ABC", "/data/ABC"},
      {"/data/ABC//", "ABC", "/data/ABC"},
      {"name", "name", "name"},
      {"/data/\xE6\xB8\xA9/", "\xE6\xB8\xA9", "/data/\xE6\xB8\xA9"},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    std::string last;
    EXPECT_TRUE(GetLastPathComponent(c.path, &last));
    EXPECT_EQ(last, c.last) << c.path;
    std::string trimmed = c.path;
    TrimTrailingBackslashes(trimmed);
    EXPECT_EQ(trimmed, c.trimmed) << c.path;
  }
  EXPECT_FALSE(GetLastPathComponent("/a", nullptr));
}

TEST(FolderHelpersGuidTest, GuidTextsAreUpperCaseAndNew) {
  vt::Guid guid;
  ASSERT_TRUE(vt::Guid::Parse("{0a1b2c3d-4e5f-6a7b-8c9d-0e1f2a3b4c5d}", guid));
  std::string text;
  GuidToString(guid, text);
  EXPECT_EQ(text, "0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D");

  std::set<std::string> seen;
  for (int i = 0; i < 2; ++i) {
    NewGuidString(text);
    EXPECT_EQ(text.size(), 36u);
    EXPECT_EQ(text.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 2u);
}

}  // namespace

// The import list: its table, the status of listed and unlisted paths (quotes included), the
// writers, the status changes keyed by copy path, a list that cannot be opened, and a damaged
// list that is set aside and made anew.
#include <string>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/CVTImportList.h"

namespace {

using store_test::Shell;
using store_test::StandardCopy;

class ImportListTest : public store_test::TempRootTest {
 protected:
  std::string Rows() {
    return Shell(StandardCopy(Path("importlist.db")),
                 "SELECT file_path, copy_path, status FROM import_file ORDER BY 1;");
  }
};

TEST_F(ImportListTest, BooksAndChangesStatuses) {
  CVTImportList list;
  const std::string path = Path("importlist.db");
  EXPECT_EQ(list.GetStatus("/a"), 0);                 // not open
  EXPECT_FALSE(list.InsertFile("/a", "FILES/a", 1));  // not open
  ASSERT_EQ(list.Create(path), 0);
  ASSERT_EQ(list.Create(path), 0);  // exists already
  ASSERT_EQ(list.Open(path), 0);
  EXPECT_EQ(
      Shell(StandardCopy(path), ".schema import_file"),
      "CREATE TABLE import_file (file_path TEXT NOT NULL, copy_path TEXT NOT NULL, status INTEGER NOT NULL, "
      "PRIMARY KEY (file_path));\n");

  EXPECT_TRUE(list.InsertFile("/src/O'Brien.DAE", "FILES/S/2023/11/O'Brien.DAE", 1));
  EXPECT_TRUE(list.InsertFile("/src/B.DAE", "FILES/S/2023/11/O'Brien.DAE", 4));
  EXPECT_TRUE(list.InsertFile("/src/C.DAE", "", 5));
  EXPECT_TRUE(list.InsertFile("/src/C.DAE", "", 7));  // a second row for a key fails quietly
  EXPECT_EQ(list.GetStatus("/src/O'Brien.DAE"), 1);
  EXPECT_EQ(list.GetStatus("/src/C.DAE"), 5);
  EXPECT_EQ(list.GetStatus("/src/c.dae"), 0);
  EXPECT_EQ(list.GetStatus("/src/%"), 0);

  EXPECT_TRUE(list.UpdateFile("/src/C.DAE", "FILES/x", 3));
  EXPECT_EQ(list.GetStatus("/src/C.DAE"), 3);
  // Every row of the stored file changes, the others stay.
  EXPECT_TRUE(list.SetTrashedStatus("FILES/S/2023/11/O'Brien.DAE"));
  EXPECT_EQ(Rows(),
            "/src/B.DAE|FILES/S/2023/11/O'Brien.DAE|10\n"
            "/src/C.DAE|FILES/x|3\n"
            "/src/O'Brien.DAE|FILES/S/2023/11/O'Brien.DAE|10\n");
  EXPECT_TRUE(list.SetRestoredStatus("FILES/S/2023/11/O'Brien.DAE"));
  EXPECT_EQ(list.GetStatus("/src/B.DAE"), 1);
  EXPECT_TRUE(list.SetDeletedStatus("FILES/x"));
  EXPECT_EQ(list.GetStatus("/src/C.DAE"), 2);
}

TEST_F(ImportListTest, UnusableListBooksNothing) {
  CVTImportList list;
  EXPECT_EQ(list.Create(Path("no/such/folder/importlist.db")), 1);
  EXPECT_EQ(list.Open(Path("no/such/folder/importlist.db")), 1);
  EXPECT_EQ(list.GetStatus("/a"), 0);
  EXPECT_FALSE(list.UpdateFile("/a", "", 1));
  EXPECT_FALSE(list.SetTrashedStatus("x"));
}

// A list file that is no list of ours is kept aside under a unique name and made anew; a good
// list is kept with its rows.
TEST_F(ImportListTest, ManagerRecreatesADamagedList) {
  const std::string path = Path("importlist.db");
  struct Case {
    const char* name;
    std::string contents;  // empty: a database of ours without the table
  };
  const Case cases[] = {
      {"foreign bytes", std::string(4096, 'x')},
      {"database without the table", ""},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ++n;
    if (c.contents.empty()) {
      CVTImportList other;
      ASSERT_EQ(other.Create(path), 0);  // then drop the table
      ASSERT_EQ(other.Open(path), 0);
      other.Close();
      auto db = NewRDBConnection(kDbmsSQLite);
      ASSERT_EQ(db->Open(path), RDB_OK);
      ASSERT_EQ(db->Execute("DROP TABLE import_file;"), RDB_OK);
    } else {
      ASSERT_TRUE(vt_test::WriteFileBytes(path, c.contents));
    }
    CVTImportListManager manager;
    ASSERT_EQ(manager.Open(path), 0);
    EXPECT_EQ(manager.GetSetAsidePath(), path + ".damaged-" + std::to_string(n));
    EXPECT_TRUE(vt::FileExists(manager.GetSetAsidePath()));
    ASSERT_NE(manager.GetList(), nullptr);
    EXPECT_TRUE(manager.GetList()->InsertFile("/src/A.DAE", "FILES/A.DAE", 1));
    EXPECT_EQ(manager.GetList()->GetStatus("/src/A.DAE"), 1);
    if (!c.contents.empty()) {
      EXPECT_EQ(vt_test::ReadFileBytes(manager.GetSetAsidePath()), c.contents);
    }
    vt::DeleteFile(path);
  }

  // A good list is opened as it is.
  {
    CVTImportListManager manager;
    ASSERT_EQ(manager.Open(path), 0);
    manager.GetList()->InsertFile("/src/B.DAE", "FILES/B.DAE", 4);
  }
  CVTImportListManager manager;
  ASSERT_EQ(manager.Open(path), 0);
  EXPECT_EQ(manager.GetSetAsidePath(), "");
  EXPECT_EQ(manager.GetList()->GetStatus("/src/B.DAE"), 4);
}

}  // namespace

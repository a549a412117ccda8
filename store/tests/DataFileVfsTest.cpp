// The data-file header: our databases carry it on disk, the engine sees its standard header,
// standard files are refused, and journals and temporary files are left alone.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include <sqlite3.h>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/DataFileVfs.h"
#include "store/RDBSQLiteConnection.h"

using store_test::ReadHead;
using store_test::Shell;
using store_test::StandardCopy;

namespace {

const std::string kOurs(vtstore::kDataFileHeader, 16);
const std::string kStandard(vtstore::kEngineFileHeader, 16);

class DataFileVfsTest : public store_test::TempRootTest {
 protected:
  // A database of ours with n rows in t(x INTEGER, y TEXT).
  std::string MakeDatabase(const std::string& name, int n) {
    std::string path = Path(name);
    CRDBSQLiteConnection db;
    EXPECT_EQ(db.Create(path), RDB_OK);
    EXPECT_EQ(db.Execute("CREATE TABLE t (x INTEGER, y TEXT);"), RDB_OK);
    EXPECT_EQ(db.Execute("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c "
                         "WHERE i < " +
                         std::to_string(n) +
                         ") "
                         "INSERT INTO t SELECT i, printf('row %d', i) FROM c;"),
              RDB_OK);
    return path;
  }

  static int64_t Count(CRDBConnection& db, const std::string& sql) {
    auto s = db.CreateStatement();
    int64_t value = -1;
    if (s && s->Prepare(sql) == RDB_OK && s->Execute() == RDB_OK && s->Fetch() == RDB_ROW)
      s->GetInt64(0, value);
    return value;
  }
};

TEST_F(DataFileVfsTest, OurFilesCarryOurHeaderAndAreSoundWithTheStandardOneWrittenBack) {
  std::string path = MakeDatabase("a.db", 500);
  EXPECT_EQ(ReadHead(path, 16), kOurs);

  std::string copy = StandardCopy(path);
  EXPECT_EQ(Shell(copy, "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(Shell(copy, "SELECT count(*), sum(x) FROM t;"), "500|125250\n");

  // Reopened through our engine, also with memory mapping asked for (which must not bypass
  // the exchange of the header).
  CRDBSQLiteConnection db;
  ASSERT_EQ(db.Open(path), RDB_OK);
  db.Execute("PRAGMA mmap_size = 268435456;");
  EXPECT_EQ(Count(db, "SELECT count(*) FROM t;"), 500);
  EXPECT_EQ(db.Execute("INSERT INTO t VALUES (501, 'more');"), RDB_OK);
  db.Close();
  EXPECT_EQ(ReadHead(path, 16), kOurs);
}

TEST_F(DataFileVfsTest, FilesWithoutOurHeaderAreRefusedAndLeftAlone) {
  // A database made by the system's own shell: the standard header.
  std::string standard = Path("standard.db");
  Shell(standard, "CREATE TABLE t (x); INSERT INTO t VALUES (1);");
  ASSERT_EQ(ReadHead(standard, 16), kStandard);
  std::string text = Path("text.db");
  ASSERT_TRUE(vt::WriteFileAtomic(text, "this is a plain text file, long enough to have a header\n"));

  for (const std::string& path : {standard, text}) {
    SCOPED_TRACE(path);
    std::string before;
    ASSERT_TRUE(vt::ReadWholeFile(path, before));
    CRDBSQLiteConnection db;
    EXPECT_EQ(db.Open(path), RDB_NOT_A_DATABASE);
    EXPECT_EQ(db.CreateStatement(), nullptr);  // left closed
    EXPECT_EQ(db.Execute("SELECT 1;"), RDB_ERROR);
    std::string after;
    ASSERT_TRUE(vt::ReadWholeFile(path, after));
    EXPECT_EQ(after, before);
  }

  // The same shell file with our header written in is one of ours.
  store_test::PatchHead(standard, kOurs);
  CRDBSQLiteConnection db;
  ASSERT_EQ(db.Open(standard), RDB_OK);
  EXPECT_EQ(Count(db, "SELECT x FROM t;"), 1);
}

TEST_F(DataFileVfsTest, AttachedDatabasesCarryOurHeader) {
  std::string main = MakeDatabase("main.db", 10);
  // Made empty first, as the rebuild makes its work file: attaching cannot create a file on a
  // connection opened without the create flag.
  std::string attached = Path("attached.db");
  {
    CRDBSQLiteConnection empty;
    ASSERT_EQ(empty.Create(attached), RDB_OK);
  }
  CRDBSQLiteConnection db;
  ASSERT_EQ(db.Open(main), RDB_OK);
  ASSERT_EQ(db.Execute("ATTACH DATABASE '" + attached + "' AS 'newdb';"), RDB_OK);
  ASSERT_EQ(db.Execute("CREATE TABLE newdb.u AS SELECT * FROM t;"), RDB_OK);
  ASSERT_EQ(db.Execute("DETACH DATABASE 'newdb';"), RDB_OK);
  db.Close();
  EXPECT_EQ(ReadHead(attached, 16), kOurs);
  EXPECT_EQ(Shell(StandardCopy(attached), "SELECT count(*) FROM u;"), "10\n");
}

TEST_F(DataFileVfsTest, LargeSortsThroughTemporaryFilesReturnEveryRow) {
  std::string path = MakeDatabase("sort.db", 20000);
  CRDBSQLiteConnection db;
  ASSERT_EQ(db.Open(path), RDB_OK);
  db.Execute("PRAGMA cache_size = 4; PRAGMA temp_store = FILE;");
  auto s = db.CreateStatement();
  ASSERT_EQ(s->Prepare("SELECT y, x FROM t ORDER BY y DESC;"), RDB_OK);
  ASSERT_EQ(s->Execute(), RDB_OK);
  int rows = 0;
  int64_t sum = 0;
  bool ordered = true;
  std::string previous = "~";
  for (; s->Fetch() == RDB_ROW; ++rows) {
    std::string y;
    int64_t x = 0;
    s->GetText(0, y);
    s->GetInt64(1, x);
    ordered = ordered && y <= previous;
    previous = y;
    sum += x;
  }
  EXPECT_TRUE(ordered);
  EXPECT_EQ(sum, int64_t(20000) * 20001 / 2);
  EXPECT_EQ(rows, 20000);
}

TEST_F(DataFileVfsTest, ReadsAndWritesThatCoverTheHeaderOnlyPartlyAreExchangedToo) {
  std::string path = MakeDatabase("partial.db", 1);
  ASSERT_TRUE(vtstore::InstallDataFileVfs());
  sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  ASSERT_NE(vfs, nullptr);
  EXPECT_STREQ(vfs->zName, "vantrel-data-file");  // the default

  std::vector<std::max_align_t> memory(std::size_t(vfs->szOsFile) / sizeof(std::max_align_t) + 1);
  auto* file = reinterpret_cast<sqlite3_file*>(memory.data());
  sqlite3_filename name = sqlite3_create_filename(path.c_str(), "", "", 0, nullptr);
  int outFlags = 0;
  ASSERT_EQ(vfs->xOpen(vfs, name, file, SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_READWRITE, &outFlags), SQLITE_OK);
  char buffer[16] = {};
  ASSERT_EQ(file->pMethods->xRead(file, buffer, 5, 2), SQLITE_OK);
  EXPECT_EQ(std::string(buffer, 5), kStandard.substr(2, 5));
  ASSERT_EQ(file->pMethods->xRead(file, buffer, 10, 10), SQLITE_OK);
  EXPECT_EQ(std::string(buffer, 6), kStandard.substr(10, 6));

  // A partial write of the engine's bytes lands as ours; other bytes land as they are.
  ASSERT_EQ(file->pMethods->xWrite(file, kStandard.data() + 2, 4, 2), SQLITE_OK);
  EXPECT_EQ(ReadHead(path, 16), kOurs);
  ASSERT_EQ(file->pMethods->xWrite(file, "XY", 2, 0), SQLITE_OK);
  EXPECT_EQ(ReadHead(path, 16), "XY" + kOurs.substr(2));
  ASSERT_EQ(file->pMethods->xRead(file, buffer, 16, 0), SQLITE_OK);
  EXPECT_EQ(std::string(buffer, 16), "XY" + kOurs.substr(2));  // no longer a header of ours
  file->pMethods->xClose(file);
  sqlite3_free_filename(name);
}

// Child: starts a large write transaction on the database with a tiny cache, so that changed
// pages reach the file before the commit, and ends without committing (a crash).
VT_TEST_CHILD(crash_mid_transaction) {
  CRDBSQLiteConnection db;
  if (db.Open(args.at(0)) != RDB_OK) return 2;
  db.Execute("PRAGMA cache_size = 2;");
  if (db.Execute("BEGIN;") != RDB_OK) return 3;
  if (db.Execute("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 3000) "
                 "INSERT INTO t SELECT i, zeroblob(500) FROM c;") != RDB_OK)
    return 4;
  if (db.Execute("UPDATE t SET y = 'changed' WHERE x <= 100;") != RDB_OK) return 5;
  _exit(0);
}

TEST_F(DataFileVfsTest, JournalsKeepTheStandardHeaderAndRollingOneBackRestoresOurs) {
  std::string path = MakeDatabase("crash.db", 100);
  uint64_t sizeBefore = 0;
  ASSERT_TRUE(vt::GetFileSize(path, sizeBefore));

  pid_t child = vt_test::SpawnChild("crash_mid_transaction", {path});
  ASSERT_EQ(vt_test::WaitChild(child), 0);

  // The hot journal holds page 1 as the engine saw it.
  std::string journal;
  ASSERT_TRUE(vt::ReadWholeFile(path + "-journal", journal));
  EXPECT_NE(journal.find(kStandard), std::string::npos);
  EXPECT_EQ(journal.find(kOurs), std::string::npos);
  uint64_t sizeDuring = 0;
  ASSERT_TRUE(vt::GetFileSize(path, sizeDuring));
  EXPECT_GT(sizeDuring, sizeBefore);  // the crash left changed pages in the file

  {
    CRDBSQLiteConnection db;
    ASSERT_EQ(db.Open(path), RDB_OK);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM t;"), 100);
    EXPECT_EQ(Count(db, "SELECT count(*) FROM t WHERE y = 'changed';"), 0);
  }
  EXPECT_FALSE(vt::PathExists(path + "-journal"));
  EXPECT_EQ(ReadHead(path, 16), kOurs);
  EXPECT_EQ(Shell(StandardCopy(path), "PRAGMA integrity_check;"), "ok\n");
}

// Child: on a file of the plain engine (its own file layer, not ours), starts a large write
// transaction with a tiny cache and ends without committing, leaving a hot journal.
VT_TEST_CHILD(crash_mid_standard_transaction) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(args.at(0).c_str(), &db, SQLITE_OPEN_READWRITE, "unix") != SQLITE_OK) return 2;
  if (sqlite3_exec(db,
                   "PRAGMA cache_size = 2; BEGIN; "
                   "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c "
                   "WHERE i < 3000) INSERT INTO t SELECT i, zeroblob(500) FROM c;",
                   nullptr, nullptr, nullptr) != SQLITE_OK)
    return 3;
  _exit(0);
}

TEST_F(DataFileVfsTest, AStandardFileWithAHotJournalStaysStandardAndIsRefused) {
  std::string path = Path("standard.db");
  Shell(path, "CREATE TABLE t (x, y); INSERT INTO t VALUES (1, 'kept');");
  pid_t child = vt_test::SpawnChild("crash_mid_standard_transaction", {path});
  ASSERT_EQ(vt_test::WaitChild(child), 0);
  ASSERT_TRUE(vt::PathExists(path + "-journal"));

  // Opening it rolls the journal back, as any engine would, but leaves the file the plain
  // engine's: it is refused, and the plain engine still reads its committed row.
  CRDBSQLiteConnection db;
  EXPECT_EQ(db.Open(path), RDB_NOT_A_DATABASE);
  EXPECT_EQ(ReadHead(path, 16), kStandard);
  EXPECT_EQ(Shell(path, "PRAGMA integrity_check; SELECT count(*), y FROM t;"), "ok\n1|kept\n");
}

}  // namespace

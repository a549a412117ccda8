// The database wrapper and the query cursor: opening rules, the Execute/Fetch protocol, binds
// and getters with 0-based indexes, result codes, interrupt and busy.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/RDBSQLiteConnection.h"
#include "store/VTTable.h"

namespace {

class RDBWrapperTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    path_ = Path("w.db");
    ASSERT_EQ(db_.Create(path_), RDB_OK);
    ASSERT_EQ(db_.Execute("CREATE TABLE t (k INTEGER PRIMARY KEY, i INTEGER, f REAL, s TEXT, b BLOB);"
                          "INSERT INTO t VALUES (1, 10, 1.5, 'one', x'0102030405');"
                          "INSERT INTO t VALUES (2, NULL, NULL, NULL, NULL);"),
              RDB_OK);
  }
  std::string path_;
  CRDBSQLiteConnection db_;
};

TEST_F(RDBWrapperTest, OpeningRules) {
  std::string before;
  ASSERT_TRUE(vt::ReadWholeFile(path_, before));
  CRDBSQLiteConnection other;
  EXPECT_EQ(other.Create(path_), RDB_FILE_EXISTS);
  std::string after;
  ASSERT_TRUE(vt::ReadWholeFile(path_, after));
  EXPECT_EQ(after, before);

  EXPECT_EQ(other.Open(Path("missing.db")), RDB_CANNOT_OPEN);
  EXPECT_FALSE(vt::PathExists(Path("missing.db")));
  EXPECT_EQ(other.Open(""), RDB_ERROR);
  EXPECT_EQ(other.Create(""), RDB_ERROR);

  // A second open keeps the first handle.
  EXPECT_EQ(db_.Open(Path("other.db")), RDB_ALREADY_OPEN);
  EXPECT_EQ(db_.Execute("INSERT INTO t (k) VALUES (3);"), RDB_OK);

  // Closed: every operation refuses, and the object opens again.
  EXPECT_EQ(db_.Close(), RDB_OK);
  EXPECT_EQ(db_.Close(), RDB_OK);
  EXPECT_EQ(db_.Execute("SELECT 1;"), RDB_ERROR);
  EXPECT_EQ(db_.BeginTransaction(), RDB_ERROR);
  EXPECT_EQ(db_.Commit(), RDB_ERROR);
  EXPECT_EQ(db_.Rollback(), RDB_ERROR);
  EXPECT_EQ(db_.Interrupt(), RDB_ERROR);
  EXPECT_EQ(db_.CreateStatement(), nullptr);
  EXPECT_EQ(db_.GetLastInsertRowId(), 0);
  EXPECT_EQ(db_.GetChanges(), 0);
  EXPECT_EQ(db_.Open(path_), RDB_OK);
  std::string name;
  db_.GetDbmsName(name);
  EXPECT_EQ(name, "SQLite");

  EXPECT_NE(NewRDBConnection("SQLite"), nullptr);
  EXPECT_NE(NewRDBConnection("SQLite3"), nullptr);
  EXPECT_EQ(NewRDBConnection("Oracle"), nullptr);
}

TEST_F(RDBWrapperTest, ExecuteMakesTheFirstStepAndFetchHandsItOut) {
  auto s = db_.CreateStatement();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Fetch(), RDB_ERROR);  // nothing prepared
  ASSERT_EQ(s->Prepare("SELECT k FROM t ORDER BY k;"), RDB_OK);
  EXPECT_EQ(s->Prepare("SELECT 1;"), RDB_ERROR);  // prepared already
  EXPECT_EQ(s->Fetch(), RDB_ERROR);               // not executed
  EXPECT_EQ(s->Execute(), RDB_OK);                // a row is there, still 0
  int k = 0;
  EXPECT_EQ(s->Fetch(), RDB_ROW);
  s->GetInt(0, k);
  EXPECT_EQ(k, 1);
  EXPECT_EQ(s->Fetch(), RDB_ROW);
  s->GetInt(0, k);
  EXPECT_EQ(k, 2);
  EXPECT_EQ(s->Fetch(), RDB_OK);
  EXPECT_EQ(s->Fetch(), RDB_OK);  // an ended query does not start over

  // Reset keeps the statement and its bindings; a query without rows ends at once.
  s->Finalize();
  ASSERT_EQ(s->Prepare("SELECT k FROM t WHERE k > ?;"), RDB_OK);
  ASSERT_EQ(s->BindInt(0, 5), RDB_OK);
  EXPECT_EQ(s->Execute(), RDB_OK);
  EXPECT_EQ(s->Fetch(), RDB_OK);
  EXPECT_EQ(s->Reset(), RDB_OK);
  EXPECT_EQ(s->Fetch(), RDB_ERROR);
  ASSERT_EQ(s->BindInt(0, 1), RDB_OK);
  EXPECT_EQ(s->Execute(), RDB_OK);
  EXPECT_EQ(s->Fetch(), RDB_ROW);

  // A change needs nothing but Execute.
  s->Finalize();
  ASSERT_EQ(s->Prepare("INSERT INTO t (k, s) VALUES (?, ?);"), RDB_OK);
  ASSERT_EQ(s->BindInt64(0, 7), RDB_OK);
  ASSERT_EQ(s->BindText(1, "seven"), RDB_OK);
  EXPECT_EQ(s->Execute(), RDB_OK);
  EXPECT_EQ(db_.GetLastInsertRowId(), 7);
  EXPECT_EQ(db_.GetChanges(), 1);
  EXPECT_EQ(s->Reset(), RDB_OK);
  EXPECT_EQ(s->Execute(), RDB_CONSTRAINT);  // same key again
}

TEST_F(RDBWrapperTest, BindsAndGettersUseZeroBasedIndexes) {
  auto s = db_.CreateStatement();
  ASSERT_EQ(s->Prepare("SELECT i, f, s, b, k FROM t WHERE k = ?;"), RDB_OK);
  ASSERT_EQ(s->BindInt(0, 1), RDB_OK);
  ASSERT_EQ(s->Execute(), RDB_OK);
  ASSERT_EQ(s->Fetch(), RDB_ROW);
  EXPECT_EQ(s->GetColumnCount(), 5);
  std::string name;
  EXPECT_EQ(s->GetColumnName(0, name), RDB_OK);
  EXPECT_EQ(name, "i");
  int i = 0;
  double f = 0;
  std::string text;
  EXPECT_EQ(s->GetInt(0, i), RDB_OK);
  EXPECT_EQ(i, 10);
  EXPECT_EQ(s->GetDouble(1, f), RDB_OK);
  EXPECT_EQ(f, 1.5);
  EXPECT_EQ(s->GetText(2, text), RDB_OK);
  EXPECT_EQ(text, "one");
  const int types[] = {RDB_COLUMN_INTEGER, RDB_COLUMN_FLOAT, RDB_COLUMN_TEXT, RDB_COLUMN_BLOB};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(s->GetColumnType(c), types[c]) << c;

  // A buffer smaller than the blob takes what fits and learns the full length.
  unsigned char buffer[3] = {0, 0, 0};
  int size = 0;
  EXPECT_EQ(s->GetBlob(3, buffer, 3, size), RDB_OK);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(buffer[0], 1);
  EXPECT_EQ(buffer[2], 3);
  size = 0;
  EXPECT_EQ(s->GetBlob(3, nullptr, 0, size), RDB_OK);
  EXPECT_EQ(size, 5);
  EXPECT_EQ(s->GetColumnBytes(3), 5);  // a blob's byte count is its length

  // NULL values: empty text and 0, but no blob.
  s->Reset();
  s->BindInt(0, 2);
  ASSERT_EQ(s->Execute(), RDB_OK);
  ASSERT_EQ(s->Fetch(), RDB_ROW);
  text = "stale";
  i = 99;
  EXPECT_EQ(s->GetText(2, text), RDB_OK);
  EXPECT_EQ(text, "");
  EXPECT_EQ(s->GetInt(0, i), RDB_OK);
  EXPECT_EQ(i, 0);
  EXPECT_EQ(s->GetColumnType(0), RDB_COLUMN_NULL);
  EXPECT_EQ(s->GetBlob(3, buffer, 3, size), RDB_ERROR);

  // A null or empty blob binds nothing: the parameter reads as NULL.
  s->Finalize();
  ASSERT_EQ(s->Prepare("SELECT ? IS NULL, ? IS NULL;"), RDB_OK);
  EXPECT_EQ(s->BindBlob(0, nullptr, 4), RDB_ERROR);
  EXPECT_EQ(s->BindBlob(1, buffer, 0), RDB_ERROR);
  ASSERT_EQ(s->Execute(), RDB_OK);
  ASSERT_EQ(s->Fetch(), RDB_ROW);
  int isNull0 = 0, isNull1 = 0;
  s->GetInt(0, isNull0);
  s->GetInt(1, isNull1);
  EXPECT_EQ(isNull0, 1);
  EXPECT_EQ(isNull1, 1);

  // Text is UTF-8 both ways; the byte count is the value's length as UTF-16.
  s->Finalize();
  const std::string japanese =
      "\xE6\xB8\xA9\xE5\xBA\xA6 \xC2\xB0"
      "C";  // two kanji, blank, degree, C
  ASSERT_EQ(s->Prepare("SELECT ?;"), RDB_OK);
  ASSERT_EQ(s->BindText(0, japanese), RDB_OK);
  ASSERT_EQ(s->Execute(), RDB_OK);
  ASSERT_EQ(s->Fetch(), RDB_ROW);
  EXPECT_EQ(s->GetColumnBytes(0), 10);
  EXPECT_EQ(s->GetText(0, text), RDB_OK);
  EXPECT_EQ(text, japanese);

  // Without a prepared statement.
  s->Finalize();
  EXPECT_EQ(s->GetColumnType(0), RDB_COLUMN_UNKNOWN);
  EXPECT_EQ(s->GetColumnBytes(0), 0);
  EXPECT_EQ(s->GetColumnCount(), 0);
  EXPECT_EQ(s->GetText(0, text), RDB_ERROR);
  EXPECT_EQ(s->BindInt(0, 1), RDB_ERROR);
  EXPECT_EQ(s->Reset(), RDB_ERROR);
  EXPECT_EQ(s->Execute(), RDB_ERROR);
}

TEST_F(RDBWrapperTest, InterruptFromAnotherThreadEndsTheRunningStatement) {
  auto s = db_.CreateStatement();
  ASSERT_EQ(s->Prepare("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                       "SELECT count(*) FROM c;"),
            RDB_OK);
  std::atomic<bool> done{false};
  std::thread interrupter([&] {
    while (!done) {
      db_.Interrupt();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  int rc = s->Execute();
  done = true;
  interrupter.join();
  EXPECT_EQ(rc, RDB_INTERRUPTED);
}

TEST_F(RDBWrapperTest, ABusyDatabaseReportsBusyAfterTheTimeOut) {
  CRDBSQLiteConnection other;
  other.SetBusyTimeout(0);
  ASSERT_EQ(other.Open(path_), RDB_OK);
  ASSERT_EQ(db_.Execute("BEGIN EXCLUSIVE;"), RDB_OK);
  EXPECT_EQ(other.Execute("INSERT INTO t (k) VALUES (50);"), RDB_BUSY);
  CVTTable cursor(other.CreateStatement());
  ASSERT_EQ(cursor.Prepare("INSERT INTO t (k) VALUES (51);"), STORE_OK);
  EXPECT_EQ(cursor.Execute(), STORE_BUSY);

  // With a time-out the second connection waits for the first one's commit.
  other.SetBusyTimeout(5000);
  std::thread committer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    db_.Execute("COMMIT;");
  });
  EXPECT_EQ(other.Execute("INSERT INTO t (k) VALUES (52);"), RDB_OK);
  committer.join();
}

// A finalized statement is kept for the next one of the same text, which sees nothing of the old
// one: no bindings, no half-read query holding the database; the schema changing under it, the
// database closing and reopening, and more texts than are kept all still give right answers.
TEST_F(RDBWrapperTest, KeptStatementsStartAfreshForTheirNextOwner) {
  const std::string byKey = "SELECT s FROM t WHERE k = ?;";
  auto valueOf = [&](int key, std::string* text) -> int {
    auto q = db_.CreateStatement();
    if (q->Prepare(byKey) != RDB_OK) return RDB_ERROR;
    if (key >= 0) q->BindInt(0, key);
    if (q->Execute() != RDB_OK) return RDB_ERROR;
    const int fetched = q->Fetch();
    if (fetched == RDB_ROW) q->GetText(0, *text);
    return fetched;
  };
  std::string text;
  ASSERT_EQ(valueOf(1, &text), RDB_ROW);
  EXPECT_EQ(text, "one");
  EXPECT_EQ(db_.Kept()->Count(), 1u);
  // Unbound, the parameter is NULL again: no row, though the kept statement was bound to 1.
  EXPECT_EQ(valueOf(-1, &text), RDB_OK);
  EXPECT_EQ(db_.Kept()->Count(), 1u) << "the one statement went back and forth";

  // A query left half-read holds the database until finalized; once kept, another connection
  // writes without waiting.
  {
    auto q = db_.CreateStatement();
    ASSERT_EQ(q->Prepare("SELECT k FROM t;"), RDB_OK);
    ASSERT_EQ(q->Execute(), RDB_OK);
    ASSERT_EQ(q->Fetch(), RDB_ROW);
  }
  CRDBSQLiteConnection writer;
  ASSERT_EQ(writer.Open(path_), RDB_OK);
  writer.SetBusyTimeout(0);
  EXPECT_EQ(writer.Execute("INSERT INTO t (k, s) VALUES (3, 'three');"), RDB_OK);
  ASSERT_EQ(valueOf(3, &text), RDB_ROW);
  EXPECT_EQ(text, "three");

  // The table made again with its columns in another order, by the other connection.
  ASSERT_EQ(writer.Execute("DROP TABLE t; CREATE TABLE t (s TEXT, k INTEGER PRIMARY KEY);"
                           "INSERT INTO t VALUES ('again', 1);"),
            RDB_OK);
  ASSERT_EQ(valueOf(1, &text), RDB_ROW);
  EXPECT_EQ(text, "again");
  writer.Close();

  // Closed, nothing is kept; a statement finalized after the close is not kept for the database
  // opened next.
  auto late = db_.CreateStatement();
  ASSERT_EQ(late->Prepare(byKey), RDB_OK);
  ASSERT_EQ(db_.Close(), RDB_OK);
  EXPECT_EQ(db_.Kept()->Count(), 0u);
  ASSERT_EQ(db_.Create(Path("other.db")), RDB_OK);
  ASSERT_EQ(db_.Execute("CREATE TABLE t (k INTEGER PRIMARY KEY, s TEXT); INSERT INTO t VALUES (1, 'other');"),
            RDB_OK);
  late.reset();
  EXPECT_EQ(db_.Kept()->Count(), 0u);
  ASSERT_EQ(valueOf(1, &text), RDB_ROW);
  EXPECT_EQ(text, "other");

  // Many texts: a bounded number is kept, every one answers.
  for (int n = 0; n < 200; ++n) {
    auto q = db_.CreateStatement();
    ASSERT_EQ(q->Prepare("SELECT " + std::to_string(n) + " + k FROM t;"), RDB_OK);
    ASSERT_EQ(q->Execute(), RDB_OK);
    ASSERT_EQ(q->Fetch(), RDB_ROW);
    int value = 0;
    q->GetInt(0, value);
    EXPECT_EQ(value, n + 1);
  }
  EXPECT_LE(db_.Kept()->Count(), 64u);
}

TEST(VTTableTest, TranslatesWrapperResultsIntoStoreResults) {
  const struct {
    int rdb;
    int store;
  } cases[] = {
      {RDB_OK, STORE_OK},
      {RDB_ERROR, STORE_FAILED},
      {RDB_ROW, STORE_ROW},
      {RDB_INTERRUPTED, STORE_INTERRUPTED},
      {RDB_BUSY, STORE_BUSY},
      {RDB_NO_MEMORY, STORE_FAILED},
      {RDB_IO_ERROR, STORE_FAILED},
      {RDB_MISUSE, STORE_MISUSE},
      {8, STORE_FAILED},
      {RDB_CONSTRAINT, STORE_CONSTRAINT},
      {RDB_ALREADY_OPEN, STORE_FAILED},
      {RDB_FILE_EXISTS, STORE_FAILED},
      {RDB_NOT_A_DATABASE, STORE_FAILED},
      {RDB_CANNOT_OPEN, STORE_FAILED},
  };
  for (const auto& c : cases) EXPECT_EQ(CVTTable::ToStoreResult(c.rdb), c.store) << c.rdb;
}

TEST(VTTableTest, ACursorWithoutStatementRefusesEverything) {
  CVTTable cursor(nullptr);
  std::string text;
  int i = 0, size = 0;
  int64_t l = 0;
  double d = 0;
  char buffer[4];
  EXPECT_EQ(cursor.Prepare("SELECT 1;"), STORE_FAILED);
  EXPECT_EQ(cursor.Execute(), STORE_FAILED);
  EXPECT_EQ(cursor.Reset(), STORE_FAILED);
  EXPECT_EQ(cursor.BindBlob(0, buffer, 4), STORE_FAILED);
  EXPECT_EQ(cursor.BindDouble(0, 1.0), STORE_FAILED);
  EXPECT_EQ(cursor.BindInt64(0, 1), STORE_FAILED);
  EXPECT_EQ(cursor.BindText(0, "x"), STORE_FAILED);
  EXPECT_EQ(cursor.BindInt(0, 1), STORE_FAILED);
  EXPECT_EQ(cursor.Fetch(), STORE_FAILED);
  EXPECT_EQ(cursor.GetBlob(0, buffer, 4, size), STORE_FAILED);
  EXPECT_EQ(cursor.GetText(0, text), STORE_FAILED);
  EXPECT_EQ(cursor.GetDouble(0, d), STORE_FAILED);
  EXPECT_EQ(cursor.GetInt64(0, l), STORE_FAILED);
  EXPECT_EQ(cursor.GetInt(0, i), STORE_FAILED);
  EXPECT_EQ(cursor.GetColumnName(0, text), STORE_FAILED);
  EXPECT_EQ(cursor.GetColumnType(0), 0);
  EXPECT_EQ(cursor.GetColumnBytes(0), 0);
  EXPECT_EQ(cursor.GetColumnCount(), 0);
  cursor.Finalize();
}

TEST_F(RDBWrapperTest, CursorReportsRowsAndConstraints) {
  CVTTable cursor(db_.CreateStatement());
  ASSERT_EQ(cursor.Prepare("SELECT k FROM t ORDER BY k;"), STORE_OK);
  ASSERT_EQ(cursor.Execute(), STORE_OK);
  EXPECT_EQ(cursor.Fetch(), STORE_ROW);
  EXPECT_EQ(cursor.Fetch(), STORE_ROW);
  EXPECT_EQ(cursor.Fetch(), STORE_OK);
  cursor.Finalize();
  ASSERT_EQ(cursor.Prepare("INSERT INTO t (k) VALUES (1);"), STORE_OK);
  EXPECT_EQ(cursor.Execute(), STORE_CONSTRAINT);
  cursor.Finalize();
  EXPECT_EQ(cursor.Prepare("SELECT nonsense FROM nowhere;"), STORE_FAILED);
}

}  // namespace

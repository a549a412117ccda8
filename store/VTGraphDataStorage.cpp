// CVTGraphDataStorage: the saved-graph database (see VTGraphDataStorage.h).
#include "store/VTGraphDataStorage.h"

#include <cassert>

#include "store/StoreClock.h"

namespace {

constexpr const char* kCreateStatements[] = {
    "CREATE TABLE graph_table (graph_name TEXT NOT NULL UNIQUE, edit_time INTEGER NOT NULL, graph_data BLOB NOT NULL, graph_id INTEGER PRIMARY KEY AUTOINCREMENT);",
    "CREATE TABLE group_table (graph_id INTEGER, group_name TEXT);",
    "CREATE TABLE tag_table (graph_id INTEGER, tag_name TEXT, channel_no INTEGER NOT NULL, guid TEXT NOT NULL);",
    // The column type is spelt as the databases in use have it.
    "CREATE TABLE message_table (graph_id INTEGER, message_title TEXT, message_comment TEXT, type INTERGER NOT NULL);",
};

// A transaction that rolls back unless committed. One whose BEGIN failed is none: the change
// must not run, as its statements would commit one by one (or join a transaction left open and
// be rolled back or committed with it), so a failure half-way would keep half a graph.
class Transaction {
 public:
  explicit Transaction(CRDBConnection* c) : c_(c), done_(c_->BeginTransaction() != RDB_OK) {}
  ~Transaction() {
    if (!done_) c_->Rollback();
  }
  bool Begun() const { return !done_; }
  bool Commit() {
    assert(!done_);
    done_ = true;
    if (c_->Commit() == RDB_OK) return true;
    c_->Rollback();
    return false;
  }

 private:
  CRDBConnection* c_;
  bool done_;
};

}  // namespace

CVTGraphDataStorage::CVTGraphDataStorage() : dbmsName_(kDbmsSQLite) {}

CVTGraphDataStorage::~CVTGraphDataStorage() { Close(); }

void CVTGraphDataStorage::Close() { connection_.reset(); }

int CVTGraphDataStorage::CreateDatabase(const std::string& path) {
  auto connection = NewRDBConnection(dbmsName_);
  if (!connection) return 1;
  int rc = connection->Create(path);
  if (rc == RDB_FILE_EXISTS) return 0;
  if (rc != RDB_OK) return 1;
  // One transaction for the whole schema: one commit (and its flushes) instead of one per table,
  // and a crash part-way leaves no half-made schema behind.
  const bool begun = connection->BeginTransaction() == RDB_OK;
  for (const char* sql : kCreateStatements) connection->Execute(sql);
  if (begun && connection->Commit() != RDB_OK) connection->Rollback();
  return 0;
}

int CVTGraphDataStorage::OpenDatabase(const std::string& path) {
  connection_ = NewRDBConnection(dbmsName_);
  if (!connection_ || connection_->Open(path) != RDB_OK) {
    connection_.reset();
    return 1;
  }
  auto st = connection_->CreateStatement();
  if (!st || st->Prepare("select count(*) from sqlite_master where name = 'graph_table';") != RDB_OK ||
      st->Execute() != RDB_OK)
    return 1;
  int count = 0;
  if (st->Fetch() == RDB_ROW && st->GetInt(0, count) == RDB_OK && count != 1) return 1;
  return 0;
}

int64_t CVTGraphDataStorage::FindGraphId(const std::string& name) {
  if (!connection_) return -1;
  auto st = connection_->CreateStatement();
  if (!st || st->Prepare("SELECT graph_id FROM graph_table WHERE graph_name = ?;") != RDB_OK ||
      st->BindText(0, name) != RDB_OK || st->Execute() != RDB_OK)
    return -1;
  int64_t id = -1;
  while (st->Fetch() == RDB_ROW) st->GetInt64(0, id);
  return id;
}

int CVTGraphDataStorage::LoadGraph(const std::string& name, GraphConfigurationHolder& holder) {
  std::string blob;
  if (connection_) {
    auto st = connection_->CreateStatement();
    if (st && st->Prepare("SELECT graph_name, graph_data FROM graph_table WHERE graph_name = ?;") == RDB_OK &&
        st->BindText(0, name) == RDB_OK && st->Execute() == RDB_OK) {
      while (st->Fetch() == RDB_ROW) {
        int size = 0;
        if (st->GetBlob(1, nullptr, 0, size) != RDB_OK || size <= 0) continue;
        blob.assign(std::size_t(size), '\0');
        st->GetBlob(1, blob.data(), size, size);
      }
    }
  }
  holder = DeserializeGraphConfiguration(blob);
  return 0;
}

bool CVTGraphDataStorage::InsertGraph(const std::string& name, const GraphConfigurationHolder& holder) {
  if (!connection_ || !holder) return false;
  const std::string blob = SerializeGraphConfiguration(*holder);
  Transaction transaction(connection_.get());
  if (!transaction.Begun()) return false;
  auto st = connection_->CreateStatement();
  if (!st) return false;
  bool ok = st->Prepare("INSERT INTO graph_table VALUES(?,?,?,?);") == RDB_OK &&
            st->BindText(0, name) == RDB_OK && st->BindInt64(1, CurrentTickTime().ticks) == RDB_OK &&
            st->BindBlob(2, blob.data(), int(blob.size())) == RDB_OK && st->Execute() == RDB_OK;
  int64_t id = connection_->GetLastInsertRowId();
  st->Finalize();
  if (!ok || !InsertGroupRows(id, *holder) || !InsertTagRows(id, *holder) || !InsertMessageRows(id, *holder))
    return false;
  return transaction.Commit();
}

bool CVTGraphDataStorage::OverwriteGraph(int64_t id, const GraphConfigurationHolder& holder) {
  if (!connection_ || !holder) return false;
  const std::string blob = SerializeGraphConfiguration(*holder);
  Transaction transaction(connection_.get());
  if (!transaction.Begun()) return false;
  auto st = connection_->CreateStatement();
  if (!st) return false;
  bool ok = st->Prepare("UPDATE graph_table SET graph_data=?, edit_time=? WHERE graph_id=?;") == RDB_OK &&
            st->BindBlob(0, blob.data(), int(blob.size())) == RDB_OK &&
            st->BindInt64(1, CurrentTickTime().ticks) == RDB_OK && st->BindInt64(2, id) == RDB_OK &&
            st->Execute() == RDB_OK;
  st->Finalize();
  if (!ok || !DeleteGroupRows(id) || !DeleteTagRows(id) || !DeleteMessageRows(id) ||
      !InsertGroupRows(id, *holder) || !InsertTagRows(id, *holder) || !InsertMessageRows(id, *holder))
    return false;
  return transaction.Commit();
}

bool CVTGraphDataStorage::DeleteGraph(int64_t id) {
  if (!connection_) return false;
  Transaction transaction(connection_.get());
  if (!transaction.Begun()) return false;
  if (!RunWithId("DELETE FROM graph_table WHERE graph_id=?;", id) || !DeleteGroupRows(id) ||
      !DeleteTagRows(id) || !DeleteMessageRows(id))
    return false;
  return transaction.Commit();
}

bool CVTGraphDataStorage::RenameGraph(int64_t id, const std::string& newName) {
  if (!connection_) return false;
  Transaction transaction(connection_.get());
  if (!transaction.Begun()) return false;
  auto st = connection_->CreateStatement();
  if (!st || st->Prepare("UPDATE graph_table SET graph_name=? WHERE graph_id=?;") != RDB_OK ||
      st->BindText(0, newName) != RDB_OK || st->BindInt64(1, id) != RDB_OK || st->Execute() != RDB_OK)
    return false;
  st->Finalize();
  return transaction.Commit();
}

bool CVTGraphDataStorage::RunWithId(const char* sql, int64_t id) {
  auto st = connection_ ? connection_->CreateStatement() : nullptr;
  return st && st->Prepare(sql) == RDB_OK && st->BindInt64(0, id) == RDB_OK && st->Execute() == RDB_OK;
}

bool CVTGraphDataStorage::InsertGroupRows(int64_t id, const SGraphConfiguration& record) {
  for (const SGraphGroup& g : record.groups) {
    auto st = connection_ ? connection_->CreateStatement() : nullptr;
    if (!st || st->Prepare("INSERT INTO group_table VALUES(?,?);") != RDB_OK ||
        st->BindInt64(0, id) != RDB_OK || st->BindText(1, g.Name()) != RDB_OK || st->Execute() != RDB_OK)
      return false;
  }
  return true;
}

bool CVTGraphDataStorage::InsertTagRows(int64_t id, const SGraphConfiguration& record) {
  for (const SGraphGroup& g : record.groups)
    for (const SGraphTag& t : g.tags) {
      auto st = connection_ ? connection_->CreateStatement() : nullptr;
      if (!st || st->Prepare("INSERT INTO tag_table VALUES(?,?,?,?);") != RDB_OK ||
          st->BindInt64(0, id) != RDB_OK || st->BindText(1, t.TagName()) != RDB_OK ||
          st->BindInt(2, t.ChannelNumber()) != RDB_OK || st->BindText(3, t.BatchGuidText()) != RDB_OK ||
          st->Execute() != RDB_OK)
        return false;
    }
  return true;
}

bool CVTGraphDataStorage::InsertMessageRows(int64_t id, const SGraphConfiguration& record) {
  auto insert = [&](const SGraphMark& m, int type) {
    auto st = connection_ ? connection_->CreateStatement() : nullptr;
    return st && st->Prepare("INSERT INTO message_table VALUES(?,?,?,?);") == RDB_OK &&
           st->BindInt64(0, id) == RDB_OK && st->BindText(1, m.Title()) == RDB_OK &&
           st->BindText(2, m.Comment()) == RDB_OK && st->BindInt(3, type) == RDB_OK &&
           st->Execute() == RDB_OK;
  };
  for (const SGraphMark& m : record.marks)
    if (!insert(m, 0)) return false;
  for (const SGraphGroup& g : record.groups)
    for (const SGraphMark& m : g.marks)
      if (!insert(m, 1)) return false;
  return true;
}

bool CVTGraphDataStorage::DeleteGroupRows(int64_t id) {
  return RunWithId("DELETE FROM group_table WHERE graph_id=?;", id);
}

bool CVTGraphDataStorage::DeleteTagRows(int64_t id) {
  return RunWithId("DELETE FROM tag_table WHERE graph_id=?;", id);
}

bool CVTGraphDataStorage::DeleteMessageRows(int64_t id) {
  return RunWithId("DELETE FROM message_table WHERE graph_id=?;", id);
}

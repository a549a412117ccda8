// The SQLite connection of the database wrapper (see RDBSQLiteConnection.h).
#include "store/RDBSQLiteConnection.h"

#include <sqlite3.h>

#include "platform/base/FileSystem.h"
#include "store/DataFileVfs.h"
#include "store/RDBSQLiteStatement.h"

int MapSQLiteResult(int engineResult) {
  switch (engineResult & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
      return RDB_OK;
    case SQLITE_ROW:
      return RDB_ROW;
    case SQLITE_ABORT:
    case SQLITE_INTERRUPT:
      return RDB_INTERRUPTED;
    case SQLITE_BUSY:
      return RDB_BUSY;
    case SQLITE_NOMEM:
      return RDB_NO_MEMORY;
    case SQLITE_IOERR:
      return RDB_IO_ERROR;
    case SQLITE_MISUSE:
      return RDB_MISUSE;
    case SQLITE_CONSTRAINT:
      return RDB_CONSTRAINT;
    case SQLITE_NOTADB:
      return RDB_NOT_A_DATABASE;
    case SQLITE_CANTOPEN:
      return RDB_CANNOT_OPEN;
    default:
      return RDB_ERROR;
  }
}

std::unique_ptr<CRDBConnection> NewRDBConnection(const std::string& dbmsName) {
  if (dbmsName.rfind(kDbmsSQLite, 0) == 0) return std::make_unique<CRDBSQLiteConnection>();
  return nullptr;
}

CRDBSQLiteConnection::~CRDBSQLiteConnection() { Close(); }

int CRDBSQLiteConnection::Create(const std::string& path) {
  if (path.empty()) return RDB_ERROR;
  if (vt::PathExists(path)) return RDB_FILE_EXISTS;
  return OpenWithFlags(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

int CRDBSQLiteConnection::Open(const std::string& path) { return OpenWithFlags(path, SQLITE_OPEN_READWRITE); }

int CRDBSQLiteConnection::OpenWithFlags(const std::string& path, int flags) {
  if (path.empty()) return RDB_ERROR;
  if (handle_) return RDB_ALREADY_OPEN;
  vtstore::InstallDataFileVfs();
  sqlite3* handle = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(handle);
    return MapSQLiteResult(rc);
  }
  handle_ = handle;
  {
    std::lock_guard<std::mutex> lock(kept_->mutex);
    kept_->handle = handle_;
  }
  sqlite3_busy_timeout(handle_, busyTimeoutMs_);
  // The engine reads the file only when asked; reading the schema makes a file that is no
  // database of ours fail here rather than at the first statement.
  rc = Execute("PRAGMA database_list;");
  if (rc == RDB_OK) rc = Execute("SELECT count(*) FROM sqlite_master;");
  if (rc != RDB_OK) {
    sqlite3_close_v2(handle_);
    handle_ = nullptr;
    return rc;
  }
  Execute(encoding_ == 0 ? "PRAGMA encoding = \"UTF-8\";" : "PRAGMA encoding = \"UTF-16\";");
  return RDB_OK;
}

int CRDBSQLiteConnection::Close() {
  std::unordered_multimap<std::string, sqlite3_stmt*> kept;
  {
    std::lock_guard<std::mutex> lock(kept_->mutex);
    kept_->handle = nullptr;
    kept.swap(kept_->statements);
  }
  for (auto& entry : kept) sqlite3_finalize(entry.second);
  // A statement still prepared keeps the engine connection alive until it is finalized
  // (close_v2), so closing never leaks the connection nor pulls it from under a statement.
  int rc = sqlite3_close_v2(handle_);
  handle_ = nullptr;
  return MapSQLiteResult(rc);
}

int CRDBSQLiteConnection::Execute(const std::string& sql) {
  if (!handle_) return RDB_ERROR;
  char* error = nullptr;
  int rc = sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &error);
  sqlite3_free(error);
  return MapSQLiteResult(rc);
}

int CRDBSQLiteConnection::BeginTransaction() { return handle_ ? Execute("BEGIN;") : RDB_ERROR; }
int CRDBSQLiteConnection::Commit() { return handle_ ? Execute("COMMIT;") : RDB_ERROR; }
int CRDBSQLiteConnection::Rollback() { return handle_ ? Execute("ROLLBACK;") : RDB_ERROR; }

std::unique_ptr<CRDBStatement> CRDBSQLiteConnection::CreateStatement() {
  if (!handle_) return nullptr;
  return std::make_unique<CRDBSQLiteStatement>(this);
}

void CRDBSQLiteConnection::GetDbmsName(std::string& name) { name = kDbmsSQLite; }

int CRDBSQLiteConnection::Interrupt() {
  if (!handle_) return RDB_ERROR;
  sqlite3_interrupt(handle_);
  return RDB_OK;
}

int64_t CRDBSQLiteConnection::GetLastInsertRowId() {
  return handle_ ? sqlite3_last_insert_rowid(handle_) : 0;
}

int CRDBSQLiteConnection::GetChanges() { return handle_ ? sqlite3_changes(handle_) : 0; }

void CRDBSQLiteConnection::SetBusyTimeout(int milliseconds) {
  busyTimeoutMs_ = milliseconds;
  if (handle_) sqlite3_busy_timeout(handle_, milliseconds);
}

sqlite3_stmt* CRDBSQLiteConnection::KeptStatements::Take(const std::string& sql) {
  std::lock_guard<std::mutex> lock(mutex);
  auto it = statements.find(sql);
  if (it == statements.end()) return nullptr;
  sqlite3_stmt* statement = it->second;
  statements.erase(it);
  return statement;
}

void CRDBSQLiteConnection::KeptStatements::Keep(const std::string& sql, sqlite3_stmt* statement) {
  if (!statement) return;
  // Reset ends the statement's reading or writing, as finalizing would; its outcome was the
  // owner's to see.
  sqlite3_reset(statement);
  sqlite3_clear_bindings(statement);
  {
    std::lock_guard<std::mutex> lock(mutex);
    // A statement of a database closed since (or of one opened after it) is not kept.
    if (handle && sqlite3_db_handle(statement) == handle && statements.size() < kMax) {
      statements.emplace(sql, statement);
      return;
    }
  }
  sqlite3_finalize(statement);
}

size_t CRDBSQLiteConnection::KeptStatements::Count() {
  std::lock_guard<std::mutex> lock(mutex);
  return statements.size();
}

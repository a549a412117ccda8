// The SQLite statement of the database wrapper (see RDBSQLiteStatement.h).
//
// Text goes to the engine and comes back as UTF-8, the system's own text, so no conversion is
// needed; GetColumnBytes still reports the value's length as UTF-16, as callers size by it.
#include "store/RDBSQLiteStatement.h"

#include <sqlite3.h>
#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/base/FaultCountdown.h"
#include "store/RDBSQLiteConnection.h"

namespace {

vt::FaultCountdown stepFault;

// One step of the engine, or the failure a test asked for.
int Step(sqlite3_stmt* statement) {
  return stepFault.Fires() ? RDB_IO_ERROR : MapSQLiteResult(sqlite3_step(statement));
}

}  // namespace

void RDBStepTestHook::FailNthStep(int64_t n) { stepFault.Arm(n); }

CRDBSQLiteStatement::CRDBSQLiteStatement(CRDBSQLiteConnection* connection) : connection_(connection) {
  assert(connection_);
}

CRDBSQLiteStatement::~CRDBSQLiteStatement() { Finalize(); }

int CRDBSQLiteStatement::Prepare(const std::string& sql) {
  if (statement_ || !connection_->Handle()) return RDB_ERROR;
  state_ = kNotExecuted;
  kept_ = connection_->Kept();
  statement_ = kept_->Take(sql);
  if (statement_) {
    sql_ = sql;
    return RDB_OK;
  }
  int rc = sqlite3_prepare_v2(connection_->Handle(), sql.data(), int(sql.size()), &statement_, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    return MapSQLiteResult(rc);
  }
  // An empty text (or one of comments only) prepares no statement; Execute then refuses.
  sql_ = sql;
  return RDB_OK;
}

int CRDBSQLiteStatement::Finalize() {
  if (statement_) kept_->Keep(sql_, statement_);
  statement_ = nullptr;
  state_ = kNotExecuted;
  return RDB_OK;
}

int CRDBSQLiteStatement::Execute() {
  if (!statement_) return RDB_ERROR;
  firstStepResult_ = Step(statement_);
  lastStepResult_ = firstStepResult_;
  state_ = kExecuted;
  return firstStepResult_ == RDB_OK || firstStepResult_ == RDB_ROW ? RDB_OK : firstStepResult_;
}

int CRDBSQLiteStatement::Reset() {
  if (!statement_) return RDB_ERROR;
  state_ = kNotExecuted;
  return MapSQLiteResult(sqlite3_reset(statement_));
}

int CRDBSQLiteStatement::BindBlob(int index, const void* data, int size) {
  if (!statement_ || !data || size <= 0) return RDB_ERROR;
  return MapSQLiteResult(sqlite3_bind_blob(statement_, index + 1, data, size, SQLITE_TRANSIENT));
}

int CRDBSQLiteStatement::BindDouble(int index, double value) {
  if (!statement_) return RDB_ERROR;
  return MapSQLiteResult(sqlite3_bind_double(statement_, index + 1, value));
}

int CRDBSQLiteStatement::BindInt64(int index, int64_t value) {
  if (!statement_) return RDB_ERROR;
  return MapSQLiteResult(sqlite3_bind_int64(statement_, index + 1, value));
}

int CRDBSQLiteStatement::BindText(int index, const std::string& text) {
  if (!statement_) return RDB_ERROR;
  return MapSQLiteResult(
      sqlite3_bind_text(statement_, index + 1, text.data(), int(text.size()), SQLITE_TRANSIENT));
}

int CRDBSQLiteStatement::BindInt(int index, int value) {
  if (!statement_) return RDB_ERROR;
  return MapSQLiteResult(sqlite3_bind_int64(statement_, index + 1, sqlite3_int64(value)));
}

int CRDBSQLiteStatement::Fetch() {
  if (!statement_) return RDB_ERROR;
  switch (state_) {
    case kNotExecuted:
      return RDB_ERROR;
    case kExecuted:
      state_ = kFetching;
      return firstStepResult_;
    case kFetching:
      // A query that has ended stays ended until Reset.
      if (lastStepResult_ != RDB_ROW) return lastStepResult_;
      lastStepResult_ = Step(statement_);
      return lastStepResult_;
  }
  return RDB_ERROR;
}

int CRDBSQLiteStatement::GetBlob(int index, void* buffer, int bufferSize, int& size) {
  if (!statement_) return RDB_ERROR;
  const void* value = sqlite3_column_blob(statement_, index);
  if (!value) return RDB_ERROR;
  size = sqlite3_column_bytes(statement_, index);
  if (buffer && bufferSize > 0) std::memcpy(buffer, value, std::size_t(std::min(bufferSize, size)));
  return RDB_OK;
}

int CRDBSQLiteStatement::GetText(int index, std::string& text) {
  if (!statement_) return RDB_ERROR;
  const unsigned char* value = sqlite3_column_text(statement_, index);
  int bytes = sqlite3_column_bytes(statement_, index);
  text.assign(value ? reinterpret_cast<const char*>(value) : "", value ? std::size_t(bytes) : 0);
  return RDB_OK;
}

int CRDBSQLiteStatement::GetDouble(int index, double& value) {
  if (!statement_) return RDB_ERROR;
  value = sqlite3_column_double(statement_, index);
  return RDB_OK;
}

int CRDBSQLiteStatement::GetInt64(int index, int64_t& value) {
  if (!statement_) return RDB_ERROR;
  value = sqlite3_column_int64(statement_, index);
  return RDB_OK;
}

int CRDBSQLiteStatement::GetInt(int index, int& value) {
  if (!statement_) return RDB_ERROR;
  value = sqlite3_column_int(statement_, index);
  return RDB_OK;
}

int CRDBSQLiteStatement::GetColumnName(int index, std::string& name) {
  if (!statement_) return RDB_ERROR;
  const char* value = sqlite3_column_name(statement_, index);
  name = value ? value : "";
  return RDB_OK;
}

int CRDBSQLiteStatement::GetColumnType(int index) {
  if (!statement_) return RDB_COLUMN_UNKNOWN;
  switch (sqlite3_column_type(statement_, index)) {
    case SQLITE_INTEGER:
      return RDB_COLUMN_INTEGER;
    case SQLITE_FLOAT:
      return RDB_COLUMN_FLOAT;
    case SQLITE_TEXT:
      return RDB_COLUMN_TEXT;
    case SQLITE_BLOB:
      return RDB_COLUMN_BLOB;
    case SQLITE_NULL:
      return RDB_COLUMN_NULL;
    default:
      return RDB_COLUMN_UNKNOWN;
  }
}

int CRDBSQLiteStatement::GetColumnBytes(int index) {
  return statement_ ? sqlite3_column_bytes16(statement_, index) : 0;
}

int CRDBSQLiteStatement::GetColumnCount() { return statement_ ? sqlite3_column_count(statement_) : 0; }

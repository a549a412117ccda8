// CVTTable: the query cursor (see VTTable.h).
#include "store/VTTable.h"

CVTTable::CVTTable(std::unique_ptr<CRDBStatement> statement) : statement_(std::move(statement)) {}

CVTTable::~CVTTable() { Finalize(); }

int CVTTable::ToStoreResult(int rdbResult) {
  switch (rdbResult) {
    case RDB_OK:
      return STORE_OK;
    case RDB_ROW:
      return STORE_ROW;
    case RDB_INTERRUPTED:
      return STORE_INTERRUPTED;
    case RDB_BUSY:
      return STORE_BUSY;
    case RDB_MISUSE:
      return STORE_MISUSE;
    case RDB_CONSTRAINT:
      return STORE_CONSTRAINT;
    default:
      return STORE_FAILED;
  }
}

int CVTTable::Prepare(const std::string& sql) {
  return statement_ ? ToStoreResult(statement_->Prepare(sql)) : STORE_FAILED;
}

void CVTTable::Finalize() {
  if (statement_) statement_->Finalize();
}

int CVTTable::Execute() { return statement_ ? ToStoreResult(statement_->Execute()) : STORE_FAILED; }

int CVTTable::Reset() { return statement_ ? ToStoreResult(statement_->Reset()) : STORE_FAILED; }

int CVTTable::BindBlob(int index, const void* data, int size) {
  return statement_ ? ToStoreResult(statement_->BindBlob(index, data, size)) : STORE_FAILED;
}

int CVTTable::BindDouble(int index, double value) {
  return statement_ ? ToStoreResult(statement_->BindDouble(index, value)) : STORE_FAILED;
}

int CVTTable::BindInt64(int index, int64_t value) {
  return statement_ ? ToStoreResult(statement_->BindInt64(index, value)) : STORE_FAILED;
}

int CVTTable::BindText(int index, const std::string& text) {
  return statement_ ? ToStoreResult(statement_->BindText(index, text)) : STORE_FAILED;
}

int CVTTable::BindInt(int index, int value) {
  return statement_ ? ToStoreResult(statement_->BindInt(index, value)) : STORE_FAILED;
}

int CVTTable::Fetch() { return statement_ ? ToStoreResult(statement_->Fetch()) : STORE_FAILED; }

int CVTTable::GetBlob(int index, void* buffer, int bufferSize, int& size) {
  return statement_ ? ToStoreResult(statement_->GetBlob(index, buffer, bufferSize, size)) : STORE_FAILED;
}

int CVTTable::GetText(int index, std::string& text) {
  return statement_ ? ToStoreResult(statement_->GetText(index, text)) : STORE_FAILED;
}

int CVTTable::GetDouble(int index, double& value) {
  return statement_ ? ToStoreResult(statement_->GetDouble(index, value)) : STORE_FAILED;
}

int CVTTable::GetInt64(int index, int64_t& value) {
  return statement_ ? ToStoreResult(statement_->GetInt64(index, value)) : STORE_FAILED;
}

int CVTTable::GetInt(int index, int& value) {
  return statement_ ? ToStoreResult(statement_->GetInt(index, value)) : STORE_FAILED;
}

int CVTTable::GetColumnName(int index, std::string& name) {
  return statement_ ? ToStoreResult(statement_->GetColumnName(index, name)) : STORE_FAILED;
}

int CVTTable::GetColumnType(int index) {
  if (!statement_) return RDB_COLUMN_UNKNOWN;
  int type = statement_->GetColumnType(index);
  return type >= RDB_COLUMN_INTEGER && type <= RDB_COLUMN_NULL ? type : RDB_COLUMN_UNKNOWN;
}

int CVTTable::GetColumnBytes(int index) { return statement_ ? statement_->GetColumnBytes(index) : 0; }

int CVTTable::GetColumnCount() { return statement_ ? statement_->GetColumnCount() : 0; }

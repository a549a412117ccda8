// CVTTable: the query cursor on a storage's index database.
//
// It owns one wrapper statement, forwards every operation to it and reports in STORE_RESULT, so
// that its users see STORE_ROW (19) where the wrapper says RDB_ROW. A cursor whose connection
// could make no statement answers STORE_FAILED to everything that reports a result.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "store/RDBConnection.h"
#include "store/StoreResult.h"

class CVTTable {
 public:
  explicit CVTTable(std::unique_ptr<CRDBStatement> statement);
  virtual ~CVTTable();
  CVTTable(const CVTTable&) = delete;
  CVTTable& operator=(const CVTTable&) = delete;

  virtual int Prepare(const std::string& sql);
  virtual void Finalize();
  virtual int Execute();
  virtual int Reset();
  virtual int BindBlob(int index, const void* data, int size);
  virtual int BindDouble(int index, double value);
  virtual int BindInt64(int index, int64_t value);
  virtual int BindText(int index, const std::string& text);
  virtual int BindInt(int index, int value);
  virtual int Fetch();
  virtual int GetBlob(int index, void* buffer, int bufferSize, int& size);
  virtual int GetText(int index, std::string& text);
  virtual int GetDouble(int index, double& value);
  virtual int GetInt64(int index, int64_t& value);
  virtual int GetInt(int index, int& value);
  virtual int GetColumnName(int index, std::string& name);
  virtual int GetColumnType(int index);
  virtual int GetColumnBytes(int index);
  virtual int GetColumnCount();

  // The wrapper's RDB_RESULT as a STORE_RESULT.
  static int ToStoreResult(int rdbResult);

 private:
  std::unique_ptr<CRDBStatement> statement_;  // may be null
};

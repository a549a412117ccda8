// The SQLite statement of the database wrapper.
//
// The first step belongs to Execute, so that a statement that changes data needs nothing else
// and a query's first row is ready when Fetch is called the first time; Fetch hands out that
// first outcome once and steps on afterwards. Once a query has ended, Fetch keeps reporting its
// end instead of stepping (the engine would silently start the query over).
// RDBStepTestHook lets tests make the nth step fail as an I/O error of the disk would, so that a
// reader of many rows can be shown what a step failing half-way through the rows looks like.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "store/RDBConnection.h"
#include "store/RDBSQLiteConnection.h"

// Process-wide test control of every statement's steps (Execute's first step and Fetch's).
struct RDBStepTestHook {
  // The nth step from now fails with RDB_IO_ERROR (1 the next one); 0 turns the failure off.
  static void FailNthStep(int64_t n);
};

class CRDBSQLiteStatement : public CRDBStatement {
 public:
  explicit CRDBSQLiteStatement(CRDBSQLiteConnection* connection);
  ~CRDBSQLiteStatement() override;
  CRDBSQLiteStatement(const CRDBSQLiteStatement&) = delete;
  CRDBSQLiteStatement& operator=(const CRDBSQLiteStatement&) = delete;

  int Prepare(const std::string& sql) override;
  int Finalize() override;
  int Execute() override;
  int Reset() override;
  int BindBlob(int index, const void* data, int size) override;
  int BindDouble(int index, double value) override;
  int BindInt64(int index, int64_t value) override;
  int BindText(int index, const std::string& text) override;
  int BindInt(int index, int value) override;
  int Fetch() override;
  int GetBlob(int index, void* buffer, int bufferSize, int& size) override;
  int GetText(int index, std::string& text) override;
  int GetDouble(int index, double& value) override;
  int GetInt64(int index, int64_t& value) override;
  int GetInt(int index, int& value) override;
  int GetColumnName(int index, std::string& name) override;
  int GetColumnType(int index) override;
  int GetColumnBytes(int index) override;
  int GetColumnCount() override;

 private:
  enum State { kNotExecuted = 0, kExecuted = 1, kFetching = 2 };

  CRDBSQLiteConnection* connection_;  // not owned
  sqlite3_stmt* statement_ = nullptr;
  std::string sql_;  // the text statement_ was made from
  // Where statement_ goes when finalized (the connection's kept statements; they may outlive it).
  std::shared_ptr<CRDBSQLiteConnection::KeptStatements> kept_;
  State state_ = kNotExecuted;
  int firstStepResult_ = RDB_OK;
  int lastStepResult_ = RDB_OK;
};

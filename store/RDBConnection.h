// The database wrapper's interfaces: one open database (CRDBConnection) and one prepared
// statement of it (CRDBStatement), with their result codes.
//
// Every SQL statement of the system runs through these two interfaces; only their SQLite
// implementation calls the engine. Text crosses them as UTF-8 (the system's text). Parameter and
// column indexes are 0-based. Nothing throws across the interface: every failure is an RDB_RESULT.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

enum RDB_RESULT : int {
  RDB_OK = 0,
  RDB_ERROR = 1,  // any engine code not listed, and the wrapper's own refusals
  RDB_ROW = 2,
  RDB_INTERRUPTED = 3,
  RDB_BUSY = 4,
  RDB_NO_MEMORY = 5,
  RDB_IO_ERROR = 6,
  RDB_MISUSE = 7,
  // 8 is not used.
  RDB_CONSTRAINT = 9,
  RDB_ALREADY_OPEN = 10,
  RDB_FILE_EXISTS = 11,
  RDB_NOT_A_DATABASE = 12,
  RDB_CANNOT_OPEN = 13,
};

enum RDB_COLUMN_TYPE : int {
  RDB_COLUMN_UNKNOWN = 0,  // also: no prepared statement
  RDB_COLUMN_INTEGER = 1,
  // 2 is not used.
  RDB_COLUMN_FLOAT = 3,
  RDB_COLUMN_BLOB = 4,
  RDB_COLUMN_TEXT = 5,
  RDB_COLUMN_NULL = 6,
};

// One prepared statement. The calling order of a query is Prepare, binds, Execute (which makes
// the first step), Fetch while it returns RDB_ROW, getters, then Finalize or Reset. A statement
// must not outlive the connection that made it.
class CRDBStatement {
 public:
  virtual ~CRDBStatement() = default;
  virtual int Prepare(const std::string& sql) = 0;
  virtual int Finalize() = 0;
  virtual int Execute() = 0;
  virtual int Reset() = 0;
  virtual int BindBlob(int index, const void* data, int size) = 0;
  virtual int BindDouble(int index, double value) = 0;
  virtual int BindInt64(int index, int64_t value) = 0;
  virtual int BindText(int index, const std::string& text) = 0;
  virtual int BindInt(int index, int value) = 0;
  virtual int Fetch() = 0;
  // Copies min(bufferSize, length) bytes when buffer is given; size receives the full length.
  virtual int GetBlob(int index, void* buffer, int bufferSize, int& size) = 0;
  virtual int GetText(int index, std::string& text) = 0;
  virtual int GetDouble(int index, double& value) = 0;
  virtual int GetInt64(int index, int64_t& value) = 0;
  virtual int GetInt(int index, int& value) = 0;
  virtual int GetColumnName(int index, std::string& name) = 0;
  virtual int GetColumnType(int index) = 0;
  virtual int GetColumnBytes(int index) = 0;
  virtual int GetColumnCount() = 0;
};

// One open database. Deleting a connection closes it.
class CRDBConnection {
 public:
  virtual ~CRDBConnection() = default;
  virtual int Create(const std::string& path) = 0;  // refuses an existing file
  virtual int Open(const std::string& path) = 0;    // the file must exist
  virtual int Close() = 0;
  virtual int Execute(const std::string& sql) = 0;  // every statement of the text, no rows
  virtual int BeginTransaction() = 0;
  virtual int Commit() = 0;
  virtual int Rollback() = 0;
  // Null when the connection is closed.
  virtual std::unique_ptr<CRDBStatement> CreateStatement() = 0;
  virtual void GetDbmsName(std::string& name) = 0;
  // Callable from another thread: the statement running on this connection ends interrupted.
  virtual int Interrupt() = 0;
  virtual int64_t GetLastInsertRowId() = 0;
  virtual int GetChanges() = 0;
};

// The database-system name every owner of a database holds.
inline constexpr const char* kDbmsSQLite = "SQLite";

// The connection for a database-system name: an SQLite connection for a name that begins with
// "SQLite", none for any other.
std::unique_ptr<CRDBConnection> NewRDBConnection(const std::string& dbmsName);

// The SQLite connection of the database wrapper.
//
// Opening installs the data-file header VFS first (DataFileVfs.h), so every database we open or
// create carries our header and a standard engine file is refused as not a database. Every
// connection gets a busy time-out, because the user interface and the import worker hold
// separate connections to one index and a writer's commit briefly excludes readers.
//
// A statement its owner finalizes is kept, reset and unbound, for the next statement of the same
// text on the connection: the import prepares the same few dozen texts for every file, and
// preparing them again cost as much as a fifth of importing a small file. The engine compiles a
// kept statement again by itself when the schema changed.
#pragma once
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "store/RDBConnection.h"

struct sqlite3;
struct sqlite3_stmt;

// Default busy time-out of every new connection, in milliseconds.
inline constexpr int kDefaultBusyTimeoutMs = 5000;

class CRDBSQLiteConnection : public CRDBConnection {
 public:
  CRDBSQLiteConnection() = default;
  ~CRDBSQLiteConnection() override;
  CRDBSQLiteConnection(const CRDBSQLiteConnection&) = delete;
  CRDBSQLiteConnection& operator=(const CRDBSQLiteConnection&) = delete;

  int Create(const std::string& path) override;
  int Open(const std::string& path) override;
  int Close() override;
  int Execute(const std::string& sql) override;
  int BeginTransaction() override;
  int Commit() override;
  int Rollback() override;
  std::unique_ptr<CRDBStatement> CreateStatement() override;
  void GetDbmsName(std::string& name) override;
  int Interrupt() override;
  int64_t GetLastInsertRowId() override;
  int GetChanges() override;
  // flags: the engine's open flags (SQLITE_OPEN_READWRITE, SQLITE_OPEN_CREATE, ...).
  virtual int OpenWithFlags(const std::string& path, int flags);

  // The busy time-out of this connection, applied now when open and at every later open.
  void SetBusyTimeout(int milliseconds);
  sqlite3* Handle() const { return handle_; }

  // The statements kept for their texts. Shared with the statements, so that one finalized after
  // its connection is gone (or closed) is finalized, never kept.
  struct KeptStatements {
    // A kept statement of this text, now owned by the caller; null when none is kept.
    sqlite3_stmt* Take(const std::string& sql);
    // Takes over a statement its owner is done with: kept for its text when it belongs to the
    // open database and there is room, finalized otherwise.
    void Keep(const std::string& sql, sqlite3_stmt* statement);
    size_t Count();

    static constexpr size_t kMax = 64;
    std::mutex mutex;           // statements are made and finalized on the threads that use them
    sqlite3* handle = nullptr;  // the open database; null while closed
    std::unordered_multimap<std::string, sqlite3_stmt*> statements;
  };
  const std::shared_ptr<KeptStatements>& Kept() const { return kept_; }

 private:
  sqlite3* handle_ = nullptr;
  std::shared_ptr<KeptStatements> kept_ = std::make_shared<KeptStatements>();
  int encoding_ = 0;  // 0 UTF-8, 1 UTF-16: takes effect only on a new, empty file
  int busyTimeoutMs_ = kDefaultBusyTimeoutMs;
};

// The engine's result code as an RDB_RESULT.
int MapSQLiteResult(int engineResult);

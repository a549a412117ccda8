// CVTImportList: "importlist.db" in a storage folder, what happened to each source path the
// import met (table import_file: file_path, copy_path, status). It makes automatic import
// incremental: a listed path is never imported automatically again. CVTImportListManager owns
// the list of one run and makes it anew on every open; a list file that is not a database of
// ours, or lacks its table, is set aside under a unique name and made anew, so that a damaged
// list cannot make every later run import every file again.
//
// The list is written without flushing each row; the import worker flushes the storage's file
// system once at the end of a run that booked anything.
#pragma once
#include <memory>
#include <string>

#include "store/RDBConnection.h"

enum IMPORT_FILE_STATUS : int {
  IMPORT_STATUS_NONE = 0,
  IMPORT_STATUS_IMPORTED = 1,
  IMPORT_STATUS_DELETED = 2,
  IMPORT_STATUS_INVALID_FILE = 3,
  IMPORT_STATUS_IMPORTED_ALREADY = 4,
  IMPORT_STATUS_CRC_ERROR = 5,
  IMPORT_STATUS_COPY_ERROR = 6,
  IMPORT_STATUS_OPEN_ERROR = 7,
  IMPORT_STATUS_EXCEPTION = 8,
  IMPORT_STATUS_INVALID_CHANNEL = 9,
  IMPORT_STATUS_IN_TRASH = 10,
};

inline constexpr const char* kImportListFileName = "importlist.db";

class CVTImportList {
 public:
  CVTImportList();
  ~CVTImportList();
  CVTImportList(const CVTImportList&) = delete;
  CVTImportList& operator=(const CVTImportList&) = delete;

  // Creates the database file with its table; 0 also when the file exists already, 1 on failure.
  int Create(const std::string& path);
  // Opens the file; 1 when it cannot be opened or lacks the table (the connection stays open
  // when it was made). notOurs, when given, tells whether the file is beyond use as a list: not
  // a database of ours, or one without the table (as opposed to busy or unreadable now).
  int Open(const std::string& path, bool* notOurs = nullptr);
  void Close();
  bool IsOpen() const { return connection_ != nullptr; }

  // The status of a path; 0 when it has no row, the query fails or the list is not open.
  int GetStatus(const std::string& path);
  // Whether a row books that stored copy as imported (true also when the list cannot tell).
  bool HasImportedRowFor(const std::string& copyPath);
  // A new row in auto-commit; true whenever the list is open.
  bool InsertFile(const std::string& path, const std::string& copyPath, int status);
  // Status and copy path of a path's row, in a transaction of its own; true when committed.
  bool UpdateFile(const std::string& path, const std::string& copyPath, int status);
  // The status of every row whose copy path is that stored file (2, 10 and 1).
  bool SetDeletedStatus(const std::string& copyPath);
  bool SetTrashedStatus(const std::string& copyPath);
  bool SetRestoredStatus(const std::string& copyPath);

 private:
  bool SetStatusByCopyPath(const std::string& copyPath, int status);

  std::unique_ptr<CRDBConnection> connection_;
  std::string dbmsName_;
};

class CVTImportListManager {
 public:
  CVTImportListManager() = default;

  // Replaces the list with a new one on the path: creates the file when missing and opens it;
  // a file beyond use is set aside and made anew. 0, or Create's non-zero result.
  int Open(const std::string& path);
  CVTImportList* GetList() { return list_.get(); }
  // Where a damaged list was set aside by the last Open (empty when it was not).
  const std::string& GetSetAsidePath() const { return setAside_; }

 private:
  std::unique_ptr<CVTImportList> list_;
  std::string setAside_;
};

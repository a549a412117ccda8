// The import list and its manager (see CVTImportList.h).
#include "store/CVTImportList.h"

#include "platform/base/FileSystem.h"
#include "platform/base/FileTransfer.h"

namespace {

constexpr const char* kCreateTable =
    "CREATE TABLE import_file (file_path TEXT NOT NULL, copy_path TEXT NOT NULL, status INTEGER NOT NULL, "
    "PRIMARY KEY (file_path));";

// The list is flushed once per run by the import worker, not once per row.
constexpr const char* kNoSync = "PRAGMA synchronous = OFF;";

}  // namespace

CVTImportList::CVTImportList() : dbmsName_(kDbmsSQLite) {}

CVTImportList::~CVTImportList() { Close(); }

void CVTImportList::Close() {
  if (connection_) connection_->Close();
  connection_.reset();
}

int CVTImportList::Create(const std::string& path) {
  Close();
  auto connection = NewRDBConnection(dbmsName_);
  if (!connection) return 1;
  int rc = connection->Create(path);
  if (rc == RDB_FILE_EXISTS) return 0;
  if (rc != RDB_OK) return 1;
  connection->Execute(kCreateTable);
  connection->Close();
  return 0;
}

int CVTImportList::Open(const std::string& path, bool* notOurs) {
  if (notOurs) *notOurs = false;
  Close();
  connection_ = NewRDBConnection(dbmsName_);
  if (!connection_) return 1;
  int rc = connection_->Open(path);
  if (rc != RDB_OK) {
    connection_.reset();
    if (notOurs) *notOurs = rc == RDB_NOT_A_DATABASE;
    return 1;
  }
  connection_->Execute(kNoSync);
  auto statement = connection_->CreateStatement();
  if (!statement) return 1;
  int prepared = statement->Prepare("select count(*) from sqlite_master where name = 'import_file';");
  if (prepared != RDB_OK) {
    // A schema the engine cannot read is not a list of ours; busy or out of memory is for now.
    if (notOurs) *notOurs = prepared == RDB_NOT_A_DATABASE || prepared == RDB_ERROR;
    return 1;
  }
  int step = statement->Execute();
  if (step == RDB_OK) step = statement->Fetch();
  if (step == RDB_NOT_A_DATABASE && notOurs) *notOurs = true;
  if (step != RDB_ROW) return 1;
  int count = 0;
  statement->GetInt(0, count);
  if (count != 1) {
    if (notOurs) *notOurs = true;
    return 1;
  }
  return 0;
}

int CVTImportList::GetStatus(const std::string& path) {
  if (!connection_) return IMPORT_STATUS_NONE;
  auto statement = connection_->CreateStatement();
  if (!statement ||
      statement->Prepare("SELECT file_path, status FROM import_file WHERE file_path = ?;") != RDB_OK ||
      statement->BindText(0, path) != RDB_OK || statement->Execute() != RDB_OK ||
      statement->Fetch() != RDB_ROW)
    return IMPORT_STATUS_NONE;
  int status = IMPORT_STATUS_NONE;
  if (statement->GetInt(1, status) != RDB_OK) return IMPORT_STATUS_NONE;
  return status;
}

bool CVTImportList::HasImportedRowFor(const std::string& copyPath) {
  // A list that cannot answer claims the copy: the caller then keeps to the plain outcome.
  if (!connection_) return true;
  auto statement = connection_->CreateStatement();
  int count = 1;
  if (!statement ||
      statement->Prepare("SELECT COUNT(*) FROM import_file WHERE copy_path = ? AND status = ?;") != RDB_OK ||
      statement->BindText(0, copyPath) != RDB_OK || statement->BindInt(1, IMPORT_STATUS_IMPORTED) != RDB_OK ||
      statement->Execute() != RDB_OK || statement->Fetch() != RDB_ROW ||
      statement->GetInt(0, count) != RDB_OK)
    return true;
  return count > 0;
}

bool CVTImportList::InsertFile(const std::string& path, const std::string& copyPath, int status) {
  if (!connection_) return false;
  auto statement = connection_->CreateStatement();
  if (statement && statement->Prepare("INSERT INTO import_file VALUES(?,?,?);") == RDB_OK) {
    statement->BindText(0, path);
    statement->BindText(1, copyPath);
    statement->BindInt(2, status);
    statement->Execute();
  }
  return true;
}

bool CVTImportList::UpdateFile(const std::string& path, const std::string& copyPath, int status) {
  if (!connection_) return false;
  if (connection_->BeginTransaction() != RDB_OK) return false;
  auto statement = connection_->CreateStatement();
  bool ok = statement &&
            statement->Prepare("UPDATE import_file SET status=?, copy_path=? WHERE file_path=?;") == RDB_OK &&
            statement->BindInt(0, status) == RDB_OK && statement->BindText(1, copyPath) == RDB_OK &&
            statement->BindText(2, path) == RDB_OK && statement->Execute() == RDB_OK;
  statement.reset();
  if (ok && connection_->Commit() == RDB_OK) return true;
  connection_->Rollback();
  return false;
}

bool CVTImportList::SetStatusByCopyPath(const std::string& copyPath, int status) {
  if (!connection_) return false;
  if (connection_->BeginTransaction() != RDB_OK) return false;
  auto statement = connection_->CreateStatement();
  bool ok = statement && statement->Prepare("UPDATE import_file SET status=? WHERE copy_path=?;") == RDB_OK &&
            statement->BindInt(0, status) == RDB_OK && statement->BindText(1, copyPath) == RDB_OK &&
            statement->Execute() == RDB_OK;
  statement.reset();
  if (ok && connection_->Commit() == RDB_OK) return true;
  connection_->Rollback();
  return false;
}

bool CVTImportList::SetDeletedStatus(const std::string& copyPath) {
  return SetStatusByCopyPath(copyPath, IMPORT_STATUS_DELETED);
}

bool CVTImportList::SetTrashedStatus(const std::string& copyPath) {
  return SetStatusByCopyPath(copyPath, IMPORT_STATUS_IN_TRASH);
}

bool CVTImportList::SetRestoredStatus(const std::string& copyPath) {
  return SetStatusByCopyPath(copyPath, IMPORT_STATUS_IMPORTED);
}

int CVTImportListManager::Open(const std::string& path) {
  setAside_.clear();
  list_ = std::make_unique<CVTImportList>();
  if (int rc = list_->Create(path); rc != 0) return rc;
  bool notOurs = false;
  if (list_->Open(path, &notOurs) == 0 || !notOurs) return 0;

  // Beyond use: keep it for inspection under a name of its own (its journal with it, which
  // must never be played into the new list) and start an empty list.
  list_->Close();
  for (int n = 1; n < 10000; ++n) {
    std::string aside = path + ".damaged-" + std::to_string(n);
    if (vt::PathExists(aside) || vt::PathExists(aside + "-journal")) continue;
    if (!vt::RenameNoReplace(path, aside)) break;
    if (vt::PathExists(path + "-journal")) vt::RenameNoReplace(path + "-journal", aside + "-journal");
    setAside_ = aside;
    break;
  }
  if (setAside_.empty()) return 0;  // left as it is: every path counts as never listed
  if (int rc = list_->Create(path); rc != 0) return rc;
  list_->Open(path);
  return 0;
}

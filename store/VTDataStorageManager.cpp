// CVTDataStorageManager: the data root and its storage list (see VTDataStorageManager.h).
#include "store/VTDataStorageManager.h"

#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"

CVTDataStorageManager::CVTDataStorageManager() : dbmsName_(kDbmsSQLite) { lock_.Initialize(); }

CVTDataStorageManager::~CVTDataStorageManager() {
  connection_.reset();
  lock_.Close();
}

int CVTDataStorageManager::Run(const char* sql, std::initializer_list<std::string> params) {
  auto statement = connection_ ? connection_->CreateStatement() : nullptr;
  if (!statement) return RDB_ERROR;
  int rc = statement->Prepare(sql);
  int index = 0;
  for (const std::string& param : params) {
    if (rc == RDB_OK) rc = statement->BindText(index++, param);
  }
  return rc == RDB_OK ? statement->Execute() : rc;
}

int CVTDataStorageManager::Open(const std::string& root) {
  if (connection_) return STORE_ALREADY_OPEN;
  if (!vt::IsUsablePath(root)) return STORE_FAILED;
  dataRoot_ = root;
  CreateFolderTree(root);
  std::string listPath = vt::JoinPath(root, kStorageListFileName);
  connection_ = NewRDBConnection(dbmsName_);
  if (!connection_) return STORE_FAILED;
  if (connection_->Open(listPath) != RDB_OK) {
    vt::DeleteFile(listPath);
    return RebuildList(listPath);
  }
  auto statement = connection_->CreateStatement();
  if (!statement) return STORE_FAILED;
  if (statement->Prepare("SELECT COUNT(*) FROM datastorage_list;") != RDB_OK ||
      statement->Execute() != RDB_OK) {
    statement.reset();
    connection_->Close();
    vt::DeleteFile(listPath);
    return RebuildList(listPath);
  }
  return STORE_OK;
}

int CVTDataStorageManager::RebuildList(const std::string& listPath) {
  if (!connection_) return STORE_NOT_OPEN;  // Open makes the connection the list is built on
  int count = 0;
  ListSubfolders(dataRoot_, nullptr, 0, count);
  std::vector<std::string> folders(static_cast<std::size_t>(count));
  ListSubfolders(dataRoot_, folders.data(), count, count);
  folders.resize(std::size_t(count));

  // When the file cannot be made, every statement below fails and the list stays empty.
  connection_->Create(listPath);
  connection_->Execute(
      "CREATE TABLE datastorage_list (datastorage_name TEXT PRIMARY KEY, datastorage_dir TEXT "
      "UNIQUE);");
  connection_->Execute("CREATE TABLE attach (datastorage_name TEXT);");

  auto insert = connection_->CreateStatement();
  if (!insert) return STORE_FAILED;
  insert->Prepare("INSERT INTO datastorage_list VALUES(?,?);");
  bool attached = false;
  for (const std::string& folder : folders) {
    // Only storages in use whose index this program reads: no backup copies, no foreign folders.
    CVTDataStorage storage;
    std::string backupStatus;
    if (storage.SetPaths(folder) != STORE_OK || storage.Open() != STORE_OK ||
        storage.GetBackupStatus(backupStatus) != STORE_OK || backupStatus != kBackupActive)
      continue;
    std::string name, dir;
    storage.GetDatabaseName(name);
    GetLastPathComponent(folder, &dir);
    storage.Close();
    insert->Reset();
    if (insert->BindText(0, name) != RDB_OK || insert->BindText(1, dir) != RDB_OK ||
        insert->Execute() != RDB_OK)
      continue;  // a name or folder listed already
    if (!attached) attached = Attach(name) == STORE_OK;
  }
  return STORE_OK;
}

int CVTDataStorageManager::GetCount() {
  if (!connection_) return STORE_NOT_OPEN;
  auto statement = connection_->CreateStatement();
  if (!statement) return STORE_FAILED;
  int count = 0;
  if (statement->Prepare("SELECT COUNT(*) FROM datastorage_list;") == RDB_OK &&
      statement->Execute() == RDB_OK && statement->Fetch() == RDB_ROW)
    statement->GetInt(0, count);
  return count;
}

int CVTDataStorageManager::GetStorageFolder(const std::string& name, std::string& folder) {
  if (!connection_) return STORE_NOT_OPEN;
  auto statement = connection_->CreateStatement();
  if (!statement) return STORE_FAILED;
  std::string dir;
  if (statement->Prepare("SELECT datastorage_dir FROM datastorage_list WHERE datastorage_name = ?;") !=
          RDB_OK ||
      statement->BindText(0, name) != RDB_OK || statement->Execute() != RDB_OK)
    return STORE_FAILED;
  if (statement->Fetch() != RDB_ROW) return STORE_NOT_FOUND;
  statement->GetText(0, dir);
  // The list holds folder names only. A damaged row must never lead a caller (deleting a
  // storage deletes its folder tree) to the data root itself or outside it.
  if (dir.empty() || dir == "." || dir == ".." || dir.find('/') != std::string::npos) return STORE_FAILED;
  folder = vt::JoinPath(dataRoot_, dir);
  return STORE_OK;
}

int CVTDataStorageManager::AreaStatusOf(const std::string& statusText) {
  if (statusText == kStatusOk) return AREA_STATUS_OK;
  if (statusText == kStatusCorrupted) return AREA_STATUS_CORRUPTED;
  if (statusText == kStatusAborted) return AREA_STATUS_ABORTED;
  if (statusText == kStatusAbnormalFiles) return AREA_STATUS_ABNORMAL_FILES;
  return AREA_STATUS_UNKNOWN;
}

int CVTDataStorageManager::ListWithStatus(SDataAreaInfo* records, int capacity, int& count) {
  if (!connection_) return STORE_NOT_OPEN;
  if (!records) return STORE_FAILED;
  auto statement = connection_->CreateStatement();
  if (!statement) return STORE_FAILED;
  std::string attachedName;
  GetAttachedName(attachedName);
  if (statement->Prepare("SELECT * FROM datastorage_list;") != RDB_OK || statement->Execute() != RDB_OK)
    return STORE_FAILED;
  count = 0;
  while (count < capacity && statement->Fetch() == RDB_ROW) {
    SDataAreaInfo& record = records[count++];
    statement->GetText(0, record.name);
    statement->GetText(1, record.folder);
    record.attached = record.name == attachedName;
    CVTDataStorage storage;
    std::string status;
    if (storage.SetPaths(vt::JoinPath(dataRoot_, record.folder)) != STORE_OK || storage.Open() != STORE_OK) {
      record.status = AREA_STATUS_CORRUPTED;
    } else {
      record.status = storage.GetStatus(status) == STORE_OK ? AreaStatusOf(status) : AREA_STATUS_UNKNOWN;
    }
  }
  return STORE_OK;
}

int CVTDataStorageManager::GetAttachedName(std::string& name) {
  if (!connection_) return STORE_NOT_OPEN;
  auto statement = connection_->CreateStatement();
  if (!statement || statement->Prepare("SELECT * FROM attach ;") != RDB_OK ||
      statement->Execute() != RDB_OK || statement->Fetch() != RDB_ROW)
    return STORE_FAILED;
  statement->GetText(0, name);
  return STORE_OK;
}

void CVTDataStorageManager::Detach() {
  if (connection_) Run("DELETE FROM attach;", {});
}

int CVTDataStorageManager::Attach(const std::string& name) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string folder;
  if (int rc = GetStorageFolder(name, folder); rc != STORE_OK) return rc;
  {
    CVTDataStorage storage;
    if (storage.SetPaths(folder) != STORE_OK || storage.Open() != STORE_OK) return STORE_STORAGE_UNAVAILABLE;
  }
  if (!connection_->CreateStatement()) return STORE_FAILED;
  Detach();
  Run("INSERT INTO attach VALUES(?);", {name});
  return STORE_OK;
}

std::unique_ptr<CVTDataStorage> CVTDataStorageManager::OpenAttachedStorage() {
  std::string name, folder;
  if (GetAttachedName(name) != STORE_OK || GetStorageFolder(name, folder) != STORE_OK) return nullptr;
  auto storage = std::make_unique<CVTDataStorage>();
  if (storage->SetPaths(folder) != STORE_OK) return nullptr;
  return storage;
}

bool CVTDataStorageManager::NewFolderName(std::string* folder) {
  if (!folder) return false;
  std::string guid;
  NewGuidString(guid);
  *folder = vt::JoinPath(dataRoot_, guid);
  return true;
}

int CVTDataStorageManager::CreateStorage(const std::string& name) {
  if (!connection_ || dataRoot_.empty()) return STORE_NOT_OPEN;
  std::string folder, dir;
  if (GetStorageFolder(name, folder) == STORE_OK) return STORE_EXISTS;
  if (!NewFolderName(&folder)) return STORE_FAILED;
  GetLastPathComponent(folder, &dir);
  {
    CVTDataStorage storage;
    if (int rc = storage.Create(folder, name); rc != STORE_OK) return rc;
  }
  // When the insert fails the created folder stays, unlisted.
  return Run("INSERT INTO datastorage_list VALUES(?,?);", {name, dir}) == RDB_OK ? STORE_OK : STORE_FAILED;
}

int CVTDataStorageManager::DeleteStorage(const std::string& name) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string attachedName, folder;
  if (GetAttachedName(attachedName) == STORE_OK && attachedName == name) return STORE_ATTACHED;
  if (int rc = GetStorageFolder(name, folder); rc != STORE_OK) return rc;
  if (!DeleteFolderTree(folder)) return STORE_FAILED;
  return Run("DELETE FROM datastorage_list WHERE datastorage_name = ?;", {name}) == RDB_OK ? STORE_OK
                                                                                           : STORE_FAILED;
}

int CVTDataStorageManager::RenameStorage(const std::string& oldName, const std::string& newName) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string folder, otherFolder;
  GetStorageFolder(oldName, folder);
  // A name listed already is refused before anything changes, so the index name and the list
  // name of a storage never part.
  if (newName != oldName && GetStorageFolder(newName, otherFolder) == STORE_OK) return STORE_FAILED;
  CVTDataStorage storage;
  if (storage.SetPaths(folder) != STORE_OK || storage.Open() != STORE_OK ||
      storage.SetDatabaseName(newName) != STORE_OK)
    return STORE_FAILED;
  if (Run("UPDATE datastorage_list SET datastorage_name = ? WHERE datastorage_name = ?;",
          {newName, oldName}) != RDB_OK) {
    storage.SetDatabaseName(oldName);
    return STORE_FAILED;
  }
  if (Run("UPDATE attach SET datastorage_name = ? WHERE datastorage_name = ?;", {newName, oldName}) !=
      RDB_OK) {
    Run("UPDATE datastorage_list SET datastorage_name = ? WHERE datastorage_name = ?;", {oldName, newName});
    storage.SetDatabaseName(oldName);
    return STORE_FAILED;
  }
  return STORE_OK;
}

uint64_t CVTDataStorageManager::GetIndexFileSize(const std::string& name) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string folder;
  CVTDataStorage storage;
  if (GetStorageFolder(name, folder) != STORE_OK || storage.SetPaths(folder) != STORE_OK) return 0;
  return storage.GetIndexFileSize();
}

int CVTDataStorageManager::GetFileCount(const std::string& name) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string folder;
  CVTDataStorage storage;
  if (GetStorageFolder(name, folder) != STORE_OK || storage.SetPaths(folder) != STORE_OK) return 0;
  return storage.GetFileCount();
}

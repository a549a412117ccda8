// CVTDataStorageManager: the data root and its storage list (see VTDataStorageManager.h).
#include "store/VTDataStorageManager.h"

#include <cstdio>
#include <map>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/RDBSQLiteConnection.h"

namespace {

constexpr const char* kCreateListTable =
    "CREATE TABLE datastorage_list (datastorage_name TEXT PRIMARY KEY, datastorage_dir TEXT UNIQUE);";
constexpr const char* kCreateAttachTable = "CREATE TABLE attach (datastorage_name TEXT);";
// The file a rebuilt list is written to before it replaces the list.
constexpr const char* kRebuildSuffix = ".rebuild";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The store result of a wrapper result where only "busy" needs telling apart.
int BusyOr(int rdbResult, int otherwise) { return rdbResult == RDB_BUSY ? STORE_BUSY : otherwise; }

// What a damaged list still tells: its rows and its attached name, as far as they can be read.
struct OldList {
  std::map<std::string, std::string> dirOf;  // name -> folder name
  std::string attached;
};

// Reads what it can of the list file; STORE_BUSY when it is locked, else STORE_OK.
int ReadOldList(const std::string& listPath, const std::string& dbmsName, int busyTimeoutMs, OldList& old) {
  if (!vt::FileExists(listPath)) return STORE_OK;
  auto connection = NewRDBConnection(dbmsName);
  if (!connection) return STORE_OK;
  CVTDataStorage::ApplyBusyTimeout(connection.get(), busyTimeoutMs);
  if (int rc = connection->Open(listPath); rc != RDB_OK) return BusyOr(rc, STORE_OK);
  auto statement = connection->CreateStatement();
  if (!statement) return STORE_OK;
  if (statement->Prepare("SELECT datastorage_name, datastorage_dir FROM datastorage_list;") == RDB_OK) {
    if (int rc = statement->Execute(); rc == RDB_BUSY) return STORE_BUSY;
    while (statement->Fetch() == RDB_ROW) {
      std::string name, dir;
      statement->GetText(0, name);
      statement->GetText(1, dir);
      old.dirOf[name] = dir;
    }
  }
  statement->Finalize();
  if (statement->Prepare("SELECT * FROM attach;") == RDB_OK) {
    if (int rc = statement->Execute(); rc == RDB_BUSY) return STORE_BUSY;
    if (statement->Fetch() == RDB_ROW) statement->GetText(0, old.attached);
  }
  return STORE_OK;
}

// One storage folder a rebuild may list.
struct Candidate {
  std::string name;
  std::string dir;
  std::string folder;
};

}  // namespace

// Holds the data root's lock for a block. A holder that died (a process killed mid-way) leaves
// the lock abandoned: the next one gets it and recovers what was left half-done.
class CVTDataStorageManager::RootLockGuard {
 public:
  RootLockGuard(vt::NamedMutex& mutex, uint32_t timeoutMs) : mutex_(mutex) {
    vt::NamedMutex::WaitResult wait = mutex_.Lock(timeoutMs);
    held_ = wait == vt::NamedMutex::WaitResult::Acquired || wait == vt::NamedMutex::WaitResult::Abandoned;
    result_ = held_ ? STORE_OK : wait == vt::NamedMutex::WaitResult::Timeout ? STORE_BUSY : STORE_FAILED;
  }
  ~RootLockGuard() {
    if (held_) mutex_.Unlock();
  }
  RootLockGuard(const RootLockGuard&) = delete;
  RootLockGuard& operator=(const RootLockGuard&) = delete;
  // STORE_OK when held, STORE_BUSY after the wait, STORE_FAILED when the lock cannot be had.
  int Result() const { return result_; }

 private:
  vt::NamedMutex& mutex_;
  bool held_ = false;
  int result_ = STORE_FAILED;
};

CVTDataStorageManager::CVTDataStorageManager()
    : dbmsName_(kDbmsSQLite), busyTimeoutMs_(kDefaultBusyTimeoutMs) {
  lock_.Initialize();
}

CVTDataStorageManager::~CVTDataStorageManager() {
  connection_.reset();
  lock_.Close();
}

std::unique_ptr<CVTDataStorage> CVTDataStorageManager::NewStorage() const {
  auto storage = std::make_unique<CVTDataStorage>();
  storage->SetBusyTimeout(busyTimeoutMs_);
  return storage;
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
  TrimTrailingBackslashes(dataRoot_);
  if (dataRoot_.empty()) dataRoot_ = root;  // the file system's root itself
  CreateFolderTree(dataRoot_);
  std::string listPath = vt::JoinPath(dataRoot_, kStorageListFileName);
  if (!rootLock_.IsOpen() && !rootLock_.Create("_VANTRL_DSLIST_" + dataRoot_ + "_MTX_")) return STORE_FAILED;
  RootLockGuard guard(rootLock_, rootLockTimeoutMs_);
  if (guard.Result() != STORE_OK) return guard.Result();
  connection_ = NewRDBConnection(dbmsName_);
  if (!connection_) return STORE_FAILED;
  CVTDataStorage::ApplyBusyTimeout(connection_.get(), busyTimeoutMs_);

  int rc = OpenAndCheckList(listPath);
  if (rc == STORE_CORRUPTED) rc = RebuildList(listPath);
  if (rc == STORE_BUSY) {
    // Nothing was touched; the caller may try again once the other process lets go.
    connection_.reset();
    return STORE_BUSY;
  }
  if (rc == STORE_OK) RecoverInterruptedCreates();
  return rc;
}

int CVTDataStorageManager::OpenAndCheckList(const std::string& listPath) {
  if (!vt::FileExists(listPath)) return STORE_CORRUPTED;
  int rc = connection_->Open(listPath);
  // Not ours (or not a database at all) and unreadable structure mean damaged; a disk that
  // cannot be read or a file that cannot be opened say nothing about the list itself.
  if (rc == RDB_NOT_A_DATABASE || rc == RDB_ERROR) return STORE_CORRUPTED;
  if (rc != RDB_OK) return BusyOr(rc, STORE_FAILED);
  for (const char* check :
       {"SELECT COUNT(*) FROM datastorage_list;", "SELECT COUNT(*) FROM attach;", "PRAGMA quick_check;"}) {
    auto statement = connection_->CreateStatement();
    if (!statement) return STORE_FAILED;
    int result = statement->Prepare(check);
    if (result == RDB_OK) result = statement->Execute();
    std::string verdict = "ok";
    if (result == RDB_OK && StartsWith(check, "PRAGMA")) {
      if (statement->Fetch() == RDB_ROW) statement->GetText(0, verdict);
    }
    if (result == RDB_OK && verdict == "ok") continue;
    statement.reset();
    connection_->Close();
    if (result == RDB_BUSY) return STORE_BUSY;
    return result == RDB_OK || result == RDB_ERROR || result == RDB_NOT_A_DATABASE ? STORE_CORRUPTED
                                                                                   : STORE_FAILED;
  }
  return STORE_OK;
}

int CVTDataStorageManager::RebuildList(const std::string& listPath) {
  if (!connection_) return STORE_NOT_OPEN;  // Open makes the connection the list is built on
  RootLockGuard guard(rootLock_, rootLockTimeoutMs_);
  if (guard.Result() != STORE_OK) return guard.Result();
  connection_->Close();

  OldList old;
  if (ReadOldList(listPath, dbmsName_, busyTimeoutMs_, old) == STORE_BUSY) return STORE_BUSY;

  int count = 0;
  ListSubfolders(dataRoot_, nullptr, 0, count);
  std::vector<std::string> folders(static_cast<std::size_t>(count));
  ListSubfolders(dataRoot_, folders.data(), count, count);
  folders.resize(std::size_t(count));

  // Only complete storages in use whose index this program reads: no creation still under its
  // temporary name, no empty or half-made index, no backup copies, no foreign folders. An index
  // that is busy stops the rebuild, so that no storage is dropped for good.
  std::vector<Candidate> candidates;
  for (const std::string& folder : folders) {
    Candidate candidate;
    GetLastPathComponent(folder, &candidate.dir);
    if (StartsWith(candidate.dir, kNewStoragePrefix)) continue;
    auto storage = NewStorage();
    std::string backupStatus;
    if (storage->SetPaths(folder) != STORE_OK) continue;
    int rc = storage->Open();
    if (rc == STORE_OK) rc = storage->GetBackupStatus(backupStatus);
    if (rc == STORE_OK) rc = storage->GetDatabaseName(candidate.name);
    if (rc == STORE_BUSY) return STORE_BUSY;
    if (rc != STORE_OK || backupStatus != kBackupActive) continue;
    candidate.folder = folder;
    candidates.push_back(std::move(candidate));
  }

  // Two folders claiming one name: the one the old list named when that is known, else the one
  // holding more stored files (the first in folder order on a tie).
  std::vector<const Candidate*> kept;
  std::map<std::string, std::size_t> keptIndexOf;
  for (const Candidate& candidate : candidates) {
    auto found = keptIndexOf.find(candidate.name);
    if (found == keptIndexOf.end()) {
      keptIndexOf.emplace(candidate.name, kept.size());
      kept.push_back(&candidate);
      continue;
    }
    const Candidate*& holder = kept[found->second];
    auto named = old.dirOf.find(candidate.name);
    bool replace;
    if (named != old.dirOf.end() && (named->second == holder->dir || named->second == candidate.dir)) {
      replace = named->second == candidate.dir;
    } else {
      auto files = [this](const Candidate& c) {
        auto storage = NewStorage();
        return storage->SetPaths(c.folder) == STORE_OK ? storage->GetFileCount() : 0;
      };
      replace = files(candidate) > files(*holder);
    }
    const Candidate* dropped = replace ? holder : &candidate;
    if (replace) holder = &candidate;
    std::fprintf(stderr,
                 "storage list rebuild: folder %s also claims the name '%s' of folder %s; not listed\n",
                 dropped->dir.c_str(), candidate.name.c_str(), holder->dir.c_str());
  }

  // The new list is written beside the old one and replaces it only when complete.
  const std::string tempPath = listPath + kRebuildSuffix;
  vt::DeleteFile(tempPath);
  vt::DeleteFile(tempPath + "-journal");
  auto fresh = NewRDBConnection(dbmsName_);
  if (!fresh) return STORE_FAILED;
  CVTDataStorage::ApplyBusyTimeout(fresh.get(), busyTimeoutMs_);
  std::string attach = old.attached;
  if (keptIndexOf.find(attach) == keptIndexOf.end())
    attach = kept.empty() ? std::string() : kept.front()->name;
  // The tables and their rows in one transaction: one commit's flushes instead of three.
  int rc = fresh->Create(tempPath);
  if (rc == RDB_OK) rc = fresh->BeginTransaction();
  if (rc == RDB_OK) rc = fresh->Execute(kCreateListTable);
  if (rc == RDB_OK) rc = fresh->Execute(kCreateAttachTable);
  if (rc == RDB_OK) {
    auto insert = fresh->CreateStatement();
    rc = insert ? insert->Prepare("INSERT INTO datastorage_list VALUES(?,?);") : RDB_ERROR;
    for (const Candidate* candidate : kept) {
      if (rc != RDB_OK) break;
      insert->Reset();
      rc = insert->BindText(0, candidate->name);
      if (rc == RDB_OK) rc = insert->BindText(1, candidate->dir);
      if (rc == RDB_OK) rc = insert->Execute();
    }
    insert.reset();
    if (rc == RDB_OK && !attach.empty()) {
      auto statement = fresh->CreateStatement();
      rc = statement ? statement->Prepare("INSERT INTO attach VALUES(?);") : RDB_ERROR;
      if (rc == RDB_OK) rc = statement->BindText(0, attach);
      if (rc == RDB_OK) rc = statement->Execute();
    }
    if (rc == RDB_OK) rc = fresh->Commit();
  }
  fresh.reset();
  if (rc != RDB_OK) {
    vt::DeleteFile(tempPath);
    vt::DeleteFile(tempPath + "-journal");
    return BusyOr(rc, STORE_FAILED);
  }
  // A journal left by the old file would be played into the new one.
  vt::DeleteFile(listPath + "-journal");
  vt::DeleteFile(listPath);
  if (!vt::MoveFile(tempPath, listPath)) {
    vt::DeleteFile(tempPath);
    return STORE_FAILED;
  }
  return connection_->Open(listPath) == RDB_OK ? STORE_OK : STORE_FAILED;
}

void CVTDataStorageManager::RecoverInterruptedCreates() {
  // A rebuilt list that never replaced the list (its writer was cut off) is of no use.
  const std::string rebuilt = vt::JoinPath(dataRoot_, std::string(kStorageListFileName) + kRebuildSuffix);
  if (vt::PathExists(rebuilt)) {
    vt::DeleteFile(rebuilt);
    vt::DeleteFile(rebuilt + "-journal");
  }
  int count = 0;
  ListSubfolders(dataRoot_, nullptr, 0, count);
  std::vector<std::string> folders(static_cast<std::size_t>(count));
  ListSubfolders(dataRoot_, folders.data(), count, count);
  folders.resize(std::size_t(count));
  for (const std::string& folder : folders) {
    std::string dir;
    GetLastPathComponent(folder, &dir);
    if (!StartsWith(dir, kNewStoragePrefix)) continue;
    const std::string guid = dir.substr(std::string(kNewStoragePrefix).size());
    auto statement = connection_->CreateStatement();
    if (!statement ||
        statement->Prepare("SELECT COUNT(*) FROM datastorage_list WHERE datastorage_dir = ?;") != RDB_OK ||
        statement->BindText(0, guid) != RDB_OK || statement->Execute() != RDB_OK)
      continue;  // busy: the next holder of the lock tries again
    int listed = 0;
    if (statement->Fetch() == RDB_ROW) statement->GetInt(0, listed);
    const std::string final = vt::JoinPath(dataRoot_, guid);
    // Listed: the index was complete and only the rename was missing. Otherwise the creation
    // never finished and what it made goes.
    if (listed > 0 && !guid.empty() && !vt::PathExists(final) && vt::MoveFile(folder, final)) continue;
    DeleteFolderTree(folder);
  }
}

int CVTDataStorageManager::RunUnderRootLock(const std::function<int()>& work) {
  RootLockGuard guard(rootLock_, rootLockTimeoutMs_);
  if (guard.Result() != STORE_OK) return guard.Result();
  RecoverInterruptedCreates();
  return work();
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
      statement->BindText(0, name) != RDB_OK)
    return STORE_FAILED;
  if (int rc = statement->Execute(); rc != RDB_OK) return BusyOr(rc, STORE_FAILED);
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
  if (statement->Prepare("SELECT * FROM datastorage_list;") != RDB_OK) return STORE_FAILED;
  if (int rc = statement->Execute(); rc != RDB_OK) return BusyOr(rc, STORE_FAILED);
  count = 0;
  while (count < capacity && statement->Fetch() == RDB_ROW) {
    SDataAreaInfo& record = records[count++];
    statement->GetText(0, record.name);
    statement->GetText(1, record.folder);
    record.attached = record.name == attachedName;
    CVTDataStorage storage;
    storage.SetBusyTimeout(busyTimeoutMs_);
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
    auto storage = NewStorage();
    int rc = storage->SetPaths(folder);
    if (rc == STORE_OK) rc = storage->Open();
    if (rc == STORE_BUSY) return STORE_BUSY;
    if (rc != STORE_OK) return STORE_STORAGE_UNAVAILABLE;
  }
  if (!connection_->CreateStatement()) return STORE_FAILED;
  // One transaction: whatever happens to this process, the old attachment or the new one stays.
  if (int rc = connection_->Execute("BEGIN IMMEDIATE;"); rc != RDB_OK) return BusyOr(rc, STORE_FAILED);
  int rc = Run("DELETE FROM attach;", {});
  if (rc == RDB_OK) rc = Run("INSERT INTO attach VALUES(?);", {name});
  if (rc == RDB_OK) rc = connection_->Commit();
  if (rc != RDB_OK) {
    connection_->Rollback();
    return BusyOr(rc, STORE_FAILED);
  }
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
  RootLockGuard guard(rootLock_, rootLockTimeoutMs_);
  if (guard.Result() != STORE_OK) return guard.Result();
  RecoverInterruptedCreates();
  std::string folder, dir;
  if (int rc = GetStorageFolder(name, folder); rc != STORE_NOT_FOUND)
    return rc == STORE_OK ? STORE_EXISTS : rc;
  if (!NewFolderName(&folder)) return STORE_FAILED;
  GetLastPathComponent(folder, &dir);
  // Built under a temporary name, listed when complete, then renamed: a creation cut off at any
  // point is finished or removed by the next holder of the lock, and a failed one removes what
  // it made.
  const std::string building = vt::JoinPath(dataRoot_, kNewStoragePrefix + dir);
  {
    auto storage = NewStorage();
    if (int rc = storage->Create(building, name, folder); rc != STORE_OK) {
      storage.reset();
      DeleteFolderTree(building);
      return rc;
    }
  }
  if (int rc = Run("INSERT INTO datastorage_list VALUES(?,?);", {name, dir}); rc != RDB_OK) {
    DeleteFolderTree(building);
    return rc == RDB_CONSTRAINT ? STORE_EXISTS : BusyOr(rc, STORE_FAILED);
  }
  if (!vt::MoveFile(building, folder)) {
    if (Run("DELETE FROM datastorage_list WHERE datastorage_name = ?;", {name}) == RDB_OK)
      DeleteFolderTree(building);
    return STORE_FAILED;
  }
  return STORE_OK;
}

int CVTDataStorageManager::DeleteStorage(const std::string& name) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string attachedName, folder;
  if (GetAttachedName(attachedName) == STORE_OK && attachedName == name) return STORE_ATTACHED;
  RootLockGuard guard(rootLock_, rootLockTimeoutMs_);
  if (guard.Result() != STORE_OK) return guard.Result();
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
  storage.SetBusyTimeout(busyTimeoutMs_);
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

// CVTDataStorageManager: the long maintenance operations (check, rebuild, backup, restore) and
// their cancel.
//
// Check and rebuild run on a storage object of their own, which is the "busy storage" that a
// cancel reaches; backup and restore are folder copies that test the cancel between files and
// inside each file. The busy storage is set and cleared under the manager's lock, so a cancel
// from another thread never reaches a storage object being deleted. Backup and restore copy
// database files raw: they refuse a file that a connection of this process has open (closing
// any descriptor of it would drop the engine's locks), and every copied file is on disk before
// success is reported. A backup holds the storage's lock over its whole copy, so no import,
// trash or rebuild changes the storage meanwhile. A restore checks the new name first, builds
// the new storage under a temporary folder name with the data root's lock held, lists it and
// only then gives it its final name: a restore that fails or is cut off leaves nothing behind.
#include "platform/base/FileDurability.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/DataFileVfs.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/VTDataStorageManager.h"

namespace {

constexpr const char* kBackupMarker = "BACKUPPROCESSING";

}  // namespace

void CVTDataStorageManager::BeginLongOperation(CVTDataStorage* storage) {
  vt::CVTSyncGuard guard(&lock_);
  busyStorage_ = storage;
  cancelRequest_ = false;
  copyCancel_ = 0;
}

void CVTDataStorageManager::EndLongOperation() {
  vt::CVTSyncGuard guard(&lock_);
  busyStorage_ = nullptr;
}

void CVTDataStorageManager::Cancel() {
  vt::CVTSyncGuard guard(&lock_);
  if (busyStorage_) {
    busyStorage_->SetCancelRequest(true);
    busyStorage_->InterruptRunningStatement();
  }
  cancelRequest_ = true;
  copyCancel_ = 1;
}

bool CVTDataStorageManager::IsCancelled() {
  vt::CVTSyncGuard guard(&lock_);
  return cancelRequest_;
}

int CVTDataStorageManager::RunOnStorage(const std::string& name, bool open,
                                        const std::function<int(CVTDataStorage&)>& operation) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string folder;
  if (int rc = GetStorageFolder(name, folder); rc != STORE_OK) return rc;
  auto storage = NewStorage();
  if (!storage) return STORE_NO_CONNECTION;
  storage->SetProgress(progress_);
  int rc = storage->SetPaths(folder);
  if (rc != STORE_OK) return open ? rc : STORE_FAILED;
  if (open && (rc = storage->Open()) != STORE_OK) return rc;
  BeginLongOperation(storage.get());
  rc = operation(*storage);
  // No longer reachable by a cancel before the object goes.
  EndLongOperation();
  return rc;
}

int CVTDataStorageManager::CheckStorage(const std::string& name) {
  return RunOnStorage(name, true, [](CVTDataStorage& storage) { return storage.CheckStorage(); });
}

int CVTDataStorageManager::RebuildStorage(const std::string& name) {
  return RunOnStorage(name, false, [&name](CVTDataStorage& storage) { return storage.RebuildIndex(name); });
}

int CVTDataStorageManager::CopyFolder(const std::string& source, const std::string& destination) {
  return CopyTree(source, destination, true);
}

int CVTDataStorageManager::CopyTree(const std::string& source, const std::string& destination,
                                    bool storageRoot) {
  if (!vt::IsUsablePath(source) || !vt::IsUsablePath(destination)) return STORE_INVALID_PATH;
  if (!vt::FolderExists(destination) && !vt::CreateFolder(destination)) return STORE_FAILED;
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(source, entries)) return STORE_FAILED;
  for (const vt::FolderEntry& entry : entries) {
    if (IsCancelled()) return STORE_INTERRUPTED;
    const std::string from = vt::JoinPath(source, entry.name);
    const std::string to = vt::JoinPath(destination, entry.name);
    if (entry.isFolder) {
      // A destination inside the source would be copied into itself without end.
      if (vt::IsSameFileObject(from, destination)) continue;
      if (int rc = CopyTree(from, to, false); rc != STORE_OK) return rc;
      continue;
    }
    // The lock file, a move's intent and an import's temporary copy belong to the storage that
    // works with them, never to a copy of it.
    if (storageRoot && CVTDataStorage::IsWorkingFileName(entry.name)) continue;
    if (vtstore::IsDatabaseFileOpen(from)) return STORE_STORAGE_OPEN;
    if (progress_) progress_("copy", from);
    Step("copy");
    if (vt::CopyFileCancellable(from, to, copyCancel_) != vt::CancellableCopyOutcome::Ok)
      return IsCancelled() ? STORE_INTERRUPTED : STORE_FAILED;
  }
  vt::FlushFolderToDisk(destination);
  return STORE_OK;
}

int CVTDataStorageManager::BackupStorage(const std::string& name, const std::string& destination) {
  if (!connection_) return STORE_NOT_OPEN;
  std::string folder;
  if (int rc = GetStorageFolder(name, folder); rc != STORE_OK) return rc;
  auto source = NewStorage();
  if (!source) return STORE_NO_CONNECTION;
  if (source->SetPaths(folder) != STORE_OK || source->Open() != STORE_OK) return STORE_STORAGE_UNAVAILABLE;
  // Held until the copy is complete: the backup is one state of the storage.
  CVTDataStorage::StorageLock lock(*source);
  if (!source->IsOpen()) return STORE_STORAGE_UNAVAILABLE;
  {
    std::string status;
    if (source->GetStatus(status) != STORE_OK) return STORE_FAILED;
    if (status != kStatusOk) return STORE_CORRUPTED;
  }
  // A move cut off half-way is finished first: a copy would keep the file where the index does
  // not have it, without the intent that says so.
  if (source->FinishInterruptedMove() != STORE_OK) return STORE_FAILED;
  source->Close();  // closed before the copy
  if (vt::PathExists(destination)) return STORE_EXISTS;
  // A backup inside the storage it copies would copy itself.
  std::string inside = destination;
  TrimTrailingBackslashes(inside);
  if (inside.compare(0, folder.size() + 1, folder + '/') == 0) return STORE_INVALID_PATH;
  if (!CreateFolderTree(destination)) return STORE_FAILED;
  const std::string marker = vt::JoinPath(destination, kBackupMarker);
  if (!vt::WriteFileAtomic(marker, {})) return STORE_FAILED;

  BeginLongOperation(nullptr);
  int rc = CopyFolder(folder, destination);
  CVTDataStorage copy;
  copy.SetBusyTimeout(busyTimeoutMs_);
  if (rc != STORE_OK) {
    if (copy.OpenAt(destination) == STORE_OK) copy.SetBackupStatus(kBackupInvalid);
    return rc;
  }
  if (copy.OpenAt(destination) != STORE_OK) return STORE_FAILED;
  Step("valid");
  const int marked = copy.SetBackupStatus(kBackupValid);
  copy.Close();
  // The status write is on disk before the marker goes, and the marker is gone for good before
  // the backup is reported complete.
  if (marked != STORE_OK || !vt::FlushFileToDisk(copy.GetIndexPath())) return STORE_FAILED;
  Step("unmark");
  if (!vt::DeleteFile(marker) || !vt::FlushFolderToDisk(destination)) return STORE_FAILED;
  return STORE_OK;
}

int CVTDataStorageManager::RestoreBackup(const std::string& backupFolder, const std::string& newName) {
  if (!connection_) return STORE_NOT_OPEN;
  {
    if (vt::PathExists(vt::JoinPath(backupFolder, kBackupMarker))) return STORE_BACKUP_INVALID;
    auto backup = NewStorage();
    std::string status;
    if (!backup || backup->SetPaths(backupFolder) != STORE_OK || backup->Open() != STORE_OK ||
        backup->GetBackupStatus(status) != STORE_OK || status != kBackupValid)
      return STORE_BACKUP_INVALID;
  }  // closed before the copy
  return RunUnderRootLock([&] { return RestoreUnderRootLock(backupFolder, newName); });
}

int CVTDataStorageManager::RestoreUnderRootLock(const std::string& backupFolder, const std::string& newName) {
  // A listed name is refused before anything is copied.
  std::string folder, dir;
  if (int rc = GetStorageFolder(newName, folder); rc != STORE_NOT_FOUND)
    return rc == STORE_OK ? STORE_FAILED : rc;
  if (!NewFolderName(&folder)) return STORE_FAILED;
  GetLastPathComponent(folder, &dir);
  // Built under the temporary name of a creation: whoever next holds the data root's lock
  // removes it when it was never listed, or gives it its name when only the rename is missing.
  const std::string building = vt::JoinPath(dataRoot_, kNewStoragePrefix + dir);
  auto fail = [&](int rc) {
    DeleteFolderTree(building);
    return rc;
  };

  BeginLongOperation(nullptr);
  if (int rc = CopyFolder(backupFolder, building); rc != STORE_OK) return fail(rc);
  {
    CVTDataStorage restored;
    restored.SetBusyTimeout(busyTimeoutMs_);
    if (restored.OpenAt(building) != STORE_OK) return fail(STORE_STORAGE_UNAVAILABLE);
    Step("name");
    if (restored.SetDatabaseName(newName) != STORE_OK ||
        restored.SetBackupStatus(kBackupActive) != STORE_OK) {
      restored.Close();
      return fail(STORE_FAILED);
    }
    restored.Close();
    if (!vt::FlushFileToDisk(restored.GetIndexPath())) return fail(STORE_FAILED);
  }
  Step("list");
  if (Run("INSERT INTO datastorage_list VALUES(?,?);", {newName, dir}) != RDB_OK) return fail(STORE_FAILED);
  Step("rename");
  if (!vt::MoveFile(building, folder)) {
    if (Run("DELETE FROM datastorage_list WHERE datastorage_name = ?;", {newName}) == RDB_OK)
      DeleteFolderTree(building);
    return STORE_FAILED;
  }
  return STORE_OK;
}

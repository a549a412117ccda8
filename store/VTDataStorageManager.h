// CVTDataStorageManager: the data root and its storage list "dslist.db".
//
// The data root holds the list and one folder per storage. Storages are addressed by name,
// unique in the list and equal to the database name inside the storage's own index; one of them
// is attached (the current one). A list that is missing or damaged (not a database of ours,
// without its tables, failing its integrity check) is never an error: it is rebuilt from the
// storage folders present. A list or index that another process keeps locked beyond the busy
// time-out is reported STORE_BUSY and left alone. The maintenance operations (check, rebuild,
// backup, restore, cancel) are built on this object elsewhere.
//
// Several processes may work on one data root at once. Opening (which may create or rebuild the
// list), rebuilding, creating and deleting storages run under one lock of the data root, shared
// by the threads of this process and by other processes. A new storage is built in a folder
// with a temporary name (kNewStoragePrefix + its GUID), listed once its index is complete and
// then renamed to its GUID; whoever next holds the lock finishes or removes a creation that was
// cut off, so a storage folder is either complete and listed or gone.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/base/NamedMutex.h"
#include "store/RDBConnection.h"
#include "store/StoreResult.h"
#include "store/VTDataStorage.h"
#include "store/VTSyncObject.h"

enum DATA_AREA_STATUS : int {
  AREA_STATUS_OK = 0,
  AREA_STATUS_CORRUPTED = 1,  // also: folder missing or index not openable
  AREA_STATUS_ABORTED = 2,
  AREA_STATUS_ABNORMAL_FILES = 3,
  AREA_STATUS_UNKNOWN = 4,
};

// One management area as the lists show it.
struct SDataAreaInfo {
  std::string name;
  std::string folder;  // the folder name in the list (the area controller makes it absolute)
  int status = AREA_STATUS_UNKNOWN;
  bool attached = false;
};

inline constexpr const char* kStorageListFileName = "dslist.db";
// The folder-name prefix of a storage still being created; such folders are never listed.
inline constexpr const char* kNewStoragePrefix = ".vtnew-";
// How long an operation waits for the data root's lock by default (milliseconds).
inline constexpr uint32_t kDefaultRootLockTimeoutMs = 60000;

class CVTDataStorageManager {
 public:
  CVTDataStorageManager();
  virtual ~CVTDataStorageManager();
  CVTDataStorageManager(const CVTDataStorageManager&) = delete;
  CVTDataStorageManager& operator=(const CVTDataStorageManager&) = delete;

  // Opens the list of the data root (an absolute path, created when missing).
  int Open(const std::string& root);
  bool IsOpen() const { return connection_ != nullptr; }
  int RebuildList(const std::string& listPath);

  // The number of listed storages (STORE_NOT_OPEN or STORE_FAILED in its place on failure).
  int GetCount();
  int GetStorageFolder(const std::string& name, std::string& folder);
  int ListWithStatus(SDataAreaInfo* records, int capacity, int& count);
  int GetAttachedName(std::string& name);
  void Detach();
  int Attach(const std::string& name);
  // A storage object with its paths set to the attached storage's folder, not opened; null when
  // nothing usable is attached.
  std::unique_ptr<CVTDataStorage> OpenAttachedStorage();
  bool NewFolderName(std::string* folder);

  int CreateStorage(const std::string& name);
  int DeleteStorage(const std::string& name);
  int RenameStorage(const std::string& oldName, const std::string& newName);

  // By storage name; 0 when not listed or the folder is missing, 5 when the manager is not open.
  uint64_t GetIndexFileSize(const std::string& name);
  int GetFileCount(const std::string& name);

  // Maintenance (VTDataStorageManagerMaintenance.cpp): long operations run on a worker, one at a
  // time; Cancel may come from any thread.
  int CheckStorage(const std::string& name);
  int RebuildStorage(const std::string& name);
  int BackupStorage(const std::string& name, const std::string& destination);
  int RestoreBackup(const std::string& backupFolder, const std::string& newName);
  // Copies a folder tree; a storage's working files at its top stay behind (IsWorkingFileName).
  int CopyFolder(const std::string& source, const std::string& destination);
  void Cancel();
  bool IsCancelled();
  // Told of each file the operations reach (on the thread that runs them).
  void SetProgress(MaintenanceProgress progress) { progress_ = std::move(progress); }
  // Tests look in (or stop the process) at each step of backup and restore that changes files:
  // "copy" before each file, then "valid", "unmark" (backup), "name", "list", "rename" (restore).
  void SetStepHook(std::function<void(const char* step)> hook) { stepHook_ = std::move(hook); }

  const std::string& GetDataRoot() const { return dataRoot_; }
  // The busy time-out of the list connection and of the storages the manager opens, and the
  // wait for the data root's lock; set before Open (tests shorten them).
  void SetBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }
  void SetRootLockTimeout(uint32_t milliseconds) { rootLockTimeoutMs_ = milliseconds; }
  // The area status of a storage's status text.
  static int AreaStatusOf(const std::string& statusText);

 private:
  class RootLockGuard;

  // Runs one statement with text parameters; the wrapper's result of Execute (or RDB_ERROR).
  int Run(const char* sql, std::initializer_list<std::string> params);
  // Opens the list file and checks it: STORE_OK, STORE_BUSY, or STORE_CORRUPTED when it must be
  // rebuilt. Other failures (an unreadable disk) give STORE_FAILED and touch nothing.
  int OpenAndCheckList(const std::string& listPath);
  // Finishes or removes the creations (and list rebuilds) that were cut off. Called with the
  // root lock held.
  void RecoverInterruptedCreates();
  // A storage object with the manager's busy time-out.
  std::unique_ptr<CVTDataStorage> NewStorage() const;
  // Makes storage the busy one (or none) and clears the cancel fields, under the lock.
  void BeginLongOperation(CVTDataStorage* storage);
  void EndLongOperation();
  // Check and rebuild: a storage object of the named storage (opened when asked), busy while
  // the operation runs on it.
  int RunOnStorage(const std::string& name, bool open, const std::function<int(CVTDataStorage&)>& operation);
  // CopyFolder; at the storage root (the top folder) the storage's working files stay behind.
  int CopyTree(const std::string& source, const std::string& destination, bool storageRoot);
  // Runs work with the data root's lock held, after the recovery of cut-off creations.
  int RunUnderRootLock(const std::function<int()>& work);
  // The restore proper, with the data root's lock held.
  int RestoreUnderRootLock(const std::string& backupFolder, const std::string& newName);
  void Step(const char* step) const {
    if (stepHook_) stepHook_(step);
  }

  std::unique_ptr<CRDBConnection> connection_;
  CVTCriticalSection lock_;  // guards the busy storage and the cancel fields
  std::string dbmsName_;
  std::string dataRoot_;
  vt::NamedMutex rootLock_;  // named after the data root; taken by Open, rebuild, create, delete
  int busyTimeoutMs_;
  uint32_t rootLockTimeoutMs_ = kDefaultRootLockTimeoutMs;
  // Fields of the long maintenance operations, reset under the lock before each.
  CVTDataStorage* busyStorage_ = nullptr;
  std::atomic<bool> cancelRequest_{false};
  std::atomic<int32_t> copyCancel_{0};
  MaintenanceProgress progress_;
  std::function<void(const char* step)> stepHook_;
};

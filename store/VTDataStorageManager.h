// CVTDataStorageManager: the data root and its storage list "dslist.db".
//
// The data root holds the list and one folder per storage. Storages are addressed by name,
// unique in the list and equal to the database name inside the storage's own index; one of them
// is attached (the current one). A list that is missing or cannot be read is never an error: it
// is rebuilt from the storage folders present. The maintenance operations (check, rebuild,
// backup, restore, cancel) are built on this object elsewhere.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

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

  const std::string& GetDataRoot() const { return dataRoot_; }
  // The area status of a storage's status text.
  static int AreaStatusOf(const std::string& statusText);

 private:
  // Runs one statement with text parameters; the wrapper's result of Execute (or RDB_ERROR).
  int Run(const char* sql, std::initializer_list<std::string> params);

  std::unique_ptr<CRDBConnection> connection_;
  CVTCriticalSection lock_;  // guards the busy storage and the cancel fields
  std::string dbmsName_;
  std::string dataRoot_;
  // Fields of the long maintenance operations, reset under the lock before each.
  CVTDataStorage* busyStorage_ = nullptr;
  std::atomic<bool> cancelRequest_{false};
  std::atomic<int32_t> copyCancel_{0};
};

// CDataAreaManager: the application's controller of management areas (data storages as the
// user sees them).
//
// It keeps the list of areas read from the storage manager and which one is current, holds the
// current storage twice (one object for the user-interface thread, one for the import worker),
// and runs the long maintenance operations (check, backup, restore, rebuild) on its own worker
// thread, one at a time. The area list, the two storages and the run arguments belong to the
// user-interface thread; the worker reads the run arguments and writes the result only while a
// run is in progress. The completion callback runs on the worker thread at the end of each run
// and must only post to the user interface, which then reloads the list itself: the list is
// never touched from the worker.
#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "store/CZThread.h"
#include "store/VTDataStorage.h"
#include "store/VTDataStorageManager.h"

enum DATA_AREA_OPERATION : int {
  DATA_AREA_CHECK = 4,
  DATA_AREA_BACKUP = 5,
  DATA_AREA_RESTORE = 6,
  DATA_AREA_REBUILD = 8,
};

class CDataAreaManager : public CZThread {
 public:
  using Completion = void (*)(void* userData);

  explicit CDataAreaManager(CVTDataStorageManager* storageManager);
  // Cancels and waits for a run in progress before anything of the controller goes.
  ~CDataAreaManager() override;

  // Reads the area list; true when the list was empty and the single area "Default" was made.
  bool LoadAreas();
  void MakeDefaultArea();
  // Creates what the list names but does not exist, attaches the current area when asked, and
  // opens the two storages of the attached area; true when the user-interface one opened.
  bool OpenCurrentArea(bool attach);
  // Attaches the area at index and reopens the storages (the previous area's when the attach
  // fails); true when the attach succeeded.
  bool SwitchArea(int index);
  void RefreshAreaStatus();

  // Starts a run of operation on the worker when it is idle; false when a run is in progress.
  // name: the area (or the restored area's new name); path: the backup folder.
  bool StartOperation(int operation, const std::string& name, const std::string& path = {});
  void SetCompletion(Completion callback, void* userData) {
    completion_ = callback;
    userData_ = userData;
  }

  void SetDataRoot(const std::string& root) { dataRoot_ = root; }
  const std::string& GetDataRoot() const { return dataRoot_; }
  void SetLogFolder(const std::string& folder) { logFolder_ = folder; }
  const std::string& GetLogFolder() const { return logFolder_; }
  const std::vector<SDataAreaInfo>& GetAreas() const { return areas_; }
  int GetCount() const { return int(areas_.size()); }
  int GetCurrentIndex() const { return currentIndex_; }
  CVTDataStorageManager* GetStorageManager() const { return storageManager_; }
  CVTDataStorage* GetUIStorage() { return uiStorage_.get(); }
  CVTDataStorage* GetWorkerStorage() { return workerStorage_.get(); }
  // The operation and result of the last run (read by the completion callback).
  int GetOperation() const { return operation_; }
  int GetResult() const { return result_.load(); }

 protected:
  bool Step() override;
  void End() override;

 private:
  void ReopenStorages();

  CVTDataStorageManager* storageManager_;
  std::unique_ptr<CVTDataStorage> uiStorage_;
  std::unique_ptr<CVTDataStorage> workerStorage_;
  std::string dataRoot_;
  std::vector<SDataAreaInfo> areas_;
  int currentIndex_ = 0;
  std::string logFolder_;
  std::string path_;
  std::string name_;
  int operation_ = 0;
  void* userData_ = nullptr;
  std::atomic<int> result_{STORE_OK};
  Completion completion_ = nullptr;
};

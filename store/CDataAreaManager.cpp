// CDataAreaManager: the controller of management areas (see CDataAreaManager.h).
#include "store/CDataAreaManager.h"

#include "platform/base/FileSystem.h"
#include "store/FolderHelpers.h"

namespace {

constexpr const char* kDefaultAreaName = "Default";

}  // namespace

CDataAreaManager::CDataAreaManager(CVTDataStorageManager* storageManager) : storageManager_(storageManager) {}

CDataAreaManager::~CDataAreaManager() {
  // A run still going would call back into a controller whose members are gone.
  if (!IsIdle()) {
    if (storageManager_) storageManager_->Cancel();
    Stop();
  }
  if (uiStorage_) uiStorage_->Close();
  if (workerStorage_) workerStorage_->Close();
}

void CDataAreaManager::MakeDefaultArea() {
  SDataAreaInfo area;
  area.name = kDefaultAreaName;
  area.folder.clear();
  area.status = AREA_STATUS_OK;
  area.attached = false;
  areas_.assign(1, area);
  currentIndex_ = 0;
}

bool CDataAreaManager::LoadAreas() {
  const int count = storageManager_->GetCount();
  if (count <= 0) {
    MakeDefaultArea();
    return true;
  }
  std::vector<SDataAreaInfo> areas(static_cast<std::size_t>(count));
  int listed = 0;
  storageManager_->ListWithStatus(areas.data(), count, listed);
  areas.resize(static_cast<std::size_t>(listed));
  for (std::size_t i = 0; i < areas.size(); ++i) {
    SDataAreaInfo& area = areas[i];
    std::string folder;
    area.folder = storageManager_->GetStorageFolder(area.name, folder) == STORE_OK ? folder : std::string();
    // A folder that went missing is made again (empty), so the area can still be deleted or
    // restored into.
    if (area.status == AREA_STATUS_CORRUPTED && !area.folder.empty() && !vt::FolderExists(area.folder))
      CreateFolderTree(area.folder);
    if (area.attached) currentIndex_ = int(i);
  }
  areas_ = std::move(areas);
  return false;
}

void CDataAreaManager::RefreshAreaStatus() {
  int listed = 0;
  const int capacity = int(areas_.size());
  if (capacity == 0) return;
  storageManager_->ListWithStatus(areas_.data(), capacity, listed);
  for (SDataAreaInfo& area : areas_) {
    std::string folder;
    area.folder = storageManager_->GetStorageFolder(area.name, folder) == STORE_OK ? folder : std::string();
  }
}

void CDataAreaManager::ReopenStorages() {
  uiStorage_.reset();
  workerStorage_.reset();
  uiStorage_ = storageManager_->OpenAttachedStorage();
}

bool CDataAreaManager::OpenCurrentArea(bool attach) {
  for (SDataAreaInfo& area : areas_) {
    // Creates only what is not listed yet (the "Default" area of an empty list).
    storageManager_->CreateStorage(area.name);
    std::string folder;
    area.folder = storageManager_->GetStorageFolder(area.name, folder) == STORE_OK ? folder : std::string();
  }
  if (attach && currentIndex_ >= 0 && currentIndex_ < GetCount())
    storageManager_->Attach(areas_[std::size_t(currentIndex_)].name);
  ReopenStorages();
  if (!uiStorage_) return false;
  const int rc = uiStorage_->Open();
  workerStorage_ = storageManager_->OpenAttachedStorage();
  return rc == STORE_OK;
}

bool CDataAreaManager::SwitchArea(int index) {
  if (index < 0 || index >= GetCount()) return false;
  const int attached = storageManager_->Attach(areas_[std::size_t(index)].name);
  // A failed attach leaves the previous area attached: it is the one reopened.
  ReopenStorages();
  if (uiStorage_) uiStorage_->Open();
  workerStorage_ = storageManager_->OpenAttachedStorage();
  return attached == STORE_OK;
}

bool CDataAreaManager::StartOperation(int operation, const std::string& name, const std::string& path) {
  if (!IsIdle()) return false;
  name_ = name;
  path_ = path;
  operation_ = operation;
  return Start();
}

bool CDataAreaManager::Step() {
  int result = STORE_FAILED;
  switch (operation_) {
    case DATA_AREA_CHECK:
      result = storageManager_->CheckStorage(name_);
      break;
    case DATA_AREA_BACKUP:
      result = storageManager_->BackupStorage(name_, path_);
      break;
    case DATA_AREA_RESTORE:
      result = storageManager_->RestoreBackup(path_, name_);
      break;
    case DATA_AREA_REBUILD:
      result = storageManager_->RebuildStorage(name_);
      break;
    default:
      break;
  }
  result_ = result;
  return false;
}

void CDataAreaManager::End() {
  if (completion_) completion_(userData_);
}

// The import worker (see CVTImportManager.h).
#include "store/CVTImportManager.h"

#include <cassert>

#include "platform/base/FileSystem.h"
#include "platform/base/FlushFileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/Text.h"
#include "platform/base/TimeEngine.h"
#include "store/FolderHelpers.h"
#include "store/StoreResult.h"
#include "store/VTDataStorage.h"

namespace {

bool EndsWith(const std::string& text, char c) { return !text.empty() && text.back() == c; }

std::string WithSeparator(const std::string& folder) { return EndsWith(folder, '/') ? folder : folder + "/"; }

// Results that book a file for good as failed: the status and the log line of each.
struct SFailureBooking {
  int result;
  int status;
  int code;
};

constexpr SFailureBooking kFailureBookings[] = {
    {STORE_CRC_ERROR, IMPORT_STATUS_CRC_ERROR, vt::LOG_CRC_ERROR},
    {STORE_COPY_ERROR, IMPORT_STATUS_COPY_ERROR, vt::LOG_COPY_ERROR},
    {STORE_UNSUPPORTED_FILE, IMPORT_STATUS_OPEN_ERROR, vt::LOG_OPEN_ERROR},
    {STORE_EXCEPTION, IMPORT_STATUS_EXCEPTION, vt::LOG_EXCEPTION},
    {STORE_INVALID_FILE, IMPORT_STATUS_INVALID_FILE, vt::LOG_INVALID_FILE},
    {STORE_INVALID_CHANNEL, IMPORT_STATUS_INVALID_CHANNEL, vt::LOG_INVALID_CHANNEL},
};

const SFailureBooking* FailureBookingOf(int result) {
  for (const SFailureBooking& b : kFailureBookings)
    if (b.result == result) return &b;
  return nullptr;
}

}  // namespace

CVTImportManager::CVTImportManager() = default;

CVTImportManager::~CVTImportManager() {
  Stop();
  CloseSession();
}

void CVTImportManager::SetFileCount(int n) {
  folderPath_.clear();
  files_.clear();
  if (n > 0) files_.assign(std::size_t(n), std::string());
}

void CVTImportManager::SetFile(int i, const std::string& path) {
  if (i < 0 || std::size_t(i) >= files_.size()) return;
  files_[std::size_t(i)] = path;
}

bool CVTImportManager::IsDataFileName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  // The extension may stand anywhere in the name ("X.DAE.BAKE"); the name must end in its last
  // letter. The reader decides about the contents.
  static constexpr const char* kExtensions[] = {".DAE", ".DAD", ".DEV", ".DDS"};
  for (const char* ext : kExtensions) {
    if (upper.find(ext) != std::string::npos && upper.back() == ext[3]) return true;
  }
  return false;
}

void CVTImportManager::OpenSession() {
  assert(storage_ != nullptr);
  // An index this program cannot write into (another schema version, damaged) stays closed:
  // every file of the run then reports the storage not open and nothing is booked into it.
  int opened = storage_->Open();
  if (opened != STORE_OK && opened != STORE_STORAGE_OPEN) storage_->Close();
  std::string databaseName;
  if (storage_->IsOpen()) storage_->GetDatabaseName(databaseName);
  storageFolder_ = storage_->GetFolder();

  importListPath_ = vt::JoinPath(storageFolder_, kImportListFileName);
  const std::string logFolder = vt::JoinPath(basePath_, "Morvane/Vantrel/LOG");
  const std::string storageLogFolder = COperationLog::StorageFolderFor(logFolder, databaseName);
  logPrefix_ = vt::JoinPath(storageLogFolder, "import");

  if (!listManager_) {
    listManager_ = std::make_unique<CVTImportListManager>();
    listManager_->Open(importListPath_);
    list_ = listManager_->GetList();
  }
  if (!log_) {
    log_ = std::make_unique<COperationLog>();
    log_->SetPrefix(logPrefix_);
    CreateFolderTree(storageLogFolder);
    log_->Open();
    if (!listManager_->GetSetAsidePath().empty()) {
      Log(vt::LOG_IMPORT_LIST_RECREATED, &listManager_->GetSetAsidePath());
    }
  }
  addedCount_ = 0;
  bookedCount_ = 0;
  instrumentLimit_ = false;
  // A run that meets no file must not report what an earlier run met.
  lastResult_ = -1;
}

void CVTImportManager::CloseSession() {
  if (storage_) storage_->Close();
  if (log_) log_->Close();
  list_ = nullptr;
  listManager_.reset();
  log_.reset();
  files_.clear();
}

bool CVTImportManager::Begin() {
  OpenSession();
  return true;
}

bool CVTImportManager::Step() { return RunImport(); }

void CVTImportManager::End() {
  const bool booked = bookedCount_ > 0 || addedCount_ > 0;
  CloseSession();
  // One flush for the whole run instead of one per booked row.
  if (booked && !storageFolder_.empty()) vt::FlushFileSystem(storageFolder_);
  if (callback_) callback_(userData_);
}

void CVTImportManager::Log(int code, const std::string* argument) {
  if (!log_) return;
  if (!argument) {
    log_->Write(code);
  } else if (std::string mended;
             !vt::IsValidUtf8(*argument) && vt::CodePageToUtf8(*argument, 65001, mended)) {
    // The log is UTF-8 text: a path that is not shows its bytes replaced, as the index names it.
    log_->WriteWithText(code, mended);
  } else {
    log_->WriteWithText(code, *argument);
  }
}

bool CVTImportManager::ShouldStop() const {
  return IsStopRequested() || lastResult_ == STORE_INDEX_FILE_LIMIT || lastResult_ == STORE_DISK_FULL;
}

bool CVTImportManager::RunImport() {
  bool complete = false;
  scannedFolders_.clear();
  switch (mode_) {
    case IMPORT_MODE_AUTOMATIC:
      Log(vt::LOG_START_AUTOMATIC_IMPORT);
      if (folderTable_) {
        for (int i = 0; i < AUTO_IMPORT_FOLDER_COUNT; ++i) {
          const vt::SAutoImportFolder& entry = folderTable_[i];
          if (!entry.inUse) continue;
          complete = ScanFolder(entry.folderPath, entry.withSubfolders, entry.convertMode);
          if (!complete) break;
        }
      }
      break;
    case IMPORT_MODE_MANUAL:
      Log(vt::LOG_START_MANUAL_IMPORT);
      complete = !folderPath_.empty() ? ScanFolder(folderPath_, withSubfolders_, vt::AUTO_IMPORT_CONVERT_NONE)
                                      : ImportFileList();
      break;
    case IMPORT_MODE_FILE_OPEN:
      Log(vt::LOG_START_FILE_OPEN_IMPORT);
      complete = ImportFileList();
      break;
    default:
      break;
  }
  Log(complete ? vt::LOG_FINISH_IMPORT : vt::LOG_DISTURB_IMPORT);
  if (instrumentLimit_) lastResult_ = STORE_INSTRUMENT_LIMIT;
  return false;
}

bool CVTImportManager::ScanFolder(const std::string& folder, bool withSubfolders, int convertMode) {
  const std::string base = WithSeparator(folder);
  // A folder reached a second time (a link back up, two links to one folder) is not scanned
  // again: the scan ends, and no file is met twice in a run.
  vt::FileStamp identity;
  if (vt::GetFileStamp(base, identity) && !scannedFolders_.insert({identity.device, identity.inode}).second)
    return true;
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(base, entries)) return true;  // a missing folder has nothing to import
  std::string copyPath;  // a scan's own, the worker's copy path stays that of a file list
  for (const vt::FolderEntry& entry : entries) {
    const std::string path = base + entry.name;
    if (entry.isFolder && !withSubfolders) continue;
    if (!entry.isFolder && !IsDataFileName(entry.name)) continue;
    // Longer than the system takes (with the separator a folder's scan adds): said, not skipped
    // in silence.
    if (path.size() + (entry.isFolder ? 1 : 0) >= vt::kMaxSystemPath) {
      Log(vt::LOG_IMPORT_ERROR, &path);
      continue;
    }
    if (entry.isFolder) {
      ScanFolder(path, withSubfolders, convertMode);
      if (ShouldStop()) return false;
      continue;
    }
    const bool isNew = ImportOneFile(path, copyPath);
    if (ShouldStop()) return false;
    if (isNew && convertMode != vt::AUTO_IMPORT_CONVERT_NONE) {
      ConvertImportedFile(base, path, convertMode);
      if (ShouldStop()) return false;
    }
  }
  return true;
}

bool CVTImportManager::IsBeingWritten(const std::string& path) const {
  // Another program may still be copying the file in, without a lock we could see: a file
  // changed within the last two seconds is left for the next run.
  constexpr int64_t kSettleTicks = 2 * vt::kTicksPerSecond;
  vt::FileStamp stamp;
  if (!vt::GetFileStamp(path, stamp)) return false;
  const int64_t modified = stamp.modifiedNs / 100 + vt::kEpochDifferenceTicks;
  const int64_t age = (clock_ ? clock_() : CurrentTickTime()).ticks - modified;
  return age >= 0 && age < kSettleTicks;
}

bool CVTImportManager::ImportFileList() {
  for (const std::string& path : files_) {
    ImportOneFile(path, copyPath_);
    if (ShouldStop()) return false;
  }
  return true;
}

void CVTImportManager::BookStatus(int listed, const std::string& path, const std::string& copyPath,
                                  int status) {
  if (!list_) return;
  if (listed == IMPORT_STATUS_NONE)
    list_->InsertFile(path, copyPath, status);
  else
    list_->UpdateFile(path, copyPath, status);
  ++bookedCount_;
}

bool CVTImportManager::ImportOneFile(const std::string& path, std::string& copyPath) {
  lastResult_ = -1;
  const int listed = list_ ? list_->GetStatus(path) : IMPORT_STATUS_NONE;
  bool attempt = false;
  switch (mode_) {
    case IMPORT_MODE_AUTOMATIC:
      attempt = listed == IMPORT_STATUS_NONE;
      break;
    case IMPORT_MODE_MANUAL:
      attempt =
          listed == IMPORT_STATUS_NONE || listed == IMPORT_STATUS_DELETED || listed == IMPORT_STATUS_IN_TRASH;
      break;
    case IMPORT_MODE_FILE_OPEN:
      attempt = listed == IMPORT_STATUS_NONE || listed == IMPORT_STATUS_IMPORTED ||
                listed == IMPORT_STATUS_DELETED || listed == IMPORT_STATUS_IMPORTED_ALREADY ||
                listed == IMPORT_STATUS_IN_TRASH;
      break;
    default:
      break;
  }
  if (!attempt) return false;

  // A failed file leaves no copy path behind: failures are booked without one, so that a later
  // status change of some stored file never reaches their rows.
  copyPath.clear();
  lastResult_ = mode_ == IMPORT_MODE_AUTOMATIC && IsBeingWritten(path)
                    ? STORE_SHARE_VIOLATION
                    : storage_->ImportFile(path, &copyPath);
  const std::string none;
  switch (lastResult_) {
    case STORE_OK:
      BookStatus(listed, path, copyPath, IMPORT_STATUS_IMPORTED);
      Log(vt::LOG_IMPORT, &path);
      ++addedCount_;
      break;
    case STORE_IMPORTED_ALREADY:
      // A stored copy that no row books as imported is this path's own: an import that was
      // stopped after its commit and before its booking. It is booked now, as imported.
      if (listed != IMPORT_STATUS_IMPORTED && list_ && !list_->HasImportedRowFor(copyPath)) {
        BookStatus(listed, path, copyPath, IMPORT_STATUS_IMPORTED);
        Log(vt::LOG_IMPORT, &path);
        ++addedCount_;
        break;
      }
      if (mode_ == IMPORT_MODE_FILE_OPEN) break;
      BookStatus(listed, path, copyPath, IMPORT_STATUS_IMPORTED_ALREADY);
      Log(vt::LOG_IMPORTED_ALREADY, &path);
      break;
    case STORE_IN_TRASH: {
      if (mode_ == IMPORT_MODE_AUTOMATIC) {
        Log(vt::LOG_IMPORTED_ALREADY, &path);
        break;
      }
      std::string restored;
      int rc = storage_->RestoreFile(copyPath, &restored);
      if (rc != STORE_OK) {
        // Reported as the restore's failure, with no copy path to show.
        lastResult_ = rc;
        copyPath.clear();
        break;
      }
      copyPath = restored;
      BookStatus(listed, path, copyPath, IMPORT_STATUS_IMPORTED);
      Log(vt::LOG_REVERSE, &path);
      ++addedCount_;
      break;
    }
    case STORE_INDEX_FILE_LIMIT:
      Log(vt::LOG_LIMIT_INDEX_FILE);
      break;
    case STORE_INSTRUMENT_LIMIT:
      instrumentLimit_ = true;
      Log(vt::LOG_LIMIT_INSTRUMENTS, &path);
      break;
    case STORE_DISK_FULL:
      Log(vt::LOG_DISK_FULL);
      break;
    case STORE_SHARE_VIOLATION:
      Log(vt::LOG_SHARE_VIOLATION, &path);
      break;
    default:
      if (const SFailureBooking* failure = FailureBookingOf(lastResult_)) {
        BookStatus(listed, path, none, failure->status);
        Log(failure->code, &path);
      } else {
        Log(vt::LOG_IMPORT_ERROR, &path);
      }
      break;
  }
  return mode_ == IMPORT_MODE_AUTOMATIC && listed == IMPORT_STATUS_NONE && lastResult_ == STORE_OK;
}

void CVTImportManager::ConvertImportedFile(const std::string& folder, const std::string& path,
                                           int convertMode) {
  if (!converter_) return;
  const int format =
      convertMode == vt::AUTO_IMPORT_CONVERT_WORKBOOK ? vt::IMPORT_CONVERT_WORKBOOK : vt::IMPORT_CONVERT_TEXT;
  std::vector<std::string> written;
  if (converter_(path, WithSeparator(folder), format, written) != 0) {
    Log(vt::LOG_CONVERT_ERROR, &path);
    return;
  }
  for (const std::string& output : written) Log(vt::LOG_CONVERT, &output);
}

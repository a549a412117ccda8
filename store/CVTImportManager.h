// CVTImportManager: the import worker. One run (one thread start) imports, in one of three
// modes, the files of the configured folders (automatic), of one chosen folder or a list of
// chosen files (manual), or one opened file (file open). For every file it asks the import list
// what happened to that path before, decides whether to import it, imports it into the worker's
// own storage object, books the outcome in the list, writes it to the operation log and, for
// automatic imports of folders that ask for it, has the new file converted at once.
//
// The worker depends on neither the conversion code nor the application: the owner gives it a
// converter, the folder table and a completion callback. The callback runs on the worker thread
// after the run's session has closed; it must only read the worker's results and post.
// A run that booked anything ends with one flush of the storage's file system, so what a
// finished run booked survives a power loss. A file that is still being written (changed in the
// last two seconds, or while it was imported) is not booked and is tried again at the next run.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "store/AutoImportFolder.h"
#include "store/COperationLog.h"
#include "store/CVTImportList.h"
#include "store/CZThread.h"
#include "store/StoreClock.h"

class CVTDataStorage;

enum IMPORT_MODE : int {
  IMPORT_MODE_AUTOMATIC = 0,
  IMPORT_MODE_MANUAL = 1,
  IMPORT_MODE_FILE_OPEN = 2,
};

namespace vt {

// Output formats of a conversion after import.
enum IMPORT_CONVERT_FORMAT : int { IMPORT_CONVERT_WORKBOOK = 0, IMPORT_CONVERT_TEXT = 1 };

}  // namespace vt

// Converts one newly imported file: source path, destination folder (ending in '/'), format.
// Returns 0 on success with the paths of every file written in writtenPaths, in order; any other
// value is a failure.
using ImportConverter = std::function<int(const std::string& source, const std::string& destinationFolder,
                                          int format, std::vector<std::string>& writtenPaths)>;
// Called with the user data at the end of every run.
using ImportDoneCallback = void (*)(void* userData);

class CVTImportManager : public CZThread {
 public:
  CVTImportManager();
  // Stops a running run and waits for it, then closes the session.
  ~CVTImportManager() override;

  // Owner settings (made at start-up).
  void SetStorage(CVTDataStorage* storage) { storage_ = storage; }
  void SetBasePath(const std::string& basePath) { basePath_ = basePath; }
  void SetFolderTable(const vt::SAutoImportFolder* table) { folderTable_ = table; }
  void SetConverter(ImportConverter converter) { converter_ = std::move(converter); }
  // The clock of the test whether a file is still being written (the system clock if empty).
  void SetClock(StoreClock clock) { clock_ = std::move(clock); }
  void SetCallback(ImportDoneCallback callback, void* userData) {
    callback_ = callback;
    userData_ = userData;
  }

  // Run parameters (set while the worker is idle).
  void SetMode(int mode) { mode_ = mode; }
  // A manual folder import: the folder and whether to descend into its sub-folders.
  void SetFolder(const std::string& folder, bool withSubfolders) {
    folderPath_ = folder;
    withSubfolders_ = withSubfolders;
  }
  // Empties the folder path and makes a list of n empty paths (none for n <= 0).
  void SetFileCount(int n);
  // Sets path i; ignored outside the list.
  void SetFile(int i, const std::string& path);

  // The run's results, read by the owner (in the completion callback, or once idle).
  int GetMode() const { return mode_; }
  int GetAddedCount() const { return addedCount_; }
  int GetLastResult() const { return lastResult_; }
  const std::string& GetCopyPath() const { return copyPath_; }

  // The run's context; the main window's batch operations open it too, with the worker stopped,
  // to reach the import list and the operation log.
  void OpenSession();
  void CloseSession();
  CVTImportList* GetImportList() { return list_; }
  COperationLog* GetOperationLog() { return log_.get(); }
  // "<base>/Morvane/Vantrel/LOG/<database name>/import" of the open session.
  const std::string& GetLogPrefix() const { return logPrefix_; }
  const std::string& GetImportListPath() const { return importListPath_; }

  // Whether a file name (without folder) names a recorder data file by its extension.
  static bool IsDataFileName(const std::string& name);

 protected:
  bool Begin() override;
  bool Step() override;  // RunImport
  void End() override;

 private:
  bool RunImport();
  // True: complete; false: stopped early.
  bool ScanFolder(const std::string& folder, bool withSubfolders, int convertMode);
  bool ImportFileList();
  // True only for a new file of an automatic run (asks for its conversion).
  bool ImportOneFile(const std::string& path, std::string& copyPath);
  void BookStatus(int listed, const std::string& path, const std::string& copyPath, int status);
  void ConvertImportedFile(const std::string& folder, const std::string& path, int convertMode);
  bool ShouldStop() const;
  // Whether the file changed so recently that it may still be being written.
  bool IsBeingWritten(const std::string& path) const;
  void Log(int code, const std::string* argument = nullptr);

  // Owner settings.
  CVTDataStorage* storage_ = nullptr;
  std::string basePath_;
  const vt::SAutoImportFolder* folderTable_ = nullptr;
  ImportConverter converter_;
  StoreClock clock_;
  ImportDoneCallback callback_ = nullptr;
  void* userData_ = nullptr;

  // Run parameters.
  int mode_ = IMPORT_MODE_AUTOMATIC;
  std::string folderPath_;
  bool withSubfolders_ = false;
  std::vector<std::string> files_;

  // Session and results.
  std::unique_ptr<CVTImportListManager> listManager_;
  CVTImportList* list_ = nullptr;
  std::unique_ptr<COperationLog> log_;
  std::string importListPath_;
  std::string logPrefix_;
  std::string storageFolder_;
  int addedCount_ = 0;
  int bookedCount_ = 0;
  int lastResult_ = -1;
  bool instrumentLimit_ = false;
  std::string copyPath_;
  // Device and inode of every folder the run scanned.
  std::set<std::pair<uint64_t, uint64_t>> scannedFolders_;
};

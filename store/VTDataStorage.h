// CVTDataStorage: one data storage, a folder under the data root named by an upper-case GUID.
//
// The folder holds the index "fileidx.db", the stored data files under "FILES" and the deleted
// ones under "TRASH". The object opens the index on its own connection and holds the storage's
// named mutex ("_VANTRL_DS_" + database name + "_MTX_"), so that several objects on one storage
// (the user interface's, the import worker's, another process's) exclude each other's writers.
// An index of another schema version is never kept open: this program must not write into it.
// An index that stays locked by another connection beyond the busy time-out is reported busy
// (STORE_BUSY), never as damaged. Stored paths relative to the folder use '/'.
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "recorder/TickTime.h"
#include "store/RDBConnection.h"
#include "store/StoreResult.h"
#include "store/VTSyncObject.h"
#include "store/VTTable.h"

// The total free bytes at or below which a storage's disk counts as full.
inline constexpr uint64_t MIN_FREE_DISK_BYTES = 0xA00000;
// The size of "fileidx.db" from which no file is imported any more.
inline constexpr uint64_t INDEX_FILE_LIMIT = 0x80000000;
// Instruments a storage holds at most.
inline constexpr int MAX_INSTRUMENTS = 300;

// The points of an import, in order, at which a test may look in (or stop the process).
enum class ImportStep { Begun, CopyWritten, Indexed, FolderMade, CopyInPlace, Committed };
// The points of a move to or from the deleted data and of a purge, in order, at which a test may
// look in (or stop the process). A move to TRASH reports IndexChanged twice: rows deleted, trash
// row written.
enum class MoveStep { Begun, IndexChanged, FolderMade, IntentRecorded, FileMoved, Committed, Finished };

class CVTDataFileAccess;

// What a long maintenance operation reports as it advances: the step ("check", "index", "trash",
// "copy") and the file it has reached.
using MaintenanceProgress = std::function<void(const char* step, const std::string& item)>;

// What tests put in place of the machine: the free bytes of the storage's disk (false: unknown),
// the reader factory of the import, and a look-in at each step of an import, a move or a purge.
struct SStorageSeams {
  std::function<bool(uint64_t& freeBytes)> freeSpace = {};
  std::function<int(const std::string& path, CVTDataFileAccess** reader)> openReader = {};
  std::function<void(ImportStep)> onImportStep = {};
  std::function<void(MoveStep)> onMoveStep = {};
};

class CVTDataStorage {
 public:
  CVTDataStorage();
  virtual ~CVTDataStorage();
  CVTDataStorage(const CVTDataStorage&) = delete;
  CVTDataStorage& operator=(const CVTDataStorage&) = delete;

  // Sets the folder and the index path; STORE_OPEN_FAILED when the folder does not exist.
  int SetPaths(const std::string& folder);
  // Opens the index of the folder set before: connection, version check, storage mutex.
  int Open();
  int OpenAt(const std::string& folder);
  void Close();
  bool IsOpen() const { return connection_ != nullptr; }
  // A new storage in a folder that does not exist yet, with the index of the given name.
  // areaPath is the folder the index records as its own (empty: folder); the storage manager
  // builds a storage under a temporary name and renames it to its final folder when complete.
  int Create(const std::string& folder, const std::string& databaseName, const std::string& areaPath = {});
  // The busy time-out of the connections this object makes from now on (milliseconds).
  void SetBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }
  // Applies a busy time-out to a connection of the database wrapper.
  static void ApplyBusyTimeout(CRDBConnection* connection, int milliseconds);

  // A query cursor on the index; null while the storage is not open.
  std::unique_ptr<CVTTable> NewTable();

  int GetStatus(std::string& status);
  int SetStatus(const std::string& status);
  int GetBackupStatus(std::string& status);
  int SetBackupStatus(const std::string& status);
  int GetDatabaseName(std::string& name);
  int SetDatabaseName(const std::string& name);
  int CreateSchema(const std::string& databaseName, const std::string& areaPath);
  // The same on any open connection to a new, empty file (the rebuild's work file too).
  static int CreateSchemaOn(CRDBConnection* connection, const std::string& databaseName,
                            const std::string& areaPath);

  // topFolder/serial/year/month/name for the UTC year and month of time, with the
  // name made unique among the files present in the storage folder.
  int NewFilePath(const std::string& topFolder, const std::string& serialNo, const std::string& fileName,
                  std::string& relativePath, TickTime time);
  // Copies a stored file out, replacing the destination, and leaves the copy writable.
  int ExportFile(const std::string& relativePath, const std::string& destination);
  int GetFileCount();
  uint64_t GetIndexFileSize();
  bool IsDiskFull();
  int RenameInstrument(const std::string& newName, const std::string& serialNo);
  int DeleteInstrument(const std::string& serialNo);

  // Import of one recorder file: limits, in-use test, indexing and the read-only copy under
  // FILES, all in one transaction. copyPath receives the stored (or deleted) copy's path on
  // STORE_OK, STORE_IMPORTED_ALREADY and STORE_IN_TRASH and is left alone otherwise.
  int ImportFile(const std::string& sourcePath, std::string* copyPath);
  // The index rows of one file, inside the caller's transaction. In place: the file lies in the
  // storage already and copyPath receives its relative path; otherwise copyPath receives a new
  // path under FILES.
  int ImportDataFile(std::string* copyPath, const std::string& sourcePath, bool inPlace);
  // Deleted data: the rows of a stored file, the trash row, and the three moves. A path given to
  // a move must name a row of this storage (a file row under "FILES/", a trash row under
  // "TRASH/"); "..", "." and empty parts are refused before anything is looked up.
  int DeleteFileRows(const std::string& relativePath, std::string* fileName);
  int AddTrashRow(const std::string& trashPath, const std::string& fileName);
  int MoveFileToTrash(const std::string& relativePath);
  int RestoreFile(const std::string& trashPath, std::string* copyPath);
  int PurgeFile(const std::string& relativePath);
  // Finishes or undoes a move or purge that a killed process left half-done, from the intent it
  // recorded before moving the file. Runs at open and before each move; STORE_OK when nothing
  // was left, STORE_FAILED when the file cannot be put where the index says (tried again later).
  int FinishInterruptedMove();
  // Whether a serial number can name a folder under FILES and TRASH.
  static bool IsSafeFolderName(const std::string& name);

  void SetSeams(SStorageSeams seams) { seams_ = std::move(seams); }

  // Maintenance (VTDataStorageMaintenance.cpp): the consistency check of the open index against
  // the stored files, and the rebuild of the index from them.
  int CheckStorage();
  int RebuildIndex(const std::string& databaseName);
  int ReimportFolder(const std::string& folder);
  int ReaddTrashFolder(const std::string& folder);
  void SetProgress(MaintenanceProgress progress) { progress_ = std::move(progress); }

  // The n-th alternative of a taken name: "-VT-" and n before the extension (A.DAE -> A-VT-1.DAE,
  // NODOT -> NODOT-VT-1); the stem of a long name is shortened to keep it within 255 bytes.
  static int UniqueFileName(const std::string& name, int n, std::string& out);
  // The name without the one suffix UniqueFileName (or an older version: A.DAE.-VT-1) added;
  // any other name comes back unchanged. Only names of stored files carry such a suffix.
  static int StripUniqueSuffix(const std::string& name, std::string& out);
  // Opens a stored file through the reader factory, also one an older version named with its
  // suffix after the extension.
  static int OpenStoredFile(const std::string& path, CVTDataFileAccess** reader);
  // The relative path wanted, or the first alternative of its name that no file takes.
  std::string FreeRelativePath(const std::string& wanted) const;
  // The storage mutex's name for a database name.
  static std::string MutexName(const std::string& databaseName);

  const std::string& GetFolder() const { return folder_; }
  const std::string& GetIndexPath() const { return indexPath_; }
  // The storage mutex, named when the storage opens. Writers of the index take it.
  CVTMutex& GetMutex() { return mutex_; }
  CRDBConnection* GetConnection() { return connection_.get(); }

  // Set by the storage manager's cancel, tested by long maintenance operations.
  void SetCancelRequest(bool value) { cancelRequest_ = value; }
  bool IsCancelRequested() const { return cancelRequest_; }
  void SetStatementRunning(bool value) { statementRunning_ = value; }
  bool IsStatementRunning() const { return statementRunning_; }
  // Any thread: interrupts the statement that the statement-running flag announces and clears
  // the flag. Never meets a connection being closed (both hold the same lock).
  void InterruptRunningStatement();

 private:
  // One text column of the single database_info row.
  int ReadInfoText(const char* sql, std::string& out, bool noRowIsError);
  int WriteInfoText(const char* sql, const std::string& value, int noStatementResult);
  // Import helpers (VTDataStorageImport.cpp).
  void ImportStepReached(ImportStep step);
  void MoveStepReached(MoveStep step);  // VTDataStorageTrash.cpp
  int RemoveStrayCopies(const std::string& serialNo, const std::string& fileName, TickTime time,
                        const std::string& copiedPath);
  // ImportDataFile with the file read from readPath while its name comes from sourcePath.
  int ImportDataFileFrom(std::string* copyPath, const std::string& sourcePath, const std::string& readPath,
                         bool inPlace);
  // The temporary copy of an import in progress.
  std::string ImportCopyPath(const std::string& sourcePath) const;
  // file.file_name of a source: its last component, without a suffix of ours when it is a file
  // of this storage, and valid UTF-8.
  std::string StoredFileName(const std::string& sourcePath) const;
  // Maintenance helpers.
  int CheckFiles(int64_t totals[8]);
  void Progress(const char* step, const std::string& item) const {
    if (progress_) progress_(step, item);
  }

  CVTMutex mutex_;
  std::unique_ptr<CRDBConnection> connection_;
  std::string dbmsName_;
  std::string folder_;
  std::string indexPath_;
  int busyTimeoutMs_;
  std::atomic<bool> cancelRequest_{false};
  std::atomic<bool> statementRunning_{false};
  std::mutex interruptMutex_;  // orders the interrupt against the flag and against Close
  SStorageSeams seams_;
  MaintenanceProgress progress_;
};

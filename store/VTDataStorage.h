// CVTDataStorage: one data storage, a folder under the data root named by an upper-case GUID.
//
// The folder holds the index "fileidx.db", the stored data files under "FILES" and the deleted
// ones under "TRASH". The object opens the index on its own connection and holds the storage's
// named mutex ("_VANTRL_DS_" + database name + "_MTX_") together with a lock on the file
// "fileidx.lock" in the folder (created when missing), so that several objects on one storage
// (the user interface's, the import worker's, another process's, whatever its runtime folder or
// user) exclude each other's writers. Import, trash, restore, purge, check, rebuild and backup
// work under that lock. A rebuild replaces the index file; a holder of the lock whose connection
// still reads the replaced file reopens it first (StorageLock). A rebuild cut off after its new
// index was complete is finished by whoever next opens the storage or takes its lock with an
// open connection; opening then finishes a move to or from the deleted data that was cut off.
//
// Besides the index, FILES and TRASH, the folder may hold the lock file, a move's intent and an
// import's temporary copy: none of them is a stored file, and a backup copies none of them.
//
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
#include <vector>

#include "recorder/TickTime.h"
#include "store/RDBConnection.h"
#include "store/StoreResult.h"
#include "store/VTSyncObject.h"
#include "store/VTTable.h"

// The total free bytes at or below which a storage's disk counts as full.
inline constexpr uint64_t MIN_FREE_DISK_BYTES = 0xA00000;
// The size of "fileidx.db" from which no file is imported any more.
inline constexpr uint64_t INDEX_FILE_LIMIT = 0x80000000;
// The rebuild's new index until it is swapped in, and the name older versions gave the old index
// during the swap.
inline constexpr const char* kRebuildIndexName = "temp.db";
inline constexpr const char* kSwappedIndexName = "fileidx-old.db";
// The file in a storage folder whose lock excludes every process working on the storage.
inline constexpr const char* kStorageLockFileName = "fileidx.lock";
// The intent a move to or from the deleted data records in the storage folder while it runs.
inline constexpr const char* kMoveIntentFileName = "move.vtintent";
// The name (before the source's extension) of an import's temporary copy in the storage folder.
inline constexpr const char* kImportCopyPrefix = ".import";
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

namespace vt {

// What tests put in place of the machine: the free bytes of the storage's disk (false: unknown),
// the reader factory of the import, and a look-in at each step of an import, a move or a purge.
struct SStorageSeams {
  std::function<bool(uint64_t& freeBytes)> freeSpace = {};
  std::function<int(const std::string& path, CVTDataFileAccess** reader)> openReader = {};
  std::function<void(ImportStep)> onImportStep = {};
  std::function<void(MoveStep)> onMoveStep = {};
  // Each step of a rebuild that changes files ("index", "commit", "move", "swap", ...).
  std::function<void(const char* step)> onRebuildStep = {};
};

}  // namespace vt

class CVTDataStorage {
 public:
  // Holds the storage's lock for a block (waiting without limit) and makes sure the open
  // connection reads the index now in the folder: a rebuild, in any process, may have put a new
  // index file in place since this object opened it, or left one complete but not yet swapped
  // in (which is then swapped in first). Result: STORE_OK, or why the index could not be opened
  // again (the storage is then closed).
  class StorageLock {
   public:
    explicit StorageLock(CVTDataStorage& storage);
    ~StorageLock();
    StorageLock(const StorageLock&) = delete;
    StorageLock& operator=(const StorageLock&) = delete;
    int Result() const { return result_; }

   private:
    CVTDataStorage& storage_;
    bool locked_ = false;
    int result_ = STORE_OK;
  };

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
  // readFrom: where the file lies now when it is not yet at trashPath (empty: at trashPath).
  int AddTrashRow(const std::string& trashPath, const std::string& fileName,
                  const std::string& readFrom = {});
  int MoveFileToTrash(const std::string& relativePath);
  int RestoreFile(const std::string& trashPath, std::string* copyPath);
  int PurgeFile(const std::string& relativePath);
  // Finishes or undoes a move or purge that a killed process left half-done, from the intent it
  // recorded before moving the file. Runs at open and before each move; STORE_OK when nothing
  // was left, STORE_FAILED when the file cannot be put where the index says (tried again later).
  int FinishInterruptedMove();
  // Whether a name in the storage folder itself is one of the storage's own working files (the
  // lock file, a move's intent, an import's temporary copy), which no copy of the storage takes.
  static bool IsWorkingFileName(const std::string& name);
  // Whether a serial number can name a folder under FILES and TRASH.
  static bool IsSafeFolderName(const std::string& name);

  void SetSeams(vt::SStorageSeams seams) { seams_ = std::move(seams); }

  // Maintenance (VTDataStorageMaintenance.cpp): the consistency check of the open index against
  // the stored files, and the rebuild of the index from them.
  int CheckStorage();
  int RebuildIndex(const std::string& databaseName);
  // Indexes the files below folder in place; a file refused for a reason in the file itself is
  // noted for the deleted data (moved once the new index is complete), any other failure ends
  // the walk with its result.
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
  // The relative path wanted, or the first alternative of its name that no file takes and that
  // alsoTaken (paths given out but not used yet) does not hold.
  std::string FreeRelativePath(const std::string& wanted,
                               const std::vector<std::string>& alsoTaken = {}) const;
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
  // The connection to the index of the folder, and the identity of the file it opened.
  int OpenConnection();
  // Names the storage mutex (with the folder's lock file) unless it is named so already.
  void NameMutex(const std::string& databaseName);
  // Maintenance helpers.
  int CheckFiles(int64_t totals[8]);
  int RebuildUnderLock(const std::string& databaseName);
  // Finishes (new index complete) or undoes (not complete) a rebuild that was cut off; called
  // with the storage's lock held and no connection open.
  int FinishInterruptedRebuild();
  // Whether a rebuild left its new index (or an older version the old one) in the folder.
  bool RebuildLeftBehind() const;
  // Before a rebuild (lock held, no connection open): a move cut off is finished from the index
  // in place when that still reads, else its file goes back to where it was before the move, so
  // the rebuild indexes it there and never takes a purge's parting name for a stored file.
  int SettleMoveBeforeRebuild();
  void RebuildStep(const char* step) const {
    if (seams_.onRebuildStep) seams_.onRebuildStep(step);
  }
  void Progress(const char* step, const std::string& item) const {
    if (progress_) progress_(step, item);
  }

  CVTMutex mutex_;
  std::unique_ptr<CRDBConnection> connection_;
  uint64_t indexDevice_ = 0;  // the index file the connection opened
  uint64_t indexInode_ = 0;
  std::string dbmsName_;
  std::string folder_;
  std::string indexPath_;
  int busyTimeoutMs_;
  std::atomic<bool> cancelRequest_{false};
  std::atomic<bool> statementRunning_{false};
  std::mutex interruptMutex_;  // orders the interrupt against the flag and against Close
  vt::SStorageSeams seams_;
  MaintenanceProgress progress_;
  std::vector<std::string> refused_;  // the rebuild's files bound for the deleted data (relative)
};

// CVTDataStorage: the deleted data of a storage (the TRASH folder and the trash table).
//
// A stored file moves to TRASH at its mirrored path and keeps a trash row with what the import's
// duplicate test needs; it can be restored (indexed again and moved back) or purged for good.
// Each of the three moves is all-or-nothing for index and file together: the file moves last
// before the commit, and a commit that fails moves it back. A process killed between the file
// move and the commit cannot move it back itself, so before the move it records its intent (the
// kind of move and both paths) in "move.vtintent" in the storage folder; whoever opens or moves
// next reads it, asks the index whether the commit happened and finishes or undoes the move.
// Paths relative to the storage folder begin with "FILES/" or "TRASH/" and use '/'; a path that
// could leave its top folder ("..") or names no row of this storage is refused.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <string_view>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/FileTransfer.h"
#include "platform/base/Paths.h"
#include "platform/base/TimeEngine.h"
#include "recorder/FileAccessFactory.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorage.h"

namespace {

constexpr const char* kFiles = "FILES";
constexpr const char* kTrash = "TRASH";
constexpr const char* kIntentFile = "move.vtintent";

// Whether the relative path lies below the top folder and cannot leave it: "top/" followed by
// parts that are neither empty, "." nor "..". A path of another storage or of the index itself
// can only be reached through such parts (or from outside, which the prefix excludes).
bool IsPathUnder(const std::string& path, const char* top) {
  const std::string prefix = std::string(top) + '/';
  if (path.compare(0, prefix.size(), prefix) != 0 || path.find('\0') != std::string::npos) return false;
  std::size_t start = prefix.size();
  for (;;) {
    const std::size_t slash = path.find('/', start);
    const std::string_view part(path.data() + start,
                                (slash == std::string::npos ? path.size() : slash) - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

// The same relative path under the other top folder (the first five characters exchanged).
std::string Mirrored(const std::string& path, const char* top) { return top + path.substr(5); }

std::string Sql(const char* format, int64_t a, int64_t b = 0) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, a, b);
  return buffer;
}

// The current UTC time on the index's time scale.
int64_t NowTicks() {
  using namespace std::chrono;
  const int64_t unix100ns = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count() / 100;
  return unix100ns + vt::kEpochDifferenceTicks;
}

// Whether the index has the row a relative path names: a file row for a path under FILES, a trash
// row for one under TRASH (the path compared as a bound value).
int HasRow(CRDBConnection* db, const std::string& path, bool& present) {
  const char* sql = IsPathUnder(path, kFiles) ? "SELECT COUNT(*) FROM file WHERE file_path = ?;"
                                              : "SELECT COUNT(*) FROM trash WHERE file_path = ?;";
  auto q = db->CreateStatement();
  int count = 0;
  if (!q || q->Prepare(sql) != RDB_OK || q->BindText(0, path) != RDB_OK || q->Execute() != RDB_OK ||
      q->Fetch() != RDB_ROW || q->GetInt(0, count) != RDB_OK)
    return STORE_FAILED;
  present = count > 0;
  return STORE_OK;
}

// What a move records before it moves a file: its kind ("trash", "restore" or "purge") and both
// relative paths, each ended by a NUL (no path can hold one). Written whole or not at all.
struct MoveIntent {
  std::string kind, from, to;
};

std::string IntentPath(const std::string& folder) { return vt::JoinPath(folder, kIntentFile); }

bool RecordIntent(const std::string& folder, const MoveIntent& intent) {
  std::string text;
  for (const std::string* field : {&intent.kind, &intent.from, &intent.to}) text += *field + '\0';
  return vt::WriteFileAtomic(IntentPath(folder), text);
}

// False for a file this program did not write as an intent.
bool ReadIntent(const std::string& folder, MoveIntent& intent) {
  std::string text;
  if (!vt::ReadWholeFile(IntentPath(folder), text)) return false;
  std::string* fields[] = {&intent.kind, &intent.from, &intent.to};
  std::size_t start = 0;
  for (std::string* field : fields) {
    const std::size_t end = text.find('\0', start);
    if (end == std::string::npos) return false;
    *field = text.substr(start, end - start);
    start = end + 1;
  }
  const bool underEither = [&] {
    for (const std::string* path : {&intent.from, &intent.to})
      if (!IsPathUnder(*path, kFiles) && !IsPathUnder(*path, kTrash)) return false;
    return true;
  }();
  return start == text.size() && underEither &&
         (intent.kind == "trash" || intent.kind == "restore" || intent.kind == "purge");
}

// Rolls the transaction back and moves the file back to where the index has it again; the
// intent goes only once the file is back, otherwise the next open or move tries again.
void UndoMove(CRDBConnection* db, const std::string& folder, const std::string& from, const std::string& to) {
  db->Rollback();
  if (vt::RenameNoReplace(vt::JoinPath(folder, to), vt::JoinPath(folder, from)))
    vt::DeleteFile(IntentPath(folder));
}

// The relative path's folder part; false when it has none.
bool FolderPart(const std::string& path, std::string& folder) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return false;
  folder = path.substr(0, slash);
  return true;
}

}  // namespace

int CVTDataStorage::DeleteFileRows(const std::string& relativePath, std::string* fileName) {
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;
  auto q = db->CreateStatement();
  if (!q) return STORE_FAILED;
  if (q->Prepare("SELECT file_id, cont_data_id, file_name, stop_factor FROM file WHERE file_path = ?;") !=
          RDB_OK ||
      q->BindText(0, relativePath) != RDB_OK || q->Execute() != RDB_OK)
    return STORE_FAILED;
  int rc = q->Fetch();
  if (rc == RDB_OK) return STORE_OK;  // no such stored file: nothing to do
  if (rc != RDB_ROW) return STORE_FAILED;
  int64_t fileId = -1, batchId = 0;
  int stopFactor = 0;
  std::string name;
  q->GetInt64(0, fileId);
  q->GetInt64(1, batchId);
  q->GetText(2, name);
  q->GetInt(3, stopFactor);
  q->Finalize();
  if (fileId < 0) return STORE_FAILED;
  if (fileName) *fileName = name;

  for (const char* table : {"message_write_group", "display_channel", "tag", "message", "display_group",
                            "batch_comment", "alarm", "file"}) {
    char sql[128];
    std::snprintf(sql, sizeof sql, "DELETE FROM %s WHERE file_id = %" PRId64 ";", table, fileId);
    if (db->Execute(sql) != RDB_OK) return STORE_FAILED;
  }

  if (q->Prepare(Sql("SELECT file_id FROM file WHERE cont_data_id = %" PRId64 " ORDER BY end_data_no DESC;",
                     batchId)) != RDB_OK ||
      q->Execute() != RDB_OK)
    return STORE_FAILED;
  rc = q->Fetch();
  if (rc != RDB_ROW && rc != RDB_OK) return STORE_FAILED;
  if (rc == RDB_ROW) {
    int64_t latest = -1;
    q->GetInt64(0, latest);
    q->Finalize();
    if (latest < 0) return STORE_FAILED;
    std::vector<std::string> updates = {
        Sql("UPDATE  continuous_data_info SET latest_file_id = %" PRId64 " WHERE cont_data_id  = %" PRId64
            " ;",
            latest, batchId),
        Sql("UPDATE continuous_data_info SET start_time = (SELECT MIN(start_time) FROM file WHERE cont_data_id = "
            "%" PRId64 " ) WHERE cont_data_id = %" PRId64 ";",
            batchId, batchId),
        Sql("UPDATE continuous_data_info SET stop_time = (SELECT MAX(end_time) FROM file WHERE cont_data_id = "
            "%" PRId64 " ) WHERE cont_data_id = %" PRId64 ";",
            batchId, batchId)};
    if (stopFactor == 1)
      updates.push_back(Sql(
          "UPDATE continuous_data_info SET stop_username = ''WHERE cont_data_id = %" PRId64 ";", batchId));
    updates.push_back(
        Sql("UPDATE continuous_data_info SET chng_time_cnt = (SELECT SUM(chng_time_cnt) FROM file "
            "WHERE cont_data_id = %" PRId64 " ) WHERE cont_data_id = %" PRId64 ";",
            batchId, batchId));
    char power[320];
    std::snprintf(power, sizeof power,
                  "UPDATE continuous_data_info SET power_failure = (SELECT  0 < COUNT(*) FROM file WHERE "
                  "cont_data_id = %" PRId64
                  " AND (stop_factor = %d OR start_factor = %d) ) WHERE cont_data_id = "
                  "%" PRId64 ";",
                  batchId, 3, 3, batchId);
    updates.push_back(power);
    for (const std::string& sql : updates)
      if (db->Execute(sql) != RDB_OK) return STORE_FAILED;
  } else {
    q->Finalize();
    for (const char* table : {"batch_text", "continuous_data_info"}) {
      char sql[128];
      std::snprintf(sql, sizeof sql, "DELETE FROM %s WHERE cont_data_id = %" PRId64 ";", table, batchId);
      if (db->Execute(sql) != RDB_OK) return STORE_FAILED;
    }
  }
  return STORE_OK;
}

int CVTDataStorage::AddTrashRow(const std::string& trashPath, const std::string& fileName) {
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_FAILED;
  std::string serialNo, guidText;
  int64_t startNo = 0, endNo = 0, triggerNo = 0, memStartNo = 0;
  TickTime triggerTime;
  CVTDataFileAccess* reader = nullptr;
  // A file the reader refuses still gets its row, with values that never match an import.
  if (OpenStoredFile(vt::JoinPath(folder_, trashPath), &reader) == 0 && reader) {
    vt::Guid guid;
    reader->GetOriginalDataGuid(&guid);
    GuidToString(guid, guidText);
    reader->GetSerialNo(&serialNo);
    reader->GetStartDataNo(&startNo);
    reader->GetEndDataNo(&endNo);
    reader->GetTriggerDataNo(&triggerNo);
    reader->GetMemStartDataNo(&memStartNo);
    reader->GetTriggerTime(&triggerTime);
    delete reader;
  }
  auto q = db->CreateStatement();
  if (!q || q->Prepare("INSERT INTO trash VALUES(?,?,?,?,?,?,?,?,?,?);") != RDB_OK) return STORE_FAILED;
  bool ok = q->BindText(0, serialNo) == RDB_OK && q->BindText(1, trashPath) == RDB_OK &&
            q->BindText(2, fileName) == RDB_OK && q->BindInt64(3, NowTicks()) == RDB_OK &&
            q->BindText(4, guidText) == RDB_OK && q->BindInt64(5, startNo) == RDB_OK &&
            q->BindInt64(6, endNo) == RDB_OK && q->BindInt64(7, memStartNo) == RDB_OK &&
            q->BindInt64(8, triggerNo) == RDB_OK && q->BindInt64(9, triggerTime.ticks) == RDB_OK;
  return ok && q->Execute() == RDB_OK ? STORE_OK : STORE_FAILED;
}

void CVTDataStorage::MoveStepReached(MoveStep step) {
  if (seams_.onMoveStep) seams_.onMoveStep(step);
}

int CVTDataStorage::FinishInterruptedMove() {
  if (!vt::PathExists(IntentPath(folder_))) return STORE_OK;
  CVTSyncGuard guard(&mutex_);
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;
  MoveIntent intent;
  // An intent that cannot be read is one whose writing never finished: nothing moved after it.
  if (!ReadIntent(folder_, intent)) return vt::DeleteFile(IntentPath(folder_)) ? STORE_OK : STORE_FAILED;
  // Reading the index rolls back what the killed process left in its journal, so the rows tell
  // whether its commit happened: a move to TRASH writes the trash row, a restore and a purge
  // delete the row of the path they started from.
  bool present = false;
  const std::string& probe = intent.kind == "trash" ? intent.to : intent.from;
  if (HasRow(db, probe, present) != STORE_OK) return STORE_FAILED;
  const bool committed = intent.kind == "trash" ? present : !present;
  const std::string from = vt::JoinPath(folder_, intent.from);
  const std::string to = vt::JoinPath(folder_, intent.to);
  // With both names present (a rename done as link and unlink, stopped half-way) both stay: a
  // file too many is found by the storage check, a file deleted wrongly is lost.
  if (committed) {
    if (intent.kind == "purge" && !vt::PathExists(from) && vt::PathExists(to) && !vt::DeleteFile(to))
      return STORE_FAILED;
  } else if (vt::PathExists(to) && !vt::PathExists(from) && !vt::RenameNoReplace(to, from)) {
    return STORE_FAILED;
  }
  return vt::DeleteFile(IntentPath(folder_)) ? STORE_OK : STORE_FAILED;
}

int CVTDataStorage::MoveFileToTrash(const std::string& relativePath) {
  CVTSyncGuard guard(&mutex_);
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;
  if (!IsPathUnder(relativePath, kFiles) || FinishInterruptedMove() != STORE_OK) return STORE_FAILED;
  // A name taken in TRASH already (the same name deleted before) gets a suffix, as on import.
  const std::string trashPath = FreeRelativePath(Mirrored(relativePath, kTrash));
  const std::string from = vt::JoinPath(folder_, relativePath);
  const std::string to = vt::JoinPath(folder_, trashPath);
  bool stored = false, taken = false;
  if (HasRow(db, relativePath, stored) != STORE_OK || !stored || HasRow(db, trashPath, taken) != STORE_OK)
    return STORE_FAILED;
  // A trash row of that path already: the move could never commit (and an interrupted one could
  // not tell from the rows whether it did). The same results as the rename and the insert give.
  if (taken) return vt::PathExists(to) ? STORE_COPY_ERROR : STORE_FAILED;

  if (db->BeginTransaction() != RDB_OK) return STORE_FAILED;
  MoveStepReached(MoveStep::Begun);
  std::string fileName;
  if (DeleteFileRows(relativePath, &fileName) != STORE_OK) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::IndexChanged);
  std::string trashFolder;
  if (!FolderPart(trashPath, trashFolder) || !CreateFolderTree(vt::JoinPath(folder_, trashFolder))) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::FolderMade);
  if (!RecordIntent(folder_, {"trash", relativePath, trashPath})) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::IntentRecorded);
  if (!vt::RenameNoReplace(from, to)) {
    db->Rollback();
    vt::DeleteFile(IntentPath(folder_));
    return STORE_COPY_ERROR;
  }
  MoveStepReached(MoveStep::FileMoved);
  // The file is in TRASH now: any later failure brings it back, so file and index agree.
  if (int rc = AddTrashRow(trashPath, fileName); rc != STORE_OK) {
    UndoMove(db, folder_, relativePath, trashPath);
    return rc;
  }
  MoveStepReached(MoveStep::IndexChanged);
  if (db->Commit() != RDB_OK) {
    UndoMove(db, folder_, relativePath, trashPath);
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::Committed);
  vt::DeleteFile(IntentPath(folder_));
  MoveStepReached(MoveStep::Finished);
  return STORE_OK;
}

int CVTDataStorage::RestoreFile(const std::string& trashPath, std::string* copyPath) {
  CVTSyncGuard guard(&mutex_);
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;
  if (!IsPathUnder(trashPath, kTrash) || FinishInterruptedMove() != STORE_OK) return STORE_FAILED;
  // Only a file with its trash row: anything else is no deleted file of this storage.
  bool deleted = false;
  if (HasRow(db, trashPath, deleted) != STORE_OK || !deleted) return STORE_FAILED;
  const std::string source = vt::JoinPath(folder_, trashPath);

  if (db->BeginTransaction() != RDB_OK) return STORE_FAILED;
  MoveStepReached(MoveStep::Begun);
  auto q = db->CreateStatement();
  if (!q || q->Prepare("DELETE FROM trash WHERE file_path = ?;") != RDB_OK ||
      q->BindText(0, trashPath) != RDB_OK || q->Execute() != RDB_OK) {
    q.reset();
    db->Rollback();
    return STORE_FAILED;
  }
  q.reset();
  // Indexed again, the file gets its FILES path anew (month folder and name rule); it moves to
  // that recorded path, which differs from the mirrored one when the month folder changed.
  std::string filesPath;
  if (ImportDataFile(&filesPath, source, false) != STORE_OK || !IsPathUnder(filesPath, kFiles)) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::IndexChanged);
  const std::string target = vt::JoinPath(folder_, filesPath);
  std::string filesFolder;
  if (!FolderPart(filesPath, filesFolder) || !CreateFolderTree(vt::JoinPath(folder_, filesFolder))) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::FolderMade);
  if (!RecordIntent(folder_, {"restore", trashPath, filesPath})) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::IntentRecorded);
  if (!vt::RenameNoReplace(source, target)) {
    db->Rollback();
    vt::DeleteFile(IntentPath(folder_));
    return STORE_COPY_ERROR;
  }
  MoveStepReached(MoveStep::FileMoved);
  if (db->Commit() != RDB_OK) {
    UndoMove(db, folder_, trashPath, filesPath);
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::Committed);
  vt::DeleteFile(IntentPath(folder_));
  MoveStepReached(MoveStep::Finished);
  if (copyPath) *copyPath = filesPath;
  return STORE_OK;
}

int CVTDataStorage::PurgeFile(const std::string& relativePath) {
  CVTSyncGuard guard(&mutex_);
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;
  const bool stored = IsPathUnder(relativePath, kFiles);
  if (!stored && !IsPathUnder(relativePath, kTrash)) return STORE_PATH_NOT_STORED;
  if (FinishInterruptedMove() != STORE_OK) return STORE_FAILED;
  bool present = false;
  if (HasRow(db, relativePath, present) != STORE_OK) return STORE_FAILED;
  if (!present) return STORE_PATH_NOT_STORED;
  // One transaction: a purge that stops half-way must not leave a batch without files, which
  // would make every later file of its recording fail to import.
  if (db->BeginTransaction() != RDB_OK) return STORE_FAILED;
  MoveStepReached(MoveStep::Begun);
  int rc = STORE_OK;
  if (stored) {
    rc = DeleteFileRows(relativePath, nullptr);
  } else {
    auto q = db->CreateStatement();
    if (!q || q->Prepare("DELETE FROM trash WHERE file_path = ?;") != RDB_OK ||
        q->BindText(0, relativePath) != RDB_OK || q->Execute() != RDB_OK)
      rc = STORE_FAILED;
  }
  if (rc != STORE_OK) {
    db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::IndexChanged);
  // The file leaves under a temporary name first, so that a commit that fails (or a process
  // killed before it) can put it back.
  const std::string path = vt::JoinPath(folder_, relativePath);
  const std::string partingPath = relativePath.substr(0, relativePath.find_last_of('/') + 1) + "." +
                                  std::string(vt::FileNamePart(path)) + ".vtpurge";
  const std::string parting = vt::JoinPath(folder_, partingPath);
  const bool onDisk = vt::PathExists(path);
  if (onDisk) {
    vt::DeleteFile(parting);
    if (!RecordIntent(folder_, {"purge", relativePath, partingPath})) {
      db->Rollback();
      return STORE_FAILED;
    }
    MoveStepReached(MoveStep::IntentRecorded);
    if (!vt::RenameNoReplace(path, parting)) {
      db->Rollback();
      vt::DeleteFile(IntentPath(folder_));
      return STORE_FAILED;
    }
    MoveStepReached(MoveStep::FileMoved);
  }
  if (db->Commit() != RDB_OK) {
    if (onDisk)
      UndoMove(db, folder_, relativePath, partingPath);
    else
      db->Rollback();
    return STORE_FAILED;
  }
  MoveStepReached(MoveStep::Committed);
  // A file that cannot be deleted now keeps its intent: the next open or move deletes it.
  if (onDisk && (!vt::DeleteFile(parting) || !vt::DeleteFile(IntentPath(folder_)))) return STORE_FAILED;
  MoveStepReached(MoveStep::Finished);
  return STORE_OK;
}

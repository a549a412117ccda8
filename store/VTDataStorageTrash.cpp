// CVTDataStorage: the deleted data of a storage (the TRASH folder and the trash table).
//
// A stored file moves to TRASH at its mirrored path and keeps a trash row with what the import's
// duplicate test needs; it can be restored (indexed again and moved back) or purged for good.
// Each of the three moves is all-or-nothing for index and file together: the file moves last
// before the commit, and a commit that fails moves it back. Paths relative to the storage
// folder begin with "FILES" or "TRASH" and use '/'.
#include <chrono>
#include <cinttypes>
#include <cstdio>
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

bool StartsWith(const std::string& path, const char* top) { return path.compare(0, 5, top) == 0; }

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

int CVTDataStorage::AddTrashRow(const std::string& trashPath, const std::string& fileName,
                                const std::string& readFrom) {
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_FAILED;
  std::string serialNo, guidText;
  int64_t startNo = 0, endNo = 0, triggerNo = 0, memStartNo = 0;
  TickTime triggerTime;
  CVTDataFileAccess* reader = nullptr;
  // A file the reader refuses still gets its row, with values that never match an import.
  if (CreateFileAccess(vt::JoinPath(folder_, readFrom.empty() ? trashPath : readFrom), &reader) == 0 &&
      reader) {
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

int CVTDataStorage::MoveFileToTrash(const std::string& relativePath) {
  StorageLock guard(*this);
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  if (connection_->BeginTransaction() != RDB_OK) return STORE_FAILED;
  std::string fileName;
  if (!StartsWith(relativePath, kFiles) || DeleteFileRows(relativePath, &fileName) != STORE_OK) {
    connection_->Rollback();
    return STORE_FAILED;
  }
  const std::string trashPath = Mirrored(relativePath, kTrash);
  std::string trashFolder;
  if (!FolderPart(trashPath, trashFolder) || !CreateFolderTree(vt::JoinPath(folder_, trashFolder))) {
    connection_->Rollback();
    return STORE_FAILED;
  }
  const std::string from = vt::JoinPath(folder_, relativePath);
  const std::string to = vt::JoinPath(folder_, trashPath);
  if (!vt::RenameNoReplace(from, to)) {
    connection_->Rollback();
    return STORE_COPY_ERROR;
  }
  // The file is in TRASH now: any later failure brings it back, so file and index agree.
  if (int rc = AddTrashRow(trashPath, fileName); rc != STORE_OK) {
    connection_->Rollback();
    vt::RenameNoReplace(to, from);
    return rc;
  }
  if (connection_->Commit() != RDB_OK) {
    connection_->Rollback();
    vt::RenameNoReplace(to, from);
    return STORE_FAILED;
  }
  return STORE_OK;
}

int CVTDataStorage::RestoreFile(const std::string& trashPath, std::string* copyPath) {
  StorageLock guard(*this);
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  if (!StartsWith(trashPath, kTrash)) return STORE_FAILED;
  const std::string source = vt::JoinPath(folder_, trashPath);
  if (connection_->BeginTransaction() != RDB_OK) return STORE_FAILED;
  auto q = connection_->CreateStatement();
  if (!q || q->Prepare("DELETE FROM trash WHERE file_path = ?;") != RDB_OK ||
      q->BindText(0, trashPath) != RDB_OK || q->Execute() != RDB_OK) {
    q.reset();
    connection_->Rollback();
    return STORE_FAILED;
  }
  q.reset();
  // Indexed again, the file gets its FILES path anew (month folder and name rule); it moves to
  // that recorded path, which differs from the mirrored one when the month folder changed.
  std::string filesPath;
  if (ImportDataFile(&filesPath, source, false) != STORE_OK) {
    connection_->Rollback();
    return STORE_FAILED;
  }
  const std::string target = vt::JoinPath(folder_, filesPath);
  std::string filesFolder;
  if (!FolderPart(filesPath, filesFolder) || !CreateFolderTree(vt::JoinPath(folder_, filesFolder))) {
    connection_->Rollback();
    return STORE_FAILED;
  }
  if (!vt::RenameNoReplace(source, target)) {
    connection_->Rollback();
    return STORE_COPY_ERROR;
  }
  if (connection_->Commit() != RDB_OK) {
    connection_->Rollback();
    vt::RenameNoReplace(target, source);
    return STORE_FAILED;
  }
  if (copyPath) *copyPath = filesPath;
  return STORE_OK;
}

int CVTDataStorage::PurgeFile(const std::string& relativePath) {
  StorageLock guard(*this);
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;
  const bool stored = StartsWith(relativePath, kFiles);
  if (!stored && !StartsWith(relativePath, kTrash)) return STORE_PATH_NOT_STORED;
  // One transaction: a purge that stops half-way must not leave a batch without files, which
  // would make every later file of its recording fail to import.
  if (db->BeginTransaction() != RDB_OK) return STORE_FAILED;
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
  // The file leaves under a temporary name first, so that a commit that fails can put it back.
  const std::string path = vt::JoinPath(folder_, relativePath);
  const std::string parting =
      vt::JoinPath(vt::ParentPath(path), "." + std::string(vt::FileNamePart(path)) + ".vtpurge");
  const bool present = vt::PathExists(path);
  if (present) {
    vt::DeleteFile(parting);
    if (!vt::RenameNoReplace(path, parting)) {
      db->Rollback();
      return STORE_FAILED;
    }
  }
  if (db->Commit() != RDB_OK) {
    db->Rollback();
    if (present) vt::RenameNoReplace(parting, path);
    return STORE_FAILED;
  }
  if (present && !vt::DeleteFile(parting)) return STORE_FAILED;
  return STORE_OK;
}

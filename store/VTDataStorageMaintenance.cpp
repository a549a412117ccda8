// CVTDataStorage: the consistency check and the rebuild of the index from the stored files.
//
// The check compares the open index with the files under FILES and TRASH and with what each
// stored file's reader says, then runs the engine's integrity check; it leaves the status "OK"
// or "CORRUPTED". Both run under the storage's lock, so no import, trash or restore changes
// the files or the index while they read them.
//
// The rebuild indexes every file under FILES in place into a new index "temp.db", lists every
// file under TRASH as deleted data and keeps the names the user gave instruments. A file the new
// index refuses for a reason in the file itself (the same data twice, not a recorder file, a
// damaged one) is bound for the same place under TRASH: its trash row and its move are written
// into the new index, and the last transaction marks that index complete. Only then are the
// files moved and the new index renamed over the old one in one step. Before that point a
// failure of the disk or the database, a cancel or a kill leaves FILES, TRASH and the old index
// as they were (the work file is dropped); after it, whoever next opens, locks or rebuilds the
// storage finishes the moves and the swap from what the new index records.
// Before it starts, a rebuild finishes a cut-off rebuild and then settles a cut-off move to or
// from the deleted data, so that it indexes every file where it belongs.
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/base/FileDurability.h"
#include "platform/base/FileSystem.h"
#include "platform/base/FileTransfer.h"
#include "platform/base/Paths.h"
#include "recorder/FileAccessFactory.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/SqlText.h"
#include "store/VTDataStorage.h"

namespace {

using Statement = std::unique_ptr<CRDBStatement>;

constexpr const char* kFilesFolder = "FILES";
constexpr const char* kTrashFolder = "TRASH";
// The table of a new index that lists the moves still to make (dropped before the swap), and the
// mark of a complete new index.
constexpr const char* kMoveTable = "rebuild_move";
constexpr int kCompleteMark = 0x52424C44;

// Whether an import refuses a file for good because of the file itself. Anything else (a full
// disk, a failing database, memory) says nothing about the file, and stops the rebuild.
bool RefusedForTheFile(int rc) {
  switch (rc) {
    case STORE_IMPORTED_ALREADY:
    case STORE_IN_TRASH:
    case STORE_UNSUPPORTED_FILE:
    case STORE_CRC_ERROR:
    case STORE_INVALID_FILE:
      return true;
    default:
      return false;
  }
}

bool Run(CRDBConnection& db, const std::string& sql) { return db.Execute(sql) == RDB_OK; }

// Deletes a reader on every way out.
struct ReaderHolder {
  CVTDataFileAccess* reader = nullptr;
  ~ReaderHolder() { delete reader; }
};

// One integer of a one-row query, optionally with one bound parameter (int64 or text).
// A statement object holds one prepared statement at a time: the last one goes first.
bool CountOf(CRDBStatement& q, const char* sql, int64_t& out) {
  q.Finalize();
  return q.Prepare(sql) == RDB_OK && q.Execute() == RDB_OK && q.Fetch() == RDB_ROW &&
         q.GetInt64(0, out) == RDB_OK;
}
bool CountOf(CRDBStatement& q, const char* sql, int64_t key, int64_t& out) {
  q.Finalize();
  return q.Prepare(sql) == RDB_OK && q.BindInt64(0, key) == RDB_OK && q.Execute() == RDB_OK &&
         q.Fetch() == RDB_ROW && q.GetInt64(0, out) == RDB_OK;
}
bool CountOf(CRDBStatement& q, const char* sql, const std::string& key, int64_t& out) {
  q.Finalize();
  return q.Prepare(sql) == RDB_OK && q.BindText(0, key) == RDB_OK && q.Execute() == RDB_OK &&
         q.Fetch() == RDB_ROW && q.GetInt64(0, out) == RDB_OK;
}

// The per-table totals of the per-file counts, in the order of the final comparison.
enum Total { kAlarm, kMessage, kWriteGroup, kDisplayGroup, kDisplayChannel, kTag, kBatchText, kBatchComment };

// The result of a file-by-file step that found something: a fault, a cancel, or 33.
constexpr int kFault = -1;

}  // namespace

void CVTDataStorage::InterruptRunningStatement() {
  std::lock_guard<std::mutex> hold(interruptMutex_);
  if (statementRunning_ && connection_) {
    connection_->Interrupt();
    statementRunning_ = false;
  }
}

int CVTDataStorage::CheckFiles(int64_t totals[8]) {
  CRDBConnection* db = connection_.get();
  Statement rows = db->CreateStatement();
  Statement q = db->CreateStatement();
  if (!rows || !q) return STORE_NO_CONNECTION;
  if (rows->Prepare("SELECT file_path, file_id, cont_data_id FROM file;") != RDB_OK ||
      rows->Execute() != RDB_OK)
    return kFault;
  for (int rc = rows->Fetch(); rc != RDB_OK; rc = rows->Fetch()) {
    if (rc != RDB_ROW) return kFault;
    if (cancelRequest_) return STORE_INTERRUPTED;
    std::string filePath;
    int64_t fileId = 0, contDataId = 0;
    rows->GetText(0, filePath);
    rows->GetInt64(1, fileId);
    rows->GetInt64(2, contDataId);
    Progress("check", filePath);

    ReaderHolder holder;
    const std::string path = vt::JoinPath(folder_, filePath);
    const int opened =
        seams_.openReader ? seams_.openReader(path, &holder.reader) : OpenStoredFile(path, &holder.reader);
    if (opened != 0 || !holder.reader) return kFault;
    CVTDataFileAccess& reader = *holder.reader;

    // The file row against the file itself.
    q->Finalize();
    if (q->Prepare(
            "SELECT file_header,power_failure,start_factor,stop_factor,start_time,end_time,trigger_time,"
            "start_data_no,end_data_no,mem_start_data_no,trigger_data_no,chng_time_cnt ,inst_serial_no "
            "FROM file WHERE file_id = ?;") != RDB_OK ||
        q->BindInt64(0, fileId) != RDB_OK || q->Execute() != RDB_OK || q->Fetch() != RDB_ROW)
      return kFault;
    std::string header, serialNo, fileHeader, rowSerial;
    int64_t v[12] = {};
    q->GetText(0, header);
    for (int i = 1; i <= 11; ++i) q->GetInt64(i, v[i]);
    q->GetText(12, rowSerial);
    reader.GetHeaderText(&fileHeader);
    reader.GetSerialNo(&serialNo);
    TickTime start, end, trigger;
    reader.GetCorrectedStartTime(&start);
    reader.GetCorrectedEndTime(&end);
    reader.GetTriggerTime(&trigger);
    int64_t startNo = 0, endNo = 0, memStartNo = 0, triggerNo = 0;
    reader.GetStartDataNo(&startNo);
    reader.GetEndDataNo(&endNo);
    reader.GetMemStartDataNo(&memStartNo);
    reader.GetTriggerDataNo(&triggerNo);
    if (header != fileHeader || int32_t(v[1]) != reader.GetPowerFailure() ||
        int32_t(v[2]) != reader.GetStartFactor() || int32_t(v[3]) != reader.GetStopFactor() ||
        v[4] != start.ticks || v[5] != end.ticks || v[6] != trigger.ticks || v[7] != startNo ||
        v[8] != endNo || v[9] != memStartNo || v[10] != triggerNo ||
        int32_t(v[11]) != reader.GetTimeChangeCount() || rowSerial != serialNo)
      return kFault;

    int64_t count = 0;
    if (!CountOf(*q, "SELECT COUNT(*) FROM instrument WHERE inst_serial_no = ?;", serialNo, count) ||
        count != 1)
      return kFault;

    int64_t counts[8] = {};
    if (!CountOf(*q, "SELECT COUNT(*) FROM alarm WHERE file_id = ?;", fileId, counts[kAlarm]) ||
        counts[kAlarm] != reader.GetAlarmCount())
      return kFault;
    if (!CountOf(*q, "SELECT COUNT(*) FROM tag WHERE file_id = ?;", fileId, counts[kTag]) ||
        counts[kTag] != reader.GetChannelCount())
      return kFault;
    if (!CountOf(*q, "SELECT COUNT(*) FROM message WHERE file_id = ?;", fileId, counts[kMessage]) ||
        counts[kMessage] != reader.GetMessageCount())
      return kFault;

    int64_t writeGroups = 0;
    for (int i = 0, n = reader.GetMessageCount(); i < n; ++i) {
      std::string user, text;
      int messageNo = 0, serial = 0, secondWord = 0, word36 = 0, groupCount = 0;
      int64_t relativeDataNo = 0;
      TickTime messageTime, inputTime;
      if (reader.GetMessage(i, &user, &messageNo, &serial, &relativeDataNo, &secondWord, &text, &word36,
                            &groupCount, &messageTime, &inputTime) != 0)
        return kFault;
      writeGroups += groupCount < 0 ? 1 : groupCount;
    }
    if (!CountOf(*q, "SELECT COUNT(*) FROM message_write_group WHERE file_id = ?;", fileId,
                 counts[kWriteGroup]) ||
        counts[kWriteGroup] != writeGroups)
      return kFault;

    int64_t channels = 0, groups = 0;
    for (int g = 0, n = reader.GetGroupCount(); g < n; ++g) {
      std::string groupName;
      int places = 0, groupNo = 0, inUse = 0;
      if (reader.GetGroupInfo(g, &groupName, &places, &groupNo, &inUse) != 0) return kFault;
      if (!inUse) continue;
      int members = 0;
      for (int j = 0; j < places; ++j) {
        vt::SGroupChannelInfo member;
        if (reader.GetGroupChannel(g, j, &member) != 0) return STORE_INVALID_FILE;
        if (member.channelIndex != -1) ++members;
      }
      channels += members;
      if (members > 0) ++groups;
    }
    if (!CountOf(*q, "SELECT COUNT(*) FROM display_channel WHERE file_id = ?;", fileId,
                 counts[kDisplayChannel]) ||
        counts[kDisplayChannel] != channels)
      return kFault;
    if (!CountOf(*q, "SELECT COUNT(*) FROM display_group WHERE file_id = ?;", fileId,
                 counts[kDisplayGroup]) ||
        counts[kDisplayGroup] != groups)
      return kFault;
    if (!CountOf(*q, "SELECT COUNT(*) FROM batch_comment WHERE file_id = ?;", fileId,
                 counts[kBatchComment]) ||
        counts[kBatchComment] != reader.GetBatchCommentCount())
      return kFault;
    if (!CountOf(*q, "SELECT COUNT(*) FROM batch_text WHERE cont_data_id = ?;", contDataId,
                 counts[kBatchText]) ||
        counts[kBatchText] != reader.GetBatchTextCount())
      return kFault;
    for (int t = 0; t < 8; ++t) totals[t] += counts[t];
  }
  return STORE_OK;
}

int CVTDataStorage::CheckStorage() {
  StorageLock lock(*this);
  if (!connection_) return lock.Result() != STORE_OK ? lock.Result() : STORE_STORAGE_NOT_OPEN;
  CRDBConnection* db = connection_.get();
  Statement q = db->CreateStatement();
  Statement probe = db->CreateStatement();
  if (!q || !probe) return STORE_NO_CONNECTION;

  int rc = kFault;
  [&] {
    int64_t count = -1;
    if (!CountOf(*q, "SELECT COUNT(*) FROM file;", count) ||
        count != CountFilesInTree(vt::JoinPath(folder_, kFilesFolder)))
      return;
    if (!CountOf(*q, "SELECT COUNT(*) FROM trash;", count) ||
        count != CountFilesInTree(vt::JoinPath(folder_, kTrashFolder)))
      return;
    if (!CountOf(
            *q,
            "SELECT COUNT(cont_data_id)  FROM file   WHERE cont_data_id NOT IN ( select cont_data_id from "
            "continuous_data_info);",
            count) ||
        count != 0)
      return;
    if (!CountOf(*q,
                 "SELECT COUNT(cont_data_id)  FROM continuous_data_info  WHERE cont_data_id NOT IN ( select "
                 "cont_data_id from file group by  cont_data_id );",
                 count) ||
        count != 0)
      return;

    int64_t totals[8] = {};
    if (int files = CheckFiles(totals); files != STORE_OK) {
      rc = files;
      return;
    }
    // Rows that belong to no listed file.
    const char* tableCounts[8] = {
        "SELECT COUNT(*) FROM alarm;",
        "SELECT COUNT(*) FROM message;",
        "SELECT COUNT(*) FROM message_write_group;",
        "SELECT COUNT(*) FROM display_group;",
        "SELECT COUNT(*) FROM display_channel;",
        "SELECT COUNT(*) FROM tag;",
        "SELECT COUNT(*) FROM file INNER JOIN batch_text ON file.cont_data_id = batch_text.cont_data_id;",
        "SELECT COUNT(*) FROM batch_comment;",
    };
    for (int t = 0; t < 8; ++t)
      if (!CountOf(*q, tableCounts[t], count) || count != totals[t]) return;

    // The one statement a cancel interrupts while it runs.
    Progress("check", "PRAGMA integrity_check;");
    int executed = probe->Prepare("PRAGMA integrity_check;");
    {
      std::lock_guard<std::mutex> hold(interruptMutex_);
      statementRunning_ = true;
    }
    if (executed == RDB_OK) executed = probe->Execute();
    {
      std::lock_guard<std::mutex> hold(interruptMutex_);
      statementRunning_ = false;
    }
    std::string verdict;
    if (executed == RDB_OK && probe->Fetch() == RDB_ROW) probe->GetText(0, verdict);
    // With no statement left running, an interrupt that came just too late is forgotten by the
    // engine before the status write.
    q.reset();
    probe.reset();
    if (executed == RDB_INTERRUPTED) {
      rc = STORE_INTERRUPTED;
      return;
    }
    if (executed == RDB_OK && verdict == "ok") rc = SetStatus(kStatusOk);
  }();
  if (rc != kFault) return rc;
  q.reset();
  probe.reset();
  int set = SetStatus(kStatusCorrupted);
  return set != STORE_OK ? set : STORE_CORRUPTED;
}

int CVTDataStorage::ReimportFolder(const std::string& folder) {
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  if (folder.empty()) return STORE_FAILED;
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(folder, entries)) return vt::PathExists(folder) ? STORE_FAILED : STORE_OK;
  const std::string filesRoot = vt::JoinPath(folder_, kFilesFolder) + '/';
  for (const vt::FolderEntry& entry : entries) {
    if (cancelRequest_) return STORE_INTERRUPTED;
    const std::string path = vt::JoinPath(folder, entry.name);
    if (entry.isFolder) {
      if (int rc = ReimportFolder(path); rc != STORE_OK) return rc;
      continue;
    }
    if (path.compare(0, filesRoot.size(), filesRoot) != 0) return STORE_FAILED;
    const std::string relative = path.substr(folder_.size() + 1);
    Progress("index", relative);
    RebuildStep("index");
    if (connection_->BeginTransaction() != RDB_OK) return STORE_FAILED;
    std::string stored;
    int rc = ImportDataFile(&stored, path, true);
    if (rc != STORE_OK && rc != STORE_IMPORTED_ALREADY && rc != STORE_IN_TRASH && RefusedForTheFile(rc)) {
      // A reader tells a read that failed from damaged content only by reading again: a damaged
      // file is refused the same way twice, a disk that failed once may not fail again.
      connection_->Rollback();
      std::string bytes;
      if (!vt::ReadWholeFile(path, bytes)) return STORE_FAILED;
      if (connection_->BeginTransaction() != RDB_OK) return STORE_FAILED;
      rc = ImportDataFile(&stored, path, true);
    }
    if (rc == STORE_OK && connection_->Commit() == RDB_OK) continue;
    connection_->Rollback();
    if (rc == STORE_OK || !RefusedForTheFile(rc)) {
      if (rc == STORE_OK) rc = STORE_FAILED;  // the commit failed
      return rc == STORE_FAILED && IsDiskFull() ? STORE_DISK_FULL : rc;
    }
    refused_.push_back(relative);
  }
  return STORE_OK;
}

int CVTDataStorage::ReaddTrashFolder(const std::string& folder) {
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  if (folder.empty()) return STORE_FAILED;
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(folder, entries)) return vt::PathExists(folder) ? STORE_FAILED : STORE_OK;
  const std::string trashRoot = vt::JoinPath(folder_, kTrashFolder);
  for (const vt::FolderEntry& entry : entries) {
    if (cancelRequest_) return STORE_INTERRUPTED;
    const std::string path = vt::JoinPath(folder, entry.name);
    if (entry.isFolder) {
      if (int rc = ReaddTrashFolder(path); rc != STORE_OK) return rc;
      continue;
    }
    if (path.compare(0, trashRoot.size() + 1, trashRoot + '/') != 0) return STORE_FAILED;
    const std::string relative = path.substr(folder_.size() + 1);
    Progress("trash", relative);
    std::string name;
    StripUniqueSuffix(entry.name, name);
    if (int rc = AddTrashRow(relative, name); rc != STORE_OK) return rc;
  }
  return STORE_OK;
}

int CVTDataStorage::RebuildIndex(const std::string& databaseName) {
  Close();
  NameMutex(databaseName);
  vt::CVTSyncGuard guard(&mutex_);
  // A rebuild cut off earlier is finished (or undone) before this one starts over, and then a
  // move cut off, so the files are where the index in place says.
  if (int rc = FinishInterruptedRebuild(); rc != STORE_OK) return rc;
  if (int rc = SettleMoveBeforeRebuild(); rc != STORE_OK) return rc;
  const int rc = RebuildUnderLock(databaseName);
  refused_.clear();
  return rc;
}

int CVTDataStorage::RebuildUnderLock(const std::string& databaseName) {
  if (IsDiskFull()) return STORE_DISK_FULL;
  const std::string temp = vt::JoinPath(folder_, kRebuildIndexName);
  auto fresh = NewRDBConnection(dbmsName_);
  if (!fresh) return STORE_NO_CONNECTION;
  ApplyBusyTimeout(fresh.get(), busyTimeoutMs_);
  auto dropWorkFile = [&] {
    vt::DeleteFile(temp);
    vt::DeleteFile(temp + "-journal");
  };
  // What an earlier run left, including a journal that would be played into the new file.
  dropWorkFile();
  if (fresh->Create(temp) != RDB_OK) {
    fresh.reset();
    dropWorkFile();
    return IsDiskFull() ? STORE_DISK_FULL : STORE_FAILED;
  }
  connection_ = std::move(fresh);
  refused_.clear();
  auto discard = [&](int rc) {
    Close();
    dropWorkFile();
    return rc == STORE_FAILED && IsDiskFull() ? STORE_DISK_FULL : rc;
  };
  if (CreateSchema(databaseName, folder_) != STORE_OK) return discard(STORE_FAILED);
  if (int rc = ReimportFolder(vt::JoinPath(folder_, kFilesFolder)); rc != STORE_OK) return discard(rc);

  // The names the user gave instruments come from the old index, when there is one that reads
  // (a damaged one is what a rebuild repairs: then its names are lost, not the rebuild).
  if (vt::FileExists(indexPath_) &&
      Run(*connection_, "ATTACH DATABASE '" + vt::DoubleApostrophes(indexPath_) + "' AS olddb;")) {
    const bool named =
        connection_->BeginTransaction() == RDB_OK &&
        Run(*connection_,
            "UPDATE instrument SET instrument_name = coalesce((SELECT o.instrument_name FROM olddb.instrument o "
            "WHERE o.inst_serial_no = instrument.inst_serial_no), instrument_name);") &&
        connection_->Commit() == RDB_OK;
    if (!named) connection_->Rollback();
    Run(*connection_, "DETACH DATABASE olddb;");
  }
  int rc = connection_->BeginTransaction() == RDB_OK ? STORE_OK : STORE_FAILED;
  if (rc == STORE_OK) rc = ReaddTrashFolder(vt::JoinPath(folder_, kTrashFolder));
  if (rc == STORE_OK && !Run(*connection_, std::string("CREATE TABLE ") + kMoveTable +
                                               " (from_path TEXT NOT NULL, to_path TEXT NOT NULL);"))
    rc = STORE_FAILED;
  std::vector<std::string> taken;
  for (std::size_t i = 0; rc == STORE_OK && i < refused_.size(); ++i) {
    if (cancelRequest_) {
      rc = STORE_INTERRUPTED;
      break;
    }
    // The same place below TRASH; a name taken there (by a file deleted earlier, or by another
    // refused file) gets the next free alternative, as in a move to the deleted data.
    const std::string& from = refused_[i];
    const std::string to =
        FreeRelativePath(kTrashFolder + from.substr(std::string_view(kFilesFolder).size()), taken);
    std::string baseName;
    StripUniqueSuffix(std::string(vt::FileNamePart(from)), baseName);
    taken.push_back(to);
    Progress("trash", to);
    rc = AddTrashRow(to, baseName, from);
    auto insert = rc == STORE_OK ? connection_->CreateStatement() : nullptr;
    if (rc == STORE_OK &&
        (!insert || insert->Prepare(std::string("INSERT INTO ") + kMoveTable + " VALUES (?, ?);") != RDB_OK ||
         insert->BindText(0, from) != RDB_OK || insert->BindText(1, to) != RDB_OK ||
         insert->Execute() != RDB_OK))
      rc = STORE_FAILED;
  }
  // The last writes mark the new index complete: from its commit on, the rebuild is finished by
  // whoever comes next, never undone.
  if (rc == STORE_OK) rc = SetStatus(kStatusOk);
  if (rc == STORE_OK && !Run(*connection_, "PRAGMA user_version = " + std::to_string(kCompleteMark) + ";"))
    rc = STORE_FAILED;
  if (rc == STORE_OK) RebuildStep("commit");
  if (rc == STORE_OK && connection_->Commit() != RDB_OK) rc = STORE_FAILED;
  if (rc != STORE_OK) {
    connection_->Rollback();
    return discard(rc);
  }
  Close();
  return FinishInterruptedRebuild();
}

int CVTDataStorage::FinishInterruptedRebuild() {
  const std::string temp = vt::JoinPath(folder_, kRebuildIndexName);
  const std::string old = vt::JoinPath(folder_, kSwappedIndexName);
  if (vt::FileExists(temp)) {
    bool complete = false;
    bool moveTable = false;
    std::vector<std::pair<std::string, std::string>> moves;
    {
      auto db = NewRDBConnection(dbmsName_);
      if (!db) return STORE_NO_CONNECTION;
      ApplyBusyTimeout(db.get(), busyTimeoutMs_);
      // Opening plays back the journal of a transaction that never ended.
      if (db->Open(temp) == RDB_OK) {
        auto q = db->CreateStatement();
        int64_t mark = 0, tables = 0;
        std::string status;
        if (q && CountOf(*q, "PRAGMA user_version;", mark) &&
            CountOf(*q, "SELECT COUNT(*) FROM sqlite_master WHERE name = 'rebuild_move';", tables)) {
          q->Finalize();
          if (q->Prepare("SELECT status FROM database_info;") == RDB_OK && q->Execute() == RDB_OK &&
              q->Fetch() == RDB_ROW)
            q->GetText(0, status);
          // Older versions marked nothing; theirs was complete once the old index was moved aside.
          complete = status == kStatusOk &&
                     (mark == kCompleteMark || (!vt::FileExists(indexPath_) && vt::FileExists(old)));
          moveTable = complete && tables > 0;
        }
        if (moveTable) {
          q->Finalize();
          if (q->Prepare("SELECT from_path, to_path FROM rebuild_move ORDER BY rowid;") != RDB_OK ||
              q->Execute() != RDB_OK)
            return STORE_FAILED;
          for (int rc = q->Fetch(); rc != RDB_OK; rc = q->Fetch()) {
            if (rc != RDB_ROW) return STORE_FAILED;
            std::pair<std::string, std::string> move;
            q->GetText(0, move.first);
            q->GetText(1, move.second);
            moves.push_back(std::move(move));
          }
        }
      }
    }
    if (!complete) {
      vt::DeleteFile(temp);
      vt::DeleteFile(temp + "-journal");
    } else {
      for (const auto& [from, to] : moves) {
        const std::string source = vt::JoinPath(folder_, from);
        const std::string target = vt::JoinPath(folder_, to);
        if (vt::PathExists(target) || !vt::FileExists(source)) continue;  // moved already
        RebuildStep("move");
        if (!CreateFolderTree(std::string(vt::ParentPath(target)))) return STORE_FAILED;
        if (!vt::RenameNoReplace(source, target)) return STORE_COPY_ERROR;
      }
      if (moveTable) {
        auto db = NewRDBConnection(dbmsName_);
        if (!db || db->Open(temp) != RDB_OK || !Run(*db, "DROP TABLE rebuild_move;")) return STORE_FAILED;
      }
      // A journal beside the old index belongs to it and would be played into the new one.
      RebuildStep("swap");
      vt::DeleteFile(indexPath_ + "-journal");
      if (!vt::RenameReplacing(temp, indexPath_)) return STORE_FAILED;
      vt::FlushFolderToDisk(folder_);
    }
  }
  // The old index an older version moved aside for its swap: back in place when nothing
  // replaced it, else of no use any more.
  if (vt::FileExists(old)) {
    if (!vt::FileExists(indexPath_)) return vt::RenameNoReplace(old, indexPath_) ? STORE_OK : STORE_FAILED;
    vt::DeleteFile(old + "-journal");
    if (!vt::DeleteFile(old)) return STORE_FAILED;
  }
  return STORE_OK;
}

// CVTDataStorage: the consistency check and the rebuild of the index from the stored files.
//
// The check compares the open index with the files under FILES and TRASH and with what each
// stored file's reader says, then runs the engine's integrity check; it leaves the status "OK"
// or "CORRUPTED". The rebuild indexes every file under FILES in place into a new index
// "temp.db" (files the new index refuses move to the same place under TRASH), lists every file
// under TRASH as deleted data, keeps the names the user gave instruments, and only then swaps
// the new index in, so a rebuild that fails or is cancelled leaves the old index as it was.
#include <cstdio>
#include <memory>
#include <vector>

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
constexpr const char* kTempIndexName = "temp.db";
constexpr const char* kOldIndexName = "fileidx-old.db";

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
        SGroupChannelInfo member;
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
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
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
  for (const vt::FolderEntry& entry : entries) {
    if (cancelRequest_) return STORE_INTERRUPTED;
    const std::string path = vt::JoinPath(folder, entry.name);
    if (entry.isFolder) {
      if (int rc = ReimportFolder(path); rc != STORE_OK) return rc;
      continue;
    }
    Progress("index", path.substr(folder_.size() + 1));
    if (connection_->BeginTransaction() != RDB_OK) return STORE_FAILED;
    std::string relative;
    int rc = ImportDataFile(&relative, path, true);
    if (rc == STORE_OK && connection_->Commit() == RDB_OK) continue;
    connection_->Rollback();
    // Refused by the new index (the same data twice, unreadable, not supported): the file goes
    // to the deleted data at the same place below TRASH.
    const std::string filesRoot = vt::JoinPath(folder_, kFilesFolder) + '/';
    if (path.compare(0, filesRoot.size(), filesRoot) != 0) return STORE_FAILED;
    const std::string trashPath =
        vt::JoinPath(vt::JoinPath(folder_, kTrashFolder), path.substr(filesRoot.size()));
    if (!CreateFolderTree(std::string(vt::ParentPath(trashPath)))) return STORE_FAILED;
    if (!vt::RenameNoReplace(path, trashPath)) return STORE_COPY_ERROR;
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
  if (IsDiskFull()) return STORE_DISK_FULL;
  const std::string temp = vt::JoinPath(folder_, kTempIndexName);
  auto fresh = NewRDBConnection(dbmsName_);
  if (!fresh) return STORE_NO_CONNECTION;
  ApplyBusyTimeout(fresh.get(), busyTimeoutMs_);
  // What an earlier run left, including a journal that would be played into the new file.
  vt::DeleteFile(temp);
  vt::DeleteFile(temp + "-journal");
  if (fresh->Create(temp) != RDB_OK) return STORE_FAILED;
  connection_ = std::move(fresh);
  CreateSchema(databaseName, folder_);

  auto discard = [&](int rc) {
    Close();
    vt::DeleteFile(temp);
    vt::DeleteFile(temp + "-journal");
    return rc;
  };
  if (int rc = ReimportFolder(vt::JoinPath(folder_, kFilesFolder)); rc != STORE_OK) return discard(rc);
  if (SetStatus(kStatusOk) != STORE_OK) return discard(STORE_FAILED);
  if (connection_->BeginTransaction() != RDB_OK) return discard(STORE_FAILED);
  if (int rc = ReaddTrashFolder(vt::JoinPath(folder_, kTrashFolder)); rc != STORE_OK) {
    connection_->Rollback();
    return discard(rc);
  }
  if (connection_->Commit() != RDB_OK) {
    connection_->Rollback();
    return discard(STORE_FAILED);
  }
  Close();

  // The names the user gave instruments survive the rebuild.
  if (vt::FileExists(indexPath_)) {
    auto old = NewRDBConnection(dbmsName_);
    if (old) {
      ApplyBusyTimeout(old.get(), busyTimeoutMs_);
      if (old->Open(indexPath_) == RDB_OK) {
        old->Execute("ATTACH DATABASE '" + vt::DoubleApostrophes(temp) + "' AS 'newdb'");
        old->Execute(
            "UPDATE  newdb.instrument SET instrument_name = coalesce((SELECT instrument_name FROM instrument WHERE "
            "newdb.instrument.inst_serial_no = inst_serial_no), instrument_name);");
        old->Execute("DETACH DATABASE  newdb;");
      }
    }
  }

  // The swap. A journal beside the old index belongs to it and would be played into the new one.
  vt::DeleteFile(indexPath_ + "-journal");
  if (!vt::FileExists(indexPath_)) return vt::RenameNoReplace(temp, indexPath_) ? STORE_OK : STORE_FAILED;
  const std::string oldPath = vt::JoinPath(folder_, kOldIndexName);
  vt::DeleteFile(oldPath);
  vt::DeleteFile(oldPath + "-journal");
  if (!vt::RenameNoReplace(indexPath_, oldPath)) return STORE_FAILED;
  if (!vt::RenameNoReplace(temp, indexPath_)) return STORE_FAILED;
  return vt::DeleteFile(oldPath) ? STORE_OK : STORE_FAILED;
}

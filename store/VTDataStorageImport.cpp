// CVTDataStorage: import of one recorder file (ImportFile, ImportDataFile).
//
// ImportFile checks the storage's limits and whether another program has the file locked, then
// copies the file, indexes the copy and places it read-only under FILES in one transaction, so
// that an index row never exists without its copy and what is stored is exactly what the reader
// checked. A source that changes while it is imported is being written: the import gives up
// with a sharing violation and is tried again later. The copy is written under a temporary name
// in the storage folder and renamed into place, so a process killed half-way never leaves a
// partial file under a stored name; what a killed import leaves (the temporary file, or a
// complete copy the rolled-back index does not know) is removed by the next import.
// ImportDataFile writes the rows alone, inside the caller's transaction, and decides whether
// the file continues a batch.
#include <cassert>
#include <cstdio>
#include <set>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/FileTransfer.h"
#include "platform/base/Paths.h"
#include "platform/base/Text.h"
#include "recorder/FileAccessFactory.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorage.h"

namespace {

using Statement = std::unique_ptr<CRDBStatement>;

constexpr const char* kFilesFolder = "FILES";

// Deletes the reader on every way out of ImportDataFile.
struct ReaderHolder {
  CVTDataFileAccess* reader = nullptr;
  ~ReaderHolder() { delete reader; }
};

bool Prepared(CRDBConnection* connection, Statement& statement, const char* sql) {
  statement = connection->CreateStatement();
  return statement && statement->Prepare(sql) == RDB_OK;
}

// Runs a statement that changes data: the statement is reset first, then bound by the caller.
bool Done(const Statement& statement) { return statement->Execute() == RDB_OK; }

// The values of the file that the index and the two tests need.
struct SFileValues {
  std::string serialNo;
  std::string fileName;
  std::string guidText;
  std::string headerText;
  int startFactor = 0;
  int stopFactor = 0;
  int dataKind = 0;
  int timeChangeCount = 0;
  int powerFailure = 0;
  int dataInterval = 0;
  int channelCount = 0;
  int64_t startDataNo = 0;
  int64_t endDataNo = 0;
  int64_t memStartDataNo = 0;
  int64_t triggerDataNo = 0;
  TickTime startTime, endTime, triggerTime;
};

// One stored file of a candidate batch, as the continuation rules see it.
struct SBatchFile {
  int64_t startDataNo = 0;
  int64_t endDataNo = 0;
  int startFactor = 0;
  int stopFactor = 0;
};

struct SBatchChoice {
  bool join = false;
  std::string contDataGuid;
  int64_t contDataId = 0;
};

// Whether a file continues the candidate batch whose stored files these are (files in start
// data number order). It does when
//  - neither its start nor its end data number lies within a stored file's data numbers (the
//    file overlaps none of them);
//  - when the batch's first file was started by hand or by a trigger (start factor 1 or 4), the
//    file starts after that first file: nothing was recorded before such a start;
//  - when the batch's last file was stopped by hand or at its data count (stop factor 1 or 4), the
//    file ends before that last file: nothing was recorded after such a stop.
// An empty candidate is continued by any file.
bool ContinuesFiles(const SFileValues& v, const std::vector<SBatchFile>& files) {
  for (const SBatchFile& f : files) {
    bool startInside = v.startDataNo >= f.startDataNo && v.startDataNo <= f.endDataNo;
    bool endInside = v.endDataNo >= f.startDataNo && v.endDataNo <= f.endDataNo;
    if (startInside || endInside) return false;
  }
  if (files.empty()) return true;
  const SBatchFile& first = files.front();
  if ((first.startFactor == 1 || first.startFactor == 4) && !(v.startDataNo > first.startDataNo))
    return false;
  const SBatchFile& last = files.back();
  if ((last.stopFactor == 1 || last.stopFactor == 4) && !(v.endDataNo < last.endDataNo)) return false;
  return true;
}

// Batch continuation: the first candidate batch of the same recording that the file continues.
int FindBatch(CRDBConnection* db, const SFileValues& v, SBatchChoice& choice) {
  struct Candidate {
    std::string guid;
    int64_t id = 0;
    std::string serialNo;
    int dataKind = 0;
  };
  std::vector<Candidate> candidates;
  {
    Statement q;
    if (!Prepared(db, q,
                  "SELECT cont_data_guid, cont_data_id, inst_serial_no, data_kind FROM continuous_data_info "
                  "WHERE org_data_guid = ? ORDER BY cont_data_id") ||
        q->BindText(0, v.guidText) != RDB_OK || q->Execute() != RDB_OK)
      return STORE_FAILED;
    for (int rc = q->Fetch(); rc != RDB_OK; rc = q->Fetch()) {
      if (rc != RDB_ROW) return STORE_FAILED;
      Candidate c;
      q->GetText(0, c.guid);
      q->GetInt64(1, c.id);
      q->GetText(2, c.serialNo);
      q->GetInt(3, c.dataKind);
      candidates.push_back(std::move(c));
    }
  }
  choice = SBatchChoice{};
  if (candidates.empty()) {
    choice.contDataGuid = v.guidText;
    return STORE_OK;
  }
  // A file started and stopped by hand is a whole recording of its own.
  if (!(v.startFactor == 1 && v.stopFactor == 1)) {
    Statement firstFile, tagCount, files;
    if (!Prepared(
            db, firstFile,
            " SELECT mem_start_data_no , file_id FROM file WHERE cont_data_id = ? ORDER BY file_id ;") ||
        !Prepared(db, tagCount, " SELECT COUNT(*) FROM tag WHERE file_id = ? ") ||
        !Prepared(
            db, files,
            " SELECT start_data_no, end_data_no, start_factor, stop_factor FROM file WHERE cont_data_id = ? "
            "ORDER BY start_data_no;"))
      return STORE_FAILED;
    for (const Candidate& c : candidates) {
      if (c.serialNo != v.serialNo || c.dataKind != v.dataKind) continue;
      firstFile->Reset();
      if (firstFile->BindInt64(0, c.id) != RDB_OK || firstFile->Execute() != RDB_OK) return STORE_FAILED;
      if (firstFile->Fetch() != RDB_ROW) return STORE_FAILED;  // a batch without files
      int64_t memStart = 0, firstId = 0;
      firstFile->GetInt64(0, memStart);
      firstFile->GetInt64(1, firstId);
      if (memStart != v.memStartDataNo) continue;
      tagCount->Reset();
      int tags = -1;
      if (tagCount->BindInt64(0, firstId) != RDB_OK || tagCount->Execute() != RDB_OK ||
          tagCount->Fetch() != RDB_ROW || tagCount->GetInt(0, tags) != RDB_OK)
        return STORE_FAILED;
      if (tags != v.channelCount) continue;
      files->Reset();
      if (files->BindInt64(0, c.id) != RDB_OK || files->Execute() != RDB_OK) return STORE_FAILED;
      std::vector<SBatchFile> stored;
      for (int rc = files->Fetch(); rc != RDB_OK; rc = files->Fetch()) {
        if (rc != RDB_ROW) return STORE_FAILED;
        SBatchFile f;
        files->GetInt64(0, f.startDataNo);
        files->GetInt64(1, f.endDataNo);
        files->GetInt(2, f.startFactor);
        files->GetInt(3, f.stopFactor);
        stored.push_back(f);
      }
      if (!ContinuesFiles(v, stored)) continue;
      choice.join = true;
      choice.contDataGuid = c.guid;
      choice.contDataId = c.id;
      return STORE_OK;
    }
  }
  NewGuidString(choice.contDataGuid);
  return STORE_OK;
}

}  // namespace

bool CVTDataStorage::IsSafeFolderName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return false;
    // Also the characters the other platform refuses in a folder name: stored paths travel.
    for (char bad : {'/', '\\', ':', '*', '?', '"', '<', '>', '|'})
      if (c == static_cast<unsigned char>(bad)) return false;
  }
  return true;
}

std::string CVTDataStorage::StoredFileName(const std::string& sourcePath) const {
  // A backslash is an ordinary character of a file name here.
  std::string name(vt::FileNamePart(sourcePath));
  // Only a file of this storage carries a suffix of ours; a name from outside is the user's.
  const std::string inside = folder_ + '/';
  if (!folder_.empty() && sourcePath.compare(0, inside.size(), inside) == 0) {
    std::string plain;
    StripUniqueSuffix(name, plain);
    name = plain;
  }
  // Index text is UTF-8: bytes that are none become U+FFFD, in the index and the stored name.
  if (!vt::IsValidUtf8(name)) {
    std::string mended;
    if (vt::CodePageToUtf8(name, 65001, mended)) name = mended;
  }
  return name;
}

void CVTDataStorage::ImportStepReached(ImportStep step) {
  if (seams_.onImportStep) seams_.onImportStep(step);
}

// A complete copy under a stored name that no file row names is what an import killed between
// placing its copy and committing leaves behind. When it holds this import's bytes it is that
// import's copy, and it goes, so that this import takes the name instead of a suffixed one.
int CVTDataStorage::RemoveStrayCopies(const std::string& serialNo, const std::string& fileName, TickTime time,
                                      const std::string& copiedPath) {
  std::string first;
  int rc = NewFilePath(kFilesFolder, serialNo, fileName, first, time);
  if (rc != STORE_OK) return rc;
  // NewFilePath skipped every taken name before the free one; look at those.
  std::string folder(vt::ParentPath(first));
  Statement named;
  if (!Prepared(connection_.get(), named, "SELECT COUNT(*) FROM file WHERE file_path = ?;"))
    return STORE_FAILED;
  std::string name = fileName;
  for (int n = 1;; ++n) {
    std::string relative = folder + '/' + name;
    if (relative == first) break;
    std::string absolute = vt::JoinPath(folder_, relative);
    named->Reset();
    int count = 1;
    if (named->BindText(0, relative) != RDB_OK || named->Execute() != RDB_OK || named->Fetch() != RDB_ROW ||
        named->GetInt(0, count) != RDB_OK)
      return STORE_FAILED;
    if (count == 0 && vt::SameFileContents(absolute, copiedPath)) vt::DeleteFile(absolute);
    UniqueFileName(fileName, n, name);
  }
  return STORE_OK;
}

std::string CVTDataStorage::ImportCopyPath(const std::string& sourcePath) const {
  // One name for every import: the storage's mutex lets one import run at a time, and the next
  // import replaces what a killed one left. The extension tells the reader the file's kind.
  std::string_view extension = vt::ExtensionPart(vt::FileNamePart(sourcePath));
  if (extension.size() > 16) extension = {};
  return vt::JoinPath(folder_, kImportCopyPrefix + std::string(extension));
}

int CVTDataStorage::ImportFile(const std::string& sourcePath, std::string* copyPath) {
  StorageLock guard(*this);
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  if (!copyPath) return STORE_FAILED;
  if (GetIndexFileSize() >= INDEX_FILE_LIMIT) return STORE_INDEX_FILE_LIMIT;
  if (IsDiskFull()) return STORE_DISK_FULL;
  // POSIX has no exclusive open: the best test is whether another program holds an advisory
  // lock on the file. A program that has it open without a lock is not seen; what it changes
  // while we import is (below).
  switch (vt::TestFileLocks(sourcePath)) {
    case vt::LockTest::Locked:
      return STORE_SHARE_VIOLATION;
    case vt::LockTest::Failed:
      return STORE_FAILED;
    case vt::LockTest::Free:
      break;
  }
  // A BEGIN that fails (a transaction left open, a busy index) must not let this file's rows
  // join someone else's transaction.
  if (connection_->BeginTransaction() != RDB_OK) return STORE_FAILED;
  ImportStepReached(ImportStep::Begun);

  // The file is copied first and the copy is what the reader checks and what is stored: the
  // source may change at any time, what was checked may not.
  const std::string copied = ImportCopyPath(sourcePath);
  vt::FileStamp opened;
  // A source that changed under the import is being written by someone: tried again later, and
  // never booked as damaged for being incomplete.
  auto changed = [&] {
    vt::FileStamp now;
    return !vt::GetFileStamp(sourcePath, now) || !(now == opened);
  };
  auto fail = [&](int rc) {
    connection_->Rollback();
    vt::DeleteFile(copied);
    return rc;
  };
  switch (vt::CopyToTemporary(sourcePath, copied, opened)) {
    case vt::CopyOutcome::Ok:
      break;
    case vt::CopyOutcome::SourceChanged:
      return fail(STORE_SHARE_VIOLATION);
    case vt::CopyOutcome::DiskFull:
      // A disk that filled during the copy is not a fault of the file: it is tried again later.
      return fail(STORE_DISK_FULL);
    default:
      return fail(STORE_COPY_ERROR);
  }
  ImportStepReached(ImportStep::CopyWritten);

  std::string relative;
  int rc = ImportDataFileFrom(&relative, sourcePath, copied, false);
  if (rc != STORE_OK) {
    if (changed()) return fail(STORE_SHARE_VIOLATION);
    if (rc == STORE_IMPORTED_ALREADY || rc == STORE_IN_TRASH) *copyPath = relative;
    return fail(rc);
  }
  ImportStepReached(ImportStep::Indexed);

  const std::string destination = vt::JoinPath(folder_, relative);
  const std::string destinationFolder(vt::ParentPath(destination));
  if (!vt::FolderExists(destinationFolder) && !CreateFolderTree(destinationFolder))
    return fail(STORE_COPY_ERROR);
  ImportStepReached(ImportStep::FolderMade);

  if (changed()) return fail(STORE_SHARE_VIOLATION);
  vt::CopyOutcome placed = vt::PlaceCopy(copied, destination, true);
  if (placed != vt::CopyOutcome::Ok)
    return fail(placed == vt::CopyOutcome::DiskFull ? STORE_DISK_FULL : STORE_COPY_ERROR);
  ImportStepReached(ImportStep::CopyInPlace);

  // A commit that fails leaves the transaction open; its rows would be lost later while the
  // copy stayed. Undo both and say so.
  if (connection_->Commit() != RDB_OK) {
    connection_->Rollback();
    vt::DeleteFile(destination);
    return STORE_FAILED;
  }
  ImportStepReached(ImportStep::Committed);
  *copyPath = relative;
  return STORE_OK;
}

int CVTDataStorage::ImportDataFile(std::string* copyPath, const std::string& sourcePath, bool inPlace) {
  return ImportDataFileFrom(copyPath, sourcePath, sourcePath, inPlace);
}

int CVTDataStorage::ImportDataFileFrom(std::string* copyPath, const std::string& sourcePath,
                                       const std::string& readPath, bool inPlace) {
  CRDBConnection* db = connection_.get();
  if (!db) return STORE_STORAGE_NOT_OPEN;

  ReaderHolder holder;
  const int opened = seams_.openReader ? seams_.openReader(readPath, &holder.reader)
                                       : OpenStoredFile(readPath, &holder.reader);
  if (opened != 0 || !holder.reader) return opened != 0 ? opened : STORE_FAILED;
  CVTDataFileAccess& reader = *holder.reader;

  Statement duplicate, trashDuplicate, insertFile, linkFile;
  if (!Prepared(
          db, duplicate,
          "SELECT file_path FROM continuous_data_info, file WHERE continuous_data_info.org_data_guid = ? "
          "AND continuous_data_info.cont_data_id = file.cont_data_id AND file.start_data_no = ? AND "
          "file.end_data_no = ? AND file.mem_start_data_no = ? AND file.trigger_data_no = ? AND "
          "file.trigger_time = ?;") ||
      !Prepared(
          db, trashDuplicate,
          "SELECT file_path FROM trash WHERE org_data_guid = ? AND start_data_no = ? AND end_data_no = ? "
          "AND mem_start_data_no = ? AND trigger_data_no = ? AND trigger_time = ?;") ||
      !Prepared(db, insertFile, "INSERT INTO file VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);") ||
      !Prepared(db, linkFile, "UPDATE file SET cont_data_id = ? WHERE  file_id = ?;"))
    return STORE_FAILED;

  SFileValues v;
  reader.GetSerialNo(&v.serialNo);
  if (v.serialNo.empty() || !IsSafeFolderName(v.serialNo)) return STORE_INVALID_FILE;
  v.fileName = StoredFileName(sourcePath);

  vt::Guid guid;
  reader.GetOriginalDataGuid(&guid);
  GuidToString(guid, v.guidText);
  v.startFactor = reader.GetStartFactor();
  v.stopFactor = reader.GetStopFactor();
  v.dataKind = reader.GetDataKind();
  reader.GetStartDataNo(&v.startDataNo);
  reader.GetEndDataNo(&v.endDataNo);
  reader.GetTriggerDataNo(&v.triggerDataNo);
  reader.GetMemStartDataNo(&v.memStartDataNo);
  reader.GetHeaderText(&v.headerText);
  reader.GetStartTime(&v.startTime);
  reader.GetEndTime(&v.endTime);
  reader.GetTriggerTime(&v.triggerTime);
  v.timeChangeCount = reader.GetTimeChangeCount();
  v.powerFailure = reader.GetPowerFailure();
  v.dataInterval = reader.GetDataInterval();
  v.channelCount = reader.GetChannelCount();

  // The same data stored already, or among the deleted data.
  for (const Statement* test : {&duplicate, &trashDuplicate}) {
    const Statement& q = *test;
    if (q->BindText(0, v.guidText) != RDB_OK || q->BindInt64(1, v.startDataNo) != RDB_OK ||
        q->BindInt64(2, v.endDataNo) != RDB_OK || q->BindInt64(3, v.memStartDataNo) != RDB_OK ||
        q->BindInt64(4, v.triggerDataNo) != RDB_OK || q->BindInt64(5, v.triggerTime.ticks) != RDB_OK ||
        q->Execute() != RDB_OK)
      return STORE_FAILED;
    int rc = q->Fetch();
    if (rc == RDB_ROW) {
      std::string stored;
      q->GetText(0, stored);
      if (copyPath) *copyPath = stored;
      return test == &duplicate ? STORE_IMPORTED_ALREADY : STORE_IN_TRASH;
    }
    if (rc != RDB_OK) return STORE_FAILED;
  }

  std::string relative;
  if (!inPlace) {
    if (int rc = RemoveStrayCopies(v.serialNo, v.fileName, v.endTime, readPath); rc != STORE_OK) return rc;
    if (int rc = NewFilePath(kFilesFolder, v.serialNo, v.fileName, relative, v.endTime); rc != STORE_OK)
      return rc;
  } else {
    const std::string prefix = folder_ + '/';
    if (!copyPath || sourcePath.compare(0, prefix.size(), prefix) != 0) return STORE_FAILED;
    relative = sourcePath.substr(prefix.size());
  }
  if (copyPath) *copyPath = relative;

  if (v.timeChangeCount > 0) {
    reader.GetCorrectedStartTime(&v.startTime);
    reader.GetCorrectedEndTime(&v.endTime);
  }

  // The file row; its batch is set once the batch is known.
  {
    const Statement& q = insertFile;
    int i = 0;
    bool ok = q->BindText(i++, v.serialNo) == RDB_OK && q->BindInt64(i++, 0) == RDB_OK;
    ++i;  // file_id: left to the database
    ok = ok && q->BindText(i++, v.fileName) == RDB_OK && q->BindText(i++, relative) == RDB_OK &&
         q->BindText(i++, v.headerText) == RDB_OK && q->BindInt(i++, v.powerFailure) == RDB_OK &&
         q->BindInt(i++, v.startFactor) == RDB_OK && q->BindInt(i++, v.stopFactor) == RDB_OK &&
         q->BindInt64(i++, v.startTime.ticks) == RDB_OK && q->BindInt64(i++, v.endTime.ticks) == RDB_OK &&
         q->BindInt64(i++, v.triggerTime.ticks) == RDB_OK && q->BindInt64(i++, v.startDataNo) == RDB_OK &&
         q->BindInt64(i++, v.endDataNo) == RDB_OK && q->BindInt64(i++, v.memStartDataNo) == RDB_OK &&
         q->BindInt64(i++, v.triggerDataNo) == RDB_OK && q->BindInt(i++, v.timeChangeCount) == RDB_OK;
    if (!ok || !Done(q)) return STORE_FAILED;
  }
  const int64_t fileId = db->GetLastInsertRowId();

  std::string startUser, stopUser, batchNo;
  int lotNo = 0, lotDigits = 0;
  reader.GetStartUserName(&startUser);
  reader.GetStopUserName(&stopUser);
  reader.GetBatchInfo(&batchNo, &lotNo, &lotDigits);
  const int loggingNo = reader.GetLoggingNo();

  SBatchChoice batch;
  if (int rc = FindBatch(db, v, batch); rc != STORE_OK) return rc;

  int64_t batchId = 0;
  if (!batch.join) {
    std::string lotText;
    if (reader.HasLotNo()) {
      char format[32];
      std::snprintf(format, sizeof format, "%%0%dd", lotDigits);
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, format, lotNo);
      lotText = buffer;
    }
    Statement q;
    if (!Prepared(db, q, "INSERT INTO continuous_data_info VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?);"))
      return STORE_FAILED;
    bool ok = q->BindText(1, batch.contDataGuid) == RDB_OK && q->BindText(2, v.serialNo) == RDB_OK &&
              q->BindInt64(3, v.startTime.ticks) == RDB_OK && q->BindInt64(4, v.endTime.ticks) == RDB_OK &&
              q->BindText(5, startUser) == RDB_OK && q->BindText(6, stopUser) == RDB_OK &&
              q->BindInt(7, v.dataKind) == RDB_OK && q->BindInt(8, v.powerFailure) == RDB_OK &&
              q->BindInt(9, v.timeChangeCount) == RDB_OK && q->BindText(10, batchNo) == RDB_OK &&
              q->BindText(11, lotText) == RDB_OK && q->BindInt(12, loggingNo) == RDB_OK &&
              q->BindInt64(13, fileId) == RDB_OK && q->BindText(14, v.guidText) == RDB_OK;
    if (!ok || !Done(q)) return STORE_FAILED;
    batchId = db->GetLastInsertRowId();

    Statement text;
    if (!Prepared(db, text, "INSERT INTO batch_text VALUES(?,?,?,?,?);")) return STORE_FAILED;
    for (int j = 0, n = reader.GetBatchTextCount(); j < n; ++j) {
      std::string title, body;
      if (reader.GetBatchTextAt(j, &title, &body) != 0) return STORE_INVALID_FILE;
      text->Reset();
      if (text->BindInt64(0, batchId) != RDB_OK || text->BindInt(1, j + 1) != RDB_OK ||
          text->BindInt(2, 0) != RDB_OK || text->BindText(3, title) != RDB_OK ||
          text->BindText(4, body) != RDB_OK || !Done(text))
        return STORE_FAILED;
    }

    Statement known;
    if (!Prepared(db, known, "SELECT * FROM instrument WHERE inst_serial_no = ?;") ||
        known->BindText(0, v.serialNo) != RDB_OK || known->Execute() != RDB_OK)
      return STORE_FAILED;
    int found = known->Fetch();
    if (found != RDB_ROW && found != RDB_OK) return STORE_FAILED;
    if (found == RDB_OK) {
      Statement count;
      int instruments = 0;
      if (!Prepared(db, count, "SELECT COUNT(*) FROM instrument;") || count->Execute() != RDB_OK ||
          count->Fetch() != RDB_ROW || count->GetInt(0, instruments) != RDB_OK)
        return STORE_FAILED;
      if (instruments > MAX_INSTRUMENTS - 1) return STORE_INSTRUMENT_LIMIT;
      std::string recorderType, hostName, instrumentName;
      reader.GetRecorderType(&recorderType);
      reader.GetHostName(&hostName);
      reader.GetInstrumentName(&instrumentName);
      Statement add;
      if (!Prepared(db, add, "INSERT INTO instrument VALUES(?,?,?,?);") ||
          add->BindText(0, v.serialNo) != RDB_OK || add->BindText(1, recorderType) != RDB_OK ||
          add->BindText(2, hostName) != RDB_OK || add->BindText(3, instrumentName) != RDB_OK)
        return STORE_FAILED;
      int added = add->Execute();
      if (added != RDB_OK && added != RDB_CONSTRAINT) return STORE_FAILED;
    }
  } else {
    batchId = batch.contDataId;
    Statement q;
    int64_t batchStart = 0, batchStop = 0;
    int batchPower = 0, batchChanges = 0;
    if (!Prepared(db, q,
                  "SELECT cont_data_id, start_time, stop_time, power_failure, chng_time_cnt FROM "
                  "continuous_data_info WHERE cont_data_guid = ?;") ||
        q->BindText(0, batch.contDataGuid) != RDB_OK || q->Execute() != RDB_OK || q->Fetch() != RDB_ROW)
      return STORE_FAILED;
    q->GetInt64(0, batchId);
    q->GetInt64(1, batchStart);
    q->GetInt64(2, batchStop);
    q->GetInt(3, batchPower);
    q->GetInt(4, batchChanges);

    auto update = [&](const char* sql, int64_t value) {
      Statement u;
      return Prepared(db, u, sql) && u->BindInt64(0, value) == RDB_OK &&
             u->BindText(1, batch.contDataGuid) == RDB_OK && Done(u);
    };
    if (v.startTime.ticks < batchStart &&
        !update("UPDATE continuous_data_info SET start_time=? WHERE  cont_data_guid = ?;", v.startTime.ticks))
      return STORE_FAILED;
    if (v.endTime.ticks > batchStop &&
        !update("UPDATE continuous_data_info SET stop_time=? WHERE  cont_data_guid = ?;", v.endTime.ticks))
      return STORE_FAILED;
    if (batchPower == 0 && v.powerFailure != 0 &&
        !update("UPDATE continuous_data_info SET power_failure=? WHERE  cont_data_guid = ?;", 1))
      return STORE_FAILED;
    if (v.timeChangeCount > 0 &&
        !update("UPDATE continuous_data_info SET chng_time_cnt=? WHERE  cont_data_guid = ?;",
                int64_t(batchChanges) + v.timeChangeCount))
      return STORE_FAILED;

    Statement highest;
    int64_t highestEnd = 0;
    if (!Prepared(db, highest,
                  "SELECT end_data_no FROM file WHERE cont_data_id = ? ORDER BY end_data_no DESC;") ||
        highest->BindInt64(0, batchId) != RDB_OK || highest->Execute() != RDB_OK ||
        highest->Fetch() != RDB_ROW || highest->GetInt64(0, highestEnd) != RDB_OK)
      return STORE_FAILED;
    if (v.endDataNo > highestEnd) {
      Statement latest;
      if (!Prepared(
              db, latest,
              "UPDATE continuous_data_info SET start_username = ?, stop_username = ?, latest_file_id = ? "
              "WHERE  cont_data_guid = ?;") ||
          latest->BindText(0, startUser) != RDB_OK || latest->BindText(1, stopUser) != RDB_OK ||
          latest->BindInt64(2, fileId) != RDB_OK || latest->BindText(3, batch.contDataGuid) != RDB_OK ||
          !Done(latest))
        return STORE_FAILED;
    }
  }

  if (linkFile->BindInt64(0, batchId) != RDB_OK || linkFile->BindInt64(1, fileId) != RDB_OK ||
      !Done(linkFile))
    return STORE_FAILED;

  // Batch comments.
  {
    Statement q;
    if (!Prepared(db, q, "INSERT INTO batch_comment VALUES(?,?,?,?,?);")) return STORE_FAILED;
    for (int i = 0, n = reader.GetBatchCommentCount(); i < n; ++i) {
      TickTime time;
      std::string user, text;
      if (reader.GetBatchCommentAt(i, &time, &user, &text) != 0) return STORE_INVALID_FILE;
      q->Reset();
      if (q->BindInt64(0, fileId) != RDB_OK || q->BindInt(1, i + 1) != RDB_OK ||
          q->BindInt64(2, time.ticks) != RDB_OK || q->BindText(3, user) != RDB_OK ||
          q->BindText(4, text) != RDB_OK || !Done(q))
        return STORE_FAILED;
    }
  }

  // Display groups: a group row follows its channel rows, and a group without a channel has none.
  // The index keeps a group number once per file and a channel once per group: a file that
  // lists either twice cannot be indexed as it reads, and is refused as invalid (booked once).
  {
    Statement group, channel;
    if (!Prepared(db, group, "INSERT INTO display_group VALUES(?,?,?);") ||
        !Prepared(db, channel, "INSERT INTO display_channel VALUES(?,?,?);"))
      return STORE_FAILED;
    std::set<int> groupNumbers;
    for (int g = 0, n = reader.GetGroupCount(); g < n; ++g) {
      std::string groupName;
      int places = 0, groupNo = 0, inUse = 0;
      if (reader.GetGroupInfo(g, &groupName, &places, &groupNo, &inUse) != 0) return STORE_INVALID_FILE;
      if (!inUse || places <= 0) continue;
      int written = 0;
      std::set<int> channelNumbers;
      for (int j = 0; j < places; ++j) {
        vt::SGroupChannelInfo member;
        if (reader.GetGroupChannel(g, j, &member) != 0) return STORE_INVALID_FILE;
        if (member.channelIndex == -1) continue;
        const int channelNo = reader.GetChannelNo(member.channelIndex);
        if (!channelNumbers.insert(channelNo).second) return STORE_INVALID_FILE;
        channel->Reset();
        channel->BindInt64(0, fileId);
        channel->BindInt(1, groupNo);
        channel->BindInt(2, channelNo);
        // A row that cannot be written is missing; the import goes on.
        Done(channel);
        ++written;
      }
      if (written == 0) continue;
      if (!groupNumbers.insert(groupNo).second) return STORE_INVALID_FILE;
      group->Reset();
      if (group->BindInt64(0, fileId) != RDB_OK || group->BindInt(1, groupNo) != RDB_OK ||
          group->BindText(2, groupName) != RDB_OK || !Done(group))
        return STORE_FAILED;
    }
  }

  // Messages with their write groups.
  {
    Statement message, writeGroup;
    if (!Prepared(db, message, "INSERT INTO message VALUES(?,?,?,?,?,?,?,?,?,?,?,?);") ||
        !Prepared(db, writeGroup, "INSERT INTO message_write_group VALUES(?,?,?);"))
      return STORE_FAILED;
    for (int i = 0, n = reader.GetMessageCount(); i < n; ++i) {
      std::string user, text;
      int messageNo = 0, serial = 0, secondWord = 0, word36 = 0, groupCount = 0;
      int64_t relativeDataNo = 0;
      TickTime messageTime, inputTime;
      if (reader.GetMessage(i, &user, &messageNo, &serial, &relativeDataNo, &secondWord, &text, &word36,
                            &groupCount, &messageTime, &inputTime) != 0)
        return STORE_INVALID_FILE;
      std::vector<int> groups;
      std::string groupText;
      if (groupCount == -1) {
        groupText = "ALL";
      } else {
        for (int j = 0; j < groupCount; ++j) {
          int groupNo = 0;
          if (reader.GetMessageGroup(i, j, &groupNo) != 0) return STORE_INVALID_FILE;
          groups.push_back(groupNo);
          groupText += std::to_string(groupNo);
          if (j + 1 < groupCount) groupText += ':';
        }
      }
      message->Reset();
      message->BindText(0, v.serialNo);
      message->BindInt64(1, batchId);
      message->BindInt64(2, fileId);
      message->BindInt64(4, inputTime.ticks);
      message->BindInt64(5, relativeDataNo + v.startDataNo);
      message->BindInt64(6, messageTime.ticks);
      message->BindInt(7, messageNo);
      message->BindInt(8, serial);
      message->BindText(9, user);
      message->BindText(10, text);
      message->BindText(11, groupText);
      // A message row that cannot be written is missing, and so are its write groups.
      if (!Done(message)) continue;
      const int64_t messageId = db->GetLastInsertRowId();
      if (groupCount == -1) groups = {-1};
      for (int groupNo : groups) {
        writeGroup->Reset();
        writeGroup->BindInt64(0, fileId);
        writeGroup->BindInt64(1, messageId);
        writeGroup->BindInt(2, groupNo);
        Done(writeGroup);
      }
    }
  }

  // Tags.
  {
    Statement q;
    if (!Prepared(db, q, "INSERT INTO tag VALUES(?,?,?,?,?,?,?);")) return STORE_FAILED;
    for (int j = 0; j < v.channelCount; ++j) {
      vt::SChannelInfo info;
      if (reader.GetChannelInfo(j, &info) != 0) return STORE_INVALID_FILE;
      q->Reset();
      if (q->BindInt64(0, fileId) != RDB_OK || q->BindInt(1, info.channelNo) != RDB_OK ||
          q->BindText(2, info.name) != RDB_OK || q->BindInt(3, v.dataInterval) != RDB_OK ||
          q->BindText(4, info.tagNo) != RDB_OK || q->BindText(5, info.tagName) != RDB_OK ||
          q->BindText(6, info.unit) != RDB_OK || !Done(q))
        return STORE_FAILED;
    }
  }

  // Alarms.
  {
    Statement q;
    if (!Prepared(db, q, "INSERT INTO alarm VALUES(?,?,?,?,?,?,?,?);")) return STORE_FAILED;
    for (int i = 0, n = reader.GetAlarmCount(); i < n; ++i) {
      int channelIndex = -1, action = 0, level = 0, type = 0, lastWord = 0;
      int64_t relativeDataNo = 0;
      TickTime time;
      if (reader.GetAlarm(i, &channelIndex, &relativeDataNo, &time, &action, &level, &type, &lastWord) != 0)
        return STORE_INVALID_FILE;
      const int channelNo = channelIndex == -1 ? -1 : reader.GetChannelNo(channelIndex);
      q->Reset();
      if (q->BindText(0, v.serialNo) != RDB_OK || q->BindInt64(1, batchId) != RDB_OK ||
          q->BindInt64(2, fileId) != RDB_OK || q->BindInt64(3, time.ticks) != RDB_OK ||
          q->BindInt(4, channelNo) != RDB_OK || q->BindInt(5, level) != RDB_OK ||
          q->BindInt(6, action) != RDB_OK || q->BindInt(7, type) != RDB_OK || !Done(q))
        return STORE_FAILED;
    }
  }
  return STORE_OK;
}

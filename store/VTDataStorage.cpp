// CVTDataStorage: one data storage (see VTDataStorage.h).
#include "store/VTDataStorage.h"

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/Text.h"
#include "platform/base/TimeEngine.h"
#include "recorder/FileAccessFactory.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/RDBSQLiteConnection.h"

namespace {

constexpr const char* kFilesFolder = "FILES";
constexpr const char* kTrashFolder = "TRASH";
// A taken name gets "-VT-" and a number before its extension ("A.DAE" -> "A-VT-1.DAE"), so the
// reader still knows the file by its extension. Older versions appended ".-VT-" and the number
// after the whole name ("A.DAE.-VT-1"); such stored files are still read and restored.
constexpr const char* kUniqueMarker = "-VT-";
constexpr const char* kOldUniqueMarker = ".-VT-";
// The longest file name the file systems take, in bytes.
constexpr std::size_t kMaxNameBytes = 255;

// Whether text ends in marker followed by a number of ours (digits, the first not 0); where
// the marker begins.
bool EndsInUniqueSuffix(std::string_view text, std::string_view marker, std::size_t& at) {
  std::size_t digits = 0;
  while (digits < text.size() && text[text.size() - 1 - digits] >= '0' &&
         text[text.size() - 1 - digits] <= '9')
    ++digits;
  if (digits == 0 || text[text.size() - digits] == '0') return false;
  const std::size_t rest = text.size() - digits;
  if (rest < marker.size() || text.substr(rest - marker.size(), marker.size()) != marker) return false;
  at = rest - marker.size();
  return true;
}

// Where a name's extension begins: at its last '.', or at its end when it has none.
std::size_t ExtensionStart(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name.size() : dot;
}

// The UTC year and month of a time.
void UtcYearMonth(TickTime time, int64_t& year, int& month) {
  constexpr int64_t kTicksPerDay = 86400 * vt::kTicksPerSecond;
  int64_t shifted = time.ticks - vt::kEpochDifferenceTicks;
  int64_t days = shifted / kTicksPerDay - (shifted % kTicksPerDay < 0 ? 1 : 0);
  int day = 0;
  vt::CivilFromDays(days, &year, &month, &day);
}

}  // namespace

CVTDataStorage::CVTDataStorage() : dbmsName_(kDbmsSQLite), busyTimeoutMs_(kDefaultBusyTimeoutMs) {}

void CVTDataStorage::ApplyBusyTimeout(CRDBConnection* connection, int milliseconds) {
  if (auto* sqlite = dynamic_cast<CRDBSQLiteConnection*>(connection)) sqlite->SetBusyTimeout(milliseconds);
}

CVTDataStorage::~CVTDataStorage() { Close(); }

int CVTDataStorage::SetPaths(const std::string& folder) {
  if (!vt::FolderExists(folder)) return STORE_OPEN_FAILED;
  folder_ = folder;
  indexPath_ = vt::JoinPath(folder, kIndexFileName);
  return STORE_OK;
}

int CVTDataStorage::Open() {
  if (connection_) return STORE_STORAGE_OPEN;
  connection_ = NewRDBConnection(dbmsName_);
  if (!connection_) return STORE_NO_CONNECTION;
  ApplyBusyTimeout(connection_.get(), busyTimeoutMs_);
  if (int rc = connection_->Open(indexPath_); rc != RDB_OK) {
    connection_.reset();
    // Locked by another connection is not damaged: the caller must leave the storage alone.
    return rc == RDB_BUSY ? STORE_BUSY : STORE_OPEN_FAILED;
  }
  connection_->Execute("PRAGMA synchronous = OFF;");
  connection_->Execute("PRAGMA cache_size = 2048;");

  std::string version;
  int rc = ReadInfoText("SELECT schema_version FROM database_info;", version, true);
  if (rc == STORE_OK && version != SCHEMA_VERSION) rc = STORE_SCHEMA_MISMATCH;
  if (rc != STORE_OK) {
    // An index this program cannot read as its own stays closed, so nothing writes into it.
    connection_.reset();
    return rc;
  }

  std::string name;
  GetDatabaseName(name);
  // A mutex created by an earlier open of this object is kept, unless the storage was renamed
  // since: every object on the storage, old or new, must meet on the mutex of its current name.
  const std::string mutexName = MutexName(name);
  if (mutex_.HasHandle() && mutex_.Name() != mutexName) mutex_.Close();
  mutex_.Create(mutexName);
  // A failure here leaves the intent for the next move; the storage opens all the same.
  FinishInterruptedMove();
  return STORE_OK;
}

int CVTDataStorage::OpenAt(const std::string& folder) {
  if (connection_) return STORE_STORAGE_OPEN;
  int rc = SetPaths(folder);
  return rc == STORE_OK ? Open() : rc;
}

void CVTDataStorage::Close() {
  std::lock_guard<std::mutex> hold(interruptMutex_);
  connection_.reset();
}

int CVTDataStorage::Create(const std::string& folder, const std::string& databaseName,
                           const std::string& areaPath) {
  if (connection_ || vt::PathExists(folder)) return STORE_EXISTS;
  if (!CreateFolderTree(folder) || !CreateFolderTree(vt::JoinPath(folder, kFilesFolder))) return STORE_FAILED;
  connection_ = NewRDBConnection(dbmsName_);
  if (!connection_) return STORE_FAILED;
  ApplyBusyTimeout(connection_.get(), busyTimeoutMs_);
  if (connection_->Create(vt::JoinPath(folder, kIndexFileName)) != RDB_OK) return STORE_FAILED;
  if (CreateSchema(databaseName, areaPath.empty() ? folder : areaPath) != STORE_OK ||
      SetPaths(folder) != STORE_OK || SetStatus(kStatusOk) != STORE_OK)
    return STORE_FAILED;
  Close();
  return STORE_OK;
}

std::unique_ptr<CVTTable> CVTDataStorage::NewTable() {
  if (!connection_) return nullptr;
  return std::make_unique<CVTTable>(connection_->CreateStatement());
}

int CVTDataStorage::ReadInfoText(const char* sql, std::string& out, bool noRowIsError) {
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  auto statement = connection_->CreateStatement();
  if (!statement || statement->Prepare(sql) != RDB_OK) return STORE_FAILED;
  if (int rc = statement->Execute(); rc != RDB_OK) return rc == RDB_BUSY ? STORE_BUSY : STORE_FAILED;
  int rc = statement->Fetch();
  if (rc == RDB_ROW) return statement->GetText(0, out) == RDB_OK ? STORE_OK : STORE_FAILED;
  if (rc == RDB_OK && !noRowIsError) {
    out.clear();
    return STORE_OK;
  }
  return STORE_FAILED;
}

int CVTDataStorage::WriteInfoText(const char* sql, const std::string& value, int noStatementResult) {
  auto statement = connection_->CreateStatement();
  if (!statement) return noStatementResult;
  if (statement->Prepare(sql) != RDB_OK || statement->BindText(0, value) != RDB_OK ||
      statement->Execute() != RDB_OK)
    return STORE_FAILED;
  return STORE_OK;
}

int CVTDataStorage::GetStatus(std::string& status) {
  return ReadInfoText("SELECT status FROM  database_info;", status, true);
}

int CVTDataStorage::SetStatus(const std::string& status) {
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  return WriteInfoText("UPDATE database_info SET status = ?;", status, STORE_FAILED);
}

int CVTDataStorage::GetBackupStatus(std::string& status) {
  return ReadInfoText("SELECT backup_status FROM  database_info;", status, true);
}

int CVTDataStorage::SetBackupStatus(const std::string& status) {
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  return WriteInfoText("UPDATE database_info SET backup_status = ?;", status, STORE_FAILED);
}

int CVTDataStorage::GetDatabaseName(std::string& name) {
  return ReadInfoText("select database_name from database_info;", name, false);
}

int CVTDataStorage::SetDatabaseName(const std::string& name) {
  if (!connection_) return STORE_FAILED;
  return WriteInfoText("UPDATE database_info SET database_name = ?;", name, STORE_NO_CONNECTION);
}

int CVTDataStorage::CreateSchema(const std::string& databaseName, const std::string& areaPath) {
  return CreateSchemaOn(connection_.get(), databaseName, areaPath);
}

int CVTDataStorage::CreateSchemaOn(CRDBConnection* connection, const std::string& databaseName,
                                   const std::string& areaPath) {
  if (!connection) return STORE_STORAGE_NOT_OPEN;
  connection->BeginTransaction();
  // Statement by statement: each runs from the current position up to and including its ';'.
  std::string_view text = IndexSchemaText();
  for (std::size_t end = text.find(';'); end != std::string_view::npos; end = text.find(';')) {
    if (connection->Execute(std::string(text.substr(0, end + 1))) != RDB_OK) {
      connection->Rollback();
      return STORE_FAILED;
    }
    text.remove_prefix(end + 1);
  }
  auto statement = connection->CreateStatement();
  if (!statement ||
      statement->Prepare("UPDATE database_info SET database_name = ?, area_path = ?, status = ?, "
                         "backup_status = ?, dbms_version = sqlite_version();") != RDB_OK ||
      statement->BindText(0, databaseName) != RDB_OK || statement->BindText(1, areaPath) != RDB_OK ||
      statement->BindText(2, kStatusAborted) != RDB_OK || statement->BindText(3, kBackupActive) != RDB_OK ||
      statement->Execute() != RDB_OK) {
    statement.reset();
    connection->Rollback();
    return STORE_FAILED;
  }
  statement.reset();
  // A commit that fails must not be reported as a created schema.
  if (connection->Commit() != RDB_OK) {
    connection->Rollback();
    return STORE_FAILED;
  }
  return STORE_OK;
}

int CVTDataStorage::NewFilePath(const std::string& topFolder, const std::string& serialNo,
                                const std::string& fileName, std::string& relativePath, TickTime time) {
  // The serial number comes from the recorder file: it must not lead out of the folder.
  if (!IsSafeFolderName(serialNo)) return STORE_INVALID_FILE;
  int64_t year = 0;
  int month = 0;
  UtcYearMonth(time, year, month);
  std::string folder =
      topFolder + '/' + serialNo + '/' + std::to_string(year) + '/' + std::to_string(month) + '/';
  relativePath = FreeRelativePath(folder + fileName);
  return STORE_OK;
}

std::string CVTDataStorage::FreeRelativePath(const std::string& wanted) const {
  const std::string folder(vt::ParentPath(wanted));
  const std::string fileName(vt::FileNamePart(wanted));
  std::string name = fileName;
  for (int n = 1; vt::PathExists(vt::JoinPath(folder_, vt::JoinPath(folder, name))); ++n)
    UniqueFileName(fileName, n, name);
  return vt::JoinPath(folder, name);
}

int CVTDataStorage::ExportFile(const std::string& relativePath, const std::string& destination) {
  std::string source = vt::JoinPath(folder_, relativePath);
  if (!vt::FileExists(source)) return STORE_FAILED;
  if (!vt::CopyFile(source, destination, false)) return STORE_COPY_ERROR;
  vt::SetReadOnly(destination, false);
  return STORE_OK;
}

int CVTDataStorage::GetFileCount() {
  return CountFilesInTree(vt::JoinPath(folder_, kFilesFolder)) +
         CountFilesInTree(vt::JoinPath(folder_, kTrashFolder));
}

uint64_t CVTDataStorage::GetIndexFileSize() {
  uint64_t size = 0;
  return vt::GetFileSize(indexPath_, size) ? size : 0;
}

bool CVTDataStorage::IsDiskFull() {
  // A disk whose free space cannot be read is treated as full: nothing should be written there.
  uint64_t free = 0;
  if (seams_.freeSpace ? !seams_.freeSpace(free) : !vt::DiskFreeSpace(folder_, free)) return true;
  return free <= MIN_FREE_DISK_BYTES;
}

int CVTDataStorage::RenameInstrument(const std::string& newName, const std::string& serialNo) {
  if (!connection_) return STORE_FAILED;
  auto statement = connection_->CreateStatement();
  if (!statement ||
      statement->Prepare("UPDATE instrument SET instrument_name = ? WHERE inst_serial_no = ?;") != RDB_OK ||
      statement->BindText(0, newName) != RDB_OK || statement->BindText(1, serialNo) != RDB_OK ||
      statement->Execute() != RDB_OK)
    return STORE_FAILED;
  return STORE_OK;
}

int CVTDataStorage::DeleteInstrument(const std::string& serialNo) {
  if (!connection_) return STORE_STORAGE_NOT_OPEN;
  auto statement = connection_->CreateStatement();
  if (!statement) return STORE_FAILED;
  for (const char* sql : {"SELECT COUNT(*) FROM file WHERE inst_serial_no = ?;",
                          "SELECT COUNT(*) FROM trash WHERE inst_serial_no = ?;"}) {
    int count = 0;
    if (statement->Prepare(sql) != RDB_OK || statement->BindText(0, serialNo) != RDB_OK ||
        statement->Execute() != RDB_OK || statement->Fetch() != RDB_ROW ||
        statement->GetInt(0, count) != RDB_OK)
      return STORE_FAILED;
    if (count != 0) return STORE_INSTRUMENT_IN_USE;
    statement->Finalize();
  }
  if (statement->Prepare("DELETE FROM instrument WHERE inst_serial_no = ?;") != RDB_OK ||
      statement->BindText(0, serialNo) != RDB_OK || statement->Execute() != RDB_OK)
    return STORE_FAILED;
  return STORE_OK;
}

int CVTDataStorage::UniqueFileName(const std::string& name, int n, std::string& out) {
  const std::size_t extension = ExtensionStart(name);
  const std::string suffix = kUniqueMarker + std::to_string(n) + name.substr(extension);
  // A long name gives up the end of its stem, never the number or the extension.
  std::string_view stem(name.data(), extension);
  if (stem.size() + suffix.size() > kMaxNameBytes && suffix.size() < kMaxNameBytes)
    stem = vt::Utf8Truncate(stem, kMaxNameBytes - suffix.size());
  out = std::string(stem) + suffix;
  return STORE_OK;
}

int CVTDataStorage::StripUniqueSuffix(const std::string& name, std::string& out) {
  std::size_t at = 0;
  if (EndsInUniqueSuffix(name, kOldUniqueMarker, at)) {
    // The old form put a '.' before a name without one (NODOT -> .NODOT.-VT-1).
    out = name.substr(0, at);
    if (out.size() > 1 && out[0] == '.' && out.find('.', 1) == std::string::npos) out.erase(0, 1);
    return STORE_OK;
  }
  const std::size_t extension = ExtensionStart(name);
  if (EndsInUniqueSuffix(std::string_view(name).substr(0, extension), kUniqueMarker, at) &&
      at + name.size() - extension > 0) {
    out = name.substr(0, at) + name.substr(extension);
    return STORE_OK;
  }
  out = name;
  return STORE_OK;
}

int CVTDataStorage::OpenStoredFile(const std::string& path, CVTDataFileAccess** reader) {
  // The reader is chosen by the extension, which the old suffix hid.
  std::string name(vt::FileNamePart(path)), plain;
  std::size_t at = 0;
  if (!EndsInUniqueSuffix(name, kOldUniqueMarker, at)) return CreateFileAccess(path, reader);
  StripUniqueSuffix(name, plain);
  return OpenOrDiscardFileAccess(NewFileAccessFor(plain), path, reader);
}

std::string CVTDataStorage::MutexName(const std::string& databaseName) {
  return "_VANTRL_DS_" + databaseName + "_MTX_";
}

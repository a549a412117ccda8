// CSearchConditionStore: saved search conditions (see SearchConditionStore.h).
#include "store/SearchConditionStore.h"

#include "platform/base/Paths.h"
#include "store/StoreClock.h"

namespace {

constexpr const char* kCreateTable =
    "CREATE TABLE condition (name TEXT NOT NULL UNIQUE, save_time INTEGER NOT NULL, list_kind INTEGER, inst_serial_no TEXT, time_condition INTEGER, from_time INTEGER, to_time INTEGER, relative_value INTEGER, relative_unit INTEGER, string_target INTEGER, target_string TEXT, alarm_kind INTEGER, condition_id INTEGER PRIMARY KEY AUTOINCREMENT) ;";

}  // namespace

CSearchConditionStore::CSearchConditionStore() = default;

CSearchConditionStore::~CSearchConditionStore() { Close(); }

bool CSearchConditionStore::Create(const std::string& path) {
  auto connection = NewRDBConnection(kDbmsSQLite);
  if (!connection) return false;
  int rc = connection->Create(path);
  if (rc == RDB_FILE_EXISTS) return true;
  return rc == RDB_OK && connection->Execute(kCreateTable) == RDB_OK;
}

bool CSearchConditionStore::Open(const std::string& path) {
  Close();
  auto connection = NewRDBConnection(kDbmsSQLite);
  if (!connection || connection->Open(path) != RDB_OK) return false;
  auto st = connection->CreateStatement();
  int count = 0;
  if (!st || st->Prepare("SELECT count(*) FROM sqlite_master WHERE name = 'condition';") != RDB_OK ||
      st->Execute() != RDB_OK || st->Fetch() != RDB_ROW || st->GetInt(0, count) != RDB_OK || count != 1)
    return false;
  st.reset();
  connection_ = std::move(connection);
  return true;
}

bool CSearchConditionStore::OpenInFolder(const std::string& folder) {
  if (folder.empty()) return false;
  const std::string path = vt::JoinPath(folder, kSearchConditionFileName);
  return Create(path) && Open(path);
}

void CSearchConditionStore::Close() { connection_.reset(); }

bool CSearchConditionStore::BindValues(CRDBStatement& st, int first, int listKind,
                                       const std::string& serialNo, int timeCondition, int64_t fromTime,
                                       int64_t toTime, int relativeValue, int relativeUnit, int stringTarget,
                                       const std::string& targetString, int alarmKind) {
  return st.BindInt(first, listKind) == RDB_OK && st.BindText(first + 1, serialNo) == RDB_OK &&
         st.BindInt(first + 2, timeCondition) == RDB_OK && st.BindInt64(first + 3, fromTime) == RDB_OK &&
         st.BindInt64(first + 4, toTime) == RDB_OK && st.BindInt(first + 5, relativeValue) == RDB_OK &&
         st.BindInt(first + 6, relativeUnit) == RDB_OK && st.BindInt(first + 7, stringTarget) == RDB_OK &&
         st.BindText(first + 8, targetString) == RDB_OK && st.BindInt(first + 9, alarmKind) == RDB_OK;
}

bool CSearchConditionStore::Write(const char* sql, const std::function<bool(CRDBStatement&)>& bind) {
  // A BEGIN that fails (a transaction left open) must not let this write join, and then commit
  // or roll back, a transaction that is not its own.
  if (!connection_ || connection_->BeginTransaction() != RDB_OK) return false;
  auto st = connection_->CreateStatement();
  if (st && st->Prepare(sql) == RDB_OK && bind(*st) && st->Execute() == RDB_OK) {
    st.reset();
    if (connection_->Commit() == RDB_OK) return true;
  }
  st.reset();
  connection_->Rollback();
  return false;
}

bool CSearchConditionStore::Exists(const std::string& name) {
  if (!connection_) return false;
  auto st = connection_->CreateStatement();
  int count = 0;
  return st && st->Prepare("SELECT count(*) FROM condition WHERE name=? ;") == RDB_OK &&
         st->BindText(0, name) == RDB_OK && st->Execute() == RDB_OK && st->Fetch() == RDB_ROW &&
         st->GetInt(0, count) == RDB_OK && count == 1;
}

bool CSearchConditionStore::Insert(int64_t fromTime, const std::string& name, int listKind,
                                   const std::string& serialNo, int timeCondition, int64_t toTime,
                                   int relativeValue, int relativeUnit, int stringTarget,
                                   const std::string& targetString, int alarmKind) {
  return Write("INSERT INTO condition VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?);", [&](CRDBStatement& st) {
    return st.BindText(0, name) == RDB_OK && st.BindInt64(1, CurrentTickTime().ticks) == RDB_OK &&
           BindValues(st, 2, listKind, serialNo, timeCondition, fromTime, toTime, relativeValue, relativeUnit,
                      stringTarget, targetString, alarmKind);
  });
}

bool CSearchConditionStore::Update(int64_t fromTime, const std::string& name, int listKind,
                                   const std::string& serialNo, int timeCondition, int64_t toTime,
                                   int relativeValue, int relativeUnit, int stringTarget,
                                   const std::string& targetString, int alarmKind) {
  return Write(
      "UPDATE condition SET save_time=?, list_kind=?, inst_serial_no=?, time_condition=?, from_time=?, to_time=?, relative_value=?, relative_unit=?, string_target=?, target_string=?, alarm_kind=? WHERE name=? ;",
      [&](CRDBStatement& st) {
        return st.BindInt64(0, CurrentTickTime().ticks) == RDB_OK &&
               BindValues(st, 1, listKind, serialNo, timeCondition, fromTime, toTime, relativeValue,
                          relativeUnit, stringTarget, targetString, alarmKind) &&
               st.BindText(11, name) == RDB_OK;
      });
}

bool CSearchConditionStore::Get(const std::string& name, vt::SSearchCondition& c) {
  if (!connection_) return false;
  auto st = connection_->CreateStatement();
  if (!st || st->Prepare("SELECT * FROM condition WHERE name=? ;") != RDB_OK ||
      st->BindText(0, name) != RDB_OK || st->Execute() != RDB_OK || st->Fetch() != RDB_ROW)
    return false;
  return st->GetInt(2, c.listKind) == RDB_OK && st->GetText(3, c.serialNo) == RDB_OK &&
         st->GetInt(4, c.timeCondition) == RDB_OK && st->GetInt64(5, c.fromTime) == RDB_OK &&
         st->GetInt64(6, c.toTime) == RDB_OK && st->GetInt(7, c.relativeValue) == RDB_OK &&
         st->GetInt(8, c.relativeUnit) == RDB_OK && st->GetInt(9, c.stringTarget) == RDB_OK &&
         st->GetText(10, c.targetString) == RDB_OK && st->GetInt(11, c.alarmKind) == RDB_OK;
}

bool CSearchConditionStore::Delete(const std::string& name) {
  return Write("DELETE FROM condition  WHERE name=? ;",
               [&](CRDBStatement& st) { return st.BindText(0, name) == RDB_OK; });
}

bool CSearchConditionStore::Rename(const std::string& oldName, const std::string& newName) {
  if (!connection_) return false;
  auto st = connection_->CreateStatement();
  int64_t id = 0;
  if (!st || st->Prepare("SELECT condition_id FROM condition WHERE name = ? ;") != RDB_OK ||
      st->BindText(0, oldName) != RDB_OK || st->Execute() != RDB_OK || st->Fetch() != RDB_ROW ||
      st->GetInt64(0, id) != RDB_OK)
    return false;
  st->Finalize();
  return st->Prepare("UPDATE condition SET name = ? WHERE condition_id = ? ;") == RDB_OK &&
         st->BindText(0, newName) == RDB_OK && st->BindInt64(1, id) == RDB_OK && st->Execute() == RDB_OK;
}

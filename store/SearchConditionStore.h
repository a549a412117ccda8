// CSearchConditionStore: the saved search conditions of a data storage, "searchcondition.db" in
// its folder, one row of table "condition" per name.
//
// The application opens the store of the current storage and keeps it for the storage's time;
// the search pane saves conditions through it and the catalogue queries list them on its
// connection. Every operation returns false at once, touching nothing, without a connection.
// Values are bound as parameters, so any name or text is stored as it is.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "store/RDBConnection.h"

inline constexpr const char* kSearchConditionFileName = "searchcondition.db";

namespace vt {

// The values of one saved condition besides its name and save time.
struct SSearchCondition {
  int listKind = 0;
  std::string serialNo;
  int timeCondition = 0;
  int64_t fromTime = 0;
  int64_t toTime = 0;
  int relativeValue = 0;
  int relativeUnit = 0;
  int stringTarget = 0;
  std::string targetString;
  int alarmKind = 0;
};

}  // namespace vt

class CSearchConditionStore {
 public:
  CSearchConditionStore();
  virtual ~CSearchConditionStore();
  CSearchConditionStore(const CSearchConditionStore&) = delete;
  CSearchConditionStore& operator=(const CSearchConditionStore&) = delete;

  // Creates the database with its table unless the file exists; keeps no connection.
  bool Create(const std::string& path);
  // Opens the database; the store stays open only when it has the condition table.
  bool Open(const std::string& path);
  // Create and Open on "searchcondition.db" in a storage folder.
  bool OpenInFolder(const std::string& folder);
  void Close();
  // Null when the database is not open.
  CRDBConnection* GetConnection() { return connection_.get(); }

  bool Exists(const std::string& name);
  // The save time is the current system time.
  bool Insert(int64_t fromTime, const std::string& name, int listKind, const std::string& serialNo,
              int timeCondition, int64_t toTime, int relativeValue, int relativeUnit, int stringTarget,
              const std::string& targetString, int alarmKind);
  bool Update(int64_t fromTime, const std::string& name, int listKind, const std::string& serialNo,
              int timeCondition, int64_t toTime, int relativeValue, int relativeUnit, int stringTarget,
              const std::string& targetString, int alarmKind);
  bool Get(const std::string& name, vt::SSearchCondition& condition);
  bool Delete(const std::string& name);
  bool Rename(const std::string& oldName, const std::string& newName);

 private:
  // Prepares sql, binds its values and runs it inside a transaction: committed when every step
  // succeeded, rolled back otherwise.
  bool Write(const char* sql, const std::function<bool(CRDBStatement&)>& bind);
  // Binds the ten values at first, first+1, ...; true when every bind succeeded.
  static bool BindValues(CRDBStatement& st, int first, int listKind, const std::string& serialNo,
                         int timeCondition, int64_t fromTime, int64_t toTime, int relativeValue,
                         int relativeUnit, int stringTarget, const std::string& targetString, int alarmKind);

  std::unique_ptr<CRDBConnection> connection_;
};

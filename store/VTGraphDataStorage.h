// CVTGraphDataStorage: the saved-graph database "graph.db" of a data storage.
//
// graph_table keeps one blob per saved graph by its unique name; three side tables (groups, tags,
// marks) repeat the names the catalogue searches for, rewritten at every save of the graph. Every
// change runs in one transaction, so a failing statement leaves the saved graph as it was. The
// blob goes to and from the database directly, without a work file.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "store/GraphConfiguration.h"
#include "store/RDBConnection.h"

inline constexpr const char* kGraphDatabaseFileName = "graph.db";

class CVTGraphDataStorage {
 public:
  CVTGraphDataStorage();
  virtual ~CVTGraphDataStorage();
  CVTGraphDataStorage(const CVTGraphDataStorage&) = delete;
  CVTGraphDataStorage& operator=(const CVTGraphDataStorage&) = delete;

  // 0 when the database was created with its four tables or existed already, 1 when it could not
  // be created. Leaves the connection closed.
  int CreateDatabase(const std::string& path);
  // 0 when opened and graph_table is present, 1 otherwise. The connection stays open in both
  // cases once the file opened (a database without graph_table then fails every statement).
  int OpenDatabase(const std::string& path);
  void Close();
  CRDBConnection* GetConnection() { return connection_.get(); }

  // The graph's id; -1 when there is no such graph or no connection.
  int64_t FindGraphId(const std::string& name);
  // The graph's blob read into a new record in the holder; an unknown name gives an empty record
  // (version 0x10201). Always 0.
  int LoadGraph(const std::string& name, GraphConfigurationHolder& holder);
  bool InsertGraph(const std::string& name, const GraphConfigurationHolder& holder);
  bool OverwriteGraph(int64_t id, const GraphConfigurationHolder& holder);
  bool DeleteGraph(int64_t id);
  // Fails, changing nothing, when another graph has the new name.
  bool RenameGraph(int64_t id, const std::string& newName);

  bool InsertGroupRows(int64_t id, const SGraphConfiguration& record);
  bool InsertTagRows(int64_t id, const SGraphConfiguration& record);
  bool InsertMessageRows(int64_t id, const SGraphConfiguration& record);
  bool DeleteGroupRows(int64_t id);
  bool DeleteTagRows(int64_t id);
  bool DeleteMessageRows(int64_t id);

 private:
  // Runs one statement with a 64-bit id bound at 0; true when every step returned 0.
  bool RunWithId(const char* sql, int64_t id);

  std::unique_ptr<CRDBConnection> connection_;
  std::string dbmsName_;
};

// CVTGraphManager: the saved-graph store of the current data storage, owned by the application.
//
// It opens (creating it the first time) the "graph.db" of the storage it is given and saves
// graphs by name. Saving a name that exists asks the overwrite prompt that the application
// installs (it shows its message 10013 with OK and Cancel); without a prompt an existing graph is
// never overwritten.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "store/GraphConfiguration.h"
#include "store/VTGraphDataStorage.h"

class CVTDataStorage;

class CVTGraphManager {
 public:
  // Given the graph's name; true to overwrite it.
  using OverwritePrompt = std::function<bool(const std::string& name)>;

  CVTGraphManager();
  virtual ~CVTGraphManager();
  CVTGraphManager(const CVTGraphManager&) = delete;
  CVTGraphManager& operator=(const CVTGraphManager&) = delete;

  void SetDataStorage(CVTDataStorage* storage) { storage_ = storage; }
  void SetOverwritePrompt(OverwritePrompt prompt) { prompt_ = std::move(prompt); }

  // Closes any open graph storage, then creates and opens the database at path. 0 on success,
  // else the creation's code (no graph storage is kept).
  int OpenDatabase(const std::string& path);
  // The database "graph.db" in the data storage's folder.
  int Open();
  void Close();
  // Null while no database is open.
  CVTGraphDataStorage* GetGraphStorage() { return graphStorage_.get(); }
  const std::string& GetPath() const { return path_; }

  // False without a graph storage, when the prompt refused to overwrite, or when saving failed.
  bool SaveGraph(const std::string& name, const GraphConfigurationHolder& holder);

 private:
  std::string path_;
  CVTDataStorage* storage_ = nullptr;
  std::unique_ptr<CVTGraphDataStorage> graphStorage_;
  OverwritePrompt prompt_;
};

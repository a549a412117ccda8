// CVTGraphManager: the saved-graph store of the current storage (see VTGraphManager.h).
#include "store/VTGraphManager.h"

#include "platform/base/Paths.h"
#include "store/VTDataStorage.h"

CVTGraphManager::CVTGraphManager() = default;

CVTGraphManager::~CVTGraphManager() { Close(); }

int CVTGraphManager::OpenDatabase(const std::string& path) {
  Close();
  auto graphStorage = std::make_unique<CVTGraphDataStorage>();
  int rc = graphStorage->CreateDatabase(path);
  if (rc != 0) return rc;
  graphStorage->OpenDatabase(path);
  graphStorage_ = std::move(graphStorage);
  return 0;
}

int CVTGraphManager::Open() {
  if (!storage_ || storage_->GetFolder().empty()) return 1;
  path_ = vt::JoinPath(storage_->GetFolder(), kGraphDatabaseFileName);
  return OpenDatabase(path_);
}

void CVTGraphManager::Close() { graphStorage_.reset(); }

bool CVTGraphManager::SaveGraph(const std::string& name, const GraphConfigurationHolder& holder) {
  if (!graphStorage_) return false;
  int64_t id = graphStorage_->FindGraphId(name);
  if (id <= 0) return graphStorage_->InsertGraph(name, holder);
  if (!prompt_ || !prompt_(name)) return false;
  return graphStorage_->OverwriteGraph(id, holder);
}

// The program's own services (see AppFactory.h).
#include "app/AppFactory.h"

#include "document/CConfigurationFile.h"
#include "store/CDataAreaManager.h"
#include "store/CVTImportManager.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorageManager.h"
#include "store/VTGraphManager.h"

namespace vt {

AppFactory AppFactory::Standard() {
  AppFactory f;
  f.importManager = [] { return std::make_unique<CVTImportManager>(); };
  f.settings = [] { return std::make_unique<CConfigurationFile>(); };
  f.storageManager = [] { return std::make_unique<CVTDataStorageManager>(); };
  f.dataAreaManager = [](CVTDataStorageManager* m) { return std::make_unique<CDataAreaManager>(m); };
  f.graphManager = [] { return std::make_unique<CVTGraphManager>(); };
  f.conditionStore = [] { return std::make_unique<CSearchConditionStore>(); };
  return f;
}

}  // namespace vt

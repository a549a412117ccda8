// What the application object makes of its long-lived services, one maker each, so that the
// program gets the real ones and a test can put recording or slow ones in their place.
#pragma once
#include <functional>
#include <memory>

class CConfigurationFile;
class CDataAreaManager;
class CSearchConditionStore;
class CVTDataStorageManager;
class CVTGraphManager;
class CVTImportManager;

namespace vt {

struct AppFactory {
  std::function<std::unique_ptr<CVTImportManager>()> importManager;
  std::function<std::unique_ptr<CConfigurationFile>()> settings;
  std::function<std::unique_ptr<CVTDataStorageManager>()> storageManager;
  std::function<std::unique_ptr<CDataAreaManager>(CVTDataStorageManager*)> dataAreaManager;
  std::function<std::unique_ptr<CVTGraphManager>()> graphManager;
  std::function<std::unique_ptr<CSearchConditionStore>()> conditionStore;

  // The program's own services.
  static AppFactory Standard();
};

}  // namespace vt

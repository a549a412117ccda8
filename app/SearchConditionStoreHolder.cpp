// Opening and closing the condition store (see SearchConditionStoreHolder.h).
#include "app/SearchConditionStoreHolder.h"

#include <string>

#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"

bool OpenSearchConditionStore(std::unique_ptr<CSearchConditionStore>& holder, CVTDataStorage* storage,
                              const std::function<std::unique_ptr<CSearchConditionStore>()>& make) {
  CloseSearchConditionStore(holder);
  const std::string folder = storage ? storage->GetFolder() : std::string();
  if (folder.empty()) return false;
  std::unique_ptr<CSearchConditionStore> store = make ? make() : std::make_unique<CSearchConditionStore>();
  if (!store || !store->OpenInFolder(folder)) return false;
  holder = std::move(store);
  return true;
}

void CloseSearchConditionStore(std::unique_ptr<CSearchConditionStore>& holder) {
  if (holder) holder->Close();
  holder.reset();
}

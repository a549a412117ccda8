// Opening and closing the saved search conditions of the current data storage. The application
// holds at most one store, for the current storage; it is empty (null) whenever the storage has
// no folder or its "searchcondition.db" cannot be created or opened, and every user of the store
// accepts that.
#pragma once
#include <functional>
#include <memory>

class CSearchConditionStore;
class CVTDataStorage;

// Closes and frees any store in holder, then opens the store in the storage's folder. False, with
// the holder left empty, when the storage has no folder or the store cannot be opened. make
// builds the new store (tests put their own in); unset, a plain CSearchConditionStore.
bool OpenSearchConditionStore(std::unique_ptr<CSearchConditionStore>& holder, CVTDataStorage* storage,
                              const std::function<std::unique_ptr<CSearchConditionStore>()>& make = {});
// Closes the connection, frees the store and empties the holder.
void CloseSearchConditionStore(std::unique_ptr<CSearchConditionStore>& holder);

// The base of every node that owns a set of children and can drop them all at once: the root
// master's managers, the object pool and its sub-pools, and the application's data caches.
#pragma once
#include "gadget/GCore.h"

class CGDataManager : public CGCore {
 public:
  explicit CGDataManager(CGCore* parent) : CGCore(0, parent) {}
  const SGClassInfo* GetClassInfo() const override;
  // Deletes the first child until there is none.
  virtual void DeleteAll();
  virtual bool IsEmpty() const { return GetFirstChild() == nullptr; }
};

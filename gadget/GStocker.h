// The object pool of released gadgets: one sub-pool per class, first in first out. Dialog
// hosts give their prebuilt roots back here and take them again at the next opening.
#pragma once
#include "gadget/GDataManager.h"

class CGSubStocker : public CGDataManager {
 public:
  explicit CGSubStocker(CGCore* parent) : CGDataManager(parent) {}
  const SGClassInfo* GetClassInfo() const override;
  const SGClassInfo* GetPooledClass() const { return m_pooled; }
  void SetPooledClass(const SGClassInfo* cls) { m_pooled = cls; }

 private:
  const SGClassInfo* m_pooled = nullptr;  // null while the sub-pool is free
};

class CGStocker : public CGDataManager {
 public:
  explicit CGStocker(CGCore* parent) : CGDataManager(parent) {}
  const SGClassInfo* GetClassInfo() const override;
  // Parks the gadget as the last entry of its class's sub-pool; nothing for null.
  void Put(CGCore* gadget);
  // The oldest pooled gadget of the class (still pooled), or null.
  CGCore* Find(const SGClassInfo* cls);
  // Find, then link the gadget as parent's last child (left detached when parent is null).
  CGCore* Take(const SGClassInfo* cls, CGCore* parent);
};

// The object pool (see GStocker.h). Sub-pools are never deleted while the program runs: an
// emptied one is reused for the next class that has none.
#include "gadget/GStocker.h"

#include "gadget/ClassRecords.h"

const SGClassInfo* CGSubStocker::GetClassInfo() const { return GCLASS(CGSubStocker); }
const SGClassInfo* CGStocker::GetClassInfo() const { return GCLASS(CGStocker); }

void CGStocker::Put(CGCore* gadget) {
  if (!gadget) return;
  const SGClassInfo* cls = gadget->GetClassInfo();
  CGSubStocker* sub = nullptr;
  for (CGCore* c = GetFirstChild(); c && !sub; c = NextChild(c))
    if (static_cast<CGSubStocker*>(c)->GetPooledClass() == cls) sub = static_cast<CGSubStocker*>(c);
  for (CGCore* c = GetLastChild(); c && !sub; c = PrevChild(c))
    if (!c->GetFirstChild()) sub = static_cast<CGSubStocker*>(c);
  if (!sub) sub = new CGSubStocker(this);
  sub->SetPooledClass(cls);
  gadget->Detach();
  gadget->LinkAsLastChild(sub);
}

CGCore* CGStocker::Find(const SGClassInfo* cls) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (static_cast<CGSubStocker*>(c)->GetPooledClass() != cls) continue;
    if (!c->GetFirstChild()) return nullptr;
    c->Detach();
    c->LinkAsFirstChild(this);
    return c->GetFirstChild();
  }
  return nullptr;
}

CGCore* CGStocker::Take(const SGClassInfo* cls, CGCore* parent) {
  CGCore* gadget = Find(cls);
  if (!gadget) return nullptr;
  gadget->Detach();
  if (parent) gadget->LinkAsLastChild(parent);
  return gadget;
}

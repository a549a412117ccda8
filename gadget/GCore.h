// The node of the gadget object tree: every gadget, manager, pool, document and root is one.
//
// A node owns its children (deleting it deletes the subtree), keeps its siblings in a circular
// doubly linked ring in creation order, and carries an id chosen by its creator. Kind tests go
// through static class records instead of the compiler's type information, so that searches
// and the object pool can key on a class. User-interface thread only.
#pragma once
#include <string>
#include <string_view>

// One static record per class; identity is by address. parent is the direct base's record.
struct SGClassInfo {
  const char* name;
  const SGClassInfo* parent;
};

#define GCLASS(name) (&class##name)

class CGCore;

// True when node is non-null and its record chain contains cls.
bool IsKindOfClass(const CGCore* node, const SGClassInfo* cls);

class CGCore {
 public:
  CGCore(int id, CGCore* parent);
  virtual ~CGCore();
  CGCore(const CGCore&) = delete;
  CGCore& operator=(const CGCore&) = delete;

  virtual const SGClassInfo* GetClassInfo() const;
  // Unlinks the node from its ring and repairs the parent's first child; the parent pointer
  // stays until the node is linked again.
  virtual void Detach();
  // Into the object pool when the root master has one, else deleted.
  virtual void Release();
  // Detach, then the last child of newParent (of the root master when null).
  virtual void Reattach(CGCore* newParent);
  virtual void ReleaseChildren();

  int GetId() const { return m_id; }
  void SetId(int id) { m_id = id; }
  CGCore* GetParent() const { return m_parent; }
  CGCore* GetNext() const { return m_next; }
  CGCore* GetPrev() const { return m_prev; }
  CGCore* GetFirstChild() const { return m_firstChild; }
  CGCore* GetLastChild() const { return m_firstChild ? m_firstChild->m_prev : nullptr; }
  // The child after c in ring order, null after the last one.
  CGCore* NextChild(const CGCore* c) const { return c->m_next == m_firstChild ? nullptr : c->m_next; }
  // The child before c, null before the first one.
  CGCore* PrevChild(const CGCore* c) const { return c == m_firstChild ? nullptr : c->m_prev; }

  CGCore* FindAncestorOfClass(const SGClassInfo* cls) const;
  CGCore* GetRoot() const;
  CGCore* GetTopAncestor() const;
  int GetSiblingIndex() const;
  int GetSiblingIndexOfClass(const SGClassInfo* cls) const;
  int CountChildren() const;
  int CountChildrenOfClass(const SGClassInfo* cls) const;
  CGCore* GetChildAt(int i) const;
  CGCore* GetFirstChildOfClass(const SGClassInfo* cls) const;
  CGCore* GetChildOfClassAt(const SGClassInfo* cls, int n) const;
  CGCore* FindById(int id) const;
  CGCore* FindByClass(const SGClassInfo* cls) const;
  bool IsInSubtree(const CGCore* other) const;

  // The Link operations expect a detached node (a ring of one).
  void LinkAsFirstChild(CGCore* parent);
  void LinkAsLastChild(CGCore* parent);
  void LinkAfter(CGCore* sibling);
  void LinkBefore(CGCore* sibling);

 private:
  void Unlink();

  int m_id;
  CGCore* m_parent;
  CGCore* m_next;
  CGCore* m_prev;
  CGCore* m_firstChild = nullptr;
};

// A pooled node of class cls, linked as parent's last child; null without pool or pooled node.
CGCore* TakeFromStocker(const SGClassInfo* cls, CGCore* parent);

// "Out of memory." with the detail appended, in a box owned by the main window.
void ShowOutOfMemoryMessage(std::string_view detail);
inline void CheckAllocation(std::string_view detail, const void* pointer) {
  if (!pointer) ShowOutOfMemoryMessage(detail);
}

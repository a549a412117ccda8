// The gadget object tree: linking, unlinking, deletion of subtrees and the searches.
#include "gadget/GCore.h"

#include <cassert>
#include <string>

#include "gadget/ClassRecords.h"
#include "gadget/GRootMaster.h"
#include "gadget/GStocker.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"

bool IsKindOfClass(const CGCore* node, const SGClassInfo* cls) {
  if (!node) return false;
  for (const SGClassInfo* r = node->GetClassInfo(); r; r = r->parent)
    if (r == cls) return true;
  return false;
}

CGCore::CGCore(int id, CGCore* parent) : m_id(id), m_parent(nullptr), m_next(this), m_prev(this) {
  if (parent) LinkAsLastChild(parent);
}

CGCore::~CGCore() {
  // Children go in ring order, each with its whole subtree; each one unlinks itself.
  while (m_firstChild) delete m_firstChild;
  Unlink();
}

const SGClassInfo* CGCore::GetClassInfo() const { return GCLASS(CGCore); }

void CGCore::Unlink() {
  assert(m_prev->m_next == this && m_next->m_prev == this && "the sibling ring is intact");
  if (m_parent && m_parent->m_firstChild == this) m_parent->m_firstChild = m_next == this ? nullptr : m_next;
  m_prev->m_next = m_next;
  m_next->m_prev = m_prev;
  m_next = m_prev = this;
}

void CGCore::Detach() { Unlink(); }

void CGCore::Release() {
  CGStocker* stocker = g_rootMaster ? g_rootMaster->GetStocker() : nullptr;
  if (stocker)
    stocker->Put(this);
  else
    delete this;
}

void CGCore::Reattach(CGCore* newParent) {
  Detach();
  if (!newParent) newParent = g_rootMaster;
  if (newParent) LinkAsLastChild(newParent);
}

void CGCore::ReleaseChildren() {
  while (m_firstChild) m_firstChild->Release();
}

void CGCore::LinkAsLastChild(CGCore* parent) {
  assert(m_next == this && m_prev == this);
  m_parent = parent;
  CGCore* first = parent->m_firstChild;
  if (!first) {
    parent->m_firstChild = this;
    return;
  }
  m_next = first;
  m_prev = first->m_prev;
  first->m_prev->m_next = this;
  first->m_prev = this;
}

void CGCore::LinkAsFirstChild(CGCore* parent) {
  LinkAsLastChild(parent);
  parent->m_firstChild = this;
}

void CGCore::LinkAfter(CGCore* sibling) {
  assert(m_next == this && m_prev == this);
  if (!sibling) return;
  m_parent = sibling->m_parent;
  m_prev = sibling;
  m_next = sibling->m_next;
  sibling->m_next->m_prev = this;
  sibling->m_next = this;
}

void CGCore::LinkBefore(CGCore* sibling) {
  assert(m_next == this && m_prev == this);
  if (!sibling) return;
  m_parent = sibling->m_parent;
  m_next = sibling;
  m_prev = sibling->m_prev;
  sibling->m_prev->m_next = this;
  sibling->m_prev = this;
  if (m_parent && m_parent->m_firstChild == sibling) m_parent->m_firstChild = this;
}

CGCore* CGCore::FindAncestorOfClass(const SGClassInfo* cls) const {
  for (const CGCore* n = this; n; n = n->m_parent)
    if (IsKindOfClass(n, cls)) return const_cast<CGCore*>(n);
  return nullptr;
}

CGCore* CGCore::GetRoot() const { return FindAncestorOfClass(GCLASS(CGRoot)); }

CGCore* CGCore::GetTopAncestor() const {
  const CGCore* n = this;
  while (n->m_parent) n = n->m_parent;
  return const_cast<CGCore*>(n);
}

int CGCore::GetSiblingIndex() const {
  if (!m_parent) return -1;
  int i = 0;
  for (CGCore* c = m_parent->m_firstChild; c && c != this; c = m_parent->NextChild(c)) ++i;
  return i;
}

int CGCore::GetSiblingIndexOfClass(const SGClassInfo* cls) const {
  if (!m_parent) return -1;
  int count = 0;
  for (CGCore* c = m_parent->m_firstChild; c; c = m_parent->NextChild(c)) {
    if (IsKindOfClass(c, cls)) ++count;
    if (c == this) break;
  }
  return count - 1;
}

int CGCore::CountChildren() const {
  int n = 0;
  for (CGCore* c = m_firstChild; c; c = NextChild(c)) ++n;
  return n;
}

int CGCore::CountChildrenOfClass(const SGClassInfo* cls) const {
  int n = 0;
  for (CGCore* c = m_firstChild; c; c = NextChild(c))
    if (IsKindOfClass(c, cls)) ++n;
  return n;
}

CGCore* CGCore::GetChildAt(int i) const {
  if (i < 0 || i >= CountChildren()) return nullptr;
  CGCore* c = m_firstChild;
  while (i-- > 0) c = c->m_next;
  return c;
}

CGCore* CGCore::GetFirstChildOfClass(const SGClassInfo* cls) const { return GetChildOfClassAt(cls, 0); }

CGCore* CGCore::GetChildOfClassAt(const SGClassInfo* cls, int n) const {
  for (CGCore* c = m_firstChild; c; c = NextChild(c))
    if (IsKindOfClass(c, cls) && n-- == 0) return c;
  return nullptr;
}

CGCore* CGCore::FindById(int id) const {
  if (m_id == id) return const_cast<CGCore*>(this);
  for (CGCore* c = m_firstChild; c; c = NextChild(c))
    if (CGCore* found = c->FindById(id)) return found;
  return nullptr;
}

CGCore* CGCore::FindByClass(const SGClassInfo* cls) const {
  if (IsKindOfClass(this, cls)) return const_cast<CGCore*>(this);
  for (CGCore* c = m_firstChild; c; c = NextChild(c))
    if (CGCore* found = c->FindByClass(cls)) return found;
  return nullptr;
}

bool CGCore::IsInSubtree(const CGCore* other) const {
  for (const CGCore* n = other; n; n = n->m_parent)
    if (n == this) return true;
  return false;
}

CGCore* TakeFromStocker(const SGClassInfo* cls, CGCore* parent) {
  CGStocker* stocker = g_rootMaster ? g_rootMaster->GetStocker() : nullptr;
  return stocker ? stocker->Take(cls, parent) : nullptr;
}

void ShowOutOfMemoryMessage(std::string_view detail) {
  std::string text = vt::LoadString(61475);
  text += detail;
  vt::MessageBox(vt::CurrentDesktop().MainWindow(), text, "", vt::kMbOk);
}

// The tree view: tree links, expand states, placement and the default node look and input.
#include "trend/TreeView.h"

#include <algorithm>
#include <cassert>

#include "gadget/GDraw.h"
#include "gadget/GScrollBar.h"
#include "platform/gui/DeviceContext.h"

vt::Point g_treePressPoint;

namespace {
constexpr vt::ColorRef kTreeLineColour = 0x02BEBEBE;
}

// ---- node ----

CGTreeNode::CGTreeNode(CGCore* screen, int left, int top, int id, int style, int width, int height)
    : CGPrimitive(screen, left, top, id, style, width, height), m_prevSibling(this), m_nextSibling(this) {}

CGTreeNode::~CGTreeNode() {
  // Deleted with its screen in gadget order: no tree neighbour may keep pointing here.
  for (CGTreeNode* c = m_firstChild; c;) {
    CGTreeNode* next = c->NextTreeSibling();
    c->m_treeParent = nullptr;
    c = next;
  }
  m_firstChild = nullptr;
  Unlink();
  if (CGTreeScreen* s = Screen()) {
    if (s->m_root == this) s->m_root = nullptr;
    if (s->m_selected == this) s->m_selected = nullptr;
  }
}

void CGTreeNode::Unlink() {
  assert(m_prevSibling->m_nextSibling == this && m_nextSibling->m_prevSibling == this);
  if (m_treeParent && m_treeParent->m_firstChild == this)
    m_treeParent->m_firstChild = m_nextSibling != this ? m_nextSibling : nullptr;
  m_prevSibling->m_nextSibling = m_nextSibling;
  m_nextSibling->m_prevSibling = m_prevSibling;
  m_prevSibling = m_nextSibling = this;
  m_treeParent = nullptr;
}

void CGTreeNode::ReleaseChildren() {
  while (m_firstChild) m_firstChild->Release();
}

void CGTreeNode::Release() {
  ReleaseChildren();
  if (CGTreeScreen* s = Screen()) {
    if (s->m_root == this) s->m_root = nullptr;
    if (s->m_selected == this) s->m_selected = nullptr;
  }
  Unlink();
  m_expanded = 0;
  CGPrimitive::Release();
}

void CGTreeNode::AddTreeChild(CGTreeNode* child) {
  assert(child->m_treeParent == nullptr && child->m_nextSibling == child);
  child->m_treeParent = this;
  if (!m_firstChild) {
    m_firstChild = child;
    return;
  }
  CGTreeNode* last = m_firstChild->m_prevSibling;
  child->m_prevSibling = last;
  child->m_nextSibling = m_firstChild;
  last->m_nextSibling = child;
  m_firstChild->m_prevSibling = child;
}

CGTreeNode* CGTreeNode::NextTreeSibling() const {
  if (m_nextSibling == this) return nullptr;
  if (m_treeParent && m_nextSibling == m_treeParent->m_firstChild) return nullptr;
  return m_treeParent ? m_nextSibling : nullptr;
}

CGTreeNode* CGTreeNode::PrevTreeSibling() const {
  if (!m_treeParent || m_treeParent->m_firstChild == this) return nullptr;
  return m_prevSibling;
}

int CGTreeNode::TreeDepth() const {
  int d = 0;
  for (CGTreeNode* p = m_treeParent; p; p = p->m_treeParent) ++d;
  return d;
}

int CGTreeNode::CountTreeChildren() const {
  int n = 0;
  for (CGTreeNode* c = m_firstChild; c; c = c->NextTreeSibling()) ++n;
  return n;
}

CGTreeNode* CGTreeNode::TreeChildAt(int i) const {
  CGTreeNode* c = m_firstChild;
  for (; c && i > 0; --i) c = c->NextTreeSibling();
  return i == 0 ? c : nullptr;
}

int CGTreeNode::TreeIndex() const {
  int i = 0;
  for (const CGTreeNode* p = PrevTreeSibling(); p; p = p->PrevTreeSibling()) ++i;
  return i;
}

CGTreeScreen* CGTreeNode::Screen() const {
  CGCore* p = GetParent();
  return IsKindOfClass(p, GCLASS(CGTreeScreen)) ? static_cast<CGTreeScreen*>(p) : nullptr;
}

CGTreeNode* CGTreeNode::PrevShownSibling() const {
  CGTreeNode* p = PrevTreeSibling();
  while (p && !p->IsShown()) p = p->PrevTreeSibling();
  return p;
}

CGTreeNode* CGTreeNode::NextShownSibling() const {
  CGTreeNode* n = NextTreeSibling();
  while (n && !n->IsShown()) n = n->NextTreeSibling();
  return n;
}

int CGTreeNode::GetExpandState() const {
  if (m_expanded) return 2;
  if (!m_firstChild) return 0;
  const CGTreeScreen* s = Screen();
  if (!s) return 0;  // outside a screen there is no depth limit to ask, so nothing expands
  return s->m_maxDepth < 0 || TreeDepth() < s->m_maxDepth ? 1 : 0;
}

bool CGTreeNode::ToggleExpand() {
  if (GetExpandState() == 0) return false;
  m_expanded = m_expanded ? 0 : 1;
  return true;
}

int CGTreeNode::GetStyle() const {
  if (m_style == 0 || !m_treeParent) return m_style;
  if (m_treeParent->GetExpandState() == 1 || m_treeParent->GetStyle() == 0) return 0;
  return m_style;
}

void CGTreeNode::Paint(vt::DeviceContext* dc) {
  if (GetStyle() & GSTYLE_VISIBLE) CGPrimitive::Paint(dc);
}

bool CGTreeNode::HitTest(int x, int y, int mask) const {
  return m_rect.Contains(vt::Point{x, y}) && (GetStyle() & mask) == mask;
}

vt::Rect CGTreeNode::GetSubtreeRect() const {
  vt::Rect r = m_rect;
  if (!m_expanded) return r;
  for (CGTreeNode* c = m_firstChild; c; c = c->NextTreeSibling()) {
    if (!c->IsShown()) continue;
    const vt::Rect s = c->GetSubtreeRect();
    r = vt::Rect{std::min(r.left, s.left), std::min(r.top, s.top), std::max(r.right, s.right),
                 std::max(r.bottom, s.bottom)};
  }
  return r;
}

void CGTreeNode::Layout() {
  if (!m_treeParent) {
    MoveTo(8, 3);
  } else if (CGTreeNode* prev = PrevShownSibling()) {
    const vt::Rect r = prev->GetSubtreeRect();
    MoveTo(r.left, r.bottom + SiblingGap());
  } else {
    MoveTo(m_treeParent->Rect().left + 20, m_treeParent->Rect().bottom + 3);
  }
  const vt::Size label = GetLabelSize();
  SetSize(label.cx + 17, label.cy);
}

void CGTreeNode::LayoutTree() {
  if (!IsShown()) return;
  Layout();
  for (CGTreeNode* c = m_firstChild; c; c = c->NextTreeSibling()) c->LayoutTree();
}

bool CGTreeNode::GetVisibleRect(vt::Rect* out) const {
  // The left edge reaches back to the screen's left so the connector lines stay visible.
  vt::Rect r = m_rect;
  if (r.left > 0) r.left = 0;
  vt::Rect abs;
  GetAbsoluteRect(&abs);
  const int dx = abs.left - m_rect.left, dy = abs.top - m_rect.top;
  vt::Rect widened = vt::OffsetRect(r, dx, dy);
  if (const CGPrimitive* p = ParentPrimitive()) {
    vt::Rect pv;
    p->GetVisibleRect(&pv);
    widened = vt::IntersectRects(widened, pv);
  }
  *out = widened;
  return !out->IsEmpty();
}

vt::Size CGTreeNode::GetLabelSize() { return vt::Size{0, 16}; }

void CGTreeNode::DrawLabel(vt::DeviceContext*, int, int, bool) {}

void CGTreeNode::DrawExpandBox(vt::DeviceContext* dc, int x, int y) {
  const int state = GetExpandState();
  if (state == 0) return;
  DrawBevelLines(dc, 1, 0x02FFFFFF, 0x02FFFFFF, x, y, x + 9, y + 9);
  DrawLine(dc, 1, 0x02FFFFFF, x + 2, y + 4, x + 7, y + 4);
  if (state == 1) DrawLine(dc, 1, 0x02FFFFFF, x + 4, y + 2, x + 4, y + 7);
}

void CGTreeNode::DrawTreeLines(vt::DeviceContext* dc, int x, int y) {
  const int h = m_rect.Height();
  const bool box = GetExpandState() != 0;
  DrawLine(dc, 1, kTreeLineColour, box ? x + 4 : x, y, x + 12, y);
  if (NextShownSibling()) DrawLine(dc, 1, kTreeLineColour, x, box ? y + 4 : y, x, y + h + 1);
  const CGTreeScreen* s = Screen();
  if (PrevShownSibling() || (m_treeParent && m_treeParent->m_treeParent) ||
      (m_treeParent && s && s->m_showRoot))
    DrawLine(dc, 1, kTreeLineColour, x, box ? y - 4 : y, x, y - h / 2 - 4);
  int ax = x;
  for (CGTreeNode* a = m_treeParent; a; a = a->m_treeParent) {
    ax -= 20;
    if (a->NextShownSibling()) DrawLine(dc, 1, kTreeLineColour, ax, y - h / 2 - 4, ax, y + h / 2 + 1);
  }
}

void CGTreeNode::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  const int h = a.Height();
  DrawExpandBox(dc, a.left, a.top + h / 2 - 4);
  const CGTreeScreen* s = Screen();
  DrawLabel(dc, a.left + 17, a.top, s && s->m_selected == this);
  if (s && s->m_drawLines) {
    vt::Rect v;
    GetVisibleRect(&v);
    dc->SelectClipRect(&v);
    DrawTreeLines(dc, a.left + 4, a.top + h / 2);
  }
}

void CGTreeNode::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  g_treePressPoint = vt::Point{x, y};
  CGPrimitive::OnLButtonDown(flags, x, y);
}

void CGTreeNode::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  const vt::Point p = g_treePressPoint, q{x, y};
  const vt::Rect box{m_rect.left, m_rect.top, m_rect.left + 9, m_rect.bottom};
  const vt::Rect label{m_rect.left + 17, m_rect.top, m_rect.right, m_rect.bottom};
  CGTreeScreen* s = Screen();
  if (box.Contains(p) && box.Contains(q) && ToggleExpand()) {
    if (s) s->NotifyExpandChanged();
  } else if (label.Contains(p) && label.Contains(q) && s && s->m_selected != this) {
    s->m_selected = this;
    s->NotifySelectionChanged();
  }
  CGPrimitive::OnLButtonUp(flags, x, y);
}

void CGTreeNode::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  const vt::Rect label{m_rect.left + 17, m_rect.top, m_rect.right, m_rect.bottom};
  if (CGTreeScreen* s = Screen(); s && label.Contains(vt::Point{x, y})) s->NotifyOpen(this);
  CGPrimitive::OnLButtonDblClk(flags, x, y);
}

// ---- screen ----

CGTreeScreen::CGTreeScreen(CGCore* manager, int id, int style) : CGScroll(manager, id, style) {}

CGTreeManager* CGTreeScreen::Manager() const {
  CGCore* p = GetParent();
  return IsKindOfClass(p, GCLASS(CGTreeManager)) ? static_cast<CGTreeManager*>(p) : nullptr;
}

void CGTreeScreen::Layout() {
  if (!m_root) {
    m_contentWidth = 0;
    m_contentHeight = 0;
    return;
  }
  const vt::Rect r = m_root->GetSubtreeRect();
  m_contentWidth = r.right + 2;
  m_contentHeight = r.bottom + 2;
}

void CGTreeScreen::LayoutTree() {
  if (!(GetStyle() & GSTYLE_VISIBLE)) return;
  if (m_root) {
    if (m_showRoot) {
      m_root->LayoutTree();
    } else {
      m_root->SetBounds(-18, -1, 0, 0);
      for (CGTreeNode* c = m_root->FirstTreeChild(); c; c = c->NextTreeSibling())
        if (c->IsShown()) c->LayoutTree();
    }
  }
  Layout();
}

void CGTreeScreen::NotifySelectionChanged() {
  Update();
  FireEvent(GEVENT_CHANGED);
  if (CGTreeManager* m = Manager()) m->FireEvent(GEVENT_CHANGED);
}

void CGTreeScreen::NotifyExpandChanged() {
  if (CGTreeManager* m = Manager()) {
    m->LayoutTree();
    m->Update();
  }
}

void CGTreeScreen::NotifyOpen(CGTreeNode* node) {
  m_selected = node;
  FireEvent(GEVENT_ITEM_CHOSEN);
  if (CGTreeManager* m = Manager()) m->FireEvent(GEVENT_ITEM_CHOSEN);
}

// ---- manager ----

void CGTreeManager::CreateParts() {
  CheckAllocation("tree screen", CreateScreen());
  CheckAllocation("tree scroll bar", CreateVScrollBar());
  CheckAllocation("tree scroll bar", CreateHScrollBar());
}

CGTreeScreen* CGTreeManager::CreateScreen() {
  auto* s = new CGTreeScreen(this, 0, 3);
  RegisterBody(s);
  return s;
}

CGScrollBar* CGTreeManager::CreateVScrollBar() {
  auto* b = new CGVScrollBar(this, 0, 0, 0, 3, m_barWidth, m_barWidth, 16);
  b->Build(1);
  return b;
}

CGScrollBar* CGTreeManager::CreateHScrollBar() {
  auto* b = new CGHScrollBar(this, 0, 0, 0, 3, m_barWidth, m_barWidth, 16);
  b->Build(2);
  return b;
}

CGTreeScreen* CGTreeManager::TreeScreen() const {
  return IsKindOfClass(m_body, GCLASS(CGTreeScreen)) ? static_cast<CGTreeScreen*>(m_body) : nullptr;
}

// The primitive gadget's base behaviour (see GPrimitive.h).
#include "gadget/GPrimitive.h"

#include <cstdint>
#include <cstring>

#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "platform/gui/Cursors.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

uint32_t g_repeatTimer = 0;
int g_blink = 1;
int g_tickCount = 0;
int g_printScale = 1;
vt::Rect g_dragFeedbackRect;

namespace {
// The repeat timer runs on one host for one gadget; both are kept so that it can be killed
// where it runs, also when the gadget or its host goes first.
vt::HostWindow* g_repeatHost = nullptr;
CGPrimitive* g_repeatOwner = nullptr;
}  // namespace

int GetPrintScale() { return g_printScale; }

void ResetGadgetGlobals() {
  CGPrimitive::KillRepeatTimer();
  g_blink = 1;
  g_tickCount = 0;
  g_printScale = 1;
  g_dragFeedbackRect = vt::Rect{};
}

void ForgetRepeatTimerHost(vt::HostWindow* host) {
  if (g_repeatTimer && g_repeatHost == host) CGPrimitive::KillRepeatTimer();
}

CGPrimitive::CGPrimitive(CGCore* parent, int left, int top, int id, int style, int width, int height)
    : CGCore(id, parent), m_style(style), m_rect{left, top, left + width, top + height} {}

CGPrimitive::~CGPrimitive() {
  if (g_repeatOwner == this) KillRepeatTimer();
  ForgetInParent();
  RemoveEventCallbacks();
}

const SGClassInfo* CGPrimitive::GetClassInfo() const { return GCLASS(CGPrimitive); }

CGPrimitive* CGPrimitive::ParentPrimitive() const {
  CGCore* p = GetParent();
  return IsPrimitive(p) ? static_cast<CGPrimitive*>(p) : nullptr;
}

void CGPrimitive::ForgetInParent() {
  if (CGPrimitive* p = ParentPrimitive()) {
    if (p->m_captured == this) p->m_captured = nullptr;
    if (p->m_captured2 == this) p->m_captured2 = nullptr;
    if (p->m_hover == this) p->m_hover = nullptr;
  }
  // An editor still open over this gadget, or its queued end, must not call it afterwards.
  if (CGRoot* root = GetRootGadget(); root && root != this) root->ForgetGadget(this);
}

void CGPrimitive::Detach() {
  if (CGPrimitive* p = ParentPrimitive()) {
    if (p->m_captured == this) p->m_captured = nullptr;
    if (p->m_hover == this) p->m_hover = nullptr;
  }
  CGCore::Detach();
}

void CGPrimitive::Release() {
  if (g_repeatOwner == this) KillRepeatTimer();
  if (CGRoot* root = GetRootGadget(); root && root != this) root->ForgetGadget(this);
  if (CGPrimitive* p = ParentPrimitive(); p && p->m_captured2 == this) p->m_captured2 = nullptr;
  RemoveEventCallbacks();
  CGCore::Release();
}

CGRoot* CGPrimitive::GetRootGadget() const { return static_cast<CGRoot*>(GetRoot()); }

void CGPrimitive::SetChildrenStyle(int style) {
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetStyle(style);
}

vt::HostWindow* CGPrimitive::GetHostWindow() const {
  CGRoot* root = GetRootGadget();
  return root ? root->GetHost() : nullptr;
}

vt::DeviceContext* CGPrimitive::GetBackDC() const {
  CGRoot* root = GetRootGadget();
  return root ? root->GetBackDCPtr() : nullptr;
}

void CGPrimitive::Redraw() {
  if (vt::DeviceContext* back = GetBackDC()) Paint(back);
}

void CGPrimitive::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!(VisibleState(&visible) & GSTYLE_VISIBLE) || visible.IsEmpty()) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->Paint(dc);
}

void CGPrimitive::FillBackground(vt::DeviceContext* dc) {
  if (m_rect.IsEmpty()) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
}

void CGPrimitive::Flush() {
  CGRoot* root = GetRootGadget();
  if (!root) return;
  vt::DeviceContext* window = root->GetWindowDC();
  vt::DeviceContext* back = root->GetBackDCPtr();
  if (!window || !back) return;
  ClipToVisibleRect(window);
  ClipToVisibleRect(back);
  BlitRect(window, back);
}

void CGPrimitive::FlushRect(const vt::Rect& r) {
  CGRoot* root = GetRootGadget();
  if (!root) return;
  vt::DeviceContext* window = root->GetWindowDC();
  vt::DeviceContext* back = root->GetBackDCPtr();
  if (!window || !back || r.IsEmpty()) return;
  window->SelectClipRect(&r);
  window->BitBlt(r.left, r.top, r.Width(), r.Height(), *back, r.left, r.top, vt::RasterOp::SrcCopy);
}

void CGPrimitive::BlitRect(vt::DeviceContext* dst, vt::DeviceContext* src) {
  if (m_rect.IsEmpty() || !dst || !src) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  dst->BitBlt(r.left, r.top, r.Width(), r.Height(), *src, r.left, r.top, vt::RasterOp::SrcCopy);
}

void CGPrimitive::ClipToVisibleRect(vt::DeviceContext* dc) {
  vt::Rect r;
  GetVisibleRect(&r);
  dc->SelectClipRect(&r);
}

bool CGPrimitive::GetVisibleRect(vt::Rect* out) const {
  VisibleState(out);
  return !out->IsEmpty();
}

int CGPrimitive::VisibleState(vt::Rect* visible) const {
  // One walk up collects the primitive ancestors; one walk down computes each one's origin
  // and cuts the rectangle (the same results as GetAbsoluteRect and GetEffectiveStyle level by
  // level, without walking the chain again for every ancestor).
  const CGPrimitive* chain[64];
  int depth = 0;
  for (const CGPrimitive* p = this; p; p = p->ParentPrimitive()) {
    if (depth == 64) {
      vt::Rect r;
      GetAbsoluteRect(&r);
      for (CGPrimitive* a = ParentPrimitive(); a; a = a->ParentPrimitive()) {
        vt::Rect ar;
        a->GetAbsoluteRect(&ar);
        r = vt::IntersectRects(r, ar);
      }
      *visible = r;
      return GetEffectiveStyle();
    }
    chain[depth++] = p;
  }
  int style = ~0;
  vt::Point origin;
  vt::Rect r{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
  for (int i = depth - 1; i >= 0; --i) {
    const CGPrimitive* p = chain[i];
    style &= p->m_style;
    r = vt::IntersectRects(r, vt::OffsetRect(p->m_rect, origin.x, origin.y));
    if (i > 0) {
      vt::Point offset;
      p->GetChildOffset(&offset);
      origin = vt::Point{origin.x - offset.x, origin.y - offset.y};
    }
  }
  *visible = r;
  return style;
}

void CGPrimitive::Update() {
  CGRoot* root = GetRootGadget();
  if (!root) return;
  root->RedrawPrimitive(this);
}

void CGPrimitive::ClipToRootRect(vt::DeviceContext* dc) {
  if (CGRoot* root = GetRootGadget()) root->ClipToVisibleRect(dc);
}

void CGPrimitive::EraseDragFeedback(vt::DeviceContext* dc) {
  vt::DeviceContext* back = GetBackDC();
  const vt::Rect& r = g_dragFeedbackRect;
  if (!back || !dc || r.IsEmpty()) return;
  dc->BitBlt(r.left, r.top, r.Width(), r.Height(), *back, r.left, r.top, vt::RasterOp::SrcCopy);
}

int CGPrimitive::CanDrop(void* data) {
  CGPrimitive* p = ParentPrimitive();
  return p ? p->CanDrop(data) : 0;
}

void CGPrimitive::Drop(void* data) {
  if (CGPrimitive* p = ParentPrimitive()) p->Drop(data);
}

CGPrimitive* CGPrimitive::FindDropTarget(void* data, int x, int y) {
  CGPrimitive* candidate = CanDrop(data) ? this : nullptr;
  if (CGPrimitive* p = ChildFromPoint(x, y, GSTYLE_VISIBLE)) {
    const vt::Point c = ToChild(x, y);
    if (CGPrimitive* found = p->FindDropTarget(data, c.x, c.y)) return found;
  }
  return candidate;
}

int CGPrimitive::SetWidth(int w) {
  m_rect.right = m_rect.left + w;
  return 1;
}

int CGPrimitive::SetHeight(int h) {
  m_rect.bottom = m_rect.top + h;
  return 1;
}

void CGPrimitive::MoveTo(int x, int y) { m_rect = vt::OffsetRect(m_rect, x - m_rect.left, y - m_rect.top); }

void CGPrimitive::SetSize(int w, int h) {
  m_rect.right = m_rect.left + w;
  m_rect.bottom = m_rect.top + h;
}

void CGPrimitive::SetBounds(int x, int y, int w, int h) {
  MoveTo(x, y);
  SetSize(w, h);
}

void CGPrimitive::GetOrigin(vt::Point* out) const {
  CGPrimitive* p = ParentPrimitive();
  if (!p) {
    *out = vt::Point{};
    return;
  }
  vt::Point po, off;
  p->GetOrigin(&po);
  p->GetChildOffset(&off);
  *out = vt::Point{po.x - off.x, po.y - off.y};
}

void CGPrimitive::GetAbsoluteRect(vt::Rect* out) const {
  vt::Point o;
  GetOrigin(&o);
  *out = vt::OffsetRect(m_rect, o.x, o.y);
}

void CGPrimitive::Layout() { FireEvent(GEVENT_LAYOUT); }

void CGPrimitive::LayoutTree() {
  if (!(m_style & GSTYLE_VISIBLE)) return;
  Layout();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->LayoutTree();
}

bool CGPrimitive::IsInsideRect(const vt::Rect* r, int mask) const {
  return m_rect.left >= r->left && m_rect.top >= r->top && m_rect.right <= r->right &&
         m_rect.bottom <= r->bottom && (m_style & mask) == mask;
}

bool CGPrimitive::HitTest(int x, int y, int mask) const {
  return m_rect.Contains(vt::Point{x, y}) && (m_style & mask) == mask;
}

CGPrimitive* CGPrimitive::ChildFromPoint(int x, int y, int mask) const {
  const vt::Point c = ToChild(x, y);
  for (CGCore* n = GetFirstChild(); n; n = NextChild(n))
    if (IsPrimitive(n) && static_cast<CGPrimitive*>(n)->HitTest(c.x, c.y, mask))
      return static_cast<CGPrimitive*>(n);
  return nullptr;
}

vt::ColorRef CGPrimitive::GetBackColor() const {
  CGPrimitive* p = ParentPrimitive();
  return p ? p->GetBackColor() : 0;
}

void CGPrimitive::SetTextFromResource(uint32_t id) { SetText(vt::LoadString(id)); }

int CGPrimitive::CanFocus() {
  if ((m_style & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c) && static_cast<CGPrimitive*>(c)->CanFocus()) return 1;
  return 0;
}

int CGPrimitive::FocusFirst() {
  if ((m_style & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c) && static_cast<CGPrimitive*>(c)->CanFocus())
      return static_cast<CGPrimitive*>(c)->FocusFirst();
  return 0;
}

int CGPrimitive::FocusLast() {
  if ((m_style & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return 0;
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c) && static_cast<CGPrimitive*>(c)->CanFocus())
      return static_cast<CGPrimitive*>(c)->FocusLast();
  return 0;
}

int CGPrimitive::FocusNext() {
  CGCore* parent = GetParent();
  if (!parent) return 0;
  CGPrimitive* pp = ParentPrimitive();
  for (CGCore* s = GetNext();; s = s->GetNext()) {
    // Past the last sibling the parent's next gadget comes first.
    if (s == parent->GetFirstChild() && pp)
      if (int r = pp->FocusNext()) return r;
    if (s == this) return 0;
    if (IsPrimitive(s) && static_cast<CGPrimitive*>(s)->CanFocus())
      return static_cast<CGPrimitive*>(s)->FocusFirst();
  }
  return 0;
}

int CGPrimitive::FocusPrevious() {
  CGCore* parent = GetParent();
  if (!parent) return 0;
  CGPrimitive* pp = ParentPrimitive();
  for (CGCore* s = this;;) {
    if (s == parent->GetFirstChild() && pp)
      if (int r = pp->FocusPrevious()) return r;
    s = s->GetPrev();
    if (s == this) return 0;
    if (IsPrimitive(s) && static_cast<CGPrimitive*>(s)->CanFocus())
      return static_cast<CGPrimitive*>(s)->FocusLast();
  }
}

namespace {
// The gadget that the running Tab walk landed on.
CGPrimitive* s_focusFound = nullptr;
}  // namespace

int FocusField(CGPrimitive* gadget) {
  if (!gadget->CanFocus()) return 0;
  s_focusFound = gadget;
  return 1;
}

void CarryEditOn(CGPrimitive* gadget, int closeCode) {
  if (closeCode != kEditEndTab && closeCode != kEditEndShiftTab) return;
  s_focusFound = nullptr;
  const int found = closeCode == kEditEndTab ? gadget->FocusNext() : gadget->FocusPrevious();
  CGPrimitive* next = found ? s_focusFound : nullptr;
  s_focusFound = nullptr;
  if (next) {
    next->Activate(1);
    next->BeginEdit();
  }
}

int CGPrimitive::EndEdit(int closeCode) {
  (void)closeCode;
  if (!GetRootGadget()) return 0;
  Redraw();
  Flush();
  return FireEvent(GEVENT_EDIT_END);
}

void CGPrimitive::BeginEdit() {
  FireEvent(GEVENT_EDIT_BEGIN);
  vt::Rect r;
  GetAbsoluteRect(&r);
  CGFont* font = GetFont(0);
  const vt::Font* f = font ? font->GetFont() : nullptr;
  std::string text;
  GetEditText(&text);
  if (m_style & GSTYLE_MASKED)
    EditWithPasswordEdit(r.left, r.top, r.right, r.bottom, f, text, 0);
  else
    EditWithTextEdit(r.left, r.top, r.right, r.bottom, f, text, 0);
}

void CGPrimitive::EditWithTextEdit(int l, int t, int r, int b, const vt::Font* font, const std::string& text,
                                   int margin) {
  if (CGRoot* root = GetRootGadget()) root->OpenEditor(false, this, font, vt::Rect{l, t, r, b}, text, margin);
}

void CGPrimitive::EditWithPasswordEdit(int l, int t, int r, int b, const vt::Font* font,
                                       const std::string& text, int margin) {
  if (CGRoot* root = GetRootGadget()) root->OpenEditor(true, this, font, vt::Rect{l, t, r, b}, text, margin);
}

void CGPrimitive::EditWithCombo(int l, int t, int r, int b, int listHeight, const vt::Font* font,
                                int itemCount, const std::string* itemTexts, const int* keyTable,
                                int currentKey, int showList) {
  if (CGRoot* root = GetRootGadget())
    root->OpenCombo(this, vt::Rect{l, t, r, b}, listHeight, font, itemCount, itemTexts, keyTable, currentKey,
                    showList);
}

void CGPrimitive::CloseTextEditor(int closeCode) {
  if (CGRoot* root = GetRootGadget(); root && root != this) root->CloseTextEditor(closeCode);
}

void CGPrimitive::GetStatusText(std::string* out) const {
  out->clear();
  if (!m_helpText) return;
  *out = m_helpText->substr(0, m_helpText->find('\n'));
}

void CGPrimitive::GetTooltipText(std::string* out) const {
  out->clear();
  if (!m_helpText) return;
  const auto nl = m_helpText->find('\n');
  if (nl != std::string::npos) *out = m_helpText->substr(nl + 1);
}

void CGPrimitive::RouteKey(KeyHandler handler, uint32_t vk, uint32_t repeat, uint32_t flags) {
  if ((m_style & GSTYLE_ACTIVE) != GSTYLE_ACTIVE || !GetFirstChild()) return;
  if (m_captured) {
    (m_captured->*handler)(vk, repeat, flags);
    return;
  }
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c) && (static_cast<CGPrimitive*>(c)->m_style & GSTYLE_ACTIVE) == GSTYLE_ACTIVE)
      (static_cast<CGPrimitive*>(c)->*handler)(vk, repeat, flags);
}

void CGPrimitive::OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t flags) {
  RouteKey(&CGPrimitive::OnKeyDown, vk, repeat, flags);
}

void CGPrimitive::OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t flags) {
  RouteKey(&CGPrimitive::OnKeyUp, vk, repeat, flags);
}

void CGPrimitive::Forward(CGPrimitive* child, MouseHandler handler, uint32_t flags, int32_t x, int32_t y) {
  if (!child) return;
  const vt::Point c = ToChild(x, y);
  (child->*handler)(flags, c.x, c.y);
}

void CGPrimitive::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  m_captured = ActiveChildFromPoint(x, y);
  Forward(m_captured, &CGPrimitive::OnLButtonDown, flags, x, y);
}

void CGPrimitive::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  m_captured = ActiveChildFromPoint(x, y);
  Forward(m_captured, &CGPrimitive::OnLButtonDblClk, flags, x, y);
}

void CGPrimitive::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  CGPrimitive* child = m_captured;
  m_captured = nullptr;  // before the child runs, so that a handler may capture anew
  Forward(child, &CGPrimitive::OnLButtonUp, flags, x, y);
}

void CGPrimitive::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  Forward(m_captured, &CGPrimitive::OnMouseMove, flags, x, y);
}

void CGPrimitive::OnRButtonDown(uint32_t flags, int32_t x, int32_t y) {
  m_captured2 = ActiveChildFromPoint(x, y);
  Forward(m_captured2, &CGPrimitive::OnRButtonDown, flags, x, y);
}

void CGPrimitive::OnRButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  m_captured2 = ActiveChildFromPoint(x, y);
  Forward(m_captured2, &CGPrimitive::OnRButtonDblClk, flags, x, y);
}

void CGPrimitive::OnRButtonUp(uint32_t flags, int32_t x, int32_t y) {
  // Cleared after the child ran (the left capture is cleared before).
  Forward(m_captured2, &CGPrimitive::OnRButtonUp, flags, x, y);
  m_captured2 = nullptr;
}

void CGPrimitive::OnMouseHover(int32_t x, int32_t y) {
  if ((m_style & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return;
  CGPrimitive* p = ChildFromPoint(x, y, GSTYLE_VISIBLE);
  const vt::Point c = ToChild(x, y);
  if (p != m_hover) {
    if (m_hover) m_hover->OnMouseLeave(c.x, c.y);
    if (p) p->OnMouseEnter(c.x, c.y);
    m_hover = p;
  }
  if (p) p->OnMouseHover(c.x, c.y);
}

void CGPrimitive::UpdateChildrenExcept(CGPrimitive* except, int hint, void* data) {
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (c != except && IsPrimitive(c)) static_cast<CGPrimitive*>(c)->OnUpdate(hint, data);
}

void CGPrimitive::OnUpdate(int hint, void* data) {
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->OnUpdate(hint, data);
}

void CGPrimitive::OnTimer(uint32_t id) {
  if (id == vt::GTIMER_REPEAT) {
    if (m_captured) m_captured->OnTimer(id);
    return;
  }
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c) && (static_cast<CGPrimitive*>(c)->m_style & GSTYLE_VISIBLE))
      static_cast<CGPrimitive*>(c)->OnTimer(id);
}

void CGPrimitive::ShowHelpText() {
  if (!m_helpText) return;
  CGRoot* root = GetRootGadget();
  if (!root) return;
  std::string status;
  GetStatusText(&status);
  root->ShowStatusText(status);
  root->RequestToolTip(this);
}

void CGPrimitive::OnMouseEnter(int32_t x, int32_t y) {
  (void)x, (void)y;
  if (vt::HostWindow* host = GetHostWindow(); host && host->Cursor() != vt::kCursorArrow)
    host->SetCursor(vt::kCursorArrow);
  ShowHelpText();
}

void CGPrimitive::OnMouseLeave(int32_t x, int32_t y) {
  if (m_helpText) {
    if (CGRoot* root = GetRootGadget()) {
      root->ShowStatusText(vt::LoadString(57345));
      root->RequestToolTip(nullptr);
    }
  }
  if (m_hover) {
    const vt::Point c = ToChild(x, y);
    CGPrimitive* h = m_hover;
    m_hover = nullptr;
    h->OnMouseLeave(c.x, c.y);
  }
}

bool CGPrimitive::OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
  CGCore* manager = FindAncestorOfClass(GCLASS(CGScrollManager));
  if (manager && manager != this) static_cast<CGPrimitive*>(manager)->OnMouseWheel(flags, delta, x, y);
  return false;
}

bool CGPrimitive::GetVisiblePrintRect(vt::Rect* out) const {
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  for (CGPrimitive* p = ParentPrimitive(); p; p = p->ParentPrimitive()) {
    vt::Rect pr;
    p->GetAbsolutePrintRect(&pr);
    r = vt::IntersectRects(r, pr);
    if (r.IsEmpty()) break;
  }
  *out = r;
  return !r.IsEmpty();
}

void CGPrimitive::GetAbsolutePrintRect(vt::Rect* out) const {
  vt::Point o;
  GetPrintOrigin(&o);
  *out = vt::OffsetRect(m_printRect, o.x, o.y);
}

void CGPrimitive::GetPrintOrigin(vt::Point* out) const {
  CGPrimitive* p = ParentPrimitive();
  if (!p) {
    *out = vt::Point{};
    return;
  }
  vt::Point po, off;
  p->GetPrintOrigin(&po);
  p->GetPrintChildOffset(&off);
  *out = vt::Point{po.x - off.x, po.y - off.y};
}

void CGPrimitive::ApplyPrintScale(int scale) {
  if (!(m_style & GSTYLE_VISIBLE)) return;
  ScalePrintRects(scale);
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->ApplyPrintScale(scale);
}

void CGPrimitive::ScalePrintRects(int scale) {
  FireEvent(GEVENT_LAYOUT);
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsPrimitive(c)) continue;
    auto* p = static_cast<CGPrimitive*>(c);
    if (!(p->m_style & GSTYLE_VISIBLE)) continue;
    const vt::Rect& r = p->m_rect;
    p->m_printRect = vt::Rect{r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
  }
}

void CGPrimitive::ClipToPrintRect(vt::DeviceContext* dc) {
  vt::Rect r;
  GetVisiblePrintRect(&r);
  dc->SelectClipRect(&r);
}

void CGPrimitive::PrintTree(vt::DeviceContext* dc, int page) {
  if (!(GetEffectiveStyle() & GSTYLE_VISIBLE)) return;
  vt::Rect r;
  if (!GetVisiblePrintRect(&r)) return;
  PrintSelf(dc, page);
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->PrintTree(dc, page);
}

void CGPrimitive::SetPrintSize(int w, int h) {
  m_printRect.right = m_printRect.left + w;
  m_printRect.bottom = m_printRect.top + h;
}

void CGPrimitive::MovePrintRect(int x, int y) {
  m_printRect = vt::OffsetRect(m_printRect, x - m_printRect.left, y - m_printRect.top);
}

void CGPrimitive::ScaleChildrenPrintSize(int scale) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsPrimitive(c)) continue;
    auto* p = static_cast<CGPrimitive*>(c);
    if (p->m_style & GSTYLE_VISIBLE) p->SetPrintSize(scale * p->m_rect.Width(), scale * p->m_rect.Height());
  }
}

void CGPrimitive::AddEventCallback(int code, GEventHandler handler, const void* data, int dataSize) {
  auto* entry = new SGEventCallback;
  entry->source = this;
  entry->code = code;
  entry->handler = handler;
  if (data && dataSize > 0) {
    entry->data.resize(std::size_t(dataSize));
    std::memcpy(entry->data.data(), data, std::size_t(dataSize));
  }
  SGEventCallback** tail = &m_callbacks;
  while (*tail) tail = &(*tail)->next;
  *tail = entry;
}

int CGPrimitive::FireEvent(int code) {
  int called = 0;
  for (SGEventCallback* e = m_callbacks; e; e = e->next) {
    if (e->code != code || !e->handler) continue;
    e->handler(e->source, code, e->data.empty() ? nullptr : e->data.data());
    called = 1;
  }
  return called;
}

void CGPrimitive::RemoveEventCallbacks() {
  while (SGEventCallback* e = m_callbacks) {
    m_callbacks = e->next;
    delete e;
  }
}

int CGPrimitive::GetEffectiveStyle() const {
  int style = m_style;
  for (CGPrimitive* p = ParentPrimitive(); p; p = p->ParentPrimitive()) style &= p->m_style;
  return style;
}

int CGPrimitive::CountChildrenWithStyle(int mask) const {
  int n = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c) && (static_cast<CGPrimitive*>(c)->m_style & mask) == mask) ++n;
  return n;
}

void CGPrimitive::SetHelpText(const char* text) {
  if (!m_helpText) m_helpText = std::make_unique<std::string>();
  *m_helpText = text ? text : "";
}

void CGPrimitive::SetWindowCursor(uint32_t resourceId) {
  if (CGRoot* root = GetRootGadget()) root->SetWindowCursor(resourceId);
}

bool CGPrimitive::StartRepeatTimer(uint32_t milliseconds) {
  if (g_repeatTimer) return false;
  vt::HostWindow* host = GetHostWindow();
  if (!host || !host->SetTimer(vt::GTIMER_REPEAT, milliseconds)) return false;
  g_repeatTimer = vt::GTIMER_REPEAT;
  g_repeatHost = host;
  g_repeatOwner = this;
  return true;
}

void CGPrimitive::KillRepeatTimer() {
  if (!g_repeatTimer) return;
  if (g_repeatHost) g_repeatHost->KillTimer(g_repeatTimer);
  g_repeatTimer = 0;
  g_repeatHost = nullptr;
  g_repeatOwner = nullptr;
}

int CountVisibleTabPages(const CGCore* group) {
  int n = 0;
  for (CGCore* c = group->GetFirstChild(); c; c = group->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGTabPage)) && (static_cast<CGPrimitive*>(c)->GetStyle() & GSTYLE_VISIBLE))
      ++n;
  return n;
}

CGPrimitive* GetVisibleTabPageAt(const CGCore* group, int n) {
  for (CGCore* c = group->GetFirstChild(); c; c = group->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGTabPage)) && (static_cast<CGPrimitive*>(c)->GetStyle() & GSTYLE_VISIBLE) &&
        n-- == 0)
      return static_cast<CGPrimitive*>(c);
  return nullptr;
}

int GetVisibleTabPageIndex(const CGCore* page) {
  const CGCore* parent = page->GetParent();
  if (!parent) return -1;
  int count = 0;
  for (CGCore* c = parent->GetFirstChild(); c; c = parent->NextChild(c)) {
    if (IsKindOfClass(c, GCLASS(CGTabPage)) && (static_cast<CGPrimitive*>(c)->GetStyle() & GSTYLE_VISIBLE))
      ++count;
    if (c == page) break;
  }
  return count - 1;
}

// Splitters (see GSplitter.h).
#include "gadget/GSplitter.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "gadget/GSkinCell.h"
#include "platform/gui/Cursors.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"

vt::SGSplitterDrag g_splitterDrag;

namespace {
vt::SGSplitterSkin g_hSplitterSkin;
}  // namespace

void SetSkHSplitterSkin(const unsigned char* block) {
  vt::SGSplitterSkin s;
  s.imageId = ReadSkinWord(block, 0);
  s.maskId = ReadSkinWord(block, 4);
  s.cellWidth = ReadSkinWord(block, 8);
  s.cellHeight = ReadSkinWord(block, 12);
  s.capHeight = ReadSkinWord(block, 20);
  g_hSplitterSkin = s;
  PreloadSkinBitmap(s.imageId);
  PreloadSkinBitmap(s.maskId);
}

const vt::SGSplitterSkin& GetSkHSplitterSkin() { return g_hSplitterSkin; }

CGSkSplitter::CGSkSplitter(CGCore* parent, int left, int top, int id, int style, int width, int height)
    : CGPrimitive(parent, left, top, id, style, width, height) {}

const SGClassInfo* CGSkSplitter::GetClassInfo() const { return GCLASS(CGSkSplitter); }

void CGSkSplitter::Draw(vt::DeviceContext* dc) { DrawState(dc, GetEffectiveStyle(), 0); }

CGPrimitive* CGSkSplitter::PreviousPane() const {
  CGCore* parent = GetParent();
  CGCore* p = parent ? parent->PrevChild(this) : nullptr;
  return IsPrimitive(p) ? static_cast<CGPrimitive*>(p) : nullptr;
}

CGPrimitive* CGSkSplitter::NextPane() const {
  CGCore* parent = GetParent();
  CGCore* n = parent ? parent->NextChild(this) : nullptr;
  return IsPrimitive(n) ? static_cast<CGPrimitive*>(n) : nullptr;
}

void CGSkSplitter::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  g_splitterDrag.pressX = x;
  g_splitterDrag.pressY = y;
  g_dragFeedbackRect = vt::Rect{};  // no outline of an earlier drag is left to erase
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* back = GetBackDC();
  if (!root || !back) return;
  vt::DeviceContext* window = root->GetWindowDC();
  if (window) ClipToVisibleRect(window);
  ClipToVisibleRect(back);
  DrawState(back, GetEffectiveStyle(), 1);
  if (window) BlitRect(window, back);
}

void CGSkSplitter::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* window = root ? root->GetWindowDC() : nullptr;
  if (!window) return;
  EraseDragFeedback(window);
  DrawFeedback(window, x, y);
}

void CGSkSplitter::DrawFeedback(vt::DeviceContext* dc, int x, int y) {
  GetDragRect(x, y, &g_dragFeedbackRect);
  vt::Rect r = g_dragFeedbackRect;
  dc->SelectClipRect(&r);
  for (int i = 0; i < 3; ++i) {
    dc->DrawFocusRect(r);
    r = vt::InflateRect(r, -1, -1);
  }
}

void CGSkSplitter::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  int toLeft = 0, toRight = 0;
  GetDragLimits(&toLeft, &toRight);
  MoveBy(ClampDelta(x, y, g_splitterDrag.pressX, g_splitterDrag.pressY, toLeft, toRight));
  CGPrimitive* parent = ParentPrimitive();
  if (parent) parent->LayoutTree();
  bool handled = false;
  for (const SGEventCallback* c = m_callbacks; c; c = c->next)
    if (c->code == GEVENT_SPLITTER_RELEASED) handled = true;
  if (handled) {
    OnClick();
  } else if (parent) {
    parent->Redraw();
    parent->Flush();
  }
}

void CGSkSplitter::OnMouseLeave(int32_t x, int32_t y) {
  CGPrimitive::OnMouseLeave(x, y);
  if (vt::HostWindow* host = GetHostWindow(); host && host->Cursor() != vt::kCursorArrow)
    host->SetCursor(vt::kCursorArrow);
}

// ---- CGSkHSplitter ----

const SGClassInfo* CGSkHSplitter::GetClassInfo() const { return GCLASS(CGSkHSplitter); }

void CGSkHSplitter::OnMouseEnter(int32_t x, int32_t y) {
  (void)x, (void)y;
  if ((m_style & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) {
    if (vt::HostWindow* host = GetHostWindow(); host && host->Cursor() != vt::kCursorSizeWe)
      host->SetCursor(vt::kCursorSizeWe);
  }
  ShowHelpText();
}

void CGSkHSplitter::GetDragLimits(int* toLeft, int* toRight) {
  if (m_minPrev < 0) m_minPrev = 0;
  if (m_minNext < 0) m_minNext = 0;
  const CGPrimitive* prev = PreviousPane();
  const CGPrimitive* next = NextPane();
  *toRight = next ? std::max(next->Rect().Width() - m_minNext, 0) : 0;
  *toLeft = prev ? std::min(m_minPrev - prev->Rect().Width(), 0) : 0;
}

int CGSkHSplitter::ClampDelta(int x, int y, int pressX, int pressY, int toLeft, int toRight) {
  (void)y, (void)pressY;
  int d = x - pressX;
  if (d >= toRight) d = toRight;
  if (d < toLeft) d = toLeft;
  return d;
}

void CGSkHSplitter::GetDragRect(int x, int y, vt::Rect* out) {
  int toLeft = 0, toRight = 0;
  GetDragLimits(&toLeft, &toRight);
  vt::Rect r;
  GetAbsoluteRect(&r);
  *out =
      vt::OffsetRect(r, ClampDelta(x, y, g_splitterDrag.pressX, g_splitterDrag.pressY, toLeft, toRight), 0);
}

void CGSkHSplitter::MoveBy(int delta) {
  if (delta == 0) return;
  if (CGPrimitive* next = NextPane()) {
    const vt::Rect r = next->Rect();
    next->SetRect(r.left + delta, r.top, r.right, r.bottom);
  }
  if (CGPrimitive* prev = PreviousPane()) {
    const vt::Rect r = prev->Rect();
    prev->SetRect(r.left, r.top, r.right + delta, r.bottom);
  }
  SetRect(m_rect.left + delta, m_rect.top, m_rect.right + delta, m_rect.bottom);
}

void CGSkHSplitter::DrawState(vt::DeviceContext* dc, int style, int pressed) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  ClipToVisibleRect(dc);
  dc->FillSolidRect(r, GetBackColor());
  const int state = !(style & GSTYLE_ENABLED) ? 1 : (pressed ? 2 : 0);
  const vt::SGSplitterSkin& skin = g_hSplitterSkin;
  if (!skin.imageId || skin.cellWidth <= 0 || skin.cellHeight <= 0) return;
  const vt::Bitmap* image = PooledSkinBitmap(skin.imageId);
  if (!image) return;
  const vt::Bitmap* mask = PooledSkinBitmap(skin.maskId);
  int x, w, srcOffset;
  if (skin.cellWidth < r.Width()) {
    x = r.left + (r.Width() - skin.cellWidth) / 2;
    w = skin.cellWidth;
    srcOffset = 0;
  } else {
    // A cell wider than the splitter shows its middle columns.
    x = r.left;
    w = r.Width();
    srcOffset = (skin.cellWidth - r.Width()) / 2;
  }
  const int sx = skin.cellWidth * state + srcOffset;
  const int v = (r.Height() - skin.cellHeight) / 2;
  const int y0 = v > 0 ? r.top + v : r.top;
  const int k = skin.capHeight;
  const int mid = skin.cellHeight - 2 * k;
  StretchBlendBitmap(dc, image, mask, vt::Rect{sx, 0, sx + w, k}, vt::Rect{x, r.top, x + w, y0});
  StretchBlendBitmap(dc, image, mask, vt::Rect{sx, k, sx + w, k + mid}, vt::Rect{x, y0, x + w, y0 + mid});
  StretchBlendBitmap(dc, image, mask, vt::Rect{sx, 0, sx + w, k}, vt::Rect{x, y0 + mid, x + w, r.bottom});
}

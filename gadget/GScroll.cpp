// The scrolling body and the scroll manager (see GScroll.h).
#include "gadget/GScroll.h"

#include <cstdint>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "gadget/GScrollBar.h"
#include "platform/gui/DeviceContext.h"

namespace {
constexpr vt::ColorRef kScrollBack = 0x025E5E5E;

// The position clamped so that the view stays inside the content (0 for small content).
int ClampScroll(int pos, int content, int view) {
  const int maxPos = content - view;
  if (pos > maxPos) pos = maxPos;
  if (pos < 0) pos = 0;
  return pos;
}
}  // namespace

CGScroll::CGScroll(CGCore* parent, int id, int style)
    : CGGroup(parent, 0, 0, id, style, 0, 0, 0, 1, kScrollBack) {
  if (IsKindOfClass(parent, GCLASS(CGScrollManager)))
    static_cast<CGScrollManager*>(parent)->RegisterBody(this);
}

CGScroll::~CGScroll() {
  if (IsKindOfClass(GetParent(), GCLASS(CGScrollManager)))
    static_cast<CGScrollManager*>(GetParent())->ForgetPart(this);
}

const SGClassInfo* CGScroll::GetClassInfo() const { return GCLASS(CGScroll); }

void CGScroll::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef oldText = dc->SetTextColor(0x02FFFFFF);
  const vt::ColorRef oldBack = dc->SetBkColor(0x02000000);
  dc->FillRect(r, vt::HalftoneBrush());
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBack);
  if (m_contentWidth >= 1 && m_contentHeight >= 1) {
    const vt::Rect content{r.left - m_scrollX, r.top - m_scrollY, r.left - m_scrollX + m_contentWidth,
                           r.top - m_scrollY + m_contentHeight};
    FillBevelRect(dc, content, 1, kScrollBack, 0x02CACACA, 0x02000000);
  }
}

void CGScroll::OnUpdate(int hint, void* data) {
  if (hint == 1) {
    m_scrollX = m_scrollY = m_contentWidth = m_contentHeight = 0;
    m_printScrollX = m_printScrollY = 0;
    m_printContentWidth = m_printContentHeight = 0;
  }
  CGGroup::OnUpdate(hint, data);
}

void CGScroll::SetScrollX(int x) {
  m_scrollX = x;
  if (vt::DeviceContext* back = GetBackDC()) Paint(back);
}

void CGScroll::SetScrollY(int y) {
  m_scrollY = y;
  if (vt::DeviceContext* back = GetBackDC()) Paint(back);
}

void CGScroll::FitContentToView() {
  m_contentWidth = m_rect.Width();
  m_contentHeight = m_rect.Height();
}

CGScrollManager::CGScrollManager(CGCore* parent, int left, int top, int id, int style, int width, int height,
                                 int frameWidth, int barWidth)
    : CGGroup(parent, left, top, id, style, width, height, frameWidth, 1, kScrollBack),
      m_barWidth(barWidth) {}

const SGClassInfo* CGScrollManager::GetClassInfo() const { return GCLASS(CGScrollManager); }

void CGScrollManager::ForgetPart(const CGCore* part) {
  if (m_body == part) m_body = nullptr;
  if (m_verticalBar == part) m_verticalBar = nullptr;
  if (m_horizontalBar == part) m_horizontalBar = nullptr;
}

int CGScrollManager::BarStyle(const CGScrollBar* bar) const { return bar ? bar->GetStyle() : 0; }

void CGScrollManager::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  const BevelColors bevel = GetBevelColors(c);
  FillBevelRect(dc, r, 1, c, bevel.shadow, bevel.highlight);
  if (m_verticalBar && m_horizontalBar && (m_verticalBar->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE &&
      (m_horizontalBar->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) {
    const vt::Rect corner{r.right - m_verticalBar->Rect().Width(),
                          r.bottom - m_horizontalBar->Rect().Height(), r.right - 1, r.bottom - 1};
    const vt::ColorRef light = LightenColor(c);
    const BevelColors lb = GetBevelColors(light);
    FillBevelRect(dc, corner, 1, light, lb.shadow, lb.highlight);
  }
}

void CGScrollManager::Layout() {
  const int W = m_rect.Width(), H = m_rect.Height();
  const int f = m_frameStyle, b = m_barWidth;
  int bodyWidth = W - f, bodyHeight = H - f;
  int horizontalLength = W, verticalLength = H;
  if (m_verticalBar && (m_verticalBar->GetStyle() & GSTYLE_VISIBLE)) {
    bodyWidth -= b;
    horizontalLength = W - b;
  } else {
    bodyWidth -= f;
  }
  if (m_horizontalBar && (m_horizontalBar->GetStyle() & GSTYLE_VISIBLE)) {
    bodyHeight -= b;
    verticalLength = H - b;
  } else {
    bodyHeight -= f;
  }
  if (m_body) m_body->SetBounds(f, f, bodyWidth, bodyHeight);
  if (m_verticalBar) m_verticalBar->SetBounds(W - b, 0, b, verticalLength);
  if (m_horizontalBar) m_horizontalBar->SetBounds(0, H - b, horizontalLength, b);
}

void CGScrollManager::SyncScrollBars() {
  if (!m_body) return;
  const int viewW = m_body->ViewWidth(), viewH = m_body->ViewHeight();
  m_body->m_scrollX = ClampScroll(m_body->m_scrollX, m_body->m_contentWidth, viewW);
  m_body->m_scrollY = ClampScroll(m_body->m_scrollY, m_body->m_contentHeight, viewH);
  auto sync = [](CGScrollBar* bar, int content, int view, int pos) {
    if (!bar) return;
    bar->m_minimum = 0;
    bar->m_maximum = content;
    bar->m_page = view;
    bar->SetStyle(view > 0 && view < content ? GSTYLE_ACTIVE : 0);
    bar->SetValue(bar->m_position);
    bar->SetValue(pos);
  };
  sync(m_verticalBar, m_body->m_contentHeight, viewH, m_body->m_scrollY);
  sync(m_horizontalBar, m_body->m_contentWidth, viewW, m_body->m_scrollX);
}

void CGScrollManager::LayoutTree() {
  int h = BarStyle(m_horizontalBar), v = BarStyle(m_verticalBar);
  CGGroup::LayoutTree();
  SyncScrollBars();
  // Showing one bar narrows the view and may make the other one necessary; a few more passes
  // settle that, and a layout that still flips ends with both bars hidden.
  for (int pass = 0; pass < kScrollSettlePasses; ++pass) {
    if (BarStyle(m_horizontalBar) == h && BarStyle(m_verticalBar) == v) return;
    h = BarStyle(m_horizontalBar);
    v = BarStyle(m_verticalBar);
    if (m_style & GSTYLE_VISIBLE) {
      Layout();
      for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
        if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->LayoutTree();
    }
    SyncScrollBars();
  }
  if (BarStyle(m_horizontalBar) == h && BarStyle(m_verticalBar) == v) return;
  if (m_horizontalBar) m_horizontalBar->SetStyle(0);
  if (m_verticalBar) m_verticalBar->SetStyle(0);
  CGGroup::LayoutTree();
}

void CGScrollManager::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (CGRoot* root = GetRootGadget()) root->SetWheelTarget(this);
  CGGroup::OnLButtonDown(flags, x, y);
}

int CGScrollManager::CanScrollWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  if (!HasEffectiveStyle(GSTYLE_ACTIVE) || !m_verticalBar || !m_body) return 0;
  if ((m_verticalBar->GetStyle() & GSTYLE_ACTIVE) != GSTYLE_ACTIVE) return 0;
  if (delta > 0) return m_body->m_scrollY > 0 ? 1 : 0;
  return m_body->m_scrollY + m_body->ViewHeight() < m_body->m_contentHeight ? 1 : 0;
}

bool CGScrollManager::OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  if (!m_verticalBar || !m_verticalBar->HasEffectiveStyle(GSTYLE_ACTIVE)) return false;
  const int lines = static_cast<int16_t>(delta) / 120;
  const int sx = m_body ? m_body->m_scrollX : 0;
  const int sy = m_body ? m_body->m_scrollY : 0;
  SetScroll(sx, sy - lines * m_verticalBar->m_step);
  Redraw();
  Flush();
  return true;
}

void CGScrollManager::SetScroll(int x, int y) {
  if (m_body) {
    m_body->m_scrollX = ClampScroll(x, m_body->m_contentWidth, m_body->ViewWidth());
    m_body->m_scrollY = ClampScroll(y, m_body->m_contentHeight, m_body->ViewHeight());
  }
  if (m_horizontalBar) m_horizontalBar->SetValue(x);
  if (m_verticalBar) m_verticalBar->SetValue(y);
}

void CGScrollManager::SetScrollX(int x) {
  if (m_body) m_body->SetScrollX(x);
  Flush();
}

void CGScrollManager::SetScrollY(int y) {
  if (m_body) m_body->SetScrollY(y);
  Flush();
}

int CGScrollManager::GetPrintPageCount(vt::DeviceContext* dc) {
  (void)dc;
  return m_pagesAcross * m_pagesDown;
}

void CGScrollManager::SetPrintPage(int page) {
  // Without pages across there is no page to move to.
  if (!m_body || m_pagesAcross < 1) return;
  m_body->m_printScrollX = (page % m_pagesAcross) * m_pageStepX + m_printBaseX;
  m_body->m_printScrollY = (page / m_pagesAcross) * m_pageStepY + m_printBaseY;
}

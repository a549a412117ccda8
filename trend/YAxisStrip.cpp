// The Y-axis strip: columns, arrangements, print extent, selection marker and mouse routing
// (see YAxisStrip.h).
#include "trend/YAxisStrip.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GSkinCell.h"
#include "platform/gui/DeviceContext.h"
#include "trend/NgWaveform.h"

namespace {
constexpr vt::ColorRef kStripBack = 0x025E5E5E;
vt::SGNgYAxisManagerSkin g_markerSkin;

bool IsActive(const CGPrimitive* p) { return (p->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE; }
bool IsShown(const CGPrimitive* p) { return (p->GetStyle() & GSTYLE_VISIBLE) != 0; }
}  // namespace

void SetNgYAxisManagerSkin(const vt::SGNgYAxisManagerSkin& skin) {
  g_markerSkin = skin;
  PreloadSkinBitmap(skin.imageId);
  PreloadSkinBitmap(skin.maskId);
}

// ---- manager ----

CGNgYAxisManager::CGNgYAxisManager(CGCore* screen) : CGRowColumn(screen, 0, 60, 0, 3, 30, 30, 1, 0) {
  SetBackColor(kStripBack);
}

CGNgYAxis* CGNgYAxisManager::GetAxis(int index) const {
  if (index < 0) return nullptr;
  return static_cast<CGNgYAxis*>(GetChildOfClassAt(GCLASS(CGNgYAxis), index));
}

std::vector<CGNgYAxis*> CGNgYAxisManager::Axes() const {
  std::vector<CGNgYAxis*> axes;
  axes.reserve(kNgAxisCount);
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGNgYAxis))) axes.push_back(static_cast<CGNgYAxis*>(c));
  return axes;
}

bool CGNgYAxisManager::InStep(const std::vector<CGNgYAxis*>& axes) const { return axes == Axes(); }

CGNgYAxis* CGNgYAxisManager::HoveredAxis() const {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGNgYAxis))) {
      auto* a = static_cast<CGNgYAxis*>(c);
      if (a->m_hovered && IsShown(a)) return a;
    }
  return nullptr;
}

void CGNgYAxisManager::CreateAxes() {
  for (int i = 0; i < kNgAxisCount; ++i) {
    auto* axis = new (std::nothrow) CGNgYAxis(this, 50 * i);
    CheckAllocation("Y axis", axis);
    if (!axis) continue;
    axis->CreateButtons();
    axis->AddEventCallback(GEVENT_CLICKED, CGNgWaveform::OnYAxisClicked, nullptr, 0);
  }
}

void CGNgYAxisManager::SetLayout(int layout) {
  ClearHover();
  m_layout = layout;
  if (layout < AXIS_FULL || layout > AXIS_FREE) return;
  const std::vector<CGNgYAxis*> axes = Axes();
  int a = 0;
  for (const CGNgYAxis* axis : axes)
    if (IsActive(axis)) ++a;
  const double step = a < 13 ? 0.025 : 0.3 / (a - 1);
  int k = 0;
  for (CGNgYAxis* axis : axes) {
    axis->m_dragMode = layout == AXIS_FREE ? 1 : 0;
    double top = 0, bottom = 1;
    if (layout == AXIS_FREE) {
      top = axis->m_storedTop, bottom = axis->m_storedBottom;
    } else if (layout != AXIS_FULL && IsActive(axis)) {
      // Sliding: the first axis ends at the band's bottom, each later one a step higher.
      // Automatic: equal parts from the top, a step apart (a is at least 1 here).
      const double d = layout == AXIS_SLIDING ? 1 - (a - 1) * step : (1 - (a - 1) * step) / a;
      top = layout == AXIS_SLIDING ? (a - 1 - k) * step : (d + step) * k;
      bottom = top + d;
      ++k;
    }
    axis->m_currentTop = top;
    axis->m_currentBottom = bottom;
  }
}

void CGNgYAxisManager::SetClip(int flag) {
  for (CGNgYAxis* axis : Axes())
    if (IsShown(axis)) axis->m_clip = flag;
}

void CGNgYAxisManager::SetAxes(const SNgAxisSetting* records, int count) {
  const std::vector<CGNgYAxis*> axes = Axes();
  for (int i = 0; i < int(axes.size()); ++i) {
    CGNgYAxis* axis = axes[i];
    if (i < count) {
      axis->SetSetting(&records[i]);
      axis->SetStyle(records[i].shown ? 3 : 0);
    } else {
      axis->SetStyle(0);
    }
  }
  assert(InStep(axes) && "applying settings leaves the axes in place");
}

void CGNgYAxisManager::GetAxes(SNgAxisSetting* records, int count) const {
  const std::vector<CGNgYAxis*> axes = Axes();
  for (int i = 0; i < std::min(count, int(axes.size())); ++i) axes[i]->GetSetting(&records[i]);
}

void CGNgYAxisManager::SetPrintLineWidth(int width) {
  for (CGNgYAxis* axis : Axes()) axis->m_printLineWidth = width;
}

void CGNgYAxisManager::ClearHover() {
  for (CGNgYAxis* axis : Axes()) {
    if (!IsShown(axis)) continue;
    axis->m_hovered = 0;
    if (axis->m_labelButton) axis->m_labelButton->SetStyle(0);
    if (axis->m_resetButton) axis->m_resetButton->SetStyle(0);
  }
  m_hover = nullptr;
}

void CGNgYAxisManager::AssignColumns(bool print) { AssignColumns(Axes(), print); }

void CGNgYAxisManager::AssignColumns(const std::vector<CGNgYAxis*>& axes, bool print) {
  // An axis takes the lowest column in which no earlier shown axis overlaps it vertically,
  // else a column of its own (its index).
  const int n = int(axes.size());
  for (int i = 0; i < n; ++i) {
    CGNgYAxis* axis = axes[i];
    if (!IsShown(axis)) {
      axis->m_column = -1;
      continue;
    }
    const vt::Rect& r = print ? axis->PrintRect() : axis->Rect();
    int column = i;
    for (int j = 0; j < i && column == i; ++j) {
      bool taken = false;
      for (int m = 0; m < i && !taken; ++m) {
        const CGNgYAxis* other = axes[m];
        if (!IsShown(other) || other->m_column != j) continue;
        const vt::Rect& o = print ? other->PrintRect() : other->Rect();
        taken = r.top < o.bottom && o.top < r.bottom;
      }
      if (!taken) column = j;
    }
    axis->m_column = column;
  }
}

template <class Place>
void CGNgYAxisManager::PlaceColumns(const std::vector<CGNgYAxis*>& axes, int* x, bool print, int scale,
                                    Place place) {
  int highest = -1;
  for (const CGNgYAxis* axis : axes)
    if (IsShown(axis)) highest = std::max(highest, axis->m_column);
  for (int column = highest; column >= 0; --column) {
    int g = -1;
    for (const CGNgYAxis* axis : axes)
      if (IsShown(axis) && axis->m_column == column) g = std::max(g, axis->m_labelWidth);
    if (g < 0) continue;
    if (print) *x += (g + 2) * 7 * scale + 5 * scale;
    for (CGNgYAxis* axis : axes) {
      if (!IsShown(axis) || axis->m_column != column) continue;
      axis->m_labelWidth = g;
      place(axis, *x, g);
    }
    *x += print ? 6 * scale : 7 * g + 29;
  }
}

void CGNgYAxisManager::LayoutColumns() {
  // The vertical places first, so that the columns follow the arrangement in the same pass.
  const std::vector<CGNgYAxis*> axes = Axes();
  const double B = m_bandTop, H = m_bandHeight;
  for (CGNgYAxis* axis : axes) {
    if (!IsShown(axis)) continue;
    const int top = int(std::floor(H * axis->m_currentTop + 0.5));
    const int bottom = int(std::floor(axis->m_currentBottom * H + 0.5));
    axis->SetBounds(axis->Rect().left, int(B) + top, axis->Rect().Width(), bottom - top);
  }
  AssignColumns(axes, false);
  for (CGNgYAxis* axis : axes)
    if (IsShown(axis)) axis->UpdateLabelFormat();
  int x = 0;
  PlaceColumns(axes, &x, false, 1, [](CGNgYAxis* axis, int left, int g) {
    axis->SetBounds(left, axis->Rect().top, 7 * g + 29, axis->Rect().Height());
  });
  assert(InStep(axes) && "laying out leaves the axes in place");
}

int CGNgYAxisManager::GetContentWidth() {
  LayoutColumns();
  for (const CGNgYAxis* axis : Axes())
    if (IsShown(axis) && axis->m_column == 0) return axis->Rect().right + 5;
  return 5;
}

void CGNgYAxisManager::ScalePrintRects(int s) {
  CGPrimitive::ScalePrintRects(s);
  const std::vector<CGNgYAxis*> axes = Axes();
  for (CGNgYAxis* axis : axes) {
    axis->ApplyPrintScale(s);
    axis->SetPrintWidth(5 * s);
  }
  AssignColumns(axes, true);
  for (CGNgYAxis* axis : axes)
    if (IsShown(axis)) axis->UpdateLabelFormat();
  int x = 0;
  PlaceColumns(axes, &x, true, s,
               [](CGNgYAxis* axis, int left, int) { axis->MovePrintRect(left, axis->PrintRect().top); });
  assert(InStep(axes) && "the print layout leaves the axes in place");
}

void CGNgYAxisManager::GetPrintExtent(int scale, int* width, int* limitRight) {
  ScalePrintRects(scale);
  *width = 0;
  *limitRight = 0;
  for (const CGNgYAxis* axis : Axes()) {
    if (!IsShown(axis)) continue;
    if (axis->m_column == 0) *width = axis->PrintRect().right + 5;
    if (m_printColumnLimit >= 0 && axis->m_column == m_printColumnLimit)
      *limitRight = axis->PrintRect().right;
  }
}

void CGNgYAxisManager::PrintSelf(vt::DeviceContext* dc, int) {
  // The axes print after the graph body and its legend, which leave their own clip selected:
  // without a clip of the strip's own the scales would be clipped away.
  vt::Rect clip;
  GetVisiblePrintRect(&clip);
  dc->SelectClipRect(&clip);
}

void CGNgYAxisManager::SetBackColor(vt::ColorRef c) {
  CGRowColumn::SetBackColor(c);
  for (CGNgYAxis* axis : Axes())
    if (IsShown(axis)) axis->SetBackColor(c);
}

void CGNgYAxisManager::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  dc->FillSolidRect(a, GetBackColor());
  const CGNgYAxis* axis = GetAxis(m_selectedAxis);
  if (!axis || !IsShown(axis)) return;
  vt::Rect r;
  axis->GetAbsoluteRect(&r);
  const int w = r.Width();
  const int left = axis->m_hovered ? r.left + w / 2 : r.left + w / 2 + 3;
  const int top = axis->m_hovered ? r.bottom + 13 : r.bottom + 5;
  const vt::Bitmap* image = PooledSkinBitmap(g_markerSkin.imageId);
  if (!image) return;
  StretchBlendBitmap(dc, image, PooledSkinBitmap(g_markerSkin.maskId),
                     vt::Rect{0, 0, g_markerSkin.width, g_markerSkin.height},
                     vt::Rect{left, top, left + g_markerSkin.width, top + g_markerSkin.height});
}

void CGNgYAxisManager::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!HasEffectiveStyle(GSTYLE_VISIBLE) || !GetVisibleRect(&visible)) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
  CGNgYAxis* hovered = HoveredAxis();
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c) && c != hovered && IsShown(static_cast<CGPrimitive*>(c)))
      static_cast<CGPrimitive*>(c)->Paint(dc);
  if (hovered) hovered->Paint(dc);
}

CGPrimitive* CGNgYAxisManager::ChildFromPoint(int x, int y, int mask) const {
  const vt::Point p = ToChild(x, y);
  const bool anyHovered = HasHoveredAxis();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsPrimitive(c)) continue;
    auto* child = static_cast<CGPrimitive*>(c);
    if (!child->HitTest(p.x, p.y, mask)) continue;
    const bool hovered = IsKindOfClass(c, GCLASS(CGNgYAxis)) && static_cast<CGNgYAxis*>(c)->m_hovered;
    if (hovered || !anyHovered) return child;
  }
  return nullptr;
}

void CGNgYAxisManager::OnMouseHover(int32_t x, int32_t y) {
  if (!IsShown(this)) return;
  CGPrimitive* p = ChildFromPoint(x, y, GSTYLE_VISIBLE);
  const vt::Point c = ToChild(x, y);
  CGNgYAxis* hovered = HoveredAxis();
  if (p != hovered) {
    if (hovered && hovered->Rect().Contains(c)) {
      p = hovered;  // still on its own rectangle: it stays hovered
    } else {
      if (hovered) hovered->OnMouseLeave(c.x, c.y);
      if (p) p->OnMouseEnter(c.x, c.y);
    }
  }
  m_hover = p;
  if (p) p->OnMouseHover(c.x, c.y);
}

void CGNgYAxisManager::Press(MouseHandler handler, uint32_t flags, int32_t x, int32_t y) {
  // The hovered axis takes the press; without one, the active child at the point.
  if (CGNgYAxis* hovered = HoveredAxis()) {
    m_captured = hovered;
    Forward(hovered, handler, flags, x, y);
    return;
  }
  m_captured = ActiveChildFromPoint(x, y);
  Forward(m_captured, handler, flags, x, y);
}

void CGNgYAxisManager::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  Press(&CGPrimitive::OnLButtonDown, flags, x, y);
}

void CGNgYAxisManager::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  Press(&CGPrimitive::OnLButtonDblClk, flags, x, y);
}

void CGNgYAxisManager::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (CGNgYAxis* hovered = HoveredAxis()) {
    m_captured = nullptr;
    Forward(hovered, &CGPrimitive::OnLButtonUp, flags, x, y);
    OnMouseHover(x, y);
    return;
  }
  CGPrimitive::OnLButtonUp(flags, x, y);
}

void CGNgYAxisManager::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (CGNgYAxis* hovered = HoveredAxis()) {
    Forward(hovered, &CGPrimitive::OnMouseMove, flags, x, y);
    return;
  }
  CGPrimitive::OnMouseMove(flags, x, y);
}

// ---- screen ----

CGNgYAxisScreen::CGNgYAxisScreen(CGCore* strip) : CGScroll(strip, 0, 3) {
  m_manager = new (std::nothrow) CGNgYAxisManager(this);
  CheckAllocation("Y-axis manager", m_manager);
  if (m_manager) m_manager->CreateAxes();
}

void CGNgYAxisScreen::Layout() {
  const int view = ViewWidth();
  if (m_contentWidth != m_previousContentWidth) m_scrollX += m_contentWidth - m_previousContentWidth;
  if (view != m_previousViewWidth) m_scrollX += m_previousViewWidth - view;
  m_scrollX = std::clamp(m_scrollX, 0, std::max(m_contentWidth - view, 0));
  m_scrollY = 0;
  m_previousContentWidth = m_contentWidth;
  m_previousViewWidth = view;
  if (m_manager) m_manager->SetBounds(0, 0, m_contentWidth, m_rect.Height());
}

void CGNgYAxisScreen::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  const vt::ColorRef c = GetBackColor();
  dc->FillSolidRect(a, c);
  const BevelColors bevel = GetBevelColors(c);
  DrawRectSides(dc, 1, bevel.shadow, a.left, a.top, a.right, a.bottom - 1);
  DrawRectSides(dc, 2, bevel.highlight, a.left, a.top, a.right, a.bottom - 1);
}

void CGNgYAxisScreen::SetForeColor(vt::ColorRef c) {
  if (m_manager) m_manager->SetForeColor(c);
}

void CGNgYAxisScreen::SetBackColor(vt::ColorRef c) {
  CGScroll::SetBackColor(c);
  if (m_manager) m_manager->SetBackColor(c);
}

void CGNgYAxisScreen::ScalePrintRects(int) {
  if (m_manager) m_manager->SetPrintBounds(0, 0, m_printRect.Width(), m_printRect.Height());
}

// ---- scroll manager ----

CGNgYAxisScrlMgr::CGNgYAxisScrlMgr(CGCore* panel, int height)
    : CGScrollManager(panel, 0, 0, 0, 3, 200, height, 0, 16) {}

void CGNgYAxisScrlMgr::BuildParts() {
  CheckAllocation("Y-axis strip", new (std::nothrow) CGNgYAxisScreen(this));
  auto* bar = new (std::nothrow) CGSkHScrollBar(this, 0, 0, 0, 3, 16, 16, 10);
  CheckAllocation("Y-axis strip", bar);
  if (bar) bar->Build(1);
}

CGNgYAxisScreen* CGNgYAxisScrlMgr::Screen() const {
  return IsKindOfClass(m_body, GCLASS(CGNgYAxisScreen)) ? static_cast<CGNgYAxisScreen*>(m_body) : nullptr;
}

CGNgYAxisManager* CGNgYAxisScrlMgr::Manager() const {
  const CGNgYAxisScreen* s = Screen();
  return s ? s->m_manager : nullptr;
}

void CGNgYAxisScrlMgr::Layout() {
  const int W = m_rect.Width();
  int h = m_rect.Height();
  if (m_horizontalBar && IsShown(m_horizontalBar)) h -= 16;
  if (m_body) m_body->SetBounds(0, 0, W, h);
  if (m_horizontalBar) m_horizontalBar->SetBounds(0, h, W, 16);
}

void CGNgYAxisScrlMgr::SetForeColor(vt::ColorRef c) {
  if (m_body) m_body->SetForeColor(c);
}

void CGNgYAxisScrlMgr::SetBackColor(vt::ColorRef c) {
  CGScrollManager::SetBackColor(c);
  if (m_body) m_body->SetBackColor(c);
}

void CGNgYAxisScrlMgr::ScalePrintRects(int scale) {
  if (m_body && IsShown(m_body)) {
    m_body->SetPrintBounds(0, 0, m_printRect.Width(), m_printRect.Height());
  }
  (void)scale;
}

// What the mouse does on a Y axis: the hovered axis grows a framed area with two buttons
// (labels on and off, reset scale), the window cursor follows the zone under the pointer, a
// press on the scale side opens the zoom gadget there, and in the free arrangement the top
// edge, the bottom edge or the whole axis can be dragged inside the band; the new place is
// stored as fractions of the band. The redraw a moment after the pointer enters an axis runs
// from a single-shot timer: nothing waits.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GIconButton.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkButton.h"
#include "platform/gui/Cursors.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "trend/NgHooks.h"
#include "trend/NgWaveform.h"
#include "trend/NgZoom.h"
#include "trend/TrendSkinArt.h"
#include "trend/YAxis.h"
#include "trend/YAxisStrip.h"

namespace {
constexpr uint32_t kMoveCursor = 344;
constexpr uint32_t kZoomCursor = 345;
constexpr uint32_t kArrowCursor = uint32_t(vt::kCursorArrow);
constexpr uint32_t kSizeNsCursor = uint32_t(vt::kCursorSizeNs);
constexpr uint32_t kEnterRedrawMilliseconds = 100;

// The zone and point of the last press on any axis (one press at a time).
struct SGNgAxisPress {
  int zone = 0;
  vt::Point point;
};
SGNgAxisPress g_ngAxisPress;

// The reset button's click: the hook value taken when the button was made, carried as data.
void CallAxisZoomHook(CGPrimitive* button, int code, void* data) {
  NgHook hook = nullptr;
  std::memcpy(&hook, data, sizeof hook);
  if (hook) hook(button, code, 0);
}

bool Contains(const vt::Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
}  // namespace

CGNgZoom* CGNgYAxis::Zoom() const { return static_cast<CGNgZoom*>(GetFirstChildOfClass(GCLASS(CGNgZoom))); }

void CGNgYAxis::Band(int* top, int* height) const {
  *top = 0, *height = 0;
  if (IsKindOfClass(GetParent(), GCLASS(CGNgYAxisManager))) {
    const auto* m = static_cast<const CGNgYAxisManager*>(GetParent());
    *top = m->m_bandTop, *height = m->m_bandHeight;
  }
}

void CGNgYAxis::CreateButtons() {
  m_hoverLeft = 0, m_hoverRight = 2, m_hoverTop = 25, m_hoverBottom = 10;
  auto* zoom = new (std::nothrow) CGNgZoom(this);
  CheckAllocation("Y axis", zoom);
  if (zoom) zoom->CreateButtons();
  auto* toggle = new (std::nothrow)
      CGSkTogIconButton(this, 0, -18, 16, 16, 0, 0, 0x02000000, "", 16, 16, kNgLabelButton, 0);
  CheckAllocation("Y axis", toggle);
  auto* reset = new (std::nothrow) CGIconButton(this, 0, -18, 16, 16, 0, kNgResetButton, 0);
  CheckAllocation("Y axis", reset);
  m_labelButton = toggle;
  m_resetButton = reset;
  if (toggle) toggle->AddEventCallback(GEVENT_CHANGED, OnToggleLabels, nullptr, 0);
  if (reset && NgAxisZoomHook) {
    const NgHook hook = NgAxisZoomHook;
    reset->AddEventCallback(GEVENT_CLICKED, CallAxisZoomHook, &hook, int(sizeof hook));
  }
}

void CGNgYAxis::ToggleLabels() {
  if (CGNgZoom* zoom = Zoom()) zoom->SetStyle(0);
  if (m_labelMode == LABELS_ON) {
    if (m_resetButton) m_resetButton->SetStyle(0);
    m_labelMode = LABELS_OFF;
  } else {
    if (m_resetButton) m_resetButton->SetStyle(GSTYLE_ACTIVE);
    m_labelMode = LABELS_ON;
  }
}

void CGNgYAxis::OnToggleLabels(CGPrimitive* button, int, void*) {
  auto* axis = static_cast<CGNgYAxis*>(button->FindAncestorOfClass(GCLASS(CGNgYAxis)));
  if (!axis) return;
  axis->ToggleLabels();
  if (CGCore* panel = axis->FindAncestorOfClass(GCLASS(CGNgWaveform)))
    static_cast<CGPrimitive*>(panel)->LayoutTree();
}

void CGNgYAxis::GetRect(vt::Rect* out) const {
  *out = vt::Rect{m_rect.left - m_hoverLeft, m_rect.top - m_hoverTop, m_rect.right + m_hoverRight,
                  m_rect.bottom + m_hoverBottom};
}

bool CGNgYAxis::HitTest(int x, int y, int mask) const {
  vt::Rect a;
  GetRect(&a);
  return Contains(a, x, y) && (m_style & mask) == mask;
}

void CGNgYAxis::Layout() {
  const int y = m_dragMode == 1 ? 3 - 16 - 5 : -21;
  const int w = m_rect.Width();
  if (m_labelMode == LABELS_ON) {
    if (m_labelButton) m_labelButton->MoveTo(8, y);
    if (m_resetButton) m_resetButton->MoveTo(w - 16, y);
  } else if (m_labelButton) {
    m_labelButton->MoveTo((w - 16) / 2 + 3, y);
  }
}

void CGNgYAxis::SetBackColor(vt::ColorRef c) {
  if (CGNgZoom* zoom = Zoom()) zoom->SetBackColor(c);
}

int CGNgYAxis::GetHitZone(int x, int y) const {
  vt::Rect A;
  GetRect(&A);
  int zone = 0;
  if (Contains(vt::Rect{A.left, A.top, A.right, A.top + 4}, x, y))
    zone = 1;
  else if (Contains(vt::Rect{A.left, A.bottom - 4, A.right, A.bottom}, x, y))
    zone = 2;
  if (Contains(m_rect, x, y)) {
    if (m_labelMode != LABELS_ON) return 3;
    const CGNgZoom* zoom = Zoom();
    const vt::Point c = ToChild(x, y);
    if (zoom && zoom->HasEffectiveStyle(GSTYLE_ACTIVE) && Contains(zoom->Rect(), c.x, c.y)) return 5;
    return x >= m_rect.right - 16 ? 4 : 3;
  }
  return zone;
}

uint32_t CGNgYAxis::CursorForZone(int zone) const {
  if (m_dragMode != 1) return zone == 4 && m_labelMode == LABELS_ON ? kZoomCursor : kArrowCursor;
  switch (zone) {
    case 3:
      return kMoveCursor;
    case 4:
      return m_labelMode == LABELS_ON ? kZoomCursor : kMoveCursor;
    case 1:
    case 2:
      return kSizeNsCursor;
    default:
      return kArrowCursor;
  }
}

void CGNgYAxis::UpdateCursor() {
  const uint32_t cursor = CursorForZone(g_ngAxisPress.zone);
  if (cursor == kMoveCursor || cursor == kZoomCursor) {
    SetWindowCursor(cursor);
  } else if (vt::HostWindow* host = GetHostWindow(); host && uint32_t(host->Cursor()) != cursor) {
    host->SetCursor(vt::CursorId(cursor));
  }
}

void CGNgYAxis::OnMouseEnter(int32_t x, int32_t y) {
  m_hovered = 1;
  if (m_labelButton) m_labelButton->SetStyle(GSTYLE_ACTIVE);
  if (m_resetButton && m_labelMode == LABELS_ON) m_resetButton->SetStyle(GSTYLE_ACTIVE);
  if (CGPrimitive* manager = ParentPrimitive()) {
    manager->LayoutTree();
    manager->Redraw();
    manager->Flush();
  }
  if (CGRoot* root = GetRootGadget()) root->RedrawLater(this, kEnterRedrawMilliseconds);
  g_ngAxisPress.zone = GetHitZone(x, y);
  UpdateCursor();
}

void CGNgYAxis::OnMouseHover(int32_t x, int32_t y) {
  g_ngAxisPress.zone = GetHitZone(x, y);
  UpdateCursor();
}

void CGNgYAxis::OnMouseLeave(int32_t x, int32_t y) {
  (void)x, (void)y;
  if (vt::HostWindow* host = GetHostWindow(); host && host->Cursor() != vt::kCursorArrow)
    host->SetCursor(vt::kCursorArrow);
  if (CGNgZoom* zoom = Zoom()) zoom->SetStyle(0);
  m_hovered = 0;
  if (m_labelButton) m_labelButton->SetStyle(0);
  if (m_resetButton) m_resetButton->SetStyle(0);
  if (CGPrimitive* manager = ParentPrimitive()) {
    manager->LayoutTree();
    manager->Redraw();
    manager->Flush();
  }
}

void CGNgYAxis::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  m_dragStart = m_rect;
  m_moved = 0;
  g_ngAxisPress.zone = GetHitZone(x, y);
  g_ngAxisPress.point = vt::Point{x, y};
  CGNgZoom* zoom = Zoom();
  const int zone = g_ngAxisPress.zone;
  if (zone >= 1 && zone <= 3) {
    if (zoom) zoom->SetStyle(0);
    FireEvent(GEVENT_CLICKED);
    if (m_dragMode == 1) DrawDragFrame();
  } else if (zone == 4 && zoom) {
    if (CGRoot* root = GetRootGadget()) root->SetWheelTarget(zoom);
    double value = 0;
    PixelToValue(y, &value);
    zoom->m_centre = value;
    vt::Point o;
    GetOrigin(&o);
    zoom->PlaceAt(m_rect.Width(), 0, o.y + y);  // the pointer's height in root coordinates
  }
  CGPrimitive::OnLButtonDown(flags, x, y);
}

void CGNgYAxis::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x;
  if (m_dragMode != 1) return;
  m_moved = 1;
  CGRoot* root = GetRootGadget();
  if (root && root->GetWindowDC()) EraseDragFeedback(root->GetWindowDC());
  int B = 0, H = 0;
  Band(&B, &H);
  const int dy = y - g_ngAxisPress.point.y;
  vt::Rect r = m_dragStart;
  switch (g_ngAxisPress.zone) {
    case 1:
      r.top = std::clamp(m_dragStart.top + dy, B, B + H);
      break;
    case 2:
      r.bottom = std::clamp(m_dragStart.bottom + dy, B, B + H);
      break;
    case 3:
      r.top += dy, r.bottom += dy;
      if (r.top < B) r.bottom += B - r.top, r.top = B;
      if (r.bottom > B + H) r.top -= r.bottom - (B + H), r.bottom = B + H;
      break;
    default:
      return;
  }
  m_rect.top = r.top, m_rect.bottom = r.bottom;
  DrawDragFrame();
}

void CGNgYAxis::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  const int zone = g_ngAxisPress.zone;
  if (zone >= 1 && zone <= 3 && m_dragMode == 1) {
    if (m_moved) StorePositions();
    DrawDragFrame();
  } else if (zone == 4) {
    if (CGNgZoom* zoom = Zoom()) zoom->SetStyle(m_labelMode == LABELS_ON ? GSTYLE_ACTIVE : 0);
  }
  CGPrimitive::OnLButtonUp(flags, x, y);
  FireEvent(GEVENT_CLICKED);
}

void CGNgYAxis::StorePositions() {
  int B = 0, H = 0;
  Band(&B, &H);
  int top = m_rect.top, bottom = m_rect.bottom;
  if (bottom < top) std::swap(top, bottom);
  // A band without height holds no place: the axis keeps the whole band.
  if (H <= 0) {
    m_currentTop = m_storedTop = 0;
    m_currentBottom = m_storedBottom = 1;
    return;
  }
  const double f = std::clamp(double(top - B) / H, 0.0, 0.99);
  const double g = std::clamp(double(std::max(bottom - top, 1)) / H, 0.01, 1.0);
  m_currentTop = m_storedTop = f;
  m_currentBottom = m_storedBottom = f + (f + g > 1 ? 1 - f : g);
}

vt::Rect CGNgYAxis::GetDragFeedbackRect() const {
  const vt::Font* font = LabelFont();
  const int grow = font ? font->Metrics().height / 2 + 1 : 1;
  const vt::Rect& r = g_dragFeedbackRect;
  return vt::Rect{r.left, r.top - grow, r.right, r.bottom + grow};
}

void CGNgYAxis::EraseDragFeedback(vt::DeviceContext* dc) {
  vt::DeviceContext* back = GetBackDC();
  if (!dc || !back) return;
  const vt::Rect r = GetDragFeedbackRect();
  dc->SelectClipRect(nullptr);
  dc->BitBlt(r.left, r.top, r.Width(), r.Height(), *back, r.left, r.top, vt::RasterOp::SrcCopy);
}

void CGNgYAxis::DrawDragFrame() {
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* window = root ? root->GetWindowDC() : nullptr;
  vt::DeviceContext* back = GetBackDC();
  if (!window || !back) return;
  vt::Rect visible;
  if (CGPrimitive::GetVisibleRect(&visible)) {
    window->SelectClipRect(&visible);
    back->SelectClipRect(&visible);
    window->BitBlt(visible.left, visible.top, visible.Width(), visible.Height(), *back, visible.left,
                   visible.top, vt::RasterOp::SrcCopy);
  }
  vt::Rect a;
  CGPrimitive::GetAbsoluteRect(&a);
  vt::Rect F{a.left + 2, a.top - 25, a.right + 4, a.bottom + 10};
  if (F.bottom < F.top) std::swap(F.top, F.bottom);
  if (HasEffectiveStyle(GSTYLE_ACTIVE)) window->DrawFocusRect(F);
  DrawScale(window, vt::Rect{a.right - 6, a.top, a.right, a.bottom}, m_colour);
  DrawScale(window, vt::Rect{a.right - 5, a.top + 1, a.right + 1, a.bottom + 1}, 0x02000000);
  g_dragFeedbackRect = F;
}

void CGNgYAxis::DrawHover(vt::DeviceContext* dc) {
  vt::Rect a;
  CGPrimitive::GetAbsoluteRect(&a);
  const vt::Rect area{a.left + 2, a.top - 25, a.right + 4, a.bottom + 10};
  dc->FillSolidRect(area, GetBackColor());
  if (const vt::Bitmap* frame = PooledSkinBitmap(kNgHoverFrame))
    DrawNineSliceCell(dc, frame, PooledSkinBitmap(kNgHoverMask), HasEffectiveStyle(GSTYLE_ENABLED) ? 0 : 1,
                      11, 33, 5, 24, 5, 8, area);
  if (m_dragMode != 1) return;
  for (int x = area.left + 5; x < area.right - 5; x += 2) {
    dc->SetPixel(x, area.top + 4, 0x02000000);
    dc->SetPixel(x, area.bottom - 5, 0x02FFFFFF);
  }
  for (int x = area.left + 4; x < area.right - 4; x += 2) {
    dc->SetPixel(x, area.top + 5, 0x02FFFFFF);
    dc->SetPixel(x, area.bottom - 6, 0x02000000);
  }
}

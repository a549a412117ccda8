// The time scroll bar, its arrows and its thumb (see TimeScrollBar.h).
#include "trend/TimeScrollBar.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "gadget/GSkinCell.h"
#include "platform/gui/DeviceContext.h"
#include "trend/GraphBody.h"

vt::SGNgThumbPress g_ngThumbPress;

namespace {
constexpr uint32_t kRepeatMilliseconds = 50;

CGNgHTScrollBar* TimeBarOf(const CGCore* part) {
  CGCore* p = part->GetParent();
  return IsKindOfClass(p, GCLASS(CGNgHTScrollBar)) ? static_cast<CGNgHTScrollBar*>(p) : nullptr;
}

// t moved back by s seconds; the zero time when t is not later than s seconds.
PreciseTime Earlier(const PreciseTime& t, double s) {
  return PreciseTime::ToSeconds(t) > s ? PreciseTime::AddSeconds(t, -s) : PreciseTime{};
}

template <class T>
void MakePart(CGCore* bar, int style) {
  CheckAllocation("scroll bar", new (std::nothrow) T(bar, style));
}
}  // namespace

// ---- the bar ----

CGNgHTScrollBar::CGNgHTScrollBar(CGCore* graph, double stepSeconds)
    : CGScrollBar(graph, 0, 0, 0, 3, 100, 16, 1), m_stepSeconds(stepSeconds) {}

void CGNgHTScrollBar::Layout() {
  const int W = m_rect.Width(), H = m_rect.Height();
  if (m_firstButton) m_firstButton->SetBounds(0, 0, H, H);
  if (m_secondButton) m_secondButton->SetBounds(W - H, 0, H, H);
  if (m_thumb) m_thumb->SetBounds(m_firstButton ? H : 0, 0, std::max(W - H * ButtonCount(), 0), H);
}

int CGNgHTScrollBar::CreateParts(int arrowStyle) {
  MakePart<CGNgScrollRightButton>(this, arrowStyle);
  MakePart<CGNgScrollLeftButton>(this, arrowStyle);
  MakePart<CGNgHBar>(this, arrowStyle);
  return 1;
}

void CGNgHTScrollBar::UpdateStyle() {
  const double D = Duration();
  SetStyle(D > m_span && m_span > 0 ? GSTYLE_ACTIVE : 0);
}

void CGNgHTScrollBar::SetDataRange(PreciseTime start, PreciseTime end) {
  m_dataStart = start;
  m_dataEnd = end;
  UpdateStyle();
  SetPosition(m_position);
}

void CGNgHTScrollBar::SetVisibleSpan(double seconds) {
  m_span = seconds;
  UpdateStyle();
  SetPosition(m_position);
}

void CGNgHTScrollBar::SetPosition(PreciseTime t) {
  if (t < m_dataStart) t = m_dataStart;
  const PreciseTime latest = vt::TimeFromSeconds(PreciseTime::ToSeconds(m_dataEnd) - m_span);
  if (t > latest) t = latest;
  if (t < m_dataStart) t = m_dataStart;
  m_position = t;
}

void CGNgHTScrollBar::PositionChanged() {
  if (m_thumb) {
    m_thumb->Redraw();
    m_thumb->Flush();
  }
  OnClick();
}

void CGNgHTScrollBar::OnClick() {
  if (IsKindOfClass(GetParent(), GCLASS(CGNgGraph)))
    static_cast<CGNgGraph*>(GetParent())->ScrollTo(m_position);
  CGScrollBar::OnClick();
}

// ---- arrows ----

namespace {
// The framework's press, except that the repeat starts only while the press still stands: a
// release may have been delivered while the graph refilled.
template <class Button>
void PressArrow(Button* b) {
  if (!b->HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  b->Redraw();
  b->Flush();
  b->OnClick();
  if (b->IsHeld() && !g_repeatTimer) b->StartRepeatTimer(uint32_t(b->m_repeatInterval));
}
}  // namespace

CGNgScrollLeftButton::CGNgScrollLeftButton(CGCore* bar, int arrowStyle)
    : CGSkScrollLeftButton(bar, arrowStyle, int(kRepeatMilliseconds)) {
  if (CGNgHTScrollBar* b = TimeBarOf(this)) b->RegisterFirstButton(this);
}

void CGNgScrollLeftButton::OnLButtonDown(uint32_t, int32_t, int32_t) { PressArrow(this); }

void CGNgScrollLeftButton::OnClick() {
  if (CGNgHTScrollBar* bar = TimeBarOf(this)) {
    bar->SetPosition(Earlier(bar->m_position, bar->m_stepSeconds));
    bar->PositionChanged();
  }
  FireEvent(GEVENT_CLICKED);
}

CGNgScrollRightButton::CGNgScrollRightButton(CGCore* bar, int arrowStyle)
    : CGSkScrollRightButton(bar, arrowStyle, int(kRepeatMilliseconds)) {
  if (CGNgHTScrollBar* b = TimeBarOf(this)) b->RegisterSecondButton(this);
}

void CGNgScrollRightButton::OnLButtonDown(uint32_t, int32_t, int32_t) { PressArrow(this); }

void CGNgScrollRightButton::OnClick() {
  if (CGNgHTScrollBar* bar = TimeBarOf(this)) {
    bar->SetPosition(PreciseTime::AddSeconds(bar->m_position, bar->m_stepSeconds));
    bar->PositionChanged();
  }
  FireEvent(GEVENT_CLICKED);
}

// ---- the thumb ----

CGNgHTScrollBar* CGNgHBar::TimeBar() const { return TimeBarOf(this); }

void CGNgHBar::ComputeThumbGeometry(int W) {
  const CGNgHTScrollBar* bar = TimeBar();
  if (!bar) {
    m_thumbOffset = -1;
    return;
  }
  const double D = bar->Duration(), V = bar->m_span;
  if (bar->m_position < bar->m_dataStart) {
    m_thumbOffset = 0;
    return;
  }
  // Without data the thumb fills the track; without a scrollable range it stays at the start.
  const double ratio = D > 0 ? std::min(V / D, 1.0) : 1.0;
  m_thumbLength = std::max(int(ratio * W), 8);
  const double range = D - V;
  const double at = vt::SpanSeconds(bar->m_dataStart, bar->m_position);
  m_thumbOffset = range > 0 ? int(std::min(at / range, 1.0) * (W - m_thumbLength)) : 0;
  if (m_thumbOffset + m_thumbLength > W) m_thumbOffset = W - m_thumbLength;
}

PreciseTime CGNgHBar::TimeAtOffset(int p) const {
  const CGNgHTScrollBar* bar = TimeBar();
  if (!bar) return PreciseTime{};
  const int free = m_rect.Width() - m_thumbLength;
  if (free <= 0) return bar->m_dataStart;
  return PreciseTime::AddSeconds(bar->m_dataStart, double(p) / free * (bar->Duration() - bar->m_span));
}

void CGNgHBar::PageStep() {
  CGNgHTScrollBar* bar = TimeBar();
  if (!bar) return;
  const PreciseTime T = bar->m_position, G = g_ngThumbPress.target;
  if (g_ngThumbPress.zone == 2)
    bar->SetPosition(std::min(PreciseTime::AddSeconds(T, bar->m_span), G));
  else
    bar->SetPosition(std::max(Earlier(T, bar->m_span), G));
  bar->PositionChanged();
}

void CGNgHBar::OnLButtonDown(uint32_t, int32_t x, int32_t y) {
  const int px = ToChild(x, y).x;
  ComputeThumbGeometry(m_rect.Width());
  vt::SGNgThumbPress& press = g_ngThumbPress;
  press.zone = m_thumbOffset < 0 ? 0 : px < m_thumbOffset ? 3 : px > m_thumbOffset + m_thumbLength ? 2 : 1;
  press.target = TimeAtOffset(px - m_thumbLength / 2);
  if (press.zone == 1) {
    m_pressed = 1;
    press.grab = px - m_thumbOffset;
    Redraw();
    Flush();
  } else if (press.zone >= 2) {
    const int zone = press.zone;
    PageStep();
    if (press.zone == zone && !g_repeatTimer) StartRepeatTimer(kRepeatMilliseconds);
  }
}

void CGNgHBar::OnTimer(uint32_t id) {
  if (id == vt::GTIMER_REPEAT && (g_ngThumbPress.zone == 2 || g_ngThumbPress.zone == 3)) PageStep();
}

void CGNgHBar::OnMouseMove(uint32_t, int32_t x, int32_t y) {
  CGNgHTScrollBar* bar = TimeBar();
  if (!bar || g_ngThumbPress.zone != 1) return;
  const PreciseTime t = TimeAtOffset(ToChild(x, y).x - g_ngThumbPress.grab);
  if (t == bar->m_position) return;
  bar->SetPosition(t);
  bar->PositionChanged();
}

void CGNgHBar::OnLButtonUp(uint32_t, int32_t, int32_t) {
  if (g_repeatTimer) KillRepeatTimer();
  g_ngThumbPress = vt::SGNgThumbPress{};
  m_pressed = 0;
  Redraw();
  Flush();
}

void CGNgHBar::DrawState(vt::DeviceContext* dc, int style, int pressed) {
  if (!TimeBar()) return;
  const vt::SGThumbSkin& skin = GetSkHBarSkin();
  const int state = !(style & GSTYLE_ENABLED) ? 1 : pressed ? 2 : 0;
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
  DrawSkinCell(dc, skin.track, state, r);
  ComputeThumbGeometry(r.Width());
  if (m_thumbOffset < 0) return;
  DrawSkinCell(dc, skin.thumb, state,
               vt::Rect{r.left + m_thumbOffset, r.top, r.left + m_thumbOffset + m_thumbLength, r.bottom});
}

// Scroll bars, their tracks and arrow buttons (see GScrollBar.h).
#include "gadget/GScrollBar.h"

#include <algorithm>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "gadget/GScroll.h"
#include "platform/gui/DeviceContext.h"

vt::SGScrollDrag g_scrollDrag;

namespace {
constexpr vt::ColorRef kScrollBack = 0x025E5E5E;
constexpr uint32_t kTrackRepeatMilliseconds = 50;

CGScrollManager* ManagerOf(const CGCore* node) {
  CGCore* p = node->GetParent();
  return IsKindOfClass(p, GCLASS(CGScrollManager)) ? static_cast<CGScrollManager*>(p) : nullptr;
}

// A part made by Build; a failed allocation shows the out-of-memory message.
template <class T, class... A>
bool MakePart(const char* what, A... args) {
  T* part = new (std::nothrow) T(args...);
  CheckAllocation(what, part);
  return part != nullptr;
}
}  // namespace

// ---- CGScrollBar ----

CGScrollBar::CGScrollBar(CGCore* parent, int left, int top, int id, int style, int width, int height,
                         int step)
    : CGGroup(parent, left, top, id, style, width, height, 0, 1, kScrollBack), m_step(step) {}

CGScrollBar::~CGScrollBar() {
  if (CGScrollManager* m = ManagerOf(this)) m->ForgetPart(this);
}

const SGClassInfo* CGScrollBar::GetClassInfo() const { return GCLASS(CGScrollBar); }

void CGScrollBar::ForgetPart(const CGCore* part) {
  if (m_thumb == part) m_thumb = nullptr;
  if (m_firstButton == part) m_firstButton = nullptr;
  if (m_secondButton == part) m_secondButton = nullptr;
}

void CGScrollBar::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  const BevelColors bevel = GetBevelColors(c);
  FillBevelRect(dc, r, 1, c, bevel.shadow, bevel.highlight);
}

void CGScrollBar::SetSize(int w, int h) {
  CGGroup::SetSize(w, h);
  LayoutTree();
}

void CGScrollBar::SetValue(int v) {
  m_position = v;
  if (m_position < m_minimum) m_position = m_minimum;
  if (m_position > m_maximum - m_page) m_position = m_maximum - m_page;
  if (m_position < m_minimum) m_position = m_minimum;
}

int CGScrollBar::GetValue(int* out) {
  *out = m_position;
  return 0;
}

void CGScrollBar::OnClick() {
  FireEvent(GEVENT_CHANGED);
  if (CGScrollManager* m = ManagerOf(this)) m->FireEvent(GEVENT_SCROLLED);
}

vt::ColorRef CGScrollBar::GetTrackColor() const { return LightenColor(GetBackColor()); }

// ---- vertical and horizontal bars ----

CGVScrollBar::CGVScrollBar(CGCore* parent, int left, int top, int id, int style, int width, int height,
                           int step)
    : CGScrollBar(parent, left, top, id, style, width, height, step) {
  if (CGScrollManager* m = ManagerOf(this)) m->RegisterVerticalBar(this);
}

const SGClassInfo* CGVScrollBar::GetClassInfo() const { return GCLASS(CGVScrollBar); }

void CGVScrollBar::Layout() {
  const int W = m_rect.Width(), H = m_rect.Height(), s = W - 2;
  int start = 1;
  if (m_firstButton) {
    m_firstButton->SetBounds(1, 1, s, s);
    start = 1 + s;
  }
  if (m_secondButton) m_secondButton->SetBounds(1, H - s - 1, s, s);
  if (m_thumb) m_thumb->SetBounds(1, start, s, std::max(H - 2 - s * ButtonCount(), 0));
}

void CGVScrollBar::OnClick() {
  if (CGScrollManager* m = ManagerOf(this)) m->SetScrollY(m_position);
  CGScrollBar::OnClick();
}

int CGVScrollBar::Build(int frameType) {
  const bool a = MakePart<CGScrollUpButton>("scroll button", static_cast<CGCore*>(this), frameType, 50);
  const bool b = MakePart<CGScrollDownButton>("scroll button", static_cast<CGCore*>(this), frameType, 50);
  const bool c = MakePart<CGVBar>("scroll bar", static_cast<CGCore*>(this), frameType);
  return a && b && c ? 0 : 1;
}

CGHScrollBar::CGHScrollBar(CGCore* parent, int left, int top, int id, int style, int width, int height,
                           int step)
    : CGScrollBar(parent, left, top, id, style, width, height, step) {
  if (CGScrollManager* m = ManagerOf(this)) m->RegisterHorizontalBar(this);
}

const SGClassInfo* CGHScrollBar::GetClassInfo() const { return GCLASS(CGHScrollBar); }

void CGHScrollBar::Layout() {
  const int W = m_rect.Width(), H = m_rect.Height(), s = H - 2;
  int start = 1;
  if (m_firstButton) {
    m_firstButton->SetBounds(1, 1, s, s);
    start = 1 + s;
  }
  if (m_secondButton) m_secondButton->SetBounds(W - s - 1, 1, s, s);
  if (m_thumb) m_thumb->SetBounds(start, 1, std::max(W - 2 - s * ButtonCount(), 0), s);
}

void CGHScrollBar::OnClick() {
  if (CGScrollManager* m = ManagerOf(this)) m->SetScrollX(m_position);
  CGScrollBar::OnClick();
}

int CGHScrollBar::Build(int frameType) {
  const bool a = MakePart<CGScrollLeftButton>("scroll button", static_cast<CGCore*>(this), frameType, 50);
  const bool b = MakePart<CGScrollRightButton>("scroll button", static_cast<CGCore*>(this), frameType, 50);
  const bool c = MakePart<CGHBar>("scroll bar", static_cast<CGCore*>(this), frameType);
  return a && b && c ? 0 : 1;
}

// ---- the track ----

CGBar::CGBar(CGCore* scrollBar, int bevelWidth)
    : CGPrimitive(scrollBar, 0, 0, 0, 3, 0, 0), m_bevelWidth(bevelWidth) {
  if (CGScrollBar* bar = Bar()) bar->RegisterThumb(this);
}

CGBar::~CGBar() {
  if (CGScrollBar* bar = Bar()) bar->ForgetPart(this);
}

const SGClassInfo* CGBar::GetClassInfo() const { return GCLASS(CGBar); }

CGScrollBar* CGBar::Bar() const {
  CGCore* p = GetParent();
  return IsKindOfClass(p, GCLASS(CGScrollBar)) ? static_cast<CGScrollBar*>(p) : nullptr;
}

vt::ColorRef CGBar::GetForeColor() const {
  if (CGScrollBar* bar = Bar()) return bar->GetTrackColor();
  return 0x02C0C0C0;
}

vt::ColorRef CGBar::GetBackColor() const {
  if (CGPrimitive* p = ParentPrimitive()) return p->GetBackColor();
  return kScrollBack;
}

void CGBar::ComputeThumb(int L) {
  const CGScrollBar* bar = Bar();
  const int span = bar->m_maximum - bar->m_minimum;
  // A range without extent shows a full-length thumb; nothing divides by zero.
  int length = span > 0 ? static_cast<int>(static_cast<double>(bar->m_page) / span * L) : L;
  if (length < 8) length = 8;
  const int range = bar->m_maximum - bar->m_page - bar->m_minimum;
  const int free = L - length;
  int offset = 0;
  if (range > 0 && free > 0)
    offset = static_cast<int>(static_cast<double>(bar->m_position - bar->m_minimum) / range * free);
  if (offset + length > L) offset = L - length;
  m_thumbLength = length;
  m_thumbOffset = offset;
}

void CGBar::DrawPlain(vt::DeviceContext* dc, bool horizontal) {
  const CGScrollBar* bar = Bar();
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
  if (bar->m_position < bar->m_minimum) {
    dc->FillSolidRect(r, GetForeColor());
    return;
  }
  ComputeThumb(horizontal ? r.Width() : r.Height());
  if (m_thumbOffset < 0) return;
  const vt::Rect thumb =
      horizontal ? vt::Rect{r.left + m_thumbOffset, r.top, r.left + m_thumbOffset + m_thumbLength, r.bottom}
                 : vt::Rect{r.left, r.top + m_thumbOffset, r.right, r.top + m_thumbOffset + m_thumbLength};
  const vt::ColorRef c = GetForeColor();
  const BevelColors bevel = GetBevelColors(c);
  FillBevelRect(dc, thumb, m_bevelWidth, c, bevel.highlight, bevel.shadow);
}

void CGBar::PageStep() {
  CGScrollBar* bar = Bar();
  if (!bar) return;
  if (g_scrollDrag.mode == 2)
    bar->SetValue(std::min(bar->m_position + bar->m_page, g_scrollDrag.targetPosition));
  else
    bar->SetValue(std::max(bar->m_position - bar->m_page, g_scrollDrag.targetPosition));
  Redraw();
  Flush();
  bar->OnClick();
}

void CGBar::Press(int pos, int L) {
  CGScrollBar* bar = Bar();
  if (!bar) return;
  const int free = L - m_thumbLength;
  const int range = bar->m_maximum - bar->m_page - bar->m_minimum;
  const double ratio = free > 0 ? static_cast<double>(pos) / free : 0.0;
  g_scrollDrag.targetPosition = static_cast<int>(ratio * range) - m_thumbLength + bar->m_minimum;
  if (m_thumbOffset < 0)
    g_scrollDrag.mode = 0;
  else if (pos < m_thumbOffset)
    g_scrollDrag.mode = 3;
  else if (pos > m_thumbOffset + m_thumbLength)
    g_scrollDrag.mode = 2;
  else
    g_scrollDrag.mode = 1;
  if (g_scrollDrag.mode == 1) {
    g_scrollDrag.offset = pos - m_thumbOffset;
    m_pressed = 1;
  } else if (g_scrollDrag.mode >= 2) {
    PageStep();
    StartRepeatTimer(kTrackRepeatMilliseconds);
  }
}

void CGBar::Move(int pos, int L) {
  CGScrollBar* bar = Bar();
  if (!bar || g_scrollDrag.mode != 1) return;
  const int free = L - m_thumbLength;
  const int range = bar->m_maximum - bar->m_page - bar->m_minimum;
  const double ratio = free > 0 ? static_cast<double>(pos - g_scrollDrag.offset) / free : 0.0;
  const int newPos = bar->m_minimum + static_cast<int>(ratio * range);
  if (newPos == bar->m_position) return;
  bar->SetValue(newPos);
  Redraw();
  Flush();
  bar->OnClick();
}

void CGBar::Release() {
  if (g_repeatTimer) KillRepeatTimer();
  m_pressed = 0;
  g_scrollDrag = vt::SGScrollDrag{};
}

void CGBar::OnTimer(uint32_t id) {
  if (id != vt::GTIMER_REPEAT || (g_scrollDrag.mode != 2 && g_scrollDrag.mode != 3)) return;
  PageStep();
}

const SGClassInfo* CGVBar::GetClassInfo() const { return GCLASS(CGVBar); }

void CGVBar::Draw(vt::DeviceContext* dc) {
  if (IsKindOfClass(GetParent(), GCLASS(CGVScrollBar))) DrawPlain(dc, false);
}

void CGVBar::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x;
  Press(ToChild(x, y).y, m_rect.Height());
}

void CGVBar::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  Release();
}

void CGVBar::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  Move(ToChild(x, y).y, m_rect.Height());
}

const SGClassInfo* CGHBar::GetClassInfo() const { return GCLASS(CGHBar); }

void CGHBar::Draw(vt::DeviceContext* dc) {
  if (IsKindOfClass(GetParent(), GCLASS(CGHScrollBar))) DrawPlain(dc, true);
}

void CGHBar::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  Press(ToChild(x, y).x, m_rect.Width());
}

void CGHBar::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  Release();
}

void CGHBar::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  Move(ToChild(x, y).x, m_rect.Width());
}

// ---- arrow buttons ----

CGScrollButton::CGScrollButton(CGCore* parent, int frameType, int repeatInterval)
    : CGButton(parent, 0, 0, 0, GSTYLE_ACTIVE, 0, 0, frameType), m_repeatInterval(repeatInterval) {}

CGScrollButton::~CGScrollButton() {
  if (IsKindOfClass(GetParent(), GCLASS(CGScrollBar)))
    static_cast<CGScrollBar*>(GetParent())->ForgetPart(this);
}

const SGClassInfo* CGScrollButton::GetClassInfo() const { return GCLASS(CGScrollButton); }

bool CGScrollButton::IsHeld() const {
  const CGPrimitive* p = ParentPrimitive();
  return p && p->GetCaptured() == this;
}

void CGScrollButton::Draw(vt::DeviceContext* dc) {
  ClipToVisibleRect(dc);
  if (HasEffectiveStyle(GSTYLE_ACTIVE) && IsHeld())
    DrawPressed(dc);
  else
    DrawNormal(dc);
}

vt::ColorRef CGScrollButton::GetBackColor() const {
  if (IsKindOfClass(GetParent(), GCLASS(CGScrollBar)))
    return static_cast<CGScrollBar*>(GetParent())->GetTrackColor();
  return 0x02C0C0C0;
}

void CGScrollButton::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  CGButton::OnLButtonDown(flags, x, y);
  OnClick();
  // No first delay: the second step comes one period after the press.
  if (!g_repeatTimer) StartRepeatTimer(static_cast<uint32_t>(m_repeatInterval));
}

void CGScrollButton::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  if (HasEffectiveStyle(GSTYLE_ACTIVE)) ShowInBackBuffer(&CGButton::DrawNormal);
  if (g_repeatTimer) KillRepeatTimer();
}

void CGScrollButton::OnTimer(uint32_t id) {
  if (id == vt::GTIMER_REPEAT && HasEffectiveStyle(GSTYLE_ACTIVE)) OnClick();
}

void CGScrollButton::ArrowPoints(const vt::Rect& r, vt::Point out[3]) const {
  (void)r;
  out[0] = out[1] = out[2] = vt::Point{};
}

void CGScrollButton::DrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  if (m_frameType == 1) {
    FillBevelRect(dc, r, 1, c, 0x02FFFFFF, 0x029C9C9C);
  } else if (m_frameType == 2) {
    FillBevelRect(dc, r, 1, c, 0x02CACACA, 0x02000000);
    DrawBevelLines(dc, 1, 0x02FFFFFF, 0x029C9C9C, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  }
  vt::Point p[3];
  ArrowPoints(r, p);
  DrawFilledPolygon(dc, p, 3, 0x02CA9696, 0x02000000);
}

void CGScrollButton::DrawPressed(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  const vt::ColorRef d = DarkenColor(c);
  FillBevelRect(dc, r, 1, c, d, d);
  vt::Point p[3];
  ArrowPoints(r, p);
  DrawFilledPolygon(dc, p, 3, 0x02000000, 0x02000000);
}

void CGScrollButton::StepBar(int delta) {
  if (!IsKindOfClass(GetParent(), GCLASS(CGScrollBar))) return;
  auto* bar = static_cast<CGScrollBar*>(GetParent());
  bar->SetValue(bar->m_position + delta);
  if (bar->m_thumb) {
    bar->m_thumb->Redraw();
    bar->m_thumb->Flush();
  }
  bar->OnClick();
}

namespace {
struct ArrowGeometry {
  int cx, cy, a, b;
};
ArrowGeometry Arrow(const vt::Rect& r) {
  const int s = std::min(r.Width(), r.Height());
  return ArrowGeometry{(r.left + r.right) / 2, (r.top + r.bottom) / 2, static_cast<int>(0.25 * s),
                       static_cast<int>(0.3 * s)};
}
CGScrollBar* OwnBar(CGCore* parent, const SGClassInfo* cls) {
  return IsKindOfClass(parent, cls) ? static_cast<CGScrollBar*>(parent) : nullptr;
}
}  // namespace

CGScrollUpButton::CGScrollUpButton(CGCore* bar, int frameType, int repeatInterval)
    : CGScrollButton(bar, frameType, repeatInterval) {
  if (CGScrollBar* b = OwnBar(bar, GCLASS(CGVScrollBar))) b->RegisterFirstButton(this);
}
const SGClassInfo* CGScrollUpButton::GetClassInfo() const { return GCLASS(CGScrollUpButton); }
void CGScrollUpButton::OnClick() {
  if (auto* bar = OwnBar(GetParent(), GCLASS(CGScrollBar))) StepBar(-bar->m_step);
}
void CGScrollUpButton::ArrowPoints(const vt::Rect& r, vt::Point out[3]) const {
  const ArrowGeometry g = Arrow(r);
  out[0] = {g.cx, g.cy - g.a};
  out[1] = {g.cx - g.b, g.cy + g.a};
  out[2] = {g.cx + g.b, g.cy + g.a};
}

CGScrollDownButton::CGScrollDownButton(CGCore* bar, int frameType, int repeatInterval)
    : CGScrollButton(bar, frameType, repeatInterval) {
  if (CGScrollBar* b = OwnBar(bar, GCLASS(CGVScrollBar))) b->RegisterSecondButton(this);
}
const SGClassInfo* CGScrollDownButton::GetClassInfo() const { return GCLASS(CGScrollDownButton); }
void CGScrollDownButton::OnClick() {
  if (auto* bar = OwnBar(GetParent(), GCLASS(CGScrollBar))) StepBar(bar->m_step);
}
void CGScrollDownButton::ArrowPoints(const vt::Rect& r, vt::Point out[3]) const {
  const ArrowGeometry g = Arrow(r);
  out[0] = {g.cx, g.cy + g.a};
  out[1] = {g.cx - g.b, g.cy - g.a};
  out[2] = {g.cx + g.b, g.cy - g.a};
}

CGScrollLeftButton::CGScrollLeftButton(CGCore* bar, int frameType, int repeatInterval)
    : CGScrollButton(bar, frameType, repeatInterval) {
  if (CGScrollBar* b = OwnBar(bar, GCLASS(CGHScrollBar))) b->RegisterFirstButton(this);
}
const SGClassInfo* CGScrollLeftButton::GetClassInfo() const { return GCLASS(CGScrollLeftButton); }
void CGScrollLeftButton::OnClick() {
  if (auto* bar = OwnBar(GetParent(), GCLASS(CGScrollBar))) {
    StepBar(-bar->m_step);
    FireEvent(GEVENT_CLICKED);
  }
}
void CGScrollLeftButton::ArrowPoints(const vt::Rect& r, vt::Point out[3]) const {
  const ArrowGeometry g = Arrow(r);
  out[0] = {g.cx - g.a, g.cy};
  out[1] = {g.cx + g.a, g.cy - g.b};
  out[2] = {g.cx + g.a, g.cy + g.b};
}

CGScrollRightButton::CGScrollRightButton(CGCore* bar, int frameType, int repeatInterval)
    : CGScrollButton(bar, frameType, repeatInterval) {
  if (CGScrollBar* b = OwnBar(bar, GCLASS(CGHScrollBar))) b->RegisterSecondButton(this);
}
const SGClassInfo* CGScrollRightButton::GetClassInfo() const { return GCLASS(CGScrollRightButton); }
void CGScrollRightButton::OnClick() {
  if (auto* bar = OwnBar(GetParent(), GCLASS(CGScrollBar))) {
    StepBar(bar->m_step);
    FireEvent(GEVENT_CLICKED);
  }
}
void CGScrollRightButton::ArrowPoints(const vt::Rect& r, vt::Point out[3]) const {
  const ArrowGeometry g = Arrow(r);
  out[0] = {g.cx + g.a, g.cy};
  out[1] = {g.cx - g.a, g.cy - g.b};
  out[2] = {g.cx - g.a, g.cy + g.b};
}

// Skinned and thin scroll bars with their thumbs and arrow buttons (see GSkScrollBar.h).
#include "gadget/GSkScrollBar.h"

#include <algorithm>
#include <new>

#include "gadget/GDraw.h"
#include "platform/gui/DeviceContext.h"

namespace {
vt::SGThumbSkin g_vBarSkin, g_hBarSkin, g_vThinBarSkin, g_hThinBarSkin;
vt::SGArrowSkin g_upSkin, g_downSkin, g_leftSkin, g_rightSkin;
vt::SGArrowSkin g_thinUpSkin, g_thinDownSkin, g_thinLeftSkin, g_thinRightSkin;

vt::SGThumbSkin ReadThumbSkin(const unsigned char* block) {
  vt::SGThumbSkin s;
  s.thumb = ReadSkinCell(block, 0);
  s.track = ReadSkinCell(block, kSkinCellBytes);
  PreloadSkinBitmap(s.thumb.imageId);
  PreloadSkinBitmap(s.thumb.maskId);
  PreloadSkinBitmap(s.track.imageId);
  PreloadSkinBitmap(s.track.maskId);
  return s;
}

template <class T>
bool MakePart(const char* what, CGCore* parent, int arg) {
  T* part = new (std::nothrow) T(parent, arg, 50);
  CheckAllocation(what, part);
  return part != nullptr;
}

template <class T>
bool MakeThumb(CGCore* parent, int bevel) {
  T* part = new (std::nothrow) T(parent, bevel);
  CheckAllocation("scroll bar", part);
  return part != nullptr;
}

template <class First, class Second, class Thumb>
int BuildParts(CGCore* bar, int frameType) {
  const bool a = MakePart<First>("scroll button", bar, frameType);
  const bool b = MakePart<Second>("scroll button", bar, frameType);
  const bool c = MakeThumb<Thumb>(bar, frameType);
  return a && b && c ? 0 : 1;
}

// The parts edge to edge along y: buttons `len` long (W or 2W), the track between them.
void LayoutVertical(CGScrollBar* bar, int len) {
  const int W = bar->Rect().Width(), H = bar->Rect().Height();
  if (bar->m_firstButton) bar->m_firstButton->SetBounds(0, 0, W, len);
  if (bar->m_secondButton) bar->m_secondButton->SetBounds(0, H - len, W, len);
  if (bar->m_thumb)
    bar->m_thumb->SetBounds(0, bar->m_firstButton ? len : 0, W, std::max(H - len * bar->ButtonCount(), 0));
}

void LayoutHorizontal(CGScrollBar* bar, int len) {
  const int W = bar->Rect().Width(), H = bar->Rect().Height();
  if (bar->m_firstButton) bar->m_firstButton->SetBounds(0, 0, len, H);
  if (bar->m_secondButton) bar->m_secondButton->SetBounds(W - len, 0, len, H);
  if (bar->m_thumb)
    bar->m_thumb->SetBounds(bar->m_firstButton ? len : 0, 0, std::max(W - len * bar->ButtonCount(), 0), H);
}

int StateOf(int style, int pressed) { return !(style & GSTYLE_ENABLED) ? 1 : (pressed ? 2 : 0); }
}  // namespace

void SetSkVBarSkin(const unsigned char* block) { g_vBarSkin = ReadThumbSkin(block); }
void SetSkHBarSkin(const unsigned char* block) { g_hBarSkin = ReadThumbSkin(block); }
const vt::SGThumbSkin& GetSkHBarSkin() { return g_hBarSkin; }
void SetSkVThinBarSkin(const unsigned char* block) { g_vThinBarSkin = ReadThumbSkin(block); }
void SetSkHThinBarSkin(const unsigned char* block) { g_hThinBarSkin = ReadThumbSkin(block); }
void SetSkScrollUpButtonSkin(const unsigned char* block) { g_upSkin = ReadArrowSkin(block); }
void SetSkScrollDownButtonSkin(const unsigned char* block) { g_downSkin = ReadArrowSkin(block); }
void SetSkScrollLeftButtonSkin(const unsigned char* block) { g_leftSkin = ReadArrowSkin(block); }
void SetSkScrollRightButtonSkin(const unsigned char* block) { g_rightSkin = ReadArrowSkin(block); }
void SetSkThinScrollUpButtonSkin(const unsigned char* block) { g_thinUpSkin = ReadArrowSkin(block); }
void SetSkThinScrollDownButtonSkin(const unsigned char* block) { g_thinDownSkin = ReadArrowSkin(block); }
void SetSkThinScrollLeftButtonSkin(const unsigned char* block) { g_thinLeftSkin = ReadArrowSkin(block); }
void SetSkThinScrollRightButtonSkin(const unsigned char* block) { g_thinRightSkin = ReadArrowSkin(block); }

// ---- bars ----

const SGClassInfo* CGSkVScrollBar::GetClassInfo() const { return GCLASS(CGSkVScrollBar); }
void CGSkVScrollBar::Layout() { LayoutVertical(this, m_rect.Width()); }
int CGSkVScrollBar::Build(int frameType) {
  return BuildParts<CGSkScrollUpButton, CGSkScrollDownButton, CGSkVBar>(this, frameType);
}

const SGClassInfo* CGSkHScrollBar::GetClassInfo() const { return GCLASS(CGSkHScrollBar); }
void CGSkHScrollBar::Layout() { LayoutHorizontal(this, m_rect.Height()); }
int CGSkHScrollBar::Build(int frameType) {
  return BuildParts<CGSkScrollLeftButton, CGSkScrollRightButton, CGSkHBar>(this, frameType);
}

const SGClassInfo* CGSkVThinScrollBar::GetClassInfo() const { return GCLASS(CGSkVThinScrollBar); }
void CGSkVThinScrollBar::Layout() { LayoutVertical(this, 2 * m_rect.Width()); }
int CGSkVThinScrollBar::Build(int frameType) {
  return BuildParts<CGSkThinScrollUpButton, CGSkThinScrollDownButton, CGSkVThinBar>(this, frameType);
}

const SGClassInfo* CGSkHThinScrollBar::GetClassInfo() const { return GCLASS(CGSkHThinScrollBar); }
void CGSkHThinScrollBar::Layout() { LayoutHorizontal(this, 2 * m_rect.Height()); }
int CGSkHThinScrollBar::Build(int frameType) {
  return BuildParts<CGSkThinScrollLeftButton, CGSkThinScrollRightButton, CGSkHThinBar>(this, frameType);
}

// ---- thumbs ----

namespace {
// Track cell over the whole track, then the thumb cell over the thumb, both with one state.
template <class Self>
void DrawSkinnedThumb(Self* self, vt::DeviceContext* dc, int style, int pressed, const vt::SGThumbSkin& skin,
                      const SGClassInfo* barClass, bool horizontal) {
  if (!IsKindOfClass(self->GetParent(), barClass)) return;
  const CGScrollBar* bar = self->Bar();
  const int state = StateOf(style, pressed);
  vt::Rect r;
  self->GetAbsoluteRect(&r);
  dc->FillSolidRect(r, self->GetBackColor());
  DrawSkinCell(dc, skin.track, state, r);
  if (bar->m_position < bar->m_minimum) return;
  self->ComputeThumbFor(horizontal ? r.Width() : r.Height());
  if (self->m_thumbOffset < 0) return;
  const int a = self->m_thumbOffset, b = self->m_thumbOffset + self->m_thumbLength;
  const vt::Rect thumb = horizontal ? vt::Rect{r.left + a, r.top, r.left + b, r.bottom}
                                    : vt::Rect{r.left, r.top + a, r.right, r.top + b};
  DrawSkinCell(dc, skin.thumb, state, thumb);
}
}  // namespace

#define GADGET_SKINNED_THUMB_BODY(Name, Base, Skin, BarClass, Horizontal)                   \
  const SGClassInfo* Name::GetClassInfo() const { return GCLASS(Name); }                    \
  void Name::Draw(vt::DeviceContext* dc) { DrawState(dc, GetEffectiveStyle(), m_pressed); } \
  void Name::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {                          \
    Base::OnLButtonDown(flags, x, y);                                                       \
    if (g_scrollDrag.mode == 1) {                                                           \
      Redraw();                                                                             \
      Flush();                                                                              \
    }                                                                                       \
  }                                                                                         \
  void Name::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {                            \
    Base::OnLButtonUp(flags, x, y);                                                         \
    Redraw();                                                                               \
    Flush();                                                                                \
  }                                                                                         \
  void Name::DrawState(vt::DeviceContext* dc, int style, int pressed) {                     \
    DrawSkinnedThumb(this, dc, style, pressed, Skin, GCLASS(BarClass), Horizontal);         \
  }
GADGET_SKINNED_THUMB_BODY(CGSkVBar, CGVBar, g_vBarSkin, CGVScrollBar, false)
GADGET_SKINNED_THUMB_BODY(CGSkHBar, CGHBar, g_hBarSkin, CGHScrollBar, true)
GADGET_SKINNED_THUMB_BODY(CGSkVThinBar, CGVBar, g_vThinBarSkin, CGVScrollBar, false)
GADGET_SKINNED_THUMB_BODY(CGSkHThinBar, CGHBar, g_hThinBarSkin, CGHScrollBar, true)
#undef GADGET_SKINNED_THUMB_BODY

// ---- arrow buttons ----

namespace {
void DrawSkinnedArrow(CGScrollButton* b, vt::DeviceContext* dc, const vt::SGArrowSkin& skin, int state) {
  b->ClipToVisibleRect(dc);
  vt::Rect r;
  b->GetAbsoluteRect(&r);
  dc->FillSolidRect(r, b->GetBackColor());
  DrawArrowSkin(dc, skin, state, r);
}
}  // namespace

#define GADGET_SKINNED_ARROW_BODY(Name, Skin)                                    \
  const SGClassInfo* Name::GetClassInfo() const { return GCLASS(Name); }         \
  void Name::DrawNormal(vt::DeviceContext* dc) {                                 \
    DrawSkinnedArrow(this, dc, Skin, HasEffectiveStyle(GSTYLE_ENABLED) ? 0 : 1); \
  }                                                                              \
  void Name::DrawPressed(vt::DeviceContext* dc) { DrawSkinnedArrow(this, dc, Skin, 2); }
GADGET_SKINNED_ARROW_BODY(CGSkScrollUpButton, g_upSkin)
GADGET_SKINNED_ARROW_BODY(CGSkScrollDownButton, g_downSkin)
GADGET_SKINNED_ARROW_BODY(CGSkScrollLeftButton, g_leftSkin)
GADGET_SKINNED_ARROW_BODY(CGSkScrollRightButton, g_rightSkin)
GADGET_SKINNED_ARROW_BODY(CGSkThinScrollUpButton, g_thinUpSkin)
GADGET_SKINNED_ARROW_BODY(CGSkThinScrollDownButton, g_thinDownSkin)
GADGET_SKINNED_ARROW_BODY(CGSkThinScrollLeftButton, g_thinLeftSkin)
GADGET_SKINNED_ARROW_BODY(CGSkThinScrollRightButton, g_thinRightSkin)
#undef GADGET_SKINNED_ARROW_BODY

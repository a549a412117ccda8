// The 64-bit display, the volume's range and stepping with auto-repeat, and the skinned looks.
#include "gadget/GDigitalVolume.h"

#include <cinttypes>
#include <cstdio>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "platform/gui/DeviceContext.h"

namespace {

const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }
CGFont* Pool(int h) { return g_rootMaster ? g_rootMaster->GetFont(h, 0, 0) : nullptr; }

// The skinned arrow: button cell and glyph cell of one state (0 normal, 1 disabled, 2 pressed).
void DrawSkinArrow(vt::DeviceContext* dc, const vt::Rect& r, const vt::SGSkinBlock& skin, int cell) {
  if (const vt::Bitmap* button = skin.Image(0))
    DrawNineSliceCell(dc, button, skin.Image(1), cell, skin.Int(8), skin.Int(12), skin.Int(16), skin.Int(20),
                      skin.Int(24), skin.Int(28), r);
  if (const vt::Bitmap* glyph = skin.Image(2))
    DrawBitmapCellBlended(dc, r, glyph, skin.Image(3), cell, skin.Int(40), skin.Int(44));
}

}  // namespace

// ---- CGInt64Digital ----

CGInt64Digital::CGInt64Digital(CGCore* parent, int left, int top, int height, int id, int style)
    : CGPrimitive(parent, left, top, id, style, 100, height), m_font(Pool(14)) {}

const SGClassInfo* CGInt64Digital::GetClassInfo() const { return GCLASS(CGInt64Digital); }

void CGInt64Digital::GetEditText(std::string* out) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%" PRId64, m_value);
  *out = buffer;
}

void CGInt64Digital::SetEditText(const std::string& text) { SetValue(ParseInt64(text)); }

void CGInt64Digital::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  FillBevelRect(dc, r, m_frameWidth, m_fillColor, m_topLeftEdge, m_bottomRightEdge);
  if (m_style & GSTYLE_MASKED) return;
  std::string text;
  GetEditText(&text);
  DrawAlignedText(dc, vt::Rect{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4}, m_alignment, m_textColor,
                  FontOf(m_font), text);
}

void CGInt64Digital::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  DrawBevelLines(dc, 1, 0x02000000, 0x02000000, r.left, r.top, r.right, r.bottom);
  if (m_style & GSTYLE_MASKED) return;
  const int scale = GetPrintScale();
  m_printFont = Pool(scale * (m_fontHeight - 2));
  std::string text;
  GetEditText(&text);
  const int inset = 2 * scale;
  DrawAlignedText(dc, vt::Rect{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset}, kAlignRight,
                  0x02000000, FontOf(m_printFont), text);
}

// ---- CGVolumeButton ----

CGVolumeButton::CGVolumeButton(CGCore* parent) : CGButton(parent, 0, 0, 0, GSTYLE_ACTIVE, 0, 0, 1) {}

void CGVolumeButton::Draw(vt::DeviceContext* dc) {
  CGPrimitive* parent = ParentPrimitive();
  if (parent && parent->GetCaptured() == this)
    DrawPressed(dc);
  else
    DrawNormal(dc);
}

void CGVolumeButton::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (!IsActive()) return;
  CGButton::OnLButtonDown(flags, x, y);
  OnClick();
  if (g_repeatTimer == 0) StartRepeatTimer(100);
}

void CGVolumeButton::OnTimer(uint32_t id) {
  if (IsActive() && id == vt::GTIMER_REPEAT) OnClick();
}

void CGVolumeButton::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  if (IsActive()) ShowInBackBuffer(&CGButton::DrawNormal);
  if (g_repeatTimer != 0) KillRepeatTimer();
}

void CGVolumeButton::Step(int delta) {
  CGCore* parent = GetParent();
  if (!IsKindOfClass(parent, GCLASS(CGDigitalVolume64))) return;
  auto* volume = static_cast<CGDigitalVolume64*>(parent);
  int64_t old = 0;
  volume->GetValue(&old);
  // The step stops at the ends of the 64-bit range instead of wrapping round.
  const int64_t wanted = delta > 0 ? (old == INT64_MAX ? old : old + 1) : (old == INT64_MIN ? old : old - 1);
  volume->SetValue(wanted);
  int64_t now = 0;
  volume->GetValue(&now);
  if (now == old) return;
  if (CGRoot* root = GetRootGadget(); root && root->GetBackDCPtr()) {
    volume->Paint(root->GetBackDCPtr());
    volume->Flush();
  }
  volume->FireEvent(GEVENT_CHANGED);
}

void CGVolumeButton::DrawArrow(vt::DeviceContext* dc, bool up, bool pressed) {
  ClipToVisibleRect(dc);
  vt::Rect r;
  GetAbsoluteRect(&r);
  const int w = r.Width(), h = r.Height(), x0 = r.left, y0 = r.top;
  dc->FillSolidRect(r, 0x02C0C0C0);
  if (pressed)
    DrawBevelLines(dc, 1, 0x02000000, 0x02FFFFFF, r.left, r.top, r.right, r.bottom);
  else
    DrawBevelLines(dc, 1, 0x02FFFFFF, 0x02000000, r.left, r.top, r.right, r.bottom);
  const int shift = pressed ? 1 : 0;
  const int tipX = x0 + int(w * 0.5) + shift;
  const int tipY = y0 + int(h * (up ? 0.25 : 0.75)) + shift;
  const int baseY = y0 + int(h * (up ? 0.75 : 0.25)) + shift;
  const int half = int(w * 0.3);
  const vt::Point points[3] = {{tipX, tipY}, {tipX - half, baseY}, {tipX + half, baseY}};
  if (pressed) {
    DrawFilledPolygon(dc, points, 3, 0x02000000, 0x02000000);
  } else if (HasEffectiveStyle(GSTYLE_ENABLED)) {
    DrawFilledPolygon(dc, points, 3, 0x02CA9696, 0x02000000);
  } else {
    DrawLine(dc, 1, 0x025E5E5E, points[0].x, points[0].y, points[1].x, points[1].y);
    if (!up) DrawLine(dc, 1, 0x025E5E5E, points[1].x, points[1].y, points[2].x, points[2].y);
    if (up) DrawLine(dc, 1, 0x02FFFFFF, points[1].x, points[1].y, points[2].x, points[2].y);
    DrawLine(dc, 1, 0x02FFFFFF, points[2].x, points[2].y, points[0].x, points[0].y);
  }
}

const SGClassInfo* CGVolumeUpButton::GetClassInfo() const { return GCLASS(CGVolumeUpButton); }
const SGClassInfo* CGVolumeDownButton::GetClassInfo() const { return GCLASS(CGVolumeDownButton); }

// ---- CGDigitalVolume64 ----

CGDigitalVolume64::CGDigitalVolume64(CGCore* parent, int left, int top, int height, int id, int style)
    : CGInt64Digital(parent, left, top, height, id, style) {
  m_downButton = new CGVolumeDownButton(this);
  m_upButton = new CGVolumeUpButton(this);
}

const SGClassInfo* CGDigitalVolume64::GetClassInfo() const { return GCLASS(CGDigitalVolume64); }

void CGDigitalVolume64::SetValue(int64_t v) {
  if (v < m_minimum) v = m_minimum;
  if (v > m_maximum) v = m_maximum;
  m_value = v;
}

void CGDigitalVolume64::Layout() {
  if (!m_upButton || !m_downButton) return;
  const int h = m_rect.Height() / 2, s = h - 1, w = m_rect.Width();
  m_upButton->SetBounds(w - h, 1, s, s);
  m_downButton->SetBounds(w - h, h, s, s);
}

void CGDigitalVolume64::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  FillBevelRect(dc, r, 1, m_fillColor, m_topLeftEdge, m_bottomRightEdge);
  if (m_style & GSTYLE_MASKED) return;
  const int right = m_upButton ? r.left + m_upButton->Rect().left - 2 : r.right - 2;
  std::string text;
  GetEditText(&text);
  DrawAlignedText(dc, vt::Rect{r.left + 2, r.top + 2, right - 2, r.bottom - 2}, kAlignRight,
                  HasEffectiveStyle(GSTYLE_ENABLED) ? m_textColor : 0x02C0C0C0, FontOf(m_font), text);
}

// ---- skinned ----

const SGClassInfo* CGSkVolumeUpButton::GetClassInfo() const { return GCLASS(CGSkVolumeUpButton); }
const SGClassInfo* CGSkVolumeDownButton::GetClassInfo() const { return GCLASS(CGSkVolumeDownButton); }

namespace {

// Cell 2 pressed, 0 normal, 1 without the enabled bit; the button strip, then the glyph.
void DrawSkinnedArrowButton(CGPrimitive* button, vt::DeviceContext* dc, SkinReceiver receiver, int style,
                            int pressed) {
  button->ClipToVisibleRect(dc);
  vt::Rect r;
  button->GetAbsoluteRect(&r);
  dc->FillSolidRect(r, button->GetBackColor());
  const int cell = (style & GSTYLE_ENABLED) ? (pressed ? 2 : 0) : 1;
  DrawSkinArrow(dc, r, SkinBlock(receiver), cell);
}

}  // namespace

void CGSkVolumeUpButton::DrawState(vt::DeviceContext* dc, int style, int pressed) {
  DrawSkinnedArrowButton(this, dc, SkinReceiver::VolumeUpButton, style, pressed);
}

void CGSkVolumeDownButton::DrawState(vt::DeviceContext* dc, int style, int pressed) {
  DrawSkinnedArrowButton(this, dc, SkinReceiver::VolumeDownButton, style, pressed);
}

CGSkDigitalVolume64::CGSkDigitalVolume64(CGCore* parent, int left, int top, int height, int id, int style)
    : CGDigitalVolume64(parent, left, top, height, id, style) {
  delete m_downButton;
  delete m_upButton;
  m_downButton = new CGSkVolumeDownButton(this);
  m_upButton = new CGSkVolumeUpButton(this);
}

const SGClassInfo* CGSkDigitalVolume64::GetClassInfo() const { return GCLASS(CGSkDigitalVolume64); }

void CGSkDigitalVolume64::Draw(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::DigitalVolume64);
  const bool active = HasEffectiveStyle(GSTYLE_ACTIVE);
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef frame = skin.Colour(active ? 8 : 12);
  FillBevelRect(dc, r, 1, skin.Colour(active ? 0 : 4), frame, frame);
  if (m_style & GSTYLE_MASKED) return;
  const int right = m_upButton ? r.left + m_upButton->Rect().left - 2 : r.right - 2;
  std::string text;
  GetEditText(&text);
  DrawAlignedText(dc, vt::Rect{r.left + 2, r.top + 2, right - 2, r.bottom - 2}, kAlignRight,
                  skin.Colour(active ? 16 : 20), FontOf(m_font), text);
}

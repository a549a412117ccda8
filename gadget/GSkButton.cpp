// Skinned button looks: nine-slice faces, shadowed captions, icon strips.
#include "gadget/GSkButton.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"

namespace {
const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }
const vt::Bitmap* ImageOf(const CGBitmap* b) { return b ? b->GetBitmap() : nullptr; }
}  // namespace

// ---- CGSkPushButton ----

const SGClassInfo* CGSkPushButton::GetClassInfo() const { return GCLASS(CGSkPushButton); }

void CGSkPushButton::Draw(vt::DeviceContext* dc) {
  CGPrimitive* parent = ParentPrimitive();
  if (IsPressedUnderCursor())
    DrawPressed(dc);
  else if (IsActive() && parent && parent->GetHover() == this && parent->GetCaptured() != this)
    DrawAltNormal(dc);
  else
    DrawNormal(dc);
}

void CGSkPushButton::DrawLook(vt::DeviceContext* dc, int cell, int dx, int dy, vt::ColorRef colour) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::PushButton);
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
  if (const vt::Bitmap* face = skin.Image(0))
    DrawNineSliceCell(dc, face, skin.Image(1), cell, skin.Int(8), skin.Int(12), skin.Int(16), skin.Int(20),
                      skin.Int(24), skin.Int(28), r);
  if (m_caption.empty() || !FontOf(m_font)) return;
  const vt::Rect at = vt::OffsetRect(r, dx, dy);
  DrawAlignedText(dc, vt::OffsetRect(at, skin.Int(40), skin.Int(44)), kAlignCenter, skin.Colour(64),
                  FontOf(m_font), m_caption);
  DrawAlignedText(dc, at, kAlignCenter, colour, FontOf(m_font), m_caption);
}

void CGSkPushButton::DrawNormal(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::PushButton);
  const bool active = IsActive();
  DrawLook(dc, active ? 0 : 1, 0, 0, skin.Colour(active ? 48 : 52));
}

void CGSkPushButton::DrawPressed(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::PushButton);
  DrawLook(dc, 2, skin.Int(32), skin.Int(36), skin.Colour(56));
}

void CGSkPushButton::DrawAltNormal(vt::DeviceContext* dc) {
  DrawLook(dc, 3, 0, 0, SkinBlock(SkinReceiver::PushButton).Colour(60));
}

void CGSkPushButton::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActive()) return;
  if (HitTest(x, y, GSTYLE_VISIBLE)) {
    ShowInBackBuffer(&CGButton::DrawAltNormal);
    OnClick();
  } else {
    ShowInBackBuffer(&CGButton::DrawNormal);
  }
}

void CGSkPushButton::OnMouseEnter(int32_t x, int32_t y) {
  CGPushButton::OnMouseEnter(x, y);
  if (IsActive()) ShowInBackBuffer(&CGButton::DrawAltNormal);
}

void CGSkPushButton::OnMouseLeave(int32_t x, int32_t y) {
  CGPushButton::OnMouseLeave(x, y);
  if (IsActive()) ShowInBackBuffer(&CGButton::DrawNormal);
}

// ---- icon buttons ----

void DrawSkinnedIconLook(CGPrimitive* button, vt::DeviceContext* dc, const vt::SGIconCaption& icon, int cell,
                         SkinReceiver receiver, int frameType) {
  const vt::SGSkinBlock& skin = SkinBlock(receiver);
  vt::Rect r;
  button->GetAbsoluteRect(&r);
  const vt::ColorRef back = button->GetBackColor();
  dc->FillSolidRect(r, back);
  if (frameType > 0) {
    const BevelColors b = GetBevelColors(back);
    DrawBevelLines(dc, frameType, b.shadow, b.highlight, r.left, r.top, r.right, r.bottom);
  }
  const vt::Rect square{r.left, r.top, r.left + r.Height(), r.bottom};
  if (const vt::Bitmap* own = ImageOf(icon.image))
    DrawBitmapCellBlended(dc, square, own, ImageOf(icon.mask), cell, icon.cellWidth, icon.cellHeight);
  else if (const vt::Bitmap* strip = skin.Image(0))
    DrawBitmapCellBlended(dc, square, strip, skin.Image(1), cell, skin.Int(8), skin.Int(12));
  if (icon.caption.empty() || !FontOf(icon.font)) return;
  DrawAlignedText(dc, vt::Rect{square.right + 2, r.top, r.right, r.bottom}, kAlignLeft,
                  skin.Colour(cell < 2 ? 16 : 20), FontOf(icon.font), icon.caption);
}

const SGClassInfo* CGSkTogIconButton::GetClassInfo() const { return GCLASS(CGSkTogIconButton); }

void CGSkTogIconButton::DrawSkinLook(vt::DeviceContext* dc, int cell) {
  DrawSkinnedIconLook(this, dc, m_icon, cell, SkinReceiver::TogIconButton, 0);
}

const SGClassInfo* CGSkRadioIconButton::GetClassInfo() const { return GCLASS(CGSkRadioIconButton); }

void CGSkRadioIconButton::DrawSkinLook(vt::DeviceContext* dc, int cell) {
  DrawSkinnedIconLook(this, dc, m_icon, cell, SkinReceiver::RadioIconButton, cell == 1 ? m_frameType : 0);
}

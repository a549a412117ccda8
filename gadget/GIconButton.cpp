// The picture button (see GIconButton.h).
#include "gadget/GIconButton.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/DeviceContext.h"

namespace {
CGBitmap* Pooled(int id) { return id ? GetSharedBitmap(id) : nullptr; }
const vt::Bitmap* ImageOf(const CGBitmap* b) { return b ? b->GetBitmap() : nullptr; }
}  // namespace

CGIconButton::CGIconButton(CGCore* parent, int left, int top, int width, int height, int style, int normalId,
                           int pressedId)
    : CGButton(parent, left, top, 0, style, width, height, 0) {
  m_normalBitmap = Pooled(normalId);
  m_pressedBitmap = pressedId ? Pooled(pressedId) : m_normalBitmap;
  m_disabledBitmap = m_pressedBitmap;
}

CGIconButton::CGIconButton(CGCore* parent, int left, int top, int width, int height, int imageId, int maskId)
    : CGIconButton(parent, left, top, width, height, GSTYLE_ACTIVE, imageId, 0) {
  m_maskBitmap = Pooled(maskId);
}

const SGClassInfo* CGIconButton::GetClassInfo() const { return GCLASS(CGIconButton); }

vt::ColorRef CGIconButton::GetBackColor() const {
  const CGPrimitive* parent = ParentPrimitive();
  return parent ? parent->GetBackColor() : 0x02C0C0C0;
}

void CGIconButton::DrawPicture(vt::DeviceContext* dc, int n, CGBitmap* picture) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
  const vt::Bitmap* mask = ImageOf(m_maskBitmap);
  if (IsStrip()) {
    const vt::Bitmap* strip = ImageOf(m_normalBitmap);
    // A strip of no cells has no picture to show.
    if (!strip || Cells() < 1 || m_cellWidth <= 0 || m_cellHeight <= 0) return;
    DrawBitmapCellBlended(dc, r, strip, mask, n < Cells() - 1 ? n : Cells() - 1, m_cellWidth, m_cellHeight);
    return;
  }
  const vt::Bitmap* image = ImageOf(picture);
  if (!image) return;
  if (mask)
    DrawBitmapCellBlended(dc, r, image, mask, 0, image->Width(), image->Height());
  else
    DrawBitmapCentered(dc, r, image);
}

void CGIconButton::DrawNormal(vt::DeviceContext* dc) {
  ClipToVisibleRect(dc);
  if (OwnStyleActive())
    DrawPicture(dc, 0, m_normalBitmap);
  else
    DrawPicture(dc, 2, m_disabledBitmap);
  if (m_frameType == 0) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  DrawBevelLines(dc, 1, 0x02FFFFFF, 0x029C9C9C, r.left, r.top, r.right, r.bottom);
}

void CGIconButton::DrawPressed(vt::DeviceContext* dc) {
  ClipToVisibleRect(dc);
  DrawPicture(dc, 1, m_pressedBitmap);
  vt::Rect r;
  GetAbsoluteRect(&r);
  DrawBevelLines(dc, 1, 0x029C9C9C, 0x02FFFFFF, r.left, r.top, r.right, r.bottom);
}

void CGIconButton::OnMouseEnter(int32_t x, int32_t y) {
  CGButton::OnMouseEnter(x, y);
  if (m_frameType == 0 && OwnStyleActive())
    ShowInBackBuffer([this](vt::DeviceContext* dc) { DrawPicture(dc, 1, m_pressedBitmap); });
}

void CGIconButton::OnMouseLeave(int32_t x, int32_t y) {
  CGButton::OnMouseLeave(x, y);
  if (m_frameType == 0 && IsActive())
    ShowInBackBuffer([this](vt::DeviceContext* dc) { DrawPicture(dc, 0, m_normalBitmap); });
}

// The colour button (see GColorButton.h).
#include "gadget/GColorButton.h"

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/DeviceContext.h"

CGColorButton::CGColorButton(CGCore* parent, int left, int top, int id, int style, int width, int height,
                             int frameType)
    : CGButton(parent, left, top, id, style, width, height, frameType) {}

const SGClassInfo* CGColorButton::GetClassInfo() const { return GCLASS(CGColorButton); }

vt::ColorRef CGColorButton::GetBackColor() const {
  const CGPrimitive* parent = ParentPrimitive();
  return parent ? parent->GetBackColor() : 0x02000000;
}

void CGColorButton::Draw(vt::DeviceContext* dc) {
  FireEvent(GEVENT_COLORBUTTON_DRAW);
  DrawNormal(dc);
}

void CGColorButton::DrawSwatch(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  FillBevelRect(dc, vt::Rect{r.left + 3, r.top + 3, r.right - 4, r.bottom - 4}, 1, m_color, 0x02000000,
                0x02000000);
}

void CGColorButton::DrawFrame(vt::DeviceContext* dc, vt::ColorRef topLeft, vt::ColorRef bottomRight) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  DrawBevelLines(dc, m_frameType, topLeft, bottomRight, r.left, r.top, r.right - 1, r.bottom - 1);
}

void CGColorButton::DrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
  DrawSwatch(dc);
}

void CGColorButton::DrawPressed(vt::DeviceContext* dc) {
  const BevelColors b = GetBevelColors(GetBackColor());
  DrawFrame(dc, b.shadow, b.highlight);
  DrawSwatch(dc);
}

void CGColorButton::OnMouseEnter(int32_t x, int32_t y) {
  CGButton::OnMouseEnter(x, y);
  const BevelColors b = GetBevelColors(GetBackColor());
  ShowInBackBuffer([this, b](vt::DeviceContext* dc) { DrawFrame(dc, b.highlight, b.shadow); });
}

void CGColorButton::OnMouseLeave(int32_t x, int32_t y) {
  CGButton::OnMouseLeave(x, y);
  const vt::ColorRef back = GetBackColor();
  ShowInBackBuffer([this, back](vt::DeviceContext* dc) { DrawFrame(dc, back, back); });
}

void CGColorButton::OpenColorDialog(CGPrimitive* source, int code, void* data) {
  (void)code, (void)data;
  if (!source) return;
  const std::optional<vt::ColorRef> chosen = vt::CurrentDesktop().ChooseColor(0, source->GetForeColor());
  if (!chosen) return;
  source->SetForeColor(*chosen);
  source->Redraw();
  source->Flush();
}

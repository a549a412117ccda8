// The group gadget (see GGroup.h).
#include "gadget/GGroup.h"

#include "gadget/GDraw.h"
#include "platform/gui/DeviceContext.h"

CGGroup::CGGroup(CGCore* parent, int left, int top, int id, int style, int width, int height, int frameStyle,
                 int opaque, vt::ColorRef backColor)
    : CGPrimitive(parent, left, top, id, style, width, height),
      m_frameStyle(frameStyle),
      m_opaque(opaque),
      m_backColor(backColor) {}

const SGClassInfo* CGGroup::GetClassInfo() const { return GCLASS(CGGroup); }

void CGGroup::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const BevelColors bevel = GetBevelColors(m_backColor);
  if (!(m_frameStyle & kGroupDoubleFrame)) {
    const int w = m_frameStyle & 0xFFFF;
    if (m_opaque == 1) dc->FillSolidRect(r, GetBackColor());
    DrawBevelLines(dc, w, bevel.shadow, bevel.highlight, r.left, r.top, r.right, r.bottom);
    return;
  }
  const int h = (m_frameStyle >> 1) & 0x7FFF;
  if (m_opaque == 1) dc->FillSolidRect(r, GetBackColor());
  DrawBevelLines(dc, h, bevel.shadow, bevel.highlight, r.left, r.top, r.right, r.bottom);
  DrawBevelLines(dc, h, bevel.highlight, bevel.shadow, r.left + h, r.top + h, r.right - h, r.bottom - h);
}

vt::ColorRef CGGroup::GetBackColor() const {
  if (m_opaque && m_backColor != vt::kNoColor) return m_backColor;
  if (CGPrimitive* p = ParentPrimitive()) return p->GetBackColor();
  return m_backColor;
}

int CGGroup::SetOpaque(int opaque) {
  m_opaque = opaque;
  return 1;
}

void CGGroup::SetRange(int low, int high) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetRange(low, high);
}

void CGGroup::SetRange(double low, double high) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetRange(low, high);
}

void CGGroup::SetDataSource(void* source) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetDataSource(source);
}

int CGGroup::SetFontSize(int size) {
  int changed = 0;
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c))
    if (IsPrimitive(c) && static_cast<CGPrimitive*>(c)->SetFontSize(size) == 1) changed = 1;
  return changed;
}

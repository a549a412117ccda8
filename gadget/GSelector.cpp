// The selector group (see GSelector.h).
#include "gadget/GSelector.h"

CGSelector::CGSelector(CGCore* parent, int left, int top, int id, int style, int width, int height,
                       int keepSize)
    : CGGroup(parent, left, top, id, style, width, height), m_keepSize(keepSize) {}

const SGClassInfo* CGSelector::GetClassInfo() const { return GCLASS(CGSelector); }

void CGSelector::Select(int index) {
  m_selected = index;
  SetChildrenStyle(0);
  if (index >= CountChildren()) return;
  CGCore* c = GetChildAt(index < 0 ? 0 : index);
  if (!IsPrimitive(c)) return;
  auto* child = static_cast<CGPrimitive*>(c);
  child->SetStyle(GSTYLE_ACTIVE);
  child->LayoutTree();
  if (!m_keepSize) SetSize(child->Rect().Width(), child->Rect().Height());
}

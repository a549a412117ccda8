// The generic graph and graph screen (see Graph.h).
#include "trend/Graph.h"

#include <algorithm>

#include "platform/gui/DeviceContext.h"

void CGGraphScreen::FitContent() {
  m_contentWidth = 0;
  m_scrollX = 0;
  m_contentHeight = m_rect.Height();
}

void CGGraphScreen::SetTraceStyle(int index, int style) {
  if (index < 0) return;
  if (CGCore* trace = GetChildOfClassAt(GCLASS(CGGraphData), index))
    static_cast<CGPrimitive*>(trace)->SetStyle(style);
}

void CGGraphScreen::ClipToColumns(vt::DeviceContext* dc, int x, int width) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  const vt::Rect clip{std::clamp(a.left + x, a.left, a.right), a.top,
                      std::clamp(a.left + x + width, a.left, a.right), a.bottom};
  dc->SelectClipRect(&clip);
}

void CGGraphScreen::ClearDataSources() {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGGraphData))) static_cast<CGPrimitive*>(c)->SetDataSource(nullptr);
}

CGGraph::CGGraph(CGCore* parent) : CGScrollManager(parent, 0, 0, 0, 3, 0, 0, 0, 20) {}

int CGGraph::SetFontSize(int size) {
  if (size == m_fontSize) return 0;
  m_fontSize = size;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetFontSize(size);
  return 1;
}

void CGGraph::SetTraceStyle(int index, int style) {
  if (CGGraphScreen* screen = GraphScreen()) screen->SetTraceStyle(index, style);
}

int CGGraph::SetTraceThickness(int width) {
  m_traceThickness = width;
  return 1;
}

// The axis base: fonts from the root master's pool and the visible rectangles of an axis.
#include "trend/Axis.h"

#include "platform/gui/DeviceContext.h"

#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "trend/NgDrawing.h"

int g_printInColour = 1;

CGAxis::CGAxis(CGCore* parent, int left, int top, int width, int height, int style, vt::ColorRef colour)
    : CGPrimitive(parent, left, top, 0, style, width, height), m_colour(colour) {
  m_font = GetSharedFont(m_fontHeight, 0, 0);
}

bool CGAxis::GetVisibleRect(vt::Rect* out) const {
  const CGPrimitive* parent = ParentPrimitive();
  if (!parent) return CGPrimitive::GetVisibleRect(out);
  parent->GetVisibleRect(out);
  if (!out->IsEmpty()) *out = vt::Rect{out->left + 1, out->top + 1, out->right - 1, out->bottom - 1};
  return !out->IsEmpty();
}

void CGAxis::Paint(vt::DeviceContext* dc) { vt::NgPaintInVisibleRect(this, dc); }

bool CGAxis::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* parent = ParentPrimitive();
  return parent ? parent->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

int CGAxis::SetFontSize(int height) {
  m_fontHeight = height;
  m_font = GetSharedFont(height, 0, 0);
  return 1;
}

void CGAxis::ScalePrintRects(int scale) {
  CGPrimitive::ScalePrintRects(scale);
  m_printFont = GetSharedFont(scale * (m_fontHeight - 2), 0, 0);
}

const vt::Font* CGAxis::LabelFont() const { return m_font ? m_font->GetFont() : nullptr; }
const vt::Font* CGAxis::PrintLabelFont() const { return m_printFont ? m_printFont->GetFont() : nullptr; }

int CGAxis::DrawGridLevel(vt::DeviceContext*, int, int, int, vt::ColorRef) { return 0; }
int CGAxis::DrawGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour) {
  return DrawGridLevel(dc, 0, from, to, colour);
}
int CGAxis::PrintGridLevel(vt::DeviceContext*, int, int, int, vt::ColorRef) { return 0; }
int CGAxis::PrintGrid(vt::DeviceContext*, int, int, vt::ColorRef) { return 0; }

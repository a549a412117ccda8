// Cursor value boxes: texts, placement beside the line, the translucent box and its printout.
#include "trend/ValueBox.h"

#include <algorithm>
#include <cstdio>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Path.h"
#include "trend/NgChannel.h"
#include "trend/NgDrawing.h"

uint32_t g_cursorValueColours[3] = {0x5080C8C8, 0x5080C8C8, 0x5080C8C8};

void SetCursorValueOpacity(int percent) {
  percent = std::clamp(percent, 0, 100);
  const uint32_t alpha = uint32_t((1.0 - percent / 100.0) * 255.0);
  for (uint32_t& c : g_cursorValueColours) c = (c & 0x00FFFFFF) | (alpha << 24);
}

std::string FormatCursorValue(int state, double value, int decimals, int exponent) {
  if (state == 7) return "-OVER";
  if (state != 0) return "+OVER";
  char format[32], text[512];
  std::snprintf(format, sizeof format, "%%.%dl%c", std::max(decimals, 0), exponent ? 'e' : 'f');
  std::snprintf(text, sizeof text, format, value);
  std::string out = text;
  if (exponent) TrimExponentText(&out);
  return out;
}

namespace {
const vt::Font* FontOf(const CGFont* font) { return font ? font->GetFont() : nullptr; }
}  // namespace

CGNgCursorValue::CGNgCursorValue(CGCore* cursor, int top) : CGPrimitive(cursor, 20, top, 0, 0, 90, 45) {
  m_font = GetSharedFont(14, 0, 0);
}

bool CGNgCursorValue::IsPair() const { return m_channel && m_channel->GetDataKind() == DATA_PAIRS; }

bool CGNgCursorValue::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

void CGNgCursorValue::SetAnchor(int x, int y, int side) {
  m_anchorX = x, m_anchorY = y, m_side = side;
  m_name.clear();
  if (m_channel) m_channel->GetName(&m_name, m_nameKind);
}

void CGNgCursorValue::SetValue(int state, double value, int x, int y, int side) {
  SetAnchor(x, y, side);
  const int decimals = m_channel ? m_channel->GetDecimals() : 0;
  const int exponent = m_channel ? m_channel->IsExponent() : 0;
  m_first = FormatCursorValue(state, value, decimals, exponent);
}

void CGNgCursorValue::SetPair(int firstState, int secondState, double min, double max, int x, int y,
                              int side) {
  SetAnchor(x, y, side);
  const int decimals = m_channel ? m_channel->GetDecimals() : 0;
  const int exponent = m_channel ? m_channel->IsExponent() : 0;
  m_first = FormatCursorValue(firstState, min, decimals, exponent);
  m_second = FormatCursorValue(secondState, max, decimals, exponent);
}

void CGNgCursorValue::Layout() {
  const int h = IsPair() ? 45 : 30, w = m_rect.Width();
  SetBounds(m_side == 1 ? m_anchorX + 20 : m_anchorX - (w + 20), m_anchorY - h / 2, w, h);
}

void CGNgCursorValue::ScalePrintRects(int s) {
  m_printFont = GetSharedFont(14 * s, 0, 0);
  const int h = (IsPair() ? 45 : 30) * s, w = m_rect.Width();
  SetPrintBounds(m_side == 1 ? m_anchorX + 20 * s : m_anchorX - s * (w + 20), m_anchorY - h / 2, s * w, h);
}

void CGNgCursorValue::DrawRows(vt::DeviceContext* dc, const vt::Font* font, const vt::Rect& r, int s) {
  const int L = r.left, T = r.top, R = r.right;
  dc->FillSolidRect(vt::Rect{L + 3 * s, T + 3 * s, L + 13 * s, T + 13 * s}, 0x02000000);
  dc->FillSolidRect(vt::Rect{L + 3 * s + 1, T + 3 * s + 1, L + 13 * s - 1, T + 13 * s - 1}, m_colour);
  const vt::Size name = vt::NgTextExtent(dc, font, m_name);
  const int nameLeft = L + 16 * s, band = 16 * s;
  if (name.cx > R - nameLeft)
    DrawTextWithEllipsis(dc, vt::Rect{nameLeft, T, R - 6 * name.cy / 14, T + band}, font, 0x02000000, m_name);
  else
    DrawTextAt(font, dc, nameLeft, (T + T + band) / 2 - name.cy / 2, vt::kTaLeft | vt::kTaTop, 0x02000000,
               m_name);
  const uint32_t left = vt::kTaLeft | vt::kTaTop, right = vt::kTaRight | vt::kTaTop;
  if (!IsPair()) {
    DrawTextAt(font, dc, L + 3 * s, T + band, left, 0x02000000, "Val:");
    DrawTextAt(font, dc, R - 3 * s, T + band, right, 0x02000000, m_first);
    return;
  }
  DrawTextAt(font, dc, L + 3 * s, T + band, left, 0x02000000, "Max:");
  DrawTextAt(font, dc, R - 3 * s, T + band, right, 0x02000000, m_second);
  DrawTextAt(font, dc, L + 3 * s, T + 32 * s, left, 0x02000000, "Min:");
  DrawTextAt(font, dc, R - 3 * s, T + 32 * s, right, 0x02000000, m_first);
}

void CGNgCursorValue::Draw(vt::DeviceContext* dc) {
  if (!(m_style & GSTYLE_VISIBLE)) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillGradientRect(r, g_cursorValueColours[0], g_cursorValueColours[1]);
  vt::Path outline;
  outline.AddRectangle(r);
  dc->DrawPath(outline, g_cursorValueColours[2], 2.0f);
  DrawRows(dc, FontOf(m_font), r, 1);
}

void CGNgCursorValue::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  DrawSolidFrame(dc, r, 2, 1, 0x02000000, 0x02FFFFFF);
  DrawRows(dc, FontOf(m_printFont), r, GetPrintScale());
}

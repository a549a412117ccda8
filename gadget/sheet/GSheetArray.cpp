// The column base of a sheet (see GSheetArray.h).
#include "gadget/sheet/GSheetArray.h"

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetColumn.h"
#include "gadget/sheet/SheetCellColors.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/StringTable.h"

int CountTextCharacters(const std::string& text) {
  int n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

CGSheetArray::CGSheetArray(CGCore* parent, int id, int style, int lineStatesOn, int width, int cellFrameWidth,
                           int fontSize, const char* title)
    : CGSheetGadget(parent, 0, 0, id, style, width, 0),
      m_lineStatesOn(lineStatesOn),
      m_fontSize(fontSize),
      m_title(title ? title : ""),
      m_cellFrameWidth(cellFrameWidth) {
  InitLines();
}

CGSheetArray::CGSheetArray(CGCore* parent, int id, int lineStatesOn, int width, int cellFrameWidth,
                           int fontSize, uint32_t titleId)
    : CGSheetGadget(parent, 0, 0, id, GSTYLE_ACTIVE, width, 0),
      m_lineStatesOn(lineStatesOn),
      m_fontSize(fontSize),
      m_cellFrameWidth(cellFrameWidth) {
  m_title = vt::LoadString(titleId);
  InitLines();
}

void CGSheetArray::InitLines() {
  const CGSheet* sheet = GetSheet();
  m_lineCount = m_capacity = sheet ? std::max(0, sheet->m_lineCount) : 0;
  m_font = GetSharedFont(m_fontSize, 0, 0);
  if (m_lineStatesOn && m_lineCount > 0) m_lineStates.assign(static_cast<size_t>(m_lineCount), GSTYLE_ACTIVE);
}

const vt::Font* CGSheetArray::CellFont() const { return m_font ? m_font->GetFont() : nullptr; }

int CGSheetArray::FocusLine() const {
  const CGSheet* sheet = GetSheet();
  return sheet ? sheet->m_focusLine : -1;
}

vt::ColorRef CGSheetArray::FillCellFace(vt::DeviceContext* dc, int line, const vt::Rect& cell) const {
  using namespace vt::sheetcell;
  const vt::ColorRef face = IsLineSelected(line) ? kCellSelected : kCell;
  if (m_cellFrameWidth > 0)
    FillBevelRect(dc, cell, m_cellFrameWidth, face, kBlack, kBevelDark);
  else
    dc->FillSolidRect(InflateRect(cell, -1, -1), face);
  return face;
}

void CGSheetArray::SetFocusLine(int line) {
  if (CGSheet* sheet = GetSheet()) sheet->m_focusLine = line;
}

bool CGSheetArray::ArmLinePress(int32_t x, int32_t y) {
  SetFocusLine(LineAtPoint(x, y));
  g_pressedInside = HasLineState(FocusLine(), GSTYLE_ACTIVE) ? 1 : 0;
  return g_pressedInside != 0;
}

bool CGSheetArray::TrackLinePress(int32_t x, int32_t y) {
  const int focus = FocusLine();
  if (!HasLineState(focus, GSTYLE_ACTIVE)) return false;
  const int on = LineAtPoint(x, y) == focus ? 1 : 0;
  if (on == g_pressedInside) return false;
  g_pressedInside = on;
  return true;
}

void CGSheetArray::LayoutTree() {
  ForEachShownChild(this, [&](CGPrimitive* p) { p->LayoutTree(); });
  Layout();
}

int CGSheetArray::GetValue(double* out) {
  const int line = FocusLine();
  if (!InLines(line)) return 3;
  GetLineValue(line, out);
  return 0;
}

int CGSheetArray::GetValue(int* out) {
  const int line = FocusLine();
  if (!InLines(line)) return 3;
  GetLineIntValue(line, out);
  return 0;
}

void CGSheetArray::Activate(int on) {
  (void)on;
  if (FocusLine() < 0) SetFocusLine(0);
  ScrollToLine(FocusLine());
}

void CGSheetArray::GetEditText(std::string* out) {
  if (InLines(FocusLine())) GetLineValueText(FocusLine(), out);
}

void CGSheetArray::BeginEdit() {
  FireEvent(GEVENT_EDIT_BEGIN);
  const int line = FocusLine();
  vt::Rect r;
  GetLineRect(line, &r);
  std::string text;
  GetLineValueText(line, &text);
  if (m_style & GSTYLE_MASKED)
    EditWithPasswordEdit(r.left, r.top, r.right, r.bottom, CellFont(), text, 2);
  else
    EditWithTextEdit(r.left, r.top, r.right, r.bottom, CellFont(), text, 2);
}

int CGSheetArray::EndEdit(int closeCode) {
  int fired = 0;
  if (GetRootGadget()) {
    Redraw();
    Flush();
    fired = FireEvent(GEVENT_EDIT_END);
  }
  NavigateAfterEdit(closeCode);
  return fired;
}

void CGSheetArray::NavigateAfterEdit(int closeCode) {
  if (closeCode == kEditEndEnter || closeCode == kEditEndShiftEnter) {
    SetFocusLine(closeCode == kEditEndEnter ? NextActiveLine() : PreviousActiveLine());
    ScrollToLine(FocusLine());
    BeginEdit();
  } else {
    CarryEditOn(this, closeCode);
  }
}

void CGSheetArray::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  SetFocusLine(LineAtPoint(x, y));
  if (HasLineState(FocusLine(), GSTYLE_ACTIVE)) CGSheetGadget::OnLButtonDown(flags, x, y);
}

void CGSheetArray::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (HasLineState(FocusLine(), GSTYLE_ACTIVE)) CGSheetGadget::OnLButtonUp(flags, x, y);
}

void CGSheetArray::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  SetFocusLine(LineAtPoint(x, y));
  if (HasLineState(FocusLine(), GSTYLE_ACTIVE)) CGSheetGadget::OnLButtonDblClk(flags, x, y);
}

void CGSheetArray::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (HasLineState(FocusLine(), GSTYLE_ACTIVE)) CGSheetGadget::OnMouseMove(flags, x, y);
}

void CGSheetArray::ApplyPrintScale(int scale) {
  ForEachShownChild(this, [&](CGPrimitive* p) { p->ApplyPrintScale(scale); });
  ScalePrintRects(scale);
}

void CGSheetArray::ScalePrintRects(int scale) {
  m_printFont = GetSharedFont(scale * (m_fontSize - 2), 0, 0);
  SetPrintWidth(scale * m_rect.Width());
}

void CGSheetArray::SetLineTextFromResource(int line, uint32_t id) { SetLineText(line, vt::LoadString(id)); }

void CGSheetArray::SetLineState(int line, int state) {
  if (m_lineStatesOn && InLines(line) && line < static_cast<int>(m_lineStates.size()))
    m_lineStates[static_cast<size_t>(line)] = state;
}

int CGSheetArray::GetLineStyle(int line) const {
  if (!InLines(line)) return 0;
  if (!m_lineStatesOn || line >= static_cast<int>(m_lineStates.size())) return m_style;
  return m_style & m_lineStates[static_cast<size_t>(line)];
}

int CGSheetArray::GetEffectiveLineStyle(int line) const {
  if (!InLines(line)) return 0;
  int style;
  if (IsKindOfClass(GetParent(), GCLASS(CGSheetArray)))
    style = static_cast<const CGSheetArray*>(GetParent())->GetEffectiveLineStyle(line) & m_style;
  else
    style = GetEffectiveStyle();
  if (m_lineStatesOn && line < static_cast<int>(m_lineStates.size()))
    style &= m_lineStates[static_cast<size_t>(line)];
  return style;
}

CGFont* CGSheetArray::GetTitleFont(vt::DeviceContext* dc) {
  const int w = m_rect.Width();
  const vt::Font* old = dc->SelectFont(CellFont());
  const int extent = dc->GetTextExtent(m_title).cx;
  dc->SelectFont(old);
  if (extent <= w - 4) return m_font;
  const int chars = CountTextCharacters(m_title);
  int size = chars > 0 ? 2 * ((w - 4) / chars) : 4;
  size = std::min(96, std::max(4, size));
  return GetSharedFont(size, 0, 0);
}

CGFont* CGSheetArray::GetPrintTitleFont(vt::DeviceContext* dc) {
  const int s = GetPrintScale();
  const int w = m_printRect.Width();
  const vt::Font* old = dc->SelectFont(m_printFont ? m_printFont->GetFont() : nullptr);
  const int extent = dc->GetTextExtent(m_title).cx;
  dc->SelectFont(old);
  if (extent <= w - 4 * s) return m_printFont;
  const int chars = CountTextCharacters(m_title);
  int size = chars > 0 ? 2 * ((w - 4 * s) / chars) : 0;
  size = std::min(96 * s, std::max(4 * s, size));
  return GetSharedFont(size, 0, 0);
}

void CGSheetArray::InsertLines(int at, int count) {
  if (count <= 0 || at > m_lineCount) return;
  if (m_lineStatesOn)
    InsertLineEntries(&m_lineStates, m_lineCount, at, count, static_cast<int>(GSTYLE_ACTIVE));
  m_lineCount += count;
  m_capacity = std::max(m_capacity, m_lineCount);
}

void CGSheetArray::DeleteLines(int at, int count) {
  if (count <= 0 || at < 0 || at + count > m_lineCount) return;
  if (m_lineStatesOn) DeleteLineEntries(&m_lineStates, m_lineCount, at, count);
  m_lineCount -= count;
}

void CGSheetArray::SetLineCount(int count) {
  m_lineCount = count;
  if (count <= m_capacity) return;
  m_capacity = count;
  if (m_lineStatesOn) GrowLineEntries(&m_lineStates, count, static_cast<int>(GSTYLE_ACTIVE));
}

void CGSheetArray::ScrollToLine(int line) {
  CGScroll* body = GetScroll();
  CGSheet* sheet = GetSheet();
  if (!body || !sheet) return;
  vt::Rect cell, view;
  GetLineRect(line < 0 ? 0 : line, &cell);
  body->GetAbsoluteRect(&view);
  int x = body->m_scrollX, y = body->m_scrollY;
  if (cell.left < view.left)
    x += cell.left - view.left;
  else if (cell.right > view.right)
    x += cell.right - view.right;
  if (line >= 0) {
    if (cell.top < view.top)
      y += cell.top - view.top;
    else if (cell.bottom > view.bottom)
      y += cell.bottom - view.bottom;
  }
  if (x == body->m_scrollX && y == body->m_scrollY) return;
  body->m_scrollX = std::max(0, std::min(x, body->m_contentWidth - body->ViewWidth()));
  body->m_scrollY = std::max(0, std::min(y, body->m_contentHeight - body->ViewHeight()));
  sheet->SyncScrollBars();
  sheet->Update();
}

int CGSheetArray::TitleBackgroundFlag() const {
  const CGCore* p = GetParent();
  return IsKindOfClass(p, GCLASS(CGSheetScreen)) || IsKindOfClass(p, GCLASS(CGSheet)) ? 1 : 0;
}

void CGSheetArray::DrawTitleLook(vt::DeviceContext* dc, int top, int bottom, int look) {
  CGSheet* sheet = GetSheet();
  if (!sheet || !sheet->m_columnHeader) return;
  CGSColumn* header = sheet->m_columnHeader;
  CGFont* font = GetTitleFont(dc);
  vt::Rect r;
  GetAbsoluteRect(&r);
  r.top = top;
  r.bottom = bottom;
  const int state = GetEffectiveStyle() & header->GetEffectiveStyle();
  const vt::Font* f = font ? font->GetFont() : nullptr;
  const int bg = TitleBackgroundFlag();
  if (look == 1)
    header->DrawTitlePressed(dc, r, bg, m_titleStyle, state, f, m_title);
  else if (look == 2)
    header->DrawTitleHot(dc, r, bg, m_titleStyle, state, f, m_title);
  else
    header->DrawTitleNormal(dc, r, bg, m_titleStyle, state, f, m_title);
}

void CGSheetArray::FlushLine(int line) {
  (void)line;
  vt::Rect r;
  if (GetVisibleRect(&r)) FlushRect(r);
}

int CGSheetArray::GetLineRect(int line, vt::Rect* rect) const {
  const int h = GetLineHeight();
  vt::Rect r;
  GetAbsoluteRect(&r);
  *rect = vt::Rect{r.left, r.top + line * h, r.right, r.top + line * h + h};
  return h;
}

void CGSheetArray::SetAllValues(double v) {
  for (int i = 0; i < m_lineCount; ++i) SetLineValue(i, v);
}
void CGSheetArray::SetAllIntValues(int v) {
  for (int i = 0; i < m_lineCount; ++i) SetLineIntValue(i, v);
}
void CGSheetArray::SetAllLineTexts(const std::string& text) {
  for (int i = 0; i < m_lineCount; ++i) SetLineText(i, text);
}
void CGSheetArray::SetAllLineTextsFromResource(uint32_t id) {
  SetAllLineTexts(id ? vt::LoadString(id) : std::string());
}

void CGSheetArray::SetAllLineStates(int state) {
  if (!m_lineStatesOn) return;
  for (int i = 0; i < m_lineCount && i < static_cast<int>(m_lineStates.size()); ++i)
    m_lineStates[static_cast<size_t>(i)] = state;
}

int CGSheetArray::GetTitleRows() const {
  if (!(m_style & GSTYLE_VISIBLE)) return 0;
  int rows = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGSheetArray)))
      rows = std::max(rows, static_cast<CGSheetArray*>(c)->GetTitleRows());
  return rows + (m_cellFrameWidth > 0 ? 1 : 0);
}

int CGSheetArray::NextActiveLine() const {
  const int start = FocusLine();
  if (m_lineCount <= 0) return start;
  int line = start;
  // One full turn at most: a column without an active line stays on the start line.
  for (int i = 0; i < m_lineCount; ++i) {
    line = (line + 1 >= m_lineCount || line + 1 < 0) ? 0 : line + 1;
    if ((GetLineStyle(line) & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) return line;
  }
  return start;
}

int CGSheetArray::PreviousActiveLine() const {
  const int start = FocusLine();
  if (m_lineCount <= 0) return start;
  int line = start;
  for (int i = 0; i < m_lineCount; ++i) {
    line = (line - 1 < 0 || line - 1 >= m_lineCount) ? m_lineCount - 1 : line - 1;
    if ((GetLineStyle(line) & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) return line;
  }
  return start;
}

CGScroll* CGSheetArray::GetScroll() const {
  return static_cast<CGScroll*>(FindAncestorOfClass(GCLASS(CGScroll)));
}

CGSheetScreen* CGSheetArray::SheetBody() const {
  CGScroll* s = GetScroll();
  return IsKindOfClass(s, GCLASS(CGSheetScreen)) ? static_cast<CGSheetScreen*>(s) : nullptr;
}

int CGSheetArray::LineAtPoint(int x, int y) const {
  const vt::Point p = ToChild(x, y);
  if (p.x < 0 || p.x >= m_rect.Width()) return -1;
  const int h = GetLineHeight();
  if (h <= 0) return -1;
  const int line = p.y / h;
  return line < 0 || line >= m_lineCount ? -1 : line;
}

void CGSheetArray::GetFlushRect(int line, vt::Rect* rect) const {
  (void)line;
  vt::Rect visible, own;
  GetVisibleRect(&visible);
  GetAbsoluteRect(&own);
  *rect = vt::IntersectRects(visible, own);
}

void CGSheetArray::PrintTitle(vt::DeviceContext* dc, int top, int bottom) {
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  r.top = top;
  r.bottom = bottom;
  DrawRectSides(dc, 1 | 2 | 8, 0x02000000, r.left, r.top, r.right, r.bottom);
  CGFont* font = GetPrintTitleFont(dc);
  const vt::Font* f = font ? font->GetFont() : nullptr;
  const vt::Font* old = dc->SelectFont(f);
  const int h = dc->GetTextMetrics().height;
  dc->SelectFont(old);
  DrawTextAt(f, dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2 - h / 2, vt::kTaCenter | vt::kTaTop,
             0x02000000, m_title);
}

int CGSheetArray::GetLinePrintRect(int line, vt::Rect* rect) const {
  GetAbsolutePrintRect(rect);
  const int h = GetPrintLineHeight();
  int first = 0, last = -1;
  GetSheetPrintLineRange(&first, &last);
  const int n = std::max(1, GetLinesPerRow());
  rect->top += h * ((line - first) / n);
  rect->bottom = rect->top + h;
  return rect->bottom;
}

bool CGSheetArray::IsInPrintPage() const {
  CGScroll* scroll = GetScroll();
  if (!scroll) return true;
  vt::Rect own, view;
  GetAbsolutePrintRect(&own);
  scroll->GetAbsolutePrintRect(&view);
  return own.left >= view.left && own.right <= view.right;
}

int CGSheetArray::GetPrintLineHeight() const {
  const CGSheet* sheet = GetSheet();
  return sheet ? sheet->m_printLineHeight : 0;
}

bool CGSheetArray::IsLineSelected(int line) const {
  const CGSheet* s = GetSheet();
  if (!s || s->m_selectionFirst < 0) return false;
  return line >= std::min(s->m_selectionFirst, s->m_selectionLast) &&
         line <= std::max(s->m_selectionFirst, s->m_selectionLast);
}

bool CGSheetArray::IsSelectionEnd(int line) const {
  const CGSheet* s = GetSheet();
  return s && s->m_selectionFirst >= 0 && (line == s->m_selectionFirst || line == s->m_selectionLast);
}

int CGSheetArray::GetLineHeight() const {
  const CGSheet* s = GetSheet();
  return s ? s->m_lineHeight : 0;
}

void CGSheetArray::GetVisibleLines(int* first, int* last) const {
  *first = 0;
  *last = -1;
  const int h = GetLineHeight();
  if (h <= 0 || m_lineCount <= 0) return;
  const CGScroll* body = GetScroll();
  if (!body) {
    *last = m_lineCount - 1;
    return;
  }
  *first = std::max(0, body->m_scrollY / h);
  *last = std::min(m_lineCount - 1, (body->m_scrollY + body->ViewHeight() - 1) / h);
}

int CGSheetArray::GetLinesPerRow() const {
  const CGSheetScreen* body = SheetBody();
  return body ? std::max(1, body->m_linesPerRow) : 1;
}

void CGSheetArray::GetScreenLineRange(int* first, int* last) const {
  const CGSheetScreen* body = SheetBody();
  if (!body) {
    *first = 0;
    *last = -1;
    return;
  }
  body->GetVisibleLineRange(first, last);
}

void CGSheetArray::GetSheetPrintLineRange(int* first, int* last) const {
  const CGSheetScreen* body = SheetBody();
  const CGSheet* sheet = body ? body->Sheet() : nullptr;
  if (!sheet) {
    *first = 0;
    *last = -1;
    return;
  }
  sheet->GetPrintLineRange(first, last);
}

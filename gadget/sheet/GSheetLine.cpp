// The line headers of a sheet (see GSheetLine.h).
#include "gadget/sheet/GSheetLine.h"

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/GText.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/VirtualKeys.h"

int g_checkPressed = 0;

namespace {
constexpr uint32_t kAutoScrollMilliseconds = 50;
constexpr vt::ColorRef kFace = 0x02C0C0C0;
constexpr vt::ColorRef kLight = 0x02FFFFFF;
constexpr vt::ColorRef kDark = 0x025E5E5E;
constexpr vt::ColorRef kBlack = 0x02000000;
constexpr vt::ColorRef kRed = 0x020000FF;

// The last pointer position of a selection drag (sheet coordinates).
vt::Point s_lastDrag;

// A raised cell, sunken when selected.
void DrawHeaderFace(vt::DeviceContext* dc, const vt::Rect& cell, int width, bool selected) {
  if (selected)
    FillBevelRect(dc, cell, width, kFace, kDark, kLight);
  else
    FillBevelRect(dc, cell, width, kFace, kLight, kDark);
}
}  // namespace

// ---- CGSLine ----

CGSLine::CGSLine(CGCore* sheet, int id, int style, int lineStatesOn, int width, int cellFrameWidth,
                 int fontSize, const char* title, int alignment, int firstNumber, const char* numberFormat)
    : CGSheetArray(sheet, id, style, lineStatesOn, width, cellFrameWidth, fontSize, title),
      m_numberFormat(numberFormat ? numberFormat : "%d"),
      m_firstNumber(firstNumber),
      m_alignment(alignment) {
  if (IsKindOfClass(sheet, GCLASS(CGSheet))) static_cast<CGSheet*>(sheet)->RegisterLineHeader(this);
}

CGSLine::CGSLine(CGCore* sheet, int id, int width, uint32_t numberFormatId)
    : CGSheetArray(sheet, id, 0, width, 1, 12, 3000), m_firstNumber(1), m_alignment(kAlignRight) {
  m_numberFormat = vt::LoadString(numberFormatId);
  if (IsKindOfClass(sheet, GCLASS(CGSheet))) static_cast<CGSheet*>(sheet)->RegisterLineHeader(this);
}

CGSLine::~CGSLine() {
  if (IsKindOfClass(GetParent(), GCLASS(CGSheet))) {
    auto* sheet = static_cast<CGSheet*>(GetParent());
    if (sheet->m_lineHeader == this) sheet->RegisterLineHeader(nullptr);
  }
}

std::string CGSLine::NumberText(int line) const {
  // The format comes from the program's own tables: one integer conversion.
  return vt::FormatC(m_numberFormat.c_str(), line + m_firstNumber);
}

CGScroll* CGSLine::GetScroll() const {
  return IsKindOfClass(GetParent(), GCLASS(CGSheet)) ? static_cast<CGSheet*>(GetParent())->m_body : nullptr;
}

int CGSLine::GetLineRect(int line, vt::Rect* rect) const {
  const int h = GetLineHeight();
  vt::Rect own;
  GetAbsoluteRect(&own);
  int top = own.top + line * h;
  if (const CGScroll* body = GetScroll()) {
    vt::Rect b;
    body->GetAbsoluteRect(&b);
    top = b.top + line * h - body->m_scrollY;
  }
  *rect = vt::Rect{own.left, top, own.right, top + h};
  return h;
}

int CGSLine::LineAtPoint(int x, int y) const {
  if (x - m_rect.left < 0 || x - m_rect.left >= m_rect.Width()) return -1;
  const int h = GetLineHeight();
  if (h <= 0) return -1;
  const CGScroll* body = GetScroll();
  const int line = (y - m_rect.top + (body ? body->m_scrollY : 0)) / h;
  return line < 0 || line >= m_lineCount ? -1 : line;
}

int CGSLine::LineFromPoint(int x, int y) const {
  (void)x;
  const int h = GetLineHeight();
  if (h <= 0) return -1;
  const CGScroll* body = GetScroll();
  const int line = (y - m_rect.top + (body ? body->m_scrollY : 0)) / h;
  return std::min(std::max(line, 0), m_lineCount - 1);
}

bool CGSLine::GetVisibleRect(vt::Rect* out) const {
  CGSheetArray::GetVisibleRect(out);
  if (const CGSheet* sheet = GetSheet()) {
    int room = sheet->Rect().Width() - 2;
    if (sheet->m_verticalBar && (sheet->m_verticalBar->GetStyle() & GSTYLE_VISIBLE))
      room -= sheet->m_verticalBar->Rect().Width();
    out->right = std::min(out->right, out->left + std::max(0, room));
    if (out->IsEmpty()) *out = vt::Rect{};
  }
  return !out->IsEmpty();
}

int CGSLine::GetLinePrintRect(int line, vt::Rect* rect) const {
  GetAbsolutePrintRect(rect);
  const int h = GetPrintLineHeight();
  int first = 0, last = -1;
  GetSheetPrintLineRange(&first, &last);
  const int n = std::max(1, GetLinesPerRow());
  if (const CGScroll* body = GetScroll()) {
    vt::Rect b;
    body->GetAbsolutePrintRect(&b);
    rect->top = b.top - body->m_printScrollY + h * ((line - first) / n);
  }
  rect->bottom = rect->top + h;
  return rect->bottom;
}

void CGSLine::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawCell(dc, line, r); });
}

void CGSLine::DrawLine(vt::DeviceContext* dc, int line) {
  ForOneLine(dc, line, [&](int l, const vt::Rect& r) { DrawCell(dc, l, r); });
}

void CGSLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const bool selected = IsLineSelected(line);
  DrawHeaderFace(dc, cell, 1, selected);
  DrawTextInRect(cell, m_alignment, 0, 0, selected ? kRed : kBlack, CellFont(), NumberText(line), 5, dc);
}

void CGSLine::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  ForPrintLines([&](int line, const vt::Rect& r) { PrintCell(dc, line, r); });
}

void CGSLine::PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawRectSides(dc, 2 | 4 | 8, kBlack, cell.left, cell.top, cell.right, cell.bottom);
  DrawTextInRect(cell, m_alignment, 0, 0, kBlack, m_printFont ? m_printFont->GetFont() : nullptr,
                 NumberText(line), 5 * GetPrintScale(), dc);
}

void CGSLine::PrintTitle(vt::DeviceContext* dc, int top, int bottom) {
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  DrawRectSides(dc, 1 | 2 | 4 | 8, kBlack, r.left, top, r.right, bottom);
  CGSheetArray::PrintTitle(dc, top, bottom);
}

void CGSLine::ShowSelectionChange(bool withBar) {
  CGSheet* sheet = GetSheet();
  Redraw();
  if (sheet && sheet->m_body) sheet->m_body->Redraw();
  if (withBar && sheet && sheet->m_verticalBar) sheet->m_verticalBar->Redraw();
  if (sheet) sheet->Flush();
}

void CGSLine::SelectDown(uint32_t flags, int32_t x, int32_t y) {
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  if (flags & vt::kMkShift) {
    SelectMove(x, y);
    return;
  }
  CGSheet* sheet = GetSheet();
  if (!sheet) return;
  const int line = LineAtPoint(x, y);
  sheet->SetSelection(line, line);
  ShowSelectionChange(false);
  FireEvent(GEVENT_CHANGED);
}

void CGSLine::SelectMove(int32_t x, int32_t y) {
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  s_lastDrag = vt::Point{x, y};
  if (HitTest(x, y, GSTYLE_VISIBLE))
    KillRepeatTimer();
  else if (!g_repeatTimer)
    StartRepeatTimer(kAutoScrollMilliseconds);
  CGSheet* sheet = GetSheet();
  const int line = LineFromPoint(x, y);
  if (!sheet || line < 0 || line == sheet->m_selectionLast) return;
  sheet->m_selectionLast = line;
  ShowSelectionChange(false);
  FireEvent(GEVENT_CHANGED);
}

void CGSLine::SelectUp(int32_t x, int32_t y) {
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  const int line = LineFromPoint(x, y);
  KillRepeatTimer();
  CGSheet* sheet = GetSheet();
  if (!sheet || line == sheet->m_selectionLast) return;
  sheet->m_selectionLast = line;
  ShowSelectionChange(false);
  FireEvent(GEVENT_CHANGED);
}

void CGSLine::SelectTimer() {
  CGSheet* sheet = GetSheet();
  CGScroll* body = sheet ? sheet->m_body : nullptr;
  if (!body) return;
  const int dy = s_lastDrag.y - m_rect.top;
  int step = 0;
  if (dy > m_rect.Height()) {
    if (body->m_scrollY < body->m_contentHeight - body->ViewHeight()) step = dy - m_rect.Height();
  } else if (dy < 0 && body->m_scrollY >= 1) {
    step = dy;
  }
  bool scrolled = false;
  if (step != 0 && sheet->m_verticalBar) {
    const int before = body->m_scrollY;
    int value = 0;
    sheet->m_verticalBar->GetValue(&value);
    sheet->m_verticalBar->SetValue(value + step);
    sheet->m_verticalBar->GetValue(&value);
    body->m_scrollY = value;
    scrolled = value != before;
  } else {
    KillRepeatTimer();
  }
  const int line = LineFromPoint(s_lastDrag.x, s_lastDrag.y);
  const bool changed = line != sheet->m_selectionLast;
  if (!changed && !scrolled) return;
  sheet->m_selectionLast = line;
  CGSheet* s = sheet;
  Redraw();
  s->m_body->Redraw();
  if (s->m_verticalBar) s->m_verticalBar->Redraw();
  s->Flush();
  if (changed) FireEvent(GEVENT_CHANGED);
}

void CGSLine::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) { SelectDown(flags, x, y); }
void CGSLine::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  SelectMove(x, y);
}
void CGSLine::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  SelectUp(x, y);
}
void CGSLine::OnTimer(uint32_t id) {
  if (id == vt::GTIMER_REPEAT) SelectTimer();
}

// ---- CGSLabelLine ----

CGSLabelLine::CGSLabelLine(CGCore* sheet, int fontSize)
    : CGSLine(sheet, 0, GSTYLE_ACTIVE, 0, 136, 1, fontSize, "", kAlignRight, 0, "%d") {
  m_labels.assign(static_cast<size_t>(m_capacity), std::string());
}

void CGSLabelLine::SetLineText(int line, const std::string& text) {
  if (InLines(line)) m_labels[static_cast<size_t>(line)] = text;
}

void CGSLabelLine::GetLineText(int line, std::string* text) {
  if (InLines(line)) *text = m_labels[static_cast<size_t>(line)];
}

void CGSLabelLine::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_labels, m_lineCount, at, count, std::string());
  CGSLine::InsertLines(at, count);
}

void CGSLabelLine::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_labels, m_lineCount, at, count);
  CGSLine::DeleteLines(at, count);
}

void CGSLabelLine::SetLineCount(int count) {
  GrowLineEntries(&m_labels, count, std::string());
  CGSLine::SetLineCount(count);
}

void CGSLabelLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const bool selected = IsLineSelected(line);
  if (m_cellFrameWidth > 0) DrawHeaderFace(dc, cell, m_cellFrameWidth, selected);
  if (Label(line).empty()) return;
  DrawTextInRect(cell, m_alignment, 0, 0, selected ? kRed : kBlack, CellFont(), Label(line), 5, dc);
}

void CGSLabelLine::PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawRectSides(dc, 2 | 4 | 8, kBlack, cell.left, cell.top, cell.right, cell.bottom);
  DrawTextInRect(cell, m_alignment, 0, 0, kBlack, m_printFont ? m_printFont->GetFont() : nullptr, Label(line),
                 5 * GetPrintScale(), dc);
}

// ---- CGSChannelLine ----

CGSChannelLine::CGSChannelLine(CGCore* sheet, int fontSize) : CGSLabelLine(sheet, fontSize) {
  m_colors.assign(static_cast<size_t>(m_capacity), kFace);
}

void CGSChannelLine::SetLineColor(int line, vt::ColorRef colour) {
  if (InLines(line)) m_colors[static_cast<size_t>(line)] = colour;
}

void CGSChannelLine::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_colors, m_lineCount, at, count, vt::ColorRef{0});
  CGSLabelLine::InsertLines(at, count);
}

void CGSChannelLine::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_colors, m_lineCount, at, count);
  CGSLabelLine::DeleteLines(at, count);
}

void CGSChannelLine::SetLineCount(int count) {
  GrowLineEntries(&m_colors, count, kFace);
  CGSLabelLine::SetLineCount(count);
}

CGFont* ShrinkSheetFont(vt::DeviceContext* dc, int size, int styleBits, int width, const std::string& text) {
  CGFont* font = GetSharedFont(size, styleBits, 0);
  const vt::Font* old = dc->SelectFont(font ? font->GetFont() : nullptr);
  while (size > 4 && dc->GetTextExtent(text).cx > width) {
    font = GetSharedFont(--size, styleBits, 0);
    dc->SelectFont(font ? font->GetFont() : nullptr);
  }
  dc->SelectFont(old);
  return font;
}

CGFont* CGSChannelLine::GetLabelFont(vt::DeviceContext* dc, const std::string& label) {
  int width = m_rect.Width() - 2;
  if (m_labelStyle == 1) width -= GetLineHeight();
  return ShrinkSheetFont(dc, m_fontSize, 0, width, label);
}

CGFont* CGSChannelLine::GetPrintLabelFont(vt::DeviceContext* dc, const std::string& label) {
  const int s = GetPrintScale();
  int width = m_printRect.Width() - 2 * s;
  if (m_labelStyle == 1) width -= GetPrintLineHeight();
  return ShrinkSheetFont(dc, s * (m_fontSize - 2), 0, width, label);
}

void CGSChannelLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  CGFont* font = GetLabelFont(dc, Label(line));
  const vt::Font* f = font ? font->GetFont() : nullptr;
  const int state = GetEffectiveLineStyle(line);
  const vt::ColorRef colour = LineColor(line);
  if (m_cellFrameWidth > 0) DrawHeaderFace(dc, cell, m_cellFrameWidth, false);
  vt::Rect text = cell;
  if (m_labelStyle == 1) {
    const vt::Rect square =
        InflateRect(vt::Rect{cell.left, cell.top, cell.left + cell.Height(), cell.bottom}, -2, -2);
    dc->FillSolidRect(square, colour);
    DrawBevelLines(dc, 1, kBlack, kBlack, square.left, square.top, square.right, square.bottom);
    text = vt::Rect{cell.left + cell.Height(), cell.top, cell.right, cell.bottom + 1};
  } else {
    FillBevelRect(dc, vt::Rect{cell.left, cell.bottom - 3, cell.right, cell.bottom}, 1, colour, kDark,
                  kLight);
    text.bottom -= 2;
  }
  if (state != GSTYLE_ACTIVE) {
    DrawEmbossedText(dc, text, kAlignCenter, kFace, f, Label(line));
    return;
  }
  const vt::Font* old = dc->SelectFont(f);
  const int h = dc->GetTextMetrics().height;
  dc->SelectFont(old);
  DrawTextAt(f, dc, (text.left + text.right) / 2, (text.top + text.bottom) / 2 - h / 2,
             vt::kTaCenter | vt::kTaTop, kBlack, Label(line));
}

void CGSChannelLine::PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const int s = GetPrintScale();
  DrawRectSides(dc, 2 | 4 | 8, kBlack, cell.left, cell.top, cell.right, cell.bottom);
  const vt::Rect strip{cell.left, cell.bottom - 3 * s, cell.right, cell.bottom};
  dc->FillSolidRect(strip, LineColor(line));
  DrawRectSides(dc, 1 | 2 | 4 | 8, kBlack, strip.left, strip.top, strip.right, strip.bottom);
  CGFont* font = GetPrintLabelFont(dc, Label(line));
  DrawTextInRect(vt::Rect{cell.left, cell.top, cell.right, strip.top}, kAlignCenter, 0, 0, kBlack,
                 font ? font->GetFont() : nullptr, Label(line), 0, dc);
}

// ---- CGSCheckLine ----

CGSCheckLine::CGSCheckLine(CGCore* sheet, int width) : CGSLine(sheet, 1079, width, 3136) {
  m_checks.assign(static_cast<size_t>(m_capacity), 0);
}

void CGSCheckLine::SetLineIntValue(int line, int value) {
  if (InLines(line)) m_checks[static_cast<size_t>(line)] = value;
}

void CGSCheckLine::GetLineIntValue(int line, int* value) {
  if (InLines(line)) *value = m_checks[static_cast<size_t>(line)];
}

void CGSCheckLine::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_checks, m_lineCount, at, count, 0);
  CGSLine::InsertLines(at, count);
}

void CGSCheckLine::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_checks, m_lineCount, at, count);
  CGSLine::DeleteLines(at, count);
}

void CGSCheckLine::SetLineCount(int count) {
  GrowLineEntries(&m_checks, count, 0);
  CGSLine::SetLineCount(count);
}

void CGSCheckLine::FlipCheck(int line) {
  int& c = m_checks[static_cast<size_t>(line)];
  c = c ? 0 : 1;
  if (vt::DeviceContext* back = GetBackDC()) {
    DrawLine(back, line);
    back->SelectClipRect(nullptr);
  }
  FlushLine(line);
}

void CGSCheckLine::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (x - m_rect.left >= GetLineHeight()) {
    g_checkPressed = 0;
    SelectDown(flags, x, y);
    return;
  }
  g_checkPressed = 1;
  CGSheet* sheet = GetSheet();
  if (!sheet) return;
  sheet->m_focusLine = LineAtPoint(x, y);
  if (HasLineState(sheet->m_focusLine, GSTYLE_ACTIVE)) {
    FlipCheck(sheet->m_focusLine);
    g_pressedInside = 1;
  } else {
    g_pressedInside = 0;
  }
}

void CGSCheckLine::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (!g_checkPressed) {
    CGSLine::OnMouseMove(flags, x, y);
    return;
  }
  const int focus = FocusLine();
  if (focus < 0 || !HasLineState(focus, GSTYLE_ACTIVE)) return;
  const int over = LineAtPoint(x, y) == focus ? 1 : 0;
  if (over == g_pressedInside) return;
  g_pressedInside = over;
  FlipCheck(focus);
}

void CGSCheckLine::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (!g_checkPressed) {
    CGSLine::OnLButtonUp(flags, x, y);
    return;
  }
  if (HasLineState(LineAtPoint(x, y), GSTYLE_ACTIVE)) {
    if (g_pressedInside) FireEvent(GEVENT_CHANGED);
    g_pressedInside = 0;
  }
}

void CGSCheckLine::OnTimer(uint32_t id) {
  if (!g_checkPressed) CGSLine::OnTimer(id);
}

void CGSCheckLine::DrawCheckNumber(vt::DeviceContext* dc, int line, const vt::Rect& cell, int squareRight) {
  DrawTextAt(CellFont(), dc, squareRight + 5, cell.top + (cell.Height() - m_fontSize) / 2,
             vt::kTaLeft | vt::kTaTop, IsLineSelected(line) ? kRed : kBlack, NumberText(line));
}

void CGSCheckLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawHeaderFace(dc, cell, 1, IsLineSelected(line));
  const vt::Rect box = InflateRect(cell, -3, -3);
  const vt::Rect square{box.left, box.top, box.left + box.Height(), box.bottom};
  DrawCheckLamp(dc, square, kFace, Check(line) != 0);
  DrawCheckNumber(dc, line, cell, square.right);
}

// ---- CGSCheckIconLine ----

CGSCheckIconLine::CGSCheckIconLine(CGCore* sheet, int width) : CGSCheckLine(sheet, width) {}

void CGSCheckIconLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawHeaderFace(dc, cell, 1, IsLineSelected(line));
  const vt::Rect square{cell.left, cell.top, cell.left + cell.Height(), cell.bottom};
  if (m_iconImage)
    DrawBitmapCell(dc, square, m_iconImage->GetBitmap(), Check(line), m_iconCellWidth, m_iconCellHeight);
  DrawCheckNumber(dc, line, cell, square.right);
}

// The button columns of a sheet (see GSheetButtons.h).
#include "gadget/sheet/GSheetButtons.h"

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetEdit.h"
#include "gadget/sheet/SheetCellColors.h"
#include "platform/gui/DeviceContext.h"

using namespace vt::sheetcell;

// ---- CGSToggleButtons ----

CGSToggleButtons::CGSToggleButtons(CGCore* parent, int id, uint32_t titleId, int width, int fontSize,
                                   int lineStatesOn, const int* initial, int initialCount)
    : CGSheetArray(parent, id, lineStatesOn, width, 0, fontSize, titleId) {
  m_values.assign(static_cast<size_t>(m_capacity), 0);
  for (int i = 0; initial && i < initialCount && i < m_lineCount; ++i)
    m_values[static_cast<size_t>(i)] = initial[i];
}

void CGSToggleButtons::SetLineIntValue(int line, int value) {
  if (InLines(line)) m_values[static_cast<size_t>(line)] = value;
}

void CGSToggleButtons::GetLineIntValue(int line, int* value) {
  if (InLines(line)) *value = Value(line);
}

void CGSToggleButtons::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_values, m_lineCount, at, count, 0);
  CGSheetArray::InsertLines(at, count);
}

void CGSToggleButtons::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_values, m_lineCount, at, count);
  CGSheetArray::DeleteLines(at, count);
}

void CGSToggleButtons::SetLineCount(int count) {
  GrowLineEntries(&m_values, count, 0);
  CGSheetArray::SetLineCount(count);
}

void CGSToggleButtons::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawCell(dc, line, r); });
}

void CGSToggleButtons::DrawLine(vt::DeviceContext* dc, int line) {
  ForOneLine(dc, line, [&](int l, const vt::Rect& r) { DrawCell(dc, l, r); });
}

vt::ColorRef CGSToggleButtons::DrawToggleBase(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::ColorRef base = IsLineSelected(line) ? kCellSelected : kCell;
  if (IsKindOfClass(GetParent(), GCLASS(CGSheetScreen))) FillBevelRect(dc, cell, 1, base, kBlack, kBevelDark);
  return base;
}

void CGSToggleButtons::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::ColorRef base = DrawToggleBase(dc, line, cell);
  if (GetEffectiveLineStyle(line) & GSTYLE_VISIBLE)
    DrawCheckLamp(dc, InflateRect(cell, -4, -4), base, Value(line));
}

void CGSToggleButtons::Flip(int line) {
  int& v = m_values[static_cast<size_t>(line)];
  v = v == 0 ? 1 : 0;
  if (vt::DeviceContext* back = GetBackDC()) {
    DrawLine(back, line);
    back->SelectClipRect(nullptr);
  }
  FlushLine(line);
}

void CGSToggleButtons::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (ArmLinePress(x, y)) Flip(FocusLine());
}

void CGSToggleButtons::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (TrackLinePress(x, y)) Flip(FocusLine());
}

void CGSToggleButtons::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  const int focus = FocusLine();
  if (HasLineState(focus, GSTYLE_ACTIVE) && g_pressedInside && LineAtPoint(x, y) == focus) OnClick();
  g_pressedInside = 0;
}

// ---- CGSTogLabelButtons ----

CGSTogLabelButtons::CGSTogLabelButtons(CGCore* parent, int id, uint32_t titleId, int width, int lineStatesOn,
                                       const int* initial)
    : CGSToggleButtons(parent, id, titleId, width, 12, lineStatesOn, initial, 2) {
  m_labels.assign(static_cast<size_t>(m_capacity), std::string());
}

void CGSTogLabelButtons::SetLineText(int line, const std::string& text) {
  if (InLines(line)) m_labels[static_cast<size_t>(line)] = text;
}

void CGSTogLabelButtons::GetLineText(int line, std::string* text) {
  *text = InLines(line) ? Label(line) : std::string();
}

void CGSTogLabelButtons::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_labels, m_lineCount, at, count, std::string());
  CGSToggleButtons::InsertLines(at, count);
}

void CGSTogLabelButtons::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_labels, m_lineCount, at, count);
  CGSToggleButtons::DeleteLines(at, count);
}

void CGSTogLabelButtons::SetLineCount(int count) {
  GrowLineEntries(&m_labels, count, std::string());
  CGSToggleButtons::SetLineCount(count);
}

void CGSTogLabelButtons::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::ColorRef base = DrawToggleBase(dc, line, cell);
  const int state = GetEffectiveLineStyle(line);
  if (!(state & GSTYLE_VISIBLE)) return;
  const vt::Rect inner = InflateRect(cell, -1, -1);
  const vt::Rect square{inner.left, inner.top, inner.left + inner.Height(), inner.bottom};
  DrawCheckLamp(dc, InflateRect(square, -3, -3), base, Value(line));
  DrawAlignedText(dc, vt::Rect{square.right, inner.top, inner.right, inner.bottom}, kAlignLeft,
                  state == GSTYLE_ACTIVE ? kTextActive : kTextInactive, CellFont(), Label(line));
}

// ---- CGSTogIconButtons ----

CGSTogIconButtons::CGSTogIconButtons(CGCore* parent, int width, int fontSize, int lineStatesOn, int cellCount,
                                     int cellWidth, int cellHeight, int imageId, int maskId)
    : CGSToggleButtons(parent, 0, 0, width, fontSize, lineStatesOn, nullptr, 0),
      m_cellCount(cellCount),
      m_cellWidth(cellWidth),
      m_cellHeight(cellHeight),
      m_image(imageId ? GetSharedBitmap(imageId) : nullptr),
      m_mask(maskId ? GetSharedBitmap(maskId) : nullptr) {}

int CGSTogIconButtons::StripCell(int line) const {
  int n = (Value(line) ? 1 : 0) + ((GetEffectiveLineStyle(line) & GSTYLE_ENABLED) ? 0 : 2);
  return std::max(0, std::min(n, (m_cellCount & 15) - 1));
}

void CGSTogIconButtons::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  FillCellFace(dc, line, cell);
  if (!(GetEffectiveLineStyle(line) & GSTYLE_VISIBLE)) return;
  DrawBitmapCellTransparent(dc, cell, m_image ? m_image->GetBitmap() : nullptr,
                            m_mask ? m_mask->GetBitmap() : nullptr, StripCell(line), m_cellWidth,
                            m_cellHeight);
}

// ---- CGSPushButtons ----

int CGSPushButtons::HotLine() const {
  const CGSheet* sheet = GetSheet();
  return sheet ? sheet->m_hotLine : -1;
}

void CGSPushButtons::SetHotLine(int line) {
  if (CGSheet* sheet = GetSheet()) sheet->m_hotLine = line;
}

int CGSPushButtons::LookOf(int line) const {
  const CGPrimitive* parent = ParentPrimitive();
  if (parent && parent->GetCaptured() == this) {
    vt::Point p;
    const int under = CursorInRectCoords(this, &p) ? LineAtPoint(p.x, p.y) : -1;
    return line == FocusLine() && line == under && GetEffectiveLineStyle(line) == GSTYLE_ACTIVE ? 1 : 0;
  }
  if (parent && parent->GetHover() == this)
    return line == HotLine() && GetEffectiveLineStyle(line) == GSTYLE_ACTIVE ? 2 : 0;
  return 0;
}

void CGSPushButtons::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect&) {
    const int look = LookOf(line);
    if (look == 1)
      DrawLinePressed(dc, line);
    else if (look == 2)
      DrawLineHot(dc, line);
    else
      DrawLineNormal(dc, line);
  });
}

void CGSPushButtons::DrawButtonCell(vt::DeviceContext* dc, int line, int look) {
  if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
  vt::Rect cell;
  GetLineRect(line, &cell);
  const vt::ColorRef face = look == 2 ? 0x02707070 : (IsLineSelected(line) ? kCellSelected : kCell);
  if (look == 1)
    FillBevelRect(dc, cell, 1, face, kBlack, kBevelDark);
  else
    FillBevelRect(dc, cell, 1, face, kBevelDark, kBlack);
  const int dx = look == 1 ? 1 : 0;
  DrawTextInRect(cell, m_alignment, dx, dx,
                 (GetLineStyle(line) & GSTYLE_ENABLED) ? kTextActive : kTextInactive, CellFont(), Text(line),
                 4, dc);
}

void CGSPushButtons::DrawLineNormal(vt::DeviceContext* dc, int line) { DrawButtonCell(dc, line, 0); }
void CGSPushButtons::DrawLinePressed(vt::DeviceContext* dc, int line) { DrawButtonCell(dc, line, 1); }
void CGSPushButtons::DrawLineHot(vt::DeviceContext* dc, int line) { DrawButtonCell(dc, line, 2); }

void CGSPushButtons::ShowLine(int line, int look) {
  if (vt::DeviceContext* back = GetBackDC()) {
    ClipToVisibleRect(back);
    if (look == 1)
      DrawLinePressed(back, line);
    else if (look == 2)
      DrawLineHot(back, line);
    else
      DrawLineNormal(back, line);
    back->SelectClipRect(nullptr);
  }
  FlushLine(line);
}

void CGSPushButtons::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (ArmLinePress(x, y)) ShowLine(FocusLine(), 1);
}

void CGSPushButtons::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (TrackLinePress(x, y)) ShowLine(FocusLine(), g_pressedInside);
}

void CGSPushButtons::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  const int line = LineAtPoint(x, y);
  if (!HasLineState(line, GSTYLE_ACTIVE) || !g_pressedInside) return;
  ShowLine(line, 2);
  if (line == FocusLine()) OnClick();
  SetHotLine(line);
  g_pressedInside = 0;
}

void CGSPushButtons::OnMouseHover(int32_t x, int32_t y) {
  const int line = LineAtPoint(x, y);
  const int hot = HotLine();
  if (line == hot) return;
  if (HasLineState(hot, GSTYLE_ACTIVE)) ShowLine(hot, 0);
  if (HasLineState(line, GSTYLE_ACTIVE)) {
    ShowLine(line, 2);
    SetHotLine(line);
  } else {
    SetHotLine(-1);
  }
}

void CGSPushButtons::OnMouseEnter(int32_t x, int32_t y) {
  CGSLabels::OnMouseEnter(x, y);
  const int line = LineAtPoint(x, y);
  if (!HasLineState(line, GSTYLE_ACTIVE)) return;
  ShowLine(line, 2);
  SetHotLine(line);
}

void CGSPushButtons::OnMouseLeave(int32_t x, int32_t y) {
  CGSLabels::OnMouseLeave(x, y);
  const int hot = HotLine();
  if (HasLineState(hot, GSTYLE_ACTIVE)) ShowLine(hot, 0);
}

// ---- CGSCheckIconValues ----

CGSCheckIconValues::CGSCheckIconValues(CGCore* parent, int id, uint32_t titleId, int width, int fontSize,
                                       int lineStatesOn)
    : CGSCheckValues(parent, titleId), m_subStatesOn(lineStatesOn), m_subFontSize(fontSize) {
  SetId(id);
  SetWidth(width);
}

CGSheetArray* CGSCheckIconValues::CheckColumn() const {
  return static_cast<CGSheetArray*>(GetChildOfClassAt(GCLASS(CGSheetArray), 0));
}

CGSheetArray* CGSCheckIconValues::ValueColumn() const {
  return static_cast<CGSheetArray*>(GetChildOfClassAt(GCLASS(CGSheetArray), 1));
}

void CGSCheckIconValues::BuildColumns() {
  const int h = GetLineHeight();
  new CGSTogIconButtons(this, h, m_subFontSize, m_subStatesOn, m_iconCellCount, m_iconCellWidth,
                        m_iconCellHeight, m_iconImageId, m_iconMaskId);
  new CGSValues(this, m_rect.Width() - h, m_subStatesOn, m_subFontSize, -999999999, 999999999);
  if (const CGSheet* sheet = GetSheet()) SetLineCount(sheet->m_lineCount);
}

void CGSCheckIconValues::SetRange(double lower, double upper) {
  if (CGSheetArray* v = ValueColumn()) v->SetRange(lower, upper);
}
void CGSCheckIconValues::BeginEdit() {
  if (CGSheetArray* v = ValueColumn()) v->BeginEdit();
}
void CGSCheckIconValues::SetLineDecimals(int line, int n) {
  if (CGSheetArray* v = ValueColumn()) v->SetLineDecimals(line, n);
}
void CGSCheckIconValues::SetLineExponent(int line, int flag) {
  if (CGSheetArray* v = ValueColumn()) v->SetLineExponent(line, flag);
}
void CGSCheckIconValues::SetLineValue(int line, double value) {
  if (CGSheetArray* v = ValueColumn()) v->SetLineValue(line, value);
}
void CGSCheckIconValues::GetLineValue(int line, double* value) {
  if (CGSheetArray* v = ValueColumn()) v->GetLineValue(line, value);
}
void CGSCheckIconValues::SetLineIntValue(int line, int value) {
  if (CGSheetArray* c = CheckColumn()) c->SetLineIntValue(line, value);
}
void CGSCheckIconValues::GetLineIntValue(int line, int* value) {
  if (CGSheetArray* c = CheckColumn()) c->GetLineIntValue(line, value);
}

void CGSCheckIconValues::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  SetFocusLine(LineAtPoint(x, y));
  CGSCheckValues::OnLButtonDown(flags, x, y);
}

void CGSCheckIconValues::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  if (!m_captured) return;
  if (m_captured == ValueColumn() && g_pressedInside) {
    CGSheetArray* check = CheckColumn();
    const int focus = FocusLine();
    check->SetLineIntValue(focus, 1);
    if (vt::DeviceContext* back = GetBackDC()) {
      check->DrawLine(back, focus);
      back->SelectClipRect(nullptr);
    }
    check->FlushLine(focus);
  }
  CGSCheckValues::OnLButtonUp(flags, x, y);
}

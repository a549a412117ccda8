// The editable columns of a sheet (see GSheetEdit.h).
#include "gadget/sheet/GSheetEdit.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetDigitals.h"
#include "gadget/sheet/SheetCellColors.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/StringTable.h"

using namespace vt::sheetcell;

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
}  // namespace

double ParseLeadingDouble(const std::string& text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  const size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  size_t end = i;
  bool positiveExponent = true;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) positiveExponent = text[j++] == '+';
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  std::string number = text.substr(start, end - start);
  if (!number.empty() && number[0] == '+') number.erase(0, 1);
  if (!number.empty() && number.back() == '.') number.pop_back();
  double value = 0.0;
  if (vt::ParseDouble(number, value)) return value;
  // Out of range: too large gives infinity with the sign, too small 0.
  const bool negative = text[start] == '-';
  if (!positiveExponent) return negative ? -0.0 : 0.0;
  return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

int ParseLeadingInt(const std::string& text) {
  const std::string head = text.substr(0, 10);
  size_t i = 0;
  while (i < head.size() && IsBlank(head[i])) ++i;
  bool negative = false;
  if (i < head.size() && (head[i] == '+' || head[i] == '-')) negative = head[i++] == '-';
  int64_t v = 0;
  while (i < head.size() && IsDigit(head[i])) v = v * 10 + (head[i++] - '0');
  if (negative) v = -v;
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int>(v);
}

// ---- CGSKeyGadget ----

int CGSKeyGadget::CanFocus() { return HasLineState(FocusLine(), GSTYLE_ACTIVE) ? 1 : 0; }

int CGSKeyGadget::FocusFirst() { return FocusField(this); }

int CGSKeyGadget::FocusLast() { return FocusFirst(); }

void CGSKeyGadget::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  ArmLinePress(x, y);
}

void CGSKeyGadget::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  TrackLinePress(x, y);
}

void CGSKeyGadget::OpenOnRelease() {
  if (!g_pressedInside) return;
  ScrollToLine(FocusLine());
  OpenEditor();
}

void CGSKeyGadget::DrawAllCells(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawCell(dc, line, r); });
}

void CGSKeyGadget::DrawOneCell(vt::DeviceContext* dc, int line) {
  ForOneLine(dc, line, [&](int l, const vt::Rect& r) { DrawCell(dc, l, r); });
}

void CGSKeyGadget::DrawNumberCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  FillCellFace(dc, line, cell);
  const int state = GetEffectiveLineStyle(line);
  if (!(state & GSTYLE_VISIBLE)) return;
  std::string text;
  GetLineValueText(line, &text);
  DrawTextAt(CellFont(), dc, cell.right - 4, cell.top + (cell.Height() - m_fontSize) / 2,
             vt::kTaRight | vt::kTaTop, (state & GSTYLE_ENABLED) ? kTextActive : kTextInactive, text);
}

// ---- CGSValues ----

CGSValues::CGSValues(CGCore* parent, int id, uint32_t titleId, double lower, double upper)
    : CGSKeyGadget(parent, id, 0, 90, 1, 12, titleId), m_lower(lower), m_upper(upper) {
  InitValues();
}

CGSValues::CGSValues(CGCore* parent, int width, int lineStatesOn, int fontSize, double lower, double upper)
    : CGSKeyGadget(parent, 0, GSTYLE_ACTIVE, lineStatesOn, width, 0, fontSize, nullptr),
      m_lower(lower),
      m_upper(upper) {
  InitValues();
}

void CGSValues::InitValues() {
  const auto n = static_cast<size_t>(m_capacity);
  m_values.assign(n, 0.0);
  m_decimals.assign(n, 3);
  m_exponents.assign(n, 0);
}

void CGSValues::SetRange(double lower, double upper) {
  m_lower = lower;
  m_upper = upper;
}

void CGSValues::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  OpenOnRelease();
}

void CGSValues::GetLineValueText(int line, std::string* text) {
  if (!InLines(line)) return;
  const auto i = static_cast<size_t>(line);
  *text = SheetNumberText(m_values[i], m_decimals[i], m_exponents[i]);
}

void CGSValues::SetLineDecimals(int line, int n) {
  if (InLines(line)) m_decimals[static_cast<size_t>(line)] = n;
}

void CGSValues::SetLineExponent(int line, int flag) {
  if (InLines(line)) m_exponents[static_cast<size_t>(line)] = flag;
}

void CGSValues::SetLineValue(int line, double value) {
  if (InLines(line)) m_values[static_cast<size_t>(line)] = value;
}

void CGSValues::SetLineValueText(int line, const std::string& text) {
  if (!InLines(line)) return;
  double v = ParseLeadingDouble(ToHalfWidthNumber(text));
  if (v > m_upper) v = m_upper;
  if (v < m_lower) v = m_lower;
  m_values[static_cast<size_t>(line)] = v;
}

void CGSValues::GetLineValue(int line, double* value) {
  if (InLines(line)) *value = m_values[static_cast<size_t>(line)];
}

void CGSValues::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) {
    InsertLineEntries(&m_values, m_lineCount, at, count, 0.0);
    InsertLineEntries(&m_decimals, m_lineCount, at, count, 0);
    InsertLineEntries(&m_exponents, m_lineCount, at, count, 0);
  }
  CGSKeyGadget::InsertLines(at, count);
}

void CGSValues::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_values, m_lineCount, at, count);
  DeleteLineEntries(&m_decimals, m_lineCount, at, count);
  DeleteLineEntries(&m_exponents, m_lineCount, at, count);
  CGSKeyGadget::DeleteLines(at, count);
}

void CGSValues::SetLineCount(int count) {
  GrowLineEntries(&m_values, count, 0.0);
  GrowLineEntries(&m_decimals, count, 3);
  GrowLineEntries(&m_exponents, count, 0);
  CGSKeyGadget::SetLineCount(count);
}

// ---- CGSIntValues ----

CGSIntValues::CGSIntValues(CGCore* parent, int id, uint32_t titleId)
    : CGSKeyGadget(parent, id, 0, 40, 1, 12, titleId) {
  m_values.assign(static_cast<size_t>(m_capacity), 0);
}

void CGSIntValues::SetRange(int lower, int upper) {
  m_lower = lower;
  m_upper = upper;
}

void CGSIntValues::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  OpenOnRelease();
}

void CGSIntValues::GetLineValueText(int line, std::string* text) {
  if (InLines(line)) *text = std::to_string(m_values[static_cast<size_t>(line)]);
}

void CGSIntValues::SetLineIntValue(int line, int value) {
  if (InLines(line)) m_values[static_cast<size_t>(line)] = value;
}

void CGSIntValues::SetLineValueText(int line, const std::string& text) {
  if (!InLines(line)) return;
  int v = ParseLeadingInt(ToHalfWidthNumber(text));
  if (v > m_upper) v = m_upper;
  if (v < m_lower) v = m_lower;
  m_values[static_cast<size_t>(line)] = v;
}

void CGSIntValues::GetLineIntValue(int line, int* value) {
  if (InLines(line)) *value = m_values[static_cast<size_t>(line)];
}

void CGSIntValues::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_values, m_lineCount, at, count, 0);
  CGSKeyGadget::InsertLines(at, count);
}

void CGSIntValues::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_values, m_lineCount, at, count);
  CGSKeyGadget::DeleteLines(at, count);
}

void CGSIntValues::SetLineCount(int count) {
  GrowLineEntries(&m_values, count, 0);
  CGSKeyGadget::SetLineCount(count);
}

// ---- CGSComboBoxs ----

CGSComboBoxs::CGSComboBoxs(CGCore* parent, int id, uint32_t titleId, int width, int itemCount,
                           const uint32_t* itemIds, const int* keys)
    : CGSKeyGadget(parent, id, 0, width, 1, 12, titleId) {
  LoadItems(itemCount, itemIds);
  if (keys)
    for (int i = 0; i < itemCount; ++i) m_keys[static_cast<size_t>(i)] = keys[i];
  m_selections.assign(static_cast<size_t>(m_capacity), 0);
}

void CGSComboBoxs::SetItemCount(int count) {
  if (m_itemCapacity < count) {
    FreeItems();
    m_items.assign(static_cast<size_t>(count), std::string());
    m_keys.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) m_keys[static_cast<size_t>(i)] = i;
    m_itemCapacity = count;
  }
  m_itemCount = count;
}

void CGSComboBoxs::FreeItems() {
  m_items.clear();
  m_keys.clear();
  m_itemCapacity = 0;
}

void CGSComboBoxs::LoadItems(int count, const uint32_t* ids) {
  SetItemCount(count);
  for (int i = 0; i < count && ids; ++i) m_items[static_cast<size_t>(i)] = vt::LoadString(ids[i]);
}

bool CGSComboBoxs::ItemText(int line, std::string* text) const {
  if (!InLines(line) || m_itemCount <= 0) return false;
  const int sel = m_selections[static_cast<size_t>(line)];
  if (sel < 0) return false;
  *text = m_items[static_cast<size_t>(sel % m_itemCount)];
  return true;
}

void CGSComboBoxs::GetLineValueText(int line, std::string* text) { ItemText(line, text); }

void CGSComboBoxs::SetLineValueText(int line, const std::string& text) {
  if (!InLines(line)) return;
  for (int i = m_itemCount - 1; i >= 0; --i)
    if (m_items[static_cast<size_t>(i)] == text) {
      m_selections[static_cast<size_t>(line)] = i;
      return;
    }
}

void CGSComboBoxs::SetLineIntValue(int line, int value) {
  if (!InLines(line)) return;
  int found = -1;
  for (int i = 0; i < m_itemCount && found < 0; ++i)
    if (m_keys[static_cast<size_t>(i)] == value) found = i;
  m_selections[static_cast<size_t>(line)] = found;
}

void CGSComboBoxs::GetLineIntValue(int line, int* value) {
  if (!InLines(line)) return;
  const int sel = m_selections[static_cast<size_t>(line)];
  if (sel >= 0 && sel < m_itemCount) *value = m_keys[static_cast<size_t>(sel)];
}

void CGSComboBoxs::GetLineSelection(int line, int* index) {
  if (InLines(line)) *index = m_selections[static_cast<size_t>(line)];
}

void CGSComboBoxs::SetLineSelection(int line, int index) {
  if (InLines(line)) m_selections[static_cast<size_t>(line)] = index;
}

void CGSComboBoxs::SetSelectedIndex(int index) { SetLineSelection(FocusLine(), index); }

void CGSComboBoxs::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_selections, m_lineCount, at, count, 0);
  CGSKeyGadget::InsertLines(at, count);
}

void CGSComboBoxs::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_selections, m_lineCount, at, count);
  CGSKeyGadget::DeleteLines(at, count);
}

void CGSComboBoxs::SetLineCount(int count) {
  GrowLineEntries(&m_selections, count, 0);
  CGSKeyGadget::SetLineCount(count);
}

void CGSComboBoxs::OpenDropDown(int dropped) {
  FireEvent(GEVENT_EDIT_BEGIN);
  const int line = FocusLine();
  vt::Rect r;
  GetLineRect(line, &r);
  const int current = InLines(line) ? m_selections[static_cast<size_t>(line)] : -1;
  EditWithCombo(r.left, r.top, r.right, r.bottom, m_listHeight, CellFont(), m_itemCount, m_items.data(),
                nullptr, current, dropped);
}

int CGSComboBoxs::EndEdit(int closeCode) {
  Redraw();
  Flush();
  NavigateAfterEdit(closeCode);
  return 0;
}

void CGSComboBoxs::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  OpenOnRelease();
}

void CGSComboBoxs::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  dc->FillSolidRect(InflateRect(cell, -1, -1), IsLineSelected(line) ? kCellSelected : kCell);
  if (m_cellFrameWidth > 0)
    DrawBevelLines(dc, m_cellFrameWidth, kBlack, kBevelDark, cell.left, cell.top, cell.right, cell.bottom);
  const int state = GetEffectiveLineStyle(line);
  if (!(state & GSTYLE_VISIBLE)) return;
  const vt::Rect inner = InflateRect(cell, -2, -2);
  DrawComboArrowButton(dc, state, inner.right - 15, inner.top, inner.right, inner.bottom);
  std::string text;
  if (!ItemText(line, &text)) return;
  const vt::Font* old = dc->SelectFont(CellFont());
  const int h = dc->GetTextMetrics().height;
  dc->SelectFont(old);
  DrawTextAt(CellFont(), dc, inner.left, (inner.top + inner.bottom) / 2 - h / 2, vt::kTaLeft | vt::kTaTop,
             (state & GSTYLE_ENABLED) ? kTextActive : kTextInactive, text);
}

// The numeric columns of a sheet (see GSheetDigitals.h).
#include "gadget/sheet/GSheetDigitals.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GText.h"
#include "gadget/sheet/SheetCellColors.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "recorder/RecorderStatus.h"

using namespace vt::sheetcell;

namespace {
constexpr int kStatusNoData = 3;
}  // namespace

const char* SheetStatusText(int status) {
  if (const char* text = SampleStatusText(status)) return text;
  return status == 0 || status == kStatusNoData ? "" : "- OFF -";
}

std::string SheetNumberText(double value, int decimals, int exponent) {
  if (!exponent) return vt::FormatC("%.*f", decimals < 0 ? 0 : decimals, value);
  std::string text = vt::FormatExp3(value, decimals < 0 ? 0 : decimals);
  TrimExponentText(&text);
  return text;
}

std::string SheetValueText(double value, int status, int decimals, int exponent) {
  return status == 0 ? SheetNumberText(value, decimals, exponent) : std::string(SheetStatusText(status));
}

// ---- CGSDigitals ----

CGSDigitals::CGSDigitals(CGCore* parent, int id, int width, uint32_t titleId)
    : CGSheetArray(parent, id, 0, width, 1, 12, titleId) {
  const auto n = static_cast<size_t>(m_capacity);
  m_values.assign(n, 0.0);
  m_statuses.assign(n, 0);
  m_decimals.assign(n, 0);
  m_exponents.assign(n, 0);
}

void CGSDigitals::GetLineValueText(int line, std::string* text) {
  if (!InLines(line)) return;
  const auto i = static_cast<size_t>(line);
  *text = SheetValueText(m_values[i], m_statuses[i], m_decimals[i], m_exponents[i]);
}

void CGSDigitals::SetLineDecimals(int line, int n) {
  if (InLines(line)) m_decimals[static_cast<size_t>(line)] = n;
}

void CGSDigitals::SetLineExponent(int line, int flag) {
  if (InLines(line)) m_exponents[static_cast<size_t>(line)] = flag;
}

void CGSDigitals::SetLineValue(int line, double value) {
  if (InLines(line)) m_values[static_cast<size_t>(line)] = value;
}

void CGSDigitals::GetLineValue(int line, double* value) {
  if (InLines(line)) *value = m_values[static_cast<size_t>(line)];
}

void CGSDigitals::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) {
    InsertLineEntries(&m_values, m_lineCount, at, count, 0.0);
    InsertLineEntries(&m_statuses, m_lineCount, at, count, 0);
    InsertLineEntries(&m_decimals, m_lineCount, at, count, 0);
    InsertLineEntries(&m_exponents, m_lineCount, at, count, 0);
  }
  CGSheetArray::InsertLines(at, count);
}

void CGSDigitals::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_values, m_lineCount, at, count);
  DeleteLineEntries(&m_statuses, m_lineCount, at, count);
  DeleteLineEntries(&m_decimals, m_lineCount, at, count);
  DeleteLineEntries(&m_exponents, m_lineCount, at, count);
  CGSheetArray::DeleteLines(at, count);
}

void CGSDigitals::SetLineCount(int count) {
  GrowLineEntries(&m_values, count, 0.0);
  GrowLineEntries(&m_statuses, count, 0);
  GrowLineEntries(&m_decimals, count, 0);
  GrowLineEntries(&m_exponents, count, 0);
  CGSheetArray::SetLineCount(count);
}

bool CGSDigitals::InHorizontalView() const {
  const CGScroll* body = GetScroll();
  if (!body) return true;
  return !(m_rect.right < body->m_scrollX || m_rect.left >= body->m_scrollX + body->ViewWidth());
}

void CGSDigitals::Draw(vt::DeviceContext* dc) {
  if (!InHorizontalView()) return;
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawCell(dc, line, r); });
}

void CGSDigitals::DrawLine(vt::DeviceContext* dc, int line) {
  ForOneLine(dc, line, [&](int l, const vt::Rect& r) { DrawCell(dc, l, r); });
}

void CGSDigitals::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::ColorRef back = IsLineSelected(line) ? kCellSelected : kCell;
  const vt::ColorRef text = (GetLineStyle(line) & GSTYLE_ENABLED) ? kTextActive : kTextInactive;
  if (m_cellFrameWidth > 0) FillBevelRect(dc, cell, m_cellFrameWidth, back, kBlack, kBevelDark);
  std::string s;
  GetLineValueText(line, &s);
  DrawTextInRect(cell, kAlignRight, 0, 0, text, CellFont(), s, 5, dc);
}

void CGSDigitals::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  if (!IsInPrintPage()) return;
  ForPrintLines([&](int line, const vt::Rect& r) { PrintCell(dc, line, r); });
}

void CGSDigitals::PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawRectSides(dc, 2 | 8, kBlack, cell.left, cell.top, cell.right, cell.bottom);
  if (Status(line) != 0) return;
  std::string s;
  GetLineValueText(line, &s);
  DrawTextInRect(cell, kAlignRight, 0, 0, kBlack, m_printFont ? m_printFont->GetFont() : nullptr, s,
                 5 * GetPrintScale(), dc);
}

// ---- CGSAlarmDigitals ----

CGSAlarmDigitals::CGSAlarmDigitals(CGCore* parent, int id, uint32_t titleId)
    : CGSDigitals(parent, id, 100, titleId) {
  m_alarmBits.assign(static_cast<size_t>(m_capacity), 0);
  m_alarmMask.assign(static_cast<size_t>(m_capacity), 0x0F);
}

void CGSAlarmDigitals::SetLineAlarms(int line, int bits) {
  if (InLines(line)) m_alarmBits[static_cast<size_t>(line)] = static_cast<uint8_t>(bits);
}

void CGSAlarmDigitals::SetLineAlarmMask(int line, int mask) {
  if (InLines(line)) m_alarmMask[static_cast<size_t>(line)] = static_cast<uint8_t>(mask);
}

void CGSAlarmDigitals::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) {
    InsertLineEntries(&m_alarmBits, m_lineCount, at, count, uint8_t{0});
    InsertLineEntries(&m_alarmMask, m_lineCount, at, count, uint8_t{0x0F});
  }
  CGSDigitals::InsertLines(at, count);
}

void CGSAlarmDigitals::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_alarmBits, m_lineCount, at, count);
  DeleteLineEntries(&m_alarmMask, m_lineCount, at, count);
  CGSDigitals::DeleteLines(at, count);
}

void CGSAlarmDigitals::SetLineCount(int count) {
  GrowLineEntries(&m_alarmBits, count, uint8_t{0});
  GrowLineEntries(&m_alarmMask, count, uint8_t{0x0F});
  CGSDigitals::SetLineCount(count);
}

vt::ColorRef CGSAlarmDigitals::AlarmBoxColor(int line, int i) const {
  const auto l = static_cast<size_t>(line);
  if (!(m_alarmMask[l] & (1u << i))) return 0x02C0C0C0;
  return (m_alarmBits[l] & (1u << i)) ? 0x020000FF : 0x0200FF00;
}

bool CGSAlarmDigitals::ShowsBoxes(int line) const {
  const int status = Status(line);
  return m_showAlarms && status != 4 && status != 5;
}

void CGSAlarmDigitals::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  if (m_cellFrameWidth > 0) FillBevelRect(dc, cell, m_cellFrameWidth, kCell, kBlack, kBevelDark);
  const int style = GetLineStyle(line);
  if (!(style & GSTYLE_VISIBLE)) return;
  if (ShowsBoxes(line)) {
    const vt::Rect inner = InflateRect(cell, -2, -2);
    vt::Rect box{inner.left, inner.top, inner.left + 4, inner.bottom};
    for (int i = 0; i < m_alarmBoxCount; ++i, box = OffsetRect(box, 5, 0)) {
      dc->FillSolidRect(box, AlarmBoxColor(line, i));
      DrawBevelLines(dc, 1, kBlack, kBlack, box.left, box.top, box.right, box.bottom);
    }
  }
  const int status = Status(line);
  if (status == kStatusNoData || status == 4 || status == 5) return;
  std::string s;
  GetLineValueText(line, &s);
  DrawAlignedTextInset(dc, cell, kAlignRight, (style & GSTYLE_ENABLED) ? kTextActive : kTextInactive,
                       CellFont(), s, 5);
}

void CGSAlarmDigitals::PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawRectSides(dc, 2 | 8, kBlack, cell.left, cell.top, cell.right, cell.bottom);
  const int status = Status(line);
  if (status == kStatusNoData || status == 4 || status == 5) return;
  const int w = std::max(1, m_rect.Width());
  const int pw = cell.Width();
  const int k = pw / w;
  const int boxWidth = 4 * pw / w;
  const int inset = 2 * pw / w;
  for (int i = 0; i < m_alarmBoxCount; ++i) {
    const int left = cell.left + inset + i * (boxWidth + k);
    const vt::Rect box{left, cell.top + inset, left + boxWidth, cell.bottom - inset};
    if (m_alarmBits[static_cast<size_t>(line)] & (1u << i))
      dc->FillSolidRect(box, kBlack);
    else
      DrawRectSides(dc, 1 | 2 | 4 | 8, kBlack, box.left, box.top, box.right, box.bottom);
  }
  std::string s;
  GetLineValueText(line, &s);
  DrawTextInRect(cell, kAlignRight, 0, 0, kBlack, m_printFont ? m_printFont->GetFont() : nullptr, s,
                 5 * GetPrintScale(), dc);
}

// The trend sheet's data columns: per-row reads, value cells with padding, alarm icons, the
// channel title with its colour strip and corner marks, and printing.
#include "trend/NgSheetData.h"

#include "gadget/GDraw.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"

namespace {
constexpr vt::ColorRef kBlack = 0x02000000;
constexpr vt::ColorRef kRed = 0x020000FF;
constexpr vt::ColorRef kGreen = 0x0200FF00;
constexpr int kMinWidth = 100;  // the minimum's part of a min/max row
constexpr int kMaxWidth = 75;   // the maximum's part and the "Max" caption

const vt::Font* FontOf(CGFont* f) { return f ? f->GetFont() : nullptr; }
}  // namespace

int CGNgSData::UnitExtent(vt::DeviceContext* dc, const vt::Font* font, std::string* unit) const {
  GetUnitText(unit);
  const vt::Font* old = dc->SelectFont(font);
  const int width = dc->GetTextExtent(*unit).cx;
  dc->SelectFont(old);
  return width;
}

void CGNgSData::Refresh() {
  if (!m_channel) return;
  m_name.clear();
  m_unit.clear();
  m_channel->GetName(&m_name, m_nameKind);
  m_channel->GetUnit(&m_unit);
  m_decimals = m_channel->GetDecimals();
  m_colour = m_channel->GetColour();
  m_valueFormat = vt::FormatC(m_channel->IsExponent() == 1 ? "%%.%dlE" : "%%.%dlf", m_decimals);
  SetStyle(m_channel->IsShown() ? GSTYLE_ACTIVE : 0);
}

void CGNgSData::GetUnitText(std::string* text) const { *text = m_unit.empty() ? "" : "[" + m_unit + "]"; }

void CGNgSData::FormatCellText(int state, double value, std::string* text) const {
  if (state != NGS_VALUE) {
    *text = vt::NgStateText(state);
    return;
  }
  // The exponent form keeps three exponent digits (1.250E+001), as the files' other readers show it.
  const bool exponent = !m_valueFormat.empty() && m_valueFormat.back() == 'E';
  *text = exponent ? vt::FormatExp3(value, m_decimals)
                   : vt::FormatC("%.*f", m_decimals < 0 ? 0 : m_decimals, value);
}

NgRowRead CGNgSData::ReadRow(int row) const {
  NgRowRead rd;
  if (!m_channel || !m_timeSource) return rd;
  PreciseTime t;
  m_timeSource->GetRowTime(&t, row);
  if (m_minMax)
    m_channel->ReadRowMinMax(t, &rd.inData, &rd.exact, &rd.value, &rd.max, &rd.status);
  else
    m_channel->ReadRowValue(t, &rd.inData, &rd.exact, &rd.value, &rd.status);
  rd.read = true;
  return rd;
}

int CGNgSData::AlarmIconCell(uint16_t status, int bit, bool selected, bool exact, bool inside) {
  return ((status >> bit) & 1 ? 0 : 8) + (selected ? 4 : 0) + (exact ? 0 : 2) + (inside ? 1 : 0);
}

void CGNgSData::DrawDataCell(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside,
                             const NgRowRead& rd, int lineState, bool even, const std::string& text) {
  const int w = m_cellFrameWidth;
  FillNgSheetCell(dc, rect, selected, inside, even, w);
  if (!Shows(rd)) return;
  const vt::Rect r{rect.left + w, rect.top + w, rect.right - w, rect.bottom - w};
  DrawNgSheetCellText(dc, r, selected, inside, rd.exact ? lineState : GSTYLE_VISIBLE, 4, kAlignRight,
                      CellFont(), text);
}

void CGNgSData::DrawAlarmIcons(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside,
                               const NgRowRead& rd) {
  const NgIconStrip& icons = g_ngSheetLook.alarmIcons;
  if (!m_showAlarms || !Shows(rd) || !icons.image) return;
  for (int bit = 0; bit < 4; ++bit) {
    const int x = rect.left + 1 + 5 * bit;
    DrawBitmapCellBlended(dc, vt::Rect{x, rect.top, x + 6, rect.bottom}, icons.image->GetBitmap(),
                          icons.mask ? icons.mask->GetBitmap() : nullptr,
                          AlarmIconCell(rd.status, bit, selected, rd.exact != 0, inside),
                          icons.block.cellWidth, icons.block.cellHeight);
  }
}

void CGNgSData::DrawRow(vt::DeviceContext* dc, int line, const vt::Rect& r) {
  const NgRowRead rd = ReadRow(line);
  const bool selected = IsLineSelected(line);
  const bool inside = selected && !IsSelectionEnd(line);
  const bool even = line % 2 == 0;
  const int state = GetEffectiveLineStyle(line);
  std::string text;
  FormatCellText(NgFirstState(rd.status), rd.value, &text);
  if (!m_minMax) {
    DrawDataCell(dc, r, selected, inside, rd, state, even, text);
  } else {
    DrawDataCell(dc, vt::Rect{r.left, r.top, r.left + kMinWidth, r.bottom}, selected, inside, rd, state, even,
                 text);
    FormatCellText(NgSecondState(rd.status), rd.max, &text);
    DrawDataCell(dc, vt::Rect{r.left + kMinWidth, r.top, r.right, r.bottom}, selected, inside, rd, state,
                 even, text);
  }
  DrawAlarmIcons(dc, r, selected, inside, rd);
}

void CGNgSData::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawRow(dc, line, r); });
}

void CGNgSData::DrawLine(vt::DeviceContext* dc, int line) {
  if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
  ClipToVisibleRect(dc);
  vt::Rect r;
  GetLineRect(line, &r);
  DrawRow(dc, line, r);
}

// ---- title ----

int CGNgSData::GetTitleLine(vt::DeviceContext* dc, int width, const vt::Font* font, vt::Size* extent,
                            std::string* text) const {
  const vt::Font* old = dc->SelectFont(font);
  auto fits = [&](const std::string& s) {
    *extent = dc->GetTextExtent(s);
    return extent->cx <= width;
  };
  int result = 1;
  if (!m_minMax) {
    *text = m_name;
    result = fits(*text) ? 1 : 0;
  } else if (fits(*text = m_unit.empty() ? m_name : m_name + " [" + m_unit + "]")) {
    result = 1;
  } else if (m_unit.empty()) {
    *text = m_name;
    result = 0;
  } else {
    *text = " [" + m_unit + "]";
    if (!fits(*text)) text->clear();
    vt::Size u = dc->GetTextExtent(m_unit + " [ ]");
    if (u.cx < width - 10) result = 0;
    *extent = dc->GetTextExtent(*text);
  }
  dc->SelectFont(old);
  return result;
}

void CGNgSData::DrawTitleCell(vt::DeviceContext* dc, int top, int bottom, int look) {
  CGSheet* sheet = GetSheet();
  if (!sheet || !IsKindOfClass(sheet->m_columnHeader, GCLASS(CGNgSColumn))) return;
  auto* header = static_cast<CGNgSColumn*>(sheet->m_columnHeader);
  vt::Rect r;
  GetAbsoluteRect(&r);
  r.top = top;
  r.bottom = bottom;
  const int h = (bottom - top - 4) / 2;
  const int state = GetEffectiveStyle() & header->GetEffectiveStyle();
  auto drawLook = [&](const vt::Rect& rect, int bg, const std::string& text) {
    if (look == 1)
      header->DrawTitlePressed(dc, rect, bg, m_titleStyle, state, nullptr, text);
    else if (look == 2)
      header->DrawTitleHot(dc, rect, bg, m_titleStyle, state, nullptr, text);
    else
      header->DrawTitleNormal(dc, rect, bg, m_titleStyle, state, nullptr, text);
  };
  drawLook(r, TitleBackgroundFlag(), "");
  const vt::Font* font = FontOf(header->GetFont(0));
  vt::Rect upper{r.left, r.top, r.right, r.top + h};
  vt::Size extent{};
  std::string text;
  const int fits = GetTitleLine(dc, upper.Width(), font, &extent, &text);
  if (fits) {
    drawLook(upper, 0, text);
  } else if (!m_minMax) {
    upper.right -= extent.cy * 10 / 14;
    header->DrawTitleFitted(dc, upper, m_titleStyle, state, font, m_name);
  } else {
    std::string unit;
    const int uw = UnitExtent(dc, font, &unit);
    drawLook(vt::Rect{upper.right - uw, upper.top, upper.right + 2, upper.bottom}, 0, unit);
    upper.right -= extent.cy * 10 / 14 + uw + 2;
    header->DrawTitleFitted(dc, upper, m_titleStyle, state, font, m_name);
  }
  if (!m_minMax) {
    std::string unit;
    GetUnitText(&unit);
    drawLook(vt::Rect{r.left, r.top + h, r.right, r.bottom - 4}, 0, unit);
  } else {
    drawLook(vt::Rect{r.left + 25, r.top + h, r.right - kMaxWidth, r.bottom - 4}, 0, "Min");
    drawLook(vt::Rect{r.right - kMaxWidth, r.top + h, r.right, r.bottom - 4}, 0, "Max");
  }
  FillBevelRect(dc, vt::Rect{r.left - 1, r.bottom - 4, r.right, r.bottom}, 1, m_colour, kBlack, kBlack);
  if (m_selected) DrawCornerMarks(dc, r, GetEffectiveStyle());
}

void CGNgSData::DrawCornerMarks(vt::DeviceContext* dc, const vt::Rect& r, int state) {
  const NgIconStrip& c = g_ngSheetLook.cornerMarks;
  if (!c.image) return;
  const int add = state == 0 ? 1 : 0;
  const vt::Rect cells[4] = {{r.left + 1, r.top + 1, r.left + 15, r.top + 15},
                             {r.left + 1, r.bottom - 4 - 14, r.left + 15, r.bottom - 4},
                             {r.right - 1 - 14, r.top + 1, r.right - 1, r.top + 15},
                             {r.right - 15, r.bottom - 18, r.right - 1, r.bottom - 4}};
  for (int i = 0; i < 4; ++i)
    DrawBitmapCellBlended(dc, cells[i], c.image->GetBitmap(), c.mask ? c.mask->GetBitmap() : nullptr,
                          2 * i + add, c.block.cellWidth, c.block.cellHeight);
}

// ---- printing ----

void CGNgSData::PrintValueCell(vt::DeviceContext* dc, const vt::Rect& rect, const NgRowRead& rd,
                               const std::string& text) {
  const int s = GetPrintScale();
  DrawRectEdges(kBlack, 2 | 8, dc, rect.left, rect.top, rect.right, rect.bottom);
  if (Shows(rd))
    DrawAlignedText(dc, vt::Rect{rect.left, rect.top, rect.right - 2 * s, rect.bottom}, kAlignRight,
                    m_printColour ? m_colour : kBlack, FontOf(PrintFont()), text);
}

void CGNgSData::PrintAlarmMarks(vt::DeviceContext* dc, const vt::Rect& rect, const NgRowRead& rd) {
  if (!m_showAlarms || !Shows(rd)) return;
  const int s = GetPrintScale();
  for (int bit = 0; bit < 4; ++bit) {
    const int x = rect.left + 2 * s + 7 * s * bit;
    DrawSolidFrame(dc, vt::Rect{x, rect.top + 2 * s, x + 6 * s, rect.bottom - 2 * s}, s, 1, kBlack,
                   (rd.status >> bit) & 1 ? kRed : kGreen);
  }
}

void CGNgSData::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  const int s = GetPrintScale();
  ForPrintLines([&](int line, const vt::Rect& r) {
    const NgRowRead rd = ReadRow(line);
    std::string text;
    FormatCellText(NgFirstState(rd.status), rd.value, &text);
    if (!m_minMax) {
      PrintValueCell(dc, r, rd, text);
    } else {
      PrintValueCell(dc, vt::Rect{r.left, r.top, r.left + kMinWidth * s, r.bottom}, rd, text);
      FormatCellText(NgSecondState(rd.status), rd.max, &text);
      PrintValueCell(dc, vt::Rect{r.left + kMinWidth * s, r.top, r.right, r.bottom}, rd, text);
    }
    PrintAlarmMarks(dc, r, rd);
  });
}

void CGNgSData::PrintTitle(vt::DeviceContext* dc, int top, int bottom) {
  const int s = GetPrintScale();
  vt::Rect r;
  GetLinePrintRect(0, &r);
  r.top = top;
  r.bottom = bottom;
  const int h = (bottom - top - 4 * s) / 2;
  DrawRectEdges(kBlack, 1 | 2 | 8, dc, r.left, r.top, r.right, r.bottom);
  DrawSolidFrame(dc, vt::Rect{r.left, r.bottom - 4 * s, r.right, r.bottom}, 1, 1, kBlack, m_colour);
  const vt::Font* font = FontOf(PrintFont());
  vt::Rect upper{r.left, r.top, r.right, r.top + h};
  vt::Size extent{};
  std::string text;
  if (GetTitleLine(dc, upper.Width(), font, &extent, &text)) {
    DrawAlignedText(dc, upper, kAlignCenter, kBlack, font, text);
  } else if (!m_minMax) {
    upper.right -= extent.cy * 10 / 14;
    DrawTextWithEllipsis(dc, upper, font, kBlack, m_name);
  } else {
    std::string unit;
    const int uw = UnitExtent(dc, font, &unit);
    DrawAlignedText(dc, vt::Rect{upper.right - uw, upper.top, upper.right + 2 * s, upper.bottom},
                    kAlignCenter, kBlack, font, unit);
    upper.right -= (extent.cy * 10 / 14 + uw + 2) * s;
    DrawTextWithEllipsis(dc, upper, font, kBlack, m_name);
  }
  if (!m_minMax) {
    std::string unit;
    GetUnitText(&unit);
    DrawAlignedText(dc, vt::Rect{r.left, r.top + h, r.right, r.bottom - 4 * s}, kAlignCenter, kBlack, font,
                    unit);
  } else {
    DrawAlignedText(dc, vt::Rect{r.left + 25 * s, r.top + h, r.right - kMaxWidth * s, r.bottom - 4 * s},
                    kAlignCenter, kBlack, font, "Min");
    DrawAlignedText(dc, vt::Rect{r.right - kMaxWidth * s, r.top + h, r.right, r.bottom - 4 * s}, kAlignCenter,
                    kBlack, font, "Max");
  }
}

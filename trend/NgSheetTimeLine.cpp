// The trend sheet's time column: row time texts, mark icons and row selection by mouse.
#include "trend/NgSheetTimeLine.h"

#include <cfloat>
#include <cmath>
#include <ctime>

#include "gadget/GDraw.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetSkin.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/VirtualKeys.h"
#include "recorder/ZoneTime.h"
#include "trend/NgHooks.h"

namespace {
constexpr vt::ColorRef kBlack = 0x02000000;
constexpr vt::ColorRef kGreenMark = 0x0200FF00;
}  // namespace

int GetIntervalDecimals(double interval) {
  const std::string text = vt::FormatC("%.4f", interval);
  std::string digits = text.size() >= 4 ? text.substr(text.size() - 4) : text;
  int count = 4;
  while (count > 0 && !digits.empty() && digits.back() == '0') {
    digits.pop_back();
    --count;
  }
  return count;
}

std::string FormatRowTime(PreciseTime t, int decimals) {
  const ZoneTime zone(t.seconds);
  const std::string date = zone.Format("%Y/%m/%d");
  const int hour = zone.GetHour();
  std::tm tm{};
  const bool broken = zone.GetLocalTm(&tm) != nullptr;
  const int minute = broken ? tm.tm_min : 0;
  const double s = PreciseTime::ToSeconds(t);
  const double seconds = (broken ? tm.tm_sec : 0) + (s - std::floor(s));
  if (decimals <= 0) return vt::FormatC("%s %02d:%02d:%02d", date.c_str(), hour, minute, int(seconds));
  return vt::FormatC("%s %02d:%02d:%0*.*f", date.c_str(), hour, minute, decimals + 3, decimals, seconds);
}

CGNgSTimeLine::CGNgSTimeLine(CGCore* sheet, int id, int style, int lineStatesOn, int width,
                             int cellFrameWidth, int fontSize, const char* title)
    : CGSkSLine(sheet, id, style, lineStatesOn, width, cellFrameWidth, fontSize, title, kAlignRight, 0, "%d"),
      m_baseWidth(width) {
  m_timeFont = GetSharedFont(fontSize, g_ngSheetLook.timeLine.skin.fontStyle, 0);
  m_title = vt::LoadString(g_ngSheetLook.timeTitleId);
}

double CGNgSTimeLine::GetMinSampleInterval() const {
  double m = FLT_MAX;
  for (int i = 0; i < m_channelCount; ++i)
    if (m_channels && m_channels[i]) m = std::min(m, m_channels[i]->GetSampleInterval());
  return m;
}

void CGNgSTimeLine::UpdateWidth() { SetWidth(m_baseWidth + 7 * GetIntervalDecimals(GetMinSampleInterval())); }

void CGNgSTimeLine::GetRowTimeText(int row, std::string* text) const {
  text->clear();
  if (!m_timeSource) return;
  PreciseTime t;
  m_timeSource->GetRowTime(&t, row);
  *text = FormatRowTime(t, GetIntervalDecimals(GetMinSampleInterval()));
}

int CGNgSTimeLine::GetMarkCount(int row) const { return m_timeSource ? m_timeSource->GetMarkCount(row) : 0; }

vt::ColorRef CGNgSTimeLine::GetMarkColour(int row) const {
  return m_timeSource ? m_timeSource->GetMarkColour(row) : kGreenMark;
}

int CGNgSTimeLine::MarkIconCell(int row, int lineState) const {
  const int n = GetMarkCount(row);
  if (n < 1) return -1;
  const bool green = GetMarkColour(row) == kGreenMark;
  return (n == 1 ? (green ? 2 : 0) : (green ? 6 : 4)) + (lineState == 0 ? 1 : 0);
}

void CGNgSTimeLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const SheetLineSkinCopy& copy = g_ngSheetLook.timeLine;
  const SGSLineSkin& skin = copy.skin;
  const bool selected = IsLineSelected(line);
  const bool inside = selected && !IsSelectionEnd(line);
  const int state = GetEffectiveLineStyle(line);
  DrawNgSheetLineCell(skin, dc, cell, copy.image, copy.mask, selected, inside, state, line % 2 == 0);
  const vt::Rect inner =
      ShrinkByMargins(cell, skin.marginLeft, skin.marginTop, skin.marginRight, skin.marginBottom);
  std::string text;
  GetRowTimeText(line, &text);
  DrawNgSheetLineText(skin, dc, inner, selected, state, m_timeFont ? m_timeFont->GetFont() : nullptr, 5,
                      m_alignment, text);
  const int icon = MarkIconCell(line, state);
  const NgIconStrip& marks = g_ngSheetLook.markIcons;
  if (icon < 0 || !marks.image) return;
  DrawBitmapCellBlended(dc, vt::Rect{inner.left, inner.top, inner.left + 13, inner.bottom},
                        marks.image->GetBitmap(), marks.mask ? marks.mask->GetBitmap() : nullptr, icon,
                        marks.block.cellWidth, marks.block.cellHeight);
}

void CGNgSTimeLine::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (flags & vt::kMkShift) {
    SelectMove(x, y);
    return;
  }
  CGSheet* sheet = GetSheet();
  if (!sheet || !HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  int row = LineAtPoint(x, y);
  if (row < 0) row = LineFromPoint(x, y);
  sheet->SetSelection(row, row);
  ShowSelectionChange(false);
  FireEvent(GEVENT_CHANGED);
  if (NgSheetRowSelectHook) NgSheetRowSelectHook(sheet, 0, 0);
}

void CGNgSTimeLine::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  CGSLine::OnLButtonUp(flags, x, y);
  if (m_markClickArmed && NgSheetMarkClickHook) {
    NgSheetMarkClickHook(this, 0, 0);
    m_markClickArmed = 0;
  }
  if (NgSheetRowSelectHook) NgSheetRowSelectHook(GetSheet(), 0, 0);
}

void CGNgSTimeLine::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (LineAtPoint(x, y) >= 0) m_markClickArmed = 1;
}

void CGNgSTimeLine::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  ForPrintLines([&](int line, const vt::Rect& r) { PrintLine(dc, r, line); });
}

void CGNgSTimeLine::PrintLine(vt::DeviceContext* dc, const vt::Rect& rect, int row) {
  const int s = GetPrintScale();
  DrawRectEdges(kBlack, 2 | 4 | 8, dc, rect.left, rect.top, rect.right, rect.bottom);
  std::string text;
  GetRowTimeText(row, &text);
  DrawAlignedTextInset(dc, rect, kAlignRight, kBlack, PrintFont() ? PrintFont()->GetFont() : nullptr, text,
                       5 * s);
  const int n = GetMarkCount(row);
  if (n < 1) return;
  const vt::ColorRef fill = m_timeSource ? m_timeSource->GetMarkColourAt(row, 0) : kGreenMark;
  DrawMarkSymbol(dc, vt::Rect{rect.left + 2 * s, rect.top + 2 * s, rect.left + 13 * s, rect.bottom - 2 * s},
                 fill, kBlack, n, s);
}

void DrawMarkSymbol(vt::DeviceContext* dc, const vt::Rect& rect, vt::ColorRef fill, vt::ColorRef pen,
                    int count, int scale) {
  const int l = rect.left, t = rect.top, w = rect.Width(), h = rect.Height();
  const vt::Point p[6] = {{l, t},
                          {l + scale, t},
                          {l + w, t + int(0.33 * h)},
                          {l + 2 * scale, t + int(0.66 * h)},
                          {l + 2 * scale, t + h},
                          {l, t + h}};
  DrawFilledPolygon(dc, p, 6, fill, pen);
  if (count < 2) return;
  DrawLine(dc, scale, pen, l + w, t + int(0.7 * h), l + int(0.5 * w), t + int(0.7 * h));
  DrawLine(dc, scale, pen, l + int(0.75 * w), t + h - scale, l + int(0.75 * w), t + int(0.5 * h));
}

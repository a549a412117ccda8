// Time-axis mappings, mark placement, label and division texts, and drawing.
//
// Spans of zero, negative or non-finite size never reach a division or an int: an empty shown
// range is mapped as the range widened by one division each side (as printing does), and the
// mark walks stop at a bounded count.
#include "trend/TimeAxis.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GText.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/StringTable.h"
#include "recorder/ZoneTime.h"

uint32_t g_timeAxisTextIds[7] = {5001, 0, 5020, 5021, 5022, 5023, 5024};

std::string LoadTimeAxisText(int index) {
  if (index < 0 || index > 6 || !g_timeAxisTextIds[index]) return std::string();
  return vt::LoadString(g_timeAxisTextIds[index]);
}

namespace {

constexpr int kMaxMarks = 100000;

bool Breakdown(double t, std::tm* tm) { return ZoneTime(int64_t(std::trunc(t))).GetLocalTm(tm) != nullptr; }

int HourOf(double t) {
  std::tm tm{};
  return Breakdown(t, &tm) ? tm.tm_hour : -1;
}

std::string FormatDate(const char* format, double t) {
  return ZoneTime(int64_t(std::trunc(t))).Format(format);
}

int RegularX(double t, double s, double S, int left, int width) {
  return left + int(std::floor((t - s) / S * (width - 1) + 0.5));
}

}  // namespace

// ---- generic axes ----

CGXAxis::CGXAxis(CGCore* parent) : CGAxis(parent, 0, 0, 100, 8, 3, 0x02FFFFFF) {}

CGTrendAxis::CGTrendAxis(CGCore* parent) : CGXAxis(parent) {
  m_baseTime = int64_t(std::time(nullptr));
  UpdateTitle();
  RecalcDivision();
}

void CGTrendAxis::SetSize(int w, int h) {
  CGXAxis::SetSize(w, h);
  RecalcRange();
}

void CGTrendAxis::RecalcDivision() {
  const int z = m_zoom == 0 ? 1 : m_zoom;
  double raw = z > 0 ? m_sampleInterval * 120 * z : m_sampleInterval * 120 / -z;
  raw = std::max(std::floor(raw * 10) / 10, 0.1);
  static const double kSteps[] = {0.1, 0.2, 0.5, 1,   5,    10,   15,    30,
                                  60,  300, 600, 900, 1800, 3600, 43200, 86400};
  double b = kSteps[0];
  for (double s : kSteps)
    if (s <= raw) b = s;
  m_division = std::floor(raw / b) * b;
  UpdateUnitText();
}

void CGTrendAxis::UpdateUnitText() {
  m_unit = m_relative           ? "[DAY h:m:s]"
           : m_division < 3600  ? "[h:m:s]"
           : m_division < 86400 ? "[M/D h:m]"
                                : "[Y/M/D]";
}

void CGTrendAxis::UpdateTitle() { m_title = vt::LoadString(m_titleIds[m_relative == 1 ? 1 : 0]); }

// ---- the trend panel's time axis ----

CGNgTAxis::CGNgTAxis(CGCore* parent) : CGTrendAxis(parent) {
  m_relative = 0;
  UpdateTitle();
  UpdateUnitText();
}

void CGNgTAxis::RecalcRange() {
  m_shownStart = PreciseTime::ToSeconds(m_shownRangeStart);
  m_shownEnd = PreciseTime::ToSeconds(m_shownRangeEnd);
  UpdateUnitText();
}

std::string CGNgTAxis::UnitTextFor(double d) {
  return d < 3600 ? "[h:m:s]" : d < 86400 ? "[M/D h:m]" : d < 2592000 ? "[Y/M/D]" : "[Y/M]";
}

void CGNgTAxis::UpdateUnitText() { m_unit = UnitTextFor(m_division); }
void CGNgTAxis::UpdateTitle() { m_title = LoadTimeAxisText(0); }
void CGNgTAxis::RecalcPrintRange() {
  RecalcRange();
  UpdatePrintUnitText();
}
void CGNgTAxis::UpdatePrintUnitText() { m_printUnit = UnitTextFor(m_division); }

void CGNgTAxis::GetShownRange(PreciseTime* start, PreciseTime* end) const {
  *start = m_shownRangeStart;
  *end = m_shownRangeEnd;
}

void CGNgTAxis::MappedRange(PreciseTime* start, double* span) const {
  PreciseTime s = m_shownRangeStart, e = m_shownRangeEnd;
  if (s == e) {
    const double d = m_division > 0 && std::isfinite(m_division) ? m_division : 1.0;
    s = PreciseTime::ToSeconds(s) > d ? PreciseTime::AddSeconds(s, -d) : PreciseTime{};
    e = PreciseTime::AddSeconds(e, d);
  }
  *start = s;
  *span = vt::SpanSeconds(s, e);
}

namespace {

int MapTime(PreciseTime t, PreciseTime start, double S, int left, int width) {
  if (!(S > 0)) return left;
  double x;
  if (t >= start)
    x = std::trunc(vt::SpanSeconds(start, t) / S * width);
  else
    x = -std::trunc(vt::SpanSeconds(t, start) / S * width);
  return left + int(std::clamp(x, -1.0e9, 1.0e9));
}

}  // namespace

int CGNgTAxis::TimeToX(PreciseTime t) const {
  PreciseTime start;
  double S;
  MappedRange(&start, &S);
  return MapTime(t, start, S, m_rect.left, m_rect.Width());
}

int CGNgTAxis::TimeToPrintX(PreciseTime t) const {
  PreciseTime start;
  double S;
  MappedRange(&start, &S);
  return MapTime(t, start, S, m_printRect.left, m_printRect.Width());
}

PreciseTime CGNgTAxis::XToTime(int x) const {
  const int W = m_rect.Width();
  const double S = vt::SpanSeconds(m_shownRangeStart, m_shownRangeEnd);
  if (W <= 0) return m_shownRangeStart;
  return PreciseTime::AddSeconds(m_shownRangeStart, S * (x - m_rect.left) / W);
}

PreciseTime CGNgTAxis::XToTimeClamped(int x) const {
  return XToTime(m_rect.left + std::clamp(x - m_rect.left, 0, std::max(m_rect.Width(), 0)));
}

// ---- placement and texts ----

TimePlacement CGNgTAxis::LabelPlacement(double d) {
  if (d < 7200) return TimePlacement::kRegular;
  if (d < 86400) return TimePlacement::kHourScan;
  if (d < 604800) return TimePlacement::kMidnight;
  if (d < 2592000) return TimePlacement::kMondays;
  if (d < 7776000) return TimePlacement::kMonths;
  return TimePlacement::kQuarters;
}

TimePlacement CGNgTAxis::TickPlacement(double d) {
  if (d <= 3600) return TimePlacement::kRegular;
  return d < 86400 ? TimePlacement::kHourScan : LabelPlacement(d);
}

std::string CGNgTAxis::FormatDivisionText(double d) {
  std::string number;
  int unit = 2;
  if (d < 0.1)
    number = vt::FormatC("%.2f", d);
  else if (d < 1)
    number = vt::FormatC("%.1f", d);
  else if (d < 60)
    number = vt::FormatC("%d", int(d));
  else if (d < 3600)
    number = vt::FormatC("%d", int(d / 60)), unit = 3;
  else if (d < 86400)
    number = vt::FormatC("%d", int(d / 3600)), unit = 4;
  else if (d < 2592000)
    number = vt::FormatC("%d", int(d / 86400)), unit = 5;
  else
    number = vt::FormatC("%d", int(std::min(d / 2592000, 2.0e9))), unit = 6;
  return number + LoadTimeAxisText(unit);
}

std::string CGNgTAxis::FormatLabel(double d, double t) {
  std::tm tm{};
  const bool ok = Breakdown(t, &tm);
  const int hour = ok ? tm.tm_hour : -1, minute = ok ? tm.tm_min : -1, second = ok ? tm.tm_sec : -1;
  const int month = ok ? tm.tm_mon + 1 : 0, day = ok ? tm.tm_mday : 0;
  const double part = t - std::floor(t);
  if (d < 0.1) return vt::FormatC("%02d:%02d:%05.2f", hour, minute, second + part);
  if (d < 1) return vt::FormatC("%02d:%02d:%04.1f", hour, minute, second + part);
  if (d < 3600) return vt::FormatC("%02d:%02d:%02d", hour, minute, second);
  if (d < 7200) return vt::FormatC("%d/%02d %02d:%02d", month, day, hour, minute);
  if (d < 86400) return vt::FormatC("%d/%02d %02d:%02d", month, day, hour, 0);
  if (d < 2592000) return FormatDate("%Y/%m/%d", t);
  return FormatDate("%Y/%m", t);
}

std::vector<TimeMark> CGNgTAxis::Marks(TimePlacement placement, double s, double e, double d, int left,
                                       int width, bool labels) {
  std::vector<TimeMark> marks;
  const double S = e - s;
  if (!(S > 0) || !std::isfinite(S) || width < 1) return marks;
  if (placement == TimePlacement::kRegular || placement == TimePlacement::kMidnight) {
    if (!(d > 0) || !std::isfinite(d)) return marks;
    const double count = std::ceil(S / d) + 1;
    if (!(count < kMaxMarks)) return marks;
    const double k0 = std::floor(s / d);
    for (int i = 0; i <= int(count); ++i) {
      double t = (k0 + i) * d;
      // The label breaks down the whole seconds; sub-second divisions add the fraction.
      double labelTime = t;
      if (placement == TimePlacement::kMidnight) {
        const double D = std::floor(t / 86400) * 86400;
        if (D < 0) continue;
        const int h = HourOf(D);
        const double shift = h < 0 ? 3600 : h > 11 ? (24 - h) * 3600.0 : -h * 3600.0;
        t += shift;
        labelTime = D + shift;
      }
      if (std::trunc(labelTime) < 0) continue;
      const int x = RegularX(t, s, S, left, width);
      if (x >= left && x <= left + width - 1) marks.push_back({x, labelTime});
    }
    return marks;
  }
  // Column walks: one breakdown per pixel column.
  const int columns = labels ? width : width - 1;
  const double step = labels ? S / width : (width > 1 ? S / (width - 1) : S);
  const int n = placement == TimePlacement::kHourScan ? std::max(int(d / 3600), 1) : 1;
  auto key = [&](const std::tm& tm) {
    switch (placement) {
      case TimePlacement::kHourScan:
        return tm.tm_hour;
      case TimePlacement::kMondays:
        return tm.tm_mday;
      default:
        return tm.tm_mon;
    }
  };
  std::tm tm{};
  int last = Breakdown(s, &tm) ? key(tm) : -1;
  for (int i = 0; i <= columns; ++i) {
    const double t = std::trunc(s + i * step);
    if (!Breakdown(t, &tm)) continue;
    const int k = key(tm);
    bool hit = false;
    switch (placement) {
      case TimePlacement::kHourScan:
        hit = k % n == 0;
        break;
      case TimePlacement::kMondays:
        hit = tm.tm_wday == 1;
        break;
      case TimePlacement::kMonths:
        hit = true;
        break;
      default:
        hit = k % 3 == 0;
        break;  // January, April, July, October
    }
    if (hit && k != last) {
      marks.push_back({left + i, t});
      last = k;
    }
  }
  return marks;
}

// ---- drawing ----

void CGNgTAxis::DrawTicks(vt::DeviceContext* dc, int left, int width, int top, int bottom,
                          vt::ColorRef colour) {
  for (const TimeMark& m :
       Marks(TickPlacement(m_division), m_shownStart, m_shownEnd, m_division, left, width, false))
    DrawLine(dc, 1, colour, m.x, top, m.x, bottom);
}

namespace {

void DrawBoxedText(vt::DeviceContext* dc, const vt::Font* font, const std::string& text, int x, int y,
                   bool rightEdge, vt::ColorRef textColour, vt::ColorRef boxColour) {
  const vt::Font* old = font ? dc->SelectFont(font) : nullptr;
  const vt::Size size = dc->GetTextExtent(text);
  if (font) dc->SelectFont(old);
  const vt::Rect box = rightEdge ? vt::Rect{x - size.cx - 4, y, x, y + size.cy + 2}
                                 : vt::Rect{x, y, x + size.cx + 4, y + size.cy + 2};
  FillBevelRect(dc, box, 1, boxColour, textColour, textColour);
  if (rightEdge)
    DrawTextAt(font, dc, x - 2, y + 1, vt::kTaRight | vt::kTaTop, textColour, text);
  else
    DrawTextAt(font, dc, x + 2, y + 1, vt::kTaLeft | vt::kTaTop, textColour, text);
}

}  // namespace

void CGNgTAxis::DrawAll(vt::DeviceContext* dc, const vt::Rect& a, const vt::Font* font, int H,
                        vt::ColorRef colour, vt::ColorRef boxColour, int lineWidth, int divisionRight,
                        int dateLeft, const std::string& unit) {
  const int W = a.Width();
  for (const TimeMark& m :
       Marks(LabelPlacement(m_division), m_shownStart, m_shownEnd, m_division, a.left, W, true))
    DrawTextAt(font, dc, m.x, a.bottom, vt::kTaCenter | vt::kTaTop, colour, FormatLabel(m_division, m.time));
  if (m_shownRangeStart.seconds >= 0) {
    DrawBoxedText(dc, font, FormatDate("%Y/%m/%d", double(m_shownRangeStart.seconds)), dateLeft + 1,
                  a.bottom + H - 1, false, colour, boxColour);
  }
  DrawTicks(dc, a.left, W, a.top, a.bottom, colour);
  DrawLine(dc, lineWidth, colour, a.left - 1, a.top, a.right + 1, a.top);
  DrawBoxedText(dc, font, FormatDivisionText(m_division), divisionRight, a.bottom + H - 1, true, colour,
                boxColour);
  DrawTextAt(font, dc, (a.left + a.right) / 2, a.bottom + H, vt::kTaCenter | vt::kTaTop, colour,
             m_title + " " + unit);
}

void CGNgTAxis::Draw(vt::DeviceContext* dc) {
  RecalcRange();
  vt::Rect a;
  GetAbsoluteRect(&a);
  DrawAll(dc, a, LabelFont(), m_fontHeight, m_colour, GetBackColor(), 1, a.right + m_divisionBoxShift,
          a.left + m_dateBoxShift, m_unit);
}

void CGNgTAxis::PrintSelf(vt::DeviceContext* dc, int) {
  RecalcPrintRange();
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  if (a.IsEmpty()) return;
  const int H = GetPrintScale() * (m_fontHeight - 2);
  DrawAll(dc, a, PrintLabelFont(), H, 0x02000000, 0x02FFFFFF, m_printLineWidth,
          a.right + m_printDivisionBoxShift, a.left + m_printDateBoxShift,
          m_printUnit.empty() ? m_unit : m_printUnit);
}

int CGNgTAxis::DrawGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour) {
  if (m_rect.Height() == 0) return 0;
  RecalcRange();
  vt::Rect a;
  GetAbsoluteRect(&a);
  DrawTicks(dc, a.left, a.Width(), from, to, colour);
  return 1;
}

int CGNgTAxis::PrintGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour) {
  if (m_printRect.Height() == 0) return 0;
  RecalcPrintRange();
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  DrawTicks(dc, a.left, a.Width(), from, to, colour);
  return 1;
}

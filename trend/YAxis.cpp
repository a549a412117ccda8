// Y-axis mappings, steps, label formats and drawing.
//
// Every computed pixel position passes through a finite check before it becomes an int: a
// zero-span linear scale puts every drawable value in the axis middle, a log scale whose
// bounds lie in the same decade is drawn without labels, and decade loops are capped, so a
// scale read from a saved graph can never hang or overflow the drawing.
#include "trend/YAxis.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/base/Numbers.h"
#include "platform/gui/DeviceContext.h"
#include "trend/NgZoom.h"
#include "trend/YAxisStrip.h"

namespace {

constexpr int kMaxDecades = 400;
constexpr int kMaxLinearLabels = 100000;
constexpr uint32_t kAlignRightBottom = vt::kTaRight | vt::kTaBottom;
constexpr uint32_t kAlignCenterBottom = vt::kTaCenter | vt::kTaBottom;

int ClampToInt(double y, int lo, int hi) {
  if (std::isnan(y)) return lo;
  return int(std::clamp(y, double(lo), double(hi)));
}

// The decades [first, last] of a log scale, capped; false when there is none to walk.
bool DecadeRange(double lower, double upper, int* first, int* last) {
  if (!std::isfinite(lower) || !std::isfinite(upper)) return false;
  const double a = std::floor(std::min(lower, upper));
  const double b = std::ceil(std::max(lower, upper));
  if (b - a > kMaxDecades) return false;
  *first = int(a), *last = int(b);
  return true;
}

int TextHeight(vt::DeviceContext* dc, const vt::Font* font) {
  const vt::Font* old = font ? dc->SelectFont(font) : nullptr;
  const int h = dc->GetTextMetrics().height;
  if (font) dc->SelectFont(old);
  return h;
}

vt::Size TextExtent(vt::DeviceContext* dc, const vt::Font* font, const std::string& text) {
  const vt::Font* old = font ? dc->SelectFont(font) : nullptr;
  const vt::Size s = dc->GetTextExtent(text);
  if (font) dc->SelectFont(old);
  return s;
}

}  // namespace

// ---- CGYAxis ----

CGYAxis::CGYAxis(CGCore* parent, int left) : CGAxis(parent, left, 60, 40, 120, 0, 0x020000FF) {
  m_titleFont = GetSharedFont(m_fontHeight, 0, 900);
}

double CGYAxis::LogLower() const { return std::log10(std::max(std::min(m_minimum, m_maximum), kNgLogFloor)); }
double CGYAxis::LogUpper() const { return std::log10(std::max(std::max(m_minimum, m_maximum), kNgLogFloor)); }

void CGYAxis::SetRange(double minimum, double maximum) {
  m_minimum = minimum;
  m_maximum = maximum;
  const double span = std::fabs(maximum - minimum);
  if (!std::isfinite(span)) return;
  const double e = std::pow(10.0, std::floor(std::log10(span * 0.25 + 0.125)));
  const double r = span / e;
  if (r >= 15)
    m_labelSteps[0] = 5 * e, m_labelSteps[1] = 2.5 * e, m_labelSteps[2] = e;
  else if (r >= 5)
    m_labelSteps[0] = 2 * e, m_labelSteps[1] = e, m_labelSteps[2] = 0.5 * e;
  else
    m_labelSteps[0] = e, m_labelSteps[1] = 0.5 * e, m_labelSteps[2] = e / 5;
  if (maximum <= minimum)
    for (double& s : m_labelSteps) s = -s;
}

void CGYAxis::SetExponent(int flag) {
  m_exponent = flag;
  UpdateLabelFormat();
}

void CGYAxis::ScalePrintRects(int scale) {
  CGPrimitive::ScalePrintRects(scale);
  m_printFont = GetSharedFont(scale * (m_fontHeight - 2), 0, 0);
  m_printTitleFont = GetSharedFont(scale * m_fontHeight, 0, 900);
}

std::string CGYAxis::FormatLabel(double value) const {
  if (!m_exponentFormat) return vt::FormatC("%*.*f", m_formatWidth, m_decimals, value);
  std::string text = vt::FormatExp3(value, m_decimals);
  if (int(text.size()) < m_formatWidth) text.insert(0, size_t(m_formatWidth) - text.size(), ' ');
  return text;
}

int CGYAxis::MeasureLabelWidth() const {
  const int h = m_rect.Height();
  size_t longest = 0;
  auto take = [&](double v) {
    std::string text = FormatLabel(v);
    TrimNumberText(&text);
    longest = std::max(longest, text.size());
  };
  if (m_scaleType == SCALE_LOG) {
    const double lo = LogLower(), hi = LogUpper();
    int first = 0, last = 0;
    if (!DecadeRange(lo, hi, &first, &last) || lo == hi) return 0;
    for (int n = first; n <= last; ++n) {
      for (double k : {1.0, 2.0, 5.0}) {
        const double v = k * std::pow(10.0, n);
        const double y = std::floor((std::log10(v) - hi) / (lo - hi) * (h - 1) + 0.5);
        if (y >= 0 && y <= h - 1) take(v);
      }
    }
    return int(longest);
  }
  const double step = m_labelSteps[0];
  const double count = std::ceil((m_maximum - m_minimum) / step) + 1;
  if (!(count >= 0 && count < kMaxLinearLabels) || m_maximum == m_minimum) return 0;
  const double first = std::floor(m_minimum / step) * step;
  for (int i = 0; i <= int(count); ++i) {
    const double v = first + i * step;
    const double y = std::floor((v - m_maximum) / (m_minimum - m_maximum) * h + 0.5);
    if (y >= 0 && y <= h) take(v);
  }
  return int(longest);
}

void CGYAxis::UpdateLabelFormat() {
  auto floorLog = [](double x) { return x > 0 && std::isfinite(x) ? std::floor(std::log10(x)) : 0.0; };
  if (!m_exponent) {
    const double m = std::max(std::fabs(m_minimum), std::fabs(m_maximum));
    const int n = m > 0 && std::isfinite(m) && std::log10(m) > 0
                      ? int(std::min(std::floor(std::log10(m)) + 1, 40.0))
                      : 1;
    const double step = std::fabs(m_labelSteps[0]);
    const int d = step > 0 && std::isfinite(step) && std::log10(step) < 0
                      ? int(std::min(-std::floor(std::log10(step)), 15.0))
                      : 0;
    m_labelWidth = n + (d > 0 ? d + 1 : 0) + (m_minimum < 0 || m_maximum < 0 ? 1 : 0);
    m_decimals = d;
    m_exponentFormat = false;
    m_formatWidth = m_labelWidth;
    m_format = vt::FormatC("%%%d.%dlf", m_labelWidth, m_decimals);
  } else {
    if (m_scaleType == SCALE_LOG) {
      m_labelWidth = 5, m_decimals = 0;
    } else {
      const double top = std::max(floorLog(std::fabs(m_minimum)), floorLog(std::fabs(m_maximum)));
      const double d = std::fabs(top - floorLog(std::fabs(m_maximum - m_minimum) * 0.25));
      m_decimals = int(std::min(d, 15.0));
      m_labelWidth = m_decimals + 7;
    }
    m_exponentFormat = true;
    m_formatWidth = m_labelWidth;
    m_format = vt::FormatC("%%%d.%dle", m_labelWidth, m_decimals);
    m_labelWidth = MeasureLabelWidth();
  }
}

// ---- CGNgYAxis ----

CGNgYAxis::CGNgYAxis(CGCore* parent, int left) : CGYAxis(parent, left) {}

void CGNgYAxis::LayoutTree() {
  if (!(GetStyle() & GSTYLE_VISIBLE)) return;
  Layout();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->LayoutTree();
}

void CGNgYAxis::SetRange(double minimum, double maximum) {
  m_minimum = minimum;
  m_maximum = maximum;
  if (m_scaleType == SCALE_LOG) {
    const double lo = std::min(minimum, maximum), hi = std::max(minimum, maximum);
    m_logLower = std::log10(lo <= 0 ? kNgLogFloor : lo);
    m_logUpper = std::log10(hi <= 0 ? kNgLogFloor : hi);
    return;
  }
  CGYAxis::SetRange(minimum, maximum);
  SetGridStep();
}

void CGNgYAxis::SetGridStep() {
  const double x = m_labelSteps[0];
  m_gridStep = x;
  const double ax = std::fabs(x);
  if (!(ax > 0) || !std::isfinite(ax)) return;
  const double d = std::floor(ax * std::pow(10.0, -std::floor(std::log10(ax))) + 1e-9);
  const int a = m_gridLevel - 1;
  const int kind = a % 3, k = a / 3;
  const double s = x * std::pow(10.0, -k);
  const double byKind[3][3] = {{s, s * 0.5, s / 5}, {s, s * 0.5, s * 0.25}, {s, s / 2.5, s / 5}};
  const int row = d == 1 ? 0 : d == 2 ? 1 : d == 5 ? 2 : -1;
  if (row >= 0 && kind >= 0 && kind <= 2) m_gridStep = byKind[row][kind];
  if (std::fabs(m_labelSteps[0]) < std::fabs(m_gridStep)) m_labelSteps[0] = m_gridStep;
}

int CGNgYAxis::MapValue(double v, int* s, int top, int bottom) const {
  const int h = bottom - top;
  auto over = [&](bool plus) {
    *s = 0;
    const bool inverted = m_maximum <= m_minimum;
    return plus ? (inverted ? 32767 : -32768) : (inverted ? -32768 : 32767);
  };
  int y = 0;
  if (m_scaleType == SCALE_LOG) {
    if (v >= kNgNoValue) {
      y = over(true);
    } else if (!(v > 0)) {
      *s = 3;
      return 0;
    } else if (*s == 0) {
      const double lo = m_logLower, hi = m_logUpper;
      const double f = lo == hi ? 0.5 : (std::log10(v) - hi) / (lo - hi);
      y = ClampToInt(top + std::floor(f * (h - 1) + 0.5), -32768, 32767);
    } else if (*s == 6) {
      y = over(true);
    } else {
      *s = 3;
      return 0;
    }
  } else if (*s == 0) {
    if (std::isnan(v)) {
      *s = 3;
      return 0;
    }
    const double f = m_maximum == m_minimum ? 0.5 : (v - m_maximum) / (m_minimum - m_maximum);
    y = ClampToInt(top + std::floor(f * (h - 1) + 0.5), -32768, 32767);
  } else if (*s == 6 || *s == 7) {
    y = over(*s == 6);
  } else {
    *s = 3;
    return 0;
  }
  if (m_clip) {
    if (y < top) y = top - 1;
    if (y > bottom) y = bottom;
  }
  return y;
}

void CGNgYAxis::MapPair(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip, int top,
                        int bottom) const {
  if (m_scaleType != SCALE_LOG) {
    *y1 = MapValue(v1, &s1, top, bottom);
    *y2 = MapValue(v2, &s2, top, bottom);
    *skip = s1 != 0 || s2 != 0 ? 3 : 0;
    return;
  }
  const int low = m_clip ? bottom : 32767;
  if (v1 > 0 && v2 > 0) {
    *y1 = MapValue(v1, &s1, top, bottom), *y2 = MapValue(v2, &s2, top, bottom), *skip = 0;
  } else if (v2 > 0) {
    *y1 = low, *y2 = MapValue(v2, &s2, top, bottom), *skip = 0;
  } else if (v1 > 0) {
    *y2 = low, *y1 = MapValue(v1, &s1, top, bottom), *skip = 0;
  } else {
    *skip = 3;
  }
}

int CGNgYAxis::ValueToPixel(double value, int* state) {
  return MapValue(value, state, m_rect.top, m_rect.bottom);
}
int CGNgYAxis::ValueToPrintPixel(double value, int* state) {
  return MapValue(value, state, m_printRect.top, m_printRect.bottom);
}
void CGNgYAxis::ValuePairToPixels(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip) {
  MapPair(v1, s1, v2, s2, y1, y2, skip, m_rect.top, m_rect.bottom);
}
void CGNgYAxis::ValuePairToPrintPixels(double v1, int s1, double v2, int s2, int* y1, int* y2, int* skip) {
  MapPair(v1, s1, v2, s2, y1, y2, skip, m_printRect.top, m_printRect.bottom);
}

int CGNgYAxis::PixelToValue(int y, double* value) {
  const int h = m_rect.Height();
  const double c = h - 1 > 0 ? h - 1 : 1;
  if (m_scaleType == SCALE_LOG)
    *value = std::pow(10.0, m_logUpper + (m_logLower - m_logUpper) / c * (y - m_rect.top));
  else
    *value = m_maximum + (y - m_rect.top) * (m_minimum - m_maximum) / c;
  return 0;
}

void CGNgYAxis::UpdateLabelFormat() {
  if (m_scaleType == SCALE_LOG && !m_exponent) {
    const double b = std::isfinite(m_logLower) ? std::floor(m_logLower) : 0;
    const double c = std::isfinite(m_logUpper) ? std::ceil(m_logUpper) : 0;
    const double w =
        std::max(std::fabs(c) + (m_logUpper >= 0 ? 1 : 0), std::fabs(b) + (m_logLower < 0 ? 2 : 0));
    m_labelWidth = int(std::min(w, 60.0));
    m_decimals = 0;
    m_formatWidth = 0;
    m_exponentFormat = false;
  } else {
    CGYAxis::UpdateLabelFormat();
  }
  if (m_labelMode == LABELS_OFF)
    m_labelWidth = 1;
  else if (m_labelWidth < 3)
    m_labelWidth = 3;
}

void CGNgYAxis::SetSetting(const SNgAxisSetting* r) {
  m_shown = r->shown;
  m_labelMode = r->labelMode;
  m_scaleType = r->scaleType == SCALE_LOG ? SCALE_LOG : SCALE_LINEAR;
  m_exponent = r->exponent;
  m_gridLevel = r->gridLevel;
  m_colour = r->colour;
  m_spanLower = r->spanLower;
  m_spanUpper = r->spanUpper;
  m_storedTop = 1 - r->upperPosition / 100;
  m_storedBottom = 1 - r->lowerPosition / 100;
  m_referenceSpan = m_scaleType == SCALE_LOG
                        ? std::fabs(std::log10(r->scaleMaximum) - std::log10(r->scaleMinimum))
                        : std::fabs(r->scaleMaximum - r->scaleMinimum);
  m_zoom = r->zoom;
  if (CGNgZoom* zoom = Zoom()) {
    zoom->m_code = r->zoom;
    zoom->m_referenceCode = r->zoom;
    zoom->UpdateText(r->zoom);
    zoom->SetStyle(0);
  }
  // Records may come from saved files: their texts are read within their fields.
  m_unit.assign(r->unit, strnlen(r->unit, sizeof r->unit));
  SetText(std::string(r->name, strnlen(r->name, sizeof r->name)));
  SetRange(r->scaleMinimum, r->scaleMaximum);
  UpdateLabelFormat();
  if (m_labelButton) m_labelButton->SetValue(m_labelMode == LABELS_ON ? 1 : 0);
}

void CGNgYAxis::GetSetting(SNgAxisSetting* r) const {
  r->labelMode = int16_t(m_labelMode);
  r->scaleType = int16_t(m_scaleType);
  r->exponent = int16_t(m_exponent);
  r->gridLevel = int16_t(m_gridLevel);
  r->colour = m_colour;
  r->upperPosition = 100 - m_storedTop * 100;
  r->lowerPosition = 100 - m_storedBottom * 100;
  r->spanLower = m_spanLower;
  r->spanUpper = m_spanUpper;
  r->scaleMinimum = m_minimum;
  r->scaleMaximum = m_maximum;
  std::memset(r->unit, 0, sizeof r->unit);
  m_unit.copy(r->unit, std::min(m_unit.size(), sizeof r->unit - 1));
  const CGNgZoom* zoom = Zoom();
  r->zoom = int16_t(zoom ? zoom->m_code : m_zoom);
}

// ---- drawing ----

void CGNgYAxis::Draw(vt::DeviceContext* dc) {
  if (m_hovered) DrawHover(dc);
  vt::Rect a;
  CGPrimitive::GetAbsoluteRect(&a);
  DrawScale(dc, vt::Rect{a.right - 6, a.top, a.right, a.bottom}, m_colour);
}

void CGNgYAxis::DrawScale(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour) {
  DrawScaleIn(dc, r, colour, LabelFont(), m_titleFont ? m_titleFont->GetFont() : nullptr, false);
}

void CGNgYAxis::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  DrawScaleIn(dc, r, GetPrintForeColor(), PrintLabelFont(),
              m_printTitleFont ? m_printTitleFont->GetFont() : nullptr, true);
}

void CGNgYAxis::DrawScaleIn(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour,
                            const vt::Font* labelFont, const vt::Font* titleFont, bool print) {
  const int tmHeight = TextHeight(dc, labelFont);
  if (m_labelMode == LABELS_ON) {
    const vt::Font* old = labelFont ? dc->SelectFont(labelFont) : nullptr;
    if (m_scaleType == SCALE_LOG)
      DrawLogLabels(dc, r, colour, tmHeight);
    else
      DrawLinearLabels(dc, r, colour, tmHeight);
    if (labelFont) dc->SelectFont(old);
  }
  if (m_scaleType == SCALE_LOG)
    DrawLogTicks(dc, r, colour, tmHeight);
  else
    DrawHorizontalGridLines(r.left, r.top, r.right, r.bottom - 1, colour, m_minimum, m_maximum,
                            m_labelSteps[0], vt::PenStyle::Solid, dc);
  if (print)
    DrawLine(dc, m_printLineWidth, colour, r.right - 1, r.top, r.right - 1, r.bottom);
  else
    DrawLine(dc, 2, colour, r.right - 1, r.top, r.right - 1, r.bottom - 1);
  const int scale = print ? GetPrintScale() : 1;
  const int length = print ? std::abs(m_printRect.Height()) + tmHeight : std::abs(m_rect.Height());
  const int x = print ? r.left - 2 * scale - (tmHeight * m_labelWidth) / 2
                      : r.left - (m_labelWidth * m_fontHeight) / 2 - 2;
  DrawTitle(dc, r, colour, titleFont, length, x, 6 * scale);
}

void CGNgYAxis::DrawLinearLabels(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour,
                                 int tmHeight) {
  const int h = r.bottom - r.top;
  const double step = m_labelSteps[0];
  const double count = std::ceil((m_maximum - m_minimum) / step);
  if (!(count + 2 > 0 && count + 2 < kMaxLinearLabels)) return;
  const double first = std::floor(m_minimum / step) * step;
  int last = -100;
  for (int i = 0; i <= int(count) + 1; ++i) {
    const double v = first + i * step;
    const double f = m_maximum == m_minimum ? 0.5 : (v - m_maximum) / (m_minimum - m_maximum);
    const int y = ClampToInt(r.top + std::floor(f * (h - 1) + 0.5), -32768, 32767);
    if (y < r.top || y > r.top + h - 1 || std::abs(y - last) < tmHeight) continue;
    std::string text = FormatLabel(v);
    if (m_exponent) TrimNumberText(&text);
    DrawTextAt(nullptr, dc, r.left, y + tmHeight / 2, kAlignRightBottom, colour, text);
    last = y + tmHeight / 2;
  }
}

template <class F>
void CGNgYAxis::ForEachLogMark(const vt::Rect& r, int tmHeight, F mark) const {
  const int H = r.bottom - r.top - 1;
  int first = 0, last = 0;
  if (!DecadeRange(m_logLower, m_logUpper, &first, &last) || m_logLower == m_logUpper) return;
  const int decades = std::max(last - first, 1);
  const bool three = H / decades > 3 * tmHeight;
  for (int n = first; n <= last; ++n) {
    for (double k : {1.0, 2.0, 5.0}) {
      if (!three && k != 1.0) break;
      const double v = k * std::pow(10.0, n);
      const int y =
          ClampToInt(r.top + std::floor((std::log10(v) - m_logUpper) / (m_logLower - m_logUpper) * H + 0.5),
                     -32768, 32767);
      if (y < r.top) break;  // above the top ends the decade
      if (y <= r.top + H) mark(v, n, y);
    }
  }
}

void CGNgYAxis::DrawLogLabels(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, int tmHeight) {
  ForEachLogMark(r, tmHeight, [&](double v, int n, int y) {
    std::string text;
    if (m_exponent) {
      text = FormatLabel(v);
      if (m_exponent == 1) TrimNumberText(&text);
    } else {
      text = n > 0 ? vt::FormatC("%.0f", v) : vt::FormatC("%.*f", -n, v);
    }
    DrawTextAt(nullptr, dc, r.left, y + tmHeight / 2, kAlignRightBottom, colour, text);
  });
}

void CGNgYAxis::DrawLogTicks(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour, int tmHeight) {
  ForEachLogMark(r, tmHeight, [&](double, int, int y) { DrawLine(dc, 1, colour, r.left, y, r.right, y); });
}

CGNgYAxis::Title CGNgYAxis::ComposeAxisTitle(vt::DeviceContext* dc, const vt::Font* font, int length) const {
  Title t;
  const std::string full = m_unit.empty() ? m_title : m_title + "[" + m_unit + "]";
  if (TextExtent(dc, font, full).cx <= length) {
    t.text = full;
    return t;
  }
  if (m_unit.empty()) {
    t.twoPiece = true;
    return t;
  }
  const std::string unit = "[" + m_unit + "]";
  if (TextExtent(dc, font, unit).cx > length) return t;  // nothing fits: no title
  t.text = unit;
  t.twoPiece = TextExtent(dc, font, m_unit + "[ ]").cx < length - 6;
  return t;
}

void CGNgYAxis::DrawTitle(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef colour,
                          const vt::Font* titleFont, int length, int x, int gap) {
  const Title t = ComposeAxisTitle(dc, titleFont, length);
  if (!t.twoPiece) {
    if (!t.text.empty())
      DrawTextAt(titleFont, dc, x, (r.top + r.bottom) / 2, kAlignCenterBottom, colour, t.text);
    return;
  }
  int l = 0;
  if (!m_unit.empty()) {
    const std::string unit = "[" + m_unit + "]";
    DrawTextAt(titleFont, dc, x, r.top, kAlignRightBottom, colour, unit);
    l = TextExtent(dc, titleFont, unit).cx;
  }
  std::string name = m_title;
  FitTextToWidth(dc, titleFont, r.bottom - r.top - l - 6, &name);
  const int y = r.top + l + gap;
  DrawTextAt(titleFont, dc, x, y, kAlignRightBottom, colour, name);
  if (!name.empty()) {
    const int c = std::max(TextHeight(dc, titleFont) / 14, 1);
    for (int i = 0; i < 3; ++i)
      dc->FillSolidRect(vt::Rect{x, y - 2 * i * c, x + c, y - 2 * i * c + c}, colour);
  }
}

int CGNgYAxis::DrawGrid(vt::DeviceContext* dc, int x0, int x1, vt::ColorRef colour) {
  if (m_rect.Height() == 0) return 0;
  vt::Rect a;
  GetAbsoluteRect(&a);
  if (m_scaleType == SCALE_LOG) {
    int first = 0, last = 0;
    if (DecadeRange(m_logLower, m_logUpper, &first, &last) && m_logLower != m_logUpper)
      DrawLogGridLines(x0, a.top, x1, a.bottom - 1, colour, m_logLower, m_logUpper, vt::PenStyle::Solid, dc);
  } else {
    DrawHorizontalGridLines(x0, a.top, x1, a.bottom - 1, colour, m_minimum, m_maximum, m_gridStep,
                            vt::PenStyle::Solid, dc);
  }
  return 1;
}

int CGNgYAxis::PrintGrid(vt::DeviceContext* dc, int x0, int x1, vt::ColorRef colour) {
  if (m_printRect.Height() == 0) return 0;
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  if (m_scaleType == SCALE_LOG) {
    int first = 0, last = 0;
    if (DecadeRange(m_logLower, m_logUpper, &first, &last) && m_logLower != m_logUpper)
      DrawLogGridLines(x0, a.top, x1, a.bottom - 1, colour, m_logLower, m_logUpper, vt::PenStyle::Dot, dc);
  } else {
    DrawHorizontalGridLines(x0, a.top, x1, a.bottom - 1, colour, m_minimum, m_maximum, m_gridStep,
                            vt::PenStyle::Dot, dc);
  }
  return 1;
}

void CGNgYAxis::ScalePrintRects(int scale) {
  CGYAxis::ScalePrintRects(scale);
  // The print band: the manager's, else the parent's print rectangle.
  const CGPrimitive* parent = ParentPrimitive();
  if (!parent) return;
  int T = parent->PrintRect().top, H = parent->PrintRect().Height();
  if (IsKindOfClass(parent, GCLASS(CGNgYAxisManager))) {
    const auto* manager = static_cast<const CGNgYAxisManager*>(parent);
    T = manager->m_printBandTop, H = manager->m_printBandHeight;
  }
  const int top = int(std::floor(H * m_currentTop + 0.5));
  const int bottom = int(std::floor(m_currentBottom * H + 0.5));
  m_printRect.top = T + top;
  m_printRect.bottom = T + bottom;
}

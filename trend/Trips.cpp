// Trip levels: position on the Y axis, dotted lines, tags, the tag drag and printing.
#include "trend/Trips.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "trend/GraphBody.h"
#include "trend/NgDrawing.h"
#include "trend/YAxis.h"
#include "trend/YAxisStrip.h"

namespace vt {

vt::ColorRef NgTripLevelColour(int level) {
  static const vt::ColorRef colours[4] = {0x020000FF, 0x02FF0000, 0x02FF00A0, 0x0200B4FF};
  return colours[((level % 4) + 4) % 4];
}

int NgDashPhase(const CGPrimitive* plot) {
  const auto* screen =
      IsKindOfClass(plot, GCLASS(CGNgGraphScreen)) ? static_cast<const CGNgGraphScreen*>(plot) : nullptr;
  const CGNgTAxis* axis = screen ? screen->m_timeAxis : nullptr;
  if (!axis) return 0;
  PreciseTime start, end;
  axis->GetShownRange(&start, &end);
  const double span = vt::SpanSeconds(start, end);
  const int width = axis->Rect().Width();
  if (!(span > 0) || width <= 0) return 0;
  const double pixels = std::floor(PreciseTime::ToSeconds(start) * width / span + 1e-6);
  if (!std::isfinite(pixels)) return 0;
  return std::fmod(std::fabs(pixels), 2.0) >= 1.0 ? 1 : 0;
}

}  // namespace vt

namespace {

std::string ValueFormat(int decimals, int exponent) {
  const char type = exponent ? 'e' : 'f';
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%%.%dl%c", std::max(decimals, 0), type);
  return buffer;
}

const vt::Font* FontOf(const CGFont* font) { return font ? font->GetFont() : nullptr; }

CGNgGraph* GraphOf(const CGCore* node) {
  return static_cast<CGNgGraph*>(node->FindAncestorOfClass(GCLASS(CGNgGraph)));
}

}  // namespace

// ---- trip ----

CGTrip::CGTrip(CGCore* manager, vt::ColorRef colour)
    : CGPrimitive(manager, 0, 0, 0, 3, 0, 0), m_colour(colour), m_format(ValueFormat(2, 0)) {
  m_font = GetSharedFont(m_fontSize, 0, 0);
}

bool CGTrip::GetVisibleRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisibleRect(out) : CGPrimitive::GetVisibleRect(out);
}

void CGTrip::Paint(vt::DeviceContext* dc) {
  // The tag takes its size when it draws, so the manager's visible rectangle decides.
  vt::Rect visible;
  if (!HasEffectiveStyle(GSTYLE_VISIBLE) || !GetVisibleRect(&visible)) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
}

bool CGTrip::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

int CGTrip::SetFontSize(int size) {
  m_fontSize = size;
  m_font = GetSharedFont(size, 0, 0);
  return 1;
}

void CGTrip::SetDecimals(int decimals) {
  m_decimals = decimals;
  m_format = ValueFormat(m_decimals, m_exponent);
}

void CGTrip::SetExponent(int exponent) {
  m_exponent = exponent;
  m_format = ValueFormat(m_decimals, m_exponent);
}

void CGTrip::GetText(std::string* out) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, m_format.c_str(), m_value);
  *out = buffer;
  if (m_exponent == 1) TrimExponentText(out);
}

bool CGTrip::GetPosition(vt::Point* out) const {
  if (!m_yAxis) return false;
  int state = 0;
  const int y = m_yAxis->ValueToPixel(m_value, &state);
  const vt::Rect& a = m_yAxis->Rect();
  if (y < a.top || y >= a.bottom) return false;
  vt::Point own, axis;
  GetOrigin(&own);
  m_yAxis->GetOrigin(&axis);
  *out = vt::Point{own.x, y + axis.y};
  return true;
}

bool CGTrip::GetPrintPosition(vt::Point* out) const {
  if (!m_yAxis) return false;
  int state = 0;
  const int y = m_yAxis->ValueToPrintPixel(m_value, &state);
  const vt::Rect& a = m_yAxis->PrintRect();
  if (y < a.top || y >= a.bottom) return false;
  vt::Point own, axis;
  GetPrintOrigin(&own);
  m_yAxis->GetPrintOrigin(&axis);
  *out = vt::Point{own.x, y + axis.y};
  return true;
}

void CGTrip::RepaintHighlighted() {
  CGPrimitive* manager = ParentPrimitive();
  vt::DeviceContext* back = GetBackDC();
  if (!manager || !back) return;
  manager->ClipToVisibleRect(back);
  manager->FillBackground(back);
  manager->Paint(back);
  DrawHighlighted(back);
  manager->Flush();
}

void CGTrip::OnLButtonDown(uint32_t, int32_t, int32_t y) {
  m_dragY = y;
  RepaintHighlighted();
}

void CGTrip::OnMouseMove(uint32_t, int32_t, int32_t y) {
  if (!m_yAxis) return;
  // The tag's centre moved by the drag, from this tag's space into the axis's (the axis lies in
  // the Y-axis strip, beside the graph body).
  vt::Point own, axis;
  GetOrigin(&own);
  m_yAxis->GetOrigin(&axis);
  double v = 0;
  m_yAxis->PixelToValue(own.y + m_rect.top + m_rect.Height() / 2 + y - m_dragY - axis.y, &v);
  v = std::clamp(v, std::min(m_yAxis->m_minimum, m_yAxis->m_maximum),
                 std::max(m_yAxis->m_minimum, m_yAxis->m_maximum));
  if (v == m_value) return;
  m_value = v;
  RepaintHighlighted();
}

void CGTrip::OnLButtonUp(uint32_t, int32_t, int32_t) {
  if (CGNgGraph* graph = GraphOf(this)) {
    graph->Redraw();
    graph->Flush();
  }
  FireEvent(GEVENT_CHANGED);
}

// ---- trend trip ----

bool CGNgTrip::IsOfSelectedChannel() const {
  if (!(m_style & GSTYLE_VISIBLE)) return false;
  const CGCore* parent = GetParent();
  if (!IsKindOfClass(parent, GCLASS(CGNgTripManager))) return false;
  const int selected = static_cast<const CGNgTripManager*>(parent)->m_selected;
  return selected >= 0 && GetSiblingIndex() / 4 == selected;
}

void CGNgTrip::BindAxis(int axisIndex) {
  m_yAxis = nullptr;
  if (const CGNgYAxisManager* manager = FindNgYAxisManager(this)) m_yAxis = manager->GetAxis(axisIndex);
}

bool CGNgTrip::HitTest(int x, int y, int mask) const {
  vt::Point p;
  if (!IsOfSelectedChannel() || !GetPosition(&p)) return false;
  vt::Point o;
  GetOrigin(&o);
  auto* self = const_cast<CGNgTrip*>(this);
  self->MoveTo(p.x - o.x, p.y - o.y - m_rect.Height() / 2);
  return CGPrimitive::HitTest(x, y, mask);
}

void CGNgTrip::DrawHighlighted(vt::DeviceContext* dc) {
  DrawMarker(dc, vt::NgColourSum(GetBackColor()) < 385 ? 0x02FFFFFF : 0x02000000);
}

void CGNgTrip::DrawMarker(vt::DeviceContext* dc, vt::ColorRef c) {
  vt::Point p;
  if (!IsOfSelectedChannel() || !GetPosition(&p)) return;
  std::string text;
  GetText(&text);
  const vt::Font* font = FontOf(m_font);
  const vt::Size extent = vt::NgTextExtent(dc, font, text);
  const CGPrimitive* manager = ParentPrimitive();
  SetSize(manager ? manager->Rect().Width() : m_rect.Width(), extent.cy);
  const int w = m_rect.Width(), h = m_rect.Height();
  const int b = w - 4;
  if (b < extent.cx && !text.empty()) {
    const CGFont* small = GetSharedFont(b / int(text.size()) * 2, 0, 0);
    if (small) font = small->GetFont();
  }
  const int x = p.x, y = p.y, R = x + w - 1;
  const vt::Point shape[7] = {{x + 3, y - h / 2}, {x + 3, y - 2}, {x, y},        {x + 3, y + 2},
                              {x + 3, y + h / 2}, {R, y + h / 2}, {R, y - h / 2}};
  DrawFilledPolygon(dc, shape, 7, GetBackColor(), c);
  const int th = vt::NgTextExtent(dc, font, text).cy;
  DrawTextAt(font, dc, R - 1, y + h / 2 - (h - th) / 2 + 1, vt::kTaRight | vt::kTaBottom, c, text);
}

void CGNgTrip::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect visible;
  if (!IsOfSelectedChannel() || !GetVisiblePrintRect(&visible) || visible.IsEmpty()) return;
  dc->SelectClipRect(&visible);
  vt::Point p;
  if (!GetPrintPosition(&p)) return;
  const int s = GetPrintScale();
  const CGFont* printFont = GetSharedFont(s * (m_fontSize - 2), 0, 0);
  const vt::Font* font = FontOf(printFont);
  std::string text;
  GetText(&text);
  const vt::Size extent = vt::NgTextExtent(dc, font, text);
  const CGPrimitive* manager = ParentPrimitive();
  SetPrintSize(manager ? manager->PrintRect().Width() : m_printRect.Width(), extent.cy);
  const int d = 2 * s, ph = m_printRect.Height();
  const int x = p.x, y = p.y, R = x + m_printRect.Width() - 1;
  const vt::Point shape[7] = {{x + d, y - ph / 2}, {x + d, y - d},  {x, y},         {x + d, y + d},
                              {x + d, y + ph / 2}, {R, y + ph / 2}, {R, y - ph / 2}};
  DrawFilledPolygon(dc, shape, 7, 0x02FFFFFF, m_colour);
  DrawTextAt(font, dc, R - 1, y + ph / 2 + 1, vt::kTaRight | vt::kTaBottom, m_colour, text);
}

// ---- managers ----

CGTripManager::CGTripManager(CGCore* parent) : CGGroup(parent, 0, 0, 0, 3, 60, 20, 0, 0, 0x025E5E5E) {}

void CGTripManager::Paint(vt::DeviceContext* dc) {
  if (m_rect.left >= 0 && m_rect.top >= 0) CGGroup::Paint(dc);
}

void CGTripManager::FillBackground(vt::DeviceContext* dc) {
  if (m_rect.IsEmpty()) return;
  ClipToVisibleRect(dc);
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
}

void CGNgTripManager::CreateTrips() {
  for (int i = 0; i < kNgTripCount; ++i) {
    try {
      new CGNgTrip(this, vt::NgTripLevelColour(i % 4));
    } catch (const std::bad_alloc&) {
      ShowOutOfMemoryMessage("");
      return;
    }
  }
}

CGNgTrip* CGNgTripManager::GetTrip(int index) const {
  if (index < 0) return nullptr;
  return static_cast<CGNgTrip*>(GetChildOfClassAt(GCLASS(CGNgTrip), index));
}

void CGNgTripManager::SetTrips(const SNgChannelSetting* records, int count) {
  count = std::clamp(count, 0, kNgTripCount / 4);
  for (int i = 0; i < count; ++i) {
    for (int j = 0; j < 4; ++j) {
      CGNgTrip* trip = GetTrip(4 * i + j);
      if (!trip) continue;
      trip->BindAxis(records[i].axisIndex);
      trip->SetValue(records[i].tripValue[j]);
      trip->SetStyle(records[i].tripShown[j] ? 3 : 0);
      if (m_channels && i < m_channelCount && m_channels[i]) {
        trip->SetDecimals(m_channels[i]->GetDecimals());
        trip->SetExponent(m_channels[i]->IsExponent());
      }
    }
  }
}

void CGNgTripManager::GetTrips(int count, SNgChannelSetting* records) const {
  count = std::clamp(count, 0, kNgTripCount / 4);
  for (int i = 0; i < count; ++i) {
    for (int j = 0; j < 4; ++j) {
      const CGNgTrip* trip = GetTrip(4 * i + j);
      if (!trip) continue;
      records[i].tripValue[j] = trip->m_value;
      records[i].tripShown[j] = int16_t((trip->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE ? 1 : 0);
    }
  }
}

void CGNgTripManager::DrawTripLines(vt::DeviceContext* dc, int left, int right) {
  const int t = m_lineThickness;
  const CGNgGraph* graph = GraphOf(this);
  const CGNgGraphScreen* plot = graph ? graph->m_screen : nullptr;
  const vt::ColorRef back = plot ? plot->m_backColour : 0x00606060;
  const int phase = vt::NgDashPhase(plot);
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGNgTrip))) continue;
    const auto* trip = static_cast<const CGNgTrip*>(c);
    vt::Point p;
    if ((trip->GetStyle() & GSTYLE_ACTIVE) != GSTYLE_ACTIVE || !trip->IsOfSelectedChannel() ||
        !trip->GetPosition(&p))
      continue;
    const vt::Rect r{left, p.y - t / 2, right, p.y + t / 2 + 1};
    if (phase == 0)
      vt::NgFillHalftone(dc, r, trip->m_colour, back);
    else
      vt::NgFillHalftone(dc, r, back, trip->m_colour);
  }
}

void CGNgTripManager::PrintTripLines(vt::DeviceContext* dc, int left, int right) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGNgTrip))) continue;
    const auto* trip = static_cast<const CGNgTrip*>(c);
    vt::Point p;
    if ((trip->GetStyle() & GSTYLE_ACTIVE) != GSTYLE_ACTIVE || !trip->IsOfSelectedChannel() ||
        !trip->GetPrintPosition(&p))
      continue;
    dc->FillSolidRect(vt::Rect{left, p.y, right, p.y + 1}, trip->GetPrintForeColor());
  }
}

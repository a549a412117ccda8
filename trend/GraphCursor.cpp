// Graph cursors: snapping, the press, drag and release, auto-scroll on the repeat timer, the
// lines and markers, the strip restore, the value-box placement and printing.
#include "trend/GraphCursor.h"

#include <algorithm>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Path.h"
#include "trend/GraphBody.h"
#include "trend/NgHooks.h"
#include "trend/NgWaveform.h"
#include "trend/TimeAxis.h"
#include "trend/ValueBox.h"
#include "trend/YAxis.h"

PreciseTime g_cursorMouseTime;
int g_cursorDragA = 0;

namespace {

constexpr vt::ColorRef kCursorColour = 0x02990000;
constexpr double kFarAway = 3.4028234663852886e38;

bool Active(const CGPrimitive* p) { return (p->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE; }

// The trend panel above the cursor (it reports cursor changes to the window), or null.
CGPrimitive* PanelOf(const CGCore* node) {
  return static_cast<CGPrimitive*>(node->FindAncestorOfClass(GCLASS(CGNgWaveform)));
}

}  // namespace

// ---- base ----

CGGraphCursor::CGGraphCursor(CGCore* parent) : CGPrimitive(parent, 0, 0, 0, 3, 0, 0) {}

void CGGraphCursor::Draw(vt::DeviceContext* dc) {
  if (Active(this)) DrawCursors(dc);
}

bool CGGraphCursor::GetVisibleRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisibleRect(out) : CGPrimitive::GetVisibleRect(out);
}

bool CGGraphCursor::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : CGPrimitive::GetVisiblePrintRect(out);
}

void CGGraphCursor::PrintSelf(vt::DeviceContext* dc, int) {
  const CGRoot* root = GetRootGadget();
  if (m_style == 3 && !(root && root->GetPrintSelection())) PrintCursors(dc);
}

// ---- trend cursor ----

CGNgGraphCursor::CGNgGraphCursor(CGCore* plot) : CGGraphCursor(plot) {}

CGNgGraphCursor::~CGNgGraphCursor() {
  if (CGNgGraphScreen* plot = Plot(); plot && plot->m_cursor == this) plot->m_cursor = nullptr;
}

CGNgGraphScreen* CGNgGraphCursor::Plot() const {
  return IsKindOfClass(GetParent(), GCLASS(CGNgGraphScreen)) ? static_cast<CGNgGraphScreen*>(GetParent())
                                                             : nullptr;
}

CGNgGraphData* CGNgGraphCursor::Trace(int index) const {
  const CGNgGraphScreen* plot = Plot();
  return plot ? plot->GetTrace(index) : nullptr;
}

CGNgHTScrollBar* CGNgGraphCursor::TimeBar() const {
  CGCore* manager = FindAncestorOfClass(GCLASS(CGScrollManager));
  return IsKindOfClass(manager, GCLASS(CGNgGraph)) ? static_cast<CGNgGraph*>(manager)->m_scrollBar : nullptr;
}

int CGNgGraphCursor::AxisLeft() const { return m_timeAxis ? m_timeAxis->Rect().left : 0; }

void CGNgGraphCursor::GetShownRange(PreciseTime* start, PreciseTime* end) const {
  if (m_timeAxis) m_timeAxis->GetShownRange(start, end);
}

void CGNgGraphCursor::CreateValueBoxes() {
  for (int k = 0; k < kNgValueBoxCount; ++k) {
    try {
      new CGNgCursorValue(this, 70 + 50 * k);
    } catch (const std::bad_alloc&) {
      ShowOutOfMemoryMessage("");
      return;
    }
  }
}

CGNgCursorValue* CGNgGraphCursor::GetValueBox(int index) const {
  if (index < 0) return nullptr;
  return static_cast<CGNgCursorValue*>(GetChildOfClassAt(GCLASS(CGNgCursorValue), index));
}

void CGNgGraphCursor::BindValueBoxes(const SNgChannelSetting* records, int count) {
  count = std::clamp(count, 0, kNgValueBoxCount / 2);
  for (int i = 0; i < kNgValueBoxCount; ++i) {
    CGNgCursorValue* box = GetValueBox(i);
    if (!box) continue;
    if (i < 2 * count) {
      const int c = records[i / 2].channelIndex;
      box->m_channel = m_channels && c >= 0 && c < m_channelCount ? m_channels[c] : nullptr;
      box->m_colour = records[i / 2].colour;
    } else {
      box->m_channel = nullptr;
      box->SetStyle(0);
    }
  }
}

void CGNgGraphCursor::SetCursorTimes(PreciseTime a, PreciseTime b) {
  m_timeA = a, m_timeB = b;
  SetChildrenStyle(0);
}

PreciseTime CGNgGraphCursor::SnapToSample(PreciseTime t) const {
  PreciseTime answer;
  double bestData = kFarAway, bestNoData = kFarAway;
  bool anyData = false;
  for (int i = 0; i < kNgTraceCount; ++i) {
    const CGNgGraphData* trace = Trace(i);
    CGNgChannel* channel = trace ? trace->Channel() : nullptr;
    if (!trace || !Active(trace) || !channel) continue;
    PreciseTime c;
    double a = 0, b = 0;
    uint16_t status = 0;
    bool noData;
    if (channel->GetDataKind() == DATA_PAIRS) {
      channel->ReadMinMaxFrom(t, &c, &a, &b, &status);
      noData = NgFirstState(status) == NGS_NO_DATA && NgSecondState(status) == NGS_NO_DATA;
    } else {
      channel->ReadValueFrom(t, &c, &a, &status);
      noData = NgFirstState(status) == NGS_NO_DATA;
    }
    const double d = vt::SpanSeconds(t, c);
    if (!noData) {
      if (d < bestData) answer = c, bestData = d;
      anyData = true;
    } else if (!anyData && d < bestNoData) {
      answer = c, bestNoData = d;
    }
  }
  return answer;
}

PreciseTime CGNgGraphCursor::TimeAtPointer(int x) const {
  PreciseTime t = m_timeAxis ? m_timeAxis->XToTime(AxisLeft() + x) : PreciseTime{};
  if (const CGNgHTScrollBar* bar = TimeBar()) {
    if (!(t < bar->m_dataEnd)) t = bar->m_dataEnd;
    if (!(t > bar->m_dataStart)) t = bar->m_dataStart;
  }
  return SnapToSample(t);
}

void CGNgGraphCursor::ReportAndRedraw(bool relayout) {
  if (CGPrimitive* panel = PanelOf(this); panel && NgCursorHook) NgCursorHook(panel, 0, 0);
  if (!relayout) return;
  if (auto* graph = static_cast<CGNgGraph*>(FindAncestorOfClass(GCLASS(CGNgGraph)))) {
    graph->LayoutTree();
    graph->Redraw();
    graph->Flush();
  }
}

void CGNgGraphCursor::OnLButtonDown(uint32_t flags, int32_t x, int32_t) {
  SetChildrenStyle(0);
  PreciseTime s, e;
  GetShownRange(&s, &e);
  if (m_timeAxis) g_cursorMouseTime = m_timeAxis->XToTime(AxisLeft() + x);
  const PreciseTime t = TimeAtPointer(x);
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* back = root ? root->GetBackDCPtr() : nullptr;
  vt::DeviceContext* window = root ? root->GetWindowDC() : nullptr;
  if (back) FillBackground(back);
  if (back && window) BlitRect(window, back);
  g_cursorDragA = 0;
  const bool bothSet = !(m_timeA < s) && !(m_timeB < s);
  if ((flags & kNgMouseControl) && bothSet)
    m_timeA = t, g_cursorDragA = 1;
  else if ((flags & kNgMouseShift) && bothSet)
    m_timeB = t;
  else
    m_timeA = m_timeB = t;
  ReportAndRedraw(true);
}

void CGNgGraphCursor::MoveDraggedLine(PreciseTime t, bool placeBoxes) {
  CGRoot* root = GetRootGadget();
  vt::DeviceContext* back = root ? root->GetBackDCPtr() : nullptr;
  vt::DeviceContext* window = root ? root->GetWindowDC() : nullptr;
  if (window) ClipToVisibleRect(window);
  if (back) ClipToVisibleRect(back);
  if (window && back) RestoreStrip(window, back, Dragged());
  Dragged() = t;
  if (placeBoxes) PlaceValueBoxes(g_cursorDragA ? 0 : 1, t);
  if (window) DrawDragged(window);
}

void CGNgGraphCursor::OnMouseMove(uint32_t, int32_t x, int32_t) {
  if (!m_timeAxis) return;
  g_cursorMouseTime = m_timeAxis->XToTime(AxisLeft() + x);
  const int W = m_rect.Width();
  if (x < -1 || x >= W + 1) {
    if (!g_repeatTimer) StartRepeatTimer(50);
  } else if (g_repeatTimer) {
    KillRepeatTimer();
  }
  PreciseTime t = m_timeAxis->XToTimeClamped(AxisLeft() + x);
  if (const CGNgHTScrollBar* bar = TimeBar()) {
    if (t < bar->m_dataStart) t = bar->m_dataStart;
    if (t > bar->m_dataEnd) t = bar->m_dataEnd;
  }
  if (Dragged() != t) MoveDraggedLine(t, false);
  ReportAndRedraw(false);
}

void CGNgGraphCursor::OnLButtonUp(uint32_t, int32_t x, int32_t) {
  if (g_repeatTimer) KillRepeatTimer();
  const PreciseTime t = TimeAtPointer(x);
  if (g_cursorDragA) {
    m_timeA = t;
  } else {
    m_timeB = t;
    PlaceValueBoxes(1, m_timeB);
  }
  ReportAndRedraw(true);
}

void CGNgGraphCursor::OnTimer(uint32_t id) {
  if (id != vt::GTIMER_REPEAT) return;
  if (CGNgHTScrollBar* bar = TimeBar()) {
    PreciseTime s, e;
    GetShownRange(&s, &e);
    const PreciseTime ds = bar->m_dataStart, de = bar->m_dataEnd;
    const PreciseTime m = g_cursorMouseTime;
    double shift = 0;
    bool stop = false;
    if (m > e)
      stop = !(m < de), shift = vt::SpanSeconds(e, m);
    else if (m < s)
      stop = !(m > ds), shift = -vt::SpanSeconds(m, s);
    else
      stop = true;
    if (!stop && shift != 0) {
      PreciseTime& dragged = Dragged();
      const PreciseTime kept = dragged;
      dragged.seconds = -1;  // not drawn at its old place by the redraw the scroll makes
      bar->SetPosition(PreciseTime::AddSeconds(bar->GetPosition(), shift));
      bar->OnClick();
      Dragged() = kept;
      g_cursorMouseTime = PreciseTime::AddSeconds(m, shift);
    } else {
      KillRepeatTimer();
      bool tookStart = false;
      if (!(m > ds)) bar->SetPosition(ds), tookStart = true;
      if (!(m < de)) {
        bar->SetPosition(de);
        bar->OnClick();
      } else if (tookStart) {
        bar->OnClick();
      }
    }
  }
  MoveDraggedLine(SnapToSample(g_cursorMouseTime), true);
  ReportAndRedraw(false);
}

// ---- drawing ----

void CGNgGraphCursor::DrawMarkers(vt::DeviceContext* dc, PreciseTime t, int x, bool print) {
  const CGNgGraphScreen* plot = Plot();
  if (!plot) return;
  vt::Point origin;
  print ? plot->GetPrintOrigin(&origin) : plot->GetOrigin(&origin);
  const int s = print ? GetPrintScale() : 1;
  const int penWidth = print ? 2 : 1;
  const vt::Pen oldPen = dc->SelectPen(vt::SolidPen(0x02000000, penWidth));
  const vt::Brush oldBrush = dc->SelectBrush(vt::NullBrush());
  for (int i = 0; i < kNgTraceCount; ++i) {
    const CGNgGraphData* trace = Trace(i);
    CGNgChannel* channel = trace ? trace->Channel() : nullptr;
    if (!trace || !Active(trace) || !channel || !trace->m_yAxis) continue;
    CGNgYAxis* axis = trace->m_yAxis;
    if (channel->GetDataKind() == DATA_PAIRS) {
      double mn = 0, mx = 0;
      uint16_t status = 0;
      trace->ReadMinMaxAt(t, &mn, &mx, &status);
      int y1 = 0, y2 = 0, skip = 0;
      if (print)
        axis->ValuePairToPrintPixels(mn, NgFirstState(status), mx, NgSecondState(status), &y1, &y2, &skip);
      else
        axis->ValuePairToPixels(mn, NgFirstState(status), mx, NgSecondState(status), &y1, &y2, &skip);
      if (skip) continue;
      const int r = print ? 3 * s : 2, e = (m_lineWidth + 1) / 2;
      const int top = std::min(y1, y2) + origin.y - e, bottom = std::max(y1, y2) + origin.y + e;
      dc->MoveTo(x - r, top), dc->LineTo(x - r, bottom);
      dc->MoveTo(x + r, top), dc->LineTo(x + r, bottom);
      vt::Path caps;
      caps.AddArc(float(x - r), float(top - r), float(2 * r), float(2 * r), 180, 180);
      caps.StartFigure();
      caps.AddArc(float(x - r), float(bottom - r), float(2 * r), float(2 * r), 0, 180);
      dc->DrawPath(caps, 0xFF000000, float(penWidth));
    } else {
      double value = 0;
      uint16_t status = 0;
      trace->ReadValueAt(t, &value, &status);
      int state = NgFirstState(status);
      int y = print ? axis->ValueToPrintPixel(value, &state) : axis->ValueToPixel(value, &state);
      y += origin.y;
      if (state != 0 || y < -32767 || y > 32766) continue;
      const int r = print ? 3 * s : (m_lineWidth + 1) / 2 + 1;
      dc->Ellipse(vt::Rect{x - r, y - r, x + r + 1, y + r + 1});
    }
  }
  dc->SelectBrush(oldBrush);
  dc->SelectPen(oldPen);
}

void CGNgGraphCursor::DrawLineAt(vt::DeviceContext* dc, PreciseTime t, bool print) {
  const CGNgGraphScreen* plot = Plot();
  if (!m_timeAxis || !plot) return;
  vt::Point origin;
  vt::Rect a;
  if (print)
    plot->GetPrintOrigin(&origin), plot->GetAbsolutePrintRect(&a);
  else
    plot->GetOrigin(&origin), plot->GetAbsoluteRect(&a);
  const int x = (print ? m_timeAxis->TimeToPrintX(t) : m_timeAxis->TimeToX(t)) + origin.x;
  DrawLine(dc, print ? 2 : 1, kCursorColour, x, a.top, x, a.bottom);
  DrawMarkers(dc, t, x, print);
}

void CGNgGraphCursor::DrawCursorAtTime(vt::DeviceContext* dc, PreciseTime t) {
  PreciseTime s, e;
  GetShownRange(&s, &e);
  if (!m_timeAxis || !Plot() || t < s || t > e) return;
  ClipToVisibleRect(dc);
  DrawLineAt(dc, t, false);
}

void CGNgGraphCursor::DrawCursors(vt::DeviceContext* dc) {
  DrawCursorB(dc);
  DrawCursorA(dc);
}

void CGNgGraphCursor::DrawCursorB(vt::DeviceContext* dc) {
  if (m_timeB != m_timeA) DrawCursorAtTime(dc, m_timeB);
}

void CGNgGraphCursor::DrawCursorA(vt::DeviceContext* dc) { DrawCursorAtTime(dc, m_timeA); }

void CGNgGraphCursor::RestoreStrip(vt::DeviceContext* window, vt::DeviceContext* back, PreciseTime t) {
  const CGNgGraphScreen* plot = Plot();
  if (!m_timeAxis || !plot) return;
  const int h = (m_lineWidth + 1) / 2;
  vt::Point origin;
  plot->GetOrigin(&origin);
  vt::Rect a;
  plot->GetAbsoluteRect(&a);
  const int x = m_timeAxis->TimeToX(t) + origin.x - h - 1;
  window->BitBlt(x, a.top, 2 * h + 3, a.Height(), *back, x, a.top, vt::RasterOp::SrcCopy);
}

void CGNgGraphCursor::FillBackground(vt::DeviceContext* dc) {
  PreciseTime s, e;
  GetShownRange(&s, &e);
  CGNgGraphScreen* plot = Plot();
  if (!m_timeAxis || !plot || (m_timeA < s && m_timeB < s)) return;
  ClipToVisibleRect(dc);
  const int left = m_timeAxis->Rect().left;
  if (!(m_timeA < s)) plot->DrawStrip(dc, m_timeAxis->TimeToX(m_timeA) - left - 2, 5);
  if (m_timeB != m_timeA && !(m_timeB < s)) plot->DrawStrip(dc, m_timeAxis->TimeToX(m_timeB) - left - 2, 5);
}

void CGNgGraphCursor::BlitRect(vt::DeviceContext* window, vt::DeviceContext* back) {
  if (!window || !back) return;
  ClipToVisibleRect(window);
  ClipToVisibleRect(back);
  if (m_timeA != m_timeB) RestoreStrip(window, back, m_timeA);
  RestoreStrip(window, back, m_timeB);
}

void CGNgGraphCursor::PaintBoxes(vt::DeviceContext* dc, bool print, int page) {
  const int a = 2 * m_selected, b = 2 * m_selected + 1;
  auto paint = [&](CGNgCursorValue* box) {
    if (!box || !(box->GetStyle() & GSTYLE_VISIBLE)) return;
    print ? box->PrintTree(dc, page) : box->Paint(dc);
  };
  int index = CountChildren() - 1;
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c), --index)
    if (index != a && index != b && IsKindOfClass(c, GCLASS(CGNgCursorValue)))
      paint(static_cast<CGNgCursorValue*>(c));
  paint(GetValueBox(a));
  paint(GetValueBox(b));
}

void CGNgGraphCursor::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!HasEffectiveStyle(GSTYLE_VISIBLE) || !GetVisibleRect(&visible) || visible.IsEmpty()) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
  PaintBoxes(dc, false, 0);
}

// ---- value boxes ----

void CGNgGraphCursor::Layout() {
  if (const CGNgGraphScreen* plot = Plot()) SetBounds(0, 0, plot->Rect().Width(), plot->Rect().Height());
  PlaceValueBoxes(0, m_timeA);
  if (m_timeB != m_timeA) PlaceValueBoxes(1, m_timeB);
}

void CGNgGraphCursor::PlaceValueBoxes(int which, PreciseTime t) { PlaceBoxes(which, t, false); }

void CGNgGraphCursor::PlaceValueBoxesForPrint(int which, PreciseTime t) { PlaceBoxes(which, t, true); }

void CGNgGraphCursor::PlaceBoxes(int which, PreciseTime t, bool print) {
  const CGNgGraphScreen* plot = Plot();
  if (m_valueMode == 0 || !m_timeAxis || !plot) return;
  const int s = print ? m_printScale : 1;
  vt::Point graphOrigin, own;
  vt::Rect p;
  if (print) {
    plot->GetPrintOrigin(&graphOrigin), GetPrintOrigin(&own), plot->GetAbsolutePrintRect(&p);
  } else {
    plot->GetOrigin(&graphOrigin), GetOrigin(&own), plot->GetAbsoluteRect(&p);
  }
  // The cursor's own coordinates: its rectangle's top-left in root coordinates.
  own.x += print ? m_printRect.left : m_rect.left;
  own.y += print ? m_printRect.top : m_rect.top;
  const int x = (print ? m_timeAxis->TimeToPrintX(t) : m_timeAxis->TimeToX(t)) + graphOrigin.x;
  const int margin = 110 * s;
  const int side = x <= p.left + margin || x <= p.right - margin ? 1 : 0;
  PreciseTime start, end;
  print ? m_timeAxis->GetPrintRange(&start, &end) : GetShownRange(&start, &end);
  for (int i = 0; i < kNgTraceCount; ++i) {
    CGNgCursorValue* box = GetValueBox(2 * i + which);
    if (!box) continue;
    box->SetStyle(0);
    const CGNgGraphData* trace = Trace(i);
    if ((which == 1 && m_timeB == m_timeA) || t < start || t > end || !trace || !Active(trace)) continue;
    CGNgChannel* channel = trace->Channel();
    CGNgYAxis* axis = trace->m_yAxis;
    if (!channel || !axis) continue;
    if (channel->GetDataKind() == DATA_PAIRS) {
      double mn = 0, mx = 0;
      uint16_t status = 0;
      trace->ReadMinMaxAt(t, &mn, &mx, &status);
      const int s1 = NgFirstState(status), s2 = NgSecondState(status);
      int y1 = 0, y2 = 0, skip = 0;
      if (print)
        axis->ValuePairToPrintPixels(mn, s1, mx, s2, &y1, &y2, &skip);
      else
        axis->ValuePairToPixels(mn, s1, mx, s2, &y1, &y2, &skip);
      if (skip) continue;
      box->SetPair(s1, s2, mn, mx, x - own.x, (y1 + y2) / 2 + graphOrigin.y - own.y, side);
    } else {
      double value = 0;
      uint16_t status = 0;
      trace->ReadValueAt(t, &value, &status);
      const int read = NgFirstState(status);
      int state = read;
      const int y = print ? axis->ValueToPrintPixel(value, &state) : axis->ValueToPixel(value, &state);
      if (state != 0) continue;
      box->SetValue(read, value, x - own.x, y + graphOrigin.y - own.y, side);
    }
    box->SetStyle(3);
    print ? box->ScalePrintRects(s) : box->Layout();
  }
}

// ---- printing ----

void CGNgGraphCursor::ScalePrintRects(int scale) {
  m_printScale = scale;
  if (const CGNgGraphScreen* plot = Plot())
    SetPrintBounds(0, 0, plot->PrintRect().Width(), plot->PrintRect().Height());
  PlaceValueBoxesForPrint(0, m_timeA);
  if (m_timeB != m_timeA) PlaceValueBoxesForPrint(1, m_timeB);
}

void CGNgGraphCursor::PrintTree(vt::DeviceContext* dc, int page) {
  vt::Rect r;
  if (!(GetStyle() & GSTYLE_VISIBLE) || !GetVisiblePrintRect(&r) || r.IsEmpty()) return;
  PrintSelf(dc, page);
  PaintBoxes(dc, true, page);
}

void CGNgGraphCursor::PrintCursorAtTime(vt::DeviceContext* dc, PreciseTime t) { DrawLineAt(dc, t, true); }

void CGNgGraphCursor::PrintCursors(vt::DeviceContext* dc) {
  PreciseTime ps, pe;
  if (m_timeAxis) m_timeAxis->GetPrintRange(&ps, &pe);
  if (!(m_timeB < ps) && !(m_timeB > pe)) PrintCursorAtTime(dc, m_timeB);
  if (!(m_timeA < ps) && !(m_timeA > pe)) PrintCursorAtTime(dc, m_timeA);
}

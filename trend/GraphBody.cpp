// Layout, refill-on-paint, painting and printing of the trend graph body and plot area.
#include "trend/GraphBody.h"

#include <algorithm>
#include <memory>
#include <new>

#include "gadget/GDraw.h"
#include "platform/base/FaultCountdown.h"
#include "platform/gui/DeviceContext.h"
#include "trend/AlarmBands.h"
#include "trend/GraphCursor.h"
#include "trend/Marks.h"
#include "trend/NgProgress.h"
#include "trend/SunkenBevel.h"
#include "trend/Trips.h"
#include "trend/ValueBox.h"
#include "trend/YAxisStrip.h"

// ---- plot area ----

namespace {

vt::FaultCountdown g_failingPart;

// Builds one part of the graph. When memory runs out the graph goes on without the part:
// "Out of memory." is shown and the part's pointer stays null.
template <typename Make>
void BuildPart(Make make) {
  try {
    if (g_failingPart.Fires()) throw std::bad_alloc();
    make();
  } catch (const std::bad_alloc&) {
    ShowOutOfMemoryMessage("");
  }
}

// The graph body's trip and mark managers, when the plot area lies in a graph body that has them.
CGNgTripManager* TripsOf(const CGCore* plot) {
  const CGCore* graph = plot->GetParent();
  return IsKindOfClass(graph, GCLASS(CGNgGraph)) ? static_cast<const CGNgGraph*>(graph)->m_trips : nullptr;
}
CGNgMarkManager* MarksOf(const CGCore* plot) {
  const CGCore* graph = plot->GetParent();
  return IsKindOfClass(graph, GCLASS(CGNgGraph)) ? static_cast<const CGNgGraph*>(graph)->m_marks : nullptr;
}

}  // namespace

CGNgGraphScreen::CGNgGraphScreen(CGCore* graph) : CGGraphScreen(graph) {}

CGNgGraphScreen::~CGNgGraphScreen() { delete m_dataManager; }

void CGNgGraphScreen::CreateParts() {
  BuildPart([&] { m_dataManager = new CGNgDataManager; });
  BuildPart([&] {
    m_cursor = new CGNgGraphCursor(this);
    m_cursor->CreateValueBoxes();
  });
  // The traces made before memory ran out stay; the channels past them are not drawn.
  BuildPart([&] {
    for (int i = 0; i < kNgTraceCount; ++i) (new CGNgGraphData(this))->SetStyle(0);
  });
  BuildPart([&] {
    m_alarms = new CGNgAlarmGroupManager(this);
    m_alarms->CreateBands();
  });
}

int CGNgGraphScreen::GetAlarmPrintHeight() const {
  if (!m_alarms || !(m_alarms->GetStyle() & GSTYLE_VISIBLE)) return 0;
  return m_alarms->PrintRect().Height() + 4 * GetPrintScale();
}

CGNgGraphData* CGNgGraphScreen::GetTrace(int index) const {
  if (index < 0) return nullptr;
  return static_cast<CGNgGraphData*>(GetChildOfClassAt(GCLASS(CGNgGraphData), index));
}

void CGNgGraphScreen::SetCursorTimes(PreciseTime a, PreciseTime b) {
  if (m_cursor) m_cursor->SetCursorTimes(a, b);
}

void CGNgGraphScreen::SetTraceStyle(int index, int style) {
  if (CGNgGraphData* trace = GetTrace(index)) trace->SetStyle(style);
  if (CGNgAlarms* band = m_alarms ? m_alarms->GetBand(index) : nullptr) band->SetStyle(style);
}

void CGNgGraphScreen::SetTraces(int count, const SNgChannelSetting* records) {
  count = std::clamp(count, 0, kNgTraceCount);
  if (m_cursor) m_cursor->BindValueBoxes(records, count);
  for (int i = 0; i < kNgTraceCount; ++i) {
    CGNgGraphData* trace = GetTrace(i);
    if (!trace) continue;
    if (i < count) {
      trace->m_buffer = m_dataManager ? m_dataManager->GetBuffer(i) : nullptr;
      trace->ApplyChannelSetting(records[i]);
    } else {
      trace->m_buffer = nullptr;
      trace->SetStyle(0);
    }
    if (CGNgAlarms* band = m_alarms ? m_alarms->GetBand(i) : nullptr) {
      band->m_buffer = i < count ? trace->m_buffer : nullptr;
      if (i < count) band->m_colour = records[i].colour;
      band->SetStyle(i < count && records[i].shown ? 3 : 0);
    }
  }
}

void CGNgGraphScreen::BindTimeAxis(CGNgTAxis* axis) {
  m_timeAxis = axis;
  if (m_alarms) m_alarms->BindTimeAxis(axis);
  if (m_cursor) m_cursor->m_timeAxis = axis;
  for (int i = 0; i < kNgTraceCount; ++i)
    if (CGNgGraphData* trace = GetTrace(i)) trace->m_timeAxis = axis;
}

void CGNgGraphScreen::SetVisibleSpan(PreciseTime start, PreciseTime end) {
  const double span = vt::SpanSeconds(start, end);
  m_shownSpan = span > 0 ? span : 1.0;
}

void CGNgGraphScreen::SetPenWidth(int width) {
  if (m_cursor) m_cursor->m_lineWidth = width;
  for (int i = 0; i < kNgTraceCount; ++i)
    if (CGNgGraphData* trace = GetTrace(i)) trace->SetPenWidth(width);
}

void CGNgGraphScreen::SetPrintPenWidth(int width) {
  for (int i = 0; i < kNgTraceCount; ++i)
    if (CGNgGraphData* trace = GetTrace(i)) trace->m_printPenWidth = width;
}

void CGNgGraphScreen::SetBackColor(vt::ColorRef c) {
  m_backColour = c;
  CGGroup::SetBackColor(c);
}

bool CGNgGraphScreen::RangeChanged(PreciseTime start, PreciseTime end) {
  if (start == m_keyStart && end == m_keyEnd && !m_forceRefill) return false;
  m_keyStart = start;
  m_keyEnd = end;
  m_forceRefill = 0;
  return true;
}

bool CGNgGraphScreen::NeedsProgress(PreciseTime start, PreciseTime end) const {
  int64_t sum = 0;
  for (int i = 0; i < kNgTraceCount; ++i) {
    const CGNgGraphData* trace = GetTrace(i);
    if (trace && (trace->GetStyle() & GSTYLE_VISIBLE)) sum += trace->GetSampleCount(start, end);
  }
  return sum > kNgProgressThreshold;
}

void CGNgGraphScreen::RefillAll(PreciseTime start, PreciseTime end) {
  int k = 0;
  for (int i = kNgTraceCount - 1; i >= 0; --i) {
    m_dataManager->SetProgress(k, i);
    k += m_dataManager->RefillBuffer(m_rect.Width(), start, end, i);
  }
}

void CGNgGraphScreen::RefillBuffers() {
  CGNgGraphData* first = GetTrace(0);
  if (!first || !m_dataManager) return;
  PreciseTime start, end;
  first->GetShownRange(&start, &end);
  if (!RangeChanged(start, end)) return;
  NgProgressSink* progress = m_dataManager->m_progress;
  const bool shown = NeedsProgress(start, end);
  if (shown && progress) {
    progress->SetVisible(true);
    m_dataManager->ShowProgressNow();
  }
  RefillAll(start, end);
  m_dataManager->SetProgress(0, 0);
  if (progress) progress->SetVisible(false);
  if (shown && NgLoadFinishedHook) NgLoadFinishedHook(this, 0, 0);
}

bool CGNgGraphScreen::IsGridAxis(int index) const {
  const CGNgYAxisManager* manager = FindNgYAxisManager(this);
  const CGNgYAxis* axis = manager ? manager->GetAxis(index) : nullptr;
  if (!axis || !(axis->GetStyle() & GSTYLE_VISIBLE)) return false;
  if (index == m_selectedAxis) return true;
  const CGNgYAxis* selected = manager->GetAxis(m_selectedAxis);
  return selected && selected->m_column == axis->m_column;
}

void CGNgGraphScreen::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  dc->FillSolidRect(a, m_backColour);
  DrawRectSides(dc, 1 | 4, 0x02000000, a.left - 1, a.top - 1, a.right, a.bottom);
  DrawRectSides(dc, 2 | 8, 0x02CACACA, a.left - 1, a.top - 1, a.right, a.bottom);
  if (m_timeAxis) m_timeAxis->DrawGrid(dc, a.top, a.bottom, m_gridColour);
  if (const CGNgYAxisManager* manager = FindNgYAxisManager(this))
    for (int i = 0; i < manager->GetAxisCount(); ++i)
      if (IsGridAxis(i)) manager->GetAxis(i)->DrawGrid(dc, a.left, a.right, m_gridColour);
  if (CGNgTripManager* trips = TripsOf(this)) trips->DrawTripLines(dc, a.left, a.right);
  if (CGNgMarkManager* marks = MarksOf(this)) marks->DrawMarkLines(dc, a.top, a.bottom);
}

void CGNgGraphScreen::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!HasEffectiveStyle(GSTYLE_VISIBLE) || !GetVisibleRect(&visible)) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
  if (m_alarms) {
    m_alarms->Paint(dc);
    dc->SelectClipRect(&visible);  // the bands clip to themselves
  }
  for (int i = kNgTraceCount - 1; i >= 0; --i) {
    CGNgGraphData* trace = GetTrace(i);
    if (trace && i != m_selectedTrace && (trace->GetStyle() & GSTYLE_VISIBLE)) trace->Draw(dc);
  }
  CGNgGraphData* selected = GetTrace(m_selectedTrace);
  if (selected && (selected->GetStyle() & GSTYLE_VISIBLE)) selected->Draw(dc);
  if (m_cursor) m_cursor->Paint(dc);
}

void CGNgGraphScreen::DrawRangeAll(vt::DeviceContext* dc, PreciseTime start, PreciseTime end) {
  if (m_alarms && (m_alarms->GetStyle() & GSTYLE_VISIBLE)) m_alarms->DrawBandsForRange(dc, start, end);
  for (int i = kNgTraceCount - 1; i >= 0; --i) {
    CGNgGraphData* trace = GetTrace(i);
    if (trace && i != m_selectedTrace && (trace->GetStyle() & GSTYLE_VISIBLE))
      trace->DrawRange(dc, start, end);
  }
  CGNgGraphData* selected = GetTrace(m_selectedTrace);
  if (selected && (selected->GetStyle() & GSTYLE_VISIBLE)) selected->DrawRange(dc, start, end);
}

void CGNgGraphScreen::DrawStrip(vt::DeviceContext* dc, int x, int width) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  if (a.IsEmpty()) return;
  ClipToColumns(dc, x, width);
  dc->FillSolidRect(vt::Rect{a.left + x, a.top, a.left + x + width, a.bottom}, m_backColour);
  if (CGNgTripManager* trips = TripsOf(this)) trips->DrawTripLines(dc, a.left + x, a.left + x + width);
  if (m_timeAxis) {
    m_timeAxis->DrawGrid(dc, a.top, a.bottom, m_gridColour);
    PreciseTime start, end;
    m_timeAxis->GetShownRange(&start, &end);
    DrawRangeAll(dc, start, end);
  }
}

void CGNgGraphScreen::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  if (m_timeAxis) m_timeAxis->PrintGrid(dc, a.top, a.bottom, m_gridColour);
  if (const CGNgYAxisManager* manager = FindNgYAxisManager(this))
    for (int i = 0; i < manager->GetAxisCount(); ++i)
      if (IsGridAxis(i)) manager->GetAxis(i)->PrintGrid(dc, a.left, a.right, m_gridColour);
  if (CGNgTripManager* trips = TripsOf(this)) trips->PrintTripLines(dc, a.left, a.right);
  if (CGNgMarkManager* marks = MarksOf(this)) marks->PrintMarkLines(dc, a.top, a.bottom);
}

void CGNgGraphScreen::PrintTree(vt::DeviceContext* dc, int page) {
  vt::Rect r;
  if (!(GetStyle() & GSTYLE_VISIBLE) || !GetVisiblePrintRect(&r) || r.IsEmpty()) return;
  dc->SelectClipRect(&r);
  PrintSelf(dc, page);
  if (m_alarms) {
    m_alarms->PrintTree(dc, page);
    dc->SelectClipRect(&r);
  }
  for (int i = kNgTraceCount - 1; i >= 0; --i) {
    CGNgGraphData* trace = GetTrace(i);
    if (trace && i != m_selectedTrace && (trace->GetStyle() & GSTYLE_VISIBLE)) trace->PrintSelf(dc, page);
  }
  CGNgGraphData* selected = GetTrace(m_selectedTrace);
  if (selected && (selected->GetStyle() & GSTYLE_VISIBLE)) selected->PrintSelf(dc, page);
  if (m_cursor) m_cursor->PrintTree(dc, page);
}

// ---- graph body ----

CGNgGraph::CGNgGraph(CGCore* parent) : CGGraph(parent) {}

void NgGraphBuildTestHook::FailNthPart(int64_t n) { g_failingPart.Arm(n); }

void CGNgGraph::Build(int legendWidth) {
  m_legendWidth = legendWidth;
  BuildPart([&] {
    // A legend whose inner parts could not all be made is left out as a whole.
    std::unique_ptr<CGNgLegendList> legend(new CGNgLegendList(this, legendWidth));
    legend->BuildLegends();
    m_legend = legend.release();
  });
  BuildPart([&] {
    m_trips = new CGNgTripManager(this);
    m_trips->CreateTrips();
    m_tripManager = m_trips;
  });
  BuildPart([&] { m_marks = new CGNgMarkManager(this); });
  BuildPart([&] {
    m_screen = new CGNgGraphScreen(this);
    m_screen->CreateParts();
  });
  BuildPart([&] {
    m_scrollBar = new CGNgHTScrollBar(this, 10);
    m_scrollBar->CreateParts(1);
  });
  BuildPart([&] {
    m_timeAxis = new CGNgTAxis(this);
    m_xAxis = m_timeAxis;
    m_timeAxis->m_relative = 0;
    m_timeAxis->UpdateTitle();
    m_timeAxis->UpdateUnitText();
  });
  if (m_screen) m_screen->BindTimeAxis(m_timeAxis);
}

void CGNgGraph::SetChannels(int count, CGNgChannel** channels) {
  if (!m_screen || !m_screen->m_dataManager) return;
  m_screen->m_forceRefill = 1;
  m_screen->m_dataManager->m_progress = FindNgProgress(this);
  count = std::clamp(count, 0, kNgTraceCount);
  m_screen->m_dataManager->SetChannels(count, channels);
  // The caller's array may not outlive the call: the cursor, the trips and the legend read a copy.
  m_channels.assign(channels, channels + count);
  if (m_screen->m_cursor)
    m_screen->m_cursor->m_channels = m_channels.data(), m_screen->m_cursor->m_channelCount = count;
  if (m_trips) m_trips->m_channels = m_channels.data(), m_trips->m_channelCount = count;
  if (m_legend) m_legend->m_boundCount = count, m_legend->m_boundChannels = m_channels.data();
}

void CGNgGraph::SetDataRange(PreciseTime start, PreciseTime end) {
  if (m_scrollBar) m_scrollBar->SetDataRange(start, end);
}

void CGNgGraph::SetVisibleRange(PreciseTime start, PreciseTime end) {
  if (m_screen) m_screen->SetVisibleSpan(start, end);
  if (m_timeAxis) m_timeAxis->m_shownRangeStart = start, m_timeAxis->m_shownRangeEnd = end;
  if (m_scrollBar) {
    const double span = vt::SpanSeconds(start, end);
    m_scrollBar->SetVisibleSpan(span);
    m_scrollBar->m_stepSeconds = span / 10;
    m_scrollBar->SetPosition(start);
  }
}

void CGNgGraph::ScrollTo(PreciseTime start) {
  if (!m_timeAxis) return;
  const double span = vt::SpanSeconds(m_timeAxis->m_shownRangeStart, m_timeAxis->m_shownRangeEnd);
  m_timeAxis->m_shownRangeStart = start;
  m_timeAxis->m_shownRangeEnd = PreciseTime::AddSeconds(start, span);
  CGCore* panel = FindAncestorOfClass(GCLASS(CGNgWaveform));
  CGPrimitive* top = panel ? static_cast<CGPrimitive*>(panel) : this;
  top->LayoutTree();
  top->Update();
}

void CGNgGraph::GetVisibleRange(PreciseTime* start, PreciseTime* end) const {
  if (m_timeAxis) m_timeAxis->GetShownRange(start, end);
}

void CGNgGraph::SetCursorTimes(PreciseTime a, PreciseTime b) {
  if (m_screen) m_screen->SetCursorTimes(a, b);
}

void CGNgGraph::SetNameKind(int kind) {
  if (m_legend) m_legend->m_nameKind = kind;
  if (!m_screen || !m_screen->m_dataManager) return;
  if (m_screen->m_cursor)
    for (int i = 0; CGNgCursorValue* box = m_screen->m_cursor->GetValueBox(i); ++i) box->m_nameKind = kind;
  for (int i = 0; i < m_screen->m_dataManager->GetBufferCount(); ++i)
    m_screen->m_dataManager->GetBuffer(i)->m_nameKind = kind;
}

void CGNgGraph::SelectChannel(int trace, int axis) {
  if (!m_screen) return;
  m_screen->m_selectedTrace = trace, m_screen->m_selectedAxis = axis;
  if (m_screen->m_alarms) m_screen->m_alarms->m_selected = trace;
  if (m_trips) m_trips->m_selected = trace;
  if (m_screen->m_cursor) m_screen->m_cursor->m_selected = trace;
  if (m_legend) m_legend->SelectInLegend(axis, trace);
}

int CGNgGraph::SetLineWidths(int tracePrintWidth, int frameWidth, int timeAxisWidth) {
  const int changed = frameWidth != m_printFrameWidth ? 1 : 0;
  m_printFrameWidth = frameWidth;
  if (m_screen) m_screen->SetPrintPenWidth(tracePrintWidth);
  if (m_timeAxis) m_timeAxis->m_printLineWidth = timeAxisWidth;
  if (m_legend) m_legend->m_printFrameWidth = frameWidth;
  return changed;
}

int CGNgGraph::SetTraceThickness(int width) {
  m_traceThickness = width;
  if (m_screen) m_screen->SetPenWidth(width);
  return 1;
}

void CGNgGraph::SetForeColor(vt::ColorRef c) {
  if (m_screen) m_screen->SetForeColor(c);
}

void CGNgGraph::SetBackColor(vt::ColorRef c) {
  CGGroup::SetBackColor(c);
  if (m_screen) m_screen->SetBackColor(c);
  if (m_legend) m_legend->SetBackColor(c);
  if (m_trips) m_trips->SetBackColor(c);
  if (m_marks) m_marks->SetBackColor(c);
  const int sum = int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF);
  if (m_timeAxis) m_timeAxis->SetForeColor(sum <= 384 ? 0x02FFFFFF : 0x02000000);
}

void CGNgGraph::Layout() {
  int W = m_rect.Width();
  int H = m_rect.Height();
  if (m_scrollBar && (m_scrollBar->GetStyle() & GSTYLE_VISIBLE)) {
    const int barHeight = m_scrollBar->Rect().Height();
    m_scrollBar->SetBounds(0, H - barHeight, W, barHeight);
    H -= barHeight;
  }
  if (m_legend && (m_legend->GetStyle() & GSTYLE_VISIBLE)) {
    W -= m_legend->Rect().Width();
    m_legend->SetBounds(W, 0, m_legend->Rect().Width(), H);
  }
  const int A = m_timeAxis ? m_timeAxis->Rect().Height() : 0;
  if (m_marks) m_marks->SetBounds(0, 10, W, H);
  if (m_trips) {
    W -= m_trips->Rect().Width();
    m_trips->SetBounds(W - 2, 27, m_trips->Rect().Width(), H - A - 58);
  }
  if (m_timeAxis) m_timeAxis->SetBounds(10, H - A - 30, W - 13, A);
  if (m_screen) m_screen->SetBounds(10, 28, W - 13, H - A - 63);
  PlaceTimeAxisBoxes(0);
  UpdateAxisGeometry(H, A);
}

void CGNgGraph::PlaceTimeAxisBoxes(int printScale) {
  if (!m_timeAxis) return;
  // The date box starts at the graph's left edge, the division box ends past the trip column.
  const bool print = printScale > 0;
  const vt::Rect& axis = print ? m_timeAxis->PrintRect() : m_timeAxis->Rect();
  const int scale = print ? printScale : 1;
  int plotRight = axis.right;
  if (m_screen) plotRight = print ? m_screen->PrintRect().right : m_screen->Rect().right;
  const int trips = m_trips ? scale * m_trips->Rect().Width() : 0;
  if (print) {
    m_timeAxis->m_printDateBoxShift = -axis.left;
    m_timeAxis->m_printDivisionBoxShift = plotRight + trips - axis.right;
  } else {
    m_timeAxis->m_dateBoxShift = -axis.left;
    m_timeAxis->m_divisionBoxShift = plotRight + trips + 1 - axis.right;
  }
}

void CGNgGraph::UpdateAxisGeometry(int H, int A) {
  if (m_screen) m_screen->MoveTo(10, 28);
  // The strip's axes span from 5 pixels below the plot's top to 2 above its bottom, or above
  // the alarm strip when it shows.
  int B = 0;
  if (m_screen && m_screen->m_alarms) {
    m_screen->m_alarms->LayoutTree();
    if (m_screen->m_alarms->GetStyle() & GSTYLE_VISIBLE) B = m_screen->m_alarms->Rect().Height();
  }
  if (CGNgYAxisManager* manager = FindNgYAxisManager(this)) {
    manager->m_bandTop = 28 + 5;
    manager->m_bandHeight = std::max(H - A - B - 70, 0);
  }
}

void CGNgGraph::LayoutTree() {
  Layout();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->LayoutTree();
}

void CGNgGraph::Draw(vt::DeviceContext* dc) {
  CGScrollManager::Draw(dc);
  if (!m_screen) return;
  vt::Rect a;
  m_screen->GetAbsoluteRect(&a);
  DrawSunkenBevelAround(dc, GetBackColor(), a);
}

void CGNgGraph::ScalePrintRects(int s) {
  const int PW0 = m_printRect.Width();
  const bool legend = m_legend && (m_legend->GetStyle() & GSTYLE_VISIBLE);
  const int L = legend ? m_legend->Rect().Width() : 0;
  const int PW = std::max(PW0 - s * L, 0);
  int PH = m_printRect.Height();
  const int A = m_timeAxis ? m_timeAxis->Rect().Height() : 0;
  if (m_marks) m_marks->SetPrintBounds(0, 10 * s, PW, PH);
  PH -= 30 * s + s * A;
  const int T = m_trips ? m_trips->Rect().Width() : 0;
  if (m_trips) m_trips->SetPrintBounds(std::max(PW - 9 * s - s * T, 0), 28 * s - 1, s * T, 0);
  const int axisWidth = std::max(PW - 10 * s - s * T - 10 * s, 0);
  if (m_timeAxis) {
    m_timeAxis->SetPrintBounds(10 * s, PH, axisWidth, s * A);
    m_timeAxis->ScalePrintRects(s);
  }
  PH -= 28 * s;
  if (m_trips) m_trips->SetPrintHeight(PH);
  if (m_screen) {
    m_screen->SetPrintBounds(10 * s, 28 * s, axisWidth, PH - 5 * s);
    for (CGCore* c = m_screen->GetFirstChild(); c; c = m_screen->NextChild(c))
      if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->ScalePrintRects(s);
  }
  if (legend) {
    m_legend->SetPrintBounds(std::max(PW0 - s * L, 0), 28 * s, s * L, PH);
    m_legend->ScalePrintRects(s);
  }
  if (CGNgYAxisManager* manager = FindNgYAxisManager(this)) {
    manager->m_printBandTop = 28 * s + 5 * s;
    manager->m_printBandHeight = PH - (m_screen ? m_screen->GetAlarmPrintHeight() : 0) - 12 * s;
  }
  PlaceTimeAxisBoxes(s);
  // Marks are placed on the time axis, so they scale once it has its print rectangle.
  if (m_marks) m_marks->ScalePrintRects(s);
}

void CGNgGraph::PrintSelf(vt::DeviceContext* dc, int) {
  if (!m_screen) return;
  vt::Rect a;
  m_screen->GetAbsolutePrintRect(&a);
  if (a.Width() == 0) return;
  const int w = m_printFrameWidth;
  DrawSolidFrame(dc, vt::Rect{a.left - w, a.top - w, a.right + w, a.bottom + w}, w, 0, 0x02000000, 0);
}

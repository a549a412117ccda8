// The trend panel (see NgWaveform.h).
#include "trend/NgWaveform.h"

#include <algorithm>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GSkScrollBar.h"
#include "platform/gui/DeviceContext.h"
#include "trend/AlarmBands.h"
#include "trend/GraphCursor.h"
#include "trend/LegendList.h"
#include "trend/MarkNotes.h"
#include "trend/Marks.h"
#include "trend/TrendSkinArt.h"
#include "trend/Trips.h"
#include "trend/ValueBox.h"

namespace {
constexpr vt::ColorRef kPanelBack = 0x025E5E5E;

CGNgWaveform* PanelOf(const CGCore* gadget) {
  return gadget ? static_cast<CGNgWaveform*>(gadget->FindAncestorOfClass(GCLASS(CGNgWaveform))) : nullptr;
}

template <class T>
T* Made(T* part, const char* what) {
  CheckAllocation(what, part);
  return part;
}
}  // namespace

CGNgYAxisManager* FindNgYAxisManager(const CGCore* gadget) {
  CGNgWaveform* panel = PanelOf(gadget);
  return panel ? panel->GetYAxisManager() : nullptr;
}

CGNgWaveform::CGNgWaveform(CGCore* root) : CGRowColumn(root, 0, 0, 0, 3, 0, 0, 0, 0) {
  SetFrameStyle(1);
  SetBackColor(kPanelBack);
}

void CGNgWaveform::Build(int legendWidth) {
  const int H = m_rect.Height();
  m_progress = Made(new (std::nothrow) CGNgProgress(this), "progress");
  m_strip = Made(new (std::nothrow) CGNgYAxisScrlMgr(this, H), "Y-axis strip");
  if (m_strip) m_strip->BuildParts();
  m_splitter = Made(new (std::nothrow) CGSkHSplitter(this, 0, 0, 0, 3, 5, 5), "splitter");
  if (m_splitter) {
    m_splitter->SetLimits(100, 100);
    m_splitter->AddEventCallback(GEVENT_SPLITTER_RELEASED, OnSplitterMoved, nullptr, 0);
  }
  m_graph = Made(new (std::nothrow) CGNgGraph(this), "graph");
  if (m_graph) m_graph->Build(legendWidth);
}

void CGNgWaveform::SetChannels(int count, const SNgChannelSetting* records, int axisCount,
                               const SNgAxisSetting* axisRecords) {
  count = std::clamp(count, 0, kNgTraceCount);
  m_channelRecords.assign(records, records + count);
  if (m_graph && m_graph->m_screen) m_graph->m_screen->SetTraces(count, records);
  if (m_graph && m_graph->m_legend) m_graph->m_legend->SetData(records, axisRecords, count, axisCount);
  if (m_graph && m_graph->m_trips) m_graph->m_trips->SetTrips(records, count);
}

void CGNgWaveform::SetCursorTimes(PreciseTime a, PreciseTime b) {
  if (m_graph) m_graph->SetCursorTimes(a, b);
}

void CGNgWaveform::SetCursorValueMode(int mode) {
  CGNgGraphCursor* cursor = m_graph && m_graph->m_screen ? m_graph->m_screen->m_cursor : nullptr;
  if (!cursor) return;
  cursor->m_valueMode = mode;
  cursor->SetChildrenStyle(0);
}

void CGNgWaveform::ShowAlarms(int flag) {
  if (m_graph && m_graph->m_screen && m_graph->m_screen->m_alarms)
    m_graph->m_screen->m_alarms->SetStyle(flag ? 3 : 0);
}

CGNgMark* CGNgWaveform::AddMark(int id, int shape, uint32_t groupLow, uint32_t groupHigh, const char* label,
                                vt::ColorRef colour, PreciseTime time) {
  if (!m_graph || !m_graph->m_marks) return nullptr;
  return m_graph->m_marks->AddMark(id, shape, groupLow, groupHigh, label, colour, time);
}

void CGNgWaveform::DeleteMark(int id) {
  if (m_graph && m_graph->m_marks) m_graph->m_marks->DeleteMark(id);
}

void CGNgWaveform::UpdateMark(const SNgMarkData* record) {
  if (record && m_graph && m_graph->m_marks) m_graph->m_marks->UpdateMark(record->id, *record);
}

// The legend knows what the user checked since the records were bound, and which channels stand
// on which of the given axes; the bound records answer only when the graph has no legend.
int CGNgWaveform::ChannelOfAxis(int axis) const {
  if (CGNgLegendList* legend = m_graph ? m_graph->m_legend : nullptr)
    return legend->FirstShownChannelOfAxis(axis);
  for (size_t i = 0; i < m_channelRecords.size(); ++i)
    if (m_channelRecords[i].shown && m_channelRecords[i].axisIndex == axis) return int(i);
  return -1;
}

int CGNgWaveform::AxisOfChannel(int channel) const {
  if (const CGNgLegendList* legend = m_graph ? m_graph->m_legend : nullptr)
    return legend->FindAxisOfChannel(channel);
  if (channel < 0 || channel >= int(m_channelRecords.size())) return -1;
  return m_channelRecords[size_t(channel)].axisIndex;
}

void CGNgWaveform::SelectChannel(int channel, int axis) {
  if (channel < 0 && axis >= 0) channel = ChannelOfAxis(axis);
  if (axis < 0 && channel >= 0) axis = AxisOfChannel(channel);
  if (CGNgYAxisManager* manager = GetYAxisManager()) manager->m_selectedAxis = axis;
  if (m_graph) m_graph->SelectChannel(channel, axis);
}

void CGNgWaveform::SetDataRange(PreciseTime start, PreciseTime end) {
  if (m_graph) m_graph->SetDataRange(start, end);
}

void CGNgWaveform::SetVisibleRange(PreciseTime start, PreciseTime end) {
  if (m_graph) m_graph->SetVisibleRange(start, end);
}

void CGNgWaveform::GetVisibleRange(PreciseTime* start, PreciseTime* end) const {
  if (m_graph) m_graph->GetVisibleRange(start, end);
}

int CGNgWaveform::SetLineWidths(int axisLineWidth, int frameWidth, int tracePrintWidth, int timeAxisWidth) {
  const int changed = frameWidth != m_printFrameWidth ? 1 : 0;
  m_printFrameWidth = frameWidth;
  if (CGNgYAxisManager* manager = GetYAxisManager()) manager->SetPrintLineWidth(axisLineWidth);
  if (m_graph) m_graph->SetLineWidths(tracePrintWidth, frameWidth, timeAxisWidth);
  return changed;
}

CGNgYAxis* CGNgWaveform::GetYAxis(int index) const {
  const CGNgYAxisManager* manager = GetYAxisManager();
  return manager && index < manager->GetAxisCount() ? manager->GetAxis(index) : nullptr;
}

int CGNgWaveform::GetYAxisCount() const {
  const CGNgYAxisManager* manager = GetYAxisManager();
  return manager ? manager->GetAxisCount() : 0;
}

void CGNgWaveform::SetForeColor(vt::ColorRef c) {
  if (m_strip) m_strip->SetForeColor(c);
  if (m_graph) m_graph->SetForeColor(c);
}

void CGNgWaveform::SetBackColor(vt::ColorRef c) {
  CGRowColumn::SetBackColor(c);
  if (m_strip) m_strip->SetBackColor(c);
  if (m_graph) m_graph->SetBackColor(c);
}

void CGNgWaveform::Layout() {
  const int W = m_rect.Width(), H = m_rect.Height();
  if (m_progress)
    m_progress->MoveTo((W - m_progress->Rect().Width()) / 2, (H - m_progress->Rect().Height()) / 2);
  if (m_graph) {
    m_graph->SetBounds(0, 0, W, H);
    m_graph->Layout();
  }
  CGNgYAxisManager* manager = GetYAxisManager();
  int N = 0;
  if (manager) {
    manager->LayoutTree();
    N = manager->GetContentWidth();
    m_strip->Screen()->m_contentWidth = N;
  }
  if (m_splitter) m_splitter->SetLimits(50, W - N - 5);
  int S = m_strip ? m_strip->Rect().Width() : 0;
  if (N < S) S = N;
  if (S < 50) S = 50;
  if (m_strip) m_strip->SetBounds(0, 0, S, H);
  if (m_splitter && (m_splitter->GetStyle() & GSTYLE_VISIBLE)) {
    m_splitter->SetBounds(S, 0, m_splitter->Rect().Width(), H);
    S += m_splitter->Rect().Width();
  }
  if (m_graph) m_graph->SetBounds(S, 0, W - S, H);
}

void CGNgWaveform::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!(GetStyle() & GSTYLE_VISIBLE) || !GetVisibleRect(&visible)) return;
  if (m_graph && m_graph->m_screen) m_graph->m_screen->RefillBuffers();
  CGRowColumn::Paint(dc);
}

void CGNgWaveform::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  DrawSolidFrame(dc, a, 1, 1, 0x02000000, GetOwnBackColor());
}

void CGNgWaveform::ScalePrintRects(int s) {
  const int W = m_printRect.Width(), H = m_printRect.Height();
  if (m_graph) {
    m_graph->SetPrintBounds(0, 0, W, H);
    m_graph->ScalePrintRects(s);
  }
  int A = 0, X = 0;
  if (CGNgYAxisManager* manager = GetYAxisManager()) manager->GetPrintExtent(s, &A, &X);
  // Columns past the print column limit fall left of the strip's print rectangle.
  if (m_strip) m_strip->SetPrintBounds(-X, 0, A + 5 * s, H);
  const int left = A + 5 * s - X;
  if (m_graph) m_graph->SetPrintBounds(left, 0, W - left, H);
}

void CGNgWaveform::PrintSelf(vt::DeviceContext* dc, int) {
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  DrawSolidFrame(dc, a, m_printFrameWidth, 0, 0x02000000, 0);
}

void CGNgWaveform::OnSplitterMoved(CGPrimitive* splitter, int, void*) {
  CGNgWaveform* panel = PanelOf(splitter);
  if (!panel) return;
  if (NgRelayoutHook) NgRelayoutHook(panel, 0, 0);
  panel->LayoutTree();
  panel->Update();
}

void CGNgWaveform::OnYAxisClicked(CGPrimitive* axis, int, void*) {
  const int i = axis->GetParent() ? axis->GetSiblingIndex() : -1;
  CGNgWaveform* panel = PanelOf(axis);
  if (!panel) return;
  const int channel = i >= 0 ? panel->ChannelOfAxis(i) : -1;
  if (CGNgYAxisManager* manager = panel->GetYAxisManager()) manager->m_selectedAxis = i;
  if (panel->m_graph) panel->m_graph->SelectChannel(channel, i);
  if (NgSelectionHook) NgSelectionHook(panel, 0, 0);
  panel->LayoutTree();
  if (NgRelayoutHook) NgRelayoutHook(panel, 0, 0);
  panel->LayoutTree();
  panel->Update();
}

void SetNgWaveformSkin() {
  RegisterTrendSkinArt();
  SetNgProgressSkin(SGNgProgressSkin{});
  // The time scroll bar's arrows and thumb.
  unsigned char thumb[kThumbSkinBytes], left[kArrowSkinBytes], right[kArrowSkinBytes];
  TimeBarSkinBlocks(thumb, left, right);
  SetSkScrollLeftButtonSkin(left);
  SetSkScrollRightButtonSkin(right);
  SetSkHBarSkin(thumb);
  for (uint32_t& c : g_cursorValueColours) c = 0x5080C8C8;
  for (uint32_t& c : g_ngNoteColours) c = 0x50FAA050;
}

void SetNgGraphSkin() {
  RegisterTrendSkinArt();
  SetNgYAxisManagerSkin(vt::SGNgYAxisManagerSkin{});
  RegisterNgMarkNoteArt();
  SetNgMarkNoteSkin(SGNgMarkNoteSkin{});
  // The legend list's title bar and toggle icons, then the trees' check and expand cells.
  const int32_t bar[4] = {kNgLegendBar, 0, 1, 20};
  std::copy(bar, bar + 4, g_ngLegendBarSkin);
  g_ngLegendToggleIcons = kNgLegendIcons;
  for (int id : {kNgLegendBar, kNgLegendIcons}) GetSharedBitmap(id);
  SetNgLegendSkin(kNgLegendSkinShipped);
}

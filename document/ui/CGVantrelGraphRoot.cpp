// CGVantrelGraphRoot: building the tab row, showing a group in the panel, the hint table, the
// range rules and the hooks that carry the panel's changes back into the document.
#include "document/ui/CGVantrelGraphRoot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/ui/CGVantrelSheetRoot.h"
#include "document/ui/GroupTabPages.h"
#include "document/ui/MarkEditor.h"
#include "gadget/GPageController.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/InputGate.h"
#include "trend/GraphCursor.h"
#include "trend/LegendList.h"
#include "trend/MarkNotes.h"
#include "trend/Marks.h"
#include "trend/NgHooks.h"
#include "trend/NgProgress.h"
#include "trend/NgWaveform.h"
#include "trend/TimeAxis.h"
#include "trend/TimeScrollBar.h"
#include "trend/Trips.h"
#include "trend/ValueBox.h"
#include "trend/YAxis.h"
#include "trend/YAxisStrip.h"

GADGET_DEFINE_RECORD(CGVantrelGraphRoot, CGSkRoot)

namespace {

constexpr int kGroupCount = 50;
constexpr int kShown = 3;
// Tabs take the width of the widest group name, up to this.
constexpr int kMaxTabWidth = 200;

double Seconds(const PreciseTime& a, const PreciseTime& b) { return PreciseTime::ToSeconds(b - a); }

// t - seconds, or the zero time when that would not be positive.
PreciseTime BackBy(const PreciseTime& t, double seconds) {
  if (PreciseTime::ToSeconds(t) <= seconds) return PreciseTime{0, 0.0};
  return PreciseTime::AddSeconds(t, -seconds);
}

PreciseTime ToPrecise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

}  // namespace

CGVantrelGraphRoot* GraphRootOf(CGCore* gadget) {
  CGCore* root = gadget ? gadget->GetRoot() : nullptr;
  return root && IsKindOfClass(root, GCLASS(CGVantrelGraphRoot)) ? static_cast<CGVantrelGraphRoot*>(root)
                                                                 : nullptr;
}

CGVantrelGraphRoot::CGVantrelGraphRoot(CGVantrelDoc* doc, vt::HostWindow* host)
    : CGSkRoot(doc, host, 1), doc_(doc) {}

void CGVantrelGraphRoot::Build() {
  SetNgWaveformSkin();
  SetNgGraphSkin();
  NgProgressTextIds[0] = 3235, NgProgressTextIds[1] = 3236, NgProgressTextIds[2] = 0;
  g_ngLegendTitleId = 5002;
  const uint32_t timeTexts[7] = {5001, 0, 5020, 5021, 5022, 5023, 5024};
  for (int i = 0; i < 7; ++i) g_timeAxisTextIds[i] = timeTexts[i];
  g_ngNoteWidth = 100;
  NgLoadFinishedHook = &OnLoadFinishedHook;
  NgSelectionHook = &OnSelectionHook;
  NgCursorHook = &OnCursorHook;
  NgAxisLegendHook = &OnLegendHook;
  NgChannelLegendHook = &OnLegendHook;
  NgRelayoutHook = &OnRelayoutHook;
  NgMarkEventHook = &OnMarkHook;
  NgMarkNoteEventHook = &OnMarkNoteHook;
  NgMarkFrontHook = &OnMarkFrontHook;
  NgAxisZoomHook = &OnAxisZoomHook;
  vt::InputGate::Install();

  controller_ = vt::BuildGroupTabPages(this, doc_, kMaxTabWidth);
  controller_->AddEventCallback(GEVENT_CHANGED, &OnTabChanged, nullptr, 0);
}

void CGVantrelGraphRoot::Layout() {
  if (CGPrimitive* first = static_cast<CGPrimitive*>(GetFirstChild()))
    first->SetBounds(0, 0, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top);
}

CGNgWaveform* CGVantrelGraphRoot::FindPanel() const {
  if (!controller_) return nullptr;
  CGTabPage* page = controller_->PageAt(doc_->GetCurrentGroupIndex());
  return page ? static_cast<CGNgWaveform*>(page->FindByClass(GCLASS(CGNgWaveform))) : nullptr;
}

void CGVantrelGraphRoot::MarkModified() {
  if (auto* owner = static_cast<vt::GraphDocumentOwner*>(doc_->GetDocument())) owner->SetModifiedFlag(true);
}

int CGVantrelGraphRoot::PlotWidth(CGNgWaveform* panel) const {
  return panel && panel->m_graph && panel->m_graph->m_timeAxis
             ? (panel->m_graph->m_timeAxis->Rect().right - panel->m_graph->m_timeAxis->Rect().left)
             : 0;
}

int CGVantrelGraphRoot::StripWidth(CGNgWaveform* panel) const {
  return panel && panel->m_strip ? (panel->m_strip->Rect().right - panel->m_strip->Rect().left) : 0;
}

double CGVantrelGraphRoot::SpanFor(int width) const { return doc_->GetSpanForWidth(width); }

void CGVantrelGraphRoot::Fit(PreciseTime* start, PreciseTime* end, double span) const {
  const CGVantrelGroupData* g = doc_->GetCurrentGroup();
  if (!g) return;
  const PreciseTime b = g->GetDataBeginTime(), e = g->GetDataEndTime();
  if (*start < b) {
    *start = b, *end = PreciseTime::AddSeconds(b, span);
    return;
  }
  if (*end > e) {
    *end = e;
    *start = BackBy(e, span);
    if (*start < b) *start = b, *end = PreciseTime::AddSeconds(b, span);
  }
}

void CGVantrelGraphRoot::ShowAndStore(CGNgWaveform* panel, PreciseTime start, PreciseTime end) {
  panel->SetVisibleRange(start, end);
  if (CGVantrelGroupData* g = doc_->GetCurrentGroup()) g->m_shownStart = start, g->m_shownEnd = end;
}

void CGVantrelGraphRoot::SetDivision(CGNgWaveform* panel) {
  if (panel->m_graph && panel->m_graph->m_timeAxis)
    panel->m_graph->m_timeAxis->m_division = double(doc_->GetTimeScale()) * 0.001;
}

void CGVantrelGraphRoot::KeepEnd(CGNgWaveform* panel) {
  PreciseTime start, end;
  panel->GetVisibleRange(&start, &end);
  const double span = SpanFor(PlotWidth(panel));
  start = BackBy(end, span);
  Fit(&start, &end, span);
  ShowAndStore(panel, start, end);
}

void CGVantrelGraphRoot::CentreOn(CGNgWaveform* panel, PreciseTime t) {
  PreciseTime start, end;
  panel->GetVisibleRange(&start, &end);
  const double span = Seconds(start, end);
  start = BackBy(t, span / 2);
  end = PreciseTime::AddSeconds(t, span / 2);
  Fit(&start, &end, span);
  ShowAndStore(panel, start, end);
}

void CGVantrelGraphRoot::RefitToStripWidth(CGNgWaveform* panel, int savedWidth) {
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  if (!panel || !g || savedWidth == StripWidth(panel) || panel->GetId() != doc_->GetCurrentGroupIndex())
    return;
  KeepEnd(panel);
  g->m_axisStripWidth = StripWidth(panel);
}

void CGVantrelGraphRoot::Repaint() {
  LayoutTree();
  Redraw();
}

void BindPanelToGroup(CGNgWaveform* panel, CGVantrelDoc* doc, CGVantrelGroupData* g, int groupIndex) {
  std::vector<CGNgChannel*> channels;
  for (int i = 0; i < g->GetChannelCount(); ++i) channels.push_back(g->GetChannel(i));
  panel->m_graph->SetChannels(int(channels.size()), channels.data());
  if (panel->m_strip)
    panel->m_strip->SetSize(g->m_axisStripWidth,
                            (panel->m_strip->Rect().bottom - panel->m_strip->Rect().top));

  const SNgChannelSetting* records = nullptr;
  const SNgAxisSetting* axes = nullptr;
  int axisCount = 0, channelCount = 0;
  g->BuildTraceRecords(doc->m_axisGrouping, &records, &axes, &axisCount, &channelCount);
  CGNgYAxisManager* manager = panel->GetYAxisManager();
  if (manager && axes) manager->SetAxes(axes, axisCount);
  panel->m_graph->SetNameKind(doc->m_tagMode);
  if (records) panel->SetChannels(channelCount, records, axisCount, axes);
  const int selected = g->GetSelectedChannelIndex();
  panel->SelectChannel(
      selected, records && selected >= 0 && selected < channelCount ? records[selected].axisIndex : -1);
  if (panel->m_graph->m_legend) panel->m_graph->m_legend->SetMode(doc->m_legendMode);
  if (manager) {
    manager->SetClip(doc->m_axisClip);
    // The legend's position field is laid out only after the layout is set.
    manager->SetLayout(doc->m_axisLayout);
  }

  CGNgGraphScreen* screen = panel->m_graph->m_screen;
  if (screen && screen->m_cursor) {
    screen->m_cursor->SetStyle(kShown);
    screen->m_cursor->m_valueMode = doc->m_cursorValuesShown;
  }
  panel->SetCursorValueMode(doc->m_cursorValuesShown);
  SetCursorValueOpacity(doc->m_cursorTransparency);
  if (screen) screen->SetPenWidth(doc->m_traceThickness);
  panel->ShowAlarms(doc->m_alarmsShown == 1);
  if (panel->m_graph->m_legend) panel->m_graph->m_legend->SetStyle(doc->m_legendShown == 1 ? kShown : 0);
  panel->SetBackColor(doc->m_backColour);
  panel->SetForeColor(doc->m_gridColour);

  if (panel->m_graph->m_marks) {
    int count = 0;
    const SNgMarkData* marks = nullptr;
    doc->GetMarkDataManager()->GetNgMarks(groupIndex, &count, &marks);
    panel->m_graph->m_marks->SetMarks(count, marks);
  }

  PreciseTime a, b;
  if (doc->GetCursorTimes(&a, &b) != -1)
    panel->SetCursorTimes(a, b);
  else
    panel->SetCursorTimes(PreciseTime{-1, 0.0}, PreciseTime{-1, 0.0});
}

void CGVantrelGraphRoot::ShowCurrentGroup() {
  if (!controller_) return;
  for (int i = 0; i < kGroupCount; ++i) {
    CGTabPage* page = controller_->PageAt(i);
    CGVantrelGroupData* g = doc_->GetGroup(i);
    if (!page || !g) continue;
    page->SetStyle(g->GetChannelCount() > 0 ? kShown : 0);
    page->m_title = g->GetName();
    page->SetHelpText((g->GetName() + "\n" + g->GetName()).c_str());
  }
  const int current = doc_->GetCurrentGroupIndex();
  controller_->SetValue(current);
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  CGTabPage* page = controller_->PageAt(current);
  CGNgWaveform* panel = static_cast<CGNgWaveform*>(FindByClass(GCLASS(CGNgWaveform)));
  if (!g || !page) return;
  if (g->GetChannelCount() == 0) {
    if (panel && panel->GetParent() == page) panel->Release();
    return;
  }
  if (!panel) {
    panel = new CGNgWaveform(page);
    panel->Build(150);
  } else {
    panel->Detach();
    panel->LinkAsLastChild(page);
    panel->SetStyle(kShown);
  }
  panel->SetId(current);

  BindPanelToGroup(panel, doc_, g, current);
  SetDivision(panel);

  LayoutTree();
  PreciseTime start, end;
  doc_->GetCurrentGroupRange(&start, &end);
  if (panel->m_graph->m_scrollBar) panel->m_graph->m_scrollBar->SetDataRange(start, end);
  doc_->GetRangeToShow(&start, PlotWidth(panel), &end);
  ShowAndStore(panel, start, end);
  doc_->ShowSelectedChannelProperties();
  LayoutTree();
}

void CGVantrelGraphRoot::ApplyCursors(CGNgWaveform* panel, bool centre, int hint) {
  PreciseTime a, b;
  if (doc_->GetCursorTimes(&a, &b) == -1) {
    panel->SetCursorTimes(PreciseTime{-1, 0.0}, PreciseTime{-1, 0.0});
    return;
  }
  panel->SetCursorTimes(a, b);
  if (!centre) return;
  // An unset cursor converts to a time long before 1970 and is never the later one.
  const PreciseTime on = hint == HINT_CURSOR_A ? a : hint == HINT_CURSOR_B ? b : (a > b ? a : b);
  CentreOn(panel, on);
}

namespace {

bool IsRootHint(int hint) {
  switch (hint) {
    case HINT_CURSOR_A:
    case HINT_CURSOR_B:
    case HINT_RELOADED:
    case HINT_MARK_ADDED:
    case HINT_TAG_MODE:
    case HINT_CURSORS:
    case HINT_MARKS_DELETED:
    case HINT_ALARMS_SHOWN:
    case HINT_LEGEND_SHOWN:
    case HINT_COLOURS:
    case HINT_TIME_POSITION:
    case HINT_DAYLIGHT_SAVING:
    case HINT_MARK_CHANGED:
    case HINT_CHANNEL_SELECTED:
      return true;
    default:
      return false;
  }
}

}  // namespace

void CGVantrelGraphRoot::OnUpdate(int hint, void* data) {
  if (!IsRootHint(hint)) {
    CGSkRoot::OnUpdate(hint, data);
    return;
  }
  // Without the document as data a hint carries nothing to apply: the panel is only drawn again
  // (a reload needs the document and does nothing).
  if (data == nullptr) {
    if (hint != HINT_RELOADED && hint != HINT_TIME_POSITION) Repaint();
    return;
  }
  CGNgWaveform* panel = FindPanel();
  switch (hint) {
    case HINT_CURSOR_A:
    case HINT_CURSOR_B:
    case HINT_CURSORS:
      if (panel) ApplyCursors(panel, true, hint);
      break;
    case HINT_RELOADED:
      ShowCurrentGroup();
      Repaint();
      break;
    case HINT_TIME_POSITION:
      ShowCurrentGroup();
      if ((panel = FindPanel()) != nullptr) {
        PreciseTime start, end;
        panel->GetVisibleRange(&start, &end);
        const double span = Seconds(start, end);
        end = ToPrecise(doc_->GetTimePosition());
        start = BackBy(end, span);
        Fit(&start, &end, span);
        ShowAndStore(panel, start, end);
      }
      Repaint();
      break;
    case HINT_TAG_MODE:
      if (panel) {
        StoreGraphState();
        ShowCurrentGroup();
      }
      break;
    case HINT_ALARMS_SHOWN:
      if (panel) panel->ShowAlarms(doc_->m_alarmsShown == 1);
      break;
    case HINT_LEGEND_SHOWN:
      if (panel && panel->m_graph->m_legend) {
        panel->m_graph->m_legend->SetStyle(doc_->m_legendShown == 1 ? kShown : 0);
        LayoutTree();
        PreciseTime start, end;
        panel->GetVisibleRange(&start, &end);
        const double span = SpanFor(PlotWidth(panel));
        end = PreciseTime::AddSeconds(start, span);
        const CGVantrelGroupData* g = doc_->GetCurrentGroup();
        if (g && end > g->GetDataEndTime()) {
          end = g->GetDataEndTime();
          start = BackBy(end, span);
          if (start < g->GetDataBeginTime())
            start = g->GetDataBeginTime(), end = PreciseTime::AddSeconds(start, span);
        }
        ShowAndStore(panel, start, end);
        SetDivision(panel);
      }
      break;
    case HINT_COLOURS:
      if (panel) panel->SetBackColor(doc_->m_backColour), panel->SetForeColor(doc_->m_gridColour);
      break;
    case HINT_DAYLIGHT_SAVING:
      // Every time is formatted again at the next paint.
      break;
    case HINT_CHANNEL_SELECTED:
      if (panel) {
        const CGVantrelGroupData* g = doc_->GetCurrentGroup();
        const int ch = g ? g->GetSelectedChannelIndex() : -1;
        panel->SelectChannel(ch, panel->AxisOfChannel(ch));
      }
      break;
    case HINT_MARK_ADDED:
      if (auto* item = static_cast<CGVantrelMarkData*>(doc_->GetHintItem()); panel && item)
        AddMarkToPanel(panel, *item);
      break;
    case HINT_MARKS_DELETED:
      if (auto* moved = static_cast<CGCore*>(doc_->GetHintItem()); panel && moved)
        for (CGCore* c = moved->GetFirstChild(); c; c = moved->NextChild(c)) panel->DeleteMark(c->GetId());
      break;
    case HINT_MARK_CHANGED:
      if (auto* record = static_cast<SNgMarkData*>(doc_->GetHintItem()); panel && record)
        panel->UpdateMark(record);
      break;
  }
  if (hint == HINT_RELOADED || hint == HINT_TIME_POSITION) return;
  Repaint();
}

void CGVantrelGraphRoot::AddMarkToPanel(CGNgWaveform* panel, const CGVantrelMarkData& item) {
  SNgMarkData r;
  item.ToNgMarkData(&r);
  CGNgMark* mark = panel->AddMark(r.id, r.markKind, uint32_t(r.groupMask), uint32_t(r.groupMask >> 32),
                                  r.label, r.colour, r.time);
  if (!mark) return;
  for (int i = 0; i < std::min(r.noteCount, 1); ++i)
    if (CGNgMarkNote* note = mark->AddNote(i)) {
      note->SetRecord(r.note);
      note->LayoutTree();
      note->Redraw();
    }
  mark->LayoutTree();
  mark->Redraw();
}

void CGVantrelGraphRoot::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (CGNgWaveform* panel = FindPanel())
    if (panel->m_graph->m_screen && panel->m_graph->m_screen->m_cursor)
      panel->m_graph->m_screen->m_cursor->SetStyle(kShown);
  CGSkRoot::OnLButtonDown(flags, x, y);
}

void CGVantrelGraphRoot::OnSize(int32_t cx, int32_t cy) {
  CGSkRoot::OnSize(cx, cy);
  if (CGNgWaveform* panel = FindPanel()) {
    LayoutTree();
    KeepEnd(panel);
    Repaint();
  }
}

void CGVantrelGraphRoot::OnPaint(vt::DeviceContext& dc, const vt::Rect& area) {
  // The opacity is process-wide in the trend display; each window paints with its own.
  SetCursorValueOpacity(doc_->m_cursorTransparency);
  CGSkRoot::OnPaint(dc, area);
}

void CGVantrelGraphRoot::PaintFromDC(vt::DeviceContext* dc) {
  SetCursorValueOpacity(doc_->m_cursorTransparency);
  CGSkRoot::PaintFromDC(dc);
}

void CGVantrelGraphRoot::ActivateWindow() { BringOwnerToFront(); }

// ---- commands ----

void CGVantrelGraphRoot::SetAxisLayout(int layout) {
  doc_->m_axisLayout = layout;
  MarkModified();
  CGNgWaveform* panel = FindPanel();
  if (!panel) return;
  const CGVantrelGroupData* g = doc_->GetCurrentGroup();
  const int saved = g ? g->m_axisStripWidth : 0;
  if (CGNgYAxisManager* m = panel->GetYAxisManager()) m->SetLayout(layout);
  LayoutTree();
  RefitToStripWidth(panel, saved);
  Repaint();
}

void CGVantrelGraphRoot::ToggleClip() {
  doc_->m_axisClip = doc_->m_axisClip ? 0 : 1;
  MarkModified();
  if (CGNgWaveform* panel = FindPanel()) {
    if (CGNgYAxisManager* m = panel->GetYAxisManager()) m->SetClip(doc_->m_axisClip);
    Repaint();
  }
}

void CGVantrelGraphRoot::SetAxisGrouping(int mode) {
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  const int saved = g ? g->m_axisStripWidth : 0;
  StoreGraphState();
  if (mode == doc_->m_axisGrouping) return;
  doc_->m_axisGrouping = mode;
  MarkModified();
  CGNgWaveform* panel = FindPanel();
  if (!panel || !g) return;
  const SNgChannelSetting* records = nullptr;
  const SNgAxisSetting* axes = nullptr;
  int axisCount = 0, channelCount = 0;
  g->BuildTraceRecords(mode, &records, &axes, &axisCount, &channelCount);
  if (CGNgYAxisManager* m = panel->GetYAxisManager(); m && axes) m->SetAxes(axes, axisCount);
  if (records) panel->SetChannels(channelCount, records, axisCount, axes);
  const int selected = g->GetSelectedChannelIndex();
  panel->SelectChannel(
      selected, records && selected >= 0 && selected < channelCount ? records[selected].axisIndex : -1);
  if (CGNgYAxisManager* m = panel->GetYAxisManager()) m->SetLayout(doc_->m_axisLayout);
  panel->SetBackColor(doc_->m_backColour);
  panel->SetForeColor(doc_->m_gridColour);
  LayoutTree();
  RefitToStripWidth(panel, saved);
  Repaint();
}

void CGVantrelGraphRoot::AppendGroup() {
  const int first = doc_->FirstEmptyGroup();
  doc_->SetCurrentGroup(first < 0 ? 0 : first);
  const int current = doc_->GetCurrentGroupIndex();
  controller_->SetValue(current);
  if (CGTabPage* page = controller_->PageAt(current)) {
    const std::string name = doc_->GetCurrentGroup() ? doc_->GetCurrentGroup()->GetName() : std::string();
    page->m_title = name;
    page->SetHelpText((name + "\n" + name).c_str());
    page->SetStyle(kShown);
    if (auto* panel = static_cast<CGPrimitive*>(page->FindByClass(GCLASS(CGNgWaveform)))) panel->SetStyle(0);
  }
  Repaint();
  for (CGCore* c = doc_->GetFirstChild(); c; c = doc_->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGVantrelSheetRoot)))
      static_cast<CGVantrelSheetRoot*>(c)->FollowAppendedGroup();
}

void CGVantrelGraphRoot::Zoom(int step) {
  doc_->StepTimeScale(step);
  CGNgWaveform* panel = FindPanel();
  if (!panel) return;
  PreciseTime start, end;
  panel->GetVisibleRange(&start, &end);
  const PreciseTime centre = PreciseTime::AddSeconds(start, Seconds(start, end) * 0.5);
  const double span = SpanFor(PlotWidth(panel));
  end = PreciseTime::AddSeconds(centre, span / 2);
  start = BackBy(centre, span / 2);
  Fit(&start, &end, span);
  MarkModified();
  SetDivision(panel);
  ShowAndStore(panel, start, end);
  Repaint();
}

void CGVantrelGraphRoot::SetLegendMode(int mode) {
  doc_->m_legendMode = mode;
  MarkModified();
  CGNgWaveform* panel = FindPanel();
  if (!panel || !panel->m_graph->m_legend || panel->m_graph->m_legend->m_mode == mode) return;
  panel->m_graph->m_legend->SetMode(mode);
  Repaint();
}

bool CGVantrelGraphRoot::LegendModeIs(int mode) const {
  CGNgWaveform* panel = FindPanel();
  return panel && panel->m_graph->m_legend && panel->m_graph->m_legend->m_mode == mode;
}

void CGVantrelGraphRoot::ToggleCursorValue() {
  doc_->m_cursorValuesShown = doc_->m_cursorValuesShown ? 0 : 1;
  MarkModified();
  if (CGNgWaveform* panel = FindPanel()) {
    panel->SetCursorValueMode(doc_->m_cursorValuesShown);
    Repaint();
  }
}

void CGVantrelGraphRoot::SetCursorValueTransparency(int percent) {
  doc_->m_cursorTransparency = percent;
  MarkModified();
  SetCursorValueOpacity(percent);
  if (FindPanel()) Repaint();
}

void CGVantrelGraphRoot::SetLineWidth(int width) {
  doc_->m_traceThickness = width;
  MarkModified();
  if (CGNgWaveform* panel = FindPanel()) {
    if (panel->m_graph->m_screen) panel->m_graph->m_screen->SetPenWidth(width);
    Repaint();
  }
}

void CGVantrelGraphRoot::ShowTimeRange(PreciseTime start, PreciseTime end) {
  CGNgWaveform* panel = FindPanel();
  if (!panel) return;
  PreciseTime a, b;
  if (doc_->GetCursorTimes(&a, &b) != -1) panel->SetCursorTimes(a, b);
  doc_->FitRangeToWidth(&start, PlotWidth(panel), &end);
  ShowAndStore(panel, start, end);
  SetDivision(panel);
  Repaint();
}

void CGVantrelGraphRoot::StoreMarkNotes() {
  CGNgWaveform* panel = FindPanel();
  if (!panel || !panel->m_graph->m_marks) return;
  int built = 0;
  const SNgMarkData* unused = nullptr;
  // Brings the document's mark records of the group up to date first, as a print does.
  doc_->GetMarkDataManager()->GetNgMarks(doc_->GetCurrentGroupIndex(), &built, &unused);
  int count = 0;
  panel->m_graph->m_marks->GetMarks(&count, nullptr, 0);
  std::vector<SNgMarkData> records(std::size_t(std::max(count, 0)));
  const int n = panel->m_graph->m_marks->GetMarks(&count, records.data(), int(records.size()));
  CGVantrelMarkDataManager* items = doc_->GetMarkDataManager();
  for (int i = 0; i < n; ++i)
    for (CGCore* c = items->GetFirstChild(); c; c = items->NextChild(c))
      if (c->GetId() == records[std::size_t(i)].id) {
        auto* item = static_cast<CGVantrelMarkData*>(c);
        item->m_noteKind = records[std::size_t(i)].note.kind;
        item->m_notePosition = records[std::size_t(i)].note.position;
        item->m_noteValue = records[std::size_t(i)].note.value;
        break;
      }
}

void CGVantrelGraphRoot::StoreGraphState() {
  CGNgWaveform* panel = FindPanel();
  CGVantrelGroupData* g = doc_->GetCurrentGroup();
  if (!panel || !g || !panel->m_graph->m_legend) return;
  CGNgLegendList* legend = panel->m_graph->m_legend;
  if (legend->m_selectedChannel >= 0) g->SetSelectedChannelIndex(legend->m_selectedChannel);
  if (legend->m_selectedAxis >= 0) g->m_selectedAxis = legend->m_selectedAxis;
  std::vector<SNgChannelSetting> channels(100);
  std::vector<SNgAxisSetting> axes(100);
  const int n = std::min(g->GetChannelCount(), 100), na = std::min(g->GetAxisCount(), 100);
  // The legend reports only its check marks and folds: the rest of each record is what the
  // channel and the panel's axis hold now, so storing the state keeps scales, zones and trips.
  for (int i = 0; i < n; ++i)
    if (const CGVantrelNgChannel* c = g->GetChannel(i)) c->GetChannelSetting(&channels[std::size_t(i)]);
  for (int i = 0; i < na; ++i)
    if (const CGNgYAxis* axis = panel->GetYAxis(i)) axis->GetSetting(&axes[std::size_t(i)]);
  legend->GetChannelStates(n, channels.data());
  legend->GetAxisStates(na, axes.data());
  g->ApplyChannelRecords(n, channels.data(), na, axes.data());
  doc_->m_legendMode = legend->m_mode;
  g->m_axisStripWidth = StripWidth(panel);
  MarkModified();
}

// ---- hooks ----

void CGVantrelGraphRoot::OnCursorHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  CGNgWaveform* panel = root ? root->FindPanel() : nullptr;
  if (!panel || !panel->m_graph->m_screen || !panel->m_graph->m_screen->m_cursor) return;
  const CGNgGraphCursor* cursor = panel->m_graph->m_screen->m_cursor;
  if (!root->doc_->SetCursorsFromTimes(cursor->m_timeA, cursor->m_timeB)) return;
  root->MarkModified();
  root->doc_->UpdateAllExceptWindow(root->GetHostWindow(), HINT_CURSORS, root->doc_);
}

void CGVantrelGraphRoot::OnSelectionHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  CGNgWaveform* panel = root ? root->FindPanel() : nullptr;
  CGVantrelGroupData* g = root ? root->doc_->GetCurrentGroup() : nullptr;
  if (!panel || !g || !panel->m_graph->m_legend) return;
  const CGNgLegendList* legend = panel->m_graph->m_legend;
  if (legend->m_selectedChannel == g->GetSelectedChannelIndex()) return;
  g->SetSelectedChannelIndex(legend->m_selectedChannel);
  root->doc_->ShowSelectedChannelProperties();
  g->m_selectedAxis = legend->m_selectedAxis;
  root->MarkModified();
  root->doc_->UpdateAllExceptWindow(root->GetHostWindow(), HINT_CHANNEL_SELECTED, root->doc_);
}

void CGVantrelGraphRoot::OnLegendHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  CGNgWaveform* panel = root ? root->FindPanel() : nullptr;
  CGVantrelGroupData* g = root ? root->doc_->GetCurrentGroup() : nullptr;
  if (!panel || !g || !panel->m_graph->m_legend) return;
  std::vector<SNgChannelSetting> channels(100);
  std::vector<SNgAxisSetting> axes(100);
  const int n = std::min(g->GetChannelCount(), 100), na = std::min(g->GetAxisCount(), 100);
  panel->m_graph->m_legend->GetChannelStates(n, channels.data());
  panel->m_graph->m_legend->GetAxisStates(na, axes.data());
  if (!g->ApplyChannelRecords(n, channels.data(), na, axes.data())) return;
  root->MarkModified();
  root->doc_->UpdateAllExceptWindow(root->GetHostWindow(), HINT_RELOADED, root->doc_);
}

void CGVantrelGraphRoot::OnRelayoutHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  CGNgWaveform* panel = root ? root->FindPanel() : nullptr;
  if (panel) root->KeepEnd(panel);
}

void CGVantrelGraphRoot::OnLoadFinishedHook(CGPrimitive*, int, int) {
  // Input given during a long refill is stale, except the release that ends a drag.
  vt::InputGate::DropQueuedInput();
}

void CGVantrelGraphRoot::OnTabChanged(CGPrimitive* source, int, void*) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  if (!root) return;
  CGVantrelDoc* doc = root->doc_;
  root->StoreGraphState();
  if (CGVantrelGroupData* g = doc->GetCurrentGroup()) {
    PreciseTime start{0, 0.0}, end{0, 0.0};
    if (CGNgWaveform* panel = root->FindPanel()) panel->GetVisibleRange(&start, &end);
    g->m_shownStart = start, g->m_shownEnd = end;
  }
  int index = 0;
  root->controller_->GetValue(&index);
  if (index == doc->GetCurrentGroupIndex()) return;
  doc->SetCurrentGroup(index);
  root->MarkModified();
  doc->UpdateAll(HINT_RELOADED, doc);
  root->MarkModified();
}

void CGVantrelGraphRoot::EditMark(CGNgMark* mark) {
  SNgMarkData record;
  mark->GetRecord(&record);
  vt_ui::EditDocumentMark(doc_, GetHostWindow(), record);
}

void CGVantrelGraphRoot::OnMarkHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  if (root && IsKindOfClass(source, GCLASS(CGNgMark))) root->EditMark(static_cast<CGNgMark*>(source));
}

void CGVantrelGraphRoot::OnMarkNoteHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  CGCore* mark = source ? source->GetParent() : nullptr;
  if (root && IsKindOfClass(mark, GCLASS(CGNgMark))) root->EditMark(static_cast<CGNgMark*>(mark));
}

void CGVantrelGraphRoot::OnMarkFrontHook(CGPrimitive* source, int, int) {
  // Children are drawn in ring order, so the last one is drawn above the others.
  CGCore* parent = source ? source->GetParent() : nullptr;
  if (!GraphRootOf(source) || !parent) return;
  source->Detach();
  source->LinkAsLastChild(parent);
}

void CGVantrelGraphRoot::OnAxisZoomHook(CGPrimitive* source, int, int) {
  CGVantrelGraphRoot* root = GraphRootOf(source);
  auto* axis = source ? static_cast<CGNgYAxis*>(source->FindAncestorOfClass(GCLASS(CGNgYAxis))) : nullptr;
  CGVantrelGroupData* g = root ? root->doc_->GetCurrentGroup() : nullptr;
  if (!axis || !g || !root->FindPanel()) return;
  root->StoreGraphState();
  const int index = axis->GetSiblingIndex();
  if (const SNgAxisSetting* record = g->GetAxisRecord(index, root->doc_->m_axisGrouping))
    axis->SetSetting(record);
  root->Repaint();
}

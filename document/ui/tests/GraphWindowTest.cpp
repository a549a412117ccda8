// The graph window over stored data: a row of a recording opens "Graph 1" through the graph
// template into an MDI area and its trend is painted (not one colour); a drag in the plot moves
// the cursors and the document sees them; the save prompt's roads (save, a save that did not
// happen, discard, cancel); the list and sheet views join the same document.
#include <gtest/gtest.h>

#include <optional>

#include "document/testing/DocumentFixture.h"
#undef slots
#include <QDir>
#include <QMdiArea>
#include <QTest>

#include "document/testing/RecordingGraphWindowHost.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/FromToRange.h"
#include "document/ui/MarkEditor.h"
#include "document/ui/WindowEntryPlacement.h"
#include "document/ui/testing/SkinnedRootMaster.h"
#include "gadget/GPageController.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/qt/ChildFrame.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "recorder/SharedTimeZone.h"
#include "testing/ScopedEnvironment.h"
#include "trend/AlarmBands.h"
#include "trend/GraphCursor.h"
#include "trend/LegendList.h"
#include "trend/Marks.h"
#include "trend/NgHooks.h"
#include "trend/NgWaveform.h"
#include "trend/YAxis.h"

namespace document_test {
namespace {

// A recording whose two channels have their own trace colours (red and blue, 0x00bbggrr) and
// scales that hold their values, so both traces are on the plot and can be told apart.
recgen::NewerFile TwoTraceRecording() {
  recgen::NewerFile m = RecordingFile(1, 1, 600, kBaseMs, 1000);
  m.channels[0].colour = 0x000000FF;
  m.channels[1].colour = 0x00FF0000;
  // The second channel's values run from -100 x 10^5 down to -699 x 10^5.
  m.channels[1].rawLow = m.channels[1].rawHigh = 0;
  m.channels[1].spanLow = -80000000, m.channels[1].spanHigh = 0;
  return m;
}

class GraphWindowTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    dialog_test::EnsureSkinnedRootMaster();
    area.resize(1000, 700);
    area.show();
    graph.SetFrameMaker(&maker);
    list.SetFrameMaker(&maker);
    sheet.SetFrameMaker(&maker);
  }
  void TearDown() override {
    for (vt::ChildFrame* f : vt::ChildFrame::FramesFrontToBack(&area)) {
      if (auto* d = dynamic_cast<CVantrelDoc*>(f->GetView()->GetDocument())) d->SetModifiedFlag(false);
      f->close();
    }
    QApplication::processEvents();
    DocumentTest::TearDown();
  }

  // A row of stored data displayed: a document with the recording's two channels in group 0.
  CVantrelDoc* OpenRow() {
    Store(TwoTraceRecording(), "A.DAE");
    auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
    if (!doc) return nullptr;
    vt::SVantrelGroupEntry e;
    e.keys = {{RecordingGuid(1).ToText(), 1, -1}, {RecordingGuid(1).ToText(), 2, -1}};
    if (!doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt)) return nullptr;
    doc->SetModifiedFlag(false);
    return doc;
  }

  // The document's graph view in a 900 x 600 frame, painted.
  static CVantrelGraphView* ShowGraphView(CVantrelDoc* doc) {
    auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
    dynamic_cast<vt::ChildFrame*>(view->GetFrame())->resize(900, 600);
    QApplication::processEvents();
    return view;
  }

  QMdiArea area;
  vt::MdiFrameMaker maker{&area};
  vt::DocTemplate graph{"Graph", [] { return std::make_unique<CVantrelDoc>(); },
                        [] { return std::make_unique<CVantrelGraphView>(); }};
  vt::DocTemplate list{"Graph", nullptr, [] { return std::make_unique<CVantrelListView>(); }};
  vt::DocTemplate sheet{"Graph", nullptr, [] { return std::make_unique<CVantrelSheetView>(); }};
};

vt::ChildFrame* FrameOf(vt::View* v) { return dynamic_cast<vt::ChildFrame*>(v->GetFrame()); }

// The plot of the graph view's panel in the view window's coordinates: its rectangle moved by
// the child offsets of the gadgets above it up to the root.
vt::Rect PlotInWindow(CVantrelGraphView* view) {
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  vt::Rect plot = panel->m_graph->m_screen->Rect();
  for (CGCore* c = panel->m_graph->m_screen->GetParent(); c && c != view->GetRoot(); c = c->GetParent())
    if (IsPrimitive(c)) {
      vt::Point o;
      static_cast<CGPrimitive*>(c)->GetChildOffset(&o);
      plot.left -= o.x, plot.right -= o.x, plot.top -= o.y, plot.bottom -= o.y;
    }
  return plot;
}

TEST_F(GraphWindowTest, ARowOpensGraphOneWithAPaintedTrend) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), "Graph 1");
  auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
  vt::ChildFrame* frame = FrameOf(view);
  frame->resize(900, 600);
  QApplication::processEvents();
  ASSERT_NE(view->GetGraphRoot()->FindPanel(), nullptr);
  const QImage image = frame->GetViewWidget()->FrontImage();
  ASSERT_FALSE(image.isNull());
  QDir().mkpath("artefacts/graphwindow");
  image.save("artefacts/graphwindow/graph1.png");
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 3);
  // Each channel's trace is in the plot, in the channel's own colour.
  const vt::Rect plot = PlotInWindow(view);
  int red = 0, blue = 0;
  for (int y = plot.top; y < plot.bottom; ++y)
    for (int x = plot.left; x < plot.right; ++x) {
      const QRgb p = image.pixel(x, y);
      red += p == qRgb(255, 0, 0), blue += p == qRgb(0, 0, 255);
    }
  const int width = plot.right - plot.left;
  EXPECT_GT(red, width / 2);
  EXPECT_GT(blue, width / 2);
  // The group's tab is wide enough for its name.
  CGTabPage* tab = view->GetGraphRoot()->GetPageController()->PageAt(0);
  vt::DeviceContext* dc = view->GetRoot()->GetBackDCPtr();
  ASSERT_NE(dc, nullptr);
  const vt::Font* old = dc->SelectFont(tab->m_font ? tab->m_font->GetFont() : nullptr);
  const int textWidth = dc->GetTextExtent(tab->m_title).cx;
  dc->SelectFont(old);
  EXPECT_EQ(tab->m_title, "Group 01");
  EXPECT_GE(tab->TabRect().right - tab->TabRect().left, textWidth);

  // The list and sheet views open on the same document.
  ASSERT_NE(list.CreateFrame(doc), nullptr);
  ASSERT_NE(sheet.CreateFrame(doc), nullptr);
  EXPECT_EQ(doc->GetViews().size(), 3u);
  EXPECT_EQ(vt::ChildFrame::FramesFrontToBack(&area).size(), 3u);
}

TEST_F(GraphWindowTest, ADragInThePlotMovesTheCursorsIntoTheDocument) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CVantrelGraphView* view = ShowGraphView(doc);
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  ASSERT_NE(panel, nullptr);
  const vt::Rect plot = PlotInWindow(view);
  QWidget* w = FrameOf(view)->GetViewWidget();
  const int y = (plot.top + plot.bottom) / 2;
  const int x0 = plot.left + (plot.right - plot.left) / 3;
  const int x1 = plot.left + 2 * (plot.right - plot.left) / 3;
  QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x0, y));
  QTest::mouseMove(w, QPoint((x0 + x1) / 2, y));
  QTest::mouseMove(w, QPoint(x1, y));
  QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(x1, y));
  QApplication::processEvents();
  EXPECT_TRUE(doc->GetGadgetDocument()->HasCursor());
  EXPECT_TRUE(doc->IsModified());
}

// Records the hints that reach the graph root's children.
class HintSpy : public CGPrimitive {
 public:
  explicit HintSpy(CGCore* parent) : CGPrimitive(parent, 0, 0, 0, 0, 0, 0) {}
  void OnUpdate(int hint, void* data) override {
    hints.push_back(hint);
    CGPrimitive::OnUpdate(hint, data);
  }
  std::vector<int> hints;
};

PreciseTime Precise(TickTime t) {
  PreciseTime p;
  t.ToTime64(&p.seconds, &p.fraction);
  return p;
}

double Seconds(PreciseTime a, PreciseTime b) { return PreciseTime::ToSeconds(b - a); }

TEST_F(GraphWindowTest, GraphRootHintTable) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CVantrelGraphView* view = ShowGraphView(doc);
  CGVantrelGraphRoot* root = view->GetGraphRoot();
  CGVantrelDoc* d = doc->GetGadgetDocument();
  CGNgWaveform* panel = root->FindPanel();
  ASSERT_NE(panel, nullptr);
  CGNgGraph* graph = panel->m_graph;
  auto* spy = new HintSpy(root);

  // Hints the root does not handle go on to its children; those it handles stop at the root.
  for (int hint : {HINT_STATISTICS, HINT_REPEATERS, HINT_RANGE_SHOWN, HINT_DAYLIGHT_SAVING, HINT_TAG_MODE})
    root->OnUpdate(hint, d);
  EXPECT_EQ(spy->hints, (std::vector<int>{HINT_STATISTICS, HINT_REPEATERS, HINT_RANGE_SHOWN}));
  spy->hints.clear();

  // Display switches and colours reach the panel.
  d->m_alarmsShown = 0, d->m_legendShown = 0, d->m_backColour = 0x02123456;
  d->GetCurrentGroup()->SetSelectedChannelIndex(1);
  for (int hint : {HINT_ALARMS_SHOWN, HINT_LEGEND_SHOWN, HINT_COLOURS, HINT_CHANNEL_SELECTED})
    root->OnUpdate(hint, d);
  EXPECT_EQ(graph->m_screen->m_alarms->GetStyle() & 1, 0);
  EXPECT_EQ(graph->m_legend->GetStyle() & 1, 0);
  EXPECT_EQ(graph->GetOwnBackColor() & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(graph->m_legend->m_selectedChannel, 1);

  // Without the document as data a hint applies nothing.
  d->m_backColour = 0x02654321;
  root->OnUpdate(HINT_COLOURS, nullptr);
  EXPECT_EQ(graph->GetOwnBackColor() & 0xFFFFFF, 0x123456u);

  // Cursor A far from the shown range: the cursor is set and the range centred on it.
  const TickTime t = MsTime(kBaseMs + 300000);
  d->SetCursors(t, std::nullopt);
  root->OnUpdate(HINT_CURSOR_A, d);
  PreciseTime start, end;
  panel->GetVisibleRange(&start, &end);
  EXPECT_EQ(graph->m_screen->m_cursor->m_timeA.seconds, Precise(t).seconds);
  EXPECT_NEAR(Seconds(start, Precise(t)), Seconds(Precise(t), end), 1.0);
  // Erased cursors are cleared in the panel and leave the range where it was.
  d->EraseCursors();
  EXPECT_EQ(graph->m_screen->m_cursor->m_timeA.seconds, -1);
  PreciseTime start2, end2;
  panel->GetVisibleRange(&start2, &end2);
  EXPECT_EQ(start2.seconds, start.seconds);

  // A mark added, changed and deleted in the document follows in the panel.
  SNgMarkData r;
  r.markKind = 3, r.groupMask = 1, r.time = Precise(t), r.colour = 0x0200FF00, r.noteCount = 1;
  std::snprintf(r.label, sizeof r.label, "M1");
  std::snprintf(r.note.title, sizeof r.note.title, "Note");
  CGVantrelMarkData* item = d->AppendMark(r);
  ASSERT_NE(item, nullptr);
  const int id = item->GetId();
  CGNgMark* mark = graph->m_marks->FindMark(id);
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->m_label, "M1");
  EXPECT_EQ(mark->m_noteCount, 1);
  r.id = id;
  std::snprintf(r.label, sizeof r.label, "M2");
  d->UpdateMark(r);
  EXPECT_EQ(mark->m_label, "M2");
  d->DeleteMark(id);
  EXPECT_EQ(graph->m_marks->FindMark(id), nullptr);

  // A current group without channels releases the panel; back on group 0 it is there again,
  // with the group's marks.
  d->AppendMark(r);
  d->SetCurrentGroup(1);
  root->OnUpdate(HINT_RELOADED, d);
  EXPECT_EQ(root->FindPanel(), nullptr);
  d->SetCurrentGroup(0);
  root->OnUpdate(HINT_RELOADED, d);
  ASSERT_NE(root->FindPanel(), nullptr);
  EXPECT_EQ(root->FindPanel()->m_graph->m_marks->m_markCount, 1);
  EXPECT_TRUE(spy->hints.empty());
}

// Stands in for the edit-mark dialog: records what it was given and answers as told, after
// renaming the mark.
class FakeMarkEditor : public vt_ui::MarkEditor {
 public:
  int Edit(vt::HostWindow* owner, SNgMarkData* record, int kind, int group) override {
    calls.push_back({owner, record->id, kind, group});
    std::snprintf(record->label, sizeof record->label, "Edited");
    return answer;
  }
  int Append(PreciseTime time, int group, SNgMarkData* record) override {
    appended.push_back({time.seconds, group});
    *record = SNgMarkData{};
    record->time = time, record->groupMask = uint64_t(1) << group, record->noteCount = 1;
    std::snprintf(record->label, sizeof record->label, "New");
    return answer;
  }
  std::vector<std::pair<int64_t, int>> appended;
  struct Call {
    vt::HostWindow* owner;
    int id, kind, group;
  };
  std::vector<Call> calls;
  int answer = vt_ui::kMarkEditOk;
};

TEST_F(GraphWindowTest, ClickedMarksGoThroughTheMarkEditor) {
  FakeMarkEditor editor;
  vt_ui::SetMarkEditor(&editor);
  struct Case {
    int answer;
    bool viaNote;
    const char* label;  // the panel's label afterwards; null: the mark is gone
  } cases[] = {{vt_ui::kMarkEditOk, false, "Edited"},
               {vt_ui::kMarkEditOk, true, "Edited"},
               {vt_ui::kMarkEditDelete, false, nullptr},
               {2, true, "M1"}};
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CVantrelGraphView* view = ShowGraphView(doc);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  CGNgMarkManager* marks = view->GetGraphRoot()->FindPanel()->m_graph->m_marks;
  for (const Case& c : cases) {
    SNgMarkData r;
    r.markKind = 3, r.groupMask = 1, r.time = Precise(MsTime(kBaseMs + 590000)), r.noteCount = 1;
    std::snprintf(r.label, sizeof r.label, "M1");
    const int id = d->AppendMark(r)->GetId();
    doc->SetModifiedFlag(false);
    editor.calls.clear();
    editor.answer = c.answer;
    CGNgMark* mark = marks->FindMark(id);
    ASSERT_NE(mark, nullptr);
    if (c.viaNote)
      NgMarkNoteEventHook(static_cast<CGPrimitive*>(mark->GetFirstChild()), 13, 0);
    else
      NgMarkEventHook(mark, 13, 0);
    ASSERT_EQ(editor.calls.size(), 1u) << c.answer;
    EXPECT_EQ(editor.calls[0].id, id);
    EXPECT_EQ(editor.calls[0].kind, MARK_SOURCE_USER);
    EXPECT_EQ(editor.calls[0].group, 0);
    EXPECT_EQ(editor.calls[0].owner, view->GetGraphRoot()->GetHostWindow());
    CGNgMark* after = marks->FindMark(id);
    if (!c.label) {
      EXPECT_EQ(after, nullptr);
    } else {
      ASSERT_NE(after, nullptr);
      EXPECT_EQ(after->m_label, c.label);
    }
    EXPECT_EQ(doc->IsModified(), c.answer == vt_ui::kMarkEditOk || c.answer == vt_ui::kMarkEditDelete);
  }
  vt_ui::SetMarkEditor(nullptr);
}

TEST_F(GraphWindowTest, MarkFrontAndAxisResetHooks) {
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CVantrelGraphView* view = ShowGraphView(doc);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();

  // The first of two marks is taken to the end of the ring and so drawn last.
  SNgMarkData r;
  r.markKind = 3, r.groupMask = 1, r.time = Precise(MsTime(kBaseMs + 590000)), r.noteCount = 1;
  const int first = d->AppendMark(r)->GetId();
  d->AppendMark(r);
  CGNgMark* mark = panel->m_graph->m_marks->FindMark(first);
  ASSERT_NE(mark, nullptr);
  NgMarkFrontHook(mark, 2, 0);
  EXPECT_EQ(panel->m_graph->m_marks->GetLastChild(), mark);

  // A zoomed Y axis gets its channel's scale back from the reset button.
  CGNgYAxis* axis = panel->GetYAxis(0);
  ASSERT_NE(axis, nullptr);
  ASSERT_NE(axis->m_resetButton, nullptr);
  SNgAxisSetting before;
  axis->GetSetting(&before);
  axis->SetRange(before.scaleMinimum + 100, before.scaleMaximum - 100);
  SNgAxisSetting zoomed;
  axis->GetSetting(&zoomed);
  ASSERT_NE(zoomed.scaleMinimum, before.scaleMinimum);
  NgAxisZoomHook(axis->m_resetButton, 2, 0);
  SNgAxisSetting after;
  axis->GetSetting(&after);
  EXPECT_EQ(after.scaleMinimum, before.scaleMinimum);
  EXPECT_EQ(after.scaleMaximum, before.scaleMaximum);
}

TEST_F(GraphWindowTest, CursorSearchAndMarkCommands) {
  using namespace vt_ui;
  FakeMarkEditor editor;
  SetMarkEditor(&editor);
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  const int searches[] = {ID_ALARM_RIGHT_A, ID_ALARM_LEFT_A, ID_ALARM_RIGHT_B, ID_ALARM_LEFT_B,
                          ID_MARK_RIGHT_A,  ID_MARK_LEFT_A,  ID_MARK_RIGHT_B,  ID_MARK_LEFT_B,
                          ID_DATA_RIGHT_A,  ID_DATA_LEFT_A,  ID_DATA_RIGHT_B,  ID_DATA_LEFT_B};
  // Enabled searches as a string, one letter per command: a alarm, m mark, d data, - disabled.
  auto enabled = [](CVantrelDoc& document, const int(&ids)[12]) {
    std::string out;
    for (int id : ids) {
      vt::CommandStatus status;
      EXPECT_TRUE(document.OnUpdateCommand(id, status)) << id;
      out += !status.enabled ? '-' : id >= ID_DATA_RIGHT_A ? 'd' : id >= ID_MARK_RIGHT_A ? 'm' : 'a';
    }
    return out;
  };
  auto appendEnabled = [&] {
    vt::CommandStatus status;
    doc->OnUpdateCommand(ID_APPEND_MARK, status);
    return status.enabled;
  };

  EXPECT_EQ(enabled(*doc, searches), "------------");
  EXPECT_FALSE(appendEnabled());
  const TickTime t = MsTime(kBaseMs + 300000);
  d->SetCursors(t, t);
  EXPECT_EQ(enabled(*doc, searches), "aaaa----dddd");
  EXPECT_TRUE(appendEnabled());
  d->SetAlarmsShown(false);
  EXPECT_EQ(enabled(*doc, searches), "--------dddd");

  // Append Mark: the editor's new mark at the cursor joins the document; a cancel adds nothing.
  editor.answer = 2;
  EXPECT_TRUE(doc->OnCommand(ID_APPEND_MARK));
  EXPECT_EQ(d->GetMarkDataManager()->CountChildren(), 0);
  editor.answer = kMarkEditOk;
  EXPECT_TRUE(doc->OnCommand(ID_APPEND_MARK));
  ASSERT_EQ(editor.appended.size(), 2u);
  EXPECT_EQ(editor.appended[1], std::make_pair(Precise(t).seconds, 0));
  ASSERT_EQ(d->GetMarkDataManager()->CountChildren(), 1);
  EXPECT_EQ(enabled(*doc, searches), "----mmmmdddd");

  // The searches move the cursor they name.
  d->SetCursors(MsTime(kBaseMs + 500000), MsTime(kBaseMs + 100000));
  EXPECT_TRUE(doc->OnCommand(ID_MARK_LEFT_A));
  EXPECT_EQ(d->GetCursorATime().ticks, t.ticks);
  EXPECT_TRUE(doc->OnCommand(ID_MARK_RIGHT_B));
  EXPECT_EQ(d->GetCursorBTime().ticks, t.ticks);
  d->GetCurrentGroup()->SetSelectedChannelIndex(0);
  EXPECT_TRUE(doc->OnCommand(ID_DATA_LEFT_B));
  EXPECT_EQ(d->GetCursorBTime().ticks, MsTime(kBaseMs).ticks);
  EXPECT_TRUE(doc->OnCommand(ID_DATA_RIGHT_A));
  EXPECT_EQ(d->GetCursorATime().ticks, MsTime(kBaseMs + 599000).ticks);

  // Without loaded data the start and stop searches stay off even with a cursor.
  CVantrelDoc empty;
  empty.GetGadgetDocument()->SetCursors(t, t);
  EXPECT_EQ(enabled(empty, searches).substr(8), "----");
  SetMarkEditor(nullptr);
}

// Enters a range into the from-to dialog, To first when told.
class FakeFromToPicker : public vt_ui::FromToPicker {
 public:
  // The display zone is UTC here, so the fields are the UTC breakdown.
  bool Run(vt_ui::CVantrelFromToRange& range) override {
    ++runs;
    for (bool to : {false, true}) {
      const std::time_t t = std::time_t(to != swapped ? second : first);
      std::tm tm{};
      gmtime_r(&t, &tm);
      range.SetDate(to, tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
      range.SetTime(to, tm.tm_hour, tm.tm_min, tm.tm_sec);
    }
    return ok;
  }
  int64_t first = 0, second = 0;
  bool swapped = false, ok = true;
  int runs = 0;
};

TEST_F(GraphWindowTest, TimeAxisFromToShowsThePickedRangeInEitherOrder) {
  std::optional<vt_test::ScopedTimeZone> zone;
  zone.emplace("UTC");
  SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
  FakeFromToPicker picker;
  vt_ui::SetFromToPicker(&picker);
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CVantrelGraphView* view = ShowGraphView(doc);
  picker.first = kBaseMs / 1000 + 100, picker.second = kBaseMs / 1000 + 130;
  // The shown range (fitted to the plot width) holds the picked one, whichever end came first.
  std::vector<std::pair<int64_t, int64_t>> shown;
  for (bool swapped : {false, true}) {
    picker.swapped = swapped;
    EXPECT_TRUE(doc->OnCommand(vt_ui::ID_TIME_FROM_TO));
    PreciseTime start, end;
    view->GetVisibleRange(&start, &end);
    shown.emplace_back(start.seconds, end.seconds);
  }
  EXPECT_EQ(picker.runs, 2);
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_LE(shown[0].first, picker.first);
  EXPECT_GE(shown[0].second, picker.second);
  EXPECT_LT(shown[0].second - shown[0].first, 200);
  // Cancel leaves the range.
  picker.ok = false, picker.first += 200, picker.second += 200;
  doc->OnCommand(vt_ui::ID_TIME_FROM_TO);
  PreciseTime start, end;
  view->GetVisibleRange(&start, &end);
  EXPECT_EQ(start.seconds, shown[0].first);
  vt_ui::SetFromToPicker(nullptr);
  // The display zone is process-wide: back to the machine's for the tests after this one.
  zone.reset();
  SetDisplayTimeZone(vt::DISPLAY_ZONE_COMPUTER, 0, 0, 0, 0, 0, 0, 0, 0);
}

// A graph window placed as its saved records say reads back the same records, so closing it
// asks nothing; a view moved afterwards is a change.
TEST_F(GraphWindowTest, AppliedPlacementsReadBackUnchanged) {
  using namespace vt_ui;
  RecordingGraphWindowHost host;
  CVantrelDoc* doc = OpenRow();
  ASSERT_NE(doc, nullptr);
  CGVantrelDoc* d = doc->GetGadgetDocument();
  auto* graphFrame = FrameOf(doc->GetViews()[0]);
  ASSERT_NE(list.CreateFrame(doc), nullptr);
  auto* listFrame = FrameOf(doc->GetViews()[1]);
  // What the frame side reports: the open views, front to back.
  auto readBack = [&] {
    host.placements = {MakeWindowEntry(kGraphViewKind, graphFrame->GetPlacement()),
                       MakeWindowEntry(kListViewKind, listFrame->GetPlacement())};
  };
  for (uint32_t show : {vt::kShowNormal, vt::kShowMinimized}) {
    vt::WindowPlacement graph;
    graph.showCmd = show, graph.normal = {10, 20, 610, 420};
    vt::WindowPlacement other;
    other.normal = {40, 30, 500, 330};
    d->m_windowCount = 2;
    d->m_windows[0] = MakeWindowEntry(kGraphViewKind, graph);
    d->m_windows[1] = MakeWindowEntry(kListViewKind, other);
    graphFrame->SetPlacement(PlacementOf(d->m_windows[0]));
    listFrame->SetPlacement(PlacementOf(d->m_windows[1]));
    QApplication::processEvents();
    readBack();
    for (int i = 0; i < 2; ++i) {
      const vt::WindowPlacement saved = PlacementOf(d->m_windows[std::size_t(i)]);
      EXPECT_EQ(PlacementOf(host.placements[std::size_t(i)]), saved) << "show " << show << " view " << i;
    }
    doc->SetModifiedFlag(false);
    vt::MessageBoxCapture capture(vt::kIdCancel);
    EXPECT_TRUE(doc->SaveModified()) << show;
    EXPECT_TRUE(capture.Boxes().empty()) << show;
  }

  // Moved: the save question comes.
  vt::WindowPlacement moved = graphFrame->GetPlacement();
  moved.showCmd = vt::kShowNormal;
  moved.normal.left += 5, moved.normal.right += 5;
  graphFrame->SetPlacement(moved);
  readBack();
  vt::MessageBoxCapture capture(vt::kIdNo);
  EXPECT_TRUE(doc->SaveModified());
  EXPECT_EQ(capture.Boxes().size(), 1u);
  doc->SetModifiedFlag(false);
}

TEST(WindowLayout, WhatCountsAsAChange) {
  SGraphWindowEntry base;
  base.viewKind = 1, base.showCmd = 1, base.normalRight = 100, base.normalBottom = 80;
  struct Case {
    const char* what;
    void (*change)(SGraphWindowEntry&);
    uint32_t flags;
    bool differs;
  } cases[] = {
      {"nothing", [](SGraphWindowEntry&) {}, 0, false},
      {"kind", [](SGraphWindowEntry& e) { e.viewKind = 2; }, 0, true},
      {"normal rectangle", [](SGraphWindowEntry& e) { e.normalLeft = 1; }, 0, true},
      {"show state", [](SGraphWindowEntry& e) { e.showCmd = 2; }, 0, true},
      {"flags", [](SGraphWindowEntry& e) { e.flags = 1; }, 0, true},
      {"minimised position, not counted", [](SGraphWindowEntry& e) { e.minX = 7; }, 0, false},
      {"minimised position, counted", [](SGraphWindowEntry& e) { e.minX = 7; }, 1, true},
      {"normal rectangle with bit 0", [](SGraphWindowEntry& e) { e.normalLeft = 1; }, 1, false},
      {"maximised position, counted", [](SGraphWindowEntry& e) { e.maxY = 7; }, 2, true},
      {"maximised position with both bits", [](SGraphWindowEntry& e) { e.maxY = 7; }, 3, true},
  };
  for (const Case& c : cases) {
    SGraphWindowEntry record = base;
    record.flags = c.flags;
    SGraphWindowEntry open = record;
    c.change(open);
    EXPECT_EQ(CGVantrelDoc::WindowLayoutDiffers({open}, 1, &record), c.differs) << c.what;
  }
  EXPECT_TRUE(CGVantrelDoc::WindowLayoutDiffers({}, 1, &base)) << "a view closed";
  EXPECT_TRUE(CGVantrelDoc::WindowLayoutDiffers({base, base}, 1, &base)) << "a view opened";
}

TEST_F(GraphWindowTest, SavePromptRoads) {
  struct Case {
    int answer;
    bool saves;
    bool closes;
    int notified;
  } cases[] = {{vt::kIdYes, true, true, 1},
               {vt::kIdYes, false, false, 0},
               {vt::kIdNo, false, true, 0},
               {vt::kIdCancel, false, false, 0}};
  for (const Case& c : cases) {
    CVantrelDoc doc;
    doc.SetTitle("Graph 1");
    doc.SetModifiedFlag(true);
    int saved = 0;
    doc.saveAs = [&] { return ++saved, c.saves; };
    vt::MessageBoxCapture capture(c.answer);
    EXPECT_EQ(doc.SaveModified(), c.closes) << c.answer;
    ASSERT_EQ(capture.Boxes().size(), 1u);
    EXPECT_EQ(capture.Boxes()[0].request.text, "Save changes to Graph 1?");
    EXPECT_EQ(saved, c.answer == vt::kIdYes ? 1 : 0);
  }
  // Unmodified: no question.
  CVantrelDoc doc;
  vt::MessageBoxCapture capture(vt::kIdCancel);
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_TRUE(capture.Boxes().empty());
}

}  // namespace
}  // namespace document_test

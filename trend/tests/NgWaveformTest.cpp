// The trend panel: its layout (strip, splitter, graph), the print shift of the strip, the
// hooks it calls, the progress overlay (line texts, brightness, background taken at every
// show, skipped paints), a release delivered while a scroll refills, and a graph that goes on
// without each part whose allocation failed.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>

#include "platform/gui/RecordingDc.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "trend/AlarmBands.h"
#include "trend/GraphCursor.h"
#include "trend/Marks.h"
#include "trend/Trips.h"
#include "trend/ValueBox.h"
#include "trend/tests/TrendPanelEnv.h"

namespace {

std::vector<std::string> g_calls;
void LogSelection(CGPrimitive* p, int, int) {
  g_calls.push_back(IsKindOfClass(p, GCLASS(CGNgWaveform)) ? "selection" : "?");
}
void LogRelayout(CGPrimitive* p, int, int) {
  g_calls.push_back(IsKindOfClass(p, GCLASS(CGNgWaveform)) ? "relayout" : "?");
}
void LogLoaded(CGPrimitive* p, int, int) {
  g_calls.push_back(IsKindOfClass(p, GCLASS(CGNgGraphScreen)) ? "loaded" : "?");
}

class NgWaveformTest : public trend_test::PanelEnv {
 protected:
  void TearDown() override {
    NgSelectionHook = NgRelayoutHook = NgLoadFinishedHook = nullptr;
    g_calls.clear();
    PanelEnv::TearDown();
  }
};

}  // namespace

TEST(FormatProgressLine, PadsThePercentToThreeColumns) {
  struct Case {
    double percent;
    const char* text;
  } cases[] = {{0, "CH   0%"},  {5, "CH   5%"},    {9, "CH   9%"},  {10, "CH  10%"},
               {42, "CH  42%"}, {99.9, "CH  99%"}, {100, "CH 100%"}};
  for (const Case& c : cases) EXPECT_EQ(FormatProgressLine("CH", int(c.percent)), c.text) << c.percent;
}

TEST_F(NgWaveformTest, BuildsItsPartsInLinkOrder) {
  EXPECT_EQ(panel->GetChildAt(0), panel->m_progress);
  EXPECT_EQ(panel->GetChildAt(1), panel->m_strip);
  EXPECT_EQ(panel->GetChildAt(2), panel->m_splitter);
  EXPECT_EQ(panel->GetChildAt(3), panel->m_graph);
  EXPECT_EQ(panel->GetYAxisCount(), 100);
  EXPECT_EQ(panel->GetYAxis(100), nullptr);
  EXPECT_EQ(panel->GetYAxis(-1), nullptr);
  EXPECT_EQ(FindNgProgress(panel->m_graph->m_screen->GetTrace(3)), panel->m_progress);
  EXPECT_EQ(panel->m_progress->Rect(), (vt::Rect{0, 0, 330, 98}));
  EXPECT_EQ(panel->m_progress->GetStyle(), 0);
  EXPECT_EQ(panel->m_progress->m_title, " Drawing");
  EXPECT_EQ(panel->m_progress->m_totalLabel, " Total ");
}

TEST_F(NgWaveformTest, LayoutKeepsTheStripBetweenFiftyAndTheAxesWidth) {
  Bind(1, 100);
  panel->LayoutTree();
  const int N = manager->GetContentWidth();
  ASSERT_GT(N, 53);
  EXPECT_EQ(panel->m_progress->Rect().left, (900 - 330) / 2);
  EXPECT_EQ(panel->m_progress->Rect().top, (500 - 98) / 2);
  struct Case {
    int stripWidth;
    bool splitter;
    int expected;
  } cases[] = {{N + 200, true, N}, {N - 3, true, N - 3}, {20, true, 50}, {N + 200, false, N}};
  for (const Case& c : cases) {
    panel->m_strip->SetBounds(0, 0, c.stripWidth, 500);
    panel->m_splitter->SetStyle(c.splitter ? 3 : 0);
    panel->LayoutTree();
    EXPECT_EQ(panel->m_strip->Rect().Width(), c.expected) << c.stripWidth;
    const int graphLeft = c.expected + (c.splitter ? 5 : 0);
    EXPECT_EQ(panel->m_graph->Rect(), (vt::Rect{graphLeft, 0, 900, 500})) << c.stripWidth;
    if (c.splitter) {
      EXPECT_EQ(panel->m_splitter->Rect(), (vt::Rect{c.expected, 0, c.expected + 5, 500}));
    }
  }
  // No axis: the strip keeps its minimum.
  manager->SetAxes(nullptr, 0);
  panel->LayoutTree();
  EXPECT_EQ(manager->GetContentWidth(), 5);
  EXPECT_EQ(panel->m_strip->Rect().Width(), 50);
}

TEST_F(NgWaveformTest, ClickingAnAxisSelectsItAndCallsTheHooksInOrder) {
  NgSelectionHook = LogSelection;
  NgRelayoutHook = LogRelayout;
  Bind(2, 100);
  CGNgWaveform::OnYAxisClicked(panel->GetYAxis(0), GEVENT_CLICKED, nullptr);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"selection", "relayout"}));
  EXPECT_EQ(manager->m_selectedAxis, 0);
  EXPECT_EQ(panel->m_graph->m_screen->m_selectedTrace, 0);
  // An axis with no channel on it selects channel -1 and that axis.
  CGNgWaveform::OnYAxisClicked(panel->GetYAxis(4), GEVENT_CLICKED, nullptr);
  EXPECT_EQ(manager->m_selectedAxis, 4);
  EXPECT_EQ(panel->m_graph->m_screen->m_selectedTrace, -1);
  EXPECT_EQ(panel->m_graph->m_screen->m_selectedAxis, 4);
  g_calls.clear();
  CGNgWaveform::OnSplitterMoved(panel->m_splitter, GEVENT_SPLITTER_RELEASED, nullptr);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"relayout"}));
}

TEST_F(NgWaveformTest, PaintRefillsWithTheOverlayAndCallsTheLoadHookOnce) {
  NgLoadFinishedHook = LogLoaded;
  Bind(3, 200000);
  panel->SetVisibleRange(At(0), At(50000));  // 3 x 50,001 samples
  panel->LayoutTree();
  PaintWindow();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"loaded"}));
  EXPECT_EQ(panel->m_progress->GetStyle(), 0);  // hidden again
  EXPECT_GE(panel->m_progress->m_paints, 2);    // the first and the final paint at least
  g_calls.clear();
  PaintWindow();  // same range: no refill, no hook
  EXPECT_TRUE(g_calls.empty());
}

TEST_F(NgWaveformTest, OverlayKeepsItsBrightnessAndTakesTheBackgroundAtEveryShow) {
  Bind(1, 100);
  panel->SetVisibleRange(At(0), At(100));
  panel->LayoutTree();
  PaintWindow();
  CGNgProgress* overlay = panel->m_progress;
  int64_t now = 1000;
  overlay->m_clock = [&] { return now; };
  vt::Rect a;
  overlay->GetAbsoluteRect(&a);
  const int x = a.left + 5, y = a.top + 60;  // gradient over the background, no text or bar
  auto showOver = [&](vt::ColorRef under) {
    vt::DeviceContext* window = host->GetDC();
    window->FillSolidRect(a, under);
    host->ReleaseDC(window);
    overlay->SetVisible(true);
    overlay->ShowNow();
    return FrontPixel(x, y);
  };
  const vt::ColorRef first = showOver(0x000000FF);
  EXPECT_NE(first, 0x000000FFu);  // the translucent box lies over it
  for (int i = 0; i < 5; ++i) {
    now += 20;
    overlay->SetPercents(10.0 * i, 5.0 * i);
    overlay->PaintNow();
    EXPECT_EQ(FrontPixel(x, y), first) << i;  // no darkening from repeated paints
  }
  overlay->SetVisible(false);
  const vt::ColorRef second = showOver(0x00FF0000);  // a new frame under the second show
  EXPECT_NE(second, first);
  now += 20;
  overlay->PaintNow();
  EXPECT_EQ(FrontPixel(x, y), second);
}

TEST_F(NgWaveformTest, ProgressPaintsWithinSixteenMillisecondsAreSkippedButNotTheFinalOne) {
  Bind(1, 100);
  PaintWindow();
  CGNgProgress* overlay = panel->m_progress;
  int64_t now = 1000;
  overlay->m_clock = [&] { return now; };
  overlay->SetVisible(true);
  overlay->ShowNow();
  EXPECT_EQ(overlay->m_paints, 1);
  struct Step {
    int64_t advance;
    double channel, total;
    int paints;
  } steps[] = {{5, 10, 5, 1}, {10, 20, 10, 1}, {1, 30, 15, 2}, {1, 100, 100, 3}, {20, 40, 20, 4}};
  for (const Step& s : steps) {
    now += s.advance;
    overlay->SetPercents(s.channel, s.total);
    overlay->PaintNow();
    EXPECT_EQ(overlay->m_paints, s.paints) << s.channel;
  }
}

TEST_F(NgWaveformTest, PrintShiftsTheStripSoThatColumnsPastTheLimitFallOutside) {
  Bind(1, 100);
  std::vector<SNgAxisSetting> axes(12);
  for (SNgAxisSetting& r : axes) r.shown = 1, r.labelMode = 2, r.scaleMaximum = 100;
  manager->SetAxes(axes.data(), 12);
  manager->SetLayout(AXIS_FULL);  // all overlap: twelve columns
  panel->LayoutTree();
  panel->SetPrintBounds(0, 0, 1800, 1000);
  manager->m_printColumnLimit = 10;
  panel->ScalePrintRects(2);
  int A = 0, X = 0;
  manager->GetPrintExtent(2, &A, &X);
  ASSERT_GT(X, 0);
  EXPECT_EQ(panel->m_strip->PrintRect(), (vt::Rect{-X, 0, -X + A + 10, 1000}));
  EXPECT_EQ(panel->m_graph->PrintRect().left, A + 10 - X);
  manager->m_printColumnLimit = 12;  // no axis in column 12: the whole strip prints
  panel->ScalePrintRects(2);
  EXPECT_EQ(panel->m_strip->PrintRect().left, 0);
}

TEST_F(NgWaveformTest, AReleaseDeliveredDuringTheScrollRefillEndsThePaging) {
  Bind(2, 200000);
  panel->SetVisibleRange(At(0), At(60000));
  panel->LayoutTree();
  PaintWindow();
  // The load-finished hook hands the queued release to the root, as the graph window does.
  static CGRoot* s_root;
  s_root = root;
  NgLoadFinishedHook = [](CGPrimitive*, int, int) { s_root->OnLButtonUp(0, 880, 490); };
  CGNgHTScrollBar* bar = panel->m_graph->m_scrollBar;
  vt::Rect track;
  bar->m_thumb->GetAbsoluteRect(&track);
  root->OnLButtonDown(vt::kMkLButton, track.right - 5, track.top + 4);  // page right
  EXPECT_DOUBLE_EQ(vt::SpanSeconds(At(0), bar->GetPosition()), 60000);
  EXPECT_EQ(g_ngThumbPress.zone, 0);  // the release was taken
  EXPECT_EQ(g_repeatTimer, 0u);       // and no repeat was started after it
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
}

TEST_F(NgWaveformTest, CursorsAlarmsTripsAndMarksThroughThePanel) {
  Bind(2, 1000);
  std::vector<SNgChannelSetting> records(2);
  records[0].shown = records[1].shown = 1;
  records[1].tripShown[2] = 1, records[1].tripValue[2] = 42.5;
  SNgAxisSetting axis;
  axis.shown = 1, axis.scaleMinimum = 0, axis.scaleMaximum = 100;
  panel->SetChannels(2, records.data(), 1, &axis);
  CGNgTrip* trip = panel->m_graph->m_trips->GetTrip(4 + 2);  // channel 1, level 3
  EXPECT_EQ(trip->GetStyle(), 3);
  EXPECT_EQ(trip->m_value, 42.5);
  EXPECT_EQ(panel->m_graph->m_trips->GetTrip(0)->GetStyle(), 0);

  CGNgGraphCursor* cursor = panel->m_graph->m_screen->m_cursor;
  cursor->GetValueBox(3)->SetStyle(3);
  panel->SetCursorTimes(At(10), At(20));
  EXPECT_EQ(cursor->m_timeA, At(10));
  EXPECT_EQ(cursor->m_timeB, At(20));
  EXPECT_EQ(cursor->GetValueBox(3)->GetStyle(), 0);
  cursor->GetValueBox(3)->SetStyle(3);
  panel->SetCursorValueMode(1);
  EXPECT_EQ(cursor->m_valueMode, 1);
  EXPECT_EQ(cursor->GetValueBox(3)->GetStyle(), 0);
  panel->m_graph->SetNameKind(2);  // the root's call reaches the value boxes too
  EXPECT_EQ(cursor->GetValueBox(199)->m_nameKind, 2);

  CGNgAlarmGroupManager* alarms = panel->m_graph->m_screen->m_alarms;
  panel->ShowAlarms(5);
  EXPECT_EQ(alarms->GetStyle(), 3);
  panel->ShowAlarms(0);
  EXPECT_EQ(alarms->GetStyle(), 0);

  CGNgMarkManager* marks = panel->m_graph->m_marks;
  CGNgMark* mark = panel->AddMark(7, MARK_FLAG_LEFT, 0, 0, "M1", 0x0000FF, At(50));
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(marks->FindMark(7), mark);
  EXPECT_EQ(marks->m_markCount, 1);
  SNgMarkData update;
  update.id = 7, update.markKind = MARK_PENNANT, update.time = At(60), update.colour = 0x00FF00;
  std::snprintf(update.label, sizeof update.label, "%s", "M2");
  panel->UpdateMark(&update);
  EXPECT_EQ(mark->m_time, At(60));
  EXPECT_EQ(mark->m_label, "M2");
  update.id = 8;
  panel->UpdateMark(&update);  // no such mark: nothing
  panel->DeleteMark(8);
  EXPECT_EQ(marks->m_markCount, 1);
  panel->DeleteMark(7);
  EXPECT_EQ(marks->m_markCount, 0);
  EXPECT_EQ(marks->FindMark(7), nullptr);
}

TEST_F(NgWaveformTest, CursorAutoScrollMovesThePanelsScrollBar) {
  Bind(1, 1000);
  panel->SetVisibleRange(At(0), At(100));
  panel->LayoutTree();
  PaintWindow();
  CGNgHTScrollBar* bar = panel->m_graph->m_scrollBar;
  ASSERT_TRUE(bar->GetStyle() & GSTYLE_VISIBLE);
  vt::Rect plot;
  panel->m_graph->m_screen->GetAbsoluteRect(&plot);
  const int y = plot.top + 20;
  root->OnLButtonDown(vt::kMkLButton, plot.left + 10, y);
  root->OnMouseMove(vt::kMkLButton, plot.right + 20, y);
  ASSERT_EQ(g_repeatTimer, uint32_t(vt::GTIMER_REPEAT));
  ASSERT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
  PreciseTime s, e;
  panel->GetVisibleRange(&s, &e);
  EXPECT_GT(bar->GetPosition(), At(0));
  EXPECT_EQ(s, bar->GetPosition());  // the bar moved the shown range
  for (int tick = 0; tick < 1000 && g_repeatTimer; ++tick) host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(g_repeatTimer, 0u);
  EXPECT_EQ(bar->GetPosition(), At(900));  // held at the data end
  panel->GetVisibleRange(&s, &e);
  EXPECT_EQ(e, At(1000));
  root->OnLButtonUp(0, plot.right + 20, y);
  EXPECT_EQ(panel->m_graph->m_screen->m_cursor->m_timeB, At(1000));  // the data end
}

TEST_F(NgWaveformTest, AGraphPartWithoutMemoryIsReportedAndTheGraphGoesOnWithoutIt) {
  Bind(2, 1000);
  delete panel;  // each case builds its own
  panel = nullptr;
  // The parts in the order a graph builds them; n fails the nth.
  using Part = bool (*)(const CGNgGraph*);
  const struct {
    const char* name;
    Part missing;
  } parts[] = {
      {"legend", [](const CGNgGraph* g) { return !g->m_legend; }},
      {"trips", [](const CGNgGraph* g) { return !g->m_trips; }},
      {"marks", [](const CGNgGraph* g) { return !g->m_marks; }},
      {"plot area", [](const CGNgGraph* g) { return !g->m_screen; }},
      {"data buffers", [](const CGNgGraph* g) { return !g->m_screen->m_dataManager; }},
      {"cursor", [](const CGNgGraph* g) { return !g->m_screen->m_cursor; }},
      {"traces", [](const CGNgGraph* g) { return !g->m_screen->GetTrace(0); }},
      {"alarm bands", [](const CGNgGraph* g) { return !g->m_screen->m_alarms; }},
      {"time scroll bar", [](const CGNgGraph* g) { return !g->m_scrollBar; }},
      {"time axis", [](const CGNgGraph* g) { return !g->m_timeAxis; }},
  };
  std::vector<CGNgChannel*> list;
  for (auto& c : channels) list.push_back(c.get());
  std::vector<SNgChannelSetting> records(2);
  records[0].shown = records[1].shown = 1;
  SNgAxisSetting axis;
  axis.shown = 1, axis.scaleMaximum = 100;
  for (int n = 1; n <= int(std::size(parts)); ++n) {
    SCOPED_TRACE(parts[n - 1].name);
    vt::MessageBoxCapture boxes;
    NgGraphBuildTestHook::FailNthPart(n);
    auto* p = new CGNgWaveform(root);
    p->SetBounds(0, 0, 900, 500);
    p->Build(150);
    NgGraphBuildTestHook::FailNthPart(0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].request.text, "Out of memory.");
    EXPECT_TRUE(parts[n - 1].missing(p->m_graph));
    for (int other = 1; other <= int(std::size(parts)); ++other) {
      if (other != n && (n != 4 || other < 5 || other > 8)) {  // the plot area holds parts 5 to 8
        EXPECT_FALSE(parts[other - 1].missing(p->m_graph)) << parts[other - 1].name;
      }
    }

    // Everything the root does with a graph still works.
    p->m_graph->SetChannels(2, list.data());
    p->SetChannels(2, records.data(), 1, &axis);
    p->SetDataRange(At(0), At(1000));
    p->SetVisibleRange(At(100), At(400));
    p->SetCursorTimes(At(150), At(200));
    p->SelectChannel(1, 0);
    p->m_graph->SetNameKind(1);
    p->SetLineWidths(1, 1, 1, 1);
    p->SetBackColor(0x02404040);
    p->AddMark(1, MARK_FLAG_LEFT, 0, 0, "M", 0x0000FF, At(300));
    p->LayoutTree();
    PaintWindow();
    p->m_graph->ScrollTo(At(200));
    PaintWindow();
    p->SetPrintBounds(0, 0, 1800, 1000);
    p->ApplyPrintScale(2);
    vt::RecordingDc paper(1800, 1000);
    p->PrintTree(&paper, 1);
    delete p;
  }
}

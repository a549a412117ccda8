// Graph cursors and value boxes: value texts and opacity, snapping, the press modifiers, the
// drag limited to the data, auto-scroll driven by timer ticks, value-box placement, the strip
// restored around a thick line, and the printed lines.
#include <gtest/gtest.h>

#include "gadget/GRoot.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/GraphCursor.h"
#include "trend/ValueBox.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/tests/GraphTestEnv.h"

using vt_test::FakeNgChannel;

TEST(CursorValueTextTest, FormatsAndOpacity) {
  EXPECT_EQ(FormatCursorValue(0, 12.345, -1, 0), "12");
  EXPECT_EQ(FormatCursorValue(0, 12.3456, 3, 0), "12.346");
  EXPECT_EQ(FormatCursorValue(0, 1234.5, 2, 1), "1.23E3");
  EXPECT_EQ(FormatCursorValue(7, 1, 2, 0), "-OVER");
  EXPECT_EQ(FormatCursorValue(6, 1, 2, 0), "+OVER");
  EXPECT_EQ(FormatCursorValue(3, 1, 2, 0), "+OVER");
  const struct {
    int percent;
    uint32_t alpha;
  } cases[] = {{0, 255}, {50, 127}, {100, 0}, {-1, 255}, {300, 0}};  // out of range: limited
  for (const auto& c : cases) {
    SetCursorValueOpacity(c.percent);
    for (uint32_t colour : g_cursorValueColours) {
      EXPECT_EQ(colour >> 24, c.alpha) << c.percent;
      EXPECT_EQ(colour & 0xFFFFFF, 0x80C8C8u);
    }
  }
  SetCursorValueOpacity(100 - 0x50 * 100 / 255);
}

namespace {

int g_hooks = 0;
void CountHook(CGPrimitive*, int, int) { ++g_hooks; }

class GraphCursorTest : public trend_test::GraphEnv {
 protected:
  void SetUp() override {
    GraphEnv::SetUp();
    cursor = graph->m_screen->m_cursor;
    ASSERT_NE(cursor, nullptr);
    channels[0].Fill(1000, [](int64_t i) { return double(i % 100); });
    for (int i = 10; i <= 20; ++i) channels[0].statuses[size_t(i)] = kNgNoDataSingle;
    channels[1].interval = 2.0;
    channels[1].Fill(500, [](int64_t i) { return double(i % 50); });
    channels[1].name = "CH002";
    CGNgChannel* list[2] = {&channels[0], &channels[1]};
    graph->SetChannels(2, list);
    SNgChannelSetting b[2];
    for (int i = 0; i < 2; ++i) b[i].shown = 1, b[i].channelIndex = int16_t(i), b[i].colour = 0x0000FF;
    graph->m_screen->SetTraces(2, b);
    graph->SetDataRange(channels[0].start, channels[0].TimeOf(999));
    Show(0);
    g_hooks = 0;
    NgCursorHook = CountHook;
  }
  void TearDown() override {
    NgCursorHook = nullptr;
    GraphEnv::TearDown();
  }
  // One second per pixel from start s.
  void Show(double s) {
    graph->SetVisibleRange(At(s), At(s + plotWidth));
    graph->LayoutTree();
  }
  PreciseTime At(double s) const { return PreciseTime::AddSeconds(channels[0].start, s); }

  CGNgGraphCursor* cursor = nullptr;
  int plotWidth = 727;
  FakeNgChannel channels[2];
  std::unique_ptr<vt::FakeHostWindow> host;  // outlives the roots of the master
};

}  // namespace

TEST_F(GraphCursorTest, SnapsToTheFirstSampleAtOrAfterPreferringData) {
  EXPECT_EQ(cursor->SnapToSample(At(30.5)), At(31));  // channel 0 is nearer
  EXPECT_EQ(cursor->SnapToSample(At(10.5)), At(12));  // channel 0 has no data at 11: channel 1 wins
  EXPECT_EQ(cursor->SnapToSample(At(30)), At(30));
  graph->SetTraceStyle(1, 0);
  EXPECT_EQ(cursor->SnapToSample(At(10.5)), At(11));  // no data anywhere: the nearest without
  graph->SetTraceStyle(0, 0);
  EXPECT_EQ(cursor->SnapToSample(At(10.5)), PreciseTime{});  // no shown trace: the zero time
}

TEST_F(GraphCursorTest, PressModifiersAndTheHook) {
  cursor->OnLButtonDown(kNgMouseControl, 100, 50);  // neither set: both jump, B is dragged
  EXPECT_EQ(cursor->m_timeA, At(100));
  EXPECT_EQ(cursor->m_timeB, At(100));
  EXPECT_EQ(g_cursorDragA, 0);
  cursor->OnLButtonUp(0, 100, 50);
  cursor->OnLButtonDown(kNgMouseControl, 200, 50);
  EXPECT_EQ(cursor->m_timeA, At(200));
  EXPECT_EQ(cursor->m_timeB, At(100));
  EXPECT_EQ(g_cursorDragA, 1);
  cursor->OnLButtonUp(0, 200, 50);
  cursor->OnLButtonDown(kNgMouseShift, 300, 50);
  EXPECT_EQ(cursor->m_timeA, At(200));
  EXPECT_EQ(cursor->m_timeB, At(300));
  cursor->OnLButtonUp(0, 300, 50);
  Show(250);  // A now lies before the shown start: a modified press places both
  cursor->OnLButtonDown(kNgMouseShift, 10, 50);
  EXPECT_EQ(cursor->m_timeA, At(260));
  EXPECT_EQ(cursor->m_timeB, At(260));
  cursor->OnLButtonUp(0, 10, 50);
  EXPECT_EQ(g_hooks, 8);  // every press and release
}

TEST_F(GraphCursorTest, DragIsHeldAtTheDataAndReleaseSnaps) {
  Show(500);
  cursor->OnLButtonDown(0, 100, 50);
  cursor->OnMouseMove(0, 450, 50);  // the data end at 999 lies at x = 499
  EXPECT_EQ(cursor->m_timeB, At(950));
  cursor->OnMouseMove(0, 600, 50);
  EXPECT_EQ(cursor->m_timeB, At(999));
  cursor->OnMouseMove(0, 300.0, 50);
  EXPECT_EQ(cursor->m_timeB, At(800));
  cursor->OnLButtonUp(0, 600, 50);
  EXPECT_EQ(cursor->m_timeB, At(999));
  EXPECT_EQ(cursor->m_timeA, At(600));  // only B was dragged
  EXPECT_EQ(g_hooks, 5);                // press, three moves, release
}

TEST_F(GraphCursorTest, AutoScrollFollowsThePointerToTheDataEnd) {
  // Input reaches the cursor through a root on a host, which owns the repeat timer.
  host = std::make_unique<vt::FakeHostWindow>(800, 400);
  CGRoot* root = new CGRoot(master, 0, 0);
  root->Attach(host.get());
  panel->Reattach(root);
  host->Resize(800, 400);
  host->Invalidate(nullptr);
  host->RunPendingPaint();
  // The panel laid its graph out beside the strip: one second per pixel of the plot again.
  plotWidth = graph->m_screen->Rect().Width();
  Show(0);
  vt::Rect plot;
  graph->m_screen->GetAbsoluteRect(&plot);
  const int left = plot.left, top = plot.top + 50;
  root->OnLButtonDown(vt::kMkLButton, left + 100, top);
  ASSERT_EQ(cursor->m_timeB, At(100));
  const int W = cursor->Rect().Width();
  for (int x : {-1, W}) {
    root->OnMouseMove(vt::kMkLButton, left + x, top);
    EXPECT_EQ(g_repeatTimer, 0u) << x;
  }
  root->OnMouseMove(vt::kMkLButton, left - 2, top);
  EXPECT_EQ(g_repeatTimer, uint32_t(vt::GTIMER_REPEAT));
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 50u);
  root->OnMouseMove(vt::kMkLButton, left + W + 20, top);  // 20 pixels beyond: 20 seconds a tick
  PreciseTime s, e;
  for (int tick = 1; tick <= 3; ++tick) {
    ASSERT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
    graph->GetVisibleRange(&s, &e);
    EXPECT_EQ(s, At(20 * tick));
    EXPECT_EQ(cursor->m_timeB, At(plotWidth + 20 + 20 * tick));  // the pointer stays 20 pixels beyond the end
  }
  for (int tick = 0; tick < 20 && g_repeatTimer; ++tick) host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(g_repeatTimer, 0u);
  EXPECT_EQ(graph->m_scrollBar->GetPosition(), At(999 - plotWidth));
  graph->GetVisibleRange(&s, &e);
  EXPECT_EQ(e, At(999));
  root->OnLButtonUp(0, left + W + 20, top);
  EXPECT_EQ(cursor->m_timeB, At(999));
}

TEST_F(GraphCursorTest, ValueBoxesStandBesideTheLine) {
  cursor->m_valueMode = 1;
  cursor->SetCursorTimes(At(100), At(100));
  graph->LayoutTree();
  CGNgCursorValue* a0 = cursor->GetValueBox(0);
  EXPECT_EQ(a0->GetStyle(), 3);
  EXPECT_EQ(cursor->GetValueBox(1)->GetStyle(), 0);  // B equals A: only A's boxes
  const int x = graph->m_timeAxis->TimeToX(At(100));
  EXPECT_EQ(a0->Rect().left, x - 10 + 20);  // cursor coordinates start at the plot's left
  EXPECT_EQ(a0->Rect().Height(), 30);
  EXPECT_EQ(a0->m_first, "0");
  EXPECT_EQ(cursor->GetValueBox(2)->m_name, "CH002");

  cursor->SetCursorTimes(At(100), At(700));  // 27 pixels from the right edge: boxes to the left
  for (int i = 0; i < 4; ++i) EXPECT_EQ(cursor->GetValueBox(i)->GetStyle(), 0);  // hidden until layout
  graph->LayoutTree();
  CGNgCursorValue* b0 = cursor->GetValueBox(1);
  EXPECT_EQ(b0->GetStyle(), 3);
  EXPECT_EQ(b0->Rect().right, graph->m_timeAxis->TimeToX(At(700)) - 10 - 20);

  cursor->SetCursorTimes(At(15), At(15));  // no data: no box, no marker
  graph->LayoutTree();
  EXPECT_EQ(cursor->GetValueBox(0)->GetStyle(), 0);
  cursor->m_valueMode = 0;
  cursor->SetCursorTimes(At(100), At(200));
  graph->LayoutTree();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(cursor->GetValueBox(i)->GetStyle(), 0);
  vt::RecordingDc dc(800, 400);
  cursor->DrawCursors(&dc);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::Ellipse).size(), 4u);  // the markers still show
}

TEST_F(GraphCursorTest, ThickLinesRestoreAWiderStripAndDrawLargerMarkers) {
  graph->SetTraceThickness(5);
  cursor->SetCursorTimes(At(100), At(100));
  vt::RecordingDc window(800, 400), back(800, 400);
  cursor->RestoreStrip(&window, &back, At(100));
  const std::vector<vt::DcRecord> blits = window.RecordsOf(vt::DcOp::BitBlt);
  ASSERT_EQ(blits.size(), 1u);
  const int x = graph->m_timeAxis->TimeToX(At(100));
  EXPECT_EQ(blits[0].rect,
            (vt::Rect{x - 4, 28, x + 5, 28 + graph->m_screen->Rect().Height()}));  // the plot's height
  cursor->DrawCursors(&window);
  const std::vector<vt::DcRecord> circles = window.RecordsOf(vt::DcOp::Ellipse);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].rect.Width(), 9);                     // radius 4
  EXPECT_EQ(window.RecordsOf(vt::DcOp::LineTo).size(), 1u);  // B equals A: one line
}

TEST_F(GraphCursorTest, PrintDrawsBothLinesEvenWhenEqual) {
  cursor->m_valueMode = 1;
  cursor->SetCursorTimes(At(100), At(100));
  graph->SetPrintBounds(0, 0, 1600, 800);
  graph->ScalePrintRects(2);
  vt::RecordingDc dc(1600, 800);
  cursor->PrintCursors(&dc);
  int lines = 0;
  for (const vt::DcRecord& r : dc.Records())
    if (r.color == 0x02990000) ++lines;
  EXPECT_EQ(lines, 2);
  // The value boxes are placed at print scale beside the printed line.
  CGNgCursorValue* box = cursor->GetValueBox(0);
  ASSERT_EQ(box->GetStyle(), 3);
  EXPECT_EQ(box->PrintRect().Height(), 60);
  EXPECT_EQ(box->PrintRect().Width(), 180);
  EXPECT_EQ(box->PrintRect().left, graph->m_timeAxis->TimeToPrintX(At(100)) - 20 + 40);
  dc.Clear();
  cursor->PrintTree(&dc, 0);
  EXPECT_FALSE(dc.RecordsOf(vt::DcOp::TextOut).empty());
}

// Graph body and plot area: layout for screen and print, refill only when the shown range
// changes (or after new channels), the progress threshold with its hook, the paint order of
// the traces, the time-axis text colour that follows the background, and where the time
// axis's date and division boxes stand.
#include <gtest/gtest.h>

#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/RecordingDc.h"
#include "trend/NgWaveform.h"
#include "trend/Trips.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/tests/TrendTestSupport.h"

using vt_test::FakeNgChannel;

namespace {

int g_hookCalls = 0;
void CountHook(CGPrimitive*, int, int) { ++g_hookCalls; }

class GraphBodyTest : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    panel = new CGNgWaveform(nullptr);
    panel->Build(150);
    panel->SetBounds(0, 0, 800, 400);  // the graph is laid out by itself below
    graph = panel->m_graph;
    graph->SetDataRange(PreciseTime{}, PreciseTime{});  // no data: the time scroll bar is hidden
    graph->SetBounds(0, 0, 800, 400);
    graph->LayoutTree();
    SNgAxisSetting r;
    r.shown = 1;
    r.scaleMinimum = 0;
    r.scaleMaximum = 100;
    manager = panel->GetYAxisManager();
    manager->SetAxes(&r, 1);
    manager->LayoutTree();
    for (FakeNgChannel& c : channels) c.Fill(200000, [](int64_t i) { return double(i % 100); });
    g_hookCalls = 0;
    NgLoadFinishedHook = CountHook;
  }
  void TearDown() override {
    NgLoadFinishedHook = nullptr;
    delete panel;
    GadgetEnv::TearDown();
  }
  void Bind(int shownMask) {
    CGNgChannel* list[3] = {&channels[0], &channels[1], &channels[2]};
    graph->SetChannels(3, list);
    EXPECT_EQ(graph->m_screen->m_dataManager->m_progress, panel->m_progress);
    graph->m_screen->m_dataManager->m_progress = &progress;  // record what the overlay is told
    SNgChannelSetting b[3];
    for (int i = 0; i < 3; ++i)
      b[i].shown = uint8_t((shownMask >> i) & 1), b[i].colour = 0x10u * uint32_t(i + 1);
    graph->m_screen->SetTraces(3, b);
  }
  int64_t Reads() const {
    return channels[0].TotalReads() + channels[1].TotalReads() + channels[2].TotalReads();
  }
  PreciseTime At(double s) const { return PreciseTime::AddSeconds(channels[0].start, s); }

  CGNgWaveform* panel = nullptr;
  CGNgGraph* graph = nullptr;
  CGNgYAxisManager* manager = nullptr;
  FakeNgChannel channels[3];
  trend_test::RecordingProgress progress;
};

}  // namespace

TEST_F(GraphBodyTest, LaysOutPlotAndTimeAxis) {
  // The legend takes its 150 pixels at the right, the trip column 60 beside the plot.
  EXPECT_EQ(graph->m_legend->Rect(), (vt::Rect{650, 0, 800, 400}));
  EXPECT_EQ(graph->m_timeAxis->Rect(), (vt::Rect{10, 362, 10 + 577, 370}));
  EXPECT_EQ(graph->m_screen->Rect(), (vt::Rect{10, 28, 10 + 577, 28 + 329}));
  EXPECT_EQ(manager->m_bandTop, 33);
  EXPECT_EQ(manager->m_bandHeight, 322);
  EXPECT_EQ(graph->m_screen->GetTrace(0)->m_yAxis, nullptr);  // no records bound yet
  EXPECT_EQ(graph->m_screen->GetTrace(0)->m_timeAxis, graph->m_timeAxis);
  EXPECT_EQ(graph->m_screen->CountChildrenOfClass(GCLASS(CGNgGraphData)), 100);

  graph->SetBounds(0, 0, 20, 50);  // too small: nothing negative reaches the band
  graph->LayoutTree();
  EXPECT_EQ(manager->m_bandHeight, 0);

  graph->SetPrintBounds(0, 0, 1600, 800);
  graph->ScalePrintRects(2);
  EXPECT_EQ(graph->m_legend->PrintRect(), (vt::Rect{1300, 56, 1600, 56 + 668}));
  EXPECT_EQ(graph->m_timeAxis->PrintRect(), (vt::Rect{20, 800 - 76, 20 + 1140, 800 - 60}));
  EXPECT_EQ(graph->m_screen->PrintRect(), (vt::Rect{20, 56, 20 + 1140, 56 + 658}));
  EXPECT_EQ(manager->m_printBandTop, 66);
  EXPECT_EQ(manager->m_printBandHeight, 644);
  EXPECT_EQ(graph->m_screen->GetTrace(5)->PrintRect(), (vt::Rect{0, 0, 1140, 658}));
}

TEST_F(GraphBodyTest, RefillsOnlyWhenTheRangeChangesOrAfterNewChannels) {
  Bind(0b011);
  graph->SetVisibleRange(At(100), At(1100));
  graph->m_screen->RefillBuffers();
  const int64_t first = Reads();
  EXPECT_GT(channels[2].TotalReads(), 0);  // hidden traces are refilled too
  graph->m_screen->RefillBuffers();
  graph->SetBounds(0, 0, 700, 400);  // a width change alone
  graph->LayoutTree();
  graph->m_screen->RefillBuffers();
  EXPECT_EQ(Reads(), first);
  vt::RecordingDc dc(800, 400);
  graph->m_screen->Paint(&dc);
  EXPECT_EQ(Reads(), first);  // painting draws from the buffers

  Bind(0b011);  // new binding: refills at the same range
  graph->m_screen->RefillBuffers();
  EXPECT_GT(Reads(), first);
  const int64_t second = Reads();
  graph->SetVisibleRange(At(101), At(1100));
  graph->m_screen->RefillBuffers();
  EXPECT_GT(Reads(), second);
  EXPECT_EQ(g_hookCalls, 0);
}

TEST_F(GraphBodyTest, ProgressAboveOneHundredThousandVisibleSamples) {
  struct Case {
    double span;
    int shownMask;
    bool overlay;
  } cases[] = {
      {49999, 0b011, false},                         // 2 x 50,000 = 100,000
      {50000, 0b011, true},                          // 2 x 50,001
      {99999, 0b100, false},                         // one visible trace
      {100000, 0b100, true}, {90000, 0b001, false},  // the hidden ones do not count
  };
  for (const Case& c : cases) {
    Bind(c.shownMask);
    progress = trend_test::RecordingProgress{};
    g_hookCalls = 0;
    graph->SetVisibleRange(At(10), At(10 + c.span));
    graph->m_screen->RefillBuffers();
    EXPECT_EQ(progress.shows, c.overlay ? 1 : 0) << c.span;
    EXPECT_EQ(g_hookCalls, c.overlay ? 1 : 0) << c.span;
    ASSERT_FALSE(progress.visibility.empty());
    EXPECT_FALSE(progress.visibility.back());
    EXPECT_EQ(progress.texts.back(), "CH001");  // SetProgress(0, 0) names channel 0 at the end
  }
}

TEST_F(GraphBodyTest, SelectedTraceIsPaintedLast) {
  Bind(0b111);
  graph->SetVisibleRange(At(10), At(10 + 30000));  // column bars
  graph->m_screen->RefillBuffers();
  vt::RecordingDc dc(800, 400);
  auto lastColour = [&] {
    dc.Clear();
    graph->m_screen->Paint(&dc);
    return dc.RecordsOf(vt::DcOp::FillRect).back().color;
  };
  EXPECT_EQ(lastColour(), 0x10u);  // trace 0 over 1 over 2
  graph->SelectChannel(2, 0);
  EXPECT_EQ(lastColour(), 0x30u);
}

TEST_F(GraphBodyTest, TimeAxisTextFollowsTheBackground) {
  graph->SetBackColor(vt::ColorRef(128 | (128 << 8) | (128 << 16)));  // 384
  EXPECT_EQ(graph->m_timeAxis->GetForeColor(), 0x02FFFFFFu);
  graph->SetBackColor(vt::ColorRef(129 | (128 << 8) | (128 << 16)));  // 385
  EXPECT_EQ(graph->m_timeAxis->GetForeColor(), 0x02000000u);
  EXPECT_EQ(graph->m_screen->GetBackColor(), vt::ColorRef(129 | (128 << 8) | (128 << 16)));
}

TEST_F(GraphBodyTest, TheTimeAxisBoxesSpanFromTheGraphsLeftEdgeToPastTheTripColumn) {
  graph->SetVisibleRange(At(0), At(600));
  graph->m_timeAxis->m_division = 60;
  const int trips = graph->m_trips->Rect().Width();
  ASSERT_EQ(trips, 60);
  // The boxes are the fills of a drawing of the axis in the box colour: date box, division box.
  auto boxes = [&](bool print) {
    vt::RecordingDc dc(1700, 900);
    print ? graph->m_timeAxis->PrintSelf(&dc, 1) : graph->m_timeAxis->Draw(&dc);
    const vt::ColorRef box = print ? 0x02FFFFFF : graph->m_timeAxis->GetBackColor();
    std::vector<vt::Rect> found;
    for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::FillRect))
      if ((r.color & 0xFFFFFF) == (box & 0xFFFFFF)) found.push_back(r.rect);
    return found;
  };
  struct Case {
    const char* what;
    int graphLeft;  // moved there after the layout when relayout is 0
    int relayout;
    int print;
    int dateLeft, divisionRight;
  } cases[] = {
      // Left: the graph's left + 1; right: the plot area's right (10 + 577) + the trips + 1.
      {"laid out at 0", 0, 1, 0, 1, 587 + 60 + 1},
      {"laid out at 37", 37, 1, 0, 38, 37 + 587 + 60 + 1},
      {"moved to 50 without a layout", 50, 0, 0, 51, 50 + 587 + 60 + 1},
      // In print at scale 2: the plot area's print right (20 + 1140) + the trips' print width.
      {"printed at scale 2", 0, 1, 2, 1, 1160 + 120},
  };
  for (const Case& c : cases) {
    graph->SetBounds(0, 0, 800, 400);
    graph->LayoutTree();
    c.relayout ? graph->SetBounds(c.graphLeft, 0, 800, 400) : graph->MoveTo(c.graphLeft, 0);
    if (c.relayout) graph->LayoutTree();
    if (c.print) {
      graph->SetPrintBounds(0, 0, 1600, 800);
      graph->ScalePrintRects(c.print);
    }
    const std::vector<vt::Rect> found = boxes(c.print != 0);
    ASSERT_EQ(found.size(), 2u) << c.what;
    EXPECT_EQ(found[0].left, c.dateLeft) << c.what;
    EXPECT_EQ(found[1].right, c.divisionRight) << c.what;
    EXPECT_EQ(found[0].top, found[1].top) << c.what;  // both on the line under the labels
  }
}

TEST_F(GraphBodyTest, GraphIsAScrollManagerWithThePlotAreaAsItsBody) {
  EXPECT_TRUE(IsKindOfClass(graph, GCLASS(CGGraph)));
  EXPECT_TRUE(IsKindOfClass(graph, GCLASS(CGScrollManager)));
  EXPECT_STREQ(graph->GetClassInfo()->name, "CGNgGraph");
  EXPECT_EQ(GCLASS(CGNgGraphScreen)->parent, GCLASS(CGScroll));
  EXPECT_EQ(graph->m_body, graph->m_screen);
  EXPECT_EQ(graph->m_fontSize, 14);
  EXPECT_EQ(graph->m_yLabelMode, -1);
  graph->SetTraceStyle(7, 3);
  EXPECT_EQ(graph->m_screen->GetTrace(7)->GetStyle(), 3);
  // The plot area never scrolls: its content is as high as it is and has no width.
  EXPECT_EQ(graph->m_screen->m_contentWidth, 0);
  EXPECT_EQ(graph->m_screen->m_contentHeight, 329);
  EXPECT_FALSE(graph->OnMouseWheel(0, 120, 100, 100));  // no vertical bar: the wheel does nothing
}

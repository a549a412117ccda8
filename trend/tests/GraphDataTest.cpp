// Traces: polyline batching, dots, gaps and clamps in the every-sample mode, pair and column
// bars, the mode kept from the fill, and printing straight from the channel.
#include <gtest/gtest.h>

#include "gadget/GGroup.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/RecordingDc.h"
#include "trend/GraphData.h"
#include "trend/TimeAxis.h"
#include "trend/YAxis.h"
#include "trend/testing/FakeNgChannel.h"

using vt_test::FakeNgChannel;

namespace {

// A graph body at the origin holding a plot area at (10, 20), 300 x 101, a time axis under it
// with the plot's left and width, one trace and a Y axis 0 .. 100 over the plot's height.
class TraceTest : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    body = new CGGroup(nullptr, 0, 0, 0, 3, 400, 200);
    plot = new CGGroup(body, 10, 20, 0, 3, 300, 101);
    axis = new CGNgTAxis(body);
    axis->SetBounds(10, 126, 300, 8);
    trace = new CGNgGraphData(plot);
    trace->SetStyle(3);
    trace->m_timeAxis = axis;
    yAxis = std::make_unique<CGNgYAxis>(nullptr, 0);
    yAxis->SetBounds(0, 20, 40, 101);
    SNgAxisSetting r;
    r.scaleMinimum = 0;
    r.scaleMaximum = 100;
    yAxis->SetSetting(&r);
    trace->m_yAxis = yAxis.get();
    trace->SetForeColor(0x000000FF);
    CGNgChannel* list[] = {&channel};
    manager.SetChannels(1, list);
    trace->m_buffer = manager.GetBuffer(0);
  }
  void TearDown() override {
    delete body;
    GadgetEnv::TearDown();
  }
  // Shows [start + a, start + b] seconds and fills the buffer at the plot width.
  void Show(double a, double b, int width = 300) {
    axis->m_shownRangeStart = PreciseTime::AddSeconds(channel.start, a);
    axis->m_shownRangeEnd = PreciseTime::AddSeconds(channel.start, b);
    trace->m_buffer->Refill(width, axis->m_shownRangeStart, axis->m_shownRangeEnd);
  }

  FakeNgChannel channel;
  CGNgDataManager manager;
  CGGroup* body = nullptr;
  CGGroup* plot = nullptr;
  CGNgTAxis* axis = nullptr;
  CGNgGraphData* trace = nullptr;
  std::unique_ptr<CGNgYAxis> yAxis;
  vt::RecordingDc dc{400, 200};
};

}  // namespace

TEST_F(TraceTest, PolylinesComeInBatchesThatShareTheirEnds) {
  channel.Fill(1000, [](int64_t i) { return double(i % 100); });
  Show(0, 599);  // two samples per pixel: every-sample mode
  ASSERT_EQ(trace->m_buffer->m_fillMode, NgFillMode::kSamples);
  trace->Draw(&dc);
  const auto lines = dc.RecordsOf(vt::DcOp::Polyline);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0].points.size(), 256u);
  EXPECT_EQ(lines[1].points.front(), lines[0].points.back());  // no gap at point 256
  EXPECT_EQ(lines[0].color, 0x000000FFu);
  for (const auto& l : lines)
    for (const vt::Point& p : l.points) EXPECT_TRUE(p.y >= 20 && p.y <= 120) << p.y;
  // repeated device points are dropped
  for (const auto& l : lines)
    for (size_t i = 1; i < l.points.size(); ++i) EXPECT_FALSE(l.points[i] == l.points[i - 1]);
}

TEST_F(TraceTest, DotsGapsAndClamps) {
  channel.Fill(20, [](int64_t) { return 50.0; });
  channel.statuses[4] = 0x8000;   // gap
  channel.statuses[6] = 0xB000;   // gap: an isolated sample 5 between two
  channel.mins[10] = 1e9;         // far above: clamped
  channel.mins[11] = -1e9;        // far below
  channel.statuses[12] = 0x6000;  // +OVER: drawn where the axis puts it
  Show(1, 19);
  trace->Draw(&dc);
  std::vector<vt::DcRecord> polylines = dc.RecordsOf(vt::DcOp::Polyline);
  ASSERT_EQ(polylines.size(), 2u);
  // the lone sample 5 became a dot: a line one pixel down, with no polyline around it
  const int x5 = axis->TimeToX(PreciseTime::AddSeconds(channel.start, 5));
  bool dot = false;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::LineTo))
    if (r.points[0].x == x5 && r.points[1] == (vt::Point{x5, r.points[0].y + 1})) dot = true;
  EXPECT_TRUE(dot);
  std::vector<int> ys;
  for (const vt::Point& p : polylines[1].points) ys.push_back(p.y);
  EXPECT_NE(std::find(ys.begin(), ys.end(), -32767 + 0), ys.end());
  EXPECT_NE(std::find(ys.begin(), ys.end(), 32766), ys.end());

  // samples that the axis declares not drawable break the line too (0 on a log scale)
  SNgAxisSetting log;
  log.scaleType = SCALE_LOG;
  log.scaleMinimum = 1;
  log.scaleMaximum = 100;
  yAxis->SetSetting(&log);
  channel.Fill(20, [](int64_t i) { return i == 8 ? 0.0 : 10.0; });
  trace->m_buffer->m_keyStart = PreciseTime{};
  Show(1, 19);
  dc.Clear();
  trace->Draw(&dc);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::Polyline).size(), 2u);
}

TEST_F(TraceTest, PairBarsAndColumnBars) {
  channel.kind = DATA_PAIRS;
  channel.Fill(400, [](int64_t) { return 0.0; });
  for (int i = 0; i < 400; ++i) channel.mins[i] = 20, channel.maxs[i] = 80;
  channel.statuses[50] = 0x0300;  // second half missing: skipped
  Show(0, 299);                   // one pair per pixel: pair mode
  ASSERT_EQ(trace->m_buffer->m_fillMode, NgFillMode::kPairs);
  trace->Draw(&dc);
  auto bars = dc.RecordsOf(vt::DcOp::FillRect);
  // the entry one interval before the data and the half-missing pair draw nothing
  EXPECT_EQ(bars.size(), size_t(trace->m_buffer->m_entryCount - 2));
  // pen 1: half 1: from x(previous) - 1 to x(t) + 1, y from 80 - 1 to 20 + 1 + 1
  const vt::Rect& b = bars[20].rect;
  EXPECT_EQ(b.Width(), 1 + 2);
  EXPECT_EQ(b.top, 20 + 20 - 1);
  EXPECT_EQ(b.bottom, 20 + 80 + 1 + 1);
  trace->SetPenWidth(3);
  dc.Clear();
  trace->Draw(&dc);
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::FillRect)[20].rect.Width(), 1 + 4);

  // many pairs per pixel: one bar per column, entry i on pixel column L + i
  trace->SetPenWidth(1);
  Show(0, 399 * 5, 300);
  channel.mins[200] = 1e9;
  ASSERT_EQ(trace->m_buffer->m_fillMode, NgFillMode::kColumns);
  dc.Clear();
  trace->Draw(&dc);
  bars = dc.RecordsOf(vt::DcOp::FillRect);
  ASSERT_FALSE(bars.empty());
  EXPECT_EQ(bars[0].rect, (vt::Rect{10 - 1, 20 + 20 - 1, 10, 20 + 80 + 2}));
  EXPECT_EQ(bars[5].rect.right, 10 + 5);
}

TEST_F(TraceTest, DrawsByTheStoredModeAndNothingWithoutAxis) {
  channel.Fill(100000, [](int64_t i) { return double(i % 100); });
  Show(0, 3000, 300);  // 10 samples per pixel: columns for width 300
  ASSERT_EQ(trace->m_buffer->m_fillMode, NgFillMode::kColumns);
  axis->SetBounds(10, 126, 3000, 8);  // the plot widened without a refill
  trace->Draw(&dc);
  EXPECT_TRUE(dc.RecordsOf(vt::DcOp::Polyline).empty());
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::FillRect).size(), 301u);  // never past what was stored

  dc.Clear();
  trace->m_yAxis = nullptr;
  trace->Draw(&dc);
  trace->SetPrintBounds(0, 0, 300, 101);
  trace->PrintSelf(&dc, 0);
  EXPECT_TRUE(dc.Records().empty());
}

TEST_F(TraceTest, PrintingReadsTheChannelAtPrintWidth) {
  channel.Fill(100000, [](int64_t i) { return double(i % 100); });
  Show(0, 20000, 300);
  plot->SetPrintBounds(10, 20, 3000, 101);
  axis->SetPrintBounds(10, 126, 3000, 8);
  trace->ScalePrintRects(1);
  yAxis->SetPrintBounds(0, 20, 40, 101);
  const auto stored = trace->m_buffer->m_min;
  channel.ResetCounters();
  trace->PrintSelf(&dc, 0);
  EXPECT_EQ(channel.spanReads, 3001);  // one span read per print column
  EXPECT_EQ(dc.RecordsOf(vt::DcOp::FillRect).size(), 3001u);
  EXPECT_EQ(trace->m_buffer->m_min, stored);  // the display buffer is untouched
}

// Alarm bands: the run extraction, the bars of the three buffer modes and of print, the
// selected channel's band on top, and the guards (no buffer, entries past the buffer).
#include <gtest/gtest.h>

#include "platform/gui/RecordingDc.h"
#include "trend/AlarmBands.h"
#include "trend/GraphBody.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/tests/GraphTestEnv.h"

using vt_test::FakeNgChannel;

namespace {

std::vector<NgAlarmRun> Runs(const std::vector<uint16_t>& s) {
  std::vector<NgAlarmRun> out;
  ExtractNgAlarmRuns(
      int64_t(s.size()) - 1, [&](int64_t i) { return s[size_t(i)]; },
      [&](const NgAlarmRun& r) { out.push_back(r); });
  return out;
}

TEST(AlarmRunsTest, RunsPerLevelCloseOnClearOrAtTheFinalEntry) {
  struct Case {
    std::vector<uint16_t> status;
    std::vector<NgAlarmRun> runs;
  } cases[] = {
      {{0, 2, 2, 0}, {{1, 1, 2}}},
      {{1, 1, 1}, {{0, 0, 2}}},                       // still open at the final entry
      {{8, 0, 8}, {{3, 0, 0}, {3, 2, 2}}},            // one-entry runs
      {{0x3005, 0x0004, 0}, {{0, 0, 0}, {2, 0, 1}}},  // state bits do not matter
      {{0xF0, 0}, {}},                                // bits 4-7 are not alarms
      {{}, {}},
  };
  for (const Case& c : cases) {
    const std::vector<NgAlarmRun> got = Runs(c.status);
    ASSERT_EQ(got.size(), c.runs.size());
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].level, c.runs[i].level);
      EXPECT_EQ(got[i].first, c.runs[i].first);
      EXPECT_EQ(got[i].last, c.runs[i].last);
    }
  }
}

class AlarmBandsTest : public trend_test::GraphEnv {
 protected:
  void SetUp() override {
    GraphEnv::SetUp();
    alarms = graph->m_screen->m_alarms;
    ASSERT_NE(alarms, nullptr);
    alarms->SetStyle(3);
  }
  // Channel 0 with samples 10-19 carrying level 2, channel 1 with samples 10-11 carrying it too.
  void Bind(int kind) {
    for (int c = 0; c < 2; ++c) {
      channels[c].kind = kind;
      channels[c].Fill(1000, [](int64_t i) { return double(i); });
      for (int i = 10; i < (c == 0 ? 20 : 12); ++i) channels[c].statuses[size_t(i)] = 0x0002;
    }
    CGNgChannel* list[2] = {&channels[0], &channels[1]};
    graph->SetChannels(2, list);
    SNgChannelSetting b[2];
    b[0].colour = 0x000000AA, b[0].shown = 1;
    b[1].colour = 0x000000BB, b[1].shown = 1;
    graph->m_screen->SetTraces(2, b);
    graph->LayoutTree();
  }
  void Show(double from, double to) {
    graph->SetVisibleRange(At(from), At(to));
    graph->m_screen->RefillBuffers();
  }
  PreciseTime At(double s) const { return PreciseTime::AddSeconds(channels[0].start, s); }
  int X(double s) const { return graph->m_timeAxis->TimeToX(At(s)); }
  std::vector<vt::DcRecord> Bars(vt::RecordingDc& dc, vt::ColorRef colour) {
    std::vector<vt::DcRecord> out;
    for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::FillRect))
      if (r.color == colour) out.push_back(r);
    return out;
  }

  CGNgAlarmGroupManager* alarms = nullptr;
  FakeNgChannel channels[2];
};

}  // namespace

TEST_F(AlarmBandsTest, StripLiesAtTheBottomOfThePlotAndShortensTheAxisBand) {
  Bind(DATA_SINGLE);
  EXPECT_EQ(alarms->Rect(), (vt::Rect{0, 329 - 16, 727, 329}));
  EXPECT_EQ(alarms->GetBand(0)->Rect(), (vt::Rect{0, 0, 727, 16}));
  EXPECT_EQ(manager->m_bandHeight, 322 - 16);
  alarms->SetStyle(0);
  graph->LayoutTree();
  EXPECT_EQ(manager->m_bandHeight, 322);
}

TEST_F(AlarmBandsTest, BarsForSamplesPairsAndColumns) {
  const int top = 28 + 313;  // the band's absolute top; level 2 is the second row
  struct Case {
    int kind;
    double from, to;
    double barStart, barEnd;  // seconds from the data start; < 0: column mode
  } cases[] = {
      {DATA_SINGLE, 0, 100, 9.5, 19.5},  // half an interval either side
      {DATA_PAIRS, 0, 100, 9, 19},       // a pair stands for the interval that ends at it
      {DATA_SINGLE, 0, 787 * 10, -1, -1},
  };
  for (const Case& c : cases) {
    Bind(c.kind);
    Show(c.from, c.to);
    vt::RecordingDc dc(800, 400);
    graph->m_screen->Paint(&dc);
    std::vector<vt::DcRecord> bars = Bars(dc, 0x000000AA);
    std::erase_if(bars, [&](const vt::DcRecord& r) {
      return r.rect.top != top + 5 || r.rect.Height() != 3;
    });  // the trace's own bars
    ASSERT_EQ(bars.size(), 1u) << c.kind << " " << c.to;
    if (c.barStart >= 0) {
      EXPECT_EQ(bars[0].rect, (vt::Rect{X(c.barStart), top + 5, X(c.barEnd) + 1, top + 8}));
    } else {
      // Columns: each column covers 10 s, so samples 10-19 fall in column 1 (widened start).
      EXPECT_EQ(bars[0].rect.top, top + 5);
      EXPECT_LE(bars[0].rect.Width(), 3);
      EXPECT_EQ(bars[0].rect.left, 10 + 1);
    }
  }
}

TEST_F(AlarmBandsTest, SelectedBandIsDrawnLastAndHiddenChannelsDrawNothing) {
  Bind(DATA_SINGLE);
  Show(0, 100);
  auto lastBar = [&] {
    vt::RecordingDc dc(800, 400);
    alarms->Paint(&dc);
    vt::ColorRef last = 0;
    for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::FillRect))
      if (r.color == 0xAA || r.color == 0xBB) last = r.color;
    return last;
  };
  EXPECT_EQ(lastBar(), 0xAAu);
  graph->SelectChannel(1, 0);
  EXPECT_EQ(lastBar(), 0xBBu);
  graph->SetTraceStyle(1, 0);  // hiding a channel hides its band
  EXPECT_EQ(lastBar(), 0xAAu);
}

TEST_F(AlarmBandsTest, NoBufferDrawsNothingAndEntriesPastTheBufferAreNoAlarm) {
  Bind(DATA_SINGLE);
  Show(0, 100);
  CGNgAlarms* band = alarms->GetBand(0);
  CGNgDataBuff* buffer = band->m_buffer;
  band->m_buffer = nullptr;
  vt::RecordingDc dc(800, 400);
  band->DrawRange(&dc, At(0), At(100));
  EXPECT_TRUE(Bars(dc, 0xAA).empty());

  // A buffer that claims more entries than it holds: the run ends at its last stored entry.
  CGNgDataBuff small(nullptr);
  small.Bind(&channels[0]);
  small.m_fillMode = NgFillMode::kSamples;
  small.m_firstSampleTime = At(0);
  small.m_status.assign(20, 0x0001);
  small.m_min.assign(20, 0), small.m_max.assign(20, 0);
  small.m_entryCount = 50;
  band->m_buffer = &small;
  dc.Clear();
  band->DrawRange(&dc, At(0), At(100));
  const std::vector<vt::DcRecord> bars = Bars(dc, 0xAA);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].rect.right, X(19.5) + 1);
  band->m_buffer = buffer;
}

TEST_F(AlarmBandsTest, PrintReadsTheChannelAndDrawsBlackSeparators) {
  Bind(DATA_SINGLE);
  Show(0, 100);
  graph->SetPrintBounds(0, 0, 1600, 800);
  graph->ScalePrintRects(2);
  EXPECT_EQ(alarms->PrintRect().Height(), 32);
  EXPECT_EQ(graph->m_screen->GetAlarmPrintHeight(), 32 + 4);
  channels[0].ResetCounters();
  vt::RecordingDc dc(1600, 800);
  alarms->PrintTree(&dc, 0);
  EXPECT_GT(channels[0].TotalReads(), 0);
  const std::vector<vt::DcRecord> bars = Bars(dc, 0xAA);
  ASSERT_EQ(bars.size(), 1u);
  vt::Rect band;
  alarms->GetBand(0)->GetAbsolutePrintRect(&band);
  EXPECT_EQ(bars[0].rect.top, band.top + 8 + 1);
  EXPECT_EQ(bars[0].rect.left, graph->m_timeAxis->TimeToPrintX(At(9.5)));
  EXPECT_EQ(Bars(dc, 0x02000000).size(), 2u * 4u);  // four separators per band
}

TEST_F(AlarmBandsTest, TracesAfterTheStripAreClippedToThePlotNotToABand) {
  Bind(DATA_SINGLE);
  Show(0, 100);
  vt::RecordingDc dc(800, 400);
  graph->m_screen->Paint(&dc);
  const std::vector<vt::DcRecord> lines = dc.RecordsOf(vt::DcOp::Polyline);
  ASSERT_FALSE(lines.empty());
  vt::Rect plot;
  graph->m_screen->GetAbsoluteRect(&plot);
  for (const vt::DcRecord& r : lines) EXPECT_EQ(r.clip, plot);
}

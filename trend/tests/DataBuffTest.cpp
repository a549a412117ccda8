// Display buffers: when they refill, which mode the range and width choose, what they store
// and count, how they report progress, and how the manager binds and pools them.
#include <gtest/gtest.h>

#include "gadget/GStocker.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "trend/NgDataBuff.h"
#include "trend/testing/FakeNgChannel.h"
#include "trend/tests/TrendTestSupport.h"

using vt_test::FakeNgChannel;

namespace {

PreciseTime At(const FakeNgChannel& ch, double s) { return PreciseTime::AddSeconds(ch.start, s); }

}  // namespace

TEST(NgDataBuff, RefillsOnlyWhenTheKeyChanges) {
  FakeNgChannel ch;
  ch.Fill(1000, [](int64_t i) { return double(i); });
  CGNgDataManager manager;
  CGNgChannel* list[] = {&ch};
  manager.SetChannels(1, list);
  CGNgDataBuff* b = manager.GetBuffer(0);
  ASSERT_NE(b, nullptr);
  b->Refill(100, At(ch, 10), At(ch, 110));
  const int64_t reads = ch.TotalReads();
  EXPECT_GT(reads, 0);
  b->Refill(50, At(ch, 10), At(ch, 110));  // width alone never refills
  EXPECT_EQ(ch.TotalReads(), reads);
  EXPECT_EQ(b->m_fillWidth, 100);
  b->Refill(100, PreciseTime{At(ch, 10).seconds, 0.00004}, At(ch, 110));  // below 1e-4 s
  EXPECT_EQ(ch.TotalReads(), reads);
  b->Refill(100, At(ch, 11), At(ch, 110));
  EXPECT_GT(ch.TotalReads(), reads);
  EXPECT_EQ(b->m_keyStart, At(ch, 11));
}

TEST(NgDataBuff, ModeFollowsSamplesPerPixel) {
  struct Case {
    int kind;
    int width;
    double span;  // seconds at interval 1
    NgFillMode mode;
  } cases[] = {
      {DATA_SINGLE, 101, 400, NgFillMode::kSamples},  // exactly 4 per pixel
      {DATA_SINGLE, 101, 401, NgFillMode::kColumns},
      {0, 101, 400, NgFillMode::kSamples},  // any kind but 2 reads as single values
      {7, 101, 401, NgFillMode::kColumns},
      {DATA_PAIRS, 101, 100, NgFillMode::kPairs},  // exactly 1 per pixel
      {DATA_PAIRS, 101, 100.5, NgFillMode::kColumns},
      {DATA_SINGLE, 0, 4, NgFillMode::kSamples},  // width 0 and 1 act as 2
      {DATA_SINGLE, 1, 4.5, NgFillMode::kColumns},
  };
  for (const Case& c : cases) {
    FakeNgChannel ch;
    ch.kind = c.kind;
    ch.Fill(2000, [](int64_t) { return 1.0; });
    CGNgDataManager manager;
    CGNgChannel* list[] = {&ch};
    manager.SetChannels(1, list);
    CGNgDataBuff* b = manager.GetBuffer(0);
    b->Refill(c.width, At(ch, 10), At(ch, 10 + c.span));
    EXPECT_EQ(b->m_fillMode, c.mode) << c.kind << " " << c.width << " " << c.span;
    EXPECT_EQ(b->m_fillWidth, std::max(c.width, 2));
    if (c.mode == NgFillMode::kColumns) {
      EXPECT_EQ(b->m_entryCount, std::max(c.width, 2) + 1);
      EXPECT_EQ(b->m_firstSampleTime, PreciseTime{});
    } else {
      // widened by one interval each side: GetSampleCount gives span + 3, the fill one more
      EXPECT_EQ(b->m_entryCount, int64_t(c.span) + 4);
      EXPECT_EQ(b->m_firstSampleTime, At(ch, 9));
    }
  }
}

TEST(NgDataBuff, StoresWhatItReadsAndWidensToTimeZero) {
  FakeNgChannel ch;
  ch.start = PreciseTime{0, 0.5};
  ch.interval = 1.0;
  ch.Fill(100, [](int64_t i) { return double(i) * 2; });
  ch.statuses[3] = 0x3000;
  CGNgDataManager manager;
  CGNgChannel* list[] = {&ch};
  manager.SetChannels(1, list);
  CGNgDataBuff* b = manager.GetBuffer(0);
  b->Refill(50, PreciseTime{1, 0.0}, PreciseTime{20, 0.0});  // start is no later than one interval
  ASSERT_EQ(b->m_fillMode, NgFillMode::kSamples);
  EXPECT_EQ(b->m_firstSampleTime, ch.start);  // first sample at or after time zero
  EXPECT_EQ(b->m_entryCount, 23);             // 0 .. 21 s: GetSampleCount 22, plus one
  EXPECT_EQ(b->m_min[0], 0.0);
  EXPECT_EQ(b->m_min[5], 10.0);
  EXPECT_EQ(b->m_status[3], 0x3000);
  EXPECT_EQ(b->m_max[5], 0.0);  // every-sample mode leaves the maxima at 0

  // column mode: column i starts at start' + i x seconds per pixel
  b->Refill(11, PreciseTime{11, 0.0}, PreciseTime{61, 0.0});
  ASSERT_EQ(b->m_fillMode, NgFillMode::kColumns);
  EXPECT_EQ(b->m_entryCount, 12);
  EXPECT_EQ(b->m_min[0], 2 * 10.0);  // [10, 15) holds samples at 10.5 .. 14.5
  EXPECT_EQ(b->m_max[0], 2 * 14.0);
  EXPECT_EQ(b->m_min[1], 2 * 15.0);
}

TEST(NgDataBuff, WidePlotsStoreEveryEntryAndSteadyRefillsKeepTheArrays) {
  FakeNgChannel ch;
  ch.Fill(40000, [](int64_t i) { return double(i); });
  CGNgDataManager manager;
  CGNgChannel* list[] = {&ch};
  manager.SetChannels(1, list);
  CGNgDataBuff* b = manager.GetBuffer(0);
  EXPECT_EQ(b->Capacity(), NG_BUFFER_SIZE);
  b->Refill(3000, At(ch, 100), At(ch, 100 + 4 * 2999));  // 4 samples per pixel
  ASSERT_EQ(b->m_fillMode, NgFillMode::kSamples);
  EXPECT_GT(b->m_entryCount, NG_BUFFER_SIZE);
  EXPECT_EQ(b->StoredCount(), b->m_entryCount);
  EXPECT_EQ(b->m_min[b->m_entryCount - 1], double(99 + b->m_entryCount - 1));
  const double* data = b->m_min.data();
  b->Refill(3000, At(ch, 200), At(ch, 200 + 4 * 2999));
  EXPECT_EQ(b->m_min.data(), data);
  EXPECT_EQ(b->m_min[0], 199.0);
}

TEST(NgDataBuff, ReportsProgressEveryStep) {
  struct Case {
    double span;
    int width;
    int kind;
    int64_t step;
  } cases[] = {
      {99, 100, DATA_SINGLE, 2},       // 101 slots: 101 / 50 = 2
      {30, 100, DATA_SINGLE, 1},       // 32 slots: raised to 1
      {9998, 10000, DATA_PAIRS, 100},  // 10000 slots: lowered to 100
      {5000, 100, DATA_SINGLE, 4},     // columns: 100 / 25
  };
  for (const Case& c : cases) {
    FakeNgChannel ch;
    ch.kind = c.kind;
    ch.Fill(20000, [](int64_t) { return 0.0; });
    trend_test::RecordingProgress progress;
    CGNgDataManager manager;
    manager.m_progress = &progress;
    FakeNgChannel other;
    CGNgChannel* list[] = {&ch, &other};
    manager.SetChannels(2, list);
    manager.SetProgress(1, 0);
    EXPECT_EQ(manager.m_basePercent, 50.0);
    progress.percents.clear();
    progress.paints = 0;
    CGNgDataBuff* b = manager.GetBuffer(0);
    b->Refill(c.width, At(ch, 100), At(ch, 100 + c.span));
    const int64_t last = b->m_fillMode == NgFillMode::kColumns ? c.width : b->m_entryCount - 1;
    const int64_t expected = last / c.step + 1 + 1;  // every step from 0, then 100
    EXPECT_EQ(int64_t(progress.percents.size()), expected) << c.span;
    EXPECT_EQ(progress.paints, int(expected));
    EXPECT_DOUBLE_EQ(progress.percents[1].channel, double(c.step) / double(last) * 100) << c.span;
    EXPECT_EQ(progress.percents.back().channel, 100.0);
    EXPECT_EQ(progress.percents.back().total, 100.0 / 2 + 50.0);
  }
}

class NgDataManagerTest : public gadget_test::GadgetEnv {};

TEST_F(NgDataManagerTest, BindsThroughThePoolAndNamesTheNextChannel) {
  FakeNgChannel a, b;
  a.name = "A";
  b.name = "B";
  trend_test::RecordingProgress progress;
  CGNgDataManager manager;
  manager.m_progress = &progress;
  CGNgChannel* list[] = {&a, &b};
  manager.SetChannels(2, list);
  CGNgDataBuff* first = manager.GetBuffer(0);
  first->m_nameKind = NAME_TAG;
  first->Refill(10, At(a, 0), At(a, 10));
  manager.GetBuffer(1)->m_nameKind = 5;  // an unknown kind gives no text

  manager.SetProgress(0, 0);
  manager.SetProgress(0, 1);
  manager.SetProgress(0, 2);
  EXPECT_EQ(progress.texts, (std::vector<std::string>{"A", "", ""}));
  EXPECT_EQ(manager.RefillBuffer(10, At(a, 0), At(a, 10), 2), 0);
  EXPECT_EQ(manager.RefillBuffer(10, At(a, 0), At(a, 10), 1), 1);

  manager.SetChannels(0, nullptr);
  EXPECT_EQ(manager.GetBufferCount(), 0);
  progress.texts.clear();
  manager.SetProgress(0, 0);
  EXPECT_EQ(manager.m_basePercent, 0.0);
  EXPECT_EQ(progress.texts, std::vector<std::string>{""});

  CGNgChannel* one[] = {&b};
  manager.SetChannels(1, one);
  CGNgDataBuff* again = manager.GetBuffer(0);
  EXPECT_EQ(again, first);  // the oldest pooled buffer comes back, cleared, with its name kind
  EXPECT_EQ(again->m_channel, &b);
  EXPECT_EQ(again->m_entryCount, 0);
  EXPECT_EQ(again->m_keyStart, PreciseTime{});
  EXPECT_EQ(again->m_nameKind, NAME_TAG);
}

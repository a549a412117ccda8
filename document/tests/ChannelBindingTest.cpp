// Binding a trend channel to stored batches: the channel's texts and times, segments of a batch
// with time changes, refused bindings, and the sample, pair and row reads over batches imported
// from generated files (several files with gaps, event and display data, both file formats).
#include <gtest/gtest.h>

#include <cfloat>

#include "document/testing/DocumentFixture.h"
#include "store/CVTBatchCache.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

class ChannelBindingTest : public DocumentTest {};

TEST_F(ChannelBindingTest, BindingTakesTextsTimesAndIntervalFromTheBatch) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 1);
  std::string text;
  ch->GetName(&text, NAME_CHANNEL_NO);
  EXPECT_EQ(text, "CH001");
  ch->GetName(&text, NAME_TAG);
  EXPECT_EQ(text, "TEMP");
  ch->GetName(&text, 7);
  EXPECT_EQ(text, "");
  EXPECT_EQ(ch->GetSampleInterval(), 1.0);
  EXPECT_EQ(ch->GetDataKind(), DATA_SINGLE);
  EXPECT_EQ(ch->GetChannelNumber(), 1);
  EXPECT_EQ(ch->GetAttribute(), 10);
  PreciseTime t0, t1;
  ch->GetDataRange(&t0, &t1);
  EXPECT_EQ(t0, At(T));
  EXPECT_EQ(t1, At(T + 9000));
  EXPECT_TRUE(ch->IsInDataRange(At(T + 9000)));
  EXPECT_FALSE(ch->IsInDataRange(At(T + 9001)));
  // An empty or reversed range holds one sample.
  EXPECT_EQ(ch->GetSampleCount(At(T + 5000), At(T + 1000)), 1);
  EXPECT_EQ(ch->GetSampleCount(At(T), At(T + 2500)), 3);
}

TEST_F(ChannelBindingTest, RefusedBindingsLeaveTheChannelUnbound) {
  // A batch without a whole millisecond per sample is refused, as are unknown batches and keys
  // that hold no GUID.
  Store(RecordingFile(2, 1, 10, T, 0), "Z.DAE");
  CGVantrelNgChannel ch(nullptr);
  EXPECT_FALSE(ch.Bind(RecordingGuid(2), 1, -1));
  EXPECT_FALSE(ch.Bind(RecordingGuid(99), 1, -1));
  EXPECT_FALSE(ch.BindToKey({"not a guid", 1, -1}));
  EXPECT_FALSE(ch.IsBound());
  EXPECT_EQ(CGVantrelNgChannel::GetBatchSegmentCount(RecordingGuid(99)), 0);
  double v = 7;
  uint16_t s = 1;
  EXPECT_EQ(ch.ReadValueAt(At(T), &v, &s), kNgNoDataSingle);
  // The refused batch holds no reference (the cache can drop it).
  EXPECT_EQ(CVTBatchCache::Instance().GetCount(), 0);
}

TEST_F(ChannelBindingTest, SegmentsOfABatchWithATimeChange) {
  // Ten records at 1 s, then the clock jumps 100 s ahead: two segments.
  std::vector<int64_t> times;
  for (int i = 0; i < 10; ++i) times.push_back(T + i * 1000);
  for (int i = 0; i < 5; ++i) times.push_back(T + 109000 + i * 1000);
  Store(RecordingFileAt(3, 1, times, 1000), "C.DAE");
  ASSERT_EQ(CGVantrelNgChannel::GetBatchSegmentCount(RecordingGuid(3)), 2);
  CGVantrelNgChannel* whole = Bind(RecordingGuid(3), 1, -1);
  CGVantrelNgChannel* second = Bind(RecordingGuid(3), 1, 1);
  std::string name;
  second->GetName(&name, NAME_TAG);
  EXPECT_EQ(name, "TEMP(2)");
  whole->GetName(&name, NAME_TAG);
  EXPECT_EQ(name, "TEMP");
  PreciseTime t0, t1;
  second->GetDataRange(&t0, &t1);
  EXPECT_EQ(t0, At(T + 109000));
  EXPECT_EQ(t1, At(T + 113000));
  double v = -1;
  uint16_t s = 0xFFFF;
  second->ReadValueAt(At(T + 111000), &v, &s);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(v, 12);  // the 13th record of the file
  // One segment gives no suffix.
  Store(RecordingFile(4, 1, 10, T, 1000), "D.DAE");
  CGVantrelNgChannel* single = Bind(RecordingGuid(4), 1, 0);
  single->GetName(&name, NAME_TAG);
  EXPECT_EQ(name, "TEMP");
}

TEST_F(ChannelBindingTest, ValueReadsAtAfterAndBetweenSamples) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 1);
  struct Case {
    double after;  // seconds after the sample at 3 s
    double value;  // of the first sample at or after
    int64_t timeMs;
  } cases[] = {{0.0, 3, 3000}, {0.00005, 3, 3000}, {0.0002, 4, 4000}, {0.4, 4, 4000}, {0.6, 4, 4000}};
  for (const Case& c : cases) {
    PreciseTime time;
    double v = -1;
    uint16_t s = 0xFFFF;
    ch->ReadValueFrom(At(T + 3000, c.after), &time, &v, &s);
    EXPECT_EQ(v, c.value) << c.after;
    EXPECT_EQ(s, 0) << c.after;
    EXPECT_EQ(time, At(T + c.timeMs)) << c.after;
  }
  // "At" reads find the sample within an interval/100 of its grid point only.
  double v = -1;
  uint16_t s = 0xFFFF;
  EXPECT_EQ(ch->ReadValueAt(At(T + 3000, 0.005), &v, &s), 0);
  EXPECT_EQ(v, 3);
  EXPECT_EQ(ch->ReadValueAt(At(T + 3000, 0.02), &v, &s), kNgNoDataSingle);
  // Outside the data: no data, and the time of the grid point nearest to t.
  PreciseTime time;
  ch->ReadValueFrom(At(T + 12300), &time, &v, &s);
  EXPECT_EQ(s, kNgNoDataSingle);
  EXPECT_EQ(v, 0.0);
  EXPECT_EQ(time, At(T + 12000));
}

TEST_F(ChannelBindingTest, RowReadsPadEventsBackwardAndPairsForward) {
  Store(RecordingFile(1, 1, 10, T, 1000, 1), "E.DAE");
  Store(RecordingFile(2, 1, 10, T, 1000, 2), "D.DAD");
  CGVantrelNgChannel* events = Bind(RecordingGuid(1), 1);
  CGVantrelNgChannel* pairs = Bind(RecordingGuid(2), 1);
  int inData = -1, exact = -1;
  double v = 0, mn = 0, mx = 0;
  uint16_t s = 0;
  const PreciseTime between = At(T + 4000, 0.5);
  events->ReadRowValueWith(between, true, &inData, &exact, &v, &s);
  EXPECT_EQ(std::make_tuple(inData, exact, v, s), std::make_tuple(1, 0, 4.0, uint16_t(0)));
  events->ReadRowValueWith(between, false, &inData, &exact, &v, &s);
  EXPECT_EQ(std::make_tuple(inData, exact, s), std::make_tuple(1, 0, kNgNoDataSingle));
  pairs->ReadRowMinMaxWith(between, true, &inData, &exact, &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(inData, exact, mn, mx, s), std::make_tuple(1, 0, 5.0, 55.0, uint16_t(0)));
  pairs->ReadRowMinMaxWith(between, false, &inData, &exact, &mn, &mx, &s);
  EXPECT_EQ(s, kNgNoDataPair);
  // On a grid point the row is exact; before the data it is outside with the outside status.
  events->ReadRowValue(At(T + 2000), &inData, &exact, &v, &s);
  EXPECT_EQ(std::make_tuple(inData, exact, v, s), std::make_tuple(1, 1, 2.0, uint16_t(0)));
  pairs->ReadRowMinMax(At(T - 500), &inData, &exact, &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(inData, exact, s), std::make_tuple(0, 0, kNgNoDataPair));
  // The nearest sample's time for the document's stepping.
  TickTime out;
  pairs->ReadNearestSampleTime(At(T + 6000, 0.3), &out);
  EXPECT_EQ(out, MsTime(T + 7000));
}

TEST_F(ChannelBindingTest, GapsBetweenFilesReadAsNoData) {
  // Two files of one recording with a 5 s gap: grid points in the gap hold no data.
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  Store(RecordingFile(1, 16, 10, T + 15000, 1000), "B.DAE");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 1);
  double v = -1, mn = 0, mx = 0;
  uint16_t s = 0;
  ch->ReadValueAt(At(T + 12000), &v, &s);
  EXPECT_EQ(s, kNgNoDataSingle);
  ch->ReadValueAt(At(T + 16000), &v, &s);
  EXPECT_EQ(std::make_pair(v, s), std::make_pair(1.0, uint16_t(0)));
  // A span inside the gap: no data; a span across it: the values on both sides.
  ch->ReadMinMaxOver(At(T + 11000), At(T + 13000), &mn, &mx, &s);
  EXPECT_EQ(s, kNgNoDataPair);
  EXPECT_EQ(mn, -DBL_MAX);
  EXPECT_EQ(mx, -DBL_MAX);
  ch->ReadMinMaxOver(At(T + 8000), At(T + 16000), &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(mn, mx, s), std::make_tuple(0.0, 9.0, uint16_t(0)));
  // Wholly after the data.
  ch->ReadMinMaxOver(At(T + 30000), At(T + 40000), &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(mn, mx, s), std::make_tuple(0.0, 0.0, kNgNoDataPair));
}

TEST_F(ChannelBindingTest, StatisticsOverEventsAndPairs) {
  Store(RecordingFile(1, 1, 10, T, 1000, 1), "E.DAE");
  Store(RecordingFile(1, 16, 10, T + 15000, 1000, 1), "F.DAE");
  Store(RecordingFile(2, 1, 10, T, 1000, 2), "D.DAD");
  CGVantrelNgChannel* events = Bind(RecordingGuid(1), 1);
  CGVantrelNgChannel* pairs = Bind(RecordingGuid(2), 1);
  double r = 0;
  uint16_t s = 0xFFFF;
  // 7, 8, 9 then the gap, then 0, 1 of the second file.
  events->GetMinOver(At(T + 7000), At(T + 16000), &r, &s);
  EXPECT_EQ(std::make_pair(r, s), std::make_pair(0.0, uint16_t(0)));
  events->GetMaxOver(At(T + 7000), At(T + 16000), &r, &s);
  EXPECT_EQ(std::make_pair(r, s), std::make_pair(9.0, uint16_t(0)));
  events->GetSumOver(At(T + 7000), At(T + 16000), &r, &s);
  EXPECT_EQ(std::make_pair(r, s), std::make_pair(5.0, uint16_t(0)));
  // Only the gap: nothing valid.
  events->GetSumOver(At(T + 11000), At(T + 13000), &r, &s);
  EXPECT_EQ(std::make_pair(r, s), std::make_pair(0.0, kNgNoDataSingle));
  events->GetMinOver(At(T + 11000), At(T + 13000), &r, &s);
  EXPECT_EQ(std::make_pair(r, s), std::make_pair(DBL_MAX, kNgNoDataSingle));
  // Both halves of a pair count: pair 2 is (2, 52), so its mean is 27.
  pairs->GetSumOver(At(T + 2000), At(T + 2000), &r, &s);
  EXPECT_EQ(std::make_pair(r, s), std::make_pair(27.0, uint16_t(0)));
  pairs->GetMaxOver(At(T + 1000), At(T + 3000), &r, &s);
  EXPECT_EQ(r, 53.0);
  // All three in one walk: pairs 1 to 3 are (1, 51), (2, 52), (3, 53).
  double mn = 0, mx = 0, mean = 0;
  pairs->GetStatisticsOver(At(T + 1000), At(T + 3000), &mn, &mx, &mean, &s);
  EXPECT_EQ(std::make_tuple(mn, mx, mean, s), std::make_tuple(1.0, 53.0, 27.0, uint16_t(0)));
}

TEST_F(ChannelBindingTest, OlderDisplayFilesScaleByTheirDecimals) {
  recgen::OlderModel m = recgen::SampleOlderModel(recgen::OlderLayout::Fixed, 1, 0);
  m.channels.resize(2);  // channels 1 (one decimal) and 5 (two decimals)
  for (int k = 0; k < 20; ++k) m.records.push_back({k, k + 100, -k, 2 * k});
  const vt::Guid guid = StoreOlder(m, "OLD.DDS");
  CGVantrelNgChannel* ch = Bind(guid, 1);
  EXPECT_EQ(ch->GetDataKind(), DATA_PAIRS);
  PreciseTime t0, t1;
  ch->GetDataRange(&t0, &t1);
  EXPECT_EQ(ch->GetSampleCount(t0, t1), 20);
  double mn = 0, mx = 0;
  uint16_t s = 0xFFFF;
  PreciseTime time;
  ch->ReadMinMaxFrom(PreciseTime::AddSeconds(t0, 3 * ch->GetSampleInterval()), &time, &mn, &mx, &s);
  EXPECT_EQ(s, 0);
  EXPECT_DOUBLE_EQ(mn, 0.3);
  EXPECT_DOUBLE_EQ(mx, 10.3);
  CGVantrelNgChannel* five = Bind(guid, 5);
  five->ReadMinMaxAt(PreciseTime::AddSeconds(t0, 4 * ch->GetSampleInterval()), &mn, &mx, &s);
  EXPECT_DOUBLE_EQ(mn, -0.04);
  EXPECT_DOUBLE_EQ(mx, 0.08);
}

TEST_F(ChannelBindingTest, ACloneReadsTheSameDataThroughItsOwnCache) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 2);
  double v = 0, w = 1;
  uint16_t s = 0, z = 1;
  ch->ReadValueAt(At(T + 4000), &v, &s);
  std::unique_ptr<CGVantrelNgChannel> clone(ch->Clone(nullptr));
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetCache()->GetBlockCount(), 0);
  clone->ReadValueAt(At(T + 4000), &w, &z);
  EXPECT_EQ(std::make_pair(w, z), std::make_pair(v, s));
  EXPECT_EQ(v, -104 * 100000.0);
  EXPECT_NE(clone->GetCache(), ch->GetCache());
}

}  // namespace
}  // namespace document_test

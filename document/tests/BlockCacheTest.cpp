// The per-channel block cache over batches imported from generated files: the fixed tiling from
// the data start (half-interval snapping at a block end, a shorter last block), the choice of the
// block a fourth one evicts, span extremes with over-range and other states, and pixel columns
// that cross a block boundary with no data on one side.
#include <gtest/gtest.h>

#include <cfloat>

#include "document/testing/DocumentFixture.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;
constexpr int64_t I = 10;  // ms per sample

class BlockCacheTest : public DocumentTest {
 protected:
  // The time of grid point i of a recording starting at T, plus a fraction of an interval.
  static PreciseTime Point(int64_t i, double intervals = 0.0) {
    return At(T + i * I, intervals * I / 1000.0);
  }
  // The grid index of each cached block's start, in cache order.
  static std::vector<int64_t> CachedBlocks(CGVantrelNgChannel* ch) {
    std::vector<int64_t> out;
    for (int b = 0; b < ch->GetCache()->GetBlockCount(); ++b)
      out.push_back(ch->GetCache()->GetBlockAt(b)->GetStart().DiffMilliseconds(MsTime(T)) / I / 50001);
    return out;
  }
  // Channel 1 holds the record number of its file in 16 bits.
  static double Raw(int64_t record) { return double(int16_t(record)); }
  static double ValueAt(CGVantrelNgChannel* ch, const PreciseTime& t) {
    double v = -1;
    uint16_t s = 0xFFFF;
    ch->ReadValueAt(t, &v, &s);
    EXPECT_EQ(s, 0);
    return v;
  }
};

TEST_F(BlockCacheTest, TilingSnapsAtHalfAnIntervalAndEvictsTheFartherBlock) {
  // 210,000 samples in three continuing files: five blocks, the last one 9,996 samples long.
  for (int f = 0; f < 3; ++f)
    Store(RecordingFile(1, 1 + f * 70000, 70000, T + f * 70000 * I, int(I)),
          "F" + std::to_string(f) + ".DAE");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 1);
  CGVantrelNgChannelDataCache* cache = ch->GetCache();

  // 0.4 intervals after block 0's last point: still block 0 (it snaps to that point).
  EXPECT_EQ(ValueAt(ch, Point(50000, 0.004)), Raw(50000));
  double v = 0, mx = 0;
  uint16_t s = 0;
  ch->ReadMinMaxOver(Point(49990), Point(50000, 0.4), &v, &mx, &s);
  EXPECT_EQ(CachedBlocks(ch), (std::vector<int64_t>{0}));
  // Half an interval after it snaps to the next point, which block 1 answers.
  PreciseTime time;
  ch->ReadValueFrom(Point(50000, 0.5), &time, &v, &s);
  EXPECT_EQ(time, Point(50001));
  EXPECT_EQ(CachedBlocks(ch), (std::vector<int64_t>{0, 1}));
  EXPECT_EQ(v, Raw(50001));  // record 50,001 of file 0
  // The last block ends exactly at the data end.
  EXPECT_EQ(ValueAt(ch, Point(209999)), Raw(69999));
  CGVantrelNgChannelData* last = cache->GetBlockAt(2);
  EXPECT_EQ(last->GetStart(), MsTime(T + 200004 * I));
  EXPECT_EQ(last->GetEnd(), MsTime(T + 209999 * I));
  EXPECT_EQ(last->GetPointCount(), 9996);
  EXPECT_LE(cache->GetSampleBytes(), 3 * 50001 * 6);

  struct Step {
    int64_t point;
    std::vector<int64_t> cached;  // afterwards
  } steps[] = {
      {160000, {1, 3, 4}},  // after the last: the first goes
      {120000, {1, 2, 3}},  // between, next to the first: the farther last goes
      {10, {0, 1, 2}},      // before the first: the last goes
  };
  for (const Step& step : steps) {
    ValueAt(ch, Point(step.point));
    EXPECT_EQ(CachedBlocks(ch), step.cached) << step.point;
  }
  // Blocks 0, 3, 4, then block 2: as far from the first as from the last, so the first goes.
  CGVantrelNgChannel* other = Bind(RecordingGuid(1), 1);
  for (int64_t p : {0, 160000, 205000}) ValueAt(other, Point(p));
  EXPECT_EQ(CachedBlocks(other), (std::vector<int64_t>{0, 3, 4}));
  EXPECT_EQ(ValueAt(other, Point(120000)), Raw(120000 - 70000));
  EXPECT_EQ(CachedBlocks(other), (std::vector<int64_t>{2, 3, 4}));
}

TEST_F(BlockCacheTest, SpanExtremesOfOverRangeAndOtherStates) {
  recgen::NewerFile m = RecordingFile(1, 1, 20, T, int(I));
  m.records[5].values[0] = 0x7FFF;                                                  // +OVER
  m.records[15].values[0] = int16_t(0x8001);                                        // -OVER
  for (int r = 10; r <= 12; ++r) m.records[size_t(r)].values[0] = int16_t(0x8002);  // a state without a value
  Store(m, "A.DAE");
  CGVantrelNgChannel* ch = Bind(RecordingGuid(1), 1);
  struct Case {
    double from, to;  // in intervals from the start
    double min, max;
    uint16_t status;
  } cases[] = {
      {3, 7, 3, DBL_MAX, 0x0600},
      {14, 17, -DBL_MAX, 17, 0x7000},
      {10, 12, -DBL_MAX, -DBL_MAX, 0},
      {1, 4, 1, 4, 0},
      // The span reaches back to the sample at or before its start and on to the one at or after
      // its end.
      {1.3, 1.6, 1, 2, 0},
      {2, 2, 2, 2, 0},
  };
  for (const Case& c : cases) {
    double mn = 0, mx = 0;
    uint16_t s = 0xFFFF;
    ch->ReadMinMaxOver(Point(0, c.from), Point(0, c.to), &mn, &mx, &s);
    EXPECT_EQ(mn, c.min) << c.from;
    EXPECT_EQ(mx, c.max) << c.from;
    EXPECT_EQ(s, c.status) << c.from;
  }
}

TEST_F(BlockCacheTest, AColumnAcrossABlockBoundaryIgnoresAPartWithoutData) {
  // Recording 1: block 0 full of data, block 1 starting with a gap. Recording 2: a gap at the end
  // of block 0, data from the third point of block 1 on.
  Store(RecordingFile(1, 1, 50001, T, int(I)), "A.DAE");
  Store(RecordingFile(1, 50011, 100, T + 50010 * I, int(I)), "B.DAE");
  Store(RecordingFile(2, 1, 49990, T, int(I)), "C.DAE");
  Store(RecordingFile(2, 50004, 100, T + 50003 * I, int(I)), "D.DAE");
  CGVantrelNgChannel* first = Bind(RecordingGuid(1), 1);
  CGVantrelNgChannel* second = Bind(RecordingGuid(2), 1);
  double mn = 0, mx = 0;
  uint16_t s = 0xFFFF;
  first->ReadMinMaxOver(Point(49997), Point(50005), &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(mn, mx, s), std::make_tuple(Raw(49997), Raw(50000), uint16_t(0)));
  EXPECT_EQ(first->GetCache()->GetBlockCount(), 2);
  second->ReadMinMaxOver(Point(49995), Point(50006), &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(mn, mx, s), std::make_tuple(0.0, 3.0, uint16_t(0)));
  // Only gaps on both sides: no data.
  second->ReadMinMaxOver(Point(49995), Point(50002), &mn, &mx, &s);
  EXPECT_EQ(std::make_tuple(mn, mx, s), std::make_tuple(-DBL_MAX, -DBL_MAX, kNgNoDataPair));
}

}  // namespace
}  // namespace document_test

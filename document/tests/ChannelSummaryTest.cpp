// Pixel columns answered from the shared min/max summaries: a table of spans (inside one group of
// points, across tiling blocks, over a gap between files and over runs of every state, event and
// display data, 16- and 32-bit channels) against a brute-force walk of the channel's own samples,
// the same columns read in runs against the block cache's walk; and the first column refill of 100 channels
// reading the stored file once for all of them.
#include <gtest/gtest.h>

#include <cfloat>
#include <tuple>

#include "document/testing/DocumentFixture.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/ReadOnlyFile.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "trend/NgDataBuff.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;
constexpr int64_t I = 10;  // ms per sample
constexpr int64_t kBlock = BLOCK_SAMPLES + 1;

PreciseTime Point(int64_t i, double intervals = 0.0) { return At(T + i * I, intervals * I / 1000.0); }

struct Sample {
  double low, high;
  uint16_t status;
};

// Every grid point of a channel as its single reads give it.
std::vector<Sample> Samples(CGVantrelNgChannel* ch, int64_t points) {
  std::vector<Sample> out(static_cast<size_t>(points));
  for (int64_t i = 0; i < points; ++i) {
    Sample& s = out[size_t(i)];
    if (ch->GetDataKind() == DATA_PAIRS) {
      ch->ReadMinMaxAt(Point(i), &s.low, &s.high, &s.status);
    } else {
      ch->ReadValueAt(Point(i), &s.low, &s.status);
      s.high = s.low;
    }
  }
  return out;
}

// The column [Point(a, fa), Point(b, fb)] walked sample by sample: from the sample at or before
// its start (not reaching back across a tiling block) to the one at or after its end.
std::tuple<double, double, uint16_t> Walk(const std::vector<Sample>& s, bool pairs, int64_t a, double fa,
                                          int64_t b, double fb) {
  int64_t i0 = a, i1 = b;
  if (fa < 0 && a % kBlock != 0) --i0;
  if (fb > 0) ++i1;
  i0 = std::max<int64_t>(i0, 0), i1 = std::min<int64_t>(i1, int64_t(s.size()) - 1);
  double mn = DBL_MAX, mx = -DBL_MAX;
  uint16_t st = 0;
  bool found = false;
  for (int64_t i = i0; i <= i1; ++i) {
    const unsigned w = s[size_t(i)].status, c1 = w >> 12, c2 = pairs ? (w >> 8) & 0xF : c1;
    if (c1 == 3) continue;
    st |= w & 0xF;
    found = true;
    if (c1 == 0) {
      mn = std::min(mn, s[size_t(i)].low), mx = std::max(mx, s[size_t(i)].high);
      continue;
    }
    for (unsigned c : {c1, c2}) {
      if (c == 6) st |= 0x600, mx = DBL_MAX;
      if (c == 7) st |= 0x7000, mn = -DBL_MAX;
    }
  }
  if (!found) st |= 0x3300, mn = -DBL_MAX, mx = DBL_MAX;
  if (mx < mn) mn = mx;
  if (((st >> 8) & 0xF) == 3) mx = mn;
  return {mn, mx, st};
}

class ChannelSummaryTest : public DocumentTest {};

struct Plot {
  double start, width;
  int64_t columns;
};

using Column = std::tuple<double, double, uint16_t>;

// A plot's columns read in runs of 61, as a refill reads them, or one by one through
// ReadMinMaxOver (the base class's column read).
std::vector<Column> ReadPlot(CGVantrelNgChannel* ch, const Plot& plot, bool runs) {
  std::vector<double> mn(size_t(plot.columns)), mx(size_t(plot.columns));
  std::vector<uint16_t> st(size_t(plot.columns));
  for (int64_t i = 0; i < plot.columns; i += 61) {
    const int64_t n = std::min<int64_t>(61, plot.columns - i);
    if (runs)
      ch->ReadMinMaxColumns(plot.start, plot.width, i, n, &mn[size_t(i)], &mx[size_t(i)], &st[size_t(i)]);
    else
      ch->CGNgChannel::ReadMinMaxColumns(plot.start, plot.width, i, n, &mn[size_t(i)], &mx[size_t(i)],
                                         &st[size_t(i)]);
  }
  std::vector<Column> out;
  for (int64_t i = 0; i < plot.columns; ++i) out.emplace_back(mn[size_t(i)], mx[size_t(i)], st[size_t(i)]);
  return out;
}

// Each plot's columns read in runs against a clone's walk of its block cache (a clone keeps no
// summaries).
void ExpectColumnsAsTheBlockCache(CGVantrelNgChannel* ch, const std::vector<Plot>& plots) {
  std::unique_ptr<CGVantrelNgChannel> clone(ch->Clone(nullptr));
  ASSERT_TRUE(clone);
  ASSERT_EQ(clone->GetSummary(), nullptr);
  for (const Plot& plot : plots) {
    const std::vector<Column> runs = ReadPlot(ch, plot, true), walk = ReadPlot(clone.get(), plot, false);
    for (size_t i = 0; i < runs.size(); ++i)
      ASSERT_EQ(runs[i], walk[i]) << "width " << plot.width << " column " << i;
  }
}

TEST_F(ChannelSummaryTest, ColumnsEqualABruteForceWalkOfTheSamples) {
  // Two files with a gap of 24 points between them: 160,025 points, four tiling blocks, more
  // than the three a cache holds. Channel 1 is 16-bit, channel 2 32-bit.
  constexpr int kFirst = 120000, kSecond = 40000, kGap = 24;
  const int64_t points = kFirst + kGap + kSecond;
  for (int kind : {1, 2}) {
    SCOPED_TRACE(kind == 1 ? "event data" : "display data");
    CVTBatchCache::Instance().Clear();
    recgen::NewerFile a = RecordingFile(uint32_t(kind), 1, kFirst, T, int(I), kind);
    recgen::NewerFile b =
        RecordingFile(uint32_t(kind), 1 + kFirst + kGap, kSecond, T + (kFirst + kGap) * I, int(I), kind);
    // States: +OVER, -OVER and a state without a value, alone, in runs longer than a group of
    // points, at a tiling block boundary and sprinkled over the file.
    const int64_t over16[] = {0x7FFF, int16_t(0x8001), int16_t(0x8002)};
    const int64_t over32[] = {0x7FFFFFFF, int32_t(0x80000001), int32_t(0x80000002)};
    auto put = [&](recgen::NewerFile& m, int record, int state) {
      auto& v = m.records[size_t(record)].values;
      for (size_t k = 0; k < v.size(); ++k)
        v[k] = (k / (kind == 2 ? 2 : 1)) == 0 ? over16[state] : over32[state];
    };
    for (int r = 0; r < kFirst; r += 997) put(a, r, (r / 997) % 3);
    for (int r = 49990; r < 50012; ++r) put(a, r, 2);
    for (int r = 70000; r < 70100; ++r) put(a, r, 0);
    for (int r = 90003; r < 90011; ++r) put(a, r, 1);
    for (int r = 5; r < kSecond; r += 1231) put(b, r, (r / 7) % 3);
    if (kind == 2) {
      // Pairs whose ends differ: -OVER or no value at the minimum with +OVER at the maximum.
      auto pair = [&](recgen::NewerFile& m, int record, int low, int high) {
        auto& v = m.records[size_t(record)].values;
        v[0] = over16[low], v[1] = over16[high], v[2] = over32[low], v[3] = over32[high];
      };
      for (int r = 30003; r < 30040; ++r) pair(a, r, r % 2 ? 1 : 2, 0);
      for (int r = 11; r < kFirst; r += 1009) pair(a, r, 1 + r % 2, 0);
    }
    Store(a, "A" + std::to_string(kind) + ".DAE");
    Store(b, "B" + std::to_string(kind) + ".DAE");
    for (int channelNo : {1, 2}) {
      SCOPED_TRACE(channelNo == 1 ? "16-bit" : "32-bit");
      CGVantrelNgChannel* ch = Bind(RecordingGuid(uint32_t(kind)), channelNo);
      ASSERT_NE(ch->GetSummary(), nullptr);
      // A plot's columns read in runs, as a refill reads them, before any single span built a
      // block's summaries (the first, over all the data, builds them): coarse, fine and very
      // fine columns; runs that start before the data and end after it.
      const double t0 = PreciseTime::ToSeconds(Point(0));
      ExpectColumnsAsTheBlockCache(ch, {{t0 - 3.0, 1.0713, 1500},
                                        {t0 + (kBlock - 200) * 0.01, 0.0371, 900},
                                        {t0 + 1199.5, 0.0093, 400},
                                        {t0 - 10.0, 13.3, 130}});
      const std::vector<Sample> s = Samples(ch, points);
      struct Span {
        int64_t a;
        double fa;
        int64_t b;
        double fb;
      };
      std::vector<Span> spans = {
          {10, 0.2, 12, 0.3},
          {9, -0.2, 14, -0.1},
          {5, 0, 30, 0},
          {0, 0, points - 1, 0},
          {49985, 0.4, 50020, -0.4},
          {kBlock, -0.3, kBlock + 40, 0.1},
          {kBlock - 1, 0.3, kBlock, -0.3},
          {2 * kBlock, -0.3, 2 * kBlock + 3, 0},
          {119990, 0.1, 120040, 0},
          {120001, 0, 120020, 0},
          {69995, -0.1, 70105, 0.1},
          {70010, 0, 70090, 0},
          {90000, 0, 90020, 0},
          {points - 9, -0.2, points - 1, 0},
          {1000, 0.1, 150000, -0.2},
          {3 * kBlock - 100, 0, 3 * kBlock + 5000, 0.4},
      };
      uint64_t seed = 12345;
      auto next = [&](int64_t n) {
        return int64_t((seed = seed * 6364136223846793005ULL + 1442695040888963407ULL) >> 33) % n;
      };
      for (int k = 0; k < 300; ++k) {
        const int64_t from = next(points), length = next(k % 3 == 0 ? 60000 : 700);
        spans.push_back(
            {from, double(next(9) - 4) / 10, std::min(points - 1, from + length), double(next(9) - 4) / 10});
      }
      for (const Span& sp : spans) {
        double mn = 0, mx = 0;
        uint16_t st = 0xFFFF;
        ch->ReadMinMaxOver(Point(sp.a, sp.fa), Point(sp.b, sp.fb), &mn, &mx, &st);
        EXPECT_EQ(std::make_tuple(mn, mx, st), Walk(s, kind == 2, sp.a, sp.fa, sp.b, sp.fb))
            << sp.a << "+" << sp.fa << " .. " << sp.b << "+" << sp.fb;
      }
      // A clone keeps no summaries and answers from its block cache: the same columns.
      std::unique_ptr<CGVantrelNgChannel> clone(ch->Clone(nullptr));
      ASSERT_TRUE(clone);
      EXPECT_EQ(clone->GetSummary(), nullptr);
      for (size_t k = 0; k < spans.size(); k += 7) {
        const Span& sp = spans[k];
        double m1 = 0, x1 = 0, m2 = 1, x2 = 1;
        uint16_t s1 = 0, s2 = 1;
        ch->ReadMinMaxOver(Point(sp.a, sp.fa), Point(sp.b, sp.fb), &m1, &x1, &s1);
        clone->ReadMinMaxOver(Point(sp.a, sp.fa), Point(sp.b, sp.fb), &m2, &x2, &s2);
        EXPECT_EQ(std::make_tuple(m1, x1, s1), std::make_tuple(m2, x2, s2)) << sp.a << " .. " << sp.b;
      }
    }
  }
}

TEST_F(ChannelSummaryTest, ColumnsOverRecordsOffTheGridAsSingleSpansGiveThem) {
  // The second file starts 3 ms off the first one's grid, and a time change inside it moves its
  // records by another 4 ms: the blocks that hold them are summarised from decoded points. A
  // channel whose summaries runs of columns built answers each column as one whose summaries
  // single spans built.
  constexpr int kFirst = 100000, kSecond = 70000;
  const int64_t second = T + kFirst * I + 3;
  std::vector<int64_t> times;
  for (int r = 0; r < kSecond; ++r) times.push_back(second + r * I + (r >= 30000 ? 4 : 0));
  const double t0 = PreciseTime::ToSeconds(Point(0));
  const std::vector<Plot> plots = {
      {t0 - 1.0, 1.2173, 1500}, {t0 + 995.0, 0.0417, 600}, {t0 + 1299.9, 0.0113, 300}};
  for (int kind : {1, 2}) {
    SCOPED_TRACE(kind == 1 ? "event data" : "display data");
    CVTBatchCache::Instance().Clear();
    const uint32_t recording = uint32_t(10 + kind);
    Store(RecordingFile(recording, 1, kFirst, T, int(I), kind), "A" + std::to_string(kind) + ".DAE");
    Store(RecordingFileAt(recording, 1 + kFirst, times, int(I), kind), "B" + std::to_string(kind) + ".DAE");
    for (int channelNo : {1, 2}) {
      // Each read on a channel of its own, whose summaries go with it.
      auto read = [&](bool runs) {
        std::vector<Column> out;
        auto ch = std::make_unique<CGVantrelNgChannel>(nullptr);
        EXPECT_TRUE(ch->Bind(RecordingGuid(recording), channelNo, -1));
        EXPECT_NE(ch->GetSummary(), nullptr);
        for (const Plot& plot : plots) {
          const std::vector<Column> columns = ReadPlot(ch.get(), plot, runs);
          out.insert(out.end(), columns.begin(), columns.end());
        }
        return out;
      };
      const auto single = read(false), runs = read(true);
      ASSERT_EQ(single.size(), runs.size());
      for (size_t i = 0; i < single.size(); ++i)
        ASSERT_EQ(single[i], runs[i]) << "channel " << channelNo << " column " << i;
    }
  }
}

TEST_F(ChannelSummaryTest, TheFirstRefillOfAHundredChannelsReadsTheFileOnce) {
  constexpr int kChannels = 100;
  constexpr int64_t kRecords = 160000;
  recgen::NewerFile m = recgen::ResizedNewerFile(1, kChannels, kRecords, 40);
  m.intervalValue = 10;
  m.intervalUnit = 0;
  const std::string staging = vt::JoinPath(root_, "big");
  ASSERT_TRUE(CreateFolderTree(staging));
  const std::string staged = vt::JoinPath(staging, "BIG.DAE");
  ASSERT_TRUE(recgen::WriteLargeNewerFile(m, kRecords, staged));
  uint64_t fileBytes = 0;
  ASSERT_TRUE(vt::GetFileSize(staged, fileBytes));
  std::string relative;
  ASSERT_EQ(storage_.ImportFile(staged, &relative), STORE_OK);
  vt::Guid guid;
  guid.data1 = m.guidData1, guid.data2 = m.guidData2, guid.data3 = m.guidData3, guid.data4 = m.guidData4;

  std::vector<CGNgChannel*> list;
  std::vector<CGVantrelNgChannel*> bound;
  for (int c = 0; c < kChannels; ++c) {
    bound.push_back(Bind(guid, c < 48 ? 1 + c : 101 + (c - 48)));
    list.push_back(bound.back());
  }
  ASSERT_NE(bound[0]->GetSummary(), nullptr);
  EXPECT_EQ(bound[0]->GetSummary(), bound[99]->GetSummary());
  PreciseTime start, end;
  bound[0]->GetDataRange(&start, &end);
  CGNgDataManager manager;
  manager.SetChannels(kChannels, list.data());
  auto refill = [&](PreciseTime from, PreciseTime to) {
    vt::ReadOnlyFileTestHook::ResetBytesRead();
    for (int c = 0; c < kChannels; ++c) manager.RefillBuffer(1500, from, to, c);
    return vt::ReadOnlyFileTestHook::BytesRead();
  };
  const PreciseTime from = PreciseTime::AddSeconds(start, 0.02), to = PreciseTime::AddSeconds(end, -0.03);
  const uint64_t first = refill(from, to);
  EXPECT_GT(first, fileBytes * 9 / 10);
  EXPECT_LT(first, fileBytes * 12 / 10) << "the stored file was walked more than once";
  CGNgDataBuff* b0 = manager.GetBuffer(0);
  EXPECT_EQ(b0->m_fillMode, NgFillMode::kColumns);
  // Away to a part of the range and back: the way back reads nothing.
  refill(PreciseTime::AddSeconds(start, 100.0), PreciseTime::AddSeconds(start, 700.0));
  EXPECT_EQ(refill(from, to), 0u);
  // Channels bound again to other channels of the batch take over the summaries' memory.
  const int64_t bytes = bound[0]->GetSummary()->GetBytes();
  for (int c = 0; c < kChannels; ++c) {
    const int next = (c + 1) % kChannels;
    ASSERT_TRUE(bound[size_t(c)]->Bind(guid, next < 48 ? 1 + next : 101 + (next - 48), -1));
  }
  refill(from, PreciseTime::AddSeconds(to, -0.01));
  EXPECT_LT(bound[0]->GetSummary()->GetBytes(), bytes * 5 / 4);
  for (int c = 0; c < kChannels; ++c) {
    ASSERT_TRUE(bound[size_t(c)]->Bind(guid, c < 48 ? 1 + c : 101 + (c - 48), -1));
  }
  refill(from, to);
  // Every column of a few channels equals the block cache's walk of a clone.
  for (int c : {0, 47, 48, 99}) {
    std::unique_ptr<CGVantrelNgChannel> clone(bound[size_t(c)]->Clone(nullptr));
    ASSERT_TRUE(clone);
    CGNgChannel* one[] = {clone.get()};
    CGNgDataManager other;
    other.SetChannels(1, one);
    other.RefillBuffer(1500, from, to, 0);
    CGNgDataBuff* x = manager.GetBuffer(c);
    CGNgDataBuff* y = other.GetBuffer(0);
    ASSERT_EQ(x->m_entryCount, y->m_entryCount);
    for (int64_t i = 0; i < x->m_entryCount; ++i)
      ASSERT_EQ(std::make_tuple(x->m_min[size_t(i)], x->m_max[size_t(i)], x->m_status[size_t(i)]),
                std::make_tuple(y->m_min[size_t(i)], y->m_max[size_t(i)], y->m_status[size_t(i)]))
          << "channel " << c << " column " << i;
  }
}

}  // namespace
}  // namespace document_test

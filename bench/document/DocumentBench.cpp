// Benchmark of the trend refill over stored data: one recording of 1,000,000 event records of 100
// 16-bit channels, made with the recorder-file generator and imported into a storage. 100 trend
// channels are bound to it and their display buffers refilled in column mode at a plot width of
// 1,500 (about 667 samples per column), as a paint does, with the file in the page cache. The
// reference is a plain loop taking min and max per column over the same samples, decoded into
// memory beforehand. Measured, each as a ratio to that loop (best of three, over shifted ranges):
//  - the first full-range refill of freshly bound channels (the stored file is read once for
//    all of them and the min/max summaries built),
//  - a full-range refill after the view moved away (to a tenth of the range) and back,
// and the peak memory of the caches and summaries against the 2-byte samples of the recording.
// Also printed as information: the batch reads alone, channel by channel. The first-refill ratio
// is printed last.
//
// Usage: document_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "document/CGVantrelNgChannel.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "trend/NgDataBuff.h"
#include "trend/TrendTime.h"

namespace {

constexpr int kChannels = 100;
constexpr int64_t kSamples = 1000000;
constexpr int kWidth = 1500;
constexpr int kRuns = 3;

int ChannelNo(int i) { return i < 48 ? 1 + i : 101 + (i - 48); }

bool MakeStorage(CVTDataStorage& storage, const std::string& folder, vt::Guid* guid) {
  const std::string area = vt::JoinPath(folder, "AREA");
  if (storage.Create(area, "Bench") != STORE_OK || storage.OpenAt(area) != STORE_OK) return false;
  recgen::NewerFile m = recgen::ResizedNewerFile(1, kChannels, kSamples, 0);
  m.intervalValue = 100;
  m.intervalUnit = 0;
  const std::string staged = vt::JoinPath(folder, "BENCH.DAE");
  if (!recgen::WriteLargeNewerFile(m, kSamples, staged)) return false;
  std::string relative;
  if (storage.ImportFile(staged, &relative) != STORE_OK) return false;
  vt::DeleteFile(staged);
  auto statement = storage.GetConnection()->CreateStatement();
  std::string text;
  if (statement->Prepare("SELECT cont_data_guid FROM continuous_data_info;") != RDB_OK ||
      statement->Execute() != RDB_OK || statement->Fetch() != RDB_ROW ||
      statement->GetText(0, text) != RDB_OK)
    return false;
  return vt::Guid::Parse(text, *guid);
}

// The bound channels and their display buffers.
struct View {
  std::vector<std::unique_ptr<CGVantrelNgChannel>> channels;
  std::vector<CGNgChannel*> list;
  CGNgDataManager manager;

  bool Bind(const vt::Guid& guid) {
    manager.SetChannels(0, nullptr);
    channels.clear();
    list.clear();
    for (int c = 0; c < kChannels; ++c) {
      channels.push_back(std::make_unique<CGVantrelNgChannel>(nullptr));
      if (!channels.back()->Bind(guid, ChannelNo(c), -1)) return false;
      list.push_back(channels.back().get());
    }
    manager.SetChannels(kChannels, list.data());
    return true;
  }
  void Refill(PreciseTime from, PreciseTime to) {
    for (int c = 0; c < kChannels; ++c) manager.RefillBuffer(kWidth, from, to, c);
  }
  int64_t Bytes() const {
    int64_t bytes = channels[0]->GetSummary() ? channels[0]->GetSummary()->GetBytes() : 0;
    for (const auto& ch : channels) bytes += ch->GetCache()->GetSampleBytes();
    return bytes;
  }
};

}  // namespace

int main(int argc, char** argv) {
  vt::bench::Report report("document");
  vt::bench::WorkFolder work("document_bench_", argc > 1 ? argv[1] : nullptr);
  if (!work.Ok()) {
    report.Failed("cannot create the work folder");
    return report.ExitCode();
  }
  CVTDataStorage storage;
  vt::Guid guid;
  if (!MakeStorage(storage, work.Path(), &guid)) {
    report.Failed("cannot make the stored batch");
    return report.ExitCode();
  }
  CVTBatchCache::Instance().SetStorage(&storage);
  {
    View view;
    if (!view.Bind(guid)) {
      report.Failed("cannot bind the channels");
      return report.ExitCode();
    }
    PreciseTime start, end;
    view.channels[0]->GetDataRange(&start, &end);
    const double interval = view.channels[0]->GetSampleInterval();
    printf("channels: %d x %lld samples, %.0f ms apart\n", kChannels, (long long)kSamples, interval * 1e3);
    auto range = [&](int run, PreciseTime* from, PreciseTime* to) {
      *from = PreciseTime::AddSeconds(start, (run + 2) * interval);
      *to = PreciseTime::AddSeconds(end, -(5 - run) * interval);
    };

    // Warm-up: the readers open and the file comes into the page cache.
    view.Refill(PreciseTime::AddSeconds(start, interval), end);

    // The first refill, each run on freshly bound channels (the summaries go with them).
    int64_t peakBytes = 0;
    double first = 1e30;
    for (int run = 0; run < kRuns; ++run) {
      if (!view.Bind(guid)) {
        report.Failed("cannot bind the channels again");
        return report.ExitCode();
      }
      PreciseTime from, to;
      range(run, &from, &to);
      const auto t = std::chrono::steady_clock::now();
      view.Refill(from, to);
      first = std::min(first, vt::bench::SecondsSince(t));
      peakBytes = std::max(peakBytes, view.Bytes());
    }
    CGNgDataBuff* b0 = view.manager.GetBuffer(0);
    printf("refill: plot width %d, mode %s, %lld entries per buffer\n", kWidth,
           b0->m_fillMode == NgFillMode::kColumns ? "columns" : "other", (long long)b0->m_entryCount);

    // Away to a tenth of the range and back to where the view was.
    const double span = vt::SpanSeconds(start, end);
    double back = 1e30;
    PreciseTime from, to;
    range(kRuns - 1, &from, &to);
    for (int run = 0; run < kRuns; ++run) {
      view.Refill(PreciseTime::AddSeconds(start, span * (0.3 + 0.1 * run)),
                  PreciseTime::AddSeconds(start, span * (0.4 + 0.1 * run)));
      peakBytes = std::max(peakBytes, view.Bytes());
      const auto t = std::chrono::steady_clock::now();
      view.Refill(from, to);
      back = std::min(back, vt::bench::SecondsSince(t));
      peakBytes = std::max(peakBytes, view.Bytes());
    }

    // The batch reads alone: every block of every channel read into a record buffer.
    CVTBatch* batch = view.channels[0]->GetBatch();
    const TickTime s0 = view.channels[0]->GetStartTicks(), e0 = view.channels[0]->GetEndTicks();
    const int64_t stepMs = view.channels[0]->GetIntervalMs();
    const double reads = vt::bench::BestOf(1, [&](int) {
      for (int c = 0; c < kChannels; ++c)
        for (TickTime b = s0; !(e0 < b); b = b.PlusMilliseconds((BLOCK_SAMPLES + 1) * stepMs)) {
          CVTData data;
          TickTime e = b.PlusMilliseconds(BLOCK_SAMPLES * stepMs);
          batch->ReadRecords(ChannelNo(c), b, e0 < e ? e0 : e, &data, -1, true);
        }
    });

    // The reference: the same samples decoded into memory, min and max per column.
    std::vector<std::vector<double>> values(kChannels);
    for (int c = 0; c < kChannels; ++c) {
      CVTData data;
      batch->ReadRecords(ChannelNo(c), s0, e0, &data, -1, true);
      values[size_t(c)].resize(size_t(data.GetCount()));
      for (int i = 0; i < data.GetCount(); ++i) {
        int16_t v = 0;
        TickTime t;
        int state = 0;
        uint8_t flags = 0;
        data.GetEventShort(i, &v, &t, &state, &flags);
        values[size_t(c)][size_t(i)] = view.channels[size_t(c)]->ScaleValue(v);
      }
    }
    std::vector<double> plain(size_t(kChannels) * (kWidth + 1) * 2);
    const double perColumn = double(kSamples - 7) / (kWidth - 1);
    const double reference = vt::bench::BestOf(kRuns, [&](int run) {
      size_t k = 0;
      for (const auto& v : values) {
        const int64_t n = int64_t(v.size());
        for (int i = 0; i <= kWidth; ++i) {
          const int64_t a = std::max<int64_t>(1 + run + int64_t(i * perColumn), 0);
          const int64_t b = std::min<int64_t>(1 + run + int64_t((i + 1) * perColumn) + 1, n);
          double lo = DBL_MAX, hi = -DBL_MAX;
          for (int64_t j = a; j < b; ++j) lo = std::min(lo, v[size_t(j)]), hi = std::max(hi, v[size_t(j)]);
          plain[k++] = lo, plain[k++] = hi;
        }
      }
    });
    const double sampleBytes = 2.0 * kSamples * kChannels;  // the 16-bit values of the recording
    printf(
        "refill: first %.1f ms, back %.1f ms, batch reads channel by channel %.1f ms, plain loop %.1f ms\n",
        first * 1e3, back * 1e3, reads * 1e3, reference * 1e3);
    report.Info("batch reads channel by channel / plain min/max loop", reads / reference);
    report.AtMost("caches and summaries, peak / 2-byte samples", double(peakBytes) / sampleBytes, 1.25);
    report.AtMost("refill after moving away and back / plain min/max loop", back / reference, 0.25);
    report.AtMost("first full-range refill of 100 channels / plain min/max loop", first / reference, 4);
  }
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(nullptr);
  storage.Close();
  return report.ExitCode();
}

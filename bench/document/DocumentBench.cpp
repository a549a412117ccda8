// Benchmark of the trend refill over stored data: one recording of 1,000,000 event records of 100
// 16-bit channels, made with the recorder-file generator and imported into a storage. 100 trend
// channels are bound to it and their display buffers refilled in column mode at a plot width of
// 1,500 (about 667 samples per column), as a paint does, with the file in the page cache. The
// reference is a plain loop taking min and max per column over the same samples, decoded into
// memory beforehand. Also printed: the time of the batch reads the caches make (what the readers
// cost alone) and the peak memory of the 100 caches against their sample bytes. Each side runs
// three times over shifted ranges and the best time counts. The ratio is printed last.
//
// Usage: document_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/CGVantrelNgChannel.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "trend/NgDataBuff.h"

namespace {

constexpr int kChannels = 100;
constexpr int64_t kSamples = 1000000;
constexpr int kWidth = 1500;
constexpr int kRuns = 3;

double Best(const std::function<void(int)>& work) {
  double best = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work(run);
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

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

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "";
  const bool own = folder.empty();
  if (own) {
    const char* tmp = getenv("TMPDIR");
    folder = vt::JoinPath(tmp && *tmp ? tmp : "/tmp", "document_bench_" + vt::Guid::Create().ToText());
  }
  if (!CreateFolderTree(folder)) {
    fprintf(stderr, "cannot create %s\n", folder.c_str());
    return 1;
  }
  int result = 1;
  {
    CVTDataStorage storage;
    vt::Guid guid;
    if (!MakeStorage(storage, folder, &guid)) {
      fprintf(stderr, "cannot make the stored batch\n");
    } else {
      CVTBatchCache::Instance().SetStorage(&storage);
      std::vector<std::unique_ptr<CGVantrelNgChannel>> channels;
      std::vector<CGNgChannel*> list;
      for (int c = 0; c < kChannels; ++c) {
        channels.push_back(std::make_unique<CGVantrelNgChannel>(nullptr));
        if (!channels.back()->Bind(guid, ChannelNo(c), -1)) {
          fprintf(stderr, "cannot bind channel %d\n", ChannelNo(c));
          return 1;
        }
        list.push_back(channels.back().get());
      }
      PreciseTime start, end;
      channels[0]->GetDataRange(&start, &end);
      const double interval = channels[0]->GetSampleInterval();
      printf("channels: %d x %lld samples, %.0f ms apart\n", kChannels, (long long)kSamples, interval * 1e3);

      // Warm-up: the readers open and the file comes into the page cache.
      CGNgDataManager manager;
      manager.SetChannels(kChannels, list.data());
      for (int c = 0; c < kChannels; ++c)
        manager.RefillBuffer(kWidth, PreciseTime::AddSeconds(start, interval), end, c);

      int64_t peakBytes = 0;
      const double ours = Best([&](int run) {
        const PreciseTime from = PreciseTime::AddSeconds(start, (run + 2) * interval);
        const PreciseTime to = PreciseTime::AddSeconds(end, -(5 - run) * interval);
        for (int c = 0; c < kChannels; ++c) manager.RefillBuffer(kWidth, from, to, c);
        int64_t bytes = 0;
        for (auto& ch : channels) bytes += ch->GetCache()->GetSampleBytes();
        peakBytes = std::max(peakBytes, bytes);
      });
      CGNgDataBuff* b0 = static_cast<CGNgDataBuff*>(manager.GetFirstChild());
      printf("refill: plot width %d, mode %s, %lld entries per buffer\n", kWidth,
             b0->m_fillMode == NgFillMode::kColumns ? "columns" : "other", (long long)b0->m_entryCount);

      // The batch reads alone: every block of every channel read into a record buffer.
      CVTBatch* batch = channels[0]->GetBatch();
      const TickTime s0 = channels[0]->GetStartTicks(), e0 = channels[0]->GetEndTicks();
      const int64_t stepMs = channels[0]->GetIntervalMs();
      const double reads = Best([&](int) {
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
          values[size_t(c)][size_t(i)] = channels[size_t(c)]->ScaleValue(v);
        }
      }
      std::vector<double> plain(size_t(kChannels) * (kWidth + 1) * 2);
      const double perColumn = double(kSamples - 7) / (kWidth - 1);
      const double reference = Best([&](int run) {
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
      const double sampleBytes = 3.0 * (BLOCK_SAMPLES + 1) * kChannels * 6;  // 16-bit value + status word
      printf("refill: %.1f ms (batch reads alone %.1f ms, plain loop %.1f ms)\n", ours * 1e3, reads * 1e3,
             reference * 1e3);
      printf(
          "caches: peak %.1f MB for 3 blocks x 100 channels (%.2f x the 4-byte value and 2-byte status "
          "of each sample)\n",
          double(peakBytes) / 1e6, double(peakBytes) / sampleBytes);
      printf("refill without the batch reads: %.2f x the plain loop\n", (ours - reads) / reference);
      printf("refill ratio: %.2f (target at most 3)\n", ours / reference);
      channels.clear();
      CVTBatchCache::Instance().Clear();
      CVTBatchCache::Instance().SetStorage(nullptr);
      result = 0;
    }
    storage.Close();
  }
  if (own) DeleteFolderTree(folder);
  return result;
}

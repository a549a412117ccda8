// Benchmark of batch reads: a storage with one batch of 100 files x 100,000 event records (a
// 16-bit and a 32-bit channel, 100 ms apart, no gaps), made with the recorder-file generator and
// indexed directly. One channel of the whole batch is read with CVTBatch::ReadRecords into a
// fresh buffer (gap filling on, as the graph window reads), against a plain loop that decodes the
// same times and values from the files' bytes already in memory into a fresh array. Readers are
// opened by a first read that is not counted; each side then runs three times and the best
// times are compared. It also times the files' readers asked directly for the same records (what
// the batch and file layers add on top of them), the stored-data lock uncontended, alone and
// re-entered, and the smallest batch read, to show what the lock adds. The ratio is printed last.
//
// Usage: batches_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

constexpr int kFiles = 100;
constexpr int kRecords = 100000;
constexpr int kIntervalMs = 100;
constexpr int64_t kStartMs = 1700000000000;
constexpr int kRuns = 3;

TickTime MsTime(int64_t ms) { return TickTime::FromTime(int32_t(ms / 1000), int32_t(ms % 1000)); }

// One file's bytes and where its records lie.
struct FileBytes {
  std::vector<uint8_t> bytes;
  size_t firstRecord = 0;
  size_t recordSize = 0;
  size_t valueOffset = 0;
};

// What both sides produce per record.
struct PlainRecord {
  int64_t ticks;
  int16_t value;
};

bool Run(CVTDataStorage& storage, const char* sql) { return storage.GetConnection()->Execute(sql) == RDB_OK; }

// Writes the files into FILES and indexes them as one batch; keeps their bytes.
bool MakeBatch(CVTDataStorage& storage, std::vector<FileBytes>& files, std::string& guidText) {
  vt::Guid guid;
  guid.data1 = 0x42;
  guidText = guid.ToText();
  if (!Run(storage, "BEGIN;")) return false;
  auto insert = storage.GetConnection()->CreateStatement();
  if (insert->Prepare("INSERT INTO file VALUES('BENCH',1,NULL,?,?,'',0,1,2,?,?,?,?,?,?,?,0);") != RDB_OK)
    return false;
  for (int f = 0; f < kFiles; ++f) {
    recgen::NewerFile m;
    m.serial = "BENCH";
    m.dataKind = 1;
    m.intervalValue = kIntervalMs;
    m.guidData1 = guid.data1;
    m.guidData2 = guid.data2;
    m.guidData3 = guid.data3;
    m.guidData4 = guid.data4;
    recgen::NewerChannel narrow, wide;
    narrow.number = 1;
    narrow.flags = 0x2;
    wide.number = 2;
    wide.flags = 0x4;
    m.channels = {narrow, wide};
    const int64_t firstNo = 1 + int64_t(f) * kRecords;
    const int64_t firstMs = kStartMs + (firstNo - 1) * kIntervalMs;
    const int64_t lastMs = firstMs + int64_t(kRecords - 1) * kIntervalMs;
    m.startDataNo = m.memStartDataNo = m.triggerDataNo = firstNo;
    m.lastTime = recgen::NewerTime::At(int32_t(lastMs / 1000), int(lastMs % 1000));
    recgen::FillNewerRecords(m, kRecords);
    recgen::WrittenNewerFile written = recgen::WriteNewerFile(m);

    const std::string name = "F" + std::to_string(f) + ".DAE";
    const std::string relative = "FILES/BENCH/" + name;
    std::string data(written.bytes.begin(), written.bytes.end());
    if (!vt::WriteFileAtomic(vt::JoinPath(storage.GetFolder(), relative), data)) return false;
    FileBytes kept;
    kept.bytes = std::move(written.bytes);
    kept.firstRecord = written.firstRecordAt;
    kept.recordSize = size_t(m.RecordSize());
    kept.valueOffset = size_t(m.ValueOffset(0));
    files.push_back(std::move(kept));

    insert->Reset();
    insert->BindText(0, name);
    insert->BindText(1, relative);
    insert->BindInt64(2, MsTime(firstMs).ticks);
    insert->BindInt64(3, MsTime(lastMs).ticks);
    insert->BindInt64(4, MsTime(firstMs).ticks);
    insert->BindInt64(5, firstNo);
    insert->BindInt64(6, firstNo + kRecords - 1);
    insert->BindInt64(7, firstNo);
    insert->BindInt64(8, firstNo);
    if (insert->Execute() != RDB_OK) return false;
  }
  insert.reset();
  const std::string batch =
      "INSERT INTO continuous_data_info VALUES(1,'" + guidText + "','BENCH'," +
      std::to_string(MsTime(kStartMs).ticks) + "," +
      std::to_string(MsTime(kStartMs + (int64_t(kFiles) * kRecords - 1) * kIntervalMs).ticks) +
      ",'','',0,0,0,'','',0,1,'" + guidText + "');";
  return Run(storage, batch.c_str()) && Run(storage, "COMMIT;");
}

int16_t Load16(const uint8_t* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }
uint16_t LoadU16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
int32_t Load32(const uint8_t* p) {
  return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// The plain loop: every record's time and channel-1 value straight from the bytes.
// premade: the output array is made (and its pages touched) before the clock runs.
double ReadPlain(const std::vector<FileBytes>& files, int64_t* sum, bool premade) {
  std::unique_ptr<PlainRecord[]> out;
  if (premade) out.reset(new PlainRecord[size_t(kFiles) * kRecords]());
  auto start = std::chrono::steady_clock::now();
  if (!premade) out.reset(new PlainRecord[size_t(kFiles) * kRecords]);
  size_t n = 0;
  for (const FileBytes& f : files) {
    const uint8_t* record = f.bytes.data() + f.firstRecord;
    for (int r = 0; r < kRecords; ++r, record += f.recordSize) {
      const int64_t seconds = Load32(record);
      const int64_t ms = LoadU16(record + 4) == 1 ? int64_t(LoadU16(record + 6)) * 1000 : LoadU16(record + 6);
      out[n].ticks = (seconds + 11644473600) * 10000000 + ms * 10000;
      out[n].value = Load16(record + f.valueOffset);
      ++n;
    }
  }
  const double seconds = vt::bench::SecondsSince(start);
  *sum = 0;
  for (size_t i = 0; i < n; ++i) *sum += out[i].value + out[i].ticks % 1000003;
  return seconds;
}

// premade: the record buffer is allocated before the clock runs; else the read makes it, as the
// graph window's reads do.
double ReadBatch(CVTBatch* batch, int64_t* sum, int* count, bool premade) {
  CVTData data;
  if (premade) data.Allocate(DATA_KIND_EVENT, VALUE_TYPE_SHORT, kFiles * kRecords);
  auto start = std::chrono::steady_clock::now();
  const int r =
      batch->ReadRecords(1, MsTime(kStartMs),
                         MsTime(kStartMs + (int64_t(kFiles) * kRecords - 1) * kIntervalMs), &data, -1, true);
  const double seconds = vt::bench::SecondsSince(start);
  *count = r == STORE_OK ? data.GetCount() : -1;
  *sum = 0;
  for (int i = 0; i < data.GetCount(); ++i) {
    int16_t value = 0;
    TickTime time;
    int state = 0;
    uint8_t flags = 0;
    data.GetEventShort(i, &value, &time, &state, &flags);
    *sum += value + time.ticks % 1000003;
  }
  return seconds;
}

// The readers alone: each file's reader asked for all its records of the channel, into one
// buffer made beforehand. The difference to ReadRecords is what the batch and file layers add.
double ReadReaders(CVTBatch* batch, int* count) {
  CVTData data;
  data.Allocate(DATA_KIND_EVENT, VALUE_TYPE_SHORT, kFiles * kRecords);
  vt::DataLockGuard guard;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < batch->GetFileCount(); ++i) {
    CVTDataFileAccess* reader = batch->GetFile(i)->GetFileAccess();
    if (reader == nullptr || reader->ReadRecords(reader->FindChannel(1), 0, kRecords, &data, false) != 0)
      break;
  }
  const double seconds = vt::bench::SecondsSince(start);
  *count = data.GetCount();
  return seconds;
}

// Nanoseconds per uncontended lock and release, taken fresh or re-entered.
double LockNs(bool reentered) {
  constexpr int kTimes = 10000000;
  vt::CriticalSection& lock = CVTFileInterface::DataLock();
  if (reentered) lock.Enter();
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kTimes; ++i) {
    vt::DataLockGuard guard;
    asm volatile("" ::: "memory");
  }
  const double ns = vt::bench::SecondsSince(start) * 1e9 / kTimes;
  if (reentered) lock.Leave();
  return ns;
}

}  // namespace

int main(int argc, char** argv) {
  std::string parent = argc > 1 ? argv[1] : (getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp");
  std::string root;
  if (!vt::CreateUniqueFolder(parent, "vt-batches-bench-", root)) {
    fprintf(stderr, "cannot make a folder below %s\n", parent.c_str());
    return 1;
  }
  int status = 1;
  {
    CVTDataStorage storage;
    const std::string folder = vt::JoinPath(root, "0B1C2D3E-4F50-4A6B-8C7D-9E0F1A2B3C4D");
    std::vector<FileBytes> files;
    std::string guidText;
    auto made = std::chrono::steady_clock::now();
    if (storage.Create(folder, "Bench") != STORE_OK || storage.OpenAt(folder) != STORE_OK ||
        !CreateFolderTree(vt::JoinPath(folder, "FILES/BENCH")) || !MakeBatch(storage, files, guidText)) {
      fprintf(stderr, "cannot make the storage in %s\n", folder.c_str());
    } else {
      printf("made %d files x %d records in %.2f s\n", kFiles, kRecords, vt::bench::SecondsSince(made));
      CVTBatchCache& cache = CVTBatchCache::Instance();
      cache.SetStorage(&storage);
      vt::Guid guid;
      vt::Guid::Parse(guidText, guid);
      auto loadStart = std::chrono::steady_clock::now();
      CVTBatch* batch = cache.Acquire(guid);
      const double load = vt::bench::SecondsSince(loadStart);
      int64_t batchSum = 0, plainSum = 0;
      int count = 0;
      if (batch == nullptr) {
        fprintf(stderr, "cannot load the batch\n");
      } else {
        printf("batch load: %.3f s\n", load);
        printf("first read, opening the readers: %.3f s\n", ReadBatch(batch, &batchSum, &count, false));
        const int expected = kFiles * kRecords;
        bool same = true;
        double best = 1e9, bestPlain = 1e9, bestFresh = 1e9, bestPlainFresh = 1e9, bestReaders = 1e9;
        for (int run = 0; run < kRuns; ++run) {
          int readerCount = 0;
          bestReaders = std::min(bestReaders, ReadReaders(batch, &readerCount));
          same = same && readerCount == expected;
          bestFresh = std::min(bestFresh, ReadBatch(batch, &batchSum, &count, false));
          bestPlainFresh = std::min(bestPlainFresh, ReadPlain(files, &plainSum, false));
          same = same && count == expected && batchSum == plainSum;
          best = std::min(best, ReadBatch(batch, &batchSum, &count, true));
          bestPlain = std::min(bestPlain, ReadPlain(files, &plainSum, true));
          same = same && count == expected && batchSum == plainSum;
        }
        if (!same) {
          fprintf(stderr, "the two reads differ: %d records (expected %d), sums %lld and %lld\n", count,
                  expected, (long long)batchSum, (long long)plainSum);
        } else {
          // The smallest read a trend makes: a few records of one file, still walking all files.
          constexpr int kSmall = 2000;
          auto smallStart = std::chrono::steady_clock::now();
          for (int i = 0; i < kSmall; ++i) {
            CVTData data;
            const int64_t at = kStartMs + int64_t(i % kFiles) * kRecords * kIntervalMs + 5000;
            batch->ReadRecords(1, MsTime(at), MsTime(at + 9 * kIntervalMs), &data, -1, true);
          }
          const double smallUs = vt::bench::SecondsSince(smallStart) * 1e6 / kSmall;
          const double lockNs = LockNs(false), nestedNs = LockNs(true);
          printf("outputs made by the read: ReadRecords %.3f s, plain loop %.3f s, ratio %.2f\n", bestFresh,
                 bestPlainFresh, bestFresh / bestPlainFresh);
          printf("ReadRecords, one channel of %d records: %.3f s (%.2f ns per record)\n", expected, best,
                 best * 1e9 / expected);
          printf("the files' readers alone, same records:   %.3f s (%.2f ns per record)\n", bestReaders,
                 bestReaders * 1e9 / expected);
          printf("plain loop over the bytes in memory:      %.3f s (%.2f ns per record)\n", bestPlain,
                 bestPlain * 1e9 / expected);
          printf(
              "data lock, uncontended: %.1f ns taken, %.1f ns re-entered; a 10-record read of the batch: %.1f us\n",
              lockNs, nestedNs, smallUs);
          printf("lock share of the whole read (at most %d acquisitions per file): %.4f %%\n", 16,
                 100.0 * 16 * kFiles * lockNs * 1e-9 / best);
          vt::bench::Report("batches").Info("ReadRecords / plain loop, outputs made beforehand",
                                            best / bestPlain);
          status = 0;
        }
        cache.Release(batch);
      }
    }
    CVTBatchCache::Instance().SetStorage(nullptr);
  }
  if (argc <= 1) vt::RemoveTree(root);
  return status;
}

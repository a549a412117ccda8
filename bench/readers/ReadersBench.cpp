// Benchmark of the recorder-file readers. Generates, into a temporary folder:
//  - a newer file of 100 channels x 1,000,000 records (event data, 16-bit values),
//  - an older file of 20,000,000 records (fixed layout, event data, three channels),
//  - a newer file of 348 channels with 200,000 alarms for all channels.
// For each of the first two: opens it through the reader factory and reads every channel range
// by range through the column path (ReadColumns, every channel of a range at once), against the
// least work the format allows, in the same run: a plain loop that reads the file in 1 MiB
// pieces, computes the checksum of every byte and decodes every sample of every record into an
// array (target at most 1.5). The ratio to a plain read-and-sum pass is printed as information.
// Best of three each. For the third: the peak memory of opening it, measured in a fresh process
// (target under 64 MiB). The newer-file ratio is printed last.
//
// Usage: readers_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
//        readers_bench --open-peak FILE   (internal: prints the peak memory of one open, KiB)
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ReadOnlyFile.h"
#include "recorder/CVTColumns.h"
#include "recorder/CVTData.h"
#include "recorder/FileAccessFactory.h"
#include "recorder/RecorderCrc.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

constexpr int kRuns = 3;
constexpr int kRange = 65536;  // records per range

double Seconds(std::chrono::steady_clock::time_point since) { return vt::bench::SecondsSince(since); }
long MaxRssKiB() { return vt::bench::PeakRssKiB(); }

// What the reference loop needs of a file's layout: where its records lie and the value fields
// of each record. Field positions only decide which bytes are decoded, not how many.
struct Layout {
  uint64_t recordsAt = 0;
  uint64_t records = 0;
  std::size_t recordSize = 0;
  int fields = 0;     // value fields per record
  int fieldSize = 2;  // bytes per field
  bool bigEndian = false;
};

// Opens the file and reads every channel, range by range; returns the time, or < 0 on failure.
// *openSeconds receives the part the open took (it checks the checksum of every record).
double ReadAllChannels(const std::string& path, uint64_t* checksum, double* openSeconds) {
  const auto start = std::chrono::steady_clock::now();
  CVTDataFileAccess* opened = nullptr;
  if (CreateFileAccess(path, &opened) != 0) return -1;
  std::unique_ptr<CVTDataFileAccess> reader(opened);
  *openSeconds = Seconds(start);
  int64_t first = 0, last = -1;
  reader->GetStartDataNo(&first);
  reader->GetEndDataNo(&last);
  const int records = int(last - first + 1);
  const int channels = reader->GetChannelCount();
  uint64_t sum = 0;
  std::vector<int> all;
  for (int c = 0; c < channels; ++c) all.push_back(c);
  vt::CVTColumns columns;
  for (int at = 0; at < records; at += kRange) {
    const int n = std::min(kRange, records - at);
    if (reader->ReadColumns(all, at, n, &columns) != 0) return -1;
    for (int c = 0; c < channels; ++c)
      if (columns.GetColumn(c).hasSamples) sum += uint64_t(n);
  }
  *checksum = sum;
  return Seconds(start);
}

// One plain pass: the file read in 1 MiB pieces and every byte summed.
double PlainPass(const std::string& path, uint64_t* checksum) {
  const auto start = std::chrono::steady_clock::now();
  vt::ReadOnlyFile f;
  if (!f.Open(path)) return -1;
  std::vector<uint8_t> piece(1 << 20);
  uint64_t sum = 0;
  for (uint64_t at = 0; at < f.Size();) {
    const std::size_t n = std::size_t(std::min<uint64_t>(piece.size(), f.Size() - at));
    if (!f.ReadAt(at, piece.data(), n)) return -1;
    for (std::size_t i = 0; i < n; ++i) sum += piece[i];
    at += n;
  }
  *checksum = sum;
  return Seconds(start);
}

// The least work the format allows: every byte through the checksum, every value field of every
// record decoded into a column array.
double CheckAndDecode(const std::string& path, const Layout& layout, uint64_t* checksum) {
  const auto start = std::chrono::steady_clock::now();
  vt::ReadOnlyFile f;
  if (!f.Open(path)) return -1;
  const std::size_t rs = layout.recordSize;
  std::vector<uint8_t> piece((std::size_t(1) << 20) / rs * rs);
  std::vector<std::vector<int32_t>> columns(std::size_t(layout.fields), std::vector<int32_t>(kRange));
  uint16_t crc = 0xFFFF;
  uint64_t sum = 0;
  // The part before the records, then the records in whole-record pieces.
  for (uint64_t at = 0; at < layout.recordsAt;) {
    const std::size_t n = std::size_t(std::min<uint64_t>(piece.size(), layout.recordsAt - at));
    if (!f.ReadAt(at, piece.data(), n)) return -1;
    crc = RecorderCrc16(piece.data(), n, crc);
    at += n;
  }
  uint64_t record = 0;
  for (uint64_t at = layout.recordsAt; at < f.Size();) {
    const std::size_t n = std::size_t(std::min<uint64_t>(piece.size(), f.Size() - at));
    if (!f.ReadAt(at, piece.data(), n)) return -1;
    crc = RecorderCrc16(piece.data(), n, crc);
    const std::size_t whole = std::min<uint64_t>(n / rs, layout.records - record);
    for (std::size_t r = 0; r < whole; ++r, ++record) {
      const uint8_t* p = piece.data() + r * rs + 8;
      const std::size_t slot = std::size_t(record % kRange);
      for (int k = 0; k < layout.fields; ++k, p += layout.fieldSize)
        columns[std::size_t(k)][slot] = layout.fieldSize == 2 ? int16_t(vt::Load16(p, layout.bigEndian))
                                                              : int32_t(vt::Load32(p, layout.bigEndian));
    }
    at += n;
  }
  for (const auto& c : columns) sum += uint64_t(c[0]) + uint64_t(c[std::size_t(kRange - 1)]);
  *checksum = sum + crc;
  return Seconds(start);
}

struct Ratios {
  double toDecode = -1;  // against the checksum-and-decode loop
  double toPlain = -1;   // against the read-and-sum pass
};

// Best of kRuns for every side; prints one line and returns the ratios.
Ratios Compare(const char* what, const std::string& path, const Layout& layout) {
  double best = 1e30, bestPlain = 1e30, bestOpen = 1e30, bestDecode = 1e30;
  uint64_t records = 0, bytesSum = 0, decodeSum = 0;
  for (int run = 0; run < kRuns; ++run) {
    const double p = PlainPass(path, &bytesSum);
    const double d = CheckAndDecode(path, layout, &decodeSum);
    double open = 0;
    const double t = ReadAllChannels(path, &records, &open);
    if (t < 0 || p < 0 || d < 0) {
      fprintf(stderr, "%s: reading failed\n", what);
      return {};
    }
    if (t < best) bestOpen = open;
    best = std::min(best, t);
    bestPlain = std::min(bestPlain, p);
    bestDecode = std::min(bestDecode, d);
  }
  uint64_t size = 0;
  vt::GetFileSize(path, size);
  printf(
      "%s: %llu bytes, %llu channel records; open and all channels %.3f s (open %.3f s), checksum and "
      "decode loop %.3f s, plain pass %.3f s (sums %llu, %llu)\n",
      what, (unsigned long long)size, (unsigned long long)records, best, bestOpen, bestDecode, bestPlain,
      (unsigned long long)decodeSum, (unsigned long long)bytesSum);
  return {best / bestDecode, best / bestPlain};
}

int OpenPeak(const char* path) {
  const long before = MaxRssKiB();
  CVTDataFileAccess* opened = nullptr;
  const int result = CreateFileAccess(path, &opened);
  delete opened;
  printf("%d %ld\n", result, MaxRssKiB() - before);
  return result == 0 ? 0 : 1;
}

// Runs this program with --open-peak in a fresh process; the peak in KiB, or < 0.
long OpenPeakInChild(const std::string& path) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipeFds[1], 1);
    close(pipeFds[0]);
    execl("/proc/self/exe", "readers_bench", "--open-peak", path.c_str(), (char*)nullptr);
    _exit(127);
  }
  close(pipeFds[1]);
  char text[64] = {};
  const ssize_t n = read(pipeFds[0], text, sizeof text - 1);
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  int result = -1;
  long peak = -1;
  if (n <= 0 || sscanf(text, "%d %ld", &result, &peak) != 2 || result != 0) return -1;
  return peak;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--open-peak") return OpenPeak(argv[2]);
  std::string folder;
  if (argc > 1) {
    folder = argv[1];
  } else {
    const char* tmp = getenv("TMPDIR");
    if (!vt::CreateUniqueFolder(tmp && *tmp ? tmp : "/tmp", "readers_bench", folder)) {
      fprintf(stderr, "cannot create a folder for the benchmark\n");
      return 1;
    }
  }
  setenv("TZ", "UTC", 1);
  const std::string alarms = folder + "/alarms.DAE", newer = folder + "/newer.DAE",
                    older = folder + "/older.DEV";
  int status = 0;

  // Alarms first: nothing large has been made yet.
  {
    const recgen::NewerFile m = recgen::ResizedNewerFile(1, 348, 100, 200000);
    if (!recgen::WriteLargeNewerFile(m, 100, alarms)) status = 1;
  }
  uint64_t alarmSize = 0;
  vt::GetFileSize(alarms, alarmSize);
  const long peak = status == 0 ? OpenPeakInChild(alarms) : -1;
  if (peak < 0) status = 1;

  Ratios olderRatio, newerRatio;
  {
    recgen::OlderModel m = recgen::SampleOlderModel(recgen::OlderLayout::Fixed, 0);
    m.records.clear();
    m.patternRecords = 20000000;
    const recgen::OlderFile f = recgen::WriteOlder(m);
    if (!f.WriteTo(older)) status = 1;
    // Three channels (one of them 32-bit), big-endian fields.
    const Layout layout{f.dataAreaAt, m.patternRecords, f.recordSize, 3, 2, true};
    if (status == 0) olderRatio = Compare("older file, 20,000,000 records", older, layout);
  }
  vt::DeleteFile(older);
  {
    const recgen::NewerFile m = recgen::ResizedNewerFile(1, 100, 1000000, 0);
    if (!recgen::WriteLargeNewerFile(m, 1000000, newer)) status = 1;
    uint64_t size = 0;
    vt::GetFileSize(newer, size);
    const std::size_t rs = std::size_t(m.RecordSize());
    // The records end the file, before the data block's checksum word.
    const uint64_t recordsAt = size > 1000000ull * rs + 2 ? size - 1000000ull * rs - 2 : 0;
    const Layout layout{recordsAt, 1000000, rs, 100, 2, m.bigEndian};
    if (status == 0) newerRatio = Compare("newer file, 100 channels x 1,000,000 records", newer, layout);
  }

  vt::DeleteFile(newer);
  vt::DeleteFile(alarms);
  if (argc <= 1) vt::RemoveTree(folder);
  vt::bench::Report report("readers");
  if (status != 0 || olderRatio.toDecode < 0 || newerRatio.toDecode < 0) {
    report.Failed("a file could not be made or read");
    return report.ExitCode();
  }
  report.AtMost("open with 200,000 all-channel alarms, peak", double(peak) / 1024.0, 64, "MiB");
  report.Info("older, all channels / plain read-and-sum pass", olderRatio.toPlain);
  report.Info("newer, all channels / plain read-and-sum pass", newerRatio.toPlain);
  report.AtMost("older, all channels through the columns / checksum-and-decode loop", olderRatio.toDecode,
                1.5);
  report.AtMost("newer, all channels through the columns / checksum-and-decode loop", newerRatio.toDecode,
                1.5);
  return report.ExitCode();
}

// Benchmark of the recorder-file readers. Generates, into a temporary folder:
//  - a newer file of 100 channels x 1,000,000 records (event data, 16-bit values),
//  - an older file of 20,000,000 records (fixed layout, event data, three channels),
//  - a newer file of 348 channels with 200,000 alarms for all channels.
// For each of the first two: opens it through the reader factory and reads every channel range
// by range (every channel of a range before the next), against one plain pass over the same
// bytes (read in 1 MiB pieces and summed) in the same run; best of three each, ratio printed
// (target at most 3). For the third: the peak memory of opening it, measured in a fresh process
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

#include "platform/base/FileSystem.h"
#include "platform/base/ReadOnlyFile.h"
#include "recorder/CVTData.h"
#include "recorder/FileAccessFactory.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

constexpr int kRuns = 3;
constexpr int kRange = 65536;  // records per range

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

long MaxRssKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

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
  CVTData data;
  for (int at = 0; at < records; at += kRange) {
    const int n = std::min(kRange, records - at);
    for (int c = 0; c < channels; ++c) {
      data.Free();
      if (reader->ReadRecords(c, at, n, &data, true) != 0) return -1;
      sum += uint64_t(data.GetCount());
    }
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

// Best of kRuns for both sides; prints one line and returns the ratio (< 0 on failure).
double Compare(const char* what, const std::string& path) {
  double best = 1e30, bestPlain = 1e30, bestOpen = 1e30;
  uint64_t records = 0, bytesSum = 0;
  for (int run = 0; run < kRuns; ++run) {
    const double p = PlainPass(path, &bytesSum);
    double open = 0;
    const double t = ReadAllChannels(path, &records, &open);
    if (t < 0 || p < 0) {
      fprintf(stderr, "%s: reading failed\n", what);
      return -1;
    }
    if (t < best) bestOpen = open;
    best = std::min(best, t);
    bestPlain = std::min(bestPlain, p);
  }
  uint64_t size = 0;
  vt::GetFileSize(path, size);
  printf(
      "%s: %llu bytes, %llu channel records; open and all channels %.3f s (open %.3f s), plain pass "
      "%.3f s (sum %llu); without the open %.2f x\n",
      what, (unsigned long long)size, (unsigned long long)records, best, bestOpen, bestPlain,
      (unsigned long long)bytesSum, (best - bestOpen) / bestPlain);
  return best / bestPlain;
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

  double olderRatio = -1, newerRatio = -1;
  {
    recgen::OlderModel m = recgen::SampleOlderModel(recgen::OlderLayout::Fixed, 0);
    m.records.clear();
    m.patternRecords = 20000000;
    if (!recgen::WriteOlder(m).WriteTo(older)) status = 1;
  }
  if (status == 0) olderRatio = Compare("older file, 20,000,000 records", older);
  vt::DeleteFile(older);
  {
    const recgen::NewerFile m = recgen::ResizedNewerFile(1, 100, 1000000, 0);
    if (!recgen::WriteLargeNewerFile(m, 1000000, newer)) status = 1;
  }
  if (status == 0) newerRatio = Compare("newer file, 100 channels x 1,000,000 records", newer);

  vt::DeleteFile(newer);
  vt::DeleteFile(alarms);
  if (argc <= 1) vt::RemoveTree(folder);
  if (status != 0 || olderRatio < 0 || newerRatio < 0) {
    fprintf(stderr, "benchmark failed\n");
    return 1;
  }
  printf("open with 200,000 all-channel alarms (348 channels, %llu bytes): peak %.1f MiB (target under 64)\n",
         (unsigned long long)alarmSize, double(peak) / 1024.0);
  printf("older ratio (all channels / plain pass): %.2f (target at most 3)\n", olderRatio);
  printf("newer ratio (all channels / plain pass): %.2f (target at most 3)\n", newerRatio);
  return 0;
}

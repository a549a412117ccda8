// Benchmark of the import: 2000 generated recorder files of about 20 KB and 200 of about 1 MB,
// each set imported one file at a time into a fresh storage, against copying the same files
// with `cp` and reading them once with `cat > /dev/null` in the same run. Neither side flushes
// to disk, and the sources are read once before timing so both sides find them cached. Each side
// runs three times on fresh destinations; the best times are compared. Prints the small-file
// ratio, then the large-file ratio as the last line.
//
// The small files are also imported through the import worker (one automatic run over their
// folder, with its import list, operation log and the flush at the end of the run), against `cp`
// plus one read plus one flush (`sync -f`) of the copy's file system.
//
// Usage: import_bench [folder]   (default: a new folder below $TMPDIR or /tmp)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CVTImportManager.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/SizedFiles.h"

namespace {

constexpr int kRuns = 3;
constexpr int kFilesPerRecording = 10;

// count files of about bytes each into folder: runs of kFilesPerRecording files of one
// recording each, as a recorder writes them.
bool Generate(const std::string& folder, int count, std::size_t bytes) {
  if (!vt::CreateFolders(folder)) return false;
  recgen::SizedOptions o;
  o.channels = 20;
  o.records = 1;
  const std::size_t overhead = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes.size();
  o.records = 2;
  const std::size_t record = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes.size() - overhead;
  o.records = int((bytes - overhead) / record) + 1;
  for (int k = 0; k < count; ++k) {
    if (k % kFilesPerRecording == 0) {
      o.guid.data1 = uint32_t(k / kFilesPerRecording + 1);
      o.startDataNo = 1;
      o.memStartDataNo = 1;
    }
    char name[32];
    snprintf(name, sizeof name, "R%06d.DAE", k);
    const std::vector<uint8_t> file = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes;
    std::ofstream out(vt::JoinPath(folder, name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out) return false;
    o.startDataNo += o.records;
    o.startSeconds += o.records;
  }
  return true;
}

std::vector<std::string> FilesOf(const std::string& folder) {
  std::vector<vt::FolderEntry> entries;
  vt::ListFolder(folder, entries);
  std::vector<std::string> files;
  for (const auto& e : entries) files.push_back(vt::JoinPath(folder, e.name));
  return files;
}

// Imports every file into a new storage at storageFolder; returns the time or -1.
double ImportAll(const std::vector<std::string>& files, const std::string& storageFolder) {
  CVTDataStorage storage;
  if (storage.Create(storageFolder, "Bench") != STORE_OK || storage.Open() != STORE_OK) return -1;
  auto start = std::chrono::steady_clock::now();
  for (const std::string& file : files) {
    std::string copy;
    if (int rc = storage.ImportFile(file, &copy); rc != STORE_OK) {
      fprintf(stderr, "import_bench: %s: result %d\n", file.c_str(), rc);
      return -1;
    }
  }
  double t = vt::bench::SecondsSince(start);
  storage.Close();
  return t;
}

// cp of the folder to a new destination plus one read of every file; returns the time or -1.
double CopyAndRead(const std::string& source, const std::string& destination) {
  const std::string cp = "cp -r '" + source + "' '" + destination + "'";
  const std::string cat = "cat '" + source + "'/* > /dev/null";
  auto start = std::chrono::steady_clock::now();
  if (system(cp.c_str()) != 0 || system(cat.c_str()) != 0) return -1;
  return vt::bench::SecondsSince(start);
}

// One automatic run of the import worker over source into a new storage; the time or -1.
double WorkerRun(const std::string& source, const std::string& storageFolder, const std::string& base,
                 int expected) {
  {
    CVTDataStorage created;
    if (created.Create(storageFolder, "WorkerBench") != STORE_OK) return -1;
  }
  CVTDataStorage storage;
  if (storage.SetPaths(storageFolder) != STORE_OK) return -1;
  vt::SAutoImportFolder table[AUTO_IMPORT_FOLDER_COUNT];
  table[0] = {true, false, source, vt::AUTO_IMPORT_CONVERT_NONE};
  CVTImportManager worker;
  worker.SetStorage(&storage);
  worker.SetBasePath(base);
  worker.SetFolderTable(table);
  worker.SetMode(IMPORT_MODE_AUTOMATIC);
  auto start = std::chrono::steady_clock::now();
  if (!worker.Start()) return -1;
  while (!worker.IsIdle()) std::this_thread::sleep_for(std::chrono::microseconds(200));
  double t = vt::bench::SecondsSince(start);
  if (worker.GetAddedCount() != expected) {
    fprintf(stderr, "import_bench: the worker added %d of %d files\n", worker.GetAddedCount(), expected);
    return -1;
  }
  return t;
}

// cp plus one read plus one flush of the copy's file system; the time or -1.
double CopyReadAndSync(const std::string& source, const std::string& destination) {
  const std::string sync = "sync -f '" + destination + "'";
  auto start = std::chrono::steady_clock::now();
  if (CopyAndRead(source, destination) < 0 || system(sync.c_str()) != 0) return -1;
  return vt::bench::SecondsSince(start);
}

// The ratio of the best worker time to the best reference time for the files of source, or -1.
double MeasureWorker(const std::string& work, const std::string& source, int count) {
  double bestWorker = 1e30, bestCopy = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    const std::string storage = vt::JoinPath(work, "worker-storage-" + std::to_string(run));
    const std::string copy = vt::JoinPath(work, "worker-copy-" + std::to_string(run));
    double c = CopyReadAndSync(source, copy);
    double w = WorkerRun(source, storage, vt::JoinPath(work, "worker-root"), count);
    vt::RemoveTree(storage);
    vt::RemoveTree(copy);
    if (w < 0 || c < 0) return -1;
    bestWorker = std::min(bestWorker, w);
    bestCopy = std::min(bestCopy, c);
  }
  printf("worker: %d files, automatic run %.3f s, cp + cat + sync %.3f s\n", count, bestWorker, bestCopy);
  return bestWorker / bestCopy;
}

// The ratio of the best import time to the best reference time, or -1.
double Measure(const char* label, const std::string& work, const std::string& source, int count,
               std::size_t bytes) {
  if (!Generate(source, count, bytes)) {
    fprintf(stderr, "import_bench: cannot write the %s files\n", label);
    return -1;
  }
  const std::vector<std::string> files = FilesOf(source);
  const std::string warm = "cat '" + source + "'/* > /dev/null";
  if (system(warm.c_str()) != 0) return -1;
  double bestImport = 1e30, bestCopy = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    const std::string storage = vt::JoinPath(work, std::string(label) + "-storage-" + std::to_string(run));
    const std::string copy = vt::JoinPath(work, std::string(label) + "-copy-" + std::to_string(run));
    double c = CopyAndRead(source, copy);
    double i = ImportAll(files, storage);
    vt::RemoveTree(storage);
    vt::RemoveTree(copy);
    if (i < 0 || c < 0) return -1;
    bestImport = std::min(bestImport, i);
    bestCopy = std::min(bestCopy, c);
  }
  printf("%s: %d files, import %.3f s, cp + cat %.3f s\n", label, count, bestImport, bestCopy);
  return bestImport / bestCopy;
}

}  // namespace

int main(int argc, char** argv) {
  std::string work;
  if (argc > 1) {
    work = argv[1];
    vt::CreateFolders(work);
  } else {
    const char* tmp = getenv("TMPDIR");
    if (!vt::CreateUniqueFolder(tmp && *tmp ? tmp : "/tmp", "import-bench-", work)) {
      fprintf(stderr, "import_bench: cannot make a work folder\n");
      return 1;
    }
  }
  const double small = Measure("small", work, vt::JoinPath(work, "small-src"), 2000, 20 * 1024);
  const double worker = small < 0 ? -1 : MeasureWorker(work, vt::JoinPath(work, "small-src"), 2000);
  const double large = Measure("large", work, vt::JoinPath(work, "large-src"), 200, 1024 * 1024);
  if (argc <= 1) vt::RemoveTree(work);
  vt::bench::Report report("import");
  if (small < 0 || worker < 0 || large < 0) {
    report.Failed("an import or a copy failed");
    return report.ExitCode();
  }
  report.AtMost("small files (2000 x 20 KB), import / (cp + cat)", small, 3);
  report.AtMost("small files through the worker, run / (cp + cat + sync)", worker, 4);
  report.AtMost("large files (200 x 1 MB), import / (cp + cat)", large, 1.5);
  return report.ExitCode();
}

// Benchmark of the catalogue list queries: a storage whose tag list and file list hold 100,000
// rows each (10,000 batches of 10 files and 10 channels, 100 instruments) is listed through
// OpenListQuery and the row fetches, every column of every row read into the row record; the
// reference is the same SELECT run by the system's sqlite3 shell (output discarded) on a copy of
// the index whose header is swapped back to the engine's standard one. Each side runs five times;
// the best times are compared and the larger of the two ratios is printed last.
//
// Usage: catalogue_bench [folder]   (default: a new folder below $TMPDIR or /tmp)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "bench/kit/BenchKit.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CatalogueQueries.h"
#include "store/DataFileVfs.h"
#include "store/VTDataStorage.h"

namespace {

constexpr int kRuns = 5;
constexpr const char* kShell = "/usr/bin/sqlite3";

// The rows, written as the import would have: every batch's latest file carries its channels.
constexpr const char* kFill =
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100) "
    "INSERT INTO instrument SELECT printf('SN%04d', x), 'QR', 'host', printf('Instrument %d', x) FROM n;"
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10000) "
    "INSERT INTO continuous_data_info SELECT x, printf('%08X-0000-4000-8000-000000000000', x), "
    "printf('SN%04d', x % 100 + 1), x * 100000, x * 100000 + 99000, 'start user', 'stop user', x % 2, 0, 0, "
    "printf('BATCH%d', x), '001', x, x * 10, printf('%08X-0000-4000-8000-000000000000', x) FROM n;"
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) "
    "INSERT INTO file SELECT printf('SN%04d', (x - 1) / 10 % 100 + 1), (x - 1) / 10 + 1, x, "
    "printf('F%06d.DAE', x), printf('FILES/SN%04d/2024/1/F%06d.DAE', (x - 1) / 10 % 100 + 1, x), 'header', 0, 2, 2, "
    "x * 10000, x * 10000 + 9000, 0, x * 100, x * 100 + 99, 1, 0, 0 FROM n;"
    "WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < 99999) "
    "INSERT INTO tag SELECT (x / 10 + 1) * 10, x % 10 + 1, printf('CH%02d', x % 10 + 1), 1000, "
    "printf('T-%d', x), printf('Tag %d', x), 'degC' FROM n;";

// Lists one kind through the catalogue; the row count, or -1 on failure.
long ListThroughCatalogue(CVTDataStorage& storage, int kind) {
  vt::CatalogueSources sources{&storage, nullptr, nullptr};
  CatalogueCursor cursor;
  if (!OpenListQuery(sources, std::nullopt, cursor, kind, std::nullopt, 0, 0, std::nullopt, std::nullopt, 0,
                     0))
    return -1;
  long rows = 0;
  int a = 0, b = 0;
  if (kind == LIST_TAGS)
    while (FetchTagListRow(cursor, a, b)) ++rows;
  else
    while (FetchFileListRow(cursor, a, b)) ++rows;
  return rows;
}

double Best(auto run) {
  double best = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    auto start = std::chrono::steady_clock::now();
    if (!run()) return -1;
    best = std::min(best, vt::bench::SecondsSince(start));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  std::string parent = argc > 1 ? argv[1] : "";
  if (parent.empty()) {
    const char* tmp = getenv("TMPDIR");
    if (!vt::CreateUniqueFolder(tmp && *tmp ? tmp : "/tmp", "catalogue-bench-", parent)) {
      fprintf(stderr, "catalogue_bench: cannot make a work folder\n");
      return 1;
    }
  }
  const std::string folder = vt::JoinPath(parent, "STORAGE");
  CVTDataStorage storage;
  if (storage.Create(folder, "Bench") != STORE_OK || storage.Open() != STORE_OK ||
      storage.GetConnection()->BeginTransaction() != RDB_OK ||
      storage.GetConnection()->Execute(kFill) != RDB_OK || storage.GetConnection()->Commit() != RDB_OK) {
    fprintf(stderr, "catalogue_bench: cannot fill a storage in %s\n", folder.c_str());
    return 1;
  }

  // The reference reads a copy with the engine's standard header.
  std::string bytes;
  const std::string copy = vt::JoinPath(parent, "standard.db");
  if (!vt::ReadWholeFile(storage.GetIndexPath(), bytes) || bytes.size() < 16) return 1;
  bytes.replace(0, 16, vtstore::kEngineFileHeader, 16);
  if (!vt::WriteFileAtomic(copy, bytes) || !vt::FileExists(kShell)) {
    fprintf(stderr, "catalogue_bench: needs %s and a writable work folder\n", kShell);
    return 1;
  }

  double worst = 0;
  const struct {
    int kind;
    const char* name;
    const char* sql;
  } lists[] = {{LIST_TAGS, "tag list", "SELECT * FROM tag_list ;"},
               {LIST_FILES, "file list", "SELECT * FROM file_list ;"}};
  for (const auto& list : lists) {
    long rows = ListThroughCatalogue(storage, list.kind);  // also warms the page cache
    if (rows != 100000) {
      fprintf(stderr, "catalogue_bench: the %s has %ld rows\n", list.name, rows);
      return 1;
    }
    const std::string command = std::string(kShell) + " -batch '" + copy + "' '" + list.sql + "' > /dev/null";
    double ours = Best([&] { return ListThroughCatalogue(storage, list.kind) == rows; });
    double shell = Best([&] { return system(command.c_str()) == 0; });
    if (ours < 0 || shell <= 0) {
      fprintf(stderr, "catalogue_bench: the %s could not be listed\n", list.name);
      return 1;
    }
    printf("%s: %ld rows, catalogue %.1f ms, sqlite3 shell %.1f ms, ratio %.2f\n", list.name, rows,
           ours * 1e3, shell * 1e3, ours / shell);
    worst = std::max(worst, ours / shell);
  }
  storage.Close();
  if (argc <= 1) vt::RemoveTree(parent);
  vt::bench::Report report("catalogue");
  report.AtMost("catalogue / sqlite3 shell, worst list", worst, 2);
  return report.ExitCode();
}

// Benchmark of the workbook writer: one sheet of 65,536 rows x 100 numeric columns (half of
// them decimals that need full NUMBER records, half whole counts that take the compact form),
// written through the exported functions, against writing the same number of bytes with plain
// buffered writes of one cell record each. Each side runs three times; the best times are
// compared and the ratio is printed last.
//
// Usage: sheetwright_bench [folder]   (default: a new folder below $TMPDIR or /tmp)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"
#include "sheetwright/Sheetwright.h"

namespace {

constexpr int kRows = 65536;
constexpr int kColumns = 100;
constexpr int kRuns = 3;

// The cell values, made before any timing: a caller's own computing is not the writer's cost.
std::vector<double> MakeValues() {
  std::vector<double> values(std::size_t(kRows) * kColumns);
  for (int row = 1; row <= kRows; ++row)
    for (int column = 1; column <= kColumns; ++column)
      values[std::size_t(row - 1) * kColumns + std::size_t(column - 1)] =
          column % 2 ? std::sin(row * 0.001 + column) * 1000.0 : double(row * 7 + column);
  return values;
}

// Writes the workbook; returns its time, or a negative value on failure.
double WriteWorkbook(const std::string& path, const std::vector<double>& values) {
  auto start = std::chrono::steady_clock::now();
  ExcelWorkbook* wb = excel_create_file(path.c_str());
  if (!wb || excel_add_sheet(wb, "Data") != 0) return -1;
  for (int row = 1; row <= kRows; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      double value = values[std::size_t(row - 1) * kColumns + std::size_t(column - 1)];
      if (!excel_input_value(wb, 0, row, column, value, column % 2 ? 3 : 0)) return -1;
    }
  }
  excel_close_file(wb);
  double seconds = vt::bench::SecondsSince(start);
  return vt::FileExists(path) ? seconds : -1;
}

// Writes size bytes with buffered writes of 16 bytes (the mean cell record) each.
double WritePlain(const std::string& path, uint64_t size) {
  auto start = std::chrono::steady_clock::now();
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return -1;
  unsigned char record[16];
  for (int i = 0; i < 16; ++i) record[i] = (unsigned char)(i * 37);
  uint64_t written = 0;
  while (written < size) {
    std::size_t n = std::size_t(std::min<uint64_t>(sizeof record, size - written));
    record[0] = (unsigned char)written;
    if (fwrite(record, 1, n, f) != n) {
      fclose(f);
      return -1;
    }
    written += n;
  }
  if (fclose(f) != 0) return -1;
  return vt::bench::SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  if (argc > 1) {
    folder = argv[1];
  } else {
    const char* tmp = getenv("TMPDIR");
    if (!vt::CreateUniqueFolder(tmp && *tmp ? tmp : "/tmp", "sheetwright_bench", folder)) {
      fprintf(stderr, "cannot create a folder for the benchmark\n");
      return 1;
    }
  }
  // Work files beside the output, so that the close renames and the comparison is fair.
  setenv("TMPDIR", folder.c_str(), 1);
  excel_select_codepage(0);
  const std::string workbook = folder + "/bench.xls";
  const std::string plain = folder + "/plain.bin";

  const std::vector<double> values = MakeValues();
  double bestWorkbook = 1e30, bestPlain = 1e30;
  uint64_t size = 0;
  for (int run = 0; run < kRuns; ++run) {
    vt::DeleteFile(workbook);
    double t = WriteWorkbook(workbook, values);
    if (t < 0 || !vt::GetFileSize(workbook, size)) {
      fprintf(stderr, "writing the workbook failed\n");
      return 1;
    }
    bestWorkbook = std::min(bestWorkbook, t);
    double p = WritePlain(plain, size);
    if (p < 0) {
      fprintf(stderr, "plain writes failed\n");
      return 1;
    }
    bestPlain = std::min(bestPlain, p);
    vt::DeleteFile(plain);
  }
  vt::DeleteFile(workbook);
  if (argc <= 1) vt::RemoveTree(folder);

  printf("%s", vt::FormatC("workbook: %d rows x %d columns, %llu bytes, best of %d: %.3f s\n", kRows,
                           kColumns, (unsigned long long)size, kRuns, bestWorkbook)
                   .c_str());
  printf(
      "%s",
      vt::FormatC("plain buffered writes of the same bytes, best of %d: %.3f s\n", kRuns, bestPlain).c_str());
  vt::bench::Report report("sheetwright");
  report.AtMost("workbook / plain buffered writes", bestWorkbook / bestPlain, 3);
  return report.ExitCode();
}

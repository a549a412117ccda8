// Benchmark of the report list: a storage of 100,000 stored files (10,000 batches of one
// instrument) is listed as the Files list by the list document and the report list, whose first
// screen is then painted into an image offscreen; the reference is the catalogue query alone
// (OpenListQuery and the row fetches) over the same rows. The two sides run in turns, seven times
// each, and the best times are compared. Also printed: the rows' memory per row, as the document counts it
// and as the allocator saw it grow during a fill.
//
// Usage: reportlist_bench [folder]   (default: a new folder below $TMPDIR or /tmp)
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>

#include <QApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <string>

#include "app/CListDoc.h"
#include "app/qt/CListReportWnd.h"
#include "bench/kit/BenchKit.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/qt/ReportView.h"
#include "store/CatalogueQueries.h"
#include "store/VTDataStorage.h"

namespace {

constexpr int kRuns = 7;
constexpr int kFiles = 100000;

// One instrument, batches of ten files, as the import would have written them.
constexpr const char* kFill =
    "INSERT INTO instrument VALUES ('SN0001', 'QR', 'host', 'Instrument 1');"
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10000) "
    "INSERT INTO continuous_data_info SELECT x, printf('%08X-0000-4000-8000-000000000000', x), 'SN0001', "
    "x * 100000, x * 100000 + 99000, 'start user', 'stop user', x % 2, 0, 0, printf('BATCH%d', x), '001', x, "
    "x * 10, printf('%08X-0000-4000-8000-000000000000', x) FROM n;"
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 100000) "
    "INSERT INTO file SELECT 'SN0001', (x - 1) / 10 + 1, x, printf('F%06d.DAE', x), "
    "printf('FILES/SN0001/2024/1/F%06d.DAE', x), 'header', 0, 2, 2, 130000000000000000 + x * 100000000, "
    "130000000000000000 + x * 100000000 + 90000000, 0, x * 100, x * 100 + 99, 1, 0, 0 FROM n;";

long QueryAlone(CVTDataStorage& storage) {
  vt::CatalogueSources sources{&storage, nullptr, nullptr};
  CatalogueCursor cursor;
  if (!OpenListQuery(sources, std::nullopt, cursor, LIST_FILES, std::nullopt, 0, 0, std::nullopt,
                     std::nullopt, 0, 0))
    return -1;
  long rows = 0;
  int a = 0, b = 0;
  while (FetchFileListRow(cursor, a, b)) ++rows;
  return rows;
}

// The best times of two runs, taken in turns so that a busy machine slows both alike.
bool BestOfBoth(auto first, auto second, double& bestFirst, double& bestSecond) {
  bestFirst = bestSecond = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    auto start = std::chrono::steady_clock::now();
    if (!first()) return false;
    bestFirst = std::min(bestFirst, vt::bench::SecondsSince(start));
    start = std::chrono::steady_clock::now();
    if (!second()) return false;
    bestSecond = std::min(bestSecond, vt::bench::SecondsSince(start));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vt::bench::Report report("reportlist");
  const vt::bench::WorkFolder work("reportlist-bench-", argc > 1 ? argv[1] : nullptr);
  if (!work.Ok()) {
    report.Failed("cannot make a work folder");
    return report.ExitCode();
  }
  const std::string& parent = work.Path();
  CVTDataStorage storage;
  if (storage.Create(vt::JoinPath(parent, "STORAGE"), "Bench") != STORE_OK || storage.Open() != STORE_OK ||
      storage.GetConnection()->BeginTransaction() != RDB_OK ||
      storage.GetConnection()->Execute(kFill) != RDB_OK || storage.GetConnection()->Commit() != RDB_OK) {
    report.Failed("cannot fill a storage in " + parent);
    return report.ExitCode();
  }
  if (QueryAlone(storage) != kFiles) {  // also warms the page cache
    report.Failed("the file list does not have " + std::to_string(kFiles) + " rows");
    return report.ExitCode();
  }

  CListDoc doc(nullptr, [&] { return vt::CatalogueSources{&storage, nullptr, nullptr}; });
  doc.m_listKind = LIST_KIND_FILE;
  CListReportWnd wnd(&doc);
  wnd.resize(1000, 600);
  wnd.show();
  wnd.FillList(true);  // columns made once, as when the user opens the list

  // Memory: the allocator's growth over one fill into an emptied document.
  doc.m_listKind = LIST_KIND_NONE;
  doc.PrepareQuery();
  doc.m_listKind = LIST_KIND_FILE;
  const size_t before = mallinfo2().uordblks;
  doc.PrepareQuery();
  while (doc.FetchRows() == CListDoc::FETCH_ROW) {
  }
  const size_t after = mallinfo2().uordblks;
  const double heapPerRow = double(after > before ? after - before : 0) / kFiles;
  const double heldPerRow = double(doc.GetRowMemory()) / kFiles;

  QImage screen;
  double query = 0, list = 0;
  const bool ran = BestOfBoth([&] { return QueryAlone(storage) == kFiles; },
                              [&] {
                                wnd.FillList(false);
                                screen = wnd.View()->viewport()->grab().toImage();
                                return doc.GetItemCount() == kFiles && !screen.isNull();
                              },
                              query, list);
  storage.Close();
  if (!ran || query <= 0) {
    report.Failed("the lists could not be filled");
    return report.ExitCode();
  }
  printf("files list: %d rows, catalogue query %.1f ms, list document + report list + first screen %.1f ms\n",
         kFiles, query * 1e3, list * 1e3);
  report.Info("memory per row held by the rows", heldPerRow, "bytes");
  report.AtMost("memory per row, heap growth", heapPerRow, 256, "bytes");
  report.AtMost("files list / catalogue query alone", list / query, 2);
  return report.ExitCode();
}

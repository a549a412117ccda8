// Benchmark of the trend conversion: one recording of 200,000 event records of 20 16-bit
// channels, made with the recorder-file generator and imported into a storage, loaded into one
// group of a graph document and converted to workbooks on the conversion's worker (clones of the
// channels, their own caches and row source). The reference writes the same cells (date, time,
// seconds and one value per channel and row, the same header and file split) straight through
// the workbook converter from values decoded into memory beforehand, so the ratio shows what the
// reads, the row source and the cell formatting add to the writing itself. Best of three runs;
// the ratio is printed last.
//
// Usage: trendconv_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "document/TrendConversion.h"
#include "formshift/CFileConverter.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"
#include "platform/base/Paths.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

constexpr int kChannels = 20;
constexpr int64_t kSamples = 200000;
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

bool MakeStorage(CVTDataStorage& storage, const std::string& folder, vt::Guid* guid) {
  const std::string area = vt::JoinPath(folder, "AREA");
  if (storage.Create(area, "Bench") != STORE_OK || storage.OpenAt(area) != STORE_OK) return false;
  recgen::NewerFile m = recgen::ResizedNewerFile(1, kChannels, kSamples, 0);
  m.intervalValue = 1;
  m.intervalUnit = 1;  // seconds
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

class Owner : public vt::GraphDocumentOwner {
 public:
  void SetPathName(const std::string&, bool) override {}
  std::string GetPathName() const override { return {}; }
  void SetModifiedFlag(bool) override {}
};

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "";
  const bool own = folder.empty();
  if (own) {
    const char* tmp = getenv("TMPDIR");
    folder = vt::JoinPath(tmp && *tmp ? tmp : "/tmp", "trendconv_bench_" + vt::Guid::Create().ToText());
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
      Owner owner;
      CGVantrelDoc doc(nullptr, &owner);
      SVantrelGroupEntry entry;
      for (int c = 0; c < kChannels; ++c) entry.keys.push_back({guid.ToText(), c < 48 ? 1 + c : 53 + c, -1});
      if (!doc.AddGroups({entry}, std::nullopt, std::nullopt)) {
        fprintf(stderr, "cannot load the group\n");
        return 1;
      }
      doc.LoadHeaderInfo();
      CGVantrelGroupData* group = doc.GetGroup(0);
      SDataConvertOption option;
      option.startTime = group->GetDataBegin();
      option.stopTime = group->GetDataEnd();
      option.outputPath = vt::JoinPath(folder, "trend.xls");
      doc.SetConvertOption(option);
      const int headerRows =
          vt::ConversionHeaderRows(doc.GetBatchesInUse().size(), doc.GetHeaderInfo().hasBatchInfo);

      int status = 0;
      const double ours = Best([&](int) {
        doc.StartConversion([&](int r) { status = r; });
        doc.WaitForConvertThread();
      });
      if (status != 0) {
        fprintf(stderr, "the conversion failed: %d\n", status);
        return 1;
      }

      // The reference: the decoded values written as the conversion lays them out.
      CGVantrelNgTime& rows = group->EnsureRowTime();
      const int rowCount = rows.GetRowCount();
      const size_t n = static_cast<size_t>(rowCount);
      std::vector<int32_t> seconds(n), ms(n);
      std::vector<double> values(n * kChannels);
      for (int i = 0; i < rowCount; ++i) {
        PreciseTime t;
        rows.GetRowTime(&t, i);
        TickTime::FromPreciseTime(t).SplitTime(&seconds[size_t(i)], &ms[size_t(i)]);
        for (int c = 0; c < kChannels; ++c) {
          PreciseTime at;
          uint16_t st = 0;
          group->GetChannel(c)->ReadValueFrom(t, &at, &values[size_t(i) * kChannels + size_t(c)], &st);
        }
      }
      const int perSheet = vt::kConvertSheetRows - headerRows;
      const int files = (rowCount + perSheet - 1) / perSheet;
      const double reference = Best([&](int) {
        CFileConverter out;
        for (int k = 0; k < files; ++k) {
          const std::string name = vt::MakeOutputName(k + 1, vt::JoinPath(folder, "plain.xls"), false);
          out.Open(FILE_FORMAT_EXCEL97, name.c_str(), false);
          out.Init(vt::kConvertSheetRows, vt::kConvertSheetColumns);
          out.AddSheet(group->GetDisplayName().c_str());
          for (int r = 0; r < headerRows; ++r) out.WriteString(r, 0, "header");
          const int first = k * perSheet, last = std::min(rowCount, first + perSheet);
          for (int i = first; i < last; ++i) {
            const int row = headerRows + i - first;
            out.WriteDate(row, 0, seconds[size_t(i)]);
            out.WriteTime(row, 1, seconds[size_t(i)]);
            out.WriteDouble(row, 2, ms[size_t(i)] * 0.001, 3);
            for (int c = 0; c < kChannels; ++c)
              out.WriteDouble(row, 3 + c, values[size_t(i) * kChannels + size_t(c)], 1);
          }
          out.Close();
        }
      });
      printf("rows: %d of %d channels in %d files\n", rowCount, kChannels, files);
      printf("conversion: %.0f ms, plain writing of the same cells: %.0f ms\n", ours * 1e3, reference * 1e3);
      printf("trend conversion ratio: %.2f (target at most 1.5)\n", ours / reference);
      result = 0;
    }
    CVTBatchCache::Instance().Clear();
    CVTBatchCache::Instance().SetStorage(nullptr);
    storage.Close();
  }
  if (own) DeleteFolderTree(folder);
  return result;
}

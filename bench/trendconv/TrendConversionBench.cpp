// Benchmark of the trend conversion of a graph window: one recording of 100,000 event records of
// 100 16-bit channels, made with the recorder-file generator and imported into a storage, loaded
// into one group of a graph document and converted to workbooks on the conversion's worker
// (clones of the channels with their own caches and row source). The reference is the export
// core converting the same stored file to workbooks in the same run: both write every sample of
// every channel as one cell, with the date, time and seconds of each row. Both are timed as the
// best of several runs; the ratio is printed last.
//
// Usage: trendconv_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
#include <stdio.h>

#include <string>

#include "bench/kit/BenchKit.h"
#include "document/CGVantrelDoc.h"
#include "document/TrendConversion.h"
#include "export/VTFileConverter.h"
#include "platform/base/FileSystem.h"
#include "store/CVTBatchCache.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

constexpr int kChannels = 100;
constexpr int64_t kSamples = 100000;
constexpr int kRuns = 3;

// The storage with the one recording; the stored file's path and the batch's GUID.
bool MakeStorage(CVTDataStorage& storage, const vt::bench::WorkFolder& folder, std::string* stored,
                 vt::Guid* guid) {
  const std::string area = folder.Join("AREA");
  if (storage.Create(area, "Bench") != STORE_OK || storage.OpenAt(area) != STORE_OK) return false;
  recgen::NewerFile m = recgen::ResizedNewerFile(1, kChannels, kSamples, 0);
  m.intervalValue = 1;
  m.intervalUnit = 1;  // seconds
  const std::string staged = folder.Join("BENCH.DAE");
  if (!recgen::WriteLargeNewerFile(m, kSamples, staged)) return false;
  std::string relative;
  if (storage.ImportFile(staged, &relative) != STORE_OK) return false;
  vt::DeleteFile(staged);
  *stored = area + "/" + relative;
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

// The channel numbers ResizedNewerFile gives: 1-48, then 101-160, then 201-440.
int ChannelNumber(int c) { return c < 48 ? 1 + c : c < 108 ? 53 + c : 93 + c; }

}  // namespace

int main(int argc, char** argv) {
  vt::bench::Report report("trendconv");
  vt::bench::WorkFolder folder("vt-trendconv-bench-", argc > 1 ? argv[1] : nullptr);
  if (!folder.Ok()) {
    report.Failed("cannot make the work folder");
    return report.ExitCode();
  }
  CVTDataStorage storage;
  std::string stored;
  vt::Guid guid;
  if (!MakeStorage(storage, folder, &stored, &guid)) {
    report.Failed("cannot make the stored batch");
    return report.ExitCode();
  }
  CVTBatchCache::Instance().SetStorage(&storage);

  {
    Owner owner;
    CGVantrelDoc doc(nullptr, &owner);
    vt::SVantrelGroupEntry entry;
    for (int c = 0; c < kChannels; ++c) entry.keys.push_back({guid.ToText(), ChannelNumber(c), -1});
    if (!doc.AddGroups({entry}, std::nullopt, std::nullopt) ||
        doc.GetGroup(0)->GetChannelCount() != kChannels) {
      report.Failed("cannot load the group");
    } else {
      doc.LoadHeaderInfo();
      CGVantrelGroupData* group = doc.GetGroup(0);
      SDataConvertOption option;
      option.startTime = group->GetDataBegin();
      option.stopTime = group->GetDataEnd();
      option.outputPath = folder.Join("trend/trend.xls");
      doc.SetConvertOption(option);

      int status = 0;
      // Each side starts from an empty output folder: a file in the way would be kept and the
      // output written under another name.
      const double ours = vt::bench::BestOf(kRuns, [&](int) {
        vt::RemoveTree(folder.Join("trend"));
        vt::CreateFolder(folder.Join("trend"));
        doc.StartConversion([&](int r) { status = r; });
        doc.WaitForConvertThread();
      });
      const int rows = group->EnsureRowTime().GetRowCount();
      int exported = 0;
      const double reference = vt::bench::BestOf(kRuns, [&](int) {
        vt::RemoveTree(folder.Join("export"));
        VTFileConverter queue(stored, folder.Join("export"), 0);
        exported = queue.RunJobs();
      });
      if (status != vt::kConvertOk || exported != 0) {
        report.Failed("the conversion gave " + std::to_string(status) + ", the export " +
                      std::to_string(exported));
      } else {
        printf("rows: %d of %d channels (figures taken as the best of %d runs)\n", rows, kChannels, kRuns);
        printf("trend conversion: %.0f ms, export core on the stored file: %.0f ms\n", ours * 1e3,
               reference * 1e3);
        report.AtMost("trend conversion / export of the same stored file", ours / reference, 1.5);
      }
    }
  }
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(nullptr);
  storage.Close();
  return report.ExitCode();
}

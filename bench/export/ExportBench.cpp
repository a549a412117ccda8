// Benchmark of the file conversion: a display file of 100 channels x 100,000 records converted to
// workbooks by the conversion job queue, against Sheetwright writing the same cells directly in
// the same run. The conversion runs in a child process, which times the job queue's run and
// reports it with its own peak memory; the peak is compared with the samples one sheet holds, as
// the record buffers hold them (one display record per channel and row of the first sheet): the
// sample rows are built a window at a time, so the peak does not grow with the file (target at
// most 1.5). The peak of converting a 200 MB single-channel file to text is printed too. The cells
// for the reference are captured from a further conversion and written with the workbook writer's
// own functions; only the writing is timed. Both sides are timed five times and compared by their
// best runs.
//
// Usage: export_bench [folder] [channels] [records]   (default: a new folder below /tmp)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "export/VTFileConverter.h"
#include "platform/base/FileSystem.h"
#include "platform/base/TimeEngine.h"
#include "recorder/FileAccessFactory.h"
#include "sheetwright/Sheetwright.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/SizedFiles.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// One captured writer call.
struct Call {
  enum Kind : uint8_t { Open, Sheet, Text, Date, Time, Number, Close };
  Kind kind;
  int16_t decimals;
  int32_t row;
  int32_t column;
  double value;       // Number
  uint32_t text;      // Open, Sheet, Text: index into the text pool
  int32_t fields[6];  // Date, Time: year, month, day, hour, minute, second (UTC)
};

void Civil(int32_t seconds, int32_t* f) {
  int64_t days = seconds / 86400, rest = seconds % 86400;
  if (rest < 0) rest += 86400, --days;
  int64_t year = 0;
  vt::CivilFromDays(days, &year, &f[1], &f[2]);
  f[0] = int32_t(year);
  f[3] = int32_t(rest / 3600);
  f[4] = int32_t(rest / 60 % 60);
  f[5] = int32_t(rest % 60);
}

class CapturingWriter : public ConversionWriter {
 public:
  CapturingWriter(std::vector<Call>* calls, std::vector<std::string>* texts) : calls_(calls), texts_(texts) {}
  FCONV_ECODE Open(FILE_FORMAT_TYPE, const std::string& path) override { return Add(Call::Open, 0, 0, path); }
  FCONV_ECODE AddSheet(const std::string& name) override { return Add(Call::Sheet, 0, 0, name); }
  FCONV_ECODE WriteString(int r, int c, const std::string& text) override {
    if (text.empty()) return FCONV_OK;  // a workbook gets no cell for an empty text
    return Add(Call::Text, r, c, text);
  }
  FCONV_ECODE WriteDate(int r, int c, int32_t s) override { return AddTime(Call::Date, r, c, s); }
  FCONV_ECODE WriteTime(int r, int c, int32_t s) override { return AddTime(Call::Time, r, c, s); }
  FCONV_ECODE WriteDouble(int r, int c, double v, short d) override {
    Call call{};
    call.kind = Call::Number;
    call.row = r;
    call.column = c;
    call.value = v;
    call.decimals = d;
    calls_->push_back(call);
    return FCONV_OK;
  }
  FCONV_ECODE Close() override { return Add(Call::Close, 0, 0, ""); }
  FCONV_ECODE DeleteConvertedFile() override { return FCONV_OK; }
  unsigned GetConvertedFileNum() override { return 0; }
  std::string GetConvertedFilePath(unsigned) override { return ""; }

 private:
  FCONV_ECODE Add(Call::Kind kind, int r, int c, const std::string& text) {
    Call call{};
    call.kind = kind;
    call.row = r;
    call.column = c;
    call.text = uint32_t(texts_->size());
    texts_->push_back(text);
    calls_->push_back(call);
    return FCONV_OK;
  }
  FCONV_ECODE AddTime(Call::Kind kind, int r, int c, int32_t s) {
    Call call{};
    call.kind = kind;
    call.row = r;
    call.column = c;
    Civil(s, call.fields);
    calls_->push_back(call);
    return FCONV_OK;
  }
  std::vector<Call>* calls_;
  std::vector<std::string>* texts_;
};

// The captured cells written with the workbook writer's functions, one workbook per output.
double WriteDirectly(const std::vector<Call>& calls, const std::vector<std::string>& texts,
                     const std::string& folder) {
  auto start = std::chrono::steady_clock::now();
  ExcelWorkbook* wb = nullptr;
  int sheet = -1, files = 0;
  for (const Call& c : calls) {
    switch (c.kind) {
      case Call::Open:
        wb = excel_create_file((folder + "/ref" + std::to_string(++files) + ".xls").c_str());
        break;
      case Call::Sheet:
        sheet = excel_add_sheet(wb, texts[c.text].c_str());
        break;
      case Call::Text:
        excel_input_string(wb, sheet, c.row + 1, c.column + 1, texts[c.text].c_str());
        break;
      case Call::Date:
      case Call::Time:
        excel_input_datetime(wb, sheet, c.row + 1, c.column + 1, c.fields[0], c.fields[1], c.fields[2],
                             c.fields[3], c.fields[4], c.fields[5], c.kind == Call::Date ? 0 : 1);
        break;
      case Call::Number:
        excel_input_value(wb, sheet, c.row + 1, c.column + 1, c.value, c.decimals);
        break;
      case Call::Close:
        excel_close_file(wb);
        wb = nullptr;
        break;
    }
  }
  return Seconds(start);
}

// What a converting child reports through its pipe.
struct ChildReport {
  double seconds = -1;
  long peakKiB = -1;
};

// One conversion in a child process; its time in seconds (< 0 on failure) and its peak memory.
// The child times the job queue's run alone, as the reference times its writing alone.
double ConvertInChild(const std::string& source, const std::string& out, int text, double* peakBytes) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    auto start = std::chrono::steady_clock::now();
    VTFileConverter queue(source, out, text);
    const int result = queue.RunJobs();
    ChildReport report;
    report.seconds = Seconds(start);
    report.peakKiB = vt::bench::PeakRssKiB();
    if (write(fds[1], &report, sizeof report) != ssize_t(sizeof report)) _exit(1);
    _exit(result);
  }
  close(fds[1]);
  ChildReport report;
  const bool got = read(fds[0], &report, sizeof report) == ssize_t(sizeof report);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::printf("conversion of %s failed (%d)\n", source.c_str(), status);
    return -1;
  }
  *peakBytes = double(report.peakKiB) * 1024.0;
  return report.seconds;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : "";
  const int channels = argc > 2 ? std::atoi(argv[2]) : 100;
  const int records = argc > 3 ? std::atoi(argv[3]) : 100000;
  if (folder.empty() && !vt::CreateUniqueFolder("/tmp", "vt-export-bench-", folder)) return 1;
  const std::string source = folder + "/bench.DAD";
  {
    recgen::SizedOptions o;
    o.channels = channels;
    o.records = records;
    const auto bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(o, 2)).bytes;
    if (!vt::WriteFileAtomic(source,
                             std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
      return 1;
  }
  // The samples of the first sheet as the record buffers hold them: its rows, and the channels
  // whose two columns (minimum, maximum) fit beside the three time columns.
  uint64_t sheetBytes = 0;
  {
    CVTDataFileAccess* reader = nullptr;
    if (CreateFileAccess(source, &reader) != 0) return 1;
    const int sheetChannels = std::min(reader->GetChannelCount(), (256 - 3) / 2);
    for (int c = 0; c < sheetChannels; ++c)
      sheetBytes += uint64_t(std::min(records, 65536)) *
                    (reader->GetChannelDataType(c) == vt::CHANNEL_TYPE_SHORT ? sizeof(SDispShortData)
                                                                             : sizeof(SDispIntData));
    delete reader;
  }

  std::printf("file: %d channels x %d records (display), samples of one sheet %.1f MB\n", channels, records,
              sheetBytes / 1048576.0);
  std::fflush(stdout);
  // Each side is timed kRuns times and its best time kept: the machine's other work and the
  // state of its memory move single runs by a tenth or more.
  constexpr int kRuns = 5;
  double convertSeconds = 1e300, peakBytes = 0;
  for (int run = 0; run < kRuns; ++run) {
    vt::RemoveTree(folder + "/converted");
    double peak = 0;
    const double seconds = ConvertInChild(source, folder + "/converted", 0, &peak);
    if (seconds < 0) return 1;
    convertSeconds = std::min(convertSeconds, seconds);
    peakBytes = std::max(peakBytes, peak);
  }
  vt::RemoveTree(folder + "/converted");

  // A 200 MB file of one channel to text: the peak stays that of a window of rows.
  double largePeak = 0, largeSeconds = 0;
  {
    const std::string large = folder + "/large.DAE";
    const int64_t largeRecords = 20000000;  // 10 bytes a record
    if (!recgen::WriteLargeNewerFile(recgen::ResizedNewerFile(1, 1, largeRecords, 0), largeRecords, large))
      return 1;
    uint64_t size = 0;
    vt::GetFileSize(large, size);
    largeSeconds = ConvertInChild(large, folder + "/large", 1, &largePeak);
    if (largeSeconds < 0) return 1;
    std::printf("large file: one channel, %lld records, %.0f MB, to text in %.1f s, peak %.1f MB\n",
                (long long)largeRecords, size / 1048576.0, largeSeconds, largePeak / 1048576.0);
    vt::DeleteFile(large);
    vt::RemoveTree(folder + "/large");
  }

  std::vector<Call> calls;
  std::vector<std::string> texts;
  {
    VTSingleFileConverter capture(folder + "/captured", source, 0, 1);
    capture.SetWriterFactory([&] { return std::make_unique<CapturingWriter>(&calls, &texts); });
    if (capture.Convert() != 0) return 1;
  }
  double referenceSeconds = 1e300;
  for (int run = 0; run < kRuns; ++run)
    referenceSeconds = std::min(referenceSeconds, WriteDirectly(calls, texts, folder));
  // How much of the conversion is the reader's: every channel's samples read and scaled alone.
  auto start = std::chrono::steady_clock::now();
  {
    VTFileAccessFacade facade(source);
    const int channelCount = facade.Reader() ? facade.Reader()->GetChannelCount() : 0;
    size_t entries = 0;
    for (int c = 0; c < channelCount; ++c)
      facade.GetChannelSamples(c, nullptr, nullptr, nullptr, nullptr, nullptr,
                               [&](int, int, int, const SSampleValue&) { return ++entries != 0; });
  }
  const double readSeconds = Seconds(start);
  size_t cells = 0;
  for (const Call& c : calls) cells += c.kind >= Call::Text && c.kind <= Call::Number;

  std::printf("cells written: %zu\n", cells);
  std::printf(
      "conversion: %.2f s (reading the samples alone: %.2f s); the same cells written directly: %.2f s\n",
      convertSeconds, readSeconds, referenceSeconds);
  if (argc <= 1) vt::RemoveTree(folder);
  vt::bench::Report report("export");
  report.Info("conversion peak memory, 200 MB single-channel file to text", largePeak / 1048576.0, "MB");
  report.AtMost("conversion peak memory / the samples of one sheet as record buffers",
                peakBytes / double(sheetBytes), 1.5);
  report.AtMost("conversion / writing the same cells directly", convertSeconds / referenceSeconds, 1.5);
  return report.ExitCode();
}

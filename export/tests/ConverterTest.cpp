// Single-file converter and job queue: output names, sheets and bands through a recording writer,
// real workbooks and text files read back, cancels at four moments, and refused writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <thread>

#include "export/ConversionTexts.h"
#include "export/FileConversionFormatterFactory.h"
#include "export/VTFileConverter.h"
#include "export/testing/ExportFixtures.h"
#include "platform/base/BulkArena.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "testing/ScopedEnvironment.h"

namespace {

// Records the calls; keeps a log of the outputs closed as the real writer does.
class RecordingWriter : public ConversionWriter {
 public:
  std::vector<std::string>* calls;
  std::function<void(int cells)> onCell;
  bool refuseOpen = false;
  std::vector<std::string> log;
  std::string open;
  int cells = 0;

  explicit RecordingWriter(std::vector<std::string>* c) : calls(c) {}
  FCONV_ECODE Open(FILE_FORMAT_TYPE type, const std::string& path) override {
    calls->push_back("open " + std::to_string(type) + " " + path);
    if (refuseOpen) return FCONV_ERROR;
    open = path;
    return FCONV_OK;
  }
  FCONV_ECODE AddSheet(const std::string& name) override {
    calls->push_back("sheet " + name);
    return FCONV_OK;
  }
  FCONV_ECODE Cell(const std::string& text) {
    ++cells;
    if (onCell) onCell(cells);
    if (text.rfind("string", 0) == 0) calls->push_back(text);
    return FCONV_OK;
  }
  FCONV_ECODE WriteString(int r, int c, const std::string& text) override {
    return Cell("string " + std::to_string(r) + " " + std::to_string(c) + " " + text);
  }
  FCONV_ECODE WriteDate(int, int, int32_t) override { return Cell("date"); }
  FCONV_ECODE WriteTime(int, int, int32_t) override { return Cell("time"); }
  FCONV_ECODE WriteDouble(int, int, double, short) override { return Cell("double"); }
  FCONV_ECODE Close() override {
    calls->push_back("close");
    if (!open.empty()) log.push_back(open);
    open.clear();
    return FCONV_OK;
  }
  FCONV_ECODE DeleteConvertedFile() override {
    calls->push_back("delete");
    log.clear();
    open.clear();
    return FCONV_OK;
  }
  unsigned GetConvertedFileNum() override { return unsigned(log.size()); }
  std::string GetConvertedFilePath(unsigned i) override { return i < log.size() ? log[i] : ""; }
};

std::vector<std::string> Only(const std::vector<std::string>& calls, const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.rfind(prefix, 0) == 0 || c == "close" || c == "delete") out.push_back(c);
  return out;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<vt::FolderEntry> entries;
  std::vector<std::string> names;
  if (vt::ListFolder(folder, entries))
    for (const auto& e : entries) names.push_back(e.name);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Calls(VTSingleFileConverter& converter, int* result,
                               std::function<void(RecordingWriter&)> tune = nullptr) {
  std::vector<std::string> calls;
  converter.SetWriterFactory([&] {
    auto w = std::make_unique<RecordingWriter>(&calls);
    if (tune) tune(*w);
    return w;
  });
  *result = converter.Convert();
  return calls;
}

TEST(SingleFileConverter, NamesOfFilesAndSheets) {
  vt_test::TempFolder folder;
  struct Case {
    const char* what;
    std::string source;
    int format;
    std::string destination;
    std::vector<std::string> expected;
  } cases[] = {
      {"workbook, one band",
       export_test::SampleFile(folder, false, "20100510_001"),
       0,
       folder / "out",
       {"open 0 " + folder / "out/20100510_001.xls", "sheet CH001-CH201", "sheet Alarm list",
        "sheet Mark list", "close"}},
      {"text, destination ending in a separator",
       export_test::SampleFile(folder, true, "20100510_001"),
       1,
       folder / "out/",
       {"open 3 " + folder / "out/20100510_001.txt", "sheet ", "sheet Alarm list", "sheet Mark list",
        "close"}},
      {"two row bands",
       export_test::SizedFile(folder, 1, 65515 + 10, false, "long"),
       0,
       folder / "out",
       {"open 0 " + folder / "out/long_0001.xls", "sheet CH001", "sheet Alarm list", "sheet Mark list",
        "close", "open 0 " + folder / "out/long_0002.xls", "sheet CH001", "close"}},
  };
  for (const Case& c : cases) {
    VTSingleFileConverter converter(c.destination, c.source, c.format, 0);
    EXPECT_EQ(converter.Step(), 1);
    int result = -1;
    const auto calls = Calls(converter, &result);
    EXPECT_EQ(result, 0) << c.what;
    std::vector<std::string> opens;
    for (const auto& call : calls)
      if (call.rfind("open", 0) == 0 || call.rfind("sheet", 0) == 0 || call == "close") opens.push_back(call);
    EXPECT_EQ(opens, c.expected) << c.what;
    EXPECT_EQ(converter.GetConvertedFileNum(),
              unsigned(std::count(c.expected.begin(), c.expected.end(), "close")))
        << c.what;
  }
  EXPECT_EQ(VTSingleFileConverter::GetTitle("/rec/20100510_001.DAE"), "20100510_001");
  EXPECT_EQ(VTSingleFileConverter::GetTitle("C:\\rec\\a.b.DAE"), "a.b");
  EXPECT_EQ(VTSingleFileConverter::GetTitle("/dir.dds/file"), "file");
  EXPECT_EQ(VTSingleFileConverter::GetTitle("noseparator.DAE"), "");
}

TEST(SingleFileConverter, ColumnBandsKeepMinMaxPairsTogether) {
  vt_test::TempFolder folder;
  VTSingleFileConverter converter(folder / "out", export_test::SizedFile(folder, 127, 3, true, "wide"), 0, 1);
  int result = -1;
  const auto calls = Calls(converter, &result);
  ASSERT_EQ(result, 0);
  std::vector<std::string> sheets;
  for (const auto& c : calls)
    if (c.rfind("sheet ", 0) == 0) sheets.push_back(c.substr(6));
  ASSERT_EQ(sheets.size(), 4u);
  // 126 channel pairs fill columns 3 to 254; the 127th starts the second sheet.
  EXPECT_EQ(sheets[0].substr(0, 6), "CH001-");
  EXPECT_EQ(sheets[1].find('-'), std::string::npos);
  EXPECT_EQ(sheets[2], "Alarm list");
  // Every piece has the Min/Max labels in pairs: the second sheet starts with a Min.
  bool secondSheet = false, sawMin = false;
  for (const auto& c : calls) {
    if (c == "sheet " + sheets[1]) secondSheet = true;
    if (secondSheet && c == "string 20 3 Min") sawMin = true;
    if (c == "sheet Alarm list") secondSheet = false;
  }
  EXPECT_TRUE(sawMin);
}

// The alarm and mark sheets are named by the program's string table when it has installed its
// lookup; an id the lookup has no text for, or no lookup at all, keeps the English name.
TEST(SingleFileConverter, ListSheetsAreNamedByTheTextLookup) {
  namespace txt = vtexport::text;
  struct Lookups {
    static std::string Both(uint32_t id) { return id == 3215 ? "Alarms" : id == 3216 ? "Marks" : ""; }
    static std::string AlarmsOnly(uint32_t id) { return id == 3215 ? "Alarms" : ""; }
  };
  struct Case {
    const char* what;
    txt::TextLookup lookup;
    const char* alarmSheet;
    const char* markSheet;
  } cases[] = {
      {"no lookup", nullptr, "Alarm list", "Mark list"},
      {"both texts", &Lookups::Both, "Alarms", "Marks"},
      {"one id without text", &Lookups::AlarmsOnly, "Alarms", "Mark list"},
  };
  struct Restore {
    ~Restore() { txt::SetTextLookup(nullptr); }
  } restore;
  vt_test::TempFolder folder;
  const std::string source = export_test::SampleFile(folder, false, "lists");
  for (const Case& c : cases) {
    txt::SetTextLookup(c.lookup);
    VTSingleFileConverter converter(folder / "out", source, 0, 1);
    int result = -1;
    const auto calls = Only(Calls(converter, &result), "sheet ");
    EXPECT_EQ(result, 0) << c.what;
    EXPECT_EQ(calls, (std::vector<std::string>{"sheet CH001-CH201", std::string("sheet ") + c.alarmSheet,
                                               std::string("sheet ") + c.markSheet, "close"}))
        << c.what;
    auto formatter = CreateFormatterForPath(GetFormatterRegistry(), source);
    CaptionableDividableTable alarms, marks;
    ASSERT_TRUE(formatter->BuildAlarmList(alarms) && formatter->BuildMarkList(marks)) << c.what;
    EXPECT_EQ(alarms.name, c.alarmSheet) << c.what;
    EXPECT_EQ(marks.name, c.markSheet) << c.what;
  }
}

// A formatter over a prepared table; it can wait in its build until it is cancelled.
class TableFormatter : public IFileConversionFormatter {
 public:
  std::function<void(CaptionableDividableTable&)> fill;
  std::atomic<bool>* building = nullptr;  // set while the build waits for a cancel
  explicit TableFormatter(const std::string& path) : IFileConversionFormatter(path) {}
  bool BuildMainTable(CaptionableDividableTable& t, int) override {
    if (fill) fill(t);
    if (building) {
      *building = true;
      while (!cancel_) std::this_thread::yield();
      return false;
    }
    return true;
  }
  bool BuildAlarmList(CaptionableDividableTable&) override { return false; }
  bool BuildMarkList(CaptionableDividableTable&) override { return false; }
};

TEST(SingleFileConverter, CellsThatCannotBeWrittenAsTheyAre) {
  vt_test::TempFolder folder;
  VTSingleFileConverter converter(folder.path(), folder / "x.DAE", 0, 1);
  converter.SetFormatterFactory([](const std::string& path) {
    auto f = std::make_shared<TableFormatter>(path);
    f->fill = [](CaptionableDividableTable& t) {
      t.SetCellText(0, 0, "head");
      t.firstDataRow = 1;
      t.SetCellNumber(1, 0, std::numeric_limits<double>::infinity(), 2);
      t.SetCellNumber(1, 1, std::nan(""), 2);
    };
    return f;
  });
  int result = -1;
  const auto calls = Calls(converter, &result);
  EXPECT_EQ(result, 0);
  // A piece without captions still gets a sheet name; values that are not finite read +OVER.
  EXPECT_EQ(Only(calls, "sheet"), (std::vector<std::string>{"sheet 1", "close"}));
  EXPECT_EQ(Only(calls, "string"),
            (std::vector<std::string>{"string 0 0 head", "string 1 0 +OVER", "string 1 1 +OVER", "close"}));
}

TEST(SingleFileConverter, WritesWorkbooksAndTextFilesThatReadBack) {
  vt_test::TempFolder folder;
  const std::string source = export_test::SampleFile(folder, true, "rec");
  VTFileConverter queue;
  queue.AddJob(folder / "xls", source, 0, 1);
  queue.AddJob(folder / "txt", source, 1, 1);
  ASSERT_EQ(queue.RunJobs(), 0);
  ASSERT_EQ(queue.GetConvertedFileNum(), 4u);
  EXPECT_EQ(queue.GetConvertedFilePath(0), folder / "xls/rec.xls");
  EXPECT_EQ(FolderNames(folder / "txt"),
            (std::vector<std::string>{"rec.txt", "rec_Alarm list.txt", "rec_Mark list.txt"}));
  EXPECT_EQ(queue.GetConvertedFilePath(9), "");

  std::string text;
  ASSERT_TRUE(vt::ReadWholeFile(folder / "txt/rec.txt", text));
  EXPECT_NE(text.find("Vantrel R2.02.01"), std::string::npos);
  EXPECT_NE(text.find("BATCH-7 00042"), std::string::npos);
  EXPECT_NE(text.find("+OVER"), std::string::npos);

  FILE* pipe =
      ::popen(("/usr/bin/python3 " WORKBOOK_READER " '" + folder / "xls/rec.xls" + "' 2>&1").c_str(), "r");
  ASSERT_TRUE(pipe);
  std::string out;
  char buffer[4096];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  if (::pclose(pipe) != 0) GTEST_SKIP() << "no workbook reader: " << out;
  const std::vector<std::string> expected = {
      "sheet 0 \"CH001-CH201\"",      "sheet 1 \"Alarm list\"",
      "sheet 2 \"Mark list\"",        "cell 0 0 0 text 16 \"Vantrel R2.02.01\"",
      "cell 0 12 1 number 4.0",       "cell 0 13 1 number 20.0",
      "cell 0 14 1 number 0.5",       "cell 0 44 3 text 5 \"CH001\"",
      "cell 0 48 3 text 3 \"Min\"",   "cell 0 48 4 text 3 \"Max\"",
      "cell 1 0 0 text 6 \"Status\"", "cell 2 1 5 text 8 \"operator\"",
  };
  for (const auto& line : expected)
    EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out.substr(0, 3000);
  EXPECT_NE(out.find("cell 0 49 0 date"), std::string::npos);
}

// Queue cancels: before the run, while the table is built, while cells are written, between jobs.
TEST(FileConverterQueue, CancelAtFourMoments) {
  vt_test::TempFolder folder;
  const std::string a = export_test::SampleFile(folder, false, "a"),
                    b = export_test::SampleFile(folder, true, "b");

  {  // before the run: nothing runs
    VTFileConverter queue(a, folder / "before", 0);
    EXPECT_TRUE(queue.HasMutex());
    int converters = 0;
    queue.SetConverterSetup([&](VTSingleFileConverter&) { ++converters; });
    queue.CancelJobs();
    EXPECT_EQ(queue.RunJobs(), 42);
    EXPECT_EQ(converters, 0);
    EXPECT_FALSE(vt::PathExists(folder / "before"));
  }
  {  // while the main table is built
    VTFileConverter queue(a, folder / "build", 0);
    std::atomic<bool> building{false};
    queue.SetConverterSetup([&](VTSingleFileConverter& c) {
      c.SetFormatterFactory([&](const std::string& path) {
        auto f = std::make_shared<TableFormatter>(path);
        f->building = &building;
        return f;
      });
    });
    std::thread canceller([&] {
      while (!building) std::this_thread::yield();
      queue.CancelJobs();
    });
    EXPECT_EQ(queue.RunJobs(), 42);
    canceller.join();
    EXPECT_EQ(queue.GetConvertedFileNum(), 0u);
    EXPECT_FALSE(vt::PathExists(folder / "build"));
  }
  {  // while cells are written: the files written so far go
    VTFileConverter queue;
    queue.AddJob(folder / "write", a, 0, 1);
    queue.AddJob(folder / "write", b, 0, 1);
    queue.SetConverterSetup([&](VTSingleFileConverter& c) {
      c.SetWriterFactory([&]() -> std::unique_ptr<ConversionWriter> {
        struct Cancelling : FormshiftWriter {
          VTFileConverter* queue;
          int cells = 0;
          FCONV_ECODE WriteDouble(int r, int c, double v, short d) override {
            if (++cells == 100) queue->CancelJobs();
            return FormshiftWriter::WriteDouble(r, c, v, d);
          }
        };
        auto w = std::make_unique<Cancelling>();
        w->queue = &queue;
        return w;
      });
    });
    EXPECT_EQ(queue.RunJobs(), 42);
    EXPECT_EQ(queue.GetConvertedFileNum(), 0u);
    EXPECT_TRUE(FolderNames(folder / "write").empty());
  }
  {  // just after a job finished: its files stay and are logged, the next job never starts
    VTFileConverter queue;
    queue.AddJob(folder / "between", a, 1, 1);
    queue.AddJob(folder / "between2", b, 1, 1);
    queue.SetProgress([&](size_t done, size_t total, int result) {
      EXPECT_EQ(total, 2u);
      EXPECT_EQ(result, 0);
      if (done == 1) queue.CancelJobs();
    });
    EXPECT_EQ(queue.RunJobs(), 42);
    const std::vector<std::string> names = FolderNames(folder / "between");
    EXPECT_EQ(names.size(), 3u);
    std::vector<std::string> logged;
    for (const std::string& path : queue.GetConvertedFileList()) logged.emplace_back(vt::FileNamePart(path));
    std::sort(logged.begin(), logged.end());
    EXPECT_EQ(logged, names) << "a finished job's files are logged whatever comes after";
    EXPECT_FALSE(vt::PathExists(folder / "between2"));
  }
}

// A link at an output's name, even one leading nowhere, is passed over: the table never lands
// where the link points. The converters' named mutexes leave nothing in the runtime folder.
TEST(FileConverterQueue, OutputsNeverGoThroughALinkAndLeaveNoLockFiles) {
  vt_test::TempFolder folder, runtime;
  vt_test::ScopedEnv env("XDG_RUNTIME_DIR", runtime.path());
  const std::string a = export_test::SampleFile(folder, false, "a");
  ASSERT_TRUE(vt::CreateFolders(folder / "out"));
  ASSERT_EQ(::symlink((folder / "stolen.txt").c_str(), (folder / "out/a.txt").c_str()), 0);
  std::vector<std::string> written;
  {
    VTFileConverter queue;
    queue.AddJob(folder / "out", a, 1, 1);
    queue.AddJob(folder / "out2", a, 0, 1);
    EXPECT_EQ(queue.RunJobs(), 0);
    written = queue.GetConvertedFileList();
  }
  EXPECT_FALSE(vt::PathExists(folder / "stolen.txt"));
  EXPECT_EQ(std::count(written.begin(), written.end(), folder / "out/a_1.txt"), 1);
  EXPECT_EQ(std::count(written.begin(), written.end(), folder / "out/a.txt"), 0);
  EXPECT_TRUE(FolderNames(runtime / "vantrel").empty());
}

TEST(FileConverterQueue, FailuresEndTheRun) {
  vt_test::TempFolder folder;
  const std::string good = export_test::SampleFile(folder, false, "good");
  {  // the second of three files cannot be read
    VTFileConverter queue;
    queue.AddJob(folder / "o1", good, 0, 1);
    queue.AddJob(folder / "o2", folder / "missing.DAE", 0, 1);
    queue.AddJob(folder / "o3", good, 0, 1);
    EXPECT_EQ(queue.RunJobs(), 1);
    EXPECT_EQ(queue.GetConvertedFileList(), (std::vector<std::string>{folder / "o1/good.xls"}));
    EXPECT_FALSE(vt::PathExists(folder / "o3"));
  }
  {  // the writer cannot open the output: the job fails and the caller is told
    VTFileConverter queue(good, folder / "refused", 0);
    queue.SetConverterSetup([](VTSingleFileConverter& c) {
      c.SetWriterFactory([]() -> std::unique_ptr<ConversionWriter> {
        struct Refusing : FormshiftWriter {
          FCONV_ECODE Open(FILE_FORMAT_TYPE, const std::string&) override { return FCONV_ERROR; }
        };
        return std::make_unique<Refusing>();
      });
    });
    EXPECT_EQ(queue.RunJobs(), 1);
    EXPECT_EQ(queue.GetConvertedFileNum(), 0u);
  }
  {  // a file that could not be finished: what was written goes
    VTFileConverter queue(good, folder / "unfinished", 1);
    queue.SetConverterSetup([](VTSingleFileConverter& c) {
      c.SetWriterFactory([]() -> std::unique_ptr<ConversionWriter> {
        struct FailingClose : FormshiftWriter {
          FCONV_ECODE Close() override {
            FormshiftWriter::Close();
            return FCONV_ERROR;
          }
        };
        return std::make_unique<FailingClose>();
      });
    });
    EXPECT_EQ(queue.RunJobs(), 1);
    EXPECT_TRUE(FolderNames(folder / "unfinished").empty());
  }
  VTFileConverter empty;
  EXPECT_EQ(empty.RunJobs(), 0);
}

// Memory that runs out while a file is converted fails that job and leaves no file behind; where
// the reader's column decoding is what runs out, it reads channel by channel and the job succeeds.
// The data file formatter building its whole main table at once, as the conversion did before
// the sample rows were built a window at a time.
class WholeTableFormatter : public VTDataFileConversionFormatter {
 public:
  using VTDataFileConversionFormatter::VTDataFileConversionFormatter;
  bool Streams() const override { return false; }
};

TEST(FileConverterQueue, MemoryThatRunsOutFailsTheJobOnly) {
  vt_test::TempFolder folder;
  // Large enough that the whole table's columns and the reader's decoded columns take their own
  // mappings.
  const std::string source = export_test::SizedFile(folder, 2, 40000, true, "big");
  ASSERT_EQ(VTFileConverter(source, folder / "reference", 1).RunJobs(), 0);
  const std::string reference = vt_test::ReadFileBytes(folder / "reference/big.txt");
  ASSERT_FALSE(reference.empty());
  int failed = 0;
  for (int n = 1; n <= 4; ++n) {
    const std::string out = folder / ("run" + std::to_string(n));
    VTSingleFileConverter whole(out, source, 1, 1);
    whole.SetFormatterFactory(
        [](const std::string& path) { return std::make_shared<WholeTableFormatter>(path); });
    vt::BulkArenaTestHook::FailNthMapping(n);
    const int result = whole.Convert();
    vt::BulkArenaTestHook::FailNthMapping(0);
    ASSERT_TRUE(result == vt::CONVERT_DONE || result == vt::CONVERT_FAILED) << n;
    if (result == vt::CONVERT_FAILED) {
      ++failed;
      EXPECT_EQ(whole.GetConvertedFileNum(), 0u) << n;
      EXPECT_TRUE(FolderNames(out).empty()) << n;
    } else {
      EXPECT_EQ(vt_test::ReadFileBytes(out + "/big.txt"), reference) << n;
    }
  }
  // The first mapping is the whole table's: that run must fail; the reader's later one must not.
  EXPECT_EQ(failed, 1);
  // Built a window at a time, the table never grows to a mapping of its own: the reader's mappings
  // failing only slow the conversion down.
  for (int n = 1; n <= 4; ++n) {
    const std::string out = folder / ("window" + std::to_string(n));
    vt::BulkArenaTestHook::FailNthMapping(n);
    const int result = VTFileConverter(source, out, 1).RunJobs();
    vt::BulkArenaTestHook::FailNthMapping(0);
    EXPECT_EQ(result, 0) << n;
    EXPECT_EQ(vt_test::ReadFileBytes(out + "/big.txt"), reference) << n;
  }
}

// Built a window of rows at a time, every converted file has the bytes of the whole table written
// at once: files over two workbooks or two sheets,
// event and display data of both formats, text and workbooks, every record and every third.
TEST(FileConverterQueue, WindowedSampleRowsWriteTheBytesOfTheWholeTable) {
  vt_test::TempFolder folder;
  // More columns than a sheet holds (two sheets), more rows (two workbooks and many windows).
  const std::string sources[] = {export_test::SizedFile(folder, 130, 1000, true, "wide"),
                                 export_test::SizedFile(folder, 3, 70000, false, "long"),
                                 export_test::SampleFile(folder, false, "e"),
                                 export_test::OlderFile(folder, true, "od")};
  int k = 0;
  for (const std::string& source : sources)
    for (int text : {0, 1})
      for (int step : {1, 3}) {
        const std::string what = source + (text ? " text" : " xls") + " step " + std::to_string(step);
        const std::string tag = std::to_string(k++);
        VTSingleFileConverter whole(folder / ("whole" + tag), source, text, step);
        whole.SetFormatterFactory(
            [](const std::string& path) { return std::make_shared<WholeTableFormatter>(path); });
        VTSingleFileConverter windowed(folder / ("windowed" + tag), source, text, step);
        ASSERT_EQ(whole.Convert(), vt::CONVERT_DONE) << what;
        ASSERT_EQ(windowed.Convert(), vt::CONVERT_DONE) << what;
        const std::vector<std::string> names = FolderNames(folder / ("whole" + tag));
        ASSERT_EQ(FolderNames(folder / ("windowed" + tag)), names) << what;
        EXPECT_GE(names.size(), 1u) << what;
        for (const std::string& name : names)
          EXPECT_TRUE(vt_test::ReadFileBytes(folder / ("whole" + tag) + "/" + name) ==
                      vt_test::ReadFileBytes(folder / ("windowed" + tag) + "/" + name))
              << what << ": " << name;
      }
}

TEST(FileConverterQueue, AllRecorderFileKindsConvert) {
  vt_test::TempFolder folder;
  const std::string sources[] = {
      export_test::SampleFile(folder, false, "e"), export_test::SampleFile(folder, true, "d"),
      export_test::OlderFile(folder, false, "oe"), export_test::OlderFile(folder, true, "od")};
  VTFileConverter queue;
  for (const auto& s : sources) queue.AddJob(folder / "out", s, 0, 1);
  ASSERT_EQ(queue.RunJobs(), 0);
  EXPECT_EQ(FolderNames(folder / "out"), (std::vector<std::string>{"d.xls", "e.xls", "od.xls", "oe.xls"}));
}

}  // namespace

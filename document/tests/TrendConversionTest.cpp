// The trend conversion of a graph document: workbooks read back with an independent reader
// (sheet names, header rows, rows per sheet, numbered files), the file numbering, a cancel
// before and during the run deleting every file, a failed open reported as a failure, a
// conversion running while the user-interface thread keeps reading the same channels, and the
// samples read a run of rows at a time writing the very bytes the cell-by-cell reads write.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "document/CGVantrelDoc.h"
#include "document/TrendConversion.h"
#include "document/testing/DocumentFixture.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"
#include "trend/NgChannel.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

struct SheetDump {
  std::string name;
  int rows = 0;
  std::vector<std::string> head;  // the first rows, each as a JSON list
};

std::vector<SheetDump> ReadSheets(const std::string& path, int head) {
  const std::string command = "/usr/bin/python3 " VT_SOURCE_ROOT "/document/tests/read_sheets.py '" + path +
                              "' " + std::to_string(head);
  std::vector<SheetDump> out;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return out;
  char line[65536];
  while (std::fgets(line, sizeof line, p)) {
    std::string s(line);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    if (s.rfind("sheet ", 0) == 0) {
      std::istringstream in(s.substr(6));
      SheetDump d;
      in >> d.rows;
      std::getline(in, d.name);
      d.name = d.name.substr(2, d.name.size() - 3);  // drop the blank and the quotes
      out.push_back(d);
    } else if (!out.empty()) {
      out.back().head.push_back(s);
    }
  }
  ::pclose(p);
  return out;
}

vt::SVantrelChannelKey Key(uint32_t recording, int channel) {
  return {RecordingGuid(recording).ToText(), channel, -1};
}

vt::SVantrelGroupEntry Entry(std::vector<vt::SVantrelChannelKey> keys) {
  vt::SVantrelGroupEntry e;
  e.keys = std::move(keys);
  return e;
}

class Owner : public vt::GraphDocumentOwner {
 public:
  void SetPathName(const std::string&, bool) override {}
  std::string GetPathName() const override { return {}; }
  void SetModifiedFlag(bool) override {}
};

class TrendConversionTest : public DocumentTest {
 protected:
  void SetUp() override {
    if (std::system("/usr/bin/python3 -c 'import xlrd' 2>/dev/null") != 0)
      GTEST_SKIP() << "python3 with xlrd is not installed";
    DocumentTest::SetUp();
    doc = std::make_unique<CGVantrelDoc>(nullptr, &owner);
    doc->m_graphName = "Plant";
    out_ = Path("out");
    ASSERT_TRUE(vt::CreateFolder(out_));
  }
  void TearDown() override {
    doc.reset();
    DocumentTest::TearDown();
  }
  // Converts groups from..to over the whole data of group 0 into out/name. With a hook, the
  // conversion is made here so that the hook is in place before its worker starts.
  int Convert(const std::string& name, int from, int to,
              std::function<void(int64_t, vt::TrendConversion&)> hook = {}) {
    SDataConvertOption o;
    o.groupFrom = from, o.groupTo = to;
    o.startTime = doc->GetGroup(0)->GetDataBegin();
    o.stopTime = doc->GetGroup(0)->GetDataEnd();
    o.outputPath = out_ + "/" + name;
    doc->SetConvertOption(o);
    std::atomic<int> ended{-1};
    if (hook) {
      vt::TrendConversion conversion(*doc, doc->GetConvertOption());
      conversion.SetRowHook([&](int64_t done) { hook(done, conversion); });
      conversion.Start([&](int r) { ended = r; });
      conversion.Join();
      EXPECT_EQ(ended.load(), conversion.Result());
      return conversion.Result();
    }
    doc->StartConversion([&](int r) { ended = r; });
    doc->GetConversion()->Join();
    const int result = doc->GetConversion()->Result();
    EXPECT_EQ(ended.load(), result);
    return result;
  }
  std::vector<std::string> OutFiles() {
    std::vector<std::string> names;
    std::vector<vt::FolderEntry> entries;
    vt::ListFolder(out_, entries);
    for (const auto& e : entries) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  Owner owner;
  std::unique_ptr<CGVantrelDoc> doc;
  std::string out_;
};

TEST(TrendConversionNames, TheNumberGoesBeforeTheFinalExtension) {
  struct Case {
    int n;
    const char* path;
    bool text;
    const char* name;
  };
  const Case cases[] = {
      {0, "/c/plant.xls", false, "/c/plant.xls"},
      {1, "/c/plant.xls", false, "/c/plant_0001.xls"},
      {12, "/c/x.xls/plant.xls", false, "/c/x.xls/plant_0012.xls"},  // not in the folder's name
      {3, "/c/x.txt/plant.txt", true, "/c/x.txt/plant_0003.txt"},
      {2, "/c/plant", false, "/c/plant_0002.xls"},         // no extension: number and extension appended
      {4, "/c/plant.xls", true, "/c/plant.xls_0004.txt"},  // the other format's extension is a name
  };
  for (const Case& c : cases) EXPECT_EQ(vt::MakeOutputName(c.n, c.path, c.text), c.name) << c.path;
}

TEST_F(TrendConversionTest, ASingleBatchWritesTheLongHeaderAndListSheets) {
  Store(RecordingFile(1, 1, 100, T, 1000), "A.DAE");
  ASSERT_TRUE(
      doc->AddGroups({Entry({Key(1, 1), Key(1, 2)}), Entry({Key(1, 2)})}, std::nullopt, std::nullopt));
  doc->LoadHeaderInfo();
  SNgMarkData mark;
  mark.groupMask = 1;
  mark.time = At(T + 5000);
  ASSERT_NE(doc->AppendMark(mark), nullptr);
  ASSERT_EQ(Convert("one.xls", 0, 49), vt::kConvertOk);
  EXPECT_EQ(OutFiles(), std::vector<std::string>{"one.xls"});  // one file: no number
  const auto sheets = ReadSheets(out_ + "/one.xls", 25);
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].name, doc->GetGroup(0)->GetDisplayName());
  EXPECT_EQ(sheets[1].name, doc->GetGroup(1)->GetDisplayName());
  EXPECT_EQ(sheets[2].name, "Mark list");
  EXPECT_EQ(sheets[0].rows, 24 + 100);
  EXPECT_EQ(sheets[1].rows, 24 + 100);
  EXPECT_EQ(sheets[2].rows, 2);  // captions and the one mark
  const auto& h = sheets[0].head;
  EXPECT_EQ(h[0], "[\"Vantrel R2.02.01\"]");
  EXPECT_EQ(h[14], "[\"Graph name\", \"Plant\"]");
  EXPECT_NE(h[17].find("\"Group Name\", \"" + doc->GetGroup(0)->GetDisplayName()), std::string::npos);
  EXPECT_EQ(h[19].rfind("[\"\", \"\", \"Channel number\"", 0), 0u) << h[19];
  EXPECT_EQ(h[23], "[\"Date\", \"Time\", \"Sec.\"]");
  EXPECT_NE(h[12].find("\"Sample rate\", 1.0, \"Sec.\""), std::string::npos) << h[12];
}

// One batch: 24 header rows, or 52 when the batch carries batch information; the data rows of a
// sheet are what the header leaves of 65,536, and the rows beyond go on in a second file. The
// batch's alarms make the alarm list sheet in every file (rows only in the first).
TEST_F(TrendConversionTest, TheLongHeadersLeaveTheirRowsPerSheet) {
  const struct {
    bool batchInfo;
    int header, perSheet;
  } cases[] = {{true, 52, 65484}, {false, 24, 65512}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header);
    const uint32_t recording = c.batchInfo ? 1 : 2;
    recgen::NewerFile m = RecordingFile(recording, 1, c.perSheet + 10, T, 1000);
    if (c.batchInfo) {
      m.batch.hasBatchInfo = 1;
      m.batch.texts[0] = {"Lot", "A-17"};
      m.batch.comments[0] = {recgen::NewerTime::At(int32_t(T / 1000) + 5, 0), "ann", "checked"};
    }
    for (int i = 0; i < 3; ++i) {
      recgen::NewerAlarm a;
      a.channel = 1;
      a.time = recgen::NewerTime::At(int32_t(T / 1000) + 10 * i, 0);
      a.dataNo = 1 + 10 * i;
      m.alarms.push_back(a);
    }
    Store(m, c.batchInfo ? "INFO.DAE" : "PLAIN.DAE");
    doc = std::make_unique<CGVantrelDoc>(nullptr, &owner);
    doc->m_graphName = "Plant";
    ASSERT_TRUE(doc->AddGroups({Entry({Key(recording, 1)})}, std::nullopt, std::nullopt));
    doc->LoadHeaderInfo();
    const std::string name = c.batchInfo ? "info.xls" : "plain.xls";
    ASSERT_EQ(Convert(name, 0, 0), vt::kConvertOk);
    for (int k = 1; k <= 2; ++k) {
      SCOPED_TRACE(k);
      const auto sheets =
          ReadSheets(out_ + "/" + name.substr(0, name.size() - 4) + vt::FormatC("_%04d.xls", k), c.header);
      ASSERT_EQ(sheets.size(), 2u);
      EXPECT_EQ(sheets[0].rows, k == 1 ? 65536 : c.header + 10);
      EXPECT_EQ(sheets[1].name, "Alarm list");
      EXPECT_EQ(sheets[1].rows, k == 1 ? 1 + 3 : 1);
      const auto& h = sheets[0].head;
      ASSERT_EQ(int(h.size()), c.header);
      EXPECT_EQ(h[size_t(c.header) - 1], "[\"Date\", \"Time\", \"Sec.\"]");
      EXPECT_EQ(h[size_t(c.header) - 5].rfind("[\"\", \"\", \"Channel number\"", 0), 0u);
      if (c.batchInfo) {
        EXPECT_EQ(h[19], "[\"Batch text1\", \"Lot\", \"A-17\"]");
        EXPECT_EQ(h[42], "[\"Batch text24\"]");  // empty texts leave no cells
        EXPECT_EQ(h[43].rfind("[\"Batch Comment1\", \"checked\", ", 0), 0u) << h[43];
        EXPECT_NE(h[43].find("\"ann\"]"), std::string::npos) << h[43];
        EXPECT_EQ(h[44], "[\"Batch Comment2\"]");
      }
    }
    EXPECT_FALSE(vt::PathExists(out_ + "/" + name.substr(0, name.size() - 4) + "_0003.xls"));
  }
}

TEST_F(TrendConversionTest, RowsBeyondOneSheetGoOnInNumberedFiles) {
  // Two batches: the short header of 12 rows, 65,524 data rows a sheet, 200,000 rows in 4 files.
  Store(RecordingFile(1, 1, 200000, T, 1000), "LONG.DAE");
  Store(RecordingFile(2, 1, 10, T, 1000), "SHORT.DAE");
  ASSERT_TRUE(doc->AddGroups({Entry({Key(1, 1)}), Entry({Key(2, 1)})}, std::nullopt, std::nullopt));
  ASSERT_EQ(Convert("long.xls", 0, 1), vt::kConvertOk);
  EXPECT_EQ(OutFiles(),
            (std::vector<std::string>{"long_0001.xls", "long_0002.xls", "long_0003.xls", "long_0004.xls"}));
  const int rows[] = {65536, 65536, 65536, 12 + 200000 - 3 * 65524};
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(k);
    const auto sheets = ReadSheets(out_ + vt::FormatC("/long_%04d.xls", k + 1), 13);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].rows, rows[k]);
    EXPECT_EQ(sheets[0].head[2], "[\"Graph name\", \"Plant\"]");
    EXPECT_EQ(sheets[0].head[11], "[\"Date\", \"Time\", \"Sec.\"]");
    // The short group keeps its sheet in every file, with rows in the first only.
    EXPECT_EQ(sheets[1].rows, k == 0 ? 12 + 10 : 12);
  }
}

// The conversion reads the samples of a run of rows once for all channels of a batch; the cells
// must be those the channels' own row reads give, cell by cell. Both ways convert the same
// documents and the files are compared byte for byte: samples over and under range and other
// reserved values, a gap between two files of one batch (no data), display pairs, alarms and a
// mark, a group of two batches whose grids interleave (rows between a channel's samples, with
// and without padding, and rows outside a channel's data), a batch whose clock jumps off its
// grid, runs of rows longer than one read, the long header and the short one, workbooks and text.
TEST_F(TrendConversionTest, ReadingRowsAtATimeWritesWhatCellByCellReadsWrite) {
  // Recording 1: two files of one batch, 100 intervals apart, reserved values in the first.
  recgen::NewerFile first = RecordingFile(1, 1, 5000, T, 1000);
  first.batch.hasBatchInfo = 1;
  first.batch.texts[0] = {"Lot", "B-2"};
  const int64_t overUnder[][3] = {{3, 0, 0x7FFF},       {4, 0, 0x8001},
                                  {5, 0, 0x7FFA},  // 16-bit
                                  {7, 1, 0x7FFF7FFF},   {8, 1, int32_t(0x80018001u)},
                                  {4500, 1, 0x7FFF7FFF}};
  for (const auto& v : overUnder) first.records[size_t(v[0])].values[size_t(v[1])] = v[2];
  for (int i = 0; i < 4; ++i) {
    recgen::NewerAlarm a;
    a.channel = int16_t(1 + i % 2);
    a.time = recgen::NewerTime::At(int32_t(T / 1000) + 20 * i, 0);
    a.dataNo = 1 + 20 * i;
    a.levelMask = uint16_t(1 << i);
    first.alarms.push_back(a);
  }
  Store(first, "A1.DAE");
  Store(RecordingFile(1, 5101, 4000, T + 5100 * 1000, 1000), "A2.DAE");
  // Recordings 2 (display pairs, 1 s) and 3 (events, 0.5 s, starting a quarter second later).
  recgen::NewerFile pairs = RecordingFile(2, 1, 3000, T, 1000, 2);
  pairs.records[10].values[0] = 0x7FFF;
  pairs.records[11].values[3] = int32_t(0x80018001u);
  Store(pairs, "B.DAD");
  Store(RecordingFile(3, 1, 9000, T + 250, 500), "C.DAE");
  // Recording 4: the clock jumps 100.5 s ahead after 3,000 records; the second part is off the
  // first part's grid.
  std::vector<int64_t> times;
  for (int i = 0; i < 5000; ++i) times.push_back(T + i * 1000 + (i < 3000 ? 0 : 100500));
  Store(RecordingFileAt(4, 1, times, 1000), "D.DAE");

  struct Case {
    const char* name;
    std::vector<vt::SVantrelGroupEntry> groups;
    bool text;
    int noPadding;
  };
  const Case cases[] = {
      {"one batch, workbook", {Entry({Key(1, 1), Key(1, 2)}), Entry({Key(1, 2)})}, false, 0},
      {"one batch, text", {Entry({Key(1, 2), Key(1, 1)})}, true, 0},
      {"two batches, workbook", {Entry({Key(2, 1), Key(3, 1), Key(2, 2), Key(3, 2)})}, false, 0},
      {"two batches, text, padded", {Entry({Key(3, 2), Key(2, 1), Key(1, 1)})}, true, 0},
      {"two batches, text, not padded", {Entry({Key(3, 2), Key(2, 1), Key(1, 1)})}, true, 1},
      {"a time change, text", {Entry({Key(4, 1), Key(1, 2)}), Entry({Key(4, 2)})}, true, 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc = std::make_unique<CGVantrelDoc>(nullptr, &owner);
    doc->m_graphName = "Plant";
    ASSERT_TRUE(doc->AddGroups(c.groups, std::nullopt, std::nullopt));
    doc->LoadHeaderInfo();
    SNgMarkData mark;
    mark.groupMask = 1;
    mark.time = At(T + 7000);
    ASSERT_NE(doc->AppendMark(mark), nullptr);
    SDataConvertOption o;
    o.groupFrom = 0, o.groupTo = 49;
    o.startTime = doc->GetGroup(0)->GetDataBegin();
    o.stopTime = doc->GetGroup(0)->GetDataEnd();
    o.format = c.text ? 1 : 0;
    o.cellWithoutValue = c.noPadding;
    ASSERT_EQ(o.IsText(), c.text);
    std::vector<std::string> written[2];  // the contents of every file written
    for (int columns = 0; columns < 2; ++columns) {
      o.outputPath = out_ + vt::FormatC("/%d%s", n++, c.text ? ".txt" : ".xls");
      vt::TrendConversion conversion(*doc, o);
      conversion.SetColumnReads(columns == 1);
      ASSERT_EQ(conversion.Run(), vt::kConvertOk);
      for (const std::string& path : conversion.WrittenFiles())
        ASSERT_TRUE(vt::ReadWholeFile(path, written[columns].emplace_back()));
    }
    // Text: a file per sheet (the groups, alarms, marks).
    ASSERT_EQ(written[0].size(), c.text ? c.groups.size() + 2 : 1u);
    ASSERT_EQ(written[1].size(), written[0].size());
    EXPECT_GT(written[0][0].size(), 50000u);
    for (size_t f = 0; f < written[0].size(); ++f)
      EXPECT_TRUE(written[0][f] == written[1][f]) << "file " << f;
    if (c.text) {
      // The fixture reaches what it is meant to: reserved values and cells without a value.
      const std::string& rows = written[0][0];
      EXPECT_NE(rows.find(vt::NgStateText(NGS_PLUS_OVER)), std::string::npos);
      EXPECT_NE(rows.find(vt::NgStateText(NGS_MINUS_OVER)), std::string::npos);
      EXPECT_NE(rows.find("\t\t"), std::string::npos);
    }
  }
}

TEST_F(TrendConversionTest, CancelAndFailureLeaveNoFiles) {
  Store(RecordingFile(1, 1, 1000, T, 1000), "A.DAE");
  ASSERT_TRUE(doc->AddGroups({Entry({Key(1, 1)})}, std::nullopt, std::nullopt));
  // During the rows of the first sheet.
  EXPECT_EQ(Convert("c.xls", 0, 0,
                    [&](int64_t done, vt::TrendConversion& c) {
                      if (done == 500) c.Cancel();
                    }),
            vt::kConvertCancelled);
  EXPECT_TRUE(OutFiles().empty());
  // Through the progress window's cancel function before the worker runs: the flag is never
  // cleared once the worker exists.
  doc->StartConversion([&](int) {});
  CGVantrelDoc::CancelConversion(doc.get());
  doc->WaitForConvertThread();
  EXPECT_EQ(doc->GetConversion(), nullptr);
  EXPECT_TRUE(OutFiles().empty());
  // A folder that does not exist.
  EXPECT_EQ(Convert("missing/c.xls", 0, 0), vt::kConvertFailed);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(TrendConversionTest, NothingToConvertWritesNothing) {
  // A group without channels and no alarm or mark: no file and no failure.
  ASSERT_EQ(Convert("none.xls", 0, 49), vt::kConvertOk);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(TrendConversionTest, TheScreenKeepsReadingItsChannelsMeanwhile) {
  Store(RecordingFile(1, 1, 30000, T, 1000), "A.DAE");
  ASSERT_TRUE(doc->AddGroups({Entry({Key(1, 1), Key(1, 2)})}, std::nullopt, std::nullopt));
  SDataConvertOption o;
  o.startTime = doc->GetGroup(0)->GetDataBegin();
  o.stopTime = doc->GetGroup(0)->GetDataEnd();
  o.outputPath = out_ + "/busy.xls";
  doc->SetConvertOption(o);
  std::atomic<bool> ended{false};
  doc->StartConversion([&](int) { ended = true; });
  CGVantrelGroupData* g = doc->GetGroup(0);
  int reads = 0;
  // What painting the trend and the sheet does: block reads across the data, extremes over
  // long spans (the shared summaries read the batch's columns, as the conversion does) and row
  // lookups.
  while (!ended) {
    double v = 0, w = 0;
    PreciseTime at;
    uint16_t status = 0;
    g->GetChannel(0)->ReadValueFrom(At(T + (reads * 7919 % 30000) * 1000), &at, &v, &status);
    const int64_t from = reads * 3571 % 20000;
    g->GetChannel(1)->ReadMinMaxOver(At(T + from * 1000), At(T + (from + 9000) * 1000), &v, &w, &status);
    g->EnsureRowTime().FindRow(At(T + (reads % 30000) * 1000));
    ++reads;
  }
  doc->WaitForConvertThread();
  EXPECT_GT(reads, 0);
  const auto sheets = ReadSheets(out_ + "/busy.xls", 0);
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(sheets[0].rows, 24 + 30000);
}

}  // namespace
}  // namespace document_test

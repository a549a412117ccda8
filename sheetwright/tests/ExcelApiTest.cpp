// The exported functions: handles and slots, the checks of every writer, code pages, the
// close, and what each failure leaves behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "SheetwrightTestSupport.h"
#include "platform/base/FileSystem.h"
#include "sheetwright/ResultCodes.h"
#include "sheetwright/Sheetwright.h"
#include "sheetwright/Testing.h"
#include "sheetwright/Workbook.h"
#include "testing/TempFolder.h"

namespace sheetwright::test {
namespace {

class ExcelApiTest : public SheetwrightTest {
 protected:
  ExcelWorkbook* Open(const std::string& name, int sheets = 1) {
    ExcelWorkbook* wb = excel_create_file(Path(name).c_str());
    EXPECT_NE(wb, nullptr);
    for (int i = 0; i < sheets; ++i) EXPECT_EQ(excel_add_sheet(wb, ("S" + std::to_string(i)).c_str()), i);
    return wb;
  }
  bool IsWorkbook(const std::string& name) {
    std::string bytes = ReadFile(Path(name));
    return bytes.size() >= 13824 && bytes.compare(0, 4, "\xD0\xCF\x11\xE0") == 0;
  }
  // The texts of the string table, in order.
  std::vector<std::u16string> Texts(const std::string& name) {
    std::vector<std::u16string> texts;
    for (const Record& r : GlobalsRecords(WorkbookStream(Path(name)))) {
      std::size_t at = r.type == 0x00FC ? 8 : r.type == 0x003C ? 0 : std::size_t(-1);
      if (at == std::size_t(-1) || r.data.size() <= at) continue;
      std::u16string t;
      for (uint16_t i = 0, n = Le16(r.data, at); i < n; ++i)
        t += char16_t(Le16(r.data, at + 3 + 2 * std::size_t(i)));
      texts.push_back(t);
    }
    return texts;
  }
};

TEST_F(ExcelApiTest, DestinationLengthAndTheTenSlots) {
  EXPECT_EQ(excel_create_file("/a.xl"), nullptr);
  EXPECT_EQ(LastResultCode(), kBadDestination);
  EXPECT_EQ(excel_create_file(nullptr), nullptr);
  std::string long219 = "/" + std::string(214, 'n') + ".xls";
  ASSERT_EQ(long219.size(), 219u);
  EXPECT_EQ(excel_create_file(long219.c_str()), nullptr);
  EXPECT_EQ(LastResultCode(), kBadDestination);

  std::vector<ExcelWorkbook*> open;
  ExcelWorkbook* w218 = excel_create_file(long219.substr(1).c_str());
  ASSERT_NE(w218, nullptr);
  open.push_back(w218);
  for (int i = 1; i < 10; ++i) open.push_back(Open("w" + std::to_string(i) + ".xls"));
  EXPECT_EQ(excel_create_file(Path("eleven.xls").c_str()), nullptr);
  excel_close_file(open[3]);
  EXPECT_TRUE(IsWorkbook("w3.xls"));
  ExcelWorkbook* again = excel_create_file(Path("eleven.xls").c_str());
  EXPECT_NE(again, nullptr);
  open[3] = again;
  for (ExcelWorkbook* wb : open) excel_close_file(wb);
  EXPECT_TRUE(Entries(TempFolder()).empty());
}

TEST_F(ExcelApiTest, StaleAndForeignHandlesAreRefused) {
  ExcelWorkbook* first = Open("first.xls");
  excel_close_file(first);
  ExcelWorkbook* second = Open("second.xls");  // takes the same slot
  EXPECT_EQ(excel_add_sheet(first, "Other"), -1);
  EXPECT_EQ(excel_input_value(first, 0, 1, 1, 1.0, 0), 0);
  excel_close_file(first);  // must not close the second workbook
  int local = 0;
  ExcelWorkbook* foreign = reinterpret_cast<ExcelWorkbook*>(&local);
  EXPECT_EQ(excel_input_string(foreign, 0, 1, 1, "x"), 0);
  excel_close_file(foreign);
  EXPECT_EQ(excel_input_value(second, 0, 1, 1, 2.0, 0), 1);
  excel_close_file(second);
  EXPECT_TRUE(IsWorkbook("second.xls"));
  EXPECT_EQ(excel_input_value(second, 0, 2, 1, 2.0, 0), 0);
}

TEST_F(ExcelApiTest, SheetNamesAndTheHundredSheets) {
  ExcelWorkbook* wb = excel_create_file(Path("names.xls").c_str());
  ASSERT_EQ(excel_add_sheet(wb, "Data"), 0);
  struct NameCase {
    std::string name;
    int result;
  };
  std::string e31;
  for (int i = 0; i < 31; ++i) e31 += "\xC3\xA9";  // 31 units in 62 bytes
  const NameCase cases[] = {
      {std::string(32, 'n'), -1},
      {"", -1},
      {"Data", -1},
      {"data", -1},
      {"DATA", -1},
      {std::string(31, 'n'), 1},
      {e31, 2},
      {"\xC3\x89" + e31.substr(2), -1},  // É vs é
      {"Daten", 3},
      {"\xCE\x94\xCE\xB1\xCF\x84\xCE\xB1", 4},
      {"\xCE\xB4\xCE\x91\xCE\xA4\xCE\x91", -1},  // Greek
      {"\xD0\x94\xD0\xB0\xD0\xBD", 5},
      {"\xD0\xB4\xD0\x90\xD0\x9D", -1},  // Cyrillic
      {"\xC5\xB8", 6},
      {"\xC3\xBF", -1},  // Y diaeresis
  };
  for (const NameCase& c : cases) {
    EXPECT_EQ(excel_add_sheet(wb, c.name.c_str()), c.result) << c.name;
    if (c.result < 0) {
      EXPECT_EQ(LastResultCode(), kBadSheetName) << c.name;
    }
  }
  for (int i = 7; i < 100; ++i) ASSERT_EQ(excel_add_sheet(wb, ("Sheet" + std::to_string(i)).c_str()), i);
  EXPECT_EQ(excel_add_sheet(wb, "Sheet100"), -1);
  EXPECT_EQ(LastResultCode(), kTooManySheets);
  EXPECT_EQ(excel_input_value(wb, 99, 1, 1, 99.0, 0), 1);
  excel_close_file(wb);
  EXPECT_TRUE(IsWorkbook("names.xls"));
  EXPECT_EQ(OfType(GlobalsRecords(WorkbookStream(Path("names.xls"))), 0x0085).size(), 100u);
}

TEST_F(ExcelApiTest, PositionsAndRowOrderPerSheet) {
  ExcelWorkbook* wb = Open("rows.xls", 2);
  struct Cell {
    int sheet, row, column, result;
  };
  const Cell cells[] = {
      {0, 7, 1, 1},     {0, 5, 1, 0},   {0, 7, 3, 1},       {0, 7, 2, 1},  // same row, any column order
      {1, 1, 1, 1},     {1, 2, 1, 1},   {0, 6, 1, 0},       {0, 8, 1, 1},  // sheets are independent
      {0, 9, 0, 0},     {0, 9, 257, 0}, {2, 9, 1, 0},       {-1, 9, 1, 0},
      {0, 65537, 1, 0}, {1, 0, 1, 0},   {0, 65536, 256, 1}, {0, 65536, 1, 1},
  };
  for (const Cell& c : cells)
    EXPECT_EQ(excel_input_value(wb, c.sheet, c.row, c.column, 1.0, 0), c.result)
        << c.sheet << " " << c.row << " " << c.column;
  EXPECT_EQ(excel_input_value(wb, 0, std::numeric_limits<int>::min(), 1, 1.0, 0), 0);
  excel_close_file(wb);
  std::vector<uint8_t> stream = WorkbookStream(Path("rows.xls"));
  std::vector<Record> s0 = SheetRecords(stream, 0);
  EXPECT_EQ(OfType(s0, 0x027E).size(), 6u);
  EXPECT_EQ(OfType(s0, 0x0200).at(0).data, Bytes({6, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0}));
}

TEST_F(ExcelApiTest, TextLengthsAndConversionFallback) {
  ExcelWorkbook* wb = Open("texts.xls");
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, ""), 0);
  EXPECT_EQ(LastResultCode(), kBadStringCell);
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, nullptr), 1);  // taken as a blank
  EXPECT_EQ(excel_input_string(wb, 0, 1, 2, std::string(4106, 'x').c_str()), 1);
  EXPECT_EQ(excel_input_string(wb, 0, 1, 3, std::string(4107, 'x').c_str()), 0);
  EXPECT_EQ(excel_input_string(wb, 0, 1, 4, "bad \xC3 byte"), 1);  // not UTF-8: a blank
  EXPECT_EQ(excel_input_string(wb, 0, 1, 5, "\xE2\x82\xAC 5"), 1);
  excel_close_file(wb);
  std::vector<std::u16string> texts = Texts("texts.xls");
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], u" ");
  EXPECT_EQ(texts[1].size(), 4106u);
  EXPECT_EQ(texts[2], u"\u20AC 5");
  std::vector<Record> sst = OfType(GlobalsRecords(WorkbookStream(Path("texts.xls"))), 0x00FC);
  EXPECT_EQ(Le32(sst.at(0).data, 0), 4u);  // string cells
  EXPECT_EQ(Le32(sst.at(0).data, 4), 3u);  // distinct texts
}

TEST_F(ExcelApiTest, NumberArgumentsRefusedWithoutHarm) {
  ExcelWorkbook* wb = Open("numbers.xls");
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    bool exponent;
    double value;
    int decimals, result;
  };
  const Case cases[] = {
      {false, 1.5, -2, 0},         {false, 1.5, 11, 0}, {true, 1.5, 5, 0},  {true, 1.5, -1, 0},
      {false, std::nan(""), 2, 0}, {false, inf, 2, 0},  {true, -inf, 2, 0}, {false, 1.5, -1, 1},
      {false, 1.5, 10, 1},         {true, 1.5, 0, 1},   {true, 1.5, 4, 1},
  };
  int column = 1;
  for (const Case& c : cases) {
    int r = c.exponent ? excel_input_exp(wb, 0, 1, column, c.value, c.decimals)
                       : excel_input_value(wb, 0, 1, column, c.value, c.decimals);
    EXPECT_EQ(r, c.result) << c.value << " " << c.decimals;
    if (!r) {
      EXPECT_EQ(LastResultCode(), kBadNumberCell);
    }
    ++column;
  }
  excel_close_file(wb);
  std::vector<Record> cells = OfType(SheetRecords(WorkbookStream(Path("numbers.xls")), 0), 0x027E);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(Le16(cells[0].data, 4), 39);
  EXPECT_EQ(Le16(cells[1].data, 4), 38);
  EXPECT_EQ(Le16(cells[2].data, 4), 41);
  EXPECT_EQ(Le16(cells[3].data, 4), 45);
}

TEST_F(ExcelApiTest, DateAndTimeChecks) {
  ExcelWorkbook* wb = Open("dates.xls");
  struct Case {
    int y, m, d, format, result;
    uint32_t code;
  };
  const Case dates[] = {
      {1903, 12, 31, 0, 0, kBadDate}, {2001, 2, 29, 0, 0, kBadDate}, {2100, 2, 29, 0, 0, kBadDate},
      {2000, 2, 29, 0, 1, kOk},       {3199, 12, 31, 4, 1, kOk},     {2000, 1, 1, 5, 0, kBadDate},
  };
  int row = 1;
  for (const Case& c : dates) {
    EXPECT_EQ(excel_input_date(wb, 0, row, 1, c.y, c.m, c.d, c.format), c.result)
        << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(LastResultCode(), c.code);
  }
  EXPECT_EQ(excel_input_time(wb, 0, row, 2, 23, 59, 60, 0), 0);
  EXPECT_EQ(LastResultCode(), kBadTime);
  EXPECT_EQ(excel_input_time(wb, 0, row, 2, 12, 0, 0, 1), 0);
  EXPECT_EQ(LastResultCode(), kBadTime);
  EXPECT_EQ(excel_input_time(wb, 0, row, 2, 12, 0, 0, 0), 1);
  // Date and time: the date checks first, then the time, then the format.
  EXPECT_EQ(excel_input_datetime(wb, 0, row, 3, 2001, 2, 29, 25, 0, 0, 9), 0);
  EXPECT_EQ(LastResultCode(), kBadDate);
  EXPECT_EQ(excel_input_datetime(wb, 0, row, 3, 2001, 2, 28, 25, 0, 0, 9), 0);
  EXPECT_EQ(LastResultCode(), kBadTime);
  EXPECT_EQ(excel_input_datetime(wb, 0, row, 3, 2001, 2, 28, 23, 0, 0, 6), 0);
  EXPECT_EQ(LastResultCode(), kBadDate);
  EXPECT_EQ(excel_input_datetime(wb, 0, row, 3, 2001, 2, 28, 23, 0, 0, 5), 1);
  excel_close_file(wb);
  EXPECT_TRUE(IsWorkbook("dates.xls"));
}

TEST_F(ExcelApiTest, CodePages) {
  ResetCodePageForTesting();
  EXPECT_EQ(excel_select_codepage(65001), EXCEL_UNSUPPORTED_CODEPAGE);
  EXPECT_EQ(excel_select_codepage(65001), int(0x80000001u));
  ExcelWorkbook* wb = Open("cp.xls");
  // Before any choice bytes are Latin-1.
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, "caf\xE9"), 1);
  EXPECT_EQ(excel_select_codepage(932), 1252);
  EXPECT_EQ(excel_input_string(wb, 0, 2, 1, "\x82\xA0"), 1);  // hiragana a
  EXPECT_EQ(excel_select_codepage(1252), 932);
  EXPECT_EQ(excel_input_string(wb, 0, 3, 1, "\x80"), 1);  // euro sign
  EXPECT_EQ(excel_input_string(wb, 0, 4, 1, "\x81"), 1);  // undefined in 1252: a blank
  EXPECT_EQ(excel_select_codepage(936), 1252);
  EXPECT_EQ(excel_input_string(wb, 0, 5, 1, "\xD6\xD0"), 1);  // zhong
  EXPECT_EQ(excel_select_codepage(949), 936);
  EXPECT_EQ(excel_input_string(wb, 0, 6, 1, "\xC7\xD1"), 1);  // han
  EXPECT_EQ(excel_select_codepage(0), 949);
  EXPECT_EQ(excel_add_sheet(wb, "\xE6\x97\xA5\xE6\x9C\xAC"), 1);
  EXPECT_EQ(excel_select_codepage(1252), 9999);
  excel_close_file(wb);
  EXPECT_EQ(Texts("cp.xls"),
            (std::vector<std::u16string>{u"caf\u00E9", u"\u3042", u"\u20AC", u" ", u"\u4E2D", u"\uD55C"}));
  std::vector<Record> bound = OfType(GlobalsRecords(WorkbookStream(Path("cp.xls"))), 0x0085);
  EXPECT_EQ(std::vector<uint8_t>(bound.at(1).data.begin() + 6, bound.at(1).data.end()),
            Bytes({2, 1, 0xE5, 0x65, 0x2C, 0x67}));
}

TEST_F(ExcelApiTest, CloseWithoutSheetsLeavesNothing) {
  ExcelWorkbook* wb = excel_create_file(Path("none.xls").c_str());
  ASSERT_NE(wb, nullptr);
  std::string folder = WorkFolderOf(wb);
  EXPECT_TRUE(Exists(folder));
  excel_close_file(wb);
  EXPECT_EQ(LastResultCode(), kNoSheets);
  EXPECT_FALSE(Exists(Path("none.xls")));
  EXPECT_TRUE(Entries(TempFolder()).empty());
  EXPECT_EQ(excel_add_sheet(wb, "late"), -1);
}

TEST_F(ExcelApiTest, CloseReplacesAnExistingFile) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("old.xls"), "not a workbook"));
  ExcelWorkbook* wb = Open("old.xls");
  excel_close_file(wb);
  EXPECT_EQ(LastResultCode(), kOk);
  EXPECT_TRUE(IsWorkbook("old.xls"));
}

TEST_F(ExcelApiTest, MissingTempFolder) {
  ::setenv("TMPDIR", Path("no-such-folder").c_str(), 1);
  EXPECT_EQ(excel_create_file(Path("t.xls").c_str()), nullptr);
  EXPECT_EQ(LastResultCode(), kTempFolderMissing);
  ::setenv("TMPDIR", TempFolder().c_str(), 1);
  ExcelWorkbook* wb = Open("t.xls");
  // A temp folder gone while the workbook is open refuses new sheets but keeps the workbook.
  ASSERT_EQ(::rename(TempFolder().c_str(), Path("moved").c_str()), 0);
  EXPECT_EQ(excel_add_sheet(wb, "Late"), -1);
  EXPECT_EQ(LastResultCode(), kTempFolderMissing);
  ASSERT_EQ(::rename(Path("moved").c_str(), TempFolder().c_str()), 0);
  EXPECT_EQ(excel_add_sheet(wb, "Late"), 1);
  excel_close_file(wb);
  EXPECT_TRUE(IsWorkbook("t.xls"));
}

TEST_F(ExcelApiTest, SameFileNameInTwoFoldersAtOnce) {
  ASSERT_TRUE(vt::CreateFolder(Path("a")));
  ASSERT_TRUE(vt::CreateFolder(Path("b")));
  ExcelWorkbook* a = Open("a/data.xls");
  ExcelWorkbook* b = Open("b/data.xls");
  EXPECT_NE(WorkFolderOf(a), WorkFolderOf(b));
  EXPECT_EQ(excel_input_string(a, 0, 1, 1, "from a"), 1);
  EXPECT_EQ(excel_input_string(b, 0, 1, 1, "from b"), 1);
  excel_close_file(a);
  excel_close_file(b);
  EXPECT_EQ(Texts("a/data.xls"), std::vector<std::u16string>{u"from a"});
  EXPECT_EQ(Texts("b/data.xls"), std::vector<std::u16string>{u"from b"});
  EXPECT_TRUE(Entries(TempFolder()).empty());
}

// Writes beyond a file size limit fail (as on a full disk) while the limit is set.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit l = saved_;
    l.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &l);
  }
  ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

TEST_F(ExcelApiTest, FailedStringAppendLeavesTheTableIntact) {
  ExcelWorkbook* wb = Open("sst.xls");
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, "first"), 1);
  {
    FileSizeLimit limit(4096);
    EXPECT_EQ(excel_input_string(wb, 0, 2, 1, std::string(3000, 'L').c_str()), 0);
    EXPECT_EQ(LastResultCode(), kBadStringCell);
  }
  EXPECT_EQ(excel_input_string(wb, 0, 3, 1, "second"), 1);
  EXPECT_EQ(excel_input_string(wb, 0, 4, 1, "first"), 1);
  excel_close_file(wb);
  EXPECT_EQ(Texts("sst.xls"), (std::vector<std::u16string>{u"first", u"second"}));
  std::vector<uint8_t> stream = WorkbookStream(Path("sst.xls"));
  EXPECT_EQ(Le32(OfType(GlobalsRecords(stream), 0x00FC).at(0).data, 0), 3u);
  std::vector<Record> labels = OfType(SheetRecords(stream, 0), 0x00FD);
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(Le32(labels[1].data, 6), 1u);
  EXPECT_EQ(Le32(labels[2].data, 6), 0u);
}

TEST_F(ExcelApiTest, WriteFailuresDiscardTheWorkbook) {
  // A cell record that cannot be written discards the workbook with all its work files.
  ExcelWorkbook* wb = Open("cells.xls");
  std::string folder = WorkFolderOf(wb);
  {
    FileSizeLimit limit(4096);
    int written = 1;
    for (int row = 1; row <= 65536 && written; ++row) written = excel_input_value(wb, 0, row, 1, 0.5, 1);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(LastResultCode(), kNumberCellWriteFailed);
  }
  EXPECT_FALSE(Exists(folder));
  EXPECT_EQ(excel_input_value(wb, 0, 65536, 2, 0.5, 1), 0);

  // A close that cannot assemble the file leaves neither the file nor work files.
  wb = Open("close.xls");
  for (int row = 1; row <= 400; ++row) ASSERT_EQ(excel_input_value(wb, 0, row, 1, 0.5, 1), 1);
  {
    FileSizeLimit limit(8192);
    excel_close_file(wb);
  }
  EXPECT_EQ(LastResultCode(), kAssemblyFailed);
  EXPECT_FALSE(Exists(Path("close.xls")));
  EXPECT_TRUE(Entries(TempFolder()).empty());
}

TEST_F(ExcelApiTest, FailuresWhileCreatingOrAddingASheetLeaveNothing) {
  // The string work file's header cannot be written: no handle, no work files, the slot free.
  {
    FileSizeLimit limit(2);
    EXPECT_EQ(excel_create_file(Path("header.xls").c_str()), nullptr);
    EXPECT_EQ(LastResultCode(), kStringHeaderFailed);
  }
  EXPECT_TRUE(Entries(TempFolder()).empty());

  // A new sheet's header cannot be written: the workbook goes with all its work files.
  ExcelWorkbook* wb = Open("sheet.xls");
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, "kept until the failure"), 1);
  {
    FileSizeLimit limit(2);
    EXPECT_EQ(excel_add_sheet(wb, "Second"), -1);
    EXPECT_EQ(LastResultCode(), kCellHeaderFailed);
  }
  EXPECT_TRUE(Entries(TempFolder()).empty());
  EXPECT_EQ(excel_input_value(wb, 0, 2, 1, 1.0, 0), 0);
  excel_close_file(wb);
  EXPECT_FALSE(Exists(Path("sheet.xls")));
}

TEST_F(ExcelApiTest, FailedMoveLeavesNoFileBehind) {
  // The destination's folder does not exist: the finished file cannot be moved there, and the
  // caller finds no file (nothing half-written, no work files left in the temp folder).
  ExcelWorkbook* wb = excel_create_file(Path("missing/out.xls").c_str());
  ASSERT_NE(wb, nullptr);
  ASSERT_EQ(excel_add_sheet(wb, "S"), 0);
  EXPECT_EQ(excel_input_value(wb, 0, 1, 1, 1.0, 0), 1);
  excel_close_file(wb);
  EXPECT_EQ(LastResultCode(), kAssemblyFailed);
  EXPECT_FALSE(Exists(Path("missing/out.xls")));
  EXPECT_TRUE(Entries(TempFolder()).empty());
  EXPECT_EQ(excel_add_sheet(wb, "late"), -1);
}

TEST_F(ExcelApiTest, CellsRefusedBeforeTheStreamOutgrowsItsLimit) {
  ExcelWorkbook* wb = Open("big.xls");
  SetStreamLimitForTesting(8000);
  int row = 1;
  while (row <= 1000 && excel_input_value(wb, 0, row, 1, 0.5, 1)) ++row;
  EXPECT_LT(row, 1000);
  EXPECT_EQ(LastResultCode(), kBadNumberCell);
  EXPECT_EQ(excel_input_string(wb, 0, row, 1, std::string(200, 's').c_str()), 0);
  EXPECT_EQ(excel_input_time(wb, 0, row, 1, 1, 0, 0, 0), 0);
  SetStreamLimitForTesting(Workbook::kStreamLimit);
  excel_close_file(wb);
  std::vector<uint8_t> stream = WorkbookStream(Path("big.xls"));
  EXPECT_LE(stream.size(), 8000u);
  EXPECT_GT(stream.size(), 8000u - 60);
  EXPECT_EQ(OfType(SheetRecords(stream, 0), 0x027E).size(), std::size_t(row - 1));
}

TEST_F(ExcelApiTest, CellsRefusedBeforeTheWholeFileOutgrowsItsLimit) {
  // The file limit counts the allocation table and directory on top of the stream: with a
  // limit of 15 sectors past the smallest file, the stream stops well below it.
  constexpr uint64_t kLimit = 13824 + 15 * 512;
  ExcelWorkbook* wb = Open("whole.xls");
  SetFileLimitForTesting(kLimit);
  int row = 1;
  while (row <= 2000 && excel_input_value(wb, 0, row, 1, 0.5, 1)) ++row;
  EXPECT_LT(row, 2000);
  EXPECT_EQ(LastResultCode(), kBadNumberCell);
  // Every kind of cell is refused the same way, and the workbook stays usable.
  EXPECT_EQ(excel_input_string(wb, 0, row, 1, std::string(200, 's').c_str()), 0);
  EXPECT_EQ(LastResultCode(), kBadStringCell);
  EXPECT_EQ(excel_input_datetime(wb, 0, row, 1, 2010, 5, 10, 9, 0, 0, 0), 0);
  EXPECT_EQ(LastResultCode(), kBadDate);
  SetFileLimitForTesting(Workbook::kFileLimit);
  excel_close_file(wb);
  uint64_t size = 0;
  ASSERT_TRUE(vt::GetFileSize(Path("whole.xls"), size));
  EXPECT_LE(size, kLimit);
  EXPECT_GT(size, kLimit - 1024);
  EXPECT_EQ(OfType(SheetRecords(WorkbookStream(Path("whole.xls")), 0), 0x027E).size(), std::size_t(row - 1));
}

TEST_F(ExcelApiTest, MoveAcrossFileSystems) {
  struct stat shm, here;
  if (::stat("/dev/shm", &shm) != 0 || ::stat(root_.c_str(), &here) != 0 || shm.st_dev == here.st_dev)
    GTEST_SKIP() << "no second file system (/dev/shm) beside the test folder";
  vt_test::TempFolder shmTemp("/dev/shm");
  const std::string pattern = shmTemp.path();
  ASSERT_FALSE(pattern.empty());
  ::setenv("TMPDIR", pattern.c_str(), 1);
  ExcelWorkbook* wb = Open("moved.xls");
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, "across"), 1);
  excel_close_file(wb);
  EXPECT_EQ(LastResultCode(), kOk);
  EXPECT_EQ(Texts("moved.xls"), std::vector<std::u16string>{u"across"});
  EXPECT_TRUE(Entries(pattern).empty());
}

TEST_F(ExcelApiTest, WorkbooksWrittenFromSeveralThreads) {
  constexpr int kThreads = 6;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      ExcelWorkbook* wb = excel_create_file(Path("thread" + std::to_string(t) + ".xls").c_str());
      if (!wb) return;
      excel_add_sheet(wb, "T");
      for (int row = 1; row <= 500; ++row) {
        excel_input_value(wb, 0, row, 1, row + t * 0.25, 2);
        excel_input_string(wb, 0, row, 2, ("t" + std::to_string(t) + "r" + std::to_string(row % 50)).c_str());
      }
      excel_close_file(wb);
    });
  }
  for (std::thread& th : threads) th.join();
  for (int t = 0; t < kThreads; ++t) {
    std::string name = "thread" + std::to_string(t) + ".xls";
    ASSERT_TRUE(IsWorkbook(name)) << name;
    std::vector<std::u16string> texts = Texts(name);
    ASSERT_EQ(texts.size(), 50u);
    std::string expected = "t" + std::to_string(t) + "r1";
    EXPECT_EQ(texts[0], std::u16string(expected.begin(), expected.end()));
    std::vector<Record> s = SheetRecords(WorkbookStream(Path(name)), 0);
    EXPECT_EQ(OfType(s, 0x00FD).size(), 500u);
  }
}

}  // namespace
}  // namespace sheetwright::test

// Workbooks read back by independent readers: a container check and a BIFF8 reader (through a
// Python script) and, where it is installed, a spreadsheet program converting them to CSV.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "SheetwrightTestSupport.h"
#include "sheetwright/Sheetwright.h"

namespace sheetwright::test {
namespace {

class ExternalReadersTest : public SheetwrightTest {
 protected:
  void SetUp() override {
    SheetwrightTest::SetUp();
    int code = 0;
    RunCommand("/usr/bin/python3 -c 'import xlrd, olefile' 2>/dev/null", code);
    if (code != 0) GTEST_SKIP() << "python3 with xlrd and olefile is not installed";
  }
  // The reader's lines for a workbook.
  std::vector<std::string> Read(const std::string& name) {
    int code = 0;
    std::string out = RunCommand("/usr/bin/python3 " SHEETWRIGHT_READER " '" + Path(name) + "' 2>&1", code);
    EXPECT_EQ(code, 0) << out;
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static void ExpectLines(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
    std::set<std::string> seen(lines.begin(), lines.end());
    for (const std::string& e : expected) EXPECT_TRUE(seen.count(e)) << "missing: " << e;
  }
  static std::size_t CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
    std::size_t n = 0;
    for (const std::string& l : lines) n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
  }
};

// Values, formats, dates, texts (one spanning further records), sheet names and the last cell.
void WriteMixedWorkbook(const std::string& path) {
  ExcelWorkbook* wb = excel_create_file(path.c_str());
  ASSERT_NE(wb, nullptr);
  ASSERT_EQ(excel_add_sheet(wb, "Values"), 0);
  ASSERT_EQ(excel_add_sheet(wb, "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"), 1);
  ASSERT_EQ(excel_add_sheet(wb, "Empty"), 2);
  EXPECT_EQ(excel_input_string(wb, 0, 1, 1, "Hello"), 1);
  EXPECT_EQ(excel_input_value(wb, 0, 1, 2, 1.0, 3), 1);
  EXPECT_EQ(excel_input_exp(wb, 0, 1, 3, 1234567.0, 2), 1);
  EXPECT_EQ(excel_input_value(wb, 0, 1, 4, 1e-5, -1), 1);
  EXPECT_EQ(excel_input_value(wb, 0, 1, 5, 1234567.89, 2), 1);
  EXPECT_EQ(excel_input_datetime(wb, 0, 2, 1, 2010, 5, 10, 14, 3, 0, 0), 1);
  EXPECT_EQ(excel_input_datetime(wb, 0, 2, 2, 2010, 5, 10, 14, 3, 0, 5), 1);
  EXPECT_EQ(excel_input_date(wb, 0, 2, 3, 1904, 1, 2, 3), 1);
  EXPECT_EQ(excel_input_time(wb, 0, 2, 4, 6, 30, 15, 0), 1);
  EXPECT_EQ(excel_input_value(wb, 0, 2, 5, 3.14, 2), 1);
  EXPECT_EQ(excel_input_value(wb, 0, 2, 6, -12345.67, 1), 1);
  EXPECT_EQ(excel_input_string(wb, 0, 3, 1, std::string(4106, 'x').c_str()), 1);
  EXPECT_EQ(excel_input_string(wb, 0, 3, 2, std::string(4106, 'y').c_str()), 1);
  EXPECT_EQ(excel_input_string(wb, 0, 3, 3,
                               "Gr\xC3\xB6\xC3\x9F"
                               "e \xC2\xB5\xC2\xB0"
                               "C"),
            1);
  EXPECT_EQ(excel_input_string(wb, 0, 4, 1, "Hello"), 1);
  EXPECT_EQ(excel_input_value(wb, 0, 65536, 256, 42.0, 0), 1);
  EXPECT_EQ(excel_input_string(wb, 1, 5, 2, "\xE5\x80\xA4"), 1);
  excel_close_file(wb);
}

TEST_F(ExternalReadersTest, MixedWorkbook) {
  WriteMixedWorkbook(Path("mixed.xls"));
  std::vector<std::string> lines = Read("mixed.xls");
  ExpectLines(lines, {
                         "ole 0",
                         "stream SummaryInformation 4096",
                         "stream DocumentSummaryInformation 4096",
                         "datemode 1",
                         "sheet 0 \"Values\"",
                         "sheet 1 \"\\u65e5\\u672c\\u8a9e\"",
                         "sheet 2 \"Empty\"",
                         "cell 0 0 0 text 5 \"Hello\" \"@\"",
                         "cell 0 0 1 number 1.0 \"0.000\"",
                         "cell 0 0 2 number 1234567.0 \"0.00E+00\"",
                         "cell 0 0 3 number 1e-05 \"General\"",
                         "cell 0 0 4 number 1234567.89 \"0.00\"",
                         "cell 0 1 0 date 2010-5-10 14:3:0 \"yyyy\\\\/m\\\\/d;@\"",
                         "cell 0 1 1 date 2010-5-10 14:3:0 \"h:mm:ss;@\"",
                         "cell 0 1 2 date 1904-1-2 0:0:0 \"d\\\\.m\\\\.yyyy;@\"",
                         "cell 0 1 4 number 3.14 \"0.00\"",
                         "cell 0 1 5 number -12345.67 \"0.0\"",
                         "cell 0 2 2 text 9 \"Gr\\u00f6\\u00dfe \\u00b5\\u00b0C\" \"@\"",
                         "cell 0 3 0 text 5 \"Hello\" \"@\"",
                         "cell 0 65535 255 number 42.0 \"0\"",
                         "cell 1 4 1 text 1 \"\\u5024\" \"@\"",
                     });
  // A time alone, before the first day of the 1904 system, is a fraction of a day.
  EXPECT_EQ(CountPrefix(lines, "cell 0 1 3 "), 1u);
  EXPECT_EQ(CountPrefix(lines, "cell 0 2 0 text 4106 \"xxxx"), 1u);
  EXPECT_EQ(CountPrefix(lines, "cell 0 2 1 text 4106 \"yyyy"), 1u);
  EXPECT_EQ(CountPrefix(lines, "cell 2 "), 0u);
}

TEST_F(ExternalReadersTest, HundredSheets) {
  ExcelWorkbook* wb = excel_create_file(Path("hundred.xls").c_str());
  ASSERT_NE(wb, nullptr);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(excel_add_sheet(wb, ("Sheet " + std::to_string(i)).c_str()), i);
    ASSERT_EQ(excel_input_value(wb, i, i + 1, 1 + i % 256, i * 1.5, 1), 1);
  }
  excel_close_file(wb);
  std::vector<std::string> lines = Read("hundred.xls");
  EXPECT_EQ(CountPrefix(lines, "sheet "), 100u);
  std::vector<std::string> expected = {"ole 0"};
  for (int i = 0; i < 100; ++i) {
    std::ostringstream value;
    value << (i * 1.5);
    std::string v = value.str();
    if (v.find('.') == std::string::npos) v += ".0";
    expected.push_back("sheet " + std::to_string(i) + " \"Sheet " + std::to_string(i) + "\"");
    expected.push_back("cell " + std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i) +
                       " number " + v + " \"0.0\"");
  }
  ExpectLines(lines, expected);
}

TEST_F(ExternalReadersTest, StreamBeyondTheHeaderAllocationTable) {
  // About 7.3 MB of distinct long texts: more FAT sectors than the header can list.
  ExcelWorkbook* wb = excel_create_file(Path("large.xls").c_str());
  ASSERT_NE(wb, nullptr);
  ASSERT_EQ(excel_add_sheet(wb, "Texts"), 0);
  std::string text(4000, 'a');
  for (int i = 0; i < 900; ++i) {
    std::string number = std::to_string(i);
    text.replace(0, number.size() + 1, number + ":");
    ASSERT_EQ(excel_input_string(wb, 0, i + 1, 1, text.c_str()), 1);
  }
  excel_close_file(wb);
  std::vector<uint8_t> stream = WorkbookStream(Path("large.xls"));
  ASSERT_GT(stream.size(), 7079424u);
  std::vector<std::string> lines = Read("large.xls");
  ExpectLines(lines, {"ole 0", "stream Workbook " + std::to_string(stream.size()), "datemode 1"});
  EXPECT_EQ(CountPrefix(lines, "cell 0 "), 900u);
  EXPECT_EQ(CountPrefix(lines, "cell 0 899 0 text 4000 \"899:aaa"), 1u);
}

TEST_F(ExternalReadersTest, SpreadsheetProgramConvertsToCsv) {
  int code = 0;
  std::string soffice = RunCommand("command -v soffice || command -v libreoffice", code);
  if (code != 0 || soffice.empty())
    GTEST_SKIP() << "no spreadsheet program (soffice) installed: CSV check skipped";
  soffice.erase(soffice.find_last_not_of("\n") + 1);
  WriteMixedWorkbook(Path("mixed.xls"));
  std::string command =
      "cd '" + root_ + "' && HOME='" + root_ + "' '" + soffice +
      "' --headless --norestore -env:UserInstallation=file://" + root_ +
      "/profile --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,"
      "false,false,-1' --outdir '" +
      root_ + "/csv' mixed.xls 2>&1";
  std::string out = RunCommand(command, code);
  ASSERT_EQ(code, 0) << out;
  std::string values = ReadFile(root_ + "/csv/mixed-Values.csv");
  std::istringstream in(values);
  std::vector<std::string> rows;
  for (std::string line; std::getline(in, line);)
    rows.push_back(line.substr(0, line.find_last_not_of(",\r") + 1));
  ASSERT_GE(rows.size(), 4u) << values;
  EXPECT_EQ(rows[0].substr(0, 29), "Hello,1.000,1.23E+06,0.00001,") << values;
  EXPECT_EQ(rows[1].substr(0, 28), "2010/5/10,14:03:00,2.1.1904,") << values;
  EXPECT_EQ(rows[3], "Hello");
}

}  // namespace
}  // namespace sheetwright::test

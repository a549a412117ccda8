// The spreadsheet output: a workbook of numbers, texts, dates and times in a display zone with
// daylight saving, read back by an independent reader; free names; and the failures that must
// give 1 and log nothing.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "FormshiftTestSupport.h"
#include "formshift/CFileConverter.h"
#include "platform/base/FileSystem.h"

namespace formshift::test {
namespace {

using SpreadsheetOutputTest = ConverterTest;

void ExpectLines(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
  std::set<std::string> seen(lines.begin(), lines.end());
  for (const std::string& e : expected) EXPECT_TRUE(seen.count(e)) << "missing: " << e;
}

TEST_F(SpreadsheetOutputTest, WorkbookReadBackWithDatesAndTimesOfTheDisplayZone) {
  CentralEuropeanDisplayZone zone;
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("data.xls").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.Init(65536, 256), FCONV_OK);
  ASSERT_EQ(c.AddSheet("Data 12:00/13:00"), FCONV_OK);
  EXPECT_EQ(c.WriteString(0, 0, "Tag"), FCONV_OK);
  EXPECT_EQ(c.WriteString(0, 1, ""), FCONV_OK);  // no cell
  EXPECT_EQ(c.WriteString(0, 2,
                          "Gr\xC3\xBC\xC3\x9F"
                          "e"),
            FCONV_OK);
  EXPECT_EQ(c.WriteDouble(1, 0, 12.5, 3), FCONV_OK);
  EXPECT_EQ(c.WriteDouble(1, 1, -7.0, -1), FCONV_OK);
  EXPECT_EQ(c.WriteExp(1, 2, 1234.5, 2), FCONV_OK);
  const int32_t times[] = {kMay10At0900Utc,  kJan10At0900Utc, kBeforeSpringForward,
                           kAtSpringForward, kBeforeFallBack, kAtFallBack};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(c.WriteDate(2 + i, 0, times[i]), FCONV_OK) << i;
    EXPECT_EQ(c.WriteTime(2 + i, 1, times[i]), FCONV_OK) << i;
  }
  ASSERT_EQ(c.AddSheet("Second"), FCONV_OK);
  EXPECT_EQ(c.WriteDouble(0, 0, 1.0, 0), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{Path("data.xls")});

  std::optional<std::vector<std::string>> lines = ReadWorkbook(Path("data.xls"));
  if (!lines) GTEST_SKIP() << "python3 with xlrd and olefile is not installed";
  ExpectLines(*lines, {
                          "ole 0",
                          "datemode 1",
                          "sheet 0 \"Data 12_00_13_00\"",
                          "sheet 1 \"Second\"",
                          "cell 0 0 0 text 3 \"Tag\" \"@\"",
                          "cell 0 0 2 text 5 \"Gr\\u00fc\\u00dfe\" \"@\"",
                          "cell 0 1 0 number 12.5 \"0.000\"",
                          "cell 0 1 1 number -7.0 \"General\"",
                          "cell 0 1 2 number 1234.5 \"0.00E+00\"",
                          "cell 0 2 0 date 2010-5-10 11:0:0 \"yyyy\\\\/m\\\\/d;@\"",
                          "cell 0 2 1 date 2010-5-10 11:0:0 \"h:mm:ss;@\"",
                          "cell 0 3 1 date 2010-1-10 10:0:0 \"h:mm:ss;@\"",
                          "cell 0 4 1 date 2010-3-28 1:59:59 \"h:mm:ss;@\"",
                          "cell 0 5 1 date 2010-3-28 3:0:0 \"h:mm:ss;@\"",
                          "cell 0 6 1 date 2010-10-31 2:59:59 \"h:mm:ss;@\"",
                          "cell 0 7 1 date 2010-10-31 2:0:0 \"h:mm:ss;@\"",
                          "cell 1 0 0 number 1.0 \"0\"",
                      });
  for (const std::string& line : *lines) EXPECT_NE(line.rfind("cell 0 0 1 ", 0), 0u) << line;
}

TEST_F(SpreadsheetOutputTest, TakesTheFirstFreeName) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("a.xls"), "mine"));
  ASSERT_TRUE(vt::CreateFolder(Path("a_1.xls")));  // a folder takes the name too
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("a.xls").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet("S"), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{Path("a_2.xls")});
  EXPECT_EQ(vt_test::ReadFileBytes(Path("a.xls")), "mine");
  // Only a "." of the file name starts the extension.
  ASSERT_TRUE(vt::CreateFolder(Path("v1.5")));
  EXPECT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("v1.5/book").c_str(), false), FCONV_ERROR);
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(c.GetConvertedFileNum(), 1u);
  EXPECT_EQ(Entries(folder_.path()),
            (std::vector<std::string>{"a.xls", "a_1.xls", "a_2.xls", "temp", "v1.5"}));
  EXPECT_TRUE(Entries(Path("v1.5")).empty());
}

TEST_F(SpreadsheetOutputTest, CellRules) {
  CentralEuropeanDisplayZone zone;
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("rules.xls").c_str(), false), FCONV_OK);
  EXPECT_EQ(c.WriteDouble(0, 0, 1.0, 1), FCONV_ERROR);  // no sheet yet
  ASSERT_EQ(c.AddSheet("S"), FCONV_OK);
  struct Case {
    const char* what;
    FCONV_ECODE expected;
    std::function<FCONV_ECODE()> call;
  };
  const Case cases[] = {
      {"null text", FCONV_ERROR, [&] { return c.WriteString(0, 0, nullptr); }},
      {"last row and column", FCONV_OK, [&] { return c.WriteDouble(65535, 255, 1.0, 1); }},
      {"row past the sheet", FCONV_ERROR, [&] { return c.WriteDouble(65536, 0, 1.0, 1); }},
      {"column past the sheet", FCONV_ERROR, [&] { return c.WriteDouble(65535, 256, 1.0, 1); }},
      {"negative row", FCONV_ERROR, [&] { return c.WriteString(-1, 0, "x"); }},
      {"largest row", FCONV_ERROR, [&] { return c.WriteString(2147483647, 0, "x"); }},
      {"too many decimals", FCONV_ERROR, [&] { return c.WriteDouble(65535, 0, 1.0, 11); }},
      {"display date before 1904", FCONV_ERROR, [&] { return c.WriteDate(65535, 0, -2101334400); }},
      {"same time as a time", FCONV_ERROR, [&] { return c.WriteTime(65535, 0, -2101334400); }},
  };
  for (const Case& k : cases) EXPECT_EQ(k.call(), k.expected) << k.what;
  EXPECT_EQ(c.WriteDate(65535, 1, kMay10At0900Utc), FCONV_OK);  // the workbook stays usable
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{Path("rules.xls")});

  ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("single.xls").c_str(), true), FCONV_OK);
  EXPECT_EQ(c.AddSheet("S"), FCONV_ERROR);  // single-file mode has its one sheet
  EXPECT_EQ(c.WriteDouble(0, 0, 3.0, 0), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  std::optional<std::vector<std::string>> lines = ReadWorkbook(Path("single.xls"));
  if (!lines) GTEST_SKIP() << "python3 with xlrd and olefile is not installed";
  ExpectLines(*lines, {"sheet 0 \"single\"", "cell 0 0 0 number 3.0 \"0\""});
}

TEST_F(SpreadsheetOutputTest, FailuresGiveOneAndLogNothing) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("plain"), "a file, not a folder"));
  struct Case {
    const char* what;
    std::string path;
    std::function<void(CFileConverter&)> spoil;  // after Open
    bool addSheetFails;
  };
  const Case cases[] = {
      {"folder that cannot take the file", Path("plain/out.xls"), [](CFileConverter&) {}, false},
      {"workbook discarded by the writer", Path("lost.xls"),
       [&](CFileConverter&) {
         // The writer's work folder vanishes: the next sheet cannot be made and the writer
         // throws the workbook away.
         std::vector<std::string> work = Entries(Path("temp"));
         ASSERT_EQ(work.size(), 1u);
         ASSERT_TRUE(vt::RemoveTree(Path("temp/" + work[0])));
       },
       true},
      {"workbook without a sheet", Path("empty.xls"), [](CFileConverter& c) { c.Init(1, 1); }, false},
  };
  for (const Case& k : cases) {
    CFileConverter c;
    ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, k.path.c_str(), false), FCONV_OK) << k.what;
    k.spoil(c);
    if (k.path != Path("empty.xls")) {
      EXPECT_EQ(c.AddSheet("S"), k.addSheetFails ? FCONV_ERROR : FCONV_OK) << k.what;
      EXPECT_EQ(c.WriteString(0, 0, "x"), k.addSheetFails ? FCONV_ERROR : FCONV_OK) << k.what;
    }
    EXPECT_EQ(c.Close(), FCONV_ERROR) << k.what;
    EXPECT_EQ(c.GetConvertedFileNum(), 0u) << k.what;
    EXPECT_FALSE(vt::PathExists(k.path)) << k.what;
    EXPECT_TRUE(Entries(Path("temp")).empty()) << k.what << ": work files left";
  }
}

}  // namespace
}  // namespace formshift::test

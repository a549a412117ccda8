// The front end: members without an output, the converted-file log across outputs, deleting
// what was converted, name cleaning, copies, and the exported interface of the library.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <thread>

#include "FormshiftTestSupport.h"
#include "formshift/CFileConverter.h"
#include "platform/base/FileSystem.h"

namespace formshift::test {
namespace {

using FileConverterTest = ConverterTest;

TEST_F(FileConverterTest, EveryMemberFailsWithoutAnOutput) {
  CFileConverter c;
  const std::pair<const char*, std::function<FCONV_ECODE()>> calls[] = {
      {"Close", [&] { return c.Close(); }},
      {"Init", [&] { return c.Init(10, 10); }},
      {"AddSheet", [&] { return c.AddSheet("s"); }},
      {"WriteString", [&] { return c.WriteString(0, 0, "x"); }},
      {"WriteDate", [&] { return c.WriteDate(0, 0, 0); }},
      {"WriteTime", [&] { return c.WriteTime(0, 0, 0); }},
      {"WriteDouble", [&] { return c.WriteDouble(0, 0, 1.0, 1); }},
      {"WriteExp", [&] { return c.WriteExp(0, 0, 1.0, 1); }},
  };
  for (const auto& [name, call] : calls) EXPECT_EQ(call(), FCONV_ERROR) << name;
  EXPECT_EQ(c.GetConvertedFileNum(), 0u);
  EXPECT_EQ(c.GetCovnertedFilePath(0), nullptr);
  EXPECT_EQ(c.ResetConvertedFileLog(), FCONV_OK);
  EXPECT_EQ(c.DeleteConvertedFile(), FCONV_OK);
}

TEST_F(FileConverterTest, UnknownFormatFailsAndItsCloseLogsNothing) {
  CFileConverter c;
  EXPECT_EQ(c.Open(FILE_FORMAT_TYPE(4), Path("x.txt").c_str(), false), FCONV_ERROR);
  EXPECT_EQ(c.AddSheet("s"), FCONV_ERROR);
  EXPECT_EQ(c.Close(), FCONV_OK);  // the output's own close: it had nothing open
  EXPECT_EQ(c.GetConvertedFileNum(), 0u);
  EXPECT_FALSE(vt::PathExists(Path("x_s.txt")));
}

TEST_F(FileConverterTest, NameCleaning) {
  struct Case {
    const char* name;
    bool ok;
    const char* sheet;  // after ReplaceUnusableCharOnExcelSheetName
    const char* file;   // after ReplaceUnusableCharOnFileName
  };
  const Case cases[] = {
      {"12:00/13:00", true, "12_00_13_00", "12_00_13_00"},
      {"a[1]", true, "a_1_", "a[1]"},
      {"it's", true, "it_s", "it's"},
      {"a\\b*c?d", true, "a_b_c_d", "a_b_c_d"},
      {"<x>|\"y\"", true, "<x>|\"y\"", "_x___y_"},
      {"plain name.1", true, "plain name.1", "plain name.1"},
      {"Gr\xC3\xBC\xC3\x9F"
       "e:\xE6\x97\xA5",
       true,
       "Gr\xC3\xBC\xC3\x9F"
       "e_\xE6\x97\xA5",
       "Gr\xC3\xBC\xC3\x9F"
       "e_\xE6\x97\xA5"},
      {"", false, "", ""},
  };
  for (const Case& c : cases) {
    char dst[260] = "garbage";
    EXPECT_EQ(CFileConverter::ReplaceUnusableCharOnExcelSheetName(c.name, dst), c.ok) << c.name;
    EXPECT_STREQ(dst, c.sheet) << c.name;
    std::strcpy(dst, "garbage");
    EXPECT_EQ(CFileConverter::ReplaceUnusableCharOnFileName(c.name, dst), c.ok) << c.name;
    EXPECT_STREQ(dst, c.file) << c.name;
  }
}

TEST_F(FileConverterTest, SheetNamesAreCleanedOfBothSetsAndMayNotReach260Bytes) {
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("d.txt").c_str(), false), FCONV_OK);
  EXPECT_EQ(c.AddSheet("12:00/13:00"), FCONV_OK);
  EXPECT_EQ(c.AddSheet("a[1]<b>"), FCONV_OK);
  EXPECT_EQ(c.AddSheet(std::string(260, 'n').c_str()), FCONV_ERROR);
  EXPECT_EQ(c.AddSheet(nullptr), FCONV_ERROR);
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), (std::vector<std::string>{Path("d_12_00_13_00.txt"), Path("d_a_1__b_.txt")}));
}

TEST_F(FileConverterTest, LogCollectsEveryOutputAndDeleteRemovesThem) {
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("book.xls").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet("S"), FCONV_OK);
  ASSERT_EQ(c.WriteDouble(0, 0, 1.5, 1), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("t.txt").c_str(), false), FCONV_OK);
  for (const char* sheet : {"1", "2"}) {
    ASSERT_EQ(c.AddSheet(sheet), FCONV_OK);
    ASSERT_EQ(c.WriteString(0, 0, sheet), FCONV_OK);
  }
  ASSERT_EQ(c.Close(), FCONV_OK);
  const std::vector<std::string> written = {Path("book.xls"), Path("t_1.txt"), Path("t_2.txt")};
  EXPECT_EQ(Log(c), written);
  EXPECT_EQ(c.GetCovnertedFilePath(c.GetConvertedFileNum()), nullptr);
  for (const std::string& p : written) EXPECT_TRUE(vt::FileExists(p)) << p;

  // A third output still open is finished and logged before everything goes.
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("u.txt").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet(""), FCONV_OK);
  EXPECT_EQ(c.DeleteConvertedFile(), FCONV_OK);
  EXPECT_EQ(c.GetConvertedFileNum(), 0u);
  for (const std::string& p : written) EXPECT_FALSE(vt::PathExists(p)) << p;
  EXPECT_FALSE(vt::PathExists(Path("u.txt")));
  EXPECT_EQ(c.Close(), FCONV_ERROR);  // nothing open any more
}

TEST_F(FileConverterTest, ResetForgetsThePathsButKeepsTheFiles) {
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("t.txt").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet("a"), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(c.ResetConvertedFileLog(), FCONV_OK);
  EXPECT_EQ(c.GetConvertedFileNum(), 0u);
  EXPECT_EQ(c.DeleteConvertedFile(), FCONV_OK);
  EXPECT_TRUE(vt::FileExists(Path("t_a.txt")));
}

TEST_F(FileConverterTest, OpenOverAnOpenOutputFinishesAndLogsItFirst) {
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("first.xls").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet("S"), FCONV_OK);
  ASSERT_EQ(c.WriteString(0, 0, "kept"), FCONV_OK);
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("second.txt").c_str(), false), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{Path("first.xls")});
  EXPECT_TRUE(vt::FileExists(Path("first.xls")));
  ASSERT_EQ(c.AddSheet("x"), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), (std::vector<std::string>{Path("first.xls"), Path("second_x.txt")}));
  // Ten workbooks left open one over the other would have used up every workbook slot.
  for (int i = 0; i < 12; ++i) {
    std::string path = Path("w" + std::to_string(i) + ".xls");
    ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, path.c_str(), false), FCONV_OK) << i;
    ASSERT_EQ(c.AddSheet("S"), FCONV_OK) << i;
  }
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(c.GetConvertedFileNum(), 14u);
}

TEST_F(FileConverterTest, DestroyingWithAnOpenWorkbookFinishesIt) {
  {
    CFileConverter c;
    ASSERT_EQ(c.Open(FILE_FORMAT_EXCEL97, Path("left.xls").c_str(), false), FCONV_OK);
    ASSERT_EQ(c.AddSheet("S"), FCONV_OK);
    ASSERT_EQ(c.WriteDouble(0, 0, 2.0, 0), FCONV_OK);
  }
  EXPECT_TRUE(vt::FileExists(Path("left.xls")));
}

TEST_F(FileConverterTest, CopiesTakeThePathsButNeverTheOutput) {
  CFileConverter original;
  ASSERT_EQ(original.Open(FILE_FORMAT_TEXT, Path("t.txt").c_str(), false), FCONV_OK);
  ASSERT_EQ(original.AddSheet("a"), FCONV_OK);
  ASSERT_EQ(original.Close(), FCONV_OK);
  ASSERT_EQ(original.Open(FILE_FORMAT_TEXT, Path("t.txt").c_str(), false), FCONV_OK);
  {
    CFileConverter copy(original);
    EXPECT_EQ(Log(copy), std::vector<std::string>{Path("t_a.txt")});
    EXPECT_EQ(copy.AddSheet("b"), FCONV_ERROR);  // no output of its own
    CFileConverter assigned;
    assigned = copy;
    EXPECT_EQ(Log(assigned), std::vector<std::string>{Path("t_a.txt")});
  }
  EXPECT_EQ(original.AddSheet("b"), FCONV_OK);  // the original's output is untouched
  EXPECT_EQ(original.Close(), FCONV_OK);
  EXPECT_EQ(Log(original), (std::vector<std::string>{Path("t_a.txt"), Path("t_b.txt")}));
}

TEST_F(FileConverterTest, ConvertersOnTwoThreadsWriteAtTheSameTime) {
  CentralEuropeanDisplayZone zone;
  constexpr int kRows = 400;
  auto convert = [&](const std::string& name, FILE_FORMAT_TYPE type, std::vector<std::string>* log) {
    CFileConverter c;
    ASSERT_EQ(c.Open(type, Path(name).c_str(), false), FCONV_OK);
    ASSERT_EQ(c.AddSheet("S"), FCONV_OK);
    for (int r = 0; r < kRows; ++r) {
      ASSERT_EQ(c.WriteDate(r, 0, kMay10At0900Utc + 3600 * r), FCONV_OK);
      ASSERT_EQ(c.WriteTime(r, 1, kMay10At0900Utc + 3600 * r), FCONV_OK);
      ASSERT_EQ(c.WriteDouble(r, 2, r, 0), FCONV_OK);
    }
    ASSERT_EQ(c.Close(), FCONV_OK);
    *log = Log(c);
  };
  std::vector<std::string> logs[4];
  std::thread threads[] = {std::thread(convert, "a.txt", FILE_FORMAT_TEXT, &logs[0]),
                           std::thread(convert, "b.txt", FILE_FORMAT_TEXT, &logs[1]),
                           std::thread(convert, "a.xls", FILE_FORMAT_EXCEL97, &logs[2]),
                           std::thread(convert, "b.xls", FILE_FORMAT_EXCEL97, &logs[3])};
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(logs[0], std::vector<std::string>{Path("a_S.txt")});
  EXPECT_EQ(logs[2], std::vector<std::string>{Path("a.xls")});
  EXPECT_EQ(logs[3], std::vector<std::string>{Path("b.xls")});
  std::string expected;
  for (int r = 0; r < kRows; ++r) {
    // 2010-05-10 11:00 daylight time plus r hours.
    int day = 10 + (11 + r) / 24, hour = (11 + r) % 24;
    expected += "\"2010/05/" + std::to_string(day) + "\"\t\"" + (hour < 10 ? "0" : "") +
                std::to_string(hour) + ":00:00\"\t" + std::to_string(r) + "\r\n";
  }
  EXPECT_EQ(vt_test::ReadFileBytes(Path("a_S.txt")), expected);
  EXPECT_EQ(vt_test::ReadFileBytes(Path("b_S.txt")), expected);
}

TEST(FormshiftLibrary, ExportsOnlyTheConverterClass) {
  std::optional<std::string> out =
      CommandOutput("nm -D -C --defined-only '" FORMSHIFT_LIBRARY "' 2>/dev/null");
  if (!out) GTEST_SKIP() << "nm is not available";
  std::set<std::string> names;
  std::istringstream in(*out);
  for (std::string line; std::getline(in, line);) {
    // "<address> <kind> <demangled name with blanks>"
    std::size_t kind = line.find(' ');
    if (kind == std::string::npos || kind + 3 > line.size()) continue;
    names.insert(line.substr(kind + 3));
  }
  for (const std::string& name : names) {
    const bool member = name.rfind("CFileConverter::", 0) == 0;
    const bool classData = name == "vtable for CFileConverter" || name == "typeinfo for CFileConverter" ||
                           name == "typeinfo name for CFileConverter";
    EXPECT_TRUE(member || classData) << name;
  }
  for (const char* expected : {"CFileConverter::CFileConverter()",
                               "CFileConverter::CFileConverter(CFileConverter const&)",
                               "CFileConverter::operator=(CFileConverter const&)",
                               "CFileConverter::~CFileConverter()",
                               "CFileConverter::Open(FILE_FORMAT_TYPE, char const*, bool)",
                               "CFileConverter::Close()",
                               "CFileConverter::Init(int, int)",
                               "CFileConverter::AddSheet(char const*)",
                               "CFileConverter::WriteString(int, int, char const*)",
                               "CFileConverter::WriteDate(int, int, int)",
                               "CFileConverter::WriteTime(int, int, int)",
                               "CFileConverter::WriteDouble(int, int, double, short)",
                               "CFileConverter::WriteExp(int, int, double, short)",
                               "CFileConverter::ReplaceUnusableCharOnExcelSheetName(char const*, char*)",
                               "CFileConverter::ReplaceUnusableCharOnFileName(char const*, char*)",
                               "CFileConverter::GetConvertedFileNum()",
                               "CFileConverter::GetCovnertedFilePath(unsigned int)",
                               "CFileConverter::ResetConvertedFileLog()",
                               "CFileConverter::DeleteConvertedFile()",
                               "vtable for CFileConverter"})
    EXPECT_TRUE(names.count(expected)) << expected;
}

}  // namespace
}  // namespace formshift::test

// The text outputs: one file per sheet with names from the opened path and the sheet, the log
// in the order the files were finished, the cells as text (dates and times quoted, in the
// display zone), single-file mode, and the failures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "FormshiftTestSupport.h"
#include "formshift/CFileConverter.h"
#include "platform/base/FileSystem.h"

namespace formshift::test {
namespace {

using TextOutputTest = ConverterTest;

TEST_F(TextOutputTest, CellsAsTextWithDatesAndTimesOfTheDisplayZone) {
  CentralEuropeanDisplayZone zone;
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("data.txt").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet("Data"), FCONV_OK);
  EXPECT_EQ(c.WriteString(0, 0, "Date"), FCONV_OK);
  EXPECT_EQ(c.WriteString(0, 1, "Time"), FCONV_OK);
  EXPECT_EQ(c.WriteString(0, 3, "CH01"), FCONV_OK);
  const int32_t times[] = {kMay10At0900Utc,  kJan10At0900Utc, kBeforeSpringForward,
                           kAtSpringForward, kBeforeFallBack, kAtFallBack};
  // Cells come row by row, as the conversions write them; the data column holds values in
  // the first four rows.
  const std::function<FCONV_ECODE()> values[] = {
      [&] { return c.WriteDouble(1, 3, 12.5, 3); },
      [&] { return c.WriteExp(2, 3, -1234.5, 4); },
      [&] { return c.WriteString(3, 3, ""); },  // "no data"
      [&] { return c.WriteString(4, 3, "+OVER"); },
  };
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(c.WriteDate(1 + i, 0, times[i]), FCONV_OK) << i;
    EXPECT_EQ(c.WriteTime(1 + i, 1, times[i]), FCONV_OK) << i;
    if (i < 4) {
      EXPECT_EQ(values[i](), FCONV_OK) << i;
    }
  }
  EXPECT_EQ(c.WriteString(6, 4, nullptr), FCONV_ERROR);
  EXPECT_EQ(c.WriteDouble(0, 5, 1.0, 1), FCONV_ERROR);  // a finished row
  // The program changes the display zone during the conversion: the next cell follows it.
  zone.Holder().SetDisplayTimeZone(vt::DISPLAY_ZONE_NO_DAYLIGHT, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(c.WriteTime(8, 1, kMay10At0900Utc), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{Path("data_Data.txt")});
  EXPECT_EQ(vt_test::ReadFileBytes(Path("data_Data.txt")),
            "Date\tTime\t\tCH01\r\n"
            "\"2010/05/10\"\t\"11:00:00\"\t\t12.500\r\n"
            "\"2010/01/10\"\t\"10:00:00\"\t\t-1.2345E+03\r\n"
            "\"2010/03/28\"\t\"01:59:59\"\t\t\r\n"
            "\"2010/03/28\"\t\"03:00:00\"\t\t+OVER\r\n"
            "\"2010/10/31\"\t\"02:59:59\"\r\n"
            "\"2010/10/31\"\t\"02:00:00\"\r\n"
            "\r\n"
            "\t\"10:00:00\"\r\n");
}

TEST_F(TextOutputTest, WithoutTheProgramTheZoneIsTheComputersBiasAlone) {
  // No holder: each cell makes the shared record itself, with the standard bias only.
  vt_test::ScopedTimeZone cet("CET-1CEST,M3.5.0,M10.5.0/3");
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("t.txt").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet(""), FCONV_OK);
  EXPECT_EQ(c.WriteDate(0, 0, kMay10At0900Utc), FCONV_OK);
  EXPECT_EQ(c.WriteTime(0, 1, kMay10At0900Utc), FCONV_OK);
  EXPECT_EQ(c.WriteDate(1, 0, 0), FCONV_OK);
  EXPECT_EQ(c.WriteTime(1, 1, 0), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(vt_test::ReadFileBytes(Path("t.txt")),
            "\"2010/05/10\"\t\"10:00:00\"\r\n"
            "\"1970/01/01\"\t\"01:00:00\"\r\n");
}

TEST_F(TextOutputTest, FileNamesAndLogOrder) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("data_3.txt"), "mine"));
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("data.txt").c_str(), false), FCONV_OK);
  // Sheets as the trend conversion makes them: the size is announced for every file.
  ASSERT_EQ(c.Init(65536, 256), FCONV_OK);
  for (const char* sheet : {"1", "2", "", "3", "3"}) ASSERT_EQ(c.AddSheet(sheet), FCONV_OK) << sheet;
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), (std::vector<std::string>{Path("data_1.txt"), Path("data_2.txt"), Path("data.txt"),
                                              Path("data_3_1.txt"), Path("data_3_2.txt")}));
  EXPECT_EQ(vt_test::ReadFileBytes(Path("data_3.txt")), "mine");
  EXPECT_EQ(vt_test::ReadFileBytes(Path("data_1.txt")), "");

  // Formats 1 and 2 write the same layout; a sheet name of the fullest length still fits.
  for (FILE_FORMAT_TYPE type : {FILE_FORMAT_KIND33, FILE_FORMAT_KIND3}) {
    CFileConverter k;
    ASSERT_EQ(k.Open(type, Path("k.csv").c_str(), false), FCONV_OK);
    ASSERT_EQ(k.AddSheet(std::to_string(int(type)).c_str()), FCONV_OK);
    ASSERT_EQ(k.WriteDouble(0, 0, 2.0, 1), FCONV_OK);
    ASSERT_EQ(k.Close(), FCONV_OK);
    EXPECT_EQ(vt_test::ReadFileBytes(Path("k_" + std::to_string(int(type)) + ".csv")), "2.0\r\n");
  }
}

// A name where a symbolic link stands is not free, even when the link leads nowhere: the file
// goes under the next free name and nothing is written where the link points.
TEST_F(TextOutputTest, ANameTakenByALinkIsPassedOver) {
  ASSERT_EQ(::symlink(Path("elsewhere.txt").c_str(), Path("data.txt").c_str()), 0);
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("data.txt").c_str(), false), FCONV_OK);
  ASSERT_EQ(c.AddSheet(""), FCONV_OK);
  ASSERT_EQ(c.WriteString(0, 0, "x"), FCONV_OK);
  ASSERT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{Path("data_1.txt")});
  EXPECT_EQ(vt_test::ReadFileBytes(Path("data_1.txt")), "x\r\n");
  EXPECT_FALSE(vt::PathExists(Path("elsewhere.txt")));
}

TEST_F(TextOutputTest, CloseRightAfterOpenWritesAndLogsNothing) {
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("none.txt").c_str(), false), FCONV_OK);
  EXPECT_EQ(c.WriteString(0, 0, "x"), FCONV_ERROR);  // no sheet, no file
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(c.GetConvertedFileNum(), 0u);
  EXPECT_EQ(Entries(folder_.path()), std::vector<std::string>{"temp"});
}

TEST_F(TextOutputTest, SingleFileModeWritesThePathItselfAndLogsNothing) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("one.txt"), "old"));
  CFileConverter c;
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("one.txt").c_str(), true), FCONV_OK);
  EXPECT_EQ(c.Init(0, 0), FCONV_OK);
  EXPECT_EQ(c.AddSheet("s"), FCONV_ERROR);
  EXPECT_EQ(c.WriteString(0, 0, "new"), FCONV_OK);
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(c.GetConvertedFileNum(), 0u);
  EXPECT_EQ(vt_test::ReadFileBytes(Path("one.txt")), "new\r\n");
}

TEST_F(TextOutputTest, FailuresGiveOneAndLogNothing) {
  ASSERT_TRUE(vt::WriteFileAtomic(Path("plain"), "a file, not a folder"));
  CFileConverter c;
  // A folder that cannot take the file.
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("plain/out.txt").c_str(), false), FCONV_OK);
  EXPECT_EQ(c.AddSheet("s"), FCONV_ERROR);
  EXPECT_EQ(c.WriteString(0, 0, "x"), FCONV_ERROR);
  EXPECT_EQ(c.Close(), FCONV_OK);
  // A base path whose file name has no extension.
  ASSERT_TRUE(vt::CreateFolder(Path("v1.5")));
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, Path("v1.5/out").c_str(), false), FCONV_OK);
  EXPECT_EQ(c.AddSheet("s"), FCONV_ERROR);
  EXPECT_EQ(c.Close(), FCONV_OK);
  // Names that would reach 260 bytes.
  std::string longBase = Path(std::string(250 - folder_.path().size(), 'b') + ".txt");
  ASSERT_EQ(longBase.size(), 255u);
  ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, longBase.c_str(), false), FCONV_OK);
  EXPECT_EQ(c.AddSheet("abcd"), FCONV_ERROR);
  EXPECT_EQ(c.AddSheet("abc"), FCONV_OK);  // 259 bytes
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(c.Open(FILE_FORMAT_TEXT, (Path(std::string(260, 'p')) + ".txt").c_str(), false), FCONV_ERROR);
  EXPECT_EQ(c.Close(), FCONV_OK);
  EXPECT_EQ(Log(c), std::vector<std::string>{longBase.substr(0, longBase.size() - 4) + "_abc.txt"});
  // A failed write in single-file mode fails the close.
  if (vt::PathExists("/dev/full")) {
    ASSERT_EQ(c.Open(FILE_FORMAT_TEXT, "/dev/full", true), FCONV_OK);
    EXPECT_EQ(c.WriteString(0, 0, "lost"), FCONV_OK);
    EXPECT_EQ(c.Close(), FCONV_ERROR);
    EXPECT_EQ(c.GetConvertedFileNum(), 1u);
  }
}

}  // namespace
}  // namespace formshift::test

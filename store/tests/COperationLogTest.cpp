// The operation log: exact lines (level letter, code, text with its trailing blank, argument,
// CR LF, four-digit year), one file per local day named after the day the log opened, appending
// to a file of the same day, and the message table.
#include <string>

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/COperationLog.h"
#include "testing/ScopedEnvironment.h"

namespace {

using vt_test::ReadFileBytes;

// 2010-05-10 14:03:07 UTC.
constexpr int64_t kMay10 = 1273500187;

class OperationLogTest : public store_test::TempRootTest {
 protected:
  vt_test::ScopedTimeZone zone_{"UTC0"};
};

TEST_F(OperationLogTest, WritesExactLinesIntoTheFileOfTheDayItOpened) {
  COperationLog log;
  int64_t now = kMay10;
  log.SetClock([&] { return now; });
  log.SetPrefix(Path("import"));
  EXPECT_FALSE(log.Write(10314));  // not open: nothing
  ASSERT_TRUE(log.Open());
  EXPECT_EQ(log.GetPath(), Path("import_20100510.log"));
  EXPECT_TRUE(log.Write(10314));
  EXPECT_TRUE(log.WriteWithText(10301, "/data/A.DAE"));
  EXPECT_TRUE(log.WriteWithText(10304, "/data/B.DAE"));  // the text's trailing blank stays
  EXPECT_TRUE(log.Write(10320));
  EXPECT_FALSE(log.Write(10325));  // no such code: nothing written
  EXPECT_FALSE(log.WriteWithText(12345, "x"));
  now += 86400;  // past midnight the run goes on writing into the file it opened
  EXPECT_TRUE(log.Write(10316));
  log.Close();
  EXPECT_EQ(ReadFileBytes(Path("import_20100510.log")),
            "2010/05/10 14:03:07  I[10314] : START AUTOMATIC IMPORT\r\n"
            "2010/05/10 14:03:07  I[10301] : IMPORT: FILE=/data/A.DAE\r\n"
            "2010/05/10 14:03:07  E[10304] : IMPORT ERROR [CRC ERROR] FILE= /data/B.DAE\r\n"
            "2010/05/10 14:03:07  E[10320] : IMPORT ERROR [DISK FULL]\r\n"
            "2010/05/11 14:03:07  I[10316] : FINISH IMPORT\r\n");

  // Opened again on the next day: a new file; opened again on the same day: appended.
  ASSERT_TRUE(log.Open());
  EXPECT_EQ(log.GetPath(), Path("import_20100511.log"));
  log.Write(10313);
  now = kMay10 + 600;
  ASSERT_TRUE(log.Open());
  log.Write(10317);
  log.Close();
  EXPECT_EQ(ReadFileBytes(Path("import_20100511.log")),
            "2010/05/11 14:03:07  I[10313] : START MANUAL IMPORT\r\n");
  const std::string may10 = ReadFileBytes(Path("import_20100510.log"));
  const std::string appended = "2010/05/10 14:13:07  I[10317] : DISTURB IMPORT\r\n";
  ASSERT_GT(may10.size(), appended.size());
  EXPECT_EQ(may10.substr(may10.size() - appended.size()), appended);
}

TEST_F(OperationLogTest, DateAndFileNameFollowTheLocalZone) {
  vt_test::ScopedTimeZone tokyo("JST-9");
  COperationLog log;
  log.SetClock([] { return kMay10 + 10 * 3600; });  // 2010-05-11 09:03:07 in Tokyo
  log.SetPrefix(Path("import"));
  ASSERT_TRUE(log.Open());
  log.Write(10315);
  log.Close();
  EXPECT_EQ(ReadFileBytes(Path("import_20100511.log")),
            "2010/05/11 09:03:07  I[10315] : START FILE OPEN IMPORT\r\n");
}

TEST_F(OperationLogTest, AFolderThatDoesNotExistLeavesTheLogClosed) {
  COperationLog log;
  log.SetPrefix(Path("missing/import"));
  EXPECT_FALSE(log.Open());
  EXPECT_FALSE(log.WriteWithText(10301, "x"));
  EXPECT_FALSE(vt::PathExists(Path("missing")));
}

TEST(OperationLogTable, HoldsEveryCodeWithItsLevelAndText) {
  struct Row {
    int code;
    int level;
    const char* text;
  };
  const Row rows[] = {
      {0, 0, ""},
      {10301, 2, "IMPORT: FILE="},
      {10302, 0, "IMPORT ERROR [IMPORTED ALREADY] FILE="},
      {10303, 0, "IMPORT ERROR [INVALID FILE] FILE="},
      {10304, 0, "IMPORT ERROR [CRC ERROR] FILE= "},
      {10305, 0, "IMPORT ERROR [COPY ERROR] FILE= "},
      {10306, 0, "IMPORT ERROR [OPEN ERROR] FILE= "},
      {10307, 0, "IMPORT ERROR [EXCEPTION] FILE= "},
      {10308, 0, "IMPORT ERROR [INVALID CHANNEL] FILE= "},
      {10318, 0, "IMPORT ERROR [LIMIT INDEX FILE]"},
      {10319, 0, "IMPORT ERROR [LIMIT INSTRUMENTS] FILE= "},
      {10320, 0, "IMPORT ERROR [DISK FULL]"},
      {10321, 0, "IMPORT ERROR [SHARE VIOLATION] FILE="},
      {10322, 0, "IMPORT ERROR [ERROR] FILE="},
      {10309, 2, "UPDATE: FILE="},
      {10323, 2, "TRASH: FILE="},
      {10324, 2, "REVERSE: FILE="},
      {10310, 2, "DELETE FILE="},
      {10311, 2, "START DELETE"},
      {10312, 2, "FINISH DELETE"},
      {10313, 2, "START MANUAL IMPORT"},
      {10314, 2, "START AUTOMATIC IMPORT"},
      {10315, 2, "START FILE OPEN IMPORT"},
      {10316, 2, "FINISH IMPORT"},
      {10317, 2, "DISTURB IMPORT"},
      {10326, 2, "CONVERT FILE="},
      {10327, 0, "CONVERT ERROR FILE="},
  };
  for (const Row& row : rows) {
    int level = -1;
    std::string text = "unset";
    ASSERT_TRUE(LookUpLogMessage(row.code, &level, &text)) << row.code;
    EXPECT_EQ(level, row.level) << row.code;
    EXPECT_EQ(text, row.text) << row.code;
  }
  for (int code : {1, 10300, 10325, 10329, 99999})
    EXPECT_FALSE(LookUpLogMessage(code, nullptr, nullptr)) << code;
}

// A name from outside stays within its one line: control characters (and the Unicode line
// breaks) are written escaped, every other byte as it is.
TEST_F(OperationLogTest, ControlCharactersInNamesCannotEndOrForgeALine) {
  struct SCase {
    std::string name;
    std::string written;
  };
  const SCase cases[] = {
      {"/in/A\r\nE[10320] : IMPORT ERROR [DISK FULL].DAE",
       "/in/A\\x0D\\x0AE[10320] : IMPORT ERROR [DISK FULL].DAE"},
      {"/in/tab\there\x7F\x1B[2J.DAE", "/in/tab\\x09here\\x7F\\x1B[2J.DAE"},
      {std::string("/in/nul\0.DAE", 12), "/in/nul\\x00.DAE"},
      {"/in/nel\xC2\x85 ls\xE2\x80\xA8 ps\xE2\x80\xA9.DAE", "/in/nel\\u0085 ls\\u2028 ps\\u2029.DAE"},
      {"/in/caf\xC3\xA9 \xE2\x82\xAC C:\\DATA\\A.DAE", "/in/caf\xC3\xA9 \xE2\x82\xAC C:\\DATA\\A.DAE"},
  };
  COperationLog log;
  log.SetClock([] { return kMay10; });
  log.SetPrefix(Path("import"));
  ASSERT_TRUE(log.Open());
  std::string expected;
  for (const SCase& c : cases) {
    EXPECT_TRUE(log.WriteWithText(10301, c.name));
    expected += "2010/05/10 14:03:07  I[10301] : IMPORT: FILE=" + c.written + "\r\n";
  }
  log.Close();
  EXPECT_EQ(ReadFileBytes(Path("import_20100510.log")), expected);
}

// A storage's log folder is one folder directly inside the log folder, whatever its name.
TEST(OperationLogFolders, AStorageNameNeverLeadsOutOfTheLogFolder) {
  const std::string log = "/root/Morvane/Vantrel/LOG";
  const std::pair<std::string, std::string> cases[] = {
      {"Main", log + "/Main"},
      {"", log},  // a storage whose name cannot be read
      {"../../../x", log + "/..%2F..%2F..%2Fx"},
      {"..", log + "/%2E%2E"},
      {".", log + "/%2E"},
      {"/etc", log + "/%2Fetc"},
      {"a\nb", log + "/a%0Ab"},
      {"..x", log + "/..x"},
      {"Line 2 \xC3\xA9", log + "/Line 2 \xC3\xA9"},
  };
  for (const auto& [name, folder] : cases)
    EXPECT_EQ(COperationLog::StorageFolderFor(log, name), folder) << name;
}

}  // namespace

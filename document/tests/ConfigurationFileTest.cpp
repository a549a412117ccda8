// The settings file: the exact bytes written with the defaults, a save and load round trip, and
// the reader's handling of hand-edited files.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/CConfigurationFile.h"
#include "platform/base/FileSystem.h"
#include "testing/TempFolder.h"

namespace {

// The file as the defaults write it: tab-indented keys, CR LF after every line.
std::string DefaultFile() {
  std::vector<std::string> lines = {"Revision=101", "Company=\"Morvane\"",
                                    "Descript=\"Vantrel Configuration File\""};
  for (int i = 0; i < 8; ++i) {
    for (const char* l :
         {"[S:Folder]", "\tUse=0", "\tSubFolder=0", "\tPath=\"\"", "\tConvert=0", "[E:Folder]"})
      lines.push_back(l);
  }
  for (const char* l : {"[S:Interval]",
                        "\tInterval=1",
                        "[E:Interval]",
                        "[S:DST]",
                        "\tType=0",
                        "\tSummerMonth=2",
                        "\tSummerWeeks=1",
                        "\tSummerWeek=0",
                        "\tSummerHour=2",
                        "\tWinterMonth=10",
                        "\tWinterWeeks=0",
                        "\tWinterWeek=0",
                        "\tWinterHour=2",
                        "[E:DST]",
                        "[S:DEFAULT]",
                        "\tGridColor=94,94,94",
                        "\tBackColor=255,255,255",
                        "\tTagDisplay=0",
                        "\tWaveThick=1",
                        "\tCursorDisp=0",
                        "\tCursorTrans=0",
                        "\tCellValue=0",
                        "[E:DEFAULT]",
                        "[S:CONVFOLDER]",
                        "\tDataCnvFolder=\"\"",
                        "\tFileCnvFolder=\"\"",
                        "\tFileExpFolder=\"\"",
                        "[E:CONVFOLDER]"})
    lines.push_back(l);
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

class ConfigurationFileTest : public vt_test::TempRootTest {
 protected:
  std::string FilePath() const { return root_ + "/Morvane/Vantrel/DATA/VTConfiguration"; }
};

TEST_F(ConfigurationFileTest, MissingFileIsCreatedEmptyAndTheFirstSaveWritesTheDefaultsExactly) {
  CConfigurationFile settings;
  settings.SetDefaults(root_);
  EXPECT_EQ(settings.m_filePath, FilePath());
  ASSERT_TRUE(vt::FolderExists(root_ + "/Morvane/Vantrel/DATA"));

  ASSERT_TRUE(settings.LoadConfiguration());
  EXPECT_TRUE(vt::FileExists(FilePath()));
  EXPECT_EQ(vt_test::ReadFileBytes(FilePath()), "");
  EXPECT_EQ(settings.FormatText(), DefaultFile());  // nothing changed by the empty file

  ASSERT_TRUE(settings.SaveConfiguration());
  EXPECT_EQ(vt_test::ReadFileBytes(FilePath()), DefaultFile());
  // The temporary file of the replacing write is gone.
  std::vector<vt::FolderEntry> entries;
  ASSERT_TRUE(vt::ListFolder(root_ + "/Morvane/Vantrel/DATA", entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "VTConfiguration");
}

TEST_F(ConfigurationFileTest, RecordWithoutDefaultsNeitherLoadsNorSaves) {
  CConfigurationFile settings;  // as after a refused start: no file name
  EXPECT_FALSE(settings.LoadConfiguration());
  EXPECT_FALSE(settings.SaveConfiguration());
  std::vector<vt::FolderEntry> entries;
  ASSERT_TRUE(vt::ListFolder(root_, entries));
  EXPECT_TRUE(entries.empty());
}

TEST_F(ConfigurationFileTest, UnreadableOrUnwritablePlacesLeaveTheRecordAlone) {
  CConfigurationFile settings;
  settings.SetDefaults(root_);
  settings.m_interval = 4;
  settings.m_filePath = root_ + "/Morvane";  // a folder stands where the file should be
  EXPECT_FALSE(settings.LoadConfiguration());
  EXPECT_FALSE(settings.SaveConfiguration());
  EXPECT_EQ(settings.m_interval, 4);
  settings.m_filePath = root_ + "/missing/VTConfiguration";
  EXPECT_FALSE(settings.SaveConfiguration());
  EXPECT_FALSE(vt::PathExists(settings.m_filePath));
}

TEST_F(ConfigurationFileTest, SaveAndLoadGiveTheSameRecordExceptTheColoursTopByte) {
  CConfigurationFile out;
  out.SetDefaults(root_);
  for (int i = 0; i < 8; ++i) {
    out.m_folderTable[i] = {i % 2 == 0, i % 3 == 0, "/data/in " + std::to_string(i) + "/\"q\"", i % 3};
  }
  out.m_interval = 5;
  out.m_dstRule = {2, 3, 4, 6, 23, 9, 2, 5, 0};
  out.m_displayDefaults = {0x02123456, 0x02ABCDEF, 2, 5, 1, 1, 1};
  out.m_dataCnvFolder = "/conv/data";
  out.m_fileCnvFolder = "/conv/file";
  out.m_fileExpFolder = "/exp é";
  ASSERT_TRUE(out.SaveConfiguration());

  CConfigurationFile in;
  in.SetDefaults(root_);
  ASSERT_TRUE(in.LoadConfiguration());
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(in.m_folderTable[i].inUse, out.m_folderTable[i].inUse);
    EXPECT_EQ(in.m_folderTable[i].withSubfolders, out.m_folderTable[i].withSubfolders);
    EXPECT_EQ(in.m_folderTable[i].folderPath, out.m_folderTable[i].folderPath);
    EXPECT_EQ(in.m_folderTable[i].convertMode, out.m_folderTable[i].convertMode);
  }
  EXPECT_EQ(in.m_interval, 5);
  const int32_t dst[9] = {2, 3, 4, 6, 23, 9, 2, 5, 0};
  const SDstRule& r = in.m_dstRule;
  EXPECT_EQ((std::vector<int32_t>{r.type, r.summerMonth, r.summerWeeks, r.summerWeek, r.summerHour,
                                  r.winterMonth, r.winterWeeks, r.winterWeek, r.winterHour}),
            std::vector<int32_t>(dst, dst + 9));
  const SDisplayDefaults& d = in.m_displayDefaults;
  EXPECT_EQ(d.gridColor, 0x00123456u);
  EXPECT_EQ(d.backColor, 0x00ABCDEFu);
  EXPECT_EQ((std::vector<int32_t>{d.tagDisplay, d.waveThick, d.cursorDisp, d.cursorTrans, d.cellValue}),
            (std::vector<int32_t>{2, 5, 1, 1, 1}));
  EXPECT_EQ(in.m_dataCnvFolder, "/conv/data");
  EXPECT_EQ(in.m_fileCnvFolder, "/conv/file");
  EXPECT_EQ(in.m_fileExpFolder, "/exp é");
  // Written again, the record gives the same bytes but for the colours' flag.
  out.m_displayDefaults.gridColor &= 0xFFFFFF;
  out.m_displayDefaults.backColor &= 0xFFFFFF;
  EXPECT_EQ(in.FormatText(), out.FormatText());
}

// Hand-edited files, each read over a record that holds marked values, so that "kept" is visible.
struct EditCase {
  const char* name;
  std::string text;
  std::function<void(const CConfigurationFile&)> check;
};

std::string Folder(const std::string& body) { return "[S:Folder]\r\n" + body + "[E:Folder]\r\n"; }

TEST_F(ConfigurationFileTest, HandEditedFilesAreReadByTheForgivingRules) {
  const std::string longValue(1024, 'x');
  const std::string longestValue(1023, 'y');
  std::string tenFolders;
  for (int i = 0; i < 10; ++i) tenFolders += Folder("\tUse=1\r\n\tPath=\"/f" + std::to_string(i) + "\"\r\n");

  const std::vector<EditCase> cases = {
      {"path without quotes is empty", Folder("\tUse=1\r\n\tPath=C:\\data\r\n"),
       [](const CConfigurationFile& c) {
         EXPECT_TRUE(c.m_folderTable[0].inUse);
         EXPECT_EQ(c.m_folderTable[0].folderPath, "");
       }},
      {"one quote runs to the line's end; inner quotes stay",
       Folder("\tPath=\"/a\"b\"\r\n") + Folder("\tPath=\"/c\r\n"),
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_folderTable[0].folderPath, "/a\"b");
         EXPECT_EQ(c.m_folderTable[1].folderPath, "/c");
       }},
      {"SubFolder is tested before Use", Folder("\tSubFolder=1\r\n"),
       [](const CConfigurationFile& c) {
         EXPECT_FALSE(c.m_folderTable[0].inUse);
         EXPECT_TRUE(c.m_folderTable[0].withSubfolders);
         EXPECT_EQ(c.m_folderTable[0].convertMode, 0);  // absent keys clear the entry
       }},
      {"last value wins; a number other than 0 is 1",
       Folder("\tUse=0\r\n\tUse=7\r\n\tConvert=1\r\n\tConvert=2 x\r\n"),
       [](const CConfigurationFile& c) {
         EXPECT_TRUE(c.m_folderTable[0].inUse);
         EXPECT_EQ(c.m_folderTable[0].convertMode, 2);
       }},
      {"ten folder sections fill the eight entries", tenFolders,
       [](const CConfigurationFile& c) {
         for (int i = 0; i < 8; ++i) EXPECT_EQ(c.m_folderTable[i].folderPath, "/f" + std::to_string(i));
       }},
      {"three folder sections leave the rest", Folder("\tPath=\"/a\"\r\n") + Folder("") + Folder(""),
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_folderTable[0].folderPath, "/a");
         EXPECT_EQ(c.m_folderTable[1].folderPath, "");
         EXPECT_EQ(c.m_folderTable[3].folderPath, "/kept3");
         EXPECT_EQ(c.m_folderTable[7].folderPath, "/kept7");
       }},
      {"colour without the tab, and with missing parts",
       "[S:DEFAULT]\r\nGridColor=1,2,3\r\n  BackColor=258,2\r\n[E:DEFAULT]\r\n",
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_displayDefaults.gridColor, 0x030201u);
         EXPECT_EQ(c.m_displayDefaults.backColor, 0x000202u);  // 258 cut to its low byte, blue 0
       }},
      {"colour with text before its key reads as 0", "[S:DEFAULT]\r\nx GridColor=1,2,3\r\n[E:DEFAULT]\r\n",
       [](const CConfigurationFile& c) { EXPECT_EQ(c.m_displayDefaults.gridColor, 0u); }},
      {"out-of-range display values keep the field",
       "[S:DEFAULT]\r\n\tWaveThick=2\r\n\tTagDisplay=2\r\n\tCursorDisp=2\r\n\tCellValue=-1\r\n[E:DEFAULT]\r\n",
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_displayDefaults.waveThick, 3);
         EXPECT_EQ(c.m_displayDefaults.tagDisplay, 2);
         EXPECT_EQ(c.m_displayDefaults.cursorDisp, 1);
         EXPECT_EQ(c.m_displayDefaults.cellValue, 1);
       }},
      {"out-of-range rule values keep the field; Type is taken as read",
       "[S:DST]\r\n\tType=9\r\n\tSummerMonth=12\r\n\tSummerWeeks=4\r\n\tWinterHour=24\r\n\tWinterWeek=abc\r\n[E:DST]\r\n",
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_dstRule.type, 9);
         EXPECT_EQ(c.m_dstRule.summerMonth, 5);
         EXPECT_EQ(c.m_dstRule.summerWeeks, 4);
         EXPECT_EQ(c.m_dstRule.winterHour, 5);
         EXPECT_EQ(c.m_dstRule.winterWeek, 5);
       }},
      {"an unclosed section changes nothing", "[S:DST]\r\n\tType=2\r\n\tSummerMonth=1\r\n",
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_dstRule.type, 1);
         EXPECT_EQ(c.m_dstRule.summerMonth, 5);
       }},
      {"an interval outside the table is kept but means no automatic import",
       Folder("\tUse=1\r\n\tPath=\"/in\"\r\n") + "[S:Interval]\r\n\tInterval=9\r\n[E:Interval]\r\n",
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_interval, 9);
         EXPECT_EQ(c.GetIntervalSeconds(), 0);
         EXPECT_FALSE(c.IsAutoImportConfigured());
       }},
      {"LF-only lines, blank lines and headers anywhere",
       "\n[S:Interval]\n\tInterval=3\n[E:Interval]\nRevision=7\n[S:CONVFOLDER]\n\tFileExpFolder=\"/e\"\n[E:CONVFOLDER]",
       [](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_interval, 3);
         EXPECT_EQ(c.GetIntervalSeconds(), 3600);
         EXPECT_EQ(c.m_fileExpFolder, "/e");
         EXPECT_EQ(c.m_dataCnvFolder, "");  // absent keys of this section empty the folder
       }},
      {"an over-long value is ignored, the longest allowed is taken",
       "[S:CONVFOLDER]\r\n\tDataCnvFolder=\"/first\"\r\n\tDataCnvFolder=\"" + longValue +
           "\"\r\n\tFileCnvFolder=\"" + longValue + "\"\r\n\tFileExpFolder=\"" + longestValue +
           "\"\r\n[E:CONVFOLDER]\r\n",
       [&](const CConfigurationFile& c) {
         EXPECT_EQ(c.m_dataCnvFolder, "/first");
         EXPECT_EQ(c.m_fileCnvFolder, "");
         EXPECT_EQ(c.m_fileExpFolder, longestValue);
       }},
  };
  for (const EditCase& edit : cases) {
    SCOPED_TRACE(edit.name);
    CConfigurationFile settings;
    settings.SetDefaults(root_);
    for (int i = 0; i < 8; ++i) settings.m_folderTable[i].folderPath = "/kept" + std::to_string(i);
    settings.m_dstRule = {1, 5, 1, 5, 5, 5, 1, 5, 5};
    settings.m_displayDefaults = {0x010101, 0x020202, 1, 3, 1, 1, 1};
    settings.m_dataCnvFolder = "/kept";
    ASSERT_TRUE(vt::WriteFileAtomic(settings.m_filePath, edit.text));
    ASSERT_TRUE(settings.LoadConfiguration());
    edit.check(settings);
  }
}

}  // namespace

// The catalogue lookups on a filled storage: display groups and channels of a batch's latest file,
// the groups a message was written to, the property-pane texts, paths and existence tests, and
// names and paths holding apostrophes.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "CatalogueFixture.h"
#include "store/CatalogueLookups.h"
#include "store/RDBSQLiteStatement.h"

namespace {

using catalogue_test::PlantTest;
using catalogue_test::Ticks;
using Ints = std::vector<int>;
using Strings = std::vector<std::string>;

constexpr const char* kA = "A0000000-0000-0000-0000-00000000000A";
constexpr const char* kB = "B0000000-0000-0000-0000-00000000000B";
constexpr const char* kUnknown = "F0000000-0000-0000-0000-00000000000F";

class CatalogueLookupsTest : public PlantTest {
 protected:
  // The id of a stored file by name.
  int64_t FileId(const std::string& name) {
    return IndexInt("SELECT file_id FROM file WHERE file_name = ?;", name);
  }
  int64_t MessageId(const std::string& text) {
    return IndexInt("SELECT message_id FROM message WHERE message_text = ?;", text);
  }
};

TEST_F(CatalogueLookupsTest, DisplayGroupsAndChannelsComeFromTheLatestFile) {
  Ints numbers;
  Strings names;
  ASSERT_TRUE(GetBatchDisplayGroups(sources_, kA, numbers, names));
  EXPECT_EQ(numbers, (Ints{1, 2}));  // group 3 has no channels, so no row
  EXPECT_EQ(names, (Strings{"Temps", "Press"}));

  Ints channels{99};
  ASSERT_TRUE(GetDisplayGroupChannels(sources_, kA, 1, channels));
  EXPECT_EQ(channels, (Ints{1, 2}));
  ASSERT_TRUE(GetDisplayGroupChannels(sources_, kUnknown, 1, channels));
  EXPECT_TRUE(channels.empty());
  EXPECT_EQ(CountDisplayGroupChannels(sources_, kA, 1), 2);
  EXPECT_EQ(CountDisplayGroupChannels(sources_, kA, 3), 0);
  EXPECT_EQ(CountDisplayGroupChannels(sources_, kB, 1), 2);

  std::string name;
  EXPECT_TRUE(GetDisplayGroupName(sources_, kA, 2, name));
  EXPECT_EQ(name, "Press");
  EXPECT_FALSE(GetDisplayGroupName(sources_, kA, 3, name));

  ASSERT_TRUE(GetBatchChannels(sources_, kA, channels));
  EXPECT_EQ(channels, (Ints{1, 2, 3}));
  ASSERT_TRUE(GetBatchChannels(sources_, kUnknown, channels));
  EXPECT_TRUE(channels.empty());

  std::string tag;
  int64_t start = 0, stop = 0;
  ASSERT_TRUE(GetChannelTagAndPeriod(sources_, kA, 3, tag, start, stop));
  EXPECT_EQ(tag, "Pressure");
  EXPECT_EQ(start, Ticks(1000));
  EXPECT_EQ(stop, Ticks(3000));
  EXPECT_FALSE(GetChannelTagAndPeriod(sources_, kA, 4, tag, start, stop));

  vt::SChannelTagRow row;
  ASSERT_TRUE(GetChannelTagRow(sources_, kB, 2, row));
  EXPECT_EQ(row.tagName, "C:DATA");
  EXPECT_EQ(row.tagNo, "F%2");
  EXPECT_EQ(row.channelName, "CH002");
  EXPECT_EQ(row.channelInterval, catalogue_test::kPlantIntervalMs);
  EXPECT_EQ(row.instrumentName, "LT'7_LT4100");
  EXPECT_EQ(row.recorderType, "LT4100");
  EXPECT_EQ(row.dataKind, 1);
  EXPECT_EQ(row.powerFailure, 1);
  EXPECT_EQ(row.batchName, "B ");
  EXPECT_FALSE(GetChannelTagRow(sources_, kB, 3, row));
}

TEST_F(CatalogueLookupsTest, MessageWriteGroups) {
  Ints numbers;
  Strings names;
  // Written to all groups: every group of the latest file, in number order.
  ASSERT_TRUE(GetMessageWriteGroups(sources_, kA, MessageId("valve 50% open"), numbers, names));
  EXPECT_EQ(numbers, (Ints{1, 2}));
  EXPECT_EQ(names, (Strings{"Temps", "Press"}));
  ASSERT_TRUE(GetMessageWriteGroups(sources_, kA, MessageId("saved to C:\\DATA\\run1"), numbers, names));
  EXPECT_EQ(numbers, (Ints{2}));
  EXPECT_EQ(names, (Strings{"Press"}));

  // A group that the latest file does not define.
  auto db = IndexConnection();
  ASSERT_EQ(db->Execute("INSERT INTO message_write_group VALUES(1, " +
                        std::to_string(MessageId("valve 500 open")) + ", 3);"),
            RDB_OK);
  EXPECT_FALSE(GetMessageWriteGroups(sources_, kA, MessageId("valve 500 open"), numbers, names));

  std::string file;
  ASSERT_TRUE(GetMessageFileName(sources_, MessageId("C:DATA"), file));
  EXPECT_EQ(file, "O'Brien.DAE");
}

TEST_F(CatalogueLookupsTest, PropertyPaneTexts) {
  std::string header, startText, stopText, countText, changeText;
  ASSERT_TRUE(
      GetFileProperties(sources_, FileId("A2.DAE"), header, startText, stopText, countText, changeText));
  EXPECT_EQ(header, "second");
  EXPECT_EQ(startText, "Auto");
  EXPECT_EQ(stopText, "UnKnown");  // stop factor 7
  EXPECT_EQ(countText, "82");      // 102 .. 183
  EXPECT_EQ(changeText, "Yes");
  ASSERT_TRUE(
      GetFileProperties(sources_, FileId("O'Brien.DAE"), header, startText, stopText, countText, changeText));
  EXPECT_EQ(startText, "Manual");
  EXPECT_EQ(stopText, "Black Out");
  EXPECT_EQ(countText, "101");
  EXPECT_EQ(changeText, "No");
  EXPECT_FALSE(GetFileProperties(sources_, 999, header, startText, stopText, countText, changeText));

  struct Factor {
    int value;
    const char* start;
    const char* stop;
  } factors[] = {{1, "Manual", "Manual"},
                 {2, "Auto", "Auto"},
                 {3, "Restart after Black Out", "Black Out"},
                 {4, "Trigger No.", "Data Count"},
                 {5, "Sampling", "Sampling"},
                 {6, "Save", "UnKnown"},
                 {0, "UnKnown", "UnKnown"},
                 {-1, "UnKnown", "UnKnown"}};
  for (const Factor& f : factors) {
    EXPECT_STREQ(StartFactorText(f.value), f.start) << f.value;
    EXPECT_STREQ(StopFactorText(f.value), f.stop) << f.value;
  }

  Strings texts, titles;
  ASSERT_TRUE(GetFileBatchComments(sources_, FileId("A2.DAE"), texts));
  EXPECT_EQ(texts, (Strings{"second comment", "batch O'Hara checked"}));
  ASSERT_TRUE(GetBatchComments(sources_, kA, texts));  // the latest file's
  EXPECT_EQ(texts, (Strings{"second comment", "batch O'Hara checked"}));
  ASSERT_TRUE(GetBatchComments(sources_, kB, texts));
  EXPECT_TRUE(texts.empty());
  ASSERT_TRUE(GetBatchTexts(sources_, kA, titles, texts));
  EXPECT_EQ(titles, (Strings{"Recipe", "Operator"}));
  EXPECT_EQ(texts, (Strings{"Steam 50% load", "Shift C:\\DATA\\night"}));
  ASSERT_TRUE(GetBatchFileNames(sources_, kA, texts));
  EXPECT_EQ(texts, (Strings{"A1.DAE", "A2.DAE"}));

  std::string startUser, stopUser;
  ASSERT_TRUE(GetBatchUserNames(sources_, kA, startUser, stopUser, changeText));
  EXPECT_EQ(startUser, "cat");
  EXPECT_EQ(stopUser, "dan");
  EXPECT_EQ(changeText, "Yes");
  EXPECT_FALSE(GetBatchUserNames(sources_, kUnknown, startUser, stopUser, changeText));

  std::string name;
  ASSERT_TRUE(GetFileName(sources_, FileId("P1.DAD"), name));
  EXPECT_EQ(name, "P1.DAD");
  EXPECT_FALSE(GetFileName(sources_, 999, name));
}

TEST_F(CatalogueLookupsTest, PathsAndNamesWithApostrophesAreFound) {
  std::string path;
  ASSERT_TRUE(GetFilePath(sources_, FileId("O'Brien.DAE"), path));
  EXPECT_EQ(path, "FILES/LT'7/2024/1/O'Brien.DAE");

  std::string guid;
  int64_t start = 0, end = 0;
  ASSERT_TRUE(FindBatchOfFile(sources_, path, guid, start, end));
  EXPECT_EQ(guid, kB);
  EXPECT_EQ(start, Ticks(5000));
  EXPECT_EQ(end, Ticks(6000));
  EXPECT_FALSE(FindBatchOfFile(sources_, "FILES/LT'7/2024/1/Other.DAE", guid, start, end));

  struct Instrument {
    const char* serial;
    bool exists, hasFiles;
  } instruments[] = {{"QR1001", true, true},
                     {"LT'7", true, true},
                     {"NB-9", true, true},  // its files lie in the deleted data only
                     {"XX' OR '1'='1", false, false},
                     {"nobody", false, false}};
  for (const Instrument& i : instruments) {
    EXPECT_EQ(InstrumentExists(sources_, i.serial), i.exists) << i.serial;
    EXPECT_EQ(InstrumentHasFiles(sources_, i.serial), i.hasFiles) << i.serial;
  }
}

TEST_F(CatalogueLookupsTest, LookupsFailWithoutTheIndex) {
  storage_.Close();
  Ints numbers;
  Strings names;
  std::string text;
  EXPECT_FALSE(GetBatchDisplayGroups(sources_, kA, numbers, names));
  EXPECT_FALSE(GetBatchChannels(sources_, kA, numbers));
  EXPECT_EQ(CountDisplayGroupChannels(sources_, kA, 1), 0);
  EXPECT_FALSE(GetFilePath(sources_, 1, text));
  EXPECT_FALSE(InstrumentExists(sources_, "QR1001"));
  EXPECT_FALSE(InstrumentHasFiles(sources_, "QR1001"));
  EXPECT_FALSE(GetBatchFileNames(sources_, kA, names));
}

TEST_F(CatalogueLookupsTest, AStepThatFailsInAListIsAFailureNotItsEnd) {
  Ints ints;
  Strings strings, more;
  std::set<std::string> guids;
  struct Case {
    const char* name;
    std::function<bool()> lookup;
    std::function<std::size_t()> count;
  };
  const Case cases[] = {
      {"display groups", [&] { return GetBatchDisplayGroups(sources_, kA, ints, strings); },
       [&] { return ints.size(); }},
      {"group channels", [&] { return GetDisplayGroupChannels(sources_, kA, 1, ints); },
       [&] { return ints.size(); }},
      {"batch channels", [&] { return GetBatchChannels(sources_, kA, ints); }, [&] { return ints.size(); }},
      {"file names", [&] { return GetBatchFileNames(sources_, kA, strings); },
       [&] { return strings.size(); }},
      {"batch comments", [&] { return GetBatchComments(sources_, kA, strings); },
       [&] { return strings.size(); }},
      {"batch texts", [&] { return GetBatchTexts(sources_, kA, strings, more); },
       [&] { return strings.size(); }},
      {"batches by text",
       [&] {
         guids.clear();
         return FindBatchesByText(sources_, "Steam", guids);
       },
       [&] { return guids.size(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.lookup());
    ASSERT_GE(c.count(), 1u);
    // The statement's first step (its execution) goes well, the one after it fails.
    RDBStepTestHook::FailNthStep(2);
    EXPECT_FALSE(c.lookup());
    RDBStepTestHook::FailNthStep(0);
    EXPECT_TRUE(c.lookup());
  }
}

}  // namespace

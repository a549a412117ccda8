// The search-condition store: the database and its table, saving a condition (inserted, then
// overwritten under the same name), reading, renaming and deleting it, listing the saved
// conditions through the catalogue, and names with apostrophes.
#include <gtest/gtest.h>

#include "CatalogueFixture.h"
#include "store/CatalogueLookups.h"
#include "store/SearchConditionStore.h"
#include "store/StoreClock.h"

namespace {

using catalogue_test::PlantTest;
using Strings = std::vector<std::string>;

class SearchConditionStoreTest : public PlantTest {
 protected:
  // Names and save times of the listed conditions.
  std::vector<std::pair<std::string, int64_t>> Listed(int sort, int direction) {
    CatalogueCursor cursor;
    std::vector<std::pair<std::string, int64_t>> rows;
    EXPECT_TRUE(OpenListQuery(sources_, std::nullopt, cursor, LIST_CONDITIONS, "QR1001", sort, direction,
                              std::nullopt, std::nullopt, 0, 0));
    while (FetchConditionRow(cursor))
      rows.emplace_back(GetCatalogueRow().conditionName, GetCatalogueRow().saveTime);
    return rows;
  }
};

TEST_F(SearchConditionStoreTest, SavedOverwrittenAndListed) {
  EXPECT_EQ(vt_test::ReadHead(folder_ + "/searchcondition.db", 16), std::string("_MRVN_DATA_FILE\0", 16));
  const int64_t before = CurrentTickTime().ticks;
  SaveSearchCondition(sources_, "valve \"C:\\DATA\"", "Boiler O'Brien", 5, "QR1001", 3, 1000, 2000, 7, 2, 6,
                      0);
  SaveSearchCondition(sources_, "", "all alarms", 3, "", 0, 0, 0, 1, 0, 0, 4);
  EXPECT_EQ(ConditionNameExists(sources_, "Boiler O'Brien"), 1);
  EXPECT_EQ(ConditionNameExists(sources_, "Boiler"), 0);
  EXPECT_TRUE(conditions_.Exists("all alarms"));

  vt::SSearchCondition c;
  ASSERT_TRUE(conditions_.Get("Boiler O'Brien", c));
  EXPECT_EQ(c.listKind, 5);
  EXPECT_EQ(c.serialNo, "QR1001");
  EXPECT_EQ(c.timeCondition, 3);
  EXPECT_EQ(c.fromTime, 1000);
  EXPECT_EQ(c.toTime, 2000);
  EXPECT_EQ(c.relativeValue, 7);
  EXPECT_EQ(c.relativeUnit, 2);
  EXPECT_EQ(c.stringTarget, 6);
  EXPECT_EQ(c.targetString, "valve \"C:\\DATA\"");
  EXPECT_EQ(c.alarmKind, 0);

  auto rows = Listed(32, 1);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].first, "Boiler O'Brien");
  EXPECT_EQ(rows[1].first, "all alarms");
  EXPECT_GE(rows[0].second, before);
  EXPECT_LE(rows[1].second, CurrentTickTime().ticks);

  // Saving the name again replaces every value, keeps one row and renews the save time.
  const int64_t firstSave = rows[0].second;
  SaveSearchCondition(sources_, "pressure", "Boiler O'Brien", 2, "LT'7", 1, 5, 6, 9, 3, 3, 8);
  ASSERT_TRUE(conditions_.Get("Boiler O'Brien", c));
  EXPECT_EQ(c.listKind, 2);
  EXPECT_EQ(c.serialNo, "LT'7");
  EXPECT_EQ(c.timeCondition, 1);
  EXPECT_EQ(std::make_pair(c.fromTime, c.toTime), std::make_pair(int64_t(5), int64_t(6)));
  EXPECT_EQ(std::make_pair(c.relativeValue, c.relativeUnit), std::make_pair(9, 3));
  EXPECT_EQ(c.stringTarget, 3);
  EXPECT_EQ(c.targetString, "pressure");
  EXPECT_EQ(c.alarmKind, 8);
  rows = Listed(33, 2);  // newest save first
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].first, "Boiler O'Brien");
  EXPECT_GE(rows[0].second, firstSave);
  EXPECT_EQ(Listed(0, 0).size(), 2u);
}

TEST_F(SearchConditionStoreTest, RenameDeleteAndRefusals) {
  ASSERT_TRUE(conditions_.Insert(1, "one", 2, "", 0, 2, 1, 0, 0, "", 0));
  ASSERT_TRUE(conditions_.Insert(1, "two", 2, "", 0, 2, 1, 0, 0, "", 0));
  EXPECT_FALSE(conditions_.Insert(1, "two", 3, "", 0, 2, 1, 0, 0, "", 0));  // the name is unique
  EXPECT_FALSE(conditions_.Update(1, "three", 3, "", 0, 2, 1, 0, 0, "", 0) && conditions_.Exists("three"));

  EXPECT_FALSE(conditions_.Rename("one", "two"));
  EXPECT_FALSE(conditions_.Rename("missing", "four"));
  EXPECT_TRUE(conditions_.Rename("one", "it's one"));
  EXPECT_TRUE(conditions_.Exists("it's one"));
  EXPECT_FALSE(conditions_.Exists("one"));
  EXPECT_TRUE(conditions_.Delete("two"));
  EXPECT_FALSE(conditions_.Exists("two"));
  vt::SSearchCondition c;
  EXPECT_FALSE(conditions_.Get("two", c));
  // A failed insert left no transaction open: later writes still commit.
  EXPECT_TRUE(conditions_.Insert(1, "five", 2, "", 0, 2, 1, 0, 0, "", 0));

  // Without a connection every operation refuses, and the catalogue finds nothing.
  conditions_.Close();
  EXPECT_FALSE(conditions_.Exists("five"));
  EXPECT_FALSE(conditions_.Insert(1, "six", 2, "", 0, 2, 1, 0, 0, "", 0));
  EXPECT_FALSE(conditions_.Update(1, "five", 2, "", 0, 2, 1, 0, 0, "", 0));
  EXPECT_FALSE(conditions_.Get("five", c));
  EXPECT_FALSE(conditions_.Delete("five"));
  EXPECT_FALSE(conditions_.Rename("five", "seven"));
  EXPECT_EQ(ConditionNameExists(sources_, "five"), 0);
  SaveSearchCondition(sources_, "", "eight", 2, "", 0, 0, 0, 0, 0, 0, 0);

  // Reopened: what was committed is there.
  ASSERT_TRUE(conditions_.OpenInFolder(folder_));
  EXPECT_TRUE(conditions_.Exists("five"));
  EXPECT_FALSE(conditions_.Exists("eight"));
}

TEST_F(SearchConditionStoreTest, DatabaseWithoutTheTableIsNotKeptOpen) {
  const std::string path = Path("other.db");
  {
    auto db = NewRDBConnection(kDbmsSQLite);
    ASSERT_EQ(db->Create(path), RDB_OK);
    ASSERT_EQ(db->Execute("CREATE TABLE conditions (x INTEGER);"), RDB_OK);
  }
  CSearchConditionStore store;
  EXPECT_TRUE(store.Create(path));  // exists: untouched
  EXPECT_FALSE(store.Open(path));
  EXPECT_EQ(store.GetConnection(), nullptr);
  EXPECT_FALSE(store.OpenInFolder(""));
  EXPECT_FALSE(store.OpenInFolder(Path("missing-folder")));
}

TEST_F(SearchConditionStoreTest, AWriteWhoseBeginFailsLeavesAnOpenTransactionAlone) {
  ASSERT_TRUE(conditions_.Insert(0, "kept", 3, "", 0, 0, 1, 0, 0, "", 4));
  // A transaction left open on the connection: the store's BEGIN fails.
  CRDBConnection* connection = conditions_.GetConnection();
  ASSERT_EQ(connection->BeginTransaction(), RDB_OK);
  EXPECT_FALSE(conditions_.Insert(0, "new", 3, "", 0, 0, 1, 0, 0, "", 4));
  EXPECT_FALSE(conditions_.Delete("kept"));
  // Still open, so its owner's rollback works, and nothing was written.
  EXPECT_EQ(connection->Rollback(), RDB_OK);
  EXPECT_TRUE(conditions_.Exists("kept"));
  EXPECT_FALSE(conditions_.Exists("new"));
}

}  // namespace

// The catalogue list queries: statement texts, keyword escaping and splitting, every list kind
// with and without conditions and sort orders on a filled storage, the keyword searches resolved
// in the saved graphs and batch texts, and the row fetches.
#include <gtest/gtest.h>

#include <algorithm>

#include "CatalogueFixture.h"
#include "store/CatalogueQueries.h"
#include "store/RDBSQLiteStatement.h"

namespace {

using catalogue_test::PlantSeconds;
using catalogue_test::PlantTest;
using catalogue_test::Ticks;
using std::nullopt;
using Strings = std::vector<std::string>;

TEST(EscapeLikePattern, SplitsAtBlanksAndQuotesAndEscapesForLike) {
  struct Case {
    std::string text;
    Strings keywords;
  } cases[] = {
      {"ab \"c d\"", {"ab", "c d"}},
      {"  a   b ", {"a", "b"}},
      {"x\"y z\"w", {"x", "y z", "w"}},
      {"\"open quote", {"open quote"}},
      {"a a", {"a", "a"}},
      {"a\tb", {"a\tb"}},  // only blanks separate
      {"", {}},
      {"   ", {}},
      {"\"\"", {}},
      {"50%_", {"50\\%\\_"}},
      {"it's", {"it''s"}},
      // A backslash is escaped too, so it matches itself and a trailing one cannot escape the
      // pattern's closing "%".
      {"C:\\DATA\\", {"C:\\\\DATA\\\\"}},
      {"\xC3\xA9t\xC3\xA9 50%", {"\xC3\xA9t\xC3\xA9", "50\\%"}},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeLikePattern(c.text), c.keywords) << c.text;
}

TEST(BuildBaseListQuery, StatementTexts) {
  struct Case {
    const char* what;
    int kind;
    std::optional<std::string> serial;
    int sort, direction;
    std::optional<int64_t> begin, end;
    int target;
    std::optional<std::string> text;
    int filter;
    bool matchAll;
    const char* sql;  // null: refused
  } cases[] = {
      {"plain", 2, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 0, true, "SELECT * FROM tag_list ;"},
      {"file overlap", 6, nullopt, 0, 0, 100, 200, 0, nullopt, 0, true,
       "SELECT * FROM file_list WHERE ( 100 BETWEEN start_time AND end_time OR 200 BETWEEN start_time AND end_time OR start_time BETWEEN 100 AND 200 OR end_time BETWEEN 100 AND 200 ) ;"},
      {"batch overlap", 7, nullopt, 0, 0, -5, 7, 0, nullopt, 0, true,
       "SELECT * FROM batch_list WHERE ( -5 BETWEEN start_time AND stop_time OR 7 BETWEEN start_time AND stop_time OR start_time BETWEEN -5 AND 7 OR stop_time BETWEEN -5 AND 7 ) ;"},
      {"alarm example", 3, "12345", 18, 2, 100, 200, 0, nullopt, 3, true,
       "SELECT * FROM alarm_list WHERE inst_serial_no = '12345' AND ( alarm_time BETWEEN 100 AND 200 ) AND alarm_type = 7 ORDER BY alarm_time DESC ;"},
      {"messages in time", 5, nullopt, 0, 0, 1, 2, 0, nullopt, 0, true,
       "SELECT * FROM message_list WHERE ( message_time BETWEEN 1 AND 2 ) ;"},
      {"graphs in time", 9, "S", 0, 0, 1, 2, 0, nullopt, 0, true,
       "SELECT * FROM graph_table WHERE ( edit_time BETWEEN 1 AND 2 ) ;"},
      {"trash ignores the instrument", 8, "12345", 0, 0, nullopt, nullopt, 0, nullopt, 0, true,
       "SELECT * FROM trash ;"},
      {"conditions ignore the instrument", 10, "", 32, 1, nullopt, nullopt, 0, nullopt, 0, true,
       "SELECT * FROM condition ORDER BY name ASC ;"},
      {"empty serial still a condition", 1, "", 0, 0, nullopt, nullopt, 0, nullopt, 0, true,
       "SELECT * FROM instrument WHERE inst_serial_no = '' ;"},
      {"serial with an apostrophe", 2, "LT'7", 0, 0, nullopt, nullopt, 0, nullopt, 0, true,
       "SELECT * FROM tag_list WHERE inst_serial_no = 'LT''7' ;"},
      {"match all", 5, nullopt, 0, 0, nullopt, nullopt, 6, "ab \"c d\"", 0, true,
       "SELECT * FROM message_list WHERE message_text LIKE '%ab%' AND message_text LIKE '%c d%' ;"},
      {"match any", 5, nullopt, 0, 0, nullopt, nullopt, 6, "ab \"c d\"", 0, false,
       "SELECT * FROM message_list WHERE ( message_text LIKE 'ab' OR message_text LIKE 'c d' ) ;"},
      {"percent", 5, nullopt, 0, 0, nullopt, nullopt, 6, "50%", 0, true,
       "SELECT * FROM message_list WHERE message_text LIKE '%50\\%%' ESCAPE '\\' ;"},
      {"apostrophe keyword", 6, "S", 0, 0, nullopt, nullopt, 8, "O'Brien", 0, true,
       "SELECT * FROM file_list WHERE inst_serial_no = 'S' AND file_name LIKE '%O''Brien%' ;"},
      {"backslash keyword", 5, nullopt, 0, 0, nullopt, nullopt, 6, "C:\\DATA", 0, true,
       "SELECT * FROM message_list WHERE message_text LIKE '%C:\\\\DATA%' ESCAPE '\\' ;"},
      {"blanks only", 5, nullopt, 0, 0, nullopt, nullopt, 6, "   ", 0, true, "SELECT * FROM message_list ;"},
      {"no target", 5, nullopt, 0, 0, nullopt, nullopt, 0, "ab", 0, true, "SELECT * FROM message_list ;"},
      {"sort 6 by start", 7, nullopt, 6, 1, nullopt, nullopt, 0, nullopt, 0, true,
       "SELECT * FROM batch_list ORDER BY start_time ASC ;"},
      {"sort without direction", 7, nullopt, 27, 0, nullopt, nullopt, 0, nullopt, 0, true,
       "SELECT * FROM batch_list ;"},
      {"filter ignored off alarms", 2, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 9, true,
       "SELECT * FROM tag_list ;"},
      {"guid match", 7, nullopt, 0, 0, nullopt, nullopt, 14, "\"A-1\" \"B-2\"", 0, false,
       "SELECT * FROM batch_list WHERE ( cont_data_guid LIKE 'A-1' OR cont_data_guid LIKE 'B-2' ) ;"},
      {"unknown kind", 11, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 0, true, nullptr},
      {"kind 0", 0, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 0, true, nullptr},
      {"begin alone", 2, nullopt, 0, 0, 100, nullopt, 0, nullopt, 0, true, nullptr},
      {"end alone", 2, nullopt, 0, 0, nullopt, 100, 0, nullopt, 0, true, nullptr},
      {"range on trash", 8, nullopt, 0, 0, 1, 2, 0, nullopt, 0, true, nullptr},
      {"range on conditions", 10, nullopt, 0, 0, 1, 2, 0, nullopt, 0, true, nullptr},
      {"range on instruments", 1, nullopt, 0, 0, 1, 2, 0, nullopt, 0, true, nullptr},
      {"sort 27", 2, nullopt, 27, 1, nullopt, nullopt, 0, nullopt, 0, true, nullptr},
      {"sort 34", 2, nullopt, 34, 2, nullopt, nullopt, 0, nullopt, 0, true, nullptr},
      {"filter 9", 3, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 9, true, nullptr},
      {"target resolved elsewhere", 9, nullopt, 0, 0, nullopt, nullopt, 9, "x", 0, true, nullptr},
      {"target 13 on the builder", 7, nullopt, 0, 0, nullopt, nullopt, 13, "x", 0, true, nullptr},
      {"target 15", 2, nullopt, 0, 0, nullopt, nullopt, 15, "x", 0, true, nullptr},
  };
  for (const Case& c : cases) {
    std::string sql = "untouched";
    bool ok = BuildBaseListQuery(&sql, c.kind, c.serial, c.sort, c.direction, c.begin, c.end, c.target,
                                 c.text, c.filter, c.matchAll);
    if (c.sql) {
      EXPECT_TRUE(ok) << c.what;
      EXPECT_EQ(sql, c.sql) << c.what;
    } else {
      EXPECT_FALSE(ok) << c.what;
      EXPECT_EQ(sql, "untouched") << c.what;
    }
  }
  EXPECT_FALSE(BuildBaseListQuery(nullptr, 2, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 0, true));
}

class CatalogueQueriesTest : public PlantTest {
 protected:
  struct Query {
    Query(int kind, std::optional<std::string> serial = nullopt, int sort = 0, int direction = 0,
          std::optional<int64_t> begin = nullopt, std::optional<int64_t> end = nullopt, int target = 0,
          std::optional<std::string> text = nullopt, int filter = 0)
        : kind(kind),
          serial(std::move(serial)),
          sort(sort),
          direction(direction),
          begin(begin),
          end(end),
          target(target),
          text(std::move(text)),
          filter(filter) {}
    int kind;
    std::optional<std::string> serial;
    int sort, direction;
    std::optional<int64_t> begin, end;
    int target;
    std::optional<std::string> text;
    int filter;
  };

  // The next row of a list of that kind through its own fetch; key is one column that tells the
  // row (the first for instruments).
  bool FetchOne(int kind, CatalogueCursor& cursor, std::string& key) {
    const CatalogueRow& r = GetCatalogueRow();
    int a = 0, b = 0, c = 0, d = 0;
    bool got = false;
    switch (kind) {
      case LIST_INSTRUMENTS: {
        got = cursor && cursor->Fetch() == STORE_ROW && cursor->GetText(0, key) == STORE_OK;
        if (!got) cursor.reset();
        break;
      }
      case LIST_TAGS:
        got = FetchTagListRow(cursor, a, b), key = r.tagName;
        break;
      case LIST_ALARMS:
        got = FetchAlarmListRow(cursor, a, b, c, d), key = std::to_string(PlantSeconds(r.alarmTime));
        break;
      case LIST_DISPLAY_GROUPS:
        got = FetchDisplayGroupListRow(cursor, a, b, c), key = r.groupName;
        break;
      case LIST_MESSAGES:
        got = FetchMessageListRow(cursor, a), key = r.messageText;
        break;
      case LIST_FILES:
        got = FetchFileListRow(cursor, a, b), key = r.fileName;
        break;
      case LIST_BATCHES:
        got = FetchBatchListRow(cursor, a, b, c), key = r.batchGuid.substr(0, 1);
        break;
      case LIST_TRASH:
        got = FetchTrashRow(cursor), key = r.fileName;
        break;
      case LIST_GRAPHS:
        got = FetchGraphRow(cursor), key = r.graphName;
        break;
      case LIST_CONDITIONS:
        got = FetchConditionRow(cursor), key = r.conditionName;
        break;
    }
    return got;
  }

  // The rows of a list by one key column each (the name that tells the rows apart; an alarm's
  // plant time), in the order fetched; nullopt when the query fails. The query's begin and end
  // are plant times.
  std::optional<Strings> Rows(const Query& q) {
    CatalogueCursor cursor;
    auto ticks = [](std::optional<int64_t> t) { return t ? std::optional<int64_t>(Ticks(*t)) : nullopt; };
    if (!OpenListQuery(sources_, q.text, cursor, q.kind, q.serial, q.sort, q.direction, ticks(q.begin),
                       ticks(q.end), q.target, q.filter)) {
      EXPECT_EQ(cursor, nullptr);
      return nullopt;
    }
    Strings rows;
    for (std::string key; FetchOne(q.kind, cursor, key);) rows.push_back(key);
    EXPECT_EQ(cursor, nullptr);  // the end of the rows frees the cursor
    return rows;
  }
};

TEST_F(CatalogueQueriesTest, EveryListKindWithAndWithoutConditions) {
  struct Case {
    const char* what;
    Query query;
    std::optional<Strings> rows;  // in this order when the query sorts, else in any order
  } cases[] = {
      {"instruments", {1}, Strings{"LT'7", "NB-9", "PW-3", "QR1001"}},
      {"instrument with an apostrophe", {1, "LT'7"}, Strings{"LT'7"}},
      {"tags", {2}, Strings{"Inlet", "Outlet", "Pressure", "Flow_1", "C:DATA", "Speed"}},
      {"tags of the latest file only once", {2, "QR1001"}, Strings{"Inlet", "Outlet", "Pressure"}},
      {"tags of a serial with an apostrophe", {2, "LT'7"}, Strings{"Flow_1", "C:DATA"}},
      {"tags of an unknown serial", {2, "nobody"}, Strings{}},
      {"tags overlapping at a bound", {2, nullopt, 0, 0, 950, 1000}, Strings{"Inlet", "Outlet", "Pressure"}},
      {"tags in a gap", {2, nullopt, 0, 0, 901, 999}, Strings{}},
      {"tags enclosed by the range",
       {2, nullopt, 0, 0, 0, 99999},
       Strings{"Inlet", "Outlet", "Pressure", "Flow_1", "C:DATA", "Speed"}},
      {"tags by name",
       {2, nullopt, 1, 1},
       Strings{"C:DATA", "Flow_1", "Inlet", "Outlet", "Pressure", "Speed"}},
      {"tags by name descending",
       {2, nullopt, 1, 2},
       Strings{"Speed", "Pressure", "Outlet", "Inlet", "Flow_1", "C:DATA"}},
      {"tag number with an underscore", {2, nullopt, 0, 0, nullopt, nullopt, 2, "F_"}, Strings{"Flow_1"}},
      {"tag number with a percent", {2, nullopt, 0, 0, nullopt, nullopt, 2, "F%"}, Strings{"C:DATA"}},
      {"channel names, all keywords",
       {2, nullopt, 0, 0, nullopt, nullopt, 3, "CH 1"},
       Strings{"Inlet", "Flow_1", "Speed"}},
      {"tags, filter ignored",
       {2, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 9},
       Strings{"Inlet", "Outlet", "Pressure", "Flow_1", "C:DATA", "Speed"}},
      {"alarms", {3}, Strings{"1200", "2200", "2300", "5100", "500"}},
      {"alarms of type 7", {3, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 3}, Strings{"2200"}},
      {"alarms of type 4", {3, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 8}, Strings{}},
      {"alarms of type 8", {3, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 4}, Strings{"5100"}},
      {"alarms in time, newest first", {3, nullopt, 18, 2, 1000, 2250}, Strings{"2200", "1200"}},
      {"alarms of one instrument", {3, "QR1001", 18, 1}, Strings{"1200", "2200", "2300"}},
      {"alarms by tag name", {3, nullopt, 0, 0, nullopt, nullopt, 1, "Inlet"}, Strings{"1200"}},
      {"display groups", {4}, Strings{"Temps", "Press", "Flow", "Main"}},
      {"display groups of one instrument", {4, "PW-3"}, Strings{"Main"}},
      {"display groups by name", {4, nullopt, 23, 1}, Strings{"Flow", "Main", "Press", "Temps"}},
      {"messages", {5}, Strings{"valve 50% open", "valve 500 open", "saved to C:\\DATA\\run1", "C:DATA"}},
      {"messages by time",
       {5, nullopt, 21, 1},
       Strings{"valve 50% open", "valve 500 open", "saved to C:\\DATA\\run1", "C:DATA"}},
      {"messages in time",
       {5, nullopt, 0, 0, 2400, 2600},
       Strings{"valve 500 open", "saved to C:\\DATA\\run1"}},
      {"messages with a percent", {5, nullopt, 0, 0, nullopt, nullopt, 6, "50%"}, Strings{"valve 50% open"}},
      {"messages with every keyword",
       {5, nullopt, 0, 0, nullopt, nullopt, 6, "open valve"},
       Strings{"valve 50% open", "valve 500 open"}},
      {"messages with a backslash",
       {5, nullopt, 0, 0, nullopt, nullopt, 6, "C:\\DATA"},
       Strings{"saved to C:\\DATA\\run1"}},
      {"messages with a trailing backslash",
       {5, nullopt, 0, 0, nullopt, nullopt, 6, "to C:\\"},
       Strings{"saved to C:\\DATA\\run1"}},
      {"messages without the backslash",
       {5, nullopt, 0, 0, nullopt, nullopt, 6, "C:DATA"},
       Strings{"C:DATA"}},
      {"messages by user",
       {5, "QR1001", 0, 0, nullopt, nullopt, 7, "dan"},
       Strings{"valve 500 open", "saved to C:\\DATA\\run1"}},
      {"files", {6}, Strings{"A1.DAE", "A2.DAE", "O'Brien.DAE", "P1.DAD"}},
      {"files named with an apostrophe",
       {6, nullopt, 0, 0, nullopt, nullopt, 8, "O'Brien"},
       Strings{"O'Brien.DAE"}},
      {"files ending at the range's start", {6, nullopt, 0, 0, 2000, 2050}, Strings{"A1.DAE"}},
      {"files between two files", {6, nullopt, 0, 0, 2001, 2099}, Strings{}},
      {"files by name descending", {6, nullopt, 14, 2}, Strings{"P1.DAD", "O'Brien.DAE", "A2.DAE", "A1.DAE"}},
      {"files by end time", {6, "QR1001", 7, 2}, Strings{"A2.DAE", "A1.DAE"}},
      {"files, a column the view lacks", {6, nullopt, 0, 0, nullopt, nullopt, 6, "x"}, nullopt},
      {"batches", {7}, Strings{"A", "B", "C"}},
      {"batches by start", {7, nullopt, 4, 1}, Strings{"C", "A", "B"}},
      {"batches by logging number", {7, nullopt, 24, 2}, Strings{"C", "B", "A"}},
      {"batches by name", {7, nullopt, 0, 0, nullopt, nullopt, 4, "BATCH 007"}, Strings{"A"}},
      {"batch texts", {7, nullopt, 0, 0, nullopt, nullopt, 12, "50%"}, Strings{"A"}},
      {"batch texts with a backslash", {7, nullopt, 0, 0, nullopt, nullopt, 12, "C:\\DATA"}, Strings{"A"}},
      {"batch titles", {7, nullopt, 0, 0, nullopt, nullopt, 12, "Recipe"}, Strings{"A"}},
      {"batch comments with an apostrophe", {7, nullopt, 0, 0, nullopt, nullopt, 13, "O'Hara"}, Strings{"A"}},
      {"batch comments, empty text", {7, nullopt, 0, 0, nullopt, nullopt, 13, ""}, Strings{"A", "B", "C"}},
      {"batch comments found, other serial", {7, "PW-3", 0, 0, nullopt, nullopt, 13, "comment"}, Strings{}},
      {"batch texts that nothing holds", {7, nullopt, 0, 0, nullopt, nullopt, 12, "nothing"}, nullopt},
      {"deleted data", {8}, Strings{"N1.DEV", "P0.DAD", "Old.DAE"}},
      {"deleted data ignores the instrument", {8, "PW-3"}, Strings{"N1.DEV", "P0.DAD", "Old.DAE"}},
      {"deleted data newest first", {8, nullopt, 29, 2}, Strings{"Old.DAE", "P0.DAD", "N1.DEV"}},
      {"deleted data with a time condition", {8, nullopt, 0, 0, 0, 99999}, nullopt},
      {"saved conditions with a time condition", {10, nullopt, 0, 0, 0, 99999}, nullopt},
      {"saved graphs, none yet", {9}, Strings{}},
      {"sort 27", {2, nullopt, 27, 1}, nullopt},
      {"filter 9", {3, nullopt, 0, 0, nullopt, nullopt, 0, nullopt, 9}, nullopt},
      {"kind 11", {11}, nullopt},
  };
  for (const Case& c : cases) {
    std::optional<Strings> rows = Rows(c.query);
    if (!c.rows) {
      EXPECT_FALSE(rows) << c.what;
      continue;
    }
    ASSERT_TRUE(rows) << c.what;
    Strings expected = *c.rows;
    if (c.query.sort == 0 || c.query.direction == 0) {
      std::sort(rows->begin(), rows->end());
      std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(*rows, expected) << c.what;
  }
}

TEST_F(CatalogueQueriesTest, FetchesFillTheRowRecordColumnByColumn) {
  CatalogueCursor cursor;
  ASSERT_TRUE(OpenListQuery(sources_, nullopt, cursor, LIST_TAGS, "LT'7", 3, 2, nullopt, nullopt, 0, 0));
  int dataKind = -1, powerFailure = -1;
  ASSERT_TRUE(FetchTagListRow(cursor, dataKind, powerFailure));
  const CatalogueRow& r = GetCatalogueRow();
  EXPECT_EQ(r.tagName, "C:DATA");
  EXPECT_EQ(r.tagNo, "F%2");
  EXPECT_EQ(r.channelName, "CH002");
  EXPECT_EQ(r.startTime, Ticks(5000));
  EXPECT_EQ(r.stopTime, Ticks(6000));
  EXPECT_EQ(r.channelInterval, catalogue_test::kPlantIntervalMs);
  EXPECT_EQ(dataKind, 1);
  EXPECT_EQ(powerFailure, 1);
  EXPECT_EQ(r.instrumentName, "LT'7_LT4100");
  EXPECT_EQ(r.recorderType, "LT4100");
  EXPECT_EQ(r.batchName, "B ");
  EXPECT_EQ(r.batchGuid, "B0000000-0000-0000-0000-00000000000B");
  EXPECT_EQ(r.serialNo, "LT'7");
  EXPECT_EQ(r.channelNo, 2);

  int action = 0, type = 0, level = 0;
  ASSERT_TRUE(
      OpenListQuery(sources_, nullopt, cursor, LIST_ALARMS, "QR1001", 18, 1, Ticks(2200), Ticks(2300), 0, 0));
  ASSERT_TRUE(FetchAlarmListRow(cursor, action, type, level, dataKind));
  EXPECT_EQ(r.alarmTime, Ticks(2200));
  EXPECT_EQ(std::tie(action, type, level), std::make_tuple(2, 7, 2));
  EXPECT_EQ(r.tagName, "Pressure");
  EXPECT_EQ(r.channelNo, 3);
  EXPECT_EQ(r.batchName, "BATCH-A 007");
  ASSERT_TRUE(FetchAlarmListRow(cursor, action, type, level, dataKind));
  EXPECT_EQ(r.alarmTime, Ticks(2300));
  EXPECT_EQ(r.tagName, "");  // an alarm without a channel has no tag
  EXPECT_EQ(type, 2);
  int64_t fileId = r.fileId;
  EXPECT_GT(fileId, 0);
  EXPECT_FALSE(FetchAlarmListRow(cursor, action, type, level, dataKind));
  EXPECT_EQ(cursor, nullptr);
  EXPECT_FALSE(FetchAlarmListRow(cursor, action, type, level, dataKind));  // a freed cursor

  int groupNo = 0;
  ASSERT_TRUE(
      OpenListQuery(sources_, nullopt, cursor, LIST_DISPLAY_GROUPS, "QR1001", 23, 2, nullopt, nullopt, 0, 0));
  ASSERT_TRUE(FetchDisplayGroupListRow(cursor, dataKind, powerFailure, groupNo));
  EXPECT_EQ(r.groupName, "Temps");
  EXPECT_EQ(groupNo, 1);
  EXPECT_EQ(std::tie(r.startTime, r.stopTime), std::make_tuple(Ticks(1000), Ticks(3000)));

  ASSERT_TRUE(OpenListQuery(sources_, "500", cursor, LIST_MESSAGES, nullopt, 0, 0, nullopt, nullopt, 6, 0));
  ASSERT_TRUE(FetchMessageListRow(cursor, dataKind));
  EXPECT_EQ(r.messageText, "valve 500 open");
  EXPECT_EQ(r.userName, "dan");
  EXPECT_EQ(r.messageTime, Ticks(2500));
  EXPECT_EQ(r.writeGroupText, "1:2");
  EXPECT_GT(r.messageId, 0);
  EXPECT_FALSE(FetchMessageListRow(cursor, dataKind));

  ASSERT_TRUE(OpenListQuery(sources_, "O'Brien", cursor, LIST_FILES, nullopt, 0, 0, nullopt, nullopt, 8, 0));
  ASSERT_TRUE(FetchFileListRow(cursor, dataKind, powerFailure));
  EXPECT_EQ(r.fileName, "O'Brien.DAE");
  EXPECT_EQ(std::tie(r.startTime, r.stopTime), std::make_tuple(Ticks(5000), Ticks(6000)));

  int loggingNo = 0;
  ASSERT_TRUE(OpenListQuery(sources_, nullopt, cursor, LIST_BATCHES, "QR1001", 0, 0, nullopt, nullopt, 0, 0));
  ASSERT_TRUE(FetchBatchListRow(cursor, dataKind, powerFailure, loggingNo));
  EXPECT_EQ(loggingNo, 1);
  EXPECT_EQ(r.batchName, "BATCH-A 007");
  EXPECT_EQ(std::tie(r.startTime, r.stopTime), std::make_tuple(Ticks(1000), Ticks(3000)));

  ASSERT_TRUE(OpenListQuery(sources_, nullopt, cursor, LIST_TRASH, nullopt, 29, 1, nullopt, nullopt, 0, 0));
  ASSERT_TRUE(FetchTrashRow(cursor));
  EXPECT_EQ(r.filePath, "TRASH/NB-9/2024/1/N1.DEV");
  EXPECT_GE(r.deletionTime, deletedAfter_);
  EXPECT_LE(r.deletionTime, deletedBefore_);

  // A new query on the variable frees the cursor it held.
  ASSERT_TRUE(OpenInstrumentQuery(sources_, cursor));
  std::string name, serial;
  ASSERT_EQ(cursor->Fetch(), STORE_ROW);
  cursor->GetText(0, name);
  cursor->GetText(1, serial);
  EXPECT_EQ(std::tie(name, serial), std::make_tuple(std::string("LT'7_LT4100"), std::string("LT'7")));
}

TEST_F(CatalogueQueriesTest, QueriesFailWithoutTheirDatabase) {
  CatalogueCursor cursor;
  storage_.Close();
  EXPECT_FALSE(OpenListQuery(sources_, nullopt, cursor, LIST_TAGS, nullopt, 0, 0, nullopt, nullopt, 0, 0));
  EXPECT_FALSE(OpenInstrumentQuery(sources_, cursor));
  std::set<std::string> guids;
  EXPECT_FALSE(FindBatchesByText(sources_, "x", guids));
  EXPECT_FALSE(OpenListQuery(sources_, "x", cursor, LIST_BATCHES, nullopt, 0, 0, nullopt, nullopt, 13, 0));
  EXPECT_EQ(cursor, nullptr);
  // The saved graphs and conditions are still there.
  EXPECT_TRUE(OpenListQuery(sources_, nullopt, cursor, LIST_GRAPHS, nullopt, 0, 0, nullopt, nullopt, 0, 0));
  EXPECT_TRUE(
      OpenListQuery(sources_, nullopt, cursor, LIST_CONDITIONS, nullopt, 0, 0, nullopt, nullopt, 0, 0));
  graphs_.Close();
  conditions_.Close();
  EXPECT_FALSE(OpenListQuery(sources_, nullopt, cursor, LIST_GRAPHS, nullopt, 0, 0, nullopt, nullopt, 0, 0));
  EXPECT_FALSE(
      OpenListQuery(sources_, nullopt, cursor, LIST_CONDITIONS, nullopt, 0, 0, nullopt, nullopt, 0, 0));
  EXPECT_EQ(cursor, nullptr);
  EXPECT_TRUE(FindGraphsByTagName(sources_, "x").empty());
  vt::CatalogueSources none;
  EXPECT_FALSE(OpenListQuery(none, nullopt, cursor, LIST_FILES, nullopt, 0, 0, nullopt, nullopt, 0, 0));
}

TEST_F(CatalogueQueriesTest, AFetchTellsTheEndOfTheRowsFromAStepThatFails) {
  for (int kind :
       {LIST_TAGS, LIST_ALARMS, LIST_DISPLAY_GROUPS, LIST_MESSAGES, LIST_FILES, LIST_BATCHES, LIST_TRASH}) {
    SCOPED_TRACE(kind);
    CatalogueCursor cursor;
    std::string key;
    ASSERT_TRUE(OpenListQuery(sources_, nullopt, cursor, kind, nullopt, 0, 0, nullopt, nullopt, 0, 0));
    ASSERT_TRUE(FetchOne(kind, cursor, key));
    EXPECT_EQ(GetLastFetchResult(), STORE_ROW);
    RDBStepTestHook::FailNthStep(1);
    EXPECT_FALSE(FetchOne(kind, cursor, key));
    RDBStepTestHook::FailNthStep(0);
    EXPECT_EQ(cursor, nullptr);
    EXPECT_EQ(GetLastFetchResult(), STORE_FAILED);

    // Read to their end, the same rows report a whole list.
    ASSERT_TRUE(OpenListQuery(sources_, nullopt, cursor, kind, nullopt, 0, 0, nullopt, nullopt, 0, 0));
    while (FetchOne(kind, cursor, key)) {
    }
    EXPECT_EQ(GetLastFetchResult(), STORE_OK);
  }
}

}  // namespace

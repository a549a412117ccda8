// The list document over the catalogue fixture: every list kind's rows and cell texts, sorting,
// the row limit, renaming saved graphs and conditions, loading a saved condition, the column
// layouts in the profile, and a storage without stores.
#include <gtest/gtest.h>

#include <cctype>

#include "ListTestSupport.h"
#include "app/CReportColumnSet.h"
#include "platform/gui/Profile.h"
#include "platform/gui/testing/MessageBoxCapture.h"
#include "store/CatalogueLookups.h"
#include "store/StoreClock.h"

namespace list_test {
namespace {

using Texts = std::vector<std::string>;

Texts FirstRow(const CListDoc& doc) {
  Texts texts;
  const vt::SListKindInfo* info = GetListKindInfo(doc.m_listKind);
  for (int c = 0; c < info->columnCount; ++c) texts.push_back(doc.GetCellText(0, c));
  return texts;
}

TEST_F(PlantListTest, EveryListKindShowsItsRowsInTheDisplayZone) {
  SaveGraphsAndConditions();
  // Batch names are the batch number, a blank and the lot number; times of the deleted data and
  // the saved lists are the clock's, so only their form is checked.
  const std::string now = "####/##/## ##:##:##.###";
  const struct {
    int kind, sortColumn;
    Texts sorted;  // the sort column over all rows
    Texts first;   // every cell of the first row
  } cases[] = {
      {LIST_KIND_TAG,
       0,
       {"C:DATA", "Flow_1", "Inlet", "Outlet", "Pressure", "Speed"},
       {"C:DATA", "F%2", "CH002", "2023/12/31 20:23:20.000", "2023/12/31 20:40:00.000", "10 Sec",
        "Display data", "Yes", "LT'7_LT4100", "LT4100", "B "}},
      {LIST_KIND_ALARM,
       3,
       {"2023/12/31 19:08:20.000", "2023/12/31 19:20:00.000", "2023/12/31 19:36:40.000",
        "2023/12/31 19:38:20.000", "2023/12/31 20:25:00.000"},
       {"ON", "Rate High", "L1", "2023/12/31 19:08:20.000", "Speed", "CH001", "Event data", "PW-3_QR436",
        "QR436", " "}},
      {LIST_KIND_DISPLAY_GROUP,
       0,
       {"Flow", "Main", "Press", "Temps"},
       {"Flow", "2023/12/31 20:23:20.000", "2023/12/31 20:40:00.000", "Display data", "Yes", "LT'7_LT4100",
        "LT4100", "B "}},
      {LIST_KIND_MESSAGE,
       2,
       {"2023/12/31 19:25:00.000", "2023/12/31 19:41:40.000", "2023/12/31 19:43:20.000",
        "2023/12/31 20:31:40.000"},
       {"valve 50% open", "ann", "2023/12/31 19:25:00.000", "ALL", "Event data", "QR1001_QR4100", "QR4100",
        "BATCH-A 007"}},
      {LIST_KIND_FILE,
       0,
       {"A1.DAE", "A2.DAE", "O'Brien.DAE", "P1.DAD"},
       {"A1.DAE", "2023/12/31 19:16:40.000", "2023/12/31 19:33:20.000", "Event data", "No", "QR1001_QR4100",
        "QR4100", "BATCH-A 007"}},
      {LIST_KIND_BATCH,
       0,
       {"2023/12/31 19:01:40.000", "2023/12/31 19:16:40.000", "2023/12/31 20:23:20.000"},
       {"2023/12/31 19:01:40.000", "2023/12/31 19:15:00.000", "Event data", "No", "PW-3_QR436", "QR436", " ",
        "3"}},
      {LIST_KIND_TRASH, 0, {"N1.DEV", "Old.DAE", "P0.DAD"}, {"N1.DEV", now}},
      {LIST_KIND_CONDITION, 0, {"alpha", "beta"}, {"alpha", now}},
      {LIST_KIND_GRAPH, 0, {"Boiler", "Flow"}, {"Boiler", now}},
  };
  auto doc = MakeDoc();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    doc->m_listKind = c.kind;
    doc->m_sortColumn = c.sortColumn;
    doc->m_sortOrder = 1;
    EXPECT_EQ(Fill(*doc), CListDoc::FETCH_END);
    EXPECT_EQ(Column(*doc, c.sortColumn), c.sorted);
    Texts first = FirstRow(*doc);
    for (size_t i = 0; i < first.size() && i < c.first.size(); ++i)
      if (c.first[i] == now)
        for (char& ch : first[i]) ch = std::isdigit(uint8_t(ch)) ? '#' : ch;
    EXPECT_EQ(first, c.first);
    EXPECT_EQ(doc->GetRowImage(), GetListKindInfo(c.kind)->rowImage);
  }
}

// Each header of the file list sorts by its own key, ascending on the first click and descending
// on the next; another header starts ascending again.
TEST_F(PlantListTest, EachFileListHeaderSortsByItsKey) {
  auto doc = MakeDoc();
  doc->m_listKind = LIST_KIND_FILE;
  // A comparable value of a cell: the stored times, the flags as numbers, texts as they are.
  auto key = [&](int row, int column) -> std::string {
    if (column == 1) return std::to_string(doc->GetItemStartTime(row));
    if (column == 2) return std::to_string(doc->GetItemStopTime(row));
    const std::string text = doc->GetCellText(row, column);
    if (column == 3) return text == "Event data" ? "0" : "1";
    if (column == 4) return text == "No" ? "0" : "1";
    return text;
  };
  const vt::SListKindInfo* info = GetListKindInfo(LIST_KIND_FILE);
  for (int column = 0; column < info->columnCount; ++column) {
    SCOPED_TRACE(column);
    for (int expectedOrder : {1, 2}) {
      ASSERT_EQ(doc->ToggleSort(column), expectedOrder);
      ASSERT_EQ(Fill(*doc), CListDoc::FETCH_END);
      ASSERT_EQ(doc->GetItemCount(), 4);
      for (int row = 1; row < 4; ++row) {
        const std::string a = key(row - 1, column), b = key(row, column);
        if (a.size() == b.size() || column == 0 || column > 4)
          EXPECT_TRUE(expectedOrder == 1 ? a <= b : a >= b) << a << " / " << b;
        else
          EXPECT_TRUE(expectedOrder == 1 ? std::stoll(a) <= std::stoll(b) : std::stoll(a) >= std::stoll(b));
      }
    }
  }
  EXPECT_EQ(doc->ToggleSort(7), 1);  // a third click on the same header would give 1, another header too
  EXPECT_EQ(doc->ToggleSort(7), 2);
  EXPECT_EQ(doc->ToggleSort(7), 1);
}

// A relative condition counts its units back from the moment it was put into force, a month as
// 31 days: three months before 1200 s + 93 days reach the alarm at 1200 s and not the one at 500 s.
TEST_F(PlantListTest, RelativeConditionCountsMonthsOf31Days) {
  auto doc = MakeDoc();
  doc->m_listKind = LIST_KIND_ALARM;
  doc->m_conditionsOn = true;
  doc->m_timeCondition = TIME_RELATIVE;
  doc->m_relativeValue = 3;
  doc->m_relativeUnit = RELATIVE_MONTH;
  doc->m_searchTime = catalogue_test::Ticks(1200) + 93LL * 86400 * 10000000;
  ASSERT_EQ(Fill(*doc), CListDoc::FETCH_END);
  EXPECT_EQ(doc->GetItemCount(), 4);
  doc->m_relativeUnit = 7;  // no such unit: no query
  EXPECT_FALSE(doc->PrepareQuery());
  EXPECT_EQ(doc->GetItemCount(), 0);
}

// Renames of saved graphs and conditions: a name another one has is refused with 10115 and the
// row keeps its name; the same name changes nothing.
TEST_F(PlantListTest, RenamesRefuseTakenNames) {
  SaveGraphsAndConditions();
  const struct {
    int kind;
    std::string newName;
    std::string shown;  // the row's name afterwards
    bool duplicate;
  } cases[] = {
      {LIST_KIND_GRAPH, "Steam", "Steam", false},   {LIST_KIND_GRAPH, "Flow", "Boiler", true},
      {LIST_KIND_GRAPH, "Boiler", "Boiler", false}, {LIST_KIND_CONDITION, "gamma", "gamma", false},
      {LIST_KIND_CONDITION, "beta", "alpha", true}, {LIST_KIND_CONDITION, "alpha", "alpha", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.newName);
    auto doc = MakeDoc();
    SelectionObserver selection(doc.get());
    selection.rows = {0};
    vt::MessageBoxCapture boxes;
    doc->m_listKind = c.kind;
    doc->m_sortColumn = 0, doc->m_sortOrder = 1;
    ASSERT_EQ(Fill(*doc), CListDoc::FETCH_END);
    const std::string old = doc->GetCellText(0, 0);
    if (c.kind == LIST_KIND_GRAPH)
      doc->RenameSavedGraph(c.newName);
    else
      doc->RenameSavedCondition(c.newName);
    EXPECT_EQ(doc->GetCellText(0, 0), c.shown);
    EXPECT_EQ(doc->GetCellText(1, 0), c.kind == LIST_KIND_GRAPH ? "Flow" : "beta");
    ASSERT_EQ(boxes.Boxes().size(), c.duplicate ? 1u : 0u);
    // The stores agree with the row.
    const int stored = c.kind == LIST_KIND_GRAPH ? GraphNameExists(sources_, c.shown)
                                                 : ConditionNameExists(sources_, c.shown);
    EXPECT_EQ(stored, 1);
    if (c.shown != old) {  // the next case starts from the first names again
      EXPECT_EQ(
          c.kind == LIST_KIND_GRAPH ? GraphNameExists(sources_, old) : ConditionNameExists(sources_, old), 0);
      if (c.kind == LIST_KIND_GRAPH)
        graphs_.GetGraphStorage()->RenameGraph(graphs_.GetGraphStorage()->FindGraphId(c.shown), old);
      else
        conditions_.Rename(c.shown, old);
    }
  }
}

// Loading a saved condition copies what its time condition uses, and the alarm kind only for an
// alarm list; an instrument no longer stored shows 10111 and changes nothing.
TEST_F(PlantListTest, LoadingASavedCondition) {
  SaveGraphsAndConditions();
  ASSERT_TRUE(conditions_.Insert(0, "gone", LIST_KIND_FILE, "NO-SUCH", TIME_RANGE, 5, 1, 0, 0, "", 4));
  auto doc = MakeDoc();
  SelectionObserver selection(doc.get());
  vt::MessageBoxCapture boxes;
  doc->m_listKind = LIST_KIND_CONDITION;
  doc->m_sortColumn = 0, doc->m_sortOrder = 1;
  ASSERT_EQ(Fill(*doc), CListDoc::FETCH_END);
  ASSERT_EQ(Column(*doc, 0), (Texts{"alpha", "beta", "gone"}));
  doc->m_selectedCount = 1;

  selection.rows = {2};
  EXPECT_FALSE(doc->LoadSavedCondition());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(doc->m_timeCondition, TIME_NONE);

  selection.rows = {0};
  const int64_t before = CurrentTickTime().ticks;
  ASSERT_TRUE(doc->LoadSavedCondition());
  EXPECT_EQ(doc->m_timeCondition, TIME_RELATIVE);
  EXPECT_EQ(doc->m_relativeValue, 3);
  EXPECT_EQ(doc->m_relativeUnit, RELATIVE_MONTH);
  EXPECT_EQ(doc->m_stringTarget, 1);
  EXPECT_EQ(doc->m_targetString, "Inlet");
  EXPECT_EQ(doc->m_alarmKind, 2);
  EXPECT_TRUE(doc->m_conditionLoaded);
  EXPECT_GE(doc->m_searchTime, before);
  EXPECT_EQ(doc->m_listKind, LIST_KIND_CONDITION);  // the navigation switches the list

  doc->m_alarmKind = 0;
  selection.rows = {1};  // a file-list condition: the alarm kind stays
  ASSERT_TRUE(doc->LoadSavedCondition());
  EXPECT_EQ(doc->m_timeCondition, TIME_NONE);
  EXPECT_EQ(doc->m_alarmKind, 0);
  selection.rows = {0, 1};  // only one at a time
  EXPECT_FALSE(doc->LoadSavedCondition());
}

// Without a storage or stores every list is empty and every action harmless.
TEST(ListDocWithoutStoresTest, ListsAreEmptyAndActionsDoNothing) {
  CListDoc doc(nullptr, [] { return vt::CatalogueSources{}; });
  SelectionObserver selection(&doc);
  selection.rows = {0};
  vt::MessageBoxCapture boxes;
  for (int kind = 0; kind <= kListKindCount + 1; ++kind) {
    doc.m_listKind = kind;
    EXPECT_FALSE(doc.PrepareQuery());
    EXPECT_EQ(doc.FetchRows(), CListDoc::FETCH_END);
    EXPECT_EQ(doc.GetItemCount(), 0);
    EXPECT_EQ(doc.GetCellText(0, 0), "");
  }
  doc.m_listKind = LIST_KIND_CONDITION;
  doc.m_selectedCount = 1;
  doc.RenameSavedCondition("x");
  doc.DeleteSavedConditions();
  EXPECT_FALSE(doc.LoadSavedCondition());
  doc.m_listKind = LIST_KIND_GRAPH;
  doc.RenameSavedGraph("x");
  doc.DeleteSavedGraphs();
  doc.m_listKind = LIST_KIND_TRASH;
  doc.PurgeTrash(true);
  doc.RestoreTrashSelection();
  EXPECT_EQ(doc.GetItemFileId(0), -1);
  EXPECT_EQ(doc.GetItemMessageId(0), -1);
}

// The row limit: 100,001 matching rows show 100,000 and end with 2, and so do exactly 100,000;
// the rows cost far less than fixed records of every text field.
class ListLimitTest : public vt_test::TempRootTest {};

TEST_F(ListLimitTest, FillsStopAtTheLimit) {
  CVTDataStorage storage;
  ASSERT_NO_FATAL_FAILURE(FillFileRows(storage, Path("STORAGE"), CListDoc::kMaxItems + 1));
  CListDoc doc(nullptr, [&] { return vt::CatalogueSources{&storage, nullptr, nullptr}; });
  doc.m_listKind = LIST_KIND_FILE;
  EXPECT_EQ(PlantListTest::Fill(doc), CListDoc::FETCH_LIMIT);
  EXPECT_EQ(doc.GetItemCount(), CListDoc::kMaxItems);
  EXPECT_TRUE(doc.LastFillCapped());
  EXPECT_EQ(doc.FetchRows(), CListDoc::FETCH_LIMIT);
  EXPECT_EQ(doc.GetCellText(CListDoc::kMaxItems - 1, 0).size(), std::string("F000000.DAE").size());
  EXPECT_LT(doc.GetRowMemory() / CListDoc::kMaxItems, 256u);

  ASSERT_EQ(storage.GetConnection()->Execute("DELETE FROM file WHERE file_id = 1;"), RDB_OK);
  EXPECT_EQ(PlantListTest::Fill(doc), CListDoc::FETCH_LIMIT);
  EXPECT_EQ(doc.GetItemCount(), CListDoc::kMaxItems);
  ASSERT_EQ(storage.GetConnection()->Execute("DELETE FROM file WHERE file_id = 2;"), RDB_OK);
  EXPECT_EQ(PlantListTest::Fill(doc), CListDoc::FETCH_END);
  EXPECT_EQ(doc.GetItemCount(), CListDoc::kMaxItems - 1);
  storage.Close();
}

// The column layouts: defaults without a profile entry, kept through the profile, and a stored
// order that is no permutation of the shown columns gives the table order.
TEST_F(ListLimitTest, ColumnLayoutsLiveInTheProfile) {
  {
    vt::Profile profile;
    CReportColumnSet set(LIST_KIND_FILE, &profile);
    ASSERT_EQ(set.Count(), 8);
    for (int i = 0; i < set.Count(); ++i) {
      EXPECT_EQ(set.m_visible[size_t(i)], 1);
      EXPECT_EQ(set.m_order[size_t(i)], i);
      EXPECT_EQ(set.m_width[size_t(i)], 100);
      EXPECT_EQ(set.m_fitWidth[size_t(i)], 1);  // no width of the user's yet
    }
    set.m_visible[3] = 0;
    set.m_order = {0, 2, 1, 4, 5, 6, 7, 3};
    set.m_width[2] = 140;
  }
  {
    vt::Profile profile;
    CReportColumnSet set(LIST_KIND_FILE, &profile);
    EXPECT_EQ(set.m_visible[3], 0);
    EXPECT_EQ(set.m_width[2], 140);
    EXPECT_EQ(set.m_fitWidth, std::vector<uint8_t>(8, 0));  // every width is stored now
    EXPECT_EQ(set.VisibleOrder(), (std::vector<int>{0, 2, 1, 4, 5, 6, 7}));
    EXPECT_EQ(profile.GetInt("ReportColumn\\5", "Order_01", -1), 2);
    const std::vector<std::vector<int>> broken = {
        {0, 2, 2, 4, 5, 6, 7}, {0, 3, 1, 4, 5, 6, 7}, {0, 9, 1, 4, 5, 6, 7}, {0, -1, 1, 4, 5, 6, 7}};
    for (const auto& order : broken) {
      set.m_order = order;
      set.m_order.push_back(3);
      EXPECT_EQ(set.VisibleOrder(), (std::vector<int>{0, 1, 2, 4, 5, 6, 7}));
    }
    set.m_order = {0, 2, 1, 4, 5, 6, 7, 3};
  }
}
}  // namespace
}  // namespace list_test

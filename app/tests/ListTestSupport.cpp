// The plant shown through the list document (see ListTestSupport.h).
#include "ListTestSupport.h"

#include "platform/base/TimeComputerZone.h"
#include "recorder/SharedTimeZone.h"
#include "store/GraphConfiguration.h"

namespace list_test {

void SelectionObserver::Update(int code) {
  codes.push_back(code);
  if (code == LIST_NOTIFY_SELECTION) doc_->m_selection = rows;
}

void PlantListTest::SetUp() {
  PlantTest::SetUp();
  // The fixture's zone is New York; shown without daylight saving, times are UTC - 5 h.
  vt::ResetComputerTimeZone();
  SetDisplayTimeZone(vt::DISPLAY_ZONE_NO_DAYLIGHT, 0, 0, 0, 0, 0, 0, 0, 0);
}

std::unique_ptr<CListDoc> PlantListTest::MakeDoc(vt::Profile* profile) {
  return std::make_unique<CListDoc>(profile, [this] { return sources_; });
}

int PlantListTest::Fill(CListDoc& doc) {
  int result = CListDoc::FETCH_END;
  if (!doc.PrepareQuery()) return result;
  do {
    result = doc.FetchRows();
  } while (result == CListDoc::FETCH_ROW);
  return result;
}

void PlantListTest::SaveGraphsAndConditions() {
  for (const char* name : {"Flow", "Boiler"}) {
    GraphConfigurationHolder h;
    AllocateGraphConfigurationArrays(1, h, 1, 0);
    ASSERT_TRUE(graphs_.SaveGraph(name, h)) << name;
  }
  ASSERT_TRUE(conditions_.Insert(0, "beta", LIST_KIND_FILE, "", TIME_NONE, 0, 1, 0, 0, "", 0));
  ASSERT_TRUE(conditions_.Insert(0, "alpha", LIST_KIND_ALARM, "QR1001", TIME_RELATIVE, 0, 3, RELATIVE_MONTH,
                                 1, "Inlet", 2));
}

std::vector<std::string> PlantListTest::Column(const CListDoc& doc, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < doc.GetItemCount(); ++row) texts.push_back(doc.GetCellText(row, column));
  return texts;
}

void FillFileRows(CVTDataStorage& storage, const std::string& folder, int files) {
  ASSERT_EQ(storage.Create(folder, "Many"), STORE_OK);
  ASSERT_EQ(storage.Open(), STORE_OK);
  const std::string n = std::to_string(files), batches = std::to_string((files + 9) / 10);
  const std::string sql =
      "INSERT INTO instrument VALUES ('SN0001', 'QR', 'host', 'Instrument 1');"
      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
      batches +
      ") "
      "INSERT INTO continuous_data_info SELECT x, printf('%08X-0000-4000-8000-000000000000', x), 'SN0001', "
      "x * 100000, x * 100000 + 99000, 'start user', 'stop user', x % 2, 0, 0, printf('BATCH%d', x), '001', x, "
      "x * 10, printf('%08X-0000-4000-8000-000000000000', x) FROM n;"
      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
      n +
      ") "
      "INSERT INTO file SELECT 'SN0001', (x - 1) / 10 + 1, x, printf('F%06d.DAE', x), "
      "printf('FILES/SN0001/2024/1/F%06d.DAE', x), 'header', 0, 2, 2, x * 10000, x * 10000 + 9000, 0, x * 100, "
      "x * 100 + 99, 1, 0, 0 FROM n;";
  CRDBConnection* db = storage.GetConnection();
  ASSERT_EQ(db->BeginTransaction(), RDB_OK);
  ASSERT_EQ(db->Execute(sql), RDB_OK);
  ASSERT_EQ(db->Commit(), RDB_OK);
}

}  // namespace list_test

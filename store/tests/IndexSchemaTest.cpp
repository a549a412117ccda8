// The schema of a new index, read back through the system's sqlite3 shell on a copy with the
// standard header and compared table by table, index by index and view by view with the
// definition of the index database. Also: the database_info row, the rollback of a failed
// creation, and what the views rely on.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/IndexSchema.h"
#include "store/RDBSQLiteConnection.h"
#include "store/VTDataStorage.h"

using store_test::Shell;

namespace {

// One line per column: name|type|notnull|pk (pk is the position in the primary key).
struct TableDefinition {
  const char* name;
  const char* columns;
};

const TableDefinition kTables[] = {
    {"message_write_group", "file_id|INTEGER|1|0\nmessage_id|INTEGER|1|1\ndisplay_group_no|INTEGER|1|2\n"},
    {"display_channel", "file_id|INTEGER|1|1\ngroup_no|INTEGER|1|2\nchannel_no|INTEGER|1|3\n"},
    {"tag",
     "file_id|INTEGER|1|1\nchannel_no|INTEGER|1|2\nchannel_name|TEXT|1|0\n"
     "channel_interval|INTEGER|1|0\ntag_no|TEXT|1|0\ntag_name|TEXT|1|0\nunit|TEXT|1|0\n"},
    {"message",
     "inst_serial_no|TEXT|1|0\ncont_data_id|INTEGER|1|0\nfile_id|INTEGER|1|0\n"
     "message_id|INTEGER|0|1\ninput_time|INTEGER|1|0\nscan_serial_no|INTEGER|1|0\n"
     "message_time|INTEGER|1|0\nmessage_no|INTEGER|1|0\nmessage_serial|INTEGER|1|0\n"
     "user_name|TEXT|1|0\nmessage_text|TEXT|1|0\nmessage_write_group_text|TEXT|1|0\n"},
    {"display_group", "file_id|INTEGER|1|1\ngroup_no|INTEGER|1|2\ngroup_name|TEXT|1|0\n"},
    {"batch_text",
     "cont_data_id|INTEGER|1|1\ntext_no|INTEGER|1|2\ntype|INTEGER|1|0\ntitle|TEXT|1|0\n"
     "text|TEXT|1|0\n"},
    {"batch_comment",
     "file_id|INTEGER|1|1\ncomment_no|INTEGER|1|2\nbatch_comment_time|INTEGER|1|0\n"
     "batch_comment_username|TEXT|1|0\nbatch_comment_text|TEXT|1|0\n"},
    {"alarm",
     "inst_serial_no|TEXT|1|0\ncont_data_id|INTEGER|1|0\nfile_id|INTEGER|1|0\n"
     "alarm_time|INTEGER|1|0\nchannel_no|INTEGER|1|0\nalarm_level|INTEGER|1|0\n"
     "alarm_action|INTEGER|1|0\nalarm_type|INTEGER|1|0\n"},
    {"file",
     "inst_serial_no|TEXT|1|0\ncont_data_id|INTEGER|1|0\nfile_id|INTEGER|0|1\n"
     "file_name|TEXT|1|0\nfile_path|TEXT|1|0\nfile_header|TEXT|1|0\npower_failure|INTEGER|1|0\n"
     "start_factor|INTEGER|1|0\nstop_factor|INTEGER|1|0\nstart_time|INTEGER|1|0\n"
     "end_time|INTEGER|1|0\ntrigger_time|INTEGER|1|0\nstart_data_no|INTEGER|1|0\n"
     "end_data_no|INTEGER|1|0\nmem_start_data_no|INTEGER|1|0\ntrigger_data_no|INTEGER|1|0\n"
     "chng_time_cnt|INTEGER|1|0\n"},
    {"continuous_data_info",
     "cont_data_id|INTEGER|0|1\ncont_data_guid|TEXT|1|0\ninst_serial_no|TEXT|1|0\n"
     "start_time|INTEGER|1|0\nstop_time|INTEGER|1|0\nstart_username|TEXT|1|0\n"
     "stop_username|TEXT|1|0\ndata_kind|INTEGER|1|0\npower_failure|INTEGER|1|0\n"
     "chng_time_cnt|INTEGER|1|0\nbatch_no|TEXT|1|0\nlot_no|TEXT|1|0\nlogging_no|INTEGER|1|0\n"
     "latest_file_id|INTEGER|1|0\norg_data_guid|TEXT|1|0\n"},
    {"instrument",
     "inst_serial_no|TEXT|1|1\nrecorder_type|TEXT|1|0\nhostname|TEXT|1|0\n"
     "instrument_name|TEXT|1|0\n"},
    {"database_info",
     "database_name|TEXT|0|0\narea_path|TEXT|0|0\nstatus|TEXT|0|0\nbackup_status|TEXT|0|0\n"
     "schema_version|TEXT|0|0\ndbms_version|TEXT|0|0\n"},
    {"trash",
     "inst_serial_no|TEXT|1|0\nfile_path|TEXT|0|1\nfile_name|TEXT|0|0\ndel_time|INTEGER|0|0\n"
     "org_data_guid|TEXT|0|0\nstart_data_no|INTEGER|0|0\nend_data_no|INTEGER|0|0\n"
     "mem_start_data_no|INTEGER|0|0\ntrigger_data_no|INTEGER|0|0\ntrigger_time|INTEGER|0|0\n"},
};

// name|table, then its columns with their sort order (1 = DESC).
const char kIndexes[] =
    "idx_file_data_id|file|cont_data_id:0\n"
    "idx_alarm_serial_no|alarm|inst_serial_no:0\n"
    "idx_message_serial_no|message|inst_serial_no:0\n"
    "idx_file_time|file|start_time:1,end_time:1\n"
    "idx_alarm_time|alarm|alarm_time:1\n"
    "idx_message_time|message|message_time:1\n"
    "idx_alarm_file|alarm|file_id:0\n"
    "idx_message_file|message|file_id:0\n"
    "idx_alarm_data_id|alarm|cont_data_id:0\n"
    "idx_message_data_id|message|cont_data_id:0\n";

const TableDefinition kViews[] = {
    {"tag_list",
     "tag_name,tag_no,channel_name,start_time,stop_time,channel_interval,data_kind,power_failure,"
     "instrument_name,recorder_type,batch_name,cont_data_guid,inst_serial_no,channel_no"},
    {"alarm_list",
     "alarm_action,alarm_type,alarm_level,alarm_time,tag_name,tag_no,channel_name,data_kind,"
     "instrument_name,recorder_type,batch_name,cont_data_guid,inst_serial_no,channel_no,file_id"},
    {"message_list",
     "message_text,user_name,message_time,message_write_group_text,data_kind,instrument_name,"
     "recorder_type,batch_name,cont_data_guid,inst_serial_no,message_id"},
    {"display_group_list",
     "group_name,start_time,stop_time,data_kind,power_failure,instrument_name,recorder_type,"
     "batch_name,cont_data_guid,inst_serial_no,group_no"},
    {"batch_list",
     "start_time,stop_time,data_kind,power_failure,instrument_name,recorder_type,batch_name,"
     "logging_no,cont_data_guid,inst_serial_no"},
    {"file_list",
     "file_name,start_time,end_time,data_kind,power_failure,instrument_name,recorder_type,"
     "batch_name,cont_data_guid,inst_serial_no,file_id"},
};

class IndexSchemaTest : public store_test::TempRootTest {
 protected:
  // A new index made by CreateSchema on an empty file (status still "ABORTED").
  std::string NewIndex(CVTDataStorage& storage) {
    std::string folder = Path("S");
    EXPECT_EQ(storage.Create(folder, "Schema"), STORE_OK);
    EXPECT_EQ(storage.OpenAt(folder), STORE_OK);
    return folder + "/fileidx.db";
  }
};

TEST_F(IndexSchemaTest, TablesIndexesAndViewsAreExactlyTheDefinition) {
  CVTDataStorage storage;
  std::string copy = store_test::StandardCopy(NewIndex(storage));
  ASSERT_EQ(Shell(copy, "PRAGMA integrity_check;"), "ok\n");

  std::string order;
  for (const auto& table : kTables) order += std::string(table.name) + "\n";
  EXPECT_EQ(Shell(copy,
                  "SELECT name FROM sqlite_master WHERE type = 'table' AND "
                  "name <> 'sqlite_sequence' ORDER BY rowid;"),
            order);
  for (const auto& table : kTables) {
    EXPECT_EQ(Shell(copy, std::string("SELECT name, type, \"notnull\", pk FROM pragma_table_info('") +
                              table.name + "');"),
              table.columns)
        << table.name;
  }
  EXPECT_EQ(Shell(copy,
                  "SELECT name FROM sqlite_master WHERE sql LIKE '%AUTOINCREMENT%' "
                  "ORDER BY name;"),
            "continuous_data_info\nfile\nmessage\n");
  EXPECT_EQ(Shell(copy,
                  "SELECT group_concat(name) FROM pragma_index_info(("
                  "SELECT name FROM pragma_index_list('continuous_data_info') "
                  "WHERE \"unique\" = 1 AND origin = 'u'));"),
            "cont_data_guid\n");

  EXPECT_EQ(Shell(copy,
                  "SELECT m.name || '|' || m.tbl_name || '|' || ("
                  "SELECT group_concat(x.name || ':' || x.desc, ',') FROM "
                  "pragma_index_xinfo(m.name) x WHERE x.key = 1) "
                  "FROM sqlite_master m WHERE m.type = 'index' AND m.sql IS NOT NULL "
                  "ORDER BY m.rowid;"),
            kIndexes);

  std::string viewOrder;
  for (const auto& view : kViews) viewOrder += std::string(view.name) + "\n";
  EXPECT_EQ(Shell(copy, "SELECT name FROM sqlite_master WHERE type = 'view' ORDER BY rowid;"), viewOrder);
  for (const auto& view : kViews) {
    EXPECT_EQ(Shell(copy, std::string("SELECT group_concat(name, ',') FROM pragma_table_info('") + view.name +
                              "');"),
              std::string(view.columns) + "\n")
        << view.name;
  }
}

TEST_F(IndexSchemaTest, ANewIndexSaysAbortedUntilItsCreatorFinishesAndFailsAsAWhole) {
  EXPECT_EQ(CVTDataStorage::CreateSchemaOn(nullptr, "X", "/x"), STORE_STORAGE_NOT_OPEN);

  const std::string fresh = Path("fresh.db"), clash = Path("clash.db");
  {
    CRDBSQLiteConnection db;
    ASSERT_EQ(db.Create(fresh), RDB_OK);
    EXPECT_EQ(CVTDataStorage::CreateSchemaOn(&db, "Name", "/area"), STORE_OK);
  }
  std::string copy = store_test::StandardCopy(fresh);
  std::string version = Shell(copy, "SELECT sqlite_version();");
  EXPECT_EQ(Shell(copy, "SELECT * FROM database_info;"), "Name|/area|ABORTED|ACTIVE|1.01|" + version);

  // A statement that fails rolls the whole creation back: only what was there before stays.
  {
    CRDBSQLiteConnection db;
    ASSERT_EQ(db.Create(clash), RDB_OK);
    ASSERT_EQ(db.Execute("CREATE TABLE trash (x);"), RDB_OK);
    EXPECT_EQ(CVTDataStorage::CreateSchemaOn(&db, "Name", "/area"), STORE_FAILED);
  }
  EXPECT_EQ(Shell(store_test::StandardCopy(clash), "SELECT name FROM sqlite_master;"), "trash\n");

  // A whole storage creation ends with "OK"; the info row is the only one.
  CVTDataStorage created;
  ASSERT_EQ(created.Create(Path("T"), "Name"), STORE_OK);
  copy = store_test::StandardCopy(Path("T/fileidx.db"));
  EXPECT_EQ(Shell(copy, "SELECT * FROM database_info;"), "Name|" + Path("T") + "|OK|ACTIVE|1.01|" + version);
}

TEST_F(IndexSchemaTest, ViewsShowTheChannelsOfTheLatestFileOfABatch) {
  CVTDataStorage storage;
  NewIndex(storage);
  CRDBConnection* db = storage.GetConnection();
  ASSERT_EQ(db->Execute("INSERT INTO instrument VALUES ('S1', 'QR', '', 'Line 1');"
                        "INSERT INTO continuous_data_info (cont_data_guid, inst_serial_no, start_time, "
                        "stop_time, start_username, stop_username, data_kind, power_failure, "
                        "chng_time_cnt, batch_no, lot_no, logging_no, latest_file_id, org_data_guid) "
                        "VALUES ('G', 'S1', 1, 2, '', '', 0, 0, 0, 'B7', '0042', 1, 2, 'G');"
                        "INSERT INTO tag VALUES (1, 1, 'CH1', 10, 'T1', 'old', 'V');"
                        "INSERT INTO tag VALUES (2, 1, 'CH1', 10, 'T1', 'new 1', 'V');"
                        "INSERT INTO tag VALUES (2, 2, 'CH2', 10, 'T2', 'new 2', 'V');"),
            RDB_OK);
  auto table = storage.NewTable();
  ASSERT_EQ(table->Prepare("SELECT tag_name, batch_name, instrument_name FROM tag_list "
                           "ORDER BY channel_no;"),
            STORE_OK);
  ASSERT_EQ(table->Execute(), STORE_OK);
  std::string rows;
  while (table->Fetch() == STORE_ROW) {
    std::string tag, batch, instrument;
    table->GetText(0, tag);
    table->GetText(1, batch);
    table->GetText(2, instrument);
    rows += tag + "|" + batch + "|" + instrument + "\n";
  }
  EXPECT_EQ(rows, "new 1|B7 0042|Line 1\nnew 2|B7 0042|Line 1\n");
}

}  // namespace

// Data storages: creation, opening with the schema-version check, stored-file paths and their
// uniqueness suffix, export, counts, and instruments.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/TimeEngine.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/VTDataStorage.h"

namespace {

class VTDataStorageTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    folder_ = Path("0A1B2C3D-4E5F-6A7B-8C9D-0E1F2A3B4C5D");
    ASSERT_EQ(storage_.Create(folder_, "Main"), STORE_OK);
  }
  // Runs SQL on the storage's index through a connection of its own.
  void Sql(const std::string& sql) {
    auto db = NewRDBConnection("SQLite");
    ASSERT_EQ(db->Open(folder_ + "/fileidx.db"), RDB_OK);
    ASSERT_EQ(db->Execute(sql), RDB_OK) << sql;
  }
  static TickTime Utc(int year, int month, int day, int hour, int minute) {
    vt::SystemTime st;
    st.wYear = uint16_t(year);
    st.wMonth = uint16_t(month);
    st.wDay = uint16_t(day);
    st.wHour = uint16_t(hour);
    st.wMinute = uint16_t(minute);
    vt::FileTime ft;
    EXPECT_TRUE(vt::SystemTimeToFileTime(st, &ft));
    return TickTime(vt::FileTimeToTicks(ft));
  }

  std::string folder_;
  CVTDataStorage storage_;
};

TEST_F(VTDataStorageTest, CreateMakesTheFolderTheIndexAndFilesAndLeavesItClosed) {
  EXPECT_TRUE(vt::FolderExists(folder_ + "/FILES"));
  EXPECT_FALSE(vt::PathExists(folder_ + "/TRASH"));
  EXPECT_FALSE(storage_.IsOpen());
  EXPECT_EQ(storage_.GetFolder(), folder_);
  EXPECT_EQ(storage_.GetIndexPath(), folder_ + "/fileidx.db");

  ASSERT_EQ(storage_.Open(), STORE_OK);
  std::string text;
  EXPECT_EQ(storage_.GetStatus(text), STORE_OK);
  EXPECT_EQ(text, "OK");
  EXPECT_EQ(storage_.GetBackupStatus(text), STORE_OK);
  EXPECT_EQ(text, "ACTIVE");
  EXPECT_EQ(storage_.GetDatabaseName(text), STORE_OK);
  EXPECT_EQ(text, "Main");
  EXPECT_EQ(storage_.Open(), STORE_STORAGE_OPEN);
  EXPECT_EQ(storage_.OpenAt(folder_), STORE_STORAGE_OPEN);
  EXPECT_EQ(storage_.Create(Path("other"), "Other"), STORE_EXISTS);  // open already
  EXPECT_FALSE(vt::PathExists(Path("other")));

  ASSERT_EQ(storage_.SetStatus("ABNORMALFILES"), STORE_OK);
  ASSERT_EQ(storage_.SetBackupStatus("VALID"), STORE_OK);
  ASSERT_EQ(storage_.SetDatabaseName("Renamed"), STORE_OK);
  storage_.Close();
  storage_.Close();
  EXPECT_EQ(storage_.GetStatus(text), STORE_STORAGE_NOT_OPEN);
  EXPECT_EQ(storage_.SetStatus("OK"), STORE_STORAGE_NOT_OPEN);
  EXPECT_EQ(storage_.SetDatabaseName("X"), STORE_FAILED);
  EXPECT_EQ(storage_.NewTable(), nullptr);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  storage_.GetStatus(text);
  EXPECT_EQ(text, "ABNORMALFILES");
  storage_.GetDatabaseName(text);
  EXPECT_EQ(text, "Renamed");
}

TEST_F(VTDataStorageTest, CreateAndSetPathsRefuseWhatIsThereOrMissing) {
  std::string before;
  ASSERT_TRUE(vt::ReadWholeFile(folder_ + "/fileidx.db", before));
  CVTDataStorage other;
  EXPECT_EQ(other.Create(folder_, "Again"), STORE_EXISTS);
  std::string after;
  ASSERT_TRUE(vt::ReadWholeFile(folder_ + "/fileidx.db", after));
  EXPECT_EQ(after, before);

  ASSERT_EQ(other.SetPaths(folder_), STORE_OK);
  EXPECT_EQ(other.SetPaths(Path("missing")), STORE_OPEN_FAILED);
  EXPECT_EQ(other.GetFolder(), folder_);  // unchanged
  EXPECT_EQ(other.OpenAt(Path("missing")), STORE_OPEN_FAILED);

  // A folder without an index, or with a file that is no database of ours.
  ASSERT_TRUE(CreateFolderTree(Path("empty")));
  CVTDataStorage empty;
  EXPECT_EQ(empty.OpenAt(Path("empty")), STORE_OPEN_FAILED);
  EXPECT_FALSE(empty.IsOpen());
}

TEST_F(VTDataStorageTest, AnIndexOfAnotherSchemaVersionIsRefusedAndNotKeptOpen) {
  const struct {
    const char* sql;
    int result;
  } cases[] = {
      {"UPDATE database_info SET schema_version = '1.02';", STORE_SCHEMA_MISMATCH},
      {"UPDATE database_info SET schema_version = '1.01 ';", STORE_SCHEMA_MISMATCH},
      {"UPDATE database_info SET schema_version = NULL;", STORE_SCHEMA_MISMATCH},
      {"DELETE FROM database_info;", STORE_FAILED},
      {"DROP TABLE database_info;", STORE_FAILED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    CVTDataStorage fresh;
    std::string folder = Path(std::to_string(c.result) + "-" + std::to_string(&c - cases));
    ASSERT_EQ(fresh.Create(folder, "V"), STORE_OK);
    {
      auto db = NewRDBConnection("SQLite");
      ASSERT_EQ(db->Open(folder + "/fileidx.db"), RDB_OK);
      ASSERT_EQ(db->Execute(c.sql), RDB_OK);
    }
    EXPECT_EQ(fresh.Open(), c.result);
    // Closed again, so nothing of this program writes into that index.
    EXPECT_FALSE(fresh.IsOpen());
    EXPECT_EQ(fresh.NewTable(), nullptr);
    EXPECT_EQ(fresh.SetStatus("OK"), STORE_STORAGE_NOT_OPEN);
    EXPECT_EQ(fresh.Open(), c.result);
  }
}

TEST_F(VTDataStorageTest, NewFilePathUsesTheUtcMonthAndSkipsTakenNames) {
  std::string path;
  // 23:30 UTC on 31 January is February in zones east of UTC; the folder follows UTC.
  ASSERT_EQ(storage_.NewFilePath("FILES", "S1", "A.DAE", path, Utc(2024, 1, 31, 23, 30)), STORE_OK);
  EXPECT_EQ(path, "FILES/S1/2024/1/A.DAE");
  ASSERT_EQ(storage_.NewFilePath("FILES", "S1", "A.DAE", path, Utc(1999, 12, 1, 0, 0)), STORE_OK);
  EXPECT_EQ(path, "FILES/S1/1999/12/A.DAE");

  ASSERT_TRUE(CreateFolderTree(folder_ + "/FILES/S1/2024/1"));
  ASSERT_TRUE(vt::WriteFileAtomic(folder_ + "/FILES/S1/2024/1/A.DAE", "x"));
  ASSERT_EQ(storage_.NewFilePath("FILES", "S1", "A.DAE", path, Utc(2024, 1, 5, 0, 0)), STORE_OK);
  EXPECT_EQ(path, "FILES/S1/2024/1/A-VT-1.DAE");
  ASSERT_TRUE(vt::WriteFileAtomic(folder_ + "/FILES/S1/2024/1/A-VT-1.DAE", "x"));
  ASSERT_EQ(storage_.NewFilePath("FILES", "S1", "A.DAE", path, Utc(2024, 1, 5, 0, 0)), STORE_OK);
  EXPECT_EQ(path, "FILES/S1/2024/1/A-VT-2.DAE");
  ASSERT_EQ(storage_.NewFilePath("TRASH", "S1", "A.DAE", path, Utc(2024, 1, 5, 0, 0)), STORE_OK);
  EXPECT_EQ(path, "TRASH/S1/2024/1/A.DAE");
}

TEST(VTDataStorageNamesTest, UniquenessSuffixes) {
  // The suffix goes before the extension, so the reader still knows the file by it; a long name
  // gives up the end of its stem to stay a name the file systems take.
  const std::string stem251(251, 'L');
  const struct {
    std::string name;
    int n;
    std::string unique;
  } unique[] = {
      {"A.DAE", 1, "A-VT-1.DAE"},     {"A.DAE", 12, "A-VT-12.DAE"},
      {"A.B.DAE", 1, "A.B-VT-1.DAE"}, {"NODOT", 1, "NODOT-VT-1"},
      {".DAE", 1, "-VT-1.DAE"},       {stem251 + ".DAE", 3, std::string(246, 'L') + "-VT-3.DAE"},
  };
  for (const auto& c : unique) {
    std::string out, back;
    EXPECT_EQ(CVTDataStorage::UniqueFileName(c.name, c.n, out), STORE_OK);
    EXPECT_EQ(out, c.unique) << c.name;
    EXPECT_LE(out.size(), 255u);
    // What the suffix added comes off again (all of the name, unless it had to be shortened).
    CVTDataStorage::StripUniqueSuffix(out, back);
    if (c.name.size() < 250) {
      EXPECT_EQ(back, c.name);
    }
  }
  const struct {
    const char* name;
    const char* stripped;
  } strip[] = {
      {"A-VT-3.DAE", "A.DAE"},
      {"A.DAE", "A.DAE"},
      {"NODOT-VT-2", "NODOT"},
      // Names an older version gave: the suffix after the extension.
      {"A.DAE.-VT-3", "A.DAE"},
      {".NODOT.-VT-1", "NODOT"},
      {"A.B.DAE.-VT-1", "A.B.DAE"},
      // Only a suffix of ours, and only one, comes off.
      {"A-VT-1-VT-2.DAE", "A-VT-1.DAE"},
      {"x.-VT-1.DAE", "x..DAE"},
      {"A-VT-.DAE", "A-VT-.DAE"},
      {"A-VT-01.DAE", "A-VT-01.DAE"},
      {"A-VT-1x.DAE", "A-VT-1x.DAE"},
      {"A.DAE.-VT-", "A.DAE.-VT-"},
      {"-VT-1", "-VT-1"},
  };
  for (const auto& c : strip) {
    std::string out;
    EXPECT_EQ(CVTDataStorage::StripUniqueSuffix(c.name, out), STORE_OK);
    EXPECT_EQ(out, c.stripped) << c.name;
  }
  EXPECT_EQ(CVTDataStorage::MutexName("Main"), "_VANTRL_DS_Main_MTX_");
}

TEST_F(VTDataStorageTest, ExportReplacesTheDestinationAndLeavesItWritable) {
  ASSERT_TRUE(CreateFolderTree(folder_ + "/FILES/S1/2024/1"));
  const std::string stored = folder_ + "/FILES/S1/2024/1/A.DAE";
  ASSERT_TRUE(vt::WriteFileAtomic(stored, "recorded"));
  ASSERT_TRUE(vt::SetReadOnly(stored, true));
  const std::string destination = Path("out.DAE");
  ASSERT_TRUE(vt::WriteFileAtomic(destination, "old content that is longer"));

  EXPECT_EQ(storage_.ExportFile("FILES/S1/2024/1/A.DAE", destination), STORE_OK);
  std::string data;
  ASSERT_TRUE(vt::ReadWholeFile(destination, data));
  EXPECT_EQ(data, "recorded");
  EXPECT_FALSE(vt::IsReadOnly(destination));
  EXPECT_EQ(storage_.ExportFile("FILES/S1/2024/1/B.DAE", destination), STORE_FAILED);
  EXPECT_EQ(storage_.ExportFile("FILES/S1/2024/1/A.DAE", Path("no/such/folder/x")), STORE_COPY_ERROR);
}

TEST_F(VTDataStorageTest, CountsFilesOfFilesAndTrashAndSizesTheIndex) {
  ASSERT_TRUE(CreateFolderTree(folder_ + "/FILES/S1/2024/1"));
  ASSERT_TRUE(CreateFolderTree(folder_ + "/TRASH/S1/2024/1"));
  ASSERT_TRUE(vt::WriteFileAtomic(folder_ + "/FILES/S1/2024/1/A.DAE", "x"));
  ASSERT_TRUE(vt::WriteFileAtomic(folder_ + "/FILES/S1/2024/1/B.DAE", "x"));
  ASSERT_TRUE(vt::WriteFileAtomic(folder_ + "/TRASH/S1/2024/1/C.DAE", "x"));
  EXPECT_EQ(storage_.GetFileCount(), 3);  // the index itself does not count
  uint64_t size = 0;
  ASSERT_TRUE(vt::GetFileSize(folder_ + "/fileidx.db", size));
  EXPECT_EQ(storage_.GetIndexFileSize(), size);
  EXPECT_GT(size, 0u);
  EXPECT_FALSE(storage_.IsDiskFull());
}

TEST_F(VTDataStorageTest, InstrumentsInUseAreNotDeleted) {
  Sql("INSERT INTO instrument VALUES ('S1', 'QR', 'host', 'First');"
      "INSERT INTO instrument VALUES ('S2', 'QR', 'host', 'Second');"
      "INSERT INTO instrument VALUES ('S3', 'QR', 'host', 'Third');"
      "INSERT INTO file (inst_serial_no, cont_data_id, file_name, file_path, file_header, "
      "power_failure, start_factor, stop_factor, start_time, end_time, trigger_time, "
      "start_data_no, end_data_no, mem_start_data_no, trigger_data_no, chng_time_cnt) "
      "VALUES ('S1', 1, 'A.DAE', 'FILES/S1/2024/1/A.DAE', '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);"
      "INSERT INTO trash (inst_serial_no, file_path) VALUES ('S2', 'TRASH/S2/2024/1/B.DAE');");
  EXPECT_EQ(storage_.DeleteInstrument("S3"), STORE_STORAGE_NOT_OPEN);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  EXPECT_EQ(storage_.DeleteInstrument("S1"), STORE_INSTRUMENT_IN_USE);
  EXPECT_EQ(storage_.DeleteInstrument("S2"), STORE_INSTRUMENT_IN_USE);
  EXPECT_EQ(storage_.DeleteInstrument("S3"), STORE_OK);
  EXPECT_EQ(storage_.RenameInstrument("Line O'Neil", "S1"), STORE_OK);

  auto table = storage_.NewTable();
  ASSERT_EQ(table->Prepare("SELECT inst_serial_no, instrument_name FROM instrument ORDER BY 1;"), STORE_OK);
  ASSERT_EQ(table->Execute(), STORE_OK);
  std::string rows;
  while (table->Fetch() == STORE_ROW) {
    std::string serial, name;
    table->GetText(0, serial);
    table->GetText(1, name);
    rows += serial + "=" + name + ";";
  }
  EXPECT_EQ(rows, "S1=Line O'Neil;S2=Second;");
}

}  // namespace

// Storage maintenance: the consistency check, the rebuild of the index from the stored files,
// backup and restore, and their cancel. Storages are filled by the real import from generated
// recorder files; indexes are compared row for row through the system's sqlite3 shell.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/DataFileVfs.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/RDBSQLiteConnection.h"
#include "store/VTDataStorageManager.h"
#include "tools/recgen/SizedFiles.h"

namespace {

using store_test::Shell;
using store_test::StandardCopy;

class MaintenanceTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    sources_ = Path("sources");
    ASSERT_TRUE(vt::CreateFolders(sources_));
  }

  // Opens the manager on a data root below the test's folder and makes the storage "Main".
  void OpenRoot(const std::string& relativeRoot = "Morvane/Vantrel/DATA") {
    dataRoot_ = Path(relativeRoot);
    ASSERT_EQ(manager_->Open(dataRoot_), STORE_OK);
    ASSERT_EQ(manager_->CreateStorage("Main"), STORE_OK);
    folder_ = FolderOf("Main");
  }
  std::string FolderOf(const std::string& name) {
    std::string folder;
    EXPECT_EQ(manager_->GetStorageFolder(name, folder), STORE_OK) << name;
    return folder;
  }
  std::string Source(const std::string& name, const recgen::NewerFile& model) {
    std::vector<uint8_t> bytes = recgen::WriteNewerFile(model).bytes;
    std::string path = vt::JoinPath(sources_, name);
    EXPECT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    return path;
  }
  // Imports, in the order a rebuild meets them: a rich file (messages, alarms, groups with an
  // empty place, batch texts and comments) of instrument "AAA1", then a batch of three files of
  // instrument "S5T812345". The second instrument gets a name of the user's.
  void ImportFiles(const std::string& folder) {
    recgen::NewerFile rich = recgen::SampleNewerFile(1, false, false);
    rich.serial = "AAA1";
    std::vector<std::string> paths = {Source("RICH.DAE", rich)};
    for (int k = 0; k < 3; ++k) {
      recgen::SizedOptions o;
      o.records = 20;
      o.startDataNo = 1 + 20 * k;
      o.startSeconds = 1700000000 + 20 * k;
      o.guid.data1 = 0x22222222;  // another recording than the rich file's
      paths.push_back(Source("00000" + std::to_string(k + 1) + ".DAE", recgen::SizedNewerFile(o)));
    }
    CVTDataStorage storage;
    ASSERT_EQ(storage.OpenAt(folder), STORE_OK);
    for (const std::string& path : paths) {
      std::string copy;
      ASSERT_EQ(storage.ImportFile(path, &copy), STORE_OK) << path;
      copies_.push_back(copy);
    }
    ASSERT_EQ(storage.RenameInstrument("Boiler 'B'", "S5T812345"), STORE_OK);
  }
  // Every row of every table of an index (the trash table and its sequence left out).
  std::string Dump(const std::string& index) {
    const std::string copy = ShellCopy(index);
    std::string tables = Shell(copy, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name;");
    std::string sql;
    for (std::size_t at = 0, end; (end = tables.find('\n', at)) != std::string::npos; at = end + 1) {
      std::string table = tables.substr(at, end - at);
      if (table == "trash") continue;
      sql += "SELECT '" + table + "';SELECT * FROM " + table +
             (table == "sqlite_sequence" ? " WHERE name <> 'trash'" : "") + " ORDER BY rowid;";
    }
    return Shell(copy, sql);
  }
  std::string Query(const std::string& index, const std::string& sql) { return Shell(ShellCopy(index), sql); }
  // A copy the shell reads, in a folder whose path needs no quoting.
  std::string ShellCopy(const std::string& index) {
    const std::string copy = Path("shell.db");
    vt::DeleteFile(copy);
    EXPECT_TRUE(vt::CopyFile(index, copy, true));
    return StandardCopy(copy);
  }
  static std::string Status(const std::string& folder) {
    CVTDataStorage storage;
    std::string status;
    if (storage.OpenAt(folder) == STORE_OK) storage.GetStatus(status);
    return status;
  }
  static void Sql(const std::string& index, const std::string& sql) {
    auto db = NewRDBConnection(kDbmsSQLite);
    ASSERT_EQ(db->Open(index), RDB_OK);
    ASSERT_EQ(db->Execute(sql), RDB_OK) << sql;
  }
  std::string Index() const { return vt::JoinPath(folder_, kIndexFileName); }

  std::unique_ptr<CVTDataStorageManager> manager_ = std::make_unique<CVTDataStorageManager>();
  std::string dataRoot_;
  std::string folder_;
  std::string sources_;
  std::vector<std::string> copies_;
};

TEST_F(MaintenanceTest, CheckFindsEachInconsistencyAndPassesASoundStorage) {
  OpenRoot();
  struct Case {
    const char* what;
    std::function<void(const std::string& folder, const std::vector<std::string>& copies)> damage;
    int result;
    const char* status;
  };
  auto index = [](const std::string& folder) { return vt::JoinPath(folder, kIndexFileName); };
  const Case cases[] = {
      {"sound storage (its old status is replaced)",
       [&](const std::string& f, auto&) { Sql(index(f), "UPDATE database_info SET status = 'ABORTED';"); },
       STORE_OK, "OK"},
      {"stored file missing",
       [](const std::string& f, auto& c) { ASSERT_TRUE(vt::DeleteFile(vt::JoinPath(f, c[2]))); },
       STORE_CORRUPTED, "CORRUPTED"},
      {"extra file under FILES",
       [](const std::string& f, auto& c) {
         ASSERT_TRUE(vt::CopyFile(vt::JoinPath(f, c[1]), vt::JoinPath(f, "FILES/extra.DAE"), true));
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"extra file under TRASH without its row",
       [](const std::string& f, auto& c) {
         ASSERT_TRUE(CreateFolderTree(vt::JoinPath(f, "TRASH/X")));
         ASSERT_TRUE(vt::CopyFile(vt::JoinPath(f, c[1]), vt::JoinPath(f, "TRASH/X/old.DAE"), true));
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"stored file changed (another recording under its name)",
       [](const std::string& f, auto& c) {
         const std::string target = vt::JoinPath(f, c[2]);
         ASSERT_TRUE(vt::DeleteFile(target));
         ASSERT_TRUE(vt::CopyFile(vt::JoinPath(f, c[3]), target, true));
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"a file's tag row missing",
       [&](const std::string& f, auto&) {
         Sql(index(f), "DELETE FROM tag WHERE rowid = (SELECT MAX(rowid) FROM tag);");
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"an alarm row of no listed file",
       [&](const std::string& f, auto&) {
         Sql(index(f),
             "INSERT INTO alarm SELECT inst_serial_no, cont_data_id, 999, alarm_time, channel_no, "
             "alarm_level, alarm_action, alarm_type FROM alarm LIMIT 1;");
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"a batch without files",
       [&](const std::string& f, auto&) {
         Sql(index(f),
             "INSERT INTO continuous_data_info SELECT NULL, 'X', inst_serial_no, start_time, stop_time, "
             "start_username, stop_username, data_kind, power_failure, chng_time_cnt, batch_no, lot_no, "
             "logging_no, latest_file_id, 'X' FROM continuous_data_info LIMIT 1;");
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"a message's write group missing",
       [&](const std::string& f, auto&) {
         Sql(index(f),
             "DELETE FROM message_write_group WHERE rowid = (SELECT MIN(rowid) FROM message_write_group);");
       },
       STORE_CORRUPTED, "CORRUPTED"},
      {"a file row with a wrong end data number",
       [&](const std::string& f, auto&) {
         Sql(index(f), "UPDATE file SET end_data_no = end_data_no + 1 WHERE file_id = 3;");
       },
       STORE_CORRUPTED, "CORRUPTED"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = "Case" + std::to_string(n++);
    ASSERT_EQ(manager_->CreateStorage(name), STORE_OK);
    const std::string folder = FolderOf(name);
    copies_.clear();
    ImportFiles(folder);
    c.damage(folder, copies_);
    EXPECT_EQ(manager_->CheckStorage(name), c.result);
    EXPECT_EQ(Status(folder), c.status);
  }
  EXPECT_EQ(manager_->CheckStorage("Nowhere"), STORE_NOT_FOUND);
  CVTDataStorageManager closed;
  EXPECT_EQ(closed.CheckStorage("Main"), STORE_NOT_OPEN);
}

TEST_F(MaintenanceTest, CancelDuringTheIntegrityCheckGives17AndKeepsTheStatus) {
  OpenRoot();
  ImportFiles(folder_);
  // A large table makes the integrity check run long enough to be interrupted while it runs.
  Sql(Index(),
      "CREATE TABLE filler (x BLOB);"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
      "INSERT INTO filler SELECT randomblob(200) FROM n;"
      "CREATE INDEX filler_x ON filler (x);"
      "UPDATE database_info SET status = 'ABNORMALFILES';");
  std::atomic<bool> integrityReached{false};
  manager_->SetProgress([&](const char*, const std::string& item) {
    if (item == "PRAGMA integrity_check;") integrityReached = true;
  });
  std::atomic<bool> done{false};
  std::thread canceller([&] {
    while (!integrityReached && !done) std::this_thread::yield();
    while (!done) {
      manager_->Cancel();
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  const int rc = manager_->CheckStorage("Main");
  done = true;
  canceller.join();
  EXPECT_EQ(rc, STORE_INTERRUPTED);
  EXPECT_EQ(Status(folder_), "ABNORMALFILES");
  // The next check runs whole again: the cancel fields are reset at its start.
  manager_->SetProgress({});
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  EXPECT_EQ(Status(folder_), "OK");
}

TEST_F(MaintenanceTest, CancelsRacingTheEndOfChecksNeverReachAStorageBeingClosed) {
  OpenRoot();
  ImportFiles(folder_);
  // Cancels arrive at any moment, also while a check's storage object is being closed and
  // deleted; each check ends sound or cancelled, and the storage stays usable.
  std::atomic<bool> done{false};
  std::thread canceller([&] {
    while (!done) manager_->Cancel();
  });
  for (int i = 0; i < 30; ++i) {
    const int rc = manager_->CheckStorage("Main");
    EXPECT_TRUE(rc == STORE_OK || rc == STORE_INTERRUPTED) << rc;
  }
  done = true;
  canceller.join();
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
}

TEST_F(MaintenanceTest, RebuildGivesTheIndexTheImportBuiltAndKeepsInstrumentNames) {
  // The second data root holds an apostrophe: the statement that carries the names across
  // names the new index by its path.
  for (const char* root : {"plain/DATA", "O'Brien's/DATA"}) {
    SCOPED_TRACE(root);
    manager_ = std::make_unique<CVTDataStorageManager>();
    copies_.clear();
    OpenRoot(root);
    ImportFiles(folder_);
    const std::string before = Dump(Index());
    ASSERT_NE(before.find("Boiler 'B'"), std::string::npos);

    // The same recording stored twice: the second copy (in folder order) is refused by the new
    // index and moves to the same place below TRASH, where it is listed as deleted data.
    const std::string twin = "FILES/S5T812345/2023/12/000001.DAE";
    ASSERT_TRUE(CreateFolderTree(std::string(vt::ParentPath(vt::JoinPath(folder_, twin)))));
    ASSERT_TRUE(vt::CopyFile(vt::JoinPath(folder_, copies_[1]), vt::JoinPath(folder_, twin), true));
    std::vector<std::string> reached;
    manager_->SetProgress(
        [&](const char* step, const std::string& item) { reached.push_back(step + (":" + item)); });

    ASSERT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
    EXPECT_EQ(Dump(Index()), before);
    const std::string trashTwin = "TRASH" + twin.substr(5);
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, twin)));
    EXPECT_TRUE(vt::FileExists(vt::JoinPath(folder_, trashTwin)));
    EXPECT_EQ(Query(Index(), "SELECT file_path, file_name, inst_serial_no, start_data_no FROM trash;"),
              trashTwin + "|000001.DAE|S5T812345|1\n");
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "temp.db")));
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "fileidx-old.db")));
    EXPECT_EQ(store_test::ReadHead(Index(), 15), "_MRVN_DATA_FILE");
    EXPECT_EQ(Query(Index(), "SELECT database_name, status, backup_status FROM database_info;"),
              "Main|OK|ACTIVE\n");
    // Progress came file by file, the trash walk last.
    ASSERT_EQ(reached.size(), 6u);
    EXPECT_EQ(reached.front(), "index:" + copies_[0]);
    EXPECT_EQ(reached.back(), "trash:" + trashTwin);
    // The rebuilt storage is sound.
    manager_->SetProgress({});
    EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  }
}

TEST_F(MaintenanceTest, RebuildDeletesAStaleJournalOfTheOldIndexBeforeTheSwap) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string before = Dump(Index());
  // A hot journal of the old index: written by a transaction that never ended (its bytes are
  // saved while the transaction is open, then put back after the rollback).
  std::string journal;
  {
    auto db = NewRDBConnection(kDbmsSQLite);
    ASSERT_EQ(db->Open(Index()), RDB_OK);
    ASSERT_EQ(db->Execute("PRAGMA synchronous = OFF;"), RDB_OK);
    ASSERT_EQ(db->Execute("PRAGMA cache_size = 1;"), RDB_OK);
    ASSERT_EQ(db->BeginTransaction(), RDB_OK);
    ASSERT_EQ(db->Execute("DELETE FROM tag; DELETE FROM message; UPDATE file SET file_header = 'X';"),
              RDB_OK);
    ASSERT_TRUE(vt::ReadWholeFile(Index() + "-journal", journal));
    ASSERT_GT(journal.size(), 512u);
    ASSERT_EQ(db->Rollback(), RDB_OK);
  }
  // The user deleted the index; its journal stayed behind.
  ASSERT_TRUE(vt::DeleteFile(Index()));
  ASSERT_TRUE(vt_test::WriteFileBytes(Index() + "-journal", journal));

  ASSERT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
  EXPECT_FALSE(vt::PathExists(Index() + "-journal"));
  // Without the old index the instrument keeps the name the import gives it.
  EXPECT_EQ(Query(Index(), "SELECT instrument_name FROM instrument WHERE inst_serial_no = 'S5T812345';"),
            "S5T812345_QR4100\n");
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  {
    CVTDataStorage storage;
    ASSERT_EQ(storage.OpenAt(folder_), STORE_OK);
    ASSERT_EQ(storage.RenameInstrument("Boiler 'B'", "S5T812345"), STORE_OK);
  }
  EXPECT_EQ(Dump(Index()), before);
}

TEST_F(MaintenanceTest, RebuildThatCannotFinishLeavesTheOldIndexAsItWas) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string before = Dump(Index());
  uint64_t size = 0;
  ASSERT_TRUE(vt::GetFileSize(Index(), size));

  // Too little free space: nothing is written.
  {
    CVTDataStorage storage;
    ASSERT_EQ(storage.SetPaths(folder_), STORE_OK);
    SStorageSeams seams;
    seams.freeSpace = [](uint64_t& bytes) {
      bytes = MIN_FREE_DISK_BYTES;
      return true;
    };
    storage.SetSeams(seams);
    EXPECT_EQ(storage.RebuildIndex("Main"), STORE_DISK_FULL);
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "temp.db")));
  }

  // Cancelled on the second file of the walk: the new index is dropped.
  int filesSeen = 0;
  manager_->SetProgress([&](const char* step, const std::string&) {
    if (std::string(step) == "index" && ++filesSeen == 2) manager_->Cancel();
  });
  EXPECT_EQ(manager_->RebuildStorage("Main"), STORE_INTERRUPTED);
  EXPECT_EQ(filesSeen, 2);
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "temp.db")));
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "temp.db-journal")));
  EXPECT_EQ(Dump(Index()), before);

  // The old index is usable: it opens, checks sound, and the next rebuild runs whole.
  manager_->SetProgress({});
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  EXPECT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
  EXPECT_EQ(Dump(Index()), before);
}

TEST_F(MaintenanceTest, BackupAndRestoreRoundTrip) {
  OpenRoot();
  ImportFiles(folder_);
  {
    CVTDataStorage storage;
    ASSERT_EQ(storage.OpenAt(folder_), STORE_OK);
    ASSERT_EQ(storage.MoveFileToTrash(copies_[3]), STORE_OK);
  }
  const std::string before = Dump(Index());
  const std::string backup = Path("backups/first");
  std::vector<std::string> copied;
  manager_->SetProgress([&](const char* step, const std::string& item) {
    if (std::string(step) == "copy") copied.push_back(item);
  });

  ASSERT_EQ(manager_->BackupStorage("Main", backup), STORE_OK);
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(backup, "BACKUPPROCESSING")));
  EXPECT_EQ(
      Query(vt::JoinPath(backup, kIndexFileName), "SELECT database_name, backup_status FROM database_info;"),
      "Main|VALID\n");
  // Every file but the storage's lock file, which belongs to the storage alone.
  EXPECT_TRUE(vt::FileExists(vt::JoinPath(folder_, kStorageLockFileName)));
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(backup, kStorageLockFileName)));
  EXPECT_EQ(copied.size() + 1, std::size_t(CountFilesInTree(folder_)));
  EXPECT_EQ(manager_->GetCount(), 1);  // a backup is not listed

  ASSERT_EQ(manager_->RestoreBackup(backup, "Copy"), STORE_OK);
  ASSERT_EQ(manager_->RestoreBackup(backup, "Copy2"), STORE_OK);
  const std::string restored = FolderOf("Copy");
  EXPECT_NE(restored, FolderOf("Copy2"));
  EXPECT_NE(restored, folder_);
  // Lists, queries and reads as before: status OK, the same rows, every stored file the same bytes
  // (still read-only), and the check (which reads every stored file) finds it sound.
  SDataAreaInfo records[4];
  int count = 0;
  ASSERT_EQ(manager_->ListWithStatus(records, 4, count), STORE_OK);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(records[1].name, "Copy");
  EXPECT_EQ(records[1].status, AREA_STATUS_OK);
  const std::string restoredIndex = vt::JoinPath(restored, kIndexFileName);
  EXPECT_EQ(Query(restoredIndex, "SELECT database_name, backup_status, status FROM database_info;"),
            "Copy|ACTIVE|OK\n");
  // The database_info row differs by the name only (checked above).
  auto withoutInfo = [](std::string dump) {
    std::size_t at = dump.find("database_info\n");
    std::size_t end = dump.find('\n', at + 14);
    return dump.erase(at, end - at);
  };
  EXPECT_EQ(withoutInfo(Dump(restoredIndex)), withoutInfo(before));
  EXPECT_EQ(Query(restoredIndex, "SELECT file_path FROM trash;"),
            Query(Index(), "SELECT file_path FROM trash;"));
  for (const std::string& copy : {copies_[0], copies_[1], copies_[2]}) {
    std::string a, b;
    ASSERT_TRUE(vt::ReadWholeFile(vt::JoinPath(folder_, copy), a));
    ASSERT_TRUE(vt::ReadWholeFile(vt::JoinPath(restored, copy), b));
    EXPECT_EQ(a, b);
    EXPECT_TRUE(vt::IsReadOnly(vt::JoinPath(restored, copy)));
  }
  manager_->SetProgress({});
  EXPECT_EQ(manager_->CheckStorage("Copy"), STORE_OK);
  // The backup itself is unchanged and still restorable.
  EXPECT_EQ(
      Query(vt::JoinPath(backup, kIndexFileName), "SELECT database_name, backup_status FROM database_info;"),
      "Main|VALID\n");
}

TEST_F(MaintenanceTest, BackupAndRestoreRefusals) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string backup = Path("backups/b");

  // Into an existing folder; inside the storage itself; from a storage that is not OK.
  ASSERT_TRUE(vt::CreateFolders(Path("exists")));
  EXPECT_EQ(manager_->BackupStorage("Main", Path("exists")), STORE_EXISTS);
  EXPECT_EQ(manager_->BackupStorage("Main", vt::JoinPath(folder_, "FILES/inside")), STORE_INVALID_PATH);
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "FILES/inside")));
  Sql(Index(), "UPDATE database_info SET status = 'ABNORMALFILES';");
  EXPECT_EQ(manager_->BackupStorage("Main", backup), STORE_CORRUPTED);
  EXPECT_FALSE(vt::PathExists(backup));
  Sql(Index(), "UPDATE database_info SET status = 'OK';");

  // A database file that a connection of this process holds open is never copied raw, and
  // that connection keeps working.
  {
    CVTDataStorage open;
    ASSERT_EQ(open.OpenAt(folder_), STORE_OK);
    ASSERT_TRUE(vtstore::IsDatabaseFileOpen(Index()));
    EXPECT_EQ(manager_->BackupStorage("Main", backup), STORE_STORAGE_OPEN);
    std::string status;
    EXPECT_EQ(open.GetStatus(status), STORE_OK);
    EXPECT_EQ(manager_->RestoreBackup(backup, "Never"), STORE_BACKUP_INVALID);
  }
  EXPECT_FALSE(vtstore::IsDatabaseFileOpen(Index()));
  ASSERT_TRUE(DeleteFolderTree(backup));

  // A cancelled backup keeps its marker and cannot be restored.
  manager_->SetProgress([&](const char* step, const std::string&) {
    if (std::string(step) == "copy") manager_->Cancel();
  });
  EXPECT_EQ(manager_->BackupStorage("Main", backup), STORE_INTERRUPTED);
  EXPECT_TRUE(vt::FileExists(vt::JoinPath(backup, "BACKUPPROCESSING")));
  manager_->SetProgress({});
  EXPECT_EQ(manager_->RestoreBackup(backup, "Cancelled"), STORE_BACKUP_INVALID);
  EXPECT_EQ(manager_->RestoreBackup(Path("nothing"), "Nothing"), STORE_BACKUP_INVALID);

  // Restoring under a listed name is refused before anything is copied: no folder is left.
  const std::string good = Path("backups/good");
  ASSERT_EQ(manager_->BackupStorage("Main", good), STORE_OK);
  int foldersBefore = 0;
  ListSubfolders(dataRoot_, nullptr, 0, foldersBefore);
  std::vector<std::string> copied;
  manager_->SetProgress([&](const char*, const std::string& item) { copied.push_back(item); });
  EXPECT_EQ(manager_->RestoreBackup(good, "Main"), STORE_FAILED);
  manager_->SetProgress({});
  EXPECT_TRUE(copied.empty());
  int foldersAfter = 0;
  ListSubfolders(dataRoot_, nullptr, 0, foldersAfter);
  EXPECT_EQ(foldersAfter, foldersBefore);
  EXPECT_EQ(manager_->GetCount(), 1);

  CVTDataStorageManager closed;
  EXPECT_EQ(closed.BackupStorage("Main", backup), STORE_NOT_OPEN);
  EXPECT_EQ(closed.RestoreBackup(good, "X"), STORE_NOT_OPEN);
  EXPECT_EQ(manager_->CopyFolder("relative", backup), STORE_INVALID_PATH);
}

}  // namespace

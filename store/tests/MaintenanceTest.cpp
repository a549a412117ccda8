// Storage maintenance: the consistency check, the rebuild of the index from the stored files,
// backup and restore, and their cancel. Storages are filled by the real import from generated
// recorder files; indexes are compared row for row through the system's sqlite3 shell.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/ReadOnlyFile.h"
#include "store/DataFileVfs.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/RDBSQLiteConnection.h"
#include "store/VTDataStorageManager.h"
#include "tools/recgen/SizedFiles.h"

namespace {

using store_test::Shell;
using store_test::StandardCopy;

// Every file below a storage folder's FILES and TRASH (relative path -> bytes).
void CollectFiles(const std::string& root, const std::string& relative,
                  std::map<std::string, std::string>& out) {
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(vt::JoinPath(root, relative), entries)) return;
  for (const vt::FolderEntry& entry : entries) {
    const std::string path = relative + '/' + entry.name;
    if (entry.isFolder) {
      CollectFiles(root, path, out);
    } else {
      vt::ReadWholeFile(vt::JoinPath(root, path), out[path]);
    }
  }
}
std::map<std::string, std::string> StoredContents(const std::string& folder) {
  std::map<std::string, std::string> files;
  CollectFiles(folder, "FILES", files);
  CollectFiles(folder, "TRASH", files);
  return files;
}

void WaitForFile(const std::string& path) {
  for (int i = 0; i < 2000 && !vt::PathExists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Imports args[1] into the storage at args[0]; on reaching step args[2] it writes the file
// args[3] and goes on after a pause, the time a process in the parent has to interfere.
VT_TEST_CHILD(PausedImport) {
  CVTDataStorage storage;
  if (storage.OpenAt(args.at(0)) != STORE_OK) return 2;
  const int stop = std::stoi(args.at(2));
  const std::string reached = args.at(3);
  storage.SetSeams({.onImportStep = [&](ImportStep step) {
    if (int(step) != stop) return;
    vt::WriteFileAtomic(reached, "reached");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }});
  std::string copy;
  return storage.ImportFile(args.at(1), &copy) == STORE_OK ? 0 : 3;
}

// Rebuilds the storage at args[0] under the name args[1], killed at its step number args[2] (or,
// when args[2] is a step's name, at the first step of that name).
VT_TEST_CHILD(KilledRebuild) {
  CVTDataStorage storage;
  if (storage.SetPaths(args.at(0)) != STORE_OK) return 2;
  const std::string at = args.at(2);
  const bool byName = at.find_first_not_of("0123456789") != std::string::npos;
  const int stop = byName ? 0 : std::stoi(at);
  int seen = 0;
  storage.SetSeams({.onRebuildStep = [&](const char* step) {
    if (byName ? at == step : ++seen == stop) std::raise(SIGKILL);
  }});
  return storage.RebuildIndex(args.at(1)) == STORE_OK ? 0 : 3;
}

// On the data root args[0], a backup (args[1] "backup": storage args[2] into folder args[3]) or
// a restore ("restore": backup folder args[2] as storage args[3]), killed at its step args[4].
VT_TEST_CHILD(KilledBackupOrRestore) {
  CVTDataStorageManager manager;
  if (manager.Open(args.at(0)) != STORE_OK) return 2;
  const int stop = std::stoi(args.at(4));
  int seen = 0;
  manager.SetStepHook([&](const char*) {
    if (++seen == stop) std::raise(SIGKILL);
  });
  const int rc = args.at(1) == "backup" ? manager.BackupStorage(args.at(2), args.at(3))
                                        : manager.RestoreBackup(args.at(2), args.at(3));
  return rc == STORE_OK ? 0 : 3;
}

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
  // A source file of a recording of its own (n tells them apart).
  std::string AnotherRecording(int n) {
    recgen::SizedOptions o;
    o.records = 20;
    o.guid.data1 = 0x33330000u + uint32_t(n);
    return Source("new" + std::to_string(n) + ".DAE", recgen::SizedNewerFile(o));
  }

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
    vt::SStorageSeams seams;
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

TEST_F(MaintenanceTest, ARebuildOnAFullDiskMovesNoFileAndKeepsTheOldIndex) {
  OpenRoot();
  ImportFiles(folder_);
  // The same recording twice: the one file a sound rebuild moves to the deleted data.
  const std::string twin = "FILES/S5T812345/2023/12/000001.DAE";
  ASSERT_TRUE(CreateFolderTree(std::string(vt::ParentPath(vt::JoinPath(folder_, twin)))));
  ASSERT_TRUE(vt::CopyFile(vt::JoinPath(folder_, copies_[1]), vt::JoinPath(folder_, twin), true));
  const std::string before = Dump(Index());
  const auto files = StoredContents(folder_);

  // The disk fills at the nth write of a database file from the start (a rebuild of this storage
  // writes some 30 times: 1 is the new index's first, 24 its last commit) and stays full; or
  // (0) it fills while the second file is indexed and has room again for the third.
  for (int n : {1, 6, 14, 24, 0}) {
    SCOPED_TRACE(n);
    int filesSeen = 0;
    manager_->SetProgress([&](const char* step, const std::string&) {
      if (n != 0 || std::string(step) != "index") return;
      ++filesSeen;
      if (filesSeen == 2) vtstore::DataFileVfsTestHook::FailWritesFrom(1);
      if (filesSeen == 3) vtstore::DataFileVfsTestHook::FailWritesFrom(0);
    });
    vtstore::DataFileVfsTestHook::FailWritesFrom(n);
    const int rc = manager_->RebuildStorage("Main");
    vtstore::DataFileVfsTestHook::FailWritesFrom(0);
    manager_->SetProgress({});
    EXPECT_TRUE(rc == STORE_FAILED || rc == STORE_DISK_FULL) << rc;
    EXPECT_EQ(StoredContents(folder_), files);
    EXPECT_EQ(Dump(Index()), before);
    EXPECT_EQ(Query(Index(), "SELECT COUNT(*) FROM trash;"), "0\n");
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "temp.db")));
  }
  // A read of a stored file fails once, as on a bad disk: nothing in the file, so no file but
  // the twin ever goes to the deleted data.
  auto keptFiles = files;
  keptFiles.erase(twin);
  for (int n : {1, 5, 9}) {
    SCOPED_TRACE("read " + std::to_string(n));
    vt::ReadOnlyFileTestHook::FailNthRead(n);
    manager_->RebuildStorage("Main");
    vt::ReadOnlyFileTestHook::FailNthRead(0);
    auto stored = StoredContents(folder_);
    stored.erase(twin);
    stored.erase("TRASH" + twin.substr(5));
    EXPECT_EQ(stored, keptFiles);
    EXPECT_EQ(Dump(Index()), before);
  }
  // With room again the rebuild runs whole: only the twin goes to the deleted data.
  ASSERT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
  auto after = files;
  after["TRASH" + twin.substr(5)] = after[twin];
  after.erase(twin);
  EXPECT_EQ(StoredContents(folder_), after);
  EXPECT_EQ(Dump(Index()), before);
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
}

// An object that had the storage open before a rebuild writes, under the storage's lock, into
// the rebuilt index: also when the rebuild was killed once its new index was complete, which
// leaves that index beside the old one (a write into the old one would be lost at the swap).
TEST_F(MaintenanceTest, AStorageOpenedBeforeARebuildWritesIntoTheRebuiltIndex) {
  const std::string temp = "temp.db";
  const std::function<void()> rebuilds[] = {
      [&] { ASSERT_EQ(manager_->RebuildStorage("Main"), STORE_OK); },
      [&] {
        pid_t child = vt_test::SpawnChild("KilledRebuild", {folder_, "Main", "swap"});
        ASSERT_GT(child, 0);
        ASSERT_EQ(vt_test::WaitChild(child), -1);
        ASSERT_TRUE(vt::FileExists(vt::JoinPath(folder_, temp)));
      },
  };
  int n = 0;
  for (const auto& rebuild : rebuilds) {
    SCOPED_TRACE(n);
    manager_ = std::make_unique<CVTDataStorageManager>();
    copies_.clear();
    OpenRoot("root" + std::to_string(++n) + "/DATA");
    ImportFiles(folder_);
    // The import worker's object stays open across the rebuild, as the application's does.
    CVTDataStorage worker;
    ASSERT_EQ(worker.OpenAt(folder_), STORE_OK);
    rebuild();
    std::string copy;
    ASSERT_EQ(worker.ImportFile(AnotherRecording(1), &copy), STORE_OK);
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, temp)));
    ASSERT_EQ(worker.MoveFileToTrash(copies_[0]), STORE_OK);
    worker.Close();
    // Opening anew changes nothing any more.
    CVTDataStorage later;
    ASSERT_EQ(later.OpenAt(folder_), STORE_OK);
    later.Close();
    EXPECT_EQ(Query(Index(), "SELECT COUNT(*) FROM file WHERE file_path = '" + copy + "';"), "1\n");
    EXPECT_EQ(Query(Index(), "SELECT COUNT(*) FROM file; SELECT COUNT(*) FROM trash;"), "4\n1\n");
    EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  }
}

TEST_F(MaintenanceTest, CheckRebuildAndBackupWaitForAnImportInAnotherProcess) {
  OpenRoot();
  ImportFiles(folder_);
  struct Case {
    const char* what;
    ImportStep pause;
    std::function<void()> run;
  };
  const Case cases[] = {
      // The copy is in place but not committed while the import pauses.
      {"check", ImportStep::CopyInPlace, [this] { EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK); }},
      // The rows are written but no copy is made yet.
      {"rebuild", ImportStep::Indexed, [this] { EXPECT_EQ(manager_->RebuildStorage("Main"), STORE_OK); }},
      {"backup", ImportStep::CopyInPlace,
       [this] {
         ASSERT_EQ(manager_->BackupStorage("Main", Path("backup")), STORE_OK);
         ASSERT_EQ(manager_->RestoreBackup(Path("backup"), "Restored"), STORE_OK);
         // The backup holds what its index names, and nothing more.
         EXPECT_EQ(manager_->CheckStorage("Restored"), STORE_OK);
       }},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string reached = Path("reached" + std::to_string(++n));
    pid_t child = vt_test::SpawnChild("PausedImport",
                                      {folder_, AnotherRecording(n), std::to_string(int(c.pause)), reached});
    ASSERT_GT(child, 0);
    WaitForFile(reached);
    ASSERT_TRUE(vt::PathExists(reached));
    c.run();
    EXPECT_EQ(vt_test::WaitChild(child), 0);
    EXPECT_EQ(Query(Index(), "SELECT COUNT(*) FROM file;"), std::to_string(4 + n) + "\n");
    EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  }
}

TEST_F(MaintenanceTest, ProcessesWithDifferentRuntimeFoldersExcludeEachOther) {
  OpenRoot();
  const std::string source = AnotherRecording(1);
  const std::string reached = Path("reached");
  pid_t child;
  {
    // Another user's session, or the same user's under another runtime folder.
    ASSERT_TRUE(vt::CreateFolders(Path("runtime-b")));
    vt_test::ScopedEnv runtime("XDG_RUNTIME_DIR", Path("runtime-b"));
    child = vt_test::SpawnChild("PausedImport",
                                {folder_, source, std::to_string(int(ImportStep::CopyInPlace)), reached});
  }
  ASSERT_GT(child, 0);
  WaitForFile(reached);
  ASSERT_TRUE(vt::PathExists(reached));
  CVTDataStorage ours;
  ASSERT_EQ(ours.OpenAt(folder_), STORE_OK);
  // The other import's placed copy is not a leftover: this import waits for it.
  std::string copy;
  EXPECT_EQ(ours.ImportFile(source, &copy), STORE_IMPORTED_ALREADY);
  EXPECT_EQ(vt_test::WaitChild(child), 0);
  ours.Close();
  const std::string stored = Query(Index(), "SELECT file_path FROM file;");
  ASSERT_EQ(stored, copy + "\n");
  std::string storedBytes, sourceBytes;
  ASSERT_TRUE(vt::ReadWholeFile(vt::JoinPath(folder_, copy), storedBytes));
  ASSERT_TRUE(vt::ReadWholeFile(source, sourceBytes));
  EXPECT_EQ(storedBytes, sourceBytes);
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
}

TEST_F(MaintenanceTest, OpeningFinishesASwapCutOffBetweenItsRenames) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string before = Dump(Index());
  // What a swap of the two-rename kind leaves when cut off after its first rename: the complete
  // new index as "temp.db", the old one moved aside, no "fileidx.db".
  const std::string temp = vt::JoinPath(folder_, "temp.db");
  const std::string old = vt::JoinPath(folder_, "fileidx-old.db");
  ASSERT_TRUE(vt::CopyFile(Index(), temp, true));
  ASSERT_TRUE(vt::MoveFile(Index(), old));
  CVTDataStorage storage;
  ASSERT_EQ(storage.OpenAt(folder_), STORE_OK);
  storage.Close();
  EXPECT_FALSE(vt::PathExists(temp));
  EXPECT_FALSE(vt::PathExists(old));
  EXPECT_EQ(Dump(Index()), before);  // the instrument names with the rest
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);

  // Cut off before its new index was complete: the old index goes back in place.
  ASSERT_TRUE(vt::CopyFile(Index(), temp, true));
  Sql(temp, "UPDATE database_info SET status = 'ABORTED';");
  ASSERT_TRUE(vt::MoveFile(Index(), old));
  ASSERT_EQ(storage.OpenAt(folder_), STORE_OK);
  storage.Close();
  EXPECT_FALSE(vt::PathExists(temp));
  EXPECT_EQ(Dump(Index()), before);
}

TEST_F(MaintenanceTest, ARebuildKilledAtAnyStepLeavesTheOldStateOrTheNewAndARetrySucceeds) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string twin = "FILES/S5T812345/2023/12/000001.DAE";
  ASSERT_TRUE(CreateFolderTree(std::string(vt::ParentPath(vt::JoinPath(folder_, twin)))));
  ASSERT_TRUE(vt::CopyFile(vt::JoinPath(folder_, copies_[1]), vt::JoinPath(folder_, twin), true));
  const std::string before = Dump(Index());
  const auto oldFiles = StoredContents(folder_);
  auto newFiles = oldFiles;
  newFiles["TRASH" + twin.substr(5)] = newFiles[twin];
  newFiles.erase(twin);
  const std::string pristine = Path("pristine");
  ASSERT_EQ(manager_->CopyFolder(folder_, pristine), STORE_OK);

  bool completed = false;
  int rolledBack = 0, rolledForward = 0;  // kills before the new index was complete, and after
  for (int k = 1; k <= 30 && !completed; ++k) {
    SCOPED_TRACE(k);
    pid_t child = vt_test::SpawnChild("KilledRebuild", {folder_, "Main", std::to_string(k)});
    ASSERT_GT(child, 0);
    const int exit = vt_test::WaitChild(child);
    completed = exit == 0;
    if (!completed) {
      EXPECT_EQ(exit, -1);
    }
    // Opening finishes or undoes what the killed rebuild left.
    CVTDataStorage storage;
    ASSERT_EQ(storage.OpenAt(folder_), STORE_OK);
    storage.Close();
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "temp.db")));
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "fileidx-old.db")));
    EXPECT_EQ(Dump(Index()), before);
    const auto files = StoredContents(folder_);
    const bool rebuilt = files == newFiles;
    EXPECT_TRUE(rebuilt || files == oldFiles);
    ++(rebuilt ? rolledForward : rolledBack);
    EXPECT_EQ(Query(Index(), "SELECT COUNT(*) FROM trash;"), rebuilt ? "1\n" : "0\n");
    // A retry runs whole; the next round starts from the storage as it was.
    EXPECT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
    EXPECT_EQ(StoredContents(folder_), newFiles);
    EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
    ASSERT_TRUE(DeleteFolderTree(folder_));
    ASSERT_EQ(manager_->CopyFolder(pristine, folder_), STORE_OK);
  }
  EXPECT_TRUE(completed);
  EXPECT_GE(rolledBack, 5);     // one kill per file of the walk
  EXPECT_GE(rolledForward, 3);  // the move, the swap, and the run that completed
}

TEST_F(MaintenanceTest, ABackupKilledAtAnyStepIsNeverTakenForValidAndFreesTheStorage) {
  OpenRoot();
  ImportFiles(folder_);
  bool completed = false;
  for (int k = 1; k <= 30 && !completed; ++k) {
    SCOPED_TRACE(k);
    const std::string backup = Path("backups/" + std::to_string(k));
    pid_t child = vt_test::SpawnChild("KilledBackupOrRestore",
                                      {dataRoot_, "backup", "Main", backup, std::to_string(k)});
    ASSERT_GT(child, 0);
    const int exit = vt_test::WaitChild(child);
    completed = exit == 0;
    if (!completed) {
      EXPECT_EQ(exit, -1);
      EXPECT_TRUE(!vt::PathExists(backup) || vt::PathExists(vt::JoinPath(backup, "BACKUPPROCESSING")));
      EXPECT_EQ(manager_->RestoreBackup(backup, "Never"), STORE_BACKUP_INVALID);
    }
    // The storage is sound and its lock free again; a retry succeeds.
    EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
    const std::string retry = Path("retry");
    ASSERT_EQ(manager_->BackupStorage("Main", retry), STORE_OK);
    ASSERT_TRUE(DeleteFolderTree(retry));
  }
  EXPECT_TRUE(completed);
}

TEST_F(MaintenanceTest, ARestoreKilledAtAnyStepLeavesNothingUnlistedAndARetrySucceeds) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string backup = Path("backups/good");
  ASSERT_EQ(manager_->BackupStorage("Main", backup), STORE_OK);
  manager_.reset();
  bool completed = false;
  for (int k = 1; k <= 30 && !completed; ++k) {
    SCOPED_TRACE(k);
    pid_t child = vt_test::SpawnChild("KilledBackupOrRestore",
                                      {dataRoot_, "restore", backup, "Copy", std::to_string(k)});
    ASSERT_GT(child, 0);
    const int exit = vt_test::WaitChild(child);
    completed = exit == 0;
    if (!completed) {
      EXPECT_EQ(exit, -1);
    }
    // The next manager to open the data root finishes or removes the restore.
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    int folders = 0;
    ListSubfolders(dataRoot_, nullptr, 0, folders);
    EXPECT_EQ(folders, manager.GetCount());
    std::string restored;
    if (manager.GetStorageFolder("Copy", restored) != STORE_OK) {
      EXPECT_EQ(manager.RestoreBackup(backup, "Copy"), STORE_OK);
    }
    EXPECT_EQ(manager.CheckStorage("Copy"), STORE_OK);
    ASSERT_EQ(manager.DeleteStorage("Copy"), STORE_OK);
  }
  EXPECT_TRUE(completed);
}

// Besides its index, FILES and TRASH, a storage folder holds working files: the lock file, an
// import's temporary copy (left by an import that was killed), a move's intent. Check and
// rebuild take none of them for a stored file, a backup copies none, and a file the rebuild
// sends to a taken place below TRASH gets the name a move to the deleted data would give it.
TEST_F(MaintenanceTest, RebuildNamesTakenTrashPlacesLikeAMoveAndNoOneTakesTheWorkingFiles) {
  OpenRoot();
  ImportFiles(folder_);
  const std::string before = Dump(Index());
  // A recorder file of its own under each working name: whoever took one for a stored file
  // would index it.
  const std::string leftCopy = vt::JoinPath(folder_, ".import.DAE");
  ASSERT_TRUE(vt::CopyFile(AnotherRecording(1), leftCopy, true));
  const std::string twin = "FILES/S5T812345/2023/12/000001.DAE";
  const std::string taken = "TRASH" + twin.substr(5);
  for (const std::string& path : {twin, taken})
    ASSERT_TRUE(CreateFolderTree(std::string(vt::ParentPath(vt::JoinPath(folder_, path)))));
  ASSERT_TRUE(vt::CopyFile(vt::JoinPath(folder_, copies_[1]), vt::JoinPath(folder_, twin), true));
  ASSERT_TRUE(vt::CopyFile(vt::JoinPath(folder_, copies_[2]), vt::JoinPath(folder_, taken), true));

  ASSERT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
  EXPECT_EQ(Dump(Index()), before);
  const std::string renamed = "TRASH/S5T812345/2023/12/000001-VT-1.DAE";
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, twin)));
  EXPECT_TRUE(vt::FileExists(vt::JoinPath(folder_, renamed)));
  EXPECT_EQ(Query(Index(), "SELECT file_path, file_name, start_data_no FROM trash ORDER BY file_path;"),
            renamed + "|000001.DAE|1\n" + taken + "|000001.DAE|21\n");
  EXPECT_TRUE(vt::FileExists(leftCopy));
  EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);

  const std::string backup = Path("backup");
  ASSERT_EQ(manager_->BackupStorage("Main", backup), STORE_OK);
  for (const char* name : {kStorageLockFileName, ".import.DAE", kMoveIntentFileName}) {
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(backup, name))) << name;
  }
  ASSERT_EQ(manager_->RestoreBackup(backup, "Restored"), STORE_OK);
  EXPECT_EQ(manager_->CheckStorage("Restored"), STORE_OK);
  EXPECT_EQ(StoredContents(FolderOf("Restored")), StoredContents(folder_));
}

// A purge killed after it moved its file aside leaves the parting name and its intent. A
// rebuild settles that first: from the index in place when it still reads (finished when the
// purge had committed, undone otherwise), and undone when it cannot tell, so no file is lost
// and the parting name is never indexed.
TEST_F(MaintenanceTest, ARebuildSettlesAPurgeKilledHalfWayBeforeItIndexes) {
  struct Case {
    const char* name;
    const char* killedAt;  // the purge's step number: 4 the file moved aside, 5 the commit
    bool indexLost;
    bool purged;
  };
  const Case cases[] = {
      {"moved aside, index reads", "4", false, false},
      {"moved aside, index lost", "4", true, false},
      {"committed, index reads", "5", false, true},
      {"committed, index lost", "5", true, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    manager_ = std::make_unique<CVTDataStorageManager>();
    copies_.clear();
    OpenRoot("root" + std::to_string(++n) + "/DATA");
    ImportFiles(folder_);
    const std::string victim = copies_[1];
    // The move child of the deleted-data tests (same test program).
    pid_t child = vt_test::SpawnChild("KilledMove", {folder_, "purge", victim, c.killedAt});
    ASSERT_GT(child, 0);
    ASSERT_EQ(vt_test::WaitChild(child), -1);
    ASSERT_TRUE(vt::PathExists(vt::JoinPath(folder_, kMoveIntentFileName)));
    ASSERT_FALSE(vt::PathExists(vt::JoinPath(folder_, victim)));
    if (c.indexLost) {
      ASSERT_TRUE(vt::DeleteFile(Index()));
    }

    ASSERT_EQ(manager_->RebuildStorage("Main"), STORE_OK);
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, kMoveIntentFileName)));
    for (const auto& [path, bytes] : StoredContents(folder_)) {
      EXPECT_EQ(path.find(".vtpurge"), std::string::npos) << path;
    }
    EXPECT_EQ(vt::FileExists(vt::JoinPath(folder_, victim)), !c.purged);
    EXPECT_EQ(Query(Index(), "SELECT COUNT(*) FROM file WHERE file_path = '" + victim + "';"),
              c.purged ? "0\n" : "1\n");
    EXPECT_EQ(manager_->CheckStorage("Main"), STORE_OK);
  }
}

}  // namespace

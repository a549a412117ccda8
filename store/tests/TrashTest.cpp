// Deleted data: moving stored files to TRASH, restoring and purging them, with the index rows
// compared through the system's sqlite3 shell before and after each round trip; paths that name
// no row of the storage; and each move killed (SIGKILL) at every step it reports, after which the
// storage holds the file wholly moved or not at all and the same move can be made again.
#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include "ImportTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"

namespace {

using store_test::ImportFixture;

// Runs the move args[1] ("trash", "restore" or "purge") of the path args[2] on the storage at
// args[0] and kills itself at the args[3]-th step the move reports.
VT_TEST_CHILD(KilledMove) {
  CVTDataStorage storage;
  if (storage.OpenAt(args.at(0)) != STORE_OK) return 2;
  const int stop = std::stoi(args.at(3));
  int reached = 0;
  storage.SetSeams({.onMoveStep = [&](MoveStep) {
    if (++reached == stop) std::raise(SIGKILL);
  }});
  const std::string& kind = args.at(1);
  const std::string& path = args.at(2);
  std::string copy;
  const int rc = kind == "trash"     ? storage.MoveFileToTrash(path)
                 : kind == "restore" ? storage.RestoreFile(path, &copy)
                                     : storage.PurgeFile(path);
  return rc == STORE_OK ? 0 : 3;
}
using store_test::SameFile;

class TrashTest : public ImportFixture {
 protected:
  // Three files of one batch (data numbers 101-110, 111-120, 121-130); the middle one was
  // stopped by a black-out and carries one time change; the last one was stopped by hand.
  void ImportBatch() {
    for (int k = 0; k < 3; ++k) {
      recgen::SizedOptions o;
      o.records = 10;
      o.startDataNo = 101 + 10 * k;
      o.startSeconds = 1700000000 + 100 * k;
      o.stopFactor = k == 1 ? 3 : k == 2 ? 1 : 2;
      recgen::NewerFile m = recgen::SizedNewerFile(o);
      m.batch.startUser = "start" + std::to_string(k);
      m.batch.stopUser = "stop" + std::to_string(k);
      m.batch.texts[0] = {"Product", "Jam"};
      std::string copy;
      sources_by_k_[k] = Source(std::string(1, char('A' + k)) + ".DAE", m);
      ASSERT_EQ(Import(sources_by_k_[k], &copy), STORE_OK);
      copies_[k] = copy;
    }
  }
  // Every index row that does not depend on row ids.
  std::string Rows() {
    return Query(
        "SELECT file_name, file_path, start_time, end_time, start_data_no, end_data_no, stop_factor FROM file "
        "ORDER BY file_path;"
        "SELECT cont_data_guid, start_time, stop_time, start_username, stop_username, power_failure, "
        "chng_time_cnt, batch_no, lot_no, (SELECT file_name FROM file WHERE file_id = latest_file_id) "
        "FROM continuous_data_info;"
        "SELECT f.file_name, t.channel_no, t.channel_interval FROM tag t JOIN file f USING (file_id) "
        "ORDER BY 1, 2;"
        "SELECT f.file_name, g.group_no, g.group_name FROM display_group g JOIN file f USING (file_id) ORDER BY 1;"
        "SELECT title, text FROM batch_text;"
        "SELECT file_path, file_name, org_data_guid, start_data_no, end_data_no FROM trash ORDER BY file_path;");
  }
  std::string sources_by_k_[3];
  std::string copies_[3];
};

TEST_F(TrashTest, MovingFilesRecomputesTheBatchAndRestoringBringsBackTheSameRows) {
  ImportBatch();
  const std::string before = Rows();
  const std::string trashPath = "TRASH" + copies_[2].substr(5);

  // The last file (stopped by hand) goes: the latest file falls back, the stop user is cleared,
  // the start user stays, the stop time shrinks.
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[2]), STORE_OK);
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, copies_[2])));
  EXPECT_TRUE(vt::IsReadOnly(vt::JoinPath(folder_, trashPath)));
  EXPECT_TRUE(SameFile(vt::JoinPath(folder_, trashPath), sources_by_k_[2]));
  EXPECT_EQ(Query("SELECT start_time = (SELECT start_time FROM file WHERE file_name = 'A.DAE'), "
                  "stop_time = (SELECT end_time FROM file WHERE file_name = 'B.DAE'), start_username, "
                  "stop_username, power_failure, (SELECT file_name FROM file WHERE file_id = latest_file_id) "
                  "FROM continuous_data_info;"),
            "1|1|start2||1|B.DAE\n");
  EXPECT_EQ(Query("SELECT file_path, file_name, org_data_guid, start_data_no, end_data_no, "
                  "del_time > 130000000000000000 FROM trash;"),
            trashPath + "|C.DAE|12345678-9ABC-DEF0-0102-030405060708|121|130|1\n");

  // Found among the deleted data before the restore, stored again after it.
  std::string copy;
  EXPECT_EQ(Import(sources_by_k_[2], &copy), STORE_IN_TRASH);
  EXPECT_EQ(copy, trashPath);
  ASSERT_EQ(storage_.RestoreFile(trashPath, &copy), STORE_OK);
  EXPECT_EQ(copy, copies_[2]);
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(Import(sources_by_k_[2], &copy), STORE_IMPORTED_ALREADY);
  EXPECT_TRUE(vt::IsReadOnly(vt::JoinPath(folder_, copies_[2])));

  // The middle file (the black-out) goes: the power failure flag clears.
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[1]), STORE_OK);
  EXPECT_EQ(Query("SELECT power_failure FROM continuous_data_info;"), "0\n");
  ASSERT_EQ(storage_.RestoreFile("TRASH" + copies_[1].substr(5), &copy), STORE_OK);
  EXPECT_EQ(Rows(), before);

  // All three go: the batch and its texts go with the last one.
  for (const std::string& c : copies_) ASSERT_EQ(storage_.MoveFileToTrash(c), STORE_OK);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM continuous_data_info; SELECT COUNT(*) FROM batch_text;"
                  "SELECT COUNT(*) FROM file; SELECT COUNT(*) FROM tag; SELECT COUNT(*) FROM trash;"),
            "0\n0\n0\n0\n3\n");
  for (const std::string& c : copies_)
    ASSERT_EQ(storage_.RestoreFile("TRASH" + c.substr(5), &copy), STORE_OK);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM continuous_data_info; SELECT COUNT(*) FROM file;"), "1\n3\n");
}

TEST_F(TrashTest, ARestoreMovesTheFileToThePathItsRowRecords) {
  ImportBatch();
  const std::string trashPath = "TRASH" + copies_[0].substr(5);
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_OK);
  // Meanwhile another file of the same name is stored in that month folder.
  recgen::SizedOptions other;
  other.guid.data1 = 99;
  other.startFactor = other.stopFactor = 1;
  const std::string otherFolder = Path("other");
  vt::CreateFolders(otherFolder);
  const std::string otherSource = vt::JoinPath(otherFolder, "A.DAE");
  std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(other)).bytes;
  vt_test::WriteFileBytes(otherSource, std::string(bytes.begin(), bytes.end()));
  std::string otherCopy;
  ASSERT_EQ(Import(otherSource, &otherCopy), STORE_OK);
  ASSERT_EQ(otherCopy, copies_[0]);

  std::string restored;
  ASSERT_EQ(storage_.RestoreFile(trashPath, &restored), STORE_OK);
  EXPECT_EQ(restored, "FILES/S5T812345/2023/11/A-VT-1.DAE");
  EXPECT_EQ(Query("SELECT file_path FROM file WHERE file_path = '" + restored + "';"), restored + "\n");
  EXPECT_TRUE(SameFile(vt::JoinPath(folder_, restored), sources_by_k_[0]));
  EXPECT_TRUE(SameFile(vt::JoinPath(folder_, otherCopy), otherSource));
}

TEST_F(TrashTest, FailuresLeaveIndexAndFilesAsTheyWere) {
  ImportBatch();
  const std::string before = Rows();
  const std::vector<std::string> files = StoredFiles();
  // The deleted copy's folder cannot be made: a file stands in its place.
  const std::string trashPath = "TRASH" + copies_[0].substr(5);
  const std::string trashFolder(vt::ParentPath(vt::JoinPath(folder_, trashPath)));
  ASSERT_TRUE(vt::CreateFolders(std::string(vt::ParentPath(trashFolder))));
  ASSERT_TRUE(vt_test::WriteFileBytes(trashFolder, "in the way"));
  EXPECT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_FAILED);
  vt::DeleteFile(trashFolder);
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(StoredFiles(), files);
  // Paths outside FILES and TRASH.
  std::string copy = "unchanged";
  EXPECT_EQ(storage_.MoveFileToTrash("TRASH/x"), STORE_FAILED);
  EXPECT_EQ(storage_.MoveFileToTrash("FILESx"), STORE_FAILED);
  EXPECT_EQ(storage_.RestoreFile(copies_[0], &copy), STORE_FAILED);
  EXPECT_EQ(storage_.RestoreFile("TRASH/S/2023/11/NONE.DAE", &copy), STORE_FAILED);
  EXPECT_EQ(copy, "unchanged");
  EXPECT_EQ(storage_.PurgeFile("OTHER/A.DAE"), STORE_PATH_NOT_STORED);
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(StoredFiles(), files);
  CVTDataStorage closed;
  EXPECT_EQ(closed.MoveFileToTrash(copies_[0]), STORE_STORAGE_NOT_OPEN);
  EXPECT_EQ(closed.RestoreFile(trashPath, &copy), STORE_STORAGE_NOT_OPEN);
  EXPECT_EQ(closed.PurgeFile(copies_[0]), STORE_STORAGE_NOT_OPEN);
}

TEST_F(TrashTest, ACommitThatFailsPutsTheFileBackWhereTheIndexSaysItIs) {
  ImportBatch();
  const std::string trashPath = "TRASH" + copies_[2].substr(5);
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[2]), STORE_OK);
  const std::string before = Rows();
  const std::vector<std::string> files = StoredFiles();
  ASSERT_EQ(storage_.GetConnection()->Execute("PRAGMA busy_timeout = 0;"), RDB_OK);
  // A reader on another connection keeps its read transaction open: every commit fails.
  auto other = NewRDBConnection("SQLite");
  ASSERT_EQ(other->Open(storage_.GetIndexPath()), RDB_OK);
  auto reading = other->CreateStatement();
  ASSERT_EQ(reading->Prepare("SELECT * FROM sqlite_master;"), RDB_OK);
  ASSERT_EQ(reading->Execute(), RDB_OK);
  std::string copy = "unchanged";
  EXPECT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_FAILED);
  EXPECT_EQ(storage_.RestoreFile(trashPath, &copy), STORE_FAILED);
  EXPECT_EQ(copy, "unchanged");
  EXPECT_EQ(storage_.PurgeFile(copies_[1]), STORE_FAILED);
  EXPECT_EQ(storage_.PurgeFile(trashPath), STORE_FAILED);
  reading.reset();
  other.reset();
  EXPECT_EQ(Rows(), before);
  EXPECT_EQ(StoredFiles(), files);
  // And all of them work once the reader is gone.
  EXPECT_EQ(storage_.RestoreFile(trashPath, &copy), STORE_OK);
  EXPECT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_OK);
  EXPECT_EQ(storage_.PurgeFile(copies_[1]), STORE_OK);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file; SELECT COUNT(*) FROM trash;"), "1\n1\n");
}

TEST_F(TrashTest, PurgeDeletesStoredAndDeletedFilesForGood) {
  ImportBatch();
  // A stored file: rows and file go in one step; the batch stays with the others.
  ASSERT_EQ(storage_.PurgeFile(copies_[1]), STORE_OK);
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, copies_[1])));
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file; SELECT COUNT(*) FROM continuous_data_info;"), "2\n1\n");
  // A deleted file whose copy is gone already: the row goes, and that is no failure.
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_OK);
  const std::string trashPath = "TRASH" + copies_[0].substr(5);
  ASSERT_TRUE(vt::DeleteFile(vt::JoinPath(folder_, trashPath)));
  EXPECT_EQ(storage_.PurgeFile(trashPath), STORE_OK);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM trash;"), "0\n");
  // After a purge the same data imports anew.
  EXPECT_EQ(Import(sources_by_k_[0]), STORE_OK);
  EXPECT_EQ(Import(sources_by_k_[1]), STORE_OK);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM continuous_data_info; SELECT COUNT(*) FROM file;"), "1\n3\n");
  EXPECT_EQ(Query("PRAGMA integrity_check;"), "ok\n");
  for (const std::string& f : StoredFiles()) EXPECT_EQ(f.find("/."), std::string::npos) << f;
}

TEST_F(TrashTest, APathWithAnApostropheIsFoundLikeAnyOther) {
  recgen::SizedOptions o;
  std::string copy;
  ASSERT_EQ(Import(Newer("O'BRIEN.DAE", o), &copy), STORE_OK);
  ASSERT_EQ(storage_.MoveFileToTrash(copy), STORE_OK);
  EXPECT_EQ(Query("SELECT file_name FROM trash;"), "O'BRIEN.DAE\n");
  std::string restored;
  ASSERT_EQ(storage_.RestoreFile("TRASH" + copy.substr(5), &restored), STORE_OK);
  EXPECT_EQ(restored, copy);
  ASSERT_EQ(storage_.PurgeFile(copy), STORE_OK);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), "0\n");
  EXPECT_TRUE(StoredFiles().empty());
}

TEST_F(TrashTest, PathsThatNameNoRowOfThisStorageAreRefused) {
  ImportBatch();
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_OK);
  const std::string folder = copies_[1].substr(6, copies_[1].find_last_of('/') - 6);  // serial/year/month
  // Beside the storage: another storage's deleted file (a recording this one does not have) and
  // a plain file; in the storage: files under FILES and TRASH that no row names.
  recgen::SizedOptions o;
  o.guid.data1 = 77;
  const std::string foreign = Path("OTHER/TRASH/" + folder + "/F.DAE");
  ASSERT_TRUE(vt::CreateFolders(std::string(vt::ParentPath(foreign))));
  ASSERT_TRUE(vt::CopyFile(Newer("F.DAE", o), foreign, true));
  ASSERT_TRUE(vt_test::WriteFileBytes(Path("outside.txt"), "not ours"));
  for (const char* top : {"FILES/", "TRASH/"})
    ASSERT_TRUE(vt::CopyFile(Newer("S.DAE", o), vt::JoinPath(folder_, top + folder + "/S.DAE"), true));
  const std::string before = Rows();
  const std::vector<std::string> files = StoredFiles();

  const std::string away = "../../OTHER/TRASH/" + folder + "/F.DAE";
  struct Case {
    const char* kind;
    std::string path;
    int expected;
  };
  const Case cases[] = {
      {"trash", "FILES/../fileidx.db", STORE_FAILED},
      {"trash", "FILES/../../outside.txt", STORE_FAILED},
      {"trash", Path("outside.txt"), STORE_FAILED},
      {"trash", "FILES/" + folder + "/S.DAE", STORE_FAILED},
      {"trash", "FILES/" + folder + "/./" + copies_[1].substr(copies_[1].find_last_of('/') + 1),
       STORE_FAILED},
      {"restore", "TRASH/" + away, STORE_FAILED},
      {"restore", "TRASH/" + folder + "/S.DAE", STORE_FAILED},
      {"restore", "TRASH//" + copies_[0].substr(6), STORE_FAILED},
      {"purge", "FILES/../fileidx.db", STORE_PATH_NOT_STORED},
      {"purge", "FILES/../..", STORE_PATH_NOT_STORED},
      {"purge", "FILES/../../outside.txt", STORE_PATH_NOT_STORED},
      {"purge", "TRASH/" + away, STORE_PATH_NOT_STORED},
      {"purge", "FILES/" + folder + "/S.DAE", STORE_PATH_NOT_STORED},
      {"purge", "TRASH/" + folder + "/S.DAE", STORE_PATH_NOT_STORED},
      {"purge", "FILES/" + folder + "/../" + copies_[1].substr(6), STORE_PATH_NOT_STORED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.path);
    std::string copy = "unchanged";
    const std::string kind = c.kind;
    const int rc = kind == "trash"     ? storage_.MoveFileToTrash(c.path)
                   : kind == "restore" ? storage_.RestoreFile(c.path, &copy)
                                       : storage_.PurgeFile(c.path);
    EXPECT_EQ(rc, c.expected);
    EXPECT_EQ(copy, "unchanged");
    ASSERT_TRUE(vt::PathExists(storage_.GetIndexPath()));
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(StoredFiles(), files);
    EXPECT_TRUE(vt::PathExists(foreign));
    EXPECT_TRUE(vt::PathExists(Path("outside.txt")));
  }
}

class TrashKillTest : public TrashTest {
 protected:
  struct State {
    std::string rows;
    std::vector<std::string> files;
    friend bool operator==(const State&, const State&) = default;
  };
  State Now() { return {Rows(), StoredFiles()}; }
  int Run(const std::string& kind, const std::string& path) {
    std::string copy;
    return kind == "trash"     ? storage_.MoveFileToTrash(path)
           : kind == "restore" ? storage_.RestoreFile(path, &copy)
                               : storage_.PurgeFile(path);
  }
  bool IntentLeft() { return vt::PathExists(vt::JoinPath(folder_, "move.vtintent")); }

  // Runs the move once here to learn its steps and the state it leaves, then once per step in a
  // child killed at that step. After each kill the next move on the storage (every other round
  // on a storage opened anew, whose open does it already) finishes or undoes the killed one; the
  // same move is then refused when the killed one had committed and succeeds otherwise, and
  // either way the storage ends as the move in one piece leaves it. reset brings back the state
  // before the move.
  void WalkKills(const std::string& kind, const std::string& path, const std::function<void()>& reset) {
    const State before = Now();
    std::vector<MoveStep> steps;
    storage_.SetSeams({.onMoveStep = [&](MoveStep s) { steps.push_back(s); }});
    ASSERT_EQ(Run(kind, path), STORE_OK);
    storage_.SetSeams({});
    const State after = Now();
    ASSERT_NE(after, before);
    ASSERT_GE(steps.size(), 5u);
    ASSERT_EQ(steps.back(), MoveStep::Finished);
    reset();
    ASSERT_EQ(Now(), before);

    for (std::size_t k = 1; k <= steps.size(); ++k) {
      SCOPED_TRACE(kind + " killed at step " + std::to_string(k) + " of " + std::to_string(steps.size()));
      pid_t child = vt_test::SpawnChild("KilledMove", {folder_, kind, path, std::to_string(k)});
      ASSERT_GT(child, 0);
      ASSERT_EQ(vt_test::WaitChild(child), -1);  // killed
      const bool committed = steps[k - 1] >= MoveStep::Committed;
      if (k % 2 == 0) {
        storage_.Close();
        ASSERT_EQ(storage_.Open(), STORE_OK);
        EXPECT_FALSE(IntentLeft());
        EXPECT_EQ(Now(), committed ? after : before);
      }
      const int refused = kind == "purge" ? STORE_PATH_NOT_STORED : STORE_FAILED;
      EXPECT_EQ(Run(kind, path), committed ? refused : STORE_OK);
      EXPECT_FALSE(IntentLeft());
      EXPECT_EQ(Now(), after);
      EXPECT_EQ(Query("PRAGMA integrity_check;"), "ok\n");
      reset();
      ASSERT_EQ(Now(), before);
    }
  }
};

TEST_F(TrashKillTest, AKilledMoveToTheDeletedDataIsFinishedOrUndone) {
  ImportBatch();
  WalkKills("trash", copies_[2],
            [&] { ASSERT_EQ(storage_.RestoreFile("TRASH" + copies_[2].substr(5), nullptr), STORE_OK); });
}

TEST_F(TrashKillTest, AKilledRestoreIsFinishedOrUndone) {
  ImportBatch();
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[1]), STORE_OK);
  WalkKills("restore", "TRASH" + copies_[1].substr(5),
            [&] { ASSERT_EQ(storage_.MoveFileToTrash(copies_[1]), STORE_OK); });
}

TEST_F(TrashKillTest, AKilledPurgeIsFinishedOrUndone) {
  ImportBatch();
  WalkKills("purge", copies_[1], [&] { ASSERT_EQ(Import(sources_by_k_[1]), STORE_OK); });
  const std::string trashPath = "TRASH" + copies_[0].substr(5);
  ASSERT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_OK);
  WalkKills("purge", trashPath, [&] {
    ASSERT_EQ(Import(sources_by_k_[0]), STORE_OK);
    ASSERT_EQ(storage_.MoveFileToTrash(copies_[0]), STORE_OK);
  });
}

}  // namespace

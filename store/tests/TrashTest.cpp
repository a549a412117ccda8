// Deleted data: moving stored files to TRASH, restoring and purging them, with the index rows
// compared through the system's sqlite3 shell before and after each round trip.
#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"

namespace {

using store_test::ImportFixture;
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

}  // namespace

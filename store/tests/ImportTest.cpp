// Import of one file: the order of the checks and every outcome, the limits at their
// boundaries, the FILES layout of the copies, the rows of a rich file, and atomicity of the
// failures (index unchanged, no file left).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "ImportTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "recorder/FileAccessFactory.h"
#include "testing/ScopedEnvironment.h"

namespace {

using store_test::ImportFixture;
using store_test::SameFile;

// A reader that answers from the values it is given; one read can be made to fail.
class FakeReader : public CVTDataFileAccess {
 public:
  enum Fail { None, Channel, Group, Message, Alarm, BatchText, Comment };
  struct Identity {
    vt::Guid guid{0xAABBCCDD, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    int64_t startDataNo = 1, endDataNo = 10, memStartDataNo = 1, triggerDataNo = 1;
    int64_t triggerTime = 133000000000000000;
  };
  explicit FakeReader(Fail fail) : fail_(fail) {}
  int Open(const std::string& path) override {
    m_filePath = path;
    m_serialNo = "FAKE1";
    m_dataKind = 0;
    m_startFactor = manual ? 1 : 2;
    m_stopFactor = manual ? 1 : 2;
    m_guid = identity.guid;
    m_startDataNo = identity.startDataNo;
    m_endDataNo = identity.endDataNo;
    m_memStartDataNo = identity.memStartDataNo;
    m_triggerDataNo = identity.triggerDataNo;
    m_triggerTime = TickTime(identity.triggerTime);
    m_channelNos = {1, 2};
    m_channelTypes = {3, 3};
    return 0;
  }
  int GetChannelInfo(int index, vt::SChannelInfo* out) override {
    if (fail_ == Channel) return 1;
    *out = vt::SChannelInfo{};
    out->channelNo = index + 1;
    out->name = "CH" + std::to_string(index + 1);
    return 0;
  }
  int GetGroupCount() override { return fail_ == Group ? 1 : CVTDataFileAccess::GetGroupCount(); }
  int GetGroupInfo(int g, std::string* name, int* count, int* no, int* inUse) override {
    return fail_ == Group ? 1 : CVTDataFileAccess::GetGroupInfo(g, name, count, no, inUse);
  }
  int GetMessageCount() override { return fail_ == Message ? 1 : CVTDataFileAccess::GetMessageCount(); }
  int GetMessage(int, std::string*, int*, int*, int64_t*, int*, std::string*, int*, int*, TickTime*,
                 TickTime*) override {
    return 1;
  }
  int GetAlarmCount() override { return fail_ == Alarm ? 1 : CVTDataFileAccess::GetAlarmCount(); }
  int GetAlarm(int, int*, int64_t*, TickTime*, int*, int*, int*, int*) override { return 1; }
  int GetBatchTextCount() override { return fail_ == BatchText ? 1 : 0; }
  int GetBatchTextAt(int, std::string*, std::string*) override { return 1; }
  int GetBatchCommentCount() override { return fail_ == Comment ? 1 : 0; }
  int GetBatchCommentAt(int, TickTime*, std::string*, std::string*) override { return 1; }

  Identity identity;
  bool manual = false;

 private:
  Fail fail_;
};

class ImportTest : public ImportFixture {
 protected:
  // The whole index as text, to show that a refused import changed nothing.
  std::string IndexDump() {
    return Query(
        "SELECT * FROM file; SELECT * FROM continuous_data_info; SELECT * FROM instrument; SELECT * FROM tag;"
        "SELECT * FROM message; SELECT * FROM alarm; SELECT * FROM display_group; SELECT * FROM trash;");
  }
};

TEST_F(ImportTest, ImportsARichFileReadOnlyUnderSerialYearMonthWithItsRows) {
  vt_test::ScopedTimeZone zone("UTC");
  const recgen::NewerFile model = recgen::SampleNewerFile(1, false, false);
  const std::string source = Source("RICH.DAE", model);
  std::string copy = "unchanged";
  ASSERT_EQ(Import(source, &copy), STORE_OK);
  // The last record lies at 1700000010 s: 2023-11-14 22:13 UTC.
  EXPECT_EQ(copy, "FILES/S5T812345/2023/11/RICH.DAE");
  const std::string stored = vt::JoinPath(folder_, copy);
  EXPECT_TRUE(vt::IsReadOnly(stored));
  EXPECT_TRUE(SameFile(stored, source));
  EXPECT_EQ(StoredFiles(), std::vector<std::string>{copy});

  EXPECT_EQ(Query("SELECT inst_serial_no, file_name, file_path, start_factor, stop_factor, power_failure, "
                  "start_data_no, end_data_no, mem_start_data_no, trigger_data_no FROM file;"),
            "S5T812345|RICH.DAE|FILES/S5T812345/2023/11/RICH.DAE|1|3|1|5000|5019|4990|5004\n");
  // Lot number padded to the reader's digit count; the batch's GUID is the recording's.
  EXPECT_EQ(Query("SELECT cont_data_guid = org_data_guid, batch_no, lot_no, start_username, stop_username, "
                  "latest_file_id = (SELECT file_id FROM file), power_failure FROM continuous_data_info;"),
            "1|BATCH-7|00042|alice|bob|1|1\n");
  EXPECT_EQ(Query("SELECT org_data_guid FROM continuous_data_info;"),
            "12345678-9ABC-DEF0-0102-030405060708\n");
  // Every tag carries the file's interval; groups only when in use and with a channel.
  EXPECT_EQ(Query("SELECT channel_no, channel_interval FROM tag ORDER BY channel_no;"),
            "1|500\n2|500\n101|500\n201|500\n");
  EXPECT_EQ(Query("SELECT group_no, group_name FROM display_group ORDER BY group_no;"),
            "1|Boiler\n5|Press\n");
  EXPECT_EQ(Query("SELECT group_no, channel_no FROM display_channel ORDER BY group_no, channel_no;"),
            "1|1\n1|2\n1|201\n5|1\n5|101\n");
  EXPECT_EQ(Query("SELECT text_no, type, title, text FROM batch_text ORDER BY text_no;"),
            "1|0|Product|Jam\n2|0|Shift|Night\n");
  EXPECT_EQ(Query("SELECT comment_no, batch_comment_username FROM batch_comment ORDER BY comment_no;"),
            "1|carol\n2|dave\n");
  // The scan serial number is the message's relative data number plus the file's start.
  EXPECT_EQ(Query("SELECT message_text, scan_serial_no - 5000 >= 0, message_write_group_text FROM message "
                  "ORDER BY message_id;"),
            Query("SELECT message_text, 1, message_write_group_text FROM message ORDER BY message_id;"));
  EXPECT_EQ(
      Query("SELECT COUNT(*) FROM message_write_group WHERE message_id IN (SELECT message_id FROM message "
            "WHERE message_write_group_text = 'ALL') AND display_group_no = -1;"),
      Query("SELECT COUNT(*) FROM message WHERE message_write_group_text = 'ALL';"));
  EXPECT_EQ(Query("SELECT COUNT(*) FROM alarm WHERE channel_no = -1;"), "2\n");
  EXPECT_EQ(Query("SELECT inst_serial_no, recorder_type <> '', hostname FROM instrument;"), "S5T812345|1|\n");
}

TEST_F(ImportTest, ScanSerialNumbersAndWriteGroupTextsFollowTheMessages) {
  recgen::NewerFile model = recgen::SizedNewerFile({});
  for (int16_t g : {1, 3, 5, 7}) {
    recgen::NewerGroup group;
    group.number = g;
    group.name = "G" + std::to_string(g);
    group.places[0] = 1;
    model.groups.push_back(group);
  }
  model.groups.erase(model.groups.begin());
  recgen::NewerMessage some;
  some.dataNo = 1007;
  some.groupMask = 0xB;  // the first, second and fourth group: numbered by position
  some.text = "three";
  model.messages = {some};
  model.startDataNo = 1000;
  model.memStartDataNo = 1000;
  ASSERT_EQ(Import(Source("M.DAE", model)), STORE_OK);
  EXPECT_EQ(Query("SELECT message_text, message_write_group_text, scan_serial_no FROM message;"),
            "three|1:2:4|1007\n");
  EXPECT_EQ(Query("SELECT display_group_no FROM message_write_group ORDER BY display_group_no;"),
            "1\n2\n4\n");
}

TEST_F(ImportTest, OutcomesOfRealFilesLeaveTheIndexAndFilesAsTheyWere) {
  recgen::WrittenNewerFile broken = recgen::WriteNewerFile(recgen::SizedNewerFile({}));
  broken.BreakCrc(broken.regions.back().name);
  const std::string crc = vt::JoinPath(sources_, "CRC.DAE");
  ASSERT_TRUE(vt_test::WriteFileBytes(crc, std::string(broken.bytes.begin(), broken.bytes.end())));
  const std::string text = vt::JoinPath(sources_, "NOTES.TXT");
  ASSERT_TRUE(vt_test::WriteFileBytes(text, "not a recorder file"));
  recgen::SizedOptions noSerial;
  noSerial.serial = "";

  const std::string before = IndexDump();
  struct Case {
    std::string path;
    int result;
  } cases[] = {
      {crc, STORE_CRC_ERROR},
      {text, STORE_UNSUPPORTED_FILE},
      {Newer("EMPTY.DAE", noSerial), STORE_INVALID_FILE},
      {vt::JoinPath(sources_, "MISSING.DAE"), STORE_FAILED},  // cannot be opened at all
  };
  for (const Case& c : cases) {
    std::string copy = "unchanged";
    EXPECT_EQ(Import(c.path, &copy), c.result) << c.path;
    EXPECT_EQ(copy, "unchanged") << c.path;
  }
  EXPECT_EQ(IndexDump(), before);
  EXPECT_TRUE(StoredFiles().empty());
  EXPECT_EQ(storage_.ImportFile(text, nullptr), STORE_FAILED);
  CVTDataStorage closed;
  std::string copy;
  EXPECT_EQ(closed.ImportFile(text, &copy), STORE_STORAGE_NOT_OPEN);
  EXPECT_EQ(closed.ImportDataFile(&copy, text, false), STORE_STORAGE_NOT_OPEN);
}

TEST_F(ImportTest, ReaderResultsPassThroughAndFailedReadsAreInvalidFiles) {
  const std::string source = Newer("A.DAE", {});
  const std::string before = IndexDump();
  for (int result :
       {STORE_UNSUPPORTED_FILE, STORE_EXCEPTION, STORE_CRC_ERROR, STORE_FAILED, STORE_INVALID_FILE}) {
    storage_.SetSeams({.openReader = [result](const std::string&, CVTDataFileAccess** reader) {
      *reader = nullptr;
      return result;
    }});
    EXPECT_EQ(Import(source), result);
  }
  for (FakeReader::Fail fail : {FakeReader::Channel, FakeReader::Group, FakeReader::Message,
                                FakeReader::Alarm, FakeReader::BatchText, FakeReader::Comment}) {
    storage_.SetSeams({.openReader = [fail](const std::string& path, CVTDataFileAccess** reader) {
      *reader = new FakeReader(fail);
      return (*reader)->Open(path);
    }});
    EXPECT_EQ(Import(source), STORE_INVALID_FILE) << fail;
  }
  EXPECT_EQ(IndexDump(), before);
  EXPECT_TRUE(StoredFiles().empty());
  // The fake reader itself imports.
  storage_.SetSeams({.openReader = [](const std::string& path, CVTDataFileAccess** reader) {
    *reader = new FakeReader(FakeReader::None);
    return (*reader)->Open(path);
  }});
  EXPECT_EQ(Import(source), STORE_OK);
  EXPECT_EQ(Query("SELECT inst_serial_no, COUNT(*) FROM tag, file USING (file_id);"), "FAKE1|2\n");
}

TEST_F(ImportTest, SameDataUnderAnotherNameSerialOrKindIsImportedAlready) {
  recgen::SizedOptions base;
  base.startDataNo = 100;
  base.memStartDataNo = 50;
  base.triggerDataNo = 120;
  std::string first;
  ASSERT_EQ(Import(Newer("A.DAE", base), &first), STORE_OK);
  // The same data under another name, another serial or another kind is the same data.
  recgen::SizedOptions otherSerial = base;
  otherSerial.serial = "OTHER";
  for (const std::string& path :
       {Newer("B.DAE", base), Newer("C.DAE", otherSerial), Newer("D.DAD", base, 2)}) {
    std::string copy;
    EXPECT_EQ(Import(path, &copy), STORE_IMPORTED_ALREADY) << path;
    EXPECT_EQ(copy, first);
  }
}

TEST_F(ImportTest, EachOfTheSixIdentityValuesChangedAloneMakesOtherData) {
  const std::string source = Newer("A.DAE", {});
  auto importAs = [&](FakeReader::Identity identity) {
    storage_.SetSeams({.openReader = [identity](const std::string& path, CVTDataFileAccess** reader) {
      auto* fake = new FakeReader(FakeReader::None);
      fake->identity = identity;
      fake->manual = true;  // every file a batch of its own
      *reader = fake;
      return fake->Open(path);
    }});
    std::string copy;
    int rc = Import(source, &copy);
    return std::make_pair(rc, copy);
  };
  const FakeReader::Identity base;
  auto [first, firstCopy] = importAs(base);
  ASSERT_EQ(first, STORE_OK);
  for (int k = 0; k < 6; ++k) {
    FakeReader::Identity other = base;
    if (k == 0) other.guid.data4[7] ^= 1;
    if (k == 1) other.startDataNo += 1;
    if (k == 2) other.endDataNo += 1;
    if (k == 3) other.memStartDataNo += 1;
    if (k == 4) other.triggerDataNo += 1;
    if (k == 5) other.triggerTime += 1;
    EXPECT_EQ(importAs(other).first, STORE_OK) << k;
  }
  auto [again, againCopy] = importAs(base);
  EXPECT_EQ(again, STORE_IMPORTED_ALREADY);
  EXPECT_EQ(againCopy, firstCopy);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), "7\n");
}

TEST_F(ImportTest, IndexSizeLimitComesFirstThenDiskSpaceThenTheLockTest) {
  const std::string source = Newer("A.DAE", {});
  const std::string index = storage_.GetIndexPath();
  uint64_t freeBytes = 1ull << 40;
  storage_.SetSeams({.freeSpace = [&freeBytes](uint64_t& out) {
    out = freeBytes;
    return true;
  }});
  // A sparse index of exactly 2 GiB is refused; the engine ignores bytes past its pages.
  std::filesystem::resize_file(index, 0x80000000);
  freeBytes = 0;
  EXPECT_EQ(Import(source), STORE_INDEX_FILE_LIMIT);
  std::filesystem::resize_file(index, 0x7FFFFFFF);
  EXPECT_EQ(Import(source), STORE_DISK_FULL);
  freeBytes = MIN_FREE_DISK_BYTES;
  EXPECT_EQ(Import(source), STORE_DISK_FULL);
  storage_.SetSeams({.freeSpace = [](uint64_t&) { return false; }});  // unknown: full
  EXPECT_EQ(Import(source), STORE_DISK_FULL);
  EXPECT_TRUE(StoredFiles().empty());
  freeBytes = MIN_FREE_DISK_BYTES + 1;
  storage_.SetSeams({.freeSpace = [&freeBytes](uint64_t& out) {
    out = freeBytes;
    return true;
  }});
  EXPECT_EQ(Import(source), STORE_OK);
  // Checked on our own connection: a copy for the shell would copy all 2 GiB.
  auto check = storage_.GetConnection()->CreateStatement();
  std::string verdict;
  ASSERT_EQ(check->Prepare("PRAGMA integrity_check;"), RDB_OK);
  ASSERT_EQ(check->Execute(), RDB_OK);
  ASSERT_EQ(check->Fetch(), RDB_ROW);
  check->GetText(0, verdict);
  EXPECT_EQ(verdict, "ok");
}

// Holds an advisory lock of the kind given in args[1] on args[0] until args[2] exists; args[0]
// + ".held" tells the parent the lock is taken.
VT_TEST_CHILD(HoldLock) {
  const std::string kind = args.at(1);
  int fd = ::open(args.at(0).c_str(), kind == "fcntl-write" ? O_RDWR : O_RDONLY);
  if (fd < 0) return 2;
  bool locked = false;
  if (kind == "flock-exclusive") locked = ::flock(fd, LOCK_EX) == 0;
  if (kind == "flock-shared") locked = ::flock(fd, LOCK_SH) == 0;
  if (kind == "fcntl-read" || kind == "fcntl-write") {
    struct flock fl {};
    fl.l_type = kind == "fcntl-read" ? F_RDLCK : F_WRLCK;
    fl.l_whence = SEEK_SET;
    locked = ::fcntl(fd, F_SETLK, &fl) == 0;
  }
  if (!locked) return 3;
  vt_test::WriteFileBytes(args.at(0) + ".held", "");
  for (int i = 0; i < 1000 && !vt::PathExists(args.at(2)); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return 0;
}

TEST_F(ImportTest, AFileAnotherProcessHasLockedIsAShareViolationAndWritesNothing) {
  const std::string source = Newer("A.DAE", {});
  const std::string before = IndexDump();
  for (const char* kind : {"flock-exclusive", "flock-shared", "fcntl-read", "fcntl-write"}) {
    const std::string release = Path(std::string("release-") + kind);
    vt::DeleteFile(source + ".held");
    pid_t child = vt_test::SpawnChild("HoldLock", {source, kind, release});
    ASSERT_GT(child, 0);
    for (int i = 0; i < 1000 && !vt::PathExists(source + ".held"); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(Import(source), STORE_SHARE_VIOLATION) << kind;
    // A full disk is found before the lock test.
    storage_.SetSeams({.freeSpace = [](uint64_t& out) {
      out = 0;
      return true;
    }});
    EXPECT_EQ(Import(source), STORE_DISK_FULL) << kind;
    storage_.SetSeams({});
    vt_test::WriteFileBytes(release, "");
    EXPECT_EQ(vt_test::WaitChild(child), 0) << kind;
  }
  EXPECT_EQ(IndexDump(), before);
  EXPECT_TRUE(StoredFiles().empty());
  EXPECT_EQ(Import(source), STORE_OK);  // released
}

TEST_F(ImportTest, TheThreeHundredFirstInstrumentIsRefusedButStoredOnesStillImport) {
  std::string sql = "BEGIN;";
  for (int i = 0; i < 299; ++i)
    sql += "INSERT INTO instrument VALUES('I" + std::to_string(i) + "', 'T', '', 'N');";
  Sql(sql + "COMMIT;");
  recgen::SizedOptions a;
  a.serial = "NEW1";
  std::string aCopy;
  ASSERT_EQ(Import(Newer("A.DAE", a), &aCopy), STORE_OK);  // the 300th
  recgen::SizedOptions b;
  b.serial = "NEW2";
  b.guid.data1 = 2;
  const std::string before = IndexDump();
  EXPECT_EQ(Import(Newer("B.DAE", b)), STORE_INSTRUMENT_LIMIT);
  EXPECT_EQ(IndexDump(), before);
  // A stored instrument's next file, and the same data again, are not limited.
  recgen::SizedOptions next = a;
  next.startDataNo = 1000;
  next.guid.data1 = 3;
  EXPECT_EQ(Import(Newer("C.DAE", next)), STORE_OK);
  std::string copy;
  EXPECT_EQ(Import(Newer("D.DAE", a), &copy), STORE_IMPORTED_ALREADY);
  EXPECT_EQ(copy, aCopy);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM instrument;"), "300\n");
}

TEST_F(ImportTest, NameClashesGetSuffixesAndTheMonthIsTheUtcMonthOfTheEnd) {
  vt_test::ScopedTimeZone zone("Asia/Tokyo");
  recgen::SizedOptions o;
  o.records = 10;
  o.startSeconds = 1706745590;  // the last record at 2024-01-31 23:59:59 UTC (February in Tokyo)
  std::vector<std::string> copies;
  for (int k = 0; k < 3; ++k) {
    recgen::SizedOptions each = o;
    each.startDataNo = 1 + 100 * k;
    each.startFactor = each.stopFactor = 1;
    const std::string folder = vt::JoinPath(sources_, std::to_string(k));
    vt::CreateFolders(folder);
    std::string source = vt::JoinPath(folder, "A.DAE");
    std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(each)).bytes;
    vt_test::WriteFileBytes(source, std::string(bytes.begin(), bytes.end()));
    std::string copy;
    ASSERT_EQ(storage_.ImportFile(source, &copy), STORE_OK);
    copies.push_back(copy);
  }
  EXPECT_EQ(copies,
            (std::vector<std::string>{"FILES/S5T812345/2024/1/A.DAE", "FILES/S5T812345/2024/1/A-VT-1.DAE",
                                      "FILES/S5T812345/2024/1/A-VT-2.DAE"}));
  EXPECT_EQ(Query("SELECT DISTINCT file_name FROM file;"), "A.DAE\n");
  for (const std::string& c : copies) EXPECT_TRUE(vt::IsReadOnly(vt::JoinPath(folder_, c))) << c;
}

TEST_F(ImportTest, ASerialNumberThatIsNoSafeFolderNameIsAnInvalidFile) {
  const std::string before = IndexDump();
  int k = 0;
  for (const char* serial : {"..", ".", "A/B", "../X", "A\\B", "C:", "A*", "TAB\t"}) {
    recgen::SizedOptions o;
    o.serial = serial;
    EXPECT_EQ(Import(Newer("S" + std::to_string(k++) + ".DAE", o)), STORE_INVALID_FILE) << serial;
  }
  EXPECT_EQ(IndexDump(), before);
  EXPECT_TRUE(StoredFiles().empty());
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, "X")));
  std::string path;
  EXPECT_EQ(storage_.NewFilePath("FILES", "..", "A.DAE", path, TickTime(0)), STORE_INVALID_FILE);
  for (const char* serial : {"S5T812345", "A.B", "..A", "x y"})
    EXPECT_TRUE(CVTDataStorage::IsSafeFolderName(serial));
}

TEST_F(ImportTest, AFolderThatCannotBeMadeIsACopyErrorAndRollsBack) {
  const std::string source = Newer("A.DAE", {});
  ASSERT_TRUE(vt_test::WriteFileBytes(vt::JoinPath(folder_, "FILES/S5T812345"), "a file in the way"));
  const std::string before = IndexDump();
  EXPECT_EQ(Import(source), STORE_COPY_ERROR);
  EXPECT_EQ(IndexDump(), before);
}

TEST_F(ImportTest, AFailedCommitUndoesTheCopyAndIsReported) {
  const std::string source = Newer("A.DAE", {});
  ASSERT_EQ(storage_.GetConnection()->Execute("PRAGMA busy_timeout = 0;"), RDB_OK);
  // A reader on another connection, holding its read transaction open, blocks the commit.
  auto other = NewRDBConnection("SQLite");
  ASSERT_EQ(other->Open(storage_.GetIndexPath()), RDB_OK);
  std::unique_ptr<CRDBStatement> reading;
  storage_.SetSeams({.onImportStep = [&](ImportStep step) {
    if (step != ImportStep::CopyInPlace) return;
    reading = other->CreateStatement();
    ASSERT_EQ(reading->Prepare("SELECT * FROM sqlite_master;"), RDB_OK);
    ASSERT_EQ(reading->Execute(), RDB_OK);
  }});
  std::string copy = "unchanged";
  EXPECT_EQ(Import(source, &copy), STORE_FAILED);
  EXPECT_EQ(copy, "unchanged");
  reading.reset();
  EXPECT_TRUE(StoredFiles().empty());
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), "0\n");
  // The connection is usable again: the next import is whole.
  storage_.SetSeams({});
  EXPECT_EQ(Import(source, &copy), STORE_OK);
  EXPECT_EQ(StoredFiles(), std::vector<std::string>{copy});
}

TEST_F(ImportTest, InPlaceIndexingUsesThePathBelowTheStorage) {
  const std::string source = Newer("A.DAE", {});
  const std::string placed = vt::JoinPath(folder_, "FILES/S5T812345/2023/11/A.DAE");
  ASSERT_TRUE(vt::CreateFolders(std::string(vt::ParentPath(placed))));
  ASSERT_TRUE(vt::CopyFile(source, placed, true));
  std::string copy;
  ASSERT_EQ(storage_.GetConnection()->BeginTransaction(), RDB_OK);
  EXPECT_EQ(storage_.ImportDataFile(nullptr, placed, true), STORE_FAILED);
  EXPECT_EQ(storage_.ImportDataFile(&copy, source, true), STORE_FAILED);  // not below the storage
  EXPECT_EQ(storage_.ImportDataFile(&copy, placed, true), STORE_OK);
  ASSERT_EQ(storage_.GetConnection()->Commit(), RDB_OK);
  EXPECT_EQ(copy, "FILES/S5T812345/2023/11/A.DAE");
  EXPECT_EQ(Query("SELECT file_path FROM file;"), copy + "\n");
}

TEST_F(ImportTest, OlderFormatFilesImportToo) {
  vt_test::ScopedTimeZone zone("UTC");
  recgen::SizedOptions o;
  o.serial = "OLD1";
  o.records = 20;
  o.startSeconds = 1688212800;  // 2023-07-01 12:00 UTC
  std::string copy;
  ASSERT_EQ(Import(Source("A.DEV", recgen::SizedOlderModel(o)), &copy), STORE_OK);
  EXPECT_EQ(copy, "FILES/OLD1/2023/7/A.DEV");
  EXPECT_EQ(Query("SELECT start_data_no, end_data_no FROM file;"), "1|20\n");
}

// Groups the index cannot hold as the file lists them (a channel twice in one group, two groups
// of one number) refuse the file once as invalid and store nothing; groups it can hold (one
// channel in two groups, a number repeated by a group that shows nothing) are stored so that
// the check finds the storage sound.
TEST_F(ImportTest, GroupsTheIndexCannotHoldRefuseTheFileAndTheRestCheckSound) {
  // Places by channel position (0-based) in the generated file; -1 leaves a place empty.
  struct SGroup {
    int16_t number;
    std::vector<int> positions;
    int16_t inUse = 1;
  };
  struct SCase {
    const char* name;
    bool repeatChannel = false, repeatNumber = false;
    std::vector<SGroup> groups;  // empty: the generator's own groups
    int result;
  };
  const SCase cases[] = {
      {"channel twice", true, false, {}, STORE_INVALID_FILE},
      {"number twice", false, true, {}, STORE_INVALID_FILE},
      {"channel twice, apart", false, false, {{3, {1, 0, 1}}}, STORE_INVALID_FILE},
      {"channel in two groups", false, false, {{1, {0, 1}}, {2, {0}}}, STORE_OK},
      {"number of a group not in use", false, false, {{1, {0}}, {1, {1}, 0}}, STORE_OK},
      {"number of an empty group", false, false, {{1, {0}}, {1, {-1, -1}}}, STORE_OK},
  };
  const std::string before = IndexDump() + Query("SELECT COUNT(*) FROM display_channel;");
  int stored = 0;
  uint32_t recording = 100;
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    recgen::SizedOptions o;
    o.guid.data1 = ++recording;
    o.repeatGroupChannel = c.repeatChannel;
    o.repeatGroupNumber = c.repeatNumber;
    recgen::NewerFile model = recgen::SizedNewerFile(o);
    if (!c.groups.empty()) {
      model.groups.clear();
      for (const SGroup& g : c.groups) {
        recgen::NewerGroup group;
        group.number = g.number;
        group.inUse = g.inUse;
        group.name = "G" + std::to_string(g.number);
        for (std::size_t j = 0; j < g.positions.size(); ++j)
          if (g.positions[j] >= 0) group.places[j] = model.channels[std::size_t(g.positions[j])].number;
        model.groups.push_back(group);
      }
    }
    ASSERT_EQ(Import(Source(std::string(c.name) + ".DAE", model)), c.result);
    if (c.result == STORE_OK) ++stored;
    if (stored == 0) {
      EXPECT_EQ(IndexDump() + Query("SELECT COUNT(*) FROM display_channel;"), before);
      EXPECT_TRUE(StoredFiles().empty());
    }
  }
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), std::to_string(stored) + "\n");
  EXPECT_EQ(Query("SELECT group_no, COUNT(*) FROM display_channel GROUP BY file_id, group_no;"),
            "1|2\n2|1\n1|1\n1|1\n");
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
  std::string status;
  ASSERT_EQ(storage_.GetStatus(status), STORE_OK);
  EXPECT_EQ(status, "OK");
}

// Two files of one name and month, and names a user may give: every copy keeps an extension the
// reader knows, so check, rebuild and the deleted data handle them all.
TEST_F(ImportTest, SameNamedFilesStayReadableThroughCheckTrashRestoreAndRebuild) {
  std::vector<std::string> sources;
  for (int k = 0; k < 3; ++k) {
    recgen::SizedOptions o;
    o.guid.data1 = uint32_t(100 + k);
    const std::string folder = vt::JoinPath(sources_, std::to_string(k));
    ASSERT_TRUE(vt::CreateFolders(folder));
    sources.push_back(Newer(std::to_string(k) + "/A.DAE", o));
  }
  recgen::SizedOptions x;
  x.guid.data1 = 200;
  const std::string odd = Newer("x.-VT-1.DAE", x);  // a user's name that looks like ours

  const std::string month = "FILES/S5T812345/2023/11/";
  std::string copy;
  ASSERT_EQ(Import(sources[0], &copy), STORE_OK);
  ASSERT_EQ(Import(sources[1], &copy), STORE_OK);
  EXPECT_EQ(copy, month + "A-VT-1.DAE");
  ASSERT_EQ(Import(odd, &copy), STORE_OK);
  EXPECT_EQ(copy, month + "x.-VT-1.DAE");
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);

  // The same name twice among the deleted data.
  ASSERT_EQ(storage_.MoveFileToTrash(month + "A.DAE"), STORE_OK);
  ASSERT_EQ(Import(sources[2], &copy), STORE_OK);
  EXPECT_EQ(copy, month + "A.DAE");
  ASSERT_EQ(storage_.MoveFileToTrash(month + "A.DAE"), STORE_OK);
  EXPECT_EQ(Query("SELECT file_path, file_name FROM trash ORDER BY file_path;"),
            "TRASH/S5T812345/2023/11/A-VT-1.DAE|A.DAE\nTRASH/S5T812345/2023/11/A.DAE|A.DAE\n");
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
  for (const char* deleted : {"TRASH/S5T812345/2023/11/A.DAE", "TRASH/S5T812345/2023/11/A-VT-1.DAE"})
    EXPECT_EQ(storage_.RestoreFile(deleted, &copy), STORE_OK) << deleted;
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);

  // A rebuild finds every file readable and keeps it in FILES under its name.
  const std::string files = Query("SELECT file_path, file_name FROM file ORDER BY file_path;");
  EXPECT_EQ(files, month + "A-VT-1.DAE|A.DAE\n" + month + "A-VT-2.DAE|A.DAE\n" + month + "A.DAE|A.DAE\n" +
                       month + "x.-VT-1.DAE|x.-VT-1.DAE\n");
  ASSERT_EQ(storage_.RebuildIndex("Main"), STORE_OK);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  EXPECT_EQ(Query("SELECT file_path FROM file ORDER BY file_path; SELECT COUNT(*) FROM trash;"),
            month + "A-VT-1.DAE\n" + month + "A-VT-2.DAE\n" + month + "A.DAE\n" + month + "x.-VT-1.DAE\n0\n");
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
}

// Stored files that an older version named with the suffix after the extension.
TEST_F(ImportTest, CopiesNamedTheOldWayAreStillReadAndRestored) {
  recgen::SizedOptions o;
  const std::string source = Newer("A.DAE", o);
  const std::string old = "FILES/S5T812345/2023/11/A.DAE.-VT-1";
  ASSERT_TRUE(vt::CreateFolders(std::string(vt::ParentPath(vt::JoinPath(folder_, old)))));
  ASSERT_TRUE(vt::CopyFile(source, vt::JoinPath(folder_, old), true));
  ASSERT_EQ(storage_.RebuildIndex("Main"), STORE_OK);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  EXPECT_EQ(Query("SELECT file_path, file_name FROM file;"), old + "|A.DAE\n");
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
  ASSERT_EQ(storage_.MoveFileToTrash(old), STORE_OK);
  EXPECT_EQ(Query("SELECT file_name, start_data_no FROM trash;"), "A.DAE|1\n");
  std::string copy;
  EXPECT_EQ(Import(source, &copy), STORE_IN_TRASH);  // the deleted copy is known by its data
  ASSERT_EQ(storage_.RestoreFile(copy, &copy), STORE_OK);
  EXPECT_EQ(copy, "FILES/S5T812345/2023/11/A.DAE");
  EXPECT_TRUE(SameFile(vt::JoinPath(folder_, copy), source));
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
}

// Names a Linux file system allows: up to 255 bytes, a backslash as any other character, and
// bytes that are no UTF-8 (which the index, being text, gets replaced).
TEST_F(ImportTest, NamesTheFileSystemAllowsImportAndTheIndexStaysUtf8) {
  const std::string longName = std::string(251, 'N') + ".DAE";
  const struct {
    std::string name;
    std::string stored;
  } cases[] = {
      {longName, longName},
      {"back\\slash.DAE", "back\\slash.DAE"},
      {"bad\xFF\xFE.DAE", "bad\xEF\xBF\xBD\xEF\xBF\xBD.DAE"},
  };
  uint32_t n = 0;
  for (const auto& c : cases) {
    recgen::SizedOptions o;
    o.guid.data1 = ++n;
    std::string copy;
    ASSERT_EQ(Import(Newer(c.name, o), &copy), STORE_OK) << c.name;
    EXPECT_EQ(copy, "FILES/S5T812345/2023/11/" + c.stored);
    EXPECT_TRUE(vt::FileExists(vt::JoinPath(folder_, copy)));
    EXPECT_EQ(Query("SELECT file_name FROM file WHERE file_id = " + std::to_string(n) + ";"),
              c.stored + "\n");
  }
  // The long name once more, other data: its suffixed name stays within the limit.
  recgen::SizedOptions o;
  o.guid.data1 = 99;
  const std::string again = vt::JoinPath(sources_, "again");
  ASSERT_TRUE(vt::CreateFolders(again));
  std::string copy;
  ASSERT_EQ(Import(Newer("again/" + longName, o), &copy), STORE_OK);
  EXPECT_EQ(copy, "FILES/S5T812345/2023/11/" + std::string(246, 'N') + "-VT-1.DAE");
  EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
}

// A source that another program changes while it is imported: what is stored is what the reader
// checked, or nothing at all; never a copy of other bytes reported as stored.
TEST_F(ImportTest, ASourceChangedDuringItsImportIsASharingViolationAndStoresNothing) {
  recgen::SizedOptions o;
  o.records = 2000;
  const std::string source = Newer("A.DAE", o);
  const std::string whole = vt_test::ReadFileBytes(source);
  const struct {
    const char* what;
    std::function<void()> change;
  } cases[] = {
      {"truncated", [&] { std::filesystem::resize_file(source, whole.size() / 2); }},
      {"grown", [&] { vt_test::WriteFileBytes(source, whole + whole); }},
      {"rewritten",
       [&] {
         std::string other = whole;
         other[other.size() / 2] ^= 1;
         vt_test::WriteFileBytes(source, other);
       }},
  };
  const std::string before = IndexDump();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(vt_test::WriteFileBytes(source, whole));
    // The file changes once the reader has opened (and checked) what it reads.
    storage_.SetSeams({.openReader = [&](const std::string& path, CVTDataFileAccess** reader) {
      const int rc = CreateFileAccess(path, reader);
      c.change();
      return rc;
    }});
    std::string copy = "unchanged";
    EXPECT_EQ(Import(source, &copy), STORE_SHARE_VIOLATION);
    EXPECT_EQ(copy, "unchanged");
    EXPECT_EQ(IndexDump(), before);
    EXPECT_TRUE(StoredFiles().empty());
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, ".import.DAE")));
  }
  // Left alone, the file imports whole.
  storage_.SetSeams({});
  ASSERT_TRUE(vt_test::WriteFileBytes(source, whole));
  std::string copy;
  ASSERT_EQ(Import(source, &copy), STORE_OK);
  EXPECT_TRUE(SameFile(vt::JoinPath(folder_, copy), source));
}

}  // namespace

// The import worker over generated recorder files: what an automatic run over a folder tree
// imports, books and logs; that later runs import nothing new; a stop, a full disk and an index
// of another version end or empty a run; manual and file-open runs restore deleted data; the
// converter is asked exactly for the new files of folders that want it; a damaged import list
// is made anew.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/TimeEngine.h"
#include "recorder/FileAccessFactory.h"
#include "store/CVTImportManager.h"
#include "store/StoreClock.h"

namespace {

using namespace std::chrono_literals;
using store_test::Shell;
using store_test::StandardCopy;

struct SDone {
  int mode;
  int added;
  int lastResult;
  std::string copyPath;
};

struct SConvertCall {
  std::string source;
  std::string destination;
  int format;
};

class ImportWorkerTest : public store_test::ImportFixture {
 protected:
  void SetUp() override {
    ImportFixture::SetUp();
    ASSERT_EQ(workerStorage_.SetPaths(folder_), STORE_OK);
    worker_.SetStorage(&workerStorage_);
    worker_.SetBasePath(root_);
    worker_.SetFolderTable(table_);
    worker_.SetCallback(&ImportWorkerTest::OnDone, this);
    // The files a test writes count as settled: the worker's clock runs a minute ahead.
    worker_.SetClock([this] { return TickTime(CurrentTickTime().ticks + clockAhead_); });
    worker_.SetConverter([this](const std::string& source, const std::string& destination, int format,
                                std::vector<std::string>& written) {
      converts_.push_back({source, destination, format});
      if (vt::FileNamePart(source).find("NOCONV") != std::string_view::npos) return 5;
      written.push_back(source + (format == vt::IMPORT_CONVERT_WORKBOOK ? ".xls" : ".txt"));
      written.push_back(source + ".2");
      return 0;
    });
  }
  void TearDown() override {
    worker_.Stop();
    ImportFixture::TearDown();
  }

  static void OnDone(void* self) {
    auto* test = static_cast<ImportWorkerTest*>(self);
    test->done_.push_back({test->worker_.GetMode(), test->worker_.GetAddedCount(),
                           test->worker_.GetLastResult(), test->worker_.GetCopyPath()});
  }

  // A good file of its own recording n below the source folder.
  std::string Good(const std::string& relative, uint32_t n) {
    recgen::SizedOptions o;
    o.records = 10;
    o.guid.data1 = n;
    const std::string path = vt::JoinPath(sources_, relative);
    vt::CreateFolders(std::string(vt::ParentPath(path)));
    std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes;
    EXPECT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    return path;
  }

  void Run(int mode) {
    worker_.SetMode(mode);
    ASSERT_TRUE(worker_.Start());
    for (int i = 0; i < 20000 && !worker_.IsIdle(); ++i) std::this_thread::sleep_for(1ms);
    ASSERT_TRUE(worker_.IsIdle());
  }
  void RunFiles(int mode, const std::vector<std::string>& files) {
    worker_.SetFileCount(int(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) worker_.SetFile(int(i), files[i]);
    Run(mode);
  }

  // The log lines written since the last call, without their date and time and CR LF.
  // The log of the storage's database name (a storage whose name cannot be read logs into the
  // log folder itself).
  std::vector<std::string> NewLogLines(const std::string& folder = "Morvane/Vantrel/LOG/Main") {
    std::vector<vt::FolderEntry> entries;
    vt::ListFolder(Path(folder), entries);
    std::erase_if(entries, [](const vt::FolderEntry& e) { return e.isFolder; });
    EXPECT_EQ(entries.size(), 1u);
    if (entries.size() != 1) return {};
    const std::string text = vt_test::ReadFileBytes(Path(folder + "/" + entries[0].name));
    std::vector<std::string> lines;
    for (std::size_t at = logRead_; at < text.size();) {
      std::size_t end = text.find("\r\n", at);
      EXPECT_NE(end, std::string::npos);
      if (end == std::string::npos) break;
      EXPECT_EQ(text.substr(at + 19, 2), "  ");
      lines.push_back(text.substr(at + 21, end - at - 21));
      at = end + 2;
    }
    logRead_ = text.size();
    return lines;
  }

  std::string ListRows() {
    return Shell(StandardCopy(vt::JoinPath(folder_, "importlist.db")),
                 "SELECT file_path, copy_path, status FROM import_file ORDER BY file_path;");
  }
  std::string Src(const std::string& relative) { return vt::JoinPath(sources_, relative); }

  CVTDataStorage workerStorage_;
  CVTImportManager worker_;
  vt::SAutoImportFolder table_[AUTO_IMPORT_FOLDER_COUNT];
  std::vector<SDone> done_;
  std::vector<SConvertCall> converts_;
  std::size_t logRead_ = 0;
  int64_t clockAhead_ = 60 * vt::kTicksPerSecond;
};

TEST_F(ImportWorkerTest, AutomaticRunsImportEachNewFileOnceAndBookEveryOutcome) {
  const std::string a = Good("A.DAE", 1);
  recgen::WrittenNewerFile broken = recgen::WriteNewerFile(recgen::SizedNewerFile({}));
  broken.BreakCrc(broken.regions.back().name);
  ASSERT_TRUE(vt_test::WriteFileBytes(Src("CRC.DAE"), std::string(broken.bytes.begin(), broken.bytes.end())));
  ASSERT_TRUE(vt_test::WriteFileBytes(Src("DUP.DAE"), vt_test::ReadFileBytes(a)));
  // T.DAE lies among the deleted data already.
  const std::string t = Good("T.DAE", 3);
  std::string tCopy;
  ASSERT_EQ(Import(t, &tCopy), STORE_OK);
  ASSERT_EQ(storage_.MoveFileToTrash(tCopy), STORE_OK);
  Good("X.DAE.BAKE", 4);  // a data-file name; the reader refuses it
  ASSERT_TRUE(vt_test::WriteFileBytes(Src("notes.txt"), "not a data file"));
  Good("Y.DAE.-VT-1", 5);  // does not end in the extension's letter
  Good("sub/deeper/b.dae", 2);

  table_[3] = {true, false, sources_, vt::AUTO_IMPORT_CONVERT_NONE};
  table_[5] = {false, true, sources_, vt::AUTO_IMPORT_CONVERT_NONE};  // not in use
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "I[10301] : IMPORT: FILE=" + a,
                               "E[10304] : IMPORT ERROR [CRC ERROR] FILE= " + Src("CRC.DAE"),
                               "E[10302] : IMPORT ERROR [IMPORTED ALREADY] FILE=" + Src("DUP.DAE"),
                               "E[10302] : IMPORT ERROR [IMPORTED ALREADY] FILE=" + t,
                               "E[10306] : IMPORT ERROR [OPEN ERROR] FILE= " + Src("X.DAE.BAKE"),
                               "I[10316] : FINISH IMPORT",
                           }));
  const std::string aCopy = "FILES/S5T812345/2023/11/A.DAE";
  // Failures carry no copy path; the duplicate names the copy it duplicates; T is not booked.
  EXPECT_EQ(ListRows(), a + "|" + aCopy + "|1\n" + Src("CRC.DAE") + "||5\n" + Src("DUP.DAE") + "|" + aCopy +
                            "|4\n" + Src("X.DAE.BAKE") + "||7\n");
  EXPECT_EQ(Query("SELECT file_path FROM file ORDER BY file_path;"), aCopy + "\n");
  EXPECT_TRUE(store_test::SameFile(a, vt::JoinPath(folder_, aCopy)));
  ASSERT_EQ(done_.size(), 1u);
  EXPECT_EQ(done_[0].mode, IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(done_[0].added, 1);
  EXPECT_EQ(done_[0].lastResult, STORE_UNSUPPORTED_FILE);
  EXPECT_FALSE(workerStorage_.IsOpen());  // the session closed before the callback

  // With sub-folders: only the new file deep below; the deleted one is reported again.
  table_[3].withSubfolders = true;
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "E[10302] : IMPORT ERROR [IMPORTED ALREADY] FILE=" + t,
                               "I[10301] : IMPORT: FILE=" + Src("sub/deeper/b.dae"),
                               "I[10316] : FINISH IMPORT",
                           }));
  EXPECT_EQ(done_.back().added, 1);

  // Nothing new: no import at all, and a last result that is not the one of a former run.
  const std::string rows = ListRows();
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "E[10302] : IMPORT ERROR [IMPORTED ALREADY] FILE=" + t,
                               "I[10316] : FINISH IMPORT",
                           }));
  EXPECT_EQ(ListRows(), rows);
  EXPECT_EQ(done_.back().added, 0);
  EXPECT_EQ(done_.back().lastResult, -1);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), "2\n");
}

TEST_F(ImportWorkerTest, RunsWithoutFoldersOrInAnUnknownModeAreDisturbed) {
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT", "I[10317] : DISTURB IMPORT"}));
  table_[0] = {true, true, Path("no/such/folder"), vt::AUTO_IMPORT_CONVERT_NONE};  // missing: complete
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT", "I[10316] : FINISH IMPORT"}));
  Run(7);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"I[10317] : DISTURB IMPORT"}));
  EXPECT_EQ(done_.size(), 3u);
}

TEST_F(ImportWorkerTest, AStopEndsTheRunAfterTheFileInProgressWithoutItsConversion) {
  const std::string a = Good("A.DAE", 1);
  Good("B.DAE", 2);
  Good("C.DAE", 3);
  table_[0] = {true, false, sources_, vt::AUTO_IMPORT_CONVERT_WORKBOOK};
  std::atomic<bool> inImport{false}, release{false};
  workerStorage_.SetSeams({.onImportStep = [&](ImportStep step) {
    if (step != ImportStep::Begun) return;
    inImport = true;
    while (!release) std::this_thread::sleep_for(1ms);
  }});
  worker_.SetMode(IMPORT_MODE_AUTOMATIC);
  ASSERT_TRUE(worker_.Start());
  for (int i = 0; i < 20000 && !inImport; ++i) std::this_thread::sleep_for(1ms);
  ASSERT_TRUE(inImport);
  EXPECT_FALSE(worker_.Start());  // a second start while running is refused
  worker_.SetWaitHook([&] {
    release = true;
    std::this_thread::sleep_for(1ms);
  });
  worker_.Stop();
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT", "I[10301] : IMPORT: FILE=" + a,
                                      "I[10317] : DISTURB IMPORT"}));
  EXPECT_TRUE(converts_.empty());
  EXPECT_EQ(ListRows(), a + "|FILES/S5T812345/2023/11/A.DAE|1\n");
  ASSERT_EQ(done_.size(), 1u);
  EXPECT_EQ(done_[0].added, 1);
}

TEST_F(ImportWorkerTest, TheConverterIsAskedOnlyForNewFilesOfFoldersThatWantIt) {
  const std::string w = Good("W/A.DAE", 1);
  const std::string failing = Good("W/NOCONV.DAE", 2);
  const std::string txt = Good("T/B.DAE", 3);
  Good("N/C.DAE", 4);
  Good("OFF/D.DAE", 5);
  Good("M/E.DAE", 6);
  table_[0] = {true, false, Src("W"), vt::AUTO_IMPORT_CONVERT_WORKBOOK};
  table_[1] = {false, false, Src("OFF"), vt::AUTO_IMPORT_CONVERT_TEXT};
  table_[2] = {true, false, Src("N"), vt::AUTO_IMPORT_CONVERT_NONE};
  table_[7] = {true, false, Src("T") + "/", vt::AUTO_IMPORT_CONVERT_TEXT};
  Run(IMPORT_MODE_AUTOMATIC);
  ASSERT_EQ(converts_.size(), 3u);
  EXPECT_EQ(converts_[0].source, w);
  EXPECT_EQ(converts_[0].destination, Src("W") + "/");
  EXPECT_EQ(converts_[0].format, vt::IMPORT_CONVERT_WORKBOOK);
  EXPECT_EQ(converts_[1].source, failing);
  EXPECT_EQ(converts_[2].source, txt);
  EXPECT_EQ(converts_[2].destination, Src("T") + "/");
  EXPECT_EQ(converts_[2].format, vt::IMPORT_CONVERT_TEXT);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "I[10301] : IMPORT: FILE=" + w,
                               "I[10326] : CONVERT FILE=" + w + ".xls",
                               "I[10326] : CONVERT FILE=" + w + ".2",
                               "I[10301] : IMPORT: FILE=" + failing,
                               "E[10327] : CONVERT ERROR FILE=" + failing,
                               "I[10301] : IMPORT: FILE=" + Src("N/C.DAE"),
                               "I[10301] : IMPORT: FILE=" + txt,
                               "I[10326] : CONVERT FILE=" + txt + ".txt",
                               "I[10326] : CONVERT FILE=" + txt + ".2",
                               "I[10316] : FINISH IMPORT",
                           }));
  // Listed files are not converted again; manual imports are never converted.
  converts_.clear();
  Run(IMPORT_MODE_AUTOMATIC);
  worker_.SetFolder(Src("M"), false);
  Run(IMPORT_MODE_MANUAL);
  EXPECT_TRUE(converts_.empty());
  EXPECT_EQ(done_.back().added, 1);
}

TEST_F(ImportWorkerTest, ManualAndFileOpenRunsRestoreDeletedData) {
  const std::string t = Good("T.DAE", 3);
  const std::string stored = "FILES/S5T812345/2023/11/T.DAE";
  table_[0] = {true, false, sources_, vt::AUTO_IMPORT_CONVERT_NONE};
  Run(IMPORT_MODE_AUTOMATIC);
  NewLogLines();
  // What the main window does when it moves the stored copy to the deleted data.
  auto trash = [&] {
    ASSERT_EQ(storage_.MoveFileToTrash(stored), STORE_OK);
    CVTImportList list;
    ASSERT_EQ(list.Open(vt::JoinPath(folder_, "importlist.db")), 0);
    ASSERT_TRUE(list.SetTrashedStatus(stored));
  };
  trash();
  Run(IMPORT_MODE_AUTOMATIC);  // listed as deleted: left alone
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT", "I[10316] : FINISH IMPORT"}));

  worker_.SetFolder(sources_, false);
  Run(IMPORT_MODE_MANUAL);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10313] : START MANUAL IMPORT", "I[10324] : REVERSE: FILE=" + t,
                                      "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(ListRows(), t + "|" + stored + "|1\n");
  EXPECT_EQ(done_.back().added, 1);
  EXPECT_EQ(done_.back().copyPath, "");  // a folder scan leaves the worker's copy path alone
  EXPECT_TRUE(vt::FileExists(vt::JoinPath(folder_, stored)));

  trash();
  RunFiles(IMPORT_MODE_FILE_OPEN, {t});
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10315] : START FILE OPEN IMPORT", "I[10324] : REVERSE: FILE=" + t,
                                      "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_IN_TRASH);
  EXPECT_EQ(done_.back().copyPath, stored);

  // Stored already: nothing booked or logged, the stored copy is reported to be shown.
  RunFiles(IMPORT_MODE_FILE_OPEN, {t});
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10315] : START FILE OPEN IMPORT", "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_IMPORTED_ALREADY);
  EXPECT_EQ(done_.back().copyPath, stored);
  EXPECT_EQ(done_.back().added, 0);

  // A restore that fails reports its own failure and nothing to show.
  trash();
  ASSERT_TRUE(vt::DeleteFile(vt::JoinPath(folder_, "TRASH/S5T812345/2023/11/T.DAE")));
  RunFiles(IMPORT_MODE_FILE_OPEN, {t});
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10315] : START FILE OPEN IMPORT", "I[10316] : FINISH IMPORT"}));
  EXPECT_NE(done_.back().lastResult, STORE_OK);
  EXPECT_NE(done_.back().lastResult, STORE_IN_TRASH);
  EXPECT_EQ(done_.back().copyPath, "");
  EXPECT_EQ(ListRows(), t + "|" + stored + "|10\n");
}

// Each reader outcome books its status with no copy path and logs its line; the rest is not
// booked and is tried again next time.
TEST_F(ImportWorkerTest, OutcomesAreBookedAndLoggedByResult) {
  struct Case {
    int result;
    int status;  // 0: not booked
    std::string line;
  };
  const Case cases[] = {
      {STORE_UNSUPPORTED_FILE, 7, "E[10306] : IMPORT ERROR [OPEN ERROR] FILE= "},
      {STORE_EXCEPTION, 8, "E[10307] : IMPORT ERROR [EXCEPTION] FILE= "},
      {STORE_CRC_ERROR, 5, "E[10304] : IMPORT ERROR [CRC ERROR] FILE= "},
      {STORE_INVALID_FILE, 3, "E[10303] : IMPORT ERROR [INVALID FILE] FILE="},
      {STORE_FAILED, 0, "E[10322] : IMPORT ERROR [ERROR] FILE="},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    ++n;
    const std::string path = Good("F" + std::to_string(n) + ".DAE", uint32_t(n));
    workerStorage_.SetSeams({.openReader = [&c](const std::string&, CVTDataFileAccess** reader) {
      *reader = nullptr;
      return c.result;
    }});
    RunFiles(IMPORT_MODE_MANUAL, {path});
    EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"I[10313] : START MANUAL IMPORT", c.line + path,
                                                       "I[10316] : FINISH IMPORT"}));
    CVTImportList list;
    ASSERT_EQ(list.Open(vt::JoinPath(folder_, "importlist.db")), 0);
    EXPECT_EQ(list.GetStatus(path), c.status);
    EXPECT_EQ(done_.back().lastResult, c.result);
  }
  // A booked failure is never tried again, in any mode.
  workerStorage_.SetSeams({});
  RunFiles(IMPORT_MODE_FILE_OPEN, {Src("F1.DAE")});
  EXPECT_EQ(done_.back().lastResult, -1);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10315] : START FILE OPEN IMPORT", "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(Shell(StandardCopy(vt::JoinPath(folder_, "importlist.db")),
                  "SELECT COUNT(*) FROM import_file WHERE copy_path <> '';"),
            "0\n");
}

TEST_F(ImportWorkerTest, AFullDiskStopsTheRunAndLaterFoldersAreNotScanned) {
  Good("one/A.DAE", 1);
  Good("two/B.DAE", 2);
  Good("two/C.DAE", 3);
  Good("three/D.DAE", 4);
  table_[0] = {true, false, Src("one"), 0};
  table_[1] = {true, false, Src("two"), 0};
  table_[2] = {true, false, Src("three"), 0};
  int imports = 0;
  workerStorage_.SetSeams({.freeSpace = [&](uint64_t& bytes) {
    bytes = ++imports >= 2 ? MIN_FREE_DISK_BYTES : (1ull << 40);
    return true;
  }});
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT",
                                      "I[10301] : IMPORT: FILE=" + Src("one/A.DAE"),
                                      "E[10320] : IMPORT ERROR [DISK FULL]", "I[10317] : DISTURB IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_DISK_FULL);
  EXPECT_EQ(imports, 2);
  // Not booked: imported at the next run once there is room.
  workerStorage_.SetSeams({});
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(done_.back().added, 3);
}

TEST_F(ImportWorkerTest, TheInstrumentLimitMarksTheRunAndTheIndexLimitEndsIt) {
  std::string sql = "BEGIN;INSERT INTO instrument VALUES('S5T812345', 'T', '', 'N');";
  for (int i = 0; i < 299; ++i)
    sql += "INSERT INTO instrument VALUES('I" + std::to_string(i) + "', 'T', '', 'N');";
  Sql(sql + "COMMIT;");
  recgen::SizedOptions o;
  o.serial = "NEW1";
  o.guid.data1 = 7;
  const std::string a = Newer("A.DAE", o);
  const std::string b = Good("B.DAE", 2);  // an instrument stored already
  table_[0] = {true, false, sources_, 0};
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT",
                                      "E[10319] : IMPORT ERROR [LIMIT INSTRUMENTS] FILE= " + a,
                                      "I[10301] : IMPORT: FILE=" + b, "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_INSTRUMENT_LIMIT);  // whatever the later files did
  EXPECT_EQ(done_.back().added, 1);
  EXPECT_EQ(ListRows(), b + "|FILES/S5T812345/2023/11/B.DAE|1\n");

  // A sparse index of 2 GiB: the unbooked file meets the limit and the run ends there.
  storage_.Close();
  std::filesystem::resize_file(vt::JoinPath(folder_, "fileidx.db"), 0x80000000);
  Good("C.DAE", 3);
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT",
                                                     "E[10318] : IMPORT ERROR [LIMIT INDEX FILE]",
                                                     "I[10317] : DISTURB IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_INDEX_FILE_LIMIT);
}

// Sub-folders go as deep as the system allows, past the 260 characters of stored records; a
// folder reached again through a link (back up, or twice to one folder) is scanned once.
TEST_F(ImportWorkerTest, DeepFoldersImportAndAFolderReachedTwiceIsScannedOnce) {
  const std::string top = Path("t");
  std::string deep = top;
  while (deep.size() < 300) deep += "/d";
  ASSERT_TRUE(vt::CreateFolders(deep));
  const std::string far = deep + "/B.DAE";
  Good("B.DAE", 2);
  ASSERT_TRUE(vt::CopyFile(Src("B.DAE"), far, true));
  const std::string near = top + "/sub/A.DAE";
  ASSERT_TRUE(vt::CreateFolders(top + "/sub"));
  Good("A.DAE", 1);
  ASSERT_TRUE(vt::CopyFile(Src("A.DAE"), near, true));
  std::filesystem::create_directory_symlink(".", top + "/sub/here1");
  std::filesystem::create_directory_symlink(".", top + "/sub/here2");
  std::filesystem::create_directory_symlink(top, top + "/sub/up");
  table_[0] = {true, true, top, 0};
  table_[1] = {true, true, top + "/sub", 0};  // met already below the first folder
  // A scan that goes round would import the same file under ever longer paths: a full disk ends
  // such a run after a few files.
  int imports = 0;
  workerStorage_.SetSeams({.freeSpace = [&](uint64_t& bytes) {
    bytes = ++imports > 8 ? MIN_FREE_DISK_BYTES : (1ull << 40);
    return true;
  }});
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "I[10301] : IMPORT: FILE=" + far,
                               "I[10301] : IMPORT: FILE=" + near,
                               "I[10316] : FINISH IMPORT",
                           }));
  EXPECT_EQ(imports, 2);
}

// A path longer than the system takes cannot be scanned: the log says so, and the run goes on.
TEST_F(ImportWorkerTest, AFolderTooDeepForTheSystemIsLogged) {
  namespace fs = std::filesystem;
  const std::string top = Path("t");
  ASSERT_TRUE(vt::CreateFolders(top));
  const std::string a = top + "/A.DAE";
  ASSERT_TRUE(vt::CopyFile(Good("A.DAE", 1), a, true));
  // Made step by step from within, as no single path can name the deepest folders.
  const std::string name(200, 'd');
  const fs::path home = fs::current_path();
  fs::current_path(top);
  int levels = 0;
  std::string path = top;
  for (; path.size() < vt::kMaxSystemPath + 300; ++levels) {
    fs::create_directory(name);
    fs::current_path(name);
    path += "/" + name;
  }
  fs::current_path(home);
  std::string first = top;  // the first folder whose path the system refuses
  while (first.size() + 1 < vt::kMaxSystemPath) first += "/" + name;

  table_[0] = {true, true, top, 0};
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "I[10301] : IMPORT: FILE=" + a,
                               "E[10322] : IMPORT ERROR [ERROR] FILE=" + first,
                               "I[10316] : FINISH IMPORT",
                           }));
  // Taken down from within as well.
  fs::current_path(top);
  for (int i = 0; i < levels - 1; ++i) fs::current_path(name);
  for (int i = levels - 1; i >= 0; --i) {
    fs::remove(name);
    if (i > 0) fs::current_path("..");
  }
  fs::current_path(home);
}

// A file another program is still writing is not booked, whatever the reader made of it: it is
// tried again at the next run and then imported.
TEST_F(ImportWorkerTest, AFileStillBeingWrittenIsTriedAgainAtTheNextRun) {
  table_[0] = {true, false, sources_, 0};
  // Changed within the last two seconds.
  const std::string recent = Good("R.DAE", 1);
  clockAhead_ = vt::kTicksPerSecond;
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT",
                                      "E[10321] : IMPORT ERROR [SHARE VIOLATION] FILE=" + recent,
                                      "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_SHARE_VIOLATION);
  EXPECT_EQ(ListRows(), "");
  clockAhead_ = 3 * vt::kTicksPerSecond;
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(done_.back().added, 1);
  EXPECT_EQ(NewLogLines()[1], "I[10301] : IMPORT: FILE=" + recent);

  // Settled by its time, but written on while it is imported: the reader saw half a file.
  const std::string growing = Good("G.DAE", 2);
  const std::string whole = vt_test::ReadFileBytes(growing);
  ASSERT_TRUE(vt_test::WriteFileBytes(growing, whole.substr(0, whole.size() / 2)));
  ASSERT_TRUE(vt::SetModifiedTime(growing, 0));
  workerStorage_.SetSeams({.openReader = [&](const std::string& path, CVTDataFileAccess** reader) {
    const int rc = CreateFileAccess(path, reader);
    vt_test::WriteFileBytes(growing, whole);  // the writer goes on
    return rc;
  }});
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT",
                                      "E[10321] : IMPORT ERROR [SHARE VIOLATION] FILE=" + growing,
                                      "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(ListRows(), recent + "|FILES/S5T812345/2023/11/R.DAE|1\n");
  workerStorage_.SetSeams({});
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT",
                                      "I[10301] : IMPORT: FILE=" + growing, "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(ListRows(),
            growing + "|FILES/S5T812345/2023/11/G.DAE|1\n" + recent + "|FILES/S5T812345/2023/11/R.DAE|1\n");
}

// A source path that is no UTF-8 is logged as the index names it, with its bytes replaced.
TEST_F(ImportWorkerTest, ALogLineOfANameThatIsNoUtf8ShowsTheReplacement) {
  const std::string bad = Good("bad\xFF.DAE", 1);
  RunFiles(IMPORT_MODE_MANUAL, {bad});
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{"I[10313] : START MANUAL IMPORT",
                                                     "I[10301] : IMPORT: FILE=" + Src("bad\xEF\xBF\xBD.DAE"),
                                                     "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().copyPath, "FILES/S5T812345/2023/11/bad\xEF\xBF\xBD.DAE");
}

TEST_F(ImportWorkerTest, AnIndexOfAnotherVersionGetsNothing) {
  const std::string a = Good("A.DAE", 1);
  Sql("UPDATE database_info SET schema_version = '99';");
  RunFiles(IMPORT_MODE_MANUAL, {a});
  EXPECT_EQ(
      NewLogLines("Morvane/Vantrel/LOG"),
      (std::vector<std::string>{"I[10313] : START MANUAL IMPORT", "E[10322] : IMPORT ERROR [ERROR] FILE=" + a,
                                "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().lastResult, STORE_STORAGE_NOT_OPEN);
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), "0\n");
  EXPECT_EQ(ListRows(), "");
}

TEST_F(ImportWorkerTest, ADamagedImportListIsSetAsideAndMadeAnew) {
  const std::string a = Good("A.DAE", 1);
  const std::string list = vt::JoinPath(folder_, "importlist.db");
  ASSERT_TRUE(vt_test::WriteFileBytes(list, "this is no list"));
  table_[0] = {true, false, sources_, 0};
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"W[10328] : IMPORT LIST RECREATED FILE=" + list + ".damaged-1",
                                      "I[10314] : START AUTOMATIC IMPORT", "I[10301] : IMPORT: FILE=" + a,
                                      "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(vt_test::ReadFileBytes(list + ".damaged-1"), "this is no list");
  EXPECT_EQ(ListRows(), a + "|FILES/S5T812345/2023/11/A.DAE|1\n");
  Run(IMPORT_MODE_AUTOMATIC);  // listed now: the next run has nothing to do
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT", "I[10316] : FINISH IMPORT"}));
}

TEST(ImportWorkerNames, DataFilesAreKnownByTheirExtension) {
  const std::pair<const char*, bool> cases[] = {
      {"A.DAE", true}, {"a.dae", true},      {"B.DAD", true},        {"C.DEV", true},
      {"D.DDS", true}, {"X.DAE.BAKE", true}, {"A.DAE.-VT-1", false}, {"A.DAT", false},
      {"ADAE", false}, {"notes.txt", false}, {"A.DAE.OLD", false},   {"S.DDS.BAKS", true},
      {".DAE", true},  {"A.DEVICE", false},
  };
  for (const auto& [name, data] : cases) EXPECT_EQ(CVTImportManager::IsDataFileName(name), data) << name;
}

TEST_F(ImportWorkerTest, AFileListReplacesTheFolderAndTakesOnlyIndexesInside) {
  const std::string a = Good("A.DAE", 1);
  const std::string b = Good("B.DAE", 2);
  Good("C.DAE", 3);
  worker_.SetFolder(sources_, false);
  worker_.SetFileCount(2);  // empties the folder path
  worker_.SetFile(-1, Src("C.DAE"));
  worker_.SetFile(2, Src("C.DAE"));
  worker_.SetFile(0, b);
  worker_.SetFile(1, a);
  Run(IMPORT_MODE_MANUAL);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10313] : START MANUAL IMPORT", "I[10301] : IMPORT: FILE=" + b,
                                      "I[10301] : IMPORT: FILE=" + a, "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(done_.back().copyPath, "FILES/S5T812345/2023/11/A.DAE");  // the list's last file
  // The list ended with the run: an empty manual run imports nothing.
  Run(IMPORT_MODE_MANUAL);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10313] : START MANUAL IMPORT", "I[10316] : FINISH IMPORT"}));
}

// Files whose groups the index cannot hold are refused once: booked as invalid, logged, and not
// tried again by later automatic runs.
TEST_F(ImportWorkerTest, GroupsTheIndexCannotHoldAreBookedOnceAsInvalid) {
  auto write = [&](const std::string& name, uint32_t recording, bool channelTwice) {
    recgen::SizedOptions o;
    o.records = 10;
    o.guid.data1 = recording;
    o.repeatGroupChannel = channelTwice;
    o.repeatGroupNumber = !channelTwice;
    std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes;
    EXPECT_TRUE(vt_test::WriteFileBytes(Src(name), std::string(bytes.begin(), bytes.end())));
  };
  write("TWICE.DAE", 1, true);
  write("TWIN.DAE", 2, false);
  table_[0] = {true, false, sources_, vt::AUTO_IMPORT_CONVERT_NONE};
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(), (std::vector<std::string>{
                               "I[10314] : START AUTOMATIC IMPORT",
                               "E[10303] : IMPORT ERROR [INVALID FILE] FILE=" + Src("TWICE.DAE"),
                               "E[10303] : IMPORT ERROR [INVALID FILE] FILE=" + Src("TWIN.DAE"),
                               "I[10316] : FINISH IMPORT",
                           }));
  EXPECT_EQ(ListRows(), Src("TWICE.DAE") + "||3\n" + Src("TWIN.DAE") + "||3\n");
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines(),
            (std::vector<std::string>{"I[10314] : START AUTOMATIC IMPORT", "I[10316] : FINISH IMPORT"}));
  EXPECT_EQ(Query("SELECT COUNT(*) FROM file;"), "0\n");
}

// A file name that holds a line break cannot end its log line or forge another, and a storage
// whose name climbs out of the log folder still logs inside it.
TEST_F(ImportWorkerTest, HostileNamesStayInTheirLineAndInsideTheLogFolder) {
  Sql("UPDATE database_info SET database_name = '../../../x';");
  const std::string forged = Good("A\r\nE[10320] : IMPORT ERROR [DISK FULL].DAE", 1);
  table_[0] = {true, false, sources_, vt::AUTO_IMPORT_CONVERT_NONE};
  Run(IMPORT_MODE_AUTOMATIC);
  EXPECT_EQ(NewLogLines("Morvane/Vantrel/LOG/..%2F..%2F..%2Fx"),
            (std::vector<std::string>{
                "I[10314] : START AUTOMATIC IMPORT",
                "I[10301] : IMPORT: FILE=" + Src("A\\x0D\\x0AE[10320] : IMPORT ERROR [DISK FULL].DAE"),
                "I[10316] : FINISH IMPORT",
            }));
  EXPECT_FALSE(vt::PathExists(Path("x")));
  EXPECT_EQ(done_.back().added, 1);
}

}  // namespace

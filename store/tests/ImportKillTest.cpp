// An import run killed (SIGKILL) at each step of its file leaves an index that passes the engine's
// integrity check and the storage's own check and holds the file wholly or not at all; the next
// run completes it: the file is stored once, booked as imported, logged without an error, and no
// stray copy or temporary file is left. A retry that meets the complete copy a killed import left
// compares it with the file in bounded memory.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <thread>

#include "ImportTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/TimeEngine.h"
#include "store/CVTImportManager.h"
#include "store/StoreClock.h"

namespace {

using namespace std::chrono_literals;
using store_test::ImportFixture;
using store_test::SameFile;

// A worker on the storage folder, logging below the data root.
struct SWorker {
  SWorker(const std::string& storageFolder, const std::string& root) {
    storage.SetPaths(storageFolder);
    worker.SetStorage(&storage);
    worker.SetBasePath(root);
    // Files written by the test count as settled.
    worker.SetClock([] { return TickTime(CurrentTickTime().ticks + 60 * vt::kTicksPerSecond); });
  }
  void Run(int mode) {
    worker.SetMode(mode);
    if (!worker.Start()) return;
    for (int i = 0; i < 20000 && !worker.IsIdle(); ++i) std::this_thread::sleep_for(1ms);
  }
  CVTDataStorage storage;
  CVTImportManager worker;
};

// Runs a file-list import of args[1] into the storage at args[0], under the data root args[2],
// and kills itself at step args[3].
VT_TEST_CHILD(KilledImportRun) {
  SWorker run(args.at(0), args.at(2));
  const int stop = std::stoi(args.at(3));
  run.storage.SetSeams({.onImportStep = [stop](ImportStep step) {
    if (int(step) == stop) std::raise(SIGKILL);
  }});
  run.worker.SetFileCount(1);
  run.worker.SetFile(0, args.at(1));
  run.Run(IMPORT_MODE_MANUAL);
  return 3;
}

// Imports args[1] into the storage at args[0] with the address space limited to what the
// process has plus args[2] bytes: more than a few pieces of the file, less than the file twice.
VT_TEST_CHILD(ImportWithLittleMemory) {
  CVTDataStorage storage;
  if (storage.OpenAt(args.at(0)) != STORE_OK) return 2;
  std::ifstream statm("/proc/self/statm");
  uint64_t pages = 0;
  if (!(statm >> pages)) return 2;
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max =
      rlim_t(pages * uint64_t(::sysconf(_SC_PAGESIZE)) + std::stoull(args.at(2)));
  if (::setrlimit(RLIMIT_AS, &limit) != 0) return 2;
  std::string copy;
  return storage.ImportFile(args.at(1), &copy);
}

class ImportKillTest : public ImportFixture {
 protected:
  // Everything the operation log holds so far.
  std::string LogText() {
    const std::string folder = Path("Morvane/Vantrel/LOG/Main");
    std::vector<vt::FolderEntry> entries;
    vt::ListFolder(folder, entries);
    std::string text;
    for (const vt::FolderEntry& e : entries) text += vt_test::ReadFileBytes(vt::JoinPath(folder, e.name));
    return text;
  }
};

TEST_F(ImportKillTest, AKilledRunLeavesTheFileWhollyOrNotAtAllAndTheNextRunBooksIt) {
  recgen::SizedOptions o;
  o.records = 2000;
  const std::string source = Newer("A.DAE", o);
  const std::string expected = "FILES/S5T812345/2023/11/A.DAE";
  const std::string list = vt::JoinPath(folder_, kImportListFileName);
  vt::SAutoImportFolder table[AUTO_IMPORT_FOLDER_COUNT];
  table[0] = {true, false, sources_, vt::AUTO_IMPORT_CONVERT_NONE};
  storage_.Close();
  for (ImportStep step : {ImportStep::Begun, ImportStep::CopyWritten, ImportStep::Indexed,
                          ImportStep::FolderMade, ImportStep::CopyInPlace, ImportStep::Committed}) {
    const int k = int(step);
    SCOPED_TRACE(k);
    pid_t child = vt_test::SpawnChild("KilledImportRun", {folder_, source, root_, std::to_string(k)});
    ASSERT_GT(child, 0);
    EXPECT_EQ(vt_test::WaitChild(child), -1);  // killed

    // Our own open rolls back what the killed process left in its journal.
    ASSERT_EQ(storage_.Open(), STORE_OK);
    EXPECT_EQ(Query("PRAGMA integrity_check;"), "ok\n");
    const bool stored = step == ImportStep::Committed;
    EXPECT_EQ(Query("SELECT COUNT(*) FROM file; SELECT COUNT(*) FROM continuous_data_info; "
                    "SELECT COUNT(*) FROM tag;"),
              stored ? "1\n1\n4\n" : "0\n0\n0\n");
    if (stored) {
      EXPECT_TRUE(SameFile(vt::JoinPath(folder_, expected), source));
      EXPECT_EQ(storage_.CheckStorage(), STORE_OK);
    }
    storage_.Close();

    // The next automatic run completes the import, and books it as imported without an error.
    const std::size_t logged = LogText().size();
    SWorker retry(folder_, root_);
    retry.worker.SetFolderTable(table);
    retry.Run(IMPORT_MODE_AUTOMATIC);
    const std::string log = LogText().substr(logged);
    EXPECT_NE(log.find("IMPORT: FILE=" + source), std::string::npos) << log;
    EXPECT_EQ(log.find("ERROR"), std::string::npos) << log;
    EXPECT_EQ(retry.worker.GetAddedCount(), 1);
    CVTImportList booked;
    ASSERT_EQ(booked.Open(list), 0);
    EXPECT_EQ(booked.GetStatus(source), IMPORT_STATUS_IMPORTED);
    booked.Close();

    ASSERT_EQ(storage_.Open(), STORE_OK);
    EXPECT_EQ(StoredFiles(), std::vector<std::string>{expected});
    EXPECT_FALSE(vt::PathExists(vt::JoinPath(folder_, ".import.DAE")));
    EXPECT_TRUE(SameFile(vt::JoinPath(folder_, expected), source));
    EXPECT_EQ(Query("SELECT file_path FROM file; PRAGMA integrity_check;"), expected + "\nok\n");
    EXPECT_EQ(storage_.CheckStorage(), STORE_OK);

    // The next round starts from an empty storage and list again.
    ASSERT_EQ(storage_.PurgeFile(expected), STORE_OK);
    EXPECT_TRUE(StoredFiles().empty());
    ASSERT_TRUE(vt::DeleteFile(list));
    storage_.Close();
  }
}

// A copy left by an import killed before its commit is compared with the file piece by piece:
// the retry neither holds both files in memory nor dies when memory is short.
TEST_F(ImportKillTest, TheRetryComparesALeftCopyInBoundedMemory) {
  recgen::SizedOptions o;
  o.channels = 48;
  o.records = 120000;
  const std::string source = Newer("A.DAE", o);
  uint64_t size = 0;
  ASSERT_TRUE(vt::GetFileSize(source, size));
  ASSERT_GT(size, 8u << 20);
  const std::string expected = "FILES/S5T812345/2023/11/A.DAE";
  storage_.Close();
  pid_t child = vt_test::SpawnChild("KilledImportRun",
                                    {folder_, source, root_, std::to_string(int(ImportStep::CopyInPlace))});
  ASSERT_GT(child, 0);
  ASSERT_EQ(vt_test::WaitChild(child), -1);
  ASSERT_TRUE(SameFile(vt::JoinPath(folder_, expected), source));  // the complete copy it left

  child = vt_test::SpawnChild("ImportWithLittleMemory", {folder_, source, std::to_string(size + size / 2)});
  ASSERT_GT(child, 0);
  EXPECT_EQ(vt_test::WaitChild(child), STORE_OK);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  EXPECT_EQ(StoredFiles(), std::vector<std::string>{expected});
  EXPECT_EQ(Query("SELECT file_path FROM file;"), expected + "\n");
}

}  // namespace

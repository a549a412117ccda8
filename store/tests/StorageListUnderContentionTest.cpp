// The storage list when several processes share one data root: creates started at once, creates
// killed at random moments, a list or index kept locked by another process, a disk that fills.
// Whatever happened, afterwards every listed storage opens, every storage folder is listed
// exactly once, exactly one storage is current and no half-made folder is left.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "store/FolderHelpers.h"
#include "store/RDBSQLiteConnection.h"
#include "store/VTDataStorageManager.h"

namespace {

using Clock = std::chrono::steady_clock;

// What `vtstore create NAME` does, in a process of its own: exit 0 when the storage was made and
// attached, the create's result when it was refused, 100 + the result when the root did not open.
// args: root, name, and optionally a file it writes first, once running.
VT_TEST_CHILD(create_storage) {
  if (args.size() > 2 && !vt_test::WriteFileBytes(args[2], "running")) return 98;
  CVTDataStorageManager manager;
  if (int rc = manager.Open(args.at(0)); rc != STORE_OK) return 100 + rc;
  if (int rc = manager.CreateStorage(args.at(1)); rc != STORE_OK) return rc;
  return manager.Attach(args.at(1)) == STORE_OK ? 0 : 99;
}

// Holds an exclusive lock on a database until a file appears (30 s at most): args database, the
// file that releases it, a file it writes once the lock is held.
VT_TEST_CHILD(hold_database) {
  CRDBSQLiteConnection db;
  if (db.Open(args.at(0)) != RDB_OK || db.Execute("BEGIN EXCLUSIVE;") != RDB_OK) return 1;
  if (!vt_test::WriteFileBytes(args.at(2), "held")) return 2;
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  while (!vt::FileExists(args.at(1)) && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  db.Rollback();
  return 0;
}

// Attaches two storages in turn until it is killed: args root, a file it writes once running.
VT_TEST_CHILD(attach_in_turn) {
  CVTDataStorageManager manager;
  if (manager.Open(args.at(0)) != STORE_OK) return 1;
  if (!vt_test::WriteFileBytes(args.at(1), "running")) return 2;
  for (;;) {
    for (const char* name : {"A", "B"}) {
      if (manager.Attach(name) != STORE_OK) return 3;
    }
  }
}

class StorageListUnderContentionTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    dataRoot_ = Path("DATA");
    // The named mutexes of these tests live in the test's own folder.
    ASSERT_TRUE(vt::CreateFolders(Path("run")));
    runtime_.emplace("XDG_RUNTIME_DIR", Path("run"));
  }
  void TearDown() override {
    runtime_.reset();
    TempRootTest::TearDown();
  }

  // Storages made in this process, the last one attached.
  void MakeStorages(std::initializer_list<const char*> names, const char* attach) {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    for (const char* name : names) ASSERT_EQ(manager.CreateStorage(name), STORE_OK);
    ASSERT_EQ(manager.Attach(attach), STORE_OK);
  }
  // Starts child bodies whose last argument is a file each writes once it is under way, and
  // returns their pids when all of them are.
  std::vector<pid_t> SpawnAndWaitForSignals(const std::string& body,
                                            const std::vector<std::vector<std::string>>& argsOfEach) {
    std::vector<pid_t> pids;
    std::vector<std::string> signals;
    for (std::vector<std::string> args : argsOfEach) {
      signals.push_back(Path("signal" + std::to_string(signals.size())));
      vt::DeleteFile(signals.back());
      args.push_back(signals.back());
      pids.push_back(vt_test::SpawnChild(body, args));
    }
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    for (const std::string& signal : signals) {
      while (!vt::FileExists(signal) && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      EXPECT_TRUE(vt::FileExists(signal)) << body << " never got under way";
    }
    return pids;
  }
  pid_t SpawnAndWaitForSignal(const std::string& body, const std::vector<std::string>& args) {
    return SpawnAndWaitForSignals(body, {args}).front();
  }
  // Starts a child that holds the database locked and returns once it holds it.
  pid_t HoldDatabase(const std::string& database) {
    vt::DeleteFile(Path("release"));
    return SpawnAndWaitForSignal("hold_database", {database, Path("release")});
  }
  // Lets the child go and waits for it.
  int Release(pid_t holder) {
    vt_test::WriteFileBytes(Path("release"), "go");
    return vt_test::WaitChild(holder);
  }

  // Checks everything the list promises; returns the listed names with their folders.
  static std::map<std::string, std::string> ExpectSoundDataRoot(const std::string& root) {
    std::map<std::string, std::string> listed;
    CVTDataStorageManager manager;
    EXPECT_EQ(manager.Open(root), STORE_OK);
    const int count = manager.GetCount();
    std::vector<SDataAreaInfo> records(std::size_t(count > 0 ? count : 1));
    int filled = 0;
    EXPECT_EQ(manager.ListWithStatus(records.data(), count, filled), STORE_OK);
    EXPECT_EQ(filled, count);
    int current = 0;
    std::set<std::string> dirs;
    for (int i = 0; i < filled; ++i) {
      const SDataAreaInfo& record = records[std::size_t(i)];
      SCOPED_TRACE(record.name + " in " + record.folder);
      EXPECT_EQ(record.status, AREA_STATUS_OK);
      CVTDataStorage storage;
      std::string indexName;
      EXPECT_EQ(storage.OpenAt(root + "/" + record.folder), STORE_OK);
      storage.GetDatabaseName(indexName);
      EXPECT_EQ(indexName, record.name);
      current += record.attached ? 1 : 0;
      dirs.insert(record.folder);
      listed[record.name] = record.folder;
    }
    if (filled > 0) {
      EXPECT_EQ(current, 1) << "storages marked current";
    }
    int folderCount = 0;
    ListSubfolders(root, nullptr, 0, folderCount);
    std::vector<std::string> folders(static_cast<std::size_t>(folderCount));
    ListSubfolders(root, folders.data(), folderCount, folderCount);
    for (const std::string& folder : folders) {
      std::string dir;
      GetLastPathComponent(folder, &dir);
      EXPECT_TRUE(dirs.count(dir)) << "folder " << dir << " is not listed";
    }
    EXPECT_EQ(std::size_t(folderCount), dirs.size());
    return listed;
  }

  std::string dataRoot_;
  std::optional<vt_test::ScopedEnv> runtime_;
};

TEST_F(StorageListUnderContentionTest, CreatesStartedAtOnceOnAFreshRootAreAllListed) {
  for (int trial = 0; trial < 2; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const std::string root = dataRoot_ + std::to_string(trial);
    std::vector<std::pair<std::string, pid_t>> children;
    for (int i = 0; i < 16; ++i) {
      const std::string name = "S" + std::to_string(i);
      children.emplace_back(name, vt_test::SpawnChild("create_storage", {root, name}));
    }
    // Two creates of one name at once, four times over.
    for (int i = 0; i < 4; ++i)
      children.emplace_back("Twin", vt_test::SpawnChild("create_storage", {root, "Twin"}));
    int twinsMade = 0, twinsRefused = 0;
    for (const auto& [name, pid] : children) {
      const int rc = vt_test::WaitChild(pid);
      if (name == "Twin") {
        if (rc == 0) {
          ++twinsMade;
        } else if (rc == STORE_EXISTS) {
          ++twinsRefused;
        } else {
          ADD_FAILURE() << "Twin: " << rc;
        }
      } else {
        EXPECT_EQ(rc, 0) << name;
      }
    }
    EXPECT_EQ(twinsMade, 1);
    EXPECT_EQ(twinsRefused, 3);
    const auto listed = ExpectSoundDataRoot(root);
    EXPECT_EQ(listed.size(), 17u);
    EXPECT_TRUE(listed.count("Twin"));
  }
}

TEST_F(StorageListUnderContentionTest, CreatesKilledAtRandomMomentsLeaveASoundList) {
  MakeStorages({"Base"}, "Base");
  // How long one create takes once running; kills fall anywhere in that span.
  pid_t timing = SpawnAndWaitForSignal("create_storage", {dataRoot_, "Timing"});
  const auto started = Clock::now();
  ASSERT_EQ(vt_test::WaitChild(timing), 0);
  const auto span = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);

  std::mt19937 random(20261210);
  std::uniform_int_distribution<long> moment(0, span.count() * 3 / 2);
  int killed = 0;
  for (int round = 0; round < 20; ++round) {
    // Now and then the list is gone too, so that kills also meet its rebuild.
    if (round % 5 == 4) vt::DeleteFile(dataRoot_ + "/dslist.db");
    const std::string name = "K" + std::to_string(round);
    const std::vector<pid_t> pids = SpawnAndWaitForSignals(
        "create_storage", {{dataRoot_, name}, {dataRoot_, name + "-twin"}, {dataRoot_, name + "-twin"}});
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    for (pid_t pid : pids) ::kill(pid, SIGKILL);
    for (pid_t pid : pids) killed += vt_test::WaitChild(pid) == -1 ? 1 : 0;
  }
  EXPECT_GT(killed, 0) << "no create was cut off";
  const auto listed = ExpectSoundDataRoot(dataRoot_);
  EXPECT_TRUE(listed.count("Timing"));
}

TEST_F(StorageListUnderContentionTest, AnAttachKilledAtAnyMomentLeavesOneCurrentStorage) {
  MakeStorages({"A", "B"}, "A");
  std::mt19937 random(1210);
  std::uniform_int_distribution<int> moment(0, 40000);
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    pid_t pid = SpawnAndWaitForSignal("attach_in_turn", {dataRoot_});
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(pid, SIGKILL);
    EXPECT_EQ(vt_test::WaitChild(pid), -1) << "the child stopped by itself";
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    std::string attached;
    ASSERT_EQ(manager.GetAttachedName(attached), STORE_OK);
    EXPECT_TRUE(attached == "A" || attached == "B") << attached;
  }
  EXPECT_EQ(ExpectSoundDataRoot(dataRoot_).size(), 2u);
}

TEST_F(StorageListUnderContentionTest, ABusyListOrIndexIsReportedBusyAndLeftAlone) {
  const std::string list = dataRoot_ + "/dslist.db";
  MakeStorages({"A", "B"}, "B");
  std::string folderA;
  {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    ASSERT_EQ(manager.GetStorageFolder("A", folderA), STORE_OK);
  }
  const std::string listBytes = vt_test::ReadFileBytes(list);
  auto expectListing = [&](const std::string& expected) {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    SDataAreaInfo records[4];
    int count = 0;
    ASSERT_EQ(manager.ListWithStatus(records, 4, count), STORE_OK);
    std::string out;
    for (int i = 0; i < count; ++i) out += records[i].name + (records[i].attached ? "*" : "") + ";";
    EXPECT_EQ(out, expected);
  };

  // The list locked beyond the busy time-out: reported busy, not a byte changes.
  pid_t holder = HoldDatabase(list);
  {
    CVTDataStorageManager manager;
    manager.SetBusyTimeout(100);
    EXPECT_EQ(manager.Open(dataRoot_), STORE_BUSY);
    EXPECT_FALSE(manager.IsOpen());
  }
  EXPECT_EQ(vt_test::ReadFileBytes(list), listBytes);
  EXPECT_FALSE(vt::PathExists(list + ".rebuild"));
  EXPECT_EQ(Release(holder), 0);
  expectListing("A;B*;");

  // A storage's index locked: attaching it is busy and keeps the current storage; a rebuild
  // that meets it stops rather than dropping it for good.
  holder = HoldDatabase(folderA + "/fileidx.db");
  {
    CVTDataStorageManager manager;
    manager.SetBusyTimeout(100);
    ASSERT_EQ(manager.Open(dataRoot_), STORE_OK);
    EXPECT_EQ(manager.Attach("A"), STORE_BUSY);
    std::string attached;
    EXPECT_EQ(manager.GetAttachedName(attached), STORE_OK);
    EXPECT_EQ(attached, "B");
  }
  ASSERT_TRUE(vt::DeleteFile(list));
  {
    CVTDataStorageManager manager;
    manager.SetBusyTimeout(100);
    EXPECT_EQ(manager.Open(dataRoot_), STORE_BUSY);
  }
  EXPECT_FALSE(vt::PathExists(list));
  EXPECT_EQ(Release(holder), 0);
  // Rebuilt in folder (GUID) order: both listed, the first current.
  const auto listed = ExpectSoundDataRoot(dataRoot_);
  EXPECT_EQ(listed.size(), 2u);
  EXPECT_TRUE(listed.count("A") && listed.count("B"));
}

// The small disk of the test below: a 768 KiB file system mounted in a user and mount namespace of
// its own, which needs no root. The test re-runs itself there, told by this variable where the
// disk is; the mount goes away with the namespace.
constexpr const char* kSmallDisk = "VT_TEST_SMALL_DISK";

TEST_F(StorageListUnderContentionTest, CreatesThatFillTheDiskLeaveNothingBehind) {
  const char* smallDisk = std::getenv(kSmallDisk);
  if (smallDisk == nullptr) {
    const std::string mount = Path("small");
    ASSERT_TRUE(vt::CreateFolders(mount));
    const std::string inNamespace = "unshare --user --map-root-user --mount sh -c ";
    const std::string mountIt = "mount -t tmpfs -o size=768k vt-test-small \"$0\"";
    if (std::system((inNamespace + "'" + mountIt + "' '" + mount + "'").c_str()) != 0)
      GTEST_SKIP() << "this machine cannot mount a small file system in a user namespace; the full disk "
                      "is not tried";
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = inNamespace + "'" + mountIt + " && " + kSmallDisk +
                                "=\"$0\" exec \"$1\" --gtest_filter=\"$2\"' '" + mount + "' '" + self +
                                "' '" + test->test_suite_name() + "." + test->name() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << "the run on the small disk did not end normally";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the run on the small disk failed (its report is above)";
    return;
  }

  const std::string root = std::string(smallDisk) + "/DATA";
  int made = 0, rc = STORE_OK;
  {
    CVTDataStorageManager manager;
    ASSERT_EQ(manager.Open(root), STORE_OK);
    for (int i = 0; i < 100 && rc == STORE_OK; ++i) {
      rc = manager.CreateStorage("F" + std::to_string(i));
      if (rc == STORE_OK) made += 1;
      if (made == 1) {
        ASSERT_EQ(manager.Attach("F0"), STORE_OK);
      }
    }
  }
  EXPECT_NE(rc, STORE_OK) << "the disk never filled";
  EXPECT_GT(made, 0);
  EXPECT_EQ(ExpectSoundDataRoot(root).size(), std::size_t(made));
}

}  // namespace

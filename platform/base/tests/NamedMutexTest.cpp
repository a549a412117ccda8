// Named mutexes: ownership, re-entrancy, abandonment, time-outs and "already existed",
// between threads of this process and between processes.
#include "platform/base/NamedMutex.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/Thread.h"
#include "testing/ChildProcess.h"
#include "testing/TempFolder.h"

namespace {

using vt::NamedMutex;
using WaitResult = vt::NamedMutex::WaitResult;
namespace fs = std::filesystem;

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 2000; ++i) {
    if (fs::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

// Each test gets its own runtime folder (children inherit it) and its own mutex names.
class NamedMutexTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(runtime_.path().empty());
    dir_ = runtime_.path();
    env_ = std::make_unique<vt_test::ScopedEnv>("XDG_RUNTIME_DIR", dir_);
  }
  void TearDown() override { env_.reset(); }
  vt_test::TempFolder runtime_;
  std::unique_ptr<vt_test::ScopedEnv> env_;
  std::string Name(const char* tag) const {
    return std::string("Vantrel test ") + tag + " " + std::to_string(::getpid());
  }
  std::string dir_;

  // The files the named mutexes keep in the runtime folder now.
  std::vector<std::string> LockFiles() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& e : fs::directory_iterator(dir_ + "/vantrel", error))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// --- Child process bodies -------------------------------------------------------------------

// args: name. Exit 0: the name was new, 1: it already existed, 3: Create failed.
VT_TEST_CHILD(ReportExisted) {
  NamedMutex mutex;
  bool existed = false;
  if (!mutex.Create(args.at(0), &existed)) return 3;
  return existed ? 1 : 0;
}

// args: name, ready file, release file. Locks, says so, waits for the release, unlocks.
VT_TEST_CHILD(HoldUntilReleased) {
  NamedMutex mutex;
  if (!mutex.Create(args.at(0))) return 3;
  if (mutex.Lock(vt::kInfiniteTimeout) != WaitResult::Acquired) return 4;
  Touch(args.at(1));
  if (!WaitForFile(args.at(2))) return 5;
  return mutex.Unlock() ? 0 : 6;
}

// args: name, how to end ("return" runs the normal exit path, "_exit" dies at once).
VT_TEST_CHILD(LockAndEnd) {
  static NamedMutex mutex;  // still open when the process ends
  if (!mutex.Create(args.at(0))) return 3;
  if (mutex.Lock(vt::kInfiniteTimeout) != WaitResult::Acquired) return 4;
  if (args.at(1) == "_exit") ::_exit(0);
  return 0;
}

// args: name. Exit 0: Lock(0) timed out, 1: it got the mutex.
VT_TEST_CHILD(TryLock) {
  NamedMutex mutex;
  if (!mutex.Create(args.at(0))) return 3;
  WaitResult result = mutex.Lock(0);
  if (result == WaitResult::Timeout) return 0;
  return result == WaitResult::Acquired ? 1 : 2;
}

// args: name, inside-marker path, rounds. Opens, takes, releases and closes the name over and
// over; the marker, made exclusively while the mutex is held, shows two owners at once.
// Exit 0: never two owners; 5: two owners; 3/4: the mutex failed.
VT_TEST_CHILD(ChurnOpenAndClose) {
  const int rounds = std::atoi(args.at(2).c_str());
  for (int i = 0; i < rounds; ++i) {
    NamedMutex mutex;
    if (!mutex.Create(args.at(0))) return 3;
    if (mutex.Lock(vt::kInfiniteTimeout) != WaitResult::Acquired) return 4;
    const int fd = ::open(args.at(1).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    if (fd < 0) return 5;
    ::close(fd);
    ::unlink(args.at(1).c_str());
    if (!mutex.Unlock()) return 4;
  }
  return 0;
}

// --- Within the process ---------------------------------------------------------------------

TEST_F(NamedMutexTest, CreateTellsWhetherTheNameIsOpenInThisProcess) {
  const std::string name = Name("exists");
  NamedMutex first, second, third;
  bool existed = true;
  ASSERT_TRUE(first.Create(name, &existed));
  EXPECT_FALSE(existed);
  EXPECT_TRUE(first.IsOpen());
  EXPECT_EQ(first.Name(), name);
  ASSERT_TRUE(second.Create(name, &existed));
  EXPECT_TRUE(existed);
  first.Close();
  EXPECT_FALSE(first.IsOpen());
  ASSERT_TRUE(third.Create(name, &existed));
  EXPECT_TRUE(existed) << "the second handle still holds the name";
  second.Close();
  third.Close();
  ASSERT_TRUE(first.Create(name, &existed));
  EXPECT_FALSE(existed) << "gone after the last handle closed";

  struct stat st {};
  ASSERT_EQ(::stat((dir_ + "/vantrel").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(NamedMutexTest, RuntimeFolderIsPrivate) {
  // A folder left open to others is closed again.
  const std::string ours = dir_ + "/vantrel";
  ASSERT_EQ(::mkdir(ours.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(ours.c_str(), 0755), 0);
  NamedMutex mutex;
  ASSERT_TRUE(mutex.Create(Name("private")));
  struct stat st {};
  ASSERT_EQ(::stat(ours.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  mutex.Close();

  // Without a usable session runtime folder, the per-user one in /tmp.
  ::setenv("XDG_RUNTIME_DIR", "relative/folder", 1);
  ASSERT_TRUE(mutex.Create("Vantrel test fallback folder"));
  const std::string fallback = "/tmp/vantrel-" + std::to_string(::geteuid());
  ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(st.st_uid, ::geteuid());
}

TEST_F(NamedMutexTest, ClosedHandleRefusesAndEmptyNameFails) {
  NamedMutex mutex;
  EXPECT_EQ(mutex.Lock(0), WaitResult::Failed);
  EXPECT_FALSE(mutex.Unlock());
  EXPECT_FALSE(mutex.Create(""));
  EXPECT_FALSE(mutex.IsOpen());
}

TEST_F(NamedMutexTest, ReentrantForOwnerWhileOtherThreadWaitsForLastUnlock) {
  const std::string name = Name("reentrant");
  NamedMutex mine, theirs;
  ASSERT_TRUE(mine.Create(name));
  ASSERT_TRUE(theirs.Create(name));
  ASSERT_EQ(mine.Lock(vt::kInfiniteTimeout), WaitResult::Acquired);
  ASSERT_EQ(mine.Lock(0), WaitResult::Acquired);

  std::atomic<bool> acquired{false};
  vt::Thread waiter;
  ASSERT_TRUE(waiter.Start([&] {
    if (theirs.Lock(vt::kInfiniteTimeout) == WaitResult::Acquired) acquired = true;
    theirs.Unlock();
  }));
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_FALSE(acquired);
  ASSERT_TRUE(mine.Unlock());
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_FALSE(acquired) << "one level of ownership is still held";
  ASSERT_TRUE(mine.Unlock());
  ASSERT_TRUE(waiter.Join(10000));
  EXPECT_TRUE(acquired);
  EXPECT_FALSE(mine.Unlock()) << "no ownership left";
}

TEST_F(NamedMutexTest, NonOwnerCannotUnlockAndTimeOutsHold) {
  const std::string name = Name("timeouts");
  NamedMutex owner, other;
  ASSERT_TRUE(owner.Create(name));
  ASSERT_TRUE(other.Create(name));
  ASSERT_EQ(owner.Lock(0), WaitResult::Acquired);

  vt::Thread worker;
  bool unlocked = true;
  WaitResult tried = WaitResult::Failed, waited = WaitResult::Failed;
  std::chrono::steady_clock::duration waitedFor{};
  ASSERT_TRUE(worker.Start([&] {
    unlocked = other.Unlock();
    tried = other.Lock(0);
    auto start = std::chrono::steady_clock::now();
    waited = other.Lock(60);
    waitedFor = std::chrono::steady_clock::now() - start;
  }));
  ASSERT_TRUE(worker.Join(10000));
  EXPECT_FALSE(unlocked);
  EXPECT_EQ(tried, WaitResult::Timeout);
  EXPECT_EQ(waited, WaitResult::Timeout);
  EXPECT_GE(waitedFor, std::chrono::milliseconds(55));

  // Still held by this thread after the failed attempts; free once released.
  ASSERT_TRUE(owner.Unlock());
  ASSERT_TRUE(worker.Start([&] {
    tried = other.Lock(0);
    unlocked = other.Unlock();
  }));
  ASSERT_TRUE(worker.Join(10000));
  EXPECT_EQ(tried, WaitResult::Acquired);
  EXPECT_TRUE(unlocked);
}

TEST_F(NamedMutexTest, ThreadEndingWhileOwningLeavesItAbandoned) {
  const std::string name = Name("abandoned");
  NamedMutex waiterHandle;
  ASSERT_TRUE(waiterHandle.Create(name));

  std::atomic<bool> owned{false}, end{false};
  vt::Thread owner;
  ASSERT_TRUE(owner.Start([&] {
    NamedMutex mutex;
    if (!mutex.Create(name)) return;
    mutex.Lock(vt::kInfiniteTimeout);
    mutex.Lock(vt::kInfiniteTimeout);  // two levels, neither released
    owned = true;
    while (!end) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }));
  while (!owned) std::this_thread::sleep_for(std::chrono::milliseconds(1));

  // A waiter already blocked when the owner ends is told it was abandoned.
  WaitResult result = WaitResult::Failed;
  vt::Thread waiter;
  ASSERT_TRUE(waiter.Start([&] { result = waiterHandle.Lock(10000); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  end = true;
  ASSERT_TRUE(owner.Join(10000));
  ASSERT_TRUE(waiter.Join(10000));
  EXPECT_EQ(result, WaitResult::Abandoned);

  // The waiter thread ended too, holding it: abandoned again for this thread, once.
  EXPECT_EQ(waiterHandle.Lock(0), WaitResult::Abandoned);
  ASSERT_TRUE(waiterHandle.Unlock());
  EXPECT_EQ(waiterHandle.Lock(0), WaitResult::Acquired);
  ASSERT_TRUE(waiterHandle.Unlock());
}

TEST_F(NamedMutexTest, ClosingTheHandleKeepsOwnership) {
  const std::string name = Name("close while owned");
  NamedMutex first;
  ASSERT_TRUE(first.Create(name));
  ASSERT_EQ(first.Lock(0), WaitResult::Acquired);
  first.Close();

  NamedMutex second;
  bool existed = false;
  ASSERT_TRUE(second.Create(name, &existed));
  EXPECT_TRUE(existed) << "still owned by this thread";
  ASSERT_TRUE(second.Unlock());
  second.Close();
  ASSERT_TRUE(second.Create(name, &existed));
  EXPECT_FALSE(existed);
}

TEST_F(NamedMutexTest, ExcludesThreadsAndKeepsNamesApart) {
  const std::string name = Name("exclusion");
  NamedMutex otherName;
  ASSERT_TRUE(otherName.Create(Name("exclusion other")));

  std::atomic<int> inside{0};
  std::atomic<int> overlaps{0}, failures{0};
  std::vector<std::unique_ptr<vt::Thread>> threads;
  for (int t = 0; t < 4; ++t) {
    threads.push_back(std::make_unique<vt::Thread>());
    ASSERT_TRUE(threads.back()->Start([&] {
      NamedMutex mutex;
      if (!mutex.Create(name)) {
        ++failures;
        return;
      }
      for (int i = 0; i < 200; ++i) {
        if (mutex.Lock(vt::kInfiniteTimeout) != WaitResult::Acquired) ++failures;
        if (inside.fetch_add(1) != 0) ++overlaps;
        std::this_thread::yield();
        inside.fetch_sub(1);
        if (!mutex.Unlock()) ++failures;
      }
    }));
  }
  // Another name stays free all along.
  EXPECT_EQ(otherName.Lock(0), WaitResult::Acquired);
  EXPECT_TRUE(otherName.Unlock());
  for (auto& thread : threads) ASSERT_TRUE(thread->Join(30000));
  EXPECT_EQ(overlaps, 0);
  EXPECT_EQ(failures, 0);
}

// --- Across processes -----------------------------------------------------------------------

TEST_F(NamedMutexTest, CreateTellsWhetherTheNameIsOpenInAnotherProcess) {
  const std::string name = Name("exists across");
  EXPECT_EQ(vt_test::WaitChild(vt_test::SpawnChild("ReportExisted", {name})), 0);

  NamedMutex mine;
  bool existed = true;
  ASSERT_TRUE(mine.Create(name, &existed));
  EXPECT_FALSE(existed) << "the child's handle closed when it exited";
  EXPECT_EQ(vt_test::WaitChild(vt_test::SpawnChild("ReportExisted", {name})), 1);
  mine.Close();
  EXPECT_EQ(vt_test::WaitChild(vt_test::SpawnChild("ReportExisted", {name})), 0);
}

TEST_F(NamedMutexTest, ExcludesAnotherProcess) {
  const std::string name = Name("across");
  const std::string ready = dir_ + "/ready", release = dir_ + "/release";
  pid_t child = vt_test::SpawnChild("HoldUntilReleased", {name, ready, release});
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitForFile(ready));

  NamedMutex mine;
  bool existed = false;
  ASSERT_TRUE(mine.Create(name, &existed));
  EXPECT_TRUE(existed);
  EXPECT_EQ(mine.Lock(0), WaitResult::Timeout);
  EXPECT_EQ(mine.Lock(30), WaitResult::Timeout);

  Touch(release);
  EXPECT_EQ(mine.Lock(10000), WaitResult::Acquired);
  EXPECT_EQ(vt_test::WaitChild(child), 0);

  // Held here (twice), the child cannot take it.
  ASSERT_EQ(mine.Lock(0), WaitResult::Acquired);
  ASSERT_TRUE(mine.Unlock());
  EXPECT_EQ(vt_test::WaitChild(vt_test::SpawnChild("TryLock", {name})), 0);
  ASSERT_TRUE(mine.Unlock());
  EXPECT_EQ(vt_test::WaitChild(vt_test::SpawnChild("TryLock", {name})), 1);
}

TEST_F(NamedMutexTest, ProcessEndingWhileOwningLeavesItAbandoned) {
  for (const char* how : {"return", "_exit"}) {
    SCOPED_TRACE(how);
    const std::string name = Name(how);
    ASSERT_EQ(vt_test::WaitChild(vt_test::SpawnChild("LockAndEnd", {name, how})), 0);
    NamedMutex mine;
    ASSERT_TRUE(mine.Create(name));
    EXPECT_EQ(mine.Lock(1000), WaitResult::Abandoned);
    ASSERT_TRUE(mine.Unlock());
    EXPECT_EQ(mine.Lock(0), WaitResult::Acquired) << "released properly this time";
    ASSERT_TRUE(mine.Unlock());
  }
}

// A name's files go with its last handle, whichever process holds it last; only a lock file
// that still says "abandoned" stays, so that the next owner is told.
TEST_F(NamedMutexTest, TheLastHandleToCloseRemovesTheFiles) {
  const std::string name = Name("files");
  {
    NamedMutex first, second;
    ASSERT_TRUE(first.Create(name));
    ASSERT_TRUE(second.Create(name));
    ASSERT_EQ(first.Lock(0), WaitResult::Acquired);
    ASSERT_TRUE(first.Unlock());
    EXPECT_EQ(LockFiles().size(), 2u);
    first.Close();
    EXPECT_EQ(LockFiles().size(), 2u) << "the second handle still holds the name";
  }
  EXPECT_TRUE(LockFiles().empty());

  // Held here while a child opens and closes it; then held by a child while this process does.
  NamedMutex mine;
  ASSERT_TRUE(mine.Create(name));
  EXPECT_EQ(vt_test::WaitChild(vt_test::SpawnChild("ReportExisted", {name})), 1);
  EXPECT_EQ(LockFiles().size(), 2u);
  mine.Close();
  EXPECT_TRUE(LockFiles().empty());

  const std::string ready = dir_ + "/ready", release = dir_ + "/release";
  pid_t child = vt_test::SpawnChild("HoldUntilReleased", {name, ready, release});
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitForFile(ready));
  ASSERT_TRUE(mine.Create(name));
  EXPECT_EQ(mine.Lock(0), WaitResult::Timeout);
  mine.Close();
  EXPECT_EQ(LockFiles().size(), 2u) << "the child still holds the name";
  Touch(release);
  EXPECT_EQ(vt_test::WaitChild(child), 0);
  EXPECT_TRUE(LockFiles().empty());

  // A child that ended owning it, after running its exit path: the lock file stays, once.
  ASSERT_EQ(vt_test::WaitChild(vt_test::SpawnChild("LockAndEnd", {name, "return"})), 0);
  EXPECT_EQ(LockFiles().size(), 1u);
  ASSERT_TRUE(mine.Create(name));
  EXPECT_EQ(mine.Lock(1000), WaitResult::Abandoned);
  ASSERT_TRUE(mine.Unlock());
  mine.Close();
  EXPECT_TRUE(LockFiles().empty());
}

// Processes that open and close one name at the same time, each closing as the last holder
// now and then, never lock different files: no two own the mutex at once, and nothing stays.
TEST_F(NamedMutexTest, ProcessesOpeningAndClosingAtOnceStillExclude) {
  const std::string name = Name("churn");
  const std::string inside = dir_ + "/inside";
  std::vector<pid_t> children;
  for (int i = 0; i < 3; ++i)
    children.push_back(vt_test::SpawnChild("ChurnOpenAndClose", {name, inside, "3000"}));
  for (pid_t child : children) {
    ASSERT_GT(child, 0);
    EXPECT_EQ(vt_test::WaitChild(child), 0);
  }
  EXPECT_TRUE(LockFiles().empty());
}

}  // namespace

// Sync objects: the named mutex behind CVTMutex (creation, recursion, abandonment), the critical
// section, the guard, and the storage mutex shared by two storage objects on one folder across
// threads and across processes.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Guid.h"
#include "store/VTDataStorage.h"
#include "store/VTSyncObject.h"

namespace {

using namespace std::chrono_literals;

std::string UniqueName(const char* what) { return std::string(what) + vt::Guid::Create().ToText(); }

// Whether another thread can take the sync object within timeoutMs (and releases it again).
bool OtherThreadCanLock(CVTSyncObject& object, uint32_t timeoutMs) {
  bool locked = false;
  std::thread([&] {
    locked = object.Lock(timeoutMs);
    if (locked) object.Unlock();
  }).join();
  return locked;
}

TEST(VTMutexTest, CreateLockAndCloseRules) {
  CVTMutex mutex;
  EXPECT_FALSE(mutex.Lock(0));  // no handle
  EXPECT_FALSE(mutex.Unlock());
  std::string name = UniqueName("store-test-");
  EXPECT_TRUE(mutex.Create(name));
  EXPECT_FALSE(mutex.Create(UniqueName("other-")));  // keeps the first handle
  EXPECT_TRUE(mutex.HasHandle());

  // Re-entrant for its owner: two locks need two unlocks before another thread gets it.
  EXPECT_TRUE(mutex.Lock(0));
  EXPECT_TRUE(mutex.Lock(CVTSyncObject::kInfinite));
  EXPECT_TRUE(mutex.Unlock());
  EXPECT_FALSE(OtherThreadCanLock(mutex, 50));
  EXPECT_TRUE(mutex.Unlock());
  EXPECT_TRUE(OtherThreadCanLock(mutex, 50));
  EXPECT_FALSE(mutex.Unlock());  // not owned

  EXPECT_TRUE(mutex.Close());
  EXPECT_TRUE(mutex.Close());
  EXPECT_FALSE(mutex.Lock(0));
  EXPECT_TRUE(mutex.Create(name));  // a closed object takes a name again
}

TEST(VTMutexTest, AMutexAbandonedByAnEndedThreadMakesTheNextLockFalseButTakesIt) {
  CVTMutex mutex;
  ASSERT_TRUE(mutex.Create(UniqueName("store-abandon-")));
  std::thread([&] { EXPECT_TRUE(mutex.Lock(CVTSyncObject::kInfinite)); }).join();
  EXPECT_FALSE(mutex.Lock(1000));
  // The holders unlock at the end of their block whatever Lock said, and that releases it.
  EXPECT_TRUE(mutex.Unlock());
  EXPECT_TRUE(OtherThreadCanLock(mutex, 1000));
}

TEST(VTCriticalSectionTest, LockWaitsWhateverTheTimeOutAndCloseRepeats) {
  CVTCriticalSection section;
  section.Initialize();
  std::atomic<bool> held{false};
  std::atomic<bool> released{false};
  std::thread holder([&] {
    section.Lock(0);
    held = true;
    std::this_thread::sleep_for(100ms);
    released = true;
    section.Unlock();
  });
  while (!held) std::this_thread::yield();
  EXPECT_TRUE(section.Lock(0));
  EXPECT_TRUE(released);  // it waited for the holder
  EXPECT_TRUE(section.Unlock());
  holder.join();
  EXPECT_TRUE(section.Close());
  EXPECT_TRUE(section.Close());
}

TEST(VTSyncGuardTest, ReleasesOnEveryWayOut) {
  CVTMutex mutex;
  ASSERT_TRUE(mutex.Create(UniqueName("store-guard-")));
  try {
    vt::CVTSyncGuard guard(&mutex);
    EXPECT_TRUE(guard.Locked());
    EXPECT_FALSE(OtherThreadCanLock(mutex, 20));
    throw std::runtime_error("leave the block");
  } catch (const std::runtime_error&) {
  }
  EXPECT_TRUE(OtherThreadCanLock(mutex, 20));
  vt::CVTSyncGuard nothing(nullptr);
  EXPECT_FALSE(nothing.Locked());
}

class StorageMutexTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    folder_ = Path(vt::Guid::Create().ToText());
    // A name of its own per run: the mutex is system-wide for this user.
    name_ = UniqueName("Storage ");
    CVTDataStorage creator;
    ASSERT_EQ(creator.Create(folder_, name_), STORE_OK);
  }
  std::string folder_;
  std::string name_;
};

TEST_F(StorageMutexTest, TwoStorageObjectsOnOneFolderShareTheMutexAcrossThreads) {
  CVTDataStorage ui, worker;
  ASSERT_EQ(ui.OpenAt(folder_), STORE_OK);
  ASSERT_EQ(worker.OpenAt(folder_), STORE_OK);
  ASSERT_TRUE(ui.GetMutex().Lock(CVTSyncObject::kInfinite));
  EXPECT_FALSE(OtherThreadCanLock(worker.GetMutex(), 50));
  // The name is the storage's: any mutex of that name is the same one.
  CVTMutex byName;
  ASSERT_TRUE(byName.Create(CVTDataStorage::MutexName(name_)));
  EXPECT_FALSE(OtherThreadCanLock(byName, 20));
  EXPECT_TRUE(ui.GetMutex().Unlock());
  EXPECT_TRUE(OtherThreadCanLock(worker.GetMutex(), 50));
  // Closing the storage keeps its mutex; reopening keeps the same one.
  ui.Close();
  ASSERT_EQ(ui.Open(), STORE_OK);
  ASSERT_TRUE(ui.GetMutex().Lock(0));
  EXPECT_FALSE(OtherThreadCanLock(worker.GetMutex(), 20));
  ui.GetMutex().Unlock();
}

TEST_F(StorageMutexTest, AStorageRenamedWhileClosedMeetsOnTheMutexOfItsNewName) {
  CVTDataStorage ui;
  ASSERT_EQ(ui.OpenAt(folder_), STORE_OK);
  ui.Close();
  const std::string newName = UniqueName("Renamed ");
  {
    CVTDataStorage renamer;
    ASSERT_EQ(renamer.OpenAt(folder_), STORE_OK);
    ASSERT_EQ(renamer.SetDatabaseName(newName), STORE_OK);
  }
  // The object that knew the old name and one that opens the storage afresh exclude each other.
  ASSERT_EQ(ui.Open(), STORE_OK);
  CVTDataStorage worker;
  ASSERT_EQ(worker.OpenAt(folder_), STORE_OK);
  EXPECT_EQ(ui.GetMutex().Name(), CVTDataStorage::MutexName(newName));
  ASSERT_TRUE(ui.GetMutex().Lock(0));
  EXPECT_FALSE(OtherThreadCanLock(worker.GetMutex(), 20));
  EXPECT_TRUE(ui.GetMutex().Unlock());
  EXPECT_TRUE(OtherThreadCanLock(worker.GetMutex(), 50));
}

// Child: opens the storage folder, holds its mutex until the release file appears.
VT_TEST_CHILD(hold_storage_mutex) {
  CVTDataStorage storage;
  if (storage.OpenAt(args.at(0)) != STORE_OK) return 2;
  if (!storage.GetMutex().Lock(CVTSyncObject::kInfinite)) return 3;
  vt::WriteFileAtomic(args.at(1), "held");
  for (int i = 0; i < 1000 && !vt::PathExists(args.at(2)); ++i) std::this_thread::sleep_for(10ms);
  storage.GetMutex().Unlock();
  return 0;
}

TEST_F(StorageMutexTest, TheMutexExcludesAnotherProcessOnTheSameStorage) {
  std::string held = Path("held"), release = Path("release");
  pid_t child = vt_test::SpawnChild("hold_storage_mutex", {folder_, held, release});
  ASSERT_GT(child, 0);
  for (int i = 0; i < 1000 && !vt::PathExists(held); ++i) std::this_thread::sleep_for(10ms);
  ASSERT_TRUE(vt::PathExists(held));

  CVTDataStorage ours;
  ASSERT_EQ(ours.OpenAt(folder_), STORE_OK);
  EXPECT_FALSE(ours.GetMutex().Lock(100));
  vt::WriteFileAtomic(release, "go");
  EXPECT_TRUE(ours.GetMutex().Lock(10000));
  EXPECT_TRUE(ours.GetMutex().Unlock());
  EXPECT_EQ(vt_test::WaitChild(child), 0);
}

}  // namespace

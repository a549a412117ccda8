// The management-area controller: the area list and the current area's storages, and the
// maintenance runs on its worker with their completion callback.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "StoreTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CDataAreaManager.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"

namespace {

// What a dialog's completion callback does: it posts (here: into a queue the test thread
// reads) and touches nothing of the controller's list.
struct Posted {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::pair<int, int>> messages;  // operation, result
  std::thread::id thread;
  CDataAreaManager* controller = nullptr;
  // While set, the callback waits (a run that has not ended yet).
  bool hold = false;

  static void Done(void* self) {
    auto* p = static_cast<Posted*>(self);
    std::unique_lock<std::mutex> lock(p->mutex);
    p->changed.wait(lock, [p] { return !p->hold; });
    p->thread = std::this_thread::get_id();
    p->messages.emplace_back(p->controller->GetOperation(), p->controller->GetResult());
    p->changed.notify_all();
  }
  std::pair<int, int> Next() {
    std::unique_lock<std::mutex> lock(mutex);
    EXPECT_TRUE(changed.wait_for(lock, std::chrono::seconds(20), [this] { return !messages.empty(); }));
    if (messages.empty()) return {-1, -1};
    auto next = messages.front();
    messages.pop_front();
    return next;
  }
  void Release() {
    std::lock_guard<std::mutex> lock(mutex);
    hold = false;
    changed.notify_all();
  }
};

class DataAreaManagerTest : public store_test::TempRootTest {
 protected:
  void SetUp() override {
    TempRootTest::SetUp();
    dataRoot_ = Path("Morvane/Vantrel/DATA");
    ASSERT_EQ(manager_.Open(dataRoot_), STORE_OK);
    controller_.SetDataRoot(dataRoot_);
    posted_.controller = &controller_;
    controller_.SetCompletion(&Posted::Done, &posted_);
  }
  // Waits until the worker is idle again after its callback posted.
  void WaitIdle() {
    for (int i = 0; i < 2000 && !controller_.IsIdle(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(controller_.IsIdle());
  }

  std::string dataRoot_;
  CVTDataStorageManager manager_;
  Posted posted_;  // outlives the controller, whose runs post into it
  CDataAreaManager controller_{&manager_};
};

TEST_F(DataAreaManagerTest, AnEmptyListMakesListsAttachesAndOpensDefault) {
  ASSERT_TRUE(controller_.LoadAreas());
  ASSERT_EQ(controller_.GetCount(), 1);
  EXPECT_EQ(controller_.GetAreas()[0].name, "Default");
  EXPECT_EQ(controller_.GetAreas()[0].folder, "");

  ASSERT_TRUE(controller_.OpenCurrentArea(true));
  std::string attached, folder;
  ASSERT_EQ(manager_.GetAttachedName(attached), STORE_OK);
  EXPECT_EQ(attached, "Default");
  ASSERT_EQ(manager_.GetStorageFolder("Default", folder), STORE_OK);
  EXPECT_EQ(controller_.GetAreas()[0].folder, folder);
  ASSERT_NE(controller_.GetUIStorage(), nullptr);
  EXPECT_TRUE(controller_.GetUIStorage()->IsOpen());
  EXPECT_EQ(controller_.GetUIStorage()->GetFolder(), folder);
  // The worker's storage has its paths and is opened by the import worker itself.
  ASSERT_NE(controller_.GetWorkerStorage(), nullptr);
  EXPECT_FALSE(controller_.GetWorkerStorage()->IsOpen());
  EXPECT_EQ(controller_.GetWorkerStorage()->GetFolder(), folder);

  // Loading again finds the listed area and keeps it current.
  EXPECT_FALSE(controller_.LoadAreas());
  EXPECT_EQ(controller_.GetCount(), 1);
  EXPECT_TRUE(controller_.GetAreas()[0].attached);
}

TEST_F(DataAreaManagerTest, AnAreaWhoseFolderWasDeletedGetsAnEmptyFolderAgain) {
  ASSERT_EQ(manager_.CreateStorage("A"), STORE_OK);
  ASSERT_EQ(manager_.CreateStorage("B"), STORE_OK);
  ASSERT_EQ(manager_.Attach("B"), STORE_OK);
  std::string folderA;
  ASSERT_EQ(manager_.GetStorageFolder("A", folderA), STORE_OK);
  ASSERT_TRUE(DeleteFolderTree(folderA));

  EXPECT_FALSE(controller_.LoadAreas());
  ASSERT_EQ(controller_.GetCount(), 2);
  EXPECT_EQ(controller_.GetCurrentIndex(), 1);
  EXPECT_EQ(controller_.GetAreas()[0].status, AREA_STATUS_CORRUPTED);
  EXPECT_EQ(controller_.GetAreas()[0].folder, folderA);
  EXPECT_TRUE(vt::FolderExists(folderA));
  EXPECT_FALSE(vt::PathExists(vt::JoinPath(folderA, kIndexFileName)));
  EXPECT_EQ(controller_.GetAreas()[1].status, AREA_STATUS_OK);
}

TEST_F(DataAreaManagerTest, SwitchingToAnAreaThatCannotOpenKeepsThePreviousOne) {
  ASSERT_EQ(manager_.CreateStorage("Good"), STORE_OK);
  ASSERT_EQ(manager_.CreateStorage("Other"), STORE_OK);
  ASSERT_EQ(manager_.CreateStorage("Broken"), STORE_OK);
  std::string good, other, broken;
  ASSERT_EQ(manager_.GetStorageFolder("Good", good), STORE_OK);
  ASSERT_EQ(manager_.GetStorageFolder("Other", other), STORE_OK);
  ASSERT_EQ(manager_.GetStorageFolder("Broken", broken), STORE_OK);
  ASSERT_TRUE(vt_test::WriteFileBytes(vt::JoinPath(broken, kIndexFileName), "not a database at all"));
  ASSERT_EQ(manager_.Attach("Good"), STORE_OK);
  EXPECT_FALSE(controller_.LoadAreas());
  ASSERT_TRUE(controller_.OpenCurrentArea(false));
  ASSERT_EQ(controller_.GetUIStorage()->GetFolder(), good);

  EXPECT_FALSE(controller_.SwitchArea(2));
  std::string attached;
  ASSERT_EQ(manager_.GetAttachedName(attached), STORE_OK);
  EXPECT_EQ(attached, "Good");
  EXPECT_EQ(controller_.GetUIStorage()->GetFolder(), good);
  EXPECT_TRUE(controller_.GetUIStorage()->IsOpen());

  EXPECT_TRUE(controller_.SwitchArea(1));
  EXPECT_EQ(controller_.GetUIStorage()->GetFolder(), other);
  EXPECT_TRUE(controller_.GetUIStorage()->IsOpen());
  EXPECT_EQ(controller_.GetWorkerStorage()->GetFolder(), other);
  EXPECT_FALSE(controller_.SwitchArea(7));
}

TEST_F(DataAreaManagerTest, RunsReportTheirOperationAndResultFromTheWorkerThread) {
  ASSERT_EQ(manager_.CreateStorage("Main"), STORE_OK);
  const std::string backup = Path("backup");
  struct Run {
    int operation;
    std::string name;
    std::string path;
    int result;
  };
  const Run runs[] = {
      {DATA_AREA_CHECK, "Main", "", STORE_OK},
      {DATA_AREA_REBUILD, "Main", "", STORE_OK},
      {DATA_AREA_BACKUP, "Main", backup, STORE_OK},
      {DATA_AREA_RESTORE, "Restored", backup, STORE_OK},
      {DATA_AREA_CHECK, "Nowhere", "", STORE_NOT_FOUND},
      {7, "Main", "", STORE_FAILED},  // not an operation: nothing runs
  };
  for (const Run& run : runs) {
    SCOPED_TRACE(run.operation);
    ASSERT_TRUE(controller_.StartOperation(run.operation, run.name, run.path));
    EXPECT_EQ(posted_.Next(), std::make_pair(run.operation, run.result));
    EXPECT_NE(posted_.thread, std::this_thread::get_id());
    WaitIdle();
  }
  // The list is reloaded here, on the thread that owns it, once the message has arrived.
  EXPECT_FALSE(controller_.LoadAreas());
  ASSERT_EQ(controller_.GetCount(), 2);
  EXPECT_EQ(controller_.GetAreas()[1].name, "Restored");
}

TEST_F(DataAreaManagerTest, AStartWhileARunIsInProgressDoesNothing) {
  ASSERT_EQ(manager_.CreateStorage("Main"), STORE_OK);
  posted_.hold = true;  // the run cannot end before the test lets it
  ASSERT_TRUE(controller_.StartOperation(DATA_AREA_CHECK, "Main"));
  EXPECT_FALSE(controller_.IsIdle());
  EXPECT_FALSE(controller_.StartOperation(DATA_AREA_REBUILD, "Main"));
  EXPECT_EQ(controller_.GetOperation(), DATA_AREA_CHECK);
  posted_.Release();
  EXPECT_EQ(posted_.Next(), std::make_pair(int(DATA_AREA_CHECK), int(STORE_OK)));
  WaitIdle();
  {
    std::lock_guard<std::mutex> lock(posted_.mutex);
    EXPECT_TRUE(posted_.messages.empty());
  }
  ASSERT_TRUE(controller_.StartOperation(DATA_AREA_REBUILD, "Main"));
  EXPECT_EQ(posted_.Next(), std::make_pair(int(DATA_AREA_REBUILD), int(STORE_OK)));
}

TEST_F(DataAreaManagerTest, DestroyingTheControllerCancelsAndWaitsForTheRun) {
  ASSERT_EQ(manager_.CreateStorage("Main"), STORE_OK);
  Posted posted;
  auto controller = std::make_unique<CDataAreaManager>(&manager_);
  posted.controller = controller.get();
  controller->SetCompletion(&Posted::Done, &posted);
  // The backup's first file waits until a cancel arrives (or gives up after a while).
  std::atomic<bool> copying{false};
  manager_.SetProgress([&](const char*, const std::string&) {
    copying = true;
    for (int i = 0; i < 2000 && !manager_.IsCancelled(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  ASSERT_TRUE(controller->StartOperation(DATA_AREA_BACKUP, "Main", Path("backup")));
  while (!copying) std::this_thread::yield();
  const auto start = std::chrono::steady_clock::now();
  controller.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  // The run ended (cancelled) and reported before the controller was gone.
  std::lock_guard<std::mutex> lock(posted.mutex);
  ASSERT_EQ(posted.messages.size(), 1u);
  EXPECT_EQ(posted.messages.front(), std::make_pair(int(DATA_AREA_BACKUP), int(STORE_INTERRUPTED)));
  EXPECT_TRUE(vt::FileExists(Path("backup/BACKUPPROCESSING")));
}

}  // namespace

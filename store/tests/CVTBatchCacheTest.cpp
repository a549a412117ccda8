// The batch cache and its loader: shared batches with reference counts, loads that fail and are
// not cached, the bound on open readers, batches read from two threads at once, and a read of
// one batch that does not wait for a long read of another.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

#include "StoredDataFixture.h"
#include "store/CVTBatchCache.h"

namespace {

using store_test::kBaseMs;
using store_test::MsTime;
using store_test::RecordingFile;
using store_test::RecordingGuid;

constexpr int64_t T = kBaseMs;

class CVTBatchCacheTest : public store_test::StoredDataTest {
 protected:
  void SetUp() override {
    StoredDataTest::SetUp();
    cache_.Clear();
    cache_.SetStorage(&storage_);
  }
  CVTBatchCache& cache_ = CVTBatchCache::Instance();
};

TEST_F(CVTBatchCacheTest, SharesABatchUntilItsLastUserReleasesIt) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  Store(RecordingFile(2, 1, 10, T, 1000), "B.DAE");
  const int readers = CVTFile::OpenReaderCount();
  CVTBatch* first = cache_.Acquire(RecordingGuid(1));
  ASSERT_NE(first, nullptr);
  ASSERT_EQ(CVTFile::OpenReaderCount(), readers + 1);
  EXPECT_EQ(cache_.Acquire(RecordingGuid(1)), first);
  CVTBatch* other = cache_.Acquire(RecordingGuid(2));
  ASSERT_NE(other, nullptr);
  EXPECT_NE(other, first);
  EXPECT_EQ(cache_.GetCount(), 2);
  int index = -1;
  ASSERT_NE(cache_.FindEntry(first, &index), nullptr);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(cache_.FindEntry(RecordingGuid(1), nullptr)->count, 2);

  cache_.Release(first);
  EXPECT_EQ(cache_.FindEntry(RecordingGuid(1), nullptr)->count, 1);
  cache_.Release(first);
  EXPECT_EQ(cache_.FindEntry(RecordingGuid(1), nullptr), nullptr);
  EXPECT_EQ(CVTFile::OpenReaderCount(), readers + 1) << "the deleted batch closed its file's reader";
  ASSERT_NE(cache_.FindEntry(RecordingGuid(2), &index), nullptr);
  EXPECT_EQ(index, 0) << "the later entries move down";

  CVTBatch stranger(&storage_);
  cache_.Release(&stranger);  // not cached: nothing happens
  cache_.Release(nullptr);
  EXPECT_EQ(cache_.GetCount(), 1);
  cache_.Clear();
  EXPECT_EQ(cache_.GetCount(), 0);
}

TEST_F(CVTBatchCacheTest, ALoaderReleasesEveryAcquisitionItMade) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  Store(RecordingFile(2, 1, 10, T, 1000), "B.DAE");
  CVTBatch* kept = cache_.Acquire(RecordingGuid(2));
  {
    CVTBatchLoader loader;
    EXPECT_EQ(loader.AddBatch(RecordingGuid(1)), 0);
    EXPECT_EQ(loader.AddBatch(RecordingGuid(1)), 0);
    EXPECT_EQ(loader.AddBatch(RecordingGuid(2)), 0);
    EXPECT_EQ(loader.AddBatch(RecordingGuid(3)), 1);
    EXPECT_EQ(loader.GetBatches().size(), 3u);
    EXPECT_EQ(cache_.FindEntry(RecordingGuid(1), nullptr)->count, 2);
    EXPECT_EQ(cache_.FindEntry(RecordingGuid(2), nullptr)->count, 2);
  }
  EXPECT_EQ(cache_.FindEntry(RecordingGuid(1), nullptr), nullptr);
  EXPECT_EQ(cache_.FindEntry(RecordingGuid(2), nullptr)->count, 1);
  CVTBatchLoader loader;
  loader.AddBatch(RecordingGuid(2));
  loader.ReleaseAll();
  EXPECT_TRUE(loader.GetBatches().empty());
  EXPECT_EQ(cache_.FindEntry(RecordingGuid(2), nullptr)->count, 1);
  cache_.Release(kept);
}

TEST_F(CVTBatchCacheTest, ABatchThatCannotBeLoadedIsNotCached) {
  EXPECT_EQ(cache_.Acquire(RecordingGuid(1)), nullptr);
  EXPECT_EQ(cache_.GetCount(), 0);
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  EXPECT_NE(cache_.Acquire(RecordingGuid(1)), nullptr) << "a later acquire loads it again";

  cache_.Clear();
  cache_.SetStorage(nullptr);
  EXPECT_EQ(cache_.Acquire(RecordingGuid(1)), nullptr);
  EXPECT_EQ(cache_.GetCount(), 0);
}

TEST_F(CVTBatchCacheTest, TooManyOpenReadersAreClosedInBulkAndReopenWhenNeeded) {
  // One batch of more files than the reader limit, and a second small batch.
  constexpr int kFiles = OPEN_READER_LIMIT + 20;
  for (int i = 0; i < kFiles; ++i)
    Store(RecordingFile(1, 1 + 2 * i, 2, T + i * 2000, 1000), "F" + std::to_string(i) + ".DAE");
  Store(RecordingFile(2, 1, 10, T, 1000), "OTHER.DAE");
  const int before = CVTFile::OpenReaderCount();
  CVTBatch* other = cache_.Acquire(RecordingGuid(2));
  ASSERT_NE(other, nullptr);
  CVTBatch* big = cache_.Acquire(RecordingGuid(1));
  ASSERT_NE(big, nullptr);
  ASSERT_EQ(big->GetFileCount(), kFiles);
  EXPECT_EQ(CVTFile::OpenReaderCount(), before + 3);  // readers are opened lazily
  ASSERT_TRUE(other->GetFile(0)->HasOpenReader());

  CVTData data;
  ASSERT_EQ(big->ReadRecords(1, MsTime(T), MsTime(T + kFiles * 2000), &data, 0, false), STORE_OK);
  EXPECT_EQ(data.GetCount(), 2 * kFiles) << "the read goes on after the readers were closed";
  EXPECT_LT(CVTFile::OpenReaderCount(), before + OPEN_READER_LIMIT);
  EXPECT_FALSE(other->GetFile(0)->HasOpenReader()) << "every cached batch closed its readers";
  EXPECT_TRUE(big->GetFile(kFiles - 1)->HasOpenReader()) << "readers after the bulk close stay open";

  CVTData again;
  ASSERT_EQ(other->ReadRecords(1, MsTime(T), MsTime(T + 9000), &again, 0, false), STORE_OK);
  EXPECT_EQ(again.GetCount(), 10);
  EXPECT_TRUE(other->GetFile(0)->HasOpenReader());
  cache_.Clear();
  EXPECT_EQ(CVTFile::OpenReaderCount(), before);
}

TEST_F(CVTBatchCacheTest, TwoThreadsReadTheSameBatches) {
  // The trend conversion reads a batch on its own thread while the user interface reads it and
  // acquires, releases and closes readers; every read must still see whole, correct data.
  for (int i = 0; i < 6; ++i)
    Store(RecordingFile(1, 1 + 50 * i, 50, T + i * 5000, 100), "F" + std::to_string(i) + ".DAE");
  for (int i = 0; i < 3; ++i)
    Store(RecordingFile(2, 1 + 50 * i, 50, T + i * 5000, 100), "G" + std::to_string(i) + ".DAE");
  CVTBatch* shared = cache_.Acquire(RecordingGuid(1));
  ASSERT_NE(shared, nullptr);
  std::atomic<int> failures{0};
  auto reader = [&](int channel, int rounds) {
    for (int r = 0; r < rounds; ++r) {
      CVTData data;
      if (shared->ReadRecords(channel, MsTime(T), MsTime(T + 29900), &data, -1, true) != STORE_OK ||
          data.GetCount() != 300)
        ++failures;
      CVTBatchLoader loader;
      if (loader.AddBatch(RecordingGuid(2)) != 0) ++failures;
      CVTData other;
      if (loader.GetBatches()[0]->ReadRecordsAt(channel, 10, 100, &other) != STORE_OK ||
          other.GetCount() != 100)
        ++failures;
      if (r % 3 == 0) CVTBatchCache::Instance().CloseAllReaders();
    }
  };
  std::thread worker(reader, 2, 40);
  reader(1, 40);
  worker.join();
  EXPECT_EQ(failures.load(), 0);
  cache_.Release(shared);
}

TEST_F(CVTBatchCacheTest, AShortReadOfOneBatchFinishesWhileALongReadOfAnotherRuns) {
  // The long read (a trend conversion on its worker) is held inside its batch by the read hook
  // until the short read (the user interface) has finished; with one lock for every batch the
  // short read would wait for it. The deadline only turns such a wait into a failure.
  Store(RecordingFile(1, 1, 50, T, 100), "F0.DAE");
  Store(RecordingFile(2, 1, 50, T, 100), "G0.DAE");
  CVTBatch* longBatch = cache_.Acquire(RecordingGuid(1));
  ASSERT_NE(longBatch, nullptr);
  std::promise<void> entered, release;
  std::shared_future<void> released = release.get_future().share();
  std::atomic<bool> held{false};
  CVTFile::SetReadHookForTests([&](const CVTFile& file) {
    if (file.GetPath().find("F0.DAE") == std::string::npos || held.exchange(true)) return;
    entered.set_value();
    released.wait();
  });
  std::thread worker([&] {
    CVTData data;
    EXPECT_EQ(longBatch->ReadRecords(1, MsTime(T), MsTime(T + 4900), &data, -1, true), STORE_OK);
    EXPECT_EQ(data.GetCount(), 50);
  });
  entered.get_future().wait();
  // While the long read is held: another batch is acquired, loaded and read, and the readers of
  // idle batches may be closed.
  auto shortRead = std::async(std::launch::async, [&] {
    CVTBatchLoader loader;
    if (loader.AddBatch(RecordingGuid(2)) != 0) return -1;
    cache_.CloseIdleReaders();
    CVTData data;
    if (loader.GetBatches()[0]->ReadRecordsAt(2, 10, 20, &data) != STORE_OK) return -1;
    return data.GetCount();
  });
  const bool finished = shortRead.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
  release.set_value();
  worker.join();
  CVTFile::SetReadHookForTests({});
  EXPECT_TRUE(finished) << "the short read waited for the long read of another batch";
  EXPECT_EQ(shortRead.get(), 20);
  cache_.Release(longBatch);
}

}  // namespace

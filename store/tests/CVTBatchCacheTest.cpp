// The batch cache and its loader: shared batches with reference counts, loads that fail and are
// not cached, the bound on open readers, and batches read from two threads at once.
#include <gtest/gtest.h>

#include <atomic>
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

}  // namespace

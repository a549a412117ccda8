// Worker threads: start, running state, joining with a time-out, and thread identities.
#include "platform/base/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

TEST(ThreadTest, StartJoinWithTimeOutAndRestart) {
  vt::Thread thread;
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(thread.Id(), 0u);
  EXPECT_FALSE(thread.Start(nullptr));

  std::atomic<bool> go{false};
  std::atomic<uint64_t> seenId{0};
  ASSERT_TRUE(thread.Start([&] {
    seenId = vt::CurrentThreadId();
    while (!go) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }));
  const uint64_t firstId = thread.Id();
  EXPECT_NE(firstId, 0u);
  EXPECT_NE(firstId, vt::CurrentThreadId());
  EXPECT_TRUE(thread.IsRunning());
  EXPECT_FALSE(thread.Start([] {})) << "a body still runs";
  EXPECT_FALSE(thread.Join(0));
  EXPECT_FALSE(thread.Join(20));
  EXPECT_TRUE(thread.IsRunning());

  go = true;
  ASSERT_TRUE(thread.Join(vt::kInfiniteTimeout));
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(seenId, firstId);
  EXPECT_TRUE(thread.Join(0)) << "already ended";

  ASSERT_TRUE(thread.Start([] {}));
  EXPECT_TRUE(thread.Join(10000));
  EXPECT_NE(thread.Id(), firstId);
}

TEST(ThreadTest, DestructorWaitsForTheBody) {
  std::atomic<bool> finished{false};
  {
    vt::Thread thread;
    ASSERT_TRUE(thread.Start([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      finished = true;
    }));
  }
  EXPECT_TRUE(finished);
}

TEST(ThreadTest, IdsAreSmallStableAndUnique) {
  std::mutex mutex;
  std::vector<uint64_t> ids{vt::CurrentThreadId()};
  EXPECT_EQ(vt::CurrentThreadId(), ids[0]);
  std::vector<std::thread> threads;
  for (int i = 0; i < 16; ++i) {
    threads.emplace_back([&] {
      uint64_t id = vt::CurrentThreadId();
      EXPECT_EQ(vt::CurrentThreadId(), id);
      std::lock_guard lock(mutex);
      ids.push_back(id);
    });
  }
  for (auto& t : threads) t.join();
  std::set<uint64_t> unique(ids.begin(), ids.end());
  EXPECT_EQ(unique.size(), ids.size());
  EXPECT_EQ(unique.count(0), 0u);
  EXPECT_LT(*unique.rbegin(), 1000000u) << "a counter, not an address";
}

}  // namespace

// Named file mappings: zeroed by the first opener, shared by holders, fresh after the last close.
#include "platform/base/FileMapping.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

using vt::NamedFileMapping;

bool AllZero(const NamedFileMapping& mapping) {
  for (std::size_t i = 0; i < mapping.Size(); ++i) {
    if (mapping.Data()[i] != 0) return false;
  }
  return true;
}

TEST(FileMappingTest, LifetimeFollowsTheHolders) {
  const char* name = "VANTREL_TEST_MAPPING";
  NamedFileMapping first, second;
  bool existed = true;
  ASSERT_TRUE(first.Open(name, 172, &existed));
  EXPECT_FALSE(existed);
  ASSERT_EQ(first.Size(), 172u);
  EXPECT_TRUE(AllZero(first));
  std::memset(first.Data(), 0xAB, first.Size());

  ASSERT_TRUE(second.Open(name, 172, &existed));
  EXPECT_TRUE(existed);
  EXPECT_EQ(second.Data()[171], 0xAB) << "holders share the contents";
  second.Data()[0] = 0x11;
  EXPECT_EQ(first.Data()[0], 0x11);

  first.Close();
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(first.Data(), nullptr);
  EXPECT_EQ(second.Data()[0], 0x11) << "alive while one holder remains";
  ASSERT_TRUE(first.Open(name, 172, &existed));
  EXPECT_TRUE(existed);

  first.Close();
  second.Close();
  ASSERT_TRUE(first.Open(name, 172, &existed));
  EXPECT_FALSE(existed) << "gone after the last close";
  EXPECT_TRUE(AllZero(first));
}

TEST(FileMappingTest, SizeRules) {
  const char* name = "VANTREL_TEST_SIZES";
  NamedFileMapping creator, smaller, larger, empty;
  bool existed = false;
  EXPECT_FALSE(creator.Open(name, 0)) << "a new block needs a size";
  EXPECT_FALSE(creator.Open("", 16));
  ASSERT_TRUE(creator.Open(name, 64));
  ASSERT_TRUE(smaller.Open(name, 16, &existed));
  EXPECT_TRUE(existed);
  EXPECT_EQ(smaller.Size(), 64u) << "an existing block keeps its size";
  EXPECT_FALSE(larger.Open(name, 65, &existed));
  EXPECT_TRUE(existed);
  EXPECT_FALSE(larger.IsOpen());
  EXPECT_TRUE(empty.Open(name, 0)) << "size 0 opens an existing block whole";
  EXPECT_EQ(empty.Data(), creator.Data());
  EXPECT_FALSE(NamedFileMapping().IsOpen());
}

TEST(FileMappingTest, OpenAndCloseFromManyThreads) {
  const char* name = "VANTREL_TEST_THREADS";
  NamedFileMapping holder;
  ASSERT_TRUE(holder.Open(name, 32));
  holder.Data()[5] = 7;

  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 500; ++i) {
        NamedFileMapping mapping;
        bool existed = false;
        if (!mapping.Open(name, 32, &existed) || !existed || mapping.Data() != holder.Data() ||
            mapping.Data()[5] != 7) {
          ++wrong;
        }
        // A private name per thread: created, then gone on each round.
        NamedFileMapping own;
        std::string ownName = std::string(name) + std::to_string(t);
        if (!own.Open(ownName, 8, &existed) || existed || own.Data()[0] != 0) ++wrong;
        own.Data()[0] = 1;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong, 0);
}

}  // namespace

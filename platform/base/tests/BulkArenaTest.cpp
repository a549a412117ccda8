// BulkArena: blocks are aligned, do not overlap and stay valid until the arena goes; the
// allocator keeps small blocks on the heap, so containers that grow keep their contents.
#include "platform/base/BulkArena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

TEST(BulkArena, BlocksAreAlignedApartAndKeepTheirBytes) {
  vt::BulkArena arena;
  EXPECT_EQ(arena.MappedBytes(), 0u);
  struct Block {
    char* p;
    size_t size;
    unsigned char fill;
  };
  std::vector<Block> blocks;
  // Small and odd sizes, one block larger than a whole mapping, then small ones again.
  const size_t sizes[] = {1, 3, 4096, 100000, 7, size_t(100) << 20, 12, 0, 5000000};
  const size_t alignments[] = {1, 8, 4096, 16, 2, 64, 4, 8, 4096};
  for (size_t i = 0; i < std::size(sizes); ++i) {
    char* p = static_cast<char*>(arena.Allocate(sizes[i], alignments[i]));
    ASSERT_NE(p, nullptr) << i;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignments[i], 0u) << i;
    const size_t size = sizes[i] == 0 ? 1 : sizes[i];
    std::memset(p, int(i + 1), size);
    blocks.push_back(Block{p, size, static_cast<unsigned char>(i + 1)});
  }
  EXPECT_GE(arena.MappedBytes(), size_t(100) << 20);
  for (size_t i = 0; i < blocks.size(); ++i) {
    for (size_t j = 0; j < blocks.size(); ++j) {
      if (i == j) continue;
      EXPECT_TRUE(blocks[i].p + blocks[i].size <= blocks[j].p || blocks[j].p + blocks[j].size <= blocks[i].p)
          << i << " overlaps " << j;
    }
    const Block& b = blocks[i];
    EXPECT_EQ(static_cast<unsigned char>(b.p[0]), b.fill);
    EXPECT_EQ(static_cast<unsigned char>(b.p[b.size - 1]), b.fill);
  }
}

TEST(BulkArena, ContainersGrowAcrossTheArenaThreshold) {
  vt::BulkArena arena;
  using Vector = std::vector<uint64_t, vt::BulkAllocator<uint64_t>>;
  Vector small{vt::BulkAllocator<uint64_t>(&arena)};
  for (uint64_t i = 0; i < 1000; ++i) small.push_back(i);
  EXPECT_EQ(arena.MappedBytes(), 0u);  // under the threshold: the heap
  Vector large{vt::BulkAllocator<uint64_t>(&arena)};
  for (uint64_t i = 0; i < 200000; ++i) large.push_back(i * 3);
  EXPECT_GT(arena.MappedBytes(), 0u);
  for (uint64_t i = 0; i < 200000; ++i) ASSERT_EQ(large[i], i * 3);
  // Shrinking below the threshold moves back to the heap with the contents.
  large.resize(10);
  large.shrink_to_fit();
  EXPECT_EQ(large[9], 27u);
  // Without an arena the allocator is the heap's.
  Vector plain;
  plain.assign(100000, 5);
  EXPECT_EQ(plain.back(), 5u);
}

}  // namespace

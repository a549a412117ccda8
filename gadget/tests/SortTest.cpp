// Tests of the child-ring merge sort: stability, the small cases, and random input against the
// standard library's stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "gadget/GSortCore.h"

namespace {

// An entry with a key; positive columns sort ascending, negative ones descending.
class Entry : public CGSortCore {
 public:
  Entry(CGCore* parent, int key, int tag) : CGSortCore(tag, parent), key(key) {}
  int Compare(CGSortCore* other, int column) override {
    ++compares;
    const int d = key - static_cast<Entry*>(other)->key;
    return column >= 0 ? d : -d;
  }
  int key;
  static inline int compares = 0;
};

std::vector<std::pair<int, int>> Contents(const CGCore& list) {
  std::vector<std::pair<int, int>> out;
  for (CGCore* c = list.GetFirstChild(); c; c = list.NextChild(c))
    out.emplace_back(static_cast<Entry*>(c)->key, c->GetId());
  return out;
}

TEST(GadgetSort, StableOnEqualKeysInBothDirections) {
  CGSortCore list(0, nullptr);
  const int keys[] = {3, 1, 2, 1, 3};
  for (int i = 0; i < 5; ++i) new Entry(&list, keys[i], i);
  list.Sort(1);
  EXPECT_EQ(Contents(list), (std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {2, 2}, {3, 0}, {3, 4}}));
  list.Sort(-1);
  EXPECT_EQ(Contents(list), (std::vector<std::pair<int, int>>{{3, 0}, {3, 4}, {2, 2}, {1, 1}, {1, 3}}));
}

TEST(GadgetSort, SmallListsAndTheBaseComparison) {
  CGSortCore empty(0, nullptr);
  empty.Sort(1);
  EXPECT_EQ(empty.GetFirstChild(), nullptr);

  CGSortCore two(0, nullptr);
  new Entry(&two, 5, 0);
  new Entry(&two, 4, 1);
  two.Sort(1);
  EXPECT_EQ(Contents(two), (std::vector<std::pair<int, int>>{{4, 1}, {5, 0}}));
  two.Sort(1);
  EXPECT_EQ(Contents(two), (std::vector<std::pair<int, int>>{{4, 1}, {5, 0}}));

  // Plain sortable nodes compare equal: the order never changes.
  CGSortCore plain(0, nullptr);
  for (int i = 0; i < 7; ++i) new CGSortCore(i, &plain);
  plain.Sort(1);
  std::vector<int> ids;
  for (CGCore* c = plain.GetFirstChild(); c; c = plain.NextChild(c)) ids.push_back(c->GetId());
  EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(GadgetSort, RandomListsMatchTheStandardStableSort) {
  std::mt19937 random(12345);
  for (int n = 0; n <= 200; n += (n < 20 ? 1 : 17)) {
    for (int column : {1, -1}) {
      CGSortCore list(0, nullptr);
      std::vector<std::pair<int, int>> expected;
      for (int i = 0; i < n; ++i) {
        const int key = int(random() % 8);  // many equal keys
        new Entry(&list, key, i);
        expected.emplace_back(key, i);
      }
      std::stable_sort(expected.begin(), expected.end(), [column](const auto& a, const auto& b) {
        return column >= 0 ? a.first < b.first : a.first > b.first;
      });
      Entry::compares = 0;
      list.Sort(column);
      ASSERT_EQ(Contents(list), expected) << "n " << n << " column " << column;
      if (n > 1) {
        EXPECT_LE(Entry::compares, 2 * n * (32 - __builtin_clz(unsigned(n))));
      }
      for (CGCore* c = list.GetFirstChild(); c; c = list.NextChild(c)) ASSERT_EQ(c->GetParent(), &list);
    }
  }
}

}  // namespace

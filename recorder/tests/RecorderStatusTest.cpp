// Recorder states to sample status, the difference status table and the GUID order.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "recorder/RecorderStatus.h"

namespace {

TEST(RecorderStatus, StateTable) {
  const int expected[][2] = {{0, 0},  {1, 1},  {2, 2},   {4, 4},   {5, 5}, {6, 6},  {7, 7},  {8, 12}, {9, 12},
                             {10, 8}, {11, 9}, {12, 10}, {13, 11}, {3, 3}, {14, 3}, {15, 3}, {-1, 3}};
  for (const auto& row : expected) EXPECT_EQ(RecorderStateToSampleStatus(row[0]), row[1]) << row[0];
}

TEST(RecorderStatus, DifferenceTable) {
  const int statuses[] = {0, 6, 7, 3};
  const int table[4][4] = {{0, 7, 6, 11}, {6, 11, 6, 11}, {7, 7, 11, 11}, {11, 11, 11, 11}};
  for (int a = 0; a < 4; ++a)
    for (int b = 0; b < 4; ++b)
      EXPECT_EQ(GetDifferenceStatus(statuses[a], statuses[b]), table[a][b]) << a << "," << b;
}

TEST(RecorderStatus, GuidOrderMatchesUpperCaseText) {
  std::vector<vt::Guid> guids;
  vt::Guid g;
  g.data1 = 1;
  guids.push_back(g);
  g.data1 = 0x80000000u;
  guids.push_back(g);
  g.data2 = 0x8000;
  guids.push_back(g);
  g.data4[7] = 0xFF;
  guids.push_back(g);
  g.data4[0] = 0x01;
  guids.push_back(g);
  for (int i = 0; i < 20; ++i) guids.push_back(vt::Guid::Create());
  for (const auto& a : guids)
    for (const auto& b : guids) EXPECT_EQ(IsGuidLess(a, b), a.ToText() < b.ToText());
}

}  // namespace

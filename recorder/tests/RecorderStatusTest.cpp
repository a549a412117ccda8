// Recorder states to sample status, the difference status table and the GUID order.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "recorder/RecorderState.h"
#include "recorder/RecorderStatus.h"

namespace {

TEST(RecorderStatus, StateTable) {
  const int expected[][2] = {{0, 0},  {1, 1},  {2, 2},   {4, 4},   {5, 5}, {6, 6},  {7, 7},  {8, 12}, {9, 12},
                             {10, 8}, {11, 9}, {12, 10}, {13, 11}, {3, 3}, {14, 3}, {15, 3}, {-1, 3}};
  for (const auto& row : expected) EXPECT_EQ(RecorderStateToSampleStatus(row[0]), row[1]) << row[0];
}

// The reserved raw values of both formats, 16-bit and 32-bit; code 14 is the newer format's only.
TEST(RecorderStatus, ReservedRawValues) {
  struct Case {
    uint32_t raw;
    int size;
    int older;
    int newer;
  };
  const Case cases[] = {
      {0x7FFF, 2, 6, 6},
      {0x8001, 2, 7, 7},
      {0x7FFA, 2, 8, 8},
      {0x8006, 2, 9, 9},
      {0x8002, 2, 10, 10},
      {0x8003, 2, 11, 11},
      {0x8004, 2, 12, 12},
      {0x8005, 2, 13, 13},
      {0x7F7F, 2, 0, 14},
      {0x7FFE, 2, 0, 0},
      {0x12347FFF, 2, 6, 6},  // 16-bit values look at the
                              // low half only
      {0x7FFF7FFF, 4, 6, 6},
      {0x80018001, 4, 7, 7},
      {0x80028002, 4, 10, 10},
      {0x80038003, 4, 11, 11},
      {0x80048004, 4, 12, 12},
      {0x80058005, 4, 13, 13},
      {0x7F7F7F7F, 4, 0, 14},
      {0x7FFA7FFA, 4, 0, 0},
      {0x00007FFF, 4, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecorderStateOfRaw(int32_t(c.raw), c.size, RecorderFormat::Older), c.older)
        << std::hex << c.raw;
    EXPECT_EQ(RecorderStateOfRaw(int32_t(c.raw), c.size, RecorderFormat::Newer), c.newer)
        << std::hex << c.raw;
  }
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

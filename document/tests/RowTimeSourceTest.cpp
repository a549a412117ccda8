// The row times of the trend sheet over bound channels: the union of several grids, blocks of
// 500 rows loaded on demand, FindRow inside blocks and between them, the marks attached to rows
// at block edges, and the bounded row count of the sheet command's enabler.
#include <gtest/gtest.h>

#include "document/CGVantrelNgTime.h"
#include "document/testing/DocumentFixture.h"

namespace document_test {
namespace {

constexpr int64_t T = kBaseMs;

class RowTimeSourceTest : public DocumentTest {
 protected:
  static int64_t RowMs(CGVantrelNgTime& rows, int row) {
    PreciseTime t;
    rows.GetRowTime(&t, row);
    return TickTime::FromPreciseTime(t).DiffMilliseconds(MsTime(T));
  }
  static SNgMarkData Mark(int64_t ms, uint32_t colour) {
    SNgMarkData m;
    m.time = At(T + ms);
    m.colour = colour;
    return m;
  }
};

TEST_F(RowTimeSourceTest, RowsAreTheUnionOfTheGrids) {
  Store(RecordingFile(1, 1, 10, T, 2000), "A.DAE");
  Store(RecordingFile(2, 1, 7, T, 3000), "B.DAE");
  CGVantrelNgChannel* channels[] = {Bind(RecordingGuid(1), 1), Bind(RecordingGuid(1), 2),
                                    Bind(RecordingGuid(2), 1)};
  CGVantrelNgTime rows;
  rows.Build(3, channels, MsTime(T), MsTime(T + 18000));
  std::vector<int64_t> seconds;
  for (int r = 0; r < rows.GetRowCount(); ++r) seconds.push_back(RowMs(rows, r) / 1000);
  EXPECT_EQ(seconds, (std::vector<int64_t>{0, 2, 3, 4, 6, 8, 9, 10, 12, 14, 15, 16, 18}));
  EXPECT_EQ(CGVantrelNgTime::CountRows(3, channels, MsTime(T), MsTime(T + 18000), 100), 13);
  EXPECT_EQ(CGVantrelNgTime::CountRows(3, channels, MsTime(T), MsTime(T + 18000), 5), 6);
  // A begin time off the grids is the first row; a range past the data is that row alone.
  CGVantrelNgTime off;
  off.Build(3, channels, MsTime(T + 500), MsTime(T + 2000));
  EXPECT_EQ(off.GetRowCount(), 2);
  // One grid (two channels of one batch): the same rows without a walk.
  CGVantrelNgTime single;
  single.Build(2, channels, MsTime(T + 500), MsTime(T + 5000));
  EXPECT_EQ(single.GetRowCount(), 3);
  EXPECT_EQ(RowMs(single, 0), 500);
  EXPECT_EQ(RowMs(single, 2), 4000);
  EXPECT_EQ(CGVantrelNgTime::CountRows(2, channels, MsTime(T), MsTime(T + 18000), 100), 10);
  EXPECT_EQ(CGVantrelNgTime::CountRows(2, channels, MsTime(T), MsTime(T + 18000), 5), 6);
  CGVantrelNgTime after;
  after.Build(3, channels, MsTime(T + 60000), MsTime(T + 70000));
  EXPECT_EQ(after.GetRowCount(), 1);
  EXPECT_EQ(RowMs(after, 0), 60000);
  PreciseTime none;
  after.GetRowTime(&none, 1);
  EXPECT_EQ(none, (PreciseTime{-1, 0.0}));
}

TEST_F(RowTimeSourceTest, BlocksLoadOnDemandAndFindRowBetweenThem) {
  Store(RecordingFile(1, 1, 1200, T, 1000), "A.DAE");
  CGVantrelNgChannel* channel = Bind(RecordingGuid(1), 1);
  CGVantrelNgTime rows;
  rows.Build(1, &channel, MsTime(T), MsTime(T + 1199000));
  EXPECT_EQ(rows.GetRowCount(), 1200);
  EXPECT_EQ(rows.GetBlockCount(), 3);
  EXPECT_EQ(rows.GetCurrentBlock(), 0);
  EXPECT_EQ(RowMs(rows, 500), 500000);  // row 0 of block 1
  EXPECT_EQ(rows.GetCurrentBlock(), 1);
  struct Case {
    double seconds;
    int row;
  } cases[] = {
      {3.4, 4},      // between two rows: the later
      {499.4, 499},  // between blocks: the nearer edge row
      {499.5, 499},  // a tie: the earlier block's last row
      {499.6, 500}, {1100, 1100}, {5000, 1199}, {-10, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(rows.FindRow(At(T, c.seconds)), c.row) << c.seconds;
  EXPECT_EQ(rows.FindRow(PreciseTime{-1, 0.0}), -1);
  PreciseTime t;
  rows.GetRowTime(&t, -1);
  EXPECT_EQ(t, (PreciseTime{-1, 0.0}));
  rows.Clear();
  EXPECT_EQ(rows.FindRow(At(T)), -1);
  EXPECT_EQ(rows.GetRowCount(), 0);
}

TEST_F(RowTimeSourceTest, MarksAttachToRowsAtBlockEdges) {
  Store(RecordingFile(1, 1, 1200, T, 1000), "A.DAE");
  CGVantrelNgChannel* channel = Bind(RecordingGuid(1), 1);
  CGVantrelNgTime rows;
  rows.Build(1, &channel, MsTime(T), MsTime(T + 1199000));
  const SNgMarkData marks[] = {Mark(3500, 1), Mark(-1, 2), Mark(499000, 3), Mark(2000000, 4), Mark(3500, 5)};
  rows.SetMarks(5, marks);
  EXPECT_EQ(rows.GetMarkCount(0), 0);  // the mark 1 ms before the first row is not shown
  EXPECT_EQ(rows.GetMarkColourAt(0, 0), 0x0200FF00u);
  EXPECT_EQ(rows.GetMarkCount(4), 2);  // between rows 3 and 4: the later row, in the given order
  EXPECT_EQ(rows.GetMarkColour(4), 1u);
  EXPECT_EQ(rows.GetMarkColourAt(4, 1), 5u);
  EXPECT_EQ(rows.GetMarkCount(499), 1);  // at block 0's last row while block 0 is current
  EXPECT_EQ(rows.GetMarkCount(500), 1);  // and at block 1's first row while block 1 is
  EXPECT_EQ(rows.GetMarkColour(500), 3u);
  EXPECT_EQ(rows.GetMarkCount(1199), 1);  // after the last row: shown at the last row
  SNgMarkData first;
  EXPECT_TRUE(rows.GetRowFirstMark(1199, &first));
  EXPECT_EQ(first.colour, 4u);
  EXPECT_FALSE(rows.GetRowFirstMark(1198, &first));
}

}  // namespace
}  // namespace document_test

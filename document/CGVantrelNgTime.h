// CGVantrelNgTime: the row times of one group's numeric trend sheet. The rows are the union of
// the sample grids of the group's shown channels between the group's begin and end times (the
// first row is the begin time itself). A group of long recordings can have 100,000,000 rows, so
// only the first and last time and the row count of each block of 500 rows stay in memory, and
// the rows of one block are rebuilt when a row of another block is asked for.
//
// Channels whose grids are the same (start, end and interval) count once; a single grid is
// walked arithmetically and several grids are merged with a heap, so building the block table
// costs one step per row. Marks are attached to the rows of a block when the block is loaded or
// the marks change, not at every row access.
#pragma once
#include <cstdint>
#include <vector>

#include "document/DocumentRecords.h"
#include "document/NgExchangeRecords.h"
#include "recorder/TickTime.h"
#include "trend/NgChannel.h"

class CGVantrelNgChannel;

inline constexpr int ROWS_PER_BLOCK = 500;

class CGVantrelNgTime : public CGNgTime {
 public:
  CGVantrelNgTime() : CGNgTime(nullptr, 0) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelNgTime); }

  int GetRowCount() override { return int(rowCount_); }
  int FindRow(PreciseTime t) override;
  PreciseTime* GetRowTime(PreciseTime* out, int row) override;
  int GetMarkCount(int row) override;
  uint32_t GetMarkColour(int row) override { return GetMarkColourAt(row, 0); }
  uint32_t GetMarkColourAt(int row, int index) override;

  // Builds the block table over the channels' grids in [begin, end]; nothing when count is 0 or
  // the rows are built already.
  void Build(int count, CGVantrelNgChannel* const* channels, TickTime begin, TickTime end);
  void Clear();
  bool IsBuilt() const { return rowsPerBlock_ != 0; }
  int GetChannelCount() const { return int(channels_.size()); }
  // Copies of the records, ordered by time (equal times keep their given order).
  void SetMarks(int count, const SNgMarkData* records);
  // The first mark attached to the row; false when there is none.
  bool GetRowFirstMark(int row, SNgMarkData* record);

  // The number of rows Build would make, counting no further than limit + 1 (for the sheet
  // command's enabler, which only asks whether the limit is passed).
  static int64_t CountRows(int count, CGVantrelNgChannel* const* channels, TickTime begin, TickTime end,
                           int64_t limit);

  int GetBlockCount() const { return int(blocks_.size()); }
  int GetCurrentBlock() const { return currentBlock_; }

 private:
  struct Block {
    TickTime first, last;
    int rowCount = 0;
  };
  struct Row {
    TickTime time;
    std::vector<int> marks;  // indexes into marks_
  };
  // One distinct sample grid.
  struct Grid {
    TickTime start, end;
    int64_t step = 0;  // ticks
    // The first grid point after t; 0 when none.
    TickTime Next(TickTime t) const;
  };

  static std::vector<Grid> GridsOf(int count, CGVantrelNgChannel* const* channels);
  // For a single grid: the index from its start of its first point after begin and the number of
  // its points in (begin, end].
  static int64_t PointsAfter(const Grid& g, TickTime begin, TickTime end, int64_t* firstIndex);
  // Calls emit(time) for each row after the first, in order, while it returns true.
  template <class F>
  static void WalkRows(const std::vector<Grid>& grids, TickTime begin, TickTime end, F&& emit);
  TickTime EarliestNext(TickTime t) const;
  void LoadRows(int block);
  void AttachMarks();
  // The row record of row i of block k (loaded as needed); null when the block has no such row.
  Row* GetRow(int block, int index);
  Row* GetRowOf(int row);

  int64_t rowCount_ = 0;
  std::vector<CGVantrelNgChannel*> channels_;
  std::vector<Grid> grids_;
  std::vector<SNgMarkData> marks_;
  std::vector<int> marksByTime_;
  std::vector<Block> blocks_;
  std::vector<Row> rows_;  // of the current block, in time order
  int currentBlock_ = -1;
  int rowsPerBlock_ = 0;
};

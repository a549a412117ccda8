// CGVantrelNgChannelSummary: the min/max summaries of the trend channels bound to one batch with
// the same segment and grid, shared by them, so that a pixel column is answered without walking
// its samples and the stored records are read once for all those channels.
//
// The summaries lie on the block tiling of the channel cache (blocks of 50,001 grid points from
// the data start), for data longer than the three blocks a cache holds. The first span read that reaches a
// tiling block reads that block's records once for every member channel (CVTBatch::ReadColumns) and folds
// them into five levels of entries per channel: one entry per 8, 64, 512, 4,096 and 32,768 points, each the
// raw extremes and the state bits a scan of those points gives (SNgSpanScan). A span inside a block is then
// folded from the coarsest entries it covers whole; the points at its two ends that no entry
// covers whole are scanned one by one. Those edge points come from the block decoded last, or
// from a small store of edge groups (8 points of every member, read once for all of them when
// first asked), so that a refill at the same column bounds for the next channel reads nothing.
// Every answer is the one the block cache's scan gives over the same points.
//
// UI thread only: a clone bound for another thread keeps its own block cache and no summaries.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "document/CGVantrelNgChannelDataCache.h"
#include "platform/base/BulkArena.h"
#include "recorder/TickTime.h"

class CGVantrelNgChannel;
class CVTBatch;

namespace vt {

// A TickTime as PreciseTime, and the seconds from a to b (negative when b is earlier).
PreciseTime NgPreciseOf(TickTime t);
double NgSecondsBetween(const PreciseTime& a, const PreciseTime& b);

}  // namespace vt

// What a scan of a run of points folds into its result; the rules of the block cache's scan.
void ScanNgPoints(const uint16_t* status, const int32_t* low, const int32_t* high, bool pairs, int64_t i0,
                  int64_t i1, vt::SNgSpanScan* acc);

namespace vt {

class CGVantrelNgChannelSummary {
 public:
  // The summary group of a channel's binding (batch, segment, data span, interval, data kind),
  // made when none exists; the channel becomes a member. Null when the grid has no points.
  static std::shared_ptr<CGVantrelNgChannelSummary> Join(CGVantrelNgChannel* channel, int* slot);
  void Leave(int slot);

  // The extremes scan of [t0, t1] of the member at slot, merged across tiling blocks as the block
  // cache merges them; false when the summaries cannot be had (no memory, a failed read), and the
  // caller then uses the block cache.
  bool ScanOver(int slot, const PreciseTime& t0, const PreciseTime& t1, SNgSpanScan* acc,
                SNgColumnWalk* walk = nullptr);

  // Columns first .. first + count - 1 of a plot for the member at slot: column i spans
  // [start + i x width, start + i x width + width] seconds clipped to [lo, hi], as the channel's
  // column read computes it. Per column, kind[k] says what came of it: kColumnOutside (the column
  // misses the data), kColumnScanned (acc[k] holds the scan ScanOver gives), or kColumnOther (the
  // summaries cannot answer it: the caller reads it through the block cache). The members share
  // one grid, so the columns' spans are worked out once for all of them.
  enum : uint8_t { kColumnOutside = 0, kColumnScanned = 1, kColumnOther = 2 };
  void ScanColumns(int slot, double start, double width, int64_t first, int64_t count, const PreciseTime& lo,
                   const PreciseTime& hi, SNgSpanScan* acc, uint8_t* kind);

  // Bytes held by the summaries, the decoded block and the edge store.
  int64_t GetBytes() const;

  CGVantrelNgChannelSummary(CVTBatch* batch, int segment, TickTime start, TickTime end, int64_t intervalMs,
                            bool pairs);
  ~CGVantrelNgChannelSummary();

 private:
  static constexpr int kLevels = 5;
  static constexpr int kGroup = 8;  // points per entry of the finest level; each level x 8
  static constexpr int64_t kGroupsPerBlock = (BLOCK_SAMPLES + kGroup) / kGroup;

  // The entries of one level of one member in one block, in the arena.
  struct Level {
    int32_t* low = nullptr;
    int32_t* high = nullptr;
    uint8_t* bits = nullptr;
    int64_t count = 0;
  };
  struct BlockSummary {
    bool built = false;
    Level levels[kLevels];
  };
  struct Member {
    CGVantrelNgChannel* channel = nullptr;
    int channelNo = 0;
    std::vector<BlockSummary> blocks;
  };
  // The decoded points of one block for some members.
  struct Points {
    std::vector<int32_t> low, high;
    std::vector<uint16_t> status;
  };
  int64_t BlockCount() const;
  // The time of point i of a block (i may lie outside it), as the block cache computes it.
  PreciseTime GridTime(int64_t block, int64_t i) const;
  TickTime BlockStart(int64_t block) const;
  int64_t BlockPoints(int64_t block) const;
  // The tiling block of t (as the cache chooses it); -1 past the data.
  int64_t BlockOf(const PreciseTime& t) const;
  // Local indexes of [t0, t1] in a block, as the cache's block computes them.
  void SpanIndexes(int64_t block, const PreciseTime& t0, const PreciseTime& t1, int64_t* i0, int64_t* i1,
                   SNgColumnWalk* walk = nullptr) const;

  // Reads points [p0, p1] of a block for the given slots into points (one Points per slot).
  bool ReadPoints(int64_t block, int64_t p0, int64_t p1, const std::vector<int>& slots,
                  std::vector<Points>* out);
  // Builds the summaries of a block for every member without them.
  bool BuildBlock(int64_t block);
  // Builds them in runs of kChunk points, keeping no decoded block: the edge groups a column plan
  // needs in the block (sorted) are stored for every member on the way.
  bool BuildBlockInChunks(int64_t block, const std::vector<int64_t>& edgeGroups);
  // Summarises the block's records straight from the pieces the batch delivers, for the slots
  // into out (allocated); the edge groups with a place in edgePlaces (by group; -1: none) are
  // stored on the way. False when the records do not fall one per grid point in time order (a
  // piece off the grid, or overlapping the last one): the caller then summarises decoded runs.
  bool FoldPieces(int64_t block, const std::vector<int>& slots, std::vector<BlockSummary>* out,
                  const std::vector<int32_t>& edgePlaces);
  // Throws std::bad_alloc when the arena has no room.
  void Summarize(const Points& p, int64_t block, BlockSummary* out);
  // The parts of Summarize: the room of every level (throws std::bad_alloc), the finest entries
  // of the groups of points [p0, p0 + p's length) of the block, the coarser levels from the finest.
  void AllocateSummary(int64_t block, BlockSummary* out);
  void SummarizeGroups(const Points& p, int64_t p0, int64_t block, BlockSummary* out) const;
  void SummarizeLevels(BlockSummary* out) const;
  // The edge store made for the members there are (throws std::bad_alloc).
  void PrepareEdgeStore();
  // A place for edge group key, its points set to "no data" and marked unread; the oldest place is
  // taken when the store is full.
  int64_t TakeEdgePlace(int64_t key);
  // The place of edge group j of a block in the edge store, read when missing; -1 when it cannot be
  // had.
  int64_t GetEdge(int64_t block, int64_t group);
  // What a span's part in a block folds, before it goes into its scan (defined with the folding).
  struct Extremes;
  // Folds points [i0, i1] of a block into x; false when the edge points cannot be had. places (when
  // given) remembers the edge store's places of the (at most two) groups scanned.
  bool ScanEdge(int slot, int64_t block, int64_t i0, int64_t i1, Extremes* x, int32_t* places = nullptr);
  void FoldLevel(const BlockSummary& s, int level, int64_t a, int64_t b, Extremes* x) const;
  // Fetches into the cache what a column ending at point i of the block, and the next one starting
  // there, fold.
  // place: the edge store's place of the group of i, or kFindPlace to look it up.
  static constexpr int64_t kFindPlace = -2;
  void Prefetch(int slot, int64_t block, const BlockSummary& s, int64_t i, int64_t place) const;
  // places: as ScanEdge's, two per piece of a column plan (the left and the right edge).
  bool ScanBlock(int slot, int64_t block, int64_t i0, int64_t i1, SNgSpanScan* acc,
                 int32_t* places = nullptr);

  // The spans of a run of columns: per column its kind and its pieces [pieceAt[k], pieceAt[k + 1]),
  // each piece a block and the point indexes ScanOver hands that block.
  struct ColumnPiece {
    int64_t block, i0, i1;
  };
  struct ColumnPlan {
    double start = 0, width = 0;
    int64_t first = 0, count = 0;
    PreciseTime lo, hi;
    std::vector<uint8_t> kind;
    std::vector<int32_t> pieceAt;
    std::vector<ColumnPiece> pieces;
    // Per block, the edge groups the columns scan point by point, sorted.
    std::vector<std::vector<int64_t>> edgeGroups;
    // Per piece, the edge store's places of its edge groups once looked up (-1: not yet).
    std::vector<int32_t> edgePlaces;
  };
  ColumnPlan* PlanColumns(double start, double width, int64_t first, int64_t count, const PreciseTime& lo,
                          const PreciseTime& hi);
  // Adds to groups[block] the edge groups ScanBlock scans point by point for [i0, i1].
  void AddEdgeGroups(int64_t block, int64_t i0, int64_t i1, std::vector<std::vector<int64_t>>* groups) const;
  // Folds the pieces of column k of a plan; false when a block's summaries cannot be had.
  bool ScanPieces(int slot, ColumnPlan* plan, int64_t k, SNgSpanScan* acc);
  void PrefetchColumn(int slot, const ColumnPlan& plan, int64_t k) const;

  CVTBatch* batch_;
  int segment_;
  TickTime start_, end_;
  int64_t intervalMs_;
  bool pairs_;
  int64_t points_;                     // grid points of the data
  std::vector<int64_t> blockSeconds_;  // of each block's start: the seconds and the millisecond part
  std::vector<int32_t> blockMs_;
  // Of each block: the grid times of its first and last point and of the point after it.
  struct BlockTimes {
    PreciseTime first, last, next;
  };
  std::vector<BlockTimes> blockTimes_;
  PreciseTime startTime_;
  std::vector<Member> members_;
  // The summaries are built once and kept until the group goes: they live in an arena of large
  // pages, which spares the building most of its page faults.
  vt::BulkArena arena_;
  std::vector<std::vector<int32_t*>> freeSummaries_;  // per block: summaries members left
  int64_t summaryBytes_ = 0;                          // taken from the arena

  // The block decoded last, for the members that were read with it.
  int64_t decodedBlock_ = -1;
  std::vector<int> decodedSlots_;  // slot -> index into decoded_, or -1
  std::vector<Points> decoded_;

  // Edge groups: a place per group of the data (-1: none), and at most edgeLimit_ places kept, the
  // oldest replaced first. Place p holds 8 points of every member, member s at (s x edgeLimit_ + p)
  // x 8 of the flat arrays: a member's places lie one after another, so a refill, which reads the
  // groups of one member at a time in the order it stored them, walks its arrays straight through.
  // The arrays are made once at their full size; only the places used take memory.
  std::vector<int32_t> edgeIndex_;
  std::vector<int64_t> edgeKeys_;  // the group of each place
  std::vector<int> edgeMembers_;   // the members a place was read for (0: not read)
  std::unique_ptr<int32_t[]> edgeLow_, edgeHigh_;
  std::unique_ptr<uint16_t[]> edgeStatus_;
  int64_t EdgeAt(int64_t place, int slot) const { return (int64_t(slot) * edgeLimit_ + place) * kGroup; }
  int edgeStride_ = 0;
  int64_t nextEdge_ = 0;
  int64_t edgeLimit_ = 0;

  // The column plans of the refill under way (a refill reads its columns in runs, every member
  // the same runs), dropped when another refill starts.
  std::vector<ColumnPlan> plans_;
  const ColumnPlan* activePlan_ = nullptr;  // while ScanColumns folds: blocks are built for it
  std::vector<Points> chunk_;               // the points of a run of a block being built
};

}  // namespace vt

// The block cache of one trend channel: at most three blocks of consecutive samples, each read
// from the channel's batch in one call, lying on one fixed tiling anchored at the channel's data
// start (block k holds grid points k x 50,001 .. k x 50,001 + 50,000). Every sample, pair and span
// request is answered from the block that covers the requested time; a fourth block evicts the
// cached block farther from it.
//
// A block keeps its samples compactly: the raw values (two per sample for min/max pairs) and one
// status word per grid point, already mapped to the trend display's states, in plain arrays. Grid
// points the batch did not deliver read as no data. Values are scaled only when read out, and a
// span's extremes are taken over the raw values (the channel's scaling is monotonic).
#pragma once
#include <cstdint>
#include <vector>

#include "document/DocumentRecords.h"
#include "gadget/GDataManager.h"
#include "recorder/PreciseTime.h"
#include "recorder/TickTime.h"

class CGVantrelNgChannel;

// Grid intervals per block; a block holds one grid point more.
inline constexpr int64_t BLOCK_SAMPLES = 50000;
inline constexpr int CACHED_BLOCK_LIMIT = 3;

namespace vt {

// The raw extremes of a span before they are finished: what a column that crosses blocks merges.
struct SNgSpanScan {
  int32_t rawMin = 0, rawMax = 0;  // valid while hasValue
  bool hasValue = false;           // at least one value of state 0
  bool plusOver = false, minusOver = false;
  bool found = false;  // at least one record that is not "no data"
  uint16_t status = 0;
};

// What a walk over adjacent columns keeps from one column to the next: the grid index found for
// the last column's end, which the next column's start most often equals.
struct SNgColumnWalk {
  int64_t block = -1;
  PreciseTime time;
  int64_t index = 0;
  PreciseTime grid;
};

}  // namespace vt

class CGVantrelNgChannelData : public CGCore {
 public:
  explicit CGVantrelNgChannelData(CGCore* parent) : CGCore(0, parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelNgChannelData); }
  // Drops the samples and the channel, then pools or deletes the block.
  void Release() override;

  void SetChannel(CGVantrelNgChannel* channel) { channel_ = channel; }
  // Stores the span, clamped into the channel's data.
  void SetSpan(TickTime start, TickTime end);
  // Reads the block's samples from the batch (gap filling on); false when no memory was had.
  bool Load();
  // Whether t, snapped to this block's grid, lies within half an interval of the block.
  bool Covers(const PreciseTime& t) const;
  // (max(t0, start), min(t1, end)) and whether the span meets the block.
  bool Intersect(TickTime t0, TickTime t1, TickTime* from, TickTime* to) const;

  // The grid point nearest to t: its index from the block start and, when asked, its time.
  // Without an out time: -1 when t lies more than an interval/100 off that point.
  int64_t IndexOfTime(const PreciseTime& t, PreciseTime* gridTime) const;
  // Index of an exact grid time of this block (its ticks).
  int64_t IndexOfTicks(TickTime t) const;

  // The sample (pair) at an index; status 0x3000 (0x3300) and value 0 for an index outside.
  void ReadEventValue(int64_t index, double* value, uint16_t* status) const;
  void ReadDisplayPair(int64_t index, double* min, double* max, uint16_t* status) const;
  // Scans indexes i0..i1 into acc (see SNgSpanScan).
  void ScanRange(int64_t i0, int64_t i1, vt::SNgSpanScan* acc) const;
  // Adds the scaled values of state 0 at indexes i0..i1 (both halves of a pair) to the running
  // minimum, maximum, sum and count.
  void AddValues(int64_t i0, int64_t i1, double* min, double* max, double* sum, int64_t* count) const;
  // The range of indexes a span [t0, t1] covers in this block: from the sample at or before t0
  // to the sample at or after t1.
  void SpanIndexes(const PreciseTime& t0, const PreciseTime& t1, int64_t* i0, int64_t* i1) const;

  TickTime GetStart() const { return start_; }
  TickTime GetEnd() const { return end_; }
  bool HasSamples() const { return !status_.empty(); }
  int64_t GetPointCount() const { return int64_t(status_.size()); }
  // Bytes held by the sample arrays.
  int64_t GetSampleBytes() const;

 private:
  CGVantrelNgChannel* channel_ = nullptr;
  TickTime start_, end_;
  std::vector<int32_t> low_;      // single values, or minima
  std::vector<int32_t> high_;     // maxima of pairs; empty for single values
  std::vector<uint16_t> status_;  // one per grid point
};

class CGVantrelNgChannelDataCache : public CGDataManager {
 public:
  CGVantrelNgChannelDataCache(CGCore* parent, CGVantrelNgChannel* channel);
  ~CGVantrelNgChannelDataCache() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelNgChannelDataCache); }
  void Release() override;

  void SetChannel(CGVantrelNgChannel* channel) { channel_ = channel; }
  // Off: new blocks never come from the gadget pool, which belongs to the user-interface
  // thread (the cache of a clone read on another thread).
  void SetPooled(bool pooled) { pooled_ = pooled; }

  // Reads at an exact grid time of the channel (the channel snaps requests first). Without a
  // block the outputs keep their values.
  bool ReadValueAtGrid(TickTime grid, double* value, uint16_t* status);
  bool ReadPairAtGrid(TickTime grid, double* min, double* max, uint16_t* status);
  // Extremes over [t0, t1] (already clamped into the data), merged across blocks.
  void ReadMinMaxOver(const PreciseTime& t0, const PreciseTime& t1, double* min, double* max,
                      uint16_t* status, vt::SNgColumnWalk* walk = nullptr);
  // The minimum, maximum and status a scan of a span answers, scaled.
  void AnswerOf(const vt::SNgSpanScan& acc, double* min, double* max, uint16_t* status) const;

  // The block covering t, loaded when new; null when none can be had.
  CGVantrelNgChannelData* GetBlock(const PreciseTime& t);
  int GetBlockCount() const { return CountChildren(); }
  CGVantrelNgChannelData* GetBlockAt(int i) const {
    return static_cast<CGVantrelNgChannelData*>(GetChildAt(i));
  }
  int64_t GetSampleBytes() const;

  // The tiling block that reaches t (start and end ticks); false when t lies past the data.
  bool ComputeSpan(const PreciseTime& t, TickTime* start, TickTime* end) const;
  TickTime BlockEndFor(TickTime start) const;
  int64_t IntervalMs() const;

 private:
  CGVantrelNgChannelData* NewBlock();
  bool InsertBlock(CGVantrelNgChannelData* block, const PreciseTime& t);
  void ScanOver(const PreciseTime& t0, const PreciseTime& t1, vt::SNgSpanScan* acc, int depth);

  CGVantrelNgChannel* channel_;
  bool pooled_ = true;
};

// CVTColumns: the samples of several channels over one record range, decoded in one pass into
// plain arrays: per channel its values (minima of display data), maxima (display data only), the
// recorder state of each of them and the alarm-level bits of each record. Record times are not
// stored: within a time block they lie on a grid, record i at GetTime(i).
//
// CVTData hands out one record object per sample, which suits a caller that wants a few records
// of one channel. A caller that walks every channel of a long range (the trend refill, the
// conversion) reads a range at a time into one CVTColumns object instead and keeps the object
// from range to range: its arrays are only grown, never freed between ranges.
#pragma once
#include <cstdint>
#include <vector>

#include "recorder/SRecordData.h"
#include "recorder/TickTime.h"

namespace vt {

class CVTColumns {
 public:
  // The arrays of one channel. A channel whose samples the file does not deliver has none:
  // HasSamples is false and only its alarm bits are filled.
  struct Column {
    int channelIndex = -1;
    int valueType = VALUE_TYPE_NONE;
    bool hasSamples = false;
    std::vector<int32_t> values;     // event values, or display minima
    std::vector<int32_t> maxima;     // display maxima; empty for event data
    std::vector<uint8_t> states;     // recorder state of values[i]
    std::vector<uint8_t> maxStates;  // recorder state of maxima[i]
    std::vector<uint8_t> flags;      // alarm-level bits of record i (bit k: level k + 1)
  };

  // Starts a range of count records of the given kind for that many channels; the arrays of
  // earlier ranges are kept for reuse.
  void Reset(int kind, int channels, int count);

  int GetKind() const { return kind_; }
  int GetCount() const { return count_; }
  int GetChannelCount() const { return channels_; }
  const Column& GetColumn(int k) const { return columns_[std::size_t(k)]; }
  Column& GetColumn(int k) { return columns_[std::size_t(k)]; }

  // The grid of the range: record i lies at first + i x interval.
  void SetGrid(TickTime first, int64_t intervalMs) { first_ = first, intervalMs_ = intervalMs; }
  TickTime GetFirstTime() const { return first_; }
  int64_t GetIntervalMs() const { return intervalMs_; }
  TickTime GetTime(int i) const { return first_.PlusMilliseconds(int64_t(i) * intervalMs_); }

 private:
  int kind_ = DATA_KIND_NONE;
  int count_ = 0;
  int channels_ = 0;
  std::vector<Column> columns_;  // at least channels_ entries; those beyond keep their storage
  TickTime first_;
  int64_t intervalMs_ = 0;
};

}  // namespace vt

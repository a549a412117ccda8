// The data interfaces of the trend display: the sample status word and its states, the data
// and name kinds, the time-series channel the traces and buffers read, and the source of row
// times for the numeric trend sheet. The graph window's document implements both classes; the
// trend gadgets only hold plain pointers to them.
#pragma once
#include <cfloat>
#include <cstdint>

#include "gadget/GChannel.h"
#include "trend/TrendRecords.h"
#include "trend/TrendTime.h"

enum NG_SAMPLE_STATUS : int {
  NGS_VALUE = 0,
  NGS_NO_DATA = 3,
  NGS_PLUS_OVER = 6,
  NGS_MINUS_OVER = 7,
  NGS_SKIP = 8,
  NGS_ILLEGAL = 9,
  NGS_LACK = 10,
  NGS_INVALID = 11,
  NGS_BURNOUT = 12,
  NGS_OFF = 13,  // any state not named above reads as "- OFF -"
};

enum NG_DATA_KIND : int { DATA_SINGLE = 1, DATA_PAIRS = 2 };
enum NG_NAME_KIND : int { NAME_CHANNEL_NO = 0, NAME_TAG = 1, NAME_TAG_NO = 2 };

constexpr uint16_t kNgNoDataSingle = 0x3000;
constexpr uint16_t kNgNoDataPair = 0x3300;
constexpr uint16_t kNgBaseAnswer = 0x8300;

// The state of a single value, or of the minimum of a pair (bits 12-15).
inline int NgFirstState(uint16_t word) { return (word >> 12) & 0xF; }
// The state of the maximum of a pair (bits 8-11).
inline int NgSecondState(uint16_t word) { return (word >> 8) & 0xF; }
namespace vt {

// The alarm-active flags of levels 1-4 (bit 0 = level 1).
inline int NgAlarmFlags(uint16_t word) { return word & 0xF; }
// The text of a state in the sheets: empty for a value (the number is shown) and no data.
const char* NgStateText(int state);

}  // namespace vt

class CGNgChannel : public CGChannel {
 public:
  explicit CGNgChannel(CGCore* parent) : CGChannel(parent) {}

  // Whole sample intervals in end - start, truncated, plus 1 (1 when end is not after start).
  virtual int64_t GetSampleCount(PreciseTime start, PreciseTime end) = 0;
  virtual int GetDataKind() = 0;
  virtual int ReadRowMinMax(PreciseTime t, int* inData, int* exact, double* min, double* max,
                            uint16_t* status) = 0;
  // The first stored pair at or after t and its sample time.
  virtual void ReadMinMaxFrom(PreciseTime t, PreciseTime* sampleTime, double* min, double* max,
                              uint16_t* status) = 0;
  virtual void ReadMinMaxAt(PreciseTime t, double* min, double* max, uint16_t* status) = 0;
  virtual int ReadRowValue(PreciseTime t, int* inData, int* exact, double* value, uint16_t* status) = 0;
  // The first stored sample at or after t and its sample time.
  virtual void ReadValueFrom(PreciseTime t, PreciseTime* sampleTime, double* value, uint16_t* status) = 0;
  virtual uint16_t ReadValueAt(PreciseTime t, double* value, uint16_t* status) = 0;
  virtual void GetDataStart(PreciseTime* start) = 0;
  virtual void GetDataRange(PreciseTime* start, PreciseTime* end) = 0;
  // Minimum and maximum over [from, to), clipped to the data.
  virtual void ReadMinMaxOver(PreciseTime from, PreciseTime to, double* min, double* max,
                              uint16_t* status) = 0;
  // ReadMinMaxOver for the adjacent columns first .. first + count - 1 of a plot: column i spans
  // [start + i x width, start + i x width + width] seconds, its answer at [i - first] of the
  // arrays. The same answers as one ReadMinMaxOver per column; a channel over stored data
  // answers a run of columns in one walk.
  virtual void ReadMinMaxColumns(double start, double width, int64_t first, int64_t count, double* min,
                                 double* max, uint16_t* status);
  virtual double GetSampleInterval() = 0;
  virtual void GetMinOver(PreciseTime from, PreciseTime to, double* result, uint16_t* status) = 0;
  virtual void GetMaxOver(PreciseTime from, PreciseTime to, double* result, uint16_t* status) = 0;
  // The mean of the valid values over the span (both halves of a pair count) and a status:
  // 0 with at least one valid value, 0x3000 with none (the mean is then 0).
  virtual void GetSumOver(PreciseTime from, PreciseTime to, double* mean, uint16_t* status) = 0;
};

class CGNgTime : public CGCore {
 public:
  CGNgTime(CGCore* parent, int id) : CGCore(id, parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgTime); }
  virtual int GetRowCount() { return 0; }
  virtual int FindRow(PreciseTime t) { return (void)t, 0; }
  virtual PreciseTime* GetRowTime(PreciseTime* out, int row) {
    (void)row;
    *out = PreciseTime{};
    return out;
  }
  virtual int GetMarkCount(int row) { return (void)row, 0; }
  virtual uint32_t GetMarkColour(int row) { return (void)row, 0x0200FF00; }
  virtual uint32_t GetMarkColourAt(int row, int index) { return (void)row, (void)index, 0x0200FF00; }
};

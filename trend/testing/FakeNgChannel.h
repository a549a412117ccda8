// In-memory stand-ins for the document's channel and row-time sources, for the trend tests and
// benchmarks: a channel over arrays of values (or min/max pairs) and status words at a fixed
// sample interval from a start time, counting the reads the trend code makes.
#pragma once
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "trend/NgChannel.h"

namespace vt_test {

class FakeNgChannel : public CGNgChannel {
 public:
  FakeNgChannel() : CGNgChannel(nullptr) {}

  PreciseTime start{1000000000, 0.0};
  double interval = 1.0;
  int kind = DATA_SINGLE;
  std::vector<double> mins;  // single values, or minima
  std::vector<double> maxs;  // maxima of pairs
  std::vector<uint16_t> statuses;
  std::string name = "CH001";

  // Read counters.
  int64_t countCalls = 0;
  int64_t valueReads = 0;
  int64_t pairReads = 0;
  int64_t spanReads = 0;

  void ResetCounters() { countCalls = valueReads = pairReads = spanReads = 0; }
  int64_t TotalReads() const { return valueReads + pairReads + spanReads; }
  // n samples of value f(i), all valid.
  template <class F>
  void Fill(int64_t n, F f) {
    // Single values keep no maxima (a pair channel's maxima equal its minima here).
    mins.resize(n), maxs.resize(kind == DATA_PAIRS ? n : 0), statuses.assign(n, 0);
    for (int64_t i = 0; i < n; ++i) mins[i] = f(i);
    if (kind == DATA_PAIRS) maxs = mins;
  }
  int64_t Size() const { return int64_t(mins.size()); }
  double Offset(const PreciseTime& t) const {
    return double(t.seconds - start.seconds) + (t.fraction - start.fraction);
  }
  PreciseTime TimeOf(int64_t i) const { return PreciseTime::AddSeconds(start, double(i) * interval); }
  uint16_t NoData() const { return kind == DATA_PAIRS ? kNgNoDataPair : kNgNoDataSingle; }

  void GetName(std::string* out, int nameKind) override {
    if (nameKind >= 0 && nameKind <= 2) *out = name;
  }
  int64_t GetSampleCount(PreciseTime a, PreciseTime b) override {
    ++countCalls;
    return int64_t(vt::SpanSeconds(a, b) / interval) + 1;
  }
  int GetDataKind() override { return kind; }
  int ReadRowMinMax(PreciseTime, int*, int*, double*, double*, uint16_t*) override { return 0; }
  int ReadRowValue(PreciseTime, int*, int*, double*, uint16_t*) override { return 0; }
  // Slot index of t (the slot containing t), or the first at or after t.
  int64_t SlotAt(const PreciseTime& t) const { return int64_t(std::floor(Offset(t) / interval + 1e-9)); }
  int64_t SlotFrom(const PreciseTime& t) const { return int64_t(std::ceil(Offset(t) / interval - 1e-9)); }
  void ReadMinMaxFrom(PreciseTime t, PreciseTime* sampleTime, double* mn, double* mx,
                      uint16_t* status) override {
    ++pairReads;
    const int64_t i = SlotFrom(t);
    *sampleTime = TimeOf(i);
    Pair(i, mn, mx, status);
  }
  void ReadMinMaxAt(PreciseTime t, double* mn, double* mx, uint16_t* status) override {
    ++pairReads;
    Pair(SlotAt(t), mn, mx, status);
  }
  void ReadValueFrom(PreciseTime t, PreciseTime* sampleTime, double* value, uint16_t* status) override {
    ++valueReads;
    const int64_t i = SlotFrom(t);
    *sampleTime = TimeOf(i);
    Single(i, value, status);
  }
  uint16_t ReadValueAt(PreciseTime t, double* value, uint16_t* status) override {
    ++valueReads;
    Single(SlotAt(t), value, status);
    return *status;
  }
  void GetDataStart(PreciseTime* s) override { *s = start; }
  void GetDataRange(PreciseTime* s, PreciseTime* e) override {
    *s = start;
    *e = TimeOf(std::max<int64_t>(Size() - 1, 0));
  }
  void ReadMinMaxOver(PreciseTime from, PreciseTime to, double* mn, double* mx, uint16_t* status) override {
    ++spanReads;
    const int64_t i0 = std::max<int64_t>(SlotFrom(from), 0);
    const int64_t i1 = std::min<int64_t>(SlotFrom(to), Size());
    *mn = 0, *mx = 0, *status = kNgNoDataPair;
    if (i0 >= i1) return;
    const double* lo = mins.data();
    const double* hi = kind == DATA_PAIRS ? maxs.data() : mins.data();
    const uint16_t* st = statuses.data();
    double a = DBL_MAX, b = -DBL_MAX;
    int flags = 0;
    bool any = false;
    for (int64_t i = i0; i < i1; ++i) {
      if ((st[i] & 0xF000) != 0) continue;
      any = true;
      a = std::min(a, lo[i]);
      b = std::max(b, hi[i]);
      flags |= st[i] & 0xF;
    }
    if (any) *mn = a, *mx = b, *status = uint16_t(flags);
  }
  double GetSampleInterval() override { return interval; }
  void GetMinOver(PreciseTime, PreciseTime, double* r, uint16_t* s) override { *r = DBL_MAX, *s = 0x3000; }
  void GetMaxOver(PreciseTime, PreciseTime, double* r, uint16_t* s) override { *r = -DBL_MAX, *s = 0x3000; }
  void GetSumOver(PreciseTime, PreciseTime, double* mean, uint16_t* s) override { *mean = 0, *s = 0x3000; }

 private:
  void Single(int64_t i, double* value, uint16_t* status) const {
    if (i < 0 || i >= Size()) {
      *value = 0, *status = kNgNoDataSingle;
      return;
    }
    *value = mins[i], *status = statuses[i];
  }
  void Pair(int64_t i, double* mn, double* mx, uint16_t* status) const {
    if (i < 0 || i >= Size()) {
      *mn = 0, *mx = 0, *status = kNgNoDataPair;
      return;
    }
    *mn = mins[i], *mx = maxs[i], *status = statuses[i];
  }
};

// Row times at a fixed step, for the trend sheet.
class FakeNgTime : public CGNgTime {
 public:
  FakeNgTime() : CGNgTime(nullptr, 0) {}
  std::vector<PreciseTime> rows;
  int GetRowCount() override { return int(rows.size()); }
  int FindRow(PreciseTime t) override {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == t) return int(i);
    return 0;
  }
  PreciseTime* GetRowTime(PreciseTime* out, int row) override {
    *out = row >= 0 && row < int(rows.size()) ? rows[row] : PreciseTime{};
    return out;
  }
};

}  // namespace vt_test

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

  vt::TrendTime start{1000000000, 0.0};
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
  double Offset(const vt::TrendTime& t) const {
    return double(t.seconds - start.seconds) + (t.fraction - start.fraction);
  }
  vt::TrendTime TimeOf(int64_t i) const { return vt::TrendTime::AddSeconds(start, double(i) * interval); }
  uint16_t NoData() const { return kind == DATA_PAIRS ? kNgNoDataPair : kNgNoDataSingle; }

  void GetName(std::string* out, int nameKind) override {
    if (nameKind >= 0 && nameKind <= 2) *out = name;
  }
  int64_t GetSampleCount(vt::TrendTime a, vt::TrendTime b) override {
    ++countCalls;
    return int64_t(vt::TrendTime::Span(a, b) / interval) + 1;
  }
  int GetDataKind() override { return kind; }
  int ReadRowMinMax(vt::TrendTime, int*, int*, double*, double*, uint16_t*) override { return 0; }
  int ReadRowValue(vt::TrendTime, int*, int*, double*, uint16_t*) override { return 0; }
  // Slot index of t (the slot containing t), or the first at or after t.
  int64_t SlotAt(const vt::TrendTime& t) const { return int64_t(std::floor(Offset(t) / interval + 1e-9)); }
  int64_t SlotFrom(const vt::TrendTime& t) const { return int64_t(std::ceil(Offset(t) / interval - 1e-9)); }
  void ReadMinMaxFrom(vt::TrendTime t, vt::TrendTime* sampleTime, double* mn, double* mx,
                      uint16_t* status) override {
    ++pairReads;
    const int64_t i = SlotFrom(t);
    *sampleTime = TimeOf(i);
    Pair(i, mn, mx, status);
  }
  void ReadMinMaxAt(vt::TrendTime t, double* mn, double* mx, uint16_t* status) override {
    ++pairReads;
    Pair(SlotAt(t), mn, mx, status);
  }
  void ReadValueFrom(vt::TrendTime t, vt::TrendTime* sampleTime, double* value, uint16_t* status) override {
    ++valueReads;
    const int64_t i = SlotFrom(t);
    *sampleTime = TimeOf(i);
    Single(i, value, status);
  }
  uint16_t ReadValueAt(vt::TrendTime t, double* value, uint16_t* status) override {
    ++valueReads;
    Single(SlotAt(t), value, status);
    return *status;
  }
  void GetDataStart(vt::TrendTime* s) override { *s = start; }
  void GetDataRange(vt::TrendTime* s, vt::TrendTime* e) override {
    *s = start;
    *e = TimeOf(std::max<int64_t>(Size() - 1, 0));
  }
  void ReadMinMaxOver(vt::TrendTime from, vt::TrendTime to, double* mn, double* mx,
                      uint16_t* status) override {
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
  void GetMinOver(vt::TrendTime, vt::TrendTime, double* r, uint16_t* s) override {
    *r = DBL_MAX, *s = 0x3000;
  }
  void GetMaxOver(vt::TrendTime, vt::TrendTime, double* r, uint16_t* s) override {
    *r = -DBL_MAX, *s = 0x3000;
  }
  void GetSumOver(vt::TrendTime, vt::TrendTime, double* mean, uint16_t* s) override {
    *mean = 0, *s = 0x3000;
  }

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
  std::vector<vt::TrendTime> rows;
  int GetRowCount() override { return int(rows.size()); }
  int FindRow(vt::TrendTime t) override {
    for (size_t i = 0; i < rows.size(); ++i)
      if (rows[i] == t) return int(i);
    return 0;
  }
  vt::TrendTime* GetRowTime(vt::TrendTime* out, int row) override {
    *out = row >= 0 && row < int(rows.size()) ? rows[row] : vt::TrendTime{};
    return out;
  }
};

}  // namespace vt_test

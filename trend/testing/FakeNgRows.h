// Computed stand-ins for the trend sheet's tests, gallery and benchmark: a row source whose
// row i lies at start + i x step (any number of rows, nothing stored per row) with marks on
// chosen rows, and a channel whose sample i at start + i x interval has value f(i) and status
// s(i), answering the row reads the sheet makes and counting them.
#pragma once
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "trend/NgChannel.h"

namespace vt_test {

// The unset-cursor time answers row -1, and row -1 has the time {-1 s, 0}.
class FakeNgRows : public CGNgTime {
 public:
  FakeNgRows(PreciseTime start, double step, int count)
      : CGNgTime(nullptr, 0), start(start), step(step), count(count) {}
  PreciseTime start;
  double step;
  int count;
  // row -> (mark count, colour)
  std::map<int, std::pair<int, uint32_t>> marks;
  int64_t timeReads = 0;

  int GetRowCount() override { return count; }
  int FindRow(PreciseTime t) override {
    if (t.seconds < 0) return -1;
    const double off = double(t.seconds - start.seconds) + (t.fraction - start.fraction);
    const double i = std::round(off / step);
    if (i < 0 || i >= count) return -1;
    return PreciseTime::AddSeconds(start, i * step) == t ? int(i) : -1;
  }
  PreciseTime* GetRowTime(PreciseTime* out, int row) override {
    ++timeReads;
    *out = row < 0 ? PreciseTime{-1, 0.0} : PreciseTime::AddSeconds(start, double(row) * step);
    return out;
  }
  int GetMarkCount(int row) override {
    auto it = marks.find(row);
    return it == marks.end() ? 0 : it->second.first;
  }
  uint32_t GetMarkColour(int row) override {
    auto it = marks.find(row);
    return it == marks.end() ? 0x0200FF00 : it->second.second;
  }
  uint32_t GetMarkColourAt(int row, int) override { return GetMarkColour(row); }
};

class FakeRowChannel : public CGNgChannel {
 public:
  FakeRowChannel() : CGNgChannel(nullptr) {}
  PreciseTime start{1273478400, 0.0};  // 2010/05/10 08:00:00 in UTC
  double interval = 1.0;
  int64_t samples = 1000;
  int kind = DATA_SINGLE;
  std::string name = "CH001", unit = "V";
  int decimals = 2, exponent = 0, shown = 1;
  uint32_t colour = 0x020000FF;
  std::function<double(int64_t)> value = [](int64_t i) { return double(i); };
  std::function<uint16_t(int64_t)> status = [](int64_t) { return uint16_t(0); };
  int64_t rowReads = 0;

  void GetName(std::string* out, int) override { *out = name; }
  void GetUnit(std::string* out) override { *out = unit; }
  int GetDecimals() override { return decimals; }
  int IsExponent() override { return exponent; }
  int IsShown() override { return shown; }
  uint32_t GetColour() override { return colour; }
  int GetDataKind() override { return kind; }
  double GetSampleInterval() override { return interval; }

  // inData: t within the first and last sample; exact: a sample lies at t; the value is the
  // sample at or before t.
  void Locate(PreciseTime t, int* inData, int* exact, int64_t* index) const {
    const double off = double(t.seconds - start.seconds) + (t.fraction - start.fraction);
    const double pos = off / interval;
    *index = int64_t(std::floor(pos + 1e-9));
    *inData = pos > -1e-9 && *index < samples ? 1 : 0;
    *exact = *inData && std::fabs(pos - std::round(pos)) < 1e-6 ? 1 : 0;
  }
  int ReadRowValue(PreciseTime t, int* inData, int* exact, double* v, uint16_t* s) override {
    ++rowReads;
    int64_t i = 0;
    Locate(t, inData, exact, &i);
    *v = *inData ? value(i) : 0;
    *s = *inData ? status(i) : kNgNoDataSingle;
    return 1;
  }
  int ReadRowMinMax(PreciseTime t, int* inData, int* exact, double* mn, double* mx, uint16_t* s) override {
    ++rowReads;
    int64_t i = 0;
    Locate(t, inData, exact, &i);
    *mn = *inData ? value(i) : 0;
    *mx = *inData ? value(i) + 1 : 0;
    *s = *inData ? status(i) : kNgNoDataPair;
    return 1;
  }
  int64_t GetSampleCount(PreciseTime, PreciseTime) override { return samples; }
  void ReadMinMaxFrom(PreciseTime, PreciseTime*, double*, double*, uint16_t* s) override {
    *s = kNgNoDataPair;
  }
  void ReadMinMaxAt(PreciseTime, double*, double*, uint16_t* s) override { *s = kNgNoDataPair; }
  void ReadValueFrom(PreciseTime, PreciseTime*, double*, uint16_t* s) override { *s = kNgNoDataSingle; }
  uint16_t ReadValueAt(PreciseTime, double*, uint16_t* s) override { return *s = kNgNoDataSingle; }
  void GetDataStart(PreciseTime* s) override { *s = start; }
  void GetDataRange(PreciseTime* s, PreciseTime* e) override {
    *s = start;
    *e = PreciseTime::AddSeconds(start, double(samples - 1) * interval);
  }
  void ReadMinMaxOver(PreciseTime, PreciseTime, double*, double*, uint16_t* s) override {
    *s = kNgNoDataPair;
  }
  void GetMinOver(PreciseTime, PreciseTime, double* r, uint16_t* s) override { *r = 0, *s = 0x3000; }
  void GetMaxOver(PreciseTime, PreciseTime, double* r, uint16_t* s) override { *r = 0, *s = 0x3000; }
  void GetSumOver(PreciseTime, PreciseTime, double* r, uint16_t* s) override { *r = 0, *s = 0x3000; }
};

}  // namespace vt_test

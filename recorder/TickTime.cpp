// TickTime conversions. Products and sums are formed in unsigned 64-bit arithmetic so that
// values far outside the recorders' range wrap instead of overflowing a signed integer.
#include "recorder/TickTime.h"

#include <cmath>

namespace {

constexpr int64_t kSecond = vt::kTicksPerSecond;
constexpr int64_t kMillisecond = vt::kTicksPerMillisecond;
constexpr int64_t kEpoch = vt::kEpochDifferenceSeconds;

constexpr int64_t Wrap(uint64_t v) { return int64_t(v); }
constexpr int64_t Add(int64_t a, int64_t b) { return Wrap(uint64_t(a) + uint64_t(b)); }
constexpr int64_t Sub(int64_t a, int64_t b) { return Wrap(uint64_t(a) - uint64_t(b)); }
constexpr int64_t Mul(int64_t a, int64_t b) { return Wrap(uint64_t(a) * uint64_t(b)); }

// Seconds since 1970 truncated toward zero, and the whole milliseconds left over.
void Split(int64_t ticks, int64_t* seconds, int64_t* milliseconds) {
  const int64_t sinceEpoch = Sub(ticks, vt::kEpochDifferenceTicks);
  *seconds = sinceEpoch / kSecond;
  *milliseconds = Sub(ticks, Mul(Add(*seconds, kEpoch), kSecond)) / kMillisecond;
}

}  // namespace

TickTime TickTime::FromPreciseTime(const PreciseTime& p) {
  const int64_t ms = int64_t(std::trunc(p.fraction * 1000.0));
  return TickTime(Add(Mul(Add(p.seconds, kEpoch), kSecond), Mul(ms, kMillisecond)));
}

TickTime TickTime::FromSystemTime(const vt::SystemTime& st) {
  vt::FileTime ft;
  if (!vt::SystemTimeToFileTime(st, &ft)) return TickTime();
  return TickTime(vt::FileTimeToTicks(ft));
}

void TickTime::SplitTime(int32_t* seconds, int32_t* milliseconds) const {
  int64_t s = 0, ms = 0;
  Split(ticks, &s, &ms);
  *seconds = int32_t(s);
  *milliseconds = int32_t(ms);
}

int32_t TickTime::ToTime64(int64_t* seconds, double* fraction) const {
  int64_t ms = 0;
  Split(ticks, seconds, &ms);
  *fraction = double(ms) / 1000.0;
  return int32_t(ms);
}

TickTime TickTime::MinusMilliseconds(int64_t m) const { return TickTime(Sub(ticks, Mul(m, kMillisecond))); }

int64_t TickTime::DiffMilliseconds(const TickTime& u) const { return Sub(ticks, u.ticks) / kMillisecond; }

// PreciseTime arithmetic and its rounded comparison.
#include "recorder/PreciseTime.h"

#include <cassert>
#include <cmath>

namespace {

double Round4(double v) {
  // 10^-4 as repeated multiplication and one division, so the rounding grid is the same
  // wherever stamps were compared before.
  double p = 1.0;
  for (int i = 0; i < 4; ++i) p *= 10.0;
  const double q = 1.0 / p;
  return std::floor(v / q + 0.5) * q;
}

// Whole seconds held as a double (a floor), as a 64-bit count. An infinite, not-a-number or
// out-of-range count (a pixel scale divided by zero upstream, say) has no 64-bit value; the
// conversion would be undefined, so such a result becomes the zero stamp, "no time".
bool WholeSeconds(double w, int64_t* seconds) {
  // 2^63 exactly; every double below it (and at or above -2^63) converts.
  constexpr double kLimit = 9223372036854775808.0;
  if (!(w >= -kLimit && w < kLimit)) return false;
  *seconds = int64_t(w);
  return true;
}

// floor(f) and f - floor(f) can meet at 1.0 for tiny negative f (1 - 1e-20 rounds to 1);
// keep the fraction below one by carrying that whole second.
PreciseTime Normalised(int64_t seconds, double fraction) {
  if (fraction >= 1.0) {
    fraction = 0.0;
    seconds += 1;
  }
  assert(fraction >= 0.0 && fraction < 1.0);
  return PreciseTime{seconds, fraction};
}

}  // namespace

int PreciseTime::CompareFractions(double x, double y) {
  const double rx = Round4(x);
  const double ry = Round4(y);
  if (rx == ry) return 0;
  return rx < ry ? -1 : 1;
}

PreciseTime PreciseTime::AddSeconds(const PreciseTime& a, double d) {
  const double t = double(a.seconds) + a.fraction + d;
  if (!(t > 0.0)) return PreciseTime{};  // also NaN
  const double w = std::floor(t);
  int64_t seconds = 0;
  if (!WholeSeconds(w, &seconds)) return PreciseTime{};
  return Normalised(seconds, t - w);
}

PreciseTime PreciseTime::FromSecondsDifference(double x, double y) {
  const double d = y - x;
  const double w = std::floor(d);
  int64_t seconds = 0;
  if (!WholeSeconds(w, &seconds)) return PreciseTime{};
  return Normalised(seconds, d - w);
}

double PreciseTime::ToSeconds(const PreciseTime& a) { return double(a.seconds) + a.fraction; }

PreciseTime operator+(const PreciseTime& a, const PreciseTime& b) {
  const double f = a.fraction + b.fraction;
  const double w = std::floor(f);
  int64_t seconds = 0;
  if (!WholeSeconds(double(a.seconds) + double(b.seconds) + w, &seconds)) return PreciseTime{};
  return Normalised(seconds, f - w);
}

PreciseTime operator-(const PreciseTime& a, const PreciseTime& b) {
  if (!(a > b)) return PreciseTime{};
  const double f = a.fraction - b.fraction;
  const double w = std::floor(f);  // 0 or -1
  return Normalised(a.seconds - b.seconds + int64_t(w), f - w);
}

bool operator==(const PreciseTime& a, const PreciseTime& b) {
  return a.seconds == b.seconds && PreciseTime::CompareFractions(a.fraction, b.fraction) == 0;
}
bool operator!=(const PreciseTime& a, const PreciseTime& b) { return !(a == b); }

bool operator>(const PreciseTime& a, const PreciseTime& b) {
  if (a.seconds != b.seconds) return a.seconds > b.seconds;
  return PreciseTime::CompareFractions(a.fraction, b.fraction) == 1;
}
bool operator<(const PreciseTime& a, const PreciseTime& b) {
  if (a.seconds != b.seconds) return a.seconds < b.seconds;
  return PreciseTime::CompareFractions(a.fraction, b.fraction) == -1;
}
bool operator>=(const PreciseTime& a, const PreciseTime& b) { return a > b || a == b; }
bool operator<=(const PreciseTime& a, const PreciseTime& b) { return a < b || a == b; }

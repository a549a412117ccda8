// TrendTime: the time stamp that crosses the trend data interfaces, and the display-zone
// breakdown the time axis uses.
//
// Whole seconds since 1970-01-01 00:00:00 UTC plus a fraction of a second. Two stamps are equal
// when their seconds agree and their fractions agree at a ten-thousandth of a second. The zero
// stamp stands for "no time". The display side's own stamp type lives with the recorder
// library, which the trend library may not use; the document converts field by field (both
// carry the same two fields with the same meaning).
#pragma once
#include <cstdint>
#include <ctime>

namespace vt {

struct TrendTime {
  int64_t seconds = 0;
  double fraction = 0.0;

  // -1, 0 or 1 after rounding both fractions to whole ten-thousandths (half up).
  static int CompareFractions(double a, double b);
  // seconds + fraction as one double.
  static double ToSeconds(const TrendTime& t) { return double(t.seconds) + t.fraction; }
  // The stamp of a count of seconds since 1970, split by floor; the zero stamp when the value
  // is not greater than 0, not finite, or too large.
  static TrendTime FromSeconds(double s);
  // t moved by d seconds (may be negative); the zero stamp when the result is not after 1970.
  static TrendTime AddSeconds(const TrendTime& t, double d);
  // later - earlier in seconds; 0 when later does not lie after earlier.
  static double Span(const TrendTime& earlier, const TrendTime& later);

  friend bool operator==(const TrendTime& a, const TrendTime& b) {
    return a.seconds == b.seconds && CompareFractions(a.fraction, b.fraction) == 0;
  }
  friend bool operator!=(const TrendTime& a, const TrendTime& b) { return !(a == b); }
  friend bool operator<(const TrendTime& a, const TrendTime& b) {
    return a.seconds < b.seconds || (a.seconds == b.seconds && CompareFractions(a.fraction, b.fraction) < 0);
  }
  friend bool operator>(const TrendTime& a, const TrendTime& b) { return b < a; }
  friend bool operator<=(const TrendTime& a, const TrendTime& b) { return !(b < a); }
  friend bool operator>=(const TrendTime& a, const TrendTime& b) { return !(a < b); }
};

// The calendar breakdown of seconds since 1970 in the display zone; false when it cannot be
// broken down. The application installs the display zone's breakdown at start-up; until then
// (and in tests) the computer's zone of the TZ variable is used.
using TrendZoneBreakdown = bool (*)(int64_t seconds, std::tm* out);
void SetTrendZoneBreakdown(TrendZoneBreakdown breakdown);
bool TrendLocalTm(int64_t seconds, std::tm* out);
// strftime in the "C" locale over the display-zone breakdown; empty when it fails.
void TrendFormatTime(const char* format, int64_t seconds, char* out, int size);

}  // namespace vt

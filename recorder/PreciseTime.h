// PreciseTime: a point in time (or a duration) on the display and export side.
//
// Whole seconds since 1970-01-01 00:00:00 UTC plus a fraction of a second kept as a double.
// Comparisons ignore differences below a ten-thousandth of a second: fractions are rounded
// half up to whole ten-thousandths first, and the rounding never carries into the seconds.
// The zero stamp {0, 0.0} stands for "no time" where an operation has no positive result.
#pragma once
#include <cstdint>

struct PreciseTime {
  int64_t seconds = 0;
  double fraction = 0.0;  // 0 <= fraction < 1 in every value an operation below produces

  // -1, 0 or 1: the sign of round4(x) - round4(y), round4 rounding half up to 1e-4.
  static int CompareFractions(double x, double y);
  // The stamp moved by d seconds (d may be negative); the zero stamp when the result is not
  // after 1970-01-01 00:00:00, not a number, or too large for 64-bit seconds (infinity).
  static PreciseTime AddSeconds(const PreciseTime& a, double d);
  // The duration y - x as a stamp (callers pass y > x); the zero stamp when the difference is
  // not a number or too large for 64-bit seconds.
  static PreciseTime FromSecondsDifference(double x, double y);
  // seconds + fraction as one double.
  static double ToSeconds(const PreciseTime& a);

  // A stamp plus a duration; the zero stamp when the sum's seconds leave the 64-bit range.
  friend PreciseTime operator+(const PreciseTime& a, const PreciseTime& b);
  // The duration a - b when a is later than b; the zero stamp otherwise (equal stamps too).
  friend PreciseTime operator-(const PreciseTime& a, const PreciseTime& b);

  friend bool operator==(const PreciseTime& a, const PreciseTime& b);
  friend bool operator!=(const PreciseTime& a, const PreciseTime& b);
  friend bool operator<(const PreciseTime& a, const PreciseTime& b);
  friend bool operator>(const PreciseTime& a, const PreciseTime& b);
  friend bool operator<=(const PreciseTime& a, const PreciseTime& b);
  friend bool operator>=(const PreciseTime& a, const PreciseTime& b);
};

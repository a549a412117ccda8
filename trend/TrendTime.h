// TrendTime: the time arithmetic the trend display adds to the recorder's PreciseTime.
//
// The trend display turns pixel offsets into seconds and back, so it needs a stamp built from a
// count of seconds and the length of a range in seconds; both give "no time" (the zero stamp, or
// 0 seconds) instead of an overflowed or negative value.
#pragma once
#include "recorder/PreciseTime.h"

namespace vt {

// The stamp of a count of seconds since 1970, split by floor; the zero stamp when the value is not
// greater than 0, not finite, or too large.
PreciseTime TimeFromSeconds(double s);
// later - earlier in seconds; 0 when later does not lie after earlier.
double SpanSeconds(const PreciseTime& earlier, const PreciseTime& later);

}  // namespace vt

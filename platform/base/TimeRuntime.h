// The old C runtime's local-time functions, over the computer's zone.
//
// The recorder readers turn recorder calendar times into UTC with these, and the results are
// stored and compared later, so they keep that runtime's arithmetic rather than the C
// library's: the zone's current rule for every year (no history), a daylight flag that adds
// nothing in a zone without daylight saving, and no times before 1970 or after
// 3001-01-01 07:59:59 UTC.
#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

namespace vt {

// The latest time the runtime breaks down or makes.
constexpr int64_t kRuntimeMaxTime = 32535244799;

// mktime: the fields are normalised (any values), then read as local time of the computer's
// zone. tm_isdst > 0 adds the zone's daylight bias, 0 adds nothing, < 0 asks the zone's rule
// (a wall time in the spring gap or the autumn overlap counts as daylight time). Returns -1,
// leaving *tm alone, when the result lies before 1970 or after kRuntimeMaxTime; otherwise
// rewrites *tm as the local breakdown of the result.
int64_t RuntimeMakeTime(std::tm* tm);

// localtime: the breakdown of t in the computer's zone, tm_isdst 1 in daylight time. False
// (output untouched) for t < 0 or t > kRuntimeMaxTime.
bool RuntimeLocalTime(int64_t t, std::tm* out);

// The breakdown of a clock count of seconds since 1970-01-01 00:00:00 as it stands (no zone):
// all nine fields, tm_isdst 0, and nothing else set.
void BreakDownSeconds(int64_t seconds, std::tm* out);

// strftime in the "C" locale into a buffer of bufferSize bytes (terminator included). An
// empty text when the result does not fit, or the format is null.
std::string FormatTimeC(const char* format, const std::tm& tm, size_t bufferSize);

}  // namespace vt

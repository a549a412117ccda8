// The time texts of the graph document: a sample time with milliseconds, the date, time and
// seconds fields of a copied sheet row, all broken down in the display time zone. A time that
// cannot be broken down shows -1 in each of its fields.
#pragma once
#include <string>

#include "recorder/TickTime.h"

namespace vt {

// "%04d/%02d/%02d %02d:%02d:%02d.%03d"
std::string FormatDateTimeMs(TickTime t);
// "%04d/%02d/%02d"
std::string FormatDate(TickTime t);
// "%02d:%02d:%02d"
std::string FormatTime(TickTime t);
// "0.%03d" of the milliseconds, right-aligned in 12 characters.
std::string FormatFraction(TickTime t);

}  // namespace vt

// The calendar form of recorder times is the local time of the reading computer, converted as
// the old runtime's mktime did with the daylight flag cleared. That one conversion lives here.
#pragma once
#include <cstdint>

// Seconds since 1970 for a local calendar time of the computer's zone (daylight flag cleared);
// -1 when the runtime cannot represent it.
int64_t LocalCalendarToSeconds(int year, int month, int day, int hour, int minute, int second);

// The calendar form of recorder times is the local time of the reading computer, converted as
// the old runtime's mktime did (newer files with the daylight flag cleared, older files with the
// flag their time records carry). That one conversion lives here.
#pragma once
#include <cstdint>

// Seconds since 1970 for a local calendar time of the computer's zone with the daylight flag
// as given (0 cleared, > 0 set, < 0 decided by the zone's rule); -1 when the runtime cannot
// represent it.
int64_t LocalCalendarToSeconds(int year, int month, int day, int hour, int minute, int second, int isdst = 0);

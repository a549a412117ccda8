// The calendar form of recorder times is the local time of the reading computer, converted as
// the old runtime's mktime did (newer files with the daylight flag cleared, older files with the
// flag their time records carry). That one conversion lives here, with the two-digit year rule
// both formats share.
#pragma once
#include <cstdint>

// Seconds since 1970 for a local calendar time of the computer's zone with the daylight flag
// as given (0 cleared, > 0 set, < 0 decided by the zone's rule); -1 when the runtime cannot
// represent it.
int64_t LocalCalendarToSeconds(int year, int month, int day, int hour, int minute, int second, int isdst = 0);

// The calendar year of a recorder's two-digit year byte (signed): 80..99 are 1980..1999, 0..37
// are 2000..2037, the unused 38..79 read as 1970, and negative bytes count back from 2000.
int RecorderYear(int8_t twoDigitYear);
// Whether a two-digit year byte lies in the unused 38..79.
bool IsUnusedRecorderYear(int8_t twoDigitYear);

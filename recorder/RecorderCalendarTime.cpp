// LocalCalendarToSeconds over the platform's runtime-compatible mktime (the zone's current rule
// for every year, and a daylight flag that adds nothing in a zone without daylight saving), so
// that calendar times give the values stored files were indexed with.
#include "recorder/RecorderCalendarTime.h"

#include <ctime>

#include "platform/base/TimeRuntime.h"

int64_t LocalCalendarToSeconds(int year, int month, int day, int hour, int minute, int second, int isdst) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = isdst;
  return vt::RuntimeMakeTime(&tm);
}

int RecorderYear(int8_t y) { return y >= 80 ? 1900 + y : (y >= 38 ? 1970 : 2000 + y); }

bool IsUnusedRecorderYear(int8_t y) { return y >= 38 && y <= 79; }

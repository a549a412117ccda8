// LocalCalendarToSeconds over the C library's mktime with tm_isdst = 0. Kept in one place so
// that the runtime-compatible conversion of the platform's time engine can replace it.
#include "recorder/RecorderCalendarTime.h"

#include <ctime>

int64_t LocalCalendarToSeconds(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = 0;
  const std::time_t t = std::mktime(&tm);
  if (t < 0) return -1;
  return int64_t(t);
}

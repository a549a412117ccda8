// Calendar times and file times: field validation, tick arithmetic and the proleptic
// Gregorian calendar the conversions rest on.
#include "platform/base/TimeEngine.h"

#include "platform/base/ByteOrder.h"

namespace vt {

void SystemTime::ReadFrom(const uint8_t* p) {
  wYear = LoadLe16(p);
  wMonth = LoadLe16(p + 2);
  wDayOfWeek = LoadLe16(p + 4);
  wDay = LoadLe16(p + 6);
  wHour = LoadLe16(p + 8);
  wMinute = LoadLe16(p + 10);
  wSecond = LoadLe16(p + 12);
  wMilliseconds = LoadLe16(p + 14);
}

void SystemTime::WriteTo(uint8_t* p) const {
  StoreLe16(p, wYear);
  StoreLe16(p + 2, wMonth);
  StoreLe16(p + 4, wDayOfWeek);
  StoreLe16(p + 6, wDay);
  StoreLe16(p + 8, wHour);
  StoreLe16(p + 10, wMinute);
  StoreLe16(p + 12, wSecond);
  StoreLe16(p + 14, wMilliseconds);
}

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days-from-civil over 400-year eras (the era count is floored, so negative years work).
int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yoe = year - era * 400;
  const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, int64_t* year, int* month, int* day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t doe = days - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = int(doy - (153 * mp + 2) / 5 + 1);
  const int m = int(mp < 10 ? mp + 3 : mp - 9);
  *year = yoe + era * 400 + (m <= 2);
  *month = m;
  *day = d;
}

int WeekdayFromDays(int64_t days) {
  // 1970-01-01 was a Thursday (4).
  const int64_t w = (days + 4) % 7;
  return int(w < 0 ? w + 7 : w);
}

bool SystemTimeToFileTime(const SystemTime& st, FileTime* ft) {
  if (st.wYear < 1601 || st.wYear > 30827) return false;
  if (st.wMonth < 1 || st.wMonth > 12) return false;
  if (st.wDay < 1 || st.wDay > DaysInMonth(st.wYear, st.wMonth)) return false;
  if (st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 || st.wMilliseconds > 999) return false;
  const int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + kEpochDifferenceSeconds / 86400;
  const int64_t seconds = days * 86400 + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
  *ft = TicksToFileTime(seconds * kTicksPerSecond + st.wMilliseconds * kTicksPerMillisecond);
  return true;
}

bool FileTimeToSystemTime(const FileTime& ft, SystemTime* st) {
  if (ft.high & 0x80000000u) return false;
  const int64_t ticks = FileTimeToTicks(ft);
  const int64_t seconds = ticks / kTicksPerSecond;
  const int64_t days = seconds / 86400 - kEpochDifferenceSeconds / 86400;
  const int64_t secondOfDay = seconds % 86400;
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(days, &year, &month, &day);
  st->wYear = uint16_t(year);
  st->wMonth = uint16_t(month);
  st->wDayOfWeek = uint16_t(WeekdayFromDays(days));
  st->wDay = uint16_t(day);
  st->wHour = uint16_t(secondOfDay / 3600);
  st->wMinute = uint16_t(secondOfDay / 60 % 60);
  st->wSecond = uint16_t(secondOfDay % 60);
  st->wMilliseconds = uint16_t(ticks % kTicksPerSecond / kTicksPerMillisecond);
  return true;
}

}  // namespace vt

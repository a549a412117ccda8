// Calendar times and file times with the semantics of the Windows kernel calls that the
// program's time arithmetic was built on.
//
// Times are stored in the index databases and compared exactly, so conversions between a
// calendar time (SystemTime) and a count of 100-ns ticks since 1601-01-01 (FileTime) must be
// reproduced exactly, including which inputs are refused. The zone-aware parts live in
// TimeZoneRecord.h, TimeComputerZone.h and TimeRuntime.h.
#pragma once
#include <cstdint>

namespace vt {

// A calendar time. Field order as in the stored 16-byte record: the day of week comes
// before the day of month.
struct SystemTime {
  uint16_t wYear = 0;
  uint16_t wMonth = 0;      // 1-12
  uint16_t wDayOfWeek = 0;  // 0 Sunday .. 6 Saturday
  uint16_t wDay = 0;        // 1-31
  uint16_t wHour = 0;
  uint16_t wMinute = 0;
  uint16_t wSecond = 0;
  uint16_t wMilliseconds = 0;

  static constexpr int kSize = 16;
  void ReadFrom(const uint8_t* p);  // 16 bytes, little-endian
  void WriteTo(uint8_t* p) const;
  friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

// 100-ns ticks since 1601-01-01 00:00:00, split into two unsigned 32-bit halves.
struct FileTime {
  uint32_t low = 0;
  uint32_t high = 0;
  friend bool operator==(const FileTime&, const FileTime&) = default;
};

constexpr int64_t kTicksPerMillisecond = 10'000;
constexpr int64_t kTicksPerSecond = 10'000'000;
constexpr int64_t kTicksPerMinute = 60 * kTicksPerSecond;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochDifferenceSeconds = 11'644'473'600;
constexpr int64_t kEpochDifferenceTicks = kEpochDifferenceSeconds * kTicksPerSecond;

// The halves combined (the low half is unsigned) and split again. Wraps like the 64-bit
// integers the old code kept file times in.
constexpr int64_t FileTimeToTicks(FileTime ft) {
  return int64_t((uint64_t(ft.high) << 32) | uint64_t(ft.low));
}
constexpr FileTime TicksToFileTime(int64_t ticks) {
  return FileTime{uint32_t(uint64_t(ticks)), uint32_t(uint64_t(ticks) >> 32)};
}

// Refuses (false, output untouched) a year outside 1601..30827, a month outside 1..12, a day
// beyond the month's length, hour > 23, minute or second > 59, milliseconds > 999.
// wDayOfWeek is ignored.
bool SystemTimeToFileTime(const SystemTime& st, FileTime* ft);
// Refuses a value of 2^63 ticks or more; computes wDayOfWeek.
bool FileTimeToSystemTime(const FileTime& ft, SystemTime* st);

// Proleptic Gregorian calendar arithmetic, valid for any year.
bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month);  // month 1-12
// Days since 1970-01-01 (negative before) of a date; month 1-12.
int64_t DaysFromCivil(int64_t year, int month, int day);
// The date of a day count since 1970-01-01.
void CivilFromDays(int64_t days, int64_t* year, int* month, int* day);
// 0 Sunday .. 6 Saturday.
int WeekdayFromDays(int64_t days);

}  // namespace vt

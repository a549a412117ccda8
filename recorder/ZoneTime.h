// ZoneTime: seconds since 1970 UTC shown in the display time zone.
//
// Every date and time the user sees is broken down or formatted through this type, in the
// zone of the shared record (SharedTimeZone). Values before 1970 or after
// 3001-01-01 07:59:59 UTC cannot be broken down, as with the runtime's local time.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

class ZoneTime {
 public:
  explicit ZoneTime(int64_t seconds) : seconds_(seconds) {}
  // From the two 32-bit halves of the seconds.
  ZoneTime(uint32_t low, uint32_t high) : seconds_(int64_t((uint64_t(high) << 32) | uint64_t(low))) {}

  int64_t Seconds() const { return seconds_; }

  // Fills *out with the calendar breakdown in the display zone and returns out: the nine
  // fields, with the day of year and the daylight flag of the display date. Null when the
  // value cannot be broken down (out is then left alone).
  std::tm* GetLocalTm(std::tm* out) const;
  // Hour 0-23 in the display zone; -1 when the breakdown fails.
  int GetHour() const;
  // strftime (the "C" locale) over the breakdown. An empty text when the format is null, the
  // breakdown fails, or the result does not fit 128 bytes with its terminator.
  std::string Format(const char* format) const;

 private:
  int64_t seconds_;
};

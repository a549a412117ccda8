// The 172-byte time-zone record and the conversions between UTC and a zone's local time.
//
// The record is shared between modules as raw bytes (little-endian, UTF-16 names at fixed
// offsets), so it is read and written field by field. A zone is a standard Bias plus, when
// DaylightDate.wMonth is not 0, a yearly daylight-saving period given in day-in-month form:
// wMonth, wDay = week 1-5 (5 = the last such weekday of the month), wDayOfWeek 0-6 (Sunday
// first), wHour:wMinute the local clock time of the change. DaylightDate's time is read on
// the standard clock, StandardDate's on the daylight clock. UTC = local + Bias (+ the bias
// of the period in effect).
#pragma once
#include <cstdint>

#include "platform/base/TimeEngine.h"

namespace vt {

struct TimeZoneInformation {
  int32_t Bias = 0;  // minutes, UTC = local + Bias
  char16_t StandardName[32] = {};
  SystemTime StandardDate;
  int32_t StandardBias = 0;
  char16_t DaylightName[32] = {};
  SystemTime DaylightDate;
  int32_t DaylightBias = 0;

  static constexpr int kSize = 172;
  // Byte offsets of the fields in the stored record.
  static constexpr int kBiasOffset = 0;
  static constexpr int kStandardNameOffset = 4;
  static constexpr int kStandardDateOffset = 68;
  static constexpr int kStandardBiasOffset = 84;
  static constexpr int kDaylightNameOffset = 88;
  static constexpr int kDaylightDateOffset = 152;
  static constexpr int kDaylightBiasOffset = 168;

  void ReadFrom(const uint8_t* p);  // kSize bytes
  void WriteTo(uint8_t* p) const;   // kSize bytes

  // A daylight-saving period is defined (DaylightDate.wMonth != 0).
  bool HasDaylightRule() const { return DaylightDate.wMonth != 0; }
  // False when a daylight rule is present but cannot be evaluated: StandardDate.wMonth 0,
  // a month above 12, week outside 1-5, weekday above 6, a time outside the day, or a date in
  // the absolute form (wYear != 0), which no record made on this platform uses.
  bool IsValid() const;

  friend bool operator==(const TimeZoneInformation&, const TimeZoneInformation&) = default;
};

// Whether a UTC instant (100-ns ticks since 1601) falls in the zone's daylight period.
// Requires a valid record with a daylight rule.
bool IsDaylightAtUtc(const TimeZoneInformation& tz, int64_t utcTicks);
// Whether a local wall-clock time falls in the daylight period. Wall times in the
// spring-forward gap and in the fall-back overlap both count as daylight time (the first
// occurrence of an overlapped hour).
bool IsDaylightAtLocal(const TimeZoneInformation& tz, int64_t localTicks);

// UTC -> local on the tick scale. False (output untouched) for an invalid record. Without a
// daylight rule local = UTC - Bias; with one, StandardBias or DaylightBias is added to Bias.
bool UtcToLocalTicks(const TimeZoneInformation& tz, int64_t utcTicks, int64_t* localTicks);
// Local -> UTC on the tick scale, by the rule evaluated on the wall time.
bool LocalToUtcTicks(const TimeZoneInformation& tz, int64_t localTicks, int64_t* utcTicks);

// The same on calendar times. A null zone means the computer's zone. False (output
// untouched) for an invalid record, an invalid calendar time or a result outside the
// file-time range.
bool SystemTimeToTzSpecificLocalTime(const TimeZoneInformation* tz, const SystemTime& utc, SystemTime* local);
bool TzSpecificLocalTimeToSystemTime(const TimeZoneInformation* tz, const SystemTime& local, SystemTime* utc);

}  // namespace vt

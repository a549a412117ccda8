// The time-zone record's byte layout and the day-in-month rule engine.
//
// The daylight test follows the record's own reading: for a UTC instant the year is taken on
// the standard clock; "before the end of daylight time" is judged on the daylight clock and
// "after its start" on the standard clock, each clock allowed to run into the neighbouring
// year. A northern rule (start month before end month) needs both, a southern one (including
// equal months) either. Instants are compared to the whole second.
#include "platform/base/TimeZoneRecord.h"

#include "platform/base/ByteOrder.h"
#include "platform/base/TimeComputerZone.h"

namespace vt {

namespace {

constexpr int64_t kDaysFrom1601To1970 = kEpochDifferenceSeconds / 86400;

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Calendar year of a count of seconds since 1601-01-01.
int64_t YearOf(int64_t seconds) {
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(FloorDiv(seconds, 86400) - kDaysFrom1601To1970, &year, &month, &day);
  return year;
}

// The local clock time (seconds since 1601) at which a day-in-month rule fires in a year.
int64_t TransitionSeconds(const SystemTime& rule, int64_t year) {
  const int firstWeekday = WeekdayFromDays(DaysFromCivil(year, rule.wMonth, 1));
  int day = (rule.wDayOfWeek - firstWeekday + 7) % 7 + 1 + 7 * (rule.wDay - 1);
  if (day > DaysInMonth(year, rule.wMonth)) day -= 7;  // week 5: the last one
  const int64_t days = DaysFromCivil(year, rule.wMonth, day) + kDaysFrom1601To1970;
  return days * 86400 + rule.wHour * 3600 + rule.wMinute * 60;
}

bool IsValidRuleDate(const SystemTime& d) {
  return d.wYear == 0 && d.wMonth >= 1 && d.wMonth <= 12 && d.wDay >= 1 && d.wDay <= 5 && d.wDayOfWeek <= 6 &&
         d.wHour <= 23 && d.wMinute <= 59 && d.wSecond <= 59 && d.wMilliseconds <= 999;
}

bool IsNorthern(const TimeZoneInformation& tz) { return tz.DaylightDate.wMonth < tz.StandardDate.wMonth; }

// The bias in force for a UTC instant, or false for an invalid record.
bool BiasAtUtc(const TimeZoneInformation& tz, int64_t utcTicks, int64_t* biasMinutes) {
  if (!tz.IsValid()) return false;
  *biasMinutes = tz.Bias;
  if (tz.HasDaylightRule()) *biasMinutes += IsDaylightAtUtc(tz, utcTicks) ? tz.DaylightBias : tz.StandardBias;
  return true;
}

bool BiasAtLocal(const TimeZoneInformation& tz, int64_t localTicks, int64_t* biasMinutes) {
  if (!tz.IsValid()) return false;
  *biasMinutes = tz.Bias;
  if (tz.HasDaylightRule())
    *biasMinutes += IsDaylightAtLocal(tz, localTicks) ? tz.DaylightBias : tz.StandardBias;
  return true;
}

void ReadName(const uint8_t* p, char16_t* name) {
  for (int i = 0; i < 32; ++i) name[i] = char16_t(LoadLe16(p + 2 * i));
}

void WriteName(uint8_t* p, const char16_t* name) {
  for (int i = 0; i < 32; ++i) StoreLe16(p + 2 * i, uint16_t(name[i]));
}

}  // namespace

void TimeZoneInformation::ReadFrom(const uint8_t* p) {
  Bias = int32_t(LoadLe32(p + kBiasOffset));
  ReadName(p + kStandardNameOffset, StandardName);
  StandardDate.ReadFrom(p + kStandardDateOffset);
  StandardBias = int32_t(LoadLe32(p + kStandardBiasOffset));
  ReadName(p + kDaylightNameOffset, DaylightName);
  DaylightDate.ReadFrom(p + kDaylightDateOffset);
  DaylightBias = int32_t(LoadLe32(p + kDaylightBiasOffset));
}

void TimeZoneInformation::WriteTo(uint8_t* p) const {
  StoreLe32(p + kBiasOffset, uint32_t(Bias));
  WriteName(p + kStandardNameOffset, StandardName);
  StandardDate.WriteTo(p + kStandardDateOffset);
  StoreLe32(p + kStandardBiasOffset, uint32_t(StandardBias));
  WriteName(p + kDaylightNameOffset, DaylightName);
  DaylightDate.WriteTo(p + kDaylightDateOffset);
  StoreLe32(p + kDaylightBiasOffset, uint32_t(DaylightBias));
}

bool TimeZoneInformation::IsValid() const {
  if (!HasDaylightRule()) return true;
  return IsValidRuleDate(DaylightDate) && IsValidRuleDate(StandardDate);
}

bool IsDaylightAtUtc(const TimeZoneInformation& tz, int64_t utcTicks) {
  const int64_t s = FloorDiv(utcTicks, kTicksPerSecond);
  const int64_t year = YearOf(s - int64_t(tz.Bias) * 60);

  const int64_t daylightClock = s - (int64_t(tz.Bias) + tz.DaylightBias) * 60;
  const int64_t daylightYear = YearOf(daylightClock);
  const bool beforeStandard =
      daylightYear != year ? daylightYear < year : daylightClock < TransitionSeconds(tz.StandardDate, year);

  const int64_t standardClock = s - (int64_t(tz.Bias) + tz.StandardBias) * 60;
  const int64_t standardYear = YearOf(standardClock);
  const bool afterDaylight =
      standardYear != year ? standardYear > year : standardClock >= TransitionSeconds(tz.DaylightDate, year);

  return IsNorthern(tz) ? beforeStandard && afterDaylight : beforeStandard || afterDaylight;
}

bool IsDaylightAtLocal(const TimeZoneInformation& tz, int64_t localTicks) {
  const int64_t s = FloorDiv(localTicks, kTicksPerSecond);
  const int64_t year = YearOf(s);
  const bool beforeStandard = s < TransitionSeconds(tz.StandardDate, year);
  const bool afterDaylight = s >= TransitionSeconds(tz.DaylightDate, year);
  return IsNorthern(tz) ? beforeStandard && afterDaylight : beforeStandard || afterDaylight;
}

bool UtcToLocalTicks(const TimeZoneInformation& tz, int64_t utcTicks, int64_t* localTicks) {
  int64_t bias = 0;
  if (!BiasAtUtc(tz, utcTicks, &bias)) return false;
  *localTicks = utcTicks - bias * kTicksPerMinute;
  return true;
}

bool LocalToUtcTicks(const TimeZoneInformation& tz, int64_t localTicks, int64_t* utcTicks) {
  int64_t bias = 0;
  if (!BiasAtLocal(tz, localTicks, &bias)) return false;
  *utcTicks = localTicks + bias * kTicksPerMinute;
  return true;
}

namespace {

using TickConversion = bool (*)(const TimeZoneInformation&, int64_t, int64_t*);

bool ConvertSystemTime(const TimeZoneInformation* tz, const SystemTime& in, SystemTime* out,
                       TickConversion convert) {
  TimeZoneInformation computer;
  if (!tz) {
    GetTimeZoneInformation(&computer);
    tz = &computer;
  }
  FileTime ft;
  if (!SystemTimeToFileTime(in, &ft)) return false;
  int64_t converted = 0;
  if (!convert(*tz, FileTimeToTicks(ft), &converted)) return false;
  if (converted < 0) return false;
  return FileTimeToSystemTime(TicksToFileTime(converted), out);
}

}  // namespace

bool SystemTimeToTzSpecificLocalTime(const TimeZoneInformation* tz, const SystemTime& utc,
                                     SystemTime* local) {
  return ConvertSystemTime(tz, utc, local, UtcToLocalTicks);
}

bool TzSpecificLocalTimeToSystemTime(const TimeZoneInformation* tz, const SystemTime& local,
                                     SystemTime* utc) {
  return ConvertSystemTime(tz, local, utc, LocalToUtcTicks);
}

}  // namespace vt

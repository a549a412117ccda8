// The runtime's mktime and localtime over the computer's zone, and C-locale strftime.
#include "platform/base/TimeRuntime.h"

#include <locale.h>

#include <vector>

#include "platform/base/TimeComputerZone.h"

namespace vt {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The runtime's two zone figures, in seconds: the standard offset (UTC = local + it), and
// the daylight shift on top of it, which is 0 when the zone keeps no daylight saving.
struct RuntimeZone {
  TimeZoneInformation tz;
  int64_t timezone = 0;
  int64_t dstbias = 0;
  bool hasDaylight = false;
};

RuntimeZone CurrentZone() {
  RuntimeZone z;
  GetTimeZoneInformation(&z.tz);
  z.timezone = (int64_t(z.tz.Bias) + (z.tz.StandardDate.wMonth ? z.tz.StandardBias : 0)) * 60;
  z.hasDaylight = z.tz.HasDaylightRule() && z.tz.IsValid() && z.tz.DaylightBias != 0;
  if (z.hasDaylight) z.dstbias = (int64_t(z.tz.DaylightBias) - z.tz.StandardBias) * 60;
  return z;
}

constexpr int64_t ToTicks(int64_t secondsSince1970) {
  return secondsSince1970 * kTicksPerSecond + kEpochDifferenceTicks;
}

}  // namespace

void BreakDownSeconds(int64_t seconds, std::tm* out) {
  const int64_t days = FloorDiv(seconds, 86400);
  const int64_t secondOfDay = seconds - days * 86400;
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(days, &year, &month, &day);
  *out = std::tm{};
  out->tm_sec = int(secondOfDay % 60);
  out->tm_min = int(secondOfDay / 60 % 60);
  out->tm_hour = int(secondOfDay / 3600);
  out->tm_mday = day;
  out->tm_mon = month - 1;
  out->tm_year = int(year - 1900);
  out->tm_wday = WeekdayFromDays(days);
  out->tm_yday = int(days - DaysFromCivil(year, 1, 1));
  out->tm_isdst = 0;
}

bool RuntimeLocalTime(int64_t t, std::tm* out) {
  if (t < 0 || t > kRuntimeMaxTime) return false;
  const RuntimeZone z = CurrentZone();
  const bool daylight = z.hasDaylight && IsDaylightAtUtc(z.tz, ToTicks(t));
  BreakDownSeconds(t - z.timezone - (daylight ? z.dstbias : 0), out);
  out->tm_isdst = daylight ? 1 : 0;
  return true;
}

int64_t RuntimeMakeTime(std::tm* tm) {
  // Normalise in 64 bits: months beyond 0-11 carry into the year, the rest is linear.
  const int64_t year = int64_t(tm->tm_year) + 1900 + FloorDiv(tm->tm_mon, 12);
  const int month = int(tm->tm_mon - FloorDiv(tm->tm_mon, 12) * 12) + 1;
  if (year < 1000 || year > 4000) return -1;  // far outside the range; avoids overflow
  const int64_t days = DaysFromCivil(year, month, 1) + (int64_t(tm->tm_mday) - 1);
  const int64_t local =
      days * 86400 + int64_t(tm->tm_hour) * 3600 + int64_t(tm->tm_min) * 60 + int64_t(tm->tm_sec);

  const RuntimeZone z = CurrentZone();
  bool daylight = tm->tm_isdst > 0;
  if (tm->tm_isdst < 0) daylight = z.hasDaylight && IsDaylightAtLocal(z.tz, ToTicks(local));
  const int64_t t = local + z.timezone + (daylight ? z.dstbias : 0);
  if (t < 0 || t > kRuntimeMaxTime) return -1;
  RuntimeLocalTime(t, tm);
  return t;
}

std::string FormatTimeC(const char* format, const std::tm& tm, size_t bufferSize) {
  if (!format || bufferSize == 0) return std::string();
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  std::vector<char> buffer(bufferSize);
  const size_t n = cLocale ? strftime_l(buffer.data(), bufferSize, format, &tm, cLocale)
                           : strftime(buffer.data(), bufferSize, format, &tm);
  return std::string(buffer.data(), n);
}

}  // namespace vt

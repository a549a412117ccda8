// ZoneTime breakdown and formatting over the shared display-zone record.
//
// The breakdown converts the UTC value straight into the display zone. (Going through the
// computer's own local time first and back, as older code did, loses the day of year and the
// daylight flag of the display date, and goes wrong for zones whose daylight shift is not one
// hour.)
#include "recorder/ZoneTime.h"

#include "platform/base/TimeRuntime.h"
#include "recorder/SharedTimeZone.h"

namespace {

constexpr int kFormatBufferSize = 128;

}  // namespace

std::tm* ZoneTime::GetLocalTm(std::tm* out) const {
  if (!out || seconds_ < 0 || seconds_ > vt::kRuntimeMaxTime) return nullptr;
  const vt::TimeZoneInformation zone = DisplayZoneForConversion(SharedTimeZone::Instance().Record());
  const int64_t utc = seconds_ * vt::kTicksPerSecond + vt::kEpochDifferenceTicks;
  int64_t local = 0;
  if (!vt::UtcToLocalTicks(zone, utc, &local)) return nullptr;  // not reached: zone is valid
  const bool daylight = zone.HasDaylightRule() && vt::IsDaylightAtUtc(zone, utc);
  vt::BreakDownSeconds((local - vt::kEpochDifferenceTicks) / vt::kTicksPerSecond, out);
  out->tm_isdst = daylight ? 1 : 0;
  return out;
}

int ZoneTime::GetHour() const {
  std::tm tm;
  return GetLocalTm(&tm) ? tm.tm_hour : -1;
}

std::string ZoneTime::Format(const char* format) const {
  if (!format) return std::string();
  std::tm tm;
  if (!GetLocalTm(&tm)) return std::string();
  return vt::FormatTimeC(format, tm, kFormatBufferSize);
}

// SharedTimeZone: opening the display-zone mapping and converting one time (see the header).
#include "formshift/SharedTimeZone.h"

#include <cstring>
#include <mutex>

#include "platform/base/TimeZoneFallback.h"
#include "platform/base/TimeZoneRecord.h"

namespace formshift {

namespace {

// Conversions on two threads may both find the mapping missing; the one that creates it writes
// the Bias before the other can read the record.
std::mutex g_creation;

}  // namespace

SharedTimeZone::SharedTimeZone() {
  std::lock_guard<std::mutex> lock(g_creation);
  bool existed = false;
  if (!mapping_.Open(kMappingName, vt::TimeZoneInformation::kSize, &existed)) return;
  uint8_t* data = mapping_.Data();
  if (!existed) vt::ComputerBiasOnlyZone().WriteTo(data);
  record_ = data;
}

bool SharedTimeZone::DisplayTime(int32_t t, vt::SystemTime* local) const {
  const vt::FileTime fileTime =
      vt::TicksToFileTime((int64_t(t) + vt::kEpochDifferenceSeconds) * vt::kTicksPerSecond);
  vt::SystemTime utc;
  if (!vt::FileTimeToSystemTime(fileTime, &utc)) return false;
  if (!record_) return vt::SystemTimeToTzSpecificLocalTime(nullptr, utc, local);
  // A copy of the bytes first: the program may rewrite the record at any moment.
  uint8_t bytes[vt::TimeZoneInformation::kSize];
  std::memcpy(bytes, record_, sizeof bytes);
  vt::TimeZoneInformation record;
  record.ReadFrom(bytes);
  const vt::TimeZoneInformation zone = vt::ZoneForConversion(record);
  return vt::SystemTimeToTzSpecificLocalTime(&zone, utc, local);
}

}  // namespace formshift

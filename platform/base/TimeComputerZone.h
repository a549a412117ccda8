// The computer's time zone as a time-zone record.
//
// Derived from the POSIX rule of the TZ variable, or, when TZ is unset, from the rule at the
// end of /etc/localtime. A TZ naming a zone ("Europe/Berlin", ":Asia/Tokyo", a path) uses
// the rule at the end of that zone file. Only the zone's current rule is used, for every
// year: zone history is ignored on purpose, so that stored times compare equal with those
// computed on systems that only ever knew the current rule. Bias is the standard bias, never
// the offset in force today. A zone whose daylight time is behind its standard time (a
// "negative" daylight saving) is turned round so that DaylightBias is negative.
//
// The result is cached per TZ value; ResetComputerTimeZone() drops the cache (tests that
// change /etc/localtime-like state, or TZ, call it).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/TimeZoneRecord.h"

namespace vt {

enum : uint32_t {
  kTimeZoneIdUnknown = 0,   // the zone has no daylight saving
  kTimeZoneIdStandard = 1,  // standard time is in effect now
  kTimeZoneIdDaylight = 2,  // daylight time is in effect now
};

// Fills *tz with the computer's zone; returns one of the ids above.
uint32_t GetTimeZoneInformation(TimeZoneInformation* tz);

// Forgets the cached zone so that the next call reads TZ and the zone files again.
void ResetComputerTimeZone();

// Pins the computer's zone for a scope: sets TZ (null unsets it), forgets the cached zone,
// and puts the previous TZ back at the end. For tests, which must not depend on the zone of
// the machine they run on. Not for concurrent use with other threads reading TZ.
class ScopedComputerZone {
 public:
  explicit ScopedComputerZone(const char* tz);
  ~ScopedComputerZone();
  ScopedComputerZone(const ScopedComputerZone&) = delete;
  ScopedComputerZone& operator=(const ScopedComputerZone&) = delete;

 private:
  std::optional<std::string> previous_;
};

// Turns a POSIX rule ("CET-1CEST,M3.5.0,M10.5.0/3") into a record. False for a text that is
// not a complete rule. Rule times outside 0-23 hours and Julian-day rules cannot be written
// in day-in-month form exactly; they are approximated (see the implementation).
bool TimeZoneFromPosixRule(std::string_view rule, TimeZoneInformation* tz);

}  // namespace vt

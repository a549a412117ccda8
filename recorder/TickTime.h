// TickTime: a point in time on the data-store side.
//
// A signed 64-bit count of 100-ns ticks since 1601-01-01 00:00:00 UTC (the file-time scale);
// every time in the index databases is one. Conversions to and from PreciseTime and the
// recorders' (seconds, milliseconds) pairs keep whole milliseconds, truncated toward zero.
// Arithmetic wraps silently like the 64-bit integers the stored values came from.
#pragma once
#include <cstdint>

#include "platform/base/TimeEngine.h"
#include "recorder/PreciseTime.h"

struct TickTime {
  int64_t ticks = 0;

  TickTime() = default;
  explicit constexpr TickTime(int64_t t) : ticks(t) {}

  // (p.seconds + 11644473600) x 10^7 + trunc(p.fraction x 1000) x 10^4.
  [[nodiscard]] static TickTime FromPreciseTime(const PreciseTime& p);
  // The file time of a calendar time taken as it is (no zone conversion). A calendar time
  // that cannot be converted (no such date, fields out of range) gives ticks 0.
  [[nodiscard]] static TickTime FromSystemTime(const vt::SystemTime& st);
  // A recorder time: seconds since 1970 and milliseconds, sign-extended to 64 bits.
  // Inline, as the additions below: the readers convert every record's time.
  [[nodiscard]] static TickTime FromTime(int32_t seconds, int32_t milliseconds) {
    return TickTime(int64_t((uint64_t(int64_t(seconds)) + uint64_t(vt::kEpochDifferenceSeconds)) *
                                uint64_t(vt::kTicksPerSecond) +
                            uint64_t(int64_t(milliseconds)) * uint64_t(vt::kTicksPerMillisecond)));
  }

  // Seconds since 1970 (truncated toward zero, cut to 32 bits) and the remaining
  // milliseconds (truncated toward zero, so negative before 1970).
  void SplitTime(int32_t* seconds, int32_t* milliseconds) const;
  // As SplitTime with 64-bit seconds; *fraction = milliseconds / 1000.0. Returns the
  // milliseconds. The two outputs are a PreciseTime's two fields.
  int32_t ToTime64(int64_t* seconds, double* fraction) const;

  TickTime& AddMilliseconds(int64_t m) {  // this, after ticks += m x 10^4
    ticks = int64_t(uint64_t(ticks) + uint64_t(m) * uint64_t(vt::kTicksPerMillisecond));
    return *this;
  }
  [[nodiscard]] TickTime PlusMilliseconds(int64_t m) const { return TickTime(*this).AddMilliseconds(m); }
  [[nodiscard]] TickTime MinusMilliseconds(int64_t m) const;
  // (ticks - u.ticks) / 10^4, truncated toward zero.
  [[nodiscard]] int64_t DiffMilliseconds(const TickTime& u) const;

  friend bool operator<(const TickTime& a, const TickTime& b) { return a.ticks < b.ticks; }
  friend bool operator>(const TickTime& a, const TickTime& b) { return a.ticks > b.ticks; }
  friend bool operator==(const TickTime& a, const TickTime& b) = default;
};

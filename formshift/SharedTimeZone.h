// SharedTimeZone: Formshift's view of the display time zone, made for one date or time cell.
//
// The program keeps the display zone in the named mapping VANTREL_TIMEZONEINFORMATION for its
// whole run and may rewrite it at any time; a holder made per cell sees the zone in force when
// the cell is written. When the program is not running, the holder creates the mapping itself,
// holding only the computer's standard Bias (times then shift without daylight saving), and it
// is gone again with the holder.
#pragma once
#include <cstdint>

#include "platform/base/FileMapping.h"
#include "platform/base/TimeEngine.h"

namespace formshift {

class SharedTimeZone {
 public:
  static constexpr const char* kMappingName = "VANTREL_TIMEZONEINFORMATION";

  SharedTimeZone();
  ~SharedTimeZone() = default;
  SharedTimeZone(const SharedTimeZone&) = delete;
  SharedTimeZone& operator=(const SharedTimeZone&) = delete;

  // The wall-clock time of the display zone at t seconds since 1970 UTC, milliseconds 0.
  // Without a mapping the computer's zone is used. False when t cannot be converted.
  bool DisplayTime(int32_t t, vt::SystemTime* local) const;

 private:
  vt::NamedFileMapping mapping_;
  const uint8_t* record_ = nullptr;
};

}  // namespace formshift

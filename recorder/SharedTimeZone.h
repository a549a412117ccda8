// SharedTimeZone: the display time zone, one time-zone record shared by every module.
//
// All times are kept in UTC; the user chooses the zone they are shown in. That choice is one
// 172-byte time-zone record in the named mapping "VANTREL_TIMEZONEINFORMATION", which the
// conversion library opens by the same name. Whoever creates the mapping first zeroes it and
// writes the computer's standard Bias, so the record always holds at least "the computer's
// zone without daylight saving"; it keeps its contents while any holder has it open.
//
// The program keeps one holder for its whole run (Instance(), built on first use, so that no
// static object can run before it); the free functions below work on that holder. No lock
// guards the record: it is written from the user-interface thread only, and readers copy it
// once per conversion, so one conversion never mixes two records.
#pragma once
#include <cstdint>

#include "platform/base/FileMapping.h"
#include "platform/base/TimeEngine.h"
#include "platform/base/TimeZoneRecord.h"

namespace vt {

// The modes of SetDisplayTimeZone. They are not the settings file's rule types.
enum DISPLAY_ZONE_MODE : int {
  DISPLAY_ZONE_NO_DAYLIGHT = 0,  // the computer's Bias, no daylight saving
  DISPLAY_ZONE_USER_RULE = 1,    // the computer's Bias with the user's daylight-saving rule
  DISPLAY_ZONE_COMPUTER = 2,     // the computer's zone as it is
};

}  // namespace vt

class SharedTimeZone {
 public:
  static constexpr const char* kMappingName = "VANTREL_TIMEZONEINFORMATION";
  static constexpr int kRecordSize = vt::TimeZoneInformation::kSize;

  // Creates or opens the mapping. The creator fills it with zero and the computer's Bias; a
  // later opener leaves it as it is. When the mapping cannot be made the holder stays empty.
  SharedTimeZone();
  ~SharedTimeZone();  // closes the mapping
  SharedTimeZone(const SharedTimeZone&) = delete;
  SharedTimeZone& operator=(const SharedTimeZone&) = delete;

  // The program's holder.
  static SharedTimeZone& Instance();

  bool IsOpen() const { return record_ != nullptr; }

  // A copy of the record as it stands. An empty holder answers with the record a first
  // creator would write: zero and the computer's Bias.
  vt::TimeZoneInformation Record() const;

  // Rewrites the record (see the free function). An empty holder does nothing.
  void SetDisplayTimeZone(int mode, uint16_t startMonth, uint16_t startWeek, uint16_t startDayOfWeek,
                          uint16_t startHour, uint16_t endMonth, uint16_t endWeek, uint16_t endDayOfWeek,
                          uint16_t endHour);

 private:
  vt::NamedFileMapping mapping_;
  uint8_t* record_ = nullptr;
};

// Rewrites the shared record. Mode 0: zero, then the computer's Bias. Mode 1: zero, the
// computer's Bias, DaylightBias -60, daylight time from the start rule (month, week 1-5 with
// 5 the last, day of week 0 Sunday, hour of standard time) to the end rule (hour of daylight
// time). Mode 2: the computer's whole record. Any other mode leaves the record unchanged.
void SetDisplayTimeZone(int mode, uint16_t startMonth, uint16_t startWeek, uint16_t startDayOfWeek,
                        uint16_t startHour, uint16_t endMonth, uint16_t endWeek, uint16_t endDayOfWeek,
                        uint16_t endHour);

// The record's zone for a conversion: the record itself, or, when its daylight rule cannot
// be evaluated (a hand-edited setting can hold any numbers), the record without that rule, so
// that times convert with the Bias alone instead of failing.
vt::TimeZoneInformation DisplayZoneForConversion(const vt::TimeZoneInformation& record);

// A UTC file time as wall-clock time of the display zone, and back. Sub-millisecond ticks
// are dropped on the way, as the calendar time in between has milliseconds only. An input
// that cannot be converted (2^63 ticks or more, or a result outside the file-time range) is
// passed through unchanged, so the output is always set.
void UtcToDisplayFileTime(const vt::FileTime* utc, vt::FileTime* display);
// Entered wall times in the spring gap or the autumn overlap count as daylight time.
void DisplayToUtcFileTime(const vt::FileTime* display, vt::FileTime* utc);

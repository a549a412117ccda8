// The shared display-zone record: first creation, rewriting by mode, file-time conversions.
#include "recorder/SharedTimeZone.h"

#include <cassert>
#include <cstring>

#include "platform/base/TimeComputerZone.h"
#include "platform/base/TimeZoneFallback.h"

namespace {

void Store(uint8_t* target, const vt::TimeZoneInformation& record) {
  // Build the bytes aside and copy them in one go: readers do not lock.
  uint8_t bytes[SharedTimeZone::kRecordSize] = {};
  record.WriteTo(bytes);
  std::memcpy(target, bytes, sizeof bytes);
}

using SystemTimeConversion = bool (*)(const vt::TimeZoneInformation*, const vt::SystemTime&, vt::SystemTime*);

void ConvertFileTime(const vt::FileTime* in, vt::FileTime* out, SystemTimeConversion convert) {
  assert(in && out);
  const vt::FileTime input = *in;
  *out = input;
  const vt::TimeZoneInformation zone = DisplayZoneForConversion(SharedTimeZone::Instance().Record());
  vt::SystemTime from, to;
  vt::FileTime result;
  if (vt::FileTimeToSystemTime(input, &from) && convert(&zone, from, &to) &&
      vt::SystemTimeToFileTime(to, &result))
    *out = result;
}

}  // namespace

SharedTimeZone::SharedTimeZone() {
  bool existed = false;
  if (!mapping_.Open(kMappingName, kRecordSize, &existed)) return;
  record_ = mapping_.Data();
  assert(record_ && mapping_.Size() >= size_t(kRecordSize));
  if (!existed) Store(record_, vt::ComputerBiasOnlyZone());
}

SharedTimeZone::~SharedTimeZone() {
  record_ = nullptr;
  mapping_.Close();
}

SharedTimeZone& SharedTimeZone::Instance() {
  static SharedTimeZone holder;
  return holder;
}

vt::TimeZoneInformation SharedTimeZone::Record() const {
  if (!record_) return vt::ComputerBiasOnlyZone();
  uint8_t bytes[kRecordSize];
  std::memcpy(bytes, record_, sizeof bytes);
  vt::TimeZoneInformation record;
  record.ReadFrom(bytes);
  return record;
}

void SharedTimeZone::SetDisplayTimeZone(int mode, uint16_t startMonth, uint16_t startWeek,
                                        uint16_t startDayOfWeek, uint16_t startHour, uint16_t endMonth,
                                        uint16_t endWeek, uint16_t endDayOfWeek, uint16_t endHour) {
  vt::TimeZoneInformation computer;
  vt::GetTimeZoneInformation(&computer);
  vt::TimeZoneInformation record;
  switch (mode) {
    case vt::DISPLAY_ZONE_NO_DAYLIGHT:
      record.Bias = computer.Bias;
      break;
    case vt::DISPLAY_ZONE_USER_RULE:
      record.Bias = computer.Bias;
      record.DaylightBias = -60;
      record.DaylightDate.wMonth = startMonth;
      record.DaylightDate.wDay = startWeek;
      record.DaylightDate.wDayOfWeek = startDayOfWeek;
      record.DaylightDate.wHour = startHour;
      record.StandardDate.wMonth = endMonth;
      record.StandardDate.wDay = endWeek;
      record.StandardDate.wDayOfWeek = endDayOfWeek;
      record.StandardDate.wHour = endHour;
      break;
    case vt::DISPLAY_ZONE_COMPUTER:
      record = computer;
      break;
    default:
      return;
  }
  if (record_) Store(record_, record);
}

void SetDisplayTimeZone(int mode, uint16_t startMonth, uint16_t startWeek, uint16_t startDayOfWeek,
                        uint16_t startHour, uint16_t endMonth, uint16_t endWeek, uint16_t endDayOfWeek,
                        uint16_t endHour) {
  SharedTimeZone::Instance().SetDisplayTimeZone(mode, startMonth, startWeek, startDayOfWeek, startHour,
                                                endMonth, endWeek, endDayOfWeek, endHour);
}

vt::TimeZoneInformation DisplayZoneForConversion(const vt::TimeZoneInformation& record) {
  return vt::ZoneForConversion(record);
}

void UtcToDisplayFileTime(const vt::FileTime* utc, vt::FileTime* display) {
  ConvertFileTime(utc, display, vt::SystemTimeToTzSpecificLocalTime);
}

void DisplayToUtcFileTime(const vt::FileTime* display, vt::FileTime* utc) {
  ConvertFileTime(display, utc, vt::TzSpecificLocalTimeToSystemTime);
}

// The zone records that every module falls back on when the shared display zone is missing or
// unusable, so that the program's displayed times and its exported times always agree.
//
// A fresh display-zone record holds the computer's standard Bias and nothing else. A record
// whose daylight rule cannot be evaluated (a hand-edited setting can hold any numbers) is used
// without that rule: times then convert with the Bias alone instead of failing.
#pragma once

#include "platform/base/TimeComputerZone.h"
#include "platform/base/TimeZoneRecord.h"

namespace vt {

// Zero everywhere but the computer's standard Bias.
inline TimeZoneInformation ComputerBiasOnlyZone() {
  TimeZoneInformation computer;
  GetTimeZoneInformation(&computer);
  TimeZoneInformation record;
  record.Bias = computer.Bias;
  return record;
}

// The record itself, or, when its daylight rule cannot be evaluated, the record without it.
inline TimeZoneInformation ZoneForConversion(const TimeZoneInformation& record) {
  if (record.IsValid()) return record;
  TimeZoneInformation biasOnly = record;
  biasOnly.DaylightDate = SystemTime{};
  biasOnly.StandardDate = SystemTime{};
  return biasOnly;
}

}  // namespace vt

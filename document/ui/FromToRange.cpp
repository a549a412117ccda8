// CVantrelFromToRange: breaking seconds down in the display zone and building them again.
#include "document/ui/FromToRange.h"

#include <ctime>
#include <utility>

#include "recorder/SharedTimeZone.h"
#include "recorder/ZoneTime.h"

namespace vt_ui {
namespace {

FromToPicker* g_picker = nullptr;

vt::SystemTime Breakdown(int64_t seconds) {
  vt::SystemTime st;
  std::tm tm{};
  if (!ZoneTime(seconds).GetLocalTm(&tm)) return st;
  st.wYear = uint16_t(tm.tm_year + 1900);
  st.wMonth = uint16_t(tm.tm_mon + 1);
  st.wDayOfWeek = uint16_t(tm.tm_wday + 1);
  st.wDay = uint16_t(tm.tm_mday);
  st.wHour = uint16_t(tm.tm_hour);
  st.wMinute = uint16_t(tm.tm_min);
  st.wSecond = uint16_t(tm.tm_sec);
  return st;
}

}  // namespace

void SetFromToPicker(FromToPicker* picker) { g_picker = picker; }
FromToPicker* GetFromToPicker() { return g_picker; }

CVantrelFromToRange::CVantrelFromToRange(int64_t from, int64_t to)
    : from_(from), to_(to), fromFields_(Breakdown(from)), toFields_(Breakdown(to)) {}

void CVantrelFromToRange::SetDate(bool to, int year, int month, int day) {
  vt::SystemTime& st = to ? toFields_ : fromFields_;
  st.wYear = uint16_t(year), st.wMonth = uint16_t(month), st.wDay = uint16_t(day);
  Store(to);
}

void CVantrelFromToRange::SetTime(bool to, int hour, int minute, int second) {
  vt::SystemTime& st = to ? toFields_ : fromFields_;
  st.wHour = uint16_t(hour), st.wMinute = uint16_t(minute), st.wSecond = uint16_t(second);
  Store(to);
}

void CVantrelFromToRange::Store(bool to) {
  vt::FileTime display, utc;
  // Fields that make no date keep the value they had.
  if (!vt::SystemTimeToFileTime(to ? toFields_ : fromFields_, &display)) return;
  DisplayToUtcFileTime(&display, &utc);
  const int64_t ticks = int64_t((uint64_t(utc.high) << 32) | uint64_t(utc.low));
  (to ? to_ : from_) = ticks / vt::kTicksPerSecond - vt::kEpochDifferenceSeconds;
}

void CVantrelFromToRange::Accept() {
  if (from_ > to_) {
    std::swap(from_, to_);
    std::swap(fromFields_, toFields_);
  }
}

}  // namespace vt_ui

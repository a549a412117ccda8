// The computer's zone: POSIX rule parsing, the rule at the end of a zone file, the cache.
#include "platform/base/TimeComputerZone.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace vt {

namespace {

// ---- POSIX rule text -------------------------------------------------------------------

struct RuleDate {
  enum Kind { kMonthWeekDay, kJulianNoLeap, kDayOfYear } kind = kMonthWeekDay;
  int month = 0, week = 0, weekday = 0;  // kMonthWeekDay
  int day = 0;                           // kJulianNoLeap (1-365) or kDayOfYear (0-365)
  int64_t time = 7200;                   // seconds after local midnight; may leave 0..24h
};

struct PosixRule {
  std::string standardName, daylightName;
  int64_t standardOffset = 0;  // seconds west of UTC (the rule's own sign)
  int64_t daylightOffset = 0;
  bool hasDaylight = false;
  RuleDate start, end;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : s_(text) {}

  bool Parse(PosixRule* r) {
    if (!Name(&r->standardName) || !Offset(&r->standardOffset, 24)) return false;
    if (AtEnd()) return true;
    if (!Name(&r->daylightName)) return false;
    r->hasDaylight = true;
    r->daylightOffset = r->standardOffset - 3600;
    if (!AtEnd() && Peek() != ',' && !Offset(&r->daylightOffset, 24)) return false;
    if (AtEnd()) {
      // No rule given: the customary default of the C library.
      r->start = RuleDate{RuleDate::kMonthWeekDay, 3, 2, 0, 0, 7200};
      r->end = RuleDate{RuleDate::kMonthWeekDay, 11, 1, 0, 0, 7200};
      return true;
    }
    if (!Take(',') || !Date(&r->start) || !Take(',') || !Date(&r->end)) return false;
    return AtEnd();
  }

 private:
  bool AtEnd() const { return i_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[i_]; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++i_;
    return true;
  }
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  static bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

  bool Name(std::string* name) {
    if (Take('<')) {
      const size_t close = s_.find('>', i_);
      if (close == std::string_view::npos || close - i_ < 3) return false;
      *name = std::string(s_.substr(i_, close - i_));
      i_ = close + 1;
      return true;
    }
    const size_t begin = i_;
    while (IsAlpha(Peek())) ++i_;
    if (i_ - begin < 3) return false;
    *name = std::string(s_.substr(begin, i_ - begin));
    return true;
  }

  bool Number(int64_t* v, int maxDigits) {
    if (!IsDigit(Peek())) return false;
    int64_t n = 0;
    int digits = 0;
    while (IsDigit(Peek()) && digits < maxDigits) {
      n = n * 10 + (s_[i_++] - '0');
      ++digits;
    }
    if (IsDigit(Peek())) return false;
    *v = n;
    return true;
  }

  // [+-]h[h][:mm[:ss]], hours up to maxHours.
  bool Offset(int64_t* seconds, int64_t maxHours) {
    int64_t sign = 1;
    if (Take('-'))
      sign = -1;
    else
      Take('+');
    int64_t h = 0, m = 0, sec = 0;
    if (!Number(&h, 3) || h > maxHours) return false;
    if (Take(':')) {
      if (!Number(&m, 2) || m > 59) return false;
      if (Take(':') && (!Number(&sec, 2) || sec > 59)) return false;
    }
    *seconds = sign * (h * 3600 + m * 60 + sec);
    return true;
  }

  bool Date(RuleDate* d) {
    int64_t a = 0, b = 0, c = 0;
    if (Take('M')) {
      if (!Number(&a, 2) || !Take('.') || !Number(&b, 1) || !Take('.') || !Number(&c, 1)) return false;
      if (a < 1 || a > 12 || b < 1 || b > 5 || c > 6) return false;
      *d = RuleDate{RuleDate::kMonthWeekDay, int(a), int(b), int(c), 0, 7200};
    } else if (Take('J')) {
      if (!Number(&a, 3) || a < 1 || a > 365) return false;
      *d = RuleDate{RuleDate::kJulianNoLeap, 0, 0, 0, int(a), 7200};
    } else {
      if (!Number(&a, 3) || a > 365) return false;
      *d = RuleDate{RuleDate::kDayOfYear, 0, 0, 0, int(a), 7200};
    }
    if (Take('/') && !Offset(&d->time, 167)) return false;
    return true;
  }

  std::string_view s_;
  size_t i_ = 0;
};

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int CurrentYear() {
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(FloorDiv(int64_t(std::time(nullptr)), 86400), &year, &month, &day);
  return int(year);
}

// A rule date in day-in-month form. Exact for "Mm.w.d" with a time within the day. A time
// before or after the day moves the weekday (same week number, hour wrapped), which can miss
// by a week at the end of a month. A fixed day of the year becomes the weekday it falls on
// this year in its week of the month. Records of this form cannot say more.
SystemTime ToDayInMonth(const RuleDate& d) {
  const int64_t dayShift = FloorDiv(d.time, 86400);
  const int64_t timeOfDay = d.time - dayShift * 86400;
  SystemTime st;
  st.wHour = uint16_t(timeOfDay / 3600);
  st.wMinute = uint16_t(timeOfDay / 60 % 60);
  st.wSecond = uint16_t(timeOfDay % 60);
  if (d.kind == RuleDate::kMonthWeekDay) {
    st.wMonth = uint16_t(d.month);
    st.wDay = uint16_t(d.week);
    st.wDayOfWeek = uint16_t(((d.weekday + dayShift) % 7 + 7) % 7);
    return st;
  }
  // Day of a year without 29 February, counted from 0.
  int64_t dayIndex = d.kind == RuleDate::kJulianNoLeap ? d.day - 1 : d.day;
  dayIndex = std::min<int64_t>(std::max<int64_t>(dayIndex + dayShift, 0), 364);
  const int year = CurrentYear();
  const int64_t days = DaysFromCivil(2001, 1, 1) + dayIndex;  // 2001: not a leap year
  int64_t y = 0;
  int month = 0, day = 0;
  CivilFromDays(days, &y, &month, &day);
  st.wMonth = uint16_t(month);
  st.wDay = uint16_t(std::min(5, (day - 1) / 7 + 1));
  st.wDayOfWeek = uint16_t(WeekdayFromDays(DaysFromCivil(year, month, day)));
  return st;
}

void SetName(char16_t* out, const std::string& name) {
  for (int i = 0; i < 32; ++i) out[i] = 0;
  for (size_t i = 0; i < name.size() && i < 31; ++i) out[i] = char16_t(uint8_t(name[i]));
}

TimeZoneInformation ToRecord(const PosixRule& r) {
  TimeZoneInformation tz;
  tz.Bias = int32_t(r.standardOffset / 60);
  SetName(tz.StandardName, r.standardName);
  if (!r.hasDaylight) return tz;
  SetName(tz.DaylightName, r.daylightName);
  tz.DaylightBias = int32_t((r.daylightOffset - r.standardOffset) / 60);
  tz.DaylightDate = ToDayInMonth(r.start);
  tz.StandardDate = ToDayInMonth(r.end);
  if (tz.DaylightBias > 0) {
    // Daylight time behind standard time: the "daylight" period is really the winter one.
    // Turn it round so that the standard period carries the smaller offset, as records of
    // such zones always do.
    tz.Bias = int32_t(r.daylightOffset / 60);
    tz.DaylightBias = -tz.DaylightBias;
    std::swap(tz.DaylightDate, tz.StandardDate);
    SetName(tz.StandardName, r.daylightName);
    SetName(tz.DaylightName, r.standardName);
  }
  return tz;
}

// ---- Zone files --------------------------------------------------------------------------

// The rule in the last line of a zone file of version 2 or later.
std::optional<std::string> ZoneFileRule(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (data.size() < 6 || data.compare(0, 4, "TZif") != 0 || data[4] < '2') return std::nullopt;
  if (data.back() != '\n') return std::nullopt;
  // The rule line holds no newline, so the newline before it is the last one before the end.
  const size_t open = data.rfind('\n', data.size() - 2);
  if (open == std::string::npos) return std::nullopt;
  return data.substr(open + 1, data.size() - open - 2);
}

bool IsSafeZoneName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  for (char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
                    c == '_' || c == '-' || c == '+';
    if (!ok) return false;
  }
  return true;
}

TimeZoneInformation Utc() {
  TimeZoneInformation tz;
  SetName(tz.StandardName, "UTC");
  return tz;
}

TimeZoneInformation FromRuleOrUtc(const std::optional<std::string>& rule) {
  TimeZoneInformation tz;
  if (rule && TimeZoneFromPosixRule(*rule, &tz)) return tz;
  return Utc();
}

TimeZoneInformation ReadComputerZone(const char* tzValue) {
  if (!tzValue) return FromRuleOrUtc(ZoneFileRule("/etc/localtime"));
  std::string_view value(tzValue);
  if (value.empty()) return Utc();
  const bool named = value.front() == ':';
  if (named) value.remove_prefix(1);
  if (!value.empty() && value.front() == '/') return FromRuleOrUtc(ZoneFileRule(std::string(value)));
  if (IsSafeZoneName(value)) {
    const char* dir = std::getenv("TZDIR");
    const std::string base = dir && *dir ? dir : "/usr/share/zoneinfo";
    if (auto rule = ZoneFileRule(base + "/" + std::string(value))) return FromRuleOrUtc(rule);
  }
  TimeZoneInformation tz;
  if (!named && TimeZoneFromPosixRule(value, &tz)) return tz;
  return Utc();
}

struct Cache {
  std::mutex mutex;
  bool valid = false;
  std::optional<std::string> key;  // the TZ value it was read for; nullopt when unset
  TimeZoneInformation zone;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

}  // namespace

bool TimeZoneFromPosixRule(std::string_view rule, TimeZoneInformation* tz) {
  PosixRule parsed;
  if (!Parser(rule).Parse(&parsed)) return false;
  *tz = ToRecord(parsed);
  return true;
}

uint32_t GetTimeZoneInformation(TimeZoneInformation* tz) {
  const char* value = std::getenv("TZ");
  std::optional<std::string> key;
  if (value) key = value;
  Cache& cache = TheCache();
  {
    std::lock_guard<std::mutex> lock(cache.mutex);
    if (!cache.valid || cache.key != key) {
      cache.zone = ReadComputerZone(value);
      cache.key = key;
      cache.valid = true;
    }
    *tz = cache.zone;
  }
  if (!tz->HasDaylightRule() || !tz->IsValid()) return kTimeZoneIdUnknown;
  const int64_t now = int64_t(std::time(nullptr)) * kTicksPerSecond + kEpochDifferenceTicks;
  return IsDaylightAtUtc(*tz, now) ? kTimeZoneIdDaylight : kTimeZoneIdStandard;
}

void ResetComputerTimeZone() {
  Cache& cache = TheCache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  cache.valid = false;
}

namespace {

void SetTz(const char* value) {
  if (value)
    setenv("TZ", value, 1);
  else
    unsetenv("TZ");
  ResetComputerTimeZone();
}

}  // namespace

ScopedComputerZone::ScopedComputerZone(const char* tz) {
  if (const char* old = std::getenv("TZ")) previous_ = old;
  SetTz(tz);
}

ScopedComputerZone::~ScopedComputerZone() { SetTz(previous_ ? previous_->c_str() : nullptr); }

}  // namespace vt

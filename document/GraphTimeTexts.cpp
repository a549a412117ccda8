// Time texts of the graph document (see GraphTimeTexts.h).
#include "document/GraphTimeTexts.h"

#include <ctime>

#include "platform/base/Numbers.h"
#include "recorder/ZoneTime.h"

namespace vt {
namespace {

struct Parts {
  int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1, ms = -1;
};

Parts Break(TickTime t) {
  Parts p;
  int64_t seconds = 0;
  double fraction = 0;
  p.ms = t.ToTime64(&seconds, &fraction);
  std::tm tm{};
  if (ZoneTime(seconds).GetLocalTm(&tm)) {
    p.year = tm.tm_year + 1900, p.month = tm.tm_mon + 1, p.day = tm.tm_mday;
    p.hour = tm.tm_hour, p.minute = tm.tm_min, p.second = tm.tm_sec;
  }
  return p;
}

}  // namespace

std::string FormatDateTimeMs(TickTime t) {
  const Parts p = Break(t);
  return FormatC("%04d/%02d/%02d %02d:%02d:%02d.%03d", p.year, p.month, p.day, p.hour, p.minute, p.second,
                 p.ms);
}

std::string FormatDate(TickTime t) {
  const Parts p = Break(t);
  return FormatC("%04d/%02d/%02d", p.year, p.month, p.day);
}

std::string FormatTime(TickTime t) {
  const Parts p = Break(t);
  return FormatC("%02d:%02d:%02d", p.hour, p.minute, p.second);
}

std::string FormatFraction(TickTime t) { return FormatC("%12s", FormatC("0.%03d", Break(t).ms).c_str()); }

}  // namespace vt

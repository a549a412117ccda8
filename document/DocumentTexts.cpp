// Texts shared by the alarm and mark lists (see DocumentTexts.h).
#include "document/DocumentTexts.h"

#include <cctype>
#include <ctime>

#include "platform/base/Numbers.h"
#include "platform/base/TimeRuntime.h"
#include "recorder/ZoneTime.h"

namespace vt {

std::string EventTimeText(TickTime time) {
  const int64_t since1970 = time.ticks - int64_t(11644473600) * 10000000;
  const int64_t seconds = since1970 / 10000000;
  const int64_t ms = (since1970 - seconds * 10000000) / 10000;
  std::tm zone{}, local{};
  if (!ZoneTime(seconds).GetLocalTm(&zone)) return {};
  if (!RuntimeLocalTime(seconds, &local)) local = zone;
  return FormatC("%04d/%02d/%02d %02d:%02d:%02d.%03d", zone.tm_year + 1900, zone.tm_mon + 1, zone.tm_mday,
                 zone.tm_hour, local.tm_min, local.tm_sec, int(ms));
}

int CompareListText(const std::string& a, const std::string& b) {
  auto skip = [](unsigned char c) { return c == '-' || c == '\''; };
  size_t i = 0, j = 0;
  for (;;) {
    while (i < a.size() && skip(uint8_t(a[i]))) ++i;
    while (j < b.size() && skip(uint8_t(b[j]))) ++j;
    if (i == a.size() || j == b.size()) break;
    const int x = std::tolower(uint8_t(a[i])), y = std::tolower(uint8_t(b[j]));
    if (x != y) return x < y ? -1 : 1;
    ++i, ++j;
  }
  if (i != a.size()) return 1;
  if (j != b.size()) return -1;
  for (size_t k = 0; k < a.size() && k < b.size(); ++k) {
    const bool lowerA = std::islower(uint8_t(a[k])), lowerB = std::islower(uint8_t(b[k]));
    if (std::tolower(uint8_t(a[k])) == std::tolower(uint8_t(b[k])) && lowerA != lowerB)
      return lowerA ? -1 : 1;
  }
  return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}

}  // namespace vt

// Time stamp arithmetic of the trend display and the display-zone breakdown seam.
#include "trend/TrendTime.h"

#include <cmath>
#include <string>

#include "platform/base/TimeRuntime.h"

namespace vt {

namespace {

int64_t RoundTenThousandths(double f) { return int64_t(std::floor(f / 0.0001 + 0.5)); }

TrendZoneBreakdown g_breakdown = nullptr;

}  // namespace

int TrendTime::CompareFractions(double a, double b) {
  const int64_t x = RoundTenThousandths(a);
  const int64_t y = RoundTenThousandths(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

TrendTime TrendTime::FromSeconds(double s) {
  // 9.2e18 is about the 64-bit limit; anything at or beyond it has no stamp.
  if (!(s > 0.0) || !(s < 9.0e18)) return TrendTime{};
  const double whole = std::floor(s);
  TrendTime t{int64_t(whole), s - whole};
  if (t.fraction >= 1.0) t.fraction = 0.0, ++t.seconds;
  return t;
}

TrendTime TrendTime::AddSeconds(const TrendTime& t, double d) {
  if (!std::isfinite(d)) return TrendTime{};
  const double whole = std::floor(d);
  const double f = t.fraction + (d - whole);
  const double carry = std::floor(f);
  const double secs = double(t.seconds) + whole + carry;
  if (!(secs < 9.0e18) || !(secs > -9.0e18)) return TrendTime{};
  TrendTime r{t.seconds + int64_t(whole) + int64_t(carry), f - carry};
  if (r.fraction >= 1.0) r.fraction = 0.0, ++r.seconds;
  if (r.seconds < 0 || (r.seconds == 0 && !(r.fraction > 0.0))) return TrendTime{};
  return r;
}

double TrendTime::Span(const TrendTime& earlier, const TrendTime& later) {
  if (!(earlier < later)) return 0.0;
  return double(later.seconds - earlier.seconds) + (later.fraction - earlier.fraction);
}

void SetTrendZoneBreakdown(TrendZoneBreakdown breakdown) { g_breakdown = breakdown; }

bool TrendLocalTm(int64_t seconds, std::tm* out) {
  if (g_breakdown) return g_breakdown(seconds, out);
  return RuntimeLocalTime(seconds, out);
}

void TrendFormatTime(const char* format, int64_t seconds, char* out, int size) {
  if (size <= 0) return;
  out[0] = 0;
  std::tm tm{};
  if (!TrendLocalTm(seconds, &tm)) return;
  const std::string text = FormatTimeC(format, tm, 128);
  const size_t n = std::min(text.size(), size_t(size - 1));
  text.copy(out, n);
  out[n] = 0;
}

}  // namespace vt

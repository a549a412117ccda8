// The trend display's time arithmetic over PreciseTime.
#include "trend/TrendTime.h"

#include <cmath>

namespace vt {

PreciseTime TimeFromSeconds(double s) {
  // 9.2e18 is about the 64-bit limit; anything at or beyond it has no stamp.
  if (!(s > 0.0) || !(s < 9.0e18)) return PreciseTime{};
  const double whole = std::floor(s);
  PreciseTime t{int64_t(whole), s - whole};
  if (t.fraction >= 1.0) t.fraction = 0.0, ++t.seconds;
  return t;
}

double SpanSeconds(const PreciseTime& earlier, const PreciseTime& later) {
  if (!(earlier < later)) return 0.0;
  return double(later.seconds - earlier.seconds) + (later.fraction - earlier.fraction);
}

}  // namespace vt

// PreciseTime and TickTime: the rounded comparison, the zero-stamp rules, millisecond
// truncation in both directions and wrapping tick arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "recorder/PreciseTime.h"
#include "recorder/TickTime.h"

namespace {

constexpr int64_t kEpochTicks = 116444736000000000;

struct CompareCase {
  PreciseTime a, b;
  bool equal, less, greater;
};

// Every comparison operator over pairs that sit on either side of the 1e-4 rounding grid.
TEST(PreciseTimeTest, ComparisonTable) {
  const CompareCase cases[] = {
      // Both fractions round to 0.1234.
      {{10, 0.12344}, {10, 0.12336}, true, false, false},
      // 0.99996 rounds to 1.0 but stays in its own second.
      {{10, 0.99996}, {10, 0.9999}, false, false, true},
      {{10, 0.99996}, {11, 0.0}, false, true, false},
      // Half a ten-thousandth rounds up.
      {{10, 0.00005}, {10, 0.0001}, true, false, false},
      {{10, 0.000049}, {10, 0.0}, true, false, false},
      // Whole seconds decide first, as signed values.
      {{-1, 0.9}, {0, 0.0}, false, true, false},
      {{5, 0.0}, {4, 0.99999}, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "{" << c.a.seconds << "," << c.a.fraction << "} vs {" << c.b.seconds
                                    << "," << c.b.fraction << "}");
    EXPECT_EQ(c.a == c.b, c.equal);
    EXPECT_EQ(c.a != c.b, !c.equal);
    EXPECT_EQ(c.a < c.b, c.less);
    EXPECT_EQ(c.a > c.b, c.greater);
    EXPECT_EQ(c.a <= c.b, c.less || c.equal);
    EXPECT_EQ(c.a >= c.b, c.greater || c.equal);
    // The mirrored pair answers the other way round.
    EXPECT_EQ(c.b < c.a, c.greater);
    EXPECT_EQ(c.b > c.a, c.less);
  }
  EXPECT_EQ(PreciseTime::CompareFractions(0.12344, 0.12336), 0);
  EXPECT_EQ(PreciseTime::CompareFractions(0.1, 0.2), -1);
  EXPECT_EQ(PreciseTime::CompareFractions(0.2, 0.1), 1);
}

void ExpectStamp(const PreciseTime& p, int64_t seconds, double fraction) {
  EXPECT_EQ(p.seconds, seconds);
  EXPECT_NEAR(p.fraction, fraction, 1e-9);
  EXPECT_GE(p.fraction, 0.0);
  EXPECT_LT(p.fraction, 1.0);
}

TEST(PreciseTimeTest, ArithmeticAndZeroStamp) {
  ExpectStamp(PreciseTime{10, 0.5} - PreciseTime{12, 0.25}, 0, 0.0);
  ExpectStamp(PreciseTime{12, 0.25} - PreciseTime{10, 0.5}, 1, 0.75);
  ExpectStamp(PreciseTime{12, 0.25} - PreciseTime{12, 0.25}, 0, 0.0);
  // Equal after rounding: no positive difference.
  ExpectStamp(PreciseTime{10, 0.12344} - PreciseTime{10, 0.12336}, 0, 0.0);

  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, -5.0), 0, 0.0);
  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, -4.5), 0, 0.5);
  ExpectStamp(PreciseTime::AddSeconds({5, 0.75}, 1.5), 7, 0.25);
  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, std::nan("")), 0, 0.0);

  ExpectStamp(PreciseTime{1688205600, 0.75} + PreciseTime{2, 0.5}, 1688205603, 0.25);
  ExpectStamp(PreciseTime::FromSecondsDifference(10.25, 13.0), 2, 0.75);
  EXPECT_DOUBLE_EQ(PreciseTime::ToSeconds({3, 0.25}), 3.25);

  // A difference whose fraction would come out as exactly 1.0 carries into the seconds.
  const PreciseTime carried = PreciseTime::FromSecondsDifference(0.0, -1e-20);
  EXPECT_LT(carried.fraction, 1.0);
  EXPECT_EQ(carried.seconds, 0);
}

// Seconds that a 64-bit count cannot hold (an infinite pixel scale, a not-a-number span)
// give "no time" instead of an undefined conversion and a fraction that is not a number.
TEST(PreciseTimeTest, UnrepresentableSecondsGiveTheZeroStamp) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, inf), 0, 0.0);
  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, -inf), 0, 0.0);
  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, 1e19), 0, 0.0);
  ExpectStamp(PreciseTime::FromSecondsDifference(0.0, inf), 0, 0.0);
  ExpectStamp(PreciseTime::FromSecondsDifference(nan, 1.0), 0, 0.0);
  ExpectStamp(PreciseTime::FromSecondsDifference(-1e19, 1e19), 0, 0.0);
  ExpectStamp(PreciseTime{INT64_MAX, 0.5} + PreciseTime{INT64_MAX, 0.5}, 0, 0.0);
  // The largest values that fit are still computed.
  ExpectStamp(PreciseTime::AddSeconds({5, 0.0}, 4e18), 4000000000000000000, 0.0);
  ExpectStamp(PreciseTime::FromSecondsDifference(-4e18, 4e18), 8000000000000000000, 0.0);
}

TEST(TickTimeTest, ConversionTable) {
  // Milliseconds are truncated in both directions.
  EXPECT_EQ(TickTime::FromPreciseTime({0, 0.9999}).ticks, kEpochTicks + 9990000);
  EXPECT_EQ(TickTime::FromPreciseTime({0, 0.0019}).ticks, kEpochTicks + 10000);
  EXPECT_EQ(TickTime::FromTime(0, 0).ticks, kEpochTicks);
  EXPECT_EQ(TickTime::FromTime(1688205600, 500).ticks, 133326792005000000);
  EXPECT_EQ(TickTime::FromTime(-1, -500).ticks, kEpochTicks - 15000000);
  EXPECT_EQ(TickTime::FromTime(INT32_MAX, 999).ticks,
            (int64_t(INT32_MAX) + 11644473600) * 10000000 + 9990000);

  struct SplitCase {
    int64_t ticks;
    int32_t seconds, milliseconds;
    double fraction;
  };
  const SplitCase splits[] = {
      {kEpochTicks, 0, 0, 0.0},
      {kEpochTicks - 10000, 0, -1, -0.001},  // truncation toward zero
      {kEpochTicks + 19999, 0, 1, 0.001},    // 1.9999 ms gives 1 ms
      {kEpochTicks + 12345678, 1, 234, 0.234},
      {kEpochTicks - 12345678, -1, -234, -0.234},
      {133326792005000000, 1688205600, 500, 0.5},
  };
  for (const auto& c : splits) {
    SCOPED_TRACE(c.ticks);
    int32_t s = 99, ms = 99;
    TickTime(c.ticks).SplitTime(&s, &ms);
    EXPECT_EQ(s, c.seconds);
    EXPECT_EQ(ms, c.milliseconds);
    int64_t s64 = 99;
    double f = 9;
    EXPECT_EQ(TickTime(c.ticks).ToTime64(&s64, &f), c.milliseconds);
    EXPECT_EQ(s64, c.seconds);
    EXPECT_DOUBLE_EQ(f, c.fraction);
  }
  // ToTime64 is the way to a PreciseTime, FromPreciseTime the way back.
  PreciseTime p;
  TickTime(133326792005000000).ToTime64(&p.seconds, &p.fraction);
  EXPECT_EQ(TickTime::FromPreciseTime(p).ticks, 133326792005000000);
  // Tick 0 lies long before 1970; the seconds do not fit 32 bits but the 64-bit path keeps them.
  int64_t s64 = 0;
  double f = 1;
  EXPECT_EQ(TickTime().ToTime64(&s64, &f), 0);
  EXPECT_EQ(s64, -11644473600);
}

TEST(TickTimeTest, MillisecondArithmetic) {
  TickTime t(kEpochTicks);
  EXPECT_EQ(TickTime(kEpochTicks + 19999).DiffMilliseconds(t), 1);
  EXPECT_EQ(t.DiffMilliseconds(TickTime(kEpochTicks + 19999)), -1);
  EXPECT_EQ(t.PlusMilliseconds(1500).ticks, kEpochTicks + 15000000);
  EXPECT_EQ(t.MinusMilliseconds(1500).ticks, kEpochTicks - 15000000);
  EXPECT_EQ(t.ticks, kEpochTicks);  // Plus and Minus leave t alone
  EXPECT_EQ(&t.AddMilliseconds(-2).AddMilliseconds(5), &t);
  EXPECT_EQ(t.ticks, kEpochTicks + 30000);
  EXPECT_TRUE(TickTime(-1) < TickTime(0));
  EXPECT_TRUE(TickTime(1) > TickTime(0));

  // Wrapping, never undefined: the extremes go round.
  const int64_t max = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(TickTime(max).PlusMilliseconds(1).ticks, std::numeric_limits<int64_t>::min() + 9999);
  EXPECT_EQ(TickTime(std::numeric_limits<int64_t>::min()).DiffMilliseconds(TickTime(1)), max / 10000);
}

TEST(TickTimeTest, FromSystemTimeTakesTheCalendarAsItIs) {
  vt::SystemTime st;
  st.wYear = 1970;
  st.wMonth = 1;
  st.wDay = 1;
  st.wDayOfWeek = 6;  // ignored
  EXPECT_EQ(TickTime::FromSystemTime(st).ticks, kEpochTicks);
  st = {2023, 7, 0, 1, 10, 0, 0, 500};
  EXPECT_EQ(TickTime::FromSystemTime(st).ticks, 133326792005000000);
  // A date that does not exist gives 0.
  st = {2023, 2, 0, 29, 0, 0, 0, 0};
  EXPECT_EQ(TickTime::FromSystemTime(st).ticks, 0);
}

}  // namespace

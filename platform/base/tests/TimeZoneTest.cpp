// The time-zone engine: the record's byte layout, the computer's zone from POSIX rules and
// zone files, UTC <-> local by day-in-month rules, and the runtime's mktime/localtime. Every
// test pins the zone itself; the environment runs in UTC.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/TimeComputerZone.h"
#include "platform/base/TimeEngine.h"
#include "platform/base/TimeRuntime.h"
#include "platform/base/TimeZoneRecord.h"

namespace {

using vt::SystemTime;
using vt::TimeZoneInformation;

using ScopedTz = vt::ScopedComputerZone;

constexpr int64_t Ticks(int64_t unixSeconds) {
  return unixSeconds * vt::kTicksPerSecond + vt::kEpochDifferenceTicks;
}

int64_t UnixOf(int64_t ticks) { return (ticks - vt::kEpochDifferenceTicks) / vt::kTicksPerSecond; }

int64_t UnixOf(int y, int mo, int d, int h, int mi, int s) {
  return vt::DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
}

// A record with a day-in-month rule: start/end as {month, week, weekday, hour}.
TimeZoneInformation RuleZone(int bias, std::vector<int> start, std::vector<int> end, int daylightBias = -60) {
  TimeZoneInformation tz;
  tz.Bias = bias;
  tz.DaylightBias = daylightBias;
  tz.DaylightDate.wMonth = uint16_t(start[0]);
  tz.DaylightDate.wDay = uint16_t(start[1]);
  tz.DaylightDate.wDayOfWeek = uint16_t(start[2]);
  tz.DaylightDate.wHour = uint16_t(start[3]);
  tz.StandardDate.wMonth = uint16_t(end[0]);
  tz.StandardDate.wDay = uint16_t(end[1]);
  tz.StandardDate.wDayOfWeek = uint16_t(end[2]);
  tz.StandardDate.wHour = uint16_t(end[3]);
  return tz;
}

std::u16string Name(const char16_t* n) { return std::u16string(n); }

TEST(TimeZoneRecordTest, ByteLayout) {
  TimeZoneInformation tz = RuleZone(-60, {3, 5, 0, 2}, {10, 5, 0, 3});
  tz.StandardBias = 7;
  const char16_t std16[] = u"CET";
  const char16_t dst16[] = u"CEST";
  std::memcpy(tz.StandardName, std16, sizeof std16);
  std::memcpy(tz.DaylightName, dst16, sizeof dst16);
  tz.DaylightName[31] = u'\u00e9';

  uint8_t b[TimeZoneInformation::kSize];
  std::memset(b, 0xEE, sizeof b);
  tz.WriteTo(b);
  EXPECT_EQ(0, std::memcmp(b, "\xC4\xFF\xFF\xFF", 4));                   // Bias -60
  EXPECT_EQ(0, std::memcmp(b + 4, "C\0E\0T\0\0\0", 8));                  // StandardName, UTF-16LE
  EXPECT_EQ(0, std::memcmp(b + 68, "\0\0\x0A\0\0\0\x05\0\x03\0", 10));   // StandardDate
  EXPECT_EQ(0, std::memcmp(b + 84, "\x07\0\0\0", 4));                    // StandardBias
  EXPECT_EQ(0, std::memcmp(b + 88, "C\0E\0S\0T\0", 8));                  // DaylightName
  EXPECT_EQ(0, std::memcmp(b + 150, "\xE9\0", 2));                       // its last character
  EXPECT_EQ(0, std::memcmp(b + 152, "\0\0\x03\0\0\0\x05\0\x02\0", 10));  // DaylightDate
  EXPECT_EQ(0, std::memcmp(b + 168, "\xC4\xFF\xFF\xFF", 4));             // DaylightBias
  TimeZoneInformation back;
  back.ReadFrom(b);
  EXPECT_EQ(back, tz);
}

struct ZoneCase {
  const char* tz;
  int bias, daylightBias;
  std::vector<int> daylight, standard;  // {month, week, weekday, hour[, minute]}; {} no rule
  const char16_t* standardName;
};

// The computer's zone from TZ, by rule text and by zone file (the rule at its end).
TEST(ComputerZoneTest, FromTzTable) {
  const ZoneCase cases[] = {
      {"UTC", 0, 0, {}, {}, u"UTC"},
      {"", 0, 0, {}, {}, u"UTC"},
      {"JST-9", -540, 0, {}, {}, u"JST"},
      {"<+0530>-5:30", -330, 0, {}, {}, u"+0530"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", -60, -60, {3, 5, 0, 2}, {10, 5, 0, 3}, u"CET"},
      {"EST5EDT,M3.2.0,M11.1.0", 300, -60, {3, 2, 0, 2}, {11, 1, 0, 2}, u"EST"},
      {"EST5EDT", 300, -60, {3, 2, 0, 2}, {11, 1, 0, 2}, u"EST"},  // default rule
      {"AEST-10AEDT,M10.1.0,M4.1.0/3", -600, -60, {10, 1, 0, 2}, {4, 1, 0, 3}, u"AEST"},
      // Negative daylight saving is turned round.
      {"IST-1GMT0,M10.5.0,M3.5.0/1", 0, -60, {3, 5, 0, 1}, {10, 5, 0, 2}, u"GMT"},
      {"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", -630, -30, {10, 1, 0, 2}, {4, 1, 0, 2}, u"+1030"},
      {"XST3XDT2,M4.1.0/1:30,M9.5.6/23:15", 180, -60, {4, 1, 0, 1, 30}, {9, 5, 6, 23, 15}, u"XST"},
      // Zone names: the rule at the end of the zone file.
      {"Europe/Berlin", -60, -60, {3, 5, 0, 2}, {10, 5, 0, 3}, u"CET"},
      {":America/New_York", 300, -60, {3, 2, 0, 2}, {11, 1, 0, 2}, u"EST"},
      {"/usr/share/zoneinfo/Australia/Sydney", -600, -60, {10, 1, 0, 2}, {4, 1, 0, 3}, u"AEST"},
      {"Europe/Dublin", 0, -60, {3, 5, 0, 1}, {10, 5, 0, 2}, u"GMT"},
      {"Asia/Kolkata", -330, 0, {}, {}, u"IST"},
      // Current rule only: Moscow's history is ignored.
      {"Europe/Moscow", -180, 0, {}, {}, u"MSK"},
      // Rule times outside the day move the weekday: "/-1" on Sunday is Saturday 23:00.
      {"America/Nuuk", 120, -60, {3, 5, 6, 23}, {10, 5, 0, 0}, u"-02"},
      // Not a zone and not a rule: UTC.
      {"No/Such_Zone", 0, 0, {}, {}, u"UTC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tz);
    ScopedTz pin(c.tz);
    TimeZoneInformation tz;
    const uint32_t id = vt::GetTimeZoneInformation(&tz);
    EXPECT_EQ(tz.Bias, c.bias);
    EXPECT_EQ(tz.StandardBias, 0);
    EXPECT_EQ(tz.DaylightBias, c.daylightBias);
    EXPECT_EQ(Name(tz.StandardName), std::u16string(c.standardName));
    EXPECT_TRUE(tz.IsValid());
    if (c.daylight.empty()) {
      EXPECT_EQ(tz.DaylightDate, SystemTime{});
      EXPECT_EQ(id, vt::kTimeZoneIdUnknown);
      continue;
    }
    EXPECT_NE(id, vt::kTimeZoneIdUnknown);
    auto expectRule = [](const SystemTime& d, const std::vector<int>& r) {
      EXPECT_EQ(d.wYear, 0);
      EXPECT_EQ(d.wMonth, r[0]);
      EXPECT_EQ(d.wDay, r[1]);
      EXPECT_EQ(d.wDayOfWeek, r[2]);
      EXPECT_EQ(d.wHour, r[3]);
      EXPECT_EQ(d.wMinute, r.size() > 4 ? r[4] : 0);
    };
    expectRule(tz.DaylightDate, c.daylight);
    expectRule(tz.StandardDate, c.standard);
  }
}

TEST(ComputerZoneTest, RejectedRuleTexts) {
  const char* bad[] = {"",
                       "X",
                       "CET",
                       "CE-1",
                       "CET-1CEST,M3.5.0",
                       "CET-1CEST,M13.5.0,M10.5.0",
                       "CET-1CEST,M3.6.0,M10.5.0",
                       "CET-1CEST,M3.5.7,M10.5.0",
                       "CET-1CEST,M3.5.0,M10.5.0/3x",
                       "CET-25",
                       "<+05-5"};
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    TimeZoneInformation tz;
    tz.Bias = 12345;
    EXPECT_FALSE(vt::TimeZoneFromPosixRule(text, &tz));
    EXPECT_EQ(tz.Bias, 12345);
  }
}

TEST(ComputerZoneTest, CacheFollowsTzAndReset) {
  ScopedTz utc("UTC");  // the zone the end of the test expects back, whatever the machine's
  TimeZoneInformation tz;
  {
    ScopedTz pin("JST-9");
    vt::GetTimeZoneInformation(&tz);
    EXPECT_EQ(tz.Bias, -540);
    setenv("TZ", "EST5", 1);  // no reset: the changed value is noticed anyway
    vt::GetTimeZoneInformation(&tz);
    EXPECT_EQ(tz.Bias, 300);
  }
  vt::GetTimeZoneInformation(&tz);
  EXPECT_EQ(tz.Bias, 0);  // the pinned UTC again
}

struct ConvertCase {
  int64_t utc;
  int64_t local;  // expected wall clock, as a count of seconds since 1970
};

void CheckUtcToLocal(const TimeZoneInformation& tz, const std::vector<ConvertCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utc);
    int64_t local = 0;
    ASSERT_TRUE(vt::UtcToLocalTicks(tz, Ticks(c.utc), &local));
    EXPECT_EQ(UnixOf(local), c.local);
  }
}

// UTC -> local at the edges of the day-in-month rules, north and south.
TEST(TimeZoneRuleTest, UtcToLocalEdges) {
  // Europe: last Sunday of March 02:00 to last Sunday of October 03:00.
  CheckUtcToLocal(RuleZone(-60, {3, 5, 0, 2}, {10, 5, 0, 3}),
                  {
                      {1679792399, UnixOf(2023, 3, 26, 1, 59, 59)},
                      {1679792400, UnixOf(2023, 3, 26, 3, 0, 0)},
                      {1698541199, UnixOf(2023, 10, 29, 2, 59, 59)},
                      {1698541200, UnixOf(2023, 10, 29, 2, 0, 0)},
                      // March 2020 has five Sundays: week 5 is the 29th.
                      {1585443599, UnixOf(2020, 3, 29, 1, 59, 59)},
                      {1585443600, UnixOf(2020, 3, 29, 3, 0, 0)},
                      {1704065400, UnixOf(2024, 1, 1, 0, 30, 0)},  // year change, winter
                      {1719873000, UnixOf(2024, 7, 2, 0, 30, 0)},
                  });
  // Week 5 is the last such weekday: the fourth Sunday of February 2026, the fifth of 2032.
  CheckUtcToLocal(RuleZone(-60, {2, 5, 0, 2}, {10, 5, 0, 3}),
                  {
                      {UnixOf(2026, 2, 22, 0, 59, 59), UnixOf(2026, 2, 22, 1, 59, 59)},
                      {UnixOf(2026, 2, 22, 1, 0, 0), UnixOf(2026, 2, 22, 3, 0, 0)},
                      {UnixOf(2032, 2, 29, 0, 59, 59), UnixOf(2032, 2, 29, 1, 59, 59)},
                      {UnixOf(2032, 2, 29, 1, 0, 0), UnixOf(2032, 2, 29, 3, 0, 0)},
                  });
  // United States: second Sunday of March 02:00 to first Sunday of November 02:00.
  CheckUtcToLocal(RuleZone(300, {3, 2, 0, 2}, {11, 1, 0, 2}),
                  {
                      {1678604399, UnixOf(2023, 3, 12, 1, 59, 59)},
                      {1678604400, UnixOf(2023, 3, 12, 3, 0, 0)},
                      {1699163999, UnixOf(2023, 11, 5, 1, 59, 59)},
                      {1699164000, UnixOf(2023, 11, 5, 1, 0, 0)},
                      // New year in UTC is still the old year locally.
                      {UnixOf(2024, 1, 1, 2, 0, 0), UnixOf(2023, 12, 31, 21, 0, 0)},
                  });
  // Sydney: southern, daylight time across the new year.
  CheckUtcToLocal(RuleZone(-600, {10, 1, 0, 2}, {4, 1, 0, 3}),
                  {
                      {1673740800, UnixOf(2023, 1, 15, 11, 0, 0)},
                      {1686787200, UnixOf(2023, 6, 15, 10, 0, 0)},
                      {1680364799, UnixOf(2023, 4, 2, 2, 59, 59)},
                      {1680364800, UnixOf(2023, 4, 2, 2, 0, 0)},
                      {1696089599, UnixOf(2023, 10, 1, 1, 59, 59)},
                      {1696089600, UnixOf(2023, 10, 1, 3, 0, 0)},
                      {1704029400, UnixOf(2024, 1, 1, 0, 30, 0)},
                      {UnixOf(2023, 12, 31, 12, 59, 59), UnixOf(2023, 12, 31, 23, 59, 59)},
                  });
  // Equal months count as southern: daylight time nearly all year.
  CheckUtcToLocal(RuleZone(-60, {3, 5, 0, 2}, {3, 5, 0, 2}), {
                                                                 {1688169600, UnixOf(2023, 7, 1, 2, 0, 0)},
                                                                 {1672531200, UnixOf(2023, 1, 1, 2, 0, 0)},
                                                             });
  // No rule: the bias only, and StandardBias is not applied.
  TimeZoneInformation jst;
  jst.Bias = -540;
  jst.StandardBias = 30;
  CheckUtcToLocal(jst, {{0, UnixOf(1970, 1, 1, 9, 0, 0)}, {1688169600, 1688169600 + 9 * 3600}});
  // StandardBias applies outside daylight time when there is a rule.
  TimeZoneInformation odd = RuleZone(-60, {3, 5, 0, 2}, {10, 5, 0, 3});
  odd.StandardBias = -15;
  CheckUtcToLocal(odd, {{1672531200, 1672531200 + 75 * 60}, {1688169600, 1688169600 + 7200}});
}

// Local -> UTC: entered wall times in the gap and the overlap both count as daylight time.
TEST(TimeZoneRuleTest, LocalToUtcGapAndOverlap) {
  const TimeZoneInformation eu = RuleZone(-60, {3, 5, 0, 2}, {10, 5, 0, 3});
  const TimeZoneInformation us = RuleZone(300, {3, 2, 0, 2}, {11, 1, 0, 2});
  struct Case {
    const TimeZoneInformation* tz;
    int64_t local, utc;
  };
  const Case cases[] = {
      {&eu, UnixOf(2023, 3, 26, 1, 59, 59), UnixOf(2023, 3, 26, 0, 59, 59)},
      {&eu, UnixOf(2023, 3, 26, 2, 0, 0), UnixOf(2023, 3, 26, 0, 0, 0)},  // gap
      {&eu, UnixOf(2023, 3, 26, 2, 30, 0), UnixOf(2023, 3, 26, 0, 30, 0)},
      {&eu, UnixOf(2023, 3, 26, 3, 0, 0), UnixOf(2023, 3, 26, 1, 0, 0)},
      {&eu, UnixOf(2023, 10, 29, 1, 59, 59), UnixOf(2023, 10, 28, 23, 59, 59)},
      {&eu, UnixOf(2023, 10, 29, 2, 30, 0), UnixOf(2023, 10, 29, 0, 30, 0)},  // overlap
      {&eu, UnixOf(2023, 10, 29, 3, 0, 0), UnixOf(2023, 10, 29, 2, 0, 0)},
      {&us, UnixOf(2023, 11, 5, 1, 30, 0), UnixOf(2023, 11, 5, 5, 30, 0)},
      {&us, UnixOf(2023, 11, 5, 2, 0, 0), UnixOf(2023, 11, 5, 7, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.local);
    int64_t utc = 0;
    ASSERT_TRUE(vt::LocalToUtcTicks(*c.tz, Ticks(c.local), &utc));
    EXPECT_EQ(UnixOf(utc), c.utc);
  }
  // Every hour of 2023-2024 comes back, except the repeated hour of each autumn, which
  // returns as its first occurrence, one hour earlier.
  for (int64_t t = UnixOf(2023, 1, 1, 0, 0, 0); t < UnixOf(2025, 1, 1, 0, 0, 0); t += 1800) {
    int64_t local = 0, back = 0;
    ASSERT_TRUE(vt::UtcToLocalTicks(eu, Ticks(t), &local));
    ASSERT_TRUE(vt::LocalToUtcTicks(eu, local, &back));
    const bool repeated = (t >= 1698541200 && t < 1698544800) ||  // 2023-10-29 01:00-02:00
                          (t >= 1729990800 && t < 1729994400);    // 2024-10-27 01:00-02:00
    ASSERT_EQ(UnixOf(back), repeated ? t - 3600 : t) << t;
  }
}

TEST(TimeZoneRuleTest, InvalidRecordsAreRefused) {
  std::vector<TimeZoneInformation> bad = {
      RuleZone(-60, {3, 0, 0, 2}, {10, 5, 0, 3}),   // week 0
      RuleZone(-60, {3, 6, 0, 2}, {10, 5, 0, 3}),   // week 6
      RuleZone(-60, {13, 5, 0, 2}, {10, 5, 0, 3}),  // month 13
      RuleZone(-60, {3, 5, 7, 2}, {10, 5, 0, 3}),   // weekday 7
      RuleZone(-60, {3, 5, 0, 24}, {10, 5, 0, 3}),  // hour 24
      RuleZone(-60, {3, 5, 0, 2}, {0, 5, 0, 3}),    // no end month
  };
  TimeZoneInformation absolute = RuleZone(-60, {3, 5, 0, 2}, {10, 5, 0, 3});
  absolute.DaylightDate.wYear = 2023;
  bad.push_back(absolute);
  for (size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(bad[i].IsValid());
    int64_t out = 42;
    EXPECT_FALSE(vt::UtcToLocalTicks(bad[i], Ticks(1688169600), &out));
    EXPECT_FALSE(vt::LocalToUtcTicks(bad[i], Ticks(1688169600), &out));
    EXPECT_EQ(out, 42);
    SystemTime st{2023, 7, 0, 1, 0, 0, 0, 0}, untouched{1, 1, 1, 1, 1, 1, 1, 1}, o = untouched;
    EXPECT_FALSE(vt::SystemTimeToTzSpecificLocalTime(&bad[i], st, &o));
    EXPECT_FALSE(vt::TzSpecificLocalTimeToSystemTime(&bad[i], st, &o));
    EXPECT_EQ(o, untouched);
  }
  // Week 0 in a record without a rule does not matter.
  TimeZoneInformation noRule = RuleZone(-60, {0, 0, 0, 0}, {10, 0, 0, 3});
  EXPECT_TRUE(noRule.IsValid());
}

TEST(TimeZoneRuleTest, CalendarConversions) {
  const TimeZoneInformation eu = RuleZone(-60, {3, 5, 0, 2}, {10, 5, 0, 3});
  SystemTime local;
  ASSERT_TRUE(vt::SystemTimeToTzSpecificLocalTime(&eu, {2023, 10, 0, 28, 23, 59, 59, 123}, &local));
  EXPECT_EQ(local, (SystemTime{2023, 10, 0, 29, 1, 59, 59, 123}));  // weekday recomputed
  SystemTime utc;
  ASSERT_TRUE(vt::TzSpecificLocalTimeToSystemTime(&eu, local, &utc));
  EXPECT_EQ(utc, (SystemTime{2023, 10, 6, 28, 23, 59, 59, 123}));
  // Invalid calendar input, and a result before 1601.
  EXPECT_FALSE(vt::SystemTimeToTzSpecificLocalTime(&eu, {2023, 2, 0, 29, 0, 0, 0, 0}, &local));
  EXPECT_FALSE(vt::TzSpecificLocalTimeToSystemTime(&eu, {1601, 1, 0, 1, 0, 30, 0, 0}, &utc));
  // A null zone is the computer's.
  ScopedTz pin("JST-9");
  ASSERT_TRUE(vt::SystemTimeToTzSpecificLocalTime(nullptr, {1970, 1, 0, 1, 0, 0, 0, 0}, &local));
  EXPECT_EQ(local, (SystemTime{1970, 1, 4, 1, 9, 0, 0, 0}));
}

std::tm Tm(int y, int mo, int d, int h, int mi, int s, int isdst) {
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  tm.tm_isdst = isdst;
  return tm;
}

// The runtime's mktime: current rule only, no daylight shift in zones without one.
TEST(RuntimeTimeTest, MakeTimeTable) {
  const char* cet = "CET-1CEST,M3.5.0,M10.5.0/3";
  struct Case {
    const char* tz;
    std::tm tm;
    int64_t expected;
  };
  const Case cases[] = {
      {cet, Tm(2023, 7, 1, 12, 0, 0, 0), 1688209200},
      {cet, Tm(2023, 7, 1, 12, 0, 0, 1), 1688205600},
      {cet, Tm(2023, 7, 1, 12, 0, 0, -1), 1688205600},
      {cet, Tm(2023, 1, 1, 12, 0, 0, -1), 1672570800},
      {cet, Tm(2023, 1, 1, 12, 0, 0, 1), 1672567200},    // the flag wins over the date
      {cet, Tm(2023, 3, 26, 2, 30, 0, -1), 1679790600},  // gap: daylight time
      {"JST-9", Tm(2023, 7, 1, 12, 0, 0, 1), 1688180400},
      {"Asia/Tokyo", Tm(2023, 7, 1, 12, 0, 0, -1), 1688180400},
      {"Europe/Moscow", Tm(2012, 7, 1, 12, 0, 0, 0), 1341133200},
      {"JST-9", Tm(1970, 1, 1, 0, 0, 0, 0), -1},
      {"JST-9", Tm(1970, 1, 1, 9, 0, 0, 0), 0},
      {"UTC", Tm(3001, 1, 1, 7, 59, 59, 0), 32535244799},
      {"UTC", Tm(3001, 1, 1, 8, 0, 0, 0), -1},
      // Fields out of range are normalised.
      {"UTC", Tm(2023, 13, 1, 0, 0, 0, 0), 1704067200},
      {"UTC", Tm(2024, 3, 0, 24, 0, -1, 0), 1709251199},
      {cet, Tm(2023, 7, 1, 12, 0, 0, 0), 1688209200},
  };
  for (const auto& c : cases) {
    std::tm tm = c.tm;
    SCOPED_TRACE(testing::Message() << c.tz << " " << tm.tm_year + 1900 << "-" << tm.tm_mon + 1 << "-"
                                    << tm.tm_mday << " " << tm.tm_hour << " isdst " << tm.tm_isdst);
    ScopedTz pin(c.tz);
    EXPECT_EQ(vt::RuntimeMakeTime(&tm), c.expected);
    if (c.expected >= 0) {
      std::tm back{};
      ASSERT_TRUE(vt::RuntimeLocalTime(c.expected, &back));
      EXPECT_EQ(tm.tm_hour, back.tm_hour);  // written back as the local breakdown
      EXPECT_EQ(tm.tm_mday, back.tm_mday);
      EXPECT_EQ(tm.tm_isdst, back.tm_isdst);
    } else {
      EXPECT_EQ(tm.tm_year, c.tm.tm_year);  // left alone on failure
    }
  }
}

TEST(RuntimeTimeTest, LocalTimeTable) {
  struct Case {
    const char* tz;
    int64_t t;
    bool ok;
    int year, month, day, hour, wday, yday, isdst;
  };
  const Case cases[] = {
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1688205600, true, 2023, 7, 1, 12, 6, 181, 1},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1672570800, true, 2023, 1, 1, 12, 0, 0, 0},
      {"JST-9", 0, true, 1970, 1, 1, 9, 4, 0, 0},
      {"EST5EDT,M3.2.0,M11.1.0", 0, true, 1969, 12, 31, 19, 3, 364, 0},
      {"UTC", 32535244799, true, 3001, 1, 1, 7, 4, 0, 0},
      {"UTC", 32535244800, false, 0, 0, 0, 0, 0, 0, 0},
      {"UTC", -1, false, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tz << " " << c.t);
    ScopedTz pin(c.tz);
    std::tm tm{};
    tm.tm_year = 77;
    ASSERT_EQ(vt::RuntimeLocalTime(c.t, &tm), c.ok);
    if (!c.ok) {
      EXPECT_EQ(tm.tm_year, 77);
      continue;
    }
    EXPECT_EQ(tm.tm_year + 1900, c.year);
    EXPECT_EQ(tm.tm_mon + 1, c.month);
    EXPECT_EQ(tm.tm_mday, c.day);
    EXPECT_EQ(tm.tm_hour, c.hour);
    EXPECT_EQ(tm.tm_wday, c.wday);
    EXPECT_EQ(tm.tm_yday, c.yday);
    EXPECT_EQ(tm.tm_isdst, c.isdst);
  }
}

TEST(RuntimeTimeTest, FormatAtBufferBoundary) {
  std::tm tm{};
  vt::BreakDownSeconds(1698541200, &tm);
  EXPECT_EQ(vt::FormatTimeC("%Y/%m/%d %H:%M:%S", tm, 128), "2023/10/29 01:00:00");
  std::string fits, over;
  for (int i = 0; i < 31; ++i) fits += "%Y";
  over = fits + "%Y";
  fits += "abc";  // 31 x 4 + 3 = 127 characters
  EXPECT_EQ(vt::FormatTimeC(fits.c_str(), tm, 128).size(), 127u);
  EXPECT_EQ(vt::FormatTimeC(over.c_str(), tm, 128), "");  // 128 characters do not fit
  EXPECT_EQ(vt::FormatTimeC(nullptr, tm, 128), "");
}

// Our engine against Python's zoneinfo (the system's tz database) for zones whose current
// rules have been in force over the years compared: the UTC offset at every hour and the
// second before it, 2020-2024.
TEST(ZoneinfoCrossCheckTest, OffsetsAgreeWithPython) {
  const char* python = "/usr/bin/python3";
  if (access(python, X_OK) != 0) GTEST_SKIP() << "no " << python << ": cross-check skipped";
  const char* zones[] = {"Europe/Berlin", "America/New_York", "Australia/Sydney", "Europe/Dublin",
                         "Asia/Tokyo"};
  const int64_t from = UnixOf(2020, 1, 1, 0, 0, 0), to = UnixOf(2025, 1, 1, 0, 0, 0);
  std::ostringstream cmd;
  cmd << python << " -c '"
      << "import sys, datetime, zoneinfo\n"
      << "out = []\n"
      << "for name in sys.argv[3:]:\n"
      << "  z = zoneinfo.ZoneInfo(name)\n"
      << "  for h in range(int(sys.argv[1]), int(sys.argv[2]), 3600):\n"
      << "    for t in (h - 1, h):\n"
      << "      d = datetime.datetime.fromtimestamp(t, z)\n"
      << "      out.append(\"%d %d\" % (d.utcoffset().total_seconds(), d.dst().total_seconds() != 0))\n"
      << "print(\"\\n\".join(out))\n"
      << "' " << from << " " << to;
  for (const char* z : zones) cmd << " " << z;
  FILE* pipe = popen(cmd.str().c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<std::pair<int64_t, int>> expected;
  long long offset = 0;
  int dst = 0;
  while (fscanf(pipe, "%lld %d", &offset, &dst) == 2) expected.emplace_back(offset, dst);
  ASSERT_EQ(pclose(pipe), 0);

  size_t i = 0, compared = 0;
  for (const char* z : zones) {
    SCOPED_TRACE(z);
    ScopedTz pin(z);
    TimeZoneInformation tz;
    vt::GetTimeZoneInformation(&tz);
    const bool negativeDaylight = std::string(z) == "Europe/Dublin";
    for (int64_t h = from; h < to; h += 3600) {
      for (int64_t t : {h - 1, h}) {
        ASSERT_LT(i, expected.size());
        int64_t local = 0;
        ASSERT_TRUE(vt::UtcToLocalTicks(tz, Ticks(t), &local));
        ASSERT_EQ(UnixOf(local) - t, expected[i].first) << "UTC " << t;
        std::tm tm{};
        ASSERT_TRUE(vt::RuntimeLocalTime(t, &tm));
        ASSERT_EQ(tm.tm_hour, (UnixOf(local) % 86400) / 3600) << "UTC " << t;
        // Dublin's tz database marks winter as the "daylight" period; ours is summer.
        if (!negativeDaylight) {
          ASSERT_EQ(tm.tm_isdst, expected[i].second) << "UTC " << t;
        }
        ++i;
        ++compared;
      }
    }
  }
  EXPECT_EQ(i, expected.size());
  EXPECT_GT(compared, 30u);
}

}  // namespace

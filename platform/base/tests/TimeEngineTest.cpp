// Calendar time <-> file time: which fields are refused, the weekday that comes back, and
// the calendar arithmetic across leap years and the epochs.
#include <gtest/gtest.h>

#include "platform/base/TimeEngine.h"

namespace {

using vt::FileTime;
using vt::SystemTime;

TEST(TimeEngineTest, SystemTimeToFileTimeTable) {
  struct Case {
    SystemTime st;
    bool ok;
    int64_t ticks;
  };
  const Case cases[] = {
      {{1601, 1, 0, 1, 0, 0, 0, 0}, true, 0},
      {{1970, 1, 0, 1, 0, 0, 0, 0}, true, 116444736000000000},
      {{2000, 2, 0, 29, 12, 30, 15, 250}, true, 125963010152500000},
      {{2023, 7, 3, 1, 10, 0, 0, 500}, true, 133326792005000000},  // weekday ignored
      {{30827, 12, 0, 31, 23, 59, 59, 999}, true, 9223149887999990000},
      {{1600, 12, 0, 31, 0, 0, 0, 0}, false, 0},
      {{30828, 1, 0, 1, 0, 0, 0, 0}, false, 0},
      {{2023, 2, 0, 29, 0, 0, 0, 0}, false, 0},
      {{1900, 2, 0, 29, 0, 0, 0, 0}, false, 0},
      {{2023, 0, 0, 1, 0, 0, 0, 0}, false, 0},
      {{2023, 13, 0, 1, 0, 0, 0, 0}, false, 0},
      {{2023, 4, 0, 31, 0, 0, 0, 0}, false, 0},
      {{2023, 4, 0, 0, 0, 0, 0, 0}, false, 0},
      {{2023, 4, 0, 1, 24, 0, 0, 0}, false, 0},
      {{2023, 4, 0, 1, 0, 60, 0, 0}, false, 0},
      {{2023, 4, 0, 1, 0, 0, 60, 0}, false, 0},
      {{2023, 4, 0, 1, 0, 0, 0, 1000}, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.st.wYear << "-" << c.st.wMonth << "-" << c.st.wDay << " "
                                    << c.st.wHour << ":" << c.st.wMinute << ":" << c.st.wSecond << "."
                                    << c.st.wMilliseconds);
    FileTime ft{0xAAAAAAAA, 0xBBBBBBBB};
    ASSERT_EQ(vt::SystemTimeToFileTime(c.st, &ft), c.ok);
    if (!c.ok) {
      EXPECT_EQ(ft, (FileTime{0xAAAAAAAA, 0xBBBBBBBB}));  // untouched
      continue;
    }
    EXPECT_EQ(vt::FileTimeToTicks(ft), c.ticks);
    SystemTime back;
    ASSERT_TRUE(vt::FileTimeToSystemTime(ft, &back));
    SystemTime expected = c.st;
    expected.wDayOfWeek = back.wDayOfWeek;
    EXPECT_EQ(back, expected);
  }
}

TEST(TimeEngineTest, FileTimeToSystemTimeWeekdayAndLimit) {
  SystemTime st;
  ASSERT_TRUE(vt::FileTimeToSystemTime(vt::TicksToFileTime(0), &st));
  EXPECT_EQ(st, (SystemTime{1601, 1, 1, 1, 0, 0, 0, 0}));  // a Monday
  ASSERT_TRUE(vt::FileTimeToSystemTime(vt::TicksToFileTime(116444736000000000), &st));
  EXPECT_EQ(st.wDayOfWeek, 4);  // 1970-01-01, Thursday
  ASSERT_TRUE(vt::FileTimeToSystemTime(vt::TicksToFileTime(133326792005000000 + 9999), &st));
  EXPECT_EQ(st, (SystemTime{2023, 7, 6, 1, 10, 0, 0, 500}));  // ticks below 1 ms dropped
  ASSERT_TRUE(vt::FileTimeToSystemTime(FileTime{0xFFFFFFFF, 0x7FFFFFFF}, &st));
  EXPECT_EQ(st.wYear, 30828);
  SystemTime untouched{1, 2, 3, 4, 5, 6, 7, 8};
  st = untouched;
  EXPECT_FALSE(vt::FileTimeToSystemTime(FileTime{0, 0x80000000}, &st));
  EXPECT_EQ(st, untouched);
}

TEST(TimeEngineTest, RecordLayoutAndHalves) {
  // Day of week before day of month, little-endian.
  const SystemTime st{2023, 10, 0, 29, 3, 4, 5, 6};
  uint8_t bytes[16] = {};
  st.WriteTo(bytes);
  const uint8_t expected[16] = {0xE7, 0x07, 10, 0, 0, 0, 29, 0, 3, 0, 4, 0, 5, 0, 6, 0};
  EXPECT_EQ(0, memcmp(bytes, expected, 16));
  SystemTime back;
  back.ReadFrom(bytes);
  EXPECT_EQ(back, st);
  // The low half is unsigned when the halves are combined.
  EXPECT_EQ(vt::FileTimeToTicks(FileTime{0x80000000, 1}), 0x180000000);
  EXPECT_EQ(vt::TicksToFileTime(0x180000000), (FileTime{0x80000000, 1}));
}

TEST(TimeEngineTest, CalendarAcrossCenturies) {
  // Every day from 1599 to 2401 round-trips, with weekdays advancing by one.
  int64_t days = vt::DaysFromCivil(1599, 1, 1);
  int weekday = vt::WeekdayFromDays(days);
  for (int64_t year = 1599; year <= 2401; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= vt::DaysInMonth(year, month); ++day, ++days) {
        ASSERT_EQ(vt::DaysFromCivil(year, month, day), days);
        int64_t y;
        int m, d;
        vt::CivilFromDays(days, &y, &m, &d);
        ASSERT_EQ(y, year);
        ASSERT_EQ(m, month);
        ASSERT_EQ(d, day);
        ASSERT_EQ(vt::WeekdayFromDays(days), weekday);
        weekday = (weekday + 1) % 7;
      }
    }
  }
  EXPECT_EQ(vt::DaysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(vt::WeekdayFromDays(-1), 3);
  EXPECT_EQ(vt::DaysInMonth(2000, 2), 29);
  EXPECT_EQ(vt::DaysInMonth(2100, 2), 28);
}

}  // namespace

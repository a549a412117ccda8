// The display time zone: the three modes of SetDisplayTimeZone against the computer's zone,
// ZoneTime's breakdown and formatting, the two file-time conversions, and the shared
// record's first-creator and lifetime rules (checked in fresh child processes, because the
// program's holder lives until the process ends).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/FileMapping.h"
#include "platform/base/TimeComputerZone.h"
#include "platform/base/TimeRuntime.h"
#include "recorder/SharedTimeZone.h"
#include "recorder/ZoneTime.h"

namespace {

using vt::FileTime;
using vt::ScopedComputerZone;
using vt::TimeZoneInformation;

int64_t UnixOf(int y, int mo, int d, int h, int mi, int s) {
  return vt::DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
}

FileTime FileTimeOf(int64_t unixSeconds) {
  return vt::TicksToFileTime(unixSeconds * vt::kTicksPerSecond + vt::kEpochDifferenceTicks);
}

int64_t UnixOf(FileTime ft) {
  return (vt::FileTimeToTicks(ft) - vt::kEpochDifferenceTicks) / vt::kTicksPerSecond;
}

struct Rule {
  uint16_t sm, sw, sd, sh, em, ew, ed, eh;
};
constexpr Rule kEu{3, 5, 0, 2, 10, 5, 0, 3};
constexpr Rule kUs{3, 2, 0, 2, 11, 1, 0, 2};
constexpr Rule kSydney{10, 1, 0, 2, 4, 1, 0, 3};
constexpr Rule kNone{0, 0, 0, 0, 0, 0, 0, 0};

void SetDisplay(int mode, const Rule& r) {
  SetDisplayTimeZone(mode, r.sm, r.sw, r.sd, r.sh, r.em, r.ew, r.ed, r.eh);
}

struct DisplayCase {
  const char* computerTz;
  int mode;
  Rule rule;
  int64_t utc;
  int64_t display;  // expected wall clock as seconds since 1970
};

// Each row: the computer's zone, the user's choice, a UTC instant and the time shown.
TEST(DisplayTimeZoneTest, ModesTable) {
  const char* cet = "CET-1";
  const char* est = "EST5EDT,M3.2.0,M11.1.0";
  const DisplayCase cases[] = {
      {"JST-9", 0, kNone, 0, UnixOf(1970, 1, 1, 9, 0, 0)},
      {"<+0530>-5:30", 0, kNone, 0, UnixOf(1970, 1, 1, 5, 30, 0)},
      {est, 0, kNone, 1688212800, UnixOf(2023, 7, 1, 7, 0, 0)},
      {est, 2, kNone, 1688212800, UnixOf(2023, 7, 1, 8, 0, 0)},
      // The computer's daylight rule plays no part in modes 0 and 1: only its Bias.
      {"CET-1CEST,M3.5.0,M10.5.0/3", 0, kNone, 1688212800, UnixOf(2023, 7, 1, 13, 0, 0)},
      {cet, 1, kEu, 1679792399, UnixOf(2023, 3, 26, 1, 59, 59)},
      {cet, 1, kEu, 1679792400, UnixOf(2023, 3, 26, 3, 0, 0)},
      {cet, 1, kEu, 1698541199, UnixOf(2023, 10, 29, 2, 59, 59)},
      {cet, 1, kEu, 1698541200, UnixOf(2023, 10, 29, 2, 0, 0)},
      {cet, 1, kEu, 1585443599, UnixOf(2020, 3, 29, 1, 59, 59)},  // a fifth Sunday
      {cet, 1, kEu, 1585443600, UnixOf(2020, 3, 29, 3, 0, 0)},
      {cet, 1, kEu, 1704065400, UnixOf(2024, 1, 1, 0, 30, 0)},  // year change
      {cet, 1, kEu, 1719873000, UnixOf(2024, 7, 2, 0, 30, 0)},
      {"EST5", 1, kUs, 1678604399, UnixOf(2023, 3, 12, 1, 59, 59)},
      {"EST5", 1, kUs, 1678604400, UnixOf(2023, 3, 12, 3, 0, 0)},
      {"EST5", 1, kUs, 1699163999, UnixOf(2023, 11, 5, 1, 59, 59)},
      {"EST5", 1, kUs, 1699164000, UnixOf(2023, 11, 5, 1, 0, 0)},
      {"AEST-10", 1, kSydney, 1673740800, UnixOf(2023, 1, 15, 11, 0, 0)},
      {"AEST-10", 1, kSydney, 1686787200, UnixOf(2023, 6, 15, 10, 0, 0)},
      {"AEST-10", 1, kSydney, 1680364799, UnixOf(2023, 4, 2, 2, 59, 59)},
      {"AEST-10", 1, kSydney, 1680364800, UnixOf(2023, 4, 2, 2, 0, 0)},
      {"AEST-10", 1, kSydney, 1696089599, UnixOf(2023, 10, 1, 1, 59, 59)},
      {"AEST-10", 1, kSydney, 1696089600, UnixOf(2023, 10, 1, 3, 0, 0)},
      {"AEST-10", 1, kSydney, 1704029400, UnixOf(2024, 1, 1, 0, 30, 0)},
      // A rule that cannot be evaluated (week 0, month 13, hour 24) converts with the Bias.
      {cet, 1, {3, 0, 0, 2, 10, 5, 0, 3}, 1688169600, UnixOf(2023, 7, 1, 1, 0, 0)},
      {cet, 1, {13, 5, 0, 2, 10, 5, 0, 3}, 1688169600, UnixOf(2023, 7, 1, 1, 0, 0)},
      {cet, 1, {3, 5, 0, 24, 10, 5, 0, 3}, 1688169600, UnixOf(2023, 7, 1, 1, 0, 0)},
      // Identical start and end: daylight time almost all year.
      {cet, 1, {3, 5, 0, 2, 3, 5, 0, 2}, 1688169600, UnixOf(2023, 7, 1, 2, 0, 0)},
      {cet, 1, {3, 5, 0, 2, 3, 5, 0, 2}, 1672531200, UnixOf(2023, 1, 1, 2, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.computerTz << " mode " << c.mode << " utc " << c.utc);
    ScopedComputerZone pin(c.computerTz);
    SetDisplay(c.mode, c.rule);
    std::tm tm{};
    ASSERT_EQ(ZoneTime(c.utc).GetLocalTm(&tm), &tm);
    std::tm expected{};
    vt::BreakDownSeconds(c.display, &expected);
    EXPECT_EQ(tm.tm_year, expected.tm_year);
    EXPECT_EQ(tm.tm_mon, expected.tm_mon);
    EXPECT_EQ(tm.tm_mday, expected.tm_mday);
    EXPECT_EQ(tm.tm_hour, expected.tm_hour);
    EXPECT_EQ(tm.tm_min, expected.tm_min);
    EXPECT_EQ(tm.tm_sec, expected.tm_sec);
    EXPECT_EQ(tm.tm_wday, expected.tm_wday);
    EXPECT_EQ(tm.tm_yday, expected.tm_yday);  // of the display date
    EXPECT_EQ(tm.tm_isdst, c.display - c.utc != -int64_t(SharedTimeZone::Instance().Record().Bias) * 60);
    EXPECT_EQ(ZoneTime(c.utc).GetHour(), expected.tm_hour);
    // The file-time conversion shows the same wall clock.
    const FileTime utc = FileTimeOf(c.utc);
    FileTime display;
    UtcToDisplayFileTime(&utc, &display);
    EXPECT_EQ(UnixOf(display), c.display);
  }
}

TEST(DisplayTimeZoneTest, RecordWrittenByEachMode) {
  ScopedComputerZone pin("Europe/Berlin");
  TimeZoneInformation computer;
  vt::GetTimeZoneInformation(&computer);

  SetDisplay(1, {3, 5, 0, 2, 10, 4, 6, 3});
  TimeZoneInformation expected;
  expected.Bias = -60;
  expected.DaylightBias = -60;
  expected.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
  expected.StandardDate = {0, 10, 6, 4, 3, 0, 0, 0};
  EXPECT_EQ(SharedTimeZone::Instance().Record(), expected);  // names zero, StandardBias 0

  // Modes other than 0-2 leave the record alone, byte for byte.
  vt::NamedFileMapping raw;
  ASSERT_TRUE(raw.Open(SharedTimeZone::kMappingName, SharedTimeZone::kRecordSize));
  std::vector<uint8_t> before(raw.Data(), raw.Data() + SharedTimeZone::kRecordSize);
  for (int mode : {3, -1, 100}) {
    SetDisplay(mode, kUs);
    EXPECT_EQ(std::vector<uint8_t>(raw.Data(), raw.Data() + SharedTimeZone::kRecordSize), before);
  }

  SetDisplay(0, kEu);  // the rule is ignored
  TimeZoneInformation biasOnly;
  biasOnly.Bias = -60;
  EXPECT_EQ(SharedTimeZone::Instance().Record(), biasOnly);

  SetDisplay(2, kNone);
  EXPECT_EQ(SharedTimeZone::Instance().Record(), computer);  // names and all
  EXPECT_EQ(std::u16string(SharedTimeZone::Instance().Record().DaylightName), u"CEST");
}

// Mode 2 shows the computer's own local times.
TEST(DisplayTimeZoneTest, ComputerModeMatchesComputerLocalTime) {
  for (const char* tz : {"Europe/Berlin", "Australia/Sydney", "America/New_York"}) {
    SCOPED_TRACE(tz);
    ScopedComputerZone pin(tz);
    SetDisplay(2, kNone);
    for (int64_t t = UnixOf(2023, 1, 1, 0, 0, 0); t < UnixOf(2024, 1, 1, 0, 0, 0); t += 3600) {
      std::tm shown{}, local{};
      ASSERT_TRUE(ZoneTime(t).GetLocalTm(&shown));
      ASSERT_TRUE(vt::RuntimeLocalTime(t, &local));
      ASSERT_EQ(shown.tm_hour, local.tm_hour) << t;
      ASSERT_EQ(shown.tm_mday, local.tm_mday) << t;
      ASSERT_EQ(shown.tm_isdst, local.tm_isdst) << t;
    }
  }
}

TEST(DisplayTimeZoneTest, BreakdownLimits) {
  ScopedComputerZone pin("JST-9");
  SetDisplay(0, kNone);
  std::tm tm{};
  tm.tm_year = 77;
  EXPECT_EQ(ZoneTime(-1).GetLocalTm(&tm), nullptr);
  EXPECT_EQ(tm.tm_year, 77);
  EXPECT_EQ(ZoneTime(-1).GetHour(), -1);
  EXPECT_EQ(ZoneTime(-1).Format("%Y"), "");
  EXPECT_EQ(ZoneTime(32535244800).GetLocalTm(&tm), nullptr);
  ASSERT_NE(ZoneTime(32535244799).GetLocalTm(&tm), nullptr);
  EXPECT_EQ(tm.tm_year, 3001 - 1900);
  EXPECT_EQ(tm.tm_hour, 16);
  // From the two halves.
  EXPECT_EQ(ZoneTime(0x93406FFFu, 7u).Seconds(), 32535244799);
  EXPECT_EQ(ZoneTime(0xFFFFFFFFu, 0xFFFFFFFFu).Seconds(), -1);
}

TEST(DisplayTimeZoneTest, FormatAtItsBufferBoundary) {
  ScopedComputerZone pin("CET-1");
  SetDisplay(1, kEu);
  EXPECT_EQ(ZoneTime(1698541200).Format("%Y/%m/%d"), "2023/10/29");
  EXPECT_EQ(ZoneTime(1698541200).Format("%Y/%m"), "2023/10");
  EXPECT_EQ(ZoneTime(1704065400).Format("%Y/%m/%d %H:%M %j"), "2024/01/01 00:30 001");
  std::string fits;
  for (int i = 0; i < 31; ++i) fits += "%Y";
  const std::string over = fits + "%Y";
  fits += "abc";
  EXPECT_EQ(ZoneTime(1698541200).Format(fits.c_str()).size(), 127u);
  EXPECT_EQ(ZoneTime(1698541200).Format(over.c_str()), "");
  EXPECT_EQ(ZoneTime(1698541200).Format(nullptr), "");
}

TEST(DisplayTimeZoneTest, DisplayToUtcGapAndOverlap) {
  ScopedComputerZone pin("CET-1");
  SetDisplay(1, kEu);
  struct Case {
    int64_t display, utc;
  };
  const Case cases[] = {
      {UnixOf(2023, 3, 26, 1, 59, 59), UnixOf(2023, 3, 26, 0, 59, 59)},
      {UnixOf(2023, 3, 26, 2, 0, 0), UnixOf(2023, 3, 26, 0, 0, 0)},  // gap: daylight
      {UnixOf(2023, 3, 26, 2, 30, 0), UnixOf(2023, 3, 26, 0, 30, 0)},
      {UnixOf(2023, 3, 26, 3, 0, 0), UnixOf(2023, 3, 26, 1, 0, 0)},
      {UnixOf(2023, 10, 29, 1, 59, 59), UnixOf(2023, 10, 28, 23, 59, 59)},
      {UnixOf(2023, 10, 29, 2, 30, 0), UnixOf(2023, 10, 29, 0, 30, 0)},  // overlap: first
      {UnixOf(2023, 10, 29, 3, 0, 0), UnixOf(2023, 10, 29, 2, 0, 0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.display);
    const FileTime display = FileTimeOf(c.display);
    FileTime utc;
    DisplayToUtcFileTime(&display, &utc);
    EXPECT_EQ(UnixOf(utc), c.utc);
  }
  // Every half hour of two years comes back, but for the repeated autumn hour.
  for (int64_t t = UnixOf(2023, 1, 1, 0, 0, 0); t < UnixOf(2025, 1, 1, 0, 0, 0); t += 1800) {
    const FileTime utc = FileTimeOf(t);
    FileTime shown, back;
    UtcToDisplayFileTime(&utc, &shown);
    DisplayToUtcFileTime(&shown, &back);
    const bool repeated = (t >= 1698541200 && t < 1698544800) || (t >= 1729990800 && t < 1729994400);
    ASSERT_EQ(UnixOf(back), repeated ? t - 3600 : t) << t;
  }
  {
    ScopedComputerZone us("EST5");
    SetDisplay(1, kUs);
    const FileTime a = FileTimeOf(UnixOf(2023, 11, 5, 1, 30, 0));
    const FileTime b = FileTimeOf(UnixOf(2023, 11, 5, 2, 0, 0));
    FileTime ua, ub;
    DisplayToUtcFileTime(&a, &ua);
    DisplayToUtcFileTime(&b, &ub);
    EXPECT_EQ(UnixOf(ua), UnixOf(2023, 11, 5, 5, 30, 0));
    EXPECT_EQ(UnixOf(ub), UnixOf(2023, 11, 5, 7, 0, 0));
  }
  ScopedComputerZone jst("JST-9");
  SetDisplay(0, kNone);
  const FileTime nine = FileTimeOf(UnixOf(1970, 1, 1, 9, 0, 0));
  FileTime utc;
  DisplayToUtcFileTime(&nine, &utc);
  EXPECT_EQ(UnixOf(utc), 0);
}

TEST(DisplayTimeZoneTest, FileTimeConversionsAlwaysSetTheirOutput) {
  ScopedComputerZone pin("JST-9");
  SetDisplay(0, kNone);
  // Beyond the file-time range: passed through.
  const FileTime huge{1, 0x80000000};
  FileTime out{7, 7};
  UtcToDisplayFileTime(&huge, &out);
  EXPECT_EQ(out, huge);
  out = {7, 7};
  DisplayToUtcFileTime(&huge, &out);
  EXPECT_EQ(out, huge);
  // A result before 1601 cannot be shown: passed through.
  const FileTime first{0, 0};
  out = {7, 7};
  DisplayToUtcFileTime(&first, &out);
  EXPECT_EQ(out, first);
  // Below a millisecond is dropped, as with the calendar time in between.
  const FileTime fine = vt::TicksToFileTime(vt::FileTimeToTicks(FileTimeOf(0)) + 19999);
  UtcToDisplayFileTime(&fine, &out);
  EXPECT_EQ(vt::FileTimeToTicks(out), vt::FileTimeToTicks(FileTimeOf(9 * 3600)) + 10000);
}

// ---- The shared record's lifetime, in fresh processes ----------------------------------

// Runs one of the DISABLED_ tests below in a new process of this test binary.
void RunInFreshProcess(const char* test, const char* tz) {
  const std::string filter = std::string("--gtest_filter=SharedTimeZoneFreshProcess.") + test;
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    setenv("TZ", tz, 1);
    execl("/proc/self/exe", "recorder_time_tests", filter.c_str(), "--gtest_also_run_disabled_tests",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << test << " failed in its own process (output above)";
}

TEST(SharedTimeZoneTest, FirstCreatorAndLifetime) {
  RunInFreshProcess("DISABLED_FirstCreatorAndLifetime", "JST-9");
}

TEST(SharedTimeZoneTest, CreationFailureFallsBackToTheBias) {
  RunInFreshProcess("DISABLED_CreationFailure", "JST-9");
}

std::vector<uint8_t> RawRecord() {
  vt::NamedFileMapping raw;
  if (!raw.Open(SharedTimeZone::kMappingName, SharedTimeZone::kRecordSize)) return {};
  return std::vector<uint8_t>(raw.Data(), raw.Data() + SharedTimeZone::kRecordSize);
}

std::vector<uint8_t> ZeroAndBias(int32_t bias) {
  std::vector<uint8_t> bytes(SharedTimeZone::kRecordSize, 0);
  for (int i = 0; i < 4; ++i) bytes[i] = uint8_t(uint32_t(bias) >> (8 * i));
  return bytes;
}

TEST(SharedTimeZoneFreshProcess, DISABLED_FirstCreatorAndLifetime) {
  std::vector<uint8_t> modeOne;
  {
    SharedTimeZone first;  // TZ JST-9, set by the parent
    ASSERT_TRUE(first.IsOpen());
    EXPECT_EQ(RawRecord(), ZeroAndBias(-540));
    first.SetDisplayTimeZone(1, 3, 5, 0, 2, 10, 5, 0, 3);
    modeOne = RawRecord();
    {
      // A second creator leaves the record as it is, whatever the computer's zone now.
      ScopedComputerZone later("EST5");
      SharedTimeZone second;
      ASSERT_TRUE(second.IsOpen());
      EXPECT_EQ(RawRecord(), modeOne);
      EXPECT_EQ(second.Record().DaylightDate.wMonth, 3);
      // A write through one holder is seen through the other at once.
      second.SetDisplayTimeZone(0, 0, 0, 0, 0, 0, 0, 0, 0);
      EXPECT_EQ(first.Record().Bias, 300);
      EXPECT_FALSE(first.Record().HasDaylightRule());
      first.SetDisplayTimeZone(1, 3, 5, 0, 2, 10, 5, 0, 3);
    }
    // The second holder's close does not end the record.
    EXPECT_EQ(first.Record().DaylightDate.wMonth, 3);
  }
  // After the last holder closed, the next creator starts again from zero and the Bias.
  ScopedComputerZone now("EST5");
  SharedTimeZone again;
  EXPECT_EQ(RawRecord(), ZeroAndBias(300));

  // The program's holder is one object, and the free functions write through it.
  EXPECT_EQ(&SharedTimeZone::Instance(), &SharedTimeZone::Instance());
  SetDisplayTimeZone(1, 3, 2, 0, 2, 11, 1, 0, 2);
  EXPECT_EQ(again.Record().StandardDate.wMonth, 11);
}

TEST(SharedTimeZoneFreshProcess, DISABLED_CreationFailure) {
  // A block of that name too small for the record makes the creation fail.
  vt::NamedFileMapping squatter;
  ASSERT_TRUE(squatter.Open(SharedTimeZone::kMappingName, 100));
  SharedTimeZone holder;
  EXPECT_FALSE(holder.IsOpen());
  TimeZoneInformation fallback;
  fallback.Bias = -540;
  EXPECT_EQ(holder.Record(), fallback);
  holder.SetDisplayTimeZone(1, 3, 5, 0, 2, 10, 5, 0, 3);  // nothing to write to
  EXPECT_EQ(holder.Record(), fallback);
  EXPECT_EQ(std::vector<uint8_t>(squatter.Data(), squatter.Data() + 100), std::vector<uint8_t>(100, 0));

  // The program's holder is empty too; times are shown with the computer's Bias.
  EXPECT_FALSE(SharedTimeZone::Instance().IsOpen());
  EXPECT_EQ(ZoneTime(0).GetHour(), 9);
  const FileTime utc = FileTimeOf(0);
  FileTime shown;
  UtcToDisplayFileTime(&utc, &shown);
  EXPECT_EQ(UnixOf(shown), 9 * 3600);
}

}  // namespace

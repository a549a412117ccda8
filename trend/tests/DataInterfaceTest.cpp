// Status words, the base answers of the channel and row-time interfaces, the time stamp
// arithmetic, and the fake channel's reads that the buffers rely on.
#include <gtest/gtest.h>

#include "trend/NgChannel.h"
#include "trend/testing/FakeNgChannel.h"

TEST(NgStatus, StatesAndTexts) {
  struct Case {
    uint16_t word;
    int first, second, alarms;
  } cases[] = {
      {0x8300, 8, 3, 0}, {0x83FF, 8, 3, 15}, {0x3000, 3, 0, 0},  {0x3300, 3, 3, 0},
      {0x0005, 0, 0, 5}, {0x6700, 6, 7, 0},  {0xC0F0, 12, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NgFirstState(c.word), c.first) << std::hex << c.word;
    EXPECT_EQ(NgSecondState(c.word), c.second) << std::hex << c.word;
    EXPECT_EQ(vt::NgAlarmFlags(c.word), c.alarms) << std::hex << c.word;
  }
  const char* texts[16] = {"",        "- OFF -", "- OFF -", "",        "- OFF -", "- OFF -",
                           "+OVER",   "-OVER",   "SKIP",    "ILLEGAL", "LACK",    "INVALID",
                           "BURNOUT", "- OFF -", "- OFF -", "- OFF -"};
  for (int s = 0; s < 16; ++s) EXPECT_STREQ(vt::NgStateText(s), texts[s]) << s;
}

TEST(NgInterfaces, BaseAnswersLeaveTextsAndGiveDefaults) {
  vt_test::FakeNgChannel fake;
  CGChannel& base = fake;
  std::string unit = "keep";
  base.GetUnit(&unit);
  EXPECT_EQ(unit, "keep");
  EXPECT_EQ(base.GetDecimals(), 0);
  EXPECT_EQ(base.IsExponent(), 0);
  EXPECT_EQ(base.GetChannelNumber(), -1);
  EXPECT_EQ(base.GetColour(), 0u);
  EXPECT_EQ(base.IsShown(), 0);
  EXPECT_EQ(base.GetSelf(), &base);

  CGNgTime rows(nullptr, 0);
  EXPECT_STREQ(rows.GetClassInfo()->name, "CGNgTime");
  PreciseTime t{5, 0.5};
  rows.GetRowTime(&t, 3);
  EXPECT_EQ(t.seconds, 0);
  EXPECT_EQ(t.fraction, 0.0);
  EXPECT_EQ(rows.GetRowCount(), 0);
  EXPECT_EQ(rows.FindRow(PreciseTime{7, 0}), 0);
  EXPECT_EQ(rows.GetMarkCount(1), 0);
  EXPECT_EQ(rows.GetMarkColour(1), 0x0200FF00u);
  EXPECT_EQ(rows.GetMarkColourAt(1, 2), 0x0200FF00u);
}

TEST(PreciseTime, ComparesAtTenThousandthsAndSplitsSums) {
  EXPECT_EQ((PreciseTime{10, 0.12341}), (PreciseTime{10, 0.12344}));
  EXPECT_NE((PreciseTime{10, 0.1234}), (PreciseTime{10, 0.1235}));
  EXPECT_LT((PreciseTime{10, 0.9}), (PreciseTime{11, 0.0}));
  EXPECT_EQ(vt::SpanSeconds(PreciseTime{10, 0.75}, PreciseTime{12, 0.25}), 1.5);
  EXPECT_EQ(vt::SpanSeconds(PreciseTime{12, 0}, PreciseTime{10, 0}), 0.0);
  const PreciseTime moved = PreciseTime::AddSeconds(PreciseTime{10, 0.75}, -1.5);
  EXPECT_EQ(moved.seconds, 9);
  EXPECT_DOUBLE_EQ(moved.fraction, 0.25);
  EXPECT_EQ(PreciseTime::AddSeconds(PreciseTime{1, 0}, -1.0), PreciseTime{});
  EXPECT_EQ(PreciseTime::AddSeconds(PreciseTime{1, 0}, std::nan("")), PreciseTime{});
  EXPECT_EQ(vt::TimeFromSeconds(-3), PreciseTime{});
  EXPECT_EQ(vt::TimeFromSeconds(1e300), PreciseTime{});
}

TEST(FakeNgChannel, ReadsFromTheFirstSampleAtOrAfterAndCountsSlots) {
  vt_test::FakeNgChannel ch;
  ch.interval = 2.0;
  ch.Fill(5, [](int64_t i) { return double(i * 10); });
  EXPECT_EQ(ch.GetSampleCount(ch.start, ch.start), 1);
  EXPECT_EQ(ch.GetSampleCount(ch.start, PreciseTime::AddSeconds(ch.start, 5.9)), 3);
  EXPECT_EQ(ch.GetSampleCount(PreciseTime::AddSeconds(ch.start, 5), ch.start), 1);

  PreciseTime at;
  double v = -1;
  uint16_t s = 0;
  ch.ReadValueFrom(PreciseTime::AddSeconds(ch.start, 2.5), &at, &v, &s);
  EXPECT_EQ(at, PreciseTime::AddSeconds(ch.start, 4.0));
  EXPECT_EQ(v, 20.0);
  ch.ReadValueAt(PreciseTime::AddSeconds(ch.start, 2.5), &v, &s);
  EXPECT_EQ(v, 10.0);
  ch.ReadValueAt(PreciseTime::AddSeconds(ch.start, 100), &v, &s);
  EXPECT_EQ(s, kNgNoDataSingle);
  ch.ReadValueFrom(PreciseTime::AddSeconds(ch.start, -3), &at, &v, &s);
  EXPECT_EQ(at, PreciseTime::AddSeconds(ch.start, -2.0));
  EXPECT_EQ(s, kNgNoDataSingle);
  double mn, mx;
  ch.ReadMinMaxOver(PreciseTime::AddSeconds(ch.start, 1), PreciseTime::AddSeconds(ch.start, 7), &mn, &mx, &s);
  EXPECT_EQ(mn, 10.0);
  EXPECT_EQ(mx, 30.0);
  EXPECT_EQ(s, 0);
  ch.ReadMinMaxOver(PreciseTime::AddSeconds(ch.start, 20), PreciseTime::AddSeconds(ch.start, 30), &mn, &mx,
                    &s);
  EXPECT_EQ(s, kNgNoDataPair);
}

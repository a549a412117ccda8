// The older-format reader library against generated files: both layouts and both data kinds,
// the ring of records, derived times, alarm intervals, display groups, and the files it must
// refuse (wrong marks, checksums, and every structural size that could lead a read astray).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>

#include "platform/base/Text.h"
#include "recorder/older/RecFile.h"
#include "recorder/older/RecFileState.h"
#include "recorder/tests/OlderTestSupport.h"
#include "testing/TempFolder.h"
#include "tools/recgen/OlderVariants.h"

using recgen::OlderLayout;
using recgen::OlderModel;

namespace {

constexpr int64_t kJuly1Noon = 1688212800;  // 2023-07-01 12:00:00 UTC

struct Opened {
  RecFileHandle* h = nullptr;
  ~Opened() { RecFileClose(h); }
};

int OpenModel(const OlderTempDir& dir, const OlderModel& m, Opened& out, const char* name = "f.DEV") {
  return RecFileOpen(dir.Write(recgen::WriteOlder(m), name), &out.h);
}

// The language is pinned for the '^' mapping and released even when an assertion ends a test.
class OlderReaderLayouts : public ::testing::TestWithParam<std::tuple<OlderLayout, uint8_t>> {
 protected:
  void SetUp() override { vt::SetSystemLanguageOverride(vt::kLangEnglish); }
  void TearDown() override { vt::SetSystemLanguageOverride(0xFFFF); }
};

TEST_P(OlderReaderLayouts, EveryValueEqualsTheModel) {
  auto [layout, kind] = GetParam();
  OlderModel m = OlderRichModel(layout, kind);
  OlderTempDir dir;
  Opened f;
  ASSERT_EQ(OpenModel(dir, m, f), 0);
  const bool fixed = layout == OlderLayout::Fixed;
  EXPECT_EQ(f.h->kind, (fixed ? 0x30 : 0x40) + kind);

  RecFileTimes t;
  EXPECT_EQ(RecFileGetTimes(f.h, &t), 0x30 + kind);
  EXPECT_EQ(t.firstDataNo, 1001u);
  EXPECT_EQ(t.lastDataNo, 1010u);
  // Trigger 12:00:00 + 4/8; 3 records of 16 eighths before it: 44 eighths earlier.
  EXPECT_EQ(t.firstSeconds, kJuly1Noon - 6);
  EXPECT_EQ(t.firstEighths, 4);
  EXPECT_EQ(t.lastSeconds, kJuly1Noon - 6 + 18);
  EXPECT_EQ(t.lastEighths, 4);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t.serialRaw.data())), "ABC123456");

  RecFileInfo info;
  ASSERT_EQ(RecFileGetInfo(f.h, &info), 0);
  EXPECT_EQ(info.measuredChannels, 2);
  EXPECT_EQ(info.computedChannels, 1);
  EXPECT_EQ(info.records, 10u);
  EXPECT_EQ(info.intervalSeconds, 2);
  EXPECT_EQ(info.intervalEighths, 0);
  EXPECT_EQ(info.triggerSeconds, kJuly1Noon);
  EXPECT_EQ(info.triggerEighths, 4);
  EXPECT_EQ(info.messages, 2);
  EXPECT_EQ(info.modelName, "LT420");
  EXPECT_EQ(info.alarmListsPresent, 0);
  EXPECT_EQ(info.computationChannels, fixed ? -1 : 0);

  RecFileHeaderInfo hi;
  ASSERT_EQ(RecFileGetHeaderInfo(f.h, &hi), 0);
  EXPECT_EQ(hi.headerText,
            "Line \xC2\xB0"
            "C");
  EXPECT_EQ(hi.word10, 0x1234);
  EXPECT_EQ(hi.batchPresent, 1);
  EXPECT_EQ(hi.startLevel, 1);
  EXPECT_EQ(hi.stopLevel, 7);
  EXPECT_EQ(hi.startUser, "alice");
  EXPECT_EQ(hi.batchTexts[2], "third");
  EXPECT_EQ(hi.batchNo, "B-17");
  EXPECT_EQ(hi.lotNo, 42);
  EXPECT_EQ(hi.commentAuthor, "carol");
  EXPECT_EQ(hi.comments[0], "");
  EXPECT_EQ(hi.comments[1], "second comment");
  EXPECT_EQ(hi.commentSeconds, kJuly1Noon + 3600);
  EXPECT_EQ(hi.tagsUsed, 1);

  RecFileChannel ch;
  ASSERT_EQ(RecFileGetChannel(f.h, 1, &ch), 0);
  EXPECT_EQ(ch.name, "CH05");
  EXPECT_EQ(ch.unit,
            "\xC2\xB0"
            "C");
  EXPECT_EQ(ch.tag, "TEMP");
  EXPECT_DOUBLE_EQ(ch.scaleUpper, 10.0);
  EXPECT_EQ(ch.colour, 0xE22B8Au);  // index 3: 138, 43, 226
  EXPECT_EQ(RecFileGetChannel(f.h, 3, &ch), 1);
  ASSERT_EQ(RecFileGetChannel(f.h, 2, &ch), 0);
  EXPECT_EQ(ch.wide, 1);

  // Samples in time order across the wrap of the ring (ring start 5 of 10).
  const int rows = kind == 1 ? 6 : 3;
  for (int row = 0; row < rows; ++row) {
    std::vector<int32_t> v;
    int32_t s = 0;
    int e = 0;
    ASSERT_EQ(RecFileReadSamples(f.h, row, 0, 10, &s, &e, &v), 0);
    ASSERT_EQ(v.size(), 10u);
    for (int k = 0; k < 10; ++k)
      EXPECT_EQ(v[std::size_t(k)], m.records[std::size_t(k)][std::size_t(row)]) << row << " " << k;
    EXPECT_EQ(s, kJuly1Noon - 6);
    ASSERT_EQ(RecFileReadSamples(f.h, row, 8, 5, &s, &e, &v), 0);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[1], m.records[9][std::size_t(row)]);
  }
  std::vector<int32_t> v;
  EXPECT_EQ(RecFileReadSamples(f.h, rows, 0, 1, nullptr, nullptr, &v), 0);
  EXPECT_TRUE(v.empty());
  EXPECT_EQ(RecFileReadSamples(f.h, 0, 10, 1, nullptr, nullptr, &v), 0);
  EXPECT_TRUE(v.empty());

  RecFileMessage msg;
  ASSERT_EQ(RecFileGetMessage(f.h, 0, &msg), 0);
  EXPECT_EQ(msg.recordIndex, 2);
  EXPECT_EQ(msg.seconds, kJuly1Noon - 4);
  EXPECT_EQ(msg.numberMinus1, 4);
  EXPECT_EQ(msg.attribute, 7);
  EXPECT_EQ(msg.user, "alice");
  ASSERT_EQ(RecFileGetMessage(f.h, 1, &msg), 0);
  EXPECT_EQ(msg.text, "Stop");
  EXPECT_EQ(msg.eighths, 2);
  EXPECT_EQ(RecFileGetMessage(f.h, 2, &msg), 1);
}

INSTANTIATE_TEST_SUITE_P(All, OlderReaderLayouts,
                         ::testing::Combine(::testing::Values(OlderLayout::Fixed, OlderLayout::Directory),
                                            ::testing::Values(uint8_t(0), uint8_t(1))));

// What the file claims about itself is checked before anything is read through it. Files the
// access class refuses only for their record range still open here.
TEST(OlderReader, RefusesInvalidFiles) {
  OlderTempDir dir;
  for (const recgen::OlderVariant& v : recgen::OlderVariants()) {
    const std::string path = dir.Path() + "/variant" + v.extension;
    ASSERT_TRUE(vt_test::WriteFileBytes(path, std::string(v.bytes.begin(), v.bytes.end())));
    RecFileHandle* h = reinterpret_cast<RecFileHandle*>(1);
    const int result = RecFileOpen(path, &h);
    EXPECT_EQ(result, v.openResult == 30 ? 1 : 0) << v.name;
    EXPECT_EQ(h == nullptr, result != 0) << v.name;
    RecFileClose(h);
  }
  RecFileHandle* h = nullptr;
  EXPECT_EQ(RecFileOpen(dir.Path() + "/missing.DEV", &h), 1);
  EXPECT_EQ(RecFileOpen(dir.Path(), &h), 1);  // a folder
}

// A pipe under a recorder file's name is refused at once instead of waiting for a writer.
TEST(OlderReader, RefusesAPipeWithoutWaiting) {
  OlderTempDir dir;
  const std::string path = dir.Path() + "/pipe.DEV";
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  auto opened = std::async(std::launch::async, [&] {
    RecFileHandle* h = nullptr;
    return RecFileOpen(path, &h);
  });
  if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Release the blocked open, so that the test fails instead of hanging.
    int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
    opened.wait();
    if (writer >= 0) close(writer);
    FAIL() << "RecFileOpen waited on a pipe";
  }
  EXPECT_EQ(opened.get(), 1);
}

TEST(OlderReader, AcceptsTheEdgesOfTheHeaderRules) {
  OlderTempDir dir;
  struct Case {
    OlderLayout layout;
    uint8_t m0, m1, model;
    int8_t year;
    const char* name;
  };
  const Case cases[] = {
      {OlderLayout::Fixed, 'x', 0x50, 0x80, 37, "NB410"},
      {OlderLayout::Fixed, 'u', 0x21, 0x40, 80, "PW410"},
      {OlderLayout::Fixed, 'x', 0x30, 0x10, 0, "LT410"},
      {OlderLayout::Directory, 'u', 0x80, 0x01, 99, "QR420"},
  };
  for (const Case& c : cases) {
    OlderModel m = recgen::SampleOlderModel(c.layout, 1, 3);
    m.mark0 = c.m0;
    m.mark1 = c.m1;
    m.modelCode = c.model;
    m.trigger.year = c.year;
    Opened f;
    ASSERT_EQ(OpenModel(dir, m, f), 0) << c.name;
    RecFileInfo info;
    RecFileGetInfo(f.h, &info);
    EXPECT_EQ(info.modelName, c.name);
  }
}

// The first record time steps back from the trigger in eighths of a second.
TEST(OlderReader, DerivesRecordTimesInEighths) {
  struct Case {
    uint8_t unit;
    int16_t interval;
    uint32_t before;
    int8_t eighths;
    uint32_t records;
    int64_t intervalEighths;
    int64_t first;
    int firstE;
    int64_t last;
    int lastE;
  };
  const Case cases[] = {
      {3, 1000, 2, 0, 4, 8, kJuly1Noon - 2, 0, kJuly1Noon + 1, 0},  // 1000 ms = 8 eighths
      {3, 100, 5, 3, 4, 0, kJuly1Noon, 3, kJuly1Noon, 3},           // 100 ms = 0 eighths
      {3, 500, 1, 4, 3, 4, kJuly1Noon, 0, kJuly1Noon + 1, 0},       // d = 0
      {3, 250, 0, 6, 2, 2, kJuly1Noon, 6, kJuly1Noon + 1, 0},       // d < 0, carry at the end
      {3, 375, 1, 1, 2, 3, kJuly1Noon - 1, 6, kJuly1Noon, 1},       // d = 2: (S - 1, 6)
      {0, 1, 0, 0, 1, 8, kJuly1Noon, 0, kJuly1Noon, 0},
  };
  OlderTempDir dir;
  for (const Case& c : cases) {
    OlderModel m = recgen::SampleOlderModel(OlderLayout::Directory, 0, c.records);
    m.intervalUnit = c.unit;
    m.interval = c.interval;
    m.recordsBeforeTrigger = c.before;
    m.trigger.eighths = c.eighths;
    Opened f;
    ASSERT_EQ(OpenModel(dir, m, f), 0);
    RecFileTimes t;
    RecFileGetTimes(f.h, &t);
    RecFileInfo info;
    RecFileGetInfo(f.h, &info);
    SCOPED_TRACE(c.interval);
    EXPECT_EQ(info.intervalSeconds * 8 + info.intervalEighths, c.intervalEighths);
    EXPECT_EQ(t.firstSeconds, c.first);
    EXPECT_EQ(t.firstEighths, c.firstE);
    EXPECT_EQ(t.lastSeconds, c.last);
    EXPECT_EQ(t.lastEighths, c.lastE);
  }
}

// Alarm intervals in record numbers from 1; event data leave out the record at which the
// alarm went off unless it also began there.
TEST(OlderReader, AlarmBitsFollowTheIntervals) {
  for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
    for (OlderLayout layout : {OlderLayout::Fixed, OlderLayout::Directory}) {
      OlderModel m = recgen::SampleOlderModel(layout, kind, 10);
      const uint32_t d0 = m.dataNoBefore;
      m.alarms = {
          {0, 0, 1, {}, {}, d0 + 2, d0 + 4},   // records 2..4
          {0, 1, 2, {}, {}, d0 + 6, 0},        // 6 to one past the end
          {0, 2, 3, {}, {}, d0 + 8, d0 + 8},   // just 8
          {0, 4, 1, {}, {}, d0 + 1, d0 + 9},   // level 4: ignored
          {9, 0, 1, {}, {}, d0 + 1, d0 + 9},   // no such channel: ignored
          {4, 3, 1, {}, {}, d0 + 9, d0 + 10},  // channel number 4 is index 1
      };
      OlderTempDir dir;
      Opened f;
      ASSERT_EQ(OpenModel(dir, m, f), 0);
      std::vector<uint8_t> bits;
      ASSERT_EQ(RecFileGetAlarmBits(f.h, 0, 0, 10, &bits), 0);
      std::vector<uint8_t> expected = {0, 1, 1, uint8_t(kind ? 1 : 0), 0, 2, 2, 6, 2, 2};
      EXPECT_EQ(bits, expected) << int(kind);
      ASSERT_EQ(RecFileGetAlarmBits(f.h, 0, 7, 5, &bits), 0);
      EXPECT_EQ(bits, (std::vector<uint8_t>{6, 2, 2}));
      ASSERT_EQ(RecFileGetAlarmBits(f.h, 1, 0, 10, &bits), 0);
      EXPECT_EQ(bits[8], 8);
      EXPECT_EQ(bits[9], kind ? 8 : 0);
      ASSERT_EQ(RecFileGetAlarmBits(f.h, 2, 0, 10, &bits), 0);
      EXPECT_EQ(bits, std::vector<uint8_t>(10, 0));

      RecFileAlarm a;
      ASSERT_EQ(RecFileGetAlarm(f.h, 1, &a), 0);
      EXPECT_EQ(a.channelIndex, 0);
      EXPECT_EQ(a.level, 1);
      EXPECT_EQ(a.type, 2);
      EXPECT_EQ(a.onRecord, 5);
      EXPECT_EQ(a.offRecord, -1);
      ASSERT_EQ(RecFileGetAlarm(f.h, 4, &a), 0);
      EXPECT_EQ(a.channelIndex, -1);
      EXPECT_EQ(RecFileGetAlarm(f.h, 6, &a), 1);
      RecFileInfo info;
      RecFileGetInfo(f.h, &info);
      EXPECT_EQ(info.alarmListsPresent, 1);
      EXPECT_EQ(info.alarmEntries, 6);
    }
  }
}

// Without alarm lists every record that lies in the file still gets its (zero) byte.
TEST(OlderReader, AlarmBitsWithoutAlarmListsAreZeroBytes) {
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Fixed, 0, 10);
  m.alarms = {{9, 0, 1, {}, {}, 1001, 1002}};  // unusable: the file has no alarm lists
  OlderTempDir dir;
  Opened f;
  ASSERT_EQ(OpenModel(dir, m, f), 0);
  std::vector<uint8_t> bits;
  ASSERT_EQ(RecFileGetAlarmBits(f.h, 0, 5, 10, &bits), 0);
  EXPECT_EQ(bits, std::vector<uint8_t>(5, 0));
  ASSERT_EQ(RecFileGetAlarmBits(f.h, 0, 10, 1, &bits), 0);
  EXPECT_TRUE(bits.empty());
}

TEST(OlderReader, FixedLayoutGroups) {
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Fixed, 0, 3);
  m.channels[0].decimals = 1;  // raw 0..1000 over span 0..1000
  m.channels[1].spanLower = m.channels[1].spanUpper = 200;
  m.groups.resize(2);
  m.groups[0].tripOn = {1, 1, 0, 1};
  m.groups[0].tripPos = {500, 2000, 100, 0};
  m.groups[1].name = "Second";
  m.groups[1].slots = {9, 4, -1, -1, -1, -1, -1, -1, -1, -1};
  m.groups[1].tripOn = {1, 0, 0, 0};
  m.groups[1].tripPos = {200, 0, 0, 0};
  OlderTempDir dir;
  Opened f;
  ASSERT_EQ(OpenModel(dir, m, f), 0);
  int groups = 0, per = 0;
  RecFileGetGroupLimits(f.h, &groups, &per);
  EXPECT_EQ(groups, 4);
  EXPECT_EQ(per, 10);
  std::string name;
  int count = -1;
  ASSERT_EQ(RecFileGetGroupName(f.h, 0, &name, &count), 0);
  EXPECT_EQ(name, "Group A");
  EXPECT_EQ(count, 2);
  ASSERT_EQ(RecFileGetGroupName(f.h, 1, &name, &count), 0);
  EXPECT_EQ(count, 2);  // a slot naming a missing channel still counts
  ASSERT_EQ(RecFileGetGroupName(f.h, 4, &name, &count), 0);
  EXPECT_EQ(name, "Group05");
  EXPECT_EQ(count, 0);

  RecFileGroupChannel gc;
  ASSERT_EQ(RecFileGetGroupChannel(f.h, 0, 0, &gc), 0);
  EXPECT_EQ(gc.channelIndex, 0);
  EXPECT_DOUBLE_EQ(gc.scaleUpper, 100.0);
  EXPECT_EQ(gc.tripOn, (std::array<int, 4>{1, 0, 0, 1}));
  EXPECT_DOUBLE_EQ(gc.tripValue[0], 50.0);
  EXPECT_DOUBLE_EQ(gc.tripValue[1], 0.0);  // outside the span: off
  EXPECT_EQ(gc.colour, 0x0000FFu);
  ASSERT_EQ(RecFileGetGroupChannel(f.h, 1, 0, &gc), 0);
  EXPECT_EQ(gc.channelIndex, -1);
  ASSERT_EQ(RecFileGetGroupChannel(f.h, 1, 1, &gc), 0);
  EXPECT_EQ(gc.channelIndex, 1);
  // An empty span puts the line at the lower scale end instead of dividing by zero.
  EXPECT_EQ(gc.tripOn[0], 1);
  EXPECT_DOUBLE_EQ(gc.tripValue[0], 0.0);
  EXPECT_EQ(RecFileGetGroupChannel(f.h, 4, 0, &gc), 1);
  EXPECT_EQ(RecFileGetGroupChannel(f.h, 0, 10, &gc), 1);
}

TEST(OlderReader, DirectoryLayoutSectionsAndGroups) {
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Directory, 1, 4);
  m.scrambleDirectory = true;
  m.channels[1].number = 150;  // a computation channel
  m.channels[1].scaleKind = 3;
  m.channels[1].lowerExponent = -1;
  m.channels[1].upperExponent = 3;
  m.channels[1].spanLower = 0;
  m.channels[1].spanUpper = 400;
  m.messages = {{"hello", {}, 1002, 0, 0, "u"}};
  m.alarms = {{150, 0, 1, {}, {}, 1001, 1002}};
  m.groups.resize(3);
  m.groups[0].slots = {0, 150, -1, -1, -1, -1, -1, -1, -1, -1};
  m.groups[0].tripOn = {0, 1, 0, 0};
  m.groups[0].tripPos = {0, 100, 0, 0};
  m.groups[1].inUse = false;
  m.groups[1].name = "unused";
  m.groups[1].slots[0] = 0;
  m.groups[2].name = "Third";
  m.tagSwitch = 1;
  m.count186 = 2;
  m.unit187 = 2;
  OlderTempDir dir;
  Opened f;
  ASSERT_EQ(OpenModel(dir, m, f), 0);
  RecFileInfo info;
  RecFileGetInfo(f.h, &info);
  EXPECT_EQ(info.computationChannels, 1);
  EXPECT_EQ(info.measuredChannels, 1);
  EXPECT_EQ(info.messages, 1);  // the later message entry replaced the stale one
  RecFileMessage msg;
  ASSERT_EQ(RecFileGetMessage(f.h, 0, &msg), 0);
  EXPECT_EQ(msg.text, "hello");
  RecFileHeaderInfo hi;
  ASSERT_EQ(RecFileGetHeaderInfo(f.h, &hi), 0);
  EXPECT_EQ(hi.tagsUsed, 0);
  EXPECT_EQ(hi.periodSeconds, 7200);
  EXPECT_EQ(hi.batchPresent, 0);
  EXPECT_EQ(hi.startLevel, -1);
  EXPECT_EQ(hi.lotNo, -1);

  int groups = 0, per = 0;
  RecFileGetGroupLimits(f.h, &groups, &per);
  EXPECT_EQ(groups, 23);
  std::string name;
  int count = 0;
  RecFileGetGroupName(f.h, 1, &name, &count);
  EXPECT_EQ(name, "Group02");
  EXPECT_EQ(count, 0);
  RecFileGetGroupName(f.h, 2, &name, &count);
  EXPECT_EQ(name, "Third");
  RecFileGetGroupName(f.h, 22, &name, &count);
  EXPECT_EQ(name, "Group23");
  RecFileGroupChannel gc;
  ASSERT_EQ(RecFileGetGroupChannel(f.h, 0, 1, &gc), 0);
  EXPECT_EQ(gc.channelIndex, 1);
  EXPECT_EQ(gc.logScale, 1);
  EXPECT_DOUBLE_EQ(gc.scaleLower, 0.1);
  EXPECT_DOUBLE_EQ(gc.scaleUpper, 1000.0);
  EXPECT_EQ(gc.tripOn[1], 1);
  EXPECT_DOUBLE_EQ(gc.tripValue[1], 1.0);  // a quarter of the way from 10^-1 to 10^3
  ASSERT_EQ(RecFileGetGroupChannel(f.h, 1, 0, &gc), 0);
  EXPECT_EQ(gc.channelIndex, -1);  // the group is not in use
  ASSERT_EQ(RecFileGetGroupChannel(f.h, 22, 9, &gc), 0);
  EXPECT_EQ(gc.channelIndex, -1);
  RecFileChannel ch;
  ASSERT_EQ(RecFileGetChannel(f.h, 1, &ch), 0);
  EXPECT_EQ(ch.name, "CH151");
  EXPECT_EQ(ch.scaleKind, 3);
  EXPECT_DOUBLE_EQ(ch.scaleUpper, 1000.0);  // raw ends as they are
  std::vector<uint8_t> bits;
  RecFileGetAlarmBits(f.h, 1, 0, 4, &bits);
  EXPECT_EQ(bits, (std::vector<uint8_t>{1, 1, 0, 0}));
}

// Recorder clocks are local time of the reading computer, with the record's daylight flag.
TEST(OlderReader, TimeRecordsInTheComputerZone) {
  struct Case {
    const char* tz;
    uint8_t rec[8];
    int64_t seconds;
  };
  const Case cases[] = {
      {"CET-1CEST,M3.5.0,M10.5.0/3", {23, 7, 1, 12, 0, 0, 4, 1}, 1688205600},
      {"CET-1CEST,M3.5.0,M10.5.0/3", {23, 7, 1, 12, 0, 0, 0, 0}, 1688209200},
      {"CET-1CEST,M3.5.0,M10.5.0/3", {23, 1, 1, 12, 0, 0, 0, 0xFF}, 1672570800},
      {"JST-9", {23, 7, 1, 12, 0, 0, 0, 1}, 1688180400},  // no daylight time: the flag adds nothing
      {"UTC", {45, 7, 1, 12, 0, 0, 0, 0}, 15681600},      // 38..79 read as 1970
      {"UTC", {99, 12, 31, 23, 59, 59, 0, 0}, 946684799},
      {"UTC", {23, 7, 1, 12, 0, 0x80, 0, 0}, -1},  // invalid record
  };
  for (const Case& c : cases) {
    vt_test::ScopedTimeZone zone(c.tz);
    EXPECT_EQ(RecFileRecordSeconds(c.rec), c.seconds) << c.tz << " " << int(c.rec[0]);
  }
}

// A directory-layout display file put together byte by byte from the format's tables, without
// the generator: the reader and the generator cannot share a misplaced field unnoticed.
TEST(OlderReader, ReadsAHandBuiltDirectoryFile) {
  std::vector<uint8_t> b(354, 0);
  auto be16 = [&](std::size_t at, uint16_t v) {
    b[at] = uint8_t(v >> 8);
    b[at + 1] = uint8_t(v);
  };
  auto be32 = [&](std::size_t at, uint32_t v) {
    be16(at, uint16_t(v >> 16));
    be16(at + 2, uint16_t(v));
  };
  auto text = [&](std::size_t at, const char* t) {
    for (std::size_t i = 0; t[i]; ++i) b[at + i] = uint8_t(t[i]);
  };
  auto crcLowFirst = [&](std::size_t from, std::size_t to, std::size_t at) {  // CRC-16/MODBUS, bitwise
    uint16_t crc = 0xFFFF;
    for (std::size_t i = from; i < to; ++i) {
      crc ^= b[i];
      for (int k = 0; k < 8; ++k) crc = crc & 1 ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    b[at] = uint8_t(crc);
    b[at + 1] = uint8_t(crc >> 8);
  };
  b[0] = 'u';
  b[1] = 0x80;
  text(2, "MQ");
  b[5] = 0x40;  // PW410
  b[6] = 1;     // display data
  text(12, "S9");
  text(28, "Plant");
  be32(60, 500);
  be32(64, 503);
  be32(68, 503);
  be32(80, 340);  // data area
  be16(84, 1);
  be16(86, 4);  // record: minimum and maximum of one 16-bit channel
  be32(92, 3);
  be32(96, 2);   // ring start
  be16(106, 1);  // one second
  const uint8_t trigger[8] = {23, 7, 1, 12, 0, 0, 0, 0};
  std::copy(trigger, trigger + 8, b.begin() + 108);
  be16(206, 1);  // one directory entry: the messages
  b[208] = 0x10;
  be32(212, 292);
  be32(216, 1);
  crcLowFirst(0, 226, 226);
  be16(228 + 12, 2);  // channel number 2, value at offset 0
  text(228 + 20, "K");
  text(292, "Hi");
  std::copy(trigger, trigger + 8, b.begin() + 292 + 16);
  be32(292 + 24, 502);
  b[292 + 28] = 4;
  text(292 + 30, "ann");
  for (uint32_t k = 0; k < 3; ++k) {  // record k in slot (2 + k) mod 3
    const std::size_t at = 340 + 4 * ((2 + k) % 3);
    be16(at, uint16_t(10 + k));
    be16(at + 2, uint16_t(-int(10 + k)));
  }
  crcLowFirst(228, 352, 352);

  OlderTempDir dir;
  const std::string path = dir.Path() + "/hand.DEV";
  ASSERT_TRUE(vt_test::WriteFileBytes(path, std::string(b.begin(), b.end())));
  Opened f;
  ASSERT_EQ(RecFileOpen(path, &f.h), 0);
  EXPECT_EQ(f.h->kind, 0x41);
  RecFileTimes t;
  EXPECT_EQ(RecFileGetTimes(f.h, &t), 0x31);
  EXPECT_EQ(t.firstDataNo, 501u);
  EXPECT_EQ(t.firstSeconds, kJuly1Noon);
  EXPECT_EQ(t.lastSeconds, kJuly1Noon + 2);
  RecFileInfo info;
  ASSERT_EQ(RecFileGetInfo(f.h, &info), 0);
  EXPECT_EQ(info.modelName, "PW410");
  EXPECT_EQ(info.records, 3u);
  EXPECT_EQ(info.intervalSeconds, 1);
  RecFileHeaderInfo hi;
  ASSERT_EQ(RecFileGetHeaderInfo(f.h, &hi), 0);
  EXPECT_EQ(hi.serial, "S9");
  EXPECT_EQ(hi.headerText, "Plant");
  RecFileChannel ch;
  ASSERT_EQ(RecFileGetChannel(f.h, 0, &ch), 0);
  EXPECT_EQ(ch.name, "CH03");
  EXPECT_EQ(ch.unit, "K");
  std::vector<int32_t> v;
  ASSERT_EQ(RecFileReadSamples(f.h, 0, 0, 3, nullptr, nullptr, &v), 0);
  EXPECT_EQ(v, (std::vector<int32_t>{10, 11, 12}));
  ASSERT_EQ(RecFileReadSamples(f.h, 1, 0, 3, nullptr, nullptr, &v), 0);
  EXPECT_EQ(v, (std::vector<int32_t>{-10, -11, -12}));
  RecFileMessage msg;
  ASSERT_EQ(RecFileGetMessage(f.h, 0, &msg), 0);
  EXPECT_EQ(msg.text, "Hi");
  EXPECT_EQ(msg.user, "ann");
  EXPECT_EQ(msg.recordIndex, 1);
  EXPECT_EQ(msg.numberMinus1, 4);
  EXPECT_EQ(msg.seconds, kJuly1Noon);
}

TEST(OlderReader, NullAndForeignHandles) {
  RecFileTimes t;
  EXPECT_EQ(RecFileGetTimes(nullptr, &t), 0xFFFF);
  RecFileInfo info;
  EXPECT_EQ(RecFileGetInfo(nullptr, &info), 1);
  RecFileHandle wrong{0x32, nullptr};
  EXPECT_EQ(RecFileGetInfo(&wrong, &info), 1);
  int groups = -5;
  EXPECT_EQ(RecFileGetGroupLimits(nullptr, &groups, nullptr), 0);
  EXPECT_EQ(groups, -5);
  EXPECT_EQ(RecFileClose(nullptr), 0);
}

}  // namespace

// CVTQRFileAccess on generated older files: every getter against the model for both layouts and
// both data kinds, records with their times, states and alarm bytes, the synthesised recording
// GUID, the alarm events, the open probe and the results of files that cannot be opened.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/base/Text.h"
#include "recorder/FileAccessFactory.h"
#include "recorder/older/CVTQRFileAccess.h"
#include "recorder/tests/OlderTestSupport.h"
#include "testing/TempFolder.h"
#include "tools/recgen/OlderVariants.h"

using recgen::OlderLayout;
using recgen::OlderModel;

namespace {

constexpr int32_t kNoon = 1688212800;  // 2023-07-01 12:00:00 UTC

TickTime At(int32_t seconds, int eighths = 0) { return TickTime::FromTime(seconds, eighths * 125); }

OlderModel RichModel(OlderLayout layout, uint8_t kind) {
  OlderModel m = OlderRichModel(layout, kind);
  m.serial = "  ABC123456 ";
  m.clockChanges = 2;
  m.startFactor = 1;  // power failure
  m.stopFactor = 5;
  // Reserved values: states 10 (16-bit) and 6 (32-bit) in record 4.
  m.records[4][0] = int16_t(0x8002);
  m.records[4][kind == 1 ? 4 : 2] = 0x7FFF7FFF;
  m.alarms = {{0, 1, 3, {23, 7, 1, 11, 59, 58, 0, 0}, {23, 7, 1, 12, 0, 2, 0, 0}, 1004, 1006}};
  return m;
}

class OlderAccessLayouts : public ::testing::TestWithParam<std::tuple<OlderLayout, uint8_t>> {
 protected:
  void SetUp() override { vt::SetSystemLanguageOverride(vt::kLangEnglish); }
  void TearDown() override { vt::SetSystemLanguageOverride(0xFFFF); }
  vt_test::ScopedTimeZone utc_{"UTC"};
};

TEST_P(OlderAccessLayouts, GettersEqualTheModel) {
  auto [layout, kind] = GetParam();
  OlderModel m = RichModel(layout, kind);
  OlderTempDir dir;
  std::string path = dir.Write(recgen::WriteOlder(m), kind ? "f.DDS" : "f.DEV");
  CVTQRFileAccess r;
  ASSERT_EQ(r.Open(path), 0);

  std::string s;
  r.GetOpenedPath(&s);
  EXPECT_EQ(s, path);
  r.GetSerialNo(&s);
  EXPECT_EQ(s, "ABC123456");
  r.GetRecorderType(&s);
  EXPECT_EQ(s, "LT420");
  r.GetInstrumentName(&s);
  EXPECT_EQ(s, "ABC123456_LT420");
  r.GetHeaderText(&s);
  EXPECT_EQ(s,
            "Line \xC2\xB0"
            "C");
  EXPECT_EQ(r.GetDataKind(), kind);
  EXPECT_EQ(r.GetStartFactor(), 3);
  EXPECT_EQ(r.GetStopFactor(), 6);
  EXPECT_EQ(r.GetPowerFailure(), 1);
  EXPECT_EQ(r.GetTimeChangeCount(), 2);
  EXPECT_EQ(r.GetDataInterval(), 2000);
  EXPECT_EQ(r.GetLoggingNo(), 0);

  TickTime t;
  r.GetStartTime(&t);
  EXPECT_EQ(t, At(kNoon - 6, 4));
  r.GetCorrectedStartTime(&t);
  EXPECT_EQ(t, At(kNoon - 6, 4));
  r.GetEndTime(&t);
  EXPECT_EQ(t, At(kNoon + 12, 4));
  r.GetCorrectedEndTime(&t);
  EXPECT_EQ(t, At(kNoon + 12, 4));
  ASSERT_EQ(r.GetTriggerTime(&t), 0);
  EXPECT_EQ(t, At(kNoon, 4));
  int64_t n = 0;
  r.GetStartDataNo(&n);
  EXPECT_EQ(n, 1001);
  r.GetEndDataNo(&n);
  EXPECT_EQ(n, 1010);
  r.GetTriggerDataNo(&n);
  EXPECT_EQ(n, 3);
  r.GetMemStartDataNo(&n);
  EXPECT_EQ(n, 1);

  r.GetStartUserName(&s);
  EXPECT_EQ(s, "alice");
  int code = -1;
  r.GetStartUserCode(&code);
  EXPECT_EQ(code, 1);
  r.GetStopUserCode(&code);
  EXPECT_EQ(code, 0);  // level 7 is none
  EXPECT_EQ(r.HasBatchInfo(), 1);
  r.GetBatchNo(&s);
  EXPECT_EQ(s, "B-17");
  EXPECT_EQ(r.HasLotNo(), 1);
  int lot = 0, digits = -1;
  r.GetLotNo(&lot, &digits);
  EXPECT_EQ(lot, 42);
  EXPECT_EQ(digits, 0);
  EXPECT_EQ(r.GetBatchCommentCount(), 1);
  EXPECT_EQ(r.GetBatchCommentSlots(), 3);
  std::string user, text;
  ASSERT_EQ(r.GetBatchComment(1, &t, &user, &text), 0);
  EXPECT_EQ(text, "second comment");
  EXPECT_EQ(user, "carol");
  EXPECT_EQ(t, At(kNoon + 3600));
  EXPECT_EQ(r.GetBatchTextCount(), 2);
  EXPECT_EQ(r.GetBatchTextSlots(), 3);
  EXPECT_TRUE(r.HasBatchText(2));
  EXPECT_FALSE(r.HasBatchText(1));

  ASSERT_EQ(r.GetChannelCount(), 3);
  EXPECT_EQ(r.GetChannelNo(0), 1);
  EXPECT_EQ(r.GetChannelNo(1), 5);
  EXPECT_EQ(r.GetChannelNo(2), 8);
  EXPECT_EQ(r.FindChannel(5), 1);
  EXPECT_EQ(r.GetChannelDataType(1), 3);
  EXPECT_EQ(r.GetChannelDataType(2), 5);
  vt::SChannelInfo ci;
  ASSERT_EQ(r.GetChannelInfo(1, &ci), 0);
  EXPECT_EQ(ci.rangeClass, 1);
  EXPECT_EQ(ci.name, "CH05");
  EXPECT_EQ(ci.channelNo, 5);
  EXPECT_EQ(ci.tagName, "TEMP");
  EXPECT_EQ(ci.unit,
            "\xC2\xB0"
            "C");
  EXPECT_EQ(ci.decimals, 2);
  EXPECT_DOUBLE_EQ(ci.spanHigh, 10.0);
  ASSERT_EQ(r.GetChannelInfo(2, &ci), 0);
  EXPECT_EQ(ci.rangeClass, 2);
  EXPECT_EQ(ci.dataType, 5);
  EXPECT_EQ(r.GetChannelInfo(0, nullptr), 1);

  const int groups = layout == OlderLayout::Fixed ? 4 : 23;
  EXPECT_EQ(r.GetGroupCount(), groups);
  EXPECT_EQ(r.GetUsedGroupCount(), groups);
  EXPECT_EQ(r.GetUsedGroupNo(groups - 1), groups);
  std::string name;
  int count = 0, groupNo = 0, inUse = 0;
  ASSERT_EQ(r.GetGroupInfo(0, &name, &count, &groupNo, &inUse), 0);
  EXPECT_EQ(name, "Group A");
  EXPECT_EQ(count, 2);
  EXPECT_EQ(groupNo, 1);
  EXPECT_EQ(r.FindChannelInGroup(5, 1), 1);
  ASSERT_EQ(r.GetGroupInfo(2, &name, &count, &groupNo, &inUse), 0);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(inUse, 1);
  EXPECT_EQ(r.GetGroupInfo(groups, &name, &count, &groupNo, &inUse), 1);

  ASSERT_EQ(r.GetMessageCount(), 2);
  int msgNo = 0, serial = -1, second = -1, word36 = 0, groupCount = 0;
  int64_t rel = 0;
  TickTime input;
  ASSERT_EQ(r.GetMessage(0, &user, &msgNo, &serial, &rel, &second, &text, &word36, &groupCount, &t, &input),
            0);
  EXPECT_EQ(user, "alice");
  EXPECT_EQ(msgNo, 5);
  EXPECT_EQ(serial, 0);
  EXPECT_EQ(rel, 2);
  EXPECT_EQ(second, 0);
  EXPECT_EQ(text, "Start");
  EXPECT_EQ(word36, 7);
  EXPECT_EQ(groupCount, -1);
  EXPECT_EQ(t, At(kNoon - 4));
  EXPECT_EQ(input, t);

  // Records of channels 0 and 2 from position 3 across the ring's wrap.
  for (int channel : {0, 2}) {
    CVTData data;
    ASSERT_EQ(r.ReadRecords(channel, 3, 7, &data, false), 0);
    ASSERT_EQ(data.GetCount(), 7);
    const std::size_t col = std::size_t(kind ? 2 * channel : channel);
    for (int i = 0; i < 7; ++i) {
      const auto& rec = m.records[std::size_t(3 + i)];
      const TickTime expected = At(kNoon - 6, 4).PlusMilliseconds(int64_t(3 + i) * 2000);
      int state = -1, maxState = -1;
      uint8_t flags = 0xFF, maxFlags = 0xFF;
      // Records 4 to 6 counted from 1, that is positions 3 to 5; event data end before 6.
      const uint8_t alarm = channel == 0 && (i == 0 || i == 1 || (kind && i == 2)) ? 2 : 0;
      if (kind == 0 && channel == 0) {
        int16_t v = 0;
        ASSERT_EQ(data.GetEventShort(i, &v, &t, &state, &flags), 0);
        EXPECT_EQ(v, int16_t(rec[col]));
      } else if (kind == 0) {
        int32_t v = 0;
        ASSERT_EQ(data.GetEventInt(i, &v, &t, &state, &flags), 0);
        EXPECT_EQ(v, rec[col]);
      } else if (channel == 0) {
        int16_t lo = 0, hi = 0;
        ASSERT_EQ(data.GetDisplayShort(i, &lo, &hi, &t, &state, &maxState, &flags, &maxFlags), 0);
        EXPECT_EQ(lo, int16_t(rec[col]));
        EXPECT_EQ(hi, int16_t(rec[col + 1]));
        EXPECT_EQ(maxFlags, flags);
      } else {
        int32_t lo = 0, hi = 0;
        ASSERT_EQ(data.GetDisplayInt(i, &lo, &hi, &t, &state, &maxState, &flags, &maxFlags), 0);
        EXPECT_EQ(lo, rec[col]);
        EXPECT_EQ(hi, rec[col + 1]);
      }
      EXPECT_EQ(t, expected) << i;
      EXPECT_EQ(flags, alarm) << channel << " " << i;
      EXPECT_EQ(state, i == 1 ? (channel == 0 ? 10 : 6) : 0) << channel << " " << i;
    }
  }

  ASSERT_EQ(r.GetAlarmCount(), 2);
  int ch = -1, action = 0, level = 0, type = 0, last = -1;
  ASSERT_EQ(r.GetAlarm(1, &ch, &rel, &t, &action, &level, &type, &last), 0);
  EXPECT_EQ(ch, 0);
  EXPECT_EQ(action, 2);
  EXPECT_EQ(level, 2);
  EXPECT_EQ(type, 3);
  EXPECT_EQ(t, At(kNoon + 2));
  EXPECT_EQ(r.GetAlarm(2, &ch, &rel, &t, &action, &level, &type, &last), 1);
  EXPECT_EQ(r.GetAlarm(0, nullptr, &rel, &t, &action, &level, &type, &last), 1);

  std::vector<int64_t> blocks = {7, 8};
  EXPECT_EQ(r.GetTimeBlockStarts(&blocks), 1);
  EXPECT_EQ(blocks, std::vector<int64_t>{0});
}

INSTANTIATE_TEST_SUITE_P(All, OlderAccessLayouts,
                         ::testing::Combine(::testing::Values(OlderLayout::Fixed, OlderLayout::Directory),
                                            ::testing::Values(uint8_t(0), uint8_t(1))));

TEST(OlderAccess, SynthesisedRecordingGuid) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderTempDir dir;
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Fixed, 0, 10);  // memory start 1, 1000 ms
  CVTQRFileAccess a;
  ASSERT_EQ(a.Open(dir.Write(recgen::WriteOlder(m), "a.DEV")), 0);
  vt::Guid g;
  a.GetOriginalDataGuid(&g);
  EXPECT_EQ(g.ToText(), "00000001-0000-03E8-B61A-6D268B0D8541");

  // A stop by the trigger factor keys the recording by its trigger second instead.
  m.stopFactor = 3;
  m.kind = 1;
  m.records.assign(10, std::vector<int32_t>(6, 0));
  m.positionBase = 1005;  // memory start 1010 - 1005 + 1 = 6
  CVTQRFileAccess b;
  ASSERT_EQ(b.Open(dir.Write(recgen::WriteOlder(m), "b.DDS")), 0);
  b.GetOriginalDataGuid(&g);
  EXPECT_EQ(g.ToText(), "00000006-64A0-1540-B61A-6D268B0D8541");  // 1688212800 = 0x64A01540
}

TEST(OlderAccess, AlarmEventsNeedValidTimes) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Directory, 0, 10);
  recgen::OlderTime invalid{23, 7, 1, 12, 0, int8_t(0x80), 0, 0};
  m.alarms = {{4, 3, 9, {23, 7, 1, 12, 0, 1, 2, 0}, invalid, 1002, 1003},
              {0, 0, 2, invalid, invalid, 1002, 1003}};
  OlderTempDir dir;
  CVTQRFileAccess r;
  ASSERT_EQ(r.Open(dir.Write(recgen::WriteOlder(m), "f.DEV")), 0);
  ASSERT_EQ(r.GetAlarmCount(), 1);
  int ch = -1, action = 0, level = 0, type = -1, last = -1;
  int64_t rel = -1;
  TickTime t;
  ASSERT_EQ(r.GetAlarm(0, &ch, &rel, &t, &action, &level, &type, &last), 0);
  EXPECT_EQ(ch, 1);
  EXPECT_EQ(rel, 0);
  EXPECT_EQ(action, 1);
  EXPECT_EQ(level, 4);
  EXPECT_EQ(type, 0);  // types beyond 1..8 are reported as 0
  EXPECT_EQ(last, 0);
  EXPECT_EQ(t, At(kNoon + 1, 2));
}

TEST(OlderAccess, RecordRangesAndBuffers) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Fixed, 0, 10);
  OlderTempDir dir;
  CVTQRFileAccess r;
  ASSERT_EQ(r.Open(dir.Write(recgen::WriteOlder(m), "f.DEV")), 0);
  CVTData data;
  EXPECT_EQ(r.ReadRecords(0, 5, 10, &data, true), 1);  // only 5 records left
  EXPECT_EQ(r.ReadRecords(0, 0, 1, nullptr, true), 1);
  CVTData small;
  ASSERT_EQ(small.Allocate(0, 3, 2), 0);
  EXPECT_EQ(r.ReadRecords(0, 0, 3, &small, true), 1);  // a full buffer is a failure
  EXPECT_EQ(small.GetCount(), 2);                      // that keeps the records that fitted
  CVTData wrongType;
  ASSERT_EQ(wrongType.Allocate(0, 5, 4), 0);
  EXPECT_EQ(r.ReadRecords(0, 0, 1, &wrongType, true), 1);
  EXPECT_EQ(wrongType.GetCount(), 0);
  // A buffer allocated once takes the records of two reads.
  CVTData both;
  ASSERT_EQ(both.Allocate(0, 3, 4), 0);
  ASSERT_EQ(r.ReadRecords(1, 0, 2, &both, true), 0);
  ASSERT_EQ(r.ReadRecords(1, 8, 2, &both, true), 0);
  int16_t v = 0;
  TickTime t;
  int state = 0;
  uint8_t flags = 0;
  ASSERT_EQ(both.GetEventShort(3, &v, &t, &state, &flags), 0);
  EXPECT_EQ(v, m.records[9][1]);
  EXPECT_EQ(t, At(kNoon + 9));

  std::vector<int32_t> lo, hi;
  int read = -1;
  EXPECT_EQ(r.ReadDisplayValues(0, 0, 1, nullptr, &lo, &hi, &read), 1);
  std::vector<uint8_t> bits;
  EXPECT_EQ(r.ReadAlarmFlags(0, 0, 4, &bits, nullptr), 1);
  ASSERT_EQ(r.ReadAlarmFlags(0, 8, 4, &bits, &read), 0);
  EXPECT_EQ(read, 2);
  ASSERT_EQ(r.ReadEventRecord(2, 9, 3, &t, &lo, &read), 0);
  EXPECT_EQ(read, 1);
  EXPECT_EQ(lo[0], m.records[9][2]);
  EXPECT_EQ(t, At(kNoon));
}

// Every variant through the factory gives its result, and only an opened file leaves a reader.
TEST(OlderAccess, VariantResultsThroughTheFactory) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderTempDir dir;
  for (const recgen::OlderVariant& v : recgen::OlderVariants()) {
    const std::string path = dir.Path() + "/variant" + v.extension;
    ASSERT_TRUE(vt_test::WriteFileBytes(path, std::string(v.bytes.begin(), v.bytes.end())));
    CVTDataFileAccess* reader = nullptr;
    EXPECT_EQ(CreateFileAccess(path, &reader), v.openResult) << v.name;
    EXPECT_EQ(reader != nullptr, v.openResult == 0) << v.name;
    delete reader;
  }
  CVTQRFileAccess r;
  EXPECT_EQ(r.Open(dir.Path() + "/none.DEV"), 30);
}

// Damaged files whose checksums were made to match again: every open ends with a result and
// an opened reader answers every query without reading outside what the file holds.
TEST(OlderAccess, SurvivesMutatedFiles) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderTempDir dir;
  std::mt19937 random(20261210);
  std::vector<recgen::OlderFile> bases;
  for (OlderLayout layout : {OlderLayout::Fixed, OlderLayout::Directory})
    for (uint8_t kind : {uint8_t(0), uint8_t(1)})
      bases.push_back(recgen::WriteOlder(RichModel(layout, kind)));
  int opened = 0;
  for (int iteration = 0; iteration < 1500; ++iteration) {
    recgen::OlderFile f = bases[std::size_t(iteration) % bases.size()];
    const int pokes = 1 + int(random() % 4);
    for (int i = 0; i < pokes; ++i) {
      // Mostly the header, the tables and the sections, sometimes anywhere.
      std::size_t limit = random() % 4 ? f.dataAreaAt : f.bytes.size() - 2;
      f.bytes[random() % limit] = uint8_t(random());
    }
    f.RecomputeCrcs();
    const std::string path = dir.Write(f, "fuzz.DEV");
    CVTQRFileAccess r;
    const int result = r.Open(path);
    ASSERT_TRUE(result == 0 || result == 1 || result == 2 || result == 30 || result == 33) << result;
    if (result != 0) continue;
    ++opened;
    vt::SChannelInfo ci;
    for (int c = 0; c < r.GetChannelCount(); ++c) {
      r.GetChannelInfo(c, &ci);
      CVTData data;
      r.ReadRecords(c, 0, 12, &data, false);
    }
    std::string name;
    int count = 0, number = 0, inUse = 0;
    vt::SGroupChannelInfo gc;
    for (int g = 0; g < r.GetGroupCount(); ++g) {
      r.GetGroupInfo(g, &name, &count, &number, &inUse);
      for (int p = 0; p < 10; ++p) r.GetGroupChannel(g, p, &gc);
    }
    int a = 0, b = 0, c = 0, d = 0, e = 0;
    int64_t rel = 0;
    TickTime t, u;
    std::string text, user;
    for (int i = 0; i < r.GetMessageCount(); ++i)
      r.GetMessage(i, &user, &a, &b, &rel, &c, &text, &d, &e, &t, &u);
    for (int i = 0; i < r.GetAlarmCount(); ++i) r.GetAlarm(i, &a, &rel, &t, &b, &c, &d, &e);
  }
  EXPECT_GT(opened, 100);
}

// A reader opened a second time answers for the second file only.
TEST(OlderAccess, SecondOpenKeepsNothingOfTheFirstFile) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderTempDir dir;
  CVTQRFileAccess r;
  ASSERT_EQ(r.Open(dir.Write(recgen::WriteOlder(RichModel(OlderLayout::Fixed, 0)), "rich.DEV")), 0);
  ASSERT_EQ(r.GetAlarmCount(), 2);
  ASSERT_EQ(r.GetBatchCommentCount(), 1);
  ASSERT_EQ(r.GetBatchTextCount(), 2);
  ASSERT_EQ(r.GetUsedGroupCount(), 4);

  OlderModel plain = recgen::SampleOlderModel(OlderLayout::Fixed, 0, 4);
  plain.channels.resize(1);
  for (auto& record : plain.records) record.resize(1);
  ASSERT_EQ(r.Open(dir.Write(recgen::WriteOlder(plain), "plain.DEV")), 0);
  EXPECT_EQ(r.GetAlarmCount(), 0);
  EXPECT_EQ(r.GetBatchCommentCount(), 0);
  EXPECT_EQ(r.GetBatchTextCount(), 0);
  EXPECT_EQ(r.GetUsedGroupCount(), 4);
  EXPECT_EQ(r.GetGroupCount(), 4);
  EXPECT_EQ(r.GetChannelCount(), 1);
  EXPECT_EQ(r.GetMessageCount(), 0);
  int ch = -1, action = 0, level = 0, type = 0, last = 0;
  int64_t rel = 0;
  TickTime t;
  EXPECT_EQ(r.GetAlarm(0, &ch, &rel, &t, &action, &level, &type, &last), 1);
}

// The group place of the access class hands on the library's outputs in their fixed order.
TEST(OlderAccess, GroupChannelOutputs) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderModel m = recgen::SampleOlderModel(OlderLayout::Directory, 0, 3);
  m.channels[1].scaleLower = -500;  // 2 decimals: -5.00 .. 10.00
  m.channels[1].spanLower = -100;
  m.channels[1].spanUpper = 200;
  m.channels[1].colour = 13;
  m.channels[1].switchOn = 1;
  m.groups[0].tripOn = {1, 0, 1, 1};
  m.groups[0].tripPos = {50, 50, 300, -100};
  OlderTempDir dir;
  CVTQRFileAccess r;
  ASSERT_EQ(r.Open(dir.Write(recgen::WriteOlder(m), "g.DEV")), 0);
  vt::SGroupChannelInfo gc;
  ASSERT_EQ(r.GetGroupChannel(0, 1, &gc), 0);
  EXPECT_EQ(gc.channelIndex, 1);
  EXPECT_EQ(gc.scaleValid, 1);
  EXPECT_DOUBLE_EQ(gc.spanLow, -5.0);
  EXPECT_DOUBLE_EQ(gc.spanHigh, 10.0);
  EXPECT_EQ(gc.rawMin, -100);
  EXPECT_EQ(gc.rawMax, 200);
  const int on[4] = {1, 0, 0, 1};  // the third lies beyond the span
  const double value[4] = {2.5, 0, 0, -5.0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(gc.tripValid[i], on[i]) << i;
    EXPECT_DOUBLE_EQ(gc.tripValue[i], value[i]) << i;
  }
  EXPECT_EQ(gc.colour, 0x00FFFF);  // index 13: 255, 255, 0
  EXPECT_EQ(gc.display, 1);
  EXPECT_EQ(gc.logScale, 0);
  ASSERT_EQ(r.GetGroupChannel(0, 2, &gc), 0);
  EXPECT_EQ(gc.channelIndex, -1);
  EXPECT_EQ(r.GetGroupChannel(-1, 0, &gc), 1);
  EXPECT_EQ(r.GetGroupChannel(0, 0, nullptr), 1);
}

TEST(OlderAccess, TagSwitchHidesTheTags) {
  vt_test::ScopedTimeZone utc("UTC");
  OlderTempDir dir;
  for (OlderLayout layout : {OlderLayout::Fixed, OlderLayout::Directory}) {
    OlderModel m = recgen::SampleOlderModel(layout, 0, 3);
    m.tagSwitch = 1;
    CVTQRFileAccess r;
    ASSERT_EQ(r.Open(dir.Write(recgen::WriteOlder(m), "f.DEV")), 0);
    vt::SChannelInfo ci;
    ASSERT_EQ(r.GetChannelInfo(0, &ci), 0);
    EXPECT_EQ(ci.tagName, "");
    EXPECT_EQ(ci.unit, "m3/h");
    EXPECT_EQ(ci.tagNo, "");
  }
}

TEST(OlderAccess, RecorderStates) {
  const std::pair<uint16_t, int> shorts[] = {{0x7FFF, 6},  {0x8001, 7},  {0x7FFA, 8},  {0x8006, 9},
                                             {0x8002, 10}, {0x8003, 11}, {0x8004, 12}, {0x8005, 13},
                                             {0x8000, 0},  {0, 0}};
  for (auto [v, state] : shorts) EXPECT_EQ(CVTQRFileAccess::RecorderState16(int16_t(v)), state) << v;
  const std::pair<uint32_t, int> ints[] = {{0x7FFF7FFF, 6},  {0x80018001, 7},  {0x80028002, 10},
                                           {0x80038003, 11}, {0x80048004, 12}, {0x80058005, 13},
                                           {0x7FFA7FFA, 0},  {0x7FFF, 0}};
  for (auto [v, state] : ints) EXPECT_EQ(CVTQRFileAccess::RecorderState32(int32_t(v)), state) << v;
}

}  // namespace

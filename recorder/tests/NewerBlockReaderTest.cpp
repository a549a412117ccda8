// The newer-format block reader and reader interface on their own: what a file without tagged
// tables reports, range checks of the record reads, the derived times of the interface, trip
// line scaling, tagged codes and the state of the interface before a successful open.
#include <gtest/gtest.h>

#include "platform/base/Text.h"
#include "recorder/newer/CQRADVFileAccess.h"
#include "recorder/newer/CQRAFile.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

using recgen::NewerFile;

class NewerBlocks : public ::testing::Test {
 protected:
  void SetUp() override { vt::SetSystemLanguageOverride(vt::kLangEnglish); }
  void TearDown() override { vt::SetSystemLanguageOverride(0xFFFF); }
  std::string Write(const NewerFile& m) {
    return dir_.Write("f" + std::to_string(n_++) + ".DAE", recgen::WriteNewerFile(m).bytes);
  }
  vt_test::ScopedTimeZone utc_{"UTC"};
  vt_test::TempFolder dir_;
  int n_ = 0;
};

TEST(NewerInterface, BlockReaderCodesMapToInterfaceCodes) {
  // -1 .. 16; codes the block reader does not name (13, 15 and beyond) count as "no file".
  const int expected[] = {3, 0, 7, 8, 9, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 12, 1, 2, 1};
  for (int code = -1; code <= 17; ++code) EXPECT_EQ(MapQRAResult(code), expected[code + 1]) << code;
}

TEST_F(NewerBlocks, FileWithoutTaggedTables) {
  NewerFile m = recgen::SampleNewerFile(1, true, false);
  m.taggedSection = true;  // only the end marker
  CQRAFile f;
  ASSERT_EQ(f.Open(Write(m)), vt::QRA_OK);
  EXPECT_EQ(f.GetTagNameListState(), vt::QRA_ABSENT);
  EXPECT_EQ(f.GetTagNoListState(), vt::QRA_ABSENT);
  EXPECT_EQ(f.GetBatchTextRowCount(), 8);
  QRABatchText row;
  EXPECT_EQ(f.GetBatchTextRow(0, &row), vt::QRA_ABSENT);
  std::string s;
  EXPECT_EQ(f.GetTagName(0, &s), vt::QRA_ABSENT);
  EXPECT_EQ(f.GetFirstTableString(&s), vt::QRA_ABSENT);
  uint32_t v;
  EXPECT_EQ(f.GetTaggedValue(0, &v), vt::QRA_ABSENT);
  EXPECT_EQ(f.GetModelName(), "QR4200");
  int r1, r2, r3;
  f.GetChannelRangeCounts(&r1, &r2, &r3);
  EXPECT_EQ(r1, 2);
  EXPECT_EQ(r2, 1);
  EXPECT_EQ(r3, 1);
  QRAChannelEntry c;
  EXPECT_EQ(f.GetChannelEntry(4, &c), vt::QRA_OUT_OF_RANGE);
}

TEST_F(NewerBlocks, ModelNames) {
  const std::pair<uint32_t, const char*> rows[] = {
      {0x00010021, "QR4100"}, {0x00200022, "QR4200"},  {0x00010031, "LT4100"}, {0x00010032, "LT4200"},
      {0x00010041, "QR436"},  {0x00000021, "Unknown"}, {0x00010099, "Unknown"}};
  for (const auto& [word, name] : rows) {
    NewerFile m = recgen::SampleNewerFile(1, false, false);
    m.modelWord = word;
    CQRAFile f;
    ASSERT_EQ(f.Open(Write(m)), vt::QRA_OK);
    EXPECT_EQ(f.GetModelName(), name) << std::hex << word;
  }
}

TEST_F(NewerBlocks, RecordReadsStopAtTheLastRecord) {
  const NewerFile m = recgen::SampleNewerFile(2, true, false);
  CQRAFile f;
  ASSERT_EQ(f.Open(Write(m)), vt::QRA_OK);
  int32_t value = 0, sec = 0, ms = 0;
  ASSERT_EQ(f.ReadValues(19, 1, 2, 8, 1, &value, &sec, &ms), vt::QRA_OK);  // maximum of channel 1
  EXPECT_EQ(value, m.records[19].values[1]);
  EXPECT_EQ(sec, m.records[19].time.seconds);
  EXPECT_EQ(ms, m.records[19].time.value);
  EXPECT_EQ(f.ReadValues(20, 0, 2, 8, 1, &value, nullptr, nullptr), vt::QRA_OUT_OF_RANGE);
  EXPECT_EQ(f.ReadValues(19, 0, 2, 8, 2, &value, nullptr, nullptr), vt::QRA_OUT_OF_RANGE);
  EXPECT_EQ(f.ReadValues(0, 0, 4, f.GetRecordSize() - 2, 1, &value, nullptr, nullptr),
            vt::QRA_OUT_OF_RANGE);  // a value reaching past the record
  uint8_t flags[2];
  EXPECT_EQ(f.ReadAlarmFlags(1, 19, 2, flags), vt::QRA_OUT_OF_RANGE);
}

TEST_F(NewerBlocks, InterfaceDerivedTimesAndScaling) {
  NewerFile m;
  m.serial = "X";
  recgen::NewerChannel lin;
  lin.number = 201;
  lin.decimals = 1;
  lin.rawLow = 0;
  lin.rawHigh = 100;
  lin.spanLow = 0;
  lin.spanHigh = 1000;
  m.channels = {lin};
  recgen::NewerGroup g;
  g.places[0] = 201;
  g.trips[0] = {1, 50};
  g.trips[1] = {0, 50};
  g.trips[2] = {1, 25};
  m.groups = {g};
  m.intervalValue = 1000;
  m.lastTime = recgen::NewerTime::At(1000000, 0);
  m.startDataNo = 1;
  recgen::FillNewerRecords(m, 100);
  m.triggerDataNo = 100;  // the last record
  m.taggedSection = true;
  recgen::NewerTagged values;
  values.kind = recgen::NewerTagged::TaggedValues;
  values.words = {0, 0, 0x41424344, 0, 0, 0, 0, 0};
  m.tagged = {values};

  CQRADVFileAccess a;
  EXPECT_EQ(a.GetDataInfo(nullptr), vt::QRADV_NOT_OPEN);
  ASSERT_EQ(a.Open(Write(m)), vt::QRADV_OK);
  vt::SQRAHeaderInfo h;
  ASSERT_EQ(a.GetHeaderInfo(&h), vt::QRADV_OK);
  EXPECT_EQ(h.startTime.seconds, 999901);
  EXPECT_EQ(h.startTime.milliseconds, 0);
  EXPECT_EQ(h.textFlags, 0x0A010001u);  // format 1, event data, model 33
  vt::SQRADataInfo d;
  ASSERT_EQ(a.GetDataInfo(&d), vt::QRADV_OK);
  EXPECT_EQ(d.triggerTime.seconds, 1000000);
  EXPECT_EQ(d.triggerOffset, 99);
  vt::SQRAChannelInfo c;
  ASSERT_EQ(a.GetChannelInfo(0, &c), vt::QRADV_OK);
  EXPECT_EQ(c.rangeClass, 2);
  EXPECT_EQ(c.name, "CH201");
  vt::SQRAGroupChannel p;
  ASSERT_EQ(a.GetGroupChannel(0, 0, &p), vt::QRADV_OK);
  EXPECT_EQ(p.tripValid[0], 1);
  EXPECT_DOUBLE_EQ(p.tripValue[0], 50.0);
  EXPECT_EQ(p.tripValid[1], 0);
  EXPECT_DOUBLE_EQ(p.tripValue[1], 0.0);
  EXPECT_EQ(p.tripValid[2], 1);
  EXPECT_DOUBLE_EQ(p.tripValue[2], 25.0);
  ASSERT_EQ(a.GetGroupChannel2(0, 0, &p), vt::QRADV_OK);  // trip lines 1 and 2 only
  EXPECT_EQ(p.tripValid[0], 1);
  EXPECT_DOUBLE_EQ(p.tripValue[0], 50.0);
  EXPECT_EQ(p.tripValid[2], 0);
  EXPECT_DOUBLE_EQ(p.tripValue[2], 0.0);
  ASSERT_EQ(a.GetGroupChannel(0, 1, &p), vt::QRADV_OK);
  EXPECT_EQ(p.channelIndex, -1);
  EXPECT_EQ(a.GetBatchComment(3, nullptr, nullptr, nullptr, nullptr), vt::QRADV_NOT_OPEN);
  uint32_t code = 0;
  ASSERT_EQ(a.GetTaggedCode(0, &code), vt::QRADV_OK);
  EXPECT_EQ(code, 0x00424344u);  // three characters
  EXPECT_EQ(a.GetTaggedCode(1, &code), vt::QRADV_ABSENT);
  int32_t values4[3], sec = 0, ms = 0;
  ASSERT_EQ(a.ReadChannelValues(0, 10, 0, 3, values4, &sec, &ms, false), vt::QRADV_OK);
  EXPECT_EQ(sec, 1000000 - 89);  // the derived time of record 10
  EXPECT_EQ(values4[2], m.records[12].values[0]);
}

// The string table and the four tagged values after the first two words, in both byte orders.
TEST_F(NewerBlocks, TaggedStringsAndCodes) {
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "big-endian" : "little-endian");
    CQRADVFileAccess a;
    ASSERT_EQ(a.Open(Write(recgen::SampleNewerFile(1, be))), vt::QRADV_OK);
    std::string first;
    ASSERT_EQ(a.GetFirstTableString(&first), vt::QRADV_OK);
    EXPECT_EQ(first, "First \xC2\xB0");
    const std::pair<int, uint32_t> codes[] = {{0, 0x414243}, {1, 0x454647}, {3, 0x5A}};
    for (const auto& [index, code] : codes) {
      uint32_t v = 0;
      ASSERT_EQ(a.GetTaggedCode(index, &v), vt::QRADV_OK) << index;
      EXPECT_EQ(v, code) << index;
    }
    uint32_t v = 0;
    EXPECT_EQ(a.GetTaggedCode(2, &v), vt::QRADV_ABSENT);  // a zero word
    EXPECT_EQ(a.GetTaggedCode(4, &v), vt::QRADV_ABSENT);
  }
}

TEST_F(NewerBlocks, MessageGroupMasks) {
  NewerFile m = recgen::SampleNewerFile(1, false, false);
  recgen::NewerGroup g;
  g.places[0] = 1;
  m.groups = {g, g, g, g};
  m.messages[0].groupMask = 0xF;  // every group of a four-group file
  m.messages[1].groupMask = 0xB;  // one group missing
  CQRADVFileAccess a;
  ASSERT_EQ(a.Open(Write(m)), vt::QRADV_OK);
  vt::SQRAMessage x;
  ASSERT_EQ(a.GetMessage(0, &x), vt::QRADV_OK);
  EXPECT_EQ(x.groupMask, -1);
  ASSERT_EQ(a.GetMessage(1, &x), vt::QRADV_OK);
  EXPECT_EQ(x.groupMask, 0xB);
  EXPECT_EQ(a.GetMessage(2, &x), vt::QRADV_OUT_OF_RANGE);

  // The raw entry: relative data number, mask -1 in both halves for every group, computed time.
  QRAMessageEntry raw;
  QRATime computed;
  ASSERT_EQ(a.GetMessageRaw(0, &raw, &computed), vt::QRADV_OK);
  EXPECT_EQ(raw.groupMask, ~uint64_t(0));
  EXPECT_EQ(raw.dataNo, 2);
  EXPECT_EQ(raw.word36, 36);
  EXPECT_EQ(int64_t(computed.seconds) * 1000 + computed.milliseconds, 1700000010250LL - 17 * 500);
  ASSERT_EQ(a.GetMessageRaw(1, &raw, nullptr), vt::QRADV_OK);
  EXPECT_EQ(raw.groupMask, 0xBu);
  EXPECT_EQ(a.GetMessageRaw(2, &raw, nullptr), vt::QRADV_OUT_OF_RANGE);

  // Without a batch text table the block's own eight texts; three comments.
  QRABatchText text;
  ASSERT_EQ(a.GetBatchTextRaw(3, &text), vt::QRADV_OK);
  EXPECT_EQ(text.title, "Shift");
  EXPECT_EQ(text.text, "Night");
  EXPECT_EQ(a.GetBatchTextRaw(8, &text), vt::QRADV_NOT_OPEN);
  QRABatchComment comment;
  ASSERT_EQ(a.GetBatchCommentRaw(0, &comment), vt::QRADV_OK);
  EXPECT_EQ(comment.user, "carol");
  EXPECT_EQ(comment.time.seconds, 1700000001);
  EXPECT_EQ(comment.time.milliseconds, 125);
  EXPECT_EQ(a.GetBatchCommentRaw(3, &comment), vt::QRADV_NOT_OPEN);
}

}  // namespace

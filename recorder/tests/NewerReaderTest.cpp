// The newer-format reading chain (block reader, reader interface, access class) against files
// made by the generator: the variant table with its result codes at every level, every getter
// against the model for both data kinds and byte orders, samples with states, times and alarm
// bits, a file whose clock was changed, and the appends and range checks of ReadRecords.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>

#include "platform/base/Text.h"
#include "recorder/RecorderDump.h"
#include "recorder/newer/CQRADVFileAccess.h"
#include "recorder/newer/CQRAFile.h"
#include "recorder/newer/CVTQRAdvFileAccess.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/NewerVariants.h"

namespace {

using recgen::NewerFile;

TickTime Ms(int64_t ms) { return TickTime::FromTime(int32_t(ms / 1000), int32_t(ms % 1000)); }

class NewerReader : public ::testing::Test {
 protected:
  void SetUp() override { vt::SetSystemLanguageOverride(vt::kLangEnglish); }
  void TearDown() override { vt::SetSystemLanguageOverride(0xFFFF); }

  std::unique_ptr<CVTQRAdvFileAccess> OpenModel(const NewerFile& m, int* result = nullptr) {
    const std::string path =
        dir_.Write("model" + std::to_string(files_++) + (m.dataKind == 2 ? ".DAD" : ".DAE"),
                   recgen::WriteNewerFile(m).bytes);
    auto reader = std::make_unique<CVTQRAdvFileAccess>();
    const int r = reader->Open(path);
    if (result) *result = r;
    EXPECT_EQ(r, 0);
    return reader;
  }

  vt_test::ScopedTimeZone utc_{"UTC"};
  vt_test::TempFolder dir_;
  int files_ = 0;
};

TEST_F(NewerReader, VariantTableThroughTheWholeChain) {
  for (const recgen::NewerVariant& v : recgen::NewerVariants()) {
    const std::string path = dir_.Write(v.name + ".DAE", v.bytes);
    CQRAFile block;
    EXPECT_EQ(block.Open(path), v.blockCode) << v.name;
    CQRADVFileAccess iface;
    EXPECT_EQ(iface.Open(path), v.interfaceCode) << v.name;
    EXPECT_EQ(iface.Open(path), v.interfaceCode) << v.name << " (second open)";
    CVTQRAdvFileAccess access;
    EXPECT_EQ(access.Open(path), v.openResult) << v.name;
  }
  CVTQRAdvFileAccess missing;
  EXPECT_EQ(missing.Open(dir_.path() + "/none.DAE"), 30);
  CQRADVFileAccess iface;
  EXPECT_EQ(iface.Open(dir_.path() + "/none.DAE"), vt::QRADV_OPEN_FAILED);
  EXPECT_EQ(iface.GetBatchTextCount(), vt::QRADV_NOT_OPEN);
}

// A pipe or a folder under a recorder file's name is refused at once; the import must not wait
// for a writer that never comes.
TEST_F(NewerReader, OnlyRegularFilesOpen) {
  const std::string pipe = dir_.path() + "/pipe.DAE";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string folder = dir_.path() + "/folder.DAE";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  for (const std::string& path : {pipe, folder}) {
    auto opened = std::async(std::launch::async, [&] {
      CQRAFile block;
      const int code = block.Open(path);
      CVTQRAdvFileAccess access;
      return std::make_pair(code, access.Open(path));
    });
    if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      // Release the blocked opens, so that the test fails instead of hanging.
      for (int i = 0; i < 2 && opened.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready;
           ++i) {
        const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
      }
      opened.wait();
      FAIL() << "the reader waited on " << path;
    }
    const auto [code, result] = opened.get();
    EXPECT_EQ(code, vt::QRA_OPEN_FAILED) << path;
    EXPECT_EQ(result, 30) << path;
  }
}

// An object opened a second time describes the second file only.
TEST_F(NewerReader, SecondOpenReadsTheSecondFile) {
  auto r = OpenModel(recgen::SampleNewerFile(1, false));
  const std::string second =
      dir_.Write("second.DAE", recgen::WriteNewerFile(recgen::TimeChangeNewerFile(false)).bytes);
  ASSERT_EQ(r->Open(second), 0);
  std::string s;
  r->GetSerialNo(&s);
  EXPECT_EQ(s, "CLOCK1");
  r->GetOpenedPath(&s);
  EXPECT_EQ(s, second);
  EXPECT_EQ(r->GetChannelCount(), 1);
  EXPECT_EQ(r->GetGroupCount(), 0);
  EXPECT_EQ(r->GetUsedGroupCount(), 0);
  EXPECT_EQ(r->GetMessageCount(), 1);
  EXPECT_EQ(r->GetBatchCommentCount(), 0);
  EXPECT_EQ(r->GetBatchTextCount(), 0);
  std::vector<int64_t> blocks;
  EXPECT_EQ(r->GetTimeBlockStarts(&blocks), 2);
  CVTData d;
  ASSERT_EQ(r->ReadRecords(0, 0, 5, &d, true), 0);
  EXPECT_EQ(d.GetCount(), 5);
  EXPECT_EQ(r->Open(dir_.path() + "/none.DAE"), 30);
}

TEST_F(NewerReader, HeaderTimesAndBatchOfTheSampleFile) {
  for (bool be : {false, true}) {
    SCOPED_TRACE(be ? "big-endian" : "little-endian");
    const NewerFile m = recgen::SampleNewerFile(1, be);
    auto r = OpenModel(m);
    std::string s;
    r->GetHeaderText(&s);
    EXPECT_EQ(s,
              "Line \xC2\xB0"
              "C");
    r->GetSerialNo(&s);
    EXPECT_EQ(s, "S5T812345");
    r->GetRecorderType(&s);
    EXPECT_EQ(s, "QR4200");
    r->GetInstrumentName(&s);
    EXPECT_EQ(s, "S5T812345_QR4200");
    r->GetHostName(&s);
    EXPECT_EQ(s, "");
    vt::Guid g;
    r->GetOriginalDataGuid(&g);
    EXPECT_EQ(g.ToText(), "12345678-9ABC-DEF0-0102-030405060708");
    EXPECT_EQ(r->GetDataKind(), 0);
    EXPECT_EQ(r->GetStartFactor(), 1);
    EXPECT_EQ(r->GetStopFactor(), 3);
    EXPECT_EQ(r->GetPowerFailure(), 1);
    EXPECT_EQ(r->GetDataInterval(), 500);
    EXPECT_EQ(r->GetTimeChangeCount(), 0);
    EXPECT_EQ(r->GetLoggingNo(), 7);
    TickTime t;
    r->GetStartTime(&t);
    EXPECT_EQ(t, Ms(1700000010250LL - 19 * 500));
    r->GetEndTime(&t);
    EXPECT_EQ(t, Ms(1700000010250LL));
    r->GetCorrectedStartTime(&t);
    EXPECT_EQ(t, Ms(1700000010250LL - 19 * 500));
    r->GetCorrectedEndTime(&t);
    EXPECT_EQ(t, Ms(1700000010250LL));
    EXPECT_EQ(r->GetTriggerTime(&t), 0);
    EXPECT_EQ(t, Ms(1700000010250LL - 15 * 500));
    EXPECT_EQ(r->GetTriggerTime(nullptr), 1);
    int64_t n;
    r->GetStartDataNo(&n);
    EXPECT_EQ(n, 5000);
    r->GetEndDataNo(&n);
    EXPECT_EQ(n, 5019);
    r->GetTriggerDataNo(&n);
    EXPECT_EQ(n, 5004);
    r->GetMemStartDataNo(&n);
    EXPECT_EQ(n, 4990);
    std::vector<int64_t> blocks;
    EXPECT_EQ(r->GetTimeBlockStarts(&blocks), 1);
    EXPECT_EQ(blocks, std::vector<int64_t>{0});

    r->GetStartUserName(&s);
    EXPECT_EQ(s, "alice");
    r->GetStopUserName(&s);
    EXPECT_EQ(s, "bob");
    int code;
    r->GetStartUserCode(&code);
    EXPECT_EQ(code, 17);
    r->GetStopUserCode(&code);
    EXPECT_EQ(code, 18);
    EXPECT_EQ(r->HasBatchInfo(), 1);
    EXPECT_EQ(r->HasLotNo(), 1);
    int lot, digits;
    r->GetBatchInfo(&s, &lot, &digits);
    EXPECT_EQ(s, "BATCH-7");
    EXPECT_EQ(lot, 42);
    EXPECT_EQ(digits, 5);

    EXPECT_EQ(r->GetBatchCommentSlots(), 3);
    EXPECT_EQ(r->GetBatchCommentCount(), 2);
    std::string user, text;
    ASSERT_EQ(r->GetBatchCommentAt(1, &t, &user, &text), 0);  // the comment numbered 2
    EXPECT_EQ(user, "dave");
    EXPECT_EQ(t, Ms(1700000002000LL));
    EXPECT_EQ(r->GetBatchCommentAt(2, &t, &user, &text), 1);
    ASSERT_EQ(r->GetBatchComment(0, &t, &user, &text), 0);
    EXPECT_EQ(text, "Started \xC2\xB0 warm");
    EXPECT_EQ(t, Ms(1700000001125LL));
    EXPECT_EQ(r->GetBatchComment(1, &t, &user, &text), 1);
    // The tagged table's ten rows replace the block's eight texts; an all-empty row is not held.
    EXPECT_EQ(r->GetBatchTextSlots(), 10);
    EXPECT_EQ(r->GetBatchTextCount(), 9);
    EXPECT_TRUE(r->HasBatchText(4));
    EXPECT_FALSE(r->HasBatchText(6));
    ASSERT_EQ(r->GetBatchText(9, &user, &text), 0);
    EXPECT_EQ(user, "Title 9");
    EXPECT_EQ(text, "Row text 9");
  }
  // Without a tagged section the batch block's own texts are used.
  auto plain = OpenModel(recgen::SampleNewerFile(2, false, false));
  EXPECT_EQ(plain->GetDataKind(), 1);
  EXPECT_EQ(plain->GetBatchTextSlots(), 8);
  EXPECT_EQ(plain->GetBatchTextCount(), 2);
  std::string title, text;
  ASSERT_EQ(plain->GetBatchTextAt(1, &title, &text), 0);
  EXPECT_EQ(title, "Shift");
  EXPECT_EQ(text, "Night");
}

TEST_F(NewerReader, ChannelsAndGroups) {
  auto r = OpenModel(recgen::SampleNewerFile(1, true));
  ASSERT_EQ(r->GetChannelCount(), 4);
  const int numbers[] = {1, 2, 101, 201};
  const int types[] = {3, 5, 3, 5};
  const int ranges[] = {1, 1, 2, 3};
  const char* tags[] = {"Boiler temp \xC2\xB0", "", "Inlet pressure", "Vac"};
  const char* tagNos[] = {"", "T-002", "", "V-201"};
  for (int i = 0; i < 4; ++i) {
    vt::SChannelInfo c;
    ASSERT_EQ(r->GetChannelInfo(i, &c), 0);
    EXPECT_EQ(c.channelNo, numbers[i]);
    EXPECT_EQ(r->GetChannelNo(i), numbers[i]);
    EXPECT_EQ(r->FindChannel(numbers[i]), i);
    EXPECT_EQ(c.dataType, types[i]);
    EXPECT_EQ(r->GetChannelDataType(i), types[i]);
    EXPECT_EQ(c.rangeClass, ranges[i]);
    EXPECT_EQ(c.tagName, tags[i]);
    EXPECT_EQ(c.tagNo, tagNos[i]);
  }
  vt::SChannelInfo c;
  ASSERT_EQ(r->GetChannelInfo(0, &c), 0);
  EXPECT_EQ(c.name, "CH001");
  EXPECT_EQ(c.unit,
            "\xC2\xB0"
            "C");
  EXPECT_DOUBLE_EQ(c.spanLow, -100.0);
  EXPECT_DOUBLE_EQ(c.spanHigh, 1000.0);
  EXPECT_EQ(c.scaleCode, 1);
  EXPECT_EQ(c.colour, int((0xFF000000u | 0x010203u) & 0xFFFFFF));
  ASSERT_EQ(r->GetChannelInfo(3, &c), 0);
  EXPECT_EQ(c.name, "CH201");
  EXPECT_EQ(c.logScale, 1);
  EXPECT_EQ(c.scaleCode, 3);
  EXPECT_DOUBLE_EQ(c.spanLow, 1.0);
  EXPECT_DOUBLE_EQ(c.spanHigh, 5.0);
  EXPECT_EQ(c.logExpLow, -3);
  EXPECT_EQ(c.logExpHigh, 2);
  EXPECT_EQ(r->GetChannelInfo(4, &c), 1);
  EXPECT_EQ(r->GetChannelInfo(0, nullptr), 1);
  EXPECT_EQ(r->GetChannelNo(4), -1);
  EXPECT_EQ(r->FindChannel(7), -1);

  ASSERT_EQ(r->GetGroupCount(), 3);
  EXPECT_EQ(r->GetUsedGroupCount(), 2);
  EXPECT_EQ(r->GetUsedGroupNo(0), 1);
  EXPECT_EQ(r->GetUsedGroupNo(1), 5);
  EXPECT_EQ(r->GetGroupNo(-1), -1);
  EXPECT_EQ(r->FindGroup(5), 2);
  EXPECT_EQ(r->FindChannelInGroup(1, 5), 1);
  EXPECT_EQ(r->FindChannelInGroup(201, 5), -1);
  std::string name;
  int count, number, inUse;
  ASSERT_EQ(r->GetGroupInfo(1, &name, &count, &number, &inUse), 0);
  EXPECT_EQ(name, "");  // not in use
  EXPECT_EQ(count, 0);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(inUse, 0);
  ASSERT_EQ(r->GetGroupInfo(2, &name, &count, &number, &inUse), 0);
  EXPECT_EQ(name, "Press");
  EXPECT_EQ(count, 2);
  EXPECT_EQ(r->GetGroupInfo(3, &name, &count, &number, &inUse), 1);

  vt::SGroupChannelInfo p;
  ASSERT_EQ(r->GetGroupChannel(0, 0, &p), 0);
  EXPECT_EQ(p.channelIndex, 0);
  EXPECT_EQ(p.tripValid[0], 1);
  EXPECT_DOUBLE_EQ(p.tripValue[0], 500.0);
  EXPECT_EQ(p.tripValid[1], 0);  // switched off
  EXPECT_EQ(p.tripValid[3], 0);  // above the raw range
  EXPECT_EQ(p.display, 1);
  ASSERT_EQ(r->GetGroupChannel(0, 2, &p), 0);
  EXPECT_EQ(p.channelIndex, 3);
  EXPECT_EQ(p.logScale, 1);
  EXPECT_DOUBLE_EQ(p.spanLow, 0.001);
  EXPECT_DOUBLE_EQ(p.spanHigh, 100.0);
  EXPECT_DOUBLE_EQ(p.tripValue[0], 100.0);
  EXPECT_EQ(p.display, 0);
  ASSERT_EQ(r->GetGroupChannel(0, 3, &p), 0);  // an empty place
  EXPECT_EQ(p.channelIndex, -1);
  EXPECT_EQ(r->GetGroupChannel(0, 16, &p), 1);  // only sixteen places
  EXPECT_EQ(r->GetGroupChannel(3, 0, &p), 1);
  EXPECT_EQ(r->GetGroupChannel(0, -1, &p), 1);
}

TEST_F(NewerReader, TripLineOnAnEmptyRawRangeIsItsLowerSpan) {
  NewerFile m = recgen::SampleNewerFile(1, false, false);
  m.channels[2].rawLow = m.channels[2].rawHigh = 250;
  m.channels[2].spanLow = 30;
  m.groups[2].trips[0] = {1, 250};
  auto r = OpenModel(m);
  vt::SGroupChannelInfo p;
  ASSERT_EQ(r->GetGroupChannel(2, 0, &p), 0);
  EXPECT_EQ(p.tripValid[0], 1);
  EXPECT_DOUBLE_EQ(p.tripValue[0], 30.0);
}

// A gap among a group's places: the group counts the places that are not empty, and the places
// up to that count are read in order, so the gap holds -1 and the last counted place is not
// reached (here it names no channel of the file anyway).
TEST_F(NewerReader, GroupPlacesWithAGap) {
  NewerFile m = recgen::SampleNewerFile(1, false, false);
  m.groups[0].places = {};
  m.groups[0].places.fill(-1);
  m.groups[0].places[0] = 1;
  m.groups[0].places[2] = 2;
  m.groups[0].places[3] = 7;  // no such channel: no place either
  auto r = OpenModel(m);
  std::string name;
  int count, number, inUse;
  ASSERT_EQ(r->GetGroupInfo(0, &name, &count, &number, &inUse), 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(r->FindChannelInGroup(1, 1), 0);
  EXPECT_EQ(r->FindChannelInGroup(-1, 1), 1);
  EXPECT_EQ(r->FindChannelInGroup(2, 1), 2);
  vt::SGroupChannelInfo p;
  ASSERT_EQ(r->GetGroupChannel(0, 3, &p), 0);
  EXPECT_EQ(p.channelIndex, -1);
}

TEST_F(NewerReader, MessagesAndAlarms) {
  auto r = OpenModel(recgen::SampleNewerFile(1, false));
  ASSERT_EQ(r->GetMessageCount(), 2);
  std::string user, text;
  int number, serial, second, word36, groups;
  int64_t rel;
  TickTime mt, it;
  ASSERT_EQ(r->GetMessage(0, &user, &number, &serial, &rel, &second, &text, &word36, &groups, &mt, &it), 0);
  EXPECT_EQ(user, "operator");
  EXPECT_EQ(text, "Valve \xC2\xB0 opened");
  EXPECT_EQ(number, 3);
  EXPECT_EQ(serial, 11);
  EXPECT_EQ(second, 0xA1);
  EXPECT_EQ(word36, 36);
  EXPECT_EQ(rel, 2);
  EXPECT_EQ(mt, Ms(1700000010250LL - 17 * 500));
  EXPECT_EQ(it, Ms(1700000100005LL));
  EXPECT_EQ(groups, 2);
  int g;
  ASSERT_EQ(r->GetMessageGroup(0, 1, &g), 0);
  EXPECT_EQ(g, 3);
  EXPECT_EQ(r->GetMessageGroup(0, 2, &g), 1);
  ASSERT_EQ(r->GetMessage(1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &groups, nullptr,
                          nullptr),
            0);
  EXPECT_EQ(groups, -1);  // every group of the file

  // Entries before the start and of a channel the file lacks are not in the table.
  ASSERT_EQ(r->GetAlarmCount(), 6);
  struct Row {
    int channelIndex;
    int64_t rel;
    int action, level, type;
  };
  const Row rows[] = {{0, 2, 2, 1, 1}, {2, 3, 1, 3, 3},    {-1, 5, 1, -1, -1},
                      {2, 6, 3, 3, 3}, {-1, 8, 2, -1, -1}, {2, 9, 2, 4, 8}};
  for (int i = 0; i < 6; ++i) {
    int ch, action, level, type, last;
    int64_t dn;
    TickTime t;
    ASSERT_EQ(r->GetAlarm(i, &ch, &dn, &t, &action, &level, &type, &last), 0);
    EXPECT_EQ(ch, rows[i].channelIndex) << i;
    EXPECT_EQ(dn, rows[i].rel) << i;
    EXPECT_EQ(action, rows[i].action) << i;
    EXPECT_EQ(level, rows[i].level) << i;
    EXPECT_EQ(type, rows[i].type) << i;
    EXPECT_EQ(last, int(0x100 + rows[i].rel + 10)) << i;
    EXPECT_EQ(t, TickTime::FromTime(int32_t(1700000000 + rows[i].rel), 0)) << i;
  }
  int ch, action, level, type, last;
  int64_t dn;
  TickTime t;
  EXPECT_EQ(r->GetAlarm(6, &ch, &dn, &t, &action, &level, &type, &last), 1);
  EXPECT_EQ(r->GetAlarm(0, nullptr, &dn, &t, &action, &level, &type, &last), 1);
}

// Samples of every channel against the model, for both kinds and byte orders; the alarm bits
// follow the level lists (entries before the start set the initial state, channel -1 alarms
// every level, an "off" at a record of a display file still marks it).
TEST_F(NewerReader, SamplesStatesAndAlarmBits) {
  const uint8_t eventFlags[3][12] = {{1, 1, 0, 0, 0, 15, 15, 15, 0, 0, 0, 0},
                                     {9, 9, 9, 9, 9, 15, 15, 15, 0, 0, 0, 0},
                                     {0, 0, 0, 4, 4, 15, 15, 15, 0, 0, 0, 0}};
  for (int kind : {1, 2}) {
    for (bool be : {false, true}) {
      SCOPED_TRACE(std::string(kind == 2 ? "display " : "event ") + (be ? "BE" : "LE"));
      const NewerFile m = recgen::SampleNewerFile(kind, be);
      auto r = OpenModel(m);
      const int per = m.ValuesPerChannel();
      for (int c = 0; c < 3; ++c) {
        CVTData d;
        ASSERT_EQ(r->ReadRecords(c, 0, 20, &d, true), 0);
        ASSERT_EQ(d.GetCount(), 20);
        for (int i = 0; i < 20; ++i) {
          const auto& rec = m.records[size_t(i)];
          const TickTime want = TickTime::FromTime(rec.time.seconds, rec.time.value);
          const int64_t v0 = rec.values[size_t(c * per)];
          uint8_t expectFlags = i < 12 ? eventFlags[c][i] : 0;
          if (kind == 2 && c == 0 && i == 2) expectFlags = 1;
          if (kind == 2 && c == 2 && i == 9) expectFlags = 8;
          TickTime t;
          int s1, s2;
          uint8_t f1, f2;
          if (kind == 1 && m.channels[size_t(c)].ValueSize() == 2) {
            int16_t v;
            ASSERT_EQ(d.GetEventShort(i, &v, &t, &s1, &f1), 0);
            EXPECT_EQ(v, int16_t(v0)) << c << "/" << i;
            EXPECT_EQ(f1, expectFlags) << c << "/" << i;
          } else if (kind == 1) {
            int32_t v;
            ASSERT_EQ(d.GetEventInt(i, &v, &t, &s1, &f1), 0);
            EXPECT_EQ(v, int32_t(v0)) << c << "/" << i;
            EXPECT_EQ(f1, expectFlags) << c << "/" << i;
          } else if (m.channels[size_t(c)].ValueSize() == 2) {
            int16_t mn, mx;
            ASSERT_EQ(d.GetDisplayShort(i, &mn, &mx, &t, &s1, &s2, &f1, &f2), 0);
            EXPECT_EQ(mn, int16_t(v0));
            EXPECT_EQ(mx, int16_t(rec.values[size_t(c * per + 1)]));
            EXPECT_EQ(f1, expectFlags) << c << "/" << i;
            EXPECT_EQ(f2, f1);
          } else {
            int32_t mn, mx;
            ASSERT_EQ(d.GetDisplayInt(i, &mn, &mx, &t, &s1, &s2, &f1, &f2), 0);
            EXPECT_EQ(mn, int32_t(v0));
            EXPECT_EQ(mx, int32_t(rec.values[size_t(c * per + 1)]));
            EXPECT_EQ(f1, expectFlags) << c << "/" << i;
          }
          EXPECT_EQ(t, want);
          int expectState = 0;
          if (c == 0 && i == 3) expectState = 6;
          if (c == 0 && i == 4) expectState = 12;
          if (c == 0 && i == 5) expectState = 14;
          if (c == 1 && i == 6) expectState = 7;
          EXPECT_EQ(s1, expectState) << c << "/" << i;
        }
      }
    }
  }
}

TEST_F(NewerReader, BothByteOrdersReadTheSame) {
  for (int kind : {1, 2}) {
    auto le = OpenModel(recgen::SampleNewerFile(kind, false));
    auto be = OpenModel(recgen::SampleNewerFile(kind, true));
    const std::string listing = DumpFileAccess(*le);
    EXPECT_EQ(listing, DumpFileAccess(*be));
    EXPECT_EQ(DumpRecordsCsv(*le), DumpRecordsCsv(*be));
    EXPECT_NE(listing.find("channels: 4"), std::string::npos);
  }
}

// A full group of sixteen places lists every place on its one line, however long it gets.
TEST_F(NewerReader, ListingOfAFullGroupIsWhole) {
  NewerFile m = recgen::SampleNewerFile(1, false, false);
  m.groups[0].places.fill(201);
  m.groups[0].trips = {{{1, 1000}, {1, 2000}, {1, 3000}, {1, 4000}}};
  auto r = OpenModel(m);
  const std::string listing = DumpFileAccess(*r);
  const std::size_t at = listing.find("  0: number 1,");
  ASSERT_NE(at, std::string::npos);
  const std::string line = listing.substr(at, listing.find('\n', at) - at);
  EXPECT_GT(line.size(), 1024u);
  std::size_t places = 0;
  for (std::size_t p = line.find("[ch 201"); p != std::string::npos; p = line.find("[ch 201", p + 1))
    ++places;
  EXPECT_EQ(places, 16u);
  EXPECT_EQ(line.back(), ']');
}

TEST_F(NewerReader, ReadRecordsRangesSpacingAndFullBuffers) {
  auto r = OpenModel(recgen::SampleNewerFile(1, false));
  CVTData d;
  ASSERT_EQ(r->ReadRecords(0, 5, 4, &d, false), 0);
  for (int i = 0; i < 4; ++i) {
    int16_t v;
    TickTime t;
    int s;
    uint8_t f;
    ASSERT_EQ(d.GetEventShort(i, &v, &t, &s, &f), 0);
    EXPECT_EQ(t, Ms(1700000010250LL - (14 - i) * 500)) << i;
  }
  CVTData past;
  EXPECT_EQ(r->ReadRecords(0, 18, 3, &past, true), 1);
  EXPECT_EQ(past.GetCount(), 0);
  // A buffer allocated by the caller appends; too small a buffer is a failure, not a cut.
  CVTData small;
  ASSERT_EQ(small.Allocate(0, 3, 2), 0);
  EXPECT_EQ(r->ReadRecords(0, 0, 3, &small, true), 1);
  EXPECT_EQ(small.GetCount(), 2);  // it keeps the records that fitted
  CVTData wrong;
  ASSERT_EQ(wrong.Allocate(0, 5, 10), 0);
  EXPECT_EQ(r->ReadRecords(0, 0, 3, &wrong, true), 1);
  EXPECT_EQ(wrong.GetCount(), 0);
  EXPECT_EQ(r->ReadRecords(0, 0, 3, nullptr, true), 1);
  EXPECT_EQ(r->ReadRecords(9, 0, 3, &d, true), 1);
  // An empty range into a buffer the caller made appends nothing and is no failure, also at
  // the end of the file.
  CVTData batch;
  ASSERT_EQ(batch.Allocate(0, 3, 4), 0);
  EXPECT_EQ(r->ReadRecords(0, 20, 0, &batch, true), 0);
  EXPECT_EQ(r->ReadRecords(0, 3, 0, &batch, false), 0);
  EXPECT_EQ(batch.GetCount(), 0);
}

TEST_F(NewerReader, ClockChangedDuringRecording) {
  for (bool be : {false, true}) {
    auto r = OpenModel(recgen::TimeChangeNewerFile(be));
    std::vector<int64_t> blocks;
    EXPECT_EQ(r->GetTimeBlockStarts(&blocks), 2);
    EXPECT_EQ(blocks, (std::vector<int64_t>{0, 3}));
    EXPECT_EQ(r->GetTimeChangeCount(), 1);
    const int32_t ten = 1700042400;
    TickTime t;
    r->GetCorrectedStartTime(&t);
    EXPECT_EQ(t, TickTime::FromTime(ten - 3600 + 3, 0));
    r->GetCorrectedEndTime(&t);
    EXPECT_EQ(t, TickTime::FromTime(ten + 2, 0));
    TickTime mt;
    ASSERT_EQ(r->GetMessage(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &mt,
                            nullptr),
              0);
    EXPECT_EQ(mt, TickTime::FromTime(ten - 3600 + 3, 0));  // the time of its record
  }
}

TEST_F(NewerReader, CalendarTimesUseTheComputerZone) {
  NewerFile m = recgen::TimeChangeNewerFile(false);
  m.timeChangeCount = 0;
  m.timeFormat = 0;
  auto cal = [](int y, int mo, int d, int h, int mi, int s, int fives, int dst) {
    recgen::NewerTime t;
    t.calendar = {uint8_t(y),  uint8_t(mo), uint8_t(d),     uint8_t(h),
                  uint8_t(mi), uint8_t(s),  uint8_t(fives), uint8_t(dst)};
    return t;
  };
  m.lastTime = cal(23, 11, 15, 10, 0, 4, 20, 0);
  m.messages[0].inputTime = cal(23, 11, 15, 12, 0, 0, 0, 1);
  for (size_t i = 0; i < m.records.size(); ++i) m.records[i].time = cal(23, 11, 15, 10, 0, int(i), 0, 0);
  auto r = OpenModel(m);  // the tests run with TZ=UTC
  TickTime t;
  r->GetEndTime(&t);
  EXPECT_EQ(t, TickTime::FromTime(1700042404, 100));
  TickTime it;
  ASSERT_EQ(
      r->GetMessage(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &it),
      0);
  EXPECT_EQ(it, TickTime::FromTime(1700049600 - 3600, 0));
  CVTData d;
  ASSERT_EQ(r->ReadRecords(0, 1, 1, &d, true), 0);
  int16_t v;
  int s;
  uint8_t f;
  ASSERT_EQ(d.GetEventShort(0, &v, &t, &s, &f), 0);
  EXPECT_EQ(t, TickTime::FromTime(1700042401, 0));
}

// In a zone with daylight saving, a cleared daylight byte adds nothing even in summer and a set
// one takes an hour off: the old runtime's rule, not the C library's.
TEST_F(NewerReader, CalendarTimesFollowTheOldRuntimeRule) {
  vt_test::ScopedTimeZone cet("CET-1CEST,M3.5.0,M10.5.0/3");  // the zone cache is kept per TZ value
  NewerFile m = recgen::TimeChangeNewerFile(false);
  m.timeChangeCount = 0;
  m.timeFormat = 0;
  recgen::NewerTime summer;
  summer.calendar = {23, 7, 1, 12, 0, 0, 0, 0};
  m.lastTime = summer;
  m.messages[0].inputTime = summer;
  m.messages[0].inputTime.calendar[7] = 1;
  auto r = OpenModel(m);
  TickTime t;
  r->GetEndTime(&t);
  EXPECT_EQ(t, TickTime::FromTime(1688212800 - 3600, 0));  // 2023-07-01 11:00 UTC
  ASSERT_EQ(
      r->GetMessage(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &t),
      0);
  EXPECT_EQ(t, TickTime::FromTime(1688212800 - 7200, 0));
}

// Seconds-form times and durations count whole seconds when their unit word is 1; calendar
// year bytes of 80 and above are 19xx, 38 to 79 mean 1970, and below 38 (negative ones too) 20xx.
TEST_F(NewerReader, TimeUnitsAndCalendarYears) {
  NewerFile m = recgen::TimeChangeNewerFile(false);
  m.timeChangeCount = 0;
  m.intervalUnit = 1;
  m.intervalValue = 2;
  m.lastTime = recgen::NewerTime::At(1700000000, 0);
  m.lastTime.unit = 1;
  m.lastTime.value = 3;
  m.messages[0].inputTime = recgen::NewerTime::At(100, 0);
  m.messages[0].inputTime.unit = 1;
  m.messages[0].inputTime.value = 4;
  {
    auto r = OpenModel(m);
    EXPECT_EQ(r->GetDataInterval(), 2000);
    TickTime t;
    r->GetEndTime(&t);
    EXPECT_EQ(t, TickTime::FromTime(1700000003, 0));
    r->GetStartTime(&t);
    EXPECT_EQ(t, TickTime::FromTime(1700000003 - 4 * 2, 0));
    ASSERT_EQ(
        r->GetMessage(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &t),
        0);
    EXPECT_EQ(t, TickTime::FromTime(104, 0));
  }

  struct Row {
    uint8_t year, month, day;
    int32_t seconds;  // UTC, the zone of the tests
  };
  const Row rows[] = {{99, 1, 1, 915148800},  {80, 1, 1, 315532800},  {79, 1, 2, 86400},
                      {38, 1, 2, 86400},      {37, 1, 1, 2114380800}, {0, 3, 1, 951868800},
                      {0xFF, 1, 1, 915148800}};
  NewerFile c = recgen::TimeChangeNewerFile(false);
  c.timeChangeCount = 0;
  c.timeFormat = 0;
  c.lastTime.calendar = {23, 11, 15, 10, 0, 4, 0, 0};
  const recgen::NewerMessage proto = c.messages[0];
  c.messages.clear();
  for (const Row& row : rows) {
    recgen::NewerMessage x = proto;
    x.inputTime.calendar = {row.year, row.month, row.day, 0, 0, 0, 0, 0};
    c.messages.push_back(x);
  }
  auto r = OpenModel(c);
  for (size_t i = 0; i < std::size(rows); ++i) {
    TickTime t;
    ASSERT_EQ(r->GetMessage(int(i), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, &t),
              0);
    EXPECT_EQ(t, TickTime::FromTime(rows[i].seconds, 0)) << int(rows[i].year);
  }
}

TEST_F(NewerReader, AllFlagsFromDataInformationWithoutAlarms) {
  NewerFile m = recgen::SampleNewerFile(1, false, false);
  m.alarms.clear();
  auto r = OpenModel(m);
  EXPECT_EQ(r->GetAlarmCount(), 0);
  std::vector<uint8_t> flags;
  int n;
  ASSERT_EQ(r->ReadAlarmFlags(1, 0, 20, &flags, &n), 0);
  EXPECT_EQ(n, 20);
  for (uint8_t f : flags) EXPECT_EQ(f, 9);
  ASSERT_EQ(r->ReadAlarmFlags(0, 0, 20, &flags, &n), 0);
  for (uint8_t f : flags) EXPECT_EQ(f, 0);
  EXPECT_EQ(r->ReadAlarmFlags(0, 19, 2, &flags, &n), 1);
}

}  // namespace

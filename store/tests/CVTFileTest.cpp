// Stored files: reads of a time window per block (skipping to the grid, cutting at the window),
// blocks of a file with a time change, reads by position, messages and alarms filtered by group,
// channel, window and block, header information, and what happens when the file behind a loaded
// batch goes away.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "StoredDataFixture.h"
#include "platform/base/FileSystem.h"
#include "store/CVTBatch.h"

namespace {

using store_test::kBaseMs;
using store_test::MsTime;
using store_test::RecordingFile;
using store_test::RecordingFileAt;
using store_test::RecordingGuid;

constexpr int64_t T = kBaseMs;

// Times (ms after T) and values of channel 1 in an event buffer.
std::vector<std::pair<int64_t, int>> Channel1(const CVTData& data) {
  std::vector<std::pair<int64_t, int>> out;
  for (int i = 0; i < data.GetCount(); ++i) {
    int16_t value = 0;
    TickTime time;
    int state = 0;
    uint8_t flags = 0;
    EXPECT_EQ(data.GetEventShort(i, &value, &time, &state, &flags), STORE_OK);
    out.push_back({time.DiffMilliseconds(MsTime(T)), value});
  }
  return out;
}

class CVTFileTest : public store_test::StoredDataTest {
 protected:
  CVTFile* LoadOne(const recgen::NewerFile& model) {
    Store(model, "ONE.DAE");
    if (batch_.Load(RecordingGuid(model.guidData1)) != STORE_OK) return nullptr;
    return batch_.GetFile(0);
  }
  CVTBatch batch_{&storage_};
};

TEST_F(CVTFileTest, ReadsTheRecordsOfAWindowInsideOneBlock) {
  // Ten records at T + 0 s .. 9 s; channel 1 holds the record number.
  CVTFile* file = LoadOne(RecordingFile(1, 1, 10, T, 1000));
  ASSERT_NE(file, nullptr);
  using R = std::vector<std::pair<int64_t, int>>;
  struct Case {
    const char* what;
    int64_t from, to;
    int block;
    int result;
    R records;
  } cases[] = {
      {"whole file", T - 1000, T + 20000, 0, STORE_OK, {}},
      {"inside, on the grid", T + 2000, T + 4000, 0, STORE_OK, {{2000, 2}, {3000, 3}, {4000, 4}}},
      {"between samples", T + 2001, T + 4999, 0, STORE_OK, {{3000, 3}, {4000, 4}}},
      {"one sample", T + 9000, T + 9000, -1, STORE_OK, {{9000, 9}}},
      {"between two samples only", T + 3100, T + 3900, 0, STORE_OK, {}},
      {"before", T - 5000, T - 1, 0, STORE_FAILED, {}},
      {"after", T + 9001, T + 20000, 0, STORE_FAILED, {}},
      {"later block of a file without time changes", T, T + 9000, 1, STORE_OK, {}},
      {"no such block", T, T + 9000, -2, STORE_FAILED, {}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (std::string(c.what) == "whole file")
      for (int i = 0; i < 10; ++i) c.records.push_back({i * 1000, i});
    CVTData data;
    EXPECT_EQ(file->ReadRecords(1, MsTime(c.from), MsTime(c.to), &data, c.block, false), c.result);
    EXPECT_EQ(Channel1(data), c.records);
  }
  CVTData data;
  EXPECT_EQ(file->ReadRecords(5, MsTime(T), MsTime(T + 1000), &data, 0, false), STORE_INVALID_CHANNEL);
  EXPECT_EQ(file->ReadRecords(1, MsTime(T), MsTime(T + 1000), nullptr, 0, false), STORE_FAILED);

  // The buffer is made for the block when the caller gives none, and is the caller's otherwise.
  CVTData made;
  ASSERT_EQ(file->ReadRecords(2, MsTime(T), MsTime(T + 1000), &made, 0, false), STORE_OK);
  EXPECT_EQ(made.GetCapacity(), 10);
  EXPECT_EQ(made.GetValueType(), VALUE_TYPE_INT);
  int32_t wide = 0;
  TickTime t;
  int state = 0;
  uint8_t flags = 0;
  ASSERT_EQ(made.GetEventInt(1, &wide, &t, &state, &flags), STORE_OK);
  EXPECT_EQ(wide, -(100 + 1) * 100000);  // the generator's pattern for the second channel
  EXPECT_EQ(file->ReadRecords(1, MsTime(T), MsTime(T + 1000), &made, 0, false), STORE_FAILED)
      << "a buffer of another value type takes no record";
  EXPECT_EQ(made.GetCount(), 2);
}

TEST_F(CVTFileTest, AFileWithATimeChangeHasABlockOnEachSide) {
  recgen::NewerFile model = RecordingFileAt(1, 1, {T, T + 1000, T + 2000, T - 3600000, T - 3599000}, 1000);
  recgen::NewerMessage before, after;
  before.dataNo = 2;
  before.text = "before";
  after.dataNo = 5;
  after.text = "after";
  model.messages = {before, after};
  recgen::NewerAlarm early, late;
  early.channel = 1;
  early.dataNo = 1;
  early.time = recgen::NewerTime::At(int32_t(T / 1000), 0);
  late = early;
  late.dataNo = 4;
  late.time = recgen::NewerTime::At(int32_t(T / 1000) - 3600, 0);
  model.alarms = {early, late};
  CVTFile* file = LoadOne(model);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->GetTimeChangeCount(), 1);
  ASSERT_EQ(file->GetTimeBlockCount(), 2);
  TickTime s, e;
  ASSERT_EQ(file->GetTimeBlock(0, &s, &e), STORE_OK);
  EXPECT_EQ(s, MsTime(T));
  EXPECT_EQ(e, MsTime(T + 2000));
  ASSERT_EQ(file->GetTimeBlock(1, &s, &e), STORE_OK);
  EXPECT_EQ(s, MsTime(T - 3600000));
  EXPECT_EQ(e, MsTime(T - 3599000));
  ASSERT_EQ(file->GetTimeBlock(-1, &s, &e), STORE_OK);  // the corrected span of the whole file
  EXPECT_EQ(s, MsTime(T - 3600000));
  EXPECT_EQ(e, MsTime(T + 2000));
  EXPECT_EQ(file->GetTimeBlock(2, &s, &e), STORE_FAILED);

  using R = std::vector<std::pair<int64_t, int>>;
  CVTData b0, b1, all;
  EXPECT_EQ(file->ReadRecords(1, MsTime(T - 7200000), MsTime(T + 7200000), &b0, 0, false), STORE_OK);
  EXPECT_EQ(Channel1(b0), (R{{0, 0}, {1000, 1}, {2000, 2}}));
  EXPECT_EQ(file->ReadRecords(1, MsTime(T - 7200000), MsTime(T + 7200000), &b1, 1, false), STORE_OK);
  EXPECT_EQ(Channel1(b1), (R{{-3600000, 3}, {-3599000, 4}}));
  EXPECT_EQ(file->ReadRecords(1, MsTime(T - 7200000), MsTime(T + 1000), &all, -1, false), STORE_OK);
  EXPECT_EQ(Channel1(all), (R{{0, 0}, {1000, 1}, {-3600000, 3}, {-3599000, 4}}));

  // Messages and alarms by block: a data number on a block start belongs to both blocks.
  auto messages = [&](int block) {
    CVTMessageList list;
    EXPECT_EQ(file->GetAllMessages(&list, block), STORE_OK);
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      std::string user, text;
      int number = 0, count = 0, groups[MESSAGE_GROUPS_MAX];
      TickTime mt, it;
      list.GetMessage(i, &user, &text, &number, &mt, &it, &count, groups);
      out.push_back(text);
    }
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(messages(0), V{"before"});
  EXPECT_EQ(messages(1), V{"after"});
  EXPECT_EQ(messages(-1), (V{"before", "after"}));
  CVTMessageList list;
  EXPECT_EQ(file->GetAllMessages(&list, 2), STORE_FAILED);
  auto alarms = [&](int block) {
    CVTAlarmList l;
    EXPECT_EQ(file->GetAllAlarms(0, &l, block), STORE_OK);
    return l.GetCount();
  };
  EXPECT_EQ(alarms(0), 2);  // the later alarm lies on position 3, where block 1 starts: in both
  EXPECT_EQ(alarms(1), 1);
  EXPECT_EQ(alarms(-1), 2);
}

TEST_F(CVTFileTest, ReadsByPositionOnlyWhatTheFileHas) {
  CVTFile* file = LoadOne(RecordingFile(1, 1, 10, T, 1000));
  ASSERT_NE(file, nullptr);
  struct {
    int64_t position, count;
    int result, records;
  } cases[] = {{0, 10, STORE_OK, 10},
               {0, 100, STORE_OK, 10},
               {8, 5, STORE_OK, 2},
               {9, 1, STORE_OK, 1},
               {10, 1, STORE_FAILED, 0},
               {-1, 1, STORE_FAILED, 0},
               {0, int64_t(1) << 31, STORE_RANGE_TOO_LARGE, 0}};
  for (auto c : cases) {
    SCOPED_TRACE(std::to_string(c.position) + "+" + std::to_string(c.count));
    CVTData data;
    EXPECT_EQ(file->ReadRecordsAt(1, c.position, c.count, &data), c.result);
    EXPECT_EQ(data.GetCount(), c.records);
    if (c.records > 0) {
      EXPECT_EQ(Channel1(data).front().second, int(c.position));
    }
  }
}

TEST_F(CVTFileTest, MessagesAndAlarmsByGroupChannelAndWindow) {
  recgen::NewerFile model = RecordingFile(1, 1, 10, T, 1000);
  recgen::NewerGroup g1, g2, g3;
  g1.number = 1;
  g2.number = 2;
  g3.number = 3;
  model.groups = {g1, g2, g3};
  auto message = [](int64_t dataNo, uint64_t mask, const char* text) {
    recgen::NewerMessage m;
    m.dataNo = dataNo;
    m.groupMask = mask;
    m.text = text;
    m.word36 = 36;
    return m;
  };
  model.messages = {message(2, 0x1, "one"), message(3, 0x6, "two and three"), message(8, 0x7, "all")};
  auto alarm = [](int16_t channel, int64_t dataNo) {
    recgen::NewerAlarm a;
    a.channel = channel;
    a.dataNo = dataNo;
    a.time = recgen::NewerTime::At(int32_t(T / 1000) + int32_t(dataNo) - 1, 0);
    a.lastWord = 7;
    return a;
  };
  model.alarms = {alarm(1, 1), alarm(2, 4), alarm(-1, 6)};
  CVTFile* file = LoadOne(model);
  ASSERT_NE(file, nullptr);

  auto texts = [&](int group, int64_t from, int64_t to) {
    CVTMessageList list;
    EXPECT_EQ(file->GetMessages(group, MsTime(from), MsTime(to), &list, 0), STORE_OK);
    std::string out;
    for (int i = 0; i < list.GetCount(); ++i) {
      std::string user, text;
      int number = 0, count = 0, groups[MESSAGE_GROUPS_MAX];
      TickTime mt, it;
      list.GetMessage(i, &user, &text, &number, &mt, &it, &count, groups);
      EXPECT_EQ(number, 36);
      out += text + "(" + std::to_string(count) + ");";
    }
    return out;
  };
  EXPECT_EQ(texts(0, T, T + 9000), "one(1);two and three(2);all(-1);");
  EXPECT_EQ(texts(3, T, T + 9000), "two and three(2);all(-1);");
  EXPECT_EQ(texts(1, T, T + 9000), "one(1);all(-1);");
  EXPECT_EQ(texts(0, T + 1500, T + 6500), "two and three(2);");
  EXPECT_EQ(file->GetMessageCount(), 3);

  auto channels = [&](int channel) {
    CVTAlarmList list;
    EXPECT_EQ(file->GetAllAlarms(channel, &list, 0), STORE_OK);
    std::vector<int> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      TickTime t;
      int ch = 0, action = 0, level = 0, type = 0, extra = 0;
      list.GetAlarm(i, &t, &ch, &action, &level, &type, &extra);
      EXPECT_EQ(extra, 7);
      out.push_back(ch);
    }
    return out;
  };
  EXPECT_EQ(channels(0), (std::vector<int>{1, 2, -1}));
  EXPECT_EQ(channels(-1), (std::vector<int>{-1}));
  EXPECT_EQ(channels(2), (std::vector<int>{2, -1}));
  EXPECT_EQ(file->GetAlarmCount(), 3);
  CVTAlarmList list;
  EXPECT_EQ(file->GetAlarms(0, MsTime(T + 20000), MsTime(T + 30000), &list, 0), STORE_FAILED);
  EXPECT_EQ(file->GetAlarms(0, MsTime(T), MsTime(T + 30000), nullptr, 0), STORE_FAILED);
}

TEST_F(CVTFileTest, OpensItsReaderWhenNeededAndReportsAFileThatWentAway) {
  const std::string first = Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  const std::string middle = Store(RecordingFile(1, 11, 10, T + 10000, 1000), "B.DAE");
  Store(RecordingFile(1, 21, 10, T + 20000, 1000), "C.DAE");
  const int before = CVTFile::OpenReaderCount();
  ASSERT_EQ(batch_.Load(RecordingGuid(1)), STORE_OK);
  // The load reads the first file's interval and the latest file's kind, and nothing else.
  EXPECT_TRUE(batch_.GetFile(0)->HasOpenReader());
  EXPECT_FALSE(batch_.GetFile(1)->HasOpenReader());
  EXPECT_TRUE(batch_.GetFile(2)->HasOpenReader());
  EXPECT_EQ(CVTFile::OpenReaderCount(), before + 2);
  batch_.CloseReaders();
  EXPECT_EQ(CVTFile::OpenReaderCount(), before);

  CVTData data;
  ASSERT_EQ(batch_.ReadRecords(1, MsTime(T + 12000), MsTime(T + 13000), &data, 0, false), STORE_OK);
  EXPECT_EQ(data.GetCount(), 2);
  EXPECT_TRUE(batch_.GetFile(1)->HasOpenReader());
  EXPECT_FALSE(batch_.GetFile(0)->HasOpenReader()) << "a file outside the window needs no reader";
  batch_.CloseReaders();

  vt::DeleteFile(folder_ + "/" + middle);
  CVTFile* file = batch_.GetFile(1);
  CVTData none;
  EXPECT_EQ(file->ReadRecords(1, MsTime(T + 12000), MsTime(T + 13000), &none, 0, false),
            STORE_UNSUPPORTED_FILE);
  EXPECT_EQ(none.GetCount(), 0);
  EXPECT_EQ(Status(), "ABNORMALFILES");
  EXPECT_EQ(file->GetMessageCount(), 0);
  EXPECT_EQ(file->GetChannelCount(), 0);
  EXPECT_EQ(file->BuildHeaderInfo(), STORE_UNSUPPORTED_FILE);
  // The batch goes on with the files it still has.
  CVTData rest;
  EXPECT_EQ(batch_.ReadRecords(1, MsTime(T), MsTime(T + 29000), &rest, 0, false), STORE_OK);
  EXPECT_EQ(rest.GetCount(), 20);

  CVTFile lone(&storage_);
  EXPECT_EQ(lone.Init(middle, 1, 1, 10, 0, RecordingGuid(1), MsTime(T), MsTime(T), MsTime(T)),
            STORE_FILE_MISSING);
  EXPECT_EQ(lone.Init(first, 1, 1, 10, 0, RecordingGuid(1), MsTime(T), MsTime(T + 9000), MsTime(T)),
            STORE_OK);
  EXPECT_FALSE(lone.HasOpenReader());
  EXPECT_EQ(lone.GetTriggerCount(), 1);
  lone.Unload();
  EXPECT_EQ(lone.GetTriggerCount(), 0);
  EXPECT_EQ(lone.ReadRecords(1, MsTime(T), MsTime(T + 9000), &rest, 0, false), STORE_FAILED);
}

TEST_F(CVTFileTest, DisplayDataKeepMinimumAndMaximum) {
  CVTFile* file = LoadOne(RecordingFile(1, 1, 4, T, 500, 2));
  ASSERT_NE(file, nullptr);
  int kind = -1;
  EXPECT_EQ(file->GetDataKind(&kind), STORE_OK);
  EXPECT_EQ(kind, DATA_KIND_DISPLAY);
  CVTData data;
  ASSERT_EQ(file->ReadRecords(1, MsTime(T + 400), MsTime(T + 2000), &data, 0, false), STORE_OK);
  ASSERT_EQ(data.GetCount(), 3);
  int16_t lo = 0, hi = 0;
  TickTime t;
  int s1 = 0, s2 = 0;
  uint8_t f1 = 0, f2 = 0;
  ASSERT_EQ(data.GetDisplayShort(0, &lo, &hi, &t, &s1, &s2, &f1, &f2), STORE_OK);
  EXPECT_EQ(t, MsTime(T + 500));
  EXPECT_EQ(lo, 1);
  EXPECT_EQ(hi, 51);  // the generator's maximum is the minimum plus 50
}

TEST_F(CVTFileTest, HeaderInformationComesFromTheReader) {
  recgen::NewerFile model = RecordingFile(1, 1, 10, T, 1000);
  model.batch.hasBatchInfo = 1;
  model.batch.batchNumber = "B7";
  model.batch.lotNumber = 3;
  model.batch.lotDigits = 4;
  model.batch.comments[2] = {recgen::NewerTime::At(int32_t(T / 1000), 0), "eve", "checked"};
  model.startFactor = 2;
  model.stopFactor = 5;
  CVTFile* file = LoadOne(model);
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(file->BuildHeaderInfo(), STORE_OK);
  const CVTDataHeaderInfo& h = file->GetHeaderInfo();
  EXPECT_EQ(h.batchName, "B7 0003");
  EXPECT_EQ(h.headerText, "Fixture");
  EXPECT_EQ(h.serialNumber, "S5T8TEST");
  EXPECT_EQ(h.startTime, MsTime(T));
  EXPECT_EQ(h.stopTime, MsTime(T + 9000));
  EXPECT_EQ(h.startFactor, 2);
  EXPECT_EQ(h.stopFactor, 5);
  EXPECT_EQ(h.dataCount, 10);
  EXPECT_EQ(h.GetBatchCommentUser(2), "eve");
  EXPECT_EQ(h.GetBatchCommentText(2), "checked");
}

}  // namespace

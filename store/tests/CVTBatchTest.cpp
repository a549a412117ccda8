// Batches of continuous data: loading from the index, time blocks across files, record reads
// with and without gap filling (per block and for the whole batch), messages and alarms from the
// index, header information, and the load failures with the storage status they leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "StoredDataFixture.h"
#include "platform/base/FileSystem.h"
#include "store/CVTBatch.h"
#include "store/FolderHelpers.h"

namespace {

using store_test::kBaseMs;
using store_test::MsTime;
using store_test::RecordingFile;
using store_test::RecordingFileAt;
using store_test::RecordingGuid;

constexpr int64_t T = kBaseMs;

// One expected record of channel 1: its time and its value, or no value for a gap record.
struct Expected {
  int64_t ms;
  std::optional<int64_t> value;
};

// The records of a generated file, as channel 1 of an event buffer must show them.
std::vector<Expected> RecordsOf(const recgen::NewerFile& m, size_t from = 0, size_t to = SIZE_MAX) {
  std::vector<Expected> out;
  for (size_t r = from; r < m.records.size() && r < to; ++r) {
    const recgen::NewerTime& t = m.records[r].time;
    out.push_back({int64_t(t.seconds) * 1000 + t.value, m.records[r].values[0]});
  }
  return out;
}

std::vector<Expected> Gap(std::initializer_list<int64_t> ms) {
  std::vector<Expected> out;
  for (int64_t m : ms) out.push_back({m, std::nullopt});
  return out;
}

std::vector<Expected> Join(std::initializer_list<std::vector<Expected>> parts) {
  std::vector<Expected> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Compares an event buffer of 16-bit values record by record.
void ExpectRecords(const CVTData& data, const std::vector<Expected>& expected) {
  ASSERT_EQ(data.GetCount(), int(expected.size()));
  for (int i = 0; i < data.GetCount(); ++i) {
    int16_t value = 0;
    TickTime time;
    int state = -1;
    uint8_t flags = 0;
    ASSERT_EQ(data.GetEventShort(i, &value, &time, &state, &flags), STORE_OK) << i;
    const Expected& e = expected[size_t(i)];
    EXPECT_EQ(time, MsTime(e.ms)) << "record " << i;
    if (e.value) {
      EXPECT_EQ(state, 0) << "record " << i;
      EXPECT_EQ(value, *e.value) << "record " << i;
    } else {
      EXPECT_EQ(state, RECORDER_STATE_NO_DATA) << "record " << i;
    }
  }
}

class CVTBatchTest : public store_test::StoredDataTest {
 protected:
  // Five files of one recording at 1 s: the first three make one block (the second follows the
  // first by one interval, the third follows the second by three), the fourth starts 1.5
  // intervals late and opens a block, the fifth continues it and then jumps ahead (a time
  // change), which opens a third block.
  void StoreFiveFiles() {
    files_ = {RecordingFile(1, 1, 10, T, 1000), RecordingFile(1, 11, 10, T + 10000, 1000),
              RecordingFile(1, 21, 5, T + 22000, 1000), RecordingFile(1, 26, 5, T + 27500, 1000),
              RecordingFileAt(1, 31, {T + 32500, T + 33500, T + 34500, T + 100000, T + 101000}, 1000)};
    for (size_t i = 0; i < files_.size(); ++i) Store(files_[i], "F" + std::to_string(i + 1) + ".DAE");
  }
  std::vector<Expected> Block0() const {
    return Join(
        {RecordsOf(files_[0]), RecordsOf(files_[1]), Gap({T + 20000, T + 21000}), RecordsOf(files_[2])});
  }
  std::vector<Expected> Block1() const { return Join({RecordsOf(files_[3]), RecordsOf(files_[4], 0, 3)}); }
  std::vector<Expected> Block2() const { return RecordsOf(files_[4], 3); }

  std::vector<recgen::NewerFile> files_;
};

TEST_F(CVTBatchTest, LoadsFilesBlocksAndCountsFromTheIndex) {
  StoreFiveFiles();
  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  EXPECT_EQ(batch.GetFileCount(), 5);
  EXPECT_EQ(batch.GetTimeBlockCount(), 3);
  EXPECT_EQ(batch.GetTimeChangeCount(), 2);  // the fourth file's new block and the fifth file's jump
  const int offsets[] = {0, 0, 0, 1, 1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(batch.GetFileBlockOffset(i), offsets[i]) << i;

  struct {
    int block;
    int64_t start, end;
  } blocks[] = {
      {0, T, T + 26000}, {1, T + 27500, T + 34500}, {2, T + 100000, T + 101000}, {-1, T, T + 101000}};
  for (auto b : blocks) {
    TickTime s, e;
    ASSERT_EQ(batch.GetTimeBlock(b.block, &s, &e), STORE_OK) << b.block;
    EXPECT_EQ(s, MsTime(b.start)) << b.block;
    EXPECT_EQ(e, MsTime(b.end)) << b.block;
  }
  TickTime s, e;
  EXPECT_EQ(batch.GetTimeBlock(3, &s, &e), STORE_FAILED);
  EXPECT_EQ(batch.GetTimeBlock(0, nullptr, &e), STORE_FAILED);

  int64_t count = 0;
  ASSERT_EQ(batch.GetRecordCount(1, &count, false), STORE_OK);
  EXPECT_EQ(count, 35);
  ASSERT_EQ(batch.GetRecordCount(1, &count, true), STORE_OK);
  EXPECT_EQ(count, 102);  // 101 s / 1 s + 1
  int interval = 0, kind = -1, type = 0;
  EXPECT_EQ(batch.GetDataInterval(1, &interval), STORE_OK);
  EXPECT_EQ(interval, 1000);
  EXPECT_EQ(batch.GetDataKind(&kind), STORE_OK);
  EXPECT_EQ(kind, DATA_KIND_EVENT);
  EXPECT_EQ(batch.GetChannelDataType(2, &type), STORE_OK);
  EXPECT_EQ(type, vt::CHANNEL_TYPE_INT);
  EXPECT_EQ(batch.GetChannelDataType(7, &type), STORE_INVALID_CHANNEL);
  EXPECT_EQ(batch.GetChannelCount(), 0);
  EXPECT_EQ(batch.GetChannelNo(1), 2);  // from the latest file
  EXPECT_TRUE(batch.HasChannel(1));
  EXPECT_FALSE(batch.HasChannel(3));

  TickTime triggers[8];
  int n = 0;
  EXPECT_EQ(batch.GetTriggerCount(), 5);
  ASSERT_EQ(batch.GetTriggerTimes(triggers, 3, &n), STORE_OK);
  EXPECT_EQ(n, 3);
  ASSERT_EQ(batch.GetTriggerTimes(triggers, 8, &n), STORE_OK);
  EXPECT_EQ(n, 5);
  EXPECT_EQ(triggers[1], MsTime(T + 10000));  // each file's trigger is its first record here
}

TEST_F(CVTBatchTest, ReadsEveryRecordOfABlockWithGapsFilledBetweenFilesOnly) {
  StoreFiveFiles();
  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  struct Case {
    const char* what;
    int block;
    int64_t from, to;
    bool fill;
    std::vector<Expected> expected;
  };
  const std::vector<Expected> b0 = Block0(), b1 = Block1(), b2 = Block2();
  const Case cases[] = {
      // A window wider than the data: nothing is made up before the first or after the last file.
      {"block 0, wide", 0, T - 5000, T + 200000, true, b0},
      {"block 0, no fill", 0, T - 5000, T + 200000, false,
       Join({RecordsOf(files_[0]), RecordsOf(files_[1]), RecordsOf(files_[2])})},
      // Starting between two samples starts at the next one; the end is cut at the window.
      {"block 0, inside", 0, T + 3500, T + 21000, true,
       Join({RecordsOf(files_[0], 4), RecordsOf(files_[1]), Gap({T + 20000, T + 21000})})},
      {"block 0, gap only", 0, T + 20000, T + 21500, true, Gap({T + 20000, T + 21000})},
      {"block 1", 1, T, T + 200000, true, b1},
      {"block 2", 2, T, T + 200000, true, b2},
      {"before the data", 0, T - 9000, T - 1000, true, {}},
      {"after the data", 2, T + 102000, T + 200000, true, {}},
      {"no such block", 3, T, T + 200000, true, {}},
      // The whole batch: every block of every file in order, gaps filled between files (the
      // 1.5-interval gap before the fourth file gets the one grid point that falls into it).
      {"whole batch", -1, T, T + 101000, true, Join({b0, Gap({T + 27000}), b1, b2})},
      {"whole batch, no fill", -1, T, T + 101000, false,
       Join({RecordsOf(files_[0]), RecordsOf(files_[1]), RecordsOf(files_[2]), RecordsOf(files_[3]),
             RecordsOf(files_[4])})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CVTData data;
    EXPECT_EQ(batch.ReadRecords(1, MsTime(c.from), MsTime(c.to), &data, c.block, c.fill), STORE_OK);
    ExpectRecords(data, c.expected);
  }
}

TEST_F(CVTBatchTest, RecordsOfAWindowOnTheGridLieOnItWhereTheDataHaveGaps) {
  // The upper layers read windows that start on the grid of the data and take record i to
  // belong to from + i intervals: true within a block, gaps between files included.
  StoreFiveFiles();
  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  for (int64_t from : {T, T + 7000, T + 19000, T + 20000}) {
    CVTData data;
    ASSERT_EQ(batch.ReadRecords(2, MsTime(from), MsTime(T + 26000), &data, 0, true), STORE_OK);
    EXPECT_EQ(data.GetCount(), int((T + 26000 - from) / 1000 + 1)) << from;
    for (int i = 0; i < data.GetCount(); ++i) {
      int32_t value = 0;
      TickTime time;
      int state = 0;
      uint8_t flags = 0;
      ASSERT_EQ(data.GetEventInt(i, &value, &time, &state, &flags), STORE_OK);
      EXPECT_EQ(time, MsTime(from + int64_t(i) * 1000)) << from << " record " << i;
    }
  }
}

TEST_F(CVTBatchTest, TwoFilesJoinOrSplitBlocksByTheGapBetweenThem) {
  struct Case {
    const char* what;
    int interval;
    int64_t secondStart;  // after T; the first file has 4 records from T
    int blocks, changes, gapRecords;
    int64_t countByInterval;
  } cases[] = {
      {"one interval", 1000, 4000, 1, 0, 0, 8},
      {"three intervals", 1000, 6000, 1, 0, 2, 10},
      // The grid point that falls into the gap before the second file is filled too.
      {"one and a half intervals", 1000, 4500, 2, 1, 1, 8},
      {"overlapping", 1000, 2000, 2, 1, 0, 6},
      // Without an interval there is no grid: each file is a block, counts are plain sums.
      {"no interval", 0, 4000, 2, 1, 0, 8},
  };
  uint32_t recording = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ++recording;
    recgen::NewerFile first = RecordingFile(recording, 1, 4, T, c.interval);
    recgen::NewerFile second = RecordingFile(recording, 5, 4, T + c.secondStart, c.interval);
    if (c.interval == 0) second = RecordingFileAt(recording, 5, {T + 4000, T + 4000, T + 4000, T + 4000}, 0);
    if (c.interval == 0) first = RecordingFileAt(recording, 1, {T, T, T, T}, 0);
    Store(first, "A" + std::to_string(recording) + ".DAE");
    Store(second, "B" + std::to_string(recording) + ".DAE");
    CVTBatch batch(&storage_);
    ASSERT_EQ(batch.Load(RecordingGuid(recording)), STORE_OK);
    EXPECT_EQ(batch.GetTimeBlockCount(), c.blocks);
    EXPECT_EQ(batch.GetTimeChangeCount(), c.changes);
    int64_t count = 0;
    batch.GetRecordCount(1, &count, true);
    EXPECT_EQ(count, c.countByInterval);

    CVTData filled, plain;
    EXPECT_EQ(batch.ReadRecords(1, MsTime(T), MsTime(T + 60000), &filled, -1, true), STORE_OK);
    EXPECT_EQ(batch.ReadRecords(1, MsTime(T), MsTime(T + 60000), &plain, -1, false), STORE_OK);
    EXPECT_EQ(plain.GetCount(), 8);
    EXPECT_EQ(filled.GetCount(), 8 + c.gapRecords);
  }
}

TEST_F(CVTBatchTest, RefusesWindowsTooWideOrReversedAndChannelsItLacks) {
  Store(RecordingFile(1, 1, 10, T, 1000), "A.DAE");
  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  CVTData data;
  // 2^31 grid points from T on: the capacity is computed in 64 bits and refused.
  const TickTime tooFar = MsTime(T).PlusMilliseconds(((int64_t(1) << 31) - 1) * 1000);
  EXPECT_EQ(batch.ReadRecords(1, MsTime(T), tooFar, &data, 0, true), STORE_RANGE_TOO_LARGE);
  EXPECT_EQ(batch.ReadRecords(1, MsTime(T), MsTime(T).PlusMilliseconds(int64_t(1) << 45), &data, 0, true),
            STORE_RANGE_TOO_LARGE);
  EXPECT_EQ(data.GetCapacity(), 0);
  EXPECT_EQ(batch.ReadRecords(1, MsTime(T + 5000), MsTime(T), &data, 0, true), STORE_FAILED);
  EXPECT_EQ(batch.ReadRecords(9, MsTime(T), MsTime(T + 5000), &data, 0, true), STORE_INVALID_CHANNEL);
  EXPECT_EQ(batch.ReadRecords(1, MsTime(T), MsTime(T + 5000), nullptr, 0, true), STORE_FAILED);
  EXPECT_EQ(batch.ReadRecordsAt(1, 0, int64_t(1) << 31, &data), STORE_RANGE_TOO_LARGE);

  // A full buffer ends the read with the records that fitted.
  CVTData small;
  ASSERT_EQ(small.Allocate(DATA_KIND_EVENT, VALUE_TYPE_SHORT, 3), STORE_OK);
  EXPECT_EQ(batch.ReadRecords(1, MsTime(T), MsTime(T + 9000), &small, 0, false), STORE_OK);
  EXPECT_EQ(small.GetCount(), 3);
}

TEST_F(CVTBatchTest, ReadsByPositionAcrossFiles) {
  files_ = {RecordingFile(1, 1, 10, T, 1000), RecordingFile(1, 11, 10, T + 20000, 1000),
            RecordingFile(1, 21, 10, T + 40000, 1000)};
  for (size_t i = 0; i < files_.size(); ++i) Store(files_[i], "P" + std::to_string(i) + ".DAE");
  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  const std::vector<Expected> all = Join({RecordsOf(files_[0]), RecordsOf(files_[1]), RecordsOf(files_[2])});
  struct {
    int64_t position, count;
  } cases[] = {{0, 30}, {0, 100}, {7, 6}, {10, 10}, {25, 5}, {25, 50}, {29, 1}, {30, 5}};
  for (auto c : cases) {
    SCOPED_TRACE(std::to_string(c.position) + "+" + std::to_string(c.count));
    CVTData data;
    EXPECT_EQ(batch.ReadRecordsAt(1, c.position, c.count, &data), STORE_OK);
    const size_t first = size_t(std::min<int64_t>(c.position, 30));
    const size_t last = size_t(std::min<int64_t>(c.position + c.count, 30));
    ExpectRecords(data, std::vector<Expected>(all.begin() + long(first), all.begin() + long(last)));
  }
}

TEST_F(CVTBatchTest, MessagesAndAlarmsComeFromTheIndex) {
  recgen::NewerFile a = RecordingFile(1, 1, 10, T, 1000);
  recgen::NewerFile b = RecordingFile(1, 11, 10, T + 10000, 1000);
  recgen::NewerGroup g1, g2, g3;  // three groups, so that two of them are not "all groups"
  g1.number = 1;
  g1.places[0] = 1;
  g2.number = 2;
  g2.places[0] = 2;
  g3.number = 3;
  g3.places[0] = 1;
  a.groups = b.groups = {g1, g2, g3};
  auto message = [](int64_t dataNo, uint64_t mask, const char* text) {
    recgen::NewerMessage m;
    m.dataNo = dataNo;
    m.groupMask = mask;
    m.text = text;
    m.user = "op";
    m.inputTime = recgen::NewerTime::At(int32_t(T / 1000) + 500, 0);
    return m;
  };
  a.messages = {message(2, 0x1, "first group"), message(4, 0x3, "both groups")};
  b.messages = {message(15, ~uint64_t(0), "every group")};
  auto alarm = [](int16_t channel, int64_t dataNo, int64_t ms) {
    recgen::NewerAlarm x;
    x.channel = channel;
    x.dataNo = dataNo;
    x.time = recgen::NewerTime::At(int32_t(ms / 1000), int(ms % 1000));
    return x;
  };
  a.alarms = {alarm(1, 3, T + 2000), alarm(-1, 5, T + 4000)};
  b.alarms = {alarm(2, 12, T + 11000)};
  Store(a, "A.DAE");
  Store(b, "B.DAE");
  ASSERT_EQ(QueryInt("SELECT COUNT(*) FROM message_write_group;"), 4);  // the import wrote the groups

  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  auto texts = [&](int group, int block, int64_t from = T - 100000, int64_t to = T + 100000) {
    CVTMessageList list;
    EXPECT_EQ(batch.GetMessages(group, MsTime(from), MsTime(to), &list, block), STORE_OK);
    std::vector<std::string> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      std::string user, text;
      int number = -1, count = 0, groups[MESSAGE_GROUPS_MAX];
      TickTime mt, it;
      list.GetMessage(i, &user, &text, &number, &mt, &it, &count, groups);
      EXPECT_EQ(number, 0);
      std::string g;
      for (int j = 0; j < count; ++j) g += std::to_string(groups[j]);
      out.push_back(text + "/" + std::to_string(count) + ":" + g);
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(texts(0, 0), (V{"both groups/2:12", "every group/-1:", "first group/1:1"}));
  EXPECT_EQ(texts(0, -1), texts(0, 0));
  EXPECT_EQ(texts(2, 0), (V{"both groups/2:12", "every group/-1:"}));
  EXPECT_EQ(texts(-1, 0), (V{"every group/-1:"}));
  EXPECT_EQ(texts(0, 1), V{});  // the index knows no blocks: only block 0 has messages
  EXPECT_EQ(texts(0, 0, T + 3000, T + 9000), (V{"both groups/2:12"}));

  auto alarms = [&](int channel) {
    CVTAlarmList list;
    EXPECT_EQ(batch.GetAllAlarms(channel, &list, 0), STORE_OK);
    std::vector<int> out;
    for (int i = 0; i < list.GetCount(); ++i) {
      TickTime t;
      int ch = 0, action = 0, level = 0, type = 0, extra = -1;
      list.GetAlarm(i, &t, &ch, &action, &level, &type, &extra);
      EXPECT_EQ(extra, 0);
      out.push_back(ch);
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  EXPECT_EQ(alarms(0), (std::vector<int>{-1, 1, 2}));
  EXPECT_EQ(alarms(-1), (std::vector<int>{-1}));
  EXPECT_EQ(alarms(2), (std::vector<int>{-1, 2}));
  CVTAlarmList list;
  EXPECT_EQ(batch.GetAlarms(0, MsTime(T + 3000), MsTime(T + 20000), &list, 0), STORE_OK);
  EXPECT_EQ(list.GetCount(), 2);

  struct {
    std::vector<int> channels;
    bool unassigned;
    int count;
  } sets[] = {{{1, 2}, false, 2}, {{2}, true, 2}, {{}, true, 1}, {{}, false, 0}, {{5}, false, 0}};
  for (auto& s : sets) {
    CVTAlarmList l;
    EXPECT_EQ(batch.GetAlarmsForChannels(s.channels, &l, 0, s.unassigned), STORE_OK);
    EXPECT_EQ(l.GetCount(), s.count);
  }
  EXPECT_EQ(batch.GetMessageCount(), 3);
  EXPECT_EQ(batch.GetAlarmCount(), 3);
}

TEST_F(CVTBatchTest, HeaderTakesTheStartFromTheFirstFileAndTheRestFromTheLatest) {
  recgen::NewerFile a = RecordingFile(1, 1, 10, T, 1000), b = RecordingFile(1, 11, 10, T + 15500, 1000);
  a.startFactor = 4;
  a.stopFactor = 3;
  b.startFactor = 3;
  b.stopFactor = 1;
  b.headerText = "Latest";
  b.batch.hasBatchInfo = 1;
  b.batch.batchNumber = "LOT";
  b.batch.lotNumber = 42;
  b.batch.lotDigits = 5;
  b.batch.texts[1] = {"Product", "Jam"};
  Store(a, "A.DAE");
  Store(b, "B.DAE");
  CVTBatch batch(&storage_);
  ASSERT_EQ(batch.Load(RecordingGuid(1)), STORE_OK);
  ASSERT_EQ(batch.BuildHeaderInfo(), STORE_OK);
  const CVTDataHeaderInfo& h = batch.GetHeaderInfo();
  EXPECT_EQ(h.startTime, MsTime(T));
  EXPECT_EQ(h.stopTime, MsTime(T + 24500));
  EXPECT_EQ(h.startFactor, 4);
  EXPECT_EQ(h.stopFactor, 1);
  EXPECT_EQ(h.headerText, "Latest");
  EXPECT_EQ(h.batchName, "LOT 00042");
  EXPECT_TRUE(h.hasBatchInfo);
  EXPECT_EQ(h.GetBatchTextBody(1), "Jam");
  EXPECT_EQ(h.dataInterval, 1000);
  EXPECT_EQ(h.timeChangeCount, 1);  // the gap of 6.5 intervals opens a block
  EXPECT_EQ(h.dataCount, 25);       // by interval, not the 20 records
}

TEST_F(CVTBatchTest, LoadFailuresAndTheStatusTheyLeave) {
  CVTBatch unknown(&storage_);
  EXPECT_EQ(unknown.Load(RecordingGuid(99)), STORE_FAILED);
  EXPECT_EQ(Status(), "OK");

  // A batch row without files.
  AddBatchWithoutFiles(RecordingGuid(7));
  CVTBatch empty(&storage_);
  EXPECT_EQ(empty.Load(RecordingGuid(7)), STORE_CORRUPTED);
  EXPECT_EQ(Status(), "OK");

  // The latest file no longer readable as a recorder file: its reader fails at the end of the load.
  Store(RecordingFile(2, 1, 5, T, 1000), "C.DAE");
  const std::string damaged = Store(RecordingFile(2, 6, 5, T + 5000, 1000), "D.DAE");
  vt::SetReadOnly(folder_ + "/" + damaged, false);
  vt_test::PatchBytes(folder_ + "/" + damaged, 0, "XXXX");
  CVTBatch unreadable(&storage_);
  EXPECT_EQ(unreadable.Load(RecordingGuid(2)), STORE_CORRUPTED);
  EXPECT_EQ(Status(), "ABNORMALFILES");

  // A stored file missing on disk.
  Sql("UPDATE database_info SET status = 'OK';");
  const std::string gone = Store(RecordingFile(3, 1, 5, T, 1000), "M.DAE");
  Store(RecordingFile(3, 6, 5, T + 5000, 1000), "N.DAE");
  vt::DeleteFile(folder_ + "/" + gone);
  CVTBatch missing(&storage_);
  EXPECT_EQ(missing.Load(RecordingGuid(3)), STORE_CORRUPTED);
  EXPECT_EQ(Status(), "CORRUPTED");
  EXPECT_FALSE(missing.IsLoaded());

  CVTBatch noStorage(nullptr);
  EXPECT_EQ(noStorage.Load(RecordingGuid(1)), STORE_FAILED);
  CVTData data;
  EXPECT_EQ(noStorage.ReadRecords(1, MsTime(T), MsTime(T), &data, 0, true), STORE_FAILED);
  EXPECT_EQ(noStorage.BuildHeaderInfo(), STORE_FAILED);
}

}  // namespace

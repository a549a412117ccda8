// A filled catalogue for tests (see CatalogueFixture.h).
#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/base/FileSystem.h"
#include "platform/base/Guid.h"
#include "platform/base/Paths.h"
#include "store/FolderHelpers.h"
#include "store/StoreClock.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/SizedFiles.h"

namespace catalogue_test {

namespace {

recgen::NewerTime At(int64_t plantSeconds) {
  return recgen::NewerTime::At(int32_t(kPlantBaseSeconds + plantSeconds), 0);
}

// The record times of a file, in plant seconds.
std::vector<int64_t> RecordTimes(const File& f) {
  std::vector<int64_t> times;
  for (int64_t t = f.start; t <= f.end; t += kPlantIntervalMs / 1000)
    if (f.gapTo == 0 || t <= f.gapFrom || t >= f.gapTo) times.push_back(t);
  return times;
}

// The data number of the first record at or after a time.
int64_t DataNoAt(const File& f, int64_t time) {
  const std::vector<int64_t> times = RecordTimes(f);
  int64_t n = f.startDataNo;
  for (int64_t t : times) {
    if (t >= time) return n;
    ++n;
  }
  ADD_FAILURE() << "no record at " << time << " in " << f.name;
  return n;
}

recgen::NewerFile Model(const Batch& b, const File& f, int64_t memStartDataNo) {
  recgen::NewerFile m;
  m.dataKind = b.dataKind + 1;
  m.modelWord = 0x00010000u | uint32_t(b.modelCode);
  m.serial = b.serialNo;
  m.headerText = f.header;
  vt::Guid guid;
  EXPECT_TRUE(vt::Guid::Parse(b.guid, guid)) << b.guid;
  m.guidData1 = guid.data1;
  m.guidData2 = guid.data2;
  m.guidData3 = guid.data3;
  for (size_t i = 0; i < 8; ++i) m.guidData4[i] = guid.data4[i];
  m.startFactor = uint16_t(f.startFactor);
  m.stopFactor = uint16_t(f.stopFactor);
  m.intervalValue = uint16_t(kPlantIntervalMs);

  // Tag names travel in the channel's own tag field, tag numbers in a list of the tagged section.
  recgen::NewerTagged tagNumbers;
  tagNumbers.kind = recgen::NewerTagged::ChannelList;
  tagNumbers.listKind = 2;
  for (const Channel& c : f.channels) {
    recgen::NewerChannel ch;
    ch.number = int16_t(c.number);
    ch.loggingNo = int16_t(b.loggingNo);
    ch.tag = c.tagName;
    ch.unit = c.unit;
    m.channels.push_back(ch);
    tagNumbers.entries.push_back({0, uint32_t(c.number), c.tagNo});
  }
  m.taggedSection = true;
  m.tagged = {tagNumbers};

  for (const Group& g : f.groups) {
    recgen::NewerGroup group;
    group.number = int16_t(g.number);
    group.name = g.name;
    for (size_t i = 0; i < g.channels.size(); ++i) group.places[i] = int16_t(g.channels[i]);
    m.groups.push_back(group);
  }
  for (const Message& msg : f.messages) {
    recgen::NewerMessage x;
    x.dataNo = DataNoAt(f, msg.time);
    x.inputTime = At(msg.time);
    x.user = msg.user;
    x.text = msg.text;
    x.groupMask = msg.writeGroups.empty() ? ~uint64_t(0) : 0;
    // Bit j is the (j+1)-th group of the file.
    for (int g : msg.writeGroups)
      for (size_t j = 0; j < f.groups.size(); ++j)
        if (f.groups[j].number == g) x.groupMask |= uint64_t(1) << j;
    m.messages.push_back(x);
  }
  for (const Alarm& a : f.alarms) {
    recgen::NewerAlarm x;
    x.channel = int16_t(a.channel);
    x.time = At(a.time);
    x.dataNo = DataNoAt(f, a.time);
    x.action = uint16_t(a.action);
    x.levelMask = uint16_t(a.level);
    x.type = int16_t(a.type);
    m.alarms.push_back(x);
  }
  EXPECT_LE(f.comments.size(), m.batch.comments.size());
  for (size_t i = 0; i < f.comments.size() && i < m.batch.comments.size(); ++i)
    m.batch.comments[i] = {At(f.comments[i].time), f.comments[i].user, f.comments[i].text};
  EXPECT_LE(b.texts.size(), m.batch.texts.size());
  for (size_t i = 0; i < b.texts.size() && i < m.batch.texts.size(); ++i)
    m.batch.texts[i] = {b.texts[i].first, b.texts[i].second};
  m.batch.startUser = f.startUser;
  m.batch.stopUser = f.stopUser;
  if (!b.batchNo.empty() || !b.lotNo.empty()) {
    m.batch.hasBatchInfo = 1;
    m.batch.batchNumber = b.batchNo;
    m.batch.lotDigits = uint16_t(b.lotNo.size());
    m.batch.lotNumber = b.lotNo.empty() ? 0 : uint32_t(std::stoul(b.lotNo));
  }

  const std::vector<int64_t> times = RecordTimes(f);
  recgen::FillNewerRecords(m, int(times.size()));
  for (size_t i = 0; i < times.size(); ++i) m.records[i].time = At(times[i]);
  m.firstTime = m.records.front().time;
  m.lastTime = m.records.back().time;
  m.timeChangeCount = f.gapTo != 0 ? 1 : 0;
  m.startDataNo = m.triggerDataNo = f.startDataNo;
  m.memStartDataNo = memStartDataNo;
  return m;
}

}  // namespace

int64_t Ticks(int64_t plantSeconds) {
  return TickTime::FromTime(int32_t(kPlantBaseSeconds + plantSeconds), 0).ticks;
}

int64_t PlantSeconds(int64_t ticks) { return ticks / 10000000 - Ticks(0) / 10000000; }

int File::RecordCount() const { return int(RecordTimes(*this).size()); }

std::string StoredPath(const Batch& batch, const File& file) {
  return "FILES/" + batch.serialNo + "/2024/1/" + file.name;
}

std::vector<std::string> WriteBatchFiles(const std::string& folder, const Batch& b) {
  std::vector<std::string> paths;
  for (const File& f : b.files) {
    std::vector<uint8_t> bytes;
    if (f.olderFormat) {
      recgen::SizedOptions options;
      options.channels = 2;
      options.records = f.RecordCount();
      options.intervalMs = kPlantIntervalMs;
      options.startSeconds = kPlantBaseSeconds + f.start;
      options.serial = b.serialNo;
      options.startDataNo = f.startDataNo;
      bytes = recgen::WriteOlder(recgen::SizedOlderModel(options)).bytes;
    } else {
      bytes = recgen::WriteNewerFile(Model(b, f, b.files[0].startDataNo)).bytes;
    }
    const std::string source = vt::JoinPath(folder, f.name);
    EXPECT_TRUE(vt_test::WriteFileBytes(source, std::string(bytes.begin(), bytes.end()))) << source;
    paths.push_back(source);
  }
  return paths;
}

void ImportBatch(CVTDataStorage& storage, const std::string& sourceFolder, const Batch& b) {
  ASSERT_FALSE(b.files.empty());
  const std::vector<std::string> sources = WriteBatchFiles(sourceFolder, b);
  for (size_t k = 0; k < sources.size(); ++k) {
    std::string stored;
    ASSERT_EQ(storage.ImportFile(sources[k], &stored), STORE_OK) << b.files[k].name;
    EXPECT_EQ(stored, StoredPath(b, b.files[k]));
    vt::DeleteFile(sources[k]);
  }
}

std::vector<Batch> PlantBatches() {
  const std::vector<Channel> boilerChannels = {
      {1, "T-101", "Inlet", "degC"}, {2, "T-102", "Outlet", "degC"}, {3, "P-201", "Pressure", "bar"}};
  const std::vector<Group> boilerGroups = {{1, "Temps", {1, 2}}, {2, "Press", {3}}, {3, "Empty", {}}};

  Batch a;  // event data of two files; the second is the latest
  a.guid = "A0000000-0000-0000-0000-00000000000A";
  a.serialNo = "QR1001";
  a.modelCode = 33;
  a.dataKind = 0;
  a.batchNo = "BATCH-A";
  a.lotNo = "007";
  a.loggingNo = 1;
  a.texts = {{"Recipe", "Steam 50% load"}, {"Operator", "Shift C:\\DATA\\night"}};
  File a1;
  a1.name = "A1.DAE";
  a1.start = 1000, a1.end = 2000, a1.startDataNo = 1;  // 101 records: 1 .. 101
  a1.header = "first";
  a1.startUser = "ann", a1.stopUser = "bob";
  a1.channels = boilerChannels;
  a1.groups = boilerGroups;
  a1.messages = {{1500, "ann", "valve 50% open", {}}};
  a1.alarms = {{1200, 1, 1, 1, 1}};
  a1.comments = {{1100, "ann", "first comment"}};
  File a2 = a1;
  a2.name = "A2.DAE";
  // The recorder's clock was set forward once: 41 records to 2500, 41 from 2600 (102 .. 183).
  a2.start = 2100, a2.end = 3000, a2.gapFrom = 2500, a2.gapTo = 2600, a2.startDataNo = 102;
  a2.stopFactor = 7;
  a2.header = "second";
  a2.startUser = "cat", a2.stopUser = "dan";
  a2.messages = {{2500, "dan", "valve 500 open", {1, 2}}, {2600, "dan", "saved to C:\\DATA\\run1", {2}}};
  a2.alarms = {{2200, 3, 2, 2, 7}, {2300, -1, 1, 1, 2}};
  a2.comments = {{2150, "dan", "second comment"}, {2160, "dan", "batch O'Hara checked"}};
  a.files = {a1, a2};

  Batch b;  // display data of a serial number and a file name with apostrophes
  b.guid = "B0000000-0000-0000-0000-00000000000B";
  b.serialNo = "LT'7";
  b.modelCode = 49;
  b.dataKind = 1;
  b.batchNo = "B";
  b.loggingNo = 2;
  File b1;
  b1.name = "O'Brien.DAE";
  b1.start = 5000, b1.end = 6000, b1.startDataNo = 1;
  b1.startFactor = 1, b1.stopFactor = 3;  // stopped by a black-out: a power failure
  b1.channels = {{1, "F_1", "Flow_1", "l/h"}, {2, "F%2", "C:DATA", "l/h"}};
  b1.groups = {{1, "Flow", {1, 2}}};
  b1.messages = {{5500, "eve", "C:DATA", {}}};
  b1.alarms = {{5100, 2, 1, 1, 8}};
  b.files = {b1};

  Batch c;  // one short file early in time
  c.guid = "C0000000-0000-0000-0000-00000000000C";
  c.serialNo = "PW-3";
  c.modelCode = 65;
  c.dataKind = 0;
  c.loggingNo = 3;
  File c1;
  c1.name = "P1.DAD";
  c1.start = 100, c1.end = 900, c1.startDataNo = 1;
  c1.channels = {{1, "X1", "Speed", "rpm"}};
  c1.groups = {{1, "Main", {1}}};
  c1.alarms = {{500, 1, 1, 1, 5}};
  c.files = {c1};
  return {a, b, c};
}

std::vector<Batch> PlantDeleted() {
  auto one = [](const char* guid, const char* serial, int model, const char* name, int64_t start) {
    Batch b;
    b.guid = guid;
    b.serialNo = serial;
    b.modelCode = model;
    File f;
    f.name = name;
    f.start = start, f.end = start + 100;
    f.channels = {{1, "D1", "Spare", "V"}};
    b.files = {f};
    return b;
  };
  // An instrument whose every file lies in the deleted data (an older-format file), and old
  // files of two others.
  Batch older = one("D0000000-0000-0000-0000-000000000001", "NB-9", 34, "N1.DEV", 7000);
  older.files[0].olderFormat = true;
  return {older, one("D0000000-0000-0000-0000-000000000002", "PW-3", 65, "P0.DAD", 7100),
          one("D0000000-0000-0000-0000-000000000003", "LT'7", 49, "Old.DAE", 7200)};
}

void PlantTest::SetUp() {
  TempRootTest::SetUp();
  folder_ = Path("6C1E2D3F-0000-4000-8000-00000000CA7A");
  ASSERT_EQ(storage_.Create(folder_, "Plant"), STORE_OK);
  ASSERT_EQ(storage_.Open(), STORE_OK);
  const std::string sources = Path("sources");
  ASSERT_TRUE(CreateFolderTree(sources));
  for (const Batch& b : PlantBatches()) ASSERT_NO_FATAL_FAILURE(ImportBatch(storage_, sources, b));
  const std::vector<Batch> deleted = PlantDeleted();
  for (const Batch& b : deleted) ASSERT_NO_FATAL_FAILURE(ImportBatch(storage_, sources, b));
  deletedAfter_ = CurrentTickTime().ticks;
  for (const Batch& b : deleted) ASSERT_EQ(storage_.MoveFileToTrash(StoredPath(b, b.files[0])), STORE_OK);
  deletedBefore_ = CurrentTickTime().ticks;
  graphs_.SetDataStorage(&storage_);
  ASSERT_EQ(graphs_.Open(), 0);
  ASSERT_TRUE(conditions_.OpenInFolder(folder_));
  sources_ = {&storage_, &graphs_, &conditions_};
}

void PlantTest::TearDown() {
  graphs_.Close();
  conditions_.Close();
  storage_.Close();
  TempRootTest::TearDown();
}

std::unique_ptr<CRDBConnection> PlantTest::IndexConnection() {
  auto db = NewRDBConnection(kDbmsSQLite);
  EXPECT_EQ(db->Open(storage_.GetIndexPath()), RDB_OK);
  return db;
}

int64_t PlantTest::IndexInt(const std::string& sql, const std::string& text) {
  auto db = IndexConnection();
  auto st = db->CreateStatement();
  int64_t value = 0;
  EXPECT_EQ(st->Prepare(sql), RDB_OK) << sql;
  st->BindText(0, text);
  st->Execute();
  EXPECT_EQ(st->Fetch(), RDB_ROW) << sql << " " << text;
  st->GetInt64(0, value);
  return value;
}

}  // namespace catalogue_test

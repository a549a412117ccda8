// Fixtures of the stored-data tests (see StoredDataFixture.h). The indexing follows what the
// import writes for a file that starts a recording's batch or continues it.
#include "StoredDataFixture.h"

#include <memory>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "recorder/FileAccessFactory.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"

namespace store_test {

namespace {

recgen::NewerTime At(int64_t ms) { return recgen::NewerTime::At(int32_t(ms / 1000), int(ms % 1000)); }

recgen::NewerFile BaseModel(uint32_t recording, int64_t startDataNo, int intervalMs, int dataKind) {
  recgen::NewerFile m;
  m.dataKind = dataKind;
  m.serial = "S5T8TEST";
  m.headerText = "Fixture";
  m.guidData1 = recording;
  m.intervalValue = uint16_t(intervalMs);
  recgen::NewerChannel narrow;
  narrow.number = 1;
  narrow.flags = 0x2;
  narrow.tag = "TEMP";
  recgen::NewerChannel wide;
  wide.number = 2;
  wide.flags = 0x4;
  wide.tag = "FLOW";
  m.channels = {narrow, wide};
  m.startDataNo = m.memStartDataNo = m.triggerDataNo = startDataNo;
  return m;
}

// Binds values in order and runs one statement; ids come back through the connection.
class Statement {
 public:
  Statement(CVTDataStorage& storage, const std::string& sql)
      : statement_(storage.GetConnection()->CreateStatement()) {
    EXPECT_EQ(statement_->Prepare(sql), RDB_OK) << sql;
  }
  Statement& Int(int64_t v) {
    EXPECT_EQ(statement_->BindInt64(next_++, v), RDB_OK);
    return *this;
  }
  Statement& Text(const std::string& v) {
    EXPECT_EQ(statement_->BindText(next_++, v), RDB_OK);
    return *this;
  }
  void Run() { EXPECT_EQ(statement_->Execute(), RDB_OK); }
  // The first column of the first row, or -1 without a row.
  int64_t Value() {
    int64_t v = -1;
    if (statement_->Execute() == RDB_OK && statement_->Fetch() == RDB_ROW) statement_->GetInt64(0, v);
    return v;
  }

 private:
  std::unique_ptr<CRDBStatement> statement_;
  int next_ = 0;
};

}  // namespace

TickTime MsTime(int64_t ms) { return TickTime::FromTime(int32_t(ms / 1000), int32_t(ms % 1000)); }

vt::Guid RecordingGuid(uint32_t recording) {
  vt::Guid g;
  g.data1 = recording;
  g.data2 = 0x9ABC;
  g.data3 = 0xDEF0;
  g.data4 = {1, 2, 3, 4, 5, 6, 7, 8};
  return g;
}

recgen::NewerFile RecordingFile(uint32_t recording, int64_t startDataNo, int records, int64_t firstMs,
                                int intervalMs, int dataKind) {
  recgen::NewerFile m = BaseModel(recording, startDataNo, intervalMs, dataKind);
  m.lastTime = At(firstMs + int64_t(records - 1) * intervalMs);
  recgen::FillNewerRecords(m, records);
  return m;
}

recgen::NewerFile RecordingFileAt(uint32_t recording, int64_t startDataNo,
                                  const std::vector<int64_t>& timesMs, int intervalMs, int dataKind) {
  recgen::NewerFile m = BaseModel(recording, startDataNo, intervalMs, dataKind);
  m.lastTime = At(timesMs.back());
  recgen::FillNewerRecords(m, int(timesMs.size()));
  for (size_t i = 0; i < timesMs.size(); ++i) {
    m.records[i].time = At(timesMs[i]);
    if (i > 0 && timesMs[i] != timesMs[i - 1] + intervalMs) m.timeChangeCount = 1;
  }
  m.firstTime = m.records.front().time;
  return m;
}

void StoredDataTest::SetUp() {
  TempRootTest::SetUp();
  folder_ = Path("5D4C3B2A-1F0E-4D9C-8B7A-6F5E4D3C2B1A");
  ASSERT_EQ(storage_.Create(folder_, "Batches"), STORE_OK);
  ASSERT_EQ(storage_.OpenAt(folder_), STORE_OK);
}

void StoredDataTest::TearDown() {
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(nullptr);
  storage_.Close();
  TempRootTest::TearDown();
}

void StoredDataTest::Sql(const std::string& sql) {
  ASSERT_EQ(storage_.GetConnection()->Execute(sql), RDB_OK) << sql;
}

int64_t StoredDataTest::QueryInt(const std::string& sql) { return Statement(storage_, sql).Value(); }

std::string StoredDataTest::Status() {
  std::string status;
  storage_.GetStatus(status);
  return status;
}

std::string StoredDataTest::Store(const recgen::NewerFile& model, const std::string& name) {
  const std::vector<uint8_t> bytes = recgen::WriteNewerFile(model).bytes;
  std::string staged = vt::JoinPath(root_, name);
  EXPECT_TRUE(vt_test::WriteFileBytes(staged, std::string(bytes.begin(), bytes.end())));
  CVTDataFileAccess* opened = nullptr;
  EXPECT_EQ(CreateFileAccess(staged, &opened), FILE_ACCESS_OK) << name;
  std::unique_ptr<CVTDataFileAccess> reader(opened);
  if (!reader) return {};

  std::string serial, header;
  reader->GetSerialNo(&serial);
  reader->GetHeaderText(&header);
  TickTime start, end, trigger;
  reader->GetStartTime(&start);
  reader->GetEndTime(&end);
  reader->GetTriggerTime(&trigger);
  std::string relative;
  storage_.NewFilePath("FILES", serial, name, relative, end);
  const std::string destination = vt::JoinPath(folder_, relative);
  std::string parent = destination.substr(0, destination.rfind('/'));
  EXPECT_TRUE(CreateFolderTree(parent));
  EXPECT_TRUE(vt::CopyFile(staged, destination, true));
  vt::DeleteFile(staged);

  const int changes = reader->GetTimeChangeCount();
  if (changes > 0) {
    reader->GetCorrectedStartTime(&start);
    reader->GetCorrectedEndTime(&end);
  }
  int64_t startNo = 0, endNo = 0, memNo = 0, triggerNo = 0;
  reader->GetStartDataNo(&startNo);
  reader->GetEndDataNo(&endNo);
  reader->GetMemStartDataNo(&memNo);
  reader->GetTriggerDataNo(&triggerNo);
  vt::Guid recording;
  reader->GetOriginalDataGuid(&recording);
  std::string guid;
  GuidToString(recording, guid);

  Statement(storage_, "INSERT INTO file VALUES(?,0,NULL,?,?,?,?,?,?,?,?,?,?,?,?,?,?);")
      .Text(serial)
      .Text(name)
      .Text(relative)
      .Text(header)
      .Int(reader->GetPowerFailure())
      .Int(reader->GetStartFactor())
      .Int(reader->GetStopFactor())
      .Int(start.ticks)
      .Int(end.ticks)
      .Int(trigger.ticks)
      .Int(startNo)
      .Int(endNo)
      .Int(memNo)
      .Int(triggerNo)
      .Int(changes)
      .Run();
  const int64_t fileId = storage_.GetConnection()->GetLastInsertRowId();

  int64_t batchId =
      Statement(storage_, "SELECT cont_data_id FROM continuous_data_info WHERE cont_data_guid = ?;")
          .Text(guid)
          .Value();
  if (batchId < 0) {
    Statement(storage_, "INSERT INTO continuous_data_info VALUES(NULL,?,?,?,?,'','',?,?,?,'','',0,?,?);")
        .Text(guid)
        .Text(serial)
        .Int(start.ticks)
        .Int(end.ticks)
        .Int(reader->GetDataKind())
        .Int(reader->GetPowerFailure())
        .Int(changes)
        .Int(fileId)
        .Text(guid)
        .Run();
    batchId = storage_.GetConnection()->GetLastInsertRowId();
  } else {
    Statement(storage_,
              "UPDATE continuous_data_info SET start_time = MIN(start_time, ?), stop_time = "
              "MAX(stop_time, ?), chng_time_cnt = chng_time_cnt + ? WHERE cont_data_id = ?;")
        .Int(start.ticks)
        .Int(end.ticks)
        .Int(changes)
        .Int(batchId)
        .Run();
    Statement(storage_,
              "UPDATE continuous_data_info SET latest_file_id = ? WHERE cont_data_id = ? AND ? > "
              "(SELECT MAX(end_data_no) FROM file WHERE cont_data_id = ?);")
        .Int(fileId)
        .Int(batchId)
        .Int(endNo)
        .Int(batchId)
        .Run();
  }
  Statement(storage_, "UPDATE file SET cont_data_id = ? WHERE file_id = ?;").Int(batchId).Int(fileId).Run();
  Statement(storage_, "INSERT OR IGNORE INTO instrument VALUES(?,'','','');").Text(serial).Run();

  for (int i = 0; i < reader->GetMessageCount(); ++i) {
    std::string user, text;
    int number = 0, messageSerial = 0, second = 0, word36 = 0, groupCount = 0;
    int64_t relative = 0;
    TickTime messageTime, inputTime;
    EXPECT_EQ(reader->GetMessage(i, &user, &number, &messageSerial, &relative, &second, &text, &word36,
                                 &groupCount, &messageTime, &inputTime),
              0);
    std::vector<int> groups;
    std::string groupText = groupCount == -1 ? "ALL" : "";
    for (int j = 0; j < groupCount; ++j) {
      int g = 0;
      reader->GetMessageGroup(i, j, &g);
      groups.push_back(g);
      groupText += (j ? ":" : "") + std::to_string(g);
    }
    if (groupCount == -1) groups = {-1};
    Statement(storage_, "INSERT INTO message VALUES(?,?,?,NULL,?,?,?,?,?,?,?,?);")
        .Text(serial)
        .Int(batchId)
        .Int(fileId)
        .Int(inputTime.ticks)
        .Int(relative + startNo)
        .Int(messageTime.ticks)
        .Int(number)
        .Int(messageSerial)
        .Text(user)
        .Text(text)
        .Text(groupText)
        .Run();
    const int64_t messageId = storage_.GetConnection()->GetLastInsertRowId();
    for (int g : groups)
      Statement(storage_, "INSERT INTO message_write_group VALUES(?,?,?);")
          .Int(fileId)
          .Int(messageId)
          .Int(g)
          .Run();
  }
  for (int i = 0; i < reader->GetAlarmCount(); ++i) {
    int channelIndex = -1, action = 0, level = 0, type = 0, last = 0;
    int64_t relative = 0;
    TickTime time;
    EXPECT_EQ(reader->GetAlarm(i, &channelIndex, &relative, &time, &action, &level, &type, &last), 0);
    Statement(storage_, "INSERT INTO alarm VALUES(?,?,?,?,?,?,?,?);")
        .Text(serial)
        .Int(batchId)
        .Int(fileId)
        .Int(time.ticks)
        .Int(channelIndex < 0 ? -1 : reader->GetChannelNo(channelIndex))
        .Int(level)
        .Int(action)
        .Int(type)
        .Run();
  }
  return relative;
}

}  // namespace store_test

// Fixtures of the stored-data tests (see StoredDataFixture.h). Files are indexed by the storage's
// own import, so the batches the tests read are the ones the import builds.
#include "StoredDataFixture.h"

#include <memory>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
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
  // Every file of a recording shares the memory start data number of its first record (data
  // number 1): the import joins files into one batch only when it matches.
  m.memStartDataNo = 1;
  m.startDataNo = m.triggerDataNo = startDataNo;
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

void StoredDataTest::AddBatchWithoutFiles(const vt::Guid& recording) {
  std::string guid;
  GuidToString(recording, guid);
  Statement(storage_, "INSERT INTO continuous_data_info VALUES(NULL,?,'S',0,0,'','',0,0,0,'','',0,0,?);")
      .Text(guid)
      .Text(guid)
      .Run();
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
  // The file is staged under its own name (the import takes the stored name from it) in a
  // folder of its own, imported, and the staged file removed again.
  const std::vector<uint8_t> bytes = recgen::WriteNewerFile(model).bytes;
  const std::string staging = vt::JoinPath(root_, "staging");
  EXPECT_TRUE(CreateFolderTree(staging));
  const std::string staged = vt::JoinPath(staging, name);
  EXPECT_TRUE(vt_test::WriteFileBytes(staged, std::string(bytes.begin(), bytes.end())));
  std::string relative;
  EXPECT_EQ(storage_.ImportFile(staged, &relative), STORE_OK) << name;
  vt::DeleteFile(staged);
  return relative;
}

}  // namespace store_test

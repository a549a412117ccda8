// Fixtures of the document tests (see DocumentFixture.h).
#include "document/testing/DocumentFixture.h"

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"

namespace document_test {

PreciseTime At(int64_t ms, double extraSeconds) {
  PreciseTime base{ms / 1000, double(ms % 1000) / 1000.0};
  return extraSeconds == 0.0 ? base : PreciseTime::AddSeconds(base, extraSeconds);
}

void DocumentTest::SetUp() {
  StoredDataTest::SetUp();
  CVTBatchCache::Instance().SetStorage(&storage_);
}

void DocumentTest::TearDown() {
  channels_.clear();  // gives the batch references back before the cache is cleared
  StoredDataTest::TearDown();
}

vt::Guid DocumentTest::StoreOlder(const recgen::OlderModel& model, const std::string& name) {
  const recgen::OlderFile file = recgen::WriteOlder(model);
  const std::string staging = vt::JoinPath(root_, "staging");
  EXPECT_TRUE(CreateFolderTree(staging));
  const std::string staged = vt::JoinPath(staging, name);
  EXPECT_TRUE(vt_test::WriteFileBytes(staged, std::string(file.bytes.begin(), file.bytes.end())));
  std::string relative;
  EXPECT_EQ(storage_.ImportFile(staged, &relative), STORE_OK) << name;
  vt::DeleteFile(staged);
  auto statement = storage_.GetConnection()->CreateStatement();
  EXPECT_EQ(statement->Prepare("SELECT cont_data_guid FROM continuous_data_info ORDER BY cont_data_id DESC;"),
            RDB_OK);
  std::string text;
  if (statement->Execute() == RDB_OK && statement->Fetch() == RDB_ROW) statement->GetText(0, text);
  vt::Guid guid;
  EXPECT_TRUE(vt::Guid::Parse(text, guid)) << text;
  return guid;
}

CGVantrelNgChannel* DocumentTest::Bind(const vt::Guid& batch, int channelNo, int segment, int displayGroup) {
  auto channel = std::make_unique<CGVantrelNgChannel>(nullptr);
  channel->SetSegment(segment, CGVantrelNgChannel::GetBatchSegmentCount(batch));
  EXPECT_TRUE(channel->Bind(batch, channelNo, displayGroup));
  channels_.push_back(std::move(channel));
  return channels_.back().get();
}

}  // namespace document_test

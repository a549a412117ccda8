// Shared fixture of the import and deleted-data tests (see ImportTestSupport.h).
#include "ImportTestSupport.h"

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"

namespace store_test {

namespace {

void ListTree(const std::string& root, const std::string& relative, std::vector<std::string>& out) {
  std::vector<vt::FolderEntry> entries;
  if (!vt::ListFolder(vt::JoinPath(root, relative), entries)) return;
  for (const auto& e : entries) {
    std::string path = relative + "/" + e.name;
    if (e.isFolder)
      ListTree(root, path, out);
    else
      out.push_back(path);
  }
}

}  // namespace

void ImportFixture::SetUp() {
  TempRootTest::SetUp();
  folder_ = Path("STORAGE");
  sources_ = Path("sources");
  ASSERT_TRUE(vt::CreateFolders(sources_));
  ASSERT_EQ(storage_.Create(folder_, "Main"), STORE_OK);
  ASSERT_EQ(storage_.Open(), STORE_OK);
}

void ImportFixture::TearDown() {
  storage_.Close();
  TempRootTest::TearDown();
}

std::string ImportFixture::Source(const std::string& name, const recgen::NewerFile& model) {
  std::vector<uint8_t> bytes = recgen::WriteNewerFile(model).bytes;
  std::string path = vt::JoinPath(sources_, name);
  EXPECT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
  return path;
}

std::string ImportFixture::Source(const std::string& name, const recgen::OlderModel& model) {
  std::vector<uint8_t> bytes = recgen::WriteOlder(model).bytes;
  std::string path = vt::JoinPath(sources_, name);
  EXPECT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
  return path;
}

std::string ImportFixture::Newer(const std::string& name, const recgen::SizedOptions& options, int dataKind) {
  return Source(name, recgen::SizedNewerFile(options, dataKind));
}

int ImportFixture::Import(const std::string& path, std::string* copyPath) {
  return storage_.ImportFile(path, copyPath);
}

std::string ImportFixture::Query(const std::string& sql) {
  return Shell(StandardCopy(storage_.GetIndexPath()), sql);
}

void ImportFixture::Sql(const std::string& sql) {
  auto db = NewRDBConnection("SQLite");
  ASSERT_EQ(db->Open(storage_.GetIndexPath()), RDB_OK);
  ASSERT_EQ(db->Execute(sql), RDB_OK) << sql;
}

std::vector<std::string> ImportFixture::StoredFiles() {
  std::vector<std::string> out;
  for (const char* top : {"FILES", "TRASH"}) {
    std::vector<std::string> part;
    ListTree(folder_, top, part);
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::string x, y;
  return vt::ReadWholeFile(a, x) && vt::ReadWholeFile(b, y) && x == y;
}

}  // namespace store_test

// A folder entry of the import worker that asks for conversion: the real worker imports the new
// files and the real job queue converts each one into the folder, as a workbook or a text file;
// entries that ask for none are left alone, and the operation log names every file written.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "export/ImportConversion.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/base/TimeEngine.h"
#include "store/AutoImportFolder.h"
#include "store/StoreClock.h"
#include "store/testing/ImportTestSupport.h"
#include "testing/TempFolder.h"

namespace {

using namespace std::chrono_literals;

class ImportConversionTest : public store_test::ImportFixture {
 protected:
  void SetUp() override {
    ImportFixture::SetUp();
    ASSERT_EQ(workerStorage_.SetPaths(folder_), STORE_OK);
    worker_.SetStorage(&workerStorage_);
    worker_.SetBasePath(root_);
    worker_.SetFolderTable(table_);
    worker_.SetConverter(MakeImportConverter());
    // The files the test writes count as settled.
    worker_.SetClock([] { return TickTime(CurrentTickTime().ticks + 60 * vt::kTicksPerSecond); });
  }
  void TearDown() override {
    worker_.Stop();
    ImportFixture::TearDown();
  }
  std::string File(const std::string& relative, uint32_t recording) {
    recgen::SizedOptions o;
    o.records = 12;
    o.channels = 3;
    o.guid.data1 = recording;
    const std::string path = vt::JoinPath(sources_, relative);
    vt::CreateFolders(std::string(vt::ParentPath(path)));
    std::vector<uint8_t> bytes = recgen::WriteNewerFile(recgen::SizedNewerFile(o)).bytes;
    EXPECT_TRUE(vt_test::WriteFileBytes(path, std::string(bytes.begin(), bytes.end())));
    return path;
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<vt::FolderEntry> entries;
    vt::ListFolder(folder, entries);
    std::vector<std::string> names;
    for (const vt::FolderEntry& e : entries) names.push_back(e.name);
    return names;
  }
  std::string Log() {
    std::vector<vt::FolderEntry> entries;
    const std::string folder = Path("Morvane/Vantrel/LOG/Main");
    vt::ListFolder(folder, entries);
    return entries.size() == 1 ? vt_test::ReadFileBytes(folder + "/" + entries[0].name) : "";
  }

  CVTDataStorage workerStorage_;
  CVTImportManager worker_;
  vt::SAutoImportFolder table_[AUTO_IMPORT_FOLDER_COUNT];
};

TEST_F(ImportConversionTest, EntriesThatAskForConversionConvertEachNewFile) {
  File("W/A.DAE", 1);
  File("T/B.DAE", 2);
  File("N/C.DAE", 3);
  table_[0] = {true, false, vt::JoinPath(sources_, "W"), vt::AUTO_IMPORT_CONVERT_WORKBOOK};
  table_[1] = {true, false, vt::JoinPath(sources_, "T"), vt::AUTO_IMPORT_CONVERT_TEXT};
  table_[2] = {true, false, vt::JoinPath(sources_, "N"), vt::AUTO_IMPORT_CONVERT_NONE};
  worker_.SetMode(IMPORT_MODE_AUTOMATIC);
  ASSERT_TRUE(worker_.Start());
  for (int i = 0; i < 30000 && !worker_.IsIdle(); ++i) std::this_thread::sleep_for(1ms);
  ASSERT_TRUE(worker_.IsIdle());
  EXPECT_EQ(worker_.GetAddedCount(), 3);

  // Each converted folder gains the converted files beside its source; the plain one gains none.
  std::vector<std::string> w = Names(vt::JoinPath(sources_, "W"));
  std::vector<std::string> t = Names(vt::JoinPath(sources_, "T"));
  EXPECT_EQ(Names(vt::JoinPath(sources_, "N")), std::vector<std::string>{"C.DAE"});
  ASSERT_GT(w.size(), 1u);
  ASSERT_GT(t.size(), 1u);
  const std::string log = Log();
  for (const std::string& name : w) {
    if (name == "A.DAE") continue;
    EXPECT_TRUE(name.ends_with(".xls")) << name;
    EXPECT_NE(log.find("CONVERT FILE=" + vt::JoinPath(sources_, "W/" + name)), std::string::npos) << name;
  }
  for (const std::string& name : t) {
    if (name == "B.DAE") continue;
    EXPECT_FALSE(name.ends_with(".xls")) << name;
    EXPECT_GT(vt_test::ReadFileBytes(vt::JoinPath(sources_, "T/" + name)).size(), 0u) << name;
    EXPECT_NE(log.find("CONVERT FILE=" + vt::JoinPath(sources_, "T/" + name)), std::string::npos) << name;
  }
  EXPECT_EQ(log.find("CONVERT ERROR"), std::string::npos);
}

}  // namespace

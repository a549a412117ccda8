// An import killed (SIGKILL) at each of its steps leaves an index that passes the engine's
// integrity check and holds the file wholly or not at all; the next import of the file completes
// it and leaves no stray copy or temporary file behind.
#include <gtest/gtest.h>

#include <csignal>

#include "ImportTestSupport.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"

namespace {

using store_test::ImportFixture;
using store_test::SameFile;

// Imports args[1] into the storage at args[0] and kills itself at step args[2].
VT_TEST_CHILD(KilledImport) {
  CVTDataStorage storage;
  if (storage.OpenAt(args.at(0)) != STORE_OK) return 2;
  const int stop = std::stoi(args.at(2));
  storage.SetSeams({.onImportStep = [stop](ImportStep step) {
    if (int(step) == stop) std::raise(SIGKILL);
  }});
  std::string copy;
  storage.ImportFile(args.at(1), &copy);
  return 3;
}

class ImportKillTest : public ImportFixture {};

TEST_F(ImportKillTest, AKilledImportLeavesTheFileWhollyOrNotAtAll) {
  recgen::SizedOptions o;
  o.records = 2000;
  const std::string source = Newer("A.DAE", o);
  const std::string expected = "FILES/S5T812345/2023/11/A.DAE";
  storage_.Close();
  for (ImportStep step : {ImportStep::Begun, ImportStep::Indexed, ImportStep::FolderMade,
                          ImportStep::CopyWritten, ImportStep::CopyInPlace, ImportStep::Committed}) {
    const int k = int(step);
    SCOPED_TRACE(k);
    pid_t child = vt_test::SpawnChild("KilledImport", {folder_, source, std::to_string(k)});
    ASSERT_GT(child, 0);
    EXPECT_EQ(vt_test::WaitChild(child), -1);  // killed

    // Our own open rolls back what the killed process left in its journal.
    ASSERT_EQ(storage_.Open(), STORE_OK);
    auto count = storage_.NewTable();
    int rows = -1;
    ASSERT_EQ(count->Prepare("SELECT COUNT(*) FROM file;"), STORE_OK);
    ASSERT_EQ(count->Execute(), STORE_OK);
    ASSERT_EQ(count->Fetch(), STORE_ROW);
    count->GetInt(0, rows);
    count.reset();
    EXPECT_EQ(Query("PRAGMA integrity_check;"), "ok\n");
    const bool stored = step == ImportStep::Committed;
    EXPECT_EQ(rows, stored ? 1 : 0);
    if (stored) {
      EXPECT_TRUE(SameFile(vt::JoinPath(folder_, expected), source));
    }
    EXPECT_EQ(Query("SELECT COUNT(*) FROM continuous_data_info; SELECT COUNT(*) FROM tag;"),
              stored ? "1\n4\n" : "0\n0\n");

    std::string copy;
    EXPECT_EQ(Import(source, &copy), stored ? STORE_IMPORTED_ALREADY : STORE_OK);
    EXPECT_EQ(copy, expected);
    EXPECT_EQ(StoredFiles(), std::vector<std::string>{expected});
    EXPECT_TRUE(SameFile(vt::JoinPath(folder_, expected), source));
    EXPECT_EQ(Query("SELECT COUNT(*) FROM file; PRAGMA integrity_check;"), "1\nok\n");

    // The next round starts from an empty storage again.
    ASSERT_EQ(storage_.PurgeFile(expected), STORE_OK);
    EXPECT_TRUE(StoredFiles().empty());
    storage_.Close();
  }
}

}  // namespace

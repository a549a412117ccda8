// Shared fixture of the import and deleted-data tests: a fresh open storage under a temporary
// data root, a folder of generated source files, and queries of the index through the system's
// sqlite3 shell on a copy with the engine's header.
#pragma once
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/SizedFiles.h"

namespace store_test {

class ImportFixture : public TempRootTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a generated file into the source folder; returns its path.
  std::string Source(const std::string& name, const recgen::NewerFile& model);
  std::string Source(const std::string& name, const recgen::OlderModel& model);
  // A small newer-format file of these options.
  std::string Newer(const std::string& name, const recgen::SizedOptions& options, int dataKind = 1);
  int Import(const std::string& path, std::string* copyPath);
  int Import(const std::string& path) {
    std::string ignored;
    return Import(path, &ignored);
  }
  // The shell's output for a query of the index (rows '|'-separated, one per line).
  std::string Query(const std::string& sql);
  // Runs SQL on the index through a connection of our own.
  void Sql(const std::string& sql);
  // Every file below the storage folder's FILES and TRASH, relative to the storage folder, in
  // name order (temporary files of the import included).
  std::vector<std::string> StoredFiles();

  std::string folder_;
  std::string sources_;
  CVTDataStorage storage_;
};

// A file's bytes equal another file's.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace store_test

// Shared helpers of the store tests.
#include "StoreTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/base/FileSystem.h"
#include "store/DataFileVfs.h"

namespace store_test {

std::string StandardCopy(const std::string& path) {
  std::string copy = path + ".standard";
  vt::CopyFile(path, copy, false);
  PatchHead(copy, std::string(vtstore::kEngineFileHeader, 16));
  return copy;
}

std::string Shell(const std::string& database, const std::string& sql) {
  std::string sqlFile = database + ".sql";
  {
    std::ofstream out(sqlFile);
    out << sql << "\n";
  }
  std::string command = "/usr/bin/sqlite3 -batch '" + database + "' < '" + sqlFile + "' 2>/dev/null";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    pclose(pipe);
  }
  std::remove(sqlFile.c_str());
  return output;
}

}  // namespace store_test

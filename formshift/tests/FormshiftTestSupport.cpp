// Test support for Formshift (see FormshiftTestSupport.h).
#include "FormshiftTestSupport.h"

#include <cstdio>
#include <sstream>

#include "platform/base/FileSystem.h"

namespace formshift::test {

std::vector<std::string> Log(CFileConverter& converter) {
  std::vector<std::string> paths;
  for (unsigned i = 0; i < converter.GetConvertedFileNum(); ++i)
    paths.push_back(converter.GetCovnertedFilePath(i));
  return paths;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<vt::FolderEntry> entries;
  std::vector<std::string> names;
  if (vt::ListFolder(folder, entries))
    for (const vt::FolderEntry& e : entries) names.push_back(e.name);
  return names;
}

std::optional<std::string> CommandOutput(const std::string& command) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  if (::pclose(pipe) != 0) return std::nullopt;
  return out;
}

std::optional<std::vector<std::string>> ReadWorkbook(const std::string& path) {
  if (!CommandOutput("/usr/bin/python3 -c 'import xlrd, olefile' 2>/dev/null")) return std::nullopt;
  std::optional<std::string> out = CommandOutput("/usr/bin/python3 " WORKBOOK_READER " '" + path + "' 2>&1");
  if (!out) return std::vector<std::string>{"reader failed"};
  std::vector<std::string> lines;
  std::istringstream in(*out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace formshift::test

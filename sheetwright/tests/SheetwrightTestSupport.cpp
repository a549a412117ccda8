// Test support for Sheetwright (see SheetwrightTestSupport.h).
#include "SheetwrightTestSupport.h"

#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/base/FileSystem.h"
#include "sheetwright/Sheetwright.h"
#include "sheetwright/Testing.h"

namespace sheetwright::test {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (dirent* e = ::readdir(d)) {
      std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

uint16_t Le16(const std::vector<uint8_t>& d, std::size_t at) {
  return uint16_t(d.at(at) | (d.at(at + 1) << 8));
}
uint32_t Le32(const std::vector<uint8_t>& d, std::size_t at) {
  return Le16(d, at) | (uint32_t(Le16(d, at + 2)) << 16);
}

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(uint8_t(v));
  return out;
}

std::vector<uint8_t> WorkbookStream(const std::string& file) {
  std::string all = ReadFile(file);
  std::vector<uint8_t> bytes(all.begin(), all.end());
  if (bytes.size() < 1024) return {};
  uint32_t directorySector = Le32(bytes, 0x30);
  std::size_t entry = 512 * (std::size_t(directorySector) + 1) + 128;
  uint32_t size = Le32(bytes, entry + 120);
  return std::vector<uint8_t>(bytes.begin() + 512, bytes.begin() + 512 + size);
}

std::vector<Record> Records(const std::vector<uint8_t>& stream, uint64_t from) {
  std::vector<Record> records;
  std::size_t pos = std::size_t(from);
  while (pos + 4 <= stream.size()) {
    Record r;
    r.type = Le16(stream, pos);
    uint16_t length = Le16(stream, pos + 2);
    if (r.type == 0 && length == 0) break;  // padding
    r.position = pos;
    r.data.assign(stream.begin() + std::ptrdiff_t(pos + 4),
                  stream.begin() + std::ptrdiff_t(pos + 4 + length));
    records.push_back(std::move(r));
    pos += 4 + length;
  }
  return records;
}

static std::vector<Record> UpToEof(std::vector<Record> records) {
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].type == 0x000A) {
      records.resize(i + 1);
      break;
    }
  }
  return records;
}

std::vector<Record> GlobalsRecords(const std::vector<uint8_t>& stream) { return UpToEof(Records(stream)); }

std::vector<Record> SheetRecords(const std::vector<uint8_t>& stream, int sheet) {
  std::vector<Record> bound = OfType(GlobalsRecords(stream), 0x0085);
  if (sheet < 0 || std::size_t(sheet) >= bound.size()) return {};
  return UpToEof(Records(stream, Le32(bound[std::size_t(sheet)].data, 0)));
}

std::vector<Record> OfType(const std::vector<Record>& records, uint16_t type) {
  std::vector<Record> out;
  for (const Record& r : records)
    if (r.type == type) out.push_back(r);
  return out;
}

std::string RunCommand(const std::string& command, int& exitCode) {
  std::string output;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) {
    exitCode = -1;
    return output;
  }
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) output.append(buffer, n);
  int status = ::pclose(p);
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return output;
}

void SheetwrightTest::SetUp() {
  ASSERT_TRUE(vt::CreateUniqueFolder("/tmp", "vt-sheetwright-", root_));
  temp_ = root_ + "/temp";
  ASSERT_TRUE(vt::CreateFolder(temp_));
  ::setenv("TMPDIR", temp_.c_str(), 1);
  ::setenv("VANTREL_ROOT", root_.c_str(), 1);
  ResetCodePageForTesting();
  excel_select_codepage(0);
}

void SheetwrightTest::TearDown() {
  SetStreamLimitForTesting(UINT64_C(0x7FF00000));
  SetFileLimitForTesting(UINT64_C(0x80000000));
  vt::SetReadOnly(temp_, false);
  vt::RemoveTree(root_);
  ::unsetenv("TMPDIR");
}

}  // namespace sheetwright::test

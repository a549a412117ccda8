// Temporary folders and byte files for tests (see TempFolder.h).
#include "testing/TempFolder.h"

#include <stdlib.h>

#include <fstream>

namespace vt_test {

std::string TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  return Write(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::string p = *this / name;
  WriteFileBytes(p, bytes);
  return p;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadHead(const std::string& path, std::size_t n) {
  std::ifstream in(path, std::ios::binary);
  std::string data(n, '\0');
  in.read(data.data(), std::streamsize(n));
  data.resize(std::size_t(in.gcount()));
  return data;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

void PatchBytes(const std::string& path, uint64_t offset, const std::string& bytes) {
  std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
  out.seekp(std::streamoff(offset));
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

void TempRootTest::SetUp() {
  ASSERT_TRUE(vt::CreateUniqueFolder("/tmp", "vt-root-", root_));
  setenv("VANTREL_ROOT", root_.c_str(), 1);
}

void TempRootTest::TearDown() {
  vt::RemoveTree(root_);
  unsetenv("VANTREL_ROOT");
}

}  // namespace vt_test

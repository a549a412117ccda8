// Test support for Sheetwright: a fresh temp folder per test (TMPDIR and VANTREL_ROOT point into
// it), reading a finished workbook back (the Workbook stream out of the compound document and
// its records), and running the external reader script.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sheetwright::test {

std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);
// Entries of a folder (names only), sorted.
std::vector<std::string> Entries(const std::string& folder);

struct Record {
  uint16_t type = 0;
  std::vector<uint8_t> data;
  uint64_t position = 0;  // in the Workbook stream
};

// The Workbook stream of a file that this library wrote (it starts at sector 0 and its size
// is in directory entry 1), cut to the size the directory records.
std::vector<uint8_t> WorkbookStream(const std::string& file);
std::vector<Record> Records(const std::vector<uint8_t>& stream, uint64_t from = 0);
// The records of the globals part (up to its EOF) and of sheet n (from its BOF to its EOF).
std::vector<Record> GlobalsRecords(const std::vector<uint8_t>& stream);
std::vector<Record> SheetRecords(const std::vector<uint8_t>& stream, int sheet);
std::vector<Record> OfType(const std::vector<Record>& records, uint16_t type);

std::vector<uint8_t> Bytes(std::initializer_list<int> values);
uint16_t Le16(const std::vector<uint8_t>& data, std::size_t at);
uint32_t Le32(const std::vector<uint8_t>& data, std::size_t at);

// Output (stdout) of a command run through the shell; exitCode receives its status.
std::string RunCommand(const std::string& command, int& exitCode);

class SheetwrightTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Path(const std::string& name) const { return root_ + "/" + name; }
  const std::string& TempFolder() const { return temp_; }

  std::string root_;
  std::string temp_;
};

}  // namespace sheetwright::test

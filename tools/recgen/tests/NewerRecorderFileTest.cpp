// The newer-format generator checked independently: the CRC's check value, and a Python walk
// (struct and crcmod) over generated files that must find every block, count and checksum where
// the model puts them, in both byte orders, and a broken checksum where one was broken.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/recgen/Crc.h"
#include "tools/recgen/NewerRecorderFile.h"

namespace {

std::string RunChecker(const recgen::WrittenNewerFile& file) {
  std::string dir = (std::filesystem::temp_directory_path() / "vtgen-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return "";
  const std::string path = dir + "/f.DAE";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.bytes.data()), std::streamsize(file.bytes.size()));
  const std::string command = std::string("/usr/bin/python3 ") + VT_SOURCE_ROOT +
                              "/tools/recgen/check_newer_file.py " + path + " 2>&1";
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    std::array<char, 512> buffer;
    while (fgets(buffer.data(), int(buffer.size()), p)) out += buffer.data();
    pclose(p);
  }
  std::filesystem::remove_all(dir);
  return out;
}

TEST(NewerRecorderFile, CrcCheckValue) {
  const char* text = "123456789";
  EXPECT_EQ(recgen::Crc16(reinterpret_cast<const uint8_t*>(text), 9), 0x4B37);
}

TEST(NewerRecorderFile, IndependentWalkFindsTheModel) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  for (int kind : {1, 2}) {
    for (bool be : {false, true}) {
      const recgen::NewerFile m = recgen::SampleNewerFile(kind, be);
      const std::string out = RunChecker(recgen::WriteNewerFile(m));
      const std::string expected =
          std::string("{\"alarms\": 8, \"badChecksums\": [], \"bigEndian\": ") +
          (be ? "true" : "false") + ", \"channels\": 4, \"groups\": 3, \"items\": 4, " +
          "\"messages\": 2, \"recordSize\": " + std::to_string(m.RecordSize()) +
          ", \"records\": 20, \"tagged\": 7}\n";
      EXPECT_EQ(out, expected) << kind << " " << be;
    }
  }
  recgen::WrittenNewerFile broken = recgen::WriteNewerFile(recgen::SampleNewerFile(1, true));
  broken.BreakCrc("alarm");
  EXPECT_NE(RunChecker(broken).find("\"badChecksums\": [\"alarm\"]"), std::string::npos);
}

}  // namespace

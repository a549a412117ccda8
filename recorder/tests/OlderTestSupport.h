// Test support for the older-format reader tests: a fresh temporary folder per test and the
// writing of generated files into it.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <time.h>

#include <filesystem>
#include <string>

#include "tools/recgen/OlderRecorderFile.h"

// Recorder clocks are read in the computer's zone; these tests pin it to UTC.
inline void PinUtcZone() {
  setenv("TZ", "UTC", 1);
  tzset();
}

class OlderTempDir {
 public:
  OlderTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vt-older-XXXXXX").string();
    if (mkdtemp(pattern.data())) m_path = pattern;
  }
  ~OlderTempDir() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
  }
  const std::string& Path() const { return m_path; }
  // Writes the file under that name and returns its path.
  std::string Write(const recgen::OlderFile& file, const std::string& name) const {
    std::string path = m_path + "/" + name;
    EXPECT_TRUE(file.WriteTo(path)) << path;
    return path;
  }

 private:
  std::string m_path;
};

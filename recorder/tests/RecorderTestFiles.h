// Test helper: a fresh temporary folder per fixture, and files written into it from bytes.
#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class RecorderTempDir {
 public:
  RecorderTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vtrec-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~RecorderTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const std::string p = path_ + "/" + name;
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return p;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

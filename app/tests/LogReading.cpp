// Reading the operation logs (see LogReading.h).
#include "LogReading.h"

#include <filesystem>

#include "platform/base/FileSystem.h"

namespace app_test {

std::string ReadLogs(const std::string& folder) {
  std::string all;
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec)) {
    if (!entry.is_regular_file()) continue;
    std::string text;
    vt::ReadWholeFile(entry.path().string(), text);
    all += text;
  }
  return all;
}

}  // namespace app_test

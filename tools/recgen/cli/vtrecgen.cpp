// vtrecgen: writes generated recorder files for developers and tests.
//   vtrecgen newer [--display] [--big-endian] [--no-tagged] [--time-change] OUT
//   vtrecgen newer [--display] [--channels N] [--records N] [--all-channel-alarms N] OUT
//                                    the sample resized (large files are written piecewise)
//   vtrecgen newer-variants DIR      every corrupted or unusual newer file, as DIR/<name>.DAE
//   vtrecgen older [--display] [--directory] [--records N] OUT
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/NewerVariants.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();  // a full disk shows only when the buffer goes out
  if (out.fail()) std::fprintf(stderr, "vtrecgen: cannot write %s\n", path.c_str());
  return !out.fail();
}

int Usage() {
  std::fprintf(stderr,
               "usage: vtrecgen newer [--display] [--big-endian] [--no-tagged] [--time-change] OUT\n"
               "       vtrecgen newer [--display] [--channels N] [--records N] [--all-channel-alarms N] OUT\n"
               "       vtrecgen newer-variants DIR\n"
               "       vtrecgen older [--display] [--directory] [--records N] OUT\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  bool display = false, bigEndian = false, tagged = true, timeChange = false, directory = false;
  std::string out;
  long long channels = -1, records = -1, allAlarms = -1;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    long long* number = a == "--channels"             ? &channels
                        : a == "--records"            ? &records
                        : a == "--all-channel-alarms" ? &allAlarms
                                                      : nullptr;
    if (number != nullptr) {
      char* end = nullptr;
      if (i + 1 >= argc) return Usage();
      *number = std::strtoll(argv[++i], &end, 10);
      if (*end != '\0' || *number < 0 || *number > 0x7FFFFFFF) return Usage();
      continue;
    }
    if (a == "--display")
      display = true;
    else if (a == "--big-endian")
      bigEndian = true;
    else if (a == "--no-tagged")
      tagged = false;
    else if (a == "--time-change")
      timeChange = true;
    else if (a == "--directory")
      directory = true;
    else if (a.rfind("--", 0) == 0 || !out.empty())
      return Usage();
    else
      out = a;
  }
  if (out.empty()) return Usage();
  const bool resized = channels >= 0 || records >= 0 || allAlarms >= 0;
  if (command == "newer" && resized) {
    if (bigEndian || !tagged || timeChange) return Usage();
    const int64_t n = records >= 0 ? records : 20;
    const recgen::NewerFile model = recgen::ResizedNewerFile(display ? 2 : 1, int(std::max(channels, 0LL)), n,
                                                             int(std::max(allAlarms, 0LL)));
    if (n > 100000) {
      if (recgen::WriteLargeNewerFile(model, n, out)) return 0;
      std::fprintf(stderr, "vtrecgen: cannot write %s\n", out.c_str());
      return 1;
    }
    return WriteFile(out, recgen::WriteNewerFile(model).bytes) ? 0 : 1;
  }
  if (command == "newer") {
    const recgen::NewerFile model = timeChange ? recgen::TimeChangeNewerFile(bigEndian)
                                               : recgen::SampleNewerFile(display ? 2 : 1, bigEndian, tagged);
    return WriteFile(out, recgen::WriteNewerFile(model).bytes) ? 0 : 1;
  }
  if (command == "newer-variants") {
    for (const recgen::NewerVariant& v : recgen::NewerVariants()) {
      if (!WriteFile(out + "/" + v.name + ".DAE", v.bytes)) return 1;
      std::printf("%s.DAE %d\n", v.name.c_str(), v.openResult);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      std::fprintf(stderr, "vtrecgen: writing the list failed\n");
      return 1;
    }
    return 0;
  }
  if (command == "older") {
    if (channels >= 0 || allAlarms >= 0) return Usage();
    recgen::OlderModel model = recgen::SampleOlderModel(
        directory ? recgen::OlderLayout::Directory : recgen::OlderLayout::Fixed, display ? 1 : 0);
    if (records >= 0) {
      model.records.clear();
      model.patternRecords = uint32_t(records);
      if (records == 0) return Usage();
    }
    return WriteFile(out, recgen::WriteOlder(model).bytes) ? 0 : 1;
  }
  return Usage();
}

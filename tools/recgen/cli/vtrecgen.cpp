// vtrecgen: writes generated recorder files for developers and tests.
//   vtrecgen newer [--display] [--big-endian] [--no-tagged] [--time-change] OUT
//   vtrecgen newer-variants DIR      every corrupted or unusual newer file, as DIR/<name>.DAE
//   vtrecgen older [--display] [--directory] OUT
#include <cstdio>
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
               "       vtrecgen newer-variants DIR\n"
               "       vtrecgen older [--display] [--directory] OUT\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  bool display = false, bigEndian = false, tagged = true, timeChange = false, directory = false;
  std::string out;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
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
    const recgen::OlderModel model = recgen::SampleOlderModel(
        directory ? recgen::OlderLayout::Directory : recgen::OlderLayout::Fixed, display ? 1 : 0);
    return WriteFile(out, recgen::WriteOlder(model).bytes) ? 0 : 1;
  }
  return Usage();
}

// vtrecgen: writes generated recorder files for developers and tests.
//   vtrecgen newer [--display] [--big-endian] [--no-tagged] [--time-change] [SIZE...] OUT
//   vtrecgen newer-variants DIR      every corrupted or unusual newer file, as DIR/<name>.DAE
//   vtrecgen older [--display] [--directory] [SIZE...] OUT
// SIZE options make a plain file of the chosen size and identity in place of the sample file:
//   --channels N --records N --interval-ms N --start SECONDS --serial TEXT --guid GUID
//   --start-data-no N --mem-start-data-no N --trigger-data-no N --start-factor N --stop-factor N
//   --repeat-group-channel --repeat-group-number   (newer, no value) the group lists its first
//               channel twice / a second group carries the same number
//   --count N   writes N files into the folder OUT (OUT/000001.DAE, ...), each continuing the
//               previous one's data numbers and times, so that together they form one batch
//   vtrecgen newer [--display] [--channels N] [--records N] --all-channel-alarms N OUT
//                                    the sample resized with alarms for all channels (large files
//                                    are written piecewise)
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/NewerVariants.h"
#include "tools/recgen/OlderRecorderFile.h"
#include "tools/recgen/SizedFiles.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();  // a full disk shows only when the buffer goes out
  if (out.fail()) std::fprintf(stderr, "vtrecgen: cannot write %s\n", path.c_str());
  return !out.fail();
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: vtrecgen newer [--display] [--big-endian] [--no-tagged] [--time-change] [SIZE...] OUT\n"
      "       vtrecgen newer [--display] [--channels N] [--records N] --all-channel-alarms N OUT\n"
      "       vtrecgen newer-variants DIR\n"
      "       vtrecgen older [--display] [--directory] [SIZE...] OUT\n"
      "SIZE: --channels N --records N --interval-ms N --start SECONDS --serial TEXT --guid GUID\n"
      "      --start-data-no N --mem-start-data-no N --trigger-data-no N --start-factor N\n"
      "      --stop-factor N --count N --repeat-group-channel --repeat-group-number\n");
  return 2;
}

// A whole decimal number, all of the text.
bool ParseNumber(const char* text, int64_t& out) {
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0') return false;
  out = v;
  return true;
}

// One size option and its value at argv[i + 1]; false for an unknown option or a bad value.
bool TakeSizeOption(const std::string& option, const char* value, recgen::SizedOptions& o, int64_t& count) {
  if (option == "--serial") {
    o.serial = value;
    return true;
  }
  if (option == "--guid") return vt::Guid::Parse(value, o.guid);
  int64_t n = 0;
  if (!ParseNumber(value, n)) return false;
  if (option == "--channels")
    o.channels = int(n);
  else if (option == "--records")
    o.records = int(n);
  else if (option == "--interval-ms")
    o.intervalMs = int(n);
  else if (option == "--start")
    o.startSeconds = n;
  else if (option == "--start-data-no")
    o.startDataNo = n;
  else if (option == "--mem-start-data-no")
    o.memStartDataNo = n;
  else if (option == "--trigger-data-no")
    o.triggerDataNo = n;
  else if (option == "--start-factor")
    o.startFactor = int(n);
  else if (option == "--stop-factor")
    o.stopFactor = int(n);
  else if (option == "--count")
    count = n;
  else
    return false;
  return n >=
         (option == "--channels" || option == "--records" || option == "--count" || option == "--interval-ms"
              ? 1
              : 0);
}

// The sized file, or a run of them in a folder.
int WriteSized(const std::string& command, const std::string& out, recgen::SizedOptions o, int64_t count,
               bool display, bool bigEndian, bool directory) {
  const bool older = command == "older";
  const char* extension = older ? (display ? ".DDS" : ".DEV") : (display ? ".DAD" : ".DAE");
  for (int64_t k = 0; k < (count > 0 ? count : 1); ++k) {
    std::string path = out;
    if (count > 0) {
      char name[32];
      std::snprintf(name, sizeof name, "/%06lld%s", static_cast<long long>(k + 1), extension);
      path += name;
    }
    std::vector<uint8_t> bytes =
        older ? recgen::WriteOlder(recgen::SizedOlderModel(o,
                                                           directory ? recgen::OlderLayout::Directory
                                                                     : recgen::OlderLayout::Fixed,
                                                           display ? 1 : 0))
                    .bytes
              : recgen::WriteNewerFile(recgen::SizedNewerFile(o, display ? 2 : 1, bigEndian)).bytes;
    if (!WriteFile(path, bytes)) return 1;
    o.startDataNo += o.records;
    o.startSeconds += int64_t(o.records) * o.intervalMs / 1000;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  bool display = false, bigEndian = false, tagged = true, timeChange = false, directory = false;
  bool sized = false;
  recgen::SizedOptions sizedOptions;
  int64_t count = 0;
  std::string out;
  long long channels = -1, records = -1, allAlarms = -1;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--all-channel-alarms") {
      char* end = nullptr;
      if (i + 1 >= argc) return Usage();
      allAlarms = std::strtoll(argv[++i], &end, 10);
      if (*end != '\0' || allAlarms < 0 || allAlarms > 0x7FFFFFFF) return Usage();
      continue;
    }
    if (a == "--repeat-group-channel" || a == "--repeat-group-number") {
      if (a == "--repeat-group-channel")
        sizedOptions.repeatGroupChannel = true;
      else
        sizedOptions.repeatGroupNumber = true;
      sized = true;
      continue;
    }
    if (a.rfind("--", 0) == 0 && a != "--display" && a != "--big-endian" && a != "--no-tagged" &&
        a != "--time-change" && a != "--directory") {
      if (i + 1 >= argc || !TakeSizeOption(a, argv[i + 1], sizedOptions, count)) {
        std::fprintf(stderr, "vtrecgen: bad option or value: %s\n", a.c_str());
        return Usage();
      }
      if (a == "--channels") channels = sizedOptions.channels;
      if (a == "--records") records = sizedOptions.records;
      sized = true;
      ++i;
    } else if (a == "--display")
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
  if (command != "newer" && (sizedOptions.repeatGroupChannel || sizedOptions.repeatGroupNumber))
    return Usage();
  if (command == "newer" && allAlarms >= 0) {
    // The sample resized, with alarms for all channels: for reader benchmarks and fuzz seeds.
    if (bigEndian || !tagged || timeChange || count > 0) return Usage();
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
  if (sized && (command == "newer" || command == "older") && !timeChange)
    return WriteSized(command, out, sizedOptions, count, display, bigEndian, directory);
  if (sized) return Usage();
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
    if (allAlarms >= 0) return Usage();
    recgen::OlderModel model = recgen::SampleOlderModel(
        directory ? recgen::OlderLayout::Directory : recgen::OlderLayout::Fixed, display ? 1 : 0);
    return WriteFile(out, recgen::WriteOlder(model).bytes) ? 0 : 1;
  }
  return Usage();
}

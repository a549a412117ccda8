// The reader table of the fuzz targets. Both formats' readers are opened through their access
// classes; a successful open is followed by the full listing and a read of every channel's
// samples, alarm bits included, so that the on-demand reads are fuzzed too.
#include "tools/fuzz/FuzzReaders.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "platform/base/FileSystem.h"
#include "recorder/RecorderDump.h"
#include "recorder/newer/CVTQRAdvFileAccess.h"
#include "recorder/older/CVTQRFileAccess.h"
#include "tools/fuzz/FuzzChecksums.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/NewerVariants.h"
#include "tools/recgen/OlderRecorderFile.h"
#include "tools/recgen/OlderVariants.h"

namespace vtfuzz {

namespace {

bool AllowedOpenResult(int r) { return r == 0 || r == 1 || r == 2 || r == 30 || r == 32 || r == 33; }

int ReadEverything(CVTDataFileAccess& reader, const std::string& path) {
  const int r = reader.Open(path);
  if (!AllowedOpenResult(r)) {
    std::fprintf(stderr, "unexpected open result %d\n", r);
    std::abort();
  }
  if (r == 0) {
    const std::string listing = DumpFileAccess(reader) + DumpRecordsCsv(reader);
    if (listing.empty()) std::abort();
  }
  return r;
}

std::vector<FuzzSeed> NewerSeeds() {
  std::vector<recgen::NewerFile> models;
  for (int kind : {1, 2})
    for (bool be : {false, true}) models.push_back(recgen::SampleNewerFile(kind, be));
  models.push_back(recgen::SampleNewerFile(1, false, false));
  models.push_back(recgen::TimeChangeNewerFile(true));
  std::vector<FuzzSeed> seeds;
  for (const recgen::NewerFile& m : models) {
    auto written = std::make_shared<recgen::WrittenNewerFile>(recgen::WriteNewerFile(m));
    seeds.push_back({written->bytes, [written](std::vector<uint8_t>& bytes) {
                       recgen::WrittenNewerFile copy = *written;
                       copy.bytes.swap(bytes);
                       copy.RecomputeCrcs();
                       copy.bytes.swap(bytes);
                     }});
  }
  for (const recgen::NewerVariant& v : recgen::NewerVariants())
    if (v.openResult != 0) seeds.push_back({v.bytes, nullptr});
  return seeds;
}

// Both layouts and both kinds with every section, and the older variant table.
std::vector<FuzzSeed> OlderSeeds() {
  std::vector<FuzzSeed> seeds;
  for (recgen::OlderLayout layout : {recgen::OlderLayout::Fixed, recgen::OlderLayout::Directory}) {
    for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
      recgen::OlderModel m = recgen::SampleOlderModel(layout, kind, 12);
      m.ringStart = 7;
      m.alarms = {{0, 1, 2, {}, {}, m.dataNoBefore + 2, m.dataNoBefore + 5},
                  {7, 3, 1, {}, {}, m.dataNoBefore + 9, 0}};
      m.messages = {{"m ^C", {}, m.dataNoBefore + 3, 1, 2, "u"}};
      m.batch = recgen::OlderBatch{};
      m.groups.resize(3);
      m.scrambleDirectory = layout == recgen::OlderLayout::Directory;
      auto written = std::make_shared<recgen::OlderFile>(recgen::WriteOlder(m));
      seeds.push_back({written->bytes, [written](std::vector<uint8_t>& bytes) {
                         recgen::OlderFile copy = *written;
                         copy.bytes.swap(bytes);
                         copy.RecomputeCrcs();
                         copy.bytes.swap(bytes);
                       }});
    }
  }
  for (const recgen::OlderVariant& v : recgen::OlderVariants()) seeds.push_back({v.bytes, nullptr});
  return seeds;
}

}  // namespace

const std::vector<FuzzReader>& FuzzReaders() {
  static const std::vector<FuzzReader> readers = {
      {"newer", ".DAE", NewerSeeds, FixNewerChecksums,
       [](const std::string& path) {
         CVTQRAdvFileAccess reader;
         return ReadEverything(reader, path);
       }},
      {"older", ".DEV", OlderSeeds, FixOlderChecksums,
       [](const std::string& path) {
         CVTQRFileAccess reader;
         return ReadEverything(reader, path);
       }},
  };
  return readers;
}

const FuzzReader* FindFuzzReader(const std::string& name) {
  for (const FuzzReader& r : FuzzReaders())
    if (r.name == name) return &r;
  return nullptr;
}

int RunOnBytes(const FuzzReader& reader, const uint8_t* data, std::size_t size) {
  // A folder per input, removed after the run: libFuzzer ends without running destructors, so
  // nothing may wait for the end of the process (on a RAM disk, making one costs microseconds).
  static const std::string parent = vt::FolderExists("/dev/shm") ? "/dev/shm" : "/tmp";
  std::string folder;
  if (!vt::CreateUniqueFolder(parent, "vtfuzz-", folder)) std::abort();
  const std::string path = folder + "/input" + reader.extension;
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  const int result = reader.run(path);
  vt::RemoveTree(folder);
  return result;
}

}  // namespace vtfuzz

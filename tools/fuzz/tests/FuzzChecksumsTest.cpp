// The fuzz inputs' checksum walk finds every checksum the generator wrote: with every checksum
// of a file broken, the walk gives the file back byte for byte, in both formats and layouts.
#include <gtest/gtest.h>

#include "tools/fuzz/FuzzChecksums.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

TEST(FuzzChecksums, WalkRepairsEveryChecksumTheGeneratorWrote) {
  for (int kind : {1, 2}) {
    for (bool be : {false, true}) {
      for (bool tagged : {false, true}) {
        recgen::WrittenNewerFile w = recgen::WriteNewerFile(recgen::SampleNewerFile(kind, be, tagged));
        const std::vector<uint8_t> good = w.bytes;
        for (const recgen::CrcRegion& r : w.regions) w.BreakCrc(r.name);
        ASSERT_NE(w.bytes, good);
        vtfuzz::FixNewerChecksums(w.bytes.data(), w.bytes.size());
        EXPECT_EQ(w.bytes, good) << kind << be << tagged;
      }
    }
  }
  for (auto layout : {recgen::OlderLayout::Fixed, recgen::OlderLayout::Directory}) {
    for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
      recgen::OlderFile f = recgen::WriteOlder(recgen::SampleOlderModel(layout, kind, 12));
      const std::vector<uint8_t> good = f.bytes;
      f.BreakHeaderCrc();
      f.BreakDataCrc();
      vtfuzz::FixOlderChecksums(f.bytes.data(), f.bytes.size());
      EXPECT_EQ(f.bytes, good) << int(kind);
    }
  }
  // Inputs too short for any walk are left alone, without reading outside them.
  uint8_t tiny[3] = {'M', 'R', 'C'};
  vtfuzz::FixNewerChecksums(tiny, sizeof tiny);
  vtfuzz::FixOlderChecksums(tiny, sizeof tiny);
  EXPECT_EQ(tiny[2], 'C');
}

}  // namespace

// The large-file writers give the same bytes as the in-memory writers for the same records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

TEST(LargeFiles, PiecewiseWritersMatchTheInMemoryOnes) {
  vt_test::TempFolder dir;
  // More than one piece of records, both kinds, and a resized channel table with alarms.
  struct Case {
    int kind, channels, records, alarms;
  };
  for (const Case& c :
       {Case{1, 0, 5000, 0}, Case{2, 0, 4097, 0}, Case{1, 100, 300, 50}, Case{2, 348, 10, 3}}) {
    recgen::NewerFile m = recgen::ResizedNewerFile(c.kind, c.channels, c.records, c.alarms);
    ASSERT_EQ(m.records.size(), std::size_t(c.records));
    const std::string path = dir / "large.DAE";
    ASSERT_TRUE(recgen::WriteLargeNewerFile(m, c.records, path));
    const std::vector<uint8_t> expected = recgen::WriteNewerFile(m).bytes;
    EXPECT_EQ(vt_test::ReadFileBytes(path), std::string(expected.begin(), expected.end()))
        << c.kind << " " << c.channels << " " << c.records;
  }
  for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
    recgen::OlderModel listed = recgen::SampleOlderModel(recgen::OlderLayout::Directory, kind, 777);
    recgen::OlderModel pattern = listed;
    pattern.records.clear();
    pattern.patternRecords = 777;
    EXPECT_EQ(recgen::WriteOlder(pattern).bytes, recgen::WriteOlder(listed).bytes) << int(kind);
  }
}

}  // namespace

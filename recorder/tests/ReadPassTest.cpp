// Reading every channel range by range reads each record from the file once: the bytes read
// through ReadOnlyFile while every channel of every range is read add up to one pass over the
// records, in both formats, and the records are those a whole-channel read gives. Each channel's
// whole read goes through a reader of its own, so that it is that channel's first read: the
// values decoded one channel at a time are compared with those decoded for all channels at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/base/ReadOnlyFile.h"
#include "recorder/CVTData.h"
#include "recorder/FileAccessFactory.h"
#include "recorder/RecorderDump.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

using vt::ReadOnlyFileTestHook;

// Reads every channel of each range of rangeSize records through one reader and compares with
// whole-channel reads, each through a fresh reader. Returns the bytes the range reads took from
// the file.
uint64_t BytesOfRangeMajorReads(const std::string& path, int records, int rangeSize) {
  CVTDataFileAccess* a = nullptr;
  EXPECT_EQ(CreateFileAccess(path, &a), 0) << path;
  std::unique_ptr<CVTDataFileAccess> ranges(a);
  if (!a) return 0;
  const int channels = ranges->GetChannelCount();
  std::vector<std::vector<std::string>> got(static_cast<std::size_t>(channels));
  ReadOnlyFileTestHook::ResetBytesRead();
  for (int first = 0; first < records; first += rangeSize) {
    const int n = std::min(rangeSize, records - first);
    for (int c = 0; c < channels; ++c) {
      CVTData d;
      EXPECT_EQ(ranges->ReadRecords(c, first, n, &d, true), 0) << c << " " << first;
      for (int i = 0; i < d.GetCount(); ++i) got[std::size_t(c)].push_back(FormatRecordCsv(d, i));
    }
  }
  const uint64_t bytes = ReadOnlyFileTestHook::BytesRead();
  for (int c = 0; c < channels; ++c) {
    CVTDataFileAccess* b = nullptr;
    EXPECT_EQ(CreateFileAccess(path, &b), 0) << path;
    std::unique_ptr<CVTDataFileAccess> whole(b);
    if (!b) return 0;
    CVTData d;
    EXPECT_EQ(whole->ReadRecords(c, 0, records, &d, true), 0);
    std::vector<std::string> expected;
    for (int i = 0; i < d.GetCount(); ++i) expected.push_back(FormatRecordCsv(d, i));
    EXPECT_EQ(got[std::size_t(c)], expected) << "channel " << c;
  }
  return bytes;
}

TEST(ReadPass, EveryChannelOfARangeFromOneReadOfItsRecords) {
  vt_test::ScopedTimeZone utc("UTC");
  vt_test::TempFolder dir;
  // Both kinds, both byte orders, times in seconds and in calendar form.
  for (int kind : {1, 2})
    for (bool bigEndian : {false, true})
      for (uint16_t timeFormat : {uint16_t(1), uint16_t(0)}) {
        recgen::NewerFile m = recgen::SampleNewerFile(kind, bigEndian);
        m.timeFormat = timeFormat;
        recgen::FillNewerRecords(m, 3000);
        const std::string path = dir.Write(kind == 1 ? "n.DAE" : "n.DAD", recgen::WriteNewerFile(m).bytes);
        const uint64_t data = uint64_t(3000) * uint64_t(m.RecordSize());
        EXPECT_EQ(BytesOfRangeMajorReads(path, 3000, 250), data)
            << "newer kind " << kind << " big-endian " << bigEndian << " time format " << timeFormat;
      }
  for (auto layout : {recgen::OlderLayout::Fixed, recgen::OlderLayout::Directory}) {
    for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
      recgen::OlderModel m = recgen::SampleOlderModel(layout, kind, 3000);
      m.ringStart = 1234;  // ranges that cross the end of the ring
      const recgen::OlderFile f = recgen::WriteOlder(m);
      const std::string path = dir / (kind ? "o.DDS" : "o.DEV");
      ASSERT_TRUE(f.WriteTo(path));
      const uint64_t data = uint64_t(3000) * uint64_t(f.recordSize);
      EXPECT_EQ(BytesOfRangeMajorReads(path, 3000, 250), data) << "older kind " << int(kind);
    }
  }
}

}  // namespace

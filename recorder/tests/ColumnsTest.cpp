// The column path gives, for every channel at once, exactly what ReadRecords gives one channel at
// a time: values, states, alarm bits and the grid times of ReadRecords without record times; in
// both formats, both kinds, both byte orders of the newer format and ranges across the older
// format's ring end. It takes each record of a range from the file once, and one CVTColumns
// object reused for a shorter range holds only that range.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/ReadOnlyFile.h"
#include "recorder/CVTColumns.h"
#include "recorder/CVTData.h"
#include "recorder/FileAccessFactory.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace {

using vt::ReadOnlyFileTestHook;

// One sample as both paths see it.
struct Sample {
  int64_t ticks;
  int32_t low, high;
  int lowState, highState;
  uint8_t flags;
  bool operator==(const Sample&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Sample& s) {
  return os << s.ticks << " " << s.low << "/" << s.high << " states " << s.lowState << "/" << s.highState
            << " flags " << int(s.flags);
}

Sample FromRecords(const CVTData& d, int i) {
  Sample s{};
  TickTime t;
  uint8_t f2 = 0;
  if (d.GetKind() == DATA_KIND_EVENT && d.GetValueType() == VALUE_TYPE_SHORT) {
    int16_t v = 0;
    d.GetEventShort(i, &v, &t, &s.lowState, &s.flags);
    s.low = v;
  } else if (d.GetKind() == DATA_KIND_EVENT) {
    d.GetEventInt(i, &s.low, &t, &s.lowState, &s.flags);
  } else if (d.GetValueType() == VALUE_TYPE_SHORT) {
    int16_t a = 0, b = 0;
    d.GetDisplayShort(i, &a, &b, &t, &s.lowState, &s.highState, &s.flags, &f2);
    s.low = a, s.high = b;
  } else {
    d.GetDisplayInt(i, &s.low, &s.high, &t, &s.lowState, &s.highState, &s.flags, &f2);
  }
  s.ticks = t.ticks;
  return s;
}

Sample FromColumns(const vt::CVTColumns& c, int k, int i) {
  const vt::CVTColumns::Column& col = c.GetColumn(k);
  const bool display = c.GetKind() == DATA_KIND_DISPLAY;
  Sample s{};
  s.ticks = c.GetTime(i).ticks;
  s.low = col.values[size_t(i)];
  s.lowState = col.states[size_t(i)];
  s.high = display ? col.maxima[size_t(i)] : 0;
  s.highState = display ? col.maxStates[size_t(i)] : 0;
  s.flags = col.flags[size_t(i)];
  return s;
}

// Reads [start, start + count) of every channel both ways through one reader and compares them.
// Returns the bytes the column read took from the file; counts the value types seen.
uint64_t CompareRange(CVTDataFileAccess& reader, vt::CVTColumns& columns, int start, int count, int types[2],
                      const std::string& what) {
  std::vector<int> all;
  for (int c = 0; c < reader.GetChannelCount(); ++c) all.push_back(c);
  ReadOnlyFileTestHook::ResetBytesRead();
  EXPECT_EQ(reader.ReadColumns(all, start, count, &columns), 0) << what;
  const uint64_t bytes = ReadOnlyFileTestHook::BytesRead();
  EXPECT_EQ(columns.GetCount(), count) << what;
  EXPECT_EQ(columns.GetChannelCount(), int(all.size())) << what;
  if (count == 0) return bytes;  // an empty range: nothing to compare (ReadRecords allocates nothing)
  for (int k = 0; k < int(all.size()); ++k) {
    CVTData d;
    EXPECT_EQ(reader.ReadRecords(all[size_t(k)], start, count, &d, false), 0) << what;
    const vt::CVTColumns::Column& col = columns.GetColumn(k);
    EXPECT_EQ(col.channelIndex, all[size_t(k)]);
    if (!col.hasSamples) {
      EXPECT_EQ(d.GetCount(), 0) << what << " channel " << k;
      continue;
    }
    ++types[col.valueType == VALUE_TYPE_INT ? 1 : 0];
    EXPECT_EQ(d.GetValueType(), col.valueType) << what;
    EXPECT_EQ(d.GetCount(), count) << what << " channel " << k;
    int wrong = 0;  // the first few differences only
    for (int i = 0; i < std::min(count, d.GetCount()) && wrong < 3; ++i)
      if (!(FromColumns(columns, k, i) == FromRecords(d, i))) {
        ++wrong;
        ADD_FAILURE() << what << " channel " << k << " record " << i << ": columns "
                      << FromColumns(columns, k, i) << ", records " << FromRecords(d, i);
      }
  }
  return bytes;
}

TEST(Columns, EqualReadRecordsForEveryChannelInBothFormats) {
  vt_test::ScopedTimeZone utc("UTC");
  vt_test::TempFolder dir;
  struct File {
    std::string path, what;
    uint64_t recordSize;
  };
  std::vector<File> files;
  for (int kind : {1, 2})
    for (bool bigEndian : {false, true}) {
      recgen::NewerFile m = recgen::SampleNewerFile(kind, bigEndian);
      recgen::FillNewerRecords(m, 3000);
      const std::string name = std::string(bigEndian ? "be" : "le") + (kind == 1 ? ".DAE" : ".DAD");
      files.push_back(
          {dir.Write(name, recgen::WriteNewerFile(m).bytes), "newer " + name, uint64_t(m.RecordSize())});
    }
  for (auto layout : {recgen::OlderLayout::Fixed, recgen::OlderLayout::Directory})
    for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
      recgen::OlderModel m = recgen::SampleOlderModel(layout, kind, 3000);
      m.ringStart = 1234;  // ranges that cross the end of the ring
      const recgen::OlderFile f = recgen::WriteOlder(m);
      const std::string name =
          std::string(layout == recgen::OlderLayout::Fixed ? "fixed" : "dir") + (kind ? ".DDS" : ".DEV");
      ASSERT_TRUE(f.WriteTo(dir / name));
      files.push_back({dir / name, "older " + name, uint64_t(f.recordSize)});
    }
  int types[2] = {0, 0};
  for (const File& f : files) {
    CVTDataFileAccess* opened = nullptr;
    ASSERT_EQ(CreateFileAccess(f.path, &opened), 0) << f.what;
    std::unique_ptr<CVTDataFileAccess> reader(opened);
    vt::CVTColumns columns;  // one object for every range, as a range-by-range caller keeps it
    // A range read once from the file for all channels, one across the ring end, the whole
    // file, then a short range into the grown arrays.
    EXPECT_EQ(CompareRange(*reader, columns, 0, 700, types, f.what), 700 * f.recordSize) << f.what;
    CompareRange(*reader, columns, 1500, 1000, types, f.what);
    CompareRange(*reader, columns, 0, 3000, types, f.what);
    CompareRange(*reader, columns, 2990, 10, types, f.what);
    CompareRange(*reader, columns, 5, 0, types, f.what);
    // Refused: a channel outside the table, a range past the last record.
    EXPECT_EQ(reader->ReadColumns({reader->GetChannelCount()}, 0, 10, &columns), 1) << f.what;
    EXPECT_EQ(reader->ReadColumns({0}, 2995, 10, &columns), 1) << f.what;
    EXPECT_EQ(reader->ReadColumns({0}, 0, 10, nullptr), 1) << f.what;
  }
  EXPECT_GT(types[0], 0) << "no 16-bit channel was compared";
  EXPECT_GT(types[1], 0) << "no 32-bit channel was compared";
}

}  // namespace

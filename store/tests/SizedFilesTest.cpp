// The generator's sized files, read back through the reader factory: every option arrives in
// both formats, and a run of files made as a recorder writes them imports as one batch.
#include <gtest/gtest.h>

#include "ImportTestSupport.h"
#include "platform/base/Paths.h"
#include "recorder/FileAccessFactory.h"
#include "testing/ScopedEnvironment.h"

namespace {

using store_test::ImportFixture;

class SizedFilesTest : public ImportFixture {};

struct Read {
  std::string serial;
  int channels = 0, interval = 0, dataKind = -1, startFactor = 0, stopFactor = 0;
  int64_t start = 0, end = 0, memStart = 0;
  int64_t startSeconds = 0;
  vt::Guid guid;
};

Read ReadBack(const std::string& path) {
  CVTDataFileAccess* reader = nullptr;
  Read r;
  EXPECT_EQ(CreateFileAccess(path, &reader), 0) << path;
  if (!reader) return r;
  reader->GetSerialNo(&r.serial);
  r.channels = reader->GetChannelCount();
  r.interval = reader->GetDataInterval();
  r.dataKind = reader->GetDataKind();
  r.startFactor = reader->GetStartFactor();
  r.stopFactor = reader->GetStopFactor();
  reader->GetStartDataNo(&r.start);
  reader->GetEndDataNo(&r.end);
  reader->GetMemStartDataNo(&r.memStart);
  reader->GetOriginalDataGuid(&r.guid);
  TickTime t;
  reader->GetStartTime(&t);
  r.startSeconds = (t.ticks - vt::kEpochDifferenceTicks) / vt::kTicksPerSecond;
  delete reader;
  return r;
}

TEST_F(SizedFilesTest, EveryOptionArrivesInBothFormats) {
  vt_test::ScopedTimeZone zone("Europe/Berlin");
  recgen::SizedOptions o;
  o.channels = 70;
  o.records = 321;
  o.intervalMs = 2000;
  o.startSeconds = 1710000000;
  o.serial = "SN42";
  o.guid = {0xCAFEBABE, 0x1234, 0x5678, {9, 8, 7, 6, 5, 4, 3, 2}};
  o.startDataNo = 5000;
  o.memStartDataNo = 4000;
  o.triggerDataNo = 5001;
  o.startFactor = 4;
  o.stopFactor = 5;
  for (bool bigEndian : {false, true}) {
    for (int kind : {1, 2}) {
      const Read r =
          ReadBack(Source(kind == 1 ? "N.DAE" : "N.DAD", recgen::SizedNewerFile(o, kind, bigEndian)));
      EXPECT_EQ(r.serial, "SN42");
      EXPECT_EQ(r.channels, 70);
      EXPECT_EQ(r.interval, 2000);
      EXPECT_EQ(r.start, 5000);
      EXPECT_EQ(r.end, 5320);
      EXPECT_EQ(r.memStart, 4000);
      EXPECT_EQ(r.startFactor, 4);
      EXPECT_EQ(r.stopFactor, 5);
      EXPECT_EQ(r.startSeconds, 1710000000);
      EXPECT_EQ(r.guid, o.guid);
    }
  }
  o.channels = 50;
  o.intervalMs = 500;
  o.startFactor = 2;
  o.stopFactor = 2;
  for (recgen::OlderLayout layout : {recgen::OlderLayout::Fixed, recgen::OlderLayout::Directory}) {
    for (uint8_t kind : {uint8_t(0), uint8_t(1)}) {
      const Read r =
          ReadBack(Source(kind == 0 ? "O.DEV" : "O.DDS", recgen::SizedOlderModel(o, layout, kind)));
      EXPECT_EQ(r.serial, "SN42");
      EXPECT_EQ(r.channels, 50);
      EXPECT_EQ(r.interval, 500);
      EXPECT_EQ(r.dataKind, kind);
      EXPECT_EQ(r.start, 5000);
      EXPECT_EQ(r.end, 5320);
      EXPECT_EQ(r.memStart, 4000);
      EXPECT_EQ(r.startSeconds, 1710000000);
    }
  }
}

TEST_F(SizedFilesTest, ARunOfFilesImportsAsOneBatchInBothFormats) {
  vt_test::ScopedTimeZone zone("UTC");
  recgen::SizedOptions o;
  o.records = 30;
  for (int k = 0; k < 4; ++k) {
    const std::string n = std::to_string(k);
    ASSERT_EQ(Import(Source("N" + n + ".DAE", recgen::SizedNewerFile(o))), STORE_OK);
    recgen::SizedOptions older = o;
    older.serial = "OLDER";
    ASSERT_EQ(Import(Source("O" + n + ".DEV", recgen::SizedOlderModel(older))), STORE_OK);
    o.startDataNo += o.records;
    o.startSeconds += o.records;
  }
  EXPECT_EQ(
      Query("SELECT inst_serial_no, COUNT(DISTINCT cont_data_id), COUNT(*) FROM file GROUP BY 1 ORDER BY 1;"),
      "OLDER|1|4\nS5T812345|1|4\n");
}

}  // namespace

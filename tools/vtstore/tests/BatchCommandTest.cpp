// The batch command of vtstore on a generated batch: files, time blocks and records with a gap
// record, and its refusals.
#include <gtest/gtest.h>

#include "StoredDataFixture.h"
#include "tools/vtstore/BatchCommand.h"

namespace {

using store_test::kBaseMs;
using store_test::RecordingFile;
using store_test::RecordingGuid;

class BatchCommandTest : public store_test::StoredDataTest {};

TEST_F(BatchCommandTest, PrintsFilesBlocksAndRecords) {
  // 2023-11-14 22:13:20 UTC on: three records, then three more after a gap of two intervals.
  const std::string first = Store(RecordingFile(1, 1, 3, kBaseMs, 1000), "A.DAE");
  const std::string second = Store(RecordingFile(1, 4, 3, kBaseMs + 5000, 1000), "B.DAE");
  const std::string guid = RecordingGuid(1).ToText();
  std::string out, error;
  ASSERT_EQ(BatchCommand(folder_, {guid, "--records", "1", "2023-11-14 22:13:21", "2023-11-14T22:13:26.500"},
                         out, error),
            0)
      << error;
  const std::string expected =
      "batch " + guid +
      "\n"
      "span: 2023-11-14 22:13:20.000 .. 2023-11-14 22:13:27.000\n"
      "kind: event, interval: 1000 ms, records: 6 (by interval 8), time changes: 0\n"
      "files: 2\n"
      "  file 0: " +
      folder_ + "/" + first +
      ", 3 records, 2023-11-14 22:13:20.000 .. 2023-11-14 22:13:22.000, 1 block(s) from batch block 0\n"
      "  file 1: " +
      folder_ + "/" + second +
      ", 3 records, 2023-11-14 22:13:25.000 .. 2023-11-14 22:13:27.000, 1 block(s) from batch block 0\n"
      "time blocks: 1\n"
      "  block 0: 2023-11-14 22:13:20.000 .. 2023-11-14 22:13:27.000\n"
      "records of channel 1: 6\n"
      "2023-11-14 22:13:21.000  1  state 0  flags 0\n"
      "2023-11-14 22:13:22.000  2  state 0  flags 0\n"
      "2023-11-14 22:13:23.000  no data\n"
      "2023-11-14 22:13:24.000  no data\n"
      "2023-11-14 22:13:25.000  0  state 0  flags 0\n"
      "2023-11-14 22:13:26.000  1  state 0  flags 0\n";
  EXPECT_EQ(out, expected);
  EXPECT_EQ(error, "");
}

TEST_F(BatchCommandTest, RefusesWhatItCannotShow) {
  Store(RecordingFile(1, 1, 3, kBaseMs, 1000), "A.DAE");
  const std::string guid = RecordingGuid(1).ToText();
  struct {
    std::vector<std::string> args;
    int code;
    const char* error;
  } cases[] = {
      {{"not-a-guid"}, 2, "usage"},
      {{guid, "--records", "1"}, 2, "usage"},
      {{RecordingGuid(2).ToText()}, 1, "cannot load batch"},
      {{guid, "--records", "x", "0", "1"}, 2, "--records needs"},
      {{guid, "--records", "1", "yesterday", "1"}, 2, "--records needs"},
      {{guid, "--records", "9", "0", "1"}, 1, "cannot read channel 9 (result 36)"},
  };
  for (const auto& c : cases) {
    std::string out, error;
    EXPECT_EQ(BatchCommand(folder_, c.args, out, error), c.code) << c.error;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
  std::string out, error;
  EXPECT_EQ(BatchCommand(Path("nowhere"), {guid}, out, error), 1);
}

}  // namespace

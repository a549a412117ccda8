// Test support for the older-format reader tests: a fresh temporary folder per test with the zone
// pinned to UTC while it lives, the writing of generated files into it, and the one model with
// every header field, messages and a batch block that the library and access-class tests both
// read.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"
#include "tools/recgen/OlderRecorderFile.h"

// Ten records in a ring that starts at slot 5, three records of two seconds before a trigger
// at 2023-07-01 12:00:00 and four eighths, model LT420, a header text and a message text with
// blanks to remove and a '^' to map, and a batch block whose second comment alone is present.
inline recgen::OlderModel OlderRichModel(recgen::OlderLayout layout, uint8_t kind) {
  recgen::OlderModel m = recgen::SampleOlderModel(layout, kind, 10);
  m.ringStart = 5;
  m.recordsBeforeTrigger = 3;
  m.interval = 2;  // seconds: 16 eighths
  m.trigger.eighths = 4;
  m.modelCode = 0x11;
  m.headerText = "Line ^C   ";
  m.messages = {{"Start", {23, 7, 1, 11, 59, 56, 0, 0}, 1003, 4, 7, "alice"},
                {"Stop  ", {23, 7, 1, 12, 0, 6, 2, 0}, 1010, 0, 1, "bob"}};
  recgen::OlderBatch b;
  b.startUser = "alice";
  b.stopUser = "bob";
  b.stopLevel = 7;
  b.texts = {"first", "", "third"};
  b.batchNo = "B-17";
  b.lot = 42;
  b.commentAuthor = "carol";
  b.comments = {"", "second comment", ""};
  b.commentTime = {23, 7, 1, 13, 0, 0, 0, 0};
  m.batch = b;
  return m;
}

// Recorder clocks are read in the computer's zone: the folder pins it to UTC for its life.
class OlderTempDir {
 public:
  const std::string& Path() const { return folder_.path(); }
  // Writes the file under that name and returns its path.
  std::string Write(const recgen::OlderFile& file, const std::string& name) const {
    const std::string path = folder_ / name;
    EXPECT_TRUE(file.WriteTo(path)) << path;
    return path;
  }

 private:
  vt_test::ScopedTimeZone utc_{"UTC"};
  vt_test::TempFolder folder_;
};

// Recorder files of a chosen size and identity, in both formats, for import tests and
// benchmarks: channel count, record count, data interval, start time, serial number, recording
// GUID and data numbers. Files made with the same recording GUID, serial number and memory start
// data number and with following data numbers form one batch, as a recorder writes them.
#pragma once
#include <cstdint>
#include <string>

#include "platform/base/Guid.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace recgen {

struct SizedOptions {
  int channels = 4;                   // newer: 1 to 348; older: 1 to 60 (fixed) or 270 (directory)
  int records = 100;                  // at least 1
  int intervalMs = 1000;              // older files keep whole eighths of a second
  int64_t startSeconds = 1700000000;  // the first record's time, seconds since 1970 (UTC)
  std::string serial = "S5T812345";
  vt::Guid guid = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};  // newer files only
  int64_t startDataNo = 1;
  int64_t memStartDataNo = 1;  // newer; older files derive it from the data numbers
  int64_t triggerDataNo = 1;   // newer only
  int startFactor = 2;         // 1 manual, 2 auto, 3 restart after black-out, 4 trigger
  int stopFactor = 2;          // 1 manual, 2 auto, 3 black-out, 4 data count
  // Newer files only: groups that a reader takes but an index cannot hold as they are.
  bool repeatGroupChannel = false;  // the group lists its first channel once more at the end
  bool repeatGroupNumber = false;   // a second in-use group, of the first channel, with number 1
};

// A newer-format model (dataKind 1 event, 2 display) with one in-use group of the first channels.
NewerFile SizedNewerFile(const SizedOptions& options, int dataKind = 1, bool bigEndian = false);

// An older-format model (kind 0 event, 1 display). Its record times are local calendar times of
// the computer's zone, so the start time is read in that zone.
OlderModel SizedOlderModel(const SizedOptions& options, OlderLayout layout = OlderLayout::Fixed,
                           uint8_t kind = 0);

}  // namespace recgen

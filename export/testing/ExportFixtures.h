// Recorder files for the export tests, generated into a temporary folder.
#pragma once
#include <string>

#include "testing/TempFolder.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "tools/recgen/OlderRecorderFile.h"
#include "tools/recgen/SizedFiles.h"

namespace export_test {

// The rich sample file: batch information, alarms, messages, a logarithmic channel, reserved
// raw values; 4 channels x 20 records.
inline std::string SampleFile(const vt_test::TempFolder& folder, bool display,
                              const std::string& title = "sample") {
  return folder.Write(title + (display ? ".DAD" : ".DAE"),
                      recgen::WriteNewerFile(recgen::SampleNewerFile(display ? 2 : 1, false)).bytes);
}

// A plain file without batch information.
inline std::string SizedFile(const vt_test::TempFolder& folder, int channels, int records, bool display,
                             const std::string& title = "sized") {
  recgen::SizedOptions o;
  o.channels = channels;
  o.records = records;
  return folder.Write(title + (display ? ".DAD" : ".DAE"),
                      recgen::WriteNewerFile(recgen::SizedNewerFile(o, display ? 2 : 1)).bytes);
}

inline std::string OlderFile(const vt_test::TempFolder& folder, bool display,
                             const std::string& title = "older") {
  return folder.Write(
      title + (display ? ".DDS" : ".DEV"),
      recgen::WriteOlder(recgen::SampleOlderModel(recgen::OlderLayout::Fixed, display ? 1 : 0, 10)).bytes);
}

}  // namespace export_test

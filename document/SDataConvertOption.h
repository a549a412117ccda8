// SDataConvertOption: what one trend conversion of a graph window writes: the time range, the
// groups (0-based), whether cells without a value are padded, the output file and the format.
// The trend-conversion dialog edits it and the graph document keeps the last one.
#pragma once
#include <string>

#include "recorder/TickTime.h"

struct SDataConvertOption {
  TickTime startTime;
  TickTime stopTime;
  int groupFrom = 0;
  int groupTo = 0;
  int cellWithoutValue = 0;  // 0 padding, 1 not padding
  std::string outputPath;
  int format = 0;  // 0 spreadsheet, anything else text

  const std::string& GetOutputPath() const { return outputPath; }
  void SetOutputPath(const std::string& path) { outputPath = path; }
  bool IsText() const { return format != 0; }
};

// The automatic-import folder table of the settings record, as the import worker reads it: eight
// entries, each a folder to scan (with or without its sub-folders) and whether a newly imported
// file is converted at once. The owner keeps the table; the worker reads it at the start of
// every automatic run and never writes it.
#pragma once
#include <string>

inline constexpr int AUTO_IMPORT_FOLDER_COUNT = 8;

namespace vt {

// Convert modes of an entry.
enum AUTO_IMPORT_CONVERT : int {
  AUTO_IMPORT_CONVERT_NONE = 0,
  AUTO_IMPORT_CONVERT_WORKBOOK = 1,
  AUTO_IMPORT_CONVERT_TEXT = 2,
};

struct SAutoImportFolder {
  bool inUse = false;
  bool withSubfolders = false;
  std::string folderPath;
  int convertMode = AUTO_IMPORT_CONVERT_NONE;
};

}  // namespace vt

// CConfigurationFile: the program's own settings record and its text file "VTConfiguration" in
// the data folder: the automatic-import folders and their monitoring interval, the daylight-
// saving rule of the display time zone, the display defaults of new graph windows and three
// remembered destination folders.
//
// The application owns one record for the whole run: defaults first, then the file read over
// them at start-up, and the file written back at exit (and right after the automatic-import
// folders are changed). Everything else reads and changes the members in memory; the import
// worker reads the folder table in place, so whoever changes the table stops the worker first.
//
// The file is line-oriented text with CR LF line ends, bracketed section markers and key=value
// lines. Reading is forgiving by design: keys are found by substring, a section counts only
// once its end marker is read, the last value of a key wins, out-of-range values keep the
// field's value, and surplus folder sections are dropped. Writing replaces the file through a
// temporary file in the same folder, so a crash leaves the old file or the new one, never half.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "store/AutoImportFolder.h"

// The daylight-saving rule of the display time zone. Months 0..11, occurrences 0..4 (4 = the
// last), weekdays 0 = Sunday .. 6, hours 0..23.
struct SDstRule {
  int32_t type = 0;  // 0 no daylight saving, 1 the computer's rule, 2 the rule below
  int32_t summerMonth = 2;
  int32_t summerWeeks = 1;
  int32_t summerWeek = 0;
  int32_t summerHour = 2;
  int32_t winterMonth = 10;
  int32_t winterWeeks = 0;
  int32_t winterWeek = 0;
  int32_t winterHour = 2;
};

// The settings every new graph window starts with.
struct SDisplayDefaults {
  uint32_t gridColor = 0x025E5E5E;  // 0x02bbggrr as set here; the top byte is not kept by the file
  uint32_t backColor = 0x02FFFFFF;
  int32_t tagDisplay = 0;   // 0 channel number, 1 tag name, 2 tag number
  int32_t waveThick = 1;    // 1, 3 or 5 pixels
  int32_t cursorDisp = 0;   // 0 shown, 1 not shown
  int32_t cursorTrans = 0;  // 0 translucent, 1 opaque
  int32_t cellValue = 0;    // 0 padding, 1 no padding
};

class CConfigurationFile {
 public:
  static constexpr int kFolderCount = AUTO_IMPORT_FOLDER_COUNT;
  static constexpr int kIntervalCount = 8;
  // Seconds of each interval choice: off, 10 min, 30 min, 1 h, 6 h, 8 h, 12 h, 24 h.
  static constexpr int32_t kIntervalTable[kIntervalCount] = {0, 600, 1800, 3600, 21600, 28800, 43200, 86400};
  // The longest quoted value the reader takes, in bytes.
  static constexpr std::size_t kMaxValueLength = 1023;
  static constexpr const char* kFileName = "VTConfiguration";

  // Empty folder entries and strings; the other values are set by SetDefaults.
  CConfigurationFile();
  virtual ~CConfigurationFile();
  CConfigurationFile(const CConfigurationFile&) = delete;
  CConfigurationFile& operator=(const CConfigurationFile&) = delete;

  // Every member to its default, the drive kept, the file path "<drive>/Morvane/Vantrel/DATA/
  // VTConfiguration" formatted and its folder created with every missing parent.
  void SetDefaults(const std::string& drive);
  // Reads the file over the record; false (record unchanged) when it cannot be opened. A
  // missing file is created empty.
  bool LoadConfiguration();
  // Writes the whole record; false when the file cannot be written (the old one stays).
  bool SaveConfiguration();

  // The file's text for the record as it stands, and the reading of a file's text into it.
  std::string FormatText() const;
  void ReadText(std::string_view text);

  // The monitoring interval in seconds; 0 (no automatic import) for a choice outside the table,
  // which a hand-edited file may hold and which the record keeps as read.
  int32_t GetIntervalSeconds() const;
  // A non-zero interval and at least one folder in use.
  bool IsAutoImportConfigured() const;

  vt::SAutoImportFolder m_folderTable[kFolderCount];
  int32_t m_interval = 0;
  SDstRule m_dstRule;
  std::string m_filePath;
  std::string m_drive;
  SDisplayDefaults m_displayDefaults;
  std::string m_fileExpFolder;
  std::string m_dataCnvFolder;
  std::string m_fileCnvFolder;
};

// RecFile: the reader library of the older recorder files (.DEV event data, .DDS display data).
//
// Plain functions with integer results (0 success, 1 failure unless stated) over a small handle
// whose kind code names the layout (fixed 320-byte header, or 208-byte header with a section
// directory) and the data kind. RecFileOpen checks the whole file once (layout marks, model,
// both checksums) and bounds every offset, size and count the file states against the file
// size, so that no later read can leave its buffers; the descriptor stays open until
// RecFileClose. Outputs come in structs whose fields follow the library's fixed output order.
// Texts are handed out as UTF-8; the serial number also raw, because the recording GUID is
// built from its bytes.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Handle kind codes: layout and data kind.
enum : uint16_t {
  RECFILE_FIXED_EVENT = 0x30,
  RECFILE_FIXED_DISPLAY = 0x31,
  RECFILE_DIR_EVENT = 0x40,
  RECFILE_DIR_DISPLAY = 0x41,
};

struct RecFileState;

struct RecFileHandle {
  uint16_t kind = 0;
  RecFileState* state = nullptr;
};

struct RecFileTimes {
  std::array<uint8_t, 16> serialRaw{};  // the field as stored
  uint32_t firstDataNo = 0;             // 0 when the position base equals the number of records
  uint32_t lastDataNo = 0;
  int32_t firstSeconds = 0;
  int firstEighths = 0;
  int32_t lastSeconds = 0;
  int lastEighths = 0;
  int kindChar = 0;  // 0x30 event, 0x31 display
  int clockChanges = 0;
  int startFactorCode = 0;
  int stopFactorCode = 0;
};

struct RecFileInfo {
  int measuredChannels = 0;
  int computedChannels = 0;  // type 6, 32-bit samples
  uint32_t records = 0;
  int one = 1;
  int intervalSeconds = 0;
  int intervalEighths = 0;  // the eighths left over after the whole seconds
  uint32_t recordsBeforeTrigger = 0;
  int32_t triggerSeconds = 0;
  int triggerEighths = 0;
  int alarmListsPresent = 0;
  int alarmLevels = 4;
  int messages = 0;
  std::string modelName;
  int checksumResult = 0;
  int alarmEntries = 0;
  int computationChannels = -1;  // directory layout: channel numbers 100..269
};

struct RecFileHeaderInfo {
  std::string serial;         // as stored (decoded, not mapped)
  uint32_t dataNoBefore = 0;  // data number before the first record
  uint32_t lastDataNo = 0;
  uint32_t positionBase = 0;
  int16_t word10 = 0;
  std::string headerText;
  int clockChanges = 0;
  int startFactorCode = 0;
  int stopFactorCode = 0;
  int batchPresent = 0;
  int startLevel = -1;
  std::string startUser;
  int stopLevel = -1;
  std::string stopUser;
  int batchInfoPresent = 0;
  std::array<std::string, 3> batchTexts;
  std::string batchNo;
  int lotNo = -1;
  std::string commentAuthor;
  int32_t commentSeconds = 0;
  int commentEighths = 0;
  std::array<std::string, 3> comments;
  int tagsUsed = 0;       // 1 when the tag switch is 0
  int byte185 = 0;        // 1, 2, else 0
  int periodSeconds = 0;  // count x minute, hour, day or week
  int zero = 0;
};

struct RecFileChannel {
  int wide = 0;      // 1 for a type-6 channel
  int wide2 = 0;     // the same
  std::string name;  // "CH%02d" of the channel number + 1
  std::string tag;
  std::string text2;  // always empty
  std::string unit;
  int decimals = 0;
  double scaleLower = 0;
  double scaleUpper = 0;
  uint32_t colour = 0;  // COLORREF, low byte red
  int logScale = 0;
  int scaleKind = 0;  // 1 linear with scaling, 3 logarithmic, else 0
  int lowerExponent = 0;
  int upperExponent = 0;
};

struct RecFileMessage {
  int64_t recordIndex = 0;  // counted from 0
  int32_t seconds = 0;
  int eighths = 0;
  std::string text;
  int numberMinus1 = 0;
  int attribute = 0;
  std::string user;
};

struct RecFileGroupChannel {
  int channelIndex = -1;
  int present = 1;
  double scaleLower = 0;
  double scaleUpper = 0;
  int spanLower = 0;
  int spanUpper = 0;
  std::array<int, 4> tripOn{};
  std::array<double, 4> tripValue{};
  uint32_t colour = 0;
  int switchOn = 0;
  int logScale = 0;
};

struct RecFileAlarm {
  int channelIndex = -1;
  int level = 0;
  int type = 0;
  int64_t onRecord = -1;  // counted from 0; -1 when the on data number is 0
  int32_t onSeconds = 0;
  int onEighths = 0;
  int64_t offRecord = -1;
  int32_t offSeconds = 0;
  int offEighths = 0;
};

int RecFileOpen(const std::string& path, RecFileHandle** out);
int RecFileClose(RecFileHandle* handle);
// The kind character (0x30 or 0x31); 0xFFFF for a null handle.
int RecFileGetTimes(const RecFileHandle* handle, RecFileTimes* out);
int RecFileGetInfo(const RecFileHandle* handle, RecFileInfo* out);
int RecFileGetHeaderInfo(const RecFileHandle* handle, RecFileHeaderInfo* out);
int RecFileGetChannel(const RecFileHandle* handle, int channelIndex, RecFileChannel* out);
// Row = channel index (event data) or 2 x index + 0/1 for minima/maxima (display data).
// Values of 16-bit channels are sign-extended. The time is always that of the file's first
// record. A row or first record out of range reads nothing and succeeds.
int RecFileReadSamples(const RecFileHandle* handle, int row, int64_t firstRecord, int64_t count,
                       int32_t* firstSeconds, int* firstEighths, std::vector<int32_t>* values);
// One byte per requested record that lies in the file: bit i set when the record lies in an
// alarm of level i of that channel; bytes of value 0 when the file or channel has no alarm lists.
int RecFileGetAlarmBits(const RecFileHandle* handle, int channelIndex, int64_t firstRecord, int64_t count,
                        std::vector<uint8_t>* bits);
int RecFileGetMessage(const RecFileHandle* handle, int index, RecFileMessage* out);
int RecFileGetGroupLimits(const RecFileHandle* handle, int* groups, int* channelsPerGroup);
int RecFileGetGroupName(const RecFileHandle* handle, int groupIndex, std::string* name, int* channelCount);
int RecFileGetGroupChannel(const RecFileHandle* handle, int groupIndex, int slot, RecFileGroupChannel* out);
int RecFileGetAlarm(const RecFileHandle* handle, int index, RecFileAlarm* out);

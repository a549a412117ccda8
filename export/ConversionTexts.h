// The texts of converted files: labels of the header, data, alarm and mark sections and the texts
// of recorder codes. Most are fixed English texts. The names of the alarm and mark sheets are
// numbered texts of the program's string table; the export sits below that table, so the program
// hands it a lookup at start-up (SetTextLookup), and without one, or for an id the lookup has no
// text for, the built-in English text stands: a converter run without the program (vtconvert,
// tests) writes the same bytes as the program with its own table.
#pragma once
#include <cstdint>
#include <string>

namespace vtexport::text {

// A text the string table gives by id, with the English text it holds there.
struct NumberedText {
  uint32_t id;
  const char* builtIn;
};

inline constexpr NumberedText kAlarmList{3215, "Alarm list"};
inline constexpr NumberedText kMarkList{3216, "Mark list"};
// Every numbered text, so that a test can hold them against the string table.
inline constexpr NumberedText kNumberedTexts[] = {kAlarmList, kMarkList};

// Where numbered texts come from: a function of the id that returns "" for an id it has no text
// for. nullptr (the default) keeps the built-in texts. Set it before conversions start; the
// lookup is called from the conversion threads and must be safe there.
using TextLookup = std::string (*)(uint32_t id);
void SetTextLookup(TextLookup lookup);

// The text of a numbered text: the lookup's, or the built-in one.
std::string Load(const NumberedText& text);

inline constexpr const char* kTitle = "Vantrel R2.02.01";
inline constexpr const char* kBatchName = "Batch Name";
inline constexpr const char* kFileMessage = "File Message";
inline constexpr const char* kInstrumentType = "Instrument type";
inline constexpr const char* kSerialNo = "Serial No.";
inline constexpr const char* kTimeCorrection = "Time Correction";
inline constexpr const char* kStartTime = "Start time";
inline constexpr const char* kEndTime = "End time";
inline constexpr const char* kStartCond = "Start Cond.";
inline constexpr const char* kEndCond = "End Cond.";
inline constexpr const char* kNumberOfTags = "Number of tags";
inline constexpr const char* kDataCount = "Data Count";
inline constexpr const char* kSampleRate = "Sample rate";
inline constexpr const char* kSec = "Sec.";
inline constexpr const char* kBatchText = "Batch text";
inline constexpr const char* kBatchComment = "Batch Comment";
inline constexpr const char* kChannelNumber = "Channel number";
inline constexpr const char* kTagName = "Tag name";
inline constexpr const char* kTagNo = "Tag No.";
inline constexpr const char* kUnit = "Unit";
inline constexpr const char* kDate = "Date";
inline constexpr const char* kTime = "Time";
inline constexpr const char* kMin = "Min";
inline constexpr const char* kMax = "Max";
inline constexpr const char* kStatus = "Status";
inline constexpr const char* kLevel = "Level";
inline constexpr const char* kType = "Type";
inline constexpr const char* kTitleColumn = "Title";
inline constexpr const char* kComment = "Comment";
inline constexpr const char* kInputUserName = "Input user name";
inline constexpr const char* kGroup = "Group";
inline constexpr const char* kOperationTime = "Operation Time";
inline constexpr const char* kNo = "No";
inline constexpr const char* kAll = "ALL";
inline constexpr const char* kOn = "ON";
inline constexpr const char* kOff = "OFF";
inline constexpr const char* kAck = "ACK";
inline constexpr const char* kOverPlus = "+OVER";

}  // namespace vtexport::text

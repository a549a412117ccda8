// The fixed texts of converted files: labels of the header, data, alarm and mark sections and
// the texts of recorder codes. Converted files are always written with these English texts.
#pragma once

namespace vtexport::text {

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
inline constexpr const char* kAlarmList = "Alarm list";
inline constexpr const char* kMarkList = "Mark list";
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

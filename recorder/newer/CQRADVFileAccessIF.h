// CQRADVFileAccessIF: the interface through which the newer-format access class reads a file.
// It hands out header, batch, group, channel, message and alarm data as plain values, with all
// times as {seconds since 1970, milliseconds}, and derives what the file does not store directly
// (start, trigger and message times). Results: 0 success, 1 no file open, 2 invalid file,
// 3 index or range outside the data, 7 file could not be opened, 8 read error, 9 item not
// present, 12 checksum error.
#pragma once
#include <cstdint>
#include <string>

#include "platform/base/Guid.h"
#include "recorder/newer/CQRAFile.h"

namespace vt {

enum QRADV_RESULT : int {
  QRADV_OK = 0,
  QRADV_NOT_OPEN = 1,
  QRADV_INVALID = 2,
  QRADV_OUT_OF_RANGE = 3,
  QRADV_OPEN_FAILED = 7,
  QRADV_READ_ERROR = 8,
  QRADV_ABSENT = 9,
  QRADV_CHECKSUM = 12,
};

}  // namespace vt

// The interface code of a block-reader code.
int MapQRAResult(int blockCode);

namespace vt {

struct SQRAHeaderInfo {
  std::string serial;
  int64_t startDataNo = 0;
  int64_t endDataNo = 0;
  QRATime startTime;
  QRATime endTime;
  uint32_t textFlags = 0;  // low 16 bits: data kind word's low byte (1 event, 2 display)
  uint32_t timeChangeCount = 0;
  int startFactor = 0;
  int stopFactor = 0;
  vt::Guid guid;
  uint32_t word40 = 0;
};

struct SQRAHeaderFields {
  std::string modelName;
  uint32_t word40 = 0;
  uint16_t word54 = 0;
  uint32_t word56 = 0;
  int one = 1;
  uint16_t word66 = 0;
  int startFactor = 0;
  int stopFactor = 0;
  std::string headerText;
  uint16_t word188 = 0;
  int checksumFlag = 0;  // 1 when the reader met a checksum error
};

struct SQRADataInfo {
  int64_t startDataNo = 0;
  int64_t endDataNo = 0;
  int32_t triggerOffset = 0;  // trigger data number - start data number
  QRATime triggerTime;
  int32_t intervalMs = 0;
  int32_t recordCount = 0;
  int32_t itemCount = 0;
  int32_t alarmCount = 0;
  int32_t alarmLevels = 4;
};

struct SQRAMessage {
  int64_t relativeDataNo = 0;
  std::string user;
  int number = 0;
  uint32_t serial = 0;
  uint32_t secondWord = 0;
  std::string text;
  int word36 = 0;
  int64_t groupMask = 0;  // -1: written to every group of the file
  QRATime messageTime;    // computed from the last record's time and the interval
  QRATime inputTime;
};

struct SQRAChannelInfo {
  int rangeClass = -1;  // 0 for 1-48, 1 for 101-160, 2 for 201-440
  int kind = -1;        // 0 16-bit, 1 32-bit, 3 and 4 the further kinds
  std::string name;
  std::string tag;
  std::string unit;
  int decimals = 0;
  double spanLow = 0;
  double spanHigh = 0;
  int colour = 0;
  int logScale = 0;
  int scaleCode = 0;
  int logExpLow = 0;
  int logExpHigh = 0;
  int word40 = 0;
  int loggingNo = 0;
};

struct SQRAGroupChannel {
  int channelIndex = -1;
  int scaleValid = 0;
  double spanLow = 0;
  double spanHigh = 0;
  int rawMin = 0;
  int rawMax = 0;
  int colour = 0;
  int display = 0;
  int logScale = 0;
  int tripValid[4] = {0, 0, 0, 0};
  double tripValue[4] = {0, 0, 0, 0};
};

}  // namespace vt

class CQRADVFileAccessIF {
 public:
  virtual ~CQRADVFileAccessIF() = default;
  virtual int GetHeaderInfo(vt::SQRAHeaderInfo* out) = 0;
  virtual int Open(const std::string& path) = 0;
  virtual int GetHeaderFields(vt::SQRAHeaderFields* out) = 0;
  virtual int GetChannelCounts(int* count, int* range1, int* range2, int* range3) = 0;
  virtual int GetGroupCounts(int* count, uint32_t* blockWord) = 0;
  virtual int GetBatchUsers(int* startCode, int* stopCode, std::string* startUser, std::string* stopUser,
                            int* batchFlag, int* one) = 0;
  virtual int GetBatchNumber(std::string* batchNo, int* lotNo, int* lotDigits) = 0;
  virtual int GetBatchTextCount() = 0;
  // The table row of that number when there is one, else for numbers 0-7 the batch block's
  // own entry.
  virtual int GetBatchTextRaw(int number, QRABatchText* out) = 0;
  virtual int GetBatchText(int number, std::string* title, std::string* text) = 0;
  virtual int GetBatchCommentCount() = 0;
  virtual int GetBatchCommentRaw(int number, QRABatchComment* out) = 0;
  virtual int GetBatchComment(int number, int32_t* seconds, int32_t* milliseconds, std::string* user,
                              std::string* text) = 0;
  virtual int GetDataInfo(vt::SQRADataInfo* out) = 0;
  virtual int GetMessageCount(int* count) = 0;
  // The entry with its data number made relative to the start data number and its group mask
  // -1 when it covers every group, and the message time computed from the last record's time.
  virtual int GetMessageRaw(int index, QRAMessageEntry* out, QRATime* computedTime) = 0;
  virtual int GetMessage(int index, vt::SQRAMessage* out) = 0;
  virtual int GetGroupInfo(int index, std::string* name, int* channelCount, int* groupNo, int* inUse) = 0;
  virtual int GetGroupChannel(int groupIndex, int place, vt::SQRAGroupChannel* out) = 0;
  // The same with trip lines 1 and 2 only (3 and 4 stay invalid and 0).
  virtual int GetGroupChannel2(int groupIndex, int place, vt::SQRAGroupChannel* out) = 0;
  virtual int GetChannelInfo(int index, vt::SQRAChannelInfo* out) = 0;
  // Values of one channel (display data: sub 0 minimum, 1 maximum). With readTimes the record
  // times go to seconds/milliseconds per record; otherwise their first entries receive the
  // derived time of the start record.
  virtual int ReadChannelValues(int channelIndex, int64_t start, int sub, int64_t count, int32_t* values,
                                int32_t* seconds, int32_t* milliseconds, bool readTimes) = 0;
  virtual int ReadAlarmFlags(int channelIndex, int64_t start, int64_t count, uint8_t* out) = 0;
  // The entry with its channel number replaced by the channel index (-1 stays) and its data
  // number made relative to the start data number.
  virtual int GetAlarm(int index, QRAAlarmEntry* out) = 0;
  virtual int GetTagNoListState() = 0;
  virtual int GetTagNo(int channelIndex, std::string* out) = 0;
  virtual int GetTagNameListState() = 0;
  virtual int GetTagName(int channelIndex, std::string* out) = 0;
  virtual int GetFirstTableString(std::string* out) = 0;
  virtual int GetTaggedCode(int index, uint32_t* out) = 0;
  virtual int GetMemStartDataNo(int64_t* out) = 0;
};

// CVTDataFileAccess: the one abstract reader of recorder data files. A derived reader's Open
// fills the protected record below (header fields, times, data numbers, batch information,
// groups, channels, messages); the base operations only hand those values out. Samples are read
// on demand into a CVTData buffer through ReadRecords, which each reader implements.
//
// Text outputs are UTF-8 and are assigned to the caller's string; a null pointer is skipped.
// 0/1 results mean success/failure. Open returns 0 or one of the results 1, 2, 30 to 33.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/base/Guid.h"
#include "recorder/CVTColumns.h"
#include "recorder/CVTData.h"
#include "recorder/CVTDataHeaderInfo.h"
#include "recorder/RecorderState.h"
#include "recorder/TickTime.h"

namespace vt {

// Results of CVTDataFileAccess::Open (the factory passes them on).
enum FILE_ACCESS_RESULT : int {
  FILE_ACCESS_OK = 0,
  FILE_ACCESS_TABLES_FAILED = 1,  // a reader step failed or memory ran out
  FILE_ACCESS_NO_GROUP_MEMORY = 2,
  FILE_ACCESS_UNSUPPORTED = 30,  // not a recorder file this reader can open and check
  FILE_ACCESS_EXCEPTION = 31,
  FILE_ACCESS_CRC_ERROR = 32,
  FILE_ACCESS_BAD_GROUP = 33,
};

// Data type codes of a channel.
enum CHANNEL_DATA_TYPE : int {
  CHANNEL_TYPE_NONE = 0,
  CHANNEL_TYPE_KIND1 = 1,  // samples not delivered
  CHANNEL_TYPE_SHORT = 3,  // 16-bit values
  CHANNEL_TYPE_INT = 5,    // 32-bit values
  CHANNEL_TYPE_KIND7 = 7,  // samples not delivered
  CHANNEL_TYPE_KIND8 = 8,  // samples not delivered
};

// The outputs of GetChannelInfo, in the order the readers deliver them.
struct SChannelInfo {
  int rangeClass = 0;  // newer files: 1 for 1-48, 2 for 101-160, 3 for 201-440
  int dataType = 0;    // CHANNEL_DATA_TYPE
  std::string name;    // "CH%03d"
  int channelNo = 0;
  std::string tagName;
  std::string tagNo;
  std::string unit;
  int decimals = 0;
  double spanLow = 0;
  double spanHigh = 0;
  int colour = 0;
  int logScale = 0;
  int scaleCode = 0;
  int logExpLow = 0;
  int logExpHigh = 0;
};

// The outputs of GetGroupChannel: one place of a display group.
struct SGroupChannelInfo {
  int channelIndex = -1;  // -1: the place holds no channel
  int scaleValid = 0;
  double spanLow = 0;
  double spanHigh = 0;
  int rawMin = 0;
  int rawMax = 0;
  int tripValid[4] = {0, 0, 0, 0};
  double tripValue[4] = {0, 0, 0, 0};
  int colour = 0;
  int display = 0;
  int logScale = 0;
};

// One display group as the reader keeps it after Open.
struct SFileGroup {
  int groupNo = 0;
  int channelCount = 0;
  std::vector<int> channelNos;  // channelCount entries; -1 for a place without a channel
};

// One message as the reader keeps it after Open.
struct SFileMessage {
  std::string user;
  std::string text;
  std::vector<int> groups;  // 1-based positions in the file's group table, at most 63
  int groupCount = 0;       // -1: written to all groups
  int64_t relativeDataNo = 0;
  int messageNo = 0;
  int serial = 0;
  int secondWord = 0;
  int word36 = 0;
  TickTime messageTime;
  TickTime inputTime;
};

}  // namespace vt

class CVTDataFileAccess {
 public:
  CVTDataFileAccess();
  virtual ~CVTDataFileAccess();
  CVTDataFileAccess(const CVTDataFileAccess&) = delete;
  CVTDataFileAccess& operator=(const CVTDataFileAccess&) = delete;

  virtual int Open(const std::string& path) = 0;
  virtual void Close();
  virtual void GetOpenedPath(std::string* out);
  virtual void GetHeaderText(std::string* out);
  virtual void GetSerialNo(std::string* out);
  virtual void GetHostName(std::string* out);
  virtual void GetInstrumentName(std::string* out);
  virtual void GetRecorderType(std::string* out);
  virtual vt::Guid* GetOriginalDataGuid(vt::Guid* out);
  virtual int GetDataKind();
  virtual int GetStartFactor();
  virtual int GetStopFactor();
  virtual int GetTimeChangeCount();
  virtual int GetDataInterval();
  virtual int GetPowerFailure();
  virtual void GetStartTime(TickTime* out);
  virtual void GetEndTime(TickTime* out);
  virtual void GetCorrectedStartTime(TickTime* out);
  virtual void GetCorrectedEndTime(TickTime* out);
  virtual void GetStartDataNo(int64_t* out);
  virtual void GetEndDataNo(int64_t* out);
  virtual void GetTriggerDataNo(int64_t* out);
  virtual void GetMemStartDataNo(int64_t* out);
  virtual int GetLoggingNo();
  virtual void GetStartUserName(std::string* out);
  virtual void GetStopUserName(std::string* out);
  virtual void GetStartUserCode(int* out);
  virtual void GetStopUserCode(int* out);
  virtual int HasBatchInfo();
  virtual void GetBatchNo(std::string* out);
  virtual int HasLotNo();
  virtual void GetLotNo(int* number, int* digits);
  virtual void GetBatchInfo(std::string* batchNo, int* lotNo, int* digits);
  virtual int GetBatchCommentCount();
  virtual int GetBatchCommentSlots();
  // The comment at that position in ascending number order.
  virtual int GetBatchCommentAt(int position, TickTime* time, std::string* user, std::string* text);
  virtual int GetBatchTextCount();
  virtual int GetBatchTextSlots();
  virtual int GetBatchTextAt(int position, std::string* title, std::string* text);
  virtual int GetGroupCount();
  virtual int GetUsedGroupCount();
  virtual int GetUsedGroupNo(int i);
  virtual int GetGroupInfo(int groupIndex, std::string* name, int* channelCount, int* groupNo, int* inUse);
  virtual int GetGroupChannel(int groupIndex, int place, vt::SGroupChannelInfo* out);
  virtual int FindGroup(int groupNo);
  virtual int GetGroupNo(int groupIndex);
  virtual int FindChannelInGroup(int channelNo, int groupNo);
  virtual int GetChannelCount();
  virtual int GetChannelInfo(int channelIndex, vt::SChannelInfo* out);
  virtual int GetChannelDataType(int channelIndex);
  virtual int FindChannel(int channelNo);
  virtual int GetChannelNo(int channelIndex);
  virtual int GetMessageCount();
  virtual int GetMessage(int index, std::string* user, int* messageNo, int* serial, int64_t* relativeDataNo,
                         int* secondWord, std::string* text, int* word36, int* groupCount,
                         TickTime* messageTime, TickTime* inputTime);
  virtual int GetMessageGroup(int index, int j, int* groupNo);
  // 0 success, 1 failure, 2 no memory for the records.
  virtual int ReadRecords(int channelIndex, int start, int count, CVTData* out, bool readTimes);
  // The same records for several channels at once, as plain arrays (see CVTColumns): the
  // values, states and alarm bits ReadRecords would give, and the grid of times ReadRecords
  // gives without readTimes. The readers take the range's records once for all channels.
  // 0 success, 1 failure (a channel index outside the table, a range past the last record),
  // 2 no memory.
  virtual int ReadColumns(const std::vector<int>& channelIndexes, int start, int count, vt::CVTColumns* out);
  virtual int GetAlarmCount();
  virtual int GetAlarm(int index, int* channelIndex, int64_t* relativeDataNo, TickTime* time, int* action,
                       int* level, int* type, int* lastWord);
  virtual int GetTriggerTime(TickTime* out);
  // Record positions at which a block of evenly spaced record times starts; returns the count.
  virtual int GetTimeBlockStarts(std::vector<int64_t>* out);
  // Raw samples of count records from a record position, without record times: minima and
  // maxima (display data) or values (event data). firstTime receives the time of the file's
  // first record (older files) or the derived time of the start record (newer files); the
  // number read may be below count where the file ends first. 0 success, 1 failure or a missing
  // output; a reader without samples answers 1.
  virtual int ReadDisplayValues(int channelIndex, int start, int count, TickTime* firstTime,
                                std::vector<int32_t>* minima, std::vector<int32_t>* maxima, int* numberRead);
  virtual int ReadEventRecord(int channelIndex, int start, int count, TickTime* firstTime,
                              std::vector<int32_t>* values, int* numberRead);
  // One alarm-level byte per record (bit k: level k + 1 in alarm). 0 success, 1 failure.
  virtual int ReadAlarmFlags(int channelIndex, int start, int count, std::vector<uint8_t>* flags,
                             int* numberRead);

  // Lookups by number, for walking 0 .. slots - 1.
  int GetBatchComment(int number, TickTime* time, std::string* user, std::string* text) const;
  bool HasBatchText(int number) const;
  int GetBatchText(int number, std::string* title, std::string* text) const;

 protected:
  // Empties the tables that Open appends to (batch comments and texts, groups, channels,
  // messages), so that an object opened again does not keep the previous file's rows.
  void ClearOpenTables();
  // The state table the file's raw values are read with.
  virtual RecorderFormat GetStateFormat() const { return RecorderFormat::Newer; }
  // The time of record `start` from the first time ReadEventRecord or ReadDisplayValues gave.
  virtual TickTime RangeStartTime(TickTime reported, int start) const;
  // Whether a channel of a delivered type has value fields the reader takes (else its values
  // read as 0).
  virtual bool HasValueField(int) const { return true; }

  std::string m_filePath;
  std::string m_headerText;
  std::string m_serialNo;
  std::string m_recorderType;
  std::string m_instrumentName;
  vt::Guid m_guid;
  int m_dataKind = -1;
  int m_startFactor = 0;
  int m_stopFactor = 0;
  int m_powerFailure = 0;
  int m_timeChangeCount = 0;
  int m_dataInterval = 0;
  int m_recordCount = 0;
  TickTime m_startTime;
  TickTime m_endTime;
  TickTime m_correctedStartTime;
  TickTime m_correctedEndTime;
  TickTime m_triggerTime;
  int64_t m_startDataNo = 0;
  int64_t m_endDataNo = 0;
  int64_t m_triggerDataNo = 0;
  int64_t m_memStartDataNo = 0;
  std::string m_startUserName;
  std::string m_stopUserName;
  int m_startUserCode = 0;
  int m_stopUserCode = 0;
  int m_hasBatchInfo = 0;
  std::string m_batchNo;
  int m_lotNo = 0;
  int m_lotDigits = 0;
  int m_hasLotNo = 0;
  std::map<int, SBatchComment> m_batchComments;  // non-empty comments only
  int m_batchCommentSlots = 0;
  std::map<int, SBatchText> m_batchTexts;  // non-empty texts only
  int m_batchTextSlots = 0;
  std::vector<vt::SFileGroup> m_groups;
  std::vector<int> m_usedGroups;  // group indices in use, in file order
  std::vector<int> m_channelNos;  // parallel to m_channelTypes
  std::vector<int> m_channelTypes;
  std::vector<vt::SFileMessage> m_messages;
  int m_alarmCount = 0;
  int m_alarmLevels = 0;
};

// CVTFileInterface: the one interface through which the graph window and the conversions read
// imported data. Two classes implement it: CVTBatch (one batch of continuous data, made of its
// stored files) and CVTFile (one stored data file, whose reader opens only when data are needed).
// The base keeps what both share (GUID, times, storage, id, cached counts, header) and answers
// the few operations that need nothing more.
//
// Batches are read by the user-interface thread and by the trend-conversion thread, and files
// open and close readers lazily, so every operation of a file or a batch and every operation of
// the batch cache runs under one process-wide re-entrant lock (DataLock). Uncontended it costs a
// few tens of nanoseconds per call, nothing beside a read. Lock order: the data lock before a
// storage mutex (a batch load takes the storage mutex inside it), never the other way round.
//
// Block index -1 means the whole recording: every time block in order. All results are
// STORE_RESULT values; times are TickTime values.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/CriticalSection.h"
#include "platform/base/Guid.h"
#include "recorder/CVTAlarmList.h"
#include "recorder/CVTData.h"
#include "recorder/CVTDataFileAccess.h"
#include "recorder/CVTDataHeaderInfo.h"
#include "recorder/CVTMessageList.h"
#include "recorder/TickTime.h"
#include "store/StoreResult.h"

class CVTDataStorage;

// The block index that stands for the whole recording.
inline constexpr int WHOLE_RECORDING_BLOCK = -1;
// Record counts and ranges from this size on are refused with STORE_RANGE_TOO_LARGE.
inline constexpr int64_t RECORD_RANGE_LIMIT = int64_t(1) << 31;

class CVTFileInterface {
 public:
  CVTFileInterface() = default;
  virtual ~CVTFileInterface();
  CVTFileInterface(const CVTFileInterface&) = delete;
  CVTFileInterface& operator=(const CVTFileInterface&) = delete;

  virtual int GetStartTime(TickTime* out);
  virtual int GetStopTime(TickTime* out);
  virtual int GetGuid(vt::Guid* out);
  virtual bool HasChannel(int channelNo) = 0;
  virtual int GetTimeChangeCount() = 0;
  virtual int GetTimeBlockCount() = 0;
  virtual int GetTimeBlock(int block, TickTime* start, TickTime* end) = 0;
  virtual int GetDataKind(int* out) = 0;
  virtual int GetRecordCount(int channelNo, int64_t* out, bool byInterval) = 0;
  // The interval between records in whole milliseconds.
  virtual int GetDataInterval(int channelNo, int* out) = 0;
  virtual int GetChannelDataType(int channelNo, int* out) = 0;
  virtual int ReadRecordsAt(int channelNo, int64_t position, int64_t count, CVTData* buffer) = 0;
  virtual int ReadRecords(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block,
                          bool fillGaps) = 0;
  virtual int GetChannelCount() = 0;
  virtual int GetChannelNo(int index) = 0;
  virtual int GetUsedGroupCount() = 0;
  virtual int GetGroupCount() = 0;
  virtual int GetUsedGroupNo(int i) = 0;
  virtual int GetGroupInfo(int groupNo, std::string* name, int* channelCount, int* inUse) = 0;
  virtual int GetGroupChannelInfo(int groupNo, int channelNo, SGroupChannelInfo* out) = 0;
  virtual int GetChannelInfo(int channelNo, SChannelInfo* out) = 0;
  virtual int GetMessageCount() = 0;
  virtual int GetGroupMessages(int group, CVTMessageList* list, int block);
  virtual int GetAllMessages(CVTMessageList* list, int block);
  virtual int GetMessages(int group, TickTime from, TickTime to, CVTMessageList* list, int block) = 0;
  virtual int GetMessagesInRange(TickTime from, TickTime to, CVTMessageList* list, int block);
  virtual int GetTriggerCount() = 0;
  virtual int GetTriggerTimes(TickTime* times, int capacity, int* count) = 0;
  virtual void CloseReaders() = 0;
  virtual void Unload();
  virtual int GetAlarmCount() = 0;
  virtual int GetAllAlarms(int channelNo, CVTAlarmList* list, int block);
  virtual int GetAlarms(int channelNo, TickTime from, TickTime to, CVTAlarmList* list, int block) = 0;
  // The alarms of the listed channels, and those without channel when withUnassigned is set.
  virtual int GetAlarmsForChannels(const std::vector<int>& channels, CVTAlarmList* list, int block,
                                   bool withUnassigned);
  virtual int BuildHeaderInfo() = 0;

  // Valid once BuildHeaderInfo succeeded.
  const CVTDataHeaderInfo& GetHeaderInfo() const { return m_headerInfo; }
  bool IsLoaded() const { return m_loaded; }
  int64_t GetId() const { return m_id; }

  // The process-wide lock of the stored-data model (see the top of this file).
  static vt::CriticalSection& DataLock();

 protected:
  vt::Guid m_guid;
  TickTime m_startTime;
  TickTime m_stopTime;
  CVTDataStorage* m_storage = nullptr;
  int64_t m_id = 0;  // the batch's cont_data_id, for a file too
  int m_alarmCount = -1;
  int m_messageCount = -1;
  bool m_loaded = false;
  bool m_headerBuilt = false;
  CVTDataHeaderInfo m_headerInfo;
};

namespace vt {

// Holds CVTFileInterface::DataLock for the life of a block.
class DataLockGuard {
 public:
  DataLockGuard() : lock_(CVTFileInterface::DataLock()) { lock_.Enter(); }
  ~DataLockGuard() { lock_.Leave(); }
  DataLockGuard(const DataLockGuard&) = delete;
  DataLockGuard& operator=(const DataLockGuard&) = delete;

 private:
  CriticalSection& lock_;
};

}  // namespace vt

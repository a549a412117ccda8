// CVTFileInterface: the one interface through which the graph window and the conversions read
// imported data. Two classes implement it: CVTBatch (one batch of continuous data, made of its
// stored files) and CVTFile (one stored data file, whose reader opens only when data are needed).
// The base keeps what both share (GUID, times, storage, id, cached counts, header) and answers
// the few operations that need nothing more.
//
// Batches are read by the user-interface thread and by the trend-conversion thread, and files
// open and close readers lazily, so every operation of a file or a batch runs under that batch's
// own re-entrant lock (ReadLock; the files of a batch share it, a file outside a batch has its
// own). Reads of different batches thus run in parallel: a long read of one batch holds no
// other. The batch cache has a lock of its own (DataLock). Uncontended a lock costs a few tens
// of nanoseconds per call, nothing beside a read.
// Lock order: the cache lock before a batch lock before a storage mutex (a batch load takes the
// storage mutex inside it). A batch read that finds too many readers open only tries the cache
// lock and the other batches' locks (CVTBatchCache::CloseIdleReaders), so it never waits for them.
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
  virtual int GetGroupChannelInfo(int groupNo, int channelNo, vt::SGroupChannelInfo* out) = 0;
  virtual int GetChannelInfo(int channelNo, vt::SChannelInfo* out) = 0;
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

  // The lock of the batch cache (see the top of this file).
  static vt::CriticalSection& DataLock();
  // The lock every operation of this object runs under.
  vt::CriticalSection& ReadLock() const { return *m_lock; }
  // Runs this object's operations under owner's lock from now on (a batch's files share it).
  void UseLockOf(const CVTFileInterface& owner) { m_lock = owner.m_lock; }

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

 private:
  mutable vt::CriticalSection m_ownLock;
  vt::CriticalSection* m_lock = &m_ownLock;
};

namespace vt {

// Holds a lock of the stored-data model for the life of a block: the cache lock
// (CVTFileInterface::DataLock) by default, or the given one (an object's ReadLock).
class DataLockGuard {
 public:
  DataLockGuard() : lock_(CVTFileInterface::DataLock()) { lock_.Enter(); }
  explicit DataLockGuard(CriticalSection& lock) : lock_(lock) { lock_.Enter(); }
  ~DataLockGuard() { lock_.Leave(); }
  DataLockGuard(const DataLockGuard&) = delete;
  DataLockGuard& operator=(const DataLockGuard&) = delete;

 private:
  CriticalSection& lock_;
};

}  // namespace vt

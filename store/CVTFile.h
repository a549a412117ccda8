// CVTFile: one stored data file of a batch (one `file` row of the index). Everything comes from
// its reader, which opens on the first operation that needs it and can be closed at any time
// (CloseReaders); a closed reader opens again on the next need. The process-wide count of open
// readers lets the batch cache close them all in bulk when too many are open.
//
// A file's records fall into time blocks, runs of evenly spaced record times: one block when the
// file has no time changes, else the blocks its reader reports. Within a block record positions
// follow from times, so a time window is read with one reader call per block.
//
// Files are made, initialised and deleted by their batch only.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "recorder/CVTColumns.h"
#include "store/CVTFileInterface.h"

namespace vt {

// One piece of a column read (CVTFile::ReadColumns, CVTBatch::ReadColumns): `count` records at
// first, first + interval, ..., either read from a file (columns) or, between two files of a
// batch, a gap that no record covers (every sample of it reads as no data).
struct SColumnPiece {
  TickTime first;
  int64_t intervalMs = 0;
  int count = 0;
  const CVTColumns* columns = nullptr;  // null for a gap
  // For each column of `columns`, the place of its channel in the requested list; a requested
  // channel the file does not have gets no column.
  const std::vector<int>* places = nullptr;
};

}  // namespace vt
// Takes one piece; false stops the read (the read then ends with STORE_INTERRUPTED).
using ColumnSink = std::function<bool(const vt::SColumnPiece&)>;

class CVTFile : public CVTFileInterface {
 public:
  explicit CVTFile(CVTDataStorage* storage);
  ~CVTFile() override;

  // relativePath is the storage-relative file_path; recordCount is end - start data number + 1.
  int Init(const std::string& relativePath, int64_t fileId, int64_t batchId, int64_t recordCount,
           int timeChangeCount, const vt::Guid& batchGuid, TickTime start, TickTime end, TickTime trigger);
  // The reader, opened when needed; null when it cannot be opened (the storage is then marked
  // "ABNORMALFILES"). Another thread may close it: use it only while holding the data lock.
  CVTDataFileAccess* GetFileAccess();

  bool HasChannel(int channelNo) override;
  int GetTimeChangeCount() override;
  int GetTimeBlockCount() override;
  int GetTimeBlock(int block, TickTime* start, TickTime* end) override;
  int GetDataKind(int* out) override;
  int GetRecordCount(int channelNo, int64_t* out, bool byInterval) override;
  int GetDataInterval(int channelNo, int* out) override;
  int GetChannelDataType(int channelNo, int* out) override;
  int ReadRecordsAt(int channelNo, int64_t position, int64_t count, CVTData* buffer) override;
  int ReadRecords(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block,
                  bool fillGaps) override;
  // The records ReadRecords would give (without gap filling) for several channels at once,
  // handed to the sink in pieces of at most rangeRecords records: each record is read once for
  // all the channels.
  int ReadColumns(const std::vector<int>& channelNos, TickTime from, TickTime to, int block, int rangeRecords,
                  const ColumnSink& sink);
  int GetChannelCount() override;
  int GetChannelNo(int index) override;
  int GetUsedGroupCount() override;
  int GetGroupCount() override;
  int GetUsedGroupNo(int i) override;
  int GetGroupInfo(int groupNo, std::string* name, int* channelCount, int* inUse) override;
  int GetGroupChannelInfo(int groupNo, int channelNo, vt::SGroupChannelInfo* out) override;
  int GetChannelInfo(int channelNo, vt::SChannelInfo* out) override;
  int GetMessageCount() override;
  int GetMessages(int group, TickTime from, TickTime to, CVTMessageList* list, int block) override;
  int GetTriggerCount() override;
  int GetTriggerTimes(TickTime* times, int capacity, int* count) override;
  void CloseReaders() override;
  void Unload() override;
  int GetAlarmCount() override;
  int GetAlarms(int channelNo, TickTime from, TickTime to, CVTAlarmList* list, int block) override;
  int BuildHeaderInfo() override;

  int64_t GetFileId() const { return m_fileId; }
  int64_t GetFileRecordCount() const { return m_recordCount; }
  TickTime GetTriggerTime() const { return m_triggerTime; }
  const std::string& GetPath() const { return m_path; }
  bool HasOpenReader() const {
    vt::DataLockGuard guard(ReadLock());
    return m_reader != nullptr;
  }

  // Readers open in this process, over all files.
  static int OpenReaderCount() { return s_openReaders.load(std::memory_order_relaxed); }

  // Tests: called on the reading thread, under the file's lock, before each read of records
  // from a file's reader. Set it while no other thread reads; an empty function removes it.
  static void SetReadHookForTests(std::function<void(const CVTFile&)> hook);

 private:
  // A count or number the loaded file's reader answers, under the data lock; 0 when the file is not
  // loaded or its reader cannot be opened.
  template <typename Ask>
  int AskReader(Ask ask) {
    vt::DataLockGuard guard(ReadLock());
    if (!m_loaded) return 0;
    CVTDataFileAccess* reader = GetFileAccess();
    return reader != nullptr ? ask(*reader) : 0;
  }

  // Record positions [first, end) of a block.
  void BlockRange(int block, int64_t* first, int64_t* end) const;
  // capacity: the size of a buffer made here when the caller gives none (at least the block's).
  int ReadBlock(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block, int64_t capacity);
  int ReadColumnsOfBlock(const std::vector<int>& channelNos, TickTime from, TickTime to, int block,
                         int rangeRecords, const ColumnSink& sink);
  // The records [*start, *start + *count) of a block that lie in [from, to] (all of them without
  // a regular interval), read with the times of the channel at channelIndex.
  int WindowOfBlock(int channelIndex, int block, TickTime from, TickTime to, int64_t* start, int64_t* count);
  // Whether a reader-relative data number lies in the block (both block starts included);
  // every data number lies in the whole recording.
  bool InBlock(int64_t relativeDataNo, int block) const;
  // The checks shared by the message and alarm listings (loaded, a list, a window that meets the
  // file, a block it has), then the reader.
  int ListingReader(TickTime from, TickTime to, bool hasList, int block, CVTDataFileAccess** reader);
  int ReadRecordTime(int channelIndex, int64_t position, TickTime* out);
  void CloseReader();

  int64_t m_fileId = 0;
  TickTime m_triggerTime;
  int64_t m_recordCount = 0;
  int m_timeChangeCount = 0;
  int m_dataInterval = -1;  // -1 until read from the reader
  std::string m_path;
  std::unique_ptr<CVTDataFileAccess> m_reader;
  int m_blockCount = 0;
  std::vector<int64_t> m_blockStarts;
  std::vector<TickTime> m_blockStartTimes;
  std::vector<TickTime> m_blockEndTimes;

  vt::CVTColumns m_columns;  // the ranges of ReadColumns, kept from call to call
  std::vector<int> m_columnIndexes, m_columnPlaces;

  static std::atomic<int> s_openReaders;
};

// CVTBatch: one batch of continuous data (one continuous_data_info row of the index) and the
// stored files that belong to it, in end_data_no order. Header, channel and group questions are
// answered by the latest file; samples are read across all files in time order, with no-data
// records filling the gaps between files when asked; messages and alarms come from the index.
//
// Time blocks of a batch: the files' blocks in file order, where the first block of a file
// without time changes continues the previous file's last block when the file starts a
// non-negative whole number of data intervals after that block ends, and opens a new block
// otherwise. Each file's first block has a batch block number, its offset. A batch without a
// usable data interval (0 or less) has no regular grid: every later file opens a new block, no
// record is skipped and the record count by interval is the plain sum of the files' counts.
//
// Batches are made, shared and deleted by the batch cache (CVTBatchCache).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "store/CVTFile.h"

class CVTBatch : public CVTFileInterface {
 public:
  explicit CVTBatch(CVTDataStorage* storage);
  ~CVTBatch() override;

  // Loads the batch row and its files under the storage mutex.
  int Load(const vt::Guid& guid);

  bool HasChannel(int channelNo) override;
  int GetTimeChangeCount() override;
  int GetTimeBlockCount() override;
  int GetTimeBlock(int block, TickTime* start, TickTime* end) override;
  int GetDataKind(int* out) override;
  int GetRecordCount(int channelNo, int64_t* out, bool byInterval) override;
  int GetDataInterval(int channelNo, int* out) override;
  int GetChannelDataType(int channelNo, int* out) override;
  // position counts over the records of all files in order.
  int ReadRecordsAt(int channelNo, int64_t position, int64_t count, CVTData* buffer) override;
  int ReadRecords(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block,
                  bool fillGaps) override;
  // The records ReadRecords would give, for several channels at once, handed to the sink in
  // pieces of at most rangeRecords records, in time order across the files; with fillGaps the
  // grid points between two files of a block come as gap pieces. Each stored record is read
  // once for all the channels. STORE_INVALID_CHANNEL when the latest file lacks one of them.
  int ReadColumns(const std::vector<int>& channelNos, TickTime from, TickTime to, int block, bool fillGaps,
                  int rangeRecords, const ColumnSink& sink);
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
  int GetAlarmsForChannels(const std::vector<int>& channels, CVTAlarmList* list, int block,
                           bool withUnassigned) override;
  int BuildHeaderInfo() override;

  int GetFileCount() const { return int(m_files.size()); }
  // The file at that place in end_data_no order; null outside the list.
  CVTFile* GetFile(int i) const;
  // The batch block number of the file's first block.
  int GetFileBlockOffset(int i) const;

 private:
  int LoadFiles();
  // The file's own block for a batch block: WHOLE_RECORDING_BLOCK for the whole batch, else
  // block - offset (which may lie outside the file's blocks).
  int FileBlock(size_t file, int block) const;
  bool HasFileBlock(size_t file, int block) const;
  // Whether a file without time changes that starts at `start` opens a new block after a
  // block that ended at `previousEnd`.
  bool OpensNewBlock(TickTime previousEnd, TickTime start) const;
  int AddGapRecords(TickTime previousEnd, TickTime nextStart, TickTime from, TickTime to,
                    CVTData* buffer) const;
  // The grid points previousEnd + k intervals, k in [*k0, *k1], that lie before nextStart and in
  // [from, to]; false when there are none.
  bool GapPoints(TickTime previousEnd, TickTime nextStart, TickTime from, TickTime to, int64_t* k0,
                 int64_t* k1) const;
  // The time span of the file's part of a block and of the file before it, when both have one.
  bool FileBlockSpans(size_t i, int block, TickTime* previousEnd, TickTime* start) const;
  int AddAlarmRows(const std::string& sql, const std::vector<int>& binds, TickTime from, TickTime to,
                   bool bindTimes, CVTAlarmList* list);
  // Closes every cached batch's readers once the process holds too many.
  static void CheckReaderLimit();

  std::vector<std::unique_ptr<CVTFile>> m_files;
  std::vector<int> m_fileOffsets;
  int64_t m_recordCount = 0;
  int64_t m_recordCountByInterval = 0;
  int m_dataInterval = 0;  // of the first file's first channel, whole milliseconds
  int m_timeChangeCount = 0;
  int m_timeBlockCount = 0;
  std::vector<TickTime> m_triggerTimes;
};

// CQRADVFileAccess: the reader interface over the block reader CQRAFile. It translates block
// reader codes, converts and derives times, scales channel spans and trip lines into engineering
// values, and hands out the tables as plain values.
#pragma once
#include <memory>
#include <vector>

#include "recorder/newer/CQRADVFileAccessIF.h"
#include "recorder/newer/CQRAFile.h"

class CQRADVFileAccess : public CQRADVFileAccessIF {
 public:
  CQRADVFileAccess() = default;
  ~CQRADVFileAccess() override;

  int GetHeaderInfo(vt::SQRAHeaderInfo* out) override;
  // A second call returns the first call's result.
  int Open(const std::string& path) override;
  // Closes the file and forgets it, so that the next Open reads a file afresh.
  void Close();
  int GetHeaderFields(vt::SQRAHeaderFields* out) override;
  int GetChannelCounts(int* count, int* range1, int* range2, int* range3) override;
  int GetGroupCounts(int* count, uint32_t* blockWord) override;
  int GetBatchUsers(int* startCode, int* stopCode, std::string* startUser, std::string* stopUser,
                    int* batchFlag, int* one) override;
  int GetBatchNumber(std::string* batchNo, int* lotNo, int* lotDigits) override;
  int GetBatchTextCount() override;
  int GetBatchTextRaw(int number, QRABatchText* out) override;
  int GetBatchText(int number, std::string* title, std::string* text) override;
  int GetBatchCommentCount() override;
  int GetBatchCommentRaw(int number, QRABatchComment* out) override;
  int GetBatchComment(int number, int32_t* seconds, int32_t* milliseconds, std::string* user,
                      std::string* text) override;
  int GetDataInfo(vt::SQRADataInfo* out) override;
  int GetMessageCount(int* count) override;
  int GetMessageRaw(int index, QRAMessageEntry* out, QRATime* computedTime) override;
  int GetMessage(int index, vt::SQRAMessage* out) override;
  int GetGroupInfo(int index, std::string* name, int* channelCount, int* groupNo, int* inUse) override;
  int GetGroupChannel(int groupIndex, int place, vt::SQRAGroupChannel* out) override;
  int GetGroupChannel2(int groupIndex, int place, vt::SQRAGroupChannel* out) override;
  int GetChannelInfo(int index, vt::SQRAChannelInfo* out) override;
  int ReadChannelValues(int channelIndex, int64_t start, int sub, int64_t count, int32_t* values,
                        int32_t* seconds, int32_t* milliseconds, bool readTimes) override;
  int ReadAlarmFlags(int channelIndex, int64_t start, int64_t count, uint8_t* out) override;
  int GetAlarm(int index, QRAAlarmEntry* out) override;
  int GetTagNoListState() override;
  int GetTagNo(int channelIndex, std::string* out) override;
  int GetTagNameListState() override;
  int GetTagName(int channelIndex, std::string* out) override;
  int GetFirstTableString(std::string* out) override;
  int GetTaggedCode(int index, uint32_t* out) override;
  int GetMemStartDataNo(int64_t* out) override;

  // The times of count records from start, read from the records themselves.
  int ReadRecordTimes(int64_t start, int64_t count, int32_t* seconds, int32_t* milliseconds);
  // One channel's values in a column read (sub 1: the maxima of display data) and where they and
  // their recorder states go, count of each.
  struct ChannelColumn {
    int channelIndex = 0;
    int sub = 0;
    int32_t* values = nullptr;
    uint8_t* states = nullptr;
  };
  // The values ReadChannelValues gives, for several channels over the same records, read in one
  // pass over the records; a channel whose records hold no 2- or 4-byte value gets zeros.
  // std::bad_alloc when no memory is left for reading.
  int ReadChannelColumns(int64_t start, int64_t count, const std::vector<ChannelColumn>& columns);
  // The derived time of record `start`, as ReadChannelValues gives it without readTimes.
  int GetDerivedTime(int64_t start, int32_t* seconds, int32_t* milliseconds);
  // The value size in bytes of a channel (0 outside the table).
  int GetValueSize(int channelIndex) const;
  bool IsDisplayData() const;

 private:
  bool IsOpen() const { return m_file != nullptr && m_openResult == vt::QRADV_OK; }
  // Milliseconds since 1970 of the record `before` records ahead of the last one.
  int64_t BackFromLast(int64_t before) const;

  std::unique_ptr<CQRAFile> m_file;
  int m_openResult = vt::QRADV_NOT_OPEN;
};

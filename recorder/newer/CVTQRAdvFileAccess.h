// CVTQRAdvFileAccess: the reader of newer recorder files (".DAE" event data, ".DAD" display
// data). Open reads everything the reader hands out, once, through the newer-format reader
// interface into the base record: header fields, times, data numbers, users, batch information,
// channels, display groups, batch comments and texts, messages, and the time blocks of a file
// whose clock was changed during recording. Samples, alarm bits and alarms are read on demand.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "recorder/CVTDataFileAccess.h"
#include "recorder/newer/CQRADVFileAccess.h"

class CVTQRAdvFileAccess : public CVTDataFileAccess {
 public:
  CVTQRAdvFileAccess();
  ~CVTQRAdvFileAccess() override;

  int Open(const std::string& path) override;
  int GetLoggingNo() override;
  int GetGroupInfo(int groupIndex, std::string* name, int* channelCount, int* groupNo, int* inUse) override;
  int GetGroupChannel(int groupIndex, int place, vt::SGroupChannelInfo* out) override;
  int GetChannelInfo(int channelIndex, vt::SChannelInfo* out) override;
  // 0 success, 1 failure (also when an append to the buffer fails), 2 no memory.
  int ReadRecords(int channelIndex, int start, int count, CVTData* out, bool readTimes) override;
  // Every channel's fields of the range from one pass over its records.
  int ReadColumns(const std::vector<int>& channelIndexes, int start, int count, vt::CVTColumns* out) override;
  int GetAlarm(int index, int* channelIndex, int64_t* relativeDataNo, TickTime* time, int* action, int* level,
               int* type, int* lastWord) override;
  int GetTimeBlockStarts(std::vector<int64_t>* out) override;

  // Minima and maxima of count records without record times; firstTime is the derived time of
  // the start record. 0 success, 1 failure.
  int ReadDisplayValues(int channelIndex, int start, int count, TickTime* firstTime,
                        std::vector<int32_t>* minima, std::vector<int32_t>* maxima, int* numberRead) override;
  int ReadEventRecord(int channelIndex, int start, int count, TickTime* firstTime,
                      std::vector<int32_t>* values, int* numberRead) override;
  int ReadAlarmFlags(int channelIndex, int start, int count, std::vector<uint8_t>* flags,
                     int* numberRead) override;

 protected:
  bool HasValueField(int channelIndex) const override;

 private:
  int ReadTimeBlocks();
  int RecordTime(int64_t position, TickTime* out);

  CQRADVFileAccess m_reader;
  std::vector<int64_t> m_timeBlocks;
};

// CVTQRFileAccess: the reader of the older recorder files (".DEV" event data, ".DDS" display
// data) behind the common reader interface. Open runs the RecFile library once, takes over
// every header value, builds the group, channel, message and alarm tables, synthesises the
// recording GUID (the files carry none) and checks that the first and last record can be read;
// samples are then read through the library on demand.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "recorder/CVTDataFileAccess.h"
#include "recorder/older/RecFile.h"

class CVTQRFileAccess : public CVTDataFileAccess {
 public:
  CVTQRFileAccess();
  ~CVTQRFileAccess() override;

  int Open(const std::string& path) override;
  void Close() override;
  int GetGroupInfo(int groupIndex, std::string* name, int* channelCount, int* groupNo, int* inUse) override;
  int GetGroupChannel(int groupIndex, int place, vt::SGroupChannelInfo* out) override;
  int GetChannelInfo(int channelIndex, vt::SChannelInfo* out) override;
  int ReadRecords(int channelIndex, int start, int count, CVTData* out, bool readTimes) override;
  int GetAlarm(int index, int* channelIndex, int64_t* relativeDataNo, TickTime* time, int* action, int* level,
               int* type, int* lastWord) override;
  // The older files have no time blocks: a single 0, and 1.
  int GetTimeBlockStarts(std::vector<int64_t>* out) override;

  // Raw samples of a channel from a record position; the time is that of the file's first
  // record. 0, or 1 when an output is missing or a read fails.
  int ReadDisplayValues(int channelIndex, int first, int count, TickTime* firstTime,
                        std::vector<int32_t>* minima, std::vector<int32_t>* maxima, int* numberRead) override;
  int ReadEventRecord(int channelIndex, int first, int count, TickTime* firstTime,
                      std::vector<int32_t>* values, int* numberRead) override;
  // One alarm-level byte per record of the range that lies in the file.
  int ReadAlarmFlags(int channelIndex, int first, int count, std::vector<uint8_t>* flags,
                     int* number) override;

  // Recorder state of a raw sample (0 for a measured value).
  static int RecorderState16(int16_t value);
  static int RecorderState32(int32_t value);

 protected:
  RecorderFormat GetStateFormat() const override { return RecorderFormat::Older; }
  TickTime RangeStartTime(TickTime reported, int start) const override {
    return reported.PlusMilliseconds(int64_t(start) * m_dataInterval);
  }

 private:
  struct AlarmEvent {
    int channelIndex = 0;
    int level = 0;  // 1..4
    int type = 0;
    int action = 0;  // 1 alarm on, 2 alarm off
    TickTime time;
  };

  int OpenSteps(const std::string& path);
  int TakeHeader();
  void BuildAlarms();
  int BuildMessages();
  int BuildGroups();
  void BuildGuid(const RecFileTimes& times);
  int Probe();

  RecFileHandle* m_handle = nullptr;
  std::string m_commentAuthor;
  TickTime m_commentTime;
  std::vector<AlarmEvent> m_alarmEvents;
  int m_groupLimit = 0;
  int m_tagsUsed = 1;
};

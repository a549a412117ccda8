// CVTAlarmList: the alarm events of a recording, kept in the order of addition (the list never
// sorts: a batch adds in the order of its query, a file in the order of its reader's table).
#pragma once
#include <cstdint>
#include <vector>

#include "recorder/TickTime.h"

struct SAlarmEntry {
  TickTime time;
  int32_t action = 0;
  int32_t type = 0;
  int32_t channel = 0;  // -1: belongs to no channel
  int32_t level = 0;
  int32_t extra = 0;  // the reader's last alarm word; 0 from the index database
};

class CVTAlarmList {
 public:
  virtual ~CVTAlarmList() = default;

  int AddAlarm(int action, int channel, int level, int type, int extra, TickTime time);
  int GetAlarm(int index, TickTime* time, int* channel, int* action, int* level, int* type, int* extra) const;
  int GetCount() const { return int(m_entries.size()); }

 private:
  std::vector<SAlarmEntry> m_entries;
};

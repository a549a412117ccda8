// CVTAlarmList: see CVTAlarmList.h.
#include "recorder/CVTAlarmList.h"

#include <cstddef>

#include "recorder/StoreResult.h"

int CVTAlarmList::AddAlarm(int action, int channel, int level, int type, int extra, TickTime time) {
  SAlarmEntry e;
  e.time = time;
  e.action = action;
  e.type = type;
  e.channel = channel;
  e.level = level;
  e.extra = extra;
  m_entries.push_back(e);
  return STORE_OK;
}

int CVTAlarmList::GetAlarm(int index, TickTime* time, int* channel, int* action, int* level, int* type,
                           int* extra) const {
  if (!time || !channel || !action || !level || !type || !extra) return STORE_FAILED;
  if (index < 0 || index >= GetCount()) return STORE_FAILED;
  const SAlarmEntry& e = m_entries[std::size_t(index)];
  *time = e.time;
  *channel = e.channel;
  *action = e.action;
  *level = e.level;
  *type = e.type;
  *extra = e.extra;
  return STORE_OK;
}

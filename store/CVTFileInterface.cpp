// CVTFileInterface: the shared part of stored files and batches (see CVTFileInterface.h).
#include "store/CVTFileInterface.h"

#include <limits>

namespace {

const TickTime kEarliest(0);
const TickTime kLatest(std::numeric_limits<int64_t>::max());

}  // namespace

CVTFileInterface::~CVTFileInterface() = default;

vt::CriticalSection& CVTFileInterface::DataLock() {
  // Made on first use and never destroyed: batches released during program exit still find it.
  static vt::CriticalSection* lock = new vt::CriticalSection;
  return *lock;
}

int CVTFileInterface::GetStartTime(TickTime* out) {
  vt::DataLockGuard guard(ReadLock());
  if (out == nullptr) return STORE_FAILED;
  *out = m_startTime;
  return STORE_OK;
}

int CVTFileInterface::GetStopTime(TickTime* out) {
  vt::DataLockGuard guard(ReadLock());
  if (out == nullptr) return STORE_FAILED;
  *out = m_stopTime;
  return STORE_OK;
}

int CVTFileInterface::GetGuid(vt::Guid* out) {
  vt::DataLockGuard guard(ReadLock());
  if (out == nullptr) return STORE_FAILED;
  *out = m_guid;
  return STORE_OK;
}

int CVTFileInterface::GetGroupMessages(int group, CVTMessageList* list, int block) {
  return GetMessages(group, kEarliest, kLatest, list, block);
}

int CVTFileInterface::GetAllMessages(CVTMessageList* list, int block) {
  return GetMessagesInRange(kEarliest, kLatest, list, block);
}

int CVTFileInterface::GetMessagesInRange(TickTime from, TickTime to, CVTMessageList* list, int block) {
  return GetMessages(0, from, to, list, block);
}

void CVTFileInterface::Unload() {
  vt::DataLockGuard guard(ReadLock());
  m_loaded = false;
  m_id = 0;
  m_alarmCount = -1;
  m_messageCount = -1;
  m_startTime = TickTime();
  m_stopTime = TickTime();
  m_guid = vt::Guid();
}

int CVTFileInterface::GetAllAlarms(int channelNo, CVTAlarmList* list, int block) {
  return GetAlarms(channelNo, kEarliest, kLatest, list, block);
}

int CVTFileInterface::GetAlarmsForChannels(const std::vector<int>&, CVTAlarmList*, int, bool) {
  return STORE_FAILED;
}

// CVTMessageList: see CVTMessageList.h.
#include "recorder/CVTMessageList.h"

#include <algorithm>

#include "recorder/StoreResult.h"

int CVTMessageList::AddMessage(int groupCount, const int* groups, const std::string& user,
                               const std::string& text, int number, TickTime messageTime,
                               TickTime inputTime) {
  if (groups == nullptr) return STORE_FAILED;
  SMessageEntry e;
  e.user = user;
  e.text = text;
  e.number = number;
  e.messageTime = messageTime;
  e.inputTime = inputTime;
  // Readers of an entry never see a count above the slots, so loops stay inside the array.
  e.groupCount = std::min(groupCount, MESSAGE_GROUPS_MAX);
  for (int i = 0; i < e.groupCount; ++i) e.writeGroups[size_t(i)] = groups[i];
  m_entries.push_back(std::move(e));
  return STORE_OK;
}

int CVTMessageList::GetMessage(int index, std::string* user, std::string* text, int* number,
                               TickTime* messageTime, TickTime* inputTime, int* groupCount,
                               int* groups) const {
  if (!user || !text || !number || !messageTime || !inputTime || !groupCount || !groups) return STORE_FAILED;
  if (index < 0 || index >= GetCount()) return STORE_FAILED;
  const SMessageEntry& e = m_entries[size_t(index)];
  *user = e.user;
  *text = e.text;
  *number = e.number;
  *messageTime = e.messageTime;
  *inputTime = e.inputTime;
  *groupCount = e.groupCount;
  std::copy(e.writeGroups.begin(), e.writeGroups.end(), groups);
  return STORE_OK;
}

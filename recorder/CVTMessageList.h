// CVTMessageList: the operator messages of a recording, in the order they were added, as a
// stored file or a batch hands them to the graph window. Plain values; no sorting, no checks.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "recorder/TickTime.h"

constexpr int MESSAGE_GROUPS_MAX = 63;

struct SMessageEntry {
  std::string user;
  std::string text;
  TickTime messageTime;
  TickTime inputTime;
  std::array<int32_t, MESSAGE_GROUPS_MAX> writeGroups{};  // first groupCount are meaningful
  int32_t groupCount = 0;                                 // 0..63, or -1: written to all display groups
  int32_t number = 0;
};

class CVTMessageList {
 public:
  virtual ~CVTMessageList() = default;

  // groups must be given even when groupCount is 0 or -1; more than 63 keeps the first 63.
  int AddMessage(int groupCount, const int* groups, const std::string& user, const std::string& text,
                 int number, TickTime messageTime, TickTime inputTime);
  // groups receives all 63 slots.
  int GetMessage(int index, std::string* user, std::string* text, int* number, TickTime* messageTime,
                 TickTime* inputTime, int* groupCount, int* groups) const;
  int GetCount() const { return int(m_entries.size()); }
  void Clear() { m_entries.clear(); }

 private:
  std::vector<SMessageEntry> m_entries;
};

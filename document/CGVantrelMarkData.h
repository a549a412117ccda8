// The marks of a graph window: recorder marks made from the messages a recorder wrote (text, user,
// write groups) and user marks added in the window and kept with a saved graph. Each mark is one
// CGVantrelMarkData (its gadget id is its mark id) under the document's CGVantrelMarkDataManager,
// and is shown in the document groups of its group mask. A mark crosses to the trend display as a
// 392-byte SNgMarkData record and into saved graphs as a 504-byte record.
//
// One recorder message shown in several groups is one mark with several group bits: adding a mark
// equal to one already held (same source, batch, time, write groups and comment) only adds its
// group bits, found by a walk or, with the key map switched on, by its key.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "document/DocumentRecords.h"
#include "document/NgExchangeRecords.h"
#include "formshift/CFileConverter.h"
#include "gadget/GSortCore.h"
#include "platform/base/Guid.h"
#include "recorder/TickTime.h"

inline constexpr size_t kSavedMarkBytes = 504;
inline constexpr int MARK_SOURCE_RECORDER = 1;
inline constexpr int MARK_SOURCE_USER = 2;
inline constexpr uint64_t kMarkAllGroups = uint64_t(1) << 63;
inline constexpr uint64_t kWrittenToAllGroups = uint64_t(1) << 60;

class CGVantrelMarkData : public CGSortCore {
 public:
  explicit CGVantrelMarkData(CGCore* parent) : CGSortCore(0, parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelMarkData); }
  // Resets every field to its default, then pools or deletes the mark.
  void Release() override;
  // 1 time, 2 title, 3 comment, 4 user name, 5 group text, 6 operation time; negative descending.
  int Compare(CGSortCore* other, int column) override;
  bool Equals(const CGVantrelMarkData& other) const;
  void ResetFields();

  std::string GetTimeText() const;
  std::string GetOperationTimeText() const;
  // What the mark list shows.
  TickTime GetTime() const { return m_time; }
  const std::string& GetTitle() const { return m_title; }
  const std::string& GetComment() const { return m_comment; }
  const std::string& GetUserName() const { return m_userName; }
  // "ALL" with bit 63, else the groups of the set bits 0-49 as "%02d" joined by ",".
  std::string GetGroupText() const;

  void ToNgMarkData(SNgMarkData* r) const;
  void FromNgMarkData(const SNgMarkData& r);
  void ToSavedRecord(uint8_t* record) const;
  // Takes what a saved record shows; the batch identifier is cleared (callers add the rest).
  void FromSavedRecord(const uint8_t* record);

  uint64_t m_groupMask = 0;
  std::string m_label;
  uint32_t m_colour = 0x0200B4FF;
  int m_markKind = 3;
  TickTime m_time;
  int16_t m_noteKind = 1;
  int m_notePosition = 50;
  double m_noteValue = 0.5;
  std::string m_title, m_comment, m_userName;
  TickTime m_operationTime;
  int m_messageNo = 0;
  uint64_t m_writeGroupMask = 0;
  vt::Guid m_batchGuid;
  int m_source = 0;
};

class CGVantrelMarkDataManager : public CGSortCore {
 public:
  explicit CGVantrelMarkDataManager(CGCore* parent) : CGSortCore(1148, parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelMarkDataManager); }

  // Recorder marks of one display group of a batch (group -1: the messages written to all
  // groups), shown in document group groupIndex.
  void LoadMarks(int groupIndex, const std::string& batchGuid, int displayGroup);
  void LoadMarksForTags(int groupIndex, const std::vector<std::pair<std::string, int>>& tags);
  void LoadMarksForGroupMask(int groupIndex, uint64_t mask, const vt::Guid& batch);
  // The union of the write groups of the batch's messages of that display group.
  static uint64_t GetBatchMessageGroupMask(const std::string& batchGuid, int displayGroup);

  // Adds a detached mark; false when it merged into an equal one (the caller releases it).
  bool AddMark(CGVantrelMarkData* mark);
  void AddRecorderMarkFromRecord(int groupIndex, const uint8_t* record);
  void AddUserMarkFromRecord(const uint8_t* record);
  // A detached mark from the pool or a new one (AddMark links it).
  CGVantrelMarkData* NewMark();
  // Links a detached mark as the last one with the next id, never merging it.
  void AdoptMark(CGVantrelMarkData* mark);

  int CountMarks(int groupIndex, int source) const;
  // The marks of the group as trend records, in child order; the array lives until the next call.
  void GetNgMarks(int groupIndex, int* count, const SNgMarkData** array);
  std::vector<std::array<uint8_t, kSavedMarkBytes>> GetUserMarkRecords() const;
  std::vector<std::array<uint8_t, kSavedMarkBytes>> GetRecorderMarkRecords(int groupIndex) const;
  void DetachMarkById(CGCore* destination, int id);
  void DetachUserMarksInRange(int groupIndex, TickTime t0, TickTime t1, CGCore* destination);
  void DeleteRecorderMarks();
  // Every mark released; the ids count again from the first.
  void RemoveAllMarks();
  void RemoveGroups(uint64_t removed, bool includeRecorderMarks);
  CGVantrelMarkData* FindMarkByWriteGroups(uint64_t writeGroups, const vt::Guid& batch) const;
  bool FindPreviousMarkTime(int groupIndex, TickTime t, TickTime fallback, TickTime* out) const;
  bool FindNextMarkTime(int groupIndex, TickTime t, TickTime fallback, TickTime* out) const;
  int SelectRange(TickTime t0, TickTime t1);
  FCONV_ECODE ExportMarkList(int sheet, CFileConverter* converter) const;
  void RebuildKeyMap();
  void SetKeyMapSwitch(bool on) { keyMapOn_ = on; }
  int GetLastId() const { return counter_; }

 private:
  using Key = std::tuple<int, std::array<uint8_t, 16>, int64_t, uint64_t, std::string>;
  static Key KeyOf(const CGVantrelMarkData& m);

  int counter_ = 1193;
  std::vector<SNgMarkData> ngMarks_;
  std::vector<CGVantrelMarkData*> selection_;
  std::map<Key, int> keyMap_;
  bool keyMapOn_ = false;
};

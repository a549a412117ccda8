// The recorder alarms of a graph window's shown channels: one CGVantrelAlarmData per alarm event
// (time, status, level, type, channel and its names) with the texts and the comparison the
// "Alarm list" sorts by; CGVantrelAlarmDataManager, the document's holder of the items, with the
// selection between two times and the alarm sheet of converted files; and VTAlarmLoader, which
// remembers which channels of which batches have their alarms loaded and, when the shown channels
// change, loads only the new ones, or all of them again when a channel went away.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "document/DocumentRecords.h"
#include "formshift/CFileConverter.h"
#include "gadget/GSortCore.h"
#include "platform/base/Guid.h"
#include "recorder/RecorderStatus.h"
#include "recorder/TickTime.h"

// Rows of one alarm or mark sheet below its caption row.
inline constexpr int LIST_SHEET_ROWS = 65535;

class CGVantrelAlarmData : public CGSortCore {
 public:
  explicit CGVantrelAlarmData(CGCore* parent) : CGSortCore(0, parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelAlarmData); }
  // Clears every field, then pools or deletes the item.
  void Release() override;
  // Columns 1 channel label, 2 level, 3 type, 4 status, 5 time; negative columns descending.
  int Compare(CGSortCore* other, int column) override;

  std::string GetStatusText() const;
  std::string GetLevelText() const;
  std::string GetTypeText() const;
  std::string GetTagName() const { return m_channel == -1 ? std::string() : m_tagName; }
  std::string GetTagNo() const { return m_channel == -1 ? std::string() : m_tagNo; }
  std::string GetChannelNumberText() const { return m_channel == -1 ? std::string() : m_channelText; }
  // The name of the document's tag display mode (1 tag name, 2 tag number, else channel number).
  std::string GetChannelLabel() const;
  std::string GetTimeText() const;
  TickTime GetTime() const { return m_time; }
  int GetAlarmType() const { return m_type; }

  TickTime m_time;
  int m_status = 0;
  int m_level = 0;
  int m_type = 0;
  int m_extra = 0;
  int m_channel = 0;
  std::string m_tagName, m_tagNo, m_channelText;
  int m_nameKind = 0;  // the document's tag display mode when the list asks
};

class CGVantrelAlarmDataManager : public CGSortCore {
 public:
  explicit CGVantrelAlarmDataManager(CGCore* parent) : CGSortCore(1149, parent) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelAlarmDataManager); }

  // Selects the items with t0 <= time <= t1, in child order; returns how many.
  int SelectRange(TickTime t0, TickTime t1);
  const std::vector<CGVantrelAlarmData*>& GetSelection() const { return selection_; }
  // Sheet s of the selection: captions, then up to 65,535 items from item s x 65,535 on. 0, or
  // the first failing write's code.
  FCONV_ECODE ExportAlarmList(int sheet, CFileConverter* converter) const;
  void SetNameKind(int kind);
  // Releases every item and forgets the selection.
  void ReleaseItems();

 private:
  std::vector<CGVantrelAlarmData*> selection_;
};

namespace vt {

// The names of one channel of one batch.
struct SVantrelChannelNames {
  std::string channelText, tagNo, tagName;
};

}  // namespace vt

class VTAlarmLoader {
 public:
  using ChannelSets = std::map<vt::Guid, std::set<int>, GuidLess>;
  using ChannelNames = std::map<std::pair<vt::Guid, int>, vt::SVantrelChannelNames,
                                bool (*)(const std::pair<vt::Guid, int>&, const std::pair<vt::Guid, int>&)>;
  static bool KeyLess(const std::pair<vt::Guid, int>& a, const std::pair<vt::Guid, int>& b);

  explicit VTAlarmLoader(CGVantrelAlarmDataManager* manager) : manager_(manager) {}
  void LoadAlarms(const ChannelSets& shown, const ChannelNames& names);
  void ClearAll();
  const ChannelSets& GetLoaded() const { return loaded_; }

 private:
  ChannelSets loaded_;
  CGVantrelAlarmDataManager* manager_;
};

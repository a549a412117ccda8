// CGVantrelGroupData: one of the 50 groups of a graph document, shown on its own tab page. Its
// gadget children are its channel bindings (at most 100); it keeps the channel and axis records
// exchanged with the trend display, the span of its data, the range and page span it prints
// with, and the row-time source of its numeric sheet.
//
// A group entry names the channels to load into one group by channel keys; one key stands for
// one channel per segment of its batch. A channel that fails to bind is released at once, so
// every child of a group sits in the channel table and counts as one of its channels.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/CGVantrelNgChannel.h"
#include "document/CGVantrelNgTime.h"
#include "gadget/ClassRecords.h"
#include "gadget/GCore.h"
#include "platform/base/WindowHandles.h"
#include "store/GraphConfiguration.h"
#include "trend/YAxis.h"

GADGET_DECLARE_RECORD(CGVantrelGroupData)

class CGVantrelMarkDataManager;

inline constexpr int GROUP_COUNT = 50;
inline constexpr int GROUP_CHANNEL_LIMIT = 100;
inline constexpr int64_t SHEET_ROW_LIMIT = 100000000;
// The copy of sheet rows to the clipboard takes at most this many rows.
inline constexpr int64_t COPY_ROW_LIMIT = 1000;

namespace vt {

// The channels of one group to load, as the catalogue commands hand them over.
struct SVantrelGroupEntry {
  std::optional<std::string> name;  // none keeps the group's name
  std::vector<SVantrelChannelKey> keys;
  // {batch GUID text, display group}: the message groups whose marks the channels show.
  std::vector<std::pair<std::string, int>> messageGroups;
};

}  // namespace vt

class CGVantrelGroupData : public CGCore {
 public:
  explicit CGVantrelGroupData(CGCore* container);
  ~CGVantrelGroupData() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGVantrelGroupData); }

  void SetNumber(int n);
  int GetNumber() const { return m_number; }
  const std::string& GetName() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }
  // The name followed by "(%02d)" of the group's position + 1 among its parent's children.
  std::string GetDisplayName() const;
  void Reset();
  void ClearRecords();

  int GetChannelCount() const { return CountChildren(); }
  CGVantrelNgChannel* GetChannel(int slot) const;
  int GetSelectedChannelIndex() const { return m_selectedChannel; }
  void SetSelectedChannelIndex(int slot) { m_selectedChannel = slot; }
  // The selected channel, null when none is selected or its slot is empty.
  CGVantrelNgChannel* GetSelectedChannel() const;
  TickTime GetDataBegin() const { return m_dataBegin; }
  TickTime GetDataEnd() const { return m_dataEnd; }
  PreciseTime GetDataBeginTime() const;
  PreciseTime GetDataEndTime() const;
  double GetSmallestInterval() const { return m_smallestInterval; }
  double GetLargestInterval() const { return m_largestInterval; }
  PreciseTime m_shownStart{-1, 0.0}, m_shownEnd{-1, 0.0};
  int m_axisStripWidth = 200;
  int m_selectedAxis = 0;

  // Loading. owner becomes the owner of every channel bound.
  void SetChannelOwner(vt::NgChannelOwner* owner) { owner_ = owner; }
  CGVantrelNgChannel* NewChannel();
  bool AddChannel(int slot, const vt::SVantrelChannelKey& key, int segment);
  void RegisterChannel(CGVantrelNgChannel* channel, int slot);
  static int CountEntryChannels(const vt::SVantrelGroupEntry& entry);
  // Fills the empty group from slot 0 (message 10105 when the entry holds more than 100).
  bool LoadEntry(const vt::SVantrelGroupEntry& entry, vt::WindowHandle owner);
  // The group's saved entry: name, selected channel, tags, shown range, axis strip width, and
  // its recorder marks (taken from marks).
  void SaveGroup(SGraphGroup& entry, const CGVantrelMarkDataManager* marks, int groupIndex);
  // The entry restored into this empty group, with one more channel for each segment its batch
  // gained since it was saved (up to the channel limit); false when a tag cannot be bound.
  bool RestoreGroup(const SGraphGroup& entry);
  // Appends channels after the existing ones.
  bool AddChannels(const std::vector<vt::SVantrelChannelKey>& keys, vt::WindowHandle owner);
  void SetMessageGroupMask(const std::string& batchGuid, int displayGroup);
  void ClearMessageGroupBits(uint64_t bits, const vt::Guid& batch);

  // Trace and axis records for the trend display: grouping 0 one axis per channel, 1 one axis
  // per unit and scale kind, 2 per unit, scale kind and span. Other groupings build nothing.
  void BuildTraceRecords(int grouping, const SNgChannelSetting** channels, const SNgAxisSetting** axes,
                         int* axisCount, int* channelCount);
  const SNgAxisSetting* GetAxisRecord(int axis, int grouping);
  bool ApplyChannelRecords(int count, const SNgChannelSetting* channels, int axisCount,
                           const SNgAxisSetting* axes);
  int GetAxisCount() const { return m_axisCount; }

  // The shown channels, one per distinct time grid (interval, start and end).
  std::vector<CGVantrelNgChannel*> CollectShownChannels() const;
  // The row-time source, built over the shown channels when their number changed.
  CGVantrelNgTime& EnsureRowTime();
  CGVantrelNgTime& GetRowTime() { return m_rowTime; }
  void ClearRowTime() { m_rowTime.Clear(); }
  void SetRowMarks(CGVantrelMarkDataManager* marks);
  // More than SHEET_ROW_LIMIT rows fail; counted no further than the limit + 1 and remembered
  // until the channel set changes.
  bool CanShowSheet();
  void ReleaseChannelData();
  TickTime GetSelectedChannelStart() const;
  TickTime GetSelectedChannelEnd() const;

  // Printing.
  void SetPrintRange(TickTime t1, TickTime t2);
  TickTime GetPrintLow() const { return m_printLow; }
  TickTime GetPrintHigh() const { return m_printHigh; }
  void SetPageSpan(int mode, int hours);
  int64_t GetPageSpan() const { return m_pageSpan; }
  int64_t GetPrintSpan();
  int GetPrintPageCount();
  void GetPrintPageRange(int page, PreciseTime* start, PreciseTime* end) const;
  double GetPrintSecondsPerDivision(int divisions) const;
  std::string FormatPrintRange() const;

  // Sheet rows between two times: how many (-1 when a time has no row or the rows are out of
  // order), the columns they take, and their clipboard text.
  int64_t CountRows(TickTime t0, TickTime t1);
  int CountShownColumns() const;
  std::string FormatRows(TickTime t0, TickTime t1);

 private:
  void ChannelSetChanged();

  std::string m_name;
  int m_number = 0;
  int m_selectedChannel = 0;
  std::array<CGVantrelNgChannel*, GROUP_CHANNEL_LIMIT> m_channels{};
  std::array<SNgChannelSetting, GROUP_CHANNEL_LIMIT> m_channelRecords{};
  std::array<SNgAxisSetting, GROUP_CHANNEL_LIMIT> m_axisRecords{};
  int m_axisCount = 0;
  double m_smallestInterval = 0.0;
  double m_largestInterval = 0.0;
  TickTime m_dataBegin, m_dataEnd;
  TickTime m_printLow, m_printHigh;
  int64_t m_pageSpan = 0;
  int m_pageSpanMode = 0;
  CGVantrelNgTime m_rowTime;
  vt::NgChannelOwner* owner_ = nullptr;
  // The sheet test's answer for the current channel set.
  std::optional<bool> sheetAllowed_;
};

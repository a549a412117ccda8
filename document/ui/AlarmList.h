// The alarm list screen of a graph window's list view: one row per alarm of the document's
// alarm manager (status, channel, level, type with its icon, time), the rows between the graph's
// cursors A and B shown selected, and the earliest and latest time of rows the user selects
// kept for the owner, which moves the cursors to them. Printing shows the channel number
// whatever the tag display mode.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "document/ui/ListItemCache.h"
#include "gadget/sheet/GList.h"

GADGET_DECLARE_RECORD(CGVTListScreenAlarm)

class CGBitmap;

// Alarm types of an alarm item.
enum : int32_t {
  kAlarmTypeNone = -1,
  kAlarmTypeOff = 0,
  kAlarmTypeHigh = 1,
  kAlarmTypeLow = 2,
  kAlarmTypeDeltaHigh = 3,
  kAlarmTypeDeltaLow = 4,
  kAlarmTypeRateHigh = 5,
  kAlarmTypeRateLow = 6,
  kAlarmTypeDelayHigh = 7,
  kAlarmTypeDelayLow = 8,
};

// The alarm type icons: a strip of 16 x 16 cells (cell n for alarm type n, 1-8; cell 0 empty)
// and its one-bit mask (white marks the icon's pixels).
enum : int { kAlarmTypeIconsId = 347, kAlarmTypeIconsMaskId = 349, kAlarmTypeIconSize = 16 };

class CGVTListScreenAlarm : public CGListScreen {
 public:
  explicit CGVTListScreenAlarm(CGCore* parent);
  ~CGVTListScreenAlarm() override;
  const SGClassInfo* GetClassInfo() const override;

  // The document's broadcast; data is the CGVantrelDoc.
  void OnUpdate(int hint, void* data) override;
  // The earlier of the two times becomes the begin; the marker lines go.
  void SelectByTime(TickTime first, TickTime second) override;
  TickTime GetSelectedBeginTime() override { return m_selBeginTime; }
  TickTime GetSelectedEndTime() override { return m_selEndTime; }
  void SelectRange(int a, int b) override;
  void DrawRow(vt::DeviceContext* dc, const vt::Rect& rect, int row, bool selected) override;
  // The row's time lies within the time selection, both ends included.
  bool IsRowSelected(int row) override;
  int32_t GetContentWidth() override;
  int32_t GetRowHeight() override { return 18; }
  int32_t GetRowCount() override { return m_items.Count(); }
  void BuildPrintRows() override;
  void GetPageRows(int page, int* first, int* last) override;
  void PrintRow(vt::DeviceContext* dc, const vt::Rect& rect, int printRow, int flags) override;
  int32_t GetPrintRowCount() override { return int32_t(m_printRows.size()); }
  int32_t GetItemCount() override { return m_items.Count(); }
  // Types 1-8 give their cell, any other type 0 (no icon).
  virtual int GetIconIndex(int32_t alarmType);

  CGVantrelAlarmDataManager* m_source = nullptr;
  TickTime m_selBeginTime;
  TickTime m_selEndTime;
  int32_t m_channelWidth = 0;
  int32_t m_printChannelWidth = 0;
  CGBitmap* m_iconImage = nullptr;
  CGBitmap* m_iconMask = nullptr;
  // Status, channel number, level, type, time.
  std::vector<std::array<std::string, 5>> m_printRows;

 private:
  void SelectCursorRange(CGVantrelDoc* doc);
  vt::ListItemCache<CGVantrelAlarmData> m_items;
};

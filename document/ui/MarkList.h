// The mark list screen of a graph window's list view: one row per mark (message) of the
// document's mark manager (time, title, comment, user name, groups, operation time). The time
// selection follows the graph's cursors A and B and, unlike the alarm list, shows its edges as
// marker lines: the first line on cursor A's side.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "document/CGVantrelDoc.h"
#include "document/ui/ListItemCache.h"
#include "gadget/sheet/GList.h"

GADGET_DECLARE_RECORD(CGVTListScreenMark)

class CGVTListScreenMark : public CGListScreen {
 public:
  explicit CGVTListScreenMark(CGCore* parent);
  ~CGVTListScreenMark() override;
  const SGClassInfo* GetClassInfo() const override;

  // The document's broadcast; data is the CGVantrelDoc.
  void OnUpdate(int hint, void* data) override;
  // Keeps the two times in their order and puts the marker lines around the rows between
  // them; a negative time clears the lines.
  void SelectByTime(TickTime first, TickTime second) override;
  TickTime GetSelectedBeginTime() override { return m_firstTime; }
  TickTime GetSelectedEndTime() override { return m_secondTime; }
  void SelectRange(int a, int b) override;
  void DrawRow(vt::DeviceContext* dc, const vt::Rect& rect, int row, bool selected) override;
  // The row's time lies between the two times, both ends included.
  bool IsRowSelected(int row) override;
  int32_t GetContentWidth() override;
  int32_t GetRowHeight() override { return 18; }
  int32_t GetRowCount() override { return m_items.Count(); }
  void BuildPrintRows() override;
  void GetPageRows(int page, int* first, int* last) override { SplitPrintPage(page, first, last); }
  void PrintRow(vt::DeviceContext* dc, const vt::Rect& rect, int printRow, int flags) override;
  int32_t GetPrintRowCount() override { return int32_t(m_printRows.size()); }
  int32_t GetItemCount() override { return m_items.Count(); }

  CGVantrelMarkDataManager* m_source = nullptr;
  TickTime m_firstTime;
  TickTime m_secondTime;
  int32_t m_commentWidth = 0;
  int32_t m_printCommentWidth = 0;
  // Time, title, comment, user name, groups, operation time.
  std::vector<std::array<std::string, 6>> m_printRows;

 private:
  void TakeSource(CGVantrelDoc* doc);
  vt::ListItemCache<CGVantrelMarkData> m_items;
};

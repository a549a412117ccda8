// CGVantrelListRoot: the root of a graph window's list view. Two tab pages, "Alarm list" and
// "Mark list", each a scrolling list screen of the document's alarms or marks under a row of
// column-header buttons. A header click sorts its page's list by that column, ascending and
// descending in turn; selecting rows sets the document's cursors A and B to the selection's
// time span, so the graph, the sheet and the other page follow. The root keeps no document
// state: the screens read the document's managers.
#pragma once
#include <array>
#include <cstdint>

#include "document/CGVantrelDoc.h"
#include "gadget/GSkRoot.h"

GADGET_DECLARE_RECORD(CGVantrelListRoot)

class CGList;
class CGListScreen;
class CGSkPageController;
class CGVTListScreenAlarm;
class CGVTListScreenMark;

class CGVantrelListRoot : public CGSkRoot {
 public:
  enum : int {
    kAlarmPage = 0,
    kMarkPage = 1,
    kAlarmBarId = 1145,
    kMarkBarId = 1146,
    // The first header button of each page; the others follow in column order.
    kFirstAlarmButtonId = 1134,
    kFirstMarkButtonId = 1139,
    kAlarmChannelButtonId = 1135,
    kMarkCommentButtonId = 1141,
  };
  // The stretching column's least width and the fixed columns beside it.
  static constexpr int kAlarmStretchMin = 203, kAlarmFixed = 464;
  static constexpr int kMarkStretchMin = 259, kMarkFixed = 714;

  CGVantrelListRoot(CGVantrelDoc* doc, vt::HostWindow* host);
  const SGClassInfo* GetClassInfo() const override;

  // Builds the root and its tree over the host's client area, shows the alarm page and hands
  // the screens their rows; null when the root cannot be made.
  static CGVantrelListRoot* Create(vt::HostWindow* host, CGVantrelDoc* doc);

  void Layout() override;
  void OnUpdate(int hint, void* data) override;
  void OnSize(int32_t cx, int32_t cy) override;
  // Restores a minimised frame and makes it the active child.
  virtual void ActivateWindow();

  // The header button of column (1-based, as the items sort) of page was clicked.
  void SortByColumn(int page, int column);
  // The stretching columns take the width the list leaves over the fixed ones.
  void SetColumnWidths();

  CGVantrelDoc* GetVantrelDoc() const { return doc_; }
  CGSkPageController* GetPageController() const { return controller_; }
  CGVTListScreenAlarm* GetAlarmScreen() const { return alarms_; }
  CGVTListScreenMark* GetMarkScreen() const { return marks_; }
  CGList* GetList(int page) const;

  // Set by the list view before printing when the print range is the cursor range.
  uint8_t m_cursorRangeOnly = 0;

  // A list screen's selection changed (event 1, data: nothing; the root is the screen's).
  static void OnSelectionChanged(CGPrimitive* source, int code, void* data);
  // A header button was clicked.
  static void OnHeaderClicked(CGPrimitive* source, int code, void* data);

 private:
  void Build();
  CGListScreen* MakePage(int page);
  void SetChannelCaption();
  void Repaint();

  CGVantrelDoc* doc_;
  CGSkPageController* controller_ = nullptr;
  CGVTListScreenAlarm* alarms_ = nullptr;
  CGVTListScreenMark* marks_ = nullptr;
  // One direction bit per column and page: set after an ascending sort.
  std::array<uint32_t, 2> descending_{};
};

// The list root that hosts gadget, or null.
CGVantrelListRoot* ListRootOf(CGCore* gadget);

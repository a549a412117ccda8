// CGVantrelSheetRoot: the root of a graph window's sheet view. One tab page per group of the
// document; the current group's page holds the one trend sheet, a row per sample time of the
// group with the time column at the left and a column per channel. The root keeps the sheet's
// row selection equal to the document's cursors A and B, its selected column equal to the
// group's selected channel, and its row marks, alarm colouring, name kind and padding equal to
// the document's settings. Through the trend sheet's hooks a click on a mark icon opens the mark
// editor, a click on a column title selects the channel in every view and a row selection sets
// the cursors. Like the other roots it holds no state of its own.
#pragma once
#include <vector>

#include "document/CGVantrelDoc.h"
#include "gadget/GSkRoot.h"

GADGET_DECLARE_RECORD(CGVantrelSheetRoot)

class CGNgChannel;
class CGNgSDigital;
class CGSkPageController;

class CGVantrelSheetRoot : public CGSkRoot {
 public:
  // A group whose row source holds more rows than this cannot be printed.
  static constexpr int kPrintRowLimit = 5242880;

  CGVantrelSheetRoot(CGVantrelDoc* doc, vt::HostWindow* host);
  const SGClassInfo* GetClassInfo() const override;

  // The trend sheet's look and hooks, the page controller and the 50 tab pages.
  void Build();
  void Layout() override;
  void OnUpdate(int hint, void* data) override;
  void OnSize(int32_t cx, int32_t cy) override;
  // Edit > Copy to clipboard: the current group's rows between the cursors.
  void Copy() override;
  // Restores a minimised frame and makes it the active child.
  virtual void ActivateWindow();

  // View > Sheet cell without value: 1 padding, 0 not; nothing without a sheet.
  void SetPadding(int mode);
  // Edit > Append Group: the first group without channels becomes current and its tab shows;
  // the graph root's tab row follows.
  void AppendGroup();
  // The tab row steps to the document's current group (another root appended a group); the
  // sheet in the new page, if any, is hidden.
  void FollowAppendedGroup();
  // The current group has channels and at most kPrintRowLimit rows.
  bool CanPrint();

  CGVantrelDoc* GetVantrelDoc() const { return doc_; }
  CGSkPageController* GetPageController() const { return controller_; }
  // The sheet, wherever it is in the tree; null without one.
  CGNgSDigital* FindSheet() const;

  // The trend sheet's hooks (each works on the root of the gadget it is given).
  static void OnMarkClickHook(CGPrimitive* source, int, int);
  static void OnColumnSelectHook(CGPrimitive* source, int, int);
  static void OnRowSelectHook(CGPrimitive* source, int, int);
  static void OnTabChanged(CGPrimitive* source, int code, void* data);

 private:
  // Hints 10 and 27: the tab row, then the sheet moved to (or made in) the current page and
  // bound to the group; scrolled to the time position (27) or cursor B (10).
  void ShowCurrentGroup(bool toTimePosition);
  // The selection follows the cursors; the sheet scrolls to cursor B's row, else cursor A's.
  void ApplyCursors(bool toCursorB);
  void ScrollToTime(PreciseTime t);
  // The current page's title, help text and visibility; the controller shows it.
  void StepTabRow();
  void MarkModified();
  void Repaint();

  CGVantrelDoc* doc_;
  CGSkPageController* controller_ = nullptr;
  // The sheet's channels: its time column keeps a pointer to this array.
  std::vector<CGNgChannel*> channels_;
};

// The sheet root that hosts gadget, or null.
CGVantrelSheetRoot* SheetRootOf(CGCore* gadget);

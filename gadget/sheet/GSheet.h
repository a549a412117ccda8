// The sheet: a scrolling table of lines and typed columns. CGSheet (a scroll manager) owns the
// table-wide state (line count, line height, selection, focus line) and the back references
// to its two headers; CGSheetScreen is the scrolled body whose children are the columns laid
// side by side; every part of a sheet is a CGSheetGadget, which finds its enclosing sheet.
//
// Printing cuts the visible columns into blocks that fit the page width (pages across) and
// the lines to print (all, or the selected range) into pages of whole lines (pages down).
#pragma once
#include "gadget/GScroll.h"
#include "gadget/sheet/GSheetRecords.h"

class CGSheet;
class CGSheetArray;
class CGSColumn;

class CGSheetGadget : public CGPrimitive {
 public:
  using CGPrimitive::CGPrimitive;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSheetGadget); }
  // The gadget's nearest ancestor (or itself) that is a sheet; null when none.
  virtual CGSheet* GetSheet() const;
};

// Calls f on every child primitive whose own style is visible, in ring order.
template <typename F>
void ForEachShownChild(const CGCore* parent, F&& f) {
  for (CGCore* c = parent->GetFirstChild(); c; c = parent->NextChild(c))
    if (IsPrimitive(c) && (static_cast<CGPrimitive*>(c)->GetStyle() & GSTYLE_VISIBLE))
      f(static_cast<CGPrimitive*>(c));
}

// The system cursor in the coordinates of the gadget's rectangle; false without a host.
bool CursorInRectCoords(const CGPrimitive* gadget, vt::Point* out);

// The sheet of a node: the node itself or its nearest CGSheet ancestor.
CGSheet* FindSheet(const CGCore* node);

class CGSheet : public CGScrollManager {
 public:
  CGSheet(CGCore* parent, int left, int top, int width, int height, int id, int style, int frameWidth,
          int barWidth, int lineCount, int lineHeight);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSheet); }

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void ApplyPrintScale(int scale) override;
  void ScalePrintRects(int scale) override;
  // page: the print job's page number, the first being 1.
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void SetScrollX(int x) override;
  void SetScrollY(int y) override;
  void SetPrintPage(int page) override;
  // A sheet never takes the mouse wheel: a press is routed as in any group and leaves the
  // root's wheel target as it was (the other scroll managers become the target on a press).
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;

  virtual void InsertLines(int at, int count);
  virtual void DeleteLines(int at, int count);
  virtual void SetLineCount(int count);
  // Centres the line in the body; nothing is redrawn.
  virtual void ScrollToLine(int line);
  virtual int GetSelectedCount() const;
  virtual int GetPrintContentWidth() const;

  // Stores both ends unchanged (-1, -1 clears); draws nothing.
  void SetSelection(int first, int last) {
    m_selectionFirst = first;
    m_selectionLast = last;
  }
  void GetPrintLineRange(int* first, int* last) const;
  // The lines per printed row of the body (1 without a sheet body).
  int LinesPerRow() const;
  // Called by the headers when they are built and when they go.
  void RegisterLineHeader(CGSheetArray* header) { m_lineHeader = header; }
  void RegisterColumnHeader(CGSColumn* header) { m_columnHeader = header; }

  CGSheetArray* m_lineHeader = nullptr;
  CGSColumn* m_columnHeader = nullptr;
  int m_lineCount;
  int m_lineHeight;
  int m_selectionFirst = -1;
  int m_selectionLast = -1;
  int m_focusLine = 0;
  int m_hotLine = 0;
  int m_printLineHeight = 0;
};

class CGSheetScreen : public CGScroll {
 public:
  CGSheetScreen(CGCore* parent, int id, int style);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSheetScreen); }

  void Layout() override;
  void LayoutTree() override;
  void ApplyPrintScale(int scale) override;
  void ScalePrintRects(int scale) override;
  void PrintTree(vt::DeviceContext* dc, int page) override;
  void FitContentToView() override { LayoutTree(); }

  virtual void SetLineCount(int count);
  virtual int CountColumnBlocks() const;
  virtual int GetBlockX(int block) const;
  virtual void InsertLines(int at, int count);
  virtual void DeleteLines(int at, int count);
  // Copies the lines' rectangle, cut by the body's visible rectangle, to the window.
  virtual void FlushLines(int first, int last);

  // The lines on the current print page; (0, -1) outside a sheet.
  void GetVisibleLineRange(int* first, int* last) const;
  // The lines' rectangle in root coordinates (the body's width); empty outside a sheet.
  void GetLineRangeRect(int first, int last, vt::Rect* out) const;
  int GetPrintLineHeight() const;
  CGSheet* Sheet() const;

  int m_linesPerRow = 1;

 private:
  // Walks the visible columns into blocks of the print width; the callback gets each column
  // that starts a new block (after the first) with the block's number.
  template <typename F>
  int WalkBlocks(F&& onNewBlock) const;
};

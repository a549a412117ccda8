// Record lists: one record per row in fixed-width columns under a row of column title buttons.
//
// CGList is the frame: a scroll manager holding a column header above a scrolling body and two
// scroll bars; it keeps the header in step with horizontal scrolling and prints the header
// between two rules. CGListScreen is the abstract body: it paints the visible rows on
// alternating backgrounds, selects a block of rows by pressing and dragging (auto-scrolling
// with the repeat timer while the pointer is beyond the top or bottom edge), marks the two
// edges of the block with marker lines and prints its rows page by page. A concrete list
// supplies the rows, their height and width, which rows count as selected and the cells.
//
// The owner builds the header strip (a plain group, child of the list), the header row in it
// and its title buttons, and stores the row in m_header; it also makes the scroll bars.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/GScroll.h"
#include "recorder/TickTime.h"

GADGET_DECLARE_RECORD(CGList)
GADGET_DECLARE_RECORD(CGListScreen)

// The colours every list screen paints rows with, read at each paint:
// 0/1 fill of an even/odd row, 2/3 fill of a selected even/odd row, 4 text, 5 text of a
// selected row, 6/7 the same in a list that is not active, 8-11 and 12-15 the left, top, right
// and bottom frame of an even and an odd row, 16-19 and 20-23 those of a selected even and odd
// row.
constexpr int kListColorCount = 24;
extern vt::ColorRef g_listColors[kListColorCount];
// The values that the application's start-up set-up writes into g_listColors.
extern const vt::ColorRef kStartUpListColors[kListColorCount];

// Shortens text so that it fits width pixels in font: unchanged when it fits, else the longest
// prefix of whole characters that fits with "..." after it, or empty when not even one
// character with "..." fits. The DC's font is put back.
void FitTextWithEllipsis(std::string* text, vt::DeviceContext* dc, int width, const vt::Font* font);

// The cells of one row, side by side from the row's left edge, each the full row height.
class ListRowCells {
 public:
  static constexpr int kNoFit = -0x7FFFFFFF;
  ListRowCells(vt::DeviceContext* dc, const vt::Rect& row, vt::ColorRef colour, const vt::Font* font)
      : dc_(dc), row_(row), x_(row.left), colour_(colour), font_(font) {}
  // The next cell's rectangle; the cells move on past it.
  vt::Rect Next(int width);
  // A text cell: the text, first shortened to fit pixels unless fit is kNoFit, drawn
  // left-aligned at the inset and vertically centred in the cell shrunk by the inset, not
  // clipped; an empty text draws nothing.
  void Text(int width, int inset, int fit, std::string text);

 private:
  vt::DeviceContext* dc_;
  vt::Rect row_;
  int x_;
  vt::ColorRef colour_;
  const vt::Font* font_;
};

class CGList : public CGScrollManager {
 public:
  explicit CGList(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override;

  void Layout() override;
  void ApplyPrintScale(int scale) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void SetScrollX(int x) override;

  // The column header row (its parent is the header strip); null for none.
  CGPrimitive* m_header = nullptr;

 private:
  CGPrimitive* HeaderStrip() const;
};

class CGListScreen : public CGScroll {
 public:
  CGListScreen(CGCore* parent, int id);
  const SGClassInfo* GetClassInfo() const override;

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnTimer(uint32_t id) override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  int GetPrintPageCount(vt::DeviceContext* dc) override;

  virtual void SelectByTime(TickTime first, TickTime second) = 0;
  virtual TickTime GetSelectedBeginTime() = 0;
  virtual TickTime GetSelectedEndTime() = 0;
  // Encloses rows min(a, b) to max(a, b) between the boundary lines, the first line on a's
  // side; a row past the last counts as the last, a negative one clears.
  virtual void SelectRange(int a, int b);
  // The rows that touch the screen; last is -1 without rows.
  virtual void GetVisibleRows(int* first, int* last);
  // Root coordinates.
  virtual void GetRowRect(int row, vt::Rect* out);
  virtual void FillListBackground(vt::DeviceContext* dc, const vt::Rect& rect);
  virtual void DrawRow(vt::DeviceContext* dc, const vt::Rect& rect, int row, bool selected);
  virtual void DrawRowAt(vt::DeviceContext* dc, const vt::Rect& rect, int row);
  virtual bool IsRowSelected(int row) = 0;
  virtual int32_t GetContentWidth() = 0;
  virtual int32_t GetRowHeight() = 0;
  virtual int32_t GetRowCount() = 0;
  // Prepares the texts of the rows to print (only the selected ones with the print-selection
  // flag set).
  virtual void BuildPrintRows() = 0;
  // The print rows of a page (0-based); the base leaves the outputs alone.
  virtual void GetPageRows(int page, int* first, int* last);
  virtual void PrintRow(vt::DeviceContext* dc, const vt::Rect& rect, int printRow, int flags);
  virtual void PrintRowAt(vt::DeviceContext* dc, const vt::Rect& rect, int printRow);
  virtual int32_t GetPrintRowCount() = 0;
  virtual int32_t GetItemCount() = 0;

  // The row under a point in the parent's coordinates, kept within the rows (-1 without rows).
  int RowFromPoint(int x, int y);

  CGFont* m_listFont = nullptr;
  bool m_printSelection = false;
  int32_t m_anchorRow = -1;
  int32_t m_currentRow = -1;
  // Line k lies at the top of row k; line n (the row count) under the last row.
  int32_t m_firstLine = -1;
  int32_t m_secondLine = -1;
  CGFont* m_printFont = nullptr;
  int32_t m_rowsPerPrintPage = 0;

 protected:
  // The list font; the print font (the list font until ScalePrintRects made one). Null
  // without a root master.
  const vt::Font* ListFont() const;
  const vt::Font* PrintFont() const;
  // Moves a boundary line above the row count down to it.
  void ClampLinesToRowCount();
  // The print rows of a page of m_rowsPerPrintPage rows.
  void SplitPrintPage(int page, int* first, int* last);
  // The list (the parent) laid out again and, when visible, redrawn at once through its root.
  void RelayoutList();

 private:
  void DragTo(int row);
};

// The column base of a sheet: a gadget one cell wide and as tall as all lines together, with a
// title, a font, optional per-line states and per-line operations that address a line by its
// index. The framework's single-value operations act on the sheet's focus line; the mouse
// reaches a column only on active lines (visible and enabled); the in-place editor opens on
// the focus line and the keys that close it move to the next or previous active line,
// cyclically, or to the next focusable gadget. Concrete columns keep their own per-line arrays
// as long as the capacity and fill in the per-line operations that the base leaves empty.
#pragma once
#include <algorithm>
#include <cassert>
#include <string>
#include <vector>

#include "gadget/sheet/GSheet.h"

class CGFont;
class CGSheetScreen;

// One element moved like the base's state array when lines are inserted or deleted.
template <typename T>
void InsertLineEntries(std::vector<T>* a, int lineCount, int at, int count, const T& fresh) {
  if (at < 0 || at > lineCount) at = lineCount;
  // Entries kept beyond the line count are overwritten by the moved lines, as in a fixed array.
  const size_t keep = std::max(a->size(), static_cast<size_t>(lineCount + count));
  a->resize(static_cast<size_t>(lineCount), fresh);
  a->insert(a->begin() + at, static_cast<size_t>(count), fresh);
  a->resize(keep, fresh);
}
template <typename T>
void DeleteLineEntries(std::vector<T>* a, int lineCount, int at, int count) {
  if (at < 0 || count <= 0 || at + count > lineCount || at + count > static_cast<int>(a->size())) return;
  assert(lineCount <= static_cast<int>(a->size()) && "a per-line array covers every line");
  std::vector<T> tail(a->begin() + at + count, a->begin() + lineCount);
  std::copy(tail.begin(), tail.end(), a->begin() + at);
}
// Grows an array to count entries (new ones fresh); a smaller count keeps every entry.
template <typename T>
void GrowLineEntries(std::vector<T>* a, int count, const T& fresh) {
  if (static_cast<int>(a->size()) < count) a->resize(static_cast<size_t>(count), fresh);
}

class CGSheetArray : public CGSheetGadget {
 public:
  CGSheetArray(CGCore* parent, int id, int style, int lineStatesOn, int width, int cellFrameWidth,
               int fontSize, const char* title);
  CGSheetArray(CGCore* parent, int id, int lineStatesOn, int width, int cellFrameWidth, int fontSize,
               uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSheetArray); }

  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void LayoutTree() override;
  void SetValue(double v) override { SetLineValue(FocusLine(), v); }
  void SetValue(int v) override { SetLineIntValue(FocusLine(), v); }
  int GetValue(double* out) override;
  int GetValue(int* out) override;
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  void SetText(const std::string& text) override { m_title = text; }
  void GetText(std::string* out) override { *out = m_title; }
  void Activate(int on) override;
  int EndEdit(int closeCode) override;
  void SetEditText(const std::string& text) override { SetLineValueText(FocusLine(), text); }
  void GetEditText(std::string* out) override;
  void BeginEdit() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void SetDecimals(int n) override { SetLineDecimals(FocusLine(), n); }
  void SetExponent(int flag) override { SetLineExponent(FocusLine(), flag); }
  void ApplyPrintScale(int scale) override;
  void ScalePrintRects(int scale) override;

  virtual void SetLineTextFromResource(int line, uint32_t id);
  virtual void SetLineText(int line, const std::string& text) { (void)line, (void)text; }
  virtual void GetLineText(int line, std::string* text) { (void)line, (void)text; }
  // The cell text as shown, also the editor's start text.
  virtual void GetLineValueText(int line, std::string* text) { (void)line, (void)text; }
  virtual void SetLineDecimals(int line, int n) { (void)line, (void)n; }
  virtual void SetLineExponent(int line, int flag) { (void)line, (void)flag; }
  virtual void SetLineState(int line, int state);
  virtual void SetLineIntValue(int line, int value) { (void)line, (void)value; }
  virtual void SetLineValue(int line, double value) { (void)line, (void)value; }
  // The editor's text to store.
  virtual void SetLineValueText(int line, const std::string& text) { (void)line, (void)text; }
  virtual int GetLineStyle(int line) const;
  virtual int GetEffectiveLineStyle(int line) const;
  virtual bool HasLineState(int line, int mask) const { return (GetEffectiveLineStyle(line) & mask) == mask; }
  virtual void GetLineValue(int line, double* value) { (void)line, (void)value; }
  virtual void GetLineIntValue(int line, int* value) { (void)line, (void)value; }
  virtual CGFont* GetTitleFont(vt::DeviceContext* dc);
  virtual void InsertLines(int at, int count);
  virtual void DeleteLines(int at, int count);
  // Scrolls the body just enough to show the line's cell.
  virtual void ScrollToLine(int line);
  virtual void DrawTitle(vt::DeviceContext* dc, int top, int bottom) { DrawTitleLook(dc, top, bottom, 0); }
  virtual void DrawTitlePressed(vt::DeviceContext* dc, int top, int bottom) {
    DrawTitleLook(dc, top, bottom, 1);
  }
  virtual void DrawTitleHot(vt::DeviceContext* dc, int top, int bottom) { DrawTitleLook(dc, top, bottom, 2); }
  virtual void DrawLine(vt::DeviceContext* dc, int line) { (void)dc, (void)line; }
  virtual void FlushLine(int line);
  // Root coordinates; returns the line height.
  virtual int GetLineRect(int line, vt::Rect* rect) const;
  virtual void GetLineSelection(int line, int* index) { (void)line, (void)index; }
  virtual void SetAllValues(double v);
  virtual void SetAllIntValues(int v);
  virtual void SetAllLineTexts(const std::string& text);
  virtual void SetAllLineTextsFromResource(uint32_t id);
  virtual void SetLineCount(int count);
  virtual void SetAllLineStates(int state);
  virtual void SetLineSelection(int line, int index) { (void)line, (void)index; }
  virtual int GetTitleRows() const;
  virtual int NextActiveLine() const;
  virtual int PreviousActiveLine() const;
  // The column itself or its nearest CGScroll ancestor (the sheet body); null when none.
  virtual CGScroll* GetScroll() const;
  // Point in the parent's coordinates; -1 outside the column or the lines.
  virtual int LineAtPoint(int x, int y) const;
  virtual void GetFlushRect(int line, vt::Rect* rect) const;
  virtual CGFont* GetPrintTitleFont(vt::DeviceContext* dc);
  virtual void PrintTitle(vt::DeviceContext* dc, int top, int bottom);
  // Print root coordinates; returns the bottom.
  virtual int GetLinePrintRect(int line, vt::Rect* rect) const;
  virtual bool IsInPrintPage() const;
  virtual int GetPrintLineHeight() const;

  // ---- non-virtual ----
  void SetTitleStyle(int flag) { m_titleStyle = flag; }
  int GetTitleStyle() const { return m_titleStyle; }
  bool IsLineSelected(int line) const;
  bool IsSelectionEnd(int line) const;
  int GetLineHeight() const;
  // The lines visible in the body on screen (first > last when none).
  void GetVisibleLines(int* first, int* last) const;
  int GetLinesPerRow() const;
  // The lines on the current print page; (0, -1) without a sheet body.
  void GetScreenLineRange(int* first, int* last) const;
  void GetSheetPrintLineRange(int* first, int* last) const;
  int FocusLine() const;
  int LineCount() const { return m_lineCount; }
  int Capacity() const { return m_capacity; }
  int CellFrameWidth() const { return m_cellFrameWidth; }
  int FontSize() const { return m_fontSize; }
  const std::string& Title() const { return m_title; }
  bool InLines(int line) const { return line >= 0 && line < m_lineCount; }
  CGFont* PrintFont() const { return m_printFont; }
  const vt::Font* CellFont() const;
  // The sheet body when the column's scroll is one, else null.
  CGSheetScreen* SheetBody() const;

 protected:
  // The moves of the close codes: Enter and Shift+Enter edit the next or previous active line,
  // Tab and Shift+Tab the next or previous focusable gadget.
  void NavigateAfterEdit(int closeCode);
  // look: 0 normal, 1 pressed, 2 hot.
  void DrawTitleLook(vt::DeviceContext* dc, int top, int bottom, int look);
  // The draw-background flag of the title: a column of the table or the line header.
  int TitleBackgroundFlag() const;
  // The plain cell face: the cell in the cell colour (the selected tint on selected lines) with
  // the column's cell frame as bevels, or filled inside a one-pixel edge without a frame.
  // Returns the face colour.
  vt::ColorRef FillCellFace(vt::DeviceContext* dc, int line, const vt::Rect& cell) const;
  // Makes a line the sheet's focus line (nothing without a sheet).
  void SetFocusLine(int line);
  // The press of the clickable columns: the line under the point becomes the focus line and the
  // press flag is armed when that line is active. Returns the flag.
  bool ArmLinePress(int32_t x, int32_t y);
  // A move with the button held on an active focus line: the press flag follows whether the point
  // is over that line. True when the flag changed (the caller then shows the line anew).
  bool TrackLinePress(int32_t x, int32_t y);
  // The walk of Draw: calls draw(line, rect) for each visible line, the rectangle moving down.
  template <typename F>
  void ForVisibleLines(F&& draw) const {
    int first = 0, last = -1;
    GetVisibleLines(&first, &last);
    if (first > last) return;
    vt::Rect r;
    const int h = GetLineRect(first, &r);
    for (int line = first; line <= last; ++line, r.top += h, r.bottom += h) draw(line, r);
  }
  // The walk of DrawLine: calls draw(line, rect) once for a line of a shown column, with the
  // context clipped to the column's visible part.
  template <typename F>
  void ForOneLine(vt::DeviceContext* dc, int line, F&& draw) {
    if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
    ClipToVisibleRect(dc);
    vt::Rect r;
    GetLineRect(line, &r);
    draw(line, r);
  }
  // The walk of PrintSelf: calls print(line, rect) for each line of the page.
  template <typename F>
  void ForPrintLines(F&& print) const {
    int first = 0, last = -1;
    GetScreenLineRange(&first, &last);
    const int n = GetLinesPerRow();
    for (int line = first; line <= last; line += n) {
      vt::Rect r;
      GetLinePrintRect(line, &r);
      print(line, r);
    }
  }

  std::vector<int> m_lineStates;
  int m_lineStatesOn;
  int m_titleStyle = 0;
  int m_fontSize;
  CGFont* m_font = nullptr;
  std::string m_title;
  int m_lineCount = 0;
  int m_capacity = 0;
  int m_cellFrameWidth;
  CGFont* m_printFont = nullptr;

 private:
  void InitLines();
};

// The number of characters of a UTF-8 text.
int CountTextCharacters(const std::string& text);

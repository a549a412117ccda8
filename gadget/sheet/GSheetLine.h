// The line headers of a sheet: the column at the left, outside the scrolled body, that follows
// the body's vertical scroll and names each line. The numbered header also owns the mouse
// selection of lines: a click selects a line, Shift+click and dragging extend the selection,
// and dragging beyond the header's top or bottom scrolls the body with the repeat timer.
// The label header shows a text per line, the channel header a text with a colour mark (and
// takes no mouse), and the check headers a lamp or icon whose press toggles a check.
#pragma once
#include <string>
#include <vector>

#include "gadget/sheet/GSheetArray.h"

class CGBitmap;

class CGSLine : public CGSheetArray {
 public:
  CGSLine(CGCore* sheet, int id, int style, int lineStatesOn, int width, int cellFrameWidth, int fontSize,
          const char* title, int alignment, int firstNumber, const char* numberFormat);
  CGSLine(CGCore* sheet, int id, int width, uint32_t numberFormatId);
  ~CGSLine() override;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSLine); }

  void Draw(vt::DeviceContext* dc) override;
  bool GetVisibleRect(vt::Rect* out) const override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnTimer(uint32_t id) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  int GetLineRect(int line, vt::Rect* rect) const override;
  CGScroll* GetScroll() const override;
  // Point in the sheet's coordinates.
  int LineAtPoint(int x, int y) const override;
  void PrintTitle(vt::DeviceContext* dc, int top, int bottom) override;
  int GetLinePrintRect(int line, vt::Rect* rect) const override;
  // The line at the point's height whatever x, within 0 .. line count - 1 (-1 without lines).
  virtual int LineFromPoint(int x, int y) const;

  // The number text of a line (format applied to line + first number).
  std::string NumberText(int line) const;
  int Alignment() const { return m_alignment; }

  std::string m_numberFormat;
  int m_firstNumber;
  int m_alignment;

 protected:
  // One cell on screen and on paper; the derived headers replace them.
  virtual void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);
  virtual void PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);
  // The selection handling of a press, a move and a release.
  void SelectDown(uint32_t flags, int32_t x, int32_t y);
  void SelectMove(int32_t x, int32_t y);
  void SelectUp(int32_t x, int32_t y);
  void SelectTimer();
  // Paints the header and the body into the back buffer, flushes the sheet and fires event 1.
  void ShowSelectionChange(bool withBar);
};

class CGSLabelLine : public CGSLine {
 public:
  CGSLabelLine(CGCore* sheet, int fontSize);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSLabelLine); }

  void SetLineText(int line, const std::string& text) override;
  void GetLineText(int line, std::string* text) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void SetLineCount(int count) override;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  void PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  const std::string& Label(int line) const { return m_labels[static_cast<size_t>(line)]; }

  std::vector<std::string> m_labels;
};

class CGSChannelLine : public CGSLabelLine {
 public:
  CGSChannelLine(CGCore* sheet, int fontSize);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSChannelLine); }

  void OnLButtonDown(uint32_t, int32_t, int32_t) override {}
  void OnLButtonUp(uint32_t, int32_t, int32_t) override {}
  void OnMouseMove(uint32_t, int32_t, int32_t) override {}
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void SetLineCount(int count) override;
  virtual void SetLineColor(int line, vt::ColorRef colour);
  virtual CGFont* GetLabelFont(vt::DeviceContext* dc, const std::string& label);
  virtual CGFont* GetPrintLabelFont(vt::DeviceContext* dc, const std::string& label);

  vt::ColorRef LineColor(int line) const { return m_colors[static_cast<size_t>(line)]; }

  int m_labelStyle = 0;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  void PrintCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;

  std::vector<vt::ColorRef> m_colors;
};

class CGSCheckLine : public CGSLine {
 public:
  CGSCheckLine(CGCore* sheet, int width);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSCheckLine); }

  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnTimer(uint32_t id) override;
  void SetLineIntValue(int line, int value) override;
  void GetLineIntValue(int line, int* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void SetLineCount(int count) override;

  int Check(int line) const { return m_checks[static_cast<size_t>(line)]; }

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  // The number text right of the lamp square.
  void DrawCheckNumber(vt::DeviceContext* dc, int line, const vt::Rect& cell, int squareRight);
  void FlipCheck(int line);

  std::vector<int> m_checks;
};

class CGSCheckIconLine : public CGSCheckLine {
 public:
  CGSCheckIconLine(CGCore* sheet, int width);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSCheckIconLine); }

  CGBitmap* m_iconImage = nullptr;
  CGBitmap* m_iconMask = nullptr;
  int m_reserved = 0;
  int m_iconCellWidth = 0;
  int m_iconCellHeight = 0;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

// The pooled font of the size and style, one point smaller at a time (down to 4) while the text
// is wider than the width.
CGFont* ShrinkSheetFont(vt::DeviceContext* dc, int size, int styleBits, int width, const std::string& text);

// The check-press flag of the check headers: the press went to a lamp.
extern int g_checkPressed;

// The label and colour columns of a sheet: a text per line; one of two texts per line that a
// click switches (drawn pressed as a drum caught half-way between them); and a colour per line
// that a click lets the user pick in the platform's colour dialog. The last two arm a press on
// an active line with the press flag and act on the release over the pressed line.
#pragma once
#include <string>
#include <vector>

#include "gadget/sheet/GSheetArray.h"

class CGSLabels : public CGSheetArray {
 public:
  CGSLabels(CGCore* parent, int id, uint32_t titleId, int width, int alignment);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSLabels); }

  void Draw(vt::DeviceContext* dc) override;
  int SetAlignment(int alignment) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void SetLineText(int line, const std::string& text) override;
  void GetLineText(int line, std::string* text) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void SetLineCount(int count) override;

  const std::string& Text(int line) const { return m_texts[static_cast<size_t>(line)]; }
  int Alignment() const { return m_alignment; }

 protected:
  virtual void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);

  std::vector<std::string> m_texts;
  int m_alignment;
};

class CGSCyclicLabels : public CGSheetArray {
 public:
  CGSCyclicLabels(CGCore* parent, int id, uint32_t titleId, int width, const uint32_t labelIds[2]);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSCyclicLabels); }

  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void GetLineValueText(int line, std::string* text) override;
  void SetLineIntValue(int line, int value) override;
  void SetLineValueText(int line, const std::string& text) override;
  void GetLineIntValue(int line, int* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void SetLineCount(int count) override;
  virtual void DrawLineNormal(vt::DeviceContext* dc, int line);
  virtual void DrawLinePressed(vt::DeviceContext* dc, int line);

  // The label a line shows for an index; null for a negative index (no label).
  const std::string* LabelOf(int index) const;
  int Index(int line) const { return m_indexes[static_cast<size_t>(line)]; }

  int m_labelCount = 2;
  std::vector<std::string> m_labels;
  std::vector<int> m_indexes;

 protected:
  // The glyph and the label of an index in a cell rectangle.
  void DrawGlyphAndLabel(vt::DeviceContext* dc, int line, const vt::Rect& cell, int index);
  // Draws the line in the look into the back buffer and copies the column to the window.
  void ShowLine(int line, bool pressed);
};

class CGSColors : public CGSheetArray {
 public:
  CGSColors(CGCore* parent, int width);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSColors); }

  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void SetLineIntValue(int line, int value) override;
  void GetLineIntValue(int line, int* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override { DrawLinePressed(dc, line, 0); }
  void SetLineCount(int count) override;
  virtual void DrawLinePressed(vt::DeviceContext* dc, int line, int pressed);

  std::vector<vt::ColorRef> m_colors;

 private:
  void ShowLine(int line, int pressed);
};

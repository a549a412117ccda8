// The button columns of a sheet: toggle columns whose lamp (or icon) a click switches, with an
// optional text beside the lamp; the push-button column, a text column whose cells are pressed
// like buttons and report a click, with a hot line that follows the pointer; and the group of
// a check icon and a real number, whose value applies only when checked (editing the value
// checks it). A toggle flips at the press and flips back while the pointer is off the line, so
// a listener of event 1 reads the new value.
#pragma once
#include <string>
#include <vector>

#include "gadget/sheet/GSheetGroup.h"
#include "gadget/sheet/GSheetLabels.h"

class CGBitmap;
class CGSValues;

class CGSToggleButtons : public CGSheetArray {
 public:
  CGSToggleButtons(CGCore* parent, int id, uint32_t titleId, int width, int fontSize, int lineStatesOn,
                   const int* initial, int initialCount);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSToggleButtons); }

  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override { FireEvent(GEVENT_CHANGED); }
  void SetLineIntValue(int line, int value) override;
  void GetLineIntValue(int line, int* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override;
  void SetLineCount(int count) override;

  int Value(int line) const { return m_values[static_cast<size_t>(line)]; }

  std::vector<int> m_values;

 protected:
  virtual void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);
  // The fill of a toggle cell in the body (nothing inside a group); the base colour.
  vt::ColorRef DrawToggleBase(vt::DeviceContext* dc, int line, const vt::Rect& cell);
  void Flip(int line);
};

class CGSTogLabelButtons : public CGSToggleButtons {
 public:
  CGSTogLabelButtons(CGCore* parent, int id, uint32_t titleId, int width, int lineStatesOn,
                     const int* initial);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSTogLabelButtons); }

  void SetLineText(int line, const std::string& text) override;
  void GetLineText(int line, std::string* text) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void SetLineCount(int count) override;

  const std::string& Label(int line) const { return m_labels[static_cast<size_t>(line)]; }

  std::vector<std::string> m_labels;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSTogIconButtons : public CGSToggleButtons {
 public:
  CGSTogIconButtons(CGCore* parent, int width, int fontSize, int lineStatesOn, int cellCount, int cellWidth,
                    int cellHeight, int imageId, int maskId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSTogIconButtons); }
  // The strip cell of a line: 1 when on, + 2 when not enabled, within the strip's cells.
  int StripCell(int line) const;

  int m_cellCount;
  int m_cellWidth;
  int m_cellHeight;
  CGBitmap* m_image;
  CGBitmap* m_mask;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
};

class CGSPushButtons : public CGSLabels {
 public:
  using CGSLabels::CGSLabels;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSPushButtons); }

  void Draw(vt::DeviceContext* dc) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseHover(int32_t x, int32_t y) override;
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;
  void OnMouseEnter(int32_t x, int32_t y) override;
  void OnMouseLeave(int32_t x, int32_t y) override;
  void OnClick() override { FireEvent(GEVENT_CLICKED); }
  void DrawLine(vt::DeviceContext* dc, int line) override { DrawLineNormal(dc, line); }
  virtual void DrawLineNormal(vt::DeviceContext* dc, int line);
  virtual void DrawLinePressed(vt::DeviceContext* dc, int line);
  virtual void DrawLineHot(vt::DeviceContext* dc, int line);

  // The look a full draw gives a line: 0 normal, 1 pressed, 2 hot.
  int LookOf(int line) const;
  int HotLine() const;

 protected:
  // The plain looks: a text cell, raised, sunken or lit.
  void DrawButtonCell(vt::DeviceContext* dc, int line, int look);
  // Draws a line in a look into the back buffer and copies the column to the window.
  void ShowLine(int line, int look);
  void SetHotLine(int line);
};

class CGSCheckValues : public CGSGroup {
 public:
  using CGSGroup::CGSGroup;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSCheckValues); }
};

class CGSCheckIconValues : public CGSCheckValues {
 public:
  CGSCheckIconValues(CGCore* parent, int id, uint32_t titleId, int width, int fontSize, int lineStatesOn);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSCheckIconValues); }

  using CGSCheckValues::SetRange;
  void SetRange(double lower, double upper) override;
  void BeginEdit() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void SetLineDecimals(int line, int n) override;
  void SetLineExponent(int line, int flag) override;
  void SetLineIntValue(int line, int value) override;
  void SetLineValue(int line, double value) override;
  void GetLineValue(int line, double* value) override;
  void GetLineIntValue(int line, int* value) override;
  // Builds the check and the value sub-columns (once, right after construction).
  virtual void BuildColumns();

  CGSheetArray* CheckColumn() const;
  CGSheetArray* ValueColumn() const;

  int m_iconCellCount = 20;
  int m_iconCellWidth = 13;
  int m_iconCellHeight = 13;
  int m_iconImageId = 10015;
  int m_iconMaskId = 10016;

 protected:
  int m_subStatesOn;
  int m_subFontSize;
};

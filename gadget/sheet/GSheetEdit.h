// The editable columns of a sheet: real numbers and integers with limits, edited in the root's
// text editor, and a choice from a fixed list, edited in the root's drop-down. They share
// CGSKeyGadget, which makes them reachable by Tab and arms a click on an editable line (the
// press flag); the release on the pressed line opens the editor. Edited texts are read in the
// "C" conventions (full-width digits accepted) and held within the limits; values set by the
// program are stored as given.
#pragma once
#include <string>
#include <vector>

#include "gadget/sheet/GSheetArray.h"

// The number at the start of a text (leading blanks skipped, reading stops at the first
// character that cannot continue it; 0 when there is none; out of range: +-infinity or 0).
double ParseLeadingDouble(const std::string& text);
// The integer of the first 10 characters (blanks, sign, digits), held within the int32 range.
int ParseLeadingInt(const std::string& text);

class CGSKeyGadget : public CGSheetArray {
 public:
  using CGSheetArray::CGSheetArray;
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSKeyGadget); }

  int CanFocus() override;
  int FocusFirst() override;
  int FocusLast() override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { OnLButtonDown(flags, x, y); }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override;

 protected:
  // The release of a press on an editable line: show the cell and open the editor.
  void OpenOnRelease();
  // The walk of Draw and the clipped single cell of DrawLine, both through DrawCell.
  void DrawAllCells(vt::DeviceContext* dc);
  void DrawOneCell(vt::DeviceContext* dc, int line);
  virtual void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) = 0;
  virtual void OpenEditor() { BeginEdit(); }
  // The number cell of the plain columns: fill, bevels and the right-aligned text.
  void DrawNumberCell(vt::DeviceContext* dc, int line, const vt::Rect& cell);
};

class CGSValues : public CGSKeyGadget {
 public:
  CGSValues(CGCore* parent, int id, uint32_t titleId, double lower, double upper);
  // A sub-column: no title, no cell frame.
  CGSValues(CGCore* parent, int width, int lineStatesOn, int fontSize, double lower, double upper);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSValues); }

  using CGSKeyGadget::SetRange;
  void Draw(vt::DeviceContext* dc) override { DrawAllCells(dc); }
  void SetRange(double lower, double upper) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void GetLineValueText(int line, std::string* text) override;
  void SetLineDecimals(int line, int n) override;
  void SetLineExponent(int line, int flag) override;
  void SetLineValue(int line, double value) override;
  void SetLineValueText(int line, const std::string& text) override;
  void GetLineValue(int line, double* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override { DrawOneCell(dc, line); }
  void SetLineCount(int count) override;

  double m_lower;
  double m_upper;
  std::vector<double> m_values;
  std::vector<int> m_decimals;
  std::vector<int> m_exponents;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override {
    DrawNumberCell(dc, line, cell);
  }

 private:
  void InitValues();
};

class CGSIntValues : public CGSKeyGadget {
 public:
  CGSIntValues(CGCore* parent, int id, uint32_t titleId);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSIntValues); }

  using CGSKeyGadget::SetRange;
  void Draw(vt::DeviceContext* dc) override { DrawAllCells(dc); }
  void SetRange(int lower, int upper) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void GetLineValueText(int line, std::string* text) override;
  void SetLineIntValue(int line, int value) override;
  void SetLineValueText(int line, const std::string& text) override;
  void GetLineIntValue(int line, int* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override { DrawOneCell(dc, line); }
  void SetLineCount(int count) override;

  int m_lower = 0;
  int m_upper = 100;
  std::vector<int> m_values;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override {
    DrawNumberCell(dc, line, cell);
  }
};

class CGSComboBoxs : public CGSKeyGadget {
 public:
  // itemIds: the items' string ids; keys: the items' keys, or null for their positions.
  CGSComboBoxs(CGCore* parent, int id, uint32_t titleId, int width, int itemCount, const uint32_t* itemIds,
               const int* keys);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGSComboBoxs); }

  void Draw(vt::DeviceContext* dc) override { DrawAllCells(dc); }
  void SetSelectedIndex(int index) override;
  int EndEdit(int closeCode) override;
  void BeginEdit() override { OpenDropDown(0); }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void GetLineValueText(int line, std::string* text) override;
  void SetLineIntValue(int line, int value) override;
  void SetLineValueText(int line, const std::string& text) override;
  void GetLineIntValue(int line, int* value) override;
  void InsertLines(int at, int count) override;
  void DeleteLines(int at, int count) override;
  void DrawLine(vt::DeviceContext* dc, int line) override { DrawOneCell(dc, line); }
  void GetLineSelection(int line, int* index) override;
  void SetLineCount(int count) override;
  void SetLineSelection(int line, int index) override;
  virtual void OpenDropDown(int dropped);
  virtual void SetItemCount(int count);
  virtual void FreeItems();
  void LoadItems(int count, const uint32_t* ids);

  // The line's item text; false for an empty cell (no items, or a negative selection).
  bool ItemText(int line, std::string* text) const;

  int m_itemCount = 0;
  int m_itemCapacity = 0;
  std::vector<std::string> m_items;
  std::vector<int> m_selections;
  int m_listHeight = 200;
  std::vector<int> m_keys;

 protected:
  void DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) override;
  void OpenEditor() override { OpenDropDown(1); }
};

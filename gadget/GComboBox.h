// The drop-down field: a sunken field showing the selected item's text with an arrow button at
// its right end; a click opens the root's in-place drop-down list over it, and Tab and
// Shift+Tab carry the open editor on to the next or previous field. Items are texts with
// integer values (item i has value i until an owner gives others). The skinned form draws its
// field, frame, text and drop button from the skin.
#pragma once
#include <string>
#include <vector>

#include "gadget/GPrimitive.h"

class CGComboBox : public CGPrimitive {
 public:
  // The item texts are string resources; values may be null (item i then has value i).
  CGComboBox(CGCore* parent, int left, int top, int width, int height, int id, int style, int itemCount,
             const uint32_t* itemIds, const int* itemValues);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  int IsEditable() override { return 1; }
  void SetForeColor(vt::ColorRef c) override { m_textColor = c; }
  void SetBackColor(vt::ColorRef c) override { m_fillColor = c; }
  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  // Without a value table the selection is v; with one, the first item of value v (-1: none).
  void SetValue(int v) override;
  void SetSelectedIndex(int index) override { m_selection = index; }
  // The selected item's value (3, no value, when nothing valid is selected); without a value
  // table the selection itself.
  int GetValue(int* out) override;
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  int SetFontSize(int h) override;
  void FitFontToRect() override;
  int CanFocus() override { return (m_style & GSTYLE_ACTIVE) == GSTYLE_ACTIVE; }
  int FocusFirst() override;
  int FocusLast() override { return FocusFirst(); }
  int EndEdit(int closeCode) override;
  // Selects the first item with this text; no such item leaves the selection alone.
  void SetEditText(const std::string& text) override;
  // The selected item's text; the output is left as it was when nothing valid is selected.
  void GetEditText(std::string* out) override;
  void BeginEdit() override { OpenDropDown(0); }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }

  // GEVENT_EDIT_BEGIN, then the root's drop-down list over the field; byMouse opens the list.
  virtual void OpenDropDown(int byMouse);
  virtual void SetResourceItems(int count, const uint32_t* ids, const int* values);
  virtual void SetItems(int count, const std::string* texts, const int* values);
  virtual void SetResourceItems(int count, const uint32_t* ids);
  virtual void SetItems(int count, const std::string* texts);
  // Growing past the capacity makes new items (empty texts, value i); shrinking keeps them.
  virtual void SetItemCount(int count);
  virtual void FreeItems();

  int GetItemCount() const { return m_itemCount; }
  int GetSelection() const { return m_selection; }

  int m_alignment = 1;
  int m_fontHeight = 12;
  CGFont* m_font;
  vt::ColorRef m_textColor = 0x02000000;
  vt::ColorRef m_fillColor = 0x025E5E5E;
  vt::ColorRef m_topLeftEdge = 0x02000000;
  vt::ColorRef m_bottomRightEdge = 0x02E2E2E2;
  int m_listHeight = 100;

 protected:
  // Copies the values of the first min(count, itemCount) items.
  void SetValues(int count, const int* values);
  // The text's rectangle: the field less the button of buttonWidth, shrunk by 4.
  vt::Rect TextRect(int buttonWidth) const;

  int m_itemCount = 0;
  int m_capacity = 0;
  std::vector<std::string> m_itemTexts;
  int m_selection = 0;
  std::vector<int> m_itemValues;  // empty while nothing is allocated
};

class CGSkComboBox : public CGComboBox {
 public:
  using CGComboBox::CGComboBox;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
};

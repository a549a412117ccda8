// Group boxes: a content gadget framed under a title that cuts the frame's top line, and the
// skinned radio group box that is one choice of a radio box, with a radio mark in its title,
// selected by a click anywhere on it, its content enabled only while it is selected.
#pragma once
#include <string>

#include "gadget/GGroup.h"

class CGGroupBox : public CGGroup {
 public:
  CGGroupBox(CGCore* parent, const char* title);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  void SetText(const std::string& text) override { m_title = text; }
  void GetText(std::string* out) override { *out = m_title; }
  virtual void DrawTitle(vt::DeviceContext* dc, int left, int top, int right, int bottom, CGFont* font,
                         const std::string& title);
  int TitleHeight() const;

 protected:
  CGFont* m_font;
  std::string m_title;
  vt::ColorRef m_textColour = 0x02000000;
};

class CGSkRadioGroupBox : public CGGroupBox {
 public:
  using CGGroupBox::CGGroupBox;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetValue;
  void SetValue(int v) override;
  int GetValue(int* out) override { return *out = m_selected, 0; }
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnClick() override;

 private:
  int m_selected = 0;
};

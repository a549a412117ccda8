// The text and value fields: a sunken field that shows one value and opens the root's in-place
// editor on a click; Tab and Shift+Tab carry the open editor to the next or previous field.
// The text field keeps a text of limited length, the integer field a value within its range.
// The skinned forms draw in the skin's field, frame and text colours.
#pragma once
#include <string>

#include "gadget/GPrimitive.h"

class CGTextEdit : public CGPrimitive {
 public:
  CGTextEdit(CGCore* parent, int left, int top, int width, int height, int id, int style,
             vt::ColorRef textColor, vt::ColorRef backColor);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  int IsEditable() override { return m_frameWidth; }
  void SetForeColor(vt::ColorRef c) override { m_textColor = c; }
  void SetBackColor(vt::ColorRef c) override { m_backColor = c; }
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  int SetFontSize(int h) override;
  void FitFontToRect() override;
  int CanFocus() override { return (m_style & GSTYLE_ACTIVE) == GSTYLE_ACTIVE; }
  // The focus walk answers 1 when it reached a field (see FocusField in GPrimitive.h).
  int FocusFirst() override;
  int FocusLast() override { return FocusFirst(); }
  int EndEdit(int closeCode) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  void OnMouseMove(uint32_t flags, int32_t x, int32_t y) override { (void)flags, (void)x, (void)y; }
  // Forwarded to the edit text, so that owners may set and read a field either way.
  void SetText(const std::string& text) override { SetEditText(text); }
  void GetText(std::string* out) override { GetEditText(out); }

  // The text as shown: one "*" per byte when masked.
  std::string ShownText();

 protected:
  // Fills, frames and writes the shown text in the given colours.
  void DrawField(vt::DeviceContext* dc, vt::ColorRef fill, vt::ColorRef frameTL, vt::ColorRef frameBR,
                 vt::ColorRef text);

  int m_alignment = 1;
  int m_fontHeight = 12;
  CGFont* m_font;
  vt::ColorRef m_textColor;
  vt::ColorRef m_backColor;
  vt::ColorRef m_darkEdge;
  vt::ColorRef m_lightEdge;
  vt::ColorRef m_disabledTextColor = 0x02C0C0C0;
  int m_frameWidth = 1;
};

class CGText : public CGTextEdit {
 public:
  CGText(CGCore* parent, int left, int top, int width, int height, int id, vt::ColorRef textColor,
         vt::ColorRef backColor, int maxLength);
  const SGClassInfo* GetClassInfo() const override;
  void SetEditText(const std::string& text) override;
  void GetEditText(std::string* out) override { *out = m_text; }

 protected:
  int m_maxLength;
  std::string m_text;
};

class CGIntValue : public CGTextEdit {
 public:
  CGIntValue(CGCore* parent, int left, int top, int width, int height, int id, int style,
             vt::ColorRef textColor, vt::ColorRef backColor, int minimum, int maximum, int value, int digits);
  const SGClassInfo* GetClassInfo() const override;
  using CGPrimitive::GetValue;
  using CGPrimitive::SetRange;
  using CGPrimitive::SetValue;
  void SetValue(double v) override { SetValue(int(v)); }
  void SetValue(int v) override;
  void SetRange(int low, int high) override { m_minimum = low, m_maximum = high; }
  void SetRange(double low, double high) override { SetRange(int(low), int(high)); }
  int GetValue(double* out) override { return *out = m_value, 0; }
  int GetValue(int* out) override { return *out = m_value, 0; }
  void SetEditText(const std::string& text) override;
  void GetEditText(std::string* out) override;

 protected:
  int m_minimum, m_maximum, m_value, m_digits;
};

class CGSkText : public CGText {
 public:
  using CGText::CGText;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
};

class CGSkIntValue : public CGIntValue {
 public:
  using CGIntValue::CGIntValue;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
};

// The pooled font of a field: fitted to the rectangle's width (of a text of n bytes, 14 high for
// none) and height within 4..96.
CGFont* FittedFieldFont(int width, int height, int n);
// A field's font height: 0 when unchanged; otherwise stored, and the font fitted (h < 1) or
// taken from the pool; 1.
int SetFieldFontSize(CGPrimitive* field, int h, int* fontHeight, CGFont** font);

// Leading blanks and a sign, then decimal digits up to the first other character; no digits
// give 0. Values beyond the 64-bit range stop at its ends.
int64_t ParseInt64(const std::string& text);

// The text gadgets: a label with its own colours, alignment and pooled font (fitted to its
// rectangle when its font height is 0 or less) and a print form that shrinks its font to fit;
// the vertical label; the span label that shows hours, minutes, seconds and a fraction; and
// the skinned button label drawn as a button face.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/GPrimitive.h"

class CGLabel : public CGPrimitive {
 public:
  CGLabel(CGCore* parent, int left, int top, int width, int height, int id, int opaque,
          vt::ColorRef backColor, int alignment, vt::ColorRef textColor, int fontHeight, const char* text);
  CGLabel(CGCore* parent, int left, int top, int width, int height, int id, int alignment,
          vt::ColorRef textColor, uint32_t textId);
  CGLabel(CGCore* parent, int left, int top, int width, int id, int margin, int opaque,
          vt::ColorRef backColor, int alignment, const char* text);
  CGLabel(CGCore* parent, int left, int top, int width, uint32_t textId);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  int SetAlignment(int alignment) override;
  vt::ColorRef GetBackColor() const override;
  int SetOpaque(int opaque) override;
  CGFont* GetFont(int which) override { return (void)which, m_font; }
  int SetFontSize(int h) override;
  void FitFontToRect() override;
  void SetText(const std::string& text) override { m_text = text; }
  void GetText(std::string* out) override { *out = m_text; }
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  CGFont* GetPrintFont(int which) override;
  int SetPrintFontSize(int h) override;

  int GetFontStyle() const { return m_fontStyle; }
  int GetAlignment() const { return m_alignment; }
  int IsOpaque() const { return m_opaque; }
  int GetFontHeight() const { return m_fontHeight; }
  int SetLabelBackColor(vt::ColorRef c);
  int SetTextColor(vt::ColorRef c);
  virtual int SetBold(int on) { return SetStyleBit(1, on); }
  virtual int SetItalic(int on) { return SetStyleBit(2, on); }
  virtual int SetUnderline(int on) { return SetStyleBit(4, on); }
  void SetPrintMargin(int margin) { m_printMargin = margin; }

 protected:
  // A font of height h with the label's style (and turn, for the vertical label).
  virtual CGFont* RequestFont(int h);
  int SetStyleBit(int bit, int on);
  void ChooseFont();
  // The text line in rect with the label's alignment; values other than 1-3 draw left-aligned.
  void DrawLine(vt::DeviceContext* dc, const vt::Rect& rect, vt::ColorRef colour, CGFont* font);

  vt::ColorRef m_textColor = 0x02000000;
  vt::ColorRef m_backColor = 0x02000000;
  int m_margin = 0;
  int m_opaque = 0;
  int m_alignment = 1;
  int m_fontStyle = 0;
  int m_fontHeight = -1;
  CGFont* m_font = nullptr;
  std::string m_text;
  CGFont* m_printFont = nullptr;
  int m_printMargin = 0;
};

class CGVLabel : public CGLabel {
 public:
  // 30 x 40 at (-6, 12), black right-aligned text of font height 11, turned to read upwards.
  explicit CGVLabel(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void ScalePrintRects(int scale) override;

  int escapement = 900;

 protected:
  CGFont* RequestFont(int h) override;
};

class CGSpanLabel : public CGLabel {
 public:
  explicit CGSpanLabel(CGCore* parent);
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override;
  void SetDecimals(int decimals) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  // Shows whole seconds and a fraction of a second as [-]hh:mm:ss.fff; the fraction's rounded
  // digits carry into the seconds. The caller's value is not changed.
  void SetSpan(double fraction, const int64_t* seconds);
  int GetDecimals() const { return m_decimals; }

  // Colours shared by every span label.
  static vt::ColorRef s_textColor, s_fillColor, s_topLeftColor, s_bottomRightColor;

 private:
  int m_decimals = 3;
};

class CGButtonLabel : public CGLabel {
 public:
  using CGLabel::CGLabel;
  virtual void DrawState(vt::DeviceContext* dc, int style) { (void)dc, (void)style; }
};

class CGSkButtonLabel : public CGButtonLabel {
 public:
  using CGButtonLabel::CGButtonLabel;
  const SGClassInfo* GetClassInfo() const override;
  void Draw(vt::DeviceContext* dc) override { DrawState(dc, GetEffectiveStyle()); }
  void PrintSelf(vt::DeviceContext* dc, int page) override;
  void DrawState(vt::DeviceContext* dc, int style) override;
};

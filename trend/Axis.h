// CGAxis: the base of the trend graph's axes: colour, label and print fonts, title and unit
// texts, and the grid operations a plot area calls (empty here). An axis clips to its parent's
// visible rectangle, not to its own, so its labels may stand outside its rectangle.
#pragma once
#include <string>

#include "gadget/GPrimitive.h"
#include "trend/TrendRecords.h"

class CGFont;

// Nonzero while a printout is made in colour (set by the print set-up of the graph window).
extern int g_printInColour;

class CGAxis : public CGPrimitive {
 public:
  CGAxis(CGCore* parent, int left, int top, int width, int height, int style, vt::ColorRef colour);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGAxis); }

  bool GetVisibleRect(vt::Rect* out) const override;
  // Clipped to that visible rectangle, so that labels and frames outside the axis show.
  void Paint(vt::DeviceContext* dc) override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void SetForeColor(vt::ColorRef c) override { m_colour = c; }
  vt::ColorRef GetForeColor() const override { return m_colour; }
  int SetFontSize(int height) override;
  void SetText(const std::string& text) override { m_title = text; }
  void GetText(std::string* out) override { *out = m_title; }
  void SetExponent(int flag) override { m_exponent = flag; }
  void ScalePrintRects(int scale) override;

  virtual int DrawGridLevel(vt::DeviceContext* dc, int level, int from, int to, vt::ColorRef colour);
  virtual int DrawGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour);
  virtual int PrintGridLevel(vt::DeviceContext* dc, int level, int from, int to, vt::ColorRef colour);
  virtual int PrintGrid(vt::DeviceContext* dc, int from, int to, vt::ColorRef colour);

  // The pooled fonts (null without a root master).
  const vt::Font* LabelFont() const;
  const vt::Font* PrintLabelFont() const;

  vt::ColorRef m_colour;
  int m_fontHeight = 14;
  int m_exponent = 0;
  CGFont* m_font = nullptr;
  std::string m_format;
  std::string m_title;
  std::string m_unit;
  CGFont* m_printFont = nullptr;
  std::string m_printUnit;
};

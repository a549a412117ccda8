// The cursor value box: a small translucent box beside a graph cursor's line for one trace,
// with the channel's colour, its name and the value at the cursor ("Val:"), or both values of a
// min/max channel ("Max:" over "Min:"). The graph cursor owns two per trace, places and fills
// them; the three colours of all boxes are process-wide and follow the user's opacity.
#pragma once
#include <string>

#include "gadget/GPrimitive.h"
#include "trend/TrendRecords.h"

class CGNgChannel;
class CGFont;

// Gradient top, gradient bottom, outline (ARGB).
extern uint32_t g_cursorValueColours[3];
// Transparency in percent, limited to 0 (opaque) .. 100 (invisible); every colour keeps its
// red, green and blue.
void SetCursorValueOpacity(int percent);
// The value text: fixed or exponent notation for state 0, "-OVER" for 7, "+OVER" otherwise.
std::string FormatCursorValue(int state, double value, int decimals, int exponent);

class CGNgCursorValue : public CGPrimitive {
 public:
  CGNgCursorValue(CGCore* cursor, int top);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgCursorValue); }

  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  bool GetVisiblePrintRect(vt::Rect* out) const override;
  void ScalePrintRects(int scale) override;
  void PrintSelf(vt::DeviceContext* dc, int page) override;

  void SetValue(int state, double value, int x, int y, int side);
  void SetPair(int firstState, int secondState, double min, double max, int x, int y, int side);

  CGNgChannel* m_channel = nullptr;
  int m_nameKind = 0;
  vt::ColorRef m_colour = 0;
  int m_side = 1;
  int m_anchorX = 0, m_anchorY = 0;
  std::string m_name, m_first, m_second;
  CGFont* m_font = nullptr;
  CGFont* m_printFont = nullptr;

 private:
  bool IsPair() const;
  void SetAnchor(int x, int y, int side);
  void DrawRows(vt::DeviceContext* dc, const vt::Font* font, const vt::Rect& r, int s);
};

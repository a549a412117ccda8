// The zoom gadget of a Y axis: a small balloon that opens beside the axis's scale where the
// user pressed, shows the zoom factor as vertical text (x1/5, x2 ...), and offers two arrow
// buttons and the mouse wheel to step it. Each step rescales the axis about the value that lay
// under the pointer when the balloon opened; the new span is always taken from the axis's
// reference span, so repeated steps never accumulate rounding. A step whose bounds would leave
// [-1e16, 1e16] (or [-16, 16] decades), or that has no finite result, is refused.
#pragma once
#include <string>

#include "gadget/GPrimitive.h"
#include "trend/TrendRecords.h"

class CGButton;
class CGFont;
class CGLabel;

// The zoom codes from the widest to the narrowest: z >= 2 is z times the reference span (x1/z),
// 1 the reference span, z <= -2 is 1/|z| of it (x|z|).
extern const int g_zoomCodes[9];

namespace vt {

// The two arrow buttons: bitmap id, grey mask id, width, height.
struct SGZoomButtonSkin {
  int imageId, maskId, width, height;
};

}  // namespace vt
extern vt::SGZoomButtonSkin g_zoomButtonSkin[2];

class CGNgZoom : public CGPrimitive {
 public:
  explicit CGNgZoom(CGCore* axis);
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgZoom); }

  void Draw(vt::DeviceContext* dc) override;
  // Height from the text, keeping the centre; the zoom-out button at the bottom.
  void Layout() override;
  using CGPrimitive::SetValue;
  void SetValue(int code) override;
  void OnLButtonDown(uint32_t flags, int32_t x, int32_t y) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  bool OnMouseWheel(uint32_t flags, int32_t delta, int32_t x, int32_t y) override;
  int CanScrollWheel(uint32_t, int32_t, int32_t, int32_t) override { return 1; }

  void CreateButtons();
  void UpdateText(int code);
  // Right edge at x, middle at y (the second argument is not used).
  void PlaceAt(int x, int unused, int y);
  // Rescales the parent axis to the span of code n about the centre value; false when refused.
  bool ApplyZoom(int n);
  double SpanFactor(int n, double referenceSpan) const;
  int NextOutCode() const;
  int NextInCode() const;
  int MeasureText() const;
  // One step in or out: applied, stored, and the panel laid out and redrawn.
  void Step(bool in);

  int m_code = 1;
  double m_centre = 0;
  vt::ColorRef m_textColour = 0x02000000;
  std::string m_text;
  int m_referenceCode = 1;
  CGButton* m_zoomIn = nullptr;
  CGButton* m_zoomOut = nullptr;
  CGLabel* m_label = nullptr;
  CGFont* m_font = nullptr;
};

void OnNgZoomInClick(CGPrimitive* button, int code, void* data);
void OnNgZoomOutClick(CGPrimitive* button, int code, void* data);

// The shared drawing helpers of the trend gadgets.
#include "trend/NgDrawing.h"

#include "gadget/GPrimitive.h"
#include "platform/gui/DeviceContext.h"

namespace vt {

vt::Size NgTextExtent(vt::DeviceContext* dc, const vt::Font* font, const std::string& text) {
  if (!font) return dc->GetTextExtent(text);
  const vt::Font* old = dc->SelectFont(font);
  const vt::Size size = dc->GetTextExtent(text);
  dc->SelectFont(old);
  return size;
}

void NgFillHalftone(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef foreground,
                    vt::ColorRef background) {
  const vt::ColorRef oldText = dc->SetTextColor(foreground);
  const vt::ColorRef oldBack = dc->SetBkColor(background);
  dc->FillRect(r, vt::HalftoneBrush());
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBack);
}

void NgPaintInVisibleRect(CGPrimitive* gadget, vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!gadget->HasEffectiveStyle(GSTYLE_VISIBLE) || !gadget->GetVisibleRect(&visible)) return;
  dc->SelectClipRect(&visible);
  gadget->Draw(dc);
  for (CGCore* c = gadget->GetLastChild(); c; c = gadget->PrevChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->Paint(dc);
}

}  // namespace vt

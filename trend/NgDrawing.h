// Small drawing helpers the trend gadgets share: the extent of a text in a given font, the
// halftone fill of dotted lines and band separators, and the text colour that contrasts with a
// background.
#pragma once
#include <string>

#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

class CGPrimitive;

namespace vt {
class DeviceContext;
class Font;
}  // namespace vt

namespace vt {

// The text's extent in font (the context's own font when null); the context's font is put back.
vt::Size NgTextExtent(vt::DeviceContext* dc, const vt::Font* font, const std::string& text);
// Fills r with the one-pixel checkerboard: foreground on the set pixels, background on the others.
void NgFillHalftone(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef foreground,
                    vt::ColorRef background);
// Red + green + blue of a colour, each 0-255.
inline int NgColourSum(vt::ColorRef c) {
  return int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF);
}
// White on a background whose red + green + blue is at most 384, else black.
inline vt::ColorRef NgContrastText(vt::ColorRef background) {
  return NgColourSum(background) <= 384 ? 0x02FFFFFF : 0x02000000;
}
// Paints a gadget clipped to its own visible rectangle (which may reach past its rectangle, for
// labels and frames outside it), then its children last to first.
void NgPaintInVisibleRect(CGPrimitive* gadget, vt::DeviceContext* dc);

}  // namespace vt

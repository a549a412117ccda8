// Text drawing and text helpers of the gadgets: text placed at a point or in a rectangle (also
// turned by 90 degrees and embossed), shortening that never splits a character, and the
// normalisation of number texts. Texts are UTF-8. The drawing functions put the previous font
// back and leave the background mode transparent and the text colour and alignment changed.
#pragma once
#include <cstdint>
#include <string>

#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {
class DeviceContext;
class Font;
}  // namespace vt

// Alignment values of the rectangle functions.
enum : int { kAlignLeft = 1, kAlignRight = 2, kAlignCenter = 3 };

void DrawTextAt(const vt::Font* font, vt::DeviceContext* dc, int x, int y, uint32_t textAlign,
                vt::ColorRef colour, const std::string& text);
// Vertically centred by the font's cell height; alignment 1 left, 2 right, 3 centre, other
// values draw at x = 0 with the alignment flags left alone.
void DrawTextInRect(const vt::Rect& rect, int alignment, int dx, int dy, vt::ColorRef colour,
                    const vt::Font* font, const std::string& text, int margin, vt::DeviceContext* dc);
void DrawAlignedText(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, vt::ColorRef colour,
                     const vt::Font* font, const std::string& text);
void DrawAlignedTextInset(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, vt::ColorRef colour,
                          const vt::Font* font, const std::string& text, int margin);
void DrawTextBox(vt::DeviceContext* dc, const vt::Rect& rect, int opaque, vt::ColorRef background,
                 int alignment, vt::ColorRef colour, const vt::Font* font, const std::string& text);
// escapement 900 runs upwards, any other value downwards.
void DrawVerticalText(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, int escapement,
                      vt::ColorRef colour, const vt::Font* font, const std::string& text);
void DrawVerticalTextBox(vt::DeviceContext* dc, const vt::Rect& rect, int opaque, vt::ColorRef background,
                         int alignment, int escapement, vt::ColorRef colour, const vt::Font* font,
                         const std::string& text);
// The disabled look: highlight moved by (1, 1), then the shadow in place.
void DrawEmbossedText(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, vt::ColorRef baseColour,
                      const vt::Font* font, const std::string& text);
void DrawEmbossedTextBox(vt::DeviceContext* dc, const vt::Rect& rect, int opaque, vt::ColorRef background,
                         int alignment, vt::ColorRef baseColour, const vt::Font* font,
                         const std::string& text);
void DrawTextWithEllipsis(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Font* font,
                          vt::ColorRef colour, std::string text);
// Keeps the longest prefix of whole characters that fits width in the font; its extent.
vt::Size FitTextToWidth(vt::DeviceContext* dc, const vt::Font* font, int width, std::string* text);
// Keeps at most n bytes (n >= 1), never part of a character.
void TruncateTextBytes(std::string* text, int n);

// Full-width digits, "E", "e", "+", "-" and "." become their ASCII forms.
std::string ToHalfWidthNumber(const std::string& text);
// Leading blanks off, upper case; after the first "E" a "+" and up to two leading zeros of
// the exponent go: 1.5E+005 -> 1.5E5, 2.0E-010 -> 2.0E-10.
void TrimExponentText(std::string* text);
// TrimExponentText, then trailing zeros (and the point) of a mantissa with an exponent:
// 1.500E5 -> 1.5E5, 2.000E3 -> 2E3; 1.500 stays.
void TrimNumberText(std::string* text);
// A number of seconds as whole seconds, with the sign of the input.
int64_t DoubleToWholeSeconds(double seconds);

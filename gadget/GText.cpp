// Text drawing and text helpers (see GText.h).
#include "gadget/GText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "gadget/GDraw.h"
#include "platform/base/Text.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"

namespace {

// Selects a font (when given) for the life of the object.
class FontScope {
 public:
  FontScope(vt::DeviceContext* dc, const vt::Font* font) : dc_(dc), selected_(font != nullptr) {
    if (selected_) old_ = dc->SelectFont(font);
  }
  ~FontScope() {
    if (selected_) dc_->SelectFont(old_);
  }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  vt::DeviceContext* dc_;
  bool selected_;
  const vt::Font* old_ = nullptr;
};

}  // namespace

void DrawTextAt(const vt::Font* font, vt::DeviceContext* dc, int x, int y, uint32_t textAlign,
                vt::ColorRef colour, const std::string& text) {
  FontScope scope(dc, font);
  dc->SetTextColor(colour);
  dc->SetTextAlign(textAlign);
  dc->SetBkMode(vt::BkMode::Transparent);
  dc->TextOut(x, y, text);
}

void DrawTextInRect(const vt::Rect& rect, int alignment, int dx, int dy, vt::ColorRef colour,
                    const vt::Font* font, const std::string& text, int margin, vt::DeviceContext* dc) {
  FontScope scope(dc, font);
  const vt::Rect r = vt::InflateRect(rect, -margin, -margin);
  int x = 0;
  switch (alignment) {
    case kAlignLeft:
      dc->SetTextAlign(vt::kTaLeft);
      x = r.left;
      break;
    case kAlignRight:
      dc->SetTextAlign(vt::kTaRight);
      x = r.right;
      break;
    case kAlignCenter:
      dc->SetTextAlign(vt::kTaCenter);
      x = (r.left + r.right) / 2;
      break;
    default:
      break;
  }
  const int y = dy + (r.top + r.bottom) / 2 - dc->GetTextMetrics().height / 2;
  dc->SetBkMode(vt::BkMode::Transparent);
  dc->SetTextColor(colour);
  if (!text.empty()) dc->TextOut(x + dx, y, text);
}

void DrawAlignedText(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, vt::ColorRef colour,
                     const vt::Font* font, const std::string& text) {
  DrawTextInRect(rect, alignment, 0, 0, colour, font, text, 0, dc);
}

void DrawAlignedTextInset(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, vt::ColorRef colour,
                          const vt::Font* font, const std::string& text, int margin) {
  DrawTextInRect(rect, alignment, 0, 0, colour, font, text, margin, dc);
}

void DrawTextBox(vt::DeviceContext* dc, const vt::Rect& rect, int opaque, vt::ColorRef background,
                 int alignment, vt::ColorRef colour, const vt::Font* font, const std::string& text) {
  if (opaque == 1) dc->FillSolidRect(rect, background);
  DrawAlignedText(dc, rect, alignment, colour, font, text);
}

void DrawVerticalText(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, int escapement,
                      vt::ColorRef colour, const vt::Font* font, const std::string& text) {
  FontScope scope(dc, font);
  const bool up = escapement == 900;
  int y = 0;
  switch (alignment) {
    case kAlignLeft:
      dc->SetTextAlign(vt::kTaLeft);
      y = up ? rect.bottom : rect.top;
      break;
    case kAlignRight:
      dc->SetTextAlign(vt::kTaRight);
      y = up ? rect.top : rect.bottom;
      break;
    case kAlignCenter:
      dc->SetTextAlign(vt::kTaCenter);
      y = (rect.top + rect.bottom) / 2;
      break;
    default:
      break;
  }
  const int half = dc->GetTextMetrics().height / 2;
  const int x = (rect.left + rect.right) / 2 + (up ? -half : half);
  dc->SetBkMode(vt::BkMode::Transparent);
  dc->SetTextColor(colour);
  if (!text.empty()) dc->TextOut(x, y, text);
}

void DrawVerticalTextBox(vt::DeviceContext* dc, const vt::Rect& rect, int opaque, vt::ColorRef background,
                         int alignment, int escapement, vt::ColorRef colour, const vt::Font* font,
                         const std::string& text) {
  if (opaque == 1) dc->FillSolidRect(rect, background);
  DrawVerticalText(dc, rect, alignment, escapement, colour, font, text);
}

void DrawEmbossedText(vt::DeviceContext* dc, const vt::Rect& rect, int alignment, vt::ColorRef baseColour,
                      const vt::Font* font, const std::string& text) {
  const BevelColors bevel = GetBevelColors(baseColour);
  DrawAlignedText(dc, vt::OffsetRect(rect, 1, 1), alignment, bevel.highlight, font, text);
  DrawAlignedText(dc, rect, alignment, bevel.shadow, font, text);
}

void DrawEmbossedTextBox(vt::DeviceContext* dc, const vt::Rect& rect, int opaque, vt::ColorRef background,
                         int alignment, vt::ColorRef baseColour, const vt::Font* font,
                         const std::string& text) {
  if (opaque == 1) dc->FillSolidRect(rect, background);
  DrawEmbossedText(dc, rect, alignment, baseColour, font, text);
}

void DrawTextWithEllipsis(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Font* font,
                          vt::ColorRef colour, std::string text) {
  const vt::Size size = FitTextToWidth(dc, font, rect.Width(), &text);
  FontScope scope(dc, font);
  const int height = dc->GetTextMetrics().height;
  dc->SetTextAlign(vt::kTaLeft);
  dc->SetBkMode(vt::BkMode::Transparent);
  dc->SetTextColor(colour);
  dc->TextOut(rect.left, (rect.top + rect.bottom) / 2 - height / 2, text);
  const int s = std::max(1, height / 14);
  DrawEllipsisDots(dc, s, colour, rect.left + size.cx + s, rect.top + height);
}

vt::Size FitTextToWidth(vt::DeviceContext* dc, const vt::Font* font, int width, std::string* text) {
  FontScope scope(dc, font);
  // Whole characters are added while the prefix still fits.
  std::size_t keep = 0;
  vt::Size extent = dc->GetTextExtent(std::string_view());
  for (std::size_t pos = 0; pos < text->size();) {
    const std::size_t next = vt::Utf8Next(*text, pos);
    const vt::Size e = dc->GetTextExtent(std::string_view(*text).substr(0, next));
    if (e.cx > width) break;
    keep = next;
    extent = e;
    pos = next;
  }
  text->resize(keep);
  return extent;
}

void TruncateTextBytes(std::string* text, int n) {
  if (n < 1) return;
  *text = std::string(vt::Utf8Truncate(*text, std::size_t(n)));
}

std::string ToHalfWidthNumber(const std::string& text) {
  struct Pair {
    const char* wide;
    char ascii;
  };
  static const Pair kPairs[] = {
      {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
      {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
      {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'}, {"\xEF\xBC\xA5", 'E'}, {"\xEF\xBD\x85", 'e'},
      {"\xEF\xBC\x8B", '+'}, {"\xE2\x88\x92", '-'}, {"\xEF\xBC\x8D", '-'}, {"\xEF\xBC\x8E", '.'},
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t next = vt::Utf8Next(text, pos);
    const std::string_view ch = std::string_view(text).substr(pos, next - pos);
    char replacement = 0;
    for (const Pair& p : kPairs)
      if (ch == p.wide) replacement = p.ascii;
    if (replacement)
      out += replacement;
    else
      out += ch;
    pos = next;
  }
  return out;
}

void TrimExponentText(std::string* text) {
  std::size_t start = 0;
  while (start < text->size() && std::isspace(static_cast<unsigned char>((*text)[start]))) ++start;
  *text = vt::AsciiUpper(std::string_view(*text).substr(start));
  const std::size_t e = text->find('E');
  if (e == std::string::npos) return;
  std::size_t pos = e + 1;
  if (pos < text->size() && (*text)[pos] == '+')
    text->erase(pos, 1);
  else if (pos < text->size() && (*text)[pos] == '-')
    ++pos;
  for (int i = 0; i < 2 && pos < text->size() && (*text)[pos] == '0'; ++i) text->erase(pos, 1);
}

void TrimNumberText(std::string* text) {
  TrimExponentText(text);
  const std::size_t e = text->find('E');
  const std::size_t dot = text->find('.');
  if (e == std::string::npos || dot == std::string::npos || dot > e) return;
  std::size_t cut = e;
  while (cut > 0) {
    const char c = (*text)[cut - 1];
    if (c != '0' && c != '.') break;
    --cut;
    if (c == '.') break;
  }
  text->erase(cut, e - cut);
}

int64_t DoubleToWholeSeconds(double seconds) {
  const double m = std::fabs(seconds);
  const double days = std::floor(m / 86400.0);
  double rest = m - days * 86400.0;
  const double hours = std::floor(rest / 3600.0);
  rest -= hours * 3600.0;
  const double minutes = std::floor(rest / 60.0);
  rest -= minutes * 60.0;
  const double secs = std::floor(rest);
  const int64_t whole = int64_t(days) * 86400 + int64_t(hours) * 3600 + int64_t(minutes) * 60 + int64_t(secs);
  return seconds < 0 ? -whole : whole;
}

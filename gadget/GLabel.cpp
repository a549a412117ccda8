// Labels: drawing, font fitting, printing with a shrinking font, spans and button faces.
#include "gadget/GLabel.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"

namespace {

const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }
int FontHeightOf(const CGFont* f) { return f && f->GetFont() ? f->GetFont()->Metrics().height : 0; }
CGFont* Pool(int h, int style, int escapement) {
  return g_rootMaster ? g_rootMaster->GetFont(h, style, escapement) : nullptr;
}
int KnownAlignment(int a) { return a >= 1 && a <= 3 ? a : kAlignLeft; }

void DrawOutline(vt::DeviceContext* dc, const vt::Rect& r, vt::ColorRef c) {
  DrawBevelLines(dc, 1, c, c, r.left, r.top, r.right, r.bottom);
}

}  // namespace

// ---- CGLabel ----

CGLabel::CGLabel(CGCore* parent, int left, int top, int width, int height, int id, int opaque,
                 vt::ColorRef backColor, int alignment, vt::ColorRef textColor, int fontHeight,
                 const char* text)
    : CGPrimitive(parent, left, top, id, GSTYLE_ACTIVE, width, height),
      m_textColor(textColor),
      m_backColor(backColor),
      m_opaque(opaque),
      m_alignment(alignment),
      m_text(text ? text : "") {
  SetFontSize(fontHeight);
}

CGLabel::CGLabel(CGCore* parent, int left, int top, int width, int height, int id, int alignment,
                 vt::ColorRef textColor, uint32_t textId)
    : CGPrimitive(parent, left, top, id, GSTYLE_ACTIVE, width, height),
      m_textColor(textColor),
      m_alignment(alignment) {
  SetFontSize(12);
  SetTextFromResource(textId);
}

CGLabel::CGLabel(CGCore* parent, int left, int top, int width, int id, int margin, int opaque,
                 vt::ColorRef backColor, int alignment, const char* text)
    : CGPrimitive(parent, left, top, id, GSTYLE_ACTIVE, width, 20),
      m_backColor(backColor),
      m_margin(margin),
      m_opaque(opaque),
      m_alignment(alignment),
      m_text(text ? text : "") {
  SetFontSize(12);
}

CGLabel::CGLabel(CGCore* parent, int left, int top, int width, uint32_t textId)
    : CGPrimitive(parent, left, top, 0, GSTYLE_ACTIVE, width, 20),
      m_backColor(0x02ECEAE6),
      m_margin(2),
      m_opaque(1) {
  SetFontSize(12);
  SetTextFromResource(textId);
}

const SGClassInfo* CGLabel::GetClassInfo() const { return GCLASS(CGLabel); }

CGFont* CGLabel::RequestFont(int h) { return Pool(h, m_fontStyle, 0); }

void CGLabel::FitFontToRect() {
  const int n = int(m_text.size());
  int h = 14;
  if (n > 0) {
    h = std::min((m_rect.Width() / n) * 2, m_rect.Height());
    h = std::clamp(h, 4, 96);
  }
  m_font = RequestFont(h);
}

void CGLabel::ChooseFont() {
  if (m_fontHeight <= 0)
    FitFontToRect();
  else
    m_font = RequestFont(m_fontHeight);
}

int CGLabel::SetFontSize(int h) {
  if (h == m_fontHeight) return 0;
  m_fontHeight = h;
  ChooseFont();
  return 1;
}

int CGLabel::SetStyleBit(int bit, int on) {
  if (((m_fontStyle & bit) != 0) == (on != 0)) return 0;
  m_fontStyle = on ? (m_fontStyle | bit) : (m_fontStyle & ~bit);
  ChooseFont();
  return 1;
}

void CGLabel::Layout() {
  if (m_fontHeight == 0) FitFontToRect();
}

int CGLabel::SetAlignment(int alignment) {
  if (alignment == m_alignment) return 0;
  m_alignment = alignment;
  return 1;
}

int CGLabel::SetOpaque(int opaque) {
  if (opaque == m_opaque) return 0;
  m_opaque = opaque;
  return 1;
}

int CGLabel::SetLabelBackColor(vt::ColorRef c) {
  if (c == m_backColor) return 0;
  m_backColor = c;
  return 1;
}

int CGLabel::SetTextColor(vt::ColorRef c) {
  if (c == m_textColor) return 0;
  m_textColor = c;
  return 1;
}

vt::ColorRef CGLabel::GetBackColor() const { return m_opaque ? m_backColor : CGPrimitive::GetBackColor(); }

void CGLabel::DrawLine(vt::DeviceContext* dc, const vt::Rect& rect, vt::ColorRef colour, CGFont* font) {
  if (m_text.empty()) return;
  DrawAlignedText(dc, rect, KnownAlignment(m_alignment), colour, FontOf(font), m_text);
}

void CGLabel::Draw(vt::DeviceContext* dc) {
  if (!m_font) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  r = vt::Rect{r.left + m_margin, r.top + m_margin, r.right - m_margin, r.bottom - m_margin};
  if (m_opaque == 1) dc->FillSolidRect(r, m_backColor);
  if (HasEffectiveStyle(GSTYLE_ACTIVE)) {
    DrawLine(dc, r, m_textColor, m_font);
    return;
  }
  if (!m_text.empty())
    DrawEmbossedText(dc, r, KnownAlignment(m_alignment), GetBackColor(), FontOf(m_font), m_text);
}

void CGLabel::ScalePrintRects(int scale) { m_printFont = Pool(scale * (FontHeightOf(m_font) - 2), 0, 0); }

int CGLabel::SetPrintFontSize(int h) {
  m_printFont = Pool(h, 0, 0);
  return 1;
}

CGFont* CGLabel::GetPrintFont(int which) {
  (void)which;
  return m_printFont;
}

void CGLabel::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  if (!m_printFont) return;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  const int room = r.Width() - 2 * m_printMargin;
  // Shrinks one pixel at a time, never below 4, until the text fits.
  CGFont* font = m_printFont;
  const vt::Font* previous = dc->SelectFont(FontOf(font));
  int h = FontHeightOf(font);
  if (FontOf(font) && dc->GetTextExtent(m_text).cx > room) {
    while (h > 4) {
      font = Pool(h - 1, 0, 0);
      dc->SelectFont(FontOf(font));
      if (dc->GetTextExtent(m_text).cx <= room) break;
      --h;
    }
  }
  dc->SelectFont(previous);
  const vt::Rect inner{r.left + m_printMargin, r.top + m_printMargin, r.right - m_printMargin,
                       r.bottom - m_printMargin};
  DrawLine(dc, inner, 0x02000000, font);
}

// ---- CGVLabel ----

CGVLabel::CGVLabel(CGCore* parent)
    : CGLabel(parent, -6, 12, 30, 40, 0, 0, 0x02000000, 2, 0x02000000, -1, nullptr) {
  SetFontSize(11);
}

const SGClassInfo* CGVLabel::GetClassInfo() const { return GCLASS(CGVLabel); }

CGFont* CGVLabel::RequestFont(int h) { return Pool(h, m_fontStyle, escapement); }

void CGVLabel::Draw(vt::DeviceContext* dc) {
  if (!m_font) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  DrawVerticalTextBox(dc, r, m_opaque == 1, m_backColor, KnownAlignment(m_alignment), escapement, m_textColor,
                      FontOf(m_font), m_text);
}

void CGVLabel::ScalePrintRects(int scale) {
  m_printFont = Pool(scale * (FontHeightOf(m_font) - 2), m_fontStyle, escapement);
}

void CGVLabel::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  if (!m_font || !m_printFont) return;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  DrawVerticalTextBox(dc, r, 0, 0, KnownAlignment(m_alignment), escapement, 0x02000000, FontOf(m_printFont),
                      m_text);
}

// ---- CGSpanLabel ----

vt::ColorRef CGSpanLabel::s_textColor = 0x02FFFFFF;
vt::ColorRef CGSpanLabel::s_fillColor = 0x025E5E5E;
vt::ColorRef CGSpanLabel::s_topLeftColor = 0x02000000;
vt::ColorRef CGSpanLabel::s_bottomRightColor = 0x02CACACA;

CGSpanLabel::CGSpanLabel(CGCore* parent)
    : CGLabel(parent, 0, 0, 100, 20, 0, 0, 0x02000000, 2, 0x02000000, 12, nullptr) {}

const SGClassInfo* CGSpanLabel::GetClassInfo() const { return GCLASS(CGSpanLabel); }

void CGSpanLabel::SetDecimals(int decimals) { m_decimals = std::clamp(decimals, 0, 9); }

void CGSpanLabel::SetSpan(double fraction, const int64_t* seconds) {
  int64_t p = 1;
  for (int i = 0; i < m_decimals; ++i) p *= 10;
  const int64_t s = seconds ? *seconds : 0;
  const bool negative = s < 0 || fraction < 0;
  // Magnitudes; the rounded fraction digits carry into the seconds.
  uint64_t whole = s < 0 ? uint64_t(0) - uint64_t(s) : uint64_t(s);
  int64_t digits = int64_t(std::fabs(fraction) * double(p) + 0.5);
  whole += uint64_t(digits / p);
  digits %= p;
  const uint64_t hours = whole / 3600, minutes = whole / 60 - hours * 60, secs = whole - (whole / 60) * 60;
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%s%02" PRIu64 ":%02" PRIu64 ":%02" PRIu64 ".%0*" PRId64,
                negative ? "-" : "", hours, minutes, secs, m_decimals, digits);
  SetText(buffer);
}

void CGSpanLabel::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, s_fillColor);
  DrawBevelLines(dc, 1, s_topLeftColor, s_bottomRightColor, r.left, r.top, r.right, r.bottom);
  if ((m_style & GSTYLE_MASKED) || m_text.empty() || !m_font) return;
  const vt::Rect inner{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
  DrawAlignedText(dc, inner, kAlignRight, s_textColor, FontOf(m_font), m_text);
}

void CGSpanLabel::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  if (r.IsEmpty()) return;
  DrawOutline(dc, r, 0x02000000);
  if (!m_text.empty() && m_printFont)
    DrawAlignedText(dc, r, kAlignCenter, 0x02000000, FontOf(m_printFont), m_text);
}

// ---- CGSkButtonLabel ----

const SGClassInfo* CGSkButtonLabel::GetClassInfo() const { return GCLASS(CGSkButtonLabel); }

void CGSkButtonLabel::DrawState(vt::DeviceContext* dc, int style) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::ButtonLabel);
  const bool enabled = (style & GSTYLE_ENABLED) != 0;
  const int colours = enabled ? 16 : 32;
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, 0x02C0C0C0);
  DrawFrameSides(dc, 1, skin.Colour(colours), skin.Colour(colours + 4), skin.Colour(colours + 8),
                 skin.Colour(colours + 12), r.left, r.top, r.right, r.bottom);
  const int cw = skin.Int(8), ch = skin.Int(12);
  if (const vt::Bitmap* face = skin.Image(0); face && cw > 0 && ch > 0) {
    const int sx = enabled ? 0 : cw;
    StretchBlendBitmap(dc, face, skin.Image(1), vt::Rect{sx, 0, sx + cw, ch},
                       vt::Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  }
  if (!m_text.empty() && m_font)
    DrawAlignedText(dc, r, kAlignCenter, skin.Colour(enabled ? 48 : 52), FontOf(m_font), m_text);
}

void CGSkButtonLabel::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  DrawOutline(dc, r, 0x02000000);
  if (!m_text.empty() && m_printFont)
    DrawAlignedText(dc, r, kAlignCenter, 0x02000000, FontOf(m_printFont), m_text);
}

// Field drawing, editing through the root's in-place editors, text limits and number parsing.
#include "gadget/GTextField.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"

namespace {

const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }
CGFont* Pool(int h) { return g_rootMaster ? g_rootMaster->GetFont(h, 0, 0) : nullptr; }
int KnownAlignment(int a) { return a >= 1 && a <= 3 ? a : kAlignLeft; }

// The skin's colours of a field: fill, frame, text for active or not active.
void SkinColours(SkinReceiver receiver, bool active, vt::ColorRef* fill, vt::ColorRef* frame,
                 vt::ColorRef* text) {
  const vt::SGSkinBlock& skin = SkinBlock(receiver);
  *fill = skin.Colour(active ? 0 : 4);
  *frame = skin.Colour(active ? 8 : 12);
  *text = skin.Colour(active ? 16 : 20);
}

}  // namespace

int64_t ParseInt64(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Accumulated as a negative number, which reaches the lowest value exactly.
  int64_t v = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  bool overflow = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int d = text[i] - '0';
    if (v < (kMin + d) / 10) overflow = true;
    if (!overflow) v = v * 10 - d;
  }
  if (overflow) return negative ? kMin : std::numeric_limits<int64_t>::max();
  if (!negative) return v == kMin ? std::numeric_limits<int64_t>::max() : -v;
  return v;
}

// ---- CGTextEdit ----

CGTextEdit::CGTextEdit(CGCore* parent, int left, int top, int width, int height, int id, int style,
                       vt::ColorRef textColor, vt::ColorRef backColor)
    : CGPrimitive(parent, left, top, id, style, width, height),
      m_font(Pool(12)),
      m_textColor(textColor),
      m_backColor(backColor) {
  const BevelColors b = GetBevelColors(backColor);
  m_lightEdge = b.highlight;
  m_darkEdge = b.shadow;
}

const SGClassInfo* CGTextEdit::GetClassInfo() const { return GCLASS(CGTextEdit); }

CGFont* FittedFieldFont(int width, int height, int n) {
  int h = 14;
  if (n > 0) h = std::clamp(std::min((width / n) * 2, height), 4, 96);
  return Pool(h);
}

int CGTextEdit::FocusFirst() { return FocusField(this); }

std::string CGTextEdit::ShownText() {
  std::string text;
  GetEditText(&text);
  if (m_style & GSTYLE_MASKED) return std::string(text.size(), '*');
  return text;
}

void CGTextEdit::DrawField(vt::DeviceContext* dc, vt::ColorRef fill, vt::ColorRef frameTL,
                           vt::ColorRef frameBR, vt::ColorRef text) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  FillBevelRect(dc, r, m_frameWidth, fill, frameTL, frameBR);
  const std::string shown = ShownText();
  if (shown.empty() || !FontOf(m_font)) return;
  const int inset = m_frameWidth + 3;
  DrawAlignedText(dc, vt::Rect{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset},
                  KnownAlignment(m_alignment), text, FontOf(m_font), shown);
}

void CGTextEdit::Draw(vt::DeviceContext* dc) {
  DrawField(dc, m_backColor, m_darkEdge, m_lightEdge,
            HasEffectiveStyle(GSTYLE_ACTIVE) ? m_textColor : m_disabledTextColor);
}

void CGTextEdit::FitFontToRect() {
  std::string text;
  GetEditText(&text);
  m_font = FittedFieldFont(m_rect.Width(), m_rect.Height(), int(text.size()));
}

int SetFieldFontSize(CGPrimitive* field, int h, int* fontHeight, CGFont** font) {
  if (h == *fontHeight) return 0;
  *fontHeight = h;
  if (h < 1)
    field->FitFontToRect();
  else
    *font = Pool(h);
  return 1;
}

int CGTextEdit::SetFontSize(int h) { return SetFieldFontSize(this, h, &m_fontHeight, &m_font); }

void CGTextEdit::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (HitTest(x, y, GSTYLE_VISIBLE)) BeginEdit();
}

int CGTextEdit::EndEdit(int closeCode) {
  if (GetRootGadget()) {
    Redraw();
    Flush();
    FireEvent(GEVENT_EDIT_END);
  }
  CarryEditOn(this, closeCode);
  return 0;
}

// ---- CGText ----

CGText::CGText(CGCore* parent, int left, int top, int width, int height, int id, vt::ColorRef textColor,
               vt::ColorRef backColor, int maxLength)
    : CGTextEdit(parent, left, top, width, height, id, GSTYLE_ACTIVE, textColor, backColor),
      m_maxLength(maxLength) {}

const SGClassInfo* CGText::GetClassInfo() const { return GCLASS(CGText); }

void CGText::SetEditText(const std::string& text) {
  m_text = text;
  if (m_maxLength >= 1) TruncateTextBytes(&m_text, m_maxLength);
}

// ---- CGIntValue ----

CGIntValue::CGIntValue(CGCore* parent, int left, int top, int width, int height, int id, int style,
                       vt::ColorRef textColor, vt::ColorRef backColor, int minimum, int maximum, int value,
                       int digits)
    : CGTextEdit(parent, left, top, width, height, id, style, textColor, backColor),
      m_minimum(minimum),
      m_maximum(maximum),
      m_value(value),
      m_digits(digits) {}

const SGClassInfo* CGIntValue::GetClassInfo() const { return GCLASS(CGIntValue); }

void CGIntValue::SetValue(int v) {
  if (m_minimum < m_maximum) v = std::clamp(v, m_minimum, m_maximum);
  m_value = v;
}

void CGIntValue::GetEditText(std::string* out) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%0*d", std::clamp(m_digits, 0, 32), m_value);
  *out = buffer;
}

void CGIntValue::SetEditText(const std::string& text) {
  std::string number = ToHalfWidthNumber(text);
  TrimNumberText(&number);
  if (number.size() > 10) number.resize(10);
  const int64_t v = std::clamp<int64_t>(ParseInt64(number), std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max());
  SetValue(int(v));
}

// ---- skinned ----

const SGClassInfo* CGSkText::GetClassInfo() const { return GCLASS(CGSkText); }

void CGSkText::Draw(vt::DeviceContext* dc) {
  vt::ColorRef fill, frame, text;
  SkinColours(SkinReceiver::Text, HasEffectiveStyle(GSTYLE_ACTIVE), &fill, &frame, &text);
  DrawField(dc, fill, frame, frame, text);
}

const SGClassInfo* CGSkIntValue::GetClassInfo() const { return GCLASS(CGSkIntValue); }

void CGSkIntValue::Draw(vt::DeviceContext* dc) {
  vt::ColorRef fill, frame, text;
  SkinColours(SkinReceiver::IntValue, HasEffectiveStyle(GSTYLE_ACTIVE), &fill, &frame, &text);
  DrawField(dc, fill, frame, frame, text);
}

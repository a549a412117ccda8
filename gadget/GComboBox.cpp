// The drop-down field and its skinned form (see GComboBox.h).
#include "gadget/GComboBox.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/StringTable.h"

namespace {
const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }
int KnownAlignment(int a) { return a >= 1 && a <= 3 ? a : kAlignLeft; }
}  // namespace

CGComboBox::CGComboBox(CGCore* parent, int left, int top, int width, int height, int id, int style,
                       int itemCount, const uint32_t* itemIds, const int* itemValues)
    : CGPrimitive(parent, left, top, id, style, width, height), m_font(GetSharedFont(12, 0, 0)) {
  SetResourceItems(itemCount, itemIds, itemValues);
}

const SGClassInfo* CGComboBox::GetClassInfo() const { return GCLASS(CGComboBox); }

// ---- items ----

void CGComboBox::FreeItems() {
  m_itemTexts.clear();
  m_itemValues.clear();
  m_capacity = 0;
}

void CGComboBox::SetItemCount(int count) {
  count = std::max(count, 0);
  if (count > m_capacity) {
    FreeItems();
    m_itemTexts.assign(size_t(count), std::string());
    m_itemValues.resize(size_t(count));
    for (int i = 0; i < count; ++i) m_itemValues[size_t(i)] = i;
    m_capacity = count;
  }
  m_itemCount = count;
}

void CGComboBox::SetResourceItems(int count, const uint32_t* ids) {
  SetItemCount(count);
  for (int i = 0; i < m_itemCount; ++i) m_itemTexts[size_t(i)] = ids ? vt::LoadString(ids[i]) : std::string();
}

void CGComboBox::SetItems(int count, const std::string* texts) {
  SetItemCount(count);
  for (int i = 0; i < m_itemCount; ++i) m_itemTexts[size_t(i)] = texts ? texts[i] : std::string();
}

void CGComboBox::SetValues(int count, const int* values) {
  if (!values) return;
  const int n = std::min(count, m_itemCount);
  for (int i = 0; i < n; ++i) m_itemValues[size_t(i)] = values[i];
}

void CGComboBox::SetResourceItems(int count, const uint32_t* ids, const int* values) {
  SetResourceItems(count, ids);
  SetValues(count, values);
}

void CGComboBox::SetItems(int count, const std::string* texts, const int* values) {
  SetItems(count, texts);
  SetValues(count, values);
}

// ---- value and text ----

void CGComboBox::SetValue(int v) {
  if (m_itemValues.empty()) {
    m_selection = v;
    return;
  }
  m_selection = -1;
  for (int i = 0; i < m_itemCount; ++i)
    if (m_itemValues[size_t(i)] == v) {
      m_selection = i;
      return;
    }
}

int CGComboBox::GetValue(int* out) {
  if (m_itemValues.empty()) {
    *out = m_selection;
    return 0;
  }
  if (m_selection < 0 || m_selection >= m_itemCount) return 3;
  *out = m_itemValues[size_t(m_selection)];
  return 0;
}

void CGComboBox::SetEditText(const std::string& text) {
  for (int i = 0; i < m_itemCount; ++i)
    if (m_itemTexts[size_t(i)] == text) {
      m_selection = i;
      return;
    }
}

void CGComboBox::GetEditText(std::string* out) {
  if (m_selection >= 0 && m_selection < m_itemCount) *out = m_itemTexts[size_t(m_selection)];
}

// ---- font ----

int CGComboBox::SetFontSize(int h) { return SetFieldFontSize(this, h, &m_fontHeight, &m_font); }

void CGComboBox::FitFontToRect() {
  std::string text;
  GetEditText(&text);
  // The arrow button takes about the field's height of its width.
  m_font = FittedFieldFont(m_rect.Width() - m_rect.Height(), m_rect.Height(), int(text.size()));
}

// ---- editing ----

int CGComboBox::FocusFirst() { return FocusField(this); }

void CGComboBox::OpenDropDown(int byMouse) {
  FireEvent(GEVENT_EDIT_BEGIN);
  vt::Rect r;
  GetAbsoluteRect(&r);
  EditWithCombo(r.left, r.top, r.right, r.bottom, m_listHeight, FontOf(m_font), m_itemCount,
                m_itemTexts.empty() ? nullptr : m_itemTexts.data(), nullptr, m_selection, byMouse);
}

void CGComboBox::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (HitTest(x, y, GSTYLE_VISIBLE)) OpenDropDown(1);
}

int CGComboBox::EndEdit(int closeCode) {
  Redraw();
  Flush();
  CarryEditOn(this, closeCode);
  return 0;
}

// ---- drawing ----

vt::Rect CGComboBox::TextRect(int buttonWidth) const {
  vt::Rect r;
  GetAbsoluteRect(&r);
  return vt::Rect{r.left + 4, r.top + 4, r.right - buttonWidth - 4, r.bottom - 4};
}

void CGComboBox::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  FillBevelRect(dc, r, 1, m_fillColor, m_topLeftEdge, m_bottomRightEdge);
  const bool enabled = HasEffectiveStyle(GSTYLE_ENABLED);
  const vt::Rect in{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  DrawComboArrowButton(dc, enabled ? GSTYLE_ENABLED : 0, in.right - 15, in.top, in.right, in.bottom);
  std::string text;
  GetEditText(&text);
  if (text.empty() || !FontOf(m_font)) return;
  DrawAlignedText(dc, TextRect(15), KnownAlignment(m_alignment), enabled ? m_textColor : 0x02C0C0C0,
                  FontOf(m_font), text);
}

// ---- CGSkComboBox ----

const SGClassInfo* CGSkComboBox::GetClassInfo() const { return GCLASS(CGSkComboBox); }

void CGSkComboBox::Draw(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::ComboBox);
  const bool enabled = HasEffectiveStyle(GSTYLE_ENABLED);
  const int off = enabled ? 0 : 4;
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef frame = skin.Colour(56 + off);
  FillBevelRect(dc, r, 1, skin.Colour(48 + off), frame, frame);
  const vt::Rect button{r.right - 2 - 16, r.top + 2, r.right - 2, r.bottom - 2};
  const int cell = enabled ? 0 : 1;
  if (const vt::Bitmap* face = skin.Image(0))
    DrawNineSliceCell(dc, face, skin.Image(1), cell, skin.Int(8), skin.Int(12), skin.Int(16), skin.Int(20),
                      skin.Int(24), skin.Int(28), button);
  if (const vt::Bitmap* glyph = skin.Image(2); glyph && skin.Int(40) > 0 && skin.Int(44) > 0)
    DrawBitmapCellBlended(dc, button, glyph, skin.Image(3), cell, skin.Int(40), skin.Int(44));
  std::string text;
  GetEditText(&text);
  if (text.empty() || !FontOf(m_font)) return;
  DrawAlignedText(dc, TextRect(16), KnownAlignment(m_alignment), skin.Colour(64 + off), FontOf(m_font), text);
}

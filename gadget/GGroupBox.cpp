// Group box drawing and layout, and the radio group box's selection.
#include "gadget/GGroupBox.h"

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkin.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"

namespace {

const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }

int TextWidth(vt::DeviceContext* dc, const CGFont* font, const std::string& text) {
  if (!FontOf(font) || text.empty()) return 0;
  const vt::Font* previous = dc->SelectFont(FontOf(font));
  const int w = dc->GetTextExtent(text).cx;
  dc->SelectFont(previous);
  return w;
}

}  // namespace

CGGroupBox::CGGroupBox(CGCore* parent, const char* title)
    : CGGroup(parent, 0, 5, 0, GSTYLE_ACTIVE, 380, 20, 0, 1, 0x02ECEAE6),
      m_font(g_rootMaster ? g_rootMaster->GetFont(12, 0, 0) : nullptr),
      m_title(title ? title : "") {}

const SGClassInfo* CGGroupBox::GetClassInfo() const { return GCLASS(CGGroupBox); }

int CGGroupBox::TitleHeight() const { return FontOf(m_font) ? FontOf(m_font)->Metrics().height : 0; }

void CGGroupBox::Layout() {
  CGCore* first = GetFirstChild();
  if (!IsPrimitive(first)) return;
  const int t = TitleHeight();
  static_cast<CGPrimitive*>(first)->SetBounds(3, t + 3, m_rect.Width() - 6, m_rect.Height() - t - 6);
}

void CGGroupBox::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  const BevelColors bevel = GetBevelColors(c);
  dc->FillSolidRect(r, c);
  const int t = TitleHeight();
  const vt::Rect f{r.left, r.top + t / 2, r.right, r.bottom};
  DrawBevelLines(dc, 1, bevel.shadow, bevel.highlight, f.left, f.top, f.right, f.bottom);
  DrawBevelLines(dc, 1, bevel.highlight, bevel.shadow, f.left + 1, f.top + 1, f.right - 1, f.bottom - 1);
  if (!m_title.empty()) DrawTitle(dc, r.left + t / 2, r.top, r.right, r.top + t, m_font, m_title);
}

void CGGroupBox::DrawTitle(vt::DeviceContext* dc, int left, int top, int right, int bottom, CGFont* font,
                           const std::string& title) {
  (void)right;
  const vt::Rect box{left, top, left + TextWidth(dc, font, title) + 6, bottom};
  dc->FillSolidRect(box, GetBackColor());
  if (HasEffectiveStyle(GSTYLE_ACTIVE))
    DrawAlignedText(dc, box, kAlignCenter, m_textColour, FontOf(font), title);
  else
    DrawEmbossedText(dc, box, kAlignCenter, GetBackColor(), FontOf(font), title);
}

// ---- CGSkRadioGroupBox ----

const SGClassInfo* CGSkRadioGroupBox::GetClassInfo() const { return GCLASS(CGSkRadioGroupBox); }

void CGSkRadioGroupBox::SetValue(int v) {
  m_selected = v;
  if (CGCore* content = GetFirstChild(); IsPrimitive(content))
    static_cast<CGPrimitive*>(content)->SetStyle(v ? GSTYLE_ACTIVE : GSTYLE_VISIBLE);
}

void CGSkRadioGroupBox::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if (!m_selected) OnClick();
  CGPrimitive::OnLButtonDown(flags, x, y);
}

void CGSkRadioGroupBox::OnClick() {
  CGCore* parent = GetParent();
  if (!IsKindOfClass(parent, GCLASS(CGRadioBox))) return;
  auto* box = static_cast<CGPrimitive*>(parent);
  box->SetValue(ChildPosition(this));
  box->Redraw();
  box->Flush();
  box->FireEvent(GEVENT_CHANGED);
}

void CGSkRadioGroupBox::Draw(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::RadioGroupBox);
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  dc->FillSolidRect(r, c);
  const int t = TitleHeight();
  const bool active = HasEffectiveStyle(GSTYLE_ACTIVE);
  const vt::Rect f{r.left, r.top + t / 2, r.right, r.bottom};
  if (const vt::Bitmap* frame = skin.Image(0))
    DrawNineSliceBorder(dc, frame, skin.Image(1), active ? 0 : 1, skin.Int(8), skin.Int(12), skin.Int(16),
                        skin.Int(20), skin.Int(24), skin.Int(28), f);
  const vt::ColorRef titleColour = skin.Colour(active ? 48 : 52);
  const int mw = skin.Int(40), mh = skin.Int(44);
  vt::Rect mark;
  mark.left = f.left + t / 2 + 3;
  mark.right = mark.left + mw;
  mark.top = std::max(f.top - mh / 2, r.top);
  mark.bottom = mark.top + mh;
  const int titleLeft = mark.right + 3;
  const int titleRight = titleLeft + TextWidth(dc, m_font, m_title);
  dc->FillSolidRect(vt::Rect{mark.left - 3, mark.top, titleRight + 3, mark.bottom}, c);
  const bool enabled = HasEffectiveStyle(GSTYLE_ENABLED);
  if (const vt::Bitmap* strip = skin.Image(2))
    DrawBitmapCellBlended(dc, mark, strip, skin.Image(3), (m_selected ? 1 : 0) + (enabled ? 0 : 2), mw, mh);
  if (m_title.empty() || !FontOf(m_font)) return;
  const int y = (r.top + r.top + t) / 2 - t / 2;
  DrawTextAt(FontOf(m_font), dc, titleLeft, y, 0, titleColour, m_title);
}

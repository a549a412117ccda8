// The legend trees: node look and input, the screens and managers, building and reading the
// trees from the legend entries, the three check-box toggles and print shrinking.
#include "trend/LegendTree.h"

#include <algorithm>
#include <cstring>

#include "gadget/GDraw.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"
#include "trend/NgHooks.h"
#include "trend/SunkenBevel.h"

const SGNgLegendSkin kNgLegendSkinShipped = {{12204, 12205, 16, 16}, {12206, 12207, 16, 16}};

namespace {

SGNgLegendSkin s_skin = kNgLegendSkinShipped;
// The channel node under the pointer (one pointer at a time).
CGNgChannelNode* s_hoverNode = nullptr;

constexpr vt::ColorRef kSelectedBand = 0x02993300;
constexpr vt::ColorRef kWhite = 0x02FFFFFF;
constexpr vt::ColorRef kBlack = 0x02000000;

int CheckW() { return s_skin.check[2]; }
int CheckH() { return s_skin.check[3]; }
int ExpandW() { return s_skin.expand[2]; }
int ExpandH() { return s_skin.expand[3]; }

const vt::Bitmap* Bits(const CGBitmap* b) { return b ? b->GetBitmap() : nullptr; }
// The skin's bitmaps come from the root master's pool at each use, so no pointer outlives it.
CGBitmap* SkinBitmap(int id) { return g_rootMaster ? g_rootMaster->GetBitmap(id) : nullptr; }
const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }

void DrawCell(vt::DeviceContext* dc, const CGBitmap* image, const CGBitmap* mask, int index, int x, int y,
              int w, int h) {
  const vt::Rect r{x, y, x + w, y + h};
  if (Bits(mask))
    DrawBitmapCellBlended(dc, r, Bits(image), Bits(mask), index, w, h);
  else
    DrawBitmapCell(dc, r, Bits(image), index, w, h);
}

vt::ColorRef TextColourOn(vt::ColorRef back) {
  const int sum = int(back & 0xFF) + int((back >> 8) & 0xFF) + int((back >> 16) & 0xFF);
  return sum <= 384 ? kWhite : kBlack;
}

vt::CGNgLegendManager* ManagerOf(const CGTreeNode* node) {
  CGTreeScreen* s = node->Screen();
  CGTreeManager* m = s ? s->Manager() : nullptr;
  return IsKindOfClass(m, GCLASS(CGNgChLegend)) || IsKindOfClass(m, GCLASS(CGNgAxisLegend))
             ? static_cast<vt::CGNgLegendManager*>(m)
             : nullptr;
}

// A node from the pool (reset) or a new one, as the screen's last gadget child.
template <class T>
T* MakeNode(vt::CGNgLegendScreen* screen, const SGClassInfo* cls) {
  if (auto* pooled = static_cast<T*>(TakeFromStocker(cls, screen))) {
    pooled->SetStyle(GSTYLE_ACTIVE);
    pooled->SetBounds(0, 0, 10, 10);
    pooled->SetExpanded(false);
    pooled->m_checked = 0;
    pooled->m_label.clear();
    pooled->m_labelWidth = -1;
    pooled->m_colour = pooled->m_textColour = kBlack;
    pooled->m_printFactor = 1.0;
    return pooled;
  }
  return new T(screen);
}

CGTreeNode* MakeTreeRoot(vt::CGNgLegendScreen* screen) {
  if (screen->m_root) screen->m_root->Release();
  CGTreeNode* root = static_cast<CGTreeNode*>(TakeFromStocker(GCLASS(CGTreeNode), screen));
  if (root) {
    root->SetStyle(GSTYLE_ACTIVE);
    root->SetBounds(0, 0, 10, 10);
  } else {
    root = new CGTreeNode(screen, 0, 0, 0, GSTYLE_ACTIVE, 10, 10);
  }
  screen->m_root = root;
  screen->m_selected = nullptr;
  return root;
}

// After a toggle: the edit hook, the selection hook when the selection moved, then the panel
// is laid out around the relayout hook and repainted.
void AfterToggle(NgLegendOwner* owner, NgHook editHook, bool selectionChanged) {
  CGPrimitive* panel = owner->HookSource();
  if (editHook) editHook(panel, 0, 0);
  if (selectionChanged && NgSelectionHook) NgSelectionHook(panel, 0, 0);
  if (panel) panel->LayoutTree();
  if (NgRelayoutHook) NgRelayoutHook(panel, 0, 0);
  if (panel) {
    panel->LayoutTree();
    panel->Update();
  }
}

// The event-1 handler of a check box: the toggle, then the hooks and the new layout.
template <class Node, bool (*Apply)(Node*, NgLegendOwner*), NgHook* EditHook>
void OnToggled(CGPrimitive* source, int, void*) {
  auto* node = static_cast<Node*>(source);
  vt::CGNgLegendManager* m = ManagerOf(node);
  if (!m || !m->m_owner) return;
  const bool changed = Apply(node, m->m_owner);
  AfterToggle(m->m_owner, *EditHook, changed);
}

CGNgTreeNode* NgChild(const CGTreeNode* parent, int i) {
  return parent ? static_cast<CGNgTreeNode*>(parent->TreeChildAt(i)) : nullptr;
}

// The first checked channel of the checked axis nodes, in order: (position, axis) or (-1, -1).
void FirstCheckedInAxisTree(const CGTreeScreen* screen, const SNgLegendAxisEntry* axes, int* channel,
                            int* axis) {
  *channel = -1, *axis = -1;
  if (!screen->m_root) return;
  int b = 0;
  for (CGTreeNode* a = screen->m_root->FirstTreeChild(); a; a = a->NextTreeSibling(), ++b) {
    if (!static_cast<CGNgTreeNode*>(a)->m_checked) continue;
    int j = 0;
    for (CGTreeNode* c = a->FirstTreeChild(); c; c = c->NextTreeSibling(), ++j)
      if (static_cast<CGNgTreeNode*>(c)->m_checked) {
        *channel = axes ? axes[b].channels[j].position : j;
        *axis = b;
        return;
      }
  }
}

}  // namespace

void SetNgLegendSkin(const SGNgLegendSkin& skin) {
  s_skin = skin;
  for (int id : {skin.check[0], skin.check[1], skin.expand[0], skin.expand[1]}) SkinBitmap(id);
}

// ---- legend node ----

CGNgTreeNode::CGNgTreeNode(CGCore* screen)
    : CGTreeNode(screen, 0, 0, 0, GSTYLE_ACTIVE, 10, 10), m_font(GetSharedFont(14, 0, 0)) {}

void CGNgTreeNode::SetText(const std::string& text) {
  m_label = text;
  m_labelWidth = -1;
}

int CGNgTreeNode::FontHeight() const { return m_font ? m_font->GetLogFont().height : 14; }

int CGNgTreeNode::TextWidth() {
  if (m_labelWidth >= 0) return m_labelWidth;
  vt::DeviceContext* dc = GetBackDC();
  if (!dc || !FontOf(m_font)) return FontHeight() / 2 * int(m_label.size()) + 2;
  const vt::Font* old = dc->SelectFont(FontOf(m_font));
  m_labelWidth = dc->GetTextExtent(m_label).cx;
  dc->SelectFont(old);
  return m_labelWidth;
}

int CGNgTreeNode::PrintTextWidth() const {
  const int h = m_printFont ? m_printFont->GetLogFont().height : int(14 * m_printFactor);
  return h / 2 * int(m_label.size()) + 2;
}

vt::ColorRef CGNgTreeNode::ScreenBackColor() const {
  const CGTreeScreen* s = Screen();
  return s ? s->GetBackColor() : kWhite;
}

bool CGNgTreeNode::Selected() const {
  const CGTreeScreen* s = Screen();
  return s && s->m_selected == this;
}

bool CGNgTreeNode::PressAndRelease(const vt::Rect& r, int32_t x, int32_t y) {
  return r.Contains(g_treePressPoint) && r.Contains(vt::Point{x, y});
}

void CGNgTreeNode::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  DrawNode(dc, a.left, a.top, GetLabelSize().cy, Selected());
}

bool CGNgTreeNode::GetVisibleRect(vt::Rect* out) const {
  *out = vt::Rect{};
  if (const CGPrimitive* p = ParentPrimitive()) {
    p->GetVisibleRect(out);
    *out = vt::Rect{out->left + 1, out->top + 1, out->right - 1, out->bottom - 1};
  }
  return !out->IsEmpty();
}

void CGNgTreeNode::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  CGPrimitive::OnLButtonUp(flags, x, y);
}

void CGNgTreeNode::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) { OnLButtonDown(flags, x, y); }

void CGNgTreeNode::OnClick() {
  m_checked = m_checked ? 0 : 1;
  FireEvent(GEVENT_CHANGED);
}

void CGNgTreeNode::CheckCell(vt::DeviceContext* dc, int x, int y) {
  const int index = IsActive() ? (m_checked ? 1 : 0) : (m_checked ? 3 : 2);
  DrawCell(dc, SkinBitmap(s_skin.check[0]), SkinBitmap(s_skin.check[1]), index, x, y, CheckW(), CheckH());
}

void CGNgTreeNode::ApplyPrintScale(int scale) {
  ScalePrintRects(scale);
  for (CGTreeNode* c = FirstTreeChild(); c; c = c->NextTreeSibling())
    if (static_cast<CGNgTreeNode*>(c)->m_checked) c->ApplyPrintScale(scale);
}

void CGNgTreeNode::ScalePrintRects(int s) {
  m_printFont = GetSharedFont(int(m_printFactor * 14), 0, 0);
  // Placed like the screen layout, among the checked siblings only.
  CGTreeNode* prev = PrevTreeSibling();
  while (prev && !static_cast<CGNgTreeNode*>(prev)->m_checked) prev = prev->PrevTreeSibling();
  const vt::Size label = GetPrintLabelSize();
  int x, y;
  if (!TreeParent()) {
    x = 8 * s, y = 3 * s;
  } else if (prev) {
    x = prev->PrintRect().left;
    y = prev->PrintRect().bottom + SiblingGap() * s;
  } else {
    x = TreeParent()->PrintRect().left + 4 * s;
    y = TreeParent()->PrintRect().bottom + 3 * s;
  }
  SetPrintBounds(x, y, label.cx + 17 * s, label.cy);
}

// ---- axis node ----

vt::Size CGNgAxisNode::GetLabelSize() {
  return vt::Size{TextWidth() + CheckW() + 6, std::max(FontHeight(), CheckH())};
}

vt::Size CGNgAxisNode::GetPrintLabelSize() {
  const int fh = m_printFont ? m_printFont->GetLogFont().height : FontHeight();
  return vt::Size{PrintTextWidth() + CheckW() + 6, std::max(fh, CheckH()) + int(3 * m_printFactor)};
}

void CGNgAxisNode::DrawNode(vt::DeviceContext* dc, int left, int top, int cy, bool selected) {
  CheckCell(dc, left, top + cy / 2 - CheckH() / 2);
  DrawCell(dc, SkinBitmap(s_skin.expand[0]), SkinBitmap(s_skin.expand[1]), IsExpanded() ? 1 : 0, left + 19,
           top + cy / 2 - ExpandH() / 2, ExpandW(), ExpandH());
  const int x0 = left + 19 + ExpandW();
  const int w = GetLabelSize().cx;
  const vt::ColorRef band = selected ? kSelectedBand : ScreenBackColor();
  dc->FillSolidRect(vt::Rect{x0 + 2, top, x0 + w, top + cy}, band);
  const vt::Rect text{x0 + 4, top, x0 + w, top + cy};
  if (m_checked)
    DrawAlignedText(dc, text, kAlignLeft, selected ? ScreenBackColor() : m_textColour, FontOf(m_font),
                    m_label);
  else
    DrawEmbossedText(dc, text, kAlignLeft, band, FontOf(m_font), m_label);
}

void CGNgAxisNode::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  const vt::Rect& r = m_rect;
  if (PressAndRelease(vt::Rect{r.left, r.top, r.left + 17, r.bottom}, x, y)) {
    if (HitTest(x, y, GSTYLE_VISIBLE)) OnClick();
  } else if (PressAndRelease(vt::Rect{r.left + 17, r.top, r.left + 34, r.bottom}, x, y)) {
    if (ToggleExpand())
      if (CGTreeScreen* s = Screen()) s->NotifyExpandChanged();
  }
  CGNgTreeNode::OnLButtonUp(flags, x, y);
}

bool CGNgAxisNode::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : (*out = vt::Rect{}, false);
}

void CGNgAxisNode::ScalePrintRects(int s) {
  CGNgTreeNode::ScalePrintRects(s);
  // Below the previous checked axis node and the checked channels it shows.
  CGTreeNode* prev = PrevTreeSibling();
  while (prev && !static_cast<CGNgTreeNode*>(prev)->m_checked) prev = prev->PrevTreeSibling();
  if (!prev) return;
  int bottom = prev->PrintRect().bottom;
  if (prev->IsExpanded())
    for (CGTreeNode* c = prev->FirstTreeChild(); c; c = c->NextTreeSibling())
      if (static_cast<CGNgTreeNode*>(c)->m_checked) bottom = std::max(bottom, c->PrintRect().bottom);
  MovePrintRect(prev->PrintRect().left, bottom + 3 * s);
}

void CGNgAxisNode::PrintSelf(vt::DeviceContext* dc, int) {
  if (!m_checked) return;
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  const double f = m_printFactor;
  const int sw = int(CheckW() / 2 * f), sh = int(CheckH() / 2 * f);
  const int y = (a.top + a.bottom) / 2 - sh / 2;
  dc->FillSolidRect(vt::Rect{a.left, y, a.left + sw, y + sh}, m_colour);
  DrawAlignedText(dc, vt::Rect{a.left + sw + int(4 * f), a.top, a.right, a.bottom}, kAlignLeft, m_textColour,
                  FontOf(m_printFont), m_label);
}

// ---- channel node ----

bool CGNgChannelNode::InAxisLegend() const { return IsKindOfClass(TreeParent(), GCLASS(CGNgAxisNode)); }

vt::Size CGNgChannelNode::GetLabelSize() {
  return vt::Size{TextWidth() + CheckW() + 2 + (InAxisLegend() ? 8 : 0), std::max(FontHeight(), CheckH())};
}

vt::Size CGNgChannelNode::GetPrintLabelSize() {
  const int fh = m_printFont ? m_printFont->GetLogFont().height : FontHeight();
  return vt::Size{PrintTextWidth() + CheckW() + 10, std::max(fh, CheckH()) + int(3 * m_printFactor)};
}

void CGNgChannelNode::DrawTreeLines(vt::DeviceContext* dc, int x, int y) {
  const int h = m_rect.Height();
  DrawLine(dc, 1, kBlack, x, y, x + 4, y);
  if (IsKindOfClass(NextShownSibling(), GCLASS(CGNgChannelNode))) DrawLine(dc, 1, kBlack, x, y, x, y + h + 1);
  const CGTreeScreen* s = Screen();
  if (PrevShownSibling() || (TreeParent() && TreeParent()->TreeParent()) || (s && s->m_showRoot))
    DrawLine(dc, 1, kBlack, x, y, x, y - h / 2 - 4);
  int ax = x;
  for (CGTreeNode* a = TreeParent(); IsKindOfClass(a, GCLASS(CGNgChannelNode)); a = a->TreeParent()) {
    ax -= 20;
    if (a->NextShownSibling()) DrawLine(dc, 1, kBlack, ax, y - h / 2 - 4, ax, y + h / 2 + 1);
  }
}

void CGNgChannelNode::PrintTreeLines(vt::DeviceContext* dc, int x, int y) {
  const int f = std::max(1, int(m_printFactor));
  const int h = m_printRect.Height();
  DrawLine(dc, 1, kBlack, x, y, x + 4 * f, y);
  if (PrevTreeSibling() || (TreeParent() && TreeParent()->TreeParent()))
    DrawLine(dc, 1, kBlack, x, y, x, y - h / 2 - 4 * f);
}

void CGNgChannelNode::DrawNode(vt::DeviceContext* dc, int left, int top, int cy, bool selected) {
  const CGTreeScreen* s = Screen();
  const bool lines = s && s->m_drawLines;
  if (lines) {
    vt::Rect v;
    s->GetVisibleRect(&v);
    v = vt::Rect{v.left + 1, v.top + 1, v.right - 1, v.bottom - 1};
    dc->SelectClipRect(&v);
    DrawTreeLines(dc, left + 4, top + m_rect.Height() / 2);
  }
  const int cw = CheckW(), ch = CheckH();
  const int x = lines ? left + 9 : left;
  const int y = top + cy / 2 - ch / 2;
  CheckCell(dc, x, y);
  DrawSolidFrame(dc, vt::Rect{x + cw + 4, y + 2, x + 2 * cw, y + ch - 2}, 1, 1, kBlack, m_colour);
  const int x1 = x + 2 * cw;
  const int tw = TextWidth();
  const vt::ColorRef band = selected ? kSelectedBand : ScreenBackColor();
  const vt::Rect bandRect{x1 + 2, top + 1, x1 + tw + 7, top + cy};
  dc->FillSolidRect(bandRect, band);
  const vt::Rect text{x1 + 4, top + 2, x1 + GetLabelSize().cx, top + cy};
  if (m_checked && IsActive())
    DrawAlignedText(dc, text, kAlignLeft, selected ? kWhite : m_textColour, FontOf(m_font), m_label);
  else
    DrawEmbossedText(dc, text, kAlignLeft, band, FontOf(m_font), m_label);
  if (m_hover)
    DrawLine(dc, 1, selected ? kWhite : 0x02FF0000, bandRect.left, bandRect.bottom - 2, bandRect.right,
             bandRect.bottom - 2);
}

void CGNgChannelNode::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  const int shift = InAxisLegend() ? 8 : 0;
  const vt::Rect& r = m_rect;
  const int b = r.left + shift;
  if (PressAndRelease(vt::Rect{b, r.top, b + 17, r.bottom}, x, y)) {
    if (HitTest(x, y, GSTYLE_VISIBLE)) OnClick();
  } else if (PressAndRelease(vt::Rect{b + 34, r.top, r.right + shift, r.bottom}, x, y)) {
    CGTreeScreen* s = Screen();
    if (m_checked && s && s->m_selected != this) {
      s->m_selected = this;
      s->NotifySelectionChanged();
    }
  }
  CGNgTreeNode::OnLButtonUp(flags, x, y);
}

void CGNgChannelNode::SetHover(int on) {
  m_hover = on;
  if (on)
    s_hoverNode = this;
  else if (s_hoverNode == this)
    s_hoverNode = nullptr;
  Redraw();
  Flush();
  if (CGTreeScreen* s = Screen()) s->Flush();
}

void CGNgChannelNode::OnMouseEnter(int32_t x, int32_t y) {
  SetHover(1);
  CGNgTreeNode::OnMouseEnter(x, y);
}

void CGNgChannelNode::OnMouseLeave(int32_t x, int32_t y) {
  SetHover(0);
  CGNgTreeNode::OnMouseLeave(x, y);
}

void CGNgChannelNode::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  if (IsActive()) {
    const int on = HitTest(x, y, GSTYLE_VISIBLE) ? 1 : 0;
    if (on != m_hover) SetHover(on);
  } else if (s_hoverNode == this) {
    s_hoverNode = nullptr;
  }
  CGNgTreeNode::OnMouseMove(flags, x, y);
}

bool CGNgChannelNode::GetVisiblePrintRect(vt::Rect* out) const {
  const CGPrimitive* p = ParentPrimitive();
  return p ? p->GetVisiblePrintRect(out) : (*out = vt::Rect{}, false);
}

void CGNgChannelNode::PrintSelf(vt::DeviceContext* dc, int) {
  if (!m_checked || !IsActive()) return;
  vt::Rect a;
  GetAbsolutePrintRect(&a);
  const double f = m_printFactor;
  const CGTreeScreen* s = Screen();
  if (s && s->m_drawLines) PrintTreeLines(dc, a.left + int(4 * f), (a.top + a.bottom) / 2);
  const int sw = int(CheckH() / 2 * f), sh = int(CheckW() / 2 * f);
  const int x = a.left + int(9 * f), y = (a.top + a.bottom) / 2 - sh / 2;
  dc->FillSolidRect(vt::Rect{x, y, x + sw, y + sh}, m_colour);
  DrawAlignedText(dc, vt::Rect{x + sw + int(4 * f), a.top, a.right, a.bottom}, kAlignLeft, m_textColour,
                  FontOf(m_printFont), m_label);
}

// ---- screens ----

vt::CGNgLegendScreen::CGNgLegendScreen(CGCore* manager, int drawLines)
    : CGTreeScreen(manager, 0, GSTYLE_ACTIVE) {
  m_drawLines = uint8_t(drawLines);
}

void vt::CGNgLegendScreen::Draw(vt::DeviceContext* dc) {
  vt::Rect a;
  GetAbsoluteRect(&a);
  dc->FillSolidRect(vt::Rect{a.left + 1, a.top + 1, a.right - 1, a.bottom - 1}, m_backColour);
}

void vt::CGNgLegendScreen::Layout() { CGTreeScreen::Layout(); }

void vt::CGNgLegendScreen::LayoutTree() { CGTreeScreen::LayoutTree(); }

void vt::CGNgLegendScreen::SetBackColor(vt::ColorRef c) {
  m_backColour = c;
  const vt::ColorRef text = TextColourOn(c);
  for (CGCore* n = GetFirstChild(); n; n = NextChild(n))
    if (IsKindOfClass(n, GCLASS(CGNgTreeNode))) static_cast<CGNgTreeNode*>(n)->m_textColour = text;
}

void vt::CGNgLegendScreen::ApplyPrintScale(int s) {
  if (GetStyle() & GSTYLE_VISIBLE) ScalePrintRects(s);
  if (!m_root) return;
  if (m_showRoot) {
    m_root->ApplyPrintScale(s);
    return;
  }
  m_root->SetPrintBounds(-3 * s, -s, 0, 0);
  for (CGTreeNode* c = m_root->FirstTreeChild(); c; c = c->NextTreeSibling())
    if (c->IsShown() && static_cast<CGNgTreeNode*>(c)->m_checked) c->ApplyPrintScale(s);
}

void vt::CGNgLegendScreen::ScalePrintRects(int s) {
  const CGPrimitive* parent = ParentPrimitive();
  const int pw = parent ? parent->PrintRect().Width() : 0, ph = parent ? parent->PrintRect().Height() : 0;
  SetPrintBounds(10, 0, pw - 10, ph);
  // The checked nodes' label heights, channel nodes 2 more each.
  int sum = 0;
  for (CGCore* n = GetFirstChild(); n; n = NextChild(n)) {
    if (!IsKindOfClass(n, GCLASS(CGNgTreeNode))) continue;
    auto* node = static_cast<CGNgTreeNode*>(n);
    if (!node->m_checked) continue;
    sum += node->GetLabelSize().cy + (IsKindOfClass(n, GCLASS(CGNgChannelNode)) ? 2 : 0);
  }
  double factor = s;
  if (sum > 0) {
    const double ratio = double(m_printRect.Height()) / (double(s) * sum);
    if (ratio < 1) factor = ratio * s;
  }
  for (CGCore* n = GetFirstChild(); n; n = NextChild(n))
    if (IsKindOfClass(n, GCLASS(CGNgTreeNode))) static_cast<CGNgTreeNode*>(n)->m_printFactor = factor;
}

// ---- managers ----

vt::CGNgLegendManager::CGNgLegendManager(CGCore* parent)
    : CGTreeManager(parent, 1, 1, 0, GSTYLE_ACTIVE, 100, 200, 0, 10) {
  SetOpaque(1);
  CGGroup::SetBackColor(0x025E5E5E);
}

void vt::CGNgLegendManager::Draw(vt::DeviceContext* dc) {
  if (!m_body) return;
  vt::Rect a;
  m_body->GetAbsoluteRect(&a);
  DrawSunkenBevelAround(dc, GetBackColor(), a);
}

void vt::CGNgLegendManager::SetBackColor(vt::ColorRef c) {
  CGGroup::SetBackColor(c);
  if (m_body) m_body->SetBackColor(c);
}

CGScrollBar* vt::CGNgLegendManager::CreateVScrollBar() {
  auto* bar = new CGSkVThinScrollBar(this, 0, 0, 0, GSTYLE_ACTIVE, m_barWidth, m_barWidth, 16);
  bar->Build(1);
  bar->m_thinStyle = 1;
  return bar;
}

CGScrollBar* vt::CGNgLegendManager::CreateHScrollBar() {
  auto* bar = new CGSkHThinScrollBar(this, 0, 0, 0, GSTYLE_ACTIVE, m_barWidth, m_barWidth, 16);
  bar->Build(2);
  bar->m_thinStyle = 1;
  return bar;
}

CGTreeScreen* CGNgChLegend::CreateScreen() { return new CGNgChLegendScreen(this); }

CGTreeScreen* CGNgAxisLegend::CreateScreen() { return new CGNgAxisLegendScreen(this); }

// ---- building, filling and reading ----

void BuildChannelTree(vt::CGNgLegendScreen* screen, int n) {
  CGTreeNode* root = MakeTreeRoot(screen);
  for (int i = 0; i < n; ++i) {
    auto* node = MakeNode<CGNgChannelNode>(screen, GCLASS(CGNgChannelNode));
    node->m_hover = 0;
    root->AddTreeChild(node);
    node->AddEventCallback(GEVENT_CHANGED,
                           OnToggled<CGNgChannelNode, ApplyChannelToggle, &NgChannelLegendHook>, nullptr, 0);
  }
  if (root->GetExpandState() == 1) root->ToggleExpand();
}

void BuildAxisTree(vt::CGNgLegendScreen* screen, int n, const SNgLegendAxisEntry* axes) {
  CGTreeNode* root = MakeTreeRoot(screen);
  for (int b = 0; b < n; ++b) {
    auto* axis = MakeNode<CGNgAxisNode>(screen, GCLASS(CGNgAxisNode));
    root->AddTreeChild(axis);
    axis->AddEventCallback(GEVENT_CHANGED, OnToggled<CGNgAxisNode, ApplyAxisToggle, &NgAxisLegendHook>,
                           nullptr, 0);
    const int count = std::clamp(axes[b].channelCount, 0, kNgLegendEntries);
    for (int j = 0; j < count; ++j) {
      auto* node = MakeNode<CGNgChannelNode>(screen, GCLASS(CGNgChannelNode));
      node->m_hover = 0;
      axis->AddTreeChild(node);
      node->AddEventCallback(GEVENT_CHANGED,
                             OnToggled<CGNgChannelNode, ApplyAxisChannelToggle, &NgChannelLegendHook>,
                             nullptr, 0);
    }
    if (axes[b].expanded) axis->ToggleExpand();
  }
  if (root->GetExpandState() == 1) root->ToggleExpand();
}

void SetChannelTreeData(SNgLegendChannelEntry* entries, vt::CGNgLegendScreen* screen, int n) {
  screen->m_data = entries;
  for (int i = 0; i < n; ++i) {
    CGNgTreeNode* node = NgChild(screen->m_root, i);
    if (!node) break;
    node->SetValue(entries[i].shown);
    node->SetText(std::string(entries[i].name, strnlen(entries[i].name, sizeof entries[i].name)));
    node->m_colour = entries[i].colour;
  }
}

void SetAxisTreeData(SNgLegendAxisEntry* entries, vt::CGNgLegendScreen* screen, int n) {
  screen->m_data = entries;
  for (int b = 0; b < n; ++b) {
    CGNgTreeNode* axis = NgChild(screen->m_root, b);
    if (!axis) break;
    const SNgLegendAxisEntry& e = entries[b];
    const std::string unit(e.unit, strnlen(e.unit, sizeof e.unit));
    axis->SetText(unit.empty() ? std::string() : "[" + unit + "]");
    axis->SetValue(e.checked);
    axis->m_colour = e.colour;
    for (int j = 0; j < e.channelCount; ++j) {
      CGNgTreeNode* node = NgChild(axis, j);
      if (!node) break;
      const SNgLegendChannelEntry& c = e.channels[j];
      node->SetValue(c.shown);
      node->SetText(std::string(c.name, strnlen(c.name, sizeof c.name)));
      node->m_colour = c.colour;
    }
  }
}

void ReadChannelTree(vt::CGNgLegendScreen* screen, SNgLegendChannelEntry* entries, int n) {
  for (int i = 0; i < n; ++i)
    if (CGNgTreeNode* node = NgChild(screen->m_root, i)) entries[i].shown = node->m_checked;
}

void ReadAxisTree(SNgLegendAxisEntry* entries, vt::CGNgLegendScreen* screen, int n) {
  for (int b = 0; b < n; ++b) {
    CGNgTreeNode* axis = NgChild(screen->m_root, b);
    if (!axis) break;
    SNgLegendAxisEntry& e = entries[b];
    e.checked = axis->m_checked;
    e.expanded = axis->IsExpanded() ? 1 : 0;
    e.channelCount = axis->CountTreeChildren();
    for (int j = 0; j < e.channelCount; ++j) e.channels[j].shown = NgChild(axis, j)->m_checked;
  }
}

// ---- toggles ----

namespace {
// The entries a legend screen shows (null for a node outside a legend screen).
void* DataOf(CGTreeScreen* screen) {
  return screen ? static_cast<vt::CGNgLegendScreen*>(screen)->m_data : nullptr;
}
}  // namespace

bool ApplyChannelToggle(CGNgChannelNode* node, NgLegendOwner* owner) {
  CGTreeScreen* screen = node->Screen();
  const auto* entries = static_cast<const SNgLegendChannelEntry*>(DataOf(screen));
  const CGTreeNode* root = node->TreeParent();
  const int i = node->TreeIndex();
  const int a = entries ? entries[i].axisIndex : -1;
  const int v = node->m_checked;
  bool other = false;
  int firstChecked = -1, k = 0;
  for (CGTreeNode* c = root ? root->FirstTreeChild() : nullptr; c; c = c->NextTreeSibling(), ++k) {
    const bool checked = static_cast<CGNgTreeNode*>(c)->m_checked != 0;
    if (checked && firstChecked < 0) firstChecked = k;
    if (c != node && checked && entries && entries[k].axisIndex == a) other = true;
  }
  if (a >= 0) owner->SetAxisStyle(a, v || other ? GSTYLE_ACTIVE : 0);
  owner->SetTraceStyle(i, v ? GSTYLE_ACTIVE : 0);
  bool changed = false;
  if (v && screen && !screen->m_selected) {
    owner->SelectChannel(i, -1);
    changed = true;
  } else if (!v && screen && screen->m_selected == node) {
    owner->SelectChannel(firstChecked, -1);
    changed = true;
  }
  owner->ReapplyAxisLayout();
  return changed;
}

bool ApplyAxisToggle(CGNgAxisNode* node, NgLegendOwner* owner) {
  CGTreeScreen* screen = node->Screen();
  auto* axes = static_cast<SNgLegendAxisEntry*>(DataOf(screen));
  const int b = node->TreeIndex();
  const int v = node->m_checked;
  int j = 0;
  for (CGTreeNode* c = node->FirstTreeChild(); c; c = c->NextTreeSibling(), ++j) {
    c->SetValue(v);
    if (axes) axes[b].channels[j].shown = v;
  }
  owner->SetAxisStyle(b, v ? GSTYLE_ACTIVE : 0);
  j = 0;
  for (CGTreeNode* c = node->FirstTreeChild(); c; c = c->NextTreeSibling(), ++j)
    owner->SetTraceStyle(axes ? axes[b].channels[j].position : j, v ? GSTYLE_ACTIVE : 0);
  bool changed = false;
  if (screen && v && !screen->m_selected) {
    owner->SelectChannel(-1, b);
    changed = true;
  } else if (screen && !v && screen->m_selected && screen->m_selected->TreeParent() == node) {
    int channel, axis;
    FirstCheckedInAxisTree(screen, axes, &channel, &axis);
    owner->SelectChannel(channel, axis);
    changed = true;
  }
  owner->ReapplyAxisLayout();
  return changed;
}

bool ApplyAxisChannelToggle(CGNgChannelNode* node, NgLegendOwner* owner) {
  CGTreeScreen* screen = node->Screen();
  auto* axes = static_cast<SNgLegendAxisEntry*>(DataOf(screen));
  auto* axisNode = static_cast<CGNgTreeNode*>(node->TreeParent());
  if (!axisNode) return false;
  const int b = axisNode->TreeIndex(), j = node->TreeIndex();
  const int v = node->m_checked;
  if (axes) axes[b].channels[j].shown = v;
  int firstOther = -1, k = 0;
  for (CGTreeNode* c = axisNode->FirstTreeChild(); c; c = c->NextTreeSibling(), ++k)
    if (c != node && static_cast<CGNgTreeNode*>(c)->m_checked && firstOther < 0) firstOther = k;
  const bool other = firstOther >= 0;
  if (v)
    axisNode->m_checked = 1;
  else if (!other)
    axisNode->m_checked = 0;
  owner->SetAxisStyle(b, v || other ? GSTYLE_ACTIVE : 0);
  auto position = [&](int n) { return axes ? int(axes[b].channels[n].position) : n; };
  owner->SetTraceStyle(position(j), v ? GSTYLE_ACTIVE : 0);
  bool changed = false;
  if (screen && v && !screen->m_selected) {
    owner->SelectChannel(position(j), b);
    changed = true;
  } else if (screen && !v && screen->m_selected == node) {
    if (other) {
      owner->SelectChannel(position(firstOther), b);
    } else {
      int channel, axis;
      FirstCheckedInAxisTree(screen, axes, &channel, &axis);
      owner->SelectChannel(channel, axis);
    }
    changed = true;
  }
  owner->ReapplyAxisLayout();
  return changed;
}

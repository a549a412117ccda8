// Tab pages and the page controller (see GPageController.h).
#include "gadget/GPageController.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/Font.h"

namespace {
vt::SGTabPageSkin g_tabPageSkin;
vt::SGArrowSkin g_tabButtonLeftSkin;
vt::SGArrowSkin g_tabButtonRightSkin;

CGSkPageController* ControllerOf(const CGCore* node) {
  CGCore* p = node ? node->GetParent() : nullptr;
  return IsKindOfClass(p, GCLASS(CGPageController)) ? static_cast<CGSkPageController*>(p) : nullptr;
}

bool IsTabPage(const CGCore* c) { return IsKindOfClass(c, GCLASS(CGTabPage)); }

const vt::Font* FontOf(CGFont* f) { return f ? f->GetFont() : nullptr; }

int TextWidth(vt::DeviceContext* dc, CGFont* font, const std::string& text) {
  const vt::Font* old = dc->SelectFont(FontOf(font));
  const int w = dc->GetTextExtent(text).cx;
  dc->SelectFont(old);
  return w;
}

void OnTabScrollLeft(CGPrimitive* source, int code, void* data) {
  (void)code, (void)data;
  if (CGSkPageController* c = ControllerOf(source)) c->ScrollTabsLeft();
}

void OnTabScrollRight(CGPrimitive* source, int code, void* data) {
  (void)code, (void)data;
  if (CGSkPageController* c = ControllerOf(source)) c->ScrollTabsRight();
}
}  // namespace

void SetSkTabPageSkin(const unsigned char* block) {
  vt::SGTabPageSkin s;
  s.tab = ReadSkinCell(block, 0);
  s.body = ReadSkinCell(block, 32);
  s.textInactive = static_cast<vt::ColorRef>(ReadSkinWord(block, 64));
  s.textActive = static_cast<vt::ColorRef>(ReadSkinWord(block, 68));
  s.textDisabledInactive = static_cast<vt::ColorRef>(ReadSkinWord(block, 72));
  s.textDisabledActive = static_cast<vt::ColorRef>(ReadSkinWord(block, 76));
  s.backEnabled = static_cast<vt::ColorRef>(ReadSkinWord(block, 80));
  s.backDisabled = static_cast<vt::ColorRef>(ReadSkinWord(block, 84));
  s.shadowColour = static_cast<vt::ColorRef>(ReadSkinWord(block, 88));
  s.shadowDx = ReadSkinWord(block, 96);
  s.shadowDy = ReadSkinWord(block, 100);
  PreloadSkinBitmap(s.tab.imageId);
  PreloadSkinBitmap(s.tab.maskId);
  PreloadSkinBitmap(s.body.imageId);
  PreloadSkinBitmap(s.body.maskId);
  g_tabPageSkin = s;
}

const vt::SGTabPageSkin& GetSkTabPageSkin() { return g_tabPageSkin; }
void SetSkTabButtonLeftSkin(const unsigned char* block) { g_tabButtonLeftSkin = ReadArrowSkin(block); }
void SetSkTabButtonRightSkin(const unsigned char* block) { g_tabButtonRightSkin = ReadArrowSkin(block); }

// ---- CGTabPage ----

CGTabPage::CGTabPage(CGCore* parent, int style, int tabWidth, const std::string& title)
    : CGGroup(parent, 0, 0, 0, style, 0, 0, 0, 1, 0x02C0C0C0),
      m_font(GetSharedFont(14, 0, 0)),
      m_title(title),
      m_tabWidth(tabWidth > 0 ? tabWidth : static_cast<int>(title.size()) * 14 / 2 + 6) {}

const SGClassInfo* CGTabPage::GetClassInfo() const { return GCLASS(CGTabPage); }

int CGTabPage::FontHeight() const { return m_font ? std::abs(m_font->GetLogFont().height) : 0; }

int CGTabPage::HeaderHeight() const {
  if (CGSkPageController* c = ControllerOf(this)) return c->m_headerHeight;
  return FontHeight() + 8;
}

vt::Rect CGTabPage::TabRect() const {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const CGSkPageController* c = ControllerOf(this);
  const int offset = c ? c->TabScrollOffset() : 0;
  const int left = r.left - offset + m_tabX;
  return vt::Rect{left, r.top, left + m_tabWidth, r.top + HeaderHeight()};
}

bool CGTabPage::TabHit(int x, int y) const {
  if (m_style != GSTYLE_ACTIVE) return false;
  const CGSkPageController* c = ControllerOf(this);
  const int xs = x + (c ? c->TabScrollOffset() : 0);
  return y <= HeaderHeight() && m_tabX <= xs && xs <= m_tabX + m_tabWidth;
}

void CGTabPage::Layout() {
  CGCore* first = GetFirstChild();
  if (!IsPrimitive(first)) return;
  const int hh = HeaderHeight();
  static_cast<CGPrimitive*>(first)->SetBounds(3, hh + 3, m_rect.Width() - 6, m_rect.Height() - hh - 6);
}

void CGTabPage::LayoutTree() {
  Layout();
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->LayoutTree();
}

void CGTabPage::OnMouseEnter(int32_t x, int32_t y) {
  if (TabHit(x, y)) CGGroup::OnMouseEnter(x, y);
}

void CGTabPage::ScalePrintRects(int scale) {
  (void)scale;
  CGCore* first = GetFirstChild();
  if (IsPrimitive(first))
    static_cast<CGPrimitive*>(first)->SetPrintBounds(0, 0, m_printRect.Width(), m_printRect.Height());
}

void CGTabPage::Draw(vt::DeviceContext* dc) {
  const vt::ColorRef c = GetBackColor();
  const BevelColors bevel = GetBevelColors(c);
  DrawTab(dc, c, bevel.highlight, bevel.shadow);
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::Rect tab = TabRect();
  const int bodyTop = r.top + HeaderHeight();
  dc->FillSolidRect(vt::Rect{r.left, bodyTop, r.right - 1, r.bottom - 1}, c);
  DrawLine(dc, 1, bevel.highlight, tab.left, bodyTop, r.left, bodyTop);
  DrawLine(dc, 1, bevel.highlight, r.left, bodyTop, r.left, r.bottom - 1);
  DrawLine(dc, 1, bevel.shadow, r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
  DrawLine(dc, 1, bevel.shadow, r.right - 1, r.bottom - 1, r.right - 1, bodyTop);
  DrawLine(dc, 1, bevel.highlight, r.right - 1, bodyTop, tab.right - 1, bodyTop);
}

void CGTabPage::DrawTab(vt::DeviceContext* dc, vt::ColorRef fill, vt::ColorRef highlight,
                        vt::ColorRef shadow) {
  const vt::Rect t = TabRect();
  const int l = t.left, tp = t.top, r = t.right, b = t.bottom;
  const vt::Point p[6] = {{l, b}, {l, tp + 3}, {l + 3, tp}, {r - 4, tp}, {r - 1, tp + 3}, {r - 1, b}};
  DrawFilledPolygon(dc, p, 6, fill, fill);  // no outline of its own
  for (int i = 0; i < 3; ++i) DrawLine(dc, 1, highlight, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
  for (int i = 3; i < 5; ++i) DrawLine(dc, 1, shadow, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
  const vt::ColorRef mid = (((fill & 0xFF) + (highlight & 0xFF)) / 2) |
                           ((((fill >> 8) & 0xFF) + ((highlight >> 8) & 0xFF)) / 2) << 8 |
                           ((((fill >> 16) & 0xFF) + ((highlight >> 16) & 0xFF)) / 2) << 16;
  DrawLine(dc, 1, mid, r - 4, tp + 1, r - 2, tp + 3);
  DrawLine(dc, 1, mid, r - 2, tp + 3, r - 2, b);
  DrawTabText(dc, GetEffectiveStyle(), l + 3, tp, r - 4, b, fill, m_textColour, m_font, m_title);
}

void CGTabPage::DrawTabText(vt::DeviceContext* dc, int style, int l, int t, int r, int b, vt::ColorRef fill,
                            vt::ColorRef text, CGFont* font, const std::string& title) {
  if (title.empty()) return;
  const vt::Rect rect{l, t, r, b};
  const bool enabled = (style & GSTYLE_ENABLED) != 0;
  if (TextWidth(dc, font, title) <= rect.Width()) {
    if (enabled)
      DrawAlignedText(dc, rect, kAlignCenter, text, FontOf(font), title);
    else
      DrawEmbossedText(dc, rect, kAlignCenter, fill, FontOf(font), title);
    return;
  }
  std::string cut = title;
  const int cutWidth = FitTextToWidth(dc, FontOf(font), rect.Width() - 6, &cut).cx;
  const int fh = font ? std::abs(font->GetLogFont().height) : 0;
  const int y = t + (b - t - fh) / 2 + fh;
  if (enabled) {
    DrawAlignedText(dc, rect, kAlignLeft, text, FontOf(font), cut);
    DrawSmallDots(dc, text, l + cutWidth + 2, y);
  } else {
    const BevelColors bevel = GetBevelColors(fill);
    DrawEmbossedText(dc, rect, kAlignLeft, fill, FontOf(font), cut);
    DrawSmallDots(dc, bevel.highlight, l + cutWidth + 3, y + 1);
    DrawSmallDots(dc, bevel.shadow, l + cutWidth + 2, y);
  }
}

// ---- CGSkTabPage ----

const SGClassInfo* CGSkTabPage::GetClassInfo() const { return GCLASS(CGSkTabPage); }

vt::ColorRef CGSkTabPage::GetBackColor() const {
  if (!m_opaque || m_backColor == vt::kNoColor) {
    if (CGPrimitive* p = ParentPrimitive()) return p->GetBackColor();
  }
  return HasEffectiveStyle(GSTYLE_ENABLED) ? g_tabPageSkin.backEnabled : g_tabPageSkin.backDisabled;
}

void CGSkTabPage::Draw(vt::DeviceContext* dc) {
  const int style = GetEffectiveStyle();
  DrawPageBody(dc, style);
  DrawSkinTab(dc, style, 1);
}

void CGSkTabPage::DrawPageBody(vt::DeviceContext* dc, int style) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  r.top += HeaderHeight();
  if (r.IsEmpty()) return;
  dc->FillSolidRect(r, GetBackColor());
  const SGSkinCell& cell = g_tabPageSkin.body;
  const int state = (style & GSTYLE_ENABLED) ? 0 : 1;
  // The frame pieces only: the cell drawn through four clips along the edges.
  const std::optional<vt::Rect> clip = dc->ClipRect();
  const vt::Rect bands[4] = {{r.left, r.top, r.right, r.top + cell.topMargin},
                             {r.left, r.bottom - cell.bottomMargin, r.right, r.bottom},
                             {r.left, r.top, r.left + cell.leftMargin, r.bottom},
                             {r.right - cell.rightMargin, r.top, r.right, r.bottom}};
  for (const vt::Rect& band : bands) {
    const vt::Rect b = clip ? vt::IntersectRects(*clip, band) : band;
    if (b.IsEmpty()) continue;
    dc->SelectClipRect(&b);
    DrawSkinCell(dc, cell, state, r);
  }
  dc->SelectClipRect(clip ? &*clip : nullptr);
}

void CGSkTabPage::DrawSkinTab(vt::DeviceContext* dc, int style, int active) {
  vt::Rect t = TabRect();
  const CGSkPageController* c = ControllerOf(this);
  dc->FillSolidRect(t, c ? c->GetBackColor() : GetBackColor());
  if (active) t.bottom += 1;
  const int state = (active ? 1 : 0) + ((style & GSTYLE_ENABLED) ? 0 : 2);
  DrawSkinCell(dc, g_tabPageSkin.tab, state, t);
  DrawSkinTabText(dc, style, active, t.left + 3, t.top, t.right - 3, t.bottom, m_font, m_title);
}

void CGSkTabPage::DrawSkinTabText(vt::DeviceContext* dc, int style, int active, int l, int t, int r, int b,
                                  CGFont* font, const std::string& title) {
  const vt::SGTabPageSkin& s = g_tabPageSkin;
  const bool enabled = (style & GSTYLE_ENABLED) != 0;
  const vt::ColorRef colour = enabled ? (active ? s.textActive : s.textInactive)
                                      : (active ? s.textDisabledActive : s.textDisabledInactive);
  if (title.empty()) return;
  const vt::Font* f = FontOf(font);
  const vt::Font* old = dc->SelectFont(f);
  const vt::BkMode oldMode = dc->SetBkMode(vt::BkMode::Transparent);
  const int tm = dc->CurrentFont().Metrics().height;
  const int width = r - l;
  const int ty = (t + b) / 2 - tm / 2;
  if (width < s.shadowDx + TextWidth(dc, font, title)) {
    std::string cut = title;
    const int cutWidth = FitTextToWidth(dc, f, width - 6, &cut).cx;
    if (active) DrawTextAt(f, dc, l + s.shadowDx, s.shadowDy + ty, vt::kTaLeft, s.shadowColour, cut);
    DrawTextAt(f, dc, l, ty, vt::kTaLeft, colour, cut);
    const int fh = font ? std::abs(font->GetLogFont().height) : 0;
    DrawSmallDots(dc, colour, l + cutWidth + 2, t + (b - t - fh) / 2 + fh);
  } else {
    const int cx = (l + r) / 2;
    if (active) DrawTextAt(f, dc, cx + s.shadowDx, s.shadowDy + ty, vt::kTaCenter, s.shadowColour, title);
    DrawTextAt(f, dc, cx, ty, vt::kTaCenter, colour, title);
  }
  dc->SetBkMode(oldMode);
  dc->SelectFont(old);
}

// ---- tab buttons ----

void CGSkTabButton::DrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  DrawArrowSkin(dc, Skin(), HasEffectiveStyle(GSTYLE_ENABLED) ? 0 : 1, r);
}

void CGSkTabButton::DrawPressed(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  DrawArrowSkin(dc, Skin(), 2, r);
}

const SGClassInfo* CGSkTabButtonLeft::GetClassInfo() const { return GCLASS(CGSkTabButtonLeft); }
const vt::SGArrowSkin& CGSkTabButtonLeft::Skin() const { return g_tabButtonLeftSkin; }
const SGClassInfo* CGSkTabButtonRight::GetClassInfo() const { return GCLASS(CGSkTabButtonRight); }
const vt::SGArrowSkin& CGSkTabButtonRight::Skin() const { return g_tabButtonRightSkin; }

// ---- CGSkPageController ----

CGSkPageController::CGSkPageController(CGCore* parent, int left, int top, int id, int style, int width,
                                       int height, int maxTabWidth)
    : CGGroup(parent, left, top, id, style, width, height, 0, 0, 0x025E5E5E), m_maxTabWidth(maxTabWidth) {}

const SGClassInfo* CGSkPageController::GetClassInfo() const { return GCLASS(CGSkPageController); }

void CGSkPageController::CreateTabScrollButtons(int frameType) {
  m_leftButton = new (std::nothrow) CGSkTabButtonLeft(this, frameType, kTabButtonRepeatMilliseconds);
  CheckAllocation("tab button", m_leftButton);
  m_rightButton = new (std::nothrow) CGSkTabButtonRight(this, frameType, kTabButtonRepeatMilliseconds);
  CheckAllocation("tab button", m_rightButton);
  if (m_leftButton) m_leftButton->AddEventCallback(GEVENT_CLICKED, &OnTabScrollLeft, nullptr, 0);
  if (m_rightButton) m_rightButton->AddEventCallback(GEVENT_CLICKED, &OnTabScrollRight, nullptr, 0);
}

CGTabPage* CGSkPageController::PageAt(int index) const {
  return index < 0 ? nullptr : static_cast<CGTabPage*>(GetChildOfClassAt(GCLASS(CGTabPage), index));
}

int CGSkPageController::TabScrollOffset() const {
  const CGPrimitive* p = GetVisibleTabPageAt(this, m_firstTab);
  return p && m_firstTab >= 0 ? static_cast<const CGTabPage*>(p)->m_tabX : 0;
}

void CGSkPageController::Layout() {
  if (!GetFirstChild()) return;
  const int W = m_rect.Width(), H = m_rect.Height();
  int maxFont = 0;
  if (m_maxTabWidth > 0) {
    int w = 16;
    for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
      if (!IsTabPage(c)) continue;
      auto* p = static_cast<CGTabPage*>(c);
      if (p->GetStyle() & GSTYLE_VISIBLE)
        w = std::max(w, (p->FontHeight() / 2) * static_cast<int>(p->m_title.size()) + 7);
    }
    for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
      if (IsTabPage(c)) static_cast<CGTabPage*>(c)->m_tabWidth = std::min(m_maxTabWidth, w);
  }
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsTabPage(c)) continue;
    auto* p = static_cast<CGTabPage*>(c);
    p->SetBounds(0, 0, W, H);
    maxFont = std::max(maxFont, p->FontHeight());
  }
  m_headerHeight = 8 + maxFont;
  int sum = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsTabPage(c)) continue;
    auto* p = static_cast<CGTabPage*>(c);
    if (!(p->GetStyle() & GSTYLE_VISIBLE)) continue;
    p->m_tabX = sum;
    sum += p->m_tabWidth;
  }
  m_stripWidth = sum;
  if (W < sum) {
    const int b = maxFont + 3;
    const int y = (m_headerHeight - b) / 2;
    if (m_rightButton) {
      m_rightButton->SetBounds(W - b, y, b, b);
      m_rightButton->SetStyle(GSTYLE_ACTIVE);
    }
    if (m_leftButton) {
      m_leftButton->SetBounds(W - 2 * b, y, b, b);
      m_leftButton->SetStyle(GSTYLE_ACTIVE);
    }
    m_stripWidth = W - 2 * b;
  } else {
    m_firstTab = 0;
    if (m_rightButton) m_rightButton->SetStyle(0);
    if (m_leftButton) m_leftButton->SetStyle(0);
  }
  EnsureCurrentTabVisible();
}

void CGSkPageController::EnsureCurrentTabVisible() {
  if (!GetFirstChildOfClass(GCLASS(CGTabPage))) return;
  CGTabPage* p = PageAt(m_current);
  if (!p) p = PageAt(0);
  const int v = GetVisibleTabPageIndex(p);
  if (v < m_firstTab) {
    m_firstTab = v;
    return;
  }
  const int n = CountVisibleTabPages(this);
  const int right = p->m_tabX + p->m_tabWidth;
  if (m_firstTab < 0) m_firstTab = 0;
  for (;;) {
    if (m_firstTab >= n || m_firstTab >= v) break;
    const CGPrimitive* f = GetVisibleTabPageAt(this, m_firstTab);
    if (f && right - static_cast<const CGTabPage*>(f)->m_tabX <= m_stripWidth) break;
    ++m_firstTab;
  }
  if (m_firstTab >= n) m_firstTab = n - 1;
  if (n <= 0) return;
  const auto* lastPage = static_cast<const CGTabPage*>(GetVisibleTabPageAt(this, n - 1));
  const int last = lastPage->m_tabX + lastPage->m_tabWidth;
  // Filled from the right: the first tab moves left while the last tab still fits.
  while (m_firstTab > 0) {
    --m_firstTab;
    const CGPrimitive* f = GetVisibleTabPageAt(this, m_firstTab);
    if (f && last - static_cast<const CGTabPage*>(f)->m_tabX > m_stripWidth) {
      ++m_firstTab;
      break;
    }
  }
}

CGTabPage* CGSkPageController::TabFromPoint(int x, int y) const {
  if (x >= m_stripWidth || y >= m_headerHeight) return nullptr;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsTabPage(c) && static_cast<CGTabPage*>(c)->TabHit(x, y)) return static_cast<CGTabPage*>(c);
  return nullptr;
}

void CGSkPageController::SelectTab(CGTabPage* page) {
  int i = 0;
  for (CGCore* c = GetFirstChild(); c && c != page; c = NextChild(c))
    if (IsTabPage(c)) ++i;
  if (i == m_current) return;
  FireEvent(GEVENT_EDIT_STORE);
  SetValue(i);
  FireEvent(GEVENT_CHANGED);
  if (vt::DeviceContext* back = GetBackDC()) Paint(back);
  Flush();
}

void CGSkPageController::SetValue(int index) {
  if (m_sharedContent) {
    if (index == m_current) return;
    CGTabPage* from = PageAt(m_current);
    CGTabPage* to = PageAt(index);
    // A page that does not exist takes no content; the content stays where it is.
    if (from && to && from->GetFirstChild()) from->GetFirstChild()->Reattach(to);
    m_current = index;
    return;
  }
  m_current = index;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetChildrenStyle(0);
  if (CGTabPage* p = PageAt(index)) {
    p->SetChildrenStyle(GSTYLE_ACTIVE);
    p->LayoutTree();
  }
}

void CGSkPageController::Route(MouseHandler handler, uint32_t flags, int32_t x, int32_t y) {
  const vt::Point c = ToChild(x, y);
  for (CGPrimitive* b : {static_cast<CGPrimitive*>(m_leftButton), static_cast<CGPrimitive*>(m_rightButton)}) {
    if (b && b->HitTest(c.x, c.y, GSTYLE_VISIBLE) && (b->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) {
      m_captured = b;
      Forward(b, handler, flags, x, y);
      return;
    }
  }
  if (CGTabPage* tab = TabFromPoint(c.x, c.y)) {
    SelectTab(tab);
    return;
  }
  CGTabPage* page = PageAt(m_current);
  if (page && (page->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) {
    m_captured = page;
    Forward(page, handler, flags, x, y);
  }
}

void CGSkPageController::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  Route(&CGPrimitive::OnLButtonDown, flags, x, y);
}

void CGSkPageController::OnLButtonDblClk(uint32_t flags, int32_t x, int32_t y) {
  Route(&CGPrimitive::OnLButtonDblClk, flags, x, y);
}

CGPrimitive* CGSkPageController::ChildFromPoint(int x, int y, int mask) const {
  const vt::Point c = ToChild(x, y);
  for (CGPrimitive* b : {static_cast<CGPrimitive*>(m_leftButton), static_cast<CGPrimitive*>(m_rightButton)})
    if (b && (b->GetStyle() & mask) == mask && b->HitTest(c.x, c.y, mask)) return b;
  if (CGTabPage* tab = TabFromPoint(c.x, c.y)) return tab;
  return PageAt(m_current);
}

void CGSkPageController::OnUpdate(int hint, void* data) {
  CGGroup::OnUpdate(hint, data);
  if (hint == 4) LayoutTree();
}

void CGSkPageController::ScalePrintRects(int scale) {
  (void)scale;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsTabPage(c))
      static_cast<CGTabPage*>(c)->SetPrintBounds(0, 0, m_printRect.Width(), m_printRect.Height());
}

void CGSkPageController::Paint(vt::DeviceContext* dc) {
  vt::Rect visible;
  if (!GetFirstChild() || !(VisibleState(&visible) & GSTYLE_VISIBLE) || visible.IsEmpty()) return;
  dc->SelectClipRect(&visible);
  Draw(dc);
  if (CGTabPage* p = PageAt(m_current)) p->Paint(dc);
  if (m_leftButton) m_leftButton->Paint(dc);
  if (m_rightButton) m_rightButton->Paint(dc);
}

void CGSkPageController::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const BevelColors bevel = GetBevelColors(m_backColor);
  const vt::ColorRef c = GetBackColor();
  if (!(m_frameStyle & kGroupDoubleFrame)) {
    FillBevelRect(dc, r, m_frameStyle & 0xFFFF, c, bevel.shadow, bevel.highlight);
  } else {
    const int w = (m_frameStyle >> 1) & 0x7FFF;
    FillBevelRect(dc, r, w, c, bevel.shadow, bevel.highlight);
    DrawBevelLines(dc, w, bevel.highlight, bevel.shadow, r.left + w, r.top + w, r.right - w, r.bottom - w);
  }
  // The inactive tabs; the current page draws its own tab over them.
  CGCore* start = PageAt(m_firstTab < 0 ? m_current : m_firstTab);
  for (CGCore* ch = start; ch; ch = NextChild(ch)) {
    if (!IsKindOfClass(ch, GCLASS(CGSkTabPage))) continue;
    auto* p = static_cast<CGSkTabPage*>(ch);
    if (p->GetStyle() & GSTYLE_VISIBLE) p->DrawSkinTab(dc, p->GetStyle(), 0);
  }
}

void CGSkPageController::ScrollTabsLeft() {
  if (m_firstTab > 0) --m_firstTab;
  if (vt::DeviceContext* back = GetBackDC()) Paint(back);
  Flush();
}

void CGSkPageController::ScrollTabsRight() {
  const int n = CountVisibleTabPages(this);
  if (n > 0) {
    const auto* last = static_cast<const CGTabPage*>(GetVisibleTabPageAt(this, n - 1));
    if (last->m_tabX + last->m_tabWidth - TabScrollOffset() > m_stripWidth && m_firstTab < n - 1)
      ++m_firstTab;
  }
  if (vt::DeviceContext* back = GetBackDC()) Paint(back);
  Flush();
}

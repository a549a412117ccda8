// The column header of a sheet (see GSheetColumn.h).
#include "gadget/sheet/GSheetColumn.h"

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GScrollBar.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetArray.h"
#include "platform/gui/DeviceContext.h"

CGSColumn::CGSColumn(CGCore* sheet, int id, int style, int height)
    : CGSheetGadget(sheet, 0, 0, id, style, 0, height) {
  if (IsKindOfClass(sheet, GCLASS(CGSheet))) static_cast<CGSheet*>(sheet)->RegisterColumnHeader(this);
}

CGSColumn::~CGSColumn() {
  if (IsKindOfClass(GetParent(), GCLASS(CGSheet))) {
    auto* sheet = static_cast<CGSheet*>(GetParent());
    if (sheet->m_columnHeader == this) sheet->RegisterColumnHeader(nullptr);
  }
}

void CGSColumn::Draw(vt::DeviceContext* dc) {
  CGSheet* sheet = GetSheet();
  if (!sheet || !sheet->m_body) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  ForColumnsInView([&](CGSheetArray* column) { column->DrawTitle(dc, r.top, r.bottom); });
  if (sheet->m_lineHeader) sheet->m_lineHeader->DrawTitle(dc, r.top, r.bottom);
}

void CGSColumn::ForColumnsInView(const std::function<void(CGSheetArray*)>& f) const {
  const CGSheet* sheet = GetSheet();
  if (!sheet || !sheet->m_body) return;
  const CGScroll* body = sheet->m_body;
  for (CGCore* c = body->GetFirstChild(); c; c = body->NextChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGSheetArray))) continue;
    auto* column = static_cast<CGSheetArray*>(c);
    const vt::Rect& cr = column->Rect();
    if (cr.right < body->m_scrollX || cr.left >= body->m_scrollX + body->ViewWidth()) continue;
    if (column->GetStyle() & GSTYLE_VISIBLE) f(column);
  }
}

bool CGSColumn::GetVisibleRect(vt::Rect* out) const {
  CGSheetGadget::GetVisibleRect(out);
  if (const CGSheet* sheet = GetSheet()) {
    vt::Rect r;
    GetAbsoluteRect(&r);
    int room = sheet->Rect().Height() - 2;
    if (sheet->m_horizontalBar && (sheet->m_horizontalBar->GetStyle() & GSTYLE_VISIBLE))
      room -= sheet->m_horizontalBar->Rect().Height();
    out->bottom = std::min(out->bottom, r.top + std::max(0, room));
    if (out->IsEmpty()) *out = vt::Rect{};
  }
  return !out->IsEmpty();
}

void CGSColumn::DrawPlainTitle(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                               int titleStyle, int state, const vt::Font* font, const std::string& title,
                               bool pressed) {
  if (drawBackground) {
    if (pressed)
      FillBevelRect(dc, rect, 1, 0x02C0C0C0, 0x025E5E5E, 0x02FFFFFF);
    else
      FillBevelRect(dc, rect, 1, 0x02C0C0C0, 0x02FFFFFF, 0x025E5E5E);
  }
  if (titleStyle && state != GSTYLE_ACTIVE) {
    DrawEmbossedText(dc, rect, kAlignCenter, 0x02C0C0C0, font, title);
    return;
  }
  const vt::Font* old = dc->SelectFont(font);
  const int h = dc->GetTextMetrics().height;
  dc->SelectFont(old);
  DrawTextAt(font, dc, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 - h / 2,
             vt::kTaCenter | vt::kTaTop, pressed ? 0x020000FF : 0x02000000, title);
}

void CGSColumn::DrawTitleNormal(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                                int titleStyle, int state, const vt::Font* font, const std::string& title) {
  DrawPlainTitle(dc, rect, drawBackground, titleStyle, state, font, title, false);
}

void CGSColumn::DrawTitlePressed(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                                 int titleStyle, int state, const vt::Font* font, const std::string& title) {
  DrawPlainTitle(dc, rect, drawBackground, titleStyle, state, font, title, true);
}

void CGSColumn::DrawTitleHot(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground, int titleStyle,
                             int state, const vt::Font* font, const std::string& title) {
  DrawPlainTitle(dc, rect, drawBackground, titleStyle, state, font, title, false);
}

void CGSColumn::RedrawWith(void (CGSColumn::*draw)(vt::DeviceContext*)) {
  vt::DeviceContext* back = GetBackDC();
  vt::Rect visible;
  if (!back || !GetVisibleRect(&visible)) return;
  back->SelectClipRect(&visible);
  (this->*draw)(back);
  back->SelectClipRect(nullptr);
  Flush();
}

void CGSColumn::RedrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  if (m_pressedColumn) m_pressedColumn->DrawTitle(dc, r.top, r.bottom);
  const CGSheet* sheet = GetSheet();
  if (sheet && sheet->m_lineHeader && sheet->m_lineHeader != m_pressedColumn)
    sheet->m_lineHeader->DrawTitle(dc, r.top, r.bottom);
}

void CGSColumn::RedrawPressed(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  if (m_pressedColumn) m_pressedColumn->DrawTitlePressed(dc, r.top, r.bottom);
  const CGSheet* sheet = GetSheet();
  if (sheet && sheet->m_lineHeader && sheet->m_lineHeader != m_pressedColumn)
    sheet->m_lineHeader->DrawTitle(dc, r.top, r.bottom);
}

bool CGSColumn::TitleContains(const CGSheetArray* column, int x, int y) const {
  if (!CGSheetGadget::HitTest(x, y, GSTYLE_VISIBLE) || !column) return false;
  if ((column->GetStyle() & GSTYLE_ACTIVE) != GSTYLE_ACTIVE || !column->GetTitleStyle()) return false;
  const CGSheet* sheet = GetSheet();
  if (!sheet) return false;
  if (column == sheet->m_lineHeader) {
    const vt::Rect& lr = column->Rect();
    return x >= lr.left && x < lr.right && y >= m_rect.top && y < m_rect.bottom;
  }
  const CGScroll* body = sheet->m_body;
  if (!body || column->GetParent() != body) return false;
  vt::Point o;
  body->GetChildOffset(&o);
  const int cx = x + o.x;
  return column->Rect().left <= cx && cx < column->Rect().right && x >= body->Rect().left;
}

CGSheetArray* CGSColumn::HitTest(int x, int y) const {
  const CGSheet* sheet = GetSheet();
  if (!sheet) return nullptr;
  if (CGSheetArray* lh = sheet->m_lineHeader) {
    const vt::Rect& lr = lh->Rect();
    if ((lh->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE && lh->GetTitleStyle() && x >= lr.left &&
        x < lr.right && y >= m_rect.top && y < m_rect.bottom)
      return lh;
  }
  if (!sheet->m_body) return nullptr;
  const CGScroll* body = sheet->m_body;
  for (CGCore* c = body->GetFirstChild(); c; c = body->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGSheetArray)) && TitleContains(static_cast<CGSheetArray*>(c), x, y))
      return static_cast<CGSheetArray*>(c);
  return nullptr;
}

void CGSColumn::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (m_style != GSTYLE_ACTIVE) return;
  m_pressedColumn = HitTest(x, y);
  if (!m_pressedColumn) return;
  g_pressedInside = 1;
  RedrawWith(&CGSColumn::RedrawPressed);
}

void CGSColumn::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (m_style != GSTYLE_ACTIVE) return;
  const int inside = m_pressedColumn && TitleContains(m_pressedColumn, x, y) ? 1 : 0;
  if (inside == g_pressedInside) return;
  g_pressedInside = inside;
  RedrawWith(inside ? &CGSColumn::RedrawPressed : &CGSColumn::RedrawNormal);
}

void CGSColumn::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (m_style != GSTYLE_ACTIVE) return;
  if (!m_pressedColumn || !TitleContains(m_pressedColumn, x, y)) return;
  RedrawWith(&CGSColumn::RedrawNormal);
  OnClick();
  m_pressedColumn = nullptr;
}

void CGSColumn::OnClick() {
  CGSheet* sheet = GetSheet();
  CGSheetArray* column = m_pressedColumn;
  if (!column) return;
  if (sheet && column == sheet->m_lineHeader) {
    const int lo = std::min(sheet->m_selectionFirst, sheet->m_selectionLast);
    const int hi = std::max(sheet->m_selectionFirst, sheet->m_selectionLast);
    if (lo != 0 || hi + 1 != sheet->m_lineCount)
      sheet->SetSelection(0, sheet->m_lineCount - 1);
    else
      sheet->SetSelection(-1, -1);
    column->FireEvent(GEVENT_HEADER_CLICKED);
    sheet->Redraw();
    sheet->Flush();
    return;
  }
  column->FireEvent(GEVENT_HEADER_CLICKED);
}

void CGSColumn::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  CGSheet* sheet = GetSheet();
  if (!sheet || !sheet->m_body) return;
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  const CGScroll* body = sheet->m_body;
  for (CGCore* c = body->GetFirstChild(); c; c = body->NextChild(c)) {
    if (!IsKindOfClass(c, GCLASS(CGSheetArray))) continue;
    auto* column = static_cast<CGSheetArray*>(c);
    const vt::Rect& pr = column->PrintRect();
    if (pr.left < body->m_printScrollX || pr.right > body->m_printScrollX + body->PrintRect().Width())
      continue;
    if (!(column->GetStyle() & GSTYLE_VISIBLE)) continue;
    column->PrintTitle(dc, r.top, r.bottom);
  }
  if (sheet->m_lineHeader) sheet->m_lineHeader->PrintTitle(dc, r.top, r.bottom);
}

// The skinned sheet, body and column header (see GSkSheet.h).
#include "gadget/sheet/GSkSheet.h"

#include <algorithm>

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetArray.h"
#include "gadget/sheet/GSheetLine.h"
#include "gadget/sheet/GSheetSkin.h"
#include "platform/gui/DeviceContext.h"

// ---- CGSkSheet, CGSkSheetScreen ----

void CGSkSheet::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const auto frame = static_cast<vt::ColorRef>(SheetSkin().frame);
  FillFramedRect(dc, r, m_frameStyle & 0xFFFF, GetBackColor(), frame, frame, frame, frame);
}

vt::ColorRef CGSkSheet::GetBackColor() const { return static_cast<vt::ColorRef>(SheetSkin().background); }

void CGSkSheetScreen::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  dc->FillSolidRect(r, GetBackColor());
}

vt::ColorRef CGSkSheetScreen::GetBackColor() const {
  const CGPrimitive* parent = ParentPrimitive();
  return parent ? parent->GetBackColor() : 0;
}

// ---- CGSkSColumn ----

bool CGSkSColumn::IsSheetColumn(const CGSheetArray* column) const {
  return column && (column->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE;
}

CGFont* CGSkSColumn::FitTitleFont(vt::DeviceContext* dc, int width, const std::string& title) {
  const SGSColumnSkin& skin = SheetColumnSkin();
  return ShrinkSheetFont(dc, skin.fontSize, skin.fontStyle, width, title);
}

void CGSkSColumn::DrawSkinnedTitle(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                                   int titleStyle, int state, const std::string& title, int look) {
  const SGSColumnSkin& skin = SheetColumnSkin();
  if (drawBackground) {
    dc->FillSolidRect(rect, GetBackColor());
    const int cell = look == 1 ? 2 : look == 2 ? 3 : (state != GSTYLE_ACTIVE ? 1 : 0);
    DrawNineSliceCell(dc, SheetColumnImage(), SheetColumnMask(), cell, skin.cellWidth, skin.cellHeight,
                      skin.marginLeft, skin.marginTop, skin.marginRight, skin.marginBottom, rect);
  }
  CGFont* font = FitTitleFont(dc, rect.Width() - skin.marginLeft - skin.marginRight, title);
  const vt::Font* f = font ? font->GetFont() : nullptr;
  const vt::Font* old = dc->SelectFont(f);
  const int h = dc->GetTextMetrics().height;
  dc->SelectFont(old);
  int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2 - h / 2;
  if (look == 1) {
    x += skin.pressedDx;
    y += skin.pressedDy;
  }
  DrawTextAt(f, dc, x + skin.shadowDx, y + skin.shadowDy, vt::kTaCenter | vt::kTaTop,
             static_cast<vt::ColorRef>(skin.colorShadow), title);
  int32_t colour = skin.colorNormal;
  if (look == 1)
    colour = skin.colorPressed;
  else if (look == 2)
    colour = skin.colorHot;
  else if (titleStyle && state != GSTYLE_ACTIVE)
    colour = skin.colorInactive;
  DrawTextAt(f, dc, x, y, vt::kTaCenter | vt::kTaTop, static_cast<vt::ColorRef>(colour), title);
}

void CGSkSColumn::DrawTitleNormal(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                                  int titleStyle, int state, const vt::Font* font, const std::string& title) {
  (void)font;
  DrawSkinnedTitle(dc, rect, drawBackground, titleStyle, state, title, 0);
}

void CGSkSColumn::DrawTitlePressed(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                                   int titleStyle, int state, const vt::Font* font,
                                   const std::string& title) {
  (void)font;
  DrawSkinnedTitle(dc, rect, drawBackground, titleStyle, state, title, 1);
}

void CGSkSColumn::DrawTitleHot(vt::DeviceContext* dc, const vt::Rect& rect, int drawBackground,
                               int titleStyle, int state, const vt::Font* font, const std::string& title) {
  (void)font;
  DrawSkinnedTitle(dc, rect, drawBackground, titleStyle, state, title, 2);
}

void CGSkSColumn::Draw(vt::DeviceContext* dc) {
  CGSheet* sheet = GetSheet();
  if (!sheet || !sheet->m_body) return;
  vt::Rect r;
  GetAbsoluteRect(&r);
  vt::Point p{-1000000, -1000000};
  CursorInRectCoords(this, &p);
  const bool active = IsActiveHeader();
  auto drawOne = [&](CGSheetArray* column, bool pressedNeedsActive) {
    if (column == m_pressedColumn && (active || !pressedNeedsActive) && TitleContains(column, p.x, p.y))
      column->DrawTitlePressed(dc, r.top, r.bottom);
    else if (column == m_hotColumn && active && IsSheetColumn(column))
      column->DrawTitleHot(dc, r.top, r.bottom);
    else
      column->DrawTitle(dc, r.top, r.bottom);
  };
  ForColumnsInView([&](CGSheetArray* column) { drawOne(column, true); });
  if (sheet->m_lineHeader) drawOne(sheet->m_lineHeader, false);
}

void CGSkSColumn::RedrawNormal(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const CGSheet* sheet = GetSheet();
  if (IsSheetColumn(m_hotColumn)) m_hotColumn->DrawTitle(dc, r.top, r.bottom);
  if (m_pressedColumn && m_pressedColumn != m_hotColumn) m_pressedColumn->DrawTitle(dc, r.top, r.bottom);
  if (sheet && sheet->m_lineHeader && sheet->m_lineHeader != m_hotColumn &&
      sheet->m_lineHeader != m_pressedColumn)
    sheet->m_lineHeader->DrawTitle(dc, r.top, r.bottom);
}

void CGSkSColumn::RedrawHot(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const CGSheet* sheet = GetSheet();
  if (IsSheetColumn(m_hotColumn)) m_hotColumn->DrawTitleHot(dc, r.top, r.bottom);
  if (sheet && sheet->m_lineHeader && sheet->m_lineHeader != m_hotColumn)
    sheet->m_lineHeader->DrawTitle(dc, r.top, r.bottom);
}

void CGSkSColumn::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActiveHeader()) return;
  m_pressedColumn = HitTest(x, y);
  if (!m_pressedColumn) return;
  RedrawWith(&CGSColumn::RedrawPressed);
  g_pressedInside = 1;
  m_hotColumn = nullptr;
}

void CGSkSColumn::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (!IsActiveHeader()) return;
  m_hotColumn = HitTest(x, y);
  RedrawWith(static_cast<void (CGSColumn::*)(vt::DeviceContext*)>(&CGSkSColumn::RedrawHot));
  if (m_hotColumn && m_hotColumn == m_pressedColumn) OnClick();
  m_pressedColumn = nullptr;
}

void CGSkSColumn::OnMouseHover(int32_t x, int32_t y) {
  if (!IsActiveHeader()) return;
  CGSheetArray* under = HitTest(x, y);
  if (under == m_hotColumn) return;
  RedrawWith(&CGSColumn::RedrawNormal);
  m_hotColumn = under;
  RedrawWith(static_cast<void (CGSColumn::*)(vt::DeviceContext*)>(&CGSkSColumn::RedrawHot));
}

void CGSkSColumn::OnMouseEnter(int32_t x, int32_t y) {
  if (!IsActiveHeader()) return;
  CGSColumn::OnMouseEnter(x, y);
  m_hotColumn = HitTest(x, y);
  if (m_hotColumn) RedrawWith(static_cast<void (CGSColumn::*)(vt::DeviceContext*)>(&CGSkSColumn::RedrawHot));
}

void CGSkSColumn::OnMouseLeave(int32_t x, int32_t y) {
  if (!IsActiveHeader()) return;
  if (IsSheetColumn(m_hotColumn)) {
    RedrawWith(&CGSColumn::RedrawNormal);
    m_hotColumn = nullptr;
  }
  CGSColumn::OnMouseLeave(x, y);
}

void CGSkSColumn::OnClick() {
  CGSColumn::OnClick();
  m_pressedColumn = nullptr;
}

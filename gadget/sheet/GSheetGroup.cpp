// The column group of a sheet (see GSheetGroup.h).
#include "gadget/sheet/GSheetGroup.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GRootMaster.h"
#include "gadget/sheet/GSheetColumn.h"
#include "gadget/sheet/SheetCellColors.h"
#include "platform/gui/DeviceContext.h"

namespace {
template <typename F>
void ForEachShownColumn(const CGCore* parent, F&& f) {
  ForEachShownChild(parent, [&](CGPrimitive* p) {
    if (IsKindOfClass(p, GCLASS(CGSheetArray))) f(static_cast<CGSheetArray*>(p));
  });
}
template <typename F>
void ForEachColumnChild(const CGCore* parent, F&& f) {
  for (CGCore* c = parent->GetFirstChild(); c; c = parent->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGSheetArray))) f(static_cast<CGSheetArray*>(c));
}
}  // namespace

CGSGroup::CGSGroup(CGCore* parent, uint32_t titleId) : CGSheetArray(parent, 0, 0, 0, 1, 12, titleId) {}

void CGSGroup::Layout() {
  const CGSheet* sheet = GetSheet();
  const int H = sheet ? sheet->m_lineHeight * sheet->m_lineCount : 0;
  int x = 0;
  ForEachShownChild(this, [&](CGPrimitive* p) {
    p->MoveTo(x, 0);
    x = p->Rect().right;
    p->SetHeight(H);
  });
  SetSize(x, H);
}

void CGSGroup::ScalePrintRects(int scale) {
  CGSheetArray::ScalePrintRects(scale);
  ScaleChildrenPrintSize(scale);
  const CGSheet* sheet = GetSheet();
  const int H = sheet ? scale * sheet->m_lineHeight * sheet->m_lineCount : 0;
  int x = 0;
  ForEachShownChild(this, [&](CGPrimitive* p) {
    p->SetPrintPos(x, 0);
    x = p->PrintRect().right;
    p->SetPrintHeight(H);
  });
  SetPrintSize(x, H);
}

void CGSGroup::SetLineCount(int count) {
  ForEachColumnChild(this, [count](CGSheetArray* c) { c->SetLineCount(count); });
  CGSheetArray::SetLineCount(count);
}

void CGSGroup::InsertLines(int at, int count) {
  ForEachColumnChild(this, [at, count](CGSheetArray* c) { c->InsertLines(at, count); });
  CGSheetArray::InsertLines(at, count);
}

void CGSGroup::DeleteLines(int at, int count) {
  ForEachColumnChild(this, [at, count](CGSheetArray* c) { c->DeleteLines(at, count); });
  CGSheetArray::DeleteLines(at, count);
}

void CGSGroup::DrawGroupCell(vt::DeviceContext* dc, int line, const vt::Rect& cell, int frameWidth) {
  using namespace vt::sheetcell;
  FillBevelRect(dc, cell, frameWidth, IsLineSelected(line) ? kCellSelected : kCell, kBlack, kBevelDark);
}

void CGSGroup::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawGroupCell(dc, line, r, 1); });
}

void CGSGroup::DrawLine(vt::DeviceContext* dc, int line) {
  if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
  ClipToVisibleRect(dc);
  if (m_cellFrameWidth != 0) {
    vt::Rect r;
    GetLineRect(line, &r);
    DrawGroupCell(dc, line, r, m_cellFrameWidth);
  }
  ForEachShownColumn(this, [&](CGSheetArray* c) { c->DrawLine(dc, line); });
}

int CGSGroup::GetTitleRows() const { return m_groupTitle ? CGSheetArray::GetTitleRows() : 1; }

void CGSGroup::DrawGroupTitle(vt::DeviceContext* dc, int top, int bottom, int look) {
  if (!m_groupTitle) {
    DrawTitleLook(dc, top, bottom, look);
    return;
  }
  // A hidden group counts no rows; its title then takes one row.
  const int rows = std::max(1, GetTitleRows());
  const int rowHeight = (bottom - top) / rows;
  CGSheet* sheet = GetSheet();
  if (sheet && sheet->m_columnHeader) {
    CGSColumn* header = sheet->m_columnHeader;
    CGFont* font = GetTitleFont(dc);
    const vt::Font* f = font ? font->GetFont() : nullptr;
    vt::Rect r;
    GetAbsoluteRect(&r);
    const int state = GetEffectiveStyle() & header->GetEffectiveStyle();
    const int bg = TitleBackgroundFlag();
    auto look3 = [&](const vt::Rect& rect, int drawBackground, const std::string& title) {
      if (look == 1)
        header->DrawTitlePressed(dc, rect, drawBackground, m_titleStyle, state, f, title);
      else if (look == 2)
        header->DrawTitleHot(dc, rect, drawBackground, m_titleStyle, state, f, title);
      else
        header->DrawTitleNormal(dc, rect, drawBackground, m_titleStyle, state, f, title);
    };
    look3(vt::Rect{r.left, top, r.right, bottom}, bg, std::string());
    look3(vt::Rect{r.left, top, r.right, top + rowHeight}, 0, m_title);
  }
  if (rows < 2) return;
  ForEachShownColumn(this, [&](CGSheetArray* c) {
    if (look == 1)
      c->DrawTitlePressed(dc, top + rowHeight, bottom);
    else if (look == 2)
      c->DrawTitleHot(dc, top + rowHeight, bottom);
    else
      c->DrawTitle(dc, top + rowHeight, bottom);
  });
}

void CGSGroup::PrintTitle(vt::DeviceContext* dc, int top, int bottom) {
  if (!m_groupTitle) {
    CGSheetArray::PrintTitle(dc, top, bottom);
    return;
  }
  const int rows = std::max(1, GetTitleRows());
  const int middle = top + (bottom - top) / rows;
  CGSheetArray::PrintTitle(dc, top, middle);
  if (rows < 2) return;
  ForEachShownColumn(this, [&](CGSheetArray* c) { c->PrintTitle(dc, middle, bottom); });
}

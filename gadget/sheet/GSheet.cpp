// The sheet container and its body (see GSheet.h).
#include "gadget/sheet/GSheet.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GRoot.h"
#include "gadget/GScrollBar.h"
#include "gadget/sheet/GSheetArray.h"
#include "gadget/sheet/GSheetColumn.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"

namespace {
bool IsShown(const CGPrimitive* p) { return p && (p->GetStyle() & GSTYLE_VISIBLE); }

int ClampScroll(int pos, int content, int view) { return std::max(0, std::min(pos, content - view)); }

template <typename F>
void ForEachColumn(const CGCore* parent, F&& f) {
  for (CGCore* c = parent->GetFirstChild(); c; c = parent->NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGSheetArray))) f(static_cast<CGSheetArray*>(c));
}
}  // namespace

CGSheet* FindSheet(const CGCore* node) {
  return static_cast<CGSheet*>(node ? node->FindAncestorOfClass(GCLASS(CGSheet)) : nullptr);
}

bool CursorInRectCoords(const CGPrimitive* gadget, vt::Point* out) {
  vt::HostWindow* host = gadget->GetHostWindow();
  if (!host) return false;
  const vt::Point client = host->ScreenToClient(vt::CurrentDesktop().CursorPos());
  vt::Point origin;
  gadget->GetOrigin(&origin);
  *out = vt::Point{client.x - origin.x, client.y - origin.y};
  return true;
}

CGSheet* CGSheetGadget::GetSheet() const { return FindSheet(this); }

// ---- CGSheet ----

CGSheet::CGSheet(CGCore* parent, int left, int top, int width, int height, int id, int style, int frameWidth,
                 int barWidth, int lineCount, int lineHeight)
    : CGScrollManager(parent, left, top, id, style, width, height, frameWidth, barWidth),
      m_lineCount(lineCount),
      m_lineHeight(lineHeight) {}

void CGSheet::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef back = GetBackColor();
  const vt::ColorRef oldText = dc->SetTextColor(back);
  const vt::ColorRef oldBack = dc->SetBkColor(BrightenColor(back));
  dc->FillRect(r, vt::HalftoneBrush());
  dc->SetTextColor(oldText);
  dc->SetBkColor(oldBack);
  const BevelColors bevel = GetBevelColors(back);
  DrawBevelLines(dc, 1, bevel.shadow, bevel.highlight, r.left, r.top, r.right, r.bottom);
  if (m_verticalBar && m_horizontalBar && (m_verticalBar->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE &&
      (m_horizontalBar->GetStyle() & GSTYLE_ACTIVE) == GSTYLE_ACTIVE) {
    vt::Rect v, h;
    m_verticalBar->GetAbsoluteRect(&v);
    m_horizontalBar->GetAbsoluteRect(&h);
    FillBevelRect(dc, vt::Rect{v.left, h.top, r.right, r.bottom}, 1, 0x02C0C0C0, 0x025E5E5E, 0x02FFFFFF);
  }
}

void CGSheet::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) { CGGroup::OnLButtonDown(flags, x, y); }

void CGSheet::Layout() {
  const int W = m_rect.Width(), H = m_rect.Height();
  const int F = m_frameStyle & 0xFFFF, B = m_barWidth;
  int bodyWidth = W - 2 * F, bodyHeight = H - 2 * F;
  int horizontalLength = W, verticalLength = H;
  if (IsShown(m_verticalBar)) {
    bodyWidth = W - F - B;
    horizontalLength = W - B;
  }
  if (IsShown(m_horizontalBar)) {
    bodyHeight = H - F - B;
    verticalLength = H - B;
  }
  auto* columnHeader = static_cast<CGPrimitive*>(m_columnHeader);
  auto* lineHeader = static_cast<CGPrimitive*>(m_lineHeader);
  if (columnHeader) columnHeader->SetBounds(F, F, bodyWidth, columnHeader->Rect().Height());
  if (m_verticalBar) m_verticalBar->SetBounds(W - B, 0, B, verticalLength);
  if (m_horizontalBar) m_horizontalBar->SetBounds(0, H - B, horizontalLength, B);
  int bodyLeft = F, bodyTop = F;
  if (IsShown(lineHeader)) {
    bodyLeft += lineHeader->Rect().Width();
    bodyWidth -= lineHeader->Rect().Width();
  }
  if (IsShown(columnHeader)) {
    bodyTop += columnHeader->Rect().Height();
    bodyHeight -= columnHeader->Rect().Height();
  }
  if (lineHeader) lineHeader->SetBounds(F, bodyTop, lineHeader->Rect().Width(), bodyHeight);
  if (m_body) m_body->SetBounds(bodyLeft, bodyTop, bodyWidth, bodyHeight);
}

void CGSheet::SetScrollX(int x) {
  if (m_body) m_body->SetScrollX(x);
  if (m_columnHeader) static_cast<CGPrimitive*>(m_columnHeader)->Redraw();
  Flush();
}

void CGSheet::SetScrollY(int y) {
  if (m_body) m_body->SetScrollY(y);
  if (m_lineHeader) static_cast<CGPrimitive*>(m_lineHeader)->Redraw();
  Flush();
}

void CGSheet::ScrollToLine(int line) {
  if (!m_verticalBar || !m_body) return;
  m_verticalBar->SetValue(line * m_lineHeight - (m_body->ViewHeight() - m_lineHeight) / 2);
  int value = 0;
  m_verticalBar->GetValue(&value);
  m_body->m_scrollY = value;
}

void CGSheet::SetLineCount(int count) {
  m_lineCount = count;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (IsKindOfClass(c, GCLASS(CGSheetArray)))
      static_cast<CGSheetArray*>(c)->SetLineCount(count);
    else if (IsKindOfClass(c, GCLASS(CGSheetScreen)))
      static_cast<CGSheetScreen*>(c)->SetLineCount(count);
  }
}

void CGSheet::InsertLines(int at, int count) {
  // Lines go before an existing line or at the end; a place past the end inserts nothing.
  if (count <= 0 || at > m_lineCount) return;
  m_lineCount += count;
  if (IsKindOfClass(m_body, GCLASS(CGSheetScreen)))
    static_cast<CGSheetScreen*>(m_body)->InsertLines(at, count);
  if (m_lineHeader) m_lineHeader->InsertLines(at, count);
}

void CGSheet::DeleteLines(int at, int count) {
  if (count <= 0 || at < 0 || at + count > m_lineCount) return;
  m_lineCount -= count;
  if (IsKindOfClass(m_body, GCLASS(CGSheetScreen)))
    static_cast<CGSheetScreen*>(m_body)->DeleteLines(at, count);
  if (m_lineHeader) m_lineHeader->DeleteLines(at, count);
}

int CGSheet::GetSelectedCount() const {
  if (m_selectionFirst >= 0 && m_selectionLast >= 0) return std::abs(m_selectionLast - m_selectionFirst) + 1;
  return 0;
}

int CGSheet::LinesPerRow() const {
  return IsKindOfClass(m_body, GCLASS(CGSheetScreen)) ? static_cast<CGSheetScreen*>(m_body)->m_linesPerRow
                                                      : 1;
}

void CGSheet::GetPrintLineRange(int* first, int* last) const {
  const int n = std::max(1, LinesPerRow());
  int a = 0, b = m_lineCount - 1;
  const CGRoot* root = GetRootGadget();
  if (root && root->GetPrintSelection()) {
    a = std::min(m_selectionFirst, m_selectionLast);
    b = std::max(m_selectionFirst, m_selectionLast);
  }
  *first = a < 0 ? 0 : a;
  *last = std::min(b, a + n * ((b - a) / n));
}

void CGSheet::ApplyPrintScale(int scale) {
  CGScrollManager::ApplyPrintScale(scale);
  m_printLineHeight = scale * m_lineHeight;
  if (!m_body) return;
  m_pageStepX = 0;
  m_pagesAcross = IsKindOfClass(m_body, GCLASS(CGSheetScreen))
                      ? static_cast<CGSheetScreen*>(m_body)->CountColumnBlocks()
                      : 1;
  m_printBaseX = 0;
  const int n = std::max(1, LinesPerRow());
  const int rows = m_printLineHeight > 0 ? m_body->PrintRect().Height() / m_printLineHeight : 0;
  int first = 0, last = -1;
  GetPrintLineRange(&first, &last);
  m_pageStepY = rows * m_printLineHeight;
  if (m_pageStepY <= 0 || last < first)
    m_pagesDown = 0;
  else
    m_pagesDown = ((last - first) / n + 1 + rows - 1) / rows;
  m_printBaseY = 0;
}

void CGSheet::ScalePrintRects(int scale) {
  CGScrollManager::ScalePrintRects(scale);
  const int PW = m_printRect.Width(), PH = m_printRect.Height();
  auto* lineHeader = static_cast<CGPrimitive*>(m_lineHeader);
  auto* columnHeader = static_cast<CGPrimitive*>(m_columnHeader);
  const int LW = lineHeader ? scale * lineHeader->Rect().Width() : 0;
  const int CH = columnHeader ? scale * columnHeader->Rect().Height() : 0;
  if (m_body) m_body->SetPrintBounds(LW, CH, PW - LW, PH - CH);
  if (lineHeader) lineHeader->SetPrintBounds(0, CH, LW, PH - CH);
  if (columnHeader) columnHeader->SetPrintBounds(0, 0, PW, CH);
  m_printLineHeight = scale * m_lineHeight;
}

void CGSheet::SetPrintPage(int page) {
  if (!m_body || m_pagesAcross < 1) return;
  const int across = m_pagesAcross;
  const int blockX = IsKindOfClass(m_body, GCLASS(CGSheetScreen))
                         ? static_cast<CGSheetScreen*>(m_body)->GetBlockX(page % across)
                         : 0;
  m_body->m_printScrollX = blockX + m_printBaseX;
  m_body->m_printScrollY = (page / across) * m_pageStepY + m_printBaseY;
}

void CGSheet::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)dc;
  SetPrintPage(page - 1);
}

int CGSheet::GetPrintContentWidth() const {
  const int lineWidth = m_lineHeader ? static_cast<const CGPrimitive*>(m_lineHeader)->PrintRect().Width() : 0;
  return lineWidth + (m_body ? m_body->m_printContentWidth : 0);
}

// ---- CGSheetScreen ----

CGSheetScreen::CGSheetScreen(CGCore* parent, int id, int style) : CGScroll(parent, id, style) {}

CGSheet* CGSheetScreen::Sheet() const {
  return IsKindOfClass(GetParent(), GCLASS(CGSheet)) ? static_cast<CGSheet*>(GetParent()) : nullptr;
}

void CGSheetScreen::Layout() {
  const CGSheet* sheet = Sheet();
  if (!sheet) return;
  const int H = sheet->m_lineHeight * sheet->m_lineCount;
  int x = 0;
  ForEachShownChild(this, [&](CGPrimitive* p) {
    p->MoveTo(x, 0);
    x = p->Rect().right;
    p->SetHeight(H);
  });
  m_contentWidth = x;
  m_contentHeight = H;
  m_scrollX = ClampScroll(m_scrollX, x, ViewWidth());
  m_scrollY = ClampScroll(m_scrollY, H, ViewHeight());
}

void CGSheetScreen::LayoutTree() {
  ForEachShownChild(this, [&](CGPrimitive* p) { p->LayoutTree(); });
  Layout();
}

void CGSheetScreen::ApplyPrintScale(int scale) {
  ForEachShownChild(this, [&](CGPrimitive* p) { p->ApplyPrintScale(scale); });
  ScalePrintRects(scale);
}

void CGSheetScreen::ScalePrintRects(int scale) {
  const CGSheet* sheet = Sheet();
  if (!sheet) return;
  const int H = scale * sheet->m_lineHeight * sheet->m_lineCount;
  int x = 0;
  ForEachShownChild(this, [&](CGPrimitive* p) {
    p->SetPrintPos(x, 0);
    x = p->PrintRect().right;
    p->SetPrintHeight(H);
  });
  m_printContentWidth = x;
  m_printContentHeight = H;
  m_printScrollX = ClampScroll(m_printScrollX, x, m_printRect.Width());
  m_printScrollY = ClampScroll(m_printScrollY, H, m_printRect.Height());
}

void CGSheetScreen::SetLineCount(int count) {
  ForEachColumn(this, [count](CGSheetArray* c) { c->SetLineCount(count); });
}

void CGSheetScreen::InsertLines(int at, int count) {
  ForEachColumn(this, [at, count](CGSheetArray* c) { c->InsertLines(at, count); });
}

void CGSheetScreen::DeleteLines(int at, int count) {
  ForEachColumn(this, [at, count](CGSheetArray* c) { c->DeleteLines(at, count); });
}

template <typename F>
int CGSheetScreen::WalkBlocks(F&& onNewBlock) const {
  const int P = m_printRect.Width();
  int blocks = 0, sum = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsPrimitive(c)) continue;
    auto* p = static_cast<CGPrimitive*>(c);
    if (!(p->GetStyle() & GSTYLE_VISIBLE)) continue;
    const int w = p->PrintRect().Width();
    // A column wider than the page makes a block of its own, never an empty one before it.
    if (P < sum + w && sum > 0) {
      ++blocks;
      sum = 0;
      if (onNewBlock(p, blocks)) return blocks;
    }
    sum += w;
  }
  return sum > 0 ? blocks + 1 : blocks;
}

int CGSheetScreen::CountColumnBlocks() const {
  return WalkBlocks([](CGPrimitive*, int) { return false; });
}

int CGSheetScreen::GetBlockX(int block) const {
  if (block <= 0) return 0;
  int x = 0;
  WalkBlocks([&](CGPrimitive* p, int n) {
    if (n != block) return false;
    x = p->PrintRect().left;
    return true;
  });
  return x;
}

void CGSheetScreen::PrintTree(vt::DeviceContext* dc, int page) {
  if (!(GetEffectiveStyle() & GSTYLE_VISIBLE)) return;
  vt::Rect visible;
  if (!GetVisiblePrintRect(&visible) || visible.IsEmpty()) return;
  PrintSelf(dc, page);
  for (CGCore* c = GetLastChild(); c; c = PrevChild(c)) {
    if (IsKindOfClass(c, GCLASS(CGSheetArray))) {
      auto* column = static_cast<CGSheetArray*>(c);
      if (column->IsInPrintPage()) column->PrintTree(dc, page);
    } else if (IsPrimitive(c)) {
      static_cast<CGPrimitive*>(c)->PrintTree(dc, page);
    }
  }
}

void CGSheetScreen::GetVisibleLineRange(int* first, int* last) const {
  const CGSheet* sheet = Sheet();
  if (!sheet || sheet->m_printLineHeight <= 0) {
    *first = 0;
    *last = -1;
    return;
  }
  int a = 0, b = -1;
  sheet->GetPrintLineRange(&a, &b);
  const int y = std::max(0, m_printScrollY);
  const int n = std::max(1, m_linesPerRow);
  const int h = sheet->m_printLineHeight;
  *first = a + n * (y / h);
  *last = std::min(b, *first + n * (m_printRect.Height() / h - 1));
}

void CGSheetScreen::GetLineRangeRect(int first, int last, vt::Rect* out) const {
  const CGSheet* sheet = Sheet();
  if (!sheet) {
    *out = vt::Rect{};
    return;
  }
  vt::Rect r;
  GetAbsoluteRect(&r);
  const int y0 = r.top - m_scrollY;
  *out = vt::Rect{r.left, y0 + first * sheet->m_lineHeight, r.right, y0 + (last + 1) * sheet->m_lineHeight};
}

void CGSheetScreen::FlushLines(int first, int last) {
  vt::Rect lines, visible;
  GetLineRangeRect(first, last, &lines);
  if (!GetVisibleRect(&visible)) return;
  const vt::Rect r = vt::IntersectRects(lines, visible);
  if (!r.IsEmpty()) FlushRect(r);
}

int CGSheetScreen::GetPrintLineHeight() const {
  const CGSheet* sheet = Sheet();
  return sheet ? sheet->m_printLineHeight : 0;
}

// Record lists: the frame and the abstract body (see GList.h).
#include "gadget/sheet/GList.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/GText.h"
#include "platform/base/Text.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/VirtualKeys.h"

GADGET_DEFINE_RECORD(CGList, CGScrollManager)
GADGET_DEFINE_RECORD(CGListScreen, CGScroll)

const vt::ColorRef kStartUpListColors[kListColorCount] = {
    0x02FFFFFF, 0x02E6E6E6, 0x027F7F7F, 0x028F8F8F, 0x02333333, 0x02FFFFFF, 0x02999999, 0x02BEBEBE,
    0x02FDF3E7, 0x02FDF3E7, 0x02EEE5DA, 0x02FDF3E7, 0x02FFFFFF, 0x02FFFFFF, 0x02EEE5DA, 0x02FFFFFF,
    0x027F7F7F, 0x027F7F7F, 0x027F7F7F, 0x027F7F7F, 0x028F8F8F, 0x028F8F8F, 0x028F8F8F, 0x028F8F8F,
};

// Until the start-up set-up runs, the two row fills differ from the start-up values.
vt::ColorRef g_listColors[kListColorCount] = {
    0x02FDF3E7, 0x02FFFFFF, 0x027F7F7F, 0x028F8F8F, 0x02333333, 0x02FFFFFF, 0x02999999, 0x02BEBEBE,
    0x02FDF3E7, 0x02FDF3E7, 0x02EEE5DA, 0x02FDF3E7, 0x02FFFFFF, 0x02FFFFFF, 0x02EEE5DA, 0x02FFFFFF,
    0x027F7F7F, 0x027F7F7F, 0x027F7F7F, 0x027F7F7F, 0x028F8F8F, 0x028F8F8F, 0x028F8F8F, 0x028F8F8F,
};

namespace {
constexpr vt::ColorRef kBlack = 0x02000000;
constexpr vt::ColorRef kListBackground = 0x02C0C0C0;
constexpr vt::ColorRef kMarkerBand = 0x02FFFF00;
constexpr vt::ColorRef kMarkerLine = 0x02FF0000;
constexpr uint32_t kAutoScrollMilliseconds = 50;

// The last point of a drag, in the list screen's parent coordinates; one drag auto-scrolls at
// a time.
vt::Point g_listDragPoint;

void FillLine(vt::DeviceContext* dc, int left, int right, int y, vt::ColorRef colour) {
  dc->FillSolidRect(vt::Rect{left, y, right, y + 1}, colour);
}
}  // namespace

void FitTextWithEllipsis(std::string* text, vt::DeviceContext* dc, int width, const vt::Font* font) {
  const vt::Font* previous = font ? dc->SelectFont(font) : nullptr;
  if (dc->GetTextExtent(*text).cx > width) {
    std::string result;
    for (std::size_t pos = 0; pos < text->size();) {
      pos = vt::Utf8Next(*text, pos);
      std::string candidate = text->substr(0, pos) + "...";
      if (dc->GetTextExtent(candidate).cx > width) break;
      result = std::move(candidate);
    }
    *text = std::move(result);
  }
  if (font) dc->SelectFont(previous);
}

vt::Rect ListRowCells::Next(int width) {
  const vt::Rect cell{x_, row_.top, x_ + width, row_.bottom};
  x_ += width;
  return cell;
}

void ListRowCells::Text(int width, int inset, int fit, std::string text) {
  const vt::Rect cell = Next(width);
  if (fit != kNoFit) FitTextWithEllipsis(&text, dc_, fit, font_);
  if (!text.empty()) DrawTextInRect(cell, kAlignLeft, 0, 0, colour_, font_, text, inset, dc_);
}

// ---- CGList ----

CGList::CGList(CGCore* parent) : CGScrollManager(parent, 0, 0, 0, GSTYLE_ACTIVE, 0, 0, 0, 20) {}

const SGClassInfo* CGList::GetClassInfo() const { return GCLASS(CGList); }

CGPrimitive* CGList::HeaderStrip() const {
  if (!m_header) return nullptr;
  CGCore* strip = m_header->GetParent();
  return IsPrimitive(strip) ? static_cast<CGPrimitive*>(strip) : nullptr;
}

void CGList::Layout() {
  const int f = m_frameStyle & 0xFFFF, t = m_barWidth;
  const int W = m_rect.Width(), H = m_rect.Height();
  const int h = m_header ? m_header->Rect().Height() : 0;
  int innerWidth = W - 2 * f, innerHeight = H - 2 * f;
  if (m_verticalBar && m_verticalBar->GetStyle() == GSTYLE_ACTIVE) innerWidth -= t;
  if (m_horizontalBar && m_horizontalBar->GetStyle() == GSTYLE_ACTIVE) innerHeight -= t;
  int headerWidth = innerWidth;
  if (m_body) {
    // A one-pixel margin around the body.
    m_body->SetBounds(f + 1, f + h + 1, innerWidth - 2, innerHeight - h - 2);
    headerWidth = IsKindOfClass(m_body, GCLASS(CGListScreen))
                      ? static_cast<CGListScreen*>(m_body)->GetContentWidth()
                      : m_body->m_contentWidth;
  }
  int p = 0;
  if (m_verticalBar) m_verticalBar->SetBounds(W - f - t, f, t, innerHeight);
  if (m_horizontalBar) {
    m_horizontalBar->SetBounds(f, H - f - t, innerWidth, t);
    m_horizontalBar->GetValue(&p);
  }
  if (m_header) {
    if (CGPrimitive* strip = HeaderStrip()) {
      strip->SetWidth(innerWidth - 2);
      strip->MoveTo(1, 1);
    }
    m_header->SetBounds(f - p, f, headerWidth, h);
  }
}

void CGList::SetScrollX(int x) {
  if (m_header) {
    m_header->MoveTo(-x, m_header->Rect().top);
    m_header->Redraw();
  }
  if (m_body) m_body->SetScrollX(x);
  Flush();
}

void CGList::ApplyPrintScale(int scale) {
  CGScrollManager::ApplyPrintScale(scale);
  // Once more, now that the header row's print height is scaled.
  ScalePrintRects(scale);
}

void CGList::ScalePrintRects(int scale) {
  (void)scale;
  const int w = m_printRect.Width(), h = m_printRect.Height();
  int headerHeight = 0;
  if (m_header) {
    headerHeight = m_header->PrintRect().Height();
    if (CGPrimitive* strip = HeaderStrip()) strip->SetPrintBounds(0, 0, w, headerHeight);
    m_header->SetPrintBounds(0, 0, w, headerHeight);
  }
  if (m_body) m_body->SetPrintBounds(0, headerHeight, w, h - headerHeight);
}

void CGList::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  if (!m_header) return;
  vt::Rect r;
  m_header->GetAbsolutePrintRect(&r);
  FillLine(dc, r.left, r.right, r.top, kBlack);
  FillLine(dc, r.left, r.right, r.bottom - 1, kBlack);
}

// ---- CGListScreen ----

CGListScreen::CGListScreen(CGCore* parent, int id) : CGScroll(parent, id, GSTYLE_ACTIVE) {
  if (g_rootMaster) m_listFont = g_rootMaster->GetFont(14, 0, 0);
}

const SGClassInfo* CGListScreen::GetClassInfo() const { return GCLASS(CGListScreen); }

const vt::Font* CGListScreen::ListFont() const { return m_listFont ? m_listFont->GetFont() : nullptr; }

const vt::Font* CGListScreen::PrintFont() const { return m_printFont ? m_printFont->GetFont() : ListFont(); }

void CGListScreen::ClampLinesToRowCount() {
  const int n = GetRowCount();
  if (m_firstLine > n) m_firstLine = n;
  if (m_secondLine > n) m_secondLine = n;
}

void CGListScreen::SelectRange(int a, int b) {
  const int n = GetRowCount();
  a = std::min(a, n - 1);
  b = std::min(b, n - 1);
  if (a < 0 || b < 0) {
    m_firstLine = m_secondLine = -1;
  } else if (a <= b) {
    m_firstLine = a;
    m_secondLine = b + 1;
  } else {
    m_firstLine = a + 1;
    m_secondLine = b;
  }
  ClampLinesToRowCount();
}

void CGListScreen::GetVisibleRows(int* first, int* last) {
  const int h = GetRowHeight();
  if (h <= 0) {
    *first = 0;
    *last = -1;
    return;
  }
  *first = m_scrollY / h;
  *last = *first + (h + m_rect.Height() - 1) / h + 1;
  const int n = GetRowCount();
  if (*last >= n) *last = n - 1;
}

void CGListScreen::GetRowRect(int row, vt::Rect* out) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const int h = GetRowHeight();
  const int left = r.left - m_scrollX, top = r.top + row * h - m_scrollY;
  *out = vt::Rect{left, top, left + GetContentWidth(), top + h};
}

void CGListScreen::FillListBackground(vt::DeviceContext* dc, const vt::Rect& rect) {
  dc->FillSolidRect(rect, kListBackground);
}

void CGListScreen::DrawRow(vt::DeviceContext* dc, const vt::Rect& rect, int row, bool selected) {
  (void)dc, (void)rect, (void)row, (void)selected;
}

void CGListScreen::DrawRowAt(vt::DeviceContext* dc, const vt::Rect& rect, int row) {
  DrawRow(dc, rect, row, IsRowSelected(row));
}

void CGListScreen::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  FillListBackground(dc, r);
  int first = 0, last = -1;
  GetVisibleRows(&first, &last);
  const int h = GetRowHeight();
  if (first <= last) {
    vt::Rect row;
    GetRowRect(first, &row);
    for (int i = first; i <= last; ++i) {
      // Fill and frame colours: even rows 0 and 8-11, odd rows 1 and 12-15; selected rows 2 and
      // 16-19, 3 and 20-23.
      const int odd = i & 1;
      const int fill = (IsRowSelected(i) ? 2 : 0) + odd;
      const int frame = 8 + 4 * fill;
      FillFramedRect(dc, row, 1, g_listColors[fill], g_listColors[frame], g_listColors[frame + 1],
                     g_listColors[frame + 2], g_listColors[frame + 3]);
      DrawRowAt(dc, row, i);
      row = vt::OffsetRect(row, 0, h);
    }
  }
  const int n = GetRowCount();
  for (int k : {m_firstLine, m_secondLine}) {
    if (k < 0 || k > n) continue;
    const int y = r.top + k * h - m_scrollY - 1;
    dc->FillSolidRect(vt::Rect{r.left, y, r.right, y + 3}, kMarkerBand);
    FillLine(dc, r.left, r.right, y + 1, kMarkerLine);
  }
}

void CGListScreen::Layout() {
  m_contentWidth = GetContentWidth();
  m_contentHeight = GetRowCount() * GetRowHeight();
  // A drag that a layout interrupts is forgotten.
  m_anchorRow = m_currentRow = -1;
  ClampLinesToRowCount();
}

int CGListScreen::RowFromPoint(int x, int y) {
  (void)x;
  const int h = GetRowHeight();
  vt::Point offset;
  GetChildOffset(&offset);
  int row = std::max(h > 0 ? (y + offset.y) / h : 0, 0);
  const int n = GetRowCount();
  if (row >= n) row = n - 1;
  return row;
}

void CGListScreen::DragTo(int row) {
  m_currentRow = row;
  SelectRange(m_anchorRow, row);
  Redraw();
  Flush();
  FireEvent(GEVENT_CHANGED);
}

void CGListScreen::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  if ((flags & vt::kMkShift) && m_anchorRow != -1) {
    // The block grows from the anchor of the earlier press.
    OnMouseMove(flags, x, y);
  } else {
    const int row = RowFromPoint(x, y);
    m_anchorRow = m_currentRow = row;
    SelectRange(row, row);
    Redraw();
    Flush();
    FireEvent(GEVENT_CHANGED);
  }
  CGScroll::OnLButtonDown(flags, x, y);
}

void CGListScreen::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  g_listDragPoint = vt::Point{x, y};
  if (HitTest(x, y, GSTYLE_VISIBLE))
    KillRepeatTimer();
  else if (!g_repeatTimer)
    StartRepeatTimer(kAutoScrollMilliseconds);
  const int row = RowFromPoint(x, y);
  if (row != m_currentRow) DragTo(row);
  CGScroll::OnMouseMove(flags, x, y);
}

void CGListScreen::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  KillRepeatTimer();
  const int row = RowFromPoint(x, y);
  // The anchor stays, for a later Shift-press.
  if (row != m_currentRow) DragTo(row);
  CGScroll::OnLButtonUp(flags, x, y);
}

void CGListScreen::OnTimer(uint32_t id) {
  if (id != vt::GTIMER_REPEAT) return;
  auto* manager = static_cast<CGScrollManager*>(FindAncestorOfClass(GCLASS(CGScrollManager)));
  const int d = g_listDragPoint.y - m_rect.top, H = m_rect.Height();
  int delta = 0;
  if (manager && manager->m_verticalBar) {
    if (d > H) {
      if (m_scrollY < m_contentHeight - H) delta = d - H;
    } else if (d < 0 && m_scrollY >= 1) {
      delta = d;
    }
  }
  if (delta != 0) {
    // The bar keeps the position in range; the body follows it.
    CGScrollBar* bar = manager->m_verticalBar;
    int value = 0;
    bar->GetValue(&value);
    bar->SetValue(value + delta);
    bar->GetValue(&m_scrollY);
  } else {
    KillRepeatTimer();
  }
  const int row = RowFromPoint(g_listDragPoint.x, g_listDragPoint.y);
  if (row == m_currentRow && delta == 0) return;
  m_currentRow = row;
  SelectRange(m_anchorRow, row);
  CGPrimitive* redrawn = manager ? static_cast<CGPrimitive*>(manager) : this;
  redrawn->Redraw();
  redrawn->Flush();
  if (delta != 0) FireEvent(GEVENT_CHANGED);
}

void CGListScreen::RelayoutList() {
  CGCore* parent = GetParent();
  if (!IsPrimitive(parent)) return;
  auto* list = static_cast<CGPrimitive*>(parent);
  list->LayoutTree();
  if (CGRoot* root = list->GetRootGadget(); root && (list->GetEffectiveStyle() & GSTYLE_VISIBLE))
    root->RedrawPrimitive(list);
}

// ---- printing ----

void CGListScreen::ScalePrintRects(int scale) {
  if (g_rootMaster) m_printFont = g_rootMaster->GetFont(14 * scale, 0, 0);
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  const int rowHeight = scale * GetRowHeight();
  // A print rectangle shorter than two rows leaves no row for a page (0 or less).
  m_rowsPerPrintPage = rowHeight > 0 ? r.Height() / rowHeight - 1 : 0;
}

int CGListScreen::GetPrintPageCount(vt::DeviceContext* dc) {
  (void)dc;
  if (m_rowsPerPrintPage <= 0) return 0;
  return (GetPrintRowCount() + m_rowsPerPrintPage - 1) / m_rowsPerPrintPage;
}

void CGListScreen::GetPageRows(int page, int* first, int* last) { (void)page, (void)first, (void)last; }

void CGListScreen::SplitPrintPage(int page, int* first, int* last) {
  *first = page * m_rowsPerPrintPage;
  *last = std::min((page + 1) * m_rowsPerPrintPage - 1, GetPrintRowCount() - 1);
}

void CGListScreen::PrintRow(vt::DeviceContext* dc, const vt::Rect& rect, int printRow, int flags) {
  (void)dc, (void)rect, (void)printRow, (void)flags;
}

void CGListScreen::PrintRowAt(vt::DeviceContext* dc, const vt::Rect& rect, int printRow) {
  PrintRow(dc, rect, printRow, 0);
}

void CGListScreen::PrintSelf(vt::DeviceContext* dc, int page) {
  vt::Rect r;
  GetAbsolutePrintRect(&r);
  FillLine(dc, r.left, r.right, r.top + 1, kBlack);
  const int h = GetRowHeight() * GetPrintScale();
  vt::Rect row{r.left, r.top + 2, r.right, r.top + 2 + h};
  int first = 0, last = -1;
  GetPageRows(page - 1, &first, &last);
  for (int i = first; i <= last; ++i) {
    PrintRowAt(dc, row, i);
    row = vt::OffsetRect(row, 0, h);
  }
  FillLine(dc, r.left, r.right, row.top, kBlack);
}

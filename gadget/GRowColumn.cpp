// Row-column layout: one arrangement routine serves the screen rectangles and, scaled, the
// print rectangles. All divisions truncate toward zero.
#include "gadget/GRowColumn.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "platform/gui/DeviceContext.h"

namespace {

// The screen or print rectangle of a child, and the operations that place it.
struct Placer {
  bool print;
  vt::Rect Get(const CGPrimitive* c) const { return print ? c->PrintRect() : c->Rect(); }
  void Bounds(CGPrimitive* c, int x, int y, int w, int h) const {
    if (print)
      c->SetPrintBounds(x, y, w, h);
    else
      c->SetBounds(x, y, w, h);
  }
  void Move(CGPrimitive* c, int x, int y) const {
    if (print)
      c->MovePrintRect(x, y);
    else
      c->MoveTo(x, y);
  }
  // Changes the rectangle itself, no resize operation.
  void Edges(CGPrimitive* c, const vt::Rect& r) const {
    if (print)
      c->SetPrintBounds(r.left, r.top, r.Width(), r.Height());
    else
      c->SetRect(r.left, r.top, r.right, r.bottom);
  }
};

bool IsVisibleChild(const CGCore* c) {
  return IsPrimitive(c) && (static_cast<const CGPrimitive*>(c)->GetStyle() & GSTYLE_VISIBLE);
}

}  // namespace

CGRowColumn::CGRowColumn(CGCore* parent, int left, int top, int id, int style, int width, int height,
                         int opaque, int flags_)
    : CGGroup(parent, left, top, id, style, width, height, 0, opaque, 0x02E2E2E2), flags(flags_) {}

const SGClassInfo* CGRowColumn::GetClassInfo() const { return GCLASS(CGRowColumn); }

void CGRowColumn::Layout() {
  if (!GetFirstChild()) return;
  Arrange(false, 1);
}

void CGRowColumn::ScalePrintRects(int scale) {
  if (!GetFirstChild()) return;
  ScaleChildrenPrintSize(scale);
  Arrange(true, scale);
}

void CGRowColumn::Arrange(bool print, int s) {
  const Placer P{print};
  const vt::Rect own = print ? m_printRect : m_rect;
  const int W = own.Width(), H = own.Height();
  const int sp = spacing * s, tm = topMargin * s, bm = bottomMargin * s, lm = leftMargin * s,
            rm = rightMargin * s;
  const int IW = W - lm - rm, IH = H - tm - bm;

  if (mode >= kRowColumnLeftToRight && mode <= kRowColumnBottomUp) {
    const bool horizontal = mode <= kRowColumnRightToLeft;
    int n = 0;
    for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) n += IsVisibleChild(c) ? 1 : 0;
    if (n == 0) return;
    const bool equal = (flags & kRowColumnEqualSizes) != 0;
    const int common =
        equal ? (horizontal ? (W - (n - 1) * sp - lm - rm) : (H - (n - 1) * sp - tm - bm)) / n : 0;
    int pos = mode == kRowColumnLeftToRight   ? lm
              : mode == kRowColumnRightToLeft ? W - rm
              : mode == kRowColumnTopDown     ? tm
                                              : H - bm;
    CGPrimitive* last = nullptr;
    for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
      if (!IsVisibleChild(c)) continue;
      auto* child = static_cast<CGPrimitive*>(c);
      const vt::Rect r = P.Get(child);
      const int len = equal ? common : (horizontal ? r.Width() : r.Height());
      switch (mode) {
        case kRowColumnLeftToRight:
          P.Bounds(child, pos, tm, len, IH);
          pos += len + sp;
          break;
        case kRowColumnRightToLeft:
          pos -= len;
          P.Bounds(child, pos, tm, len, IH);
          pos -= sp;
          break;
        case kRowColumnTopDown:
          P.Bounds(child, lm, pos, IW, len);
          pos += len + sp;
          break;
        default:
          pos -= len;
          P.Bounds(child, lm, pos, IW, len);
          pos -= sp;
          break;
      }
      last = child;
    }
    if (equal || !(flags & kRowColumnStretchLast) || !last) return;
    vt::Rect r = P.Get(last);
    if (mode == kRowColumnLeftToRight) r.right = W - rm;
    if (mode == kRowColumnRightToLeft) r.left = lm;
    if (mode == kRowColumnTopDown) r.bottom = H - bm;
    if (mode == kRowColumnBottomUp) r.top = tm;
    P.Edges(last, r);
    return;
  }
  if (mode != kRowColumnRows && mode != kRowColumnColumns) return;
  const bool rowsMode = mode == kRowColumnRows;
  if (flags != 0 && columns > 0 && rows > 0) {
    const int cellW = (W - (columns - 1) * sp - lm - rm) / columns;
    const int cellH = (H - (rows - 1) * sp - tm - bm) / rows;
    int x = lm, y = tm;
    for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
      if (IsVisibleChild(c)) {
        P.Bounds(static_cast<CGPrimitive*>(c), x, y, cellW, cellH);
        (rowsMode ? x : y) += (rowsMode ? cellW : cellH) + sp;
      }
      if (rowsMode && x + cellW > W - rm) {
        x = lm;
        y += cellH + sp;
      } else if (!rowsMode && y + cellH > H - bm) {
        y = tm;
        x += cellW + sp;
      }
    }
    return;
  }
  if (flags != 0) {
    int pos = rowsMode ? lm : tm;
    for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
      if (!IsVisibleChild(c)) continue;
      auto* child = static_cast<CGPrimitive*>(c);
      const vt::Rect r = P.Get(child);
      if (rowsMode) {
        P.Bounds(child, pos, tm, r.Width(), IH);
        pos += r.Width() + sp;
      } else {
        P.Bounds(child, lm, pos, IW, r.Height());
        pos += r.Height() + sp;
      }
    }
    return;
  }
  int x = lm, y = tm, across = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c)) {
    if (!IsVisibleChild(c)) continue;
    auto* child = static_cast<CGPrimitive*>(c);
    const vt::Rect r = P.Get(child);
    const int w = r.Width(), h = r.Height();
    if (rowsMode) {
      if (x + w > W - rm) {
        y += across + sp;
        x = lm;
        across = h;
      } else {
        across = std::max(across, h);
      }
      P.Move(child, x, y);
      x += w + sp;
    } else {
      if (y + h > H - bm) {
        x += across + sp;
        y = tm;
        across = w;
      } else {
        across = std::max(across, w);
      }
      P.Move(child, x, y);
      y += h + sp;
    }
  }
}

// ---- skinned ----

CGSkRowColumn::CGSkRowColumn(CGCore* parent, int left, int top, int id, int style, int width, int height)
    : CGRowColumn(parent, left, top, id, style, width, height, 1, 1) {
  mode = kRowColumnRows;
  m_backColor = 0x025E5E5E;
}

const SGClassInfo* CGSkRowColumn::GetClassInfo() const { return GCLASS(CGSkRowColumn); }

vt::ColorRef CGSkRowColumn::GetBackColor() const {
  if (CGPrimitive* p = ParentPrimitive()) return p->GetBackColor();
  return m_backColor;
}

void CGSkRowColumn::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef c = GetBackColor();
  const BevelColors bevel = GetBevelColors(c);
  if (!(m_frameStyle & kGroupDoubleFrame)) {
    FillBevelRect(dc, r, m_frameStyle & 0xFFFF, c, bevel.shadow, bevel.highlight);
    return;
  }
  const int w = (m_frameStyle >> 1) & 0x7FFF;
  FillBevelRect(dc, r, w, c, bevel.shadow, bevel.highlight);
  DrawBevelLines(dc, w, bevel.highlight, bevel.shadow, r.left + w, r.top + w, r.right - w, r.bottom - w);
}

CGSkRadioBox::CGSkRadioBox(CGCore* parent, int left, int top, int id, int style, int width, int height,
                           int mode_)
    : CGSkRowColumn(parent, left, top, id, style, width, height) {
  mode = mode_;
}

const SGClassInfo* CGSkRadioBox::GetClassInfo() const { return GCLASS(CGSkRadioBox); }

void CGSkRadioBox::SetValue(int index) {
  selection = index;
  int n = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c), ++n)
    if (IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetValue(0);
  if (index >= 0 && index < n)
    if (CGCore* c = GetChildAt(index); IsPrimitive(c)) static_cast<CGPrimitive*>(c)->SetValue(1);
}

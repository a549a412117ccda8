// The skinned cell columns (see GSkSheetColumns.h).
#include "gadget/sheet/GSkSheetColumns.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetSkin.h"
#include "platform/gui/DeviceContext.h"

namespace {
// A skin block with the bitmaps of some of its fields.
template <int N>
struct Block {
  int32_t f[N] = {};
  CGBitmap* bitmaps[4] = {};
  void Set(const int32_t* block, std::initializer_list<int> bitmapFields) {
    std::copy(block, block + N, f);
    int i = 0;
    for (int field : bitmapFields) bitmaps[i++] = LoadSkinBitmap(f[field]);
  }
  const vt::Bitmap* Bitmap(int i) const { return BitmapOf(bitmaps[i]); }
};
Block<12> s_combo;     // 0 button, 1 button mask, 2 arrow, 3 arrow mask
Block<22> s_push;      // 0 button, 1 mask
Block<16> s_togLabel;  // 0 lamp, 1 lamp mask, 2-3 the unread button bitmaps
Block<4> s_cyclic;     // 0 icon, 1 mask
Block<4> s_togIcon;    // 0 icon, 1 mask

bool Even(int line) { return line % 2 == 0; }

// The zebra frame of a cell; the rectangle inside it.
vt::Rect Frame(const CGSheetArray* c, vt::DeviceContext* dc, int line, const vt::Rect& cell, int w) {
  DrawSheetCellFrame(dc, Even(line), c->IsLineSelected(line), w, cell);
  return InflateRect(cell, -w, -w);
}

void CellText(const CGSheetArray* c, vt::DeviceContext* dc, int line, int margin, int alignment,
              const std::string& text, const vt::Rect& r) {
  DrawSheetCellText(dc, c->GetEffectiveLineStyle(line), c->IsLineSelected(line), margin, alignment,
                    c->CellFont(), text, r);
}

int Inactive(const CGSheetArray* c, int line) {
  return c->GetEffectiveLineStyle(line) == GSTYLE_ACTIVE ? 0 : 1;
}

// The group frame width when the column lies in a skinned check-icon/value group, else -1.
int GroupFrame(const CGSheetArray* c) {
  const CGCore* p = c->GetParent();
  return IsKindOfClass(p, GCLASS(CGSkSCheckIconValues))
             ? static_cast<const CGSheetArray*>(p)->CellFrameWidth()
             : -1;
}
}  // namespace

void SetSkSComboBoxsSkin(const int32_t block[12]) { s_combo.Set(block, {0, 1, 8, 9}); }
void SetSkSTogLabelButtonsSkin(const int32_t block[16]) { s_togLabel.Set(block, {0, 1, 4, 5}); }
void SetSkSCyclicLabelsSkin(const int32_t block[4]) { s_cyclic.Set(block, {0, 1}); }
void SetSkSTogIconButtonsSkin(const int32_t block[4]) { s_togIcon.Set(block, {0, 1}); }
void SetSkSPushButtonsSkin(const int32_t block[22]) { s_push.Set(block, {0, 1}); }

void ResetSheetColumnSkins() {
  s_combo = {};
  s_push = {};
  s_togLabel = {};
  s_cyclic = {};
  s_togIcon = {};
}

// ---- labels ----

void CGSkSLabels::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  CellText(this, dc, line, 4, m_alignment, Text(line), Frame(this, dc, line, cell, m_cellFrameWidth));
}

// ---- cyclic labels ----

void CGSkSCyclicLabels::DrawLineNormal(vt::DeviceContext* dc, int line) {
  if (!InLines(line)) return;
  ClipToVisibleRect(dc);
  vt::Rect cell;
  GetLineRect(line, &cell);
  const vt::Rect framed = Frame(this, dc, line, cell, m_cellFrameWidth);
  const vt::Rect inner = InflateRect(framed, -2, -2);
  const vt::Rect icon{inner.right - inner.Height(), inner.top, inner.right, inner.bottom};
  DrawBitmapCellBlended(dc, icon, s_cyclic.Bitmap(0), s_cyclic.Bitmap(1), Inactive(this, line), s_cyclic.f[2],
                        s_cyclic.f[3]);
  if (const std::string* label = LabelOf(Index(line)))
    CellText(this, dc, line, 5, kAlignLeft, *label, framed);
}

void CGSkSCyclicLabels::DrawLinePressed(vt::DeviceContext* dc, int line) {
  if (!InLines(line)) return;
  vt::Rect cell, flush;
  GetLineRect(line, &cell);
  GetFlushRect(line, &flush);
  const vt::Rect clip = vt::IntersectRects(
      vt::Rect{cell.left, cell.top + m_cellFrameWidth, cell.right, cell.bottom - m_cellFrameWidth}, flush);
  dc->SelectClipRect(&clip);
  vt::Rect framed = Frame(this, dc, line, cell, m_cellFrameWidth);
  const vt::Rect inner = InflateRect(framed, -2, -2);
  const vt::Rect icon{inner.right - inner.Height(), inner.top, inner.right, inner.bottom};
  DrawBitmapCellBlended(dc, icon, s_cyclic.Bitmap(0), s_cyclic.Bitmap(1), 2, s_cyclic.f[2], s_cyclic.f[3]);
  const int h = framed.Height();
  const int index = Index(line);
  if (const std::string* label = LabelOf(index))
    CellText(this, dc, line, 5, kAlignLeft, *label, OffsetRect(framed, 0, -h / 2));
  if (const std::string* next = LabelOf(index < 0 ? index : (index + 1) % m_labelCount))
    CellText(this, dc, line, 5, kAlignLeft, *next, OffsetRect(framed, 0, h - h / 2));
}

// ---- drop-down ----

void CGSkSComboBoxs::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawSheetCellFrame(dc, Even(line), IsLineSelected(line), m_cellFrameWidth, cell);
  const vt::Rect inner = InflateRect(cell, -2, -2);
  const vt::Rect button{inner.right - 16, inner.top, inner.right, inner.bottom};
  const int state = Inactive(this, line);
  DrawNineSliceCell(dc, s_combo.Bitmap(0), s_combo.Bitmap(1), state, s_combo.f[2], s_combo.f[3], s_combo.f[4],
                    s_combo.f[5], s_combo.f[6], s_combo.f[7], button);
  DrawBitmapCellBlended(dc, button, s_combo.Bitmap(2), s_combo.Bitmap(3), state, s_combo.f[10],
                        s_combo.f[11]);
  std::string text;
  if (ItemText(line, &text))
    CellText(this, dc, line, 2, kAlignLeft, text, vt::Rect{inner.left, inner.top, button.left, inner.bottom});
}

// ---- numbers ----

void CGSkSValues::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  vt::Rect r;
  const int gw = GroupFrame(this);
  if (gw >= 0) {
    r = vt::Rect{cell.left, cell.top + gw, cell.right - gw, cell.bottom - gw};
    dc->FillSolidRect(r, SheetCellFill(Even(line), IsLineSelected(line)));
  } else {
    r = Frame(this, dc, line, cell, m_cellFrameWidth);
  }
  std::string text;
  GetLineValueText(line, &text);
  CellText(this, dc, line, 4, kAlignRight, text, r);
}

void CGSkSIntValues::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  std::string text;
  GetLineValueText(line, &text);
  CellText(this, dc, line, 4, kAlignRight, text, Frame(this, dc, line, cell, m_cellFrameWidth));
}

// ---- check-icon/value group ----

CGSkSCheckIconValues::CGSkSCheckIconValues(CGCore* parent, int id, uint32_t titleId)
    : CGSCheckIconValues(parent, id, titleId, 90, 12, 0) {}

void CGSkSCheckIconValues::BuildColumns() {
  const int h = GetLineHeight();
  new CGSkSTogIconButtons(this, h, m_subFontSize, m_subStatesOn, m_iconCellCount, m_iconCellWidth,
                          m_iconCellHeight, m_iconImageId, m_iconMaskId);
  new CGSkSValues(this, m_rect.Width() - h, m_subStatesOn, m_subFontSize, -999999999, 999999999);
  if (const CGSheet* sheet = GetSheet()) SetLineCount(sheet->m_lineCount);
}

void CGSkSCheckIconValues::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { Frame(this, dc, line, r, m_cellFrameWidth); });
}

void CGSkSCheckIconValues::DrawLine(vt::DeviceContext* dc, int line) {
  if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
  vt::Rect r;
  GetLineRect(line, &r);
  Frame(this, dc, line, r, m_cellFrameWidth);
  ForEachShownChild(this, [&](CGPrimitive* p) {
    if (IsKindOfClass(p, GCLASS(CGSheetArray))) static_cast<CGSheetArray*>(p)->DrawLine(dc, line);
  });
}

// ---- push buttons ----

int CGSkSPushButtons::ButtonCell(int line, int look) const {
  const int lookCell = look == 1 ? 2 : look == 2 ? 3 : Inactive(this, line);
  return (IsLineSelected(line) ? 4 : 0) + (Even(line) ? 0 : 8) + lookCell;
}

void CGSkSPushButtons::DrawSkinnedButton(vt::DeviceContext* dc, int line, int look) {
  if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
  ClipToVisibleRect(dc);
  vt::Rect cell;
  GetLineRect(line, &cell);
  const int32_t* f = s_push.f;
  CGFont* font = GetSharedFont(m_fontSize, f[8], 0);
  const vt::Font* vf = font ? font->GetFont() : nullptr;
  const vt::Rect d = ShrinkByMargins(cell, f[4], f[5], f[6], f[7]);
  DrawSheetCellFrame(dc, Even(line), IsLineSelected(line), 0, cell);
  DrawNineSliceCell(dc, s_push.Bitmap(0), s_push.Bitmap(1), ButtonCell(line, look), f[2], f[3], f[4], f[5],
                    f[6], f[7], cell);
  const int ox = look == 1 ? f[9] : 0, oy = look == 1 ? f[10] : 0;
  DrawTextInRect(d, m_alignment, ox + f[11], oy + f[12], static_cast<vt::ColorRef>(f[21]), vf, Text(line), 4,
                 dc);
  const int32_t* colours = f + (IsLineSelected(line) ? 17 : 13);
  const int32_t colour = look == 1   ? colours[2]
                         : look == 2 ? colours[3]
                                     : (Inactive(this, line) ? colours[1] : colours[0]);
  DrawTextInRect(d, m_alignment, ox, oy, static_cast<vt::ColorRef>(colour), vf, Text(line), 4, dc);
}

// ---- toggles ----

int CGSkSTogLabelButtons::LampCell(int line) const {
  return (Value(line) ? 1 : 0) + (Inactive(this, line) ? 2 : 0);
}

void CGSkSTogLabelButtons::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::Rect framed = Frame(this, dc, line, cell, m_cellFrameWidth);
  const vt::Rect square{framed.left, framed.top, framed.left + framed.Height(), framed.bottom};
  DrawBitmapCellBlended(dc, square, s_togLabel.Bitmap(0), s_togLabel.Bitmap(1), LampCell(line),
                        s_togLabel.f[2], s_togLabel.f[3]);
  CellText(this, dc, line, 3, kAlignLeft, Label(line),
           vt::Rect{square.right, framed.top, framed.right, framed.bottom});
}

int CGSkSTogIconButtons::IconCell(int line) const {
  return (Value(line) ? 1 : 0) + (Inactive(this, line) ? 2 : 0);
}

void CGSkSTogIconButtons::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const int gw = GroupFrame(this);
  if (gw >= 0)
    dc->FillSolidRect(vt::Rect{cell.left + gw, cell.top + gw, cell.right, cell.bottom - gw},
                      SheetCellFill(Even(line), IsLineSelected(line)));
  else
    Frame(this, dc, line, cell, m_cellFrameWidth);
  if (m_image)
    DrawBitmapCellBlended(dc, cell, m_image->GetBitmap(), m_mask ? m_mask->GetBitmap() : nullptr,
                          IconCell(line), m_cellWidth, m_cellHeight);
  else
    DrawBitmapCellBlended(dc, cell, s_togIcon.Bitmap(0), s_togIcon.Bitmap(1), IconCell(line), s_togIcon.f[2],
                          s_togIcon.f[3]);
}

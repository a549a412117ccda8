// The skinned line headers (see GSkSheetLine.h).
#include "gadget/sheet/GSkSheetLine.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/sheet/GSheetSkin.h"
#include "platform/gui/DeviceContext.h"

namespace {
const vt::Font* FontOf(const CGFont* f) { return f ? f->GetFont() : nullptr; }

// The skinned cell of a numbered line; the rectangle inside the skin's margins.
vt::Rect DrawNumberedCell(CGSLine* header, const SheetLineSkinCopy& copy, vt::DeviceContext* dc, int line,
                          const vt::Rect& cell) {
  const SGSLineSkin& skin = copy.skin;
  DrawSkinnedLineCell(dc, line % 2 == 0, header->IsLineSelected(line), header->GetEffectiveLineStyle(line),
                      skin, BitmapOf(copy.image), BitmapOf(copy.mask), cell);
  return ShrinkByMargins(cell, skin.marginLeft, skin.marginTop, skin.marginRight, skin.marginBottom);
}

// The line number in the header's font size and the skin's style.
void DrawNumber(CGSLine* header, const SGSLineSkin& skin, vt::DeviceContext* dc, int line,
                const vt::Rect& r) {
  DrawLineHeaderText(dc, header->NumberText(line), skin, header->IsLineSelected(line),
                     header->GetEffectiveLineStyle(line),
                     FontOf(GetSharedFont(header->FontSize(), skin.fontStyle, 0)), header->Alignment(), r);
}
}  // namespace

void CGSkSLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  DrawNumber(this, vt::SkSLineSkin().skin, dc, line,
             DrawNumberedCell(this, vt::SkSLineSkin(), dc, line, cell));
}

CGFont* CGSkSChannelLine::GetLabelFont(vt::DeviceContext* dc, const std::string& label) {
  const SGSLineSkin& skin = vt::SkSChannelLineSkin().skin;
  int width = m_rect.Width() - skin.marginLeft - skin.marginRight;
  if (m_labelStyle == 1)
    width -= GetLineHeight() - skin.marginTop - skin.marginBottom + 3;
  else
    width -= 5;
  return ShrinkSheetFont(dc, m_fontSize, skin.fontStyle, width, label);
}

void CGSkSChannelLine::MarkAndLabelRects(const vt::Rect& cell, vt::Rect* mark, vt::Rect* label) const {
  const SGSLineSkin& skin = vt::SkSChannelLineSkin().skin;
  const vt::Rect shrunk =
      ShrinkByMargins(cell, skin.marginLeft, skin.marginTop, skin.marginRight, skin.marginBottom);
  const vt::Rect inner = InflateRect(shrunk, -1, -1);
  if (m_labelStyle == 1) {
    *mark = vt::Rect{inner.left, inner.top, inner.left + inner.Height(), inner.bottom};
    *label = vt::Rect{mark->right, shrunk.top, shrunk.right, shrunk.bottom};
  } else {
    *mark = vt::Rect{inner.left, inner.bottom - 3, inner.right, inner.bottom};
    *label = vt::Rect{inner.left, inner.top, inner.right, inner.bottom - 3};
  }
}

void CGSkSChannelLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const SheetLineSkinCopy& copy = vt::SkSChannelLineSkin();
  const int state = GetEffectiveLineStyle(line);
  DrawSkinnedLineCell(dc, line % 2 == 0, false, state, copy.skin, BitmapOf(copy.image), BitmapOf(copy.mask),
                      cell);
  vt::Rect mark, label;
  MarkAndLabelRects(cell, &mark, &label);
  const auto frame = static_cast<vt::ColorRef>(SheetSkin().channelMarkFrame);
  FillFramedRect(dc, mark, 1, LineColor(line), frame, frame, frame, frame);
  DrawLineHeaderText(dc, Label(line), copy.skin, false, state, FontOf(GetLabelFont(dc, Label(line))),
                     m_alignment, label);
}

int CGSkSCheckIconLine::IconCell(int line) const {
  return (Check(line) ? 1 : 0) + (GetEffectiveLineStyle(line) != GSTYLE_ACTIVE ? 2 : 0);
}

void CGSkSCheckIconLine::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::Rect inner = DrawNumberedCell(this, vt::SkSCheckIconLineSkin(), dc, line, cell);
  const vt::Rect square{inner.left, inner.top, inner.left + inner.Height(), inner.bottom};
  if (m_iconImage) {
    DrawBitmapCellBlended(dc, square, BitmapOf(m_iconImage), BitmapOf(m_iconMask), IconCell(line),
                          m_iconCellWidth, m_iconCellHeight);
  } else {
    const SheetIconSet& icons = vt::SkSCheckIconLineIcons();
    DrawBitmapCellBlended(dc, square, BitmapOf(icons.image), BitmapOf(icons.mask), IconCell(line),
                          icons.cellWidth, icons.cellHeight);
  }
  DrawNumber(this, vt::SkSCheckIconLineSkin().skin, dc, line,
             vt::Rect{square.right, inner.top, inner.right, inner.bottom});
}

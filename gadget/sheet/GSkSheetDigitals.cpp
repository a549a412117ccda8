// The skinned numeric columns (see GSkSheetDigitals.h).
#include "gadget/sheet/GSkSheetDigitals.h"

#include "gadget/GDraw.h"
#include "gadget/GText.h"
#include "gadget/sheet/GSheetSkin.h"
#include "platform/gui/DeviceContext.h"

namespace {
// The zebra frame of a cell; the rectangle inside the frame.
vt::Rect FrameCell(const CGSheetArray* column, vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const int w = column->CellFrameWidth();
  DrawSheetCellFrame(dc, line % 2 == 0, column->IsLineSelected(line), w, cell);
  return InflateRect(cell, -w, -w);
}
}  // namespace

void CGSkSDigitals::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::Rect inner = FrameCell(this, dc, line, cell);
  std::string text;
  GetLineValueText(line, &text);
  DrawSheetCellText(dc, GetEffectiveLineStyle(line), IsLineSelected(line), 5, kAlignRight, CellFont(), text,
                    inner);
}

vt::ColorRef CGSkSAlarmDigitals::SkinBoxColor(int line, int i) const {
  const int32_t* c = SheetSkin().alarmColors + (GetEffectiveLineStyle(line) == GSTYLE_ACTIVE ? 0 : 4);
  const auto l = static_cast<size_t>(line);
  if (!(m_alarmMask[l] & (1u << i))) return static_cast<vt::ColorRef>(c[2]);
  return static_cast<vt::ColorRef>((m_alarmBits[l] & (1u << i)) ? c[0] : c[1]);
}

void CGSkSAlarmDigitals::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  const vt::Rect inner = FrameCell(this, dc, line, cell);
  const int state = GetEffectiveLineStyle(line);
  if (!(state & GSTYLE_VISIBLE)) return;
  if (ShowsBoxes(line)) {
    const auto frame = static_cast<vt::ColorRef>(SheetSkin().alarmColors[state == GSTYLE_ACTIVE ? 3 : 7]);
    const vt::Rect boxes = InflateRect(cell, -2, -2);
    vt::Rect box{boxes.left, boxes.top, boxes.left + 4, boxes.bottom};
    for (int i = 0; i < m_alarmBoxCount; ++i, box = OffsetRect(box, 5, 0))
      FillFramedRect(dc, box, 1, SkinBoxColor(line, i), frame, frame, frame, frame);
  }
  const int status = Status(line);
  if (status == 3 || status == 4 || status == 5) return;
  std::string text;
  GetLineValueText(line, &text);
  DrawSheetCellText(dc, state, IsLineSelected(line), 5, kAlignRight, CellFont(), text, inner);
}

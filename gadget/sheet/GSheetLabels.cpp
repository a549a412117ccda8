// The label and colour columns of a sheet (see GSheetLabels.h).
#include "gadget/sheet/GSheetLabels.h"

#include "gadget/GButton.h"
#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GText.h"
#include "gadget/sheet/SheetCellColors.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

using namespace vt::sheetcell;

// ---- CGSLabels ----

CGSLabels::CGSLabels(CGCore* parent, int id, uint32_t titleId, int width, int alignment)
    : CGSheetArray(parent, id, 0, width, 1, 12, titleId), m_alignment(alignment) {
  m_texts.assign(static_cast<size_t>(m_capacity), std::string());
}

int CGSLabels::SetAlignment(int alignment) {
  m_alignment = alignment;
  return 1;
}

void CGSLabels::SetLineText(int line, const std::string& text) {
  if (InLines(line)) m_texts[static_cast<size_t>(line)] = text;
}

void CGSLabels::GetLineText(int line, std::string* text) {
  if (InLines(line)) *text = m_texts[static_cast<size_t>(line)];
}

void CGSLabels::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_texts, m_lineCount, at, count, std::string());
  CGSheetArray::InsertLines(at, count);
}

void CGSLabels::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_texts, m_lineCount, at, count);
  CGSheetArray::DeleteLines(at, count);
}

void CGSLabels::SetLineCount(int count) {
  GrowLineEntries(&m_texts, count, std::string());
  CGSheetArray::SetLineCount(count);
}

void CGSLabels::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect& r) { DrawCell(dc, line, r); });
}

void CGSLabels::DrawLine(vt::DeviceContext* dc, int line) {
  ForOneLine(dc, line, [&](int l, const vt::Rect& r) { DrawCell(dc, l, r); });
}

void CGSLabels::DrawCell(vt::DeviceContext* dc, int line, const vt::Rect& cell) {
  FillCellFace(dc, line, cell);
  DrawTextInRect(cell, m_alignment, 0, 0, (GetLineStyle(line) & GSTYLE_ENABLED) ? kTextActive : kTextInactive,
                 CellFont(), Text(line), 4, dc);
}

void CGSLabels::PrintSelf(vt::DeviceContext* dc, int page) {
  (void)page;
  ForPrintLines([&](int line, const vt::Rect& r) {
    DrawRectSides(dc, 2 | 8, kBlack, r.left, r.top, r.right, r.bottom);
    DrawTextInRect(r, m_alignment, 0, 0, kBlack, m_printFont ? m_printFont->GetFont() : nullptr, Text(line),
                   5 * GetPrintScale(), dc);
  });
}

// ---- CGSCyclicLabels ----

CGSCyclicLabels::CGSCyclicLabels(CGCore* parent, int id, uint32_t titleId, int width,
                                 const uint32_t labelIds[2])
    : CGSheetArray(parent, id, 0, width, 0, 12, titleId) {
  for (int i = 0; i < m_labelCount; ++i)
    m_labels.push_back(labelIds ? vt::LoadString(labelIds[i]) : std::string());
  m_indexes.assign(static_cast<size_t>(m_capacity), 0);
}

const std::string* CGSCyclicLabels::LabelOf(int index) const {
  // Callers store 0 and 1; a negative index shows no label.
  if (index < 0 || m_labelCount <= 0) return nullptr;
  return &m_labels[static_cast<size_t>(index % m_labelCount)];
}

void CGSCyclicLabels::GetLineValueText(int line, std::string* text) {
  if (!InLines(line)) return;
  if (const std::string* label = LabelOf(Index(line))) *text = *label;
}

void CGSCyclicLabels::SetLineIntValue(int line, int value) {
  if (InLines(line)) m_indexes[static_cast<size_t>(line)] = value;
}

void CGSCyclicLabels::GetLineIntValue(int line, int* value) {
  if (InLines(line)) *value = Index(line);
}

void CGSCyclicLabels::SetLineValueText(int line, const std::string& text) {
  if (!InLines(line)) return;
  for (int i = m_labelCount - 1; i >= 0; --i)
    if (m_labels[static_cast<size_t>(i)] == text) {
      m_indexes[static_cast<size_t>(line)] = i;
      return;
    }
}

void CGSCyclicLabels::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_indexes, m_lineCount, at, count, 0);
  CGSheetArray::InsertLines(at, count);
}

void CGSCyclicLabels::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_indexes, m_lineCount, at, count);
  CGSheetArray::DeleteLines(at, count);
}

void CGSCyclicLabels::SetLineCount(int count) {
  GrowLineEntries(&m_indexes, count, 0);
  CGSheetArray::SetLineCount(count);
}

void CGSCyclicLabels::DrawGlyphAndLabel(vt::DeviceContext* dc, int line, const vt::Rect& cell, int index) {
  if (!(GetEffectiveLineStyle(line) & GSTYLE_VISIBLE)) return;
  const bool enabled = GetEffectiveLineStyle(line) & GSTYLE_ENABLED;
  const int t = cell.top, b = cell.bottom, r = cell.right, h = b - t;
  const int f = h - 4, g = t + 2, half = f / 2, x0 = r - h / 2 - 2;
  const vt::Point glyph[5] = {
      {x0 + half, g}, {x0, g + half}, {x0 + f / 4, g + half}, {x0 + f / 4, b - 2}, {x0 + half, b - 2}};
  DrawFilledPolygon(dc, glyph, 5, enabled ? 0x02FFB4B4 : kTextInactive, kBlack);
  const std::string* label = LabelOf(index);
  if (!label) return;
  const vt::Font* old = dc->SelectFont(CellFont());
  const int th = dc->GetTextMetrics().height;
  dc->SelectFont(old);
  DrawTextAt(CellFont(), dc, cell.left + 2, (t + b) / 2 - th / 2, vt::kTaLeft | vt::kTaTop,
             enabled ? kTextActive : kTextInactive, *label);
}

void CGSCyclicLabels::DrawLineNormal(vt::DeviceContext* dc, int line) {
  vt::Rect cell;
  GetLineRect(line, &cell);
  dc->FillSolidRect(InflateRect(cell, -1, -1), IsLineSelected(line) ? kCellSelected : kCell);
  if (m_cellFrameWidth > 0)
    DrawBevelLines(dc, m_cellFrameWidth, kBlack, kBevelDark, cell.left, cell.top, cell.right, cell.bottom);
  DrawGlyphAndLabel(dc, line, cell, Index(line));
}

void CGSCyclicLabels::DrawLinePressed(vt::DeviceContext* dc, int line) {
  vt::Rect cell, flush;
  GetLineRect(line, &cell);
  GetFlushRect(line, &flush);
  const vt::Rect clip = vt::IntersectRects(InflateRect(cell, -1, -1), flush);
  dc->SelectClipRect(&clip);
  dc->FillSolidRect(cell, IsLineSelected(line) ? kCellSelected : kCell);
  const int h = cell.Height();
  const int index = Index(line);
  DrawGlyphAndLabel(dc, line, OffsetRect(cell, 0, -h / 2), index);
  DrawGlyphAndLabel(dc, line, OffsetRect(cell, 0, h - h / 2), index < 0 ? index : (index + 1) % m_labelCount);
}

void CGSCyclicLabels::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect&) { DrawLineNormal(dc, line); });
}

void CGSCyclicLabels::DrawLine(vt::DeviceContext* dc, int line) {
  if (!InLines(line)) return;
  ClipToVisibleRect(dc);
  DrawLineNormal(dc, line);
}

void CGSCyclicLabels::ShowLine(int line, bool pressed) {
  if (vt::DeviceContext* back = GetBackDC()) {
    if (pressed)
      DrawLinePressed(back, line);
    else
      DrawLine(back, line);
    back->SelectClipRect(nullptr);
  }
  FlushLine(line);
}

void CGSCyclicLabels::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (ArmLinePress(x, y)) ShowLine(FocusLine(), true);
}

void CGSCyclicLabels::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (TrackLinePress(x, y)) ShowLine(FocusLine(), g_pressedInside != 0);
}

void CGSCyclicLabels::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  const int focus = FocusLine();
  if (!HasLineState(focus, GSTYLE_ACTIVE) || !g_pressedInside) return;
  int& index = m_indexes[static_cast<size_t>(focus)];
  index = index < 0 ? 0 : (index + 1) % m_labelCount;
  ShowLine(focus, false);
  FireEvent(GEVENT_CHANGED);
}

// ---- CGSColors ----

CGSColors::CGSColors(CGCore* parent, int width) : CGSheetArray(parent, 1094, 0, width, 1, 12, 3129) {
  m_colors.assign(static_cast<size_t>(m_capacity), 0);
}

void CGSColors::SetLineIntValue(int line, int value) {
  if (InLines(line)) m_colors[static_cast<size_t>(line)] = static_cast<vt::ColorRef>(value);
}

void CGSColors::GetLineIntValue(int line, int* value) {
  if (InLines(line)) *value = static_cast<int>(m_colors[static_cast<size_t>(line)]);
}

void CGSColors::InsertLines(int at, int count) {
  if (count > 0 && at <= m_lineCount) InsertLineEntries(&m_colors, m_lineCount, at, count, vt::ColorRef{0});
  CGSheetArray::InsertLines(at, count);
}

void CGSColors::DeleteLines(int at, int count) {
  DeleteLineEntries(&m_colors, m_lineCount, at, count);
  CGSheetArray::DeleteLines(at, count);
}

void CGSColors::SetLineCount(int count) {
  GrowLineEntries(&m_colors, count, vt::ColorRef{0});
  CGSheetArray::SetLineCount(count);
}

void CGSColors::DrawLinePressed(vt::DeviceContext* dc, int line, int pressed) {
  if (!InLines(line) || !(m_style & GSTYLE_VISIBLE)) return;
  vt::Rect cell;
  GetLineRect(line, &cell);
  FillBevelRect(dc, cell, m_cellFrameWidth, pressed ? kCell : m_colors[static_cast<size_t>(line)], kBlack,
                kBevelDark);
}

void CGSColors::Draw(vt::DeviceContext* dc) {
  ForVisibleLines([&](int line, const vt::Rect&) { DrawLinePressed(dc, line, 0); });
}

void CGSColors::ShowLine(int line, int pressed) {
  if (vt::DeviceContext* back = GetBackDC()) DrawLinePressed(back, line, pressed);
  FlushLine(line);
}

void CGSColors::OnLButtonDown(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (ArmLinePress(x, y)) ShowLine(FocusLine(), 1);
}

void CGSColors::OnMouseMove(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  if (TrackLinePress(x, y)) ShowLine(FocusLine(), g_pressedInside);
}

void CGSColors::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags, (void)x, (void)y;
  const int focus = FocusLine();
  if (HasLineState(focus, GSTYLE_ACTIVE)) {
    ShowLine(focus, 0);
    if (g_pressedInside) {
      vt::HostWindow* host = GetHostWindow();
      const std::optional<vt::ColorRef> chosen = vt::CurrentDesktop().ChooseColor(
          host ? host->Handle() : vt::WindowHandle{}, m_colors[size_t(focus)]);
      if (chosen) {
        m_colors[static_cast<size_t>(focus)] = *chosen;
        ShowLine(focus, 0);
        FireEvent(GEVENT_CHANGED);
      }
    }
  }
  g_pressedInside = 0;
}

// The trend sheet, its body and header, the shared row look and the skin setters.
#include "trend/NgSheet.h"

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"
#include "trend/NgHooks.h"
#include "trend/NgSheetData.h"
#include "trend/NgSheetTimeLine.h"

NG_SHEET_RECORDS(GADGET_DEFINE_RECORD)

NgSheetLook g_ngSheetLook;

SGNgSheetSkin DefaultNgSheetSkin() {
  SGNgSheetSkin s{};
  s.style = {0x02FFFFFF,
             0x02E6E6E6,
             0x02956344,
             0x02AA8271,
             0x02333333,
             0x02FFFFFF,
             0x02FFFFFF,
             0x02999999,
             0x02B78462,
             0x02ACACAC,
             {0x02FFFFFF, 0x02FFFFFF, 0x02999999, 0x02999999},
             {0x02E6E6E6, 0x02E6E6E6, 0x02999999, 0x02999999},
             {0x02956344, 0x02956344, 0x02956344, 0x02333333},
             {0x02AA8271, 0x02AA8271, 0x02AA8271, 0x02333333}};
  s.background = 0x02ECEAE6;
  s.frame = 0x02333333;
  s.column = {13000, 0, 3, 42, 1,          1,          1,          1,          14,         1,
              0,     0, 0, 1,  0x02333333, 0x02333333, 0x02333333, 0x02333333, 0x02D9D9D9, 0};
  s.timeLine = {13001, 0, 3, 19, 1,          1,          1,          1,          0,
                0,     0, 1, 1,  0x02333333, 0x02FFFFFF, 0x02333333, 0x02333333, 0x02312B28};
  return s;
}

SGNgSheetBitmaps DefaultNgSheetBitmaps() {
  return {{13102, 13103, 13, 14}, {13100, 13101, 14, 14}, {13104, 0, 6, 15}};
}

void SetNgSheetStyle(const SGNgSheetStyle& style, int32_t background, int32_t frame) {
  g_ngSheetLook.style = style;
  g_ngSheetLook.background = vt::ColorRef(background);
  g_ngSheetLook.frame = vt::ColorRef(frame);
}

void SetNgTimeLineSkin(const SGSLineSkin& skin) {
  g_ngSheetLook.timeLine.skin = skin;
  g_ngSheetLook.timeLine.image = LoadSkinBitmap(skin.image);
  g_ngSheetLook.timeLine.mask = LoadSkinBitmap(skin.mask);
}

void SetNgSheetSkin(const SGNgSheetSkin& skin) {
  SetNgSheetStyle(skin.style, skin.background, skin.frame);
  // This replaces the header skin of every skinned sheet of the program.
  SetSkSColumnSkin(skin.column);
  SetNgTimeLineSkin(skin.timeLine);
}

static void LoadIconStrip(NgIconStrip* strip, const vt::SGNgIconBlock& block) {
  strip->block = block;
  strip->image = LoadSkinBitmap(block.image);
  strip->mask = LoadSkinBitmap(block.mask);
}

void SetNgTimeLineMarkBitmaps(const vt::SGNgIconBlock& block) {
  LoadIconStrip(&g_ngSheetLook.markIcons, block);
}

void SetNgSheetColumnBitmaps(const vt::SGNgIconBlock& cornerMarks, const vt::SGNgIconBlock& alarmIcons) {
  LoadIconStrip(&g_ngSheetLook.cornerMarks, cornerMarks);
  LoadIconStrip(&g_ngSheetLook.alarmIcons, alarmIcons);
}

void SetNgSheetBitmaps(const SGNgSheetBitmaps& bitmaps) {
  SetNgTimeLineMarkBitmaps(bitmaps.markIcons);
  SetNgSheetColumnBitmaps(bitmaps.cornerMarks, bitmaps.alarmIcons);
}

void SetNgSheetTimeTitleIds(uint32_t title, uint32_t printTitle) {
  g_ngSheetLook.timeTitleId = title;
  g_ngSheetLook.printTimeTitleId = printTitle;
}

void SetNgSheetMarkClickCallback(NgHook hook) { NgSheetMarkClickHook = hook; }
void SetNgSheetColumnSelectCallback(NgHook hook) { NgSheetColumnSelectHook = hook; }
void SetNgSheetRowSelectCallback(NgHook hook) { NgSheetRowSelectHook = hook; }

// ---- row look ----

NgRowLook GetNgRowLook(bool selected, bool inside, int lineState, bool even) {
  const SGNgSheetStyle& s = g_ngSheetLook.style;
  const bool active = lineState == GSTYLE_ACTIVE;
  if (!selected)
    return {vt::ColorRef(even ? s.evenFill : s.oddFill), even ? s.evenFrame : s.oddFrame,
            vt::ColorRef(active ? s.text : s.inactiveText)};
  if (inside)
    return {vt::ColorRef(s.insideFill), s.insideFrame,
            vt::ColorRef(active ? s.textInside : s.inactiveTextInside)};
  return {vt::ColorRef(s.endFill), s.endFrame, vt::ColorRef(active ? s.textEnd : s.inactiveTextEnd)};
}

namespace vt {

int NgLineCellIndex(bool selected, bool inside, int lineState, bool even) {
  const int base = !selected ? (even ? 0 : 4) : inside ? 6 : 2;
  return base + (lineState != GSTYLE_ACTIVE ? 1 : 0);
}

}  // namespace vt

void FillNgSheetCell(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside, bool even,
                     int frameWidth) {
  const NgRowLook look = GetNgRowLook(selected, inside, GSTYLE_ACTIVE, even);
  const int32_t* f = look.frame;
  FillFramedRect(dc, rect, frameWidth, look.fill, vt::ColorRef(f[0]), vt::ColorRef(f[1]), vt::ColorRef(f[2]),
                 vt::ColorRef(f[3]));
}

void DrawNgSheetCellText(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside,
                         int lineState, int margin, int alignment, const vt::Font* font,
                         const std::string& text) {
  const NgRowLook look = GetNgRowLook(selected, inside, lineState, true);
  DrawTextInRect(rect, alignment, 0, 0, look.text, font, text, margin, dc);
}

void DrawNgSheetLineCell(const SGSLineSkin& skin, vt::DeviceContext* dc, const vt::Rect& rect,
                         const CGBitmap* image, const CGBitmap* mask, bool selected, bool inside,
                         int lineState, bool even) {
  FillNgSheetCell(dc, rect, selected, inside, even, 0);
  if (!image) return;
  DrawNineSliceCell(dc, BitmapOf(image), BitmapOf(mask),
                    vt::NgLineCellIndex(selected, inside, lineState, even), skin.cellWidth, skin.cellHeight,
                    skin.marginLeft, skin.marginTop, skin.marginRight, skin.marginBottom, rect);
}

void DrawNgSheetLineText(const SGSLineSkin& skin, vt::DeviceContext* dc, const vt::Rect& rect, bool selected,
                         int lineState, const vt::Font* font, int margin, int alignment,
                         const std::string& text) {
  const int dx = selected ? skin.selectedDx : 0;
  const int dy = selected ? skin.selectedDy : 0;
  if (selected)
    DrawTextInRect(rect, alignment, dx + skin.shadowDx, dy + skin.shadowDy, vt::ColorRef(skin.colorShadow),
                   font, text, margin, dc);
  const bool active = lineState == GSTYLE_ACTIVE;
  const int32_t colour = active ? (selected ? skin.colorActiveSelected : skin.colorActive)
                                : (selected ? skin.colorInactiveSelected : skin.colorInactive);
  DrawTextInRect(rect, alignment, dx, dy, vt::ColorRef(colour), font, text, margin, dc);
}

// ---- body ----

template <typename F>
void CGNgSDigitalScreen::ForEachDataColumn(F&& f) {
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c))
    if (IsKindOfClass(c, GCLASS(CGNgSData))) f(static_cast<CGNgSData*>(c));
}

void CGNgSDigitalScreen::SetChannels(int count, CGNgChannel* const* channels) {
  for (CGCore* c = GetFirstChild(); c;) {
    CGCore* next = NextChild(c);
    c->Release();
    c = next;
  }
  for (int i = 0; i < count; ++i)
    if (channels[i]) AddDataColumn(channels[i]->GetDataKind(), channels[i]);
}

void CGNgSDigitalScreen::AddDataColumn(int kind, CGNgChannel* channel) {
  CGNgSData* column = nullptr;
  if (kind == DATA_PAIRS) {
    column = static_cast<CGNgSData*>(TakeFromStocker(GCLASS(CGNgSMinMaxData), this));
    if (!column) column = new (std::nothrow) CGNgSMinMaxData(this, 0, GSTYLE_ACTIVE, 0, 175, 1, 14);
  } else {
    column = static_cast<CGNgSData*>(TakeFromStocker(GCLASS(CGNgSNormalData), this));
    if (!column) column = new (std::nothrow) CGNgSNormalData(this, 0, GSTYLE_ACTIVE, 0, 100, 1, 14);
  }
  CheckAllocation("CGNgSDigitalScreen::AddDataColumn", column);
  if (!column) return;
  column->SetChannel(channel);
  // Until the owner binds its row source, a column reads the sheet's current one.
  const CGSheet* sheet = Sheet();
  if (sheet && IsKindOfClass(sheet, GCLASS(CGNgSDigital))) {
    column->SetTimeSource(static_cast<const CGNgSDigital*>(sheet)->m_timeSource);
    column->SetLineCount(sheet->m_lineCount);
  }
  column->SetTitleStyle(1);
  column->Refresh();
}

void CGNgSDigitalScreen::SetTimeSource(CGNgTime* source) {
  ForEachDataColumn([&](CGNgSData* c) { c->SetTimeSource(source); });
}

void CGNgSDigitalScreen::SelectColumn(int index) {
  m_selectedColumn = index;
  ForEachDataColumn([](CGNgSData* c) { c->SetSelected(0); });
  int i = 0;
  for (CGCore* c = GetFirstChild(); c; c = NextChild(c), ++i)
    if (i == index && IsKindOfClass(c, GCLASS(CGNgSData))) static_cast<CGNgSData*>(c)->SetSelected(1);
}

void CGNgSDigitalScreen::SetNameKind(int kind) {
  ForEachDataColumn([&](CGNgSData* c) { c->SetNameKind(kind); });
}
void CGNgSDigitalScreen::ShowAlarms(int flag) {
  ForEachDataColumn([&](CGNgSData* c) { c->ShowAlarms(flag); });
}
void CGNgSDigitalScreen::SetPadding(int flag) {
  ForEachDataColumn([&](CGNgSData* c) { c->SetPadding(flag); });
}
void CGNgSDigitalScreen::SetPrintColour(int flag) {
  ForEachDataColumn([&](CGNgSData* c) { c->SetPrintColour(flag); });
}

// ---- header ----

CGFont* CGNgSColumn::GetFont(int which) {
  (void)which;
  const SGSColumnSkin& skin = SheetColumnSkin();
  return GetSharedFont(skin.fontSize, skin.fontStyle, 0);
}

void CGNgSColumn::OnLButtonUp(uint32_t flags, int32_t x, int32_t y) {
  (void)flags;
  CGSheetArray* pressed = m_pressedColumn;
  m_pressedColumn = nullptr;
  if (!HasEffectiveStyle(GSTYLE_ACTIVE)) return;
  CGSheetArray* hit = HitTest(x, y);
  auto* sheet = static_cast<CGNgSDigital*>(GetSheet());
  if (!hit || !sheet || !IsKindOfClass(sheet, GCLASS(CGNgSDigital)) || !sheet->m_screen) return;
  if (hit == pressed && hit->GetParent() == sheet->m_screen) {
    int index = 0;
    for (CGCore* c = sheet->m_screen->GetFirstChild(); c && c != hit; c = sheet->m_screen->NextChild(c))
      ++index;
    sheet->SelectColumn(index);
    Redraw();
    Flush();
  }
  if (NgSheetColumnSelectHook) NgSheetColumnSelectHook(sheet, 0, 0);
}

void CGNgSColumn::DrawTitleFitted(vt::DeviceContext* dc, const vt::Rect& rect, int titleStyle, int state,
                                  const vt::Font* font, const std::string& title) {
  const SGSColumnSkin& skin = SheetColumnSkin();
  std::string text = title;
  const vt::Size extent = FitTextToWidth(dc, font, rect.Width(), &text);
  DrawTitleNormal(dc, rect, 0, titleStyle, state, font, text);
  const int dot = std::max(2, extent.cy / std::max(1, skin.fontSize));
  const int x = rect.left + extent.cx + dot;
  const vt::ColorRef colour =
      vt::ColorRef(titleStyle && state != GSTYLE_ACTIVE ? skin.colorInactive : skin.colorNormal);
  DrawEllipsisDots(dc, dot, vt::ColorRef(skin.colorShadow), x, rect.top + extent.cy);
  DrawEllipsisDots(dc, dot, colour, x, rect.top + extent.cy - skin.shadowDy);
}

// ---- sheet ----

int CGNgSDigital::Build() {
  auto* h = new (std::nothrow) CGSkHScrollBar(this, 0, 0, 0, GSTYLE_ACTIVE, m_barWidth, m_barWidth, 16);
  CheckAllocation("CGNgSDigital::Build", h);
  if (h) h->Build(1);
  auto* v =
      new (std::nothrow) CGSkVScrollBar(this, 0, 0, 0, GSTYLE_ACTIVE, m_barWidth, m_barWidth, m_lineHeight);
  CheckAllocation("CGNgSDigital::Build", v);
  if (v) v->Build(1);
  m_screen = new (std::nothrow) CGNgSDigitalScreen(this, 0, GSTYLE_ACTIVE);
  CheckAllocation("CGNgSDigital::Build", m_screen);
  CheckAllocation("CGNgSDigital::Build", new (std::nothrow) CGNgSColumn(this, 0, GSTYLE_ACTIVE, 42));
  CheckAllocation("CGNgSDigital::Build",
                  new (std::nothrow) CGNgSTimeLine(this, 0, GSTYLE_ACTIVE, 0, 125, 1, 14, nullptr));
  return 1;
}

CGNgSTimeLine* CGNgSDigital::TimeLine() const {
  return IsKindOfClass(m_lineHeader, GCLASS(CGNgSTimeLine)) ? static_cast<CGNgSTimeLine*>(m_lineHeader)
                                                            : nullptr;
}

void CGNgSDigital::Draw(vt::DeviceContext* dc) {
  vt::Rect r;
  GetAbsoluteRect(&r);
  const vt::ColorRef f = g_ngSheetLook.frame;
  FillFramedRect(dc, r, m_frameStyle, g_ngSheetLook.background, f, f, f, f);
}

void CGNgSDigital::Layout() {
  if (CGNgSTimeLine* t = TimeLine()) t->UpdateWidth();
  CGSheet::Layout();
}

void CGNgSDigital::SetChannels(int count, CGNgChannel* const* channels) {
  if (CGNgSTimeLine* t = TimeLine()) t->SetChannels(count, channels);
  if (m_screen) m_screen->SetChannels(count, channels);
}

void CGNgSDigital::SetTimeSource(CGNgTime* source) {
  m_timeSource = source;
  if (CGNgSTimeLine* t = TimeLine()) t->SetTimeSource(source);
  if (m_screen) m_screen->SetTimeSource(source);
}

void CGNgSDigital::SelectColumn(int index) {
  if (m_screen) m_screen->SelectColumn(index);
}

void CGNgSDigital::SetSelectionTimes(PreciseTime first, PreciseTime last) {
  if (!m_timeSource) return;
  m_selectionFirst = m_timeSource->FindRow(first);
  m_selectionLast = m_timeSource->FindRow(last);
}

void CGNgSDigital::GetSelectionTimes(PreciseTime* first, PreciseTime* last) const {
  if (!m_timeSource) return;
  m_timeSource->GetRowTime(first, m_selectionFirst);
  m_timeSource->GetRowTime(last, m_selectionLast);
}

void CGNgSDigital::ResetSelection(int keep) {
  if (!keep) SetSelection(-1, -1);
}

void CGNgSDigital::SetNameKind(int kind) {
  if (m_screen) m_screen->SetNameKind(kind);
}
void CGNgSDigital::ShowAlarms(int flag) {
  if (m_screen) m_screen->ShowAlarms(flag);
}
void CGNgSDigital::SetPadding(int flag) {
  if (m_screen) m_screen->SetPadding(flag);
}
void CGNgSDigital::SetPrintColour(int flag) {
  if (m_screen) m_screen->SetPrintColour(flag);
}

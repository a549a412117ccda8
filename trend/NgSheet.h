// The numeric trend sheet: one row per row time of a CGNgTime source, a time column at the
// left and one data column per channel, under a header whose titles name the channels.
// CGNgSDigital is the sheet and the facade the sheet view's root drives: it binds channels and
// row source, turns the two cursor times into a row selection and back, and passes the name
// kind, alarm icons and padding to the columns. The trend sheet has its own row look (a block
// of 26 colours shared by the time and data columns), background, header skin and time-column
// skin, held class-wide and set once through the skin setters before a sheet is built.
#pragma once
#include <cstdint>
#include <string>

#include "gadget/sheet/GSheetSkin.h"
#include "gadget/sheet/GSkSheet.h"
#include "trend/NgChannel.h"

class CGBitmap;
class CGFont;
class CGNgSTimeLine;

#define NG_SHEET_RECORDS(X)              \
  X(CGNgSDigital, CGSkSheet)             \
  X(CGNgSDigitalScreen, CGSkSheetScreen) \
  X(CGNgSColumn, CGSkSColumn)            \
  X(CGNgSTimeLine, CGSkSLine)            \
  X(CGNgSData, CGSheetArray)             \
  X(CGNgSNormalData, CGNgSData)          \
  X(CGNgSMinMaxData, CGNgSData)
#define NG_SHEET_DECLARE_RECORD_X(name, base) GADGET_DECLARE_RECORD(name)
NG_SHEET_RECORDS(NG_SHEET_DECLARE_RECORD_X)
#undef NG_SHEET_DECLARE_RECORD_X

// The row colours of the trend sheet (0x02bbggrr).
struct SGNgSheetStyle {
  int32_t evenFill, oddFill, endFill, insideFill;
  int32_t text, textEnd, textInside;
  int32_t inactiveText, inactiveTextEnd, inactiveTextInside;
  int32_t evenFrame[4], oddFrame[4], endFrame[4], insideFrame[4];  // left, top, right, bottom
};

// The record of SetNgSheetSkin: 66 signed 32-bit fields.
struct SGNgSheetSkin {
  SGNgSheetStyle style;
  int32_t background;
  int32_t frame;
  SGSColumnSkin column;
  SGSLineSkin timeLine;
};
static_assert(sizeof(SGNgSheetSkin) == 66 * 4);

namespace vt {

// A strip of icon cells with its optional mask.
struct SGNgIconBlock {
  int32_t image, mask, cellWidth, cellHeight;
};

}  // namespace vt
struct SGNgSheetBitmaps {
  vt::SGNgIconBlock markIcons, cornerMarks, alarmIcons;
};

// A loaded icon block.
struct NgIconStrip {
  vt::SGNgIconBlock block{};
  CGBitmap* image = nullptr;
  CGBitmap* mask = nullptr;
};

// The class-wide look of every trend sheet, written only by the setters below.
struct NgSheetLook {
  SGNgSheetStyle style{};
  vt::ColorRef background = 0x02ECEAE6;
  vt::ColorRef frame = 0x02333333;
  SheetLineSkinCopy timeLine;
  NgIconStrip markIcons, cornerMarks, alarmIcons;
  uint32_t timeTitleId = 0;
  uint32_t printTimeTitleId = 0;  // kept; no drawing reads it
};
extern NgSheetLook g_ngSheetLook;

// The values the sheet view's root passes.
SGNgSheetSkin DefaultNgSheetSkin();
SGNgSheetBitmaps DefaultNgSheetBitmaps();

void SetNgSheetStyle(const SGNgSheetStyle& style, int32_t background, int32_t frame);
void SetNgTimeLineSkin(const SGSLineSkin& skin);
void SetNgSheetSkin(const SGNgSheetSkin& skin);
void SetNgTimeLineMarkBitmaps(const vt::SGNgIconBlock& block);
void SetNgSheetColumnBitmaps(const vt::SGNgIconBlock& cornerMarks, const vt::SGNgIconBlock& alarmIcons);
void SetNgSheetBitmaps(const SGNgSheetBitmaps& bitmaps);
void SetNgSheetTimeTitleIds(uint32_t title, uint32_t printTitle);
void SetNgSheetMarkClickCallback(void (*hook)(CGPrimitive*, int, int));
void SetNgSheetColumnSelectCallback(void (*hook)(CGPrimitive*, int, int));
void SetNgSheetRowSelectCallback(void (*hook)(CGPrimitive*, int, int));

// ---- row look, shared by the time and data columns ----
// selected: the row lies in the selection; inside: selected and neither end; even: even index.
struct NgRowLook {
  vt::ColorRef fill;
  const int32_t* frame;  // left, top, right, bottom
  vt::ColorRef text;
};
NgRowLook GetNgRowLook(bool selected, bool inside, int lineState, bool even);
namespace vt {

// The state cell of the time-column skin for a row.
int NgLineCellIndex(bool selected, bool inside, int lineState, bool even);

}  // namespace vt
void FillNgSheetCell(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside, bool even,
                     int frameWidth);
void DrawNgSheetCellText(vt::DeviceContext* dc, const vt::Rect& rect, bool selected, bool inside,
                         int lineState, int margin, int alignment, const vt::Font* font,
                         const std::string& text);
void DrawNgSheetLineCell(const SGSLineSkin& skin, vt::DeviceContext* dc, const vt::Rect& rect,
                         const CGBitmap* image, const CGBitmap* mask, bool selected, bool inside,
                         int lineState, bool even);
void DrawNgSheetLineText(const SGSLineSkin& skin, vt::DeviceContext* dc, const vt::Rect& rect, bool selected,
                         int lineState, const vt::Font* font, int margin, int alignment,
                         const std::string& text);

class CGNgSDigitalScreen : public CGSkSheetScreen {
 public:
  CGNgSDigitalScreen(CGCore* parent, int id, int style) : CGSkSheetScreen(parent, id, style) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSDigitalScreen); }

  void SetChannels(int count, CGNgChannel* const* channels);
  void SetTimeSource(CGNgTime* source);
  void SelectColumn(int index);
  void SetNameKind(int kind);
  void ShowAlarms(int flag);
  void SetPadding(int flag);
  void SetPrintColour(int flag);
  int GetSelectedColumn() const { return m_selectedColumn; }
  void AddDataColumn(int kind, CGNgChannel* channel);

  int m_selectedColumn = -1;

 private:
  template <typename F>
  void ForEachDataColumn(F&& f);
};

class CGNgSColumn : public CGSkSColumn {
 public:
  CGNgSColumn(CGCore* sheet, int id, int style, int height) : CGSkSColumn(sheet, id, style, height) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSColumn); }
  CGFont* GetFont(int which) override;
  void OnLButtonUp(uint32_t flags, int32_t x, int32_t y) override;
  // The title shortened to the rectangle's width, followed by three dots.
  void DrawTitleFitted(vt::DeviceContext* dc, const vt::Rect& rect, int titleStyle, int state,
                       const vt::Font* font, const std::string& title);
};

class CGNgSDigital : public CGSkSheet {
 public:
  CGNgSDigital(CGCore* parent, int left, int top, int width, int height, int id, int style, int frameWidth,
               int barWidth, int lineCount, int lineHeight)
      : CGSkSheet(parent, left, top, width, height, id, style, frameWidth, barWidth, lineCount, lineHeight) {}
  const SGClassInfo* GetClassInfo() const override { return GCLASS(CGNgSDigital); }
  void Draw(vt::DeviceContext* dc) override;
  void Layout() override;
  vt::ColorRef GetBackColor() const override { return g_ngSheetLook.background; }

  int Build();
  void SetChannels(int count, CGNgChannel* const* channels);
  void SetTimeSource(CGNgTime* source);
  void SelectColumn(int index);
  void SetSelectionTimes(PreciseTime first, PreciseTime last);
  void GetSelectionTimes(PreciseTime* first, PreciseTime* last) const;
  void ResetSelection(int keep);
  void SetNameKind(int kind);
  void ShowAlarms(int flag);
  void SetPadding(int flag);
  void SetPrintColour(int flag);
  int GetSelectedColumn() const { return m_screen ? m_screen->GetSelectedColumn() : -1; }
  CGNgSTimeLine* TimeLine() const;

  CGNgSDigitalScreen* m_screen = nullptr;
  CGNgTime* m_timeSource = nullptr;
};

// The skin of the sheets: the record that start-up fills and hands to SetSheetSkin, the
// class-wide copies that every skinned sheet gadget draws from, and the cell helpers shared by
// the skinned sheet, its headers and the skinned cell columns (zebra fills, selection colours,
// nine-slice header cells, shadowed header texts). A later setter call replaces the statics for
// every gadget of the class. Colours are 0x02bbggrr; bitmap fields are bitmap resource ids
// (0: none) that the setters turn into bitmaps of the root master's pool.
#pragma once
#include <cstdint>
#include <string>

#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"

namespace vt {
class Bitmap;
class DeviceContext;
class Font;
}  // namespace vt
class CGBitmap;

// The column-header skin (20 fields).
struct SGSColumnSkin {
  int32_t image, mask, cellWidth, cellHeight;
  int32_t marginLeft, marginTop, marginRight, marginBottom;
  int32_t fontSize, fontStyle;  // the start size of the fitting; bit 0 bold, 1 italic, 2 underline
  int32_t pressedDx, pressedDy, shadowDx, shadowDy;
  int32_t colorNormal, colorInactive, colorPressed, colorHot, colorShadow;
  int32_t reserved;
};

// The line-header skin (18 fields).
struct SGSLineSkin {
  int32_t image, mask, cellWidth, cellHeight;
  int32_t marginLeft, marginTop, marginRight, marginBottom;
  int32_t fontStyle;  // the size is the line header's own
  int32_t selectedDx, selectedDy, shadowDx, shadowDy;
  int32_t colorActive, colorActiveSelected, colorInactive, colorInactiveSelected, colorShadow;
};

// The sheet skin record: 140 signed 32-bit fields (numbers in the comments count from 1).
struct SGSheetSkin {
  int32_t cellFill[4];        // 1-4: even, odd, even selected, odd selected
  int32_t cellText[4];        // 5-8: active, active selected, inactive, inactive selected
  int32_t cellFrame[4][4];    // 9-24: even, odd, even selected, odd selected; left, top, right, bottom
  int32_t background;         // 25
  int32_t frame;              // 26
  SGSColumnSkin column;       // 27-46
  SGSLineSkin line;           // 47-64
  int32_t checkIcon[4];       // 65-68: image, mask, cell width, cell height
  int32_t channelMarkFrame;   // 69
  int32_t reserved70;         // 70
  int32_t comboBlock[12];     // 71-82
  int32_t pushBlock[22];      // 83-104
  int32_t checkIcon2[4];      // 105-108 (kept, read by no gadget)
  int32_t togLabelBlock[16];  // 109-124
  int32_t cyclicBlock[4];     // 125-128
  int32_t togIconBlock[4];    // 129-132
  int32_t alarmColors[8];     // 133-140
};
static_assert(sizeof(SGSheetSkin) == 140 * 4, "the sheet skin record holds 140 fields");

// A line-header skin copy with its two bitmaps.
struct SheetLineSkinCopy {
  SGSLineSkin skin{};
  CGBitmap* image = nullptr;
  CGBitmap* mask = nullptr;
};

// Stores the record into the class statics and loads the bitmaps (once at start-up, after the
// root master exists).
void SetSheetSkin(const SGSheetSkin& skin);
// Replaces the column-header statics of every skinned column header.
void SetSkSColumnSkin(const SGSColumnSkin& skin);
// The default icons of the skinned check-icon line header.
void SetSkSCheckIconLineBitmaps(int32_t imageId, int32_t maskId, int32_t cellWidth, int32_t cellHeight);
// Forgets the bitmaps of the statics (they belong to the root master that goes).
void ResetSheetSkin();

// The class statics, as the setters left them.
const SGSheetSkin& SheetSkin();
const SGSColumnSkin& SheetColumnSkin();
const vt::Bitmap* SheetColumnImage();
const vt::Bitmap* SheetColumnMask();
namespace vt {

const SheetLineSkinCopy& SkSLineSkin();
const SheetLineSkinCopy& SkSChannelLineSkin();
const SheetLineSkinCopy& SkSCheckIconLineSkin();

}  // namespace vt
struct SheetIconSet {
  CGBitmap* image = nullptr;
  CGBitmap* mask = nullptr;
  int cellWidth = 0;
  int cellHeight = 0;
};
namespace vt {

const SheetIconSet& SkSCheckIconLineIcons();

}  // namespace vt
const vt::Bitmap* BitmapOf(const CGBitmap* b);
// The pooled bitmap of a resource id (null for 0).
CGBitmap* LoadSkinBitmap(int32_t id);

// Cell fill and frame in the sheet skin's colours (frame width 0: no frame).
void DrawSheetCellFrame(vt::DeviceContext* dc, bool even, bool selected, int frameWidth,
                        const vt::Rect& rect);
// The plain cell fill of a line (fields 1-4).
vt::ColorRef SheetCellFill(bool even, bool selected);
// The cell text in the colour of fields 5-8.
void DrawSheetCellText(vt::DeviceContext* dc, int state, bool selected, int margin, int alignment,
                       const vt::Font* font, const std::string& text, const vt::Rect& rect);
vt::ColorRef SheetCellTextColor(int state, bool selected);
// The nine-slice cell index of a line-header cell: 4 odd + 2 selected + 1 not active.
int SkinnedLineCellIndex(bool even, bool selected, int state);
void DrawSkinnedLineCell(vt::DeviceContext* dc, bool even, bool selected, int state, const SGSLineSkin& skin,
                         const vt::Bitmap* image, const vt::Bitmap* mask, const vt::Rect& rect);
void DrawLineHeaderText(vt::DeviceContext* dc, const std::string& text, const SGSLineSkin& skin,
                        bool selected, int state, const vt::Font* font, int alignment, const vt::Rect& rect);
// The rectangle shrunk by a skin's four margins.
vt::Rect ShrinkByMargins(const vt::Rect& r, int left, int top, int right, int bottom);

// The skin of the sheets (see GSheetSkin.h).
#include "gadget/sheet/GSheetSkin.h"

#include "gadget/sheet/GSkSheetColumns.h"

#include "gadget/GDraw.h"
#include "gadget/GPools.h"
#include "gadget/GRootMaster.h"
#include "gadget/GText.h"
#include "platform/gui/DeviceContext.h"

namespace {
SGSheetSkin s_skin{};
SGSColumnSkin s_columnSkin{};
CGBitmap* s_columnImage = nullptr;
CGBitmap* s_columnMask = nullptr;
SheetLineSkinCopy s_lineSkin, s_channelLineSkin, s_checkIconLineSkin;
SheetIconSet s_checkIcons;

void CopyLineSkin(SheetLineSkinCopy* copy, const SGSLineSkin& skin) {
  copy->skin = skin;
  copy->image = LoadSkinBitmap(skin.image);
  copy->mask = LoadSkinBitmap(skin.mask);
}
}  // namespace

CGBitmap* LoadSkinBitmap(int32_t id) { return id ? GetSharedBitmap(id) : nullptr; }
const vt::Bitmap* BitmapOf(const CGBitmap* b) { return b ? b->GetBitmap() : nullptr; }

void SetSkSColumnSkin(const SGSColumnSkin& skin) {
  s_columnSkin = skin;
  s_columnImage = LoadSkinBitmap(skin.image);
  s_columnMask = LoadSkinBitmap(skin.mask);
}

void SetSkSCheckIconLineBitmaps(int32_t imageId, int32_t maskId, int32_t cellWidth, int32_t cellHeight) {
  s_checkIcons.image = LoadSkinBitmap(imageId);
  s_checkIcons.mask = LoadSkinBitmap(maskId);
  s_checkIcons.cellWidth = cellWidth;
  s_checkIcons.cellHeight = cellHeight;
}

void SetSheetSkin(const SGSheetSkin& skin) {
  s_skin = skin;
  SetSkSColumnSkin(skin.column);
  CopyLineSkin(&s_lineSkin, skin.line);
  CopyLineSkin(&s_checkIconLineSkin, skin.line);
  SetSkSCheckIconLineBitmaps(skin.checkIcon[0], skin.checkIcon[1], skin.checkIcon[2], skin.checkIcon[3]);
  CopyLineSkin(&s_channelLineSkin, skin.line);
  // The second check-icon block is read by no gadget; its bitmaps are only pooled.
  for (int copy = 0; copy < 2; ++copy) {
    LoadSkinBitmap(skin.checkIcon2[0]);
    LoadSkinBitmap(skin.checkIcon2[1]);
  }
  SetSkSComboBoxsSkin(skin.comboBlock);
  SetSkSPushButtonsSkin(skin.pushBlock);
  SetSkSTogLabelButtonsSkin(skin.togLabelBlock);
  SetSkSCyclicLabelsSkin(skin.cyclicBlock);
  SetSkSTogIconButtonsSkin(skin.togIconBlock);
}

void ResetSheetSkin() {
  s_skin = SGSheetSkin{};
  s_columnSkin = SGSColumnSkin{};
  s_columnImage = s_columnMask = nullptr;
  s_lineSkin = s_channelLineSkin = s_checkIconLineSkin = SheetLineSkinCopy{};
  s_checkIcons = SheetIconSet{};
  ResetSheetColumnSkins();
}

const SGSheetSkin& SheetSkin() { return s_skin; }
const SGSColumnSkin& SheetColumnSkin() { return s_columnSkin; }
const vt::Bitmap* SheetColumnImage() { return BitmapOf(s_columnImage); }
const vt::Bitmap* SheetColumnMask() { return BitmapOf(s_columnMask); }
namespace vt {

const SheetLineSkinCopy& SkSLineSkin() { return s_lineSkin; }
const SheetLineSkinCopy& SkSChannelLineSkin() { return s_channelLineSkin; }
const SheetLineSkinCopy& SkSCheckIconLineSkin() { return s_checkIconLineSkin; }
const SheetIconSet& SkSCheckIconLineIcons() { return s_checkIcons; }

}  // namespace vt

vt::ColorRef SheetCellFill(bool even, bool selected) {
  return static_cast<vt::ColorRef>(s_skin.cellFill[(selected ? 2 : 0) + (even ? 0 : 1)]);
}

void DrawSheetCellFrame(vt::DeviceContext* dc, bool even, bool selected, int frameWidth,
                        const vt::Rect& rect) {
  const int k = (selected ? 2 : 0) + (even ? 0 : 1);
  const int32_t* f = s_skin.cellFrame[k];
  FillFramedRect(dc, rect, frameWidth, SheetCellFill(even, selected), static_cast<vt::ColorRef>(f[0]),
                 static_cast<vt::ColorRef>(f[1]), static_cast<vt::ColorRef>(f[2]),
                 static_cast<vt::ColorRef>(f[3]));
}

vt::ColorRef SheetCellTextColor(int state, bool selected) {
  return static_cast<vt::ColorRef>(s_skin.cellText[(state == 3 ? 0 : 2) + (selected ? 1 : 0)]);
}

void DrawSheetCellText(vt::DeviceContext* dc, int state, bool selected, int margin, int alignment,
                       const vt::Font* font, const std::string& text, const vt::Rect& rect) {
  DrawTextInRect(rect, alignment, 0, 0, SheetCellTextColor(state, selected), font, text, margin, dc);
}

int SkinnedLineCellIndex(bool even, bool selected, int state) {
  return (even ? 0 : 4) + (selected ? 2 : 0) + (state != 3 ? 1 : 0);
}

void DrawSkinnedLineCell(vt::DeviceContext* dc, bool even, bool selected, int state, const SGSLineSkin& skin,
                         const vt::Bitmap* image, const vt::Bitmap* mask, const vt::Rect& rect) {
  DrawSheetCellFrame(dc, even, selected, 0, rect);
  DrawNineSliceCell(dc, image, mask, SkinnedLineCellIndex(even, selected, state), skin.cellWidth,
                    skin.cellHeight, skin.marginLeft, skin.marginTop, skin.marginRight, skin.marginBottom,
                    rect);
}

void DrawLineHeaderText(vt::DeviceContext* dc, const std::string& text, const SGSLineSkin& skin,
                        bool selected, int state, const vt::Font* font, int alignment, const vt::Rect& rect) {
  const int dx = selected ? skin.selectedDx : 0, dy = selected ? skin.selectedDy : 0;
  DrawTextInRect(rect, alignment, dx + skin.shadowDx, dy + skin.shadowDy,
                 static_cast<vt::ColorRef>(skin.colorShadow), font, text, 5, dc);
  const int32_t colour = state == 3 ? (selected ? skin.colorActiveSelected : skin.colorActive)
                                    : (selected ? skin.colorInactiveSelected : skin.colorInactive);
  DrawTextInRect(rect, alignment, dx, dy, static_cast<vt::ColorRef>(colour), font, text, 5, dc);
}

vt::Rect ShrinkByMargins(const vt::Rect& r, int left, int top, int right, int bottom) {
  return vt::Rect{r.left + left, r.top + top, r.right - right, r.bottom - bottom};
}

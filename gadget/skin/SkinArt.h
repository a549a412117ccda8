// The built-in look of the widgets: every skin strip and grey mask is drawn here in code and
// registered in the bitmap registry under its resource id, and the descriptor that names them
// (with the colours, cell sizes and margins that go with them) is filled here too. Images are
// 24-bit; grey masks are 24-bit greys (black shows the image, white the background).
#pragma once
#include "gadget/GSkin.h"

// Bitmap resource ids of the skin.
enum SkinBitmapId : int {
  kSkinPushFace = 10102,  // 4 cells: normal, disabled, pressed, hover
  kSkinPushMask = 10103,
  kSkinCheckStrip = 10104,  // 4 cells: unchecked, checked, disabled unchecked, disabled checked
  kSkinCheckMask = 10105,
  kSkinRadioStrip = 10106,  // 4 cells: unselected, selected, disabled unselected, disabled selected
  kSkinRadioMask = 10107,
  kSkinLabelFace = 10108,   // 2 cells: enabled, disabled
  kSkinFrameStrip = 10109,  // 2 cells: active, not active (a rounded one-pixel frame)
  kSkinFrameMask = 10110,
  kSkinTrough = 10111,       // 1 cell
  kSkinSegment = 10112,      // one segment picture
  kSkinArrowButton = 10113,  // 3 cells: normal, disabled, pressed
  kSkinArrowUp = 10114,      // 3 glyph cells on the arrow button's face colours (no mask)
  kSkinArrowDown = 10115,
  kSkinScrollTrack = 10201,  // 3 cells: normal, disabled, pressed
  kSkinScrollThumb = 10202,  // 3 cells: normal, disabled, pressed
  kSkinScrollThumbMask = 10203,
  kSkinArrowLeft = 10204,  // 3 glyph cells like the up and down arrows
  kSkinArrowRight = 10205,
  kSkinTabStrip = 10206,  // 4 cells: inactive, active, disabled inactive, disabled active
  kSkinTabMask = 10207,
  kSkinSplitGrip = 10208,  // 3 cells: normal, disabled, pressed; plain caps, a grip between
  kSkinSplitMask = 10209,
  kSkinThinArrowUp = 10210,  // 3 small glyph cells on the scroll track's colours (thin bars)
  kSkinThinArrowDown = 10211,
  kSkinThinArrowLeft = 10212,
  kSkinThinArrowRight = 10213,
};

// Draws the skin's bitmaps and registers them (again) in the bitmap registry.
void RegisterSkinArt();
// The descriptor of the built-in skin.
SGSkinDescriptor BuiltinSkinDescriptor();

// The built-in look of the sheets: the skin strips of the header cells, icons, lamps and buttons
// drawn here in code and registered in the bitmap registry, and the sheet skin record that names
// them with the colours, cell sizes and margins that go with them. Images are 24-bit; masks are
// 24-bit greys (black shows the image, white the background).
//
// The widget skin's art holds ids 10102-10115, so the sheet strips have ids of their own.
#pragma once
#include "gadget/sheet/GSheetSkin.h"

enum SheetSkinBitmapId : int {
  kSheetColumnStrip = 13000,  // 4 cells 3 x 42: normal, inactive, pressed, hot
  kSheetLineStrip = 13001,    // 8 cells 3 x 20: 4 odd + 2 selected + 1 inactive
  kSheetCheckIcons = 13002,   // 4 cells 13 x 13: off, on, off inactive, on inactive
  kSheetComboButton = 13003,  // 2 cells 16 x 16: normal, inactive
  kSheetComboButtonMask = 13004,
  kSheetComboArrow = 13005,  // 2 cells 8 x 5: normal, inactive
  kSheetComboArrowMask = 13006,
  kSheetCyclicIcon = 13007,  // 3 cells 16 x 16: normal, inactive, pressed
  kSheetCyclicIconMask = 13008,
  kSheetPushButton = 13009,  // 16 cells 11 x 20: 4 selected + 8 odd + look
  kSheetCheckIcons2 = 13010,
  kSheetCheckIcons2Mask = 13011,
  kSheetToggleIcon = 13012,  // 4 cells 13 x 13: off, on, off inactive, on inactive
  kSheetSpareButton = 13013,
  kSheetLamp = 13014,  // 4 cells 13 x 13: off, on, off inactive, on inactive
  kSheetCheckIconsMask = 13015,
  kSheetLampMask = 13016,
  kSheetToggleIconMask = 13017,
  kSheetGroupCheckIcons = 10015,  // the check-icon/value group's strip, 4 cells 13 x 13
  kSheetGroupCheckIconsMask = 10016,
};

// Draws the sheet strips and registers them (again) in the bitmap registry.
void RegisterSheetSkinArt();
// The sheet skin record of the built-in look.
SGSheetSkin BuiltinSheetSkin();

// The trend sheet's art for the tests, the gallery and the benchmark: the sheet skin's strips
// (header and line cells) and the trend sheet's own bitmaps, as the program registers them.
#pragma once

#include "gadget/sheet/SheetSkinArt.h"
#include "trend/NgSheetArt.h"

namespace vt_test {

inline void RegisterNgSheetArt() {
  RegisterSheetSkinArt();
  vt::RegisterNgSheetArt();
}

}  // namespace vt_test

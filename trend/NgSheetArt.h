// The trend sheet's own bitmaps (resource ids 13100 to 13104: corner marks and mask, mark
// pennants and mask, alarm icons), drawn in code and registered in the bitmap registry.
#pragma once

namespace vt {

// Draws and registers the trend sheet's bitmaps (again).
void RegisterNgSheetArt();

}  // namespace vt

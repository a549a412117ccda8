// Texts of the sample states: the status texts of the sheets' numeric columns.
#include "trend/NgChannel.h"

#include "gadget/sheet/GSheetDigitals.h"

namespace vt {

const char* NgStateText(int state) { return SheetStatusText(state); }

}  // namespace vt

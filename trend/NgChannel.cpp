// Texts of the sample states (the status texts of the sheets' numeric columns), and the column
// read every channel offers through its single-span read.
#include "trend/NgChannel.h"

#include "gadget/sheet/GSheetDigitals.h"

void CGNgChannel::ReadMinMaxColumns(double start, double width, int64_t first, int64_t count, double* min,
                                    double* max, uint16_t* status) {
  for (int64_t k = 0; k < count; ++k) {
    const double from = start + double(first + k) * width;
    ReadMinMaxOver(vt::TimeFromSeconds(from), vt::TimeFromSeconds(from + width), &min[k], &max[k],
                   &status[k]);
  }
}

namespace vt {

const char* NgStateText(int state) { return SheetStatusText(state); }

}  // namespace vt

// The main window's pictures, drawn in code and registered as bitmaps: the strips of the two
// toolbars (129, 130) and the small icons of the three panes (164, 166, 168).
#pragma once

namespace vt {

constexpr int kIconNavigationPane = 164;
constexpr int kIconSearchPane = 166;
constexpr int kIconPropertiesPane = 168;

// Registers every picture; calling it again replaces them by the same.
void RegisterMainFrameArt();

}  // namespace vt

// The main window's pictures, drawn in code and registered as bitmaps: the strips of the two
// toolbars (129, 130), the small icons of the three panes (164, 166, 168) and the images of the
// navigation tree (178: ten 16-pixel images with pure red as the mask colour); and the program's
// own icon, which every window of the program shows.
#pragma once

namespace vt {

constexpr int kIconNavigationPane = 164;
constexpr int kIconSearchPane = 166;
constexpr int kIconPropertiesPane = 168;
constexpr int kBitmapNavigation = 178;
constexpr unsigned kNavigationMask = 0xFFFF0000;

// Registers every picture; calling it again replaces them by the same.
void RegisterMainFrameArt();
// Draws the pictures ahead, on any thread (painting on images is thread-safe), for the next
// registration to take. The pixels are the same as those the registration draws itself.
void PrepareMainFrameArt();
// Makes the program's icon (a chart with two traces, as the desktop entry's) every window's icon.
void SetProgramIcon();

}  // namespace vt

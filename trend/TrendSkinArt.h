// The built-in look of the trend panel's bitmaps, drawn in code and registered in the bitmap
// registry under their resource ids: the progress overlay's bar fill tile, bar frame and title
// strip, the selection marker of the Y axes with its grey mask, the Y axes' hover frame, label
// and reset buttons, and the zoom gadget's arrows. Images are 24-bit; grey masks are 24-bit
// greys (black shows the image, white the background).
#pragma once

enum TrendBitmapId : int {
  kNgProgressTile = 12143,   // 19 x 7
  kNgProgressFrame = 12144,  // 5 x 13 nine-slice cell
  kNgProgressTitle = 12145,  // 1 x 18 strip
  kNgHoverFrame = 12192,     // 2 cells of 11 x 33: enabled, disabled
  kNgHoverMask = 12193,
  kNgResetButton = 12198,  // 16 x 16
  kNgLabelButton = 12202,  // 2 cells of 16 x 16: labels off, on
  kNgZoomIn = 12208,       // 16 x 8
  kNgZoomOut = 12209,      // 16 x 8
  kNgMarker = 12231,       // 9 x 5
  kNgMarkerMask = 12232,
};

// Draws and registers every trend bitmap (again).
void RegisterTrendSkinArt();

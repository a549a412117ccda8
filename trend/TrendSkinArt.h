// The built-in look of the trend panel's bitmaps, drawn in code and registered in the bitmap
// registry under their resource ids: the progress overlay's bar fill tile, bar frame and title
// strip, the selection marker of the Y axes with its grey mask, the Y axes' hover frame, label
// and reset buttons, the zoom gadget's arrows, and the legend's title bar, mode toggle icons and
// its trees' check and expand cells with their masks. Images are 24-bit; grey masks are 24-bit
// greys (black shows the image, white the background).
#pragma once

enum TrendBitmapId : int {
  kNgProgressTile = 12143,   // 19 x 7
  kNgProgressFrame = 12144,  // 5 x 13 nine-slice cell
  kNgProgressTitle = 12145,  // 1 x 18 strip
  kNgBarThumb = 12150,       // 3 cells of 12 x 12: normal, disabled, pressed
  kNgBarTrack = 12151,       // 3 cells of 12 x 12
  kNgBarArrowFace = 12152,   // 3 cells of 12 x 12
  kNgBarArrowLeft = 12153,   // 3 glyph cells of 8 x 8
  kNgBarArrowRight = 12154,  // 3 glyph cells of 8 x 8
  kNgHoverFrame = 12192,     // 2 cells of 11 x 33: enabled, disabled
  kNgHoverMask = 12193,
  kNgLegendBar = 12197,    // 1 x 20 strip
  kNgResetButton = 12198,  // 16 x 16
  kNgLabelButton = 12202,  // 2 cells of 16 x 16: labels off, on
  kNgLegendIcons = 12203,  // 2 cells of 16 x 16: Y-axis symbol, tag symbol
  kNgCheckCells = 12204,   // 4 cells of 16 x 16: pale tick, tick, and both greyed
  kNgCheckMask = 12205,
  kNgExpandCells = 12206,  // 2 cells of 16 x 16: plus, minus
  kNgExpandMask = 12207,
  kNgZoomIn = 12208,   // 16 x 8
  kNgZoomOut = 12209,  // 16 x 8
  kNgMarker = 12231,   // 9 x 5
  kNgMarkerMask = 12232,
};

// Draws and registers every trend bitmap (again).
void RegisterTrendSkinArt();
// The skin blocks of the time scroll bar's thumb (64 bytes) and of its left and right arrows
// (48 bytes each), naming the bitmaps above.
void TimeBarSkinBlocks(unsigned char thumb[64], unsigned char left[48], unsigned char right[48]);

// Drawing functions that every gadget's Draw uses: bevels and frames, grid lines, bitmaps from
// cell strips (plain, through monochrome masks, blended through grey masks, nine-slice skin
// cells) and colour arithmetic. They draw into any device context, in device pixels, right and
// bottom edges exclusive unless a line is drawn on them, and put back the pen and brush they
// changed.
#pragma once
#include "platform/gui/Color.h"
#include "platform/gui/Geometry.h"
#include "platform/gui/Pen.h"

namespace vt {
class Bitmap;
class DeviceContext;
}  // namespace vt

// ---- frames and lines ----
// n nested one-pixel outlines: left and top in c1, right and bottom in c2.
void DrawBevelLines(vt::DeviceContext* dc, int n, vt::ColorRef c1, vt::ColorRef c2, int l, int t, int r,
                    int b);
void FillBevelRect(vt::DeviceContext* dc, const vt::Rect& rect, int n, vt::ColorRef fill, vt::ColorRef c1,
                   vt::ColorRef c2);
void DrawFrameSides(vt::DeviceContext* dc, int w, vt::ColorRef cl, vt::ColorRef ct, vt::ColorRef cr,
                    vt::ColorRef cb, int l, int t, int r, int b);
void FillFramedRect(vt::DeviceContext* dc, const vt::Rect& rect, int w, vt::ColorRef fill, vt::ColorRef cl,
                    vt::ColorRef ct, vt::ColorRef cr, vt::ColorRef cb);
// A frame too wide for the rectangle fills it whole with the frame colour.
void DrawSolidFrame(vt::DeviceContext* dc, const vt::Rect& rect, int w, int fillInner,
                    vt::ColorRef frameColour, vt::ColorRef innerColour);
// sides: 1 top, 2 bottom, 4 left, 8 right; the lines lie on the given coordinates.
void DrawRectSides(vt::DeviceContext* dc, int sides, vt::ColorRef colour, int l, int t, int r, int b);
void DrawRectEdges(vt::ColorRef colour, int sides, vt::DeviceContext* dc, int l, int t, int r, int b);
void DrawLine(vt::DeviceContext* dc, int width, vt::ColorRef colour, int x1, int y1, int x2, int y2);
void DrawFilledPolygon(vt::DeviceContext* dc, const vt::Point* points, int count, vt::ColorRef fillColour,
                       vt::ColorRef penColour);
// kind 1: one bevel in the second colours of the pairs; kind 2: two bevels; others nothing.
void DrawCellFrame(vt::DeviceContext* dc, const vt::Rect& rect, int kind, vt::ColorRef fill,
                   const vt::ColorRef lightPair[2], const vt::ColorRef darkPair[2]);
void DrawCheckLamp(vt::DeviceContext* dc, const vt::Rect& rect, vt::ColorRef baseColour, int on);
void DrawSmallDots(vt::DeviceContext* dc, vt::ColorRef colour, int x, int y);
void DrawEllipsisDots(vt::DeviceContext* dc, int s, vt::ColorRef colour, int x, int y);
// The arrow button of a drop-down field: grey, raised, with a small triangle pointing down,
// dark when state has the enabled bit (2), grey otherwise.
void DrawComboArrowButton(vt::DeviceContext* dc, int state, int l, int t, int r, int b);
void SetClipRect(vt::DeviceContext* dc, const vt::Rect& rect);

// ---- grid lines (one-pixel pens of the style) ----
void DrawHorizontalGridLines(int l, int t, int r, int b, vt::ColorRef colour, double min, double max,
                             double step, vt::PenStyle penStyle, vt::DeviceContext* dc);
void DrawVerticalGridLines(int l, int t, int r, int b, vt::ColorRef colour, double min, double max,
                           double step, vt::PenStyle penStyle, vt::DeviceContext* dc);
// expMin and expMax: decimal exponents of the values at the bottom and at the top.
void DrawLogGridLines(int l, int t, int r, int b, vt::ColorRef colour, double expMin, double expMax,
                      vt::PenStyle penStyle, vt::DeviceContext* dc);

// ---- bitmaps (a strip holds equal cells side by side) ----
void BlitBitmap(vt::DeviceContext* dc, const vt::Bitmap* bitmap, int srcX, int srcY, int l, int t, int r,
                int b);
// White mask bits mark the image's pixels; the DC's text and background colours are left
// white and black.
void BlitBitmapMasked(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask, int srcX,
                      int srcY, const vt::Rect& dest);
void DrawBitmapCell(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* bitmap, int index,
                    int cellWidth, int cellHeight);
void DrawBitmapCellTransparent(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* image,
                               const vt::Bitmap* mask, int index, int cellWidth, int cellHeight);
void DrawBitmapCentered(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* bitmap);
void StretchBitmap(vt::DeviceContext* dc, const vt::Bitmap* bitmap, int sl, int st, int sr, int sb, int dl,
                   int dt, int dr, int db);
// Blends the image over the destination through a grey mask: black shows the image, white the
// background, values between mix. A one-bit mask is a masked blit.
void BlendBitmap(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask, int srcX, int srcY,
                 const vt::Rect& dest);
void DrawBitmapCellBlended(vt::DeviceContext* dc, const vt::Rect& rect, const vt::Bitmap* image,
                           const vt::Bitmap* mask, int index, int cellWidth, int cellHeight);
void StretchBlendBitmap(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask,
                        const vt::Rect& source, const vt::Rect& dest);
// Corners unscaled, edges stretched along one axis, the centre both ways (image only).
void DrawNineSliceCell(vt::DeviceContext* dc, const vt::Bitmap* image, const vt::Bitmap* mask, int index,
                       int cellWidth, int cellHeight, int leftMargin, int topMargin, int rightMargin,
                       int bottomMargin, const vt::Rect& dest);
// The blend of one pixel by a mask value m (the mean of the mask pixel's channels).
vt::ColorRef BlendPixel(vt::ColorRef background, vt::ColorRef image, int m);

// ---- colours (per channel; the result has 0 in the top byte) ----
struct BevelColors {
  vt::ColorRef highlight;
  vt::ColorRef shadow;
};
BevelColors GetBevelColors(vt::ColorRef c);
vt::ColorRef LightenColor(vt::ColorRef c);
vt::ColorRef AddToColor(vt::ColorRef c, int d);
vt::ColorRef BrightenColor(vt::ColorRef c);
vt::ColorRef DarkenColor(vt::ColorRef c);

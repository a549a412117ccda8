// Device-context rules that layouts depend on, pixel by pixel: fills, lines and their end
// pixels, rectangle edges, clip replacement, the halftone phase, blits with monochrome colour
// mapping, and the focus ring.
#include <gtest/gtest.h>

#include "platform/gui/DeviceContext.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/Path.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/tests/PixelMap.h"

namespace vt {
namespace {

using test::BitmapFromMap;
using test::PixelMap;
using Map = std::vector<std::string>;

constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kBlue = Rgb(0, 0, 255);
constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kBlack = Rgb(0, 0, 0);

// A white 24-bit canvas of w x h selected into a memory context.
struct Canvas {
  Canvas(int w, int h) : bitmap(Bitmap::Create(w, h, 24)) {
    bitmap->Image().fill(0xFFFFFFFFu);
    dc.SelectBitmap(bitmap.get());
  }
  Map Pixels() const { return PixelMap(*bitmap); }
  std::unique_ptr<Bitmap> bitmap;
  MemoryDc dc;
};

TEST(DeviceContextFill, RectanglesExcludeRightAndBottomAndHonourTheClip) {
  struct Case {
    const char* what;
    Rect rect;
    std::optional<Rect> clip;
    ColorRef color;
    Map expected;
  };
  const Case cases[] = {
      {"plain", {1, 1, 4, 3}, {}, kRed, {"......", ".rrr..", ".rrr..", "......"}},
      {"flag byte ignored", {0, 0, 2, 1}, {}, 0x020000FFu, {"rr....", "......", "......", "......"}},
      {"empty", {2, 2, 2, 4}, {}, kRed, {"......", "......", "......", "......"}},
      {"inverted", {4, 3, 1, 1}, {}, kRed, {"......", "......", "......", "......"}},
      {"no colour", {0, 0, 6, 4}, {}, kNoColor, {"......", "......", "......", "......"}},
      {"beyond the surface", {-3, -3, 2, 2}, {}, kBlue, {"bb....", "bb....", "......", "......"}},
      {"clipped", {0, 0, 6, 4}, Rect{2, 1, 5, 3}, kRed, {"......", "..rrr.", "..rrr.", "......"}},
  };
  for (const auto& c : cases) {
    Canvas canvas(6, 4);
    if (c.clip) canvas.dc.SelectClipRect(&*c.clip);
    canvas.dc.FillSolidRect(c.rect, c.color);
    EXPECT_EQ(canvas.Pixels(), c.expected) << c.what;
  }
}

TEST(DeviceContextFill, ClipReplacesThePreviousOneAndNullRemovesIt) {
  Canvas canvas(6, 3);
  const Rect first{0, 0, 3, 3}, second{4, 1, 6, 2};
  canvas.dc.SelectClipRect(&first);
  canvas.dc.SelectClipRect(&second);  // replaces, does not intersect (they do not even meet)
  canvas.dc.FillSolidRect({0, 0, 6, 3}, kRed);
  EXPECT_EQ(canvas.Pixels(), (Map{"......", "....rr", "......"}));
  EXPECT_EQ(canvas.dc.ClipRect(), second);
  canvas.dc.SelectClipRect(nullptr);
  canvas.dc.FillSolidRect({0, 0, 1, 3}, kBlue);
  EXPECT_EQ(canvas.Pixels(), (Map{"b.....", "b...rr", "b....."}));
}

TEST(DeviceContextFill, HalftoneIsAnchoredAtTheDeviceOriginInTextAndBackgroundColours) {
  Canvas whole(6, 4), split(6, 4);
  for (MemoryDc* dc : {&whole.dc, &split.dc}) {
    dc->SetTextColor(kBlack);
    dc->SetBkColor(kRed);
  }
  whole.dc.FillRect({0, 0, 6, 4}, HalftoneBrush());
  split.dc.FillRect({0, 0, 3, 4}, HalftoneBrush());
  split.dc.FillRect({3, 0, 6, 1}, HalftoneBrush());
  split.dc.FillRect({3, 1, 6, 4}, HalftoneBrush());
  EXPECT_EQ(whole.Pixels(), (Map{"#r#r#r", "r#r#r#", "#r#r#r", "r#r#r#"}));
  EXPECT_EQ(split.Pixels(), whole.Pixels());
}

TEST(DeviceContextLines, LineToLeavesOutTheEndPixel) {
  struct Case {
    Point from, to;
    Map expected;
  };
  const Case cases[] = {
      {{1, 1}, {4, 1}, {"......", ".rrr..", "......", "......"}},  // rightwards
      {{4, 2}, {1, 2}, {"......", "......", "..rrr.", "......"}},  // leftwards: starts at 4, stops before 1
      {{0, 0}, {0, 3}, {"r.....", "r.....", "r.....", "......"}},  // downwards
      {{5, 3}, {5, 0}, {"......", ".....r", ".....r", ".....r"}},  // upwards
      {{2, 2}, {2, 2}, {"......", "......", "......", "......"}},  // zero length draws nothing
  };
  for (const auto& c : cases) {
    Canvas canvas(6, 4);
    canvas.dc.SelectPen(SolidPen(kRed));
    canvas.dc.MoveTo(c.from.x, c.from.y);
    canvas.dc.LineTo(c.to.x, c.to.y);
    EXPECT_EQ(canvas.Pixels(), c.expected)
        << c.from.x << "," << c.from.y << " -> " << c.to.x << "," << c.to.y;
    EXPECT_EQ(canvas.dc.CurrentPosition(), c.to);
  }
}

TEST(DeviceContextLines, SlantedLinesLeaveOutTheEndPixelInEveryDirection) {
  struct Case {
    const char* what;
    Pen pen;
    Point from, to;
    Map expected;
  };
  const Pen solid = SolidPen(kRed), dot{PenStyle::Dot, 1, kRed};
  const Case cases[] = {
      {"down right", solid, {0, 0}, {3, 3}, {"r....", ".r...", "..r..", ".....", "....."}},
      {"up left", solid, {3, 3}, {0, 0}, {".....", ".r...", "..r..", "...r.", "....."}},
      {"down left", solid, {4, 0}, {1, 3}, {"....r", "...r.", "..r..", ".....", "....."}},
      {"up right", solid, {0, 4}, {4, 0}, {".....", "...r.", "..r..", ".r...", "r...."}},
      // Off-scale values arrive as points far outside; only the visible part is drawn.
      {"far off", solid, {1, 3}, {40001, -39997}, {"....r", "...r.", "..r..", ".r...", "....."}},
      {"steep far off", solid, {2, 4}, {3, -60000}, {"..r..", "..r..", "..r..", "..r..", "..r.."}},
      // A styled line starts its pattern at its first point whichever way it runs.
      {"dotted leftwards", dot, {4, 2}, {0, 2}, {".....", ".....", "..rrr", ".....", "....."}},
  };
  for (const auto& c : cases) {
    Canvas canvas(5, 5);
    canvas.dc.SelectPen(c.pen);
    canvas.dc.MoveTo(c.from.x, c.from.y);
    canvas.dc.LineTo(c.to.x, c.to.y);
    EXPECT_EQ(canvas.Pixels(), c.expected) << c.what;
  }

  // A steep trace through a peak: every vertex but the last is drawn, and no pixel twice.
  Canvas canvas(9, 9);
  canvas.dc.SelectPen(SolidPen(kBlue));
  const Point trace[] = {{0, 8}, {4, 0}, {8, 8}};
  canvas.dc.Polyline(trace, 3);
  const Map pixels = canvas.Pixels();
  EXPECT_EQ(pixels[8][0], 'b');
  EXPECT_EQ(pixels[0][4], 'b');
  EXPECT_EQ(pixels[8][8], '.');
  int drawn = 0;
  for (const auto& row : pixels) drawn += int(std::count(row.begin(), row.end(), 'b'));
  EXPECT_EQ(drawn, 16);
}

TEST(DeviceContextLines, BevelCornersGoToTheColourThatDrawsThemFirst) {
  // Two bevel lines on (0, 0, 6, 5): up and right in black, then down and left in red. The
  // top-left and bottom-left corners go to black, the other two to red.
  Canvas canvas(6, 5);
  for (int i = 0; i < 2; ++i) {
    const int l = i, t = i, r = 6 - i, b = 5 - i;
    canvas.dc.SelectPen(SolidPen(kBlack));
    canvas.dc.MoveTo(l, b - 1);
    canvas.dc.LineTo(l, t);
    canvas.dc.LineTo(r - 1, t);
    canvas.dc.SelectPen(SolidPen(kRed));
    canvas.dc.LineTo(r - 1, b - 1);
    canvas.dc.LineTo(l, b - 1);
  }
  EXPECT_EQ(canvas.Pixels(), (Map{"#####r", "####rr", "##..rr", "##rrrr", "#rrrrr"}));
}

TEST(DeviceContextLines, PolylineJoinsWithoutGapsAndKeepsThePosition) {
  Canvas canvas(5, 4);
  canvas.dc.SelectPen(SolidPen(kBlue));
  canvas.dc.MoveTo(4, 3);
  const Point points[] = {{0, 0}, {3, 0}, {3, 3}, {1, 3}};
  canvas.dc.Polyline(points, 4);
  EXPECT_EQ(canvas.Pixels(), (Map{"bbbb.", "...b.", "...b.", "..bb."}));
  EXPECT_EQ(canvas.dc.CurrentPosition(), (Point{4, 3}));
}

TEST(DeviceContextShapes, RectangleEdgesAndFill) {
  struct Case {
    const char* what;
    Pen pen;
    Brush brush;
    Map expected;
  };
  const Case cases[] = {
      {"pen and brush",
       SolidPen(kBlack),
       SolidBrush(kRed),
       {"......", ".####.", ".#rr#.", ".####.", "......"}},
      {"null brush", SolidPen(kBlack), NullBrush(), {"......", ".####.", ".#..#.", ".####.", "......"}},
      {"null pen", NullPen(), SolidBrush(kRed), {"......", ".rrr..", ".rrr..", "......", "......"}},
  };
  for (const auto& c : cases) {
    Canvas canvas(6, 5);
    canvas.dc.SelectPen(c.pen);
    canvas.dc.SelectBrush(c.brush);
    canvas.dc.Rectangle({1, 1, 5, 4});
    EXPECT_EQ(canvas.Pixels(), c.expected) << c.what;
  }
}

TEST(DeviceContextShapes, PolygonInteriorTakesTheBrush) {
  Canvas canvas(20, 20);
  canvas.dc.SelectPen(SolidPen(kBlack));
  canvas.dc.SelectBrush(SolidBrush(kRed));
  const Point triangle[] = {{2, 2}, {17, 2}, {10, 17}};
  canvas.dc.Polygon(triangle, 3);
  EXPECT_EQ(canvas.dc.GetPixel(10, 6), kRed);
  EXPECT_EQ(canvas.dc.GetPixel(1, 18), kWhite);
}

TEST(DeviceContextBlit, MaskThenImageWithWhiteTextAndBlackBackground) {
  // White mask bits mark the image's pixels; the image is black where the mask is black.
  auto mask = BitmapFromMap({".##.", "...."}, 1);
  auto image = BitmapFromMap({"r##g", "bbyy"}, 24);
  Canvas canvas(6, 3);
  canvas.dc.FillSolidRect({0, 0, 6, 3}, Rgb(0, 255, 255));
  canvas.dc.SetTextColor(0x02FFFFFF);
  canvas.dc.SetBkColor(0x02000000);
  EXPECT_TRUE(canvas.dc.BitBlt(1, 1, 4, 2, *mask, 0, 0, RasterOp::SrcAnd));
  EXPECT_EQ(canvas.Pixels(), (Map{"cccccc", "c#cc#c", "c####c"}));
  EXPECT_TRUE(canvas.dc.BitBlt(1, 1, 4, 2, *image, 0, 0, RasterOp::SrcInvert));
  EXPECT_EQ(canvas.Pixels(), (Map{"cccccc", "crccgc", "cbbyyc"}));
}

TEST(DeviceContextBlit, MonochromeMappingBothWays) {
  // One bit to colour: 0 bits take the destination's text colour, 1 bits its background colour.
  auto mono = BitmapFromMap({"#.", ".#"}, 1);
  Canvas colour(2, 2);
  colour.dc.SetTextColor(kRed);
  colour.dc.SetBkColor(kBlue);
  colour.dc.BitBlt(0, 0, 2, 2, *mono, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(colour.Pixels(), (Map{"rb", "br"}));

  // Colour to one bit: pixels in the source context's background colour become white.
  auto source = BitmapFromMap({"rgb", "bbr"}, 24);
  MemoryDc sourceDc;
  sourceDc.SelectBitmap(source.get());
  sourceDc.SetBkColor(kBlue);
  auto target = Bitmap::Create(3, 2, 1);
  MemoryDc targetDc;
  targetDc.SelectBitmap(target.get());
  EXPECT_TRUE(targetDc.BitBlt(0, 0, 3, 2, sourceDc, 0, 0, RasterOp::SrcCopy));
  EXPECT_EQ(PixelMap(*target), (Map{"##.", "..#"}));
  EXPECT_EQ(target->BitsPerPixel(), 1);
}

TEST(DeviceContextBlit, CopiesHonourTheDestinationClipAndSourceBounds) {
  auto source = BitmapFromMap({"rrr", "rrr", "rrr"}, 24);
  Canvas canvas(5, 4);
  const Rect clip{0, 0, 5, 2};
  canvas.dc.SelectClipRect(&clip);
  canvas.dc.BitBlt(2, 0, 4, 4, *source, 0, 0, RasterOp::SrcCopy);  // source is only 3 x 3
  EXPECT_EQ(canvas.Pixels(), (Map{"..rrr", "..rrr", ".....", "....."}));
  MemoryDc empty;
  EXPECT_FALSE(canvas.dc.BitBlt(0, 0, 1, 1, empty, 0, 0, RasterOp::SrcCopy));
}

TEST(DeviceContextBlit, OverlappingMovesWithinOneSurfaceAndTheOtherRops) {
  // Scrolling: a copy within one bitmap reads the source before it is overwritten.
  auto strip = BitmapFromMap({"rgby.."}, 24);
  MemoryDc dc;
  dc.SelectBitmap(strip.get());
  dc.BitBlt(1, 0, 4, 1, dc, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(PixelMap(*strip), (Map{"rrgby."}));
  dc.BitBlt(0, 0, 4, 1, dc, 1, 0, RasterOp::SrcCopy);
  EXPECT_EQ(PixelMap(*strip), (Map{"rgbyy."}));

  // OR and XOR on colours, and one-bit destinations combining bits.
  auto source = BitmapFromMap({"rg"}, 24);
  Canvas canvas(2, 1);
  canvas.dc.FillSolidRect({0, 0, 2, 1}, kBlue);
  canvas.dc.BitBlt(0, 0, 2, 1, *source, 0, 0, RasterOp::SrcPaint);
  EXPECT_EQ(canvas.Pixels(), (Map{"mc"}));
  canvas.dc.BitBlt(0, 0, 2, 1, *source, 0, 0, RasterOp::SrcInvert);
  EXPECT_EQ(canvas.Pixels(), (Map{"bb"}));
  auto maskA = BitmapFromMap({"..##"}, 1), maskB = BitmapFromMap({".#.#"}, 1);
  MemoryDc monoDc;
  monoDc.SelectBitmap(maskA.get());
  monoDc.BitBlt(0, 0, 4, 1, *maskB, 0, 0, RasterOp::SrcInvert);
  EXPECT_EQ(PixelMap(*maskA), (Map{"#..#"}));
  monoDc.FillSolidRect({0, 0, 2, 1}, Rgb(200, 200, 200));  // light colours become white bits
  EXPECT_EQ(PixelMap(*maskA), (Map{"...#"}));
}

TEST(DeviceContextBlit, StretchOfEqualSizeIsAnExactCopy) {
  auto source = BitmapFromMap({"rg", "by"}, 24);
  Canvas canvas(3, 3);
  canvas.dc.SetStretchBltMode(StretchMode::Halftone);
  canvas.dc.StretchBlt(1, 1, 2, 2, *source, 0, 0, 2, 2, RasterOp::SrcCopy);
  EXPECT_EQ(canvas.Pixels(), (Map{"...", ".rg", ".by"}));
  canvas.dc.StretchBlt(0, 0, 3, 3, *source, 0, 0, 1, 1, RasterOp::SrcCopy);  // a scaled single pixel
  EXPECT_EQ(canvas.Pixels(), (Map{"rrr", "rrr", "rrr"}));
  // A one-bit source is mapped through the destination's colours before it is scaled.
  auto mono = BitmapFromMap({"#."}, 1);
  canvas.dc.SetTextColor(kBlue);
  canvas.dc.SetBkColor(Rgb(0, 255, 0));
  canvas.dc.SetStretchBltMode(StretchMode::ColorOnColor);
  canvas.dc.StretchBlt(0, 0, 2, 3, *mono, 0, 0, 2, 1, RasterOp::SrcCopy);
  EXPECT_EQ(canvas.Pixels(), (Map{"bgr", "bgr", "bgr"}));
  // A source or destination too large to scale in memory is a failure, not a crash.
  EXPECT_FALSE(canvas.dc.StretchBlt(0, 0, 2, 2, *source, 0, 0, 1 << 30, 1 << 30, RasterOp::SrcCopy));
  EXPECT_FALSE(canvas.dc.StretchBlt(0, 0, 1 << 30, 1 << 30, *source, 0, 0, 1, 1, RasterOp::SrcCopy));
  EXPECT_EQ(canvas.Pixels(), (Map{"bgr", "bgr", "bgr"}));
}

TEST(DeviceContextBlit, RecordingContextSeesEveryBlitThroughTheBaseInterface) {
  // Drawing code holds a plain DeviceContext&; blits from bitmaps must be recorded as well.
  RecordingDc recording(6, 4);
  DeviceContext& dc = recording;
  auto mask = BitmapFromMap({"..", ".."}, 1);
  auto image = BitmapFromMap({"r"}, 24);
  dc.BitBlt(1, 1, 2, 2, *mask, 0, 0, RasterOp::SrcAnd);
  dc.StretchBlt(3, 0, 3, 2, *image, 0, 0, 1, 1, RasterOp::SrcCopy);
  MemoryDc source;
  source.SelectBitmap(image.get());
  dc.BitBlt(0, 3, 1, 1, source, 0, 0, RasterOp::SrcCopy);
  const auto& records = recording.Records();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].op, DcOp::BitBlt);
  EXPECT_EQ(records[0].rect, (Rect{1, 1, 3, 3}));
  EXPECT_EQ(records[0].rop, RasterOp::SrcAnd);
  EXPECT_EQ(records[0].sourceBitsPerPixel, 1);
  EXPECT_EQ(records[1].op, DcOp::StretchBlt);
  EXPECT_EQ(records[1].points, (std::vector<Point>{{0, 0}, {1, 1}}));
  EXPECT_EQ(records[1].sourceBitsPerPixel, 24);
  EXPECT_EQ(records[2].sourceBitsPerPixel, 0);
  EXPECT_EQ(PixelMap(recording.Pixels()), (Map{"...rrr", "...rrr", "......", "r....."}));
}

TEST(DeviceContextFocus, FocusRingIsErasedByCopyingTheBackBuffer) {
  Canvas back(6, 5), window(6, 5);
  back.dc.FillSolidRect({0, 0, 6, 5}, kRed);
  window.dc.BitBlt(0, 0, 6, 5, back.dc, 0, 0, RasterOp::SrcCopy);
  window.dc.DrawFocusRect({0, 0, 6, 5});
  // Every other pixel of the ring is inverted (red -> cyan); the inside is untouched.
  EXPECT_EQ(window.Pixels(), (Map{"crcrcr", "rrrrrc", "crrrrr", "rrrrrc", "crcrcr"}));
  // Three nested rings make a drag outline; a copy from the back buffer removes all of it.
  window.dc.DrawFocusRect({1, 1, 5, 4});
  window.dc.BitBlt(0, 0, 6, 5, back.dc, 0, 0, RasterOp::SrcCopy);
  EXPECT_EQ(window.Pixels(), back.Pixels());
  // Drawn twice, the ring erases itself.
  window.dc.DrawFocusRect({1, 1, 5, 4});
  window.dc.DrawFocusRect({1, 1, 5, 4});
  EXPECT_EQ(window.Pixels(), back.Pixels());
}

TEST(DeviceContextState, SettersReturnThePreviousValueAndDeviceCapsFollowTheBitmap) {
  Canvas canvas(300, 200);
  EXPECT_EQ(canvas.dc.SetTextColor(kRed), kBlack);
  EXPECT_EQ(canvas.dc.SetTextColor(kBlue), kRed);
  EXPECT_EQ(canvas.dc.SetBkMode(BkMode::Transparent), BkMode::Opaque);
  EXPECT_EQ(canvas.dc.SetTextAlign(kTaRight | kTaBottom), kTaLeft | kTaTop);
  EXPECT_EQ(canvas.dc.SelectPen(SolidPen(kRed, 3)), SolidPen(kBlack));
  EXPECT_EQ(canvas.dc.GetDeviceCaps(DeviceCap::HorzRes), 300);
  EXPECT_EQ(canvas.dc.GetDeviceCaps(DeviceCap::VertRes), 200);
  EXPECT_EQ(canvas.dc.GetDeviceCaps(DeviceCap::LogPixelsY), 96);
  EXPECT_EQ(canvas.dc.GetDeviceCaps(DeviceCap::HorzSize), 79);  // 300 px at 96 dpi
  EXPECT_EQ(canvas.dc.GetDeviceCaps(DeviceCap::BitsPixel), 24);
}

// Bitmaps and paths keep their Qt objects behind a pointer; a copy must own its own.
TEST(DrawingObjects, CopiesAreIndependentOfTheirOriginal) {
  for (int depth : {1, 24}) {
    auto original = Bitmap::Create(3, 2, depth);
    original->SetPixel(0, 0, kWhite);
    Bitmap copy(*original);
    copy.SetPixel(1, 1, kWhite);
    Bitmap assigned = *Bitmap::Create(1, 1, 32);
    assigned = *original;
    original->SetPixel(2, 0, kWhite);
    EXPECT_EQ(PixelMap(copy), (Map{".##", "#.#"})) << depth;
    EXPECT_EQ(PixelMap(assigned), (Map{".##", "###"})) << depth;
    EXPECT_EQ(assigned.BitsPerPixel(), depth);
    EXPECT_EQ(assigned.Dimensions(), (Size{3, 2}));
  }

  Path original;
  original.AddRectangle({1, 1, 4, 4});
  Path copy(original);
  Path assigned;
  assigned = original;
  original.AddRectangle({6, 6, 9, 9});
  EXPECT_TRUE(Path(Path()).IsEmpty());
  for (const Path* path : {&copy, &assigned}) {
    Canvas canvas(10, 10);
    canvas.dc.FillPath(*path, ArgbFrom(255, kRed));
    EXPECT_EQ(canvas.bitmap->GetPixel(2, 2), kRed);
    EXPECT_EQ(canvas.bitmap->GetPixel(7, 7), kWhite);
  }
}

}  // namespace
}  // namespace vt

// Text placement: the cell height is |lfHeight| whatever font stands behind it, widths come
// from the installed measurer, and the alignment picks the reference point on the cell. The
// cells are made visible by an opaque background and measured in pixels; the texts are blanks,
// so no glyph pixel enters the result.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "platform/gui/Font.h"
#include "platform/gui/RecordingDc.h"
#include "platform/gui/qt/QtFont.h"
#include "platform/gui/testing/FixedTextMeasurer.h"

namespace vt {
namespace {

constexpr ColorRef kBlue = Rgb(0, 0, 255);

// Bounding box of the blue pixels.
Rect BlueBox(const Bitmap& bitmap) {
  Rect box{bitmap.Width(), bitmap.Height(), 0, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.GetPixel(x, y) == kBlue) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
  return box;
}

TEST(FontMetrics, CellHeightIsTheAbsoluteRequestedHeight) {
  const struct {
    int32_t lfHeight, tmHeight;
  } cases[] = {{12, 12}, {-12, 12}, {14, 14}, {20, 20}, {-33, 33}, {0, 16}};
  for (const auto& c : cases) {
    for (int weight : {400, 700}) {
      auto font = Font::Create(MakeLogFont("Arial", c.lfHeight, weight));
      ASSERT_TRUE(font);
      const TextMetrics& m = font->Metrics();
      EXPECT_EQ(m.height, c.tmHeight) << c.lfHeight;
      EXPECT_EQ(m.ascent + m.descent, m.height);
      EXPECT_GT(m.descent, 0);
      EXPECT_LE(QtFontOf(*font).pixelSize(), c.tmHeight);
    }
  }
  EXPECT_EQ(ResolveFontFamily("Arial"), QStringLiteral("Liberation Sans"));
  EXPECT_FALSE(Font::Create(MakeLogFont("Arial", 100000)));
}

// The pixel size is the largest whose real cell fits, for a font made the first time and for one
// made again alike after others (the search's answer is kept per description and cell).
TEST(FontMetrics, PixelSizeIsTheLargestThatFitsTheCellEachTimeAFontIsMade) {
  const struct {
    const char* face;
    int32_t lfHeight, weight;
    bool italic;
  } cases[] = {{"Arial", -12, 400, false},
               {"Arial", -20, 400, false},
               {"Arial", -12, 700, false},
               {"Arial", -12, 400, true},
               {"DejaVu Sans", -12, 400, false}};
  const auto fits = [](QFont q, int pixels, int cell) {
    q.setPixelSize(pixels);
    const QFontMetrics fm(q);
    return fm.ascent() + fm.descent() <= cell;
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.lfHeight) + " round " +
                   std::to_string(round));
      auto font = Font::Create(MakeLogFont(c.face, c.lfHeight, c.weight, c.italic));
      ASSERT_TRUE(font);
      const QFont& q = QtFontOf(*font);
      const int cell = -c.lfHeight;
      EXPECT_TRUE(fits(q, q.pixelSize(), cell));
      if (q.pixelSize() < cell) {
        EXPECT_FALSE(fits(q, q.pixelSize() + 1, cell));
      }
      EXPECT_EQ(q.bold(), c.weight >= 700);
      EXPECT_EQ(q.italic(), c.italic);
    }
  }
}

TEST(TextPlacement, AlignmentPicksTheReferencePointOnTheCell) {
  ScopedTextMeasurer measurer(std::make_shared<FixedTextMeasurer>(7));
  auto font = Font::Create(MakeLogFont("Arial", 14));
  const int32_t ascent = font->Metrics().ascent;
  const struct {
    uint32_t align;
    Rect cell;  // for "    " (4 x 7 = 28 wide, 14 high) at (40, 30)
  } cases[] = {
      {kTaLeft | kTaTop, {40, 30, 68, 44}},
      {kTaRight | kTaTop, {12, 30, 40, 44}},
      {kTaCenter | kTaTop, {26, 30, 54, 44}},
      {kTaLeft | kTaBottom, {40, 16, 68, 30}},
      {kTaRight | kTaBottom, {12, 16, 40, 30}},
      {kTaCenter | kTaBottom, {26, 16, 54, 30}},
      {kTaLeft | kTaBaseline, {40, 30 - ascent, 68, 44 - ascent}},
  };
  for (const auto& c : cases) {
    RecordingDc dc(100, 60);
    dc.SelectFont(font.get());
    dc.SetBkColor(kBlue);
    dc.SetTextAlign(c.align);
    EXPECT_EQ(dc.GetTextExtent("    "), (Size{28, 14}));
    dc.TextOut(40, 30, "    ");
    EXPECT_EQ(BlueBox(dc.Pixels()), c.cell) << "align " << c.align;
  }
}

TEST(TextPlacement, EscapementRotatesTheCellAroundTheReferencePoint) {
  ScopedTextMeasurer measurer(std::make_shared<FixedTextMeasurer>(5));
  auto up = Font::Create(MakeLogFont("Arial", 12, 400, false, false, 900));
  RecordingDc dc(60, 60);
  dc.SelectFont(up.get());
  dc.SetBkColor(kBlue);
  dc.TextOut(20, 40, "    ");  // 20 wide along the text, 12 across: reads bottom to top
  EXPECT_EQ(BlueBox(dc.Pixels()), (Rect{20, 20, 32, 40}));
  const auto texts = dc.RecordsOf(DcOp::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].escapement, 900);
  EXPECT_EQ(texts[0].fontHeight, 12);
  EXPECT_EQ(texts[0].points[0], (Point{20, 40}));
}

TEST(TextPlacement, TransparentModeLeavesTheBackgroundAndStateIsRecorded) {
  ScopedTextMeasurer measurer(std::make_shared<FixedTextMeasurer>(6));
  RecordingDc dc(50, 30);
  dc.SetBkColor(kBlue);
  dc.SetBkMode(BkMode::Transparent);
  dc.SetTextColor(Rgb(255, 0, 0));
  dc.SetTextAlign(kTaRight | kTaBottom);
  dc.TextOut(45, 25, "  ");
  EXPECT_EQ(BlueBox(dc.Pixels()), (Rect{50, 30, 0, 0}));  // nothing blue
  const auto texts = dc.RecordsOf(DcOp::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].textAlign, kTaRight | kTaBottom);
  EXPECT_EQ(texts[0].color, Rgb(255, 0, 0));
  EXPECT_EQ(texts[0].bkMode, BkMode::Transparent);
  EXPECT_EQ(dc.GetTextExtent("héllo").cx, 30);  // characters, not bytes
}

}  // namespace
}  // namespace vt

// Tests of the drawing and text functions: bevel and frame pixels, grid line positions,
// colour arithmetic, the blend thresholds, nine-slice pieces, text placement and fitting,
// and the number texts.
#include <gtest/gtest.h>

#include "gadget/GDraw.h"
#include "gadget/GText.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/Font.h"
#include "platform/gui/RecordingDc.h"

namespace gadget_test {
namespace {

using DrawTest = GadgetEnv;
constexpr vt::ColorRef kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

std::vector<int> HorizontalLineRows(const vt::RecordingDc& dc) {
  std::vector<int> rows;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::LineTo))
    if (r.points[0].y == r.points[1].y) rows.push_back(r.points[0].y);
  return rows;
}

TEST_F(DrawTest, BevelLinesOwnTheirCornersAndNestInwards) {
  vt::RecordingDc dc(12, 12);
  DrawBevelLines(&dc, 2, kRed, kBlue, 0, 0, 10, 10);
  const vt::ColorRef none = kWhite;
  struct Case {
    int x, y;
    vt::ColorRef c;
  };
  const Case cases[] = {{0, 5, kRed},  {5, 0, kRed},  {0, 0, kRed},  {9, 5, kBlue}, {5, 9, kBlue},
                        {9, 0, kBlue}, {0, 9, kRed},  {9, 9, kBlue}, {1, 5, kRed},  {8, 5, kBlue},
                        {5, 1, kRed},  {5, 8, kBlue}, {2, 5, none},  {10, 5, none}, {5, 10, none}};
  for (const Case& c : cases) EXPECT_EQ(dc.GetPixel(c.x, c.y), c.c) << c.x << "," << c.y;
  EXPECT_EQ(dc.CurrentPen(), vt::Pen{});  // the caller's pen is back
}

TEST_F(DrawTest, FramesAreStripsAndATooWideFrameFillsTheWhole) {
  vt::RecordingDc dc(30, 30);
  DrawSolidFrame(&dc, {0, 0, 20, 10}, 5, 1, kRed, kBlue);
  for (int x : {0, 10, 19}) EXPECT_EQ(dc.GetPixel(x, 5), kRed);
  DrawSolidFrame(&dc, {0, 12, 20, 30}, 2, 1, kRed, kBlue);
  EXPECT_EQ(dc.GetPixel(1, 20), kRed);
  EXPECT_EQ(dc.GetPixel(2, 20), kBlue);
  EXPECT_EQ(dc.GetPixel(10, 28), kRed);
  dc.FillSolidRect({0, 0, 30, 30}, kWhite);
  DrawFrameSides(&dc, 2, kRed, kBlue, 0x00FF00, 0x00FFFF, 0, 0, 10, 10);
  EXPECT_EQ(dc.GetPixel(0, 0), kRed);       // left strip owns the top left corner
  EXPECT_EQ(dc.GetPixel(9, 0), 0x00FF00u);  // right strip the top right one
  EXPECT_EQ(dc.GetPixel(0, 9), 0x00FFFFu);  // bottom strip both lower corners
  EXPECT_EQ(dc.GetPixel(5, 1), kBlue);
  EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
  DrawFrameSides(&dc, 0, kRed, kRed, kRed, kRed, 0, 0, 10, 10);  // no width, nothing
  EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
}

TEST_F(DrawTest, GridLinesLieAtTheScaledValuesInsideTheRectangle) {
  vt::RecordingDc dc(120, 120);
  DrawHorizontalGridLines(0, 10, 100, 110, 0, 0, 100, 25, vt::PenStyle::Solid, &dc);
  EXPECT_EQ(HorizontalLineRows(dc), (std::vector<int>{110, 85, 60, 35, 10}));
  dc.Clear();
  DrawHorizontalGridLines(0, 0, 100, 100, 0, 10, 60, 20, vt::PenStyle::Dot, &dc);  // starts below min
  EXPECT_EQ(HorizontalLineRows(dc), (std::vector<int>{80, 40, 0}));                // 20, 40, 60
  dc.Clear();
  DrawVerticalGridLines(0, 0, 100, 10, 0, 0, 50, 10, vt::PenStyle::Solid, &dc);
  std::vector<int> columns;
  for (const vt::DcRecord& r : dc.RecordsOf(vt::DcOp::LineTo)) columns.push_back(r.points[0].x);
  EXPECT_EQ(columns, (std::vector<int>{0, 20, 40, 60, 80, 100}));
  dc.Clear();
  DrawLogGridLines(0, 0, 10, 100, 0, 0, 1, vt::PenStyle::Solid, &dc);  // one decade
  const std::vector<int> rows = HorizontalLineRows(dc);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front(), 100);  // 1 at the bottom
  EXPECT_EQ(rows[1], 70);        // log10(2) = 0.301
  EXPECT_EQ(rows.back(), 0);     // 10 at the top
}

TEST_F(DrawTest, ColourArithmeticPerChannel) {
  struct Case {
    vt::ColorRef in, highlight, shadow, lighten, brighten, darken;
  };
  const Case cases[] = {
      {0x808080, 0xBFBFBF, 0x404040, 0xE2E2E2, 0xA0A0A0, 0x666666},
      {0xFFFFFF, 0xFFFFFF, 0x808080, 0xFFFFFF, 0xFFFFFF, 0xCCCCCC},
      {0x02C0C0C0, 0xFFFFFF, 0x808080, 0xFFFFFF, 0xF0F0F0, 0x999999},
      {0x000000, 0x3F3F3F, 0x000000, 0x626262, 0x000000, 0x000000},
  };
  for (const Case& c : cases) {
    const BevelColors b = GetBevelColors(c.in);
    EXPECT_EQ(b.highlight, c.highlight) << std::hex << c.in;
    EXPECT_EQ(b.shadow, c.shadow) << std::hex << c.in;
    EXPECT_EQ(LightenColor(c.in), c.lighten) << std::hex << c.in;
    EXPECT_EQ(BrightenColor(c.in), c.brighten) << std::hex << c.in;
    EXPECT_EQ(DarkenColor(c.in), c.darken) << std::hex << c.in;
  }
  EXPECT_EQ(AddToColor(0x10F080, 32), 0x30FFA0u);
  EXPECT_EQ(AddToColor(0x10F080, -32), 0x00D060u);
}

TEST_F(DrawTest, BlendingThroughAGreyMaskByItsThresholds) {
  auto image = vt::Bitmap::Create(5, 1, 24);
  auto mask = vt::Bitmap::Create(5, 1, 24);
  const int greys[] = {0, 8, 128, 249, 255};
  for (int x = 0; x < 5; ++x) {
    image->SetPixel(x, 0, 0x0000FF);
    mask->SetPixel(x, 0, vt::Rgb(uint8_t(greys[x]), uint8_t(greys[x]), uint8_t(greys[x])));
  }
  vt::RecordingDc dc(10, 3);
  dc.FillSolidRect({0, 0, 10, 3}, 0xFF0000);
  BlendBitmap(&dc, image.get(), mask.get(), 0, 0, {2, 1, 7, 2});
  EXPECT_EQ(dc.GetPixel(2, 1), 0x0000FFu);             // black: the image
  EXPECT_EQ(dc.GetPixel(3, 1), 0x0000FFu);             // up to 8 still the image
  EXPECT_EQ(dc.GetPixel(4, 1), vt::Rgb(126, 0, 127));  // 128: (bg x 128 + image x 127) / 256
  EXPECT_EQ(dc.GetPixel(5, 1), 0xFF0000u);             // above 248: the background
  EXPECT_EQ(dc.GetPixel(6, 1), 0xFF0000u);
  EXPECT_EQ(dc.GetPixel(7, 1), 0xFF0000u);  // outside the destination
  // A one-bit mask is a masked blit: white bits show the image, black ones the background.
  auto mono = vt::Bitmap::Create(2, 1, 1);
  mono->SetPixel(0, 0, 0xFFFFFF);
  auto dark = vt::Bitmap::Create(2, 1, 24);
  dark->SetPixel(0, 0, 0x00FF00);
  BlendBitmap(&dc, dark.get(), mono.get(), 0, 0, {0, 2, 2, 3});
  EXPECT_EQ(dc.GetPixel(0, 2), 0x00FF00u);
  EXPECT_EQ(dc.GetPixel(1, 2), 0xFF0000u);
  EXPECT_EQ(BlendPixel(0x000000, 0xFFFFFF, 128), vt::Rgb(126, 126, 126));
}

TEST_F(DrawTest, NineSliceKeepsCornersAndStretchesEdgesAndCentre) {
  // A 6 x 6 cell with 2-pixel margins: corners red, edges green, centre blue; the mask is black.
  auto image = vt::Bitmap::Create(12, 6, 24);
  auto mask = vt::Bitmap::Create(12, 6, 24);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool edgeX = x < 2 || x >= 4, edgeY = y < 2 || y >= 4;
      image->SetPixel(x + 6, y, edgeX && edgeY ? kRed : (edgeX || edgeY) ? 0x00FF00 : kBlue);
    }
  vt::RecordingDc dc(40, 40);
  DrawNineSliceCell(&dc, image.get(), mask.get(), 1, 6, 6, 2, 2, 2, 2, {5, 5, 35, 25});
  const struct {
    int x, y;
    vt::ColorRef c;
  } cases[] = {{5, 5, kRed},      {6, 6, kRed},      {34, 5, kRed},      {34, 24, kRed},     {5, 24, kRed},
               {20, 5, 0x00FF00}, {5, 15, 0x00FF00}, {34, 15, 0x00FF00}, {20, 24, 0x00FF00}, {20, 15, kBlue},
               {8, 8, kBlue},     {4, 4, kWhite},    {35, 25, kWhite}};
  for (const auto& c : cases) EXPECT_EQ(dc.GetPixel(c.x, c.y), c.c) << c.x << "," << c.y;
}

TEST_F(DrawTest, TextIsPlacedByAlignmentAndCellHeight) {
  CGFont* font = GetSharedFont(14, 0, 0);
  ASSERT_NE(font, nullptr);
  vt::RecordingDc dc(200, 100);
  const vt::Font* before = &dc.CurrentFont();
  DrawTextInRect({10, 20, 110, 60}, kAlignRight, 3, 1, kRed, font->GetFont(), "abc", 4, &dc);
  DrawAlignedText(&dc, {10, 20, 110, 60}, kAlignCenter, kBlue, font->GetFont(), "mid");
  DrawAlignedText(&dc, {10, 20, 110, 60}, kAlignLeft, kBlue, font->GetFont(), "");  // nothing
  DrawVerticalText(&dc, {0, 0, 20, 80}, kAlignLeft, 900, kRed, font->GetFont(), "up");
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].points[0], (vt::Point{109, 34}));  // right edge less margin + dx; 1 + 40 - 7
  EXPECT_EQ(texts[0].textAlign, uint32_t(vt::kTaRight));
  EXPECT_EQ(texts[0].color, kRed);
  EXPECT_EQ(texts[0].bkMode, vt::BkMode::Transparent);
  EXPECT_EQ(texts[0].fontHeight, 14);
  EXPECT_EQ(texts[1].points[0], (vt::Point{60, 33}));
  EXPECT_EQ(texts[1].textAlign, uint32_t(vt::kTaCenter));
  EXPECT_EQ(texts[2].points[0], (vt::Point{3, 80}));  // upwards from the bottom, 10 - 7
  EXPECT_EQ(&dc.CurrentFont(), before);               // the previous font is back
}

TEST_F(DrawTest, FittingKeepsWholeCharactersOnly) {
  CGFont* font = GetSharedFont(14, 0, 0);
  vt::RecordingDc dc(10, 10);
  struct Case {
    const char* text;
    int width;
    const char* kept;
    int extent;
  };
  // The test measurer advances 7 pixels per character.
  const Case cases[] = {{"abcdef", 21, "abc", 21},
                        {"abcdef", 20, "ab", 14},
                        {"abc", 100, "abc", 21},
                        {"abc", 6, "", 0},
                        {"\xC3\xA4\xC3\xB6x", 14, "\xC3\xA4\xC3\xB6", 14}};
  for (const Case& c : cases) {
    std::string text = c.text;
    const vt::Size size = FitTextToWidth(&dc, font->GetFont(), c.width, &text);
    EXPECT_EQ(text, c.kept) << c.text << " " << c.width;
    EXPECT_EQ(size.cx, c.extent);
  }
  std::string bytes = "a\xC3\xA4";
  TruncateTextBytes(&bytes, 2);
  EXPECT_EQ(bytes, "a");
  TruncateTextBytes(&bytes, 0);
  EXPECT_EQ(bytes, "a");
  DrawTextWithEllipsis(&dc, {0, 0, 30, 14}, font->GetFont(), kRed, "abcdefgh");
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "abcd");
  const auto dots = dc.RecordsOf(vt::DcOp::FillRect);
  ASSERT_EQ(dots.size(), 3u);
  EXPECT_EQ(dots[0].rect, (vt::Rect{29, 14, 30, 15}));
}

TEST_F(DrawTest, NumberTextsAreNormalised) {
  struct Case {
    const char* in;
    const char* exponent;
    const char* number;
  };
  const Case cases[] = {
      {"1.5E+005", "1.5E5", "1.5E5"},     {"2.0E-010", "2.0E-10", "2E-10"}, {"1.500", "1.500", "1.500"},
      {"1.500E+002", "1.500E2", "1.5E2"}, {"  2.000e3", "2.000E3", "2E3"},  {"10E+000", "10E0", "10E0"},
  };
  for (const Case& c : cases) {
    std::string a = c.in, b = c.in;
    TrimExponentText(&a);
    TrimNumberText(&b);
    EXPECT_EQ(a, c.exponent) << c.in;
    EXPECT_EQ(b, c.number) << c.in;
  }
  EXPECT_EQ(ToHalfWidthNumber("\xEF\xBC\x91\xEF\xBC\x8E\xEF\xBC\x95\xEF\xBC\xA5\xEF\xBC\x8B\xEF\xBC\x93x"),
            "1.5E+3x");
  EXPECT_EQ(ToHalfWidthNumber("\xE2\x88\x92\xEF\xBC\x92"), "-2");
  EXPECT_EQ(DoubleToWholeSeconds(90061.9), 90061);
  EXPECT_EQ(DoubleToWholeSeconds(-3661.5), -3661);
}

TEST_F(DrawTest, ComboArrowButtonIsGreyWithADarkTriangleWhenEnabled) {
  vt::RecordingDc dc(20, 20);
  DrawComboArrowButton(&dc, 3, 0, 0, 15, 16);
  EXPECT_EQ(dc.GetPixel(0, 5), 0x02CACACAu & 0xFFFFFF);
  EXPECT_EQ(dc.GetPixel(14, 5), 0x5E5E5Eu);
  EXPECT_EQ(dc.GetPixel(3, 5), 0xC0C0C0u);
  EXPECT_EQ(dc.GetPixel(7, 9), 0u);  // the tip
  dc.Clear();
  DrawComboArrowButton(&dc, 1, 0, 0, 15, 16);
  EXPECT_EQ(dc.GetPixel(7, 9), 0x5E5E5Eu);
}

TEST_F(DrawTest, CellFramesLampsSidesAndStretchedBlends) {
  vt::RecordingDc dc(40, 40);
  const vt::ColorRef light[2] = {0x111111, 0x222222}, dark[2] = {0x333333, 0x444444};
  DrawCellFrame(&dc, {0, 0, 10, 10}, 2, kWhite, light, dark);
  EXPECT_EQ(dc.GetPixel(0, 5), 0x111111u);
  EXPECT_EQ(dc.GetPixel(1, 5), 0x222222u);
  EXPECT_EQ(dc.GetPixel(9, 5), 0x333333u);
  EXPECT_EQ(dc.GetPixel(8, 5), 0x444444u);
  DrawCellFrame(&dc, {10, 0, 20, 10}, 1, kWhite, light, dark);
  EXPECT_EQ(dc.GetPixel(10, 5), 0x222222u);
  EXPECT_EQ(dc.GetPixel(11, 5), kWhite);
  dc.Clear();
  DrawCellFrame(&dc, {20, 0, 30, 10}, 3, kRed, light, dark);  // other kinds draw nothing
  EXPECT_TRUE(dc.Records().empty());

  DrawCheckLamp(&dc, {0, 20, 12, 32}, 0x808080, 1);
  EXPECT_EQ(dc.GetPixel(0, 25), 0x404040u);  // sunken: shadow left and top
  EXPECT_EQ(dc.GetPixel(11, 25), 0xBFBFBFu);
  EXPECT_EQ(dc.GetPixel(2, 26), 0xC8C880u);   // left quarter of the lamp
  EXPECT_EQ(dc.GetPixel(6, 21), 0xFFFF80u);   // top quarter
  EXPECT_EQ(dc.GetPixel(6, 30), 0x787840u);   // bottom quarter
  EXPECT_EQ(dc.GetPixel(10, 26), 0x909040u);  // right quarter

  dc.FillSolidRect({0, 0, 40, 40}, kWhite);
  DrawRectSides(&dc, 1 | 8, kRed, 30, 30, 38, 38);  // top and right, end pixels left out
  EXPECT_EQ(dc.GetPixel(30, 30), kRed);
  EXPECT_EQ(dc.GetPixel(37, 30), kRed);
  EXPECT_EQ(dc.GetPixel(38, 31), kRed);
  EXPECT_EQ(dc.GetPixel(38, 38), kWhite);
  EXPECT_EQ(dc.GetPixel(30, 31), kWhite);

  // A 2 x 2 image stretched to 8 x 8 through a black mask covers the destination.
  auto image = vt::Bitmap::Create(2, 2, 24);
  auto mask = vt::Bitmap::Create(2, 2, 24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) image->SetPixel(x, y, kBlue);
  StretchBlendBitmap(&dc, image.get(), mask.get(), {0, 0, 2, 2}, {0, 0, 8, 8});
  EXPECT_EQ(dc.GetPixel(0, 0), kBlue);
  EXPECT_EQ(dc.GetPixel(7, 7), kBlue);
  EXPECT_EQ(dc.GetPixel(8, 8), kWhite);
  StretchBlendBitmap(&dc, nullptr, mask.get(), {0, 0, 2, 2}, {10, 10, 18, 18});  // no image: nothing
  EXPECT_EQ(dc.GetPixel(12, 12), kWhite);
}

}  // namespace
}  // namespace gadget_test

// Labels: font fitting and refitting, setters' change answers, the disabled look, the print
// font shrinking, span texts (carry of rounded fractions, sign, long hours) and the button face.
#include <gtest/gtest.h>

#include "gadget/GLabel.h"
#include "gadget/GPools.h"
#include "gadget/testing/WidgetTestEnv.h"
#include "platform/gui/Font.h"
#include "platform/gui/RecordingDc.h"

namespace gadget_test {
namespace {

using LabelTest = WidgetEnv;

int HeightOf(CGFont* f) { return f && f->GetFont() ? f->GetFont()->Metrics().height : -1; }

TEST_F(LabelTest, FittingTakesTwiceTheWidthPerByteWithinTheHeightAndFourTo96) {
  struct Case {
    const char* text;
    int w, h, expected;
  };
  const Case cases[] = {
      {"0123456789", 100, 30, 20},         {"0123456789", 100, 12, 12}, {"x", 100, 200, 96},
      {"01234567890123456789", 30, 20, 4}, {"", 100, 30, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto* l = new CGLabel(root, 0, 0, c.w, c.h, 0, 0, 0, 1, 0, 0, c.text);
    EXPECT_EQ(HeightOf(l->GetFont(0)), c.expected);
    delete l;
  }
}

TEST_F(LabelTest, HeightZeroRefitsAtLayoutWhileNegativeHeightsFitOnce) {
  auto* zero = new CGLabel(root, 0, 0, 100, 30, 0, 0, 0, 1, 0, 0, "0123456789");
  auto* once = new CGLabel(root, 0, 0, 100, 30, 0, 0, 0, 1, 0, -5, "0123456789");
  zero->SetSize(50, 30);
  once->SetSize(50, 30);
  zero->Layout();
  once->Layout();
  EXPECT_EQ(HeightOf(zero->GetFont(0)), 10);
  EXPECT_EQ(HeightOf(once->GetFont(0)), 20);
  // -1 leaves the label without a font: it draws nothing until another size is set.
  auto* none = new CGLabel(root, 0, 0, 100, 30, 0, 1, 0x00FF00, 1, 0, -1, "text");
  EXPECT_EQ(none->GetFont(0), nullptr);
  vt::RecordingDc dc(100, 50);
  none->Draw(&dc);
  EXPECT_TRUE(dc.Records().empty());
  EXPECT_EQ(none->SetFontSize(-1), 0);
  EXPECT_EQ(none->SetFontSize(13), 1);
  EXPECT_EQ(HeightOf(none->GetFont(0)), 13);
  EXPECT_EQ(none->SetBold(1), 1);
  EXPECT_EQ(none->SetBold(1), 0);
  EXPECT_EQ(none->GetFontStyle(), 1);
  EXPECT_EQ(none->SetAlignment(1), 0);
  EXPECT_EQ(none->SetAlignment(3), 1);
  EXPECT_EQ(none->SetOpaque(1), 0);
  EXPECT_EQ(none->SetTextColor(0), 0);
  EXPECT_EQ(none->SetLabelBackColor(0x0000FF), 1);
}

TEST_F(LabelTest, DisabledOpaqueLabelFillsItsBackgroundAndEngravesItsText) {
  auto* l = new CGLabel(root, 10, 10, 100, 20, 0, 1, 0x406080, 1, 0x0000FF, 12, "Label");
  l->SetStyle(GSTYLE_VISIBLE);
  vt::RecordingDc dc(200, 100);
  l->Draw(&dc);
  const auto fills = dc.RecordsOf(vt::DcOp::FillRect);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0].rect, (vt::Rect{10, 10, 110, 30}));
  EXPECT_EQ(fills[0].color & 0xFFFFFF, 0x406080u);
  const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].color & 0xFFFFFF, 0x7F9FBFu);  // each channel + 63
  EXPECT_EQ(texts[1].color & 0xFFFFFF, 0x002040u);  // the light colour - 127
  EXPECT_EQ(texts[0].points[0].x, texts[1].points[0].x + 1);
  EXPECT_EQ(texts[0].points[0].y, texts[1].points[0].y + 1);
}

TEST_F(LabelTest, PrintFontShrinksOnePixelAtATimeButNotBelowFour) {
  auto* l = new CGLabel(root, 0, 0, 100, 20, 0, 0, 0, 1, 0, 12, "0123456789");
  l->ScalePrintRects(2);
  EXPECT_EQ(HeightOf(l->GetPrintFont(0)), 20);
  // Every character advances 7 pixels whatever the height: 70 fit in 80 at once, never in 60,
  // so the shrinking runs down to height 4 and prints the text anyway.
  for (const auto& [room, height] : std::vector<std::pair<int, int>>{{80, 20}, {60, 4}}) {
    l->SetPrintBounds(0, 0, room, 40);
    vt::RecordingDc dc(100, 50);
    l->PrintSelf(&dc, 1);
    const auto texts = dc.RecordsOf(vt::DcOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].fontHeight, height);
    EXPECT_EQ(texts[0].color & 0xFFFFFF, 0u);
  }
  EXPECT_EQ(HeightOf(l->GetPrintFont(0)), 20);  // the print font itself is kept
}

TEST_F(LabelTest, SpanTextsCarryRoundedFractionsAndLeaveTheCallersValue) {
  struct Case {
    int64_t seconds;
    double fraction;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {3725, 0.25, 3, "01:02:05.250"},  {360000, 0, 3, "100:00:00.000"}, {-61, 0.5, 3, "-00:01:01.500"},
      {0, -0.25, 3, "-00:00:00.250"},   {0, 0.9996, 3, "00:00:01.000"},  {59, 0.96, 1, "00:01:00.0"},
      {3599, 0.9999, 2, "01:00:00.00"}, {7, 0.4, 0, "00:00:07.0"},
  };
  auto* span = new CGSpanLabel(root);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    span->SetDecimals(c.decimals);
    int64_t s = c.seconds;
    span->SetSpan(c.fraction, &s);
    std::string text;
    span->GetText(&text);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(s, c.seconds);
  }
}

TEST_F(LabelTest, SpanLabelWithTheMaskedBitDrawsOnlyItsBox) {
  auto* span = new CGSpanLabel(root);
  span->SetBounds(10, 10, 100, 20);
  const int64_t s = 3725;
  span->SetSpan(0, &s);
  span->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  Repaint();
  for (int y = 11; y < 29; ++y)
    for (int x = 11; x < 109; ++x) ASSERT_EQ(BackPixel(x, y), vt::ColorRef(0x5E5E5E)) << x << "," << y;
}

TEST_F(LabelTest, SkinnedButtonLabelStretchesTheFaceCellOfItsState) {
  auto* b = new CGSkButtonLabel(root, 10, 10, 80, 20, 0, 0, 0, 3, 0, 12, "");
  Repaint();
  EXPECT_EQ(BackPixel(50, 12), CellColour(kSkinLabelFace, 0, 16, 2));
  b->SetStyle(GSTYLE_VISIBLE);
  Repaint();
  EXPECT_EQ(BackPixel(50, 20), CellColour(kSkinLabelFace, 1, 16, 16));
}

}  // namespace
}  // namespace gadget_test

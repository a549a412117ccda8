// The digital volume's stepping, auto-repeat and limits (also at the ends of the 64-bit
// range), its layout and skinned arrow cells; the progress bar's clamps and segment fill.
#include <gtest/gtest.h>

#include <limits>

#include "gadget/GDigitalVolume.h"
#include "gadget/GProgressBar.h"
#include "gadget/testing/WidgetTestEnv.h"

namespace gadget_test {
namespace {

class VolumeTest : public WidgetEnv {
 protected:
  CGSkDigitalVolume64* MakeVolume() {
    auto* v = new CGSkDigitalVolume64(root, 10, 10, 24, 0, GSTYLE_ACTIVE);
    v->SetBounds(10, 10, 120, 24);
    AddLogEvent(v, GEVENT_CHANGED, &log);
    root->LayoutTree();
    Repaint();
    return v;
  }
  int64_t Value(CGPrimitive* v) {
    int64_t out = 0;
    v->GetValue(&out);
    return out;
  }
  // A point of an arrow's face beside its glyph, in client coordinates.
  vt::Point ArrowFace(CGPrimitive* button) {
    vt::Rect r;
    button->GetAbsoluteRect(&r);
    return vt::Point{r.left + 3, r.top + 2};
  }
  // A press on an arrow: its centre in client coordinates.
  vt::Point Centre(CGPrimitive* button) {
    vt::Rect r;
    button->GetAbsoluteRect(&r);
    return vt::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
};

TEST_F(VolumeTest, ArrowsAreLaidOutAtTheRightEdge) {
  CGSkDigitalVolume64* v = MakeVolume();
  EXPECT_EQ(v->UpButton()->Rect(), (vt::Rect{108, 1, 119, 12}));
  EXPECT_EQ(v->DownButton()->Rect(), (vt::Rect{108, 12, 119, 23}));
}

TEST_F(VolumeTest, HoldingAnArrowStepsAtOnceThenEveryRepeatUntilTheRelease) {
  CGSkDigitalVolume64* v = MakeVolume();
  v->SetValue(int64_t(50));
  const vt::Point down = Centre(v->DownButton());
  Down(down.x, down.y);
  EXPECT_EQ(Value(v), 49);
  ASSERT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 1u);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 100u);
  EXPECT_EQ(FrontPixel(ArrowFace(v->DownButton()).x, ArrowFace(v->DownButton()).y),
            CellColour(kSkinArrowButton, 2, 14, 14));  // the pressed cell
  host->FireTimer(vt::GTIMER_REPEAT);
  host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(Value(v), 47);
  Up(down.x, down.y);
  EXPECT_TRUE(host->Timers().empty());
  EXPECT_EQ(g_repeatTimer, 0u);
  EXPECT_EQ(FrontPixel(ArrowFace(v->DownButton()).x, ArrowFace(v->DownButton()).y),
            CellColour(kSkinArrowButton, 0, 14, 14));
  EXPECT_EQ(log, (Log{"event 1", "event 1", "event 1"}));
}

TEST_F(VolumeTest, StepsStopAtTheRangeAndFireNothingThere) {
  CGSkDigitalVolume64* v = MakeVolume();
  v->SetValue(int64_t(100));
  const vt::Point up = Centre(v->UpButton());
  Down(up.x, up.y);
  host->FireTimer(vt::GTIMER_REPEAT);
  Up(up.x, up.y);
  EXPECT_EQ(Value(v), 100);
  EXPECT_TRUE(log.empty());
  // The ends of the 64-bit range: no wrap-round, texts of both extremes.
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min(), kMax = std::numeric_limits<int64_t>::max();
  v->SetRange(kMin, kMax);
  struct Case {
    int64_t start;
    bool upArrow;
    const char* text;
  };
  for (const Case c : {Case{kMin, false, "-9223372036854775808"}, Case{kMax, true, "9223372036854775807"}}) {
    v->SetValue(c.start);
    const vt::Point p = Centre(c.upArrow ? static_cast<CGPrimitive*>(v->UpButton()) : v->DownButton());
    Down(p.x, p.y);
    Up(p.x, p.y);
    EXPECT_EQ(Value(v), c.start);
    std::string text;
    v->GetEditText(&text);
    EXPECT_EQ(text, c.text);
  }
  EXPECT_TRUE(log.empty());
  v->SetEditText("-9223372036854775809");
  EXPECT_EQ(Value(v), kMin);
  int low = 0;
  v->SetValue(int64_t(0x100000005));
  v->GetValue(&low);
  EXPECT_EQ(low, 5);  // the low 32 bits
}

TEST_F(VolumeTest, MinimumAboveMaximumEndsAtTheMaximumAndTextsApplyTheRange) {
  CGSkDigitalVolume64* v = MakeVolume();
  v->SetRange(int64_t(10), int64_t(5));
  for (int64_t x : {int64_t(0), int64_t(7), int64_t(20)}) {
    v->SetValue(x);
    EXPECT_EQ(Value(v), 5);
  }
  v->SetRange(int64_t(0), int64_t(100));
  v->SetEditText(" 150");
  EXPECT_EQ(Value(v), 100);
  v->SetEditText("x");
  EXPECT_EQ(Value(v), 0);
}

TEST_F(VolumeTest, DisabledVolumeShowsTheDisabledArrowCellAndIgnoresPresses) {
  CGSkDigitalVolume64* v = MakeVolume();
  v->SetStyle(GSTYLE_VISIBLE);
  Repaint();
  const vt::Point up = Centre(v->UpButton());
  EXPECT_EQ(FrontPixel(ArrowFace(v->UpButton()).x, ArrowFace(v->UpButton()).y),
            CellColour(kSkinArrowButton, 1, 14, 14));
  Down(up.x, up.y);
  Up(up.x, up.y);
  EXPECT_EQ(Value(v), 0);
  EXPECT_TRUE(host->Timers().empty());
}

TEST_F(VolumeTest, PlainDigitalShowsTheSmallestValue) {
  auto* d = new CGInt64Digital(root, 0, 0, 20, 0, GSTYLE_ACTIVE);
  d->SetValue(std::numeric_limits<int64_t>::min());
  std::string text;
  d->GetEditText(&text);
  EXPECT_EQ(text, "-9223372036854775808");
}

// ---- progress bar ----

TEST_F(VolumeTest, ProgressBarClampsValuesAndStepsAndOrdersItsRange) {
  auto* p = new CGSkProgressBar(root, 100, 0, 150);
  double low = -1, high = -1, v = -1;
  p->GetRange(&low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 100);
  p->GetValue(&v);
  EXPECT_EQ(v, 150);  // the constructor stores the value as given
  struct Case {
    double set, step, expected;
  };
  for (const Case c :
       {Case{150, 0, 100}, Case{150, -30, 70}, Case{-5, 0, 0}, Case{50, 60, 100}, Case{50, -60, 0}}) {
    p->SetValue(c.set);
    p->StepBy(c.step);
    p->GetValue(&v);
    EXPECT_EQ(v, c.expected) << c.set << " " << c.step;
  }
  p->SetValue(80);
  p->SetRange(0, 50);  // not limited again
  p->GetValue(&v);
  EXPECT_EQ(v, 80);
}

TEST_F(VolumeTest, ProgressBarFillsSegmentsUpToTheTruncatedFillEnd) {
  // A solid red segment of 10 pixels and no trough, so the fill shows against the root.
  auto red = vt::Bitmap::Create(10, 14, 24);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 10; ++x) red->SetPixel(x, y, 0x0000FF);
  vt::RegisterBitmap(990001, std::move(red));
  SGSkinDescriptor d;
  d.Set(0x050 + 32, 990001);
  d.Set(0x050 + 40, 10);
  d.Set(0x050 + 44, 14);
  SetSkinBlock(SkinReceiver::ProgressBar, d, 0x050, 48, 4);
  auto* p = new CGSkProgressBar(root, 0, 100, 50);
  p->SetBounds(10, 10, 302, 20);
  Repaint();
  // Inner width 296, filled 148: fifteen segments, the last 8 wide, ending at left + 151.
  EXPECT_EQ(BackPixel(13, 20), vt::ColorRef(0x0000FF));
  EXPECT_EQ(BackPixel(10 + 150, 20), vt::ColorRef(0x0000FF));
  EXPECT_NE(BackPixel(10 + 151, 20), vt::ColorRef(0x0000FF));
  EXPECT_NE(BackPixel(13, 12), vt::ColorRef(0x0000FF));  // 3 pixels are kept free at the top
  struct Case {
    double low, high, value;
  };
  for (const Case c : {Case{0, 0, 0}, Case{0, 100, 0}}) {
    p->SetRange(c.low, c.high);
    p->SetValue(c.value);
    root->GetBackDCPtr()->FillSolidRect(vt::Rect{0, 0, 200, 100}, 0xFFFFFF);
    Repaint();
    EXPECT_NE(BackPixel(13, 20), vt::ColorRef(0x0000FF));
  }
  vt::RegisterBitmap(990001, nullptr);
}

}  // namespace
}  // namespace gadget_test

// The zoom gadget: stepping through the codes, the span factor, rescaling about the centre
// (linear and log, refusals, NaN), the text, and the wheel with its target.
#include <gtest/gtest.h>

#include <cmath>

#include "gadget/GButton.h"
#include "trend/NgZoom.h"
#include "trend/tests/TrendPanelEnv.h"

namespace {

class ZoomTest : public trend_test::PanelEnv {
 protected:
  void SetUp() override {
    PanelEnv::SetUp();
    Bind(1, 100);
    panel->LayoutTree();
    axis = panel->GetYAxis(0);
    zoom = axis->Zoom();
  }
  void Scale(double lo, double hi, int type = SCALE_LINEAR) {
    SNgAxisSetting r;
    r.shown = 1, r.labelMode = 2, r.zoom = 1, r.scaleType = int16_t(type), r.scaleMinimum = lo,
    r.scaleMaximum = hi;
    manager->SetAxes(&r, 1);
  }
  CGNgYAxis* axis = nullptr;
  CGNgZoom* zoom = nullptr;
};

}  // namespace

TEST_F(ZoomTest, StepsThroughTheCodeTable) {
  struct Case {
    int code, in, out;
  } cases[] = {{1, -2, 2}, {20, 10, 20}, {-20, -20, -10}, {2, 1, 5}, {3, 2, 5}, {-3, -5, -2}, {-2, -5, 1}};
  for (const Case& c : cases) {
    zoom->m_code = c.code;
    EXPECT_EQ(zoom->NextInCode(), c.in) << c.code;
    EXPECT_EQ(zoom->NextOutCode(), c.out) << c.code;
  }
}

TEST_F(ZoomTest, SpanFactorScalesTheReferenceSpan) {
  struct Case {
    int n, reference;
    double expected;
  } cases[] = {{5, 2, 250}, {-2, -5, 250}, {-2, 1, 50}, {2, -2, 400}, {1, 1, 100}, {-20, 20, 0.25}};
  for (const Case& c : cases) {
    zoom->m_referenceCode = c.reference;
    EXPECT_DOUBLE_EQ(zoom->SpanFactor(c.n, 100), c.expected) << c.n << " " << c.reference;
  }
  zoom->m_referenceCode = 0;  // no code names a span of 0
  EXPECT_TRUE(std::isnan(zoom->SpanFactor(2, 100)));
}

TEST_F(ZoomTest, StepsRescaleAboutTheCentre) {
  struct Case {
    double lo, hi, centre;
    int type;
    bool in;
    int code;
    double newLo, newHi;
    const char* text;
  } cases[] = {
      {0, 100, 50, SCALE_LINEAR, true, -2, 25, 75, "x2"},
      {0, 100, 50, SCALE_LINEAR, false, 2, -50, 150, "x1/2"},
      {0, 100, 80, SCALE_LINEAR, true, -2, 40, 90, "x2"},
      {1, 10000, 100, SCALE_LOG, true, -2, 10, 1000, "x2"},
  };
  for (const Case& c : cases) {
    Scale(c.lo, c.hi, c.type);
    EXPECT_EQ(zoom->m_code, 1);
    EXPECT_EQ(zoom->GetStyle(), 0);  // a new setting hides the gadget
    zoom->m_centre = c.centre;
    zoom->Step(c.in);
    EXPECT_EQ(zoom->m_code, c.code);
    EXPECT_NEAR(axis->m_minimum, c.newLo, 1e-9 * std::fabs(c.newHi));
    EXPECT_NEAR(axis->m_maximum, c.newHi, 1e-9 * std::fabs(c.newHi));
    EXPECT_EQ(zoom->m_text, c.text);
    SNgAxisSetting back;
    manager->GetAxes(&back, 1);
    EXPECT_EQ(back.zoom, c.code);  // the record carries the gadget's code
  }
}

TEST_F(ZoomTest, RefusesStepsWithoutAFiniteResultWithinTheLimits) {
  struct Case {
    double lo, hi, centre;
    int type;
  } cases[] = {
      {0, 9e15, 0, SCALE_LINEAR},  // out to x1/2: 1.8e16
      {50, 50, 50, SCALE_LINEAR},  // no span
      {0, 100, std::nan(""), SCALE_LINEAR},
      {1e-10, 1e10, 1, SCALE_LOG},  // 40 decades
  };
  for (const Case& c : cases) {
    Scale(c.lo, c.hi, c.type);
    zoom->m_centre = c.centre;
    zoom->Step(false);
    EXPECT_EQ(zoom->m_code, 1) << c.hi;
    EXPECT_EQ(axis->m_minimum, c.lo) << c.hi;
    EXPECT_EQ(axis->m_maximum, c.hi) << c.hi;
  }
  // At the narrowest code a further step in rescales to the same span again.
  Scale(0, 100);
  zoom->m_centre = 50;
  for (int i = 0; i < 5; ++i) zoom->Step(true);
  EXPECT_EQ(zoom->m_code, -20);
  zoom->Step(true);
  EXPECT_EQ(zoom->m_code, -20);
  EXPECT_NEAR(axis->m_maximum - axis->m_minimum, 5, 1e-9);
}

TEST_F(ZoomTest, TheWheelStepsOnlyAVisibleTarget) {
  Scale(0, 100);
  zoom->m_centre = 50;
  zoom->SetStyle(GSTYLE_ACTIVE);
  EXPECT_EQ(zoom->CanScrollWheel(0, 0, 0, 0), 1);
  EXPECT_TRUE(zoom->OnMouseWheel(0, 0, 0, 0));  // delta 0 zooms out
  EXPECT_EQ(zoom->m_code, 2);
  EXPECT_TRUE(zoom->OnMouseWheel(0, 0xFF88, 0, 0));  // -120 as a 16-bit number: out
  EXPECT_EQ(zoom->m_code, 5);
  EXPECT_TRUE(zoom->OnMouseWheel(0, 120, 0, 0));
  EXPECT_EQ(zoom->m_code, 2);
  zoom->SetStyle(0);
  EXPECT_TRUE(zoom->OnMouseWheel(0, 120, 0, 0));
  EXPECT_EQ(zoom->m_code, 2);  // hidden: nothing changes

  // A press on the gadget makes it the root's wheel target; a press on the plot takes it away.
  PaintWindow();
  zoom->SetStyle(GSTYLE_ACTIVE);
  zoom->OnLButtonDown(0, zoom->Rect().left + 1, zoom->Rect().top + 1);
  zoom->OnLButtonUp(0, zoom->Rect().left + 1, zoom->Rect().top + 1);
  EXPECT_EQ(root->GetWheelTarget(), zoom);
  vt::Rect plot;
  panel->m_graph->m_screen->GetAbsoluteRect(&plot);
  root->OnLButtonDown(0, plot.left + 50, plot.top + 50);
  root->OnLButtonUp(0, plot.left + 50, plot.top + 50);
  EXPECT_EQ(root->GetWheelTarget(), panel->m_graph);
}

TEST_F(ZoomTest, ItsArrowButtonsStepTheCode) {
  Scale(0, 100);
  PaintWindow();
  zoom->m_centre = 50;
  zoom->SetStyle(GSTYLE_ACTIVE);
  panel->LayoutTree();
  auto click = [&](const CGPrimitive* button) {
    vt::Rect r;
    button->GetAbsoluteRect(&r);
    ASSERT_FALSE(r.IsEmpty());
    root->OnLButtonDown(vt::kMkLButton, r.left + 2, r.top + 2);
    root->OnLButtonUp(0, r.left + 2, r.top + 2);
  };
  // The axis must be hovered for its neighbours not to shadow it; the press goes through it.
  manager->OnMouseHover(axis->Rect().left + 2, axis->Rect().top + 20);
  click(zoom->m_zoomIn);
  EXPECT_EQ(zoom->m_code, -2);
  click(zoom->m_zoomOut);
  EXPECT_EQ(zoom->m_code, 1);
}

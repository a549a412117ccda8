// The mouse on a Y axis: hit zones and cursors, the drag in the free arrangement with its
// clamps and stored fractions, the label toggle, the zoom opened on the scale side, the
// delayed redraw on entering, the reset hook, and the strip's hover routing.
#include <gtest/gtest.h>

#include "platform/gui/Cursors.h"
#include "trend/NgZoom.h"
#include "trend/tests/TrendPanelEnv.h"

namespace {

int g_resets = 0;
void CountReset(CGPrimitive* p, int code, int) {
  g_resets += IsKindOfClass(p, GCLASS(CGIconButton)) && code == 2;
}

class YAxisMouseTest : public trend_test::PanelEnv {
 protected:
  void SetUp() override {
    PanelEnv::SetUp();
    Bind(2, 100);
    panel->LayoutTree();
    PaintWindow();
    axis = panel->GetYAxis(0);
  }
  // Sets the label mode and the arrangement of axis 0, laid out.
  void Mode(int labelMode, int layout) {
    SNgAxisSetting r;
    r.shown = 1, r.labelMode = int16_t(labelMode), r.scaleMaximum = 100;
    manager->SetAxes(&r, 1);
    manager->SetLayout(layout);
    panel->LayoutTree();
  }
  CGNgYAxis* axis = nullptr;
};

}  // namespace

TEST_F(YAxisMouseTest, HitZonesAndCursors) {
  struct Case {
    int labelMode, layout, dx, dy;  // from the axis's top left (dx < 0: from its right)
    int zone;
    uint32_t cursor;
  } cases[] = {
      {LABELS_ON, AXIS_FREE, 5, -22, 1, uint32_t(vt::kCursorSizeNs)},
      {LABELS_ON, AXIS_FULL, 5, -22, 1, uint32_t(vt::kCursorArrow)},
      {LABELS_ON, AXIS_FREE, 5, 10, 3, 344},
      {LABELS_ON, AXIS_FREE, -3, 10, 4, 345},
      {LABELS_ON, AXIS_FULL, -3, 10, 4, 345},
      {LABELS_OFF, AXIS_FREE, -3, 10, 3, 344},  // no zoom side with the labels off
      {LABELS_OFF, AXIS_FULL, -3, 10, 3, uint32_t(vt::kCursorArrow)},
      {LABELS_ON, AXIS_FREE, 5, -10, 0, uint32_t(vt::kCursorArrow)},
  };
  for (const Case& c : cases) {
    Mode(c.labelMode, c.layout);
    const vt::Rect& r = axis->Rect();
    const int x = c.dx >= 0 ? r.left + c.dx : r.right + c.dx;
    EXPECT_EQ(axis->GetHitZone(x, r.top + c.dy), c.zone) << c.dx << "," << c.dy << " mode " << c.labelMode;
    EXPECT_EQ(axis->CursorForZone(c.zone), c.cursor) << c.zone << " mode " << c.labelMode;
  }
  Mode(LABELS_ON, AXIS_FREE);
  const vt::Rect& r = axis->Rect();
  EXPECT_EQ(axis->GetHitZone(r.left + 5, r.bottom + 8), 2);  // the bottom rows of the hover area
  EXPECT_TRUE(axis->HitTest(r.left + 5, r.top - 22, GSTYLE_ACTIVE));
}

TEST_F(YAxisMouseTest, DraggingInTheFreeArrangementStaysInTheBand) {
  Mode(LABELS_ON, AXIS_FREE);
  const int B = manager->m_bandTop, H = manager->m_bandHeight;
  ASSERT_GT(H, 100);
  auto drag = [&](int x, int y, int dy) {
    axis->OnLButtonDown(0, x, y);
    axis->OnMouseMove(vt::kMkLButton, x, y + dy);
    axis->OnLButtonUp(0, x, y + dy);
    panel->LayoutTree();
  };
  const vt::Rect r = axis->Rect();
  drag(r.left + 5, r.top - 22, 40);  // the top edge down by 40
  EXPECT_NEAR(axis->m_storedTop, 40.0 / H, 1e-9);
  EXPECT_EQ(axis->Rect().top, B + 40);
  drag(r.left + 5, axis->Rect().top + 10, 10000);  // the body far down: kept inside the band
  EXPECT_EQ(axis->Rect().bottom, B + H);
  EXPECT_NEAR(axis->m_storedBottom, 1.0, 1e-9);
  const vt::Rect s = axis->Rect();
  drag(s.left + 5, s.top - 22, s.Height() + 30);  // the top dragged past the bottom: swapped
  EXPECT_LT(axis->m_storedTop, axis->m_storedBottom);
  EXPECT_EQ(axis->Rect().bottom, B + H);
  const vt::Rect t = axis->Rect();
  drag(t.left + 5, t.bottom + 8, -(t.Height()));  // the bottom onto the top: at least 0.01 high
  EXPECT_GE(axis->m_storedBottom - axis->m_storedTop, 0.01 - 1e-12);
  SNgAxisSetting back;
  manager->GetAxes(&back, 1);
  EXPECT_NEAR(back.upperPosition, 100 - axis->m_storedTop * 100, 1e-9);

  // Outside the free arrangement a press only selects.
  Mode(LABELS_ON, AXIS_FULL);
  const vt::Rect before = axis->Rect();
  drag(before.left + 5, before.top - 22, 40);
  EXPECT_EQ(axis->Rect(), before);

  // A band of no height stores the whole band.
  manager->m_bandHeight = 0;
  axis->StorePositions();
  EXPECT_EQ(axis->m_storedTop, 0);
  EXPECT_EQ(axis->m_storedBottom, 1);
}

TEST_F(YAxisMouseTest, TheLabelToggleCyclesAndRestoresTheColumnWidth) {
  Mode(LABELS_ON, AXIS_FULL);
  const int width = axis->Rect().Width();
  CGNgYAxis::OnToggleLabels(axis->m_labelButton, GEVENT_CHANGED, nullptr);
  EXPECT_EQ(axis->m_labelMode, LABELS_OFF);
  EXPECT_EQ(axis->Rect().Width(), 36);
  CGNgYAxis::OnToggleLabels(axis->m_labelButton, GEVENT_CHANGED, nullptr);
  EXPECT_EQ(axis->m_labelMode, LABELS_ON);
  EXPECT_EQ(axis->Rect().Width(), width);
  EXPECT_EQ(axis->m_resetButton->GetStyle(), GSTYLE_ACTIVE);
  Mode(0, AXIS_FULL);
  axis->ToggleLabels();
  EXPECT_EQ(axis->m_labelMode, LABELS_ON);
}

TEST_F(YAxisMouseTest, APressOnTheScaleSideOpensTheZoomThere) {
  Mode(LABELS_ON, AXIS_FULL);
  const vt::Rect r = axis->Rect();
  const int y = r.top + r.Height() / 4;
  axis->OnLButtonDown(0, r.right - 3, y);
  CGNgZoom* zoom = axis->Zoom();
  EXPECT_EQ(root->GetWheelTarget(), zoom);
  EXPECT_NEAR(zoom->m_centre, 75, 1.0);  // a quarter down a 0..100 scale
  EXPECT_EQ(zoom->GetStyle(), 0);        // shown at the release
  axis->OnLButtonUp(0, r.right - 3, y);
  EXPECT_EQ(zoom->GetStyle(), GSTYLE_ACTIVE);
  EXPECT_EQ(zoom->Rect().right, r.Width());
  EXPECT_NEAR(zoom->Rect().top + zoom->Rect().Height() / 2, y - r.top, 2);
}

TEST_F(YAxisMouseTest, EnteringRedrawsLaterFromATimerAndHoverShadowsNeighbours) {
  SNgAxisSetting records[2];
  for (SNgAxisSetting& rec : records) rec.shown = 1, rec.labelMode = 2, rec.scaleMaximum = 100;
  manager->SetAxes(records, 2);
  manager->SetLayout(AXIS_FULL);
  panel->LayoutTree();
  CGNgYAxis* other = panel->GetYAxis(1);  // column 1, left of axis 0
  const vt::Rect o = other->Rect();
  const vt::Rect r = axis->Rect();
  ASSERT_EQ(o.right, r.left);
  manager->OnMouseHover(o.left + 5, o.top + 20);
  EXPECT_EQ(other->m_hovered, 1);
  EXPECT_EQ(other->m_labelButton->GetStyle(), GSTYLE_ACTIVE);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REDRAW), 1u);  // nothing waited
  EXPECT_EQ(root->GetPendingRedraw(), other);
  host->FireTimer(vt::GTIMER_REDRAW);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REDRAW), 0u);
  EXPECT_EQ(root->GetPendingRedraw(), nullptr);
  // Axis 1's hover area reaches 2 pixels into axis 0: there the hovered axis shadows it.
  EXPECT_EQ(manager->ChildFromPoint(r.left + 1, r.top + 20, GSTYLE_VISIBLE), other);
  EXPECT_EQ(manager->ChildFromPoint(r.left + 5, r.top + 20, GSTYLE_VISIBLE), nullptr);
  // Moving onto axis 0 outside axis 1's own rectangle hands the hover over.
  manager->OnMouseHover(r.left + 5, r.top + 20);
  manager->OnMouseHover(r.left + 5, r.top + 20);
  EXPECT_EQ(other->m_hovered, 0);
  EXPECT_EQ(axis->m_hovered, 1);
  manager->SetLayout(AXIS_FULL);  // a new arrangement clears the hover
  EXPECT_EQ(axis->m_hovered, 0);
  EXPECT_EQ(axis->m_labelButton->GetStyle(), 0);
}
TEST_F(YAxisMouseTest, TheResetButtonCallsTheHookHeldWhenThePanelWasBuilt) {
  g_resets = 0;
  NgAxisZoomHook = CountReset;
  auto* later = new CGNgWaveform(root);
  later->Build(150);
  NgAxisZoomHook = nullptr;  // the buttons keep the value they were made with
  later->GetYAxis(3)->m_resetButton->FireEvent(GEVENT_CLICKED);
  EXPECT_EQ(g_resets, 1);
  axis->m_resetButton->FireEvent(GEVENT_CLICKED);  // built before the hook was set
  EXPECT_EQ(g_resets, 1);
  delete later;
}

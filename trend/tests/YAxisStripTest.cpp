// The Y-axis strip: the arrangements' fractions, the columns and their widths, the content
// width, the view that keeps column 0 at its right edge, and the print extent.
#include <gtest/gtest.h>

#include "trend/tests/TrendPanelEnv.h"

namespace {

using YAxisStripTest = trend_test::PanelEnv;

SNgAxisSetting Axis(double lo, double hi) {
  SNgAxisSetting r;
  r.shown = 1, r.labelMode = 2, r.scaleMinimum = lo, r.scaleMaximum = hi;
  return r;
}

}  // namespace

TEST_F(YAxisStripTest, ArrangementsSetTheFractions) {
  struct Case {
    int layout, visible;
    double tops[3], bottoms[3];
  } cases[] = {
      {AXIS_SLIDING, 3, {0.05, 0.025, 0}, {1.0, 0.975, 0.95}},
      {AXIS_AUTO, 3, {0, 0.95 / 3 + 0.025, 2 * (0.95 / 3 + 0.025)}, {0.95 / 3, 2 * 0.95 / 3 + 0.025, 1.0}},
      {AXIS_FULL, 3, {0, 0, 0}, {1, 1, 1}},
  };
  std::vector<SNgAxisSetting> records(3, Axis(0, 100));
  for (const Case& c : cases) {
    manager->SetAxes(records.data(), 3);
    manager->SetLayout(c.layout);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(manager->GetAxis(i)->m_currentTop, c.tops[i], 1e-9) << c.layout << " " << i;
      EXPECT_NEAR(manager->GetAxis(i)->m_currentBottom, c.bottoms[i], 1e-9) << c.layout << " " << i;
      EXPECT_EQ(manager->GetAxis(i)->m_dragMode, 0);
    }
  }
  // Twenty axes: a step of 0.3 / 19, every axis 70 percent of the band high.
  std::vector<SNgAxisSetting> twenty(20, Axis(0, 100));
  manager->SetAxes(twenty.data(), 20);
  manager->SetLayout(AXIS_SLIDING);
  EXPECT_NEAR(manager->GetAxis(0)->m_currentTop, 0.3, 1e-9);
  EXPECT_NEAR(manager->GetAxis(19)->m_currentBottom - manager->GetAxis(19)->m_currentTop, 0.7, 1e-9);
  // The free arrangement takes the stored places and lets the axes be dragged.
  twenty[0].upperPosition = 80, twenty[0].lowerPosition = 30;
  manager->SetAxes(twenty.data(), 20);
  manager->SetLayout(AXIS_FREE);
  EXPECT_NEAR(manager->GetAxis(0)->m_currentTop, 0.2, 1e-9);
  EXPECT_NEAR(manager->GetAxis(0)->m_currentBottom, 0.7, 1e-9);
  EXPECT_EQ(manager->GetAxis(0)->m_dragMode, 1);
  // No visible axis, and a value outside the four: nothing divides by zero, nothing moves.
  manager->SetAxes(nullptr, 0);
  manager->SetLayout(AXIS_AUTO);
  manager->SetLayout(7);
  EXPECT_EQ(manager->m_layout, 7);
  EXPECT_EQ(manager->GetAxis(0)->m_dragMode, 0);
}

TEST_F(YAxisStripTest, OverlappingAxesStandInColumnsSizedByTheirLabels) {
  panel->LayoutTree();                                         // gives the manager its band
  SNgAxisSetting records[2] = {Axis(-1, 1), Axis(0, 100000)};  // label widths 4 and 6
  manager->SetAxes(records, 2);
  manager->SetLayout(AXIS_FULL);
  EXPECT_EQ(manager->GetContentWidth(), 133);
  EXPECT_EQ(manager->GetAxis(0)->m_column, 0);
  EXPECT_EQ(manager->GetAxis(1)->m_column, 1);
  EXPECT_EQ(manager->GetAxis(1)->Rect().left, 0);
  EXPECT_EQ(manager->GetAxis(1)->Rect().Width(), 71);
  EXPECT_EQ(manager->GetAxis(0)->Rect().left, 71);
  EXPECT_EQ(manager->GetAxis(0)->Rect().Width(), 57);
  EXPECT_EQ(manager->GetAxis(0)->Rect().top, manager->m_bandTop);

  manager->SetLayout(AXIS_AUTO);  // no overlap: one column as wide as the wider label
  EXPECT_EQ(manager->GetContentWidth(), 71 + 5);
  EXPECT_EQ(manager->GetAxis(1)->m_column, 0);
  EXPECT_EQ(manager->GetAxis(0)->Rect().Width(), 71);

  manager->SetAxes(nullptr, 0);
  EXPECT_EQ(manager->GetContentWidth(), 5);
}

TEST_F(YAxisStripTest, TheViewKeepsColumnZeroAtItsRightEdge) {
  std::vector<SNgAxisSetting> records(4, Axis(0, 100));
  manager->SetAxes(records.data(), 4);
  manager->SetLayout(AXIS_FULL);  // four columns of 50 pixels
  panel->m_strip->SetBounds(0, 0, 120, 500);
  panel->LayoutTree();
  CGNgYAxisScreen* screen = panel->m_strip->Screen();
  const int N = manager->GetContentWidth();
  ASSERT_EQ(N, 205);
  EXPECT_EQ(panel->m_strip->Rect().Width(), 120);
  EXPECT_EQ(screen->m_scrollX, N - 120);  // the column next to the plot shows
  EXPECT_TRUE(panel->m_strip->m_horizontalBar->GetStyle() & GSTYLE_VISIBLE);
  panel->m_strip->SetBounds(0, 0, 160, 500);  // a wider view
  panel->LayoutTree();
  EXPECT_EQ(screen->m_scrollX, N - 160);
}

TEST_F(YAxisStripTest, PrintExtentReachesTheLimitColumn) {
  panel->LayoutTree();
  std::vector<SNgAxisSetting> records(3, Axis(0, 100));  // label width 3: 50-pixel columns
  manager->SetAxes(records.data(), 3);
  manager->SetLayout(AXIS_FULL);
  panel->LayoutTree();
  manager->m_printBandTop = 0, manager->m_printBandHeight = 600;
  manager->m_printColumnLimit = 1;
  int width = 0, limit = 0;
  manager->GetPrintExtent(2, &width, &limit);
  // Per column: (3 + 2) x 7 x 2 + 5 x 2 = 80 before the axis, 12 after it; axes 10 wide.
  EXPECT_EQ(manager->GetAxis(2)->PrintRect(), (vt::Rect{80, 0, 90, 600}));
  EXPECT_EQ(manager->GetAxis(1)->PrintRect().left, 80 + 12 + 80);
  EXPECT_EQ(limit, 172 + 10);
  EXPECT_EQ(width, 172 + 92 + 10 + 5);
  manager->m_printColumnLimit = -1;
  manager->GetPrintExtent(2, &width, &limit);
  EXPECT_EQ(limit, 0);
}

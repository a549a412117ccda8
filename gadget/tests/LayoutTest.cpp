// Row-column layout: every mode's arithmetic (truncating divisions, stretch edges, wrapping,
// grids), invisible children, the print pass, and the radio box's selection.
#include <gtest/gtest.h>

#include "gadget/GButton.h"
#include "gadget/GRowColumn.h"
#include "gadget/testing/WidgetTestEnv.h"

namespace gadget_test {
namespace {

class LayoutTest : public GadgetEnv {
 protected:
  // A row-column of W x H with children of the given sizes (all at 0, 0).
  CGRowColumn* Make(int W, int H, int mode, int flags, const std::vector<vt::Size>& sizes) {
    auto* rc = new CGRowColumn(master, 0, 0, 0, GSTYLE_ACTIVE, W, H, 1, flags);
    rc->mode = mode;
    for (const vt::Size& s : sizes) kids.push_back(new Probe(rc, "c", nullptr, {0, 0, s.cx, s.cy}));
    return rc;
  }
  std::vector<Probe*> kids;
};

TEST_F(LayoutTest, SingleRowsAndColumnsPlaceChildrenWithSpacingMarginsAndStretch) {
  struct Case {
    const char* name;
    int mode, flags, spacing;
    std::vector<vt::Rect> expected;
  };
  // W = 100, H = 60; children 10x5, 20x6, 30x7; margins left 1, top 2, right 3, bottom 4 (unless 0).
  const Case cases[] = {
      {"mode 3", 3, 0, 2, {{1, 2, 11, 56}, {13, 2, 33, 56}, {35, 2, 65, 56}}},
      {"mode 3 stretch", 3, 1, 2, {{1, 2, 11, 56}, {13, 2, 33, 56}, {35, 2, 97, 56}}},
      {"mode 4", 4, 0, 2, {{87, 2, 97, 56}, {65, 2, 85, 56}, {33, 2, 63, 56}}},
      {"mode 4 stretch", 4, 1, 2, {{87, 2, 97, 56}, {65, 2, 85, 56}, {1, 2, 63, 56}}},
      {"mode 5", 5, 0, 1, {{1, 2, 97, 7}, {1, 8, 97, 14}, {1, 15, 97, 22}}},
      // The stretched edge may make the last child smaller than it was.
      {"mode 6 stretch", 6, 1, 1, {{1, 51, 97, 56}, {1, 44, 97, 50}, {1, 2, 97, 43}}},
      // (100 - 2*2 - 1 - 3) / 3 = 30 (92 / 3 truncated); bit 0 is not looked at.
      {"mode 3 equal", 3, 3, 2, {{1, 2, 31, 56}, {33, 2, 63, 56}, {65, 2, 95, 56}}},
      // (60 - 2 - 2 - 4) / 3 = 17 (52 / 3 truncated).
      {"mode 5 equal", 5, 2, 1, {{1, 2, 97, 19}, {1, 20, 97, 37}, {1, 38, 97, 55}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kids.clear();
    CGRowColumn* rc = Make(100, 60, c.mode, c.flags, {{10, 5}, {20, 6}, {30, 7}});
    rc->spacing = c.spacing;
    rc->leftMargin = 1, rc->topMargin = 2, rc->rightMargin = 3, rc->bottomMargin = 4;
    rc->Layout();
    for (size_t i = 0; i < kids.size(); ++i) EXPECT_EQ(kids[i]->Rect(), c.expected[i]) << i;
    delete rc;
  }
}

TEST_F(LayoutTest, FourthModeMatchesTheWorkedExample) {
  CGRowColumn* rc = Make(100, 20, 4, 0, {{10, 5}, {20, 5}, {30, 5}});
  rc->spacing = 2;
  rc->Layout();
  EXPECT_EQ(kids[0]->Rect().left, 90);
  EXPECT_EQ(kids[1]->Rect().left, 68);
  EXPECT_EQ(kids[2]->Rect().left, 36);
}

TEST_F(LayoutTest, InvisibleChildrenKeepTheirPlaceAndTakeNoSpace) {
  CGRowColumn* rc = Make(100, 20, 3, 2, {{10, 5}, {20, 5}, {30, 5}});
  kids[1]->SetStyle(0);
  kids[1]->SetRect(7, 7, 9, 9);
  rc->Layout();
  EXPECT_EQ(kids[0]->Rect(), (vt::Rect{0, 0, 50, 20}));  // n = 2
  EXPECT_EQ(kids[1]->Rect(), (vt::Rect{7, 7, 9, 9}));
  EXPECT_EQ(kids[2]->Rect(), (vt::Rect{50, 0, 100, 20}));
  // Equal sizes with no visible child divide by nothing and place nothing.
  kids[0]->SetStyle(0), kids[2]->SetStyle(0);
  rc->Layout();
  EXPECT_EQ(kids[0]->Rect(), (vt::Rect{0, 0, 50, 20}));
}

TEST_F(LayoutTest, FlowingRowsWrapAndFixedGridsOverflowBelow) {
  // Flowing: 60, 60, 30 wide in 100; the second wraps below the first's height.
  CGRowColumn* flow = Make(100, 100, 1, 0, {{60, 10}, {60, 20}, {30, 5}});
  flow->Layout();
  EXPECT_EQ(kids[0]->Rect(), (vt::Rect{0, 0, 60, 10}));
  EXPECT_EQ(kids[1]->Rect(), (vt::Rect{0, 10, 60, 30}));
  EXPECT_EQ(kids[2]->Rect(), (vt::Rect{60, 10, 90, 15}));
  // A first child wider than the inner width starts a row of its own, one spacing down.
  kids.clear();
  CGRowColumn* wide = Make(50, 100, 1, 0, {{60, 10}});
  wide->spacing = 3;
  wide->Layout();
  EXPECT_EQ(kids[0]->Rect(), (vt::Rect{0, 3, 60, 13}));
  // Columns flow the same way down and across.
  kids.clear();
  CGRowColumn* cols = Make(100, 30, 2, 0, {{10, 20}, {15, 20}, {5, 5}});
  cols->Layout();
  EXPECT_EQ(kids[1]->Rect(), (vt::Rect{10, 0, 25, 20}));
  EXPECT_EQ(kids[2]->Rect(), (vt::Rect{10, 20, 15, 25}));
  // A 2 x 2 grid of five: the fifth lands in a third row; invisible children still wrap.
  kids.clear();
  CGRowColumn* grid = Make(101, 41, 1, 1, {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}});
  grid->columns = 2, grid->rows = 2, grid->spacing = 1;
  grid->Layout();
  EXPECT_EQ(kids[0]->Rect(), (vt::Rect{0, 0, 50, 20}));
  EXPECT_EQ(kids[1]->Rect(), (vt::Rect{51, 0, 101, 20}));
  EXPECT_EQ(kids[3]->Rect(), (vt::Rect{51, 21, 101, 41}));
  EXPECT_EQ(kids[4]->Rect(), (vt::Rect{0, 42, 50, 62}));
}

TEST_F(LayoutTest, UnknownModesAndEmptyContainersChangeNothing) {
  CGRowColumn* rc = Make(100, 20, 7, 1, {{10, 5}});
  kids[0]->SetRect(3, 4, 5, 6);
  rc->Layout();
  rc->ScalePrintRects(2);
  EXPECT_EQ(kids[0]->Rect(), (vt::Rect{3, 4, 5, 6}));
  Log events;
  auto* empty = new CGRowColumn(master, 0, 0, 0, GSTYLE_ACTIVE, 10, 10, 1, 1);
  AddLogEvent(empty, GEVENT_LAYOUT, &events);
  empty->Layout();
  EXPECT_TRUE(events.empty());
}

TEST_F(LayoutTest, PrintPassScalesSizesSpacingAndMargins) {
  CGRowColumn* rc = Make(100, 20, 3, 1, {{10, 5}, {20, 5}});
  rc->SetPrintBounds(0, 0, 300, 60);
  rc->spacing = 2, rc->leftMargin = 1, rc->rightMargin = 1, rc->topMargin = 1, rc->bottomMargin = 1;
  rc->ScalePrintRects(3);
  EXPECT_EQ(kids[0]->PrintRect(), (vt::Rect{3, 3, 33, 57}));
  EXPECT_EQ(kids[1]->PrintRect(), (vt::Rect{39, 3, 297, 57}));  // stretched to 300 - 3
}

TEST_F(LayoutTest, RadioBoxSelectsOneChildByPositionAndClearsTheRest) {
  auto* box = new CGSkRadioBox(master, 0, 0, 0, GSTYLE_ACTIVE, 100, 60, kRowColumnTopDown);
  std::vector<CGRadioButton*> buttons;
  for (int i = 0; i < 3; ++i) buttons.push_back(new CGRadioButton(box, 0, 0, 100));
  auto checked = [&] {
    std::string s;
    for (CGRadioButton* b : buttons) {
      int v = -1;
      b->GetValue(&v);
      s += std::to_string(v);
    }
    return s;
  };
  box->SetValue(1);
  EXPECT_EQ(checked(), "010");
  box->SetValue(-1);
  EXPECT_EQ(checked(), "000");
  box->SetValue(5);
  EXPECT_EQ(checked(), "000");
  int selection = 0;
  EXPECT_EQ(box->GetValue(&selection), 0);
  EXPECT_EQ(selection, 5);
  // A button made while the box selects its position starts checked.
  box->SetValue(3);
  auto* fourth = new CGRadioButton(box, 0, 0, 100);
  int v = 0;
  fourth->GetValue(&v);
  EXPECT_EQ(v, 1);
}

}  // namespace
}  // namespace gadget_test

// Tests of the splitter: drags clamped by the panes' minimum widths, the panes and the
// splitter moved on release, the parent laid out and repainted or the release event fired
// instead, the outline drawn on the window and erased from the back buffer, the cursor, and
// the skinned strip's placement.
#include <gtest/gtest.h>

#include "gadget/GSplitter.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/Cursors.h"

namespace gadget_test {
namespace {

class SplitterTest : public RootEnv {
 protected:
  // A group 200 x 100 with a left pane 100 wide, the splitter (5 wide) and a right pane 80 wide.
  void Build(int leftWidth = 100, int rightWidth = 80) {
    group = new CGGroup(root, 0, 0, 0, 3, 200, 100);
    left = new Probe(group, "left", &log, {0, 0, leftWidth, 100}, 0x0000FF);
    splitter = new CGSkHSplitter(group, leftWidth, 0, 0, 3, 5, 100);
    right = new Probe(group, "right", &log, {leftWidth + 5, 0, leftWidth + 5 + rightWidth, 100}, 0x00FF00);
    splitter->SetLimits(50, 50);
    AddLogEvent(group, GEVENT_LAYOUT, &layouts);
    PaintWindow();
    log.clear();
    layouts.clear();
  }
  // A press at the splitter's middle, a move by dx (and dy), and the release there.
  void Drag(int dx, int dy = 0) {
    const int x = splitter->Rect().left + 2, y = 50;
    root->OnLButtonDown(0, x, y);
    root->OnMouseMove(vt::kMkLButton, x + dx, y + dy);
    root->OnLButtonUp(0, x + dx, y + dy);
  }
  Log log, layouts;
  CGGroup* group = nullptr;
  Probe* left = nullptr;
  Probe* right = nullptr;
  CGSkHSplitter* splitter = nullptr;
};

TEST_F(SplitterTest, ADragMovesBothPanesAndTheSplitterWithinTheMinimumWidths) {
  struct Case {
    int leftWidth, rightWidth, dx, dy, moved;
  } cases[] = {
      {100, 80, 20, 0, 20},     // free
      {100, 80, 150, 0, 30},    // the right pane keeps 50
      {100, 80, -250, 0, -50},  // the left pane keeps 50
      {100, 80, 0, 40, 0},      // vertical movement alone changes nothing
      {40, 80, -10, 0, 0},      // a pane already below its minimum gives nothing
      {40, 80, 10, 0, 10},      // but may grow
  };
  for (const Case& c : cases) {
    Build(c.leftWidth, c.rightWidth);
    Drag(c.dx, c.dy);
    EXPECT_EQ(splitter->Rect().left, c.leftWidth + c.moved) << c.dx;
    EXPECT_EQ(left->Rect(), (vt::Rect{0, 0, c.leftWidth + c.moved, 100})) << c.dx;
    EXPECT_EQ(right->Rect(), (vt::Rect{c.leftWidth + 5 + c.moved, 0, c.leftWidth + 5 + c.rightWidth, 100}))
        << c.dx;
    delete group;
  }
}

TEST_F(SplitterTest, ReleaseLaysOutTheParentAndRepaintsItUnlessAHandlerTakesTheRelease) {
  Build();
  Drag(0);  // no move: nothing moves, the parent is still laid out and repainted
  EXPECT_EQ(splitter->Rect().left, 100);
  EXPECT_EQ(layouts.size(), 1u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "left draw"), 1);
  Log released;
  AddLogEvent(splitter, GEVENT_SPLITTER_RELEASED, &released);
  log.clear();
  Drag(10);
  EXPECT_EQ(released.size(), 1u);
  EXPECT_EQ(layouts.size(), 2u);
  EXPECT_EQ(std::count(log.begin(), log.end(), "left draw"), 0);  // the handler repaints
  // A double click acts as a press.
  root->OnLButtonDblClk(0, splitter->Rect().left + 1, 50);
  root->OnLButtonUp(0, splitter->Rect().left + 1, 50);
  EXPECT_EQ(released.size(), 2u);
}

TEST_F(SplitterTest, TheOutlineIsDrawnOnTheWindowAndTheLastOneErasedFromTheBackBuffer) {
  Build();
  const vt::ColorRef back = BackPixel(130, 50);
  root->OnLButtonDown(0, 102, 50);
  root->OnMouseMove(vt::kMkLButton, 122, 50);  // outline at x 120-125
  EXPECT_EQ(g_dragFeedbackRect, (vt::Rect{120, 0, 125, 100}));
  // Three nested dotted outlines (XOR): columns 120, 122 and 124 on this row; none outside.
  for (int x : {120, 122, 124}) EXPECT_NE(FrontPixel(x, 50), BackPixel(x, 50)) << x;
  for (int x : {119, 121, 125}) EXPECT_EQ(FrontPixel(x, 50), BackPixel(x, 50)) << x;
  root->OnMouseMove(vt::kMkLButton, 152, 50);  // clamped to +30: x 130-135
  EXPECT_EQ(g_dragFeedbackRect, (vt::Rect{130, 0, 135, 100}));
  EXPECT_EQ(FrontPixel(120, 50), BackPixel(120, 50));  // the old outline is gone
  EXPECT_NE(FrontPixel(130, 50), back);
  root->OnLButtonUp(0, 152, 50);
  EXPECT_EQ(FrontPixel(130, 50),
            BackPixel(130, 50));  // the repaint leaves no outline  // the repaint leaves no outline
}

TEST_F(SplitterTest, TheCursorBecomesTheSizingArrowOverAnActiveSplitterAndReturns) {
  Build();
  root->OnMouseMove(0, 102, 50);
  EXPECT_EQ(host->Cursor(), vt::kCursorSizeWe);
  root->OnMouseMove(0, 20, 50);
  EXPECT_EQ(host->Cursor(), vt::kCursorArrow);
  splitter->SetStyle(1);  // visible, not enabled
  root->OnMouseMove(0, 102, 50);
  EXPECT_EQ(host->Cursor(), vt::kCursorArrow);
}

TEST_F(SplitterTest, TheStripCellIsCentredOrCutToItsMiddleColumnsAndFollowsTheState) {
  // A strip of three 4 x 10 cells: state s has columns coloured 0x10 * (s + 1) + column.
  auto strip = vt::Bitmap::Create(12, 10, 24);
  for (int s = 0; s < 3; ++s)
    for (int col = 0; col < 4; ++col)
      for (int y = 0; y < 10; ++y) strip->SetPixel(s * 4 + col, y, vt::ColorRef(0x10 * (s + 1) + col));
  vt::RegisterBitmap(7701, std::move(strip));
  unsigned char block[32] = {};
  block[0] = 7701 & 0xFF;
  block[1] = 7701 >> 8;
  block[8] = 4;    // cell width
  block[12] = 10;  // cell height
  block[20] = 2;   // cap
  SetSkHSplitterSkin(block);
  Build();
  // 5 wide: the 4-wide cell is centred at x 100 + 0 .. 104.
  EXPECT_EQ(BackPixel(100, 50), 0x10u);
  EXPECT_EQ(BackPixel(103, 50), 0x13u);
  root->OnLButtonDown(0, 102, 50);  // pressed cell at once in the back buffer and on the window
  EXPECT_EQ(BackPixel(100, 50), 0x30u);
  EXPECT_EQ(FrontPixel(100, 50), 0x30u);
  root->OnLButtonUp(0, 102, 50);
  splitter->SetSize(2, 100);  // narrower than the cell: its middle columns 1 and 2
  splitter->SetStyle(1);
  splitter->Redraw();
  EXPECT_EQ(BackPixel(100, 50), 0x21u);
  EXPECT_EQ(BackPixel(101, 50), 0x22u);
  SetSkHSplitterSkin(std::vector<unsigned char>(32, 0).data());
  vt::RegisterBitmap(7701, nullptr);
}

}  // namespace
}  // namespace gadget_test

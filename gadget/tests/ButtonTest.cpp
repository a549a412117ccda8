// Buttons through the root's mouse routing: press, drag off, drag back and release of every
// kind, with the looks in the window and the events fired; hover of the skinned push button;
// radio selection through the box; volume-style repeat is in VolumeTest.
#include <gtest/gtest.h>

#include "gadget/GButton.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "gadget/testing/WidgetTestEnv.h"

namespace gadget_test {
namespace {

using ButtonTest = WidgetEnv;

constexpr vt::ColorRef kPressedCorner = 0x000000, kNormalCorner = 0xCACACA;

TEST_F(ButtonTest, PushButtonClicksOnlyOnAReleaseInsideAndShowsThePressOnlyWhileInside) {
  auto* b = new CGPushButton(root, 20, 10, 60, 24, 0, 12, "Go");
  AddLogEvent(b, GEVENT_CLICKED, &log);
  Repaint();
  EXPECT_EQ(FrontPixel(20, 10), kNormalCorner);
  Down(40, 20);
  EXPECT_EQ(FrontPixel(20, 10), kPressedCorner);
  Move(150, 80);  // off: the normal look in the window, the back buffer keeps the press
  EXPECT_EQ(FrontPixel(20, 10), kNormalCorner);
  EXPECT_EQ(BackPixel(20, 10), kPressedCorner);
  EXPECT_EQ(g_pressedInside, 0);
  Move(41, 21);  // back
  EXPECT_EQ(FrontPixel(20, 10), kPressedCorner);
  Up(41, 21);
  EXPECT_EQ(FrontPixel(20, 10), kNormalCorner);
  EXPECT_EQ(log, (Log{"event 2"}));
  // Pressed and released outside: no click, drawn normal.
  log.clear();
  Down(40, 20);
  Move(150, 80);
  Up(150, 80);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(FrontPixel(20, 10), kNormalCorner);
  EXPECT_EQ(BackPixel(20, 10), kNormalCorner);
}

TEST_F(ButtonTest, DisabledOrHiddenButtonsIgnoreThePress) {
  auto* b = new CGPushButton(root, 20, 10, 60, 24, 0, 12, "Go");
  AddLogEvent(b, GEVENT_CLICKED, &log);
  b->SetStyle(GSTYLE_VISIBLE);
  Repaint();
  Down(40, 20);
  EXPECT_EQ(FrontPixel(20, 10), kNormalCorner);
  Up(40, 20);
  b->SetStyle(GSTYLE_ACTIVE);
  root->SetStyle(GSTYLE_VISIBLE);  // disabled through an ancestor
  b->OnLButtonDown(0, 40, 20);
  b->OnLButtonUp(0, 40, 20);
  EXPECT_TRUE(log.empty());
}

TEST_F(ButtonTest, SkinnedPushButtonShowsHoverNormalPressedAndDisabledCells) {
  auto* b = new CGSkPushButton(root, 20, 10, 80, 30, 0, 12, "");
  AddLogEvent(b, GEVENT_CLICKED, &log);
  Repaint();
  auto cell = [](int i) { return CellColour(kSkinPushFace, i, 24, 24); };
  const int cx = 60, cy = 25;
  EXPECT_EQ(FrontPixel(cx, cy), cell(0));
  Move(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), cell(3));
  Move(150, 80);
  EXPECT_EQ(FrontPixel(cx, cy), cell(0));
  // Press, out, release outside: normal, no click.
  Move(cx, cy);
  Down(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), cell(2));
  Move(150, 80);
  EXPECT_EQ(FrontPixel(cx, cy), cell(0));
  Move(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), cell(2));
  Up(cx, cy);  // released inside: the hover look, since the mouse is still over it
  EXPECT_EQ(FrontPixel(cx, cy), cell(3));
  EXPECT_EQ(log, (Log{"event 2"}));
  // A full repaint while hovered keeps the hover look.
  Repaint();
  EXPECT_EQ(FrontPixel(cx, cy), cell(3));
  Move(150, 80);
  b->SetStyle(GSTYLE_VISIBLE);
  Repaint();
  EXPECT_EQ(FrontPixel(cx, cy), cell(1));
  Move(cx, cy);
  Down(cx, cy);
  Up(cx, cy);
  EXPECT_EQ(FrontPixel(cx, cy), cell(1));
  EXPECT_EQ(log, (Log{"event 2"}));
}

TEST_F(ButtonTest, ToggleShowsTheStateAClickWouldGiveAndChangesOnlyOnARelease) {
  auto* t = new CGSkTogIconButton(root, 10, 10, 100, 16, 0, GSTYLE_ACTIVE, 0, "Grid", 0, 0, 0, 0);
  AddLogEvent(t, GEVENT_CHANGED, &log);
  Repaint();
  auto cell = [](int i) { return CellColour(kSkinCheckStrip, i, 16, 16); };
  // The icon square is 16 x 16 at (10, 10); its centre shows the strip cell's centre.
  const int ix = 18, iy = 18;
  EXPECT_EQ(FrontPixel(ix, iy), cell(0));
  Down(ix, iy);
  EXPECT_EQ(FrontPixel(ix, iy), cell(1));
  Move(150, 80);
  EXPECT_EQ(FrontPixel(ix, iy), cell(0));
  Up(150, 80);
  int v = -1;
  t->GetValue(&v);
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(log.empty());
  Down(ix, iy);
  Move(150, 80);
  Move(ix, iy);
  Up(ix, iy);
  t->GetValue(&v);
  EXPECT_EQ(v, 1);
  EXPECT_EQ(FrontPixel(ix, iy), cell(1));
  EXPECT_EQ(log, (Log{"event 1"}));
  // Pressing a checked toggle previews the unchecked look.
  Down(ix, iy);
  EXPECT_EQ(FrontPixel(ix, iy), cell(0));
  Up(ix, iy);
  t->SetStyle(GSTYLE_VISIBLE);
  Repaint();
  EXPECT_EQ(FrontPixel(ix, iy), cell(2));
}

TEST_F(ButtonTest, StripCellsAreLimitedByTheCellCountAndAnEmptyStripDrawsNothing) {
  auto* t = new CGTogIconButton(root, 0, 0, 50, 16, 0, GSTYLE_ACTIVE, 0, "", 16, 16, kSkinCheckStrip, 0);
  EXPECT_EQ(t->Icon().Cell(0), 0);
  EXPECT_EQ(t->Icon().Cell(3), 3);
  vt::SGIconCaption two = t->Icon();
  two.stripFlags = 0x12;
  EXPECT_EQ(two.Cell(1), 1);
  EXPECT_EQ(two.Cell(2), 1);
  EXPECT_EQ(two.Cell(3), 1);
  two.stripFlags = 0x10;
  EXPECT_EQ(two.Cell(0), -1);
}

TEST_F(ButtonTest, RadioButtonSelectsItsPositionAndFiresOnTheBoxOnlyOnAChange) {
  auto* box = new CGSkRadioBox(root, 0, 0, 0, GSTYLE_ACTIVE, 120, 60, kRowColumnTopDown);
  AddLogEvent(box, GEVENT_CHANGED, &log);
  std::vector<CGRadioIconButton*> radios;
  for (const char* c : {"a", "b", "c"})
    radios.push_back(new CGSkRadioIconButton(box, 0, 0, 120, 0, c, 0, 0, 0, 0));
  box->SetValue(0);
  root->LayoutTree();
  Repaint();
  const vt::Rect third = radios[2]->Rect();
  Down(third.left + 7, third.top + 7);
  Up(third.left + 7, third.top + 7);
  int selection = -1;
  box->GetValue(&selection);
  EXPECT_EQ(selection, 2);
  for (int i = 0; i < 3; ++i) {
    int v = -1;
    radios[size_t(i)]->GetValue(&v);
    EXPECT_EQ(v, i == 2 ? 1 : 0);
  }
  EXPECT_EQ(log, (Log{"event 1"}));
  Down(third.left + 7, third.top + 7);
  Up(third.left + 7, third.top + 7);
  EXPECT_EQ(log, (Log{"event 1"}));
  // The skinned radio draws its selected cell in the left square even without a caption.
  radios[2]->SetText("");
  Repaint();
  EXPECT_EQ(FrontPixel(third.left + 7, third.top + 10), CellColour(kSkinRadioStrip, 1, 14, 14));
}

}  // namespace
}  // namespace gadget_test

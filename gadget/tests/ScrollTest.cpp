// Tests of scrolling: ranges, positions and clamps of the bars, the manager's layout and the
// settle passes, the wheel through the root, line steps by the arrow buttons with their repeat
// timer, track paging and thumb dragging, and the print pages of the manager.
#include <gtest/gtest.h>

#include "gadget/GScroll.h"
#include "gadget/GScrollBar.h"
#include "gadget/testing/GadgetTestEnv.h"

namespace gadget_test {
namespace {

using ScrollTest = RootEnv;

// A manager filling the 200 x 100 root: frame 2, bars 16 thick, line step 16.
struct ManagerParts {
  CGScrollManager* manager;
  CGScroll* body;
  CGVScrollBar* vbar;
  CGHScrollBar* hbar;
};

ManagerParts MakeManager(CGCore* parent, int frame = 2) {
  ManagerParts m;
  m.manager = new CGScrollManager(parent, 0, 0, 0, 3, 200, 100, frame, 16);
  m.body = new CGScroll(m.manager, 0, 3);
  m.vbar = new CGVScrollBar(m.manager, 0, 0, 0, 3, 16, 16, 16);
  EXPECT_EQ(m.vbar->Build(1), 0);
  m.hbar = new CGHScrollBar(m.manager, 0, 0, 0, 3, 16, 16, 16);
  EXPECT_EQ(m.hbar->Build(1), 0);
  return m;
}

TEST_F(ScrollTest, PartsRegisterWithTheirContainersAndALaterOneReplaces) {
  ManagerParts m = MakeManager(root);
  EXPECT_EQ(m.manager->m_body, m.body);
  EXPECT_EQ(m.manager->m_verticalBar, m.vbar);
  EXPECT_EQ(m.manager->m_horizontalBar, m.hbar);
  EXPECT_NE(m.vbar->m_firstButton, nullptr);
  EXPECT_TRUE(IsKindOfClass(m.vbar->m_firstButton, GCLASS(CGScrollUpButton)));
  EXPECT_TRUE(IsKindOfClass(m.hbar->m_secondButton, GCLASS(CGScrollRightButton)));
  EXPECT_TRUE(IsKindOfClass(m.hbar->m_thumb, GCLASS(CGHBar)));
  auto* second = new CGScroll(m.manager, 0, 3);
  EXPECT_EQ(m.manager->m_body, second);
  delete second;  // a part that goes is forgotten by its container
  EXPECT_EQ(m.manager->m_body, nullptr);
  delete m.vbar->m_thumb;
  EXPECT_EQ(m.vbar->m_thumb, nullptr);
  // Buttons register only on a bar of their own direction.
  auto* up = new CGScrollUpButton(m.hbar, 1);
  EXPECT_TRUE(IsKindOfClass(m.hbar->m_firstButton, GCLASS(CGScrollLeftButton)));
  delete up;
}

TEST_F(ScrollTest, SetValueKeepsThePositionInsideTheRangeLessAPage) {
  CGVScrollBar bar(nullptr, 0, 0, 0, 3, 16, 100, 1);
  struct Case {
    int maximum, page, value, expected;
  } cases[] = {{100, 30, 80, 70}, {100, 30, -5, 0},     {100, 30, 50, 50},
               {100, 150, 60, 0}, {499, 200, 299, 299}, {499, 200, 300, 299}};
  for (const Case& c : cases) {
    bar.m_maximum = c.maximum;
    bar.m_page = c.page;
    bar.SetValue(c.value);
    int out = -1;
    EXPECT_EQ(bar.GetValue(&out), 0);
    EXPECT_EQ(out, c.expected) << c.maximum << " " << c.page << " " << c.value;
  }
}

TEST_F(ScrollTest, PlainLayoutInsetsThePartsAndTheTrackNeverGoesNegative) {
  auto* bar = new CGVScrollBar(root, 0, 0, 0, 3, 18, 16, 1);
  bar->Build(1);
  bar->SetSize(18, 100);  // a resize lays the parts out
  EXPECT_EQ(bar->m_firstButton->Rect(), (vt::Rect{1, 1, 17, 17}));
  EXPECT_EQ(bar->m_secondButton->Rect(), (vt::Rect{1, 83, 17, 99}));
  EXPECT_EQ(bar->m_thumb->Rect(), (vt::Rect{1, 17, 17, 83}));
  bar->SetSize(18, 20);
  EXPECT_EQ(bar->m_thumb->Rect().Height(), 0);
  auto* h = new CGHScrollBar(root, 0, 0, 0, 3, 100, 12, 1);
  h->Build(2);
  h->SetSize(100, 12);
  EXPECT_EQ(h->m_secondButton->Rect(), (vt::Rect{89, 1, 99, 11}));
  EXPECT_EQ(h->m_thumb->Rect(), (vt::Rect{11, 1, 89, 11}));
}

TEST_F(ScrollTest, ThumbGeometryIsProportionalAtLeastEightAndNeverDividesByZero) {
  // A track 200 long: bar 18 wide (buttons 16) and 234 high.
  auto* bar = new CGVScrollBar(root, 0, 0, 0, 3, 18, 234, 1);
  bar->Build(1);
  bar->SetSize(18, 234);
  ASSERT_EQ(bar->m_thumb->Rect().Height(), 200);
  PaintWindow();
  struct Case {
    int minimum, maximum, page, position, length, offset;
  } cases[] = {
      {0, 1000, 100, 450, 20, 90},  // 450 / 900 * 180
      {0, 1000000, 10, 0, 8, 0},    // a huge range keeps 8 pixels
      {0, 100, 100, 0, 200, 0},     // page equals the range: no division by zero
      {0, 100, 300, 0, 600, -400},  // page over the range: pulled back, no thumb
      {5, 5, 10, 5, 200, 0},        // an empty range
  };
  for (const Case& c : cases) {
    bar->m_minimum = c.minimum;
    bar->m_maximum = c.maximum;
    bar->m_page = c.page;
    bar->m_position = c.position;
    bar->m_thumb->Redraw();
    EXPECT_EQ(bar->m_thumb->m_thumbLength, c.length) << c.maximum << " " << c.page;
    EXPECT_EQ(bar->m_thumb->m_thumbOffset, c.offset) << c.maximum << " " << c.page;
  }
  // A track of no length computes without dividing and shows no thumb.
  bar->SetSize(18, 30);
  ASSERT_EQ(bar->m_thumb->Rect().Height(), 0);
  bar->m_maximum = 1000;
  bar->m_page = 100;
  bar->m_position = 500;
  bar->m_thumb->ComputeThumbFor(0);
  EXPECT_EQ(bar->m_thumb->m_thumbLength, 8);
  EXPECT_EQ(bar->m_thumb->m_thumbOffset, -8);
}

TEST_F(ScrollTest, SyncClampsThePositionAndShowsABarOnlyForContentLargerThanTheView) {
  ManagerParts m = MakeManager(root);
  m.body->SetBounds(0, 0, 100, 300);
  struct Case {
    int viewHeight, contentHeight, scrollY, expectedY, style;
  } cases[] = {
      {300, 1000, 900, 700, 3},  // pulled back to the end
      {300, 300, 50, 0, 0},      // exactly as large as the view: hidden
      {300, 200, 50, 0, 0},      // smaller content
      {0, 1000, 10, 10, 0},      // a view of no height: hidden whatever the content
      {300, 1000, -20, 0, 3},
  };
  for (const Case& c : cases) {
    m.body->SetBounds(0, 0, 100, c.viewHeight);
    m.body->m_contentHeight = c.contentHeight;
    m.body->m_scrollY = c.scrollY;
    m.manager->SyncScrollBars();
    EXPECT_EQ(m.body->m_scrollY, c.expectedY) << c.contentHeight;
    EXPECT_EQ(m.vbar->GetStyle(), c.style) << c.contentHeight;
    if (c.style) {
      EXPECT_EQ(m.vbar->m_position, c.expectedY);
      EXPECT_EQ(m.vbar->m_page, c.viewHeight);
      EXPECT_EQ(m.vbar->m_maximum, c.contentHeight);
      EXPECT_EQ(m.vbar->m_minimum, 0);
    }
  }
  // Without a body nothing changes.
  m.manager->m_body = nullptr;
  m.vbar->m_maximum = 77;
  m.manager->SyncScrollBars();
  m.manager->SetScroll(0, 5000);
  EXPECT_EQ(m.vbar->m_maximum, 77);
  EXPECT_EQ(m.vbar->m_position, 77 - m.vbar->m_page < 0 ? 0 : 77 - m.vbar->m_page);
}

TEST_F(ScrollTest, LayoutSettlesWhenOneBarMakesTheOtherNecessary) {
  ManagerParts m = MakeManager(root, 0);
  struct Case {
    int contentWidth, contentHeight, vStyle, hStyle;
    vt::Rect body;
  } cases[] = {
      {195, 150, 3, 3, {0, 0, 184, 84}},  // the vertical bar narrows the view below 195
      {150, 95, 0, 0, {0, 0, 200, 100}},  // three passes: the bars go one after the other
      {190, 90, 0, 0, {0, 0, 200, 100}},
      {300, 95, 3, 3, {0, 0, 184, 84}},  // the horizontal bar lowers the view below 95
  };
  for (const Case& c : cases) {
    m.body->m_contentWidth = c.contentWidth;
    m.body->m_contentHeight = c.contentHeight;
    m.manager->LayoutTree();
    EXPECT_EQ(m.vbar->GetStyle(), c.vStyle) << c.contentWidth << "x" << c.contentHeight;
    EXPECT_EQ(m.hbar->GetStyle(), c.hStyle) << c.contentWidth << "x" << c.contentHeight;
    EXPECT_EQ(m.body->Rect(), c.body) << c.contentWidth << "x" << c.contentHeight;
  }
  EXPECT_EQ(m.vbar->Rect(), (vt::Rect{184, 0, 200, 84}));
  EXPECT_EQ(m.hbar->Rect(), (vt::Rect{0, 84, 184, 100}));
}

TEST_F(ScrollTest, ABodyThatKeepsFlippingEndsWithBothBarsHiddenAfterFivePasses) {
  // Content taller than the view only while the view has its full width: the bar flips.
  class Flipper : public CGScroll {
   public:
    using CGScroll::CGScroll;
    void Layout() override {
      ++layouts;
      m_contentHeight = ViewWidth() == 200 ? 500 : 10;
    }
    int layouts = 0;
  };
  auto* manager = new CGScrollManager(root, 0, 0, 0, 3, 200, 100, 0, 16);
  auto* body = new Flipper(manager, 0, 3);
  auto* vbar = new CGVScrollBar(manager, 0, 0, 0, 3, 16, 16, 16);
  vbar->Build(1);
  manager->LayoutTree();
  EXPECT_EQ(vbar->GetStyle(), 0);
  EXPECT_EQ(body->layouts, 1 + kScrollSettlePasses + 1);
}

TEST_F(ScrollTest, TheWheelScrollsByLinesOfTheStepOnlyWhileThereIsRoomAndAPressSelectsTheManager) {
  ManagerParts m = MakeManager(root, 0);
  Log events;
  AddLogEvent(m.manager, GEVENT_SCROLLED, &events);
  m.body->m_contentWidth = 100;
  m.body->m_contentHeight = 1000;
  PaintWindow();
  ASSERT_EQ(m.vbar->GetStyle(), 3);
  EXPECT_EQ(root->GetWheelTarget(), nullptr);
  root->OnLButtonDown(0, 10, 10);
  root->OnLButtonUp(0, 10, 10);
  EXPECT_EQ(root->GetWheelTarget(), m.manager);
  EXPECT_FALSE(root->OnMouseWheel(0, 120, 1010, 510));  // at the top: not scrollable upwards
  struct Step {
    int delta, expected;
    bool handled;
  } steps[] = {{-120, 16, true}, {-240, 48, true},   {60, 48, true},
               {120, 32, true},  {-7200, 900, true}, {-120, 900, false}};
  for (const Step& s : steps) {
    EXPECT_EQ(root->OnMouseWheel(0, s.delta, 1010, 510), s.handled) << s.delta;
    EXPECT_EQ(m.body->m_scrollY, s.expected) << s.delta;
    EXPECT_EQ(m.vbar->m_position, s.expected) << s.delta;
  }
  EXPECT_TRUE(events.empty());  // the wheel announces nothing
  // A hidden bar takes no wheel.
  m.body->m_contentHeight = 50;
  m.manager->LayoutTree();
  EXPECT_EQ(m.manager->CanScrollWheel(0, -120, 0, 0), 0);
  EXPECT_FALSE(m.manager->OnMouseWheel(0, -120, 0, 0));
}

TEST_F(ScrollTest, ArrowButtonsStepAtThePressAndOnEveryTickButNotOnRelease) {
  ManagerParts m = MakeManager(root, 0);
  Log barEvents, managerEvents, buttonEvents;
  AddLogEvent(m.vbar, GEVENT_CHANGED, &barEvents);
  AddLogEvent(m.manager, GEVENT_SCROLLED, &managerEvents);
  AddLogEvent(m.vbar->m_secondButton, GEVENT_CLICKED, &buttonEvents);
  m.body->m_contentWidth = 100;
  m.body->m_contentHeight = 1000;
  PaintWindow();
  // The up button at the top: no move, but the bar still reports.
  const vt::Rect up = m.vbar->m_firstButton->Rect();
  root->OnLButtonDown(0, 184 + up.left + 2, up.top + 2);
  EXPECT_EQ(m.body->m_scrollY, 0);
  EXPECT_EQ(barEvents.size(), 1u);
  EXPECT_EQ(managerEvents.size(), 1u);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 50u);
  root->OnLButtonUp(0, 184 + up.left + 2, up.top + 2);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  EXPECT_EQ(g_repeatTimer, 0u);

  const vt::Rect down = m.vbar->m_secondButton->Rect();
  root->OnLButtonDown(0, 184 + down.left + 2, down.top + 2);
  EXPECT_EQ(m.body->m_scrollY, 16);
  EXPECT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
  EXPECT_TRUE(host->FireTimer(vt::GTIMER_REPEAT));
  EXPECT_EQ(m.body->m_scrollY, 48);
  root->OnMouseMove(vt::kMkLButton, 5, 5);  // leaving the button does not stop or step
  root->OnLButtonUp(0, 5, 5);               // released outside: no further step
  EXPECT_EQ(m.body->m_scrollY, 48);
  EXPECT_EQ(m.vbar->m_position, 48);
  EXPECT_FALSE(host->FireTimer(vt::GTIMER_REPEAT));
  EXPECT_EQ(barEvents.size(), 4u);
  EXPECT_EQ(managerEvents.size(), 4u);
  EXPECT_TRUE(buttonEvents.empty());  // up and down buttons fire nothing of their own

  // Left and right buttons fire GEVENT_CLICKED on every step.
  Log rightEvents;
  AddLogEvent(m.hbar->m_secondButton, GEVENT_CLICKED, &rightEvents);
  m.body->m_contentWidth = 1000;
  m.manager->LayoutTree();
  PaintWindow();
  const vt::Rect right = m.hbar->m_secondButton->Rect();
  root->OnLButtonDown(0, right.left + 2, m.hbar->Rect().top + 2);
  host->FireTimer(vt::GTIMER_REPEAT);
  root->OnLButtonUp(0, right.left + 2, m.hbar->Rect().top + 2);
  EXPECT_EQ(rightEvents.size(), 2u);
  EXPECT_EQ(m.body->m_scrollX, 32);
}

TEST_F(ScrollTest, PressingTheTrackPagesTowardsThePointWithTheRepeatTimerAndStopsThere) {
  // A free vertical bar 18 x 234: track from y 17, 200 long; range 0-1000, page 100.
  auto* bar = new CGVScrollBar(root, 0, 0, 0, 3, 18, 234, 1);
  bar->Build(1);
  bar->m_maximum = 1000;
  bar->m_page = 100;
  host->Resize(200, 300);
  PaintWindow();
  bar->SetSize(18, 234);
  PaintWindow();
  ASSERT_EQ(bar->m_thumb->m_thumbLength, 20);
  Log events;
  AddLogEvent(bar, GEVENT_CHANGED, &events);
  // Local 150: target trunc(150 / 180 * 900) - 20 = 730.
  root->OnLButtonDown(0, 5, 17 + 150);
  EXPECT_EQ(g_scrollDrag.mode, 2);
  EXPECT_EQ(g_scrollDrag.targetPosition, 730);
  EXPECT_EQ(bar->m_position, 100);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 50u);
  std::vector<int> seen;
  for (int i = 0; i < 8; ++i) {
    host->FireTimer(vt::GTIMER_REPEAT);
    seen.push_back(bar->m_position);
  }
  EXPECT_EQ(seen, (std::vector<int>{200, 300, 400, 500, 600, 700, 730, 730}));
  root->OnLButtonUp(0, 5, 17 + 150);
  EXPECT_EQ(g_scrollDrag.mode, 0);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  EXPECT_EQ(events.size(), 9u);
  // Paging back from 730 at local 10: target trunc(10 / 180 * 900) - 20 = 30.
  root->OnLButtonDown(0, 5, 17 + 10);
  EXPECT_EQ(g_scrollDrag.mode, 3);
  EXPECT_EQ(bar->m_position, 630);
  root->OnLButtonUp(0, 5, 17 + 10);
}

TEST_F(ScrollTest, DraggingTheThumbFollowsTheMouseAndAPressWithoutThumbDoesNothing) {
  auto* bar = new CGHScrollBar(root, 0, 0, 0, 3, 200, 12, 1);
  bar->Build(1);
  bar->SetSize(200, 12);  // track from x 11, 178 long
  bar->m_maximum = 1000;
  bar->m_page = 100;
  PaintWindow();
  Log events;
  AddLogEvent(bar, GEVENT_CHANGED, &events);
  const int length = bar->m_thumb->m_thumbLength;  // trunc(0.1 * 178) = 17
  ASSERT_EQ(length, 17);
  root->OnLButtonDown(0, 11 + 5, 5);
  EXPECT_EQ(g_scrollDrag.mode, 1);
  EXPECT_EQ(g_scrollDrag.offset, 5);
  EXPECT_EQ(bar->m_thumb->m_pressed, 1);
  EXPECT_EQ(bar->m_position, 0);                       // nothing moves at the press
  root->OnMouseMove(vt::kMkLButton, 11 + 5 + 80, 40);  // 80 / 161 * 900 = 447
  EXPECT_EQ(bar->m_position, 447);
  root->OnMouseMove(vt::kMkLButton, 11 + 5 + 80, 0);  // the same place: no event
  root->OnMouseMove(vt::kMkLButton, 500, 0);          // past the end: clamped
  EXPECT_EQ(bar->m_position, 900);
  root->OnLButtonUp(0, 500, 0);
  EXPECT_EQ(bar->m_thumb->m_pressed, 0);
  EXPECT_EQ(events.size(), 2u);
  // Below the minimum no thumb shows: a press starts nothing.
  bar->m_position = -1;
  bar->m_minimum = 0;
  bar->m_thumb->m_thumbOffset = -1;
  root->OnLButtonDown(0, 50, 5);
  EXPECT_EQ(g_scrollDrag.mode, 0);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  root->OnLButtonUp(0, 50, 5);
}

TEST_F(ScrollTest, PrintPagesRunLeftToRightThenDown) {
  ManagerParts m = MakeManager(root);
  m.manager->m_pagesAcross = 2;
  m.manager->m_pagesDown = 3;
  m.manager->m_pageStepX = 500;
  m.manager->m_pageStepY = 700;
  m.manager->m_printBaseX = 7;
  m.manager->m_printBaseY = 9;
  EXPECT_EQ(m.manager->GetPrintPageCount(nullptr), 6);
  m.manager->SetPrintPage(3);
  EXPECT_EQ(m.body->m_printScrollX, 507);
  EXPECT_EQ(m.body->m_printScrollY, 709);
  m.manager->SetPrintPage(4);
  EXPECT_EQ(m.body->m_printScrollX, 7);
  EXPECT_EQ(m.body->m_printScrollY, 1409);
  // No pages across: nothing moves (and nothing divides by zero).
  m.manager->m_pagesAcross = 0;
  m.manager->SetPrintPage(5);
  EXPECT_EQ(m.body->m_printScrollX, 7);
  EXPECT_EQ(m.manager->GetPrintPageCount(nullptr), 0);
}

TEST_F(ScrollTest, ChildrenOfTheBodyAreShownShiftedByTheScrollPositionAndHintOneResets) {
  ManagerParts m = MakeManager(root, 0);
  Log log;
  auto* probe = new Probe(m.body, "p", &log, {50, 120, 60, 130}, 0x00FF00);
  m.body->m_contentWidth = 150;
  m.body->m_contentHeight = 400;
  PaintWindow();
  EXPECT_NE(BackPixel(55, 125), 0x00FF00u);  // below the view
  m.manager->SetScrollY(100);
  EXPECT_EQ(BackPixel(55, 25), 0x00FF00u);
  vt::Rect r;
  probe->GetAbsoluteRect(&r);
  EXPECT_EQ(r, (vt::Rect{50, 20, 60, 30}));
  m.body->m_printContentWidth = 900;
  m.body->m_printContentHeight = 700;
  m.body->OnUpdate(1, nullptr);
  EXPECT_EQ(m.body->m_scrollY, 0);
  EXPECT_EQ(m.body->m_contentHeight, 0);
  EXPECT_EQ(m.body->m_printContentWidth, 0);
  EXPECT_EQ(m.body->m_printContentHeight, 0);
  EXPECT_EQ(log.back(), "p update 1");
}

}  // namespace
}  // namespace gadget_test

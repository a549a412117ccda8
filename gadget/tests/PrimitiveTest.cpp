// Tests of the primitive gadget: effective style, paint and hit order, the capture path of
// both buttons, hover, keys, event callbacks, help text, focus order, coordinates, timers and
// the print rectangles.
#include <gtest/gtest.h>

#include <algorithm>

#include "gadget/GStocker.h"
#include "gadget/testing/GadgetTestEnv.h"

namespace gadget_test {
namespace {

using PrimitiveTest = RootEnv;

bool Has(const Log& log, const std::string& entry) {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST_F(PrimitiveTest, EffectiveStyleIsTheAndOfEveryPrimitiveAncestor) {
  Log log;
  auto* group = new CGGroup(root, 0, 0, 0, 3, 100, 100);
  auto* p = new Probe(group, "p", &log, {10, 10, 20, 20}, 0x0000FF, GSTYLE_VISIBLE);
  PaintWindow();
  EXPECT_TRUE(Has(log, "p draw"));
  EXPECT_EQ(p->GetEffectiveStyle(), 1);
  log.clear();
  group->SetStyle(GSTYLE_ENABLED);
  root->SetFullRedraw();
  PaintWindow();
  EXPECT_FALSE(Has(log, "p draw"));
  EXPECT_EQ(p->GetEffectiveStyle(), 0);
  EXPECT_EQ(root->GetEffectiveStyle(), 3);  // a root's parent is no primitive
  EXPECT_TRUE(p->HasEffectiveStyle(0));
  group->SetStyle(GSTYLE_ACTIVE | GSTYLE_MASKED);
  p->SetStyle(GSTYLE_ACTIVE);
  EXPECT_EQ(p->GetEffectiveStyle(), 3);
}

TEST_F(PrimitiveTest, TheFirstChildIsPaintedLastAndHitFirst) {
  Log log;
  new Probe(root, "first", &log, {10, 10, 50, 50}, 0x0000FF);
  new Probe(root, "second", &log, {30, 30, 70, 70}, 0x00FF00);
  PaintWindow();
  EXPECT_EQ(log, (Log{"second draw", "first draw"}));
  EXPECT_EQ(FrontPixel(40, 40), 0x0000FFu);  // the overlap shows the first child
  EXPECT_EQ(FrontPixel(60, 60), 0x00FF00u);
  log.clear();
  root->OnLButtonDown(vt::kMkLButton, 40, 40);
  EXPECT_EQ(log, (Log{"first down 40,40"}));
}

TEST_F(PrimitiveTest, APressCapturesThePathAndTheReleaseClearsItBeforeTheChildRuns) {
  Log log;
  auto* group = new CGGroup(root, 10, 10, 0, 3, 100, 80);
  auto* p = new Probe(group, "p", &log, {5, 5, 25, 25});
  PaintWindow();
  log.clear();
  root->OnLButtonDown(vt::kMkLButton, 20, 20);
  EXPECT_EQ(root->GetCaptured(), group);
  EXPECT_EQ(group->GetCaptured(), p);
  EXPECT_TRUE(host->HasCapture());
  // Moves go to the captured gadget, also outside it, in its own coordinates.
  root->OnMouseMove(vt::kMkLButton, 150, 90);
  root->OnLButtonUp(0, 150, 90);
  EXPECT_EQ(log, (Log{"p down 10,10", "p move 140,80", "p up 140,80"}));  // not captured while it runs
  EXPECT_EQ(root->GetCaptured(), nullptr);
  EXPECT_FALSE(host->HasCapture());
  // A disabled gadget is not captured.
  log.clear();
  p->SetStyle(GSTYLE_VISIBLE);
  root->OnLButtonDown(vt::kMkLButton, 20, 20);
  EXPECT_EQ(group->GetCaptured(), nullptr);
  EXPECT_TRUE(log.empty());
}

TEST_F(PrimitiveTest, TheRightButtonKeepsItsCaptureUntilTheChildHandledTheRelease) {
  Log log;
  auto* p = new Probe(root, "p", &log, {0, 0, 50, 50});
  PaintWindow();
  log.clear();
  root->OnRButtonDown(vt::kMkRButton, 5, 5);
  EXPECT_EQ(root->GetCaptured2(), p);
  EXPECT_EQ(root->GetCaptured(), nullptr);
  root->OnRButtonUp(0, 90, 90);
  EXPECT_EQ(log, (Log{"p rdown", "p rup"}));
  EXPECT_EQ(root->GetCaptured2(), nullptr);
}

TEST_F(PrimitiveTest, ReleasingOutsideTheWindowIsCompletedByTheNextMoveWithoutTheButton) {
  Log log;
  new Probe(root, "p", &log, {0, 0, 50, 50});
  PaintWindow();
  log.clear();
  root->OnLButtonDown(vt::kMkLButton, 5, 5);
  root->OnMouseMove(0, 300, 300);
  EXPECT_EQ(log, (Log{"p down 5,5", "p up 300,300"}));
  EXPECT_EQ(root->GetCaptured(), nullptr);
}

TEST_F(PrimitiveTest, HoverEntersAndLeavesOnlyWhileTheCursorIsOverTheHost) {
  Log log;
  auto* a = new Probe(root, "a", &log, {0, 0, 50, 50});
  new Probe(root, "b", &log, {60, 0, 100, 50}, 0xFF, GSTYLE_VISIBLE);  // disabled gadgets hover too
  PaintWindow();
  log.clear();
  root->OnMouseMove(0, 10, 10);
  root->OnMouseMove(0, 20, 10);
  root->OnMouseMove(0, 70, 10);
  EXPECT_EQ(log, (Log{"a enter", "a leave", "b enter"}));
  EXPECT_EQ(root->GetHover(), root->GetChildAt(1));
  log.clear();
  desktop->hostUnderCursor = 0;  // another window lies over the host
  root->OnMouseMove(0, 10, 10);
  EXPECT_EQ(log, (Log{"b leave"}));
  EXPECT_EQ(root->GetHover(), nullptr);
  (void)a;
}

TEST_F(PrimitiveTest, KeysGoToEveryActiveChildOrToTheCapturedOneAlone) {
  Log log;
  new Probe(root, "a", &log, {0, 0, 50, 50});
  new Probe(root, "off", &log, {0, 0, 50, 50}, 0xFF, GSTYLE_VISIBLE);
  new Probe(root, "c", &log, {60, 0, 100, 50});
  PaintWindow();
  log.clear();
  root->OnKeyDown('A', 1, 0);
  EXPECT_EQ(log, (Log{"a key 65", "c key 65"}));
  log.clear();
  root->OnLButtonDown(vt::kMkLButton, 70, 10);
  root->OnKeyDown('B', 1, 0);
  EXPECT_EQ(log, (Log{"c down 70,10", "c key 66"}));
}

TEST_F(PrimitiveTest, EventCallbacksRunInTheOrderAddedWithAPrivateCopyOfTheirData) {
  Log first, second;
  auto* p = new Probe(root, "p", nullptr, {0, 0, 10, 10});
  EXPECT_EQ(p->FireEvent(GEVENT_CLICKED), 0);
  Log* which = &first;
  p->AddEventCallback(GEVENT_CLICKED, &LogEvent, &which, sizeof which);
  which = &second;  // the entry keeps the pointer it was given
  p->AddEventCallback(GEVENT_CLICKED, &LogEvent, &which, sizeof which);
  AddLogEvent(p, GEVENT_CHANGED, &second);
  EXPECT_EQ(p->FireEvent(GEVENT_CLICKED), 1);
  EXPECT_EQ(first, (Log{"event 2"}));
  EXPECT_EQ(second, (Log{"event 2"}));
  EXPECT_EQ(p->FireEvent(GEVENT_CHANGED), 1);
  EXPECT_EQ(second, (Log{"event 2", "event 1"}));
  p->RemoveEventCallbacks();
  EXPECT_EQ(p->FireEvent(GEVENT_CLICKED), 0);
}

TEST_F(PrimitiveTest, HelpTextSplitsIntoStatusAndTooltipAtTheFirstNewline) {
  struct Case {
    const char* help;
    const char* status;
    const char* tip;
  };
  const Case cases[] = {{"all of it", "all of it", ""},
                        {"first\nsecond", "first", "second"},
                        {"a\nb\nc", "a", "b\nc"},
                        {nullptr, "", ""}};
  for (const Case& c : cases) {
    CGPrimitive p(nullptr, 0, 0, 0, 3, 1, 1);
    std::string status = "x", tip = "x";
    p.GetStatusText(&status);
    EXPECT_EQ(status, "");
    p.SetHelpText(c.help);
    p.GetStatusText(&status);
    p.GetTooltipText(&tip);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(tip, c.tip);
  }
}

TEST_F(PrimitiveTest, ValuesOfAGadgetWithoutValueAreNotAnswered) {
  CGPrimitive p(nullptr, 0, 0, 0, 3, 1, 1);
  double d = 1.5;
  int64_t l = 7;
  int i = 9;
  EXPECT_EQ(p.GetValue(&d), 3);
  EXPECT_EQ(p.GetValue(&l), 3);
  EXPECT_EQ(p.GetValue(&i), 3);
  EXPECT_EQ(d, 1.5);
  EXPECT_EQ(l, 7);
  EXPECT_EQ(i, 9);
}

TEST_F(PrimitiveTest, FocusMovesThroughNestedGroupsAndWrapsAtTheRoot) {
  Log log;
  auto* a = new Probe(root, "a", &log, {0, 0, 10, 10});
  auto* group = new CGGroup(root, 0, 20, 0, 3, 100, 20);
  auto* b = new Probe(group, "b", &log, {0, 0, 10, 10});
  auto* skipped = new Probe(group, "off", &log, {0, 0, 10, 10}, 0xFF, GSTYLE_VISIBLE);
  auto* c = new Probe(root, "c", &log, {0, 50, 10, 60});
  for (Probe* p : {a, b, skipped, c}) p->focusable = true;
  EXPECT_EQ(a->FocusNext(), 1);
  EXPECT_EQ(b->FocusNext(), 1);  // leaves the group: the disabled one cannot focus
  EXPECT_EQ(c->FocusNext(), 1);  // the last one wraps to the first
  EXPECT_EQ(a->FocusPrevious(), 1);
  EXPECT_EQ(log, (Log{"b focus", "c focus", "a focus", "c focus"}));
}

TEST_F(PrimitiveTest, RectanglesAreInTheParentsChildCoordinatesAndClippedByAncestors) {
  root->SetSize(200, 100);
  auto* outer = new CGGroup(root, 10, 20, 0, 3, 50, 50);
  auto* inner = new CGGroup(outer, 5, 5, 0, 3, 100, 10);
  auto* p = new CGPrimitive(inner, 30, 2, 0, 3, 40, 40);
  vt::Point origin;
  p->GetOrigin(&origin);
  EXPECT_EQ(origin, (vt::Point{15, 25}));
  vt::Rect r;
  p->GetAbsoluteRect(&r);
  EXPECT_EQ(r, (vt::Rect{45, 27, 85, 67}));
  ASSERT_TRUE(p->GetVisibleRect(&r));
  EXPECT_EQ(r, (vt::Rect{45, 27, 60, 35}));  // cut by inner (height 10) and outer (right 60)
  p->MoveTo(200, 0);
  EXPECT_FALSE(p->GetVisibleRect(&r));
  EXPECT_EQ(outer->ChildFromPoint(15, 25, 3), inner);  // outer's rect system: inner starts at (15, 25)
  EXPECT_EQ(outer->ChildFromPoint(14, 25, 3), nullptr);
}

TEST_F(PrimitiveTest, TimersGoToVisibleChildrenLastFirstAndTheRepeatToTheCapturedOne) {
  Log log;
  new Probe(root, "a", &log, {0, 0, 10, 10});
  new Probe(root, "hidden", &log, {0, 0, 10, 10}, 0xFF, GSTYLE_ENABLED);
  new Probe(root, "c", &log, {20, 0, 30, 10});
  PaintWindow();
  log.clear();
  root->OnTimer(vt::GTIMER_TICK);
  EXPECT_EQ(log, (Log{"c timer 6", "a timer 6"}));
  EXPECT_EQ(g_tickCount, 1);
  log.clear();
  root->OnTimer(vt::GTIMER_REPEAT);
  EXPECT_TRUE(log.empty());
  root->OnLButtonDown(vt::kMkLButton, 25, 5);
  root->OnTimer(vt::GTIMER_REPEAT);
  EXPECT_EQ(log, (Log{"c down 25,5", "c timer 1"}));
  root->OnTimer(vt::GTIMER_BLINK);
  EXPECT_EQ(g_blink, 0);
}

TEST_F(PrimitiveTest, PrintRectanglesAreTheScreenRectanglesTimesTheScale) {
  Log events;
  auto* group = new CGGroup(root, 10, 10, 0, 3, 100, 50);
  auto* shown = new CGPrimitive(group, 5, 6, 0, 3, 20, 10);
  auto* hidden = new CGPrimitive(group, 1, 1, 0, 2, 20, 10);
  AddLogEvent(group, GEVENT_LAYOUT, &events);
  root->SetPrintBounds(0, 0, 1000, 1000);
  root->ApplyPrintScale(5);  // the root itself does not scale its children
  EXPECT_EQ(group->PrintRect(), vt::Rect{});
  EXPECT_EQ(events, (Log{"event 3"}));  // the group scaled its own children
  root->ScaleChildrenPrintSize(5);
  EXPECT_EQ(group->PrintRect(), (vt::Rect{0, 0, 500, 250}));
  group->SetPrintPos(50, 50);
  group->ApplyPrintScale(5);
  EXPECT_EQ(events, (Log{"event 3", "event 3"}));
  EXPECT_EQ(shown->PrintRect(), (vt::Rect{25, 30, 125, 80}));
  EXPECT_EQ(hidden->PrintRect(), vt::Rect{});
  vt::Rect r;
  shown->GetAbsolutePrintRect(&r);
  EXPECT_EQ(r, (vt::Rect{75, 80, 175, 130}));
  ASSERT_TRUE(shown->GetVisiblePrintRect(&r));
  EXPECT_EQ(r, (vt::Rect{75, 80, 175, 130}));
}

TEST_F(PrimitiveTest, ReleasedGadgetsComeBackFromThePoolWithoutCallbacks) {
  Log log;
  auto* p = new Probe(root, "p", &log, {0, 0, 10, 10});
  AddLogEvent(p, GEVENT_CLICKED, &log);
  p->SetHelpText("kept");
  p->Release();
  EXPECT_EQ(root->GetFirstChild(), nullptr);
  CGCore* back = TakeFromStocker(p->GetClassInfo(), root);
  ASSERT_EQ(back, p);
  EXPECT_EQ(p->GetParent(), root);
  EXPECT_EQ(p->FireEvent(GEVENT_CLICKED), 0);
  ASSERT_NE(p->GetHelpText(), nullptr);
  EXPECT_EQ(*p->GetHelpText(), "kept");
}

}  // namespace
}  // namespace gadget_test

// The time scroll bar: position clamps and visibility, thumb geometry, arrow steps with their
// events, paging towards the pointer with the repeat timer, and the thumb drag.
#include <gtest/gtest.h>

#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/GraphBody.h"

namespace {

const PreciseTime kStart{1000000000, 0.0};
PreciseTime At(double s) { return PreciseTime::AddSeconds(kStart, s); }
double Offset(PreciseTime t) { return vt::SpanSeconds(kStart, t); }

int g_events[16];
void Count(CGPrimitive*, int code, void*) { ++g_events[code]; }

class TimeScrollBarTest : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    host = std::make_unique<vt::FakeHostWindow>(800, 400);
    root = new CGRoot(master, 0, 1);
    root->Attach(host.get());
    graph = new CGNgGraph(root);
    graph->Build(150);
    graph->SetBounds(0, 0, 800, 400);
    bar = graph->m_scrollBar;
    thumb = static_cast<CGNgHBar*>(bar->m_thumb);
    for (int& e : g_events) e = 0;
    bar->AddEventCallback(GEVENT_CHANGED, Count, nullptr, 0);
    graph->AddEventCallback(GEVENT_SCROLLED, Count, nullptr, 0);
    bar->m_secondButton->AddEventCallback(GEVENT_CLICKED, Count, nullptr, 0);
  }
  void TearDown() override {
    GadgetEnv::TearDown();
    host.reset();
  }
  void Show(double data, double from, double span) {
    graph->SetDataRange(At(0), At(data));
    graph->SetVisibleRange(At(from), At(from + span));
    graph->LayoutTree();
    host->Invalidate(nullptr);  // a first paint gives the root its back buffer
    host->RunPendingPaint();
  }
  // A point on the track in root coordinates: x from the track's left edge.
  int TrackY() const { return 400 - 8; }
  int TrackX(int x) const { return 16 + x; }

  std::unique_ptr<vt::FakeHostWindow> host;
  CGRoot* root = nullptr;
  CGNgGraph* graph = nullptr;
  CGNgHTScrollBar* bar = nullptr;
  CGNgHBar* thumb = nullptr;
};

}  // namespace

TEST_F(TimeScrollBarTest, PositionClampsAndVisibility) {
  EXPECT_TRUE(IsKindOfClass(bar->m_firstButton, GCLASS(CGNgScrollLeftButton)));
  EXPECT_TRUE(IsKindOfClass(bar->m_secondButton, GCLASS(CGNgScrollRightButton)));
  EXPECT_TRUE(IsKindOfClass(thumb, GCLASS(CGNgHBar)));
  Show(100, 0, 50);
  EXPECT_EQ(bar->GetStyle(), 3);
  struct Case {
    double set, expected;
  } cases[] = {{-10, 0}, {20, 20}, {50, 50}, {70, 50}};
  for (const Case& c : cases) {
    bar->SetPosition(At(c.set));
    EXPECT_DOUBLE_EQ(Offset(bar->GetPosition()), c.expected) << c.set;
  }
  for (double span : {100.0, 150.0, 0.0}) {
    bar->SetPosition(At(30));
    bar->SetVisibleSpan(span);
    EXPECT_EQ(bar->GetStyle(), 0) << span;
    if (span > 0) {
      EXPECT_EQ(bar->GetPosition(), kStart) << span;
    }
  }
  graph->SetDataRange(At(10), At(10));  // no duration
  bar->SetVisibleSpan(50);
  EXPECT_EQ(bar->GetStyle(), 0);
  EXPECT_EQ(bar->GetPosition(), At(10));
  // The bar takes its place under the graph only while it is visible.
  Show(100, 0, 50);
  EXPECT_EQ(bar->Rect(), (vt::Rect{0, 384, 800, 400}));
  EXPECT_EQ(thumb->Rect(), (vt::Rect{16, 0, 784, 16}));
}

TEST_F(TimeScrollBarTest, ThumbGeometryAndTimeAtOffset) {
  Show(86400, 0, 60);
  thumb->SetBounds(16, 0, 200, 16);
  thumb->ComputeThumbGeometry(200);
  EXPECT_EQ(thumb->m_thumbLength, 8);  // a day shown a minute at a time: the minimum
  EXPECT_EQ(thumb->m_thumbOffset, 0);
  bar->SetPosition(At(86400 - 60));
  thumb->ComputeThumbGeometry(200);
  EXPECT_EQ(thumb->m_thumbOffset, 192);
  EXPECT_NEAR(Offset(thumb->TimeAtOffset(96)), 96.0 / 192 * (86400 - 60), 1e-3);
  // A track no wider than the thumb has no time per pixel: the data start.
  thumb->SetBounds(16, 0, 6, 16);
  thumb->ComputeThumbGeometry(6);
  EXPECT_LT(thumb->m_thumbOffset, 0);
  EXPECT_EQ(thumb->TimeAtOffset(3), kStart);
}

TEST_F(TimeScrollBarTest, ArrowsStepATenthOfTheSpanAndAlwaysFireTheirEvents) {
  Show(3600, 0, 600);
  EXPECT_DOUBLE_EQ(bar->m_stepSeconds, 60);
  root->OnLButtonDown(vt::kMkLButton, 800 - 8, TrackY());
  EXPECT_DOUBLE_EQ(Offset(bar->GetPosition()), 60);
  PreciseTime s, e;
  graph->GetVisibleRange(&s, &e);
  EXPECT_DOUBLE_EQ(Offset(s), 60);  // the graph moved with the bar, keeping its span
  EXPECT_DOUBLE_EQ(Offset(e), 660);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 1u);
  host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_DOUBLE_EQ(Offset(bar->GetPosition()), 120);
  root->OnLButtonUp(0, 800 - 8, TrackY());
  EXPECT_EQ(g_repeatTimer, 0u);
  EXPECT_EQ(g_events[GEVENT_CHANGED], 2);
  EXPECT_EQ(g_events[GEVENT_SCROLLED], 2);
  EXPECT_EQ(g_events[GEVENT_CLICKED], 2);

  bar->SetPosition(At(3000));  // the latest start: a click changes nothing but still reports
  root->OnLButtonDown(vt::kMkLButton, 800 - 8, TrackY());
  root->OnLButtonUp(0, 800 - 8, TrackY());
  EXPECT_DOUBLE_EQ(Offset(bar->GetPosition()), 3000);
  EXPECT_EQ(g_events[GEVENT_CHANGED], 3);
  EXPECT_EQ(g_events[GEVENT_SCROLLED], 3);
  EXPECT_EQ(g_events[GEVENT_CLICKED], 3);
}

TEST_F(TimeScrollBarTest, PagingStopsWhereTheThumbIsCentredOnThePointer) {
  Show(10000, 0, 1000);  // thumb 76 of 768 pixels; 692 pixels for 9,000 s
  const int x = 500;
  root->OnLButtonDown(vt::kMkLButton, TrackX(x), TrackY());
  const double target = double(x - 76 / 2) / (768 - 76) * 9000;
  EXPECT_DOUBLE_EQ(Offset(bar->GetPosition()), 1000);  // one span first
  for (int i = 0; i < 10; ++i) host->FireTimer(vt::GTIMER_REPEAT);
  EXPECT_NEAR(Offset(bar->GetPosition()), target, 1e-3);  // then no further than the target
  root->OnLButtonUp(0, TrackX(x), TrackY());
  EXPECT_EQ(g_ngThumbPress.zone, 0);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);

  root->OnLButtonDown(vt::kMkLButton, TrackX(10), TrackY());  // left of the thumb: back
  EXPECT_NEAR(Offset(bar->GetPosition()), target - 1000, 1e-3);
  root->OnLButtonUp(0, TrackX(10), TrackY());
}

TEST_F(TimeScrollBarTest, DraggingKeepsTheGrabPointUnderThePointer) {
  Show(10000, 0, 1000);
  bar->SetPosition(At(4500));  // offset 346
  thumb->ComputeThumbGeometry(768);
  const int grabX = thumb->m_thumbOffset + 10;
  root->OnLButtonDown(vt::kMkLButton, TrackX(grabX), TrackY());
  EXPECT_EQ(thumb->m_pressed, 1);
  const int before = g_events[GEVENT_CHANGED];
  root->OnMouseMove(vt::kMkLButton, TrackX(grabX), TrackY());  // no move: nothing fires
  EXPECT_EQ(g_events[GEVENT_CHANGED], before);
  root->OnMouseMove(vt::kMkLButton, TrackX(grabX + 100), TrackY());
  thumb->ComputeThumbGeometry(768);
  EXPECT_NEAR(thumb->m_thumbOffset + 10, grabX + 100, 1);  // time and back truncate
  EXPECT_EQ(g_events[GEVENT_CHANGED], before + 1);
  root->OnLButtonUp(0, TrackX(grabX + 100), TrackY());
  EXPECT_EQ(thumb->m_pressed, 0);
}

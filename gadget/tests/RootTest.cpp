// Tests of the root and the group: the back buffer's life, incremental redraw, borrowing the
// window context, wheel, tooltip timers, shortcuts, printing set-up, frames and background
// inheritance, and the decisions on hostless roots, deleted gadgets and the repeat timer.
#include <gtest/gtest.h>

#include <algorithm>

#include "gadget/GDraw.h"
#include "gadget/InPlaceEditors.h"
#include "gadget/ToolTip.h"
#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/Cursors.h"
#include "platform/gui/InPlaceEdit.h"
#include "platform/gui/RecordingDc.h"

namespace gadget_test {
namespace {

using RootTest = RootEnv;

int Count(const Log& log, const std::string& entry) { return int(std::count(log.begin(), log.end(), entry)); }

TEST_F(RootTest, AResizeRelaysOutAndRepaintsOnceLaterPaintsOnlyCopy) {
  Log log, layouts;
  new Probe(root, "p", &log, {10, 10, 30, 30}, 0x0000FF);
  AddLogEvent(root, GEVENT_LAYOUT, &layouts);
  PaintWindow();
  EXPECT_EQ(Count(log, "p draw"), 1);
  EXPECT_EQ(layouts.size(), 1u);
  EXPECT_EQ(root->Rect(), (vt::Rect{0, 0, 200, 100}));
  EXPECT_EQ(FrontPixel(15, 15), 0x0000FFu);
  PaintWindow();  // an expose: the buffer is copied again, nothing is drawn
  EXPECT_EQ(Count(log, "p draw"), 1);
  EXPECT_EQ(layouts.size(), 1u);
  host->Resize(300, 150);
  EXPECT_EQ(root->GetBackDCPtr(), nullptr);
  host->RunPendingPaint();
  EXPECT_EQ(Count(log, "p draw"), 2);
  EXPECT_EQ(layouts.size(), 2u);
  EXPECT_EQ(root->Rect(), (vt::Rect{0, 0, 300, 150}));
}

TEST_F(RootTest, UpdatingOneGadgetRedrawsItAloneAndPresentsItsVisibleRectangle) {
  Log log;
  auto* group = new CGGroup(root, 100, 50, 0, 3, 50, 30);
  auto* p = new Probe(group, "p", &log, {40, 20, 80, 60}, 0x00FF00);
  new Probe(root, "other", &log, {0, 0, 10, 10});
  PaintWindow();
  log.clear();
  const std::size_t presents = host->Presents().size();
  p->Update();
  EXPECT_EQ(log, (Log{"p draw"}));
  ASSERT_EQ(host->Presents().size(), presents + 1);
  EXPECT_EQ(host->Presents().back(), (vt::Rect{140, 70, 150, 80}));  // cut by the group
  EXPECT_EQ(host->BorrowCount(), 0);
  EXPECT_EQ(root->GetWindowDC(), nullptr);
}

TEST_F(RootTest, TheWindowContextIsBorrowedByCountAndFlushWorksOnlyWhileItIsHeld) {
  auto* p = new Probe(root, "p", nullptr, {0, 0, 20, 20}, 0x123456);
  PaintWindow();
  p->Flush();  // nothing borrowed: nothing copied
  vt::DeviceContext* first = root->BorrowWindowDC();
  EXPECT_EQ(root->BorrowWindowDC(), first);
  EXPECT_EQ(root->GetWindowDCCount(), 2);
  root->ReturnWindowDC();
  EXPECT_EQ(root->GetWindowDC(), first);
  p->Redraw();
  const std::size_t presents = host->Presents().size();
  p->Flush();
  root->ReturnWindowDC();
  EXPECT_EQ(root->GetWindowDC(), nullptr);
  ASSERT_EQ(host->Presents().size(), presents + 1);
  EXPECT_EQ(host->Presents().back(), (vt::Rect{0, 0, 20, 20}));
  // A part of the back buffer, copied while the context is held.
  p->FlushRect(vt::Rect{5, 6, 9, 8});
  root->BorrowWindowDC();
  p->FlushRect(vt::Rect{5, 6, 9, 8});
  root->ReturnWindowDC();
  ASSERT_EQ(host->Presents().size(), presents + 2);
  EXPECT_EQ(host->Presents().back(), (vt::Rect{5, 6, 9, 8}));
}

TEST_F(RootTest, InputBeforeTheFirstPaintIsIgnored) {
  Log log;
  new Probe(root, "p", &log, {0, 0, 50, 50});
  root->OnLButtonDown(vt::kMkLButton, 5, 5);
  root->OnKeyDown('A', 1, 0);
  root->OnMouseMove(0, 5, 5);
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(host->HasCapture());  // the capture bookkeeping still runs
  root->OnLButtonUp(0, 5, 5);
  EXPECT_FALSE(host->HasCapture());
}

TEST_F(RootTest, TheWheelReachesOnlyAWillingTargetInsideTheTree) {
  class Wheel : public Probe {
   public:
    using Probe::Probe;
    int CanScrollWheel(uint32_t, int32_t, int32_t, int32_t) override { return 1; }
    bool OnMouseWheel(uint32_t, int32_t delta, int32_t x, int32_t y) override {
      Add("wheel " + std::to_string(delta) + " " + std::to_string(x) + "," + std::to_string(y));
      return true;
    }
  };
  Log log;
  auto* w = new Wheel(root, "w", &log, {0, 0, 50, 50});
  PaintWindow();
  log.clear();
  EXPECT_FALSE(root->OnMouseWheel(0, 120, 1010, 510));  // no target
  root->SetWheelTarget(w);
  EXPECT_FALSE(root->OnMouseWheel(vt::kMkLButton, 120, 1010, 510));  // the left button alone
  EXPECT_TRUE(root->OnMouseWheel(vt::kMkLButton | vt::kMkShift, -240, 1010, 510));
  // Hover follows the scrolled content at the point in client coordinates.
  EXPECT_EQ(log, (Log{"w wheel -240 1010,510"}));
  EXPECT_TRUE(root->OnMouseWheel(0, 120, 1010, 510));
  EXPECT_EQ(log.back(), "w enter");
  CGRoot other(nullptr, 0, 0);
  w->Reattach(&other);
  EXPECT_FALSE(root->OnMouseWheel(0, 120, 1010, 510));  // no longer in this tree
  w->Detach();
  delete w;
}

TEST_F(RootTest, ATooltipShowsAfterItsDelayOnlyWhileTheCursorIsOverTheHostAndHidesLater) {
  Log log;
  auto* p = new Probe(root, "p", &log, {0, 0, 50, 50});
  p->SetHelpText("Status\nTip text");
  PaintWindow();
  desktop->cursor = vt::Point{1010, 510};
  root->OnMouseMove(0, 10, 10);
  EXPECT_EQ(root->GetTipOwner(), p);
  ASSERT_EQ(host->Timers().count(vt::GTIMER_TIPSHOW), 1u);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_TIPSHOW), 300u);
  ASSERT_EQ(desktop->toolTips.size(), 1u);
  vt::FakeToolTip* tip = desktop->toolTips[0];
  EXPECT_FALSE(tip->visible);
  host->FireTimer(vt::GTIMER_TIPSHOW);
  EXPECT_TRUE(tip->visible);
  EXPECT_EQ(tip->text, "Tip text");
  EXPECT_EQ(tip->rect.left, 1007);  // below the cursor
  EXPECT_EQ(tip->rect.top, 530);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_TIPSHOW), 0u);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_TIPHIDE), 3000u);
  host->FireTimer(vt::GTIMER_TIPHIDE);
  EXPECT_FALSE(tip->visible);
  // A press hides a pending tip; a tip whose cursor has left the host never shows.
  root->RequestToolTip(nullptr);
  root->RequestToolTip(p);
  desktop->hostUnderCursor = 0;
  host->FireTimer(vt::GTIMER_TIPSHOW);
  EXPECT_FALSE(tip->visible);
  // An inactive host asks for no tooltip at all.
  host->SetActive(false);
  root->RequestToolTip(p);
  EXPECT_EQ(root->GetTipOwner(), nullptr);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_TIPSHOW), 0u);
}

TEST_F(RootTest, TooltipPlacementStaysInsideTheWorkArea) {
  const vt::Rect work{0, 0, 1280, 1024};
  EXPECT_EQ(CToolTip::Placement({100, 100}, {50, 14}, work), (vt::Rect{97, 120, 154, 140}));
  // Near the bottom right corner: shifted left and shown above the cursor.
  EXPECT_EQ(CToolTip::Placement({1270, 1010}, {50, 14}, work), (vt::Rect{1223, 987, 1280, 1007}));
}

TEST_F(RootTest, ShortcutsClickTheirTargetByKeyTextWithModifiers) {
  Log log;
  auto* p = new Probe(root, "p", &log, {0, 0, 10, 10});
  PaintWindow();
  log.clear();
  root->AddShortcut("CTRL+S", p);
  desktop->keysDown.insert(vt::kVkControl);
  root->OnKeyDown('S', 1, 0);
  EXPECT_EQ(log, (Log{"p click", "p key 83"}));
  log.clear();
  root->OnKeyDown('S', 2, 0);  // a repeat names no key
  EXPECT_EQ(log, (Log{"p key 83"}));
  EXPECT_EQ(root->FireShortcuts("ctrl+s"), 1);
  delete p;  // a deleted target leaves the list
  EXPECT_EQ(root->FireShortcuts("CTRL+S"), 0);
}

TEST_F(RootTest, PrintingScaleComesFromTheDevicesVerticalResolution) {
  struct Case {
    int dpi;
    int scale;
  };
  for (const Case c : {Case{96, 1}, Case{240, 2}, Case{600, 5}}) {
    vt::RecordingDc dc(4, 4, c.dpi);
    EXPECT_EQ(root->ComputePrintScale(&dc), c.scale) << c.dpi;
  }
  vt::RecordingDc printer(4, 4, 600);
  CPrintInfo info;
  info.maxPage = 9;
  root->BeginPrinting(&printer, &info);
  EXPECT_EQ(GetPrintScale(), 5);
  EXPECT_EQ(info.maxPage, 1);
  EXPECT_EQ(root->GetPrintSelection(), 0);
}

TEST_F(RootTest, GroupFramesAreSunkenOrDoubleAndTheBackgroundIsInherited) {
  vt::RecordingDc dc(40, 40);
  const vt::ColorRef base = 0x808080;
  const BevelColors bevel = GetBevelColors(base);
  CGGroup single(nullptr, 0, 0, 0, 3, 20, 20, 3, 1, base);
  single.Draw(&dc);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(dc.GetPixel(i, 10), bevel.shadow) << i;     // left
    EXPECT_EQ(dc.GetPixel(10, i), bevel.shadow) << i;     // top
    EXPECT_EQ(dc.GetPixel(19 - i, 10), bevel.highlight);  // right
    EXPECT_EQ(dc.GetPixel(10, 19 - i), bevel.highlight);  // bottom
  }
  EXPECT_EQ(dc.GetPixel(10, 10), base);  // opaque: filled
  CGGroup twice(nullptr, 0, 0, 0, 3, 20, 20, 0x10004, 0, base);
  dc.FillSolidRect(vt::Rect{0, 0, 40, 40}, 0xFFFFFF);
  twice.Draw(&dc);
  EXPECT_EQ(dc.GetPixel(1, 10), bevel.shadow);     // outer two lines sunken
  EXPECT_EQ(dc.GetPixel(2, 10), bevel.highlight);  // inner two raised
  EXPECT_EQ(dc.GetPixel(3, 10), bevel.highlight);
  EXPECT_EQ(dc.GetPixel(16, 10), bevel.shadow);
  EXPECT_EQ(dc.GetPixel(10, 10), 0xFFFFFFu);  // not opaque: not filled

  CGGroup outer(nullptr, 0, 0, 0, 3, 20, 20, 0, 1, 0x00AA00);
  auto* inner = new CGGroup(&outer, 0, 0, 0, 3, 10, 10, 0, 0, vt::kNoColor);
  auto* leaf = new CGPrimitive(inner, 0, 0, 0, 3, 5, 5);
  EXPECT_EQ(leaf->GetBackColor(), 0x00AA00u);
  inner->SetOpaque(1);
  EXPECT_EQ(inner->GetBackColor(), 0x00AA00u);  // opaque but without colour: still inherited
  inner->SetBackColor(0x0000BB);
  EXPECT_EQ(leaf->GetBackColor(), 0x0000BBu);
  CGGroup alone(nullptr, 0, 0, 0, 3, 1, 1);
  EXPECT_EQ(alone.GetBackColor(), vt::kNoColor);
}

TEST_F(RootTest, ARootWithoutHostPaintsItsBackBufferOnly) {
  CGRoot layout(master, 0, 0);
  layout.SetSize(60, 40);
  auto* p = new Probe(&layout, "p", nullptr, {0, 0, 10, 10}, 0x00FF00);
  vt::RecordingDc target(60, 40);
  layout.PaintFromDC(&target);
  EXPECT_EQ(target.GetPixel(5, 5), 0x00FF00u);
  p->Update();
  p->Flush();
  EXPECT_EQ(layout.GetWindowDC(), nullptr);
  EXPECT_EQ(layout.BorrowWindowDC(), nullptr);
  layout.ReturnWindowDC();
  layout.Detach();
}

TEST_F(RootTest, TheRepeatTimerIsKilledOnItsHostWhenItsGadgetGoes) {
  auto* p = new Probe(root, "p", nullptr, {0, 0, 10, 10});
  ASSERT_TRUE(p->StartRepeatTimer(50));
  EXPECT_EQ(g_repeatTimer, vt::GTIMER_REPEAT);
  EXPECT_EQ(host->Timers().at(vt::GTIMER_REPEAT), 50u);
  auto* q = new Probe(root, "q", nullptr, {0, 0, 10, 10});
  EXPECT_FALSE(q->StartRepeatTimer(50));  // one per process
  delete p;
  EXPECT_EQ(g_repeatTimer, 0u);
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
  EXPECT_TRUE(q->StartRepeatTimer(100));
  CGPrimitive::KillRepeatTimer();
  EXPECT_EQ(host->Timers().count(vt::GTIMER_REPEAT), 0u);
}

TEST_F(RootTest, StyleShowsOrHidesTheFrameAndTextTitlesTheOwner) {
  root->SetStyle(0);
  EXPECT_FALSE(host->FrameShown());
  root->SetStyle(1);
  EXPECT_TRUE(host->FrameShown());
  root->SetText("Graph 1");
  EXPECT_EQ(host->OwnerCaption(), "Graph 1");
  root->SetWindowCursor(vt::kCursorSizeWe);
  EXPECT_EQ(host->Cursor(), vt::kCursorSizeWe);
  auto* p = new Probe(root, "p", nullptr, {0, 0, 10, 10});
  PaintWindow();
  root->OnMouseMove(0, 5, 5);  // entering a gadget puts the arrow back
  EXPECT_EQ(host->Cursor(), vt::kCursorArrow);
  (void)p;
  root->CopyToClipboard();
  ASSERT_NE(desktop->clipboardBitmap, nullptr);
  EXPECT_EQ(desktop->clipboardBitmap->Width(), 200);
}

TEST_F(RootTest, AReleasedRootComesBackUnboundAndIsBoundAgain) {
  PaintWindow();
  ASSERT_NE(root->GetTextEditor(), nullptr);
  root->Release();
  EXPECT_EQ(host->Client(), nullptr);
  CGCore* again = TakeFromStocker(GCLASS(CGRoot), master);
  ASSERT_EQ(again, root);
  EXPECT_EQ(root->GetHost(), nullptr);
  EXPECT_EQ(root->GetTextEditor(), nullptr);
  EXPECT_EQ(root->GetBackDCPtr(), nullptr);
  root->Attach(host.get());
  EXPECT_NE(root->GetTextEditor(), nullptr);
  EXPECT_EQ(host->Client(), root);
}

}  // namespace
}  // namespace gadget_test

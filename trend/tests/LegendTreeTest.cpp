// Legend trees: what a check-box click does to axes, traces, selection and hooks in both
// legends; which press and release pairs act; expand states under a depth limit; collapsed
// branches hidden from paint and hit test; the print shrink of a crowded legend; the panel's
// graph skin giving the legend its cells, title bar and toggle icons.
#include <gtest/gtest.h>

#include "gadget/GButton.h"
#include "platform/gui/RecordingDc.h"
#include "trend/tests/LegendTestSupport.h"

namespace {

using Hooks = std::vector<std::string>;
constexpr int kCheck = 5, kLabel = 40;           // offsets into a channel node of the channel legend
constexpr int kAxisCheck = 13, kAxisLabel = 48;  // the same in the axis legend (8 further right)

class LegendTreeTest : public trend_test::LegendEnv {};

// Channels 0 and 1 on axis 0, channel 2 on axis 1, every channel unchecked in turn.
TEST_F(LegendTreeTest, ChannelLegendToggleOutcomes) {
  Bind({0, 0, 1}, 2, LEGEND_CHANNEL);
  panel->SelectChannel(0, 0);
  struct Step {
    int channel;
    int axis0, axis1;  // Y-axis styles after the click
    int selected;      // selected trace afterwards
    Hooks hooks;
  } steps[] = {
      {0, 3, 3, 1, {"ChannelLegend", "Selection", "Relayout"}},   // selection moves to channel 1
      {2, 3, 0, 1, {"ChannelLegend", "Relayout"}},                // last of axis 1: axis hidden
      {1, 0, 0, -1, {"ChannelLegend", "Selection", "Relayout"}},  // nothing left checked
      {2, 0, 3, 2, {"ChannelLegend", "Selection", "Relayout"}},   // checked with nothing selected
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.channel);
    hooks.clear();
    Click(Channel(s.channel), kCheck, kCheck);
    EXPECT_EQ(AxisStyle(0), s.axis0);
    EXPECT_EQ(AxisStyle(1), s.axis1);
    EXPECT_EQ(graph->m_screen->m_selectedTrace, s.selected);
    EXPECT_EQ(hooks, s.hooks);
  }
  EXPECT_EQ(TraceStyle(0), 0);
  EXPECT_EQ(TraceStyle(1), 0);
  EXPECT_EQ(TraceStyle(2), 3);
  EXPECT_EQ(ChannelScreen()->m_selected, Channel(2));
}

TEST_F(LegendTreeTest, AxisLegendChannelAndAxisToggles) {
  Bind({0, 0, 1}, 2, LEGEND_AXIS);
  panel->SelectChannel(0, 0);
  ASSERT_EQ(AxisScreen()->m_selected, AxisChannel(0, 0));

  // One of two unchecked: axis stays, selection moves to the other channel of the axis.
  Click(AxisChannel(0, 0), kAxisCheck, kAxisCheck);
  EXPECT_EQ(AxisStyle(0), 3);
  EXPECT_EQ(static_cast<CGNgTreeNode*>(AxisNode(0))->m_checked, 1);
  EXPECT_EQ(graph->m_screen->m_selectedTrace, 1);
  EXPECT_EQ(hooks, (Hooks{"ChannelLegend", "Selection", "Relayout"}));

  // The last one: the axis node unchecks, the Y axis hides, selection moves to the next axis.
  hooks.clear();
  Click(AxisChannel(0, 1), kAxisCheck, kAxisCheck);
  EXPECT_EQ(AxisStyle(0), 0);
  EXPECT_EQ(static_cast<CGNgTreeNode*>(AxisNode(0))->m_checked, 0);
  EXPECT_EQ(graph->m_screen->m_selectedTrace, 2);
  EXPECT_EQ(graph->m_screen->m_selectedAxis, 1);
  EXPECT_EQ(TraceStyle(1), 0);

  // Unchecking axis 1 unchecks its channel and hides everything; nothing is left to select.
  hooks.clear();
  Click(AxisNode(1), kCheck, kCheck);
  EXPECT_EQ(AxisChannel(1, 0)->m_checked, 0);
  EXPECT_EQ(legend->m_axes[1].channels[0].shown, 0);
  EXPECT_EQ(AxisStyle(1), 0);
  EXPECT_EQ(TraceStyle(2), 0);
  EXPECT_EQ(graph->m_screen->m_selectedTrace, -1);
  EXPECT_EQ(hooks, (Hooks{"AxisLegend", "Selection", "Relayout"}));

  // Checking axis 0 again shows both channels and its axis.
  hooks.clear();
  Click(AxisNode(0), kCheck, kCheck);
  EXPECT_EQ(AxisStyle(0), 3);
  EXPECT_EQ(TraceStyle(0), 3);
  EXPECT_EQ(TraceStyle(1), 3);
}

// The hooks name the panel; the strip's arrangement is applied again after a toggle.
TEST_F(LegendTreeTest, HooksNameThePanelAndTheStripIsArrangedAgain) {
  Bind({0, 1}, 2, LEGEND_CHANNEL);
  manager->SetLayout(AXIS_SLIDING);
  const double top = manager->GetAxis(0)->m_currentTop, bottom = manager->GetAxis(0)->m_currentBottom;
  Click(Channel(1), kCheck, kCheck);
  EXPECT_EQ(trend_test::g_legendHookSource, panel);
  EXPECT_EQ(AxisStyle(1), 0);
  // With one visible axis left the sliding arrangement changes the other one's fractions.
  EXPECT_TRUE(manager->GetAxis(0)->m_currentTop != top || manager->GetAxis(0)->m_currentBottom != bottom);
}

TEST_F(LegendTreeTest, PressAndReleaseMustShareTheRectangle) {
  Bind({0, 0}, 1, LEGEND_CHANNEL);
  struct Case {
    int press, release;
    int checked;  // channel 0 afterwards
    bool selected;
  } cases[] = {
      {kCheck, kLabel, 1, false},  // box to label: nothing
      {kLabel, kCheck, 1, false},  // label to box: nothing
      {kLabel, kLabel, 1, true},   // label click selects
      {kCheck, kCheck, 0, false},  // box click unchecks (and the selection moves to channel 1)
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.press * 100 + c.release);
    Click(Channel(0), c.press, c.release);
    EXPECT_EQ(Channel(0)->m_checked, c.checked);
    EXPECT_EQ(ChannelScreen()->m_selected == Channel(0), c.selected);
  }
  // An unchecked channel's label does not select it.
  Click(Channel(0), kLabel, kLabel);
  EXPECT_EQ(ChannelScreen()->m_selected, Channel(1));
}

TEST_F(LegendTreeTest, ExpandStatesUnderADepthLimit) {
  Bind({0, 0}, 1, LEGEND_AXIS);
  CGTreeScreen* s = AxisScreen();
  CGTreeNode* root = s->m_root;
  CGTreeNode* axis = AxisNode(0);
  axis->SetExpanded(false);
  root->SetExpanded(false);
  s->m_maxDepth = 1;
  EXPECT_EQ(root->GetExpandState(), 1);  // depth 0 below 1
  EXPECT_EQ(axis->GetExpandState(), 0);  // depth 1 is not
  EXPECT_FALSE(axis->ToggleExpand());
  s->m_maxDepth = -1;
  EXPECT_EQ(axis->GetExpandState(), 1);
  EXPECT_TRUE(axis->ToggleExpand());
  EXPECT_EQ(axis->GetExpandState(), 2);
  EXPECT_EQ(AxisChannel(0, 1)->GetExpandState(), 0);  // no children

  CGTreeNode lone(nullptr, 0, 0, 0, 3, 10, 10);
  CGTreeNode child(nullptr, 0, 0, 0, 3, 10, 10);
  lone.AddTreeChild(&child);
  EXPECT_EQ(lone.GetExpandState(), 0);  // outside a screen nothing expands
}

TEST_F(LegendTreeTest, CollapsedAxisHidesItsChannelsAndTheNextAxisMovesUp) {
  Bind({0, 0, 1}, 2, LEGEND_AXIS);
  CGTreeNode* axis0 = AxisNode(0);
  const int expandedTop = AxisNode(1)->Rect().top;
  EXPECT_GT(expandedTop, AxisChannel(0, 1)->Rect().top);
  // A click on the expand box collapses it and lays the legend out again.
  Click(axis0, 20, 20);
  ASSERT_FALSE(axis0->IsExpanded());
  EXPECT_EQ(AxisChannel(0, 0)->GetStyle(), 0);
  EXPECT_EQ(AxisNode(1)->Rect().top, axis0->Rect().bottom);
  EXPECT_LT(AxisNode(1)->Rect().top, expandedTop);
  // Where channel 1 lay before, the hit test finds nothing of axis 0's.
  const vt::Rect r = AxisChannel(0, 0)->Rect();
  CGPrimitive* hit = AxisScreen()->ChildFromPoint(r.left + 20 + AxisScreen()->Rect().left,
                                                  r.top + 3 + AxisScreen()->Rect().top, 1);
  EXPECT_NE(hit, AxisChannel(0, 0));
  // A channel under a collapsed node ignores clicks.
  Click(AxisChannel(0, 0), kAxisCheck, kAxisCheck);
  EXPECT_EQ(AxisChannel(0, 0)->m_checked, 1);
  // The read-back keeps the collapsed state.
  SNgAxisSetting out[2];
  legend->GetAxisStates(2, out);
  EXPECT_EQ(out[0].legendFlag, 0);
  EXPECT_EQ(out[1].legendFlag, 1);
}

TEST_F(LegendTreeTest, PrintShrinksACrowdedLegendToThePage) {
  std::vector<int> onAxis(40, 0);
  Bind(onAxis, 1, LEGEND_CHANNEL);
  // 40 checked channels of (16 + 2) pixels need 720 at scale 1.
  struct Case {
    int height, scale, unchecked;
    double factor;
  } cases[] = {{1440, 1, 0, 1.0}, {720, 1, 0, 1.0}, {360, 1, 0, 0.5}, {720, 2, 0, 1.0}, {360, 1, 20, 1.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.height * 10 + c.scale);
    for (int i = 0; i < 40; ++i) Channel(i)->m_checked = i < c.unchecked ? 0 : 1;
    legend->m_channelLegend->SetPrintBounds(0, 0, 150, c.height);
    ChannelScreen()->ApplyPrintScale(c.scale);
    EXPECT_DOUBLE_EQ(Channel(39)->m_printFactor, c.factor);
    // Checked channels follow each other directly; unchecked ones take no room.
    EXPECT_EQ(Channel(39)->PrintRect().top, Channel(38)->PrintRect().bottom);
  }
}

}  // namespace

TEST_F(LegendTreeTest, ThePanelsGraphSkinGivesTheLegendItsCellsBarAndIcons) {
  // Some other legend skin set since: the graph skin puts the panel's own back.
  SetNgLegendSkin(SGNgLegendSkin{{1, 0, 8, 8}, {2, 0, 8, 8}});
  g_ngLegendBarSkin[0] = 0;
  SetNgGraphSkin();
  Bind({0, 0}, 1, LEGEND_CHANNEL);
  Channel(1)->m_checked = 0;
  if (AxisNode(0)->IsExpanded()) AxisNode(0)->ToggleExpand();
  const vt::ColorRef back = vt::Rgb(0x12, 0x34, 0x56);
  vt::RecordingDc dc(900, 500);
  dc.FillSolidRect(vt::Rect{0, 0, 900, 500}, back);
  Channel(0)->DrawNode(&dc, 0, 0, 16, false);
  Channel(1)->DrawNode(&dc, 0, 20, 16, false);
  static_cast<CGNgTreeNode*>(AxisNode(0))->DrawNode(&dc, 0, 40, 16, false);
  auto at = [&](int x, int y) { return dc.Pixels().GetPixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(5, 8), vt::Rgb(0x2E, 0x9A, 0x48));            // the tick of a checked channel
  EXPECT_EQ(at(5, 28), vt::Rgb(0xC4, 0xDC, 0xC8));           // the pale tick of an unchecked one
  EXPECT_EQ(at(0, 0), back);                                 // the mask keeps the row round the box
  EXPECT_EQ(at(19 + 7, 40 + 5), vt::Rgb(0x20, 0x28, 0x38));  // the plus of a collapsed axis
  EXPECT_EQ(at(19 + 7, 40 + 1), back);

  EXPECT_EQ(g_ngLegendBarSkin[0], 12197);
  legend->Draw(&dc);
  vt::Rect a;
  legend->GetAbsoluteRect(&a);
  EXPECT_NE(at(a.left + 2, a.top + 20), vt::ColorRef(0x707070));  // not the plain fallback bar
  const CGBitmap* icons = legend->m_toggle->Icon().image;
  ASSERT_TRUE(icons && icons->GetBitmap());
  EXPECT_EQ(icons->GetBitmap()->Width(), 32);
}

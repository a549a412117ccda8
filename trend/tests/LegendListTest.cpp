// Legend list: entries built from the records (names from the bound channels, channels on
// missing axes), the choices carried across a mode switch, the read-back that writes only its
// fields, the selection lookups (also as the panel's selection uses them) and the layout of the
// current legend.
#include <gtest/gtest.h>

#include "gadget/GButton.h"
#include "trend/tests/LegendTestSupport.h"

namespace {

class LegendListTest : public trend_test::LegendEnv {};

TEST_F(LegendListTest, BuildsEntriesFromRecordsAndBoundChannels) {
  // Channel 3 names axis 5 of 3; channel 2's record names a channel that is not bound.
  records.clear();
  Bind({0, 1, 0, 5}, 3, LEGEND_AXIS);
  records[2].channelIndex = 40;
  records[1].shown = 0;
  legend->SetData(records.data(), axisRecords.data(), 4, 3);
  EXPECT_STREQ(legend->m_channels[0].name, "CH001");
  EXPECT_STREQ(legend->m_channels[2].name, "");
  EXPECT_EQ(legend->m_channels[3].position, 3);
  EXPECT_EQ(legend->m_axes[0].channelCount, 2);
  EXPECT_EQ(legend->m_axes[0].channels[1].position, 2);
  EXPECT_EQ(legend->m_axes[1].channelCount, 1);
  EXPECT_EQ(legend->m_axes[2].channelCount, 0);
  EXPECT_EQ(legend->FindAxisOfChannel(3), -1);
  EXPECT_EQ(legend->FindAxisOfChannel(2), 0);
  EXPECT_EQ(legend->FindAxisOfChannel(1), 1);
  // Trees: four channel nodes, three axis nodes with "[unit]" labels.
  EXPECT_EQ(ChannelScreen()->m_root->CountTreeChildren(), 4);
  EXPECT_EQ(AxisScreen()->m_root->CountTreeChildren(), 3);
  EXPECT_EQ(static_cast<CGNgTreeNode*>(AxisNode(1))->m_label, "[U1]");
  EXPECT_EQ(Channel(0)->m_label, "CH001");
  EXPECT_EQ(Channel(1)->m_checked, 0);
  // Name kind and an unterminated unit of 8 characters.
  graph->SetNameKind(3);  // a kind the channel does not answer
  std::memcpy(axisRecords[0].unit, "ABCDEFGH", 8);
  legend->SetData(records.data(), axisRecords.data(), 4, 3);
  EXPECT_STREQ(legend->m_channels[0].name, "");
  EXPECT_STREQ(legend->m_axes[0].unit, "ABCDEFG");
  EXPECT_EQ(legend->FirstShownChannelOfAxis(1), -1);
  EXPECT_EQ(legend->FirstShownChannelOfAxis(0), 0);
}

TEST_F(LegendListTest, ModeSwitchCarriesTheShownLegendsChoices) {
  Bind({0, 0, 1, 2}, 3, LEGEND_CHANNEL);
  Channel(2)->m_checked = 0;  // axis 1 loses its only channel
  Channel(0)->m_checked = 0;  // axis 0 keeps channel 1
  legend->m_toggle->FireEvent(GEVENT_CHANGED);
  ASSERT_EQ(legend->m_mode, LEGEND_AXIS);
  EXPECT_EQ(AxisChannel(0, 0)->m_checked, 0);
  EXPECT_EQ(AxisChannel(0, 1)->m_checked, 1);
  EXPECT_EQ(static_cast<CGNgTreeNode*>(AxisNode(0))->m_checked, 1);
  EXPECT_EQ(static_cast<CGNgTreeNode*>(AxisNode(1))->m_checked, 0);
  EXPECT_EQ(AxisChannel(1, 0)->m_checked, 0);
  EXPECT_EQ(legend->m_axisLegend->GetStyle(), 3);
  EXPECT_EQ(legend->m_channelLegend->GetStyle(), 0);
  // In the axis legend: channel 3 unchecked; back in the channel legend the states hold.
  AxisChannel(2, 0)->m_checked = 0;
  legend->m_toggle->FireEvent(GEVENT_CHANGED);
  ASSERT_EQ(legend->m_mode, LEGEND_CHANNEL);
  const int expected[] = {0, 1, 0, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Channel(i)->m_checked, expected[i]) << i;
  int toggle = -1;
  legend->m_toggle->GetValue(&toggle);
  EXPECT_EQ(toggle, 1);
}

// After edits in either legend both read-backs agree, and only their fields change.
TEST_F(LegendListTest, ReadBackWritesOnlyShownPositionAndAxisFlags) {
  for (int mode : {LEGEND_CHANNEL, LEGEND_AXIS}) {
    SCOPED_TRACE(mode);
    Bind({0, 0, 1}, 2, mode);
    if (mode == LEGEND_CHANNEL) {
      Channel(2)->m_checked = 0;
    } else {
      AxisChannel(1, 0)->m_checked = 0;
      static_cast<CGNgTreeNode*>(AxisNode(1))->m_checked = 0;
    }
    SNgChannelSetting out[3];
    SNgAxisSetting axisOut[2];
    for (int i = 0; i < 3; ++i) {
      out[i] = records[i];
      out[i].shown = 7, out[i].reserved = 0xAB, out[i].index = 99, out[i].extra = -5;
      out[i].tripValue[2] = 1.25;
    }
    for (int j = 0; j < 2; ++j) {
      axisOut[j] = axisRecords[j];
      axisOut[j].shown = 9, axisOut[j].legendFlag = 9, axisOut[j].zoom = 77;
    }
    const auto before = vt::ChannelSettingBytes(out[1]);
    legend->GetChannelStates(3, out);
    legend->GetAxisStates(2, axisOut);
    const auto after = vt::ChannelSettingBytes(out[1]);
    for (size_t b = 0; b < before.size(); ++b) {
      if (b != 0 && b != 2 && b != 3) {
        EXPECT_EQ(before[b], after[b]) << b;
      }
    }
    EXPECT_EQ(out[1].reserved, 0xAB);
    EXPECT_EQ(out[1].extra, -5);
    EXPECT_EQ(out[0].shown, 1);
    EXPECT_EQ(out[2].shown, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(out[i].index, i);
    EXPECT_EQ(axisOut[0].shown, 1);
    EXPECT_EQ(axisOut[1].shown, 0);
    EXPECT_EQ(axisOut[1].legendFlag, 1);
    EXPECT_EQ(axisOut[1].zoom, 77);
    EXPECT_EQ(axisOut[1].colour, axisRecords[1].colour);
  }
}

TEST_F(LegendListTest, SelectInLegendKeepsTheAxisHighlightForAChannelOffTheAxis) {
  Bind({0, 0, 1}, 2, LEGEND_AXIS);
  legend->SelectInLegend(0, 1);
  EXPECT_EQ(AxisScreen()->m_selected, AxisChannel(0, 1));
  EXPECT_EQ(ChannelScreen()->m_selected, Channel(1));
  legend->SelectInLegend(1, 0);  // channel 0 is not on axis 1
  EXPECT_EQ(AxisScreen()->m_selected, AxisChannel(0, 1));
  EXPECT_EQ(ChannelScreen()->m_selected, Channel(0));
  EXPECT_EQ(legend->m_selectedAxis, 1);
  legend->SelectInLegend(-1, 2);
  EXPECT_EQ(AxisScreen()->m_selected, nullptr);
  EXPECT_EQ(ChannelScreen()->m_selected, Channel(2));
  legend->SelectInLegend(1, 7);
  EXPECT_EQ(ChannelScreen()->m_selected, nullptr);
  // A label click in the axis legend selects through the graph and calls the hook.
  hooks.clear();
  Click(AxisChannel(1, 0), 48, 48);
  EXPECT_EQ(graph->m_screen->m_selectedTrace, 2);
  EXPECT_EQ(graph->m_screen->m_selectedAxis, 1);
  EXPECT_EQ(hooks, (std::vector<std::string>{"Selection"}));
}

// The records keep what was bound; the legend knows what the user unchecked since and which
// channels stand on the given axes. Without a legend the records answer.
TEST_F(LegendListTest, ThePanelsSelectionTakesAMissingAxisOrChannelFromTheLegend) {
  Bind({0, 0, 5}, 1, LEGEND_CHANNEL);  // channel 2 names an axis that was not given
  Channel(0)->m_checked = 0;
  struct Case {
    bool legend;
    int channel, axis;  // asked
    int trace, selectedAxis;
  } cases[] = {
      {true, -1, 0, 1, 0},                         // channel 0 unchecked in the legend: the next shown one
      {true, 2, -1, 2, -1},                        // no axis entry holds channel 2
      {true, 1, -1, 1, 0},  {false, -1, 0, 0, 0},  // the records still show channel 0
      {false, 2, -1, 2, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.channel * 10 + c.axis);
    graph->m_legend = c.legend ? legend : nullptr;
    panel->SelectChannel(c.channel, c.axis);
    EXPECT_EQ(graph->m_screen->m_selectedTrace, c.trace);
    EXPECT_EQ(graph->m_screen->m_selectedAxis, c.selectedAxis);
    EXPECT_EQ(manager->m_selectedAxis, c.selectedAxis);
  }
  graph->m_legend = legend;
  // A click on the Y axis asks the legend the same way.
  CGNgWaveform::OnYAxisClicked(manager->GetAxis(0), GEVENT_CLICKED, nullptr);
  EXPECT_EQ(graph->m_screen->m_selectedTrace, 1);
  EXPECT_EQ(ChannelScreen()->m_selected, Channel(1));
}

TEST_F(LegendListTest, LaysOutTheCurrentLegendBesideThePlot) {
  Bind({0, 1}, 2, LEGEND_AXIS);
  const int W = graph->Rect().Width();
  EXPECT_EQ(legend->Rect(), (vt::Rect{W - 150, 0, W, legend->Rect().bottom}));
  EXPECT_EQ(legend->m_axisLegend->Rect(), (vt::Rect{0, 29, 150, legend->Rect().Height() - 50 + 29}));
  // The trip column (60) stands between the plot and the legend.
  EXPECT_EQ(graph->m_screen->Rect().right, 10 + W - 150 - 60 - 13);
  // Text colour follows the background.
  graph->SetBackColor(0x02202020);
  EXPECT_EQ(Channel(0)->m_textColour, 0x02FFFFFFu);
  graph->SetBackColor(0x02C0C0C0);
  EXPECT_EQ(AxisChannel(0, 0)->m_textColour, 0x02000000u);
}

}  // namespace

// A trend panel whose legend is bound to fake channels, Y axes and records, for the legend
// tests: the hooks record their names and sources, clicks go to a node as a press and a
// release.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "trend/YAxisStrip.h"
#include "trend/tests/TrendPanelEnv.h"

namespace trend_test {

inline std::vector<std::string>* g_legendHookLog = nullptr;
inline CGPrimitive* g_legendHookSource = nullptr;

#define TREND_LEGEND_HOOK(Name)                             \
  inline void Record##Name(CGPrimitive* source, int, int) { \
    if (g_legendHookLog) g_legendHookLog->push_back(#Name); \
    g_legendHookSource = source;                            \
  }
TREND_LEGEND_HOOK(Selection)
TREND_LEGEND_HOOK(AxisLegend)
TREND_LEGEND_HOOK(ChannelLegend)
TREND_LEGEND_HOOK(Relayout)
#undef TREND_LEGEND_HOOK

class LegendEnv : public PanelEnv {
 protected:
  void SetUp() override {
    PanelEnv::SetUp();
    graph = panel->m_graph;
    legend = graph->m_legend;
    g_legendHookLog = &hooks;
    NgSelectionHook = RecordSelection;
    NgAxisLegendHook = RecordAxisLegend;
    NgChannelLegendHook = RecordChannelLegend;
    NgRelayoutHook = RecordRelayout;
  }
  void TearDown() override {
    NgSelectionHook = NgAxisLegendHook = NgChannelLegendHook = NgRelayoutHook = nullptr;
    g_legendHookLog = nullptr;
    PanelEnv::TearDown();
  }
  // Channel i on axis channelAxis[i], all shown; axisCount axes, shown and expanded.
  void Bind(const std::vector<int>& channelAxis, int axisCount, int mode) {
    const int n = int(channelAxis.size());
    channels.clear();
    for (int i = 0; i < n; ++i) {
      channels.push_back(std::make_unique<vt_test::FakeNgChannel>());
      char name[16];
      std::snprintf(name, sizeof name, "CH%03d", i + 1);
      channels.back()->name = name;
    }
    std::vector<CGNgChannel*> list;
    for (auto& c : channels) list.push_back(c.get());
    bound = list;
    graph->SetChannels(n, bound.data());
    records.assign(n, SNgChannelSetting{});
    for (int i = 0; i < n; ++i) {
      records[i].shown = 1;
      records[i].channelIndex = int16_t(i);
      records[i].axisIndex = int16_t(channelAxis[i]);
      records[i].colour = 0x02000000u | uint32_t(0x30 * (i % 5) << 8 | 0xC0);
    }
    axisRecords.assign(axisCount, SNgAxisSetting{});
    for (int j = 0; j < axisCount; ++j) {
      axisRecords[j].shown = 1;
      axisRecords[j].legendFlag = 1;
      const std::string unit = "U" + std::to_string(j % 100);
      unit.copy(axisRecords[j].unit, sizeof axisRecords[j].unit - 1);
    }
    for (SNgAxisSetting& a : axisRecords) a.scaleMaximum = 100;
    manager->SetAxes(axisRecords.data(), axisCount);
    panel->SetChannels(n, records.data(), axisCount, axisRecords.data());
    legend->SetMode(mode);
    manager->SetLayout(AXIS_FULL);
    panel->LayoutTree();
    hooks.clear();
  }
  CGTreeNode* AxisNode(int b) const { return AxisScreen()->m_root->TreeChildAt(b); }
  CGNgChannelNode* AxisChannel(int b, int j) const {
    return static_cast<CGNgChannelNode*>(AxisNode(b)->TreeChildAt(j));
  }
  CGNgChannelNode* Channel(int i) const {
    return static_cast<CGNgChannelNode*>(ChannelScreen()->m_root->TreeChildAt(i));
  }
  vt::CGNgLegendScreen* ChannelScreen() const { return legend->m_channelLegend->LegendScreen(); }
  vt::CGNgLegendScreen* AxisScreen() const { return legend->m_axisLegend->LegendScreen(); }
  // A press at (dxPress, 5) and a release at (dxRelease, 5) from the node's left and top.
  static void Click(CGTreeNode* node, int dxPress, int dxRelease) {
    const vt::Rect r = node->Rect();
    node->OnLButtonDown(0, r.left + dxPress, r.top + 5);
    node->OnLButtonUp(0, r.left + dxRelease, r.top + 5);
  }
  int AxisStyle(int j) const { return manager->GetAxis(j)->GetStyle(); }
  int TraceStyle(int i) const { return graph->m_screen->GetTrace(i)->GetStyle(); }

  CGNgGraph* graph = nullptr;
  CGNgLegendList* legend = nullptr;
  std::vector<CGNgChannel*> bound;
  std::vector<SNgChannelSetting> records;
  std::vector<SNgAxisSetting> axisRecords;
  std::vector<std::string> hooks;
};

}  // namespace trend_test

// A graph body with its legend bound to fake channels, Y axes and records, for the legend
// tests: the hooks record their names, clicks go to a node as a press and a release.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gadget/tests/GadgetTestEnv.h"
#include "trend/GraphBody.h"
#include "trend/testing/FakeNgChannel.h"

namespace trend_test {

inline std::vector<std::string>* g_legendHookLog = nullptr;

#define TREND_LEGEND_HOOK(Name)                             \
  inline void Record##Name(CGPrimitive*, int, int) {        \
    if (g_legendHookLog) g_legendHookLog->push_back(#Name); \
  }
TREND_LEGEND_HOOK(Selection)
TREND_LEGEND_HOOK(AxisLegend)
TREND_LEGEND_HOOK(ChannelLegend)
TREND_LEGEND_HOOK(Relayout)
#undef TREND_LEGEND_HOOK

class LegendEnv : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    graph = new CGNgGraph(nullptr);
    graph->Build(150);
    graph->SetBounds(0, 0, 800, 400);
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
    delete graph;
    axes.clear();
    GadgetEnv::TearDown();
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
    graph->SetChannels(n, bound.data(), nullptr);
    axes.clear();
    std::vector<CGNgYAxis*> axisList;
    for (int j = 0; j < axisCount; ++j) {
      axes.push_back(std::make_unique<CGNgYAxis>(nullptr, 0));
      axes.back()->SetStyle(3);
      axisList.push_back(axes.back().get());
    }
    graph->m_screen->SetYAxes(axisList);
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
    legend->SetData(records.data(), axisRecords.data(), n, axisCount);
    legend->SetMode(mode);
    graph->LayoutTree();
    hooks.clear();
  }
  CGTreeNode* AxisNode(int b) const { return AxisScreen()->m_root->TreeChildAt(b); }
  CGNgChannelNode* AxisChannel(int b, int j) const {
    return static_cast<CGNgChannelNode*>(AxisNode(b)->TreeChildAt(j));
  }
  CGNgChannelNode* Channel(int i) const {
    return static_cast<CGNgChannelNode*>(ChannelScreen()->m_root->TreeChildAt(i));
  }
  CGNgLegendScreen* ChannelScreen() const { return legend->m_channelLegend->LegendScreen(); }
  CGNgLegendScreen* AxisScreen() const { return legend->m_axisLegend->LegendScreen(); }
  // A press at (dxPress, 5) and a release at (dxRelease, 5) from the node's left and top.
  static void Click(CGTreeNode* node, int dxPress, int dxRelease) {
    const vt::Rect r = node->Rect();
    node->OnLButtonDown(0, r.left + dxPress, r.top + 5);
    node->OnLButtonUp(0, r.left + dxRelease, r.top + 5);
  }
  int AxisStyle(int j) const { return axes[j]->GetStyle(); }
  int TraceStyle(int i) const { return graph->m_screen->GetTrace(i)->GetStyle(); }

  CGNgGraph* graph = nullptr;
  CGNgLegendList* legend = nullptr;
  std::vector<std::unique_ptr<vt_test::FakeNgChannel>> channels;
  std::vector<CGNgChannel*> bound;
  std::vector<std::unique_ptr<CGNgYAxis>> axes;
  std::vector<SNgChannelSetting> records;
  std::vector<SNgAxisSetting> axisRecords;
  std::vector<std::string> hooks;
};

}  // namespace trend_test

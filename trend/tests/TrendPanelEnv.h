// A trend panel in a root with a fake host window, with the trend skins and a set of fake
// channels bound: the fixture of the panel, strip and overlay tests.
#pragma once
#include <memory>
#include <vector>

#include "gadget/testing/GadgetTestEnv.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/NgWaveform.h"
#include "trend/testing/FakeNgChannel.h"

namespace trend_test {

class PanelEnv : public gadget_test::RootEnv {
 protected:
  void SetUp() override {
    RootEnv::SetUp();
    SetNgWaveformSkin();
    SetNgGraphSkin();
    // A window large enough for a panel.
    auto large = std::make_unique<vt::FakeHostWindow>(900, 500, vt::Point{1000, 500});
    root->Attach(large.get());
    host = std::move(large);
    desktop->hostUnderCursor = host->Handle();
    panel = new CGNgWaveform(root);
    panel->SetBounds(0, 0, 900, 500);
    panel->Build(150);
    manager = panel->GetYAxisManager();
  }
  // n channels of samples every second from kStart, value ramps; records shown on axis 0.
  void Bind(int n, int64_t samples) {
    channels.clear();
    for (int i = 0; i < n; ++i) {
      channels.push_back(std::make_unique<vt_test::FakeNgChannel>());
      channels.back()->Fill(samples, [i](int64_t k) { return double((k + 7 * i) % 100); });
    }
    std::vector<CGNgChannel*> list;
    for (auto& c : channels) list.push_back(c.get());
    panel->m_graph->SetChannels(n, list.data());
    SNgAxisSetting axis;
    axis.shown = 1, axis.labelMode = 2, axis.scaleMinimum = 0, axis.scaleMaximum = 100,
    axis.colour = 0x02FFFFFF;
    manager->SetAxes(&axis, 1);
    std::vector<SNgChannelSetting> records(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
      records[size_t(i)].shown = 1, records[size_t(i)].colour = 0x0200FF00u + uint32_t(i);
    panel->SetChannels(n, records.data(), 1, &axis);
    manager->SetLayout(AXIS_FULL);
    panel->SetDataRange(At(0), At(double(samples)));
  }
  static PreciseTime At(double s) { return PreciseTime::AddSeconds(PreciseTime{1000000000, 0.0}, s); }
  CGNgWaveform* panel = nullptr;
  CGNgYAxisManager* manager = nullptr;
  std::vector<std::unique_ptr<vt_test::FakeNgChannel>> channels;
};

}  // namespace trend_test

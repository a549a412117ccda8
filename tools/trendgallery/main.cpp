// trendgallery: a trend panel of 100 channels on three Y axes, six hours of one-second samples
// shown in a 1,200 x 700 window, written to a PNG; and a second PNG of the window caught half
// way through the refill, with the load-progress overlay over the previous frame.
//
// Usage: trendgallery PANEL.png PROGRESS.png. Exit code 0 on success, 1 on a usage or write
// failure. The window is a test host (its front image is what the screen would show).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkin.h"
#include "gadget/skin/SkinArt.h"
#include "platform/gui/qt/Raster.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "trend/NgWaveform.h"
#include "trend/testing/FakeNgChannel.h"

namespace {

constexpr int kChannels = 100, kWidth = 1200, kHeight = 700;
constexpr int64_t kSamples = 86400;
const PreciseTime kStart{1700000000, 0.0};

// A channel that photographs the window the first time it is read, half way through a refill
// (the buffers refill from the last channel to the first).
class SnapshotChannel : public vt_test::FakeNgChannel {
 public:
  void ReadMinMaxOver(PreciseTime from, PreciseTime to, double* mn, double* mx, uint16_t* status) override {
    if (host && snapshot && snapshot->isNull()) *snapshot = host->FrontImage().copy();
    FakeNgChannel::ReadMinMaxOver(from, to, mn, mx, status);
  }
  vt::FakeHostWindow* host = nullptr;
  QImage* snapshot = nullptr;
};

bool Save(const QImage& image, const char* path) {
  const QString p = QString::fromLocal8Bit(path);
  QDir().mkpath(QFileInfo(p).absolutePath());
  if (image.isNull() || !image.save(p, "PNG")) {
    std::fprintf(stderr, "trendgallery: cannot write %s\n", path);
    return false;
  }
  return true;
}

vt::ColorRef Hue(int i) {
  const double h = std::fmod(i * 0.61803398875, 1.0) * 6;
  const int k = int(h);
  const double f = h - k;
  const int v = 235, lo = 70, up = int(lo + (v - lo) * f), down = int(v - (v - lo) * f);
  const int rgb[6][3] = {{v, up, lo}, {down, v, lo}, {lo, v, up}, {lo, down, v}, {up, lo, v}, {v, lo, down}};
  return 0x02000000u | vt::Rgb(uint8_t(rgb[k][0]), uint8_t(rgb[k][1]), uint8_t(rgb[k][2]));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: trendgallery PANEL.png PROGRESS.png\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterSkinArt();
  const SGSkinDescriptor skin = BuiltinSkinDescriptor();
  SetGadgetSkin(&skin);
  SetNgWaveformSkin();
  SetNgGraphSkin();

  vt::FakeHostWindow host(kWidth, kHeight);
  auto* root = new CGRoot(master, 0, 0);
  root->Attach(&host);
  auto* panel = new CGNgWaveform(root);
  panel->SetBounds(0, 0, kWidth, kHeight);
  panel->Build(150);

  // Channels: three families of waves around the scales of their axes.
  std::vector<std::unique_ptr<SnapshotChannel>> channels;
  std::vector<CGNgChannel*> list;
  std::vector<SNgChannelSetting> records(kChannels);
  for (int i = 0; i < kChannels; ++i) {
    auto c = std::make_unique<SnapshotChannel>();
    c->start = kStart;
    const int axis = i % 3;
    const double period = 3600.0 * (1 + i % 7), phase = i * 0.37;
    const double centre = axis == 0   ? 50
                          : axis == 1 ? 20
                                      : 500,
                 swing = axis == 0   ? 40
                         : axis == 1 ? 60
                                     : 400;
    c->Fill(kSamples, [&](int64_t k) {
      const double t = double(k);
      const double level = double((i / 3) % 11) / 10.0 - 0.5;  // channels spread over the scale
      return centre + swing * (0.3 * std::sin(2 * M_PI * t / period + phase) + 0.9 * level +
                               0.04 * std::sin(t / 97.0 + i));
    });
    c->name = "CH" + std::to_string(i + 1);
    records[size_t(i)].shown = 1;
    records[size_t(i)].index = int16_t(i);
    records[size_t(i)].channelIndex = int16_t(i);
    records[size_t(i)].axisIndex = int16_t(axis);
    records[size_t(i)].colour = Hue(i);
    list.push_back(c.get());
    channels.push_back(std::move(c));
  }
  SNgAxisSetting axes[3];
  const double lows[3] = {0, -50, 0}, highs[3] = {100, 100, 1000};
  const char* names[3] = {"Temperature", "Pressure", "Flow"};
  const char* units[3] = {"degC", "kPa", "l/min"};
  const vt::ColorRef axisColours[3] = {0x0280E0FF, 0x02FFC070, 0x0290FF90};
  for (int a = 0; a < 3; ++a) {
    axes[a].shown = 1, axes[a].labelMode = 2, axes[a].zoom = 1, axes[a].gridLevel = 1;
    axes[a].scaleMinimum = lows[a], axes[a].scaleMaximum = highs[a], axes[a].colour = axisColours[a];
    std::snprintf(axes[a].name, sizeof axes[a].name, "%s", names[a]);
    std::snprintf(axes[a].unit, sizeof axes[a].unit, "%s", units[a]);
  }

  // The order the graph window's root follows when it shows a group.
  panel->m_graph->SetChannels(kChannels, list.data());
  panel->SetBackColor(0x025E5E5E);
  panel->SetForeColor(0x02808080);
  CGNgYAxisManager* manager = panel->GetYAxisManager();
  manager->m_printColumnLimit = 3;
  manager->SetAxes(axes, 3);
  panel->m_graph->SetNameKind(0);
  panel->SetChannels(kChannels, records.data(), 3, axes);
  panel->SelectChannel(0, 0);
  manager->SetClip(1);
  manager->SetLayout(AXIS_SLIDING);
  const PreciseTime start = kStart;
  panel->SetLineWidths(1, 1, 1, 1);
  panel->SetDataRange(start, PreciseTime::AddSeconds(start, double(kSamples)));
  panel->SetVisibleRange(PreciseTime::AddSeconds(start, 3 * 3600.0),
                         PreciseTime::AddSeconds(start, 9 * 3600.0));
  panel->m_graph->m_timeAxis->m_division = 3600;  // an hour per division, as the root writes it
  panel->LayoutTree();

  // Every progress paint is made (a clock that moves 20 ms per reading).
  int64_t fakeNow = 0;
  panel->m_progress->m_clock = [&] { return fakeNow += 20; };
  host.Invalidate(nullptr);
  host.RunPendingPaint();
  const QImage panelImage = host.FrontImage().copy();

  // A scroll by half a span refills again; channel 49 photographs the window half way.
  QImage progressImage;
  channels[49]->host = &host;
  channels[49]->snapshot = &progressImage;
  panel->m_graph->m_scrollBar->SetPosition(PreciseTime::AddSeconds(start, 6 * 3600.0));
  panel->m_graph->m_scrollBar->PositionChanged();

  const bool ok = Save(panelImage, argv[1]) && Save(progressImage, argv[2]);
  delete master;
  return ok ? 0 : 1;
}

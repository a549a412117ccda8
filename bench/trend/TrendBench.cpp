// Benchmark of the trend display's two hot paths, each against a plain reference in the same run.
//
// Refill: 100 fake channels of 1,000,000 single values each (1 s apart), a plot 1,500 pixels
// wide showing almost all of them, so every buffer fills in column mode (about 667 samples per
// column): the plot area's refill on paint vs a plain loop that takes min and max per column
// over the same arrays.
// Paint: the 100 filled traces of a 1920 x 1080 graph (column bars over a grey background with
// its grid) painted through the plot area vs filling the same bars with a raw scanline loop
// into a QImage. Each measure takes the best of its runs.
//
// Usage: trend_bench
#include <stdio.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cfloat>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "bench/kit/BenchKit.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/RecordingDc.h"
#include "trend/NgWaveform.h"
#include "trend/testing/FakeNgChannel.h"

namespace {

constexpr int kChannels = 100;
constexpr int64_t kSamples = 1000000;
constexpr int kRuns = 3;

double Best(const std::function<void()>& work) {
  return vt::bench::BestOf(kRuns, [&](int) { work(); });
}

// A graph of the given size with every channel bound, shown and drawn against one Y axis.
struct Scene {
  std::unique_ptr<CGNgWaveform> panel;
  CGNgGraph* graph = nullptr;
};

Scene BuildScene(std::vector<std::unique_ptr<vt_test::FakeNgChannel>>& channels, int width, int height) {
  Scene s;
  s.panel = std::make_unique<CGNgWaveform>(nullptr);
  s.panel->Build(150);
  s.panel->SetBounds(0, 0, width, height);
  s.graph = s.panel->m_graph;
  s.graph->SetDataRange(PreciseTime{}, PreciseTime{});
  s.graph->SetBounds(0, 0, width, height);
  s.graph->LayoutTree();
  SNgAxisSetting r;
  r.shown = 1;
  r.scaleMinimum = -10;
  r.scaleMaximum = 110;
  s.panel->GetYAxisManager()->SetAxes(&r, 1);
  s.panel->GetYAxisManager()->LayoutTree();
  std::vector<CGNgChannel*> list;
  for (auto& c : channels) list.push_back(c.get());
  s.graph->SetChannels(kChannels, list.data());
  s.graph->m_screen->m_dataManager->m_progress = nullptr;  // the refill is measured without the overlay
  std::vector<SNgChannelSetting> bindings(kChannels);
  for (int i = 0; i < kChannels; ++i)
    bindings[i].shown = 1, bindings[i].colour = vt::Rgb(uint8_t(i * 2), 200, 100);
  s.graph->m_screen->SetTraces(kChannels, bindings.data());
  s.graph->SelectChannel(0, 0);
  return s;
}

// The plain reference: min and max of every column's samples.
void PlainColumns(const std::vector<std::unique_ptr<vt_test::FakeNgChannel>>& channels, int64_t first,
                  double perColumn, int width, std::vector<double>* out) {
  size_t k = 0;
  for (const auto& c : channels) {
    const double* v = c->mins.data();
    for (int i = 0; i <= width; ++i) {
      const int64_t a = std::max<int64_t>(first + int64_t(i * perColumn), 0);
      const int64_t b = std::min<int64_t>(first + int64_t((i + 1) * perColumn), kSamples);
      double lo = DBL_MAX, hi = -DBL_MAX;
      for (int64_t j = a; j < b; ++j) lo = std::min(lo, v[j]), hi = std::max(hi, v[j]);
      (*out)[k++] = lo, (*out)[k++] = hi;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no window is shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<std::unique_ptr<vt_test::FakeNgChannel>> channels;
  for (int c = 0; c < kChannels; ++c) {
    channels.push_back(std::make_unique<vt_test::FakeNgChannel>());
    channels.back()->Fill(kSamples, [c](int64_t i) { return double((i * 7 + c * 13) % 101); });
  }
  const PreciseTime dataStart = channels[0]->start;
  printf("channels: %d x %lld samples\n", kChannels, (long long)kSamples);

  // ---- refill ----
  Scene refill = BuildScene(channels, 1513, 600);  // a plot 1,500 pixels wide
  const int width = refill.graph->m_screen->Rect().Width();
  int shift = 0;
  const double ours = Best([&] {
    ++shift;  // a new range every run
    refill.graph->SetVisibleRange(PreciseTime::AddSeconds(dataStart, 1 + shift),
                                  PreciseTime::AddSeconds(dataStart, kSamples - 10 + shift));
    refill.graph->m_screen->RefillBuffers();
  });
  CGNgDataBuff* b0 = refill.graph->m_screen->m_dataManager->GetBuffer(0);
  const double perColumn = double(kSamples - 11) / (width - 1);
  std::vector<double> plain(size_t(kChannels) * (width + 1) * 2);
  const double reference = Best([&] { PlainColumns(channels, shift, perColumn, width, &plain); });
  printf("refill: plot width %d, mode %s, %.1f samples per column\n", width,
         b0->m_fillMode == NgFillMode::kColumns ? "columns" : "other", perColumn);
  printf("refill: %.1f ms (plain loop %.1f ms)\n", ours * 1e3, reference * 1e3);

  // ---- paint ----
  Scene paint = BuildScene(channels, 1920, 1080);
  paint.graph->SetVisibleRange(PreciseTime::AddSeconds(dataStart, 1),
                               PreciseTime::AddSeconds(dataStart, kSamples - 10));
  paint.graph->m_screen->RefillBuffers();
  auto bitmap = vt::Bitmap::Create(1920, 1080, 32);
  vt::MemoryDc dc;
  dc.SelectBitmap(bitmap.get());
  const double paintOurs = Best([&] { paint.graph->m_screen->Paint(&dc); });
  dc.SelectBitmap(nullptr);

  // The same bars, taken once from a recording of one paint.
  vt::RecordingDc recording(1920, 1080);
  paint.graph->m_screen->Paint(&recording);
  std::vector<std::pair<vt::Rect, uint32_t>> bars;
  for (const vt::DcRecord& r : recording.RecordsOf(vt::DcOp::FillRect)) {
    const uint32_t argb =
        0xFF000000u | ((r.color & 0xFF) << 16) | (r.color & 0xFF00) | ((r.color >> 16) & 0xFF);
    bars.push_back({vt::IntersectRects(r.rect, vt::Rect{0, 0, 1920, 1080}), argb});
  }
  QImage image(1920, 1080, QImage::Format_RGB32);
  const double paintReference = Best([&] {
    for (const auto& [r, argb] : bars)
      for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        std::fill(line + r.left, line + r.right, argb);
      }
  });
  printf("paint: %zu fills, %.2f ms (raw scanline fill %.2f ms)\n", bars.size(), paintOurs * 1e3,
         paintReference * 1e3);
  vt::bench::Report report("trend");
  report.AtMost("paint / raw scanline fill", paintOurs / paintReference, 3);
  report.AtMost("refill / plain min-max loop", ours / reference, 2);
  return report.ExitCode();
}

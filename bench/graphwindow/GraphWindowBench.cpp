// Benchmark of opening a graph window: one recording of 1,000,000 event records of 100 16-bit
// channels, made with the recorder-file generator and imported into a storage. A graph window is
// opened on all 100 channels through the graph template into an MDI area (offscreen), as a
// catalogue row does, and timed until its first trend is painted in the view's window. The
// reference is the bindings' own work for the same picture: 100 channels freshly bound to the
// batch and their display buffers refilled over the range the window shows, at its plot width.
// Each is measured three times, alternately, with everything let go in between (the batch's
// summaries go with the last channel bound to it); the best of each counts. The window should
// cost little beside its data: the ratio is printed last.
//
// Usage: graphwindow_bench [folder]   (default: a new folder below $TMPDIR or /tmp, removed after)
#include <stdio.h>

#include <QApplication>
#include <QMdiArea>
#include <QSet>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/CVantrelApp.h"
#include "bench/kit/BenchKit.h"
#include "document/CGVantrelNgChannel.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/Application.h"
#include "platform/gui/qt/ChildFrame.h"
#include "store/CVTBatchCache.h"
#include "store/VTDataStorage.h"
#include "tools/recgen/NewerRecorderFile.h"
#include "trend/GraphBody.h"
#include "trend/NgDataBuff.h"
#include "trend/NgWaveform.h"

namespace {

constexpr int kChannels = 100;
constexpr int64_t kSamples = 1000000;
constexpr int kRuns = 3;

int ChannelNo(int i) { return i < 48 ? 1 + i : 101 + (i - 48); }

bool MakeStorage(CVTDataStorage& storage, const std::string& folder, vt::Guid* guid) {
  const std::string area = vt::JoinPath(folder, "AREA");
  if (storage.Create(area, "Bench") != STORE_OK || storage.OpenAt(area) != STORE_OK) return false;
  recgen::NewerFile m = recgen::ResizedNewerFile(1, kChannels, kSamples, 0);
  m.intervalValue = 100;
  m.intervalUnit = 0;
  const std::string staged = vt::JoinPath(folder, "BENCH.DAE");
  if (!recgen::WriteLargeNewerFile(m, kSamples, staged)) return false;
  std::string relative;
  if (storage.ImportFile(staged, &relative) != STORE_OK) return false;
  vt::DeleteFile(staged);
  auto statement = storage.GetConnection()->CreateStatement();
  std::string text;
  if (statement->Prepare("SELECT cont_data_guid FROM continuous_data_info;") != RDB_OK ||
      statement->Execute() != RDB_OK || statement->Fetch() != RDB_ROW ||
      statement->GetText(0, text) != RDB_OK)
    return false;
  return vt::Guid::Parse(text, *guid);
}

// What the first paint showed: the range, the plot width, and whether the trend is in it.
struct Shown {
  PreciseTime start, end;
  int width = 0;
  bool painted = false;
};

// Opens the window, paints it, notes what it shows and closes it again; the seconds until the
// first paint.
double OpenGraphWindow(vt::DocTemplate& graph, const vt::Guid& guid, Shown* shown) {
  const auto t = std::chrono::steady_clock::now();
  auto* doc = static_cast<CVantrelDoc*>(graph.OpenNewDocument());
  if (!doc) return -1;
  vt::SVantrelGroupEntry e;
  for (int c = 0; c < kChannels; ++c) e.keys.push_back({guid.ToText(), ChannelNo(c), -1});
  const bool added = doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt);
  QApplication::processEvents();
  auto* view = static_cast<CVantrelGraphView*>(doc->GetViews()[0]);
  view->GetHostWindow()->UpdateWindow();
  const double seconds = vt::bench::SecondsSince(t);

  CGNgWaveform* panel = view->GetGraphRoot()->FindPanel();
  auto* frame = dynamic_cast<vt::ChildFrame*>(view->GetFrame());
  const QImage image = frame->GetViewWidget()->FrontImage();
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 5)
    for (int x = 0; x < image.width(); x += 5) colours.insert(image.pixel(x, y));
  shown->painted = added && panel && colours.size() > 8;
  doc->GetGadgetDocument()->GetShownRange(&shown->start, &shown->end);
  if (panel) shown->width = panel->m_graph->m_screen->Rect().right - panel->m_graph->m_screen->Rect().left;
  // Gone in the closing order of a last view, without the save question: the view with its
  // root and the frame, then the document with its channels.
  delete frame;
  graph.ReleaseDocument(doc);
  return seconds;
}

// The reference: fresh bindings of the same channels and their buffers refilled.
double BindAndRefill(const vt::Guid& guid, const Shown& shown) {
  const auto t = std::chrono::steady_clock::now();
  std::vector<std::unique_ptr<CGVantrelNgChannel>> channels;
  std::vector<CGNgChannel*> list;
  CGNgDataManager manager;
  for (int c = 0; c < kChannels; ++c) {
    channels.push_back(std::make_unique<CGVantrelNgChannel>(nullptr));
    if (!channels.back()->Bind(guid, ChannelNo(c), -1)) return -1;
    list.push_back(channels.back().get());
  }
  manager.SetChannels(kChannels, list.data());
  for (int c = 0; c < kChannels; ++c) manager.RefillBuffer(shown.width, shown.start, shown.end, c);
  const double seconds = vt::bench::SecondsSince(t);
  manager.SetChannels(0, nullptr);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  vt::Application loop(argc, argv);
  vt::bench::Report report("graphwindow");
  vt::bench::WorkFolder work("graphwindow_bench_", argc > 1 ? argv[1] : nullptr);
  if (!work.Ok()) {
    report.Failed("cannot create the work folder");
    return report.ExitCode();
  }
  CVTDataStorage storage;
  vt::Guid guid;
  if (!MakeStorage(storage, work.Path(), &guid)) {
    report.Failed("cannot make the stored batch");
    return report.ExitCode();
  }
  CVTBatchCache::Instance().SetStorage(&storage);
  {
    // The program's skins and root master; the window's area as the main frame holds it.
    CVantrelApp app;
    app.ApplySkins();
    QMdiArea area;
    area.resize(1600, 1000);
    area.show();
    vt::MdiFrameMaker maker(&area);
    vt::DocTemplate graph(
        "Graph", [] { return std::make_unique<CVantrelDoc>(); },
        [] { return std::make_unique<CVantrelGraphView>(); });
    graph.SetFrameMaker(&maker);

    // Warm-up: the readers open and the file comes into the page cache.
    Shown shown;
    if (OpenGraphWindow(graph, guid, &shown) < 0 || !shown.painted || shown.width <= 0) {
      report.Failed("the graph window did not paint its trend");
      return report.ExitCode();
    }
    BindAndRefill(guid, shown);
    double window = 1e30, reference = 1e30;
    for (int run = 0; run < kRuns; ++run) {
      Shown again;
      const double w = OpenGraphWindow(graph, guid, &again);
      const double r = BindAndRefill(guid, shown);
      if (w < 0 || r < 0 || !again.painted) {
        report.Failed("a run could not open the window or bind the channels");
        return report.ExitCode();
      }
      window = std::min(window, w);
      reference = std::min(reference, r);
    }
    printf("graph window: %d channels x %lld samples, plot width %d, range %.0f s shown\n", kChannels,
           (long long)kSamples, shown.width, double(shown.end.seconds - shown.start.seconds));
    printf("graph window: open to first paint %.1f ms, bindings' refill alone %.1f ms\n", window * 1e3,
           reference * 1e3);
    report.AtMost("graph window open to first painted trend / bindings' refill", window / reference, 1.5);
  }
  CVTBatchCache::Instance().Clear();
  CVTBatchCache::Instance().SetStorage(nullptr);
  storage.Close();
  return report.ExitCode();
}

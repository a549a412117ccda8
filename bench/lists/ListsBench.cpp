// Benchmark of the alarm list over a long ring of alarms.
//
// An alarm list of 100,000 rows (the alarm ring of a real graph document) in a root of
// 900 x 600 without host. Measured in the same run:
// - at the end: scrolled to the last row, a range of 10,000 rows selected with the mouse's
//   SelectRange and the list painted;
// - at the start: scrolled to the top, the rows of the first screen selected and the list
//   painted.
// Reaching a row must not walk the ring from its head, so the two should cost about the same;
// the target is a ratio of at most 2. Each measure takes the best of its runs, the two taking
// turns so that a busy machine slows them alike.
//
// Usage: lists_bench
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "bench/kit/BenchKit.h"
#include "document/testing/DocumentItems.h"
#include "document/ui/AlarmList.h"
#include "document/ui/AlarmListArt.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/MemoryDc.h"

namespace {

constexpr int kRows = 100000;
constexpr int kSelected = 10000;
constexpr int kRuns = 7;
constexpr int kRepeats = 20;

// A graph document holding kRows alarms, three a second, of every type and 200 channels.
std::unique_ptr<CGVantrelDoc> MakeDocument() {
  auto doc = std::make_unique<CGVantrelDoc>(nullptr, nullptr);
  for (int i = 0; i < kRows; ++i) {
    document_test::AlarmItem a;
    a.seconds = 1700000000 + i / 3;
    a.type = i % 10 - 1;
    a.level = 2;
    a.channel = i % 200 + 1;
    a.channelText = "CH" + std::to_string(i % 200 + 1);
    document_test::AddAlarm(doc.get(), a);
  }
  return doc;
}

double Best(double best, const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kRepeats; ++i) work();
  return std::min(best,
                  std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kRepeats);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  auto* master = new CGRootMaster;
  master->CreateManagers();
  RegisterAlarmTypeIcons();

  auto* root = new CGRoot(master, 0, 0);
  root->SetSize(900, 600);
  auto* list = new CGList(root);
  list->SetBounds(0, 0, 900, 600);
  auto* vbar = new CGVScrollBar(list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18);
  vbar->Build(1);
  auto* hbar = new CGHScrollBar(list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18);
  hbar->Build(1);
  auto* screen = new CGVTListScreenAlarm(list);
  screen->m_channelWidth = 203;
  vt::MemoryDc dc;
  auto bitmap = vt::Bitmap::Create(900, 600, 32);
  dc.SelectBitmap(bitmap.get());
  root->PaintFromDC(&dc);  // makes the back buffer
  dc.SelectBitmap(nullptr);
  vt::DeviceContext* back = root->GetBackDCPtr();

  const auto build = std::chrono::steady_clock::now();
  std::unique_ptr<CGVantrelDoc> doc = MakeDocument();
  const double buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - build).count();
  const auto update = std::chrono::steady_clock::now();
  screen->OnUpdate(4, doc.get());
  const double updateSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - update).count();
  int first = 0, last = -1;
  screen->GetVisibleRows(&first, &last);
  const int screenRows = last - first + 1;
  std::printf("rows: %d, rows on a screen: %d, selected at the end: %d\n", screen->GetRowCount(), screenRows,
              kSelected);
  std::printf("ring of %d alarms built in %.1f ms; update with hint 4 (source, cursors, layout) %.1f ms\n",
              kRows, buildSeconds * 1e3, updateSeconds * 1e3);

  const int endScroll = screen->m_contentHeight - screen->Rect().Height();
  auto atEnd = [&] {
    list->SetScroll(0, endScroll);
    screen->SelectRange(kRows - kSelected, kRows - 1);
    root->Paint(back);
  };
  auto atStart = [&] {
    list->SetScroll(0, 0);
    screen->SelectRange(0, screenRows - 1);
    root->Paint(back);
  };
  double end = 1e30, start = 1e30;
  for (int run = 0; run < kRuns; ++run) {
    end = Best(end, atEnd);
    start = Best(start, atStart);
  }
  atEnd();
  std::printf(
      "selected rows at the end: %d of %d (%s)\n",
      [&] {
        int n = 0;
        for (int r = kRows - kSelected; r < kRows; ++r) n += screen->IsRowSelected(r);
        return n;
      }(),
      kSelected, screen->IsRowSelected(kRows - 1) ? "last row selected" : "last row NOT selected");
  std::printf("paint and select: end of the list %.3f ms, first screen %.3f ms\n", end * 1e3, start * 1e3);
  vt::bench::Report report("lists");
  report.AtMost("end / first screen", end / start, 2);
  doc.reset();
  delete master;
  return report.ExitCode();
}

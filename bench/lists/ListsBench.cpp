// Benchmark of the alarm list over a long ring of alarms.
//
// An alarm list of 100,000 rows (a fake document's ring, texts prepared beforehand) in a root of
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
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/sheet/AlarmList.h"
#include "gadget/sheet/AlarmListArt.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/MemoryDc.h"

namespace {

constexpr int kRows = 100000;
constexpr int kSelected = 10000;
constexpr int kRuns = 7;
constexpr int kRepeats = 20;

class Alarm : public CGVantrelAlarmData {
 public:
  Alarm(CGCore* manager, int i)
      : CGVantrelAlarmData(manager),
        time_(TickTime::FromPreciseTime(PreciseTime{1700000000 + i / 3, 0.0})),
        type_(i % 10 - 1),
        channel_("CH" + std::to_string(i % 200 + 1)),
        number_(std::to_string(i % 200 + 1)),
        timeText_("2023/11/14 22:" + std::to_string(i % 60) + ":" + std::to_string(i % 60) + ".000") {}
  TickTime GetTime() const override { return time_; }
  std::string GetStatusText() const override { return "ON"; }
  std::string GetChannelLabel() const override { return channel_; }
  std::string GetChannelNumberText() const override { return number_; }
  std::string GetLevelText() const override { return "2"; }
  std::string GetTypeText() const override { return "Rate High"; }
  std::string GetTimeText() const override { return timeText_; }
  int32_t GetAlarmType() const override { return type_; }

 private:
  TickTime time_;
  int32_t type_;
  std::string channel_, number_, timeText_;
};

class Document : public CGVantrelDoc {
 public:
  Document() : CGVantrelDoc(nullptr, nullptr) {
    for (int i = 0; i < kRows; ++i) new Alarm(alarms_, i);
  }
  CGVantrelAlarmDataManager* GetAlarmDataManager() const override { return alarms_; }
  CGVantrelMarkDataManager* GetMarkDataManager() const override { return nullptr; }
  void GetCursorTimes(PreciseTime* a, PreciseTime* b) const override { *a = *b = PreciseTime{-1, 0.0}; }
  TickTime GetCursorATime() const override { return TickTime(); }
  TickTime GetCursorBTime() const override { return TickTime(); }

 private:
  CGVantrelAlarmDataManager* alarms_ = new CGVantrelAlarmDataManager(this);
};

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
  Document doc;
  const double buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - build).count();
  const auto update = std::chrono::steady_clock::now();
  screen->OnUpdate(4, &doc);
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
  delete master;
  return report.ExitCode();
}

// app_bench: how long the program takes from the start of main() to its shown main window on an
// empty data root (the storage list, the default storage, its databases and the settings file are
// all made on the way), against a bare Qt application that shows an empty main window. Each
// measurement is a fresh process of this program (so that fonts, the platform plugin and the
// data root start cold alike), offscreen; the best of several runs of each is kept. Prints both
// times, then the ratio last, through the benchmark kit's report. Target: at most 4.
//
// The empty data roots are made on a memory file system (/dev/shm) when there is one, so that the
// figure is the program's own work: making the storage list, the default storage and its
// databases flushes each to disk some fifty times, and what that costs is the disk's latency
// (on a virtual machine's disk, several times the whole start-up). VT_BENCH_DIR names another
// parent folder, such as /tmp, to see the start with the disk's flushes.
//
// Usage: app_bench [RUNS]     (child modes: app_bench --bare | --app)
#include <QApplication>
#include <QMainWindow>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/CVantrelApp.h"
#include "bench/kit/BenchKit.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/Application.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) { return vt::bench::SecondsSince(start) * 1e3; }

int RunBare(int argc, char** argv, Clock::time_point start) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1024, 700);
  window.show();
  QCoreApplication::processEvents();
  std::printf("%.3f\n", MillisecondsSince(start));
  return 0;
}

int RunProgram(int argc, char** argv, Clock::time_point start) {
  vt::Application loop(argc, argv);
  auto app = std::make_unique<CVantrelApp>();
  if (!app->InitInstance()) return 1;
  auto* window = static_cast<QWidget*>(vt::WindowNative(app->GetMainWindow()));
  if (!window || !window->isVisible()) return 1;
  QCoreApplication::processEvents();
  std::printf("%.3f\n", MillisecondsSince(start));
  app->ExitInstance();
  return 0;
}

// One child run of this program in a mode; its time in milliseconds, or a negative number.
double Measure(const std::string& self, const std::string& mode, const std::string& parent) {
  const vt::bench::WorkFolder folder("vt-bench-", nullptr, parent.c_str());
  if (!folder.Ok()) return -1;
  const std::string& root = folder.Path();
  vt::CreateFolders(root + "/run");
  const std::string command = "VANTREL_ROOT='" + root + "' XDG_RUNTIME_DIR='" + root +
                              "/run' QT_QPA_PLATFORM=offscreen '" + self + "' " + mode + " 2>/dev/null";
  double ms = -1;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    if (std::fscanf(pipe, "%lf", &ms) != 1) ms = -1;
    if (::pclose(pipe) != 0) ms = -1;
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  if (argc >= 2 && std::string(argv[1]) == "--bare") return RunBare(argc, argv, start);
  if (argc >= 2 && std::string(argv[1]) == "--app") return RunProgram(argc, argv, start);

  const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::string self = vt::ProgramFolder() + "/app_bench";
  const char* chosen = std::getenv("VT_BENCH_DIR");
  const std::string parent = chosen && *chosen ? chosen : vt::FolderExists("/dev/shm") ? "/dev/shm" : "/tmp";
  vt::bench::Report report("app");
  double bare = 1e300, program = 1e300;
  for (int i = 0; i < runs; ++i) {  // alternated, so that a busy moment hits both alike
    const double b = Measure(self, "--bare", parent);
    const double p = Measure(self, "--app", parent);
    if (b < 0 || p < 0) {
      report.Failed("a run failed");
      return report.ExitCode();
    }
    bare = std::min(bare, b);
    program = std::min(program, p);
  }
  std::printf("data roots under %s, best of %d runs each\n", parent.c_str(), runs);
  report.Info("bare main window shown", bare, "ms");
  report.Info("program main window shown (empty data root)", program, "ms");
  report.AtMost("start-up / bare main window", program / bare, 4);
  return report.ExitCode();
}

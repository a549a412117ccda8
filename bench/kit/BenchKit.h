// BenchKit: what every benchmark repeats. A best-of-N timer, a work folder that is made below
// $TMPDIR (or /tmp) and removed afterwards unless the caller named it, and the report: one line
// per measure, saying the figure, its target and the verdict, in a form scripts/bench collects.
//
// A report line reads
//   bench <benchmark>: <measure> = <value> <unit> (target <= <limit>) ok|OVER
// or, for a figure printed only as information,
//   bench <benchmark>: <measure> = <value> <unit> (information)
// The process exit code of a benchmark comes from Report::ExitCode: 0 when every measure is within
// its target, 3 when one is over, 1 when the benchmark failed.
#pragma once
#include <chrono>
#include <functional>
#include <string>

namespace vt::bench {

// Seconds since a point of the steady clock.
double SecondsSince(std::chrono::steady_clock::time_point start);

// The shortest of `runs` timings of work(run), in seconds.
double BestOf(int runs, const std::function<void(int run)>& work);

// The folder a benchmark works in: the one named on its command line (kept), or a new one below
// parent, or else below $TMPDIR or /tmp (removed with everything in it when the object goes).
class WorkFolder {
 public:
  WorkFolder(const char* prefix, const char* named, const char* parent = nullptr);
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool Ok() const { return !path_.empty(); }
  const std::string& Path() const { return path_; }
  std::string Join(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
  bool own_ = false;
};

// Peak resident memory of this process so far, in KiB.
long PeakRssKiB();

class Report {
 public:
  explicit Report(std::string benchmark) : benchmark_(std::move(benchmark)) {}

  // A measure with an upper target; prints its line and remembers the verdict.
  void AtMost(const std::string& measure, double value, double limit, const char* unit = "x");
  // A measure printed as information only.
  void Info(const std::string& measure, double value, const char* unit = "x");
  // The benchmark could not measure: printed, and the exit code becomes 1.
  void Failed(const std::string& why);

  int ExitCode() const { return failed_ ? 1 : over_ ? 3 : 0; }

 private:
  std::string benchmark_;
  bool over_ = false;
  bool failed_ = false;
};

}  // namespace vt::bench

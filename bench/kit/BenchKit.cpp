// BenchKit: see BenchKit.h.
#include "bench/kit/BenchKit.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>

#include "platform/base/FileSystem.h"

namespace vt::bench {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double BestOf(int runs, const std::function<void(int run)>& work) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work(run);
    best = std::min(best, SecondsSince(start));
  }
  return best;
}

WorkFolder::WorkFolder(const char* prefix, const char* named, const char* parent) {
  if (named != nullptr && *named != '\0') {
    path_ = named;
    if (!vt::CreateFolders(path_)) path_.clear();
    return;
  }
  const char* tmp = getenv("TMPDIR");
  const char* below = parent && *parent ? parent : tmp && *tmp ? tmp : "/tmp";
  std::string made;
  if (vt::CreateUniqueFolder(below, prefix, made)) {
    path_ = made;
    own_ = true;
  }
}

WorkFolder::~WorkFolder() {
  if (own_) vt::RemoveTree(path_);
}

long PeakRssKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

void Report::AtMost(const std::string& measure, double value, double limit, const char* unit) {
  const bool ok = value <= limit;
  if (!ok) over_ = true;
  printf("bench %s: %s = %.3g %s (target <= %g) %s\n", benchmark_.c_str(), measure.c_str(), value, unit,
         limit, ok ? "ok" : "OVER");
  fflush(stdout);
}

void Report::Info(const std::string& measure, double value, const char* unit) {
  printf("bench %s: %s = %.3g %s (information)\n", benchmark_.c_str(), measure.c_str(), value, unit);
  fflush(stdout);
}

void Report::Failed(const std::string& why) {
  failed_ = true;
  printf("bench %s: FAILED: %s\n", benchmark_.c_str(), why.c_str());
  fflush(stdout);
}

}  // namespace vt::bench

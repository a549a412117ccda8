// The system clock as a TickTime (UTC, 100-ns ticks since 1601): the save times of saved graphs
// and search conditions, and the import's test whether a file is still being written.
#pragma once
#include <chrono>
#include <functional>

#include "platform/base/TimeEngine.h"
#include "recorder/TickTime.h"

inline TickTime CurrentTickTime() {
  auto sinceUnix = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  return TickTime(sinceUnix.count() / 100 + vt::kEpochDifferenceTicks);
}

// Where a part of the store reads the time; tests put a clock of their own in its place.
using StoreClock = std::function<TickTime()>;

// The worker thread base: the order of Begin, Step and End, stop requests at each point of a
// run, refusal of a second start, and a destructor that waits for the running run.
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "store/CZThread.h"

namespace {

using namespace std::chrono_literals;

// A worker that records its calls and can be held inside Step until released.
class Recorder : public CZThread {
 public:
  ~Recorder() override { Stop(); }

  bool beginResult = true;
  int steps = 1;  // Step returns true this many times less one; < 0: until stopped
  bool holdInStep = false;
  bool holdInBegin = false;
  std::atomic<bool> inBegin{false};
  std::atomic<bool> inStep{false};
  std::atomic<bool> release{false};
  std::atomic<bool> idleSeenInEnd{true};

  std::string Calls() {
    std::lock_guard lock(mutex_);
    return calls_;
  }

 protected:
  bool Begin() override {
    Add('B');
    inBegin = true;
    while (holdInBegin && !release) std::this_thread::sleep_for(1ms);
    return beginResult;
  }
  bool Step() override {
    Add('S');
    inStep = true;
    while (holdInStep && !release) std::this_thread::sleep_for(1ms);
    if (steps < 0) return true;
    return --steps > 0;
  }
  void End() override {
    idleSeenInEnd = IsIdle();
    std::this_thread::sleep_for(5ms);  // an owner polling now must not see the worker idle
    Add('E');
  }

 private:
  void Add(char c) {
    std::lock_guard lock(mutex_);
    calls_ += c;
  }
  std::mutex mutex_;
  std::string calls_;
};

void WaitIdle(const CZThread& worker) {
  for (int i = 0; i < 5000 && !worker.IsIdle(); ++i) std::this_thread::sleep_for(1ms);
}

TEST(CZThread, RunsBeginStepsEndAndIsIdleOnlyAfterEnd) {
  Recorder worker;
  worker.steps = 3;
  ASSERT_TRUE(worker.IsIdle());
  ASSERT_TRUE(worker.Start());
  WaitIdle(worker);
  EXPECT_EQ(worker.Calls(), "BSSSE");
  EXPECT_FALSE(worker.idleSeenInEnd);
  EXPECT_FALSE(worker.IsStopRequested());
  // The same object runs again.
  worker.steps = 1;
  ASSERT_TRUE(worker.Start());
  WaitIdle(worker);
  EXPECT_EQ(worker.Calls(), "BSSSEBSE");
}

TEST(CZThread, BeginThatFailsRunsNeitherStepNorEnd) {
  Recorder worker;
  worker.beginResult = false;
  ASSERT_TRUE(worker.Start());
  WaitIdle(worker);
  EXPECT_EQ(worker.Calls(), "B");
  EXPECT_TRUE(worker.IsIdle());
}

TEST(CZThread, StopOnAnIdleWorkerLeavesNoRequestBehind) {
  Recorder worker;
  worker.Stop();
  EXPECT_FALSE(worker.IsStopRequested());
  ASSERT_TRUE(worker.Start());
  WaitIdle(worker);
  EXPECT_EQ(worker.Calls(), "BSE");  // the next run is not cut short
}

TEST(CZThread, StopRequestedBeforeTheFirstStepStillRunsEnd) {
  Recorder worker;
  worker.holdInBegin = true;
  ASSERT_TRUE(worker.Start());
  for (int i = 0; i < 5000 && !worker.inBegin; ++i) std::this_thread::sleep_for(1ms);
  // Stop has set its request before it first waits; only then may Begin return.
  worker.SetWaitHook([&] {
    worker.release = true;
    std::this_thread::sleep_for(1ms);
  });
  worker.Stop();
  EXPECT_EQ(worker.Calls(), "BE");
  EXPECT_FALSE(worker.IsStopRequested());
}

TEST(CZThread, SecondStartIsRefusedAndStopWaitsThroughTheHook) {
  Recorder worker;
  worker.steps = -1;
  worker.holdInStep = true;
  ASSERT_TRUE(worker.Start());
  // Refused at once, even before the thread has run a single step.
  EXPECT_FALSE(worker.Start());
  EXPECT_FALSE(worker.IsIdle());
  for (int i = 0; i < 5000 && !worker.inStep; ++i) std::this_thread::sleep_for(1ms);
  EXPECT_FALSE(worker.Start());

  int waits = 0;
  worker.SetWaitHook([&] {
    // The owner's events run here; the first one lets the worker finish its step.
    ++waits;
    worker.release = true;
    std::this_thread::sleep_for(1ms);
  });
  worker.Stop();
  EXPECT_TRUE(worker.IsIdle());
  EXPECT_GT(waits, 0);
  EXPECT_EQ(worker.Calls(), "BSE");  // the step in progress finished; no further step
  EXPECT_FALSE(worker.IsStopRequested());
}

TEST(CZThread, DestroyingARunningWorkerWaitsForItsEnd) {
  std::atomic<bool> ended{false};
  {
    struct Slow : CZThread {
      std::atomic<bool>* ended;
      ~Slow() override { Stop(); }
      bool Step() override {
        std::this_thread::sleep_for(20ms);
        return false;
      }
      void End() override { *ended = true; }
    } worker;
    worker.ended = &ended;
    ASSERT_TRUE(worker.Start());
  }
  EXPECT_TRUE(ended);
}

}  // namespace

// The event loop's services: calls posted from other threads, the idle hook, window-less
// timers, waits that process events, the end-of-session signals and the profile file.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/FileSystem.h"
#include "platform/gui/Application.h"
#include "platform/gui/Profile.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/SessionEnd.h"
#include "platform/gui/Timer.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace {

class ApplicationTest : public testing::Test {
 protected:
  int argc_ = 1;
  char name_[8] = "test";
  char* argv_[2] = {name_, nullptr};
  vt::Application loop_{argc_, argv_};  // adopts the tests' Qt application
};

TEST_F(ApplicationTest, CallsPostedFromWorkersRunOnTheLoopInPostingOrder) {
  std::vector<int> order;
  std::atomic<bool> offThread{false};
  QThread* uiThread = QThread::currentThread();
  std::thread worker([&] {
    for (int i = 0; i < 5; ++i) {
      vt::Application::PostCall([&, i] {
        if (QThread::currentThread() != uiThread) offThread = true;
        order.push_back(i);
      });
    }
  });
  worker.join();
  ASSERT_TRUE(vt::PumpUntil([&] { return order.size() == 5; }, 5000));
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_FALSE(offThread);

  int idle = 0;
  vt::Application::SetIdleHook([&] { ++idle; });
  EXPECT_TRUE(vt::PumpUntil([&] { return idle > 0; }, 5000));
  vt::Application::SetIdleHook({});
  const int seen = idle;
  vt::PumpBriefly(20);
  EXPECT_EQ(idle, seen);  // removed hooks stay quiet
}

TEST_F(ApplicationTest, TimersRepeatUntilStoppedAndSingleShotsFireOnce) {
  int ticks = 0, once = 0;
  vt::Timer repeating([&] { ++ticks; });
  vt::Timer single([&] { ++once; });
  repeating.Start(5);
  single.StartOnce(1);
  EXPECT_EQ(repeating.Interval(), 5u);
  ASSERT_TRUE(vt::PumpUntil([&] { return ticks >= 3; }, 5000));
  repeating.Stop();
  EXPECT_FALSE(repeating.IsActive());
  const int stoppedAt = ticks;
  vt::PumpBriefly(30);
  EXPECT_EQ(ticks, stoppedAt);
  EXPECT_EQ(once, 1);
  EXPECT_FALSE(single.IsActive());
}

TEST_F(ApplicationTest, WaitsEndOnTheirConditionOrTheirTimeOut) {
  QElapsedTimer clock;
  clock.start();
  EXPECT_FALSE(vt::PumpUntil([] { return false; }, 40));
  EXPECT_GE(clock.elapsed(), 40);
  bool done = false;
  vt::Application::PostCall([&] { done = true; });
  EXPECT_TRUE(vt::PumpUntil([&] { return done; }));  // the posted call runs inside the wait
}

TEST_F(ApplicationTest, TerminationSignalsReachTheLoopOnce) {
  int ended = 0;
  ASSERT_TRUE(vt::InstallSessionEnd([&] { ++ended; }));
  ASSERT_EQ(::raise(SIGTERM), 0);
  ASSERT_EQ(::raise(SIGHUP), 0);
  EXPECT_TRUE(vt::PumpUntil([&] { return ended > 0; }, 5000));
  vt::PumpBriefly(20);
  EXPECT_EQ(ended, 1);
  vt::RemoveSessionEnd();
}

TEST(ProfileTest, ValuesLiveUnderTheProgramsGroupInTheRootsConfigFolder) {
  vt_test::TempFolder root;
  {
    vt_test::ScopedEnv env("VANTREL_ROOT", root.path());
    EXPECT_EQ(vt::Profile::FilePath(), root.path() + "/config/Morvane/Vantrel.ini");
    {
      vt::Profile profile;
      profile.WriteInt("ReportColumn/5", "Width_00", 120);
      profile.WriteString("Workspace", "Look", "217 é");
      EXPECT_TRUE(profile.Sync());
    }
    const std::string text = vt_test::ReadFileBytes(vt::Profile::FilePath());
    EXPECT_NE(text.find("[R201]"), std::string::npos);
    EXPECT_NE(text.find("English\\ReportColumn\\5\\Width_00=120"), std::string::npos);
    vt::Profile again;
    EXPECT_EQ(again.GetInt("ReportColumn/5", "Width_00", 0), 120);
    EXPECT_EQ(again.GetInt("ReportColumn/5", "Width_01", -1), -1);
    EXPECT_EQ(again.GetString("Workspace", "Look", ""), "217 é");
  }
  vt_test::ScopedEnv noRoot("VANTREL_ROOT", std::nullopt);
  vt_test::ScopedEnv xdg("XDG_CONFIG_HOME", root.path() + "/xdg");
  EXPECT_EQ(vt::Profile::FilePath(), root.path() + "/xdg/Morvane/Vantrel.ini");
}

}  // namespace

// The real program as a process: a second start hands over to the first and ends with 0, and
// the end of the session (SIGTERM) writes the settings and ends with 0.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <memory>
#include <string>

#include "platform/base/FileSystem.h"
#include "platform/gui/PumpUntil.h"
#include "testing/TempFolder.h"

namespace {

class ProgramProcessTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(vt::CreateFolders(root_.path() + "/run")); }
  void TearDown() override {
    for (auto& p : processes_) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(5000);
      }
    }
  }

  // The program on its own data root and runtime folder, offscreen.
  QProcess& Start() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VANTREL_ROOT", QString::fromStdString(root_.path()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(root_.path() + "/run"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    processes_.push_back(std::make_unique<QProcess>());
    QProcess& p = *processes_.back();
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(VT_VANTREL_PROGRAM, {});
    EXPECT_TRUE(p.waitForStarted(5000));
    return p;
  }
  // Up: the program listens for a second start (its end-of-session watch is set before that).
  bool WaitUntilUp() {
    const std::string socket = root_.path() + "/run/vantrel/VantrelMainFrameWindowClass.socket";
    return vt::PumpUntil([&] { return vt::PathExists(socket); }, 10000);
  }
  std::string SettingsPath() const { return root_.path() + "/Morvane/Vantrel/DATA/VTConfiguration"; }

  vt_test::TempFolder root_;
  std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(ProgramProcessTest, SecondStartHandsOverAndLeavesOneRunning) {
  QProcess& first = Start();
  ASSERT_TRUE(WaitUntilUp());
  QProcess& second = Start();
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);

  first.terminate();  // SIGTERM
  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first.exitCode(), 0);
}

TEST_F(ProgramProcessTest, EndOfSessionWritesTheSettingsAndExitsWithZero) {
  // A hand-edited file with LF line ends and a chosen interval: written again at the end, it has
  // CR LF line ends and keeps the interval.
  ASSERT_TRUE(vt::CreateFolders(root_.path() + "/Morvane/Vantrel/DATA"));
  ASSERT_TRUE(vt::WriteFileAtomic(SettingsPath(), "[S:Interval]\n\tInterval=0\n[E:Interval]\n"));
  QProcess& program = Start();
  ASSERT_TRUE(WaitUntilUp());
  ASSERT_EQ(::kill(pid_t(program.processId()), SIGTERM), 0);
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  const std::string written = vt_test::ReadFileBytes(SettingsPath());
  EXPECT_EQ(written.rfind("Revision=101\r\n", 0), 0u);
  EXPECT_NE(written.find("\tInterval=0\r\n"), std::string::npos);
  EXPECT_FALSE(vt::PathExists(root_.path() + "/run/vantrel/VantrelMainFrameWindowClass.socket"));
}

}  // namespace

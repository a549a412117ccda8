// main() of every test binary whose tests draw or open windows (vt_test GUI_MAIN): one GUI
// application for the whole run, offscreen unless QT_QPA_PLATFORM says otherwise; then GoogleTest,
// or the body of a child process, with the application up, when the binary was re-run by
// SpawnChild ("--child NAME ARGS...").
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/testing/GuiTestSupport.h"
#include "testing/ChildProcess.h"

int main(int argc, char** argv) {
  vt::GuiTestApplication app(argc, argv);
  if (argc >= 3 && std::string(argv[1]) == "--child") {
    return vt_test::RunChild(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

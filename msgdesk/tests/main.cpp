// main() of the Msgdesk tests: one QApplication (offscreen unless told otherwise), so that the
// tests that show a real box and the worker-thread tests have a user-interface thread.
#include <gtest/gtest.h>
#include <QApplication>
#include <string>
#include <vector>

#include "testing/ChildProcess.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // A re-run by SpawnChild runs one child body (with the application object up) instead.
  if (argc >= 3 && std::string(argv[1]) == "--child") {
    return vt_test::RunChild(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

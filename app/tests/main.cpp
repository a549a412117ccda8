// main() of the application tests: the event loop object for the whole run (offscreen unless
// told otherwise), as the program makes it before its application object.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <string>
#include <vector>

#include "platform/gui/Application.h"
#include "testing/ChildProcess.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  vt::Application loop(argc, argv);
  if (argc >= 3 && std::string(argv[1]) == "--child") {
    return vt_test::RunChild(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// main() of the tests of the graph window screens: one GUI application for the whole run (offscreen by
// default).
#include <gtest/gtest.h>

#include "platform/gui/testing/GuiTestSupport.h"

int main(int argc, char** argv) {
  vt::GuiTestApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

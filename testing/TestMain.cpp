// main() of every test binary that brings no main of its own: GoogleTest, or the body of a child
// process when the binary was re-run by SpawnChild ("--child NAME ARGS...").
#include <gtest/gtest.h>

#include "testing/ChildProcess.h"

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--child") {
    return vt_test::RunChild(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

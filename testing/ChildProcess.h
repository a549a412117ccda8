// Child processes for tests that need a second process (named mutexes across processes).
// A test registers a child body by name; SpawnChild re-runs this test binary in child mode,
// which runs that body instead of the tests.
#pragma once
#include <sys/types.h>
#include <functional>
#include <string>
#include <vector>

namespace vt_test {

using ChildBody = std::function<int(const std::vector<std::string>& args)>;

struct ChildRegistration {
  ChildRegistration(const char* name, ChildBody body);
};
#define VT_TEST_CHILD(name)                                                     \
  static int name##_child(const std::vector<std::string>& args);                \
  static ::vt_test::ChildRegistration name##_registration(#name, name##_child); \
  static int name##_child([[maybe_unused]] const std::vector<std::string>& args)

// Starts the named child body in a new process; returns its pid (or -1).
pid_t SpawnChild(const std::string& name, const std::vector<std::string>& args = {});
// Waits for the child; returns its exit code, or -1 when it did not exit normally.
int WaitChild(pid_t pid);

int RunChild(const std::string& name, const std::vector<std::string>& args);

}  // namespace vt_test

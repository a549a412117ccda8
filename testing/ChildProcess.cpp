// Child processes for tests: a registry of child bodies by name, and the re-run of the test binary
// in child mode. main() lives in TestMain.cpp.
#include "testing/ChildProcess.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <map>

namespace vt_test {

static std::map<std::string, ChildBody>& Registry() {
  static std::map<std::string, ChildBody> registry;
  return registry;
}

ChildRegistration::ChildRegistration(const char* name, ChildBody body) { Registry()[name] = std::move(body); }

pid_t SpawnChild(const std::string& name, const std::vector<std::string>& args) {
  std::vector<std::string> argv{"/proc/self/exe", "--child", name};
  argv.insert(argv.end(), args.begin(), args.end());
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    execv("/proc/self/exe", raw.data());
    _exit(127);
  }
  return pid;
}

int WaitChild(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunChild(const std::string& name, const std::vector<std::string>& args) {
  auto it = Registry().find(name);
  if (it == Registry().end()) return 126;
  return it->second(args);
}

}  // namespace vt_test

// The library exports its four operations under their plain C names and nothing else of its
// own: the catalogue, the locale record and the platform layer stay hidden.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

TEST(MsgdeskExports, ExactlyTheFourOperations) {
  // Defined dynamic symbols, demangled. The linker's own markers of the data segment and the
  // standard library's template instances (default visibility of their own) are not part of
  // the interface.
  std::string command = std::string("nm -D --defined-only --demangle '") + MSGDESK_LIBRARY + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> own;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe)) {
    std::string s(line);
    if (!s.empty() && s.back() == '\n') s.pop_back();
    // "<address> <type> <name>"
    auto first = s.find(' ');
    if (first == std::string::npos || first + 3 > s.size()) continue;
    std::string name = s.substr(first + 3);
    if (name.rfind("std::", 0) == 0 || name.rfind("__gnu_cxx::", 0) == 0) continue;
    if (name.find(" for std::") != std::string::npos) continue;  // typeinfo, vtable, guard
    if (name == "__bss_start" || name == "_edata" || name == "_end") continue;
    own.insert(name);
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(own,
            (std::set<std::string>{"DisplayMessage", "DisplayMessage2", "GetMessageInfo", "ShowMessageBox"}));
}

}  // namespace

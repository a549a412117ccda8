// Paths: the program root's fallbacks and the component helpers the readers and stores use.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/base/Paths.h"

namespace {

struct EnvGuard {
  std::string name;
  std::string old;
  bool had;
  explicit EnvGuard(const char* n) : name(n), had(std::getenv(n) != nullptr) {
    if (had) old = std::getenv(n);
  }
  ~EnvGuard() { had ? setenv(name.c_str(), old.c_str(), 1) : unsetenv(name.c_str()); }
};

TEST(Paths, ProgramRootFallsBackFromVantrelRootToXdgToHome) {
  EnvGuard a("VANTREL_ROOT"), b("XDG_DATA_HOME"), c("HOME");
  setenv("VANTREL_ROOT", "/r/root/", 1);
  setenv("XDG_DATA_HOME", "/x/data", 1);
  setenv("HOME", "/h/user", 1);
  EXPECT_EQ(vt::ProgramRoot(), "/r/root");
  unsetenv("VANTREL_ROOT");
  EXPECT_EQ(vt::ProgramRoot(), "/x/data");
  setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored, as XDG says
  EXPECT_EQ(vt::ProgramRoot(), "/h/user/.local/share");
}

TEST(Paths, ComponentHelpers) {
  struct Case {
    const char* path;
    const char* name;
    const char* parent;
    const char* ext;
  } cases[] = {
      {"/a/b/c.DAE", "c.DAE", "/a/b", ".DAE"},
      {"/c", "c", "/", ""},
      {"c.x.y", "c.x.y", "", ".y"},
      {"/a/x.DAD/file", "file", "/a/x.DAD", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(vt::FileNamePart(c.path), c.name);
    EXPECT_EQ(vt::ParentPath(c.path), c.parent);
    EXPECT_EQ(vt::ExtensionPart(c.path), c.ext);
  }
  EXPECT_EQ(vt::JoinPath("/a/", "/b"), "/a/b");
  EXPECT_EQ(vt::JoinPath("/", "b"), "/b");
  EXPECT_EQ(vt::JoinPath("", "b"), "b");
  EXPECT_TRUE(vt::IsUsablePath("/data"));
  EXPECT_FALSE(vt::IsUsablePath("data"));
  EXPECT_FALSE(vt::IsUsablePath(""));
}

TEST(Paths, ExtensionTestLooksAtTheLastComponentWithoutCase) {
  struct Case {
    const char* path;
    bool dae;
  } cases[] = {
      {"/d/file.DAE", true},  {"/d/file.dae", true},      {"/d/FILE.DaE", true}, {"/d/file.DAE.bak", false},
      {"/x.DAE/file", false}, {"/x.DAE/file.DAD", false}, {"DAE", false},
  };
  for (const auto& c : cases) EXPECT_EQ(vt::HasExtension(c.path, ".DAE"), c.dae) << c.path;
}

}  // namespace

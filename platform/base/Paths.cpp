// Paths and the program's locations (see Paths.h).
#include "platform/base/Paths.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>

#include "platform/base/Text.h"

namespace vt {

static std::string WithoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string ProgramRoot() {
  if (const char* root = std::getenv("VANTREL_ROOT"); root && *root) return WithoutTrailingSlash(root);
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return WithoutTrailingSlash(xdg);
  const char* home = std::getenv("HOME");
  std::string base = (home && *home) ? home : "/tmp";
  return WithoutTrailingSlash(base) + "/.local/share";
}

// A folder only this user may enter.
static bool UsableFolder(const std::string& dir) {
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
    return false;
  }
  if ((st.st_mode & 077) != 0 && ::chmod(dir.c_str(), 0700) != 0) return false;
  return true;
}

bool UserRuntimeFolder(std::string* dir) {
  if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg == '/') {
    *dir = std::string(xdg) + "/vantrel";
    if (UsableFolder(*dir)) return true;
  }
  *dir = "/tmp/vantrel-" + std::to_string(::geteuid());
  return UsableFolder(*dir);
}

std::string ProgramFolder() {
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  return std::string(ParentPath(std::string_view(buffer, std::size_t(n))));
}

bool IsUsablePath(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string JoinPath(std::string_view a, std::string_view b) {
  if (a.empty()) return std::string(b);
  if (b.empty()) return std::string(a);
  std::string out(a);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  while (!b.empty() && b.front() == '/') b.remove_prefix(1);
  if (out != "/") out += '/';
  out += b;
  return out;
}

std::string_view FileNamePart(std::string_view path) {
  auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ParentPath(std::string_view path) {
  auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

std::string_view ExtensionPart(std::string_view path) {
  std::string_view name = FileNamePart(path);
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return name.substr(dot);
}

bool HasExtension(std::string_view path, std::string_view ext) {
  std::string_view name = FileNamePart(path);
  if (name.size() < ext.size()) return false;
  return EqualsNoCaseAscii(name.substr(name.size() - ext.size()), ext);
}

}  // namespace vt

// Output names (see OutputNames.h).
#include "formshift/OutputNames.h"

#include "platform/base/FileSystem.h"
#include "platform/base/Numbers.h"
#include "platform/base/Paths.h"

namespace formshift {

bool SplitExtension(std::string_view path, std::string& stem, std::string& extension) {
  // Only a "." in the file name counts: a dotted folder name is no extension.
  std::size_t nameStart = path.find_last_of('/');
  nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos || dot < nameStart) return false;
  stem.assign(path.substr(0, dot));
  extension.assign(path.substr(dot));
  return true;
}

bool FirstFreeName(const std::string& stem, const std::string& middle, const std::string& extension,
                   std::string& name) {
  std::string candidate = stem + middle + extension;
  for (long n = 1; candidate.size() < kMaxPath; ++n) {
    if (!vt::PathExists(candidate)) {
      name = std::move(candidate);
      return true;
    }
    candidate = stem + middle + vt::FormatC("_%ld", n) + extension;
  }
  return false;
}

std::string BareFileName(std::string_view path) {
  std::string_view name = vt::FileNamePart(path);
  return std::string(name.substr(0, name.size() - vt::ExtensionPart(name).size()));
}

}  // namespace formshift

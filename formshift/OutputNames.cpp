// Output names (see OutputNames.h).
#include "formshift/OutputNames.h"

#include <cerrno>

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

namespace {

enum class Candidate { Taken, Next, GiveUp };

// Offers the candidates in order until one is taken.
template <class Take>
bool FirstName(const std::string& stem, const std::string& middle, const std::string& extension,
               std::string& name, Take take) {
  std::string candidate = stem + middle + extension;
  for (long n = 1; candidate.size() < kMaxPath; ++n) {
    switch (take(candidate)) {
      case Candidate::Taken:
        name = std::move(candidate);
        return true;
      case Candidate::GiveUp:
        return false;
      case Candidate::Next:
        break;
    }
    candidate = stem + middle + vt::FormatC("_%ld", n) + extension;
  }
  return false;
}

}  // namespace

bool FirstFreeName(const std::string& stem, const std::string& middle, const std::string& extension,
                   std::string& name) {
  return FirstName(stem, middle, extension, name, [](const std::string& candidate) {
    return vt::NameTaken(candidate) ? Candidate::Next : Candidate::Taken;
  });
}

bool ClaimFreeName(const std::string& stem, const std::string& middle, const std::string& extension,
                   std::string& name) {
  return FirstName(stem, middle, extension, name, [](const std::string& candidate) {
    if (vt::CreateNewFile(candidate)) return Candidate::Taken;
    return errno == EEXIST ? Candidate::Next : Candidate::GiveUp;
  });
}

std::string BareFileName(std::string_view path) {
  std::string_view name = vt::FileNamePart(path);
  return std::string(name.substr(0, name.size() - vt::ExtensionPart(name).size()));
}

}  // namespace formshift

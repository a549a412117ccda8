// The locale record (see CLocaleInfo.h), built when the library is loaded and destroyed when
// it is unloaded. A locale id is the primary language in its low ten bits and the default
// sublanguage above them.
#include "msgdesk/CLocaleInfo.h"

#include <dlfcn.h>

#include <new>

#include "platform/base/Text.h"

namespace msgdesk {

namespace {

constexpr uint32_t kSublangDefault = 1;

uint32_t LcidOf(uint16_t primaryLanguage) { return (kSublangDefault << 10) | primaryLanguage; }

CLocaleInfo* g_localeInfo = nullptr;

__attribute__((constructor)) void MakeLocaleInfo() { g_localeInfo = new (std::nothrow) CLocaleInfo; }

__attribute__((destructor)) void DropLocaleInfo() {
  delete g_localeInfo;
  g_localeInfo = nullptr;
}

}  // namespace

CLocaleInfo::CLocaleInfo() {
  // The folder of the library file, kept for completeness: nothing reads it.
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&MakeLocaleInfo), &info) && info.dli_fname) {
    std::string file = info.dli_fname;
    auto slash = file.rfind('/');
    if (slash != std::string::npos) folder_ = file.substr(0, slash + 1);
  }
  // The platform knows one language, the user's; it stands for both.
  systemLcid_ = LcidOf(vt::SystemLanguageId());
  userLcid_ = systemLcid_;
}

const CLocaleInfo* CLocaleInfo::Instance() { return g_localeInfo; }

}  // namespace msgdesk

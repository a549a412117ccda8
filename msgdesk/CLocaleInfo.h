// The library's locale record: made once when the library is loaded and kept until it is
// unloaded, so the language of the box buttons is the one the user had at start-up.
#pragma once
#include <cstdint>
#include <string>

namespace msgdesk {

class CLocaleInfo {
 public:
  CLocaleInfo();
  virtual ~CLocaleInfo() = default;

  const std::string& Folder() const { return folder_; }  // the library's folder
  uint32_t SystemLcid() const { return systemLcid_; }
  uint32_t UserLcid() const { return userLcid_; }

  // The record of this process, or null when it could not be made.
  static const CLocaleInfo* Instance();

 private:
  std::string folder_;
  uint32_t systemLcid_ = 0;
  uint32_t userLcid_ = 0;
};

}  // namespace msgdesk

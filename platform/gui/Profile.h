// The user's profile: the program's per-user settings outside its own settings file (window
// layout, report columns, the visual theme).
//
// An INI file read and written through Qt's settings class, with every value under the group
// "R201/English" (sections below it). The file is "Morvane/Vantrel.ini" under
// $VANTREL_ROOT/config when VANTREL_ROOT is set, else under $XDG_CONFIG_HOME, else ~/.config.
#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace vt {

class Profile {
 public:
  static constexpr const char* kGroup = "R201/English";

  Profile();
  // Writes what changed.
  ~Profile();
  Profile(const Profile&) = delete;
  Profile& operator=(const Profile&) = delete;

  // The file this process's profile lives in.
  static std::string FilePath();

  int GetInt(std::string_view section, std::string_view entry, int defaultValue) const;
  void WriteInt(std::string_view section, std::string_view entry, int value);
  std::string GetString(std::string_view section, std::string_view entry,
                        std::string_view defaultValue) const;
  void WriteString(std::string_view section, std::string_view entry, std::string_view value);
  // Writes what changed to the file; false when it could not be written.
  bool Sync();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vt

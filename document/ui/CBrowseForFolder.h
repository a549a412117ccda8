// The folder pickers: CBrowseForFolder runs the folder chooser (with an optional "Subfolder"
// box) and keeps the chosen path; CBrowseForImportFolder refuses folders that are already in
// the automatic-import table and the program's own and system folders; CBrowseForExportFolder
// refuses the program's data tree and the automatic-import folders. A refused choice shows a
// message and ends the picker with Cancel; the user opens it again.
//
// Paths are compared as the file system names them (case-sensitively), after removing a
// trailing separator, so "/data/in/" and "/data/in" are one folder.
#pragma once
#include <cstdint>
#include <string>

#include "platform/base/WindowHandles.h"
#include "store/AutoImportFolder.h"

using SImportFolderEntry = vt::SAutoImportFolder;

class CBrowseForFolder {
 public:
  // title: the instruction shown in the chooser (empty: none).
  CBrowseForFolder(vt::WindowHandle owner, const std::string& title);
  virtual ~CBrowseForFolder();

  // 1 when a folder was chosen (in m_result), else 2.
  virtual int DoModal();

  std::string m_title;
  std::string m_startFolder;
  std::string m_result;
  uint8_t m_showCheckBox = 0;
  uint8_t m_initialCheck = 0;
  uint8_t m_checkResult = 0;
  vt::WindowHandle m_owner;

 protected:
  int RunChooser();
};

class CBrowseForImportFolder : public CBrowseForFolder {
 public:
  CBrowseForImportFolder(vt::WindowHandle owner, const std::string& title);
  // After a choice: 10205 (already selected) or 10204 (cannot be selected) and 2, else 1.
  int DoModal() override;
  // 0 usable, 1 a folder of the program or of the system, 2 already in the table.
  int CheckFolder() const;

  const SImportFolderEntry* m_folderTable = nullptr;  // 8 entries, or null
  int m_excludedIndex = -1;                           // an entry not compared; outside 0..7: none
  // Where the program lives and its data root; the running program's by default.
  std::string m_programFolder;
  std::string m_programRoot;
};

class CBrowseForExportFolder : public CBrowseForFolder {
 public:
  CBrowseForExportFolder(vt::WindowHandle owner, const std::string& title);
  // After a choice: 10204 and 2 when it may not be used, else 1.
  int DoModal() override;
  // False for the program's data tree and for any automatic-import folder or a folder in one.
  bool IsSelectable() const;

  const SImportFolderEntry* m_folderTable = nullptr;  // the 8 automatic-import entries
  std::string m_programRoot;
};

// The path without its trailing separators ("/" stays "/").
std::string NormaliseFolder(const std::string& path);
// folder is base itself or lies below it.
bool IsFolderWithin(const std::string& folder, const std::string& base);

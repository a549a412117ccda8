// vt::CatalogueActions: what the main window does with the rows selected in the report list
// besides showing them in graph windows: Edit > Delete (moving files to the deleted data,
// deleting deleted data, saved search conditions or saved graphs for good, or an instrument
// without files), Edit > Empty and Restore deleted data, File > Export (copies of stored files)
// and Convert > To Excel[File] / To Text[File]. It reads the selection from the list document,
// asks the catalogue of the current storage, and puts its commands with their enablers into
// the main frame's command map.
//
// User-interface thread only. The moves to and from the deleted data run through the list
// document's file operations, which the application sets to its batch operations (progress
// window, import worker stopped, import list and operation log written for what succeeded).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/base/WindowHandles.h"

class CListDoc;
class CNavigationDoc;

namespace vt {

class CommandMap;

class CatalogueActions {
 public:
  // Command ids.
  static constexpr int ID_EDIT_DELETE = 32789;
  static constexpr int ID_EDIT_EMPTY_TRASH = 32809;
  static constexpr int ID_EDIT_RESTORE = 32811;
  static constexpr int ID_FILE_EXPORT = 32804;
  static constexpr int ID_CONVERT_EXCEL_FILE = 32965;
  static constexpr int ID_CONVERT_TEXT_FILE = 32966;

  // What the actions ask of the application around them; an unset hook answers false or empty.
  struct Hooks {
    std::function<bool()> graphWindowActive;
    std::function<bool()> reportListFocused;
    // The export-folder picker; false when no folder was chosen.
    std::function<bool(std::string* folder)> chooseExportFolder;
    // Converts stored files (relative to the current storage) in the given format.
    std::function<void(int format, const std::vector<std::string>& storedPaths)> convertFiles;
    WindowHandle owner = 0;
  };

  CatalogueActions(CListDoc& list, CNavigationDoc& navigation, Hooks hooks);

  // Edit > Delete: a selection of files or saved graphs while no graph window is active, of
  // deleted data or saved conditions; else an instrument node in data mode whose instrument has
  // neither stored nor deleted files.
  bool CanDelete() const;
  void Delete();
  bool CanExport() const;
  // Copies each selected file into the chosen folder; an existing file is replaced only after
  // the user agreed, a failed copy is reported and the next row follows.
  void Export();
  bool CanConvert() const;
  // format: 0 spreadsheet, 1 text.
  void ConvertFiles(int format);

  // Puts the six commands with their enablers into commands.
  void Register(CommandMap& commands);

 private:
  bool HasSelection() const;
  // The selected rows, collected from the report list when the document holds none yet.
  std::vector<int> SelectedRows();

  CListDoc& list_;
  CNavigationDoc& navigation_;
  Hooks hooks_;
};

}  // namespace vt

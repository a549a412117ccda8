// The operation dialog of the storage-management dialog: for one operation on a management area
// it shows the area concerned, asks for the operation's inputs (a new name, a backup folder and
// save name) and confirms. "Calculate" works inside it: the total size of the area's files is
// shown and the dialog stays open. Names typed in lose at once the characters a folder name
// cannot hold.
#pragma once
#include <cstdint>
#include <string>

#include "document/ui/DialogFrame.h"
#include "store/VTDataStorageManager.h"

GADGET_DECLARE_RECORD(CGVTDAreaMessageRoot)

namespace vt {

// The operations; the worker's ones equal DATA_AREA_OPERATION.
enum AREA_DIALOG_MODE : int {
  AREA_MODE_CREATE = 0,
  AREA_MODE_RENAME = 1,
  AREA_MODE_SWITCH = 2,
  AREA_MODE_DELETE = 3,
  AREA_MODE_CHECK = 4,
  AREA_MODE_BACKUP = 5,
  AREA_MODE_RESTORE = 6,
  AREA_MODE_CALCULATE = 7,
  AREA_MODE_REBUILD = 8,
};

}  // namespace vt

// name without '/', '\', ':', '*', '?', '"', '<', '>', '|' and '.', and without leading and
// trailing blanks.
std::string CleanAreaName(const std::string& name);
// A size as the lists show it: "%dMbyte" above 1,048,576 bytes, "%dKbyte" above 1,024, else
// "%dbyte" (a negative size too).
std::string FormatAreaSize(int64_t bytes);

class CGVTDAreaMessageRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kNewNameId = 1045,
    kRenameId = 1046,
    kBackupFolderId = 1047,
    kBackupNameId = 1048,
    kRestoreFolderId = 1049,
    kRestoreNameId = 1050,
    kOkId = 1051,
    kCapacityId = 1061,
    kCancelId = 2,
    kBrowseId = 3,
  };
  CGVTDAreaMessageRoot(int width, int height);
  const SGClassInfo* GetClassInfo() const override;

  // Cleans the name fields of the mode and enables OK when the inputs are complete.
  void UpdateOkButton();
  std::string EditText(int id);
  void SetEditText(int id, const std::string& text);
  bool IsOkEnabled();

  std::string folder;
  int mode = 0;
  int selected = 0;
  int count = 0;
  const SDataAreaInfo* areas = nullptr;
};

class CDlgDAreaMessage : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 9;
  CDlgDAreaMessage();
  // The root is made for each opening and goes with the dialog.
  ~CDlgDAreaMessage() override;

  // OK and Enter: the inputs are checked and confirmed; the dialog ends with 1 when valid.
  void Confirm();
  bool ValidateInputs();
  // "Execution" of the calculation: the selected area's size into the capacity field.
  void Calculate();
  // "...": the folder chooser for the backup destination or the restore source.
  void BrowseFolder();

  int mode = 0;
  int current = 0;
  int selected = 0;
  int count = 0;
  const SDataAreaInfo* areas = nullptr;
  // The inputs after OK: the new or restored name, or the backup save name; the folder.
  std::string m_name;
  std::string m_folder;
  CGVTDAreaMessageRoot* m_root = nullptr;

 protected:
  bool OnInitDialog() override;
  void OnOK() override { Confirm(); }

 private:
  const SDataAreaInfo* Selected() const;
};

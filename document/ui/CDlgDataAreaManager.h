// The storage-management dialog ("Management area"): the list of management areas (data
// storages) with their state, number of files and index-file size, and the operations on them.
// Create, rename, switch and delete run at once; check, backup, restore and rebuild run on the
// data-area manager's worker while a progress window with Cancel is shown. The worker only
// posts its end (WM_VT_AREAREFRESH, WM_VT_AREAOPDONE); the list is reloaded and shown on the
// user-interface thread when the refresh arrives.
//
// Only the "Close" button ends the dialog, and it is disabled while the current area is in
// trouble: the user repairs, restores or switches first.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "document/ui/CDlgDAreaMessage.h"
#include "document/ui/DialogFrame.h"
#include "platform/base/WindowHandles.h"

GADGET_DECLARE_RECORD(CGVTDataAreaMgrRoot)

class CDataAreaManager;
class CDlgProgressbar;
class CGSheet;
class CGSheetArray;

constexpr uint32_t WM_VT_AREAREFRESH = vt::kWmUser + 111;
constexpr uint32_t WM_VT_AREAOPDONE = vt::kWmUser + 112;

class CGVTDataAreaMgrRoot : public vt::CGVTDialogRoot {
 public:
  enum : int {
    kCurrentNameId = 1052,
    kSheetId = 1053,
    kNameColumnId = 1024,
    kStatusColumnId = 1127,
    kFilesColumnId = 1025,
    kSizeColumnId = 1026,
    kCreateId = 1027,
    kRenameId = 1028,
    kSwitchId = 1029,
    kDeleteId = 1030,
    kCheckId = 1031,
    kBackupId = 1032,
    kRestoreId = 1033,
    kRebuildId = 1034,
    kCalculateId = 1035,
    kCloseId = 1036,
  };
  static constexpr int kMaxAreas = 10;

  CGVTDataAreaMgrRoot();
  const SGClassInfo* GetClassInfo() const override;

  // The manager's area list, count and current index into the root.
  void CopyAreas();
  // The list, the current name and the buttons from the root's copy of the areas.
  void RefreshAreaList();
  // Selects line (-1: none) as a click on the line header does.
  void SelectLine(int line);
  int SelectedLine() const;
  bool IsEnabled(int id) const;
  CGSheet* Sheet() const;
  CGSheetArray* Column(int id) const;

  int current = 0;
  int selected = -1;
  const SDataAreaInfo* areas = nullptr;
  int count = 0;
  CDataAreaManager* manager = nullptr;
  std::string logRoot;
};

CGVTDataAreaMgrRoot* CreateDataAreaMgrRoot();

class CDlgDataAreaManager : public vt::DialogWindow {
 public:
  static constexpr int kTemplateId = 163;
  CDlgDataAreaManager();
  ~CDlgDataAreaManager() override;

  // Before DoModal: the root, the manager's list and log folder, and this dialog as the
  // receiver of the manager's completion.
  void AttachRoot(CDataAreaManager* manager);
  // The completion of a worker run (on the worker's thread): posts only.
  static void OnAreaOperationDone(void* dialog);

  // A button: the operation dialog of mode, then the operation when it was confirmed.
  void RunOperation(int mode);
  // The operation of mode after its dialog ended with OK, with that dialog's inputs.
  void ExecuteOperation(int mode, const std::string& name, const std::string& folder);
  void RefreshAreaList();

  CGVTDataAreaMgrRoot* m_root = nullptr;
  std::unique_ptr<CDlgProgressbar> m_progress;

 protected:
  bool OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}
  vt::LResult WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) override;

 private:
  void ShowResult(int operation, int result);
  void Reload();
  void StartWorker(int operation, uint32_t titleId, const std::string& name, const std::string& path);
};

// The storage-management dialog and its list root (see CDlgDataAreaManager.h).
#include "document/ui/CDlgDataAreaManager.h"

#include <cstdio>
#include <cstring>

#include "document/ui/CDlgImportFolder.h"
#include "document/ui/CDlgProgressbar.h"
#include "gadget/GGroup.h"
#include "gadget/GRowColumn.h"
#include "gadget/GScrollBar.h"
#include "gadget/GSkButton.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetColumns.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"
#include "recorder/StoreResult.h"
#include "store/CDataAreaManager.h"
#include "store/FolderHelpers.h"

GADGET_DEFINE_RECORD(CGVTDataAreaMgrRoot, CGVTDialogRoot)

namespace {

constexpr int kWidth = 573, kHeight = 300;
constexpr uint32_t kIdsInUse = 3009, kIdsAreaName = 3006, kIdsStatus = 3205, kIdsFiles = 3007;
constexpr uint32_t kIdsIndexSize = 3008, kIdsNormal = 3206, kIdsTrouble = 3207, kIdsClose = 3005;
constexpr uint32_t kIdsRestoring = 3200, kIdsBackingUp = 3201, kIdsChecking = 3202, kIdsRebuilding = 3203;
constexpr int kMsgDone = 10005, kMsgAborted = 10017, kMsgBackupAborted = 10109, kMsgDestroyed = 10211;
constexpr int kMsgCheckFailed = 10209, kMsgBackupFailed = 10208, kMsgRestoreFailed = 10201;
constexpr int kMsgRebuildFailed = 10210, kMsgNoSpaceBackup = 10107, kMsgNoSpaceRebuild = 10108;

// The buttons: id, caption, operation (-1: Close), position.
struct Button {
  int id;
  uint32_t text;
  int mode;
  int x, y;
};
constexpr Button kButtons[] = {
    {CGVTDataAreaMgrRoot::kCreateId, 3002, vt::AREA_MODE_CREATE, 15, 5},
    {CGVTDataAreaMgrRoot::kRenameId, 3003, vt::AREA_MODE_RENAME, 120, 5},
    {CGVTDataAreaMgrRoot::kSwitchId, 3011, vt::AREA_MODE_SWITCH, 225, 5},
    {CGVTDataAreaMgrRoot::kDeleteId, 3004, vt::AREA_MODE_DELETE, 330, 5},
    {CGVTDataAreaMgrRoot::kCalculateId, 3015, vt::AREA_MODE_CALCULATE, 435, 5},
    {CGVTDataAreaMgrRoot::kBackupId, 3013, vt::AREA_MODE_BACKUP, 15, 30},
    {CGVTDataAreaMgrRoot::kRestoreId, 3014, vt::AREA_MODE_RESTORE, 120, 30},
    {CGVTDataAreaMgrRoot::kCheckId, 3012, vt::AREA_MODE_CHECK, 225, 30},
    {CGVTDataAreaMgrRoot::kRebuildId, 3199, vt::AREA_MODE_REBUILD, 330, 30},
    {CGVTDataAreaMgrRoot::kCloseId, kIdsClose, -1, 435, 30},
};

CDlgDataAreaManager* DialogFromGadget(CGPrimitive* g) {
  return dynamic_cast<CDlgDataAreaManager*>(DialogOf(g));
}

void OnButton(CGPrimitive* source, int, void* data) {
  int mode = 0;
  std::memcpy(&mode, data, sizeof mode);
  CDlgDataAreaManager* dialog = DialogFromGadget(source);
  if (!dialog) return;
  if (mode < 0)
    dialog->EndDialog(1);
  else
    dialog->RunOperation(mode);
}
void OnSelection(CGPrimitive* source, int, void*) {
  if (auto* root = dynamic_cast<CGVTDataAreaMgrRoot*>(source->GetRootGadget())) root->RefreshAreaList();
}

// Free bytes of the file system holding path; 0 when it cannot be read.
uint64_t FreeSpace(const std::string& path) {
  uint64_t bytes = 0;
  return vt::DiskFreeSpace(path, bytes) ? bytes : 0;
}

}  // namespace

CGVTDataAreaMgrRoot::CGVTDataAreaMgrRoot() : vt::CGVTDialogRoot(kWidth, kHeight) {}

const SGClassInfo* CGVTDataAreaMgrRoot::GetClassInfo() const { return GCLASS(CGVTDataAreaMgrRoot); }

CGVTDataAreaMgrRoot* CreateDataAreaMgrRoot() {
  auto* root = new CGVTDataAreaMgrRoot;
  auto* layout = new CGRowColumn(root, 0, 0, 0, GSTYLE_ACTIVE, kWidth, kHeight, 1, 0);
  layout->mode = kRowColumnTopDown;
  layout->SetBackColor(kDialogBackColor);

  auto* top = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, kWidth, 30);
  new CGLabel(top, 10, 5, 180, 20, 0, 1, 0x02000000, kIdsInUse);
  new CGVTLabel(std::string(), 2, 200, top, CGVTDataAreaMgrRoot::kCurrentNameId, 200, 5, 0x02CACACA);

  // Ten lines of 18 pixels under a header of 20, and a horizontal bar's room.
  auto* sheet = new CGSkSheet(layout, 0, 0, kWidth, 20 + 18 * CGVTDataAreaMgrRoot::kMaxAreas,
                              CGVTDataAreaMgrRoot::kSheetId, GSTYLE_ACTIVE, 1, 16, 0, 18);
  auto* vbar = new CGVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 18);
  vbar->Build(1);
  auto* hbar = new CGHScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16);
  hbar->Build(1);
  auto* body = new CGSkSheetScreen(sheet, 0, GSTYLE_ACTIVE);
  new CGSkSColumn(sheet, 0, GSTYLE_ACTIVE, 20);
  auto* lines = new CGSingleSelectLine(sheet, 0, GSTYLE_ACTIVE, 1, 30, 1, 12, vt::LoadString(3000).c_str(), 2,
                                       1, vt::LoadString(3001).c_str());
  lines->AddEventCallback(GEVENT_CHANGED, &OnSelection, nullptr, 0);
  lines->AddEventCallback(GEVENT_HEADER_CLICKED, &OnSelection, nullptr, 0);
  new CGSkSLabels(body, CGVTDataAreaMgrRoot::kNameColumnId, kIdsAreaName, 210, 1);
  new CGSkSLabels(body, CGVTDataAreaMgrRoot::kStatusColumnId, kIdsStatus, 90, 1);
  new CGSkSLabels(body, CGVTDataAreaMgrRoot::kFilesColumnId, kIdsFiles, 90, 2);
  new CGSkSLabels(body, CGVTDataAreaMgrRoot::kSizeColumnId, kIdsIndexSize, 150, 2);

  auto* buttons = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, kWidth, 60);
  for (const Button& b : kButtons) {
    auto* button = new CGSkPushButton(buttons, b.x, b.y, 100, 25, b.id,
                                      b.mode < 0 ? GSTYLE_ACTIVE : GSTYLE_VISIBLE, b.text);
    button->AddEventCallback(GEVENT_CLICKED, &OnButton, &b.mode, sizeof b.mode);
  }
  layout->LayoutTree();
  return root;
}

CGSheet* CGVTDataAreaMgrRoot::Sheet() const { return static_cast<CGSheet*>(FindById(kSheetId)); }

CGSheetArray* CGVTDataAreaMgrRoot::Column(int id) const { return static_cast<CGSheetArray*>(FindById(id)); }

int CGVTDataAreaMgrRoot::SelectedLine() const {
  const CGSheet* sheet = Sheet();
  return sheet ? sheet->m_selectionFirst : -1;
}

void CGVTDataAreaMgrRoot::SelectLine(int line) {
  if (CGSheet* sheet = Sheet()) sheet->SetSelection(line, line);
  RefreshAreaList();
}

bool CGVTDataAreaMgrRoot::IsEnabled(int id) const {
  auto* g = static_cast<CGPrimitive*>(FindById(id));
  return g && g->GetStyle() == GSTYLE_ACTIVE;
}

void CGVTDataAreaMgrRoot::CopyAreas() {
  if (!manager) return;
  areas = manager->GetAreas().data();
  count = manager->GetCount();
  current = manager->GetCurrentIndex();
}

void CGVTDataAreaMgrRoot::RefreshAreaList() {
  CVTDataStorageManager* storages = manager ? manager->GetStorageManager() : nullptr;
  if (CGSheet* sheet = Sheet()) sheet->SetLineCount(count);
  const bool currentValid = areas && current >= 0 && current < count;
  if (auto* label = static_cast<CGPrimitive*>(FindById(kCurrentNameId)))
    label->SetText(currentValid ? areas[current].name : std::string());
  for (int i = 0; areas && i < count; ++i) {
    const SDataAreaInfo& area = areas[i];
    Column(kNameColumnId)->SetLineText(i, area.name);
    Column(kFilesColumnId)->SetLineText(i, std::to_string(storages ? storages->GetFileCount(area.name) : 0));
    const bool sound = area.status == AREA_STATUS_OK;
    Column(kStatusColumnId)->SetLineText(i, vt::LoadString(sound ? kIdsNormal : kIdsTrouble));
    Column(kSizeColumnId)
        ->SetLineText(i, sound && storages ? FormatAreaSize(int64_t(storages->GetIndexFileSize(area.name)))
                                           : std::string());
  }

  auto enable = [&](int id, bool on) {
    if (auto* b = static_cast<CGPrimitive*>(FindById(id))) b->SetStyle(on ? GSTYLE_ACTIVE : GSTYLE_VISIBLE);
  };
  const int s = SelectedLine();
  const bool lineSelected = s >= 0 && s < kMaxAreas && s < count;
  for (int id : {kRenameId, kSwitchId, kDeleteId, kCalculateId, kBackupId, kCheckId, kRebuildId})
    enable(id, lineSelected);
  if (lineSelected) {
    selected = s;
    const bool sound = areas[s].status == AREA_STATUS_OK;
    if (sound) enable(kRebuildId, false);
    if (!sound) enable(kSwitchId, false);
    if (s == current) {
      enable(kDeleteId, false);
      enable(kSwitchId, false);
    }
  }
  enable(kCreateId, count < kMaxAreas);
  enable(kRestoreId, count < kMaxAreas);
  // While the current area is in trouble the user must repair, restore or switch first.
  enable(kCloseId, !(currentValid && areas[current].status != AREA_STATUS_OK));
  LayoutTree();
  if (GetHostWindow()) Update();
}

CDlgDataAreaManager::CDlgDataAreaManager() : vt::DialogWindow(kTemplateId, 0) {}

CDlgDataAreaManager::~CDlgDataAreaManager() {
  if (m_root) {
    // A run still going reports to a dialog that is gone: its completion must not reach it.
    if (m_root->manager) m_root->manager->SetCompletion(nullptr, nullptr);
    m_root->Release();
  }
  m_root = nullptr;
  m_progress.reset();
}

void CDlgDataAreaManager::AttachRoot(CDataAreaManager* manager) {
  if (!m_root) m_root = static_cast<CGVTDataAreaMgrRoot*>(TakePooledRoot(GCLASS(CGVTDataAreaMgrRoot)));
  if (!m_root) m_root = CreateDataAreaMgrRoot();
  if (!m_root || !manager) return;
  m_root->manager = manager;
  manager->SetCompletion(&CDlgDataAreaManager::OnAreaOperationDone, this);
  m_root->CopyAreas();
  m_root->logRoot = manager->GetLogFolder();
  m_root->SelectLine(-1);
}

bool CDlgDataAreaManager::OnInitDialog() {
  if (!m_root) m_root = static_cast<CGVTDataAreaMgrRoot*>(TakePooledRoot(GCLASS(CGVTDataAreaMgrRoot)));
  if (!m_root) m_root = CreateDataAreaMgrRoot();
  RefreshAreaList();
  AttachRootToDialog(*this, m_root);
  m_progress = std::make_unique<CDlgProgressbar>(GetSafeHwnd(), 1);
  m_progress->ShowWindow(false);
  m_progress->m_cancelFunction = [](void* data) {
    auto* dialog = static_cast<CDlgDataAreaManager*>(data);
    if (dialog->m_root && dialog->m_root->manager) dialog->m_root->manager->GetStorageManager()->Cancel();
  };
  m_progress->m_cancelData = this;
  return true;
}

void CDlgDataAreaManager::RefreshAreaList() {
  if (m_root) m_root->RefreshAreaList();
}

void CDlgDataAreaManager::OnAreaOperationDone(void* data) {
  auto* dialog = static_cast<CDlgDataAreaManager*>(data);
  const vt::WindowHandle window = dialog ? dialog->GetSafeHwnd() : 0;
  if (!window) return;
  if (dialog->m_progress) dialog->m_progress->HideProgress();
  // The list belongs to the user-interface thread: it reloads it when the refresh arrives.
  CDataAreaManager* manager = dialog->m_root ? dialog->m_root->manager : nullptr;
  vt::PostMessage(window, WM_VT_AREAREFRESH, 0, 0);
  if (manager)
    vt::PostMessage(window, WM_VT_AREAOPDONE, vt::WParam(manager->GetOperation()),
                    vt::LParam(manager->GetResult()));
}

vt::LResult CDlgDataAreaManager::WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  if (message == WM_VT_AREAREFRESH) {
    Reload();
    RefreshAreaList();
    return 0;
  }
  if (message == WM_VT_AREAOPDONE) {
    ShowResult(int(wParam), int(lParam));
    return 0;
  }
  return vt::DialogWindow::WindowProc(message, wParam, lParam);
}

void CDlgDataAreaManager::Reload() {
  if (!m_root || !m_root->manager) return;
  m_root->manager->LoadAreas();
  m_root->CopyAreas();
}

void CDlgDataAreaManager::ShowResult(int operation, int result) {
  int message = 0;
  if (result == STORE_OK)
    message = kMsgDone;
  else if (result == STORE_INTERRUPTED)
    message = operation == DATA_AREA_BACKUP ? kMsgBackupAborted : kMsgAborted;
  else if (result == STORE_CORRUPTED || result == STORE_SCHEMA_MISMATCH)
    message = kMsgDestroyed;
  else if (operation == DATA_AREA_CHECK)
    message = kMsgCheckFailed;
  else if (operation == DATA_AREA_BACKUP)
    message = kMsgBackupFailed;
  else if (operation == DATA_AREA_RESTORE)
    message = kMsgRestoreFailed;
  else if (operation == DATA_AREA_REBUILD)
    message = kMsgRebuildFailed;
  if (message) DisplayMessage(GetSafeHwnd(), message, vt::kMbOk);
}

void CDlgDataAreaManager::RunOperation(int mode) {
  if (!m_root) return;
  CDlgDAreaMessage operation;
  operation.mode = mode;
  operation.current = m_root->current;
  operation.selected = m_root->selected;
  operation.count = m_root->count;
  operation.areas = m_root->areas;
  if (operation.DoModal() != 1) return;
  ExecuteOperation(mode, operation.m_name, operation.m_folder);
}

void CDlgDataAreaManager::StartWorker(int operation, uint32_t titleId, const std::string& name,
                                      const std::string& path) {
  if (m_progress) m_progress->ShowProgress(titleId);
  if (!m_root->manager->StartOperation(operation, name, path) && m_progress) m_progress->HideProgress();
}

void CDlgDataAreaManager::ExecuteOperation(int mode, const std::string& name, const std::string& folder) {
  if (!m_root || !m_root->manager) return;
  CDataAreaManager* manager = m_root->manager;
  CVTDataStorageManager* storages = manager->GetStorageManager();
  const bool haveSelected = m_root->areas && m_root->selected >= 0 && m_root->selected < m_root->count;
  const SDataAreaInfo selectedArea = haveSelected ? m_root->areas[m_root->selected] : SDataAreaInfo{};
  if (mode != vt::AREA_MODE_CREATE && mode != vt::AREA_MODE_RESTORE && !haveSelected) return;
  const std::string logFolder = m_root->logRoot.empty() ? std::string() : m_root->logRoot + "/";
  switch (mode) {
    case vt::AREA_MODE_CREATE:
      storages->CreateStorage(name);
      break;
    case vt::AREA_MODE_RENAME: {
      const std::string oldLog = logFolder + selectedArea.name;
      if (!logFolder.empty() && !selectedArea.name.empty() && vt::FolderExists(oldLog))
        vt::MoveFile(oldLog, logFolder + name);
      storages->RenameStorage(selectedArea.name, name);
      break;
    }
    case vt::AREA_MODE_SWITCH:
      manager->SwitchArea(m_root->selected);
      break;
    case vt::AREA_MODE_DELETE:
      storages->DeleteStorage(selectedArea.name);
      // A name that is no folder's own would take the whole log root (or more) with it.
      if (!logFolder.empty() && selectedArea.name != "." && selectedArea.name != ".." &&
          !selectedArea.name.empty())
        DeleteFolderTree(logFolder + selectedArea.name);
      if (CGSheet* sheet = m_root->Sheet()) sheet->SetSelection(-1, -1);
      break;
    case vt::AREA_MODE_CHECK:
      StartWorker(DATA_AREA_CHECK, kIdsChecking, selectedArea.name, {});
      return;
    case vt::AREA_MODE_REBUILD:
      if (FreeSpace(vt::ProgramRoot()) <= storages->GetIndexFileSize(selectedArea.name)) {
        DisplayMessage(GetSafeHwnd(), kMsgNoSpaceRebuild, vt::kMbOk);
        break;
      }
      StartWorker(DATA_AREA_REBUILD, kIdsRebuilding, selectedArea.name, {});
      return;
    case vt::AREA_MODE_BACKUP: {
      const std::string destination = folder + "/" + name;
      if (FreeSpace(folder) <= GetFolderSize(selectedArea.folder)) {
        DisplayMessage(GetSafeHwnd(), kMsgNoSpaceBackup, vt::kMbOk);
        break;
      }
      StartWorker(DATA_AREA_BACKUP, kIdsBackingUp, selectedArea.name, destination);
      return;
    }
    case vt::AREA_MODE_RESTORE:
      StartWorker(DATA_AREA_RESTORE, kIdsRestoring, name, folder);
      return;
    default:
      return;
  }
  Reload();
  RefreshAreaList();
}

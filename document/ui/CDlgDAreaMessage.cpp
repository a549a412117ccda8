// The operation dialog of the storage-management dialog (see CDlgDAreaMessage.h).
#include "document/ui/CDlgDAreaMessage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/ui/CBrowseForFolder.h"
#include "gadget/GSkButton.h"
#include "gadget/GTextField.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"
#include "store/FolderHelpers.h"

GADGET_DEFINE_RECORD(CGVTDAreaMessageRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsAreaName = 3006, kIdsPresentName = 3019, kIdsNewName = 3020, kIdsInUse = 3021;
constexpr uint32_t kIdsSwitched = 3022, kIdsDestination = 3030, kIdsExecution = 3031, kIdsCapacity = 3032;
constexpr uint32_t kIdsSaveName = 3033, kIdsClose = 3005, kIdsCancel = 3017, kIdsOk = 3018;
constexpr int kMsgSwitch = 10006, kMsgDelete = 10007, kMsgCheck = 10008, kMsgRebuild = 10015;
constexpr int kMsgLong = 10016, kMsgDuplicate = 10115;
constexpr int kNameLength = 30;
constexpr vt::ColorRef kValueFrame = 0x02C0C0C0;

// Title and heading strings by mode.
constexpr uint32_t kTitles[9] = {3002, 3003, 3011, 3004, 3012, 3013, 3014, 3015, 3199};
constexpr uint32_t kHeadings[9] = {3016, 3023, 3024, 3025, 3026, 3027, 3028, 3029, 3204};

// One row of the operation dialog: caption, gadget id and what it shows.
enum class Show { Edit, SelectedName, CurrentName, Folder, Result };
struct Row {
  uint32_t caption;
  int id;
  Show show;
};
struct ModeRows {
  Row rows[3];
  int count;
  int height;
};
const ModeRows kModes[9] = {
    {{{kIdsAreaName, CGVTDAreaMessageRoot::kNewNameId, Show::Edit}}, 1, 100},
    {{{kIdsPresentName, 1054, Show::SelectedName},
      {kIdsNewName, CGVTDAreaMessageRoot::kRenameId, Show::Edit}},
     2,
     120},
    {{{kIdsInUse, 1055, Show::CurrentName}, {kIdsSwitched, 1056, Show::SelectedName}}, 2, 120},
    {{{kIdsAreaName, 1057, Show::SelectedName}}, 1, 100},
    {{{kIdsAreaName, 1058, Show::SelectedName}}, 1, 100},
    {{{kIdsAreaName, 1059, Show::SelectedName},
      {kIdsDestination, CGVTDAreaMessageRoot::kBackupFolderId, Show::Folder},
      {kIdsSaveName, CGVTDAreaMessageRoot::kBackupNameId, Show::Edit}},
     3,
     140},
    {{{kIdsDestination, CGVTDAreaMessageRoot::kRestoreFolderId, Show::Folder},
      {kIdsAreaName, CGVTDAreaMessageRoot::kRestoreNameId, Show::Edit}},
     2,
     120},
    {{{kIdsAreaName, 1060, Show::SelectedName},
      {kIdsCapacity, CGVTDAreaMessageRoot::kCapacityId, Show::Result}},
     2,
     120},
    {{{kIdsAreaName, 1058, Show::SelectedName}}, 1, 100},
};

CDlgDAreaMessage* DialogFromGadget(CGPrimitive* g) { return dynamic_cast<CDlgDAreaMessage*>(DialogOf(g)); }

void OnOkClicked(CGPrimitive* source, int, void*) {
  if (CDlgDAreaMessage* d = DialogFromGadget(source))
    d->mode == vt::AREA_MODE_CALCULATE ? d->Calculate() : d->Confirm();
}
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }
void OnBrowse(CGPrimitive* source, int, void*) {
  if (CDlgDAreaMessage* d = DialogFromGadget(source)) d->BrowseFolder();
}
void OnEdited(CGPrimitive* source, int, void*) {
  if (auto* root = dynamic_cast<CGVTDAreaMessageRoot*>(source->GetRootGadget())) root->UpdateOkButton();
}

bool Confirmed(vt::WindowHandle owner, int message) {
  return DisplayMessage(owner, message, vt::kMbOkCancel) == vt::kIdOk;
}

}  // namespace

std::string CleanAreaName(const std::string& name) {
  std::string out;
  for (char c : name)
    if (c != '\0' && !std::strchr("/\\:*?\"<>|.", c)) out += c;
  const std::size_t first = out.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::string FormatAreaSize(int64_t bytes) {
  char text[32];
  if (bytes > 1048576)
    std::snprintf(text, sizeof text, "%dMbyte", int(bytes / 1048576));
  else if (bytes > 1024)
    std::snprintf(text, sizeof text, "%dKbyte", int(bytes / 1024));
  else
    std::snprintf(text, sizeof text, "%dbyte", int(bytes));
  return text;
}

CGVTDAreaMessageRoot::CGVTDAreaMessageRoot(int width, int height) : vt::CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTDAreaMessageRoot::GetClassInfo() const { return GCLASS(CGVTDAreaMessageRoot); }

std::string CGVTDAreaMessageRoot::EditText(int id) {
  std::string text;
  if (auto* g = static_cast<CGPrimitive*>(FindById(id))) g->GetEditText(&text);
  return text;
}

void CGVTDAreaMessageRoot::SetEditText(int id, const std::string& text) {
  if (auto* g = static_cast<CGPrimitive*>(FindById(id))) g->SetEditText(text);
}

bool CGVTDAreaMessageRoot::IsOkEnabled() {
  auto* ok = static_cast<CGPrimitive*>(FindById(kOkId));
  return ok && ok->GetStyle() == GSTYLE_ACTIVE;
}

void CGVTDAreaMessageRoot::UpdateOkButton() {
  auto cleaned = [&](int id) {
    const std::string text = CleanAreaName(EditText(id));
    SetEditText(id, text);
    return text;
  };
  bool enable = true;
  switch (mode) {
    case vt::AREA_MODE_CREATE:
      enable = !cleaned(kNewNameId).empty();
      break;
    case vt::AREA_MODE_RENAME:
      enable = !cleaned(kRenameId).empty();
      break;
    case vt::AREA_MODE_BACKUP:
    case vt::AREA_MODE_RESTORE: {
      const int folderId = mode == vt::AREA_MODE_BACKUP ? kBackupFolderId : kRestoreFolderId;
      if (auto* label = static_cast<CGPrimitive*>(FindById(folderId))) label->SetText(folder);
      const bool named = !cleaned(mode == vt::AREA_MODE_BACKUP ? kBackupNameId : kRestoreNameId).empty();
      enable = named && !folder.empty();
      break;
    }
    default:
      break;
  }
  if (auto* ok = static_cast<CGPrimitive*>(FindById(kOkId)))
    ok->SetStyle(enable ? GSTYLE_ACTIVE : GSTYLE_VISIBLE);
  if (GetHostWindow()) Update();
}

CDlgDAreaMessage::CDlgDAreaMessage() : vt::DialogWindow(kTemplateId, 0) {}

CDlgDAreaMessage::~CDlgDAreaMessage() {
  // Built for every opening: given back here, not pooled.
  if (m_root) m_root->Release();
  m_root = nullptr;
}

const SDataAreaInfo* CDlgDAreaMessage::Selected() const {
  return areas && selected >= 0 && selected < count ? &areas[selected] : nullptr;
}

bool CDlgDAreaMessage::OnInitDialog() {
  if (mode < 0 || mode > vt::AREA_MODE_REBUILD) return false;
  SetWindowText(vt::LoadString(kTitles[mode]));
  const ModeRows& layout = kModes[mode];
  const int valueWidth = MeasureTextWidth(nullptr, std::string(kNameLength, 'W'), 5);
  uint32_t captions[3];
  for (int i = 0; i < layout.count; ++i) captions[i] = layout.rows[i].caption;
  const int e = GetWidestTextWidth(nullptr, captions, layout.count, 20);
  const int width = valueWidth + e + 30;
  m_root = new CGVTDAreaMessageRoot(width, layout.height);
  CGVTDAreaMessageRoot* root = m_root;
  root->mode = mode;
  root->selected = selected;
  root->count = count;
  root->areas = areas;
  new CGLabel(root, 10, 5, 350, 20, 0, 1, 0x02000000, kHeadings[mode]);
  for (int i = 0; i < layout.count; ++i) {
    const Row& row = layout.rows[i];
    const int y = 5 + 22 * (i + 1) + 5;
    new CGLabel(root, 10, y, e, 20, 0, 1, 0x02000000, row.caption);
    const SDataAreaInfo* area = Selected();
    switch (row.show) {
      case Show::Edit: {
        auto* edit =
            new CGSkText(root, e + 15, y, valueWidth, 20, row.id, 0x02000000, 0x02FFFFFF, kNameLength);
        edit->SetStyle(GSTYLE_ACTIVE);
        edit->AddEventCallback(GEVENT_CHANGED, &OnEdited, nullptr, 0);
        edit->AddEventCallback(GEVENT_EDIT_STORE, &OnEdited, nullptr, 0);
        break;
      }
      case Show::SelectedName:
        new CGVTLabel(area ? area->name : std::string(), 2, valueWidth, root, row.id, e + 15, y, kValueFrame);
        break;
      case Show::CurrentName: {
        const bool valid = areas && current >= 0 && current < count;
        new CGVTLabel(valid ? areas[current].name : std::string(), 2, valueWidth, root, row.id, e + 15, y,
                      kValueFrame);
        break;
      }
      case Show::Folder: {
        auto* label = new CGVTLabel(root->folder, 1, valueWidth - 25, root, row.id, e + 15, y, kValueFrame);
        (void)label;
        auto* browse = new CGSkPushButton(root, valueWidth + e - 5, y, 22, 22,
                                          CGVTDAreaMessageRoot::kBrowseId, GSTYLE_ACTIVE, uint32_t(0));
        browse->SetText("...");
        browse->AddEventCallback(GEVENT_CLICKED, &OnBrowse, nullptr, 0);
        break;
      }
      case Show::Result:
        new CGVTLabel(std::string(), 2, valueWidth, root, row.id, e + 15, y, kValueFrame);
        break;
    }
  }
  const int buttonsY = layout.height - 32;
  const bool calculate = mode == vt::AREA_MODE_CALCULATE;
  auto* ok = new CGSkPushButton(root, width - 210, buttonsY, 100, 25, CGVTDAreaMessageRoot::kOkId,
                                GSTYLE_ACTIVE, calculate ? kIdsExecution : kIdsOk);
  ok->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  auto* cancel = new CGSkPushButton(root, width - 105, buttonsY, 100, 25, CGVTDAreaMessageRoot::kCancelId,
                                    GSTYLE_ACTIVE, calculate ? kIdsClose : kIdsCancel);
  cancel->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  root->LayoutTree();
  AttachRootToDialog(*this, root);
  root->UpdateOkButton();
  return true;
}

bool CDlgDAreaMessage::ValidateInputs() {
  if (!m_root) return false;
  const vt::WindowHandle owner = GetSafeHwnd();
  switch (mode) {
    case vt::AREA_MODE_CREATE:
      m_name = CleanAreaName(m_root->EditText(CGVTDAreaMessageRoot::kNewNameId));
      break;
    case vt::AREA_MODE_RENAME:
      m_name = CleanAreaName(m_root->EditText(CGVTDAreaMessageRoot::kRenameId));
      break;
    case vt::AREA_MODE_SWITCH:
      return Confirmed(owner, kMsgSwitch);
    case vt::AREA_MODE_DELETE:
      return Confirmed(owner, kMsgDelete);
    case vt::AREA_MODE_CHECK:
      return Confirmed(owner, kMsgCheck);
    case vt::AREA_MODE_REBUILD:
      return Confirmed(owner, kMsgRebuild);
    case vt::AREA_MODE_BACKUP:
    case vt::AREA_MODE_RESTORE: {
      const bool backup = mode == vt::AREA_MODE_BACKUP;
      m_folder = m_root->folder;
      m_name = CleanAreaName(m_root->EditText(backup ? CGVTDAreaMessageRoot::kBackupNameId
                                                     : CGVTDAreaMessageRoot::kRestoreNameId));
      if (m_folder.empty() || m_name.empty() || !Confirmed(owner, kMsgLong)) return false;
      if (backup) return true;
      break;
    }
    default:
      return true;
  }
  // A new name (create, rename, restore) must be new.
  if (m_name.empty()) return false;
  for (int i = 0; areas && i < count; ++i) {
    if (areas[i].name == m_name) {
      DisplayMessage(owner, kMsgDuplicate, vt::kMbOk);
      return false;
    }
  }
  return true;
}

void CDlgDAreaMessage::Confirm() {
  if (ValidateInputs()) EndDialog(1);
}

void CDlgDAreaMessage::Calculate() {
  const SDataAreaInfo* area = Selected();
  if (!area || !m_root) return;
  const uint64_t size = GetFolderSize(area->folder);
  if (auto* g = static_cast<CGPrimitive*>(m_root->FindById(CGVTDAreaMessageRoot::kCapacityId)))
    g->SetText(FormatAreaSize(int64_t(size)));
  if (m_root->GetHostWindow()) m_root->Update();
}

void CDlgDAreaMessage::BrowseFolder() {
  if (!m_root) return;
  CBrowseForFolder picker(GetSafeHwnd(), vt::LoadString(kIdsDestination));
  picker.m_startFolder = m_root->folder;
  picker.m_showCheckBox = 0;
  if (picker.DoModal() != 1) return;
  m_root->folder = picker.m_result;
  m_root->UpdateOkButton();
}

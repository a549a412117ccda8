// The file-conversion dialog and its pooled root (see CDlgFileConvert.h).
#include "document/ui/CDlgFileConvert.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "document/ui/CBrowseForFolder.h"
#include "gadget/GGroup.h"
#include "gadget/GRoot.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "gadget/GTextField.h"
#include "platform/base/Paths.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTFileConvertRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsNumberOfSteps = 3254, kIdsFolder = 3224, kIdsBrowse = 3225;
constexpr uint32_t kIdsOk = 3018, kIdsCancel = 3017;
constexpr uint32_t kIdsExcelFile = 3255, kIdsTextFile = 3256;
constexpr vt::ColorRef kLineColour = 0x025E5E5E, kValueBack = 0x02ECEAE6;

CGVTFileConvertRoot* RootOf(void* data) {
  CGVTFileConvertRoot* root = nullptr;
  std::memcpy(&root, data, sizeof root);
  return root;
}

void OnBrowse(CGPrimitive*, int, void* data) { RootOf(data)->ChooseFolder(); }
void OnOk(CGPrimitive*, int, void* data) { RootOf(data)->Accept(); }
void OnCancel(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

std::string DefaultFileConvertFolder() { return vt::ProgramRoot() + "/Morvane/Vantrel/CONVERT"; }

CGVTFileConvertRoot::CGVTFileConvertRoot(int width, int height)
    : vt::CGVTDialogRoot(width, height), m_folder(DefaultFileConvertFolder()) {}

const SGClassInfo* CGVTFileConvertRoot::GetClassInfo() const { return GCLASS(CGVTFileConvertRoot); }

CGVTFileConvertRoot* CreateFileConvertRoot() {
  const uint32_t labels[] = {kIdsNumberOfSteps, kIdsFolder};
  const int w = std::max(90, GetWidestTextWidth(nullptr, labels, 2, 10));
  const int W = 4 * w + 1;
  auto* root = new CGVTFileConvertRoot(W, 80);
  const CGVTFileConvertRoot* self = root;
  auto callback = [&](CGPrimitive* gadget, GEventHandler handler) {
    gadget->AddEventCallback(GEVENT_CLICKED, handler, &self, sizeof self);
  };
  auto* layout = new CGRowColumn(root, 0, 0, 0, GSTYLE_ACTIVE, W, 80, 1, 0);
  layout->mode = kRowColumnTopDown;
  layout->SetBackColor(kDialogBackColor);

  auto* fields = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, W, 50);
  fields->SetForeColor(kLineColour);
  new CGLabel(fields, 5, 5, w, 20, 0, 1, 0x02000000, kIdsNumberOfSteps);
  new CGSkIntValue(fields, w + 5, 5, 60, 18, CGVTFileConvertRoot::kStepId, GSTYLE_ACTIVE, 0x02000000,
                   0x02FFFFFF, 1, INT_MAX, 1, 0);
  new CGLabel(fields, 5, 25, w, 20, 0, 1, 0x02000000, kIdsFolder);
  new CGLabel(fields, w + 5, 25, 2 * w + 43, 20, CGVTFileConvertRoot::kFolderId, 1, kValueBack, 1, 0x02000000,
              12, "");
  callback(new CGSkPushButton(fields, W - 35, 25, 30, 20, CGVTFileConvertRoot::kBrowseId, GSTYLE_ACTIVE,
                              kIdsBrowse),
           &OnBrowse);

  auto* buttons = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, W, 30);
  buttons->SetForeColor(kLineColour);
  callback(
      new CGSkPushButton(buttons, W - 207, 0, 100, 25, CGVTFileConvertRoot::kOkId, GSTYLE_ACTIVE, kIdsOk),
      &OnOk);
  callback(new CGSkPushButton(buttons, W - 105, 0, 100, 25, CGVTFileConvertRoot::kCancelId, GSTYLE_ACTIVE,
                              kIdsCancel),
           &OnCancel);
  layout->LayoutTree();
  return root;
}

void CGVTFileConvertRoot::ShowFolder() {
  if (auto* label = static_cast<CGPrimitive*>(FindById(kFolderId))) {
    label->SetText(m_folder);
    if (GetHostWindow()) label->Update();
  }
}

void CGVTFileConvertRoot::ChooseFolder() {
  vt::DialogWindow* dialog = DialogOf(this);
  CBrowseForFolder picker(dialog ? dialog->GetSafeHwnd() : 0, std::string());
  picker.m_startFolder = m_folder;
  if (picker.DoModal() != 1) return;
  m_folder = picker.m_result;
  ShowFolder();
}

void CGVTFileConvertRoot::Accept() {
  CloseInPlaceEditors();
  ShowFolder();
  int step = 1;
  if (auto* field = static_cast<CGPrimitive*>(FindById(kStepId))) field->GetValue(&step);
  m_stepCount = step;
  EndDialogOf(this, 1);
}

CDlgFileConvert::CDlgFileConvert(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent) {}

CDlgFileConvert::~CDlgFileConvert() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgFileConvert::OnInitDialog() {
  SetWindowText(vt::LoadString(m_format ? kIdsTextFile : kIdsExcelFile));
  if (!m_root) m_root = static_cast<CGVTFileConvertRoot*>(TakePooledRoot(GCLASS(CGVTFileConvertRoot)));
  if (!m_root) m_root = CreateFileConvertRoot();
  if (m_root) {
    // The step field keeps the value of the last opening; the folder is always the caller's.
    m_root->m_folder = m_folder;
    m_root->ShowFolder();
  }
  AttachRootToDialog(*this, m_root);
  return true;
}

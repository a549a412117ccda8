// The graph-name dialog and its root (see CDlgGraphNameInput.h).
#include "document/ui/CDlgGraphNameInput.h"

#include "gadget/GLabel.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkButton.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTGraphNameInputRoot, CGSkRoot)

namespace {

constexpr uint32_t kIdsTitle = 5006, kIdsName = 5007, kIdsOk = 3018, kIdsCancel = 3017;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The caption's width in the dialog window's own font (the context's current one).
int CaptionWidth(vt::DeviceContext* dc) {
  const std::string caption = vt::LoadString(kIdsName);
  return dc ? dc->GetTextExtent(caption).cx : int(caption.size()) * 6;
}

void OnOkClicked(CGPrimitive* source, int, void*) {
  if (auto* dialog = dynamic_cast<CDlgGraphNameInput*>(DialogOf(source))) dialog->AcceptName();
}
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

CGVTGraphNameInputRoot::CGVTGraphNameInputRoot(int width, int height) : CGSkRoot(g_rootMaster, nullptr, 1) {
  SetOpaque(1);
  SetBackColor(kDialogBackColor);
  SetSize(width, height);
}

const SGClassInfo* CGVTGraphNameInputRoot::GetClassInfo() const { return GCLASS(CGVTGraphNameInputRoot); }

CGVTGraphNameInputRoot* CreateGraphNameInputRoot(vt::DeviceContext* dc) {
  const int a = CaptionWidth(dc), width = a + 220;
  auto* root = new CGVTGraphNameInputRoot(width, 80);
  new CGLabel(root, 5, 10, a, 20, 0, kAlignLeft, 0x02000000, kIdsName);
  new CGSkText(root, a + 5, 10, 200, 20, CGVTGraphNameInputRoot::kNameId, 0x02000000, 0x02FFFFFF,
               CDlgGraphNameInput::kNameChars);
  (new CGSkPushButton(root, width / 2 - 95, 40, 80, 25, CGVTGraphNameInputRoot::kOkId, GSTYLE_ACTIVE, kIdsOk))
      ->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  (new CGSkPushButton(root, width / 2 + 15, 40, 80, 25, CGVTGraphNameInputRoot::kCancelId, GSTYLE_ACTIVE,
                      kIdsCancel))
      ->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  root->LayoutTree();
  return root;
}

CDlgGraphNameInput::CDlgGraphNameInput(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent) {}

CDlgGraphNameInput::~CDlgGraphNameInput() {
  m_name.clear();
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgGraphNameInput::OnInitDialog() {
  if (!m_root) m_root = static_cast<CGVTGraphNameInputRoot*>(TakePooledRoot(GCLASS(CGVTGraphNameInputRoot)));
  if (!m_root) {
    vt::DeviceContext* dc = Host() ? Host()->GetDC() : nullptr;
    m_root = CreateGraphNameInputRoot(dc);
    if (dc) Host()->ReleaseDC(dc);
  }
  m_root->m_name = m_name;
  if (auto* box = static_cast<CGPrimitive*>(m_root->FindById(CGVTGraphNameInputRoot::kNameId)))
    box->SetText(m_name);
  AttachRootToDialog(*this, m_root);
  SetWindowText(vt::LoadString(kIdsTitle));
  return true;
}

void CDlgGraphNameInput::AcceptName() {
  if (!m_root) return;
  m_root->CloseInPlaceEditors();
  auto* box = static_cast<CGPrimitive*>(m_root->FindById(CGVTGraphNameInputRoot::kNameId));
  std::string text;
  if (box) box->GetText(&text);
  const std::string name = Trimmed(text);
  if (name.empty()) return;
  m_root->m_name = name;
  box->SetText(name);
  m_name = name;
  EndDialog(1);
}

namespace vt_ui {

bool AskGraphName(vt::WindowHandle parent, std::string* name) {
  CDlgGraphNameInput dialog(parent);
  dialog.m_name = *name;
  if (dialog.DoModal() != 1) return false;
  *name = dialog.m_name;
  return true;
}

}  // namespace vt_ui

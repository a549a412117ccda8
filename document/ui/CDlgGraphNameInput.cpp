// The graph-name dialog and its root (see CDlgGraphNameInput.h).
#include "document/ui/CDlgGraphNameInput.h"

#include "gadget/GSkButton.h"
#include "gadget/GTextField.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTGraphNameInputRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsTitle = 5006, kIdsGraphName = 5007, kIdsCancel = 3017, kIdsOk = 3018;

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void OnOk(CGPrimitive* source, int, void*) {
  auto* root = static_cast<CGVTGraphNameInputRoot*>(source->GetRootGadget());
  if (root && root->AcceptName()) EndDialogOf(source, 1);
}
void OnCancel(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

CGVTGraphNameInputRoot::CGVTGraphNameInputRoot(int width, int height) : CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTGraphNameInputRoot::GetClassInfo() const { return GCLASS(CGVTGraphNameInputRoot); }

CGVTGraphNameInputRoot* CreateGraphNameInputRoot() {
  const int a = MeasureResourceTextWidth(kIdsGraphName, nullptr, 0);
  const int w = a + 220;
  auto* root = new CGVTGraphNameInputRoot(w, 80);
  new CGLabel(root, 5, 10, a, 20, 0, 0, 0x02000000, kIdsGraphName);
  new CGSkText(root, a + 5, 10, 200, 20, CGVTGraphNameInputRoot::kNameId, 0x02000000, 0x02FFFFFF,
               CGVTGraphNameInputRoot::kNameLimit);
  new CGSkPushButton(root, w / 2 - 95, 40, 80, 25, CGVTGraphNameInputRoot::kOkId, GSTYLE_ACTIVE, kIdsOk);
  new CGSkPushButton(root, w / 2 + 15, 40, 80, 25, CGVTGraphNameInputRoot::kCancelId, GSTYLE_ACTIVE,
                     kIdsCancel);
  static_cast<CGPrimitive*>(root->FindById(CGVTGraphNameInputRoot::kOkId))
      ->AddEventCallback(GEVENT_CLICKED, &OnOk, nullptr, 0);
  static_cast<CGPrimitive*>(root->FindById(CGVTGraphNameInputRoot::kCancelId))
      ->AddEventCallback(GEVENT_CLICKED, &OnCancel, nullptr, 0);
  root->LayoutTree();
  return root;
}

void CGVTGraphNameInputRoot::SetName(const std::string& name) {
  m_name = name.substr(0, kNameLimit);
  if (auto* box = static_cast<CGPrimitive*>(FindById(kNameId))) box->SetText(m_name);
}

bool CGVTGraphNameInputRoot::AcceptName() {
  std::string text;
  if (auto* box = static_cast<CGPrimitive*>(FindById(kNameId))) box->GetText(&text);
  text = Trimmed(text);
  if (text.empty()) return false;
  SetName(text);
  if (vt::DialogWindow* dialog = DialogOf(this)) static_cast<CDlgGraphNameInput*>(dialog)->m_name = m_name;
  return true;
}

CDlgGraphNameInput::CDlgGraphNameInput(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent) {}

CDlgGraphNameInput::~CDlgGraphNameInput() {
  m_name.clear();
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgGraphNameInput::OnInitDialog() {
  if (!m_root) m_root = static_cast<CGVTGraphNameInputRoot*>(TakePooledRoot(GCLASS(CGVTGraphNameInputRoot)));
  if (!m_root) m_root = CreateGraphNameInputRoot();
  m_root->SetName(m_name);
  AttachRootToDialog(*this, m_root);
  SetWindowText(vt::LoadString(kIdsTitle));
  return true;
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

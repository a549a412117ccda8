// The display-default dialog and its root (see CDlgDefaultCnf.h).
#include "document/ui/CDlgDefaultCnf.h"

#include <algorithm>

#include "gadget/GColorButton.h"
#include "gadget/GComboBox.h"
#include "gadget/GSkButton.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTDefaultConfigRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsTitle = 3260, kIdsCancel = 3017, kIdsOk = 3018;
constexpr uint32_t kLabels[7] = {3157, 3158, 3237, 3238, 3239, 3240, 3241};

// A choice row: its id, item texts and item values.
struct ChoiceRow {
  int id;
  int items;
  uint32_t texts[3];
  int values[3];
};
constexpr ChoiceRow kChoices[5] = {
    {CGVTDefaultConfigRoot::kTagDisplayId, 3, {602, 600, 601}, {0, 1, 2}},
    {CGVTDefaultConfigRoot::kWaveThickId, 3, {3242, 3243, 3244}, {1, 3, 5}},
    {CGVTDefaultConfigRoot::kCursorDispId, 2, {3104, 3105, 0}, {0, 1, 0}},
    {CGVTDefaultConfigRoot::kCursorTransId, 2, {3245, 3246, 0}, {0, 1, 0}},
    {CGVTDefaultConfigRoot::kCellValueId, 2, {3252, 3253, 0}, {0, 1, 0}},
};

int LabelWidth() { return GetWidestTextWidth(nullptr, kLabels, 7, 20); }
int ContentWidth() { return std::max(190, 2 * LabelWidth() + 30); }

void OnOkClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 1); }
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

CGVTDefaultConfigRoot::CGVTDefaultConfigRoot(int width, int height) : vt::CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTDefaultConfigRoot::GetClassInfo() const { return GCLASS(CGVTDefaultConfigRoot); }

CGVTDefaultConfigRoot* CreateDefaultConfigRoot() {
  const int a = LabelWidth(), w = ContentWidth();
  auto* root = new CGVTDefaultConfigRoot(w, 215);
  for (int row = 0; row < 7; ++row) {
    const int y = 7 + 25 * row;
    new CGLabel(root, 10, y, a, 20, 0, 1, 0x02000000, kLabels[row]);
    if (row < 2) {
      new CGColorButton(root, a + 15, y,
                        row == 0 ? CGVTDefaultConfigRoot::kGridColorId : CGVTDefaultConfigRoot::kBackColorId,
                        GSTYLE_ACTIVE, a, 20);
    } else {
      const ChoiceRow& c = kChoices[row - 2];
      new CGSkComboBox(root, a + 15, y, a, 20, c.id, GSTYLE_ACTIVE, c.items, c.texts, c.values);
    }
  }
  auto* ok =
      new CGSkPushButton(root, w - 175, 187, 80, 20, CGVTDefaultConfigRoot::kOkId, GSTYLE_ACTIVE, kIdsOk);
  ok->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  auto* cancel = new CGSkPushButton(root, w - 90, 187, 80, 20, CGVTDefaultConfigRoot::kCancelId,
                                    GSTYLE_ACTIVE, kIdsCancel);
  cancel->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  root->LayoutTree();
  return root;
}

void CGVTDefaultConfigRoot::LoadValues(const SDisplayDefaults& v) {
  auto set = [&](int id, int value) {
    if (auto* g = static_cast<CGPrimitive*>(FindById(id))) g->SetValue(value);
  };
  if (auto* g = static_cast<CGPrimitive*>(FindById(kGridColorId))) g->SetForeColor(v.gridColor);
  if (auto* g = static_cast<CGPrimitive*>(FindById(kBackColorId))) g->SetForeColor(v.backColor);
  set(kTagDisplayId, v.tagDisplay);
  set(kWaveThickId, v.waveThick);
  set(kCursorDispId, v.cursorDisp);
  set(kCursorTransId, v.cursorTrans);
  set(kCellValueId, v.cellValue);
}

void CGVTDefaultConfigRoot::StoreValues(SDisplayDefaults* v) {
  auto get = [&](int id, int32_t* out) {
    int value = 0;
    if (auto* g = static_cast<CGPrimitive*>(FindById(id))) g->GetValue(&value);
    *out = value;
  };
  if (auto* g = static_cast<CGPrimitive*>(FindById(kGridColorId))) v->gridColor = g->GetForeColor();
  if (auto* g = static_cast<CGPrimitive*>(FindById(kBackColorId))) v->backColor = g->GetForeColor();
  get(kTagDisplayId, &v->tagDisplay);
  get(kWaveThickId, &v->waveThick);
  get(kCursorDispId, &v->cursorDisp);
  get(kCursorTransId, &v->cursorTrans);
  get(kCellValueId, &v->cellValue);
}

CDlgDefaultCnf::CDlgDefaultCnf(vt::WindowHandle parent, SDisplayDefaults* values)
    : vt::DialogWindow(kTemplateId, parent), m_values(values) {}

CDlgDefaultCnf::~CDlgDefaultCnf() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgDefaultCnf::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root) m_root = static_cast<CGVTDefaultConfigRoot*>(TakePooledRoot(GCLASS(CGVTDefaultConfigRoot)));
  if (!m_root) m_root = CreateDefaultConfigRoot();
  if (m_values) m_root->LoadValues(*m_values);
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgDefaultCnf::StoreValues() {
  if (m_root && m_values) m_root->StoreValues(m_values);
}

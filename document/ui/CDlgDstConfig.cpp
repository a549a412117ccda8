// The daylight-saving rule dialog and its root (see CDlgDstConfig.h).
#include "document/ui/CDlgDstConfig.h"

#include <utility>

#include "gadget/GComboBox.h"
#include "gadget/GGroup.h"
#include "gadget/GGroupBox.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTDstConfigRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsTitle = 3223, kIdsStart = 3044, kIdsEnd = 3045;
constexpr uint32_t kIdsNoDst = 3222, kIdsOsDst = 3221, kIdsOwnDst = 3220;
constexpr uint32_t kIdsCancel = 3017, kIdsOk = 3018;
constexpr int kMsgSameStartEnd = 10117;

// One column of the rule: its item texts, the item that sets its width, and its two ids.
struct RuleColumn {
  uint32_t firstText;
  int items;
  const char* widest;
  int startId, endId;
};
constexpr RuleColumn kColumns[4] = {
    {3046, 12, "DEC", CGVTDstConfigRoot::kStartMonthId, CGVTDstConfigRoot::kEndMonthId},
    {3089, 5, "1st", CGVTDstConfigRoot::kStartWeeksId, CGVTDstConfigRoot::kEndWeeksId},
    {3058, 7, "SUN", CGVTDstConfigRoot::kStartWeekId, CGVTDstConfigRoot::kEndWeekId},
    {3065, 24, "23:00", CGVTDstConfigRoot::kStartHourId, CGVTDstConfigRoot::kEndHourId},
};

int LabelWidth() { return MeasureResourceTextWidth(kIdsStart, nullptr, 14); }
int ComboWidth(const RuleColumn& c) { return MeasureTextWidth(nullptr, c.widest, 40); }
int ContentWidth() {
  int w = LabelWidth() + 30;  // room for the group box frame around the rows
  for (const RuleColumn& c : kColumns) w += ComboWidth(c);
  return w;
}

void OnOkClicked(CGPrimitive* source, int, void*) {
  if (auto* dialog = dynamic_cast<CDlgDstConfig*>(DialogOf(source))) dialog->ValidateAndEnd();
}
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

CGVTDstConfigRoot::CGVTDstConfigRoot() : vt::CGVTDialogRoot(ContentWidth(), 170) {}

const SGClassInfo* CGVTDstConfigRoot::GetClassInfo() const { return GCLASS(CGVTDstConfigRoot); }

CGVTDstConfigRoot* CreateDstConfigRoot() {
  auto* root = new CGVTDstConfigRoot;
  const int w = ContentWidth();
  auto* box =
      new CGSkRadioBox(root, 5, 5, CGVTDstConfigRoot::kTypeId, GSTYLE_ACTIVE, w - 7, 130, kRowColumnTopDown);
  box->spacing = 2;
  // The first two choices are captions alone; the third holds the two rows of the rule.
  for (uint32_t text : {kIdsNoDst, kIdsOsDst}) {
    auto* choice = new CGSkRadioGroupBox(box, vt::LoadString(text).c_str());
    choice->SetBounds(0, 0, w - 7, 22);
  }
  auto* own = new CGSkRadioGroupBox(box, vt::LoadString(kIdsOwnDst).c_str());
  own->SetBounds(0, 0, w - 7, 80);
  auto* rows = new CGGroup(own, 0, 0, 0, GSTYLE_ACTIVE, w - 15, 50);
  rows->SetBackColor(kDialogBackColor);
  const int labelWidth = LabelWidth();
  for (int row = 0; row < 2; ++row) {
    const int y = row == 0 ? 5 : 27;
    new CGLabel(rows, 10, y, labelWidth, 20, 0, 1, 0x02000000, row == 0 ? kIdsStart : kIdsEnd);
    int x = 10 + labelWidth;
    for (const RuleColumn& c : kColumns) {
      uint32_t ids[24];
      for (int i = 0; i < c.items; ++i) ids[i] = c.firstText + uint32_t(i);
      const int width = ComboWidth(c);
      new CGSkComboBox(rows, x, y, width - 2, 20, row == 0 ? c.startId : c.endId, GSTYLE_ACTIVE, c.items, ids,
                       nullptr);
      x += width;
    }
  }
  auto* ok = new CGSkPushButton(root, w - 215, 140, 100, 25, CGVTDstConfigRoot::kOkId, GSTYLE_ACTIVE, kIdsOk);
  ok->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  auto* cancel = new CGSkPushButton(root, w - 110, 140, 100, 25, CGVTDstConfigRoot::kCancelId, GSTYLE_ACTIVE,
                                    kIdsCancel);
  cancel->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  box->SetValue(0);
  root->LayoutTree();
  return root;
}

int CGVTDstConfigRoot::Value(int id) {
  int v = 0;
  if (auto* g = static_cast<CGPrimitive*>(FindById(id))) g->GetValue(&v);
  return v;
}

void CGVTDstConfigRoot::LoadValues(const SDstRule& rule) {
  const std::pair<int, int32_t> values[] = {{kTypeId, rule.type},
                                            {kStartMonthId, rule.summerMonth},
                                            {kEndMonthId, rule.winterMonth},
                                            {kStartWeeksId, rule.summerWeeks},
                                            {kEndWeeksId, rule.winterWeeks},
                                            {kStartWeekId, rule.summerWeek},
                                            {kEndWeekId, rule.winterWeek},
                                            {kStartHourId, rule.summerHour},
                                            {kEndHourId, rule.winterHour}};
  for (const auto& [id, v] : values)
    if (auto* g = static_cast<CGPrimitive*>(FindById(id))) g->SetValue(v);
}

void CGVTDstConfigRoot::StoreValues(SDstRule* rule) {
  rule->type = Value(kTypeId);
  rule->summerMonth = Value(kStartMonthId);
  rule->winterMonth = Value(kEndMonthId);
  rule->summerWeeks = Value(kStartWeeksId);
  rule->winterWeeks = Value(kEndWeeksId);
  rule->summerWeek = Value(kStartWeekId);
  rule->winterWeek = Value(kEndWeekId);
  rule->summerHour = Value(kStartHourId);
  rule->winterHour = Value(kEndHourId);
}

bool CGVTDstConfigRoot::StartEqualsEnd() {
  if (Value(kTypeId) != 2) return false;
  for (const RuleColumn& c : kColumns)
    if (Value(c.startId) != Value(c.endId)) return false;
  return true;
}

CDlgDstConfig::CDlgDstConfig(vt::WindowHandle parent, SDstRule* rule)
    : vt::DialogWindow(kTemplateId, parent), m_rule(rule) {}

CDlgDstConfig::~CDlgDstConfig() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgDstConfig::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root) m_root = static_cast<CGVTDstConfigRoot*>(TakePooledRoot(GCLASS(CGVTDstConfigRoot)));
  if (!m_root) m_root = CreateDstConfigRoot();
  if (m_rule) m_root->LoadValues(*m_rule);
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgDstConfig::StoreValues() {
  if (m_root && m_rule) m_root->StoreValues(m_rule);
}

void CDlgDstConfig::ValidateAndEnd() {
  if (m_root && m_root->StartEqualsEnd()) {
    DisplayMessage(GetSafeHwnd(), kMsgSameStartEnd, vt::kMbOk);
    return;
  }
  EndDialog(1);
}

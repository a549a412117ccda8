// The print settings dialog and its root (see CDlgPrintConfig.h).
#include "document/ui/CDlgPrintConfig.h"

#include "gadget/GComboBox.h"
#include "gadget/GLabel.h"
#include "gadget/GRootMaster.h"
#include "gadget/GSkButton.h"
#include "gadget/GText.h"
#include "gadget/GTextField.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTPrintConfigRoot, CGSkRoot)

namespace {

constexpr uint32_t kIdsTitle = 3180, kIdsOk = 3018, kIdsCancel = 3017, kIdsHours = 3248;
constexpr uint32_t kLabels[] = {3172, 3129, 3108, 3173, 3208, 3209};
constexpr uint32_t kWidest[] = {101, 3174, 3107, 3179};
constexpr uint32_t kRanges[] = {101, 102};
constexpr uint32_t kColours[] = {3174};
constexpr uint32_t kGroups[] = {3107};
constexpr uint32_t kSpans[] = {3181, 3176, 3177, 3178, 3179, 3247};
constexpr uint32_t kThicknesses[] = {3210, 3211, 3212, 3213, 3214};
constexpr int kMaxCommentBytes = 255;

int Value(CGVTPrintConfigRoot* root, int id) {
  int v = 0;
  if (CGPrimitive* g = root->Gadget(id)) g->GetValue(&v);
  return v;
}

void OnOkClicked(CGPrimitive* source, int, void*) {
  if (auto* dialog = dynamic_cast<CDlgPrintConfig*>(DialogOf(source))) dialog->StoreAndEnd();
}
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }
void OnSpanChanged(CGPrimitive* source, int, void*) {
  CGRoot* root = source ? source->GetRootGadget() : nullptr;
  if (root && IsKindOfClass(root, GCLASS(CGVTPrintConfigRoot)))
    static_cast<CGVTPrintConfigRoot*>(root)->UpdateHoursBox();
}

}  // namespace

CGVTPrintConfigRoot::CGVTPrintConfigRoot(int width, int height) : CGSkRoot(g_rootMaster, nullptr, 1) {
  SetOpaque(1);
  SetBackColor(kDialogBackColor);
  SetSize(width, height);
}

const SGClassInfo* CGVTPrintConfigRoot::GetClassInfo() const { return GCLASS(CGVTPrintConfigRoot); }

CGVTPrintConfigRoot* CreatePrintConfigRoot(vt::DeviceContext* dc) {
  const int a = GetWidestTextWidth(dc, kLabels, int(std::size(kLabels)), 30);
  const int b = GetWidestTextWidth(dc, kWidest, int(std::size(kWidest)), 70);
  const int width = a + b + 10;
  auto* root = new CGVTPrintConfigRoot(width, 180);
  const int x = a + 5;
  auto label = [&](int y, uint32_t text) { new CGLabel(root, 5, y, a, 18, 0, kAlignLeft, 0x02000000, text); };
  auto combo = [&](int y, int id, const uint32_t* items, int count, int style) {
    return new CGSkComboBox(root, x, y, b, 18, id, style, count, items, nullptr);
  };
  label(5, kLabels[0]);
  combo(5, CGVTPrintConfigRoot::kRangeId, kRanges, 2, GSTYLE_ACTIVE);
  label(25, kLabels[1]);
  combo(25, CGVTPrintConfigRoot::kColourId, kColours, 1, GSTYLE_VISIBLE);
  label(45, kLabels[2]);
  combo(45, 0, kGroups, 1, GSTYLE_VISIBLE)->SetValue(0);
  label(65, kLabels[3]);
  combo(65, CGVTPrintConfigRoot::kSpanId, kSpans, 6, GSTYLE_ACTIVE)
      ->AddEventCallback(GEVENT_CHANGED, &OnSpanChanged, nullptr, 0);
  new CGSkIntValue(root, x, 85, 35, 18, CGVTPrintConfigRoot::kHoursId, GSTYLE_ACTIVE, 0x02000000, 0x02FFFFFF,
                   1, 1000, 1, 4);
  new CGLabel(root, x + 40, 85, b - 40, 18, 0, kAlignLeft, 0x02000000, kIdsHours);
  label(105, kLabels[4]);
  combo(105, CGVTPrintConfigRoot::kThicknessId, kThicknesses, 5, GSTYLE_ACTIVE);
  label(125, kLabels[5]);
  new CGSkText(root, x, 125, b, 20, CGVTPrintConfigRoot::kCommentId, 0x02000000, kDialogBackColor,
               CGVTPrintConfigRoot::kCommentChars);
  (new CGSkPushButton(root, width - 167, 154, 80, 22, CGVTPrintConfigRoot::kOkId, GSTYLE_ACTIVE, kIdsOk))
      ->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  (new CGSkPushButton(root, width - 85, 154, 80, 22, CGVTPrintConfigRoot::kCancelId, GSTYLE_ACTIVE,
                      kIdsCancel))
      ->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  root->LayoutTree();
  return root;
}

void CGVTPrintConfigRoot::LoadValues(const vt::SPrintSettings& block) {
  const std::pair<int, int> values[] = {{kRangeId, block.range},
                                        {kColourId, block.colour},
                                        {kSpanId, block.pageSpan},
                                        {kThicknessId, block.thickness},
                                        {kHoursId, block.hoursPerPage}};
  for (const auto& [id, v] : values)
    if (CGPrimitive* g = Gadget(id)) g->SetValue(v);
  if (CGPrimitive* g = Gadget(kCommentId)) g->SetText(block.comment);
  UpdateHoursBox();
}

void CGVTPrintConfigRoot::StoreValues(vt::SPrintSettings* block) {
  CloseInPlaceEditors();
  block->range = int16_t(Value(this, kRangeId));
  block->colour = int16_t(Value(this, kColourId));
  block->pageSpan = int16_t(Value(this, kSpanId));
  block->thickness = int16_t(Value(this, kThicknessId));
  block->hoursPerPage = Value(this, kHoursId);
  std::string comment;
  if (CGPrimitive* g = Gadget(kCommentId)) g->GetText(&comment);
  if (!comment.empty()) TruncateTextBytes(&comment, kMaxCommentBytes);
  block->comment = comment;
}

void CGVTPrintConfigRoot::UpdateHoursBox() {
  CGPrimitive* hours = Gadget(kHoursId);
  if (!hours) return;
  hours->SetStyle(Value(this, kSpanId) == kSpanSetFreely ? GSTYLE_ACTIVE : GSTYLE_VISIBLE);
  if (GetHostWindow()) Redraw();
}

CDlgPrintConfig::CDlgPrintConfig(vt::WindowHandle parent, const vt::SPrintSettings& block)
    : vt::DialogWindow(kTemplateId, parent), m_block(block) {}

CDlgPrintConfig::~CDlgPrintConfig() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgPrintConfig::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root) m_root = static_cast<CGVTPrintConfigRoot*>(TakePooledRoot(GCLASS(CGVTPrintConfigRoot)));
  if (!m_root) {
    vt::DeviceContext* dc = Host() ? Host()->GetDC() : nullptr;
    m_root = CreatePrintConfigRoot(dc);
    if (dc) Host()->ReleaseDC(dc);
  }
  m_root->LoadValues(m_block);
  AttachRootToDialog(*this, m_root);
  return true;
}

void CDlgPrintConfig::StoreAndEnd() {
  if (m_root) m_root->StoreValues(&m_block);
  EndDialog(1);
}

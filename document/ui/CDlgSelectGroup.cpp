// The message-group dialog, its root and the mask's bits and text (see CDlgSelectGroup.h).
#include "document/ui/CDlgSelectGroup.h"

#include "gadget/GSkButton.h"
#include "gadget/GSkScrollBar.h"
#include "gadget/sheet/GSkSheet.h"
#include "gadget/sheet/GSkSheetColumns.h"
#include "platform/gui/StringTable.h"
#include "store/CVTBatchCache.h"

GADGET_DEFINE_RECORD(CGVTSelectGroupRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsTitle = 3155, kIdsAllGroups = 3106, kIdsAll = 3154, kIdsNo = 3094;
constexpr uint32_t kIdsOk = 3018, kIdsCancel = 3017;
constexpr int kWidth = 481, kHeight = 196, kSheetHeight = 162, kLines = 10, kLineHeight = 16,
              kColumnWidth = 120;

void OnOkClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 1); }
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

uint64_t MessageGroupBit(int group) {
  return group >= 1 && group <= kMessageGroupMax ? uint64_t(1) << (group - 1) : 0;
}

uint64_t MessageGroupCellBit(int cell) {
  if (cell == 0) return uint64_t(1) << kMessageGroupAllBit;
  return cell > 0 && cell < kMessageGroupCells ? MessageGroupBit(cell) : 0;
}

std::string MessageGroupText(uint64_t mask) {
  std::string text;
  if (mask & (uint64_t(1) << kMessageGroupAllBit)) text = vt::LoadString(kIdsAll);
  for (int bit = 0; bit < kMessageGroupMax; ++bit)
    if (mask & (uint64_t(1) << bit)) text += (text.empty() ? "" : ",") + std::to_string(bit + 1);
  return text.empty() ? vt::LoadString(kIdsNo) : text;
}

CGVTSelectGroupRoot::CGVTSelectGroupRoot() : vt::CGVTDialogRoot(kWidth, kHeight) {}

const SGClassInfo* CGVTSelectGroupRoot::GetClassInfo() const { return GCLASS(CGVTSelectGroupRoot); }

CGVTSelectGroupRoot* CreateSelectGroupRoot() {
  auto* root = new CGVTSelectGroupRoot;
  auto* sheet = new CGSkSheet(root, 0, 0, kWidth, kSheetHeight, CGVTSelectGroupRoot::kSheetId, GSTYLE_ACTIVE,
                              1, 16, kLines, kLineHeight);
  (new CGSkVScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, kLineHeight))->Build(1);
  (new CGSkHScrollBar(sheet, 0, 0, 0, GSTYLE_ACTIVE, 16, 16, 16))->Build(1);
  auto* body = new CGSkSheetScreen(sheet, 0, GSTYLE_ACTIVE);
  for (int k = 0; k < 4; ++k)
    new CGSkSTogLabelButtons(body, CGVTSelectGroupRoot::kFirstColumnId + k, 0, kColumnWidth, 1, nullptr);
  sheet->SetLineCount(kLines);
  (new CGSkPushButton(root, 274, kSheetHeight + 5, 100, 25, CGVTSelectGroupRoot::kOkId, GSTYLE_ACTIVE,
                      kIdsOk))
      ->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  (new CGSkPushButton(root, 376, kSheetHeight + 5, 100, 25, CGVTSelectGroupRoot::kCancelId, GSTYLE_ACTIVE,
                      kIdsCancel))
      ->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  root->LayoutTree();
  return root;
}

CGSheetArray* CGVTSelectGroupRoot::CellColumn(int cell) const {
  return static_cast<CGSheetArray*>(FindById(kFirstColumnId + cell % 4));
}

bool CGVTSelectGroupRoot::IsToggled(int cell) const {
  int v = 0;
  if (CGSheetArray* c = CellColumn(cell)) c->GetLineIntValue(CellLine(cell), &v);
  return v != 0;
}

void CGVTSelectGroupRoot::SetToggled(int cell, bool on) {
  if (CGSheetArray* c = CellColumn(cell)) c->SetLineIntValue(CellLine(cell), on ? 1 : 0);
}

bool CGVTSelectGroupRoot::IsCellActive(int cell) const {
  CGSheetArray* c = CellColumn(cell);
  return c && c->HasLineState(CellLine(cell), GSTYLE_ACTIVE);
}

std::string CGVTSelectGroupRoot::CellText(int cell) const {
  std::string text;
  if (auto* c = dynamic_cast<CGSTogLabelButtons*>(CellColumn(cell))) c->GetLineText(CellLine(cell), &text);
  return text;
}

void CGVTSelectGroupRoot::LoadSelectGroupValues(uint64_t mask, const vt::Guid& batchId) {
  m_mask = mask;
  std::string names[kMessageGroupCells];
  bool inUse[kMessageGroupCells] = {};
  names[0] = vt::LoadString(kIdsAllGroups);
  inUse[0] = true;
  int n = 0;
  if (CVTBatch* batch = CVTBatchCache::Instance().Acquire(batchId)) {
    n = std::min(batch->GetGroupCount(), kMessageGroupCells - 1);
    for (int g = 1; g <= n; ++g) {
      int channels = 0, used = 0;
      if (batch->GetGroupInfo(g, &names[g], &channels, &used) != 0) used = 0;
      inUse[g] = used != 0;
      if (!inUse[g]) names[g].clear();
    }
    CVTBatchCache::Instance().Release(batch);
  }
  for (int e = 0; e < kMessageGroupCells; ++e) {
    CGSheetArray* column = CellColumn(e);
    if (!column) continue;
    const int line = CellLine(e);
    column->SetLineState(line, e <= n && inUse[e] ? GSTYLE_ACTIVE : 0);
    column->SetLineText(line, e <= n ? names[e] : std::string());
    SetToggled(e, e <= n && (mask & MessageGroupCellBit(e)) != 0);
  }
}

uint64_t CGVTSelectGroupRoot::GetSelectedGroups() {
  uint64_t mask = 0;
  for (int e = 0; e < kMessageGroupCells; ++e)
    if (IsToggled(e)) mask |= MessageGroupCellBit(e);
  m_mask = mask;
  return mask;
}

CDlgSelectGroup::CDlgSelectGroup(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent) {}

CDlgSelectGroup::~CDlgSelectGroup() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgSelectGroup::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root) m_root = static_cast<CGVTSelectGroupRoot*>(TakePooledRoot(GCLASS(CGVTSelectGroupRoot)));
  if (!m_root) m_root = CreateSelectGroupRoot();
  m_root->LoadSelectGroupValues((uint64_t(m_maskHigh) << 32) | m_maskLow, m_batchId);
  AttachRootToDialog(*this, m_root);
  return true;
}

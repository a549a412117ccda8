// The graph colour dialog and its root (see CDlgGraphColor.h).
#include "document/ui/CDlgGraphColor.h"

#include <algorithm>

#include "gadget/GColorButton.h"
#include "gadget/GLabel.h"
#include "gadget/GSkButton.h"
#include "gadget/GText.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTGraphColorRoot, CGVTDialogRoot)

namespace {

constexpr uint32_t kIdsTitle = 3156, kIdsGrid = 3157, kIdsBack = 3158, kIdsOk = 3018, kIdsCancel = 3017;

void OnOkClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 1); }
void OnCancelClicked(CGPrimitive* source, int, void*) { EndDialogOf(source, 2); }

}  // namespace

CGVTGraphColorRoot::CGVTGraphColorRoot(int width, int height) : vt::CGVTDialogRoot(width, height) {}

const SGClassInfo* CGVTGraphColorRoot::GetClassInfo() const { return GCLASS(CGVTGraphColorRoot); }

CGVTGraphColorRoot* CreateGraphColorRoot(vt::DeviceContext* dc) {
  const uint32_t captions[] = {kIdsGrid, kIdsBack};
  const int a = GetWidestTextWidth(dc, captions, 2, 20);
  const int width = std::max(2 * a + 30, 190);
  auto* root = new CGVTGraphColorRoot(width, 100);
  for (int i = 0; i < 2; ++i) {
    const int y = 7 + 25 * i;
    new CGLabel(root, 10, y, a, 20, 0, kAlignLeft, 0x02000000, captions[i]);
    auto* button =
        new CGColorButton(root, a + 15, y, i == 0 ? CGVTGraphColorRoot::kGridId : CGVTGraphColorRoot::kBackId,
                          GSTYLE_ACTIVE, a, 20);
    button->AddEventCallback(GEVENT_CLICKED, &CGColorButton::OpenColorDialog, nullptr, 0);
  }
  // The button row starts below the two colour rows.
  (new CGSkPushButton(root, width - 175, 68, 80, 20, CGVTGraphColorRoot::kOkId, GSTYLE_ACTIVE, kIdsOk))
      ->AddEventCallback(GEVENT_CLICKED, &OnOkClicked, nullptr, 0);
  (new CGSkPushButton(root, width - 90, 68, 80, 20, CGVTGraphColorRoot::kCancelId, GSTYLE_ACTIVE, kIdsCancel))
      ->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, nullptr, 0);
  root->LayoutTree();
  return root;
}

void CGVTGraphColorRoot::SetGraphColours(uint32_t grid, uint32_t back) {
  if (auto* g = static_cast<CGPrimitive*>(FindById(kGridId))) g->SetForeColor(grid);
  if (auto* g = static_cast<CGPrimitive*>(FindById(kBackId))) g->SetForeColor(back);
}

void CGVTGraphColorRoot::GetGraphColours(uint32_t* grid, uint32_t* back) {
  if (auto* g = static_cast<CGPrimitive*>(FindById(kGridId))) *grid = g->GetForeColor();
  if (auto* g = static_cast<CGPrimitive*>(FindById(kBackId))) *back = g->GetForeColor();
}

CDlgGraphColor::CDlgGraphColor(vt::WindowHandle parent) : vt::DialogWindow(kTemplateId, parent) {}

CDlgGraphColor::~CDlgGraphColor() {
  if (m_root) m_root->Release();
  m_root = nullptr;
}

bool CDlgGraphColor::OnInitDialog() {
  SetWindowText(vt::LoadString(kIdsTitle));
  if (!m_root) m_root = static_cast<CGVTGraphColorRoot*>(TakePooledRoot(GCLASS(CGVTGraphColorRoot)));
  if (!m_root) {
    vt::DeviceContext* dc = Host() ? Host()->GetDC() : nullptr;
    m_root = CreateGraphColorRoot(dc);
    if (dc) Host()->ReleaseDC(dc);
  }
  m_root->SetGraphColours(m_gridColour, m_backColour);
  AttachRootToDialog(*this, m_root);
  return true;
}

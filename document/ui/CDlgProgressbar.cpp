// The progress window, its root and the busy bar (see CDlgProgressbar.h).
#include "document/ui/CDlgProgressbar.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gadget/GDraw.h"
#include "gadget/GGroup.h"
#include "gadget/GRowColumn.h"
#include "gadget/GSkButton.h"
#include "gadget/GSkin.h"
#include "platform/base/Thread.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/StringTable.h"

GADGET_DEFINE_RECORD(CGVTSkProgressBar, CGSkProgressBar)
GADGET_DEFINE_RECORD(CGVTProgressbarRoot, CGVTDialogRoot)

namespace {

// Posted to the window by HideProgress from another thread.
constexpr uint32_t kWmHideProgress = vt::kWmUser + 200;
constexpr uint32_t kIdsCancel = 3017;
// Mode 1 leaves room below the Cancel button, which ends 42 pixels down.
constexpr int kRootWidth = 302, kRootHeight = 41, kRootHeightWithButton = 45;

void OnCancelClicked(CGPrimitive*, int, void* data) {
  CDlgProgressbar* dialog = nullptr;
  std::memcpy(&dialog, data, sizeof dialog);
  if (dialog) dialog->PressCancel();
}

}  // namespace

const SGClassInfo* CGVTSkProgressBar::GetClassInfo() const { return GCLASS(CGVTSkProgressBar); }

void CGVTSkProgressBar::Draw(vt::DeviceContext* dc) {
  const vt::SGSkinBlock& skin = SkinBlock(SkinReceiver::ProgressBar);
  vt::Rect r;
  GetAbsoluteRect(&r);
  if (const vt::Bitmap* trough = skin.Image(0))
    DrawNineSliceCell(dc, trough, skin.Image(1), 0, skin.Int(8), skin.Int(12), skin.Int(16), skin.Int(20),
                      skin.Int(24), skin.Int(28), r);
  const int w = skin.Int(40);
  if (!(m_high > m_low) || w < 1) return;
  const int inner = r.Width() - 6;
  const int p = int(std::trunc((m_value - m_low) * inner / (m_high - m_low)));
  const int n = (p + w - 1) / w;
  const vt::Bitmap* segment = skin.Image(2);
  if (!segment) return;
  for (int index = n - 3; index < n; ++index) {
    if (index < 0) continue;  // still left of the inner area: not drawn
    vt::Rect cell{r.left + 3 + index * w, r.top + 3, r.left + 3 + (index + 1) * w, r.bottom - 3};
    if (index == n - 1) cell.right = std::min(cell.right, r.left + 3 + p);
    cell.right = std::min(cell.right, r.right);  // past the top it runs into the frame, never beyond
    if (cell.right > cell.left)
      StretchBlendBitmap(dc, segment, skin.Image(3), vt::Rect{0, 0, w, skin.Int(44)}, cell);
  }
}

CGVTProgressbarRoot::CGVTProgressbarRoot(int mode)
    : vt::CGVTDialogRoot(kRootWidth, mode == 1 ? kRootHeightWithButton : kRootHeight) {
  auto* layout = new CGRowColumn(this, 0, 0, 0, GSTYLE_ACTIVE, 300, 180, 1, 0);
  layout->mode = kRowColumnTopDown;
  layout->SetBackColor(kDialogBackColor);
  auto* barGroup = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, 300, 20);
  if (mode == 1) {
    new CGVTSkProgressBar(barGroup, 0, 100, 0);
    // As wide as the bar's group, so that the button lies inside it and takes the mouse.
    auto* buttonGroup = new CGGroup(layout, 0, 0, 0, GSTYLE_ACTIVE, 300, 50);
    new CGSkPushButton(buttonGroup, 100, 2, 100, 20, 0, GSTYLE_ACTIVE, kIdsCancel);
  } else {
    new CGSkProgressBar(barGroup, 0, 100, 0);
  }
  layout->Layout();
}

const SGClassInfo* CGVTProgressbarRoot::GetClassInfo() const { return GCLASS(CGVTProgressbarRoot); }

CGPrimitive* CGVTProgressbarRoot::Bar() const {
  return static_cast<CGPrimitive*>(FindById(CDlgProgressbar::kBarId));
}

void CGVTProgressbarRoot::SetValue(double v) {
  if (CGPrimitive* bar = Bar()) bar->SetValue(v);
}

void CGVTProgressbarRoot::OnTimer(uint32_t id) {
  if (id != CDlgProgressbar::kBusyTimerId) {
    vt::CGVTDialogRoot::OnTimer(id);
    return;
  }
  CGPrimitive* bar = Bar();
  if (!bar) return;
  double v = 0;
  bar->GetValue(&v);
  bar->SetValue(v > 100 ? 0.0 : v + 4);
  Update();
}

CDlgProgressbar::CDlgProgressbar(vt::WindowHandle parent, int mode)
    : vt::DialogWindow(kTemplateId, parent, Kind::Progress), m_mode(mode), m_uiThread(vt::CurrentThreadId()) {
  Create();
}

CDlgProgressbar::~CDlgProgressbar() {
  if (m_root) {
    if (vt::HostWindow* host = Host()) host->KillTimer(kBusyTimerId);
    // Built for this window alone: it goes with it.
    delete m_root;
    m_root = nullptr;
  }
}

bool CDlgProgressbar::OnInitDialog() {
  if (!m_root) {
    m_root = new CGVTProgressbarRoot(m_mode);
    if (CGCore* button = m_root->FindByClass(GCLASS(CGSkPushButton))) {
      CDlgProgressbar* self = this;
      static_cast<CGPrimitive*>(button)->AddEventCallback(GEVENT_CLICKED, &OnCancelClicked, &self,
                                                          sizeof self);
    }
  }
  AttachRootToDialog(*this, m_root);
  m_root->Update();
  return true;
}

void CDlgProgressbar::ShowProgress(uint32_t titleId) {
  SetWindowText(vt::LoadString(titleId));
  CenterWindow();
  ShowWindow(true);
  BringToFront();
  EnableParent(false);
  EnableWindow(true);
  if (vt::HostWindow* host = Host()) host->SetTimer(kBusyTimerId, 50);
  m_shown = true;
  m_cancelled = false;
}

void CDlgProgressbar::HideProgress() {
  if (vt::CurrentThreadId() != m_uiThread) {
    vt::PostMessage(GetSafeHwnd(), kWmHideProgress, 0, 0);
    return;
  }
  HideNow();
}

void CDlgProgressbar::HideNow() {
  if (!m_shown) return;
  EnableWindow(false);
  EnableParent(true);
  BringParentToFront();
  ShowWindow(false);
  if (vt::HostWindow* host = Host()) host->KillTimer(kBusyTimerId);
  m_shown = false;
}

void CDlgProgressbar::ShowProgressPercent(uint32_t titleId) {
  SetWindowText(vt::LoadString(titleId));
  EnableParent(false);
  CenterWindow();
  ShowWindow(true);
  BringToFront();
  EnableWindow(true);
  m_percent = 0;
}

void CDlgProgressbar::SetProgressPercent(double percent) {
  if (!m_root) return;
  m_root->SetValue(percent);
  m_percent = percent;
  // Drawn and shown now: the caller keeps the thread busy between two calls.
  m_root->Redraw();
  m_root->Update();
}

void CDlgProgressbar::PressCancel() {
  if (m_cancelled) return;
  if (m_cancelFunction) m_cancelFunction(m_cancelData);
  m_cancelled = true;
}

vt::LResult CDlgProgressbar::WindowProc(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  if (message == kWmHideProgress) {
    HideNow();
    return 0;
  }
  return vt::DialogWindow::WindowProc(message, wParam, lParam);
}

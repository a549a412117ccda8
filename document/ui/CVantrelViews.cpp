// The graph window's views: roots made and deleted with the view, messages passed on, focus
// kept in the document, and the graph view's commands through its root.
#include "document/ui/CVantrelViews.h"

#include "gadget/GPageController.h"
#include "platform/gui/HostWindow.h"
#include "trend/NgWaveform.h"

using namespace vt_ui;

vt::CVantrelViewBase::~CVantrelViewBase() {
  DestroyRoot();
  vt::HostWindow* host = GetHostWindow();
  if (host && host->Client() == this) host->SetClient(nullptr);
}

void vt::CVantrelViewBase::DestroyRoot() {
  // Deleting the root unlinks it from the graph document; it is not pooled.
  delete root_;
  root_ = nullptr;
}

void vt::CVantrelViewBase::AdoptRoot(CGSkRoot* root) {
  root_ = root;
  if (vt::HostWindow* host = GetHostWindow()) host->SetClient(this);
}

void vt::CVantrelViewBase::OnActivateView(bool activate) {
  CVantrelDoc* doc = GetVantrelDoc();
  if (!activate || !root_ || !doc || !doc->GetGadgetDocument()) return;
  doc->GetGadgetDocument()->AttachRepeaters();
  doc->GetGadgetDocument()->ShowSelectedChannelProperties();
}

void vt::CVantrelViewBase::OnPaint(vt::DeviceContext& dc, const vt::Rect& area) {
  if (root_) root_->OnPaint(dc, area);
}
void vt::CVantrelViewBase::OnSize(int32_t cx, int32_t cy) {
  if (root_) root_->OnSize(cx, cy);
}
void vt::CVantrelViewBase::OnMouseMove(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnMouseMove(f, x, y);
}
void vt::CVantrelViewBase::OnLButtonDown(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnLButtonDown(f, x, y);
}
void vt::CVantrelViewBase::OnLButtonUp(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnLButtonUp(f, x, y);
}
void vt::CVantrelViewBase::OnLButtonDblClk(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnLButtonDblClk(f, x, y);
}
bool vt::CVantrelViewBase::OnMouseWheel(uint32_t f, int32_t d, int32_t x, int32_t y) {
  return root_ && root_->OnMouseWheel(f, d, x, y);
}
void vt::CVantrelViewBase::OnRButtonDown(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnRButtonDown(f, x, y);
}
void vt::CVantrelViewBase::OnRButtonUp(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnRButtonUp(f, x, y);
}
void vt::CVantrelViewBase::OnRButtonDblClk(uint32_t f, int32_t x, int32_t y) {
  if (root_) root_->OnRButtonDblClk(f, x, y);
}
void vt::CVantrelViewBase::OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t f) {
  if (root_) root_->OnKeyDown(vk, repeat, f);
}
void vt::CVantrelViewBase::OnKeyUp(uint32_t vk, uint32_t repeat, uint32_t f) {
  if (root_) root_->OnKeyUp(vk, repeat, f);
}
void vt::CVantrelViewBase::OnTimer(uint32_t id) {
  if (root_) root_->OnTimer(id);
}
vt::LResult vt::CVantrelViewBase::OnMessage(uint32_t message, vt::WParam wParam, vt::LParam lParam) {
  return root_ ? root_->OnMessage(message, wParam, lParam) : 0;
}

void vt::CVantrelViewBase::OnSetFocus(vt::FocusReason reason) {
  if (reason == vt::FocusReason::Popup) return;
  if (CVantrelDoc* doc = GetVantrelDoc()) doc->SetFocusFlag(true);
  if (root_) root_->OnSetFocus(reason);
}

void vt::CVantrelViewBase::OnKillFocus(vt::FocusReason reason) {
  if (reason == vt::FocusReason::Popup) return;
  if (CVantrelDoc* doc = GetVantrelDoc()) doc->SetFocusFlag(false);
  if (root_) root_->OnKillFocus(reason);
}

// ---- graph view ----

CVantrelGraphView::~CVantrelGraphView() {
  CVantrelDoc* doc = GetVantrelDoc();
  if (doc && doc->GetGadgetDocument() && doc->GetGadgetDocument()->GetGraphView() == this)
    doc->GetGadgetDocument()->SetGraphView(nullptr);
}

void CVantrelGraphView::OnInitialUpdate() {
  CVantrelDoc* doc = GetVantrelDoc();
  if (!doc || !doc->GetGadgetDocument() || root_) return;
  auto* root = new CGVantrelGraphRoot(doc->GetGadgetDocument(), vt::View::GetHostWindow());
  AdoptRoot(root);
  root->Build();
  doc->GetGadgetDocument()->SetGraphView(this);
  root->OnUpdate(HINT_RELOADED, doc->GetGadgetDocument());
}

void CVantrelGraphView::StoreGraphState() {
  if (GetGraphRoot()) GetGraphRoot()->StoreGraphState();
}

bool CVantrelGraphView::GetVisibleRange(PreciseTime* start, PreciseTime* end) {
  CGNgWaveform* panel = GetGraphRoot() ? GetGraphRoot()->FindPanel() : nullptr;
  if (!panel) return false;
  panel->GetVisibleRange(start, end);
  return true;
}

void CVantrelGraphView::ShowTimeRange(PreciseTime start, PreciseTime end) {
  if (GetGraphRoot()) GetGraphRoot()->ShowTimeRange(start, end);
}

bool CVantrelGraphView::OnCommand(int id) {
  if (HandlePrintCommand(id)) return true;
  CGVantrelGraphRoot* r = GetGraphRoot();
  if (!r) return false;
  switch (id) {
    case ID_AXIS_FULL:
      return r->SetAxisLayout(1), true;
    case ID_AXIS_SLIDING:
      return r->SetAxisLayout(2), true;
    case ID_AXIS_AUTOMATIC:
      return r->SetAxisLayout(3), true;
    case ID_AXIS_FREE:
      return r->SetAxisLayout(4), true;
    case ID_AXIS_CLIP:
      return r->ToggleClip(), true;
    case ID_GROUP_UNIT:
      return r->SetAxisGrouping(1), true;
    case ID_GROUP_UNIT_SCALE:
      return r->SetAxisGrouping(2), true;
    case ID_GROUP_NONE:
      return r->SetAxisGrouping(0), true;
    case ID_APPEND_GROUP:
      return r->AppendGroup(), true;
    case ID_ZOOM_IN:
      return r->Zoom(-1), true;
    case ID_ZOOM_OUT:
      return r->Zoom(+1), true;
    case ID_LEGEND_BY_CHANNEL:
      return r->SetLegendByChannel(), true;
    case ID_LEGEND_BY_AXIS:
      return r->SetLegendByAxis(), true;
    case ID_CURSOR_VALUE:
      return r->ToggleCursorValue(), true;
    case ID_TRANSLUCENT:
      return r->SetCursorValueTransparency(70), true;
    case ID_OPAQUE:
      return r->SetCursorValueTransparency(0), true;
    case ID_LINE_NORMAL:
      return r->SetLineWidth(1), true;
    case ID_LINE_MIDDLE:
      return r->SetLineWidth(3), true;
    case ID_LINE_THICK:
      return r->SetLineWidth(5), true;
    case ID_COPY_CLIPBOARD:
      return r->Copy(), true;
    default:
      return false;
  }
}

bool CVantrelGraphView::OnUpdateCommand(int id, vt::CommandStatus& s) {
  if (UpdatePrintCommand(id, s)) return true;
  CGVantrelGraphRoot* r = GetGraphRoot();
  const CGVantrelDoc* d = r ? r->GetVantrelDoc() : nullptr;
  switch (id) {
    case ID_AXIS_FULL:
    case ID_AXIS_SLIDING:
    case ID_AXIS_AUTOMATIC:
    case ID_AXIS_FREE: {
      const int mode = id == ID_AXIS_FULL ? 1 : id == ID_AXIS_SLIDING ? 2 : id == ID_AXIS_AUTOMATIC ? 3 : 4;
      s.enabled = d != nullptr, s.checked = d && d->m_axisLayout == mode;
      return true;
    }
    case ID_GROUP_UNIT:
    case ID_GROUP_UNIT_SCALE:
    case ID_GROUP_NONE: {
      const int mode = id == ID_GROUP_UNIT ? 1 : id == ID_GROUP_UNIT_SCALE ? 2 : 0;
      s.enabled = d != nullptr, s.checked = d && d->m_axisGrouping == mode;
      return true;
    }
    case ID_AXIS_CLIP:
      s.enabled = d != nullptr, s.checked = d && d->m_axisClip;
      return true;
    case ID_APPEND_GROUP:
      s.enabled = d && d->CountGroupsWithData() < 50;
      return true;
    case ID_ZOOM_IN:
      s.enabled = d && d->GetTimeScale() != 50;
      return true;
    case ID_ZOOM_OUT:
      s.enabled = d && !d->IsCoarsestScale();
      return true;
    case ID_LEGEND_BY_CHANNEL:
      s.enabled = d != nullptr, s.checked = r && r->IsLegendByChannel();
      return true;
    case ID_LEGEND_BY_AXIS:
      s.enabled = d != nullptr, s.checked = r && r->IsLegendByAxis();
      return true;
    case ID_CURSOR_VALUE:
      s.enabled = d != nullptr, s.checked = d && d->m_cursorValuesShown;
      return true;
    case ID_TRANSLUCENT:
      s.enabled = d != nullptr, s.checked = d && d->m_cursorTransparency == 70;
      return true;
    case ID_OPAQUE:
      s.enabled = d != nullptr, s.checked = d && d->m_cursorTransparency == 0;
      return true;
    case ID_LINE_NORMAL:
    case ID_LINE_MIDDLE:
    case ID_LINE_THICK: {
      const int w = id == ID_LINE_NORMAL ? 1 : id == ID_LINE_MIDDLE ? 3 : 5;
      s.enabled = d != nullptr, s.checked = d && d->m_traceThickness == w;
      return true;
    }
    case ID_COPY_CLIPBOARD:
      s.enabled = r != nullptr;
      return true;
    default:
      return false;
  }
}

// ---- list and sheet views ----

void CVantrelListView::OnInitialUpdate() {
  CVantrelDoc* doc = GetVantrelDoc();
  if (!doc || !doc->GetGadgetDocument() || root_) return;
  AdoptRoot(CGVantrelListRoot::Create(GetHostWindow(), doc->GetGadgetDocument()));
}

void CVantrelSheetView::OnInitialUpdate() {
  CVantrelDoc* doc = GetVantrelDoc();
  if (!doc || !doc->GetGadgetDocument() || root_) return;
  auto* root = new CGVantrelSheetRoot(doc->GetGadgetDocument(), GetHostWindow());
  AdoptRoot(root);
  root->Build();
  root->OnUpdate(HINT_RELOADED, doc->GetGadgetDocument());
}

int CVantrelListView::CurrentList() const {
  CGVantrelListRoot* r = GetListRoot();
  CGSkPageController* pages = r ? r->GetPageController() : nullptr;
  return pages && pages->m_current == CGVantrelListRoot::kMarkPage ? 1 : 0;
}

bool CVantrelSheetView::OnCommand(int id) {
  if (HandlePrintCommand(id)) return true;
  CGVantrelSheetRoot* r = GetSheetRoot();
  if (!r) return false;
  switch (id) {
    case ID_PADDING:
      return r->SetPadding(1), true;
    case ID_NOT_PADDING:
      return r->SetPadding(0), true;
    case ID_APPEND_GROUP:
      return r->AppendGroup(), true;
    case ID_COPY_CLIPBOARD:
      return r->Copy(), true;
    default:
      return false;
  }
}

bool CVantrelSheetView::OnUpdateCommand(int id, vt::CommandStatus& s) {
  if (UpdatePrintCommand(id, s)) return true;
  CGVantrelSheetRoot* r = GetSheetRoot();
  CGVantrelDoc* d = r ? r->GetVantrelDoc() : nullptr;
  switch (id) {
    case ID_PADDING:
    case ID_NOT_PADDING:
      s.enabled = true;
      s.checked = d && d->m_sheetPadding == (id == ID_PADDING ? 1 : 0);
      return true;
    case ID_APPEND_GROUP:
      s.enabled = d && d->CountGroupsWithData() < 50;
      return true;
    case ID_COPY_CLIPBOARD:
      s.enabled = d && d->CanCopySheetRows();
      return true;
    default:
      return false;
  }
}

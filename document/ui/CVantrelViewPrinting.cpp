// The printing of the three views of a graph window: File > Print (57607), direct print
// (57608) and Print Preview (57609) through the print road of vtgui, each job with a print root
// of its own that the view's hook makes and that goes when the job ends.
#include <memory>

#include "document/ui/CGVantrelPrintRoots.h"
#include "document/ui/CVantrelViews.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/HostWindow.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/PrintPreview.h"

namespace {

enum : int { ID_FILE_PRINT = 57607, ID_FILE_PRINT_DIRECT = 57608, ID_FILE_PRINT_PREVIEW = 57609 };
constexpr int kMsgLongProcessing = 10016;

}  // namespace

vt::WindowHandle vt::CVantrelViewBase::PrintOwner() const {
  vt::HostWindow* host = GetHostWindow();
  return host ? host->Handle() : 0;
}

bool vt::CVantrelViewBase::HandlePrintCommand(int id) {
  if (id != ID_FILE_PRINT && id != ID_FILE_PRINT_DIRECT && id != ID_FILE_PRINT_PREVIEW) return false;
  if (!CanPrint()) return true;
  if (id == ID_FILE_PRINT_PREVIEW) {
    vt::RunPrintPreview(*this, PrintOwner());
    return true;
  }
  vt::PrintInfo info;
  info.direct = id == ID_FILE_PRINT_DIRECT;
  vt::RunPrintJob(*this, info);
  return true;
}

bool vt::CVantrelViewBase::UpdatePrintCommand(int id, vt::CommandStatus& status) {
  if (id != ID_FILE_PRINT && id != ID_FILE_PRINT_DIRECT && id != ID_FILE_PRINT_PREVIEW) return false;
  status.enabled = CanPrint();
  status.checked = false;
  return true;
}

bool vt::CVantrelViewBase::OnPreparePrinting(vt::PrintInfo& info) {
  CVantrelDoc* doc = GetVantrelDoc();
  if (!doc || !doc->GetGadgetDocument()) return false;
  doc->GetGadgetDocument()->PreparePrint();
  return vt::DoPreparePrinting(info, PrintOwner());
}

void vt::CVantrelViewBase::OnBeginPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) {
  if (printRoot_) OnEndPrinting(dc, info);
  printRoot_ = MakePrintRoot();
  if (printRoot_) printRoot_->BeginPrinting(dc, &info);
}

void vt::CVantrelViewBase::OnPrint(vt::DeviceContext* dc, vt::PrintInfo& info) {
  if (printRoot_) printRoot_->Print(dc, &info);
}

void vt::CVantrelViewBase::OnEndPrinting(vt::DeviceContext* dc, vt::PrintInfo& info) {
  if (!printRoot_) return;
  printRoot_->EndPrinting(dc, &info);
  delete printRoot_;
  printRoot_ = nullptr;
}

// ---- graph ----

bool CVantrelGraphView::OnPreparePrinting(vt::PrintInfo& info) {
  CVantrelDoc* doc = GetVantrelDoc();
  CGVantrelDoc* g = doc ? doc->GetGadgetDocument() : nullptr;
  if (!g) return false;
  if (GetGraphRoot()) {
    GetGraphRoot()->StoreGraphState();
    GetGraphRoot()->StoreMarkNotes();
  }
  g->PreparePrint();
  g->UpdatePrintGroups();
  if (g->IsLongRange() && DisplayMessage(PrintOwner(), kMsgLongProcessing, vt::kMbOkCancel) != vt::kIdOk)
    return false;
  return vt::DoPreparePrinting(info, PrintOwner());
}

vt::CGVantrelPrintRoot* CVantrelGraphView::MakePrintRoot() {
  CVantrelDoc* doc = GetVantrelDoc();
  return doc && doc->GetGadgetDocument() ? new CGVantrelGraphPrintRoot(doc->GetGadgetDocument()) : nullptr;
}

bool CVantrelGraphView::CanPrint() const {
  const CVantrelDoc* doc = GetVantrelDoc();
  return doc && doc->GetGadgetDocument() && doc->GetGadgetDocument()->CountGroupsWithData() > 0;
}

// ---- list ----

bool CVantrelListView::OnPreparePrinting(vt::PrintInfo& info) {
  return vt::CVantrelViewBase::OnPreparePrinting(info);
}

vt::CGVantrelPrintRoot* CVantrelListView::MakePrintRoot() {
  CVantrelDoc* doc = GetVantrelDoc();
  CGVantrelDoc* g = doc ? doc->GetGadgetDocument() : nullptr;
  if (!g) return nullptr;
  return new vt::CGVantrelListPrintRoot(g, CurrentList(), g->GetPrintSettings().range == 1);
}

// ---- sheet ----

vt::CGVantrelPrintRoot* CVantrelSheetView::MakePrintRoot() {
  CVantrelDoc* doc = GetVantrelDoc();
  return doc ? vt::CGVantrelSheetPrintRoot::ForCurrentGroup(doc->GetGadgetDocument()) : nullptr;
}

bool CVantrelSheetView::CanPrint() const {
  const CVantrelDoc* doc = GetVantrelDoc();
  CGVantrelDoc* g = doc ? doc->GetGadgetDocument() : nullptr;
  CGVantrelGroupData* group = g ? g->GetCurrentGroup() : nullptr;
  return group && group->GetChannelCount() > 0 && group->EnsureRowTime().GetRowCount() <= 5242880;
}

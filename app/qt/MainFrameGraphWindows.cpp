// The main frame and its graph windows: the templates that open them in the MDI area, the
// Window menu's commands, a document's views brought up or placed, the placements read back in
// z-order, and the save question for every graph window before the frame closes.
//
// A placement applied to a view and read back gives the same numbers (the child frame keeps its
// own normal rectangle while minimised or maximised): the document compares what it was given
// with what is open before it asks to save, so any drift would make every close ask.
#include <QMdiArea>

#include "app/CListDoc.h"
#include "app/CVantrelApp.h"
#include "app/qt/MainFrameGraphWindows.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/WindowEntryPlacement.h"
#include "platform/gui/CommandRouter.h"
#include "platform/gui/qt/MdiFrameWindow.h"

namespace {

constexpr int ID_WINDOW_GRAPH = 32887;
constexpr int ID_WINDOW_SHEET = 32946;
constexpr int ID_WINDOW_ALARM_MARK = 32871;
constexpr int ID_VIEW_DISPLAY = 32814;
constexpr int ID_VIEW_DISPLAY_ENTIRE_FILE = 32827;
constexpr int ID_VIEW_ADD_TO_ACTIVE = 32818;

// The most views a graph window has: graph, list and sheet.
constexpr std::size_t kMaxWindowViews = 3;

// The kind of a graph window's view (0 for any other view).
int ViewKind(const vt::View* view) {
  if (dynamic_cast<const CVantrelGraphView*>(view)) return vt_ui::kGraphViewKind;
  if (dynamic_cast<const CVantrelListView*>(view)) return vt_ui::kListViewKind;
  if (dynamic_cast<const CVantrelSheetView*>(view)) return vt_ui::kSheetViewKind;
  return 0;
}

// Places the frame, or restores it when no placement is given, and activates it. A given
// placement's show state holds, minimised included: restoring it would make the views differ
// from the saved record the document compares them with, and closing would ask to save.
void BringUp(vt::ViewFrame* frame, const vt::WindowPlacement* placement) {
  if (!placement) {
    frame->RestoreAndActivate();
    return;
  }
  frame->SetPlacement(*placement);
  if (auto* child = dynamic_cast<vt::ChildFrame*>(frame); child && child->mdiArea())
    child->mdiArea()->setActiveSubWindow(child);
}

}  // namespace

CVantrelDoc* ActiveGraphDocument(const vt::MdiFrameWindow& window) {
  auto* frame = dynamic_cast<vt::ChildFrame*>(window.ActiveChild());
  vt::View* view = frame ? frame->GetView() : nullptr;
  auto* doc = view ? dynamic_cast<CVantrelDoc*>(view->GetDocument()) : nullptr;
  return doc && doc->GetGadgetDocument() ? doc : nullptr;
}

void CMainFrame::SetDocTemplates(vt::DocTemplate* graph, vt::DocTemplate* list, vt::DocTemplate* sheet) {
  if (!m_graphWindows) return;
  GraphWindows& g = *m_graphWindows;
  for (vt::DocTemplate* t : {g.graph, g.list, g.sheet})
    if (t) t->SetFrameMaker(nullptr);
  g.graph = graph, g.list = list, g.sheet = sheet;
  for (vt::DocTemplate* t : {g.graph, g.list, g.sheet})
    if (t) t->SetFrameMaker(&g.maker);
}

void CMainFrame::ReleaseGraphWindows() { SetDocTemplates(nullptr, nullptr, nullptr); }

vt::DocTemplate* CMainFrame::GetGraphTemplate() const {
  return m_graphWindows ? m_graphWindows->graph : nullptr;
}

vt::DocTemplate* CMainFrame::GetListTemplate() const {
  return m_graphWindows ? m_graphWindows->list : nullptr;
}

vt::DocTemplate* CMainFrame::GetSheetTemplate() const {
  return m_graphWindows ? m_graphWindows->sheet : nullptr;
}

CVantrelDoc* CMainFrame::GetActiveGraphDocument() const {
  const auto* window = static_cast<const vt::MdiFrameWindow*>(Widget());
  return window ? ActiveGraphDocument(*window) : nullptr;
}

CVantrelDoc* CMainFrame::FindGraphDocument(const CGVantrelDoc* gadgetDoc) const {
  vt::DocTemplate* graph = GetGraphTemplate();
  if (!graph || !gadgetDoc) return nullptr;
  for (vt::Document* d : graph->GetDocuments())
    if (auto* doc = dynamic_cast<CVantrelDoc*>(d); doc && doc->GetGadgetDocument() == gadgetDoc) return doc;
  return nullptr;
}

int CMainFrame::ShowDocumentWindow(vt::DocTemplate* docTemplate, int viewKind, CVantrelDoc* doc,
                                   const vt::WindowPlacement* placement) {
  if (!doc) return 0;
  for (vt::View* view : doc->GetViews()) {
    if (ViewKind(view) == viewKind && view->GetFrame()) {
      BringUp(view->GetFrame(), placement);
      return 0;
    }
  }
  vt::View* view = docTemplate ? docTemplate->CreateFrame(doc) : nullptr;
  if (!view || !view->GetFrame()) return 0;
  BringUp(view->GetFrame(), placement);
  return kNewFrame;
}

std::vector<SGraphWindowEntry> CMainFrame::GetDocumentWindowPlacements(const CGVantrelDoc* doc) const {
  std::vector<SGraphWindowEntry> entries;
  const auto* window = static_cast<const vt::MdiFrameWindow*>(Widget());
  if (!window || !doc) return entries;
  for (vt::ChildFrame* frame : vt::ChildFrame::FramesFrontToBack(window->MdiArea())) {
    vt::View* view = frame->GetView();
    auto* owner = view ? dynamic_cast<CVantrelDoc*>(view->GetDocument()) : nullptr;
    if (!owner || owner->GetGadgetDocument() != doc) continue;
    const int kind = ViewKind(view);
    if (kind == 0) continue;
    entries.push_back(vt_ui::MakeWindowEntry(kind, frame->GetPlacement()));
    if (entries.size() == kMaxWindowViews) break;
  }
  return entries;
}

bool CMainFrame::SaveAllModified() {
  vt::DocTemplate* graph = GetGraphTemplate();
  if (!graph) return true;
  for (vt::Document* doc : graph->GetDocuments())
    if (!doc->SaveModified()) return false;
  return true;
}

void CMainFrame::OnWindowView(int viewKind) {
  CVantrelDoc* doc = GetActiveGraphDocument();
  if (!doc) return;
  vt::DocTemplate* t = viewKind == vt_ui::kGraphViewKind  ? GetGraphTemplate()
                       : viewKind == vt_ui::kListViewKind ? GetListTemplate()
                                                          : GetSheetTemplate();
  if (ShowDocumentWindow(t, viewKind, doc, nullptr) != kNewFrame || viewKind == vt_ui::kListViewKind) return;
  // A new graph or sheet view starts on a group that holds data, and both kinds show it.
  CGVantrelDoc* gadgetDoc = doc->GetGadgetDocument();
  gadgetDoc->ValidateCurrentGroup();
  for (vt::View* view : doc->GetViews()) {
    const int kind = ViewKind(view);
    if (kind == vt_ui::kListViewKind || kind == 0) continue;
    if (CGSkRoot* root = static_cast<vt::CVantrelViewBase*>(view)->GetRoot())
      root->OnUpdate(HINT_RELOADED, gadgetDoc);
  }
}

vt::CatalogDisplay* CMainFrame::GetCatalogDisplay() const {
  return m_graphWindows ? m_graphWindows->display.get() : nullptr;
}

void CMainFrame::AddGraphWindowCommands() {
  vt::CommandMap& commands = Commands();
  m_graphWindows->display = std::make_unique<vt::CatalogDisplay>(
      ListDoc(), [this] { return GetGraphTemplate(); }, [this] { return GetActiveGraphDocument(); });
  vt::CatalogDisplay* display = m_graphWindows->display.get();
  // The rows of tags, alarms, display groups, messages, files and continuous data, selected.
  const auto rowsSelected = [this] {
    const CListDoc& list = ListDoc();
    return list.m_listKind >= LIST_KIND_TAG && list.m_listKind <= LIST_KIND_BATCH && list.m_selectedCount > 0;
  };
  commands.On(
      ID_VIEW_DISPLAY, [display] { display->Display(); },
      [display](vt::CmdUI& ui) { ui.Enable(display->CanDisplay()); });
  commands.On(
      ID_VIEW_DISPLAY_ENTIRE_FILE, [display] { display->DisplayEntireFile(); },
      [rowsSelected](vt::CmdUI& ui) { ui.Enable(rowsSelected()); });
  commands.On(
      ID_VIEW_ADD_TO_ACTIVE, [display] { display->AddToActiveWindow(); },
      [this, rowsSelected](vt::CmdUI& ui) {
        ui.Enable(rowsSelected() && GetActiveGraphDocument() != nullptr);
      });
  const auto hasDocument = [this](vt::CmdUI& ui) { ui.Enable(GetActiveGraphDocument() != nullptr); };
  commands.On(
      ID_WINDOW_GRAPH, [this] { OnWindowView(vt_ui::kGraphViewKind); }, hasDocument);
  commands.On(
      ID_WINDOW_ALARM_MARK, [this] { OnWindowView(vt_ui::kListViewKind); }, hasDocument);
  commands.On(
      ID_WINDOW_SHEET, [this] { OnWindowView(vt_ui::kSheetViewKind); },
      [this](vt::CmdUI& ui) {
        CVantrelDoc* doc = GetActiveGraphDocument();
        ui.Enable(doc && doc->GetGadgetDocument()->CanShowSheet());
      });
}

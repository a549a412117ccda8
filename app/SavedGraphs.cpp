// Opening saved graphs (see SavedGraphs.h) and the catalogue's display command over the
// saved-graph list.
#include "app/SavedGraphs.h"

#include "app/CListDoc.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "app/ListKinds.h"
#include "document/ui/CVantrelDoc.h"
#include "store/VTGraphDataStorage.h"

namespace vt_app {

int OpenSavedGraphs(CVTGraphDataStorage* graphs, const std::vector<std::string>& names) {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  vt::DocTemplate* graphTemplate = host ? host->GetGraphTemplate() : nullptr;
  if (!graphs || !graphTemplate) return 0;
  int opened = 0;
  for (const std::string& name : names) {
    if (graphs->FindGraphId(name) < 0) continue;
    GraphConfigurationHolder holder;
    graphs->LoadGraph(name, holder);
    auto* doc = dynamic_cast<CVantrelDoc*>(graphTemplate->OpenNewDocument());
    if (doc && doc->GetGadgetDocument()) {
      CGVantrelDoc* gadgetDoc = doc->GetGadgetDocument();
      doc->SetPathName(name, false);
      gadgetDoc->m_graphName = name;
      gadgetDoc->ApplyGraphConfiguration(*holder);
      ++opened;
    }
    FreeGraphConfiguration(holder);
  }
  return opened;
}

}  // namespace vt_app

void CVantrelApp::OpenSavedGraphs() {
  CMainFrame* frame = GetMainFrame();
  if (!frame) return;
  CListDoc& list = frame->ListDoc();
  if (list.m_listKind != LIST_KIND_GRAPH || list.m_selectedCount == 0) return;
  if (list.m_selection.empty()) list.CollectSelection();
  std::vector<std::string> names;
  for (int row : list.m_selection) names.push_back(list.GetItemGraphName(row));
  vt_app::OpenSavedGraphs(m_graphStore, names);
}

void CVantrelApp::RegisterSavedGraphCommands() {
  // The catalogue's Display command; over the saved-graph list it opens the chosen graphs.
  m_commands.On(kCommandDisplay, [this] { OpenSavedGraphs(); });
}

// The application as the host of its graph windows: the three document templates (graph, list
// and sheet views of one document class), and the answers to what a graph window's document asks
// of the program around it. The frame-bound questions (views, placements, the panes' documents)
// go to the main frame; the settings, the saved-graph store and the conversion folder are the
// application's own.
#include "app/CListDoc.h"
#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "document/CConfigurationFile.h"
#include "document/ui/CDlgProgressbar.h"
#include "document/ui/CVantrelDoc.h"
#include "document/ui/CVantrelViews.h"
#include "document/ui/WindowEntryPlacement.h"
#include "platform/gui/Document.h"

namespace {

// Documents of every template are titled "Graph n" until a command names them.
constexpr const char* kTitleBase = "Graph";

template <typename ViewClass>
std::unique_ptr<vt::DocTemplate> MakeTemplate() {
  return std::make_unique<vt::DocTemplate>(
      kTitleBase, [] { return std::make_unique<CVantrelDoc>(); },
      [] { return std::make_unique<ViewClass>(); });
}

}  // namespace

bool CVantrelApp::RegisterDocTemplates() {
  m_graphTemplate = MakeTemplate<CVantrelGraphView>();
  m_listTemplate = MakeTemplate<CVantrelListView>();
  m_sheetTemplate = MakeTemplate<CVantrelSheetView>();
  return m_graphTemplate && m_listTemplate && m_sheetTemplate;
}

void CVantrelApp::InstallGraphWindowHost() {
  if (m_mainFrame)
    m_mainFrame->SetDocTemplates(m_graphTemplate.get(), m_listTemplate.get(), m_sheetTemplate.get());
  if (!m_hostInstalled) m_previousHost = vt::SetGraphWindowHost(this);
  m_hostInstalled = true;
}

void CVantrelApp::ReleaseGraphWindowHost() {
  if (m_hostInstalled && vt::GetGraphWindowHost() == this) vt::SetGraphWindowHost(m_previousHost);
  m_hostInstalled = false;
  m_previousHost = nullptr;
  if (m_mainFrame) m_mainFrame->SetDocTemplates(nullptr, nullptr, nullptr);
}

std::vector<CVantrelDoc*> CVantrelApp::GetGraphDocuments() const {
  std::vector<CVantrelDoc*> docs;
  if (!m_graphTemplate) return docs;
  for (vt::Document* d : m_graphTemplate->GetDocuments())
    if (auto* doc = dynamic_cast<CVantrelDoc*>(d)) docs.push_back(doc);
  return docs;
}

void CVantrelApp::ShowDocumentWindow(CGVantrelDoc* doc, const SGraphWindowEntry& entry) {
  if (!m_mainFrame) return;
  vt::DocTemplate* t = entry.viewKind == vt_ui::kGraphViewKind   ? m_graphTemplate.get()
                       : entry.viewKind == vt_ui::kListViewKind  ? m_listTemplate.get()
                       : entry.viewKind == vt_ui::kSheetViewKind ? m_sheetTemplate.get()
                                                                 : nullptr;
  if (!t) return;  // a record of another kind is skipped
  const vt::WindowPlacement placement = vt_ui::PlacementOf(entry);
  m_mainFrame->ShowDocumentWindow(t, entry.viewKind, m_mainFrame->FindGraphDocument(doc), &placement);
}

std::vector<SGraphWindowEntry> CVantrelApp::GetDocumentWindowPlacements(const CGVantrelDoc* doc) {
  return m_mainFrame ? m_mainFrame->GetDocumentWindowPlacements(doc) : std::vector<SGraphWindowEntry>{};
}

void CVantrelApp::SetSelectedChannel(const vt::Guid& batch, int channelNo) {
  if (m_mainFrame) m_mainFrame->ListDoc().SetSelectedChannel(batch.ToBytes(), channelNo);
}

void CVantrelApp::NotifyListDocument(int code) {
  if (m_mainFrame) m_mainFrame->ListDoc().Notify(code);
}

std::optional<vt::GraphDisplayDefaults> CVantrelApp::GetDisplayDefaults() {
  if (!m_settings) return std::nullopt;
  const SDisplayDefaults& s = m_settings->m_displayDefaults;
  vt::GraphDisplayDefaults d;
  d.gridColour = s.gridColor;
  d.backColour = s.backColor;
  d.tagDisplay = s.tagDisplay;
  d.cursorDisp = s.cursorDisp;
  d.cursorTrans = s.cursorTrans;
  d.waveThick = s.waveThick;
  d.cellValue = s.cellValue;
  return d;
}

vt::WindowHandle CVantrelApp::GetConvertProgressWindow() {
  return m_convertProgress ? m_convertProgress->GetSafeHwnd() : 0;
}

void CVantrelApp::SetConversionFolder(const std::string& folder) {
  if (m_settings) m_settings->m_dataCnvFolder = folder;
}

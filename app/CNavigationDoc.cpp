// The navigation document (see CNavigationDoc.h).
#include "app/CNavigationDoc.h"

#include <algorithm>

#include "app/CVantrelApp.h"
#include "app/ListKinds.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTTable.h"

CNavigationDoc::CNavigationDoc(SourcesFn sources) : m_sources(std::move(sources)) {}

vt::CatalogueSources CNavigationDoc::Sources() const {
  if (m_sources) return m_sources();
  vt::CatalogueSources sources;
  if (CVantrelApp* app = CVantrelApp::Current()) {
    sources.storage = app->m_currentStorage;
    sources.graphs = app->m_graphManager.get();
    sources.conditions = app->m_conditionStore.get();
  }
  return sources;
}

int CNavigationDoc::ListKindOfNode(int nodeKind) {
  return nodeKind >= NODE_TAG && nodeKind <= NODE_CONDITIONS ? nodeKind - 2 : LIST_KIND_NONE;
}

void CNavigationDoc::SetSelection(int kind, const std::string& key) {
  if (kind == m_selectionKind && key == m_selectionKey) return;
  m_selectionKind = kind;
  m_selectionKey = key;
  Notify(NAV_NOTIFY_SELECTION);
}

void CNavigationDoc::SetMode(int mode) {
  if (mode == m_mode) return;
  m_mode = mode;
  Notify(NAV_NOTIFY_MODE);
}

void CNavigationDoc::RefreshInstruments() {
  CatalogueCursor cursor;
  if (!OpenInstrumentQuery(Sources(), cursor)) return;
  ForEachCatalogueRow(*cursor, [&] {
    Instrument row;
    if (cursor->GetText(0, row.name) != STORE_OK || cursor->GetText(1, row.serialNo) != STORE_OK)
      return false;
    const bool known = std::any_of(m_instruments.begin(), m_instruments.end(),
                                   [&](const Instrument& i) { return i.serialNo == row.serialNo; });
    if (!known) m_instruments.push_back(std::move(row));
    return true;
  });
  cursor->Finalize();
}

void CNavigationDoc::RebuildInstruments() {
  if (!Sources().storage) return;
  m_instruments.clear();
  RefreshInstruments();
  Notify(NAV_NOTIFY_REBUILD);
}

void CNavigationDoc::RefreshAndAnnounce() {
  if (!Sources().storage) return;
  RefreshInstruments();
  Notify(NAV_NOTIFY_ADDED);
}

bool CNavigationDoc::RenameInstrument(const std::string& serialNo, const std::string& newName) {
  CVTDataStorage* storage = Sources().storage;
  if (!storage || storage->RenameInstrument(newName, serialNo) != 0) return false;
  for (Instrument& i : m_instruments)
    if (i.serialNo == serialNo) i.name = newName;
  Notify(NAV_NOTIFY_RENAMED);
  return true;
}

void CNavigationDoc::RemoveInstrument(const std::string& serialNo) {
  std::erase_if(m_instruments, [&](const Instrument& i) { return i.serialNo == serialNo; });
  Notify(NAV_NOTIFY_REMOVED);
}

std::pair<int, std::string> CNavigationDoc::GetConditionNode() const {
  CSearchConditionStore* store = Sources().conditions;
  vt::SSearchCondition condition;
  if (!store || !store->Get(m_conditionName, condition)) return {NODE_NONE, {}};
  const int kind = condition.listKind >= LIST_KIND_TAG && condition.listKind <= LIST_KIND_BATCH
                       ? condition.listKind + 2
                       : NODE_NONE;
  return {kind, condition.serialNo};
}

// The catalogue's rows shown in graph windows (see CatalogDisplay.h).
#include "app/CatalogDisplay.h"

#include <algorithm>
#include <set>
#include <utility>

#include "app/CListDoc.h"
#include "app/SavedGraphs.h"
#include "document/GraphWindowHost.h"
#include "document/ui/CVantrelDoc.h"
#include "platform/base/Numbers.h"
#include "platform/gui/Document.h"
#include "store/CatalogueLookups.h"
#include "store/VTGraphManager.h"

namespace vt {

namespace {

bool IsShownKind(int kind) { return kind >= LIST_KIND_TAG && kind <= LIST_KIND_BATCH; }

}  // namespace

void CatalogDisplay::Cursors::Take(int64_t ticks) {
  if (ticks == 0) return;
  if (!a || ticks < a->ticks) a = TickTime(ticks);
  if (!b || ticks > b->ticks) b = TickTime(ticks);
}

CatalogDisplay::CatalogDisplay(CListDoc& list, std::function<DocTemplate*()> graphTemplate,
                               std::function<CVantrelDoc*()> activeDocument)
    : list_(list), graphTemplate_(std::move(graphTemplate)), activeDocument_(std::move(activeDocument)) {}

std::vector<int> CatalogDisplay::SelectedRows() {
  if (list_.m_selectedCount <= 0) return {};
  if (list_.m_selection.empty()) list_.CollectSelection();
  return list_.m_selection;
}

bool CatalogDisplay::CollectChannels(const std::vector<int>& rows, std::vector<SVantrelChannelKey>& keys) {
  const CatalogueSources sources = list_.Sources();
  std::set<std::pair<std::string, int>> pairs;
  std::set<std::string> batches;
  for (int row : rows) {
    const std::string batch = list_.GetItemBatchGuid(row);
    const int channel = list_.GetItemChannelNo(row);
    std::vector<int> channels{channel};
    if (channel == 0) {
      // Every channel of the batch, unless the batch is already there.
      if (batches.count(batch)) continue;
      if (!GetBatchChannels(sources, batch, channels)) return false;
    }
    batches.insert(batch);
    for (int c : channels)
      if (pairs.insert({batch, c}).second) keys.push_back({batch, c, -1});
  }
  return true;
}

bool CatalogDisplay::GroupRequest(const std::string& batch, int groupNo, const std::string& name,
                                  SVantrelGroupEntry& entry) {
  std::vector<int> channels;
  if (!GetDisplayGroupChannels(list_.Sources(), batch, groupNo, channels)) return false;
  entry.name = name;
  for (int c : channels) entry.keys.push_back({batch, c, groupNo});
  entry.messageGroups = {{batch, groupNo}};
  return true;
}

bool CatalogDisplay::BatchGroups(const std::string& batch, std::vector<SVantrelGroupEntry>& groups) {
  std::vector<int> numbers;
  std::vector<std::string> names;
  if (!GetBatchDisplayGroups(list_.Sources(), batch, numbers, names)) return false;
  for (size_t i = 0; i < numbers.size(); ++i) {
    SVantrelGroupEntry e;
    if (!GroupRequest(batch, numbers[i], i < names.size() ? names[i] : std::string(), e)) return false;
    groups.push_back(std::move(e));
  }
  return true;
}

bool CatalogDisplay::CollectGroups(const std::vector<int>& rows, std::vector<SVantrelGroupEntry>& groups) {
  const CatalogueSources sources = list_.Sources();
  std::set<std::pair<std::string, int>> seen;
  for (int row : rows) {
    const std::string batch = list_.GetItemBatchGuid(row);
    std::vector<int> numbers;
    std::vector<std::string> names;
    switch (list_.m_listKind) {
      case LIST_KIND_DISPLAY_GROUP: {
        std::string name;
        numbers = {list_.GetItemGroupNo(row)};
        if (!GetDisplayGroupName(sources, batch, numbers[0], name)) return false;
        names = {name};
        break;
      }
      case LIST_KIND_MESSAGE:
        if (!GetMessageWriteGroups(sources, batch, list_.GetItemMessageId(row), numbers, names)) return false;
        break;
      default:
        if (!GetBatchDisplayGroups(sources, batch, numbers, names)) return false;
        break;
    }
    for (size_t i = 0; i < numbers.size(); ++i) {
      if (!seen.insert({batch, numbers[i]}).second) continue;
      SVantrelGroupEntry e;
      if (!GroupRequest(batch, numbers[i], i < names.size() ? names[i] : std::string(), e)) return false;
      groups.push_back(std::move(e));
    }
  }
  return true;
}

CatalogDisplay::Cursors CatalogDisplay::RowCursors(const std::vector<int>& rows) {
  Cursors c;
  switch (list_.m_listKind) {
    case LIST_KIND_ALARM:
      for (int row : rows) c.Take(list_.GetItemAlarmTime(row));
      break;
    case LIST_KIND_MESSAGE:
      for (int row : rows) c.Take(list_.GetItemMessageTime(row));
      break;
    case LIST_KIND_FILE: {
      int latest = -1;
      for (int row : rows)
        if (latest < 0 || list_.GetItemStopTime(row) > list_.GetItemStopTime(latest)) latest = row;
      if (latest >= 0) {
        c.a = TickTime(list_.GetItemStartTime(latest));
        c.b = TickTime(list_.GetItemStopTime(latest));
      }
      break;
    }
    default:
      break;
  }
  return c;
}

bool CatalogDisplay::OpenWindow(const std::vector<SVantrelGroupEntry>& groups, const Cursors& cursors) {
  DocTemplate* graph = graphTemplate_ ? graphTemplate_() : nullptr;
  auto* doc = graph ? dynamic_cast<CVantrelDoc*>(graph->OpenNewDocument()) : nullptr;
  if (!doc) return false;
  const std::string title = FormatC("Graph %u", unsigned(++counter_));
  doc->SetTitle(title);
  doc->GetGadgetDocument()->m_graphName = title;
  doc->GetGadgetDocument()->AddGroups(groups, cursors.a, cursors.b);
  return true;
}

bool CatalogDisplay::CanDisplay() const {
  return (IsShownKind(list_.m_listKind) || list_.m_listKind == LIST_KIND_GRAPH) && list_.m_selectedCount > 0;
}

bool CatalogDisplay::Display() {
  const int kind = list_.m_listKind;
  if (kind == LIST_KIND_GRAPH) return OpenSavedGraphs();
  if (!IsShownKind(kind)) return false;
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return false;
  std::vector<SVantrelGroupEntry> groups;
  if (kind == LIST_KIND_TAG || kind == LIST_KIND_ALARM) {
    SVantrelGroupEntry e;
    if (!CollectChannels(rows, e.keys)) return false;
    groups.push_back(std::move(e));
  } else if (!CollectGroups(rows, groups)) {
    return false;
  }
  return OpenWindow(groups, RowCursors(rows));
}

bool CatalogDisplay::OpenSavedGraphs() {
  std::vector<std::string> names;
  for (int row : SelectedRows()) names.push_back(list_.GetItemGraphName(row));
  GraphWindowHost* host = GetGraphWindowHost();
  CVTGraphManager* store = host ? host->GetGraphStore() : nullptr;
  if (names.empty() || !store) return false;
  return vt_app::OpenSavedGraphs(store->GetGraphStorage(), names) > 0;
}

bool CatalogDisplay::DisplayEntireFile() {
  const int kind = list_.m_listKind;
  if (!IsShownKind(kind)) return false;
  const std::vector<int> rows = SelectedRows();
  // The batches in the order first met, each with its own rows' times.
  std::vector<std::pair<std::string, Cursors>> batches;
  for (int row : rows) {
    const std::string batch = list_.GetItemBatchGuid(row);
    auto it = std::find_if(batches.begin(), batches.end(), [&](const auto& b) { return b.first == batch; });
    if (it == batches.end()) it = batches.insert(batches.end(), {batch, Cursors{}});
    if (kind == LIST_KIND_ALARM) it->second.Take(list_.GetItemAlarmTime(row));
    if (kind == LIST_KIND_MESSAGE) it->second.Take(list_.GetItemMessageTime(row));
  }
  bool opened = false;
  for (const auto& [batch, cursors] : batches) {
    std::vector<SVantrelGroupEntry> groups;
    if (!BatchGroups(batch, groups)) break;
    opened = OpenWindow(groups, cursors) || opened;
  }
  return opened;
}

bool CatalogDisplay::AddToActiveWindow() {
  const int kind = list_.m_listKind;
  CVantrelDoc* doc = activeDocument_ ? activeDocument_() : nullptr;
  if (!IsShownKind(kind) || !doc || !doc->GetGadgetDocument()) return false;
  CGVantrelDoc* d = doc->GetGadgetDocument();
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return false;
  const Cursors cursors = RowCursors(rows);
  if (kind == LIST_KIND_TAG || kind == LIST_KIND_ALARM || kind == LIST_KIND_DISPLAY_GROUP) {
    std::vector<SVantrelChannelKey> keys;
    if (kind == LIST_KIND_DISPLAY_GROUP) {
      std::vector<SVantrelGroupEntry> groups;
      if (!CollectGroups(rows, groups)) return false;
      for (const SVantrelGroupEntry& g : groups) keys.insert(keys.end(), g.keys.begin(), g.keys.end());
    } else if (!CollectChannels(rows, keys)) {
      return false;
    }
    // Tags and groups go to where their batches end; alarms to the latest alarm.
    int64_t position = 0;
    for (int row : rows)
      position = std::max(position,
                          kind == LIST_KIND_ALARM ? list_.GetItemAlarmTime(row) : list_.GetItemStopTime(row));
    const std::optional<TickTime> at = position ? std::optional<TickTime>(TickTime(position)) : std::nullopt;
    if (kind == LIST_KIND_ALARM) return d->AddToCurrentGroup(keys, at, cursors.a, cursors.b);
    return d->AddToCurrentGroup(keys, at, std::nullopt, std::nullopt);
  }
  std::vector<SVantrelGroupEntry> groups;
  if (!CollectGroups(rows, groups)) return false;
  if (kind == LIST_KIND_MESSAGE) return d->AddGroups(groups, cursors.a, cursors.b);
  return d->AddGroups(groups, std::nullopt, std::nullopt);
}

bool CatalogDisplay::ShowImportedFile(const std::string& storedPath) {
  std::string batch;
  int64_t start = 0, end = 0;
  if (storedPath.empty() || !FindBatchOfFile(list_.Sources(), storedPath, batch, start, end)) return false;
  std::vector<SVantrelGroupEntry> groups;
  if (!BatchGroups(batch, groups)) return false;
  return OpenWindow(groups, Cursors{});
}

}  // namespace vt

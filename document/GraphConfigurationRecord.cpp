// Saved graphs on the document side: filling the saved-graph record from a graph document,
// applying one to a new document, saving it by name and taking back the record that the
// display settings dialog edited (see CGVantrelDoc.h).
//
// The window records always describe the views as they were last saved or applied. A saved
// placement that would put a view off the screen is pulled back onto it before it is applied,
// and the records then hold what the host reports after placing, so an unchanged reopened graph
// compares equal when its window closes and is not offered for saving.
#include <algorithm>
#include <cstring>

#include "document/CGVantrelDoc.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/Desktop.h"
#include "platform/gui/MessageBox.h"
#include "store/CVTBatchCache.h"
#include "store/VTGraphManager.h"

namespace {

constexpr int kMsgCannotDisplay = 10212;

// A window keeps at most the work area's size and lies inside it (the child frames are placed
// in the main window's client area, which is never larger).
SGraphWindowEntry KeepOnScreen(SGraphWindowEntry e) {
  const vt::Rect area = vt::CurrentDesktop().WorkArea();
  const int32_t w = area.Width(), h = area.Height();
  if (w <= 0 || h <= 0) return e;
  const int32_t width = std::clamp(e.normalRight - e.normalLeft, 0, w);
  const int32_t height = std::clamp(e.normalBottom - e.normalTop, 0, h);
  e.normalLeft = std::clamp(e.normalLeft, 0, w - width);
  e.normalTop = std::clamp(e.normalTop, 0, h - height);
  e.normalRight = e.normalLeft + width;
  e.normalBottom = e.normalTop + height;
  return e;
}

}  // namespace

// --- groups -----------------------------------------------------------------------------------

void CGVantrelGroupData::SaveGroup(SGraphGroup& entry, const CGVantrelMarkDataManager* marks,
                                   int groupIndex) {
  entry.SetName(m_name);
  entry.groupValue = m_selectedChannel;
  const int count = GetChannelCount();
  entry.tags.assign(std::size_t(count), SGraphTag{});
  for (int j = 0; j < count; ++j)
    if (CGVantrelNgChannel* c = GetChannel(j)) c->SaveEntry(entry.tags[std::size_t(j)].bytes.data());
  entry.times[0] = m_shownStart;
  entry.times[1] = m_shownEnd;
  entry.groupSetting = m_axisStripWidth;
  entry.marks.clear();
  if (marks)
    for (const auto& record : marks->GetRecorderMarkRecords(groupIndex)) {
      SGraphMark mark;
      std::memcpy(mark.bytes.data(), record.data(), kGraphMarkSize);
      entry.marks.push_back(mark);
    }
}

bool CGVantrelGroupData::RestoreGroup(const SGraphGroup& entry) {
  m_selectedChannel = entry.groupValue;
  m_name = entry.Name();
  m_shownStart = entry.times[0];
  m_shownEnd = entry.times[1];
  m_axisStripWidth = entry.groupSetting;
  const int tagCount = std::min(int(entry.tags.size()), GROUP_CHANNEL_LIMIT);
  for (int j = 0; j < tagCount; ++j) {
    CGVantrelNgChannel* channel = NewChannel();
    channel->SetOwner(owner_);
    if (!channel->RestoreEntry(entry.tags[std::size_t(j)].bytes.data())) {
      channel->Release();
      return false;
    }
    RegisterChannel(channel, j);
    channel->SetSegment(channel->GetSegmentIndex(),
                        CGVantrelNgChannel::GetBatchSegmentCount(channel->GetBatchGuid()));
  }
  // Segments the batches gained since the graph was saved: one more channel per new segment of
  // each saved channel, after the saved ones, as long as the group has room.
  int slot = tagCount;
  for (int j = 0; j < tagCount && slot < GROUP_CHANNEL_LIMIT; ++j) {
    const uint8_t* tag = entry.tags[std::size_t(j)].bytes.data();
    int32_t storedIndex = 0, storedCount = 0;
    std::memcpy(&storedIndex, tag + 240, 4);
    std::memcpy(&storedCount, tag + 244, 4);
    // Only the last stored segment of a channel stands for the channel's new segments.
    if (storedCount < 1 || storedIndex != storedCount - 1) continue;
    const CGVantrelNgChannel* saved = GetChannel(j);
    const int now = saved->GetSegmentCount();
    for (int s = storedCount; s < now && slot < GROUP_CHANNEL_LIMIT; ++s) {
      CGVantrelNgChannel* channel = NewChannel();
      channel->SetOwner(owner_);
      channel->SetSegment(s, now);
      if (!channel->Bind(saved->GetBatchGuid(), entry.tags[std::size_t(j)].ChannelNumber(), -1)) {
        channel->Release();
        return false;
      }
      channel->SetMarkGroupMask(saved->GetMarkGroupMask());
      RegisterChannel(channel, slot++);
    }
  }
  return true;
}

// --- the record -------------------------------------------------------------------------------

void CGVantrelDoc::AddConfigurationBatches(const SGraphConfiguration& record, CVTBatchLoader* loader) const {
  for (const SGraphGroup& g : record.groups)
    for (const SGraphTag& t : g.tags)
      loader->AddBatch(vt::Guid::FromBytes(t.bytes.data() + SGraphTag::kGuidOffset));
}

void CGVantrelDoc::FillGroupEntries(SGraphConfiguration& record) {
  const int n = CountGroupsWithData();
  record.groups.assign(std::size_t(n), SGraphGroup{});
  for (int i = 0; i < n; ++i) GetGroup(i)->SaveGroup(record.groups[std::size_t(i)], m_marks, i);
  record.nameMode = m_tagMode;
}

void CGVantrelDoc::FillGraphConfiguration(SGraphConfiguration& record) {
  if (graphView_) graphView_->StoreGraphState();
  if (vt::GraphWindowHost* host = vt::GetGraphWindowHost()) {
    const std::vector<SGraphWindowEntry> open = host->GetDocumentWindowPlacements(this);
    m_windowCount = int(std::min(open.size(), m_windows.size()));
    std::copy_n(open.begin(), m_windowCount, m_windows.begin());
  }
  record.version = kGraphVersion;
  record.documentSwitch = m_alarmsShown;
  FillGroupEntries(record);
  record.currentGroup = m_currentGroup;
  GetCursorTimes(&record.cursors[0], &record.cursors[1]);
  record.marks.clear();
  for (const auto& bytes : m_marks->GetUserMarkRecords()) {
    SGraphMark mark;
    std::memcpy(mark.bytes.data(), bytes.data(), kGraphMarkSize);
    record.marks.push_back(mark);
  }
  vt::SGraphSettings s;
  s.backColour = m_backColour;
  s.gridColour = m_gridColour;
  s.legendShown = m_legendShown;
  s.axisClip = m_axisClip;
  s.axisGrouping = int16_t(m_axisGrouping);
  s.legendMode = m_legendMode;
  s.timeScale = m_timeScale;
  s.axisLayout = m_axisLayout;
  s.traceThickness = m_traceThickness;
  s.sheetPadding = m_sheetPadding;
  s.cursorValuesShown = m_cursorValuesShown;
  s.cursorTransparency = m_cursorTransparency;
  record.settings = s.ToBytes();
  record.display = m_print.ToBytes();
  const int count = std::clamp(m_windowCount, 0, int(m_windows.size()));
  record.windows.assign(m_windows.begin(), m_windows.begin() + count);
}

bool CGVantrelDoc::RestoreGroups(SGraphConfiguration& record) {
  const int n = std::min(int(record.groups.size()), GROUP_COUNT);
  if (n > 0 && (record.currentGroup < 0 || record.currentGroup >= n)) record.currentGroup = 0;
  for (int i = 0; i < GROUP_COUNT; ++i) {
    GetGroup(i)->Reset();
    GetGroup(i)->SetNumber(i + 1);
  }
  SetCurrentGroup(record.currentGroup);
  bool ok = true;
  for (int i = 0; i < n && ok; ++i) {
    CGVantrelGroupData* g = GetGroup(i);
    if (!g->RestoreGroup(record.groups[std::size_t(i)])) {
      DisplayMessage(MainWindow(), kMsgCannotDisplay, vt::kMbOk);
      ok = false;
    }
    // A group that failed to restore keeps no half-made name.
    if (g->GetChannelCount() == 0) g->SetNumber(i + 1);
  }
  if (n == 0) m_marks->RemoveAllMarks();
  UpdatePrintGroups();
  return ok;
}

bool CGVantrelDoc::ApplyGraphConfiguration(SGraphConfiguration& record) {
  CVTBatchLoader loader;
  AddConfigurationBatches(record, &loader);
  if (!RestoreGroups(record)) {
    RebuildChannelMaps();
    UpdateAll(HINT_RELOADED, this);
    return false;
  }
  m_marks->RemoveAllMarks();
  for (std::size_t i = 0; i < record.groups.size() && i < std::size_t(GROUP_COUNT); ++i)
    for (const SGraphMark& m : record.groups[i].marks)
      m_marks->AddRecorderMarkFromRecord(int(i), m.bytes.data());

  m_alarmsShown = record.documentSwitch != 0 ? 1 : 0;
  m_currentGroup = record.currentGroup;
  SetCursorsFromTimes(record.cursors[0], record.cursors[1]);
  const vt::SGraphSettings s = vt::SGraphSettings::FromBytes(record.settings.data());
  m_backColour = s.backColour;
  m_gridColour = s.gridColour;
  m_legendShown = s.legendShown;
  m_axisClip = s.axisClip;
  m_axisGrouping = s.axisGrouping;
  m_legendMode = s.legendMode;
  m_timeScale = s.timeScale;
  m_axisLayout = s.axisLayout;
  m_traceThickness = s.traceThickness;
  m_sheetPadding = s.sheetPadding;
  m_cursorValuesShown = s.cursorValuesShown;
  // Older saved graphs carry other non-zero values; the boxes know only opaque and 70 %.
  m_cursorTransparency = s.cursorTransparency != 0 ? 70 : 0;
  m_tagMode = record.nameMode;
  m_print = vt::SPrintSettings::FromBytes(record.display.data());
  m_printComment = m_print.comment;
  UpdatePrintGroups();
  for (const SGraphMark& m : record.marks) m_marks->AddUserMarkFromRecord(m.bytes.data());

  ApplyWindowRecords(record);
  RebuildChannelMaps();
  UpdateAll(HINT_RELOADED, this);
  return true;
}

void CGVantrelDoc::ApplyWindowRecords(const SGraphConfiguration& record) {
  std::vector<SGraphWindowEntry> applied;
  std::vector<int> kinds;
  for (const SGraphWindowEntry& e : record.windows)
    if (e.viewKind >= 1 && e.viewKind <= 3 && applied.size() < m_windows.size()) {
      applied.push_back(KeepOnScreen(e));
      kinds.push_back(e.viewKind);
    }
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  // From the last to the first, so that the first record's view ends in front.
  if (host)
    for (auto it = applied.rbegin(); it != applied.rend(); ++it) host->ShowDocumentWindow(this, *it);
  if (owner_) owner_->CloseViewsExcept(kinds);
  // What the host placed is what the records hold.
  if (host && !applied.empty()) {
    const std::vector<SGraphWindowEntry> open = host->GetDocumentWindowPlacements(this);
    if (open.size() == applied.size()) applied = open;
  }
  m_windowCount = int(applied.size());
  m_windows.fill(SGraphWindowEntry{});
  std::copy(applied.begin(), applied.end(), m_windows.begin());
}

// --- saving -----------------------------------------------------------------------------------

std::string CGVantrelDoc::GetGraphName() const {
  if (!m_graphName.empty()) return m_graphName;
  return owner_ ? owner_->GetPathName() : std::string();
}

bool CGVantrelDoc::StoreGraph(const std::string& name, const GraphConfigurationHolder& holder, bool* added) {
  vt::GraphWindowHost* host = vt::GetGraphWindowHost();
  CVTGraphManager* store = host ? host->GetGraphStore() : nullptr;
  if (!store) return false;
  CVTGraphDataStorage* graphs = store->GetGraphStorage();
  *added = graphs && graphs->FindGraphId(name) < 0;
  return store->SaveGraph(name, holder);
}

bool CGVantrelDoc::SaveGraph() {
  auto holder = std::make_unique<SGraphConfiguration>();
  FillGraphConfiguration(*holder);
  bool added = false;
  const bool saved = StoreGraph(GetGraphName(), holder, &added);
  FreeGraphConfiguration(holder);
  if (!saved) return false;
  if (owner_) owner_->SetModifiedFlag(false);
  // A first save under a name puts a new row into the saved-graph lists.
  if (added)
    if (vt::GraphWindowHost* host = vt::GetGraphWindowHost())
      host->NotifyListDocument(vt::kListNotifySavedGraphs);
  return true;
}

bool CGVantrelDoc::SaveGraphAs(const GraphNameAsker& askName) {
  auto holder = std::make_unique<SGraphConfiguration>();
  FillGraphConfiguration(*holder);
  std::string name = GetGraphName();
  bool saved = false;
  while (!saved && askName && askName(&name)) {
    bool added = false;
    saved = StoreGraph(name, holder, &added);
  }
  FreeGraphConfiguration(holder);
  if (!saved) return false;
  m_graphName = name;
  if (owner_) {
    owner_->SetPathName(name, false);
    owner_->SetModifiedFlag(false);
  }
  return true;
}

// --- the display settings dialog's record ----------------------------------------------------------

bool CGVantrelDoc::ApplyDisplaySettings(SGraphConfiguration& record, bool messageGroupsChanged,
                                        uint64_t removedGroups) {
  m_batchesInUse.clear();
  CVTBatchLoader loader;
  AddConfigurationBatches(record, &loader);
  record.currentGroup = 0;
  if (!RestoreGroups(record)) {
    RebuildChannelMaps();
    UpdateAll(HINT_RELOADED, this);
    return false;
  }
  if (messageGroupsChanged) {
    m_marks->DeleteRecorderMarks();
    for (int i = 0; i < GROUP_COUNT; ++i) {
      CGVantrelGroupData* g = GetGroup(i);
      for (int j = 0; j < g->GetChannelCount(); ++j)
        if (CGVantrelNgChannel* c = g->GetChannel(j))
          m_marks->LoadMarksForGroupMask(i, c->GetMarkGroupMask(), c->GetBatchGuid());
    }
  }
  if (removedGroups != 0) m_marks->RemoveGroups(removedGroups, !messageGroupsChanged);
  SetModified();
  RebuildChannelMaps();
  UpdateAll(HINT_RELOADED, this);
  return true;
}

// Loading channels into a graph document's groups (see CGVantrelDoc.h).
//
// Each entry loads into the next group that holds no channels, so the loaded groups stay
// contiguous from group 0, which is what a saved graph counts on: it keeps the first n groups,
// n being the number of groups with data. An entry refused at message 10105 leaves its group
// empty, and the next entry fills it.
#include <cstdint>

#include "document/CGVantrelDoc.h"
#include "msgdesk/Msgdesk.h"
#include "platform/gui/MessageBox.h"
#include "store/CVTBatchCache.h"

namespace {

// Acquires the batches of the keys, so that they stay open while their channels bind.
void HoldBatches(CVTBatchLoader* loader, const std::vector<vt::SVantrelChannelKey>& keys) {
  for (const vt::SVantrelChannelKey& key : keys) {
    vt::Guid guid;
    if (key.batchGuid.size() <= 40 && vt::Guid::Parse(key.batchGuid, guid)) loader->AddBatch(guid);
  }
}

}  // namespace

bool CGVantrelDoc::AddGroups(const std::vector<vt::SVantrelGroupEntry>& entries, std::optional<TickTime> a,
                             std::optional<TickTime> b) {
  const int used = CountGroupsWithData();
  int count = int(entries.size());
  if (used + count > GROUP_COUNT) {
    // Cancel leaves the window as it was, its cursors included.
    if (DisplayMessage(MainWindow(), 10116, vt::kMbOkCancel) != vt::kIdOk) return false;
    count = GROUP_COUNT - used;
  }
  SetCursors(a, b);
  CVTBatchLoader loader;
  for (int j = 0; j < count; ++j) HoldBatches(&loader, entries[std::size_t(j)].keys);
  m_marks->SetKeyMapSwitch(true);
  m_marks->RebuildKeyMap();

  bool ok = true;
  int target = 0;
  for (int j = 0; j < count && ok; ++j) {
    while (target < GROUP_COUNT && GetGroup(target)->GetChannelCount() > 0) ++target;
    if (target == GROUP_COUNT) break;
    CGVantrelGroupData* g = GetGroup(target);
    const vt::SVantrelGroupEntry& entry = entries[std::size_t(j)];
    if (entry.name) g->SetName(*entry.name);
    if (!g->LoadEntry(entry, MainWindow())) {
      DisplayMessage(MainWindow(), 10212, vt::kMbOk);
      ok = false;
    } else if (g->GetChannelCount() > 0) {
      m_marks->LoadMarksForTags(target, entry.messageGroups);
    }
    // A group left empty keeps its own name for the entry that fills it next.
    if (g->GetChannelCount() == 0) g->SetNumber(target + 1);
  }
  m_marks->SetKeyMapSwitch(false);
  // Groups loaded before a failure stay, and the views are told about them.
  if (ok || CountGroupsWithData() > used) {
    SetCurrentPrintRange();
    FinishLoad(AdjustTimeScale(), HINT_RELOADED);
  }
  return ok;
}

bool CGVantrelDoc::AddToCurrentGroup(const std::vector<vt::SVantrelChannelKey>& keys,
                                     std::optional<TickTime> position, std::optional<TickTime> a,
                                     std::optional<TickTime> b) {
  CVTBatchLoader loader;
  HoldBatches(&loader, keys);
  CGVantrelGroupData* g = GetCurrentGroup();
  if (!g) return false;
  const bool ok = g->AddChannels(keys, MainWindow());
  if (ok) SetCursors(a, b);
  SetCurrentPrintRange();
  if (!ok) return false;
  if (position) m_timePosition = *position;
  FinishLoad(AdjustTimeScale(), position ? HINT_TIME_POSITION : HINT_RELOADED);
  return true;
}

void CGVantrelDoc::FinishLoad(bool scaleChanged, int hint) {
  if (graphView_) graphView_->StoreGraphState();
  SetModified();
  RebuildChannelMaps();
  UpdateAll(hint, this);
  if (hint == HINT_RELOADED && HasCursor()) UpdateAll(HINT_CURSOR_B, this);
  if (scaleChanged) DisplayMessage(MainWindow(), 10021, vt::kMbOk);
}

// CListDoc: the model behind the Search pane's report list.
//
// It holds which catalogue list is shown, the search condition that filters it, the rows the last
// query returned (compact, see CListRows), the current and selected rows, and one report-column
// set per list kind, kept in the user's profile. It turns the list kind and the condition into
// one catalogue query, formats every cell as text on demand (times in the display time zone), and
// carries out what the main frame's commands start on the selected rows: moving files to the
// deleted data, emptying or restoring it, deleting and renaming saved search conditions and
// saved graphs, and loading a saved condition. Observers (the report list, the property pane)
// learn of changes through LIST_NOTIFY codes.
//
// Qt-free; user-interface thread only. The search pane, the navigation and the report list write
// the condition and selection members directly.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CListRows.h"
#include "app/CReportColumnSet.h"
#include "app/CSubject.h"
#include "app/ListKinds.h"
#include "store/CatalogueQueries.h"

namespace vt {
class Profile;
}

namespace vt {

// The column layout of one list kind, indexed by column id.
struct SColumnLayout {
  std::vector<std::string> captions;
  std::vector<uint8_t> visible;
  std::vector<int> order;
  std::vector<int> widths;
  int Count() const { return int(captions.size()); }
};

}  // namespace vt

class CListDoc : public CSubject {
 public:
  // The most rows a list shows.
  static constexpr int kMaxItems = 100000;
  // FetchRows results.
  enum : int { FETCH_ROW = 0, FETCH_END = 1, FETCH_LIMIT = 2 };

  // Where the catalogue is read: asked at every query and action, as the current storage and its
  // stores change while the document lives.
  using SourcesFn = std::function<vt::CatalogueSources()>;
  // The file operations on stored and deleted files, given the relative paths; false when any
  // file failed. The application's batch operations (with their questions, progress and log)
  // go here; unset ones run on the storage directly.
  struct FileOperations {
    std::function<bool(const std::vector<std::string>&)> moveToTrash, purge, restore;
  };

  // Without a profile the layouts are the defaults and are not kept; a profile must outlive the
  // document. sources defaults to the
  // application's current storage and stores.
  explicit CListDoc(vt::Profile* profile, SourcesFn sources = {});
  // Writes the column layouts to the profile.
  ~CListDoc() override;

  void SetFileOperations(FileOperations operations) { m_fileOperations = std::move(operations); }

  // Query: PrepareQuery, then FetchRows until it returns non-zero.
  bool PrepareQuery();
  int FetchRows();
  // Whether the last fill stopped at the row limit.
  bool LastFillCapped() const { return m_lastFetch == FETCH_LIMIT; }
  int GetItemCount() const { return m_items.Count(); }
  size_t GetRowMemory() const { return m_items.MemoryBytes(); }

  // The text of column (a column id of the list kind) in row; empty outside the rows.
  std::string GetCellText(int row, int column) const;
  // The row image of the list kind, -1 without one.
  int GetRowImage() const;
  // A click on column's header: the new sort order (1 ascending, 2 descending).
  int ToggleSort(int column);

  // Columns of the current list kind; false when there is none.
  bool GetColumnLayout(vt::SColumnLayout& layout) const;
  void SetColumnLayout(const vt::SColumnLayout& layout);
  CReportColumnSet* GetColumnSet();

  // Row accessors: empty text, 0 or -1 for a row outside the rows or a field the list kind does
  // not fill.
  std::string GetItemBatchGuid(int row) const;
  int64_t GetItemStartTime(int row) const;
  int64_t GetItemStopTime(int row) const;
  int64_t GetItemMessageTime(int row) const;
  int64_t GetItemMessageId(int row) const;
  int64_t GetItemFileId(int row) const;
  std::string GetItemTagName(int row) const;
  std::string GetItemTagNo(int row) const;
  std::string GetItemChannelName(int row) const;
  std::string GetItemInstrumentName(int row) const;
  std::string GetItemInstrumentType(int row) const;
  std::string GetItemBatchName(int row) const;
  std::string GetItemGroupName(int row) const;
  std::string GetItemMessageText(int row) const;
  std::string GetItemUserName(int row) const;
  std::string GetItemWriteGroupText(int row) const;
  std::string GetItemFileName(int row) const;
  std::string GetItemFilePath(int row) const;
  std::string GetItemSerialNo(int row) const;
  std::string GetItemGraphName(int row) const;
  std::string GetItemConditionName(int row) const;
  std::string GetItemStartTimeText(int row) const;
  std::string GetItemStopTimeText(int row) const;
  std::string GetItemAlarmTimeText(int row) const;
  std::string GetItemMessageTimeText(int row) const;
  std::string GetItemIntervalText(int row) const;
  std::string GetItemDataKindText(int row) const;
  // The display group's number (list kind 3), -1 otherwise.
  int GetItemGroupNo(int row) const;
  // The channel number of a tag or alarm row (0 for all channels of the batch), -1 otherwise.
  int GetItemChannelNo(int row) const;
  // The alarm's time of an alarm row (FILETIME ticks, UTC), 0 otherwise.
  int64_t GetItemAlarmTime(int row) const;
  std::string GetItemPowerFailureText(int row) const;
  std::string GetItemAlarmStatusText(int row) const;
  std::string GetItemAlarmTypeText(int row) const;
  std::string GetItemAlarmLevelText(int row) const;

  // Actions on the selected rows (collected through LIST_NOTIFY_SELECTION first).
  bool MoveSelectionToTrash();
  void PurgeTrash(bool all);
  void RestoreTrashSelection();
  void DeleteSavedConditions();
  void DeleteSavedGraphs();
  void RenameSavedGraph(const std::string& newName);
  void RenameSavedCondition(const std::string& newName);
  bool LoadSavedCondition();
  // The properties of a graph window's selected channel, for the property pane.
  void SetSelectedChannel(const std::array<uint8_t, 16>& batchGuid, int channelNo);
  // Clears the selection and asks the observers for it.
  void CollectSelection();

  // Shown list and search condition.
  int m_listKind = LIST_KIND_NONE;
  int m_timeCondition = TIME_NONE;
  int64_t m_fromTime = 0, m_toTime = 0;  // FILETIME ticks, UTC
  int m_relativeValue = 1;
  int m_relativeUnit = RELATIVE_HOUR;
  int m_stringTarget = 0;
  std::string m_targetString;
  int m_alarmKind = 0;
  std::string m_instSerialNo;
  int64_t m_searchTime = 0;  // when the condition was put into force
  bool m_conditionsOn = false;
  int m_sortOrder = 0;  // 0 unsorted, 1 ascending, 2 descending
  int m_sortColumn = -1;
  int m_currentItem = -1;
  int m_selectedCount = 0;
  std::vector<int> m_selection;
  bool m_conditionLoaded = false;

  // The selected channel's properties: tag name, tag number, channel name, start, stop, interval,
  // instrument name and type, data kind, power failure, batch name, batch identifier.
  std::array<std::string, 12> m_channelProperties;
  int m_channelNo = 0;

  // Where the catalogue is read now (the property pane's lookups read there too).
  vt::CatalogueSources Sources() const;

 private:
  bool ValidRow(int row) const { return row >= 0 && row < m_items.Count(); }
  std::string RowText(int row, int field) const;
  // The texts of every selected row's field.
  std::vector<std::string> SelectedTexts(int field) const;
  // A renamed row's new name.
  void ReplaceRowText(int row, int field, const std::string& text);

  SourcesFn m_sources;
  FileOperations m_fileOperations;
  vt::CListRows m_items;
  std::vector<std::unique_ptr<CReportColumnSet>> m_columnSets;  // kinds 1-9 at 0-8
  CatalogueCursor m_cursor;
  int m_lastFetch = FETCH_END;
};

// Times of the catalogue lists: a UTC FILETIME in the display time zone as
// "YYYY/MM/DD hh:mm:ss.mmm". (Sampling intervals are written by the graph document's
// FormatInterval, which the program links once.)
std::string FormatListTime(int64_t ticks);

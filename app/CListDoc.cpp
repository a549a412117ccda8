// The list document (see CListDoc.h).
#include "app/CListDoc.h"

#include <cassert>
#include <cstdio>

#include "app/CVantrelApp.h"
#include "document/CGVantrelDoc.h"
#include "msgdesk/Msgdesk.h"
#include "platform/base/Guid.h"
#include "platform/base/TimeEngine.h"
#include "platform/gui/Application.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/WaitCursor.h"
#include "recorder/SharedTimeZone.h"
#include "store/CatalogueLookups.h"
#include "store/SearchConditionStore.h"
#include "store/StoreClock.h"
#include "store/VTDataStorage.h"
#include "store/VTGraphManager.h"

namespace {

// Messages of the actions.
constexpr int kMsgDeleteTrash = 10002;
constexpr int kMsgDeleteGraph = 10003;
constexpr int kMsgMoveToTrash = 10018;
constexpr int kMsgDeleteConditions = 10019;
constexpr int kMsgUsedByGraph = 10110;
constexpr int kMsgInstrumentGone = 10111;
constexpr int kMsgDuplicateName = 10115;

// The text fields each list kind fills, in slot order (kinds 0-9).
constexpr int kNoField = -1;
constexpr int kKindFields[10][SListItem::kTextSlots] = {
    {kNoField, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField},
    {vt::TEXT_TAG_NAME, vt::TEXT_TAG_NO, vt::TEXT_CHANNEL_NAME, vt::TEXT_INSTRUMENT_NAME,
     vt::TEXT_RECORDER_TYPE, vt::TEXT_BATCH_NAME, vt::TEXT_BATCH_GUID, vt::TEXT_SERIAL_NO},
    {vt::TEXT_TAG_NAME, vt::TEXT_TAG_NO, vt::TEXT_CHANNEL_NAME, vt::TEXT_INSTRUMENT_NAME,
     vt::TEXT_RECORDER_TYPE, vt::TEXT_BATCH_NAME, vt::TEXT_BATCH_GUID, vt::TEXT_SERIAL_NO},
    {vt::TEXT_GROUP_NAME, vt::TEXT_INSTRUMENT_NAME, vt::TEXT_RECORDER_TYPE, vt::TEXT_BATCH_NAME,
     vt::TEXT_BATCH_GUID, vt::TEXT_SERIAL_NO, kNoField, kNoField},
    {vt::TEXT_MESSAGE_TEXT, vt::TEXT_USER_NAME, vt::TEXT_WRITE_GROUP_TEXT, vt::TEXT_INSTRUMENT_NAME,
     vt::TEXT_RECORDER_TYPE, vt::TEXT_BATCH_NAME, vt::TEXT_BATCH_GUID, vt::TEXT_SERIAL_NO},
    {vt::TEXT_FILE_NAME, vt::TEXT_INSTRUMENT_NAME, vt::TEXT_RECORDER_TYPE, vt::TEXT_BATCH_NAME,
     vt::TEXT_BATCH_GUID, vt::TEXT_SERIAL_NO, kNoField, kNoField},
    {vt::TEXT_INSTRUMENT_NAME, vt::TEXT_RECORDER_TYPE, vt::TEXT_BATCH_NAME, vt::TEXT_BATCH_GUID,
     vt::TEXT_SERIAL_NO, kNoField, kNoField, kNoField},
    {vt::TEXT_FILE_NAME, vt::TEXT_FILE_PATH, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField},
    {vt::TEXT_CONDITION_NAME, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField},
    {vt::TEXT_GRAPH_NAME, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField, kNoField},
};

int SlotOf(int listKind, int field) {
  if (listKind < 0 || listKind > kListKindCount) return -1;
  for (int s = 0; s < SListItem::kTextSlots; ++s)
    if (kKindFields[listKind][s] == field) return s;
  return -1;
}

const std::string& CatalogueText(const CatalogueRow& row, int field) {
  switch (field) {
    case vt::TEXT_TAG_NAME:
      return row.tagName;
    case vt::TEXT_TAG_NO:
      return row.tagNo;
    case vt::TEXT_CHANNEL_NAME:
      return row.channelName;
    case vt::TEXT_INSTRUMENT_NAME:
      return row.instrumentName;
    case vt::TEXT_RECORDER_TYPE:
      return row.recorderType;
    case vt::TEXT_BATCH_NAME:
      return row.batchName;
    case vt::TEXT_FILE_NAME:
      return row.fileName;
    case vt::TEXT_MESSAGE_TEXT:
      return row.messageText;
    case vt::TEXT_USER_NAME:
      return row.userName;
    case vt::TEXT_WRITE_GROUP_TEXT:
      return row.writeGroupText;
    case vt::TEXT_GROUP_NAME:
      return row.groupName;
    case vt::TEXT_BATCH_GUID:
      return row.batchGuid;
    case vt::TEXT_SERIAL_NO:
      return row.serialNo;
    case vt::TEXT_FILE_PATH:
      return row.filePath;
    case vt::TEXT_GRAPH_NAME:
      return row.graphName;
    default:
      assert(field == vt::TEXT_CONDITION_NAME);
      return row.conditionName;
  }
}

// Which kinds keep start and stop in time1 and time2.
bool HasStartStop(int listKind) {
  return listKind == LIST_KIND_TAG || listKind == LIST_KIND_DISPLAY_GROUP || listKind == LIST_KIND_FILE ||
         listKind == LIST_KIND_BATCH;
}

// 100-ns steps of an hour, a day, a month of 31 days and a year of 365 days.
constexpr int64_t kUnitTicks[] = {36000000000LL, 864000000000LL, 26784000000000LL, 315360000000000LL};

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n\f\v";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

int Ask(int key, uint32_t buttons) {
  vt::Application* loop = vt::Application::Current();
  return DisplayMessage(loop ? loop->MainWindow() : 0, key, buttons);
}

bool RunOnStorage(CVTDataStorage* storage, const std::vector<std::string>& paths,
                  const std::function<int(CVTDataStorage&, const std::string&)>& step) {
  if (!storage) return paths.empty();
  bool ok = true;
  for (const std::string& path : paths) ok = step(*storage, path) == STORE_OK && ok;
  return ok;
}

}  // namespace

std::string FormatListTime(int64_t ticks) {
  vt::FileTime display;
  const vt::FileTime utc = vt::TicksToFileTime(ticks);
  UtcToDisplayFileTime(&utc, &display);
  vt::SystemTime st;
  if (!vt::FileTimeToSystemTime(display, &st)) return {};
  char text[48];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d.%03d", st.wYear, st.wMonth, st.wDay,
                st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return text;
}

CListDoc::CListDoc(vt::Profile* profile, SourcesFn sources) : m_sources(std::move(sources)) {
  for (int kind = 1; kind <= kListKindCount; ++kind)
    m_columnSets.push_back(std::make_unique<CReportColumnSet>(kind, profile));
}

CListDoc::~CListDoc() = default;

vt::CatalogueSources CListDoc::Sources() const {
  if (m_sources) return m_sources();
  vt::CatalogueSources sources;
  if (CVantrelApp* app = CVantrelApp::Current()) {
    sources.storage = app->m_currentStorage;
    sources.graphs = app->m_graphManager.get();
    sources.conditions = app->m_conditionStore.get();
  }
  return sources;
}

bool CListDoc::PrepareQuery() {
  m_items.Clear();
  m_cursor.reset();
  m_lastFetch = FETCH_END;
  const vt::SListKindInfo* info = GetListKindInfo(m_listKind);
  if (!info) return false;

  const int sortKey =
      m_sortColumn >= 0 && m_sortColumn < info->columnCount ? info->columns[m_sortColumn].sortKey : 0;
  const int order = m_sortOrder == 0 ? 0 : m_sortOrder == 1 ? 1 : 2;
  std::optional<std::string> serial;
  if (!m_instSerialNo.empty()) serial = m_instSerialNo;

  std::optional<int64_t> begin, end;
  std::optional<std::string> text;
  int target = 0, alarmKind = 0;
  if (m_conditionsOn) {
    switch (m_timeCondition) {
      case TIME_RANGE:
        begin = m_fromTime, end = m_toTime;
        break;
      case TIME_RELATIVE:
        if (m_relativeUnit < RELATIVE_HOUR || m_relativeUnit > RELATIVE_YEAR) return false;
        begin = m_searchTime - int64_t(m_relativeValue) * kUnitTicks[m_relativeUnit], end = m_searchTime;
        break;
      case TIME_LAST_HOUR:
      case TIME_LAST_DAY:
      case TIME_LAST_MONTH:
      case TIME_LAST_YEAR:
        begin = m_searchTime - kUnitTicks[m_timeCondition - TIME_LAST_HOUR], end = m_searchTime;
        break;
      default:
        break;
    }
    if (m_stringTarget >= 1 && m_stringTarget <= 13) {
      target = m_stringTarget;
      m_targetString = Trim(m_targetString);
      text = m_targetString;
    }
    if (m_alarmKind >= 1 && m_alarmKind <= 8) alarmKind = m_alarmKind;
  }
  return OpenListQuery(Sources(), text, m_cursor, info->queryKind, serial, sortKey, order, begin, end, target,
                       alarmKind);
}

int CListDoc::FetchRows() {
  if (m_items.Count() >= kMaxItems) {
    m_cursor.reset();
    return m_lastFetch = FETCH_LIMIT;
  }
  int a = 0, b = 0, c = 0, d = 0;
  bool got = false;
  if (m_cursor) {
    switch (m_listKind) {
      case LIST_KIND_TAG:
        got = FetchTagListRow(m_cursor, a, b);
        break;
      case LIST_KIND_ALARM:
        got = FetchAlarmListRow(m_cursor, a, b, c, d);
        break;
      case LIST_KIND_DISPLAY_GROUP:
        got = FetchDisplayGroupListRow(m_cursor, a, b, c);
        break;
      case LIST_KIND_MESSAGE:
        got = FetchMessageListRow(m_cursor, a);
        break;
      case LIST_KIND_FILE:
        got = FetchFileListRow(m_cursor, a, b);
        break;
      case LIST_KIND_BATCH:
        got = FetchBatchListRow(m_cursor, a, b, c);
        break;
      case LIST_KIND_TRASH:
        got = FetchTrashRow(m_cursor);
        break;
      case LIST_KIND_CONDITION:
        got = FetchConditionRow(m_cursor);
        break;
      case LIST_KIND_GRAPH:
        got = FetchGraphRow(m_cursor);
        break;
      default:
        break;
    }
  }
  if (!got) {
    m_cursor.reset();
    return m_lastFetch = FETCH_END;
  }

  const CatalogueRow& src = GetCatalogueRow();
  const int index = m_items.Count();
  SListItem& row = m_items.Append();
  switch (m_listKind) {
    case LIST_KIND_TAG:
      row.dataKind = int16_t(a), row.powerFailure = int16_t(b);
      row.channelNo = src.channelNo, row.channelInterval = src.channelInterval;
      break;
    case LIST_KIND_ALARM:
      row.alarmAction = int16_t(a), row.alarmType = int16_t(b), row.alarmLevel = int16_t(c),
      row.dataKind = int16_t(d);
      row.channelNo = src.channelNo, row.time1 = src.alarmTime, row.id = src.fileId;
      break;
    case LIST_KIND_DISPLAY_GROUP:
      row.dataKind = int16_t(a), row.powerFailure = int16_t(b), row.groupNo = int16_t(c);
      break;
    case LIST_KIND_MESSAGE:
      row.dataKind = int16_t(a), row.time1 = src.messageTime, row.id = src.messageId;
      break;
    case LIST_KIND_FILE:
      row.dataKind = int16_t(a), row.powerFailure = int16_t(b), row.id = src.fileId;
      break;
    case LIST_KIND_BATCH:
      row.dataKind = int16_t(a), row.powerFailure = int16_t(b), row.loggingNo = int16_t(c);
      break;
    case LIST_KIND_TRASH:
      row.time1 = src.deletionTime;
      break;
    case LIST_KIND_CONDITION:
      row.time1 = src.saveTime;
      break;
    case LIST_KIND_GRAPH:
      row.time1 = src.editTime;
      break;
    default:
      break;
  }
  if (HasStartStop(m_listKind)) row.time1 = src.startTime, row.time2 = src.stopTime;
  for (int s = 0; s < SListItem::kTextSlots; ++s) {
    const int field = kKindFields[m_listKind][s];
    if (field != kNoField) m_items.SetText(index, s, CatalogueText(src, field), TextFieldCapacity(field));
  }
  return m_lastFetch = FETCH_ROW;
}

std::string CListDoc::RowText(int row, int field) const {
  const int slot = SlotOf(m_listKind, field);
  if (!ValidRow(row) || slot < 0) return {};
  return std::string(m_items.Text(m_items.Row(row), slot));
}

std::string CListDoc::GetCellText(int row, int column) const {
  const vt::SListKindInfo* info = GetListKindInfo(m_listKind);
  if (!info || column < 0 || column >= info->columnCount || !ValidRow(row)) return {};
  switch (info->columns[column].cellKind) {
    case CELL_TAG_NAME:
      return RowText(row, vt::TEXT_TAG_NAME);
    case CELL_TAG_NO:
      return RowText(row, vt::TEXT_TAG_NO);
    case CELL_CHANNEL_NAME:
      return RowText(row, vt::TEXT_CHANNEL_NAME);
    case CELL_START_TIME:
      return GetItemStartTimeText(row);
    case CELL_STOP_TIME:
      return GetItemStopTimeText(row);
    case CELL_INTERVAL:
      return GetItemIntervalText(row);
    case CELL_DATA_KIND:
      return GetItemDataKindText(row);
    case CELL_POWER_FAILURE:
      return GetItemPowerFailureText(row);
    case CELL_INSTRUMENT_NAME:
      return RowText(row, vt::TEXT_INSTRUMENT_NAME);
    case CELL_INSTRUMENT_TYPE:
      return RowText(row, vt::TEXT_RECORDER_TYPE);
    case CELL_BATCH_NAME:
      return RowText(row, vt::TEXT_BATCH_NAME);
    case CELL_FILE_NAME:
      return RowText(row, vt::TEXT_FILE_NAME);
    case CELL_ALARM_STATUS:
      return GetItemAlarmStatusText(row);
    case CELL_ALARM_TYPE:
      return GetItemAlarmTypeText(row);
    case CELL_ALARM_LEVEL:
      return GetItemAlarmLevelText(row);
    case CELL_ALARM_TIME:
      return GetItemAlarmTimeText(row);
    case CELL_MESSAGE_TEXT:
      return RowText(row, vt::TEXT_MESSAGE_TEXT);
    case CELL_USER_NAME:
      return RowText(row, vt::TEXT_USER_NAME);
    case CELL_MESSAGE_TIME:
      return GetItemMessageTimeText(row);
    case CELL_WRITE_GROUP_TEXT:
      return RowText(row, vt::TEXT_WRITE_GROUP_TEXT);
    case CELL_GROUP_NAME:
      return RowText(row, vt::TEXT_GROUP_NAME);
    case CELL_LOGGING_NO:
      return std::to_string(m_items.Row(row).loggingNo);
    case CELL_GRAPH_NAME:
      return RowText(row, vt::TEXT_GRAPH_NAME);
    case CELL_CONDITION_NAME:
      return RowText(row, vt::TEXT_CONDITION_NAME);
    case CELL_DELETION_TIME:
    case CELL_EDIT_TIME:
    case CELL_SAVE_TIME:
      return FormatListTime(m_items.Row(row).time1);
    default:
      return {};
  }
}

int CListDoc::GetRowImage() const {
  const vt::SListKindInfo* info = GetListKindInfo(m_listKind);
  return info ? info->rowImage : -1;
}

int CListDoc::ToggleSort(int column) {
  m_sortOrder = column == m_sortColumn ? (m_sortOrder == 1 ? 2 : 1) : 1;
  m_sortColumn = column;
  return m_sortOrder;
}

CReportColumnSet* CListDoc::GetColumnSet() {
  return m_listKind >= 1 && m_listKind <= kListKindCount ? m_columnSets[size_t(m_listKind - 1)].get()
                                                         : nullptr;
}

bool CListDoc::GetColumnLayout(vt::SColumnLayout& layout) const {
  const vt::SListKindInfo* info = GetListKindInfo(m_listKind);
  if (!info) return false;
  const CReportColumnSet& set = *m_columnSets[size_t(m_listKind - 1)];
  layout = vt::SColumnLayout{};
  for (int i = 0; i < info->columnCount; ++i)
    layout.captions.push_back(vt::LoadString(info->columns[i].captionId));
  layout.visible = set.m_visible;
  layout.order = set.m_order;
  layout.widths = set.m_width;
  return true;
}

void CListDoc::SetColumnLayout(const vt::SColumnLayout& layout) {
  CReportColumnSet* set = GetColumnSet();
  if (!set || layout.visible.size() != set->m_visible.size() || layout.order.size() != set->m_order.size() ||
      layout.widths.size() != set->m_width.size())
    return;
  set->m_visible = layout.visible;
  set->m_order = layout.order;
  set->m_width = layout.widths;
}

// Row accessors.

std::string CListDoc::GetItemBatchGuid(int row) const { return RowText(row, vt::TEXT_BATCH_GUID); }
std::string CListDoc::GetItemTagName(int row) const { return RowText(row, vt::TEXT_TAG_NAME); }
std::string CListDoc::GetItemTagNo(int row) const { return RowText(row, vt::TEXT_TAG_NO); }
std::string CListDoc::GetItemChannelName(int row) const { return RowText(row, vt::TEXT_CHANNEL_NAME); }
std::string CListDoc::GetItemInstrumentName(int row) const { return RowText(row, vt::TEXT_INSTRUMENT_NAME); }
std::string CListDoc::GetItemInstrumentType(int row) const { return RowText(row, vt::TEXT_RECORDER_TYPE); }
std::string CListDoc::GetItemBatchName(int row) const { return RowText(row, vt::TEXT_BATCH_NAME); }
std::string CListDoc::GetItemGroupName(int row) const { return RowText(row, vt::TEXT_GROUP_NAME); }
std::string CListDoc::GetItemMessageText(int row) const { return RowText(row, vt::TEXT_MESSAGE_TEXT); }
std::string CListDoc::GetItemUserName(int row) const { return RowText(row, vt::TEXT_USER_NAME); }
std::string CListDoc::GetItemWriteGroupText(int row) const { return RowText(row, vt::TEXT_WRITE_GROUP_TEXT); }
std::string CListDoc::GetItemFileName(int row) const { return RowText(row, vt::TEXT_FILE_NAME); }
std::string CListDoc::GetItemFilePath(int row) const { return RowText(row, vt::TEXT_FILE_PATH); }
std::string CListDoc::GetItemSerialNo(int row) const { return RowText(row, vt::TEXT_SERIAL_NO); }
std::string CListDoc::GetItemGraphName(int row) const { return RowText(row, vt::TEXT_GRAPH_NAME); }
std::string CListDoc::GetItemConditionName(int row) const { return RowText(row, vt::TEXT_CONDITION_NAME); }

int64_t CListDoc::GetItemStartTime(int row) const {
  return ValidRow(row) && HasStartStop(m_listKind) ? m_items.Row(row).time1 : 0;
}
int64_t CListDoc::GetItemStopTime(int row) const {
  return ValidRow(row) && HasStartStop(m_listKind) ? m_items.Row(row).time2 : 0;
}
int64_t CListDoc::GetItemMessageTime(int row) const {
  return ValidRow(row) && m_listKind == LIST_KIND_MESSAGE ? m_items.Row(row).time1 : 0;
}
int64_t CListDoc::GetItemMessageId(int row) const {
  return ValidRow(row) && m_listKind == LIST_KIND_MESSAGE ? m_items.Row(row).id : -1;
}
int64_t CListDoc::GetItemFileId(int row) const {
  if (!ValidRow(row)) return -1;
  return m_listKind == LIST_KIND_ALARM || m_listKind == LIST_KIND_FILE ? m_items.Row(row).id : 0;
}

std::string CListDoc::GetItemStartTimeText(int row) const {
  return ValidRow(row) && HasStartStop(m_listKind) ? FormatListTime(m_items.Row(row).time1) : std::string();
}
std::string CListDoc::GetItemStopTimeText(int row) const {
  return ValidRow(row) && HasStartStop(m_listKind) ? FormatListTime(m_items.Row(row).time2) : std::string();
}
std::string CListDoc::GetItemAlarmTimeText(int row) const {
  return ValidRow(row) && m_listKind == LIST_KIND_ALARM ? FormatListTime(m_items.Row(row).time1)
                                                        : std::string();
}
std::string CListDoc::GetItemMessageTimeText(int row) const {
  return ValidRow(row) && m_listKind == LIST_KIND_MESSAGE ? FormatListTime(m_items.Row(row).time1)
                                                          : std::string();
}
std::string CListDoc::GetItemIntervalText(int row) const {
  return ValidRow(row) && m_listKind == LIST_KIND_TAG ? FormatInterval(m_items.Row(row).channelInterval)
                                                      : std::string();
}

int CListDoc::GetItemGroupNo(int row) const {
  if (!ValidRow(row) || m_listKind != LIST_KIND_DISPLAY_GROUP) return -1;
  return m_items.Row(row).groupNo;
}

int CListDoc::GetItemChannelNo(int row) const {
  if (!ValidRow(row) || (m_listKind != LIST_KIND_TAG && m_listKind != LIST_KIND_ALARM)) return -1;
  return m_items.Row(row).channelNo;
}

int64_t CListDoc::GetItemAlarmTime(int row) const {
  return ValidRow(row) && m_listKind == LIST_KIND_ALARM ? m_items.Row(row).time1 : 0;
}

std::string CListDoc::GetItemDataKindText(int row) const {
  if (!ValidRow(row) || m_listKind < LIST_KIND_TAG || m_listKind > LIST_KIND_BATCH) return {};
  switch (m_items.Row(row).dataKind) {
    case 0:
      return vt::LoadString(700);
    case 1:
      return vt::LoadString(701);
    default:
      return {};
  }
}

std::string CListDoc::GetItemPowerFailureText(int row) const {
  if (!ValidRow(row) || !HasStartStop(m_listKind)) return {};
  return vt::LoadString(m_items.Row(row).powerFailure != 0 ? 703 : 702);
}

std::string CListDoc::GetItemAlarmStatusText(int row) const {
  if (!ValidRow(row) || m_listKind != LIST_KIND_ALARM) return {};
  switch (m_items.Row(row).alarmAction) {
    case 1:
      return vt::LoadString(710);
    case 2:
      return vt::LoadString(709);
    case 3:
      return vt::LoadString(711);
    default:
      return {};
  }
}

std::string CListDoc::GetItemAlarmTypeText(int row) const {
  if (!ValidRow(row) || m_listKind != LIST_KIND_ALARM) return {};
  // Stored types 1-8: High, Low, Delta High, Delta Low, Rate High, Rate Low, Delay High, Delay Low.
  static constexpr uint32_t kTypeText[] = {712, 713, 718, 719, 716, 717, 714, 715};
  const int type = m_items.Row(row).alarmType;
  return type >= 1 && type <= 8 ? vt::LoadString(kTypeText[type - 1]) : std::string();
}

std::string CListDoc::GetItemAlarmLevelText(int row) const {
  if (!ValidRow(row) || m_listKind != LIST_KIND_ALARM) return {};
  const int level = m_items.Row(row).alarmLevel;
  return level <= 0 ? vt::LoadString(3154) : "L" + std::to_string(level);
}

// Actions.

void CListDoc::CollectSelection() {
  m_selection.clear();
  Notify(LIST_NOTIFY_SELECTION);
}

std::vector<std::string> CListDoc::SelectedTexts(int field) const {
  std::vector<std::string> texts;
  for (int row : m_selection)
    if (ValidRow(row)) texts.push_back(RowText(row, field));
  return texts;
}

bool CListDoc::MoveSelectionToTrash() {
  if (m_listKind != LIST_KIND_FILE) return false;
  if (Ask(kMsgMoveToTrash, vt::kMbOkCancel) != vt::kIdOk) return true;
  CollectSelection();
  vt::ScopedWaitCursor wait;
  const vt::CatalogueSources sources = Sources();
  bool ok = true, usedByGraph = false;
  std::vector<std::string> paths;
  for (int row : m_selection) {
    if (!ValidRow(row)) continue;
    if (IsBatchInSavedGraph(sources, GetItemBatchGuid(row))) {
      usedByGraph = true;
      continue;
    }
    std::string path;
    if (GetFilePath(sources, GetItemFileId(row), path))
      paths.push_back(path);
    else
      ok = false;
  }
  if (!paths.empty()) {
    if (m_fileOperations.moveToTrash)
      m_fileOperations.moveToTrash(paths);
    else
      RunOnStorage(sources.storage, paths,
                   [](CVTDataStorage& s, const std::string& p) { return s.MoveFileToTrash(p); });
  }
  Notify(LIST_NOTIFY_CHANGED);
  if (usedByGraph) Ask(kMsgUsedByGraph, vt::kMbOk);
  return ok;
}

void CListDoc::PurgeTrash(bool all) {
  if (m_listKind != LIST_KIND_TRASH) return;
  if (Ask(kMsgDeleteTrash, vt::kMbOkCancel) != vt::kIdOk) return;
  if (!all) CollectSelection();
  vt::ScopedWaitCursor wait;
  auto purge = [this](const std::vector<std::string>& paths) {
    if (m_fileOperations.purge) return m_fileOperations.purge(paths);
    return RunOnStorage(Sources().storage, paths,
                        [](CVTDataStorage& s, const std::string& p) { return s.PurgeFile(p); });
  };
  if (!all) {
    purge(SelectedTexts(vt::TEXT_FILE_PATH));
  } else {
    // The list holds at most kMaxItems rows, but the user asked for all of the deleted data:
    // while the list was cut at the limit, list again and go on, as long as a round changes
    // what the list starts with.
    for (;;) {
      std::vector<std::string> paths;
      for (int row = 0; row < m_items.Count(); ++row) paths.push_back(RowText(row, vt::TEXT_FILE_PATH));
      const bool capped = LastFillCapped();
      purge(paths);
      if (!capped || paths.empty() || !PrepareQuery()) break;
      while (FetchRows() == FETCH_ROW) {
      }
      if (m_items.Count() == 0 || RowText(0, vt::TEXT_FILE_PATH) == paths.front()) break;
    }
  }
  Notify(LIST_NOTIFY_CHANGED);
}

void CListDoc::RestoreTrashSelection() {
  if (m_listKind != LIST_KIND_TRASH) return;
  CollectSelection();
  vt::ScopedWaitCursor wait;
  const std::vector<std::string> paths = SelectedTexts(vt::TEXT_FILE_PATH);
  if (m_fileOperations.restore)
    m_fileOperations.restore(paths);
  else
    RunOnStorage(Sources().storage, paths,
                 [](CVTDataStorage& s, const std::string& p) { return s.RestoreFile(p, nullptr); });
  Notify(LIST_NOTIFY_CHANGED);
}

void CListDoc::DeleteSavedConditions() {
  if (m_listKind != LIST_KIND_CONDITION) return;
  if (Ask(kMsgDeleteConditions, vt::kMbOkCancel) != vt::kIdOk) return;
  CollectSelection();
  if (CSearchConditionStore* store = Sources().conditions)
    for (const std::string& name : SelectedTexts(vt::TEXT_CONDITION_NAME)) store->Delete(name);
  Notify(LIST_NOTIFY_CHANGED);
}

void CListDoc::DeleteSavedGraphs() {
  if (m_listKind != LIST_KIND_GRAPH) return;
  if (Ask(kMsgDeleteGraph, vt::kMbOkCancel) != vt::kIdOk) return;
  CollectSelection();
  CVTGraphManager* graphs = Sources().graphs;
  CVTGraphDataStorage* store = graphs ? graphs->GetGraphStorage() : nullptr;
  if (store && store->GetConnection()) {
    for (const std::string& name : SelectedTexts(vt::TEXT_GRAPH_NAME)) {
      const int64_t id = store->FindGraphId(name);
      if (id > 0) store->DeleteGraph(id);
    }
  }
  Notify(LIST_NOTIFY_CHANGED);
}

void CListDoc::ReplaceRowText(int row, int field, const std::string& text) {
  const int slot = SlotOf(m_listKind, field);
  if (!ValidRow(row) || slot < 0) return;
  // Not shared with the row before: that one keeps its own text.
  m_items.Row(row).text[size_t(slot)] = 0;
  m_items.SetText(row, slot, text, TextFieldCapacity(field));
}

void CListDoc::RenameSavedGraph(const std::string& newName) {
  if (m_listKind != LIST_KIND_GRAPH) return;
  CollectSelection();
  if (m_selection.empty() || !ValidRow(m_selection.front())) return;
  const int row = m_selection.front();
  const std::string oldName = RowText(row, vt::TEXT_GRAPH_NAME);
  const vt::CatalogueSources sources = Sources();
  // Graphs are found, loaded and deleted by name: a second graph of one name could never be
  // reached again, so any other graph of the new name refuses the rename.
  if (newName != oldName && GraphNameExists(sources, newName) >= 1) {
    Ask(kMsgDuplicateName, vt::kMbOk);
    return;
  }
  CVTGraphDataStorage* store = sources.graphs ? sources.graphs->GetGraphStorage() : nullptr;
  if (!store) return;
  const int64_t id = store->FindGraphId(oldName);
  if (id > 0 && store->RenameGraph(id, newName)) ReplaceRowText(row, vt::TEXT_GRAPH_NAME, newName);
}

void CListDoc::RenameSavedCondition(const std::string& newName) {
  if (m_listKind != LIST_KIND_CONDITION) return;
  CollectSelection();
  if (m_selection.empty() || !ValidRow(m_selection.front())) return;
  const int row = m_selection.front();
  const std::string oldName = RowText(row, vt::TEXT_CONDITION_NAME);
  if (newName == oldName) return;
  const vt::CatalogueSources sources = Sources();
  if (ConditionNameExists(sources, newName) >= 1) {
    Ask(kMsgDuplicateName, vt::kMbOk);
    return;
  }
  if (sources.conditions && sources.conditions->Rename(oldName, newName))
    ReplaceRowText(row, vt::TEXT_CONDITION_NAME, newName);
}

bool CListDoc::LoadSavedCondition() {
  if (m_listKind != LIST_KIND_CONDITION || m_selectedCount == 0) return false;
  CollectSelection();
  if (m_selection.size() != 1 || !ValidRow(m_selection.front())) return false;
  const vt::CatalogueSources sources = Sources();
  vt::SSearchCondition saved;
  if (!sources.conditions ||
      !sources.conditions->Get(RowText(m_selection.front(), vt::TEXT_CONDITION_NAME), saved))
    return false;
  if (!saved.serialNo.empty() && !InstrumentExists(sources, saved.serialNo)) {
    Ask(kMsgInstrumentGone, vt::kMbOk);
    return false;
  }
  m_timeCondition = saved.timeCondition;
  if (saved.timeCondition == TIME_RANGE) m_fromTime = saved.fromTime, m_toTime = saved.toTime;
  if (saved.timeCondition == TIME_RELATIVE)
    m_relativeValue = saved.relativeValue, m_relativeUnit = saved.relativeUnit;
  m_stringTarget = saved.stringTarget;
  m_targetString = saved.targetString;
  if (saved.listKind == LIST_KIND_ALARM) m_alarmKind = saved.alarmKind;
  m_searchTime = CurrentTickTime().ticks;
  m_conditionLoaded = true;
  return true;
}

void CListDoc::SetSelectedChannel(const std::array<uint8_t, 16>& batchGuid, int channelNo) {
  const std::string guid = vt::Guid::FromBytes(batchGuid.data()).ToText();
  vt::SChannelTagRow tag;
  if (!GetChannelTagRow(Sources(), guid, channelNo, tag)) {
    Notify(LIST_NOTIFY_CHANGED);
    return;
  }
  const std::string dataKind = tag.dataKind == 0   ? vt::LoadString(700)
                               : tag.dataKind == 1 ? vt::LoadString(701)
                                                   : std::string();
  m_channelProperties = {tag.tagName,
                         tag.tagNo,
                         tag.channelName,
                         FormatListTime(tag.startTime),
                         FormatListTime(tag.stopTime),
                         FormatInterval(tag.channelInterval),
                         tag.instrumentName,
                         tag.recorderType,
                         dataKind,
                         vt::LoadString(tag.powerFailure > 0 ? 703 : 702),
                         tag.batchName,
                         guid};
  m_channelNo = channelNo;
  Notify(LIST_NOTIFY_CHANNEL);
}

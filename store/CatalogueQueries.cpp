// The catalogue list queries (see CatalogueQueries.h).
#include "store/CatalogueQueries.h"

#include <cassert>

#include "store/SearchConditionStore.h"
#include "store/SqlText.h"
#include "store/VTDataStorage.h"
#include "store/VTGraphManager.h"

namespace {

const char* BaseStatement(int kind) {
  switch (kind) {
    case LIST_INSTRUMENTS:
      return "SELECT * FROM instrument";
    case LIST_TAGS:
      return "SELECT * FROM tag_list";
    case LIST_ALARMS:
      return "SELECT * FROM alarm_list";
    case LIST_DISPLAY_GROUPS:
      return "SELECT * FROM display_group_list";
    case LIST_MESSAGES:
      return "SELECT * FROM message_list";
    case LIST_FILES:
      return "SELECT * FROM file_list";
    case LIST_BATCHES:
      return "SELECT * FROM batch_list";
    case LIST_TRASH:
      return "SELECT * FROM trash";
    case LIST_GRAPHS:
      return "SELECT * FROM graph_table";
    case LIST_CONDITIONS:
      return "SELECT * FROM condition";
    default:
      return nullptr;
  }
}

// The column a keyword target matches; null for targets that are resolved first or unknown.
const char* TargetColumn(int target) {
  switch (target) {
    case SEARCH_TAG_NAME:
      return "tag_name";
    case SEARCH_TAG_NO:
      return "tag_no";
    case SEARCH_CHANNEL_NAME:
      return "channel_name";
    case SEARCH_BATCH_NAME:
      return "batch_name";
    case SEARCH_GROUP_NAME:
      return "group_name";
    case SEARCH_MESSAGE_TEXT:
      return "message_text";
    case SEARCH_USER_NAME:
      return "user_name";
    case SEARCH_FILE_NAME:
      return "file_name";
    case SEARCH_GRAPH_NAME:
      return "graph_name";
    case SEARCH_BATCH_GUID:
      return "cont_data_guid";
    default:
      return nullptr;
  }
}

const char* SortColumn(int code) {
  static constexpr const char* kColumns[] = {
      nullptr,
      "tag_name",
      "tag_no",
      "channel_no",
      "start_time",
      "stop_time",
      "start_time",
      "end_time",
      "channel_interval",
      "data_kind",
      "power_failure",
      "instrument_name",
      "recorder_type",
      "batch_name",
      "file_name",
      "alarm_action",
      "alarm_type",
      "alarm_level",
      "alarm_time",
      "message_text",
      "user_name",
      "message_time",
      "message_write_group_text",
      "group_name",
      "logging_no",
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      "del_time",
      "graph_name",
      "edit_time",
      "name",
      "save_time",
  };
  return code > 0 && code < int(std::size(kColumns)) ? kColumns[code] : nullptr;
}

const char* AlarmCondition(int filter) {
  static constexpr const char* kConditions[] = {
      nullptr,           " alarm_type = 1", " alarm_type = 2", " alarm_type = 7", " alarm_type = 8",
      " alarm_type = 5", " alarm_type = 6", " alarm_type = 3", " alarm_type = 4",
  };
  return filter > 0 && filter < int(std::size(kConditions)) ? kConditions[filter] : nullptr;
}

bool HasBackslash(const std::string& s) { return s.find('\\') != std::string::npos; }

// The time condition of a list, filled with begin and end; empty for lists without times.
std::string TimeCondition(int kind, int64_t begin, int64_t end) {
  const std::string b = std::to_string(begin), e = std::to_string(end);
  auto overlap = [&](const char* stop) {
    return " ( " + b + " BETWEEN start_time AND " + stop + " OR " + e + " BETWEEN start_time AND " + stop +
           " OR start_time BETWEEN " + b + " AND " + e + " OR " + stop + " BETWEEN " + b + " AND " + e + " )";
  };
  switch (kind) {
    case LIST_TAGS:
    case LIST_DISPLAY_GROUPS:
    case LIST_BATCHES:
      return overlap("stop_time");
    case LIST_FILES:
      return overlap("end_time");
    case LIST_ALARMS:
      return " ( alarm_time BETWEEN " + b + " AND " + e + " )";
    case LIST_MESSAGES:
      return " ( message_time BETWEEN " + b + " AND " + e + " )";
    case LIST_GRAPHS:
      return " ( edit_time BETWEEN " + b + " AND " + e + " )";
    default:
      return {};
  }
}

// A cursor on a connection; null without one.
CatalogueCursor CursorOn(CRDBConnection* connection) {
  auto statement = connection ? connection->CreateStatement() : nullptr;
  return statement ? std::make_unique<CVTTable>(std::move(statement)) : nullptr;
}

// "<column> LIKE '%kw%' " for every keyword joined by "AND ", each followed by the escape clause
// when its keyword needs it.
std::string ContainsAll(const char* column, const std::vector<std::string>& keywords) {
  std::string out;
  for (std::size_t i = 0; i < keywords.size(); ++i) {
    if (i > 0) out += "AND ";
    out += std::string(column) + " LIKE '%" + keywords[i] + "%' ";
    if (HasBackslash(keywords[i])) out += " ESCAPE '\\'";
  }
  return out;
}

// Runs a statement that yields one text column and hands every row's text to the sink. False when
// the statement or a step fails or a text cannot be read.
template <typename Sink>
bool CollectTexts(CatalogueCursor cursor, const std::string& sql, Sink sink) {
  if (!cursor || cursor->Prepare(sql) != STORE_OK || cursor->Execute() != STORE_OK) return false;
  std::string text;
  return ForEachCatalogueRow(*cursor, [&] {
    if (cursor->GetText(0, text) != STORE_OK) return false;
    sink(text);
    return true;
  });
}

std::vector<std::string> FindGraphs(const vt::CatalogueSources& sources, const std::string& sql) {
  std::vector<std::string> names;
  if (!CollectTexts(vt::NewGraphCursor(sources), sql, [&](const std::string& t) { names.push_back(t); }))
    names.clear();
  return names;
}

// The names as a search text of quoted keywords, one blank between them.
template <typename Names>
std::string QuotedList(const Names& names) {
  std::string out;
  for (const std::string& n : names) {
    if (!out.empty()) out += ' ';
    out += '"' + n + '"';
  }
  return out;
}

void FreeCursor(CatalogueCursor& cursor) {
  if (cursor) cursor->Finalize();
  cursor.reset();
}

// What the last row fetch met (see GetLastFetchResult); user-interface thread only, as the row
// record is.
int lastFetchResult = STORE_OK;

// Reads the listed columns of the next row; frees the cursor at the end of the rows or on failure,
// and keeps which of the two it was.
class RowReader {
 public:
  explicit RowReader(CatalogueCursor& cursor) : cursor_(cursor) {
    lastFetchResult = cursor_ ? cursor_->Fetch() : STORE_FAILED;
  }
  RowReader& Text(int column, std::string& out) {
    if (Good()) Check(cursor_->GetText(column, out));
    return *this;
  }
  RowReader& Int64(int column, int64_t& out) {
    if (Good()) Check(cursor_->GetInt64(column, out));
    return *this;
  }
  RowReader& Int(int column, int& out) {
    if (Good()) Check(cursor_->GetInt(column, out));
    return *this;
  }
  bool Done() {
    if (!Good()) FreeCursor(cursor_);
    return Good();
  }

 private:
  // Columns are read while the row and every column before read well; the first failing read
  // is what the fetch met.
  bool Good() const { return lastFetchResult == STORE_ROW; }
  void Check(int readResult) {
    if (readResult != STORE_OK) lastFetchResult = readResult;
  }

  CatalogueCursor& cursor_;
};

}  // namespace

CatalogueCursor vt::NewIndexCursor(const CatalogueSources& s) {
  return s.storage && s.storage->IsOpen() ? s.storage->NewTable() : nullptr;
}

CatalogueCursor vt::NewGraphCursor(const CatalogueSources& s) {
  CVTGraphDataStorage* graphs = s.graphs ? s.graphs->GetGraphStorage() : nullptr;
  return CursorOn(graphs ? graphs->GetConnection() : nullptr);
}

CatalogueCursor vt::NewConditionCursor(const CatalogueSources& s) {
  return CursorOn(s.conditions ? s.conditions->GetConnection() : nullptr);
}

CatalogueRow& GetCatalogueRow() {
  static CatalogueRow row;
  return row;
}

std::vector<std::string> EscapeLikePattern(const std::string& text) {
  // Escape. "%", "_" and "\" are single bytes that never occur inside a UTF-8 sequence, so a byte
  // walk is character-aware.
  std::string escaped;
  escaped.reserve(text.size() + 8);
  for (char c : text) {
    if (c == '%' || c == '_' || c == '\\')
      escaped += '\\';
    else if (c == '\'')
      escaped += '\'';
    escaped += c;
  }
  // Split.
  std::vector<std::string> keywords;
  std::string current;
  bool quoted = false;
  auto finish = [&] {
    if (!current.empty()) keywords.push_back(std::move(current));
    current.clear();
  };
  for (char c : escaped) {
    if (c == '"') {
      finish();
      quoted = !quoted;
    } else if (c == ' ' && !quoted) {
      finish();
    } else {
      current += c;
    }
  }
  finish();
  return keywords;
}

bool BuildBaseListQuery(std::string* sql, int kind, const std::optional<std::string>& serialNo,
                        int sortColumn, int sortDirection, std::optional<int64_t> begin,
                        std::optional<int64_t> end, int target, const std::optional<std::string>& searchText,
                        int alarmFilter, bool matchAll) {
  if (!sql) return false;
  const char* base = BaseStatement(kind);
  if (!base) return false;
  std::string out = base;
  bool haveCondition = false;
  auto join = [&] {
    out += haveCondition ? " AND" : " WHERE";
    haveCondition = true;
  };

  if (serialNo && kind != LIST_TRASH && kind != LIST_GRAPHS && kind != LIST_CONDITIONS) {
    join();
    out += " inst_serial_no = '" + vt::DoubleApostrophes(*serialNo) + "'";
  }

  if (begin.has_value() != end.has_value()) return false;
  if (begin) {
    std::string condition = TimeCondition(kind, *begin, *end);
    if (condition.empty()) return false;
    join();
    out += condition;
  }

  if (kind == LIST_ALARMS && alarmFilter != 0) {
    const char* condition = AlarmCondition(alarmFilter);
    if (!condition) return false;
    join();
    out += condition;
  }

  if (target != SEARCH_NONE && searchText && !searchText->empty()) {
    std::vector<std::string> keywords = EscapeLikePattern(*searchText);
    if (!keywords.empty()) {
      join();
      const char* column = TargetColumn(target);
      if (!column) return false;
      if (!matchAll) out += " (";
      for (std::size_t i = 0; i < keywords.size(); ++i) {
        if (i > 0) out += matchAll ? " AND" : " OR";
        out += matchAll ? " " + std::string(column) + " LIKE '%" + keywords[i] + "%'"
                        : " " + std::string(column) + " LIKE '" + keywords[i] + "'";
        if (HasBackslash(keywords[i])) out += " ESCAPE '\\'";
      }
      if (!matchAll) out += " )";
    }
  }

  if (sortColumn != 0 && sortDirection != 0) {
    const char* column = SortColumn(sortColumn);
    if (!column) return false;
    out += std::string(" ORDER BY ") + column + (sortDirection == 1 ? " ASC" : " DESC");
  }

  out += " ;";
  *sql = std::move(out);
  return true;
}

bool OpenListQuery(const vt::CatalogueSources& sources, const std::optional<std::string>& searchText,
                   CatalogueCursor& cursor, int kind, const std::optional<std::string>& serialNo,
                   int sortColumn, int sortDirection, std::optional<int64_t> begin,
                   std::optional<int64_t> end, int target, int alarmFilter) {
  FreeCursor(cursor);
  bool matchAll = true;
  std::optional<std::string> text = searchText;
  const bool haveText = text && !text->empty();

  if (kind == LIST_GRAPHS) {
    if (target == SEARCH_TAG_NAME || target == SEARCH_GRAPH_GROUP_NAME || target == SEARCH_GRAPH_MARK) {
      if (haveText) {
        std::vector<std::string> names = target == SEARCH_TAG_NAME ? FindGraphsByTagName(sources, *text)
                                         : target == SEARCH_GRAPH_GROUP_NAME
                                             ? FindGraphsByGroupName(sources, *text)
                                             : FindGraphsByMessage(sources, *text);
        if (names.empty()) return false;
        text = QuotedList(names);
        matchAll = false;
      }
      target = SEARCH_GRAPH_NAME;
    }
    cursor = vt::NewGraphCursor(sources);
  } else if (kind == LIST_CONDITIONS) {
    cursor = vt::NewConditionCursor(sources);
  } else if (kind == LIST_BATCHES && (target == SEARCH_BATCH_TEXT || target == SEARCH_BATCH_COMMENT)) {
    const int resolving = target;
    target = SEARCH_BATCH_GUID;
    text = std::string();
    if (haveText) {
      std::set<std::string> guids;
      bool ok = resolving == SEARCH_BATCH_TEXT ? FindBatchesByText(sources, *searchText, guids)
                                               : FindBatchesByComment(sources, *searchText, guids);
      if (!ok || guids.empty()) return false;
      text = QuotedList(guids);
      matchAll = false;
    }
    cursor = vt::NewIndexCursor(sources);
  } else {
    cursor = vt::NewIndexCursor(sources);
  }
  if (!cursor) return false;

  std::string sql;
  if (!BuildBaseListQuery(&sql, kind, serialNo, sortColumn, sortDirection, begin, end, target, text,
                          alarmFilter, matchAll) ||
      cursor->Prepare(sql) != STORE_OK || cursor->Execute() != STORE_OK) {
    FreeCursor(cursor);
    return false;
  }
  return true;
}

std::vector<std::string> FindGraphsByTagName(const vt::CatalogueSources& sources, const std::string& text) {
  std::vector<std::string> keywords = EscapeLikePattern(text);
  if (keywords.empty()) return {};
  return FindGraphs(sources, "SELECT DISTINCT graph_name FROM graph_table, tag_table WHERE " +
                                 ContainsAll("tag_name", keywords) +
                                 " AND graph_table.graph_id = tag_table.graph_id;");
}

std::vector<std::string> FindGraphsByGroupName(const vt::CatalogueSources& sources, const std::string& text) {
  std::vector<std::string> keywords = EscapeLikePattern(text);
  if (keywords.empty()) return {};
  return FindGraphs(sources, "SELECT DISTINCT graph_name FROM graph_table, group_table WHERE " +
                                 ContainsAll("group_name", keywords) +
                                 " AND graph_table.graph_id = group_table.graph_id;");
}

std::vector<std::string> FindGraphsByMessage(const vt::CatalogueSources& sources, const std::string& text) {
  std::vector<std::string> keywords = EscapeLikePattern(text);
  if (keywords.empty()) return {};
  return FindGraphs(sources, "SELECT DISTINCT graph_name FROM graph_table, message_table WHERE (( " +
                                 ContainsAll("message_title", keywords) + ") OR ( " +
                                 ContainsAll("message_comment", keywords) + ")) " +
                                 " AND graph_table.graph_id = message_table.graph_id;");
}

bool FindBatchesByText(const vt::CatalogueSources& sources, const std::string& text,
                       std::set<std::string>& guids) {
  CatalogueCursor cursor = vt::NewIndexCursor(sources);
  if (!cursor) return false;
  std::vector<std::string> keywords = EscapeLikePattern(text);
  if (keywords.empty()) return true;
  return CollectTexts(
      std::move(cursor),
      "SELECT DISTINCT continuous_data_info.cont_data_guid FROM batch_text, continuous_data_info WHERE (( " +
          ContainsAll("batch_text.title", keywords) + ") OR ( " + ContainsAll("batch_text.text", keywords) +
          ")) " + " AND batch_text.cont_data_id = continuous_data_info.cont_data_id;",
      [&](const std::string& t) { guids.insert(t); });
}

bool FindBatchesByComment(const vt::CatalogueSources& sources, const std::string& text,
                          std::set<std::string>& guids) {
  CatalogueCursor cursor = vt::NewIndexCursor(sources);
  if (!cursor) return false;
  std::vector<std::string> keywords = EscapeLikePattern(text);
  if (keywords.empty()) return true;
  return CollectTexts(
      std::move(cursor),
      "SELECT DISTINCT continuous_data_info.cont_data_guid FROM batch_comment, file, continuous_data_info WHERE ( " +
          ContainsAll("batch_comment.batch_comment_text", keywords) + ")" +
          " AND batch_comment.file_id = file.file_id AND file.cont_data_id = continuous_data_info.cont_data_id;",
      [&](const std::string& t) { guids.insert(t); });
}

bool OpenInstrumentQuery(const vt::CatalogueSources& sources, CatalogueCursor& cursor) {
  FreeCursor(cursor);
  cursor = vt::NewIndexCursor(sources);
  if (!cursor) return false;
  if (cursor->Prepare(
          "SELECT instrument_name, inst_serial_no FROM instrument ORDER BY instrument_name ASC ;") !=
          STORE_OK ||
      cursor->Execute() != STORE_OK) {
    FreeCursor(cursor);
    return false;
  }
  return true;
}

bool FetchTagListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor)
      .Text(0, r.tagName)
      .Text(1, r.tagNo)
      .Text(2, r.channelName)
      .Int64(3, r.startTime)
      .Int64(4, r.stopTime)
      .Int(5, r.channelInterval)
      .Int(6, dataKind)
      .Int(7, powerFailure)
      .Text(8, r.instrumentName)
      .Text(9, r.recorderType)
      .Text(10, r.batchName)
      .Text(11, r.batchGuid)
      .Text(12, r.serialNo)
      .Int(13, r.channelNo)
      .Done();
}

bool FetchAlarmListRow(CatalogueCursor& cursor, int& action, int& type, int& level, int& dataKind) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor)
      .Int(0, action)
      .Int(1, type)
      .Int(2, level)
      .Int64(3, r.alarmTime)
      .Text(4, r.tagName)
      .Text(5, r.tagNo)
      .Text(6, r.channelName)
      .Int(7, dataKind)
      .Text(8, r.instrumentName)
      .Text(9, r.recorderType)
      .Text(10, r.batchName)
      .Text(11, r.batchGuid)
      .Text(12, r.serialNo)
      .Int(13, r.channelNo)
      .Int64(14, r.fileId)
      .Done();
}

bool FetchDisplayGroupListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure, int& groupNo) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor)
      .Text(0, r.groupName)
      .Int64(1, r.startTime)
      .Int64(2, r.stopTime)
      .Int(3, dataKind)
      .Int(4, powerFailure)
      .Text(5, r.instrumentName)
      .Text(6, r.recorderType)
      .Text(7, r.batchName)
      .Text(8, r.batchGuid)
      .Text(9, r.serialNo)
      .Int(10, groupNo)
      .Done();
}

bool FetchMessageListRow(CatalogueCursor& cursor, int& dataKind) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor)
      .Text(0, r.messageText)
      .Text(1, r.userName)
      .Int64(2, r.messageTime)
      .Text(3, r.writeGroupText)
      .Int(4, dataKind)
      .Text(5, r.instrumentName)
      .Text(6, r.recorderType)
      .Text(7, r.batchName)
      .Text(8, r.batchGuid)
      .Text(9, r.serialNo)
      .Int64(10, r.messageId)
      .Done();
}

bool FetchFileListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor)
      .Text(0, r.fileName)
      .Int64(1, r.startTime)
      .Int64(2, r.stopTime)
      .Int(3, dataKind)
      .Int(4, powerFailure)
      .Text(5, r.instrumentName)
      .Text(6, r.recorderType)
      .Text(7, r.batchName)
      .Text(8, r.batchGuid)
      .Text(9, r.serialNo)
      .Int64(10, r.fileId)
      .Done();
}

bool FetchBatchListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure, int& loggingNo) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor)
      .Int64(0, r.startTime)
      .Int64(1, r.stopTime)
      .Int(2, dataKind)
      .Int(3, powerFailure)
      .Text(4, r.instrumentName)
      .Text(5, r.recorderType)
      .Text(6, r.batchName)
      .Int(7, loggingNo)
      .Text(8, r.batchGuid)
      .Text(9, r.serialNo)
      .Done();
}

bool FetchTrashRow(CatalogueCursor& cursor) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor).Text(1, r.filePath).Text(2, r.fileName).Int64(3, r.deletionTime).Done();
}

bool FetchGraphRow(CatalogueCursor& cursor) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor).Text(0, r.graphName).Int64(1, r.editTime).Done();
}

bool FetchConditionRow(CatalogueCursor& cursor) {
  CatalogueRow& r = GetCatalogueRow();
  return RowReader(cursor).Text(0, r.conditionName).Int64(1, r.saveTime).Done();
}

int GetLastFetchResult() { return lastFetchResult; }

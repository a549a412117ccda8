// The catalogue list queries: one SELECT per list of the search pane's report list, built from the
// list kind and the user's search conditions, run through a query cursor, and fetched row by row
// into one process-wide row record that the list document copies.
//
// Three databases are asked: the current storage's index (its views), the saved-graph database
// and the search-condition database; the caller hands all three in with every call, as the
// application holds them. Keyword searches that the list's own view cannot answer (tags, groups
// and marks inside saved graphs; batch texts and comments) are resolved first into an exact match
// on the list's own column. User-interface thread only; nothing is locked.
//
// Texts placed into statements are made safe: keywords have "%", "_" and "\" escaped for LIKE and
// apostrophes doubled, serial numbers have apostrophes doubled, so any text is found as itself.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/VTTable.h"

class CVTDataStorage;
class CVTGraphManager;
class CSearchConditionStore;

enum LIST_QUERY_KIND : int {
  LIST_INSTRUMENTS = 1,
  LIST_TAGS = 2,
  LIST_ALARMS = 3,
  LIST_DISPLAY_GROUPS = 4,
  LIST_MESSAGES = 5,
  LIST_FILES = 6,
  LIST_BATCHES = 7,
  LIST_TRASH = 8,
  LIST_GRAPHS = 9,
  LIST_CONDITIONS = 10,
};

enum LIST_SEARCH_TARGET : int {
  SEARCH_NONE = 0,
  SEARCH_TAG_NAME = 1,
  SEARCH_TAG_NO = 2,
  SEARCH_CHANNEL_NAME = 3,
  SEARCH_BATCH_NAME = 4,
  SEARCH_GROUP_NAME = 5,
  SEARCH_MESSAGE_TEXT = 6,
  SEARCH_USER_NAME = 7,
  SEARCH_FILE_NAME = 8,
  SEARCH_GRAPH_GROUP_NAME = 9,
  SEARCH_GRAPH_MARK = 10,
  SEARCH_GRAPH_NAME = 11,
  SEARCH_BATCH_TEXT = 12,
  SEARCH_BATCH_COMMENT = 13,
  SEARCH_BATCH_GUID = 14,
};

namespace vt {

// What the catalogue reads: the storage the user interface has open, the saved-graph store and
// the search-condition store. Any of them may be null (or closed); the queries that need it then
// fail.
struct CatalogueSources {
  CVTDataStorage* storage = nullptr;
  CVTGraphManager* graphs = nullptr;
  CSearchConditionStore* conditions = nullptr;
};

// Cursors on the three databases; null when the database is not open.
std::unique_ptr<CVTTable> NewIndexCursor(const CatalogueSources& sources);
std::unique_ptr<CVTTable> NewGraphCursor(const CatalogueSources& sources);
std::unique_ptr<CVTTable> NewConditionCursor(const CatalogueSources& sources);

}  // namespace vt

// The process-wide row record; each fetch overwrites the fields its list has and leaves the rest.
struct CatalogueRow {
  std::string tagName, tagNo, channelName;
  int64_t startTime = 0, stopTime = 0;
  int32_t channelInterval = 0, channelNo = 0;
  std::string instrumentName, recorderType, batchName, batchGuid, serialNo;
  int64_t alarmTime = 0, fileId = 0;
  std::string groupName, messageText, userName;
  int64_t messageTime = 0;
  std::string writeGroupText;
  int64_t messageId = 0;
  std::string fileName, filePath;
  int64_t deletionTime = 0;
  std::string graphName;
  int64_t editTime = 0;
  std::string conditionName;
  int64_t saveTime = 0;
};

CatalogueRow& GetCatalogueRow();

using CatalogueCursor = std::unique_ptr<CVTTable>;

// The keywords of a search text, escaped for a LIKE pattern with "\" as the escape character
// ("%", "_" and "\" get a "\" before them, apostrophes are doubled). Blanks separate keywords;
// double quotes enclose a keyword with blanks; empty keywords are dropped.
std::vector<std::string> EscapeLikePattern(const std::string& text);

// Builds the statement of a list into *sql. Match all: every keyword must be contained in the
// column; otherwise any keyword must match the whole column. False for a kind, target, sort
// column or alarm filter outside its table, and for a time range with one bound only or on a
// list without times (instruments, deleted data, search conditions).
bool BuildBaseListQuery(std::string* sql, int kind, const std::optional<std::string>& serialNo,
                        int sortColumn, int sortDirection, std::optional<int64_t> begin,
                        std::optional<int64_t> end, int target, const std::optional<std::string>& searchText,
                        int alarmFilter, bool matchAll);

// Frees the cursor held, resolves the keyword searches on other tables, builds the statement and
// leaves an executed cursor in the variable. False (cursor null) on any failure, also when a
// resolving search finds nothing.
bool OpenListQuery(const vt::CatalogueSources& sources, const std::optional<std::string>& searchText,
                   CatalogueCursor& cursor, int kind, const std::optional<std::string>& serialNo,
                   int sortColumn, int sortDirection, std::optional<int64_t> begin,
                   std::optional<int64_t> end, int target, int alarmFilter);

// The saved graphs whose tags, groups or marks (title or comment) match every keyword, in row
// order; none when nothing matches or the statement fails.
std::vector<std::string> FindGraphsByTagName(const vt::CatalogueSources& sources, const std::string& text);
std::vector<std::string> FindGraphsByGroupName(const vt::CatalogueSources& sources, const std::string& text);
std::vector<std::string> FindGraphsByMessage(const vt::CatalogueSources& sources, const std::string& text);
// The batch GUID texts whose batch texts or batch comments match every keyword. True for an
// empty text; false when the storage has no open index or the statement fails.
bool FindBatchesByText(const vt::CatalogueSources& sources, const std::string& text,
                       std::set<std::string>& guids);
bool FindBatchesByComment(const vt::CatalogueSources& sources, const std::string& text,
                          std::set<std::string>& guids);

// The instruments by name, for the navigation tree; the caller fetches (name, serial number).
bool OpenInstrumentQuery(const vt::CatalogueSources& sources, CatalogueCursor& cursor);

// Fetches the cursor's rows one by one and calls read for each, stopping when it returns false.
// True only when the rows came to their end: a step that fails is no end of the rows, or a list
// cut short would be taken for the whole list.
template <typename Read>
bool ForEachCatalogueRow(CVTTable& cursor, Read read) {
  int rc = cursor.Fetch();
  for (; rc == STORE_ROW; rc = cursor.Fetch())
    if (!read()) return false;
  return rc == STORE_OK;
}

// Row fetches: true with the row's columns in the row record; at the end of the rows or on any
// failure the cursor is freed and false returned. GetLastFetchResult then tells the two apart:
// STORE_OK at the end of the rows, the failing step's or column read's result otherwise
// (STORE_ROW while the last fetch gave a row).
bool FetchTagListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure);
bool FetchAlarmListRow(CatalogueCursor& cursor, int& action, int& type, int& level, int& dataKind);
bool FetchDisplayGroupListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure, int& groupNo);
bool FetchMessageListRow(CatalogueCursor& cursor, int& dataKind);
bool FetchFileListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure);
bool FetchBatchListRow(CatalogueCursor& cursor, int& dataKind, int& powerFailure, int& loggingNo);
bool FetchTrashRow(CatalogueCursor& cursor);
bool FetchGraphRow(CatalogueCursor& cursor);
bool FetchConditionRow(CatalogueCursor& cursor);
int GetLastFetchResult();

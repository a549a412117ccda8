// The catalogue lists of the search pane: the list kinds with their catalogue query, row image and
// report columns, the search condition's enumerations, and the list document's notification codes.
//
// The numbers of LIST_KIND, TIME_CONDITION, RELATIVE_UNIT, STRING_TARGET and ALARM_KIND are stored
// in saved search conditions and in the profile section names of the report columns: they never
// change. Each list kind's columns are one fixed table; a column's id is its index in that table.
#pragma once
#include <cstdint>

// The kinds of list the report list shows. LIST_KIND_TRASH is the deleted data.
enum LIST_KIND : int {
  LIST_KIND_NONE = 0,
  LIST_KIND_TAG = 1,
  LIST_KIND_ALARM = 2,
  LIST_KIND_DISPLAY_GROUP = 3,
  LIST_KIND_MESSAGE = 4,
  LIST_KIND_FILE = 5,
  LIST_KIND_BATCH = 6,
  LIST_KIND_TRASH = 7,
  LIST_KIND_CONDITION = 8,
  LIST_KIND_GRAPH = 9,
};
inline constexpr int kListKindCount = 9;  // kinds 1 to 9

enum TIME_CONDITION : int {
  TIME_NONE = 0,
  TIME_RANGE = 1,
  TIME_RELATIVE = 2,
  TIME_LAST_HOUR = 3,
  TIME_LAST_DAY = 4,
  TIME_LAST_MONTH = 5,  // 31 days
  TIME_LAST_YEAR = 6,   // 365 days
};

enum RELATIVE_UNIT : int { RELATIVE_HOUR = 0, RELATIVE_DAY = 1, RELATIVE_MONTH = 2, RELATIVE_YEAR = 3 };

// What the list document tells its observers.
enum LIST_NOTIFY : int {
  LIST_NOTIFY_COLUMNS = 0,     // the report columns are being rebuilt
  LIST_NOTIFY_CHANGED = 1,     // fetch and show the rows again
  LIST_NOTIFY_CURRENT = 2,     // the current row changed
  LIST_NOTIFY_SELECTION = 3,   // append the selected rows to the document's selection
  LIST_NOTIFY_EDIT_LABEL = 4,  // start editing the name of the current row
  LIST_NOTIFY_CHANNEL = 5,     // the selected channel's properties were loaded
  LIST_NOTIFY_GRAPHS = 6,      // the saved graphs changed
};

// Which text a cell shows (see CListDoc::GetCellText).
enum CELL_KIND : int {
  CELL_TAG_NAME = 1,
  CELL_TAG_NO = 2,
  CELL_CHANNEL_NAME = 3,
  CELL_START_TIME = 4,
  CELL_STOP_TIME = 5,
  CELL_INTERVAL = 6,
  CELL_DATA_KIND = 7,
  CELL_POWER_FAILURE = 8,
  CELL_INSTRUMENT_NAME = 9,
  CELL_INSTRUMENT_TYPE = 10,
  CELL_BATCH_NAME = 11,
  CELL_FILE_NAME = 12,
  CELL_ALARM_STATUS = 13,
  CELL_ALARM_TYPE = 14,
  CELL_ALARM_LEVEL = 15,
  CELL_ALARM_TIME = 16,
  CELL_MESSAGE_TEXT = 17,
  CELL_USER_NAME = 18,
  CELL_MESSAGE_TIME = 19,
  CELL_WRITE_GROUP_TEXT = 20,
  CELL_GROUP_NAME = 21,
  CELL_LOGGING_NO = 22,
  CELL_DELETION_TIME = 27,
  CELL_GRAPH_NAME = 28,
  CELL_EDIT_TIME = 29,
  CELL_CONDITION_NAME = 30,
  CELL_SAVE_TIME = 31,
};

// One report column: its caption's string id, the text it shows and the catalogue's sort code.
struct SReportColumnDef {
  uint32_t captionId;
  int cellKind;
  int sortKey;
};

namespace vt {

// What a list kind is made of.
struct SListKindInfo {
  int queryKind;  // LIST_QUERY_KIND of the catalogue
  int rowImage;   // index into the row images
  const SReportColumnDef* columns;
  int columnCount;
};

}  // namespace vt

// The list kind's description; null for LIST_KIND_NONE and any number outside 1-9.
const vt::SListKindInfo* GetListKindInfo(int listKind);
// The list kind whose catalogue query is queryKind; LIST_KIND_NONE when none is.
int ListKindOfQuery(int queryKind);

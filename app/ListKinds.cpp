// The list kinds' tables (see ListKinds.h).
#include "app/ListKinds.h"

#include <iterator>

#include "store/CatalogueQueries.h"

namespace {

constexpr SReportColumnDef kTagColumns[] = {
    {600, CELL_TAG_NAME, 1},         {601, CELL_TAG_NO, 2},         {602, CELL_CHANNEL_NAME, 3},
    {603, CELL_START_TIME, 4},       {604, CELL_STOP_TIME, 5},      {605, CELL_INTERVAL, 8},
    {606, CELL_DATA_KIND, 9},        {607, CELL_POWER_FAILURE, 10}, {608, CELL_INSTRUMENT_NAME, 11},
    {609, CELL_INSTRUMENT_TYPE, 12}, {610, CELL_BATCH_NAME, 13},
};
constexpr SReportColumnDef kAlarmColumns[] = {
    {611, CELL_ALARM_STATUS, 15}, {613, CELL_ALARM_TYPE, 16},      {612, CELL_ALARM_LEVEL, 17},
    {614, CELL_ALARM_TIME, 18},   {600, CELL_TAG_NAME, 1},         {602, CELL_CHANNEL_NAME, 3},
    {606, CELL_DATA_KIND, 9},     {608, CELL_INSTRUMENT_NAME, 11}, {609, CELL_INSTRUMENT_TYPE, 12},
    {610, CELL_BATCH_NAME, 13},
};
constexpr SReportColumnDef kDisplayGroupColumns[] = {
    {615, CELL_GROUP_NAME, 23},      {603, CELL_START_TIME, 4},     {604, CELL_STOP_TIME, 5},
    {606, CELL_DATA_KIND, 9},        {607, CELL_POWER_FAILURE, 10}, {608, CELL_INSTRUMENT_NAME, 11},
    {609, CELL_INSTRUMENT_TYPE, 12}, {610, CELL_BATCH_NAME, 13},
};
constexpr SReportColumnDef kMessageColumns[] = {
    {616, CELL_MESSAGE_TEXT, 19},     {617, CELL_USER_NAME, 20},  {618, CELL_MESSAGE_TIME, 21},
    {619, CELL_WRITE_GROUP_TEXT, 22}, {606, CELL_DATA_KIND, 9},   {608, CELL_INSTRUMENT_NAME, 11},
    {609, CELL_INSTRUMENT_TYPE, 12},  {610, CELL_BATCH_NAME, 13},
};
// The file list sorts its start by the file's own start (6) and its end by end_time (7).
constexpr SReportColumnDef kFileColumns[] = {
    {620, CELL_FILE_NAME, 14},       {622, CELL_START_TIME, 6},     {623, CELL_STOP_TIME, 7},
    {606, CELL_DATA_KIND, 9},        {607, CELL_POWER_FAILURE, 10}, {608, CELL_INSTRUMENT_NAME, 11},
    {609, CELL_INSTRUMENT_TYPE, 12}, {610, CELL_BATCH_NAME, 13},
};
constexpr SReportColumnDef kBatchColumns[] = {
    {603, CELL_START_TIME, 4},     {604, CELL_STOP_TIME, 5},        {606, CELL_DATA_KIND, 9},
    {607, CELL_POWER_FAILURE, 10}, {608, CELL_INSTRUMENT_NAME, 11}, {609, CELL_INSTRUMENT_TYPE, 12},
    {610, CELL_BATCH_NAME, 13},    {621, CELL_LOGGING_NO, 24},
};
constexpr SReportColumnDef kTrashColumns[] = {{620, CELL_FILE_NAME, 14}, {626, CELL_DELETION_TIME, 29}};
constexpr SReportColumnDef kConditionColumns[] = {{629, CELL_CONDITION_NAME, 32}, {630, CELL_SAVE_TIME, 33}};
constexpr SReportColumnDef kGraphColumns[] = {{627, CELL_GRAPH_NAME, 30}, {628, CELL_EDIT_TIME, 31}};

template <size_t N>
constexpr vt::SListKindInfo Kind(int queryKind, int rowImage, const SReportColumnDef (&columns)[N]) {
  return {queryKind, rowImage, columns, int(N)};
}

// Indexed by list kind - 1. The only table that pairs list kinds with catalogue queries: saved
// search conditions are query 10 and saved graphs query 9, the other way round from the kinds.
constexpr vt::SListKindInfo kKinds[] = {
    Kind(LIST_TAGS, 2, kTagColumns),
    Kind(LIST_ALARMS, 3, kAlarmColumns),
    Kind(LIST_DISPLAY_GROUPS, 4, kDisplayGroupColumns),
    Kind(LIST_MESSAGES, 5, kMessageColumns),
    Kind(LIST_FILES, 6, kFileColumns),
    Kind(LIST_BATCHES, 7, kBatchColumns),
    Kind(LIST_TRASH, 6, kTrashColumns),
    Kind(LIST_CONDITIONS, 9, kConditionColumns),
    Kind(LIST_GRAPHS, 10, kGraphColumns),
};
static_assert(std::size(kKinds) == kListKindCount);

}  // namespace

const vt::SListKindInfo* GetListKindInfo(int listKind) {
  return listKind >= 1 && listKind <= kListKindCount ? &kKinds[listKind - 1] : nullptr;
}

int ListKindOfQuery(int queryKind) {
  for (int k = 1; k <= kListKindCount; ++k)
    if (kKinds[k - 1].queryKind == queryKind) return k;
  return LIST_KIND_NONE;
}

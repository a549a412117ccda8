// `vtstore query` (see QueryCommand.h).
#include "tools/vtstore/QueryCommand.h"

#include <charconv>
#include <iostream>

#include "platform/base/FileSystem.h"
#include "store/CatalogueQueries.h"
#include "store/SearchConditionStore.h"
#include "store/VTDataStorage.h"
#include "store/VTDataStorageManager.h"
#include "store/VTGraphManager.h"

namespace vtstore_cli {

namespace {

constexpr const char* kKindNames[] = {"",      "instruments", "tags",  "alarms", "groups",    "messages",
                                      "files", "batches",     "trash", "graphs", "conditions"};

// The column a keyword matches when no target is given.
int UsualTarget(int kind) {
  switch (kind) {
    case LIST_TAGS:
    case LIST_ALARMS:
      return SEARCH_TAG_NAME;
    case LIST_DISPLAY_GROUPS:
      return SEARCH_GROUP_NAME;
    case LIST_MESSAGES:
      return SEARCH_MESSAGE_TEXT;
    case LIST_FILES:
    case LIST_TRASH:
      return SEARCH_FILE_NAME;
    case LIST_BATCHES:
      return SEARCH_BATCH_NAME;
    case LIST_GRAPHS:
      return SEARCH_GRAPH_NAME;
    default:
      return SEARCH_NONE;
  }
}

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && p == end && !text.empty();
}

// Writes the fields of one row, tab-separated.
class Line {
 public:
  explicit Line(std::ostream& out) : out_(out) {}
  ~Line() { out_ << '\n'; }
  template <typename T>
  Line& operator<<(const T& value) {
    if (!first_) out_ << '\t';
    first_ = false;
    out_ << value;
    return *this;
  }

 private:
  std::ostream& out_;
  bool first_ = true;
};

// Prints every row of the list; returns how the rows ended: STORE_OK when they all came, else the
// result of the step or read that failed.
int PrintRows(int kind, CatalogueCursor& cursor, std::ostream& out) {
  const CatalogueRow& r = GetCatalogueRow();
  int a = 0, b = 0, c = 0, d = 0;
  switch (kind) {
    case LIST_INSTRUMENTS: {
      const bool whole = cursor && ForEachCatalogueRow(*cursor, [&] {
                           Line line(out);
                           for (int i = 0; i < 4; ++i) {
                             std::string text;
                             cursor->GetText(i, text);
                             line << text;
                           }
                           return true;
                         });
      cursor.reset();
      return whole ? STORE_OK : STORE_FAILED;
    }
    case LIST_TAGS:
      while (FetchTagListRow(cursor, a, b))
        Line(out) << r.tagName << r.tagNo << r.channelName << r.startTime << r.stopTime << r.channelInterval
                  << a << b << r.instrumentName << r.recorderType << r.batchName << r.batchGuid << r.serialNo
                  << r.channelNo;
      break;
    case LIST_ALARMS:
      while (FetchAlarmListRow(cursor, a, b, c, d))
        Line(out) << a << b << c << r.alarmTime << r.tagName << r.tagNo << r.channelName << d
                  << r.instrumentName << r.recorderType << r.batchName << r.batchGuid << r.serialNo
                  << r.channelNo << r.fileId;
      break;
    case LIST_DISPLAY_GROUPS:
      while (FetchDisplayGroupListRow(cursor, a, b, c))
        Line(out) << r.groupName << r.startTime << r.stopTime << a << b << r.instrumentName << r.recorderType
                  << r.batchName << r.batchGuid << r.serialNo << c;
      break;
    case LIST_MESSAGES:
      while (FetchMessageListRow(cursor, a))
        Line(out) << r.messageText << r.userName << r.messageTime << r.writeGroupText << a << r.instrumentName
                  << r.recorderType << r.batchName << r.batchGuid << r.serialNo << r.messageId;
      break;
    case LIST_FILES:
      while (FetchFileListRow(cursor, a, b))
        Line(out) << r.fileName << r.startTime << r.stopTime << a << b << r.instrumentName << r.recorderType
                  << r.batchName << r.batchGuid << r.serialNo << r.fileId;
      break;
    case LIST_BATCHES:
      while (FetchBatchListRow(cursor, a, b, c))
        Line(out) << r.startTime << r.stopTime << a << b << r.instrumentName << r.recorderType << r.batchName
                  << c << r.batchGuid << r.serialNo;
      break;
    case LIST_TRASH:
      while (FetchTrashRow(cursor)) Line(out) << r.filePath << r.fileName << r.deletionTime;
      break;
    case LIST_GRAPHS:
      while (FetchGraphRow(cursor)) Line(out) << r.graphName << r.editTime;
      break;
    case LIST_CONDITIONS:
      while (FetchConditionRow(cursor)) Line(out) << r.conditionName << r.saveTime;
      break;
  }
  return GetLastFetchResult();
}

}  // namespace

bool ParseQueryArguments(const std::vector<std::string>& args, QueryOptions& o, std::string& error) {
  if (args.size() < 2) {
    error = "query needs a storage and a list kind";
    return false;
  }
  o.storage = args[0];
  o.kind = 0;
  for (int k = 1; k <= LIST_CONDITIONS; ++k)
    if (args[1] == kKindNames[k]) o.kind = k;
  if (o.kind == 0 && (!ParseNumber(args[1], o.kind) || o.kind < 1 || o.kind > LIST_CONDITIONS)) {
    error = "unknown list kind '" + args[1] + "'";
    return false;
  }
  for (std::size_t i = 2; i < args.size(); i += 2) {
    const std::string& flag = args[i];
    if (i + 1 >= args.size()) {
      error = flag + " needs a value";
      return false;
    }
    const std::string& value = args[i + 1];
    int64_t number = 0;
    if (flag == "--serial") {
      o.serial = value;
    } else if (flag == "--keyword") {
      o.keyword = value;
    } else if ((flag == "--from" || flag == "--to") && ParseNumber(value, number)) {
      (flag == "--from" ? o.from : o.to) = number;
    } else if (flag == "--target" && ParseNumber(value, o.target)) {
    } else if (flag == "--sort" && ParseNumber(value, o.sort) && o.sort != 0) {
      o.direction = o.sort > 0 ? 1 : 2;
      o.sort = o.sort > 0 ? o.sort : -o.sort;
    } else {
      error = "cannot use " + flag + " " + value;
      return false;
    }
  }
  if (o.from.has_value() != o.to.has_value()) {
    error = "--from and --to go together";
    return false;
  }
  return true;
}

int QueryStorageFolder(const std::string& folder, const QueryOptions& o, std::ostream& out,
                       std::ostream& err) {
  CVTDataStorage storage;
  CVTGraphManager graphs;
  CSearchConditionStore conditions;
  vt::CatalogueSources sources{&storage, &graphs, &conditions};
  if (int rc = storage.OpenAt(folder); rc != STORE_OK) {
    err << "vtstore: cannot open the storage in " << folder << " (result " << rc << ")\n";
    return 1;
  }
  // The saved graphs and conditions are opened (and so created) only when asked for.
  if (o.kind == LIST_GRAPHS) {
    graphs.SetDataStorage(&storage);
    graphs.Open();
  }
  if (o.kind == LIST_CONDITIONS) conditions.OpenInFolder(folder);

  const int target = o.target >= 0 ? o.target : o.keyword ? UsualTarget(o.kind) : SEARCH_NONE;
  CatalogueCursor cursor;
  if (!OpenListQuery(sources, o.keyword, cursor, o.kind, o.serial, o.sort, o.direction, o.from, o.to, target,
                     0)) {
    err << "vtstore: the query of list " << o.kind << " failed or found nothing to match\n";
    return 1;
  }
  if (int rc = PrintRows(o.kind, cursor, out); rc != STORE_OK) {
    err << "vtstore: reading the rows of list " << o.kind << " failed (result " << rc
        << "); the rows printed are not all\n";
    return 1;
  }
  return 0;
}

int RunQueryCommand(CVTDataStorageManager& manager, const std::vector<std::string>& args) {
  QueryOptions options;
  std::string error;
  if (!ParseQueryArguments(args, options, error)) {
    std::cerr << "vtstore: " << error << "\n";
    return 2;
  }
  std::string folder;
  if (manager.GetStorageFolder(options.storage, folder) != STORE_OK || folder.empty()) {
    if (!vt::FolderExists(options.storage)) {
      std::cerr << "vtstore: no storage '" << options.storage << "'\n";
      return 1;
    }
    folder = options.storage;
  }
  return QueryStorageFolder(folder, options, std::cout, std::cerr);
}

}  // namespace vtstore_cli

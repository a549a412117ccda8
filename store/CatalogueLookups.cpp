// The catalogue lookups (see CatalogueLookups.h).
#include "store/CatalogueLookups.h"

#include "store/SearchConditionStore.h"
#include "store/SqlText.h"

namespace {

// A quoted text value for a statement.
std::string Q(const std::string& text) { return vt::DoubleApostrophes(text); }
std::string N(int64_t value) { return std::to_string(value); }

// An executed cursor; null without the database or when the statement fails.
CatalogueCursor Run(CatalogueCursor cursor, const std::string& sql) {
  if (!cursor || cursor->Prepare(sql) != STORE_OK || cursor->Execute() != STORE_OK) return nullptr;
  return cursor;
}

CatalogueCursor RunOnIndex(const vt::CatalogueSources& s, const std::string& sql) {
  return Run(vt::NewIndexCursor(s), sql);
}

CatalogueCursor RunOnGraphs(const vt::CatalogueSources& s, const std::string& sql) {
  return Run(vt::NewGraphCursor(s), sql);
}

CatalogueCursor RunOnConditions(const vt::CatalogueSources& s, const std::string& sql) {
  return Run(vt::NewConditionCursor(s), sql);
}

// The count of a "SELECT count(*)" statement; -1 when it fails or gives no row.
int Count(CatalogueCursor cursor) {
  int count = 0;
  if (!cursor || cursor->Fetch() != STORE_ROW || cursor->GetInt(0, count) != STORE_OK) return -1;
  return count;
}

// Every row's first column as an int; strict: false at the first read or step that fails.
bool ReadInts(CatalogueCursor cursor, std::vector<int>& out) {
  out.clear();
  if (!cursor) return false;
  int value = 0;
  return ForEachCatalogueRow(*cursor, [&] {
    if (cursor->GetInt(0, value) != STORE_OK) return false;
    out.push_back(value);
    return true;
  });
}

// Every row's first column as a text; values that cannot be read are added as read. False when a
// step fails.
bool ReadTexts(CatalogueCursor cursor, std::vector<std::string>& out) {
  out.clear();
  if (!cursor) return false;
  std::string text;
  return ForEachCatalogueRow(*cursor, [&] {
    text.clear();
    cursor->GetText(0, text);
    out.push_back(text);
    return true;
  });
}

// The first row's first text; true when a row was found and read.
bool ReadFirstText(CatalogueCursor cursor, std::string& out) {
  return cursor && cursor->Fetch() == STORE_ROW && cursor->GetText(0, out) == STORE_OK;
}

}  // namespace

const char* StartFactorText(int factor) {
  switch (factor) {
    case 1:
      return "Manual";
    case 2:
      return "Auto";
    case 3:
      return "Restart after Black Out";
    case 4:
      return "Trigger No.";
    case 5:
      return "Sampling";
    case 6:
      return "Save";
    default:
      return kTextUnknown;
  }
}

const char* StopFactorText(int factor) {
  switch (factor) {
    case 1:
      return "Manual";
    case 2:
      return "Auto";
    case 3:
      return "Black Out";
    case 4:
      return "Data Count";
    case 5:
      return "Sampling";
    default:
      return kTextUnknown;
  }
}

bool GetBatchDisplayGroups(const vt::CatalogueSources& s, const std::string& batchGuid,
                           std::vector<int>& numbers, std::vector<std::string>& names) {
  numbers.clear();
  names.clear();
  CatalogueCursor c = RunOnIndex(
      s,
      "SELECT display_group.group_no, display_group.group_name FROM continuous_data_info, display_group WHERE continuous_data_info.cont_data_guid = '" +
          Q(batchGuid) +
          "' AND continuous_data_info.latest_file_id = display_group.file_id ORDER BY display_group.group_no ASC ;");
  if (!c) return false;
  int number = 0;
  std::string name;
  return ForEachCatalogueRow(*c, [&] {
    if (c->GetInt(0, number) != STORE_OK || c->GetText(1, name) != STORE_OK) return false;
    numbers.push_back(number);
    names.push_back(name);
    return true;
  });
}

bool GetDisplayGroupChannels(const vt::CatalogueSources& s, const std::string& batchGuid, int groupNo,
                             std::vector<int>& channels) {
  return ReadInts(
      RunOnIndex(
          s,
          "SELECT display_channel.channel_no FROM display_channel, continuous_data_info WHERE continuous_data_info.cont_data_guid = '" +
              Q(batchGuid) +
              "' AND continuous_data_info.latest_file_id = display_channel.file_id  AND display_channel.group_no = " +
              N(groupNo) + " ORDER BY display_channel.channel_no ASC ;"),
      channels);
}

bool GetMessageWriteGroups(const vt::CatalogueSources& s, const std::string& batchGuid, int64_t messageId,
                           std::vector<int>& numbers, std::vector<std::string>& names) {
  std::vector<int> all;
  if (!ReadInts(RunOnIndex(s, "SELECT display_group_no FROM message_write_group WHERE message_id = " +
                                  N(messageId) + " ORDER BY display_group_no ASC ;"),
                all))
    return false;
  std::vector<int> kept;
  for (int n : all)
    if (n > 0) kept.push_back(n);
  if (kept.empty()) return GetBatchDisplayGroups(s, batchGuid, numbers, names);
  std::vector<std::string> keptNames;
  for (int n : kept) {
    std::string name;
    if (!GetDisplayGroupName(s, batchGuid, n, name)) return false;
    keptNames.push_back(name);
  }
  numbers = std::move(kept);
  names = std::move(keptNames);
  return true;
}

bool GetDisplayGroupName(const vt::CatalogueSources& s, const std::string& batchGuid, int groupNo,
                         std::string& name) {
  return ReadFirstText(
      RunOnIndex(
          s,
          "SELECT display_group.group_name FROM continuous_data_info, display_group WHERE continuous_data_info.cont_data_guid = '" +
              Q(batchGuid) +
              "' AND continuous_data_info.latest_file_id = display_group.file_id AND group_no = " +
              N(groupNo) + " ;"),
      name);
}

int CountDisplayGroupChannels(const vt::CatalogueSources& s, const std::string& batchGuid, int groupNo) {
  int count = Count(RunOnIndex(
      s,
      "SELECT COUNT(*) FROM continuous_data_info, display_channel WHERE continuous_data_info.cont_data_guid = '" +
          Q(batchGuid) +
          "' AND continuous_data_info.latest_file_id = display_channel.file_id AND display_channel.group_no = " +
          N(groupNo) + ";"));
  return count < 0 ? 0 : count;
}

bool GetBatchChannels(const vt::CatalogueSources& s, const std::string& batchGuid,
                      std::vector<int>& channels) {
  channels.clear();
  CatalogueCursor c = RunOnIndex(s, "SELECT channel_no FROM tag_list WHERE cont_data_guid = '" +
                                        Q(batchGuid) + "' ORDER BY channel_no ASC;");
  if (!c) return false;
  int value = 0;
  return ForEachCatalogueRow(*c, [&] {
    value = 0;
    c->GetInt(0, value);
    channels.push_back(value);
    return true;
  });
}

bool GetChannelTagAndPeriod(const vt::CatalogueSources& s, const std::string& batchGuid, int channelNo,
                            std::string& tagName, int64_t& startTime, int64_t& stopTime) {
  CatalogueCursor c =
      RunOnIndex(s, "SELECT tag_name, start_time, stop_time FROM tag_list WHERE cont_data_guid = '" +
                        Q(batchGuid) + "' AND channel_no = " + N(channelNo) + ";");
  if (!c || c->Fetch() != STORE_ROW) return false;
  if (c->GetText(0, tagName) == STORE_OK && c->GetInt64(1, startTime) == STORE_OK) c->GetInt64(2, stopTime);
  return true;
}

bool GetChannelTagRow(const vt::CatalogueSources& s, const std::string& batchGuid, int channelNo,
                      vt::SChannelTagRow& r) {
  CatalogueCursor c = RunOnIndex(s, "SELECT * FROM tag_list WHERE cont_data_guid = '" + Q(batchGuid) +
                                        "' AND channel_no = " + N(channelNo) + " ;");
  return c && c->Fetch() == STORE_ROW && c->GetText(0, r.tagName) == STORE_OK &&
         c->GetText(1, r.tagNo) == STORE_OK && c->GetText(2, r.channelName) == STORE_OK &&
         c->GetInt64(3, r.startTime) == STORE_OK && c->GetInt64(4, r.stopTime) == STORE_OK &&
         c->GetInt(5, r.channelInterval) == STORE_OK && c->GetInt(6, r.dataKind) == STORE_OK &&
         c->GetInt(7, r.powerFailure) == STORE_OK && c->GetText(8, r.instrumentName) == STORE_OK &&
         c->GetText(9, r.recorderType) == STORE_OK && c->GetText(10, r.batchName) == STORE_OK;
}

bool FindBatchOfFile(const vt::CatalogueSources& s, const std::string& filePath, std::string& batchGuid,
                     int64_t& startTime, int64_t& endTime) {
  CatalogueCursor c = RunOnIndex(
      s,
      "SELECT continuous_data_info.cont_data_guid, file.start_time, file.end_time FROM continuous_data_info, file WHERE continuous_data_info.cont_data_id = file.cont_data_id AND file.file_path = '" +
          Q(filePath) + "' ;");
  return c && c->Fetch() == STORE_ROW && c->GetText(0, batchGuid) == STORE_OK &&
         c->GetInt64(1, startTime) == STORE_OK && c->GetInt64(2, endTime) == STORE_OK;
}

bool GetBatchFileNames(const vt::CatalogueSources& s, const std::string& batchGuid,
                       std::vector<std::string>& names) {
  return ReadTexts(
      RunOnIndex(
          s,
          "SELECT file.file_name FROM continuous_data_info, file WHERE continuous_data_info.cont_data_guid = '" +
              Q(batchGuid) +
              "' AND continuous_data_info.cont_data_id = file.cont_data_id ORDER BY file.start_time ASC;"),
      names);
}

bool GetFileName(const vt::CatalogueSources& s, int64_t fileId, std::string& name) {
  return ReadFirstText(RunOnIndex(s, "SELECT file_name FROM file WHERE file_id = " + N(fileId) + ";"), name);
}

bool GetMessageFileName(const vt::CatalogueSources& s, int64_t messageId, std::string& name) {
  return ReadFirstText(RunOnIndex(s, "SELECT file.file_name FROM file, message WHERE message.message_id = " +
                                         N(messageId) + " AND file.file_id = message.file_id;"),
                       name);
}

bool GetFileProperties(const vt::CatalogueSources& s, int64_t fileId, std::string& header,
                       std::string& startFactorText, std::string& stopFactorText, std::string& dataCountText,
                       std::string& timeChangeText) {
  CatalogueCursor c = RunOnIndex(
      s,
      "SELECT file_header, start_factor, stop_factor, start_data_no, end_data_no, chng_time_cnt FROM file WHERE file_id = " +
          N(fileId) + ";");
  if (!c || c->Fetch() != STORE_ROW) return false;
  int startFactor = -1, stopFactor = -1, timeChanges = 0;
  int64_t startNo = 0, endNo = 0;
  std::string text;
  if (c->GetText(0, text) == STORE_OK) {
    header = text;
    (void)(c->GetInt(1, startFactor) == STORE_OK && c->GetInt(2, stopFactor) == STORE_OK &&
           c->GetInt64(3, startNo) == STORE_OK && c->GetInt64(4, endNo) == STORE_OK &&
           c->GetInt(5, timeChanges) == STORE_OK);
  }
  startFactorText = StartFactorText(startFactor);
  stopFactorText = StopFactorText(stopFactor);
  // Data numbers are the recorder's wrapping 64-bit counters.
  dataCountText = std::to_string(int64_t(uint64_t(endNo) - uint64_t(startNo) + 1));
  timeChangeText = timeChanges != 0 ? kTextYes : kTextNo;
  return true;
}

bool GetFileBatchComments(const vt::CatalogueSources& s, int64_t fileId, std::vector<std::string>& texts) {
  return ReadTexts(RunOnIndex(s, "SELECT batch_comment_text FROM batch_comment WHERE file_id = " + N(fileId) +
                                     " ORDER BY comment_no ASC;"),
                   texts);
}

bool GetBatchComments(const vt::CatalogueSources& s, const std::string& batchGuid,
                      std::vector<std::string>& texts) {
  return ReadTexts(
      RunOnIndex(
          s,
          "SELECT batch_comment.batch_comment_text FROM continuous_data_info, batch_comment WHERE continuous_data_info.cont_data_guid = '" +
              Q(batchGuid) +
              "' AND continuous_data_info.latest_file_id = batch_comment.file_id ORDER BY batch_comment.comment_no ASC;"),
      texts);
}

bool GetBatchTexts(const vt::CatalogueSources& s, const std::string& batchGuid,
                   std::vector<std::string>& titles, std::vector<std::string>& texts) {
  titles.clear();
  texts.clear();
  CatalogueCursor c = RunOnIndex(
      s,
      "SELECT batch_text.title, batch_text.text FROM continuous_data_info, batch_text WHERE continuous_data_info.cont_data_guid = '" +
          Q(batchGuid) +
          "' AND continuous_data_info.cont_data_id = batch_text.cont_data_id ORDER BY batch_text.text_no ASC;");
  if (!c) return false;
  std::string title, text;
  return ForEachCatalogueRow(*c, [&] {
    title.clear();
    text.clear();
    if (c->GetText(0, title) == STORE_OK) c->GetText(1, text);
    titles.push_back(title);
    texts.push_back(text);
    return true;
  });
}

bool GetBatchUserNames(const vt::CatalogueSources& s, const std::string& batchGuid, std::string& startUser,
                       std::string& stopUser, std::string& timeChangeText) {
  CatalogueCursor c = RunOnIndex(
      s,
      "SELECT start_username, stop_username, chng_time_cnt FROM continuous_data_info WHERE continuous_data_info.cont_data_guid = '" +
          Q(batchGuid) + "';");
  if (!c || c->Fetch() != STORE_ROW) return false;
  int timeChanges = 0;
  if (c->GetText(0, startUser) == STORE_OK && c->GetText(1, stopUser) == STORE_OK) c->GetInt(2, timeChanges);
  timeChangeText = timeChanges != 0 ? kTextYes : kTextNo;
  return true;
}

bool GetFilePath(const vt::CatalogueSources& s, int64_t fileId, std::string& path) {
  return ReadFirstText(RunOnIndex(s, "SELECT file_path FROM file WHERE file_id = " + N(fileId) + ";"), path);
}

bool InstrumentExists(const vt::CatalogueSources& s, const std::string& serialNo) {
  return Count(RunOnIndex(
             s, "SELECT count(*) FROM instrument WHERE inst_serial_no = '" + Q(serialNo) + "';")) > 0;
}

bool InstrumentHasFiles(const vt::CatalogueSources& s, const std::string& serialNo) {
  if (Count(RunOnIndex(s, "SELECT count(*) FROM file WHERE inst_serial_no = '" + Q(serialNo) + "' ;")) > 0)
    return true;
  return Count(RunOnIndex(s, "SELECT count(*) FROM trash WHERE inst_serial_no = '" + Q(serialNo) + "' ;")) >
         0;
}

bool IsBatchInSavedGraph(const vt::CatalogueSources& s, const std::string& batchGuid) {
  return Count(RunOnGraphs(s, "SELECT count(*) FROM tag_table WHERE guid = '" + Q(batchGuid) + "' ;")) > 0;
}

int GraphNameExists(const vt::CatalogueSources& s, const std::string& name) {
  int count =
      Count(RunOnGraphs(s, "SELECT count(*) FROM graph_table WHERE graph_name = '" + Q(name) + "' ;"));
  return count < 0 ? 0 : count;
}

int ConditionNameExists(const vt::CatalogueSources& s, const std::string& name) {
  int count = Count(RunOnConditions(s, "SELECT count(*) FROM condition WHERE name = '" + Q(name) + "' ;"));
  return count < 0 ? 0 : count;
}

void SaveSearchCondition(const vt::CatalogueSources& s, const std::string& targetString,
                         const std::string& name, int listKind, const std::string& serialNo,
                         int timeCondition, int64_t fromTime, int64_t toTime, int relativeValue,
                         int relativeUnit, int stringTarget, int alarmKind) {
  if (!s.conditions) return;
  if (s.conditions->Exists(name))
    s.conditions->Update(fromTime, name, listKind, serialNo, timeCondition, toTime, relativeValue,
                         relativeUnit, stringTarget, targetString, alarmKind);
  else
    s.conditions->Insert(fromTime, name, listKind, serialNo, timeCondition, toTime, relativeValue,
                         relativeUnit, stringTarget, targetString, alarmKind);
}

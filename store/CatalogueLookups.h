// The catalogue lookups: single answers from the current storage's index (the display groups and
// channels of a batch, the texts of the property pane, a stored file's path, whether a name or an
// instrument is in use), three from the saved-graph and search-condition databases, and the
// saving of a search condition.
//
// Each lookup runs one statement through its own cursor, which it frees before returning; without
// the database it needs it returns its failure value (false, 0 or nothing). A lookup of a list
// whose step fails before the rows end fails too: a list cut short is never reported whole. Texts placed into
// the statements have their apostrophes doubled, so a GUID text, path, serial number or name holding one is
// found like any other. User-interface thread only.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/CatalogueQueries.h"

// Texts of the property pane.
inline constexpr const char* kTextNo = "No";
inline constexpr const char* kTextYes = "Yes";
inline constexpr const char* kTextUnknown = "UnKnown";
const char* StartFactorText(int factor);
const char* StopFactorText(int factor);

// The display groups of the batch's latest file by group number; false when a column read fails.
bool GetBatchDisplayGroups(const vt::CatalogueSources& s, const std::string& batchGuid,
                           std::vector<int>& numbers, std::vector<std::string>& names);
bool GetDisplayGroupChannels(const vt::CatalogueSources& s, const std::string& batchGuid, int groupNo,
                             std::vector<int>& channels);
// The display groups a message was written to; all groups of the batch when it was written to
// all. False when a group is not defined in the batch's latest file.
bool GetMessageWriteGroups(const vt::CatalogueSources& s, const std::string& batchGuid, int64_t messageId,
                           std::vector<int>& numbers, std::vector<std::string>& names);
bool GetDisplayGroupName(const vt::CatalogueSources& s, const std::string& batchGuid, int groupNo,
                         std::string& name);
int CountDisplayGroupChannels(const vt::CatalogueSources& s, const std::string& batchGuid, int groupNo);
bool GetBatchChannels(const vt::CatalogueSources& s, const std::string& batchGuid,
                      std::vector<int>& channels);
bool GetChannelTagAndPeriod(const vt::CatalogueSources& s, const std::string& batchGuid, int channelNo,
                            std::string& tagName, int64_t& startTime, int64_t& stopTime);
namespace vt {

// One tag_list row; true only when the row was found and all eleven columns read.
struct SChannelTagRow {
  std::string tagName, tagNo, channelName;
  int64_t startTime = 0, stopTime = 0;
  int channelInterval = 0;
  std::string instrumentName, recorderType;
  int dataKind = 0, powerFailure = 0;
  std::string batchName;
};

}  // namespace vt
bool GetChannelTagRow(const vt::CatalogueSources& s, const std::string& batchGuid, int channelNo,
                      vt::SChannelTagRow& row);
bool FindBatchOfFile(const vt::CatalogueSources& s, const std::string& filePath, std::string& batchGuid,
                     int64_t& startTime, int64_t& endTime);

bool GetBatchFileNames(const vt::CatalogueSources& s, const std::string& batchGuid,
                       std::vector<std::string>& names);
bool GetFileName(const vt::CatalogueSources& s, int64_t fileId, std::string& name);
bool GetMessageFileName(const vt::CatalogueSources& s, int64_t messageId, std::string& name);
bool GetFileProperties(const vt::CatalogueSources& s, int64_t fileId, std::string& header,
                       std::string& startFactorText, std::string& stopFactorText, std::string& dataCountText,
                       std::string& timeChangeText);
bool GetFileBatchComments(const vt::CatalogueSources& s, int64_t fileId, std::vector<std::string>& texts);
bool GetBatchComments(const vt::CatalogueSources& s, const std::string& batchGuid,
                      std::vector<std::string>& texts);
bool GetBatchTexts(const vt::CatalogueSources& s, const std::string& batchGuid,
                   std::vector<std::string>& titles, std::vector<std::string>& texts);
bool GetBatchUserNames(const vt::CatalogueSources& s, const std::string& batchGuid, std::string& startUser,
                       std::string& stopUser, std::string& timeChangeText);

bool GetFilePath(const vt::CatalogueSources& s, int64_t fileId, std::string& path);
bool InstrumentExists(const vt::CatalogueSources& s, const std::string& serialNo);
// True when the instrument has stored files or, failing that, deleted ones.
bool InstrumentHasFiles(const vt::CatalogueSources& s, const std::string& serialNo);
bool IsBatchInSavedGraph(const vt::CatalogueSources& s, const std::string& batchGuid);
int GraphNameExists(const vt::CatalogueSources& s, const std::string& name);
int ConditionNameExists(const vt::CatalogueSources& s, const std::string& name);

// Updates the condition of that name, or inserts it when there is none; reports nothing.
void SaveSearchCondition(const vt::CatalogueSources& s, const std::string& targetString,
                         const std::string& name, int listKind, const std::string& serialNo,
                         int timeCondition, int64_t fromTime, int64_t toTime, int relativeValue,
                         int relativeUnit, int stringTarget, int alarmKind);

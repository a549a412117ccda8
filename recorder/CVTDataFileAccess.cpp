// CVTDataFileAccess: the base behaviour of every reader, handing out what Open recorded.
// Index arguments that callers are expected to keep in range are still checked, so that a
// wrong index gives a failure result instead of a read outside the tables.
#include "recorder/CVTDataFileAccess.h"

#include <algorithm>
#include <iterator>
#include <new>

namespace {

template <class T>
void Put(T* out, const T& value) {
  if (out != nullptr) *out = value;
}

}  // namespace

CVTDataFileAccess::CVTDataFileAccess() = default;
CVTDataFileAccess::~CVTDataFileAccess() = default;

void CVTDataFileAccess::Close() {}
void CVTDataFileAccess::GetOpenedPath(std::string* out) { Put(out, m_filePath); }
void CVTDataFileAccess::GetHeaderText(std::string* out) { Put(out, m_headerText); }
void CVTDataFileAccess::GetSerialNo(std::string* out) { Put(out, m_serialNo); }
void CVTDataFileAccess::GetHostName(std::string* out) { Put(out, std::string()); }
void CVTDataFileAccess::GetInstrumentName(std::string* out) { Put(out, m_instrumentName); }
void CVTDataFileAccess::GetRecorderType(std::string* out) { Put(out, m_recorderType); }

vt::Guid* CVTDataFileAccess::GetOriginalDataGuid(vt::Guid* out) {
  Put(out, m_guid);
  return out;
}

int CVTDataFileAccess::GetDataKind() { return m_dataKind; }
int CVTDataFileAccess::GetStartFactor() { return m_startFactor; }
int CVTDataFileAccess::GetStopFactor() { return m_stopFactor; }
int CVTDataFileAccess::GetTimeChangeCount() { return m_timeChangeCount; }
int CVTDataFileAccess::GetDataInterval() { return m_dataInterval; }
int CVTDataFileAccess::GetPowerFailure() { return m_powerFailure; }
void CVTDataFileAccess::GetStartTime(TickTime* out) { Put(out, m_startTime); }
void CVTDataFileAccess::GetEndTime(TickTime* out) { Put(out, m_endTime); }
void CVTDataFileAccess::GetCorrectedStartTime(TickTime* out) { Put(out, m_correctedStartTime); }
void CVTDataFileAccess::GetCorrectedEndTime(TickTime* out) { Put(out, m_correctedEndTime); }
void CVTDataFileAccess::GetStartDataNo(int64_t* out) { Put(out, m_startDataNo); }
void CVTDataFileAccess::GetEndDataNo(int64_t* out) { Put(out, m_endDataNo); }
void CVTDataFileAccess::GetTriggerDataNo(int64_t* out) { Put(out, m_triggerDataNo); }
void CVTDataFileAccess::GetMemStartDataNo(int64_t* out) { Put(out, m_memStartDataNo); }
int CVTDataFileAccess::GetLoggingNo() { return 0; }
void CVTDataFileAccess::GetStartUserName(std::string* out) { Put(out, m_startUserName); }
void CVTDataFileAccess::GetStopUserName(std::string* out) { Put(out, m_stopUserName); }
void CVTDataFileAccess::GetStartUserCode(int* out) { Put(out, m_startUserCode); }
void CVTDataFileAccess::GetStopUserCode(int* out) { Put(out, m_stopUserCode); }
int CVTDataFileAccess::HasBatchInfo() { return m_hasBatchInfo; }
void CVTDataFileAccess::GetBatchNo(std::string* out) { Put(out, m_batchNo); }
int CVTDataFileAccess::HasLotNo() { return m_hasLotNo; }

void CVTDataFileAccess::GetLotNo(int* number, int* digits) {
  if (number == nullptr || digits == nullptr) return;
  *number = m_lotNo;
  *digits = m_lotDigits;
}

void CVTDataFileAccess::GetBatchInfo(std::string* batchNo, int* lotNo, int* digits) {
  Put(batchNo, m_batchNo);
  Put(lotNo, m_lotNo);
  Put(digits, m_lotDigits);
}

int CVTDataFileAccess::GetBatchCommentCount() { return int(m_batchComments.size()); }
int CVTDataFileAccess::GetBatchCommentSlots() { return m_batchCommentSlots; }

int CVTDataFileAccess::GetBatchCommentAt(int position, TickTime* time, std::string* user, std::string* text) {
  if (!time || !user || !text) return 1;
  if (position < 0 || position >= int(m_batchComments.size())) return 1;
  auto it = std::next(m_batchComments.begin(), position);
  *time = it->second.time;
  *user = it->second.user;
  *text = it->second.text;
  return 0;
}

int CVTDataFileAccess::GetBatchTextCount() { return int(m_batchTexts.size()); }
int CVTDataFileAccess::GetBatchTextSlots() { return m_batchTextSlots; }

int CVTDataFileAccess::GetBatchTextAt(int position, std::string* title, std::string* text) {
  if (!title || !text) return 1;
  if (position < 0 || position >= int(m_batchTexts.size())) return 1;
  auto it = std::next(m_batchTexts.begin(), position);
  *title = it->second.title;
  *text = it->second.text;
  return 0;
}

int CVTDataFileAccess::GetGroupCount() { return int(m_groups.size()); }
int CVTDataFileAccess::GetUsedGroupCount() { return int(m_usedGroups.size()); }

int CVTDataFileAccess::GetUsedGroupNo(int i) {
  if (i < 0 || i >= int(m_usedGroups.size())) return -1;
  const int g = m_usedGroups[size_t(i)];
  return GetGroupNo(g);
}

int CVTDataFileAccess::GetGroupInfo(int, std::string*, int*, int*, int*) { return 1; }
int CVTDataFileAccess::GetGroupChannel(int, int, vt::SGroupChannelInfo*) { return 1; }

int CVTDataFileAccess::FindGroup(int groupNo) {
  for (size_t i = 0; i < m_groups.size(); ++i)
    if (m_groups[i].groupNo == groupNo) return int(i);
  return -1;
}

int CVTDataFileAccess::GetGroupNo(int groupIndex) {
  if (groupIndex < 0 || groupIndex >= int(m_groups.size())) return -1;
  return m_groups[size_t(groupIndex)].groupNo;
}

int CVTDataFileAccess::FindChannelInGroup(int channelNo, int groupNo) {
  const int g = FindGroup(groupNo);
  if (g < 0) return -1;
  const vt::SFileGroup& group = m_groups[size_t(g)];
  for (size_t i = 0; i < group.channelNos.size(); ++i)
    if (group.channelNos[i] == channelNo) return int(i);
  return -1;
}

int CVTDataFileAccess::GetChannelCount() { return int(m_channelNos.size()); }
int CVTDataFileAccess::GetChannelInfo(int, vt::SChannelInfo*) { return 1; }

int CVTDataFileAccess::GetChannelDataType(int channelIndex) {
  if (channelIndex < 0 || channelIndex >= int(m_channelTypes.size())) return vt::CHANNEL_TYPE_NONE;
  return m_channelTypes[size_t(channelIndex)];
}

int CVTDataFileAccess::FindChannel(int channelNo) {
  for (size_t i = 0; i < m_channelNos.size(); ++i)
    if (m_channelNos[i] == channelNo) return int(i);
  return -1;
}

int CVTDataFileAccess::GetChannelNo(int channelIndex) {
  if (channelIndex < 0 || channelIndex >= int(m_channelNos.size())) return -1;
  return m_channelNos[size_t(channelIndex)];
}

int CVTDataFileAccess::GetMessageCount() { return int(m_messages.size()); }

int CVTDataFileAccess::GetMessage(int index, std::string* user, int* messageNo, int* serial,
                                  int64_t* relativeDataNo, int* secondWord, std::string* text, int* word36,
                                  int* groupCount, TickTime* messageTime, TickTime* inputTime) {
  if (index < 0 || index >= int(m_messages.size())) return 1;
  const vt::SFileMessage& m = m_messages[size_t(index)];
  Put(user, m.user);
  Put(messageNo, m.messageNo);
  Put(serial, m.serial);
  Put(relativeDataNo, m.relativeDataNo);
  Put(secondWord, m.secondWord);
  Put(text, m.text);
  Put(word36, m.word36);
  Put(groupCount, m.groupCount);
  Put(messageTime, m.messageTime);
  Put(inputTime, m.inputTime);
  return 0;
}

int CVTDataFileAccess::GetMessageGroup(int index, int j, int* groupNo) {
  if (index < 0 || index >= int(m_messages.size())) return 1;
  const vt::SFileMessage& m = m_messages[size_t(index)];
  if (j < 0 || j >= int(m.groups.size())) return 1;
  Put(groupNo, m.groups[size_t(j)]);
  return 0;
}

int CVTDataFileAccess::ReadRecords(int, int, int, CVTData*, bool) { return 1; }
int CVTDataFileAccess::GetAlarmCount() { return m_alarmCount; }

int CVTDataFileAccess::GetAlarm(int, int*, int64_t*, TickTime*, int*, int*, int*, int*) { return 1; }

int CVTDataFileAccess::GetTriggerTime(TickTime* out) {
  if (out == nullptr) return 1;
  *out = m_triggerTime;
  return 0;
}

int CVTDataFileAccess::GetTimeBlockStarts(std::vector<int64_t>*) { return 0; }

void CVTDataFileAccess::ClearOpenTables() {
  m_batchComments.clear();
  m_batchTexts.clear();
  m_groups.clear();
  m_usedGroups.clear();
  m_channelNos.clear();
  m_channelTypes.clear();
  m_messages.clear();
}

int CVTDataFileAccess::GetBatchComment(int number, TickTime* time, std::string* user,
                                       std::string* text) const {
  auto it = m_batchComments.find(number);
  if (it == m_batchComments.end()) return 1;
  Put(time, it->second.time);
  Put(user, it->second.user);
  Put(text, it->second.text);
  return 0;
}

bool CVTDataFileAccess::HasBatchText(int number) const { return m_batchTexts.count(number) != 0; }

int CVTDataFileAccess::GetBatchText(int number, std::string* title, std::string* text) const {
  auto it = m_batchTexts.find(number);
  if (it == m_batchTexts.end()) return 1;
  Put(title, it->second.title);
  Put(text, it->second.text);
  return 0;
}

int CVTDataFileAccess::ReadDisplayValues(int, int, int, TickTime*, std::vector<int32_t>*,
                                         std::vector<int32_t>*, int*) {
  return 1;
}

int CVTDataFileAccess::ReadEventRecord(int, int, int, TickTime*, std::vector<int32_t>*, int*) { return 1; }

int CVTDataFileAccess::ReadAlarmFlags(int, int, int, std::vector<uint8_t>*, int*) { return 1; }

TickTime CVTDataFileAccess::RangeStartTime(TickTime reported, int) const { return reported; }

namespace {

// The recorder state of each raw value.
void States(const std::vector<int32_t>& values, int size, RecorderFormat format, int count,
            std::vector<uint8_t>* states) {
  states->resize(std::size_t(count));
  uint8_t* out = states->data();
  const int32_t* in = values.data();
  for (int i = 0; i < count; ++i) out[i] = uint8_t(RecorderStateOfRaw(in[i], size, format));
}

}  // namespace

int CVTDataFileAccess::ReadColumns(const std::vector<int>& channelIndexes, int start, int count,
                                   vt::CVTColumns* out) {
  // A range past the last record fails in the reads below.
  if (out == nullptr || start < 0 || count < 0) return 1;
  for (int c : channelIndexes)
    if (c < 0 || c >= GetChannelCount()) return 1;
  const bool display = m_dataKind == DATA_KIND_DISPLAY;
  try {
    out->Reset(m_dataKind, int(channelIndexes.size()), count);
    TickTime first;
    bool gridKnown = false;
    for (std::size_t k = 0; k < channelIndexes.size(); ++k) {
      const int c = channelIndexes[k];
      vt::CVTColumns::Column& column = out->GetColumn(int(k));
      column.channelIndex = c;
      int read = 0;
      if (ReadAlarmFlags(c, start, count, &column.flags, &read) != 0 || read != count) return 1;
      const int type = GetChannelDataType(c);
      if (type != vt::CHANNEL_TYPE_SHORT && type != vt::CHANNEL_TYPE_INT) continue;
      column.valueType = type == vt::CHANNEL_TYPE_SHORT ? VALUE_TYPE_SHORT : VALUE_TYPE_INT;
      column.hasSamples = true;
      if (count == 0) continue;
      TickTime reported;
      const int r = display
                        ? ReadDisplayValues(c, start, count, &reported, &column.values, &column.maxima, &read)
                        : ReadEventRecord(c, start, count, &reported, &column.values, &read);
      if (r != 0 || read != count) return 1;
      if (!HasValueField(c)) {
        std::fill_n(column.values.begin(), count, 0);
        if (display) std::fill_n(column.maxima.begin(), count, 0);
      }
      const int size = type == vt::CHANNEL_TYPE_SHORT ? 2 : 4;
      States(column.values, size, GetStateFormat(), count, &column.states);
      if (display) States(column.maxima, size, GetStateFormat(), count, &column.maxStates);
      if (!gridKnown) first = RangeStartTime(reported, start), gridKnown = true;
    }
    out->SetGrid(first, m_dataInterval);
  } catch (const std::bad_alloc&) {
    return 2;
  }
  return 0;
}

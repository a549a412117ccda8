// CVTFile: one stored data file read through its lazily opened reader (see CVTFile.h).
#include "store/CVTFile.h"

#include <algorithm>
#include <cstdio>

#include "platform/base/FileSystem.h"
#include "platform/base/Paths.h"
#include "recorder/FileAccessFactory.h"
#include "store/IndexSchema.h"
#include "store/VTDataStorage.h"

std::atomic<int> CVTFile::s_openReaders{0};

namespace {

std::function<void(const CVTFile&)>& ReadHook() {
  static std::function<void(const CVTFile&)> hook;
  return hook;
}

}  // namespace

void CVTFile::SetReadHookForTests(std::function<void(const CVTFile&)> hook) { ReadHook() = std::move(hook); }

namespace {

TickTime TimeOfRecord(const SRecordData* r) {
  if (r->GetKind() == DATA_KIND_EVENT)
    return r->GetValueType() == VALUE_TYPE_SHORT ? static_cast<const SEventShortData*>(r)->time
                                                 : static_cast<const SEventIntData*>(r)->time;
  return r->GetValueType() == VALUE_TYPE_SHORT ? static_cast<const SDispShortData*>(r)->time
                                               : static_cast<const SDispIntData*>(r)->time;
}

bool DeliversSamples(int dataType) {
  return dataType == vt::CHANNEL_TYPE_SHORT || dataType == vt::CHANNEL_TYPE_INT;
}

// The channel whose records give a block's times: the first one that delivers samples.
int TimeChannel(CVTDataFileAccess* reader) {
  const int n = reader->GetChannelCount();
  for (int i = 0; i < n; ++i)
    if (DeliversSamples(reader->GetChannelDataType(i))) return i;
  return 0;
}

bool Overlaps(TickTime from, TickTime to, TickTime start, TickTime stop) {
  return !(to < start || from > stop);
}

bool Within(TickTime t, TickTime from, TickTime to) { return !(t < from || t > to); }

}  // namespace

CVTFile::CVTFile(CVTDataStorage* storage) { m_storage = storage; }

CVTFile::~CVTFile() { Unload(); }

int CVTFile::Init(const std::string& relativePath, int64_t fileId, int64_t batchId, int64_t recordCount,
                  int timeChangeCount, const vt::Guid& batchGuid, TickTime start, TickTime end,
                  TickTime trigger) {
  vt::DataLockGuard guard(ReadLock());
  if (m_storage == nullptr) return STORE_FAILED;
  m_path = vt::JoinPath(m_storage->GetFolder(), relativePath);
  if (!vt::FileExists(m_path)) return STORE_FILE_MISSING;
  m_fileId = fileId;
  m_id = batchId;
  m_recordCount = recordCount;
  m_timeChangeCount = timeChangeCount;
  m_guid = batchGuid;
  m_startTime = start;
  m_stopTime = end;
  m_triggerTime = trigger;
  if (m_storage->GetConnection() == nullptr) return STORE_FAILED;

  m_blockStarts.assign(1, 0);
  if (timeChangeCount >= 1) {
    CVTDataFileAccess* reader = GetFileAccess();
    if (reader == nullptr) return STORE_FAILED;
    reader->GetTimeBlockStarts(&m_blockStarts);
    if (m_blockStarts.empty()) m_blockStarts.assign(1, 0);
  }
  m_blockCount = int(m_blockStarts.size());
  m_blockStartTimes.assign(size_t(m_blockCount), start);
  m_blockEndTimes.assign(size_t(m_blockCount), end);
  if (m_blockCount > 1) {
    CVTDataFileAccess* reader = GetFileAccess();
    if (reader == nullptr) return STORE_FAILED;
    const int channel = TimeChannel(reader);
    for (int b = 0; b < m_blockCount; ++b) {
      int64_t first = 0, past = 0;
      BlockRange(b, &first, &past);
      if (ReadRecordTime(channel, first, &m_blockStartTimes[size_t(b)]) != STORE_OK ||
          ReadRecordTime(channel, past - 1, &m_blockEndTimes[size_t(b)]) != STORE_OK)
        return STORE_FAILED;
    }
  }
  m_loaded = true;
  return STORE_OK;
}

CVTDataFileAccess* CVTFile::GetFileAccess() {
  vt::DataLockGuard guard(ReadLock());
  if (m_reader) return m_reader.get();
  if (m_path.empty()) return nullptr;  // never initialised: nothing to open, nothing to report
  CVTDataFileAccess* reader = nullptr;
  if (CVTDataStorage::OpenStoredFile(m_path, &reader) != vt::FILE_ACCESS_OK || reader == nullptr) {
    if (m_storage != nullptr) m_storage->SetStatus(kStatusAbnormalFiles);
    return nullptr;
  }
  m_reader.reset(reader);
  s_openReaders.fetch_add(1, std::memory_order_relaxed);
  return reader;
}

void CVTFile::CloseReader() {
  if (!m_reader) return;
  m_reader.reset();
  s_openReaders.fetch_sub(1, std::memory_order_relaxed);
}

void CVTFile::BlockRange(int block, int64_t* first, int64_t* end) const {
  *first = m_blockStarts[size_t(block)];
  *end = block + 1 < m_blockCount ? m_blockStarts[size_t(block) + 1] : m_recordCount;
}

bool CVTFile::InBlock(int64_t relativeDataNo, int block) const {
  if (block == WHOLE_RECORDING_BLOCK) return true;
  if (relativeDataNo < m_blockStarts[size_t(block)]) return false;
  return block + 1 >= m_blockCount || relativeDataNo <= m_blockStarts[size_t(block) + 1];
}

int CVTFile::ReadRecordTime(int channelIndex, int64_t position, TickTime* out) {
  if (position < 0 || position >= RECORD_RANGE_LIMIT) return STORE_FAILED;
  CVTData one;
  if (m_reader->ReadRecords(channelIndex, int(position), 1, &one, true) != 0 || one.GetCount() < 1)
    return STORE_FAILED;
  *out = TimeOfRecord(one.GetRecord(0));
  return STORE_OK;
}

bool CVTFile::HasChannel(int channelNo) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded) return false;
  CVTDataFileAccess* reader = GetFileAccess();
  return reader != nullptr && reader->FindChannel(channelNo) != -1;
}

int CVTFile::GetTimeChangeCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_timeChangeCount;
}

int CVTFile::GetTimeBlockCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_blockCount;
}

int CVTFile::GetTimeBlock(int block, TickTime* start, TickTime* end) {
  vt::DataLockGuard guard(ReadLock());
  if (start == nullptr || end == nullptr || !m_loaded) return STORE_FAILED;
  if (block == WHOLE_RECORDING_BLOCK) {
    *start = m_startTime;
    *end = m_stopTime;
    return STORE_OK;
  }
  if (block < 0 || block >= m_blockCount) return STORE_FAILED;
  *start = m_blockStartTimes[size_t(block)];
  *end = m_blockEndTimes[size_t(block)];
  return STORE_OK;
}

int CVTFile::GetDataKind(int* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  *out = reader->GetDataKind();
  return STORE_OK;
}

int CVTFile::GetRecordCount(int, int64_t* out, bool) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  *out = m_recordCount;
  return STORE_OK;
}

int CVTFile::GetDataInterval(int, int* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  if (m_dataInterval < 0) {
    CVTDataFileAccess* reader = GetFileAccess();
    if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
    m_dataInterval = reader->GetDataInterval();
  }
  *out = m_dataInterval;
  return STORE_OK;
}

int CVTFile::GetChannelDataType(int channelNo, int* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  const int index = reader->FindChannel(channelNo);
  if (index < 0) return STORE_INVALID_CHANNEL;
  *out = reader->GetChannelDataType(index);
  return STORE_OK;
}

int CVTFile::ReadRecordsAt(int channelNo, int64_t position, int64_t count, CVTData* buffer) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || buffer == nullptr) return STORE_FAILED;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  const int index = reader->FindChannel(channelNo);
  if (index < 0) return STORE_INVALID_CHANNEL;
  if (count >= RECORD_RANGE_LIMIT) return STORE_RANGE_TOO_LARGE;
  // Only records the file has are asked for: a read running past its end would fail whole.
  if (count < 0 || position < 0 || position >= m_recordCount) return STORE_FAILED;
  const int64_t n = std::min(count, m_recordCount - position);
  if (position + n > RECORD_RANGE_LIMIT - 1) return STORE_RANGE_TOO_LARGE;
  if (n == 0) return STORE_OK;
  if (buffer->GetCapacity() < 1) {
    const int r = buffer->Allocate(reader->GetDataKind(), reader->GetChannelDataType(index), int(count));
    if (r != STORE_OK) return r;
  }
  // The reader appends straight to the caller's buffer: the outcome is that of copying record by
  // record from a buffer of our own (a full buffer keeps what fitted and fails), one copy fewer.
  if (ReadHook()) ReadHook()(*this);
  return reader->ReadRecords(index, int(position), int(n), buffer, m_blockCount > 1) == 0 ? STORE_OK
                                                                                          : STORE_FAILED;
}

int CVTFile::ReadRecords(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block, bool) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || buffer == nullptr) return STORE_FAILED;
  if (!Overlaps(from, to, m_startTime, m_stopTime)) return STORE_FAILED;
  if (m_timeChangeCount == 0 && block > 0) return STORE_OK;
  if (block == WHOLE_RECORDING_BLOCK) {
    // A buffer made here holds the whole file, not only its first block.
    for (int b = 0; b < m_blockCount; ++b)
      if (int r = ReadBlock(channelNo, from, to, buffer, b, m_recordCount); r != STORE_OK) return r;
    return STORE_OK;
  }
  if (block < 0 || block >= m_blockCount) return STORE_FAILED;
  return ReadBlock(channelNo, from, to, buffer, block, 0);
}

int CVTFile::ReadBlock(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block,
                       int64_t capacity) {
  int64_t first = 0, past = 0;
  BlockRange(block, &first, &past);
  const int64_t records = past - first;
  if (records >= RECORD_RANGE_LIMIT || past > RECORD_RANGE_LIMIT) return STORE_RANGE_TOO_LARGE;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  const int index = reader->FindChannel(channelNo);
  if (index < 0) return STORE_INVALID_CHANNEL;
  if (records <= 0) return STORE_OK;
  if (buffer->GetCapacity() < 1) {
    const int64_t size = std::max(capacity, records);
    if (size >= RECORD_RANGE_LIMIT) return STORE_RANGE_TOO_LARGE;
    const int r = buffer->Allocate(reader->GetDataKind(), reader->GetChannelDataType(index), int(size));
    if (r != STORE_OK) return r;
  }
  int64_t start = 0, count = 0;
  if (int r = WindowOfBlock(index, block, from, to, &start, &count); r != STORE_OK || count == 0) return r;
  if (ReadHook()) ReadHook()(*this);
  // Without a regular interval there is no grid to place the window on: the whole block is read.
  return reader->ReadRecords(index, int(start), int(count), buffer, m_blockCount > 1) == 0 ? STORE_OK
                                                                                           : STORE_FAILED;
}

int CVTFile::WindowOfBlock(int channelIndex, int block, TickTime from, TickTime to, int64_t* start,
                           int64_t* count) {
  int64_t first = 0, past = 0;
  BlockRange(block, &first, &past);
  const int64_t records = past - first;
  *start = first, *count = 0;
  if (records <= 0) return STORE_OK;
  if (m_dataInterval < 0) m_dataInterval = m_reader->GetDataInterval();
  const int64_t interval = m_dataInterval;
  int64_t skip = 0, n = records;
  if (interval > 0) {
    TickTime t0;
    if (ReadRecordTime(channelIndex, first, &t0) != STORE_OK) return STORE_FAILED;
    const TickTime blockLast = t0.PlusMilliseconds((records - 1) * interval);
    if (from > t0) skip = (from.DiffMilliseconds(t0) + interval - 1) / interval;
    const TickTime firstRead = t0.PlusMilliseconds(skip * interval);
    const TickTime lastRead = to < blockLast ? to : blockLast;
    if (lastRead < firstRead) return STORE_OK;  // the window misses this block
    n = lastRead.DiffMilliseconds(firstRead) / interval + 1;
  }
  *start = first + skip, *count = n;
  return STORE_OK;
}

int CVTFile::ReadColumns(const std::vector<int>& channelNos, TickTime from, TickTime to, int block,
                         int rangeRecords, const ColumnSink& sink) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || !sink || rangeRecords < 1) return STORE_FAILED;
  if (!Overlaps(from, to, m_startTime, m_stopTime)) return STORE_FAILED;
  if (m_timeChangeCount == 0 && block > 0) return STORE_OK;
  if (block == WHOLE_RECORDING_BLOCK) {
    for (int b = 0; b < m_blockCount; ++b)
      if (int r = ReadColumnsOfBlock(channelNos, from, to, b, rangeRecords, sink); r != STORE_OK) return r;
    return STORE_OK;
  }
  if (block < 0 || block >= m_blockCount) return STORE_FAILED;
  return ReadColumnsOfBlock(channelNos, from, to, block, rangeRecords, sink);
}

int CVTFile::ReadColumnsOfBlock(const std::vector<int>& channelNos, TickTime from, TickTime to, int block,
                                int rangeRecords, const ColumnSink& sink) {
  int64_t first = 0, past = 0;
  BlockRange(block, &first, &past);
  if (past - first >= RECORD_RANGE_LIMIT || past > RECORD_RANGE_LIMIT) return STORE_RANGE_TOO_LARGE;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  m_columnIndexes.clear(), m_columnPlaces.clear();
  for (size_t k = 0; k < channelNos.size(); ++k)
    if (const int index = reader->FindChannel(channelNos[k]); index >= 0) {
      m_columnIndexes.push_back(index);
      m_columnPlaces.push_back(int(k));
    }
  if (m_columnIndexes.empty()) return STORE_INVALID_CHANNEL;
  int64_t start = 0, count = 0;
  if (int r = WindowOfBlock(m_columnIndexes[0], block, from, to, &start, &count); r != STORE_OK || count == 0)
    return r;
  if (ReadHook()) ReadHook()(*this);
  for (int64_t done = 0; done < count;) {
    const int n = int(std::min<int64_t>(rangeRecords, count - done));
    if (const int r = reader->ReadColumns(m_columnIndexes, int(start + done), n, &m_columns); r != 0)
      return STORE_FAILED;
    vt::SColumnPiece piece;
    piece.first = m_columns.GetFirstTime();
    piece.intervalMs = m_columns.GetIntervalMs();
    piece.count = n;
    piece.columns = &m_columns;
    piece.places = &m_columnPlaces;
    if (!sink(piece)) return STORE_INTERRUPTED;
    done += n;
  }
  return STORE_OK;
}

int CVTFile::GetChannelCount() {
  return AskReader([&](CVTDataFileAccess& reader) { return reader.GetChannelCount(); });
}

int CVTFile::GetChannelNo(int index) {
  return AskReader([&](CVTDataFileAccess& reader) { return reader.GetChannelNo(index); });
}

int CVTFile::GetUsedGroupCount() {
  return AskReader([&](CVTDataFileAccess& reader) { return reader.GetUsedGroupCount(); });
}

int CVTFile::GetGroupCount() {
  return AskReader([&](CVTDataFileAccess& reader) { return reader.GetGroupCount(); });
}

int CVTFile::GetUsedGroupNo(int i) {
  return AskReader([&](CVTDataFileAccess& reader) { return reader.GetUsedGroupNo(i); });
}

int CVTFile::GetGroupInfo(int groupNo, std::string* name, int* channelCount, int* inUse) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || name == nullptr || channelCount == nullptr || inUse == nullptr) return STORE_FAILED;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  const int group = reader->FindGroup(groupNo);
  int number = 0;
  if (group < 0 || reader->GetGroupInfo(group, name, channelCount, &number, inUse) != 0) return STORE_FAILED;
  return STORE_OK;
}

int CVTFile::GetGroupChannelInfo(int groupNo, int channelNo, vt::SGroupChannelInfo* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  const int group = reader->FindGroup(groupNo);
  const int place = reader->FindChannelInGroup(channelNo, groupNo);
  if (group < 0 || place < 0 || reader->GetGroupChannel(group, place, out) != 0) return STORE_FAILED;
  return STORE_OK;
}

int CVTFile::GetChannelInfo(int channelNo, vt::SChannelInfo* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  CVTDataFileAccess* reader = GetFileAccess();
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  const int index = reader->FindChannel(channelNo);
  if (index < 0) return STORE_INVALID_CHANNEL;
  return reader->GetChannelInfo(index, out) == 0 ? STORE_OK : STORE_FAILED;
}

int CVTFile::GetMessageCount() {
  vt::DataLockGuard guard(ReadLock());
  if (m_messageCount >= 0) return m_messageCount;
  CVTDataFileAccess* reader = m_loaded ? GetFileAccess() : nullptr;
  if (reader == nullptr) return 0;
  m_messageCount = reader->GetMessageCount();
  return m_messageCount;
}

int CVTFile::ListingReader(TickTime from, TickTime to, bool hasList, int block, CVTDataFileAccess** reader) {
  if (!m_loaded || !hasList) return STORE_FAILED;
  if (!Overlaps(from, to, m_startTime, m_stopTime)) return STORE_FAILED;
  if (block != WHOLE_RECORDING_BLOCK && (block < 0 || block >= m_blockCount)) return STORE_FAILED;
  *reader = GetFileAccess();
  return *reader != nullptr ? STORE_OK : STORE_UNSUPPORTED_FILE;
}

int CVTFile::GetMessages(int group, TickTime from, TickTime to, CVTMessageList* list, int block) {
  vt::DataLockGuard guard(ReadLock());
  CVTDataFileAccess* reader = nullptr;
  if (int r = ListingReader(from, to, list != nullptr, block, &reader); r != STORE_OK) return r;
  const int count = reader->GetMessageCount();
  std::vector<int> groups;
  for (int i = 0; i < count; ++i) {
    std::string user, text;
    int number = 0, serial = 0, secondWord = 0, word36 = 0, groupCount = 0;
    int64_t relativeDataNo = 0;
    TickTime messageTime, inputTime;
    if (reader->GetMessage(i, &user, &number, &serial, &relativeDataNo, &secondWord, &text, &word36,
                           &groupCount, &messageTime, &inputTime) != 0)
      return STORE_INVALID_FILE;
    groups.assign(1, 0);  // AddMessage wants an array even for no groups
    bool inGroup = group == 0 || groupCount == 0 || groupCount == -1;
    if (groupCount > 0) {
      groups.resize(size_t(groupCount));
      for (int j = 0; j < groupCount; ++j) {
        if (reader->GetMessageGroup(i, j, &groups[size_t(j)]) != 0) return STORE_INVALID_FILE;
        if (groups[size_t(j)] == group) inGroup = true;
      }
    }
    if (!inGroup || !Within(messageTime, from, to) || !InBlock(relativeDataNo, block)) continue;
    if (list->AddMessage(groupCount, groups.data(), user, text, word36, messageTime, inputTime) != STORE_OK)
      return STORE_FAILED;
  }
  return STORE_OK;
}

int CVTFile::GetTriggerCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_loaded ? 1 : 0;
}

int CVTFile::GetTriggerTimes(TickTime* times, int capacity, int* count) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || count == nullptr || (times == nullptr && capacity > 0)) return STORE_FAILED;
  *count = capacity > 0 ? 1 : 0;
  if (*count == 1) times[0] = m_triggerTime;
  return STORE_OK;
}

void CVTFile::CloseReaders() {
  vt::DataLockGuard guard(ReadLock());
  CloseReader();
}

void CVTFile::Unload() {
  vt::DataLockGuard guard(ReadLock());
  CloseReader();
  m_blockCount = 0;
  m_blockStarts.clear();
  m_blockStartTimes.clear();
  m_blockEndTimes.clear();
  m_path.clear();
  m_fileId = 0;
  m_recordCount = 0;
  m_timeChangeCount = 0;
  m_dataInterval = -1;
  m_triggerTime = TickTime();
  CVTFileInterface::Unload();
}

int CVTFile::GetAlarmCount() {
  vt::DataLockGuard guard(ReadLock());
  if (m_alarmCount >= 0) return m_alarmCount;
  CVTDataFileAccess* reader = m_loaded ? GetFileAccess() : nullptr;
  if (reader == nullptr) return 0;
  m_alarmCount = reader->GetAlarmCount();
  return m_alarmCount;
}

int CVTFile::GetAlarms(int channelNo, TickTime from, TickTime to, CVTAlarmList* list, int block) {
  vt::DataLockGuard guard(ReadLock());
  CVTDataFileAccess* reader = nullptr;
  if (int r = ListingReader(from, to, list != nullptr, block, &reader); r != STORE_OK) return r;
  const int count = reader->GetAlarmCount();
  for (int i = 0; i < count; ++i) {
    int channelIndex = -1, action = 0, level = 0, type = 0, lastWord = 0;
    int64_t relativeDataNo = 0;
    TickTime time;
    if (reader->GetAlarm(i, &channelIndex, &relativeDataNo, &time, &action, &level, &type, &lastWord) != 0)
      return STORE_INVALID_FILE;
    const int alarmChannel = channelIndex < 0 ? -1 : reader->GetChannelNo(channelIndex);
    const bool wanted =
        channelNo == 0 || alarmChannel == -1 || (channelNo != -1 && alarmChannel == channelNo);
    if (!wanted || !InBlock(relativeDataNo, block) || !Within(time, from, to)) continue;
    if (list->AddAlarm(action, alarmChannel, level, type, lastWord, time) != STORE_OK) return STORE_FAILED;
  }
  return STORE_OK;
}

int CVTFile::BuildHeaderInfo() {
  vt::DataLockGuard guard(ReadLock());
  if (m_headerBuilt) return STORE_OK;
  CVTDataFileAccess* reader = m_loaded ? GetFileAccess() : nullptr;
  if (reader == nullptr) return STORE_UNSUPPORTED_FILE;
  CVTDataHeaderInfo h;
  std::string batchNo;
  int lotNo = 0, digits = 0;
  reader->GetBatchInfo(&batchNo, &lotNo, &digits);
  char lot[32];
  std::snprintf(lot, sizeof lot, "%0*d", std::clamp(digits, 0, 20), lotNo);
  h.batchName = batchNo + " " + lot;
  reader->GetHeaderText(&h.headerText);
  reader->GetInstrumentName(&h.instrumentName);
  reader->GetRecorderType(&h.recorderType);
  reader->GetSerialNo(&h.serialNumber);
  h.startTime = m_startTime;
  h.stopTime = m_stopTime;
  h.startFactor = reader->GetStartFactor();
  h.stopFactor = reader->GetStopFactor();
  h.dataInterval = reader->GetDataInterval();
  h.timeChangeCount = reader->GetTimeChangeCount();
  h.dataCount = m_recordCount;
  h.hasBatchInfo = reader->HasBatchInfo() != 0;
  h.batchTextCount = reader->GetBatchTextSlots();
  h.batchCommentCount = reader->GetBatchCommentSlots();
  for (int n = 0; n < h.batchTextCount; ++n) {
    SBatchText text;
    if (reader->GetBatchText(n, &text.title, &text.text) == 0) h.SetBatchText(n, text);
  }
  for (int n = 0; n < h.batchCommentCount; ++n) {
    SBatchComment comment;
    if (reader->GetBatchComment(n, &comment.time, &comment.user, &comment.text) == 0)
      h.SetBatchComment(n, comment);
  }
  m_headerInfo = h;
  m_headerBuilt = true;
  return STORE_OK;
}

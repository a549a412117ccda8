// CVTBatch: one batch of continuous data over its stored files (see CVTBatch.h).
#include "store/CVTBatch.h"

#include <algorithm>
#include <set>

#include "store/CVTBatchCache.h"
#include "store/FolderHelpers.h"
#include "store/IndexSchema.h"
#include "store/VTDataStorage.h"

namespace {

constexpr int64_t kTicksPerMs = 10000;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

constexpr const char* kMessagesOfAllGroups =
    "SELECT user_name, message_text, input_time, message_time, message.message_id FROM message INNER JOIN  "
    "message_write_group ON message.message_id = message_write_group.message_id WHERE cont_data_id= ? AND ? "
    "<= message.message_time AND message.message_time <= ?;";
constexpr const char* kMessagesWrittenToAll =
    "SELECT user_name, message_text, input_time, message_time, message.message_id FROM message INNER JOIN  "
    "message_write_group ON message.message_id = message_write_group.message_id WHERE cont_data_id= ? AND "
    "message_write_group.display_group_no = -1 AND ? <= message.message_time AND message.message_time <= ?;";
constexpr const char* kMessagesOfGroup =
    "SELECT user_name, message_text, input_time, message_time, message.message_id FROM message INNER JOIN  "
    "message_write_group ON message.message_id = message_write_group.message_id WHERE cont_data_id= ? AND "
    "(message_write_group.display_group_no = ? OR message_write_group.display_group_no = -1 )AND ? <= "
    "message.message_time AND message.message_time <= ?;";
constexpr const char* kMessageGroups =
    "SELECT display_group_no FROM message_write_group WHERE message_id = ? ORDER BY display_group_no;";
constexpr const char* kAlarmColumns =
    "SELECT channel_no, alarm_time, alarm_level, alarm_action, alarm_type FROM alarm WHERE cont_data_id= ? ";

}  // namespace

CVTBatch::CVTBatch(CVTDataStorage* storage) { m_storage = storage; }

CVTBatch::~CVTBatch() { Unload(); }

CVTFile* CVTBatch::GetFile(int i) const {
  vt::DataLockGuard guard(ReadLock());
  return i >= 0 && i < int(m_files.size()) ? m_files[size_t(i)].get() : nullptr;
}

int CVTBatch::GetFileBlockOffset(int i) const {
  vt::DataLockGuard guard(ReadLock());
  return i >= 0 && i < int(m_fileOffsets.size()) ? m_fileOffsets[size_t(i)] : 0;
}

void CVTBatch::CheckReaderLimit() {
  if (CVTFile::OpenReaderCount() >= OPEN_READER_LIMIT) CVTBatchCache::Instance().CloseIdleReaders();
}

int CVTBatch::Load(const vt::Guid& guid) {
  vt::DataLockGuard guard(ReadLock());
  if (m_loaded) Unload();
  if (m_storage == nullptr) return STORE_FAILED;
  CVTDataStorage::StorageLock storageLock(*m_storage);
  m_guid = guid;
  if (m_storage->GetConnection() == nullptr) return STORE_FAILED;

  std::unique_ptr<CVTTable> row = m_storage->NewTable();
  std::string guidText;
  GuidToString(guid, guidText);
  if (!row ||
      row->Prepare(
          "SELECT cont_data_id, start_time, stop_time FROM continuous_data_info WHERE cont_data_guid = ?;") !=
          STORE_OK ||
      row->BindText(0, guidText) != STORE_OK || row->Execute() != STORE_OK || row->Fetch() != STORE_ROW ||
      row->GetInt64(0, m_id) != STORE_OK || row->GetInt64(1, m_startTime.ticks) != STORE_OK ||
      row->GetInt64(2, m_stopTime.ticks) != STORE_OK)
    return STORE_FAILED;
  row.reset();

  if (LoadFiles() != STORE_OK) {
    m_storage->SetStatus(kStatusCorrupted);
    return STORE_CORRUPTED;
  }
  int kind = DATA_KIND_NONE;
  if (m_files.empty() || m_files.back()->GetDataKind(&kind) != STORE_OK) return STORE_CORRUPTED;
  m_loaded = true;
  return STORE_OK;
}

bool CVTBatch::OpensNewBlock(TickTime previousEnd, TickTime start) const {
  if (m_dataInterval <= 0) return true;
  const int64_t gap = start.DiffMilliseconds(previousEnd);
  return gap < 0 || gap % m_dataInterval != 0;
}

int CVTBatch::LoadFiles() {
  std::unique_ptr<CVTTable> table = m_storage->NewTable();
  int64_t fileCount = 0;
  if (!table || table->Prepare("SELECT COUNT(*) FROM file WHERE cont_data_id = ?;") != STORE_OK ||
      table->BindInt64(0, m_id) != STORE_OK || table->Execute() != STORE_OK || table->Fetch() != STORE_ROW ||
      table->GetInt64(0, fileCount) != STORE_OK)
    return STORE_FAILED;
  m_triggerTimes.reserve(size_t(std::clamp<int64_t>(fileCount, 0, 100000)));

  table = m_storage->NewTable();
  if (!table ||
      table->Prepare(
          "SELECT file_path, file_id, start_time, end_time , trigger_time, end_data_no - "
          "start_data_no  + 1, chng_time_cnt FROM file WHERE cont_data_id = ? ORDER BY end_data_no "
          "ASC;") != STORE_OK ||
      table->BindInt64(0, m_id) != STORE_OK || table->Execute() != STORE_OK)
    return STORE_FAILED;

  int running = 0;  // the batch block number of the last block seen so far
  int fetched;
  while ((fetched = table->Fetch()) == STORE_ROW) {
    std::string path;
    int64_t fileId = 0, records = 0;
    TickTime start, end, trigger;
    int changes = 0;
    if (table->GetText(0, path) != STORE_OK || table->GetInt64(1, fileId) != STORE_OK ||
        table->GetInt64(2, start.ticks) != STORE_OK || table->GetInt64(3, end.ticks) != STORE_OK ||
        table->GetInt64(4, trigger.ticks) != STORE_OK || table->GetInt64(5, records) != STORE_OK ||
        table->GetInt(6, changes) != STORE_OK)
      return STORE_FAILED;
    m_recordCount += records;
    auto file = std::make_unique<CVTFile>(m_storage);
    file->UseLockOf(*this);
    if (file->Init(path, fileId, m_id, records, changes, m_guid, start, end, trigger) != STORE_OK)
      return STORE_FAILED;
    if (m_files.empty() && file->GetDataInterval(file->GetChannelNo(0), &m_dataInterval) != STORE_OK)
      return STORE_FAILED;

    const int blocks = file->GetTimeBlockCount();
    const bool ownFirstBlock = blocks == changes;  // no block of this file continues an earlier one
    int offset = 0;
    if (m_files.empty()) {
      m_timeChangeCount = changes;
      m_timeBlockCount = blocks;
    } else {
      bool opens = false;
      if (changes == 0) {
        // The previous file's last block ends at its stop time when it has only one.
        CVTFile& previous = *m_files.back();
        TickTime previousStart, previousEnd;
        previous.GetTimeBlock(previous.GetTimeBlockCount() - 1, &previousStart, &previousEnd);
        opens = OpensNewBlock(previousEnd, start);
        m_timeChangeCount += opens ? 1 : 0;
        m_timeBlockCount += opens ? 1 : 0;
      } else {
        m_timeChangeCount += changes;
        m_timeBlockCount += ownFirstBlock ? blocks : blocks - 1;
      }
      running += (ownFirstBlock ? 1 : 0) + (opens ? 1 : 0);
      offset = running;
    }
    running += changes - (ownFirstBlock ? 1 : 0);
    m_fileOffsets.push_back(offset);
    m_triggerTimes.push_back(trigger);
    m_files.push_back(std::move(file));
    CheckReaderLimit();
  }
  if (fetched != STORE_OK) return STORE_FAILED;
  if (!m_files.empty())
    m_recordCountByInterval =
        m_dataInterval > 0 ? m_stopTime.DiffMilliseconds(m_startTime) / m_dataInterval + 1 : m_recordCount;
  return STORE_OK;
}

int CVTBatch::FileBlock(size_t file, int block) const {
  return block == WHOLE_RECORDING_BLOCK ? WHOLE_RECORDING_BLOCK : block - m_fileOffsets[file];
}

bool CVTBatch::HasFileBlock(size_t file, int block) const {
  if (block == WHOLE_RECORDING_BLOCK) return true;
  const int own = FileBlock(file, block);
  return own >= 0 && own < m_files[file]->GetTimeBlockCount();
}

bool CVTBatch::HasChannel(int channelNo) {
  vt::DataLockGuard guard(ReadLock());
  return !m_files.empty() && m_files.back()->HasChannel(channelNo);
}

int CVTBatch::GetTimeChangeCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_timeChangeCount;
}

int CVTBatch::GetTimeBlockCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_timeBlockCount;
}

int CVTBatch::GetTimeBlock(int block, TickTime* start, TickTime* end) {
  vt::DataLockGuard guard(ReadLock());
  if (start == nullptr || end == nullptr || m_files.empty()) return STORE_FAILED;
  if (block == WHOLE_RECORDING_BLOCK) {
    *start = m_startTime;
    *end = m_stopTime;
    return STORE_OK;
  }
  bool found = false;
  for (size_t i = 0; i < m_files.size(); ++i) {
    TickTime s, e;
    if (HasFileBlock(i, block) && m_files[i]->GetTimeBlock(FileBlock(i, block), &s, &e) == STORE_OK) {
      if (!found) *start = s;
      *end = e;
      found = true;
    }
    CheckReaderLimit();
  }
  return found ? STORE_OK : STORE_FAILED;
}

int CVTBatch::GetDataKind(int* out) {
  vt::DataLockGuard guard(ReadLock());
  return m_files.empty() ? STORE_FAILED : m_files.back()->GetDataKind(out);
}

int CVTBatch::GetRecordCount(int, int64_t* out, bool byInterval) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || out == nullptr) return STORE_FAILED;
  *out = byInterval ? m_recordCountByInterval : m_recordCount;
  return STORE_OK;
}

int CVTBatch::GetDataInterval(int channelNo, int* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || m_files.empty()) return STORE_FAILED;
  return m_files.back()->GetDataInterval(channelNo, out);
}

int CVTBatch::GetChannelDataType(int channelNo, int* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || m_files.empty()) return STORE_FAILED;
  return m_files.back()->GetChannelDataType(channelNo, out);
}

int CVTBatch::ReadRecordsAt(int channelNo, int64_t position, int64_t count, CVTData* buffer) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || buffer == nullptr || m_files.empty()) return STORE_FAILED;
  CVTFile& latest = *m_files.back();
  if (!latest.HasChannel(channelNo)) return STORE_INVALID_CHANNEL;
  if (count >= RECORD_RANGE_LIMIT) return STORE_RANGE_TOO_LARGE;
  if (count < 0 || position < 0) return STORE_FAILED;
  if (count == 0) return STORE_OK;
  if (buffer->GetCapacity() < 1) {
    int kind = DATA_KIND_NONE, type = vt::CHANNEL_TYPE_NONE;
    if (latest.GetDataKind(&kind) != STORE_OK || latest.GetChannelDataType(channelNo, &type) != STORE_OK)
      return STORE_FAILED;
    if (int r = buffer->Allocate(kind, type, int(count)); r != STORE_OK) return r;
  }
  const int64_t first = buffer->GetCount();
  int64_t before = 0;  // records of the files before the current one
  for (const auto& file : m_files) {
    const int64_t records = file->GetFileRecordCount();
    const int64_t wanted = count - (buffer->GetCount() - first);
    if (wanted <= 0) break;
    if (position < before + records)
      file->ReadRecordsAt(channelNo, std::max<int64_t>(0, position - before), wanted, buffer);
    before += records;
    CheckReaderLimit();
  }
  return STORE_OK;
}

bool CVTBatch::GapPoints(TickTime previousEnd, TickTime nextStart, TickTime from, TickTime to, int64_t* k0,
                         int64_t* k1) const {
  const int64_t step = int64_t(m_dataInterval) * kTicksPerMs;
  const int64_t span = nextStart.ticks - previousEnd.ticks;
  if (span <= step || to < from) return false;
  *k1 = std::min((span - 1) / step, FloorDiv(to.ticks - previousEnd.ticks, step));
  *k0 = std::max<int64_t>(1, CeilDiv(from.ticks - previousEnd.ticks, step));
  return *k0 <= *k1;
}

int CVTBatch::AddGapRecords(TickTime previousEnd, TickTime nextStart, TickTime from, TickTime to,
                            CVTData* buffer) const {
  // The grid points previousEnd + k intervals (k >= 1) before nextStart and inside [from, to].
  int64_t k0 = 0, k1 = -1;
  if (!GapPoints(previousEnd, nextStart, from, to, &k0, &k1)) return STORE_OK;
  const int64_t step = int64_t(m_dataInterval) * kTicksPerMs;
  for (int64_t k = k0; k <= k1; ++k)
    if (buffer->AddNoData(TickTime(previousEnd.ticks + k * step)) != STORE_OK) return STORE_FAILED;
  return STORE_OK;
}

bool CVTBatch::FileBlockSpans(size_t i, int block, TickTime* previousEnd, TickTime* start) const {
  if (i == 0 || !HasFileBlock(i - 1, block) || !HasFileBlock(i, block)) return false;
  TickTime previousStart, end;
  return m_files[i - 1]->GetTimeBlock(FileBlock(i - 1, block), &previousStart, previousEnd) == STORE_OK &&
         m_files[i]->GetTimeBlock(FileBlock(i, block), start, &end) == STORE_OK;
}

int CVTBatch::ReadColumns(const std::vector<int>& channelNos, TickTime from, TickTime to, int block,
                          bool fillGaps, int rangeRecords, const ColumnSink& sink) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || !sink || rangeRecords < 1 || m_files.empty()) return STORE_FAILED;
  for (int channelNo : channelNos)
    if (!m_files.back()->HasChannel(channelNo)) return STORE_INVALID_CHANNEL;
  const bool grid = m_dataInterval > 0;
  for (size_t i = 0; i < m_files.size(); ++i) {
    TickTime previousEnd, start;
    int64_t k0 = 0, k1 = -1;
    if (fillGaps && grid && FileBlockSpans(i, block, &previousEnd, &start) &&
        GapPoints(previousEnd, start, from, to, &k0, &k1)) {
      for (int64_t k = k0; k <= k1; k += rangeRecords) {
        vt::SColumnPiece gap;
        gap.first = previousEnd.PlusMilliseconds(k * m_dataInterval);
        gap.intervalMs = m_dataInterval;
        gap.count = int(std::min<int64_t>(rangeRecords, k1 - k + 1));
        if (!sink(gap)) return STORE_INTERRUPTED;
      }
    }
    // As with ReadRecords, a file that fails leaves its records out; a stop of the sink ends the read.
    if (HasFileBlock(i, block) && m_files[i]->ReadColumns(channelNos, from, to, FileBlock(i, block),
                                                          rangeRecords, sink) == STORE_INTERRUPTED)
      return STORE_INTERRUPTED;
    CheckReaderLimit();
  }
  return STORE_OK;
}

int CVTBatch::ReadRecords(int channelNo, TickTime from, TickTime to, CVTData* buffer, int block,
                          bool fillGaps) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || buffer == nullptr || m_files.empty()) return STORE_FAILED;
  CVTFile& latest = *m_files.back();
  if (!latest.HasChannel(channelNo)) return STORE_INVALID_CHANNEL;
  const bool grid = m_dataInterval > 0;
  if (buffer->GetCapacity() < 1) {
    int64_t capacity = m_recordCount;
    if (fillGaps && grid) {
      if (to < from) return STORE_FAILED;
      capacity = to.DiffMilliseconds(from) / m_dataInterval + 1;
    }
    if (capacity >= RECORD_RANGE_LIMIT) return STORE_RANGE_TOO_LARGE;
    int kind = DATA_KIND_NONE, type = vt::CHANNEL_TYPE_NONE;
    if (latest.GetDataKind(&kind) != STORE_OK || latest.GetChannelDataType(channelNo, &type) != STORE_OK)
      return STORE_FAILED;
    if (int r = buffer->Allocate(kind, type, int(capacity)); r != STORE_OK) return r;
  }
  for (size_t i = 0; i < m_files.size(); ++i) {
    CVTFile& file = *m_files[i];
    TickTime previousEnd, start;
    if (fillGaps && grid && FileBlockSpans(i, block, &previousEnd, &start) &&
        AddGapRecords(previousEnd, start, from, to, buffer) != STORE_OK)
      return STORE_FAILED;
    if (HasFileBlock(i, block)) file.ReadRecords(channelNo, from, to, buffer, FileBlock(i, block), false);
    CheckReaderLimit();
  }
  return STORE_OK;
}

int CVTBatch::GetChannelCount() { return 0; }

int CVTBatch::GetChannelNo(int index) {
  vt::DataLockGuard guard(ReadLock());
  return m_files.empty() ? 0 : m_files.back()->GetChannelNo(index);
}

int CVTBatch::GetUsedGroupCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_files.empty() ? 0 : m_files.back()->GetUsedGroupCount();
}

int CVTBatch::GetGroupCount() {
  vt::DataLockGuard guard(ReadLock());
  return m_files.empty() ? 0 : m_files.back()->GetGroupCount();
}

int CVTBatch::GetUsedGroupNo(int i) {
  vt::DataLockGuard guard(ReadLock());
  return m_files.empty() ? 0 : m_files.back()->GetUsedGroupNo(i);
}

int CVTBatch::GetGroupInfo(int groupNo, std::string* name, int* channelCount, int* inUse) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || m_files.empty()) return STORE_FAILED;
  return m_files.back()->GetGroupInfo(groupNo, name, channelCount, inUse);
}

int CVTBatch::GetGroupChannelInfo(int groupNo, int channelNo, vt::SGroupChannelInfo* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || m_files.empty()) return STORE_FAILED;
  return m_files.back()->GetGroupChannelInfo(groupNo, channelNo, out);
}

int CVTBatch::GetChannelInfo(int channelNo, vt::SChannelInfo* out) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || m_files.empty()) return STORE_FAILED;
  return m_files.back()->GetChannelInfo(channelNo, out);
}

int CVTBatch::GetMessageCount() {
  vt::DataLockGuard guard(ReadLock());
  if (m_messageCount < 0) {
    int sum = 0;
    for (const auto& file : m_files) {
      sum += file->GetMessageCount();
      CheckReaderLimit();
    }
    m_messageCount = sum;
  }
  return m_messageCount;
}

int CVTBatch::GetMessages(int group, TickTime from, TickTime to, CVTMessageList* list, int block) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || list == nullptr) return STORE_FAILED;
  // Messages come from the index, which has them for the batch as a whole.
  if (block != 0 && block != WHOLE_RECORDING_BLOCK) return STORE_OK;
  std::unique_ptr<CVTTable> query = m_storage->NewTable();
  std::unique_ptr<CVTTable> groupsQuery = m_storage->NewTable();
  if (!query || !groupsQuery) return STORE_FAILED;
  const char* sql =
      group == 0 ? kMessagesOfAllGroups : (group == -1 ? kMessagesWrittenToAll : kMessagesOfGroup);
  int bind = 0;
  if (query->Prepare(sql) != STORE_OK || query->BindInt64(bind++, m_id) != STORE_OK ||
      (group != 0 && group != -1 && query->BindInt(bind++, group) != STORE_OK) ||
      query->BindInt64(bind++, from.ticks) != STORE_OK || query->BindInt64(bind++, to.ticks) != STORE_OK ||
      query->Execute() != STORE_OK || groupsQuery->Prepare(kMessageGroups) != STORE_OK)
    return STORE_FAILED;
  std::set<int64_t> seen;
  int fetched;
  while ((fetched = query->Fetch()) == STORE_ROW) {
    std::string user, text;
    TickTime inputTime, messageTime;
    int64_t id = 0;
    if (query->GetText(0, user) != STORE_OK || query->GetText(1, text) != STORE_OK ||
        query->GetInt64(2, inputTime.ticks) != STORE_OK ||
        query->GetInt64(3, messageTime.ticks) != STORE_OK || query->GetInt64(4, id) != STORE_OK)
      return STORE_FAILED;
    if (!seen.insert(id).second) continue;  // one row per write group: each message once
    std::vector<int> groups;
    bool allGroups = false;
    if (groupsQuery->Reset() != STORE_OK || groupsQuery->BindInt64(0, id) != STORE_OK ||
        groupsQuery->Execute() != STORE_OK)
      return STORE_FAILED;
    int groupFetched;
    while ((groupFetched = groupsQuery->Fetch()) == STORE_ROW) {
      int number = 0;
      if (groupsQuery->GetInt(0, number) != STORE_OK) return STORE_FAILED;
      if (number == -1) allGroups = true;
      groups.push_back(number);
    }
    if (groupFetched != STORE_OK) return STORE_FAILED;
    if (allGroups) groups.assign(1, -1);
    const int groupCount = allGroups ? -1 : int(groups.size());
    if (groups.empty()) groups.push_back(0);  // AddMessage wants an array even for no groups
    if (list->AddMessage(groupCount, groups.data(), user, text, 0, messageTime, inputTime) != STORE_OK)
      return STORE_FAILED;
  }
  return fetched == STORE_OK ? STORE_OK : STORE_FAILED;
}

int CVTBatch::GetTriggerCount() {
  vt::DataLockGuard guard(ReadLock());
  return int(m_files.size());
}

int CVTBatch::GetTriggerTimes(TickTime* times, int capacity, int* count) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || count == nullptr || (times == nullptr && capacity > 0)) return STORE_FAILED;
  *count = std::clamp(int(m_triggerTimes.size()), 0, std::max(capacity, 0));
  std::copy_n(m_triggerTimes.begin(), *count, times);
  return STORE_OK;
}

void CVTBatch::CloseReaders() {
  vt::DataLockGuard guard(ReadLock());
  for (const auto& file : m_files) file->CloseReaders();
}

void CVTBatch::Unload() {
  vt::DataLockGuard guard(ReadLock());
  m_files.clear();
  m_fileOffsets.clear();
  m_triggerTimes.clear();
  m_recordCount = 0;
  m_recordCountByInterval = 0;
  m_dataInterval = 0;
  m_timeChangeCount = 0;
  m_timeBlockCount = 0;
  CVTFileInterface::Unload();
}

int CVTBatch::GetAlarmCount() {
  vt::DataLockGuard guard(ReadLock());
  if (m_alarmCount < 0) {
    int sum = 0;
    for (const auto& file : m_files) {
      sum += file->GetAlarmCount();
      CheckReaderLimit();
    }
    m_alarmCount = sum;
  }
  return m_alarmCount;
}

int CVTBatch::AddAlarmRows(const std::string& sql, const std::vector<int>& binds, TickTime from, TickTime to,
                           bool bindTimes, CVTAlarmList* list) {
  std::unique_ptr<CVTTable> query = m_storage->NewTable();
  int bind = 0;
  if (!query || query->Prepare(sql) != STORE_OK || query->BindInt64(bind++, m_id) != STORE_OK)
    return STORE_FAILED;
  for (int value : binds)
    if (query->BindInt(bind++, value) != STORE_OK) return STORE_FAILED;
  if (bindTimes &&
      (query->BindInt64(bind++, from.ticks) != STORE_OK || query->BindInt64(bind++, to.ticks) != STORE_OK))
    return STORE_FAILED;
  if (query->Execute() != STORE_OK) return STORE_FAILED;
  int fetched;
  while ((fetched = query->Fetch()) == STORE_ROW) {
    int channel = 0, level = 0, action = 0, type = 0;
    TickTime time;
    if (query->GetInt(0, channel) != STORE_OK || query->GetInt64(1, time.ticks) != STORE_OK ||
        query->GetInt(2, level) != STORE_OK || query->GetInt(3, action) != STORE_OK ||
        query->GetInt(4, type) != STORE_OK)
      return STORE_FAILED;
    if (list->AddAlarm(action, channel, level, type, 0, time) != STORE_OK) return STORE_FAILED;
  }
  return fetched == STORE_OK ? STORE_OK : STORE_FAILED;
}

int CVTBatch::GetAlarms(int channelNo, TickTime from, TickTime to, CVTAlarmList* list, int block) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || list == nullptr) return STORE_FAILED;
  if (block != 0 && block != WHOLE_RECORDING_BLOCK) return STORE_OK;
  const std::string columns = kAlarmColumns;
  if (channelNo == 0)
    return AddAlarmRows(columns + "AND ? <= alarm_time AND alarm_time <= ?;", {}, from, to, true, list);
  if (channelNo == -1)
    return AddAlarmRows(columns + "AND channel_no = -1 AND ? <= alarm_time AND alarm_time <= ?;", {}, from,
                        to, true, list);
  return AddAlarmRows(
      columns + "AND (channel_no = ? OR channel_no = -1 )AND ? <= alarm_time AND alarm_time <= ?;",
      {channelNo}, from, to, true, list);
}

int CVTBatch::GetAlarmsForChannels(const std::vector<int>& channels, CVTAlarmList* list, int block,
                                   bool withUnassigned) {
  vt::DataLockGuard guard(ReadLock());
  if (!m_loaded || list == nullptr) return STORE_FAILED;
  if (block != 0 && block != WHOLE_RECORDING_BLOCK) return STORE_OK;
  std::set<int> wanted(channels.begin(), channels.end());
  if (withUnassigned) wanted.insert(-1);
  if (wanted.empty()) return STORE_OK;  // no channel asked for: no alarm qualifies
  std::string sql = std::string(kAlarmColumns) + "AND (";
  for (auto it = wanted.begin(); it != wanted.end(); ++it)
    sql += it == wanted.begin() ? "channel_no = ?" : " OR channel_no = ?";
  sql += ")";
  return AddAlarmRows(sql, std::vector<int>(wanted.begin(), wanted.end()), TickTime(), TickTime(), false,
                      list);
}

int CVTBatch::BuildHeaderInfo() {
  vt::DataLockGuard guard(ReadLock());
  if (m_headerBuilt) return STORE_OK;
  if (m_files.empty()) return STORE_FAILED;
  CVTFile& first = *m_files.front();
  CVTFile& latest = *m_files.back();
  if (int r = first.BuildHeaderInfo(); r != STORE_OK) return r;
  if (int r = latest.BuildHeaderInfo(); r != STORE_OK) return r;
  m_headerInfo = latest.GetHeaderInfo();
  m_headerInfo.startTime = first.GetHeaderInfo().startTime;
  m_headerInfo.startFactor = first.GetHeaderInfo().startFactor;
  m_headerInfo.timeChangeCount = m_timeChangeCount;
  m_headerInfo.dataCount = m_recordCountByInterval;
  m_headerBuilt = true;
  return STORE_OK;
}

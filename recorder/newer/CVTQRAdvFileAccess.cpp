// CVTQRAdvFileAccess: see CVTQRAdvFileAccess.h.
#include "recorder/newer/CVTQRAdvFileAccess.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "recorder/CVTColumns.h"
#include "recorder/CVTMessageList.h"
#include "recorder/RecorderState.h"
#include "recorder/WrappingMath.h"

namespace {

int DataTypeOfKind(int kind) {
  switch (kind) {
    case 0:
      return vt::CHANNEL_TYPE_SHORT;
    case 1:
      return vt::CHANNEL_TYPE_INT;
    case 2:
      return vt::CHANNEL_TYPE_KIND1;
    case 3:
      return vt::CHANNEL_TYPE_KIND7;
    case 4:
      return vt::CHANNEL_TYPE_KIND8;
    default:
      return vt::CHANNEL_TYPE_NONE;
  }
}

TickTime ToTick(const QRATime& t) { return TickTime::FromTime(t.seconds, t.milliseconds); }

constexpr int64_t kTimeChunk = 65536;  // records per read of record times

// The arrays ReadRecords reads a range into before it makes the records, kept per thread
// between reads so that each read neither allocates nor clears them; every element a read
// uses is written by that read. Those of a read beyond kScratchKept records are released.
struct ReadScratch {
  std::vector<uint8_t> flags;
  std::vector<int32_t> first, second, seconds, ms;
};
constexpr int kScratchKept = 1 << 18;
thread_local ReadScratch t_scratch;

struct ScratchRelease {
  ReadScratch& scratch;
  int count;
  ~ScratchRelease() {
    if (count > kScratchKept) scratch = ReadScratch();
  }
};

template <class T>
void Grow(std::vector<T>& v, int count) {
  if (v.size() < size_t(count)) v.resize(size_t(count));
}

// Appends count records to out made from the values read, straight into its array; false when
// they do not fit (or the buffer is of another type). timeAt(i) is the time of record i.
template <class TimeAt>
bool AppendDecoded(CVTData* out, int kind, int size, int count, TimeAt timeAt, const int32_t* first,
                   const int32_t* second, const uint8_t* flags) {
  auto state = [size](int32_t raw) { return RecorderStateOfRaw(raw, size, RecorderFormat::Newer); };
  auto event = [&](int i, auto& r) {
    r.time = timeAt(i);
    r.state = state(first[i]);
    r.flags = flags[i];
    r.value = decltype(r.value)(first[i]);
  };
  auto display = [&](int i, auto& r) {
    r.time = timeAt(i);
    r.minValue = decltype(r.minValue)(first[i]);
    r.minState = state(first[i]);
    r.minFlags = flags[i];
    r.maxValue = decltype(r.maxValue)(second[i]);
    r.maxState = state(second[i]);
    r.maxFlags = flags[i];
  };
  if (kind == DATA_KIND_DISPLAY)
    return size == 2 ? out->AppendDisplayShorts(count, display) : out->AppendDisplayInts(count, display);
  return size == 2 ? out->AppendEventShorts(count, event) : out->AppendEventInts(count, event);
}

}  // namespace

CVTQRAdvFileAccess::CVTQRAdvFileAccess() = default;
CVTQRAdvFileAccess::~CVTQRAdvFileAccess() = default;

int CVTQRAdvFileAccess::Open(const std::string& path) {
  // A second Open reads its own file: the reader interface would otherwise answer for the
  // first one, and the tables below, which are appended to, would keep the first file's rows.
  m_reader.Close();
  ClearOpenTables();
  m_timeBlocks.clear();
  m_filePath = path;
  const int opened = m_reader.Open(path);
  if (opened == vt::QRADV_CHECKSUM) return vt::FILE_ACCESS_CRC_ERROR;
  if (opened != vt::QRADV_OK) return vt::FILE_ACCESS_UNSUPPORTED;

  vt::SQRAHeaderFields fields;
  vt::SQRAHeaderInfo info;
  vt::SQRADataInfo data;
  if (m_reader.GetHeaderFields(&fields) != vt::QRADV_OK || m_reader.GetHeaderInfo(&info) != vt::QRADV_OK ||
      m_reader.GetDataInfo(&data) != vt::QRADV_OK)
    return vt::FILE_ACCESS_TABLES_FAILED;
  m_recorderType = fields.modelName;
  m_headerText = fields.headerText;
  m_serialNo = info.serial;
  m_startDataNo = info.startDataNo;
  m_endDataNo = info.endDataNo;
  m_startTime = ToTick(info.startTime);
  m_endTime = ToTick(info.endTime);
  m_timeChangeCount = int(info.timeChangeCount);
  m_startFactor = info.startFactor;
  m_stopFactor = info.stopFactor;
  m_powerFailure = (m_startFactor == 3 || m_stopFactor == 3) ? 1 : 0;
  m_guid = info.guid;
  const uint32_t kind = info.textFlags & 0xFFFF;
  m_dataKind = kind == 1 ? DATA_KIND_EVENT : (kind == 2 ? DATA_KIND_DISPLAY : DATA_KIND_NONE);

  m_dataInterval = data.intervalMs;
  m_recordCount = data.recordCount;
  m_alarmCount = data.alarmCount;
  m_alarmLevels = data.alarmLevels;
  m_triggerTime = ToTick(data.triggerTime);
  m_triggerDataNo = WrapAdd(m_startDataNo, data.triggerOffset);
  m_reader.GetMemStartDataNo(&m_memStartDataNo);
  m_instrumentName = m_serialNo + "_" + m_recorderType;

  int batchFlag = 0;
  if (m_reader.GetBatchUsers(&m_startUserCode, &m_stopUserCode, &m_startUserName, &m_stopUserName, &batchFlag,
                             nullptr) != vt::QRADV_OK ||
      m_reader.GetBatchNumber(&m_batchNo, &m_lotNo, &m_lotDigits) != vt::QRADV_OK)
    return vt::FILE_ACCESS_TABLES_FAILED;
  m_hasBatchInfo = batchFlag != 0 ? 1 : 0;
  m_hasLotNo = m_lotDigits > 0 ? 1 : 0;
  int groupCount = 0, messageCount = 0;
  if (m_reader.GetGroupCounts(&groupCount, nullptr) != vt::QRADV_OK ||
      m_reader.GetMessageCount(&messageCount) != vt::QRADV_OK)
    return vt::FILE_ACCESS_TABLES_FAILED;

  // Channels.
  int channelCount = 0;
  m_reader.GetChannelCounts(&channelCount, nullptr, nullptr, nullptr);
  for (int i = 0; i < channelCount; ++i) {
    vt::SChannelInfo c;
    if (GetChannelInfo(i, &c) != 0) continue;
    m_channelNos.push_back(c.channelNo);
    m_channelTypes.push_back(c.dataType);
  }

  // Display groups. A place without a channel keeps -1, so positions stay those of the file.
  try {
    m_groups.reserve(size_t(groupCount));
    m_usedGroups.reserve(size_t(groupCount));
  } catch (const std::bad_alloc&) {
    return vt::FILE_ACCESS_NO_GROUP_MEMORY;
  }
  for (int g = 0; g < groupCount; ++g) {
    vt::SFileGroup group;
    int inUse = 0;
    std::string name;
    if (GetGroupInfo(g, &name, &group.channelCount, &group.groupNo, &inUse) != 0)
      return vt::FILE_ACCESS_BAD_GROUP;
    if (inUse != 0) m_usedGroups.push_back(g);
    for (int p = 0; p < group.channelCount; ++p) {
      vt::SGroupChannelInfo place;
      if (GetGroupChannel(g, p, &place) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
      group.channelNos.push_back(place.channelIndex >= 0 ? GetChannelNo(place.channelIndex) : -1);
    }
    m_groups.push_back(std::move(group));
  }

  // Batch comments and texts: only non-empty ones are held.
  m_batchCommentSlots = 3;
  for (int n = 0; n < 3; ++n) {
    int32_t seconds = 0, ms = 0;
    std::string user, text;
    if (m_reader.GetBatchComment(n, &seconds, &ms, &user, &text) != vt::QRADV_OK)
      return vt::FILE_ACCESS_TABLES_FAILED;
    if (!user.empty() || !text.empty())
      m_batchComments[n] = SBatchComment(TickTime::FromTime(seconds, ms), text, user);
  }
  m_batchTextSlots = m_reader.GetBatchTextCount();
  for (int n = 0; n < m_batchTextSlots; ++n) {
    std::string title, text;
    if (m_reader.GetBatchText(n, &title, &text) != vt::QRADV_OK) return vt::FILE_ACCESS_TABLES_FAILED;
    if (!title.empty() || !text.empty()) m_batchTexts[n] = SBatchText(title, text);
  }

  // Messages; a message that cannot be read ends the list there.
  m_messages.resize(size_t(messageCount));
  for (int i = 0; i < messageCount; ++i) {
    vt::SQRAMessage x;
    if (m_reader.GetMessage(i, &x) != vt::QRADV_OK) break;
    vt::SFileMessage& m = m_messages[size_t(i)];
    m.user = x.user;
    m.text = x.text;
    m.messageNo = x.number;
    m.serial = int(x.serial);
    m.secondWord = int(x.secondWord);
    m.word36 = x.word36;
    m.inputTime = ToTick(x.inputTime);
    m.relativeDataNo = x.relativeDataNo;
    if (m_timeChangeCount != 0) {
      if (RecordTime(x.relativeDataNo, &m.messageTime) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
    } else {
      m.messageTime = ToTick(x.messageTime);
    }
    if (x.groupMask == -1) {
      m.groupCount = -1;
    } else {
      for (int j = 0; j < groupCount && j < 64; ++j)
        if ((uint64_t(x.groupMask) >> j) & 1u) m.groups.push_back(j + 1);
      if (m.groups.size() > size_t(MESSAGE_GROUPS_MAX)) m.groups.resize(MESSAGE_GROUPS_MAX);
      m.groupCount = int(m.groups.size());
    }
  }

  if (ReadTimeBlocks() != 0) return vt::FILE_ACCESS_TABLES_FAILED;
  return vt::FILE_ACCESS_OK;
}

int CVTQRAdvFileAccess::RecordTime(int64_t position, TickTime* out) {
  int32_t seconds = 0, ms = 0;
  if (position < 0 || position >= m_recordCount) return 1;
  if (m_reader.ReadRecordTimes(position, 1, &seconds, &ms) != vt::QRADV_OK) return 1;
  *out = TickTime::FromTime(seconds, ms);
  return 0;
}

// The walk over the record times: every record whose time is not the expected one starts a new
// block; the corrected start and end are the earliest and latest record times.
int CVTQRAdvFileAccess::ReadTimeBlocks() {
  m_timeBlocks.assign(1, 0);
  m_correctedStartTime = m_startTime;
  m_correctedEndTime = m_endTime;
  if (m_timeChangeCount == 0 || m_recordCount <= 0) return 0;
  std::vector<int32_t> seconds, ms;
  TickTime expected;
  for (int64_t done = 0; done < m_recordCount;) {
    const int64_t n = std::min<int64_t>(kTimeChunk, m_recordCount - done);
    seconds.resize(size_t(n));
    ms.resize(size_t(n));
    if (m_reader.ReadRecordTimes(done, n, seconds.data(), ms.data()) != vt::QRADV_OK) return 1;
    for (int64_t i = 0; i < n; ++i) {
      const TickTime t = TickTime::FromTime(seconds[size_t(i)], ms[size_t(i)]);
      if (done + i == 0) {
        m_correctedStartTime = m_correctedEndTime = t;
      } else {
        if (!(t == expected)) m_timeBlocks.push_back(done + i);
        if (t < m_correctedStartTime) m_correctedStartTime = t;
        if (t > m_correctedEndTime) m_correctedEndTime = t;
      }
      expected = t.PlusMilliseconds(m_dataInterval);
    }
    done += n;
  }
  m_timeChangeCount = int(m_timeBlocks.size()) - 1;
  return 0;
}

int CVTQRAdvFileAccess::GetLoggingNo() {
  vt::SQRAChannelInfo c;
  if (m_reader.GetChannelInfo(0, &c) != vt::QRADV_OK) return 0;
  return c.loggingNo;
}

int CVTQRAdvFileAccess::GetGroupInfo(int groupIndex, std::string* name, int* channelCount, int* groupNo,
                                     int* inUse) {
  if (!name || !channelCount || !groupNo || !inUse) return 1;
  int count = 0;
  m_reader.GetGroupCounts(&count, nullptr);
  if (groupIndex < 0 || groupIndex >= count) return 1;
  return m_reader.GetGroupInfo(groupIndex, name, channelCount, groupNo, inUse) == vt::QRADV_OK ? 0 : 1;
}

int CVTQRAdvFileAccess::GetGroupChannel(int groupIndex, int place, vt::SGroupChannelInfo* out) {
  if (out == nullptr || groupIndex < 0 || place < 0) return 1;
  vt::SQRAGroupChannel g;
  if (m_reader.GetGroupChannel(groupIndex, place, &g) != vt::QRADV_OK) return 1;
  out->channelIndex = g.channelIndex;
  out->scaleValid = g.scaleValid;
  out->spanLow = g.spanLow;
  out->spanHigh = g.spanHigh;
  out->rawMin = g.rawMin;
  out->rawMax = g.rawMax;
  for (int t = 0; t < 4; ++t) {
    out->tripValid[t] = g.tripValid[t];
    out->tripValue[t] = g.tripValue[t];
  }
  out->colour = g.colour;
  out->display = g.display;
  out->logScale = g.logScale;
  return 0;
}

int CVTQRAdvFileAccess::GetChannelInfo(int channelIndex, vt::SChannelInfo* out) {
  if (out == nullptr || channelIndex < 0) return 1;
  vt::SQRAChannelInfo c;
  if (m_reader.GetChannelInfo(channelIndex, &c) != vt::QRADV_OK) return 1;
  out->rangeClass = (c.rangeClass >= 0 && c.rangeClass <= 2) ? c.rangeClass + 1 : 0;
  out->dataType = DataTypeOfKind(c.kind);
  out->name = c.name;
  out->channelNo = std::atoi(c.name.c_str() + 2);
  std::string text;
  if (m_reader.GetTagNameListState() == vt::QRA_OK) {
    out->tagName = m_reader.GetTagName(channelIndex, &text) == vt::QRADV_OK ? text : std::string();
  } else {
    out->tagName = c.tag;
  }
  text.clear();
  if (m_reader.GetTagNoListState() == vt::QRA_OK && m_reader.GetTagNo(channelIndex, &text) == vt::QRADV_OK)
    out->tagNo = text;
  else
    out->tagNo.clear();
  out->unit = c.unit;
  out->decimals = c.decimals;
  out->spanLow = c.spanLow;
  out->spanHigh = c.spanHigh;
  out->colour = c.colour;
  out->logScale = c.logScale;
  out->scaleCode = c.scaleCode;
  out->logExpLow = c.logExpLow;
  out->logExpHigh = c.logExpHigh;
  return 0;
}

int CVTQRAdvFileAccess::ReadRecords(int channelIndex, int start, int count, CVTData* out, bool readTimes) {
  if (out == nullptr || channelIndex < 0 || channelIndex >= GetChannelCount() || count < 0) return 1;
  // A range past the last record fails before a buffer is made for it.
  if (start < 0 || int64_t(start) + count > m_recordCount) return 1;
  const int type = GetChannelDataType(channelIndex);
  if (out->GetCapacity() < 1) {
    const int r = out->Allocate(m_dataKind, type, count);
    if (r == STORE_NO_CONNECTION) return 2;
    if (r != STORE_OK) return 1;
  }
  if (count == 0) return 0;  // an empty range into the caller's buffer: nothing to append
  ReadScratch& scratch = t_scratch;
  const ScratchRelease release{scratch, count};
  std::vector<uint8_t>& flags = scratch.flags;
  std::vector<int32_t>& first = scratch.first;
  std::vector<int32_t>& second = scratch.second;
  std::vector<int32_t>& seconds = scratch.seconds;
  std::vector<int32_t>& ms = scratch.ms;
  try {
    Grow(flags, count);
    if (type == vt::CHANNEL_TYPE_SHORT || type == vt::CHANNEL_TYPE_INT) {
      Grow(first, count);
      if (m_dataKind == DATA_KIND_DISPLAY) Grow(second, count);
      Grow(seconds, readTimes ? count : 1);
      Grow(ms, readTimes ? count : 1);
      // A value width the records do not hold leaves the values 0: nothing is read into them.
      const int width = m_reader.GetValueSize(channelIndex);
      if (width != 2 && width != 4) {
        std::fill_n(first.begin(), count, 0);
        if (m_dataKind == DATA_KIND_DISPLAY) std::fill_n(second.begin(), count, 0);
      }
    }
  } catch (const std::bad_alloc&) {
    return 2;
  }
  if (m_reader.ReadAlarmFlags(channelIndex, start, count, flags.data()) != vt::QRADV_OK) return 1;
  if (type != vt::CHANNEL_TYPE_SHORT && type != vt::CHANNEL_TYPE_INT) return 0;
  if (m_reader.ReadChannelValues(channelIndex, start, 0, count, first.data(), seconds.data(), ms.data(),
                                 readTimes) != vt::QRADV_OK)
    return 1;
  if (m_dataKind == DATA_KIND_DISPLAY &&
      m_reader.ReadChannelValues(channelIndex, start, 1, count, second.data(), nullptr, nullptr, false) !=
          vt::QRADV_OK)
    return 1;
  const int size = type == vt::CHANNEL_TYPE_SHORT ? 2 : 4;
  const TickTime firstTime = TickTime::FromTime(seconds[0], ms[0]);
  // Decoded straight into the buffer's array when the whole range fits.
  const int32_t* secondsAt = seconds.data();
  const int32_t* msAt = ms.data();
  const int64_t interval = m_dataInterval;
  const bool appended =
      readTimes
          ? AppendDecoded(
                out, m_dataKind, size, count,
                [secondsAt, msAt](int i) { return TickTime::FromTime(secondsAt[i], msAt[i]); }, first.data(),
                second.data(), flags.data())
          : AppendDecoded(
                out, m_dataKind, size, count,
                [firstTime, interval](int i) { return firstTime.PlusMilliseconds(int64_t(i) * interval); },
                first.data(), second.data(), flags.data());
  if (appended) return 0;
  // Record by record: a buffer that is full part way keeps what fitted.
  for (int i = 0; i < count; ++i) {
    const size_t k = size_t(i);
    const TickTime t = readTimes ? TickTime::FromTime(seconds[k], ms[k])
                                 : firstTime.PlusMilliseconds(int64_t(i) * m_dataInterval);
    int r;
    if (m_dataKind == DATA_KIND_DISPLAY) {
      const int s1 = RecorderStateOfRaw(first[k], size, RecorderFormat::Newer),
                s2 = RecorderStateOfRaw(second[k], size, RecorderFormat::Newer);
      r = size == 2
              ? out->AddDisplayShort(t, int16_t(first[k]), s1, flags[k], int16_t(second[k]), s2, flags[k])
              : out->AddDisplayInt(t, first[k], s1, flags[k], second[k], s2, flags[k]);
    } else {
      const int s = RecorderStateOfRaw(first[k], size, RecorderFormat::Newer);
      r = size == 2 ? out->AddEventShort(t, s, flags[k], int16_t(first[k]))
                    : out->AddEventInt(t, s, flags[k], first[k]);
    }
    if (r != STORE_OK) return 1;  // a full or mismatched buffer is a failure, not a silent cut
  }
  return 0;
}

int CVTQRAdvFileAccess::ReadColumns(const std::vector<int>& channelIndexes, int start, int count,
                                    vt::CVTColumns* out) {
  // The same answers as the channel-by-channel path of the base class, whose reads fail for a
  // range past the last record.
  if (out == nullptr || start < 0 || count < 0) return 1;
  for (int c : channelIndexes)
    if (c < 0 || c >= GetChannelCount()) return 1;
  if (!channelIndexes.empty() && int64_t(start) + count > m_recordCount) return 1;
  const bool display = m_dataKind == DATA_KIND_DISPLAY;
  try {
    out->Reset(m_dataKind, int(channelIndexes.size()), count);
    std::vector<CQRADVFileAccess::ChannelColumn> fields;
    fields.reserve(channelIndexes.size() * (display ? 2 : 1));
    for (std::size_t k = 0; k < channelIndexes.size(); ++k) {
      const int c = channelIndexes[k];
      vt::CVTColumns::Column& column = out->GetColumn(int(k));
      column.channelIndex = c;
      column.flags.resize(std::size_t(count));
      if (m_reader.ReadAlarmFlags(c, start, count, column.flags.data()) != vt::QRADV_OK) return 1;
      const int type = GetChannelDataType(c);
      if (type != vt::CHANNEL_TYPE_SHORT && type != vt::CHANNEL_TYPE_INT) continue;
      column.valueType = type == vt::CHANNEL_TYPE_SHORT ? VALUE_TYPE_SHORT : VALUE_TYPE_INT;
      column.hasSamples = true;
      if (count == 0) continue;
      column.values.resize(std::size_t(count));
      column.states.resize(std::size_t(count));
      fields.push_back({c, 0, column.values.data(), column.states.data()});
      if (display) {
        column.maxima.resize(std::size_t(count));
        column.maxStates.resize(std::size_t(count));
        fields.push_back({c, 1, column.maxima.data(), column.maxStates.data()});
      }
    }
    TickTime first;
    if (!fields.empty()) {
      int32_t seconds = 0, ms = 0;
      if (m_reader.ReadChannelColumns(start, count, fields) != vt::QRADV_OK ||
          m_reader.GetDerivedTime(start, &seconds, &ms) != vt::QRADV_OK)
        return 1;
      first = RangeStartTime(TickTime::FromTime(seconds, ms), start);
    }
    out->SetGrid(first, m_dataInterval);
  } catch (const std::bad_alloc&) {
    return 2;
  }
  return 0;
}

int CVTQRAdvFileAccess::GetAlarm(int index, int* channelIndex, int64_t* relativeDataNo, TickTime* time,
                                 int* action, int* level, int* type, int* lastWord) {
  if (!channelIndex || !relativeDataNo || !time || !action || !level || !type || !lastWord) return 1;
  QRAAlarmEntry a;
  if (m_reader.GetAlarm(index, &a) != vt::QRADV_OK) return 1;
  *channelIndex = a.channel;
  *relativeDataNo = a.dataNo;
  *time = ToTick(a.time);
  *action = (a.action >= 1 && a.action <= 3) ? a.action : 0;
  *type = ((a.type >= 1 && a.type <= 8) || a.type == -1) ? a.type : 0;
  *lastWord = a.lastWord;
  if (a.levelMask == 15 || a.type == -1) {
    *level = -1;
  } else {
    *level = 0;
    for (int k = 0; k < 4; ++k) {
      if (a.levelMask & (1u << k)) {
        *level = k + 1;
        break;
      }
    }
  }
  return 0;
}

int CVTQRAdvFileAccess::GetTimeBlockStarts(std::vector<int64_t>* out) {
  if (out != nullptr) *out = m_timeBlocks;
  return int(m_timeBlocks.size());
}

int CVTQRAdvFileAccess::ReadDisplayValues(int channelIndex, int start, int count, TickTime* firstTime,
                                          std::vector<int32_t>* minima, std::vector<int32_t>* maxima,
                                          int* numberRead) {
  if (!firstTime || !minima || !maxima || !numberRead || count < 0) return 1;
  int32_t seconds = 0, ms = 0;
  try {
    minima->resize(size_t(count));
    maxima->resize(size_t(count));
  } catch (const std::bad_alloc&) {
    return 1;
  }
  if (m_reader.ReadChannelValues(channelIndex, start, 0, count, minima->data(), &seconds, &ms, false) !=
          vt::QRADV_OK ||
      m_reader.ReadChannelValues(channelIndex, start, 1, count, maxima->data(), nullptr, nullptr, false) !=
          vt::QRADV_OK)
    return 1;
  *firstTime = TickTime::FromTime(seconds, ms);
  *numberRead = count;
  return 0;
}

int CVTQRAdvFileAccess::ReadEventRecord(int channelIndex, int start, int count, TickTime* firstTime,
                                        std::vector<int32_t>* values, int* numberRead) {
  if (!firstTime || !values || !numberRead || count < 0) return 1;
  int32_t seconds = 0, ms = 0;
  try {
    values->resize(size_t(count));
  } catch (const std::bad_alloc&) {
    return 1;
  }
  if (m_reader.ReadChannelValues(channelIndex, start, 0, count, values->data(), &seconds, &ms, false) !=
      vt::QRADV_OK)
    return 1;
  *firstTime = TickTime::FromTime(seconds, ms);
  *numberRead = count;
  return 0;
}

int CVTQRAdvFileAccess::ReadAlarmFlags(int channelIndex, int start, int count, std::vector<uint8_t>* flags,
                                       int* numberRead) {
  if (!flags || !numberRead || count < 0) return 1;
  try {
    flags->resize(size_t(count));
  } catch (const std::bad_alloc&) {
    return 1;
  }
  if (m_reader.ReadAlarmFlags(channelIndex, start, count, flags->data()) != vt::QRADV_OK) return 1;
  *numberRead = count;
  return 0;
}

bool CVTQRAdvFileAccess::HasValueField(int channelIndex) const {
  const int width = m_reader.GetValueSize(channelIndex);
  return width == 2 || width == 4;
}

// CVTQRFileAccess: see CVTQRFileAccess.h. Open fills the base record in a fixed order; any
// failure after the library opened the file closes it again, so a failed Open leaves nothing
// open behind it.
#include "recorder/older/CVTQRFileAccess.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <new>

#include "recorder/RecorderState.h"
#include "recorder/RecorderText.h"

namespace {

// Start and stop reasons as the recorders code them, in the codes the system keeps.
int MapFactor(int code) {
  switch (code) {
    case 0:
      return 1;
    case 1:
      return 3;
    case 2:
      return 2;
    case 3:
      return 4;
    case 5:
      return 6;
    default:
      return 0;
  }
}

TickTime RecorderTime(int32_t seconds, int eighths) { return TickTime::FromTime(seconds, eighths * 125); }

bool IsWhite(uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The serial field up to its NUL, without white space at either end.
std::string TrimmedSerial(const std::array<uint8_t, 16>& raw) {
  std::size_t end = 0;
  while (end < raw.size() && raw[end] != 0) ++end;
  while (end > 0 && IsWhite(raw[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && IsWhite(raw[begin])) ++begin;
  return DecodeRecorderText(raw.data() + begin, end - begin);
}

}  // namespace

CVTQRFileAccess::CVTQRFileAccess() = default;

CVTQRFileAccess::~CVTQRFileAccess() { Close(); }

void CVTQRFileAccess::Close() {
  if (m_handle) RecFileClose(m_handle);
  m_handle = nullptr;
}

int CVTQRFileAccess::Open(const std::string& path) {
  Close();  // a second Open must not leave the first file's descriptor behind
  // Nor its tables: these are appended to, or filled only for what a file holds, so the first
  // file's entries would otherwise stay beside (or instead of) the second's.
  ClearOpenTables();
  m_alarmEvents.clear();
  m_alarmCount = 0;
  int result = OpenSteps(path);
  if (result != vt::FILE_ACCESS_OK) Close();
  return result;
}

int CVTQRFileAccess::OpenSteps(const std::string& path) {
  if (RecFileOpen(path, &m_handle) != 0) {
    m_handle = nullptr;
    return vt::FILE_ACCESS_UNSUPPORTED;
  }
  RecFileTimes times;
  int kindChar = RecFileGetTimes(m_handle, &times);
  m_dataKind = kindChar == 0x30 ? 0 : kindChar == 0x31 ? 1 : -1;
  m_serialNo = TrimmedSerial(times.serialRaw);
  m_filePath = path;
  m_startTime = RecorderTime(times.firstSeconds, times.firstEighths);
  m_endTime = RecorderTime(times.lastSeconds, times.lastEighths);
  m_correctedStartTime = m_startTime;
  m_correctedEndTime = m_endTime;
  m_startFactor = MapFactor(times.startFactorCode);
  m_stopFactor = MapFactor(times.stopFactorCode);
  m_powerFailure = m_startFactor == 3 || m_stopFactor == 3 ? 1 : 0;
  m_timeChangeCount = times.clockChanges;

  if (int r = TakeHeader(); r != vt::FILE_ACCESS_OK) return r;
  BuildAlarms();
  if (int r = BuildMessages(); r != vt::FILE_ACCESS_OK) return r;
  if (int r = BuildGroups(); r != vt::FILE_ACCESS_OK) return r;
  BuildGuid(times);
  return Probe();
}

// Header values, batch comments and texts, the channel table.
int CVTQRFileAccess::TakeHeader() {
  RecFileInfo info;
  if (RecFileGetInfo(m_handle, &info) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
  m_dataInterval = (info.intervalSeconds * 8 + info.intervalEighths) * 125;
  m_triggerTime = RecorderTime(info.triggerSeconds, info.triggerEighths);
  m_recorderType = info.modelName;
  m_instrumentName = m_serialNo + "_" + m_recorderType;

  RecFileHeaderInfo hi;
  if (RecFileGetHeaderInfo(m_handle, &hi) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
  m_startDataNo = int64_t(hi.dataNoBefore) + 1;
  m_endDataNo = hi.lastDataNo;
  // A count of records, not a data number; kept as the stored indexes have it.
  m_triggerDataNo = info.recordsBeforeTrigger;
  m_memStartDataNo = int64_t(hi.lastDataNo) - int64_t(hi.positionBase) + 1;
  m_headerText = hi.headerText;
  m_startUserName = hi.startUser;
  m_stopUserName = hi.stopUser;
  m_startUserCode = hi.startLevel >= 1 && hi.startLevel <= 4 ? hi.startLevel : 0;
  m_stopUserCode = hi.stopLevel >= 1 && hi.stopLevel <= 4 ? hi.stopLevel : 0;
  m_hasBatchInfo = hi.batchInfoPresent ? 1 : 0;
  m_batchNo = hi.batchNo;
  m_lotNo = hi.lotNo;
  m_hasLotNo = hi.lotNo >= 0 ? 1 : 0;
  m_lotDigits = 0;
  m_tagsUsed = hi.tagsUsed;

  m_commentAuthor = hi.commentAuthor;
  m_commentTime = RecorderTime(hi.commentSeconds, hi.commentEighths);
  for (int i = 0; i < 3; ++i) {
    const std::string& comment = hi.comments[std::size_t(i)];
    if (!comment.empty()) m_batchComments[i] = SBatchComment(m_commentTime, comment, m_commentAuthor);
    const std::string& text = hi.batchTexts[std::size_t(i)];
    if (!text.empty()) m_batchTexts[i] = SBatchText(std::string(), text);
  }
  m_batchCommentSlots = 3;
  m_batchTextSlots = 3;

  int channels = info.measuredChannels + info.computedChannels;
  if (info.computationChannels >= 1) channels += info.computationChannels;
  int perGroup = 0;
  RecFileGetGroupLimits(m_handle, &m_groupLimit, &perGroup);
  m_channelNos.assign(std::size_t(channels), -1);
  m_channelTypes.assign(std::size_t(channels), vt::CHANNEL_TYPE_NONE);
  for (int i = 0; i < channels; ++i) {
    vt::SChannelInfo ci;
    if (GetChannelInfo(i, &ci) != 0) continue;
    m_channelNos[std::size_t(i)] = ci.channelNo;
    m_channelTypes[std::size_t(i)] = ci.dataType;
  }
  return vt::FILE_ACCESS_OK;
}

void CVTQRFileAccess::BuildAlarms() {
  RecFileInfo info;
  RecFileGetInfo(m_handle, &info);
  m_alarmEvents.clear();
  if (info.alarmEntries <= 0 || !info.alarmListsPresent) return;
  m_alarmEvents.reserve(2 * std::size_t(info.alarmEntries));
  for (int i = 0; i < info.alarmEntries; ++i) {
    RecFileAlarm a;
    if (RecFileGetAlarm(m_handle, i, &a) != 0 || a.channelIndex < 0) continue;
    // Levels beyond the four the file can hold are not alarms of this file (the alarm bits
    // ignore them too); handing them on would give level numbers no consumer knows.
    if (a.level < 0 || a.level > 3) continue;
    const int type = a.type >= 1 && a.type <= 8 ? a.type : 0;
    if (a.onSeconds > 0)
      m_alarmEvents.push_back({a.channelIndex, a.level + 1, type, 1, RecorderTime(a.onSeconds, a.onEighths)});
    if (a.offSeconds > 0)
      m_alarmEvents.push_back(
          {a.channelIndex, a.level + 1, type, 2, RecorderTime(a.offSeconds, a.offEighths)});
  }
  m_alarmCount = int(m_alarmEvents.size());
}

// One record per message. Every offset was bounded at open, so a message that cannot be read
// means its section lies past the end of the file (or the disk failed): the open fails with 1
// rather than delivering a file that silently lost its messages. The last message is tried
// first, before records are made for a count the file cannot hold.
int CVTQRFileAccess::BuildMessages() {
  RecFileInfo info;
  RecFileGetInfo(m_handle, &info);
  RecFileMessage msg;
  if (info.messages > 0 && RecFileGetMessage(m_handle, info.messages - 1, &msg) != 0)
    return vt::FILE_ACCESS_TABLES_FAILED;
  m_messages.assign(std::size_t(std::max(0, info.messages)), vt::SFileMessage{});
  std::size_t next = 0;
  for (int i = 0; i < info.messages; ++i) {
    if (RecFileGetMessage(m_handle, i, &msg) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
    vt::SFileMessage& m = m_messages[next++];
    m.user = msg.user;
    m.messageNo = msg.numberMinus1 + 1;
    m.serial = i;
    m.relativeDataNo = msg.recordIndex;
    m.secondWord = 0;
    m.text = msg.text;
    m.word36 = msg.attribute;
    m.groupCount = -1;  // written to all groups
    m.messageTime = RecorderTime(msg.seconds, msg.eighths);
    m.inputTime = m.messageTime;
  }
  return vt::FILE_ACCESS_OK;
}

// Every display group counts as used; empty places keep -1 for their channel number.
int CVTQRFileAccess::BuildGroups() {
  try {
    m_usedGroups.reserve(std::size_t(m_groupLimit));
  } catch (const std::bad_alloc&) {
    return vt::FILE_ACCESS_NO_GROUP_MEMORY;
  }
  m_groups.assign(std::size_t(m_groupLimit), vt::SFileGroup{});
  for (int g = 0; g < m_groupLimit; ++g) {
    std::string name;
    int count = 0, number = 0, inUse = 0;
    if (GetGroupInfo(g, &name, &count, &number, &inUse) != 0) return vt::FILE_ACCESS_BAD_GROUP;
    m_usedGroups.push_back(g);
    vt::SFileGroup& group = m_groups[std::size_t(g)];
    group.groupNo = g + 1;
    group.channelCount = count;
    group.channelNos.assign(std::size_t(count), -1);
    for (int place = 0; place < count; ++place) {
      vt::SGroupChannelInfo gc;
      if (GetGroupChannel(g, place, &gc) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
      if (gc.channelIndex >= 0 && std::size_t(gc.channelIndex) < m_channelNos.size())
        group.channelNos[std::size_t(place)] = m_channelNos[std::size_t(gc.channelIndex)];
    }
  }
  return vt::FILE_ACCESS_OK;
}

// The files carry no recording GUID; this one is built from values every file of a recording
// shares, so that its files are filed together.
void CVTQRFileAccess::BuildGuid(const RecFileTimes& times) {
  m_guid = vt::Guid{};
  m_guid.data1 = uint32_t(uint64_t(m_memStartDataNo));
  if (m_startFactor == 4 || m_stopFactor == 4) {
    const int64_t seconds = (m_triggerTime.ticks - vt::kEpochDifferenceTicks) / vt::kTicksPerSecond;
    m_guid.data2 = uint16_t(uint64_t(seconds) >> 16);
    m_guid.data3 = uint16_t(uint64_t(seconds));
  } else {
    m_guid.data2 = uint16_t(m_dataKind);
    m_guid.data3 = uint16_t(m_dataInterval);
  }
  uint64_t v = 0;
  for (int k = 0; k <= 8; ++k) v += uint64_t(times.serialRaw[std::size_t(k)] & 0x7F) << (7 * (8 - k));
  for (int i = 0; i < 8; ++i) m_guid.data4[std::size_t(i)] = uint8_t(v >> (8 * i));
}

// The first and the last record must be readable, each into a buffer of its own.
int CVTQRFileAccess::Probe() {
  if (m_channelTypes.empty()) return vt::FILE_ACCESS_TABLES_FAILED;
  const int64_t last = m_endDataNo - m_startDataNo;
  if (last < 0 || last > INT32_MAX) return vt::FILE_ACCESS_TABLES_FAILED;
  for (int64_t position : {int64_t(0), last}) {
    CVTData probe;
    if (probe.Allocate(m_dataKind, m_channelTypes[0], 1) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
    if (ReadRecords(0, int(position), 1, &probe, true) != 0) return vt::FILE_ACCESS_TABLES_FAILED;
  }
  return vt::FILE_ACCESS_OK;
}

int CVTQRFileAccess::GetGroupInfo(int groupIndex, std::string* name, int* channelCount, int* groupNo,
                                  int* inUse) {
  if (!name || !channelCount || !groupNo || !inUse) return 1;
  if (groupIndex < 0 || groupIndex >= m_groupLimit) return 1;
  if (RecFileGetGroupName(m_handle, groupIndex, name, channelCount) != 0) return 1;
  *groupNo = groupIndex + 1;
  *inUse = 1;
  return 0;
}

int CVTQRFileAccess::GetGroupChannel(int groupIndex, int place, vt::SGroupChannelInfo* out) {
  if (!out || groupIndex < 0 || place < 0) return 1;
  RecFileGroupChannel gc;
  if (RecFileGetGroupChannel(m_handle, groupIndex, place, &gc) != 0) return 1;
  out->channelIndex = gc.channelIndex;
  if (gc.channelIndex < 0) return 0;
  out->scaleValid = gc.present;
  out->spanLow = gc.scaleLower;
  out->spanHigh = gc.scaleUpper;
  out->rawMin = gc.spanLower;
  out->rawMax = gc.spanUpper;
  for (int i = 0; i < 4; ++i) {
    out->tripValid[i] = gc.tripOn[std::size_t(i)];
    out->tripValue[i] = gc.tripValue[std::size_t(i)];
  }
  out->colour = int(gc.colour);
  out->display = gc.switchOn;
  out->logScale = gc.logScale;
  return 0;
}

int CVTQRFileAccess::GetChannelInfo(int channelIndex, vt::SChannelInfo* out) {
  if (!out || channelIndex < 0) return 1;
  RecFileChannel ch;
  if (RecFileGetChannel(m_handle, channelIndex, &ch) != 0) return 1;
  out->rangeClass = ch.wide ? 2 : 1;  // the channel kind: measured, or computed
  out->dataType = ch.wide ? vt::CHANNEL_TYPE_INT : vt::CHANNEL_TYPE_SHORT;
  out->name = ch.name;
  out->channelNo = std::atoi(ch.name.c_str() + 2);
  out->tagName = m_tagsUsed ? ch.tag : std::string();
  out->tagNo.clear();
  out->unit = ch.unit;
  out->decimals = ch.decimals;
  out->spanLow = ch.scaleLower;
  out->spanHigh = ch.scaleUpper;
  out->colour = int(ch.colour);
  out->logScale = ch.logScale;
  out->scaleCode = ch.scaleKind;
  out->logExpLow = ch.lowerExponent;
  out->logExpHigh = ch.upperExponent;
  return 0;
}

namespace {

// The state of a raw value held in a record's value field (16 or 32 bits).
template <class V>
int StateOf(V value) {
  return RecorderStateOfRaw(value, int(sizeof(V)), RecorderFormat::Older);
}

// Event records from time on, one interval apart, straight into out's array; false when they
// do not fit (or the buffer is of another type).
bool AppendEvents(CVTData* out, bool wide, int count, TickTime time, int64_t interval, const int32_t* values,
                  const uint8_t* flags) {
  auto fill = [&](int i, auto& r) {
    r.time = time.PlusMilliseconds(int64_t(i) * interval);
    r.value = decltype(r.value)(values[i]);
    r.state = StateOf(r.value);
    r.flags = flags[i];
  };
  return wide ? out->AppendEventInts(count, fill) : out->AppendEventShorts(count, fill);
}

bool AppendDisplays(CVTData* out, bool wide, int count, TickTime time, int64_t interval,
                    const int32_t* minima, const int32_t* maxima, const uint8_t* flags) {
  auto fill = [&](int i, auto& r) {
    r.time = time.PlusMilliseconds(int64_t(i) * interval);
    r.minValue = decltype(r.minValue)(minima[i]);
    r.minState = StateOf(r.minValue);
    r.minFlags = flags[i];
    r.maxValue = decltype(r.maxValue)(maxima[i]);
    r.maxState = StateOf(r.maxValue);
    r.maxFlags = flags[i];
  };
  return wide ? out->AppendDisplayInts(count, fill) : out->AppendDisplayShorts(count, fill);
}

}  // namespace

int CVTQRFileAccess::RecorderState16(int16_t value) {
  return RecorderStateOfRaw(value, 2, RecorderFormat::Older);
}

int CVTQRFileAccess::RecorderState32(int32_t value) {
  return RecorderStateOfRaw(value, 4, RecorderFormat::Older);
}

int CVTQRFileAccess::ReadRecords(int channelIndex, int start, int count, CVTData* out, bool) {
  if (!out || channelIndex < 0 || std::size_t(channelIndex) >= m_channelTypes.size()) return 1;
  const int dataType = m_channelTypes[std::size_t(channelIndex)];
  if (out->GetCapacity() < 1) {
    int r = out->Allocate(m_dataKind, dataType, count);
    if (r == STORE_NO_CONNECTION) return 2;
    if (r != STORE_OK) return 1;
  }
  std::vector<uint8_t> flags;
  int delivered = 0;
  try {
    flags.reserve(std::size_t(std::max(0, count)));
  } catch (const std::bad_alloc&) {
    return 2;
  }
  if (ReadAlarmFlags(channelIndex, start, count, &flags, &delivered) != 0 || delivered != count) return 1;
  if (dataType != vt::CHANNEL_TYPE_SHORT && dataType != vt::CHANNEL_TYPE_INT) return 0;

  TickTime time;
  int read = 0;
  // A full buffer or a buffer of another type is a failure, not a silently short read.
  if (m_dataKind == 0) {
    std::vector<int32_t> values;
    if (ReadEventRecord(channelIndex, start, count, &time, &values, &read) != 0 || read != count) return 1;
    time.AddMilliseconds(int64_t(start) * m_dataInterval);
    // Decoded straight into the buffer's array when the whole range fits.
    if (AppendEvents(out, dataType == vt::CHANNEL_TYPE_INT, read, time, m_dataInterval, values.data(),
                     flags.data()))
      return 0;
    for (int i = 0; i < read; ++i, time.AddMilliseconds(m_dataInterval)) {
      const int32_t v = values[std::size_t(i)];
      const uint8_t f = flags[std::size_t(i)];
      int r = dataType == vt::CHANNEL_TYPE_SHORT
                  ? out->AddEventShort(time, RecorderState16(int16_t(v)), f, int16_t(v))
                  : out->AddEventInt(time, RecorderState32(v), f, v);
      if (r != STORE_OK) return 1;
    }
  } else {
    std::vector<int32_t> minima, maxima;
    if (ReadDisplayValues(channelIndex, start, count, &time, &minima, &maxima, &read) != 0 || read != count)
      return 1;
    time.AddMilliseconds(int64_t(start) * m_dataInterval);
    if (AppendDisplays(out, dataType == vt::CHANNEL_TYPE_INT, read, time, m_dataInterval, minima.data(),
                       maxima.data(), flags.data()))
      return 0;
    for (int i = 0; i < read; ++i, time.AddMilliseconds(m_dataInterval)) {
      const int32_t lo = minima[std::size_t(i)], hi = maxima[std::size_t(i)];
      const uint8_t f = flags[std::size_t(i)];
      int r = dataType == vt::CHANNEL_TYPE_SHORT
                  ? out->AddDisplayShort(time, int16_t(lo), RecorderState16(int16_t(lo)), f, int16_t(hi),
                                         RecorderState16(int16_t(hi)), f)
                  : out->AddDisplayInt(time, lo, RecorderState32(lo), f, hi, RecorderState32(hi), f);
      if (r != STORE_OK) return 1;
    }
  }
  return 0;
}

int CVTQRFileAccess::GetAlarm(int index, int* channelIndex, int64_t* relativeDataNo, TickTime* time,
                              int* action, int* level, int* type, int* lastWord) {
  if (!channelIndex || !relativeDataNo || !time || !action || !level || !type || !lastWord) return 1;
  if (index < 0 || index >= int(m_alarmEvents.size())) return 1;
  const AlarmEvent& a = m_alarmEvents[std::size_t(index)];
  *channelIndex = a.channelIndex;
  *relativeDataNo = 0;
  *time = a.time;
  *action = a.action;
  *level = a.level;
  *type = a.type;
  *lastWord = 0;
  return 0;
}

int CVTQRFileAccess::GetTimeBlockStarts(std::vector<int64_t>* out) {
  if (out) out->assign(1, 0);
  return 1;
}

int CVTQRFileAccess::ReadDisplayValues(int channelIndex, int first, int count, TickTime* firstTime,
                                       std::vector<int32_t>* minima, std::vector<int32_t>* maxima,
                                       int* numberRead) {
  if (!firstTime || !minima || !maxima || !numberRead || channelIndex < 0 || channelIndex > INT_MAX / 2 - 1)
    return 1;
  int32_t seconds = 0;
  int eighths = 0;
  if (RecFileReadSamples(m_handle, 2 * channelIndex, first, count, &seconds, &eighths, minima) != 0 ||
      RecFileReadSamples(m_handle, 2 * channelIndex + 1, first, count, &seconds, &eighths, maxima) != 0)
    return 1;
  *firstTime = RecorderTime(seconds, eighths);
  *numberRead = int(std::min(minima->size(), maxima->size()));
  return 0;
}

int CVTQRFileAccess::ReadEventRecord(int channelIndex, int first, int count, TickTime* firstTime,
                                     std::vector<int32_t>* values, int* numberRead) {
  if (!firstTime || !values || !numberRead || channelIndex < 0) return 1;
  int32_t seconds = 0;
  int eighths = 0;
  if (RecFileReadSamples(m_handle, channelIndex, first, count, &seconds, &eighths, values) != 0) return 1;
  *firstTime = RecorderTime(seconds, eighths);
  *numberRead = int(values->size());
  return 0;
}

int CVTQRFileAccess::ReadAlarmFlags(int channelIndex, int first, int count, std::vector<uint8_t>* flags,
                                    int* number) {
  if (!flags || !number) return 1;
  if (RecFileGetAlarmBits(m_handle, channelIndex, first, count, flags) != 0) return 1;
  *number = int(flags->size());
  return 0;
}

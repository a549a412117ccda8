// CQRADVFileAccess: see CQRADVFileAccess.h. Every operation but Open and GetMemStartDataNo
// answers 1 until a file has been opened successfully.
#include "recorder/newer/CQRADVFileAccess.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "recorder/WrappingMath.h"

int MapQRAResult(int blockCode) {
  switch (blockCode) {
    case vt::QRA_OK:
      return vt::QRADV_OK;
    case vt::QRA_OUT_OF_RANGE:
      return vt::QRADV_OUT_OF_RANGE;
    case vt::QRA_OPEN_FAILED:
      return vt::QRADV_OPEN_FAILED;
    case vt::QRA_READ_ERROR:
      return vt::QRADV_READ_ERROR;
    case vt::QRA_ABSENT:
      return vt::QRADV_ABSENT;
    case vt::QRA_CRC_ERROR:
      return vt::QRADV_CHECKSUM;
    case vt::QRA_BAD_HEADER:
    case vt::QRA_HEADER_VERSION:
    case vt::QRA_CHANNEL_VERSION:
    case vt::QRA_GROUP_VERSION:
    case vt::QRA_MESSAGE_VERSION:
    case vt::QRA_BATCH_VERSION:
    case vt::QRA_DATAINFO_VERSION:
    case vt::QRA_ALARM_VERSION:
    case vt::QRA_DATA_VERSION:
    case vt::QRA_TAGGED_VERSION:
      return vt::QRADV_INVALID;
    default:
      return vt::QRADV_NOT_OPEN;
  }
}

namespace {

QRATime SplitMs(int64_t ms) { return QRATime{int32_t(ms / 1000), int32_t(ms % 1000)}; }

double Pow10(double e) { return std::pow(10.0, e); }

// Engineering value of a trip line's raw position r on a channel with raw range m..M.
void ScaleTrip(const QRAChannelEntry& c, const QRATripLine& t, int* valid, double* value) {
  const int r = t.raw, m = c.rawLow, M = c.rawHigh;
  *valid = 0;
  *value = 0;
  if (t.on == 0 || r < m || r > M) return;
  *valid = 1;
  const bool log = (c.flags & 0x400) != 0;
  const double s = c.spanLow, S = c.spanHigh;
  if (M == m) {  // an empty raw range has only its lower span value
    *value = log ? Pow10(s) : s * Pow10(-c.decimals);
    return;
  }
  if (log) {
    // Both are 32-bit integers, wrapping as they always did, then divided as doubles.
    const int32_t num = int32_t(uint32_t(int64_t(c.spanLow) * (M - r) + int64_t(c.spanHigh) * (r - m)));
    const int32_t den = int32_t((M - r) + (r - m));
    *value = Pow10(double(num) / double(den));
  } else {
    *value = Pow10(-c.decimals) * (double(r - m) * (S - s) / double(M - m) + s);
  }
}

}  // namespace

CQRADVFileAccess::~CQRADVFileAccess() = default;

int CQRADVFileAccess::Open(const std::string& path) {
  if (m_file) return m_openResult;
  m_file.reset(new (std::nothrow) CQRAFile());
  if (!m_file) return m_openResult = vt::QRADV_NOT_OPEN;
  m_openResult = MapQRAResult(m_file->Open(path));
  return m_openResult;
}

void CQRADVFileAccess::Close() {
  m_file.reset();
  m_openResult = vt::QRADV_NOT_OPEN;
}

int64_t CQRADVFileAccess::BackFromLast(int64_t before) const {
  const QRADataInfo& d = m_file->GetDataInfo();
  const int64_t e = int64_t(d.lastTime.seconds) * 1000 + d.lastTime.milliseconds;
  return WrapSub(e, WrapMul(before, d.intervalMs));
}

bool CQRADVFileAccess::IsDisplayData() const {
  return m_file && (m_file->GetHeader().dataKindWord & 0xFFFFFF) == 2;
}

int CQRADVFileAccess::GetValueSize(int channelIndex) const {
  QRAChannelEntry c;
  if (!m_file || m_file->GetChannelEntry(channelIndex, &c) != vt::QRA_OK) return 0;
  return c.ValueSize();
}

int CQRADVFileAccess::GetHeaderInfo(vt::SQRAHeaderInfo* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  if (out == nullptr) return vt::QRADV_OK;
  const QRAHeader& h = m_file->GetHeader();
  const QRADataInfo& d = m_file->GetDataInfo();
  out->serial = h.serial;
  out->startDataNo = d.startDataNo;
  out->endDataNo = d.endDataNo;
  out->startTime = SplitMs(BackFromLast(int64_t(d.recordCount) - 1));
  out->endTime = d.lastTime;
  uint32_t flags = 0;
  if ((h.formatWord & 0xFFFFFF) == 1) flags |= 0x10000;
  if ((h.formatWord & 0xFFFFFF) == 2) flags |= 0x40000;
  const uint32_t kind = h.dataKindWord & 0xFFFFFF;
  if (kind == 1 || kind == 2) flags |= kind;
  switch (h.modelWord & 0xFFFF) {
    case 33:
      flags |= 0xA000000;
      break;
    case 34:
      flags |= 0xB000000;
      break;
    case 49:
      flags |= 0xC000000;
      break;
    case 50:
      flags |= 0xD000000;
      break;
    case 65:
      flags |= 0xE000000;
      break;
    default:
      break;
  }
  out->textFlags = flags;
  out->timeChangeCount = h.timeChangeCount;
  out->startFactor = h.startFactor;
  out->stopFactor = h.stopFactor;
  out->guid = h.guid;
  out->word40 = h.word40;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetHeaderFields(vt::SQRAHeaderFields* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  if (out == nullptr) return vt::QRADV_OK;
  const QRAHeader& h = m_file->GetHeader();
  out->modelName = m_file->GetModelName();
  out->word40 = h.word40;
  out->word54 = h.word54;
  out->word56 = h.word56;
  out->one = 1;
  out->word66 = h.word66;
  out->startFactor = h.startFactor;
  out->stopFactor = h.stopFactor;
  out->headerText = h.headerText;
  out->word188 = h.word188;
  out->checksumFlag = m_file->GetLastError() == vt::QRA_CRC_ERROR ? 1 : 0;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetChannelCounts(int* count, int* range1, int* range2, int* range3) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  if (count) *count = m_file->GetChannelCount();
  m_file->GetChannelRangeCounts(range1, range2, range3);
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetGroupCounts(int* count, uint32_t* blockWord) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  if (count) *count = m_file->GetGroupCount();
  if (blockWord) *blockWord = m_file->GetGroupBlockWord();
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetBatchUsers(int* startCode, int* stopCode, std::string* startUser,
                                    std::string* stopUser, int* batchFlag, int* one) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  const QRABatchBlock& b = m_file->GetBatchBlock();
  if (startCode) *startCode = b.startUserCode;
  if (stopCode) *stopCode = b.stopUserCode;
  if (startUser) *startUser = b.startUser;
  if (stopUser) *stopUser = b.stopUser;
  if (batchFlag) *batchFlag = b.hasBatchInfo;
  if (one) *one = 1;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetBatchNumber(std::string* batchNo, int* lotNo, int* lotDigits) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  const QRABatchBlock& b = m_file->GetBatchBlock();
  if (batchNo) *batchNo = b.batchNumber;
  if (lotNo) *lotNo = int(b.lotNumber);
  if (lotDigits) *lotDigits = b.lotDigits;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetBatchTextCount() {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return m_file->GetBatchTextRowCount();
}

int CQRADVFileAccess::GetBatchTextRaw(int number, QRABatchText* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRABatchText row;
  if (m_file->GetBatchTextRow(number, &row) != vt::QRA_OK) {
    // Without a table row, the batch block's own eight entries.
    if (number < 0 || number > 7) return vt::QRADV_NOT_OPEN;
    row = m_file->GetBatchBlock().texts[size_t(number)];
  }
  if (out) *out = row;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetBatchText(int number, std::string* title, std::string* text) {
  QRABatchText row;
  const int r = GetBatchTextRaw(number, &row);
  if (r != vt::QRADV_OK) return r;
  if (title) *title = row.title;
  if (text) *text = row.text;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetBatchCommentCount() {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return 3;
}

int CQRADVFileAccess::GetBatchCommentRaw(int number, QRABatchComment* out) {
  if (!IsOpen() || number < 0 || number > 2) return vt::QRADV_NOT_OPEN;
  if (out) *out = m_file->GetBatchBlock().comments[size_t(number)];
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetBatchComment(int number, int32_t* seconds, int32_t* milliseconds, std::string* user,
                                      std::string* text) {
  QRABatchComment c;
  const int r = GetBatchCommentRaw(number, &c);
  if (r != vt::QRADV_OK) return r;
  if (seconds) *seconds = c.time.seconds;
  if (milliseconds) *milliseconds = c.time.milliseconds;
  if (user) *user = c.user;
  if (text) *text = c.text;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetDataInfo(vt::SQRADataInfo* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  if (out == nullptr) return vt::QRADV_OK;
  const QRADataInfo& d = m_file->GetDataInfo();
  out->startDataNo = d.startDataNo;
  out->endDataNo = d.endDataNo;
  out->triggerOffset = int32_t(WrapSub(d.triggerDataNo, d.startDataNo));
  out->triggerTime = SplitMs(BackFromLast(WrapSub(d.endDataNo, d.triggerDataNo)));
  out->intervalMs = d.intervalMs;
  out->recordCount = int32_t(d.recordCount);
  out->itemCount = d.itemCount;
  out->alarmCount = m_file->GetAlarmCount();
  out->alarmLevels = 4;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetMessageCount(int* count) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  if (count) *count = m_file->GetMessageCount();
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetMessageRaw(int index, QRAMessageEntry* out, QRATime* computedTime) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAMessageEntry e;
  const int r = m_file->GetMessageEntry(index, &e);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  const QRADataInfo& d = m_file->GetDataInfo();
  if (computedTime) *computedTime = SplitMs(BackFromLast(WrapSub(d.endDataNo, e.dataNo)));
  if (out) {
    *out = e;
    out->dataNo = WrapSub(e.dataNo, d.startDataNo);
    const uint64_t all = m_file->GetAllGroupsMask();
    if ((e.groupMask & all) == all) out->groupMask = ~uint64_t(0);
  }
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetMessage(int index, vt::SQRAMessage* out) {
  QRAMessageEntry e;
  QRATime computed;
  const int r = GetMessageRaw(index, &e, &computed);
  if (r != vt::QRADV_OK || out == nullptr) return r;
  out->relativeDataNo = e.dataNo;
  out->user = e.user;
  out->number = e.number;
  out->serial = e.serial;
  out->secondWord = e.secondWord;
  out->text = e.text;
  out->word36 = e.word36;
  out->groupMask = int64_t(e.groupMask);
  out->messageTime = computed;
  out->inputTime = e.inputTime;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetGroupInfo(int index, std::string* name, int* channelCount, int* groupNo,
                                   int* inUse) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAGroupEntry g;
  const int r = m_file->GetGroupEntry(index, &g);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  int count = 0;
  if (g.inUse != 0)
    for (int16_t p : g.places) count += p != -1 ? 1 : 0;
  if (name) *name = g.inUse != 0 ? g.name : std::string();
  if (channelCount) *channelCount = count;
  if (groupNo) *groupNo = g.number;
  if (inUse) *inUse = g.inUse;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetGroupChannel(int groupIndex, int place, vt::SQRAGroupChannel* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAGroupEntry g;
  if (place < 0 || place >= 16 || out == nullptr) return vt::QRADV_OUT_OF_RANGE;
  const int r = m_file->GetGroupEntry(groupIndex, &g);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  *out = vt::SQRAGroupChannel();
  const int index = m_file->ChannelIndexOf(g.places[size_t(place)]);
  out->channelIndex = index;
  if (index < 0) return vt::QRADV_OK;
  QRAChannelEntry c;
  m_file->GetChannelEntry(index, &c);
  out->scaleValid = 1;
  const bool log = (c.flags & 0x400) != 0;
  out->spanLow = log ? Pow10(c.spanLow) : c.spanLow * Pow10(-c.decimals);
  out->spanHigh = log ? Pow10(c.spanHigh) : c.spanHigh * Pow10(-c.decimals);
  out->rawMin = c.rawLow;
  out->rawMax = c.rawHigh;
  out->colour = int(c.colour & 0xFFFFFF);
  out->display = c.display != 0 ? 1 : 0;
  out->logScale = log ? 1 : 0;
  for (size_t t = 0; t < 4; ++t) ScaleTrip(c, g.trips[t], &out->tripValid[t], &out->tripValue[t]);
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetGroupChannel2(int groupIndex, int place, vt::SQRAGroupChannel* out) {
  const int r = GetGroupChannel(groupIndex, place, out);
  if (r == vt::QRADV_OK && out != nullptr)
    for (size_t t = 2; t < 4; ++t) out->tripValid[t] = 0, out->tripValue[t] = 0;
  return r;
}

int CQRADVFileAccess::GetChannelInfo(int index, vt::SQRAChannelInfo* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAChannelEntry c;
  const int r = m_file->GetChannelEntry(index, &c);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  if (out == nullptr) return vt::QRADV_OK;
  if ((c.flags & 0x104) == 0x104)
    out->kind = 3;
  else if ((c.flags & 0x108) == 0x108)
    out->kind = 4;
  else if (c.flags & 0x2)
    out->kind = 0;
  else if (c.flags & 0x4)
    out->kind = 1;
  const int n = c.number;
  if (n >= 1 && n <= 48)
    out->rangeClass = 0;
  else if (n >= 101 && n <= 160)
    out->rangeClass = 1;
  else if (n >= 201 && n <= 440)
    out->rangeClass = 2;
  char name[16];
  std::snprintf(name, sizeof name, "CH%03d", n);
  out->name = name;
  out->tag = c.tag;
  out->unit = c.unit;
  out->decimals = c.decimals;
  out->colour = int(c.colour & 0xFFFFFF);
  out->word40 = c.word40;
  out->loggingNo = c.loggingNo;
  if (c.flags & 0x400) {
    out->spanLow = c.logMantissaLow;
    out->spanHigh = c.logMantissaHigh;
    out->logExpLow = c.spanLow;
    out->logExpHigh = c.spanHigh;
    out->logScale = 1;
    out->scaleCode = 3;
  } else {
    out->spanLow = c.spanLow * Pow10(-c.decimals);
    out->spanHigh = c.spanHigh * Pow10(-c.decimals);
    out->logExpLow = 0;
    out->logExpHigh = 0;
    out->logScale = 0;
    out->scaleCode = 1;
  }
  return vt::QRADV_OK;
}

int CQRADVFileAccess::ReadChannelValues(int channelIndex, int64_t start, int sub, int64_t count,
                                        int32_t* values, int32_t* seconds, int32_t* milliseconds,
                                        bool readTimes) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAChannelEntry c;
  int r = m_file->GetChannelEntry(channelIndex, &c);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  const int size = c.ValueSize();
  const int s = IsDisplayData() ? (sub != 0 ? 1 : 0) : 0;
  r = m_file->ReadValues(start, s, size, c.valueOffset, count, values, readTimes ? seconds : nullptr,
                         readTimes ? milliseconds : nullptr);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  if (!readTimes && seconds != nullptr && milliseconds != nullptr) {
    const QRATime t = SplitMs(BackFromLast(WrapSub(int64_t(m_file->GetDataInfo().recordCount) - 1, start)));
    *seconds = t.seconds;
    *milliseconds = t.milliseconds;
  }
  return vt::QRADV_OK;
}

int CQRADVFileAccess::ReadChannelColumns(int64_t start, int64_t count,
                                         const std::vector<ChannelColumn>& columns) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  std::vector<CQRAFile::ColumnTarget> targets;
  targets.reserve(columns.size());
  const bool display = IsDisplayData();
  for (const ChannelColumn& k : columns) {
    QRAChannelEntry c;
    if (const int r = m_file->GetChannelEntry(k.channelIndex, &c); r != vt::QRA_OK) return MapQRAResult(r);
    const int size = c.ValueSize();
    if (size != 2 && size != 4) {
      std::fill_n(k.values, count, 0);
      std::fill_n(k.states, count, uint8_t(0));
      continue;
    }
    const int s = display && k.sub != 0 ? 1 : 0;
    targets.push_back({s * size + c.valueOffset, size, k.values, k.states});
  }
  return MapQRAResult(m_file->ReadColumns(start, count, targets));
}

int CQRADVFileAccess::GetDerivedTime(int64_t start, int32_t* seconds, int32_t* milliseconds) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  const QRATime t = SplitMs(BackFromLast(WrapSub(int64_t(m_file->GetDataInfo().recordCount) - 1, start)));
  *seconds = t.seconds;
  *milliseconds = t.milliseconds;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::ReadRecordTimes(int64_t start, int64_t count, int32_t* seconds, int32_t* milliseconds) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return MapQRAResult(m_file->ReadTimes(start, count, seconds, milliseconds));
}

int CQRADVFileAccess::ReadAlarmFlags(int channelIndex, int64_t start, int64_t count, uint8_t* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAChannelEntry c;
  const int r = m_file->GetChannelEntry(channelIndex, &c);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  return MapQRAResult(m_file->ReadAlarmFlags(c.number, start, count, out));
}

int CQRADVFileAccess::GetAlarm(int index, QRAAlarmEntry* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  QRAAlarmEntry a;
  const int r = m_file->GetAlarmEntry(index, &a);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  if (out == nullptr) return vt::QRADV_OK;
  *out = a;
  out->channel = int16_t(a.channel == -1 ? -1 : m_file->ChannelIndexOf(a.channel));
  out->dataNo = WrapSub(a.dataNo, m_file->GetDataInfo().startDataNo);
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetTagNoListState() {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return m_file->GetTagNoListState();
}

int CQRADVFileAccess::GetTagNo(int channelIndex, std::string* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return MapQRAResult(m_file->GetTagNo(channelIndex, out));
}

int CQRADVFileAccess::GetTagNameListState() {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return m_file->GetTagNameListState();
}

int CQRADVFileAccess::GetTagName(int channelIndex, std::string* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return MapQRAResult(m_file->GetTagName(channelIndex, out));
}

int CQRADVFileAccess::GetFirstTableString(std::string* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  return MapQRAResult(m_file->GetFirstTableString(out));
}

int CQRADVFileAccess::GetTaggedCode(int index, uint32_t* out) {
  if (!IsOpen()) return vt::QRADV_NOT_OPEN;
  uint32_t v = 0;
  const int r = m_file->GetTaggedValue(index, &v);
  if (r != vt::QRA_OK) return MapQRAResult(r);
  // The fourth byte is cleared so that the word reads as a text of up to three characters.
  if (out) *out = v & 0x00FFFFFFu;
  return vt::QRADV_OK;
}

int CQRADVFileAccess::GetMemStartDataNo(int64_t* out) {
  if (out == nullptr) return vt::QRADV_NOT_OPEN;
  if (m_file) *out = m_file->GetDataInfo().memStartDataNo;
  return vt::QRADV_OK;
}

// The queries of the older-format reader library: times, header values, channels, samples,
// alarm bits, messages, display groups and alarms of an open RecFileHandle. All offsets used
// here were bounded at open (RecFileOpen.cpp); indexes coming from the caller are checked.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

#include "platform/base/ByteOrder.h"
#include "recorder/RecorderText.h"
#include "recorder/older/RecFile.h"
#include "recorder/older/RecFileState.h"

namespace {

constexpr std::size_t kAlarmEntry = 28, kMessageEntry = 48, kBatchBlock = 256;
constexpr int kFixedGroups = 4, kDirGroups = 23, kGroupSlots = 10;

const RecFileState* StateOf(const RecFileHandle* h) {
  if (!h || !h->state) return nullptr;
  const RecFileState* s = h->state;
  uint16_t expected = uint16_t((s->fixed ? 0x30 : 0x40) + (s->display ? 1 : 0));
  return h->kind == expected ? s : nullptr;
}

const char* ModelName(uint8_t code) {
  switch (code) {
    case 0x00:
      return "QR410";
    case 0x01:
      return "QR420";
    case 0x10:
      return "LT410";
    case 0x11:
      return "LT420";
    case 0x40:
      return "PW410";
    case 0x80:
      return "NB410";
    default:
      return "";
  }
}

double DecimalFactor(int decimals) {
  static const double kFactors[] = {1, 0.1, 0.01, 0.001, 0.0001};
  return decimals >= 0 && decimals <= 4 ? kFactors[decimals] : 1.0;
}

int32_t ToInt32(int64_t v) { return int32_t(uint32_t(uint64_t(v))); }

// Record index, counted from 0, of a data number counted against the position base.
int64_t RecordIndex(const RecFileState& s, uint32_t dataNo) {
  return int64_t(s.records) - int64_t(s.positionBase) + int64_t(dataNo) - 1;
}

int ChannelIndexOf(const RecFileState& s, int number) {
  if (number < 0 || std::size_t(number) >= s.channelMap.size()) return -1;
  return s.channelMap[std::size_t(number)];
}

// Header bytes whose place differs between the layouts: tag switch, the byte told 1 from 2,
// and the count and unit of the period.
std::size_t LayoutByte(const RecFileState& s, int k) { return std::size_t((s.fixed ? 292 : 184) + k); }

}  // namespace

int RecFileGetTimes(const RecFileHandle* handle, RecFileTimes* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out) return 0xFFFF;
  const uint8_t* h = s->header.data();
  std::copy(h + 12, h + 28, out->serialRaw.begin());
  out->firstDataNo = s->positionBase == s->records ? 0 : s->dataNoBefore + 1;
  out->lastDataNo = s->lastDataNo;
  out->firstSeconds = ToInt32(s->firstSeconds);
  out->firstEighths = s->firstEighths;
  out->lastSeconds = ToInt32(s->lastSeconds);
  out->lastEighths = s->lastEighths;
  out->kindChar = h[6] == 0 ? 0x30 : h[6] == 1 ? 0x31 : -1;
  out->clockChanges = h[72];
  out->startFactorCode = h[74];
  out->stopFactorCode = h[73];
  return out->kindChar;
}

int RecFileGetInfo(const RecFileHandle* handle, RecFileInfo* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out) return 1;
  out->measuredChannels = s->measuredChannels;
  out->computedChannels = s->computedChannels;
  out->records = s->records;
  out->one = 1;
  out->intervalSeconds = int(s->intervalEighths / 8);
  out->intervalEighths = int(s->intervalEighths % 8);
  out->recordsBeforeTrigger = s->recordsBeforeTrigger;
  out->triggerSeconds = ToInt32(s->triggerSeconds);
  out->triggerEighths = s->triggerEighths;
  out->alarmListsPresent = s->hasAlarmLists ? 1 : 0;
  out->alarmLevels = kRecFileAlarmLevels;
  out->messages = s->messageCount;
  out->modelName = ModelName(s->modelCode);
  out->checksumResult = s->checksumResult;
  out->alarmEntries = s->alarmCount;
  out->computationChannels = s->fixed ? -1 : s->computationChannels;
  return 0;
}

int RecFileGetHeaderInfo(const RecFileHandle* handle, RecFileHeaderInfo* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out) return 1;
  const uint8_t* h = s->header.data();
  *out = RecFileHeaderInfo{};
  out->serial = DecodeRecorderText(h + 12, 16);
  out->dataNoBefore = s->dataNoBefore;
  out->lastDataNo = s->lastDataNo;
  out->positionBase = s->positionBase;
  out->word10 = int16_t(vt::LoadBe16(h + 10));
  out->headerText = MapRecorderText(h + 28, 32);
  out->clockChanges = h[72];
  out->startFactorCode = h[74];
  out->stopFactorCode = h[73];
  out->tagsUsed = h[LayoutByte(*s, 0)] == 0 ? 1 : 0;
  uint8_t told = h[LayoutByte(*s, 1)];
  out->byte185 = told == 1 || told == 2 ? told : 0;
  static const int kPeriodUnits[] = {0, 60, 3600, 86400, 604800};
  uint8_t unit = h[LayoutByte(*s, 3)];
  out->periodSeconds = unit >= 1 && unit <= 4 ? h[LayoutByte(*s, 2)] * kPeriodUnits[unit] : 0;
  if (!s->batchAt) return 0;

  uint8_t b[kBatchBlock];
  if (s->batchBeyondFile || !s->ReadAt(s->batchAt, b, kBatchBlock)) return 1;
  out->batchPresent = 1;
  out->startLevel = b[0];
  out->startUser = MapRecorderText(b + 1, 16);
  out->stopLevel = b[17];
  out->stopUser = MapRecorderText(b + 18, 16);
  out->batchInfoPresent = b[35] != 0 ? 1 : 0;
  if (!out->batchInfoPresent) return 0;
  for (int i = 0; i < 3; ++i) out->batchTexts[std::size_t(i)] = MapRecorderText(b + 36 + 16 * i, 16);
  out->batchNo = MapRecorderText(b + 84, 16);
  out->lotNo = int16_t(vt::LoadBe16(b + 100));
  if (b[102] != 0) out->commentAuthor = MapRecorderText(b + 102, 16);
  for (int i = 0; i < 3; ++i)
    if (b[118 + 32 * i] != 0) out->comments[std::size_t(i)] = MapRecorderText(b + 118 + 32 * i, 32);
  const uint8_t* t = b + 214;
  if (t[1] != 0 && t[2] != 0) {
    out->commentSeconds = ToInt32(RecFileRecordSeconds(t));
    out->commentEighths = int8_t(t[6]);
  }
  return 0;
}

int RecFileGetChannel(const RecFileHandle* handle, int index, RecFileChannel* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out || index < 0 || index >= s->channels) return 1;
  const RecFileChannelSlot& slot = s->channelTable[std::size_t(index)];
  const uint8_t* e = slot.entry.data();
  *out = RecFileChannel{};
  out->wide = out->wide2 = slot.type == 6 ? 1 : 0;
  char name[16];
  std::snprintf(name, sizeof name, "CH%02d", int16_t(vt::LoadBe16(e + 12)) + 1);
  out->name = name;
  out->tag = MapRecorderText(e + 26, 16);
  out->unit = MapRecorderText(e + 20, 6);
  out->decimals = e[19];
  const int kind = e[18];
  const double lower = int32_t(vt::LoadBe32(e)), upper = int32_t(vt::LoadBe32(e + 4));
  const double factor = kind == 3 ? 1.0 : DecimalFactor(e[19]);
  out->scaleLower = lower * factor;
  out->scaleUpper = upper * factor;
  out->colour = RecFileColour(e[42]);
  out->logScale = kind == 3 ? 1 : 0;
  out->scaleKind = kind == 1 || kind == 3 ? kind : 0;
  out->lowerExponent = int16_t(vt::LoadBe16(e + 52));
  out->upperExponent = int16_t(vt::LoadBe16(e + 54));
  return 0;
}

int RecFileReadSamples(const RecFileHandle* handle, int row, int64_t first, int64_t count,
                       int32_t* firstSeconds, int* firstEighths, std::vector<int32_t>* values) {
  const RecFileState* s = StateOf(handle);
  if (!s || !values) return 1;
  values->clear();
  if (firstSeconds) *firstSeconds = ToInt32(s->firstSeconds);
  if (firstEighths) *firstEighths = s->firstEighths;
  const int channel = s->display ? row / 2 : row;
  if (row < 0 || channel >= s->channels || first < 0 || first >= int64_t(s->records) || count <= 0) return 0;
  const RecFileChannelSlot& slot = s->channelTable[std::size_t(channel)];
  const bool wide = slot.type == 6;
  const uint32_t at = slot.valueOffset + (s->display && row % 2 ? (wide ? 4 : 2) : 0);
  if (s->dataBeyondFile) return 1;
  const int64_t end = first + std::min<int64_t>(count, int64_t(s->records) - first);
  values->resize(std::size_t(end - first));

  // Reads runs of whole records, never past the last slot of the ring.
  // Through the range cache: the other rows of the same range come from memory.
  const std::size_t rs = s->recordSize;
  const std::size_t perChunk = std::max<std::size_t>(1, RecordRangeCache::kSpanLimit / rs);
  for (int64_t k = first; k < end;) {
    uint64_t slotNo = (uint64_t(s->ringStart) + uint64_t(k)) % s->records;
    std::size_t n = std::size_t(std::min<uint64_t>({uint64_t(end - k), perChunk, s->records - slotNo}));
    const uint8_t* chunk = s->cache.Read(s->file, s->dataArea + slotNo * rs, n * rs);
    if (chunk == nullptr) {
      values->resize(std::size_t(k - first));  // what was read before the failure
      return 1;
    }
    // One loop per value width, so that nothing is decided per record.
    int32_t* out = values->data() + (k - first);
    const uint8_t* p = chunk + at;
    if (wide)
      for (std::size_t r = 0; r < n; ++r, p += rs) out[r] = int32_t(vt::LoadBe32(p));
    else
      for (std::size_t r = 0; r < n; ++r, p += rs) out[r] = int16_t(vt::LoadBe16(p));
    k += int64_t(n);
  }
  return 0;
}

int RecFileGetAlarmBits(const RecFileHandle* handle, int channel, int64_t first, int64_t count,
                        std::vector<uint8_t>* bits) {
  const RecFileState* s = StateOf(handle);
  if (!s || !bits) return 1;
  bits->clear();
  if (first < 0 || first >= int64_t(s->records) || count <= 0) return 0;
  // Records d = first + 1 .. last, counted from 1.
  const int64_t d0 = first + 1, d1 = first + std::min<int64_t>(count, int64_t(s->records) - first);
  bits->assign(std::size_t(d1 - d0 + 1), 0);
  if (!s->hasAlarmLists || channel < 0 || channel >= s->channels) return 0;
  std::vector<int32_t> depth(bits->size() + 1);
  for (int level = 0; level < kRecFileAlarmLevels; ++level) {
    std::fill(depth.begin(), depth.end(), 0);
    bool any = false;
    for (const RecFileAlarmInterval& iv : s->alarmLists[std::size_t(channel)][std::size_t(level)]) {
      // In event data the record at which the alarm went off is no longer in it, unless the
      // alarm began there too.
      int64_t last = !s->display && iv.first != iv.last ? iv.last - 1 : iv.last;
      int64_t lo = std::max(iv.first, d0), hi = std::min(last, d1);
      if (lo > hi) continue;
      ++depth[std::size_t(lo - d0)];
      --depth[std::size_t(hi - d0 + 1)];
      any = true;
    }
    if (!any) continue;
    int32_t run = 0;
    for (std::size_t i = 0; i < bits->size(); ++i) {
      run += depth[i];
      if (run > 0) (*bits)[i] = uint8_t((*bits)[i] | (1u << level));
    }
  }
  return 0;
}

int RecFileGetMessage(const RecFileHandle* handle, int index, RecFileMessage* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out || index < 0 || index >= s->messageCount) return 1;
  uint8_t e[kMessageEntry];
  if (s->messagesBeyondFile ||
      !s->ReadAt(s->messagesAt + kMessageEntry * std::size_t(index), e, kMessageEntry))
    return 1;
  out->recordIndex = RecordIndex(*s, vt::LoadBe32(e + 24));
  out->seconds = ToInt32(RecFileRecordSeconds(e + 16));
  out->eighths = int8_t(e[22]);
  out->text = MapRecorderText(e, 16);
  out->numberMinus1 = e[28];
  out->attribute = e[29];
  out->user = MapRecorderText(e + 30, 16);
  return 0;
}

int RecFileGetGroupLimits(const RecFileHandle* handle, int* groups, int* channelsPerGroup) {
  const RecFileState* s = StateOf(handle);
  if (!s) return 0;
  if (groups) *groups = s->fixed ? kFixedGroups : kDirGroups;
  if (channelsPerGroup) *channelsPerGroup = kGroupSlots;
  return 0;
}

namespace {

// The channel number in a group slot, or -1 for an empty slot or a group that is not there.
int SlotChannelNumber(const RecFileState& s, int group, int slot) {
  if (s.fixed) {
    uint8_t v = s.header[std::size_t(182 + 10 * group + slot)];
    return v == 0xFF ? -1 : v;
  }
  if (std::size_t(group) >= s.dirGroups.size() || s.dirGroups[std::size_t(group)][1] == 0) return -1;
  return int16_t(vt::LoadBe16(&s.dirGroups[std::size_t(group)][std::size_t(2 + 2 * slot)]));
}

bool GroupExists(const RecFileState& s, int group) {
  if (s.fixed) return group >= 0 && group < kFixedGroups;
  return group >= 0 && std::size_t(group) < s.dirGroups.size() && s.dirGroups[std::size_t(group)][1] != 0;
}

}  // namespace

int RecFileGetGroupName(const RecFileHandle* handle, int group, std::string* name, int* channelCount) {
  const RecFileState* s = StateOf(handle);
  if (!s || !name || !channelCount) return 1;
  if (!GroupExists(*s, group)) {
    char text[24];
    std::snprintf(text, sizeof text, "Group%02d", group + 1);
    *name = text;
    *channelCount = 0;
    return 0;
  }
  const uint8_t* field =
      s->fixed ? &s->header[std::size_t(222 + 16 * group)] : &s->dirGroups[std::size_t(group)][22];
  *name = MapRecorderText(field, 16);
  int n = 0;
  for (int k = 0; k < kGroupSlots; ++k) n += SlotChannelNumber(*s, group, k) != -1 ? 1 : 0;
  *channelCount = n;
  return 0;
}

int RecFileGetGroupChannel(const RecFileHandle* handle, int group, int slot, RecFileGroupChannel* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out) return 1;
  if (group < 0 || group >= (s->fixed ? kFixedGroups : kDirGroups) || slot < 0 || slot >= kGroupSlots)
    return 1;
  const int index = ChannelIndexOf(*s, SlotChannelNumber(*s, group, slot));
  out->channelIndex = index;
  if (index < 0) return 0;
  const uint8_t* e = s->channelTable[std::size_t(index)].entry.data();
  const int kind = e[18];
  const int decimals = e[19];
  const double rawLower = int32_t(vt::LoadBe32(e)), rawUpper = int32_t(vt::LoadBe32(e + 4));
  const int lo = int16_t(vt::LoadBe16(e + 8)), hi = int16_t(vt::LoadBe16(e + 10));
  const int lowerExp = int16_t(vt::LoadBe16(e + 52)), upperExp = int16_t(vt::LoadBe16(e + 54));
  const bool log = kind == 3;
  out->present = 1;
  out->scaleLower = log ? std::pow(10.0, lowerExp) : rawLower * DecimalFactor(decimals);
  out->scaleUpper = log ? std::pow(10.0, upperExp) : rawUpper * DecimalFactor(decimals);
  out->spanLower = lo;
  out->spanUpper = hi;
  for (int i = 0; i < 4; ++i) {
    bool on;
    int x;
    if (s->fixed) {
      on = s->header[std::size_t(118 + 4 * group + i)] != 0;
      x = int16_t(vt::LoadBe16(&s->header[std::size_t(150 + 8 * group + 2 * i)]));
    } else {
      const auto& g = s->dirGroups[std::size_t(group)];
      on = g[std::size_t(38 + i)] != 0;
      x = int16_t(vt::LoadBe16(&g[std::size_t(46 + 2 * i)]));
    }
    double value = 0;
    if (on && lo <= x && x <= hi) {
      if (hi == lo)  // an empty span: the line stands at the lower end, never at a NaN
        value = log ? std::pow(10.0, lowerExp) : rawLower * DecimalFactor(decimals);
      else if (log)
        value = std::pow(10.0, (double(upperExp) * (x - lo) - double(lowerExp) * (x - hi)) / (hi - lo));
      else
        value = ((x - lo) * (rawUpper - rawLower) / (hi - lo) + rawLower) * DecimalFactor(decimals);
    } else {
      on = false;
    }
    out->tripOn[std::size_t(i)] = on ? 1 : 0;
    out->tripValue[std::size_t(i)] = value;
  }
  out->colour = RecFileColour(e[42]);
  out->switchOn = e[43] == 1 ? 1 : 0;
  out->logScale = log ? 1 : 0;
  return 0;
}

int RecFileGetAlarm(const RecFileHandle* handle, int index, RecFileAlarm* out) {
  const RecFileState* s = StateOf(handle);
  if (!s || !out || index < 0 || index >= s->alarmCount) return 1;
  uint8_t e[kAlarmEntry];
  if (!s->ReadAt(s->alarmsAt + kAlarmEntry * std::size_t(index), e, kAlarmEntry)) return 1;
  const int number = s->fixed ? e[0] : int16_t(vt::LoadBe16(e));
  out->channelIndex = ChannelIndexOf(*s, number);
  out->level = s->fixed ? e[1] : e[2];
  out->type = s->fixed ? e[2] : e[3];
  const uint32_t on = vt::LoadBe32(e + 12), off = vt::LoadBe32(e + 24);
  out->onRecord = on ? RecordIndex(*s, on) : -1;
  out->onSeconds = ToInt32(RecFileRecordSeconds(e + 4));
  out->onEighths = int8_t(e[10]);
  out->offRecord = off ? RecordIndex(*s, off) : -1;
  out->offSeconds = ToInt32(RecFileRecordSeconds(e + 16));
  out->offEighths = int8_t(e[22]);
  return 0;
}

// Opening and closing of older recorder files: identification of the layout, the two
// checksums, the header, the channel table, the sections, the alarm lists and the derived
// times. Everything the file states about its own structure is bounded here by the file size,
// so a damaged or hostile file is refused at open instead of steering a later read astray.
#include <algorithm>
#include <memory>
#include <new>

#include "platform/base/ByteOrder.h"
#include "recorder/RecorderCalendarTime.h"
#include "recorder/RecorderCrc.h"
#include "recorder/older/RecFile.h"
#include "recorder/older/RecFileState.h"

namespace {

constexpr std::size_t kFixedHeader = 320;
constexpr std::size_t kDirHeader = 208;
constexpr std::size_t kChannelEntry = 64, kAlarmEntry = 28, kMessageEntry = 48;
constexpr std::size_t kBatchBlock = 256, kGroupEntry = 54, kDirEntry = 16;
constexpr std::size_t kMaxDirGroups = 23;
constexpr int kFixedChannelNumbers = 60, kDirChannelNumbers = 270;
constexpr std::size_t kCrcPiece = 64 * 1024;

bool FixedMarks(uint8_t b0, uint8_t b1) {
  return (b0 == 'u' || b0 == 'x') && (b1 == 0x20 || b1 == 0x21 || b1 == 0x30 || b1 == 0x50);
}
bool DirectoryMarks(uint8_t b0, uint8_t b1) { return b0 == 'u' && b1 == 0x80; }

bool KnownModel(uint8_t code, bool fixed) {
  switch (code) {
    case 0x00:
    case 0x01:
    case 0x10:
    case 0x11:
    case 0x40:
      return true;
    case 0x80:
      return fixed;
    default:
      return false;
  }
}

bool ForbiddenYear(uint8_t yearByte) { return IsUnusedRecorderYear(int8_t(yearByte)); }

// The header tests that need no checksum, in their fixed order; the first failure decides.
bool Identify(const uint8_t* h, std::size_t avail, bool* fixed) {
  if (avail >= kFixedHeader && FixedMarks(h[0], h[1]))
    *fixed = true;
  else if (avail >= kDirHeader && DirectoryMarks(h[0], h[1]))
    *fixed = false;
  else
    return false;
  if (h[2] != 'M' || h[3] != 'Q') return false;
  if (!KnownModel(h[5], *fixed)) return false;
  if (ForbiddenYear(h[108])) return false;
  if (vt::LoadBe16(h + 8) != 0) return false;
  if (h[6] > 1) return false;
  if (int16_t(vt::LoadBe16(h + 84)) == 0) return false;
  if (vt::LoadBe32(h + 92) == 0) return false;
  return true;
}

// Whether [offset, offset + size) lies inside the part of the file before its data checksum.
bool Inside(const RecFileState& s, uint64_t offset, uint64_t size) {
  return offset <= s.fileSize - 2 && size <= s.fileSize - 2 - offset;
}

// Header checksum over everything before the stored word, data checksum over everything
// between the header and the file's last two bytes.
bool ChecksumsMatch(const RecFileState& s) {
  const std::size_t h = s.header.size();
  if (RecorderCrc16(s.header.data(), h - 2) != vt::LoadLe16(&s.header[h - 2])) return false;
  std::unique_ptr<uint8_t[]> piece(new (std::nothrow) uint8_t[kCrcPiece]);
  if (!piece) return false;
  uint16_t crc = 0xFFFF;
  for (uint64_t at = h, end = s.fileSize - 2; at < end;) {
    std::size_t n = std::size_t(std::min<uint64_t>(kCrcPiece, end - at));
    if (!s.ReadAt(at, piece.get(), n)) return false;
    crc = RecorderCrc16(piece.get(), n, crc);
    at += n;
  }
  uint8_t stored[2];
  return s.ReadAt(s.fileSize - 2, stored, 2) && crc == vt::LoadLe16(stored);
}

bool ReadChannels(RecFileState& s) {
  const std::size_t at = s.header.size();
  if (!Inside(s, at, uint64_t(kChannelEntry) * uint64_t(s.channels))) return false;
  const int numbers = s.fixed ? kFixedChannelNumbers : kDirChannelNumbers;
  s.channelMap.assign(std::size_t(numbers), -1);
  s.channelTable.resize(std::size_t(s.channels));
  const uint32_t halves = s.display ? 2 : 1;
  for (int i = 0; i < s.channels; ++i) {
    RecFileChannelSlot& slot = s.channelTable[std::size_t(i)];
    if (!s.ReadAt(at + kChannelEntry * std::size_t(i), slot.entry.data(), kChannelEntry)) return false;
    const uint8_t* e = slot.entry.data();
    int number = int16_t(vt::LoadBe16(e + 12));
    int offset = int16_t(vt::LoadBe16(e + 14));
    slot.type = e[16] & 0x7F;
    uint32_t width = (slot.type == 6 ? 4u : 2u) * halves;
    if (number < 0 || number >= numbers) return false;
    if (offset < 0 || uint32_t(offset) + width > s.recordSize) return false;
    slot.valueOffset = uint32_t(offset);
    s.channelMap[std::size_t(number)] = i;
    if (slot.type == 6)
      ++s.computedChannels;
    else if (!s.fixed && number >= 100)
      ++s.computationChannels;
    else
      ++s.measuredChannels;
  }
  return true;
}

// Section offsets and counts from the fixed order or from the directory; every present
// section must lie inside the file.
bool LocateSections(RecFileState& s) {
  uint64_t groupsAt = 0;
  int64_t groupCount = 0, batchCount = 0, alarms = 0, messages = 0;
  if (s.fixed) {
    const uint8_t* h = s.header.data();
    alarms = std::max<int>(0, int16_t(vt::LoadBe16(h + 286)));
    messages = std::max<int>(0, int16_t(vt::LoadBe16(h + 288)));
    batchCount = int16_t(vt::LoadBe16(h + 290)) > 0 ? 1 : 0;
    uint64_t at = kFixedHeader + kChannelEntry * uint64_t(s.channels);
    if (alarms) s.alarmsAt = at;
    at += kAlarmEntry * uint64_t(alarms);
    if (messages) s.messagesAt = at;
    at += kMessageEntry * uint64_t(messages);
    if (batchCount) s.batchAt = at;
  } else {
    const std::size_t n = vt::LoadBe16(&s.header[206]);
    for (std::size_t i = 0; i < n; ++i) {
      const uint8_t* e = &s.header[kDirHeader + kDirEntry * i];
      uint64_t offset = vt::LoadBe32(e + 4);
      int64_t count = std::max<int32_t>(0, int32_t(vt::LoadBe32(e + 8)));
      switch (e[0]) {
        case 0x00:
          s.alarmsAt = count ? offset : 0;
          alarms = count;
          break;
        case 0x10:
          s.messagesAt = count ? offset : 0;
          messages = count;
          break;
        case 0x20:
          s.batchAt = count ? offset : 0;
          batchCount = count ? 1 : 0;
          break;
        case 0x30:
          groupsAt = offset;
          groupCount = count;
          break;
        default:
          break;  // other section types are not read
      }
    }
  }
  if (alarms && !Inside(s, s.alarmsAt, kAlarmEntry * uint64_t(alarms))) return false;
  // Messages and the batch block are read after the open; lying past the end fails those reads.
  s.messagesBeyondFile = messages && !Inside(s, s.messagesAt, kMessageEntry * uint64_t(messages));
  s.batchBeyondFile = batchCount && !Inside(s, s.batchAt, kBatchBlock);
  s.alarmCount = int(alarms);
  s.messageCount = int(messages);
  // Only 23 display groups exist; further entries are not read.
  groupCount = std::min<int64_t>(groupCount, kMaxDirGroups);
  if (groupCount) {
    if (!Inside(s, groupsAt, kGroupEntry * uint64_t(groupCount))) return false;
    s.dirGroups.resize(std::size_t(groupCount));
    for (std::size_t g = 0; g < s.dirGroups.size(); ++g)
      if (!s.ReadAt(groupsAt + kGroupEntry * g, s.dirGroups[g].data(), kGroupEntry)) return false;
  }
  return true;
}

// Alarm intervals in record numbers counted from 1, listed per channel and level.
bool BuildAlarmLists(RecFileState& s) {
  if (!s.alarmCount) return true;
  std::vector<uint8_t> entries(kAlarmEntry * std::size_t(s.alarmCount));
  if (!s.ReadAt(s.alarmsAt, entries.data(), entries.size())) return false;
  s.alarmLists.resize(std::size_t(s.channels));
  const int64_t n = s.records, base = s.positionBase;
  for (int i = 0; i < s.alarmCount; ++i) {
    const uint8_t* e = &entries[kAlarmEntry * std::size_t(i)];
    int number = s.fixed ? e[0] : int16_t(vt::LoadBe16(e));
    int level = s.fixed ? e[1] : e[2];
    int type = s.fixed ? e[2] : e[3];
    if (number < 0 || std::size_t(number) >= s.channelMap.size() || s.channelMap[std::size_t(number)] < 0)
      continue;
    if (level < 0 || level >= kRecFileAlarmLevels) continue;
    uint32_t on = vt::LoadBe32(e + 12), off = vt::LoadBe32(e + 24);
    RecFileAlarmInterval iv;
    iv.channelNo = number;
    iv.type = type;
    iv.first = on ? n - base + on : 0;
    iv.last = off ? n - base + off : n + 1;
    s.alarmLists[std::size_t(s.channelMap[std::size_t(number)])][std::size_t(level)].push_back(iv);
    s.hasAlarmLists = true;
  }
  if (!s.hasAlarmLists) s.alarmLists.clear();
  return true;
}

// Floor division for the eighths arithmetic, which may run below zero.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

void ComputeTimes(RecFileState& s) {
  const uint8_t* h = s.header.data();
  const int16_t interval = int16_t(vt::LoadBe16(h + 106));
  s.intervalEighths = h[105] == 3 ? interval / 125 : int64_t(interval) * 8;
  s.triggerSeconds = RecFileRecordSeconds(h + 108);
  s.triggerEighths = int8_t(h[114]);
  // First record: the trigger less the records before it. A span shorter than the trigger's
  // own eighths leaves the trigger time unchanged; stored start times depend on that rule.
  const int64_t d = int64_t(s.recordsBeforeTrigger) * s.intervalEighths - s.triggerEighths;
  if (d < 0) {
    s.firstSeconds = s.triggerSeconds;
    s.firstEighths = s.triggerEighths;
  } else if (d == 0) {
    s.firstSeconds = s.triggerSeconds;
    s.firstEighths = 0;
  } else {
    const int64_t q = d / 8, r = d % 8;
    s.firstSeconds = r > 0 ? s.triggerSeconds - q - 1 : s.triggerSeconds - q;
    s.firstEighths = r > 0 ? int(8 - r) : 0;
  }
  const int64_t total = s.firstEighths + (int64_t(s.records) - 1) * s.intervalEighths;
  s.lastSeconds = s.firstSeconds + FloorDiv(total, 8);
  s.lastEighths = int(total - FloorDiv(total, 8) * 8);
}

bool OpenState(const std::string& path, RecFileState& s) {
  // Regular files only, opened without blocking: a pipe or device under a recorder file's name is
  // refused, not waited on (the import would hang on it).
  if (!s.file.Open(path)) return false;
  s.fileSize = s.file.Size();

  uint8_t first[kFixedHeader];
  std::size_t avail = std::size_t(std::min<uint64_t>(s.fileSize, kFixedHeader));
  if (!s.ReadAt(0, first, avail)) return false;
  if (!Identify(first, avail, &s.fixed)) return false;
  const std::size_t headerSize =
      s.fixed ? kFixedHeader : kDirHeader + kDirEntry * vt::LoadBe16(first + 206) + 4;
  // The data part after the header checksum must at least hold the data checksum.
  if (s.fileSize < uint64_t(headerSize) + 2) return false;
  s.header.resize(headerSize);
  if (!s.ReadAt(0, s.header.data(), headerSize)) return false;
  if (!ChecksumsMatch(s)) return false;

  const uint8_t* h = s.header.data();
  s.modelCode = h[5];
  s.display = h[6] == 1;
  s.dataNoBefore = vt::LoadBe32(h + 60);
  s.lastDataNo = vt::LoadBe32(h + 64);
  s.positionBase = vt::LoadBe32(h + 68);
  s.dataArea = s.fixed ? vt::LoadBe16(h + 82) : vt::LoadBe32(h + 80);
  s.channels = int16_t(vt::LoadBe16(h + 84));
  const int recordSize = int16_t(vt::LoadBe16(h + 86));
  s.records = vt::LoadBe32(h + 92);
  s.ringStart = vt::LoadBe32(h + 96);
  s.recordsBeforeTrigger = vt::LoadBe32(h + 100);
  if (s.channels <= 0 || s.records == 0 || ForbiddenYear(h[108])) return false;
  if (recordSize <= 0 || s.ringStart >= s.records) return false;
  s.recordSize = uint32_t(recordSize);
  if (s.dataArea < headerSize) return false;
  // Records are read after the open; a data area past the end fails those reads.
  s.dataBeyondFile = !Inside(s, s.dataArea, uint64_t(s.records) * s.recordSize);

  if (!ReadChannels(s) || !LocateSections(s) || !BuildAlarmLists(s)) return false;
  ComputeTimes(s);
  return true;
}

}  // namespace

int RecFileOpen(const std::string& path, RecFileHandle** out) {
  if (!out) return 1;
  *out = nullptr;
  std::unique_ptr<RecFileState> state(new (std::nothrow) RecFileState);
  std::unique_ptr<RecFileHandle> handle(new (std::nothrow) RecFileHandle);
  if (!state || !handle) return 1;
  try {
    if (!OpenState(path, *state)) return 1;
  } catch (const std::bad_alloc&) {
    return 1;
  }
  handle->kind = uint16_t((state->fixed ? 0x30 : 0x40) + (state->display ? 1 : 0));
  handle->state = state.release();
  *out = handle.release();
  return 0;
}

int RecFileClose(RecFileHandle* handle) {
  if (!handle) return 0;
  delete handle->state;
  delete handle;
  return 0;
}

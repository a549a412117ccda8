// Writer of older-format recorder files (see OlderRecorderFile.h). Every field is placed at its
// offset with big-endian stores; only the two checksums are stored low byte first.
#include "tools/recgen/OlderRecorderFile.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

#include "platform/base/ByteOrder.h"
#include "tools/recgen/Crc.h"

namespace recgen {
namespace {

constexpr std::size_t kFixedHeader = 320;
constexpr std::size_t kDirHeader = 208;
constexpr std::size_t kChannelEntry = 64, kAlarmEntry = 28, kMessageEntry = 48;
constexpr std::size_t kBatchBlock = 256, kGroupEntry = 54, kDirEntry = 16;

void PutText(std::vector<uint8_t>& b, std::size_t at, const std::string& s, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) b[at + i] = i < s.size() ? uint8_t(s[i]) : 0;
}

void PutTime(std::vector<uint8_t>& b, std::size_t at, const OlderTime& t) {
  const int8_t f[8] = {t.year, t.month, t.day, t.hour, t.minute, t.second, t.eighths, t.dst};
  for (int i = 0; i < 8; ++i) b[at + i] = uint8_t(f[i]);
}

void Be16(std::vector<uint8_t>& b, std::size_t at, uint16_t v) { vt::StoreBe16(&b[at], v); }
void Be32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) { vt::StoreBe32(&b[at], v); }

void PutChannel(std::vector<uint8_t>& b, std::size_t at, const OlderChannel& c, int16_t offset) {
  Be32(b, at + 0, uint32_t(c.scaleLower));
  Be32(b, at + 4, uint32_t(c.scaleUpper));
  Be16(b, at + 8, uint16_t(c.spanLower));
  Be16(b, at + 10, uint16_t(c.spanUpper));
  Be16(b, at + 12, uint16_t(c.number));
  Be16(b, at + 14, uint16_t(offset));
  b[at + 16] = c.type;
  b[at + 18] = c.scaleKind;
  b[at + 19] = c.decimals;
  PutText(b, at + 20, c.unit, 6);
  PutText(b, at + 26, c.tag, 16);
  b[at + 42] = c.colour;
  b[at + 43] = c.switchOn;
  Be16(b, at + 52, uint16_t(c.lowerExponent));
  Be16(b, at + 54, uint16_t(c.upperExponent));
}

void PutAlarm(std::vector<uint8_t>& b, std::size_t at, const OlderAlarm& a, OlderLayout layout) {
  if (layout == OlderLayout::Fixed) {
    b[at] = uint8_t(a.channel);
    b[at + 1] = a.level;
    b[at + 2] = a.type;
  } else {
    Be16(b, at, uint16_t(a.channel));
    b[at + 2] = a.level;
    b[at + 3] = a.type;
  }
  PutTime(b, at + 4, a.onTime);
  Be32(b, at + 12, a.onDataNo);
  PutTime(b, at + 16, a.offTime);
  Be32(b, at + 24, a.offDataNo);
}

void PutMessage(std::vector<uint8_t>& b, std::size_t at, const OlderMessage& m) {
  PutText(b, at, m.text, 16);
  PutTime(b, at + 16, m.time);
  Be32(b, at + 24, m.dataNo);
  b[at + 28] = m.numberMinus1;
  b[at + 29] = m.attribute;
  PutText(b, at + 30, m.user, 16);
}

void PutBatch(std::vector<uint8_t>& b, std::size_t at, const OlderBatch& k) {
  b[at] = k.startLevel;
  PutText(b, at + 1, k.startUser, 16);
  b[at + 17] = k.stopLevel;
  PutText(b, at + 18, k.stopUser, 16);
  b[at + 35] = k.infoPresent;
  for (int i = 0; i < 3; ++i) PutText(b, at + 36 + 16 * i, k.texts[i], 16);
  PutText(b, at + 84, k.batchNo, 16);
  Be16(b, at + 100, uint16_t(k.lot));
  PutText(b, at + 102, k.commentAuthor, 16);
  for (int i = 0; i < 3; ++i) PutText(b, at + 118 + 32 * i, k.comments[i], 32);
  PutTime(b, at + 214, k.commentTime);
}

void PutDirGroup(std::vector<uint8_t>& b, std::size_t at, const OlderGroup& g) {
  b[at + 1] = g.inUse ? 1 : 0;
  for (int k = 0; k < 10; ++k) Be16(b, at + 2 + 2 * k, uint16_t(g.slots[k]));
  PutText(b, at + 22, g.name, 16);
  for (int i = 0; i < 4; ++i) {
    b[at + 38 + i] = g.tripOn[i];
    Be16(b, at + 46 + 2 * i, uint16_t(g.tripPos[i]));
  }
}

void PutFixedGroups(std::vector<uint8_t>& b, const std::vector<OlderGroup>& groups) {
  for (std::size_t k = 0; k < 10 * 4; ++k) b[182 + k] = 0xFF;
  for (std::size_t g = 0; g < std::min<std::size_t>(groups.size(), 4); ++g) {
    const OlderGroup& grp = groups[g];
    for (int i = 0; i < 4; ++i) {
      b[118 + 4 * g + i] = grp.tripOn[i];
      Be16(b, 150 + 8 * g + 2 * i, uint16_t(grp.tripPos[i]));
    }
    for (int k = 0; k < 10; ++k) b[182 + 10 * g + k] = grp.slots[k] < 0 ? 0xFF : uint8_t(grp.slots[k]);
    PutText(b, 222 + 16 * g, grp.name, 16);
  }
}

std::size_t DataStart(const OlderFile& f) { return f.headerCrcAt + 2; }

}  // namespace

void OlderFile::RecomputeCrcs() {
  if (bytes.size() < headerCrcAt + 4) return;  // cut short (a mutation): no room for both words
  vt::StoreLe16(&bytes[headerCrcAt], Crc16(bytes.data(), headerCrcAt));
  std::size_t start = DataStart(*this), end = bytes.size() - 2;
  vt::StoreLe16(&bytes[end], Crc16(bytes.data() + start, end - start));
}

void OlderFile::BreakHeaderCrc() { bytes.at(headerCrcAt) ^= 0x01; }
void OlderFile::BreakDataCrc() { bytes.at(bytes.size() - 2) ^= 0x01; }

bool OlderFile::StoreHeaderCrcHighByteFirst() {
  uint16_t crc = Crc16(bytes.data(), headerCrcAt);
  vt::StoreBe16(&bytes[headerCrcAt], crc);
  return (crc >> 8) != (crc & 0xFF);
}

bool OlderFile::StoreDataCrcHighByteFirst() {
  std::size_t start = DataStart(*this), end = bytes.size() - 2;
  uint16_t crc = Crc16(bytes.data() + start, end - start);
  vt::StoreBe16(&bytes[end], crc);
  return (crc >> 8) != (crc & 0xFF);
}

void OlderFile::PokeBe16(std::size_t at, uint16_t v) { vt::StoreBe16(&bytes.at(at + 1) - 1, v); }
void OlderFile::PokeBe32(std::size_t at, uint32_t v) { vt::StoreBe32(&bytes.at(at + 3) - 3, v); }

bool OlderFile::WriteTo(const std::string& path) const {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

OlderFile WriteOlder(const OlderModel& m) {
  OlderFile f;
  f.layout = m.layout;
  const bool fixed = m.layout == OlderLayout::Fixed;
  const std::size_t c = m.channels.size();
  const uint32_t n = m.RecordCount();

  // Value offsets and the record size.
  std::vector<int16_t> offsets(c);
  int packed = 0;
  for (std::size_t i = 0; i < c; ++i) {
    offsets[i] = m.channels[i].valueOffset >= 0 ? m.channels[i].valueOffset : int16_t(packed);
    packed = offsets[i] + m.ValueWidth(m.channels[i]);
  }
  f.recordSize = m.recordSize > 0 ? uint32_t(m.recordSize) : uint32_t(packed);

  // Sections: sizes and, for the directory layout, the entries.
  const std::size_t alarmBytes = kAlarmEntry * m.alarms.size();
  const std::size_t messageBytes = kMessageEntry * m.messages.size();
  const std::size_t batchBytes = m.batch ? kBatchBlock : 0;
  const std::size_t groupBytes = fixed ? 0 : kGroupEntry * m.groups.size();
  struct Entry {
    uint8_t type;
    std::size_t offset;
    uint32_t count;
  };
  std::vector<Entry> dir;
  std::size_t headerEnd;
  if (fixed) {
    headerEnd = kFixedHeader;
  } else {
    std::size_t entries = (m.alarms.empty() ? 0 : 1) + (m.messages.empty() ? 0 : 1) + (m.batch ? 1 : 0) +
                          (m.groups.empty() ? 0 : 1);
    if (m.scrambleDirectory) entries += 2;
    headerEnd = kDirHeader + kDirEntry * entries + 4;
  }
  f.channelTableAt = headerEnd;
  std::size_t at = headerEnd + kChannelEntry * c;
  auto place = [&](std::size_t bytes, std::size_t& where) {
    if (bytes) {
      where = at;
      at += bytes;
    }
  };
  if (fixed || !m.scrambleDirectory) {
    place(alarmBytes, f.alarmsAt);
    place(messageBytes, f.messagesAt);
    place(batchBytes, f.batchAt);
    place(groupBytes, f.groupsAt);
  } else {
    place(groupBytes, f.groupsAt);
    place(batchBytes, f.batchAt);
    place(messageBytes, f.messagesAt);
    place(alarmBytes, f.alarmsAt);
  }
  f.dataAreaAt = at;
  assert(!fixed || f.dataAreaAt <= 0xFFFF);
  f.bytes.assign(f.dataAreaAt + std::size_t(n) * f.recordSize + 2, 0);
  std::vector<uint8_t>& b = f.bytes;

  // Common header.
  b[0] = (fixed || m.keepMarks) ? m.mark0 : 'u';
  b[1] = (fixed || m.keepMarks) ? m.mark1 : 0x80;
  b[2] = 'M';
  b[3] = 'Q';
  b[5] = m.modelCode;
  b[6] = m.kind;
  Be16(b, 10, uint16_t(m.word10));
  PutText(b, 12, m.serial, 16);
  PutText(b, 28, m.headerText, 32);
  Be32(b, 60, m.dataNoBefore);
  Be32(b, 64, m.lastDataNo.value_or(m.dataNoBefore + n));
  Be32(b, 68, m.positionBase.value_or(m.dataNoBefore + n));
  b[72] = m.clockChanges;
  b[73] = m.stopFactor;
  b[74] = m.startFactor;
  if (fixed)
    Be16(b, 82, uint16_t(f.dataAreaAt));
  else
    Be32(b, 80, uint32_t(f.dataAreaAt));
  Be16(b, 84, uint16_t(c));
  Be16(b, 86, uint16_t(f.recordSize));
  Be32(b, 92, n);
  Be32(b, 96, m.ringStart);
  Be32(b, 100, m.recordsBeforeTrigger);
  b[105] = m.intervalUnit;
  Be16(b, 106, uint16_t(m.interval));
  PutTime(b, 108, m.trigger);

  if (fixed) {
    PutFixedGroups(b, m.groups);
    Be16(b, 286, uint16_t(m.alarms.size()));
    Be16(b, 288, uint16_t(m.messages.size()));
    Be16(b, 290, m.batch ? 1 : 0);
    b[292] = m.tagSwitch;
    b[293] = m.byte185;
    b[294] = m.count186;
    b[295] = m.unit187;
    f.headerCrcAt = 318;
  } else {
    b[184] = m.tagSwitch;
    b[185] = m.byte185;
    b[186] = m.count186;
    b[187] = m.unit187;
    if (m.scrambleDirectory) {
      dir.push_back({0x40, f.channelTableAt, 3});
      if (!m.messages.empty()) dir.push_back({0x10, f.channelTableAt, 1});
    }
    if (!m.alarms.empty()) dir.push_back({0x00, f.alarmsAt, uint32_t(m.alarms.size())});
    if (!m.messages.empty()) dir.push_back({0x10, f.messagesAt, uint32_t(m.messages.size())});
    if (m.batch) dir.push_back({0x20, f.batchAt, 1});
    if (!m.groups.empty()) dir.push_back({0x30, f.groupsAt, uint32_t(m.groups.size())});
    if (m.scrambleDirectory && m.messages.empty()) dir.push_back({0x50, 0, 0});
    Be16(b, 206, uint16_t(dir.size()));
    for (std::size_t i = 0; i < dir.size(); ++i) {
      std::size_t e = kDirHeader + kDirEntry * i;
      b[e] = dir[i].type;
      Be32(b, e + 4, uint32_t(dir[i].offset));
      Be32(b, e + 8, dir[i].count);
    }
    f.headerCrcAt = kDirHeader + kDirEntry * dir.size() + 2;
  }

  for (std::size_t i = 0; i < c; ++i)
    PutChannel(b, f.channelTableAt + kChannelEntry * i, m.channels[i], offsets[i]);
  for (std::size_t i = 0; i < m.alarms.size(); ++i)
    PutAlarm(b, f.alarmsAt + kAlarmEntry * i, m.alarms[i], m.layout);
  for (std::size_t i = 0; i < m.messages.size(); ++i)
    PutMessage(b, f.messagesAt + kMessageEntry * i, m.messages[i]);
  if (m.batch) PutBatch(b, f.batchAt, *m.batch);
  if (!fixed)
    for (std::size_t i = 0; i < m.groups.size(); ++i)
      PutDirGroup(b, f.groupsAt + kGroupEntry * i, m.groups[i]);

  // The ring: record k (time order) in slot (ring start + k) mod n.
  for (uint32_t k = 0; k < n; ++k) {
    const std::vector<int32_t> values = m.patternRecords ? SampleOlderValues(m.kind, k) : m.records[k];
    std::size_t rec = f.RecordAt(n ? uint32_t((uint64_t(m.ringStart) + k) % n) : 0);
    std::size_t v = 0;
    for (std::size_t i = 0; i < c; ++i) {
      const bool wide = m.channels[i].Wide();
      for (int half = 0; half < (m.kind == 1 ? 2 : 1); ++half, ++v) {
        int32_t value = v < values.size() ? values[v] : 0;
        std::size_t pos = rec + offsets[i] + std::size_t(half) * (wide ? 4 : 2);
        if (pos + (wide ? 4 : 2) > rec + f.recordSize) continue;  // offsets beyond the record
        if (wide)
          Be32(b, pos, uint32_t(value));
        else
          Be16(b, pos, uint16_t(value));
      }
    }
  }
  f.RecomputeCrcs();
  return f;
}

std::vector<int32_t> SampleOlderValues(uint8_t kind, uint32_t k) {
  const int32_t base = int32_t(k) * 10;
  if (kind == 1) return {base, base + 5, -base, -base + 3, 70000 + base, 70000 + base + 9};
  return {base, -base, 70000 + base};
}

OlderModel SampleOlderModel(OlderLayout layout, uint8_t kind, uint32_t records) {
  OlderModel m;
  m.layout = layout;
  m.kind = kind;
  m.trigger = OlderTime{23, 7, 1, 12, 0, 0, 0, 0};
  OlderChannel a;
  a.number = 0;
  a.tag = "FLOW";
  a.unit = "m3/h";
  OlderChannel b;
  b.number = 4;
  b.decimals = 2;
  b.colour = 3;
  b.tag = "TEMP";
  b.unit = "^C";
  OlderChannel w;
  w.number = 7;
  w.type = 6;
  w.decimals = 0;
  w.scaleLower = -100000;
  w.scaleUpper = 100000;
  w.tag = "SUM";
  m.channels = {a, b, w};
  for (uint32_t k = 0; k < records; ++k) m.records.push_back(SampleOlderValues(kind, k));
  OlderGroup g;
  g.name = "Group A";
  g.slots[0] = 0;
  g.slots[1] = 4;
  m.groups = {g};
  return m;
}

}  // namespace recgen

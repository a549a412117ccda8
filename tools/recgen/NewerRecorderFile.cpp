// Newer-format writer: every block is built field by field into a byte vector in the model's
// byte order; checksum words are always stored low byte first.
#include "tools/recgen/NewerRecorderFile.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "platform/base/ByteOrder.h"
#include "tools/recgen/Crc.h"

namespace recgen {

namespace {

// A growing block with writes at absolute offsets inside it.
class Block {
 public:
  Block(std::size_t size, bool bigEndian) : b_(size, 0), be_(bigEndian) {}
  void U8(std::size_t at, uint8_t v) { b_.at(at) = v; }
  void U16(std::size_t at, uint16_t v) {
    Check(at, 2);
    vt::Store16(&b_[at], v, be_);
  }
  void U32(std::size_t at, uint32_t v) {
    Check(at, 4);
    vt::Store32(&b_[at], v, be_);
  }
  void U64(std::size_t at, uint64_t v) {
    Check(at, 8);
    vt::Store64(&b_[at], v, be_);
  }
  void Value(std::size_t at, int size, int64_t v) {
    if (size == 2)
      U16(at, uint16_t(v));
    else if (size == 4)
      U32(at, uint32_t(v));
    else if (size == 8)
      U64(at, uint64_t(v));
  }
  // A NUL-terminated text in a fixed field; longer texts are cut to leave the terminator.
  void Text(std::size_t at, std::size_t field, const std::string& s) {
    Check(at, field);
    const std::size_t n = std::min(s.size(), field - 1);
    std::memcpy(&b_[at], s.data(), n);
  }
  void Time(std::size_t at, const NewerTime& t, uint16_t format) {
    if (format == 0) {
      Check(at, 8);
      std::memcpy(&b_[at], t.calendar.data(), 8);
      return;
    }
    U32(at, uint32_t(t.seconds));
    U16(at + 4, t.unit);
    U16(at + 6, t.value);
  }
  std::vector<uint8_t>& bytes() { return b_; }

 private:
  void Check(std::size_t at, std::size_t n) const {
    if (at + n > b_.size()) throw std::out_of_range("recgen: field outside its block");
  }
  std::vector<uint8_t> b_;
  bool be_;
};

void StoreCrc(std::vector<uint8_t>& bytes, std::size_t offset, std::size_t length) {
  const uint16_t crc = Crc16(&bytes[offset], length - 2);
  vt::StoreLe16(&bytes[offset + length - 2], crc);
}

}  // namespace

int NewerFile::RecordSize() const {
  if (recordSizeOverride >= 0) return recordSizeOverride;
  int size = 8;
  for (const auto& c : channels) size += c.ValueSize() * ValuesPerChannel();
  return size;
}

int NewerFile::ValueOffset(std::size_t channel) const {
  if (channels[channel].valueOffset >= 0) return channels[channel].valueOffset;
  int offset = 8;
  for (std::size_t i = 0; i < channel; ++i) offset += channels[i].ValueSize() * ValuesPerChannel();
  return offset;
}

const CrcRegion* WrittenNewerFile::Find(const std::string& name) const {
  for (const auto& r : regions)
    if (r.name == name) return &r;
  return nullptr;
}

std::size_t WrittenNewerFile::At(const std::string& name) const {
  const CrcRegion* r = Find(name);
  if (r == nullptr) throw std::invalid_argument("recgen: no part named " + name);
  return r->offset;
}

void WrittenNewerFile::RecomputeCrcs() {
  for (const auto& r : regions)
    if (r.offset + r.length <= bytes.size()) StoreCrc(bytes, r.offset, r.length);
}

void WrittenNewerFile::BreakCrc(const std::string& name) {
  const CrcRegion* r = Find(name);
  assert(r != nullptr);
  bytes.at(r->offset + r->length - 2) ^= 0x01;
}

bool WrittenNewerFile::StoreCrcHighByteFirst(const std::string& name) {
  const CrcRegion* r = Find(name);
  assert(r != nullptr);
  uint8_t* p = &bytes.at(r->offset + r->length - 2);
  if (p[0] == p[1]) return false;
  std::swap(p[0], p[1]);
  return true;
}

void WrittenNewerFile::Poke16(std::size_t at, uint16_t v) {
  vt::Store16(&bytes.at(at + 1) - 1, v, bigEndian);
}
void WrittenNewerFile::Poke32(std::size_t at, uint32_t v) {
  vt::Store32(&bytes.at(at + 3) - 3, v, bigEndian);
}

WrittenNewerFile WriteNewerFile(const NewerFile& m) {
  const bool be = m.bigEndian;
  const uint16_t tf = m.timeFormat;
  WrittenNewerFile out;
  out.bigEndian = be;
  std::vector<uint8_t>& file = out.bytes;
  auto append = [&](const std::string& name, Block& block, bool checksummed) {
    const std::size_t at = file.size();
    auto& b = block.bytes();
    file.insert(file.end(), b.begin(), b.end());
    if (checksummed) out.regions.push_back({name, at, b.size()});
    return at;
  };

  // Header; the data-information offset at 16 is filled in once it is known.
  Block h(216, be);
  std::memcpy(h.bytes().data(), m.magic.data(), 4);
  h.U16(4, m.zeroWord);
  h.U8(6, be ? 1 : 0);
  h.U32(8, m.formatWord);
  h.U32(12, m.headerVersion);
  h.U32(20, m.headerLength);
  h.U32(24, m.guidData1);
  h.U16(28, m.guidData2);
  h.U16(30, m.guidData3);
  std::memcpy(&h.bytes()[32], m.guidData4.data(), 8);
  h.U32(40, m.word40);
  h.U32(44, uint32_t(m.dataKind));
  h.U32(48, m.modelWord);
  h.U16(52, m.timeFormat);
  h.U16(54, m.word54);
  h.U32(56, m.word56);
  h.U32(60, m.timeChangeCount);
  h.U16(66, m.word66);
  h.U16(68, m.startFactor);
  h.U16(70, m.stopFactor);
  h.Text(72, 72, m.headerText);
  h.Text(144, 24, m.serial);
  h.Text(168, 16, m.text168);
  h.U16(188, m.word188);
  h.U32(208, m.taggedSection ? 1 : 0);
  append("header", h, true);

  // Channel block.
  const std::size_t nch = m.channels.size();
  Block ch(26 + 88 * nch, be);
  ch.U32(0, uint32_t(26 + 88 * nch));
  ch.U32(4, m.channelVersion);
  ch.U32(12, m.channelCountOverride >= 0 ? uint32_t(m.channelCountOverride) : uint32_t(nch));
  for (std::size_t i = 0; i < nch; ++i) {
    const NewerChannel& c = m.channels[i];
    const std::size_t e = 24 + 88 * i;
    ch.U32(e + 0, c.flags);
    ch.U16(e + 4, uint16_t(c.number));
    ch.U16(e + 6, uint16_t(c.loggingNo));
    ch.Text(e + 8, 24, c.tag);
    ch.Text(e + 32, 8, c.unit);
    ch.U16(e + 40, uint16_t(c.word40));
    ch.U16(e + 42, uint16_t(m.ValueOffset(i)));
    ch.U16(e + 44, uint16_t(c.decimals));
    ch.U32(e + 48, uint32_t(c.logMantissaLow));
    ch.U32(e + 52, uint32_t(c.logMantissaHigh));
    ch.U32(e + 56, uint32_t(c.spanLow));
    ch.U32(e + 60, uint32_t(c.spanHigh));
    ch.U16(e + 64, uint16_t(c.rawLow));
    ch.U16(e + 66, uint16_t(c.rawHigh));
    ch.U32(e + 68, c.colour);
    ch.U16(e + 80, uint16_t(c.display));
  }
  append("channel", ch, true);

  // Display-group block.
  const std::size_t ng = m.groups.size();
  Block gr(26 + 96 * ng, be);
  gr.U32(0, uint32_t(26 + 96 * ng));
  gr.U32(4, m.groupVersion);
  gr.U32(12, m.groupCountOverride >= 0 ? uint32_t(m.groupCountOverride) : uint32_t(ng));
  gr.U32(16, m.groupBlockWord);
  for (std::size_t i = 0; i < ng; ++i) {
    const NewerGroup& g = m.groups[i];
    const std::size_t e = 24 + 96 * i;
    gr.U16(e + 0, uint16_t(g.number));
    gr.U16(e + 2, uint16_t(g.inUse));
    gr.Text(e + 8, 24, g.name);
    for (std::size_t p = 0; p < 16; ++p) gr.U16(e + 32 + 2 * p, uint16_t(g.places[p]));
    for (std::size_t t = 0; t < 4; ++t) {
      gr.U16(e + 64 + 8 * t, g.trips[t].on);
      gr.U16(e + 66 + 8 * t, uint16_t(g.trips[t].raw));
    }
  }
  append("group", gr, true);

  // Message block.
  const std::size_t nm = m.messages.size();
  Block ms(26 + 104 * nm, be);
  ms.U32(0, uint32_t(26 + 104 * nm));
  ms.U32(4, m.messageVersion);
  ms.U32(12, uint32_t(nm));
  for (std::size_t i = 0; i < nm; ++i) {
    const NewerMessage& x = m.messages[i];
    const std::size_t e = 24 + 104 * i;
    ms.U32(e + 0, x.serial);
    ms.U32(e + 4, x.secondWord);
    ms.Time(e + 8, x.inputTime, tf);
    ms.U64(e + 16, uint64_t(x.dataNo));
    ms.U64(e + 24, x.groupMask);
    ms.U16(e + 36, x.word36);
    ms.U16(e + 38, x.number);
    ms.Text(e + 40, 40, x.text);
    ms.Text(e + 80, 24, x.user);
  }
  append("message", ms, true);

  // Batch block: 832 bytes unless a corrupted file says otherwise.
  const NewerBatch& b = m.batch;
  Block ba(std::max<uint32_t>(b.length, 832), be);
  ba.U32(0, b.length);
  ba.U32(4, m.batchVersion);
  ba.U16(8, b.startUserCode);
  ba.U16(10, b.stopUserCode);
  ba.Text(16, 24, b.startUser);
  ba.Text(40, 24, b.stopUser);
  ba.U16(64, b.hasBatchInfo);
  ba.U16(66, b.lotDigits);
  ba.U32(68, b.lotNumber);
  for (std::size_t i = 0; i < 8; ++i) {
    ba.Text(72 + 56 * i, 24, b.texts[i].title);
    ba.Text(72 + 56 * i + 24, 32, b.texts[i].text);
  }
  ba.Text(520, 40, b.batchNumber);
  for (std::size_t i = 0; i < 3; ++i) {
    ba.Time(560 + 88 * i, b.comments[i].time, tf);
    ba.Text(560 + 88 * i + 8, 24, b.comments[i].user);
    ba.Text(560 + 88 * i + 32, 56, b.comments[i].text);
  }
  ba.bytes().resize(b.length);
  {
    const std::size_t at = file.size();
    file.insert(file.end(), ba.bytes().begin(), ba.bytes().end());
    if (b.length >= 2) out.regions.push_back({"batch", at, b.length});
  }

  // Tagged section.
  if (m.taggedSection) {
    int index = 0;
    for (const NewerTagged& t : m.tagged) {
      const std::string name = "tagged" + std::to_string(index++);
      std::size_t length = 0;
      uint32_t type = 0;
      switch (t.kind) {
        case NewerTagged::StringTable: {
          type = 0x1000001;
          length = 34 + t.strings.size() * t.stringSize;
          break;
        }
        case NewerTagged::ChannelList:
          type = 0x1000002;
          length = 34 + t.entries.size() * t.entrySize;
          break;
        case NewerTagged::BatchTextTable:
          type = 0x1000003;
          length = 32 + t.rows.size() * (t.titleSize + t.textSize) + 2;
          break;
        case NewerTagged::TaggedValues:
          type = 0x1000004;
          length = 50;
          break;
        case NewerTagged::Unknown:
          type = t.type;
          length = 16 + t.body.size();
          break;
      }
      Block s(length, be);
      s.U32(0, t.lengthOverride >= 0 ? uint32_t(t.lengthOverride) : uint32_t(length));
      s.U32(4, type);
      s.U32(8, t.version);
      switch (t.kind) {
        case NewerTagged::StringTable:
          s.U32(16, uint32_t(t.strings.size()));
          s.U32(20, t.stringSize);
          for (std::size_t i = 0; i < t.strings.size(); ++i)
            s.Text(32 + i * t.stringSize, t.stringSize, t.strings[i]);
          break;
        case NewerTagged::ChannelList:
          s.U32(16, uint32_t(t.entries.size()));
          s.U32(20, t.entrySize);
          s.U32(24, t.listKind);
          for (std::size_t i = 0; i < t.entries.size(); ++i) {
            const std::size_t e = 32 + i * t.entrySize;
            s.U32(e, t.entries[i].range);
            s.U32(e + 4, t.entries[i].number);
            if (t.entrySize > 8) s.Text(e + 8, t.entrySize - 8, t.entries[i].text);
          }
          break;
        case NewerTagged::BatchTextTable:
          s.U32(16, uint32_t(t.rows.size()));
          s.U32(20, 2);
          s.U32(24, t.titleSize);
          s.U32(28, t.textSize);
          for (std::size_t i = 0; i < t.rows.size(); ++i) {
            const std::size_t e = 32 + i * (t.titleSize + t.textSize);
            s.Text(e, t.titleSize, t.rows[i].title);
            s.Text(e + t.titleSize, t.textSize, t.rows[i].text);
          }
          break;
        case NewerTagged::TaggedValues:
          for (std::size_t i = 0; i < 8; ++i) s.U32(16 + 4 * i, t.words[i]);
          break;
        case NewerTagged::Unknown:
          std::copy(t.body.begin(), t.body.end(), s.bytes().begin() + 16);
          break;
      }
      append(name, s, t.kind != NewerTagged::Unknown);
      if (t.kind == NewerTagged::ChannelList && t.listKind != 1 && t.listKind != 2)
        out.regions.back().checked = false;
    }
    if (m.taggedEndMarker) {
      Block end(16, be);
      end.U32(0, 16);
      end.U32(4, 0x01FFFFFF);
      append("end", end, false);
    }
  }

  // Data-information block.
  const std::size_t nItems = m.channelItems.empty() ? nch : m.channelItems.size();
  const int64_t recordCount = m.recordCountOverride >= 0 ? m.recordCountOverride : int64_t(m.records.size());
  const int64_t endDataNo =
      m.endDataNoOverride >= 0 ? m.endDataNoOverride : m.startDataNo + int64_t(m.records.size()) - 1;
  Block di(114 + 8 * nItems, be);
  di.U32(4, m.dataInfoVersion);
  di.U32(8, uint32_t(114 + 8 * nItems));
  di.U16(12, m.intervalUnit);
  di.U16(14, m.intervalValue);
  di.Time(16, m.firstTime, tf);
  di.Time(24, m.lastTime, tf);
  di.U64(32, uint64_t(m.startDataNo));
  di.U64(40, uint64_t(endDataNo));
  di.U64(48, uint64_t(m.memStartDataNo));
  di.U64(56, uint64_t(m.triggerDataNo));
  di.U32(64, uint32_t(recordCount));
  di.U16(72, uint16_t(nItems));
  for (std::size_t i = 0; i < nItems; ++i)
    for (std::size_t k = 0; k < 4; ++k)
      di.U16(80 + 8 * i + 2 * k, m.channelItems.empty() ? 0 : m.channelItems[i][k]);
  out.dataInfoAt = append("datainfo", di, true);
  vt::Store32(&file[16], uint32_t(out.dataInfoAt), be);

  // Alarm block.
  const std::size_t na = m.alarms.size();
  Block al(26 + 32 * na, be);
  al.U32(0, uint32_t(26 + 32 * na));
  al.U32(4, m.alarmVersion);
  al.U32(12, uint32_t(na));
  for (std::size_t i = 0; i < na; ++i) {
    const NewerAlarm& a = m.alarms[i];
    const std::size_t e = 24 + 32 * i;
    al.U16(e + 4, uint16_t(a.channel));
    al.Time(e + 8, a.time, tf);
    al.U64(e + 16, uint64_t(a.dataNo));
    al.U16(e + 24, a.action);
    al.U16(e + 26, a.levelMask);
    al.U16(e + 28, uint16_t(a.type));
    al.U16(e + 30, a.lastWord);
  }
  out.alarmAt = append("alarm", al, true);

  // Data block.
  const std::size_t rs = std::size_t(std::max(m.RecordSize(), 0));
  Block da(18 + rs * m.records.size(), be);
  da.U32(0, uint32_t(18 + rs * m.records.size()));
  da.U32(4, m.dataVersion);
  da.U32(8, uint32_t(m.RecordSize()));
  for (std::size_t r = 0; r < m.records.size(); ++r) {
    const std::size_t at = 16 + r * rs;
    const NewerRecord& rec = m.records[r];
    if (rs >= 8) da.Time(at, rec.time, tf);
    for (std::size_t c = 0; c < nch; ++c) {
      const int size = m.channels[c].ValueSize();
      for (int v = 0; v < m.ValuesPerChannel(); ++v) {
        const std::size_t vi = c * std::size_t(m.ValuesPerChannel()) + std::size_t(v);
        const std::size_t offset = std::size_t(m.ValueOffset(c)) + std::size_t(v * size);
        if (vi < rec.values.size() && offset + std::size_t(size) <= rs)
          da.Value(at + offset, size, rec.values[vi]);
      }
    }
  }
  out.dataAt = append("data", da, true);
  out.firstRecordAt = out.dataAt + 16;
  out.RecomputeCrcs();
  return out;
}

namespace {

// Record r of recordCount in FillNewerRecords' pattern, into rs bytes at rec.
void PatternRecord(const NewerFile& m, int64_t r, int64_t recordCount, std::size_t rs, Block& b,
                   std::size_t at) {
  const int64_t lastMs = int64_t(m.lastTime.seconds) * 1000 +
                         (m.lastTime.unit == 1 ? m.lastTime.value * 1000 : m.lastTime.value);
  const int64_t ms = lastMs - (recordCount - 1 - r) * m.IntervalMs();
  if (rs >= 8) b.Time(at, NewerTime::At(int32_t(ms / 1000), int(ms % 1000)), m.timeFormat);
  for (std::size_t c = 0; c < m.channels.size(); ++c) {
    const int size = m.channels[c].ValueSize();
    const int64_t base = int64_t(c) * 100 + r;
    for (int v = 0; v < m.ValuesPerChannel(); ++v) {
      int64_t value = (v == 0 ? base : base + 50) * (c % 2 ? -1 : 1);
      if (size == 4) value *= 100000;
      const std::size_t offset = std::size_t(m.ValueOffset(c)) + std::size_t(v * size);
      if (offset + std::size_t(size) <= rs) b.Value(at + offset, size, value);
    }
  }
}

}  // namespace

bool WriteLargeNewerFile(const NewerFile& model, int64_t recordCount, const std::string& path) {
  NewerFile head = model;
  head.records.clear();
  const std::size_t rs = std::size_t(std::max(head.RecordSize(), 0));
  if (recordCount < 0 || 18 + uint64_t(rs) * uint64_t(recordCount) > 0xFFFFFFFFu) return false;
  head.recordCountOverride = int32_t(recordCount);
  head.endDataNoOverride = head.startDataNo + recordCount - 1;
  if (recordCount > 0) {
    const int64_t lastMs = int64_t(head.lastTime.seconds) * 1000 +
                           (head.lastTime.unit == 1 ? head.lastTime.value * 1000 : head.lastTime.value);
    const int64_t ms = lastMs - (recordCount - 1) * head.IntervalMs();
    head.firstTime = NewerTime::At(int32_t(ms / 1000), int(ms % 1000));
  }
  WrittenNewerFile w = WriteNewerFile(head);  // everything up to the data block's records
  const uint32_t length = uint32_t(18 + rs * uint64_t(recordCount));
  vt::Store32(&w.bytes[w.dataAt], length, head.bigEndian);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(w.bytes.data()), std::streamsize(w.dataAt + 16));
  uint16_t crc = Crc16(&w.bytes[w.dataAt], 16);
  constexpr int64_t kPiece = 4096;
  for (int64_t r = 0; r < recordCount && out; r += kPiece) {
    const int64_t n = std::min(kPiece, recordCount - r);
    Block piece(rs * std::size_t(n), head.bigEndian);
    for (int64_t i = 0; i < n; ++i) PatternRecord(head, r + i, recordCount, rs, piece, rs * std::size_t(i));
    crc = Crc16(piece.bytes().data(), piece.bytes().size(), crc);
    out.write(reinterpret_cast<const char*>(piece.bytes().data()), std::streamsize(piece.bytes().size()));
  }
  uint8_t stored[2];
  vt::StoreLe16(stored, crc);
  out.write(reinterpret_cast<const char*>(stored), 2);
  out.close();
  return !out.fail();
}

NewerFile ResizedNewerFile(int dataKind, int channelCount, int64_t recordCount, int allChannelAlarms) {
  NewerFile m = SampleNewerFile(dataKind, false);
  if (channelCount > 0) {
    const NewerChannel pattern = m.channels[0];
    m.channels.clear();
    for (int i = 0; i < channelCount && i < 348; ++i) {
      NewerChannel c = pattern;
      c.number = int16_t(i < 48 ? 1 + i : i < 108 ? 101 + (i - 48) : 201 + (i - 108));
      c.valueOffset = -1;
      m.channels.push_back(c);
    }
    m.channelItems.clear();
    // Groups keep only the places of channels the file still has.
    for (NewerGroup& g : m.groups)
      for (int16_t& p : g.places)
        if (p != -1 && std::none_of(m.channels.begin(), m.channels.end(),
                                    [&](const NewerChannel& c) { return c.number == p; }))
          p = -1;
  }
  for (int i = 0; i < allChannelAlarms; ++i) {
    NewerAlarm a;
    a.channel = -1;
    a.dataNo = m.startDataNo + (recordCount > 0 ? i % recordCount : 0);
    a.time = m.lastTime;
    a.action = uint16_t(1 + i % 2);
    a.levelMask = 15;
    m.alarms.push_back(a);
  }
  m.records.clear();
  if (recordCount <= 100000) FillNewerRecords(m, int(recordCount));
  return m;
}

void FillNewerRecords(NewerFile& m, int recordCount) {
  m.records.clear();
  const int64_t lastMs = int64_t(m.lastTime.seconds) * 1000 +
                         (m.lastTime.unit == 1 ? m.lastTime.value * 1000 : m.lastTime.value);
  const int per = m.ValuesPerChannel();
  for (int r = 0; r < recordCount; ++r) {
    NewerRecord rec;
    const int64_t ms = lastMs - int64_t(recordCount - 1 - r) * m.IntervalMs();
    rec.time = NewerTime::At(int32_t(ms / 1000), int(ms % 1000));
    for (std::size_t c = 0; c < m.channels.size(); ++c) {
      const int64_t base = int64_t(c) * 100 + r;
      const bool wide = m.channels[c].ValueSize() == 4;
      for (int v = 0; v < per; ++v) {
        int64_t value = (v == 0 ? base : base + 50) * (c % 2 ? -1 : 1);
        if (wide) value *= 100000;
        rec.values.push_back(value);
      }
    }
    m.records.push_back(std::move(rec));
  }
  if (recordCount > 0) m.firstTime = m.records.front().time;
}

NewerFile SampleNewerFile(int dataKind, bool bigEndian, bool tagged) {
  NewerFile m;
  m.bigEndian = bigEndian;
  m.dataKind = dataKind;
  m.headerText = "Line ^C   ";
  m.serial = "S5T812345";
  m.text168 = "aux";
  m.startFactor = 1;
  m.stopFactor = 3;          // power failure
  m.modelWord = 0x00010022;  // "QR4200"

  auto channel = [](int16_t number, uint32_t flags, const char* tag, const char* unit, int16_t decimals,
                    int32_t lo, int32_t hi, int16_t rawLo, int16_t rawHi) {
    NewerChannel c;
    c.number = number;
    c.flags = flags;
    c.tag = tag;
    c.unit = unit;
    c.decimals = decimals;
    c.spanLow = lo;
    c.spanHigh = hi;
    c.rawLow = rawLo;
    c.rawHigh = rawHi;
    c.colour = 0xFF000000u | uint32_t(number) * 0x010203u;
    c.word40 = int16_t(40 + number);
    c.loggingNo = 7;
    return c;
  };
  m.channels.push_back(channel(1, 0x2, "TEMP1", "^C", 1, -1000, 10000, -1000, 10000));
  m.channels.push_back(channel(2, 0x4, "FLOW", "m3/h", 2, 0, 50000, 0, 30000));
  m.channels.push_back(channel(101, 0x2, "PRESS", "kPa", 0, 0, 500, 0, 500));
  NewerChannel log = channel(201, 0x4 | 0x400, "VACUUM", "Pa", 0, -3, 2, 0, 5000);
  log.logMantissaLow = 1;
  log.logMantissaHigh = 5;
  log.display = 0;
  m.channels.push_back(log);

  NewerGroup g1;
  g1.number = 1;
  g1.name = "Boiler";
  g1.places[0] = 1;
  g1.places[1] = 2;
  g1.places[2] = 201;
  g1.trips[0] = {1, 5000};
  g1.trips[1] = {0, 200};
  g1.trips[3] = {1, 20000};  // above the raw range: not valid
  NewerGroup g2;
  g2.number = 2;
  g2.name = "Unused";
  g2.inUse = 0;
  g2.places[0] = 101;
  NewerGroup g3;
  g3.number = 5;
  g3.name = "Press ";
  g3.places[0] = 101;
  g3.places[1] = 1;
  m.groups = {g1, g2, g3};

  m.intervalValue = 500;
  m.lastTime = NewerTime::At(1700000010, 250);
  m.startDataNo = 5000;
  m.memStartDataNo = 4990;
  FillNewerRecords(m, 20);
  m.triggerDataNo = 5004;
  // Reserved raw values: 16-bit +OVER, LACK and no-data; 32-bit -OVER.
  const std::size_t per = std::size_t(m.ValuesPerChannel());
  m.records[3].values[0] = 0x7FFF;
  m.records[4].values[0] = int16_t(0x8004);
  m.records[5].values[0] = 0x7F7F;
  m.records[6].values[per] = int32_t(0x80018001u);

  NewerMessage a;
  a.serial = 11;
  a.secondWord = 0xA1;
  a.inputTime = NewerTime::At(1700000100, 5);
  a.dataNo = 5002;
  a.groupMask = 0x5;  // groups 1 and 3
  a.word36 = 36;
  a.number = 3;
  a.text = "Valve ^ opened  ";
  a.user = "operator";
  NewerMessage all = a;
  all.serial = 12;
  all.dataNo = 5010;
  all.groupMask = 0x7;  // every group of the file
  all.text = "All groups";
  all.number = 4;
  m.messages = {a, all};

  NewerBatch& b = m.batch;
  b.startUserCode = 17;
  b.stopUserCode = 18;
  b.startUser = "alice";
  b.stopUser = "bob";
  b.hasBatchInfo = 1;
  b.lotDigits = 5;
  b.lotNumber = 42;
  b.batchNumber = "BATCH-7";
  b.texts[0] = {"Product", "Jam"};
  b.texts[3] = {"Shift", "Night"};
  b.comments[0] = {NewerTime::At(1700000001, 125), "carol", "Started ^ warm"};
  b.comments[2] = {NewerTime::At(1700000002, 0), "dave", "Checked"};

  m.channelItems = {{0, 0, 0, 0}, {1, 0, 0, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}};
  auto alarm = [](int16_t channel, int64_t dataNo, uint16_t action, uint16_t mask, int16_t type) {
    NewerAlarm x;
    x.channel = channel;
    x.dataNo = dataNo;
    x.action = action;
    x.levelMask = mask;
    x.type = type;
    x.time = NewerTime::At(int32_t(1700000000 + dataNo - 5000), 0);
    x.lastWord = uint16_t(0x100 + dataNo - 4990);
    return x;
  };
  m.alarms = {alarm(1, 4995, 1, 1, 1),  // before the start: sets the initial state only
              alarm(1, 5002, 2, 1, 1),    alarm(101, 5003, 1, 4, 3),
              alarm(7, 5004, 1, 1, 1),  // no such channel: dropped
              alarm(-1, 5005, 1, 15, -1), alarm(101, 5006, 3, 4, 3),
              alarm(-1, 5008, 2, 15, -1), alarm(101, 5009, 2, 8, 8)};

  if (tagged) {
    m.taggedSection = true;
    NewerTagged strings;
    strings.kind = NewerTagged::StringTable;
    strings.strings = {"First ^", "second"};
    NewerTagged skipped;
    skipped.kind = NewerTagged::ChannelList;
    skipped.listKind = 3;
    skipped.entries = {{0, 1, "ignored"}};
    NewerTagged unknown;
    unknown.kind = NewerTagged::Unknown;
    unknown.body = {1, 2, 3, 4, 5, 6, 7};
    NewerTagged names;
    names.kind = NewerTagged::ChannelList;
    names.listKind = 1;
    names.entries = {{0, 1, "Boiler temp ^"}, {1, 1, "Inlet pressure"}, {2, 1, "Vac"}};
    NewerTagged numbers;
    numbers.kind = NewerTagged::ChannelList;
    numbers.listKind = 2;
    numbers.entrySize = 16;
    numbers.entries = {{0, 2, "T-002"}, {2, 1, "V-201"}};
    NewerTagged table;
    table.kind = NewerTagged::BatchTextTable;
    for (int i = 0; i < 10; ++i)
      table.rows.push_back({"Title " + std::to_string(i), i == 4 ? "" : "Row text " + std::to_string(i)});
    table.rows[6] = {"", ""};
    NewerTagged values;
    values.kind = NewerTagged::TaggedValues;
    values.words = {1, 0, 0x00414243, 0x44454647, 0, 0x5A, 0, 0};
    m.tagged = {strings, skipped, unknown, names, numbers, table, values};
  }
  return m;
}

NewerFile TimeChangeNewerFile(bool bigEndian) {
  NewerFile m;
  m.bigEndian = bigEndian;
  m.serial = "CLOCK1";
  m.timeChangeCount = 1;
  NewerChannel c;
  c.number = 1;
  m.channels = {c};
  m.intervalValue = 1000;
  const int32_t ten = 1700042400;  // 2023-11-15 10:00:00 UTC
  const int32_t times[5] = {ten, ten + 1, ten + 2, ten - 3600 + 3, ten - 3600 + 4};
  for (int i = 0; i < 5; ++i) {
    NewerRecord r;
    r.time = NewerTime::At(times[i], 0);
    r.values = {int64_t(i * 10)};
    m.records.push_back(r);
  }
  m.firstTime = m.records.front().time;
  m.lastTime = m.records.back().time;
  m.startDataNo = 100;
  m.memStartDataNo = 100;
  m.triggerDataNo = 100;
  NewerMessage msg;
  msg.dataNo = 103;
  msg.groupMask = 0;
  msg.text = "after the jump";
  m.messages = {msg};
  return m;
}

}  // namespace recgen

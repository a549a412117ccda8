// CQRAFile: see CQRAFile.h. Every length, count and offset read from the file is checked
// against the block that holds it before it is used, so that no file makes the reader read
// outside a buffer, allocate without bound, or loop without progress. A length that runs past
// the end of the file is a short read (2), as for a truncated file; a length or count that does
// not fit its block is a structural fault (4).
#include "recorder/newer/CQRAFile.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/base/ByteOrder.h"
#include "platform/base/ReadOnlyFile.h"
#include "recorder/RecordRangeCache.h"
#include "recorder/RecorderCalendarTime.h"
#include "recorder/RecorderCrc.h"
#include "recorder/RecorderState.h"
#include "recorder/RecorderText.h"
#include "recorder/WrappingMath.h"

namespace {

constexpr uint32_t kHeaderLimit = 0x02010100;
constexpr uint32_t kChannelLimit = 0x01010000;
constexpr uint32_t kGroupLimit = 0x01000000;
constexpr uint32_t kMessageLimit = 0x01000100;
constexpr uint32_t kBatchLimit = 0x01000000;
constexpr uint32_t kTaggedLimit = 0x01000000;
constexpr uint32_t kDataInfoLimit = 0x01000000;
constexpr uint32_t kAlarmLimit = 0x01000100;
constexpr uint32_t kDataLimit = 0x01000000;
constexpr std::size_t kHeaderSize = 216;
constexpr std::size_t kChannelEntry = 88;
constexpr std::size_t kGroupEntry = 96;
constexpr std::size_t kMessageEntry = 104;
constexpr std::size_t kAlarmEntry = 32;
constexpr std::size_t kBatchBlock = 832;
constexpr int kMaxGroups = 64;
constexpr int kChannelSlots = 500;
constexpr uint32_t kTagEnd = 0x1FFFFFF;
constexpr uint32_t kTagStrings = 0x1000001;
constexpr uint32_t kTagList = 0x1000002;
constexpr uint32_t kTagBatchTexts = 0x1000003;
constexpr uint32_t kTagValues = 0x1000004;
constexpr std::size_t kChunkBytes = 256 * 1024;
constexpr int64_t kTimesKept = 1 << 18;  // records whose times are kept for the next channel

bool VersionOver(uint32_t version, uint32_t limit) { return (version & ~0xFFu) > limit; }

bool CrcMatches(const std::vector<uint8_t>& block) {
  const std::size_t n = block.size();
  return RecorderCrc16(block.data(), n - 2) == vt::LoadLe16(&block[n - 2]);
}

}  // namespace

CQRAFile::CQRAFile() { m_channelIndex.fill(-1); }

CQRAFile::~CQRAFile() { Close(); }

void CQRAFile::Close() {
  m_file.Close();
  m_cache.Clear();
  m_columns.Clear();
  m_fields.clear();
  m_fieldsMade = false;
  m_piece = {};
  m_askedStart = m_askedCount = -1;
  m_askedField = -1;
  m_timesStart = -1;
  m_timesSeconds.clear();
  m_timesMilliseconds.clear();
}

bool CQRAFile::ReadAt(uint64_t offset, void* buffer, std::size_t size) {
  if (m_file.ReadAt(offset, buffer, size)) return true;
  Close();  // a read failure closes the file, as a failed seek or read always did
  return false;
}

QRATime CQRAFile::ConvertTime(const uint8_t* p) const {
  QRATime t;
  if (m_header.timeFormat != 0) {
    t.seconds = int32_t(L32(p));
    const uint16_t unit = L16(p + 4);
    const uint16_t value = L16(p + 6);
    t.milliseconds = unit == 1 ? int32_t(value) * 1000 : int32_t(value);
    return t;
  }
  // Calendar form: the computer's local time, an hour earlier when the daylight byte is set.
  const int year = RecorderYear(int8_t(p[0]));
  int64_t s = LocalCalendarToSeconds(year, p[1], p[2], p[3], p[4], p[5]);
  if (p[7] != 0) s -= 3600;
  t.seconds = int32_t(s);
  t.milliseconds = int32_t(p[6]) * 5;
  return t;
}

int CQRAFile::Open(const std::string& path, bool headerOnly) {
  // Regular files only, opened without blocking: a pipe under a recorder file's name is refused,
  // not waited on (the import would hang on it).
  Close();  // nothing read from an earlier file may serve this one
  if (!m_file.Open(path)) return vt::QRA_OPEN_FAILED;
  m_fileSize = m_file.Size();
  int r = ReadHeader();
  if (r != vt::QRA_OK) return r;
  struct Step {
    uint32_t limit;
    int code;
    int which;
  };
  const Step steps[] = {{kChannelLimit, vt::QRA_CHANNEL_VERSION, 0},
                        {kGroupLimit, vt::QRA_GROUP_VERSION, 1},
                        {kMessageLimit, vt::QRA_MESSAGE_VERSION, 2},
                        {kBatchLimit, vt::QRA_BATCH_VERSION, 3}};
  for (const Step& s : steps) {
    std::vector<uint8_t> b;
    r = ReadBlock(s.limit, s.code, &b);
    if (r != vt::QRA_OK) return r;
    const uint64_t len = b.size();
    if (s.which == 0) {
      const uint32_t n = L32(&b[12]);
      if (n > uint32_t(kChannelSlots) || 24 + uint64_t(n) * kChannelEntry + 2 > len)
        return vt::QRA_BAD_HEADER;
      m_channels.resize(n);
      for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* e = &b[24 + i * kChannelEntry];
        QRAChannelEntry& c = m_channels[i];
        c.flags = L32(e);
        c.number = int16_t(L16(e + 4));
        c.loggingNo = int16_t(L16(e + 6));
        c.tag = MapRecorderText(e + 8, 24);
        c.unit = MapRecorderText(e + 32, 8);
        c.word40 = int16_t(L16(e + 40));
        c.valueOffset = L16(e + 42);
        c.decimals = int16_t(L16(e + 44));
        c.logMantissaLow = int32_t(L32(e + 48));
        c.logMantissaHigh = int32_t(L32(e + 52));
        c.spanLow = int32_t(L32(e + 56));
        c.spanHigh = int32_t(L32(e + 60));
        c.rawLow = int16_t(L16(e + 64));
        c.rawHigh = int16_t(L16(e + 66));
        c.colour = L32(e + 68);
        c.display = L16(e + 80);
        if (c.number < 0 || c.number >= kChannelSlots) return vt::QRA_BAD_HEADER;
        m_channelIndex[size_t(c.number)] = int16_t(i);
        if (c.number >= 1 && c.number <= 48)
          ++m_rangeCounts[0];
        else if (c.number >= 101 && c.number <= 160)
          ++m_rangeCounts[1];
        else if (c.number >= 201 && c.number <= 440)
          ++m_rangeCounts[2];
      }
    } else if (s.which == 1) {
      const uint32_t n = L32(&b[12]);
      if (n > uint32_t(kMaxGroups) || 24 + uint64_t(n) * kGroupEntry + 2 > len) return vt::QRA_BAD_HEADER;
      m_groupBlockWord = L32(&b[16]);
      m_allGroupsMask = n == 64 ? ~uint64_t(0) : ((uint64_t(1) << n) - 1);
      m_groups.resize(n);
      for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* e = &b[24 + i * kGroupEntry];
        QRAGroupEntry& g = m_groups[i];
        g.number = int16_t(L16(e));
        g.inUse = L16(e + 2);
        if (g.inUse != 0) g.name = MapRecorderText(e + 8, 24);
        for (size_t p = 0; p < 16; ++p) g.places[p] = int16_t(L16(e + 32 + 2 * p));
        for (size_t t = 0; t < 4; ++t) {
          g.trips[t].on = L16(e + 64 + 8 * t);
          g.trips[t].raw = int16_t(L16(e + 66 + 8 * t));
        }
      }
    } else if (s.which == 2) {
      const uint32_t n = L32(&b[12]);
      if (24 + uint64_t(n) * kMessageEntry + 2 > len) return vt::QRA_BAD_HEADER;
      m_messages.resize(n);
      for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* e = &b[24 + size_t(i) * kMessageEntry];
        QRAMessageEntry& m = m_messages[i];
        m.serial = L32(e);
        m.secondWord = L32(e + 4);
        m.inputTime = ConvertTime(e + 8);
        m.dataNo = int64_t(L64(e + 16));
        m.groupMask = L64(e + 24);
        m.word36 = L16(e + 36);
        m.number = L16(e + 38);
        m.text = MapRecorderText(e + 40, 40);
        m.user = MapRecorderText(e + 80, 24);
      }
    } else {
      if (len != kBatchBlock) return vt::QRA_BAD_HEADER;
      const uint8_t* e = b.data();
      QRABatchBlock& x = m_batch;
      x.startUserCode = L16(e + 8);
      x.stopUserCode = L16(e + 10);
      x.startUser = DecodeRecorderText(e + 16, 24);
      x.stopUser = DecodeRecorderText(e + 40, 24);
      x.hasBatchInfo = L16(e + 64);
      x.lotDigits = L16(e + 66);
      x.lotNumber = L32(e + 68);
      // Batch texts are mapped only when the block says it carries batch information.
      auto text = [&](const uint8_t* p, std::size_t n) {
        return x.hasBatchInfo != 0 ? MapRecorderText(p, n) : DecodeRecorderText(p, n);
      };
      for (size_t i = 0; i < 8; ++i) {
        x.texts[i].title = text(e + 72 + 56 * i, 24);
        x.texts[i].text = text(e + 72 + 56 * i + 24, 32);
      }
      x.batchNumber = text(e + 520, 40);
      for (size_t i = 0; i < 3; ++i) {
        x.comments[i].time = ConvertTime(e + 560 + 88 * i);
        x.comments[i].user = text(e + 560 + 88 * i + 8, 24);
        x.comments[i].text = text(e + 560 + 88 * i + 32, 56);
      }
    }
  }
  if (m_header.tagged != 0) {
    r = ReadTaggedSection();
    if (r != vt::QRA_OK) return r;
  }
  r = ReadDataInfo();
  if (r != vt::QRA_OK || headerOnly) return r;
  r = ReadAlarms();
  if (r != vt::QRA_OK) return r;
  return ReadDataBlock();
}

int CQRAFile::ReadHeader() {
  uint8_t h[kHeaderSize];
  if (m_fileSize < 24 || !ReadAt(0, h, 24)) return vt::QRA_READ_ERROR;
  if (std::memcmp(h, "MRCD", 4) != 0 || h[4] != 0 || h[5] != 0) return vt::QRA_BAD_HEADER;
  m_be = h[6] != 0;
  const uint32_t format = L32(h + 8);
  const uint32_t version = L32(h + 12);
  if ((format & 0x03000000u) != 0x03000000u || (format & 1u) == 0) return vt::QRA_BAD_HEADER;
  if (VersionOver(version, kHeaderLimit)) return vt::QRA_HEADER_VERSION;
  // Any other length would overflow the header or leave its checksum unread.
  if (L32(h + 20) != kHeaderSize) return vt::QRA_BAD_HEADER;
  if (m_fileSize < kHeaderSize || !ReadAt(24, h + 24, kHeaderSize - 24)) return vt::QRA_READ_ERROR;
  if (RecorderCrc16(h, kHeaderSize - 2) != vt::LoadLe16(h + 214)) {
    m_lastError = vt::QRA_CRC_ERROR;
    return vt::QRA_CRC_ERROR;
  }
  QRAHeader& x = m_header;
  x.bigEndian = m_be;
  x.formatWord = format;
  x.version = version;
  x.dataInfoOffset = L32(h + 16);
  x.length = L32(h + 20);
  x.guid.data1 = L32(h + 24);
  x.guid.data2 = L16(h + 28);
  x.guid.data3 = L16(h + 30);
  std::memcpy(x.guid.data4.data(), h + 32, 8);
  x.word40 = L32(h + 40);
  x.dataKindWord = L32(h + 44);
  x.modelWord = L32(h + 48);
  x.timeFormat = L16(h + 52);
  x.word54 = L16(h + 54);
  x.word56 = L32(h + 56);
  x.timeChangeCount = L32(h + 60);
  x.word66 = L16(h + 66);
  x.startFactor = L16(h + 68);
  x.stopFactor = L16(h + 70);
  x.headerText = MapRecorderText(h + 72, 72);
  x.serial = MapRecorderText(h + 144, 24);
  x.text168 = MapRecorderText(h + 168, 16);
  x.word188 = L16(h + 188);
  x.tagged = L32(h + 208);
  m_pos = kHeaderSize;
  return vt::QRA_OK;
}

int CQRAFile::ReadBlock(uint32_t limit, int versionCode, std::vector<uint8_t>* block) {
  uint8_t prefix[8];
  if (m_pos + 8 > m_fileSize || !ReadAt(m_pos, prefix, 8)) return vt::QRA_READ_ERROR;
  const uint32_t length = L32(prefix);
  if (VersionOver(L32(prefix + 4), limit)) return versionCode;
  if (length < 8 + 16 + 2) return vt::QRA_BAD_HEADER;  // every ordinary block has a 24-byte head
  const int r = ReadCheckedBlock(length, block);
  if (r != vt::QRA_OK) return r;
  m_pos += length;
  return vt::QRA_OK;
}

int CQRAFile::ReadCheckedBlock(uint32_t length, std::vector<uint8_t>* block) {
  if (length > m_fileSize - m_pos) return vt::QRA_READ_ERROR;
  block->resize(length);
  if (!ReadAt(m_pos, block->data(), length)) return vt::QRA_READ_ERROR;
  if (!CrcMatches(*block)) {
    m_lastError = vt::QRA_CRC_ERROR;
    return vt::QRA_CRC_ERROR;
  }
  return vt::QRA_OK;
}

int CQRAFile::ReadTaggedSection() {
  for (;;) {
    uint8_t prefix[32];
    if (m_pos + 16 > m_fileSize || !ReadAt(m_pos, prefix, 16)) return vt::QRA_READ_ERROR;
    const uint32_t length = L32(prefix);
    const uint32_t type = L32(prefix + 4);
    const uint32_t version = L32(prefix + 8);
    if (type == kTagEnd) {
      m_pos += 16;
      return vt::QRA_OK;
    }
    bool known = type == kTagStrings || type == kTagBatchTexts || type == kTagValues;
    uint32_t listKind = 0;
    if (type == kTagList) {
      if (m_pos + 32 > m_fileSize || !ReadAt(m_pos + 16, prefix + 16, 16)) return vt::QRA_READ_ERROR;
      listKind = L32(prefix + 24);
      known = listKind == 1 || listKind == 2;
    }
    if (!known) {
      // Skipped whole; a length that does not get past its own prefix would never advance.
      if (length < 16) return vt::QRA_BAD_HEADER;
      if (length > m_fileSize - m_pos) return vt::QRA_READ_ERROR;
      m_pos += length;
      continue;
    }
    if (VersionOver(version, kTaggedLimit)) return vt::QRA_TAGGED_VERSION;
    if (length < 16 + 2) return vt::QRA_BAD_HEADER;
    std::vector<uint8_t> b;
    if (const int r = ReadCheckedBlock(length, &b); r != vt::QRA_OK) return r;
    m_pos += length;
    const uint64_t len = length;
    if (type == kTagValues) {
      if (16 + 32 + 2 > len) return vt::QRA_BAD_HEADER;
      for (size_t i = 0; i < 8; ++i) m_taggedValues[i] = L32(&b[16 + 4 * i]);
      m_hasTaggedValues = true;
      continue;
    }
    if (len < 32 + 2) return vt::QRA_BAD_HEADER;
    const uint32_t count = L32(&b[16]);
    const uint32_t size = L32(&b[20]);
    if (type == kTagStrings) {
      // Empty fields would let the count run free of the block's length.
      if (size == 0 || 32 + uint64_t(count) * size + 2 > len) return vt::QRA_BAD_HEADER;
      m_strings.clear();
      for (uint32_t i = 0; i < count; ++i)
        m_strings.push_back(MapRecorderText(&b[32 + size_t(i) * size], size));
    } else if (type == kTagList) {
      if (size < 8 || 32 + uint64_t(count) * size + 2 > len) return vt::QRA_BAD_HEADER;
      std::vector<QRAListEntry>& list = listKind == 1 ? m_tagNames : m_tagNos;
      list.clear();
      for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = &b[32 + size_t(i) * size];
        list.push_back({L32(e), L32(e + 4), MapRecorderText(e + 8, size - 8)});
      }
      (listKind == 1 ? m_tagNamesState : m_tagNosState) = vt::QRA_OK;
    } else {  // batch text table: rows, columns, column sizes, texts from the next 8-byte boundary
      const uint32_t rows = count;
      const uint32_t columns = size;
      if (columns < 2 || 24 + uint64_t(columns) * 4 + 2 > len) return vt::QRA_BAD_HEADER;
      std::vector<uint32_t> sizes(columns);
      uint64_t rowBytes = 0;
      for (uint32_t c = 0; c < columns; ++c) {
        sizes[c] = L32(&b[24 + 4 * size_t(c)]);
        rowBytes += sizes[c];
      }
      if (sizes[0] == 0 || sizes[0] > 24 || sizes[1] == 0 || sizes[1] > 32) return vt::QRA_BAD_HEADER;
      const uint64_t textsAt = (24 + uint64_t(columns) * 4 + 7) / 8 * 8;
      // A row longer than the block is refused before the product, which could otherwise
      // wrap past 64 bits and pass.
      if (rowBytes > len || textsAt + uint64_t(rows) * rowBytes + 2 > len) return vt::QRA_BAD_HEADER;
      m_batchTable.clear();
      uint64_t at = textsAt;
      for (uint32_t r = 0; r < rows; ++r) {
        QRABatchText row;
        row.title = MapRecorderText(&b[at], sizes[0]);
        row.text = MapRecorderText(&b[at + sizes[0]], sizes[1]);
        m_batchTable.push_back(row);
        at += rowBytes;
      }
      m_hasBatchTable = true;
    }
  }
}

int CQRAFile::ReadDataInfo() {
  uint8_t prefix[12];
  if (m_pos + 12 > m_fileSize || !ReadAt(m_pos, prefix, 12)) return vt::QRA_READ_ERROR;
  if (VersionOver(L32(prefix + 4), kDataInfoLimit)) return vt::QRA_DATAINFO_VERSION;
  // The records are found through the header's offset, so it must name this very block.
  if (m_header.dataInfoOffset != m_pos) return vt::QRA_BAD_HEADER;
  const uint32_t length = L32(prefix + 8);
  if (length < 80 + 32 + 2) return vt::QRA_BAD_HEADER;
  std::vector<uint8_t> b;
  if (const int r = ReadCheckedBlock(length, &b); r != vt::QRA_OK) return r;
  const uint16_t n = L16(&b[72]);
  if (80 + 8 * uint64_t(n) + 32 + 2 > length) return vt::QRA_BAD_HEADER;
  QRADataInfo& d = m_dataInfo;
  const uint16_t unit = L16(&b[12]);
  const uint16_t value = L16(&b[14]);
  d.intervalMs = unit == 1 ? int32_t(value) * 1000 : int32_t(value);
  d.time1 = ConvertTime(&b[16]);
  d.lastTime = ConvertTime(&b[24]);
  d.startDataNo = int64_t(L64(&b[32]));
  d.endDataNo = int64_t(L64(&b[40]));
  d.memStartDataNo = int64_t(L64(&b[48]));
  d.triggerDataNo = int64_t(L64(&b[56]));
  d.recordCount = L32(&b[64]);
  d.itemCount = n;
  d.items.resize(n);
  for (size_t i = 0; i < n; ++i)
    for (size_t k = 0; k < 4; ++k) d.items[i][k] = L16(&b[80 + 8 * i + 2 * k]);
  m_dataInfoAt = m_pos;
  m_pos += length;
  return vt::QRA_OK;
}

int CQRAFile::ReadAlarms() {
  std::vector<uint8_t> b;
  const int r = ReadBlock(kAlarmLimit, vt::QRA_ALARM_VERSION, &b);
  if (r != vt::QRA_OK) return r;
  const uint32_t n = L32(&b[12]);
  if (24 + uint64_t(n) * kAlarmEntry + 2 > b.size()) return vt::QRA_BAD_HEADER;
  m_alarmLists.assign(m_channels.size(), {});
  const int64_t start = m_dataInfo.startDataNo;
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t* e = &b[24 + size_t(i) * kAlarmEntry];
    QRAAlarmEntry a;
    a.channel = int16_t(L16(e + 4));
    a.time = ConvertTime(e + 8);
    a.dataNo = int64_t(L64(e + 16));
    a.action = L16(e + 24);
    a.levelMask = L16(e + 26);
    a.type = int16_t(L16(e + 28));
    a.lastWord = L16(e + 30);
    const int index = a.channel == -1 ? -1 : ChannelIndexOf(a.channel);
    if (a.channel != -1 && index < 0) continue;  // an alarm of a channel the file lacks
    m_alarms.push_back(a);
    if (a.action == 3) continue;
    AlarmNode node{WrapSub(a.dataNo, start), i, a.action, a.channel, 0x0F};
    if (index < 0) {
      // Kept once however many channels there are: every channel and level reads this list.
      if (!m_alarmLists.empty()) {
        m_allChannelAlarms.push_back(node);
        m_anyAlarmNode = true;
      }
      continue;
    }
    if (a.levelMask == 15 || a.levelMask == 1 || a.levelMask == 2 || a.levelMask == 4 || a.levelMask == 8) {
      node.levels = uint8_t(a.levelMask);
      m_alarmLists[size_t(index)].push_back(node);
      m_anyAlarmNode = true;
    }
  }
  // Entries before the start stay in the lists (they set the initial alarm state) but leave
  // the table.
  std::size_t drop = 0;
  while (drop < m_alarms.size() && m_alarms[drop].dataNo < start) ++drop;
  m_alarms.erase(m_alarms.begin(), m_alarms.begin() + std::ptrdiff_t(drop));
  m_hasAlarmTable = true;
  return vt::QRA_OK;
}

int CQRAFile::ReadDataBlock() {
  uint8_t prefix[16];
  if (m_pos + 16 > m_fileSize || !ReadAt(m_pos, prefix, 16)) return vt::QRA_READ_ERROR;
  const uint32_t length = L32(prefix);
  if (VersionOver(L32(prefix + 4), kDataLimit)) return vt::QRA_DATA_VERSION;
  if (length < 16 + 2) return vt::QRA_BAD_HEADER;
  if (length > m_fileSize - m_pos) return vt::QRA_READ_ERROR;
  const uint32_t recordSize = L32(prefix + 8);
  const uint64_t records = m_dataInfo.recordCount;
  if (recordSize < 8 || 16 + records * recordSize + 2 > length) return vt::QRA_BAD_HEADER;
  const int perChannel = (m_header.dataKindWord & 0xFFFFFF) == 2 ? 2 : 1;
  for (const QRAChannelEntry& c : m_channels) {
    const int size = c.ValueSize();
    if (size == 0) continue;
    if (c.valueOffset < 8 || uint64_t(c.valueOffset) + uint64_t(size) * perChannel > recordSize)
      return vt::QRA_BAD_HEADER;
  }
  // The checksum covers every record; it is computed in chunks instead of holding the block.
  std::vector<uint8_t> chunk(std::min<uint64_t>(kChunkBytes, length));
  uint16_t crc = 0xFFFF;
  uint64_t done = 0;
  const uint64_t covered = length - 2;
  while (done < covered) {
    const std::size_t n = std::size_t(std::min<uint64_t>(chunk.size(), covered - done));
    if (!ReadAt(m_pos + done, chunk.data(), n)) return vt::QRA_READ_ERROR;
    crc = RecorderCrc16(chunk.data(), n, crc);
    done += n;
  }
  uint8_t stored[2];
  if (!ReadAt(m_pos + covered, stored, 2)) return vt::QRA_READ_ERROR;
  if (crc != vt::LoadLe16(stored)) {
    m_lastError = vt::QRA_CRC_ERROR;
    return vt::QRA_CRC_ERROR;
  }
  m_recordSize = recordSize;
  m_firstRecordAt = m_pos + 16;
  m_pos += length;
  return vt::QRA_OK;
}

std::string CQRAFile::GetModelName() const {
  const uint32_t w = m_header.modelWord;
  if ((w & 0x210000u) == 0) return "Unknown";
  switch (w & 0xFFFF) {
    case 33:
      return "QR4100";
    case 34:
      return "QR4200";
    case 49:
      return "LT4100";
    case 50:
      return "LT4200";
    case 65:
      return "QR436";
    default:
      return "Unknown";
  }
}

void CQRAFile::GetChannelRangeCounts(int* range1, int* range2, int* range3) const {
  if (range1) *range1 = m_rangeCounts[0];
  if (range2) *range2 = m_rangeCounts[1];
  if (range3) *range3 = m_rangeCounts[2];
}

int CQRAFile::GetChannelEntry(int index, QRAChannelEntry* out) const {
  if (index < 0 || index >= GetChannelCount() || out == nullptr) return vt::QRA_OUT_OF_RANGE;
  *out = m_channels[size_t(index)];
  return vt::QRA_OK;
}

int CQRAFile::ChannelIndexOf(int channelNo) const {
  if (channelNo < 0 || channelNo >= kChannelSlots) return -1;
  return m_channelIndex[size_t(channelNo)];
}

int CQRAFile::GetGroupEntry(int index, QRAGroupEntry* out) const {
  if (index < 0 || index >= GetGroupCount() || out == nullptr) return vt::QRA_OUT_OF_RANGE;
  *out = m_groups[size_t(index)];
  return vt::QRA_OK;
}

int CQRAFile::GetMessageEntry(int index, QRAMessageEntry* out) const {
  if (index < 0 || index >= GetMessageCount() || out == nullptr) return vt::QRA_OUT_OF_RANGE;
  *out = m_messages[size_t(index)];
  return vt::QRA_OK;
}

int CQRAFile::GetBatchTextRowCount() const { return m_hasBatchTable ? int(m_batchTable.size()) : 8; }

int CQRAFile::GetBatchTextRow(int row, QRABatchText* out) const {
  if (!m_hasBatchTable || row < 0 || row >= int(m_batchTable.size()) || out == nullptr) return vt::QRA_ABSENT;
  *out = m_batchTable[size_t(row)];
  return vt::QRA_OK;
}

namespace {

// The list entry of a channel number: range class and number within the range.
int FindListText(const std::vector<QRAListEntry>& list, int channelNo, std::string* out) {
  uint32_t range, number;
  if (channelNo >= 1 && channelNo <= 48)
    range = 0, number = uint32_t(channelNo);
  else if (channelNo >= 101 && channelNo <= 160)
    range = 1, number = uint32_t(channelNo - 100);
  else if (channelNo >= 201 && channelNo <= 440)
    range = 2, number = uint32_t(channelNo - 200);
  else
    return vt::QRA_ABSENT;
  for (const QRAListEntry& e : list) {
    if (e.range == range && e.number == number) {
      if (out) *out = e.text;
      return vt::QRA_OK;
    }
  }
  return vt::QRA_ABSENT;
}

}  // namespace

int CQRAFile::GetTagName(int channelIndex, std::string* out) const {
  if (channelIndex < 0 || channelIndex >= GetChannelCount() || m_tagNames.empty()) return vt::QRA_ABSENT;
  return FindListText(m_tagNames, m_channels[size_t(channelIndex)].number, out);
}

int CQRAFile::GetTagNo(int channelIndex, std::string* out) const {
  if (channelIndex < 0 || channelIndex >= GetChannelCount() || m_tagNos.empty()) return vt::QRA_ABSENT;
  return FindListText(m_tagNos, m_channels[size_t(channelIndex)].number, out);
}

int CQRAFile::GetFirstTableString(std::string* out) const {
  if (m_strings.empty()) return vt::QRA_ABSENT;
  if (out) *out = m_strings.front();
  return vt::QRA_OK;
}

int CQRAFile::GetTaggedValue(int index, uint32_t* out) const {
  if (!m_hasTaggedValues || index < 0 || index > 3) return vt::QRA_ABSENT;
  const uint32_t w = m_taggedValues[size_t(index) + 2];
  if (w == 0) return vt::QRA_ABSENT;
  if (out) *out = w;
  return vt::QRA_OK;
}

int CQRAFile::GetAlarmEntry(int index, QRAAlarmEntry* out) const {
  if (!m_hasAlarmTable) return vt::QRA_NO_ALARM_TABLE;
  if (index < 0 || index >= GetAlarmCount() || out == nullptr) return vt::QRA_OUT_OF_RANGE;
  *out = m_alarms[size_t(index)];
  return vt::QRA_OK;
}

namespace {

// The seconds-and-unit times of n records rs bytes apart: seconds, then a unit word (1: the
// value counts seconds, else milliseconds) and the value.
template <bool kBigEndian>
void DecodeTimes(const uint8_t* rec, std::size_t rs, int64_t n, int32_t* seconds, int32_t* milliseconds) {
  for (int64_t i = 0; i < n; ++i, rec += rs) {
    seconds[i] = int32_t(vt::Load32(rec, kBigEndian));
    const uint16_t unit = vt::Load16(rec + 4, kBigEndian);
    const uint16_t value = vt::Load16(rec + 6, kBigEndian);
    milliseconds[i] = unit == 1 ? int32_t(value) * 1000 : int32_t(value);
  }
}

// The values of n records rs bytes apart, 16-bit ones sign-extended.
template <class V, bool kBigEndian>
void DecodeValues(const uint8_t* p, std::size_t rs, int64_t n, int32_t* values) {
  for (int64_t i = 0; i < n; ++i, p += rs)
    values[i] =
        sizeof(V) == 2 ? int32_t(int16_t(vt::Load16(p, kBigEndian))) : int32_t(vt::Load32(p, kBigEndian));
}

// Bytes of records ReadColumns reads at a time, and records decoded per step: a step's records
// stay in the first-level cache while every column takes its field from them.
constexpr std::size_t kColumnPieceBytes = 512 * 1024;
constexpr int64_t kColumnTile = 64;

// One field of n records rs bytes apart, with the state of each value.
template <class V, bool kBigEndian>
void DecodeColumn(const uint8_t* p, std::size_t rs, int64_t n, int32_t* values, uint8_t* states) {
  for (int64_t i = 0; i < n; ++i, p += rs) {
    const int32_t v =
        sizeof(V) == 2 ? int32_t(int16_t(vt::Load16(p, kBigEndian))) : int32_t(vt::Load32(p, kBigEndian));
    values[i] = v;
    states[i] = uint8_t(RecorderStateOfRaw(v, int(sizeof(V)), RecorderFormat::Newer));
  }
}

// Every target's field of n records, the first being record `at` of the column read.
template <bool kBigEndian>
void DecodeColumns(const uint8_t* records, std::size_t rs, int64_t at, int64_t n,
                   const std::vector<CQRAFile::ColumnTarget>& targets) {
  for (int64_t t0 = 0; t0 < n; t0 += kColumnTile) {
    const int64_t m = std::min(kColumnTile, n - t0);
    const uint8_t* tile = records + std::size_t(t0) * rs;
    const std::size_t i = std::size_t(at + t0);
    for (const CQRAFile::ColumnTarget& t : targets) {
      if (t.size == 2)
        DecodeColumn<int16_t, kBigEndian>(tile + t.offset, rs, m, t.values + i, t.states + i);
      else
        DecodeColumn<int32_t, kBigEndian>(tile + t.offset, rs, m, t.values + i, t.states + i);
    }
  }
}

}  // namespace

template <class F>
bool CQRAFile::ForEachRecordChunk(int64_t start, int64_t count, F&& f) {
  const std::size_t rs = m_recordSize;
  const int64_t perChunk = std::max<int64_t>(1, int64_t(RecordRangeCache::kSpanLimit / rs));
  for (int64_t done = 0; done < count;) {
    const int64_t n = std::min(perChunk, count - done);
    const uint8_t* chunk =
        m_cache.Read(m_file, m_firstRecordAt + uint64_t(start + done) * rs, size_t(n) * rs);
    if (chunk == nullptr) {
      Close();  // a read failure closes the file, as a failed seek or read always did
      return false;
    }
    f(chunk, done, n);
    done += n;
  }
  return true;
}

int CQRAFile::ReadValues(int64_t start, int sub, int size, int offset, int64_t count, int32_t* values,
                         int32_t* seconds, int32_t* milliseconds) {
  if (start < 0 || count < 0 || start + count > int64_t(m_dataInfo.recordCount)) return vt::QRA_OUT_OF_RANGE;
  if (m_recordSize == 0) return vt::QRA_READ_ERROR;
  const int64_t at = int64_t(sub) * size + offset;
  const bool takeValue = size == 2 || size == 4;
  if (takeValue && (at < 0 || at + size > int64_t(m_recordSize))) return vt::QRA_OUT_OF_RANGE;
  bool times = seconds != nullptr && milliseconds != nullptr;
  // Times in seconds do not depend on the zone: those of the range read last serve the other
  // channels of the range.
  const bool keepTimes = times && m_header.timeFormat != 0 && count <= kTimesKept;
  if (keepTimes && m_timesStart == start && int64_t(m_timesSeconds.size()) == count) {
    std::copy(m_timesSeconds.begin(), m_timesSeconds.end(), seconds);
    std::copy(m_timesMilliseconds.begin(), m_timesMilliseconds.end(), milliseconds);
    times = false;
  }
  if (values != nullptr && takeValue) {
    bool failed = false;
    const int field = ValueField(at, size);
    if (UseColumns(start, count, field, &failed)) {
      m_columns.CopyValues(field, start, count, values);
      if (!times) return vt::QRA_OK;
      if (m_header.timeFormat != 0) {
        m_columns.CopyTimes(start, count, seconds, milliseconds);
      } else {
        for (int64_t i = 0; i < count; ++i) {
          const QRATime t = ConvertTime(m_columns.TimeBytes(start + i));
          seconds[i] = t.seconds;
          milliseconds[i] = t.milliseconds;
        }
      }
      return vt::QRA_OK;
    }
    if (failed) return vt::QRA_READ_ERROR;
  }
  const std::size_t rs = m_recordSize;
  // Through the range cache: the other channels of the same range come from memory.
  const bool read = ForEachRecordChunk(start, count, [&](const uint8_t* chunk, int64_t done, int64_t n) {
    // One loop per field and byte order, so that nothing is decided per record.
    if (times && m_header.timeFormat != 0) {
      if (m_be)
        DecodeTimes<true>(chunk, rs, n, seconds + done, milliseconds + done);
      else
        DecodeTimes<false>(chunk, rs, n, seconds + done, milliseconds + done);
    } else if (times) {
      for (int64_t i = 0; i < n; ++i) {
        const QRATime t = ConvertTime(&chunk[size_t(i) * rs]);
        seconds[done + i] = t.seconds;
        milliseconds[done + i] = t.milliseconds;
      }
    }
    if (values != nullptr && takeValue) {
      if (size == 2)
        m_be ? DecodeValues<int16_t, true>(chunk + at, rs, n, values + done)
             : DecodeValues<int16_t, false>(chunk + at, rs, n, values + done);
      else
        m_be ? DecodeValues<int32_t, true>(chunk + at, rs, n, values + done)
             : DecodeValues<int32_t, false>(chunk + at, rs, n, values + done);
    }
  });
  if (!read) return vt::QRA_READ_ERROR;
  if (keepTimes && times) {
    m_timesStart = start;
    m_timesSeconds.assign(seconds, seconds + count);
    m_timesMilliseconds.assign(milliseconds, milliseconds + count);
  }
  return vt::QRA_OK;
}

int CQRAFile::ValueField(int64_t at, int size) {
  if (!m_fieldsMade) {
    // Each channel's value, and its maximum in display data, where the record holds it.
    const bool display = (m_header.dataKindWord & 0xFFFFFF) == 2;
    for (const QRAChannelEntry& c : m_channels) {
      const int width = c.ValueSize();
      if (width != 2 && width != 4) continue;
      for (int sub = 0; sub < (display ? 2 : 1); ++sub) {
        const int offset = sub * width + c.valueOffset;
        if (offset + width > int64_t(m_recordSize)) continue;
        const bool known = std::any_of(m_fields.begin(), m_fields.end(), [&](const RecordColumns::Field& f) {
          return f.offset == offset && f.size == width;
        });
        if (!known) m_fields.push_back({offset, width});
      }
    }
    m_fieldsMade = true;
  }
  for (std::size_t f = 0; f < m_fields.size(); ++f)
    if (m_fields[f].offset == at && m_fields[f].size == size) return int(f);
  return -1;
}

bool CQRAFile::UseColumns(int64_t start, int64_t count, int field, bool* failed) {
  if (field < 0 || count <= 0) return false;
  if (m_columns.Covers(start, count)) return true;
  const bool second = start == m_askedStart && count == m_askedCount && field != m_askedField;
  m_askedStart = start;
  m_askedCount = count;
  m_askedField = field;
  if (!second || RecordColumns::BytesFor(m_fields, count) > RecordColumns::kBytesLimit) return false;
  if (!m_columns.Reset(m_fields, start, count, m_header.timeFormat != 0, m_be)) return false;
  const std::size_t rs = m_recordSize;
  if (!ForEachRecordChunk(start, count, [&](const uint8_t* chunk, int64_t done, int64_t n) {
        m_columns.Decode(chunk, rs, done, n);
      })) {
    *failed = true;
    return false;
  }
  return true;
}

int CQRAFile::ReadColumns(int64_t start, int64_t count, const std::vector<ColumnTarget>& targets) {
  if (start < 0 || count < 0 || start + count > int64_t(m_dataInfo.recordCount)) return vt::QRA_OUT_OF_RANGE;
  if (m_recordSize == 0) return vt::QRA_READ_ERROR;
  const std::size_t rs = m_recordSize;
  for (const ColumnTarget& t : targets) {
    assert(t.values != nullptr && t.states != nullptr);
    if ((t.size != 2 && t.size != 4) || t.offset < 0 || std::size_t(t.offset + t.size) > rs)
      return vt::QRA_OUT_OF_RANGE;
  }
  // Straight from the file, not through the range cache: every field of the range is taken here,
  // and pieces this small are decoded while they are still in the cache.
  const int64_t perPiece = std::max<int64_t>(1, int64_t(kColumnPieceBytes / rs));
  if (m_piece.size() < std::size_t(perPiece) * rs) m_piece.resize(std::size_t(perPiece) * rs);
  for (int64_t done = 0; done < count;) {
    const int64_t n = std::min(perPiece, count - done);
    if (!ReadAt(m_firstRecordAt + uint64_t(start + done) * rs, m_piece.data(), std::size_t(n) * rs))
      return vt::QRA_READ_ERROR;
    if (m_be)
      DecodeColumns<true>(m_piece.data(), rs, done, n, targets);
    else
      DecodeColumns<false>(m_piece.data(), rs, done, n, targets);
    done += n;
  }
  return vt::QRA_OK;
}

int CQRAFile::ReadTimes(int64_t start, int64_t count, int32_t* seconds, int32_t* milliseconds) {
  return ReadValues(start, 0, 0, 0, count, nullptr, seconds, milliseconds);
}

// The level list of one channel as the file orders it: the channel's own nodes of that level and
// the all-channel nodes, merged by their place in the file without copying either.
class CQRAFile::AlarmWalk {
 public:
  AlarmWalk(const std::vector<AlarmNode>& own, const std::vector<AlarmNode>& all, uint8_t bit)
      : own_(own), all_(all), bit_(bit) {
    SkipOtherLevels();
  }
  bool AtEnd() const { return i_ >= own_.size() && j_ >= all_.size(); }
  const AlarmNode& Node() const { return TakesOwn() ? own_[i_] : all_[j_]; }
  void Next() {
    if (TakesOwn())
      ++i_;
    else
      ++j_;
    SkipOtherLevels();
  }

 private:
  bool TakesOwn() const { return i_ < own_.size() && (j_ >= all_.size() || own_[i_].seq < all_[j_].seq); }
  void SkipOtherLevels() {
    while (i_ < own_.size() && (own_[i_].levels & bit_) == 0) ++i_;
  }

  const std::vector<AlarmNode>& own_;
  const std::vector<AlarmNode>& all_;
  uint8_t bit_;
  std::size_t i_ = 0, j_ = 0;
};

int CQRAFile::ReadAlarmFlags(int channelNo, int64_t start, int64_t count, uint8_t* out) const {
  if (start < 0 || count < 0 || start + count > int64_t(m_dataInfo.recordCount)) return vt::QRA_OUT_OF_RANGE;
  if (count == 0) return vt::QRA_OK;  // nothing to write; an empty request needs no buffer
  if (out == nullptr) return vt::QRA_OUT_OF_RANGE;
  const int index = ChannelIndexOf(channelNo);
  uint8_t item = 0;
  if (index >= 0 && size_t(index) < m_dataInfo.items.size())
    for (int k = 0; k < 4; ++k)
      if (m_dataInfo.items[size_t(index)][size_t(k)] != 0) item |= uint8_t(1 << k);
  if (index < 0 || size_t(index) >= m_alarmLists.size() || !m_anyAlarmNode) {
    std::fill(out, out + count, item);
    return vt::QRA_OK;
  }
  std::fill(out, out + count, uint8_t(0));
  const bool display = (m_header.dataKindWord & 0xFFFFFF) == 2;
  const std::vector<AlarmNode>& own = m_alarmLists[size_t(index)];
  for (int k = 0; k < 4; ++k) {
    const uint8_t bit = uint8_t(1 << k);
    AlarmWalk walk(own, m_allChannelAlarms, bit);
    const AlarmNode* passed = nullptr;  // the last node before the current position
    for (int64_t i = 0; i < count; ++i) {
      const int64_t p = start + i;
      if (walk.AtEnd()) {
        // No node lies ahead: every further record keeps the state the last one passed left.
        const bool set = passed != nullptr ? passed->action == 1 : (item & bit) != 0;
        if (set)
          for (int64_t j = i; j < count; ++j) out[j] |= bit;
        break;
      }
      while (!walk.AtEnd() && walk.Node().position < p) {
        passed = &walk.Node();
        walk.Next();
      }
      bool set;
      if (!walk.AtEnd() && walk.Node().position == p) {
        set = false;
        for (AlarmWalk same = walk; !same.AtEnd() && same.Node().position == p; same.Next()) {
          const AlarmNode& n = same.Node();
          if (n.action == 1 || (n.action == 2 && display && n.channel != -1)) set = true;
        }
      } else if (passed != nullptr) {
        set = passed->action == 1;
      } else {
        set = (item & bit) != 0;
      }
      if (set) out[i] |= bit;
    }
  }
  return vt::QRA_OK;
}

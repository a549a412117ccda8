// SGraphConfiguration and its blob (see GraphConfiguration.h).
#include "store/GraphConfiguration.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "platform/base/ByteOrder.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Guid.h"
#include "platform/base/Text.h"

namespace {

constexpr std::size_t kGroupFixedSize = kGraphGroupNameSize + 4 + 4 + 32 + 4 + 4;  // 120

// A NUL-terminated text inside a fixed field (the whole field when it holds no NUL).
std::string FieldText(const uint8_t* field, std::size_t size) {
  const auto* end = static_cast<const uint8_t*>(std::memchr(field, 0, size));
  return std::string(reinterpret_cast<const char*>(field), end ? std::size_t(end - field) : size);
}

// Appends little-endian fields to a blob.
class BlobWriter {
 public:
  explicit BlobWriter(std::size_t size) { out_.reserve(size); }
  void Int32(int32_t v) {
    uint8_t b[4];
    vt::StoreLe32(b, uint32_t(v));
    Bytes(b, 4);
  }
  void Int64(int64_t v) {
    uint8_t b[8];
    vt::StoreLe64(b, uint64_t(v));
    Bytes(b, 8);
  }
  void Time(const PreciseTime& t) {
    Int64(t.seconds);
    uint64_t bits;
    std::memcpy(&bits, &t.fraction, 8);
    Int64(int64_t(bits));
  }
  void Bytes(const void* p, std::size_t n) { out_.append(static_cast<const char*>(p), n); }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

// Reads little-endian fields from a blob. A read past the end gives zero bytes and marks the
// reader ended, so every later field of a short blob stays zero.
class BlobReader {
 public:
  explicit BlobReader(std::string_view blob) : blob_(blob) {}
  bool Ended() const { return ended_; }
  std::size_t Left() const { return blob_.size() - pos_; }
  int32_t Int32() {
    uint8_t b[4] = {};
    Bytes(b, 4);
    return int32_t(vt::LoadLe32(b));
  }
  int64_t Int64() {
    uint8_t b[8] = {};
    Bytes(b, 8);
    return int64_t(vt::LoadLe64(b));
  }
  PreciseTime Time() {
    PreciseTime t;
    t.seconds = Int64();
    uint64_t bits = uint64_t(Int64());
    std::memcpy(&t.fraction, &bits, 8);
    return t;
  }
  void Bytes(void* p, std::size_t n) {
    if (ended_ || Left() < n) {
      ended_ = true;
      return;
    }
    std::memcpy(p, blob_.data() + pos_, n);
    pos_ += n;
  }
  void Skip(std::size_t n) {
    if (ended_ || Left() < n) {
      ended_ = true;
      return;
    }
    pos_ += n;
  }
  // A count read from the blob, cut to the number of records of recordSize bytes that the rest of
  // the blob can hold (0 for a negative count).
  // A count that had to be cut marks the blob damaged: after its records, StopIfCut ends the
  // reading, so that nothing behind them is taken for fields.
  std::size_t Count(std::size_t recordSize) {
    int32_t n = Int32();
    if (ended_ || n <= 0) return 0;
    std::size_t fit = Left() / recordSize;
    if (std::size_t(n) <= fit) return std::size_t(n);
    cut_ = true;
    return fit;
  }
  void StopIfCut() {
    if (cut_) ended_ = true;
  }

 private:
  std::string_view blob_;
  std::size_t pos_ = 0;
  bool ended_ = false;
  bool cut_ = false;
};

void WriteWindow(BlobWriter& w, const SGraphWindowEntry& e) {
  w.Int32(e.viewKind);
  w.Int32(e.unused);
  for (int32_t v : {int32_t(e.length), int32_t(e.flags), int32_t(e.showCmd), e.minX, e.minY, e.maxX, e.maxY,
                    e.normalLeft, e.normalTop, e.normalRight, e.normalBottom})
    w.Int32(v);
}

SGraphWindowEntry ReadWindow(BlobReader& r) {
  SGraphWindowEntry e;
  e.viewKind = r.Int32();
  e.unused = r.Int32();
  e.length = uint32_t(r.Int32());
  e.flags = uint32_t(r.Int32());
  e.showCmd = uint32_t(r.Int32());
  for (int32_t* v :
       {&e.minX, &e.minY, &e.maxX, &e.maxY, &e.normalLeft, &e.normalTop, &e.normalRight, &e.normalBottom})
    *v = r.Int32();
  return e;
}

template <typename Record>
void ReadRecords(BlobReader& r, std::vector<Record>& records, std::size_t count) {
  records.assign(count, Record{});
  for (Record& record : records) r.Bytes(record.bytes.data(), record.bytes.size());
}

// The older layout's 24-byte settings block in the current 40-byte form.
void ConvertOldSettings(const uint8_t* v, uint8_t* s) {
  std::memset(s, 0, kGraphSettingsSize);
  std::memcpy(s, v, 10);  // ints at 0 and 4, bytes at 8 and 9
  vt::StoreLe16(s + 10, vt::LoadLe16(v + 10));
  vt::StoreLe32(s + 12, vt::LoadLe32(v + 12));
  vt::StoreLe64(s + 16, uint64_t(int64_t(int32_t(vt::LoadLe32(v + 16)))));
  vt::StoreLe32(s + 24, vt::LoadLe32(v + 20));
  vt::StoreLe32(s + 28, 1);
  s[32] = 1;
  s[33] = 1;
  vt::StoreLe32(s + 36, 1);
}

// The older layout's 328-byte display block in the current 336-byte form.
void ConvertOldDisplay(const uint8_t* w, uint8_t* d) {
  std::memset(d, 0, kGraphDisplaySize);
  std::memcpy(d, w, 58);  // four 16-bit values, then bytes 8-57
  std::string text = FieldText(w + 64, kGraphOldDisplaySize - 64);
  std::memcpy(d + 64, text.data(), std::min<std::size_t>(text.size(), 255));
  vt::StoreLe32(d + 328, 1);
}

void ReadBody(BlobReader& r, SGraphConfiguration& c, bool oldLayout) {
  c.documentSwitch = r.Int32();
  r.Bytes(c.reserved1.data(), c.reserved1.size());
  c.currentGroup = r.Int32();
  c.groups.assign(r.Count(kGroupFixedSize), SGraphGroup{});
  for (SGraphGroup& g : c.groups) {
    r.Bytes(g.name, sizeof g.name);  // kept as stored; Name() never reads past the field
    g.groupValue = r.Int32();
    ReadRecords(r, g.tags, r.Count(kGraphTagSize));
    r.StopIfCut();
    g.times[0] = r.Time();
    g.times[1] = r.Time();
    g.groupSetting = r.Int32();
    ReadRecords(r, g.marks, r.Count(kGraphMarkSize));
    r.StopIfCut();
  }
  r.StopIfCut();
  c.cursors[0] = r.Time();
  c.cursors[1] = r.Time();
  c.reserved2 = r.Int32();
  ReadRecords(r, c.marks, r.Count(kGraphMarkSize));
  r.StopIfCut();
  if (oldLayout) {
    uint8_t settings[kGraphOldSettingsSize] = {};
    uint8_t display[kGraphOldDisplaySize] = {};
    r.Bytes(settings, sizeof settings);
    r.Bytes(display, sizeof display);
    ConvertOldSettings(settings, c.settings.data());
    ConvertOldDisplay(display, c.display.data());
  } else {
    r.Bytes(c.settings.data(), c.settings.size());
    r.Bytes(c.display.data(), c.display.size());
  }
  int32_t windowCount = r.Int32();
  c.reserved3 = r.Int32();
  // A record always has a window; a damaged count never asks for more than the blob holds.
  std::size_t windows =
      windowCount <= 0 ? 1 : std::min<std::size_t>(std::size_t(windowCount), r.Left() / kGraphWindowSize);
  c.windows.assign(std::max<std::size_t>(windows, 1), SGraphWindowEntry{});
  for (SGraphWindowEntry& e : c.windows) e = ReadWindow(r);
  if (windowCount > 0 && std::size_t(windowCount) > windows) r.Skip(r.Left() + 1);  // damaged: stop here
  c.reserved4 = r.Int32();
  c.nameMode = r.Int32();
}

int64_t BlobSize(const SGraphConfiguration& c) {
  int64_t size = 24;
  for (const SGraphGroup& g : c.groups)
    size += int64_t(kGroupFixedSize + kGraphTagSize * g.tags.size() + kGraphMarkSize * g.marks.size());
  size += 40 + int64_t(kGraphMarkSize * c.marks.size());
  size += 384 + int64_t(kGraphWindowSize * c.windows.size()) + 8;
  return size;
}

}  // namespace

int32_t SGraphTag::ChannelNumber() const { return int32_t(vt::LoadLe32(bytes.data() + kChannelOffset)); }

std::string SGraphTag::BatchGuidText() const {
  return vt::Guid::FromBytes(bytes.data() + kGuidOffset).ToText();
}

std::string SGraphTag::TagName() const { return FieldText(bytes.data() + kNameOffset, kNameSize); }

std::string SGraphMark::Title() const { return FieldText(bytes.data() + kTitleOffset, kTitleSize); }

std::string SGraphMark::Comment() const { return FieldText(bytes.data() + kCommentOffset, kCommentSize); }

std::string SGraphGroup::Name() const {
  return FieldText(reinterpret_cast<const uint8_t*>(name), sizeof name);
}

void SGraphGroup::SetName(std::string_view text) {
  std::string_view cut = vt::Utf8Truncate(text, sizeof name - 1);
  std::memset(name, 0, sizeof name);
  std::memcpy(name, cut.data(), cut.size());
}

void AllocateGraphConfigurationArrays(int windowCount, GraphConfigurationHolder& holder, int groupCount,
                                      int markCount) {
  if (!holder) holder = std::make_unique<SGraphConfiguration>();
  holder->groups.assign(std::size_t(std::max(groupCount, 0)), SGraphGroup{});
  holder->marks.assign(std::size_t(std::max(markCount, 0)), SGraphMark{});
  holder->windows.assign(std::size_t(std::max(windowCount, 0)), SGraphWindowEntry{});
}

void AllocateGraphGroupArrays(int groupIndex, int tagCount, GraphConfigurationHolder& holder, int markCount) {
  if (!holder || groupIndex < 0 || std::size_t(groupIndex) >= holder->groups.size()) return;
  SGraphGroup& g = holder->groups[std::size_t(groupIndex)];
  g.tags.assign(std::size_t(std::max(tagCount, 0)), SGraphTag{});
  g.marks.assign(std::size_t(std::max(markCount, 0)), SGraphMark{});
}

void FreeGraphConfiguration(GraphConfigurationHolder& holder) { holder.reset(); }

void ReleaseGraphConfiguration(GraphConfigurationHolder& holder) { holder.reset(); }

int64_t GetGraphConfigurationSize(const GraphConfigurationHolder& holder) {
  return holder ? BlobSize(*holder) : 0;
}

std::string SerializeGraphConfiguration(const SGraphConfiguration& c) {
  BlobWriter w(std::size_t(BlobSize(c)));
  w.Int32(c.version);
  w.Int32(c.documentSwitch);
  w.Bytes(c.reserved1.data(), c.reserved1.size());
  w.Int32(c.currentGroup);
  w.Int32(int32_t(c.groups.size()));
  for (const SGraphGroup& g : c.groups) {
    w.Bytes(g.name, sizeof g.name);
    w.Int32(g.groupValue);
    w.Int32(int32_t(g.tags.size()));
    for (const SGraphTag& t : g.tags) w.Bytes(t.bytes.data(), t.bytes.size());
    w.Time(g.times[0]);
    w.Time(g.times[1]);
    w.Int32(g.groupSetting);
    w.Int32(int32_t(g.marks.size()));
    for (const SGraphMark& m : g.marks) w.Bytes(m.bytes.data(), m.bytes.size());
  }
  w.Time(c.cursors[0]);
  w.Time(c.cursors[1]);
  w.Int32(c.reserved2);
  w.Int32(int32_t(c.marks.size()));
  for (const SGraphMark& m : c.marks) w.Bytes(m.bytes.data(), m.bytes.size());
  w.Bytes(c.settings.data(), c.settings.size());
  w.Bytes(c.display.data(), c.display.size());
  w.Int32(int32_t(c.windows.size()));
  w.Int32(c.reserved3);
  for (const SGraphWindowEntry& e : c.windows) WriteWindow(w, e);
  w.Int32(c.reserved4);
  w.Int32(c.nameMode);
  return w.Take();
}

GraphConfigurationHolder DeserializeGraphConfiguration(std::string_view blob) {
  auto record = std::make_unique<SGraphConfiguration>();
  BlobReader r(blob);
  int32_t version = r.Int32();
  if (version == kGraphVersion || version == kGraphVersionOld)
    ReadBody(r, *record, version == kGraphVersionOld);
  record->version = kGraphVersion;
  return record;
}

bool WriteGraphConfiguration(const GraphConfigurationHolder& holder, const std::string& path) {
  if (!holder) return false;
  return vt::WriteFileAtomic(path, SerializeGraphConfiguration(*holder));
}

void LoadGraphConfiguration(GraphConfigurationHolder& holder, const std::string& path) {
  holder.reset();
  std::string blob;
  if (!vt::ReadWholeFile(path, blob)) blob.clear();
  holder = DeserializeGraphConfiguration(blob);
}

void CopyGraphConfiguration(GraphConfigurationHolder& destination, const GraphConfigurationHolder& source) {
  destination.reset();
  if (!source) return;
  auto copy = std::make_unique<SGraphConfiguration>(*source);
  std::erase_if(copy->groups, [](const SGraphGroup& g) { return g.tags.empty(); });
  destination = std::move(copy);
}

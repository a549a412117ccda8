// StringTable: lookup and append of the shared strings (see StringTable.h).
#include "sheetwright/StringTable.h"

#include <cassert>
#include <vector>

#include "platform/base/ByteOrder.h"
#include "sheetwright/RecordBuffer.h"

namespace sheetwright {

namespace {

constexpr uint16_t kRecordSst = 0x00FC;
constexpr uint16_t kRecordContinue = 0x003C;

uint64_t HashText(std::u16string_view text) {
  uint64_t h = 1469598103934665603ull;
  for (char16_t c : text) {
    h = (h ^ uint64_t(c & 0xFF)) * 1099511628211ull;
    h = (h ^ uint64_t(c >> 8)) * 1099511628211ull;
  }
  return h;
}

}  // namespace

bool StringTable::WriteHeader(std::string_view destination) {
  uint8_t length[4];
  vt::StoreLe32(length, uint32_t(destination.size()));
  if (!file_.Write(length, 4) || !file_.Write(destination.data(), destination.size())) return false;
  if (!file_.Flush()) return false;
  headerBytes_ = file_.Size();
  return true;
}

bool StringTable::StoredEquals(const Entry& entry, std::u16string_view text) {
  uint8_t head[3];
  if (!file_.ReadAt(entry.offset, head, 3)) return false;
  if (vt::LoadLe16(head) != text.size()) return false;
  std::vector<uint8_t> units(2 * text.size());
  if (!units.empty() && !file_.ReadAt(entry.offset + 3, units.data(), units.size())) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (vt::LoadLe16(units.data() + 2 * i) != uint16_t(text[i])) return false;
  return true;
}

int64_t StringTable::IndexOf(std::u16string_view text) {
  assert(!text.empty() && text.size() <= kMaxUnits);
  uint64_t hash = HashText(text);
  auto range = index_.equal_range(hash);
  for (auto it = range.first; it != range.second; ++it) {
    if (StoredEquals(it->second, text)) {
      ++stringCells_;
      return it->second.index;
    }
  }

  uint64_t before = file_.Size();
  RecordBuffer record;
  uint64_t unitsOffset = before + 4;
  if (distinct_ == 0) {
    record.Begin(kRecordSst);
    record.U32(0);
    record.U32(0);
    unitsOffset += 8;
  } else {
    record.Begin(kRecordContinue);
  }
  record.U16(uint16_t(text.size()));
  record.U8(1);
  record.Utf16(text);
  record.End();
  if (!file_.Write(record.Data(), record.Size()) || !file_.Flush()) {
    // Leave no fragment behind: later texts and the close read this file record by record.
    file_.Truncate(before);
    return -1;
  }
  index_.emplace(hash, Entry{uint32_t(distinct_), unitsOffset});
  ++stringCells_;
  return distinct_++;
}

uint64_t StringTable::StreamBytes() const {
  if (distinct_ == 0) return 12;
  return file_.Size() - headerBytes_;
}

bool StringTable::FinishCounts() {
  if (distinct_ == 0) return file_.Flush();
  uint8_t counts[8];
  vt::StoreLe32(counts, uint32_t(stringCells_));
  vt::StoreLe32(counts + 4, uint32_t(distinct_));
  return file_.WriteAt(headerBytes_ + 4, counts, 8);
}

}  // namespace sheetwright

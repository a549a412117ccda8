// The compact row store of the list document (see CListRows.h).
#include "app/CListRows.h"

#include <cassert>
#include <cstring>

int TextFieldCapacity(int field) {
  switch (field) {
    case vt::TEXT_FILE_NAME:
    case vt::TEXT_MESSAGE_TEXT:
    case vt::TEXT_FILE_PATH:
      return 256;
    default:
      return 128;
  }
}

vt::CListRows::CListRows() { Clear(); }

void vt::CListRows::Clear() {
  count_ = 0;
  // One chunk and one block stay: refills of small lists allocate nothing.
  if (chunks_.size() > 1) chunks_.resize(1);
  if (blocks_.size() > 1) blocks_.resize(1);
  if (blocks_.empty()) blocks_.push_back(std::make_unique<char[]>(kBlockBytes));
  blocks_[0][0] = '\0';
  used_ = 1;  // offset 0 is the empty text
}

SListItem& vt::CListRows::Append() {
  const size_t chunk = size_t(count_) / kChunkRows;
  if (chunk == chunks_.size()) chunks_.push_back(std::make_unique<SListItem[]>(kChunkRows));
  SListItem& row = chunks_[chunk][size_t(count_) % kChunkRows];
  row = SListItem{};
  ++count_;
  return row;
}

SListItem& vt::CListRows::Row(int index) {
  assert(index >= 0 && index < count_);
  return chunks_[size_t(index) / kChunkRows][size_t(index) % kChunkRows];
}

const SListItem& vt::CListRows::Row(int index) const {
  assert(index >= 0 && index < count_);
  return chunks_[size_t(index) / kChunkRows][size_t(index) % kChunkRows];
}

void vt::CListRows::SetText(int index, int slot, std::string_view text, int capacity) {
  assert(slot >= 0 && slot < SListItem::kTextSlots);
  if (text.size() >= size_t(capacity)) {
    size_t cut = size_t(capacity) - 1;
    // Not inside a UTF-8 sequence: back up over continuation bytes.
    while (cut > 0 && (uint8_t(text[cut]) & 0xC0) == 0x80) --cut;
    text = text.substr(0, cut);
  }
  SListItem& row = Row(index);
  if (text.empty()) {
    row.text[size_t(slot)] = 0;
    return;
  }
  if (index > 0) {
    const uint32_t before = Row(index - 1).text[size_t(slot)];
    if (Text(Row(index - 1), slot) == text) {
      row.text[size_t(slot)] = before;
      return;
    }
  }
  row.text[size_t(slot)] = AddText(text);
}

std::string_view vt::CListRows::Text(const SListItem& row, int slot) const {
  const uint32_t offset = row.text[size_t(slot)];
  return std::string_view(&blocks_[offset / kBlockBytes][offset % kBlockBytes]);
}

uint32_t vt::CListRows::AddText(std::string_view text) {
  const uint32_t need = uint32_t(text.size()) + 1;
  assert(need <= kBlockBytes);
  if (used_ + need > kBlockBytes) {
    blocks_.push_back(std::make_unique<char[]>(kBlockBytes));
    used_ = 0;
  }
  const uint32_t offset = uint32_t(blocks_.size() - 1) * kBlockBytes + used_;
  char* at = &blocks_.back()[used_];
  std::memcpy(at, text.data(), text.size());
  at[text.size()] = '\0';
  used_ += need;
  return offset;
}

size_t vt::CListRows::MemoryBytes() const {
  return chunks_.size() * kChunkRows * sizeof(SListItem) + blocks_.size() * kBlockBytes;
}

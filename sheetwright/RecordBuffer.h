// RecordBuffer: builds workbook records (16-bit type, 16-bit length, data) in memory, field by
// field in little-endian order, with the length filled in when the record ends.
#pragma once
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/base/ByteOrder.h"

namespace sheetwright {

class RecordBuffer {
 public:
  void Begin(uint16_t type) {
    assert(open_ == kNone);
    open_ = bytes_.size();
    U16(type);
    U16(0);
  }
  void End() {
    assert(open_ != kNone);
    std::size_t length = bytes_.size() - open_ - 4;
    assert(length <= 8224);
    vt::StoreLe16(bytes_.data() + open_ + 2, uint16_t(length));
    open_ = kNone;
  }
  // A record whose data is one 16-bit value, the commonest kind.
  void Record16(uint16_t type, uint16_t value) {
    Begin(type);
    U16(value);
    End();
  }
  void Empty(uint16_t type) {
    Begin(type);
    End();
  }

  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) {
    uint8_t b[2];
    vt::StoreLe16(b, v);
    Bytes(b, 2);
  }
  void U32(uint32_t v) {
    uint8_t b[4];
    vt::StoreLe32(b, v);
    Bytes(b, 4);
  }
  void F64(double v) {
    uint8_t b[8];
    vt::StoreLe64(b, std::bit_cast<uint64_t>(v));
    Bytes(b, 8);
  }
  void Bytes(const void* data, std::size_t size) {
    // resize + memcpy rather than insert: GCC 12 at -O3 reports a false -Wstringop-overflow for
    // the inlined range insert into a vector that Begin() has just grown.
    if (size == 0) return;
    std::size_t at = bytes_.size();
    bytes_.resize(at + size);
    std::memcpy(bytes_.data() + at, data, size);
  }
  void Fill(uint8_t value, std::size_t count) { bytes_.insert(bytes_.end(), count, value); }
  void Utf16(std::u16string_view text) {
    for (char16_t c : text) U16(uint16_t(c));
  }

  std::size_t Size() const { return bytes_.size(); }
  const uint8_t* Data() const { return bytes_.data(); }
  uint8_t* Data() { return bytes_.data(); }
  void Clear() { bytes_.clear(); }

 private:
  static constexpr std::size_t kNone = ~std::size_t(0);
  std::vector<uint8_t> bytes_;
  std::size_t open_ = kNone;
};

}  // namespace sheetwright

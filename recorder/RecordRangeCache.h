// RecordRangeCache: the bytes of the record ranges a reader read last, kept so that reading the
// next channel of the same range takes them from memory instead of the file. A caller that
// reads range by range, every channel of a range before the next, thus reads each record from
// the file once, however many channels it reads. Two spans are kept (the older files' ring can
// split a range in two); a span larger than the limit is read but not kept.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/ReadOnlyFile.h"

class RecordRangeCache {
 public:
  static constexpr std::size_t kSpanLimit = 8u << 20;

  // The bytes [offset, offset + size) of the file, valid until the next call or Clear; null
  // when the file cannot deliver them (or memory runs out).
  const uint8_t* Read(const vt::ReadOnlyFile& file, uint64_t offset, std::size_t size);
  void Clear();

 private:
  struct Span {
    uint64_t offset = 0;
    std::vector<uint8_t> bytes;
    uint64_t lastUse = 0;
  };
  Span spans_[2];
  std::vector<uint8_t> uncached_;
  uint64_t uses_ = 0;
};

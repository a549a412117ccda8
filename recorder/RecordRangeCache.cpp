// RecordRangeCache: see RecordRangeCache.h.
#include "recorder/RecordRangeCache.h"

#include <new>

const uint8_t* RecordRangeCache::Read(const vt::ReadOnlyFile& file, uint64_t offset, std::size_t size) {
  ++uses_;
  for (Span& s : spans_) {
    if (!s.bytes.empty() && offset >= s.offset && size <= s.bytes.size() &&
        offset - s.offset <= s.bytes.size() - size) {
      s.lastUse = uses_;
      return s.bytes.data() + (offset - s.offset);
    }
  }
  try {
    if (size > kSpanLimit) {
      uncached_.resize(size);
      return file.ReadAt(offset, uncached_.data(), size) ? uncached_.data() : nullptr;
    }
    Span& s = spans_[0].lastUse <= spans_[1].lastUse ? spans_[0] : spans_[1];
    s.bytes.resize(size);
    if (!file.ReadAt(offset, s.bytes.data(), size)) {
      s.bytes.clear();
      return nullptr;
    }
    s.offset = offset;
    s.lastUse = uses_;
    return s.bytes.data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void RecordRangeCache::Clear() {
  for (Span& s : spans_) {
    s.bytes.clear();
    s.bytes.shrink_to_fit();
    s.lastUse = 0;
  }
  uncached_.clear();
  uncached_.shrink_to_fit();
}

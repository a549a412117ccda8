// RecordColumns: see RecordColumns.h.
#include "recorder/newer/RecordColumns.h"

#include <algorithm>
#include <cassert>
#include <new>

#include "platform/base/ByteOrder.h"

namespace {

// Records decoded per step: their bytes stay in the first-level cache while every field's
// column takes its values from them.
constexpr int64_t kTile = 64;

}  // namespace

std::size_t RecordColumns::BytesFor(const std::vector<Field>& fields, int64_t count) {
  std::size_t perRecord = 8 + 8;  // the time bytes and the decoded time
  for (const Field& f : fields) perRecord += std::size_t(f.size);
  return perRecord * std::size_t(std::max<int64_t>(count, 0));
}

bool RecordColumns::Reset(const std::vector<Field>& fields, int64_t start, int64_t count, bool secondsTimes,
                          bool bigEndian) {
  count_ = 0;
  fields_.clear();
  fieldAt_.clear();
  if (count <= 0) return false;
  const std::size_t n = std::size_t(count);
  std::size_t shorts = 0, ints = 0;
  for (const Field& f : fields) {
    assert(f.size == 2 || f.size == 4);
    (f.size == 2 ? shorts : ints) += n;
  }
  // The storage of the previous range is kept and only grown: the next range of a caller that
  // reads range by range is as large, and fresh memory costs page faults.
  const std::size_t seconds = secondsTimes ? n : 0;
  try {
    fieldAt_.reserve(fields.size());
    if (short_.size() < shorts || int_.size() < ints || times_.size() < n * 8 || seconds_.size() < seconds) {
      const std::size_t sizes[] = {std::max(short_.size(), shorts), std::max(int_.size(), ints),
                                   std::max(times_.size(), n * 8), std::max(seconds_.size(), seconds)};
      Clear();
      arena_ = std::make_unique<vt::BulkArena>();
      short_ = Store<int16_t>(sizes[0], vt::BulkAllocator<int16_t>(arena_.get()));
      int_ = Store<int32_t>(sizes[1], vt::BulkAllocator<int32_t>(arena_.get()));
      times_ = Store<uint8_t>(sizes[2], vt::BulkAllocator<uint8_t>(arena_.get()));
      seconds_ = Store<int32_t>(sizes[3], vt::BulkAllocator<int32_t>(arena_.get()));
      milliseconds_ = Store<int32_t>(sizes[3], vt::BulkAllocator<int32_t>(arena_.get()));
    }
    fields_ = fields;
  } catch (const std::bad_alloc&) {
    Clear();
    return false;
  }
  shorts = ints = 0;
  for (const Field& f : fields) {
    fieldAt_.push_back(f.size == 2 ? shorts : ints);
    (f.size == 2 ? shorts : ints) += n;
  }
  start_ = start;
  count_ = count;
  secondsTimes_ = secondsTimes;
  bigEndian_ = bigEndian;
  return true;
}

void RecordColumns::Clear() {
  fields_.clear();
  fieldAt_.clear();
  // The containers go before their arena.
  short_ = {};
  int_ = {};
  times_ = {};
  seconds_ = {};
  milliseconds_ = {};
  arena_.reset();
  start_ = 0;
  count_ = 0;
}

void RecordColumns::Decode(const uint8_t* records, std::size_t rs, int64_t at, int64_t n) {
  assert(at >= 0 && n >= 0 && at + n <= count_);
  if (bigEndian_)
    DecodeAs<true>(records, rs, at, n);
  else
    DecodeAs<false>(records, rs, at, n);
}

template <bool kBigEndian>
void RecordColumns::DecodeAs(const uint8_t* records, std::size_t rs, int64_t at, int64_t n) {
  for (int64_t t0 = 0; t0 < n; t0 += kTile) {
    const int64_t m = std::min(kTile, n - t0);
    const uint8_t* tile = records + std::size_t(t0) * rs;
    const std::size_t first = std::size_t(at + t0);
    for (int64_t i = 0; i < m; ++i)
      std::copy_n(tile + std::size_t(i) * rs, 8, &times_[(first + std::size_t(i)) * 8]);
    if (secondsTimes_) {
      // Seconds, then a unit word (1: the value counts seconds, else milliseconds) and the value.
      for (int64_t i = 0; i < m; ++i) {
        const uint8_t* p = tile + std::size_t(i) * rs;
        const uint16_t unit = vt::Load16(p + 4, kBigEndian), value = vt::Load16(p + 6, kBigEndian);
        seconds_[first + std::size_t(i)] = int32_t(vt::Load32(p, kBigEndian));
        milliseconds_[first + std::size_t(i)] = unit == 1 ? int32_t(value) * 1000 : int32_t(value);
      }
    }
    for (std::size_t f = 0; f < fields_.size(); ++f) {
      const uint8_t* p = tile + fields_[f].offset;
      if (fields_[f].size == 2) {
        int16_t* column = &short_[fieldAt_[f] + first];
        for (int64_t i = 0; i < m; ++i, p += rs) column[i] = int16_t(vt::Load16(p, kBigEndian));
      } else {
        int32_t* column = &int_[fieldAt_[f] + first];
        for (int64_t i = 0; i < m; ++i, p += rs) column[i] = int32_t(vt::Load32(p, kBigEndian));
      }
    }
  }
}

void RecordColumns::CopyValues(int f, int64_t start, int64_t count, int32_t* out) const {
  assert(Covers(start, count) && f >= 0 && std::size_t(f) < fields_.size());
  const std::size_t from = fieldAt_[std::size_t(f)] + std::size_t(start - start_);
  if (fields_[std::size_t(f)].size == 2)
    std::copy_n(&short_[from], count, out);  // sign-extended by the conversion to int32_t
  else
    std::copy_n(&int_[from], count, out);
}

void RecordColumns::CopyTimes(int64_t start, int64_t count, int32_t* seconds, int32_t* milliseconds) const {
  assert(secondsTimes_ && Covers(start, count));
  const std::size_t from = std::size_t(start - start_);
  std::copy_n(&seconds_[from], count, seconds);
  std::copy_n(&milliseconds_[from], count, milliseconds);
}
